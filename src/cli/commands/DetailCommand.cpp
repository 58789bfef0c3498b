// kvf detail FILE --row ITEM --column C [selection]: what the detail
// information window shows after the pointer rested on one cell of the
// freshly designed sheet.
#include <algorithm>

#include "CliCommon.h"
#include "Commands.h"
#include "SelectionOptions.h"
#include "core/selection/DetailInfo.h"
#include "core/session/DocumentSession.h"
#include "core/sheet/SheetLayout.h"
#include "core/text/JsonWriter.h"

namespace kvf::cli {

namespace {

template <size_t N>
void WriteTexts(JsonWriter& json, const char* key, const std::array<QString, N>& texts) {
  json.Key(key);
  json.BeginArray();
  for (const QString& text : texts) json.Value(text);
  json.EndArray();
}

}  // namespace

int RunDetail(const QStringList& words) {
  const QString command = QStringLiteral("detail");
  std::optional<Arguments> arguments;
  SelectionOptions options;
  if (const int code = ParseSheetCommand(command, words, {QStringLiteral("row"), QStringLiteral("column")},
                                         &arguments, &options);
      code != kExitOk)
    return code;
  const std::optional<QString> rowText = arguments->Value(QStringLiteral("row"));
  const std::optional<QString> columnText = arguments->Value(QStringLiteral("column"));
  const std::optional<int> row = rowText ? ParseInt(*rowText) : std::nullopt;
  const std::optional<int> column = columnText ? ParseInt(*columnText) : std::nullopt;
  if (!row) return UsageError(command, QStringLiteral("--row ITEM (a respondent, or -1, -2, -3 for a header row) is required"));
  if (!column) return UsageError(command, QStringLiteral("--column C (a sheet column, 0-based) is required"));

  DocumentSession session;
  const PreparedSheet prepared = PrepareSheet(command, session, arguments->Positional().first(), options);
  if (const int code = RequireNewSheet(prepared); code != kExitOk) return code;
  const SurveyDocument& document = session.Document();
  const SubSheet& sheet = session.View().Sheet();
  const int32_t headerRows = SheetHeaderRowCount(document, sheet);
  if (*row < 0 && *row < -headerRows)
    return UsageError(command, QStringLiteral("the overview has %1 header row(s); there is no row %2").arg(headerRows).arg(*row));
  if (*row >= 0 && std::find(sheet.respondents.begin(), sheet.respondents.end(), *row) == sheet.respondents.end())
    return UsageError(command, QStringLiteral("respondent %1 is not in the selection").arg(*row));
  if (*column < 0 || static_cast<size_t>(*column) >= sheet.columns.size())
    return UsageError(command, QStringLiteral("the overview has %1 column(s); there is no column %2")
                                   .arg(sheet.columns.size())
                                   .arg(*column));

  // The window as loading, the flex total, the sheet design and the hover
  // leave it.
  DetailInfo info;
  SetUpDetailInfo(document, &info);
  SetFlexTotalIndex(document, document.info.currentTotalIndex, &info);
  ResetDetailInfo(document, sheet, &info);
  FillDetailInfo(document, sheet, *row, *column, &info);

  JsonWriter json;
  json.BeginObject();
  WriteTexts(json, "headers", info.headers);
  json.Key("text");
  json.Value(info.text);
  WriteTexts(json, "indexLabels", info.indexLabels);
  WriteTexts(json, "selection", info.selection);
  WriteTexts(json, "total", info.total);
  json.EndObject();
  WriteOut(json.Text() + '\n');
  return kExitOk;
}

}  // namespace kvf::cli
