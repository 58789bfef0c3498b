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
  auto text = [&](const char* key, TextRef ref) {
    json.Key(key);
    json.Value(doc.GetText(ref));
  };
  json.BeginObject();
  json.Key("guid");
  json.Value(GuidRegistryForm(d.guid));
  text("projectNumber", d.projectNumber);
  text("projectName", d.projectName);
  text("copyright", d.copyright);
  text("documentComment", d.documentComment);
  json.Key("fileVersion");
  json.BeginArray();
  for (const int32_t part : d.fileVersion) json.Value(part);
  json.EndArray();
  json.Key("created");
  json.Value(d.created);
  text("language", d.language);
  json.Key("languageCode");
  json.Value(d.languageCode);
  json.Key("allowCopy");
  json.Value(d.allowCopy);
  json.Key("allowPrint");
  json.Value(d.allowPrint);
  json.Key("allowSave");
  json.Value(d.allowSave);
  json.Key("allowCopyData");
  json.Value(d.allowCopyData);
  json.Key("rowOrder");
  json.Value(d.rowOrder);
  json.Key("rowOrderThreshold");
  json.Value(d.rowOrderThreshold);
  json.Key("indexDivisor");
  json.Value(d.indexDivisor);
  json.Key("indexDecimals");
  json.Value(d.indexDecimals);
  json.Key("maxAlternativeValue");
  json.Value(d.maxAlternativeValue);
  text("indexCaption", d.indexCaption);
  json.Key("indexLabels");
  WriteTextArray(json, doc, d.indexLabels.data(), d.indexLabels.size());
  json.Key("totalIndex");
  json.Value(d.totalIndex);
  json.Key("currentTotalIndex");
  json.Value(d.currentTotalIndex);
  text("selectionTip", d.selectionTip);
  text("countTip", d.countTip);
  text("allRespondentsCaption", d.allRespondentsCaption);
  text("tooFewCaption", d.tooFewCaption);
  json.Key("featureFlags");
  json.Value(d.featureFlags);
  json.Key("minimumSelection");
  json.Value(d.minimumSelection);
  json.Key("minimumComplementSelection");
  json.Value(d.minimumComplementSelection);
  json.Key("minimumGraphSelection");
  json.Value(d.minimumGraphSelection);
  json.Key("hasRespondentComments");
  json.Value(d.hasRespondentComments);
  json.Key("hideFirstAlternative");
  json.Value(d.hideFirstAlternative);
  json.Key("sheetColor0");
  json.Value(d.sheetColor0);
  json.Key("sheetColor1");
  json.Value(d.sheetColor1);
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
    json.Key("sheetLabel");
    json.Value(doc.GetText(a.sheetLabel));
    json.Key("name");
    json.Value(doc.GetText(a.name));
    json.Key("selectionName");
    json.Value(doc.GetText(a.selectionName));
    json.Key("backColor");
    json.Value(a.backColor);
    json.Key("value");
    json.Value(a.value);
    json.Key("complementProtected");
    json.Value(a.complementProtected);
    json.Key("protected");
    json.Value(a.isProtected);
    json.Key("graphOptions");
    json.Value(a.graphOptions);
    json.Key("graphValue");
    json.Value(a.graphValue);
    json.Key("graphColor");
    json.Value(a.graphColor);
    json.EndObject();
  }
  json.EndArray();
}

void WriteQuestions(JsonWriter& json, const SurveyDocument& doc) {
  json.BeginArray();
  for (const Question& q : doc.questions) {
    json.BeginObject();
    json.Key("sheetLabel");
    json.Value(doc.GetText(q.sheetLabel));
    json.Key("name");
    json.Value(doc.GetText(q.name));
    json.Key("text");
    json.Value(doc.GetText(q.text));
    json.Key("selectionName");
    json.Value(doc.GetText(q.selectionName));
    json.Key("isDimension");
    json.Value(q.isDimension);
    json.Key("isOverviewQuestion");
    json.Value(q.isOverviewQuestion);
    json.Key("isFlexTotal");
    json.Value(q.isFlexTotal);
    json.Key("backColor");
    json.Value(q.backColor);
    json.Key("primaryBlock");
    json.Value(q.primaryBlock);
    json.Key("secondaryBlock");
    json.Value(q.secondaryBlock);
    json.Key("storedIndex");
    json.Value(q.storedIndex);
    json.Key("flexIndex");
    json.Value(q.flexIndex);
    json.Key("graphFlags");
    json.Value(q.graphFlags);
    json.Key("inTotalIndex");
    json.Value(q.inTotalIndex);
    json.Key("rankingWeight");
    json.Value(q.rankingWeight);
    json.Key("firstAlternative");
    json.Value(q.firstAlternative);
    json.Key("alternativeCount");
    json.Value(q.alternativeCount);
    json.EndObject();
  }
  json.EndArray();
}

void WriteBlocks(JsonWriter& json, const SurveyDocument& doc) {
  json.BeginArray();
  for (size_t b = 0; b < doc.blocks.size(); ++b) {
    const Block& block = doc.blocks[b];
    json.BeginObject();
    json.Key("sheetLabel");
    json.Value(doc.GetText(block.sheetLabel));
    json.Key("name");
    json.Value(doc.BlockName(static_cast<int32_t>(b)));
    json.Key("membersByQuestionField");
    json.Value(block.membersByQuestionField);
    json.Key("blockLevel");
    json.Value(block.blockLevel);
    json.Key("storedIndex");
    json.Value(block.storedIndex);
    json.Key("flexIndex");
    json.Value(block.flexIndex);
    json.Key("graphFlags");
    json.Value(block.graphFlags);
    json.Key("fromFile");
    json.Value(block.fromFile);
    json.Key("includeInCopy");
    json.Value(block.includeInCopy);
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
  json.Key("formatRevision");
  json.Value(doc.file.formatRevision);
  json.Key("compatibleRevision");
  json.Value(doc.file.compatibleRevision);
  json.Key("fileName");
  json.Value(doc.file.documentFileName);
  json.Key("title");
  json.Value(doc.file.documentTitle);
  json.Key("info");
  WriteInfo(json, doc);

  json.Key("strings");
  json.BeginArray();
  for (const QString& text : doc.strings) json.Value(text);
  json.EndArray();

  const int32_t respondents = doc.answers.RespondentCount();
  const int32_t matrixQuestions = doc.answers.QuestionCount();
  json.Key("answerWidth");
  json.Value(doc.answers.Width());
  json.Key("respondentCount");
  json.Value(respondents);
  json.Key("matrixQuestionCount");
  json.Value(matrixQuestions);
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
  json.Key("maxDimensionAlternatives");
  json.Value(doc.maxDimensionAlternatives);
  json.Key("flexTotalQuestion");
  json.Value(doc.flexTotalQuestion);
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
