#include "core/document/SurveyDocument.h"

#include <algorithm>
#include <cstring>

namespace kvf {

int32_t AnswerMatrix::Get(int32_t respondent, int32_t question) const {
  if (width_ < 1) return 0;
  // A question beyond the matrix (the question table may be longer) has
  // no answer: -1 names no alternative.
  if (respondent < 0 || question < 0 || respondent >= respondents_ || question >= questions_) return -1;
  const size_t at = static_cast<size_t>(question) * static_cast<size_t>(respondents_) + static_cast<size_t>(respondent);
  switch (width_) {
    case 1:
      return bytes_[at];
    case 2: {
      int16_t value;
      std::memcpy(&value, bytes_.data() + at * 2, 2);
      return value;
    }
    case 3: {
      int32_t value;
      std::memcpy(&value, bytes_.data() + at * 4, 4);
      return value;
    }
    default:
      return 0;
  }
}

void AnswerMatrix::Assign(int32_t width, int32_t respondents, int32_t questions, std::vector<uint8_t> bytes,
                          int32_t tag) {
  width_ = width;
  respondents_ = respondents;
  questions_ = questions;
  bytes_ = std::move(bytes);
  tag_ = tag;
}

void AnswerMatrix::Clear() {
  width_ = -1;
  tag_ = 1;
  respondents_ = 0;
  questions_ = 0;
  bytes_.clear();
  bytes_.shrink_to_fit();
}

const uint8_t* AnswerMatrix::Column(int32_t question) const {
  return bytes_.data() + static_cast<size_t>(question) * static_cast<size_t>(respondents_) *
                             static_cast<size_t>(ElementSize(width_));
}

const QString& SurveyDocument::GetText(TextRef index) const {
  static const QString empty;
  if (index < 0 || static_cast<size_t>(index) >= strings.size()) return empty;
  return strings[static_cast<size_t>(index)];
}

TextRef SurveyDocument::AnswerComment(int32_t respondent, int32_t question) const {
  if (!answerCommentsPresent || respondent < 0 || question < 0 || respondent >= answers.RespondentCount() ||
      question >= answers.QuestionCount())
    return -1;
  return answerComments[static_cast<size_t>(question) * static_cast<size_t>(answers.RespondentCount()) +
                        static_cast<size_t>(respondent)];
}

const Question* SurveyDocument::QuestionAt(int32_t question) const {
  if (question < 0 || static_cast<size_t>(question) >= questions.size()) return nullptr;
  return &questions[static_cast<size_t>(question)];
}

int32_t SurveyDocument::AlternativeCount(int32_t question) const {
  const Question* q = QuestionAt(question);
  return q != nullptr ? std::max(0, q->alternativeCount) : 0;
}

const Alternative* SurveyDocument::AnswerAlternative(int32_t question, int32_t answer) const {
  if (answer < 0 || answer >= AlternativeCount(question)) return nullptr;
  const int64_t alternative = static_cast<int64_t>(questions[static_cast<size_t>(question)].firstAlternative) + answer;
  if (alternative < 0 || alternative >= static_cast<int64_t>(alternatives.size())) return nullptr;
  return &alternatives[static_cast<size_t>(alternative)];
}

int32_t SurveyDocument::AnswerPositionCount(int32_t question) const {
  const int32_t count = AlternativeCount(question);
  if (count == 0) return 0;
  const int64_t first = questions[static_cast<size_t>(question)].firstAlternative;
  return static_cast<int32_t>(std::clamp<int64_t>(static_cast<int64_t>(alternatives.size()) - first, 0, count));
}

QString SurveyDocument::BlockName(int32_t block) const {
  if (block < 0 || static_cast<size_t>(block) >= blocks.size()) return {};
  const Block& b = blocks[static_cast<size_t>(block)];
  return b.fromFile ? GetText(b.name) : b.userName;
}

bool SurveyDocument::ComplementProtected(int32_t dimension, int32_t alternative) const {
  if (dimension < 0 || dimension >= DimensionCount() || alternative < 0 || alternative >= maxDimensionAlternatives)
    return false;
  return complementProtection[static_cast<size_t>(dimension) * static_cast<size_t>(maxDimensionAlternatives) +
                              static_cast<size_t>(alternative)];
}

void SurveyDocument::Reset() { *this = SurveyDocument(); }

void SurveyDocument::IndexBlockMembers() {
  blockMembers_.assign(blocks.size(), {});
  for (const BlockItem& item : blockItems) {
    if (item.block >= 0 && static_cast<size_t>(item.block) < blocks.size() &&
        !blocks[static_cast<size_t>(item.block)].membersByQuestionField)
      blockMembers_[static_cast<size_t>(item.block)].push_back(item.question);
  }
  // Blocks named by the questions' fields: primary members, else secondary.
  std::vector<std::vector<int32_t>> secondary(blocks.size());
  for (const int32_t q : overviewQuestions) {
    const Question* question = QuestionAt(q);
    if (question == nullptr) continue;
    const auto inRange = [&](int32_t b) {
      return b >= 0 && static_cast<size_t>(b) < blocks.size() && blocks[static_cast<size_t>(b)].membersByQuestionField;
    };
    if (inRange(question->primaryBlock)) blockMembers_[static_cast<size_t>(question->primaryBlock)].push_back(q);
    if (inRange(question->secondaryBlock)) secondary[static_cast<size_t>(question->secondaryBlock)].push_back(q);
  }
  for (size_t b = 0; b < blocks.size(); ++b)
    if (blocks[b].membersByQuestionField && blockMembers_[b].empty()) blockMembers_[b] = std::move(secondary[b]);
  indexedBlocks_ = blocks.size();
  indexedItems_ = blockItems.size();
  membersIndexed_ = true;
}

std::vector<int32_t> SurveyDocument::BlockMembers(int32_t block) const {
  if (block < 0 || static_cast<size_t>(block) >= blocks.size()) return {};
  if (membersIndexed_ && indexedBlocks_ == blocks.size() && indexedItems_ == blockItems.size())
    return blockMembers_[static_cast<size_t>(block)];
  std::vector<int32_t> list;
  if (!blocks[static_cast<size_t>(block)].membersByQuestionField) {
    for (const BlockItem& item : blockItems)
      if (item.block == block) list.push_back(item.question);
    return list;
  }
  auto collect = [&](int32_t Question::*field) {
    for (const int32_t q : overviewQuestions)
      if (const Question* question = QuestionAt(q); question != nullptr && question->*field == block)
        list.push_back(q);
  };
  collect(&Question::primaryBlock);
  if (list.empty()) collect(&Question::secondaryBlock);
  return list;
}

QString GuidRegistryForm(const std::array<uint8_t, 16>& g) {
  auto hex = [](uint32_t value, int digits) {
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
  };
  const uint32_t data1 = static_cast<uint32_t>(g[0]) | static_cast<uint32_t>(g[1]) << 8 |
                         static_cast<uint32_t>(g[2]) << 16 | static_cast<uint32_t>(g[3]) << 24;
  const uint32_t data2 = static_cast<uint32_t>(g[4]) | static_cast<uint32_t>(g[5]) << 8;
  const uint32_t data3 = static_cast<uint32_t>(g[6]) | static_cast<uint32_t>(g[7]) << 8;
  QString text = QLatin1Char('{') + hex(data1, 8) + QLatin1Char('-') + hex(data2, 4) + QLatin1Char('-') +
                 hex(data3, 4) + QLatin1Char('-');
  for (int i = 8; i < 16; ++i) {
    if (i == 10) text += QLatin1Char('-');
    text += hex(g[static_cast<size_t>(i)], 2);
  }
  return text + QLatin1Char('}');
}

int32_t IndexDecimalsForDivisor(int32_t divisor) {
  if (divisor < 10) return 0;
  if (divisor < 100) return 1;
  if (divisor < 1000) return 2;
  if (divisor < 10000) return 3;
  if (divisor < 100000) return 4;
  return 5;
}

}  // namespace kvf
