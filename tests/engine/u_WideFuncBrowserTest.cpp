// Writing an HTML page from a wide string list into the browser control.
#include <gtest/gtest.h>

#include "classlib/WebBrowser.h"
#include "engine/u_WideFunc.h"
#include "ucode/UCodeClasses.h"

namespace {

class RecordedBrowser : public ::testing::Test {
 protected:
  void SetUp() override {
    auto shared = m_log;
    m_previous = SetWebBrowserEngineFactory([shared] { return std::make_unique<TRecordingWebBrowserEngine>(shared); });
    m_browser = new TWebBrowser(&m_owner);
  }
  void TearDown() override { SetWebBrowserEngineFactory(m_previous); }

  bool CompleteNavigation() {
    return static_cast<TRecordingWebBrowserEngine&>(m_browser->GetEngine()).CompleteNavigation();
  }

  std::shared_ptr<TRecordingWebBrowserEngine::Log> m_log = std::make_shared<TRecordingWebBrowserEngine::Log>();
  TWebBrowserEngineFactory m_previous;
  TComponent m_owner{nullptr};
  TWebBrowser* m_browser = nullptr;
};

TEST_F(RecordedBrowser, WritesTheWholeListOnceTheBlankDocumentExists) {
  TUCodeStringList page;
  page.Add(L"<html><body>");
  page.Add(L"\u00C4pfel \u0151 \u4E2D");
  page.Add(L"</body></html>");

  WriteHtmlToBrowser(m_browser, page);
  EXPECT_EQ(m_log->navigations, std::vector<std::wstring>{L"about:blank"});
  EXPECT_TRUE(m_log->documentCalls.empty());

  ASSERT_TRUE(CompleteNavigation());
  EXPECT_EQ(m_log->documentCalls,
            (std::vector<std::wstring>{L"Clear", L"Write:" + page.GetText(), L"Close"}));
  EXPECT_NE(m_log->documentCalls[1].find(L"\u00C4pfel \u0151 \u4E2D\r\n"), std::wstring::npos);
}

TEST_F(RecordedBrowser, ADocumentThatExistsIsWrittenWithoutNavigating) {
  TUCodeStringList first;
  first.Add(L"eins");
  WriteHtmlToBrowser(m_browser, first);
  ASSERT_TRUE(CompleteNavigation());

  TUCodeStringList second;
  second.Add(L"zwei");
  WriteHtmlToBrowser(m_browser, second);
  EXPECT_EQ(m_log->navigations.size(), 1u);
  ASSERT_EQ(m_log->documentCalls.size(), 6u);
  EXPECT_EQ(m_log->documentCalls[4], L"Write:zwei\r\n");
}

}  // namespace
