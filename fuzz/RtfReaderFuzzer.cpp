// Feeds arbitrary bytes to the rich-text reader, read as UTF-8 (how
// document comments reach it) and as Latin-1 (every byte a character, so
// that control words, hex escapes and braces are reached from any input).
// Then the same bytes as a comment: escaped and framed, they must read back
// as their own characters, whatever they hold.
#include <QString>
#include <QTextDocument>
#include <cstdint>
#include <cstdlib>

#include "core/comments/CommentsRtf.h"
#include "core/comments/RtfReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto* bytes = reinterpret_cast<const char*>(data);
  const auto length = static_cast<qsizetype>(size);
  QTextDocument document;
  kvf::ReadRtf(QString::fromUtf8(bytes, length), &document);
  kvf::ReadRtf(QString::fromLatin1(bytes, length), &document);

  // A comment of printable ASCII and the characters RTF gives a meaning to.
  QString comment;
  for (size_t i = 0; i < size; ++i) {
    const char c = bytes[i];
    if (c >= 0x20 && c < 0x7F) comment += QLatin1Char(c);
  }
  kvf::ReadRtf(kvf::RtfFrame(QStringLiteral("\\b0 ") + kvf::EscapeRtf(comment)), &document);
  if (document.toRawText() != comment) std::abort();
  return 0;
}
