#include "engine/u_FileErrors.h"

#include <gtest/gtest.h>

#include <exception>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "classlib/SysUtils.h"
#include "engine/u_WideFuncText.h"
#include "support/TestSupport.h"
#include "ucode/UCodeIniFiles.h"
#include "ucode/UCodeSystem.h"

namespace {

std::wstring Wide(const std::string& ansi) { return StringToWideStringEx(ansi, 0); }

// What the step raised; a step that raises nothing fails the test.
std::exception_ptr FailureOf(const std::function<void()>& step) {
  try {
    step();
  } catch (...) {
    return std::current_exception();
  }
  ADD_FAILURE() << "the step raised no error";
  return nullptr;
}

std::wstring MessageOf(std::exception_ptr failure, const std::string& languageCode) {
  try {
    if (failure) std::rethrow_exception(failure);
  } catch (const std::exception& error) {
    return ErrorMessage(error, languageCode);
  }
  return std::wstring();
}

struct Reason {
  const wchar_t* german;
  const wchar_t* english;
};

const Reason kNotFound{L"Die Datei wurde nicht gefunden.", L"The file was not found."};
const Reason kPathNotFound{L"Der Ordner der Datei wurde nicht gefunden.", L"The file's folder was not found."};
const Reason kAccessDenied{L"Der Zugriff wurde verweigert.", L"Access was denied."};
const Reason kSharingViolation{L"Die Datei wird von einem anderen Programm verwendet.",
                               L"The file is in use by another program."};
const Reason kDiskFull{L"Auf dem Datentr\u00E4ger ist nicht genug Platz.", L"There is not enough space on the disk."};
const Reason kInvalidName{L"Der Dateiname ist ung\u00FCltig.", L"The file name is not valid."};
const Reason kDevice{L"Der Name bezeichnet ein Ger\u00E4t oder eine Pipe, keine Datei.",
                     L"The name is that of a device or a pipe, not of a file."};
const Reason kFolder{L"Der Name bezeichnet einen Ordner, keine Datei.", L"The name is that of a folder, not of a file."};
const Reason kOutOfMemory{L"Es ist nicht genug Arbeitsspeicher frei.", L"There is not enough memory."};

std::wstring Opening(const std::string& language, const std::wstring& name) {
  return (language == "de" ? L"Die Datei konnte nicht ge\u00F6ffnet werden: " : L"The file could not be opened: ") + name;
}

std::wstring Saving(const std::string& language, const std::wstring& name) {
  return (language == "de" ? L"Die Datei konnte nicht gespeichert werden: " : L"The file could not be saved: ") + name;
}

class FileErrors : public ::testing::Test {
 protected:
  // A pipe that never delivers data: its server end listens and writes nothing.
  std::wstring Pipe() {
    const std::wstring name = L"\\\\.\\pipe\\kaptorix-test-" + std::to_wstring(GetCurrentProcessId());
    for (HANDLE& instance : m_pipe)
      instance = CreateNamedPipeW(name.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, PIPE_UNLIMITED_INSTANCES, 0, 0, 0,
                                  nullptr);
    return m_pipe[0] == INVALID_HANDLE_VALUE ? std::wstring() : name;
  }
  ~FileErrors() override {
    for (HANDLE instance : m_pipe)
      if (instance != INVALID_HANDLE_VALUE) CloseHandle(instance);
  }
  HANDLE m_pipe[4] = {INVALID_HANDLE_VALUE, INVALID_HANDLE_VALUE, INVALID_HANDLE_VALUE, INVALID_HANDLE_VALUE};
  std::wstring File(const std::string& name) { return Wide(dir.File(name)); }
  std::wstring Write(const std::string& name, const std::string& bytes) {
    testsupport::WriteBytes(dir.File(name), bytes);
    return File(name);
  }
  testsupport::TempDir dir;
};

TEST_F(FileErrors, TheCommonReasonsOfAFailedReadOrSaveAreToldInTheProgramsLanguage) {
  const std::wstring missing = File("fehlt.txt");
  const std::wstring inMissingFolder = File("fehlt\\text.txt");
  const std::wstring held = Write("gesperrt.txt", "Haus");
  const std::wstring readOnly = Write("schreibgeschuetzt.txt", "Haus");
  ASSERT_TRUE(SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
  const std::wstring badName = File("a<b>.txt");
  const std::wstring huge = File("riesig.txt");
  ASSERT_TRUE(testsupport::WriteLargeFile(huge, 2200LL * 1024 * 1024, "Ende"));
  testsupport::HeldOpen holder(dir.File("gesperrt.txt"));
  ASSERT_TRUE(holder.Held());

  struct Case {
    const char* what;
    std::function<std::wstring(const std::string&)> leadIn;
    std::function<void()> step;
    Reason reason;
  };
  const auto open = [](const std::wstring& name) { return [name](const std::string& l) { return Opening(l, name); }; };
  const auto save = [](const std::wstring& name) { return [name](const std::string& l) { return Saving(l, name); }; };
  const auto load = [](const std::wstring& name) { return [name] { LoadTextFileW(name); }; };
  const auto write = [](const std::wstring& name) { return [name] { SaveTextFileW(L"Haus", name, 65001, false); }; };
  const std::vector<Case> cases = {
      {"a missing file", open(missing), load(missing), kNotFound},
      {"a file in a missing folder", open(inMissingFolder), load(inMissingFolder), kPathNotFound},
      {"saving into a missing folder", save(inMissingFolder), write(inMissingFolder), kPathNotFound},
      {"a file another program holds", open(held), load(held), kSharingViolation},
      {"the encoding of a file another program holds", open(held), [&] { DetectFileEncoding(held); },
       kSharingViolation},
      {"saving over a read-only file", save(readOnly), write(readOnly), kAccessDenied},
      {"a setting written into a missing folder", save(inMissingFolder),
       [&] { TUCodeIniFile(inMissingFolder).WriteString(L"PBCH", L"la", L"1"); }, kPathNotFound},
      {"saving under a name with < and >", save(badName), write(badName), kInvalidName},
      {"a file too large to read", open(huge), load(huge), kOutOfMemory},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::exception_ptr failure = FailureOf(c.step);
    EXPECT_EQ(MessageOf(failure, "de"), c.leadIn("de") + L"\r\n\r\n" + c.reason.german);
    EXPECT_EQ(MessageOf(failure, "en"), c.leadIn("en") + L"\r\n\r\n" + c.reason.english);
  }
  SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FileErrors, KindsOfNames) {
  const std::wstring file = Write("Vertrag.txt", "x");
  const std::wstring pipe = Pipe();
  ASSERT_FALSE(pipe.empty()) << "no pipe could be made";
  const std::wstring longFolder = testsupport::MakeLongFolder(Wide(dir.Path()), 290);
  testsupport::WriteBytes(longFolder + L"Vertrag.txt", "x");
  const std::pair<std::wstring, TNameKind> cases[] = {
      {file, TNameKind::File},
      {Wide(dir.Path()), TNameKind::Folder},
      {File("fehlt.txt"), TNameKind::Missing},
      // Beyond MAX_PATH alike.
      {longFolder + L"Vertrag.txt", TNameKind::File},
      {longFolder.substr(0, longFolder.size() - 1), TNameKind::Folder},
      {longFolder + L"fehlt.txt", TNameKind::Missing},
      {L"", TNameKind::Missing},
      {File("*.txt"), TNameKind::Missing},
      // Reserved names are devices in any folder, with any extension, in any case.
      {L"COM1", TNameKind::Device},
      {L"con", TNameKind::Device},
      {L"Aux.txt", TNameKind::Device},
      {L"nul ", TNameKind::Device},
      {File("LPT3.log"), TNameKind::Device},
      {File("fehlt\\PRN"), TNameKind::Device},
      {L"\\\\.\\COM1", TNameKind::Device},
      {L"CONOUT$", TNameKind::Device},
      // A pipe is known by its handle.
      {pipe, TNameKind::Device},
      // Names that only begin like a device's are none.
      {File("CONTRACT.txt"), TNameKind::Missing},
      {File("COM10"), TNameKind::Missing},
      {File("COM"), TNameKind::Missing},
  };
  for (const auto& [name, kind] : cases) EXPECT_EQ(KindOfName(name), kind) << WideStringToStringEx(name, 0);
}

TEST_F(FileErrors, NothingIsReadFromANameThatIsNoFile) {
  const std::wstring pipe = Pipe();
  ASSERT_FALSE(pipe.empty()) << "no pipe could be made";
  const std::wstring folder = Wide(dir.Path());
  const std::wstring deviceInFolder = File("com2.txt");
  struct Case {
    std::wstring name;
    std::function<void()> step;
    Reason reason;
  };
  const std::vector<Case> cases = {
      {L"COM1", [] { LoadTextFileW(L"COM1"); }, kDevice},
      {L"COM1", [] { DetectFileEncoding(L"COM1"); }, kDevice},
      {deviceInFolder, [&] { LoadTextFileW(deviceInFolder); }, kDevice},
      {L"CON.doc", [] { LoadTextFileW(L"CON.doc"); }, kDevice},
      {pipe, [&] { LoadTextFileW(pipe); }, kDevice},
      {pipe, [&] { DetectFileEncoding(pipe); }, kDevice},
      {folder, [&] { LoadTextFileW(folder); }, kFolder},
      {folder, [&] { DetectFileEncoding(folder); }, kFolder},
  };
  for (const Case& c : cases) {
    const std::exception_ptr failure = FailureOf(c.step);
    EXPECT_EQ(MessageOf(failure, "de"), Opening("de", c.name) + L"\r\n\r\n" + c.reason.german);
    EXPECT_EQ(MessageOf(failure, "en"), Opening("en", c.name) + L"\r\n\r\n" + c.reason.english);
  }
}

// A save under a device's name would hand the text to the device, or fail with whatever the
// system makes of it; a folder is no file to write over either. Each is refused as what it is.
TEST_F(FileErrors, NothingIsWrittenUnderANameThatIsNoFile) {
  const std::wstring pipe = Pipe();
  ASSERT_FALSE(pipe.empty()) << "no pipe could be made";
  const std::wstring folder = Wide(dir.Path());
  const std::vector<std::pair<std::wstring, Reason>> cases = {
      {L"NUL", kDevice},        {L"CON", kDevice}, {File("lpt1.txt"), kDevice}, {File("COM1.idx"), kDevice},
      {File("aux.bmp"), kDevice}, {pipe, kDevice}, {folder, kFolder},
  };
  for (const auto& [name, reason] : cases) {
    SCOPED_TRACE(WideStringToStringEx(name, 0));
    const std::exception_ptr failure = FailureOf([&name] { SaveTextFileW(L"Haus", name, 65001, false); });
    EXPECT_EQ(MessageOf(failure, "de"), Saving("de", name) + L"\r\n\r\n" + reason.german);
    EXPECT_EQ(MessageOf(failure, "en"), Saving("en", name) + L"\r\n\r\n" + reason.english);
  }
  // Nothing was left in the folder on the way, no temporary file either.
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  std::vector<std::wstring> names;
  do {
    if (std::wstring(found.cFileName) != L"." && std::wstring(found.cFileName) != L"..") names.push_back(found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  EXPECT_EQ(names, std::vector<std::wstring>());
}

TEST_F(FileErrors, ReasonsThatCannotBeMadeHereAreToldByTheirCodes) {
  EXPECT_EQ(FileErrorReason(ERROR_DISK_FULL, "de"), kDiskFull.german);
  EXPECT_EQ(FileErrorReason(ERROR_DISK_FULL, "en"), kDiskFull.english);
  // Any other reason is the system's own text, which no language code changes.
  const std::wstring other = FileErrorReason(ERROR_CRC, "de");
  EXPECT_FALSE(other.empty());
  EXPECT_EQ(FileErrorReason(ERROR_CRC, "en"), other);
  EXPECT_NE(other.back(), L'\n');
}

TEST_F(FileErrors, ErrorsThatAreNoFileErrorsKeepTheirTextAndALackOfMemoryIsTold) {
  EXPECT_EQ(ErrorMessage(std::bad_alloc(), "de"), kOutOfMemory.german);
  EXPECT_EQ(ErrorMessage(EOutOfMemory("Out of memory"), "en"), kOutOfMemory.english);
  EXPECT_EQ(ErrorMessage(EConvertError("'x' is not a valid integer value"), "de"),
            L"'x' is not a valid integer value.");
  // A file error without a code says what happened in its own words, after the file.
  const std::wstring name = File("alt.txt");
  EXPECT_EQ(ErrorMessage(EFCreateError("The old text is kept.", name), "de"),
            Saving("de", name) + L"\r\n\r\nThe old text is kept.");
}

// A text that the program refuses, though the file could be read, names its file, and keeps its
// reason wide: the reason shows whole whatever the system's code page.
TEST_F(FileErrors, ARefusedTextIsToldWithItsFileAndItsWideReason) {
  const std::wstring name = File("lang.txt"), reason = L"Eine Zeile f\u00FCr \u65E5\u672C ist zu lang.";
  const ETextRefused refused(name, reason);
  EXPECT_EQ(ErrorReason(refused, "de"), reason);
  EXPECT_EQ(ErrorMessage(refused, "de"), Opening("de", name) + L"\r\n\r\n" + reason);
}

}  // namespace
