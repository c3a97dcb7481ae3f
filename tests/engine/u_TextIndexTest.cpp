// The text index: page cutting, the written index, whole runs and the summary.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/u_FileErrors.h"
#include "engine/u_TextIndex.h"
#include "engine/u_WideFuncText.h"
#include "support/TestSupport.h"

namespace {

using Lines = std::vector<std::wstring>;

Lines NumberedLines(int count) {
  Lines lines;
  for (int i = 0; i < count; ++i) lines.push_back(L"l" + std::to_wstring(i));
  return lines;
}

std::vector<std::pair<std::wstring, std::wstring>> LabelsAndTexts(const std::vector<TPage>& pages) {
  std::vector<std::pair<std::wstring, std::wstring>> result;
  for (const auto& page : pages) result.emplace_back(page.Label, page.Text);
  return result;
}

using Cut = std::vector<std::pair<std::wstring, std::wstring>>;

std::wstring Path(const std::string& narrow) { return std::wstring(narrow.begin(), narrow.end()); }

TEST(PageCutting, EveryLineIsAPage) {
  EXPECT_EQ(LabelsAndTexts(FillPagesByLine({L"a", L"", L"c"}, L"1")), (Cut{{L"1", L"a"}, {L"2", L""}, {L"3", L"c"}}));
  EXPECT_EQ(LabelsAndTexts(FillPagesByLine({L"a", L"b"}, L"x")), (Cut{{L"1", L"a"}, {L"2", L"b"}}));
  EXPECT_EQ(LabelsAndTexts(FillPagesByLine({L"a"}, L"-3")), (Cut{{L"-3", L"a"}}));
}

TEST(PageCutting, PageNumbersBelowOrAboveTheirText) {
  const Lines lines = NumberedLines(7);
  TPageCut below = FillPagesByNumbers(lines, {L"1 (2)", L"2 (5)"}, true);
  EXPECT_EQ(LabelsAndTexts(below.Pages), (Cut{{L"1", L".l0.l1."}, {L"2", L".l2.l3.l4."}}));
  TPageCut above = FillPagesByNumbers(lines, {L"1 (2)", L"2 (5)"}, false);
  EXPECT_EQ(LabelsAndTexts(above.Pages), (Cut{{L"1", L".l3.l4."}, {L"2", L".l5.l6."}}));
  EXPECT_EQ(below.SkippedItems + above.SkippedItems, 0);
}

TEST(PageCutting, ListsThatPointOutsideTheTextStayInside) {
  const Lines lines = NumberedLines(4);
  // A line number beyond the text ends the page at the last line.
  EXPECT_EQ(LabelsAndTexts(FillPagesByNumbers(lines, {L"1 (2)", L"2 (40)"}, true).Pages),
            (Cut{{L"1", L".l0.l1."}, {L"2", L".l2.l3."}}));
  EXPECT_EQ(LabelsAndTexts(FillPagesByNumbers(lines, {L"1 (1)", L"2 (40)"}, false).Pages),
            (Cut{{L"1", L".l2.l3."}}));
  // The page-number line on the last line leaves nothing to read above it.
  EXPECT_TRUE(FillPagesByNumbers(lines, {L"1 (3)"}, false).Pages.empty());
  // An unsorted list: the second page still takes the next line, while one exists.
  EXPECT_EQ(LabelsAndTexts(FillPagesByNumbers(lines, {L"1 (3)", L"2 (1)", L"3 (0)"}, true).Pages),
            (Cut{{L"1", L".l0.l1.l2."}, {L"2", L".l3."}}));
  EXPECT_TRUE(FillPagesByNumbers({}, {L"1 (0)"}, true).Pages.empty());
}

TEST(PageCutting, ItemsWhosePageHoldsNoLineAreCounted) {
  const Lines lines = NumberedLines(4);
  TPageCut below = FillPagesByNumbers(lines, {L"1 (1)", L"2 (40)", L"3 (50)", L"4 (60)"}, true);
  EXPECT_EQ(LabelsAndTexts(below.Pages), (Cut{{L"1", L".l0."}, {L"2", L".l1.l2.l3."}}));
  EXPECT_EQ(below.ItemsBeyondText, 2);
  EXPECT_EQ(below.SkippedItems, 0);
  EXPECT_EQ(FillPagesByNumbers(lines, {L"1 (3)"}, false).ItemsBeyondText, 1);
  EXPECT_EQ(FillPagesByNumbers(lines, {L"1 (0)", L"2 (2)"}, false).ItemsBeyondText, 0);
  EXPECT_EQ(FillPagesByNumbers({}, {L"1 (0)", L"x"}, true).ItemsBeyondText, 1);
}

TEST(PageCutting, ItemsThatDoNotReadAreSkippedAndCounted) {
  const Lines lines = NumberedLines(6);
  TPageCut cut = FillPagesByNumbers(lines, {L"Kapitel (1) (2)", L"kaputt", L"3 (vier)", L"4 (4)"}, true);
  EXPECT_EQ(LabelsAndTexts(cut.Pages), (Cut{{L"Kapitel (1)", L".l0.l1."}, {L"4", L".l2.l3."}}));
  EXPECT_EQ(cut.SkippedItems, 2);
}

TIndexStore StoreOf(const Lines& data) { return ParseIndexData(data, {}); }

TEST(IndexText, DefaultLayout) {
  TIndexStore store = StoreOf({L"Haus:1>-|2>-", L"Hof:2>-", L"Apfel:7>-", L"1848:3>-", L"1900:4>-", L"Étude:5>-"});
  TTextIndexLayout layout;
  layout.Heading = L"ignored without the design";
  EXPECT_EQ(WriteTextIndex(store, layout),
            L"Index\r\n\r\nA\r\nApfel 7\r\n\r\nH\r\nHaus 1, 2\r\nHof 2\r\n\r\n1\r\n1848 3\r\n1900 4\r\n\r\n\u00C9\r\n"
            L"\u00C9tude 5\r\n");
  EXPECT_EQ(WriteTextIndex(TIndexStore(), {}), L"Index\r\n");
}

TEST(IndexText, DesignLayout) {
  TIndexStore store = StoreOf({L"Haus:1>-|2>-", L"éclair:9>x", L"\U0001D400x:1>-"});
  TTextIndexLayout layout{true, L"", L": ", L" | ", true, false};
  EXPECT_EQ(WriteTextIndex(store, layout),
            L"\r\nH\r\nHaus: 1 | 2\r\n\u00C9\r\néclair: 9\r\n\U0001D400\r\n\U0001D400x: 1\r\n");
  layout.LetterHeadings = false;
  layout.BlankBeforeHeading = true;
  EXPECT_EQ(WriteTextIndex(store, layout), L"\r\nHaus: 1 | 2\r\néclair: 9\r\n\U0001D400x: 1\r\n");
}

TTextIndexOptions LinePages(const std::wstring& text) {
  TTextIndexOptions options = FactoryTextIndexOptions();
  options.SourceFromFile = false;
  options.SourceText = text;
  options.PagesByLine = true;
  return options;
}

std::wstring Build(const TTextIndexOptions& options, TTextIndexRunResult* details = nullptr) {
  TIndexStore store;
  TTextIndexRunResult result = RunTextIndex(options, store, [](TTextIndexStep, const std::wstring&, int) {});
  if (details) *details = result;
  return result.Output;
}

TEST(TextIndexRun, FactoryOptionsOnLinePages) {
  EXPECT_EQ(Build(LinePages(L"Haus und Hof\r\nHof")), L"Index\r\n\r\nH\r\nHaus 1\r\nHof 1, 2\r\n");
  // Capitalised runs are joined and listed word by word as well; negative words go.
  EXPECT_EQ(Build(LinePages(L"Aber Berno Kalwe kam\r\nKalwe")),
            L"Index\r\n\r\nB\r\nBerno Kalwe 1\r\nBerno; Berno Kalwe 1\r\n\r\nK\r\nKalwe 2\r\n"
            L"Kalwe; Berno Kalwe 1\r\n");
}

TEST(TextIndexRun, PagesCutAtDetectedNumbersAndReported) {
  TTextIndexOptions options = FactoryTextIndexOptions();
  options.SourceFromFile = false;
  options.SourceText = L"Haus\r\n1\r\nHaus Dach\r\n2\r\n";
  options.PageList = {L"1 (1)", L"2 (3)", L"Unsinn"};
  std::vector<int> positions;
  TIndexStore store;
  TTextIndexRunResult result = RunTextIndex(options, store, [&](TTextIndexStep step, const std::wstring&, int at) {
    if (step == TTextIndexStep::ReadingPage) positions.push_back(at);
  });
  EXPECT_EQ(result.Output, L"Index\r\n\r\nD\r\nDach 2\r\n\r\nH\r\nHaus 1, 2\r\n");
  EXPECT_EQ(result.PageCount, 2u);
  EXPECT_EQ(result.SkippedPageItems, 1);
  EXPECT_EQ(positions, (std::vector<int>{50, 75}));
  EXPECT_EQ(FormatIndexData(store), (Lines{L"Dach:2>-", L"Haus:1>-|2>-"}));
}

TEST(TextIndexRun, ProgressMovesOnLongBooks) {
  std::wstring text;
  for (int i = 0; i < 500; ++i) text += L"Wort\r\n";
  std::vector<int> positions;
  TIndexStore store;
  RunTextIndex(LinePages(text), store, [&](TTextIndexStep step, const std::wstring&, int at) {
    if (step == TTextIndexStep::ReadingPage) positions.push_back(at);
  });
  ASSERT_EQ(positions.size(), 500u);
  EXPECT_LT(positions.front(), 2);
  EXPECT_GE(positions.back(), 99);
  EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
}

TEST(TextIndexRun, ExtendingAnIndexFile) {
  testsupport::TempDir dir;
  std::string idx = dir.File("alt.idx");
  testsupport::WriteBytes(idx, "Haus:7>-\r\nDach Ziegel:9>-\r\nDach; Dach Ziegel:9>-\r\n\xC3\x84" "rger:3>-\r\n");
  TTextIndexOptions options = LinePages(L"Haus \u00C4rger");
  options.ExtendIndex = true;
  options.IndexPath = Path(idx);
  TTextIndexRunResult result;
  EXPECT_EQ(Build(options, &result),
            L"Index\r\n\r\nA\r\n\u00C4rger 3, 1\r\n\r\nD\r\nDach Ziegel 9\r\nDach; Dach Ziegel 9\r\n\r\nH\r\n"
            L"Haus 7, 1\r\n\r\nZ\r\nZiegel; Dach Ziegel 9\r\n");
  EXPECT_FALSE(result.IndexFileUnusable);

  options.IndexPath = Path(dir.File("fehlt.idx"));
  EXPECT_EQ(Build(options, &result), L"Index\r\n\r\nA\r\n\u00C4rger 1\r\n\r\nH\r\nHaus 1\r\n");
  EXPECT_TRUE(result.IndexFileUnusable);
  EXPECT_NE(IndexFileUnusableMessage(options.IndexPath, "de").find(options.IndexPath), std::wstring::npos);
}

// Characters a book holds as themselves keep their place in its words, as they always did (the
// factory negative list takes "Das" before its no-break space): only the references of HTML
// documents are read for their words, and a book's "&nbsp;" is text.
TEST(TextIndexRun, ABookKeepsItsOwnCharactersInItsWords) {
  EXPECT_EQ(Build(LinePages(L"Das\u00A0Haus am See\r\nHaus\u2013Garten \u00BBTitel\u00AB\r\n"
                            L"Donau\u00ADdampf &nbsp;Hof &amp; Keller")),
            L"Index\r\n\r\nD\r\nDonau\u00ADdampf 3\r\n\r\nH\r\nHaus\u2013Garten 2\r\nHof 3\r\n\r\nK\r\n"
            L"Keller 3\r\n\r\nS\r\nSee 1\r\n\r\n\u00A0\r\n\u00A0Haus 1\r\n\r\n\u00BB\r\n\u00BBTitel\u00AB 2\r\n");
}

TEST(TextIndexRun, ExtendingWithoutTheSplitListsAJoinedWordOnce) {
  testsupport::TempDir dir;
  std::string idx = dir.File("alt.idx");
  testsupport::WriteBytes(idx, "Hans Peter:1>-\r\nHaus:1>-\r\n");
  TTextIndexOptions options = LinePages(L"Er sah Hans Peter am Haus");
  options.FirstPage = L"2";
  options.SplitJoined = false;
  options.ExtendIndex = true;
  options.IndexPath = Path(idx);
  TIndexStore store;
  TTextIndexRunResult result = RunTextIndex(options, store, [](TTextIndexStep, const std::wstring&, int) {});
  EXPECT_EQ(result.Output, L"Index\r\n\r\nH\r\nHans Peter 1, 2\r\nHaus 1, 2\r\n");
  // Extended once more from what it saved: still one line.
  ASSERT_TRUE(SaveTextFileW(IndexDataText(store), options.IndexPath, 65001, false));
  options.FirstPage = L"3";
  EXPECT_EQ(Build(options), L"Index\r\n\r\nH\r\nHans Peter 1, 2, 3\r\nHaus 1, 2, 3\r\n");
}

TEST(TextIndexRun, PageLabelsKeepTheirAmpersandsInTheIndexAndItsData) {
  for (bool split : {true, false}) {
    TTextIndexOptions options = FactoryTextIndexOptions();
    options.SourceFromFile = false;
    options.SourceText = L"Haus\r\nA&B\r\nHaus\r\nC D\r\n";
    options.PageList = {L"A&B (1)", L"C D (3)"};
    options.SplitJoined = split;
    TIndexStore store;
    TTextIndexRunResult result = RunTextIndex(options, store, [](TTextIndexStep, const std::wstring&, int) {});
    EXPECT_EQ(result.Output, L"Index\r\n\r\nH\r\nHaus A&B, C D\r\n") << split;
    EXPECT_EQ(FormatIndexData(store), (Lines{L"Haus:A&B>-|C D>-"})) << split;
  }
}

TEST(TextIndexRun, SameIndexFromEveryEncoding) {
  testsupport::TempDir dir;
  const std::string utf8 = "M\xC3\xBC" "ller baut ein Haus\r\n1\r\nDas Haus von M\xC3\xBC" "ller\r\n2\r\n";
  const std::string ansi = "M\xFC" "ller baut ein Haus\r\n1\r\nDas Haus von M\xFC" "ller\r\n2\r\n";
  std::string utf16 = "\xFF\xFE";
  for (char c : ansi) {
    wchar_t w = static_cast<unsigned char>(c);
    utf16 += static_cast<char>(w & 0xFF);
    utf16 += static_cast<char>(w >> 8);
  }
  std::vector<std::wstring> outputs;
  for (const auto& [name, bytes] : {std::pair{"u8.txt", utf8}, {"ansi.txt", ansi}, {"u16.txt", utf16}}) {
    testsupport::WriteBytes(dir.File(name), bytes);
    TTextIndexOptions options = FactoryTextIndexOptions();
    options.SourcePath = Path(dir.File(name));
    options.PageList = {L"1 (1)", L"2 (3)"};
    outputs.push_back(Build(options));
  }
  EXPECT_EQ(outputs[0], L"Index\r\n\r\nH\r\nHaus 1, 2\r\n\r\nM\r\nM\u00FCller 1, 2\r\n");
  EXPECT_EQ(outputs[1], outputs[0]);
  EXPECT_EQ(outputs[2], outputs[0]);
}

// A NUL shows in the source memo as U+FFFD: the file's text is indexed as the memo shows it, the
// same from the file as from the memo's text.
TEST(TextIndexRun, ASourceFileWithANulIsIndexedAsTheMemoShowsIt) {
  testsupport::TempDir dir;
  const char bytes[] = "Haus Baum\r\nGarten\0Hof\r\nTeich\0\0\r\n";
  testsupport::WriteBytes(dir.File("garten.txt"), std::string(bytes, sizeof bytes - 1));
  TTextIndexOptions fromFile = FactoryTextIndexOptions();
  fromFile.SourcePath = Path(dir.File("garten.txt"));
  fromFile.PagesByLine = true;
  const std::wstring expected =
      L"Index\r\n\r\nB\r\nBaum 1\r\n\r\nG\r\nGarten\uFFFDHof 2\r\n\r\nH\r\nHaus 1\r\n\r\nT\r\nTeich\uFFFD\uFFFD 3\r\n";
  EXPECT_EQ(Build(fromFile), expected);
  EXPECT_EQ(Build(LinePages(L"Haus Baum\r\nGarten\uFFFDHof\r\nTeich\uFFFD\uFFFD\r\n")), expected);
}

// A folder or a device named as the source has no text to index: the run is refused with the
// reason, where it would otherwise build an empty index as if the source were empty. A name of
// nothing at all is passed over as ever.
TEST(TextIndexRun, ASourceThatIsNoFileIsRefusedAndAMissingOneReadsNothing) {
  testsupport::TempDir dir;
  const std::pair<std::wstring, const wchar_t*> refused[] = {
      {Path(dir.Path()), L"The name is that of a folder, not of a file."},
      {L"COM1", L"The name is that of a device or a pipe, not of a file."},
  };
  for (const auto& [name, reason] : refused) {
    TTextIndexOptions options = FactoryTextIndexOptions();
    options.SourcePath = name;
    options.PagesByLine = true;
    try {
      ReadSourceLines(options);
      ADD_FAILURE() << "read from " << std::string(name.begin(), name.end());
    } catch (const std::exception& error) {
      EXPECT_EQ(ErrorMessage(error, "en"), L"The file could not be opened: " + name + L"\r\n\r\n" + reason);
    }
  }
  TTextIndexOptions missing = FactoryTextIndexOptions();
  missing.SourcePath = Path(dir.File("fehlt.txt"));
  EXPECT_EQ(ReadSourceLines(missing), Lines());
}

TEST(TextIndexSummaryText, BothLanguages) {
  TTextIndexOptions options = FactoryTextIndexOptions();
  options.SourcePath = L"C:\\Buch.txt";
  EXPECT_EQ(TextIndexSummary(options, "de"),
            L"Quelle\r\n - Datei: C:\\Buch.txt\r\n\r\nSeitenzahlen\r\n - Benutzerdefinierte Einstellungen\r\n\r\n"
            L"Suchkriterien\r\n - Worte mit kleinen Buchstaben werden aussortiert\r\n - Zahlen werden aussortiert\r\n"
            L" - Worte aus Negativliste werden aussortiert\r\n - Minimale Wordlänge: 3\r\n\r\nIndex Eigenschaften\r\n"
            L" - Doppelte Seitenangaben werden aussortiert\r\n"
            L" - Zusammenhänge Wörter werden zusammen in den Index aufgenommen\r\n"
            L" - Zusammenhänge Wörter werden mehrfach in den Index aufgenommen\r\n\r\n\r\n"
            L"Klicken Sie auf \"Index erstellen\", um den Index mit diesen Vorgaben zu schreiben.");
  options = TTextIndexOptions{};
  options.SourceFromFile = false;
  options.PagesByLine = true;
  options.SplitJoined = options.RemoveDuplicatePages = false;
  options.Pipeline.DropUppercase = options.Pipeline.PositiveList = true;
  options.ExtendIndex = options.Layout.UseDesign = true;
  options.IndexPath = L"D:\\alt.idx";
  EXPECT_EQ(TextIndexSummary(options, "en"),
            L"Source\r\n - Text is used as Source\r\n\r\nPage Numbers\r\n - Every Line is a New Page\r\n\r\n"
            L"Criteria\r\n - Upper Words will be removed\r\n - Search for Words from White List\r\n\r\nIndex\r\n"
            L" - Items will be added to Existing Index\r\n   File: D:\\alt.idx\r\n - User Defined Design\r\n\r\n\r\n"
            L"Click on \"Create Index\" to write your Index with these Settings.");
  EXPECT_EQ(TextIndexSummary(options, "fr"), L"");
}

}  // namespace
