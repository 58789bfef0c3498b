#include "SelectionWindowsTest.h"

#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>

#include "core/settings/ProgramKey.h"
#include "kvfwriter/JsonDescription.h"
#include "kvfwriter/KvfWriter.h"

namespace kvf::testing {

QString SelectionWindowsTest::WriteSurvey(bool minimums) {
  writer::KvfDescription d;
  QString error;
  EXPECT_TRUE(writer::ParseJsonDescription(R"({
  "info": {"indexDivisor": 10, "allRespondentsCaption": "All respondents", "tooFewCaption": "Too few respondents",
           "indexLabels": ["Respondent index", "Question index", null, "Block index", "Total index"],
           "minimumGraphSelection": 3, "minimumComplementSelection": 3, "featureFlags": 0},
  "questions": [
    {"sheetLabel": "Reg", "name": "Region", "text": "Where?", "isDimension": true, "alternatives": [
      {"sheetLabel": "No", "name": "North", "complementProtected": true}, {"sheetLabel": "So", "name": "South"},
      {"sheetLabel": "We", "name": "West"}]},
    {"sheetLabel": "Sex", "name": "Sex", "text": "Sex?", "isDimension": true, "isFlexTotal": true, "alternatives": [
      {"sheetLabel": "Fe", "name": "Female"}, {"sheetLabel": "Ma", "name": "Male"}]},
    {"sheetLabel": "Rat", "name": "Rating", "text": "How do you rate it?", "isOverviewQuestion": true,
     "inTotalIndex": true, "primaryBlock": 0, "alternatives": [{"sheetLabel": "Po", "name": "Poor", "value": 10},
       {"sheetLabel": "Fa", "name": "Fair", "value": 20}, {"sheetLabel": "Go", "name": "Good", "value": 30}]}],
  "answers": [[0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2], [0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1],
              [0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2]],
  "blocks": [{"name": "Work", "membersByQuestionField": true}]})",
                                           &d, &error))
      << error.toStdString();
  if (!minimums) {
    d.info.minimumGraphSelection = d.info.minimumComplementSelection = 0;
    d.alternatives[0].complementProtected = writer::kFalse;
  }
  static int counter = 0;
  const QString path = folder_.filePath(QStringLiteral("selection-%1.kvf").arg(++counter));
  EXPECT_TRUE(writer::SaveKvf(d, path, &error)) << error.toStdString();
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
