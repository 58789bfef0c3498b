#pragma once
// How a data set becomes a document: which variables become questions and
// with which alternatives, which questions are dimensions, count in indexes,
// serve as the flex total, which blocks group them, and which string
// variable holds the respondents' comments.
//
// ProposeMapping derives a mapping from the data and the command-line
// options (the rules are listed in tools/kvf-make/README.md); MappingToJson
// prints it for `--dry-run`, and MappingFromJson reads such a text back for
// `--mapping`, checked against the data.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

#include "core/text/Result.h"
#include "import/SourceData.h"

namespace kvf::import {

// What the user asked for on the command line.
struct ImportOptions {
  QStringList dimensions;  // --dimension (empty: chosen from the data)
  QStringList indexes;     // --index
  bool indexAllScales = false;
  // --block NAME=VAR,...: the name and its variables, in the order given.
  std::vector<std::pair<QString, QStringList>> blocks;
  bool blocksByPrefix = false;
  QString flex;     // --flex
  QString comment;  // --comment
  QString title;
  QString project;
  QString language = QStringLiteral("en");  // "en" or "sv"
  int minimum = 5;
};

struct MappedAlternative {
  double code = 0;
  QString label;
};

struct MappedQuestion {
  int variable = 0;  // position in SourceData::variables
  QString text;
  bool ordered = false;  // an ordered scale: coloured red to green
  // The codes that become alternatives, in alternative order (after the
  // first, "No answer").
  std::vector<MappedAlternative> alternatives;
  bool dimension = false;
  bool index = false;
  bool flex = false;
  int block = -1;  // position in ImportMapping::blocks
};

struct SkippedVariable {
  int variable = 0;
  QString reason;  // English: the mapping text is a file for the user to edit
};

struct ImportMapping {
  QString title;
  QString project;
  QString language = QStringLiteral("en");
  int minimum = 5;
  std::vector<MappedQuestion> questions;
  QStringList blocks;
  int comment = -1;  // variable position of the comment text, -1 none
  std::vector<SkippedVariable> skipped;

  bool HasIndexes() const;
};

// The mapping for a data set. Fails with kUsageError when an option names a
// variable the data does not have or that cannot serve as asked.
Result<ImportMapping> ProposeMapping(const SourceData& source, const ImportOptions& options);

// The mapping as one line of JSON (with a final LF):
// {"title","project","language","minimum","questions":[{"variable","text",
// "ordered","alternatives":[{"code","label"}]}],"dimensions":[names],
// "indexes":[names],"flex":name|null,"blocks":[{"name","variables":[names]}],
// "comment":name|null,"skipped":[{"variable","reason"}]}
QByteArray MappingToJson(const SourceData& source, const ImportMapping& mapping);

// Reads a mapping written by MappingToJson (and perhaps edited); fileName
// goes into the messages. Fails with kUsageError when the text is not such
// a mapping or names variables the data does not have.
Result<ImportMapping> MappingFromJson(const QByteArray& json, const QString& fileName, const SourceData& source);

// The block a variable falls in by its name: the part before the first "_",
// else the name without a trailing run of digits; empty when neither
// applies (q1_a -> q1, trust3 -> trust, age -> "").
QString NamePrefix(const QString& name);

}  // namespace kvf::import
