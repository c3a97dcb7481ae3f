// Word documents read through Word's automation interface, against a stand-in Word server of our
// own that records every late-bound call.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/WordStandIn.h"
#include "classlib/ComObj.h"
#include "classlib/Dialogs.h"
#include "engine/u_IndexStore.h"
#include "engine/u_PageNumbers.h"
#include "engine/u_TextIndex.h"
#include "engine/u_WideFunc.h"
#include "engine/u_WideFuncText.h"
#include "support/TestSupport.h"

namespace {

using Calls = std::vector<std::wstring>;
using wordstandin::TWordStandIn;

// The calls before the first page; a Word started by the import is first told to stay hidden.
Calls Opening(const std::wstring& path, bool startedHidden) {
  Calls calls = {L"get Application.Visible"};
  if (startedHidden) calls.push_back(L"put Application.Visible = False");
  calls.insert(calls.end(), {L"get Application.Documents", L"call Documents.Open(&\"" + path + L"\")",
                             L"get Application.ActiveDocument", L"call Document.ComputeStatistics(2)",
                             L"get Application.Browser", L"put Browser.Target = &1"});
  return calls;
}

// One page: five reads down to its text, then the browser moves on.
void AddPages(Calls& calls, int pages) {
  for (int i = 0; i < pages; ++i)
    calls.insert(calls.end(), {L"get Application.ActiveDocument", L"get Document.Bookmarks",
                               L"call Bookmarks.Item(&\"\\page\")", L"get Bookmark.Range", L"get Range.Text",
                               L"call Browser.Next()"});
}

const wchar_t kQuit[] = L"call Application.Quit(&0)";

Calls Expected(const std::wstring& path, bool startedHidden, int pages, bool quit) {
  Calls calls = Opening(path, startedHidden);
  AddPages(calls, pages);
  if (quit) calls.push_back(kQuit);
  return calls;
}

class WordImportTest : public ::testing::Test {
 protected:
  WordImportTest() {
    m_previous = SetMessageBoxAnswerer([this](const TMessageBoxRequest& request) {
      m_boxes.push_back(request);
      return IDOK;
    });
  }
  ~WordImportTest() override { SetMessageBoxAnswerer(m_previous); }

  // A document whose pages are separated by form feeds (UTF-8).
  std::wstring Document(const std::string& pages, const std::string& name = "brief.doc") {
    testsupport::WriteBytes(m_dir.File(name), pages);
    std::string path = m_dir.File(name);
    return std::wstring(path.begin(), path.end());
  }

  testsupport::TempDir m_dir;
  std::vector<TMessageBoxRequest> m_boxes;

 private:
  TMessageBoxAnswerer m_previous;
};

TEST_F(WordImportTest, TheTextFileReaderReadsEveryPageThroughWord) {
  TWordStandIn word;
  auto& state = word.State();
  const std::wstring path = Document("Eins\fZwei");
  EXPECT_EQ(LoadTextFileW(path), L"Eins\r\n1\r\nZwei\r\n2\r\n");
  EXPECT_EQ(state.Calls, Expected(path, true, 2, true));
  EXPECT_EQ(state.Quits, 1);
  EXPECT_FALSE(state.Visible);
  EXPECT_EQ(state.LiveObjects, 0);
  EXPECT_TRUE(m_boxes.empty());

  // Any case of either extension goes to Word.
  const std::wstring docx = Document("Drei", "Brief.DocX");
  EXPECT_EQ(LoadTextFileW(docx), L"Drei\r\n1\r\n");
  EXPECT_EQ(state.OpenDocuments, Calls{});
}

TEST_F(WordImportTest, PageLimitsAndPageCounts) {
  TWordStandIn word;
  auto& state = word.State();
  const std::wstring path = Document("Eins\fZwei");
  const struct {
    int maxPages;
    const wchar_t* text;
    int pagesRead;
  } cases[] = {{0, L"", 0}, {1, L"Eins\r\n1\r\n", 1}, {2, L"Eins\r\n1\r\nZwei\r\n2\r\n", 2},
               {5, L"Eins\r\n1\r\nZwei\r\n2\r\n", 2}, {-1, L"Eins\r\n1\r\nZwei\r\n2\r\n", 2},
               {-7, L"Eins\r\n1\r\nZwei\r\n2\r\n", 2}};
  for (const auto& c : cases) {
    state.Calls.clear();
    EXPECT_EQ(ReadWordDocument(path, c.maxPages, "en"), c.text) << c.maxPages;
    EXPECT_EQ(state.Calls, Expected(path, true, c.pagesRead, true)) << c.maxPages;
  }
  EXPECT_EQ(state.Quits, static_cast<int>(std::size(cases)));

  // Word counts no pages: nothing is read. Numbers are the ordinals of the pages read.
  state.Calls.clear();
  EXPECT_EQ(ReadWordDocument(Document(""), -1, "en"), L"");
  EXPECT_EQ(state.Calls, Expected(Document(""), true, 0, true));
  state.PageCountOverride = 3;
  EXPECT_EQ(ReadWordDocument(Document("7\f8\f9"), 2, "en"), L"7\r\n1\r\n8\r\n2\r\n");
  EXPECT_EQ(state.LiveObjects, 0);
}

TEST_F(WordImportTest, ParagraphMarksBecomeLineEnds) {
  TWordStandIn word;
  // Word ends paragraphs with CR; CR LF stays one line end and a lone LF stays as it is.
  EXPECT_EQ(ReadWordDocument(Document("a\rb\r\nc\nd\r\fe\r\r"), -1, "de"),
            L"a\r\nb\r\nc\nd\r\n\r\n1\r\ne\r\n\r\n\r\n2\r\n");
}

TEST_F(WordImportTest, AWordTheUserHasOpenKeepsRunningWithTheDocument) {
  TWordStandIn word;
  auto& state = word.State();
  state.Visible = true;
  const std::wstring path = Document("Eins");
  EXPECT_EQ(LoadTextFileW(path), L"Eins\r\n1\r\n");
  EXPECT_EQ(state.Calls, Expected(path, false, 1, false));
  EXPECT_EQ(state.Quits, 0);
  EXPECT_TRUE(state.Visible);
  EXPECT_EQ(state.OpenDocuments, Calls{path});
  EXPECT_EQ(state.LiveObjects, 0);
}

TEST_F(WordImportTest, ErrorsReachTheCallerAfterAHiddenWordIsClosed) {
  const std::wstring path = Document("Eins\fZwei");
  const struct {
    const wchar_t* failAt;
    size_t callsBeforeFailure;  // the failing call included
  } cases[] = {{L"Application.Documents", 3}, {L"Documents.Open", 4}, {L"Document.ComputeStatistics", 6},
               {L"Browser.Target", 8},        {L"Range.Text", 13},    {L"Browser.Next", 14}};
  for (const auto& c : cases) {
    TWordStandIn word;
    auto& state = word.State();
    state.FailAt = c.failAt;
    try {
      LoadTextFileW(path);
      ADD_FAILURE() << "no error at " << testing::PrintToString(std::wstring(c.failAt));
    } catch (const EOleException& error) {
      EXPECT_EQ(error.GetErrorCode(), wordstandin::kFailureCode);
      EXPECT_EQ(error.GetSource(), wordstandin::kFailureSource);
      const std::string message = error.GetMessage();
      EXPECT_NE(message.find("0x800A1436"), std::string::npos) << message;
      EXPECT_NE(message.find("Microsoft Word"), std::string::npos) << message;
      EXPECT_NE(message.find("The stand-in fails at"), std::string::npos) << message;
    }
    Calls expected = Expected(path, true, 2, false);
    expected.resize(c.callsBeforeFailure);
    expected.push_back(kQuit);
    EXPECT_EQ(state.Calls, expected) << testing::PrintToString(std::wstring(c.failAt));
    EXPECT_EQ(state.Quits, 1);
    EXPECT_EQ(state.LiveObjects, 0);
  }
}

TEST_F(WordImportTest, ErrorsLeaveAWordAloneThatWasNotOurs) {
  const std::wstring path = Document("Eins");
  {
    // Open by the user: never closed, also when reading fails.
    TWordStandIn word;
    word.State().Visible = true;
    word.State().FailAt = L"Documents.Open";
    EXPECT_THROW(ReadWordDocument(path, -1, "en"), EOleException);
    EXPECT_EQ(word.State().Quits, 0);
    EXPECT_EQ(word.State().Calls.back(), L"call Documents.Open(&\"" + path + L"\")");
    EXPECT_EQ(word.State().LiveObjects, 0);
  }
  {
    // Whether Word was visible is unknown: it is not closed (that could lose the user's work).
    TWordStandIn word;
    word.State().FailAt = L"Application.Visible";
    EXPECT_THROW(ReadWordDocument(path, -1, "en"), EOleException);
    EXPECT_EQ(word.State().Calls, Calls{L"get Application.Visible"});
    EXPECT_EQ(word.State().LiveObjects, 0);
  }
  {
    // Closing fails after every page was read: that error is reported too.
    TWordStandIn word;
    word.State().FailAt = L"Application.Quit";
    EXPECT_THROW(ReadWordDocument(path, -1, "en"), EOleException);
    EXPECT_EQ(word.State().Calls, Expected(path, true, 1, true));
    EXPECT_EQ(word.State().LiveObjects, 0);
  }
  {
    // A document Word cannot find is Word's own error.
    TWordStandIn word;
    try {
      ReadWordDocument(path + L".fehlt.doc", -1, "en");
      ADD_FAILURE() << "no error for a missing document";
    } catch (const EOleSysError& error) {
      EXPECT_EQ(error.GetErrorCode(), static_cast<HRESULT>(0x800A13E9));
      EXPECT_NE(error.GetMessage().find("could not be found"), std::string::npos) << error.GetMessage();
    }
    EXPECT_EQ(word.State().Quits, 1);
  }
}

TEST_F(WordImportTest, WithoutWordTheUserIsToldInTheProgramsLanguage) {
  wordstandin::TStandInLock noStandIn;
  if (wordstandin::RealWordRegistered()) GTEST_SKIP() << "Word is installed here";
  const std::wstring path = Document("Eins");
  EXPECT_EQ(ReadWordDocument(path, -1, "de"), L"");
  EXPECT_EQ(ReadWordDocument(path, 2, "en"), L"");
  EXPECT_EQ(ReadWordDocument(path, -1, "fr"), L"");
  // Reading a document as a text file without a program that says otherwise: English.
  EXPECT_EQ(LoadTextFileW(path), L"");
  const char german[] = "Aktion abgebrochen. Microsoft Word\xAE wurde nicht gefunden.";
  const char english[] = "Action canceled. Microsoft Word\xAE was not found.";
  ASSERT_EQ(m_boxes.size(), 4u);
  const std::string texts[] = {german, english, english, english};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(m_boxes[i].Text, texts[i]);
    EXPECT_EQ(m_boxes[i].Flags & (MB_ICONERROR | MB_OK | MB_OKCANCEL | MB_YESNO), UINT(MB_ICONERROR | MB_OK));
    EXPECT_EQ(m_boxes[i].Caption, "Error");
  }
}

// A run over a list of files: without Word, its documents are listed instead of told of one by one,
// and the run's one message names them, the first twenty by name and the rest counted.
TEST_F(WordImportTest, WithoutWordARunListsItsDocumentsForOneMessage) {
  wordstandin::TStandInLock noStandIn;
  if (wordstandin::RealWordRegistered()) GTEST_SKIP() << "Word is installed here";
  std::vector<std::wstring> paths;
  for (int i = 0; i < 23; ++i) paths.push_back(Document("Eins", "brief" + std::to_string(i) + ".doc"));
  {
    TWordDocumentsSkipped run;
    EXPECT_EQ(run.Message("de"), L"");
    for (const auto& path : paths) EXPECT_EQ(LoadTextFileW(path), L"");
    {
      TWordDocumentsSkipped inner;
      EXPECT_EQ(ReadWordDocument(paths[0], -1, "de"), L"");
      EXPECT_EQ(inner.Names(), std::vector<std::wstring>{paths[0]});
    }
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_EQ(run.Names(), paths);
    std::wstring german = L"Microsoft Word\u00AE wurde nicht gefunden. Diese Dokumente wurden \u00FCbersprungen:";
    std::wstring english = L"Microsoft Word\u00AE was not found. These documents were skipped:";
    for (size_t i = 0; i < 20; ++i) {
      german += L"\r\n" + paths[i];
      english += L"\r\n" + paths[i];
    }
    EXPECT_EQ(run.Message("de"), german + L"\r\nund 3 weitere");
    EXPECT_EQ(run.Message("en"), english + L"\r\nand 3 more");
  }
  // Outside a run, a document is told of on its own again.
  EXPECT_EQ(ReadWordDocument(paths[0], -1, "en"), L"");
  ASSERT_EQ(m_boxes.size(), 1u);
  EXPECT_EQ(m_boxes[0].Text, "Action canceled. Microsoft Word\xAE was not found.");
}

TEST_F(WordImportTest, PagesOfADocumentBecomeThePagesOfTheTextIndex) {
  TWordStandIn word;
  const std::wstring path = Document("Haus am See\r\fHof und Haus\r\fSee\r");
  TTextIndexOptions options = FactoryTextIndexOptions();
  options.SourcePath = path;
  options.PageList = FindPageNumbers(SplitTextLines(LoadTextFileW(path)), TPageNumberCriteria{});
  EXPECT_EQ(options.PageList, (std::vector<std::wstring>{L"1 (2)", L"2 (5)", L"3 (8)"}));
  TIndexStore store;
  TTextIndexRunResult result = RunTextIndex(options, store, [](TTextIndexStep, const std::wstring&, int) {});
  EXPECT_EQ(result.Output, L"Index\r\n\r\nH\r\nHaus 1, 2\r\nHof 2\r\n\r\nS\r\nSee 1, 3\r\n");
  EXPECT_EQ(word.State().Quits, 2);
  EXPECT_EQ(word.State().LiveObjects, 0);
}

}  // namespace
