#pragma once
// Turns the fuzzer's bytes into the parts of one case. Parts are separated by zero bytes; the last part
// takes the rest, zero bytes included, and parts past the end of the input are empty. Numbers are
// written as decimal digits, so the seed files stay readable and the fuzzer still reaches every value
// by changing digits.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

inline std::vector<std::string> Parts(const std::uint8_t* data, std::size_t size, std::size_t count) {
  std::vector<std::string> parts;
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  while (parts.size() + 1 < count) {
    const std::size_t zero = rest.find('\0');
    if (zero == std::string_view::npos) break;
    parts.emplace_back(rest.substr(0, zero));
    rest.remove_prefix(zero + 1);
  }
  parts.emplace_back(rest);
  parts.resize(count);
  return parts;
}

// Every run of digits in the text, each saturated far below overflow.
inline std::vector<std::uint64_t> Numbers(std::string_view text) {
  std::vector<std::uint64_t> numbers;
  bool inNumber = false;
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      if (!inNumber) numbers.push_back(0);
      inNumber = true;
      std::uint64_t& n = numbers.back();
      n = n > 100000000000000ull ? n : n * 10 + static_cast<std::uint64_t>(c - '0');
    } else {
      inNumber = false;
    }
  }
  return numbers;
}

inline std::uint64_t NumberAt(const std::vector<std::uint64_t>& numbers, std::size_t index,
                              std::uint64_t fallback) {
  return index < numbers.size() ? numbers[index] : fallback;
}

// A broken property ends the run like a crash, so libFuzzer keeps the input that broke it.
inline void Check(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", property);
  std::abort();
}

}  // namespace fuzz
