// The one conversion between the program's UTF-8 and the system's UTF-16, and the limit that counts
// UTF-16 units: what a damaged byte becomes, and that no cut splits a character.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "base/short_text.h"
#include "base/utf.h"

namespace {

std::string Times(std::string_view text, std::size_t n) {
  std::string out;
  while (n--) out += text;
  return out;
}

struct Row {
  const char* name;
  std::string utf8 = {};
  std::u16string utf16 = {};
  bool valid = true;                              // valid UTF-8, and so the same after the way back
  std::optional<std::u16string> fromSystem = {};  // UTF-16 that the system may hand over, read as utf8
  std::optional<std::string> cut = {};            // what the 255-character limit keeps, when it cuts
};

// clang-format off
const Row kRows[] = {
    {.name = "Ascii", .utf8 = "setup.exe", .utf16 = u"setup.exe"},
    {.name = "TwoScripts", .utf8 = "D:\\Программы\\東京.msi", .utf16 = u"D:\\Программы\\東京.msi"},
    {.name = "SurrogatePair", .utf8 = "😀", .utf16 = u"\U0001F600"},
    {.name = "ReplacementCharacter", .utf8 = "\xEF\xBF\xBD", .utf16 = u"\uFFFD"},
    {.name = "LoneSurrogateFromTheSystem", .utf8 = "\xEF\xBF\xBDx", .utf16 = u"\uFFFDx", .fromSystem = std::u16string{0xD800, u'x'}},
    {.name = "SwappedPairFromTheSystem", .utf8 = "\xEF\xBF\xBD\xEF\xBF\xBD", .utf16 = u"\uFFFD\uFFFD", .fromSystem = std::u16string{0xDC00, 0xD800}},
    {.name = "CodePageByteFromAFile", .utf8 = "Ger\xE4t", .utf16 = u"Ger\uFFFDt", .valid = false},
    {.name = "CutSequence", .utf8 = "a\xC3", .utf16 = u"a\uFFFD", .valid = false},
    {.name = "Overlong", .utf8 = "\xC0\xAF", .utf16 = u"\uFFFD\uFFFD", .valid = false},
    {.name = "EncodedSurrogate", .utf8 = "\xED\xA0\x80", .utf16 = u"\uFFFD\uFFFD\uFFFD", .valid = false},
    {.name = "BeyondTheLastCharacter", .utf8 = "\xF4\x90\x80\x80", .utf16 = u"\uFFFD\uFFFD\uFFFD\uFFFD", .valid = false},
    {.name = "EmbeddedZero", .utf8 = std::string("a\0b", 3), .utf16 = std::u16string(u"a\0b", 3)},
    {.name = "Cyrillic255", .utf8 = Times("д", 255), .utf16 = std::u16string(255, u'д')},
    {.name = "Cyrillic256", .utf8 = Times("д", 256), .utf16 = std::u16string(256, u'д'), .cut = Times("д", 255)},
    {.name = "PairAcrossTheLimit", .utf8 = Times("😀", 128), .utf16 = [] { std::u16string s; for (int i = 0; i < 128; ++i) s += u"\U0001F600"; return s; }(), .cut = Times("😀", 127)},
};
// clang-format on

class Utf : public ::testing::TestWithParam<Row> {};

TEST_P(Utf, ConvertsAndCountsAsTheSystemDoes) {
  const Row& row = GetParam();
  EXPECT_EQ(base::Utf8ToUtf16(row.utf8), row.utf16);
  EXPECT_EQ(base::Utf16Length(row.utf8), row.utf16.size());
  EXPECT_EQ(base::IsUtf8(row.utf8), row.valid);
  if (row.valid) {
    EXPECT_EQ(base::Utf16ToUtf8(row.utf16), row.utf8);
  }
  if (row.fromSystem) {
    EXPECT_EQ(base::Utf16ToUtf8(*row.fromSystem), row.utf8);
  }
  EXPECT_EQ(base::ShortText(row.utf8).str(), row.cut.value_or(row.utf8));
}

INSTANTIATE_TEST_SUITE_P(Rows, Utf, ::testing::ValuesIn(kRows),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
