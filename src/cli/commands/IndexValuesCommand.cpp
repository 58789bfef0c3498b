// kvf index-values FILE [selection]: the index value table that a double
// click on the status bar puts on the clipboard.
#include "CliCommon.h"
#include "Commands.h"
#include "SelectionOptions.h"
#include "core/indexes/IndexCalculation.h"
#include "core/session/DocumentSession.h"
#include "platform/clipboard/Clipboard.h"

namespace kvf::cli {

int RunIndexValues(const QStringList& words) {
  const QString command = QStringLiteral("index-values");
  std::optional<Arguments> arguments;
  SelectionOptions options;
  if (const int code = ParseSheetCommand(command, words, {}, &arguments, &options); code != kExitOk) return code;
  DocumentSession session;
  const PreparedSheet prepared = PrepareSheet(command, session, arguments->Positional().first(), options);
  if (const int code = RequireNewSheet(prepared); code != kExitOk) return code;
  const SurveyDocument& document = session.Document();
  // Without indexes the double click computes nothing.
  if (!document.info.HasIndexes()) return kExitOk;
  platform::FakeClipboard clipboard;
  CalculateTotalIndexSpec(document, session.View().Sheet().respondents, &clipboard);
  if (clipboard.Writes() > 0) WriteOut(clipboard.Text().toUtf8());
  return kExitOk;
}

}  // namespace kvf::cli
