// kvf copy-row FILE --row R [selection]: the text Copy this Row's Answers
// puts on the clipboard for row R (0-based, among the shown answer rows).
#include "CliCommon.h"
#include "Commands.h"
#include "SelectionOptions.h"
#include "core/output/DataCopy.h"
#include "core/session/DocumentSession.h"
#include "core/sheet/SheetLayout.h"
#include "core/text/BiText.h"

namespace kvf::cli {

namespace {

BiText RowsRotatedText() {
  return {QStringLiteral("The rows are rotated per column; a row does not stand for one respondent."),
          QStringLiteral("Raderna är förskjutna per kolumn; en rad motsvarar inte en svarande.")};
}

}  // namespace

int RunCopyRow(const QStringList& words) {
  const QString command = QStringLiteral("copy-row");
  std::optional<Arguments> arguments;
  SelectionOptions options;
  if (const int code = ParseSheetCommand(command, words, {QStringLiteral("row")}, &arguments, &options);
      code != kExitOk)
    return code;
  const std::optional<QString> rowText = arguments->Value(QStringLiteral("row"));
  const std::optional<int> row = rowText ? ParseInt(*rowText) : std::nullopt;
  if (!row || *row < 0) return UsageError(command, QStringLiteral("--row R (a row number of 0 or more) is required"));

  DocumentSession session;
  const PreparedSheet prepared = PrepareSheet(command, session, arguments->Positional().first(), options);
  if (const int code = RequireNewSheet(prepared); code != kExitOk) return code;
  const ViewState& view = session.View();
  const SubSheet& sheet = view.Sheet();
  if (sheet.columnOffsetsActive) {
    WriteError(RowsRotatedText().Get());
    return kExitRefused;
  }
  const int32_t shown = SheetShownRowCount(sheet, view.OverviewMaxRows());
  if (*row >= shown)
    return UsageError(command, QStringLiteral("the overview shows %1 answer row(s); there is no row %2").arg(shown).arg(*row));
  WriteOut(RowAnswersText(session.Document(), sheet, sheet.respondents[static_cast<size_t>(*row)]).toUtf8());
  return kExitOk;
}

}  // namespace kvf::cli
