// Run-time routines of the class library: exceptions, formatting, conversions, 8-bit text,
// file names and files, the command line, date and time.
//
// Text is 8-bit (the system ANSI code page) throughout; the Unicode layer adds the wide forms.
#pragma once

#include <cstdint>
#include <exception>
#include <initializer_list>
#include <string>

#include "classlib/WinApi.h"

// ---------------------------------------------------------------------------------------------
// Exceptions

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : FMessage(std::move(message)) {}
  const std::string& GetMessage() const { return FMessage; }
  void SetMessage(const std::string& message) { FMessage = message; }
  const char* what() const noexcept override { return FMessage.c_str(); }

 private:
  std::string FMessage;
};

// Declares an exception kind that takes its message like Exception.
#define KX_EXCEPTION(Name, Base) \
  class Name : public Base {     \
   public:                       \
    using Base::Base;            \
  };

KX_EXCEPTION(EAbort, Exception)
KX_EXCEPTION(EConvertError, Exception)
KX_EXCEPTION(EListError, Exception)
KX_EXCEPTION(EStringListError, EListError)
// A stream or file that failed: besides the message, for a file that could not be opened,
// created or written, the name as the caller gave it and the system's error code (0 when there
// is none), from which the program tells the reason in its own language.
class EStreamError : public Exception {
 public:
  explicit EStreamError(std::string message, std::wstring fileName = std::wstring(), DWORD errorCode = 0)
      : Exception(std::move(message)), FFileName(std::move(fileName)), FErrorCode(errorCode) {}
  const std::wstring& GetFileName() const { return FFileName; }
  DWORD GetErrorCode() const { return FErrorCode; }

 private:
  std::wstring FFileName;
  DWORD FErrorCode;
};

KX_EXCEPTION(EFCreateError, EStreamError)
KX_EXCEPTION(EFOpenError, EStreamError)
KX_EXCEPTION(EFilerError, EStreamError)
KX_EXCEPTION(EReadError, EFilerError)
KX_EXCEPTION(EWriteError, EFilerError)
KX_EXCEPTION(EClassNotFound, EFilerError)
KX_EXCEPTION(EResNotFound, Exception)
KX_EXCEPTION(EOutOfResources, Exception)
KX_EXCEPTION(EPropertyError, Exception)
KX_EXCEPTION(EComponentError, Exception)
KX_EXCEPTION(EInvalidCast, Exception)
KX_EXCEPTION(EInvalidOperation, Exception)
KX_EXCEPTION(ERegistryException, Exception)
KX_EXCEPTION(EOutOfMemory, Exception)

// The failure of a system call, with the system's error code.
class EOSError : public Exception {
 public:
  EOSError(std::string message, DWORD errorCode) : Exception(std::move(message)), FErrorCode(errorCode) {}
  DWORD GetErrorCode() const { return FErrorCode; }

 private:
  DWORD FErrorCode;
};

// Standard message texts of the class library (Format patterns where they take arguments).
inline constexpr const char* SListIndexError = "List index out of bounds (%d)";
inline constexpr const char* SListCapacityError = "List capacity out of bounds (%d)";
inline constexpr const char* SSortedListError = "Operation not allowed on sorted list";
inline constexpr const char* SDuplicateString = "String list does not allow duplicates";
inline constexpr const char* SFCreateErrorEx = "Cannot create file \"%s\". %s";
inline constexpr const char* SFOpenErrorEx = "Cannot open file \"%s\". %s";
inline constexpr const char* SWriteError = "Unable to write to %s";
inline constexpr const char* SStreamReadError = "Stream read error";
inline constexpr const char* SStreamWriteError = "Stream write error";
inline constexpr const char* SLineTooLong = "Line too long";
inline constexpr const char* SInsertLineError = "Unable to insert a line";
inline constexpr const char* SInvalidPropertyValue = "Invalid property value";
inline constexpr const char* SInvalidInteger = "'%s' is not a valid integer value";
inline constexpr const char* SInvalidFloat = "'%s' is not a valid floating point value";
inline constexpr const char* SInvalidFormat = "Format '%s' invalid or incompatible with argument";
inline constexpr const char* SArgumentMissing = "No argument for format '%s'";
inline constexpr const char* SAssignError = "Cannot assign a %s to a %s";
inline constexpr const char* SOSError = "System Error.  Code: %d.\r\n%s";
inline constexpr const char* SUnkOSError = "A call to an OS function failed";
inline constexpr const char* SResNotFound = "Resource %s not found";
inline constexpr const char* SClassNotFound = "Class %s not found";
inline constexpr const char* SDuplicateClass = "A class named %s already exists";
inline constexpr const char* SDuplicateName = "A component named %s already exists";
inline constexpr const char* SInvalidName = "'%s' is not a valid component name";
inline constexpr const char* SInvalidCast = "Invalid class typecast";
inline constexpr const char* SRegCreateFailed = "Failed to create key %s";
inline constexpr const char* SRegSetDataFailed = "Failed to set data for '%s'";
inline constexpr const char* SRegGetDataFailed = "Failed to get data for '%s'";
inline constexpr const char* SInvalidRegType = "Invalid data type for '%s'";

// Raises EAbort, the silent exception that ends an operation without a message.
[[noreturn]] void Abort();

// ---------------------------------------------------------------------------------------------
// Format: %[index:][-][width][.precision]type with the types d u x e f g n m p s (upper or lower
// case); "*" takes width or precision from the arguments; "%%" is a percent sign.

class TFormatArg {
 public:
  enum class Kind { Integer, Float, String, Pointer };
  TFormatArg(int value) : FKind(Kind::Integer), FInteger(value) {}
  TFormatArg(unsigned value) : FKind(Kind::Integer), FInteger(value) {}
  TFormatArg(long value) : FKind(Kind::Integer), FInteger(value) {}
  TFormatArg(unsigned long value) : FKind(Kind::Integer), FInteger(value) {}
  TFormatArg(long long value) : FKind(Kind::Integer), FInteger(value) {}
  TFormatArg(unsigned long long value) : FKind(Kind::Integer), FInteger(static_cast<long long>(value)) {}
  TFormatArg(double value) : FKind(Kind::Float), FFloat(value) {}
  TFormatArg(char value) : FKind(Kind::String), FString(1, value) {}
  TFormatArg(const char* value) : FKind(Kind::String), FString(value ? value : "") {}
  TFormatArg(const std::string& value) : FKind(Kind::String), FString(value) {}
  TFormatArg(const void* value) : FKind(Kind::Pointer), FPointer(value) {}

  Kind GetKind() const { return FKind; }
  long long GetInteger() const { return FInteger; }
  double GetFloat() const { return FFloat; }
  const std::string& GetString() const { return FString; }
  const void* GetPointer() const { return FPointer; }

 private:
  Kind FKind;
  long long FInteger = 0;
  double FFloat = 0;
  std::string FString;
  const void* FPointer = nullptr;
};

std::string FormatArgs(const std::string& format, std::initializer_list<TFormatArg> args);

template <class... Args>
std::string Format(const std::string& format, const Args&... args) {
  return FormatArgs(format, {TFormatArg(args)...});
}

// ---------------------------------------------------------------------------------------------
// Numbers and text

// Separators and formats of the user's locale, read once on first use; a program may change them.
struct TFormatSettings {
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
  char DateSeparator = '/';
  char TimeSeparator = ':';
  std::string ShortDateFormat = "dd/mm/yyyy";
  std::string LongTimeFormat = "hh:nn:ss";
};
TFormatSettings& FormatSettings();

std::string IntToStr(long long value);
std::string IntToHex(long long value, int digits);
// Decimal, or hexadecimal after "$" or "0x"; leading blanks and a sign are allowed.
int StrToInt(const std::string& text);  // raises EConvertError
int StrToIntDef(const std::string& text, int defaultValue);
bool TryStrToInt(const std::string& text, int& value);
long long StrToInt64(const std::string& text);  // raises EConvertError
bool TryStrToInt64(const std::string& text, long long& value);

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber };
// Decimal separator of FormatSettings; blanks around the number are allowed.
double StrToFloat(const std::string& text);  // raises EConvertError
bool TryStrToFloat(const std::string& text, double& value);
std::string FloatToStr(double value);
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits);
// Pattern of "0" (digit), "#" (optional digit), "." (decimal separator), "," (thousands
// separators), "E+"/"E-" (exponent) and quoted literals; ";" separates positive, negative, zero.
std::string FormatFloat(const std::string& pattern, double value);

std::string Trim(const std::string& text);  // characters below 33 off both ends
std::string TrimLeft(const std::string& text);
std::string TrimRight(const std::string& text);
std::string UpperCase(const std::string& text);  // ASCII letters only
std::string LowerCase(const std::string& text);
std::string AnsiUpperCase(const std::string& text);  // letters of the system code page
std::string AnsiLowerCase(const std::string& text);
// Ordinal comparisons, <0, 0 or >0; the Text forms ignore the case of ASCII letters.
int CompareStr(const std::string& a, const std::string& b);
int CompareText(const std::string& a, const std::string& b);
bool SameText(const std::string& a, const std::string& b);
// Comparisons by the user locale's collation.
int AnsiCompareStr(const std::string& a, const std::string& b);
int AnsiCompareText(const std::string& a, const std::string& b);
bool AnsiSameText(const std::string& a, const std::string& b);
std::string QuotedStr(const std::string& text);
std::string AnsiQuotedStr(const std::string& text, char quote);
// The quoted text at position pos (which must hold the quote), doubled quotes undoubled; pos
// moves behind the closing quote. Without an opening quote the result is empty.
std::string AnsiExtractQuotedStr(const std::string& text, size_t& pos, char quote);

// The same two for 8-bit and wide text.
template <class S>
S QuoteText(const S& text, typename S::value_type quote) {
  S result(1, quote);
  for (auto c : text) {
    result += c;
    if (c == quote) result += c;
  }
  result += quote;
  return result;
}

template <class S>
S ExtractQuotedText(const S& text, size_t& pos, typename S::value_type quote) {
  if (pos >= text.size() || text[pos] != quote) return S();
  S result;
  for (++pos; pos < text.size(); ++pos) {
    if (text[pos] == quote) {
      if (pos + 1 >= text.size() || text[pos + 1] != quote) {
        ++pos;
        break;
      }
      ++pos;
    }
    result += text[pos];
  }
  return result;
}

enum TReplaceFlag : unsigned { rfReplaceAll = 1, rfIgnoreCase = 2 };
std::string StringReplace(const std::string& text, const std::string& oldPattern,
                          const std::string& newPattern, unsigned flags);

// ---------------------------------------------------------------------------------------------
// File names (delimiters "\" and ":")

std::string IncludeTrailingPathDelimiter(const std::string& path);
inline std::string IncludeTrailingBackslash(const std::string& path) { return IncludeTrailingPathDelimiter(path); }
std::string ExcludeTrailingPathDelimiter(const std::string& path);
bool IsPathDelimiter(const std::string& text, int index);  // index from 1
int LastDelimiter(const std::string& delimiters, const std::string& text);  // from 1, 0 when none
std::string ExtractFilePath(const std::string& fileName);
std::string ExtractFileDir(const std::string& fileName);
std::string ExtractFileName(const std::string& fileName);
std::string ExtractFileExt(const std::string& fileName);
std::string ChangeFileExt(const std::string& fileName, const std::string& extension);
std::string ExpandFileName(const std::string& fileName);

// ---------------------------------------------------------------------------------------------
// Files

// Open modes: access in the low two bits, sharing in bits 4 to 7; fmCreate creates or truncates.
inline constexpr unsigned fmOpenRead = 0x0000;
inline constexpr unsigned fmOpenWrite = 0x0001;
inline constexpr unsigned fmOpenReadWrite = 0x0002;
inline constexpr unsigned fmShareCompat = 0x0000;
inline constexpr unsigned fmShareExclusive = 0x0010;
inline constexpr unsigned fmShareDenyWrite = 0x0020;
inline constexpr unsigned fmShareDenyRead = 0x0030;
inline constexpr unsigned fmShareDenyNone = 0x0040;
inline constexpr unsigned fmCreate = 0xFFFF;

// The access and sharing bits CreateFile takes for an open mode.
DWORD FileModeAccess(unsigned mode);
DWORD FileModeShare(unsigned mode);

HANDLE FileOpen(const std::string& fileName, unsigned mode);  // INVALID_HANDLE_VALUE on failure
HANDLE FileCreate(const std::string& fileName);               // read and write, no sharing
void FileClose(HANDLE handle);
bool FileExists(const std::string& fileName);  // false for folders
bool DirectoryExists(const std::string& name);
bool DeleteFile(const std::string& fileName);
bool RenameFile(const std::string& oldName, const std::string& newName);
bool CreateDir(const std::string& name);
bool ForceDirectories(const std::string& name);
std::string GetCurrentDir();
DWORD FileGetAttr(const std::string& fileName);  // INVALID_FILE_ATTRIBUTES when missing

// ---------------------------------------------------------------------------------------------
// System errors and the command line

std::string SysErrorMessage(DWORD errorCode);

// Text of the system ANSI code page widened, and wide text in the code page (characters it
// lacks become its substitute "?").
std::wstring AnsiToWide(const std::string& text);
std::string WideToAnsi(const std::wstring& text);

// The system locale as the platform reports it: a far-east locale (double-byte characters; hot
// keys there are written as a group "(&X)" behind the text) and a middle-east locale
// (right-to-left scripts).
struct TSysLocale {
  bool FarEast = false;
  bool MiddleEast = false;
};
// Read from the platform on first use.
const TSysLocale& SysLocale();
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseLastOSError(DWORD errorCode);
// Raises the last system error when the condition is false.
void Win32Check(bool condition);

// The command line: parameter 0 is the program's file name.
int ParamCount();
std::string ParamStr(int index);
// One parameter parsed from position pos of a command line; pos moves behind it. Blanks and
// empty quote pairs are skipped; quotes group blanks into the parameter and are dropped.
std::string GetParamStr(const std::string& commandLine, size_t& pos);

// ---------------------------------------------------------------------------------------------
// Date and time: days since 30 December 1899, the time of day as the fraction.

using TDateTime = double;

TDateTime EncodeDate(int year, int month, int day);  // raises EConvertError for a bad date
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);
TDateTime SystemTimeToDateTime(const SYSTEMTIME& time);
SYSTEMTIME DateTimeToSystemTime(TDateTime value);
// A file time (UTC) as date-time, still in UTC.
TDateTime FileTimeToDateTime(const FILETIME& time);
TDateTime Now();
TDateTime Date();
// DOS date and time (date in the high word) of a file's local last-write time; -1 when missing.
int FileAge(const std::string& fileName);
TDateTime FileDateToDateTime(int fileDate);
// Patterns: d dd m mm yy yyyy h hh n nn s ss z zzz, "/" and ":" for the separators of
// FormatSettings, "c" for the short date and long time, quoted literals.
std::string FormatDateTime(const std::string& pattern, TDateTime value);
std::string DateToStr(TDateTime value);
std::string TimeToStr(TDateTime value);
std::string DateTimeToStr(TDateTime value);
// Dates in the order of the short date format with its separator (two numbers: this year; a
// two-digit year within 50 years of now); times as h[:n[:s[.z]]] with an optional AM or PM;
// date and time separated by a blank. The Str forms raise EConvertError.
bool TryStrToDate(const std::string& text, TDateTime& value);
bool TryStrToTime(const std::string& text, TDateTime& value);
bool TryStrToDateTime(const std::string& text, TDateTime& value);
TDateTime StrToDate(const std::string& text);
TDateTime StrToTime(const std::string& text);
TDateTime StrToDateTime(const std::string& text);
