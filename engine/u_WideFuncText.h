// Text files in every encoding the program knows: the one reader and the one writer through which
// every window and builder loads and saves text, the detection of a file's encoding, the code-point
// helpers of the UTF-32 paths, the output encoding that saves of the user's text use, and the seam
// through which Word documents reach the Word importer.
#pragma once

#include "classlib/SysUtils.h"
#include "engine/u_TextPicture.h"

#include <string>

// ---- Encoding identifiers
constexpr int kEncodingAnsi = 0;         // the system's ANSI code page
constexpr int kEncodingUtf16LE = 1200;
constexpr int kEncodingUtf16BE = 1201;
constexpr int kEncodingUtf7Ansi = 64999;  // UTF-7 that never carries a signature
constexpr int kEncodingUtf7 = 65000;      // UTF-7, with the signature of U+FEFF when a mark is asked for
constexpr int kEncodingUtf8 = 65001;      // UTF-8, never a mark
constexpr int kEncodingUtf8BOM = 65002;   // UTF-8, always a mark
constexpr int kEncodingUtf32LE = 65005;
constexpr int kEncodingUtf32BE = 65006;

// True for the nine identifiers above.
bool IsKnownEncoding(int Encoding);

// ---- Reading and writing

// The text of a file in any of the encodings DetectFileEncoding finds; a ".doc"/".docx" document goes
// to the Word importer, whose errors it lets pass. Raises EFOpenError when the file cannot be
// opened, and for a name that is no file on a disk (a device, a pipe, a folder), from which
// nothing is read. A file that begins like the UTF-7 mark but
// whose body is no UTF-7 is read as if it had no mark. A UTF-8 body with bad sequences gives the
// valid characters with U+FFFD for each bad sequence.
std::wstring LoadTextFileW(const std::wstring& FileName);
// The same into text, with bytes as the buffer of the file's bytes: a run that reads many files
// keeps the room of both from file to file.
void LoadTextFileW(const std::wstring& FileName, std::wstring& text, std::string& bytes);

// Why a save wrote nothing.
enum class TTextSaveFailure {
  None,
  UnknownEncoding,  // the identifier is none of the nine
  Picture,          // ".bmp", ".gif", ".jpg", ".jpeg": the picture was not made (see Picture)
};

// What a save did beyond its result.
struct TTextSaveReport {
  TTextSaveFailure Failure = TTextSaveFailure::None;
  // ANSI only: characters (a surrogate pair counts once) that the code page cannot show and that were
  // written as a substitute, so that the window can warn the user.
  int ReplacedChars = 0;
  // Why a picture was not made; PictureErrorMessage gives the user's message.
  TPictureError Picture;
};

// Writes Text to FileName in Encoding, with a byte-order mark when WithBOM and the encoding allows
// one (65001 never writes one, 65002 always does); a picture name gets the text drawn as a picture
// in the picture font and background of PictureOutput() instead. The new file is written beside the
// old one under a temporary name and replaces it only when complete, so a failed save leaves an
// existing file as it was; the file keeps its attributes and access rules. An existing file in a
// folder that takes no new file is written in place. Returns false, touching nothing, for an unknown encoding or a picture
// that cannot be made (see Report); raises EFCreateError when the file cannot be written.
bool SaveTextFileW(const std::wstring& Text, const std::wstring& FileName, int Encoding, bool WithBOM,
                   TTextSaveReport* Report = nullptr);

// The encoding of a file by its byte-order mark, else by the UTF-8 test: one of 0, 1200, 1201,
// 65000, 65001, 65002, 65005, 65006. Raises EFOpenError when the file cannot be opened or is no
// file on a disk.
int DetectFileEncoding(const std::wstring& FileName);

// The short name of an encoding identifier ("ANSI", "UTF-16 LE", ..., "UTF-32 BE"); empty for an
// unknown one.
std::wstring EncodingName(int Encoding);
// EncodingName of DetectFileEncoding, for the encoding column of the file lists.
std::wstring GetFileEncodingName(const std::wstring& FileName);

// ---- Code points (UTF-16 units; positions count from 1; 63 is "?")
bool IsHighSurrogate(wchar_t C);
bool IsLowSurrogate(wchar_t C);
// The code point of a high and a low surrogate; 63 when they are not such a pair.
int SurrogatePairToCodePoint(wchar_t Hi, wchar_t Lo);
// The code point at Index and in Len the units it takes (1 or 2); 63 for a lone surrogate, and 63
// with Len untouched when Index is outside the text.
int CodePointAtLen(const std::wstring& S, int Index, int& Len);
int CodePointAt(const std::wstring& S, int Index);
// One unit, a surrogate pair from U+10000, or "?" for a surrogate, a negative value or one above
// U+10FFFF.
std::wstring CodePointToWideStr(int CodePoint);

// ---- Output encoding
// The encoding and byte-order-mark flag with which every save of the user's text is written (saved
// index texts, memo contents, index data files). The output settings window takes this setting over:
// its radio buttons set the encoding and its byte-order-mark check box the flag.
class TOutputEncoding {
 public:
  static constexpr int kFactoryEncoding = kEncodingUtf8;
  static constexpr bool kFactoryWithBOM = true;

  int GetEncoding() const { return m_encoding; }
  // Ignores an unknown identifier and returns false for it.
  bool SetEncoding(int Encoding);
  bool GetWithBOM() const { return m_withBOM; }
  void SetWithBOM(bool WithBOM) { m_withBOM = WithBOM; }
  void Reset();

 private:
  int m_encoding = kFactoryEncoding;
  bool m_withBOM = kFactoryWithBOM;
};

// The program's one output encoding.
TOutputEncoding& OutputEncoding();

// ---- Word documents
// The Word importer reads a document page by page, each page followed by a line with its number.
// Unless another is installed, Word documents are read through Word (ReadWordDocument) with
// English messages; the program installs one that follows its language.
class TWordDocumentReader {
 public:
  virtual ~TWordDocumentReader() = default;
  // All pages when MaxPages is -1.
  virtual std::wstring ReadWordDocument(const std::wstring& FileName, int MaxPages) = 0;
};

// Installs the importer (not owned; nullptr restores reading through Word) and gives back the one
// installed before (nullptr for the built-in one).
TWordDocumentReader* SetWordDocumentReader(TWordDocumentReader* Reader);
