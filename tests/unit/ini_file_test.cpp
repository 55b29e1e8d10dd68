// Our own INI reader and writer, against what the profile functions do with the files this program
// meets: well-formed ones, hand-edited ones and garbage.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "controls/ini_file.h"

namespace {

using ini::ReadFromText;
using ini::WriteToText;

TEST(IniText, ReadsValuesBySectionAndKeyWithoutRegardToCase) {
  const std::string file =
      "[SpeedButton1]\r\nText=Editor\r\nPfad = C:\\Windows\\notepad.exe \r\n\r\n[speedbutton2]\nHint=\"mit "
      "Leerzeichen \"\n";
  EXPECT_EQ(ReadFromText(file, "SpeedButton1", "Text", ""), "Editor");
  EXPECT_EQ(ReadFromText(file, "SPEEDBUTTON1", "pfad", ""), "C:\\Windows\\notepad.exe");
  EXPECT_EQ(ReadFromText(file, "SpeedButton2", "Hint", ""), "mit Leerzeichen ");
  EXPECT_EQ(ReadFromText(file, "SpeedButton2", "Text", "vorgabe"), "vorgabe");
  EXPECT_EQ(ReadFromText(file, "SpeedButton3", "Text", ""), "");
}

TEST(IniText, CutsAValueToTheBuffer) {
  const std::string file = "[A]\nK=" + std::string(3000, 'x') + "\n";
  EXPECT_EQ(ReadFromText(file, "A", "K", "").size(), 2047u);
  EXPECT_EQ(ReadFromText(file, "A", "K", "", 10), std::string(9, 'x'));
}

TEST(IniText, ReadsGarbageWithoutLosingTheEntriesAroundIt) {
  std::string file = "\xEF\xBB\xBF[SpeedButton1]\nText=Eins\n";  // a UTF-8 byte-order mark
  file += std::string("\x01\x02\xFF\xFE binary\0bytes\n", 18);
  file += "eine Zeile ohne Gleichheitszeichen\n";
  file += "[kaputt\nText=im kaputten Abschnitt\n";
  file += "[SpeedButton2]\nText=" + std::string(100000, 'L') + "\nText=zweiter\n";
  file += "[SpeedButton1]\nText=doppelt\nPfad=aus dem zweiten\n";
  file += "; Kommentar=kein Wert\n";
  EXPECT_EQ(ReadFromText(file, "SpeedButton1", "Text", ""), "Eins");
  EXPECT_EQ(ReadFromText(file, "SpeedButton1", "Pfad", ""), "");  // only the first section counts
  EXPECT_EQ(ReadFromText(file, "kaputt", "Text", ""), "im kaputten Abschnitt");
  EXPECT_EQ(ReadFromText(file, "SpeedButton2", "Text", ""), std::string(2047, 'L'));
  EXPECT_EQ(ReadFromText(file, "", "; Kommentar", "-"), "-");
}

TEST(IniText, ReplacesAValueInPlaceAndKeepsEverythingElse) {
  const std::string file =
      "; Kopf\r\n[SpeedButton1]\r\nText=Alt\r\nPfad=p\r\n[SpeedButton2]\r\nText=Zwei\r\n";
  EXPECT_EQ(WriteToText(file, "speedbutton1", "TEXT", "Neu"),
            "; Kopf\r\n[SpeedButton1]\r\nTEXT=Neu\r\nPfad=p\r\n[SpeedButton2]\r\nText=Zwei\r\n");
}

TEST(IniText, AppendsAKeyToItsSectionOrANewSectionAtTheEnd) {
  const std::string file = "[SpeedButton1]\r\nText=Eins\r\n\r\n[SpeedButton2]\r\nText=Zwei";
  EXPECT_EQ(WriteToText(file, "SpeedButton1", "Hint", ""),
            "[SpeedButton1]\r\nText=Eins\r\nHint=\r\n\r\n[SpeedButton2]\r\nText=Zwei");
  EXPECT_EQ(WriteToText(file, "SpeedButton2", "Hint", "h"),
            "[SpeedButton1]\r\nText=Eins\r\n\r\n[SpeedButton2]\r\nText=Zwei\r\nHint=h");
  EXPECT_EQ(WriteToText(file, "SpeedButton3", "Pfad", "x"), file + "\r\n[SpeedButton3]\r\nPfad=x\r\n");
  EXPECT_EQ(WriteToText("", "SpeedButton6", "Text", ""), "[SpeedButton6]\r\nText=\r\n");
}

TEST(IniText, WritesIntoTheFirstOfDuplicateSectionsAndKeys) {
  const std::string file = "[A]\nK=1\nK=2\n[A]\nK=3\n";
  const std::string written = WriteToText(file, "A", "K", "neu");
  EXPECT_EQ(written, "[A]\nK=neu\nK=2\n[A]\nK=3\n");
  EXPECT_EQ(ReadFromText(written, "A", "K", ""), "neu");
}

TEST(IniText, AWrittenValueReadsBackWhateverItHolds) {
  for (const std::string& value :
       {std::string(""), std::string("Ä\xFC\xDF \"zitiert\""), std::string(4000, 'v'), std::string("a=b=c"),
        std::string("[kein Abschnitt]")}) {
    const std::string file = WriteToText("[X]\nY=1\n", "SpeedButton4", "Pfad", value);
    EXPECT_EQ(ReadFromText(file, "SpeedButton4", "Pfad", "-", 8192), value);
    EXPECT_EQ(ReadFromText(file, "X", "Y", ""), "1");
  }
  // As with the profile functions, quotes around a whole value are not part of it.
  EXPECT_EQ(ReadFromText(WriteToText("", "A", "B", "\"ganz\""), "A", "B", ""), "ganz");
}

class IniFileTest : public ::testing::Test {
 protected:
  std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("morvela-ini-" + std::to_string(::getpid()));
  std::string path = (folder / "Werkzeug.INI").string();
  void SetUp() override { std::filesystem::create_directories(folder); }
  void TearDown() override { std::filesystem::remove_all(folder); }
  std::string Content() {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
};

TEST_F(IniFileTest, AReadOfAMissingFileGivesTheFallbackAndCreatesNothing) {
  EXPECT_EQ(ini::ReadString(path, "SpeedButton1", "Text", "vorgabe"), "vorgabe");
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(IniFileTest, AWriteCreatesTheFileAndIsOnDiskWhenItReturns) {
  ASSERT_TRUE(ini::WriteString(path, "SpeedButton1", "Text", "Editor"));
  EXPECT_EQ(Content(), "[SpeedButton1]\r\nText=Editor\r\n");
  ASSERT_TRUE(ini::WriteString(path, "SpeedButton1", "Pfad", "notepad"));
  EXPECT_EQ(ini::ReadString(path, "SpeedButton1", "Pfad", ""), "notepad");
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

TEST_F(IniFileTest, AWriteIntoAMissingFolderFailsAndLeavesNothing) {
  const std::string elsewhere = (folder / "fehlt" / "Werkzeug.INI").string();
  EXPECT_FALSE(ini::WriteString(elsewhere, "A", "B", "C"));
  EXPECT_FALSE(std::filesystem::exists(folder / "fehlt"));
}

}  // namespace
