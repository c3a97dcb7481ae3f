#include "engine/u_WordPipeline.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <unordered_set>
#include <utility>

#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "engine/u_WideFunc.h"
#include "engine/u_funktionen.h"
#include "ucode/UCodeSysUtils.h"
#include "ucode/UCodeSystem.h"

const wchar_t kSeparatorChars[] =
    L";:_><-.,*+#!\"\u00A7$%&/()=?`\u00B4}][{'\u201E\u201C\r\n\t";

namespace {

const std::wstring& Separators() {
  static const std::wstring separators(kSeparatorChars);
  return separators;
}

bool IsSeparator(wchar_t c) {
  static const auto table = [] {
    std::array<bool, 65536> t{};
    for (wchar_t s : Separators()) t[static_cast<uint16_t>(s)] = true;
    return t;
  }();
  return table[static_cast<uint16_t>(c)];
}

// Per-character answers of the wide layer, asked once per character and kept:
// every page asks them for most of its characters.
class TCharTable {
 public:
  template <typename Ask>
  bool Get(wchar_t c, Ask ask) {
    uint8_t& slot = m_state[static_cast<uint16_t>(c)];
    if (slot == 0) slot = ask(c) ? 2 : 1;
    return slot == 2;
  }

 private:
  std::array<uint8_t, 65536> m_state{};
};

wchar_t UpperOf(wchar_t c) {
  static std::array<wchar_t, 65536> upper{};
  static std::array<bool, 65536> known{};
  uint16_t i = static_cast<uint16_t>(c);
  if (!known[i]) {
    std::wstring one = WideUpperCase(std::wstring(1, c));
    upper[i] = one.size() == 1 ? one[0] : c;
    known[i] = true;
  }
  return upper[i];
}

bool IsUpperForm(wchar_t c) { return UpperOf(c) == c; }

bool IsLowerForm(wchar_t c) {
  static TCharTable table;
  return table.Get(c, [](wchar_t ch) {
    wchar_t lower = ch;
    CharLowerBuffW(&lower, 1);
    return lower == ch;
  });
}

// A character whose ANSI form is one of the separators; one without an ANSI
// form becomes "?" and so counts as well.
bool IsAnsiSeparator(wchar_t c) {
  static TCharTable table;
  return table.Get(c, [](wchar_t ch) {
    static const std::string ansiSeparators = WideStringToStringEx(Separators(), 0);
    std::string ansi = WideStringToStringEx(std::wstring(1, ch), 0);
    return !ansi.empty() && ansiSeparators.find(ansi[0]) != std::string::npos;
  });
}

bool IsDelimiter(wchar_t c) {
  static TCharTable table;
  return table.Get(c, [](wchar_t ch) { return IsWordDelimiter(ch, Separators()); });
}

// Calls visit with each piece of the text between "." (as ExplodeW cuts it: empty
// pieces included, the last one after the last "."), without copying the pieces;
// the filters below walk every page this way.
template <typename Visit>
void ForEachDotPiece(const std::wstring& text, Visit visit) {
  std::wstring_view all(text);
  size_t start = 0;
  for (;;) {
    size_t dot = all.find(L'.', start);
    visit(all.substr(start, dot == std::wstring_view::npos ? std::wstring_view::npos : dot - start));
    if (dot == std::wstring_view::npos) return;
    start = dot + 1;
  }
}

bool TrimsToEmpty(std::wstring_view piece) {
  return std::all_of(piece.begin(), piece.end(), [](wchar_t c) { return c < 33; });
}

// First character of the piece trimmed of characters below 33, with "&" read as
// "X"; 0 when nothing is left.
wchar_t FirstTrimmedChar(std::wstring_view piece) {
  for (wchar_t c : piece) {
    if (c == L'&') return L'X';
    if (c >= 33) return c;
  }
  return 0;
}

// The "&"-parts of a joined word that are long enough, joined again by "&".
template <typename LongEnough>
void KeepLongParts(std::wstring_view piece, LongEnough longEnough, std::wstring& kept) {
  kept.clear();
  size_t start = 0;
  for (;;) {
    const size_t amp = piece.find(L'&', start);
    const std::wstring_view part =
        piece.substr(start, amp == std::wstring_view::npos ? std::wstring_view::npos : amp - start);
    if (longEnough(part.size())) {
      if (!kept.empty()) kept += L'&';
      kept += part;
    }
    if (amp == std::wstring_view::npos) return;
    start = amp + 1;
  }
}

void JoinCapitalizedInPlace(std::wstring& text);

std::wstring ReplaceWholeWordIgnoringCase(const std::wstring& text, const std::wstring& word) {
  return ReplaceWordsW(text, word, L".", true, rfReplaceAll | rfIgnoreCase, Separators());
}

}  // namespace

TPositiveResult AddPositiveWords(const std::wstring& text, const std::vector<std::wstring>& list,
                                 bool blanksJoined) {
  TPositiveResult result{text, {}};
  for (const auto& line : list) {
    if (line.empty() || result.Text.find(line) == std::wstring::npos) continue;
    std::wstring cut = ReplaceWholeWordIgnoringCase(result.Text, line);
    if (cut == result.Text) continue;
    result.Text = std::move(cut);
    std::wstring phrase = line;
    if (blanksJoined) std::replace(phrase.begin(), phrase.end(), L' ', L'&');
    result.Phrases.push_back(std::move(phrase));
  }
  return result;
}

// One step of the negative filter: a run of single words of the list (matched
// as whole tokens between delimiters) or one phrase holding delimiters.
struct TNegativeFilter::Step {
  std::unordered_set<std::wstring> upperWords;
  std::wstring phrase;
};

TNegativeFilter::TNegativeFilter(const std::vector<std::wstring>& list) {
  for (const auto& line : list) {
    if (line.empty()) continue;
    bool single = std::none_of(line.begin(), line.end(), IsDelimiter);
    if (!single) {
      m_steps.push_back(Step{{}, line});
      continue;
    }
    if (m_steps.empty() || !m_steps.back().phrase.empty()) m_steps.push_back(Step{});
    std::wstring upper = line;
    for (auto& c : upper) c = UpperOf(c);
    m_steps.back().upperWords.insert(std::move(upper));
  }
}

TNegativeFilter::~TNegativeFilter() = default;

namespace {

// Replaces every token (a maximal run of non-delimiters) whose upper-case form is
// in the set by ".". A whole-word occurrence of a word without delimiters is
// exactly such a token, so this equals replacing the words one after the other.
void DropTokensInto(const std::wstring& text, const std::unordered_set<std::wstring>& upperWords,
                    std::wstring& result) {
  result.clear();
  result.reserve(text.size());
  std::wstring key;
  size_t i = 0;
  while (i < text.size()) {
    if (IsDelimiter(text[i])) {
      result += text[i++];
      continue;
    }
    size_t end = i;
    key.clear();
    while (end < text.size() && !IsDelimiter(text[end])) key += UpperOf(text[end++]);
    if (upperWords.count(key)) result += L'.';
    else result.append(text, i, end - i);
    i = end;
  }
}

std::wstring DropTokens(const std::wstring& text, const std::unordered_set<std::wstring>& upperWords) {
  std::wstring result;
  DropTokensInto(text, upperWords, result);
  return result;
}

}  // namespace

void TNegativeFilter::ApplyInto(const std::wstring& text, std::wstring& result) const {
  if (m_steps.size() == 1 && m_steps[0].phrase.empty()) DropTokensInto(text, m_steps[0].upperWords, result);
  else result = Apply(text);
}

std::wstring TNegativeFilter::Apply(const std::wstring& text) const {
  std::wstring result = text;
  for (const auto& step : m_steps)
    result = step.phrase.empty() ? DropTokens(result, step.upperWords)
                                 : ReplaceWholeWordIgnoringCase(result, step.phrase);
  return result;
}

std::wstring DropNegativeWords(const std::wstring& text, const std::vector<std::wstring>& list) {
  return TNegativeFilter(list).Apply(text);
}

std::wstring RemoveOptionalHyphens(const std::wstring& text) {
  std::wstring result;
  result.reserve(text.size());
  for (wchar_t c : text)
    if (c != kOptionalHyphen) result += c;
  return result;
}

std::wstring NormalizeSeparators(const std::wstring& text) {
  std::wstring result;
  NormalizeSeparatorsInto(text, result);
  return result;
}

void NormalizeSeparatorsInto(const std::wstring& text, std::wstring& result) {
  result.clear();
  result.reserve(text.size() + 2);
  result += L'.';
  for (wchar_t c : text) {
    if (c == L'-') result += L' ';
    else if (c == kOptionalHyphen) continue;
    // Other control characters (form feeds, Word's line and page breaks) part words too.
    else if (IsSeparator(c) || c < 0x20) result += L'.';
    else result += c;
  }
  result += L'.';
}

std::wstring JoinCapitalizedWords(const std::wstring& text) {
  std::wstring result = text;
  JoinCapitalizedInPlace(result);
  return result;
}

namespace {

void JoinCapitalizedInPlace(std::wstring& result) {
  bool previousCapitalized = false;
  for (size_t i = 0; i + 1 < result.size(); ++i) {
    if (result[i] != L' ') continue;
    wchar_t next = result[i + 1];
    if (!IsUpperForm(next)) {
      previousCapitalized = false;
    } else if (IsAnsiSeparator(next)) {
      previousCapitalized = false;
    } else {
      if (previousCapitalized) result[i] = L'&';
      previousCapitalized = true;
    }
  }
}

}  // namespace

std::wstring CollapseSeparators(const std::wstring& text) {
  std::wstring compact;
  compact.reserve(text.size());
  for (wchar_t c : text)
    if (c != L' ') compact += c;
  if (compact.size() <= 1) return std::wstring();
  std::wstring result;
  result.reserve(compact.size());
  result += compact[0];
  for (size_t k = 1; k + 1 < compact.size(); ++k)
    if (!(compact[k] == L'.' && compact[k - 1] == L'.')) result += compact[k];
  return result;
}

std::wstring RemoveDigits(const std::wstring& text) {
  std::wstring result = text;
  for (auto& c : result)
    if (c >= L'0' && c <= L'9') c = L'.';
  return result;
}

std::wstring DropLowercaseWords(const std::wstring& text) {
  std::wstring result;
  result.reserve(text.size());
  ForEachDotPiece(text, [&result](std::wstring_view piece) {
    if (piece.empty() || !IsUpperForm(piece[0])) return;
    result += piece;
    result += L'.';
  });
  return result;
}

std::wstring DropUppercaseWords(const std::wstring& text) {
  std::wstring result = L".";
  result.reserve(text.size() + 1);
  ForEachDotPiece(text, [&result](std::wstring_view piece) {
    wchar_t first = FirstTrimmedChar(piece);
    if (first == 0 || !IsLowerForm(first)) return;
    result += piece;
    result += L'.';
  });
  return result;
}

std::wstring DropShortWords(const std::wstring& text, const std::wstring& minimumLength) {
  const long long minimum = IntegerValueOr(minimumLength, 2);
  auto longEnough = [minimum](size_t length) { return static_cast<long long>(length) >= minimum; };
  std::wstring result;
  result.reserve(text.size());
  ForEachDotPiece(text, [&](std::wstring_view piece) {
    if (!longEnough(piece.size())) return;
    if (piece.find(L'&') == std::wstring_view::npos) {
      result += piece;
    } else {
      std::wstring kept;
      KeepLongParts(piece, longEnough, kept);
      result += kept;
    }
    result += L'.';
  });
  return result;
}

TWordPipeline::TWordPipeline(TPipelineOptions options) : m_options(std::move(options)) {
  if (m_options.NegativeList) m_negative = std::make_unique<TNegativeFilter>(m_options.NegativeWords);
  m_minimumLength = IntegerValueOr(m_options.MinimumLength, 2);
}

TWordPipeline::~TWordPipeline() = default;

TWordPipeline::Result TWordPipeline::Run(const std::wstring& text) const {
  Result result;
  Run(
      text, [&result](std::wstring_view phrase) { result.Phrases.emplace_back(phrase); },
      [&result](std::wstring_view word) { result.Words.emplace_back(word); });
  return result;
}

// The steps from the separators on work in one buffer: the separators normalised, capitalised
// runs joined, blanks made "." and runs of "." collapsed, digits removed, each in place; the
// word filters then look at each piece between two "." on its own, as each of them keeps or
// drops whole pieces (the length filter also shortens joined words), so one walk over the
// pieces does what their passes one after the other would.
void TWordPipeline::Run(const std::wstring& text, const TWordVisitor& phrase, const TWordVisitor& word) const {
  // Buffers kept from page to page: a large text is not allocated anew for every page.
  const std::wstring* current = &text;
  std::wstring whole;
  if (text.find(kOptionalHyphen) != std::wstring::npos) {
    whole = RemoveOptionalHyphens(text);
    current = &whole;
  }
  std::wstring positiveText;
  if (m_options.PositiveList) {
    TPositiveResult positive = AddPositiveWords(*current, m_options.PositiveWords, m_options.PositiveBlanksJoined);
    for (const auto& found : positive.Phrases) phrase(found);
    positiveText = std::move(positive.Text);
    current = &positiveText;
  }
  if (m_negative) {
    m_negative->ApplyInto(*current, m_cut);
    current = &m_cut;
  }
  std::wstring& t = m_words;
  NormalizeSeparatorsInto(*current, t);
  if (m_options.JoinCapitalized) JoinCapitalizedInPlace(t);
  // Blanks become "."; runs of "." collapse and the closing "." goes.
  if (t.size() <= 1) {
    t.clear();
  } else {
    auto dotted = [](wchar_t c) { return c == L' ' ? L'.' : c; };
    size_t written = 1;
    t[0] = dotted(t[0]);
    wchar_t previous = t[0];
    for (size_t k = 1; k + 1 < t.size(); ++k) {
      const wchar_t c = dotted(t[k]);
      if (!(c == L'.' && previous == L'.')) t[written++] = c;
      previous = c;
    }
    t.resize(written);
  }
  if (m_options.RemoveDigits)
    for (auto& c : t)
      if (c >= L'0' && c <= L'9') c = L'.';
  auto longEnough = [this](size_t length) { return static_cast<long long>(length) >= m_minimumLength; };
  std::wstring kept;
  ForEachDotPiece(t, [&](std::wstring_view piece) {
    if (m_options.DropLowercase && (piece.empty() || !IsUpperForm(piece[0]))) return;
    if (m_options.DropUppercase) {
      const wchar_t first = FirstTrimmedChar(piece);
      if (first == 0 || !IsLowerForm(first)) return;
    }
    if (m_options.MinimumLengthOn) {
      if (!longEnough(piece.size())) return;
      if (piece.find(L'&') != std::wstring_view::npos) {
        KeepLongParts(piece, longEnough, kept);
        piece = kept;
      }
    }
    if (!TrimsToEmpty(piece)) word(piece);
  });
}
