#include "ViewerFixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include "core/settings/ProgramKey.h"

namespace kvf::testing {

app::MainWindow& ViewerTest::MakeWindow() {
  app::ViewerEnvironment environment;
  environment.store = &store_;
  environment.programKey = OpenProgramKey(store_).key;
  environment.clipboard = &clipboard_;
  environment.printerAvailable = printerAvailable_;
  environment.folders.documents = environment.folders.pictures = folder_.path();
  window_ = std::make_unique<app::MainWindow>(environment);
  window_->SetMessageFunction([this](QMessageBox::Icon icon, const QString& caption, const QString&) {
    messages_.push_back({icon, caption});
  });
  return *window_;
}

app::MainWindow& ViewerTest::StartWith(const QStringList& arguments) {
  app::MainWindow& window = MakeWindow();
  window.Load(arguments);
  window.show();
  if (window.AutoOpenTimer()->isActive()) {
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.AutoOpenTimer()->isActive(); }, 5000));
    QTest::qWait(1);
  }
  return window;
}

void ViewerTest::MoveOver(QWidget* widget, QPointF at, Qt::KeyboardModifiers modifiers) {
  QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, modifiers);
  QApplication::sendEvent(widget, &move);
}

}  // namespace kvf::testing

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
