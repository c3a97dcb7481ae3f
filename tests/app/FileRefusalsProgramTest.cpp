// Files the program cannot read or write, met as a user meets them, from another process, in
// German and in English: what the program tells, reason included, and that it goes on.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "ProgramDriver.h"
#include "classlib/SysUtils.h"
#include "engine/u_funktionen.h"
#include "support/TestSupport.h"

using namespace programtest;

namespace {

// The captions a user goes by and the messages the program tells, in each language.
struct Language {
  const char* code;
  const char* create;
  const char* saveText;
  const char* saveIndex;
  const char* notOpened;
  const char* notSaved;
  const char* heldOpen;
  const char* accessDenied;
  const char* device;
  const char* notFound;
  const char* folder;
  const char* severalNotOpened;
  const char* lineTooLong;  // the text's longest line and the longest a text box shows stand at the marks
};

const Language kLanguages[] = {
    {"de", "Index Erstellen", "Text Speichern", "Index Speichern", "Die Datei konnte nicht ge\xF6" "ffnet werden: ",
     "Die Datei konnte nicht gespeichert werden: ", "Die Datei wird von einem anderen Programm verwendet.",
     "Der Zugriff wurde verweigert.", "Der Name bezeichnet ein Ger\xE4t oder eine Pipe, keine Datei.",
     "Die Datei wurde nicht gefunden.", "Der Name bezeichnet einen Ordner, keine Datei.",
     "Diese Dateien konnten nicht ge\xF6" "ffnet werden:",
     "Der Text enth\xE4lt eine Zeile von # Zeichen; ein Textfeld zeigt Zeilen von h\xF6" "chstens # Zeichen."},
    {"en", "Create Index", "Save Text", "Save Index", "The file could not be opened: ", "The file could not be saved: ",
     "The file is in use by another program.", "Access was denied.",
     "The name is that of a device or a pipe, not of a file.", "The file was not found.",
     "The name is that of a folder, not of a file.", "These files could not be opened:",
     "The text holds a line of # characters; a text box shows lines of at most # characters."},
};

bool IsShownEdit(HWND window) {
  return IsWindowVisible(window) && ClassOf(window).find("Edit") != std::string::npos &&
         (GetWindowLongA(window, GWL_STYLE) & ES_MULTILINE) == 0;
}

void PrintTo(const Language& language, std::ostream* out) { *out << language.code; }

class FileRefusalsProgram : public ::testing::TestWithParam<Language>, protected ProgramSession {
 protected:
  FileRefusalsProgram() { ChooseLanguage(dir, GetParam().code); }
  // Starts the program on the source and waits until its text page shows the text: the page
  // comes a turn after the main window.
  void StartOnText(const std::string& source) {
    ASSERT_NO_FATAL_FAILURE(Launch(source));
    main = program->WaitForMainWindow();
    ASSERT_NE(main, nullptr) << "the main window did not appear";
    const std::string text = testsupport::ReadBytes(source);
    ASSERT_TRUE(program->WaitUntil([&] {
      HWND memo = FindChild(main, IsShownMemo);
      return memo && MemoText(memo) == text;
    })) << "the text page did not show the source";
  }
  // The message the program shows now, answered with OK; empty when none came.
  std::string Told() {
    HWND box = program->WaitForWindow(IsMessageBox);
    if (!box) return std::string();
    const std::string text = MessageBoxText(box);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(program->WaitUntilGone(box));
    return text;
  }
  // The names in the test's folder but the language's marker, sorted.
  std::vector<std::string> FolderNames() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA((dir.Path() + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      const std::string name = found.cFileName;
      if (name != "." && name != ".." && name != "de") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
  }
  std::string NotOpened(const std::string& name, const char* reason) {
    return GetParam().notOpened + name + "\r\n\r\n" + reason;
  }
  // Starts the program without a file and shows the wizard of the side-bar button.
  void StartOnWizard(const char* sideBarButton) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(ClickSideBarButton(main, sideBarButton));
  }
  // Types the name into the edit as the keyboard does, after clicking into it to select its text.
  void TypeInto(HWND edit, const std::string& name) {
    ASSERT_TRUE(ClickMiddle(edit));
    ASSERT_TRUE(SendAndWait(edit, EM_SETSEL, 0, -1));
    ASSERT_TRUE(TypeText(edit, name));
  }
};

TEST_P(FileRefusalsProgram, AStartFileHeldByAnotherProgramIsToldWithItsReason) {
  const std::string source = Write("Gesperrt.txt", "ein Apfel\r\n1\r\n");
  testsupport::HeldOpen held(source);
  ASSERT_TRUE(held.Held());
  ASSERT_NO_FATAL_FAILURE(Launch(source));
  EXPECT_EQ(Told(), GetParam().notOpened + source + "\r\n\r\n" + GetParam().heldOpen);
  main = program->WaitForMainWindow();
  ASSERT_NE(main, nullptr) << "the main window did not appear";
  Close();
}

TEST_P(FileRefusalsProgram, ASaveOverAReadOnlyFileIsToldWithItsReason) {
  const std::string source = Write("Buch.txt", "ein Apfel und ein Baum\r\n1\r\n");
  // Longer than the name the save dialog proposes.
  const std::string target = Write("schreibgeschuetzter-index-der-ersten-pruefung.txt", "alt");
  ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_NO_FATAL_FAILURE(StartOnText(source));
  HWND create = WaitForShown(GetParam().create);
  ASSERT_NE(create, nullptr);
  ASSERT_TRUE(SendAndWait(create, BM_CLICK));
  HWND saveText = WaitForShown(GetParam().saveText);
  ASSERT_NE(saveText, nullptr) << "no result page";
  ASSERT_TRUE(program->SaveThroughDialog(main, saveText, target)) << "the save dialog did not save";
  EXPECT_EQ(Told(), GetParam().notSaved + target + "\r\n\r\n" + GetParam().accessDenied);
  EXPECT_EQ(testsupport::ReadBytes(target), "alt");
  SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
  Close();
}

// Typed into the save dialogs, a device's name is refused as such, in the program's language,
// and nothing is written: neither a file beside it nor anything into the device.
TEST_P(FileRefusalsProgram, ASaveUnderADeviceNameIsRefusedAsNoFile) {
  const std::string source = Write("Buch.txt", "ein Apfel und ein Baum\r\n1\r\n");
  ASSERT_NO_FATAL_FAILURE(StartOnText(source));
  HWND create = WaitForShown(GetParam().create);
  ASSERT_NE(create, nullptr);
  ASSERT_TRUE(SendAndWait(create, BM_CLICK));
  HWND saveText = WaitForShown(GetParam().saveText);
  HWND saveIndex = WaitForShown(GetParam().saveIndex);
  ASSERT_NE(saveText, nullptr) << "no result page";
  ASSERT_NE(saveIndex, nullptr);
  const std::string kept = testsupport::ReadBytes(source);
  ASSERT_TRUE(program->SaveThroughDialog(main, saveText, dir.File("NUL")));
  EXPECT_EQ(Told(), GetParam().notSaved + dir.File("NUL") + "\r\n\r\n" + GetParam().device);
  // Saved as index data, the name gets its extension, which makes it no file either.
  ASSERT_TRUE(program->SaveThroughDialog(main, saveIndex, dir.File("LPT1")));
  EXPECT_EQ(Told(), GetParam().notSaved + dir.File("LPT1.idx") + "\r\n\r\n" + GetParam().device);
  EXPECT_EQ(FolderNames(), (std::vector<std::string>{"Buch.txt"}));
  EXPECT_EQ(testsupport::ReadBytes(source), kept);
  Close();
}

TEST_P(FileRefusalsProgram, ADeviceNamedInTheFileWizardIsRefusedAndTheWindowAnswers) {
  ASSERT_NO_FATAL_FAILURE(StartOnWizard("rand_btdidx"));
  HWND list = FindShownListView(main);
  HWND edit = FindChild(main, IsShownEdit);
  ASSERT_NE(list, nullptr);
  ASSERT_NE(edit, nullptr) << "no file name box";
  ASSERT_NO_FATAL_FAILURE(TypeInto(edit, "COM1"));
  ASSERT_TRUE(PressEnter(main));
  EXPECT_EQ(Told(), NotOpened("COM1", GetParam().device));
  EXPECT_EQ(ListViewCaptions(*program, list), std::vector<std::string>());

  // Dropped with a file: the file is added, the device is refused.
  const std::string file = Write("anker.txt", "Anker");
  ASSERT_TRUE(DropFilesAnswering(*program, list, {L"COM1", AnsiToWide(file)},
                                 [&] { EXPECT_EQ(Told(), NotOpened("COM1", GetParam().device)); }));
  EXPECT_EQ(ListViewCaptions(*program, list), std::vector<std::string>({"Anker"}));
  Close();
}

TEST_P(FileRefusalsProgram, ADeviceAsTheSourceLeavesTheTextAndIsToldAtTheRun) {
  const std::string source = Write("Buch.txt", "ein Apfel und ein Baum\r\n1\r\n");
  ASSERT_NO_FATAL_FAILURE(StartOnText(source));
  HWND edit = FindChild(main, IsShownEdit);
  HWND memo = FindChild(main, IsShownMemo);
  ASSERT_NE(edit, nullptr) << "no source name box";
  ASSERT_NE(memo, nullptr) << "no source memo";
  ASSERT_NO_FATAL_FAILURE(TypeInto(edit, "COM1"));
  EXPECT_EQ(MemoText(edit), "COM1");
  EXPECT_EQ(MemoText(memo), "ein Apfel und ein Baum\r\n1\r\n") << "a device is no source";
  EXPECT_EQ(FindTopWindow(program->ProcessId(), IsMessageBox), nullptr) << "nothing to tell while typing";
  HWND create = WaitForShown(GetParam().create);
  ASSERT_NE(create, nullptr);
  PostMessageA(create, BM_CLICK, 0, 0);
  EXPECT_EQ(Told(), NotOpened("COM1", GetParam().device));
  Close();
}

// A folder typed as the source is passed over while typing, as a device is, and told at the run,
// which would otherwise build an empty index from it.
TEST_P(FileRefusalsProgram, AFolderAsTheSourceIsToldAtTheRun) {
  const std::string source = Write("Buch.txt", "ein Apfel und ein Baum\r\n1\r\n");
  const std::string folder = dir.File("Kapitel");
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  ASSERT_NO_FATAL_FAILURE(StartOnText(source));
  HWND edit = FindChild(main, IsShownEdit);
  HWND memo = FindChild(main, IsShownMemo);
  ASSERT_NE(edit, nullptr) << "no source name box";
  ASSERT_NE(memo, nullptr) << "no source memo";
  ASSERT_NO_FATAL_FAILURE(TypeInto(edit, folder));
  EXPECT_EQ(MemoText(memo), "ein Apfel und ein Baum\r\n1\r\n");
  EXPECT_EQ(FindTopWindow(program->ProcessId(), IsMessageBox), nullptr) << "nothing to tell while typing";
  HWND create = WaitForShown(GetParam().create);
  ASSERT_NE(create, nullptr);
  PostMessageA(create, BM_CLICK, 0, 0);
  EXPECT_EQ(Told(), NotOpened(folder, GetParam().folder));
  Close();
}

// A text with a line longer than a text box shows, typed as the source, is refused naming its
// file, as every other source that cannot be shown is.
TEST_P(FileRefusalsProgram, ASourceWithALineTooLongToShowTypedIntoTheEditIsToldWithItsFile) {
  const std::string source = Write("Buch.txt", "ein Apfel und ein Baum\r\n1\r\n");
  const std::string wide = Write("Lang.txt", std::string(kLongestMemoLine + 1, 'a'));
  ASSERT_NO_FATAL_FAILURE(StartOnText(source));
  HWND edit = FindChild(main, IsShownEdit);
  ASSERT_NE(edit, nullptr) << "no source name box";
  // The last key is posted: the message it brings holds the program until it is answered.
  ASSERT_NO_FATAL_FAILURE(TypeInto(edit, wide.substr(0, wide.size() - 1)));
  ASSERT_TRUE(PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(wide.back()), 1));
  std::string reason = GetParam().lineTooLong;
  reason.replace(reason.find('#'), 1, std::to_string(kLongestMemoLine + 1));
  reason.replace(reason.find('#'), 1, std::to_string(kLongestMemoLine));
  EXPECT_EQ(Told(), NotOpened(wide, reason.c_str()));
  HWND memo = FindChild(main, IsShownMemo);
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(MemoText(memo), "ein Apfel und ein Baum\r\n1\r\n");
  Close();
}

TEST_P(FileRefusalsProgram, ADeviceAsTheFirstArgumentIsToldAndTheMainWindowComes) {
  ASSERT_NO_FATAL_FAILURE(Launch("COM1"));
  EXPECT_EQ(Told(), NotOpened("COM1", GetParam().device));
  main = program->WaitForMainWindow();
  ASSERT_NE(main, nullptr) << "the main window did not appear";
  Close();
}

TEST_P(FileRefusalsProgram, EachDroppedFileIsAddedOrSkippedOnItsOwn) {
  // A name longer than the shell's icons reach, names outside the code page and with a quote,
  // and one that is gone by the time of the drop.
  const std::wstring folder = AnsiToWide(dir.Path());
  const std::wstring longName = folder + L"\\" + std::wstring(250, L'l') + L".txt";
  const std::wstring japanese = folder + L"\\\u65E5\u672C\u8A9E.txt";
  const std::wstring quoted = folder + L"\\O'Brien.txt";
  const std::string missing = dir.File("fehlt.txt"), folderName = dir.File("Kapitel");
  ASSERT_TRUE(CreateDirectoryA(folderName.c_str(), nullptr));
  for (const std::wstring& name : {longName, japanese, quoted}) {
    HANDLE file = CreateFileW((L"\\\\?\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "Anker", 5, &written, nullptr);
    CloseHandle(file);
  }
  ASSERT_GT(longName.size(), 260u);
  ASSERT_NO_FATAL_FAILURE(StartOnWizard("rand_btdidx"));
  HWND list = FindShownListView(main);
  ASSERT_NE(list, nullptr);
  // The folder is named among the names that were not taken, with its reason.
  ASSERT_TRUE(DropFilesAnswering(*program, list,
                                 {longName, japanese, AnsiToWide(folderName), quoted, AnsiToWide(missing)}, [&] {
                                   EXPECT_EQ(Told(), std::string(GetParam().severalNotOpened) + "\r\n\r\n" +
                                                         folderName + "\r\n" + GetParam().folder + "\r\n\r\n" +
                                                         missing + "\r\n" + GetParam().notFound);
                                 }));
  std::vector<std::string> captions = ListViewCaptions(*program, list);
  std::sort(captions.begin(), captions.end());
  EXPECT_EQ(captions, (std::vector<std::string>{"???", "L" + std::string(249, 'l'), "O'Brien"}));
  Close();
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, FileRefusalsProgram, ::testing::ValuesIn(kLanguages),
                         [](const ::testing::TestParamInfo<Language>& info) { return std::string(info.param.code); });

}  // namespace
