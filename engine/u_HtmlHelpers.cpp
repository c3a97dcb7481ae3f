#include "engine/u_HtmlHelpers.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <unordered_map>

#include "classlib/ListView.h"
#include "engine/u_FileErrors.h"
#include "engine/u_TagStripper.h"
#include "engine/u_WideFunc.h"
#include "engine/u_WideFuncText.h"
#include "engine/u_WordPipeline.h"
#include "engine/u_funktionen.h"
#include "ucode/UCodeSysUtils.h"
#include "ucode/UCodeSystem.h"

namespace {

// Names of the characters 160 to 255.
const wchar_t* const kLatin1Names[96] = {
    L"nbsp",   L"iexcl",  L"cent",   L"pound",  L"curren", L"yen",    L"brvbar", L"sect",   L"uml",    L"copy",
    L"ordf",   L"laquo",  L"not",    L"shy",    L"reg",    L"macr",   L"deg",    L"plusmn", L"sup2",   L"sup3",
    L"acute",  L"micro",  L"para",   L"middot", L"cedil",  L"sup1",   L"ordm",   L"raquo",  L"frac14", L"frac12",
    L"frac34", L"iquest", L"Agrave", L"Aacute", L"Acirc",  L"Atilde", L"Auml",   L"Aring",  L"AElig",  L"Ccedil",
    L"Egrave", L"Eacute", L"Ecirc",  L"Euml",   L"Igrave", L"Iacute", L"Icirc",  L"Iuml",   L"ETH",    L"Ntilde",
    L"Ograve", L"Oacute", L"Ocirc",  L"Otilde", L"Ouml",   L"times",  L"Oslash", L"Ugrave", L"Uacute", L"Ucirc",
    L"Uuml",   L"Yacute", L"THORN",  L"szlig",  L"agrave", L"aacute", L"acirc",  L"atilde", L"auml",   L"aring",
    L"aelig",  L"ccedil", L"egrave", L"eacute", L"ecirc",  L"euml",   L"igrave", L"iacute", L"icirc",  L"iuml",
    L"eth",    L"ntilde", L"ograve", L"oacute", L"ocirc",  L"otilde", L"ouml",   L"divide", L"oslash", L"ugrave",
    L"uacute", L"ucirc",  L"uuml",   L"yacute", L"thorn",  L"yuml"};

struct TNamedCharacter {
  const wchar_t* name;
  int codePoint;
};

// The other names of HTML 4 that documents use for text.
const TNamedCharacter kOtherNames[] = {
    {L"quot", 34},      {L"amp", 38},       {L"apos", 39},     {L"lt", 60},        {L"gt", 62},
    {L"OElig", 338},    {L"oelig", 339},    {L"Scaron", 352},  {L"scaron", 353},   {L"Yuml", 376},
    {L"fnof", 402},     {L"circ", 710},     {L"tilde", 732},   {L"Alpha", 913},    {L"Beta", 914},
    {L"Gamma", 915},    {L"Delta", 916},    {L"Omega", 937},   {L"alpha", 945},    {L"beta", 946},
    {L"gamma", 947},    {L"delta", 948},    {L"lambda", 955},  {L"mu", 956},       {L"pi", 960},
    {L"sigma", 963},    {L"omega", 969},    {L"ensp", 8194},   {L"emsp", 8195},    {L"thinsp", 8201},
    {L"zwnj", 8204},    {L"zwj", 8205},     {L"lrm", 8206},    {L"rlm", 8207},     {L"ndash", 8211},
    {L"mdash", 8212},   {L"lsquo", 8216},   {L"rsquo", 8217},  {L"sbquo", 8218},   {L"ldquo", 8220},
    {L"rdquo", 8221},   {L"bdquo", 8222},   {L"dagger", 8224}, {L"Dagger", 8225},  {L"bull", 8226},
    {L"hellip", 8230},  {L"permil", 8240},  {L"prime", 8242},  {L"Prime", 8243},   {L"lsaquo", 8249},
    {L"rsaquo", 8250},  {L"oline", 8254},   {L"frasl", 8260},  {L"euro", 8364},    {L"trade", 8482},
    {L"larr", 8592},    {L"uarr", 8593},    {L"rarr", 8594},   {L"darr", 8595},    {L"harr", 8596},
    {L"minus", 8722},   {L"infin", 8734},   {L"asymp", 8776},  {L"ne", 8800},      {L"le", 8804},
    {L"ge", 8805}};

const std::unordered_map<std::wstring, int>& NamedCharacters() {
  static const std::unordered_map<std::wstring, int> names = [] {
    std::unordered_map<std::wstring, int> map;
    for (int i = 0; i < 96; ++i) map.emplace(kLatin1Names[i], 160 + i);
    for (const auto& named : kOtherNames) map.emplace(named.name, named.codePoint);
    return map;
  }();
  return names;
}

constexpr size_t kLongestName = 8;

bool IsXmlCharacter(long cp) {
  return cp == 0x9 || cp == 0xA || cp == 0xD || (cp >= 0x20 && cp <= 0xD7FF) || (cp >= 0xE000 && cp <= 0xFFFD) ||
         (cp >= 0x10000 && cp <= 0x10FFFF);
}

void AppendCodePoint(std::wstring& out, long cp) {
  if (cp < 0x10000) {
    out += static_cast<wchar_t>(cp);
  } else {
    cp -= 0x10000;
    out += static_cast<wchar_t>(0xD800 + (cp >> 10));
    out += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
  }
}

// A reference starting at text[at] == '&': its code point (-1 when it is none) and length.
struct TReference {
  long codePoint = -1;
  size_t length = 0;
  bool namesCharacter = false;  // false for a number that names no character
};

TReference ReadReference(const std::wstring& text, size_t at) {
  TReference ref;
  size_t i = at + 1;
  if (i < text.size() && text[i] == L'#') {
    ++i;
    const bool hex = i < text.size() && (text[i] == L'x' || text[i] == L'X');
    if (hex) ++i;
    const size_t digitsStart = i;
    long value = 0;
    while (i < text.size()) {
      wchar_t c = text[i];
      int digit = -1;
      if (c >= L'0' && c <= L'9') digit = c - L'0';
      else if (hex && c >= L'a' && c <= L'f') digit = c - L'a' + 10;
      else if (hex && c >= L'A' && c <= L'F') digit = c - L'A' + 10;
      if (digit < 0) break;
      if (value <= 0x10FFFF) value = value * (hex ? 16 : 10) + digit;
      ++i;
    }
    if (i == digitsStart || i >= text.size() || text[i] != L';') return ref;
    ref.namesCharacter = IsXmlCharacter(value);
    ref.codePoint = ref.namesCharacter ? value : 0xFFFD;
    ref.length = i + 1 - at;
    return ref;
  }
  const size_t nameStart = i;
  while (i < text.size() && i - nameStart <= kLongestName && iswalnum(text[i])) ++i;
  if (i == nameStart || i >= text.size() || text[i] != L';') return ref;
  auto found = NamedCharacters().find(text.substr(nameStart, i - nameStart));
  if (found == NamedCharacters().end()) return ref;
  ref.codePoint = found->second;
  ref.length = i + 1 - at;
  ref.namesCharacter = true;
  return ref;
}

// Replaces every reference of the text by what `append` puts into out for it.
template <class Append>
void DecodeReferences(const std::wstring& text, std::wstring& out, Append append) {
  size_t amp = text.find(L'&');
  if (amp == std::wstring::npos) {
    out.assign(text);
    return;
  }
  out.clear();
  out.reserve(text.size());
  size_t from = 0;
  for (; amp != std::wstring::npos; amp = text.find(L'&', amp + 1)) {
    if (amp < from) continue;
    TReference ref = ReadReference(text, amp);
    if (ref.codePoint < 0) continue;
    out.append(text, from, amp - from);
    append(ref);
    from = amp + ref.length;
  }
  out.append(text, from, std::wstring::npos);
}

// Marks that only steer where a line may break or how letters join: the soft hyphen, the
// zero-width (non-)joiners, the direction marks, the word joiner and the zero-width no-break
// space.
bool IsWordBreakMark(long cp) {
  return cp == 0xAD || (cp >= 0x200C && cp <= 0x200F) || cp == 0x2060 || cp == 0xFEFF;
}

// A letter or a digit. Beyond U+FFFF the platform tells no types: those planes hold scripts
// and ideographs, but U+1F000 to U+1FFFF holds symbols and pictographs.
bool IsPartOfWord(const TReference& ref) {
  if (!ref.namesCharacter) return false;
  if (ref.codePoint >= 0x10000) return ref.codePoint < 0x1F000 || ref.codePoint > 0x1FFFF;
  return IsWideCharAlphaNumeric(static_cast<wchar_t>(ref.codePoint));
}

// Whether text[at] begins a reference that names a character a page may hold.
bool IsValidReference(const std::wstring& text, size_t at, size_t& length) {
  TReference ref = ReadReference(text, at);
  if (ref.codePoint < 0 || !ref.namesCharacter) return false;
  length = ref.length;
  return true;
}

bool IsTrimmed(wchar_t c) { return c < 0x21; }

std::wstring Trim(const std::wstring& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsTrimmed(text[begin])) ++begin;
  while (end > begin && IsTrimmed(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// Every line break as CR LF, as the list's memo holds the text.
std::wstring WithCrLf(const std::wstring& text) {
  std::wstring out;
  out.reserve(text.size() + text.size() / 32);
  for (size_t i = 0; i < text.size(); ++i) {
    wchar_t c = text[i];
    if (c == L'\r' || c == L'\n') {
      out += L"\r\n";
      if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::wstring StripHtmlTags(const std::wstring& text) {
  std::wstring out;
  StripHtmlTags(text, out);
  return out;
}

void StripHtmlTags(const std::wstring& text, std::wstring& out) {
  if (text.find(L'<') == std::wstring::npos || text.find(L'>') == std::wstring::npos)
    DecodeHtmlReferencesForWords(text, out);
  else
    DecodeHtmlReferencesForWords(ReplaceTagsWithSeparators(text), out);
}

std::wstring DecodeHtmlCharacterReferences(const std::wstring& text) {
  std::wstring out;
  DecodeHtmlCharacterReferences(text, out);
  return out;
}

void DecodeHtmlCharacterReferences(const std::wstring& text, std::wstring& out) {
  DecodeReferences(text, out, [&out](const TReference& ref) { AppendCodePoint(out, ref.codePoint); });
}

std::wstring DecodeHtmlReferencesForWords(const std::wstring& text) {
  std::wstring out;
  DecodeHtmlReferencesForWords(text, out);
  return out;
}

void DecodeHtmlReferencesForWords(const std::wstring& text, std::wstring& out) {
  DecodeReferences(text, out, [&out](const TReference& ref) {
    const long cp = ref.codePoint;
    if (IsWordBreakMark(cp)) return;
    if (IsPartOfWord(ref) || cp == L' ' || std::wcschr(kSeparatorChars, static_cast<wchar_t>(cp)))
      AppendCodePoint(out, cp);
    else
      out += L'.';
  });
}

std::wstring HtmlEncode(const std::wstring& text) {
  std::wstring out;
  out.reserve(text.size());
  for (wchar_t c : text) {
    if (c >= 160 && c <= 255) {
      out += L'&';
      out += kLatin1Names[c - 160];
      out += L';';
    } else {
      out += c;
    }
  }
  return out;
}

std::wstring HtmlEncodeLinkText(const std::wstring& text) { return HtmlEncode(text); }

std::wstring HtmlEncodeAscii(const std::wstring& text) {
  std::wstring out;
  out.reserve(text.size() + text.size() / 8);
  AppendAscii(out, text);
  return out;
}

void AppendAscii(std::wstring& out, const std::wstring& text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c < 0x80 && (c >= 0x20 || c == L'\t' || c == L'\r' || c == L'\n')) {
      out += c;
    } else if (c >= 160 && c <= 255) {
      out += L'&';
      out += kLatin1Names[c - 160];
      out += L';';
    } else {
      long cp = c;
      if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
        cp = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
        ++i;
      }
      // A control character or a lone surrogate cannot stand in a page at all.
      if (!IsXmlCharacter(cp)) cp = 0xFFFD;
      out += L"&#" + std::to_wstring(cp) + L';';
    }
  }
}

std::wstring XhtmlEscape(const std::wstring& text) {
  std::wstring out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    switch (text[i]) {
      case L'<': out += L"&lt;"; break;
      case L'>': out += L"&gt;"; break;
      case L'"': out += L"&quot;"; break;
      case L'&': {
        size_t length = 0;
        if (IsValidReference(text, i, length)) {
          out.append(text, i, length);
          i += length - 1;
        } else {
          out += L"&amp;";
        }
        break;
      }
      default: out += text[i];
    }
  }
  return out;
}

std::vector<THtmlLink> ExtractHtmlLinks(const std::wstring& source) {
  const std::wstring text = WithCrLf(source);
  std::vector<THtmlLink> links;
  size_t at = text.find(L"<a href");
  while (at != std::wstring::npos) {
    const size_t open = text.find(L'"', at);
    if (open == std::wstring::npos) break;
    const size_t close = text.find(L'"', open + 1);
    const size_t tagEnd = text.find(L'>', open + 1);
    // A document cut inside the tag has no more links.
    if (close == std::wstring::npos || tagEnd == std::wstring::npos) break;
    THtmlLink link;
    link.Href = Trim(DecodeHtmlCharacterReferences(text.substr(open + 1, close - open - 1)));
    const size_t textEnd = text.find(L'<', open + 1);
    if (textEnd != std::wstring::npos && textEnd > tagEnd)
      link.Label = Trim(DecodeHtmlCharacterReferences(text.substr(tagEnd + 1, textEnd - tagEnd - 1)));
    links.push_back(std::move(link));
    at = text.find(L"<a href", tagEnd);
  }
  return links;
}

std::wstring LinkTargetPath(const std::wstring& documentPath, const std::wstring& href) {
  std::wstring relative = href;
  std::replace(relative.begin(), relative.end(), L'/', L'\\');
  return WideExtractFilePath(documentPath) + relative;
}

TTagStripSwitch TagStripSwitchFor(const std::wstring& documentPath) {
  const std::wstring extension = WideExtractFileExt(documentPath);
  TTagStripSwitch result = TTagStripSwitch::Leave;
  if (extension.empty()) return result;
  if (std::wstring(L".html.php").find(extension) != std::wstring::npos) result = TTagStripSwitch::On;
  if (std::wstring(L".txt").find(extension) != std::wstring::npos) result = TTagStripSwitch::Off;
  return result;
}

TTagStripSwitch ImportHtmlLinks(const std::wstring& documentPath, TCustomListView* list,
                                const TFileListOptions& options) {
  TListedPaths listed(list);
  return ImportHtmlLinks(documentPath, list, options, listed);
}

TTagStripSwitch ImportHtmlLinks(const std::wstring& documentPath, TCustomListView* list,
                                const TFileListOptions& options, TListedPaths& listed) {
  const std::vector<THtmlLink> links = ExtractHtmlLinks(LoadTextFileW(documentPath));
  TListItems* items = list->GetItems();
  items->BeginUpdate();
  try {
    for (const auto& link : links) {
      const std::wstring path = LinkTargetPath(documentPath, link.Href);
      // A link to a folder, a device or a pipe makes no row: a run would stop at it.
      if (KindOfName(path) != TNameKind::File) continue;
      if (options.NoDoubles && listed.Contains(path)) continue;
      std::wstring href = link.Href;
      const std::wstring extension = WideExtractFileExt(href);
      if (options.RemoveExtensions && !extension.empty()) href = ReplaceAllW(href, extension, L"");
      AddLinkRowToFileList(list, options.CapitalizeLabels ? CapitalizeLabel(link.Label) : link.Label, href, path);
      listed.Add(path);
    }
  } catch (...) {
    items->EndUpdate();
    throw;
  }
  items->EndUpdate();
  return TagStripSwitchFor(documentPath);
}
