#include "classlib/IniFiles.h"

#include <vector>

int TCustomIniFile::ReadInteger(const std::string& section, const std::string& ident, int defaultValue) {
  std::string text = ReadString(section, ident, std::string());
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.replace(0, 2, "$");
  return StrToIntDef(text, defaultValue);
}

void TCustomIniFile::WriteInteger(const std::string& section, const std::string& ident, int value) {
  WriteString(section, ident, IntToStr(value));
}

bool TCustomIniFile::ReadBool(const std::string& section, const std::string& ident, bool defaultValue) {
  return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

double TCustomIniFile::ReadFloat(const std::string& section, const std::string& ident, double defaultValue) {
  double value = defaultValue;
  return TryStrToFloat(ReadString(section, ident, std::string()), value) ? value : defaultValue;
}

void TCustomIniFile::WriteFloat(const std::string& section, const std::string& ident, double value) {
  WriteString(section, ident, FloatToStr(value));
}

void TCustomIniFile::ReadSectionValues(const std::string& section, TStrings& strings) {
  TStringList keys;
  ReadSection(section, keys);
  WhileUpdating(strings, [&] {
    strings.Clear();
    for (int i = 0; i < keys.GetCount(); ++i)
      strings.Add(keys.Get(i) + "=" + ReadString(section, keys.Get(i), std::string()));
  });
}

bool TCustomIniFile::SectionExists(const std::string& section) {
  TStringList keys;
  ReadSection(section, keys);
  return keys.GetCount() > 0;
}

bool TCustomIniFile::ValueExists(const std::string& section, const std::string& ident) {
  TStringList keys;
  ReadSection(section, keys);
  return keys.IndexOf(ident) >= 0;
}

// ---------------------------------------------------------------------------------------------

namespace {

DWORD GetProfileText(const char* section, const char* key, const char* defaultValue, char* buffer, DWORD size,
                     const std::string& file) {
  return GetPrivateProfileStringA(section, key, defaultValue, buffer, size, file.c_str());
}

DWORD GetProfileText(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue, wchar_t* buffer,
                     DWORD size, const std::wstring& file) {
  return GetPrivateProfileStringW(section, key, defaultValue, buffer, size, file.c_str());
}

BOOL PutProfileText(const char* section, const char* key, const char* value, const std::string& file) {
  return WritePrivateProfileStringA(section, key, value, file.c_str());
}

BOOL PutProfileText(const wchar_t* section, const wchar_t* key, const wchar_t* value, const std::wstring& file) {
  return WritePrivateProfileStringW(section, key, value, file.c_str());
}

// The profile functions cut what does not fit their buffer and say so only by the length they
// give back: read again with a larger buffer until the text fits. A list of names ends in two
// zeros, so it fits only below size - 2.
template <class Char>
std::basic_string<Char> ReadProfile(const Char* section, const Char* key, const Char* defaultValue,
                                    const std::basic_string<Char>& file, DWORD reserve) {
  std::vector<Char> buffer(2048);
  for (;;) {
    DWORD length = GetProfileText(section, key, defaultValue, buffer.data(), static_cast<DWORD>(buffer.size()), file);
    if (length + reserve < buffer.size()) return std::basic_string<Char>(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

// The profile functions hand back a missing key's default trimmed of blanks and quotes, so the
// default they get is one that no value of a file can be: a value never holds a line break.
template <class Char>
bool ReadProfileValue(const std::basic_string<Char>& file, const std::basic_string<Char>& section,
                      const std::basic_string<Char>& key, std::basic_string<Char>& value) {
  static constexpr Char kMissing[] = {Char('?'), Char('\n'), Char('?'), Char('\0')};
  value = ReadProfile(section.c_str(), key.c_str(), kMissing, file, 1);
  return value != kMissing;
}

template <class Char>
std::vector<std::basic_string<Char>> ReadProfileList(const std::basic_string<Char>& file, const Char* section) {
  using String = std::basic_string<Char>;
  static constexpr Char kEmpty[] = {Char('\0')};
  const String names = ReadProfile(section, static_cast<const Char*>(nullptr), kEmpty, file, 2);
  std::vector<String> list;
  for (size_t start = 0; start < names.size();) {
    size_t end = names.find(Char('\0'), start);
    if (end == String::npos) end = names.size();
    if (end > start) list.push_back(names.substr(start, end - start));
    start = end + 1;
  }
  return list;
}

const std::string& AnsiName(const std::string& file) { return file; }
std::string AnsiName(const std::wstring& file) { return WideToAnsi(file); }

const std::wstring& WideName(const std::wstring& file) { return file; }
std::wstring WideName(const std::string& file) { return AnsiToWide(file); }

template <class Char>
void WriteProfile(const std::basic_string<Char>& file, const Char* section, const Char* key, const Char* value) {
  if (PutProfileText(section, key, value, file)) return;
  const DWORD error = GetLastError();
  throw EWriteError(Format(SWriteError, AnsiName(file)), WideName(file), error);
}

}  // namespace

bool ReadProfileString(const std::string& file, const std::string& section, const std::string& key,
                       std::string& value) {
  return ReadProfileValue(file, section, key, value);
}

bool ReadProfileString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                       std::wstring& value) {
  return ReadProfileValue(file, section, key, value);
}

std::vector<std::string> ReadProfileNames(const std::string& file, const char* section) {
  return ReadProfileList(file, section);
}

std::vector<std::wstring> ReadProfileNames(const std::wstring& file, const wchar_t* section) {
  return ReadProfileList(file, section);
}

void WriteProfileString(const std::string& file, const char* section, const char* key, const char* value) {
  WriteProfile(file, section, key, value);
}

void WriteProfileString(const std::wstring& file, const wchar_t* section, const wchar_t* key, const wchar_t* value) {
  WriteProfile(file, section, key, value);
}

TIniFile::~TIniFile() { UpdateFile(); }

bool TIniFile::TryReadString(const std::string& section, const std::string& ident, std::string& value) {
  return ReadProfileString(GetFileName(), section, ident, value);
}

std::string TIniFile::ReadString(const std::string& section, const std::string& ident,
                                 const std::string& defaultValue) {
  std::string value;
  return TryReadString(section, ident, value) ? value : defaultValue;
}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
  WriteProfileString(GetFileName(), section.c_str(), ident.c_str(), value.c_str());
}

void TIniFile::ReadNames(const char* section, TStrings& strings) {
  const std::vector<std::string> names = ReadProfileNames(GetFileName(), section);
  WhileUpdating(strings, [&] {
    strings.Clear();
    for (const std::string& name : names) strings.Add(name);
  });
}

void TIniFile::ReadSection(const std::string& section, TStrings& strings) { ReadNames(section.c_str(), strings); }

void TIniFile::ReadSections(TStrings& strings) { ReadNames(nullptr, strings); }

void TIniFile::EraseSection(const std::string& section) {
  WriteProfileString(GetFileName(), section.c_str(), nullptr, nullptr);
}

void TIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  WritePrivateProfileStringA(section.c_str(), ident.c_str(), nullptr, GetFileName().c_str());
}

void TIniFile::UpdateFile() { WritePrivateProfileStringA(nullptr, nullptr, nullptr, GetFileName().c_str()); }
