// Page numbers written into a text.
#include <gtest/gtest.h>

#include "engine/u_PageNumberText.h"

using Lines = std::vector<std::wstring>;

TEST(PageNumberText, EmptyLinesBecomePageNumbers) {
  const Lines text = {L"Erster Absatz", L"", L"Zweiter Absatz", L""};
  EXPECT_EQ(EmptyLinesToPageNumbers(text, L"1", true), Lines({L"Erster Absatz", L"1", L"Zweiter Absatz", L"2"}));
  EXPECT_EQ(EmptyLinesToPageNumbers(text, L"5", true), Lines({L"Erster Absatz", L"5", L"Zweiter Absatz", L"6"}));
  EXPECT_EQ(EmptyLinesToPageNumbers(text, L"x", true), Lines({L"Erster Absatz", L"1", L"Zweiter Absatz", L"2"}));
  // Two empty lines in a row: one number, unless every empty line is to count.
  const Lines twice = {L"Text", L"", L"", L"Text"};
  EXPECT_EQ(EmptyLinesToPageNumbers(twice, L"1", true), Lines({L"Text", L"1", L"", L"Text"}));
  EXPECT_EQ(EmptyLinesToPageNumbers(twice, L"1", false), Lines({L"Text", L"1", L"2", L"Text"}));
  EXPECT_EQ(EmptyLinesToPageNumbers({}, L"1", true), Lines());
}

TEST(PageNumberText, MarkersBecomeConsecutivePageNumbers) {
  const std::wstring nl = ExpandLineBreaks(L"#NL");
  EXPECT_EQ(nl, L"\r\n");
  EXPECT_EQ(MarkersToPageNumbers(L"a#b#c#", L"#", L"10", nl, nl), L"a\r\n10\r\nb\r\n11\r\nc\r\n12\r\n");
  // Occurrences do not overlap, and inserted numbers are not searched again.
  EXPECT_EQ(MarkersToPageNumbers(L"xxx|xx", L"xx", L"1", L"x", L"xx"), L"x1xxx|x2xx");
  EXPECT_EQ(MarkersToPageNumbers(L"a#b", L"", L"1", L"", L""), L"a#b");
  EXPECT_EQ(MarkersToPageNumbers(L"a#b", L"#", L"?", L"[", L"]"), L"a[1]b");
  EXPECT_EQ(ExpandLineBreaks(L"- #NL#NL"), L"- \r\n\r\n");
}
