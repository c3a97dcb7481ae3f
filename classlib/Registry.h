// The registry through one open key at a time (8-bit names and values).
#pragma once

#include <string>

#include "classlib/Classes.h"

class TRegistry : public TObject {
  KX_CLASS(TRegistry, TObject)
 public:
  // access: the rights keys are opened with (add KEY_WOW64_64KEY for the 64-bit view).
  explicit TRegistry(REGSAM access = KEY_ALL_ACCESS);
  ~TRegistry() override;
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  HKEY GetRootKey() const { return FRootKey; }
  void SetRootKey(HKEY rootKey);  // closes the open key
  REGSAM GetAccess() const { return FAccess; }
  void SetAccess(REGSAM access) { FAccess = access; }
  HKEY GetCurrentKey() const { return FCurrentKey; }
  const std::string& GetCurrentPath() const { return FCurrentPath; }

  // A key path starting with "\" is taken from the root, others from the open key (or the
  // root when none is open). True when the key could be opened (or made, with canCreate).
  bool OpenKey(const std::string& key, bool canCreate);
  bool OpenKeyReadOnly(const std::string& key);
  void CloseKey();
  bool KeyExists(const std::string& key);
  bool CreateKey(const std::string& key);  // raises ERegistryException "Failed to create key %s"
  // Deletes the key with all its subkeys; false when it could not.
  bool DeleteKey(const std::string& key);
  bool HasSubKeys();
  void GetKeyNames(TStrings& strings);
  void GetValueNames(TStrings& strings);

  // Names the value of the open key; "" is the key's default value.
  bool ValueExists(const std::string& name);
  bool DeleteValue(const std::string& name);
  // Empty for a missing value; ERegistryException "Invalid data type for '%s'" for a value that
  // is no string.
  std::string ReadString(const std::string& name);
  void WriteString(const std::string& name, const std::string& value);  // REG_SZ
  void WriteExpandString(const std::string& name, const std::string& value);
  // ERegistryException for a missing value or one that is no 32-bit number.
  int ReadInteger(const std::string& name);
  void WriteInteger(const std::string& name, int value);
  bool ReadBool(const std::string& name) { return ReadInteger(name) != 0; }
  void WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }

 private:
  HKEY BaseKey(const std::string& key, std::string& relative) const;
  bool Open(const std::string& key, bool canCreate, REGSAM access);
  void SetData(const std::string& name, DWORD type, const void* data, DWORD size);
  static bool DeleteTree(HKEY parent, const std::string& name, REGSAM view);

  HKEY FRootKey = HKEY_CURRENT_USER;
  HKEY FCurrentKey = nullptr;
  std::string FCurrentPath;
  REGSAM FAccess;
};
