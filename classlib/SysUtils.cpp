#include "classlib/SysUtils.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

void Abort() { throw EAbort("Operation aborted"); }

// ---------------------------------------------------------------------------------------------
// Locale settings

namespace {

std::string LocaleText(LCTYPE type, const std::string& fallback) {
  int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, nullptr, 0);
  if (length <= 1) return fallback;
  std::string text(length, '\0');
  GetLocaleInfoA(LOCALE_USER_DEFAULT, type, text.data(), length);
  text.resize(length - 1);
  return text;
}

char LocaleChar(LCTYPE type, char fallback) {
  std::string text = LocaleText(type, "");
  return text.empty() ? fallback : text[0];
}

// The locale's date picture in our pattern letters: months are "m".
std::string DatePattern(std::string picture) {
  for (char& c : picture)
    if (c == 'M') c = 'm';
  return picture;
}

// The locale's time picture in our pattern letters: minutes are "n", hours "h", the 12-hour
// day half "AM/PM".
std::string TimePattern(const std::string& picture) {
  std::string pattern;
  for (size_t i = 0; i < picture.size(); ++i) {
    char c = picture[i];
    if (c == 't') {
      while (i + 1 < picture.size() && picture[i + 1] == 't') ++i;
      pattern += "AM/PM";
    } else {
      pattern += c == 'm' ? 'n' : (c == 'H' ? 'h' : c);
    }
  }
  return pattern;
}

TFormatSettings ReadLocaleSettings() {
  TFormatSettings settings;
  settings.DecimalSeparator = LocaleChar(LOCALE_SDECIMAL, '.');
  settings.ThousandSeparator = LocaleChar(LOCALE_STHOUSAND, ',');
  settings.DateSeparator = LocaleChar(LOCALE_SDATE, '/');
  settings.TimeSeparator = LocaleChar(LOCALE_STIME, ':');
  settings.ShortDateFormat = DatePattern(LocaleText(LOCALE_SSHORTDATE, "dd/MM/yyyy"));
  settings.LongTimeFormat = TimePattern(LocaleText(LOCALE_STIMEFORMAT, "HH:mm:ss"));
  return settings;
}

}  // namespace

TFormatSettings& FormatSettings() {
  static TFormatSettings settings = ReadLocaleSettings();
  return settings;
}

// ---------------------------------------------------------------------------------------------
// Integers

std::string IntToStr(long long value) { return std::to_string(value); }

std::string IntToHex(long long value, int digits) {
  static const char kHex[] = "0123456789ABCDEF";
  unsigned long long bits = static_cast<unsigned long long>(value);
  // A negative 32-bit value shows as its 32-bit pattern, as the class library's integer does.
  if (value < 0 && value >= INT_MIN) bits &= 0xFFFFFFFFull;
  std::string text;
  do {
    text.insert(text.begin(), kHex[bits & 15]);
    bits >>= 4;
  } while (bits != 0);
  if (static_cast<int>(text.size()) < digits) text.insert(0, digits - text.size(), '0');
  return text;
}

namespace {

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

// Parses a whole integer text; hexadecimal values may fill all 64 bits (or 32 with limit32).
bool ParseInteger(const std::string& text, long long& result, bool limit32) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) return false;
  const unsigned long long limit = base == 16 ? (limit32 ? 0xFFFFFFFFull : ~0ull)
                                              : (limit32 ? 0x80000000ull : 0x8000000000000000ull);
  unsigned long long value = 0;
  for (; i < text.size(); ++i) {
    int digit = DigitValue(text[i]);
    if (digit >= base) return false;
    if (value > (limit - digit) / base) return false;
    value = value * base + digit;
  }
  if (base == 10 && !negative && value == limit) return false;
  if (base == 16 && limit32) value = static_cast<unsigned long long>(static_cast<long long>(static_cast<int>(value)));
  long long signedValue = static_cast<long long>(value);
  result = negative ? -signedValue : signedValue;
  return true;
}

}  // namespace

bool TryStrToInt(const std::string& text, int& value) {
  long long parsed = 0;
  if (!ParseInteger(text, parsed, true)) return false;
  value = static_cast<int>(parsed);
  return true;
}

int StrToInt(const std::string& text) {
  int value = 0;
  if (!TryStrToInt(text, value)) throw EConvertError(Format(SInvalidInteger, text));
  return value;
}

int StrToIntDef(const std::string& text, int defaultValue) {
  int value = 0;
  return TryStrToInt(text, value) ? value : defaultValue;
}

bool TryStrToInt64(const std::string& text, long long& value) { return ParseInteger(text, value, false); }

long long StrToInt64(const std::string& text) {
  long long value = 0;
  if (!TryStrToInt64(text, value)) throw EConvertError(Format(SInvalidInteger, text));
  return value;
}

// ---------------------------------------------------------------------------------------------
// Floating point

bool TryStrToFloat(const std::string& text, double& value) {
  std::string trimmed = Trim(text);
  if (trimmed.empty()) return false;
  const char separator = FormatSettings().DecimalSeparator;
  std::string c;
  for (char ch : trimmed) {
    if (ch == separator) c += '.';
    else if (ch == '.' || std::isspace(static_cast<unsigned char>(ch))) return false;
    else c += ch;
  }
  // Only plain decimal numbers with an optional exponent; no hexadecimal, no "inf" or "nan".
  for (char ch : c)
    if (!std::isdigit(static_cast<unsigned char>(ch)) && std::string("+-.eE").find(ch) == std::string::npos)
      return false;
  char* end = nullptr;
  double parsed = std::strtod(c.c_str(), &end);
  if (end != c.c_str() + c.size()) return false;
  value = parsed;
  return true;
}

double StrToFloat(const std::string& text) {
  double value = 0;
  if (!TryStrToFloat(text, value)) throw EConvertError(Format(SInvalidFloat, text));
  return value;
}

namespace {

std::string Printf(const char* format, int precision, double value) {
  int length = std::snprintf(nullptr, 0, format, precision, value);
  std::string text(length + 1, '\0');
  std::snprintf(text.data(), text.size(), format, precision, value);
  text.resize(length);
  return text;
}

// Rounds half away from zero, as the class library's number formatting does.
double RoundDecimals(double value, int decimals) {
  if (decimals < -300 || decimals > 300) return value;
  const double scale = std::pow(10.0, decimals);
  const double scaled = value * scale;
  if (std::fabs(scaled) >= 1e17 || !std::isfinite(scaled)) return value;
  return std::round(scaled) / scale;
}

// Rounds to the given number of significant digits (1..18).
double RoundSignificant(double value, int precision) {
  if (value == 0 || !std::isfinite(value)) return value;
  precision = std::clamp(precision, 1, 18);
  const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
  return RoundDecimals(value, precision - 1 - exponent);
}

std::string LocalDecimal(std::string text) {
  for (char& c : text)
    if (c == '.') c = FormatSettings().DecimalSeparator;
  return text;
}

// Inserts the thousands separator into the integer part of a plain number text.
std::string GroupThousands(const std::string& text) {
  size_t start = (!text.empty() && text[0] == '-') ? 1 : 0;
  size_t end = start;
  while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
  std::string result = text.substr(0, start);
  for (size_t i = start; i < end; ++i) {
    result += text[i];
    size_t left = end - i - 1;
    if (left > 0 && left % 3 == 0) result += FormatSettings().ThousandSeparator;
  }
  return result + text.substr(end);
}

// "1.5E+003" style: the exponent with a sign and at least minDigits digits.
std::string ExponentText(double value, int precision, int minDigits, bool plusSign) {
  std::string text = Printf("%.*E", std::clamp(precision, 1, 18) - 1, RoundSignificant(value, precision));
  size_t e = text.find('E');
  int exponent = std::atoi(text.c_str() + e + 1);
  std::string digits = std::to_string(std::abs(exponent));
  if (static_cast<int>(digits.size()) < minDigits) digits.insert(0, minDigits - digits.size(), '0');
  std::string sign = exponent < 0 ? "-" : (plusSign ? "+" : "");
  return LocalDecimal(text.substr(0, e)) + "E" + sign + digits;
}

std::string GeneralText(double value, int precision) {
  precision = std::clamp(precision, 1, 15);
  if (value == 0) return "0";
  double rounded = RoundSignificant(value, precision);
  int exponent = static_cast<int>(std::floor(std::log10(std::fabs(rounded))));
  if (exponent >= precision || exponent < -5) {
    std::string text = ExponentText(rounded, precision, 0, false);
    size_t e = text.find('E');
    std::string mantissa = text.substr(0, e);
    if (mantissa.find(FormatSettings().DecimalSeparator) != std::string::npos) {
      while (mantissa.back() == '0') mantissa.pop_back();
      if (mantissa.back() == FormatSettings().DecimalSeparator) mantissa.pop_back();
    }
    return mantissa + text.substr(e);
  }
  std::string text = Printf("%.*f", std::max(0, precision - 1 - exponent), rounded);
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  return LocalDecimal(text);
}

}  // namespace

std::string FloatToStr(double value) { return GeneralText(value, 15); }

std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits) {
  switch (format) {
    case ffGeneral:
      return GeneralText(value, precision);
    case ffExponent:
      return ExponentText(value, precision, std::clamp(digits, 0, 4), true);
    case ffFixed:
    case ffNumber: {
      digits = std::clamp(digits, 0, 18);
      double rounded = RoundDecimals(RoundSignificant(value, precision), digits);
      std::string text = LocalDecimal(Printf("%.*f", digits, rounded));
      return format == ffNumber ? GroupThousands(text) : text;
    }
  }
  return GeneralText(value, precision);
}

namespace {

struct TFloatPattern {
  std::string prefix, suffix;
  int minInteger = 0, minDecimals = 0, maxDecimals = 0;
  bool thousands = false, scientific = false, exponentPlus = false;
  int exponentDigits = 0;
};

TFloatPattern ParseFloatPattern(const std::string& section) {
  TFloatPattern p;
  bool inNumber = false, afterNumber = false, afterPoint = false;
  for (size_t i = 0; i < section.size(); ++i) {
    char c = section[i];
    if (c == '"' || c == '\'') {
      size_t close = section.find(c, i + 1);
      if (close == std::string::npos) close = section.size();
      (inNumber || afterNumber ? p.suffix : p.prefix) += section.substr(i + 1, close - i - 1);
      if (inNumber) afterNumber = true, inNumber = false;
      i = close;
    } else if ((c == '0' || c == '#' || c == ',' || c == '.') && !afterNumber) {
      inNumber = true;
      if (c == '.') afterPoint = true;
      else if (c == ',') p.thousands = true;
      else if (afterPoint) {
        ++p.maxDecimals;
        if (c == '0') p.minDecimals = p.maxDecimals;
      } else if (c == '0') ++p.minInteger;
    } else if ((c == 'E' || c == 'e') && inNumber && i + 1 < section.size() &&
               (section[i + 1] == '+' || section[i + 1] == '-')) {
      p.scientific = true;
      p.exponentPlus = section[++i] == '+';
      while (i + 1 < section.size() && section[i + 1] == '0') ++p.exponentDigits, ++i;
    } else {
      if (inNumber) afterNumber = true, inNumber = false;
      (afterNumber ? p.suffix : p.prefix) += c;
    }
  }
  return p;
}

std::string FixedByPattern(const TFloatPattern& p, double value) {
  std::string text = Printf("%.*f", p.maxDecimals, RoundDecimals(std::fabs(value), p.maxDecimals));
  size_t point = text.find('.');
  std::string integer = text.substr(0, point);
  std::string decimals = point == std::string::npos ? "" : text.substr(point + 1);
  while (static_cast<int>(decimals.size()) > p.minDecimals && decimals.back() == '0') decimals.pop_back();
  if (integer == "0" && p.minInteger == 0) integer.clear();
  if (static_cast<int>(integer.size()) < p.minInteger) integer.insert(0, p.minInteger - integer.size(), '0');
  if (p.thousands) integer = GroupThousands(integer);
  return decimals.empty() ? integer : integer + FormatSettings().DecimalSeparator + decimals;
}

std::string ScientificByPattern(const TFloatPattern& p, double value) {
  int exponent = value == 0 ? 0 : static_cast<int>(std::floor(std::log10(std::fabs(value))));
  int integerDigits = std::max(1, p.minInteger);
  exponent -= integerDigits - 1;
  double mantissa = std::fabs(value) / std::pow(10.0, exponent);
  TFloatPattern plain = p;
  plain.thousands = false;
  std::string text = FixedByPattern(plain, mantissa);
  std::string digits = std::to_string(std::abs(exponent));
  if (static_cast<int>(digits.size()) < p.exponentDigits) digits.insert(0, p.exponentDigits - digits.size(), '0');
  return text + "E" + (exponent < 0 ? "-" : (p.exponentPlus ? "+" : "")) + digits;
}

std::vector<std::string> SplitSections(const std::string& pattern) {
  std::vector<std::string> sections(1);
  char quote = 0;
  for (char c : pattern) {
    if (quote) quote = c == quote ? 0 : quote;
    else if (c == '"' || c == '\'') quote = c;
    else if (c == ';') {
      sections.emplace_back();
      continue;
    }
    sections.back() += c;
  }
  return sections;
}

}  // namespace

std::string FormatFloat(const std::string& pattern, double value) {
  if (pattern.empty()) return FloatToStr(value);
  std::vector<std::string> sections = SplitSections(pattern);
  std::string section = sections[0];
  bool signShown = false;
  if (value < 0 && sections.size() > 1 && !sections[1].empty()) section = sections[1], signShown = true;
  if (value == 0 && sections.size() > 2 && !sections[2].empty()) section = sections[2];
  TFloatPattern p = ParseFloatPattern(section);
  std::string number = p.scientific ? ScientificByPattern(p, value) : FixedByPattern(p, value);
  bool showsNonZero = number.find_first_of("123456789") != std::string::npos;
  std::string sign = value < 0 && !signShown && showsNonZero ? "-" : "";
  return sign + p.prefix + number + p.suffix;
}

// ---------------------------------------------------------------------------------------------
// Text

std::string TrimLeft(const std::string& text) {
  size_t start = 0;
  while (start < text.size() && static_cast<unsigned char>(text[start]) <= ' ') ++start;
  return text.substr(start);
}

std::string TrimRight(const std::string& text) {
  size_t end = text.size();
  while (end > 0 && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
  return text.substr(0, end);
}

std::string Trim(const std::string& text) { return TrimLeft(TrimRight(text)); }

std::string UpperCase(const std::string& text) {
  std::string result = text;
  for (char& c : result)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return result;
}

std::string LowerCase(const std::string& text) {
  std::string result = text;
  for (char& c : result)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return result;
}

std::string AnsiUpperCase(const std::string& text) {
  std::string result = text;
  if (!result.empty()) CharUpperBuffA(result.data(), static_cast<DWORD>(result.size()));
  return result;
}

std::string AnsiLowerCase(const std::string& text) {
  std::string result = text;
  if (!result.empty()) CharLowerBuffA(result.data(), static_cast<DWORD>(result.size()));
  return result;
}

int CompareStr(const std::string& a, const std::string& b) {
  return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

int CompareText(const std::string& a, const std::string& b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'a' && x <= 'z') x -= 32;
    if (y >= 'a' && y <= 'z') y -= 32;
    if (x != y) return x - y;
  }
  return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

bool SameText(const std::string& a, const std::string& b) { return CompareText(a, b) == 0; }

namespace {
int CollateAnsi(const std::string& a, const std::string& b, DWORD flags) {
  return CompareStringA(LOCALE_USER_DEFAULT, flags, a.data(), static_cast<int>(a.size()), b.data(),
                        static_cast<int>(b.size())) - CSTR_EQUAL;
}
}  // namespace

int AnsiCompareStr(const std::string& a, const std::string& b) { return CollateAnsi(a, b, 0); }
int AnsiCompareText(const std::string& a, const std::string& b) { return CollateAnsi(a, b, NORM_IGNORECASE); }
bool AnsiSameText(const std::string& a, const std::string& b) { return AnsiCompareText(a, b) == 0; }

std::string AnsiQuotedStr(const std::string& text, char quote) { return QuoteText(text, quote); }

std::string QuotedStr(const std::string& text) { return QuoteText(text, '\''); }

std::string AnsiExtractQuotedStr(const std::string& text, size_t& pos, char quote) {
  return ExtractQuotedText(text, pos, quote);
}

std::string StringReplace(const std::string& text, const std::string& oldPattern,
                          const std::string& newPattern, unsigned flags) {
  if (oldPattern.empty()) return text;
  const bool ignoreCase = (flags & rfIgnoreCase) != 0;
  const std::string haystack = ignoreCase ? AnsiUpperCase(text) : text;
  const std::string needle = ignoreCase ? AnsiUpperCase(oldPattern) : oldPattern;
  std::string result;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t found = haystack.find(needle, pos);
    if (found == std::string::npos) break;
    result += text.substr(pos, found - pos) + newPattern;
    pos = found + needle.size();
    if (!(flags & rfReplaceAll)) break;
  }
  return result + text.substr(std::min(pos, text.size()));
}

// ---------------------------------------------------------------------------------------------
// Format

namespace {

struct TFormatSpec {
  bool leftAlign = false;
  int width = -1;
  int precision = -1;
  char type = 0;
};

class TFormatter {
 public:
  TFormatter(const std::string& format, std::initializer_list<TFormatArg> args)
      : FFormat(format), FArgs(args.begin(), args.end()) {}

  std::string Run() {
    std::string result;
    for (size_t i = 0; i < FFormat.size(); ++i) {
      if (FFormat[i] != '%') {
        result += FFormat[i];
      } else if (i + 1 < FFormat.size() && FFormat[i + 1] == '%') {
        result += '%';
        ++i;
      } else {
        result += Directive(i);
      }
    }
    return result;
  }

 private:
  [[noreturn]] void Invalid() const { throw EConvertError(Format(SInvalidFormat, FFormat)); }

  const TFormatArg& NextArg() {
    if (FNext >= FArgs.size()) throw EConvertError(Format(SArgumentMissing, FFormat));
    return FArgs[FNext++];
  }

  // A run of digits or "*"; -1 when there is neither.
  int Number(size_t& i) {
    if (i < FFormat.size() && FFormat[i] == '*') {
      ++i;
      const TFormatArg& arg = NextArg();
      if (arg.GetKind() != TFormatArg::Kind::Integer) Invalid();
      return static_cast<int>(arg.GetInteger());
    }
    if (i >= FFormat.size() || !std::isdigit(static_cast<unsigned char>(FFormat[i]))) return -1;
    int value = 0;
    while (i < FFormat.size() && std::isdigit(static_cast<unsigned char>(FFormat[i])))
      value = value * 10 + (FFormat[i++] - '0');
    return value;
  }

  // Parses the directive at i (the "%") and leaves i on its type letter.
  std::string Directive(size_t& i) {
    TFormatSpec spec;
    ++i;
    int first = Number(i);
    if (i < FFormat.size() && FFormat[i] == ':') {
      if (first < 0) Invalid();
      FNext = static_cast<size_t>(first);
      ++i;
      first = -1;
    }
    if (first < 0) {
      if (i < FFormat.size() && FFormat[i] == '-') spec.leftAlign = true, ++i;
      first = Number(i);
    }
    spec.width = first;
    if (i < FFormat.size() && FFormat[i] == '.') {
      ++i;
      spec.precision = std::max(0, Number(i));
    }
    if (i >= FFormat.size()) Invalid();
    spec.type = static_cast<char>(std::toupper(static_cast<unsigned char>(FFormat[i])));
    std::string text = Convert(spec, NextArg());
    if (spec.width > static_cast<int>(text.size()))
      text = spec.leftAlign ? text + std::string(spec.width - text.size(), ' ')
                            : std::string(spec.width - text.size(), ' ') + text;
    return text;
  }

  static std::string PadDigits(std::string digits, int precision) {
    bool negative = !digits.empty() && digits[0] == '-';
    if (negative) digits.erase(0, 1);
    if (precision > static_cast<int>(digits.size())) digits.insert(0, precision - digits.size(), '0');
    return negative ? "-" + digits : digits;
  }

  std::string Convert(const TFormatSpec& spec, const TFormatArg& arg) const {
    using Kind = TFormatArg::Kind;
    switch (spec.type) {
      case 'D':
        if (arg.GetKind() != Kind::Integer) Invalid();
        return PadDigits(std::to_string(arg.GetInteger()), spec.precision);
      case 'U': {
        if (arg.GetKind() != Kind::Integer) Invalid();
        long long v = arg.GetInteger();
        unsigned long long u = v < 0 && v >= INT_MIN ? static_cast<unsigned>(v) : static_cast<unsigned long long>(v);
        return PadDigits(std::to_string(u), spec.precision);
      }
      case 'X':
        if (arg.GetKind() != Kind::Integer) Invalid();
        return IntToHex(arg.GetInteger(), spec.precision);
      case 'P':
        if (arg.GetKind() != Kind::Pointer) Invalid();
        return IntToHex(static_cast<long long>(reinterpret_cast<uintptr_t>(arg.GetPointer())), 8);
      case 'S':
        if (arg.GetKind() != Kind::String) Invalid();
        return spec.precision >= 0 ? arg.GetString().substr(0, spec.precision) : arg.GetString();
      case 'E': case 'F': case 'G': case 'N': case 'M':
        return FloatText(spec, arg);
      default:
        Invalid();
    }
  }

  std::string FloatText(const TFormatSpec& spec, const TFormatArg& arg) const {
    double value = 0;
    if (arg.GetKind() == TFormatArg::Kind::Float) value = arg.GetFloat();
    else if (arg.GetKind() == TFormatArg::Kind::Integer) value = static_cast<double>(arg.GetInteger());
    else Invalid();
    switch (spec.type) {
      case 'E': return FloatToStrF(value, ffExponent, spec.precision < 0 ? 15 : spec.precision, 3);
      case 'G': return FloatToStrF(value, ffGeneral, spec.precision < 0 ? 15 : spec.precision, 3);
      case 'N': return FloatToStrF(value, ffNumber, 18, spec.precision < 0 ? 2 : spec.precision);
      default: return FloatToStrF(value, ffFixed, 18, spec.precision < 0 ? 2 : spec.precision);
    }
  }

  const std::string& FFormat;
  std::vector<TFormatArg> FArgs;
  size_t FNext = 0;
};

}  // namespace

std::string FormatArgs(const std::string& format, std::initializer_list<TFormatArg> args) {
  return TFormatter(format, args).Run();
}

// ---------------------------------------------------------------------------------------------
// File names

int LastDelimiter(const std::string& delimiters, const std::string& text) {
  size_t pos = text.find_last_of(delimiters);
  return pos == std::string::npos ? 0 : static_cast<int>(pos) + 1;
}

bool IsPathDelimiter(const std::string& text, int index) {
  return index >= 1 && index <= static_cast<int>(text.size()) && text[index - 1] == '\\';
}

std::string IncludeTrailingPathDelimiter(const std::string& path) {
  return !path.empty() && path.back() == '\\' ? path : path + "\\";
}

std::string ExcludeTrailingPathDelimiter(const std::string& path) {
  return !path.empty() && path.back() == '\\' ? path.substr(0, path.size() - 1) : path;
}

std::string ExtractFilePath(const std::string& fileName) {
  return fileName.substr(0, LastDelimiter("\\:", fileName));
}

std::string ExtractFileDir(const std::string& fileName) {
  int i = LastDelimiter("\\:", fileName);
  // A root ("C:\" or "\\") keeps its backslash.
  if (i > 1 && fileName[i - 1] == '\\' && fileName[i - 2] != '\\' && fileName[i - 2] != ':') --i;
  return fileName.substr(0, i);
}

std::string ExtractFileName(const std::string& fileName) {
  return fileName.substr(LastDelimiter("\\:", fileName));
}

std::string ExtractFileExt(const std::string& fileName) {
  int i = LastDelimiter(".\\:", fileName);
  return i > 0 && fileName[i - 1] == '.' ? fileName.substr(i - 1) : std::string();
}

std::string ChangeFileExt(const std::string& fileName, const std::string& extension) {
  int i = LastDelimiter(".\\:", fileName);
  if (i == 0 || fileName[i - 1] != '.') i = static_cast<int>(fileName.size()) + 1;
  return fileName.substr(0, i - 1) + extension;
}

std::string ExpandFileName(const std::string& fileName) {
  DWORD length = GetFullPathNameA(fileName.c_str(), 0, nullptr, nullptr);
  if (length == 0) return fileName;
  std::string full(length, '\0');
  length = GetFullPathNameA(fileName.c_str(), length, full.data(), nullptr);
  full.resize(length);
  return full;
}

// ---------------------------------------------------------------------------------------------
// Files

DWORD FileModeAccess(unsigned mode) {
  switch (mode & 3) {
    case fmOpenWrite: return GENERIC_WRITE;
    case fmOpenReadWrite: return GENERIC_READ | GENERIC_WRITE;
    default: return GENERIC_READ;
  }
}

DWORD FileModeShare(unsigned mode) {
  switch ((mode & 0xF0) >> 4) {
    case 2: return FILE_SHARE_READ;
    case 3: return FILE_SHARE_WRITE;
    case 4: return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default: return 0;
  }
}

HANDLE FileOpen(const std::string& fileName, unsigned mode) {
  return CreateFileA(fileName.c_str(), FileModeAccess(mode), FileModeShare(mode), nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

HANDLE FileCreate(const std::string& fileName) {
  return CreateFileA(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

void FileClose(HANDLE handle) {
  if (handle != INVALID_HANDLE_VALUE && handle != nullptr) CloseHandle(handle);
}

DWORD FileGetAttr(const std::string& fileName) { return GetFileAttributesA(fileName.c_str()); }

bool FileExists(const std::string& fileName) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(fileName.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return false;
  FindClose(find);
  return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool DirectoryExists(const std::string& name) {
  DWORD attributes = FileGetAttr(name);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool DeleteFile(const std::string& fileName) { return DeleteFileA(fileName.c_str()) != 0; }

bool RenameFile(const std::string& oldName, const std::string& newName) {
  return MoveFileA(oldName.c_str(), newName.c_str()) != 0;
}

bool CreateDir(const std::string& name) { return CreateDirectoryA(name.c_str(), nullptr) != 0; }

bool ForceDirectories(const std::string& name) {
  std::string dir = ExcludeTrailingPathDelimiter(name);
  if (dir.empty()) return false;
  if (dir.size() < 3 || DirectoryExists(dir) || ExtractFilePath(dir) == dir) return DirectoryExists(dir) || CreateDir(dir);
  return ForceDirectories(ExtractFilePath(dir)) && (CreateDir(dir) || DirectoryExists(dir));
}

std::string GetCurrentDir() {
  DWORD length = GetCurrentDirectoryA(0, nullptr);
  std::string dir(length, '\0');
  length = GetCurrentDirectoryA(length, dir.data());
  dir.resize(length);
  return dir;
}

// ---------------------------------------------------------------------------------------------
// System errors

std::wstring AnsiToWide(const std::string& text) {
  if (text.empty()) return std::wstring();
  int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string WideToAnsi(const std::wstring& text) {
  if (text.empty()) return std::string();
  int length = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), narrow.data(), length, nullptr, nullptr);
  return narrow;
}

const TSysLocale& SysLocale() {
  static const TSysLocale locale{GetSystemMetrics(SM_DBCSENABLED) != 0, GetSystemMetrics(SM_MIDEASTENABLED) != 0};
  return locale;
}

std::string SysErrorMessage(DWORD errorCode) {
  char* buffer = nullptr;
  DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                    FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                                nullptr, errorCode, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text = length && buffer ? std::string(buffer, length) : std::string();
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (static_cast<unsigned char>(text.back()) <= ' ' || text.back() == '.')) text.pop_back();
  return text;
}

void RaiseLastOSError(DWORD errorCode) {
  if (errorCode == 0) throw EOSError(SUnkOSError, 0);
  throw EOSError(Format(SOSError, static_cast<long long>(errorCode), SysErrorMessage(errorCode)), errorCode);
}

void RaiseLastOSError() { RaiseLastOSError(GetLastError()); }

void Win32Check(bool condition) {
  if (!condition) RaiseLastOSError();
}

// ---------------------------------------------------------------------------------------------
// Command line

std::string GetParamStr(const std::string& commandLine, size_t& pos) {
  const size_t n = commandLine.size();
  for (;;) {
    while (pos < n && static_cast<unsigned char>(commandLine[pos]) <= ' ') ++pos;
    if (pos + 1 < n && commandLine[pos] == '"' && commandLine[pos + 1] == '"') pos += 2;
    else break;
  }
  std::string param;
  while (pos < n && static_cast<unsigned char>(commandLine[pos]) > ' ') {
    if (commandLine[pos] == '"') {
      ++pos;
      while (pos < n && commandLine[pos] != '"') param += commandLine[pos++];
      if (pos < n) ++pos;
    } else {
      param += commandLine[pos++];
    }
  }
  return param;
}

std::string ParamStr(int index) {
  if (index == 0) {
    std::string name(MAX_PATH, '\0');
    for (;;) {
      DWORD length = GetModuleFileNameA(nullptr, name.data(), static_cast<DWORD>(name.size()));
      if (length < name.size()) return name.substr(0, length);
      name.resize(name.size() * 2);
    }
  }
  const std::string commandLine = GetCommandLineA();
  size_t pos = 0;
  std::string param;
  for (int i = 0; i <= index; ++i) {
    param = GetParamStr(commandLine, pos);
    if (param.empty()) break;
  }
  return param;
}

int ParamCount() {
  const std::string commandLine = GetCommandLineA();
  size_t pos = 0;
  GetParamStr(commandLine, pos);
  int count = 0;
  while (!GetParamStr(commandLine, pos).empty()) ++count;
  return count;
}

// ---------------------------------------------------------------------------------------------
// Date and time

namespace {

constexpr int kDaysFrom1970To1899 = 25569;  // 30 December 1899 lies that many days before 1970

// Days since 1 January 1970 of a civil date (proleptic Gregorian).
long long DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& y, int& m, int& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

}  // namespace

TDateTime EncodeDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
    throw EConvertError("Invalid argument to date encode");
  return static_cast<double>(DaysFromCivil(year, month, day) + kDaysFrom1970To1899);
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
      millisecond > 999)
    throw EConvertError("Invalid argument to time encode");
  return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond) / 86400000.0;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
  CivilFromDays(static_cast<long long>(std::floor(value)) - kDaysFrom1970To1899, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond) {
  long long ms = std::llround((value - std::floor(value)) * 86400000.0);
  if (ms >= 86400000) ms = 86399999;
  millisecond = static_cast<int>(ms % 1000);
  second = static_cast<int>(ms / 1000 % 60);
  minute = static_cast<int>(ms / 60000 % 60);
  hour = static_cast<int>(ms / 3600000);
}

TDateTime SystemTimeToDateTime(const SYSTEMTIME& time) {
  return EncodeDate(time.wYear, time.wMonth, time.wDay) +
         EncodeTime(time.wHour, time.wMinute, time.wSecond, time.wMilliseconds);
}

SYSTEMTIME DateTimeToSystemTime(TDateTime value) {
  int y, m, d, h, n, s, z;
  DecodeDate(value, y, m, d);
  DecodeTime(value, h, n, s, z);
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(y);
  time.wMonth = static_cast<WORD>(m);
  time.wDay = static_cast<WORD>(d);
  time.wDayOfWeek = static_cast<WORD>((static_cast<long long>(std::floor(value)) + 6) % 7);
  time.wHour = static_cast<WORD>(h);
  time.wMinute = static_cast<WORD>(n);
  time.wSecond = static_cast<WORD>(s);
  time.wMilliseconds = static_cast<WORD>(z);
  return time;
}

TDateTime FileTimeToDateTime(const FILETIME& time) {
  SYSTEMTIME system;
  if (!FileTimeToSystemTime(&time, &system)) RaiseLastOSError();
  return SystemTimeToDateTime(system);
}

TDateTime Now() {
  SYSTEMTIME time;
  GetLocalTime(&time);
  return SystemTimeToDateTime(time);
}

TDateTime Date() { return std::floor(Now()); }

int FileAge(const std::string& fileName) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(fileName.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return -1;
  FindClose(find);
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
  FILETIME local;
  WORD dosDate = 0, dosTime = 0;
  if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToDosDateTime(&local, &dosDate, &dosTime))
    return -1;
  return static_cast<int>((static_cast<unsigned>(dosDate) << 16) | dosTime);
}

TDateTime FileDateToDateTime(int fileDate) {
  unsigned date = static_cast<unsigned>(fileDate) >> 16, time = static_cast<unsigned>(fileDate) & 0xFFFF;
  return EncodeDate(static_cast<int>((date >> 9) + 1980), static_cast<int>((date >> 5) & 15),
                    static_cast<int>(date & 31)) +
         EncodeTime(static_cast<int>(time >> 11), static_cast<int>((time >> 5) & 63),
                    static_cast<int>((time & 31) * 2), 0);
}

namespace {

std::string Digits(int value, size_t width) {
  std::string text = std::to_string(value);
  if (text.size() < width) text.insert(text.begin(), width - text.size(), '0');
  return text;
}

std::string TwoDigits(int value) { return Digits(value, 2); }

// Expands one run of a pattern letter ("m" is the month, "n" the minute).
std::string DateTimeToken(char letter, size_t count, TDateTime value, bool twelveHours) {
  int y, m, d, h, n, s, z;
  DecodeDate(value, y, m, d);
  DecodeTime(value, h, n, s, z);
  if (twelveHours) h = h % 12 == 0 ? 12 : h % 12;
  switch (letter) {
    case 'y': return count <= 2 ? TwoDigits(y % 100) : std::to_string(y);
    case 'm': return count == 1 ? std::to_string(m) : TwoDigits(m);
    case 'd': return count == 1 ? std::to_string(d) : TwoDigits(d);
    case 'h': return count == 1 ? std::to_string(h) : TwoDigits(h);
    case 'n': return count == 1 ? std::to_string(n) : TwoDigits(n);
    case 's': return count == 1 ? std::to_string(s) : TwoDigits(s);
    case 'z': return count == 1 ? std::to_string(z) : Digits(z, 3);
    default: return std::string(count, letter);
  }
}

}  // namespace

std::string FormatDateTime(const std::string& pattern, TDateTime value) {
  const TFormatSettings& settings = FormatSettings();
  const bool twelveHours = LowerCase(pattern).find("am/pm") != std::string::npos;
  std::string result;
  for (size_t i = 0; i < pattern.size();) {
    char c = static_cast<char>(std::tolower(static_cast<unsigned char>(pattern[i])));
    if (SameText(pattern.substr(i, 5), "am/pm")) {
      int h, n, s, z;
      DecodeTime(value, h, n, s, z);
      result += h < 12 ? "AM" : "PM";
      i += 5;
    } else if (pattern[i] == '"' || pattern[i] == '\'') {
      size_t close = pattern.find(pattern[i], i + 1);
      if (close == std::string::npos) close = pattern.size();
      result += pattern.substr(i + 1, close - i - 1);
      i = close + 1;
    } else if (c == 'c') {
      result += DateToStr(value);
      if (value != std::floor(value)) result.append(" ").append(TimeToStr(value));
      ++i;
    } else if (c == '/' || c == ':') {
      result += c == '/' ? settings.DateSeparator : settings.TimeSeparator;
      ++i;
    } else if (std::string("ymdhnsz").find(c) != std::string::npos) {
      size_t count = 1;
      while (i + count < pattern.size() && std::tolower(static_cast<unsigned char>(pattern[i + count])) == c) ++count;
      result += DateTimeToken(c, count, value, twelveHours);
      i += count;
    } else {
      result += pattern[i++];
    }
  }
  return result;
}

std::string DateToStr(TDateTime value) { return FormatDateTime(FormatSettings().ShortDateFormat, value); }
std::string TimeToStr(TDateTime value) { return FormatDateTime(FormatSettings().LongTimeFormat, value); }
std::string DateTimeToStr(TDateTime value) { return FormatDateTime("c", value); }

namespace {

// Numbers separated by one separator character each, blanks allowed around them.
bool ScanNumbers(const std::string& text, char separator, std::vector<int>& numbers, size_t maxCount) {
  numbers.clear();
  size_t i = 0;
  for (;;) {
    while (i < text.size() && text[i] == ' ') ++i;
    size_t start = i;
    long value = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && i - start < 9)
      value = value * 10 + (text[i++] - '0');
    if (i == start || numbers.size() == maxCount) return false;
    numbers.push_back(static_cast<int>(value));
    while (i < text.size() && text[i] == ' ') ++i;
    if (i == text.size()) return true;
    if (text[i++] != separator) return false;
  }
}

int FullYear(int year) {
  if (year > 99) return year;
  int y, m, d;
  DecodeDate(Date(), y, m, d);
  const int base = y - 50;
  year += base / 100 * 100;
  return year < base ? year + 100 : year;
}

}  // namespace

bool TryStrToDate(const std::string& text, TDateTime& value) {
  const TFormatSettings& settings = FormatSettings();
  std::vector<int> n;
  if (!ScanNumbers(text, settings.DateSeparator, n, 3) || n.size() < 2) return false;
  // The order of day, month and year follows the first of them in the short date format.
  const std::string order = LowerCase(settings.ShortDateFormat);
  const size_t d = order.find('d'), m = order.find('m'), y = order.find('y');
  int year, month, day;
  if (n.size() == 2) {
    int y0, m0, d0;
    DecodeDate(Date(), y0, m0, d0);
    year = y0;
    month = m < d ? n[0] : n[1];
    day = m < d ? n[1] : n[0];
  } else if (y < m && y < d) {
    year = n[0], month = n[1], day = n[2];
  } else if (m < d) {
    month = n[0], day = n[1], year = n[2];
  } else {
    day = n[0], month = n[1], year = n[2];
  }
  try {
    value = EncodeDate(FullYear(year), month, day);
  } catch (const EConvertError&) {
    return false;
  }
  return true;
}

bool TryStrToTime(const std::string& text, TDateTime& value) {
  std::string rest = Trim(text);
  int pm = -1;
  const std::string upper = UpperCase(rest);
  if (upper.size() > 2 && (upper.substr(upper.size() - 2) == "AM" || upper.substr(upper.size() - 2) == "PM")) {
    pm = upper.back() == 'M' && upper[upper.size() - 2] == 'P' ? 1 : 0;
    rest = TrimRight(rest.substr(0, rest.size() - 2));
  }
  int millisecond = 0;
  if (size_t dot = rest.find('.'); dot != std::string::npos) {
    if (!TryStrToInt(rest.substr(dot + 1), millisecond) || rest.find_first_not_of("0123456789", dot + 1) != std::string::npos)
      return false;
    rest.erase(dot);
  }
  std::vector<int> n;
  if (!ScanNumbers(rest, FormatSettings().TimeSeparator, n, 3)) return false;
  n.resize(3, 0);
  if (pm >= 0) {
    if (n[0] < 1 || n[0] > 12) return false;
    n[0] = n[0] % 12 + (pm ? 12 : 0);
  }
  try {
    value = EncodeTime(n[0], n[1], n[2], millisecond);
  } catch (const EConvertError&) {
    return false;
  }
  return true;
}

bool TryStrToDateTime(const std::string& text, TDateTime& value) {
  const std::string trimmed = Trim(text);
  const size_t blank = trimmed.find(' ');
  TDateTime date = 0, time = 0;
  if (blank == std::string::npos) {
    if (TryStrToDate(trimmed, date)) return value = date, true;
    if (TryStrToTime(trimmed, time)) return value = time, true;
    return false;
  }
  if (!TryStrToDate(trimmed.substr(0, blank), date) || !TryStrToTime(trimmed.substr(blank + 1), time)) return false;
  value = date + time;
  return true;
}

TDateTime StrToDate(const std::string& text) {
  TDateTime value = 0;
  if (!TryStrToDate(text, value)) throw EConvertError(Format("'%s' is not a valid date", text));
  return value;
}

TDateTime StrToTime(const std::string& text) {
  TDateTime value = 0;
  if (!TryStrToTime(text, value)) throw EConvertError(Format("'%s' is not a valid time", text));
  return value;
}

TDateTime StrToDateTime(const std::string& text) {
  TDateTime value = 0;
  if (!TryStrToDateTime(text, value)) throw EConvertError(Format("'%s' is not a valid date and time", text));
  return value;
}
