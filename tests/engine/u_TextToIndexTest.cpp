// Lines of a printed index made into entries, and index data lines written and read back.
#include <gtest/gtest.h>

#include <string>

#include "engine/u_TextToIndex.h"

namespace {

TTextToIndexOptions WithCompound(TCompoundWords compound) {
  TTextToIndexOptions options;
  options.Compound = compound;
  return options;
}

struct Converted {
  bool ok = false;
  std::wstring entry{}, pages{};
};

Converted Convert(const std::wstring& line, const TTextToIndexOptions& options) {
  TIndexRow row;
  const bool ok = ConvertIndexLine(line, options, row);
  return {ok, row.Entry, row.Pages};
}

void ExpectConverted(const std::wstring& line, const TTextToIndexOptions& options, const Converted& want) {
  const Converted got = Convert(line, options);
  EXPECT_EQ(got.ok, want.ok) << line;
  if (got.ok && want.ok) {
    EXPECT_EQ(got.entry, want.entry) << line;
    EXPECT_EQ(got.pages, want.pages) << line;
  }
}

}  // namespace

TEST(TextToIndexLines, EntryAndPagesByTheSeparators) {
  const TTextToIndexOptions factory;
  ExpectConverted(L"Haus 12, 15", factory, {true, L"Haus", L"12(-), 15(-)"});
  ExpectConverted(L"Haus 12", factory, {true, L"Haus", L"12(-)"});
  // The separator at the start, as the last character, or missing: no entry.
  ExpectConverted(L" Haus 12", factory, {false});
  ExpectConverted(L"Haus ", factory, {false});
  ExpectConverted(L"Haus", factory, {false});
  ExpectConverted(L"", factory, {false});
  // Separators of several characters, used as typed.
  TTextToIndexOptions dotted;
  dotted.EntrySeparator = L" .... ";
  dotted.PageSeparator = L"; ";
  ExpectConverted(L"Dach .... 3; 9; 27", dotted, {true, L"Dach", L"3(-), 9(-), 27(-)"});
}

TEST(TextToIndexLines, CompoundEntriesByTheChosenRule) {
  const struct {
    TCompoundWords compound;
    Converted plain, withPages;
  } cases[] = {
      {TCompoundWords::ToEntry, {true, L"Haus Tür", L"12(-)"}, {true, L"Haus Tür", L"12(-), 15(-)"}},
      {TCompoundWords::ToPages, {true, L"Haus", L"Tür 12(-)"}, {true, L"Haus", L"Tür(-), 12(-), 15(-)"}},
      {TCompoundWords::Skip, {false}, {false}},
  };
  for (const auto& c : cases) {
    ExpectConverted(L"Haus Tür 12", WithCompound(c.compound), c.plain);
    ExpectConverted(L"Haus Tür 12, 15", WithCompound(c.compound), c.withPages);
  }
  // The entry separator only behind the page separator: the first piece is entry and page.
  ExpectConverted(L"Haus, 15 b", WithCompound(TCompoundWords::ToEntry), {true, L"Haus", L"Haus(-), 15 b(-)"});
  ExpectConverted(L"Haus, 15 b", WithCompound(TCompoundWords::ToPages), {true, L"Haus", L"15 b(-)"});
}

TEST(TextToIndexLines, PageItemsWithLinks) {
  TTextToIndexOptions links;
  links.LinksPresent = true;
  EXPECT_EQ(FormatPageLink(L"12>a.htm", links), L"12(a.htm)");
  EXPECT_EQ(FormatPageLink(L"12", links), L"12(-)");
  EXPECT_EQ(FormatPageLink(L"1>2>c.htm", links), L"1>2(c.htm)");  // the last separator takes the link
  links.PageBeforeLink = false;
  EXPECT_EQ(FormatPageLink(L"12>a.htm", links), L"a.htm(12)");
  EXPECT_EQ(FormatPageLink(L"c.htm>1>2", links), L"1>2(c.htm)");  // the first separator takes the link
  links.LinksPresent = false;
  EXPECT_EQ(FormatPageLink(L"12>a.htm", links), L"12>a.htm(-)");
  TTextToIndexOptions withLinks;
  withLinks.LinksPresent = true;
  ExpectConverted(L"Haus 12>a.htm, 15>b.htm", withLinks, {true, L"Haus", L"12(a.htm), 15(b.htm)"});
}

TEST(TextToIndexDataLines, WrittenAndReadBackWithLinksThatHoldColons) {
  EXPECT_EQ(IndexDataLineOf({L"Haus", L"12(-), 15(-)"}), L"Haus:12>-|15>-");
  EXPECT_EQ(IndexDataLineOf({L"Haus", L"12(a.htm)"}), L"Haus:12>a.htm");
  const struct {
    std::wstring line;
    bool ok;
    TIndexRow row;
  } cases[] = {
      {L"Haus:12>-|15>-", true, {L"Haus", L"12(-), 15(-)"}},
      // A file index link with a drive letter stays whole.
      {L"Haus:Doc>C:\\docs\\a.htm|B>D:\\b.htm", true, {L"Haus", L"Doc(C:\\docs\\a.htm), B(D:\\b.htm)"}},
      {L"Haus", false, {}},
      {L"Haus:", false, {}},
      {L":12>-", false, {}},
  };
  for (const auto& c : cases) {
    TIndexRow row;
    EXPECT_EQ(ParseIndexDataLine(c.line, row), c.ok) << c.line;
    if (!c.ok) continue;
    EXPECT_EQ(row.Entry, c.row.Entry);
    EXPECT_EQ(row.Pages, c.row.Pages);
    EXPECT_EQ(IndexDataLineOf(row), c.line);  // saved again unchanged
  }
}
