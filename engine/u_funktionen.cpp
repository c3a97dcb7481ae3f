#include "engine/u_funktionen.h"

#include <optional>

namespace {

int DigitValue(wchar_t c, int base) {
  int v = -1;
  if (c >= L'0' && c <= L'9') v = c - L'0';
  else if (c >= L'a' && c <= L'f') v = c - L'a' + 10;
  else if (c >= L'A' && c <= L'F') v = c - L'A' + 10;
  return v < base ? v : -1;
}

// Reads the whole text as an integer; decimal values must fit 32 signed bits,
// hexadecimal ones 32 unsigned bits (they wrap into the signed range).
template <typename Str>
std::optional<int32_t> ParseInteger(const Str& text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16, ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16, i += 2;
  } else if (i < text.size() && (text[i] == 'x' || text[i] == 'X')) {
    base = 16, ++i;
  }
  if (i >= text.size()) return std::nullopt;
  const uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  uint64_t value = 0;
  for (; i < text.size(); ++i) {
    int d = DigitValue(static_cast<wchar_t>(static_cast<std::make_unsigned_t<typename Str::value_type>>(text[i])), base);
    if (d < 0) return std::nullopt;
    value = value * base + d;
    if (value > limit) return std::nullopt;
  }
  uint32_t bits = static_cast<uint32_t>(value);
  if (negative) bits = 0u - bits;
  return static_cast<int32_t>(bits);
}

}  // namespace

bool IsIntegerStr(const std::string& text) { return ParseInteger(text).has_value(); }

bool IsIntegerStr(const std::wstring& text) { return ParseInteger(text).has_value(); }

int32_t IntegerValueOr(const std::wstring& text, int32_t fallback) {
  return ParseInteger(text).value_or(fallback);
}
