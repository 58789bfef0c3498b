#include "Commands.h"

namespace kvf::cli {

const std::vector<Command>& AllCommands() {
  static const std::vector<Command> commands = {
      {"dump", "dump FILE",
       "Prints the decoded document as one JSON object: file identity, the information record,\n"
       "the string table, the answer matrix [question][respondent], alternatives, questions,\n"
       "comments, blocks (user blocks included), block items and the derived lists.",
       RunDump},
  };
  return commands;
}

}  // namespace kvf::cli
