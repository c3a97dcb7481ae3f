// The keyboard-cue repaint fix: which systems need it, the watched windows' message chain, and
// the repaint at the first idle moment after WM_UPDATEUISTATE, seen on the screen.
#include "ucode/KeyCueFixUnit.h"

#include <gtest/gtest.h>

#include <fstream>

#include "WindowsTestSupport.h"
#include "classlib/ExtCtrls.h"
#include "classlib/StdCtrls.h"
#include "support/TestSupport.h"
#include "ucode/UCodeStdCtrls.h"

// The library's own 8-bit edit.
using StdCtrls::TEdit;
using ExtCtrls::TPanel;

namespace {

const COLORREF kMark = RGB(255, 0, 255);

// A control of the shared form (freed with it) on `parent`.
template <class C>
C* PlaceOn(TWinControl* parent, int left, int top, int width, int height) {
  TWinControl* form = parent;
  while (form->GetParent()) form = form->GetParent();
  auto* control = new C(form);
  control->SetBounds(left, top, width, height);
  control->SetParent(parent);
  return control;
}

// Runs the application's idle processing once (the handler keeps the loop from waiting).
class IdleTurn : public TObject {
 public:
  IdleTurn() : FEvents(nullptr) { FEvents.OnIdle = TIdleEvent(this, &IdleTurn::Idle); }
  void Run() {
    wintest::Pump();
    int before = FIdles;
    for (int i = 0; i < 100 && FIdles == before; ++i) Application->HandleMessage();
    ASSERT_GT(FIdles, before) << "no idle turn";
  }

 private:
  void Idle(TObject*, bool& done) {
    ++FIdles;
    done = false;
  }
  TApplicationEvents FEvents;
  int FIdles = 0;
};

// Paints the whole window and its controls now, so that nothing is left to paint later.
void PaintNow(TWinControl* form) {
  RedrawWindow(form->GetHandle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW);
}

// Paints a stale mark into the middle of a control's window behind the program's back.
void Mark(TWinControl* control) {
  HDC dc = GetDC(control->GetHandle());
  RECT rect{control->GetWidth() / 2 - 4, control->GetHeight() / 2 - 4, control->GetWidth() / 2 + 4,
            control->GetHeight() / 2 + 4};
  HBRUSH brush = CreateSolidBrush(kMark);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
  ReleaseDC(control->GetHandle(), dc);
}

struct Shot {
  std::vector<uint8_t> rgb;
  int width = 0, height = 0;
  RECT frame{};
};

// What the window shows, read from its own device context (where the marks were painted).
Shot Capture(TForm* form) {
  Shot shot;
  HWND wnd = form->GetHandle();
  GetWindowRect(wnd, &shot.frame);
  shot.width = shot.frame.right - shot.frame.left;
  shot.height = shot.frame.bottom - shot.frame.top;
  HDC window = GetWindowDC(wnd);
  HDC memory = CreateCompatibleDC(window);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = shot.width;
  info.bmiHeader.biHeight = -shot.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(window, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, shot.width, shot.height, window, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* pixels = static_cast<const uint8_t*>(bits);
  shot.rgb.resize(static_cast<size_t>(shot.width) * shot.height * 3);
  for (size_t i = 0; i < static_cast<size_t>(shot.width) * shot.height; ++i) {
    shot.rgb[i * 3] = pixels[i * 4 + 2];
    shot.rgb[i * 3 + 1] = pixels[i * 4 + 1];
    shot.rgb[i * 3 + 2] = pixels[i * 4];
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(wnd, window);
  return shot;
}

// The point (in the screenshot) at the middle of a control.
POINT Middle(const Shot& shot, TControl* control) {
  POINT p = control->ClientToScreen(POINT{control->GetWidth() / 2, control->GetHeight() / 2});
  return POINT{p.x - shot.frame.left, p.y - shot.frame.top};
}

bool Marked(const Shot& shot, POINT p) {
  const uint8_t* pixel = &shot.rgb[(static_cast<size_t>(p.y) * shot.width + p.x) * 3];
  return pixel[0] == GetRValue(kMark) && pixel[1] == GetGValue(kMark) && pixel[2] == GetBValue(kMark);
}

void Save(const Shot& shot, const std::string& name) {
  std::ofstream(testsupport::ExeFolder() + name, std::ios::binary)
      << wintest::EncodePng(shot.width, shot.height, shot.rgb);
}

// A panel over the whole shared form, above whatever other tests left on it.
TPanel* Host(TForm* form) {
  auto* host = PlaceOn<TPanel>(form, 0, 0, form->GetClientWidth(), form->GetClientHeight());
  host->SetBevelOuter(bvNone);
  host->BringToFront();
  return host;
}

TEST(KeyCueFix, NeededOnXpAndVistaOnwardWithVisualStylesOnly) {
  EXPECT_TRUE(KeyCueFixNeeded(5, 1, true));
  EXPECT_TRUE(KeyCueFixNeeded(6, 0, true));
  EXPECT_TRUE(KeyCueFixNeeded(10, 0, true));
  EXPECT_FALSE(KeyCueFixNeeded(5, 2, true));
  EXPECT_FALSE(KeyCueFixNeeded(5, 0, true));
  EXPECT_FALSE(KeyCueFixNeeded(4, 10, true));
  for (unsigned major : {5u, 6u, 10u}) EXPECT_FALSE(KeyCueFixNeeded(major, 1, false));
}

TEST(KeyCueFix, UnneededFixLeavesEveryWindowAlone) {
  wintest::ShownForm form;
  TWndMethod before = form->GetWindowProc();
  {
    TKeyCueFix fix(nullptr, false);
    EXPECT_TRUE(fix.GetRepaintAll());
    EXPECT_FALSE(fix.Active());
    IdleTurn().Run();
    EXPECT_TRUE(form->GetWindowProc().SameMethod(before));
  }
}

TEST(KeyCueFix, WatchesEveryWindowAndGivesTheChainBackWhenFreed) {
  wintest::ShownForm form;
  auto* other = new TForm(nullptr);
  TWndMethod formProc = form->GetWindowProc();
  TWndMethod otherProc = other->GetWindowProc();
  {
    TKeyCueFix fix(nullptr, true);
    EXPECT_TRUE(fix.Active());
    IdleTurn().Run();
    EXPECT_FALSE(form->GetWindowProc().SameMethod(formProc));
    EXPECT_FALSE(other->GetWindowProc().SameMethod(otherProc));
    // A window that leaves the screen's list is forgotten at the next idle turn.
    delete other;
    IdleTurn().Run();
    // Messages still pass through the chain to the window's own handling.
    form->SetCaption("cue test");
    char text[32] = {};
    GetWindowTextA(form->GetHandle(), text, sizeof(text));
    EXPECT_STREQ(text, "cue test");
  }
  EXPECT_TRUE(form->GetWindowProc().SameMethod(formProc));
  SendMessageA(form->GetHandle(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  IdleTurn().Run();
}

TEST(KeyCueFix, RepaintsTheWindowsControlsAtTheIdleTurnAfterUpdateUiState) {
  wintest::ShownForm form;
  TPanel* host = Host(form.Get());
  auto* button = PlaceOn<TUCodeButton>(host, 10, 10, 120, 30);
  button->SetCaption("&Knopf");
  auto* check = PlaceOn<TUCodeCheckBox>(host, 10, 50, 120, 24);
  check->SetCaption("&Feld");
  auto* panel = PlaceOn<TPanel>(host, 150, 10, 120, 80);
  TKeyCueFix fix(nullptr, true);
  IdleTurn().Run();
  PaintNow(form.Get());

  for (TWinControl* control : {static_cast<TWinControl*>(button), static_cast<TWinControl*>(check),
                               static_cast<TWinControl*>(panel)})
    Mark(control);
  Shot marked = Capture(form.Get());
  for (TControl* control : {static_cast<TControl*>(button), static_cast<TControl*>(check),
                            static_cast<TControl*>(panel)})
    ASSERT_TRUE(Marked(marked, Middle(marked, control))) << control->ClassName();

  // Another message and an idle turn repaint nothing.
  SendMessageA(form->GetHandle(), WM_NULL, 0, 0);
  IdleTurn().Run();
  Shot quiet = Capture(form.Get());
  EXPECT_TRUE(Marked(quiet, Middle(quiet, button)));
  EXPECT_TRUE(Marked(quiet, Middle(quiet, panel)));

  SendMessageA(form->GetHandle(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL), 0);
  Shot before = Capture(form.Get());
  IdleTurn().Run();
  Shot after = Capture(form.Get());
  for (TControl* control : {static_cast<TControl*>(button), static_cast<TControl*>(check),
                            static_cast<TControl*>(panel)})
    EXPECT_FALSE(Marked(after, Middle(after, control))) << control->ClassName();

  Save(before, "keycue-before.png");
  Save(after, "keycue-after.png");
  std::ofstream points(testsupport::ExeFolder() + "keycue-points.txt");
  for (TControl* control : {static_cast<TControl*>(button), static_cast<TControl*>(check),
                            static_cast<TControl*>(panel)}) {
    POINT p = Middle(after, control);
    points << p.x << ' ' << p.y << '\n';
  }
}

TEST(KeyCueFix, WithoutRepaintAllOnlyAcceleratorControlsOfTheShownPageRepaint) {
  wintest::ShownForm form;
  auto* panel = PlaceOn<TPanel>(Host(form.Get()), 10, 10, 300, 120);
  auto* button = PlaceOn<TUCodeButton>(panel, 10, 10, 100, 30);
  button->SetCaption("&Los");
  auto* text = PlaceOn<TUCodeStaticText>(panel, 10, 50, 100, 20);
  text->SetCaption("&Text");
  auto* edit = PlaceOn<TUCodeEdit>(panel, 150, 10, 100, 24);
  TKeyCueFix fix(nullptr, true);
  fix.SetRepaintAll(false);
  IdleTurn().Run();
  PaintNow(form.Get());

  for (TWinControl* control : {static_cast<TWinControl*>(panel), static_cast<TWinControl*>(button),
                               static_cast<TWinControl*>(edit)})
    Mark(control);
  HDC dc = GetDC(text->GetHandle());
  HBRUSH brush = CreateSolidBrush(kMark);
  RECT all{0, 0, text->GetWidth(), text->GetHeight()};
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  ReleaseDC(text->GetHandle(), dc);
  Shot marked = Capture(form.Get());
  for (TControl* control : {static_cast<TControl*>(panel), static_cast<TControl*>(button),
                            static_cast<TControl*>(text), static_cast<TControl*>(edit)})
    ASSERT_TRUE(Marked(marked, Middle(marked, control))) << control->ClassName();

  SendMessageA(form->GetHandle(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL), 0);
  IdleTurn().Run();
  Shot after = Capture(form.Get());
  EXPECT_FALSE(Marked(after, Middle(after, button)));
  EXPECT_FALSE(Marked(after, Middle(after, text)));
  EXPECT_TRUE(Marked(after, Middle(after, panel)));
  EXPECT_TRUE(Marked(after, Middle(after, edit)));
}

}  // namespace
