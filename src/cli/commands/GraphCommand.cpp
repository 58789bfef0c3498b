// kvf graph FILE (--block B | --question Q) [--split S] [--kind 1|2]
// [--percent] [selection options] [--values | --legends | --out PATH
// [--size WxH] | --print PATH.pdf [--landscape]]: a block or question
// histogram or fraction graph as the viewer's basic graph window holds,
// copies, saves and prints it.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrinter>
#include <QRegularExpression>

#include "CliCommon.h"
#include "GraphOutput.h"
#include "Commands.h"
#include "SelectionOptions.h"
#include "core/graphs/BasicGraph.h"
#include "core/graphs/BasicGraphDrawing.h"
#include "core/graphs/BasicGraphPicture.h"
#include "core/graphs/BasicGraphRoute.h"
#include "core/output/PictureFormat.h"
#include "core/session/DocumentSession.h"
#include "core/settings/ProgramKey.h"
#include "core/settings/ProgramSettings.h"
#include "core/text/JsonWriter.h"
#include "graphics/printing/PrintedGraphPage.h"
#include "platform/registry/FileRegistryStore.h"

namespace kvf::cli {

namespace {

const QString kBlock = QStringLiteral("block");
const QString kQuestion = QStringLiteral("question");
const QString kSplit = QStringLiteral("split");
const QString kKind = QStringLiteral("kind");
const QString kPercent = QStringLiteral("percent");
const QString kValues = QStringLiteral("values");
const QString kLegends = QStringLiteral("legends");
const QString kOut = QStringLiteral("out");
const QString kSize = QStringLiteral("size");
const QString kPrint = QStringLiteral("print");
const QString kLandscape = QStringLiteral("landscape");

// What the graph command was asked for, checked against the document.
struct GraphRequest {
  BasicGraphRoute route = BasicGraphRoute::QuestionTotal;
  BasicGraphRequest request;
  int32_t flags = 0;  // the GraphFlags of the question or block
};

QByteArray GraphJson(const BasicGraphData& data, const BasicGraphTexts& texts) {
  JsonWriter json;
  json.BeginObject();
  json.Field("caption", texts.captionPrefix.Get() + data.title);
  json.Field("statusBefore", texts.before.Get());
  json.Field("statusAfter", texts.after.Get());
  json.Field("kind", data.kind);
  json.Field("scale", data.scale);
  json.Field("title", data.title);
  json.Field("subtitle", data.subtitle);
  json.Field("selectionText", data.selectionText);
  json.Field("indexText", data.indexText);
  json.Key("bars");
  json.BeginArray();
  for (const BasicGraphBar& bar : data.bars) {
    json.BeginObject();
    json.Field("label", bar.label);
    json.Field("firstSegment", bar.firstSegment);
    json.Field("segmentCount", bar.segmentCount);
    json.Field("firstLegend", bar.firstLegend);
    json.Field("alternativesShown", bar.alternativesShown);
    json.EndObject();
  }
  json.EndArray();
  json.Key("segments");
  json.BeginArray();
  for (const BasicGraphSegment& segment : data.segments) {
    json.BeginObject();
    json.Field("count", segment.count);
    json.Field("share", segment.share);
    json.Field("countText", segment.countText);
    json.Field("percentText", segment.percentText);
    json.Field("color", segment.color);
    json.Field("options", segment.options);
    json.EndObject();
  }
  json.EndArray();
  json.Key("legend");
  json.BeginArray();
  for (const BasicGraphLegendEntry& entry : data.legend) {
    json.BeginObject();
    json.Field("text", entry.text);
    json.Field("color", entry.color);
    json.Field("options", entry.options);
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
  return json.Text() + '\n';
}

// The window's client size: --size, or the size a new window takes (kind
// 2: its bars at "Question Graph Bar Width" plus the fixed parts; kind 1:
// two thirds as high as wide), both "Question Graph Window Width" wide.
QSize WindowSize(const std::optional<QSize>& given, const BasicGraphData& data, const LastSettings& last,
                 const BasicGraphStyle& style) {
  if (given) return *given;
  const int width = std::max(40, last.questionGraphWindowWidth / 15);
  if (data.kind != kFractionGraph) return QSize(width, width * 2 / 3);
  const FractionLayout layout = LayOutFractionGraph(QRect(0, 0, width - 20, 100000), data, style);
  const int bars = static_cast<int>(data.bars.size());
  return QSize(width, bars * std::max(1, last.questionGraphBarWidth) + layout.fixedHeight + 20);
}

}  // namespace

int RunGraph(const QStringList& words) {
  const QString command = QStringLiteral("graph");
  QString error;
  const std::optional<Arguments> arguments = Arguments::Parse(
      words, SelectionFlagNames() + QStringList{kPercent, kValues, kLegends, kLandscape},
      SelectionValueNames() + QStringList{kBlock, kQuestion, kSplit, kKind, kOut, kSize, kPrint}, &error);
  if (!arguments) return UsageError(command, error);
  if (arguments->Positional().size() != 1) return UsageError(command, QStringLiteral("expected one FILE"));
  const std::optional<SelectionOptions> options = ParseSelectionOptions(*arguments, &error);
  if (!options) return UsageError(command, error);

  const bool byBlock = arguments->Has(kBlock);
  if (byBlock == arguments->Has(kQuestion))
    return UsageError(command, QStringLiteral("give exactly one of --block B and --question Q"));
  const std::optional<int> position = ParseInt(*arguments->Value(byBlock ? kBlock : kQuestion));
  if (!position)
    return UsageError(command, QStringLiteral("--%1 needs a whole number").arg(byBlock ? kBlock : kQuestion));
  std::optional<int> split;
  if (arguments->Has(kSplit)) {
    if (byBlock) return UsageError(command, QStringLiteral("--split goes with --question only"));
    split = ParseInt(*arguments->Value(kSplit));
    if (!split) return UsageError(command, QStringLiteral("--split needs a whole number"));
  }
  int32_t kind = kHistogram;
  if (arguments->Has(kKind)) {
    const std::optional<int> given = ParseInt(*arguments->Value(kKind));
    if (!given || (*given != kHistogram && *given != kFractionGraph))
      return UsageError(command, QStringLiteral("--kind must be 1 or 2"));
    kind = *given;
  }
  const int outputs = int(arguments->Has(kValues)) + int(arguments->Has(kLegends)) + int(arguments->Has(kOut)) +
                      int(arguments->Has(kPrint));
  if (outputs > 1)
    return UsageError(command, QStringLiteral("give at most one of --values, --legends, --out, --print"));
  std::optional<QSize> size;
  if (arguments->Has(kSize)) {
    if (!arguments->Has(kOut) && !arguments->Has(kPrint))
      return UsageError(command, QStringLiteral("--size goes with --out or --print"));
    size = ParseSize(*arguments->Value(kSize));
    if (!size) return UsageError(command, QStringLiteral("--size must be WxH in pixels"));
  }
  if (arguments->Has(kLandscape) && !arguments->Has(kPrint))
    return UsageError(command, QStringLiteral("--landscape goes with --print"));
  const PictureFormat* format = nullptr;
  if (arguments->Has(kOut)) {
    format = PictureFormatForPath(*arguments->Value(kOut));
    if (!format) return UsageError(command, QStringLiteral("--out must end in .emf, .wmf, .svg, .pdf or .png"));
  }
  if (arguments->Has(kPrint) && !arguments->Value(kPrint)->endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
    return UsageError(command, QStringLiteral("--print writes a .pdf file"));

  DocumentSession session;
  const PreparedSheet prepared = PrepareSheet(command, session, arguments->Positional().first(), *options);
  if (prepared.exitCode != kExitOk) return prepared.exitCode;
  const SurveyDocument& document = session.Document();
  const ViewState& view = session.View();

  // Positions (usage), then what the viewer offers, then refusals.
  GraphRequest graph;
  graph.request.kind = kind;
  if (byBlock) {
    if (*position < 0 || static_cast<size_t>(*position) >= document.blocks.size())
      return UsageError(command, QStringLiteral("--block: the document has %1 block(s)").arg(document.blocks.size()));
    graph.route = BasicGraphRoute::ViewBlock;
    graph.flags = document.blocks[static_cast<size_t>(*position)].graphFlags;
    graph.request.block = *position;
    graph.request.title = document.BlockName(*position);
    graph.request.questions = ViewMenuBlockQuestions(document, *position);
  } else {
    const Question* question = document.QuestionAt(*position);
    if (question == nullptr)
      return UsageError(command,
                        QStringLiteral("--question: the document has %1 question(s)").arg(document.questions.size()));
    graph.flags = question->graphFlags;
    graph.request.questions = {*position};
    graph.request.title = document.GetText(question->name);
    if (split) {
      const Question* by = document.QuestionAt(*split);
      // A dimension (the Split by submenu) or an overview question (Split by
      // Another Question), never Q itself.
      if (by == nullptr || *split == *position || (!by->isOverviewQuestion && DimensionPosition(document, *split) < 0))
        return UsageError(command,
                          QStringLiteral("--split: a dimension or an overview question other than Q is needed"));
      graph.route =
          DimensionPosition(document, *split) >= 0 ? BasicGraphRoute::SplitBy : BasicGraphRoute::SplitByAnother;
      graph.request.splitQuestion = *split;
      graph.request.title = SplitGraphTitle(document, *position, *split);
    }
  }

  // GraphFlags bit 0 offers the histogram, bit 1 the fraction graph.
  const int32_t bit = kind == kHistogram ? 1 : 2;
  if ((graph.flags & bit) == 0) {
    WriteError(
        BiText{QStringLiteral("The viewer does not offer this graph for this %1.").arg(byBlock ? "block" : "question"),
               QString::fromUtf8("Visaren erbjuder inte den här grafen för %1.")
                   .arg(byBlock ? QString::fromUtf8("det här blocket") : QString::fromUtf8("den här frågan"))}
            .Get());
    return kExitNotOffered;
  }
  if (arguments->Has(kOut)) {
    if (const std::optional<BiText> refusal = OffersSaving()(document)) {
      WriteError(refusal->Get());
      return kExitNotOffered;
    }
  }
  if (arguments->Has(kPrint) && !document.info.allowPrint) {
    WriteError(BiText{QStringLiteral("This document does not allow its graphs to be printed."),
                      QString::fromUtf8("Det här dokumentet tillåter inte att dess grafer skrivs ut.")}
                   .Get());
    return kExitNotOffered;
  }
  if (split) {
    const int32_t dimension = DimensionPosition(document, *split);
    if (dimension >= 0 && static_cast<size_t>(dimension) < view.SplitDisabled().size() &&
        view.SplitDisabled()[static_cast<size_t>(dimension)]) {
      WriteError(BiText{QStringLiteral("The groups of this split are too small to be shown."),
                        QString::fromUtf8("Grupperna i den här fördelningen är för små för att visas.")}
                     .Get());
      return kExitNotOffered;
    }
  }
  if (!prepared.refusal) {
    WriteError(prepared.refusal.Text());
    return kExitRefused;
  }
  if (graph.request.questions.empty()) {
    WriteError(EmptyBlockText().Get());
    return kExitRefused;
  }

  const SubSheet& sheet = view.Sheet();
  graph.request.respondents = sheet.respondents;
  graph.request.flex = split ? false : view.FlexTotalDiffers();
  BasicGraphSelection selection;
  selection.description = sheet.description;
  selection.count = static_cast<int64_t>(sheet.respondents.size());
  selection.flexCaption = view.Flex().caption;
  selection.flexCount = static_cast<int64_t>(view.Flex().respondents.size());
  const StoredSettings stored = ReadStoredSettings();
  BasicGraphOptions graphOptions;
  graphOptions.valueOrderReversed = stored.options.graphValueOrderReversed;
  graphOptions.shortCategoryNames = stored.options.graphByCategoryUseShortCategoryNames;
  const Result<BasicGraphData> generated = GenerateBasicGraph(document, graph.request, selection, graphOptions);
  if (!generated) {
    WriteError(generated.Error().Text());
    return kExitWriteFailed;
  }
  const BasicGraphData& data = generated.Value();
  const bool percent = arguments->Has(kPercent);

  if (arguments->Has(kValues)) {
    WriteOut(BasicGraphValuesText(data, percent).toUtf8());
    return kExitOk;
  }
  if (arguments->Has(kLegends)) {
    WriteOut(BasicGraphLegendsText(data).toUtf8());
    return kExitOk;
  }
  if (!arguments->Has(kOut) && !arguments->Has(kPrint)) {
    WriteOut(GraphJson(data, BasicGraphRouteTexts(graph.route, kind)));
    return kExitOk;
  }

  BasicGraphStyle style;
  style.percent = percent;
  const QSize client = WindowSize(size, data, stored.last, style);
  const QSize drawing(client.width() - 20, client.height() - 20);
  if (drawing.width() < 1 || drawing.height() < 1) {
    WriteError(GraphTooBigText().Get());
    return kExitWriteFailed;
  }
  if (arguments->Has(kPrint))
    return PrintPageToPdf({*arguments->Value(kPrint), arguments->Has(kLandscape), data.swedishDocument,
                           static_cast<double>(drawing.width()) / drawing.height()},
                          document, stored.last, [&](QPainter& painter, const QRect& rect, const QPrinter& printer) {
                            return DrawBasicGraphScaled(painter, rect, printer.logicalDpiX(), data, style);
                          });

  // Save As: scale 2, with the copy-and-save options.
  style.scale = 2;
  BasicGraphPictureOptions pictureOptions;
  pictureOptions.opaque = stored.options.graphCopySaveOpaque;
  pictureOptions.whiteSpace = stored.options.graphCopySaveWhiteSpace;
  pictureOptions.title = document.GetText(document.info.projectName);
  pictureOptions.reference = platform::MetafileReference::ForScreen(QGuiApplication::primaryScreen());
  const Picture picture = BasicGraphPicture(data, style, drawing, pictureOptions);
  QRect area(QPoint(0, 0), picture.size);
  if (pictureOptions.whiteSpace) area.adjust(20, 20, -20, -20);
  if (!BasicGraphFits(area, data, style)) {
    WriteError(GraphTooBigText().Get());
    return kExitWriteFailed;
  }
  if (const Status written = format->Write(picture, *arguments->Value(kOut)); !written) {
    WriteError(written.Text());
    return kExitWriteFailed;
  }
  return kExitOk;
}

}  // namespace kvf::cli
