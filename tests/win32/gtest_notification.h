#pragma once
// GoogleTest's start signal for threads of its own, which it would make of std::mutex, which the runtime
// the tests share with the program lacks. The tests start no such threads, so a flag does.
#include <atomic>

namespace testing::internal {
class Notification {
 public:
  void Notify() { notified_ = true; }
  void WaitForNotification() {
    while (!notified_) {
    }
  }

 private:
  std::atomic<bool> notified_{false};
};
}  // namespace testing::internal

#define GTEST_HAS_NOTIFICATION_ 1
