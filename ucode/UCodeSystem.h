// The lowest routines of the Unicode layer: the wide command line, the UTF-8 and UTF-7 codecs,
// conversion between 8-bit text of a code page and wide text, the keyboard's code page and an
// in-place byte swap of UTF-16 text.
#pragma once

#include "classlib/WinApi.h"
#include "classlib/SysUtils.h"

#include <cstddef>
#include <string>

// Bad input handed to the Unicode layer ("Invalid UTF7").
class EUCodeGeneralError : public Exception {
 public:
  using Exception::Exception;
};

// A failure inside the Unicode layer; texts begin "Internal Error:" or "UCode Internal Error:".
class EUCodeInternalError : public Exception {
 public:
  using Exception::Exception;
};

// The system ANSI code page, recorded at start-up.
UINT DefaultSystemCodePage();

// ---- Command line
// Parameter n as wide text (0 = the program's file name); empty when there are fewer.
std::wstring WideParamStr(int index);
// One parameter parsed from the command line at position; position moves behind it.
std::wstring WideGetParamStr(const std::wstring& commandLine, size_t& position);

// ---- UTF-8
// A surrogate pair becomes one 4-byte sequence, a lone surrogate U+FFFD (EF BF BD).
std::string UCodeUTF8Encode(const std::wstring& text);
// Empty when the bytes are not UTF-8. Besides standard UTF-8 it accepts surrogates written as
// 3-byte sequences each (as older files hold them).
std::wstring UCodeUTF8Decode(const std::string& bytes);
// The same into out (its room kept from call to call); false, with out empty, when the bytes
// are not UTF-8.
bool UCodeUTF8DecodeInto(const char* bytes, size_t size, std::wstring& out);
// Whether UCodeUTF8Decode decodes the bytes, without decoding them.
bool UCodeIsUTF8(const char* bytes, size_t size);

// ---- UTF-7 (optionally direct characters written directly; "-" only where needed)
std::string WideStringToUTF7(const std::wstring& text);
// Raises EUCodeGeneralError "Invalid UTF7" for malformed input.
std::wstring UTF7ToWideString(const std::string& bytes);

// ---- Code pages (65000 = UTF-7, 65001 = UTF-8, 0 = the system ANSI code page)
std::wstring StringToWideStringEx(const std::string& text, UINT codePage);
std::string WideStringToStringEx(const std::wstring& text, UINT codePage);
// The default ANSI code page of a locale; the system's when the locale has none.
UINT LCIDToCodePage(LCID locale);
// Code page of the current keyboard layout.
UINT KeyboardCodePage();
// The wide character a key's character code stands for on the current keyboard.
wchar_t KeyUnicode(unsigned code);

// Exchanges the two bytes of every unit, the whole length (zero units included).
void StrSwapByteOrder(wchar_t* units, size_t count);
void StrSwapByteOrder(std::wstring& text);
