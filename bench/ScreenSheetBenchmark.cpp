// What a user waits for after Show on the largest legal documents
// (1,000 x 1,000 and 100,000 x 10 answers): building the selection and the
// first painted frame of an 800 x 600 window, then one scroll step (a page
// of rows and of columns), against the floor of the same selection and one
// window of plain filled answer cells (no texts, bands or lines). Show
// through the whole sheet image (drawn once, then copied: the way of
// kvf overview --screen) is measured against the on-demand Show, and the
// memory the screen sheet holds while a 1,920 x 1,200 window shows it.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <map>
#include <memory>

#include "Ratios.h"
#include "core/document/KvfReader.h"
#include "core/sheet/SheetDrawer.h"
#include "core/sheet/SheetView.h"
#include "core/sheet/ViewState.h"
#include "kvfwriter/KvfWriter.h"

namespace {

constexpr int32_t kBarExtent = 16;


struct Shape {
  int32_t respondents;
  int32_t questions;
};
constexpr Shape kSquare{1000, 1000};
constexpr Shape kTall{100000, 10};

// A loaded synthetic document, its view state and drawer; the selection
// drops the first alternative of the first background question.
struct Fixture {
  kvf::SurveyDocument document;
  kvf::ViewState view;
  kvf::SelectionMatrix selection;
  std::unique_ptr<kvf::SheetDrawer> drawer;
};

Fixture& Document(const Shape& shape) {
  static std::map<std::pair<int32_t, int32_t>, std::unique_ptr<Fixture>> cache;
  std::unique_ptr<Fixture>& slot = cache[{shape.respondents, shape.questions}];
  if (slot) return *slot;
  kvf::bench::EnsureGuiApplication();
  slot = std::make_unique<Fixture>();
  kvf::writer::SyntheticOptions options;
  options.respondents = shape.respondents;
  options.questions = shape.questions;
  options.compress = false;
  kvf::DecodeKvf(kvf::writer::WriteKvf(kvf::writer::MakeSyntheticDescription(options)), slot->document);
  slot->view.Reseed(7);
  slot->view.StartDocument(slot->document);
  slot->selection = kvf::SelectionMatrix::AllSelected(slot->document);
  slot->selection.Set(0, 0, false);
  kvf::Result<kvf::SheetDrawer> made = kvf::SheetDrawer::Create(slot->document);
  slot->drawer = std::make_unique<kvf::SheetDrawer>(made ? std::move(made).Value() : kvf::SheetDrawer());
  return *slot;
}

kvf::SheetRequest ScreenRequest(const kvf::SubSheet& sheet) {
  kvf::SheetRequest request;
  request.rowLimit = sheet.rowLimit;
  return request;
}

// The window's view of state, as the main window designs it.
struct Window {
  kvf::SheetViewInput input;
  kvf::SheetViewLayout layout;
};

Window Design(const kvf::SheetState& state, QSize size) {
  Window window;
  window.input.clientWidth = size.width();
  window.input.clientHeight = size.height();
  window.input.verticalBarWidth = kBarExtent;
  window.input.horizontalBarHeight = kBarExtent;
  window.input.sheetWidth = state.width;
  window.input.sheetHeight = state.height;
  window.input.cellSize = state.cellSize;
  window.input.rowHeight = state.rowHeight;
  window.input.headerRowCount = state.headerRowCount;
  window.layout = kvf::DesignSheetView(window.input);
  return window;
}

// Paints what the window shows at the given scroll values.
void PaintWindow(const kvf::SheetState& state, Window& window, QImage& target, int32_t column, int32_t row) {
  window.layout.horizontal.value = std::min(column, window.layout.horizontal.max);
  window.layout.vertical.value = std::min(row, window.layout.vertical.max);
  QPainter painter(&target);
  for (const kvf::SheetCopy& copy : kvf::RepaintSheet(window.input, window.layout).copies)
    state.PaintRegion(painter, copy.source, copy.target);
}

QImage WindowImage(QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::gray);
  return image;
}

constexpr QSize kWindow(800, 600);

// What Show does before anything is painted: the selection and its laid-out
// screen sheet.
const kvf::SubSheet& Show(benchmark::State& state, Fixture& f, kvf::SheetState* screen) {
  if (!f.view.CreateSubSheet(f.document, f.selection)) state.SkipWithError("the selection was refused");
  const kvf::SubSheet& sheet = f.view.Sheet();
  if (!kvf::DrawSheet(*f.drawer, f.document, sheet, ScreenRequest(sheet), screen)) state.SkipWithError("not drawn");
  return sheet;
}

void BM_Show(benchmark::State& state, Shape shape) {
  Fixture& f = Document(shape);
  QImage target = WindowImage(kWindow);
  for (auto _ : state) {
    kvf::SheetState screen;
    Show(state, f, &screen);
    Window window = Design(screen, kWindow);
    PaintWindow(screen, window, target, 0, 0);
    benchmark::DoNotOptimize(target.constBits());
  }
}

// Show as a whole image: the selection, the whole sheet drawn into one
// image, the window copied from it.
void BM_ShowWholeImage(benchmark::State& state, Shape shape) {
  Fixture& f = Document(shape);
  QImage target = WindowImage(kWindow);
  for (auto _ : state) {
    kvf::SheetState screen;
    const kvf::SubSheet& sheet = Show(state, f, &screen);
    const kvf::Result<QImage> whole = kvf::DrawSheetImage(*f.drawer, f.document, sheet, ScreenRequest(sheet));
    if (!whole) state.SkipWithError("not drawn");
    Window window = Design(screen, kWindow);
    QPainter painter(&target);
    for (const kvf::SheetCopy& copy : kvf::RepaintSheet(window.input, window.layout).copies)
      painter.drawImage(copy.target, whole.Value(), copy.source);
    painter.end();
    benchmark::DoNotOptimize(target.constBits());
  }
}

// The window's answer cells filled with their colours through the same
// painter calls, nothing else.
void FillPlainCells(const Fixture& f, const kvf::SubSheet& sheet, QImage& target) {
  const int32_t columns = std::min<int32_t>(target.width() / 16 + 1, static_cast<int32_t>(sheet.columns.size()));
  const int32_t rows = std::min<int32_t>(target.height() / 16 + 1, static_cast<int32_t>(sheet.respondents.size()));
  QPainter painter(&target);
  for (int32_t r = 0; r < rows; ++r) {
    for (int32_t c = 0; c < columns; ++c) {
      const int32_t q = sheet.columns[static_cast<size_t>(c)];
      const int32_t alternative = f.document.questions[static_cast<size_t>(q)].firstAlternative +
                                  f.document.GetData(sheet.respondents[static_cast<size_t>(r)], q);
      if (const QBrush* brush = f.drawer->AlternativeBrush(alternative))
        painter.fillRect(QRect(1 + c * 16, 1 + r * 16, 16, 16), *brush);
    }
  }
}

// The same selection, then the plain cells.
void BM_ShowFloor(benchmark::State& state, Shape shape) {
  Fixture& f = Document(shape);
  QImage target = WindowImage(kWindow);
  for (auto _ : state) {
    if (!f.view.CreateSubSheet(f.document, f.selection)) state.SkipWithError("the selection was refused");
    FillPlainCells(f, f.view.Sheet(), target);
    benchmark::DoNotOptimize(target.constBits());
  }
}

// The plain cells alone (the floor of a scroll step).
void BM_WindowFloor(benchmark::State& state, Shape shape) {
  Fixture& f = Document(shape);
  if (!f.view.CreateSubSheet(f.document, f.selection)) state.SkipWithError("the selection was refused");
  QImage target = WindowImage(kWindow);
  for (auto _ : state) {
    FillPlainCells(f, f.view.Sheet(), target);
    benchmark::DoNotOptimize(target.constBits());
  }
}

// One scroll step: a page of rows down, then a page of columns right,
// alternating, on the sheet Show made.
void BM_ScrollStep(benchmark::State& state, Shape shape) {
  Fixture& f = Document(shape);
  if (!f.view.CreateSubSheet(f.document, f.selection)) state.SkipWithError("the selection was refused");
  const kvf::SubSheet& sheet = f.view.Sheet();
  kvf::SheetState screen;
  if (!kvf::DrawSheet(*f.drawer, f.document, sheet, ScreenRequest(sheet), &screen)) state.SkipWithError("not drawn");
  QImage target = WindowImage(kWindow);
  Window window = Design(screen, kWindow);
  int32_t step = 0;
  for (auto _ : state) {
    ++step;
    const int32_t column = (step / 2) * window.layout.horizontal.largeChange % (window.layout.horizontal.max + 1);
    const int32_t row = ((step + 1) / 2) * window.layout.vertical.largeChange % (window.layout.vertical.max + 1);
    PaintWindow(screen, window, target, column, row);
    benchmark::DoNotOptimize(target.constBits());
  }
}

size_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

// The heap the screen sheet holds (the drawn state and whatever painting
// it keeps) while a 1,920 x 1,200 window shows it, beyond the window's own
// image.
void BM_ScreenSheetMemory(benchmark::State& state, Shape shape) {
  Fixture& f = Document(shape);
  if (!f.view.CreateSubSheet(f.document, f.selection)) state.SkipWithError("the selection was refused");
  const kvf::SubSheet& sheet = f.view.Sheet();
  QImage target = WindowImage(QSize(1920, 1200));
  double held = 0;
  for (auto _ : state) {
    const size_t before = HeapInUse();
    kvf::SheetState screen;
    if (!kvf::DrawSheet(*f.drawer, f.document, sheet, ScreenRequest(sheet), &screen)) state.SkipWithError("not drawn");
    Window window = Design(screen, target.size());
    PaintWindow(screen, window, target, 0, 0);
    held = static_cast<double>(HeapInUse() - before);
  }
  state.counters["sheet_MB"] = held / (1024.0 * 1024.0);
}

BENCHMARK_CAPTURE(BM_Show, 1000x1000, kSquare)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Show, 100000x10, kTall)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ShowWholeImage, 1000x1000, kSquare)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ShowWholeImage, 100000x10, kTall)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ShowFloor, 1000x1000, kSquare)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ShowFloor, 100000x10, kTall)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WindowFloor, 1000x1000, kSquare)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WindowFloor, 100000x10, kTall)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ScrollStep, 1000x1000, kSquare)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ScrollStep, 100000x10, kTall)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ScreenSheetMemory, 1000x1000, kSquare)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_ScreenSheetMemory, 100000x10, kTall)->Unit(benchmark::kMillisecond)->Iterations(3);

const bool kRegistered = [] {
  for (const char* shape : {"1000x1000", "100000x10"}) {
    const std::string suffix = std::string("/") + shape;
    kvf::bench::AddRatio("BM_Show" + suffix, "BM_ShowFloor" + suffix, 2.0);
    kvf::bench::AddRatio("BM_ScrollStep" + suffix, "BM_WindowFloor" + suffix, 2.0);
    kvf::bench::AddRatio("BM_ShowWholeImage" + suffix, "BM_Show" + suffix, kvf::bench::kNoTarget);
  }
  return true;
}();

}  // namespace
