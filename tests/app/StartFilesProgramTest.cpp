// The files the program meets at its start, used from another process as a user meets them: a
// configuration named on the command line without a folder, and word lists in the program
// folder that another program holds open.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ProgramDriver.h"
#include "support/TestSupport.h"

using namespace programtest;

namespace {

SIZE ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return SIZE{client.right, client.bottom};
}

bool operator==(const SIZE& a, const SIZE& b) { return a.cx == b.cx && a.cy == b.cy; }

}  // namespace

// The program is started in the folder of the configuration and given only its name: the
// configuration is applied (the main window takes its stored size), and its entry at the end of
// the configuration menu applies it again.
TEST(StartFiles, AConfigurationNamedWithoutItsFolderIsLoadedAndLoadsAgainFromTheMenu) {
  testsupport::TempDir dir;
  testsupport::WriteBytes(dir.File("Eigene.qcfg"), "[SP]\r\nPF=0\r\nPB=900\r\nPH=700\r\nPT=20\r\nPL=30\r\n");
  RunningProgram program("Eigene.qcfg", dir.Path());
  ASSERT_TRUE(program.Started()) << "kaptorix.exe could not be started";
  HWND main = program.WaitForMainWindow();
  ASSERT_NE(main, nullptr) << "the main window did not appear";
  const SIZE stored{900, 700};
  EXPECT_TRUE(program.WaitUntil([&] { return ClientSize(main) == stored; }))
      << "the configuration was not applied: " << ClientSize(main).cx << " x " << ClientSize(main).cy;
  EXPECT_EQ(FindTopWindow(program.ProcessId(), IsMessageBox), nullptr);

  // Made larger by the user, then the configuration chosen again from the menu: its entry is
  // the last of the configuration menu, which Up reaches from the first.
  ASSERT_TRUE(SetWindowPos(main, nullptr, 0, 0, 1000, 900, SWP_NOMOVE | SWP_NOZORDER));
  ASSERT_TRUE(program.WaitUntil([&] { return !(ClientSize(main) == stored); }));
  ASSERT_TRUE(PostMenuKeys(program, main, {VK_RIGHT, VK_RIGHT, VK_DOWN, VK_UP, VK_RETURN}));
  EXPECT_TRUE(program.WaitUntil([&] { return ClientSize(main) == stored; }))
      << "not applied from the menu: " << ClientSize(main).cx << " x " << ClientSize(main).cy;
  EXPECT_TRUE(CloseLeavingNothing(program, main));
}

namespace {

struct HeldListCase {
  const char* language;
  std::vector<std::string> held;  // list files another program holds open
  const char* told;               // what the program tells, with <neg.txt> and <pos.txt> for their paths
};

std::string WithPaths(std::string text, const std::string& folder) {
  for (const std::string name : {"neg.txt", "pos.txt"}) {
    const std::string placeholder = "<" + name + ">";
    for (size_t at; (at = text.find(placeholder)) != std::string::npos;) text.replace(at, placeholder.size(), folder + name);
  }
  return text;
}

}  // namespace

// Another program holds a word list open and lets nobody read it: the program starts all the
// same, tells once, in its language, which list it could not read and that it starts without
// it, and afterwards writes nothing over that file, neither when the start configuration is
// saved nor when it is saved on closing.
TEST(StartFiles, AWordListHeldOpenByAnotherProgramIsToldOnceAndNeverWrittenOver) {
  const std::vector<HeldListCase> cases = {
      {"de", {"neg.txt"},
       "Die Negativliste konnte nicht gelesen werden: <neg.txt>\r\n"
       "Die Datei wird von einem anderen Programm verwendet.\r\n\r\n"
       "Das Programm startet ohne diese Liste; die Datei bleibt, wie sie ist."},
      {"en", {"pos.txt"},
       "The White List could not be read: <pos.txt>\r\n"
       "The file is in use by another program.\r\n\r\n"
       "The program starts without this list; the file stays as it is."},
      {"de", {"pos.txt", "neg.txt"},
       "Die Negativliste konnte nicht gelesen werden: <neg.txt>\r\n"
       "Die Datei wird von einem anderen Programm verwendet.\r\n\r\n"
       "Die Positivliste konnte nicht gelesen werden: <pos.txt>\r\n"
       "Die Datei wird von einem anderen Programm verwendet.\r\n\r\n"
       "Das Programm startet ohne diese Listen; die Dateien bleiben, wie sie sind."},
  };
  for (const HeldListCase& c : cases) {
    SCOPED_TRACE(std::string(c.language) + ", " + c.held.front() + (c.held.size() > 1 ? " and " + c.held.back() : ""));
    ProgramCopy copy;
    ASSERT_TRUE(copy.Copied());
    const std::string lists[] = {"neg.txt", "pos.txt"};
    for (const std::string& name : lists) testsupport::WriteBytes(copy.dir.File(name), "Eigenes " + name + "\r\n");
    // The start configuration saves everything on closing.
    testsupport::WriteBytes(copy.dir.File("Auto.qcfg"), "[AS]\r\nN=0\r\nA=1\r\n");
    ChooseLanguage(copy.dir, c.language);
    std::vector<std::unique_ptr<testsupport::HeldOpen>> held;
    for (const std::string& name : c.held) {
      held.push_back(std::make_unique<testsupport::HeldOpen>(copy.dir.File(name)));
      ASSERT_TRUE(held.back()->Held());
    }

    RunningProgram program("", copy.dir.Path(), copy.Folder());
    ASSERT_TRUE(program.Started()) << "kaptorix.exe could not be started";
    // A click on the start screen brings the main window at once; posted, since the message
    // the main window then shows holds the click until it is answered.
    HWND start = program.WaitForWindow(VisibleWithText("start"));
    ASSERT_NE(start, nullptr) << "no start screen";
    ASSERT_TRUE(PostClickMiddle(start));
    HWND box = program.WaitForWindow(IsMessageBox);
    ASSERT_NE(box, nullptr) << "nothing was told";
    EXPECT_EQ(MessageBoxText(box), WithPaths(c.told, copy.Folder()));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(program.WaitUntilGone(box));
    HWND main = program.WaitForMainWindow();
    ASSERT_NE(main, nullptr) << "the main window did not appear";
    EXPECT_EQ(FindTopWindow(program.ProcessId(), IsMessageBox), nullptr) << "told again";

    // The other program lets go of the files; the start configuration is saved from the menu,
    // then again on closing.
    held.clear();
    ASSERT_TRUE(ChooseMenuItem(program, main, {"m_konfig", "m_konfig_save_start"}));
    EXPECT_TRUE(SendAndWait(main, WM_NULL));
    EXPECT_TRUE(CloseLeavingNothing(program, main));
    for (const std::string& name : lists)
      EXPECT_EQ(testsupport::ReadBytes(copy.dir.File(name)), "Eigenes " + name + "\r\n") << name;
    EXPECT_NE(testsupport::ReadBytes(copy.dir.File("Auto.qcfg")).find("[PBCH]"), std::string::npos)
        << "the start configuration was not saved";
  }
}
