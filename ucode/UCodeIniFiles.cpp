#include "ucode/UCodeIniFiles.h"

#include "ucode/UCodeClasses.h"
#include "ucode/UCodeSysUtils.h"
#include "ucode/UCodeSystem.h"

#include <vector>

namespace {

std::string Narrow(const std::wstring& text) { return WideStringToStringEx(text, CP_ACP); }
std::wstring Widen(const std::string& text) { return StringToWideStringEx(text, CP_ACP); }

bool IsStrippedOnRead(wchar_t c) { return c == L' ' || c == L'\t' || c == L'"' || c == L'\''; }

// The text to store so that the profile functions read `value` back unchanged.
std::wstring Quoted(const std::wstring& value) {
  if (value.empty() || (!IsStrippedOnRead(value.front()) && !IsStrippedOnRead(value.back()))) return value;
  return L"\"" + value + L"\"";
}

void AddWidened(const TStrings& from, TWideStrings& strings) {
  WhileUpdating(strings, [&] {
    strings.Clear();
    for (int i = 0; i < from.GetCount(); ++i) strings.Add(Widen(from.Get(i)));
  });
}

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

}  // namespace

int TUCodeCustomIniFile::ReadInteger(const std::wstring& section, const std::wstring& ident, int defaultValue) {
  std::wstring text = ReadString(section, ident, std::wstring());
  if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) text.replace(0, 2, L"$");
  for (wchar_t c : text)
    if (c > 0x7F) return defaultValue;
  return StrToIntDef(std::string(text.begin(), text.end()), defaultValue);
}

void TUCodeCustomIniFile::WriteInteger(const std::wstring& section, const std::wstring& ident, int value) {
  WriteString(section, ident, std::to_wstring(value));
}

bool TUCodeCustomIniFile::ReadBool(const std::wstring& section, const std::wstring& ident, bool defaultValue) {
  return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TUCodeCustomIniFile::WriteBool(const std::wstring& section, const std::wstring& ident, bool value) {
  WriteString(section, ident, value ? L"1" : L"0");
}

// The default when the text is empty or does not convert; other errors pass on.
template <class Convert>
double TUCodeCustomIniFile::ReadConverted(const std::wstring& section, const std::wstring& ident,
                                          double defaultValue, Convert convert) {
  const std::wstring text = ReadString(section, ident, std::wstring());
  if (text.empty()) return defaultValue;
  try {
    return convert(Narrow(text));
  } catch (const EConvertError&) {
    return defaultValue;
  }
}

TDateTime TUCodeCustomIniFile::ReadDate(const std::wstring& section, const std::wstring& ident,
                                        TDateTime defaultValue) {
  return ReadConverted(section, ident, defaultValue, [](const std::string& text) { return StrToDate(text); });
}

TDateTime TUCodeCustomIniFile::ReadDateTime(const std::wstring& section, const std::wstring& ident,
                                            TDateTime defaultValue) {
  return ReadConverted(section, ident, defaultValue, [](const std::string& text) { return StrToDateTime(text); });
}

double TUCodeCustomIniFile::ReadFloat(const std::wstring& section, const std::wstring& ident, double defaultValue) {
  return ReadConverted(section, ident, defaultValue, [](const std::string& text) { return StrToFloat(text); });
}

TDateTime TUCodeCustomIniFile::ReadTime(const std::wstring& section, const std::wstring& ident,
                                        TDateTime defaultValue) {
  return ReadConverted(section, ident, defaultValue, [](const std::string& text) { return StrToTime(text); });
}

void TUCodeCustomIniFile::WriteDate(const std::wstring& section, const std::wstring& ident, TDateTime value) {
  WriteString(section, ident, Widen(DateToStr(value)));
}

void TUCodeCustomIniFile::WriteDateTime(const std::wstring& section, const std::wstring& ident, TDateTime value) {
  WriteString(section, ident, Widen(DateTimeToStr(value)));
}

void TUCodeCustomIniFile::WriteFloat(const std::wstring& section, const std::wstring& ident, double value) {
  WriteString(section, ident, Widen(FloatToStr(value)));
}

void TUCodeCustomIniFile::WriteTime(const std::wstring& section, const std::wstring& ident, TDateTime value) {
  WriteString(section, ident, Widen(TimeToStr(value)));
}

int TUCodeCustomIniFile::ReadBinaryStream(const std::wstring& section, const std::wstring& ident, TStream& value) {
  const std::wstring text = ReadString(section, ident, std::wstring());
  std::vector<unsigned char> bytes;
  bytes.reserve(text.size() / 2);
  for (size_t i = 0; i + 1 < text.size(); i += 2) {
    const int high = HexDigit(text[i]);
    const int low = HexDigit(text[i + 1]);
    if (high < 0 || low < 0) break;
    bytes.push_back(static_cast<unsigned char>(high * 16 + low));
  }
  if (!bytes.empty()) value.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
  return static_cast<int>(bytes.size());
}

void TUCodeCustomIniFile::WriteBinaryStream(const std::wstring& section, const std::wstring& ident, TStream& value) {
  static const wchar_t kDigits[] = L"0123456789ABCDEF";
  const int64_t size = value.GetSize();
  std::vector<unsigned char> bytes(static_cast<size_t>(size));
  value.SetPosition(0);
  if (size > 0) value.ReadBuffer(bytes.data(), static_cast<int>(size));
  std::wstring text;
  text.reserve(bytes.size() * 2);
  for (unsigned char b : bytes) {
    text += kDigits[b >> 4];
    text += kDigits[b & 15];
  }
  WriteString(section, ident, text);
}

// ---------------------------------------------------------------------------------------------

TUCodeIniFile::TUCodeIniFile(const std::wstring& fileName) : TUCodeCustomIniFile(fileName) {
  if (!Win32PlatformIsUnicode) FAnsiIniFile = std::make_unique<TIniFile>(Narrow(fileName));
}

TUCodeIniFile::~TUCodeIniFile() { UpdateFile(); }

std::wstring TUCodeIniFile::ReadString(const std::wstring& section, const std::wstring& ident,
                                       const std::wstring& defaultValue) {
  // The caller's own default is given back whole, also where it does not fit the 8-bit code page.
  if (FAnsiIniFile) {
    std::string value;
    return FAnsiIniFile->TryReadString(Narrow(section), Narrow(ident), value) ? Widen(value) : defaultValue;
  }
  std::wstring value;
  return ReadProfileString(GetFileName(), section, ident, value) ? value : defaultValue;
}

void TUCodeIniFile::WriteString(const std::wstring& section, const std::wstring& ident, const std::wstring& value) {
  if (FAnsiIniFile) return FAnsiIniFile->WriteString(Narrow(section), Narrow(ident), Narrow(Quoted(value)));
  WriteProfileString(GetFileName(), section.c_str(), ident.c_str(), Quoted(value).c_str());
}

void TUCodeIniFile::ReadNames(const wchar_t* section, TWideStrings& strings) {
  const std::vector<std::wstring> names = ReadProfileNames(GetFileName(), section);
  WhileUpdating(strings, [&] {
    strings.Clear();
    for (const std::wstring& name : names) strings.Add(name);
  });
}

void TUCodeIniFile::ReadSection(const std::wstring& section, TWideStrings& strings) {
  if (!FAnsiIniFile) return ReadNames(section.c_str(), strings);
  TStringList keys;
  FAnsiIniFile->ReadSection(Narrow(section), keys);
  AddWidened(keys, strings);
}

void TUCodeIniFile::ReadSections(TWideStrings& strings) {
  if (!FAnsiIniFile) return ReadNames(nullptr, strings);
  TStringList names;
  FAnsiIniFile->ReadSections(names);
  AddWidened(names, strings);
}

void TUCodeIniFile::ReadSectionValues(const std::wstring& section, TWideStrings& strings) {
  TUCodeStringList keys;
  ReadSection(section, keys);
  WhileUpdating(strings, [&] {
    strings.Clear();
    for (int i = 0; i < keys.GetCount(); ++i)
      strings.Add(keys.Get(i) + L"=" + ReadString(section, keys.Get(i), std::wstring()));
  });
}

void TUCodeIniFile::EraseSection(const std::wstring& section) {
  if (FAnsiIniFile) return FAnsiIniFile->EraseSection(Narrow(section));
  WriteProfileString(GetFileName(), section.c_str(), nullptr, nullptr);
}

void TUCodeIniFile::DeleteKey(const std::wstring& section, const std::wstring& ident) {
  if (FAnsiIniFile) return FAnsiIniFile->DeleteKey(Narrow(section), Narrow(ident));
  WritePrivateProfileStringW(section.c_str(), ident.c_str(), nullptr, GetFileName().c_str());
}

void TUCodeIniFile::UpdateFile() {
  if (FAnsiIniFile) return FAnsiIniFile->UpdateFile();
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, GetFileName().c_str());
}
