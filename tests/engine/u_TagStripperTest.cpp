// The tag replacement in one walk against the passes written out one by one, on markup whose tags
// reach over the separators earlier passes left, and on texts that share fingerprints.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/u_TagStripper.h"
#include "support/HtmlReference.h"

namespace {

// Markup of pieces that make the passes meet themselves: "<" that stay open over many later tags,
// tags written with the " . " a pass leaves (so that a pass makes a tag of an earlier one), tags
// that come again only after a pass made them, and long tags before all that.
std::wstring TangledMarkup(std::mt19937& random, size_t count) {
  static const wchar_t* const pieces[] = {L"<", L"<", L">", L">", L"<a", L"<b>", L"<b>", L" . ", L"<a . >",
                                          L"<a<b>>", L"<c", L"x", L"<y1>", L"<a<y1>>", L"<!-- lang -->",
                                          L"<a . . >", L"<<b>", L"b>"};
  return reference::RandomPieces(random, pieces, count);
}

TEST(TagReplacementTest, GivesWhatThePassesGiveOnTangledMarkup) {
  std::mt19937 random(37);
  for (int round = 0; round < 20000; ++round) {
    const std::wstring text = TangledMarkup(random, 4 + round % 60);
    ASSERT_EQ(ReplaceTagsWithSeparators(text), reference::StripTags(text)) << text;
  }
}

// Shapes where a ">" has many "<" before it that no tag takes, at a size where the passes can
// still be written out: the walk must give what they give, not only be quick.
TEST(TagReplacementTest, GivesWhatThePassesGiveWhereManyOpeningsStayOpen) {
  const std::wstring longTag = L"<!--" + std::wstring(300, L'x') + L"-->";
  std::wstring chain, creators;
  for (int i = 0; i < 40; ++i) {
    const std::wstring inner = L"<y" + std::to_wstring(i) + L">";
    creators += inner + L"<a" + inner + L">";
  }
  for (int i = 0; i < 60; ++i) chain += L"<a";
  std::wstring manyTags, behind;
  for (int i = 0; i < 50; ++i) {
    manyTags += L"<t" + std::to_wstring(i) + L">";
    behind += L"<<t" + std::to_wstring(i) + L">";
  }
  const std::wstring shapes[] = {
      longTag + std::wstring(200, L'<') + L">",
      longTag + L"<b>" + std::wstring(200, L'<') + L"w<b>w<b>w<b>w<b>",
      longTag + manyTags + behind,
      L"<c" + chain + L" . >" + creators + chain + L" . >" + std::wstring(40, L'>'),
      // A "<" kept open by a pass that took a later tag, then taken by a tag made elsewhere
      // from the " . " of that pass.
      L"<b><a . ><a<b>><c<a<b>>>",
  };
  for (const auto& text : shapes) EXPECT_EQ(ReplaceTagsWithSeparators(text), reference::StripTags(text)) << text;
}

// At the point 1 a fingerprint is the sum of the characters, so "<ab>" and "<ba>" share one: a
// tag found by it must still be compared before it counts.
TEST(TagReplacementTest, TextsThatShareFingerprintsAreToldApart) {
  // "<ba>" is no "<ab>": it stays for the second pass, inside "<c<ba>".
  EXPECT_EQ(ReplaceTagsWithSeparators(L"<ab>x<c<ba>>", 1), L" . x . >");
  EXPECT_EQ(reference::StripTags(L"<ab>x<c<ba>>"), L" . x . >");
  std::mt19937 random(38);
  static const wchar_t* const pieces[] = {L"<ab>", L"<ba>", L"<a", L"b>", L"<", L">", L" . ", L"<ab . >"};
  for (int round = 0; round < 5000; ++round) {
    const std::wstring text = reference::RandomPieces(random, pieces, 2 + round % 30);
    ASSERT_EQ(ReplaceTagsWithSeparators(text, 1), reference::StripTags(text)) << text;
  }
}

}  // namespace
