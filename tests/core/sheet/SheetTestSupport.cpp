#include "core/sheet/SheetTestSupport.h"

#include <QGuiApplication>

#include "core/fixtures/SurveyBuilder.h"
#include "core/indexes/IndexCalculation.h"

namespace kvf::testing {

void EnsureGuiApplication() {
  if (QCoreApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "kvfcore_tests";
  static char* argv[] = {name, nullptr};
  new QGuiApplication(argc, argv);  // lives for the whole test run
}

SurveyDocument SheetSurvey(const SheetSurveySpec& spec) {
  SurveyBuilder builder;
  for (int32_t b = 0; b < spec.blockCount; ++b) builder.AddBlock(QStringLiteral("Block %1").arg(b), true);
  for (size_t c = 0; c < spec.answers.size(); ++c) {
    TestQuestion question = ValuedQuestion(QStringLiteral("Q%1").arg(c), {1, 2, 3}, spec.answers[c]);
    question.inTotalIndex = true;
    question.primaryBlock = c < spec.primary.size() ? spec.primary[c] : -1;
    question.secondaryBlock = c < spec.secondary.size() ? spec.secondary[c] : -1;
    builder.Add(question);
  }
  SurveyDocument document = builder.Build();
  DocumentInfo& info = document.info;
  info.sheetColor0 = kCaptionColour;
  info.sheetColor1 = kGroupLineColour;
  for (size_t i = 0; i < 4; ++i) info.levelColors[i] = kLevelColours[i];
  auto text = [&document](const QString& value) {
    document.strings.push_back(value);
    return static_cast<TextRef>(document.strings.size() - 1);
  };
  info.indexLabels[4] = text(QStringLiteral("Total"));
  info.countTip = text(QStringLiteral("Count"));
  info.selectionTip = text(QStringLiteral("Selection"));
  for (Question& question : document.questions) {
    question.backColor = kQuestionColour;
    for (int32_t a = 0; a < question.alternativeCount; ++a)
      document.alternatives[static_cast<size_t>(question.firstAlternative + a)].backColor = kAlternativeColours[a % 3];
  }
  return document;
}

SubSheet WholeSheet(const SurveyDocument& document) {
  SubSheet sheet;
  sheet.present = true;
  sheet.respondents = AllRespondents(document);
  sheet.columns = document.overviewQuestions;
  sheet.rowLimit = -1;
  sheet.dataRowsAllowed = true;
  sheet.description = QStringLiteral("All respondents");
  sheet.totalIndex = CalculateColumnsIndex(document, sheet.columns, sheet.respondents);
  return sheet;
}

QRgb Rgb(Colour colour) { return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF); }

}  // namespace kvf::testing
