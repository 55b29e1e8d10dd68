// The quick-launch table's two column operations on any rows and any sequence of changes: the columns
// of a row put together with the delimiter give the row back; setting a column reads back as the value
// (a value with delimiters as several columns), the columns before it stay, the columns after it move
// along by the delimiters of the value, and every other row stays as it was; a row that does not exist
// is ignored by a change and refused by a read.
//
// Input: delimiter code (digits, 8 when missing), rows separated by line feeds, then up to eight
// changes as pairs of parts "row column" (digits) and value; separated by zero bytes.
#include <algorithm>
#include <string>
#include <vector>

#include "base/error.h"
#include "controls/ColumnListBox.h"
#include "fuzz_input.h"

namespace {

constexpr std::size_t kChanges = 8;
constexpr std::uint64_t kColumns = 40;  // the program uses three; far more would only grow the rows

std::size_t Delimiters(const std::string& text, char delimiter) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), delimiter));
}

std::vector<std::string> Rows(const TColumnListBox& table) {
  std::vector<std::string> rows;
  for (std::size_t i = 0; i < table.Count(); ++i) rows.push_back(table.Row(i));
  return rows;
}

// Reads every column a row has, and one past them, and checks that they put the row together again.
std::vector<std::string> Columns(const TColumnListBox& table, std::size_t row) {
  const char delimiter = table.Delimiter();
  const std::size_t count = Delimiters(table.Row(row), delimiter) + 1;
  std::vector<std::string> columns;
  std::string joined;
  for (std::size_t c = 0; c < count; ++c) {
    columns.push_back(table.GetItemColumn(row, c));
    fuzz::Check(columns.back().find(delimiter) == std::string::npos, "a column holds no delimiter");
    joined += (c == 0 ? "" : std::string(1, delimiter)) + columns.back();
  }
  fuzz::Check(joined == table.Row(row), "the columns put together give the row");
  fuzz::Check(table.GetItemColumn(row, count).empty(), "a column past the last delimiter is empty");
  return columns;
}

std::string ColumnOr(const std::vector<std::string>& columns, std::size_t c) {
  return c < columns.size() ? columns[c] : std::string();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> parts = fuzz::Parts(data, size, 2 + 2 * kChanges);
  const char delimiter = static_cast<char>(fuzz::NumberAt(fuzz::Numbers(parts[0]), 0, 8) % 256);

  TColumnListBox table(nullptr, "ColumnListBox1", delimiter);
  std::size_t start = 0;
  while (start <= parts[1].size() && table.Count() < 64) {
    std::size_t end = parts[1].find('\n', start);
    if (end == std::string::npos) end = parts[1].size();
    table.Add(parts[1].substr(start, end - start));
    start = end + 1;
  }
  for (std::size_t row = 0; row < table.Count(); ++row) Columns(table, row);

  for (std::size_t i = 0; i < kChanges; ++i) {
    const std::vector<std::uint64_t> where = fuzz::Numbers(parts[2 + 2 * i]);
    if (where.empty()) continue;
    const std::size_t row = static_cast<std::size_t>(where[0] % (table.Count() + 2));
    const std::size_t column = static_cast<std::size_t>(fuzz::NumberAt(where, 1, 0) % kColumns);
    const std::string& value = parts[3 + 2 * i];
    const std::vector<std::string> before = Rows(table);

    if (row >= table.Count()) {
      table.SetItemColumn(row, column, value);
      fuzz::Check(Rows(table) == before, "a change to a missing row changes nothing");
      bool refused = false;
      try {
        table.GetItemColumn(row, column);
      } catch (const base::EError&) {
        refused = true;
      }
      fuzz::Check(refused, "a read of a missing row raises the index error");
      continue;
    }

    const std::vector<std::string> old = Columns(table, row);
    table.SetItemColumn(row, column, value);
    const std::vector<std::string> now = Columns(table, row);
    const std::size_t valueDelimiters = Delimiters(value, delimiter);

    fuzz::Check(now.size() == std::max(old.size(), column + 1) + valueDelimiters,
                "a change adds exactly the delimiters that the column and the value need");
    fuzz::Check(now[column] == value.substr(0, value.find(delimiter)), "a set column reads back");
    for (std::size_t c = 0; c < column; ++c)
      fuzz::Check(now[c] == ColumnOr(old, c), "the columns before a set column stay");
    // A value with delimiters becomes several columns; the old ones after it move along by as many.
    std::size_t piece = 0;
    for (std::size_t j = 0; j <= valueDelimiters; ++j) {
      const std::size_t end = std::min(value.find(delimiter, piece), value.size());
      fuzz::Check(now[column + j] == value.substr(piece, end - piece), "each piece of a value is a column");
      piece = end + 1;
    }
    for (std::size_t c = column + 1; c + valueDelimiters < now.size(); ++c)
      fuzz::Check(now[c + valueDelimiters] == ColumnOr(old, c), "the columns after a set column stay");
    for (std::size_t other = 0; other < table.Count(); ++other)
      if (other != row) fuzz::Check(table.Row(other) == before[other], "a change leaves the other rows");
  }
  return 0;
}
