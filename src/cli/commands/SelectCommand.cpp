// kvf select FILE [selection]: the selection engine's results as one JSON
// object (see the command's help in Commands.cpp).
#include "CliCommon.h"
#include "Commands.h"
#include "SelectionOptions.h"
#include "core/session/DocumentSession.h"
#include "core/sheet/SheetLayout.h"
#include "core/text/JsonWriter.h"

namespace kvf::cli {
namespace {

void WriteIntArray(JsonWriter& json, const std::vector<int32_t>& values) {
  json.BeginArray();
  for (const int32_t value : values) json.Value(value);
  json.EndArray();
}

void WriteFlexTotal(JsonWriter& json, const SurveyDocument& document, const FlexTotal& flex) {
  json.BeginObject();
  json.Key("caption");
  json.Value(flex.caption);
  json.Key("respondents");
  WriteIntArray(json, flex.respondents);
  json.Key("currentTotalIndex");
  json.Value(document.info.currentTotalIndex);
  json.Key("questionFlexIndex");
  json.BeginArray();
  for (const Question& question : document.questions) json.Value(question.flexIndex);
  json.EndArray();
  json.Key("blockFlexIndex");
  json.BeginArray();
  for (const Block& block : document.blocks) json.Value(block.flexIndex);
  json.EndArray();
  json.EndObject();
}

}  // namespace

int RunSelect(const QStringList& words) {
  const QString command = QStringLiteral("select");
  std::optional<Arguments> arguments;
  SelectionOptions options;
  if (const int code = ParseSheetCommand(command, words, {}, &arguments, &options); code != kExitOk) return code;
  DocumentSession session;
  const PreparedSheet prepared = PrepareSheet(command, session, arguments->Positional().first(), options);
  if (prepared.exitCode != kExitOk) return prepared.exitCode;

  const SurveyDocument& document = session.Document();
  const ViewState& view = session.View();
  const SubSheet& sheet = view.Sheet();
  JsonWriter json;
  json.BeginObject();
  json.Key("count");
  json.Value(view.SelectionCount());
  json.Key("alternativeCounts");
  json.BeginArray();
  const AlternativeCounts& counts = view.Counts();
  for (int32_t k = 0; k < counts.DimensionCount(); ++k) {
    json.BeginArray();
    for (int32_t a = 0; a < counts.AlternativeCount(); ++a) json.Value(counts.Get(k, a));
    json.EndArray();
  }
  json.EndArray();
  json.Key("error");
  json.Value(prepared.refusal.Text());
  json.Key("description");
  json.Value(sheet.description);
  json.Key("dataRowsAllowed");
  json.Value(sheet.dataRowsAllowed);
  json.Key("flexTotalDiffers");
  json.Value(view.FlexTotalDiffers());
  json.Key("splitDisabled");
  json.BeginArray();
  for (const bool disabled : view.SplitDisabled()) json.Value(disabled);
  json.EndArray();
  json.Key("rowOrder");
  json.Value(sheet.rowOrder);
  json.Key("rows");
  WriteIntArray(json, sheet.respondents);
  json.Key("columnOffsets");
  if (sheet.columnOffsetsActive)
    WriteIntArray(json, sheet.columnOffsets);
  else
    json.Null();
  json.Key("headerRowCount");
  json.Value(SheetHeaderRowCount(document, sheet));
  json.Key("shownRowCount");
  json.Value(SheetShownRowCount(sheet, view.OverviewMaxRows()));
  json.Key("sheetTotalIndex");
  json.Value(sheet.totalIndex);
  json.Key("flexTotal");
  WriteFlexTotal(json, document, view.Flex());
  json.EndObject();
  WriteOut(json.Text() + '\n');
  return kExitOk;
}

}  // namespace kvf::cli
