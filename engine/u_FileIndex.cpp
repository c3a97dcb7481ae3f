#include "engine/u_FileIndex.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>

#include "engine/u_HtmlHelpers.h"
#include "engine/u_WideFuncText.h"
#include "engine/u_funktionen.h"
#include "ucode/UCodeSysUtils.h"

namespace {

const wchar_t kCrLf[] = L"\r\n";

// Units of the first character: a surrogate pair is one character.
std::wstring FirstCharacter(const std::wstring& word) {
  const bool pair = word.size() >= 2 && word[0] >= 0xD800 && word[0] <= 0xDBFF && word[1] >= 0xDC00 &&
                    word[1] <= 0xDFFF;
  return word.substr(0, pair ? 2 : 1);
}

// Calls item(label, link, last) for every document item of an entry's pages, label and link as
// views into the pages.
template <class Item>
void ForEachItem(const std::wstring& pages, Item item) {
  const std::wstring_view all(pages);
  size_t start = 0;
  for (;;) {
    const size_t bar = all.find(L'|', start);
    const size_t end = bar == std::wstring_view::npos ? all.size() : bar;
    const bool last = bar == std::wstring_view::npos;
    // Labels may hold ">" (link texts do), file paths cannot: the link starts after the last one.
    // An item without ">" (a hand-written index data file) has an empty link.
    const size_t gt = end > start ? all.rfind(L'>', end - 1) : std::wstring_view::npos;
    if (gt != std::wstring_view::npos && gt >= start) item(all.substr(start, gt - start), all.substr(gt + 1, end - gt - 1), last);
    else item(all.substr(start, end - start), std::wstring_view(), last);
    if (last) return;
    start = bar + 1;
  }
}

// What the entries of a store hold, to size an index's text before it is written: a large
// index is then written once into its final place, with no copy and no unused room.
struct TStoreSize {
  size_t entries = 0;
  size_t items = 0;
  size_t units = 0;  // of the words and of the labels and links
};

TStoreSize SizeOf(const TIndexStore& store) {
  TStoreSize size;
  for (int b = 0; b < kIndexBucketCount; ++b)
    for (const auto& entry : store.Bucket(b)) {
      const size_t items = 1 + static_cast<size_t>(std::count(entry.Pages.begin(), entry.Pages.end(), L'|'));
      ++size.entries;
      size.items += items;
      // Every item but the last has its "|", every item its ">" (nearly always).
      size.units += entry.Word.size() + entry.Pages.size() - std::min(entry.Pages.size(), 2 * items - 1);
    }
  return size;
}

// Room for the letter headings of all buckets ("[" has one per first character).
constexpr size_t kHeadingsRoom = 64 * kIndexBucketCount;

// The headings of the bucket "[": one per change of the upper-cased first character.
template <class Heading, class Entry>
void ForEachOtherEntry(const TIndexStore& store, bool headings, Heading heading, Entry entry) {
  std::wstring last;
  bool any = false;
  const auto& entries = store.Bucket(kOtherBucket);
  for (size_t i = 0; i < entries.size(); ++i) {
    if (headings && !entries[i].Word.empty()) {
      std::wstring first = WideUpperCase(FirstCharacter(entries[i].Word));
      if (!any || first != last) heading(first, i);
      last = std::move(first);
      any = true;
    }
    entry(entries[i]);
  }
}

}  // namespace

std::wstring AppendPx(const std::wstring& value) {
  if (value.find(L'%') != std::wstring::npos || value.find(L"px") != std::wstring::npos) return value;
  return IsIntegerStr(value) ? value + L"px" : value;
}

void AddFileIndexEntry(TIndexStore& store, const std::wstring& word, const std::wstring& label,
                       const std::wstring& link, bool removeDuplicatePages) {
  store.AddOccurrence(word, label + L'>' + link, removeDuplicatePages);
}

// ---- Plain text

std::wstring WriteTextFileIndex(const TIndexStore& store, const TFileTextLayout& layout) {
  const TStoreSize size = SizeOf(store);
  std::wstring text;
  text.reserve(layout.Title.size() + kHeadingsRoom + size.units +
               size.entries * (layout.EntrySeparator.size() + 2) +
               size.items * (layout.BeforeLabel.size() + layout.BetweenLabelAndLink.size() + layout.AfterLink.size() +
                             layout.ItemSeparator.size()));
  text += layout.Title + kCrLf;
  auto heading = [&](const std::wstring& letter) { text += kCrLf + letter + kCrLf; };
  auto line = [&](const TIndexEntry& entry) {
    text += entry.Word;
    text += layout.EntrySeparator;
    ForEachItem(entry.Pages, [&](std::wstring_view label, std::wstring_view link, bool last) {
      if (layout.Labels) {
        text += layout.BeforeLabel;
        text += label;
      }
      if (layout.Links) {
        text += layout.BetweenLabelAndLink;
        text += link;
        text += layout.AfterLink;
      }
      if (!last) text += layout.ItemSeparator;
    });
    text += kCrLf;
  };
  for (int b = 0; b < kOtherBucket; ++b) {
    const auto& entries = store.Bucket(b);
    if (layout.LetterHeadings && !entries.empty()) heading(std::wstring(1, BucketLetter(b)));
    for (const auto& entry : entries) line(entry);
  }
  ForEachOtherEntry(
      store, layout.LetterHeadings, [&](const std::wstring& first, size_t) { heading(first); }, line);
  ReplaceControlCharacters(text);
  return text;
}

// ---- XHTML page

namespace {

void PageHead(const TFileHtmlDesign& d, std::wstring& page) {
  std::wstring h;
  h += L"<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
       L"\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">\r\n";
  h += L"<html xmlns=\"http://www.w3.org/1999/xhtml\">\r\n<head>\r\n";
  h += L"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\" />\r\n";
  h += L"<title>" + d.Title + L"</title>\r\n";
  h += L"<style type=\"text/css\">\r\n<!--\r\n";
  h += L"body,td,th { font-family: " + d.FontFamily + L"; color: " + d.TextColor + L"; }\r\n";
  h += L"body { background-color: " + d.BackgroundColor +
       L"; margin-left: 0px; margin-top: 0px; margin-right: 0px; margin-bottom: 0px; }\r\n";
  h += L"a:link { color: " + d.LinkColor + L"; text-decoration: none; }\r\n";
  h += L"a:visited { text-decoration: none; color: " + d.LinkColor + L"; }\r\n";
  h += L"a:hover { text-decoration: underline; color: " + d.TextColor + L"; }\r\n";
  h += L"a:active { text-decoration: none; color: " + d.LinkColor + L"; }\r\n";
  h += L"#top { width: " + d.TopWidth + L"; float: left; font-size: " + d.HeadingSize + L"; padding-top: " +
       d.TopBottomSpacing + L"; padding-left: " + d.SideSpacing + L"; padding-right: " + d.SideSpacing + L"; }\r\n";
  h += L"#links { width: " + d.TopWidth + L"; float: left; font-size: " + d.TextSize + L"; padding-top: " +
       d.TextSpacing + L"; padding-left: " + d.SideSpacing + L";\tpadding-right: " + d.SideSpacing + L"; }\r\n";
  h += L"#abc-box { width: " + d.TopWidth + L"; float: left; font-size: " + d.SectionSize +
       L"; font-weight: bold; padding-top: " + d.SectionSpacing + L"; padding-left: " + d.SideSpacing +
       L"; padding-right: " + d.SideSpacing + L"; }\r\n";
  h += L"#abc-box a { color: " + d.TextColor + L"; text-decoration: none; }\r\n";
  h += L"#box { width: " + d.TotalWidth + L"; float: left; font-size: " + d.TextSize + L"; padding-top: " +
       d.TextSpacing + L"; padding-left: " + d.SideSpacing + L"; padding-right: " + d.SideSpacing +
       L"; clear: both; }\r\n";
  h += L"#l { width: " + d.LeftWidth + L"; float: left; }\r\n";
  h += L"#r { width: " + d.RightWidth + L"; float: right; }\r\n";
  h += L"#footer { width: " + d.TopWidth + L";  float: left; font-size: " + d.TextSize + L"; padding-top: " +
       d.SectionSpacing + L"; padding-left: " + d.SideSpacing + L"; padding-right: " + d.SideSpacing +
       L"; padding-bottom: " + d.TopBottomSpacing + L"; }\r\n";
  h += L"-->\r\n</style>\r\n</head>\r\n\r\n<body>\r\n";
  h += L"<div id=\"top\">" + d.Heading + L"</div>\r\n";
  AppendAscii(page, h);
}

// Element text or an attribute value, escaped and pure ASCII; most texts need neither and go as
// they are.
void AppendEscaped(std::wstring& body, std::wstring_view text) {
  const bool plain = std::all_of(text.begin(), text.end(), [](wchar_t c) {
    return c >= 0x20 && c < 0x7F && c != L'<' && c != L'>' && c != L'&' && c != L'"';
  });
  if (plain) body += text;
  else AppendAscii(body, XhtmlEscape(std::wstring(text)));
}

void AppendEntryBox(std::wstring& body, const TIndexEntry& entry, const std::wstring& separator) {
  body += L"<div id=\"box\"><div id=\"l\">";
  AppendEscaped(body, entry.Word);
  body += L"</div><div id=\"r\">";
  ForEachItem(entry.Pages, [&](std::wstring_view label, std::wstring_view link, bool last) {
    body += L"<a href=\"";
    AppendEscaped(body, link);
    body += L"\">";
    AppendEscaped(body, label);
    body += L"</a>";
    if (!last) AppendAscii(body, separator);
  });
  body += L"</div></div>\r\n";
}

}  // namespace

std::wstring WriteHtmlFileIndex(const TIndexStore& store, const TFileHtmlDesign& design) {
  // The bar stands before the sections but links the headings of "[" too: it is made first, so
  // that the page is written in one string from head to end.
  const TStoreSize size = SizeOf(store);
  std::wstring page;
  // Head, bar and headings; each box, each document link.
  page.reserve(4096 + 4 * kHeadingsRoom + size.units + size.entries * 64 +
               size.items * (16 + design.LinkSeparator.size()));
  PageHead(design, page);
  if (design.LetterBar) {
    std::vector<std::wstring> barLinks;
    for (int b = 0; b < kOtherBucket; ++b) {
      if (store.Bucket(b).empty()) continue;
      const std::wstring letter(1, BucketLetter(b));
      barLinks.push_back(L"<a href=\"#" + letter + L"\">" + letter + L"</a>");
    }
    ForEachOtherEntry(
        store, design.LetterHeadings,
        [&](const std::wstring& first, size_t position) {
          barLinks.push_back(L"<a href=\"#sz" + std::to_wstring(position) + L"\">" +
                             HtmlEncodeAscii(XhtmlEscape(first)) + L"</a>");
        },
        [](const TIndexEntry&) {});
    page += L"<div id=\"links\">";
    for (size_t i = 0; i < barLinks.size(); ++i) {
      if (i) AppendAscii(page, design.LinkSeparator);
      page += barLinks[i];
    }
    page += L"</div>\r\n";
  }
  for (int b = 0; b < kOtherBucket; ++b) {
    const auto& entries = store.Bucket(b);
    if (entries.empty()) continue;
    const std::wstring letter(1, BucketLetter(b));
    if (design.LetterHeadings)
      page += L"\r\n<div id=\"abc-box\"><a name=\"" + letter + L"\">" + letter + L"</a></div>\r\n";
    for (const auto& entry : entries) AppendEntryBox(page, entry, design.LinkSeparator);
  }
  ForEachOtherEntry(
      store, design.LetterHeadings,
      [&](const std::wstring& first, size_t position) {
        page += L"\r\n<div id=\"abc-box\"><a name=\"sz" + std::to_wstring(position) + L"\">" +
                HtmlEncodeAscii(XhtmlEscape(first)) + L"</a></div>\r\n";
      },
      [&](const TIndexEntry& entry) { AppendEntryBox(page, entry, design.LinkSeparator); });
  page += L"</body></html>";
  return page;
}

// ---- The run

namespace {

// Whether an entry of the store holds the item whole.
bool StoreHoldsItem(const TIndexStore& store, const std::wstring& item) {
  for (int b = 0; b < kIndexBucketCount; ++b)
    for (const auto& entry : store.Bucket(b))
      if (PagesHoldItem(entry.Pages, item)) return true;
  return false;
}

// The items the store holds already (an index being extended): the pieces of every entry's
// pages, and those of the rows' items holding "|" that an entry holds whole. Such an item can
// stand whole only where each of its pieces stands as a piece, so only those are searched for.
std::unordered_set<std::wstring> ItemsOfStore(const TIndexStore& store, const std::vector<TFileIndexRow>& rows) {
  std::unordered_set<std::wstring> items;
  for (int b = 0; b < kIndexBucketCount; ++b)
    for (const auto& entry : store.Bucket(b)) InsertItemPieces(entry.Pages, items);
  std::unordered_set<std::wstring> pieces;
  for (const auto& row : rows) {
    std::wstring item = row.Label + L'>' + row.Link;
    if (item.find(L'|') == std::wstring::npos || items.count(item)) continue;
    pieces.clear();
    InsertItemPieces(item, pieces);
    const bool piecesStand =
        std::all_of(pieces.begin(), pieces.end(), [&](const std::wstring& piece) { return items.count(piece) != 0; });
    if (piecesStand && StoreHoldsItem(store, item)) items.insert(std::move(item));
  }
  return items;
}

}  // namespace

namespace {

// Enters the words of one document with its item "label>link". While the item is new to the
// run (and removing duplicates), each entry takes it once, at its first word of the document,
// and no entry's items are searched.
class TDocumentWords {
 public:
  TDocumentWords(TIndexStore& store, const std::wstring& label, const std::wstring& link,
                 bool removeDuplicatePages, std::unordered_set<std::wstring>& enteredItems)
      : m_store(store), m_item(label + L'>' + link), m_removeDuplicatePages(removeDuplicatePages) {
    m_fresh = enteredItems.insert(m_item).second && removeDuplicatePages;
    // The entries that take an item holding "|" hold its pieces too.
    if (m_item.find(L'|') != std::wstring::npos) InsertItemPieces(m_item, enteredItems);
    if (m_fresh) m_document = store.NewDocument(m_item);
  }

  void operator()(std::wstring_view word) const {
    if (m_fresh) m_store.AddDocumentOccurrence(word, m_document);
    else m_store.AddOccurrence(word, m_item, m_removeDuplicatePages);
  }

 private:
  TIndexStore& m_store;
  const std::wstring m_item;
  const bool m_removeDuplicatePages;
  bool m_fresh = false;
  uint32_t m_document = 0;
};

}  // namespace

void AddFileIndexDocument(TIndexStore& store, const TWordPipeline::Result& words, const std::wstring& label,
                          const std::wstring& link, bool removeDuplicatePages,
                          std::unordered_set<std::wstring>& enteredItems) {
  const TDocumentWords enter(store, label, link, removeDuplicatePages, enteredItems);
  for (const auto& phrase : words.Phrases) enter(phrase);
  for (const auto& word : words.Words) enter(word);
}

TFileIndexRunResult RunFileIndex(const TFileIndexOptions& options, TIndexStore& store,
                                 const TFileIndexProgress& progress) {
  TFileIndexRunResult result;
  const size_t count = options.Rows.size();
  size_t done = 0;
  progress(TFileIndexStep::Preparing, L"", RunProgressPosition(done, count));
  store.Clear();
  if (options.ExtendIndex) {
    // A run that joins words joins the stored ones again, so that they meet.
    const bool joinsWords = options.Pipeline.JoinCapitalized || options.Pipeline.PositiveBlanksJoined;
    TIndexDataReadOptions reading{options.SplitJoined, joinsWords};
    TIndexFileResult loaded = LoadIndexFile(options.IndexPath, reading);
    store = std::move(loaded.Store);
    result.IndexFileUnusable = !loaded.FileFound || store.Empty();
  }
  TWordPipeline pipeline(options.Pipeline);
  std::unordered_set<std::wstring> items = ItemsOfStore(store, options.Rows);
  // The texts of one document, their room kept from document to document.
  std::string bytes;
  std::wstring text, stripped;
  for (const auto& row : options.Rows) {
    progress(TFileIndexStep::ReadingFile, row.Source, RunProgressPosition(++done, count));
    if (!WideFileExists(row.Source)) continue;
    LoadTextFileW(row.Source, text, bytes);
    if (options.StripTags) StripHtmlTags(text, stripped);
    const TDocumentWords enter(store, row.Label, row.Link, options.RemoveDuplicatePages, items);
    pipeline.Run(options.StripTags ? stripped : text, enter, enter);
    ++result.FilesRead;
  }
  progress(TFileIndexStep::Refreshing, L"", -1);
  store = SortIndexBuckets(options.SplitJoined ? SplitJoinedEntries(std::move(store))
                                               : UnjoinEntries(std::move(store)));
  progress(TFileIndexStep::Writing, L"", -1);
  result.Output = options.HtmlOutput ? WriteHtmlFileIndex(store, options.Html)
                                     : WriteTextFileIndex(store, options.TextLayout);
  return result;
}

// ---- Summary

std::wstring FileIndexSummary(const TFileIndexOptions& o, const std::string& languageCode) {
  const TPipelineOptions& p = o.Pipeline;
  return ComposeSummary(
      {{true, L"Suchkriterien", L"Criteria"},
       {p.DropLowercase, L" - Worte mit kleinen Buchstaben werden aussortiert", L" - Lower Words will be removed"},
       {p.DropUppercase, L" - Worte mit großen Buchstaben werden aussortiert", L" - Upper Words will be removed"},
       {p.RemoveDigits, L" - Zahlen werden aussortiert", L" - Numbers will be removed"},
       {o.StripTags, L" - HTML Tags werden entfernt", L" - HTML Tags will be removed"},
       {p.PositiveList, L" - Worte aus Positivliste werden gesucht", L" - Search for Words from White List"},
       {p.NegativeList, L" - Worte aus Negativliste werden aussortiert", L" - Words from Black List will be removed"},
       {p.MinimumLengthOn, L" - Minimale Wortlänge: ", L" - Minimum Word Length: ", p.MinimumLength},
       {true, L"\r\nIndex", L"\r\nIndex"},
       {o.RemoveDuplicatePages, L" - Doppelte Seitenangaben werden aussortiert",
        L" - Double Page Numbers will be removed"},
       {p.JoinCapitalized, L" - Zusammenhänge Wörter werden zusammen in den Index aufgenommen",
        L" - Search for Associated Words"},
       {o.SplitJoined, L" - Zusammenhänge Wörter werden mehrfach in den Index aufgenommen",
        L" - Multiple Add Associated Words"},
       {o.ExtendIndex, L" - Einträge werden zu vorhandenem Index hinzugefügt",
        L" - Items will be added to Existing Index"},
       {o.ExtendIndex, L"   Datei: ", L"   File: ", o.IndexPath},
       {true, L"\r\nDesign", L"\r\nDesign"},
       {o.HtmlOutput, L" - Design: HTML Index", L" - Design: HTML Index"},
       {!o.HtmlOutput, L" - Design: Text Index", L" - Design: Text Index"},
       {o.UseDesign, L" - Angepasstes Design wird verwendet", L" - User Defined Design"},
       {!o.UseDesign, L" - Standardesign wird verwendet", L" - Standard Design"}},
      languageCode);
}
