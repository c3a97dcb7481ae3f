#include "engine/u_funktionen.h"

#include "classlib/SysUtils.h"

namespace {

// Only 7-bit characters can be part of a number; others become "?", which is none.
std::string NarrowForNumber(const std::wstring& text) {
  std::string narrow(text.size(), '?');
  for (size_t i = 0; i < text.size(); ++i)
    if (text[i] < 0x80) narrow[i] = static_cast<char>(text[i]);
  return narrow;
}

}  // namespace

bool IsIntegerStr(const std::string& text) {
  int value = 0;
  return TryStrToInt(text, value);
}

bool IsIntegerStr(const std::wstring& text) { return IsIntegerStr(NarrowForNumber(text)); }

int32_t IntegerValueOr(const std::wstring& text, int32_t fallback) {
  return StrToIntDef(NarrowForNumber(text), fallback);
}
