// The quick-launch table's rows: columns separated by the character 8.
#include <gtest/gtest.h>

#include "base/error.h"
#include "controls/ColumnListBox.h"

namespace {

const std::string D(1, '\x08');

class ColumnsTest : public ::testing::Test {
 protected:
  TColumnListBox table{nullptr, "ColumnListBox1", '\x08'};
};

TEST_F(ColumnsTest, ReadsColumnsBetweenDelimiters) {
  table.Add("Editor" + D + "notepad.exe" + D);
  table.Add("A");
  table.Add(D + D);
  EXPECT_EQ(table.GetItemColumn(0, 0), "Editor");
  EXPECT_EQ(table.GetItemColumn(0, 1), "notepad.exe");
  EXPECT_EQ(table.GetItemColumn(0, 2), "");
  EXPECT_EQ(table.GetItemColumn(0, 3), "");
  EXPECT_EQ(table.GetItemColumn(1, 0), "A");
  EXPECT_EQ(table.GetItemColumn(1, 1), "");
  EXPECT_EQ(table.GetItemColumn(2, 2), "");
}

TEST_F(ColumnsTest, SetsAColumnAndKeepsEveryOther) {
  table.Add("Editor" + D + "notepad.exe" + D);
  table.SetItemColumn(0, 2, "Start");
  EXPECT_EQ(table.Row(0), "Editor" + D + "notepad.exe" + D + "Start");
  table.SetItemColumn(0, 0, "Notiz");
  EXPECT_EQ(table.Row(0), "Notiz" + D + "notepad.exe" + D + "Start");
  table.SetItemColumn(0, 1, "");
  EXPECT_EQ(table.Row(0), "Notiz" + D + D + "Start");
}

TEST_F(ColumnsTest, AddsMissingDelimitersBeforeTheColumnSet) {
  table.Add("A");
  table.SetItemColumn(0, 2, "x");
  EXPECT_EQ(table.Row(0), "A" + D + D + "x");
}

TEST_F(ColumnsTest, IgnoresASetPastTheLastRowAndRefusesAReadThere) {
  table.Add("A");
  table.SetItemColumn(3, 0, "x");
  EXPECT_EQ(table.Count(), 1u);
  try {
    table.GetItemColumn(1, 0);
    FAIL() << "no error";
  } catch (const base::EError& error) {
    EXPECT_STREQ(error.what(), "Der Index der Liste überschreitet das Maximum (1)");
  }
}

}  // namespace
