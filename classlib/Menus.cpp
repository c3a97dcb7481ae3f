// Menu items, menus and their native menus.
#include "classlib/Menus.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "classlib/SysUtils.h"

using Menus::TMainMenu;
using Menus::TMenuItem;

namespace {

// Command numbers of menu entries: the lowest free one is handed out (WM_COMMAND carries 16 bits).
// Menus of forms freed at program end give their numbers back after other statics are gone: the
// pool is never destroyed.
std::vector<bool>& CommandPool() {
  static auto* pool = new std::vector<bool>(1, true);  // 0 is never a command
  return *pool;
}

UINT AllocateCommand() {
  std::vector<bool>& pool = CommandPool();
  auto it = std::find(pool.begin(), pool.end(), false);
  size_t command = static_cast<size_t>(it - pool.begin());
  if (command > 0xFFFF) throw EMenuError("Too many menu items");
  if (it == pool.end()) pool.push_back(true);
  else *it = true;
  return static_cast<UINT>(command);
}

void ReleaseCommand(UINT command) {
  if (command < CommandPool().size()) CommandPool()[command] = false;
}

// A canvas on a device context that someone else owns, for drawing and measuring menu items.
class BorrowedCanvas {
 public:
  explicit BorrowedCanvas(HDC dc) { m_canvas.SetHandle(dc); }
  ~BorrowedCanvas() { m_canvas.SetHandle(nullptr); }
  BorrowedCanvas(const BorrowedCanvas&) = delete;
  BorrowedCanvas& operator=(const BorrowedCanvas&) = delete;
  TCanvas* operator->() { return &m_canvas; }
  TCanvas* Get() { return &m_canvas; }

 private:
  TCanvas m_canvas;
};

std::string StripHotKeys(const std::string& caption) {
  std::string result;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    result += caption[i];
  }
  return result;
}

// Menu action-link classes with the way each is made.
std::vector<std::pair<TClass, TMenuActionLink* (*)(TMenuItem*)>>& MenuLinkFactories() {
  static std::vector<std::pair<TClass, TMenuActionLink* (*)(TMenuItem*)>> factories{
      {TMenuActionLink::StaticClass(), [](TMenuItem* client) { return new TMenuActionLink(client); }}};
  return factories;
}

}  // namespace

void RegisterMenuActionLinkClass(TClass linkClass, TMenuActionLink* (*factory)(TMenuItem* client)) {
  MenuLinkFactories().emplace_back(linkClass, factory);
}

// ---- TMenuActionLink ------------------------------------------------------------------------
TMenuActionLink::TMenuActionLink(TMenuItem* client) : FClient(client) {}

namespace {
TCustomAction* CustomAction(TBasicAction* action) { return dynamic_cast<TCustomAction*>(action); }
}  // namespace

bool TMenuActionLink::IsCaptionLinked() const {
  return TActionLink::IsCaptionLinked() && FClient->GetCaption() == CustomAction(FAction)->GetCaption();
}
bool TMenuActionLink::IsHintLinked() const {
  return TActionLink::IsHintLinked() && FClient->GetHint() == CustomAction(FAction)->GetHint();
}
bool TMenuActionLink::IsCheckedLinked() const {
  return TActionLink::IsCheckedLinked() && FClient->GetChecked() == CustomAction(FAction)->GetChecked();
}
bool TMenuActionLink::IsEnabledLinked() const {
  return TActionLink::IsEnabledLinked() && FClient->GetEnabled() == CustomAction(FAction)->GetEnabled();
}
bool TMenuActionLink::IsShortCutLinked() const {
  return TActionLink::IsShortCutLinked() && FClient->GetShortCut() == CustomAction(FAction)->GetShortCut();
}
bool TMenuActionLink::IsVisibleLinked() const {
  return TActionLink::IsVisibleLinked() && FClient->GetVisible() == CustomAction(FAction)->GetVisible();
}
bool TMenuActionLink::IsOnExecuteLinked() const {
  return TActionLink::IsOnExecuteLinked() && FClient->OnClick == FAction->GetOnExecute();
}
void TMenuActionLink::SetCaption(const std::string& value) {
  if (IsCaptionLinked()) FClient->SetCaption(value);
}
void TMenuActionLink::SetHint(const std::string& value) {
  if (IsHintLinked()) FClient->SetHint(value);
}
void TMenuActionLink::SetChecked(bool value) {
  if (IsCheckedLinked()) FClient->SetChecked(value);
}
void TMenuActionLink::SetEnabled(bool value) {
  if (IsEnabledLinked()) FClient->SetEnabled(value);
}
void TMenuActionLink::SetShortCut(WORD value) {
  if (IsShortCutLinked()) FClient->SetShortCut(value);
}
void TMenuActionLink::SetVisible(bool value) {
  if (IsVisibleLinked()) FClient->SetVisible(value);
}

// ---- TMenuItem ------------------------------------------------------------------------------
TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), FCommand(AllocateCommand()) {}

TMenuItem::~TMenuItem() {
  BeforeDestruction();
  FActionLink.reset();
  FBitmap.reset();
  ReleaseCommand(FCommand);
}

// Leaves the parent, frees the sub-items and the own sub-menu, while the item is whole.
void TMenuItem::BeforeDestruction() {
  TComponent::BeforeDestruction();
  if (FParent) FParent->Remove(this);
  if (FHandle)
    while (GetMenuItemCount(FHandle) > 0) RemoveMenu(FHandle, 0, MF_BYPOSITION);
  while (!FItems.empty()) {
    TMenuItem* item = FItems.back();
    DetachItem(item);
    item->Free();
  }
  DestroyHandle();
}

void TMenuItem::DestroyHandle() {
  if (!FHandle) return;
  DestroyMenu(FHandle);
  FHandle = nullptr;
}

TMenuItem* TMenuItem::GetItem(int index) const {
  if (index < 0 || index >= GetCount()) throw EMenuError(Format("Menu index out of range (%d)", index));
  return FItems[static_cast<size_t>(index)];
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenuItem* TMenuItem::Find(const std::string& caption) const {
  const std::string wanted = StripHotKeys(caption);
  for (TMenuItem* item : FItems)
    if (AnsiSameText(StripHotKeys(item->FCaption), wanted)) return item;
  return nullptr;
}

void TMenuItem::Add(TMenuItem* item) { Insert(GetCount(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item) throw EMenuError("No menu item to insert");
  if (item->FParent) throw EMenuError("Menu inserted twice");
  if (item == this || item->FMenu) throw EMenuError("A menu cannot hold itself");
  if (index < 0 || index > GetCount()) throw EMenuError(Format("Menu index out of range (%d)", index));
  InsertItem(index, item);
  SubItemsChanged(GetCount() == 1);
}

void TMenuItem::InsertItem(int index, TMenuItem* item) {
  FItems.insert(FItems.begin() + index, item);
  item->FParent = this;
}

void TMenuItem::DetachItem(TMenuItem* item) {
  FItems.erase(std::remove(FItems.begin(), FItems.end(), item), FItems.end());
  item->FParent = nullptr;
}

void TMenuItem::Remove(TMenuItem* item) {
  if (IndexOf(item) < 0) throw EMenuError("Menu item not found");
  DetachItem(item);
  if (!GetComponentState().Contains(csDestroying)) SubItemsChanged(FItems.empty());
}

void TMenuItem::Delete(int index) { Remove(GetItem(index)); }

void TMenuItem::Clear() {
  while (!FItems.empty()) FItems.back()->Free();
}

void TMenuItem::SetMenuIndex(int value) {
  if (!FParent) return;
  TMenuItem* parent = FParent;
  value = std::clamp(value, 0, parent->GetCount() - 1);
  if (value == GetMenuIndex()) return;
  parent->DetachItem(this);
  parent->InsertItem(value, this);
  parent->SubItemsChanged(false);
}

// The own entries are made again; the own entry in the parent gains or loses its sub-menu.
void TMenuItem::SubItemsChanged(bool countCrossedZero) {
  RebuildHandle();
  MenuChanged(countCrossedZero || FHandle != nullptr);
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* item = this;
  while (item->FParent) item = item->FParent;
  return item->FMenu;
}

HMENU TMenuItem::GetParentHandle() const { return FParent ? FParent->FHandle : nullptr; }

bool TMenuItem::ShowsShortCut() const { return FShortCut != scNone && FItems.empty() && !IsTopOfMainMenu(); }

bool TMenuItem::IsTopOfMainMenu() const {
  return FParent && FParent->FMenu && FParent->FMenu->IsMenuBar();
}

HMENU TMenuItem::GetHandle() {
  if (!FHandle) {
    FHandle = FMenu && FMenu->IsMenuBar() ? CreateMenu() : CreatePopupMenu();
    if (!FHandle) RaiseLastOSError();
    RebuildHandle();
  }
  return FHandle;
}

void TMenuItem::RebuildHandle() {
  if (!FHandle || GetComponentState().Contains(csDestroying)) return;
  while (GetMenuItemCount(FHandle) > 0) RemoveMenu(FHandle, 0, MF_BYPOSITION);
  UINT position = 0;
  for (TMenuItem* item : FItems) {
    if (!item->FVisible) continue;
    std::string text;
    MENUITEMINFOA info = item->EntryInfo(text);
    InsertMenuItemA(FHandle, position++, TRUE, &info);
  }
}

void TMenuItem::UpdateEntry(TMenuItem* item) {
  if (!FHandle || !item->FVisible) return;
  UINT position = 0;
  for (TMenuItem* sibling : FItems) {
    if (sibling == item) break;
    if (sibling->FVisible) ++position;
  }
  std::string text;
  MENUITEMINFOA info = item->EntryInfo(text);
  SetMenuItemInfoA(FHandle, position, TRUE, &info);
}

UINT TMenuItem::EntryType() const {
  if (IsLine()) return MFT_SEPARATOR;
  TMenu* menu = GetParentMenu();
  if (menu && menu->GetOwnerDraw()) return MFT_OWNERDRAW;
  if (FCaption.empty() && FBitmap && !FBitmap->GetEmpty()) return MFT_BITMAP;
  return MFT_STRING;
}

// Items with sub-items and the bar's own items show no shortcut.
std::string TMenuItem::EntryText() const {
  std::string text = FCaption;
  if (ShowsShortCut()) {
    std::string keys = ShortCutToText(FShortCut);
    if (!keys.empty()) text += "\t" + keys;
  }
  return text;
}

MENUITEMINFOA TMenuItem::EntryInfo(std::string& text) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_ID | MIIM_STATE | MIIM_TYPE | MIIM_SUBMENU | MIIM_DATA;
  info.fType = EntryType();
  if (FRadioItem) info.fType |= MFT_RADIOCHECK;
  TMenu* menu = GetParentMenu();
  if (menu && menu->IsRightToLeft()) info.fType |= MFT_RIGHTORDER | MFT_RIGHTJUSTIFY;
  info.fState = (FChecked ? MFS_CHECKED : 0) | (FEnabled ? 0 : MFS_GRAYED) | (FDefault ? MFS_DEFAULT : 0);
  info.wID = FCommand;
  info.hSubMenu = FItems.empty() ? nullptr : GetHandle();
  info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
  if (info.fType & MFT_BITMAP) {
    info.dwTypeData = reinterpret_cast<LPSTR>(FBitmap->GetHandle());
  } else if (!(info.fType & (MFT_SEPARATOR | MFT_OWNERDRAW))) {
    text = EntryText();
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
  }
  return info;
}

void TMenuItem::MenuChanged(bool rebuild) {
  if (!FParent) {
    if (FMenu) FMenu->MenuChanged(this, this, rebuild);
    return;
  }
  if (rebuild) FParent->RebuildHandle();
  else FParent->UpdateEntry(this);
  FParent->SubItemChanged(this, this, rebuild);
}

void TMenuItem::SubItemChanged(TMenuItem*, TMenuItem* source, bool rebuild) {
  if (FParent) FParent->SubItemChanged(this, source, rebuild);
  else if (FMenu) FMenu->MenuChanged(this, source, rebuild);
}

// -- properties --
void TMenuItem::SetCaption(const std::string& value) {
  if (value == FCaption) return;
  // A separator or bitmap entry that becomes a text entry (or back) is made again.
  UINT type = EntryType();
  FCaption = value;
  MenuChanged(type != EntryType());
}

void TMenuItem::SetHint(const std::string& value) {
  if (value == FHint) return;
  FHint = value;
  MenuChanged(false);
}

void TMenuItem::SetShortCut(TShortCut value) {
  if (value == FShortCut) return;
  FShortCut = value;
  MenuChanged(false);
}

void TMenuItem::ChangeState(bool& field, bool value) {
  if (field == value) return;
  field = value;
  MenuChanged(false);
}

void TMenuItem::SetChecked(bool value) {
  if (value == FChecked) return;
  ChangeState(FChecked, value);
  if (value && FRadioItem) TurnSiblingsOff();
}

// A checked radio item unchecks the radio items of its group.
void TMenuItem::TurnSiblingsOff() {
  if (!FParent) return;
  for (TMenuItem* sibling : std::vector<TMenuItem*>(FParent->FItems))
    if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex) sibling->SetChecked(false);
}

void TMenuItem::SetEnabled(bool value) { ChangeState(FEnabled, value); }
void TMenuItem::SetDefault(bool value) { ChangeState(FDefault, value); }
void TMenuItem::SetRadioItem(bool value) { ChangeState(FRadioItem, value); }

void TMenuItem::SetVisible(bool value) {
  if (value == FVisible) return;
  FVisible = value;
  MenuChanged(true);
}

void TMenuItem::SetImageIndex(int value) {
  if (value == FImageIndex) return;
  FImageIndex = value;
  MenuChanged(false);
}

TBitmap* TMenuItem::GetBitmap() {
  if (!FBitmap) FBitmap = std::make_unique<TBitmap>();
  return FBitmap.get();
}

void TMenuItem::SetBitmap(TBitmap* value) {
  GetBitmap()->Assign(value);
  MenuChanged(true);
}

// -- actions --
TBasicAction* TMenuItem::GetAction() const { return FActionLink ? FActionLink->GetAction() : nullptr; }

void TMenuItem::SetAction(TBasicAction* value) {
  if (!value) {
    FActionLink.reset();
    return;
  }
  if (!FActionLink) {
    TClass linkClass = GetActionLinkClass();
    for (TClass cls = linkClass; cls && !FActionLink; cls = cls->ClassParent())
      for (const auto& [registered, factory] : MenuLinkFactories())
        if (registered == cls) {
          FActionLink.reset(factory(this));
          break;
        }
    if (!FActionLink) throw EMenuError("No menu action link can be made of class " + linkClass->ClassName());
    FActionLink->OnChange = TNotifyEvent(this, &TMenuItem::DoActionChange);
  }
  FActionLink->SetAction(value);
  ActionChange(value, GetComponentState().Contains(csLoading));
}

void TMenuItem::DoActionChange(TObject* sender) {
  if (sender && sender == GetAction()) ActionChange(sender, false);
}

TClass TMenuItem::GetActionLinkClass() const { return TMenuActionLink::StaticClass(); }

// With checkDefaults (the action is set while loading) only what the item leaves at its
// default is taken from the action.
void TMenuItem::ActionChange(TObject* sender, bool checkDefaults) {
  auto* action = dynamic_cast<TCustomAction*>(sender);
  if (!action) return;
  if (!checkDefaults || FCaption.empty()) SetCaption(action->GetCaption());
  if (!checkDefaults || !FChecked) SetChecked(action->GetChecked());
  if (!checkDefaults || FEnabled) SetEnabled(action->GetEnabled());
  if (!checkDefaults || FHint.empty()) SetHint(action->GetHint());
  if (!checkDefaults || FShortCut == scNone) SetShortCut(action->GetShortCut());
  if (!checkDefaults || FVisible) SetVisible(action->GetVisible());
  if (!checkDefaults || !OnClick) OnClick = action->GetOnExecute();
}

void TMenuItem::InitiateAction() {
  if (FActionLink) FActionLink->Update();
}

void TMenuItem::Click() {
  if (!FEnabled) return;
  if (FAutoCheck && !FActionLink) SetChecked(!FChecked);
  TBasicAction* action = GetAction();
  if (OnClick && (!action || OnClick != action->GetOnExecute())) OnClick(this);
  else if (FActionLink) FActionLink->Execute(this);
  else if (OnClick) OnClick(this);
}

// -- form descriptions --
TComponent* TMenuItem::GetParentComponent() const {
  if (FParent && FParent->FMenu) return FParent->FMenu;
  return FParent;
}

void TMenuItem::SetParentComponent(TComponent* value) {
  if (FParent) FParent->Remove(this);
  if (auto* menu = dynamic_cast<TMenu*>(value)) menu->GetItems()->Add(this);
  else if (auto* item = dynamic_cast<TMenuItem*>(value)) item->Add(this);
}

void TMenuItem::Loaded() {
  TComponent::Loaded();
  if (FParent && FParent->FHandle) MenuChanged(true);
}

// -- owner drawing --
void TMenuItem::DoDrawText(TCanvas* canvas, const std::string& caption, RECT& rect, bool selected, UINT flags,
                           TMenuItemText which) {
  (void)selected;
  (void)which;
  std::string text = caption;
  if ((flags & DT_CALCRECT) && (text.empty() || text == "&")) text += ' ';
  if (FDefault) canvas->GetFont()->SetStyle(canvas->GetFont()->GetStyle() | fsBold);
  canvas->RequiredState(csHandleValid | csFontValid);
  SetBkMode(canvas->GetHandle(), TRANSPARENT);
  SetTextColor(canvas->GetHandle(), ColorToRGB(canvas->GetFont()->GetColor()));
  DrawTextA(canvas->GetHandle(), text.c_str(), static_cast<int>(text.size()), &rect, flags);
}

void TMenuItem::MeasureItem(TCanvas* canvas, int& width, int& height) {
  if (OnMeasureItem) {
    OnMeasureItem(this, canvas, width, height);
    return;
  }
  if (IsLine()) {
    width = 10;
    height = GetSystemMetrics(SM_CYMENU) / 2;
    return;
  }
  RECT rect{0, 0, 0, 0};
  DoDrawText(canvas, EntryText(), rect, false, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS,
             ShowsShortCut() ? mtCaptionAndShortCut : mtCaption);
  width = rect.right + 2 * GetSystemMetrics(SM_CXMENUCHECK);
  height = std::max<int>(rect.bottom + 4, GetSystemMetrics(SM_CYMENU));
}

void TMenuItem::DrawItem(TCanvas* canvas, RECT rect, bool selected) {
  if (OnDrawItem) {
    OnDrawItem(this, canvas, rect, selected);
    return;
  }
  canvas->GetBrush()->SetColor(selected ? clHighlight : clMenu);
  canvas->FillRect(rect);
  if (IsLine()) {
    RECT line = rect;
    line.top += (rect.bottom - rect.top) / 2;
    DrawEdge(canvas->GetHandle(), &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  int check = GetSystemMetrics(SM_CXMENUCHECK);
  if (FChecked) {
    RECT box{rect.left + 2, rect.top, rect.left + 2 + check, rect.bottom};
    DrawFrameControl(canvas->GetHandle(), &box, DFC_MENU, FRadioItem ? DFCS_MENUBULLET : DFCS_MENUCHECK);
  }
  canvas->GetFont()->SetColor(!FEnabled ? clGrayText : selected ? clHighlightText : clMenuText);
  RECT text = rect;
  text.left += check + 4;
  text.right -= check;
  UINT flags = DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS;
  DoDrawText(canvas, FCaption, text, selected, flags | DT_LEFT, mtCaption);
  if (FShortCut != scNone && FItems.empty())
    DoDrawText(canvas, ShortCutToText(FShortCut), text, selected, flags | DT_RIGHT, mtShortCut);
}

void TMenuItem::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TMenuItem>();
  p.String("Caption", &TMenuItem::GetCaption, &TMenuItem::SetCaption);
  p.String("Hint", &TMenuItem::GetHint, &TMenuItem::SetHint);
  p.Integer("ShortCut", &TMenuItem::GetShortCut, &TMenuItem::SetShortCut);
  p.Boolean("Checked", &TMenuItem::GetChecked, &TMenuItem::SetChecked);
  p.Boolean("Enabled", &TMenuItem::GetEnabled, &TMenuItem::SetEnabled);
  p.Boolean("Visible", &TMenuItem::GetVisible, &TMenuItem::SetVisible);
  p.Boolean("Default", &TMenuItem::GetDefault, &TMenuItem::SetDefault);
  p.Boolean("RadioItem", &TMenuItem::GetRadioItem, &TMenuItem::SetRadioItem);
  p.Boolean("AutoCheck", &TMenuItem::GetAutoCheck, &TMenuItem::SetAutoCheck);
  p.Integer("GroupIndex", &TMenuItem::GetGroupIndex, &TMenuItem::SetGroupIndex);
  p.Integer("ImageIndex", &TMenuItem::GetImageIndex, &TMenuItem::SetImageIndex);
  p.Object("Bitmap", &TMenuItem::GetBitmap);
  p.Component("Action", &TMenuItem::GetAction, &TMenuItem::SetAction);
  p.Event("OnClick", &TMenuItem::OnClick);
  p.Event("OnDrawItem", &TMenuItem::OnDrawItem);
  p.Event("OnMeasureItem", &TMenuItem::OnMeasureItem);
}

// ---- TMenu ----------------------------------------------------------------------------------
TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(new TMenuItem(this)) {
  FItems->FMenu = this;
}

TMenu::~TMenu() { BeforeDestruction(); }

void TMenu::SetWindowHandle(HWND value) {
  FWindowHandle = value;
  MenuChanged(this, nullptr, false);
}

void TMenu::SetOwnerDraw(bool value) {
  if (value == FOwnerDraw) return;
  FOwnerDraw = value;
  std::function<void(TMenuItem*)> rebuild = [&](TMenuItem* item) {
    item->RebuildHandle();
    for (TMenuItem* child : item->FItems) rebuild(child);
  };
  rebuild(FItems);
  MenuChanged(this, nullptr, true);
}

namespace {

TMenuItem* FindIn(TMenuItem* item, UINT_PTR value, TFindItemKind kind) {
  for (int i = 0; i < item->GetCount(); ++i) {
    TMenuItem* child = item->GetItem(i);
    switch (kind) {
      case fkCommand: if (child->GetCommand() == value) return child; break;
      case fkHandle:
        if (child->HandleAllocated() && reinterpret_cast<UINT_PTR>(child->GetHandle()) == value) return child;
        break;
      case fkShortCut: if (child->GetShortCut() == value) return child; break;
    }
    if (TMenuItem* found = FindIn(child, value, kind)) return found;
  }
  return nullptr;
}

}  // namespace

TMenuItem* TMenu::FindItem(UINT_PTR value, TFindItemKind kind) const {
  if (value == 0) return nullptr;
  if (kind == fkHandle && FItems->HandleAllocated() && reinterpret_cast<UINT_PTR>(FItems->GetHandle()) == value)
    return FItems;
  return FindIn(FItems, value, kind);
}

bool TMenu::DispatchCommand(WORD command) {
  TMenuItem* item = FindItem(command, fkCommand);
  if (!item) return false;
  item->Click();
  return true;
}

bool TMenu::DispatchPopup(HMENU subMenu) {
  TMenuItem* item = FindItem(reinterpret_cast<UINT_PTR>(subMenu), fkHandle);
  if (!item) return false;
  for (int i = 0; i < item->GetCount(); ++i) item->GetItem(i)->InitiateAction();
  item->Click();
  return true;
}

// An item answers its shortcut while it and every parent are enabled (after their actions'
// updates).
bool TMenu::IsShortCut(TMessage& message) {
  auto& key = MessageAs<TWMKey>(message);
  TShortCut shortCut = ShortCut(key.CharCode, KeyDataToShiftState(key.KeyData));
  TMenuItem* item = shortCut == scNone ? nullptr : FindItem(shortCut, fkShortCut);
  if (!item) return false;
  for (TMenuItem* at = item; at && at != FItems; at = at->GetParent()) {
    at->InitiateAction();
    if (!at->GetEnabled()) return false;
  }
  item->Click();
  return true;
}

void TMenu::MenuChanged(TObject* sender, TMenuItem* source, bool rebuild) {
  if (OnChange) OnChange(sender, source, rebuild);
}

void TMenu::UpdateItems() {
  struct Walk {
    static void Run(TMenuItem* item) {
      for (int i = 0; i < item->GetCount(); ++i) {
        item->GetItem(i)->InitiateAction();
        Run(item->GetItem(i));
      }
    }
  };
  Walk::Run(FItems);
}

bool TMenu::DispatchWindowMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_COMMAND:
      if (!DispatchCommand(LOWORD(message.WParam))) return false;
      message.Result = 0;
      return true;
    case WM_INITMENUPOPUP:
      if (HIWORD(message.LParam) != 0) return false;  // the window menu
      return DispatchPopup(reinterpret_cast<HMENU>(message.WParam));
    case WM_MENUSELECT: {
      // The selected item's hint becomes the application's hint; the window goes on.
      UINT flags = HIWORD(message.WParam);
      auto menu = reinterpret_cast<HMENU>(message.LParam);
      TMenuItem* item = nullptr;
      if (flags == 0xFFFF && !menu) {
        if (Application) Application->SetHint("");
        return false;
      }
      if (flags & MF_POPUP)
        item = FindItem(reinterpret_cast<UINT_PTR>(GetSubMenu(menu, LOWORD(message.WParam))), fkHandle);
      else
        item = FindItem(LOWORD(message.WParam), fkCommand);
      if (item && Application) Application->SetHint(GetLongHint(item->GetHint()));
      return false;
    }
    case WM_DRAWITEM: {
      auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
      TMenuItem* item = draw->CtlType == ODT_MENU ? FindItem(draw->itemID, fkCommand) : nullptr;
      if (!item) return false;
      BorrowedCanvas canvas(draw->hDC);
      item->DrawItem(canvas.Get(), draw->rcItem, (draw->itemState & ODS_SELECTED) != 0);
      message.Result = TRUE;
      return true;
    }
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
      TMenuItem* item = measure->CtlType == ODT_MENU ? FindItem(measure->itemID, fkCommand) : nullptr;
      if (!item) return false;
      TControlCanvas canvas;  // without a control: measures on the screen
      int width = 0, height = 0;
      item->MeasureItem(&canvas, width, height);
      measure->itemWidth = static_cast<UINT>(width);
      measure->itemHeight = static_cast<UINT>(height);
      message.Result = TRUE;
      return true;
    }
  }
  return false;
}

void TMenu::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TMenu>();
  p.Boolean("OwnerDraw", &TMenu::GetOwnerDraw, &TMenu::SetOwnerDraw);
  p.Event("OnChange", &TMenu::OnChange);
}

// ---- TMainMenu ------------------------------------------------------------------------------
TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}

bool TMainMenu::DispatchMenuMessage(TMessage& message) { return DispatchWindowMessage(message); }

HMENU TMainMenu::AttachMenuBar(HWND window) {
  HMENU bar = GetHandle();
  SetWindowHandle(window);
  return bar;
}

void TMainMenu::DetachMenuBar(HWND window) {
  if (GetWindowHandle() == window) SetWindowHandle(nullptr);
}

void TMainMenu::MenuChanged(TObject* sender, TMenuItem* source, bool rebuild) {
  TMenu::MenuChanged(sender, source, rebuild);
  if (GetWindowHandle() && GetItems()->HandleAllocated()) DrawMenuBar(GetWindowHandle());
}

// ---- TPopupMenu -----------------------------------------------------------------------------
TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) { GetPopupList()->Add(this); }

TPopupMenu::~TPopupMenu() {
  if (PopupList) PopupList->Remove(this);
}

void TPopupMenu::DoPopup(TObject* sender) {
  if (OnPopup) OnPopup(sender);
}

void TPopupMenu::Popup(int x, int y) {
  DoPopup(this);
  UpdateItems();
  static const UINT kAlign[] = {TPM_LEFTALIGN, TPM_RIGHTALIGN, TPM_CENTERALIGN};
  HWND window = GetPopupList()->GetWindow();
  SetWindowHandle(window);
  TrackPopupMenu(GetHandle(), kAlign[FAlignment] | TPM_RIGHTBUTTON, x, y, 0, window, nullptr);
}

void TPopupMenu::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TPopupMenu>();
  p.Boolean("AutoPopup", &TPopupMenu::GetAutoPopup, &TPopupMenu::SetAutoPopup);
  p.Event("OnPopup", &TPopupMenu::OnPopup);
}

// ---- TPopupList -----------------------------------------------------------------------------
TPopupList* PopupList = nullptr;

TPopupList* GetPopupList() {
  if (!PopupList) PopupList = new TPopupList;
  return PopupList;
}

void SetPopupList(TPopupList* replacement) {
  TPopupList* previous = PopupList;
  if (previous == replacement) return;
  if (previous && replacement) replacement->TakeOver(previous);
  PopupList = replacement;
  delete previous;
}

TPopupList::TPopupList() = default;

TPopupList::~TPopupList() {
  DestroyWindowAndInstance();
  Clear();
}

void TPopupList::DestroyWindowAndInstance() {
  if (FWindow) DestroyWindow(FWindow);
  FWindow = nullptr;
  if (FInstance) FreeObjectInstance(FInstance);
  FInstance = nullptr;
}

namespace {
constexpr char kPopupWindowClass[] = "TPopupListWindow";
}  // namespace

HWND TPopupList::GetWindow() {
  if (FWindow) return FWindow;
  WNDCLASSA cls{};
  cls.lpfnWndProc = DefWindowProcA;
  cls.hInstance = GetModuleHandleA(nullptr);
  cls.lpszClassName = kPopupWindowClass;
  WNDCLASSA existing{};
  if (!GetClassInfoA(cls.hInstance, kPopupWindowClass, &existing)) RegisterClassA(&cls);
  FWindow = CreateWindowExA(WS_EX_TOOLWINDOW, kPopupWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                            cls.hInstance, nullptr);
  if (!FWindow) return nullptr;
  FInstance = MakeObjectInstance(TWndMethod(this, &TPopupList::MainWndProc));
  SetWindowLongPtrA(FWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FInstance));
  return FWindow;
}

void TPopupList::TakeOver(TPopupList* previous) {
  for (int i = 0; i < previous->GetCount(); ++i) Add(previous->Get(i));
  previous->Clear();
  if (!previous->FWindow) return;
  DestroyWindowAndInstance();
  FWindow = previous->FWindow;
  FInstance = MakeObjectInstance(TWndMethod(this, &TPopupList::MainWndProc));
  SetWindowLongPtrA(FWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FInstance));
  previous->FWindow = nullptr;
  FreeObjectInstance(previous->FInstance);
  previous->FInstance = nullptr;
}

void TPopupList::MainWndProc(TMessage& message) {
  GuardedCallback([&] { WndProc(message); });
}

void TPopupList::WndProc(TMessage& message) {
  for (int i = GetCount() - 1; i >= 0; --i)
    if (GetMenu(i)->DispatchWindowMessage(message)) return;
  message.Result = DefWindowProcA(FWindow, message.Msg, message.WParam, message.LParam);
}

void RegisterMenuClasses() {
  // A class that another unit registered under the same name (a replacement) stays.
  for (TClass cls : {TMenuItem::StaticClass(), TMainMenu::StaticClass(), TPopupMenu::StaticClass()})
    if (!GetClass(cls->ClassName())) RegisterClass(cls);
}
