// Ini files with wide section names, keys and values. TUCodeCustomIniFile builds the typed
// reads and writes on two string operations; TUCodeIniFile works straight on the file through
// the system's private-profile functions (wide form on the NT family, the 8-bit ini file of the
// class library elsewhere). Nothing is cached: every call goes to the file.
#pragma once

#include "classlib/IniFiles.h"
#include "classlib/Streams.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"

#include <memory>
#include <string>

class TUCodeCustomIniFile : public TObject {
  KX_CLASS(TUCodeCustomIniFile, TObject)
 public:
  explicit TUCodeCustomIniFile(std::wstring fileName) : FFileName(std::move(fileName)) {}
  const std::wstring& GetFileName() const { return FFileName; }

  virtual std::wstring ReadString(const std::wstring& section, const std::wstring& ident,
                                  const std::wstring& defaultValue) = 0;
  virtual void WriteString(const std::wstring& section, const std::wstring& ident, const std::wstring& value) = 0;
  // Decimal, or hexadecimal after "0x"/"0X" (longer than two characters) or "$"; the default
  // for anything else.
  virtual int ReadInteger(const std::wstring& section, const std::wstring& ident, int defaultValue);
  virtual void WriteInteger(const std::wstring& section, const std::wstring& ident, int value);
  // Stored as "1" and "0"; any non-zero integer reads as true.
  virtual bool ReadBool(const std::wstring& section, const std::wstring& ident, bool defaultValue);
  virtual void WriteBool(const std::wstring& section, const std::wstring& ident, bool value);
  // Bytes as hexadecimal text, two digits a byte. Reading appends the bytes to the stream and
  // gives their number.
  virtual int ReadBinaryStream(const std::wstring& section, const std::wstring& ident, TStream& value);
  // Dates, times and numbers in the user's formats (short date, long time, the library's
  // date-and-time form and general number text); the default when the value is empty or does
  // not convert.
  virtual TDateTime ReadDate(const std::wstring& section, const std::wstring& ident, TDateTime defaultValue);
  virtual TDateTime ReadDateTime(const std::wstring& section, const std::wstring& ident, TDateTime defaultValue);
  virtual double ReadFloat(const std::wstring& section, const std::wstring& ident, double defaultValue);
  virtual TDateTime ReadTime(const std::wstring& section, const std::wstring& ident, TDateTime defaultValue);
  virtual void WriteBinaryStream(const std::wstring& section, const std::wstring& ident, TStream& value);
  virtual void WriteDate(const std::wstring& section, const std::wstring& ident, TDateTime value);
  virtual void WriteDateTime(const std::wstring& section, const std::wstring& ident, TDateTime value);
  virtual void WriteFloat(const std::wstring& section, const std::wstring& ident, double value);
  virtual void WriteTime(const std::wstring& section, const std::wstring& ident, TDateTime value);

  // Fill the list (cleared first, in one update) with the keys of a section, the section
  // names, or key=value lines.
  virtual void ReadSection(const std::wstring& section, TWideStrings& strings) = 0;
  virtual void ReadSections(TWideStrings& strings) = 0;
  virtual void ReadSectionValues(const std::wstring& section, TWideStrings& strings) = 0;
  virtual void EraseSection(const std::wstring& section) = 0;
  virtual void DeleteKey(const std::wstring& section, const std::wstring& ident) = 0;
  virtual void UpdateFile() = 0;

 private:
  template <class Convert>
  double ReadConverted(const std::wstring& section, const std::wstring& ident, double defaultValue, Convert convert);
  std::wstring FFileName;
};

// Writes that the system refuses raise EWriteError "Unable to write to <file name>".
//
// The profile functions drop a value's leading and trailing blanks and one pair of enclosing
// quotes when they read it. A value that begins or ends with a blank, a tab or a quote is
// therefore written inside double quotes, so that it reads back as written, here and in any
// other reader of profile files; values written without quotes read as before. Values and
// name lists of any length come back whole.
class TUCodeIniFile : public TUCodeCustomIniFile {
  KX_CLASS(TUCodeIniFile, TUCodeCustomIniFile)
 public:
  explicit TUCodeIniFile(const std::wstring& fileName);
  ~TUCodeIniFile() override;
  TUCodeIniFile(const TUCodeIniFile&) = delete;
  TUCodeIniFile& operator=(const TUCodeIniFile&) = delete;

  // A missing key gives the default exactly as passed.
  std::wstring ReadString(const std::wstring& section, const std::wstring& ident,
                          const std::wstring& defaultValue) override;
  void WriteString(const std::wstring& section, const std::wstring& ident, const std::wstring& value) override;
  void ReadSection(const std::wstring& section, TWideStrings& strings) override;
  void ReadSections(TWideStrings& strings) override;
  void ReadSectionValues(const std::wstring& section, TWideStrings& strings) override;
  void EraseSection(const std::wstring& section) override;
  void DeleteKey(const std::wstring& section, const std::wstring& ident) override;
  // Flushes the system's cache of the file.
  void UpdateFile() override;

 private:
  void ReadNames(const wchar_t* section, TWideStrings& strings);
  std::unique_ptr<TIniFile> FAnsiIniFile;  // only where the system is not Unicode-capable
};
