// The keyword index: keywords per file in every order and layout, and its summary.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "engine/u_KeywordIndex.h"
#include "engine/u_WideFuncText.h"
#include "support/TestSupport.h"

namespace {

std::wstring Wide(const std::string& narrow) { return std::wstring(narrow.begin(), narrow.end()); }

class KeywordIndexTest : public ::testing::Test {
 protected:
  KeywordIndexTest() {
    TPipelineOptions& p = options.Pipeline;
    p.NegativeList = p.JoinCapitalized = p.RemoveDigits = p.DropLowercase = p.MinimumLengthOn = true;
    p.MinimumLength = L"3";
  }
  std::wstring Write(const std::string& name, const std::wstring& text) {
    std::wstring path = Wide(m_dir.File(name));
    SaveTextFileW(text, path, kEncodingUtf8, false);
    return path;
  }
  std::wstring Run() {
    return RunKeywordIndex(options, [this](TKeywordIndexStep, const std::wstring& path, int position) {
      paths.push_back(path);
      if (position >= 0) positions.push_back(position);
    });
  }
  testsupport::TempDir m_dir;
  TKeywordIndexOptions options;
  std::vector<std::wstring> paths;
  std::vector<int> positions;
};

TEST_F(KeywordIndexTest, FactorySettings) {
  options.Rows = {{L"A", L"a.txt", Write("a.txt", L"Berlin liegt an der Spree. Berlin")}};
  EXPECT_EQ(Run(), L"a.txt: Berlin, Spree\r\n\r\n");
  options.OncePerFile = false;
  EXPECT_EQ(Run(), L"a.txt: Berlin, Berlin, Spree\r\n\r\n");
  options.Alphabetical = false;
  EXPECT_EQ(Run(), L"a.txt: Berlin, Spree, Berlin\r\n\r\n");
  EXPECT_EQ(positions.front(), 33);
}

TEST_F(KeywordIndexTest, CaseMattersForDoubles) {
  options.Pipeline.DropLowercase = false;
  options.Alphabetical = false;
  options.Rows = {{L"A", L"a.txt", Write("a.txt", L"berlin Berlin berlin")}};
  EXPECT_EQ(Run(), L"a.txt: berlin, Berlin\r\n\r\n");
}

TEST_F(KeywordIndexTest, LayoutsAndMissingFiles) {
  options.Rows = {{L"Erste", L"a.htm", Write("a.htm", L"<p>Zwei &Auml;pfel, Birnen</p>")},
                  {L"Fehlt", L"b.txt", Wide(m_dir.File("none.txt"))}};
  EXPECT_EQ(Run(), L"a.htm: Birnen, Zwei Äpfel\r\n\r\nb.txt: \r\n\r\n");
  options.OneUnderOther = true;
  EXPECT_EQ(Run(), L"a.htm: Birnen\r\nZwei Äpfel\r\n\r\nb.txt: \r\n\r\n");
  options.OneUnderOther = false;
  options.UseDesign = true;
  options.Design.WriteLabel = true;
  options.Design.LineStart = L"* ";
  options.Design.BetweenLabelAndLink = L" / ";
  options.Design.BetweenKeywords = L"; ";
  options.Design.LineEnd = L".";
  options.Design.EmptyLine = false;
  EXPECT_EQ(Run(), L"* Erste / a.htm:  Birnen; Zwei Äpfel.\r\n* Fehlt / b.txt:  .\r\n");
  options.Design.WriteLink = false;
  EXPECT_EQ(Run(), L"* Erste:  Birnen; Zwei Äpfel.\r\n* Fehlt:  .\r\n");
  EXPECT_EQ(paths[1], options.Rows[0].Source);
}

// A long list moves the bar in proportion, through every position from 0 to 99.
TEST_F(KeywordIndexTest, ProgressMovesOnLongLists) {
  for (int i = 0; i < 120; ++i) options.Rows.push_back({L"x", L"y", Wide(m_dir.File("none.txt"))});
  Run();
  ASSERT_EQ(positions.size(), 121u);
  EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
  EXPECT_EQ(std::set<int>(positions.begin(), positions.end()).size(), 100u);
  EXPECT_EQ(positions.back(), 99);
}

// Positive-list phrases are taken as the list holds them: a control character in one would hide
// or end the text the result memo shows.
TEST_F(KeywordIndexTest, ControlCharactersShowAsReplacementCharacters) {
  const wchar_t phrase[] = L"Pots\0dam";
  options.Pipeline.PositiveList = true;
  options.Pipeline.PositiveWords = {std::wstring(phrase, std::size(phrase) - 1), L"Ham\x07" L"burg"};
  options.Rows = {{L"A", L"a.txt", Write("a.txt", options.Pipeline.PositiveWords[0] + L" und Berlin, Ham\x07" L"burg")}};
  EXPECT_EQ(Run(), L"a.txt: Berlin, Ham\uFFFDburg, Pots\uFFFDdam\r\n\r\n");
}

TEST_F(KeywordIndexTest, JoinedWordsAndPositiveList) {
  options.Rows = {{L"A", L"a.txt", Write("a.txt", L"Wir fahren nach New York und Bad Ems.")}};
  options.Pipeline.PositiveList = true;
  options.Pipeline.NegativeWords = {L"wir"};
  options.Pipeline.PositiveWords = {L"fahren nach", L"Paris", L""};
  EXPECT_EQ(Run(), L"a.txt: Bad Ems, fahren nach, New York\r\n\r\n");
  options.Pipeline.JoinCapitalized = false;
  EXPECT_EQ(Run(), L"a.txt: Bad, Ems, fahren nach, New, York\r\n\r\n");
}

TEST_F(KeywordIndexTest, RecordsAndPositiveStep) {
  TKeywordRecord record(L"L", L"l");
  record.Append(L"Haus");
  EXPECT_TRUE(KeywordAlreadyListed(L"Haus", record));
  EXPECT_FALSE(KeywordAlreadyListed(L"haus", record));
  std::wstring rest = AddPositiveListWords(L"ein Roter Apfel und ein roter apfel", record, {L"Roter Apfel", L"Birne"});
  EXPECT_EQ(record.Keywords(), (TWideStrArray{L"Haus", L"Roter Apfel"}));
  EXPECT_EQ(rest.find(L"apfel"), std::wstring::npos);
  std::vector<TKeywordRecord> records{record};
  EXPECT_EQ(WriteKeywordIndex(records, options), L"l: Haus, Roter Apfel\r\n\r\n");
  EXPECT_TRUE(records.empty());
}

// A record of many keywords, some listed again, knows exactly the ones it holds (case and all)
// and keeps every appended keyword in order.
TEST_F(KeywordIndexTest, RecordOfManyKeywordsKnowsEachOne) {
  TKeywordRecord record(L"L", L"l");
  std::set<std::wstring> listed;
  TWideStrArray appended;
  for (int i = 0; i < 3000; ++i) {
    const std::wstring word = (i % 3 ? L"Wort" : L"wort") + std::to_wstring(i * 7919 % 1000);
    ASSERT_EQ(KeywordAlreadyListed(word, record), listed.count(word) == 1) << i;
    record.Append(word);
    listed.insert(word);
    appended.push_back(word);
  }
  EXPECT_FALSE(KeywordAlreadyListed(L"Wort1000", record));
  EXPECT_FALSE(KeywordAlreadyListed(L"", record));
  EXPECT_EQ(record.Keywords(), appended);
  const TKeywordRecord copy = record;
  EXPECT_TRUE(KeywordAlreadyListed(L"wort0", copy));
  record.Clear();
  EXPECT_FALSE(KeywordAlreadyListed(L"wort0", record));
  record.Append(L"wort0");
  EXPECT_TRUE(KeywordAlreadyListed(L"wort0", record));
}

TEST_F(KeywordIndexTest, Summary) {
  options.OneUnderOther = true;
  std::wstring de = KeywordIndexSummary(options, "de");
  EXPECT_EQ(de.substr(0, 15), L"Suchkriterien\r\n");
  EXPECT_NE(de.find(L"\r\n\r\nIndex\r\n - Doppelte Einträge werden aussortiert\r\n - Zusammenhängende Worte werden "
                    L"beachtet\r\n - Wörter werden untereinander angeordnet\r\n - Wörter werden alphabetisch "
                    L"sortiert\r\n\r\nDesign\r\n - Standardesign wird verwendet\r\n\r\n\r\nKlicken"),
            std::wstring::npos)
      << de;
  std::wstring en = KeywordIndexSummary(options, "en");
  EXPECT_NE(en.find(L" - Minimum Word Length: 3\r\n"), std::wstring::npos);
  EXPECT_NE(en.find(L" - Words will be written under each other\r\n"), std::wstring::npos);
  EXPECT_EQ(KeywordIndexSummary(options, ""), L"");
}

}  // namespace
