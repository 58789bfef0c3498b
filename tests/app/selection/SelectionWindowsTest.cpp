#include "SelectionWindowsTest.h"

#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>

#include "core/settings/ProgramKey.h"
#include "kvfwriter/KvfWriter.h"

namespace kvf::testing {

QString SelectionWindowsTest::WriteSurvey(const SelectionSurveyOptions& options) {
  writer::KvfDescription d;
  writer::StringTable strings;
  d.info.indexDivisor = 10;
  d.info.indexLabel0 = strings.Add(QStringLiteral("Respondent index"));
  d.info.indexLabel1 = strings.Add(QStringLiteral("Question index"));
  d.info.indexLabel3 = strings.Add(QStringLiteral("Block index"));
  d.info.indexLabel4 = strings.Add(QStringLiteral("Total index"));
  d.info.allRespondentsCaption = strings.Add(QStringLiteral("All respondents"));
  d.info.tooFewCaption = strings.Add(QStringLiteral("Too few respondents"));
  d.info.minimumGraphSelection = options.minimumGraphSelection;
  d.info.minimumComplementSelection = options.minimumComplementSelection;
  auto alternative = [&](const char* name, int32_t value, bool protect = false) {
    writer::AlternativeRecord a;
    a.sheetLabel = strings.Add(QString::fromUtf8(name).left(2));
    a.name = strings.Add(QString::fromUtf8(name));
    a.selectionName = a.name;
    a.value = value;
    a.complementProtected = protect ? writer::kTrue : writer::kFalse;
    d.alternatives.push_back(a);
  };
  auto question = [&](const char* name, const char* text, int32_t count) {
    writer::QuestionRecord q;
    q.sheetLabel = strings.Add(QString::fromUtf8(name).left(3));
    q.name = strings.Add(QString::fromUtf8(name));
    q.text = strings.Add(QString::fromUtf8(text));
    q.selectionName = q.name;
    q.firstAlternative = static_cast<int32_t>(d.alternatives.size()) - count;
    q.alternativeCount = count;
    return q;
  };
  alternative("North", -1, options.protectNorth);
  alternative("South", -1);
  alternative("West", -1);
  writer::QuestionRecord region = question("Region", "Where?", 3);
  region.isDimension = writer::kTrue;
  alternative("Female", -1);
  alternative("Male", -1);
  writer::QuestionRecord sex = question("Sex", "Sex?", 2);
  sex.isDimension = writer::kTrue;
  sex.isFlexTotal = writer::kTrue;
  alternative("Poor", 10);
  alternative("Fair", 20);
  alternative("Good", 30);
  writer::QuestionRecord rating = question("Rating", "How do you rate it?", 3);
  rating.isOverviewQuestion = writer::kTrue;
  rating.inTotalIndex = writer::kTrue;
  rating.primaryBlock = 0;
  d.questions = {region, sex, rating};
  writer::BlockRecord work;
  work.name = strings.Add(QStringLiteral("Work"));
  work.membersByQuestionField = writer::kTrue;
  d.blocks = {work};
  d.answers.assign(3, std::vector<int32_t>(12));
  for (int r = 0; r < 12; ++r) {
    d.answers[0][static_cast<size_t>(r)] = r % 3;
    d.answers[1][static_cast<size_t>(r)] = r % 2;
    d.answers[2][static_cast<size_t>(r)] = r % 3;
  }
  d.strings = strings.Entries();
  static int counter = 0;
  const QString path = folder_.filePath(QStringLiteral("selection-%1.kvf").arg(++counter));
  QString error;
  EXPECT_TRUE(writer::SaveKvf(d, path, &error)) << error.toStdString();
  return path;
}

app::SelectionWindows& SelectionWindowsTest::Open(const QString& path) {
  app::MainWindow& window = MakeWindow();
  windows_ = app::SelectionWindows::Attach(window, OpenProgramKey(store_).key, Policies());
  window.Load({});
  window.show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_TRUE(window.OpenDocument(path, false, QStringLiteral("Open")));
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
