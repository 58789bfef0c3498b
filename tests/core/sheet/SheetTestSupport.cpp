#include "core/sheet/SheetTestSupport.h"

#include <QGuiApplication>

#include "core/fixtures/SurveyRecipe.h"
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

SurveyRecipe SheetRecipe(const SheetColumns& columns) {
  SurveyRecipe survey;
  for (int32_t b = 0; b < columns.blockCount; ++b) survey.AddBlock(QStringLiteral("Block %1").arg(b), true);
  for (size_t c = 0; c < columns.answers.size(); ++c) {
    TestQuestion question = ValuedQuestion(QStringLiteral("Q%1").arg(c), {1, 2, 3}, columns.answers[c]);
    question.inTotalIndex = true;
    question.primaryBlock = c < columns.primary.size() ? columns.primary[c] : -1;
    question.secondaryBlock = c < columns.secondary.size() ? columns.secondary[c] : -1;
    question.backColor = kQuestionColour;
    for (size_t a = 0; a < question.alternatives.size(); ++a) question.alternatives[a].backColor = kAlternativeColours[a];
    survey.Add(question);
  }
  writer::InfoFields& info = survey.Info();
  info.sheetColor0 = kCaptionColour;
  info.sheetColor1 = kGroupLineColour;
  for (size_t i = 0; i < 4; ++i) info.levelColors[i] = kLevelColours[i];
  info.indexLabel4 = survey.Text(QStringLiteral("Total"));
  info.countTip = survey.Text(QStringLiteral("Count"));
  info.selectionTip = survey.Text(QStringLiteral("Selection"));
  return survey;
}

SurveyDocument SheetSurvey(const SheetColumns& columns) { return SheetRecipe(columns).Load(); }

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
