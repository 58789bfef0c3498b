#include "core/graphs/ChartTexts.h"

namespace kvf {

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

QString CutTo(const QString& text, qsizetype limit) {
  if (text.size() <= limit) return text;
  QString cut = text.left(std::max<qsizetype>(0, limit - 3));
  while (cut.endsWith(QLatin1Char(' '))) cut.chop(1);
  return cut + QStringLiteral("...");
}

}  // namespace

QString CutChartText(const QString& text) { return CutTo(text, kChartTextLimit); }

QString CountedCaption(const QString& text, int64_t count, const QLocale& locale) {
  const QString bracket = QStringLiteral(" [") + locale.toString(static_cast<double>(count), 'f', 0) + QLatin1Char(']');
  return CutTo(text, kChartTextLimit - bracket.size()) + bracket;
}

QString GroupLabel(const SurveyDocument& document, int32_t question, int32_t answer, bool shortNames) {
  const Alternative* alternative = document.AnswerAlternative(question, answer);
  if (alternative == nullptr) return {};
  return document.GetText(shortNames ? alternative->selectionName : alternative->name);
}

bool SwedishDocument(const SurveyDocument& document) { return document.info.languageCode == QLatin1String("sv"); }

ChartStatusTexts ChartKindTexts(ChartKind kind) {
  switch (kind) {
    case ChartKind::Distribution:
      return {{S("Generating distribution graph..."), S("Skapar fördelningsgraf...")},
              {S("Distribution graph generated!"), S("Fördelningsgraf skapad!")}};
    case ChartKind::TotalIndex:
      return {{S("Generating total index graph..."), S("Skapar totalindexgraf...")},
              {S("Total index graph generated!"), S("Totalindexgraf skapad!")}};
    case ChartKind::BlockIndex:
      return {{S("Generating block index graph..."), S("Skapar blockindexgraf...")},
              {S("Block index graph generated!"), S("Blockindexgraf skapad!")}};
    case ChartKind::BlockRanking:
      return {{S("Generating block ranking graph..."), S("Skapar blockrankningsgraf...")},
              {S("Block ranking graph generated!"), S("Blockrankningsgraf skapad!")}};
    case ChartKind::QuestionRanking:
      break;
  }
  return {{S("Generating question ranking graph..."), S("Skapar frågerankningsgraf...")},
          {S("Question ranking graph generated!"), S("Frågerankningsgraf skapad!")}};
}

}  // namespace kvf
