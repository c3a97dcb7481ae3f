#include "ucode/UCodeSystem.h"

#include "ucode/UCodeSysUtils.h"
#include "ucode/UCodeWindows.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace {

// ---- UTF-7 character classes (ASCII only)

constexpr char kBase64Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char kDirectChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789'(),-./:?";
constexpr char kOptionalDirectChars[] = "!\"#$%&*;<=>@[]^_`{|}";
constexpr char kBlankChars[] = "\t\r\n ";

struct Utf7Classes {
  std::array<signed char, 128> base64Value{};
  std::array<bool, 128> direct{};
};

Utf7Classes BuildUtf7Classes() {
  Utf7Classes classes;
  classes.base64Value.fill(-1);
  for (int i = 0; kBase64Alphabet[i]; ++i) classes.base64Value[static_cast<unsigned char>(kBase64Alphabet[i])] = static_cast<signed char>(i);
  for (const char* set : {kDirectChars, kOptionalDirectChars, kBlankChars})
    for (const char* c = set; *c; ++c) classes.direct[static_cast<unsigned char>(*c)] = true;
  return classes;
}

const Utf7Classes& Utf7() {
  static const Utf7Classes classes = BuildUtf7Classes();
  return classes;
}

int Base64Value(unsigned c) { return c < 128 ? Utf7().base64Value[c] : -1; }

bool NeedsShift(wchar_t c) { return c > 0x7F || !Utf7().direct[c]; }

// Pads the open bits of a base64 run with zeros to a whole character and writes it.
void FlushBase64(std::string& out, std::uint32_t& bits, int& bitCount) {
  if (bitCount > 0) out += kBase64Alphabet[(bits << (6 - bitCount)) & 63];
  bits = 0;
  bitCount = 0;
}

void AddBase64Unit(std::string& out, wchar_t unit, std::uint32_t& bits, int& bitCount) {
  bits = (bits << 16) | unit;
  bitCount += 16;
  while (bitCount >= 6) {
    bitCount -= 6;
    out += kBase64Alphabet[(bits >> bitCount) & 63];
  }
  bits &= (1u << bitCount) - 1;
}

// Decodes one base64 run starting at position (behind its "+"); false when the run is malformed.
bool DecodeUtf7Run(const std::string& bytes, size_t& position, std::wstring& out) {
  std::uint32_t bits = 0;
  int bitCount = 0;
  bool gaveCharacter = false;
  while (position < bytes.size()) {
    int value = Base64Value(static_cast<unsigned char>(bytes[position]));
    if (value < 0) break;
    bits = (bits << 6) | static_cast<std::uint32_t>(value);
    bitCount += 6;
    if (bitCount >= 16) {
      bitCount -= 16;
      out += static_cast<wchar_t>((bits >> bitCount) & 0xFFFF);
      gaveCharacter = true;
    }
    bits &= (1u << bitCount) - 1;
    ++position;
  }
  bool closedByMinus = position < bytes.size() && bytes[position] == '-';
  if (closedByMinus) ++position;
  if (!gaveCharacter && bitCount == 0 && closedByMinus) {
    out += L'+';  // "+-" stands for the plus sign
    return true;
  }
  return gaveCharacter && bits == 0;
}

// ---- UTF-8

void AppendUtf8(std::string& out, std::uint32_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

struct Utf8Lead {
  int trailing;             // continuation bytes that follow
  std::uint32_t value;      // the lead byte's payload
  std::uint32_t smallest;   // smallest value the sequence may carry (shorter forms are overlong)
};

// False for bytes that cannot open a sequence (continuation bytes, C0, C1, F5..FF).
bool ReadUtf8Lead(unsigned char byte, Utf8Lead& lead) {
  if (byte >= 0xC2 && byte <= 0xDF) lead = {1, byte & 0x1Fu, 0x80};
  else if (byte >= 0xE0 && byte <= 0xEF) lead = {2, byte & 0x0Fu, 0x800};
  else if (byte >= 0xF0 && byte <= 0xF4) lead = {3, byte & 0x07u, 0x10000};
  else return false;
  return true;
}

std::wstring ConvertFromCodePage(const std::string& text, UINT codePage) {
  if (text.empty()) return std::wstring();
  int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring result(static_cast<size_t>(length), L'\0');
  if (length > 0)
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), result.data(), length);
  return result;
}

std::string ConvertToCodePage(const std::wstring& text, UINT codePage) {
  if (text.empty()) return std::string();
  int length = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(length), '\0');
  if (length > 0)
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), result.data(), length, nullptr, nullptr);
  return result;
}

constexpr UINT kCodePageUTF7 = 65000;
constexpr UINT kCodePageUTF8 = 65001;

}  // namespace

UINT DefaultSystemCodePage() {
  static const UINT codePage = GetACP();
  return codePage;
}

// ---- Command line

std::wstring WideGetParamStr(const std::wstring& commandLine, size_t& position) {
  const size_t length = commandLine.size();
  auto at = [&](size_t i) { return i < length ? commandLine[i] : L'\0'; };
  for (;;) {
    while (at(position) >= 0x0001 && at(position) <= 0x0020) ++position;
    if (at(position) != L'"' || at(position + 1) != L'"') break;
    position += 2;  // an empty quoted parameter counts for nothing
  }
  std::wstring parameter;
  while (at(position) > 0x0020) {
    if (at(position) == L'"') {
      ++position;
      while (position < length && commandLine[position] != L'"') parameter += commandLine[position++];
      if (position < length) ++position;
    } else {
      parameter += commandLine[position++];
    }
  }
  return parameter;
}

std::wstring WideParamStr(int index) {
  if (index == 0) return WideGetModuleFileName(nullptr);
  if (index < 0) return std::wstring();
  const std::wstring commandLine = GetCommandLineW();
  size_t position = 0;
  std::wstring parameter;
  for (int i = 0; i <= index; ++i) {
    parameter = WideGetParamStr(commandLine, position);
    if (parameter.empty()) return parameter;
  }
  return parameter;
}

// ---- UTF-8

std::string UCodeUTF8Encode(const std::wstring& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    wchar_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      AppendUtf8(out, 0x10000 + ((static_cast<std::uint32_t>(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      AppendUtf8(out, 0xFFFD);
    } else {
      AppendUtf8(out, c);
    }
  }
  return out;
}

bool UCodeUTF8DecodeInto(const char* bytes, size_t size, std::wstring& out) {
  // Never more units than bytes: the text is written straight into its room, then cut.
  out.resize(size);
  wchar_t* to = out.data();
  const unsigned char* at = reinterpret_cast<const unsigned char*>(bytes);
  const unsigned char* const end = at + size;
  auto refuse = [&out] {
    out.clear();
    return false;
  };
  while (at < end) {
    // Runs of ASCII, four bytes at a time.
    while (end - at >= 4) {
      std::uint32_t four;
      std::memcpy(&four, at, 4);
      if (four & 0x80808080u) break;
      to[0] = at[0];
      to[1] = at[1];
      to[2] = at[2];
      to[3] = at[3];
      to += 4;
      at += 4;
    }
    if (at == end) break;
    const unsigned char byte = *at++;
    if (byte < 0x80) {
      *to++ = byte;
      continue;
    }
    Utf8Lead lead{};
    if (!ReadUtf8Lead(byte, lead) || end - at < lead.trailing) return refuse();
    std::uint32_t value = lead.value;
    for (int k = 0; k < lead.trailing; ++k) {
      const unsigned char next = *at++;
      if ((next & 0xC0) != 0x80) return refuse();
      value = (value << 6) | (next & 0x3Fu);
    }
    if (value < lead.smallest || value > 0x10FFFF) return refuse();
    if (value >= 0x10000) {
      *to++ = static_cast<wchar_t>(0xD800 + ((value - 0x10000) >> 10));
      *to++ = static_cast<wchar_t>(0xDC00 + ((value - 0x10000) & 0x3FF));
    } else {
      *to++ = static_cast<wchar_t>(value);  // surrogates in 3-byte form pass through as they stand
    }
  }
  out.resize(static_cast<size_t>(to - out.data()));
  return true;
}

bool UCodeIsUTF8(const char* bytes, size_t size) {
  const unsigned char* at = reinterpret_cast<const unsigned char*>(bytes);
  const unsigned char* const end = at + size;
  while (at < end) {
    while (end - at >= 4) {
      std::uint32_t four;
      std::memcpy(&four, at, 4);
      if (four & 0x80808080u) break;
      at += 4;
    }
    if (at == end) break;
    const unsigned char byte = *at++;
    if (byte < 0x80) continue;
    Utf8Lead lead{};
    if (!ReadUtf8Lead(byte, lead) || end - at < lead.trailing) return false;
    std::uint32_t value = lead.value;
    for (int k = 0; k < lead.trailing; ++k) {
      const unsigned char next = *at++;
      if ((next & 0xC0) != 0x80) return false;
      value = (value << 6) | (next & 0x3Fu);
    }
    if (value < lead.smallest || value > 0x10FFFF) return false;
  }
  return true;
}

std::wstring UCodeUTF8Decode(const std::string& bytes) {
  std::wstring out;
  UCodeUTF8DecodeInto(bytes.data(), bytes.size(), out);
  return out;
}

// ---- UTF-7

std::string WideStringToUTF7(const std::wstring& text) {
  std::string out;
  out.reserve(text.size() * 2);
  bool inRun = false;
  std::uint32_t bits = 0;
  int bitCount = 0;
  for (wchar_t c : text) {
    const bool shift = NeedsShift(c);
    if (!inRun && shift) {
      out += '+';
      if (c == L'+') {
        out += '-';
        continue;
      }
      inRun = true;
    }
    if (inRun && shift) {
      AddBase64Unit(out, c, bits, bitCount);
      continue;
    }
    if (inRun) {
      FlushBase64(out, bits, bitCount);
      inRun = false;
      if (Base64Value(c) >= 0 || c == L'-') out += '-';
    }
    out += static_cast<char>(c);
  }
  if (inRun) FlushBase64(out, bits, bitCount);
  return out;
}

std::wstring UTF7ToWideString(const std::string& bytes) {
  std::wstring out;
  out.reserve(bytes.size());
  bool valid = true;
  for (size_t i = 0; i < bytes.size();) {
    unsigned char byte = static_cast<unsigned char>(bytes[i++]);
    if (byte == '+') {
      if (!DecodeUtf7Run(bytes, i, out)) valid = false;
    } else {
      if (byte > 0x7F) valid = false;
      out += static_cast<wchar_t>(byte);
    }
  }
  if (!valid) throw EUCodeGeneralError("Invalid UTF7");
  return out;
}

// ---- Code pages

std::wstring StringToWideStringEx(const std::string& text, UINT codePage) {
  if (codePage == kCodePageUTF7) return UTF7ToWideString(text);
  if (codePage == kCodePageUTF8) return UCodeUTF8Decode(text);
  return ConvertFromCodePage(text, codePage);
}

std::string WideStringToStringEx(const std::wstring& text, UINT codePage) {
  if (codePage == kCodePageUTF7) return WideStringToUTF7(text);
  if (codePage == kCodePageUTF8) return UCodeUTF8Encode(text);
  return ConvertToCodePage(text, codePage);
}

UINT LCIDToCodePage(LCID locale) {
  int length = GetLocaleInfoW(locale, LOCALE_IDEFAULTANSICODEPAGE, nullptr, 0);
  if (length > 0) {
    std::wstring value(static_cast<size_t>(length), L'\0');
    if (GetLocaleInfoW(locale, LOCALE_IDEFAULTANSICODEPAGE, value.data(), length) > 0) {
      try {
        return static_cast<UINT>(std::stoul(value));
      } catch (const std::exception&) {
        // not a number: fall back to the system's code page
      }
    }
  }
  return DefaultSystemCodePage();
}

UINT KeyboardCodePage() {
  HKL layout = GetKeyboardLayout(0);
  return LCIDToCodePage(static_cast<LCID>(reinterpret_cast<std::uintptr_t>(layout) & 0xFFFF));
}

wchar_t KeyUnicode(unsigned code) {
  if (code >= 256) return static_cast<wchar_t>(code);
  char byte = static_cast<char>(code);
  wchar_t result = 0;
  if (MultiByteToWideChar(KeyboardCodePage(), MB_USEGLYPHCHARS, &byte, 1, &result, 1) != 1)
    return static_cast<wchar_t>(code);
  return result;
}

void StrSwapByteOrder(wchar_t* units, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    auto unit = static_cast<std::uint16_t>(units[i]);
    units[i] = static_cast<wchar_t>((unit >> 8) | (unit << 8));
  }
}

void StrSwapByteOrder(std::wstring& text) { StrSwapByteOrder(text.data(), text.size()); }
