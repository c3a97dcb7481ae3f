// Files the program cannot read or write, met as a user meets them, from another process, in
// German and in English: what the program tells, reason included, and that it goes on.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "ProgramDriver.h"
#include "support/TestSupport.h"

using namespace programtest;

namespace {

// The captions a user goes by and the messages the program tells, in each language.
struct Language {
  const char* code;
  const char* create;
  const char* saveText;
  const char* notOpened;
  const char* notSaved;
  const char* heldOpen;
  const char* accessDenied;
};

const Language kLanguages[] = {
    {"de", "Index Erstellen", "Text Speichern", "Die Datei konnte nicht ge\xF6" "ffnet werden: ",
     "Die Datei konnte nicht gespeichert werden: ", "Die Datei wird von einem anderen Programm verwendet.",
     "Der Zugriff wurde verweigert."},
    {"en", "Create Index", "Save Text", "The file could not be opened: ", "The file could not be saved: ",
     "The file is in use by another program.", "Access was denied."},
};

void PrintTo(const Language& language, std::ostream* out) { *out << language.code; }

class FileRefusalsProgram : public ::testing::TestWithParam<Language> {
 protected:
  FileRefusalsProgram() {
    // The program speaks German when a file "de" stands in the folder it starts in.
    if (std::string(GetParam().code) == "de") testsupport::WriteBytes(dir.File("de"), "");
  }
  std::string Write(const std::string& name, const std::string& bytes) {
    testsupport::WriteBytes(dir.File(name), bytes);
    return dir.File(name);
  }
  void Start(const std::string& argument) {
    program = std::make_unique<RunningProgram>(argument, dir.Path());
    ASSERT_TRUE(program->Started()) << "kaptorix.exe could not be started";
  }
  HWND Shown(const std::string& caption) { return FindChild(main, VisibleWithText(caption)); }
  // The message the program shows now, answered with OK; empty when none came.
  std::string Told() {
    HWND box = program->WaitForWindow(IsMessageBox);
    if (!box) return std::string();
    const std::string text = MessageBoxText(box);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(program->WaitUntilGone(box));
    return text;
  }
  void Close() { EXPECT_TRUE(CloseLeavingNothing(*program, main)); }

  testsupport::TempDir dir;
  std::unique_ptr<RunningProgram> program;
  HWND main = nullptr;
};

TEST_P(FileRefusalsProgram, AStartFileHeldByAnotherProgramIsToldWithItsReason) {
  const std::string source = Write("Gesperrt.txt", "ein Apfel\r\n1\r\n");
  testsupport::HeldOpen held(source);
  ASSERT_TRUE(held.Held());
  ASSERT_NO_FATAL_FAILURE(Start(source));
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
  ASSERT_NO_FATAL_FAILURE(Start(source));
  main = program->WaitForMainWindow();
  ASSERT_NE(main, nullptr) << "the main window did not appear";
  HWND create = Shown(GetParam().create);
  ASSERT_NE(create, nullptr);
  ASSERT_TRUE(SendAndWait(create, BM_CLICK));
  HWND saveText = Shown(GetParam().saveText);
  ASSERT_NE(saveText, nullptr) << "no result page";
  ASSERT_TRUE(program->SaveThroughDialog(main, saveText, target)) << "the save dialog did not save";
  EXPECT_EQ(Told(), GetParam().notSaved + target + "\r\n\r\n" + GetParam().accessDenied);
  EXPECT_EQ(testsupport::ReadBytes(target), "alt");
  SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
  Close();
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, FileRefusalsProgram, ::testing::ValuesIn(kLanguages),
                         [](const ::testing::TestParamInfo<Language>& info) { return std::string(info.param.code); });

}  // namespace
