#include "platform/registry/RegText.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kvf::platform {
namespace {

constexpr const char* kHeader = "Windows Registry Editor Version 5.00\r\n";

QByteArray Reg(const char* body) { return QByteArray(kHeader) + "\r\n" + body; }

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
  EXPECT_TRUE(text.startsWith("\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n"));
  EXPECT_TRUE(text.contains("[HKEY_CURRENT_USER\\Software\\Brennvik AB\\KVF Viewer\\Last Settings]\r\n"
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
  for (const QString& name : names) {
    ASSERT_TRUE(back.FindValue(key, name) && back.FindValue(key, name + QStringLiteral(" n"))) << name.toStdString();
    EXPECT_EQ(*back.FindValue(key, name), RegistryValue::String(name + QStringLiteral(" = \\\"value\\")));
    EXPECT_EQ(back.FindValue(key, name + QStringLiteral(" n"))->type, RegistryType::Dword);
  }
  EXPECT_EQ(back.FindValue(key, QStringLiteral("lines"))->text, QStringLiteral("one\r\ntwo\tthree"));
  EXPECT_EQ(*back.FindValue(key, QStringLiteral("binary")), RegistryValue::Other(QStringLiteral("hex:01,02,ff")));
  EXPECT_NE(back.FindKey(QStringLiteral("HKEY_CURRENT_USER\\Software\\Empty")), nullptr);
  // The stored key path keeps its quotes and case.
  EXPECT_EQ(back.FindKey(key)->path, key);
  EXPECT_EQ(FormatRegText(back), FormatRegText(tree));
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
  EXPECT_EQ(*tree.FindValue(key, QStringLiteral("overview max rows")), RegistryValue::Dword(500));
  // A backslash that escapes nothing is kept as typed.
  EXPECT_EQ(tree.FindValue(key, QStringLiteral("Path"))->text, QStringLiteral("C:\\Users\\anna"));
  EXPECT_EQ(*tree.FindValue(key, QStringLiteral("Multi")), RegistryValue::Other(QStringLiteral("hex(7):41,00,00,00,00,00")));
  EXPECT_EQ(*tree.FindValue(key, QStringLiteral("Text")), RegistryValue::String(QStringLiteral("Aå")));
}

TEST(RegText, ReadsUtf16FilesAsRegeditExportsThem) {
  const QString text = QStringLiteral(
      "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\X]\r\n\"Namn\"=\"Göteborg\"\r\n");
  QByteArray bytes("\xFF\xFE");
  for (const QChar c : text) {
    bytes.append(static_cast<char>(c.unicode() & 0xFF));
    bytes.append(static_cast<char>(c.unicode() >> 8));
  }
  const RegistryTree tree = Parse(bytes);
  EXPECT_EQ(tree.FindValue(QStringLiteral("HKEY_CURRENT_USER\\Software\\X"), QStringLiteral("Namn"))->text,
            QStringLiteral("Göteborg"));
}

TEST(RegText, AppliesDeletionsInOrder) {
  const RegistryTree tree = Parse(Reg(
      "[HKEY_CURRENT_USER\\A\\B]\r\n\"x\"=dword:1\r\n\"y\"=dword:2\r\n"
      "[HKEY_CURRENT_USER\\A\\B\\C]\r\n\"z\"=\"z\"\r\n"
      "[HKEY_CURRENT_USER\\A\\D]\r\n"
      "[-HKEY_CURRENT_USER\\A\\B]\r\n"
      "[HKEY_CURRENT_USER\\A\\D]\r\n\"w\"=dword:3\r\n\"w\"=-\r\n"));
  EXPECT_EQ(std::make_tuple(tree.HasKey(QStringLiteral("HKEY_CURRENT_USER\\A\\B")),
                            tree.HasKey(QStringLiteral("HKEY_CURRENT_USER\\A\\B\\C")),
                            tree.HasKey(QStringLiteral("HKEY_CURRENT_USER\\A\\D"))),
            std::make_tuple(false, false, true));
  EXPECT_EQ(tree.FindValue(QStringLiteral("HKEY_CURRENT_USER\\A\\D"), QStringLiteral("w")), nullptr);
}

TEST(RegText, RefusesMalformedTextAndNamesTheLine) {
  struct Case {
    const char* text;
    int line;
  };
  const Case cases[] = {
      {"[HKEY_CURRENT_USER\\A]\r\n", 1},                                      // no header
      {"Windows Registry Editor Version 5.00\r\n\"x\"=dword:1\r\n", 2},       // value before any key
      {"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\A\r\n", 2},  // no closing bracket
      {"Windows Registry Editor Version 5.00\r\n[NOT_A_HIVE\\A]\r\n", 2},
      {"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\A]\r\n\"x\"=dword:123456789\r\n", 3},
      {"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\A]\r\n\"x\"=dword:-1\r\n", 3},
      {"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\A]\r\n\"x\"=dword:\r\n", 3},
      {"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\A]\r\n\"x=\"1\"\r\n", 3},
      {"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\A]\r\n\"x\"=\"open\r\n", 3},
      {"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\A]\r\n\"x\"=\"a\" b\r\n", 3},
      {"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\A]\r\n\"x\"=12\r\n", 3},
      {"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\A]\r\nx=\"1\"\r\n", 3},
      {"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\A]\r\n\"x\"=hex:zz\r\n", 3},
      {"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\A]\r\n\"x\"=hex(1):41\r\n", 3},
      {"\x01\x02garbage", 1},
      {"", 1},
  };
  for (const Case& c : cases) {
    RegistryTree tree;
    const std::optional<RegTextError> error = ParseRegText(QByteArray(c.text), &tree);
    ASSERT_TRUE(error) << c.text;
    EXPECT_EQ(std::make_tuple(error->line, error->reason.isEmpty()), std::make_tuple(c.line, false)) << c.text;
  }
}

}  // namespace
}  // namespace kvf::platform
