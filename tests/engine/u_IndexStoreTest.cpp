// The index store: buckets, merging, page items, the joined-word passes, sorting
// and the index data format.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "classlib/WinApi.h"
#include "engine/u_IndexStore.h"
#include "support/TestSupport.h"
#include "PlainIndexStore.h"

using enginetest::ExpectSameEntries;
using enginetest::PlainIndexStore;

namespace {

using Lines = std::vector<std::wstring>;

int BucketOfLetter(wchar_t letter) { return letter == L'[' ? kOtherBucket : letter - L'A'; }

Lines BucketLines(const TIndexStore& store, wchar_t letter) {
  Lines lines;
  for (const auto& entry : store.Bucket(BucketOfLetter(letter))) lines.push_back(entry.Word + L":" + entry.Pages);
  return lines;
}

void Add(TIndexStore& store, const std::wstring& word, const std::wstring& page, bool noDuplicates = true) {
  AddTextIndexEntry(store, word, page, L"-", noDuplicates);
}

// Adds each (word, page) occurrence in turn, duplicate pages removed.
using Occurrences = std::vector<std::pair<std::wstring, std::wstring>>;

void AddAll(TIndexStore& store, const Occurrences& occurrences) {
  for (const auto& [word, page] : occurrences) Add(store, word, page);
}

TIndexStore StoreOf(const Occurrences& occurrences) {
  TIndexStore store;
  AddAll(store, occurrences);
  return store;
}

TEST(IndexStoreBuckets, BuildersFoldUmlautsWhileTheShortRuleDoesNot) {
  struct Case {
    const wchar_t* word;
    wchar_t builder;
    wchar_t shortRule;
  } cases[] = {
      {L"haus", L'H', L'H'},       {L"Zebra", L'Z', L'Z'},    {L"über", L'U', L'['},
      {L"Ärger", L'A', L'['},      {L"öl", L'O', L'['},       {L"ßtraße", L'[', L'['},
      {L"1848", L'[', L'['},       {L"&Peter", L'[', L'['},   {L"Étude", L'[', L'['},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BucketLetter(BuilderBucketOf(c.word)), c.builder) << c.word;
    EXPECT_EQ(BucketLetter(ShortBucketOf(c.word)), c.shortRule) << c.word;
  }
}

TEST(IndexStoreAdding, MergesByUpperCaseWordKeepingTheFirstSpelling) {
  TIndexStore store = StoreOf({{L"Haus", L"1"}, {L"HAUS", L"2"}, {L"ärger", L"3"}, {L"Ärger", L"4"}, {L"Hof", L"2"}});
  EXPECT_EQ(BucketLines(store, L'H'), (Lines{L"Haus:1>-|2>-", L"Hof:2>-"}));
  EXPECT_EQ(BucketLines(store, L'A'), (Lines{L"ärger:3>-|4>-"}));
  EXPECT_EQ(store.EntryCount(), 3u);
}

TEST(IndexStoreAdding, DuplicatePagesAreWholeItems) {
  TIndexStore removing;
  for (const wchar_t* page : {L"11", L"1", L"21", L"1", L"11", L"2"}) Add(removing, L"Haus", page, true);
  EXPECT_EQ(BucketLines(removing, L'H'), (Lines{L"Haus:11>-|1>-|21>-|2>-"}));

  TIndexStore keeping;
  for (const wchar_t* page : {L"1", L"1", L"11"}) Add(keeping, L"Haus", page, false);
  EXPECT_EQ(BucketLines(keeping, L'H'), (Lines{L"Haus:1>-|1>-|11>-"}));

  // A page label holding "|" is one item all the same, wherever it stands among the others.
  TIndexStore barred;
  for (const wchar_t* page : {L"A | B", L"A | B", L"B", L"A | B", L"x|A | B", L"A | B", L"x|A | B", L" B"})
    Add(barred, L"Haus", page, true);
  EXPECT_EQ(BucketLines(barred, L'H'), (Lines{L"Haus:A | B>-|B>-|x|A | B>-"}));
}

TEST(IndexStoreAdding, LoadedEntriesMergeWithNewOccurrences) {
  // A loaded "Über" lies in bucket "U" and takes the new pages; the first of
  // two loaded lines with the same word wins, the second stays as it was.
  TIndexStore store = ParseIndexData({L"Über:1>-", L"Haus:3>-|7>-", L"haus:9>-"}, {});
  AddAll(store, {{L"über", L"2"}, {L"Haus", L"7"}, {L"Haus", L"8"}});
  EXPECT_EQ(BucketLines(store, L'U'), (Lines{L"Über:1>-|2>-"}));
  EXPECT_EQ(BucketLines(store, L'H'), (Lines{L"Haus:3>-|7>-|8>-", L"haus:9>-"}));
  EXPECT_TRUE(store.Bucket(kOtherBucket).empty());
}

TEST(IndexStorePasses, SplitListsJoinedWordsPartByPart) {
  TIndexStore store = StoreOf({{L"Hans&Peter", L"3"}, {L"A&B&A", L"4"}, {L"Zoo", L"5&6"}, {L"1&Über", L"7"}});
  TIndexStore split = SplitJoinedEntries(store);
  EXPECT_EQ(BucketLines(split, L'H'), (Lines{L"Hans Peter:3>-", L"Hans; Hans Peter:3>-"}));
  EXPECT_EQ(BucketLines(split, L'P'), (Lines{L"Peter; Hans Peter:3>-"}));
  EXPECT_EQ(BucketLines(split, L'A'), (Lines{L"A B A:4>-", L"A; A B A:4>-", L"A; A B A:4>-"}));
  EXPECT_EQ(BucketLines(split, L'B'), (Lines{L"B; A B A:4>-"}));
  // Pages keep their "&": labels and links are not joined words.
  EXPECT_EQ(BucketLines(split, L'Z'), (Lines{L"Zoo:5&6>-"}));
  // Parts go by the short rule: "Über" to "[".
  EXPECT_EQ(BucketLines(split, L'['), (Lines{L"1 Über:7>-", L"1; 1 Über:7>-", L"Über; 1 Über:7>-"}));
  // The store passed in is left as it was.
  EXPECT_EQ(BucketLines(store, L'H'), (Lines{L"Hans&Peter:3>-"}));
}

TEST(IndexStorePasses, UnjoinTurnsEveryAmpersandOfTheWordIntoABlank) {
  TIndexStore store = StoreOf({{L"Hans&Peter", L"a&b"}});
  AddTextIndexEntry(store, L"Haus", L"Kap. 1", L"C:\\Tom&Jerry\\a.htm", true);
  TIndexStore unjoined = UnjoinEntries(store);
  EXPECT_EQ(BucketLines(unjoined, L'H'), (Lines{L"Hans Peter:a&b>-", L"Haus:Kap. 1>C:\\Tom&Jerry\\a.htm"}));
}

TEST(IndexStorePasses, PagesWithAmpersandsSurviveSavingAndExtending) {
  // Saved after a run, read back by a run that splits, run again: the label stays "A&B".
  for (bool split : {false, true}) {
    TIndexStore first = StoreOf({{L"Haus", L"A&B"}, {L"Hans&Peter", L"A&B"}});
    first = SortIndexBuckets(split ? SplitJoinedEntries(first) : UnjoinEntries(first));
    TIndexStore again = ParseIndexData(FormatIndexData(first), TIndexDataReadOptions{split, true});
    Add(again, L"Haus", L"C&D");
    again = SortIndexBuckets(split ? SplitJoinedEntries(again) : UnjoinEntries(again));
    Lines expected = {L"Hans Peter:A&B>-", L"Haus:A&B>-|C&D>-"};
    if (split) expected.insert(expected.begin() + 1, L"Hans; Hans Peter:A&B>-");
    EXPECT_EQ(BucketLines(again, L'H'), expected) << split;
  }
}

TEST(IndexStoreSorting, SortsWholeLinesIgnoringCase) {
  TIndexStore store = ParseIndexData(
      {L"haus:9>-", L"Hof:Doc>C:\\Docs\\a.htm", L"Haus:10>-", L"HAUSE:1>-"}, {});
  TIndexStore sorted = SortIndexBuckets(store);
  EXPECT_EQ(BucketLines(sorted, L'H'),
            (Lines{L"Haus:10>-", L"haus:9>-", L"HAUSE:1>-", L"Hof:Doc>C:\\Docs\\a.htm"}));
  // Links keep their drive letters through sorting and through writing and reading again.
  EXPECT_EQ(FormatIndexData(ParseIndexData(FormatIndexData(sorted), {})), FormatIndexData(sorted));
}

TEST(IndexDataReading, SkipsMalformedLinesAndKeepsLinksWithColons) {
  TIndexStore store = ParseIndexData({L"Haus:3>-|7>-", L"Haus", L"", L":1>-", L"Dach:ohne Zeiger", L"C:x>y"}, {});
  EXPECT_EQ(BucketLines(store, L'H'), (Lines{L"Haus:3>-|7>-"}));
  EXPECT_EQ(BucketLines(store, L'C'), (Lines{L"C:x>y"}));
  EXPECT_EQ(store.EntryCount(), 2u);
}

TEST(IndexDataReading, JoinedWordsAgainTouchesOnlyTheWord) {
  TIndexDataReadOptions again{true};
  TIndexStore store = ParseIndexData(
      {L"Hans Peter:Seite 3>C:\\My Docs\\a;b.htm", L"Hans; Hans Peter:3>-", L"Maß; Band:1>-", L"Haus:Kap; 1>-"}, again);
  EXPECT_EQ(BucketLines(store, L'H'), (Lines{L"Hans&Peter:Seite 3>C:\\My Docs\\a;b.htm", L"Haus:Kap; 1>-"}));
  EXPECT_EQ(store.EntryCount(), 2u);

  TIndexStore asStored = ParseIndexData({L"Hans Peter:3>-", L"Hans; Hans Peter:3>-"}, {});
  EXPECT_EQ(BucketLines(asStored, L'H'), (Lines{L"Hans Peter:3>-", L"Hans; Hans Peter:3>-"}));
}

TEST(IndexDataReading, ARunThatJoinsWordsMeetsTheStoredJoinedWord) {
  // Joining without the split: the stored word is joined again, split entries stay as stored.
  TIndexDataReadOptions joining{false, true};
  TIndexStore store = ParseIndexData({L"Hans Peter:1>-", L"Hans; Hans Peter:1>-", L"Haus:A B>-"}, joining);
  Add(store, L"Hans&Peter", L"2");
  EXPECT_EQ(BucketLines(UnjoinEntries(store), L'H'),
            (Lines{L"Hans Peter:1>-|2>-", L"Hans; Hans Peter:1>-", L"Haus:A B>-"}));
}

TEST(IndexDataReading, FormatAndReadGiveTheSameStore) {
  TIndexStore store = StoreOf({{L"Zoo", L"1"}, {L"Apfel", L"2"}, {L"1848", L"3"}});
  Lines lines = FormatIndexData(store);
  EXPECT_EQ(lines, (Lines{L"Apfel:2>-", L"Zoo:1>-", L"1848:3>-"}));
  EXPECT_EQ(FormatIndexData(ParseIndexData(lines, {})), lines);
  EXPECT_EQ(IndexDataText(store), L"Apfel:2>-\r\nZoo:1>-\r\n1848:3>-\r\n");
  EXPECT_EQ(IndexDataText(TIndexStore()), L"");
  EXPECT_EQ(WithIndexExtension(L"C:\\Buch"), L"C:\\Buch.idx");
  EXPECT_EQ(WithIndexExtension(L"C:\\Buch.idx.txt"), L"C:\\Buch.idx.txt");
  EXPECT_EQ(WithIndexExtension(L"C:\\Buch.IDX"), L"C:\\Buch.IDX.idx");
}

TEST(IndexDataReading, MissingFileGivesNoEntriesAndSaysSo) {
  testsupport::TempDir dir;
  TIndexFileResult missing = LoadIndexFile(L"C:\\no\\such\\folder\\x.idx", {});
  EXPECT_FALSE(missing.FileFound);
  EXPECT_TRUE(missing.Store.Empty());

  std::string path = dir.File("a.idx");
  testsupport::WriteBytes(path, "\xEF\xBB\xBF\xC3\x9C" "ber:1>-\r\nHaus:2>-|3>-\r\n");
  TIndexFileResult found = LoadIndexFile(std::wstring(path.begin(), path.end()), {});
  EXPECT_TRUE(found.FileFound);
  EXPECT_EQ(BucketLines(found.Store, L'U'), (Lines{L"Über:1>-"}));
  EXPECT_EQ(BucketLines(found.Store, L'H'), (Lines{L"Haus:2>-|3>-"}));
}

TEST(TextLines, SplitLikeAMemo) {
  EXPECT_EQ(SplitTextLines(L""), Lines{});
  EXPECT_EQ(SplitTextLines(L"a\r\nb\nc\rd\u2028e"), (Lines{L"a", L"b", L"c", L"d", L"e"}));
  EXPECT_EQ(SplitTextLines(L"a\r\n"), (Lines{L"a"}));
  EXPECT_EQ(SplitTextLines(L"a\r\n\r\n"), (Lines{L"a", L""}));
  EXPECT_EQ(SplitTextLines(L"\r\nx"), (Lines{L"", L"x"}));
}

}  // namespace

namespace {

bool OrderedByComparison(const std::vector<TIndexEntry>& bucket) {
  for (size_t i = 1; i < bucket.size(); ++i) {
    std::wstring a = bucket[i - 1].Word + L":" + bucket[i - 1].Pages, b = bucket[i].Word + L":" + bucket[i].Pages;
    if (CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_GREATER_THAN)
      return false;
  }
  return true;
}

TEST(IndexStoreSorting, CharactersTheSortKeysWeighDifferently) {
  // Under some systems the locale's sort keys put these in another order than its comparison.
  for (const Lines& lines : {Lines{L"Xa:1>-", L"X\uFE7Fb:1>-"}, Lines{L"X\uFE7Fb:1>-", L"Xa:1>-"},
                             Lines{L"xa\u00ADc:1>-", L"xab:1>-", L"x\uFE7Fd:1>-", L"Xa:1>-", L"X\uFE7Fb:2>-"}}) {
    TIndexStore sorted = SortIndexBuckets(ParseIndexData(lines, {}));
    for (int b = 0; b < kIndexBucketCount; ++b) EXPECT_TRUE(OrderedByComparison(sorted.Bucket(b))) << b;
  }
}

std::string WholeLineKey(const std::wstring& line) {
  const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
  const int size = LCMapStringW(LOCALE_USER_DEFAULT, flags, line.data(), static_cast<int>(line.size()), nullptr, 0);
  std::string key(static_cast<size_t>(std::max(size, 0)), '\0');
  LCMapStringW(LOCALE_USER_DEFAULT, flags, line.data(), static_cast<int>(line.size()),
               reinterpret_cast<LPWSTR>(key.data()), size);
  return key;
}

// Long pages that part only far behind the word, and lines the comparison finds equal (case
// variants with the same pages): the order is that of a plain stable sort by the comparison,
// equal lines by the keys of the whole lines, then as they were added.
TEST(IndexStoreSorting, SameOrderAsAPlainSortByTheComparison) {
  const std::wstring words[] = {L"Haus", L"HAUS", L"haus", L"Hau-s", L"Haus\u00AD", L"Hausen", L"Haus\u200B",
                                L"Haus\u0301", L"Hau", L"Häus", L"Haus'"};
  const std::wstring tails[] = {L"", L"1", L"A", L"a", L"\u00E9", L"e", L"-"};
  unsigned seed = 99;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
  // Characters the comparison passes over make equal lines of different lengths.
  const std::wstring same = std::wstring(90, L'x') + L">a";
  Lines lines{L"Haus:" + same, L"Haus\u00AD\u00AD:" + same, L"haus\u200C:" + same, L"HAUS\uFEFF:" + same};
  for (int i = 0; i < 700; ++i) {
    std::wstring pages = next() % 2 ? std::wstring(40 + next() % 60, L'x') : std::wstring();
    pages += tails[next() % std::size(tails)] + L">" + tails[next() % std::size(tails)];
    lines.push_back(words[next() % std::size(words)] + L":" + pages);
  }
  std::vector<size_t> plain(lines.size());
  for (size_t i = 0; i < plain.size(); ++i) plain[i] = i;
  std::vector<std::string> keys;
  for (const auto& line : lines) keys.push_back(WholeLineKey(line));
  std::stable_sort(plain.begin(), plain.end(), [&](size_t a, size_t b) {
    int order = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, lines[a].data(), static_cast<int>(lines[a].size()),
                               lines[b].data(), static_cast<int>(lines[b].size()));
    return order != CSTR_EQUAL ? order == CSTR_LESS_THAN : keys[a] < keys[b];
  });
  Lines expected;
  for (size_t i : plain) expected.push_back(lines[i]);
  EXPECT_EQ(BucketLines(SortIndexBuckets(ParseIndexData(lines, {})), L'H'), expected);
}

// The sorted buckets must be in the order of the locale's case-insensitive comparison.
TEST(IndexStoreSorting, AgreesWithTheLocaleComparison) {
  const std::wstring pieces[] = {L"haus", L"Haus", L"HAUS", L"über", L"Über", L"ueber", L"straße", L"strasse",
                                 L"Ärger", L"aerger", L"a-b", L"ab", L"a b", L"a'b", L"1", L"10", L"2", L"é",
                                 L"e", L"E", L":", L">", L"|", L"-", L"&", L"zz", L"\u00DF", L"\u4E00",
                                 L"\uFE7F", L"\u00AD", L"\u0301", L"\u200B", L"\uFFFD", L"b"};
  unsigned seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
  std::vector<std::wstring> lines;
  for (int i = 0; i < 600; ++i) {
    std::wstring word = pieces[next() % std::size(pieces)] + pieces[next() % std::size(pieces)];
    lines.push_back(L"a" + word + L":" + pieces[next() % std::size(pieces)] + L">-");
  }
  TIndexStore sorted = SortIndexBuckets(ParseIndexData(lines, {}));
  const auto& bucket = sorted.Bucket(0);
  ASSERT_EQ(bucket.size(), lines.size());
  for (size_t i = 1; i < bucket.size(); ++i) {
    std::wstring a = bucket[i - 1].Word + L":" + bucket[i - 1].Pages, b = bucket[i].Word + L":" + bucket[i].Pages;
    EXPECT_NE(CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1), CSTR_GREATER_THAN)
        << i;
  }
}

}  // namespace

namespace {

TEST(IndexStoreAdding, SameResultAsScanningTheBucket) {
  const std::wstring words[] = {L"Haus", L"haus", L"HAUS", L"über", L"Über", L"ÜBER", L"Ärger", L"ärger",
                                L"1848", L"&x", L"Hof", L"hof", L"Zoo", L"ß", L"Hans&Peter", L"hans&peter"};
  const std::wstring labels[] = {L"1", L"11", L"21", L"2", L"1 (a)", L"x|y"};
  for (bool noDuplicates : {true, false}) {
    unsigned seed = noDuplicates ? 7u : 8u;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
    TIndexStore store = ParseIndexData({L"Haus:3>-|7>-", L"haus:9>-", L"Über:1>-"}, {});
    PlainIndexStore plain(store);
    for (int i = 0; i < 2000; ++i) {
      const std::wstring& word = words[next() % std::size(words)];
      std::wstring item = labels[next() % std::size(labels)] + L">-";
      store.AddOccurrence(word, item, noDuplicates);
      plain.Add(word, item, noDuplicates);
      if (i == 1000) {
        store = SortIndexBuckets(store);
        plain = PlainIndexStore(store);
      }
    }
    ExpectSameEntries(store, plain);
  }
}

}  // namespace
