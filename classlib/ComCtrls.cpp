// Tab controls, page controls, tab sheets and progress bars.
#include "classlib/ComCtrls.h"

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/ScopedHandles.h"
#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"

using ComCtrls::TPageControl;
using ComCtrls::TProgressBar;
using ComCtrls::TTabSheet;

namespace {

LRESULT SendTo(TWinControl* control, UINT msg, WPARAM wParam, LPARAM lParam) {
  return SendMessageA(control->GetWindowHandle(), msg, wParam, lParam);
}

void EnsureCommonControls(DWORD classes) {
  INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), classes};
  InitCommonControlsEx(&init);
}

// Room the tabs take while there is no window to ask (one row of tabs, a thin frame).
constexpr int kTabRowHeight = 24;
constexpr int kFrameWidth = 4;

}  // namespace

// ---- TTabStrings ----------------------------------------------------------------------------
void TTabStrings::CheckIndex(int index) const {
  if (index < 0 || index >= GetCount()) Error(SListIndexError, index);
}

std::string TTabStrings::Get(int index) const {
  CheckIndex(index);
  return FTabs[static_cast<size_t>(index)].first;
}

TObject* TTabStrings::GetObject(int index) const {
  CheckIndex(index);
  return FTabs[static_cast<size_t>(index)].second;
}

void TTabStrings::SetWindowTab(int index) const {
  if (!FControl->HandleAllocated()) return;
  TCITEMA tab{};
  tab.mask = TCIF_TEXT | TCIF_PARAM;
  tab.pszText = const_cast<char*>(FTabs[static_cast<size_t>(index)].first.c_str());
  tab.lParam = reinterpret_cast<LPARAM>(FTabs[static_cast<size_t>(index)].second);
  SendTo(FControl, TCM_SETITEMA, index, reinterpret_cast<LPARAM>(&tab));
  // Tabs drawn as buttons give up the room of a wider text without painting it over: the row
  // is painted anew.
  if (GetWindowLongA(FControl->GetHandle(), GWL_STYLE) & TCS_BUTTONS)
    InvalidateRect(FControl->GetHandle(), nullptr, TRUE);
}

void TTabStrings::Put(int index, const std::string& text) {
  CheckIndex(index);
  FTabs[static_cast<size_t>(index)].first = text;
  SetWindowTab(index);
  FControl->AlignControls();
}

void TTabStrings::PutObject(int index, TObject* object) {
  CheckIndex(index);
  FTabs[static_cast<size_t>(index)].second = object;
  SetWindowTab(index);
}

void TTabStrings::InsertObject(int index, const std::string& text, TObject* object) {
  if (index < 0 || index > GetCount()) Error(SListIndexError, index);
  FTabs.insert(FTabs.begin() + index, {text, object});
  FControl->InsertWindowTab(index);
  FControl->AlignControls();
}

void TTabStrings::Delete(int index) {
  CheckIndex(index);
  FTabs.erase(FTabs.begin() + index);
  if (FControl->HandleAllocated()) SendTo(FControl, TCM_DELETEITEM, index, 0);
  FControl->AlignControls();
}

void TTabStrings::Clear() {
  FTabs.clear();
  if (FControl->HandleAllocated()) SendTo(FControl, TCM_DELETEALLITEMS, 0, 0);
  FControl->FTabIndex = -1;
}

// ---- TCustomTabControl ----------------------------------------------------------------------
TCustomTabControl::TCustomTabControl(TComponent* owner) : TWinControl(owner), FTabs(new TTabStrings(this)) {
  FControlStyle |= csAcceptsControls;
  FWidth = 289;
  FHeight = 193;
  FTabStop = true;
}

TCustomTabControl::~TCustomTabControl() {
  if (FHandle) DestroyHandle();
}

// A tab enters with its text and object, and gets them again through TCM_SETITEMA.
void TCustomTabControl::InsertWindowTab(int index) {
  if (!HandleAllocated()) return;
  const auto& tab = FTabs->FTabs[static_cast<size_t>(index)];
  TCITEMA record{};
  record.mask = TCIF_TEXT | TCIF_PARAM;
  record.pszText = const_cast<char*>(tab.first.c_str());
  record.lParam = reinterpret_cast<LPARAM>(tab.second);
  SendTo(this, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&record));
  FTabs->SetWindowTab(index);
}

int TCustomTabControl::GetTabIndex() {
  if (HandleAllocated()) FTabIndex = static_cast<int>(SendTo(this, TCM_GETCURSEL, 0, 0));
  return FTabIndex;
}

void TCustomTabControl::SetTabIndex(int value) {
  if (value < -1 || value >= FTabs->GetCount()) value = -1;
  FTabIndex = value;
  if (HandleAllocated()) SendTo(this, TCM_SETCURSEL, static_cast<WPARAM>(value), 0);
}

void TCustomTabControl::SetStyle(TTabStyle value) {
  if (value == FStyle) return;
  FStyle = value;
  RecreateWnd();
}

void TCustomTabControl::SetMultiLine(bool value) {
  if (value == FMultiLine) return;
  FMultiLine = value;
  RecreateWnd();
}

bool TCustomTabControl::CanShowTab(int) { return true; }

bool TCustomTabControl::CanChange() {
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  return allow;
}

void TCustomTabControl::Change() {
  if (OnChange) OnChange(this);
}

RECT TCustomTabControl::GetDisplayRect() {
  RECT rect = GetClientRect();
  AdjustClientRect(rect);
  return rect;
}

void TCustomTabControl::AdjustClientRect(RECT& rect) {
  if (HandleAllocated()) {
    SendTo(this, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rect));
    return;
  }
  rect.left += kFrameWidth;
  rect.top += kTabRowHeight;
  rect.right = std::max(rect.left, rect.right - kFrameWidth);
  rect.bottom = std::max(rect.top, rect.bottom - kFrameWidth);
}

void TCustomTabControl::CreateParams(TCreateParams& params) {
  EnsureCommonControls(ICC_TAB_CLASSES);
  TWinControl::CreateParams(params);
  CreateSubClass(params, WC_TABCONTROLA);
  params.Style |= WS_CLIPCHILDREN;
  if (FStyle == tsButtons) params.Style |= TCS_BUTTONS;
  if (FStyle == tsFlatButtons) params.Style |= TCS_BUTTONS | TCS_FLATBUTTONS;
  if (FMultiLine) params.Style |= TCS_MULTILINE;
  params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TCustomTabControl::CreateWnd() {
  TWinControl::CreateWnd();
  for (int i = 0; i < FTabs->GetCount(); ++i) InsertWindowTab(i);
  SendTo(this, TCM_SETCURSEL, static_cast<WPARAM>(FTabIndex), 0);
}

void TCustomTabControl::DestroyWnd() {
  GetTabIndex();
  TWinControl::DestroyWnd();
}

// The tabs turn here, alike for every style of tabs, and not in the system's control as well.
void TCustomTabControl::KeyDown(WORD& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  const int step = key == VK_LEFT || key == VK_UP ? -1 : key == VK_RIGHT || key == VK_DOWN ? 1 : 0;
  if (step == 0 || (shift & (ssAlt | ssCtrl))) return;
  key = 0;
  const int next = GetTabIndex() + step;
  if (next < 0 || next >= FTabs->GetCount() || !CanShowTab(next) || !CanChange()) return;
  SetTabIndex(next);
  Change();
}

void TCustomTabControl::CNNotify(TMessage& message) {
  auto* header = reinterpret_cast<NMHDR*>(message.LParam);
  switch (header->code) {
    case TCN_SELCHANGING: message.Result = CanChange() ? 0 : 1; break;
    case TCN_SELCHANGE:
      GetTabIndex();
      Change();
      message.Result = 0;
      break;
    default: DefaultHandler(message);
  }
}

void TCustomTabControl::Dispatch(TMessage& message) {
  if (message.Msg == CN_NOTIFY) CNNotify(message);
  else TWinControl::Dispatch(message);
}

void TCustomTabControl::DeclareProperties(TPropertyTable& table) {
  static const TIdentMap kStyles{{"tsTabs", tsTabs}, {"tsButtons", tsButtons}, {"tsFlatButtons", tsFlatButtons}};
  using C = TCustomTabControl;
  auto p = table.For<C>();
  p.Enum("Style", &C::GetStyle, &C::SetStyle, kStyles);
  p.Boolean("MultiLine", &C::GetMultiLine, &C::SetMultiLine);
  p.Event("OnChange", &C::OnChange);
  p.Event("OnChanging", &C::OnChanging);
}

// ---- TTabSheet ------------------------------------------------------------------------------
TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
  FControlStyle |= csAcceptsControls;
  FVisible = false;  // only the active page shows
  FAlign = alClient;
}

void TTabSheet::SetPageControl(TPageControl* value) { SetParent(value); }

void TTabSheet::SetParent(TWinControl* parent) {
  TWinControl::SetParent(parent);
  auto* pageControl = dynamic_cast<TPageControl*>(parent);
  if (pageControl == FPageControl) return;
  if (FPageControl) FPageControl->RemovePage(this);
  FPageControl = pageControl;
  if (pageControl) pageControl->InsertPage(this);
}

void TTabSheet::BeforeDestruction() {
  if (FPageControl) {
    FPageControl->RemovePage(this);
    FPageControl = nullptr;
  }
  TWinControl::BeforeDestruction();
}

int TTabSheet::GetTabIndex() const {
  if (!FPageControl || !FTabVisible) return -1;
  return FPageControl->GetTabs()->IndexOfObject(const_cast<TTabSheet*>(this));
}

int TTabSheet::GetPageIndex() const {
  if (!FPageControl) return -1;
  const auto& pages = FPageControl->FPages;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int value) {
  if (FPageControl) FPageControl->MovePage(this, value);
}

void TTabSheet::SetTabVisible(bool value) {
  if (value == FTabVisible) return;
  FTabVisible = value;
  if (FPageControl) FPageControl->UpdateTabs();
}

// A new caption goes to the sheet's tab.
void TTabSheet::CMTextChanged(TMessage& message) {
  TWinControl::CMTextChanged(message);
  if (FPageControl) FPageControl->UpdateTab(this);
}

void TTabSheet::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TTabSheet>();
  p.Component("PageControl", &TTabSheet::GetPageControl, &TTabSheet::SetPageControl);
  p.Boolean("TabVisible", &TTabSheet::GetTabVisible, &TTabSheet::SetTabVisible);
  p.Integer("PageIndex", &TTabSheet::GetPageIndex, &TTabSheet::SetPageIndex);
  p.Integer("ImageIndex", &TTabSheet::GetImageIndex, &TTabSheet::SetImageIndex);
}

// ---- TPageControl ---------------------------------------------------------------------------
TPageControl::TPageControl(TComponent* owner) : TCustomTabControl(owner) {}

TTabSheet* TPageControl::GetPage(int index) const {
  if (index < 0 || index >= GetPageCount()) throw EListError(Format(SListIndexError, index));
  return FPages[static_cast<size_t>(index)];
}

void TPageControl::InsertPage(TTabSheet* page) {
  FPages.push_back(page);
  UpdateTabs();
  if (!FActivePage && !IsLoading()) ChangeActivePage(page);
}

void TPageControl::RemovePage(TTabSheet* page) {
  auto found = std::find(FPages.begin(), FPages.end(), page);
  if (found == FPages.end()) return;
  int index = static_cast<int>(found - FPages.begin());
  FPages.erase(found);
  if (IsDestroying()) {
    if (page == FActivePage) FActivePage = nullptr;
    return;
  }
  if (page == FActivePage) {
    FActivePage = nullptr;
    TTabSheet* next = nullptr;
    if (!FPages.empty()) next = FPages[static_cast<size_t>(std::min(index, GetPageCount() - 1))];
    UpdateTabs();
    ChangeActivePage(next);
    return;
  }
  UpdateTabs();
}

void TPageControl::MovePage(TTabSheet* page, int index) {
  auto found = std::find(FPages.begin(), FPages.end(), page);
  if (found == FPages.end()) return;
  FPages.erase(found);
  index = std::clamp(index, 0, GetPageCount());
  FPages.insert(FPages.begin() + index, page);
  UpdateTabs();
}

// Brings the tab list in line with the sheets, touching only the tabs that differ.
void TPageControl::UpdateTabs() {
  std::vector<TTabSheet*> wanted;
  for (TTabSheet* page : FPages)
    if (page->GetTabVisible()) wanted.push_back(page);
  for (int i = 0; i < static_cast<int>(wanted.size()); ++i) {
    TObject* sheet = wanted[static_cast<size_t>(i)];
    if (i < FTabs->GetCount() && FTabs->GetObject(i) == sheet) continue;
    int existing = FTabs->IndexOfObject(sheet);
    if (existing > i) {
      while (existing-- > i) FTabs->Delete(i);  // tabs of sheets that went before it
    } else {
      FTabs->InsertObject(i, wanted[static_cast<size_t>(i)]->GetCaption(), sheet);
    }
  }
  while (FTabs->GetCount() > static_cast<int>(wanted.size())) FTabs->Delete(FTabs->GetCount() - 1);
  SetTabIndex(FActivePage ? FActivePage->GetTabIndex() : -1);
}

void TPageControl::UpdateTab(TTabSheet* page) {
  int index = page->GetTabIndex();
  if (index >= 0) FTabs->Put(index, page->GetCaption());
}

// The focus does not stay in a page that is hidden: it moves to the page control.
void TPageControl::ChangeActivePage(TTabSheet* page) {
  if (page == FActivePage) return;
  TTabSheet* old = FActivePage;
  FActivePage = page;
  HWND focus = GetFocus();
  bool focusInOld = old && old->HandleAllocated() && focus &&
                    (focus == old->GetWindowHandle() || IsChild(old->GetWindowHandle(), focus));
  if (page) {
    page->BringToFront();
    page->SetVisible(true);
  }
  if (focusInOld && CanFocus()) SetFocus();
  if (old) old->SetVisible(false);
  SetTabIndex(page ? page->GetTabIndex() : -1);
}

// Hidden sheets are laid out too, so that a sheet shown for the first time is in its place with
// its controls in theirs: the system erases a window the moment it is shown, and a sheet moved
// into place only then would show, where nothing of its own paints, what the screen held there
// before (the page before, the tabs).
void TPageControl::AlignControlsIn(RECT& rect) {
  for (TTabSheet* page : FPages)
    if (!page->GetVisible()) page->SetBounds(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  TCustomTabControl::AlignControlsIn(rect);
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->GetPageControl() != this) return;
  ChangeActivePage(page);
}

void TPageControl::Loaded() {
  TCustomTabControl::Loaded();
  if (!FActivePage) ChangeActivePage(FindNextPage(nullptr, true, true));
}

int TPageControl::GetActivePageIndex() const { return FActivePage ? FActivePage->GetPageIndex() : -1; }

void TPageControl::SetActivePageIndex(int value) {
  SetActivePage(value >= 0 && value < GetPageCount() ? GetPage(value) : nullptr);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) {
  int count = GetPageCount();
  if (count == 0) return nullptr;
  auto found = std::find(FPages.begin(), FPages.end(), current);
  int start = found == FPages.end() ? (goForward ? count - 1 : 0) : static_cast<int>(found - FPages.begin());
  int index = start;
  for (int step = 0; step < count; ++step) {
    index = (index + (goForward ? 1 : count - 1)) % count;
    TTabSheet* page = FPages[static_cast<size_t>(index)];
    if (!checkTabVisible || page->GetTabVisible()) return page;
  }
  return nullptr;
}

void TPageControl::SelectNextPage(bool goForward, bool checkTabVisible) {
  TTabSheet* page = FindNextPage(FActivePage, goForward, checkTabVisible);
  if (!page || page == FActivePage || !CanChange()) return;
  SetActivePage(page);
  TCustomTabControl::Change();
}

// The user chose a tab: its sheet becomes the active page, then OnChange.
void TPageControl::Change() {
  int index = GetTabIndex();
  if (index >= 0 && index < FTabs->GetCount()) ChangeActivePage(dynamic_cast<TTabSheet*>(FTabs->GetObject(index)));
  TCustomTabControl::Change();
}

// Alt with the accelerator of a sheet's caption selects that sheet.
void TPageControl::CMDialogChar(TMessage& message) {
  for (TTabSheet* page : FPages) {
    int tab = page->GetTabIndex();
    if (tab < 0 || !IsSheetAccel(page, message) || !CanShowTab(tab) || !CanFocus()) continue;
    message.Result = 1;
    if (CanChange()) {
      SetTabIndex(tab);
      Change();
    }
    return;
  }
  TCustomTabControl::CMDialogChar(message);
}

void TPageControl::CMDialogKey(TMessage& message) {
  const bool ctrlTab = MessageAs<TWMKey>(message).CharCode == VK_TAB && GetKeyState(VK_CONTROL) < 0 &&
                       !(KeyDataToShiftState(message.LParam) & ssAlt);
  TControl* inner = ctrlTab ? FindNearestControl(GetFocus()) : nullptr;
  while (inner && !dynamic_cast<TPageControl*>(inner)) inner = inner->GetParent();
  if (inner != this) return TCustomTabControl::CMDialogKey(message);
  SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
  message.Result = 1;
}

bool TPageControl::IsSheetAccel(TTabSheet* page, TMessage& dialogChar) {
  return IsAccelChar(MessageAs<TCMDialogChar>(dialogChar).CharCode, page->GetCaption());
}

void TPageControl::CMDockClient(TMessage& message) {
  auto& dock = MessageAs<TCMDockClient>(message);
  TControl* client = dock.Info ? dock.Info->Control : nullptr;
  if (!GetDockSite() || !client) return TCustomTabControl::CMDockClient(message);
  TTabSheet* sheet = NewDockSheet(client);
  sheet->SetPageControl(this);
  {
    ScopedValue<TTabSheet*> docking(FNewDockSheet, sheet);
    DoAddDockClient(client, GetDisplayRect());
  }
  sheet->SetTabVisible(client->GetVisible());
  if (client->GetVisible()) SetActivePage(sheet);
  message.Result = 0;
}

TTabSheet* TPageControl::NewDockSheet(TControl* client) {
  auto* sheet = new TTabSheet(this);
  if (Is<TCustomForm>(client)) sheet->SetCaption(client->GetCaption());
  return sheet;
}

void TPageControl::DoAddDockClient(TControl* client, const RECT& rect) {
  if (!FNewDockSheet) return TCustomTabControl::DoAddDockClient(client, rect);
  client->SetParent(FNewDockSheet);
  client->SetAlign(alClient);
}

void TPageControl::CMDockNotification(TMessage& message) {
  auto& notification = MessageAs<TCMDockNotification>(message);
  auto* sheet = notification.Client ? dynamic_cast<TTabSheet*>(notification.Client->GetParent()) : nullptr;
  if (sheet && sheet->GetPageControl() == this && notification.NotifyRec) {
    const TDockNotifyRec& record = *notification.NotifyRec;
    if (record.ClientMsg == WM_SETTEXT && Is<TCustomForm>(notification.Client)) {
      std::string text = record.MsgLParam ? reinterpret_cast<const char*>(record.MsgLParam) : "";
      sheet->SetCaption(text.substr(0, text.find_first_of("\r\n")));
    } else if (record.ClientMsg == CM_VISIBLECHANGED) {
      sheet->SetTabVisible(record.MsgWParam != 0);
    }
  }
  TCustomTabControl::CMDockNotification(message);
}

void TPageControl::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TPageControl>();
  p.Component("ActivePage", &TPageControl::GetActivePage, &TPageControl::SetActivePage);
}

// ---- TProgressBar ---------------------------------------------------------------------------
TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
  FWidth = 150;
  FHeight = 16;
}

void TProgressBar::CreateParams(TCreateParams& params) {
  EnsureCommonControls(ICC_PROGRESS_CLASS);
  TWinControl::CreateParams(params);
  CreateSubClass(params, PROGRESS_CLASSA);
  if (FSmooth) params.Style |= PBS_SMOOTH;
  if (FOrientation == pbVertical) params.Style |= PBS_VERTICAL;
}

void TProgressBar::CreateWnd() {
  TWinControl::CreateWnd();
  SendRange();
  SendTo(this, PBM_SETSTEP, static_cast<WPARAM>(FStep), 0);
  SendTo(this, PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
}

void TProgressBar::DestroyWnd() {
  FPosition = GetPosition();
  TWinControl::DestroyWnd();
}

void TProgressBar::SendRange() {
  if (HandleAllocated()) SendTo(this, PBM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
}

void TProgressBar::SetMin(int value) {
  FMin = value;
  FMax = std::max(FMax, value);
  SendRange();
  SetPosition(FPosition);
}

void TProgressBar::SetMax(int value) {
  FMax = value;
  FMin = std::min(FMin, value);
  SendRange();
  SetPosition(FPosition);
}

int TProgressBar::GetPosition() {
  if (HandleAllocated()) FPosition = static_cast<int>(SendTo(this, PBM_GETPOS, 0, 0));
  return FPosition;
}

void TProgressBar::SetPosition(int value) {
  FPosition = std::clamp(value, FMin, FMax);
  if (HandleAllocated()) SendTo(this, PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
}

void TProgressBar::SetStep(int value) {
  FStep = value;
  if (HandleAllocated()) SendTo(this, PBM_SETSTEP, static_cast<WPARAM>(value), 0);
}

void TProgressBar::SetSmooth(bool value) {
  if (value == FSmooth) return;
  FSmooth = value;
  RecreateWnd();
}

void TProgressBar::SetOrientation(TProgressBarOrientation value) {
  if (value == FOrientation) return;
  FOrientation = value;
  RecreateWnd();
}

void TProgressBar::StepIt() {
  int next = GetPosition() + FStep;
  if (next > FMax) next = FMin + (next - FMax);
  SetPosition(next);
}

void TProgressBar::StepBy(int delta) { SetPosition(GetPosition() + delta); }

void TProgressBar::DeclareProperties(TPropertyTable& table) {
  static const TIdentMap kOrientations{{"pbHorizontal", pbHorizontal}, {"pbVertical", pbVertical}};
  using P = TProgressBar;
  auto p = table.For<P>();
  p.Integer("Min", &P::GetMin, &P::SetMin);
  p.Integer("Max", &P::GetMax, &P::SetMax);
  p.Integer("Position", &P::GetPosition, &P::SetPosition);
  p.Integer("Step", &P::GetStep, &P::SetStep);
  p.Boolean("Smooth", &P::GetSmooth, &P::SetSmooth);
  p.Enum("Orientation", &P::GetOrientation, &P::SetOrientation, kOrientations);
}

void RegisterCommonControls() {
  RegisterClasses({TTabControl::StaticClass(), TPageControl::StaticClass(), TTabSheet::StaticClass(),
                   TProgressBar::StaticClass()});
}
