// kvf indexes FILE [selection] [--total] [--category Q]... [--counts]
// [--groups LIST] [--full-text] [--columns]: the index table that Copy
// Indexes puts on the clipboard.
#include <algorithm>

#include "CliCommon.h"
#include "Commands.h"
#include "SelectionOptions.h"
#include "core/indexes/IndexExport.h"
#include "core/session/DocumentSession.h"

namespace kvf::cli {

namespace {

const QString kTotal = QStringLiteral("total");
const QString kCategory = QStringLiteral("category");
const QString kCounts = QStringLiteral("counts");
const QString kGroups = QStringLiteral("groups");
const QString kFullText = QStringLiteral("full-text");
const QString kColumns = QStringLiteral("columns");

OfferCheck OffersIndexCopy() {
  return [](const SurveyDocument& document) -> std::optional<BiText> {
    if (document.info.allowCopy && document.info.HasIndexes()) return std::nullopt;
    return BiText{QStringLiteral("This document does not offer its indexes to be copied."),
                  QStringLiteral("Det här dokumentet erbjuder inte att dess index kopieras.")};
  };
}

}  // namespace

int RunIndexes(const QStringList& words) {
  const QString command = QStringLiteral("indexes");
  QString error;
  const std::optional<Arguments> arguments =
      Arguments::Parse(words, SelectionFlagNames() + QStringList{kTotal, kCounts, kFullText, kColumns},
                       SelectionValueNames() + QStringList{kCategory, kGroups}, &error);
  if (!arguments) return UsageError(command, error);
  if (arguments->Positional().size() != 1) return UsageError(command, QStringLiteral("expected one FILE"));
  const std::optional<SelectionOptions> options = ParseSelectionOptions(*arguments, &error);
  if (!options) return UsageError(command, error);

  IndexExportSettings settings;
  settings.totalSubSelection = arguments->Has(kTotal);
  settings.showCounts = arguments->Has(kCounts);
  settings.fullQuestionText = arguments->Has(kFullText);
  settings.subSelectionsInColumns = arguments->Has(kColumns);
  for (const QString& value : arguments->Values(kCategory)) {
    const std::optional<int> question = ParseInt(value);
    if (!question) return UsageError(command, QStringLiteral("--category: \"%1\" is not a question index").arg(value));
    settings.categories.push_back(*question);
  }
  for (const QString& groups : arguments->Values(kGroups)) {
    for (const QString& item : groups.split(QLatin1Char(','))) {
      const std::optional<int> group = ParseInt(item.trimmed());
      if (!group || *group < 0 || *group > 4)
        return UsageError(command, QStringLiteral("--groups: \"%1\" is not an index group 0..4").arg(item));
      settings.groups[static_cast<size_t>(*group)] = true;
    }
  }
  if (!settings.totalSubSelection && settings.categories.empty())
    return UsageError(command, QStringLiteral("choose a sub-selection: --total or --category Q"));
  if (std::none_of(settings.groups.begin(), settings.groups.end(), [](bool g) { return g; }))
    return UsageError(command, QStringLiteral("choose an index group: --groups LIST"));

  const auto checkArguments = [&settings](const SurveyDocument& document) -> std::optional<QString> {
    for (const int32_t q : settings.categories)
      if (std::find(document.dimensions.begin(), document.dimensions.end(), q) == document.dimensions.end())
        return QStringLiteral("--category: question %1 is not a dimension of the document").arg(q);
    // Only sub-blocks were asked for and the document has no sub-block line.
    if (!IndexExportAllowed(document, settings))
      return QStringLiteral("--groups: the document has no sub-block index line; choose another group");
    return std::nullopt;
  };
  DocumentSession session;
  const PreparedSheet prepared =
      PrepareSheet(command, session, arguments->Positional().first(), *options, OffersIndexCopy(), checkArguments);
  if (const int code = RequireNewSheet(prepared); code != kExitOk) return code;

  const SurveyDocument& document = session.Document();
  const SubSheet& sheet = session.View().Sheet();
  Result<IndexExport> made = IndexExport::Create(document, sheet.respondents, settings);
  if (!made) {
    WriteError(made.Error().Text());
    return kExitRefused;
  }
  made->Calculate();
  WriteOut(made->Text(sheet.description, settings.showCounts, settings.subSelectionsInColumns).toUtf8());
  return kExitOk;
}

}  // namespace kvf::cli
