#include "platform/registry/RegText.h"

#include <QStringDecoder>
#include <QtEndian>
#include <algorithm>
#include <array>

namespace kvf::platform {
namespace {

constexpr std::array<const char*, 5> kHives = {"HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_CLASSES_ROOT",
                                               "HKEY_USERS", "HKEY_CURRENT_CONFIG"};

QString DecodeText(const QByteArray& bytes) {
  if (bytes.size() >= 2 && static_cast<uint8_t>(bytes[0]) == 0xFF && static_cast<uint8_t>(bytes[1]) == 0xFE) {
    QStringDecoder decoder(QStringDecoder::Utf16LE);
    return decoder.decode(bytes.mid(2));
  }
  QByteArray body = bytes;
  if (body.startsWith("\xEF\xBB\xBF")) body.remove(0, 3);
  QStringDecoder decoder(QStringDecoder::Utf8);
  QString text = decoder.decode(body);
  if (decoder.hasError()) return QString::fromLatin1(body);  // an ANSI file
  return text;
}

// The key path of a section with its hive spelled canonically; empty when
// the path does not start with a hive.
QString SectionPath(const QString& inside) {
  const QString normalized = RegistryTree::NormalizePath(inside);
  const qsizetype slash = normalized.indexOf(QLatin1Char('\\'));
  const QString hive = slash < 0 ? normalized : normalized.left(slash);
  for (const char* known : kHives) {
    if (hive.compare(QLatin1String(known), Qt::CaseInsensitive) == 0)
      return QLatin1String(known) + normalized.mid(hive.size());
  }
  return QString();
}

// Reads a quoted string starting at text[pos] == '"'. On success pos is just
// past the closing quote.
bool ReadQuoted(const QString& text, qsizetype& pos, QString* out) {
  out->clear();
  ++pos;
  while (pos < text.size()) {
    const QChar c = text[pos];
    if (c == QLatin1Char('"')) {
      ++pos;
      return true;
    }
    if (c == QLatin1Char('\\') && pos + 1 < text.size()) {
      const QChar next = text[pos + 1];
      if (next == QLatin1Char('\\') || next == QLatin1Char('"')) {
        *out += next;
        pos += 2;
        continue;
      }
      // Not an escape regedit writes: keep the backslash as typed.
    }
    *out += c;
    ++pos;
  }
  return false;
}

void SkipBlanks(const QString& text, qsizetype& pos) {
  while (pos < text.size() && (text[pos] == QLatin1Char(' ') || text[pos] == QLatin1Char('\t'))) ++pos;
}

bool IsHexList(QStringView list) {
  return std::all_of(list.begin(), list.end(), [](QChar c) {
    return c.isSpace() || c == QLatin1Char(',') || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f'));
  });
}

// hex(1) data: UTF-16LE bytes of a string, usually with its terminating zero.
bool DecodeHexString(QStringView list, QString* out) {
  QByteArray bytes;
  for (QStringView part : list.split(QLatin1Char(','))) {
    part = part.trimmed();
    if (part.isEmpty()) continue;
    bool ok = false;
    const uint value = part.toUInt(&ok, 16);
    if (!ok || value > 0xFF) return false;
    bytes.append(static_cast<char>(value));
  }
  if (bytes.size() % 2 != 0) return false;
  QString text(reinterpret_cast<const QChar*>(bytes.constData()), bytes.size() / 2);
  // Stored little-endian; QChar is host order.
  for (QChar& c : text) c = QChar(qFromLittleEndian(c.unicode()));
  if (text.endsWith(QChar(0))) text.chop(1);
  *out = text;
  return true;
}

QString EncodeHexString(const QString& text) {
  QString out = QStringLiteral("hex(1):");
  const QString withZero = text + QChar(0);
  for (qsizetype i = 0; i < withZero.size(); ++i) {
    const ushort unit = withZero[i].unicode();
    if (i > 0) out += QLatin1Char(',');
    out += QStringLiteral("%1,%2").arg(unit & 0xFF, 2, 16, QLatin1Char('0')).arg(unit >> 8, 2, 16, QLatin1Char('0'));
  }
  return out;
}

bool HasControlCharacter(const QString& text) {
  return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
}

class Parser {
 public:
  explicit Parser(RegistryTree* tree) : tree_(tree) {}

  // The fault that made Run return false.
  const RegTextError& Error() const { return error_; }

  bool Run(const QString& text) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    bool headerSeen = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
      lineNumber_ = static_cast<int>(i + 1);
      QString line = lines[i];
      if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
      // Hex data may continue over several lines, each but the last ending in "\".
      while (line.endsWith(QLatin1Char('\\')) && IsHexContinuation(line) && i + 1 < lines.size()) {
        line.chop(1);
        QString next = lines[++i];
        if (next.endsWith(QLatin1Char('\r'))) next.chop(1);
        line += next.trimmed();
      }
      const QString trimmed = line.trimmed();
      if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';'))) continue;
      if (!headerSeen) {
        if (trimmed != QLatin1String("Windows Registry Editor Version 5.00") &&
            trimmed != QLatin1String("REGEDIT4"))
          return Fail(QStringLiteral("the first line is not \"Windows Registry Editor Version 5.00\""));
        headerSeen = true;
        continue;
      }
      if (trimmed.startsWith(QLatin1Char('['))) {
        if (!Section(trimmed)) return false;
      } else if (!ValueLine(trimmed)) {
        return false;
      }
    }
    if (!headerSeen) return Fail(QStringLiteral("the file has no header line"));
    return true;
  }

 private:
  // True when line is a value line whose data is a hex byte list (which may
  // go on over the next lines).
  static bool IsHexContinuation(const QString& line) {
    const QString trimmed = line.trimmed();
    qsizetype pos = 0;
    QString name;
    if (trimmed.startsWith(QLatin1Char('@'))) {
      pos = 1;
    } else if (!trimmed.startsWith(QLatin1Char('"')) || !ReadQuoted(trimmed, pos, &name)) {
      return false;
    }
    SkipBlanks(trimmed, pos);
    if (pos >= trimmed.size() || trimmed[pos] != QLatin1Char('=')) return false;
    ++pos;
    SkipBlanks(trimmed, pos);
    return QStringView(trimmed).mid(pos).startsWith(QLatin1String("hex"), Qt::CaseInsensitive);
  }

  bool Fail(const QString& message) {
    error_ = {lineNumber_, message};
    return false;
  }

  bool Section(const QString& line) {
    if (!line.endsWith(QLatin1Char(']'))) return Fail(QStringLiteral("a key line does not end with \"]\""));
    QString inside = line.mid(1, line.size() - 2);
    const bool remove = inside.startsWith(QLatin1Char('-'));
    if (remove) inside.remove(0, 1);
    const QString path = SectionPath(inside);
    if (path.isEmpty()) return Fail(QStringLiteral("a key does not start with a hive such as HKEY_CURRENT_USER"));
    if (remove) {
      tree_->RemoveKey(path);
      key_.clear();
    } else {
      tree_->EnsureKey(path);
      key_ = path;
    }
    return true;
  }

  bool ValueLine(const QString& line) {
    if (key_.isEmpty()) return Fail(QStringLiteral("a value comes before any key"));
    qsizetype pos = 0;
    QString name;
    if (line.startsWith(QLatin1Char('@'))) {
      pos = 1;
    } else if (line.startsWith(QLatin1Char('"'))) {
      if (!ReadQuoted(line, pos, &name)) return Fail(QStringLiteral("a value name has no closing quote"));
    } else {
      return Fail(QStringLiteral("a line is neither a key, a value nor a comment"));
    }
    SkipBlanks(line, pos);
    if (pos >= line.size() || line[pos] != QLatin1Char('=')) return Fail(QStringLiteral("\"=\" is missing after a value name"));
    ++pos;
    SkipBlanks(line, pos);
    const QString data = line.mid(pos);
    if (data == QLatin1String("-")) {
      tree_->RemoveValue(key_, name);
      return true;
    }
    if (data.startsWith(QLatin1Char('"'))) {
      QString text;
      qsizetype at = pos;
      if (!ReadQuoted(line, at, &text)) return Fail(QStringLiteral("a string value has no closing quote"));
      SkipBlanks(line, at);
      if (at != line.size()) return Fail(QStringLiteral("text follows a string value"));
      tree_->SetValue(key_, name, RegistryValue::String(text));
      return true;
    }
    if (data.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
      const QString digits = data.mid(6).trimmed();
      bool ok = false;
      const uint value = digits.toUInt(&ok, 16);
      if (!ok || digits.isEmpty() || digits.size() > 8 || digits.startsWith(QLatin1Char('+')) ||
          digits.startsWith(QLatin1Char('-')))
        return Fail(QStringLiteral("a dword value is not 1 to 8 hexadecimal digits"));
      tree_->SetValue(key_, name, RegistryValue::Dword(value));
      return true;
    }
    if (data.startsWith(QLatin1String("hex"), Qt::CaseInsensitive)) {
      const qsizetype colon = data.indexOf(QLatin1Char(':'));
      if (colon < 0 || !IsHexList(QStringView(data).mid(colon + 1)))
        return Fail(QStringLiteral("a hex value is not a list of bytes"));
      const QString kind = data.left(colon).toLower();
      if (kind == QLatin1String("hex(1)")) {
        QString text;
        if (!DecodeHexString(QStringView(data).mid(colon + 1), &text))
          return Fail(QStringLiteral("a hex(1) string value has a bad byte list"));
        tree_->SetValue(key_, name, RegistryValue::String(text));
      } else {
        tree_->SetValue(key_, name, RegistryValue::Other(data));
      }
      return true;
    }
    return Fail(QStringLiteral("a value's data is neither \"text\", dword:, hex: nor -"));
  }

  RegistryTree* tree_;
  RegTextError error_;
  QString key_;
  int lineNumber_ = 0;
};

}  // namespace

std::optional<RegTextError> ParseRegText(const QByteArray& bytes, RegistryTree* tree) {
  Parser parser(tree);
  if (parser.Run(DecodeText(bytes))) return std::nullopt;
  return parser.Error();
}

QString QuoteRegString(const QString& text) {
  QString out = QStringLiteral("\"");
  for (const QChar c : text) {
    if (c == QLatin1Char('\\') || c == QLatin1Char('"')) out += QLatin1Char('\\');
    out += c;
  }
  return out + QLatin1Char('"');
}

QByteArray FormatRegText(const RegistryTree& tree) {
  QString out = QStringLiteral("Windows Registry Editor Version 5.00\r\n");
  for (const RegistryTree::Key* key : tree.AllKeys()) {
    out += QStringLiteral("\r\n[") + key->path + QStringLiteral("]\r\n");
    auto values = key->values;
    std::stable_sort(values.begin(), values.end(), [](const auto& a, const auto& b) {
      return a.first.compare(b.first, Qt::CaseInsensitive) < 0;
    });
    for (const auto& [name, value] : values) {
      out += name.isEmpty() ? QStringLiteral("@") : QuoteRegString(name);
      out += QLatin1Char('=');
      switch (value.type) {
        case RegistryType::Dword:
          out += QStringLiteral("dword:%1").arg(value.dword, 8, 16, QLatin1Char('0'));
          break;
        case RegistryType::String:
          out += HasControlCharacter(value.text) ? EncodeHexString(value.text) : QuoteRegString(value.text);
          break;
        case RegistryType::Other:
          out += value.text;
          break;
      }
      out += QStringLiteral("\r\n");
    }
  }
  return QByteArray("\xEF\xBB\xBF") + out.toUtf8();
}

}  // namespace kvf::platform
