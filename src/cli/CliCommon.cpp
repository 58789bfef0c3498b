#include "CliCommon.h"

#include <cstdio>

#include "core/session/DocumentSession.h"
#include "core/settings/SettingsFile.h"
#include "core/settings/UserBlocks.h"
#include "platform/registry/FileRegistryStore.h"

namespace kvf::cli {

void WriteOut(const QByteArray& bytes) {
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
  std::fflush(stdout);
}

void WriteError(const QString& line) {
  const QByteArray bytes = line.toUtf8() + '\n';
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
  std::fflush(stderr);
}

int UsageError(const QString& command, const QString& message) {
  WriteError(QStringLiteral("kvf %1: %2").arg(command, message));
  WriteError(QStringLiteral("Try 'kvf --help'."));
  return kExitUsage;
}

std::optional<Arguments> Arguments::Parse(const QStringList& words, const QStringList& flagNames,
                                          const QStringList& valueNames, QString* error) {
  Arguments result;
  for (qsizetype i = 0; i < words.size(); ++i) {
    const QString& word = words[i];
    if (!word.startsWith(QStringLiteral("--")) || word == QStringLiteral("--")) {
      result.positional_ << word;
      continue;
    }
    QString name = word.mid(2);
    QString inlineValue;
    bool hasInline = false;
    if (const qsizetype eq = name.indexOf(QLatin1Char('=')); eq >= 0) {
      inlineValue = name.mid(eq + 1);
      name = name.left(eq);
      hasInline = true;
    }
    if (flagNames.contains(name) && !hasInline) {
      result.options_.append({name, QString()});
    } else if (valueNames.contains(name)) {
      if (hasInline) {
        result.options_.append({name, inlineValue});
      } else if (i + 1 < words.size()) {
        result.options_.append({name, words[++i]});
      } else {
        *error = QStringLiteral("option --%1 needs a value").arg(name);
        return std::nullopt;
      }
    } else {
      *error = QStringLiteral("unknown option --%1").arg(name);
      return std::nullopt;
    }
  }
  return result;
}

bool Arguments::Has(const QString& name) const {
  for (const auto& option : options_)
    if (option.first == name) return true;
  return false;
}

std::optional<QString> Arguments::Value(const QString& name) const {
  std::optional<QString> found;
  for (const auto& option : options_)
    if (option.first == name) found = option.second;
  return found;
}

QStringList Arguments::Values(const QString& name) const {
  QStringList values;
  for (const auto& option : options_)
    if (option.first == name) values << option.second;
  return values;
}

std::optional<int> ParseInt(const QString& text) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok, 10);
  if (!ok || text.trimmed() != text) return std::nullopt;
  return value;
}

bool OpenDocument(DocumentSession& session, const QString& path) {
  // The user's blocks come from the settings file the viewer uses; the store
  // and the source live as long as the process.
  static platform::FileRegistryStore& store = platform::UserRegistryStore(platform::FileRegistryStore::Access::ReadOnly);
  static RegistryUserBlockSource userBlocks(store);
  if (const Status file = SettingsFileStatus(store); !file) WriteError(file.Text());
  session.SetUserBlockSource(&userBlocks);
  const Status loaded = session.LoadDocument(path, false);
  if (loaded) return true;
  WriteError(loaded.Text());
  return false;
}

OfferCheck OffersDataCopy() {
  return [](const SurveyDocument& document) -> std::optional<BiText> {
    if (document.info.allowCopy && document.info.allowCopyData) return std::nullopt;
    return BiText{QStringLiteral("This document does not allow its data to be copied."),
                  QStringLiteral("Det här dokumentet tillåter inte att dess data kopieras.")};
  };
}

OfferCheck OffersSaving() {
  return [](const SurveyDocument& document) -> std::optional<BiText> {
    if (document.info.allowSave) return std::nullopt;
    return BiText{QStringLiteral("This document does not allow its pictures to be saved."),
                  QStringLiteral("Det här dokumentet tillåter inte att dess bilder sparas.")};
  };
}

}  // namespace kvf::cli
