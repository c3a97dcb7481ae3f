#include "classlib/Registry.h"

#include <vector>

#include "classlib/RuntimeLinks.h"

namespace {

constexpr REGSAM kViewFlags = KEY_WOW64_64KEY | KEY_WOW64_32KEY;

// A key opened for one call, closed with the object.
class TScopedKey {
 public:
  TScopedKey() = default;
  ~TScopedKey() {
    if (FKey) RegCloseKey(FKey);
  }
  TScopedKey(const TScopedKey&) = delete;
  TScopedKey& operator=(const TScopedKey&) = delete;
  HKEY* Out() { return &FKey; }
  HKEY Get() const { return FKey; }

 private:
  HKEY FKey = nullptr;
};

// The names of the subkeys (or of the values) of a key.
std::vector<std::string> EnumNames(HKEY key, bool values) {
  std::vector<std::string> names;
  DWORD keys = 0, maxKey = 0, vals = 0, maxValue = 0;
  if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &keys, &maxKey, nullptr, &vals, &maxValue, nullptr, nullptr,
                       nullptr) != ERROR_SUCCESS)
    return names;
  const DWORD count = values ? vals : keys;
  std::string buffer((values ? maxValue : maxKey) + 1, '\0');
  for (DWORD i = 0; i < count; ++i) {
    DWORD length = static_cast<DWORD>(buffer.size());
    LONG result = values ? RegEnumValueA(key, i, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr)
                         : RegEnumKeyExA(key, i, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_SUCCESS) names.emplace_back(buffer.data(), length);
  }
  return names;
}

std::vector<std::string> SubKeyNames(HKEY key) { return EnumNames(key, false); }
std::vector<std::string> ValueNames(HKEY key) { return EnumNames(key, true); }

void Fill(TStrings& strings, const std::vector<std::string>& names) {
  strings.BeginUpdate();
  strings.Clear();
  for (const std::string& name : names) strings.Add(name);
  strings.EndUpdate();
}

}  // namespace

TRegistry::TRegistry(REGSAM access) : FAccess(access) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY rootKey) {
  CloseKey();
  FRootKey = rootKey;
}

void TRegistry::CloseKey() {
  if (FCurrentKey) RegCloseKey(FCurrentKey);
  FCurrentKey = nullptr;
  FCurrentPath.clear();
}

HKEY TRegistry::BaseKey(const std::string& key, std::string& relative) const {
  const bool absolute = !key.empty() && key[0] == '\\';
  relative = absolute ? key.substr(1) : key;
  return absolute || FCurrentKey == nullptr ? FRootKey : FCurrentKey;
}

bool TRegistry::Open(const std::string& key, bool canCreate, REGSAM access) {
  std::string relative;
  HKEY base = BaseKey(key, relative);
  HKEY opened = nullptr;
  LONG result = canCreate ? RegCreateKeyExA(base, relative.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                            nullptr, &opened, nullptr)
                          : RegOpenKeyExA(base, relative.c_str(), 0, access, &opened);
  if (result != ERROR_SUCCESS) return false;
  const bool absolute = base == FRootKey;
  std::string path = absolute ? relative : FCurrentPath + (FCurrentPath.empty() ? "" : "\\") + relative;
  CloseKey();
  FCurrentKey = opened;
  FCurrentPath = path;
  return true;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) { return Open(key, canCreate, FAccess); }

bool TRegistry::OpenKeyReadOnly(const std::string& key) { return Open(key, false, KEY_READ | (FAccess & kViewFlags)); }

bool TRegistry::KeyExists(const std::string& key) {
  std::string relative;
  HKEY base = BaseKey(key, relative);
  TScopedKey probe;
  return RegOpenKeyExA(base, relative.c_str(), 0, KEY_QUERY_VALUE | (FAccess & kViewFlags), probe.Out()) ==
         ERROR_SUCCESS;
}

bool TRegistry::CreateKey(const std::string& key) {
  std::string relative;
  HKEY base = BaseKey(key, relative);
  TScopedKey created;
  if (RegCreateKeyExA(base, relative.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, FAccess, nullptr, created.Out(),
                      nullptr) != ERROR_SUCCESS)
    throw ERegistryException(Format(SRegCreateFailed, key));
  return true;
}

bool TRegistry::DeleteTree(HKEY parent, const std::string& name, REGSAM view) {
  {
    TScopedKey key;
    if (RegOpenKeyExA(parent, name.c_str(), 0, KEY_READ | KEY_WRITE | view, key.Out()) != ERROR_SUCCESS) return false;
    for (const std::string& sub : SubKeyNames(key.Get()))
      if (!DeleteTree(key.Get(), sub, view)) return false;
  }
  return DeleteRegistryKey(parent, name.c_str(), view) == ERROR_SUCCESS;
}

bool TRegistry::DeleteKey(const std::string& key) {
  std::string relative;
  HKEY base = BaseKey(key, relative);
  while (!relative.empty() && relative.back() == '\\') relative.pop_back();
  if (relative.empty()) return false;  // never the open key or the root itself
  return DeleteTree(base, relative, FAccess & kViewFlags);
}

bool TRegistry::HasSubKeys() {
  DWORD count = 0;
  return FCurrentKey && RegQueryInfoKeyA(FCurrentKey, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                                         nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS && count > 0;
}

void TRegistry::GetKeyNames(TStrings& strings) { Fill(strings, SubKeyNames(FCurrentKey ? FCurrentKey : FRootKey)); }

void TRegistry::GetValueNames(TStrings& strings) { Fill(strings, ValueNames(FCurrentKey ? FCurrentKey : FRootKey)); }

bool TRegistry::ValueExists(const std::string& name) {
  return RegQueryValueExA(FCurrentKey ? FCurrentKey : FRootKey, name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
}

bool TRegistry::DeleteValue(const std::string& name) {
  return RegDeleteValueA(FCurrentKey ? FCurrentKey : FRootKey, name.c_str()) == ERROR_SUCCESS;
}

std::string TRegistry::ReadString(const std::string& name) {
  HKEY key = FCurrentKey ? FCurrentKey : FRootKey;
  for (;;) {
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::string();
    if (type != REG_SZ && type != REG_EXPAND_SZ) throw ERegistryException(Format(SInvalidRegType, name));
    std::string value(size + 1, '\0');
    DWORD got = size + 1;
    LONG result = RegQueryValueExA(key, name.c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(value.data()), &got);
    if (result == ERROR_MORE_DATA) continue;  // the value grew in between
    if (result != ERROR_SUCCESS) throw ERegistryException(Format(SRegGetDataFailed, name));
    value.resize(got);
    while (!value.empty() && value.back() == '\0') value.pop_back();
    return value;
  }
}

void TRegistry::SetData(const std::string& name, DWORD type, const void* data, DWORD size) {
  if (RegSetValueExA(FCurrentKey ? FCurrentKey : FRootKey, name.c_str(), 0, type, static_cast<const BYTE*>(data),
                     size) != ERROR_SUCCESS)
    throw ERegistryException(Format(SRegSetDataFailed, name));
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  SetData(name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void TRegistry::WriteExpandString(const std::string& name, const std::string& value) {
  SetData(name, REG_EXPAND_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

int TRegistry::ReadInteger(const std::string& name) {
  DWORD type = 0, value = 0, size = sizeof value;
  LONG result = RegQueryValueExA(FCurrentKey ? FCurrentKey : FRootKey, name.c_str(), nullptr, &type,
                                 reinterpret_cast<BYTE*>(&value), &size);
  if (result != ERROR_SUCCESS) throw ERegistryException(Format(SRegGetDataFailed, name));
  if (type != REG_DWORD || size != sizeof value) throw ERegistryException(Format(SInvalidRegType, name));
  return static_cast<int>(value);
}

void TRegistry::WriteInteger(const std::string& name, int value) {
  DWORD data = static_cast<DWORD>(value);
  SetData(name, REG_DWORD, &data, sizeof data);
}
