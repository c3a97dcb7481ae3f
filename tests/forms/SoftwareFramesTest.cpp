// The lists of further programs on the information panel's "Software" pages: each language's
// frame in place of the page's old link labels, every entry's link opening its page with a
// referral code of its own, and the list moving 10 units per step of the mouse wheel.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "TextIndexWindows.h"
#include "WindowsTestSupport.h"
#include "forms/u_frame1.h"
#include "forms/u_frame2.h"
#include "forms/u_prog.h"
#include "forms/u_start.h"

namespace {

// The main window on the "Software" page of the language, with the web-link seam recording.
class SoftwarePages : public ::testing::Test {
 protected:
  SoftwarePages() {
    m_windows.LeaveToProcessEnd();
    m_opener = SetWebAddressOpener([this](const std::string& address) { opened.push_back(address); });
  }
  ~SoftwarePages() override { SetWebAddressOpener(m_opener); }

  void ShowSoftwarePage(const char* code) {
    start->spr->SetCaption(code);
    prog->sprachealles();
    prog->Show();
    prog->Software1Click(prog->Software1);
    formstest::Pump();
  }

  std::vector<std::string> opened;

 private:
  formstest::TextIndexWindows m_windows;
  TWebAddressOpener m_opener;
};

// The link labels of a frame's entries, in entry order.
std::vector<TControl*> Links(TSoftwareFrame* frame) {
  std::vector<TControl*> links;
  for (int i = 0; i < frame->ScrollBox1->GetControlCount(); ++i) {
    TControl* control = frame->ScrollBox1->GetControl(i);
    if (control->GetName().ends_with("_link")) links.push_back(control);
  }
  return links;
}

TEST_F(SoftwarePages, EachLanguageShowsItsFrameInPlaceOfThePlainLinks) {
  struct Case {
    const char* code;
    TSoftwareFrame* frame;
    TTabSheet* page;
    const char* frameClass;
  };
  for (const Case& c : {Case{"de", prog->Frame11, prog->tide5, "TFrame1"},
                        Case{"en", prog->Frame21, prog->tien5, "TFrame2"}}) {
    ShowSoftwarePage(c.code);
    ASSERT_NE(c.frame, nullptr) << c.code;
    EXPECT_EQ(c.frame->ClassName(), c.frameClass);
    EXPECT_EQ(c.frame->GetParent(), c.page);
    EXPECT_TRUE(IsWindowVisible(c.frame->GetHandle())) << c.code;
    EXPECT_TRUE(IsWindowVisible(c.frame->ScrollBox1->GetHandle())) << c.code;
    // The frame's components are its own, not the main window's.
    EXPECT_EQ(c.frame->ScrollBox1->GetOwner(), c.frame);
    EXPECT_EQ(prog->FindComponent("ScrollBox1"), nullptr);
    EXPECT_GE(Links(c.frame).size(), 4u) << c.code;
    // The page holds its text and the frame; no plain link label is left beside them.
    for (int i = 0; i < c.page->GetControlCount(); ++i) {
      TControl* control = c.page->GetControl(i);
      EXPECT_TRUE(control == c.frame || control->GetName().ends_with("_text")) << control->GetName();
    }
  }
}

TEST_F(SoftwarePages, EveryEntryOpensItsPageWithAReferralCodeOfItsOwn) {
  std::set<std::string> codes;
  size_t entries = 0;
  for (TSoftwareFrame* frame : {static_cast<TSoftwareFrame*>(prog->Frame11), static_cast<TSoftwareFrame*>(prog->Frame21)}) {
    for (TControl* link : Links(frame)) {
      opened.clear();
      link->Click();
      ASSERT_EQ(opened.size(), 1u) << link->GetName();
      const std::string& address = opened[0];
      EXPECT_EQ(address.find("http://www." + link->GetCaption()), 0u) << address;
      const size_t key = address.find("&rf=");
      ASSERT_NE(key, std::string::npos) << address;
      const std::string code = address.substr(key + 4);
      EXPECT_NE(code, "kxl") << "the information page labels' code";
      codes.insert(code);
      ++entries;
    }
  }
  EXPECT_EQ(codes.size(), entries);

  // A host with a path and a bare host, as the German and the English list hold them.
  opened.clear();
  Links(prog->Frame11).front()->Click();
  Links(prog->Frame11).back()->Click();
  Links(prog->Frame21).back()->Click();
  EXPECT_EQ(opened, (std::vector<std::string>{"http://www.kaptorix.de/programme/wordcounter&rf=kxfd1",
                                              "http://www.kalwe.de/&rf=kxfd5", "http://www.kalwe.com/&rf=kxfe5"}));
}

TEST_F(SoftwarePages, AWheelStepMovesTheListTenUnits) {
  for (const char* code : {"de", "en"}) {
    ShowSoftwarePage(code);
    TSoftwareFrame* frame = std::string(code) == "de" ? static_cast<TSoftwareFrame*>(prog->Frame11)
                                                      : static_cast<TSoftwareFrame*>(prog->Frame21);
    TScrollBox* box = frame->ScrollBox1;
    TControlScrollBar* bar = box->GetVertScrollBar();
    bar->SetPosition(0);
    ASSERT_GT(bar->GetRange(), box->GetClientRect().bottom + 30) << "the list must be longer than its box";
    TControl* first = Links(frame).front();
    const int top = first->GetTop();

    // A click into the list gives it the focus, which the wheel's messages go to.
    SendMessageA(box->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(box->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(GetFocus(), box->GetHandle()) << code;

    wintest::Wheel(box, -WHEEL_DELTA);
    EXPECT_EQ(bar->GetPosition(), 10) << code;
    EXPECT_EQ(first->GetTop(), top - 10) << code;
    wintest::Wheel(box, -WHEEL_DELTA);
    EXPECT_EQ(bar->GetPosition(), 20) << code;
    wintest::Wheel(box, WHEEL_DELTA);
    EXPECT_EQ(bar->GetPosition(), 10) << code;
    EXPECT_EQ(first->GetTop(), top - 10) << code;
    bar->SetPosition(0);
  }
}

}  // namespace
