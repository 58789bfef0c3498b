#include "core/document/DocumentLimits.h"

#include <QLocale>

namespace kvf::limits {
namespace {

struct LimitWords {
  int64_t value;
  const char* english;
  const char* swedish;
};

LimitWords Words(Limit limit) {
  switch (limit) {
    case Limit::None:
      break;
    case Limit::FileBytes:
      return {kMaxFileBytes, "bytes in the file", "byte i filen"};
    case Limit::PayloadBytes:
      return {kMaxPayloadBytes, "bytes of decompressed content", "byte dekomprimerat innehåll"};
    case Limit::Strings:
      return {kMaxStrings, "texts", "texter"};
    case Limit::Alternatives:
      return {kMaxAlternatives, "answer alternatives", "svarsalternativ"};
    case Limit::Questions:
      return {kMaxQuestions, "questions", "frågor"};
    case Limit::AlternativesPerQuestion:
      return {kMaxAlternativesPerQuestion, "answer alternatives in one question", "svarsalternativ i en fråga"};
    case Limit::QuestionAlternatives:
      return {kMaxQuestionAlternatives, "answer alternatives of all questions together",
              "svarsalternativ i alla frågor tillsammans"};
    case Limit::RespondentComments:
      return {kMaxRespondentComments, "respondent comments", "kommentarer"};
    case Limit::Blocks:
      return {kMaxBlocks, "blocks", "block"};
    case Limit::BlockItems:
      return {kMaxBlockItems, "block items", "blockposter"};
    case Limit::Dimensions:
      return {kMaxDimensions, "background questions", "bakgrundsfrågor"};
    case Limit::DimensionAlternatives:
      return {kMaxDimensionAlternatives, "alternatives of background questions", "alternativ i bakgrundsfrågor"};
    case Limit::DimensionCells:
      return {kMaxDimensionCells, "background questions times their alternatives",
              "bakgrundsfrågor gånger deras alternativ"};
    case Limit::ReferencedCharacters:
      return {kMaxReferencedCharacters, "characters of text", "tecken text"};
  }
  return {0, "", ""};
}

}  // namespace

BiText LimitExceededText(Limit limit) {
  if (limit == Limit::None) return {};
  const LimitWords words = Words(limit);
  const QString number = QLocale::system().toString(static_cast<qlonglong>(words.value));
  return {QStringLiteral("This KVF file exceeds a limit of ") + ApplicationTitle() + QStringLiteral(": more than ") +
              number + QLatin1Char(' ') + QString::fromUtf8(words.english) + QLatin1Char('.'),
          QStringLiteral("Den här KVF-filen överskrider en gräns i ") + ApplicationTitle() +
              QStringLiteral(": fler än ") + number + QLatin1Char(' ') + QString::fromUtf8(words.swedish) +
              QLatin1Char('.')};
}

}  // namespace kvf::limits
