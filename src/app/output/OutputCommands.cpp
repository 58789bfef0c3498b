#include "app/output/OutputCommands.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

#include "app/mainwindow/WaitCursor.h"
#include "app/output/IndexExportProgressWindow.h"
#include "app/output/IndexExportSetupDialog.h"
#include "app/output/MiniOverviewWindow.h"
#include "core/output/DataCopy.h"
#include "core/output/OverviewClipboard.h"
#include "core/sheet/SheetSnapshot.h"
#include "core/text/Language.h"
#include "platform/clipboard/Clipboard.h"

namespace kvf::app {

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

// The metafile copies' codes: no picture could be made; the clipboard did
// not take it (the desktop clipboard gives no error number of its own).
constexpr int32_t kNoPicture = -1;
constexpr int32_t kClipboardRefused = -2;

const BiText kCopyingToMini{S("Copying overview to mini-overview..."), S("Kopierar översikt till miniöversikt...")};
const BiText kCopiedToMini{S("Overview copied to mini-overview!"), S("Översikt kopierad till miniöversikt!")};
const BiText kNotCopiedToMini{S("Overview could not be copied to mini-overview!"),
                              S("Översikt kunde inte kopieras till miniöversikt!")};

// A drawer that cannot be made leaves the cells without colour, as on the screen.
SheetDrawer MakeDrawer(const SurveyDocument& document) {
  Result<SheetDrawer> made = SheetDrawer::Create(document);
  return made ? std::move(made).Value() : SheetDrawer();
}

}  // namespace

OutputCommands* OutputCommands::Attach(MainWindow& main) {
  auto* commands = new OutputCommands(main);
  MainMenus& menus = main.Menus();
  menus.Connect(MenuEntry::Copy, [commands] { commands->CopyOverview(false); });
  menus.Connect(MenuEntry::CopyHeadersAndTotals, [commands] { commands->CopyOverview(true); });
  menus.Connect(MenuEntry::CopyIndexes, [commands] { commands->CopyIndexes(); });
  menus.Connect(MenuEntry::CopyToMiniOverview, [commands] { commands->CopyToMiniOverview(); });
  menus.Connect(MenuEntry::CopyData, [commands] { commands->CopyData(); });
  menus.Connect(MenuEntry::PopupCopyRowsAnswers, [commands] { commands->CopyRowsAnswers(); });
  menus.Connect(MenuEntry::SaveAs, [commands] { commands->SaveOverviewAs(); });
  MainWindow* window = &main;
  main.ToolWindows().OverviewPool().SetFactory(
      [window] { return new MiniOverviewWindow([window] { return window->WheelScrollsHorizontally(); }); });
  return commands;
}

OutputCommands::OutputCommands(MainWindow& main) : QObject(&main), main_(main) { setObjectName(S("OutputCommands")); }

OverviewOptions OutputCommands::PictureOptions(int32_t rowLimit) const {
  OverviewOptions options;
  options.rowLimit = rowLimit;
  options.maxRows = main_.Options().overviewMaxRows;
  options.groupLines = main_.Options().overviewGroupLines;
  QScreen* screen = main_.screen() != nullptr ? main_.screen() : QGuiApplication::primaryScreen();
  options.reference = platform::MetafileReference::ForScreen(screen);
  return options;
}

void OutputCommands::CopyOverview(bool headersOnly) {
  const DocumentSession& session = main_.Session();
  if (!session.IsOpen() || !session.View().Sheet().present) return;
  WaitCursor wait;
  main_.Status().SetStatus(CopyingOverviewText(), false);
  const SurveyDocument& document = session.Document();
  const SubSheet& sheet = session.View().Sheet();
  int32_t result = kNoPicture;
  SheetDrawer drawer = MakeDrawer(document);
  const int32_t rowLimit = headersOnly || !sheet.dataRowsAllowed ? 0 : -1;
  const OverviewClipboardPicture picture = DrawOverviewForClipboard(drawer, document, sheet, PictureOptions(rowLimit));
  if (!picture.emf.isEmpty())
    result =
        main_.Clipboard().Set(platform::PictureEntry(picture.emf, picture.png, picture.svg)) ? 0 : kClipboardRefused;
  if (result == 0) {
    main_.Status().SetStatus(OverviewCopiedText(), true);
    return;
  }
  main_.ShowMessage(QMessageBox::Critical, CopyOverviewCaption().Get(), OverviewCopyFailedText(result).Get());
  main_.Status().ClearStatus();
}

void OutputCommands::CopyIndexes() {
  const DocumentSession& session = main_.Session();
  if (!session.IsOpen() || !session.Document().info.HasIndexes() || !session.View().Sheet().present) return;
  main_.Status().SetStatus(CopyingIndexesToClipboardText(), false);
  const bool copied = indexDialog_ ? indexDialog_() : RunIndexDialog();
  main_.Status().SetStatus(copied ? IndexesCopiedText() : IndexCopyCanceledText(), true);
}

bool OutputCommands::RunIndexDialog() {
  bool copied = false;
  IndexExportSetupDialog dialog(
      main_.Session().Document(), indexSettings_,
      [this, &copied](const IndexExportSettings& settings) { copied = ExportIndexes(settings); }, &main_);
  dialog.exec();
  return copied;
}

bool OutputCommands::ExportIndexes(const IndexExportSettings& settings) {
  const DocumentSession& session = main_.Session();
  if (!session.IsOpen()) return false;
  // The hand-over: the sheet's respondents and description as they are now.
  const SubSheet& sheet = session.View().Sheet();
  const std::vector<int32_t> respondents = sheet.respondents;
  IndexExportProgressWindow window(session.Document(), respondents, sheet.description, settings, main_.Clipboard(),
                                   &main_);
  window.exec();
  return window.Copied();
}

MiniOverviewWindow* OutputCommands::CopyToMiniOverview() {
  const DocumentSession& session = main_.Session();
  if (!session.IsOpen() || !session.View().Sheet().present || !session.View().Sheet().dataRowsAllowed) return nullptr;
  WaitCursor wait;
  main_.Status().SetStatus(kCopyingToMini, false);
  auto* window = qobject_cast<MiniOverviewWindow*>(main_.ToolWindows().OverviewPool().Get());
  const SubSheet& sheet = session.View().Sheet();
  SheetRequest request;
  request.mode = kSheetMiniOverview;
  request.rowLimit = sheet.dataRowsAllowed ? -1 : 0;
  request.maxRows = main_.Options().overviewMaxRows;
  request.groupLines = main_.Options().overviewGroupLines;
  Result<std::shared_ptr<const SheetSnapshot>> snapshot =
      window != nullptr ? SheetSnapshot::Take(session.Document(), sheet, request)
                        : Result<std::shared_ptr<const SheetSnapshot>>(Status::Failure(kNotCopiedToMini));
  if (!snapshot) {
    if (window != nullptr) window->RemoveData();
    main_.Status().SetStatus(kNotCopiedToMini, true);
    return nullptr;
  }
  window->InitializeData(std::move(snapshot).Value(), sheet.description);
  window->show();
  main_.Status().SetStatus(kCopiedToMini, true);
  return window;
}

void OutputCommands::CopyData() {
  const DocumentSession& session = main_.Session();
  if (!session.IsOpen() || !session.View().Sheet().present) return;
  WaitCursor wait;
  main_.Status().SetStatus(CopyingOverviewDataText(), false);
  const QString text = OverviewDataText(session.Document(), session.View().Sheet());
  // A clipboard that did not take the text is not reported as done.
  if (main_.Clipboard().SetText(text))
    main_.Status().SetStatus(OverviewDataCopiedText(), true);
  else
    main_.Status().ClearStatus();
}

void OutputCommands::CopyRowsAnswers() {
  const DocumentSession& session = main_.Session();
  const int32_t respondent = main_.PopupRowItem();
  if (!session.IsOpen() || !session.View().Sheet().present || respondent < 0) return;
  WaitCursor wait;
  main_.Status().SetStatus(CopyingRowAnswersText(), false);
  const QString text = RowAnswersText(session.Document(), session.View().Sheet(), respondent);
  if (main_.Clipboard().SetText(text))
    main_.Status().SetStatus(RowAnswersCopiedText(), true);
  else
    main_.Status().ClearStatus();
}

std::optional<OutputCommands::SaveChoice> OutputCommands::RunSaveDialog(const SaveOverviewSetup& setup) {
  if (saveDialog_) return saveDialog_(setup);
  QFileDialog dialog(&main_, setup.title, setup.folder);
  dialog.setObjectName(S("saveOverviewDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(setup.filters);
  if (setup.proposedFilter > 0) dialog.selectNameFilter(setup.filters[setup.proposedFilter - 1]);
  // The normal pointer while the dialog is open.
  QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
  const bool accepted = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
  QGuiApplication::restoreOverrideCursor();
  if (!accepted) return std::nullopt;
  return SaveChoice{dialog.selectedFiles().first(), SaveFilterIndex(setup, dialog.selectedNameFilter())};
}

void OutputCommands::SaveOverviewAs() {
  const DocumentSession& session = main_.Session();
  if (!session.IsOpen() || !session.View().Sheet().present) return;
  WaitCursor wait;
  main_.Status().SetStatus(SavingOverviewText(), false);
  LastSettings& last = main_.MutableSettings().MutableLast();
  const SaveOverviewSetup setup = MakeSaveOverviewSetup(Swedish(), last.graphSaveFolder,
                                                        main_.Environment().folders.pictures, last.graphSaveFormat);
  last.graphSaveFolder = setup.folder;  // a folder that is gone gives way to Pictures
  const std::optional<SaveChoice> choice = RunSaveDialog(setup);
  if (!choice || choice->path.isEmpty()) {
    main_.Status().ClearStatus();
    return;
  }
  const PictureFormat* format = SaveFormatForFilter(choice->filterIndex);
  if (format == nullptr) {
    main_.ShowMessage(QMessageBox::Critical, setup.title, NoSaveFormatText().Get());
    main_.Status().ClearStatus();
    return;
  }
  last.graphSaveFormat = choice->filterIndex;
  const QFileInfo file(choice->path);
  if (!file.path().isEmpty()) last.graphSaveFolder = file.absolutePath();
  const SurveyDocument& document = session.Document();
  const SubSheet& sheet = session.View().Sheet();
  SheetDrawer drawer = MakeDrawer(document);
  const Status saved = SaveOverviewPicture(drawer, document, sheet, PictureOptions(sheet.dataRowsAllowed ? -1 : 0),
                                           *format, false, choice->path);
  main_.Status().SetStatus(saved ? OverviewSavedText() : OverviewNotSavedText(), true);
}

}  // namespace kvf::app
