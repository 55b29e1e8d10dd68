// The INI reader and writer on any file contents: a value written is read back as written (cut to the
// buffer, quotes around the whole value taken off), writing it again changes nothing, and every other
// entry of the file reads as it did before.
//
// Input: buffer size (digits), section, key, value, probe section, probe key, file contents; separated
// by zero bytes, the contents taking the rest.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "base/text.h"
#include "controls/ini_file.h"
#include "fuzz_input.h"

namespace {

const std::string kAbsent = "\x01(nicht vorhanden)";

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string Without(std::string text, std::string_view characters) {
  std::erase_if(text, [&](char c) { return characters.find(c) != std::string_view::npos; });
  return text;
}

std::string TrimBlanks(std::string text) {
  while (!text.empty() && IsBlank(text.back())) text.pop_back();
  std::size_t begin = 0;
  while (begin < text.size() && IsBlank(text[begin])) ++begin;
  return text.substr(begin);
}

// What the program can pass as names: one line, no blanks around them, a section name without "]",
// a key without "=" that does not start as a section header or a comment would.
std::string SectionName(const std::string& text) {
  return TrimBlanks(Without(text, std::string("\r\n]", 3)));
}

std::string KeyName(const std::string& text) {
  std::string key = TrimBlanks(Without(text, "\r\n="));
  while (!key.empty() && (key.front() == '[' || key.front() == ';')) key = TrimBlanks(key.substr(1));
  return key;
}

// A value typed into an edit box: one line without zero bytes. Blanks around it are not kept by the
// system's profile functions either, so they are left out of the round trip.
std::string Value(const std::string& text) {
  return TrimBlanks(Without(text, std::string("\r\n\0", 3)));
}

std::string ReadBack(const std::string& value, std::size_t bufferSize) {
  std::string expected = value;
  if (expected.size() >= 2 && (expected.front() == '"' || expected.front() == '\'') &&
      expected.back() == expected.front())
    expected = expected.substr(1, expected.size() - 2);
  return expected.substr(0, bufferSize == 0 ? 0 : bufferSize - 1);
}

// Section and key pairs to compare before and after a write: the given probe and every key that a
// plain reading of the file finds. A rough reading is enough; the pairs only need to hit entries.
std::vector<std::pair<std::string, std::string>> Probes(const std::string& content, std::string section,
                                                        std::string key) {
  std::vector<std::pair<std::string, std::string>> probes{{std::move(section), std::move(key)}};
  std::string current;
  std::size_t at = 0;
  while (at < content.size() && probes.size() < 24) {
    std::size_t stop = content.find_first_of("\r\n", at);
    if (stop == std::string::npos) stop = content.size();
    const std::string line = TrimBlanks(content.substr(at, stop - at));
    at = stop + 1;
    if (!line.empty() && line.front() == '[') {
      const std::size_t close = line.find(']');
      current = TrimBlanks(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
    } else if (line.find('=') != std::string::npos) {
      probes.emplace_back(current, TrimBlanks(line.substr(0, line.find('='))));
    }
  }
  return probes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> parts = fuzz::Parts(data, size, 7);
  const std::size_t bufferSize =
      static_cast<std::size_t>(fuzz::NumberAt(fuzz::Numbers(parts[0]), 0, 2048) % 5000);
  const std::string section = SectionName(parts[1]);
  const std::string key = KeyName(parts[2]);
  const std::string value = Value(parts[3]);
  const std::string& content = parts[6];

  const std::vector<std::pair<std::string, std::string>> probes = Probes(content, parts[4], parts[5]);
  std::vector<std::string> before;
  for (const auto& [probeSection, probeKey] : probes) {
    before.push_back(ini::ReadFromText(content, probeSection, probeKey, kAbsent, 5000));
    fuzz::Check(before.back().find_first_of("\r\n") == std::string::npos, "a value is one line");
  }
  fuzz::Check(ini::ReadFromText(content, parts[4], parts[5], kAbsent, bufferSize).size() <
                  std::max<std::size_t>(bufferSize, 1),
              "a read fits its buffer");

  const std::string written = ini::WriteToText(content, section, key, value);
  fuzz::Check(ini::ReadFromText(written, section, key, kAbsent, bufferSize) == ReadBack(value, bufferSize),
              "a written value reads back");
  fuzz::Check(ini::ReadFromText(written, base::UpperCaseAscii(section), base::UpperCaseAscii(key), kAbsent,
                                5000) == ReadBack(value, 5000),
              "section and key match without regard to case");
  fuzz::Check(ini::WriteToText(written, section, key, value) == written,
              "writing the same value again changes nothing");

  for (std::size_t i = 0; i < probes.size(); ++i) {
    const auto& [probeSection, probeKey] = probes[i];
    if (base::SameTextAscii(probeSection, section) && base::SameTextAscii(probeKey, key)) continue;
    fuzz::Check(ini::ReadFromText(written, probeSection, probeKey, kAbsent, 5000) == before[i],
                "a write leaves every other entry as it was");
  }
  return 0;
}
