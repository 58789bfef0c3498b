// kvf-screenshots: draws the pictures of the user guide from the real
// windows: the main window with the sample survey, the navigator, a block
// graph, every dialog, the block editor and the comment pop-up. scripts/make-screenshots.sh runs it under Xvfb.
//
//   kvf-screenshots LANGUAGE(en|sv) DOCUMENT OUTPUT-FOLDER
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QListWidget>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

#include "app/blocks/BlockEditWindow.h"
#include "app/comments/CommentCommands.h"
#include "app/dialogs/AboutBox.h"
#include "app/dialogs/DialogCommands.h"
#include "app/dialogs/OptionsDialog.h"
#include "app/dialogs/PrintFormatDialog.h"
#include "app/dialogs/PropertiesWindow.h"
#include "app/graphs/BasicGraphWindow.h"
#include "app/graphs/GraphWindows.h"
#include "app/mainwindow/MainWindow.h"
#include "app/selection/SelectionWindows.h"
#include "core/comments/CommentsRtf.h"
#include "core/settings/ProgramKey.h"
#include "core/text/Language.h"
#include "platform/clipboard/MemoryClipboard.h"
#include "platform/registry/MemoryRegistryStore.h"

namespace {

// Printers for the print format dialog's picture (the machine may have none).
class SamplePrinters : public kvf::graphics::PrinterList {
 public:
  QStringList InstalledPrinters() const override { return {"Office", "Reception"}; }
  QString DefaultPrinter() const override { return "Office"; }
};

void Settle(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

bool Save(QWidget& widget, const QString& path) {
  widget.show();
  Settle(150);
  const bool saved = widget.grab().save(path);
  if (!saved) std::fprintf(stderr, "kvf-screenshots: cannot write %s\n", qPrintable(path));
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kvf-viewer.svg")));
  const QStringList args = QApplication::arguments();
  if (args.size() != 4) {
    std::fputs("usage: kvf-screenshots en|sv DOCUMENT OUTPUT-FOLDER\n", stderr);
    return 1;
  }
  kvf::SetSwedish(args[1] == QLatin1String("sv"));
  const QDir out(args[3]);
  const QString suffix = QLatin1Char('-') + args[1] + QStringLiteral(".png");

  kvf::platform::MemoryRegistryStore store;
  kvf::platform::MemoryClipboard clipboard;
  kvf::app::ViewerEnvironment environment;
  environment.store = &store;
  environment.programKey = kvf::OpenProgramKey(store).key;
  environment.clipboard = &clipboard;
  environment.printerAvailable = true;
  kvf::app::MainWindow window(environment);
  kvf::app::SelectionWindows* selection =
      kvf::app::SelectionWindows::Attach(window, environment.programKey, environment.policies);
  kvf::app::DialogCommands::Attach(window, std::make_unique<SamplePrinters>());
  window.resize(960, 640);
  window.Load({args[2]});
  window.show();
  Settle(1500);
  if (!window.Session().Document().IsOpen()) {
    std::fprintf(stderr, "kvf-screenshots: cannot open %s\n", qPrintable(args[2]));
    return 2;
  }
  bool ok = Save(window, out.filePath("main-window" + suffix));
  ok = Save(*selection->Navigator(), out.filePath("navigator" + suffix)) && ok;

  // The fraction graph of the first block, as View > Block Graph opens it.
  kvf::app::GraphWindows* graphs = kvf::app::GraphWindows::Attach(window, kvf::app::DesktopGraphServices(&window));
  graphs->ViewBlockGraph(2, 0);
  Settle(300);
  kvf::app::BasicGraphWindow* graph = nullptr;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* found = qobject_cast<kvf::app::BasicGraphWindow*>(widget)) graph = found;
  }
  ok = graph != nullptr && Save(*graph, out.filePath("block-graph" + suffix)) && ok;
  if (graph != nullptr) graph->hide();

  const kvf::DocumentInfo& info = window.Session().Document().info;
  kvf::app::OptionsDialog options(window.Options(), info.rowOrder, info.rowOrderThreshold, &window);
  auto* tabs = options.findChild<QTabWidget*>();
  for (int tab = 0; tab < tabs->count(); ++tab) {
    tabs->setCurrentIndex(tab);
    ok = Save(options, out.filePath(QStringLiteral("options-%1").arg(tab + 1) + suffix)) && ok;
  }
  options.hide();
  kvf::app::PrintFormatDialog printFormat(SamplePrinters(), {}, QLocale::system(), &window);
  ok = Save(printFormat, out.filePath("print-format" + suffix)) && ok;
  printFormat.hide();
  kvf::app::PropertiesWindow properties(
      kvf::DescribeDocumentProperties(window.Session().Document(), kvf::Swedish(), QLocale::system()), &window);
  ok = Save(properties, out.filePath("properties" + suffix)) && ok;
  properties.hide();
  kvf::app::AboutBox about(environment.policies, QString(), &window);
  ok = Save(about, out.filePath("about" + suffix)) && ok;
  about.hide();
  // The block editor with a file block selected, and the comments of the sheet.
  kvf::app::BlockEditWindow blocks(window.Session(), store, environment.policies, &window);
  if (auto* list = blocks.findChild<QListWidget*>(QStringLiteral("lstBlocks"))) list->setCurrentRow(1);
  ok = Save(blocks, out.filePath("edit-blocks" + suffix)) && ok;
  blocks.hide();
  kvf::app::TextPopUpWindow comments(&window);
  comments.setWindowTitle(kvf::AllCommentsTitle().Get());
  comments.SetRtf(kvf::AllCommentsRtf(window.Session().Document(), window.Session().View().Sheet()));
  ok = Save(comments, out.filePath("comments" + suffix)) && ok;
  return ok ? 0 : 4;
}
