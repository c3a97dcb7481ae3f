// The images, panels and splitters of every window are the wide controls, and they still do
// their work there: the start screen shows its pictures.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "TextIndexWindows.h"
#include "forms/u_design.h"
#include "forms/u_edittxt.h"
#include "forms/u_edittxt2idx.h"
#include "forms/u_editwortlisten.h"
#include "forms/u_einstausgabe.h"
#include "forms/u_hdesign.h"
#include "forms/u_indexhinzu.h"
#include "forms/u_prog.h"
#include "forms/u_quhopt.h"
#include "forms/u_sdesign.h"
#include "forms/u_start.h"
#include "forms/u_szbearbeiten.h"
#include "forms/u_szkriterien.h"
#include "forms/u_textdesign.h"
#include "forms/u_wortlisten.h"
#include "forms/u_zusatzfunktion.h"
#include "ucode/UCodeRepExtCtrls.h"

using formstest::TextIndexWindows;

namespace {

// The windows the text index needs and every further window of the program, made as the program
// makes them.
class EveryWindow {
 public:
  EveryWindow() {
    quhopt = new Tquhopt(nullptr);
    hdesign = new Thdesign(nullptr);
    textdesign = new Ttextdesign(nullptr);
    sdesign = new Tsdesign(nullptr);
    einstausgabe = new Teinstausgabe(nullptr);
    indexhinzu = new Tindexhinzu(nullptr);
    zusatzfunktion = new Tzusatzfunktion(nullptr);
  }
  ~EveryWindow() {
    for (TForm* form : Own()) form->Free();
    quhopt = nullptr;
    hdesign = nullptr;
    textdesign = nullptr;
    sdesign = nullptr;
    einstausgabe = nullptr;
    indexhinzu = nullptr;
    zusatzfunktion = nullptr;
  }
  EveryWindow(const EveryWindow&) = delete;
  EveryWindow& operator=(const EveryWindow&) = delete;

  std::vector<TForm*> All() const {
    std::vector<TForm*> forms{start, prog, negliste, posliste, szkriterien, szbearbeiten, design, editneg,
                              editpos, edittxt2idx, edittxt};
    for (TForm* form : Own()) forms.push_back(form);
    return forms;
  }

 private:
  std::vector<TForm*> Own() const { return {quhopt, hdesign, textdesign, sdesign, einstausgabe, indexhinzu, zusatzfunktion}; }
  TextIndexWindows m_windows;
};

// Every component of `form` of the library's kind `library` that is not of the wide kind `wide`.
std::vector<std::string> NotWide(TForm* form, TClass library, TClass wide, int& found) {
  std::vector<std::string> faults;
  for (int i = 0; i < form->GetComponentCount(); ++i) {
    TComponent* component = form->GetComponent(i);
    if (!component->InheritsFrom(library)) continue;
    ++found;
    if (!component->InheritsFrom(wide))
      faults.push_back(form->GetName() + "." + component->GetName() + ": " + component->ClassName());
  }
  return faults;
}

// What the screen shows at `at`.
class ScreenPixels {
 public:
  ScreenPixels() : m_dc(GetDC(nullptr)) {}
  ~ScreenPixels() { ReleaseDC(nullptr, m_dc); }
  ScreenPixels(const ScreenPixels&) = delete;
  ScreenPixels& operator=(const ScreenPixels&) = delete;
  COLORREF At(POINT at) const { return GetPixel(m_dc, at.x, at.y); }

 private:
  HDC m_dc;
};

}  // namespace

TEST(WideExtControls, EveryWindowsImagesPanelsAndSplittersAreTheWideClasses) {
  EveryWindow windows;
  struct Kind {
    const char* name;
    TClass library;
    TClass wide;
  };
  const Kind kinds[] = {{"image", ExtCtrls::TImage::StaticClass(), TUCodeImage::StaticClass()},
                        {"panel", TCustomPanel::StaticClass(), TUCodePanel::StaticClass()},
                        {"splitter", ExtCtrls::TSplitter::StaticClass(), TUCodeSplitter::StaticClass()}};
  std::map<std::string, int> found;
  for (TForm* form : windows.All())
    for (const Kind& kind : kinds)
      EXPECT_EQ(NotWide(form, kind.library, kind.wide, found[kind.name]), std::vector<std::string>()) << kind.name;
  // The windows hold images and panels (no splitter yet), so the table above has met them.
  EXPECT_GT(found["image"], 0);
  EXPECT_GT(found["panel"], 0);

  // The panels' windows are Unicode windows holding their captions.
  for (TForm* form : windows.All())
    for (int i = 0; i < form->GetComponentCount(); ++i)
      if (auto* panel = dynamic_cast<TUCodePanel*>(form->GetComponent(i))) {
        panel->HandleNeeded();
        EXPECT_TRUE(IsWindowUnicode(panel->GetHandle())) << form->GetName() << "." << panel->GetName();
      }
}

TEST(WideExtControls, APanelCaptionOutsideTheCodePageIsReadBackWide) {
  EveryWindow windows;
  const std::wstring caption = L"\x0421\x0442\x0430\x0440\x0442 \x00FC";  // Старт ü
  prog->pinfo->SetCaption(caption);
  prog->pinfo->HandleNeeded();
  wchar_t text[64] = {};
  GetWindowTextW(prog->pinfo->GetHandle(), text, 64);
  EXPECT_EQ(std::wstring(text), caption);
  EXPECT_EQ(prog->pinfo->GetCaption(), caption);
  EXPECT_EQ(prog->pinfo->TControl::GetCaption(), "????? \xFC");
}

TEST(WideExtControls, TheStartScreenShowsItsPictures) {
  TextIndexWindows windows;
  windows.LeaveToProcessEnd();
  start->Show();
  start->BringToFront();
  for (int round = 0; round < 3; ++round) Application->ProcessMessages();
  RedrawWindow(start->GetHandle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const ScreenPixels screen;

  // Every tenth pixel of each shown picture, where no other picture lies over it, is on the
  // screen as the decoded picture has it.
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
