#include "app/startup/QtTranslations.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kvf::app {

namespace {

// Debian's Swedish catalogue predates the buttons of Qt 6's standard dialogs
// (context "QPlatformTheme"); their Swedish texts are supplied here.
class StandardButtonTranslator : public QTranslator {
 public:
  using QTranslator::QTranslator;
  bool isEmpty() const override { return false; }
  QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                    int n = -1) const override {
    if (context == nullptr || sourceText == nullptr || qstrcmp(context, "QPlatformTheme") != 0) return QString();
    static const struct {
      const char* english;
      const char* swedish;
    } kButtons[] = {
        {"OK", "OK"},
        {"Save", "Spara"},
        {"Save All", "Spara alla"},
        {"Open", "Öppna"},
        {"&Yes", "&Ja"},
        {"Yes to &All", "Ja till &alla"},
        {"&No", "&Nej"},
        {"N&o to All", "N&ej till alla"},
        {"Abort", "Avbryt"},
        {"Retry", "Försök igen"},
        {"Ignore", "Ignorera"},
        {"Close", "Stäng"},
        {"Cancel", "Avbryt"},
        {"Discard", "Förkasta"},
        {"Help", "Hjälp"},
        {"Apply", "Verkställ"},
        {"Reset", "Återställ"},
        {"Restore Defaults", "Återställ standardvärden"},
    };
    for (const auto& button : kButtons)
      if (qstrcmp(sourceText, button.english) == 0) return QString::fromUtf8(button.swedish);
    return QString();
  }
};

}  // namespace

QString ToolkitTranslationsFolder() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

bool InstallToolkitTranslation(bool swedish) {
  if (!swedish) return false;
  QCoreApplication::installTranslator(new StandardButtonTranslator(QCoreApplication::instance()));
  auto* translator = new QTranslator(QCoreApplication::instance());
  const QLocale swedishLocale(QLocale::Swedish, QLocale::Sweden);
  for (const char* name : {"qtbase", "qt"}) {
    if (translator->load(swedishLocale, QString::fromLatin1(name), QStringLiteral("_"), ToolkitTranslationsFolder())) {
      QCoreApplication::installTranslator(translator);
      return true;
    }
  }
  delete translator;
  return true;  // the standard buttons at least
}

}  // namespace kvf::app
