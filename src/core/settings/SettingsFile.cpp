#include "core/settings/SettingsFile.h"

#include <QDir>

namespace kvf {

Status SettingsFileStatus(const platform::FileRegistryStore& store) {
  using State = platform::FileRegistryStore::Status;
  const QString file = QDir::toNativeSeparators(store.FilePath());
  const std::optional<platform::RegTextError>& fault = store.ParseError();
  const QString where = fault ? QStringLiteral("line %1: %2").arg(fault->line).arg(fault->reason) : QString();
  const int code = static_cast<int>(store.GetStatus());
  switch (store.GetStatus()) {
    case State::Ok:
      return Status::Ok();
    case State::SetAside: {
      const QString backup = QDir::toNativeSeparators(store.BackupPath());
      return Status::Failure({QStringLiteral("The settings file \"%1\" could not be read (%2). The defaults are used; "
                                             "the unreadable file has been kept as \"%3\".")
                                  .arg(file, where, backup),
                              QStringLiteral("Inställningsfilen \"%1\" kunde inte läsas (%2). Standardvärdena används; "
                                             "den olästa filen har sparats som \"%3\".")
                                  .arg(file, where, backup)},
                             code);
    }
    case State::Unreadable:
      return Status::Failure({QStringLiteral("The settings file \"%1\" could not be read (%2) nor copied. "
                                             "The defaults are used and no settings are saved during this run.")
                                  .arg(file, where),
                              QStringLiteral("Inställningsfilen \"%1\" kunde inte läsas (%2) och inte kopieras. "
                                             "Standardvärdena används och inga inställningar sparas den här gången.")
                                  .arg(file, where)},
                             code);
    case State::AccessDenied:
      return Status::Failure({QStringLiteral("The settings file \"%1\" cannot be opened. The defaults are used and no "
                                             "settings are saved during this run.")
                                  .arg(file),
                              QStringLiteral("Inställningsfilen \"%1\" kan inte öppnas. Standardvärdena används och "
                                             "inga inställningar sparas den här gången.")
                                  .arg(file)},
                             code);
    case State::Damaged:
      return Status::Failure({QStringLiteral("The settings file \"%1\" could not be read (%2). The defaults are used.")
                                  .arg(file, where),
                              QStringLiteral("Inställningsfilen \"%1\" kunde inte läsas (%2). Standardvärdena används.")
                                  .arg(file, where)},
                             code);
    case State::WriteFailed:
      return Status::Failure({QStringLiteral("The settings file \"%1\" could not be written.").arg(file),
                              QStringLiteral("Inställningsfilen \"%1\" kunde inte skrivas.").arg(file)},
                             code);
  }
  return Status::Ok();
}

}  // namespace kvf
