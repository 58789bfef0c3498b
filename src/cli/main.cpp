// kvf: the command-line companion of KVF Viewer. It runs the viewer's core on
// a document and prints what the viewer would show, copy or save.
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "CliCommon.h"
#include "Commands.h"
#include "core/text/Language.h"
#include "graphics/application/HeadlessApplication.h"

namespace {

QByteArray HelpText() {
  QByteArray text =
      "Usage: kvf COMMAND [ARGUMENTS]\n"
      "\n"
      "Runs the KVF Viewer core on a .kvf survey document without a window.\n"
      "\n"
      "Commands:\n";
  for (const auto& command : kvf::cli::AllCommands()) {
    text += "  kvf ";
    text += command.synopsis;
    text += "\n";
    for (const QByteArray& line : QByteArray(command.help).split('\n')) text += "      " + line + "\n";
    text += "\n";
  }
  text +=
      "Exit codes: 0 success, 1 usage error (also a position out of range), 2 the document could\n"
      "not be loaded (the loader's message is printed on standard error), 5 the viewer does not\n"
      "offer the command for this document (copy-data needs AllowCopy and AllowCopyData, overview\n"
      "needs AllowSave), 3 the selection or the command was refused, 4 an output file could not be\n"
      "written. When several apply, the first in the order 1, 2, 5, 3, 4 wins.\n"
      "\n"
      "Messages follow the interface language of the environment (LC_ALL, then LC_MESSAGES,\n"
      "then LANG; a value starting with \"sv\" selects Swedish).\n";
  return text;
}

// Qt's own diagnostics (missing runtime folders, platform plug-in notes)
// would mix with the command's output on stderr; they are shown only when
// KVF_DEBUG is set.
void QuietMessageHandler(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg || qEnvironmentVariableIsSet("KVF_DEBUG"))
    std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

int main(int argc, char** argv) {
  // kvf never opens a window; fonts, pictures and charts still need an
  // application object.
  qInstallMessageHandler(QuietMessageHandler);
  const std::unique_ptr<QApplication> application = kvf::graphics::CreateHeadlessApplication(argc, argv);
  kvf::SetSwedish(kvf::SwedishFromEnvironment());

  QStringList words = QCoreApplication::arguments().mid(1);
  if (words.isEmpty()) {
    std::fputs(HelpText().constData(), stderr);
    return kvf::cli::kExitUsage;
  }
  const QString name = words.takeFirst();
  if (name == QStringLiteral("--help") || name == QStringLiteral("-h") || name == QStringLiteral("help")) {
    kvf::cli::WriteOut(HelpText());
    return kvf::cli::kExitOk;
  }
  for (const auto& command : kvf::cli::AllCommands()) {
    if (name == QLatin1String(command.name)) return command.run(words);
  }
  kvf::cli::WriteError(QStringLiteral("kvf: unknown command '%1'. Try 'kvf --help'.").arg(name));
  return kvf::cli::kExitUsage;
}
