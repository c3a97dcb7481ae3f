// The windows as a user sees them (shown under the test display): every control inside its
// parent and its window, no two controls on top of each other, and every caption readable
// in the font it is drawn with.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "TextIndexWindows.h"
#include "classlib/Buttons.h"
#include "classlib/ComCtrls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "forms/u_design.h"
#include "forms/u_bugreport_de.h"
#include "forms/u_bugreport_en.h"
#include "forms/u_edittxt.h"
#include "forms/u_edittxt2idx.h"
#include "forms/u_editwortlisten.h"
#include "forms/u_einstausgabe.h"
#include "forms/u_einstshortcuts_idx.h"
#include "forms/u_einstshortcuts_qcfg.h"
#include "forms/u_fileix.h"
#include "forms/u_hdesign.h"
#include "forms/u_indexhinzu.h"
#include "forms/u_quhopt.h"
#include "forms/u_sdesign.h"
#include "forms/u_textdesign.h"
#include "forms/u_prog.h"
#include "forms/u_start.h"
#include "forms/u_szbearbeiten.h"
#include "forms/u_szkriterien.h"
#include "forms/u_textix.h"
#include "forms/u_wortlisten.h"
#include "forms/u_zusatzfunktion.h"
#include "ucode/UCodeRepExtCtrls.h"
#include "ucode/UCodeSystem.h"

namespace {

// Room a control needs around its text: check box or radio mark, button border.
constexpr int kMarkRoom = 20;
constexpr int kButtonRoom = 10;
constexpr int kComboRoom = 24;
constexpr int kGroupRoom = 16;

// Text size in the control's font, on the screen.
SIZE TextSize(TControl* control, const std::string& text, int wrapWidth = 0) {
  if (text.empty()) return SIZE{0, 0};
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, control->GetFont()->GetHandle());
  RECT rect{0, 0, wrapWidth > 0 ? wrapWidth : 10000, 0};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect,
            DT_CALCRECT | DT_NOPREFIX | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE));
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return SIZE{rect.right, rect.bottom};
}

std::string Where(TControl* control) {
  std::string path = control->GetName();
  for (TControl* parent = control->GetParent(); parent != nullptr; parent = parent->GetParent())
    path = parent->GetName() + "." + path;
  return path;
}

// The room the control's caption or items need, or 0 when it has none to check.
int NeededWidth(TControl* control) {
  const std::string caption = control->GetCaption();
  if (Is<TCustomCheckBox>(control) || Is<TRadioButton>(control)) return TextSize(control, caption).cx + kMarkRoom;
  if (Is<TButton>(control) || Is<TSpeedButton>(control)) return TextSize(control, caption).cx + kButtonRoom;
  if (Is<TGroupBox>(control)) return TextSize(control, caption).cx + kGroupRoom;
  if (auto* combo = dynamic_cast<TComboBox*>(control)) {
    int widest = 0;
    for (int i = 0; i < combo->GetItems()->GetCount(); ++i)
      widest = std::max<int>(widest, TextSize(control, WideStringToStringEx(combo->GetItems()->Get(i), 0)).cx);
    return widest + kComboRoom;
  }
  if (auto* label = dynamic_cast<TLabel*>(control))
    if (!label->GetAutoSize() && !label->GetWordWrap() && label->GetEllipsisPosition() == epNone)
      return TextSize(control, caption).cx;
  return 0;
}

void CheckText(TControl* control, std::vector<std::string>& faults) {
  const int needed = NeededWidth(control);
  if (needed > control->GetWidth())
    faults.push_back(Where(control) + ": text needs " + std::to_string(needed) + " px, has " +
                     std::to_string(control->GetWidth()));
  auto* label = dynamic_cast<TLabel*>(control);
  auto* staticText = dynamic_cast<TStaticText*>(control);
  if ((label != nullptr && label->GetWordWrap()) || (staticText != nullptr && !staticText->GetAutoSize())) {
    const int height = TextSize(control, control->GetCaption(), control->GetWidth()).cy;
    if (height > control->GetHeight())
      faults.push_back(Where(control) + ": wrapped text needs " + std::to_string(height) + " px high");
  }
}

bool Overlap(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Every visible control below `parent`: inside its parent's client area (a scroll box's
// controls may reach below it, where the box scrolls to them), apart from its visible
// siblings, with room for its text.
void CheckChildren(TWinControl* parent, std::vector<std::string>& faults) {
  RECT client = parent->GetClientRect();
  if (auto* box = dynamic_cast<TScrollBox*>(parent))
    client.bottom = std::max<LONG>(client.bottom, box->GetVertScrollBar()->GetRange());
  std::vector<TControl*> shown;
  for (int i = 0; i < parent->GetControlCount(); ++i) {
    TControl* control = parent->GetControl(i);
    if (!control->GetVisible()) continue;
    const RECT bounds = control->GetBoundsRect();
    if (bounds.left < client.left || bounds.top < client.top || bounds.right > client.right ||
        bounds.bottom > client.bottom)
      faults.push_back(Where(control) + ": outside its parent");
    for (TControl* other : shown) {
      // A picture laid over a picture is an overlay (the start screen's English title).
      const bool overlay = Is<TImage>(control) && Is<TImage>(other);
      if (!overlay && Overlap(bounds, other->GetBoundsRect()))
        faults.push_back(Where(control) + ": overlaps " + other->GetName());
    }
    shown.push_back(control);
    CheckText(control, faults);
    if (auto* inner = dynamic_cast<TWinControl*>(control)) CheckChildren(inner, faults);
  }
}

void Pump() {
  for (int round = 0; round < 3; ++round) Application->ProcessMessages();
}

// Lets a reviewer take a screenshot of the display ("import -window root") of each window
// alone: KX_SHOW_WINDOWS=seconds keeps each window on the screen that long, then hides it.
void HoldForReview(TForm* form) {
  const char* seconds = std::getenv("KX_SHOW_WINDOWS");
  if (seconds == nullptr) return;
  const DWORD until = GetTickCount() + static_cast<DWORD>(std::atoi(seconds)) * 1000;
  while (GetTickCount() < until) {
    Pump();
    Sleep(50);
  }
  form->Hide();
}

// The faults of a window that is shown on the screen.
std::vector<std::string> ShownFaults(TForm* form) {
  form->Show();
  form->BringToFront();
  Pump();
  std::vector<std::string> faults;
  CheckChildren(form, faults);
  HoldForReview(form);
  return faults;
}

using Faults = std::vector<std::string>;

}  // namespace

// The texts of both languages fit: English as the program starts without marker files, then
// German through the language switch.
TEST(WindowLayout, ToolWindowsAndStartScreen) {
  formstest::TextIndexWindows windows;
  windows.LeaveToProcessEnd();
  for (const char* code : {"en", "de"}) {
    start->spr->SetCaption(code);
    prog->sprachealles();
    for (TForm* form : std::initializer_list<TForm*>{szkriterien, szbearbeiten, design, posliste, negliste, editpos, editneg, edittxt2idx, edittxt, start})
      EXPECT_EQ(ShownFaults(form), Faults()) << form->GetName() << " " << code;
  }
}

TEST(WindowLayout, MainWindowOnEveryPageOfTheTextWizard) {
  formstest::TextIndexWindows windows;
  windows.LeaveToProcessEnd();
  for (const char* code : {"en", "de"}) {
    start->spr->SetCaption(code);
    prog->sprachealles();
    ShowOnlyPanel(prog->pstart);
    EXPECT_EQ(ShownFaults(prog), Faults()) << "start panel " << code;
    for (TTabSheet* page : {prog->tt1, prog->tt2, prog->tt3, prog->tt4, prog->tt5, prog->tt6}) {
      DescribeTextIndexSettings(page);  // the summary page with its summary
      EXPECT_EQ(ShownFaults(prog), Faults()) << page->GetCaption() << " " << code;
    }
  }
}

TEST(WindowLayout, MainWindowInformationPagesInBothLanguages) {
  formstest::TextIndexWindows windows;
  windows.LeaveToProcessEnd();
  for (const char* code : {"en", "de"}) {
    start->spr->SetCaption(code);
    prog->sprachealles();
    for (TTabSheet* page : {prog->tide1, prog->tide2, prog->tide5, prog->tide3, prog->tide4}) {
      ShowMainPage(page);
      EXPECT_EQ(ShownFaults(prog), Faults()) << page->GetName() << " " << code;
    }
  }
}

TEST(WindowLayout, MainWindowMadeLargerGivesTheRoomToTheTextsAndLists) {
  formstest::TextIndexWindows windows;
  windows.LeaveToProcessEnd();
  ShowOnlyPanel(prog->pgtxt);
  prog->Show();
  const int width = prog->original->GetWidth(), height = prog->original->GetHeight();
  const int startLeft = prog->ft_start->GetLeft();
  prog->SetClientWidth(prog->GetClientWidth() + 200);
  prog->SetClientHeight(prog->GetClientHeight() + 100);
  for (TTabSheet* page : {prog->tt1, prog->tt2, prog->tt3, prog->tt4, prog->tt5, prog->tt6}) {
    prog->pct->SetActivePage(page);
    EXPECT_EQ(ShownFaults(prog), Faults()) << page->GetCaption();
  }
  EXPECT_EQ(prog->original->GetWidth(), width + 200);
  EXPECT_EQ(prog->original->GetHeight(), height + 100);
  EXPECT_EQ(prog->output->GetWidth(), prog->original->GetWidth() + 20);
  EXPECT_EQ(prog->ft_start->GetLeft(), startLeft + 200);
  EXPECT_EQ(prog->sz_kriterien->GetLeft() + prog->sz_kriterien->GetWidth(),
            prog->original->GetLeft() + prog->original->GetWidth());
}

TEST(WindowLayout, FileAndKeywordIndexWindows) {
  formstest::TextIndexWindows windows;
  windows.LeaveToProcessEnd();
  quhopt = new Tquhopt(Application);
  hdesign = new Thdesign(Application);
  textdesign = new Ttextdesign(Application);
  sdesign = new Tsdesign(Application);
  einstausgabe = new Teinstausgabe(Application);
  indexhinzu = new Tindexhinzu(Application);
  zusatzfunktion = new Tzusatzfunktion(Application);
  for (const char* code : {"en", "de"}) {
    start->spr->SetCaption(code);
    prog->sprachealles();
    for (TForm* form : std::initializer_list<TForm*>{quhopt, hdesign, textdesign, sdesign, einstausgabe, indexhinzu,
                                                     zusatzfunktion})
      EXPECT_EQ(ShownFaults(form), Faults()) << form->GetName() << " " << code;
  }
  for (const char* code : {"en", "de"}) {
    start->spr->SetCaption(code);
    prog->sprachealles();
    for (TTabSheet* page : {prog->td1, prog->td2, prog->td3, prog->td4, prog->td5}) {
      DescribeFileIndexSettings(page);
      EXPECT_EQ(ShownFaults(prog), Faults()) << page->GetCaption() << " " << code;
    }
    for (TTabSheet* page : {prog->ts1, prog->ts2, prog->ts3, prog->ts4, prog->ts5}) {
      DescribeKeywordIndexSettings(page);
      EXPECT_EQ(ShownFaults(prog), Faults()) << page->GetCaption() << " " << code;
    }
  }
}

TEST(WindowLayout, ShortcutAndFaultReportWindows) {
  formstest::TextIndexWindows windows;
  windows.LeaveToProcessEnd();
  bugreport_de = new Tbugreport_de(Application);
  bugreport_en = new Tbugreport_en(Application);
  einstshortcuts_idx = new Teinstshortcuts_idx(Application);
  einstshortcuts_qcfg = new Teinstshortcuts_qcfg(Application);
  for (const char* code : {"en", "de"}) {
    start->spr->SetCaption(code);
    prog->sprachealles();
    for (TForm* form : std::initializer_list<TForm*>{einstshortcuts_idx, einstshortcuts_qcfg}) {
      EXPECT_EQ(ShownFaults(form), Faults()) << form->GetName() << " " << code;
      // The other state of the administrator line and of the status labels fits as well.
      auto* window = static_cast<TShortcutsWindow*>(form);
      window->ShowAdminState(false);
      for (TLabel* state : {window->ver_konfig, window->ver_sendenan, window->ver_ordner, window->ver_alledateien})
        state->SetCaption(code == std::string("de") ? "Nicht aktiv" : "Not activated");
      EXPECT_EQ(ShownFaults(form), Faults()) << form->GetName() << " " << code;
    }
  }
  for (TForm* form : std::initializer_list<TForm*>{bugreport_de, bugreport_en})
    EXPECT_EQ(ShownFaults(form), Faults()) << form->GetName();
}
