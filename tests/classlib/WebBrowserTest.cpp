// The web-browser control with the recording stand-in, and the system's browser degrading
// gracefully where there is no HTML engine.
#include <gtest/gtest.h>

#include "WindowsTestSupport.h"
#include "classlib/FormReader.h"
#include "classlib/WebBrowser.h"

using wintest::Pump;
using wintest::ShownForm;

namespace {

// Every browser made while this lives records into `log`.
struct RecordingBrowsers {
  std::shared_ptr<TRecordingWebBrowserEngine::Log> log = std::make_shared<TRecordingWebBrowserEngine::Log>();
  TWebBrowserEngineFactory previous;
  explicit RecordingBrowsers(bool completeAtOnce = false) {
    auto shared = log;
    previous = SetWebBrowserEngineFactory(
        [shared, completeAtOnce] { return std::make_unique<TRecordingWebBrowserEngine>(shared, completeAtOnce); });
  }
  ~RecordingBrowsers() { SetWebBrowserEngineFactory(previous); }
  RecordingBrowsers(const RecordingBrowsers&) = delete;
  RecordingBrowsers& operator=(const RecordingBrowsers&) = delete;
  TRecordingWebBrowserEngine& Engine(TWebBrowser* browser) {
    return static_cast<TRecordingWebBrowserEngine&>(browser->GetEngine());
  }
};

struct CompletionCounter : TObject {
  int completions = 0;
  void Complete(TObject*) { ++completions; }
};

}  // namespace

TEST(WebBrowser, APageWrittenBeforeADocumentExistsWaitsForAboutBlank) {
  RecordingBrowsers browsers;
  TComponent owner(nullptr);
  auto* browser = new TWebBrowser(&owner);
  CompletionCounter counter;
  browser->OnDocumentComplete = TNotifyEvent(&counter, &CompletionCounter::Complete);

  browser->WriteDocument(L"<html>\u0151</html>");
  EXPECT_EQ(browsers.log->navigations, std::vector<std::wstring>{L"about:blank"});
  EXPECT_TRUE(browsers.log->documentCalls.empty());  // no document yet: nothing written
  EXPECT_TRUE(browser->IsWritePending());

  ASSERT_TRUE(browsers.Engine(browser).CompleteNavigation());
  EXPECT_EQ(browsers.log->documentCalls,
            (std::vector<std::wstring>{L"Clear", L"Write:<html>\u0151</html>", L"Close"}));
  EXPECT_FALSE(browser->IsWritePending());
  EXPECT_EQ(counter.completions, 1);

  // With its document, the next page goes in at once.
  browser->WriteDocument(L"zwei");
  EXPECT_EQ(browsers.log->navigations.size(), 1u);
  EXPECT_EQ(browsers.log->documentCalls.back(), L"Close");
  EXPECT_EQ(browsers.log->documentCalls[4], L"Write:zwei");
}

TEST(WebBrowser, ANavigationToAFileDropsAWaitingPage) {
  RecordingBrowsers browsers;
  TComponent owner(nullptr);
  auto* browser = new TWebBrowser(&owner);
  browser->WriteDocument(L"alt");
  browser->Navigate(std::string("c:/temphtmlindex\xE4.html"));  // 8-bit, code page 1252
  EXPECT_FALSE(browser->IsWritePending());
  browsers.Engine(browser).CompleteNavigation();
  EXPECT_TRUE(browsers.log->documentCalls.empty());
  EXPECT_EQ(browser->GetLocationURL(), L"c:/temphtmlindex\u00E4.html");
}

TEST(WebBrowser, AnEngineThatCompletesAtOnceIsWrittenInTheSameCall) {
  RecordingBrowsers browsers(true);
  TComponent owner(nullptr);
  auto* browser = new TWebBrowser(&owner);
  browser->WriteDocument(L"<p>x</p>");
  EXPECT_FALSE(browser->IsWritePending());
  EXPECT_EQ(browsers.log->documentCalls.size(), 3u);
}

TEST(WebBrowser, TheBrowserFillsTheControlsWindowForItsLifetime) {
  RecordingBrowsers browsers;
  ShownForm form;
  auto* browser = new TWebBrowser(form.Get());
  browser->SetParent(form.Get());
  browser->SetBounds(10, 10, 200, 120);
  browser->HandleNeeded();
  EXPECT_EQ(browsers.log->attaches, 1);
  EXPECT_EQ(browsers.log->bounds.right, 200);
  EXPECT_EQ(browsers.log->bounds.bottom, 120);
  browser->SetBounds(10, 10, 260, 90);
  EXPECT_EQ(browsers.log->bounds.right, 260);
  EXPECT_EQ(browsers.log->bounds.bottom, 90);
  browser->Free();
  EXPECT_GE(browsers.log->detaches, 1);
}

TEST(WebBrowser, TheSystemBrowserWithoutAnHtmlEngineNeitherCrashesNorLosesThePage) {
  ShownForm form;
  auto* browser = new TWebBrowser(form.Get());
  browser->SetParent(form.Get());
  browser->HandleNeeded();
  browser->WriteDocument(L"<html><body>Index</body></html>");
  Pump();
  // Either the page is in the document or it still waits for one; it is never dropped silently.
  EXPECT_NE(browser->IsWritePending(), browser->HasDocument());
  browser->Navigate(std::wstring(L"about:blank"));
  Pump();
  browser->Free();
}

TEST(WebBrowser, AFormDescriptionMakesTheControlAndSkipsItsStoredControlData) {
  RecordingBrowsers browsers;
  TComponent root(nullptr);
  TReader reader("Browser");
  reader.ReadRootComponent(&root, ParseFormText(R"(object Root: TComponent
  object browser: TWebBrowser
    Left = 4
    Width = 320
    ControlData = {4C000000D8130000}
  end
end
)", "Browser"));
  auto* browser = dynamic_cast<TWebBrowser*>(root.FindComponent("browser"));
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(browser->GetWidth(), 320);
  browser->Navigate(std::wstring(L"about:blank"));
  EXPECT_EQ(browsers.log->navigations.size(), 1u);
}
