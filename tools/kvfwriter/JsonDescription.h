#pragma once
// Reads the friendly JSON description of a survey (texts inline, questions
// owning their alternatives) into a KvfDescription. The format is
// documented in tools/kvf-make/README.md.
#include <QByteArray>
#include <QString>

#include "kvfwriter/KvfDescription.h"

namespace kvf::writer {

// On success fills *description and returns true. On failure returns false
// and sets *error to one line naming the JSON path of the fault, e.g.
// "questions[2].alternatives[0].backColor: expected a colour ...".
// REQUIRES: description and error are not null.
bool ParseJsonDescription(const QByteArray& json, KvfDescription* description, QString* error);

}  // namespace kvf::writer
