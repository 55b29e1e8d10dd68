#pragma once
// A second thread for a test, made with the system's call (the runtime the tests share with the
// program has no std::thread); it ends before its owner goes.
#include <windows.h>

#include <functional>
#include <utility>

class TestThread {
 public:
  explicit TestThread(std::function<void()> body) : body_(std::move(body)) {}
  TestThread(const TestThread&) = delete;
  TestThread& operator=(const TestThread&) = delete;
  ~TestThread() { Join(); }
  void Join() {
    if (handle_ && WaitForSingleObject(handle_, INFINITE) == WAIT_OBJECT_0)
      CloseHandle(std::exchange(handle_, nullptr));
  }

 private:
  static DWORD WINAPI Run(LPVOID self) {
    static_cast<TestThread*>(self)->body_();
    return 0;
  }
  std::function<void()> body_;
  HANDLE handle_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
};
