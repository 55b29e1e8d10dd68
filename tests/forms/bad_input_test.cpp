// Every input the program reads, with texts nobody meant it to get: empty, at and beyond the limits
// (255, 256, 300, 2047, 2048, 4096 and 100,000 characters), control characters, quotes and umlauts.
// A zero character appears only where the input can hold one (a settings file's line, a registry
// value): edit boxes and the texts the system reports end at their first zero.
// Each row states what the operator then sees: the text in the box or label, the command line handed
// to the launch, the message shown, the settings file's content. Nothing may crash or hang, and the
// other entries of the settings file must survive every row. The native build runs under the address
// and undefined-behaviour sanitizers, so a read or write out of bounds fails the row as well.
#include <gtest/gtest.h>

#include <climits>
#include <optional>

#include "forms/form_fixture.h"

namespace {

const std::string D(1, '\x08');
// The only launch that fails here is that of an empty path.
const std::string kLaunchFailed =
    "Falsche Zugangsdaten oder Pfad nicht gefunden.\n\nDas System kann die angegebene Datei nicht finden. "
    "(Fehler 2)";
const std::string kSaved = "Eintrag wurde gespeichert.";
const std::string kTooLong =
    "Eintrag zu lang: Text, Pfad und Hint dürfen zusammen höchstens 4093 Zeichen haben.";
const std::string kLineBreak =
    "Eintrag nicht gespeichert: Text, Pfad und Hint dürfen keinen Zeilenumbruch enthalten.";

std::string Fill(std::size_t n, char c = 'a') {
  return std::string(n, c);
}
// The control characters an edit box or a file line can hold: 1 to 31 without backspace (the table's
// column delimiter), line feed and carriage return, which have rows of their own.
std::string Controls() {
  std::string text;
  for (char c = 1; c < 32; ++c)
    if (c != 8 && c != 10 && c != 13) text += c;
  return text;
}
// Every character from 1 to 31.
std::string AllControls() {
  std::string text;
  for (char c = 1; c < 32; ++c) text += c;
  return text;
}
// n letters of two bytes each: the limits count characters, not bytes.
std::string Umlauts(std::size_t n) {
  const char* const letters[] = {"ä", "ö", "ü", "Ä", "Ö", "Ü", "ß"};
  std::string text;
  for (std::size_t i = 0; i < n; ++i) text += letters[i % std::size(letters)];
  return text;
}

// The entries stored before every row; they must come through unchanged.
const std::string kStored =
    "[SpeedButton1]\r\nText=Editor\r\nPfad=C:\\Windows\\notepad.exe\r\nHint=Texteditor\r\n"
    "[SpeedButton3]\r\nText=Konsole\r\nPfad=cmd.exe\r\nHint=Eingabeaufforderung\r\n"
    "[Andere]\r\nSchlüssel=Wert\r\n";

class BadInput : public ProgramTest {
 protected:
  void StartWith(const std::string& extra = "") {
    system.WriteFile(kSettings, kStored + extra);
    Start();
  }
  // What the operator sees of a stored entry after start.
  void ExpectStoredEntriesShown() {
    EXPECT_EQ(Quick(1).Text(), "Editor");
    EXPECT_EQ(Quick(1).Hint(), "Texteditor");
    EXPECT_EQ(Quick(3).Text(), "Konsole");
  }
  // The editor, opened through the gate with the right password; the steps play the operator.
  void Edit(const std::function<void(TFormSpeed&)>& steps) {
    Main().EditPasswort.SetText("Geheim-123");
    screen.onModal = [&](ui::TForm& form) {
      ASSERT_EQ(&form, FormSpeed);
      steps(*FormSpeed);
      FormSpeed->OKBtn.Click();
    };
    Main().Bearbeiten11.Click();
    screen.onModal = nullptr;
  }
  std::vector<std::string> Boxes() const {
    std::vector<std::string> texts;
    for (const ui::MessageBoxRequest& box : screen.messageBoxes) texts.push_back(box.text);
    return texts;
  }
};

using Strings = std::vector<std::string>;

// A failing row is named, not dumped byte by byte.
template <class Row>
requires requires(const Row& row) {
  row.name;
}
void PrintTo(const Row& row, std::ostream* out) {
  *out << row.name;
}

// --- the path box: read by "Ausführen" and by the open button ------------------------------------

struct PathRow {
  std::string name;
  std::string typed;
  std::string commandLine;  // handed to the launch
  bool fails;               // the launch fails and the launch bar's message is shown
  std::string dialogFile;   // what the file dialog opens with
  std::string dialogFolder;
  std::string refused = {};  // the message of a launch refused before the system is asked
};

const PathRow kPathRows[] = {
    {"Empty", "", "", true, "", ""},
    {"Exe255", "C:\\" + Fill(248) + ".exe", "\"C:\\" + Fill(248) + ".exe\"", false,
     "C:\\" + Fill(248) + ".exe", ""},
    // A longer path is never cut: cut, it could name another program.
    {"Exe256", "C:\\" + Fill(249) + ".exe", "", false, "C:\\" + Fill(249) + ".exe", "", kRefusedTooLong},
    {"Exe300", "C:\\" + Fill(293) + ".exe", "", false, "C:\\" + Fill(293) + ".exe", "", kRefusedTooLong},
    {"Exe2047", "C:\\" + Fill(2040) + ".exe", "", false, "C:\\" + Fill(2040) + ".exe", "", kRefusedTooLong},
    {"Exe2048", "C:\\" + Fill(2041) + ".exe", "", false, "C:\\" + Fill(2041) + ".exe", "", kRefusedTooLong},
    {"Exe4096", "C:\\" + Fill(4089) + ".exe", "", false, "C:\\" + Fill(4089) + ".exe", "", kRefusedTooLong},
    {"Exe100000", "C:\\" + Fill(99993) + ".exe", "", false, "C:\\" + Fill(99993) + ".exe", "",
     kRefusedTooLong},
    // A network path: the dialog opens in its folder with no name, since the name part was cut.
    {"Unc300", "\\\\srv\\apps\\" + Fill(289), "", false, "", "\\\\srv\\apps\\", kRefusedTooLong},
    {"Unc100000", "\\\\srv\\apps\\" + Fill(99989), "", false, "", "\\\\srv\\apps\\", kRefusedTooLong},
    // N: is a mapped network drive: its universal name replaces the drive, and the limit holds for it too.
    {"MappedDrive247", "N:\\" + Fill(244), "\\\\srv\\apps\\" + Fill(244), false, "N:\\" + Fill(244), ""},
    {"MappedDrive248", "N:\\" + Fill(245), "", false, "N:\\" + Fill(245), "", kRefusedTooLong},
    {"Backspace", "C:\\Tools\\a\bb.exe", "\"C:\\Tools\\a\bb.exe\"", false, "C:\\Tools\\a\bb.exe", ""},
    {"LineBreakInside", "C:\\Tools\\a\r\nb.exe", "\"C:\\Tools\\a\r\nb.exe\"", false, "C:\\Tools\\a\r\nb.exe",
     ""},
    // The line break belongs to the extension, which then matches no file type.
    {"LineBreakAtEnd", "C:\\Tools\\app.exe\r\n", "C:\\Tools\\app.exe\r\n", false, "C:\\Tools\\app.exe\r\n",
     ""},
    {"ControlCharacters", "C:\\Tools\\" + AllControls() + ".msi",
     "msiexec.exe /i \"C:\\Tools\\" + AllControls() + ".msi\"", false, "C:\\Tools\\" + AllControls() + ".msi",
     ""},
    // A path in quotes is started by what it names; it is no path for the dialog.
    {"QuotedPath", "\"C:\\Program Files\\App\\app.exe\"", "\"C:\\Program Files\\App\\app.exe\"", false, "",
     ""},
    // No file can be named with a quote: the launch fails with the system's reason, nothing is started.
    {"QuoteInside", "C:\\Tools\\a\"b.msc", "", false, "C:\\Tools\\a\"b.msc", "",
     "Falsche Zugangsdaten oder Pfad nicht gefunden.\n\n(Fehler 123)"},
    {"Umlauts", "C:\\Programme\\Ärger\\Größe.exe", "\"C:\\Programme\\Ärger\\Größe.exe\"", false,
     "C:\\Programme\\Ärger\\Größe.exe", ""},
    {"Umlauts300", "C:\\" + Umlauts(293) + ".exe", "", false, "C:\\" + Umlauts(293) + ".exe", "",
     kRefusedTooLong},
};

class PathBox : public BadInput, public ::testing::WithParamInterface<PathRow> {};

TEST_P(PathBox, LaunchesAndOpensTheDialogAsStated) {
  const PathRow& row = GetParam();
  system.driveTypes['C'] = platform::kDriveFixed;
  system.driveTypes['N'] = platform::kDriveRemote;
  system.shares["N:"] = "\\\\srv\\apps";
  StartWith();
  Main().EditPfad.SetText(row.typed);
  Main().EditPasswort.SetText("Geheim-123");
  Main().ButtonEXE.Click();
  if (row.refused.empty()) {
    ASSERT_EQ(system.launches.size(), 1u);
    EXPECT_EQ(system.launches[0].commandLine, row.commandLine);
  }
  EXPECT_EQ(system.launches.empty(), !row.refused.empty());
  EXPECT_EQ(Boxes(), row.fails             ? Strings{kLaunchFailed}
                     : row.refused.empty() ? Strings{}
                                           : Strings{row.refused});

  Main().XPBitBtnOeffnen.Click();  // cancelled
  ASSERT_EQ(system.openFileRequests.size(), 1u);
  EXPECT_EQ(system.openFileRequests[0].fileName, row.dialogFile);
  EXPECT_EQ(system.openFileRequests[0].initialDir, row.dialogFolder);

  EXPECT_EQ(Main().EditPfad.Text(), row.typed);  // the box keeps everything typed
  EXPECT_EQ(Main().LabelInfo.Text(), "");
  ExpectStoredEntriesShown();
  EXPECT_EQ(Settings(), kStored);
}

INSTANTIATE_TEST_SUITE_P(Rows, PathBox, ::testing::ValuesIn(kPathRows), NameOf<PathRow>);

// --- the password box: read by "Ausführen" and by the gate -----------------------------------------

struct PasswordRow {
  std::string name;
  std::string typed;
  std::string received;  // what the system is handed: the first 255 characters
};

const PasswordRow kPasswordRows[] = {
    {"Empty", "", ""},
    {"Len255", Fill(255, 'p'), Fill(255, 'p')},
    {"Len256", Fill(256, 'p'), Fill(255, 'p')},
    {"Len300", Fill(300, 'p'), Fill(255, 'p')},
    {"Len2047", Fill(2047, 'p'), Fill(255, 'p')},
    {"Len2048", Fill(2048, 'p'), Fill(255, 'p')},
    {"Len4096", Fill(4096, 'p'), Fill(255, 'p')},
    {"Len100000", Fill(100000, 'p'), Fill(255, 'p')},
    {"Backspace", "Ge\bheim", "Ge\bheim"},
    {"LineBreaks", "Geheim\r\n", "Geheim\r\n"},
    {"ControlCharacters", AllControls(), AllControls()},
    {"Quotes", "\"Geh'eim\"", "\"Geh'eim\""},
    {"Umlauts", "Größe-Ärger-ß", "Größe-Ärger-ß"},
    {"Umlauts300", Umlauts(300), Umlauts(255)},
};

class PasswordBox : public BadInput, public ::testing::WithParamInterface<PasswordRow> {};

TEST_P(PasswordBox, ReachesTheLaunchAndTheGateCutTo255) {
  const PasswordRow& row = GetParam();
  system.acceptedPassword = row.received;
  StartWith();
  Main().EditPasswort.SetText(row.typed);
  Main().ButtonEXE.Click();  // the path box is empty: only the password matters here
  Main().EditPfad.SetText("C:\\Tools\\app.exe");
  PressEnter(Main().EditPasswort);
  ASSERT_EQ(system.launches.size(), 2u);
  EXPECT_TRUE(system.launches[1].passwordAccepted);
  EXPECT_EQ(Boxes(), Strings{kLaunchFailed});  // only the empty path failed

  screen.onModal = [](ui::TForm& form) { static_cast<TFormSpeed&>(form).OKBtn.Click(); };
  Main().Bearbeiten11.Click();
  ASSERT_EQ(system.logons.size(), 3u);  // before each launch, and the gate's
  for (const fake::LogonRecord& logon : system.logons) EXPECT_TRUE(logon.passwordAccepted);
  EXPECT_EQ(screen.modalForms, Strings{"FormSpeed"});  // the editor opened

  EXPECT_EQ(Main().EditPasswort.Text(), row.typed);
  EXPECT_EQ(Settings(), kStored);
}

INSTANTIATE_TEST_SUITE_P(Rows, PasswordBox, ::testing::ValuesIn(kPasswordRows), NameOf<PasswordRow>);

// --- the editor's three boxes, saved as entry 2 -----------------------------------------------------

enum class Box { kText, kPfad, kHint };
const std::pair<Box, const char*> kKeys[] = {
    {Box::kText, "Text"}, {Box::kPfad, "Pfad"}, {Box::kHint, "Hint"}};

struct EditorRow {
  std::string name;
  Box box;
  std::string typed;
  std::optional<std::string> stored;  // the value written to the file; none when the save is refused
  std::string column;                 // the table's column, and so the caption or tooltip
  std::string reloaded;               // what the editor shows when the entry is chosen again (from the file)
  std::string message;
};

std::vector<EditorRow> EditorRows() {
  std::vector<EditorRow> rows;
  for (const auto& [box, key] : kKeys) {
    const std::string k = key;
    auto add = [&](const std::string& name, const std::string& typed, std::optional<std::string> stored,
                   const std::string& column, const std::string& reloaded, const std::string& message) {
      rows.push_back({k + name, box, typed, std::move(stored), column, reloaded, message});
    };
    add("Empty", "", "", "", "", kSaved);
    // Saved whole: the value is cut to 255 only when it is loaded at the next start.
    for (std::size_t n : {255, 256, 300, 2047})
      add(std::to_string(n), Fill(n), Fill(n), Fill(n), Fill(n), kSaved);
    // The settings read delivers at most 2047 characters.
    add("2048", Fill(2048), Fill(2048), Fill(2048), Fill(2047), kSaved);
    // A row of the table must stay below 4096 characters: refused before anything is written.
    add("4096", Fill(4096), std::nullopt, "", "", kTooLong);
    add("100000", Fill(100000), std::nullopt, "", "", kTooLong);
    // The delimiter never reaches the table, so the columns stay where they are; the file keeps it.
    add("Backspace", "A\bB", "A\bB", "AB", "A\bB", kSaved);
    // A line break would end the value's line in the file and make the rest a line of its own, which
    // could even open a section of another entry: refused, nothing is written.
    add("LineBreak", "A\r\n[SpeedButton1]\r\nPfad=x.exe", std::nullopt, "", "", kLineBreak);
    add("CarriageReturn", "A\rB", std::nullopt, "", "", kLineBreak);
    add("LineFeed", "A\nB", std::nullopt, "", "", kLineBreak);
    const std::string controls = "x" + Controls() + "y";
    add("ControlCharacters", controls, controls, controls, controls, kSaved);
    // What looks like a section or another key stays inside this value.
    add("LooksLikeASection", "[SpeedButton1]", "[SpeedButton1]", "[SpeedButton1]", "[SpeedButton1]", kSaved);
    add("LooksLikeAKey", "Pfad=C:\\x.exe", "Pfad=C:\\x.exe", "Pfad=C:\\x.exe", "Pfad=C:\\x.exe", kSaved);
    // The settings read drops the quotes around a whole value, as the system's does: one more pair in
    // the file, and the value reads back as typed.
    add("Quoted", "\"Editor\"", "\"\"Editor\"\"", "\"Editor\"", "\"Editor\"", kSaved);
    add("SingleQuoted", "'Editor'", "\"'Editor'\"", "'Editor'", "'Editor'", kSaved);
    add("QuoteInside", "Ed\"it", "Ed\"it", "Ed\"it", "Ed\"it", kSaved);
    add("Umlauts", "Größe Ärger", "Größe Ärger", "Größe Ärger", "Größe Ärger", kSaved);
  }
  return rows;
}

class EditorBoxes : public BadInput, public ::testing::WithParamInterface<EditorRow> {
 protected:
  ui::TEdit& BoxOf(TFormSpeed& editor) const {
    switch (GetParam().box) {
      case Box::kText:
        return editor.EditText;
      case Box::kPfad:
        return editor.EditPfad;
      case Box::kHint:
        break;
    }
    return editor.EditHint;
  }
};

TEST_P(EditorBoxes, SaveAsStated) {
  const EditorRow& row = GetParam();
  StartWith();
  std::string shownAfterSave;
  std::string reloaded;
  Edit([&](TFormSpeed& editor) {
    ClickOn(editor.XPSpeedButton12);
    BoxOf(editor).SetText(row.typed);
    editor.XPBitBtn1.Click();
    shownAfterSave = BoxOf(editor).Text();
    ClickOn(editor.XPSpeedButton12);  // chosen again: read from the file
    reloaded = BoxOf(editor).Text();
  });
  EXPECT_EQ(Boxes(), Strings{row.message});
  EXPECT_EQ(shownAfterSave, row.typed);

  if (row.stored) {
    const std::string text = row.box == Box::kText ? *row.stored : "";
    const std::string path = row.box == Box::kPfad ? *row.stored : "";
    const std::string hint = row.box == Box::kHint ? *row.stored : "";
    EXPECT_EQ(Settings(),
              kStored + "[SpeedButton2]\r\nText=" + text + "\r\nPfad=" + path + "\r\nHint=" + hint + "\r\n");
  } else {
    EXPECT_EQ(Settings(), kStored);  // nothing written, not even the other two values
  }
  EXPECT_EQ(reloaded, row.reloaded);
  const std::size_t column = static_cast<std::size_t>(row.box);
  EXPECT_EQ(Main().ColumnListBox1.GetItemColumn(1, column), row.column);
  EXPECT_EQ(Main().ColumnListBox1.Row(1).size(), 2 + row.column.size());  // still three columns
  // The main window's button shows the table's column: its caption, or its tooltip.
  EXPECT_EQ(Quick(2).Text(), row.box == Box::kText ? row.column : "");
  EXPECT_EQ(Quick(2).Hint(), row.box == Box::kHint ? row.column : "");
  ExpectStoredEntriesShown();
}

INSTANTIATE_TEST_SUITE_P(Rows, EditorBoxes, ::testing::ValuesIn(EditorRows()), NameOf<EditorRow>);

// Why the line break is refused: saved into entry 1, which stands before entry 3 in the file, it
// would open a second section "SpeedButton3" ahead of the real one, and at the next start button 3
// would start what the line break put there.
TEST_F(BadInput, ALineBreakInOneEntryCannotRewriteAnother) {
  StartWith();
  Edit([&](TFormSpeed& editor) {
    ClickOn(editor.XPSpeedButton11);
    editor.EditText.SetText("Editor\r\n[SpeedButton3]\r\nPfad=C:\\fremd.exe");
    editor.XPBitBtn1.Click();
  });
  EXPECT_EQ(Boxes(), Strings{kLineBreak});
  EXPECT_EQ(Settings(), kStored);
  screen.messageBoxes.clear();
  app.reset();
  Start();  // the next start
  Main().EditPasswort.SetText("Geheim-123");
  ClickOn(Quick(3));
  ASSERT_EQ(system.launches.size(), 1u);
  EXPECT_EQ(system.launches[0].commandLine, "\"cmd.exe\"");
}

// --- the settings file's values, loaded at start and by the editor ----------------------------------

struct SettingsRow {
  std::string name;
  Box key;
  std::string raw;       // the bytes after "Key=" on the line in the file
  std::string atStart;   // caption, tooltip or the path the button starts, after start
  std::string inEditor;  // what the editor shows for the entry
  std::string refused;   // a path: the message of its launch, refused before the system is asked
};

std::vector<SettingsRow> SettingsRows() {
  std::vector<SettingsRow> rows;
  for (const auto& [box, key] : kKeys) {
    const std::string k = key;
    // A caption or tooltip is cut to 255 characters at start, a path never: its launch is refused.
    const bool path = box == Box::kPfad;
    auto add = [&](const std::string& name, const std::string& raw, const std::string& atStart,
                   const std::string& inEditor, const std::string& refused = {}) {
      rows.push_back(
          {k + name, box, raw, path && !refused.empty() ? "" : atStart, inEditor, path ? refused : ""});
    };
    add("Empty", "", "", "");
    add("255", Fill(255), Fill(255), Fill(255));
    for (std::size_t n : {256, 300, 2047})
      add(std::to_string(n), Fill(n), Fill(255), Fill(n), kRefusedTooLong);
    for (std::size_t n : {2048, 4096, 100000})
      add(std::to_string(n), Fill(n), Fill(255), Fill(2047), kRefusedTooLong);
    // The tooltip is set from the value read, not from the table, so it keeps the delimiter.
    add("Backspace", "A\bB", box == Box::kHint ? "A\bB" : "AB", "A\bB");
    // A carriage return or line feed ends the line: the rest is a line without a key, ignored.
    add("CarriageReturn", "A\rB", "A", "A");
    add("LineFeed", "A\nB", "A", "A");
    add("Nul", std::string("A\0B", 3), "A", "A");
    add("ControlCharacters", "x" + Controls() + "y", "x" + Controls() + "y", "x" + Controls() + "y");
    add("Quoted", "\"Editor\"", "Editor", "Editor");
    add("SingleQuoted", "'Editor'", "Editor", "Editor");
    // A quote that is not closed runs to the end, as the system reads it; the launch closes it.
    add("OpenQuote", "\"Editor", path ? "\"Editor\"" : "\"Editor", "\"Editor");
    add("Umlauts", "Größe Ärger", "Größe Ärger", "Größe Ärger");
    add("Umlauts300", Umlauts(300), Umlauts(255), Umlauts(300), kRefusedTooLong);
  }
  return rows;
}

class SettingsValues : public BadInput, public ::testing::WithParamInterface<SettingsRow> {};

TEST_P(SettingsValues, AreShownAndStartedAsStated) {
  const SettingsRow& row = GetParam();
  const char* key = row.key == Box::kText ? "Text" : row.key == Box::kPfad ? "Pfad" : "Hint";
  const std::string entry = "[SpeedButton2]\r\n" + std::string(key) + "=" + row.raw + "\r\n";
  StartWith(entry);

  switch (row.key) {
    case Box::kText:
      EXPECT_EQ(Quick(2).Text(), row.atStart);
      break;
    case Box::kHint:
      EXPECT_EQ(Quick(2).Hint(), row.atStart);
      EXPECT_EQ(Quick(2).ShowHint(), !row.atStart.empty());
      break;
    case Box::kPfad: {
      // A path without a file type is handed to the launch as it stands.
      Main().EditPasswort.SetText("Geheim-123");
      ClickOn(Quick(2));
      if (!row.refused.empty()) {
        EXPECT_TRUE(system.launches.empty());
        EXPECT_EQ(Boxes(), Strings{row.refused});
        screen.messageBoxes.clear();
        break;
      }
      ASSERT_FALSE(system.launches.empty());
      EXPECT_EQ(system.launches[0].commandLine, row.atStart);
      // An empty path fails and asks for the password again; the dialog is closed, which ends it quietly.
      EXPECT_EQ(screen.modalForms, row.atStart.empty() ? Strings{"FormPass"} : Strings{});
      EXPECT_EQ(Boxes(), Strings{});
      break;
    }
  }
  std::string inEditor;
  Edit([&](TFormSpeed& editor) {
    ClickOn(editor.XPSpeedButton12);
    inEditor = row.key == Box::kText   ? editor.EditText.Text()
               : row.key == Box::kPfad ? editor.EditPfad.Text()
                                       : editor.EditHint.Text();
  });
  EXPECT_EQ(inEditor, row.inEditor);
  ExpectStoredEntriesShown();
  EXPECT_EQ(Settings(), kStored + entry);  // reading never writes
}

INSTANTIATE_TEST_SUITE_P(Rows, SettingsValues, ::testing::ValuesIn(SettingsRows()), NameOf<SettingsRow>);

// --- the stored window position ----------------------------------------------------------------------

constexpr char kPositionKey[] = "\\SOFTWARE\\Belvark\\vesk-tor\\Position";

struct RegistryRow {
  std::string name;
  std::string value;  // Form1.Left, Form1.Top or Form1.State
  std::uint32_t type;
  std::vector<std::uint8_t> data;
  std::string message;  // empty: none; else the box shown at start
  int left;
  int top;
  ui::WindowState state;
};

std::vector<std::uint8_t> StringData(const std::string& text) {
  std::vector<std::uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  return data;
}
using fake::Dword;

std::vector<RegistryRow> RegistryRows() {
  std::vector<RegistryRow> rows;
  const auto kNormal = ui::WindowState::kNormal;
  for (const char* value : {"Form1.Left", "Form1.Top", "Form1.State"}) {
    const std::string v = value;
    const std::string shortName = v.substr(6);
    const std::string noData = "Konnte Daten für '" + v + "' nicht holen";
    const std::string wrongType = "Ungültiger Datentyp für '" + v + "'";
    auto text = [&](const std::string& name, const std::string& stored, const std::string& message) {
      rows.push_back({shortName + name, v, platform::kRegSz, StringData(stored), message, 329, 208, kNormal});
    };
    // Read with a 4-byte buffer: a text that fits has the wrong type, a longer one does not fit.
    text("Empty", "", wrongType);
    for (std::size_t n : {255, 256, 300, 2047, 2048, 4096, 100000})
      text(std::to_string(n), Fill(n, '1'), noData);
    text("Backspace", "\b", wrongType);
    text("LineBreak", "\r\n", wrongType);
    text("ControlCharacters", AllControls(), noData);
    text("Quote", "\"", wrongType);
    text("Quotes", "\"329\"", noData);
    text("Umlaut", "Ä", wrongType);
    text("Umlauts", "Größe", noData);
    rows.push_back({shortName + "Nul", v, platform::kRegSz, {'A', 0, 'B', 0}, wrongType, 329, 208, kNormal});
    rows.push_back({shortName + "Binary", v, 3, Dword(100), wrongType, 329, 208, kNormal});
    rows.push_back({shortName + "EightBytes", v, platform::kRegDword, std::vector<std::uint8_t>(8, 1), noData,
                    329, 208, kNormal});
  }
  // Integers are applied as they are, without a check against the screen.
  rows.push_back(
      {"LeftMinimum", "Form1.Left", platform::kRegDword, Dword(INT_MIN), "", INT_MIN, 208, kNormal});
  rows.push_back(
      {"LeftMaximum", "Form1.Left", platform::kRegDword, Dword(INT_MAX), "", INT_MAX, 208, kNormal});
  rows.push_back({"TopNoData", "Form1.Top", platform::kRegDword, {}, "", 329, 0, kNormal});
  rows.push_back({"TopTwoBytes", "Form1.Top", platform::kRegDword, {0x10, 0x01}, "", 329, 0x110, kNormal});
  rows.push_back({"StateMaximised", "Form1.State", platform::kRegDword, Dword(2), "", 329, 208,
                  ui::WindowState::kMaximized});
  rows.push_back({"StateSeven", "Form1.State", platform::kRegDword, Dword(7), "", 329, 208, kNormal});
  rows.push_back({"StateNegative", "Form1.State", platform::kRegDword, Dword(-1), "", 329, 208, kNormal});
  return rows;
}

class RegistryValues : public BadInput, public ::testing::WithParamInterface<RegistryRow> {};

TEST_P(RegistryValues, PlaceTheWindowOrAreToldAsStated) {
  const RegistryRow& row = GetParam();
  system.registry[kPositionKey][row.value] = {row.type, row.data};
  StartWith();
  EXPECT_EQ(Main().Left(), row.left);
  EXPECT_EQ(Main().Top(), row.top);
  EXPECT_EQ(Main().GetWindowState(), row.state);
  // A value that cannot be read is told, and the rest of the start-up runs all the same.
  EXPECT_EQ(Boxes(), row.message.empty() ? Strings{} : Strings{row.message});
  EXPECT_EQ(screen.messageBoxes.empty() ? "Morvela" : LastBox().caption, "Morvela");
  EXPECT_EQ(Main().LabelDom.Text(), "WERKSTATT");
  ExpectStoredEntriesShown();
  EXPECT_EQ(system.openKeys, 0);

  // Closing stores a proper position over the broken value.
  EXPECT_TRUE(Main().CloseQuery());
  const auto& stored = system.registry[kPositionKey];
  if (row.state == ui::WindowState::kNormal) {
    EXPECT_EQ(stored.at("Form1.Left").data, Dword(row.left));
    EXPECT_EQ(stored.at("Form1.Top").data, Dword(row.top));
  }
  EXPECT_EQ(stored.at("Form1.State").data, Dword(static_cast<std::int32_t>(row.state)));
  EXPECT_EQ(Settings(), kStored);
}

INSTANTIATE_TEST_SUITE_P(Rows, RegistryValues, ::testing::ValuesIn(RegistryRows()), NameOf<RegistryRow>);

// --- printer names, in the chooser and the two commands ---------------------------------------------

struct PrinterRow {
  std::string name;
  std::string printer;
  std::string deleteCommand;      // cut to 255: a long name loses the closing quote
  std::string propertiesCommand;  // the same, with "\\PC01\" before the name
};

const std::string kDelete = "rundll32 printui.dll,PrintUIEntry /dl /n \"";
const std::string kProperties = "rundll32 printui.dll,PrintUIEntry /p /n\"\\\\PC01\\";

const PrinterRow kPrinterRows[] = {
    {"Empty", "", kDelete + "\"", kProperties + "\""},
    // The delete command has 42 characters before the name, the properties command 47: with 212 and
    // 207 characters of name the closing quote is the 255th character, with one more it is lost.
    {"Len207", Fill(207), kDelete + Fill(207) + "\"", kProperties + Fill(207) + "\""},
    {"Len208", Fill(208), kDelete + Fill(208) + "\"", kProperties + Fill(208)},
    {"Len212", Fill(212), kDelete + Fill(212) + "\"", kProperties + Fill(208)},
    {"Len213", Fill(213), kDelete + Fill(213), kProperties + Fill(208)},
    {"Len255", Fill(255), kDelete + Fill(213), kProperties + Fill(208)},
    {"Len256", Fill(256), kDelete + Fill(213), kProperties + Fill(208)},
    {"Len300", Fill(300), kDelete + Fill(213), kProperties + Fill(208)},
    {"Len2047", Fill(2047), kDelete + Fill(213), kProperties + Fill(208)},
    {"Len2048", Fill(2048), kDelete + Fill(213), kProperties + Fill(208)},
    {"Len4096", Fill(4096), kDelete + Fill(213), kProperties + Fill(208)},
    {"Len100000", Fill(100000), kDelete + Fill(213), kProperties + Fill(208)},
    {"Backspace", "La\bser", kDelete + "La\bser\"", kProperties + "La\bser\""},
    {"LineBreak", "Laser\r\n1", kDelete + "Laser\r\n1\"", kProperties + "Laser\r\n1\""},
    {"ControlCharacters", AllControls(), kDelete + AllControls() + "\"", kProperties + AllControls() + "\""},
    {"Quotes", "Laser \"1\"", kDelete + "Laser \"1\"\"", kProperties + "Laser \"1\"\""},
    {"Umlauts", "Drucker Büro Größe", kDelete + "Drucker Büro Größe\"", kProperties + "Drucker Büro Größe\""},
    {"Connection", "\\\\srv\\Laser", kDelete + "\\\\srv\\Laser\"", kProperties + "\\\\srv\\Laser\""},
};

class PrinterNames : public BadInput, public ::testing::WithParamInterface<PrinterRow> {
 protected:
  void ChooseTheOnlyPrinter() {
    screen.onModal = [](ui::TForm& form) {
      ASSERT_EQ(&form, FormDruckerList);
      FormDruckerList->ListBox1.SetItemIndex(0);
      FormDruckerList->ButtonAuswaehlen.Click();
    };
  }
};

TEST_P(PrinterNames, AreListedAndPutIntoTheCommandsAsStated) {
  const PrinterRow& row = GetParam();
  system.printers = {row.printer};
  StartWith();
  ChooseTheOnlyPrinter();
  Main().Druckerentfernen1.Click();
  EXPECT_EQ(FormDruckerList->ListBox1.Items(), Strings{row.printer});
  EXPECT_EQ(Main().EditPfad.Text(), row.deleteCommand);
  EXPECT_EQ(Main().LabelInfo.Text(), "Drucker löschen");
  EXPECT_EQ(FormDruckerList->SelectedPrinter, row.printer.substr(0, 255));

  ChooseTheOnlyPrinter();
  Main().DruckerEigeschaften1.Click();
  EXPECT_EQ(Main().EditPfad.Text(), row.propertiesCommand);
  EXPECT_EQ(Main().LabelInfo.Text(), "Druckereigeschaften");
  EXPECT_EQ(Boxes(), Strings{});
  EXPECT_EQ(Settings(), kStored);
}

INSTANTIATE_TEST_SUITE_P(Rows, PrinterNames, ::testing::ValuesIn(kPrinterRows), NameOf<PrinterRow>);

// --- the computer name, in the status bar and the printer installation ------------------------------

struct ComputerRow {
  std::string name;
  std::string computer;
  std::string installCommand;  // cut to 255
};

const std::string kInstall = "rundll32 printui.dll,PrintUIEntry /il /c\\\\";

const ComputerRow kComputerRows[] = {
    {"Empty", "", kInstall},
    // 42 characters of command leave 213 for the name.
    {"Len213", Fill(213, 'c'), kInstall + Fill(213, 'c')},
    {"Len255", Fill(255, 'c'), kInstall + Fill(213, 'c')},
    {"Len256", Fill(256, 'c'), kInstall + Fill(213, 'c')},
    {"Len300", Fill(300, 'c'), kInstall + Fill(213, 'c')},
    {"Len2047", Fill(2047, 'c'), kInstall + Fill(213, 'c')},
    {"Len2048", Fill(2048, 'c'), kInstall + Fill(213, 'c')},
    {"Len4096", Fill(4096, 'c'), kInstall + Fill(213, 'c')},
    {"Len100000", Fill(100000, 'c'), kInstall + Fill(213, 'c')},
    {"Backspace", "PC\b01", kInstall + "PC\b01"},
    {"LineBreak", "PC\r\n01", kInstall + "PC\r\n01"},
    {"ControlCharacters", AllControls(), kInstall + AllControls()},
    {"Quotes", "\"PC01\"", kInstall + "\"PC01\""},
    {"Umlauts", "RECHNER-BÜRO-ÄÖÜ", kInstall + "RECHNER-BÜRO-ÄÖÜ"},
};

class ComputerName : public BadInput, public ::testing::WithParamInterface<ComputerRow> {};

TEST_P(ComputerName, IsShownWholeAndCutInTheCommand) {
  const ComputerRow& row = GetParam();
  system.computerName = row.computer;
  StartWith();
  EXPECT_EQ(Main().PanelStatusBar1.Panel(1).text, "Computername:  " + row.computer);
  Main().XPBitBtnDruckerInstallieren.Click();
  EXPECT_EQ(Main().EditPfad.Text(), row.installCommand);
  EXPECT_EQ(Boxes(), Strings{});
  ExpectStoredEntriesShown();
}

INSTANTIATE_TEST_SUITE_P(Rows, ComputerName, ::testing::ValuesIn(kComputerRows), NameOf<ComputerRow>);

// --- the domain name: shown, handed to every launch, checked by the gate, and the information link ---

struct DomainRow {
  std::string name;
  std::string domain;
  bool linkShown;  // hidden only in the maker's domain, whatever the case of its letters
};

const DomainRow kDomainRows[] = {
    {"Empty", "", true},
    {"Len255", Fill(255, 'd'), true},
    {"Len256", Fill(256, 'd'), true},
    {"Len300", Fill(300, 'd'), true},
    {"Len2047", Fill(2047, 'd'), true},
    {"Len2048", Fill(2048, 'd'), true},
    {"Len4096", Fill(4096, 'd'), true},
    {"Len100000", Fill(100000, 'd'), true},
    {"Backspace", "WERK\bSTATT", true},
    {"LineBreak", "WERK\r\nSTATT", true},
    // Without the first, which stands for a character that the code page lacks.
    {"ControlCharacters", AllControls().substr(1), true},
    {"Quotes", "\"WERKSTATT\"", true},
    {"Umlauts", "WÖRKSTÄTT", true},
    {"MakerLowerCase", "morvela", false},
    {"MakerMixedCase", "MorVela", false},
    {"MakerWithUmlaut", "MÖRVELA", true},
    {"MakerWithBlank", "MORVELA ", true},
};

class DomainName : public BadInput, public ::testing::WithParamInterface<DomainRow> {};

TEST_P(DomainName, IsShownPassedAndCheckedAsStated) {
  const DomainRow& row = GetParam();
  system.accountDomain = row.domain;
  StartWith();
  EXPECT_EQ(Main().LabelDom.Text(), row.domain);
  EXPECT_EQ(Main().UserDomain, row.domain);

  Main().EditPasswort.SetText("Geheim-123");
  Main().EditPfad.SetText("notepad");
  Main().ButtonEXE.Click();
  ASSERT_EQ(system.launches.size(), 1u);
  EXPECT_EQ(system.launches[0].domain, row.domain);  // the launch takes the domain as it is

  screen.onModal = [](ui::TForm& form) { static_cast<TFormSpeed&>(form).OKBtn.Click(); };
  Main().Bearbeiten11.Click();
  ASSERT_EQ(system.logons.size(), 2u);
  EXPECT_EQ(system.logons[0].domain, row.domain);                 // the launch's logon, as the launch
  EXPECT_EQ(system.logons[1].domain, row.domain.substr(0, 255));  // the gate cuts it

  std::string inDialog = "(not shown)";
  screen.onModal = [&](ui::TForm& form) {
    if (&form == FormPass) inDialog = FormPass->LabelDomaene.Text();
  };
  ClickOn(Quick(6));  // an empty entry fails and shows the password dialog, cancelled here
  EXPECT_EQ(inDialog, row.domain);

  screen.onModal = nullptr;
  ClickOn(Main().XPSpeedButton7);
  EXPECT_EQ(FormInfo->Label3.Visible(), row.linkShown);
  EXPECT_EQ(Boxes(), Strings{});
  EXPECT_EQ(Settings(), kStored);
}

INSTANTIATE_TEST_SUITE_P(Rows, DomainName, ::testing::ValuesIn(kDomainRows), NameOf<DomainRow>);

// --- the version record's service-pack text -----------------------------------------------------------

struct ServicePackRow {
  std::string name;
  std::string servicePack;
  std::string label;  // at most 128 characters of it, the ends trimmed of characters up to the blank
};

const ServicePackRow kServicePackRows[] = {
    {"Empty", "", "Windows 7 (32Bit)"},
    {"Len128", Fill(128, 's'), "Windows 7 " + Fill(128, 's') + " (32Bit)"},
    {"Len255", Fill(255, 's'), "Windows 7 " + Fill(128, 's') + " (32Bit)"},
    {"Len256", Fill(256, 's'), "Windows 7 " + Fill(128, 's') + " (32Bit)"},
    {"Len300", Fill(300, 's'), "Windows 7 " + Fill(128, 's') + " (32Bit)"},
    {"Len2047", Fill(2047, 's'), "Windows 7 " + Fill(128, 's') + " (32Bit)"},
    {"Len2048", Fill(2048, 's'), "Windows 7 " + Fill(128, 's') + " (32Bit)"},
    {"Len4096", Fill(4096, 's'), "Windows 7 " + Fill(128, 's') + " (32Bit)"},
    {"Len100000", Fill(100000, 's'), "Windows 7 " + Fill(128, 's') + " (32Bit)"},
    // The 128th character is the last one read: behind 127 blanks it still shows, behind 128 it does not.
    {"BlanksThenText127", Fill(127, ' ') + "X", "Windows 7" + Fill(128, ' ') + "X (32Bit)"},
    {"BlanksThenText128", Fill(128, ' ') + "X", "Windows 7 (32Bit)"},
    {"Backspace", "Service\bPack 1", "Windows 7 Service\bPack 1 (32Bit)"},
    // Only the ends of the whole label text are trimmed: a line break before the service pack stays.
    {"LineBreaksAround", "\r\nService Pack 1\r\n", "Windows 7 \r\nService Pack 1 (32Bit)"},
    {"LineBreakInside", "Service\r\nPack 1", "Windows 7 Service\r\nPack 1 (32Bit)"},
    {"OnlyControlCharacters", AllControls(), "Windows 7 (32Bit)"},
    {"Quotes", "\"SP1\"", "Windows 7 \"SP1\" (32Bit)"},
    {"Umlauts", "Überarbeitung Größe", "Windows 7 Überarbeitung Größe (32Bit)"},
};

class ServicePack : public BadInput, public ::testing::WithParamInterface<ServicePackRow> {};

TEST_P(ServicePack, IsShownAsStated) {
  const ServicePackRow& row = GetParam();
  system.version.servicePack = row.servicePack;
  StartWith();
  EXPECT_EQ(Main().LabelGetWin.Text(), row.label);
  EXPECT_EQ(Boxes(), Strings{});
  ExpectStoredEntriesShown();
}

INSTANTIATE_TEST_SUITE_P(Rows, ServicePack, ::testing::ValuesIn(kServicePackRows), NameOf<ServicePackRow>);

}  // namespace
