// The file wizard and the keyword wizard used as a user uses them, from another process, in
// German and in English: the wizard chosen on the side bar, three documents dropped onto its
// list from the shell, the index built with the wizard's buttons, the result saved through the
// real save dialog, the program closed. The file index pages are left in bin/app-out for the
// independent checkers.
#include <gtest/gtest.h>
#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

#include "ProgramDriver.h"
#include "support/TestSupport.h"

using namespace programtest;

namespace {

// The captions a user goes by, as the program shows them in each language.
struct Language {
  const char* code;
  const char* next;
  const char* create;
  const char* saveText;
  const char* codeView;
  const char* designView;
  const char* saveIndex;
};

const Language kLanguages[] = {
    {"de", "weiter >>", "Index Erstellen", "Text Speichern", "Code", "Design", "Index Speichern"},
    {"en", "next >>", "Create Index", "Save Text", "Code", "Design", "Save Index"},
};

void PrintTo(const Language& language, std::ostream* out) { *out << language.code; }

class DocumentWizards : public ::testing::TestWithParam<Language>, protected ProgramSession {
 protected:
  DocumentWizards() { ChooseLanguage(dir, GetParam().code); }

  // Starts the program, clicks its start screen (which brings the main window at once),
  // chooses a wizard on the side bar and drops the documents onto the list it shows.
  void DropOntoWizard(const char* sideBarButton, const std::vector<std::string>& documents) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(ClickSideBarButton(main, sideBarButton));
    list = FindShownListView(main);
    ASSERT_NE(list, nullptr) << "no file list shown";
    EXPECT_EQ(ListViewCaptions(*program, list), std::vector<std::string>());
    ASSERT_TRUE(DropFiles(*program, list, documents));
  }
  // Saves the result through the save dialog that the shown "save text" button opens.
  void SaveText(const std::string& path) {
    HWND saveText = Shown(GetParam().saveText);
    ASSERT_NE(saveText, nullptr) << "no result page";
    DeleteFileA(path.c_str());
    ASSERT_TRUE(program->SaveThroughDialog(main, saveText, path)) << "the save dialog did not save";
  }

  HWND list = nullptr;
};

TEST_P(DocumentWizards, FileWizardBuildsAndSavesTheIndexPageOfDroppedDocuments) {
  const Language& language = GetParam();
  const std::vector<std::string> documents = {
      Write("hafen.html", "<html><head><title>Hafen</title></head><body><p>Anker und Boje</p></body></html>"),
      Write("see.txt", "Anker Segel"),
      Write("fluss.txt", "Boje Ufer"),
  };
  ASSERT_NO_FATAL_FAILURE(DropOntoWizard("rand_btdidx", documents));
  // One row each, labelled by name; the list keeps its rows sorted by label.
  EXPECT_EQ(ListViewCaptions(*program, list), (std::vector<std::string>{"Fluss", "Hafen", "See"}));

  // Source, settings, summary: then the run.
  HWND next = Shown(language.next);
  HWND create = Shown(language.create);
  ASSERT_NE(next, nullptr);
  ASSERT_NE(create, nullptr);
  for (int page = 0; page < 2; ++page) ASSERT_TRUE(SendAndWait(next, BM_CLICK));
  EXPECT_FALSE(IsWindowEnabled(next)) << "the summary page is the last before the run";
  ASSERT_TRUE(SendAndWait(create, BM_CLICK));

  const std::string out = testsupport::ExeFolder() + "app-out";
  CreateDirectoryA(out.c_str(), nullptr);
  const std::string page = out + "\\filewizard-" + language.code + ".html";
  ASSERT_NO_FATAL_FAILURE(SaveText(page));
  const std::string saved = testsupport::ReadBytes(page);
  // Every keyword of the documents, each with the links of the documents that hold it.
  for (const char* word : {"Anker", "Boje", "Segel", "Ufer"}) EXPECT_NE(saved.find(word), std::string::npos) << word;
  for (const char* link : {"hafen.html", "see.txt", "fluss.txt"})
    EXPECT_NE(saved.find(std::string("href=\"") + link + "\""), std::string::npos) << link;

  // The index data file: each keyword with the label and link of every document holding it,
  // in the order of the list; the name typed without extension gets ".idx".
  HWND saveIndex = Shown(language.saveIndex);
  ASSERT_NE(saveIndex, nullptr);
  ASSERT_TRUE(program->SaveThroughDialog(main, saveIndex, dir.File("Register"))) << "the save dialog did not save";
  EXPECT_EQ(testsupport::ReadBytes(dir.File("Register.idx")),
            "Anker:Hafen>hafen.html|See>see.txt\r\nBoje:Fluss>fluss.txt|Hafen>hafen.html\r\nHafen:Hafen>hafen.html\r\n"
            "Segel:See>see.txt\r\nUfer:Fluss>fluss.txt\r\n");

  // The run showed the page from this copy's own preview file ("Zwischenspeichern" is on). The
  // code view shows the page's text; the design view writes the preview file again and shows it
  // in the browser control, which under Wine has no engine and stays empty, but answers.
  EXPECT_EQ(testsupport::TemporaryFilesOf(program->ProcessId()).size(), 1u) << "one preview file of this copy";
  HWND code = Shown(language.codeView), design = Shown(language.designView);
  ASSERT_NE(code, nullptr);
  ASSERT_NE(design, nullptr);
  ASSERT_TRUE(SendAndWait(code, BM_CLICK));
  HWND memo = FindChild(main, [](HWND w) { return IsWindowVisible(w) && (GetWindowLongA(w, GWL_STYLE) & ES_MULTILINE); });
  ASSERT_NE(memo, nullptr) << "no code view";
  EXPECT_NE(MemoText(memo).find("Anker"), std::string::npos);
  ASSERT_TRUE(SendAndWait(design, BM_CLICK)) << "the design view does not answer";
  EXPECT_FALSE(IsWindowVisible(memo));
  EXPECT_EQ(testsupport::TemporaryFilesOf(program->ProcessId()).size(), 1u) << "one preview file of this copy";

  Close();
}

TEST_P(DocumentWizards, KeywordWizardBuildsAndSavesTheKeywordsOfDroppedFiles) {
  const std::vector<std::string> documents = {
      Write("eins.txt", "Anker und Boje und Anker"),
      Write("zwei.html", "<html><body><b>Segel</b> und <i>Mast</i></body></html>"),
      Write("drei.txt", "Ufer"),
  };
  ASSERT_NO_FATAL_FAILURE(DropOntoWizard("rand_btstw", documents));
  EXPECT_EQ(ListViewCaptions(*program, list), (std::vector<std::string>{"Drei", "Eins", "Zwei"}));

  HWND create = Shown(GetParam().create);
  ASSERT_NE(create, nullptr);
  ASSERT_TRUE(SendAndWait(create, BM_CLICK));
  const std::string target = dir.File("stichworte.txt");
  ASSERT_NO_FATAL_FAILURE(SaveText(target));
  // One entry per file in list order, with its capitalised words once each in alphabetical
  // order, tags left out; UTF-8 without mark.
  EXPECT_EQ(testsupport::ReadBytes(target),
            "drei.txt: Ufer\r\n\r\neins.txt: Anker, Boje\r\n\r\nzwei.html: Mast, Segel\r\n\r\n");

  Close();
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, DocumentWizards, ::testing::ValuesIn(kLanguages),
                         [](const ::testing::TestParamInfo<Language>& info) { return std::string(info.param.code); });

}  // namespace
