// The markup of a text replaced by word separators, as the tag stripping of the file and keyword
// indexes does it before the words are read.
#pragma once

#include <cstdint>
#include <string>

// The text as passes over it leave it, one pass at a time while it holds both a "<" and a ">":
// when its first ">" stands before its first "<", that ">" alone becomes " . "; otherwise the tag
// from the first "<" to the first ">" after it becomes " . ", and so does every other occurrence
// of the same tag text in the text as it is at that moment, left to right. Character references
// are left as they are. Time linear in the text.
std::wstring ReplaceTagsWithSeparators(const std::wstring& text);
// The same with the point at which texts are read as polynomials given, where a test needs texts
// that share fingerprints: at 1, every two texts of the same characters in any order do.
std::wstring ReplaceTagsWithSeparators(const std::wstring& text, uint64_t fingerprintPoint);
