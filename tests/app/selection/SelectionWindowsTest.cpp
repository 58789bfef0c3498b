#include "SelectionWindowsTest.h"

#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>

#include "core/settings/ProgramKey.h"
#include "kvfwriter/KvfWriter.h"
#include "kvfwriter/SurveySketch.h"

namespace kvf::testing {

QString SelectionWindowsTest::WriteSurvey(const SelectionSurveyOptions& options) {
  writer::SurveySketch sketch;
  writer::KvfDescription& d = sketch.Description();
  d.info.indexDivisor = 10;
  d.info.indexLabel0 = sketch.Text(QStringLiteral("Respondent index"));
  d.info.indexLabel1 = sketch.Text(QStringLiteral("Question index"));
  d.info.indexLabel3 = sketch.Text(QStringLiteral("Block index"));
  d.info.indexLabel4 = sketch.Text(QStringLiteral("Total index"));
  d.info.allRespondentsCaption = sketch.Text(QStringLiteral("All respondents"));
  d.info.tooFewCaption = sketch.Text(QStringLiteral("Too few respondents"));
  d.info.minimumGraphSelection = options.minimumGraphSelection;
  d.info.minimumComplementSelection = options.minimumComplementSelection;
  // Sheet labels are the names' first letters.
  auto alternative = [&](const QString& name, int32_t value, bool protect = false) {
    sketch.Alternative(name.left(2), name, value).complementProtected = protect ? writer::kTrue : writer::kFalse;
  };
  auto question = [&](const QString& name, const QString& text, int32_t count) {
    return sketch.Question(name.left(3), name, text, count);
  };
  alternative(QStringLiteral("North"), -1, options.protectNorth);
  alternative(QStringLiteral("South"), -1);
  alternative(QStringLiteral("West"), -1);
  writer::QuestionRecord region = question(QStringLiteral("Region"), QStringLiteral("Where?"), 3);
  region.isDimension = writer::kTrue;
  alternative(QStringLiteral("Female"), -1);
  alternative(QStringLiteral("Male"), -1);
  writer::QuestionRecord sex = question(QStringLiteral("Sex"), QStringLiteral("Sex?"), 2);
  sex.isDimension = writer::kTrue;
  sex.isFlexTotal = writer::kTrue;
  alternative(QStringLiteral("Poor"), 10);
  alternative(QStringLiteral("Fair"), 20);
  alternative(QStringLiteral("Good"), 30);
  writer::QuestionRecord rating = question(QStringLiteral("Rating"), QStringLiteral("How do you rate it?"), 3);
  rating.isOverviewQuestion = writer::kTrue;
  rating.inTotalIndex = writer::kTrue;
  rating.primaryBlock = 0;
  d.questions = {region, sex, rating};
  writer::BlockRecord work;
  work.name = sketch.Text(QStringLiteral("Work"));
  work.membersByQuestionField = writer::kTrue;
  d.blocks = {work};
  d.answers.assign(3, std::vector<int32_t>(12));
  for (int r = 0; r < 12; ++r) {
    d.answers[0][static_cast<size_t>(r)] = r % 3;
    d.answers[1][static_cast<size_t>(r)] = r % 2;
    d.answers[2][static_cast<size_t>(r)] = r % 3;
  }
  static int counter = 0;
  const QString path = folder_.filePath(QStringLiteral("selection-%1.kvf").arg(++counter));
  QString error;
  EXPECT_TRUE(writer::SaveKvf(sketch.Finish(), path, &error)) << error.toStdString();
  return path;
}

app::SelectionWindows& SelectionWindowsTest::Open(const QString& path) {
  app::MainWindow& window = MakeWindow();
  windows_ = app::SelectionWindows::Attach(window, OpenProgramKey(store_).key, Policies());
  window.Load({});
  window.show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_TRUE(window.Commands().OpenDocument(path, false, QStringLiteral("Open")));
  if (windows_->Navigator()->isVisible()) {
    EXPECT_TRUE(QTest::qWaitForWindowExposed(windows_->Navigator()));
  }
  return *windows_;
}

void SelectionWindowsTest::ClickCheckBox(const QString& key) {
  QTreeWidget* tree = windows_->Navigator()->Tree();
  QTreeWidgetItem* item = windows_->Navigator()->Item(key);
  ASSERT_NE(item, nullptr) << key.toStdString();
  tree->scrollToItem(item);
  QStyleOptionViewItem option;
  option.initFrom(tree->viewport());
  option.rect = tree->visualItemRect(item);
  option.rect.setRight(tree->columnViewportPosition(1) - 1);
  option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
  option.text = item->text(0);
  option.showDecorationSelected = false;
  const QRect box = tree->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, tree);
  ASSERT_TRUE(box.isValid());
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, box.center());
}

}  // namespace kvf::testing
