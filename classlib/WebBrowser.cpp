// The web-browser control, the system's browser hosted in place, and the recording stand-in.
#include "classlib/WebBrowser.h"

#include <exdisp.h>
#include <exdispid.h>
#include <mshtml.h>
#include <ole2.h>

#include <utility>

#include "classlib/ComObj.h"
#include "classlib/FormReader.h"

namespace {

TWebBrowserEngineFactory& EngineFactory() {
  static TWebBrowserEngineFactory factory;
  return factory;
}

void Check(HRESULT result, const char* what) {
  if (FAILED(result))
    throw EWebBrowserError(std::string("Web browser: ") + what + " failed (" + IntToHex(static_cast<unsigned>(result), 8) + ")");
}

// The site the browser control lives in: client site, in-place site and frame, and the sink of
// the browser's events. One object, counted by the browser; the engine keeps one reference.
class BrowserSite : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame, public IDispatch {
 public:
  BrowserSite(HWND window, std::function<void()> onDocumentComplete)
      : m_window(window), m_onDocumentComplete(std::move(onDocumentComplete)) {}
  virtual ~BrowserSite() = default;
  void Forget() {
    m_onDocumentComplete = nullptr;
    m_window = nullptr;
  }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) *object = static_cast<IOleClientSite*>(this);
    else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) *object = static_cast<IOleInPlaceSite*>(this);
    else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) *object = static_cast<IOleInPlaceFrame*>(this);
    else if (iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2) *object = static_cast<IDispatch*>(this);
    else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --m_references;
    if (left == 0) delete this;
    return left;
  }

  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
    *moniker = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override {
    *container = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow (for the site and the frame)
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
    *window = m_window;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                             LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *document = nullptr;
    GetClientRect(m_window, position);
    GetClientRect(m_window, clip);
    info->fMDIApp = FALSE;
    info->hwndFrame = m_window;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

  // IOleInPlaceUIWindow and IOleInPlaceFrame: no tool bars, menus or status line of the browser.
  HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

  // IDispatch: the browser's events; only a completed document matters.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    if (id == DISPID_DOCUMENTCOMPLETE && m_onDocumentComplete)
      GuardedCallback([this] { m_onDocumentComplete(); });
    return S_OK;
  }

 private:
  ULONG m_references = 1;
  HWND m_window;
  std::function<void()> m_onDocumentComplete;
};

// The system's browser control, embedded in place in the control's window.
class SystemBrowserEngine : public IWebBrowserEngine {
 public:
  ~SystemBrowserEngine() override { Detach(); }

  bool Attach(HWND parent, const RECT& rect) override {
    Detach();
    if (FAILED(OleInitialize(nullptr))) return false;
    m_oleInitialized = true;
    m_site = new BrowserSite(parent, [this] { if (OnDocumentComplete) OnDocumentComplete(); });
    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, m_object.OutVoid())) ||
        FAILED(m_object->SetClientSite(static_cast<IOleClientSite*>(m_site))) ||
        FAILED(m_object->QueryInterface(IID_IWebBrowser2, m_browser.OutVoid()))) {
      Detach();
      return false;
    }
    OleSetContainedObject(m_object.Get(), TRUE);
    RECT bounds = rect;
    m_object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(m_site), 0, parent, &bounds);
    Advise();
    if (!m_pendingUrl.empty()) Navigate(std::exchange(m_pendingUrl, std::wstring()));
    return true;
  }

  void Detach() override {
    if (m_connectionPoint) m_connectionPoint->Unadvise(m_cookie);
    m_connectionPoint.Reset();
    m_browser.Reset();
    if (m_object) {
      m_object->Close(OLECLOSE_NOSAVE);
      m_object->SetClientSite(nullptr);
    }
    m_object.Reset();
    if (m_site) {
      m_site->Forget();
      m_site->Release();
      m_site = nullptr;
    }
    if (m_oleInitialized) OleUninitialize();
    m_oleInitialized = false;
  }

  void SetBounds(const RECT& rect) override {
    ComPtr<IOleInPlaceObject> inPlace;
    if (m_object && SUCCEEDED(m_object->QueryInterface(IID_IOleInPlaceObject, inPlace.OutVoid())))
      inPlace->SetObjectRects(&rect, &rect);
  }

  void Navigate(const std::wstring& url) override {
    if (!m_browser) {
      m_pendingUrl = url;
      return;
    }
    Bstr address(url);
    VARIANT empty;
    VariantInit(&empty);
    m_browser->Navigate(address.Get(), &empty, &empty, &empty, &empty);
  }

  bool HasDocument() override {
    ComPtr<IHTMLDocument2> document;
    return Document(document);
  }

  void WriteDocument(const std::wstring& html) override {
    ComPtr<IHTMLDocument2> document;
    if (!Document(document)) throw EWebBrowserError("Web browser: no document to write");
    Check(document->clear(), "Clear");
    SAFEARRAY* lines = SafeArrayCreateVector(VT_VARIANT, 0, 1);
    if (!lines) throw EWebBrowserError("Web browser: out of memory");
    VARIANT* text = nullptr;
    SafeArrayAccessData(lines, reinterpret_cast<void**>(&text));
    text->vt = VT_BSTR;
    text->bstrVal = SysAllocStringLen(html.data(), static_cast<UINT>(html.size()));
    SafeArrayUnaccessData(lines);
    HRESULT written = document->write(lines);
    SafeArrayDestroy(lines);  // frees the text too
    Check(written, "Write");
    Check(document->close(), "Close");
  }

  std::wstring GetLocationURL() override {
    if (!m_browser) return m_pendingUrl;
    BSTR url = nullptr;
    if (FAILED(m_browser->get_LocationURL(&url)) || !url) return std::wstring();
    std::wstring result(url, SysStringLen(url));
    SysFreeString(url);
    return result;
  }

 private:
  void Advise() {
    ComPtr<IConnectionPointContainer> container;
    if (FAILED(m_browser->QueryInterface(IID_IConnectionPointContainer, container.OutVoid()))) return;
    if (FAILED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, m_connectionPoint.Out()))) return;
    if (FAILED(m_connectionPoint->Advise(static_cast<IDispatch*>(m_site), &m_cookie))) m_connectionPoint.Reset();
  }

  bool Document(ComPtr<IHTMLDocument2>& document) {
    if (!m_browser) return false;
    ComPtr<IDispatch> dispatch;
    if (FAILED(m_browser->get_Document(dispatch.Out())) || !dispatch) return false;
    return SUCCEEDED(dispatch->QueryInterface(IID_IHTMLDocument2, document.OutVoid())) && document;
  }

  bool m_oleInitialized = false;
  BrowserSite* m_site = nullptr;
  ComPtr<IOleObject> m_object;
  ComPtr<IWebBrowser2> m_browser;
  ComPtr<IConnectionPoint> m_connectionPoint;
  DWORD m_cookie = 0;
  std::wstring m_pendingUrl;
};

}  // namespace

TWebBrowserEngineFactory SetWebBrowserEngineFactory(TWebBrowserEngineFactory factory) {
  return std::exchange(EngineFactory(), std::move(factory));
}

std::unique_ptr<IWebBrowserEngine> CreateSystemWebBrowserEngine() { return std::make_unique<SystemBrowserEngine>(); }

// ---- TWebBrowser ----------------------------------------------------------------------------
TWebBrowser::TWebBrowser(TComponent* owner) : TWinControl(owner) {
  FEngine = EngineFactory() ? EngineFactory()() : CreateSystemWebBrowserEngine();
  FEngine->OnDocumentComplete = [this] { DocumentComplete(); };
  SetBounds(0, 0, 300, 150);
}

TWebBrowser::~TWebBrowser() { BeforeDestruction(); }

void TWebBrowser::BeforeDestruction() {
  if (FEngine) {
    FEngine->OnDocumentComplete = nullptr;
    FEngine->Detach();
  }
  TWinControl::BeforeDestruction();
}

IWebBrowserEngine& TWebBrowser::GetEngine() { return *FEngine; }

void TWebBrowser::DefineProperties(TFiler* filer) {
  TWinControl::DefineProperties(filer);
  filer->DefineBinaryProperty("ControlData", [](TStream&) {}, nullptr, false);
}

void TWebBrowser::CreateWnd() {
  TWinControl::CreateWnd();
  RECT client;
  ::GetClientRect(FHandle, &client);
  FEngine->Attach(FHandle, client);
}

void TWebBrowser::DestroyWnd() {
  FEngine->Detach();
  TWinControl::DestroyWnd();
}

void TWebBrowser::WMSize(TMessage& message) {
  TWinControl::WMSize(message);
  RECT client;
  ::GetClientRect(FHandle, &client);
  FEngine->SetBounds(client);
}

void TWebBrowser::Navigate(const std::wstring& url) {
  FWritePending = false;
  FPendingHtml.clear();
  FEngine->Navigate(url);
}

void TWebBrowser::Navigate(const std::string& url) {
  std::wstring wide(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, url.data(), static_cast<int>(url.size()), nullptr, 0)), L'\0');
  MultiByteToWideChar(CP_ACP, 0, url.data(), static_cast<int>(url.size()), wide.data(), static_cast<int>(wide.size()));
  Navigate(wide);
}

bool TWebBrowser::HasDocument() { return FEngine->HasDocument(); }

std::wstring TWebBrowser::GetLocationURL() { return FEngine->GetLocationURL(); }

void TWebBrowser::WriteDocument(const std::wstring& html) {
  if (FEngine->HasDocument()) {
    FWritePending = false;
    FPendingHtml.clear();
    FEngine->WriteDocument(html);
    return;
  }
  FEngine->Navigate(L"about:blank");
  // The engine may have completed at once; otherwise the page waits for the document.
  if (FEngine->HasDocument()) {
    FEngine->WriteDocument(html);
    return;
  }
  FPendingHtml = html;
  FWritePending = true;
}

void TWebBrowser::DocumentComplete() {
  if (FWritePending && FEngine->HasDocument()) {
    FWritePending = false;
    FEngine->WriteDocument(std::exchange(FPendingHtml, std::wstring()));
  }
  if (OnDocumentComplete) OnDocumentComplete(this);
}

// ---- TRecordingWebBrowserEngine -------------------------------------------------------------
TRecordingWebBrowserEngine::TRecordingWebBrowserEngine(std::shared_ptr<Log> log, bool completeAtOnce)
    : FLog(std::move(log)), FCompleteAtOnce(completeAtOnce) {}

bool TRecordingWebBrowserEngine::Attach(HWND, const RECT& rect) {
  ++FLog->attaches;
  FLog->bounds = rect;
  return true;
}

void TRecordingWebBrowserEngine::Detach() { ++FLog->detaches; }

void TRecordingWebBrowserEngine::SetBounds(const RECT& rect) { FLog->bounds = rect; }

void TRecordingWebBrowserEngine::Navigate(const std::wstring& url) {
  FLog->navigations.push_back(url);
  FLocation = url;
  FHasDocument = false;
  FNavigating = true;
  if (FCompleteAtOnce) CompleteNavigation();
}

bool TRecordingWebBrowserEngine::CompleteNavigation() {
  if (!FNavigating) return false;
  FNavigating = false;
  FHasDocument = true;
  if (OnDocumentComplete) OnDocumentComplete();
  return true;
}

void TRecordingWebBrowserEngine::WriteDocument(const std::wstring& html) {
  if (!FHasDocument) throw EWebBrowserError("Web browser: no document to write");
  FLog->documentCalls.push_back(L"Clear");
  FLog->documentCalls.push_back(L"Write:" + html);
  FLog->documentCalls.push_back(L"Close");
}

void RegisterWebBrowserClass() {
  // A replacement registered under the same name stays.
  if (!GetClass("TWebBrowser")) RegisterClass(TWebBrowser::StaticClass());
}
