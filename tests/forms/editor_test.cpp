// The quick-launch editor: choosing an entry, loading it from the file, saving it to the file, the
// table and both windows' buttons, and what it refuses.
#include <gtest/gtest.h>

#include <functional>

#include "forms/form_fixture.h"

namespace {

const std::string D(1, '\x08');

class EditorTest : public ProgramTest {
 protected:
  void SetUp() override {
    WriteEntries({{1, "Editor", "C:\\Windows\\notepad.exe", ""},
                  {2, "Dienste", "C:\\WINDOWS\\system32\\services.msc", "Dienste verwalten"},
                  {3, "Konsole", "cmd.exe", "Eingabeaufforderung"}});
    Start();
    Main().EditPasswort.SetText("Geheim-123");
  }
  // Opens the editor through the gate; the steps play the operator, then "Schließen" is pressed
  // unless the steps closed it.
  void Edit(const std::function<void(TFormSpeed&)>& steps) {
    screen.onModal = [&](ui::TForm& form) {
      ASSERT_EQ(&form, FormSpeed);
      steps(*FormSpeed);
      if (form.ModalResult() == ui::mrNone) FormSpeed->OKBtn.Click();
    };
    Main().Bearbeiten11.Click();
  }
  void Type(TFormSpeed& editor, const std::string& text, const std::string& path, const std::string& hint) {
    editor.EditText.SetText(text);
    editor.EditPfad.SetText(path);
    editor.EditHint.SetText(hint);
  }
};

TEST_F(EditorTest, OpensWithEmptyBoxesAndNoEntryChosen) {
  Edit([&](TFormSpeed& editor) {
    EXPECT_EQ(editor.LabelSpeedName.Text(), "Auf Schaltfläche klicken");
    EXPECT_EQ(editor.EditText.Text(), "");
    EXPECT_TRUE(editor.OKBtn.Focused());
    EXPECT_EQ(editor.XPSpeedButton11.Text(), "Editor");  // the main window's captions
    EXPECT_EQ(editor.XPSpeedButton13.Text(), "Konsole");
    const std::string before = Settings();
    editor.XPBitBtn1.Click();  // nothing chosen: the save does nothing
    EXPECT_EQ(Settings(), before);
  });
  EXPECT_TRUE(screen.messageBoxes.empty());
}

// From the keyboard: the six selectors are the stop after the save button, the arrows move among
// them, Space or Enter chooses; the folder button is the next stop.
TEST_F(EditorTest, ChoosesTheEntryFromTheKeyboard) {
  Edit([&](TFormSpeed& editor) {
    std::vector<std::string> stops;
    for (ui::TControl* control : editor.TabStops()) stops.push_back(control->Name());
    EXPECT_EQ(stops, (std::vector<std::string>{"OKBtn", "EditText", "EditPfad", "EditHint", "XPBitBtn1",
                                               "XPSpeedButton11", "XPSpeedButtonOeffen"}));
    for (int tab = 0; tab < 5; ++tab) editor.SelectNext(true);
    ASSERT_TRUE(editor.XPSpeedButton11.Focused());
    ui::WindowlessHost& host = editor.Windowless();
    host.KeyDown(ui::Key::kRight);
    host.KeyDown(ui::Key::kSpace);
    host.KeyUp(ui::Key::kSpace);
    EXPECT_EQ(editor.LabelSpeedName.Text(), "SpeedButton2");
    host.KeyDown(ui::Key::kEnd);
    EXPECT_TRUE(editor.DialogKey(ui::Key::kReturn));
    EXPECT_EQ(editor.LabelSpeedName.Text(), "SpeedButton6");
  });
}

TEST_F(EditorTest, LoadsTheChosenEntryFromTheFileAndKeepsItChosenAcrossOpenings) {
  system.WriteFile(kSettings, Settings() + "[SpeedButton3]\r\n");  // the file may change by hand
  system.WriteFile(kSettings,
                   "[SpeedButton3]\r\nText=Neu von Hand\r\nPfad=" + std::string(3000, 'p') + "\r\n");
  Edit([&](TFormSpeed& editor) {
    ClickOn(editor.XPSpeedButton13);
    EXPECT_EQ(editor.LabelSpeedName.Text(), "SpeedButton3");
    EXPECT_EQ(editor.EditText.Text(), "Neu von Hand");
    EXPECT_EQ(editor.EditPfad.Text(), std::string(2047, 'p'));
    EXPECT_EQ(editor.EditHint.Text(), "");
  });
  EXPECT_EQ(Quick(3).Text(), "Konsole");  // the main window keeps its entry until a save
  Edit([&](TFormSpeed& editor) {
    EXPECT_EQ(editor.LabelSpeedName.Text(), "SpeedButton3");
    EXPECT_EQ(editor.EditText.Text(), "");
    editor.XPBitBtn1.Click();  // stores the empty boxes as entry 3
  });
  EXPECT_EQ(Settings(), "[SpeedButton3]\r\nText=\r\nPfad=\r\nHint=\r\n");
  EXPECT_EQ(Main().ColumnListBox1.Row(2), D + D);
}

TEST_F(EditorTest, SavesToFileTableAndBothWindowsBeforeConfirming) {
  FormSpeed->SetLeft(0);
  bool updatedBeforeConfirmation = false;
  screen.onMessageBox = [&](const ui::MessageBoxRequest&) {
    updatedBeforeConfirmation = Quick(2).Text() == "Neu" && FormSpeed->XPSpeedButton12.Text() == "Neu";
    return ui::kIdOk;
  };
  Main().SetLeft(300);
  Main().SetTop(200);
  Edit([&](TFormSpeed& editor) {
    ClickOn(editor.XPSpeedButton12);
    Type(editor, "Neu", "C:\\Tools\\neu.exe", "");
    editor.XPBitBtn1.Click();
    EXPECT_EQ(editor.EditText.Text(), "Neu");  // the dialog stays open with the values
    EXPECT_EQ(editor.ModalResult(), ui::mrNone);
  });
  EXPECT_TRUE(updatedBeforeConfirmation);
  EXPECT_NE(Settings().find("[SpeedButton2]\r\nText=Neu\r\nPfad=C:\\Tools\\neu.exe\r\nHint=\r\n"),
            std::string::npos);
  EXPECT_EQ(Main().ColumnListBox1.Row(1), "Neu" + D + "C:\\Tools\\neu.exe" + D);
  EXPECT_EQ(Quick(2).Hint(), "");
  ASSERT_EQ(screen.messageBoxes.size(), 1u);
  EXPECT_EQ(LastBox().text, "Eintrag wurde gespeichert.");
  EXPECT_EQ(LastBox().caption, "Information");
  EXPECT_EQ(LastBox().flags, ui::kMbOk | ui::kMbIconInformation);
  EXPECT_EQ(LastBox().x, std::optional<int>(450 + 22));
  EXPECT_EQ(LastBox().y, std::optional<int>(235 + 80));

  Main().EditPasswort.SetText("Geheim-123");
  ClickOn(Quick(2));
  EXPECT_EQ(system.launches.back().commandLine, "\"C:\\Tools\\neu.exe\"");
}

TEST_F(EditorTest, LeavesANegativeCornerCoordinateOfTheConfirmationToTheSystem) {
  Main().SetLeft(-200);
  Main().SetTop(-100);
  Edit([&](TFormSpeed& editor) {
    editor.SetLeft(-30);
    editor.SetTop(10);
    ClickOn(editor.XPSpeedButton11);
    editor.XPBitBtn1.Click();
    editor.SetTop(-90);
    editor.XPBitBtn1.Click();
  });
  ASSERT_EQ(screen.messageBoxes.size(), 2u);
  EXPECT_FALSE(screen.messageBoxes[0].x.has_value());
  EXPECT_EQ(screen.messageBoxes[0].y, std::optional<int>(90));
  EXPECT_FALSE(screen.messageBoxes[1].x.has_value());  // both negative: centred
  EXPECT_FALSE(screen.messageBoxes[1].y.has_value());
}

TEST_F(EditorTest, SetsATooltipTextWithoutSwitchingTooltipsOn) {
  Edit([&](TFormSpeed& editor) {
    ClickOn(editor.XPSpeedButton11);
    editor.EditHint.SetText("Texteditor starten");
    editor.XPBitBtn1.Click();
    ClickOn(editor.XPSpeedButton12);
    editor.EditHint.SetText("");
    editor.XPBitBtn1.Click();
  });
  EXPECT_EQ(Quick(1).Hint(), "Texteditor starten");
  EXPECT_FALSE(Quick(1).ShowHint());  // shown only after the next start
  EXPECT_EQ(Quick(2).Hint(), "");
  EXPECT_EQ(FormSpeed->XPSpeedButton11.Hint(), "Texteditor starten");
}

TEST_F(EditorTest, PutsALongPathWholeIntoTheTableAndRefusesToLaunchIt) {
  const std::string path = "C:\\" + std::string(297, 'x');
  Edit([&](TFormSpeed& editor) {
    ClickOn(editor.XPSpeedButton14);
    Type(editor, "Lang", path, "");
    editor.XPBitBtn1.Click();
  });
  EXPECT_EQ(Main().ColumnListBox1.GetItemColumn(3, 1), path);
  const std::size_t launches = system.launches.size();
  ClickOn(Quick(4));
  EXPECT_EQ(system.launches.size(), launches);
  EXPECT_EQ(LastBox().text, kRefusedTooLong);
}

TEST_F(EditorTest, ClosesWithoutSavingOnEnterInABox) {
  const std::string before = Settings();
  Edit([&](TFormSpeed& editor) {
    ClickOn(editor.XPSpeedButton11);
    editor.EditText.SetText("verworfen");
    PressEnter(editor.EditText);
    EXPECT_EQ(editor.ModalResult(), ui::mrOk);
  });
  EXPECT_EQ(Settings(), before);
  EXPECT_EQ(Quick(1).Text(), "Editor");
}

TEST_F(EditorTest, DiscardsUnsavedEditsWhenAnotherEntryIsChosen) {
  Edit([&](TFormSpeed& editor) {
    ClickOn(editor.XPSpeedButton11);
    editor.EditText.SetText("verworfen");
    ClickOn(editor.XPSpeedButton12);
    EXPECT_EQ(editor.EditText.Text(), "Dienste");
    ClickOn(editor.XPSpeedButton11);
    EXPECT_EQ(editor.EditText.Text(), "Editor");
  });
}

TEST_F(EditorTest, BrowsesForThePathWithoutSaving) {
  const std::string before = Settings();
  system.onOpenFile = [](platform::OpenFileRequest& request) {
    request.fileName = "C:\\Tools\\gewaehlt.msi";
    return true;
  };
  Edit([&](TFormSpeed& editor) {
    ClickOn(editor.XPSpeedButton11);
    ClickOn(editor.XPSpeedButtonOeffen);
    EXPECT_EQ(editor.EditPfad.Text(), "C:\\Tools\\gewaehlt.msi");
  });
  ASSERT_EQ(system.openFileRequests.size(), 1u);
  const platform::OpenFileRequest& request = system.openFileRequests[0];
  EXPECT_EQ(request.fileName, "C:\\Windows\\notepad.exe");
  const char kFilter[] = "Ausführbare Dateien\0*.exe;*msi\0Alle Dateien\0*.*\0";  // and its own zero
  EXPECT_EQ(request.filter, std::string(kFilter, sizeof kFilter));
  EXPECT_EQ(request.flags, 0x4u | 0x800000u | 0x80000u);
  EXPECT_EQ(request.initialDir, "");
  EXPECT_EQ(Settings(), before);
}

// A settings file that may not be written (access denied) is written by the helper as the gate's
// account, raised first where its token is split; only a write that succeeded counts as saved. Any
// other failure, and a helper that fails or is declined, shows the write error with its reason, and
// the editor keeps what was typed.
TEST_F(EditorTest, SavesThroughTheHelperWhereTheFileMayNotBeWritten) {
  const std::string kWriteError =
      "nach C:\\Programme\\Morvela\\Morvela.INI kann nicht geschrieben werden\n\n";
  const std::string kHelper = "\"C:\\Programme\\Morvela\\Morvela.exe\" ";
  const std::string kSave = "/Morvela-Helfer:Speichern 1 \"Neu\" \"C:\\Windows\\notepad.exe\" \"\"";
  const struct {
    const char* name;
    std::uint32_t writeError;
    platform::ElevationType token;
    std::uint32_t startError, exitCode;
    std::string helperCommandLine;  // empty: no helper
    std::string message;
  } rows[] = {
      {"Saved", 5, platform::ElevationType::kFull, 0, 0, kHelper + kSave, "Eintrag wurde gespeichert."},
      {"SavedRaised", 5, platform::ElevationType::kLimited, 0, 0,
       kHelper + "/Morvela-Helfer:Warten 0" + kSave.substr(kSave.find(' ')), "Eintrag wurde gespeichert."},
      {"Declined", 5, platform::ElevationType::kLimited, 0, 1223, "+", kWriteError + "(Fehler 1223)"},
      {"HelperFails", 5, platform::ElevationType::kFull, 0, 5, "+",
       kWriteError + "Zugriff verweigert. (Fehler 5)"},
      {"HelperCannotStart", 5, platform::ElevationType::kFull, 1326, 0, "+",
       kWriteError + "Der Benutzername oder das Kennwort ist falsch. (Fehler 1326)"},
      {"DiskFull", 112, platform::ElevationType::kFull, 0, 0, "", kWriteError + "(Fehler 112)"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    screen.messageBoxes.clear();
    system.launches.clear();
    system.unwritableFiles = {kSettings};
    system.unwritableError = row.writeError;
    system.elevationType = row.token;
    system.helperStartError = row.startError;
    system.helperExitCode = row.exitCode;
    Edit([&](TFormSpeed& editor) {
      ClickOn(editor.XPSpeedButton11);
      editor.EditText.SetText("Neu");
      editor.XPBitBtn1.Click();
      EXPECT_EQ(editor.ModalResult(), ui::mrNone);
      EXPECT_EQ(editor.EditText.Text(), "Neu");
    });
    ASSERT_EQ(screen.messageBoxes.size(), 1u);
    EXPECT_EQ(LastBox().text, row.message);
    const bool saved = row.message == "Eintrag wurde gespeichert.";
    EXPECT_EQ(Quick(1).Text(), saved ? "Neu" : "Editor");
    EXPECT_EQ(Main().ColumnListBox1.GetItemColumn(0, 0), saved ? "Neu" : "Editor");
    EXPECT_EQ(system.launches.empty(), row.helperCommandLine.empty());
    if (row.helperCommandLine.size() > 1) {
      ASSERT_EQ(system.launches.size(), 1u);
      EXPECT_EQ(system.launches[0].applicationName, "C:\\Programme\\Morvela\\Morvela.exe");
      EXPECT_EQ(system.launches[0].commandLine, row.helperCommandLine);
      EXPECT_TRUE(system.launches[0].passwordAccepted);
    }
    Main().ColumnListBox1.SetItemColumn(0, 0, "Editor");
    Quick(1).SetText("Editor");
  }
}

// A row must stay below the table's 4096-character buffer: a longer entry is refused before anything
// is written, and nothing else changes.
TEST_F(EditorTest, RefusesAnEntryTooLongForTheTable) {
  const std::string before = Settings();
  const int writes = system.profileWrites;
  Edit([&](TFormSpeed& editor) {
    ClickOn(editor.XPSpeedButton12);
    Type(editor, std::string(2000, 't'), std::string(2000, 'p'), std::string(94, 'h'));
    editor.XPBitBtn1.Click();
    EXPECT_EQ(editor.EditHint.Text(), std::string(94, 'h'));
  });
  ASSERT_EQ(screen.messageBoxes.size(), 1u);
  EXPECT_EQ(LastBox().text,
            "Eintrag zu lang: Text, Pfad und Hint dürfen zusammen höchstens 4093 Zeichen haben.");
  EXPECT_EQ(LastBox().caption, "Fehler");
  EXPECT_EQ(system.profileWrites, writes);
  EXPECT_EQ(Settings(), before);
  EXPECT_EQ(Quick(2).Text(), "Dienste");

  Edit([&](TFormSpeed& editor) {  // 4093 characters fit
    Type(editor, std::string(2000, 't'), std::string(2000, 'p'), std::string(93, 'h'));
    editor.XPBitBtn1.Click();
  });
  EXPECT_EQ(LastBox().text, "Eintrag wurde gespeichert.");
  EXPECT_EQ(Main().ColumnListBox1.Row(1).size(), 4095u);
}

TEST_F(EditorTest, WritesWhatWasTypedButKeepsTheDelimiterOutOfTheTable) {
  Edit([&](TFormSpeed& editor) {
    ClickOn(editor.XPSpeedButton11);
    Type(editor, "A" + D + "B", "C:\\Tools\\eigenes.exe", "");
    editor.XPBitBtn1.Click();
  });
  EXPECT_NE(Settings().find("Text=A" + D + "B\r\n"), std::string::npos);
  EXPECT_EQ(Main().ColumnListBox1.Row(0), "AB" + D + "C:\\Tools\\eigenes.exe" + D);
  EXPECT_EQ(Quick(1).Text(), "AB");
  ClickOn(Quick(1));
  EXPECT_EQ(system.launches.back().commandLine, "\"C:\\Tools\\eigenes.exe\"");
}

}  // namespace
