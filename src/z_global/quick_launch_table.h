#pragma once
// The quick-launch entries: how many there are, their sections in the settings file and their rows in
// the table that the main window and the editor share.
#include <string>
#include <string_view>

// The number of entries, given here and nowhere else.
inline constexpr int kQuickEntries = 6;

// An entry: its index (0 for the first) and its three values.
struct QuickEntry {
  int index = 0;
  std::string text, path, hint;
};

inline constexpr char kColumnDelimiter = '\x08';

// The entry's section: "SpeedButton1" for index 0.
std::string QuickSection(int index);

// A value as it enters the table: without the delimiter character, so that caption, path and tooltip
// always stay in their own columns whatever was typed or stored.
std::string TableValue(std::string_view value);

// Why an entry's three values cannot be stored, the editor's check and the helper's alike.
enum class EntryFault {
  kNone,
  kTooLong,    // the row the table hands back is below 4096 characters
  kLineBreak,  // a line break would end the value there and make the rest lines of their own,
               // even the header of another entry's section
};
EntryFault FaultOf(std::string_view text, std::string_view path, std::string_view hint);
