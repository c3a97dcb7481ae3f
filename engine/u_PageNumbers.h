// Page-number detection: finds the short lines of a source text that carry a page
// label and lists them as page-number lines "label (line number)".
#pragma once

#include <string>
#include <vector>

// The criteria of the page-number criteria window.
struct TPageNumberCriteria {
  std::wstring MaxLength = L"5";          // lines shorter than this are examined
  bool StartsWithMarker = false;           // only lines that begin with Marker
  std::wstring Marker;
  bool RemoveMarker = true;                // with StartsWithMarker: cut Marker from the label
  bool RemoveStandardChars = true;         // cut blanks and "-"
  bool RemoveUserChars = false;            // cut each character of UserChars
  std::wstring UserChars = L"- ( ) [ ]";
  bool OnlyNumbers = true;                 // labels must be integers
  bool AddOffset = false;                  // raise integer labels by Offset
  std::wstring Offset = L"1";
};

// The label cleaned by the criteria: marker, standard and user-defined characters removed.
std::wstring CleanPageLabel(const std::wstring& line, const TPageNumberCriteria& criteria);

// The page-number lines found in the source lines (line numbers count from 0).
std::vector<std::wstring> FindPageNumbers(const std::vector<std::wstring>& lines,
                                          const TPageNumberCriteria& criteria);

// "label (line)"
std::wstring MakePageNumberLine(const std::wstring& label, long long line);

// The page-number lines sorted by their line number, ascending. A line takes part when it holds
// " (" and its first ")" is its last character; it is then trimmed, its ")" removed and split at
// " (": a line whose second piece is an integer becomes "label (number)", every other line is
// dropped. Lines with equal numbers keep no particular order.
std::vector<std::wstring> SortPageNumberLines(const std::vector<std::wstring>& lines);
