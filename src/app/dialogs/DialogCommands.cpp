#include "app/dialogs/DialogCommands.h"

#include "app/dialogs/AboutBox.h"
#include "app/dialogs/OptionsDialog.h"
#include "app/dialogs/PrintFormatDialog.h"
#include "app/dialogs/PropertiesWindow.h"
#include "app/mainwindow/WaitCursor.h"
#include "core/text/Language.h"
#include "platform/system/SystemFacts.h"

namespace kvf::app {

DialogCommands::DialogCommands(MainWindow& main, std::unique_ptr<graphics::PrinterList> printers)
    : QObject(&main), main_(main), printers_(std::move(printers)), run_([](QDialog& dialog) { return dialog.exec(); }) {
  setObjectName(QStringLiteral("DialogCommands"));
}

DialogCommands* DialogCommands::Attach(MainWindow& main, std::unique_ptr<graphics::PrinterList> printers) {
  auto* commands = new DialogCommands(main, std::move(printers));
  MainMenus& menus = main.Menus();
  menus.Connect(MenuEntry::Options, [commands] { commands->Options(); });
  menus.Connect(MenuEntry::PrintFormat, [commands] { commands->PrintFormat(); });
  menus.Connect(MenuEntry::Properties, [commands] { commands->Properties(); });
  menus.Connect(MenuEntry::About, [commands] { commands->About(); });
  return commands;
}

void DialogCommands::Options() {
  const DocumentSession& session = main_.Session();
  const bool open = session.Document().IsOpen();
  const DocumentInfo& info = session.Document().info;
  OptionsDialog dialog(main_.Options(), open ? info.rowOrder : -1, open ? info.rowOrderThreshold : -1, &main_);
  if (run_(dialog) != QDialog::Accepted) return;
  const ProgramOptions options = dialog.Values();
  main_.EditSettings().SetOptions(options);
  // The new values take effect at the next use: the next sheet built.
  main_.Session().View().SetUserRowOrder(options.overviewRowOrder);
  main_.Session().View().SetOverviewMaxRows(options.overviewMaxRows);
  const ViewerEnvironment& env = main_.Environment();
  WriteSettings(env.programKey, env.policies, options);  // a failed write keeps the values for the run
}

void DialogCommands::PrintFormat() {
  const LastSettings& last = main_.Settings().Last();
  std::unique_ptr<PrintFormatDialog> dialog;
  {
    WaitCursor wait;
    dialog = std::make_unique<PrintFormatDialog>(
        *printers_, app::PrintFormat{last.printerDeviceName, last.printerBindingMargin, last.printerOtherMargins},
        QLocale::system(), &main_);
  }
  if (run_(*dialog) != QDialog::Accepted) return;
  const app::PrintFormat chosen = dialog->Values();
  main_.EditSettings().SetPrintFormat(chosen.printer, chosen.bindingMargin, chosen.otherMargins);
}

void DialogCommands::Properties() {
  const SurveyDocument& document = main_.Session().Document();
  if (!document.IsOpen()) return;
  std::unique_ptr<PropertiesWindow> window;
  {
    WaitCursor wait;
    main_.Status().SetStatus(DisplayingPropertiesStatus(), false);
    window =
        std::make_unique<PropertiesWindow>(DescribeDocumentProperties(document, Swedish(), QLocale::system()), &main_);
  }
  run_(*window);
  main_.Status().ClearStatus();
}

void DialogCommands::About() {
  std::unique_ptr<AboutBox> box;
  {
    WaitCursor wait;
    box = std::make_unique<AboutBox>(main_.Environment().policies, platform::FindSystemInfoProgram(), &main_);
  }
  run_(*box);
}

}  // namespace kvf::app
