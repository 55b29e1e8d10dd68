#pragma once
// Buffers for the password and for every text built from it. Their memory is overwritten with zeros
// before it goes back to the heap, also when a vector grows and drops its old block, so no copy of the
// password lingers in freed memory. A std::string cannot be trusted with this: its short-string buffer
// lives inside the object and never passes through the allocator.
#include <cstddef>
#include <new>
#include <string_view>
#include <utility>
#include <vector>

namespace secret {

// Called with each block just before it is freed (after wiping). Tests use it to prove the wipe.
using ReleaseObserver = void (*)(const void* block, std::size_t bytes);
void SetReleaseObserver(ReleaseObserver observer);
void Wipe(void* block, std::size_t bytes);
void NotifyRelease(const void* block, std::size_t bytes);

template <class T>
struct WipingAllocator {
  using value_type = T;
  WipingAllocator() = default;
  template <class U>
  WipingAllocator(const WipingAllocator<U>&) {}
  T* allocate(std::size_t n) { return static_cast<T*>(::operator new(n * sizeof(T))); }
  void deallocate(T* p, std::size_t n) {
    Wipe(p, n * sizeof(T));
    NotifyRelease(p, n * sizeof(T));
    ::operator delete(p);
  }
  template <class U>
  bool operator==(const WipingAllocator<U>&) const {
    return true;
  }
};

// A zero-terminated character buffer that wipes itself. Used for narrow (UTF-8) and wide texts.
template <class Char>
class Buffer {
 public:
  Buffer() : data_(1, Char{}) {}
  explicit Buffer(std::basic_string_view<Char> text) : data_(text.begin(), text.end()) {
    data_.push_back(Char{});
  }
  Buffer(const Buffer&) = default;
  Buffer& operator=(const Buffer&) = default;
  // A moved-from buffer holds no block; it reads as empty and frees nothing.
  Buffer(Buffer&& other) noexcept : data_(std::move(other.data_)) {}
  Buffer& operator=(Buffer&& other) noexcept {
    Wipe(data_.data(), data_.size() * sizeof(Char));
    data_ = std::move(other.data_);
    return *this;
  }
  ~Buffer() { Wipe(data_.data(), data_.size() * sizeof(Char)); }

  std::size_t size() const { return data_.empty() ? 0 : data_.size() - 1; }
  bool empty() const { return size() == 0; }
  const Char* c_str() const { return data_.empty() ? &kEmpty : data_.data(); }
  Char* data() {
    if (data_.empty()) data_.push_back(Char{});
    return data_.data();
  }
  std::basic_string_view<Char> view() const { return {data_.data(), size()}; }

  // Keeps the first n characters; the dropped ones are wiped in place.
  void Cut(std::size_t n) {
    if (n >= size()) return;  // also covers a moved-from buffer
    Wipe(data_.data() + n, (data_.size() - n) * sizeof(Char));
    data_.resize(n + 1);
    data_[n] = Char{};
  }
  // Room for n characters plus the terminator, all zero; for calls that fill a buffer.
  void Reserve(std::size_t n) {
    Wipe(data_.data(), data_.size() * sizeof(Char));
    data_.assign(n + 1, Char{});
  }
  // After a fill call: the text ends at its first zero.
  void TrimAtZero() {
    std::size_t n = 0;
    while (n + 1 < data_.size() && data_[n] != Char{}) ++n;
    Cut(n);
  }

 private:
  static constexpr Char kEmpty{};
  std::vector<Char, WipingAllocator<Char>> data_;
};

using Text = Buffer<char>;
using Wide = Buffer<char16_t>;

}  // namespace secret
