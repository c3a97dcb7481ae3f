// Tag stripping against the plain whole-text form, character references, the escaping of
// the XHTML page and the links of HTML documents.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/u_HtmlHelpers.h"
#include "support/HtmlReference.h"

namespace {

std::wstring RandomMarkup(std::mt19937& random, const std::wstring& alphabet, size_t maxLength) {
  std::uniform_int_distribution<size_t> length(0, maxLength);
  std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
  std::wstring text(length(random), L' ');
  for (auto& c : text) c = alphabet[pick(random)];
  return text;
}

// Markup made of whole pieces: tags that repeat, nested brackets, text and stray brackets.
std::wstring RandomPieces(std::mt19937& random, size_t count) {
  static const wchar_t* const pieces[] = {L"<b>", L"</b>", L"<a href=\"x\">", L"</a>", L"<", L">", L"a", L"b ",
                                          L" . ", L"<a<b>", L"<b>>", L"x<y", L"&amp;", L"&uuml;", L"<p class=\"c\">"};
  return reference::RandomPieces(random, pieces, count);
}

TEST(StripHtmlTagsTest, AgreesWithThePlainFormOnRandomMarkup) {
  std::mt19937 random(1234);
  for (int round = 0; round < 20000; ++round) {
    std::wstring text = round % 2 ? RandomMarkup(random, L"<>ab .", 40) : RandomPieces(random, round % 10 ? 12 : 40);
    ASSERT_EQ(StripHtmlTags(text), DecodeHtmlReferencesForWords(reference::StripTags(text))) << text;
  }
}

TEST(StripHtmlTagsTest, TagsBecomeSeparators) {
  EXPECT_EQ(StripHtmlTags(L"a<b>c</b>d"), L"a . c . d");
  // Identical tags go in one step.
  EXPECT_EQ(StripHtmlTags(L"<i>x<i>y"), L" . x . y");
  // A lone ">" in the text before the first tag is no tag end, and the tags after it still go.
  EXPECT_EQ(StripHtmlTags(L"a > b <i>c</i>"), L"a  .  b  . c . ");
  // Text without any tag keeps its ">" (nothing to strip).
  EXPECT_EQ(StripHtmlTags(L"a > b"), L"a > b");
  // A "<" that no ">" follows stays.
  EXPECT_EQ(StripHtmlTags(L"<b>x <y"), L" . x <y");
  EXPECT_EQ(StripHtmlTags(L""), L"");
  // A tag made again by replacements ("<a .  . >") is taken only by a later pass: one pass
  // never replaces what it made itself.
  EXPECT_EQ(StripHtmlTags(L"<b><a<b><b>>><a<b><a<b><b>>>"), L" .  .  .  . ");
  EXPECT_EQ(StripHtmlTags(L"</a><a href=\"</a></b><<a href=\"<a href=\"</a></b></b>"), L" .  .  . ");
}

TEST(StripHtmlTagsTest, CharacterReferencesAreDecoded) {
  EXPECT_EQ(StripHtmlTags(L"<p>M&uuml;ller &amp; S&ouml;hne</p>"), L" . Müller & Söhne . ");
  EXPECT_EQ(StripHtmlTags(L"&#228;&#xE4;&#X1D400;&lt;b&gt;"), L"ää\U0001D400<b>");
  // Not references: no ";", unknown names, numbers that name no character.
  EXPECT_EQ(DecodeHtmlCharacterReferences(L"&uuml &foo; & &#; &#0; &#xD800;"), L"&uuml &foo; & &#; \uFFFD \uFFFD");
  EXPECT_EQ(DecodeHtmlCharacterReferences(L"&#99999999999999;"), L"\uFFFD");
}

// What a reference becomes in a text whose words are indexed: its letter or digit, nothing for a
// mark that only steers line breaks, and a word separator for everything else.
TEST(StripHtmlTagsTest, ReferencesPartOrJoinWordsAsTheirWrittenFormDid) {
  const struct {
    const wchar_t* markup;
    const wchar_t* text;
  } cases[] = {
      {L"Das&nbsp;Haus", L"Das.Haus"},
      {L"Haus&ndash;Garten&mdash;Hof", L"Haus.Garten.Hof"},
      {L"&raquo;Titel&laquo;", L".Titel."},
      {L"&bdquo;Zitat&ldquo;", L"\u201EZitat\u201C"},  // separators already
      {L"5&nbsp;&euro;&hellip;", L"5..."},
      {L"Donau&shy;dampf&shy;schiff", L"Donaudampfschiff"},
      {L"Auf&zwnj;lage &lrm;Text&#x2060;e&#xFEFF;", L"Auflage Texte"},
      {L"M&uuml;ller&#38;S&#246;hne &amp; Co", L"Müller&Söhne & Co"},
      {L"&#65;&#x31;&#x3B1;&#x4E00;&#x1D400;", L"A1\u03B1\u4E00\U0001D400"},
      {L"Haus&#x1F3E0;Garten &#0;x", L"Haus.Garten .x"},
      {L"&#32;&#10;&#45;", L" \n-"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecodeHtmlReferencesForWords(c.markup), c.text) << c.markup;
    EXPECT_EQ(StripHtmlTags(std::wstring(L"<p>") + c.markup + L"</p>"), std::wstring(L" . ") + c.text + L" . ")
        << c.markup;
  }
  // Characters written as themselves stay; link texts keep every character their references name.
  EXPECT_EQ(StripHtmlTags(L"Das\u00A0Haus\u2013Hof\u00ADe"), L"Das\u00A0Haus\u2013Hof\u00ADe");
  EXPECT_EQ(DecodeHtmlCharacterReferences(L"A&nbsp;&ndash;&shy;B"), L"A\u00A0\u2013\u00ADB");
}

TEST(HtmlEncodeTest, Latin1CharactersBecomeNamedEntities) {
  EXPECT_EQ(HtmlEncode(L"Größe"), L"Gr&ouml;&szlig;e");
  EXPECT_EQ(HtmlEncode(L"\u00A0\u00AD\u00D7\u00F7\u00FF"), L"&nbsp;&shy;&times;&divide;&yuml;");
  EXPECT_EQ(HtmlEncode(L"<&\"\u20AC"), L"<&\"\u20AC");
  EXPECT_EQ(HtmlEncodeLinkText(L"Ä"), L"&Auml;");
  // Every named entity reads back as its character.
  for (wchar_t c = 160; c <= 255; ++c) EXPECT_EQ(DecodeHtmlCharacterReferences(HtmlEncode(std::wstring(1, c))), std::wstring(1, c));
}

TEST(HtmlEncodeTest, PageTextBecomesAscii) {
  EXPECT_EQ(HtmlEncodeAscii(L"Öl \u20AC \U0001F600 \u0142"), L"&Ouml;l &#8364; &#128512; &#322;");
  // What a page cannot hold at all becomes the replacement character.
  EXPECT_EQ(HtmlEncodeAscii(std::wstring(L"a\x01") + L"\xD800" + L"b"), L"a&#65533;&#65533;b");
  EXPECT_EQ(HtmlEncodeAscii(L"\r\n\t<a>"), L"\r\n\t<a>");
}

TEST(XhtmlEscapeTest, MarkupCharactersAreEscapedButReferencesKept) {
  EXPECT_EQ(XhtmlEscape(L"<script>\"x\" & y"), L"&lt;script&gt;&quot;x&quot; &amp; y");
  EXPECT_EQ(XhtmlEscape(L"a.php?x=1&y=2"), L"a.php?x=1&amp;y=2");
  EXPECT_EQ(XhtmlEscape(L"&amp; &uuml; &#228; &#x1F600;"), L"&amp; &uuml; &#228; &#x1F600;");
  EXPECT_EQ(XhtmlEscape(L"&#0; &#1; &bogus; &uuml"), L"&amp;#0; &amp;#1; &amp;bogus; &amp;uuml");
}

TEST(ExtractHtmlLinksTest, LinksWithTheirTexts) {
  auto links = ExtractHtmlLinks(L"x <a href=\"a.htm\"> Erste  </a> <a href=\"sub/b.htm\" class=\"k\">Gr&ouml;&szlig;e</a>"
                                L" <A HREF=\"c.htm\">C</A> <a name=\"n\" href=\"d.htm\">D</a>"
                                L" <a href=\"e.php?x=1&amp;y=2\"><img src=\"i.png\"></a>");
  ASSERT_EQ(links.size(), 3u);
  EXPECT_EQ(links[0].Href, L"a.htm");
  EXPECT_EQ(links[0].Label, L"Erste");
  EXPECT_EQ(links[1].Href, L"sub/b.htm");
  EXPECT_EQ(links[1].Label, L"Größe");
  EXPECT_EQ(links[2].Href, L"e.php?x=1&y=2");
  EXPECT_EQ(links[2].Label, L"");
}

TEST(ExtractHtmlLinksTest, CutDocumentsEnd) {
  for (const wchar_t* cut : {L"<a href", L"<a href=x", L"<a href=\"x", L"<a href=\"x\"", L"<a href=\"x\" title"}) {
    EXPECT_TRUE(ExtractHtmlLinks(cut).empty()) << cut;
    auto links = ExtractHtmlLinks(std::wstring(L"<a href=\"y\">Y</a>") + cut);
    ASSERT_EQ(links.size(), 1u) << cut;
    EXPECT_EQ(links[0].Href, L"y");
  }
  // Many links stay cheap: every link is read once.
  std::wstring many;
  for (int i = 0; i < 20000; ++i) many += L"<a href=\"f" + std::to_wstring(i) + L".htm\">F</a>\n";
  EXPECT_EQ(ExtractHtmlLinks(many).size(), 20000u);
}

TEST(ExtractHtmlLinksTest, TargetsAndTagSwitch) {
  EXPECT_EQ(LinkTargetPath(L"C:\\docs\\index.html", L"sub/a.htm"), L"C:\\docs\\sub\\a.htm");
  EXPECT_EQ(TagStripSwitchFor(L"a.html"), TTagStripSwitch::On);
  EXPECT_EQ(TagStripSwitchFor(L"a.htm"), TTagStripSwitch::On);
  EXPECT_EQ(TagStripSwitchFor(L"a.php"), TTagStripSwitch::On);
  EXPECT_EQ(TagStripSwitchFor(L"a.txt"), TTagStripSwitch::Off);
  EXPECT_EQ(TagStripSwitchFor(L"a.HTML"), TTagStripSwitch::Leave);
  EXPECT_EQ(TagStripSwitchFor(L"a"), TTagStripSwitch::Leave);
}

}  // namespace
