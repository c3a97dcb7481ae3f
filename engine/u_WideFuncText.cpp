#include "engine/u_WideFuncText.h"

#include "classlib/WinApi.h"
#include "classlib/Classes.h"
#include "engine/u_FileErrors.h"
#include "engine/u_WideFunc.h"
#include "ucode/UCodeSysUtils.h"
#include "ucode/UCodeSystemRep.h"
#include "ucode/UCodeWindows.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

constexpr wchar_t kByteOrderMark = 0xFEFF;
constexpr wchar_t kReplacementChar = 0xFFFD;
constexpr int kQuestionMark = 63;
constexpr int kMaxCodePoint = 0x10FFFF;
const std::string kUtf8Mark("\xEF\xBB\xBF", 3);

// ---- Files

// An open file handle, closed when it goes.
class TFileHandle {
 public:
  explicit TFileHandle(HANDLE handle) : m_handle(handle) {}
  ~TFileHandle() { Close(); }
  TFileHandle(const TFileHandle&) = delete;
  TFileHandle& operator=(const TFileHandle&) = delete;

  bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return m_handle; }
  bool Close() {
    if (!IsOpen()) return true;
    bool closed = CloseHandle(m_handle) != 0;
    m_handle = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE m_handle;
};

// The class library's message for a file that cannot be opened or created, with the system's reason.
std::string LibraryFileErrorMessage(const wchar_t* verb, const std::wstring& fileName, DWORD error) {
  std::wstring message = std::wstring(L"Cannot ") + verb + L" file \"" + fileName + L"\". ";
  return RepWideStringToStringEx(message + WideSysErrorMessage(error), CP_ACP);
}

[[noreturn]] void RaiseOpenError(const std::wstring& fileName, DWORD error) {
  throw EFOpenError(LibraryFileErrorMessage(L"open", fileName, error), fileName, error);
}

[[noreturn]] void RaiseOpenError(const std::wstring& fileName) { RaiseOpenError(fileName, GetLastError()); }

[[noreturn]] void RaiseCreateError(const std::wstring& fileName, DWORD error) {
  throw EFCreateError(LibraryFileErrorMessage(L"create", fileName, error), fileName, error);
}

// Opens a file on a disk for reading, others may read it meanwhile. A device name, a device or a
// pipe is refused before anything is read from it: it may never deliver data, and the reader
// would wait for good.
HANDLE OpenForReading(const std::wstring& fileName, DWORD flags) {
  if (IsDeviceName(fileName)) RaiseFileError(TFileAction::Open, fileName, kErrorDeviceNotFile);
  HANDLE handle = WideCreateFile(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, flags, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    // A folder or a pipe that cannot be opened for reading is told as what it is.
    const DWORD error = GetLastError();
    RefuseNoFile(TFileAction::Open, fileName);
    RaiseOpenError(fileName, error);
  }
  if (GetFileType(handle) != FILE_TYPE_DISK) {
    CloseHandle(handle);
    RaiseFileError(TFileAction::Open, fileName, kErrorDeviceNotFile);
  }
  return handle;
}

// The whole file into bytes (its room kept); others may read it meanwhile.
void ReadWholeFile(const std::wstring& fileName, std::string& bytes) {
  TFileHandle file(OpenForReading(fileName, FILE_ATTRIBUTE_NORMAL));
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size)) RaiseOpenError(fileName);
  if (size.QuadPart > std::numeric_limits<DWORD>::max() / 2) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    RaiseOpenError(fileName);
  }
  bytes.resize(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    if (!ReadFile(file.Get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got, nullptr))
      RaiseOpenError(fileName);
    if (got == 0) break;  // the file shrank meanwhile
    done += got;
  }
  bytes.resize(done);
}

// Folder part of a name, with its delimiter; empty for a bare name.
std::wstring FolderOf(const std::wstring& fileName) {
  size_t cut = fileName.find_last_of(L"\\/:");
  return cut == std::wstring::npos ? std::wstring() : fileName.substr(0, cut + 1);
}

// Creates a new, empty file beside the target (a name for the system) under a name no other file
// has, given in the system's form as well; an invalid handle, with the system's reason in error,
// when the folder takes no new file.
HANDLE CreateFileBeside(const std::wstring& target, std::wstring& tempName, DWORD& error) {
  static unsigned counter = 0;
  std::wstring prefix = FolderOf(target) + L"~kx" + std::to_wstring(GetCurrentProcessId()) + L"_";
  error = ERROR_FILE_EXISTS;
  for (int attempt = 0; attempt < 1000; ++attempt) {
    tempName = WideSystemFileName(prefix + std::to_wstring(++counter) + L".tmp");
    HANDLE file = WideCreateFile(tempName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                 nullptr);
    if (file != INVALID_HANDLE_VALUE) return file;
    error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  return INVALID_HANDLE_VALUE;
}

// The system's error code, ERROR_SUCCESS when every byte is written.
DWORD WriteAll(HANDLE file, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 24));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) return GetLastError();
    if (written == 0) return ERROR_WRITE_FAULT;
    done += written;
  }
  return ERROR_SUCCESS;
}

// Attributes of the user's file that its new text keeps (read-only files are not written at all).
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// The new file takes the access rules and the attributes of the file it is to replace. The system's
// replace call keeps them by itself where it can; taking them over first keeps them also where it
// does not. What cannot be read or set here is left to that call. Both are names for the system.
void TakeOverAttributesAndSecurity(const std::wstring& target, DWORD targetAttributes, const std::wstring& newFile) {
  DWORD size = 0;
  GetFileSecurityW(target.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &size);
  if (size > 0) {
    std::vector<unsigned char> descriptor(size);
    if (GetFileSecurityW(target.c_str(), DACL_SECURITY_INFORMATION, descriptor.data(), size, &size))
      SetFileSecurityW(newFile.c_str(), DACL_SECURITY_INFORMATION, descriptor.data());
  }
  const DWORD own = WideGetFileAttributes(newFile.c_str());
  if (own != INVALID_FILE_ATTRIBUTES && (targetAttributes & kKeptAttributes) != 0)
    SetFileAttributesW(newFile.c_str(), own | (targetAttributes & kKeptAttributes));
}

// Puts the complete new file in the place of the existing target through the system's replace call,
// which hands on the target's attributes and access rules (and, where it can, its creation time and
// identity). The old text goes to a backup beside it, deleted at the end: named by us, it leaves
// nothing behind on systems whose call otherwise makes names of its own. ERROR_SUCCESS, or the
// system's reason with the target as it was. The target (the user's file name in the system's
// form) and the new file are names for the system.
DWORD ReplaceTarget(const std::wstring& fileName, const std::wstring& target, const std::wstring& tempName) {
  constexpr DWORD kMove = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
  std::wstring backupName;
  DWORD error = ERROR_SUCCESS;
  if (!TFileHandle(CreateFileBeside(target, backupName, error)).IsOpen()) return error;
  if (ReplaceFileW(target.c_str(), tempName.c_str(), backupName.c_str(), 0, nullptr, nullptr)) {
    WideDeleteFile(backupName.c_str());
    return ERROR_SUCCESS;
  }
  error = GetLastError();
  // The target is gone: removed meanwhile, or moved to the backup by a call that could not finish.
  // The new file takes its name; failing that, the backup goes back.
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
    if (MoveFileExW(tempName.c_str(), target.c_str(), kMove)) {
      WideDeleteFile(backupName.c_str());
      return ERROR_SUCCESS;
    }
    const DWORD moveError = GetLastError();
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 && !MoveFileExW(backupName.c_str(), target.c_str(), kMove)) {
      // No error code: the message itself, which says where the old text is, is what the user needs.
      const std::wstring reason = WideSysErrorMessage(GetLastError());
      const std::wstring shownBackup = FolderOf(fileName) + WideExtractFileName(backupName);
      throw EFCreateError(RepWideStringToStringEx(L"Cannot create file \"" + fileName + L"\". " + reason +
                                                      L" The old text is in \"" + shownBackup + L"\".",
                                                  CP_ACP),
                          fileName);
    }
    error = moveError;
  }
  WideDeleteFile(backupName.c_str());
  return error;
}

// Writes over the target itself, where no new file can take its place: name, attributes and access
// rules stay as they are, but a failure on the way can leave the file half written. Room for a
// longer text is taken first, so that a full disk refuses the save before the old text is touched.
void WriteInPlace(const std::wstring& fileName, const std::string& bytes) {
  TFileHandle file(WideCreateFile(fileName.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
  if (!file.IsOpen()) RaiseCreateError(fileName, GetLastError());
  LARGE_INTEGER size{}, length{}, start{};
  length.QuadPart = static_cast<LONGLONG>(bytes.size());
  DWORD error = ERROR_SUCCESS;
  if (!GetFileSizeEx(file.Get(), &size) ||
      (length.QuadPart > size.QuadPart &&
       !(SetFilePointerEx(file.Get(), length, nullptr, FILE_BEGIN) && SetEndOfFile(file.Get()))) ||
      !SetFilePointerEx(file.Get(), start, nullptr, FILE_BEGIN))
    error = GetLastError();
  if (error == ERROR_SUCCESS) error = WriteAll(file.Get(), bytes);
  if (error == ERROR_SUCCESS && (!SetEndOfFile(file.Get()) || !FlushFileBuffers(file.Get()) || !file.Close()))
    error = GetLastError();
  if (error != ERROR_SUCCESS) RaiseCreateError(fileName, error);
}

// Writes the bytes under a temporary name in the target's folder and only then puts the new file in
// place of the old one, which hands on its attributes and access rules: a save that fails on the
// way leaves the user's file as it was. A file that the user may change in a folder that takes no
// new file (or lets none take the file's place) is written in place.
void WriteFileSafely(const std::wstring& fileName, const std::string& bytes) {
  // A device, a pipe or a folder of that name is no file to write: refused as what it is, before
  // the system answers with reasons of its own.
  RefuseNoFile(TFileAction::Save, fileName);
  // The calls below that have no counterpart in the Unicode layer get the name as it hands it on.
  const std::wstring target = WideSystemFileName(fileName);
  // A read-only file is not ours to replace (not every system refuses the move onto a read-only
  // file by itself).
  const DWORD attributes = WideGetFileAttributes(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
    RaiseCreateError(fileName, ERROR_ACCESS_DENIED);
  const bool replacing = attributes != INVALID_FILE_ATTRIBUTES;
  std::wstring tempName;
  DWORD error = ERROR_SUCCESS;
  TFileHandle temp(CreateFileBeside(target, tempName, error));
  if (!temp.IsOpen()) {
    if (replacing && error == ERROR_ACCESS_DENIED) return WriteInPlace(fileName, bytes);
    RaiseCreateError(fileName, error);
  }
  error = WriteAll(temp.Get(), bytes);
  if (error == ERROR_SUCCESS && (!FlushFileBuffers(temp.Get()) || !temp.Close())) error = GetLastError();
  temp.Close();
  if (error == ERROR_SUCCESS) {
    if (replacing) {
      TakeOverAttributesAndSecurity(target, attributes, tempName);
      error = ReplaceTarget(fileName, target, tempName);
    } else if (!MoveFileExW(tempName.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      error = GetLastError();
    }
  }
  if (error == ERROR_SUCCESS) return;
  WideDeleteFile(tempName.c_str());
  if (replacing && (error == ERROR_ACCESS_DENIED || error == ERROR_UNABLE_TO_REMOVE_REPLACED))
    return WriteInPlace(fileName, bytes);
  RaiseCreateError(fileName, error);
}

// ---- Reading

std::uint32_t ByteAt(const std::string& bytes, size_t index) {
  return index < bytes.size() ? static_cast<unsigned char>(bytes[index]) : 0u;
}

bool StartsWith(const std::string& bytes, std::initializer_list<std::uint32_t> mark) {
  size_t index = 0;
  for (std::uint32_t byte : mark)
    if (ByteAt(bytes, index++) != byte) return false;
  return true;
}

// "+/v" followed by the character that holds the last bits of U+FEFF and the first two bits of
// whatever follows it in the same base64 run.
bool HasUtf7Mark(const std::string& bytes) {
  if (!StartsWith(bytes, {0x2B, 0x2F, 0x76})) return false;
  std::uint32_t fourth = ByteAt(bytes, 3);
  return fourth == 0x38 || fourth == 0x39 || fourth == 0x2B || fourth == 0x2F;
}

constexpr int kNoMark = -1;

// The encoding a file's first bytes tell by their marks, in this order (ANSI for a file of at most
// one byte); kNoMark when they tell none. The first four bytes of a file, or all of a shorter one,
// decide. Without utf7Mark the UTF-7 mark counts as text.
int EncodingByMark(const std::string& head, bool utf7Mark) {
  if (head.size() <= 1) return kEncodingAnsi;
  if (StartsWith(head, {0xEF, 0xBB, 0xBF})) return kEncodingUtf8BOM;
  if (utf7Mark && HasUtf7Mark(head)) return kEncodingUtf7;
  if (StartsWith(head, {0xFF, 0xFE, 0x00, 0x00}) && head.size() > 2) return kEncodingUtf32LE;
  if (StartsWith(head, {0x00, 0x00, 0xFE, 0xFF})) return kEncodingUtf32BE;
  if (StartsWith(head, {0xFF, 0xFE})) return kEncodingUtf16LE;
  if (StartsWith(head, {0xFE, 0xFF})) return kEncodingUtf16BE;
  return kNoMark;
}

// The encoding by the marks, else by the UTF-8 test; a file passing the test leaves its decoded
// text in utf8Text.
int DetectEncoding(const std::string& bytes, std::wstring* utf8Text, bool utf7Mark = true) {
  const int marked = EncodingByMark(bytes, utf7Mark);
  if (marked != kNoMark) return marked;
  const bool utf8 = utf8Text ? UCodeUTF8DecodeInto(bytes.data(), bytes.size(), *utf8Text)
                             : UCodeIsUTF8(bytes.data(), bytes.size());
  return utf8 ? kEncodingUtf8 : kEncodingAnsi;
}

// The units at the end of bytes that begin a UTF-8 sequence the bytes do not hold whole (0 to 3).
size_t CutSequenceLength(const char* bytes, size_t size) {
  for (size_t back = 1; back <= 3 && back <= size; ++back) {
    const unsigned char byte = static_cast<unsigned char>(bytes[size - back]);
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte
    const size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    return length > back ? back : 0;
  }
  return 0;
}

// The UTF-8 test over a file read piece by piece, in the room of one piece: a sequence cut by
// the end of a piece is tested whole with the next piece.
class TStreamingUtf8Test {
 public:
  explicit TStreamingUtf8Test(size_t pieceSize) : m_buffer(pieceSize + 3, '\0'), m_pieceSize(pieceSize) {}

  // Where the next piece is read to, behind the bytes kept from the last one.
  char* Room() { return m_buffer.data() + m_kept; }
  size_t RoomSize() const { return m_pieceSize; }

  // Tests the `got` bytes read into Room; false when they show that the file is no UTF-8.
  bool Take(size_t got) {
    const size_t total = m_kept + got;
    const size_t whole = total - CutSequenceLength(m_buffer.data(), total);
    if (!UCodeIsUTF8(m_buffer.data(), whole)) return false;
    m_kept = total - whole;
    std::copy(m_buffer.begin() + whole, m_buffer.begin() + total, m_buffer.begin());
    return true;
  }

  // At the end of the file: a sequence still cut fails.
  bool Passed() const { return m_kept == 0; }

 private:
  std::string m_buffer;
  size_t m_pieceSize;
  size_t m_kept = 0;
};

// Bytes read at a time when a file's encoding is told: a file of any size is told in this room.
constexpr size_t kDetectionPiece = 1 << 20;

// Reads up to `size` bytes; fewer only at the end of the file.
size_t ReadUpTo(HANDLE file, const std::wstring& fileName, char* to, size_t size) {
  size_t done = 0;
  while (done < size) {
    DWORD got = 0;
    if (!ReadFile(file, to + done, static_cast<DWORD>(size - done), &got, nullptr)) RaiseOpenError(fileName);
    if (got == 0) break;
    done += got;
  }
  return done;
}

// UTF-16 after the 2-byte mark; a trailing odd byte is dropped.
std::wstring DecodeUtf16(const std::string& bytes, bool bigEndian) {
  size_t units = bytes.size() < 2 ? 0 : (bytes.size() - 2) / 2;
  std::wstring text(units, L'\0');
  for (size_t i = 0; i < units; ++i) {
    std::uint32_t first = ByteAt(bytes, 2 + 2 * i), second = ByteAt(bytes, 3 + 2 * i);
    text[i] = static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
  }
  return text;
}

// UTF-32 after the 4-byte mark; 1 to 3 trailing bytes are ignored, values that are no character
// become "?".
std::wstring DecodeUtf32(const std::string& bytes, bool bigEndian) {
  size_t units = bytes.size() / 4;
  std::wstring text;
  text.reserve(units);
  for (size_t i = 1; i < units; ++i) {
    std::uint32_t value = 0;
    for (size_t k = 0; k < 4; ++k) {
      size_t shift = bigEndian ? 8 * (3 - k) : 8 * k;
      value |= ByteAt(bytes, 4 * i + k) << shift;
    }
    bool isCodePoint = value <= static_cast<std::uint32_t>(kMaxCodePoint);
    text += CodePointToWideStr(isCodePoint ? static_cast<int>(value) : -1);
  }
  return text;
}

// Decodes what is valid and puts one U+FFFD for each run of bytes that begin no character. The
// program's decoder decides what a character is: a sequence is the shortest run of bytes from here
// that it decodes (a pair of surrogates written as two 3-byte sequences takes six).
std::wstring SalvageUtf8(const std::string& body) {
  constexpr size_t kLongestSequence = 6;
  std::wstring text;
  bool inBadRun = false;
  size_t i = 0;
  while (i < body.size()) {
    if (static_cast<unsigned char>(body[i]) < 0x80) {
      text += static_cast<wchar_t>(body[i++]);
      inBadRun = false;
      continue;
    }
    std::wstring decoded;
    size_t length = 2;
    for (; length <= kLongestSequence && i + length <= body.size(); ++length) {
      decoded = RepUTF8Decode(body.substr(i, length));
      if (!decoded.empty()) break;
    }
    if (!decoded.empty()) {
      text += decoded;
      i += length;
      inBadRun = false;
    } else {
      if (!inBadRun) text += kReplacementChar;
      inBadRun = true;
      ++i;
    }
  }
  return text;
}

std::wstring DecodeUtf8(const std::string& bytes) {
  const size_t mark = StartsWith(bytes, {0xEF, 0xBB, 0xBF}) ? 3 : 0;
  std::wstring text;
  if (!UCodeUTF8DecodeInto(bytes.data() + mark, bytes.size() - mark, text)) text = SalvageUtf8(bytes.substr(mark));
  return text;
}

// The mark is the start of a base64 run that may go on into the text, so the whole file is decoded
// and the U+FEFF it gives is dropped.
std::wstring DecodeUtf7(const std::string& bytes) {
  std::wstring text = RepUTF7ToWideString(bytes);
  if (!text.empty() && text[0] == kByteOrderMark) text.erase(0, 1);
  return text;
}

std::wstring DecodeBytes(const std::string& bytes, int encoding) {
  switch (encoding) {
    case kEncodingUtf16LE: return DecodeUtf16(bytes, false);
    case kEncodingUtf16BE: return DecodeUtf16(bytes, true);
    case kEncodingUtf8:
    case kEncodingUtf8BOM: return DecodeUtf8(bytes);
    case kEncodingUtf7: return DecodeUtf7(bytes);
    case kEncodingUtf32LE: return DecodeUtf32(bytes, false);
    case kEncodingUtf32BE: return DecodeUtf32(bytes, true);
    default: return StringToWideStringEx(bytes, CP_ACP);
  }
}

bool IsWordDocumentName(const std::wstring& fileName) {
  std::wstring extension = WideUpperCase(WideExtractFileExt(fileName));
  extension.erase(std::remove(extension.begin(), extension.end(), L'.'), extension.end());
  return extension == L"DOC" || extension == L"DOCX";
}

TWordDocumentReader* g_wordDocumentReader = nullptr;

TWordDocumentReader& WordDocumentReader() {
  static TWordAutomationReader throughWord([] { return std::string("en"); });
  return g_wordDocumentReader ? *g_wordDocumentReader : throughWord;
}

}  // namespace

namespace {

// ---- Writing

void AppendUnit(std::string& bytes, std::uint32_t unit, bool bigEndian) {
  char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
  bytes += bigEndian ? high : low;
  bytes += bigEndian ? low : high;
}

std::string Utf16Bytes(const std::wstring& text, bool withBOM, bool bigEndian) {
  std::string bytes;
  bytes.reserve(2 * (text.size() + 1));
  if (withBOM) AppendUnit(bytes, kByteOrderMark, bigEndian);
  for (wchar_t c : text) AppendUnit(bytes, c, bigEndian);
  return bytes;
}

void AppendCodePoint(std::string& bytes, std::uint32_t value, bool bigEndian) {
  for (int k = 0; k < 4; ++k) {
    int shift = bigEndian ? 8 * (3 - k) : 8 * k;
    bytes += static_cast<char>((value >> shift) & 0xFF);
  }
}

// A pair becomes its code point; a high surrogate without its low half "?", a lone low one nothing.
std::string Utf32Bytes(const std::wstring& text, bool withBOM, bool bigEndian) {
  std::string bytes;
  bytes.reserve(4 * (text.size() + 1));
  if (withBOM) AppendCodePoint(bytes, kByteOrderMark, bigEndian);
  for (size_t i = 0; i < text.size(); ++i) {
    wchar_t c = text[i];
    if (IsLowSurrogate(c)) continue;
    int value = c;
    if (IsHighSurrogate(c)) value = SurrogatePairToCodePoint(c, i + 1 < text.size() ? text[i + 1] : L'\0');
    AppendCodePoint(bytes, static_cast<std::uint32_t>(value), bigEndian);
  }
  return bytes;
}

// Characters that do not come back from a round trip through the ANSI code page (the converter
// wrote its default or a look-alike for them); a surrogate pair counts once.
int CountUnshownChars(const std::wstring& text, const std::string& ansi) {
  if (StringToWideStringEx(ansi, CP_ACP) == text) return 0;
  std::vector<signed char> shown(0x10000, -1);
  int count = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    wchar_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      ++count;
      ++i;
      continue;
    }
    signed char& known = shown[c];
    if (known < 0) {
      std::wstring one(1, c);
      known = StringToWideStringEx(RepWideStringToStringEx(one, CP_ACP), CP_ACP) == one ? 1 : 0;
    }
    if (known == 0) ++count;
  }
  return count;
}

std::string Utf7Bytes(const std::wstring& text, bool withBOM) {
  return RepWideStringToUTF7(withBOM ? std::wstring(1, kByteOrderMark) + text : text);
}

// The file's bytes; the encoding is known.
std::string EncodeText(const std::wstring& text, int encoding, bool withBOM, int& replacedChars) {
  switch (encoding) {
    case kEncodingUtf16LE: return Utf16Bytes(text, withBOM, false);
    case kEncodingUtf16BE: return Utf16Bytes(text, withBOM, true);
    case kEncodingUtf32LE: return Utf32Bytes(text, withBOM, false);
    case kEncodingUtf32BE: return Utf32Bytes(text, withBOM, true);
    case kEncodingUtf8: return RepUTF8Encode(text);
    case kEncodingUtf8BOM: return kUtf8Mark + RepUTF8Encode(text);
    case kEncodingUtf7: return Utf7Bytes(text, withBOM);
    case kEncodingUtf7Ansi: return Utf7Bytes(text, false);
    default: {
      std::string ansi = RepWideStringToStringEx(text, CP_ACP);
      replacedChars = CountUnshownChars(text, ansi);
      return ansi;
    }
  }
}

// The picture is made whole in memory before the file is touched.
bool SaveTextAsPicture(const std::wstring& text, const std::wstring& fileName, TPictureFormat format,
                       TTextSaveReport& report) {
  std::string bytes;
  TPictureOutput& output = PictureOutput();
  if (!MakeTextPicture(text, format, output.GetFont(), output.GetBackground(), bytes, report.Picture)) {
    report.Failure = TTextSaveFailure::Picture;
    return false;
  }
  WriteFileSafely(fileName, bytes);
  return true;
}

}  // namespace

bool IsKnownEncoding(int Encoding) {
  switch (Encoding) {
    case kEncodingAnsi:
    case kEncodingUtf16LE:
    case kEncodingUtf16BE:
    case kEncodingUtf7Ansi:
    case kEncodingUtf7:
    case kEncodingUtf8:
    case kEncodingUtf8BOM:
    case kEncodingUtf32LE:
    case kEncodingUtf32BE: return true;
    default: return false;
  }
}

std::wstring LoadTextFileW(const std::wstring& FileName) {
  std::wstring text;
  std::string bytes;
  LoadTextFileW(FileName, text, bytes);
  return text;
}

void LoadTextFileW(const std::wstring& FileName, std::wstring& text, std::string& bytes) {
  if (IsWordDocumentName(FileName)) {
    // No importer is handed a device to wait for; the program's own reader refuses one itself.
    if (IsDeviceName(FileName)) RaiseFileError(TFileAction::Open, FileName, kErrorDeviceNotFile);
    text = WordDocumentReader().ReadWordDocument(FileName, -1);
    return;
  }
  ReadWholeFile(FileName, bytes);
  int encoding = DetectEncoding(bytes, &text);
  if (encoding == kEncodingUtf8) return;
  if (encoding == kEncodingUtf7) {
    // "+/v8" and its kin also begin plain texts; one whose body is no UTF-7 is read as such a text.
    try {
      text = DecodeUtf7(bytes);
      return;
    } catch (const EUCodeGeneralError&) {
      encoding = DetectEncoding(bytes, &text, false);
      if (encoding == kEncodingUtf8) return;
    }
  }
  text = DecodeBytes(bytes, encoding);
}

bool SaveTextFileW(const std::wstring& Text, const std::wstring& FileName, int Encoding, bool WithBOM,
                   TTextSaveReport* Report) {
  TTextSaveReport ownReport;
  TTextSaveReport& report = Report ? *Report : ownReport;
  report = TTextSaveReport();
  TPictureFormat pictureFormat = PictureFormatOf(FileName);
  if (pictureFormat != TPictureFormat::None) return SaveTextAsPicture(Text, FileName, pictureFormat, report);
  if (!IsKnownEncoding(Encoding)) {
    report.Failure = TTextSaveFailure::UnknownEncoding;
    return false;
  }
  WriteFileSafely(FileName, EncodeText(Text, Encoding, WithBOM, report.ReplacedChars));
  return true;
}

int DetectFileEncoding(const std::wstring& FileName) {
  TFileHandle file(OpenForReading(FileName, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN));
  TStreamingUtf8Test utf8(kDetectionPiece);
  size_t got = ReadUpTo(file.Get(), FileName, utf8.Room(), utf8.RoomSize());
  const int marked = EncodingByMark(std::string(utf8.Room(), std::min<size_t>(got, 4)), true);
  if (marked != kNoMark) return marked;
  while (got > 0) {
    if (!utf8.Take(got)) return kEncodingAnsi;
    got = ReadUpTo(file.Get(), FileName, utf8.Room(), utf8.RoomSize());
  }
  return utf8.Passed() ? kEncodingUtf8 : kEncodingAnsi;
}

std::wstring EncodingName(int Encoding) {
  switch (Encoding) {
    case kEncodingAnsi: return L"ANSI";
    case kEncodingUtf16LE: return L"UTF-16 LE";
    case kEncodingUtf16BE: return L"UTF-16 BE";
    case kEncodingUtf7Ansi: return L"UTF-7 ANSI";
    case kEncodingUtf7: return L"UTF-7";
    case kEncodingUtf8: return L"UTF-8";
    case kEncodingUtf8BOM: return L"UTF-8 BOM";
    case kEncodingUtf32LE: return L"UTF-32 LE";
    case kEncodingUtf32BE: return L"UTF-32 BE";
    default: return std::wstring();
  }
}

std::wstring GetFileEncodingName(const std::wstring& FileName) {
  return EncodingName(DetectFileEncoding(FileName));
}

// ---- Code points

bool IsHighSurrogate(wchar_t C) { return C >= 0xD800 && C <= 0xDBFF; }

bool IsLowSurrogate(wchar_t C) { return C >= 0xDC00 && C <= 0xDFFF; }

int SurrogatePairToCodePoint(wchar_t Hi, wchar_t Lo) {
  if (!IsHighSurrogate(Hi) || !IsLowSurrogate(Lo)) return kQuestionMark;
  return 0x10000 + ((Hi - 0xD800) << 10) + (Lo - 0xDC00);
}

int CodePointAtLen(const std::wstring& S, int Index, int& Len) {
  if (Index < 1 || static_cast<size_t>(Index) > S.size()) return kQuestionMark;
  Len = 1;
  wchar_t c = S[Index - 1];
  if (!IsHighSurrogate(c) && !IsLowSurrogate(c)) return c;
  if (IsLowSurrogate(c) || static_cast<size_t>(Index) == S.size()) return kQuestionMark;
  wchar_t next = S[Index];
  if (!IsLowSurrogate(next)) return kQuestionMark;
  Len = 2;
  return SurrogatePairToCodePoint(c, next);
}

int CodePointAt(const std::wstring& S, int Index) {
  int length = 0;
  return CodePointAtLen(S, Index, length);
}

std::wstring CodePointToWideStr(int CodePoint) {
  if (CodePoint < 0 || CodePoint > kMaxCodePoint || (CodePoint >= 0xD800 && CodePoint <= 0xDFFF)) return L"?";
  if (CodePoint < 0x10000) return std::wstring(1, static_cast<wchar_t>(CodePoint));
  int offset = CodePoint - 0x10000;
  return {static_cast<wchar_t>(0xD800 + (offset >> 10)), static_cast<wchar_t>(0xDC00 + (offset & 0x3FF))};
}

// ---- Output encoding

bool TOutputEncoding::SetEncoding(int Encoding) {
  if (!IsKnownEncoding(Encoding)) return false;
  m_encoding = Encoding;
  return true;
}

void TOutputEncoding::Reset() {
  m_encoding = kFactoryEncoding;
  m_withBOM = kFactoryWithBOM;
}

TOutputEncoding& OutputEncoding() {
  static TOutputEncoding setting;
  return setting;
}

// ---- Word documents

TWordDocumentReader* SetWordDocumentReader(TWordDocumentReader* Reader) {
  TWordDocumentReader* before = g_wordDocumentReader;
  g_wordDocumentReader = Reader;
  return before;
}
