// The program's file dialogs and its command line used as a user uses them, from another
// process: the real system dialog found, a name typed into its name box, its button pressed; a
// file handed over on the command line as the shell hands it over. What counts is the file the
// program wrote, the text it read or the row it added, never what the dialog showed.
#include <gtest/gtest.h>
#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

#include "ProgramDriver.h"
#include "classlib/SysUtils.h"
#include "support/TestSupport.h"

using namespace programtest;

namespace {

// What the text wizard makes of kSource, as its result memo shows it and as "Save Text" writes it.
constexpr char kSource[] = "ein Apfel und ein Baum\r\n1\r\neine Birne\r\n2\r\n";
constexpr char kIndexText[] = "Index\r\n\r\nA\r\nApfel 1\r\n\r\nB\r\nBaum 1\r\nBirne 2\r\n";
constexpr char kIndexData[] = "Apfel:1>-\r\nBaum:1>-\r\nBirne:2>-\r\n";

// The program starts in `dir`, the long folder of the tests' names; `shortDir` is the short one.
class FileDialogs : public ::testing::Test, protected ProgramSession {
 protected:
  // Starts the program, with the argument when there is one.
  void Start(const std::wstring& argument = std::wstring()) {
    if (argument.empty()) {
      ASSERT_NO_FATAL_FAILURE(ProgramSession::Start());
      return;
    }
    ASSERT_NO_FATAL_FAILURE(Launch(argument));
    // The file opens in the main window once it has come; the window answers when that is
    // done, or when a message stops the start there.
    const DWORD id = program->ProcessId();
    program->WaitUntil([id] { return FindTopWindow(id, IsMessageBox) || FindTopWindow(id, IsMainWindow); });
    main = FindTopWindow(id, IsMainWindow);
    if (main) SendAndWait(main, WM_NULL);
    HWND box = FindTopWindow(id, IsMessageBox);
    ASSERT_EQ(box, nullptr) << "the program told: " << MessageBoxText(box);
    ASSERT_NE(main, nullptr) << "the main window did not appear";
  }
  // The memo of the text wizard's page shown.
  HWND ShownMemo() const { return FindChild(main, IsShownMemo); }
  // Answers the dialog of the shown button; fails the test when the program tells anything.
  void Answer(const std::string& button, const std::wstring& path, bool confirm = true) {
    HWND shown = Shown(button);
    ASSERT_NE(shown, nullptr) << "no button " << button;
    ASSERT_TRUE(program->AnswerFileDialog(main, shown, path, confirm)) << "the dialog did not answer";
    HWND box = FindTopWindow(program->ProcessId(), IsMessageBox);
    ASSERT_EQ(box, nullptr) << "the program told: " << MessageBoxText(box);
  }
  // Builds the text index of the source the wizard holds.
  void BuildTextIndex() {
    HWND create = Shown("Create Index");
    ASSERT_NE(create, nullptr);
    ASSERT_TRUE(SendAndWait(create, BM_CLICK));
    HWND output = ShownMemo();
    ASSERT_NE(output, nullptr) << "no result memo";
    ASSERT_EQ(MemoText(output), kIndexText);
  }

  // At the root of the drive: its paths are shorter than the names the program proposes.
  testsupport::TempDir shortDir{"C:\\"};
};

TEST_F(FileDialogs, ResultsAreSavedUnderExactlyTheNameTypedWhateverTheDialogProposed) {
  const std::string source = dir.File("Buch.txt");
  testsupport::WriteBytes(source, kSource);
  ASSERT_NO_FATAL_FAILURE(Start(AnsiToWide(source)));
  ASSERT_NO_FATAL_FAILURE(BuildTextIndex());

  // "Save Text" always proposes "Index.txt" in the program's folder.
  const std::string proposed = testsupport::ExeFolder() + "Index.txt";
  const std::string shortText = shortDir.File("a.txt"), shortText2 = shortDir.File("b.txt");
  ASSERT_LT(shortText.size() + 2, proposed.size()) << "the short folder is not short enough here";
  const std::string longText = dir.File("Ein Register mit einem Namen, der laenger ist als jeder vorgeschlagene.txt");
  for (const std::string& path : {shortText, longText, shortText2}) {
    SCOPED_TRACE(path);
    ASSERT_NO_FATAL_FAILURE(Answer("Save Text", AnsiToWide(path)));
    EXPECT_EQ(testsupport::ReadBytes(path), kIndexText);
  }

  // "Save Index" proposes the name saved last: a long one, then a shorter, then a longer one.
  const std::string names[] = {dir.File("Ein langer Name fuer die Indexdaten.idx"), shortDir.File("kurz.idx"),
                               dir.File("Register.idx")};
  for (const std::string& path : names) {
    SCOPED_TRACE(path);
    ASSERT_NO_FATAL_FAILURE(Answer("Save Index", AnsiToWide(path)));
    EXPECT_EQ(testsupport::ReadBytes(path), kIndexData);
  }

  // Cancel writes nothing, whatever was typed.
  const std::string cancelled = shortDir.File("c.idx");
  ASSERT_NO_FATAL_FAILURE(Answer("Save Index", AnsiToWide(cancelled), false));
  EXPECT_EQ(GetFileAttributesA(cancelled.c_str()), INVALID_FILE_ATTRIBUTES);
  Close();
}

TEST_F(FileDialogs, TheTextWizardReadsTheSourceChosenAndCancelKeepsIt) {
  const std::string first = dir.File("Eine Quelle mit einem recht langen Namen.txt");
  const std::string second = shortDir.File("q.txt");
  testsupport::WriteBytes(first, "Erste Quelle\r\n1\r\n");
  testsupport::WriteBytes(second, "Zweite Quelle\r\n1\r\n");
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(ClickSideBarButton(main, "rand_bttxtidx"));
  HWND memo = ShownMemo();
  ASSERT_NE(memo, nullptr) << "no source memo";

  ASSERT_NO_FATAL_FAILURE(Answer("Browse..", AnsiToWide(first)));
  EXPECT_EQ(MemoText(memo), "Erste Quelle\r\n1\r\n");
  // A shorter name than the one the dialog starts from.
  ASSERT_NO_FATAL_FAILURE(Answer("Browse..", AnsiToWide(second)));
  EXPECT_EQ(MemoText(memo), "Zweite Quelle\r\n1\r\n");
  ASSERT_NO_FATAL_FAILURE(Answer("Browse..", AnsiToWide(first), false));
  EXPECT_EQ(MemoText(memo), "Zweite Quelle\r\n1\r\n");
  Close();
}

TEST_F(FileDialogs, TheFileWizardAddsTheFileChosenAndCancelAddsNone) {
  const std::string first = dir.File("ein Dokument mit einem recht langen Namen.txt");
  const std::string second = shortDir.File("kurz.txt");
  testsupport::WriteBytes(first, "Anker");
  testsupport::WriteBytes(second, "Boje");
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(ClickSideBarButton(main, "rand_btdidx"));
  HWND list = FindShownListView(main);
  ASSERT_NE(list, nullptr) << "no file list shown";

  ASSERT_NO_FATAL_FAILURE(Answer("Browse..", AnsiToWide(first)));
  ASSERT_NO_FATAL_FAILURE(Answer("Browse..", AnsiToWide(second)));
  ASSERT_NO_FATAL_FAILURE(Answer("Browse..", AnsiToWide(shortDir.File("x.txt")), false));
  EXPECT_EQ(ListViewCaptions(*program, list),
            (std::vector<std::string>{"Ein Dokument Mit Einem Recht Langen Namen", "Kurz"}));
  Close();
}

// ---- names outside the ANSI code page

TEST_F(FileDialogs, ACyrillicSourceIsOpenedAndItsIndexSavedUnderACyrillicName) {
  const std::wstring folder = AnsiToWide(dir.Path()) + L"\\";
  const std::wstring source = folder + L"\u041A\u043D\u0438\u0433\u0430.txt";  // "Kniga"
  testsupport::WriteBytes(source, kSource);
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(ClickSideBarButton(main, "rand_bttxtidx"));
  HWND memo = ShownMemo();
  ASSERT_NE(memo, nullptr) << "no source memo";
  ASSERT_NO_FATAL_FAILURE(Answer("Browse..", source));
  EXPECT_EQ(MemoText(memo), kSource);
  ASSERT_NO_FATAL_FAILURE(BuildTextIndex());

  const std::wstring name = folder + L"\u0423\u043A\u0430\u0437\u0430\u0442\u0435\u043B\u044C";  // "Ukazatel"
  ASSERT_NO_FATAL_FAILURE(Answer("Save Index", name));
  EXPECT_EQ(testsupport::ReadBytes(name + L".idx"), kIndexData);
  ASSERT_NO_FATAL_FAILURE(Answer("Save Text", name + L".txt"));
  EXPECT_EQ(testsupport::ReadBytes(name + L".txt"), kIndexText);
  Close();
}

struct NamedOnTheCommandLine {
  const char* script;
  std::wstring name;  // in the long folder
};

void PrintTo(const NamedOnTheCommandLine& named, std::ostream* out) { *out << named.script; }

class CommandLineNames : public FileDialogs, public ::testing::WithParamInterface<NamedOnTheCommandLine> {};

TEST_P(CommandLineNames, TheFileNamedFirstIsOpenedAsTheSource) {
  const std::wstring path = AnsiToWide(dir.Path()) + L"\\" + GetParam().name;
  std::wstring folder = path.substr(0, path.rfind(L'\\'));
  CreateDirectoryW(folder.c_str(), nullptr);
  testsupport::WriteBytes(path, kSource);
  ASSERT_EQ(testsupport::ReadBytes(path), kSource) << "the test's file could not be made";
  ASSERT_NO_FATAL_FAILURE(Start(path));
  HWND memo = ShownMemo();
  ASSERT_NE(memo, nullptr) << "the text wizard's source page is not shown";
  EXPECT_EQ(MemoWideText(memo), AnsiToWide(kSource));
  Close();
}

INSTANTIATE_TEST_SUITE_P(
    AnyScript, CommandLineNames,
    ::testing::Values(NamedOnTheCommandLine{"Japanese", L"\u7D22\u5F15\u306E\u672C.txt"},
                      NamedOnTheCommandLine{"Cyrillic", L"\u041A\u043D\u0438\u0433\u0430 \u0442\u0435\u043A\u0441\u0442.txt"},
                      NamedOnTheCommandLine{"Greek", L"\u0392\u03B9\u03B2\u03BB\u03AF\u03BF.txt"},
                      // A path of more than 300 characters: a folder of 200 and a name of 100.
                      NamedOnTheCommandLine{"Long", std::wstring(200, L'f') + L"\\" + std::wstring(96, L'n') + L".txt"}),
    [](const ::testing::TestParamInfo<NamedOnTheCommandLine>& info) { return std::string(info.param.script); });

TEST_F(FileDialogs, AnIndexWithACyrillicNameOnTheCommandLineIsExtended) {
  const std::wstring index = AnsiToWide(dir.Path()) + L"\\\u0421\u043B\u043E\u0432\u0430.idx";  // "Slova"
  testsupport::WriteBytes(index, "Zitrone:7>-\r\n");
  ASSERT_NO_FATAL_FAILURE(Start(index));
  // The text index built at once, extended by the file's entries.
  HWND output = nullptr;
  ASSERT_TRUE(program->WaitUntil([&] { return (output = ShownMemo()) != nullptr; }));
  EXPECT_EQ(MemoText(output), "Index\r\n\r\nZ\r\nZitrone 7\r\n");
  Close();
}

}  // namespace
