#include "engine/u_PageNumberText.h"

#include "engine/u_WideFunc.h"
#include "engine/u_funktionen.h"

std::wstring ExpandLineBreaks(const std::wstring& setting) { return ReplaceAllW(setting, L"#NL", L"\r\n"); }

std::vector<std::wstring> EmptyLinesToPageNumbers(std::vector<std::wstring> lines, const std::wstring& firstPage,
                                                  bool textBetween) {
  long long page = IntegerValueOr(firstPage, 1);
  bool allowed = true;
  for (std::wstring& line : lines) {
    if (!line.empty()) {
      allowed = true;
      continue;
    }
    if (!allowed) continue;
    line = std::to_wstring(page++);
    if (textBetween) allowed = false;
  }
  return lines;
}

namespace {

// A line of a text and the line break behind it (none for a last line without one); the
// breaks are those the engine's line splitting knows.
struct TTextLine {
  std::wstring Text;
  std::wstring Break;
};

std::vector<TTextLine> LinesWithBreaks(const std::wstring& text) {
  std::vector<TTextLine> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c != L'\r' && c != L'\n' && c != L'\u2028') continue;
    const size_t breakLength = c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n' ? 2 : 1;
    lines.push_back({text.substr(start, i - start), text.substr(i, breakLength)});
    i += breakLength - 1;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back({text.substr(start), std::wstring()});
  return lines;
}

}  // namespace

std::wstring EmptyLinesToPageNumbersInText(const std::wstring& text, const std::wstring& firstPage, bool textBetween) {
  const std::vector<TTextLine> lines = LinesWithBreaks(text);
  std::vector<std::wstring> texts;
  for (const TTextLine& line : lines) texts.push_back(line.Text);
  texts = EmptyLinesToPageNumbers(std::move(texts), firstPage, textBetween);
  std::wstring result;
  for (size_t i = 0; i < lines.size(); ++i) result += texts[i] + lines[i].Break;
  return result;
}

std::wstring MarkersToPageNumbers(const std::wstring& text, const std::wstring& marker, const std::wstring& firstPage,
                                  const std::wstring& before, const std::wstring& after) {
  if (marker.empty()) return text;
  long long page = IntegerValueOr(firstPage, 1);
  std::wstring result;
  size_t from = 0;
  for (size_t at; (at = text.find(marker, from)) != std::wstring::npos; from = at + marker.size()) {
    result.append(text, from, at - from);
    result += before + std::to_wstring(page++) + after;
  }
  result.append(text, from, std::wstring::npos);
  return result;
}
