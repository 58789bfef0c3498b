#pragma once
// One user-visible text in both interface languages.
#include <QString>

namespace kvf {

struct BiText {
  QString english;
  QString swedish;

  // The text in the run's interface language (see Language.h).
  QString Get() const;
  // The text in the given language.
  QString Get(bool inSwedish) const { return inSwedish ? swedish : english; }
};

// The program's title, the same in both languages.
inline QString ApplicationTitle() { return QStringLiteral("KVF Viewer"); }

}  // namespace kvf
