#include "engine/u_PageNumbers.h"

#include <algorithm>

#include "engine/u_WideFunc.h"
#include "engine/u_funktionen.h"

namespace {

void RemoveAll(std::wstring& text, const std::wstring& what) {
  if (what.empty()) return;
  std::wstring result;
  size_t start = 0;
  for (size_t found; (found = text.find(what, start)) != std::wstring::npos; start = found + what.size())
    result.append(text, start, found - start);
  result.append(text, start, std::wstring::npos);
  text = std::move(result);
}

void RemoveChar(std::wstring& text, wchar_t c) {
  text.erase(std::remove(text.begin(), text.end(), c), text.end());
}

std::wstring LabelOf(const std::wstring& line, const TPageNumberCriteria& criteria, long long offset) {
  std::wstring label = line;
  if (criteria.StartsWithMarker && (criteria.Marker.empty() || line.rfind(criteria.Marker, 0) != 0))
    label.clear();
  label = CleanPageLabel(label, criteria);
  if (criteria.OnlyNumbers && !IsIntegerStr(label)) label.clear();
  // Long labels and large offsets must not wrap around.
  if (criteria.AddOffset && IsIntegerStr(label))
    label = std::to_wstring(static_cast<long long>(IntegerValueOr(label, 0)) + offset);
  return label;
}

}  // namespace

std::wstring CleanPageLabel(const std::wstring& line, const TPageNumberCriteria& criteria) {
  std::wstring label = line;
  if (criteria.StartsWithMarker && criteria.RemoveMarker) RemoveAll(label, criteria.Marker);
  if (criteria.RemoveStandardChars) {
    RemoveChar(label, L' ');
    RemoveChar(label, L'-');
  }
  if (criteria.RemoveUserChars)
    for (wchar_t c : criteria.UserChars) RemoveChar(label, c);
  return label;
}

std::wstring MakePageNumberLine(const std::wstring& label, long long line) {
  return label + L" (" + std::to_wstring(line) + L")";
}

std::vector<std::wstring> FindPageNumbers(const std::vector<std::wstring>& lines,
                                          const TPageNumberCriteria& criteria) {
  const long long maxLength = IntegerValueOr(criteria.MaxLength, 5);
  const long long offset = criteria.AddOffset ? IntegerValueOr(criteria.Offset, 0) : 0;
  std::vector<std::wstring> found;
  for (size_t n = 0; n < lines.size(); ++n) {
    if (static_cast<long long>(lines[n].size()) >= maxLength) continue;
    std::wstring label = LabelOf(lines[n], criteria, offset);
    if (!label.empty()) found.push_back(MakePageNumberLine(label, static_cast<long long>(n)));
  }
  return found;
}

namespace {

std::wstring TrimControls(const std::wstring& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && text[begin] < 33) ++begin;
  while (end > begin && text[end - 1] < 33) --end;
  return text.substr(begin, end - begin);
}

// The test for the closing ")" comes before the trimming: a blank behind it drops the line.
bool IsPageNumberLineForm(const std::wstring& line) {
  return line.find(L" (") != std::wstring::npos && !line.empty() && line.find(L')') == line.size() - 1;
}

}  // namespace

std::vector<std::wstring> SortPageNumberLines(const std::vector<std::wstring>& lines) {
  TWideStrIntArray pairs;
  for (const std::wstring& line : lines) {
    if (!IsPageNumberLineForm(line)) continue;
    std::wstring text = TrimControls(line);
    RemoveChar(text, L')');
    TWideStrArray pieces;
    ExplodeW(L" (", text, pieces);
    if (pieces.size() >= 2 && IsIntegerStr(pieces[1])) pairs.push_back({pieces[0], IntegerValueOr(pieces[1], 0)});
  }
  if (!pairs.empty()) QuickSortWideStrIntArray(pairs, 0, static_cast<int>(pairs.size()) - 1);
  std::vector<std::wstring> sorted;
  sorted.reserve(pairs.size());
  for (const TWideStrIntItem& pair : pairs) sorted.push_back(MakePageNumberLine(pair.text, pair.number));
  return sorted;
}
