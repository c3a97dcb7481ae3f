#include "engine/u_WideFunc.h"

#include "classlib/Graphics.h"
#include "ucode/UCodeGraphics.h"
#include "ucode/UCodeSysUtils.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// ---- Straightforward references, written the way the routines are described

TWideStrArray ReferenceExplode(const std::wstring& separator, std::wstring text) {
  TWideStrArray pieces;
  for (size_t found = text.find(separator); found != std::wstring::npos; found = text.find(separator)) {
    pieces.push_back(text.substr(0, found));
    text.erase(0, found + separator.size());
  }
  pieces.push_back(text);
  return pieces;
}

std::wstring ReferenceReplaceWords(const std::wstring& text, const std::wstring& oldPattern,
                                   const std::wstring& newPattern, bool wholeWord, int flags,
                                   const std::wstring& delimiters) {
  const bool ignoreCase = flags & rfIgnoreCase;
  std::wstring search = ignoreCase ? WideUpperCase(text) : text;
  const std::wstring old = ignoreCase ? WideUpperCase(oldPattern) : oldPattern;
  std::wstring result;
  std::wstring remaining = text;
  while (!search.empty()) {
    size_t p = old.empty() ? std::wstring::npos : search.find(old);
    if (p == std::wstring::npos) {
      result += remaining;
      break;
    }
    size_t end = p + old.size();
    if (wholeWord) {
      wchar_t before = p > 0 ? remaining[p - 1] : (result.empty() ? L'\0' : result.back());
      wchar_t after = end < remaining.size() ? remaining[end] : L'\0';
      if (!IsWordDelimiter(before, delimiters) || !IsWordDelimiter(after, delimiters)) {
        result += remaining.substr(0, end);
        remaining.erase(0, end);
        search.erase(0, end);
        continue;
      }
    }
    result += remaining.substr(0, p) + newPattern;
    remaining.erase(0, end);
    if (!(flags & rfReplaceAll)) {
      result += remaining;
      break;
    }
    search.erase(0, end);
  }
  return result;
}

// The plain recursive scheme, for comparing orders.
void ReferenceQuickSort(TWideRA& a, int low, int high, bool ascending) {
  std::wstring pivot = a[(low + high) / 2].key;
  int i = low, j = high;
  do {
    while (ascending ? a[i].key < pivot : a[i].key > pivot) ++i;
    while (ascending ? a[j].key > pivot : a[j].key < pivot) --j;
    if (i <= j) std::swap(a[i++], a[j--]);
  } while (i <= j);
  if (j > low) ReferenceQuickSort(a, low, j, ascending);
  if (i < high) ReferenceQuickSort(a, i, high, ascending);
}

std::wstring RandomText(std::mt19937& random, size_t length, const std::wstring& alphabet) {
  std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
  std::wstring text;
  for (size_t i = 0; i < length; ++i) text += alphabet[pick(random)];
  return text;
}

// ---- Splitting

TEST(ExplodeW, SplitsAtEverySeparator) {
  struct Case {
    std::wstring separator, text;
    TWideStrArray pieces;
  } cases[] = {
      {L";", L"a;b", {L"a", L"b"}},
      {L";", L"", {L""}},
      {L";", L"a;", {L"a", L""}},
      {L";", L"a;;b", {L"a", L"", L"b"}},
      {L"\r\n", L"x\r\n", {L"x", L""}},
      {L"\r\n", L"a\rb\r\nc", {L"a\rb", L"c"}},
      {L"ab", L"xa", {L"xa"}},
      {L"aa", L"aaa", {L"", L"a"}},
      {L"aa", L"a", {L"a"}},
      {L"", L"a;b", {L"a;b"}},
  };
  for (const auto& c : cases) {
    TWideStrArray pieces{L"left over"};
    EXPECT_EQ(ExplodeW(c.separator, c.text, pieces), static_cast<int>(c.pieces.size()));
    EXPECT_EQ(pieces, c.pieces) << c.text;
  }
}

TEST(ExplodeW, AgreesWithTheReferenceOnRandomText) {
  std::mt19937 random(3);
  for (int round = 0; round < 500; ++round) {
    std::wstring separator = RandomText(random, 1 + round % 3, L"ab|");
    std::wstring text = RandomText(random, round % 50, L"ab|c\u00e4");
    TWideStrArray pieces;
    ExplodeW(separator, text, pieces);
    ASSERT_EQ(pieces, ReferenceExplode(separator, text)) << text;
  }
}

// ---- Sorting

TEST(SortKeys, GermanSpellings) {
  EXPECT_EQ(MakeSortKeyW(L"\u00e4rger"), L"AERGER");
  EXPECT_EQ(MakeSortKeyW(L"AERGER"), L"AERGER");
  EXPECT_EQ(MakeSortKeyW(L"Stra\u00dfe"), L"STRASSE");
  EXPECT_EQ(MakeSortKeyW(L"\u00c7elik"), L"CELIK");
  EXPECT_EQ(MakeSortKeyW(L"\u00f6l \u00dcbel"), L"OEL UEBEL");
  EXPECT_EQ(MakeSortKeyW(L""), L"");
}

TEST(SortWideStrArray, SortsBySortKeyInBothDirections) {
  TWideStrArray words{L"Zebra", L"\u00e4rger", L"Abend", L"affe", L"Stra\u00dfe", L"strasse"};
  SortWideStrArray(words, 1);
  ASSERT_EQ(words.size(), 6u);
  EXPECT_EQ(words[0], L"Abend");
  EXPECT_EQ(words[1], L"\u00e4rger");  // AERGER sorts before AFFE
  EXPECT_EQ(words[2], L"affe");
  EXPECT_EQ(MakeSortKeyW(words[3]), L"STRASSE");
  EXPECT_EQ(MakeSortKeyW(words[4]), L"STRASSE");
  EXPECT_EQ(words[5], L"Zebra");
  SortWideStrArray(words, 0);
  EXPECT_EQ(words.front(), L"Zebra");
  EXPECT_EQ(words.back(), L"Abend");
  TWideStrArray empty;
  SortWideStrArray(empty, 1);
  EXPECT_TRUE(empty.empty());
}

TEST(QuickSort, SameOrderAsThePlainSchemeIncludingEqualKeys) {
  std::mt19937 random(5);
  for (int round = 0; round < 200; ++round) {
    TWideRA items;
    int count = 1 + round % 60;
    for (int i = 0; i < count; ++i) items.push_back({RandomText(random, 1 + i % 2, L"abc"), i});
    for (bool ascending : {true, false}) {
      TWideRA expected = items;
      ReferenceQuickSort(expected, 0, count - 1, ascending);
      TWideRA actual = items;
      if (ascending) {
        QuickSortWideRAAsc(actual, 0, count - 1);
      } else {
        QuickSortWideRADesc(actual, 0, count - 1);
      }
      for (int i = 0; i < count; ++i) {
        ASSERT_EQ(actual[i].key, expected[i].key);
        ASSERT_EQ(actual[i].position, expected[i].position);
      }
    }
  }
}

TEST(QuickSort, SurvivesInputThatDefeatsTheMiddlePivot) {
  // Numbers arranged so that every middle pivot is the largest of its range: the plain scheme
  // recurses once per element, far past the stack.
  const int count = 50000;
  std::vector<int> labels(count), numbers(count);
  for (int i = 0; i < count; ++i) labels[i] = i;
  for (int high = count - 1; high >= 1; --high) {
    numbers[labels[high / 2]] = high;
    std::swap(labels[high / 2], labels[high]);
  }
  numbers[labels[0]] = 0;
  TWideStrIntArray items(count);
  for (int i = 0; i < count; ++i) items[i] = {std::to_wstring(numbers[i]), numbers[i]};
  QuickSortWideStrIntArray(items, 0, count - 1);
  for (int i = 0; i < count; ++i) {
    ASSERT_EQ(items[i].number, i);
    ASSERT_EQ(items[i].text, std::to_wstring(i));
  }
}

TEST(QuickSort, PageListSortsByNumberAndStaysInRange) {
  TWideStrIntArray lines{{L"c (30)", 30}, {L"a (-2)", -2}, {L"b (7)", 7}};
  QuickSortWideStrIntArray(lines, 0, 99);  // positions past the end are clamped
  EXPECT_EQ(lines[0].text, L"a (-2)");
  EXPECT_EQ(lines[1].text, L"b (7)");
  EXPECT_EQ(lines[2].text, L"c (30)");
  TWideStrIntArray none;
  QuickSortWideStrIntArray(none, 0, -1);
  EXPECT_TRUE(none.empty());
}

// ---- Arrays

TEST(WideStrArrays, DeleteAndAppend) {
  TWideStrArray strings;
  EXPECT_FALSE(DeleteWideStrArrayItem(strings, 0));
  EXPECT_TRUE(AppendWideStrArray(strings, L"a"));
  AppendWideStrArray(strings, L"b");
  AppendWideStrArray(strings, L"c");
  EXPECT_TRUE(DeleteWideStrArrayItem(strings, 1));
  EXPECT_EQ(strings, (TWideStrArray{L"a", L"c"}));
  EXPECT_FALSE(DeleteWideStrArrayItem(strings, 2));
  EXPECT_FALSE(DeleteWideStrArrayItem(strings, -1));
  EXPECT_TRUE(DeleteWideStrArrayItem(strings, 1));
  EXPECT_EQ(strings, (TWideStrArray{L"a"}));
}

// ---- Replacement

TEST(ReplaceAllW, ReplacesNonOverlappingOccurrences) {
  EXPECT_EQ(ReplaceAllW(L"aaa", L"aa", L"b"), L"ba");
  EXPECT_EQ(ReplaceAllW(L"a|b|c", L"|", L"\r\n"), L"a\r\nb\r\nc");
  EXPECT_EQ(ReplaceAllW(L"Aa", L"a", L"x"), L"Ax");
  EXPECT_EQ(ReplaceAllW(L"abc", L"", L"x"), L"abc");
  EXPECT_EQ(ReplaceAllW(L"", L"a", L"x"), L"");
  EXPECT_EQ(ReplaceAllW(L"abab", L"ab", L""), L"");
}

TEST(ReplaceWordsW, WholeWordsAndFlags) {
  EXPECT_EQ(ReplaceWordsW(L"an and an", L"an", L"X", true, rfReplaceAll, L""), L"X and X");
  EXPECT_EQ(ReplaceWordsW(L"an and an", L"an", L"X", false, rfReplaceAll, L""), L"X Xd X");
  EXPECT_EQ(ReplaceWordsW(L"AN and an", L"an", L"X", true, rfReplaceAll | rfIgnoreCase, L""), L"X and X");
  EXPECT_EQ(ReplaceWordsW(L"an an", L"an", L"X", true, 0, L""), L"X an");
  // The call's own delimiters count besides spaces and punctuation.
  EXPECT_EQ(ReplaceWordsW(L"xanx an", L"an", L"_", true, rfReplaceAll, L"x"), L"x_x _");
  EXPECT_EQ(ReplaceWordsW(L"\u00e4an an\u00e4", L"an", L"_", true, rfReplaceAll, L""), L"\u00e4an an\u00e4");
}

TEST(ReplaceWordsW, AgreesWithTheReferenceOnRandomText) {
  std::mt19937 random(9);
  const std::wstring alphabet = L"aAbB \u00e4\u00c4.,x";
  for (int round = 0; round < 2000; ++round) {
    std::wstring text = RandomText(random, round % 40, alphabet);
    std::wstring old = RandomText(random, 1 + round % 3, alphabet);
    std::wstring replacement = RandomText(random, round % 3, alphabet);
    bool wholeWord = round % 2 == 0;
    int flags = (round / 2) % 4;
    ASSERT_EQ(ReplaceWordsW(text, old, replacement, wholeWord, flags, L"x"),
              ReferenceReplaceWords(text, old, replacement, wholeWord, flags, L"x"))
        << "text [" << text.size() << "] flags " << flags;
  }
}

// ---- Paths

TEST(MinimizePathW, ShortensStepByStepUntilItFits) {
  const std::wstring path = L"C:\\a\\b\\c\\file.txt";
  std::vector<std::wstring> measured;
  auto recordingWidth = [&measured](const std::wstring& text) {
    measured.push_back(text);
    return 1000;
  };
  EXPECT_EQ(MinimizePathW(path, recordingWidth, 10), L"file.txt");
  EXPECT_EQ(measured, (std::vector<std::wstring>{path, L"C:\\...\\b\\c\\file.txt", L"C:\\...\\c\\file.txt",
                                                  L"C:\\...\\file.txt", L"...\\file.txt"}));
  auto width = [](const std::wstring& text) { return static_cast<int>(text.size()) * 7; };
  const struct {
    int maxWidth;
    std::wstring result;
  } cases[] = {{200, path}, {119, path}, {118, L"C:\\...\\file.txt"}, {104, L"...\\file.txt"}, {83, L"file.txt"}, {0, L"file.txt"}};
  for (const auto& c : cases) EXPECT_EQ(MinimizePathW(path, width, c.maxWidth), c.result) << c.maxWidth;
  EXPECT_EQ(MinimizePathW(L"\\\\server\\share\\f", width, 0), L"f");
}

TEST(MinimizePathW, MeasuresInTheCanvasFont) {
  TBitmap bitmap;
  TCanvas* canvas = bitmap.GetCanvas();
  const std::wstring path = L"C:\\Programme\\Kaptorix\\Indexe\\Stra\u00dfen.idx";
  const int fullWidth = WideCanvasTextWidth(canvas, path);
  ASSERT_GT(fullWidth, 0);
  EXPECT_EQ(MinimizePathW(path, canvas, fullWidth), path);
  std::wstring shorter = MinimizePathW(path, canvas, fullWidth - 1);
  EXPECT_EQ(shorter, L"C:\\...\\Kaptorix\\Indexe\\Stra\u00dfen.idx");
  EXPECT_LE(WideCanvasTextWidth(canvas, shorter), fullWidth - 1);
  EXPECT_EQ(MinimizePathW(path, canvas, 1), L"Stra\u00dfen.idx");
}

TEST(MinimizePathW, SingleSteps) {
  struct Case {
    std::wstring before, after;
  } cases[] = {
      {L"\\a\\b\\", L"\\...\\b\\"},
      {L"\\...\\b\\", L"\\...\\"},
      {L"a\\b\\", L"...\\b\\"},
      {L"\\", L""},
      {L"...\\", L""},
      {L"", L""},
  };
  for (const auto& c : cases) {
    std::wstring directory = c.before;
    ShortenPathStep(directory);
    EXPECT_EQ(directory, c.after) << c.before;
  }
}

}  // namespace
