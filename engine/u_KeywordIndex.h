// The keyword index: for each file of a list one line with the keywords found in it. The
// builder that reads the keyword wizard's controls fills a TKeywordIndexOptions at the start of
// a run and hands it here.
#pragma once

#include <functional>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/u_WideFunc.h"
#include "engine/u_WordPipeline.h"

struct TKeywordRow {
  std::wstring Label;
  std::wstring Link;
  std::wstring Source;
};

// Layout of the written lines.
struct TKeywordLayout {
  std::wstring LineStart;
  bool WriteLabel = false;
  std::wstring BetweenLabelAndLink = L" ";
  bool WriteLink = true;
  std::wstring BeforeKeywords = L":  ";
  std::wstring BetweenKeywords = L", ";
  std::wstring LineEnd;
  bool EmptyLine = true;
};

struct TKeywordIndexOptions {
  std::vector<TKeywordRow> Rows;
  bool StripTags = true;
  TPipelineOptions Pipeline;      // PositiveBlanksJoined is not used here
  bool OncePerFile = true;        // a keyword is listed once per file
  bool OneUnderOther = false;     // keywords one under the other
  bool Alphabetical = true;       // sorted instead of in the order found
  bool UseDesign = false;         // Design below instead of the standard layout
  TKeywordLayout Design;
};

// The keywords of one file.
class TKeywordRecord {
 public:
  TKeywordRecord(std::wstring label, std::wstring link) : Label(std::move(label)), Link(std::move(link)) {}
  std::wstring Label;
  std::wstring Link;
  const TWideStrArray& Keywords() const { return m_keywords; }
  // Appends the keyword (a positive-list phrase or a word of the text).
  void Append(std::wstring keyword);
  bool Holds(std::wstring_view keyword) const;
  // Hands the keywords over, leaving the record empty.
  TWideStrArray TakeKeywords();
  void Clear();

 private:
  // The slot of the keyword in m_slots: the one holding it, or the free one it would take.
  size_t SlotOf(std::wstring_view keyword) const;

  TWideStrArray m_keywords;
  // Open-addressed table of the different keywords, by their number in m_keywords + 1 (0: free).
  std::vector<uint32_t> m_slots;
  size_t m_different = 0;
};

// True when the record's keywords hold exactly this word (case-sensitive).
bool KeywordAlreadyListed(const std::wstring& word, const TKeywordRecord& record);
// The positive-list step: phrases of the list found in the text are cut out of it and
// appended to the record's keywords (no test for doubles).
std::wstring AddPositiveListWords(const std::wstring& text, TKeywordRecord& record,
                                  const std::vector<std::wstring>& positiveList);

// The lines of the index, each ended by CR LF, control characters as U+FFFD; empties the
// records' keywords.
std::wstring WriteKeywordIndex(std::vector<TKeywordRecord>& records, const TKeywordIndexOptions& options);

enum class TKeywordIndexStep { Preparing, ReadingFile, Writing };
// Step, source path (for ReadingFile) and progress position (-1: unchanged).
using TKeywordIndexProgress = std::function<void(TKeywordIndexStep, const std::wstring&, int)>;

// The records of all files, in list order (a missing file has no keywords).
std::vector<TKeywordRecord> CollectKeywords(const TKeywordIndexOptions& options, const TKeywordIndexProgress& progress);
// The whole run: the written index.
std::wstring RunKeywordIndex(const TKeywordIndexOptions& options, const TKeywordIndexProgress& progress);

// Summary of the settings for the wizard's summary page ("de", "en"; other codes: empty).
std::wstring KeywordIndexSummary(const TKeywordIndexOptions& options, const std::string& languageCode);
