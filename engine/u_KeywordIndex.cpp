#include "engine/u_KeywordIndex.h"

#include <algorithm>

#include "engine/u_HtmlHelpers.h"
#include "engine/u_WideFuncText.h"
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

void TKeywordRecord::Append(const std::wstring& keyword) {
  m_keywords.push_back(keyword);
  m_listed.insert(keyword);
}

void TKeywordRecord::Clear() {
  m_keywords.clear();
  m_listed.clear();
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
    TWideStrArray keywords = record.Keywords();
    if (options.Pipeline.JoinCapitalized)
      for (auto& keyword : keywords) std::replace(keyword.begin(), keyword.end(), L'&', L' ');
    if (options.Alphabetical && !keywords.empty()) SortWideStrArray(keywords, 1);
    std::wstring joined;
    for (const auto& keyword : keywords)
      if (!TrimsToEmpty(keyword)) joined += keyword + layout.BetweenKeywords;
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
  return text;
}

std::vector<TKeywordRecord> CollectKeywords(const TKeywordIndexOptions& options,
                                            const TKeywordIndexProgress& progress) {
  const int step = options.Rows.empty() ? 30 : static_cast<int>(100 / (options.Rows.size() + 2));
  int position = step;
  progress(TKeywordIndexStep::Preparing, L"", position);
  TPipelineOptions pipelineOptions = options.Pipeline;
  pipelineOptions.PositiveBlanksJoined = false;
  const TWordPipeline pipeline(pipelineOptions);
  std::vector<TKeywordRecord> records;
  records.reserve(options.Rows.size());
  for (const auto& row : options.Rows) {
    records.emplace_back(row.Label, row.Link);
    TKeywordRecord& record = records.back();
    position += step;
    progress(TKeywordIndexStep::ReadingFile, row.Source, position);
    if (!WideFileExists(row.Source)) continue;
    std::wstring text = LoadTextFileW(row.Source) + L" ";
    if (options.StripTags) text = StripHtmlTags(text);
    TWordPipeline::Result words = pipeline.Run(text);
    for (const auto& phrase : words.Phrases) record.Append(phrase);
    for (const auto& word : words.Words)
      if (!options.OncePerFile || !KeywordAlreadyListed(word, record)) record.Append(word);
  }
  return records;
}

std::wstring RunKeywordIndex(const TKeywordIndexOptions& options, const TKeywordIndexProgress& progress) {
  std::vector<TKeywordRecord> records = CollectKeywords(options, progress);
  progress(TKeywordIndexStep::Writing, L"", -1);
  return WriteKeywordIndex(records, options);
}

namespace {

struct TKeywordSummaryTexts {
  const wchar_t* criteria;
  const wchar_t* lower;
  const wchar_t* upper;
  const wchar_t* tags;
  const wchar_t* positive;
  const wchar_t* negative;
  const wchar_t* numbers;
  const wchar_t* minimum;
  const wchar_t* doublesRemoved;
  const wchar_t* doublesKept;
  const wchar_t* joined;
  const wchar_t* sideBySide;
  const wchar_t* underEachOther;
  const wchar_t* textOrder;
  const wchar_t* alphabetical;
  const wchar_t* standardDesign;
  const wchar_t* userDesign;
  const wchar_t* closing;
};

const TKeywordSummaryTexts kGermanKeywordSummary = {
    L"Suchkriterien", L" - Worte mit kleinen Buchstaben werden aussortiert",
    L" - Worte mit großen Buchstaben werden aussortiert", L" - HTML Tags werden entfernt",
    L" - Worte aus Positivliste werden gesucht", L" - Worte aus Negativliste werden aussortiert",
    L" - Zahlen werden aussortiert", L" - Minimale Wortlänge: ", L" - Doppelte Einträge werden aussortiert",
    L" - Doppelte Einträge werden mehrfach in den Index aufgenommen", L" - Zusammenhängende Worte werden beachtet",
    L" - Wörter werden nebeneinander angeordnet", L" - Wörter werden untereinander angeordnet",
    L" - Wörter werden angeordnet wie sie im Text vorkamen", L" - Wörter werden alphabetisch sortiert",
    L" - Standardesign wird verwendet", L" - Angepasstes Design wird verwendet",
    L"Klicken Sie auf \"Index erstellen\", um den Index mit diesen Vorgaben zu schreiben."};

const TKeywordSummaryTexts kEnglishKeywordSummary = {
    L"Criteria", L" - Lower Words will be removed", L" - Upper Words will be removed",
    L" - HTML Tags will be removed", L" - Search for Words from White List",
    L" - Words from Black List will be removed", L" - Numbers will be removed", L" - Minimum Word Length: ",
    L" - Double Items will be removed", L" - Double Items will not be removed", L" - Search for Associated Words",
    L" - Words will be written side by side", L" - Words will be written under each other",
    L" - Words will be ordered like they appear in the text", L" - Words will be ordered alphabetically",
    L" - Standard Design", L" - User Defined Design",
    L"Click on \"Create Index\" to write your Index with these Settings."};

std::wstring KeywordSummary(const TKeywordIndexOptions& o, const TKeywordSummaryTexts& t) {
  std::wstring s;
  auto line = [&s](bool on, const std::wstring& text) {
    if (on) s += text + kCrLf;
  };
  const TPipelineOptions& p = o.Pipeline;
  line(true, t.criteria);
  line(p.DropLowercase, t.lower);
  line(p.DropUppercase, t.upper);
  line(o.StripTags, t.tags);
  line(p.PositiveList, t.positive);
  line(p.NegativeList, t.negative);
  line(p.RemoveDigits, t.numbers);
  line(p.MinimumLengthOn, t.minimum + p.MinimumLength);
  line(true, kCrLf + std::wstring(L"Index"));
  line(o.OncePerFile, t.doublesRemoved);
  line(!o.OncePerFile, t.doublesKept);
  line(p.JoinCapitalized, t.joined);
  line(!o.OneUnderOther, t.sideBySide);
  line(o.OneUnderOther, t.underEachOther);
  line(!o.Alphabetical, t.textOrder);
  line(o.Alphabetical, t.alphabetical);
  line(true, kCrLf + std::wstring(L"Design"));
  line(!o.UseDesign, t.standardDesign);
  line(o.UseDesign, t.userDesign);
  return s + kCrLf + kCrLf + t.closing;
}

}  // namespace

std::wstring KeywordIndexSummary(const TKeywordIndexOptions& options, const std::string& languageCode) {
  if (languageCode == "de") return KeywordSummary(options, kGermanKeywordSummary);
  if (languageCode == "en") return KeywordSummary(options, kEnglishKeywordSummary);
  return std::wstring();
}
