#pragma once
// The table of kvf commands. Each command lives in commands/<Name>Command.cpp
// and is listed once in Commands.cpp.
#include <QString>
#include <QStringList>
#include <vector>

namespace kvf::cli {

struct Command {
  const char* name;
  const char* synopsis;  // one line: "dump FILE"
  const char* help;      // a few lines describing the command and its output
  int (*run)(const QStringList& arguments);  // arguments after the command name
};

const std::vector<Command>& AllCommands();

// The commands' entry points.
int RunDump(const QStringList& arguments);
int RunSelect(const QStringList& arguments);
int RunCopyData(const QStringList& arguments);
int RunCopyRow(const QStringList& arguments);
int RunIndexValues(const QStringList& arguments);
int RunSettings(const QStringList& arguments);
int RunOverview(const QStringList& arguments);
int RunDetail(const QStringList& arguments);
int RunBlocks(const QStringList& arguments);
int RunComments(const QStringList& arguments);
int RunInfo(const QStringList& arguments);
int RunAbout(const QStringList& arguments);
int RunIndexes(const QStringList& arguments);
int RunGraph(const QStringList& arguments);
int RunChart(const QStringList& arguments);

}  // namespace kvf::cli
