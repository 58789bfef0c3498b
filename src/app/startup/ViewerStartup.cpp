#include "app/startup/ViewerStartup.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QMessageBox>
#include <memory>

#include "app/blocks/BlockEditCommand.h"
#include "app/comments/CommentCommands.h"
#include "app/dialogs/DialogCommands.h"
#include "app/graphs/GraphWindows.h"
#include "app/graphs/ChartWindows.h"
#include "app/mainwindow/MainWindow.h"
#include "app/selection/SelectionWindows.h"
#include "app/startup/QtTranslations.h"
#include "app/startup/SplashScreen.h"
#include "core/settings/ProgramKey.h"
#include "core/settings/SettingsFile.h"
#include "core/settings/StartupChecks.h"
#include "core/text/BiText.h"
#include "core/text/Language.h"
#include "graphics/printing/PrinterList.h"
#include "platform/registry/FileRegistryStore.h"

namespace kvf::app {

namespace {

void Critical(const QString& text) { QMessageBox::critical(nullptr, ApplicationTitle(), text); }

}  // namespace

int RunViewer(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(ApplicationTitle());
  QApplication::setOrganizationName(QStringLiteral("Brennvik AB"));
  QApplication::setApplicationVersion(QStringLiteral(KVF_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("kvf-viewer"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kvf-viewer.svg")));
  QApplication::setOverrideCursor(Qt::WaitCursor);

  // The desktop hands over the arguments already split.
  const QStringList arguments = QApplication::arguments().mid(1);
  const bool autoStart = HasAutoStartArgument(arguments);
  // The language holds for the whole run (the splash screen already shows it).
  SetSwedish(SwedishFromEnvironment());
  std::unique_ptr<SplashScreen> splash;
  if (!autoStart) {
    splash = std::make_unique<SplashScreen>();
    splash->show();
    QApplication::processEvents();
  }

  // Every supported Linux passes the platform check, so there is none.
  InstallToolkitTranslation(Swedish());

  if (const std::optional<BiText> zlibError = CheckLinkedZlib()) {
    QApplication::restoreOverrideCursor();
    splash.reset();
    Critical(zlibError->Get());
    return 1;
  }

  SingleInstanceLock instance;
  if (!instance.TryAcquire()) {
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const QMessageBox::StandardButton answer =
        QMessageBox::question(splash.get(), ApplicationTitle(), AnotherInstanceQuestion(ApplicationTitle()).Get(),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    QApplication::restoreOverrideCursor();
    if (answer != QMessageBox::Yes) return 0;
  }

  platform::FileRegistryStore& store = platform::UserRegistryStore();
  ProgramKey programKey = OpenProgramKey(store);
  if (!programKey.key.IsOpen() || programKey.errorCode != 0)
    QMessageBox::warning(splash.get(), ApplicationTitle(), ProgramKeyFailureText(programKey.errorCode));
  else if (const Status file = SettingsFileStatus(store); !file)
    QMessageBox::warning(splash.get(), ApplicationTitle(), file.Text());

  ViewerEnvironment environment;
  environment.store = &store;
  environment.programKey = programKey.key;
  environment.policies = ReadPolicies(store);
  environment.folders = SystemSpecialFolders();
  environment.programFolder = QApplication::applicationDirPath();
  environment.printerAvailable = graphics::SystemPrinterList().HasDefaultPrinter();

  MainWindow window(environment);
  SelectionWindows::Attach(window, environment.programKey, environment.policies);
  BlockEditCommand::Attach(window);
  CommentCommands::Attach(window);
  DialogCommands::Attach(window, std::make_unique<graphics::SystemPrinterList>());
  GraphWindows::Attach(window, DesktopGraphServices(&window));
  ChartWindows::Attach(window, DesktopGraphServices(&window));
  window.Load(arguments);
  window.show();
  splash.reset();
  QApplication::restoreOverrideCursor();
  const platform::FileRegistryStore::Status statusAtStart = store.GetStatus();
  const int exitCode = application.exec();
  // A save that failed, or a settings file that another program made
  // unreadable while this one ran (kept aside before the settings were
  // written), is told before the program ends.
  if (const Status file = SettingsFileStatus(store); !file && store.GetStatus() != statusAtStart)
    QMessageBox::warning(nullptr, ApplicationTitle(), file.Text());
  return exitCode;
}

}  // namespace kvf::app
