// The word pipeline: filters that turn the text of one page or document into the
// words that enter an index. Words travel between the steps separated by ".";
// joined words carry "&" between their parts.
#pragma once

#include <memory>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The 34 separator characters; the blank is not one of them.
extern const wchar_t kSeparatorChars[];

// Options of one run of the pipeline (the builder fills them from its wizard's boxes).
struct TPipelineOptions {
  bool PositiveList = false;           // take over the phrases of the positive list
  bool PositiveBlanksJoined = false;   // a phrase's blanks become "&" before it is entered
  bool NegativeList = false;           // cut out the words of the negative list
  bool JoinCapitalized = false;        // keep runs of capitalised words together
  bool RemoveDigits = false;
  bool DropLowercase = false;
  bool DropUppercase = false;
  bool MinimumLengthOn = false;
  std::wstring MinimumLength = L"3";   // text of the minimum-length combo box
  std::vector<std::wstring> PositiveWords;  // lines of the positive list
  std::vector<std::wstring> NegativeWords;  // lines of the negative list
};

// Result of the positive-list step: the text with the phrases cut out, and the
// phrases to enter for this page, in list order.
struct TPositiveResult {
  std::wstring Text;
  std::vector<std::wstring> Phrases;
};
TPositiveResult AddPositiveWords(const std::wstring& text, const std::vector<std::wstring>& list,
                                 bool blanksJoined);

// Cuts whole-word occurrences of the list's words out of texts (each becomes ".",
// ignoring case). Prepared once per run so that every page is handled in one pass
// for the list's single words; phrases are replaced in their list order.
class TNegativeFilter {
 public:
  explicit TNegativeFilter(const std::vector<std::wstring>& list);
  ~TNegativeFilter();
  TNegativeFilter(const TNegativeFilter&) = delete;
  TNegativeFilter& operator=(const TNegativeFilter&) = delete;
  std::wstring Apply(const std::wstring& text) const;
  // The same into `result`, whose buffer is used again.
  void ApplyInto(const std::wstring& text, std::wstring& result) const;

 private:
  struct Step;
  std::vector<Step> m_steps;
};
std::wstring DropNegativeWords(const std::wstring& text, const std::vector<std::wstring>& list);

// Word's optional hyphen, which marks where a word may be broken at a line's end: no part of the
// word, it vanishes before the word lists and the separators, as "&shy;" of a page does.
constexpr wchar_t kOptionalHyphen = 0x1F;
std::wstring RemoveOptionalHyphens(const std::wstring& text);

// Separator characters become "." ("-" a blank), and so do control characters but the optional
// hyphen, which vanishes; the text is framed with ".".
std::wstring NormalizeSeparators(const std::wstring& text);
void NormalizeSeparatorsInto(const std::wstring& text, std::wstring& result);
std::wstring JoinCapitalizedWords(const std::wstring& text);
std::wstring CollapseSeparators(const std::wstring& text);
std::wstring RemoveDigits(const std::wstring& text);
std::wstring DropLowercaseWords(const std::wstring& text);
std::wstring DropUppercaseWords(const std::wstring& text);
std::wstring DropShortWords(const std::wstring& text, const std::wstring& minimumLength);

// The whole pipeline of the text and file index builders for one page. One pipeline serves one
// caller at a time (it keeps its working texts from page to page).
class TWordPipeline {
 public:
  explicit TWordPipeline(TPipelineOptions options);
  ~TWordPipeline();
  TWordPipeline(const TWordPipeline&) = delete;
  TWordPipeline& operator=(const TWordPipeline&) = delete;

  struct Result {
    std::vector<std::wstring> Phrases;  // positive-list phrases, entered first
    std::vector<std::wstring> Words;    // the remaining words in text order
  };
  Result Run(const std::wstring& text) const;

  // The same without a string per word: the phrases, then the words in text order, are handed
  // to the visitors as views that live only for the call.
  using TWordVisitor = std::function<void(std::wstring_view)>;
  void Run(const std::wstring& text, const TWordVisitor& phrase, const TWordVisitor& word) const;

 private:
  TPipelineOptions m_options;
  std::unique_ptr<TNegativeFilter> m_negative;
  long long m_minimumLength = 2;
  // Working texts of Run, kept from page to page: a pipeline serves one run at a time.
  mutable std::wstring m_cut;
  mutable std::wstring m_words;
};
