#include "engine/u_KeywordIndex.h"

#include <algorithm>

#include "engine/u_HtmlHelpers.h"
#include "engine/u_WideFuncText.h"
#include "engine/u_funktionen.h"
#include "ucode/UCodeSysUtils.h"

namespace {

const wchar_t kCrLf[] = L"\r\n";

bool TrimsToEmpty(const std::wstring& text) {
  return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x21; });
}

TKeywordLayout LayoutOf(const TKeywordIndexOptions& options) {
  TKeywordLayout layout = options.Design;
  if (!options.UseDesign) {
    layout = TKeywordLayout{};
    layout.BeforeKeywords = L": ";
    layout.BetweenKeywords = options.OneUnderOther ? L"" : L", ";
  }
  if (options.OneUnderOther) layout.BetweenKeywords += kCrLf;
  return layout;
}

}  // namespace

namespace {

size_t KeywordHash(std::wstring_view keyword) {
  uint32_t hash = 2166136261u;
  for (wchar_t c : keyword) hash = (hash ^ static_cast<uint16_t>(c)) * 16777619u;
  return hash ^ (hash >> 15);
}

}  // namespace

size_t TKeywordRecord::SlotOf(std::wstring_view keyword) const {
  const size_t mask = m_slots.size() - 1;
  for (size_t s = KeywordHash(keyword) & mask;; s = (s + 1) & mask)
    if (m_slots[s] == 0 || m_keywords[m_slots[s] - 1] == keyword) return s;
}

bool TKeywordRecord::Holds(std::wstring_view keyword) const {
  return !m_slots.empty() && m_slots[SlotOf(keyword)] != 0;
}

void TKeywordRecord::Append(std::wstring keyword) {
  m_keywords.push_back(std::move(keyword));
  if (2 * (m_different + 1) > m_slots.size()) {
    // Twice the room, the different keywords entered again.
    m_slots.assign(std::max<size_t>(16, 2 * m_slots.size()), 0);
    m_different = 0;
    for (size_t i = 0; i < m_keywords.size(); ++i) {
      const size_t slot = SlotOf(m_keywords[i]);
      if (m_slots[slot] == 0) {
        m_slots[slot] = static_cast<uint32_t>(i + 1);
        ++m_different;
      }
    }
    return;
  }
  const size_t slot = SlotOf(m_keywords.back());
  if (m_slots[slot] == 0) {
    m_slots[slot] = static_cast<uint32_t>(m_keywords.size());
    ++m_different;
  }
}

TWideStrArray TKeywordRecord::TakeKeywords() {
  TWideStrArray keywords = std::move(m_keywords);
  Clear();
  return keywords;
}

void TKeywordRecord::Clear() {
  m_keywords.clear();
  m_slots.clear();
  m_different = 0;
}

bool KeywordAlreadyListed(const std::wstring& word, const TKeywordRecord& record) { return record.Holds(word); }

std::wstring AddPositiveListWords(const std::wstring& text, TKeywordRecord& record,
                                  const std::vector<std::wstring>& positiveList) {
  TPositiveResult found = AddPositiveWords(text, positiveList, false);
  for (const auto& phrase : found.Phrases) record.Append(phrase);
  return found.Text;
}

std::wstring WriteKeywordIndex(std::vector<TKeywordRecord>& records, const TKeywordIndexOptions& options) {
  const TKeywordLayout layout = LayoutOf(options);
  std::wstring text;
  for (auto& record : records) {
    TWideStrArray keywords = record.TakeKeywords();
    if (options.Pipeline.JoinCapitalized)
      for (auto& keyword : keywords) std::replace(keyword.begin(), keyword.end(), L'&', L' ');
    if (options.Alphabetical && !keywords.empty()) SortWideStrArray(keywords, 1);
    std::wstring joined;
    for (const auto& keyword : keywords)
      if (!TrimsToEmpty(keyword)) {
        joined += keyword;
        joined += layout.BetweenKeywords;
      }
    if (!joined.empty()) joined.resize(joined.size() - layout.BetweenKeywords.size());
    text += layout.LineStart;
    if (layout.WriteLabel) text += record.Label;
    if (layout.WriteLabel && layout.WriteLink) text += layout.BetweenLabelAndLink;
    if (layout.WriteLink) text += record.Link;
    text += layout.BeforeKeywords + joined + layout.LineEnd + kCrLf;
    if (layout.EmptyLine) text += kCrLf;
    record.Clear();
  }
  records.clear();
  ReplaceControlCharacters(text);
  return text;
}

std::vector<TKeywordRecord> CollectKeywords(const TKeywordIndexOptions& options,
                                            const TKeywordIndexProgress& progress) {
  const size_t count = options.Rows.size();
  size_t done = 0;
  progress(TKeywordIndexStep::Preparing, L"", RunProgressPosition(done, count));
  TPipelineOptions pipelineOptions = options.Pipeline;
  pipelineOptions.PositiveBlanksJoined = false;
  const TWordPipeline pipeline(pipelineOptions);
  std::vector<TKeywordRecord> records;
  records.reserve(options.Rows.size());
  // The texts of one document, their room kept from document to document.
  std::string bytes;
  std::wstring text, stripped;
  for (const auto& row : options.Rows) {
    records.emplace_back(row.Label, row.Link);
    TKeywordRecord& record = records.back();
    progress(TKeywordIndexStep::ReadingFile, row.Source, RunProgressPosition(++done, count));
    if (!WideFileExists(row.Source)) continue;
    LoadTextFileW(row.Source, text, bytes);
    text += L' ';
    if (options.StripTags) StripHtmlTags(text, stripped);
    pipeline.Run(
        options.StripTags ? stripped : text, [&record](std::wstring_view phrase) { record.Append(std::wstring(phrase)); },
        [&](std::wstring_view word) {
          if (!options.OncePerFile || !record.Holds(word)) record.Append(std::wstring(word));
        });
  }
  return records;
}

std::wstring RunKeywordIndex(const TKeywordIndexOptions& options, const TKeywordIndexProgress& progress) {
  std::vector<TKeywordRecord> records = CollectKeywords(options, progress);
  progress(TKeywordIndexStep::Writing, L"", -1);
  return WriteKeywordIndex(records, options);
}

std::wstring KeywordIndexSummary(const TKeywordIndexOptions& o, const std::string& languageCode) {
  const TPipelineOptions& p = o.Pipeline;
  return ComposeSummary(
      {{true, L"Suchkriterien", L"Criteria"},
       {p.DropLowercase, L" - Worte mit kleinen Buchstaben werden aussortiert", L" - Lower Words will be removed"},
       {p.DropUppercase, L" - Worte mit großen Buchstaben werden aussortiert", L" - Upper Words will be removed"},
       {o.StripTags, L" - HTML Tags werden entfernt", L" - HTML Tags will be removed"},
       {p.PositiveList, L" - Worte aus Positivliste werden gesucht", L" - Search for Words from White List"},
       {p.NegativeList, L" - Worte aus Negativliste werden aussortiert", L" - Words from Black List will be removed"},
       {p.RemoveDigits, L" - Zahlen werden aussortiert", L" - Numbers will be removed"},
       {p.MinimumLengthOn, L" - Minimale Wortlänge: ", L" - Minimum Word Length: ", p.MinimumLength},
       {true, L"\r\nIndex", L"\r\nIndex"},
       {o.OncePerFile, L" - Doppelte Einträge werden aussortiert", L" - Double Items will be removed"},
       {!o.OncePerFile, L" - Doppelte Einträge werden mehrfach in den Index aufgenommen",
        L" - Double Items will not be removed"},
       {p.JoinCapitalized, L" - Zusammenhängende Worte werden beachtet", L" - Search for Associated Words"},
       {!o.OneUnderOther, L" - Wörter werden nebeneinander angeordnet", L" - Words will be written side by side"},
       {o.OneUnderOther, L" - Wörter werden untereinander angeordnet", L" - Words will be written under each other"},
       {!o.Alphabetical, L" - Wörter werden angeordnet wie sie im Text vorkamen",
        L" - Words will be ordered like they appear in the text"},
       {o.Alphabetical, L" - Wörter werden alphabetisch sortiert", L" - Words will be ordered alphabetically"},
       {true, L"\r\nDesign", L"\r\nDesign"},
       {!o.UseDesign, L" - Standardesign wird verwendet", L" - Standard Design"},
       {o.UseDesign, L" - Angepasstes Design wird verwendet", L" - User Defined Design"}},
      languageCode);
}
