// What the screen shows of the main window, from another process, against what it shows once the
// whole window has been painted anew: every page of the three wizards and of the information
// panel shown for the first time (by its tab, by the next button, by the side bar or through the
// menu), in German and in English. Nothing of the page shown before may stay.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "ProgramDriver.h"

using namespace programtest;

namespace {

// The themed frame of a page control is a stretched picture whose shading may step one pixel
// apart between a repaint of a part and one of the whole: a colour a few levels off is the same.
bool Alike(COLORREF a, COLORREF b) {
  constexpr int kLevels = 8;
  return std::abs(GetRValue(a) - GetRValue(b)) <= kLevels && std::abs(GetGValue(a) - GetGValue(b)) <= kLevels &&
         std::abs(GetBValue(a) - GetBValue(b)) <= kLevels;
}

// Whether a part of the window or of one of its shown children is still to be painted.
bool WaitsForPaint(HWND window) {
  const auto waits = [](HWND w) { return GetUpdateRect(w, nullptr, FALSE) != 0; };
  return waits(window) || FindChild(window, [&](HWND w) { return IsWindowVisible(w) && waits(w); }) != nullptr;
}

class RepaintComparison : protected ProgramSession {
 protected:
  // The program has handled what came before and painted all that waited to be painted.
  void Settle() const {
    ASSERT_TRUE(SendAndWait(main, WM_NULL));
    ASSERT_TRUE(program->WaitUntil([&] { return !WaitsForPaint(main); })) << "the window is not painted";
    ASSERT_TRUE(SendAndWait(main, WM_NULL));
  }

  // The screen under the main window's client area, without the caret, which blinks.
  std::vector<COLORREF> Picture() const {
    RECT client{};
    GetClientRect(main, &client);
    std::vector<COLORREF> pixels = ClientPixels(main, client);
    GUITHREADINFO thread;
    if (GuiThreadInfo(main, thread) && thread.hwndCaret) {
      RECT caret = thread.rcCaret;
      MapWindowPoints(thread.hwndCaret, main, reinterpret_cast<POINT*>(&caret), 2);
      InflateRect(&caret, 1, 1);
      for (LONG y = std::max<LONG>(0, caret.top); y < std::min(client.bottom, caret.bottom); ++y)
        for (LONG x = std::max<LONG>(0, caret.left); x < std::min(client.right, caret.right); ++x)
          pixels[static_cast<size_t>(y * client.right + x)] = 0;
    }
    return pixels;
  }

  // What the window shows once settled equals what it shows after a repaint of everything.
  void ExpectAsRepainted() const {
    ASSERT_NO_FATAL_FAILURE(Settle());
    const std::vector<COLORREF> shown = Picture();
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    ASSERT_NO_FATAL_FAILURE(Settle());
    const std::vector<COLORREF> repainted = Picture();
    ASSERT_EQ(shown.size(), repainted.size());
    RECT client{};
    GetClientRect(main, &client);
    int differing = 0;
    RECT where{client.right, client.bottom, 0, 0};
    for (size_t i = 0; i < shown.size(); ++i) {
      if (Alike(shown[i], repainted[i])) continue;
      ++differing;
      const LONG x = static_cast<LONG>(i % static_cast<size_t>(client.right));
      const LONG y = static_cast<LONG>(i / static_cast<size_t>(client.right));
      where = RECT{std::min(where.left, x), std::min(where.top, y), std::max(where.right, x + 1),
                   std::max(where.bottom, y + 1)};
    }
    EXPECT_EQ(differing, 0) << "pixels that a repaint changes, within (" << where.left << ", " << where.top
                            << ") - (" << where.right << ", " << where.bottom << ")";
  }
};

// ---- the first showing of every page ----------------------------------------------------------
struct Language {
  const char* code;
  const char* next;  // the wizards' next button
  // The captions of the pages, as their tabs show them.
  const char* textPages[6];
  const char* filePages[5];
  const char* keywordPages[5];
  const char* infoPages[5];  // in tab order
};

const Language kLanguages[] = {
    {"de",
     "weiter >>",
     {"1. Quelle", "2. Seitenzahlen", "3. Kriterien", "4. Fertigstellen", "Index erstellen", "Ergebnis"},
     {"1. Quelle", "2. Einstellungen", "3. Fertigstellen", "Index erstellen", "Ergebnis"},
     {"1. Quelle", "2. Einstellungen", "3. Fertigstellen", "Index erstellen", "Ergebnis"},
     {"Hilfe", "Empfehlungen", "Software", "Wieso spenden?", "Lizenz"}},
    {"en",
     "next >>",
     {"1. Source", "2. Page Numbers", "3. Criteria", "4. Complete", "Create Index", "Output"},
     {"1. Source", "2. Criteria", "3. Complete", "Create Index", "Output"},
     {"1. Source", "2. Criteria", "3. Complete", "Create Index", "Output"},
     {"Help", "Regards", "Software", "Why Donate?", "Licence"}},
};

void PrintTo(const Language& language, std::ostream* out) { *out << language.code; }

// A shown page of a page control with that caption.
WindowTest ShownSheet(const std::string& caption) {
  return [caption](HWND w) {
    return IsWindowVisible(w) && ClassOf(w).find("TabSheet") != std::string::npos && WindowText(w) == caption;
  };
}

class FirstShowing : public ::testing::TestWithParam<Language>, protected RepaintComparison {
 protected:
  FirstShowing() { ChooseLanguage(dir, GetParam().code); }

  // How a page is brought up.
  enum class Way { SideBar, Next, Tab, Menu };
  struct Showing {
    Way way;
    std::vector<std::string> names;  // the side-bar button, or the menu items from the bar down
    int tab = -1;                    // the tab to click
  };

  void Bring(const Showing& showing) {
    switch (showing.way) {
      case Way::SideBar: ASSERT_TRUE(ClickSideBarButton(main, showing.names.front())); break;
      case Way::Next: {
        HWND next = Shown(GetParam().next);
        ASSERT_NE(next, nullptr) << "no next button";
        ASSERT_TRUE(ClickMiddle(next));
        break;
      }
      case Way::Tab: {
        HWND tabs = FindShownPageControl(main);
        ASSERT_NE(tabs, nullptr);
        ASSERT_TRUE(ClickTab(*program, tabs, showing.tab));
        break;
      }
      case Way::Menu: ASSERT_TRUE(ChooseMenuItem(*program, main, showing.names)); break;
    }
  }
};

TEST_P(FirstShowing, APageShownForTheFirstTimeLooksAsAfterAFullRepaint) {
  const Language& l = GetParam();
  struct Row {
    Showing showing;
    const char* caption;
  };
  const Row rows[] = {
      {{Way::SideBar, {"rand_bttxtidx"}}, l.textPages[0]},
      {{Way::Next, {}}, l.textPages[1]},
      {{Way::Next, {}}, l.textPages[2]},
      {{Way::Tab, {}, 3}, l.textPages[3]},
      {{Way::Menu, {"mfenster", "mft", "mft5"}}, l.textPages[4]},
      {{Way::Menu, {"mfenster", "mft", "mft6"}}, l.textPages[5]},
      {{Way::SideBar, {"rand_btdidx"}}, l.filePages[0]},
      {{Way::Tab, {}, 1}, l.filePages[1]},
      {{Way::Next, {}}, l.filePages[2]},
      {{Way::Menu, {"mfenster", "mfd", "mfd4"}}, l.filePages[3]},
      {{Way::Tab, {}, 4}, l.filePages[4]},
      {{Way::Menu, {"mfenster", "mfs", "mfs2"}}, l.keywordPages[1]},
      {{Way::Next, {}}, l.keywordPages[2]},
      {{Way::Tab, {}, 0}, l.keywordPages[0]},
      {{Way::Menu, {"mfenster", "mfs", "mfs4"}}, l.keywordPages[3]},
      {{Way::Menu, {"mfenster", "mfs", "mfs5"}}, l.keywordPages[4]},
      {{Way::SideBar, {"rand_btinfo"}}, l.infoPages[0]},
      {{Way::Tab, {}, 1}, l.infoPages[1]},
      {{Way::Menu, {"minfo", "Software1"}}, l.infoPages[2]},
      {{Way::Tab, {}, 3}, l.infoPages[3]},
      {{Way::Menu, {"mfenster", "mfi", "mfi4"}}, l.infoPages[4]},
  };
  ASSERT_NO_FATAL_FAILURE(Start());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.caption);
    ASSERT_NO_FATAL_FAILURE(Bring(row.showing));
    ASSERT_TRUE(program->WaitUntil([&] { return FindChild(main, ShownSheet(row.caption)) != nullptr; }))
        << "the page did not show";
    ASSERT_NO_FATAL_FAILURE(ExpectAsRepainted());
  }
  Close();
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, FirstShowing, ::testing::ValuesIn(kLanguages),
                         [](const ::testing::TestParamInfo<Language>& info) { return std::string(info.param.code); });

}  // namespace
