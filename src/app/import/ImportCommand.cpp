#include "app/import/ImportCommand.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QJsonDocument>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryFile>

#include "app/import/ImportMappingDialog.h"
#include "app/import/KvfMakeProcess.h"
#include "app/mainwindow/MainWindow.h"
#include "core/text/Language.h"

namespace kvf::app {

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }
const BiText kCaption{S("Import"), S("Importera")};

QString CodebookBeside(const QFileInfo& input) {
  for (const QString& suffix : {S("-codebook.json"), S(".codebook.json")}) {
    const QString path = input.dir().filePath(input.completeBaseName() + suffix);
    if (QFileInfo::exists(path)) return path;
  }
  return {};
}

}  // namespace

ImportCommand* ImportCommand::Install(MainWindow& window, MainMenus& menus) {
  auto* command = new ImportCommand(window);
  QMenu* file = menus.Menu(MenuEntry::FileMenu);
  QAction* open = menus.Action(MenuEntry::Open);
  const QList<QAction*> actions = file->actions();
  const qsizetype at = actions.indexOf(open);
  file->insertAction(at >= 0 && at + 1 < actions.size() ? actions[at + 1] : nullptr, command->action_);
  return command;
}

ImportCommand::ImportCommand(MainWindow& window) : QObject(&window), window_(window) {
  action_ = new QAction(BiText{S("&Import..."), S("&Importera...")}.Get(), this);
  action_->setObjectName(S("Import"));
  action_->setEnabled(!KvfMakeProcess::Locate().isEmpty());
  connect(action_, &QAction::triggered, this, [this] { ChooseAndImport(); });
  runDialog = [](ImportMappingDialog& dialog) { return dialog.exec() == QDialog::Accepted; };
  confirmOverwrite = [this](const QString& path) {
    const BiText question{QFileInfo(path).fileName() + S(" already exists. Replace it?"),
                          QFileInfo(path).fileName() + S(" finns redan. Vill du ersätta den?")};
    return QMessageBox::question(&window_, kCaption.Get(), question.Get()) == QMessageBox::Yes;
  };
}

void ImportCommand::Fail(const QString& message) {
  window_.ShowMessage(QMessageBox::Critical, kCaption.Get(), message);
}

void ImportCommand::ChooseAndImport() {
  const BiText filter{S("Survey data (*.sav *.zsav *.por *.dta *.sas7bdat *.xpt *.csv *.tsv *.txt)"),
                      S("Enkätdata (*.sav *.zsav *.por *.dta *.sas7bdat *.xpt *.csv *.tsv *.txt)")};
  const QString input = QFileDialog::getOpenFileName(&window_, kCaption.Get(), QString(), filter.Get());
  if (!input.isEmpty()) Import(input);
}

bool ImportCommand::Import(const QString& input) {
  const QFileInfo info(input);
  QStringList base = {S("import"), input, S("--language"), Swedish() ? S("sv") : S("en")};
  const QString codebook = CodebookBeside(info);
  if (!codebook.isEmpty()) base << S("--codebook") << codebook;
  // The proposal starts from the fullest first view: every ordered scale in
  // the indexes, blocks by name prefix; the user unticks what does not fit.
  const KvfMakeOutcome proposed =
      KvfMakeProcess::Run(base + QStringList{S("--index-all-scales"), S("--blocks-by-prefix"), S("--dry-run")}, &window_);
  if (proposed.exitCode != 0) {
    Fail(proposed.Message());
    return false;
  }
  ImportMappingDialog dialog(QJsonDocument::fromJson(proposed.out).object(), info.fileName(), &window_);
  if (!runDialog(dialog)) return false;

  const QString output = info.dir().filePath(info.completeBaseName() + S(".kvf"));
  if (QFileInfo::exists(output) && !confirmOverwrite(output)) return false;
  QTemporaryFile mapping;
  if (!mapping.open() || mapping.write(QJsonDocument(dialog.Mapping()).toJson(QJsonDocument::Compact)) < 0 ||
      !mapping.flush()) {
    Fail(BiText{S("The mapping could not be written to a temporary file."),
                S("Mappningen kunde inte skrivas till en tillfällig fil.")}
             .Get());
    return false;
  }
  QStringList write = {S("import"), input, S("--mapping"), mapping.fileName(), S("-o"), output};
  if (!codebook.isEmpty()) write << S("--codebook") << codebook;
  const KvfMakeOutcome written = KvfMakeProcess::Run(write, &window_);
  if (written.exitCode != 0) {
    Fail(written.Message());
    return false;
  }
  return window_.Commands().OpenDocument(output, true, kCaption.Get());
}

}  // namespace kvf::app
