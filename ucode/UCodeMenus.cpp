// Wide menu items, the wide menu bar and the wide popup list.
#include "ucode/UCodeMenus.h"

#include "classlib/SysUtils.h"
#include "ucode/UCodeActnList.h"
#include "ucode/UCodeClasses.h"
#include "ucode/UCodeControls.h"
#include "ucode/UCodeForms.h"
#include "ucode/UCodeSysUtils.h"
#include "ucode/UCodeWindows.h"

namespace {

// Keys that take the library's own names.
bool HasLibraryKeyName(WORD key) {
  return key == VK_BACK || key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE ||
         (key >= VK_SPACE && key <= VK_DOWN) || key == VK_INSERT || key == VK_DELETE || (key >= VK_F1 && key <= VK_F24);
}

// The character the keyboard layout types with the key (digits, letters, numeric-pad digits).
wchar_t KeyboardChar(WORD key) {
  bool digit = key >= '0' && key <= '9';
  if (!digit && !(key >= 'A' && key <= 'Z') && !(key >= VK_NUMPAD0 && key <= VK_NUMPAD9)) return 0;
  auto ch = static_cast<wchar_t>(MapVirtualKeyW(key, MAPVK_VK_TO_CHAR) & 0x7FFFFFFF);
  if (digit && ch != static_cast<wchar_t>(key)) {
    // A layout that puts the digit on the shifted key (French): the digit names the key.
    SHORT scan = VkKeyScanW(static_cast<wchar_t>(key));
    if (scan != -1 && LOBYTE(scan) == key) ch = static_cast<wchar_t>(key);
  }
  return ch;
}

std::wstring SystemKeyName(WORD key) {
  LONG scan = static_cast<LONG>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  if (scan == 0) return std::wstring();
  wchar_t name[256] = {};
  int length = GetKeyNameTextW(scan << 16, name, 256);
  return std::wstring(name, static_cast<size_t>(std::max(length, 0)));
}

// Position of the item's entry in its parent's native menu (hidden items have none).
UINT EntryPosition(Menus::TMenuItem* item) {
  Menus::TMenuItem* parent = item->GetParent();
  UINT position = 0;
  for (int i = 0; i < parent->GetCount(); ++i) {
    Menus::TMenuItem* sibling = parent->GetItem(i);
    if (sibling == item) break;
    if (sibling->GetVisible()) ++position;
  }
  return position;
}

std::wstring EntryString(HMENU menu, UINT position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STRING;
  if (!GetMenuItemInfoW(menu, position, TRUE, &info)) return std::wstring();
  std::wstring text(info.cch + 1, L'\0');
  info.dwTypeData = text.data();
  info.cch = static_cast<UINT>(text.size());
  if (!GetMenuItemInfoW(menu, position, TRUE, &info)) return std::wstring();
  text.resize(info.cch);
  return text;
}

}  // namespace

std::wstring WideShortCutToText(TShortCut shortCut) {
  if (!Win32PlatformIsUnicode) return AnsiToWide(ShortCutToText(shortCut));
  WORD key = shortCut & 0xFF;
  std::wstring name;
  if (HasLibraryKeyName(key)) {
    name = AnsiToWide(KeyName(key));
  } else if (wchar_t ch = KeyboardChar(key)) {
    name.assign(1, ch);
  } else {
    name = SystemKeyName(key);
  }
  if (name.empty()) return name;
  std::wstring prefix;
  if (shortCut & scShift) prefix += AnsiToWide(SmkcShift);
  if (shortCut & scCtrl) prefix += AnsiToWide(SmkcCtrl);
  if (shortCut & scAlt) prefix += AnsiToWide(SmkcAlt);
  return prefix + name;
}

// ---- TUCodeMenuItem -------------------------------------------------------------------------

std::wstring TUCodeMenuItem::GetCaption() {
  const std::string& ansi = Menus::TMenuItem::GetCaption();
  if (!FCaptionW.empty() && WideToAnsi(FCaptionW) != ansi) FCaptionW = SyncHotKeyPosition(ansi, FCaptionW);
  return GetSyncedWideString(FCaptionW, ansi);
}

void TUCodeMenuItem::SetCaption(const std::wstring& value) {
  SetSyncedWideString(value, FCaptionW, Menus::TMenuItem::GetCaption(),
                      [this](const std::string& text) { Menus::TMenuItem::SetCaption(text); });
}

std::wstring TUCodeMenuItem::GetHint() { return GetSyncedWideString(FHintW, Menus::TMenuItem::GetHint()); }

void TUCodeMenuItem::SetHint(const std::wstring& value) {
  SetSyncedWideString(value, FHintW, Menus::TMenuItem::GetHint(),
                      [this](const std::string& text) { Menus::TMenuItem::SetHint(text); });
}

void TUCodeMenuItem::DefineProperties(TFiler* filer) {
  Menus::TMenuItem::DefineProperties(filer);
  DefineWideProperties(filer, this);
}

void TUCodeMenuItem::Loaded() {
  Menus::TMenuItem::Loaded();
  UpdateMenuString();
}

void TUCodeMenuItem::MenuChanged(bool rebuild) {
  if (GetComponentState().Contains(csDestroying)) return;
  Menus::TMenuItem::MenuChanged(rebuild);
  // A rebuild made the parent's entries again, the siblings' too.
  Menus::TMenuItem* parent = GetParent();
  if (rebuild && parent) UpdateMenuStrings(parent);
  else UpdateMenuStrings(this);
  FixMenuBiDiProblem(this);
}

void TUCodeMenuItem::InitiateAction() {
  if (CurrentKeyboardLayout() != FKeyboardLayout) MenuChanged(false);
  Menus::TMenuItem::InitiateAction();
}

void TUCodeMenuItem::ActionChange(TObject* sender, bool checkDefaults) {
  auto* action = dynamic_cast<TCustomAction*>(sender);
  if (action && dynamic_cast<IWideCustomAction*>(action)) {
    if (!checkDefaults || GetCaption().empty()) SetCaption(WideGetActionCaption(action));
    if (!checkDefaults || GetHint().empty()) SetHint(WideGetActionHint(action));
  }
  Menus::TMenuItem::ActionChange(sender, checkDefaults);
}

TClass TUCodeMenuItem::GetActionLinkClass() const { return TUCodeMenuActionLink::StaticClass(); }

void TUCodeMenuItem::UpdateMenuString() {
  FKeyboardLayout = CurrentKeyboardLayout();
  if (!Win32PlatformIsUnicode) return;
  Menus::TMenuItem* parent = GetParent();
  if (!GetVisible() || !parent || !parent->HandleAllocated() || !GetParentMenu() ||
      GetComponentState().Contains(csLoading) || GetComponentState().Contains(csDestroying))
    return;
  HMENU menu = parent->GetHandle();
  UINT position = EntryPosition(this);
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE;
  if (!GetMenuItemInfoW(menu, position, TRUE, &info) || (info.fType & (MFT_BITMAP | MFT_SEPARATOR | MFT_OWNERDRAW)))
    return;
  std::wstring text = GetCaption();
  if (ShowsShortCut()) {
    std::wstring keys = WideShortCutToText(GetShortCut());
    if (!keys.empty()) text += L"\t" + keys;
  }
  if (EntryString(menu, position) == text) return;
  info.fMask = MIIM_STRING;
  info.dwTypeData = text.data();
  info.cch = static_cast<UINT>(text.size());
  SetMenuItemInfoW(menu, position, TRUE, &info);
  if (IsTopOfMainMenu() && GetParentMenu()->GetWindowHandle()) DrawMenuBar(GetParentMenu()->GetWindowHandle());
}

// The library draws background, check mark and selection; the text is drawn here, wide: the
// caption, the shortcut or both (measuring).
void TUCodeMenuItem::DoDrawText(TCanvas* canvas, const std::string& caption, RECT& rect, bool selected, UINT flags,
                                TMenuItemText which) {
  if (!Win32PlatformIsUnicode) {
    Menus::TMenuItem::DoDrawText(canvas, caption, rect, selected, flags, which);
    return;
  }
  std::wstring text;
  if (which != mtShortCut) text = GetCaption();
  if (which == mtShortCut) text = WideShortCutToText(GetShortCut());
  if (which == mtCaptionAndShortCut) {
    std::wstring keys = WideShortCutToText(GetShortCut());
    if (!keys.empty()) text += L"\t" + keys;
  }
  if ((flags & DT_CALCRECT) && (text.empty() || text == L"&")) text += L' ';
  TMenu* menu = GetParentMenu();
  if (menu && menu->IsRightToLeft()) flags |= DT_RIGHT | DT_RTLREADING;
  if (GetDefault()) canvas->GetFont()->SetStyle(canvas->GetFont()->GetStyle() | fsBold);
  canvas->RequiredState(csHandleValid | csFontValid);
  HDC dc = canvas->GetHandle();
  SetBkMode(dc, TRANSPARENT);
  const int length = static_cast<int>(text.size());
  if (!GetEnabled() && !(flags & DT_CALCRECT)) {
    // Etched: a highlight copy one pixel down and right, the grey text over it.
    OffsetRect(&rect, 1, 1);
    SetTextColor(dc, ColorToRGB(clBtnHighlight));
    WideDrawText(dc, text.c_str(), length, &rect, flags);
    OffsetRect(&rect, -1, -1);
    bool invisible = selected && ColorToRGB(clHighlight) == ColorToRGB(clGrayText);
    SetTextColor(dc, ColorToRGB(invisible ? clBtnHighlight : clGrayText));
  } else {
    SetTextColor(dc, ColorToRGB(canvas->GetFont()->GetColor()));
  }
  WideDrawText(dc, text.c_str(), length, &rect, flags);
}

// The caption and hint are stored with the form only while no action supplies them.
void TUCodeMenuItem::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TUCodeMenuItem>();
  p.WideString("Caption", &TUCodeMenuItem::GetCaption, &TUCodeMenuItem::SetCaption, [](TUCodeMenuItem* item) {
    return !item->GetActionLink() || !item->GetActionLink()->IsCaptionLinked();
  });
  p.WideString("Hint", &TUCodeMenuItem::GetHint, &TUCodeMenuItem::SetHint, [](TUCodeMenuItem* item) {
    return !item->GetActionLink() || !item->GetActionLink()->IsHintLinked();
  });
}

// ---- subtree routines -----------------------------------------------------------------------

void UpdateMenuStrings(Menus::TMenuItem* item) {
  if (auto* wide = dynamic_cast<TUCodeMenuItem*>(item)) wide->UpdateMenuString();
  for (int i = 0; i < item->GetCount(); ++i) UpdateMenuStrings(item->GetItem(i));
}

void FixMenuBiDiProblem(Menus::TMenuItem* item) {
  if (!SysLocale().MiddleEast || !item) return;
  TMenu* menu = item->GetParentMenu();
  if (!menu || !menu->IsRightToLeft()) return;
  for (int i = 0; i < item->GetCount(); ++i) {
    Menus::TMenuItem* first = item->GetItem(i);
    if (!first->GetVisible()) continue;
    if (auto* wide = dynamic_cast<TUCodeMenuItem*>(first)) wide->UpdateMenuString();
    return;
  }
}

std::wstring WideGetMenuItemHint(Menus::TMenuItem* item) {
  if (auto* wide = dynamic_cast<TUCodeMenuItem*>(item)) return wide->GetHint();
  return AnsiToWide(item->GetHint());
}

void WideMenuSelectHint(const std::vector<TMenu*>& menus, const TMessage& message, bool clearUnknown) {
  if (!UCodeApplication) return;
  const UINT flags = HIWORD(message.WParam);
  auto handle = reinterpret_cast<HMENU>(message.LParam);
  const bool closed = flags == 0xFFFF && !handle;
  Menus::TMenuItem* item = nullptr;
  for (size_t i = 0; i < menus.size() && !closed && !item; ++i)
    item = (flags & MF_POPUP)
               ? menus[i]->FindItem(reinterpret_cast<UINT_PTR>(GetSubMenu(handle, LOWORD(message.WParam))), fkHandle)
               : menus[i]->FindItem(LOWORD(message.WParam), fkCommand);
  if (item) UCodeApplication->SetHint(WideGetLongHint(WideGetMenuItemHint(item)));
  else if (closed || clearUnknown) UCodeApplication->SetHint(std::wstring());
}

// ---- TUCodeMainMenu -------------------------------------------------------------------------

bool TUCodeMainMenu::DispatchMenuMessage(TMessage& message) {
  if (message.Msg == WM_MENUSELECT) WideMenuSelectHint({this}, message, false);
  return Menus::TMainMenu::DispatchMenuMessage(message);
}

// After the library made the bar's entries again (or took a window), the wide texts go back in.
void TUCodeMainMenu::MenuChanged(TObject* sender, Menus::TMenuItem* source, bool rebuild) {
  Menus::TMainMenu::MenuChanged(sender, source, rebuild);
  if (rebuild || !source) UpdateMenuStrings(GetItems());
}

// ---- TUCodePopupList ------------------------------------------------------------------------

void TUCodePopupList::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_MENUSELECT: {
      std::vector<TMenu*> menus;
      for (int i = 0; i < GetCount(); ++i) menus.push_back(GetMenu(i));
      WideMenuSelectHint(menus, message, true);
      break;
    }
    case WM_INITMENUPOPUP:
      for (int i = 0; i < GetCount(); ++i) {
        Menus::TMenuItem* item = GetMenu(i)->FindItem(message.WParam, fkHandle);
        if (item) UpdateMenuStrings(item);
      }
      break;
    case WM_ENTERMENULOOP:
      for (int i = 0; i < GetCount(); ++i) FixMenuBiDiProblem(GetMenu(i)->GetItems());
      break;
  }
  TPopupList::WndProc(message);
}

void InitUCodeMenus() {
  if (!dynamic_cast<TUCodePopupList*>(PopupList)) SetPopupList(new TUCodePopupList);
}
