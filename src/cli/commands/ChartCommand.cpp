// kvf chart FILE [selection options] (--distribution D --type T ... |
// --total-index ... | --block-index B ... | --ranking (--block B |
// --question Q) [--by-option]) [--out PATH [--size WxH] | --print PATH.pdf
// [--landscape]]: a distribution, index or ranking chart as the set-up
// dialog's OK (or the menu command) makes it, printed as the JSON of its
// description, saved as a picture or printed on the framed page.
#include <QGuiApplication>
#include <QPrinter>
#include <QRegularExpression>
#include <bit>

#include "CliCommon.h"
#include "GraphOutput.h"
#include "Commands.h"
#include "SelectionOptions.h"
#include "core/graphs/BasicGraphRoute.h"
#include "core/graphs/ChartDescription.h"
#include "core/graphs/DistributionGraph.h"
#include "core/graphs/IndexGraph.h"
#include "core/graphs/RankingGraph.h"
#include "core/output/PictureFormat.h"
#include "core/session/DocumentSession.h"
#include "core/settings/ProgramKey.h"
#include "core/settings/ProgramSettings.h"
#include "core/text/JsonWriter.h"
#include "graphics/charts/ChartRenderer.h"
#include "graphics/printing/PrintedGraphPage.h"
#include "platform/registry/FileRegistryStore.h"

namespace kvf::cli {

namespace {

const QString kCommand = QStringLiteral("chart");

template <typename T>
void OptionalField(JsonWriter& json, const char* key, const std::optional<T>& value) {
  json.Key(key);
  if (value)
    json.Value(*value);
  else
    json.Null();
}

QByteArray ChartJson(const ChartDescription& chart, const ChartStatusTexts& texts) {
  JsonWriter json;
  json.BeginObject();
  OptionalField(json, "caption", chart.title);
  json.Field("statusBefore", texts.before.Get());
  json.Field("statusAfter", texts.after.Get());
  json.Key("chartType");
  if (chart.type)
    json.Value(static_cast<int32_t>(*chart.type));
  else
    json.Null();
  OptionalField(json, "horizontal", chart.horizontal);
  OptionalField(json, "title", chart.title);
  OptionalField(json, "bottomTitle", chart.bottomTitle);
  OptionalField(json, "leftTitle", chart.leftTitle);
  OptionalField(json, "verticalLabels", chart.verticalLabels);
  OptionalField(json, "dataLabels", chart.dataLabels);
  OptionalField(json, "legendPlacement", chart.legendPlacement);
  json.Field("points", chart.points);
  json.Field("sets", chart.sets);
  const auto texts1 = [&](const std::vector<QString>& list) {
    json.BeginArray();
    for (const QString& text : list) json.Value(text);
    json.EndArray();
  };
  json.Key("pointLabels");
  texts1(chart.pointLabels);
  json.Key("setLegends");
  if (chart.setLegends)
    texts1(*chart.setLegends);
  else
    json.Null();
  json.Key("values");
  json.BeginArray();
  for (const std::vector<double>& set : chart.values) {
    json.BeginArray();
    for (double value : set) json.Value(value);
    json.EndArray();
  }
  json.EndArray();
  json.Key("valueLabels");
  json.BeginArray();
  for (const std::vector<QString>& set : chart.valueLabels) texts1(set);
  json.EndArray();
  json.Field("colorCode9", chart.colorCode9);
  json.Key("axis");
  if (chart.axis) {
    json.BeginObject();
    json.Field("max", chart.axis->max);
    OptionalField(json, "steps", chart.axis->steps);
    json.EndObject();
  } else {
    json.Null();
  }
  json.Key("lines");
  if (chart.lines) {
    json.BeginArray();
    for (const ChartLine& line : *chart.lines) {
      json.BeginObject();
      json.Field("value", line.value);
      json.Field("explanation", line.explanation);
      json.EndObject();
    }
    json.EndArray();
  } else {
    json.Null();
  }
  json.EndObject();
  return json.Text() + '\n';
}

BiText NotOffered(const char* english, const char* swedish) {
  return BiText{QString::fromUtf8(english), QString::fromUtf8(swedish)};
}

}  // namespace

int RunChart(const QStringList& words) {
  QString error;
  const QStringList flags{
      QStringLiteral("percent"),         QStringLiteral("3d"),          QStringLiteral("horizontal"),
      QStringLiteral("vertical-labels"), QStringLiteral("total-index"), QStringLiteral("show-total"),
      QStringLiteral("blocks"),          QStringLiteral("questions"),   QStringLiteral("empty-splits"),
      QStringLiteral("explain"),         QStringLiteral("data-labels"), QStringLiteral("show-block"),
      QStringLiteral("ranking"),         QStringLiteral("by-option"),   QStringLiteral("landscape")};
  const QStringList values{QStringLiteral("distribution"), QStringLiteral("type"),     QStringLiteral("group"),
                           QStringLiteral("split"),        QStringLiteral("lines"),    QStringLiteral("block-index"),
                           QStringLiteral("block"),        QStringLiteral("question"), QStringLiteral("out"),
                           QStringLiteral("size"),         QStringLiteral("print")};
  const std::optional<Arguments> arguments =
      Arguments::Parse(words, SelectionFlagNames() + flags, SelectionValueNames() + values, &error);
  if (!arguments) return UsageError(kCommand, error);
  if (arguments->Positional().size() != 1) return UsageError(kCommand, QStringLiteral("expected one FILE"));
  const std::optional<SelectionOptions> selectionOptions = ParseSelectionOptions(*arguments, &error);
  if (!selectionOptions) return UsageError(kCommand, error);
  const auto has = [&](const char* name) { return arguments->Has(QString::fromLatin1(name)); };
  const auto number = [&](const char* name) -> std::optional<int> {
    return has(name) ? ParseInt(*arguments->Value(QString::fromLatin1(name))) : std::nullopt;
  };

  // Which chart, and the options each kind takes.
  const int kinds = int(has("distribution")) + int(has("total-index")) + int(has("block-index")) + int(has("ranking"));
  if (kinds != 1)
    return UsageError(kCommand, QStringLiteral("give one of --distribution, --total-index, --block-index, --ranking"));
  ChartKind kind = ChartKind::Distribution;
  QStringList allowed;
  if (has("distribution")) {
    allowed = {"distribution", "type", "group", "percent", "3d", "horizontal", "vertical-labels"};
  } else if (has("total-index")) {
    kind = ChartKind::TotalIndex;
    allowed = {"total-index", "show-total", "blocks",     "questions",       "split",      "empty-splits",
               "lines",       "explain",    "horizontal", "vertical-labels", "data-labels"};
  } else if (has("block-index")) {
    kind = ChartKind::BlockIndex;
    allowed = {"block-index", "show-block", "questions",  "split",           "empty-splits",
               "lines",       "explain",    "horizontal", "vertical-labels", "data-labels"};
  } else {
    kind = has("block") ? ChartKind::BlockRanking : ChartKind::QuestionRanking;
    allowed = {"ranking", "block", "question", "by-option"};
  }
  allowed += QStringList{"out", "size", "print", "landscape"};
  for (const QString& name : flags + values)
    if (arguments->Has(name) && !allowed.contains(name))
      return UsageError(kCommand, QStringLiteral("--%1 does not go with this kind of chart").arg(name));
  for (const char* name : {"distribution", "type", "group", "split", "lines", "block-index", "block", "question"})
    if (has(name) && !number(name))
      return UsageError(kCommand, QStringLiteral("--%1 needs a whole number").arg(QString::fromLatin1(name)));
  if (kind == ChartKind::Distribution) {
    if (!has("type")) return UsageError(kCommand, QStringLiteral("--distribution needs --type 0, 1 or 2"));
    if (*number("type") < 0 || *number("type") > 2)
      return UsageError(kCommand, QStringLiteral("--type must be 0, 1 or 2"));
    if (*number("type") == kDistributionGrouped && !has("group"))
      return UsageError(kCommand, QStringLiteral("--type 2 needs --group G"));
  }
  if (has("blocks") && has("questions"))
    return UsageError(kCommand, QStringLiteral("--blocks and --questions exclude each other"));
  const int32_t lineMask = number("lines").value_or(0);
  const int32_t lineBits = kind == ChartKind::TotalIndex ? 0x3 : 0xF;
  if (lineMask < 0 || (lineMask & ~lineBits) != 0 || std::popcount(static_cast<uint32_t>(lineMask)) > 2)
    return UsageError(kCommand, QStringLiteral("--lines takes at most two of the dialog's lines"));
  if (kind == ChartKind::BlockIndex && !has("show-block") && !has("questions"))
    return UsageError(kCommand, QStringLiteral("--block-index needs --show-block or --questions"));
  if (kind == ChartKind::BlockRanking || kind == ChartKind::QuestionRanking) {
    if (has("block") == has("question"))
      return UsageError(kCommand, QStringLiteral("--ranking needs exactly one of --block B and --question Q"));
  }
  if (int(has("out")) + int(has("print")) > 1) return UsageError(kCommand, QStringLiteral("give --out or --print"));
  std::optional<QSize> size;
  if (has("size")) {
    if (!has("out") && !has("print")) return UsageError(kCommand, QStringLiteral("--size goes with --out or --print"));
    size = ParseSize(*arguments->Value(QStringLiteral("size")));
    if (!size) return UsageError(kCommand, QStringLiteral("--size must be WxH in pixels"));
  }
  if (has("landscape") && !has("print")) return UsageError(kCommand, QStringLiteral("--landscape goes with --print"));
  const PictureFormat* format = nullptr;
  if (has("out")) {
    format = ChartPictureFormatForPath(*arguments->Value(QStringLiteral("out")));
    if (!format)
      return UsageError(kCommand, QStringLiteral("--out must end in .emf, .wmf, .png, .bmp, .jpg, .gif, .svg or .pdf"));
  }
  if (has("print") && !arguments->Value(QStringLiteral("print"))->endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
    return UsageError(kCommand, QStringLiteral("--print writes a .pdf file"));

  // Positions against the document (usage), then what the viewer offers.
  const auto checkPositions = [&](const SurveyDocument& document) -> std::optional<QString> {
    const auto dimension = [&](const char* name) -> std::optional<QString> {
      if (has(name) && (*number(name) < 0 || *number(name) >= document.DimensionCount()))
        return QStringLiteral("--%1: the document has %2 dimension(s)")
            .arg(QString::fromLatin1(name))
            .arg(document.DimensionCount());
      return std::nullopt;
    };
    if (auto message = dimension("distribution")) return message;
    if (kind == ChartKind::Distribution && *number("type") == kDistributionGrouped) {
      if (auto message = dimension("group")) return message;
      if (*number("group") == *number("distribution"))
        return QStringLiteral("--group must be another dimension than --distribution");
    }
    for (const char* name : {"block-index", "block"})
      if (has(name) && (*number(name) < 0 || static_cast<size_t>(*number(name)) >= document.blocks.size()))
        return QStringLiteral("--%1: the document has %2 block(s)")
            .arg(QString::fromLatin1(name))
            .arg(document.blocks.size());
    if (has("question") && document.QuestionAt(*number("question")) == nullptr)
      return QStringLiteral("--question: the document has %1 question(s)").arg(document.questions.size());
    if (has("split") && DimensionPosition(document, *number("split")) < 0)
      return QStringLiteral("--split: Q must be the question of a dimension");
    return std::nullopt;
  };
  const OfferCheck offered = [&](const SurveyDocument& document) -> std::optional<BiText> {
    switch (kind) {
      case ChartKind::Distribution:
        if (document.DimensionCount() == 0)
          return NotOffered("The document has no background questions.", "Dokumentet har inga bakgrundsfrågor.");
        break;
      case ChartKind::TotalIndex:
        if ((document.info.featureFlags & 0x100) == 0 || !document.info.HasIndexes())
          return NotOffered("The viewer does not offer a total index graph for this document.",
                            "Visaren erbjuder inte någon totalindexgraf för det här dokumentet.");
        break;
      case ChartKind::BlockIndex:
        if ((document.blocks[static_cast<size_t>(*number("block-index"))].graphFlags & 0x100) == 0 ||
            !document.info.HasIndexes())
          return NotOffered("The viewer does not offer an index graph for this block.",
                            "Visaren erbjuder inte någon indexgraf för det här blocket.");
        break;
      default: {
        const int32_t flags = has("block") ? document.blocks[static_cast<size_t>(*number("block"))].graphFlags
                                           : document.QuestionAt(*number("question"))->graphFlags;
        if ((flags & 4) == 0)
          return NotOffered("The viewer does not offer a ranking graph for this item.",
                            "Visaren erbjuder inte någon rankningsgraf för det här.");
      }
    }
    if (format != nullptr && !document.info.allowSave)
      if (const std::optional<BiText> refusal = OffersSaving()(document)) return refusal;
    if (has("print") && !document.info.allowPrint)
      return NotOffered("This document does not allow its graphs to be printed.",
                        "Det här dokumentet tillåter inte att dess grafer skrivs ut.");
    return std::nullopt;
  };
  DocumentSession session;
  const PreparedSheet prepared =
      PrepareSheet(kCommand, session, arguments->Positional().first(), *selectionOptions, offered, checkPositions);
  if (prepared.exitCode != kExitOk) return prepared.exitCode;
  const SurveyDocument& document = session.Document();
  const ViewState& view = session.View();
  if (has("split")) {
    const int32_t dimension = DimensionPosition(document, *number("split"));
    if (static_cast<size_t>(dimension) < view.SplitDisabled().size() &&
        view.SplitDisabled()[static_cast<size_t>(dimension)]) {
      WriteError(NotOffered("The groups of this split are too small to be shown.",
                            "Grupperna i den här fördelningen är för små för att visas.")
                     .Get());
      return kExitNotOffered;
    }
  }
  if (!prepared.refusal) {
    WriteError(prepared.refusal.Text());
    return kExitRefused;
  }

  const StoredSettings stored = ReadStoredSettings();
  ChartOptions options;
  options.shortCategoryNames = stored.options.graphByCategoryUseShortCategoryNames;
  options.legendPlacement = stored.options.graphLegends;
  const SubSheet& sheet = view.Sheet();
  ChartDescription chart;
  Status generated;
  if (kind == ChartKind::Distribution) {
    DistributionGraphRequest request;
    request.mainDimension = *number("distribution");
    request.type = *number("type");
    request.groupDimension = request.type == kDistributionGrouped ? *number("group") : -1;
    request.percent = has("percent");
    request.threeD = has("3d");
    // Horizontal bars are offered for bars only, vertical labels only without them.
    request.horizontal = has("horizontal") && request.type != kDistributionPie;
    request.verticalLabels = has("vertical-labels") && !request.horizontal;
    generated = GenerateDistributionGraph(document, sheet, request, options, chart);
  } else if (kind == ChartKind::TotalIndex || kind == ChartKind::BlockIndex) {
    IndexGraphRequest request;
    const int32_t split = has("split") ? *number("split") : -1;
    request.splitQuestion = split;
    request.includeEmptySplits = has("empty-splits") && split >= 0;
    // The lines of the current selection are enabled only while the flex total differs.
    request.lineMask = view.FlexTotalDiffers() ? lineMask : lineMask & ~(kLineTotalOfCurrent | kLineBlockOfCurrent);
    request.explainLines = has("explain");
    request.horizontal = has("horizontal");
    request.verticalLabels = has("vertical-labels");
    request.dataLabels = has("data-labels");
    if (kind == ChartKind::TotalIndex) {
      request.showMain = has("show-total");
      request.showBlocksOrQuestions = has("blocks") || has("questions");
      request.showQuestions = has("questions");
      request.title = TotalIndexGraphTitle(document, request.showMain, has("blocks"), has("questions"), split);
    } else {
      request.block = *number("block-index");
      request.showMain = has("show-block");
      request.showBlocksOrQuestions = has("questions");
      request.title = BlockIndexGraphTitle(document, request.block, request.showMain, has("questions"), split);
    }
    generated = GenerateIndexGraph(document, sheet, request, options, chart);
  } else {
    RankingGraphRequest request;
    if (has("block")) {
      request.questions = ViewMenuBlockQuestions(document, *number("block"));
      request.title = document.BlockName(*number("block"));
    } else {
      request.questions = {*number("question")};
      request.title = document.GetText(document.QuestionAt(*number("question"))->name);
    }
    if (request.questions.empty()) {
      WriteError(EmptyBlockText().Get());
      return kExitRefused;
    }
    request.sortByPoints = !has("by-option");
    request.selectionText = sheet.description;
    generated = GenerateRankingGraph(document, sheet.respondents, request, options, chart);
  }
  if (!generated) {
    WriteError(generated.Text());
    return kExitWriteFailed;
  }
  if (!has("out") && !has("print")) {
    WriteOut(ChartJson(chart, ChartKindTexts(kind)));
    return kExitOk;
  }

  // A new window's size: "Graph Window Width" wide, (points + 2) x "Graph
  // Point Height" high, at 15 twips per pixel.
  const QSize pixels = size.value_or(
      QSize(std::max(1, stored.last.graphWindowWidth / 15),
            std::max(1, static_cast<int>(std::min<int64_t>(
                            (static_cast<int64_t>(chart.points) + 2) * stored.last.graphPointHeight / 15, 30000)))));
  if (has("print"))
    return PrintPageToPdf({*arguments->Value(QStringLiteral("print")), has("landscape"), SwedishDocument(document),
                           static_cast<double>(pixels.width()) / pixels.height()},
                          document, stored.last, [&](QPainter& painter, const QRect& rect, const QPrinter&) {
                            return graphics::DrawChart(painter, rect, chart);
                          });
  Picture picture;
  picture.size = pixels;
  picture.title = document.GetText(document.info.projectName);
  picture.reference = platform::MetafileReference::ForScreen(QGuiApplication::primaryScreen());
  picture.paint = [&](QPainter& painter) { return graphics::DrawChart(painter, QRect(QPoint(0, 0), pixels), chart); };
  if (const Status written = format->Write(picture, *arguments->Value(QStringLiteral("out"))); !written) {
    WriteError(written.Text());
    return kExitWriteFailed;
  }
  return kExitOk;
}

}  // namespace kvf::cli
