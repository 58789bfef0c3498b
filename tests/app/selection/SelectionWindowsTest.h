#pragma once
// A main window with the navigator and the detail window plugged in, on a
// small survey written for the test.
#include <QTreeWidgetItem>

#include "ViewerFixture.h"
#include "app/selection/SelectionWindows.h"

namespace kvf::testing {

class SelectionWindowsTest : public ViewerTest {
 protected:
  // Twelve respondents: Region (North, South, West) = r mod 3, Sex (Female,
  // Male) = r mod 2 and the flex question; Rating (weights 1, 2, 3 = r mod
  // 3) in block "Work"; index divisor 10. With minimums: a graph and a
  // complement minimum of 3, North complement-protected.
  QString WriteSurvey(bool minimums = true);
  // Makes the main window, plugs in the windows and opens path.
  app::SelectionWindows& Open(const QString& path);
  // Clicks the check box of a tree node.
  void ClickCheckBox(const QString& key);

  app::SelectionWindows* windows_ = nullptr;
};

}  // namespace kvf::testing
