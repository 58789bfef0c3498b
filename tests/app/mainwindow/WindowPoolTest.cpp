// The pool of secondary windows: new slots first, then hidden windows, then
// the one used longest ago; a deleted window frees its slot.
#include <gtest/gtest.h>
#include <QWidget>

#include "app/mainwindow/WindowPool.h"

namespace kvf::app {
namespace {

TEST(WindowPool, MakesTenWindowsThenTakesAHiddenOneElseTheOldest) {
  int made = 0;
  QDateTime now(QDate(2026, 1, 1), QTime(12, 0), Qt::UTC);
  WindowPool pool([&] { return ++made, new QWidget; }, [&] { return now; });
  auto take = [&] {
    now = now.addSecs(1);
    QWidget* window = pool.Get();
    window->show();
    return window;
  };
  std::vector<QWidget*> windows;
  for (int i = 0; i < WindowPool::kSlots; ++i) windows.push_back(take());
  EXPECT_EQ(take(), windows[0]);
  EXPECT_EQ(take(), windows[1]);
  EXPECT_EQ(std::make_tuple(made, pool.InUseCount()), std::make_tuple(10, 10));
  windows[6]->hide();
  EXPECT_EQ(take(), windows[6]);
  delete windows[3];
  EXPECT_EQ(pool.InUseCount(), 9);
  take();
  EXPECT_EQ(made, 11);  // the freed slot got a new window
  pool.UnloadAll();
  EXPECT_EQ(pool.InUseCount(), 0);
  EXPECT_EQ(WindowPool().Get(), nullptr);  // no factory, no window
}

}  // namespace
}  // namespace kvf::app
