#include "engine/u_TextIndex.h"

#include <algorithm>

#include "engine/u_FileErrors.h"
#include "engine/u_WideFunc.h"
#include "engine/u_WideFuncText.h"
#include "engine/u_WordLists.h"
#include "engine/u_funktionen.h"
#include "ucode/UCodeSysUtils.h"

namespace {

const wchar_t kCrLf[] = L"\r\n";
const wchar_t kTextIndexLink[] = L"-";

struct TPageNumberItem {
  std::wstring Label;
  long long Line = 0;
};

// "label (line)", split at the last " (" so that labels may hold " (" themselves.
bool ParsePageNumberItem(const std::wstring& item, TPageNumberItem& parsed) {
  size_t open = item.rfind(L" (");
  if (open == std::wstring::npos) return false;
  std::wstring number = item.substr(open + 2);
  number.erase(std::remove(number.begin(), number.end(), L')'), number.end());
  if (!IsIntegerStr(number)) return false;
  parsed.Label = item.substr(0, open);
  parsed.Line = IntegerValueOr(number, 0);
  return true;
}

// Page text of the lines from *position on: at least one line, up to end.
std::wstring TakeLines(const std::vector<std::wstring>& lines, long long& position, long long end) {
  std::wstring text = L".";
  do {
    text += lines[static_cast<size_t>(position)];
    text += L'.';
    ++position;
  } while (position < end);
  return text;
}

}  // namespace

TTextIndexOptions FactoryTextIndexOptions() {
  TTextIndexOptions options;
  TPipelineOptions& pipeline = options.Pipeline;
  pipeline.DropLowercase = pipeline.RemoveDigits = pipeline.NegativeList = true;
  pipeline.MinimumLengthOn = true;
  pipeline.MinimumLength = L"3";
  pipeline.JoinCapitalized = pipeline.PositiveBlanksJoined = true;
  pipeline.PositiveWords = FactoryPositiveWords();
  pipeline.NegativeWords = FactoryNegativeWords();
  return options;
}

std::vector<TPage> FillPagesByLine(std::vector<std::wstring> lines, const std::wstring& firstPage) {
  const long long start = IntegerValueOr(firstPage, 1);
  std::vector<TPage> pages;
  pages.reserve(lines.size());
  for (size_t i = 0; i < lines.size(); ++i)
    pages.push_back(TPage{std::move(lines[i]), std::to_wstring(start + static_cast<long long>(i))});
  return pages;
}

TPageCut FillPagesByNumbers(const std::vector<std::wstring>& lines, const std::vector<std::wstring>& pageList,
                            bool numbersBelowText) {
  TPageCut cut;
  std::vector<TPageNumberItem> items;
  for (const auto& entry : pageList) {
    TPageNumberItem item;
    if (ParsePageNumberItem(entry, item)) items.push_back(item);
    else ++cut.SkippedItems;
  }
  const long long lineCount = static_cast<long long>(lines.size());
  long long position = 0;
  if (!numbersBelowText && !items.empty()) position = std::max(0LL, items[0].Line + 1);
  for (size_t i = 0; i < items.size(); ++i) {
    long long end = numbersBelowText ? items[i].Line
                                     : (i + 1 < items.size() ? items[i + 1].Line : lineCount);
    end = std::min(end, lineCount);
    // A page whose lines lie beyond the text has nothing to read.
    if (position >= lineCount) {
      ++cut.ItemsBeyondText;
      continue;
    }
    cut.Pages.push_back(TPage{TakeLines(lines, position, end), items[i].Label});
  }
  return cut;
}

std::vector<std::wstring> ReadSourceLines(const TTextIndexOptions& options) {
  if (!options.SourceFromFile) return SplitTextLines(options.SourceText);
  // A folder or a device holds no text to index: told, not taken for an empty source.
  RefuseNoFile(TFileAction::Open, options.SourcePath);
  if (!WideFileExists(options.SourcePath)) return {};
  // The text as the source memo shows it.
  std::wstring text = LoadTextFileW(options.SourcePath);
  ReplaceNulCharacters(text);
  return SplitTextLines(text);
}

TPageCut ReadTextPages(const TTextIndexOptions& options) {
  std::vector<std::wstring> lines = ReadSourceLines(options);
  if (options.PagesByLine) return TPageCut{FillPagesByLine(std::move(lines), options.FirstPage), 0, 0};
  return FillPagesByNumbers(lines, options.PageList, options.NumbersBelowText);
}

namespace {

// Units of the first character: a surrogate pair is one character.
size_t FirstCharacterLength(const std::wstring& word) {
  bool pair = word.size() >= 2 && word[0] >= 0xD800 && word[0] <= 0xDBFF && word[1] >= 0xDC00 && word[1] <= 0xDFFF;
  return pair ? 2 : 1;
}

class TIndexTextWriter {
 public:
  explicit TIndexTextWriter(const TTextIndexLayout& layout) : m_layout(layout) {
    if (!layout.UseDesign) m_layout = TTextIndexLayout{};
  }

  std::wstring Write(const TIndexStore& store) {
    Line(m_layout.Heading);
    for (int b = 0; b < kOtherBucket; ++b) {
      const auto& entries = store.Bucket(b);
      if (!entries.empty()) LetterHeading(std::wstring(1, BucketLetter(b)));
      for (const auto& entry : entries) EntryLine(entry);
    }
    std::wstring lastHeading;
    for (const auto& entry : store.Bucket(kOtherBucket)) {
      if (!entry.Word.empty()) {
        std::wstring first = WideUpperCase(entry.Word.substr(0, FirstCharacterLength(entry.Word)));
        if (first != lastHeading) {
          LetterHeading(first);
          lastHeading = first;
        }
      }
      EntryLine(entry);
    }
    ReplaceControlCharacters(m_text);
    return std::move(m_text);
  }

 private:
  void Line(const std::wstring& line) {
    m_text += line;
    m_text += kCrLf;
  }

  void LetterHeading(const std::wstring& letter) {
    if (m_layout.UseDesign && !m_layout.LetterHeadings) return;
    if (!m_layout.UseDesign || m_layout.BlankBeforeHeading) Line(L"");
    Line(letter);
  }

  void EntryLine(const TIndexEntry& entry) {
    m_text += entry.Word;
    m_text += m_layout.Between;
    size_t start = 0;
    for (bool first = true;; first = false) {
      size_t bar = entry.Pages.find(L'|', start);
      size_t itemEnd = bar == std::wstring::npos ? entry.Pages.size() : bar;
      size_t labelEnd = std::min(itemEnd, entry.Pages.find(L'>', start));
      if (!first) m_text += m_layout.Separator;
      m_text.append(entry.Pages, start, labelEnd - start);
      if (bar == std::wstring::npos) break;
      start = bar + 1;
    }
    m_text += kCrLf;
  }

  TTextIndexLayout m_layout;
  std::wstring m_text;
};

}  // namespace

std::wstring WriteTextIndex(const TIndexStore& store, const TTextIndexLayout& layout) {
  return TIndexTextWriter(layout).Write(store);
}

namespace {

void EnterPage(const TWordPipeline& pipeline, const TPage& page, bool removeDuplicates, TIndexStore& store) {
  TWordPipeline::Result words = pipeline.Run(page.Text);
  for (const auto& phrase : words.Phrases)
    AddTextIndexEntry(store, phrase, page.Label, kTextIndexLink, removeDuplicates);
  for (const auto& word : words.Words)
    AddTextIndexEntry(store, word, page.Label, kTextIndexLink, removeDuplicates);
}

}  // namespace

TTextIndexRunResult RunTextIndex(const TTextIndexOptions& options, TIndexStore& store,
                                 const TTextIndexProgress& progress) {
  TTextIndexRunResult result;
  progress(TTextIndexStep::Preparing, L"", 0);
  store.Clear();
  if (options.ExtendIndex) {
    const bool joinsWords = options.Pipeline.JoinCapitalized || options.Pipeline.PositiveBlanksJoined;
    TIndexDataReadOptions reading{options.SplitJoined, joinsWords};
    TIndexFileResult loaded = LoadIndexFile(options.IndexPath, reading);
    store = std::move(loaded.Store);
    result.IndexFileUnusable = !loaded.FileFound || store.Empty();
  }
  TPageCut cut = ReadTextPages(options);
  result.PageCount = cut.Pages.size();
  result.SkippedPageItems = cut.SkippedItems;
  result.PageItemsBeyondText = cut.ItemsBeyondText;
  progress(TTextIndexStep::Preparing, L"", RunProgressPosition(0, cut.Pages.size()));
  TWordPipeline pipeline(options.Pipeline);
  for (size_t i = 0; i < cut.Pages.size(); ++i) {
    const TPage& page = cut.Pages[i];
    progress(TTextIndexStep::ReadingPage, page.Label, RunProgressPosition(i + 1, cut.Pages.size()));
    if (!page.Text.empty()) EnterPage(pipeline, page, options.RemoveDuplicatePages, store);
  }
  progress(TTextIndexStep::Refreshing, L"", -1);
  store = SortIndexBuckets(options.SplitJoined ? SplitJoinedEntries(std::move(store))
                                               : UnjoinEntries(std::move(store)));
  progress(TTextIndexStep::Writing, L"", -1);
  result.Output = WriteTextIndex(store, options.Layout);
  return result;
}

std::wstring TextIndexSummary(const TTextIndexOptions& o, const std::string& languageCode) {
  const TPipelineOptions& p = o.Pipeline;
  return ComposeSummary(
      {{true, L"Quelle", L"Source"},
       {o.SourceFromFile, L" - Datei: ", L" - File: ", o.SourcePath + L"\r\n"},
       {!o.SourceFromFile, L" - Text wird als Quelle benutzt\r\n", L" - Text is used as Source\r\n"},
       {true, L"Seitenzahlen", L"Page Numbers"},
       {o.PagesByLine, L" - Jede Zeile ist eine Seite\r\n", L" - Every Line is a New Page\r\n"},
       {!o.PagesByLine, L" - Benutzerdefinierte Einstellungen\r\n", L" - User Defined Settings\r\n"},
       {true, L"Suchkriterien", L"Criteria"},
       {p.DropLowercase, L" - Worte mit kleinen Buchstaben werden aussortiert", L" - Lower Words will be removed"},
       {p.DropUppercase, L" - Worte mit großen Buchstaben werden aussortiert", L" - Upper Words will be removed"},
       {p.RemoveDigits, L" - Zahlen werden aussortiert", L" - Numbers will be removed"},
       {p.PositiveList, L" - Worte aus Positivliste werden gesucht", L" - Search for Words from White List"},
       {p.NegativeList, L" - Worte aus Negativliste werden aussortiert", L" - Words from Black List will be removed"},
       {p.MinimumLengthOn, L" - Minimale Wordlänge: ", L" - Minimum Word Length: ", p.MinimumLength},
       {true, L"\r\nIndex Eigenschaften", L"\r\nIndex"},
       {o.RemoveDuplicatePages, L" - Doppelte Seitenangaben werden aussortiert",
        L" - Double Page Numbers will be removed"},
       {p.JoinCapitalized, L" - Zusammenhänge Wörter werden zusammen in den Index aufgenommen",
        L" - Search for Associated Words"},
       {o.SplitJoined, L" - Zusammenhänge Wörter werden mehrfach in den Index aufgenommen",
        L" - Multiple Add Associated Words"},
       {o.ExtendIndex, L" - Einträge werden zu vorhandenem Index hinzugefügt",
        L" - Items will be added to Existing Index"},
       {o.ExtendIndex, L"   Datei: ", L"   File: ", o.IndexPath},
       {o.Layout.UseDesign, L" - Angepasste Designeinstellungen", L" - User Defined Design"}},
      languageCode);
}

std::wstring IndexFileUnusableMessage(const std::wstring& path, const std::string& languageCode) {
  if (languageCode == "de")
    return L"Die Indexdatei \"" + path +
           L"\" wurde nicht gefunden oder enthält keine Einträge. Der Index wird ohne sie erstellt.";
  return L"The index file \"" + path + L"\" was not found or holds no entries. The index is built without it.";
}

std::wstring SkippedPageItemsMessage(int count, const std::string& languageCode) {
  if (languageCode == "de")
    return std::to_wstring(count) +
           L" Einträge der Seitenzahlenliste haben nicht die Form \"Bezeichnung (Zeilennummer)\" und wurden "
           L"übergangen.";
  return std::to_wstring(count) +
         L" entries of the page number list are not of the form \"label (line number)\" and were skipped.";
}

std::wstring PageItemsBeyondTextMessage(int count, const std::string& languageCode) {
  if (languageCode == "de")
    return std::to_wstring(count) +
           L" Einträge der Seitenzahlenliste verweisen auf keine Zeile des Textes und wurden übergangen.";
  return std::to_wstring(count) + L" entries of the page number list point to no line of the text and were skipped.";
}
