#include "core/comments/RtfReader.h"

#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>

#include "core/comments/CommentsRtf.h"

namespace kvf {
namespace {

QString Plain(const QString& rtf) {
  QTextDocument document;
  ReadRtf(rtf, &document);
  return document.toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

TEST(RtfReaderTest, ComposedTextsReadBackLiterally) {
  const QString comment = QStringLiteral("a\\b{c}\r\nÅäö 日本 😀 \\par");
  const QString rtf =
      RtfFrame(QStringLiteral("\\b Radkommentar\\b0\r\n\\par ") + EscapeRtf(comment) + QStringLiteral("\r\n\\par"));
  QTextDocument document;
  ReadRtf(rtf, &document);
  EXPECT_EQ(document.toPlainText(), QStringLiteral("Radkommentar\na\\b{c}\nÅäö 日本 😀 \\par\n"));
  const QTextCharFormat heading = document.firstBlock().begin().fragment().charFormat();
  EXPECT_EQ(std::make_pair(heading.fontWeight(), heading.fontPointSize()), std::make_pair(int(QFont::Bold), 8.5));
  EXPECT_EQ(document.firstBlock().next().begin().fragment().charFormat().fontWeight(), QFont::Normal);
}

TEST(RtfReaderTest, ControlWords) {
  const struct {
    const char* rtf;
    const char16_t* text;
  } cases[] = {
      {"{\\rtf1 A\\'e9\\'80\\u8364?\\u-10179?\\u-8704?B}", u"Aé€€😀B"},
      {"{\\rtf1{\\fonttbl{\\f0 Font;}}{\\*\\x hidden}\\tab C\\uc0\\u233 D\\unknown99 E\\~F}", u"\tCéDE\u00a0F"},
      {"{\\rtf1{\\uc2\\u233 xyZ}\\u233 xZ}", u"éZéZ"},
      {"{\\rtf1 \\u99999999999 ?G\\u70000 ?H\\u-10179 ?I\\'zz\\'8}", u"\ufffdG\ufffdH\ufffdIzz8"},
      {"{\\rtf1 a\rb\nc\\\r\nd}}}e", u"abc\nde"},
      {"not rtf\r\nline 2\n\x01", u"not rtf\nline 2\n\ufffd"},
  };
  for (const auto& c : cases) EXPECT_EQ(Plain(QString::fromUtf8(c.rtf)), QString::fromUtf16(c.text)) << c.rtf;
  // NUL characters and a cut-off control word.
  EXPECT_EQ(Plain(QStringLiteral("{\\rtf1 a") + QChar(0) + QStringLiteral("b\\")), QStringLiteral("a\ufffdb"));
}

TEST(RtfReaderTest, HostileNestingAndSize) {
  const int depth = 200000;
  const QString deep = QStringLiteral("{\\rtf1 ") + QString(depth, QLatin1Char('{')) + QStringLiteral("\\b x") +
                       QString(depth, QLatin1Char('}')) + QStringLiteral(" y}");
  QTextDocument document;
  ReadRtf(deep, &document);
  EXPECT_EQ(document.toPlainText(), QStringLiteral("x y"));
  // The group at the cap keeps its formatting; closing every group restores it.
  QTextCursor end(&document);
  end.movePosition(QTextCursor::End);
  EXPECT_EQ(end.charFormat().fontWeight(), QFont::Normal);
  // One megabyte of comment comes through whole.
  const QString big(1 << 20, QLatin1Char('k'));
  EXPECT_EQ(Plain(RtfFrame(EscapeRtf(big))).size(), big.size());
}

}  // namespace
}  // namespace kvf
