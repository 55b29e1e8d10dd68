#pragma once
// A second thread for a test, made with the system's own call: the program's runtime, which the tests
// share, has no std::thread. It ends before its owner goes.
#include <windows.h>

#include <functional>
#include <utility>

class TestThread {
 public:
  explicit TestThread(std::function<void()> body)
      : body_(std::move(body)), handle_(CreateThread(nullptr, 0, Run, this, 0, nullptr)) {}
  TestThread(const TestThread&) = delete;
  TestThread& operator=(const TestThread&) = delete;
  ~TestThread() { Join(); }

  void Join() {
    if (!handle_) return;
    WaitForSingleObject(handle_, INFINITE);
    CloseHandle(handle_);
    handle_ = nullptr;
  }

 private:
  static DWORD WINAPI Run(LPVOID self) {
    static_cast<TestThread*>(self)->body_();
    return 0;
  }
  std::function<void()> body_;
  HANDLE handle_;
};
