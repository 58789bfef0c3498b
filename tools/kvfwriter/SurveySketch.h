#pragma once
// Builds a small description from texts, the way test fixtures write one:
// texts go to a shared string table, alternatives to the shared table, and
// each question owns the alternatives added just before it.
//
//   SurveySketch s;
//   s.Alternative("N", "North", -1);
//   s.Alternative("S", "South", -1);
//   QuestionRecord region = s.Question("Reg", "Region", "Where?", 2);
//   s.Description().questions = {region};
//   KvfDescription d = s.Finish();
#include <QString>

#include "kvfwriter/KvfDescription.h"
#include "kvfwriter/KvfWriter.h"

namespace kvf::writer {

class SurveySketch {
 public:
  KvfDescription& Description() { return description_; }
  // The text reference of a text (equal texts share one entry).
  int32_t Text(const QString& text) { return strings_.Add(text); }

  // Appends an alternative with the sheet label, the name (also its
  // selection name) and the index value; returns it for further fields.
  AlternativeRecord& Alternative(const QString& sheetLabel, const QString& name, int32_t value);
  // A question owning the last `count` alternatives, with its sheet label,
  // name (also its selection name) and text. It is not added to the
  // description: set its flags, then put it in Description().questions.
  // REQUIRES: at least count alternatives were added.
  QuestionRecord Question(const QString& sheetLabel, const QString& name, const QString& text, int32_t count);

  // The description with its string table.
  KvfDescription Finish() const;

 private:
  KvfDescription description_;
  StringTable strings_;
};

}  // namespace kvf::writer
