// The wide images still do their work on the program's windows: the start screen shows its
// pictures.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

#include "TextIndexWindows.h"
#include "classlib/Graphics.h"
#include "forms/u_start.h"
#include "ucode/UCodeRepExtCtrls.h"

using formstest::TextIndexWindows;

namespace {

// What a window has painted at a point of the screen, read from its own device context. The
// display is not read: Wine hands a window's painting on to the X server only when the thread
// next goes idle in its message loop, so right after painting the display may still show what
// was there before (under load even none of the start screen).
class PaintedPixels {
 public:
  explicit PaintedPixels(TWinControl* window) : m_window(window), m_dc(GetDC(window->GetHandle())) {}
  ~PaintedPixels() { ReleaseDC(m_window->GetHandle(), m_dc); }
  PaintedPixels(const PaintedPixels&) = delete;
  PaintedPixels& operator=(const PaintedPixels&) = delete;
  COLORREF At(POINT at) const {
    POINT inWindow = m_window->ScreenToClient(at);
    return GetPixel(m_dc, inWindow.x, inWindow.y);
  }

 private:
  TWinControl* m_window;
  HDC m_dc;
};

}  // namespace

TEST(WideExtControls, TheStartScreenShowsItsPictures) {
  TextIndexWindows windows;
  windows.LeaveToProcessEnd();
  start->Show();
  start->BringToFront();
  for (int round = 0; round < 3; ++round) Application->ProcessMessages();
  RedrawWindow(start->GetHandle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const PaintedPixels screen(start->Panel1);

  // Every tenth pixel of each shown picture, where no other picture lies over it, is painted
  // as the decoded picture has it.
  for (TImage* image : {start->intro, start->intro_en1}) {
    if (!image->GetVisible()) continue;
    TBitmap decoded;
    decoded.Assign(image->GetPicture()->GetGraphic());
    int compared = 0, differing = 0;
    for (int y = 0; y < decoded.GetHeight(); y += 10)
      for (int x = 0; x < decoded.GetWidth(); x += 10) {
        POINT at = image->ClientToScreen(POINT{x, y});
        if (image == start->intro && start->intro_en1->GetVisible()) {
          POINT inOverlay = start->intro_en1->ScreenToClient(at);
          POINT inSecond = start->intro_en2->ScreenToClient(at);
          auto inside = [](TControl* c, POINT p) { return p.x >= 0 && p.y >= 0 && p.x < c->GetWidth() && p.y < c->GetHeight(); };
          if (inside(start->intro_en1, inOverlay) || inside(start->intro_en2, inSecond)) continue;
        }
        COLORREF want = ColorToRGB(decoded.GetCanvas()->GetPixel(x, y));
        COLORREF got = screen.At(at);
        ++compared;
        if (std::abs(GetRValue(want) - GetRValue(got)) > 3 || std::abs(GetGValue(want) - GetGValue(got)) > 3 ||
            std::abs(GetBValue(want) - GetBValue(got)) > 3)
          ++differing;
      }
    EXPECT_GT(compared, 50) << image->GetName();
    EXPECT_EQ(differing, 0) << image->GetName();
  }
}
