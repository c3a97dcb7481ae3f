#include "classlib/ComObj.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

std::string ToAnsi(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int size = static_cast<int>(text.size());
  int length = WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string ansi(length > 0 ? length : 0, '\0');
  if (length > 0) WideCharToMultiByte(CP_ACP, 0, text.data(), size, ansi.data(), length, nullptr, nullptr);
  return ansi;
}

std::wstring TakeBstr(BSTR& value) {
  std::wstring text = value ? std::wstring(value, SysStringLen(value)) : std::wstring();
  SysFreeString(value);
  value = nullptr;
  return text;
}

std::string FailureMessage(HRESULT errorCode, const std::string& what) {
  std::string reason = SysErrorMessage(static_cast<DWORD>(errorCode));
  if (reason.empty()) reason = "Automation error";
  return reason + " (" + what + ", error code " + OleErrorCodeText(errorCode) + ")";
}

std::string MemberText(const wchar_t* name) { return "member \"" + ToAnsi(name) + "\""; }

DISPID MemberId(IDispatch* object, const wchar_t* name) {
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  OleCheck(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), MemberText(name));
  return id;
}

// One late-bound call. The server's exception information is freed on every path.
void InvokeMember(IDispatch* object, const wchar_t* name, WORD kind, std::vector<VARIANT> arguments, VARIANT* result) {
  if (!object) throw EOleError("Automation object missing for " + MemberText(name));
  const DISPID id = MemberId(object, name);
  std::reverse(arguments.begin(), arguments.end());  // the last argument comes first
  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS parameters{arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
  if (kind == DISPATCH_PROPERTYPUT) {
    parameters.rgdispidNamedArgs = &putId;
    parameters.cNamedArgs = 1;
  }
  EXCEPINFO info{};
  UINT argumentError = 0;
  HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &parameters, result, &info, &argumentError);
  if (hr == DISP_E_EXCEPTION && info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
  std::wstring source = TakeBstr(info.bstrSource), description = TakeBstr(info.bstrDescription);
  TakeBstr(info.bstrHelpFile);
  if (hr == DISP_E_EXCEPTION) {
    HRESULT code = info.scode != 0 ? info.scode : info.wCode != 0 ? MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF, info.wCode)
                                                                 : DISP_E_EXCEPTION;
    throw EOleException(source, description, code);
  }
  OleCheck(hr, MemberText(name));
}

}  // namespace

EOleException::EOleException(const std::wstring& source, const std::wstring& description, HRESULT errorCode)
    : EOleSysError(ToAnsi(description.empty() ? std::wstring(L"Automation error") : description) + " (" +
                       (source.empty() ? std::string() : ToAnsi(source) + ", ") + "error code " +
                       OleErrorCodeText(errorCode) + ")",
                   errorCode),
      FSource(source),
      FDescription(description) {}

std::string OleErrorCodeText(HRESULT errorCode) {
  return "0x" + IntToHex(static_cast<unsigned long>(errorCode), 8);
}

void OleCheck(HRESULT result, const std::string& what) {
  if (FAILED(result)) throw EOleSysError(FailureMessage(result, what), result);
}

IDispatch* TOleVariant::AsDispatch() const {
  if (FValue.vt != VT_DISPATCH || !FValue.pdispVal) throw EOleError("Automation value is not an object");
  return FValue.pdispVal;
}

namespace {

// The variant converted to the given type in a variant of its own (freed with it).
void ConvertedVariant(const VARIANT& value, VARTYPE type, TOleVariant& converted) {
  OleCheck(VariantChangeType(converted.Out(), const_cast<VARIANT*>(&value), 0, type), "automation value");
}

}  // namespace

std::wstring TOleVariant::AsString() const {
  TOleVariant converted;
  ConvertedVariant(FValue, VT_BSTR, converted);
  BSTR text = converted.Get()->bstrVal;
  return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

int TOleVariant::AsInteger() const {
  TOleVariant converted;
  ConvertedVariant(FValue, VT_I4, converted);
  return converted.Get()->lVal;
}

bool TOleVariant::AsBoolean() const {
  TOleVariant converted;
  ConvertedVariant(FValue, VT_BOOL, converted);
  return converted.Get()->boolVal != VARIANT_FALSE;
}

VARIANT ByValue(int value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  return v;
}

VARIANT ByValue(bool value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BOOL;
  v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}

VARIANT ByReference(int& value) {
  static_assert(sizeof(int) == sizeof(LONG));
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4 | VT_BYREF;
  v.plVal = reinterpret_cast<LONG*>(&value);
  return v;
}

VARIANT ByReference(Bstr& value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR | VT_BYREF;
  v.pbstrVal = value.Address();
  return v;
}

void CreateOleObject(const std::wstring& progId, ComPtr<IDispatch>& object) {
  CLSID classId{};
  const std::string what = "automation object \"" + ToAnsi(progId) + "\"";
  OleCheck(CLSIDFromProgID(progId.c_str(), &classId), what);
  OleCheck(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                            object.OutVoid()),
           what);
}

void OleGet(IDispatch* object, const wchar_t* name, TOleVariant& result) {
  InvokeMember(object, name, DISPATCH_PROPERTYGET, {}, result.Out());
}

void OlePut(IDispatch* object, const wchar_t* name, VARIANT value) {
  InvokeMember(object, name, DISPATCH_PROPERTYPUT, {value}, nullptr);
}

void OleCall(IDispatch* object, const wchar_t* name, std::initializer_list<VARIANT> arguments, TOleVariant* result) {
  InvokeMember(object, name, DISPATCH_METHOD, std::vector<VARIANT>(arguments), result ? result->Out() : nullptr);
}
