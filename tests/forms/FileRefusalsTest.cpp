// Files the program cannot read or write, met through the real windows (not shown): what the
// user is told, in the program's language, reason included.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "TextIndexWindows.h"
#include "forms/u_fileix.h"
#include "forms/u_quhopt.h"
#include "forms/u_prog.h"
#include "forms/u_start.h"
#include "forms/u_wortlisten.h"
#include "support/TestSupport.h"

namespace {

using formstest::FileIndexWindows;
using formstest::MessageBoxes;
using formstest::Wide;

struct Language {
  const char* code;
  const char* notOpened;
  const char* severalNotOpened;
  const char* configurationNotLoaded;
  const char* heldOpen;
  const char* device;
  const char* folder;
  const char* notFound;
};

const Language kLanguages[] = {
    {"de", "Die Datei konnte nicht ge\xF6" "ffnet werden: ", "Diese Dateien konnten nicht ge\xF6" "ffnet werden:",
     "Die Konfiguration konnte nicht geladen werden: ", "Die Datei wird von einem anderen Programm verwendet.",
     "Der Name bezeichnet ein Ger\xE4t oder eine Pipe, keine Datei.", "Der Name bezeichnet einen Ordner, keine Datei.",
     "Die Datei wurde nicht gefunden."},
    {"en", "The file could not be opened: ", "These files could not be opened:",
     "The configuration could not be loaded: ", "The file is in use by another program.",
     "The name is that of a device or a pipe, not of a file.", "The name is that of a folder, not of a file.",
     "The file was not found."},
};

std::vector<std::string> Sources(TListView* list) {
  std::vector<std::string> sources;
  for (int i = 0; i < list->GetItems()->GetCount(); ++i)
    sources.push_back(formstest::Narrow(list->GetItems()->GetItem(i)->GetSubItems()->Get(4)));
  std::sort(sources.begin(), sources.end());
  return sources;
}

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

TEST_P(FileRefusals, ANameTypedIntoAFileListThatIsNoFileIsRefusedWithoutReadingIt) {
  const std::string file = Write("anker.txt", "Anker");
  const std::string folder = dir.File("Ordner");
  CreateDirectoryA(folder.c_str(), nullptr);
  struct Case {
    std::string name;
    const char* reason;  // told; nullptr: nothing told
    bool added;
  };
  const Case cases[] = {
      {"COM1", GetParam().device, false},
      {dir.File("aux.txt"), GetParam().device, false},
      {folder, GetParam().folder, false},
      {dir.File("fehlt.txt"), nullptr, false},  // a name of nothing is passed over silently
      {file, nullptr, true},
  };
  const std::pair<TEdit*, TListView*> lists[] = {{prog->qudatei, prog->qulist}, {prog->squpfad, prog->squlist}};
  for (const auto& [edit, list] : lists) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name);
      boxes.texts.clear();
      edit->SetText(Wide(c.name));
      formstest::Type(edit->GetHandle(), "\r");
      EXPECT_EQ(boxes.texts, c.reason ? std::vector<std::string>{NotOpened(c.name, c.reason)} : std::vector<std::string>());
      EXPECT_EQ(Sources(list), c.added ? std::vector<std::string>{file} : std::vector<std::string>());
    }
  }
}

TEST_P(FileRefusals, TheSourceEditPassesOverNamesThatAreNoFiles) {
  const std::string file = Write("buch.txt", "Haus\r\n");
  prog->original->SetText(L"Bisher");
  // Typed letter by letter, a name passes through device names and folders on its way.
  for (const std::string& name : {std::string("C"), std::string("Co"), std::string("Con"), std::string("COM1"),
                                  std::string("nul.txt"), dir.Path(), dir.Path() + "\\"}) {
    prog->edit_quelle->SetText(Wide(name));
    EXPECT_EQ(prog->original->GetText(), L"Bisher") << name;
  }
  EXPECT_EQ(boxes.texts, std::vector<std::string>());
  prog->edit_quelle->SetText(Wide(file));
  EXPECT_EQ(prog->original->GetText(), L"Haus\r\n");
}

TEST_P(FileRefusals, EachDroppedFileIsAddedOrSkippedOnItsOwn) {
  const std::string first = Write("anker.txt", "Anker"), last = Write("boje.txt", "Boje");
  const std::string page = Write("seite.html", "<a href=\"anker.txt\">Anker</a>");
  const std::string folder = dir.File("Ordner"), missing = dir.File("fehlt.txt");
  CreateDirectoryA(folder.c_str(), nullptr);
  // The link scan of the page cannot read it: the page is listed, its links are not.
  quhopt->dadweitere->SetChecked(true);
  prog->rand_btdidx->Click();
  testsupport::HeldOpen held(page);
  ASSERT_TRUE(held.Held());
  formstest::DropOnto(prog->qulist, {Wide(first), L"COM1", Wide(folder), Wide(page), Wide(missing), Wide(last)});
  EXPECT_EQ(Sources(prog->qulist), (std::vector<std::string>{first, last, page}));
  // Told once, each with its reason, the folder too.
  EXPECT_EQ(boxes.texts, std::vector<std::string>{std::string(GetParam().severalNotOpened) + "\r\n\r\nCOM1\r\n" +
                                                  GetParam().device + "\r\n\r\n" + folder + "\r\n" +
                                                  GetParam().folder + "\r\n\r\n" + page + "\r\n" +
                                                  GetParam().heldOpen + "\r\n\r\n" + missing + "\r\n" +
                                                  GetParam().notFound});
  // One file alone is told as one.
  boxes.texts.clear();
  formstest::DropOnto(prog->qulist, {L"LPT1"});
  EXPECT_EQ(boxes.texts, std::vector<std::string>{NotOpened("LPT1", GetParam().device)});
}

TEST_P(FileRefusals, ADeviceIsReadNowhereAUserNamesAFile) {
  prog->original->SetText(L"Quelle");
  posliste->liste->SetText(L"Berno Kalwe");
  struct Case {
    const char* what;
    const char* device;
    bool chosenInADialog;
    std::function<void()> use;
  };
  const Case cases[] = {
      {"the index to extend", "COM1", false,
       [] {
         prog->kt_index->SetCaption("COM1");
         prog->kt_integrieren->SetChecked(true);
         prog->sz_zeilezuseite->SetChecked(true);
         formstest::Click(prog->ft_start);
         prog->kt_integrieren->SetChecked(false);
       }},
      {"a source loaded into the memo", "NUL", true, [] { formstest::Click(prog->qu_laden); }},
      {"a word list loaded", "aux.txt", true, [] { formstest::Click(posliste->laden); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    boxes.texts.clear();
    formstest::DialogAnswers answers;
    if (c.chosenInADialog) answers.Choose(c.device);
    c.use();
    EXPECT_EQ(boxes.texts, std::vector<std::string>{NotOpened(c.device, GetParam().device)});
  }
  EXPECT_EQ(prog->original->GetText(), L"Quelle");
  EXPECT_EQ(posliste->liste->GetText(), L"Berno Kalwe");
}

TEST_P(FileRefusals, LinksToNamesThatAreNoFilesMakeNoRows) {
  CreateDirectoryA(dir.File("kapitel").c_str(), nullptr);
  const std::string text = Write("anker.txt", "Anker");
  const std::string page = Write("seite.html", "<a href=\"aux.txt\">A</a><a href=\"nul\">N</a>"
                                               "<a href=\"kapitel\">K</a><a href=\"anker.txt\">Anker</a>");
  prog->rand_btdidx->Click();
  quhopt->dadweitere->SetChecked(true);
  formstest::DropOnto(prog->qulist, {Wide(page)});
  EXPECT_EQ(Sources(prog->qulist), (std::vector<std::string>{text, page}));
  // The run reads every row.
  formstest::Click(prog->dstart);
  EXPECT_EQ(boxes.texts, std::vector<std::string>());
  EXPECT_NE(prog->doutput->GetText().find(L"Anker"), std::wstring::npos);
}

TEST_P(FileRefusals, AConfigurationThatIsNoFileIsRefused) {
  const std::string device = dir.File("COM1.qcfg");
  prog->TakeCommandLine({Wide(device)});
  EXPECT_EQ(boxes.texts, std::vector<std::string>{GetParam().configurationNotLoaded + device + "\r\n\r\n" +
                                                  GetParam().device});
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, FileRefusals, ::testing::ValuesIn(kLanguages),
                         [](const ::testing::TestParamInfo<Language>& info) { return std::string(info.param.code); });

}  // namespace
