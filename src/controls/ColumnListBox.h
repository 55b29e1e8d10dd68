#pragma once
// A list of text rows whose columns are separated by a delimiter character. The main window keeps its
// quick-launch table in one; it is never shown, only its rows and their columns are used.
#include <string>
#include <string_view>
#include <vector>

#include "ui/component.h"

class TColumnListBox : public ui::TComponent {
 public:
  TColumnListBox(ui::TComponent* owner, std::string_view name, char delimiter)
      : TComponent(owner, name), delimiter_(delimiter) {}

  char Delimiter() const { return delimiter_; }
  std::size_t Count() const { return rows_.size(); }
  const std::string& Row(std::size_t row) const;  // raises the list's index error past the end
  void Add(std::string row) { rows_.push_back(std::move(row)); }

  // Column 0 is the text before the first delimiter; column c the text after the c-th delimiter up
  // to the next one. A row with fewer delimiters reads as empty there.
  std::string GetItemColumn(std::size_t row, std::size_t column) const;
  // Replaces one column, adding delimiters when the row has too few; a row past the end is ignored.
  void SetItemColumn(std::size_t row, std::size_t column, std::string_view value);

 private:
  char delimiter_;
  std::vector<std::string> rows_;
};
