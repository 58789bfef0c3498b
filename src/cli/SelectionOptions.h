#pragma once
// The selection options shared by every kvf command that works on a sheet,
// and the steps that open a document and apply them the way the
// navigator's Show does.
//
//   --keep D:A1,A2,...   dimension position D (0-based) keeps only the listed
//                        alternative positions (0-based); "--keep D:" keeps
//                        none. Repeatable; a dimension named twice keeps the
//                        alternatives of both. Dimensions not named keep all.
//   --flex A1,A2,...     the flex total's chosen alternatives of the flex
//                        question ("" chooses none)
//   --flex-on-selection  the flex total is based on the current selection
//   --row-order N        the user setting "Overview Row Order" (0, 1 or 2)
//   --max-rows N         the user setting "Overview Max Rows" (N >= 0)
//   --seed N             seed of the random row orders (default: the clock)
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "CliCommon.h"
#include "core/text/Result.h"

namespace kvf::cli {

struct SelectionOptions {
  std::vector<std::pair<int32_t, std::vector<int32_t>>> keeps;
  std::optional<std::vector<int32_t>> flex;
  bool flexOnSelection = false;
  std::optional<int32_t> rowOrder;
  std::optional<int32_t> maxRows;
  std::optional<uint64_t> seed;
};

// Option names to add to a command's Arguments::Parse lists.
QStringList SelectionFlagNames();
QStringList SelectionValueNames();

// Reads the options' syntax; nullopt with error set when one is malformed.
std::optional<SelectionOptions> ParseSelectionOptions(const Arguments& arguments, QString* error);

// Parses the words of a sheet command: exactly one FILE plus the selection
// options and the command's own value options. Returns kExitOk and fills
// arguments and options, or prints a usage error and returns kExitUsage.
int ParseSheetCommand(const QString& command, const QStringList& words, const QStringList& ownValueNames,
                      std::optional<Arguments>* arguments, SelectionOptions* options);

// The outcome of opening a document and applying the options.
struct PreparedSheet {
  int exitCode = kExitOk;  // kExitOk: go on; anything else: stop with it
  Status refusal;          // CreateSubSheet's status: a failure is the refused selection
};

// Opens FILE into the session with the user settings of the options,
// checks the options against the document, asks offered (when given)
// whether the viewer offers the command for it, then applies the flex
// options (SetFlexTotal) and the selection (CreateSubSheet). Prints load,
// usage and not-offered errors itself; a refusal is returned, not printed.
// checkArguments (when given) checks the command's own options against the
// document before the offer: a message is a usage error.
using ArgumentCheck = std::function<std::optional<QString>(const SurveyDocument&)>;
PreparedSheet PrepareSheet(const QString& command, DocumentSession& session, const QString& path,
                           const SelectionOptions& options, const OfferCheck& offered = {},
                           const ArgumentCheck& checkArguments = {});

// For commands that work on the new sheet: passes on a failed preparation's
// exit code, prints a refusal on standard error and returns kExitRefused,
// else returns kExitOk.
int RequireNewSheet(const PreparedSheet& prepared);

}  // namespace kvf::cli
