// Why a file could not be read or written, in the program's language: the one place where the
// messages about opening and saving files take their reasons from, for every window.
#pragma once

#include <exception>
#include <string>
#include <vector>

#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"

// Error codes of the program's own refusals, from the range the system leaves to programs: the
// name the user gave is not that of a file.
constexpr DWORD kErrorDeviceNotFile = 0x20000001;  // a device or a pipe, which may never deliver data
constexpr DWORD kErrorFolderNotFile = 0x20000002;  // a folder

// What the program was doing with the file.
enum class TFileAction { Open, Save };

// What a name that a user gave stands for.
enum class TNameKind { Missing, File, Folder, Device };

// Tells the kind without reading from the name: a device is known by its reserved name (CON,
// PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, with any extension and in any folder) or by the kind
// of a handle opened without access rights (a pipe, a device reached through its own path).
TNameKind KindOfName(const std::wstring& name);
// True for a reserved device name, wherever it stands and whatever extension it has.
bool IsDeviceName(const std::wstring& name);
// The program's error code for a name of that kind that is no file; 0 for a file or a missing name.
DWORD NotAFileError(TNameKind kind);

// Raises the class library's error for a file that could not be opened (EFOpenError) or saved
// (EFCreateError), with an English message, the name and the error code.
[[noreturn]] void RaiseFileError(TFileAction action, const std::wstring& fileName, DWORD errorCode);
// Raises the file error of a name that is no file (a device, a pipe, a folder) before anything
// is read from it or written to it; a file or a name of nothing passes.
void RefuseNoFile(TFileAction action, const std::wstring& fileName);

// A file whose text the program does not take, though it could be read: the reason is wide text,
// which may hold characters that the system code page lacks.
class ETextRefused : public EFOpenError {
 public:
  ETextRefused(const std::wstring& fileName, std::wstring reason);
  const std::wstring& GetReason() const { return FReason; }

 private:
  std::wstring FReason;
};

// The reason for a system error code as one sentence in the language ("de", else English). The
// common reasons are the program's own words: not found, path not found, access denied, sharing
// violation, disk full, invalid name, out of memory, not a file; any other is the system's text.
std::wstring FileErrorReason(DWORD errorCode, const std::string& languageCode);

// The reason of an error raised while a file was read or written: a refused text by its reason, a
// file error by its error code (its own text when it has none), a lack of memory as such, any
// other error by its text.
std::wstring ErrorReason(const std::exception& error, const std::string& languageCode);

// "The file could not be opened: <name>" (or saved), in the language.
std::wstring FileErrorLeadIn(TFileAction action, const std::wstring& fileName, const std::string& languageCode);
// The lead-in, an empty line and the reason.
std::wstring FileErrorMessage(TFileAction action, const std::wstring& fileName, const std::wstring& reason,
                              const std::string& languageCode);

// A file that could not be opened, and why.
struct TFileFailure {
  std::wstring FileName;
  std::wstring Reason;
};

// The message about files that could not be opened, in the language: one file as
// FileErrorMessage tells it; several each with its reason, the first ten of them named.
std::wstring FilesNotOpenedMessage(const std::vector<TFileFailure>& failures, const std::string& languageCode);

// The message of an error for the user, in the language: a file that could not be opened,
// created or written names its file, what failed and why; any other error tells its reason.
std::wstring ErrorMessage(const std::exception& error, const std::string& languageCode);
