#include "core/session/DocumentSession.h"

#include <new>

#include "core/document/KvfReader.h"
#include "core/indexes/IndexCalculation.h"
#include "platform/shell/FileNames.h"

namespace kvf {

Status DocumentSession::LoadDocument(const QString& path, bool rememberFolder) {
  // Read and check everything before the open document is touched.
  SurveyDocument fresh;
  ReadOptions options;
  options.printingAvailable = printingAvailable_;
  const Result<KvfRevisions> read = [&]() -> Result<KvfRevisions> {
    try {
      return ReadKvfFile(path, fresh, options);
    } catch (const std::bad_alloc&) {
      // The limits keep every document far below what memory holds; should
      // an allocation fail all the same, the file is refused, not the program.
      return LoadFailure(LoadError::TooBig);
    }
  }();
  if (!read) return read.Error();

  if (IsOpen()) CloseDocument();
  document_ = std::move(fresh);
  SurveyDocument& doc = document_;

  // The user's blocks, kept in the settings store, follow the file's blocks.
  if (userBlocks_ != nullptr) {
    userBlocks_->ReadUserBlocks(doc);
    // The flex total starts as everyone.
    UpdateUserBlockIndexes(doc, AllRespondents(doc));
  }

  // Documents older than revision 5 carry no total index (the reader leaves
  // it at kNoIndex): compute it.
  if (read->formatRevision < 5 && doc.info.HasIndexes()) {
    doc.info.totalIndex = CalculateTotalIndex(doc, AllRespondents(doc));
    doc.info.currentTotalIndex = doc.info.totalIndex;
  }

  // The flex total starts as everyone; the first sheet keeps everyone.
  view_.StartDocument(doc);
  view_.CreateSubSheet(doc, SelectionMatrix::AllSelected(doc));

  // The file's identity.
  doc.file.documentPath = path;
  if (rememberFolder) dataOpenFolder_ = platform::FolderOfPath(path);
  doc.file.documentFileName = platform::FileNameOfPath(path);
  doc.file.documentTitle = platform::FileDisplayTitle(path);
  doc.file.formatRevision = read->formatRevision;
  doc.file.compatibleRevision = read->compatibleRevision;

  for (SessionObserver* observer : observers_) observer->DocumentLoaded(doc);
  if (read->upgradeWarningDue) {
    const QString caption = UpgradeWarningCaption().Get();
    const QString text = UpgradeWarningText(doc.file.documentTitle).Get();
    for (SessionObserver* observer : observers_) observer->UpgradeWarning(caption, text);
  }
  return Status::Ok();
}

void DocumentSession::CloseDocument() {
  if (!IsOpen()) return;
  for (SessionObserver* observer : observers_) observer->DocumentClosing(document_);
  const QString path = document_.file.documentPath;
  view_.Clear();
  document_.Reset();
  for (SessionObserver* observer : observers_) observer->DocumentClosed(path);
}

void DocumentSession::NotifyBlocksChanged() {
  const std::vector<SessionObserver*> observers = observers_;
  for (SessionObserver* observer : observers) observer->BlocksChanged(document_);
}

}  // namespace kvf
