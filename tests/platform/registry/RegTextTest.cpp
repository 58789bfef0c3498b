#include "platform/registry/RegText.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kvf::platform {
namespace {

constexpr const char* kHeader = "Windows Registry Editor Version 5.00\r\n";

QByteArray Reg(const QByteArray& body) { return QByteArray(kHeader) + "\r\n" + body; }

RegistryTree Parse(const QByteArray& bytes) {
  RegistryTree tree;
  const std::optional<RegTextError> error = ParseRegText(bytes, &tree);
  EXPECT_FALSE(error) << error->line << ": " << error->reason.toStdString();
  return tree;
}

TEST(RegText, WritesRegeditFormat) {
  RegistryTree tree;
  const QString key = QStringLiteral("HKEY_CURRENT_USER\\Software\\Brennvik AB\\KVF Viewer\\Last Settings");
  tree.SetValue(key, QStringLiteral("Graph Save Format"), RegistryValue::Dword(300));
  tree.SetValue(key, QStringLiteral("Data Open Folder"), RegistryValue::String(QStringLiteral("C:\\Data \"x\"")));
  tree.SetValue(key, QString(), RegistryValue::String(QStringLiteral("default")));
  const QByteArray text = FormatRegText(tree);
  EXPECT_TRUE(text.startsWith("\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n") && text.contains("[HKEY_CURRENT_USER\\Software\\Brennvik AB\\KVF Viewer\\Last Settings]\r\n"
                            "@=\"default\"\r\n"
                            "\"Data Open Folder\"=\"C:\\\\Data \\\"x\\\"\"\r\n"
                            "\"Graph Save Format\"=dword:0000012c\r\n"))
      << text.toStdString();
}

TEST(RegText, RoundTripsAwkwardNamesAndTexts) {
  RegistryTree tree;
  const QString key = QStringLiteral("HKEY_CURRENT_USER\\Software\\Odd \"key\" name\\Sub key");
  const QStringList names = {QStringLiteral("Name with spaces"), QStringLiteral("back\\slash\\\\double"),
                             QStringLiteral("\"quoted\""), QStringLiteral("trailing\\"), QStringLiteral("Åsa, öl")};
  uint32_t n = 0;
  for (const QString& name : names) {
    tree.SetValue(key, name, RegistryValue::String(name + QStringLiteral(" = \\\"value\\")));
    tree.SetValue(key, name + QStringLiteral(" n"), RegistryValue::Dword(0xFFFFFFF0u + n++));
  }
  tree.SetValue(key, QStringLiteral("lines"), RegistryValue::String(QStringLiteral("one\r\ntwo\tthree")));
  tree.SetValue(key, QStringLiteral("binary"), RegistryValue::Other(QStringLiteral("hex:01,02,ff")));
  tree.EnsureKey(QStringLiteral("HKEY_CURRENT_USER\\Software\\Empty"));

  const RegistryTree back = Parse(FormatRegText(tree));
  // Every value, the empty key and the key path with its quotes and case come back.
  EXPECT_EQ(FormatRegText(back), FormatRegText(tree));
  ASSERT_TRUE(back.FindKey(key) && back.FindValue(key, names[1]) && back.FindValue(key, "lines"));
  EXPECT_EQ(std::make_tuple(back.FindKey(key)->path, *back.FindValue(key, names[1]), back.FindValue(key, "lines")->text),
            std::make_tuple(key, RegistryValue::String(names[1] + " = \\\"value\\"), QStringLiteral("one\r\ntwo\tthree")));
}

TEST(RegText, ReadsWhatPeopleWriteByHand) {
  const RegistryTree tree = Parse(
      "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n"
      "; my settings\n"
      "[hkey_current_user\\Software\\\\Brennvik AB\\KVF Viewer\\Settings\\]\n"
      "\"Overview Max Rows\" = dword:1F4\n"
      "\"Path\"=\"C:\\Users\\anna\"\n"
      "\"Multi\"=hex(7):41,00,00,00,\\\n"
      "  00,00\n"
      "\"Text\"=hex(1):41,00,e5,00,00,00\n");
  const QString key = QStringLiteral("HKEY_CURRENT_USER\\Software\\Brennvik AB\\KVF Viewer\\Settings");
  // A backslash that escapes nothing is kept as typed.
  for (const auto& [name, value] : std::initializer_list<std::pair<const char*, RegistryValue>>{
           {"overview max rows", RegistryValue::Dword(500)},
           {"Path", RegistryValue::String(QStringLiteral("C:\\Users\\anna"))},
                                    {"Multi", RegistryValue::Other(QStringLiteral("hex(7):41,00,00,00,00,00"))},
                                    {"Text", RegistryValue::String(QStringLiteral("Aå"))}})
    EXPECT_TRUE(tree.FindValue(key, name) && *tree.FindValue(key, name) == value) << name;
}

TEST(RegText, RefusesMalformedTextAndNamesTheLine) {
  const std::pair<QByteArray, int> cases[] = {
      {"[HKEY_CURRENT_USER\\A]\r\n", 1},  // no header
      {"", 1},
      {"\x01\x02garbage", 1},
      {Reg("\"x\"=dword:1\r\n"), 3},                                   // value before any key
      {Reg("[HKEY_CURRENT_USER\\A\r\n"), 3},                            // no closing bracket
      {Reg("[NOT_A_HIVE\\A]\r\n"), 3}};
  for (const auto& [text, line] : cases) {
    RegistryTree tree;
    const std::optional<RegTextError> error = ParseRegText(text, &tree);
    ASSERT_TRUE(error) << text.toStdString();
    EXPECT_EQ(std::make_tuple(error->line, error->reason.isEmpty()), std::make_tuple(line, false)) << text.toStdString();
  }
  // Values, all on line 4: too large, negative or empty numbers, open or trailing quotes, bad hex.
  for (const char* value : {"\"x\"=dword:123456789", "\"x\"=dword:-1", "\"x\"=dword:", "\"x=\"1\"", "\"x\"=\"a\" b",
                            "\"x\"=12", "x=\"1\"", "\"x\"=hex:zz", "\"x\"=hex(1):41"}) {
    RegistryTree tree;
    const std::optional<RegTextError> error =
        ParseRegText(Reg("[HKEY_CURRENT_USER\\A]\r\n") + value + "\r\n", &tree);
    EXPECT_EQ(error.value_or(RegTextError{}).line, 4) << value;
  }
}

}  // namespace
}  // namespace kvf::platform
