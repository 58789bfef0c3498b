#pragma once
// The single open document and the operations that open and close it.
//
// The session owns the SurveyDocument. Windows (and kvf) observe it through
// SessionObserver; the settings store contributes the user's blocks through
// UserBlockSource. A session without observers is complete on its own: the
// command line and the tests use it that way.
#include <QString>
#include <vector>

#include "core/document/SurveyDocument.h"
#include "core/sheet/ViewState.h"
#include "core/text/Result.h"

namespace kvf {

// Seams for what a window does around loading and closing.
class SessionObserver {
 public:
  virtual ~SessionObserver() = default;
  // The document is about to be discarded (erase the sheet, close windows).
  virtual void DocumentClosing(const SurveyDocument& document) {}
  // The document was discarded; path is the file it came from (it goes to
  // the head of the recent-file list unless policy forbids).
  virtual void DocumentClosed(const QString& path) {}
  // A new document is fully loaded (menus, navigator, detail window, caption).
  virtual void DocumentLoaded(const SurveyDocument& document) {}
  // The file is in a newer format than this program knows; it was opened.
  virtual void UpgradeWarning(const QString& caption, const QString& text) {}
  // The block table or the block items changed (the block editor's OK):
  // block positions may have moved and user blocks may be gone.
  virtual void BlocksChanged(const SurveyDocument& document) {}
};

// Supplies the user's blocks of a document (kept in the settings store).
class UserBlockSource {
 public:
  virtual ~UserBlockSource() = default;
  // Appends user blocks and block items to the document and reads the
  // "include in copy" choice of file blocks. Index values are filled in by
  // the session afterwards.
  virtual void ReadUserBlocks(SurveyDocument& document) = 0;
};

class DocumentSession {
 public:
  DocumentSession() = default;
  DocumentSession(const DocumentSession&) = delete;
  DocumentSession& operator=(const DocumentSession&) = delete;

  const SurveyDocument& Document() const { return document_; }
  // The selection, sheet and flex total of the open document. Loading
  // starts it (flex total = everyone) and builds the first sheet with every
  // alternative selected; closing clears it.
  ViewState& View() { return view_; }
  const ViewState& View() const { return view_; }
  SurveyDocument& MutableDocument() { return document_; }
  bool IsOpen() const { return document_.IsOpen(); }

  void AddObserver(SessionObserver* observer) { observers_.push_back(observer); }
  void SetUserBlockSource(UserBlockSource* source) { userBlocks_ = source; }
  // Whether the viewer can print (a default printer exists); the loaded
  // document's AllowPrint is the file's flag and-ed with this.
  void SetPrintingAvailable(bool available) { printingAvailable_ = available; }

  // Opens a .kvf file. A failure carries the reader's message and its
  // LoadError as the code (LoadErrorOf); the open document is then left
  // untouched. rememberFolder: the file's folder becomes DataOpenFolder().
  Status LoadDocument(const QString& path, bool rememberFolder);

  // Discards the open document (nothing happens when none is open).
  void CloseDocument();

  // Tells every observer that the blocks of the open document changed.
  void NotifyBlocksChanged();

  // The folder File > Open starts in (kept by the settings).
  const QString& DataOpenFolder() const { return dataOpenFolder_; }
  void SetDataOpenFolder(const QString& folder) { dataOpenFolder_ = folder; }

 private:
  SurveyDocument document_;
  ViewState view_;
  std::vector<SessionObserver*> observers_;
  UserBlockSource* userBlocks_ = nullptr;
  bool printingAvailable_ = true;
  QString dataOpenFolder_;
};

}  // namespace kvf
