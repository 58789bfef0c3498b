#pragma once
// A pool of up to ten secondary windows of one kind (mini-overviews, basic
// graph windows, chart windows) that commands reuse instead of opening
// windows without end.
//
// Get() takes, in this order: the first slot never used (a new window is
// made there by the factory), the first slot whose window is hidden, the
// slot used longest ago. A minimized window is restored to normal and a
// visible one hidden; the slot is stamped with the current time.
//
// Ownership: the pool owns its windows (they are deleted by UnloadAll and by
// the pool's destructor); a window the user closes with WA_DeleteOnClose
// frees its slot by itself (QPointer).
#include <QDateTime>
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>

namespace kvf::app {

class WindowPool {
 public:
  static constexpr int kSlots = 10;
  using Factory = std::function<QWidget*()>;
  using Clock = std::function<QDateTime()>;

  explicit WindowPool(Factory factory = {}, Clock clock = [] { return QDateTime::currentDateTimeUtc(); })
      : factory_(std::move(factory)), clock_(std::move(clock)) {}
  ~WindowPool() { UnloadAll(); }
  WindowPool(const WindowPool&) = delete;
  WindowPool& operator=(const WindowPool&) = delete;

  // The windows' kind is set by the command that brings them; without a
  // factory the pool cannot make windows.
  void SetFactory(Factory factory) { factory_ = std::move(factory); }
  bool HasFactory() const { return static_cast<bool>(factory_); }

  // A window to fill and show; nullptr when no factory is set or the
  // factory made none.
  QWidget* Get() {
    int chosen = -1;
    for (int i = 0; i < kSlots && chosen < 0; ++i)
      if (!slots_[i].inUse || slots_[i].window.isNull()) chosen = i;
    if (chosen >= 0) {
      if (!factory_) return nullptr;
      QWidget* window = factory_();
      if (window == nullptr) return nullptr;
      slots_[chosen].window = window;
      slots_[chosen].inUse = true;
    } else {
      for (int i = 0; i < kSlots && chosen < 0; ++i)
        if (slots_[i].window->isHidden()) chosen = i;
    }
    if (chosen < 0) {
      QDateTime oldest = clock_().addYears(1);
      for (int i = 0; i < kSlots; ++i) {
        if (slots_[i].lastUse < oldest) {
          oldest = slots_[i].lastUse;
          chosen = i;
        }
      }
      if (chosen < 0) chosen = 0;
    }
    QWidget* window = slots_[chosen].window;
    if (window->isMinimized()) window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    if (window->isVisible()) window->hide();
    slots_[chosen].lastUse = clock_();
    return window;
  }

  // Deletes every window of the pool; every slot is free again.
  void UnloadAll() {
    for (Slot& slot : slots_) {
      delete slot.window.data();
      slot = Slot();
    }
  }

  int InUseCount() const {
    int count = 0;
    for (const Slot& slot : slots_)
      if (slot.inUse && !slot.window.isNull()) ++count;
    return count;
  }

 private:
  struct Slot {
    QPointer<QWidget> window;
    bool inUse = false;
    QDateTime lastUse;
  };
  Factory factory_;
  Clock clock_;
  std::array<Slot, kSlots> slots_;
};

}  // namespace kvf::app
