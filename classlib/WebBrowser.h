// The web-browser control: a window that hosts the system's web browser (the IWebBrowser2
// ActiveX control), navigates to addresses and files, and writes HTML text into its document.
//
// The browser itself sits behind IWebBrowserEngine: the system's browser in the program, a
// recording stand-in in tests (SetWebBrowserEngineFactory). Where the system has no HTML engine
// (Wine without one) the control stays an empty window: navigations lead nowhere, no document
// ever exists, and a page written to it waits for a document that does not come. Nothing hangs.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Controls.h"
#include "classlib/SysUtils.h"

KX_EXCEPTION(EWebBrowserError, Exception)

// What the control needs of a browser.
class IWebBrowserEngine {
 public:
  virtual ~IWebBrowserEngine() = default;
  // Embeds the browser in the window, filling `rect`; false when no browser can be made.
  virtual bool Attach(HWND parent, const RECT& rect) = 0;
  // Takes the browser out of the window before the window goes.
  virtual void Detach() = 0;
  virtual void SetBounds(const RECT& rect) = 0;
  // Starts a navigation; it completes later (OnDocumentComplete). Before Attach the address is
  // kept and navigated to on attaching.
  virtual void Navigate(const std::wstring& url) = 0;
  // True when the browser holds a document that can be written.
  virtual bool HasDocument() = 0;
  // Clear, Write with the whole text, Close on the document; EWebBrowserError on failure.
  virtual void WriteDocument(const std::wstring& html) = 0;
  virtual std::wstring GetLocationURL() = 0;

  // Set by the control: a navigation completed and its document exists.
  std::function<void()> OnDocumentComplete;
};

using TWebBrowserEngineFactory = std::function<std::unique_ptr<IWebBrowserEngine>()>;
// Installs what makes the engine of every control made from now on (an empty factory restores
// the system's browser); returns the previous factory.
TWebBrowserEngineFactory SetWebBrowserEngineFactory(TWebBrowserEngineFactory factory);
// The system's browser (IWebBrowser2 hosted in place).
std::unique_ptr<IWebBrowserEngine> CreateSystemWebBrowserEngine();

// ---------------------------------------------------------------------------------------------
class TWebBrowser : public TWinControl {
  KX_COMPONENT(TWebBrowser, TWinControl)
 public:
  explicit TWebBrowser(TComponent* owner);
  ~TWebBrowser() override;

  // Navigates to an address or a file name; a page waiting for a document is dropped.
  void Navigate(const std::wstring& url);
  void Navigate(const std::string& url);
  bool HasDocument();
  // Writes an HTML page into the document (Clear, Write, Close). Without a document the control
  // first navigates to "about:blank" and writes the page once that document exists.
  void WriteDocument(const std::wstring& html);
  // True while a written page waits for its document.
  bool IsWritePending() const { return FWritePending; }
  std::wstring GetLocationURL();
  IWebBrowserEngine& GetEngine();

  TNotifyEvent OnDocumentComplete;

  // Form descriptions may carry the control's own stored state ("ControlData"); it is read and
  // left unused, the browser starting empty.
  void DefineProperties(TFiler* filer) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void BeforeDestruction() override;

 protected:
  void WMSize(TMessage& message) override;

 private:
  void DocumentComplete();

  std::unique_ptr<IWebBrowserEngine> FEngine;
  std::wstring FPendingHtml;
  bool FWritePending = false;
};

// ---------------------------------------------------------------------------------------------
// A stand-in browser that records what the program asks of it. A navigation completes when the
// test calls CompleteNavigation, or at once with CompleteAtOnce; only then a document exists
// (about:blank makes an empty one).
class TRecordingWebBrowserEngine : public IWebBrowserEngine {
 public:
  struct Log {
    std::vector<std::wstring> navigations;
    std::vector<std::wstring> documentCalls;  // "Clear", "Write:<text>", "Close"
    int attaches = 0;
    int detaches = 0;
    RECT bounds{};
  };
  // The log outlives the engine (the control owns the engine).
  explicit TRecordingWebBrowserEngine(std::shared_ptr<Log> log, bool completeAtOnce = false);

  bool Attach(HWND parent, const RECT& rect) override;
  void Detach() override;
  void SetBounds(const RECT& rect) override;
  void Navigate(const std::wstring& url) override;
  bool HasDocument() override { return FHasDocument; }
  void WriteDocument(const std::wstring& html) override;
  std::wstring GetLocationURL() override { return FLocation; }
  // Completes the navigation in progress (its document appears); false when none runs.
  bool CompleteNavigation();

 private:
  std::shared_ptr<Log> FLog;
  bool FCompleteAtOnce;
  bool FNavigating = false;
  bool FHasDocument = false;
  std::wstring FLocation;
};

// Registers the browser control for form descriptions.
void RegisterWebBrowserClass();
