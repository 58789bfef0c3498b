#include "app/graphs/BasicGraphWindow.h"

#include <QContextMenuEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <cmath>

#include "app/mainwindow/MainWindow.h"
#include "app/mainwindow/WaitCursor.h"
#include "core/graphs/BasicGraphPicture.h"
#include "core/output/PictureFormat.h"
#include "core/text/Language.h"
#include "graphics/printing/PrintedGraphPage.h"

namespace kvf::app {

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

constexpr int kPadding = 10;  // pixels around the drawing area
constexpr int kCopyScale = 2;

const BiText kCopying{S("Copying the graph to the clipboard..."), S("Kopierar grafen till urklipp...")};
const BiText kCopied{S("The graph has been copied to the clipboard!"), S("Grafen har kopierats till urklipp!")};
const BiText kCopyFailed{S("The graph could not be copied to the clipboard!"),
                         S("Grafen kunde inte kopieras till urklipp!")};
const BiText kCopyingValues{S("Copying the graph values to the clipboard..."),
                            S("Kopierar grafens värden till urklipp...")};
const BiText kValuesCopied{S("The graph values has been copied to the clipboard!"),
                           S("Grafens värden har kopierats till urklipp!")};
const BiText kCopyingLegends{S("Copying the graph legends to the clipboard..."),
                             S("Kopierar grafens förklaringar till urklipp...")};
const BiText kLegendsCopied{S("The graph legends has been copied to the clipboard!"),
                            S("Grafens förklaringar har kopierats till urklipp!")};
const BiText kSaveCaption{S("Save Graph"), S("Spara diagram")};
const BiText kNoFormat{S("The graph could not be saved since you did not select what file format you wanted!"),
                       S("Grafen kunde inte sparas eftersom du inte angav vilket filformat du ville ha!")};

// The formats Save As offers: EMF ("Graph Save Format" 1) and WMF (2).
std::vector<const PictureFormat*> SaveFormats() {
  return {PictureFormatForPath(S("graph.emf")), PictureFormatForPath(S("graph.wmf"))};
}

int Twips(int twips, int dpi) { return static_cast<int>(std::lround(twips * dpi / 1440.0)); }

}  // namespace

BasicGraphWindow::BasicGraphWindow(MainWindow& main, const BasicGraphServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window), main_(main), services_(services) {
  setObjectName(S("BasicGraphWindow"));
  setAttribute(Qt::WA_DeleteOnClose);
  menu_ = new QMenu(this);
  usePercentage_ = AddEntry("mnuPUsePercentage", S("&Use percentage"), S("Använd &procent"));
  usePercentage_->setCheckable(true);
  menu_->addSeparator();
  copy_ = AddEntry("mnuPCopy", S("&Copy"), S("K&opiera"));
  copy_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  copyValues_ = AddEntry("mnuPCopyValues", S("Copy &values"), S("Kopiera &värden"));
  copyLegends_ = AddEntry("mnuPCopyLegends", S("Copy l&egends"), S("Kopiera &förklaringar"));
  print_ = AddEntry("mnuPPrint", S("&Print"), S("Skriv &ut"));
  print_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  save_ = AddEntry("mnuPSave", S("&Save As..."), S("&Spara som..."));
  save_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  menu_->addSeparator();
  setDefaultSize_ = AddEntry("mnuPSetAsDefaultSize", S("Set as &Default Size"), S("Sätt som stan&dardstorlek"));
  menu_->addSeparator();
  close_ = AddEntry("mnuPClose", S("C&lose"), S("S&täng"));
  for (QAction* action : {copy_, print_, save_}) {
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
  }
  connect(usePercentage_, &QAction::triggered, this, [this] { UsePercentage(); });
  connect(copy_, &QAction::triggered, this, [this] { DoCopy(); });
  connect(copyValues_, &QAction::triggered, this, [this] { CopyValues(); });
  connect(copyLegends_, &QAction::triggered, this, [this] { CopyLegends(); });
  connect(print_, &QAction::triggered, this, [this] { Print(); });
  connect(save_, &QAction::triggered, this, [this] { SaveAs(); });
  connect(setDefaultSize_, &QAction::triggered, this, [this] { SetAsDefaultSize(); });
  connect(close_, &QAction::triggered, this, [this] { close(); });
  ApplyPermissions();  // nothing is allowed before a graph is set up
}

QAction* BasicGraphWindow::AddEntry(const char* name, const QString& english, const QString& swedish) {
  QAction* action = menu_->addAction(BiText{english, swedish}.Get());
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

void BasicGraphWindow::ApplyPermissions() {
  copy_->setEnabled(permissions_.allowCopy);
  print_->setEnabled(permissions_.allowPrint);
  save_->setEnabled(permissions_.allowSave);
}

BasicGraphStyle BasicGraphWindow::StyleAt(int32_t scale) const {
  BasicGraphStyle style = style_;
  style.scale = scale;
  return style;
}

void BasicGraphWindow::SetUpGraph(const BasicGraphData& data, const QString& caption) {
  data_ = data;
  setWindowTitle(caption);
  // A window taken again from the pool starts with counts.
  style_.percent = false;
  usePercentage_->setChecked(false);
  // The document's permissions and name as they were when the graph was
  // made: another document opened later does not change this window.
  const SurveyDocument& document = main_.Session().Document();
  permissions_ = document.info;
  projectName_ = document.GetText(document.info.projectName);
  ApplyPermissions();
  // Pixel factors of the screen, each rounded to a whole number.
  const int dpiX = logicalDpiX() > 0 ? logicalDpiX() : 96;
  const int dpiY = logicalDpiY() > 0 ? logicalDpiY() : 96;
  style_.pixelFactorX = std::max(1, static_cast<int>(std::lround(dpiX / 96.0)));
  style_.pixelFactorY = std::max(1, static_cast<int>(std::lround(dpiY / 96.0)));
  style_.lineWidthX = style_.pixelFactorX;
  style_.lineWidthY = style_.pixelFactorY;
  const LastSettings& last = main_.Settings().Last();
  const int width = std::max(100, Twips(last.questionGraphWindowWidth, dpiX));
  if (data_.kind == kFractionGraph) {
    const FractionLayout layout = LayOutFractionGraph(QRect(0, 0, width - 2 * kPadding, 1 << 20), data_, StyleAt(0));
    const int bars = static_cast<int>(data_.bars.size());
    resize(width, bars * std::max(1, last.questionGraphBarWidth) + layout.fixedHeight + 2 * kPadding);
  } else if (!isVisible()) {
    resize(width, width * 2 / 3);
  }
  update();
}

QRect BasicGraphWindow::DrawingRect() const { return rect().adjusted(kPadding, kPadding, -kPadding, -kPadding); }

bool BasicGraphWindow::GraphFits() const { return BasicGraphFits(DrawingRect(), data_, StyleAt(0)); }

void BasicGraphWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  // The decoration lines framing the client area.
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  painter.setPen(Qt::black);
  if (!DrawBasicGraph(painter, DrawingRect(), data_, StyleAt(0))) {
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), Qt::AlignCenter, GraphTooBigText().Get());
  }
}

void BasicGraphWindow::contextMenuEvent(QContextMenuEvent* event) {
  ApplyPermissions();
  menu_->popup(event->globalPos());
}

void BasicGraphWindow::UsePercentage() {
  style_.percent = !style_.percent;
  usePercentage_->setChecked(style_.percent);
  update();
}

Picture BasicGraphWindow::CopyPicture() const {
  const ProgramOptions& options = main_.Options();
  BasicGraphPictureOptions pictureOptions;
  pictureOptions.opaque = options.graphCopySaveOpaque;
  pictureOptions.whiteSpace = options.graphCopySaveWhiteSpace;
  pictureOptions.windowColor = palette().color(QPalette::Base);
  pictureOptions.title = projectName_;
  pictureOptions.reference = platform::MetafileReference::ForScreen(screen());
  return BasicGraphPicture(data_, StyleAt(kCopyScale), DrawingRect().size(), pictureOptions);
}

void BasicGraphWindow::DoCopy() {
  if (!copy_->isEnabled()) return;
  WaitCursor wait;
  main_.Status().SetStatus(kCopying, false);
  const Picture picture = CopyPicture();
  const Result<PictureBytes> bytes = RenderPictureBytes(picture);
  const bool copied = bytes && main_.Clipboard().Set(platform::PictureEntry(bytes->emf, bytes->png, bytes->svg));
  update();
  main_.Status().SetStatus(copied ? kCopied : kCopyFailed, true);
}

void BasicGraphWindow::CopyValues() {
  main_.Status().SetStatus(kCopyingValues, false);
  main_.Clipboard().SetText(BasicGraphValuesText(data_, style_.percent));
  main_.Status().SetStatus(kValuesCopied, true);
}

void BasicGraphWindow::CopyLegends() {
  main_.Status().SetStatus(kCopyingLegends, false);
  main_.Clipboard().SetText(BasicGraphLegendsText(data_));
  main_.Status().SetStatus(kLegendsCopied, true);
}

void BasicGraphWindow::Print() {
  if (!print_->isEnabled() || !services_.makePrinter) return;
  WaitCursor wait;
  main_.Status().SetStatus(graphics::PrintingGraphText(), false);
  const LastSettings& last = main_.Settings().Last();
  std::unique_ptr<QPrinter> printer = services_.makePrinter();
  // The printer is made for this run only: choosing another one by name
  // leaves the program's current printer as it was.
  if (services_.printers) graphics::ChoosePrinter(*printer, services_.printers(), last.printerDeviceName);
  graphics::PageInput input;
  input.projectName = projectName_;
  input.swedishDocument = data_.swedishDocument;
  input.bindingMargin = last.printerBindingMargin;
  input.otherMargins = last.printerOtherMargins;
  const QRect area = DrawingRect();
  input.ratio = area.height() > 0 ? static_cast<double>(area.width()) / area.height() : 1.0;
  const BasicGraphStyle style = StyleAt(0);
  QPrinter* device = printer.get();
  const Status printed = graphics::PrintGraphPage(*printer, input, [&](QPainter& painter, const QRect& rect) {
    return DrawBasicGraphScaled(painter, rect, device->logicalDpiX(), data_, style);
  });
  main_.Status().SetStatus(printed ? graphics::GraphPrintedText() : graphics::GraphPrintFailedText(), true);
}

void BasicGraphWindow::SaveAs() {
  if (!save_->isEnabled() || !services_.askSavePath) return;
  LastSettings& last = main_.EditSettings().MutableLast();
  const std::vector<const PictureFormat*> formats = SaveFormats();
  QStringList filters;
  for (const PictureFormat* format : formats) filters << format->Filter();
  const int chosenIndex = std::clamp(last.graphSaveFormat, 1, static_cast<int>(formats.size())) - 1;
  QString selected = filters[chosenIndex];
  QString path = services_.askSavePath(kSaveCaption.Get(), last.graphSaveFolder, filters, &selected);
  if (path.isEmpty()) return;
  const PictureFormat* format = nullptr;
  for (const PictureFormat* candidate : formats)
    if (PictureFormatForPath(path) == candidate) format = candidate;
  if (format == nullptr) {
    const qsizetype at = filters.indexOf(selected);
    if (at >= 0) {
      format = formats[static_cast<size_t>(at)];
      path += QLatin1Char('.') + format->Extensions().first();
    }
  }
  if (format == nullptr) {
    main_.ShowMessage(QMessageBox::Warning, ApplicationTitle(), kNoFormat.Get());
    return;
  }
  WaitCursor wait;
  const Picture picture = CopyPicture();
  if (const Status written = format->Write(picture, path); !written) {
    main_.ShowMessage(QMessageBox::Critical, ApplicationTitle(),
                      written.Code() == kPictureNotDrawn ? GraphTooBigText().Get() : written.Text());
    return;
  }
  last.graphSaveFolder = QFileInfo(path).absolutePath();
  last.graphSaveFormat = static_cast<int32_t>(std::find(formats.begin(), formats.end(), format) - formats.begin()) + 1;
}

void BasicGraphWindow::SetAsDefaultSize() {
  LastSettings& last = main_.EditSettings().MutableLast();
  const int bars = static_cast<int>(data_.bars.size());
  if (bars > 0) {
    const FractionLayout layout = LayOutFractionGraph(DrawingRect(), data_, StyleAt(0));
    last.questionGraphBarWidth = std::max(
        1, static_cast<int>(std::lround(static_cast<double>(height() - layout.fixedHeight - 2 * kPadding) / bars)));
  }
  const int dpiX = logicalDpiX() > 0 ? logicalDpiX() : 96;
  last.questionGraphWindowWidth = static_cast<int32_t>(std::lround(width() * 1440.0 / dpiX));
}

}  // namespace kvf::app
