#include "forms/u_AdminFunc.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

#include "classlib/ComObj.h"
#include "classlib/Forms.h"
#include "classlib/Registry.h"
#include "classlib/RuntimeLinks.h"
#include "classlib/SysUtils.h"
#include "engine/u_funktionen.h"
#include "forms/u_start.h"
#include "ucode/UCodeSystem.h"

namespace {

// COM for the span of one call on this thread.
class TComForCall {
 public:
  TComForCall() : m_ready(SUCCEEDED(CoInitialize(nullptr))) {}
  ~TComForCall() {
    if (m_ready) CoUninitialize();
  }
  TComForCall(const TComForCall&) = delete;
  TComForCall& operator=(const TComForCall&) = delete;

 private:
  bool m_ready;
};

std::wstring WideOf(const std::string& text) { return StringToWideStringEx(text, 0); }

REGSAM ViewAccess(bool view64) { return KEY_ALL_ACCESS | (view64 ? KEY_WOW64_64KEY : 0); }

// Creates the key below HKEY_CLASSES_ROOT and sets its default value; false when the key
// cannot be made or the value is refused.
bool WriteDefault(TRegistry& registry, const std::string& key, const std::string& value) {
  if (!registry.OpenKey("\\" + key, true)) return false;
  registry.WriteString("", value);
  registry.CloseKey();
  return true;
}

}  // namespace

std::string GetSendToFolder() {
  LPITEMIDLIST items = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_SENDTO, &items)) || items == nullptr) return std::string();
  char path[MAX_PATH] = {};
  const bool found = SHGetPathFromIDListA(items, path) != FALSE;
  CoTaskMemFree(items);
  return found ? std::string(path) : std::string();
}

bool CreateShortcut(const std::string& linkFile, const std::string& target, const std::string& description,
                    const std::string& workingFolder, const std::string& arguments, const std::string& iconFile,
                    int iconIndex) {
  TComForCall com;
  ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.OutVoid())))
    return false;
  link->SetPath(target.c_str());
  link->SetDescription(description.c_str());
  link->SetWorkingDirectory(workingFolder.c_str());
  link->SetArguments(arguments.c_str());
  if (!iconFile.empty() && iconIndex >= 0) link->SetIconLocation(iconFile.c_str(), iconIndex);
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.OutVoid()))) return false;
  return SUCCEEDED(file->Save(WideOf(linkFile).c_str(), TRUE));
}

std::string ShortcutTarget(const std::string& linkFile) {
  TComForCall com;
  ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.OutVoid())))
    return std::string();
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.OutVoid())) ||
      FAILED(file->Load(WideOf(linkFile).c_str(), STGM_READ)))
    return std::string();
  char path[MAX_PATH] = {};
  if (link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH) != S_OK) return std::string();
  return path;
}

std::string OpenCommand(const std::string& programFile, const std::string& argument) {
  return "\"" + programFile + "\" \"" + argument + "\"";
}

bool RegisterFileAssociation(const std::string& extension, const std::string& typeName,
                             const std::string& description, const std::string& argument,
                             const std::string& programFile) {
  return RegisterFileExtension(extension, typeName, description, programFile, argument);
}

bool UnregisterFileAssociation(const std::string& extension, const std::vector<std::string>& ownTypeNames) {
  return UnregisterFileExtension(extension, ownTypeNames);
}

bool WriteShellVerb(const std::string& parent, const std::string& verb, const std::string& text,
                    const std::string& command, bool view64) {
  TRegistry registry(ViewAccess(view64));
  registry.SetRootKey(HKEY_CLASSES_ROOT);
  const std::string key = parent + "\\shell\\" + verb;
  try {
    return WriteDefault(registry, key, text) && WriteDefault(registry, key + "\\command", command);
  } catch (const Exception&) {
    return false;  // a value the registry refused
  }
}

bool DeleteShellVerb(const std::string& parent, const std::string& verb, bool view64) {
  TRegistry registry(ViewAccess(view64));
  registry.SetRootKey(HKEY_CLASSES_ROOT);
  const std::string key = "\\" + parent + "\\shell\\" + verb;
  if (!registry.KeyExists(key)) return true;
  return registry.DeleteKey(key);
}

bool DeleteEmptyClassesKey(const std::string& key, bool view64) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ | (view64 ? KEY_WOW64_64KEY : 0), &opened) !=
      ERROR_SUCCESS)
    return false;
  DWORD subKeys = 1, values = 1;
  const bool counted = RegQueryInfoKeyA(opened, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values,
                                        nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  RegCloseKey(opened);
  if (!counted || subKeys != 0 || values != 0) return false;
  return DeleteRegistryKey(HKEY_CLASSES_ROOT, key.c_str(), view64 ? KEY_WOW64_64KEY : 0) == ERROR_SUCCESS;
}

std::string ShellVerbCommand(const std::string& parent, const std::string& verb, bool view64) {
  return ClassesRootValue(parent + "\\shell\\" + verb + "\\command", view64);
}

std::string ClassesRootValue(const std::string& key, bool view64) {
  TRegistry registry(KEY_READ | (view64 ? KEY_WOW64_64KEY : 0));
  registry.SetRootKey(HKEY_CLASSES_ROOT);
  if (!registry.OpenKeyReadOnly("\\" + key)) return std::string();
  try {
    return registry.ValueExists("") ? registry.ReadString("") : std::string();
  } catch (const Exception&) {
    return std::string();  // a default value that is no text is none of ours
  }
}

bool ClassesRootKeyExists(const std::string& key, bool view64) {
  TRegistry registry(KEY_READ | (view64 ? KEY_WOW64_64KEY : 0));
  registry.SetRootKey(HKEY_CLASSES_ROOT);
  return registry.KeyExists("\\" + key);
}

bool IsWow64() {
  using TIsWow64Process = BOOL(WINAPI*)(HANDLE, PBOOL);
  static const auto isWow64Process = SystemFunction<TIsWow64Process>("kernel32.dll", "IsWow64Process");
  if (isWow64Process == nullptr) return false;  // a system before 64-bit Windows
  BOOL wow64 = FALSE;
  if (!isWow64Process(GetCurrentProcess(), &wow64)) throw Exception("IsWow64: bad process handle");
  return wow64 != FALSE;
}

namespace {

// Systems without CheckTokenMembership: an access check against a security descriptor that
// grants one right to the group alone answers whether the thread's token holds the group.
bool AccessCheckMembership(PSID group) {
  HANDLE token = nullptr;
  if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY | TOKEN_DUPLICATE, TRUE, &token)) {
    if (GetLastError() != ERROR_NO_TOKEN) return false;
    HANDLE process = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY | TOKEN_DUPLICATE, &process)) return false;
    const BOOL duplicated = DuplicateToken(process, SecurityImpersonation, &token);
    CloseHandle(process);
    if (!duplicated) return false;
  }
  constexpr DWORD kRight = 1;
  const DWORD aclSize = sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(group) - sizeof(DWORD);
  std::vector<BYTE> aclBuffer(aclSize);
  auto* acl = reinterpret_cast<PACL>(aclBuffer.data());
  SECURITY_DESCRIPTOR descriptor;
  bool member = false;
  if (InitializeAcl(acl, aclSize, ACL_REVISION2) && AddAccessAllowedAce(acl, ACL_REVISION2, kRight, group) &&
      InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
      SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE) && SetSecurityDescriptorOwner(&descriptor, group, FALSE) &&
      SetSecurityDescriptorGroup(&descriptor, group, FALSE)) {
    GENERIC_MAPPING mapping{kRight, kRight, kRight, kRight};
    PRIVILEGE_SET privileges{};
    DWORD privilegesSize = sizeof(privileges), granted = 0;
    BOOL status = FALSE;
    member = AccessCheck(&descriptor, token, kRight, &mapping, &privileges, &privilegesSize, &granted, &status) &&
             status != FALSE;
  }
  CloseHandle(token);
  return member;
}

}  // namespace

// The administrators group's identifier: relative identifier 544 in the built-in domain 32.
bool IsAdministratorsMember(bool byAccessCheck) {
  using TCheckTokenMembership = BOOL(WINAPI*)(HANDLE, PSID, PBOOL);
  static const auto checkTokenMembership =
      SystemFunction<TCheckTokenMembership>("advapi32.dll", "CheckTokenMembership");
  SID_IDENTIFIER_AUTHORITY authority = SECURITY_NT_AUTHORITY;
  PSID group = nullptr;
  if (!AllocateAndInitializeSid(&authority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                &group))
    return false;
  bool member = false;
  if (checkTokenMembership != nullptr && !byAccessCheck) {
    BOOL isMember = FALSE;
    member = checkTokenMembership(nullptr, group, &isMember) && isMember != FALSE;
  } else {
    member = AccessCheckMembership(group);
  }
  FreeSid(group);
  return member;
}

bool IsUserAdmin() {
  // The shell's own tests first: they know about elevation, which token membership alone
  // does not show for a filtered administrator token.
  using TIsUserAnAdmin = BOOL(WINAPI*)();
  using TSHTestTokenMembership = BOOL(WINAPI*)(HANDLE, ULONG);
  static const auto isUserAnAdmin = SystemFunction<TIsUserAnAdmin>("shell32.dll", "IsUserAnAdmin");
  if (isUserAnAdmin != nullptr) return isUserAnAdmin() != FALSE;
  static const auto testTokenMembership =
      SystemFunction<TSHTestTokenMembership>("shell32.dll", "SHTestTokenMembership");
  if (testTokenMembership != nullptr) return testTokenMembership(nullptr, DOMAIN_ALIAS_RID_ADMINS) != FALSE;
  return IsAdministratorsMember(false);
}

void RestartAsAdmin() {
  const std::string programFile = ParamStr(0);
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_FLAG_DDEWAIT;
  info.hwnd = start != nullptr && start->HandleAllocated() ? start->GetHandle() : nullptr;
  info.lpVerb = "runas";
  info.lpFile = programFile.c_str();
  info.nShow = SW_SHOWNORMAL;
  ShellExecuteExA(&info);
  if (start != nullptr) start->Close();
}
