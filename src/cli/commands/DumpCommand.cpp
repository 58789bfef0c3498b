// kvf dump FILE: the decoded document as one JSON object.
#include "CliCommon.h"
#include "Commands.h"
#include "core/document/SurveyDocument.h"
#include "core/session/DocumentSession.h"
#include "core/text/JsonWriter.h"

namespace kvf::cli {
namespace {

void WriteTextArray(JsonWriter& json, const SurveyDocument& doc, const TextRef* refs, size_t count) {
  json.BeginArray();
  for (size_t i = 0; i < count; ++i) json.Value(doc.GetText(refs[i]));
  json.EndArray();
}

void WriteInfo(JsonWriter& json, const SurveyDocument& doc) {
  const DocumentInfo& d = doc.info;
  auto text = [&](const char* key, TextRef ref) { json.Field(key, doc.GetText(ref)); };
  json.BeginObject();
  json.Field("guid", GuidRegistryForm(d.guid));
  text("projectNumber", d.projectNumber);
  text("projectName", d.projectName);
  text("copyright", d.copyright);
  text("documentComment", d.documentComment);
  json.Key("fileVersion");
  json.BeginArray();
  for (const int32_t part : d.fileVersion) json.Value(part);
  json.EndArray();
  json.Field("created", d.created);
  text("language", d.language);
  json.Field("languageCode", d.languageCode);
  json.Field("allowCopy", d.allowCopy);
  json.Field("allowPrint", d.allowPrint);
  json.Field("allowSave", d.allowSave);
  json.Field("allowCopyData", d.allowCopyData);
  json.Field("rowOrder", d.rowOrder);
  json.Field("rowOrderThreshold", d.rowOrderThreshold);
  json.Field("indexDivisor", d.indexDivisor);
  json.Field("indexDecimals", d.indexDecimals);
  json.Field("maxAlternativeValue", d.maxAlternativeValue);
  text("indexCaption", d.indexCaption);
  json.Key("indexLabels");
  WriteTextArray(json, doc, d.indexLabels.data(), d.indexLabels.size());
  json.Field("totalIndex", d.totalIndex);
  json.Field("currentTotalIndex", d.currentTotalIndex);
  text("selectionTip", d.selectionTip);
  text("countTip", d.countTip);
  text("allRespondentsCaption", d.allRespondentsCaption);
  text("tooFewCaption", d.tooFewCaption);
  json.Field("featureFlags", d.featureFlags);
  json.Field("minimumSelection", d.minimumSelection);
  json.Field("minimumComplementSelection", d.minimumComplementSelection);
  json.Field("minimumGraphSelection", d.minimumGraphSelection);
  json.Field("hasRespondentComments", d.hasRespondentComments);
  json.Field("hideFirstAlternative", d.hideFirstAlternative);
  json.Field("sheetColor0", d.sheetColor0);
  json.Field("sheetColor1", d.sheetColor1);
  json.Key("levelColors");
  json.BeginArray();
  for (const Colour colour : d.levelColors) json.Value(colour);
  json.EndArray();
  json.EndObject();
}

void WriteAlternatives(JsonWriter& json, const SurveyDocument& doc) {
  json.BeginArray();
  for (const Alternative& a : doc.alternatives) {
    json.BeginObject();
    json.Field("sheetLabel", doc.GetText(a.sheetLabel));
    json.Field("name", doc.GetText(a.name));
    json.Field("selectionName", doc.GetText(a.selectionName));
    json.Field("backColor", a.backColor);
    json.Field("value", a.value);
    json.Field("complementProtected", a.complementProtected);
    json.Field("protected", a.isProtected);
    json.Field("graphOptions", a.graphOptions);
    json.Field("graphValue", a.graphValue);
    json.Field("graphColor", a.graphColor);
    json.EndObject();
  }
  json.EndArray();
}

void WriteQuestions(JsonWriter& json, const SurveyDocument& doc) {
  json.BeginArray();
  for (const Question& q : doc.questions) {
    json.BeginObject();
    json.Field("sheetLabel", doc.GetText(q.sheetLabel));
    json.Field("name", doc.GetText(q.name));
    json.Field("text", doc.GetText(q.text));
    json.Field("selectionName", doc.GetText(q.selectionName));
    json.Field("isDimension", q.isDimension);
    json.Field("isOverviewQuestion", q.isOverviewQuestion);
    json.Field("isFlexTotal", q.isFlexTotal);
    json.Field("backColor", q.backColor);
    json.Field("primaryBlock", q.primaryBlock);
    json.Field("secondaryBlock", q.secondaryBlock);
    json.Field("storedIndex", q.storedIndex);
    json.Field("flexIndex", q.flexIndex);
    json.Field("graphFlags", q.graphFlags);
    json.Field("inTotalIndex", q.inTotalIndex);
    json.Field("rankingWeight", q.rankingWeight);
    json.Field("firstAlternative", q.firstAlternative);
    json.Field("alternativeCount", q.alternativeCount);
    json.EndObject();
  }
  json.EndArray();
}

void WriteBlocks(JsonWriter& json, const SurveyDocument& doc) {
  json.BeginArray();
  for (size_t b = 0; b < doc.blocks.size(); ++b) {
    const Block& block = doc.blocks[b];
    json.BeginObject();
    json.Field("sheetLabel", doc.GetText(block.sheetLabel));
    json.Field("name", doc.BlockName(static_cast<int32_t>(b)));
    json.Field("membersByQuestionField", block.membersByQuestionField);
    json.Field("blockLevel", block.blockLevel);
    json.Field("storedIndex", block.storedIndex);
    json.Field("flexIndex", block.flexIndex);
    json.Field("graphFlags", block.graphFlags);
    json.Field("fromFile", block.fromFile);
    json.Field("includeInCopy", block.includeInCopy);
    json.EndObject();
  }
  json.EndArray();
}

void WriteIntList(JsonWriter& json, const std::vector<int32_t>& list) {
  json.BeginArray();
  for (const int32_t value : list) json.Value(value);
  json.EndArray();
}

}  // namespace

static QByteArray DumpDocument(const SurveyDocument& doc) {
  JsonWriter json;
  json.BeginObject();
  json.Field("formatRevision", doc.file.formatRevision);
  json.Field("compatibleRevision", doc.file.compatibleRevision);
  json.Field("fileName", doc.file.documentFileName);
  json.Field("title", doc.file.documentTitle);
  json.Key("info");
  WriteInfo(json, doc);

  json.Key("strings");
  json.BeginArray();
  for (const QString& text : doc.strings) json.Value(text);
  json.EndArray();

  const int32_t respondents = doc.answers.RespondentCount();
  const int32_t matrixQuestions = doc.answers.QuestionCount();
  json.Field("answerWidth", doc.answers.Width());
  json.Field("respondentCount", respondents);
  json.Field("matrixQuestionCount", matrixQuestions);
  json.Key("answers");
  json.BeginArray();
  for (int32_t q = 0; q < matrixQuestions; ++q) {
    json.BeginArray();
    for (int32_t r = 0; r < respondents; ++r) json.Value(doc.GetData(r, q));
    json.EndArray();
  }
  json.EndArray();

  json.Key("alternatives");
  WriteAlternatives(json, doc);
  json.Key("questions");
  WriteQuestions(json, doc);

  json.Key("respondentComments");
  json.BeginArray();
  for (const RespondentComment& comment : doc.respondentComments) json.Value(doc.GetText(comment.comment));
  json.EndArray();

  json.Key("answerComments");
  if (!doc.answerCommentsPresent) {
    json.Null();
  } else {
    json.BeginArray();
    for (int32_t q = 0; q < matrixQuestions; ++q) {
      json.BeginArray();
      for (int32_t r = 0; r < respondents; ++r) json.Value(doc.GetText(doc.AnswerComment(r, q)));
      json.EndArray();
    }
    json.EndArray();
  }

  json.Key("blocks");
  WriteBlocks(json, doc);
  json.Key("blockItems");
  json.BeginArray();
  for (const BlockItem& item : doc.blockItems) {
    json.BeginArray();
    json.Value(item.block);
    json.Value(item.question);
    json.EndArray();
  }
  json.EndArray();

  json.Key("overviewQuestions");
  WriteIntList(json, doc.overviewQuestions);
  json.Key("dimensions");
  WriteIntList(json, doc.dimensions);
  json.Field("maxDimensionAlternatives", doc.maxDimensionAlternatives);
  json.Field("flexTotalQuestion", doc.flexTotalQuestion);
  json.EndObject();
  return json.Text() + '\n';
}

int RunDump(const QStringList& arguments) {
  QString error;
  const auto args = Arguments::Parse(arguments, {}, {}, &error);
  if (!args) return UsageError(QStringLiteral("dump"), error);
  if (args->Positional().size() != 1) return UsageError(QStringLiteral("dump"), QStringLiteral("expects one FILE"));
  DocumentSession session;
  session.SetPrintingAvailable(true);
  if (!OpenDocument(session, args->Positional().first())) return kExitLoadFailed;
  WriteOut(DumpDocument(session.Document()));
  return kExitOk;
}

}  // namespace kvf::cli
