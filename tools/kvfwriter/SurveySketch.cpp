#include "kvfwriter/SurveySketch.h"

namespace kvf::writer {

AlternativeRecord& SurveySketch::Alternative(const QString& sheetLabel, const QString& name, int32_t value) {
  AlternativeRecord a;
  a.sheetLabel = Text(sheetLabel);
  a.name = Text(name);
  a.selectionName = a.name;
  a.value = value;
  description_.alternatives.push_back(a);
  return description_.alternatives.back();
}

QuestionRecord SurveySketch::Question(const QString& sheetLabel, const QString& name, const QString& text,
                                      int32_t count) {
  QuestionRecord q;
  q.sheetLabel = Text(sheetLabel);
  q.name = Text(name);
  q.text = Text(text);
  q.selectionName = q.name;
  q.firstAlternative = static_cast<int32_t>(description_.alternatives.size()) - count;
  q.alternativeCount = count;
  return q;
}

KvfDescription SurveySketch::Finish() const {
  KvfDescription d = description_;
  d.strings = strings_.Entries();
  return d;
}

}  // namespace kvf::writer
