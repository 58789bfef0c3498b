// The options, print format, properties and about dialogs, driven through
// the main window's menu entries (the texts and rules they show are checked
// in the core tests).
#include <QLabel>
#include <QTest>

#include "ViewerFixture.h"
#include "app/dialogs/AboutBox.h"
#include "app/dialogs/DialogCommands.h"
#include "app/dialogs/OptionsDialog.h"
#include "app/dialogs/PrintFormatDialog.h"
#include "app/dialogs/PropertiesWindow.h"
#include "core/settings/ProgramKey.h"

namespace kvf::testing {
namespace {

class FakePrinters : public graphics::PrinterList {
 public:
  QStringList InstalledPrinters() const override { return {"Office", "Lab"}; }
  QString DefaultPrinter() const override { return "Lab"; }
};

class DialogsTest : public ViewerTest {
 protected:
  app::DialogCommands& Attach(app::MainWindow& window) {
    return *app::DialogCommands::Attach(window, std::make_unique<FakePrinters>());
  }
  int beeps_ = 0;
};

TEST_F(DialogsTest, OptionsRulesAndOkStoresAllTwelveValues) {
  app::MainWindow& window = StartWith({});
  app::DialogCommands& commands = Attach(window);
  ProgramOptions odd;
  odd.graphLegends = 5;  // matches no item: kept
  app::OptionsDialog dialog(odd, 1, 10, &window);
  dialog.SetBeep([this] { ++beeps_; });
  auto* remind = dialog.findChild<QCheckBox*>("remindToClickShow");
  auto* beep = dialog.findChild<QCheckBox*>("addBeepToReminder");
  beep->setChecked(true);
  QTest::mouseClick(remind, Qt::LeftButton, {}, QPoint(4, remind->height() / 2));
  EXPECT_FALSE(remind->isChecked() || beep->isChecked() || beep->isEnabled());
  EXPECT_TRUE(dialog.findChild<QLabel*>("rowOrderComment")->text().contains("at least 10."));
  auto* maxRows = dialog.findChild<QLineEdit*>("maxRows");
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  maxRows->setFocus();
  maxRows->setText("abc");
  remind->setFocus();  // leaving the box takes the focus back
  EXPECT_TRUE(QTest::qWaitFor([&] { return maxRows->hasFocus(); }, 1000));
  maxRows->setText("0");
  dialog.accept();  // refused
  EXPECT_EQ(maxRows->selectedText(), "0");
  EXPECT_EQ(std::make_tuple(beeps_, dialog.isVisible()), std::make_tuple(2, true));
  maxRows->setText(" 250 ");
  const ProgramOptions values = dialog.Values();
  EXPECT_EQ(std::make_tuple(values.overviewMaxRows, values.graphLegends, values.navigatorAddBeepToReminder),
            std::make_tuple(250, 5, false));

  // Through the menu: Cancel stores nothing, OK every value.
  const platform::RegistryKey settings =
      OpenProgramKey(store_).key.OpenSubKey("Settings", platform::RegistryAccess::Read);
  for (const int result : {int(QDialog::Rejected), int(QDialog::Accepted)}) {
    commands.SetRunner([result](QDialog& shown) {
      shown.findChild<QLineEdit*>("maxRows")->setText("77");
      shown.findChild<QComboBox*>("copyFormat")->setCurrentIndex(0);
      return result;
    });
    window.Menus().Action(app::MenuEntry::Options)->trigger();
    const ProgramOptions stored = ReadSettings(OpenProgramKey(store_).key);
    EXPECT_EQ(std::make_pair(stored.overviewMaxRows, stored.graphCopyFormat),
              result ? std::make_pair(77, 1) : std::make_pair(300, 2));
  }
  QStringList storedNames;
  ReadSettings(OpenProgramKey(store_).key, &storedNames);
  EXPECT_EQ(storedNames.size(), 12);
  EXPECT_EQ(window.Options().overviewMaxRows, 77);
}

TEST_F(DialogsTest, PrintFormatUnitsMarginsAndPrinter) {
  FakePrinters printers;
  app::PrintFormatDialog metric(printers, {"gone", 1701, 567}, QLocale(QLocale::Swedish, QLocale::Sweden));
  app::PrintFormatDialog us(printers, {"office", 1701, 567}, QLocale(QLocale::English, QLocale::UnitedStates));
  for (auto* dialog : {&metric, &us}) dialog->SetBeep([this] { ++beeps_; });
  const auto text = [](QDialog& d, const char* name) { return d.findChild<QLineEdit*>(name)->text(); };
  EXPECT_EQ(text(metric, "bindingMargin") + text(metric, "otherMargins"), "30,010,0");
  EXPECT_EQ(text(us, "bindingMargin") + text(us, "otherMargins") + us.findChild<QLabel*>("unit1")->text(),
            "1.180.39inches");
  metric.findChild<QLineEdit*>("bindingMargin")->setText("25");
  metric.findChild<QLineEdit*>("otherMargins")->setText("letters");
  metric.accept();
  EXPECT_EQ(text(metric, "bindingMargin") + text(metric, "otherMargins"), "25,010,0");
  const app::PrintFormat chosen = metric.Values();
  EXPECT_EQ(std::make_tuple(chosen.printer, chosen.bindingMargin, chosen.otherMargins, beeps_),
            std::make_tuple(QString("Lab"), 1418, 567, 1));
  EXPECT_EQ(us.Values().printer, "Office");
}

TEST_F(DialogsTest, PropertiesAndAboutFromTheMenus) {
  app::MainWindow& window = StartWith({EnglishSample()});
  app::DialogCommands& commands = Attach(window);
  for (auto entry : {app::MenuEntry::Options, app::MenuEntry::Properties, app::MenuEntry::About})
    EXPECT_TRUE(Enabled(entry)) << app::MenuEntryName(entry);
  EXPECT_FALSE(Enabled(app::MenuEntry::PrintFormat));  // the test environment has no default printer
  QString status, fileName, aboutDocument;
  bool indexEnabled = false;
  commands.SetRunner([&](QDialog& shown) {
    if (auto* properties = qobject_cast<app::PropertiesWindow*>(&shown)) {
      status = window.Status().Panel(0)->text();
      fileName = properties->ValueLabel(0)->text();
      indexEnabled = properties->IndexFrame()->isEnabled();
    } else if (auto* about = qobject_cast<app::AboutBox*>(&shown)) {
      about->ShowList()->setCurrentIndex(1);
      aboutDocument = about->Document();
    }
    return int(QDialog::Rejected);
  });
  window.Menus().Action(app::MenuEntry::Properties)->trigger();
  window.Menus().Action(app::MenuEntry::About)->trigger();
  EXPECT_EQ(std::make_tuple(status, fileName, indexEnabled),
            std::make_tuple(QString("Displaying file properties..."), QString("staff-survey-en.kvf"), true));
  EXPECT_TRUE(aboutDocument.contains("\\b Memory\\b0"));
}

}  // namespace
}  // namespace kvf::testing
