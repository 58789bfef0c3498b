// kvf index-values FILE [selection]: the index value table that a double
// click on the status bar puts on the clipboard.
#include "CliCommon.h"
#include "Commands.h"
#include "SelectionOptions.h"
#include "core/indexes/IndexCalculation.h"
#include "core/session/DocumentSession.h"

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
  const QString table = TotalIndexValueTable(document, session.View().Sheet().respondents);
  if (!table.isEmpty()) WriteOut(table.toUtf8());
  return kExitOk;
}

}  // namespace kvf::cli
