// The settings file control: the file it resolves to, the sections it resolves, its property rules,
// and reads and writes through the platform.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "base/error.h"
#include "controls/IniCtrl.h"
#include "fakes/headless_app.h"
#include "ui/application.h"
#include "ui/headless/headless_backend.h"

namespace {

class IniCtrlTest : public ::testing::Test, protected fake::HeadlessApp {
 protected:
  TIniCtrl ini{nullptr, "IniCtrl1"};
  void SetUp() override {
    system.modulePath = "C:\\Tools\\Werkzeug.exe";
    system.MakeFolder("C:\\Tools\\");
  }
  void Fixed(const std::string& path) {
    ini.SetTarget(TIniTarget::itIniFile);
    ini.IniPrefix = TIniPathPrefix::ppFixed;
    ini.SetIniFile(path);
  }
};

TEST_F(IniCtrlTest, GivesANameWithoutExtensionTheIniExtension) {
  ini.SetIniFile("C:\\Tools\\Werkzeug");
  EXPECT_EQ(ini.IniFile(), "C:\\Tools\\Werkzeug.INI");
  ini.SetIniFile("C:\\Tools\\Werkzeug.INI");
  EXPECT_EQ(ini.IniFile(), "C:\\Tools\\Werkzeug.INI");
  ini.SetIniFile("C:\\Tools\\werkzeug.cfg");
  EXPECT_EQ(ini.IniFile(), "C:\\Tools\\werkzeug.cfg");
  ini.SetIniFile("C:\\Ordner.neu\\Werkzeug");  // the dot of the folder is no extension
  EXPECT_EQ(ini.IniFile(), "C:\\Ordner.neu\\Werkzeug.INI");
  ini.SetIniFile(".INI");
  EXPECT_EQ(ini.IniFile(), ".INI");
}

TEST_F(IniCtrlTest, ResolvesTheFileByItsPrefix) {
  ini.SetIniFile("D:\\Daten\\Werkzeug.INI");
  ini.IniPrefix = TIniPathPrefix::ppFixed;
  EXPECT_EQ(ini.ResolvePath(), "D:\\Daten\\Werkzeug.INI");
  ini.IniPrefix = TIniPathPrefix::ppWindows;
  EXPECT_EQ(ini.ResolvePath(), "C:\\WINDOWS\\Werkzeug.INI");
  ini.IniPrefix = TIniPathPrefix::ppSystem;
  EXPECT_EQ(ini.ResolvePath(), "C:\\WINDOWS\\system32\\Werkzeug.INI");
  ini.IniPrefix = TIniPathPrefix::ppProgram;
  EXPECT_EQ(ini.ResolvePath(), "C:\\Tools\\Werkzeug.INI");
}

TEST_F(IniCtrlTest, TakesTheProgramsOwnNameWhenNoFileIsSet) {
  ini.IniPrefix = TIniPathPrefix::ppFixed;
  EXPECT_EQ(ini.ResolvePath(), "C:\\Tools\\Werkzeug.INI");
  EXPECT_EQ(ini.IniFile(), "C:\\Tools\\Werkzeug.INI");  // and keeps it
}

TEST_F(IniCtrlTest, ResolvesBlankSectionsToTheLastOneOrCommon) {
  EXPECT_EQ(ini.ResolveSection("  "), "Common");
  EXPECT_EQ(ini.LastSection(), "");
  EXPECT_EQ(ini.ResolveSection("SpeedButton3"), "SpeedButton3");
  EXPECT_EQ(ini.ResolveSection(""), "SpeedButton3");
  ini.Common = false;
  ini.User = "meier";
  EXPECT_EQ(ini.ResolveSection("Fenster"), "Fenster.meier");
  ini.SetNetUser(true);
  EXPECT_EQ(ini.User, "bediener");
  EXPECT_EQ(ini.ResolveSection("Fenster"), "Fenster.bediener");
  system.userName.reset();
  EXPECT_EQ(ini.ResolveSection("Fenster"), "Fenster.(Unbekannt)");
  EXPECT_EQ(ini.LastSection(), "Fenster.(Unbekannt)");
}

TEST_F(IniCtrlTest, KeepsMaxEntriesWithinTheAlphabetWhileCountingInLetters) {
  EXPECT_EQ(ini.MaxEntries(), 16);
  ini.SetMaxEntries(30);
  EXPECT_EQ(ini.MaxEntries(), 30);
  ini.SetAlphaCounter(true);
  EXPECT_EQ(ini.MaxEntries(), 26);
  ini.SetMaxEntries(30);
  EXPECT_EQ(ini.MaxEntries(), 26);
  ini.SetMaxEntries(10);
  EXPECT_EQ(ini.MaxEntries(), 10);
}

TEST_F(IniCtrlTest, DispatchesOnTheEffectiveTarget) {
  EXPECT_EQ(ini.Target(), TIniTarget::itAuto);
  EXPECT_EQ(ini.EffectiveTarget(), TIniTarget::itRegistry);
  ini.SetTarget(TIniTarget::itIniFile);
  EXPECT_EQ(ini.EffectiveTarget(), TIniTarget::itIniFile);
  ini.SetTarget(TIniTarget::itAuto);
  ini.IniPrefix = TIniPathPrefix::ppFixed;
  EXPECT_EQ(ini.ReadValue("A", "B", "vorgabe"), "vorgabe");
  EXPECT_EQ(system.profileReads, 0);
}

TEST_F(IniCtrlTest, ReadsAndWritesThroughTheProfileFunctions) {
  Fixed("C:\\Tools\\Werkzeug.INI");
  EXPECT_EQ(ini.ReadValue("SpeedButton1", "Text", ""), "");
  EXPECT_EQ(system.ReadFile("C:\\Tools\\Werkzeug.INI"), "");  // a read creates no file
  ini.WriteValue("SpeedButton1", "Text", "Editor");
  ini.WriteValue("SpeedButton1", "Hint", "");
  EXPECT_EQ(ini.ReadValue("SpeedButton1", "Text", ""), "Editor");
  EXPECT_EQ(system.ReadFile("C:\\Tools\\Werkzeug.INI"), "[SpeedButton1]\r\nText=Editor\r\nHint=\r\n");
  ini.WriteValue("SpeedButton2", "Pfad", std::string(3000, 'p'));
  EXPECT_EQ(ini.ReadValue("SpeedButton2", "Pfad", ""), std::string(2047, 'p'));
}

TEST_F(IniCtrlTest, RaisesTheWriteErrorWithTheFullPath) {
  Fixed("C:\\Tools\\Werkzeug.INI");
  system.unwritableFiles.insert("C:\\Tools\\Werkzeug.INI");
  try {
    ini.WriteValue("SpeedButton1", "Text", "x");
    FAIL() << "no error";
  } catch (const base::EError& error) {
    EXPECT_STREQ(error.what(), "nach C:\\Tools\\Werkzeug.INI kann nicht geschrieben werden");
  }
  Fixed("C:\\Fehlt\\Werkzeug.INI");  // a folder that does not exist
  EXPECT_THROW(ini.WriteValue("SpeedButton1", "Text", "x"), base::EError);
}

// A file that Notepad saved as UTF-8 reads as UTF-8; any other file, one byte a character of the code
// page (the fake's is Latin-1 with the euro sign at 0x80), even where some of it looks like UTF-8.
TEST_F(IniCtrlTest, ReadsTheFileInItsEncoding) {
  const std::pair<std::string, std::string> rows[] = {
      {"Editor", "Editor"},
      {"Ger\xE4te \x80", "Geräte €"},                                 // the code page
      {"Ger\xC3\xA4te \xE2\x80\x94 \xF0\x9F\x98\x80", "Geräte — 😀"},  // UTF-8
      {"Ger\xC3\xA4te \xE4", "GerÃ¤te ä"},                            // not all of it UTF-8
      {"\xC3\x28", "Ã("},                                             // a lead byte without its follower
      {"\xED\xA0\x80", "í\u00A0€"},                                   // a surrogate
  };
  Fixed("C:\\Tools\\Werkzeug.INI");
  for (const auto& [stored, read] : rows) {
    system.WriteFile("C:\\Tools\\Werkzeug.INI", "[SpeedButton1]\r\nText=" + stored + "\r\n");
    EXPECT_EQ(ini.ReadValue("SpeedButton1", "Text", ""), read) << stored;
  }
}

// The system's reader takes a byte-order mark for part of the first line; the first section is found.
TEST_F(IniCtrlTest, FindsTheFirstSectionBehindAByteOrderMark) {
  Fixed("C:\\Tools\\Werkzeug.INI");
  system.WriteFile("C:\\Tools\\Werkzeug.INI",
                   "\xEF\xBB\xBF[SpeedButton1]\r\nText=Ger\xC3\xA4te\r\n[SpeedButton2]\r\nText=Dienste\r\n");
  EXPECT_EQ(ini.ReadValue("SpeedButton1", "Text", ""), "Geräte");
  EXPECT_EQ(ini.ReadValue("SpeedButton1", "Hint", "vorgabe"), "vorgabe");
  EXPECT_EQ(ini.ReadValue("SpeedButton2", "Text", ""), "Dienste");
}

// A file's bytes in UTF-16, little-endian, with the mark in front.
std::string Utf16(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t unit : text) bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  return bytes;
}

// A file kept in UTF-8 (a byte-order mark, or values that are UTF-8) or in UTF-16 stays so when a value
// is written, in place even in the first section behind a mark; any other file takes the code page, and
// becomes UTF-8 with its mark, every value kept, when the value holds a letter the code page lacks.
TEST_F(IniCtrlTest, WritesInTheEncodingOfTheFile) {
  const std::string kMark = "\xEF\xBB\xBF";
  const struct {
    const char* name;
    std::optional<std::string> before;
    std::string value;
    std::string after;
  } rows[] = {
      {"Missing", std::nullopt, "Größe",
       "[SpeedButton1]\r\nText=Gr\xF6\xDF"
       "e\r\n"},
      {"Ascii", "[A]\r\nk=v\r\n", "Größe",
       "[A]\r\nk=v\r\n[SpeedButton1]\r\nText=Gr\xF6\xDF"
       "e\r\n"},
      {"CodePage", "[A]\r\nk=Ger\xE4t\r\n", "Größe",
       "[A]\r\nk=Ger\xE4t\r\n[SpeedButton1]\r\nText=Gr\xF6\xDF"
       "e\r\n"},
      {"Utf8", "[A]\r\nk=Gerät\r\n", "Größe", "[A]\r\nk=Gerät\r\n[SpeedButton1]\r\nText=Größe\r\n"},
      {"ByteOrderMark", kMark + "[SpeedButton1]\r\nText=alt\r\n", "Größe",
       kMark + "[SpeedButton1]\r\nText=Größe\r\n"},
      {"Utf16", Utf16(u"[SpeedButton1]\r\nText=alt\r\n[A]\r\nk=Ł\r\n"), "Größe",
       Utf16(u"[SpeedButton1]\r\nText=Größe\r\n[A]\r\nk=Ł\r\n")},
      {"MissingTakesALetterItLacks", std::nullopt, "Łódź", kMark + "[SpeedButton1]\r\nText=Łódź\r\n"},
      {"CodePageTakesALetterItLacks", "[A]\r\nk=Ger\xE4t\r\n", "Łódź",
       kMark + "[A]\r\nk=Gerät\r\n[SpeedButton1]\r\nText=Łódź\r\n"},
  };
  Fixed("C:\\Tools\\Werkzeug.INI");
  for (const auto& row : rows) {
    std::filesystem::remove(system.NativePath("C:\\Tools\\Werkzeug.INI"));
    if (row.before) system.WriteFile("C:\\Tools\\Werkzeug.INI", *row.before);
    ini.WriteValue("SpeedButton1", "Text", row.value);
    EXPECT_EQ(system.ReadFile("C:\\Tools\\Werkzeug.INI"), row.after) << row.name;
    EXPECT_EQ(ini.ReadValue("SpeedButton1", "Text", ""), row.value) << row.name;
  }
  system.unwritableFiles.insert("C:\\Tools\\Werkzeug.INI");  // a UTF-8 file that may not be written
  EXPECT_THROW(ini.WriteValue("SpeedButton1", "Text", "x"), base::EError);
}

}  // namespace
