// Page numbers written into a text: in place of empty lines, at a place in a line, or in place
// of a marker text, so that page-number detection finds them later.
#pragma once

#include <string>
#include <vector>

// "#NL" in a setting stands for a line break.
std::wstring ExpandLineBreaks(const std::wstring& setting);

// Every empty line becomes the next page number, counted from `firstPage` (1 when it is no
// integer). With `textBetween`, an empty line right after a page number (no text line between)
// stays empty.
std::vector<std::wstring> EmptyLinesToPageNumbers(std::vector<std::wstring> lines, const std::wstring& firstPage,
                                                  bool textBetween);

// The same on a whole text: only the empty lines change, every line break stays as it was, the
// text's end included (a text that ends without a line break gets none).
std::wstring EmptyLinesToPageNumbersInText(const std::wstring& text, const std::wstring& firstPage, bool textBetween);

// Every occurrence of `marker`, from the start of the text and never in inserted text, becomes
// before + page + after, the pages counted from `firstPage` (1 when it is no integer). An empty
// marker changes nothing.
std::wstring MarkersToPageNumbers(const std::wstring& text, const std::wstring& marker, const std::wstring& firstPage,
                                  const std::wstring& before, const std::wstring& after);
