#include "engine/u_PageNumberText.h"

#include <string_view>

#include "engine/u_IndexStore.h"
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

std::wstring EmptyLinesToPageNumbersInText(const std::wstring& text, const std::wstring& firstPage, bool textBetween) {
  std::vector<std::wstring> lines;
  std::vector<std::wstring_view> breaks;  // behind each line, as they stand in the text
  ForEachTextLine(text, [&](std::wstring_view line, std::wstring_view lineBreak) {
    lines.emplace_back(line);
    breaks.push_back(lineBreak);
  });
  lines = EmptyLinesToPageNumbers(std::move(lines), firstPage, textBetween);
  std::wstring result;
  for (size_t i = 0; i < lines.size(); ++i) result.append(lines[i]).append(breaks[i]);
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
