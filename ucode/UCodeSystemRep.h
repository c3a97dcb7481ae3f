// The codec routines under the names by which the engine's text-file reader and writer call them.
#pragma once

#include "ucode/UCodeSystem.h"

inline std::string RepUTF8Encode(const std::wstring& text) { return UCodeUTF8Encode(text); }
inline std::wstring RepUTF8Decode(const std::string& bytes) { return UCodeUTF8Decode(bytes); }
inline std::string RepWideStringToUTF7(const std::wstring& text) { return WideStringToUTF7(text); }
inline std::wstring RepUTF7ToWideString(const std::string& bytes) { return UTF7ToWideString(bytes); }
inline std::string RepWideStringToStringEx(const std::wstring& text, UINT codePage) {
  return WideStringToStringEx(text, codePage);
}
inline void RepStrSwapByteOrder(std::wstring& text) { StrSwapByteOrder(text); }
