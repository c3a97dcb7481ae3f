// Configurations named on the command line, met as a user meets them from another process: one
// whose source text another program holds, and one under a path of more than 260 characters.
// The word list saved afterwards is read back by iconv (forms/check_saved_files.py, app-out).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ProgramDriver.h"
#include "classlib/SysUtils.h"
#include "support/OutputFiles.h"
#include "support/TestSupport.h"

using namespace programtest;

namespace {

testsupport::OutputFiles g_output("app-out");

struct Language {
  const char* code;
  const char* notOpened;
  const char* heldOpen;
  const char* blackList;  // the word list window's caption
  const char* save;
};

const Language kLanguages[] = {
    {"de", "Die Datei konnte nicht ge\xF6" "ffnet werden: ", "Die Datei wird von einem anderen Programm verwendet.",
     "Negativliste", "Speichern"},
    {"en", "The file could not be opened: ", "The file is in use by another program.", "Black List", "Save"},
};

SIZE ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return SIZE{client.right, client.bottom};
}

}  // namespace

// The configuration's source text is held by another program: the program says once which file
// it could not read and why (not that the configuration failed), and every other value of the
// configuration takes effect: a word list saved afterwards is written in the configuration's
// output encoding, UTF-16 LE with its mark.
TEST(ConfigurationProgram, AnUnreadableSourceIsToldOnceAndTheRestOfTheConfigurationTakesEffect) {
  for (const Language& language : kLanguages) {
    SCOPED_TRACE(language.code);
    ProgramCopy copy;
    ASSERT_TRUE(copy.Copied());
    testsupport::WriteBytes(copy.dir.File("neg.txt"), "Apfel\r\nBirne");
    ChooseLanguage(copy.dir, language.code);
    const std::string source = copy.dir.File("Gesperrt.txt");
    testsupport::WriteBytes(source, "ein Apfel\r\n1\r\n");
    const std::string configuration = copy.dir.File("Ausgabe.qcfg");
    testsupport::WriteBytes(configuration, "[PBED]\r\nedit_quelle=" + source +
                                               "\r\n[EARB]\r\nrb_beibehalten=0\r\nrb_utf16le=1\r\n"
                                               "[EACH]\r\njazubom=1\r\n");
    testsupport::HeldOpen held(source);
    ASSERT_TRUE(held.Held());

    RunningProgram program(configuration, copy.dir.Path(), copy.Folder());
    ASSERT_TRUE(program.Started()) << "kaptorix.exe could not be started";
    HWND box = program.WaitForWindow(IsMessageBox);
    ASSERT_NE(box, nullptr) << "nothing was told";
    EXPECT_EQ(MessageBoxText(box), language.notOpened + source + "\r\n\r\n" + language.heldOpen);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(program.WaitUntilGone(box));
    HWND main = program.WaitForMainWindow();
    ASSERT_NE(main, nullptr) << "the main window did not appear";
    EXPECT_EQ(FindTopWindow(program.ProcessId(), IsMessageBox), nullptr) << "told again";

    ASSERT_TRUE(ChooseMenuItem(program, main, {"meinst", "mewl", "mewlneg"}));
    HWND list = program.WaitForWindow(VisibleWithText(language.blackList));
    ASSERT_NE(list, nullptr) << "the black list did not open";
    HWND memo = FindChild(list, IsShownMemo);
    HWND save = FindChild(list, VisibleWithText(language.save));
    ASSERT_TRUE(memo != nullptr && save != nullptr);
    const std::string words = MemoText(memo);
    const std::string name = std::string("wortliste-") + language.code + ".txt";
    ASSERT_TRUE(program.AnswerFileDialog(list, save, AnsiToWide(g_output.File(name)))) << "not saved";
    EXPECT_EQ(FindTopWindow(program.ProcessId(), IsMessageBox), nullptr);
    const std::string saved = testsupport::ReadBytes(g_output.File(name));
    EXPECT_EQ(saved.substr(0, 2), "\xFF\xFE") << "not UTF-16 LE with its mark";
    g_output.AddText(name, "UTF-16LE", true, words);  // the word lists here hold plain ASCII
    PostMessageA(list, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitUntilGone(list));
    EXPECT_TRUE(CloseLeavingNothing(program, main));
  }
}

// A configuration whose path is longer than 260 characters, named on the command line, is
// applied (the main window takes its stored size) without a message, and its entry at the end
// of the configuration menu applies it again.
TEST(ConfigurationProgram, AConfigurationUnderALongPathIsLoadedAndLoadsAgainFromTheMenu) {
  testsupport::TempDir dir;
  const std::wstring folder = testsupport::MakeLongFolder(AnsiToWide(dir.Path()), 290);
  const std::wstring configuration = folder + L"Eigene.qcfg";
  testsupport::WriteBytes(configuration, "[SP]\r\nPF=0\r\nPB=900\r\nPH=700\r\nPT=20\r\nPL=30\r\n");
  RunningProgram program(configuration, dir.Path());
  ASSERT_TRUE(program.Started()) << "kaptorix.exe could not be started";
  HWND main = program.WaitForMainWindow();
  ASSERT_NE(main, nullptr) << "the main window did not appear";
  const auto stored = [&] { return ClientSize(main).cx == 900 && ClientSize(main).cy == 700; };
  EXPECT_TRUE(program.WaitUntil(stored)) << "not applied: " << ClientSize(main).cx << " x " << ClientSize(main).cy;
  EXPECT_EQ(FindTopWindow(program.ProcessId(), IsMessageBox), nullptr);

  ASSERT_TRUE(SetWindowPos(main, nullptr, 0, 0, 1000, 900, SWP_NOMOVE | SWP_NOZORDER));
  ASSERT_TRUE(program.WaitUntil([&] { return !stored(); }));
  ASSERT_TRUE(PostMenuKeys(program, main, {VK_RIGHT, VK_RIGHT, VK_DOWN, VK_UP, VK_RETURN}));
  EXPECT_TRUE(program.WaitUntil(stored)) << "not applied from the menu: " << ClientSize(main).cx << " x "
                                         << ClientSize(main).cy;
  EXPECT_EQ(FindTopWindow(program.ProcessId(), IsMessageBox), nullptr);
  EXPECT_TRUE(CloseLeavingNothing(program, main));
}
