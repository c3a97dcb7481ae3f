// The file index: its store, the plain-text and XHTML writers, whole runs over real files and
// the summary.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/u_FileIndex.h"
#include "engine/u_WideFuncText.h"
#include "ucode/UCodeSysUtils.h"
#include "support/TestSupport.h"
#include "PlainIndexStore.h"

using enginetest::ExpectSameEntries;
using enginetest::PlainIndexStore;

namespace {

std::wstring Wide(const std::string& narrow) { return std::wstring(narrow.begin(), narrow.end()); }

std::vector<std::wstring> Words(const TIndexStore& store, int bucket) {
  std::vector<std::wstring> words;
  for (const auto& entry : store.Bucket(bucket)) words.push_back(entry.Word + L":" + entry.Pages);
  return words;
}

TIndexStore StoreOf(const std::vector<std::vector<std::wstring>>& occurrences) {
  TIndexStore store;
  for (const auto& o : occurrences) AddFileIndexEntry(store, o[0], o[1], o[2], true);
  return store;
}

TEST(FileIndexStoreTest, WholeItemsAreComparedForDoubles) {
  TIndexStore store;
  AddFileIndexEntry(store, L"Haus", L"11", L"a.htm", true);
  AddFileIndexEntry(store, L"Haus", L"1", L"a.htm", true);
  AddFileIndexEntry(store, L"Haus", L"Doc", L"doc.html", true);
  AddFileIndexEntry(store, L"Haus", L"Doc", L"doc.htm", true);
  AddFileIndexEntry(store, L"haus", L"Doc", L"doc.htm", true);
  EXPECT_EQ(Words(store, 'H' - 'A'), (std::vector<std::wstring>{L"Haus:11>a.htm|1>a.htm|Doc>doc.html|Doc>doc.htm"}));
  // Without the option every occurrence repeats the item.
  AddFileIndexEntry(store, L"HAUS", L"Doc", L"doc.htm", false);
  EXPECT_EQ(store.Bucket('H' - 'A')[0].Pages, L"11>a.htm|1>a.htm|Doc>doc.html|Doc>doc.htm|Doc>doc.htm");
}

// Whole documents, some listed twice, some extending an index that holds their items already,
// give the same store as entering every occurrence by the plain rules.
TEST(FileIndexStoreTest, DocumentsGiveTheStoreOfTheirOccurrences) {
  const std::wstring vocabulary[] = {L"Haus", L"haus", L"HAUS", L"\u00DCber", L"\u00FCber", L"\u00C4rger",
                                     L"\u00E4rger", L"1848", L"Hof", L"hof", L"Hans&Peter", L"hans&peter",
                                     L"\u00DF", L"Zoo", L"zoo", L"&x"};
  const std::wstring labels[] = {L"1", L"11", L"a|b", L"Dok", L"Dok 1"};
  const std::wstring links[] = {L"a.htm", L"a.html", L"b.htm", L"-"};
  for (bool noDuplicates : {true, false}) {
    for (bool extend : {false, true}) {
      unsigned seed = noDuplicates * 2u + extend + 5u;
      auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
      TIndexStore store;
      std::unordered_set<std::wstring> items;
      if (extend) {
        store = ParseIndexData({L"Haus:1>a.htm|7>b.htm", L"haus:Dok>-", L"\u00DCber:11>a.htm", L"Zoo:1>a.htm"}, {});
        items = {L"1>a.htm", L"7>b.htm", L"Dok>-", L"11>a.htm"};
      }
      PlainIndexStore plain(store);
      for (int document = 0; document < 80; ++document) {
        TWordPipeline::Result words;
        for (unsigned n = next() % 3; n > 0; --n) words.Phrases.push_back(vocabulary[next() % std::size(vocabulary)]);
        for (unsigned n = next() % 40; n > 0; --n) words.Words.push_back(vocabulary[next() % std::size(vocabulary)]);
        const std::wstring& label = labels[next() % std::size(labels)];
        const std::wstring& link = links[next() % std::size(links)];
        AddFileIndexDocument(store, words, label, link, noDuplicates, items);
        for (const auto* list : {&words.Phrases, &words.Words})
          for (const auto& word : *list) plain.Add(word, label + L">" + link, noDuplicates);
        // Looking at the entries in the middle of a run leaves the later documents' items in order.
        if (document % 17 == 16)
          for (int b = 0; b < kIndexBucketCount; ++b) ASSERT_EQ(store.Bucket(b).size(), plain.Bucket(b).size());
        if (document == 40) {
          const TIndexStore copy(store);
          for (int b = 0; b < kIndexBucketCount; ++b)
            for (size_t e = 0; e < plain.Bucket(b).size(); ++e)
              ASSERT_EQ(copy.Bucket(b)[e].Pages, plain.Bucket(b)[e].Pages) << copy.Bucket(b)[e].Word;
        }
      }
      ExpectSameEntries(store, plain);
    }
  }
}

TEST(FileIndexStoreTest, BucketsByFirstLetter) {
  TIndexStore store = StoreOf({{L"äpfel", L"a", L"1"}, {L"Äpfel", L"b", L"2"}, {L"9er", L"a", L"1"},
                               {L"\u00E9t\u00E9", L"a", L"1"}, {L"Öl", L"a", L"1"}});
  EXPECT_EQ(Words(store, 0), (std::vector<std::wstring>{L"äpfel:a>1|b>2"}));
  EXPECT_EQ(Words(store, 'O' - 'A'), (std::vector<std::wstring>{L"Öl:a>1"}));
  EXPECT_EQ(store.Bucket(kOtherBucket).size(), 2u);
}

TEST(FileTextWriterTest, StandardLayout) {
  TIndexStore store = StoreOf({{L"Berlin", L"Stadt", L"b.htm"}, {L"Berlin", L"Fluss", L"f.htm"}, {L"Ahorn", L"Baum", L"t"}});
  EXPECT_EQ(WriteTextFileIndex(store, TFileTextLayout{}),
            L"Index\r\n\r\nA\r\nAhorn:    Baum[t]\r\n\r\nB\r\nBerlin:    Stadt[b.htm] | Fluss[f.htm]\r\n");
}

TEST(FileTextWriterTest, SwitchesAndOtherHeadings) {
  TIndexStore store = StoreOf({{L"1a", L"x", L"y"}, {L"1b", L"x", L"y"}, {L"2c", L"x", L"y"}, {L"Eis", L"p", L"q"}});
  store.Append('E' - 'A', TIndexEntry{L"Eigen", L"nolink|p>q"});
  TFileTextLayout layout;
  layout.Labels = layout.Links = false;
  layout.Title = L"T";
  EXPECT_EQ(WriteTextFileIndex(store, layout),
            L"T\r\n\r\nE\r\nEis:    \r\nEigen:     | \r\n\r\n1\r\n1a:    \r\n1b:    \r\n\r\n2\r\n2c:    \r\n");
  layout.Labels = layout.Links = true;
  layout.LetterHeadings = false;
  layout.BeforeLabel = L"<";
  std::wstring text = WriteTextFileIndex(store, layout);
  EXPECT_NE(text.find(L"Eigen:    <nolink[] | <p[q]\r\n"), std::wstring::npos) << text;
  EXPECT_EQ(text.find(L"\r\n\r\n"), std::wstring::npos);
}

TEST(FileHtmlWriterTest, HeadOfTheStandardDesign) {
  const std::wstring page = WriteHtmlFileIndex(TIndexStore(), TFileHtmlDesign{});
  const size_t bar = page.find(L"<div id=\"links\">");
  ASSERT_NE(bar, std::wstring::npos);
  EXPECT_EQ(bar, 1528u);
  EXPECT_EQ(page.substr(bar), L"<div id=\"links\"></div>\r\n</body></html>");
  EXPECT_NE(page.find(L"padding-left: 10px;\tpadding-right: 10px; }"), std::wstring::npos);
}

TEST(FileHtmlWriterTest, SectionsBoxesAndBar) {
  TIndexStore store = StoreOf({{L"Öl", L"Heizung", L"h.htm"}, {L"Öl", L"Küche", L"k.htm"}, {L"1x", L"a", L"b"},
                               {L"#x", L"a", L"b"}});
  TFileHtmlDesign design;
  std::wstring page = WriteHtmlFileIndex(store, design);
  EXPECT_NE(page.find(L"<div id=\"links\"><a href=\"#O\">O</a> | <a href=\"#sz0\">1</a> | <a href=\"#sz1\">#</a></div>"),
            std::wstring::npos);
  EXPECT_NE(page.find(L"\r\n<div id=\"abc-box\"><a name=\"O\">O</a></div>\r\n<div id=\"box\"><div id=\"l\">&Ouml;l</div>"
                      L"<div id=\"r\"><a href=\"h.htm\">Heizung</a> | <a href=\"k.htm\">K&uuml;che</a></div></div>\r\n"),
            std::wstring::npos)
      << page;
  // Without letter headings the bar still links the letters but not the other characters.
  design.LetterHeadings = false;
  page = WriteHtmlFileIndex(store, design);
  EXPECT_NE(page.find(L"<div id=\"links\"><a href=\"#O\">O</a></div>"), std::wstring::npos);
  EXPECT_EQ(page.find(L"abc-box\"><a"), std::wstring::npos);
  design.LetterBar = false;
  EXPECT_EQ(WriteHtmlFileIndex(store, design).find(L"id=\"links\">"), std::wstring::npos);
}

TEST(FileHtmlWriterTest, WordsLabelsAndLinksAreEscapedDesignTextsAreNot) {
  TIndexStore store = StoreOf({{L"A<script>", L"Tom & \"Jerry\"", L"a.php?x=1&y=2"}, {L"Aß\u20AC\U0001F600", L"M&uuml;ller", L"x"}});
  TFileHtmlDesign design;
  design.Heading = L"<b>Mein Index</b>";
  design.TextColor = L"#123456";
  std::wstring page = WriteHtmlFileIndex(store, design);
  EXPECT_NE(page.find(L"A&lt;script&gt;"), std::wstring::npos);
  EXPECT_NE(page.find(L"<a href=\"a.php?x=1&amp;y=2\">Tom &amp; &quot;Jerry&quot;</a>"), std::wstring::npos);
  EXPECT_NE(page.find(L"A&szlig;&#8364;&#128512;"), std::wstring::npos);
  EXPECT_NE(page.find(L">M&uuml;ller</a>"), std::wstring::npos);
  EXPECT_NE(page.find(L"<div id=\"top\"><b>Mein Index</b></div>"), std::wstring::npos);
  EXPECT_NE(page.find(L"color: #123456;"), std::wstring::npos);
  EXPECT_TRUE(std::all_of(page.begin(), page.end(), [](wchar_t c) { return c < 0x80; }));
}

TEST(FileHtmlWriterTest, AppendPx) {
  EXPECT_EQ(AppendPx(L"600"), L"600px");
  EXPECT_EQ(AppendPx(L"-5"), L"-5px");
  EXPECT_EQ(AppendPx(L"50%"), L"50%");
  EXPECT_EQ(AppendPx(L"12px"), L"12px");
  EXPECT_EQ(AppendPx(L"2em"), L"2em");
  EXPECT_EQ(AppendPx(L""), L"");
}

class FileIndexRunTest : public ::testing::Test {
 protected:
  std::wstring Write(const std::string& name, const std::wstring& text) {
    std::wstring path = Wide(m_dir.File(name));
    SaveTextFileW(text, path, kEncodingUtf8, false);
    return path;
  }
  static TFileIndexOptions Plain() {
    TFileIndexOptions options;
    options.HtmlOutput = false;
    options.TextLayout.Links = false;
    options.SplitJoined = false;
    return options;
  }
  // Plain options that extend the index file holding indexData by the document "Neu" of the text.
  TFileIndexOptions Extending(const std::wstring& indexData, const std::wstring& text) {
    TFileIndexOptions options = Plain();
    options.ExtendIndex = true;
    options.IndexPath = Write("old.idx", indexData);
    options.Rows = {{L"Neu", L"neu.htm", Write("neu.txt", text)}};
    return options;
  }
  std::wstring Run(const TFileIndexOptions& options) {
    positions.clear();
    return RunFileIndex(options, store, [this](TFileIndexStep step, const std::wstring&, int position) {
             if (position >= 0) positions.push_back(position);
             steps.push_back(step);
           }).Output;
  }
  testsupport::TempDir m_dir;
  TIndexStore store;
  std::vector<int> positions;
  std::vector<TFileIndexStep> steps;
};

TEST_F(FileIndexRunTest, DocumentsAreReadThroughThePipeline) {
  TFileIndexOptions options = Plain();
  options.Rows = {{L"Eins", L"1.htm", Write("1.htm", L"<p class=\"Klasse\">Haus und Garten</p> 2024")},
                  {L"Zwei", L"2.txt", Write("2.txt", L"Haus &uuml;ber <b>Dach</b>")},
                  {L"Drei", L"3.txt", Wide(m_dir.File("missing.txt"))}};
  options.Pipeline.MinimumLengthOn = true;
  options.Pipeline.MinimumLength = L"3";
  std::wstring text = Run(options);
  EXPECT_NE(text.find(L"Haus:    Eins | Zwei\r\n"), std::wstring::npos) << text;
  EXPECT_NE(text.find(L"über:    Zwei\r\n"), std::wstring::npos);
  EXPECT_NE(text.find(L"2024:    Eins\r\n"), std::wstring::npos);
  EXPECT_EQ(text.find(L"Klasse"), std::wstring::npos);
  // Tags kept: their words enter the index.
  options.StripTags = false;
  options.Pipeline.RemoveDigits = true;
  options.Pipeline.DropLowercase = true;
  text = Run(options);
  EXPECT_NE(text.find(L"Klasse:    Eins"), std::wstring::npos) << text;
  EXPECT_EQ(text.find(L"2024"), std::wstring::npos);
  EXPECT_EQ(text.find(L"und:"), std::wstring::npos);
  EXPECT_EQ(steps.front(), TFileIndexStep::Preparing);
  EXPECT_EQ(steps.back(), TFileIndexStep::Writing);
}

TEST_F(FileIndexRunTest, ProgressSteps) {
  TFileIndexOptions options = Plain();
  Run(options);
  EXPECT_EQ(positions, (std::vector<int>{30}));
  options.Rows.assign(3, TFileIndexRow{L"x", L"y", L"nowhere"});
  Run(options);
  EXPECT_EQ(positions, (std::vector<int>{20, 40, 60, 80}));
}

// A long list moves the bar in proportion: after the preparation and each of 120 files it stands
// at the share of the run done, so that it passes every position from 0 to 99.
TEST_F(FileIndexRunTest, ProgressMovesOnLongLists) {
  TFileIndexOptions options = Plain();
  for (int i = 0; i < 120; ++i) {
    const std::string name = "f" + std::to_string(i) + ".txt";
    options.Rows.push_back({Wide(name), Wide(name), Write(name, L"Wort" + std::to_wstring(i))});
  }
  Run(options);
  ASSERT_EQ(positions.size(), 121u);
  EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
  EXPECT_EQ(std::unordered_set<int>(positions.begin(), positions.end()).size(), 100u);
  EXPECT_EQ(positions.back(), 99);
  EXPECT_EQ(positions[60], 50);
}

// A label that holds "|" (a link text "A | B") is one item: the entry takes it once.
TEST_F(FileIndexRunTest, ItemsHoldingBarsAreDoublesToo) {
  TFileIndexOptions options = Plain();
  const std::wstring doc = Write("d.txt", L"Haus Dach Haus Haus");
  options.Rows = {{L"A | B", L"d.txt", doc}, {L"C", L"c.txt", Write("c.txt", L"Haus")}, {L"A | B", L"d.txt", doc}};
  Run(options);
  EXPECT_EQ(FormatIndexData(store), (std::vector<std::wstring>{L"Dach:A | B>d.txt", L"Haus:A | B>d.txt|C>c.txt"}));
  // Extending an index that holds the item already.
  options = Extending(L"Haus:A | B>d.txt\r\n", L"");
  options.Rows = {{L"A | B", L"d.txt", doc}};
  Run(options);
  EXPECT_EQ(FormatIndexData(store), (std::vector<std::wstring>{L"Dach:A | B>d.txt", L"Haus:A | B>d.txt"}));
  // Without removing doubles every occurrence repeats it.
  options.RemoveDuplicatePages = false;
  Run(options);
  EXPECT_EQ(FormatIndexData(store), (std::vector<std::wstring>{L"Dach:A | B>d.txt", L"Haus:A | B>d.txt|A | B>d.txt|A | B>d.txt|A | B>d.txt"}));
}

// The references of an HTML page part its words as a reader sees them: "&nbsp;", dashes and
// quotation marks between words, "&shy;" inside one.
TEST_F(FileIndexRunTest, CharacterReferencesPartWordsAsTheyRead) {
  TFileIndexOptions options = Plain();
  options.Pipeline.DropLowercase = true;
  options.Rows = {{L"Seite", L"s.htm",
                   Write("s.htm", L"<p>Das&nbsp;Haus am&nbsp;See, Haus&ndash;Garten,\r\n&raquo;Titel&laquo; und "
                                  L"Donau&shy;dampf&shy;schiff&hellip;</p>")}};
  EXPECT_EQ(Run(options), L"Index\r\n\r\nD\r\nDas:    Seite\r\nDonaudampfschiff:    Seite\r\n\r\nG\r\nGarten:    Seite\r\n"
                          L"\r\nH\r\nHaus:    Seite\r\n\r\nS\r\nSee:    Seite\r\n\r\nT\r\nTitel:    Seite\r\n");
}

// Entries of an index file with control characters show them as U+FFFD, and every entry after them.
TEST_F(FileIndexRunTest, ControlCharactersOfAnIndexFileShowAsReplacementCharacters) {
  const wchar_t data[] = L"Alpha:A>a\r\nBe\0ta:B\0>b\r\nZeta:Z>z\x1B\r\n";
  TFileIndexOptions options = Extending(std::wstring(data, std::size(data) - 1), L"");
  options.TextLayout.Links = true;
  EXPECT_EQ(Run(options), L"Index\r\n\r\nA\r\nAlpha:    A[a]\r\n\r\nB\r\nBe\uFFFDta:    B\uFFFD[b]\r\n\r\nZ\r\n"
                          L"Zeta:    Z[z\uFFFD]\r\n");
}

TEST_F(FileIndexRunTest, DoublesAndLinksPerDocument) {
  TFileIndexOptions options = Plain();
  options.TextLayout.Links = true;
  std::wstring doc = Write("d.txt", L"Haus Haus Haus");
  options.Rows = {{L"A", L"d.txt", doc}, {L"A", L"d.txt", doc}};
  EXPECT_NE(Run(options).find(L"Haus:    A[d.txt]\r\n"), std::wstring::npos);
  options.RemoveDuplicatePages = false;
  EXPECT_NE(Run(options).find(L"Haus:    A[d.txt] | A[d.txt] | A[d.txt] | A[d.txt] | A[d.txt] | A[d.txt]\r\n"),
            std::wstring::npos);
}

TEST_F(FileIndexRunTest, ExtendingAnIndexAppendsNewItems) {
  TFileIndexOptions options = Extending(L"Haus:Alt>alt.htm\r\nZoo:Alt>alt.htm\r\n", L"Haus Baum");
  options.TextLayout.Links = true;
  std::wstring text = Run(options);
  EXPECT_NE(text.find(L"Haus:    Alt[alt.htm] | Neu[neu.htm]\r\n"), std::wstring::npos) << text;
  EXPECT_NE(text.find(L"Zoo:    Alt[alt.htm]\r\n"), std::wstring::npos);
  options.IndexPath = Wide(m_dir.File("none.idx"));
  EXPECT_TRUE(RunFileIndex(options, store, [](TFileIndexStep, const std::wstring&, int) {}).IndexFileUnusable);
}

TEST_F(FileIndexRunTest, ExtendingWithJoinedWordsButWithoutTheSplitListsThemOnce) {
  TFileIndexOptions options = Extending(L"Hans Peter:Alt>alt.htm\r\n", L"Er sah Hans Peter");
  options.Pipeline.JoinCapitalized = true;
  std::wstring text = Run(options);
  EXPECT_NE(text.find(L"Hans Peter:    Alt | Neu\r\n"), std::wstring::npos) << text;
  EXPECT_EQ(text.find(L"Hans Peter:    Neu"), std::wstring::npos) << text;
}

TEST_F(FileIndexRunTest, XhtmlOutputOfARun) {
  TFileIndexOptions options = Plain();
  options.HtmlOutput = true;
  options.Rows = {{L"Größe", L"a.php?x=1\"", Write("g.txt", L"Maß")}};
  std::wstring page = Run(options);
  EXPECT_NE(page.find(L"<div id=\"l\">Ma&szlig;</div><div id=\"r\"><a href=\"a.php?x=1&quot;\">Gr&ouml;&szlig;e</a>"),
            std::wstring::npos)
      << page;
}

TEST(FileIndexSummaryTest, LinesFollowTheOptions) {
  TFileIndexOptions options;
  options.Pipeline.DropLowercase = true;
  options.Pipeline.MinimumLengthOn = true;
  options.Pipeline.MinimumLength = L"4";
  options.ExtendIndex = true;
  options.IndexPath = L"C:\\a.idx";
  options.SplitJoined = false;
  EXPECT_EQ(FileIndexSummary(options, "de"),
            L"Suchkriterien\r\n - Worte mit kleinen Buchstaben werden aussortiert\r\n - HTML Tags werden entfernt\r\n"
            L" - Minimale Wortlänge: 4\r\n\r\nIndex\r\n - Doppelte Seitenangaben werden aussortiert\r\n"
            L" - Einträge werden zu vorhandenem Index hinzugefügt\r\n   Datei: C:\\a.idx\r\n\r\nDesign\r\n"
            L" - Design: HTML Index\r\n - Standardesign wird verwendet\r\n\r\n\r\n"
            L"Klicken Sie auf \"Index erstellen\", um den Index mit diesen Vorgaben zu schreiben.");
  options.HtmlOutput = false;
  options.UseDesign = true;
  std::wstring english = FileIndexSummary(options, "en");
  EXPECT_NE(english.find(L"\r\nDesign\r\n - Design: Text Index\r\n - User Defined Design\r\n"), std::wstring::npos);
  EXPECT_EQ(FileIndexSummary(options, "fr"), L"");
}

}  // namespace

namespace {

TEST(FileTextWriterTest, LabelsMayHoldGreaterThan) {
  TIndexStore store = StoreOf({{L"Haus", L"a > b", L"x.htm"}, {L"Haus", L"c", L"y.htm"}});
  EXPECT_NE(WriteTextFileIndex(store, TFileTextLayout{}).find(L"Haus:    a > b[x.htm] | c[y.htm]"), std::wstring::npos);
  EXPECT_NE(WriteHtmlFileIndex(store, TFileHtmlDesign{}).find(L"<a href=\"x.htm\">a &gt; b</a>"), std::wstring::npos);
}

}  // namespace
