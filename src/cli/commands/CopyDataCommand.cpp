// kvf copy-data FILE [selection]: the text Copy Overview as Data puts on
// the clipboard.
#include "CliCommon.h"
#include "Commands.h"
#include "SelectionOptions.h"
#include "core/output/DataCopy.h"
#include "core/session/DocumentSession.h"
#include "core/text/BiText.h"

namespace kvf::cli {

namespace {

BiText DataRowsNotAllowedText() {
  return {QStringLiteral("The selection is smaller than the document allows for answer rows; "
                         "Copy Overview as Data is not available."),
          QStringLiteral("Urvalet är mindre än dokumentet tillåter för svarsrader; "
                         "Kopiera översikt som data är inte tillgängligt.")};
}

}  // namespace

int RunCopyData(const QStringList& words) {
  const QString command = QStringLiteral("copy-data");
  std::optional<Arguments> arguments;
  SelectionOptions options;
  if (const int code = ParseSheetCommand(command, words, {}, &arguments, &options); code != kExitOk) return code;
  DocumentSession session;
  const PreparedSheet prepared =
      PrepareSheet(command, session, arguments->Positional().first(), options, OffersDataCopy());
  if (const int code = RequireNewSheet(prepared); code != kExitOk) return code;
  const SubSheet& sheet = session.View().Sheet();
  if (!sheet.dataRowsAllowed) {
    WriteError(DataRowsNotAllowedText().Get());
    return kExitRefused;
  }
  WriteOut(OverviewDataText(session.Document(), sheet).toUtf8());
  return kExitOk;
}

}  // namespace kvf::cli
