// Files the program cannot read or write, met through the real windows (not shown): what the
// user is told, in the program's language, reason included.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "TextIndexWindows.h"
#include "forms/u_fileix.h"
#include "forms/u_prog.h"
#include "forms/u_start.h"
#include "support/TestSupport.h"

namespace {

using formstest::FileIndexWindows;
using formstest::MessageBoxes;
using formstest::Wide;

struct Language {
  const char* code;
  const char* notOpened;
  const char* heldOpen;
};

const Language kLanguages[] = {
    {"de", "Die Datei konnte nicht ge\xF6" "ffnet werden: ", "Die Datei wird von einem anderen Programm verwendet."},
    {"en", "The file could not be opened: ", "The file is in use by another program."},
};

class FileRefusals : public ::testing::TestWithParam<Language> {
 protected:
  FileRefusals() { start->spr->SetCaption(GetParam().code); }
  std::string Write(const std::string& name, const std::string& bytes) {
    testsupport::WriteBytes(dir.File(name), bytes);
    return dir.File(name);
  }
  std::string NotOpened(const std::string& path, const char* reason) {
    return GetParam().notOpened + path + "\r\n\r\n" + reason;
  }
  FileIndexWindows windows;
  testsupport::TempDir dir;
  MessageBoxes boxes;
};

TEST_P(FileRefusals, ATypedSourceThatCannotBeReadIsToldInTheProgramsLanguage) {
  const std::string path = Write("buch.txt", "Haus\r\n");
  prog->original->SetText(L"Bisher");
  testsupport::HeldOpen held(path);
  ASSERT_TRUE(held.Held());
  prog->edit_quelle->SetText(Wide(path));
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_EQ(boxes.texts[0], NotOpened(path, GetParam().heldOpen));
  EXPECT_EQ(prog->original->GetText(), L"Bisher");
}

TEST_P(FileRefusals, ARunsUnreadableListEntryIsToldInTheProgramsLanguage) {
  const std::string path = Write("kapitel.txt", "Anker Boje");
  AddFileToFileList(prog->qulist, Wide(path));
  testsupport::HeldOpen held(path);
  ASSERT_TRUE(held.Held());
  formstest::Click(prog->dstart);
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_EQ(boxes.texts[0], NotOpened(path, GetParam().heldOpen));
  EXPECT_EQ(prog->dct->GetActivePage(), prog->td5) << "the wizard stays usable";
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, FileRefusals, ::testing::ValuesIn(kLanguages),
                         [](const ::testing::TestParamInfo<Language>& info) { return std::string(info.param.code); });

}  // namespace
