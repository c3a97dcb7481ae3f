#include "support/WordStandIn.h"

#include <gtest/gtest.h>
#include <oaidl.h>
#include <objbase.h>

#include <string>

#include "classlib/Registry.h"

namespace wordstandin {

const wchar_t kFailureSource[] = L"Microsoft Word";

namespace {

// {6B1D7A31-2F0E-4C55-9A41-4B58574F5244}: the stand-in's own class.
const CLSID kStandInClass = {0x6b1d7a31, 0x2f0e, 0x4c55, {0x9a, 0x41, 0x4b, 0x58, 0x57, 0x4f, 0x52, 0x44}};
const wchar_t kStandInClassText[] = L"{6B1D7A31-2F0E-4C55-9A41-4B58574F5244}";
const char kProgId[] = "Word.Application";

enum class TKind { Application, Documents, Document, Browser, Bookmarks, Bookmark, Range };
enum class TAccess { Get, Put, Call };

struct TMember {
  TKind kind;
  const wchar_t* name;
  TAccess access;
  UINT arguments;
};

// Exactly the members the import may use.
const TMember kMembers[] = {
    {TKind::Application, L"Visible", TAccess::Get, 0},   {TKind::Application, L"Documents", TAccess::Get, 0},
    {TKind::Application, L"ActiveDocument", TAccess::Get, 0}, {TKind::Application, L"Browser", TAccess::Get, 0},
    {TKind::Application, L"Quit", TAccess::Call, 1},     {TKind::Documents, L"Open", TAccess::Call, 1},
    {TKind::Document, L"ComputeStatistics", TAccess::Call, 1}, {TKind::Document, L"Bookmarks", TAccess::Get, 0},
    {TKind::Browser, L"Target", TAccess::Put, 1},        {TKind::Browser, L"Next", TAccess::Call, 0},
    {TKind::Bookmarks, L"Item", TAccess::Call, 1},       {TKind::Bookmark, L"Range", TAccess::Get, 0},
    {TKind::Range, L"Text", TAccess::Get, 0},
};
constexpr DISPID kVisiblePut = 100;  // Visible is read and written

const wchar_t* KindName(TKind kind) {
  static const wchar_t* const names[] = {L"Application", L"Documents", L"Document", L"Browser",
                                         L"Bookmarks",   L"Bookmark",  L"Range"};
  return names[static_cast<int>(kind)];
}

std::wstring ArgumentText(const VARIANT& v) {
  const bool byReference = (v.vt & VT_BYREF) != 0;
  const VARTYPE type = v.vt & ~VT_BYREF;
  std::wstring text = byReference ? L"&" : L"";
  switch (type) {
    case VT_BSTR: {
      BSTR value = byReference ? *v.pbstrVal : v.bstrVal;
      return text + L"\"" + std::wstring(value ? value : L"", value ? SysStringLen(value) : 0) + L"\"";
    }
    case VT_I4: return text + std::to_wstring(byReference ? *v.plVal : v.lVal);
    case VT_I2: return text + std::to_wstring(byReference ? *v.piVal : v.iVal);
    case VT_BOOL: return text + ((byReference ? *v.pboolVal : v.boolVal) ? L"True" : L"False");
    default: return text + L"?" + std::to_wstring(type);
  }
}

std::vector<std::wstring> ReadPages(const std::wstring& path, bool& found) {
  std::vector<std::wstring> pages;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  found = file != INVALID_HANDLE_VALUE;
  if (!found) return pages;
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD got = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  CloseHandle(file);
  if (bytes.empty()) return pages;
  int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(length, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), length);
  size_t start = 0;
  for (size_t feed; (feed = text.find(L'\f', start)) != std::wstring::npos; start = feed + 1)
    pages.push_back(text.substr(start, feed - start));
  pages.push_back(text.substr(start));
  return pages;
}

HRESULT RaiseWordError(EXCEPINFO* info, const std::wstring& description, HRESULT code = kFailureCode) {
  if (info) {
    *info = EXCEPINFO{};
    info->bstrSource = SysAllocString(kFailureSource);
    info->bstrDescription = SysAllocString(description.c_str());
    info->scode = code;
  }
  return DISP_E_EXCEPTION;
}

// One COM interface with its reference count; the object goes with its last reference.
template <class Interface, const IID& InterfaceId>
class TCounted : public Interface {
 public:
  virtual ~TCounted() = default;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid == IID_IUnknown || iid == InterfaceId) {
      *object = static_cast<Interface*>(this);
      this->AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --m_references;
    if (left == 0) delete this;
    return left;
  }

 private:
  ULONG m_references = 1;
};

class TObject final : public TCounted<IDispatch, IID_IDispatch> {
 public:
  TObject(TKind kind, TWordState& state) : m_kind(kind), m_state(state) { ++m_state.LiveObjects; }
  ~TObject() override { --m_state.LiveObjects; }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    if (count != 1) return DISP_E_UNKNOWNNAME;
    for (size_t i = 0; i < std::size(kMembers); ++i)
      if (kMembers[i].kind == m_kind && lstrcmpiW(kMembers[i].name, names[0]) == 0) {
        ids[0] = static_cast<DISPID>(i + 1);
        return S_OK;
      }
    ids[0] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                   EXCEPINFO* info, UINT*) override {
    if (id < 1 || id > static_cast<DISPID>(std::size(kMembers))) return DISP_E_MEMBERNOTFOUND;
    const TMember& member = kMembers[id - 1];
    const bool put = flags == DISPATCH_PROPERTYPUT;
    const bool visiblePut = put && member.kind == TKind::Application && std::wstring(member.name) == L"Visible";
    std::wstring qualified = std::wstring(KindName(m_kind)) + L"." + member.name;
    std::wstring call;
    if (put) {
      if (parameters->cNamedArgs != 1 || parameters->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT ||
          parameters->cArgs != 1)
        return DISP_E_PARAMNOTOPTIONAL;
      call = L"put " + qualified + L" = " + ArgumentText(parameters->rgvarg[0]);
    } else if (member.access == TAccess::Get) {
      call = L"get " + qualified;
    } else {
      call = L"call " + qualified + L"(";
      for (UINT i = parameters->cArgs; i > 0; --i)
        call += ArgumentText(parameters->rgvarg[i - 1]) + (i > 1 ? L", " : L"");
      call += L")";
    }
    m_state.Calls.push_back(call);
    // Strict about how each member is reached, so that a wrong kind of call shows.
    const bool kindMatches = member.access == TAccess::Get ? (flags & DISPATCH_PROPERTYGET) != 0 && !put
                           : member.access == TAccess::Put ? put
                                                           : (flags & DISPATCH_METHOD) != 0;
    if (!kindMatches && !visiblePut) return DISP_E_MEMBERNOTFOUND;
    if (!put && parameters->cArgs != member.arguments) return DISP_E_BADPARAMCOUNT;
    if (m_state.FailAt == qualified) return RaiseWordError(info, L"The stand-in fails at " + qualified + L".");
    if (result) VariantInit(result);
    return Answer(member, visiblePut, parameters, result, info);
  }

 private:
  // Hands a new object of the given kind to the client (one reference, owned by its variant).
  HRESULT GiveObject(TKind kind, VARIANT* result) {
    if (!result) return S_OK;
    result->vt = VT_DISPATCH;
    result->pdispVal = new TObject(kind, m_state);
    return S_OK;
  }

  static bool IsReference(const VARIANT& v, VARTYPE type) { return v.vt == (type | VT_BYREF); }

  HRESULT Answer(const TMember& member, bool visiblePut, DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* info) {
    const std::wstring name = member.name;
    VARIANT* argument = parameters->cArgs > 0 ? &parameters->rgvarg[0] : nullptr;
    if (visiblePut) {
      if (argument->vt != VT_BOOL) return DISP_E_TYPEMISMATCH;
      m_state.Visible = argument->boolVal != VARIANT_FALSE;
      return S_OK;
    }
    if (name == L"Visible") {
      if (result) {
        result->vt = VT_BOOL;
        result->boolVal = m_state.Visible ? VARIANT_TRUE : VARIANT_FALSE;
      }
      return S_OK;
    }
    if (name == L"Documents") return GiveObject(TKind::Documents, result);
    if (name == L"Browser") return GiveObject(TKind::Browser, result);
    if (name == L"Bookmarks") return GiveObject(TKind::Bookmarks, result);
    if (name == L"Range") return GiveObject(TKind::Range, result);
    if (name == L"ActiveDocument") {
      if (m_state.OpenDocuments.empty()) return RaiseWordError(info, L"No document is open.", 0x800A1098);
      return GiveObject(TKind::Document, result);
    }
    if (name == L"Open") {
      if (!IsReference(*argument, VT_BSTR)) return DISP_E_TYPEMISMATCH;
      std::wstring path(*argument->pbstrVal, SysStringLen(*argument->pbstrVal));
      bool found = false;
      std::vector<std::wstring> pages = ReadPages(path, found);
      if (!found) return RaiseWordError(info, L"The file could not be found.", 0x800A13E9);
      m_state.Pages = pages;
      m_state.CurrentPage = 0;
      m_state.OpenDocuments.push_back(path);
      return GiveObject(TKind::Document, result);
    }
    if (name == L"ComputeStatistics") {
      if (argument->vt != VT_I4 || argument->lVal != 2) return DISP_E_TYPEMISMATCH;
      if (result) {
        result->vt = VT_I4;
        result->lVal = m_state.PageCountOverride >= 0 ? m_state.PageCountOverride
                                                      : static_cast<LONG>(m_state.Pages.size());
      }
      return S_OK;
    }
    if (name == L"Target") return IsReference(*argument, VT_I4) && *argument->plVal == 1 ? S_OK : DISP_E_TYPEMISMATCH;
    if (name == L"Next") {
      ++m_state.CurrentPage;
      return S_OK;
    }
    if (name == L"Item") {
      if (!IsReference(*argument, VT_BSTR) || std::wstring(*argument->pbstrVal) != L"\\page")
        return DISP_E_TYPEMISMATCH;
      return GiveObject(TKind::Bookmark, result);
    }
    if (name == L"Text") {
      if (result) {
        const bool onPage = m_state.CurrentPage < m_state.Pages.size();
        result->vt = VT_BSTR;
        result->bstrVal = SysAllocString(onPage ? m_state.Pages[m_state.CurrentPage].c_str() : L"");
      }
      return S_OK;
    }
    if (name == L"Quit") {
      if (!IsReference(*argument, VT_I4) || *argument->plVal != 0) return DISP_E_TYPEMISMATCH;
      ++m_state.Quits;
      m_state.OpenDocuments.clear();
      return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
  }

  TKind m_kind;
  TWordState& m_state;
};

class TFactory final : public TCounted<IClassFactory, IID_IClassFactory> {
 public:
  explicit TFactory(TWordState& state) : m_state(state) {}
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    TObject* application = new TObject(TKind::Application, m_state);
    HRESULT hr = application->QueryInterface(iid, object);
    application->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  TWordState& m_state;
};

}  // namespace

bool RealWordRegistered() {
  wchar_t classText[64] = L"";
  LONG size = sizeof classText;
  if (RegQueryValueW(HKEY_CLASSES_ROOT, L"Word.Application\\CLSID", classText, &size) != ERROR_SUCCESS) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kProgId, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }
  // A stand-in's registration left behind by a test run that did not end is no Word.
  return lstrcmpiW(classText, kStandInClassText) != 0;
}

TStandInLock::TStandInLock() : m_mutex(CreateMutexW(nullptr, FALSE, L"Kaptorix.Tests.WordStandIn")) {
  // An owner that ended without letting go (WAIT_ABANDONED) hands the lock over all the same.
  if (m_mutex) WaitForSingleObject(m_mutex, INFINITE);
}

TStandInLock::~TStandInLock() {
  if (!m_mutex) return;
  ReleaseMutex(m_mutex);
  CloseHandle(m_mutex);
}

TWordStandIn::TWordStandIn() {
  m_comInitialized = SUCCEEDED(CoInitialize(nullptr));
  HKEY key = nullptr;
  if (RealWordRegistered()) {
    ADD_FAILURE() << "Word.Application is registered on this machine; the stand-in does not replace it";
    return;
  }
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, L"Word.Application\\CLSID", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    ADD_FAILURE() << "cannot register the stand-in's ProgID";
    return;
  }
  m_registeredProgId = true;
  RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(kStandInClassText),
                 sizeof kStandInClassText);
  RegCloseKey(key);
  m_factory = new TFactory(m_state);
  HRESULT hr = CoRegisterClassObject(kStandInClass, m_factory, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER,
                                     REGCLS_MULTIPLEUSE, &m_cookie);
  if (FAILED(hr)) ADD_FAILURE() << "CoRegisterClassObject failed: " << std::hex << hr;
}

TWordStandIn::~TWordStandIn() {
  if (m_cookie) CoRevokeClassObject(m_cookie);
  if (m_factory) m_factory->Release();
  if (m_registeredProgId) {
    TRegistry registry;
    registry.SetRootKey(HKEY_CLASSES_ROOT);
    registry.DeleteKey(std::string("\\") + kProgId);
  }
  if (m_comInitialized) CoUninitialize();
}

}  // namespace wordstandin
