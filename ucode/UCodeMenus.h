// Wide menus: menu items with a wide caption and hint beside the library's 8-bit ones, written
// into the native menu as wide text with the keyboard layout's own shortcut names, and drawn
// with wide text when the menu is owner-drawn; the menu bar and the popup list that keep the
// native texts wide.
#pragma once

#include <string>
#include <vector>

#include "classlib/Menus.h"

// The text of a shortcut in the current keyboard layout: the library's names for backspace,
// tab, enter, escape, space, the page and arrow keys, insert, delete and F1 to F24; for other
// keys the character the layout gives the key, else the system's name of the key; the library's
// prefixes for Shift, Ctrl and Alt in front.
std::wstring WideShortCutToText(TShortCut shortCut);

// ---------------------------------------------------------------------------------------------
class TUCodeMenuItem : public Menus::TMenuItem {
  KX_COMPONENT(TUCodeMenuItem, Menus::TMenuItem)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TUCodeMenuItem(TComponent* owner) : Menus::TMenuItem(owner) {}

  // Wide caption and hint: a wide value counts while it converts to the library's 8-bit one
  // (a moved hot key is followed); otherwise the 8-bit value, widened.
  std::wstring GetCaption();
  void SetCaption(const std::wstring& value);
  std::wstring GetHint();
  void SetHint(const std::wstring& value);
  // The keyboard layout for which the native text was last written.
  HKL GetBuiltKeyboardLayout() const { return FKeyboardLayout; }

  void DefineProperties(TFiler* filer) override;
  void DoDrawText(TCanvas* canvas, const std::string& caption, RECT& rect, bool selected, UINT flags,
                  TMenuItemText which) override;
  void MenuChanged(bool rebuild) override;
  void InitiateAction() override;
  // A wide action gives the item its wide caption and hint (when loading, only where the item
  // has none of its own); then the library takes the rest.
  void ActionChange(TObject* sender, bool checkDefaults) override;
  // Links to actions are wide menu links.
  TClass GetActionLinkClass() const override;

  // Writes the item's wide text (and shortcut) into its native entry when that is a text entry.
  void UpdateMenuString();

 protected:
  void Loaded() override;
  // The keyboard layout the native text is built for: the thread's current one.
  virtual HKL CurrentKeyboardLayout() const { return ::GetKeyboardLayout(0); }

 private:
  std::wstring FCaptionW;
  std::wstring FHintW;
  HKL FKeyboardLayout = nullptr;
};

// The wide text, rewritten into the native entries, of every wide item of the subtree.
void UpdateMenuStrings(Menus::TMenuItem* item);
// The first visible item of a right-to-left menu gets its text again (middle-east locales).
void FixMenuBiDiProblem(Menus::TMenuItem* item);
// The wide hint of a wide item, the 8-bit hint widened of any other.
std::wstring WideGetMenuItemHint(Menus::TMenuItem* item);

// The wide application hint of a WM_MENUSELECT of one of the menus: the long part of the
// selected item's wide hint; empty when the menu closed, and (with `clearUnknown`) when the
// menus hold no such item.
void WideMenuSelectHint(const std::vector<TMenu*>& menus, const TMessage& message, bool clearUnknown);

class TUCodeMainMenu : public Menus::TMainMenu {
  KX_COMPONENT(TUCodeMainMenu, Menus::TMainMenu)
 public:
  explicit TUCodeMainMenu(TComponent* owner) : Menus::TMainMenu(owner) {}
  void MenuChanged(TObject* sender, Menus::TMenuItem* source, bool rebuild) override;
  // The selected item's wide hint becomes the application's, then the library goes on.
  bool DispatchMenuMessage(TMessage& message) override;
};

// The program's popup list, taking over the library's window: wide hints of the selected items
// and wide native texts of the popup menus.
class TUCodePopupList : public TPopupList {
  KX_CLASS(TUCodePopupList, TPopupList)
 public:
  TUCodePopupList() = default;

 protected:
  void WndProc(TMessage& message) override;
};

// Replaces the library's popup list with the wide one (once).
void InitUCodeMenus();
