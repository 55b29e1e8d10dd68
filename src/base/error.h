#pragma once
// The program's errors: a message for the operator's error box, which the application shows for any
// error a handler raises. Not std::runtime_error and its kin: those keep their text in the C++
// runtime's old reference-counted string, and that string's code alone is a tenth of the executable.
#include <exception>
#include <string>
#include <utility>

namespace base {

class EError : public std::exception {
 public:
  explicit EError(std::string message) : message_(std::move(message)) {}
  ~EError() override;  // once, in error.cpp, instead of in every file that raises one
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

}  // namespace base
