#pragma once
// The output commands of the main window: Copy Overview, Copy Headers and
// Totals, Copy Indexes, Copy to Mini-overview, Copy Overview as Data, Copy
// this Row's Answers (pop-up only) and Save Overview As. Each works on the
// screen sheet as the user sees it, reports through the status line and
// shows the busy pointer while it runs. The menu entries' availability is
// the main window's (document permissions, DataRowsAllowed).
//
// Ownership: a child of the main window; the index export settings and the
// mini-overview pool's factory live as long as it does.
#include <QObject>
#include <functional>
#include <optional>

#include "app/mainwindow/MainWindow.h"
#include "app/output/SaveOverviewSetup.h"
#include "core/indexes/IndexExportLayout.h"
#include "core/output/OverviewPicture.h"

namespace kvf::app {

class MiniOverviewWindow;

class OutputCommands : public QObject {
  Q_OBJECT
 public:
  // Connects the commands to the main window's menus and gives its
  // mini-overview pool its windows. REQUIRES: called once per main window.
  static OutputCommands* Attach(MainWindow& main);

  void CopyOverview(bool headersOnly);
  void CopyIndexes();
  // The export of a confirmed set-up: the progress window, modal. True
  // when the clipboard was filled.
  bool ExportIndexes(const IndexExportSettings& settings);
  MiniOverviewWindow* CopyToMiniOverview();
  void CopyData();
  void CopyRowsAnswers();
  void SaveOverviewAs();

  // The set-up dialog's last choices (until the program ends).
  IndexExportSettings& IndexSettings() { return indexSettings_; }

  // The file dialog of Save Overview As; tests replace it. Returns the
  // chosen path and the 1-based filter index, nothing when cancelled.
  struct SaveChoice {
    QString path;
    int filterIndex = 0;
  };
  using SaveDialog = std::function<std::optional<SaveChoice>(const SaveOverviewSetup&)>;
  void SetSaveDialog(SaveDialog dialog) { saveDialog_ = std::move(dialog); }
  // The set-up dialog of Copy Indexes; tests replace it. Returns whether
  // the export filled the clipboard.
  using IndexDialog = std::function<bool()>;
  void SetIndexDialog(IndexDialog dialog) { indexDialog_ = std::move(dialog); }

 private:
  explicit OutputCommands(MainWindow& main);
  OverviewOptions PictureOptions(int32_t rowLimit) const;
  bool RunIndexDialog();
  std::optional<SaveChoice> RunSaveDialog(const SaveOverviewSetup& setup);

  MainWindow& main_;
  IndexExportSettings indexSettings_;
  SaveDialog saveDialog_;
  IndexDialog indexDialog_;
};

}  // namespace kvf::app
