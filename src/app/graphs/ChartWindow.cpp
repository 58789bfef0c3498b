#include "app/graphs/ChartWindow.h"

#include <QContextMenuEvent>
#include <QFileInfo>
#include <QPainter>
#include <cmath>

#include "app/mainwindow/MainWindow.h"
#include "app/mainwindow/WaitCursor.h"
#include "core/graphs/BasicGraphPicture.h"
#include "core/graphs/ChartTexts.h"
#include "core/output/PictureFormat.h"
#include "graphics/charts/ChartRenderer.h"
#include "graphics/printing/PrintedGraphPage.h"

namespace kvf::app {

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

const BiText kCopying{S("Copying the graph to the clipboard..."), S("Kopierar grafen till urklipp...")};
const BiText kCopied{S("The graph has been copied to the clipboard!"), S("Grafen har kopierats till urklipp!")};
const BiText kCopyFailed{S("The graph could not be copied to the clipboard!"),
                         S("Grafen kunde inte kopieras till urklipp!")};
const BiText kSaveCaption{S("Save Graph"), S("Spara graf")};
const BiText kSaved{S("Graph has been saved!"), S("Grafen har sparats!")};
const BiText kNoFormat{S("The graph could not be saved since you did not select what file format you wanted!"),
                       S("Grafen kunde inte sparas eftersom du inte angav vilket filformat du ville ha!")};
const BiText kDefaultSet{S("New default graph size set!"), S("Nytt standardformat för grafer har satts!")};
const BiText kResizing{S("Resizing the graph to the default format..."),
                       S("Skalar om diagrammet till standardformatet...")};
const BiText kResized{S("The graph has been resized to the default format!"),
                      S("Diagrammet har skalats om till standardformatet!")};

// Save As offers these, numbered 1..6 as "Graph Save Format" stores them.
std::vector<const PictureFormat*> SaveFormats() {
  std::vector<const PictureFormat*> formats;
  for (const char* name : {"g.emf", "g.wmf", "g.png", "g.bmp", "g.jpg", "g.gif"})
    formats.push_back(ChartPictureFormatForPath(QString::fromLatin1(name)));
  return formats;
}

int Dpi(const QWidget& widget) { return widget.logicalDpiX() > 0 ? widget.logicalDpiX() : 96; }
int ToPixels(int64_t twips, int dpi) { return static_cast<int>(std::lround(twips * dpi / 1440.0)); }

}  // namespace

ChartWindow::ChartWindow(MainWindow& main, const BasicGraphServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window), main_(main), services_(services) {
  setObjectName(S("ChartWindow"));
  setAttribute(Qt::WA_DeleteOnClose);
  menu_ = new QMenu(this);
  copy_ = AddEntry("mnuPCopy", "&Copy", "K&opiera");
  copy_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  print_ = AddEntry("mnuPPrint", "&Print", "Skriv &ut");
  print_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  save_ = AddEntry("mnuPSave", "&Save As...", "&Spara som...");
  save_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  menu_->addSeparator();
  useSize_ = AddEntry("mnuPSetThisSizeAsDefault", "&Use This Size as Default", "&Använd detta format som standard");
  resize_ = AddEntry("mnuPResizeToDefaultSize", "Resize to &Default Size", "Skala o&m grafen till standardformatet");
  sizeSeparator_ = menu_->addSeparator();
  close_ = AddEntry("mnuPClose", "C&lose", "S&täng");
  for (QAction* action : {copy_, print_, save_}) {
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
  }
  connect(copy_, &QAction::triggered, this, [this] { DoCopy(); });
  connect(print_, &QAction::triggered, this, [this] { Print(); });
  connect(save_, &QAction::triggered, this, [this] { SaveAs(); });
  connect(useSize_, &QAction::triggered, this, [this] { UseThisSizeAsDefault(); });
  connect(resize_, &QAction::triggered, this, [this] { ResizeToDefaultSize(); });
  connect(close_, &QAction::triggered, this, [this] { close(); });
  setMinimumSize(MinimumChartSize());
  ApplyPermissions();
}

QAction* ChartWindow::AddEntry(const char* name, const char* english, const char* swedish) {
  QAction* action = menu_->addAction(BiText{S(english), S(swedish)}.Get());
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

QSize ChartWindow::MinimumChartSize() const { return QSize(ToPixels(3000, Dpi(*this)), ToPixels(2000, Dpi(*this))); }

void ChartWindow::ApplyPermissions() {
  copy_->setEnabled(permissions_.allowCopy);
  print_->setEnabled(permissions_.allowPrint);
  save_->setEnabled(permissions_.allowSave);
}

void ChartWindow::SetUpChart(const ChartDescription& chart, const QString& caption, int32_t block) {
  chart_ = chart;
  extraLabels_.clear();
  setWindowTitle(caption);
  const SurveyDocument& document = main_.Session().Document();
  permissions_ = document.info;
  projectName_ = document.GetText(document.info.projectName);
  swedishDocument_ = SwedishDocument(document);
  shownBlock_ = block >= 0 ? document.BlockName(block) : QString();
  ApplyPermissions();
  update();
}

void ChartWindow::FlexPointLabels(const QStringList& labels) {
  extraLabels_ = labels;
  update();
}

void ChartWindow::ExtraPointLabel(const QString& label) {
  extraLabels_ << label;
  update();
}

void ChartWindow::ResizeToDefault() {
  for (QAction* action : {useSize_, resize_, sizeSeparator_}) action->setVisible(true);
  const LastSettings& last = main_.Settings().Last();
  const int dpi = Dpi(*this);
  const int64_t height = (static_cast<int64_t>(chart_.points) + 2) * last.graphPointHeight;
  resize(std::max(minimumWidth(), ToPixels(last.graphWindowWidth, dpi)),
         std::clamp(ToPixels(height, dpi), minimumHeight(), 20000));
}

void ChartWindow::BlockDefaultSize() {
  for (QAction* action : {useSize_, resize_, sizeSeparator_}) action->setVisible(false);
}

void ChartWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  graphics::DrawChart(painter, rect(), chart_, extraLabels_);
}

void ChartWindow::contextMenuEvent(QContextMenuEvent* event) {
  if (event->modifiers() != Qt::NoModifier) return;
  ApplyPermissions();
  menu_->popup(event->globalPos());
}

Picture ChartWindow::ChartPicture() const {
  Picture picture;
  picture.size = size();
  picture.title = projectName_;
  picture.reference = platform::MetafileReference::ForScreen(screen());
  const ChartDescription* chart = &chart_;
  const QStringList labels = extraLabels_;
  const QSize area = size();
  picture.paint = [chart, labels, area](QPainter& painter) {
    return graphics::DrawChart(painter, QRect(QPoint(0, 0), area), *chart, labels);
  };
  return picture;
}

void ChartWindow::DoCopy() {
  if (!copy_->isEnabled()) return;
  WaitCursor wait;
  main_.Status().SetStatus(kCopying, false);
  const Result<PictureBytes> bytes = RenderPictureBytes(ChartPicture());
  bool copied = false;
  if (bytes) {
    // "Graph Copy Format" 2: the bitmap only.
    copied = main_.Options().graphCopyFormat == 2
                 ? main_.Clipboard().Set(platform::PictureEntry(QByteArray(), bytes->png, QByteArray()))
                 : main_.Clipboard().Set(platform::PictureEntry(bytes->emf, bytes->png, bytes->svg));
  }
  main_.Status().SetStatus(copied ? kCopied : kCopyFailed, true);
}

void ChartWindow::Print() {
  if (!print_->isEnabled() || !services_.makePrinter) return;
  WaitCursor wait;
  main_.Status().SetStatus(graphics::PrintingGraphText(), false);
  const LastSettings& last = main_.Settings().Last();
  std::unique_ptr<QPrinter> printer = services_.makePrinter();
  if (services_.printers) graphics::ChoosePrinter(*printer, services_.printers(), last.printerDeviceName);
  graphics::PageInput input;
  input.projectName = projectName_;
  input.swedishDocument = swedishDocument_;
  input.bindingMargin = last.printerBindingMargin;
  input.otherMargins = last.printerOtherMargins;
  input.ratio = height() > 0 ? static_cast<double>(width()) / height() : 1.0;
  const Status printed = graphics::PrintGraphPage(*printer, input, [&](QPainter& painter, const QRect& rect) {
    return graphics::DrawChart(painter, rect, chart_, extraLabels_);
  });
  main_.Status().SetStatus(printed ? graphics::GraphPrintedText() : graphics::GraphPrintFailedText(), true);
}

void ChartWindow::SaveAs() {
  if (!save_->isEnabled() || !services_.askSavePath) return;
  LastSettings& last = main_.EditSettings().MutableLast();
  const std::vector<const PictureFormat*> formats = SaveFormats();
  QStringList filters;
  for (const PictureFormat* format : formats) filters << format->Filter();
  QString selected = filters[static_cast<size_t>(std::clamp(last.graphSaveFormat, 1, 6) - 1)];
  QString path = services_.askSavePath(kSaveCaption.Get(), last.graphSaveFolder, filters, &selected);
  if (path.isEmpty()) return;
  // The extension decides; without one, the chosen filter.
  const PictureFormat* format = nullptr;
  for (const PictureFormat* candidate : formats)
    if (ChartPictureFormatForPath(path) == candidate) format = candidate;
  if (format == nullptr && QFileInfo(path).suffix().isEmpty()) {
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
  if (const Status written = format->Write(ChartPicture(), path); !written) {
    main_.ShowMessage(QMessageBox::Critical, ApplicationTitle(), written.Text());
    return;
  }
  last.graphSaveFolder = QFileInfo(path).absolutePath();
  last.graphSaveFormat = static_cast<int32_t>(std::find(formats.begin(), formats.end(), format) - formats.begin()) + 1;
  main_.Status().SetStatus(kSaved, true);
}

void ChartWindow::UseThisSizeAsDefault() {
  LastSettings& last = main_.EditSettings().MutableLast();
  const int dpi = Dpi(*this);
  last.graphWindowWidth = static_cast<int32_t>(std::lround(width() * 1440.0 / dpi));
  last.graphPointHeight = static_cast<int32_t>(std::lround(height() * 1440.0 / dpi / (chart_.points + 2)));
  main_.Status().SetStatus(kDefaultSet, true);
}

void ChartWindow::ResizeToDefaultSize() {
  main_.Status().SetStatus(kResizing, false);
  ResizeToDefault();
  main_.Status().SetStatus(kResized, true);
}

}  // namespace kvf::app
