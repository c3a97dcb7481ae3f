// The word pipeline's filters, one by one and together.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "classlib/SysUtils.h"
#include "engine/u_WideFunc.h"
#include "engine/u_WordPipeline.h"

namespace {

using Words = std::vector<std::wstring>;

Words RunWith(const TPipelineOptions& options, const std::wstring& text) {
  TWordPipeline pipeline(options);
  TWordPipeline::Result result = pipeline.Run(text);
  Words all = result.Phrases;
  all.insert(all.end(), result.Words.begin(), result.Words.end());
  return all;
}

TEST(PipelineSeparators, EverySeparatorPartsWordsAndTheHyphenBecomesABlank) {
  const std::wstring separators = kSeparatorChars;
  ASSERT_EQ(separators.size(), 34u);
  for (wchar_t c : separators) {
    std::wstring expected = c == L'-' ? L".a b." : L".a.b.";
    EXPECT_EQ(NormalizeSeparators(std::wstring(L"a") + c + L"b"), expected) << int(c);
  }
  EXPECT_EQ(NormalizeSeparators(L"a b\u00E9~"), L".a b\u00E9~.");
  EXPECT_EQ(NormalizeSeparators(L""), L"..");
}

TEST(PipelineSeparators, ControlCharactersPartWordsToo) {
  EXPECT_EQ(NormalizeSeparators(L"Haus\fHof\vDach\x01Tor"), L".Haus.Hof.Dach.Tor.");
  EXPECT_EQ(RunWith({}, L"Haus\fHaus"), (Words{L"Haus", L"Haus"}));
}

TEST(PipelineCollapse, RemovesBlanksRunsOfDotsAndTheClosingDot) {
  EXPECT_EQ(CollapseSeparators(L".a."), L".a");
  EXPECT_EQ(CollapseSeparators(L"a..b."), L"a.b");
  EXPECT_EQ(CollapseSeparators(L"x"), L"");
  EXPECT_EQ(CollapseSeparators(L""), L"");
  EXPECT_EQ(CollapseSeparators(L"..a b...c.."), L".ab.c.");
}

TEST(PipelineJoin, JoinsRunsOfCapitalisedWordsAfterBlanks) {
  EXPECT_EQ(JoinCapitalizedWords(L".sah Hans Peter Müller."), L".sah Hans&Peter&Müller.");
  EXPECT_EQ(JoinCapitalizedWords(L"Hans Peter"), L"Hans Peter");
  EXPECT_EQ(JoinCapitalizedWords(L".Er sah Hans. Peter."), L".Er sah Hans.&Peter.");
  // A character without an ANSI form counts as a separator and ends the run.
  EXPECT_EQ(JoinCapitalizedWords(L".x Ab \u4E00 Cd Ef."), L".x Ab \u4E00 Cd&Ef.");
  EXPECT_EQ(JoinCapitalizedWords(L".x Ab 12 Cd."), L".x Ab&12&Cd.");
}

TEST(PipelineCaseFilters, DropLowercaseKeepsCapitalsDigitsAndJoinedParts) {
  EXPECT_EQ(DropLowercaseWords(L".Haus.baum.12.&Peter.über.Über"), L"Haus.12.&Peter.Über.");
  EXPECT_EQ(DropLowercaseWords(L""), L"");
}

TEST(PipelineCaseFilters, DropUppercaseKeepsLowercaseAndDigits) {
  EXPECT_EQ(DropUppercaseWords(L".12.über.Über.&Peter.haus"), L".12.über.haus.");
  EXPECT_EQ(DropUppercaseWords(L""), L".");
}

TEST(PipelineDigitsAndLength, DigitsBecomeDotsAndShortWordsGo) {
  EXPECT_EQ(RemoveDigits(L"a1b22.3"), L"a.b....");
  EXPECT_EQ(DropShortWords(L"ab.Hans&Li&Peter", L"3"), L"Hans&Peter.");
  EXPECT_EQ(DropShortWords(L"a.ab.abc", L"x"), L"ab.abc.");
  EXPECT_EQ(DropShortWords(L"Li&Bo.Haus", L"3"), L".Haus.");
  EXPECT_EQ(DropShortWords(L"a..b", L"0"), L"a..b.");
}

TEST(PipelineNegative, RemovesWholeWordsIgnoringCase) {
  const Words list = {L"und", L"Über", L"", L"Zum Beispiel"};
  EXPECT_EQ(DropNegativeWords(L"Haus und Grund, UND Hof", list), L"Haus . Grund, . Hof");
  EXPECT_EQ(DropNegativeWords(L"über, ÜBER! Überall (über)", list), L"., .! Überall (.)");
  EXPECT_EQ(DropNegativeWords(L"zum beispiel: Zum Beispielhaft", list), L".: Zum Beispielhaft");
  EXPECT_EQ(DropNegativeWords(L"", list), L"");
}

TEST(PipelineNegative, OnePassEqualsReplacingTheLinesInTurn) {
  const Words list = {L"und", L"Die", L"Zum", L"Zum Beispiel", L"Beispiel", L"z.B.", L"Äh", L"die"};
  const Words vocabulary = {L"und", L"UND", L"Und", L"Grund", L"die", L"Die", L"zum", L"Zum", L"Beispiel",
                            L"beispiel", L"z.B.", L"äh", L"ÄH", L"Haus", L"über", L"x"};
  const Words glue = {L" ", L" ", L", ", L".", L"-", L"", L"\r\n", L"'", L"(", L"\u00A0"};
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    std::wstring text;
    int words = 1 + static_cast<int>(random() % 12);
    for (int w = 0; w < words; ++w) {
      text += vocabulary[random() % vocabulary.size()];
      text += glue[random() % glue.size()];
    }
    std::wstring expected = text;
    for (const auto& line : list)
      if (!line.empty()) expected = ReplaceWordsW(expected, line, L".", true, rfReplaceAll | rfIgnoreCase, kSeparatorChars);
    EXPECT_EQ(DropNegativeWords(text, list), expected) << text;
  }
}

TEST(PipelinePositive, EntersFoundPhrasesAndCutsThemOut) {
  TPositiveResult joined = AddPositiveWords(L"in New York. new york", {L"New York", L"", L"Paris"}, true);
  EXPECT_EQ(joined.Text, L"in .. .");
  EXPECT_EQ(joined.Phrases, (Words{L"New&York"}));

  TPositiveResult asListed = AddPositiveWords(L"in New York.", {L"New York"}, false);
  EXPECT_EQ(asListed.Phrases, (Words{L"New York"}));

  // The first test is case-sensitive; a phrase inside a longer word is no hit.
  EXPECT_TRUE(AddPositiveWords(L"in NEW YORK.", {L"New York"}, true).Phrases.empty());
  TPositiveResult inside = AddPositiveWords(L"New Yorker", {L"New York"}, true);
  EXPECT_EQ(inside.Text, L"New Yorker");
  EXPECT_TRUE(inside.Phrases.empty());
}

// Word marks where a word may break with U+001F: the mark vanishes and the word stays whole, for
// the word lists as for the index, as "&shy;" of a page does.
TEST(PipelineSeparators, WordsOptionalHyphenVanishesInsideItsWord) {
  EXPECT_EQ(NormalizeSeparators(L"Ab\x1Fsatz \x1F"), L".Absatz .");
  EXPECT_EQ(RemoveOptionalHyphens(L"\x1F" L"Ab\x1Fsatz\x1F"), L"Absatz");
  EXPECT_EQ(RunWith({}, L"Ein Ab\x1Fsatz endet"), (Words{L"Ein", L"Absatz", L"endet"}));
  TPipelineOptions negative;
  negative.NegativeList = true;
  negative.NegativeWords = {L"absatz"};
  EXPECT_EQ(RunWith(negative, L"Ein Ab\x1Fsatz endet"), (Words{L"Ein", L"endet"}));
  TPipelineOptions positive;
  positive.PositiveList = true;
  positive.PositiveWords = {L"Absatz"};
  EXPECT_EQ(RunWith(positive, L"Ein Ab\x1Fsatz"), (Words{L"Absatz", L"Ein"}));
  TPipelineOptions shortWords;
  shortWords.MinimumLengthOn = true;
  shortWords.MinimumLength = L"7";
  EXPECT_EQ(RunWith(shortWords, L"Ab\x1Fsatz Abs\x1F" L"ch\x1Fnitt"), (Words{L"Abschnitt"}));
}

// The filters one after the other, each on the whole text, as the builders' order has them.
Words StepByStep(const TPipelineOptions& o, const std::wstring& text) {
  Words words;
  std::wstring t = RemoveOptionalHyphens(text);
  if (o.PositiveList) {
    TPositiveResult positive = AddPositiveWords(t, o.PositiveWords, o.PositiveBlanksJoined);
    t = positive.Text;
    words = positive.Phrases;
  }
  if (o.NegativeList) t = DropNegativeWords(t, o.NegativeWords);
  t = NormalizeSeparators(t);
  if (o.JoinCapitalized) t = JoinCapitalizedWords(t);
  for (auto& c : t)
    if (c == L' ') c = L'.';
  t = CollapseSeparators(t);
  if (o.RemoveDigits) t = RemoveDigits(t);
  if (o.DropLowercase) t = DropLowercaseWords(t);
  if (o.DropUppercase) t = DropUppercaseWords(t);
  if (o.MinimumLengthOn) t = DropShortWords(t, o.MinimumLength);
  TWideStrArray pieces;
  ExplodeW(L".", t, pieces);
  for (const auto& piece : pieces)
    if (std::any_of(piece.begin(), piece.end(), [](wchar_t c) { return c >= 33; })) words.push_back(piece);
  return words;
}

// Every combination of the options on random text gives the words of the filters run one after
// the other.
TEST(PipelineWhole, SameWordsAsTheFiltersInTurn) {
  const Words vocabulary = {L"Haus", L"haus", L"Über", L"über", L"und", L"Und", L"New", L"York", L"A", L"b",
                            L"12", L"x1y", L"&", L"Hans&Peter", L"ß", L"É", L"Zum", L"z", L"Äh", L"",
                            L"\u4E00", L"Ab&c", L"&Peter", L"Ab\x1Fsatz"};
  const Words glue = {L" ", L"  ", L", ", L".", L"..", L"-", L"", L"\r\n", L"'", L"(", L"\u00A0", L"\t",
                      L" - ", L"\x01", L"&", L";", L"\x1F"};
  const Words minimums = {L"3", L"0", L"-1", L"x", L"1", L"5"};
  std::mt19937 random(11);
  for (int round = 0; round < 3000; ++round) {
    TPipelineOptions o;
    const unsigned bits = random();
    o.PositiveList = bits & 1;
    o.PositiveBlanksJoined = bits & 2;
    o.NegativeList = bits & 4;
    o.JoinCapitalized = bits & 8;
    o.RemoveDigits = bits & 16;
    o.DropLowercase = bits & 32;
    o.DropUppercase = bits & 64;
    o.MinimumLengthOn = bits & 128;
    o.MinimumLength = minimums[random() % minimums.size()];
    o.PositiveWords = {L"New York", L"", L"Hans"};
    o.NegativeWords = {L"und", L"Zum", L"a"};
    std::wstring text;
    for (int w = 0, words = static_cast<int>(random() % 16); w < words; ++w) {
      text += vocabulary[random() % vocabulary.size()];
      text += glue[random() % glue.size()];
    }
    EXPECT_EQ(RunWith(o, text), StepByStep(o, text)) << text << " options " << bits;
  }
}

TEST(PipelineWhole, WordsOfAPage) {
  EXPECT_EQ(RunWith({}, L"Haus-Tür, Dach"), (Words{L"Haus", L"Tür", L"Dach"}));

  TPipelineOptions joining;
  joining.JoinCapitalized = true;
  EXPECT_EQ(RunWith(joining, L"Er sah Hans Peter."), (Words{L"Er", L"sah", L"Hans&Peter"}));

  TPipelineOptions factory;
  factory.DropLowercase = factory.RemoveDigits = factory.MinimumLengthOn = factory.NegativeList = true;
  factory.JoinCapitalized = true;
  factory.NegativeWords = {L"Und", L"Der"};
  EXPECT_EQ(RunWith(factory, L"Der Hund und Berno Kalwe fanden 12 Knochen im Jahr 1848."),
            (Words{L"Hund", L"Berno&Kalwe", L"Knochen", L"Jahr"}));

  TPipelineOptions positive;
  positive.PositiveList = positive.PositiveBlanksJoined = true;
  positive.PositiveWords = {L"New York"};
  EXPECT_EQ(RunWith(positive, L"Ich mag New York sehr"), (Words{L"New&York", L"Ich", L"mag", L"sehr"}));
}

}  // namespace
