#include "engine/u_FileErrors.h"

#include <new>

#include "classlib/SysUtils.h"
#include "ucode/UCodeSysUtils.h"
#include "ucode/UCodeWindows.h"

namespace {

// The reasons a user meets, each with its German and its English sentence.
struct TReasonText {
  const wchar_t* German;
  const wchar_t* English;
};

constexpr TReasonText kNotFound{L"Die Datei wurde nicht gefunden.", L"The file was not found."};
constexpr TReasonText kPathNotFound{L"Der Ordner der Datei wurde nicht gefunden.", L"The file's folder was not found."};
constexpr TReasonText kAccessDenied{L"Der Zugriff wurde verweigert.", L"Access was denied."};
constexpr TReasonText kSharingViolation{L"Die Datei wird von einem anderen Programm verwendet.",
                                        L"The file is in use by another program."};
constexpr TReasonText kDiskFull{L"Auf dem Datenträger ist nicht genug Platz.", L"There is not enough space on the disk."};
constexpr TReasonText kInvalidName{L"Der Dateiname ist ungültig.", L"The file name is not valid."};
constexpr TReasonText kOutOfMemory{L"Es ist nicht genug Arbeitsspeicher frei.", L"There is not enough memory."};
constexpr TReasonText kDeviceNotFile{L"Der Name bezeichnet ein Gerät oder eine Pipe, keine Datei.",
                                     L"The name is that of a device or a pipe, not of a file."};
constexpr TReasonText kFolderNotFile{L"Der Name bezeichnet einen Ordner, keine Datei.",
                                     L"The name is that of a folder, not of a file."};

const TReasonText* ReasonOf(DWORD errorCode) {
  switch (errorCode) {
    case ERROR_FILE_NOT_FOUND: return &kNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: return &kPathNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return &kAccessDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE: return &kSharingViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return &kDiskFull;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE: return &kInvalidName;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return &kOutOfMemory;
    case kErrorDeviceNotFile: return &kDeviceNotFile;
    case kErrorFolderNotFile: return &kFolderNotFile;
    default: return nullptr;
  }
}

std::wstring InLanguage(const TReasonText& text, const std::string& languageCode) {
  return languageCode == "de" ? text.German : text.English;
}

// An error's own text as a sentence.
std::wstring Sentence(const std::string& text) {
  std::wstring sentence = AnsiToWide(text);
  if (!sentence.empty() && sentence.back() > L'.') sentence += L'.';
  return sentence;
}

bool IsLackOfMemory(const std::exception& error) {
  return dynamic_cast<const std::bad_alloc*>(&error) != nullptr ||
         dynamic_cast<const EOutOfMemory*>(&error) != nullptr;
}

const wchar_t* const kDeviceNames[] = {L"CON",  L"PRN",  L"AUX",  L"NUL",  L"COM1", L"COM2", L"COM3", L"COM4",
                                       L"COM5", L"COM6", L"COM7", L"COM8", L"COM9", L"LPT1", L"LPT2", L"LPT3",
                                       L"LPT4", L"LPT5", L"LPT6", L"LPT7", L"LPT8", L"LPT9", L"CONIN$", L"CONOUT$"};

}  // namespace

bool IsDeviceName(const std::wstring& name) {
  const size_t start = name.find_last_of(L"\\/:");
  std::wstring base = name.substr(start == std::wstring::npos ? 0 : start + 1);
  base = base.substr(0, base.find(L'.'));
  while (!base.empty() && base.back() == L' ') base.pop_back();
  const std::wstring upper = WideUpperCase(base);
  for (const wchar_t* device : kDeviceNames)
    if (upper == device) return true;
  return false;
}

TNameKind KindOfName(const std::wstring& name) {
  if (name.empty() || name.find_first_of(L"*?") != std::wstring::npos) return TNameKind::Missing;
  if (IsDeviceName(name)) return TNameKind::Device;
  const DWORD attributes = WideFileGetAttr(name);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return TNameKind::Folder;
  // No access asked: opening a device or a pipe this way reads nothing and waits for nothing.
  const HANDLE handle = WideCreateFile(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE)
    return attributes == INVALID_FILE_ATTRIBUTES ? TNameKind::Missing : TNameKind::File;
  const DWORD type = GetFileType(handle);
  CloseHandle(handle);
  return type == FILE_TYPE_DISK ? TNameKind::File : TNameKind::Device;
}

DWORD NotAFileError(TNameKind kind) {
  switch (kind) {
    case TNameKind::Device: return kErrorDeviceNotFile;
    case TNameKind::Folder: return kErrorFolderNotFile;
    case TNameKind::Missing:
    case TNameKind::File: break;
  }
  return 0;
}

void RaiseFileError(TFileAction action, const std::wstring& fileName, DWORD errorCode) {
  const std::wstring reason = FileErrorReason(errorCode, "en");
  if (action == TFileAction::Open)
    throw EFOpenError(WideToAnsi(L"Cannot open file \"" + fileName + L"\". " + reason), fileName, errorCode);
  throw EFCreateError(WideToAnsi(L"Cannot create file \"" + fileName + L"\". " + reason), fileName, errorCode);
}

void RefuseNoFile(TFileAction action, const std::wstring& fileName) {
  if (const DWORD refusal = NotAFileError(KindOfName(fileName))) RaiseFileError(action, fileName, refusal);
}

std::wstring FileErrorReason(DWORD errorCode, const std::string& languageCode) {
  if (const TReasonText* reason = ReasonOf(errorCode)) return InLanguage(*reason, languageCode);
  std::wstring text = WideSysErrorMessage(errorCode);
  while (!text.empty() && text.back() <= L' ') text.pop_back();
  return text;
}

ETextRefused::ETextRefused(const std::wstring& fileName, std::wstring reason)
    : EFOpenError(WideToAnsi(reason), fileName), FReason(std::move(reason)) {}

std::wstring ErrorReason(const std::exception& error, const std::string& languageCode) {
  if (const auto* refused = dynamic_cast<const ETextRefused*>(&error)) return refused->GetReason();
  if (const auto* fileError = dynamic_cast<const EStreamError*>(&error); fileError && fileError->GetErrorCode() != 0)
    return FileErrorReason(fileError->GetErrorCode(), languageCode);
  if (IsLackOfMemory(error)) return InLanguage(kOutOfMemory, languageCode);
  return Sentence(error.what());
}

std::wstring FileErrorLeadIn(TFileAction action, const std::wstring& fileName, const std::string& languageCode) {
  const bool german = languageCode == "de";
  if (action == TFileAction::Open)
    return (german ? L"Die Datei konnte nicht geöffnet werden: " : L"The file could not be opened: ") + fileName;
  return (german ? L"Die Datei konnte nicht gespeichert werden: " : L"The file could not be saved: ") + fileName;
}

std::wstring FileErrorMessage(TFileAction action, const std::wstring& fileName, const std::wstring& reason,
                              const std::string& languageCode) {
  return FileErrorLeadIn(action, fileName, languageCode) + L"\r\n\r\n" + reason;
}

std::wstring FilesNotOpenedMessage(const std::vector<TFileFailure>& failures, const std::string& languageCode) {
  if (failures.empty()) return std::wstring();
  if (failures.size() == 1)
    return FileErrorMessage(TFileAction::Open, failures[0].FileName, failures[0].Reason, languageCode);
  constexpr size_t kNamed = 10;
  const bool german = languageCode == "de";
  std::wstring text = german ? L"Diese Dateien konnten nicht geöffnet werden:" : L"These files could not be opened:";
  for (size_t i = 0; i < failures.size() && i < kNamed; ++i)
    text += L"\r\n\r\n" + failures[i].FileName + L"\r\n" + failures[i].Reason;
  if (failures.size() > kNamed) {
    const std::wstring more = std::to_wstring(failures.size() - kNamed);
    text += L"\r\n\r\n" + (german ? L"und " + more + L" weitere." : L"and " + more + L" more.");
  }
  return text;
}

std::wstring ErrorMessage(const std::exception& error, const std::string& languageCode) {
  const std::wstring reason = ErrorReason(error, languageCode);
  const auto* fileError = dynamic_cast<const EStreamError*>(&error);
  if (!fileError || fileError->GetFileName().empty()) return reason;
  const TFileAction action = dynamic_cast<const EFOpenError*>(&error) ? TFileAction::Open : TFileAction::Save;
  return FileErrorMessage(action, fileError->GetFileName(), reason, languageCode);
}
