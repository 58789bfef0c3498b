#include "SelectionOptions.h"

#include "core/session/DocumentSession.h"
#include "core/sheet/SelectionMatrix.h"

namespace kvf::cli {
namespace {

// A comma-separated list of whole numbers; "" is the empty list.
std::optional<std::vector<int32_t>> ParseNumberList(const QString& text) {
  std::vector<int32_t> numbers;
  if (text.isEmpty()) return numbers;
  for (const QString& part : text.split(QLatin1Char(','))) {
    const std::optional<int> number = ParseInt(part);
    if (!number) return std::nullopt;
    numbers.push_back(*number);
  }
  return numbers;
}

// Checks that every position lies in 0 .. count - 1.
bool AllBelow(const std::vector<int32_t>& positions, int32_t count, int32_t* bad) {
  for (const int32_t position : positions) {
    if (position < 0 || position >= count) {
      *bad = position;
      return false;
    }
  }
  return true;
}

}  // namespace

QStringList SelectionFlagNames() { return {QStringLiteral("flex-on-selection")}; }

QStringList SelectionValueNames() {
  return {QStringLiteral("keep"), QStringLiteral("flex"), QStringLiteral("row-order"), QStringLiteral("max-rows"),
          QStringLiteral("seed")};
}

std::optional<SelectionOptions> ParseSelectionOptions(const Arguments& arguments, QString* error) {
  SelectionOptions options;
  for (const QString& keep : arguments.Values(QStringLiteral("keep"))) {
    const qsizetype colon = keep.indexOf(QLatin1Char(':'));
    const std::optional<int> dimension = colon < 0 ? std::nullopt : ParseInt(keep.left(colon));
    const std::optional<std::vector<int32_t>> kept =
        colon < 0 ? std::nullopt : ParseNumberList(keep.mid(colon + 1));
    if (!dimension || !kept) {
      *error = QStringLiteral("--keep needs D:A1,A2,... with whole numbers, not '%1'").arg(keep);
      return std::nullopt;
    }
    options.keeps.emplace_back(*dimension, *kept);
  }
  if (const std::optional<QString> flex = arguments.Value(QStringLiteral("flex"))) {
    options.flex = ParseNumberList(*flex);
    if (!options.flex) {
      *error = QStringLiteral("--flex needs A1,A2,... with whole numbers, not '%1'").arg(*flex);
      return std::nullopt;
    }
  }
  options.flexOnSelection = arguments.Has(QStringLiteral("flex-on-selection"));
  if (const std::optional<QString> text = arguments.Value(QStringLiteral("row-order"))) {
    const std::optional<int> order = ParseInt(*text);
    if (!order || *order < 0 || *order > 2) {
      *error = QStringLiteral("--row-order must be 0, 1 or 2, not '%1'").arg(*text);
      return std::nullopt;
    }
    options.rowOrder = *order;
  }
  if (const std::optional<QString> text = arguments.Value(QStringLiteral("max-rows"))) {
    const std::optional<int> rows = ParseInt(*text);
    if (!rows || *rows < 0) {
      *error = QStringLiteral("--max-rows must be a whole number of 0 or more, not '%1'").arg(*text);
      return std::nullopt;
    }
    options.maxRows = *rows;
  }
  if (const std::optional<QString> text = arguments.Value(QStringLiteral("seed"))) {
    bool ok = false;
    const qulonglong seed = text->toULongLong(&ok, 10);
    if (!ok || text->trimmed() != *text) {
      *error = QStringLiteral("--seed must be a whole number of 0 or more, not '%1'").arg(*text);
      return std::nullopt;
    }
    options.seed = static_cast<uint64_t>(seed);
  }
  return options;
}

int ParseSheetCommand(const QString& command, const QStringList& words, const QStringList& ownValueNames,
                      std::optional<Arguments>* arguments, SelectionOptions* options) {
  QString error;
  *arguments = Arguments::Parse(words, SelectionFlagNames(), SelectionValueNames() + ownValueNames, &error);
  if (!*arguments) return UsageError(command, error);
  if ((*arguments)->Positional().size() != 1) return UsageError(command, QStringLiteral("expected one FILE"));
  std::optional<SelectionOptions> parsed = ParseSelectionOptions(**arguments, &error);
  if (!parsed) return UsageError(command, error);
  *options = std::move(*parsed);
  return kExitOk;
}

PreparedSheet PrepareSheet(const QString& command, DocumentSession& session, const QString& path,
                           const SelectionOptions& options, const OfferCheck& offered,
                           const ArgumentCheck& checkArguments) {
  PreparedSheet result;
  ViewState& view = session.View();
  if (options.rowOrder) view.SetUserRowOrder(*options.rowOrder);
  if (options.maxRows) view.SetOverviewMaxRows(*options.maxRows);
  if (options.seed) view.Reseed(*options.seed);
  if (!OpenDocument(session, path)) {
    result.exitCode = kExitLoadFailed;
    return result;
  }
  SurveyDocument& document = session.MutableDocument();

  // Check everything against the document before anything changes.
  SelectionMatrix selection = SelectionMatrix::AllSelected(document);
  std::vector<bool> named(document.dimensions.size(), false);
  for (const auto& [dimension, kept] : options.keeps) {
    if (dimension < 0 || dimension >= document.DimensionCount()) {
      result.exitCode = UsageError(command, QStringLiteral("--keep: the document has %1 dimension(s); there is no "
                                                           "dimension %2")
                                                .arg(document.DimensionCount())
                                                .arg(dimension));
      return result;
    }
    const int32_t count = document.AlternativeCount(document.dimensions[static_cast<size_t>(dimension)]);
    int32_t bad = 0;
    if (!AllBelow(kept, count, &bad)) {
      result.exitCode = UsageError(
          command, QStringLiteral("--keep: dimension %1 has %2 alternative(s); there is no alternative %3")
                       .arg(dimension)
                       .arg(count)
                       .arg(bad));
      return result;
    }
    if (!named[static_cast<size_t>(dimension)]) {
      for (int32_t a = 0; a < selection.AlternativeCount(); ++a) selection.Set(dimension, a, false);
      named[static_cast<size_t>(dimension)] = true;
    }
    for (const int32_t a : kept) selection.Set(dimension, a, true);
  }

  std::vector<bool> alternatives = view.Flex().alternatives;
  if (options.flex) {
    if (document.flexTotalQuestion < 0) {
      result.exitCode = UsageError(command, QStringLiteral("--flex: the document has no flex-total question"));
      return result;
    }
    const int32_t count = document.AlternativeCount(document.flexTotalQuestion);
    int32_t bad = 0;
    if (!AllBelow(*options.flex, count, &bad)) {
      result.exitCode = UsageError(
          command, QStringLiteral("--flex: the flex-total question has %1 alternative(s); there is no alternative %2")
                       .arg(count)
                       .arg(bad));
      return result;
    }
    alternatives.assign(static_cast<size_t>(count), false);
    for (const int32_t a : *options.flex) alternatives[static_cast<size_t>(a)] = true;
  }

  if (checkArguments) {
    if (const std::optional<QString> message = checkArguments(document)) {
      result.exitCode = UsageError(command, *message);
      return result;
    }
  }

  if (offered) {
    if (const std::optional<BiText> refusal = offered(document)) {
      WriteError(refusal->Get());
      result.exitCode = kExitNotOffered;
      return result;
    }
  }

  if (options.flex || options.flexOnSelection) view.SetFlexTotal(document, alternatives, options.flexOnSelection);
  result.refusal = view.CreateSubSheet(document, selection);
  return result;
}

int RequireNewSheet(const PreparedSheet& prepared) {
  if (prepared.exitCode != kExitOk) return prepared.exitCode;
  if (prepared.refusal) return kExitOk;
  WriteError(prepared.refusal.Text());
  return kExitRefused;
}

}  // namespace kvf::cli
