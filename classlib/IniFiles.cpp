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

// The profile functions cut what does not fit their buffer and say so only by the length they
// give back: read again with a larger buffer until the text fits. A list of names ends in two
// zeros, so it fits only below size - 2.
std::string ReadProfile(const char* section, const char* key, const char* defaultValue, const std::string& file,
                        DWORD reserve) {
  std::vector<char> buffer(2048);
  for (;;) {
    DWORD length = GetPrivateProfileStringA(section, key, defaultValue, buffer.data(),
                                            static_cast<DWORD>(buffer.size()), file.c_str());
    if (length + reserve < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

TIniFile::~TIniFile() { UpdateFile(); }

// The profile functions hand back a missing key's default trimmed of blanks and quotes, so the
// default they get is one that no value of a file can be: a value never holds a line break.
bool TIniFile::TryReadString(const std::string& section, const std::string& ident, std::string& value) {
  static const char kMissing[] = "?\n?";
  value = ReadProfile(section.c_str(), ident.c_str(), kMissing, GetFileName(), 1);
  return value != kMissing;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& ident,
                                 const std::string& defaultValue) {
  std::string value;
  return TryReadString(section, ident, value) ? value : defaultValue;
}

void TIniFile::RaiseWriteError() const {
  const DWORD error = GetLastError();
  throw EWriteError(Format(SWriteError, GetFileName()), AnsiToWide(GetFileName()), error);
}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
  if (!WritePrivateProfileStringA(section.c_str(), ident.c_str(), value.c_str(), GetFileName().c_str()))
    RaiseWriteError();
}

void TIniFile::ReadNames(const char* section, TStrings& strings) {
  const std::string names = ReadProfile(section, nullptr, "", GetFileName(), 2);
  WhileUpdating(strings, [&] {
    strings.Clear();
    for (size_t start = 0; start < names.size();) {
      size_t end = names.find('\0', start);
      if (end == std::string::npos) end = names.size();
      if (end > start) strings.Add(names.substr(start, end - start));
      start = end + 1;
    }
  });
}

void TIniFile::ReadSection(const std::string& section, TStrings& strings) { ReadNames(section.c_str(), strings); }

void TIniFile::ReadSections(TStrings& strings) { ReadNames(nullptr, strings); }

void TIniFile::EraseSection(const std::string& section) {
  if (!WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, GetFileName().c_str()))
    RaiseWriteError();
}

void TIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  WritePrivateProfileStringA(section.c_str(), ident.c_str(), nullptr, GetFileName().c_str());
}

void TIniFile::UpdateFile() { WritePrivateProfileStringA(nullptr, nullptr, nullptr, GetFileName().c_str()); }
