// kvf overview FILE [selection] --out PATH [--headers-only] [--screen | --mini]:
// the overview sheet as a picture, as Save Overview As and Copy Overview draw
// it, or as the screen or a mini-overview shows it.
#include <QGuiApplication>

#include "CliCommon.h"
#include "Commands.h"
#include "SelectionOptions.h"
#include "core/output/OverviewPicture.h"
#include "core/output/PictureFormat.h"
#include "core/session/DocumentSession.h"
#include "core/settings/ProgramKey.h"
#include "core/settings/ProgramSettings.h"
#include "core/sheet/SheetDrawer.h"
#include "platform/registry/FileRegistryStore.h"

namespace kvf::cli {

namespace {

const QString kOut = QStringLiteral("out");
const QString kHeadersOnly = QStringLiteral("headers-only");
const QString kScreen = QStringLiteral("screen");
const QString kMini = QStringLiteral("mini");

BiText MiniNotAvailableText() {
  return {QStringLiteral("The selection is smaller than the document allows for answer rows; "
                         "Copy to Mini-overview is not available."),
          QStringLiteral("Urvalet är mindre än dokumentet tillåter för svarsrader; "
                         "Kopiera till miniöversikt är inte tillgängligt.")};
}

// "Overview Group Lines" and "Overview Max Rows" as the viewer reads them.
ProgramOptions StoredOptions() {
  platform::FileRegistryStore& store = platform::UserRegistryStore(platform::FileRegistryStore::Access::ReadOnly);
  const ProgramKey programKey = OpenProgramKey(store);
  return ReadSettings(programKey.key);
}

// ".emf, .wmf, .svg, .pdf or .png": every picture format's extensions.
QString ExtensionList() {
  QStringList extensions;
  for (const PictureFormat* format : PictureFormats()) {
    for (const QString& extension : format->Extensions()) extensions << QLatin1Char('.') + extension;
  }
  const QString last = extensions.takeLast();
  return extensions.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

}  // namespace

int RunOverview(const QStringList& words) {
  const QString command = QStringLiteral("overview");
  QString error;
  const std::optional<Arguments> arguments =
      Arguments::Parse(words, SelectionFlagNames() + QStringList{kHeadersOnly, kScreen, kMini},
                       SelectionValueNames() + QStringList{kOut}, &error);
  if (!arguments) return UsageError(command, error);
  if (arguments->Positional().size() != 1) return UsageError(command, QStringLiteral("expected one FILE"));
  const std::optional<SelectionOptions> options = ParseSelectionOptions(*arguments, &error);
  if (!options) return UsageError(command, error);
  const std::optional<QString> out = arguments->Value(kOut);
  if (!out || out->isEmpty()) return UsageError(command, QStringLiteral("--out PATH is required"));
  const bool mini = arguments->Has(kMini);
  const bool screen = arguments->Has(kScreen);
  if (mini && (screen || arguments->Has(kHeadersOnly)))
    return UsageError(command, QStringLiteral("--mini goes with neither --screen nor --headers-only"));
  // The screen image is raster only.
  const PictureFormat* format = PictureFormatForPath(*out);
  if (mini && (!format || format->IsVector()))
    return UsageError(command, QStringLiteral("--mini writes the mini-overview image as .png only"));
  if (!format || (screen && format->IsVector())) {
    return UsageError(command, screen ? QStringLiteral("--screen writes the screen image as .png only")
                                      : QStringLiteral("--out must end in %1").arg(ExtensionList()));
  }

  DocumentSession session;
  const PreparedSheet prepared =
      PrepareSheet(command, session, arguments->Positional().first(), *options, OffersSaving());
  if (prepared.exitCode != kExitOk) return prepared.exitCode;
  if (!prepared.refusal) {
    WriteError(prepared.refusal.Text());
    return kExitRefused;
  }

  const SurveyDocument& document = session.Document();
  const SubSheet& sheet = session.View().Sheet();
  // Copy to Mini-overview is offered only while answer rows are shown.
  if (mini && !sheet.dataRowsAllowed) {
    WriteError(MiniNotAvailableText().Get());
    return kExitRefused;
  }
  const ProgramOptions stored = StoredOptions();
  OverviewOptions picture;
  picture.rowLimit = arguments->Has(kHeadersOnly) ? 0 : sheet.rowLimit;
  picture.maxRows = options->maxRows.value_or(stored.overviewMaxRows);
  picture.groupLines = stored.overviewGroupLines;
  // The screen the program runs on is the metafiles' reference device.
  picture.reference = platform::MetafileReference::ForScreen(QGuiApplication::primaryScreen());

  Result<SheetDrawer> made = SheetDrawer::Create(document);
  // A drawer that cannot be made leaves the cells without colour.
  SheetDrawer drawer = made ? std::move(made).Value() : SheetDrawer();
  const Status saved = mini ? SaveMiniOverviewPicture(drawer, document, sheet, picture, *format, *out)
                            : SaveOverviewPicture(drawer, document, sheet, picture, *format, screen, *out);
  if (!saved) {
    WriteError(saved.Text());
    return kExitWriteFailed;
  }
  return kExitOk;
}

}  // namespace kvf::cli
