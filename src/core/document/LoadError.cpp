#include "core/document/LoadError.h"

namespace kvf {

BiText LoadErrorText(LoadError error) {
  const QString app = ApplicationTitle();
  switch (error) {
    case LoadError::None:
      return {};
    case LoadError::CannotOpen:
      return {QStringLiteral("Can not open the file!"), QStringLiteral("Kan inte öppna filen!")};
    case LoadError::NotKvf:
      return {QStringLiteral("This is not a KVF file!"), QStringLiteral("Det här är inte en KVF-fil!")};
    case LoadError::TooOld:
      return {QStringLiteral("This KVF file is in an older format that this version of ") + app +
                  QStringLiteral(" does not support!"),
              QStringLiteral("Den här KVF-filen är i ett äldre format som denna version av ") + app +
                  QStringLiteral(" inte stöder!")};
    case LoadError::TooNew:
      return {QStringLiteral("This KVF file is in a newer format that this version of ") + app +
                  QStringLiteral(" does not support! Please upgrade your copy of ") + app + QStringLiteral("!"),
              QStringLiteral("Den här KVF-filen är i ett nyare format som denna version av ") + app +
                  QStringLiteral(" inte stöder! Uppgradera din kopia av ") + app + QStringLiteral("!")};
    case LoadError::Damaged:
      return {QStringLiteral("This KVF file is damaged!"), QStringLiteral("Den här KVF-filen är skadad!")};
    case LoadError::TooBig:
      return {QStringLiteral("This KVF file is to big for this version of ") + app + QStringLiteral("!"),
              QStringLiteral("Den här KVF-filen är för stor för den här versionen av ") + app + QStringLiteral("!")};
  }
  return {};
}

Status LoadFailure(LoadError error) { return Status::Failure(LoadErrorText(error), static_cast<int>(error)); }

LoadError LoadErrorOf(const Status& status) { return static_cast<LoadError>(status.Code()); }

BiText UpgradeWarningCaption() {
  return {QStringLiteral("Time to upgrade"), QStringLiteral("Dags att uppgradera")};
}

BiText UpgradeWarningText(const QString& title) {
  const QString app = ApplicationTitle();
  return {title + QStringLiteral(" is in a newer format then this version of ") + app +
              QStringLiteral(" was designed for! The file can still be opened, but to make sure you can access all "
                             "the information in the file you should upgrade you copy of ") +
              app + QStringLiteral("!"),
          title + QStringLiteral(" har ett nyare filformat än den här versionen av ") + app +
              QStringLiteral(" är gjord för! Filen kan ändå visas, men om du vill vara säker på att få tillgång till "
                             "all information i filen bör du uppgradera ") +
              app + QStringLiteral("!")};
}

BiText DocumentOpenedStatus(const QString& title) {
  return {title + QStringLiteral(" has been opened!"), title + QStringLiteral(" har öppnats!")};
}

}  // namespace kvf
