// Small routines shared by many windows and by the index builders.
#pragma once

#include <cstdint>
#include <string>

// True when the text converts to a 32-bit integer by the class library's
// string-to-integer conversion (leading blanks, a sign, decimal digits or a
// hexadecimal number after "$" or "0x", and nothing behind).
bool IsIntegerStr(const std::string& text);
bool IsIntegerStr(const std::wstring& text);

// The integer value of the text, or fallback when IsIntegerStr is false.
int32_t IntegerValueOr(const std::wstring& text, int32_t fallback);
