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

// On a whole text only the empty lines change: each line break stays as it was, and the text
// ends as it ended.
TEST(PageNumberText, OnAWholeTextOnlyTheEmptyLinesChange) {
  struct Case {
    const wchar_t* text;
    bool textBetween;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {L"Erster\r\n\r\nZweiter", true, L"Erster\r\n1\r\nZweiter"},
      {L"Erster\r\n\r\nZweiter\r\n", true, L"Erster\r\n1\r\nZweiter\r\n"},
      {L"Erster\r\n\r\nZweiter\r\n\r\n", true, L"Erster\r\n1\r\nZweiter\r\n2\r\n"},
      {L"Erster\n\nZweiter\n", true, L"Erster\n1\nZweiter\n"},
      {L"Erster\r\rZweiter\u2028\u2028", true, L"Erster\r1\rZweiter\u20282\u2028"},
      {L"Text\r\n\r\n\r\nText", true, L"Text\r\n1\r\n\r\nText"},
      {L"Text\r\n\r\n\n\rText", false, L"Text\r\n1\r\n2\n3\rText"},
      {L"\r\nText", true, L"1\r\nText"},
      {L"Ohne Leerzeile", true, L"Ohne Leerzeile"},
      {L"", true, L""},
  };
  for (const Case& c : cases) EXPECT_EQ(EmptyLinesToPageNumbersInText(c.text, L"1", c.textBetween), c.expected) << c.text;
  EXPECT_EQ(EmptyLinesToPageNumbersInText(L"a\r\n\r\nb\r\n\r\n", L"5", true), L"a\r\n5\r\nb\r\n6\r\n");
}
