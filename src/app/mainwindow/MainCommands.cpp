#include "app/mainwindow/MainCommands.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QUrl>

#include "app/mainwindow/HelpFiles.h"
#include "app/mainwindow/MainWindow.h"
#include "app/mainwindow/OpenFileDialog.h"
#include "app/mainwindow/WaitCursor.h"
#include "core/indexes/IndexCalculation.h"
#include "core/text/Language.h"

namespace kvf::app {

namespace {
QString S(const char* text) { return QString::fromUtf8(text); }
const BiText kOpening{S("Opening data file..."), S("Öppnar datafil...")};
}  // namespace

void MainCommands::Connect(MainMenus& menus) {
  menus.Connect(MenuEntry::Open, [this] { OpenWithDialog(); });
  for (int i = 0; i < RecentFileList::kMaxEntries; ++i)
    menus.Connect(RecentFileEntry(i), [this, i] { OpenRecentFile(i); });
  menus.Connect(MenuEntry::Exit, [this] { window_.Exit(); });
  menus.Connect(MenuEntry::CloseAllGraphWindows, [this] { CloseAllGraphWindows(); });
  menus.Connect(MenuEntry::HelpTopics, [this] { OpenHelp(); });
  menus.Connect(MenuEntry::PopupWheelVertical, [this] { window_.SetWheelScrollsHorizontally(false); });
  menus.Connect(MenuEntry::PopupWheelHorizontal, [this] { window_.SetWheelScrollsHorizontally(true); });
}

bool MainCommands::OpenDocument(const QString& path, bool rememberFolder, const QString& caption) {
  kvf::Status loaded;
  window_.Sheet()->TimeNextSheet(true);
  {
    WaitCursor wait;
    loaded = window_.Session().LoadDocument(path, rememberFolder);
  }
  if (!loaded) {
    window_.Sheet()->TimeNextSheet(false);
    window_.ShowMessage(QMessageBox::Critical, caption, loaded.Text());
    window_.Status().ClearStatus();
    return false;
  }
  const QString title = window_.Session().Document().file.documentTitle;
  window_.Status().SetStatus(BiText{title + S(" has been opened!"), title + S(" har öppnats!")}, true);
  return true;
}

void MainCommands::OpenWithDialog() {
  DocumentSession& session = window_.Session();
  OpenDialogSetup setup;
  {
    WaitCursor wait;
    window_.Status().SetStatus(BiText{S("Opening data file, locating folder, please wait!"),
                                      S("Öppnar datafil, söker efter mapp, var vänlig vänta!")},
                               false);
    const SurveyDocument& document = session.Document();
    setup = MakeOpenDialogSetup(Swedish(), document.file.documentFileName, document.file.documentTitle,
                                session.DataOpenFolder(), window_.Environment().folders.documents);
    session.SetDataOpenFolder(setup.folder);  // a folder that is gone gives way to the documents folder
    window_.Status().SetStatus(kOpening, false);
  }
  QFileDialog dialog(&window_);
  dialog.setObjectName(S("openDialog"));
  ConfigureOpenDialog(dialog, setup);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    window_.Status().ClearStatus();
    return;
  }
  OpenDocument(dialog.selectedFiles().first(), true, setup.caption);
}

void MainCommands::OpenRecentFile(int index) {
  const QStringList& entries = window_.Settings().RecentFiles().Entries();
  if (index < 0 || index >= entries.size()) return;
  const QString path = entries[index];  // a copy: loading changes the list
  window_.Status().SetStatus(kOpening, false);
  OpenDocument(path, true, OpenDialogCaption().Get());
}

void MainCommands::CloseAllGraphWindows() {
  window_.Status().SetStatus(BiText{S("Closing all graph windows..."), S("Stänger alla diagramfönster...")}, false);
  window_.ToolWindows().UnloadPools();
  window_.Status().SetStatus(BiText{S("All graph windows has been closed!"), S("Alla diagramfönster har stängts!")},
                             true);
}

void MainCommands::OpenHelp() {
  WaitCursor wait;
  const bool swedish = Swedish();
  const QString path = FindHelpFile(swedish, window_.Environment().programFolder);
  if (path.isEmpty() || !QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
    const QString name = HelpFileName(swedish);
    const BiText text{S("The help file \"") + name + S("\" could not be opened!"),
                      S("Hjälpfilen \"") + name + S("\" kunde inte öppnas!")};
    window_.ShowMessage(QMessageBox::Critical, ApplicationTitle(), text.Get(swedish));
  }
}

void MainCommands::CopyIndexTable() {
  const DocumentSession& session = window_.Session();
  if (!session.IsOpen() || !session.Document().info.HasIndexes() || !session.View().Sheet().present) return;
  const QString table = TotalIndexValueTable(session.Document(), session.View().Sheet().respondents);
  if (!table.isEmpty()) window_.Clipboard().SetText(table);
}

}  // namespace kvf::app
