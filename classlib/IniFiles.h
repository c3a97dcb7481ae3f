// Ini files (8-bit): TCustomIniFile builds typed values on two string operations; TIniFile works
// straight on the file through the system's private-profile functions, nothing cached.
#pragma once

#include <string>
#include <vector>

#include "classlib/Classes.h"

class TCustomIniFile : public TObject {
  KX_CLASS(TCustomIniFile, TObject)
 public:
  explicit TCustomIniFile(std::string fileName) : FFileName(std::move(fileName)) {}
  const std::string& GetFileName() const { return FFileName; }

  virtual std::string ReadString(const std::string& section, const std::string& ident,
                                 const std::string& defaultValue) = 0;
  virtual void WriteString(const std::string& section, const std::string& ident, const std::string& value) = 0;
  // Decimal, or hexadecimal after "0x" or "$"; the default for anything else.
  virtual int ReadInteger(const std::string& section, const std::string& ident, int defaultValue);
  virtual void WriteInteger(const std::string& section, const std::string& ident, int value);
  // Stored as "1" and "0"; any non-zero integer reads as true.
  virtual bool ReadBool(const std::string& section, const std::string& ident, bool defaultValue);
  virtual void WriteBool(const std::string& section, const std::string& ident, bool value);
  // In the user's number format; the default when empty or no number.
  virtual double ReadFloat(const std::string& section, const std::string& ident, double defaultValue);
  virtual void WriteFloat(const std::string& section, const std::string& ident, double value);

  // Fill the list (cleared first) with the keys of a section, the section names, or key=value lines.
  virtual void ReadSection(const std::string& section, TStrings& strings) = 0;
  virtual void ReadSections(TStrings& strings) = 0;
  virtual void ReadSectionValues(const std::string& section, TStrings& strings);
  bool SectionExists(const std::string& section);
  bool ValueExists(const std::string& section, const std::string& ident);
  virtual void EraseSection(const std::string& section) = 0;
  virtual void DeleteKey(const std::string& section, const std::string& ident) = 0;
  virtual void UpdateFile() = 0;

 private:
  std::string FFileName;
};

// The system's private-profile functions on a file named in 8-bit or in wide text, read whole
// however long the text is. A key's value: false when the file, the section or the key is missing.
bool ReadProfileString(const std::string& file, const std::string& section, const std::string& key,
                       std::string& value);
bool ReadProfileString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                       std::wstring& value);
// The keys of a section, or for a null section the sections of the file.
std::vector<std::string> ReadProfileNames(const std::string& file, const char* section);
std::vector<std::wstring> ReadProfileNames(const std::wstring& file, const wchar_t* section);
// Writes a key's value; a null value deletes the key, a null key the section. A write the system
// refuses raises EWriteError "Unable to write to <file name>" with the system's reason.
void WriteProfileString(const std::string& file, const char* section, const char* key, const char* value);
void WriteProfileString(const std::wstring& file, const wchar_t* section, const wchar_t* key, const wchar_t* value);

// Writes that the system refuses raise EWriteError "Unable to write to <file name>". A file
// name without a folder means the system's Windows folder, as for the profile functions.
class TIniFile : public TCustomIniFile {
  KX_CLASS(TIniFile, TCustomIniFile)
 public:
  explicit TIniFile(const std::string& fileName) : TCustomIniFile(fileName) {}
  ~TIniFile() override;
  TIniFile(const TIniFile&) = delete;
  TIniFile& operator=(const TIniFile&) = delete;

  // A missing key gives the default exactly as passed.
  std::string ReadString(const std::string& section, const std::string& ident,
                         const std::string& defaultValue) override;
  // The key's value; false when the file, the section or the key is missing.
  bool TryReadString(const std::string& section, const std::string& ident, std::string& value);
  void WriteString(const std::string& section, const std::string& ident, const std::string& value) override;
  void ReadSection(const std::string& section, TStrings& strings) override;
  void ReadSections(TStrings& strings) override;
  void EraseSection(const std::string& section) override;
  void DeleteKey(const std::string& section, const std::string& ident) override;
  // Flushes the system's cache of the file.
  void UpdateFile() override;

 private:
  void ReadNames(const char* section, TStrings& strings);
};
