// Automation: the errors of COM and automation calls, owned interface pointers, strings and
// variants that free themselves, creating an automation object by its ProgID, and late-bound
// calls of its members by name through IDispatch.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>

#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"

#include <oaidl.h>
#include <objbase.h>

// A COM or automation call that failed; the message names the error code.
KX_EXCEPTION(EOleError, Exception)

// A failed call with its result code and the system's text for it.
class EOleSysError : public EOleError {
 public:
  EOleSysError(std::string message, HRESULT errorCode) : EOleError(std::move(message)), FErrorCode(errorCode) {}
  HRESULT GetErrorCode() const { return FErrorCode; }

 private:
  HRESULT FErrorCode;
};

// An exception raised by the automation server itself: its source, its description and its
// error code, all shown in the message.
class EOleException : public EOleSysError {
 public:
  EOleException(const std::wstring& source, const std::wstring& description, HRESULT errorCode);
  const std::wstring& GetSource() const { return FSource; }
  const std::wstring& GetDescription() const { return FDescription; }

 private:
  std::wstring FSource;
  std::wstring FDescription;
};

// "0x800A13E9": an HRESULT as automation errors show it.
std::string OleErrorCodeText(HRESULT errorCode);
// Raises EOleSysError for a failed result: the system's text, what failed and the code.
void OleCheck(HRESULT result, const std::string& what);

// Owns one reference of a COM interface.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { Reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  T* operator->() const { return m_ptr; }
  T* Get() const { return m_ptr; }
  T** Out() {
    Reset();
    return &m_ptr;
  }
  void** OutVoid() { return reinterpret_cast<void**>(Out()); }
  explicit operator bool() const { return m_ptr != nullptr; }
  void Reset() {
    if (m_ptr) m_ptr->Release();
    m_ptr = nullptr;
  }

 private:
  T* m_ptr = nullptr;
};

// A BSTR owned for one call; it may be handed to a call by reference, which may replace it.
class Bstr {
 public:
  explicit Bstr(const std::wstring& text) : m_value(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  ~Bstr() { SysFreeString(m_value); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR Get() const { return m_value; }
  BSTR* Address() { return &m_value; }

 private:
  BSTR m_value;
};

// A VARIANT that clears itself (releasing the string or the object it holds) when it goes or
// before it takes a new value.
class TOleVariant {
 public:
  TOleVariant() { VariantInit(&FValue); }
  ~TOleVariant() { VariantClear(&FValue); }
  TOleVariant(const TOleVariant&) = delete;
  TOleVariant& operator=(const TOleVariant&) = delete;

  VARIANT* Get() { return &FValue; }
  // Cleared, to be filled by a call.
  VARIANT* Out() {
    VariantClear(&FValue);
    return &FValue;
  }
  VARTYPE Type() const { return FValue.vt; }
  // The held object's IDispatch (not owned); EOleError when the value is no object.
  IDispatch* AsDispatch() const;
  // The value converted as automation converts; EOleSysError when it does not convert.
  std::wstring AsString() const;
  int AsInteger() const;
  bool AsBoolean() const;

 private:
  VARIANT FValue;
};

// Variant arguments of a late-bound call, in the order the member takes them. They point to the
// caller's own values: a reference argument (VT_BYREF) lets the server see and change them.
VARIANT ByValue(int value);
VARIANT ByValue(bool value);
VARIANT ByReference(int& value);
VARIANT ByReference(Bstr& value);

// Creates the automation object of a ProgID ("Word.Application") in a server process or in
// process, and gives its IDispatch. EOleSysError when the ProgID is not registered or the object
// cannot be made.
void CreateOleObject(const std::wstring& progId, ComPtr<IDispatch>& object);

// Calls a member of an automation object by name. Reads give their value in result, methods
// theirs when result is given; writes pass one argument. EOleException for an exception of the
// server, EOleSysError for any other failure (an unknown name, a wrong argument).
void OleGet(IDispatch* object, const wchar_t* name, TOleVariant& result);
void OlePut(IDispatch* object, const wchar_t* name, VARIANT value);
void OleCall(IDispatch* object, const wchar_t* name, std::initializer_list<VARIANT> arguments,
             TOleVariant* result = nullptr);
