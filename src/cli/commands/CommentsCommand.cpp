// kvf comments FILE [selection] (--row R | --column C | --all): the rich
// text the comment pop-up shows for a respondent, a sheet column, or every
// general comment of the sheet.
#include <algorithm>

#include "CliCommon.h"
#include "Commands.h"
#include "SelectionOptions.h"
#include "core/comments/CommentsRtf.h"
#include "core/session/DocumentSession.h"
#include "core/sheet/SheetLayout.h"

namespace kvf::cli {

namespace {

BiText RowsRotatedText() {
  return {QStringLiteral("The rows are rotated per column; a row does not stand for one respondent."),
          QStringLiteral("Raderna är förskjutna per kolumn; en rad motsvarar inte en svarande.")};
}

BiText NoAnswerRowsText() {
  return {QStringLiteral("The overview shows no answer rows."), QStringLiteral("Översikten visar inga svarsrader.")};
}

}  // namespace

int RunComments(const QStringList& givenWords) {
  const QString command = QStringLiteral("comments");
  QStringList words = givenWords;
  const bool all = words.removeAll(QStringLiteral("--all")) > 0;
  std::optional<Arguments> arguments;
  SelectionOptions options;
  if (const int code =
          ParseSheetCommand(command, words, {QStringLiteral("row"), QStringLiteral("column")}, &arguments, &options);
      code != kExitOk)
    return code;
  const std::optional<QString> rowText = arguments->Value(QStringLiteral("row"));
  const std::optional<QString> columnText = arguments->Value(QStringLiteral("column"));
  if (int(all) + int(rowText.has_value()) + int(columnText.has_value()) != 1)
    return UsageError(command, QStringLiteral("give exactly one of --row R, --column C and --all"));
  const std::optional<int> row = rowText ? ParseInt(*rowText) : std::nullopt;
  const std::optional<int> column = columnText ? ParseInt(*columnText) : std::nullopt;
  if (rowText && (!row || *row < 0))
    return UsageError(command, QStringLiteral("--row R takes a respondent number (0 or more)"));
  if (columnText && (!column || *column < 0))
    return UsageError(command, QStringLiteral("--column C takes a sheet column (0 or more)"));

  DocumentSession session;
  const PreparedSheet prepared = PrepareSheet(command, session, arguments->Positional().first(), options);
  if (const int code = RequireNewSheet(prepared); code != kExitOk) return code;
  const SurveyDocument& document = session.Document();
  const ViewState& view = session.View();
  const SubSheet& sheet = view.Sheet();

  QString rtf;
  if (row) {
    if (std::find(sheet.respondents.begin(), sheet.respondents.end(), *row) == sheet.respondents.end())
      return UsageError(command, QStringLiteral("respondent %1 is not in the selection").arg(*row));
    if (sheet.columnOffsetsActive) {
      WriteError(RowsRotatedText().Get());
      return kExitRefused;
    }
    if (SheetShownRowCount(sheet, view.OverviewMaxRows()) == 0) {
      WriteError(NoAnswerRowsText().Get());
      return kExitRefused;
    }
    rtf = RowCommentsRtf(document, sheet, *row);
  } else if (column) {
    if (static_cast<size_t>(*column) >= sheet.columns.size())
      return UsageError(command, QStringLiteral("the overview has %1 column(s); there is no column %2")
                                     .arg(sheet.columns.size())
                                     .arg(*column));
    rtf = ColumnCommentsRtf(document, sheet, sheet.columns[static_cast<size_t>(*column)]);
  } else {
    rtf = AllCommentsRtf(document, sheet);
    if (rtf.isEmpty()) {
      WriteError(NoCommentsText().Get());
      return kExitRefused;
    }
  }
  WriteOut(rtf.toUtf8());
  return kExitOk;
}

}  // namespace kvf::cli
