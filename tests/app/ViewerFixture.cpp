#include "ViewerFixture.h"

#include <QTest>

#include "core/settings/ProgramKey.h"
#include "core/text/Language.h"
#include "kvfwriter/KvfWriter.h"

namespace kvf::testing {

void ViewerTest::SetUp() {
  SetSwedish(false);
  ASSERT_TRUE(folder_.isValid());
}

void ViewerTest::TearDown() {
  window_.reset();
  SetSwedish(false);
}

app::MainWindow& ViewerTest::MakeWindow() {
  app::ViewerEnvironment environment;
  environment.store = &store_;
  environment.programKey = OpenProgramKey(store_).key;
  environment.clipboard = &clipboard_;
  environment.folders.documents = folder_.path();
  environment.folders.pictures = folder_.path();
  window_ = std::make_unique<app::MainWindow>(environment);
  window_->SetMessageFunction([this](QMessageBox::Icon icon, const QString& caption, const QString& text) {
    messages_.push_back({icon, caption, text});
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

QString ViewerTest::SamplePath(const QString& name) {
  return QStringLiteral(KVF_SAMPLES_DIR) + QLatin1Char('/') + name + QStringLiteral(".kvf");
}

QString ViewerTest::SyntheticDocument(const QString& name, int respondents, int questions, int dimensions) {
  writer::SyntheticOptions options;
  options.respondents = respondents;
  options.questions = questions;
  options.dimensions = dimensions;
  const QString path = folder_.filePath(name);
  QString error;
  EXPECT_TRUE(writer::SaveKvf(writer::MakeSyntheticDescription(options), path, &error)) << error.toStdString();
  return path;
}

QString ViewerTest::Caption(app::MenuEntry name) {
  QAction* action = window_->Menus().Action(name);
  return action != nullptr ? action->text()
                           : QStringLiteral("<missing %1>").arg(QString::fromLatin1(app::MenuEntryName(name)));
}

bool ViewerTest::Visible(app::MenuEntry name) {
  QAction* action = window_->Menus().Action(name);
  return action != nullptr && action->isVisible();
}

bool ViewerTest::Enabled(app::MenuEntry name) {
  QAction* action = window_->Menus().Action(name);
  return action != nullptr && action->isEnabled();
}

}  // namespace kvf::testing
