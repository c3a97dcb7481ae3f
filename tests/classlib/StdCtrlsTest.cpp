// The standard controls: text, events fired from code and from real input, line semantics of
// memos, items of list and combo boxes, sizes and colours.
#include <gtest/gtest.h>

#include <algorithm>

#include "WindowsTestSupport.h"
#include "classlib/Buttons.h"
#include "classlib/ExtCtrls.h"
#include "classlib/StdCtrls.h"

// The library's own 8-bit controls.
using StdCtrls::TButton;
using StdCtrls::TRadioButton;
using StdCtrls::TScrollBar;
using StdCtrls::TLabel;
using StdCtrls::TCheckBox;
using StdCtrls::TStaticText;
using StdCtrls::TEdit;
using StdCtrls::TMemo;
using StdCtrls::TComboBox;
using StdCtrls::TListBox;
using StdCtrls::TGroupBox;
using ExtCtrls::TPanel;
using ExtCtrls::TSplitter;

using wintest::MessageRecorder;
using wintest::Pump;
using wintest::ShownForm;

namespace {

class Events : public TObject {
 public:
  std::vector<std::string> log;
  char swallow = '\0';
  char replaceWith = '\0';
  void Change(TObject*) { log.push_back("change"); }
  void Click(TObject*) { log.push_back("click"); }
  void Exit(TObject*) { log.push_back("exit"); }
  void Enter(TObject*) { log.push_back("enter"); }
  void KeyDown(TObject*, WORD& key, TShiftState) { log.push_back("down " + std::to_string(key)); }
  void KeyPress(TObject*, char& key) {
    log.push_back(std::string("press ") + key);
    if (key == swallow) key = '\0';
    else if (replaceWith) key = replaceWith;
  }
  TCustomMemo* memo = nullptr;
  int caretAtMouseDown = -1;
  void MouseDown(TObject*, TMouseButton, TShiftState, int, int) { caretAtMouseDown = memo->GetSelStart(); }
};

// Which controls fired OnClick, in order.
class Clicks : public TObject {
 public:
  std::vector<TObject*> senders;
  void Click(TObject* sender) { senders.push_back(sender); }
};

// The key pressed in the control that has the focus, as the keyboard's messages arrive.
void PressInFocus(WORD key) {
  PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
  PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000001);
  Pump();
}

bool IsShownAsDefault(TWinControl* button) {
  return (GetWindowLongA(button->GetHandle(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

template <class Control>
Control* Place(TForm* form, int left, int top, int width, int height) {
  Control* control = new Control(form);
  control->SetParent(form);
  control->SetBounds(left, top, width, height);
  return control;
}

// Real key messages (lower-case letters): the loop's TranslateMessage makes the characters.
void Type(HWND wnd, const std::string& text) {
  for (char c : text) {
    WPARAM key = static_cast<WPARAM>(VkKeyScanA(c) & 0xFF);
    LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(key), 0)) << 16;
    PostMessageA(wnd, WM_KEYDOWN, key, scan | 1);
    PostMessageA(wnd, WM_KEYUP, key, scan | 0xC0000001);
  }
  Pump();
}

}  // namespace

// ---- keys -----------------------------------------------------------------------------------
TEST(Keys, TypedKeysReachTheEventsWhichCanSwallowOrReplaceThem) {
  ShownForm form;
  TEdit* edit = Place<TEdit>(form.Get(), 10, 10, 150, 22);
  Events events;
  events.swallow = 'x';
  edit->OnKeyPress = TKeyPressEvent(&events, &Events::KeyPress);
  edit->OnKeyDown = TKeyEvent(&events, &Events::KeyDown);
  edit->SetFocus();
  Type(edit->GetHandle(), "axb");
  EXPECT_EQ(edit->GetText(), "ab");
  auto logged = [&](const std::string& entry) {
    return std::count(events.log.begin(), events.log.end(), entry);
  };
  EXPECT_EQ(logged("down " + std::to_string('A')), 1);  // virtual-key codes
  EXPECT_EQ(logged("press a"), 1);
  EXPECT_EQ(logged("press x"), 1);
  events.swallow = '\0';
  events.replaceWith = 'Z';
  Type(edit->GetHandle(), "q");
  EXPECT_EQ(edit->GetText(), "abZ");
}

TEST(Keys, KeyPressRewritesOnlyTheLowWordOfTheCharacterMessage) {
  TEdit edit(nullptr);
  Events events;
  events.replaceWith = 'R';
  edit.OnKeyPress = TKeyPressEvent(&events, &Events::KeyPress);
  TMessage message;
  message.Msg = WM_CHAR;
  message.WParam = (0x0151u << 16) | 0xFFu;  // a character above 255 packed into the high word
  EXPECT_FALSE(edit.DoKeyPress(message));
  EXPECT_EQ(message.WParamLo, 'R');
  EXPECT_EQ(message.WParamHi, 0x0151);
  events.replaceWith = '\0';
  events.swallow = 'k';
  message.WParam = 'k';
  EXPECT_TRUE(edit.DoKeyPress(message));
}

TEST(Keys, AltWithAnAcceleratorClicksTheButtonThroughTheDialogCharBroadcast) {
  ShownForm form;
  TEdit* edit = Place<TEdit>(form.Get(), 10, 10, 150, 22);
  TButton* button = Place<TButton>(form.Get(), 10, 40, 80, 25);
  button->SetCaption("&Go");
  Events events;
  button->OnClick = TNotifyEvent(&events, &Events::Click);
  edit->SetFocus();
  PostMessageA(edit->GetHandle(), WM_SYSCHAR, 'g', 0x20000001);
  Pump();
  EXPECT_EQ(events.log, std::vector<std::string>{"click"});
  PostMessageA(edit->GetHandle(), WM_SYSCHAR, 'q', 0x20000001);
  Pump();
  EXPECT_EQ(events.log.size(), 1u);
}

TEST(Keys, TabMovesTheFocusAndExitAndEnterFollowIt) {
  ShownForm form;
  TEdit* first = Place<TEdit>(form.Get(), 10, 10, 150, 22);
  TEdit* second = Place<TEdit>(form.Get(), 10, 40, 150, 22);
  Events events;
  first->OnExit = TNotifyEvent(&events, &Events::Exit);
  second->OnEnter = TNotifyEvent(&events, &Events::Enter);
  first->SetFocus();
  Pump();
  events.log.clear();
  PostMessageA(first->GetHandle(), WM_KEYDOWN, VK_TAB, 1);
  Pump();
  EXPECT_TRUE(second->Focused());
  EXPECT_EQ(events.log, (std::vector<std::string>{"exit", "enter"}));
}

// A group box of five radio buttons, the second disabled and the fourth hidden, and one more
// radio button beside the box on the form: a group of its own.
class RadioGroupForm {
 public:
  RadioGroupForm() {
    before = Place<TEdit>(form.Get(), 10, 10, 100, 22);
    box = Place<TGroupBox>(form.Get(), 10, 40, 200, 150);
    for (int i = 0; i < 5; ++i) {
      buttons.push_back(new TRadioButton(form.Get()));
      buttons.back()->SetBounds(10, 20 + 24 * i, 150, 20);
      buttons.back()->SetParent(box);
      buttons.back()->OnClick = TNotifyEvent(&clicks, &Clicks::Click);
    }
    buttons[1]->SetEnabled(false);
    buttons[3]->SetVisible(false);
    outside = Place<TRadioButton>(form.Get(), 220, 40, 100, 20);
    after = Place<TEdit>(form.Get(), 220, 80, 100, 22);
  }
  int Checked() const {
    int checked = -1;
    for (size_t i = 0; i < buttons.size(); ++i)
      if (buttons[i]->GetChecked()) checked = checked == -1 ? static_cast<int>(i) : -2;
    return checked;
  }
  ShownForm form{400, 220};
  Clicks clicks;
  TEdit* before;
  TGroupBox* box;
  std::vector<TRadioButton*> buttons;
  TRadioButton* outside;
  TEdit* after;
};

TEST(Keys, ArrowKeysChooseTheNextRadioButtonOfTheGroupWrappingPastThoseThatCannotTakeTheFocus) {
  struct Case {
    int from;
    WORD key;
    int to;
  };
  const Case cases[] = {{0, VK_DOWN, 2}, {2, VK_RIGHT, 4}, {4, VK_DOWN, 0}, {0, VK_UP, 4},
                        {4, VK_LEFT, 2}, {2, VK_UP, 0},   {2, VK_DOWN, 4}};
  RadioGroupForm group;
  group.outside->SetChecked(true);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.from) + " key " + std::to_string(c.key));
    group.buttons[static_cast<size_t>(c.from)]->SetChecked(true);
    group.buttons[static_cast<size_t>(c.from)]->SetFocus();
    Pump();
    group.clicks.senders.clear();
    PressInFocus(c.key);
    TRadioButton* reached = group.buttons[static_cast<size_t>(c.to)];
    EXPECT_TRUE(reached->Focused());
    EXPECT_EQ(group.Checked(), c.to);
    EXPECT_EQ(SendMessageA(reached->GetHandle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(group.clicks.senders, std::vector<TObject*>{reached}) << "one click, as the mouse gives";
    EXPECT_TRUE(group.outside->GetChecked()) << "the group beside it keeps its choice";
  }
}

// Tab stops at the chosen button of a group alone; a group without a choice is entered at its
// first button that can take the focus.
TEST(Keys, TabEntersARadioGroupAtItsChoiceOrElseAtItsFirstButton) {
  struct Case {
    int checked;   // -1: none
    int disabled;  // -1: none besides the second
    int entered;
  };
  const Case cases[] = {{2, -1, 2}, {-1, -1, 0}, {-1, 0, 2}, {4, -1, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.checked) + " " + std::to_string(c.disabled));
    RadioGroupForm group;
    if (c.checked >= 0) group.buttons[static_cast<size_t>(c.checked)]->SetChecked(true);
    if (c.disabled >= 0) group.buttons[static_cast<size_t>(c.disabled)]->SetEnabled(false);
    group.before->SetFocus();
    PressInFocus(VK_TAB);
    EXPECT_TRUE(group.buttons[static_cast<size_t>(c.entered)]->Focused());
    PressInFocus(VK_TAB);
    EXPECT_TRUE(group.outside->Focused() || group.after->Focused()) << "Tab leaves the group at once";
  }
}

// ---- edits and memos ------------------------------------------------------------------------
TEST(Edits, TextSetFromCodeFiresOnChangeWithAndWithoutAWindow) {
  ShownForm form;
  Events events;
  TEdit* edit = new TEdit(form.Get());
  edit->OnChange = TNotifyEvent(&events, &Events::Change);
  edit->SetText("windowless");
  edit->SetParent(form.Get());
  edit->SetText("windowed");
  edit->SetText("windowed");
  EXPECT_EQ(events.log, (std::vector<std::string>{"change", "change"}));
}

TEST(Edits, SelectionAndPasswordCharacterGoThroughTheWindow) {
  ShownForm form;
  TEdit* edit = Place<TEdit>(form.Get(), 10, 10, 150, 22);
  edit->SetText("Hello world");
  edit->SetSelStart(6);
  edit->SetSelLength(5);
  EXPECT_EQ(edit->GetSelText(), "world");
  edit->SetSelText("there");
  EXPECT_EQ(edit->GetText(), "Hello there");
  edit->SetPasswordChar('*');
  EXPECT_EQ(SendMessageA(edit->GetHandle(), EM_GETPASSWORDCHAR, 0, 0), '*');
  edit->SetReadOnly(true);
  EXPECT_TRUE(GetWindowLongA(edit->GetHandle(), GWL_STYLE) & ES_READONLY);
}

TEST(Memos, LinesFollowTheTextWithCrLfAndNoEmptyLastLine) {
  struct Case {
    const char* text;
    std::vector<std::string> lines;
    const char* stored;
  };
  const Case cases[] = {
      {"", {}, ""},
      {"one", {"one"}, "one"},
      {"one\ntwo\n", {"one", "two"}, "one\r\ntwo\r\n"},
      {"a\r\rb", {"a", "", "b"}, "a\r\n\r\nb"},
      {"\r\n", {""}, "\r\n"},
  };
  ShownForm form;
  for (bool windowed : {false, true}) {
    TMemo* memo = new TMemo(form.Get());
    if (windowed) memo->SetParent(form.Get());
    for (const Case& c : cases) {
      memo->SetText(c.text);
      EXPECT_EQ(memo->GetText(), c.stored) << c.text << " windowed " << windowed;
      ASSERT_EQ(memo->GetLines()->GetCount(), static_cast<int>(c.lines.size())) << c.text;
      for (size_t i = 0; i < c.lines.size(); ++i)
        EXPECT_EQ(memo->GetLines()->Get(static_cast<int>(i)), c.lines[i]);
    }
    memo->Free();
  }
}

TEST(Memos, LineEditsBehaveAlikeWithAndWithoutAWindow) {
  ShownForm form;
  std::string texts[2];
  for (int windowed = 0; windowed < 2; ++windowed) {
    TMemo* memo = new TMemo(form.Get());
    if (windowed) memo->SetParent(form.Get());
    TStrings* lines = memo->GetLines();
    lines->Add("first");
    lines->Add("second");
    lines->Insert(1, "middle");
    lines->Put(0, "FIRST");
    lines->Delete(2);
    lines->Add("last");
    texts[windowed] = memo->GetText();
    memo->Free();
  }
  EXPECT_EQ(texts[0], texts[1]);
  EXPECT_EQ(texts[1], "FIRST\r\nmiddle\r\nlast\r\n");
}

TEST(Memos, AHiddenMemoKeepsLinesLongerThanAnEditAllows) {
  TMemo memo(nullptr);
  std::string longLine(200000, 'x');
  memo.GetLines()->SetText(longLine + "\r\nshort");
  ASSERT_EQ(memo.GetLines()->GetCount(), 2);
  EXPECT_EQ(memo.GetLines()->Get(0), longLine);
  EXPECT_FALSE(memo.HandleAllocated());
}

TEST(Memos, ChangingWordWrapOrScrollBarsRecreatesTheWindowWithItsText) {
  ShownForm form;
  TMemo* memo = Place<TMemo>(form.Get(), 10, 10, 200, 100);
  memo->GetLines()->SetText("alpha\nbeta");
  HWND first = memo->GetHandle();
  memo->SetWordWrap(false);
  memo->SetScrollBars(ssBoth);
  EXPECT_NE(memo->GetHandle(), first);
  EXPECT_TRUE(GetWindowLongA(memo->GetHandle(), GWL_STYLE) & WS_VSCROLL);
  EXPECT_EQ(memo->GetText(), "alpha\r\nbeta");
}

TEST(Memos, OnMouseDownSeesTheCaretAlreadyPlaced) {
  ShownForm form;
  TMemo* memo = Place<TMemo>(form.Get(), 10, 10, 300, 100);
  memo->SetText("0123456789");
  memo->SetSelStart(0);
  Events events;
  events.memo = memo;
  memo->OnMouseDown = TMouseEvent(&events, &Events::MouseDown);
  HDC dc = GetDC(memo->GetHandle());
  SelectObject(dc, memo->GetFont()->GetHandle());
  SIZE five{};
  GetTextExtentPoint32A(dc, "01234", 5, &five);
  ReleaseDC(memo->GetHandle(), dc);
  LRESULT at = SendMessageA(memo->GetHandle(), EM_POSFROMCHAR, 5, 0);
  int x = LOWORD(at), y = HIWORD(at) + 2;
  SendMessageA(memo->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageA(memo->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  EXPECT_EQ(events.caretAtMouseDown, 5);
  EXPECT_GT(five.cx, 0);
}

// ---- buttons --------------------------------------------------------------------------------
TEST(Buttons, CheckedSetFromCodeFiresOnClickAndReachesTheWindow) {
  ShownForm form;
  Events events;
  TCheckBox* check = Place<TCheckBox>(form.Get(), 10, 10, 120, 20);
  check->OnClick = TNotifyEvent(&events, &Events::Click);
  check->SetChecked(true);
  check->SetChecked(true);
  EXPECT_EQ(SendMessageA(check->GetHandle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageA(check->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(check->GetChecked());
  EXPECT_EQ(events.log.size(), 2u);
  check->SetAllowGrayed(true);
  check->Toggle();
  EXPECT_EQ(check->GetState(), cbGrayed);
}

TEST(Buttons, CheckingARadioButtonUnchecksItsSiblingsAndFiresOnClick) {
  ShownForm form;
  Events events;
  TRadioButton* a = Place<TRadioButton>(form.Get(), 10, 10, 120, 20);
  TRadioButton* b = Place<TRadioButton>(form.Get(), 10, 30, 120, 20);
  TRadioButton* windowless = new TRadioButton(form.Get());
  b->OnClick = TNotifyEvent(&events, &Events::Click);
  windowless->OnClick = TNotifyEvent(&events, &Events::Click);
  a->SetChecked(true);
  b->SetChecked(true);
  EXPECT_FALSE(a->GetChecked());
  EXPECT_EQ(SendMessageA(a->GetHandle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  SendMessageA(a->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(a->GetChecked());
  EXPECT_FALSE(b->GetChecked());
  windowless->SetChecked(true);
  EXPECT_EQ(events.log.size(), 2u);
}

TEST(Buttons, EnterPressesTheDefaultButtonAndEscapeTheCancelButton) {
  ShownForm form;
  Events events;
  TEdit* edit = Place<TEdit>(form.Get(), 10, 10, 100, 22);
  TButton* ok = Place<TButton>(form.Get(), 10, 40, 80, 25);
  TButton* cancel = Place<TButton>(form.Get(), 100, 40, 80, 25);
  ok->SetDefault(true);
  cancel->SetCancel(true);
  ok->OnClick = TNotifyEvent(&events, &Events::Click);
  cancel->OnClick = TNotifyEvent(&events, &Events::Change);
  edit->SetFocus();
  PostMessageA(edit->GetHandle(), WM_KEYDOWN, VK_RETURN, 1);
  PostMessageA(edit->GetHandle(), WM_KEYDOWN, VK_ESCAPE, 1);
  Pump();
  EXPECT_EQ(events.log, (std::vector<std::string>{"click", "change"}));
}

// While a push button has the focus Enter presses it and it wears the default frame; elsewhere
// Enter presses the default button, and a memo that takes Enter keeps it.
TEST(Buttons, EnterPressesTheFocusedButtonElseTheDefaultOneAndTheFrameShowsWhich) {
  ShownForm form;
  Clicks clicks;
  TEdit* edit = Place<TEdit>(form.Get(), 10, 10, 100, 22);
  TCheckBox* check = Place<TCheckBox>(form.Get(), 10, 40, 100, 20);
  TMemo* memo = Place<TMemo>(form.Get(), 10, 70, 150, 60);
  TButton* ok = Place<TButton>(form.Get(), 10, 140, 80, 25);
  TButton* other = Place<TButton>(form.Get(), 100, 140, 80, 25);
  ok->SetDefault(true);
  ok->OnClick = TNotifyEvent(&clicks, &Clicks::Click);
  other->OnClick = TNotifyEvent(&clicks, &Clicks::Click);
  struct Case {
    TWinControl* focused;
    TButton* pressed;
  };
  const Case cases[] = {{edit, ok}, {other, other}, {check, ok}, {ok, ok}, {memo, nullptr}, {other, other}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.focused->ClassName());
    c.focused->SetFocus();
    Pump();
    EXPECT_EQ(IsShownAsDefault(ok), c.pressed != other);
    EXPECT_EQ(IsShownAsDefault(other), c.pressed == other);
    clicks.senders.clear();
    memo->SetText("");
    PressInFocus(VK_RETURN);
    EXPECT_EQ(clicks.senders, c.pressed ? std::vector<TObject*>{c.pressed} : std::vector<TObject*>{});
    if (c.focused == memo) EXPECT_EQ(memo->GetText(), "\r\n") << "the memo takes its Enter as a new line";
  }
}

// ---- lists ----------------------------------------------------------------------------------
TEST(Lists, ListBoxItemsMoveIntoTheWindowAndSurviveItsRecreation) {
  ShownForm form;
  TListBox* list = new TListBox(form.Get());
  TObject tagA, tagB;
  list->GetItems()->AddObject("alpha", &tagA);
  list->GetItems()->AddObject("beta", &tagB);
  list->GetItems()->Add("gamma");
  list->SetItemIndex(1);
  list->SetParent(form.Get());
  ASSERT_TRUE(list->HandleAllocated());
  EXPECT_EQ(SendMessageA(list->GetHandle(), LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(list->GetItemIndex(), 1);
  EXPECT_EQ(list->GetItems()->GetObject(0), &tagA);
  list->SetSorted(true);  // recreates the window
  EXPECT_EQ(list->GetItems()->GetCount(), 3);
  EXPECT_EQ(list->GetItems()->Get(1), "beta");
  EXPECT_EQ(list->GetItems()->GetObject(1), &tagB);
  list->GetItems()->Exchange(0, 2);
  EXPECT_EQ(list->GetItems()->GetObject(2), &tagA);
  EXPECT_EQ(list->GetItems()->IndexOf("GAMMA"), 0);
}

TEST(Lists, ListBoxSelectionFiresOnClickAndCopiesToAnotherList) {
  ShownForm form;
  Events events;
  TListBox* source = Place<TListBox>(form.Get(), 10, 10, 100, 100);
  TListBox* target = Place<TListBox>(form.Get(), 120, 10, 100, 100);
  source->SetMultiSelect(true);
  source->GetItems()->SetText("a\nb\nc\n");
  source->OnClick = TNotifyEvent(&events, &Events::Click);
  source->SetSelected(0, true);
  source->SetSelected(2, true);
  EXPECT_EQ(source->GetSelCount(), 2);
  source->CopySelection(target);
  EXPECT_EQ(target->GetItems()->GetText(), "a\r\nc\r\n");
  RECT item = source->ItemRect(1);
  SendMessageA(source->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(item.left + 2, item.top + 2));
  SendMessageA(source->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(item.left + 2, item.top + 2));
  Pump();
  EXPECT_EQ(events.log, std::vector<std::string>{"click"});
}

TEST(Lists, ComboBoxKeepsItemsIndexAndTextAcrossItsWindows) {
  ShownForm form;
  Events events;
  TComboBox* combo = new TComboBox(form.Get());
  combo->GetItems()->SetText("red\ngreen\nblue");
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->GetText(), "green");
  combo->SetParent(form.Get());
  EXPECT_EQ(combo->GetItemIndex(), 1);
  EXPECT_EQ(combo->GetText(), "green");
  combo->OnClick = TNotifyEvent(&events, &Events::Click);
  combo->OnChange = TNotifyEvent(&events, &Events::Change);
  combo->SetStyle(csDropDownList);
  EXPECT_EQ(combo->GetItems()->GetCount(), 3);
  EXPECT_EQ(combo->GetItemIndex(), 1);
  EXPECT_EQ(combo->GetText(), "green");
  combo->SetStyle(csDropDown);
  ASSERT_NE(combo->GetEditHandle(), nullptr);
  combo->SetText("typed");
  combo->SetSorted(true);
  EXPECT_EQ(combo->GetText(), "typed");
  EXPECT_EQ(combo->GetItems()->Get(0), "blue");
}

TEST(Lists, TypingIntoADropDownComboBoxCompletesTheItem) {
  ShownForm form;
  TComboBox* combo = Place<TComboBox>(form.Get(), 10, 10, 150, 22);
  combo->GetItems()->SetText("Apfel\nBirne\nBanane");
  combo->SetFocus();
  Type(combo->GetEditHandle(), "bi");
  EXPECT_EQ(combo->GetText(), "birne");
  EXPECT_EQ(combo->GetItemIndex(), 1);
  EXPECT_EQ(combo->GetSelStart(), 2);
  EXPECT_EQ(combo->GetSelLength(), 3);
}

// ---- captions, sizes, colours ---------------------------------------------------------------
TEST(Captions, AutoSizedLabelsAndStaticTextsGrowWithTheirCaption) {
  ShownForm form;
  TLabel* label = Place<TLabel>(form.Get(), 10, 10, 10, 10);
  label->SetCaption("Short");
  int shortWidth = label->GetWidth();
  label->SetCaption("A considerably longer caption");
  EXPECT_GT(label->GetWidth(), shortWidth);
  label->SetCaption("");
  EXPECT_GT(label->GetHeight(), 0);  // an empty caption keeps one line
  TStaticText* text = Place<TStaticText>(form.Get(), 10, 40, 10, 10);
  text->SetCaption("Short");
  int staticShort = text->GetWidth();
  text->SetCaption("A considerably longer caption");
  EXPECT_GT(text->GetWidth(), staticShort);
  EXPECT_EQ(text->GetLeft(), 10);
}

TEST(Captions, ColoursSetFromCodeAreWhatTheWindowsPaintWith) {
  ShownForm form;
  TEdit* edit = Place<TEdit>(form.Get(), 10, 10, 100, 22);
  edit->SetColor(clYellow);
  edit->GetFont()->SetColor(clRed);
  HDC dc = GetDC(edit->GetHandle());
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageA(form->GetHandle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(edit->GetHandle())));
  COLORREF text = GetTextColor(dc);
  ReleaseDC(edit->GetHandle(), dc);
  LOGBRUSH logBrush{};
  GetObjectA(brush, sizeof(logBrush), &logBrush);
  EXPECT_EQ(logBrush.lbColor, ColorToRGB(clYellow));
  EXPECT_EQ(text, ColorToRGB(clRed));
}

TEST(Captions, ScrollBarPositionStaysInRangeAndFollowsTheWindow) {
  ShownForm form;
  Events events;
  TScrollBar* bar = Place<TScrollBar>(form.Get(), 10, 10, 150, 17);
  bar->OnChange = TNotifyEvent(&events, &Events::Change);
  bar->SetParams(50, 0, 200);
  bar->SetPosition(500);
  EXPECT_EQ(bar->GetPosition(), 200);
  EXPECT_EQ(GetScrollPos(bar->GetHandle(), SB_CTL), 200);
  SendMessageA(form->GetHandle(), WM_HSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(bar->GetHandle()));
  EXPECT_EQ(bar->GetPosition(), 199);
  EXPECT_EQ(events.log.size(), 3u);
  EXPECT_THROW(bar->SetParams(0, 10, 5), EInvalidOperation);
}

TEST(Captions, PanelsAndLabelsPaintTheColoursSetFromCode) {
  ShownForm form;
  TPanel* panel = Place<TPanel>(form.Get(), 10, 10, 120, 60);
  panel->SetCaption("");
  panel->SetColor(clRed);
  TLabel* label = Place<TLabel>(form.Get(), 10, 100, 10, 10);
  label->SetCaption("Coloured label");
  label->SetColor(clYellow);
  RedrawWindow(form->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump();
  HDC panelDC = GetDC(panel->GetHandle());
  COLORREF inPanel = GetPixel(panelDC, 60, 30);
  ReleaseDC(panel->GetHandle(), panelDC);
  HDC formDC = GetDC(form->GetHandle());
  COLORREF behindLabel = GetPixel(formDC, label->GetLeft() + 1, label->GetTop() + 1);
  ReleaseDC(form->GetHandle(), formDC);
  EXPECT_EQ(inPanel, RGB(255, 0, 0));
  EXPECT_EQ(behindLabel, RGB(255, 255, 0));
}

namespace {

// Whether any pixel of the rectangle (in the window's client coordinates) is red (text drawn in
// red, smoothed at its edges), as the window shows it now, without painting it anew.
bool AnyRedIn(TWinControl* window, const RECT& rect) {
  HDC dc = GetDC(window->GetHandle());
  bool found = false;
  for (int y = rect.top; !found && y < rect.bottom; ++y) {
    for (int x = rect.left; !found && x < rect.right; ++x) {
      const COLORREF pixel = GetPixel(dc, x, y);
      found = GetRValue(pixel) > 160 && GetGValue(pixel) < 110 && GetBValue(pixel) < 110;
    }
  }
  ReleaseDC(window->GetHandle(), dc);
  return found;
}

}  // namespace

// A status label turns from a red "Not activated" to "Activated": where the old text stood and
// the new one does not, the label's parent shows its background again at the next paint, whatever
// the parent, without the whole window being painted anew. The same where a label moves aside.
TEST(Captions, ALabelThatShrinksOrMovesLeavesNothingOfItsOldText) {
  ShownForm form(400, 300);
  auto* group = Place<StdCtrls::TGroupBox>(form.Get(), 10, 10, 300, 80);
  TPanel* panel = Place<TPanel>(form.Get(), 10, 100, 300, 80);
  panel->SetCaption("");
  for (TWinControl* parent : std::initializer_list<TWinControl*>{form.Get(), group, panel}) {
    SCOPED_TRACE(parent->ClassName());
    TLabel* label = wintest::PlaceOn<TLabel>(parent, 20, parent == form.Get() ? 220 : 30, 10, 10);
    label->GetFont()->SetColor(clRed);
    label->SetCaption("Not activated");
    RedrawWindow(parent->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    const RECT before = label->GetBoundsRect();
    ASSERT_TRUE(AnyRedIn(parent, before));
    label->SetCaption("Activated");
    Pump();
    const RECT now = label->GetBoundsRect();
    ASSERT_LT(now.right, before.right);
    EXPECT_TRUE(AnyRedIn(parent, now));
    EXPECT_FALSE(AnyRedIn(parent, RECT{now.right, before.top, before.right, before.bottom}));
    label->SetLeft(label->GetLeft() + 150);
    Pump();
    EXPECT_FALSE(AnyRedIn(parent, now));
    EXPECT_TRUE(AnyRedIn(parent, label->GetBoundsRect()));
    delete label;
  }
}

// ---- controls without a window under the mouse ----------------------------------------------
namespace {

void Mouse(HWND wnd, UINT msg, int x, int y) {
  SendMessageA(wnd, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
}

}  // namespace

TEST(GraphicControls, DraggingASplitterResizesTheControlBeforeIt) {
  ShownForm form;
  TPanel* host = Place<TPanel>(form.Get(), 0, 0, 300, 200);
  TPanel* left = new TPanel(form.Get());
  left->SetWidth(100);
  left->SetAlign(alLeft);
  left->SetParent(host);
  TSplitter* splitter = new TSplitter(form.Get());
  splitter->SetParent(host);
  splitter->SetLeft(150);  // aligned left, the splitter lands right of the panel
  Events events;
  splitter->OnMoved = TNotifyEvent(&events, &Events::Change);
  ASSERT_EQ(splitter->GetLeft(), left->GetWidth() + left->GetLeft());
  EXPECT_EQ(splitter->FindResizeControl(), left);
  int x = splitter->GetLeft() + 1, y = 50;
  HWND wnd = host->GetHandle();
  Mouse(wnd, WM_LBUTTONDOWN, x, y);
  Mouse(wnd, WM_MOUSEMOVE, x + 40, y);  // the mouse has left the splitter: it keeps it anyway
  Mouse(wnd, WM_LBUTTONUP, x + 40, y);
  EXPECT_EQ(left->GetWidth(), 140);
  EXPECT_EQ(splitter->GetLeft(), left->GetLeft() + 140);
  EXPECT_EQ(events.log, std::vector<std::string>{"change"});
  Mouse(wnd, WM_LBUTTONDOWN, splitter->GetLeft() + 1, y);
  Mouse(wnd, WM_MOUSEMOVE, 0, y);
  Mouse(wnd, WM_LBUTTONUP, 0, y);
  EXPECT_EQ(left->GetWidth(), splitter->GetMinSize());
}

TEST(GraphicControls, SpeedButtonsClickAndStayDownInTheirGroup) {
  ShownForm form;
  Events events;
  TSpeedButton* first = Place<TSpeedButton>(form.Get(), 10, 10, 40, 24);
  TSpeedButton* second = Place<TSpeedButton>(form.Get(), 60, 10, 40, 24);
  first->SetGroupIndex(1);
  second->SetGroupIndex(1);
  first->OnClick = TNotifyEvent(&events, &Events::Click);
  HWND wnd = form->GetHandle();
  Mouse(wnd, WM_LBUTTONDOWN, 20, 20);
  Mouse(wnd, WM_LBUTTONUP, 20, 20);
  EXPECT_TRUE(first->GetDown());
  second->SetDown(true);
  EXPECT_FALSE(first->GetDown());
  Mouse(wnd, WM_LBUTTONDOWN, 20, 20);
  Mouse(wnd, WM_LBUTTONUP, 200, 200);  // released elsewhere: no click
  EXPECT_FALSE(first->GetDown());
  EXPECT_EQ(events.log, std::vector<std::string>{"click"});
}

// A letter may reach beyond the width its text measures (the stroke of a slanted "f"): the
// speed button draws it whole.
TEST(GraphicControls, ASpeedButtonDrawsItsCaptionsLastLetterWhole) {
  ShownForm form;
  TSpeedButton* button = Place<TSpeedButton>(form.Get(), 10, 10, 140, 30);
  button->GetFont()->SetName("Tahoma");
  button->GetFont()->SetHeight(-16);
  button->GetFont()->SetStyle(fsItalic);
  HWND wnd = form->GetHandle();
  HDC dc = GetDC(wnd);
  HGDIOBJ oldFont = SelectObject(dc, button->GetFont()->GetHandle());
  // A letter of the font whose stroke reaches beyond its advance.
  char last = 0;
  for (char letter : std::string("fjyxk")) {
    ABC widths{};
    if (GetCharABCWidthsA(dc, static_cast<unsigned char>(letter), static_cast<unsigned char>(letter), &widths) &&
        widths.abcC < -1) {
      last = letter;
      break;
    }
  }
  ASSERT_NE(last, 0) << "no letter of the slanted font reaches beyond its advance";
  const std::string caption = std::string("Index ") + last;
  RECT measured{0, 0, 140, 0};
  DrawTextA(dc, caption.c_str(), -1, &measured, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(dc, oldFont);
  button->SetCaption(caption);
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  Pump();
  // The columns right of the measured text, where the last letter's stroke ends.
  const int left = 10 + (140 - measured.right) / 2, top = 10 + (30 - measured.bottom) / 2;
  int ink = 0;
  for (int y = top; y < top + measured.bottom; ++y)
    for (int x = left + measured.right; x < left + measured.right + 4; ++x) {
      const COLORREF pixel = GetPixel(dc, x, y);
      if (GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 3 * 128) ++ink;
    }
  ReleaseDC(wnd, dc);
  EXPECT_GT(ink, 0) << "the last letter is cut at the measured width";
}

namespace {

class ShortenedLabel : public TLabel {
 public:
  using TLabel::TLabel;
  std::string Shown() {
    RECT rect = GetClientRect();
    return FitWrappedText(GetCaption(), rect, DT_WORDBREAK);
  }
};

}  // namespace

TEST(Captions, AWrappedLabelWithEllipsisDropsWholeWordsUntilItFits) {
  ShownForm form;
  ShortenedLabel* label = new ShortenedLabel(form.Get());
  label->SetParent(form.Get());
  label->SetAutoSize(false);
  label->SetWordWrap(true);
  label->SetEllipsisPosition(epEndEllipsis);
  label->SetCaption("alpha beta gamma delta epsilon zeta eta theta");
  label->SetBounds(10, 10, 120, label->GetCanvas()->TextHeight("Ag") + 1);
  std::string shown = label->Shown();
  ASSERT_GE(shown.size(), 4u);
  EXPECT_EQ(shown.substr(shown.size() - 3), "...");
  std::string kept = shown.substr(0, shown.size() - 3);
  EXPECT_EQ(label->GetCaption().rfind(kept, 0), 0u);
  EXPECT_EQ(label->GetCaption()[kept.size()], ' ');  // cut at a word boundary
  label->SetHeight(400);
  EXPECT_EQ(label->Shown(), label->GetCaption());
}

// A wrapped label with an ellipsis whose empty caption does not fit its height draws nothing, in
// every ellipsis mode; the same label draws a caption that fits.
TEST(Captions, EmptyWrappedCaptionsDrawNothingInEveryEllipsisMode) {
  ShownForm form;
  wintest::ExpectEmptyWrappedCaptionsDrawNothing(Place<TLabel>(form.Get(), 10, 10, 80, 40), std::string("Wort"));
}

namespace {

class StrictComboBox : public TComboBox {
 public:
  using TComboBox::TComboBox;
  bool unique = true;
  bool keepCase = false;

 protected:
  bool GetAutoCompleteUniqueMatchOnly() const override { return unique; }
  bool GetAutoCompletePreserveDataEntryCase() const override { return keepCase; }
};

}  // namespace

TEST(Lists, AutoCompleteOptionsCanAskForAUniqueMatchAndTheItemsOwnCase) {
  ShownForm form;
  StrictComboBox* combo = Place<StrictComboBox>(form.Get(), 10, 10, 150, 22);
  combo->GetItems()->SetText("Birke\nBirne\nApfel");
  combo->SetFocus();
  Type(combo->GetEditHandle(), "bi");
  EXPECT_EQ(combo->GetText(), "bi");  // two items begin with it
  EXPECT_EQ(combo->GetItemIndex(), -1);
  Type(combo->GetEditHandle(), "r");
  EXPECT_EQ(combo->GetText(), "bir");
  Type(combo->GetEditHandle(), "n");
  EXPECT_EQ(combo->GetText(), "Birne");  // unique now, shown as the item has it
  EXPECT_EQ(combo->GetItemIndex(), 1);
}

TEST(Lists, TypingIntoADropDownListSearchesByTheLettersTypedTogether) {
  ShownForm form;
  Events events;
  TComboBox* combo = new TComboBox(form.Get());
  combo->SetStyle(csDropDownList);
  combo->SetParent(form.Get());
  combo->GetItems()->SetText("Apfel\nBanane\nBirne\nBirke");
  combo->OnSelect = TNotifyEvent(&events, &Events::Click);
  combo->SetFocus();
  Type(combo->GetHandle(), "bi");
  EXPECT_EQ(combo->GetItemIndex(), 2);
  EXPECT_EQ(combo->GetText(), "Birne");
  EXPECT_EQ(events.log.size(), 2u);  // "B" went to Banane, "Bi" to Birne
}

TEST(Lists, EnterClosesAnOpenComboListInsteadOfPressingTheDefaultButton) {
  ShownForm form;
  Events events;
  TComboBox* combo = Place<TComboBox>(form.Get(), 10, 10, 150, 22);
  combo->GetItems()->SetText("one\ntwo");
  TButton* ok = Place<TButton>(form.Get(), 10, 60, 80, 25);
  ok->SetDefault(true);
  ok->OnClick = TNotifyEvent(&events, &Events::Click);
  combo->SetFocus();
  combo->SetDroppedDown(true);
  ASSERT_TRUE(combo->GetDroppedDown());
  PostMessageA(combo->GetEditHandle(), WM_KEYDOWN, VK_RETURN, 1);
  Pump();
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_TRUE(events.log.empty());
  PostMessageA(combo->GetEditHandle(), WM_KEYDOWN, VK_RETURN, 1);
  Pump();
  EXPECT_EQ(events.log, std::vector<std::string>{"click"});
}
