#include "core/comments/RtfReader.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <array>
#include <vector>

namespace kvf {

namespace {

constexpr char16_t kReplacement = 0xFFFD;
constexpr int kMaxWordLength = 32;
constexpr int kMaxParameterDigits = 10;
constexpr int kDefaultHalfPoints = 24;

// Windows-1252 at 0x80..0x9F; the rest of the code page is Latin-1.
constexpr std::array<char16_t, 32> kCp1252High = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                                  0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

char16_t FromCp1252(int byte) {
  return byte >= 0x80 && byte < 0xA0 ? kCp1252High[static_cast<size_t>(byte - 0x80)] : static_cast<char16_t>(byte);
}

int HexDigit(QChar c) {
  const char16_t u = c.unicode();
  if (u >= '0' && u <= '9') return u - '0';
  if (u >= 'a' && u <= 'f') return u - 'a' + 10;
  if (u >= 'A' && u <= 'F') return u - 'A' + 10;
  return -1;
}

bool IsAsciiLetter(QChar c) {
  const char16_t u = c.unicode();
  return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z');
}

bool IsSkippedDestination(const QString& word) {
  static const char* const kDestinations[] = {"fonttbl", "colortbl",  "stylesheet", "info",      "pict",
                                              "object",  "header",    "footer",     "listtable", "listoverridetable",
                                              "rsidtbl", "generator", "themedata",  "datastore", "latentstyles",
                                              "fldinst", "xmlnstbl",  "filetbl",    "revtbl"};
  for (const char* destination : kDestinations)
    if (word == QLatin1String(destination)) return true;
  return false;
}

struct GroupState {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int halfPoints = kDefaultHalfPoints;
  int unicodeSkip = 1;  // \ucN: fallback characters after \uN
  bool skip = false;    // a destination without text
};

class Builder {
 public:
  // The whole text is one edit, kept out of the undo stack.
  explicit Builder(QTextDocument* document) : cursor_(document) {
    document->setUndoRedoEnabled(false);
    cursor_.beginEditBlock();
  }
  ~Builder() { cursor_.endEditBlock(); }

  // Adds one character of text in the given state (surrogate pairs are kept
  // together; a lone surrogate or a control character shows as U+FFFD).
  void Add(char16_t c, const GroupState& state) {
    if (pendingHigh_ != 0) {
      const char16_t high = pendingHigh_;
      pendingHigh_ = 0;
      if (QChar::isLowSurrogate(c)) {
        Append(high, state);
        Append(c, state);
        return;
      }
      Append(kReplacement, state);
    }
    if (QChar::isHighSurrogate(c)) {
      pendingHigh_ = c;
      return;
    }
    if (QChar::isLowSurrogate(c) || (c < 0x20 && c != '\t')) c = kReplacement;
    Append(c, state);
  }
  // A paragraph break goes into the run: the document splits a run into
  // blocks far faster than a block is inserted at a time.
  void Paragraph(const GroupState& state) {
    if (pendingHigh_ != 0) {
      pendingHigh_ = 0;
      Append(kReplacement, state);
    }
    Append(QChar::ParagraphSeparator, state);
  }
  void Flush() {
    if (pendingHigh_ != 0) {
      pendingHigh_ = 0;
      run_ += QChar(kReplacement);
    }
    if (!run_.isEmpty()) cursor_.insertText(run_, format_);
    run_.clear();
  }

 private:
  void Append(char16_t c, const GroupState& state) {
    if (!hasFormat_ || state.bold != runState_.bold || state.italic != runState_.italic ||
        state.underline != runState_.underline || state.halfPoints != runState_.halfPoints) {
      if (!run_.isEmpty()) cursor_.insertText(run_, format_);
      run_.clear();
      runState_ = state;
      hasFormat_ = true;
      format_ = QTextCharFormat();
      format_.setFontWeight(state.bold ? QFont::Bold : QFont::Normal);
      format_.setFontItalic(state.italic);
      format_.setFontUnderline(state.underline);
      format_.setFontPointSize(state.halfPoints / 2.0);
    }
    run_ += QChar(c);
  }

  QTextCursor cursor_;
  QTextCharFormat format_;
  GroupState runState_;
  bool hasFormat_ = false;
  QString run_;
  char16_t pendingHigh_ = 0;
};

void ReadPlainText(const QString& text, QTextDocument* document) {
  Builder builder(document);
  GroupState state;
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t c = text[i].unicode();
    if (c == '\r' && i + 1 < n && text[i + 1] == QLatin1Char('\n')) continue;
    if (c == '\r' || c == '\n') {
      builder.Paragraph(state);
      continue;
    }
    builder.Add(c, state);
  }
  builder.Flush();
}

}  // namespace

void ReadRtf(const QString& rtf, QTextDocument* document) {
  document->clear();
  if (!rtf.trimmed().startsWith(QLatin1String("{\\rtf"))) {
    ReadPlainText(rtf, document);
    return;
  }
  Builder builder(document);
  std::vector<GroupState> stack(1);
  stack.reserve(kRtfMaxDepth + 1);
  int64_t overflow = 0;  // groups opened beyond the cap and not yet closed
  int fallback = 0;      // characters still to skip after \uN

  auto text = [&](char16_t c) {
    const GroupState& state = stack.back();
    if (state.skip) return;
    if (fallback > 0) {
      --fallback;
      return;
    }
    builder.Add(c, state);
  };

  const qsizetype n = rtf.size();
  qsizetype i = 0;
  while (i < n) {
    const QChar c = rtf[i];
    if (c == QLatin1Char('{')) {
      ++i;
      fallback = 0;
      if (stack.size() > static_cast<size_t>(kRtfMaxDepth)) {
        ++overflow;
      } else {
        stack.push_back(stack.back());
      }
      continue;
    }
    if (c == QLatin1Char('}')) {
      ++i;
      fallback = 0;
      if (overflow > 0) {
        --overflow;
      } else if (stack.size() > 1) {
        stack.pop_back();
      }
      continue;
    }
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
      ++i;
      continue;
    }
    if (c != QLatin1Char('\\')) {
      text(c.unicode());
      ++i;
      continue;
    }
    // A control symbol or word.
    ++i;
    if (i >= n) break;
    const QChar symbol = rtf[i];
    if (!IsAsciiLetter(symbol)) {
      ++i;
      switch (symbol.unicode()) {
        case '\\':
        case '{':
        case '}':
          text(symbol.unicode());
          break;
        case '~':
          text(0x00A0);
          break;
        case '_':
          text(0x2011);
          break;
        case '*':
          stack.back().skip = true;
          break;
        case '\r':
        case '\n':
          if (!stack.back().skip) builder.Paragraph(stack.back());
          break;
        case '\'': {
          const int high = i < n ? HexDigit(rtf[i]) : -1;
          const int low = i + 1 < n ? HexDigit(rtf[i + 1]) : -1;
          if (high >= 0 && low >= 0) {
            i += 2;
            text(FromCp1252(high * 16 + low));
          }
          break;
        }
        default:  // "\-" (optional hyphen) and unknown symbols
          break;
      }
      continue;
    }
    QString word;
    while (i < n && IsAsciiLetter(rtf[i])) {
      if (word.size() < kMaxWordLength + 1) word += rtf[i];
      ++i;
    }
    bool hasParameter = false;
    bool parameterValid = true;
    bool negative = false;
    int64_t parameter = 0;
    if (i < n && rtf[i] == QLatin1Char('-') && i + 1 < n && rtf[i + 1].isDigit()) {
      negative = true;
      ++i;
    }
    int digits = 0;
    while (i < n && rtf[i].unicode() >= '0' && rtf[i].unicode() <= '9') {
      hasParameter = true;
      if (++digits > kMaxParameterDigits)
        parameterValid = false;
      else
        parameter = parameter * 10 + (rtf[i].unicode() - '0');
      ++i;
    }
    if (negative) parameter = -parameter;
    if (i < n && rtf[i] == QLatin1Char(' ')) ++i;  // the delimiter belongs to the word
    if (word.size() > kMaxWordLength) continue;

    GroupState& state = stack.back();
    const bool on = !hasParameter || parameter != 0;
    if (word == QLatin1String("par")) {
      fallback = 0;
      if (!state.skip) builder.Paragraph(state);
    } else if (word == QLatin1String("line")) {
      text(QChar::LineSeparator);
    } else if (word == QLatin1String("tab")) {
      text('\t');
    } else if (word == QLatin1String("u")) {
      char16_t unit = kReplacement;
      if (hasParameter && parameterValid && parameter >= -32768 && parameter <= 65535)
        unit = static_cast<char16_t>(parameter < 0 ? parameter + 65536 : parameter);
      const int skipAfter = state.unicodeSkip;
      fallback = 0;
      text(unit);
      fallback = skipAfter;
    } else if (word == QLatin1String("uc")) {
      if (hasParameter && parameterValid && parameter >= 0 && parameter <= 10)
        state.unicodeSkip = static_cast<int>(parameter);
    } else if (word == QLatin1String("b")) {
      state.bold = on;
    } else if (word == QLatin1String("i")) {
      state.italic = on;
    } else if (word == QLatin1String("ul")) {
      state.underline = on;
    } else if (word == QLatin1String("ulnone")) {
      state.underline = false;
    } else if (word == QLatin1String("fs")) {
      if (hasParameter && parameterValid && parameter >= 2 && parameter <= 3276)
        state.halfPoints = static_cast<int>(parameter);
    } else if (word == QLatin1String("plain")) {
      state.bold = state.italic = state.underline = false;
      state.halfPoints = kDefaultHalfPoints;
    } else if (IsSkippedDestination(word)) {
      state.skip = true;
    }
    // Anything else (\rtf, \ansi, \deff, \deflang, \pard, \tx, \f, ...)
    // changes nothing that is shown.
  }
  builder.Flush();
}

}  // namespace kvf
