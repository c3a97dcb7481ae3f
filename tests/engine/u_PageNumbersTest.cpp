// Page-number detection.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/u_PageNumbers.h"

namespace {

using Lines = std::vector<std::wstring>;

// Source lines with the given texts on the given line numbers, empty lines elsewhere.
Lines SourceWith(std::initializer_list<std::pair<int, const wchar_t*>> placed, int count) {
  Lines lines(count, L"Fließtext einer Seite mit vielen Wörtern");
  for (const auto& [line, text] : placed) lines[line] = text;
  return lines;
}

TEST(PageNumberDetection, FactoryCriteria) {
  Lines lines = SourceWith({{3, L"- 12 -"}, {5, L""}, {7, L"xii"}, {9, L"-13-"}, {40, L"12"}}, 41);
  EXPECT_EQ(FindPageNumbers(lines, {}), (Lines{L"13 (9)", L"12 (40)"}));
}

TEST(PageNumberDetection, LineLengthLimit) {
  Lines lines = {L"1234", L"12345", L"- 12 -"};
  TPageNumberCriteria criteria;
  EXPECT_EQ(FindPageNumbers(lines, criteria), (Lines{L"1234 (0)"}));
  criteria.MaxLength = L"x";
  EXPECT_EQ(FindPageNumbers(lines, criteria), (Lines{L"1234 (0)"}));
  criteria.MaxLength = L"10";
  EXPECT_EQ(FindPageNumbers(lines, criteria), (Lines{L"1234 (0)", L"12345 (1)", L"12 (2)"}));
}

TEST(PageNumberDetection, OffsetRaisesOnlyIntegerLabels) {
  TPageNumberCriteria criteria;
  criteria.AddOffset = true;
  criteria.Offset = L"-2";
  criteria.OnlyNumbers = false;
  EXPECT_EQ(FindPageNumbers({L"3", L"1", L"", L"iv"}, criteria), (Lines{L"1 (0)", L"-1 (1)", L"iv (3)"}));
  criteria.Offset = L"zwei";
  EXPECT_EQ(FindPageNumbers({L"3"}, criteria), (Lines{L"3 (0)"}));
}

TEST(PageNumberDetection, OffsetDoesNotWrapAround) {
  TPageNumberCriteria criteria;
  criteria.MaxLength = L"20";
  criteria.AddOffset = true;
  criteria.Offset = L"2147483647";
  criteria.RemoveStandardChars = false;
  EXPECT_EQ(FindPageNumbers({L"2147483647", L"-2147483648"}, criteria), (Lines{L"4294967294 (0)", L"-1 (1)"}));
}

TEST(PageNumberDetection, LeadingMarker) {
  TPageNumberCriteria criteria;
  criteria.StartsWithMarker = true;
  criteria.Marker = L"#";
  Lines lines = {L"#5", L"5", L"S#6"};
  EXPECT_EQ(FindPageNumbers(lines, criteria), (Lines{L"5 (0)"}));
  criteria.RemoveMarker = false;
  EXPECT_EQ(FindPageNumbers(lines, criteria), Lines{});
  criteria.OnlyNumbers = false;
  EXPECT_EQ(FindPageNumbers(lines, criteria), (Lines{L"#5 (0)"}));
  criteria.Marker.clear();
  EXPECT_EQ(FindPageNumbers(lines, criteria), Lines{});
}

TEST(PageNumberDetection, CleaningCharacters) {
  TPageNumberCriteria criteria;
  EXPECT_EQ(CleanPageLabel(L"- 1 2-", criteria), L"12");
  criteria.RemoveStandardChars = false;
  criteria.RemoveUserChars = true;
  EXPECT_EQ(CleanPageLabel(L"[7]", criteria), L"7");
  EXPECT_EQ(FindPageNumbers({L"(8)", L"[9 ]", L"<9>"}, criteria), (Lines{L"8 (0)", L"9 (1)"}));
  criteria.RemoveUserChars = false;
  EXPECT_EQ(CleanPageLabel(L"- 1 -", criteria), L"- 1 -");
  criteria.StartsWithMarker = true;
  criteria.Marker = L"S.";
  EXPECT_EQ(CleanPageLabel(L"S.1S.", criteria), L"1");
}

}  // namespace

TEST(PageNumberLineSort, SortsByLineNumberAndDropsLinesNotOfTheForm) {
  using Lines = std::vector<std::wstring>;
  const struct {
    Lines in;
    Lines out;
  } cases[] = {
      {{L"40 (40)", L"7 (7)", L"iv (12)"}, {L"7 (7)", L"iv (12)", L"40 (40)"}},
      // Leading blanks are trimmed away; a blank behind ")" drops the line.
      {{L"  3 (9)", L"4 (2) ", L"5 (1)"}, {L"5 (1)", L"3 (9)"}},
      // A second pair of parentheses before the last, a letter in the number, no " (" at all.
      {{L"a (b) (3)", L"x (1a)", L"x(4)", L"y (-2)"}, {L"y (-2)"}},
      // A label with blanks and a negative or large number keep their text.
      {{L"Kapitel 2 (100000)", L"Vorwort (0)"}, {L"Vorwort (0)", L"Kapitel 2 (100000)"}},
      {{L"nothing", L""}, {}},
      {{}, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(SortPageNumberLines(c.in), c.out);
}

TEST(PageNumberLineSort, ManyLinesComeOutInOrder) {
  std::vector<std::wstring> lines;
  for (int i = 999; i >= 0; --i) lines.push_back(MakePageNumberLine(std::to_wstring(i % 7), i * 3));
  const std::vector<std::wstring> sorted = SortPageNumberLines(lines);
  ASSERT_EQ(sorted.size(), 1000u);
  for (int i = 0; i < 1000; ++i) EXPECT_EQ(sorted[i], MakePageNumberLine(std::to_wstring(i % 7), i * 3));
}
