// HTML for the file and keyword indexes: markup stripped from documents before their words
// are indexed, character references read back, the local documents an HTML page links to,
// and the escaping of text written into the XHTML index page.
#pragma once

#include <string>
#include <vector>

// The text with every tag replaced by " . " and its character references decoded for its
// words (DecodeHtmlReferencesForWords). A tag runs from "<" to the first ">" after it; every
// later occurrence of the same tag text goes in the same step. A ">" that stands before every
// remaining "<" is no tag end: it alone becomes " . ". Time linear in the text.
std::wstring StripHtmlTags(const std::wstring& text);
// The same into out, whose room is kept from call to call.
void StripHtmlTags(const std::wstring& text, std::wstring& out);

// Named references of HTML 4 ("&auml;", "&amp;", "&euro;" ...) and numeric ones ("&#228;",
// "&#xE4;") replaced by their characters; a reference needs its ";". Numbers that name no
// character (0, surrogates, beyond U+10FFFF) give U+FFFD. Anything else stays as it is.
std::wstring DecodeHtmlCharacterReferences(const std::wstring& text);
void DecodeHtmlCharacterReferences(const std::wstring& text, std::wstring& out);

// The references read back for the words of a text: a reference to a letter or a digit gives
// its character, so that "Gr&ouml;&szlig;e" is one word; a soft hyphen and the other marks
// that only steer line breaks and joins ("&shy;", "&zwnj;", "&lrm;" ...) vanish, joining their
// word; a blank or a word separator stays itself; any other character ("&nbsp;", "&ndash;",
// "&raquo;", "&euro;", a number that names no character) becomes ".", so that it parts the
// words around it as the "&" and ";" of its written form did. Characters written as
// themselves are not touched.
std::wstring DecodeHtmlReferencesForWords(const std::wstring& text);
void DecodeHtmlReferencesForWords(const std::wstring& text, std::wstring& out);

// Characters 160 to 255 as their HTML 4 named entities ("&ouml;"); every other character is
// copied unchanged.
std::wstring HtmlEncode(const std::wstring& text);
std::wstring HtmlEncodeLinkText(const std::wstring& text);

// The page text made pure ASCII: characters 160 to 255 as named entities, every other
// character above U+007F as a numeric reference (a surrogate pair as one).
std::wstring HtmlEncodeAscii(const std::wstring& text);
// The same, appended to `out`.
void AppendAscii(std::wstring& out, const std::wstring& text);
// Text for an XHTML element or attribute value: "<", ">", '"' and "&" escaped, except an
// "&" that begins a valid character reference.
std::wstring XhtmlEscape(const std::wstring& text);

// One link of an HTML document: its href and its link text, both plain text (references
// decoded, trimmed).
struct THtmlLink {
  std::wstring Href;
  std::wstring Label;
};
// The links `<a href="...">text<` of a document's text, in order. Stops at a link whose
// quotes or tag end are missing. Linear in the text.
std::vector<THtmlLink> ExtractHtmlLinks(const std::wstring& text);

// The full path a link names beside the document: the document's folder and the href with
// "/" as "\".
std::wstring LinkTargetPath(const std::wstring& documentPath, const std::wstring& href);

// Whether the extension of an imported document switches tag stripping on (".html", ".htm",
// ".php" ...), off (".txt" ...) or leaves it.
enum class TTagStripSwitch { Leave, On, Off };
TTagStripSwitch TagStripSwitchFor(const std::wstring& documentPath);

class TCustomListView;
struct TFileListOptions;
class TListedPaths;

// Appends to the file list a row for every local file the links of the HTML document name
// (those that exist; doubles and extensions as the options say). Returns whether the
// document's extension switches tag stripping on or off.
TTagStripSwitch ImportHtmlLinks(const std::wstring& documentPath, TCustomListView* list,
                                const TFileListOptions& options);
// The same, tested against the paths already gathered from the list, which the new rows join.
TTagStripSwitch ImportHtmlLinks(const std::wstring& documentPath, TCustomListView* list,
                                const TFileListOptions& options, TListedPaths& listed);
