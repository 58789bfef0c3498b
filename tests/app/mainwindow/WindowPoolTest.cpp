// The pool of secondary windows: new slots first, then hidden windows, then
// the one used longest ago; Close All unloads everything.
#include <QWidget>
#include <gtest/gtest.h>

#include "app/mainwindow/WindowPool.h"

namespace kvf::app {
namespace {

class Pool : public ::testing::Test {
 protected:
  Pool()
      : pool_([this] {
          ++made_;
          return new QWidget;
        },
              [this] { return now_; }) {}
  QWidget* Take() {
    now_ = now_.addSecs(1);
    QWidget* window = pool_.Get();
    window->show();
    return window;
  }

  int made_ = 0;
  QDateTime now_ = QDateTime(QDate(2026, 1, 1), QTime(12, 0), Qt::UTC);
  WindowPool pool_;
};

TEST_F(Pool, MakesTenWindowsThenTakesAHiddenOneElseTheOldest) {
  std::vector<QWidget*> windows;
  for (int i = 0; i < WindowPool::kSlots; ++i) windows.push_back(Take());
  EXPECT_EQ(std::make_tuple(made_, pool_.InUseCount()), std::make_tuple(10, 10));
  EXPECT_EQ(Take(), windows[0]);
  EXPECT_EQ(Take(), windows[1]);
  EXPECT_EQ(made_, 10);
  windows[6]->hide();
  EXPECT_EQ(Take(), windows[6]);
  // The chosen window is hidden and restored for filling.
  now_ = now_.addSecs(1);
  QWidget* window = pool_.Get();
  EXPECT_TRUE(window->isHidden() && !window->isMinimized());
}

TEST_F(Pool, ADeletedWindowFreesItsSlotAndUnloadAllEmptiesThePool) {
  QWidget* first = Take();
  Take();
  delete first;
  EXPECT_EQ(pool_.InUseCount(), 1);
  Take();
  EXPECT_EQ(made_, 3);  // the freed slot got a new window
  pool_.UnloadAll();
  EXPECT_EQ(pool_.InUseCount(), 0);
}

TEST(PoolWithoutFactory, GivesNoWindow) {
  WindowPool pool;
  EXPECT_EQ(pool.Get(), nullptr);
  EXPECT_FALSE(pool.HasFactory());
}

}  // namespace
}  // namespace kvf::app
