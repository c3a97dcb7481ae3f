// Theme services: a control can paint what its parent shows behind it.
#include <gtest/gtest.h>

#include "classlib/Graphics.h"
#include "classlib/Themes.h"

namespace {

constexpr char kParentClass[] = "KxThemeTestParent";

ATOM RegisterRedParent() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = CreateSolidBrush(RGB(200, 0, 0));
  wc.lpszClassName = kParentClass;
  return RegisterClassA(&wc);
}

TEST(ThemeServices, PaintsTheParentsBackgroundBehindAChild) {
  static const ATOM registered = RegisterRedParent();
  ASSERT_NE(registered, 0);
  HWND parent = CreateWindowExA(0, kParentClass, "", WS_POPUP, 0, 0, 100, 60, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10, 40, 20, parent,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(parent && child);

  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(40, 20);
  bitmap.GetCanvas()->GetBrush()->SetColor(clWhite);
  bitmap.GetCanvas()->FillRect(RECT{0, 0, 40, 20});
  EXPECT_TRUE(ThemeServices().DrawParentBackground(child, bitmap.GetCanvas()->GetHandle(), nullptr));
  EXPECT_EQ(bitmap.GetCanvas()->GetPixel(20, 10), RGB(200, 0, 0));

  // Without visual styles the themed group box is left to the caller's own painting.
  if (!ThemeServices().ThemesEnabled()) {
    EXPECT_FALSE(ThemeServices().DrawGroupBox(child, bitmap.GetCanvas()->GetHandle(),
                                              RECT{0, 0, 40, 20}, true));
    EXPECT_EQ(bitmap.GetCanvas()->GetPixel(20, 10), RGB(200, 0, 0));
  }
  DestroyWindow(parent);
}

}  // namespace
