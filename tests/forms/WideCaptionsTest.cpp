// The windows' labels, check boxes, group boxes and static texts are wide controls: a caption in
// any script shows intact in their windows.
#include <gtest/gtest.h>
#include <windows.h>

#include "TextIndexWindows.h"
#include "forms/u_prog.h"
#include "ucode/UCodeStdCtrls.h"

namespace {

const std::wstring kCyrillic = L"\x041C\x043E\x0441\x043A\x0432\x0430";  // Москва

std::wstring WindowText(HWND wnd) {
  wchar_t buffer[256] = {};
  GetWindowTextW(wnd, buffer, 256);
  return buffer;
}

TEST(WideCaptionsOfTheWindows, LabelsAndCheckBoxesOfTheMainWindowHoldCyrillicCaptions) {
  formstest::TextIndexWindows windows;
  ASSERT_NE(dynamic_cast<TUCodeLabel*>(prog->kt_index), nullptr);
  ASSERT_NE(dynamic_cast<TUCodeCheckBox*>(prog->kt_kleineraus), nullptr);
  const std::wstring label = prog->kt_index->GetCaption();
  const std::wstring check = prog->kt_kleineraus->GetCaption();
  prog->kt_index->SetCaption(L"Index " + kCyrillic);
  prog->kt_kleineraus->SetCaption(L"&" + kCyrillic);
  EXPECT_EQ(prog->kt_index->GetCaption(), L"Index " + kCyrillic);
  EXPECT_EQ(WindowText(prog->kt_kleineraus->GetHandle()), L"&" + kCyrillic);
  EXPECT_TRUE(IsWindowUnicode(prog->kt_kleineraus->GetHandle()));
  // A static text of the start page too.
  ASSERT_NE(dynamic_cast<TUCodeStaticText*>(prog->start_text0), nullptr);
  const std::wstring text = prog->start_text0->GetCaption();
  prog->start_text0->SetCaption(kCyrillic);
  EXPECT_EQ(WindowText(prog->start_text0->GetHandle()), kCyrillic);
  prog->start_text0->SetCaption(text);
  prog->kt_index->SetCaption(label);
  prog->kt_kleineraus->SetCaption(check);
  EXPECT_EQ(prog->kt_kleineraus->GetCaption(), check);
}

}  // namespace
