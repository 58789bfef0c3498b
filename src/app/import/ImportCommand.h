#pragma once
// File > Import...: choose a data file (SPSS, Stata, SAS, CSV), let
// `kvf-make import --dry-run` propose a mapping (every ordered scale in the
// indexes, blocks by name prefix), show it in the mapping
// dialog, write the document next to the data file (asking before an
// existing file is replaced) with `kvf-make import --mapping`, and open it
// as File > Open does, so it joins the recent files. A codebook beside a CSV
// file ("NAME-codebook.json" or "NAME.codebook.json") is used.
//
// Ownership: a child of the main window, which outlives it.
#include <QObject>
#include <QString>

#include <functional>

class QAction;

namespace kvf::app {

class ImportMappingDialog;
class MainMenus;
class MainWindow;

class ImportCommand : public QObject {
 public:
  // Puts File > Import... after File > Open. The entry is disabled when no
  // kvf-make program is found.
  static ImportCommand* Install(MainWindow& window, MainMenus& menus);

  explicit ImportCommand(MainWindow& window);

  // The whole command after the file dialog. True when a document was
  // written and opened.
  bool Import(const QString& input);

  // How the mapping dialog and the overwrite question are asked; tests
  // answer them without showing anything.
  std::function<bool(ImportMappingDialog&)> runDialog;
  std::function<bool(const QString& path)> confirmOverwrite;

  QAction* Action() const { return action_; }

 private:
  void ChooseAndImport();
  void Fail(const QString& message);

  MainWindow& window_;
  QAction* action_ = nullptr;
};

}  // namespace kvf::app
