// The windows' caption-bearing controls (labels, buttons, check and radio boxes, scroll bars,
// group boxes, static texts, page controls, tab sheets, progress bars, images, panels and
// splitters) are wide controls: a
// caption in any script shows intact in their windows, survives new windows and marks accelerators.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <map>
#include <string>

#include "TextIndexWindows.h"
#include "WindowsTestSupport.h"
#include "classlib/Buttons.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "forms/u_edittxt.h"
#include "forms/u_einstausgabe.h"
#include "forms/u_indexhinzu.h"
#include "forms/u_prog.h"
#include "forms/u_progspr.h"
#include "forms/u_zusatzfunktion.h"
#include "ucode/UCodeComCtrls.h"
#include "ucode/UCodeExtCtrls.h"
#include "ucode/UCodeStdCtrls.h"

using wintest::WideTabText;
using wintest::WideWindowText;

namespace {

const std::wstring kCyrillic = L"\x041C\x043E\x0441\x043A\x0432\x0430";  // Москва

template <class C>
bool IsA(TComponent* component) {
  return dynamic_cast<C*>(component) != nullptr;
}

// A kind of control that the windows hold only in its wide form.
struct Kind {
  const char* name;
  std::function<bool(TComponent*)> isKind;  // the library's control of this kind, 8-bit or wide
  std::function<bool(TComponent*)> isWide;
  bool hasCaption;
};

const std::vector<Kind>& Kinds() {
  static const std::vector<Kind> kinds{
      {"label", [](TComponent* c) { return IsA<TCustomLabel>(c) && !IsA<TBoundLabel>(c); }, IsA<TUCodeCustomLabel>, true},
      {"button", [](TComponent* c) { return IsA<StdCtrls::TButton>(c) && !IsA<TBitBtn>(c); }, IsA<TUCodeButton>, true},
      {"check box", IsA<TCustomCheckBox>, IsA<TUCodeCustomCheckBox>, true},
      {"radio button", IsA<StdCtrls::TRadioButton>, IsA<TUCodeRadioButton>, true},
      {"scroll bar", IsA<StdCtrls::TScrollBar>, IsA<TUCodeScrollBar>, false},
      {"group box", IsA<TCustomGroupBox>, IsA<TUCodeCustomGroupBox>, true},
      {"static text", IsA<TCustomStaticText>, IsA<TUCodeCustomStaticText>, true},
      {"tab sheet", IsA<ComCtrls::TTabSheet>, IsA<TUCodeTabSheet>, true},
      {"page control", IsA<ComCtrls::TPageControl>, IsA<TUCodePageControl>, false},
      {"progress bar", IsA<ComCtrls::TProgressBar>, IsA<TUCodeProgressBar>, false},
      {"image", IsA<ExtCtrls::TImage>, IsA<TUCodeImage>, false},
      {"panel", IsA<TCustomPanel>, IsA<TUCodePanel>, true},
      {"splitter", IsA<ExtCtrls::TSplitter>, IsA<TUCodeSplitter>, false},
  };
  return kinds;
}

// Every window of the program that the tests make, with the two the wizards' fixture leaves out.
class AllWindows {
 public:
  AllWindows() {
    indexhinzu = new Tindexhinzu(nullptr);
    zusatzfunktion = new Tzusatzfunktion(nullptr);
  }
  ~AllWindows() {
    zusatzfunktion->Free();
    indexhinzu->Free();
    zusatzfunktion = nullptr;
    indexhinzu = nullptr;
  }

 private:
  formstest::FileIndexWindows m_windows;
};

TEST(WideCaptionsOfTheWindows, EveryCaptionControlOfEveryWindowIsWideAndShowsCyrillicText) {
  AllWindows windows;
  std::map<std::string, int> seen;
  int forms = 0;
  for (int f = 0; f < Screen->GetFormCount(); ++f) {
    TCustomForm* form = Screen->GetForm(f);
    ++forms;
    for (int i = 0; i < form->GetComponentCount(); ++i) {
      TComponent* component = form->GetComponent(i);
      const std::string where = form->GetName() + "." + component->GetName();
      for (const Kind& kind : Kinds()) {
        if (!kind.isKind(component)) continue;
        ++seen[kind.name];
        if (!kind.isWide(component)) {
          ADD_FAILURE() << where << " is an 8-bit " << kind.name;
          break;
        }
        auto* control = dynamic_cast<TControl*>(component);
        auto* windowed = dynamic_cast<TWinControl*>(control);
        if (windowed) {
          EXPECT_TRUE(IsWindowUnicode(windowed->GetHandle())) << where;
        }
        if (kind.hasCaption) {
          const std::wstring before = WideGetControlText(control);
          const std::wstring cyrillic = kCyrillic + L" " + std::to_wstring(i);
          WideSetControlText(control, cyrillic);
          if (windowed) {
            EXPECT_EQ(WideWindowText(windowed->GetHandle()), cyrillic) << where;
          }
          EXPECT_EQ(WideGetControlText(control), cyrillic) << where;
          if (auto* sheet = dynamic_cast<TUCodeTabSheet*>(control); sheet && sheet->GetTabIndex() >= 0) {
            EXPECT_EQ(WideTabText(sheet->GetPageControl()->GetHandle(), sheet->GetTabIndex()), cyrillic) << where;
          }
          WideSetControlText(control, before);
          EXPECT_EQ(WideGetControlText(control), before) << where;
        } else {
          WideSetControlHint(control, kCyrillic + L"|" + kCyrillic);
          EXPECT_EQ(WideGetShortHint(WideGetHint(control)), kCyrillic) << where;
          WideSetControlHint(control, L"");
        }
        break;
      }
    }
  }
  EXPECT_GE(forms, 18);
  // The windows hold every kind but the scroll bar and the splitter.
  for (const Kind& kind : Kinds()) {
    if (std::string(kind.name) != "scroll bar" && std::string(kind.name) != "splitter") {
      EXPECT_GT(seen[kind.name], 0) << kind.name;
    }
  }
}

TEST(WideCaptionsOfTheWindows, CyrillicCaptionsAndProgressSurviveNewWindows) {
  formstest::TextIndexWindows windows;
  prog->td2->SetCaption(L"&" + kCyrillic);
  prog->bt1->SetCaption(kCyrillic + L" 1");
  prog->kt_kleineraus->SetCaption(kCyrillic + L" 2");
  prog->start_text0->SetCaption(kCyrillic + L" 3");
  prog->fortschritt->SetMax(40);
  prog->fortschritt->SetPosition(25);
  const int tab = prog->td2->GetTabIndex();
  ASSERT_GE(tab, 0);
  EXPECT_EQ(WideTabText(prog->dct->GetHandle(), tab), L"&" + kCyrillic);

  // The whole window anew: every control of it gets a new window.
  prog->RecreateWnd();
  prog->HandleNeeded();
  EXPECT_EQ(WideTabText(prog->dct->GetHandle(), tab), L"&" + kCyrillic);
  EXPECT_EQ(WideWindowText(prog->td2->GetHandle()), L"&" + kCyrillic);
  EXPECT_EQ(WideWindowText(prog->bt1->GetHandle()), kCyrillic + L" 1");
  EXPECT_EQ(WideWindowText(prog->kt_kleineraus->GetHandle()), kCyrillic + L" 2");
  EXPECT_EQ(WideWindowText(prog->start_text0->GetHandle()), kCyrillic + L" 3");
  EXPECT_TRUE(IsWindowUnicode(prog->fortschritt->GetHandle()));
  EXPECT_EQ(SendMessageW(prog->fortschritt->GetHandle(), PBM_GETPOS, 0, 0), 25);
  // The page control alone, with its active page on another sheet.
  prog->dct->SetActivePage(prog->td3);
  prog->dct->RecreateWnd();
  EXPECT_EQ(WideTabText(prog->dct->GetHandle(), tab), L"&" + kCyrillic);
  EXPECT_EQ(prog->dct->GetActivePage(), prog->td3);
  EXPECT_EQ(SendMessageW(prog->dct->GetHandle(), TCM_GETCURSEL, 0, 0), prog->td3->GetTabIndex());
}

TEST(WideCaptionsOfTheWindows, LanguageTextsGoInWideAndSurviveOutsideTheCodePage) {
  formstest::TextIndexWindows windows;
  const std::vector<TLanguageText> texts = {
      {"", L"Kaptorix \x00DC", L"Kaptorix"},
      {"Label3", L"\x0422\x0435\x043A\x0441\x0442", L"Text"},
      {"bt1", L"&\x041D\x0430\x0437\x0430\x0434", L"&Back"},
      {"tt2", L"2. \x0421\x0442\x0440\x0430\x043D\x0438\x0446\x044B", L"2. Pages"},
      {"kt_zahlen", L"\x0427\x0438\x0441\x043B\x0430", L"Numbers"},
      {"kt_gb1", L"\x041A\x0440\x0438\x0442\x0435\x0440\x0438\x0438", L"Criteria"},
      {"mneutxt", L"\x041D\x043E\x0432\x044B\x0439", L"New"},
  };
  auto control = [](const char* name) { return dynamic_cast<TControl*>(prog->FindComponent(name)); };
  ApplyLanguageTexts(prog, texts, "de");
  EXPECT_EQ(prog->GetCaption(), "Kaptorix \xDC");  // the window itself is an 8-bit window
  EXPECT_EQ(WideGetControlText(control("Label3")), texts[1].German);
  EXPECT_EQ(WideWindowText(prog->bt1->GetHandle()), texts[2].German);
  EXPECT_EQ(WideTabText(prog->pct->GetHandle(), prog->tt2->GetTabIndex()), texts[3].German);
  EXPECT_EQ(WideWindowText(prog->kt_zahlen->GetHandle()), texts[4].German);
  EXPECT_EQ(WideGetControlText(control("kt_gb1")), texts[5].German);
  EXPECT_EQ(prog->mneutxt->GetCaption(), texts[6].German);
  // The other language replaces every one of them; an unknown code keeps them.
  ApplyLanguageTexts(prog, texts, "en");
  ApplyLanguageTexts(prog, {{"bt1", L"x", L"y"}}, "fr");
  EXPECT_EQ(WideWindowText(prog->GetHandle()), L"Kaptorix");
  EXPECT_EQ(WideGetControlText(control("Label3")), L"Text");
  EXPECT_EQ(WideWindowText(prog->bt1->GetHandle()), L"&Back");
  EXPECT_EQ(WideTabText(prog->pct->GetHandle(), prog->tt2->GetTabIndex()), L"2. Pages");
  EXPECT_EQ(prog->mneutxt->GetCaption(), L"New");
}

TEST(WideCaptionsOfTheWindows, UmlautAcceleratorsOfButtonsRadioButtonsAndTabsAct) {
  formstest::FileIndexWindows windows;
  windows.LeaveToProcessEnd();
  einstausgabe->Show();
  einstausgabe->rb_utf16le->SetCaption(L"UTF-16 &\x00F6");
  einstausgabe->Button1->SetCaption(L"&\x00E4ndern");
  int clicks = 0;
  struct Counter : TObject {
    int* count;
    void Click(TObject*) { ++*count; }
  } counter;
  counter.count = &clicks;
  einstausgabe->Button1->OnClick = TNotifyEvent(&counter, &Counter::Click);
  // Alt+ö as the form hands it on: the radio button takes the focus.
  EXPECT_EQ(einstausgabe->Perform(CM_DIALOGCHAR, 0xF6, 0), 1);
  EXPECT_TRUE(einstausgabe->rb_utf16le->Focused());
  // Alt+Ä (upper case) clicks the button.
  EXPECT_EQ(einstausgabe->Perform(CM_DIALOGCHAR, 0xC4, 0), 1);
  EXPECT_EQ(clicks, 1);
  // A letter that no caption marks does nothing.
  EXPECT_EQ(einstausgabe->Perform(CM_DIALOGCHAR, 0xFC, 0), 0);
  EXPECT_EQ(clicks, 1);
  einstausgabe->Hide();

  // A tab marked with ü switches the page-number text editor to its sheet.
  edittxt->Show();
  edittxt->pc->SetActivePage(edittxt->tab1);
  edittxt->tab3->SetCaption(L"&\x00DC" L"bersicht");
  EXPECT_EQ(edittxt->Perform(CM_DIALOGCHAR, 0xFC, 0), 1);
  EXPECT_EQ(edittxt->pc->GetActivePage(), edittxt->tab3);
  edittxt->Hide();
}

}  // namespace
