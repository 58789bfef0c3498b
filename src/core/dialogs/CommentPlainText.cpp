#include "core/dialogs/CommentPlainText.h"

#include <QStringDecoder>
#include <QStringList>
#include <vector>

namespace kvf {

namespace {

bool IsAsciiLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Destinations whose contents are never text.
bool IsSkippedDestination(const QString& word) {
  static const QStringList words = {
      QStringLiteral("fonttbl"),  QStringLiteral("colortbl"),  QStringLiteral("stylesheet"),
      QStringLiteral("info"),     QStringLiteral("pict"),      QStringLiteral("header"),
      QStringLiteral("footer"),   QStringLiteral("listtable"), QStringLiteral("listoverridetable"),
      QStringLiteral("generator")};
  return words.contains(word);
}

// The characters of the Windows-1252 bytes (Latin-1 where the system has
// no such codec), made once.
QChar Windows1252(int byte) {
  static const QString table = [] {
    QByteArray bytes(256, Qt::Uninitialized);
    for (int i = 0; i < 256; ++i) bytes[i] = static_cast<char>(i);
    QStringDecoder decoder("windows-1252");
    QString decoded = decoder.isValid() ? decoder.decode(bytes) : QString();
    return decoded.size() == 256 ? decoded : QString::fromLatin1(bytes);
  }();
  return table[byte & 0xFF];
}

}  // namespace

QString CommentPlainText(const QString& rtf) {
  if (!rtf.startsWith(QStringLiteral("{\\rtf"))) return rtf;
  QString out;
  // Per open group: whether its text is dropped.
  std::vector<bool> skipped{false};
  int pendingSkip = 0;  // characters to drop after a \uN escape
  const qsizetype n = rtf.size();
  qsizetype i = 0;
  const auto put = [&](QChar c) {
    if (pendingSkip > 0) {
      --pendingSkip;
      return;
    }
    if (!skipped.back()) out += c;
  };
  while (i < n) {
    const QChar c = rtf[i];
    if (c == u'{') {
      skipped.push_back(skipped.back());
      ++i;
      continue;
    }
    if (c == u'}') {
      if (skipped.size() > 1) skipped.pop_back();
      ++i;
      continue;
    }
    if (c == u'\r' || c == u'\n') {
      ++i;
      continue;
    }
    if (c != u'\\') {
      put(c);
      ++i;
      continue;
    }
    // A control symbol or word.
    ++i;
    if (i >= n) break;
    const QChar next = rtf[i];
    if (next == u'\\' || next == u'{' || next == u'}') {
      put(next);
      ++i;
      continue;
    }
    if (next == u'*') {
      skipped.back() = true;
      ++i;
      continue;
    }
    if (next == u'\'') {
      bool ok = false;
      const int byte = rtf.mid(i + 1, 2).toInt(&ok, 16);
      i += 3;
      if (ok) put(Windows1252(byte));
      continue;
    }
    if (next == u'~') {
      put(QChar(0x00A0));
      ++i;
      continue;
    }
    if (!IsAsciiLetter(next)) {
      if (next == u'\r' || next == u'\n') put(QLatin1Char('\n'));
      ++i;
      continue;
    }
    const qsizetype wordStart = i;
    while (i < n && IsAsciiLetter(rtf[i])) ++i;
    const QString word = rtf.mid(wordStart, i - wordStart);
    const qsizetype numberStart = i;
    if (i < n && rtf[i] == u'-') ++i;
    while (i < n && IsAsciiDigit(rtf[i]) && i - numberStart < 11) ++i;
    const long long parameter = rtf.mid(numberStart, i - numberStart).toLongLong();
    const bool hasParameter = i > numberStart;
    if (i < n && rtf[i] == u' ') ++i;  // the delimiter belongs to the word

    if (IsSkippedDestination(word)) {
      skipped.back() = true;
    } else if (word == QLatin1String("par") || word == QLatin1String("line")) {
      put(QLatin1Char('\n'));
    } else if (word == QLatin1String("tab")) {
      put(QLatin1Char('\t'));
    } else if (word == QLatin1String("u") && hasParameter) {
      const auto unit = static_cast<char16_t>(parameter < 0 ? parameter + 65536 : parameter);
      put(QChar(unit));
      pendingSkip = 1;
    }
  }
  return out;
}

}  // namespace kvf
