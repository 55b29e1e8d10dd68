#include "controls/ColumnListBox.h"

#include "base/error.h"

namespace {

// Start of field c: just after the c-th delimiter, or npos when the row has fewer.
std::size_t FieldStart(const std::string& row, char delimiter, std::size_t column) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < column; ++i) {
    const std::size_t at = row.find(delimiter, start);
    if (at == std::string::npos) return std::string::npos;
    start = at + 1;
  }
  return start;
}

}  // namespace

const std::string& TColumnListBox::Row(std::size_t row) const {
  if (row >= rows_.size())
    throw base::EError("Der Index der Liste überschreitet das Maximum (" + std::to_string(row) + ")");
  return rows_[row];
}

std::string TColumnListBox::GetItemColumn(std::size_t row, std::size_t column) const {
  const std::string& text = Row(row);
  const std::size_t start = FieldStart(text, delimiter_, column);
  if (start == std::string::npos) return {};
  const std::size_t end = text.find(delimiter_, start);
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

void TColumnListBox::SetItemColumn(std::size_t row, std::size_t column, std::string_view value) {
  if (row >= rows_.size()) return;
  std::string& text = rows_[row];
  std::size_t start = FieldStart(text, delimiter_, column);
  if (start == std::string::npos) {
    std::size_t have = 0;
    for (char c : text) have += c == delimiter_ ? 1 : 0;
    text.append(column - have, delimiter_);
    start = text.size();
  }
  const std::size_t end = text.find(delimiter_, start);
  text.replace(start, (end == std::string::npos ? text.size() : end) - start, value);
}
