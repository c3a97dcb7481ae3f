// Menus: menu items with captions, hints, shortcuts and sub-items, the main menu of a form, popup
// menus with the popup list that receives their commands (shortcut texts are in Controls.h).
//
// Native menus are built with the 8-bit menu functions. Every change of an item (caption,
// check mark, sub-items, ...) updates the native menu and then runs the item's virtual
// MenuChanged, which passes the change up to the menu's virtual MenuChanged: a derived class that
// keeps its own texts rewrites the native entries after the inherited call.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "classlib/ActnList.h"
#include "classlib/Classes.h"
#include "classlib/Controls.h"
#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "classlib/SysUtils.h"

class TMenu;
// The library's menu item and menu bar stand in this namespace: the Unicode layer declares the
// wide classes under the global names TMenuItem and TMainMenu that the windows use.
namespace Menus {
class TMenuItem;
class TMainMenu;
}  // namespace Menus

// ---------------------------------------------------------------------------------------------
class TMenuActionLink : public TActionLink {
  KX_CLASS(TMenuActionLink, TActionLink)
 public:
  explicit TMenuActionLink(Menus::TMenuItem* client);
  Menus::TMenuItem* GetClient() const { return FClient; }
  bool IsCaptionLinked() const override;
  bool IsHintLinked() const override;
  bool IsCheckedLinked() const override;
  bool IsEnabledLinked() const override;
  bool IsShortCutLinked() const override;
  bool IsVisibleLinked() const override;
  bool IsOnExecuteLinked() const override;
  void SetCaption(const std::string& value) override;
  void SetHint(const std::string& value) override;
  void SetChecked(bool value) override;
  void SetEnabled(bool value) override;
  void SetShortCut(WORD value) override;
  void SetVisible(bool value) override;

 protected:
  Menus::TMenuItem* FClient;
};

// Menu action-link classes are made by class: each registers how it is made.
void RegisterMenuActionLinkClass(TClass linkClass, TMenuActionLink* (*factory)(Menus::TMenuItem* client));

using TMenuDrawItemEvent = TEvent<void(TObject*, TCanvas*, const RECT&, bool selected)>;
using TMenuMeasureItemEvent = TEvent<void(TObject*, TCanvas*, int& width, int& height)>;

// Which text of an item an owner-drawn item draws or measures.
enum TMenuItemText { mtCaption, mtShortCut, mtCaptionAndShortCut };

// ---------------------------------------------------------------------------------------------
namespace Menus {

class TMenuItem : public TComponent {
  KX_COMPONENT(TMenuItem, TComponent)
 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  // Texts and state (8-bit).
  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& value);
  const std::string& GetHint() const { return FHint; }
  void SetHint(const std::string& value);
  TShortCut GetShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut value);
  bool GetChecked() const { return FChecked; }
  void SetChecked(bool value);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool value);
  bool GetDefault() const { return FDefault; }  // drawn bold
  void SetDefault(bool value);
  bool GetRadioItem() const { return FRadioItem; }
  void SetRadioItem(bool value);
  int GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int value) { FGroupIndex = value; }
  bool GetAutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool value) { FAutoCheck = value; }
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value);
  // A bitmap shown in place of the caption (a bitmap entry of the native menu).
  TBitmap* GetBitmap();
  void SetBitmap(TBitmap* value);
  // A caption of "-" makes a separator.
  bool IsLine() const { return FCaption == "-"; }

  // Sub-items. Inserting an item that has a parent, or an item of another menu kind, raises
  // EMenuError; items inserted here are freed with this item.
  int GetCount() const { return static_cast<int>(FItems.size()); }
  TMenuItem* GetItem(int index) const;
  TMenuItem* operator[](int index) const { return GetItem(index); }
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  void Delete(int index);
  void Clear();  // frees the sub-items
  int IndexOf(const TMenuItem* item) const;
  // The sub-item of that caption (hot-key marks and case ignored), or nullptr.
  TMenuItem* Find(const std::string& caption) const;
  TMenuItem* GetParent() const { return FParent; }
  int GetMenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }
  void SetMenuIndex(int value);
  // The menu this item belongs to, through its parents; nullptr while it belongs to none.
  TMenu* GetParentMenu() const;
  // The native menu that shows this item's entry (the parent's sub-menu handle), or nullptr.
  HMENU GetParentHandle() const;

  // Native identity: the command of the item's entry and the handle of its own sub-menu
  // (made on first use, with the sub-items' entries).
  UINT GetCommand() const { return FCommand; }
  HMENU GetHandle();
  bool HandleAllocated() const { return FHandle != nullptr; }

  // Actions.
  TBasicAction* GetAction() const;
  void SetAction(TBasicAction* value);
  TMenuActionLink* GetActionLink() const { return FActionLink.get(); }
  virtual void ActionChange(TObject* sender, bool checkDefaults);
  virtual TClass GetActionLinkClass() const;

  // Runs the action or OnClick (a parent item's when its sub-menu opens); AutoCheck toggles.
  virtual void Click();

  // Virtual operations in this order: owner-drawn text, measuring, change notification,
  // action update before the item is used. DoDrawText draws (or with DT_CALCRECT measures) one
  // text of the item: `which` says whether `caption` is the caption, the shortcut's text or both
  // joined by a tab.
  virtual void DoDrawText(TCanvas* canvas, const std::string& caption, RECT& rect, bool selected,
                          UINT flags, TMenuItemText which);
  virtual void MeasureItem(TCanvas* canvas, int& width, int& height);
  // Called after every change of the item and after every rebuild of the native entries
  // (rebuild: the entries were made again); passes the change on to the parent and the menu.
  virtual void MenuChanged(bool rebuild);
  virtual void InitiateAction();

  // Draws the item (owner-drawn menus): background, check mark, then the text.
  void DrawItem(TCanvas* canvas, RECT rect, bool selected);

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* value) override;

  TNotifyEvent OnClick;
  TMenuDrawItemEvent OnDrawItem;
  TMenuMeasureItemEvent OnMeasureItem;

  static void DeclareProperties(TPropertyTable& table);

 protected:
  void Loaded() override;
  void BeforeDestruction() override;
  // A sub-item changed; the default passes it further up.
  virtual void SubItemChanged(TMenuItem* sender, TMenuItem* source, bool rebuild);
  // Makes the entries of the own sub-menu again (when it has one).
  void RebuildHandle();
  // Rewrites the entry of the sub-item in the own sub-menu.
  void UpdateEntry(TMenuItem* item);
  // The native entry of this item: its type, state, text and sub-menu.
  MENUITEMINFOA EntryInfo(std::string& text);
  // The native type of the entry: MFT_STRING, MFT_SEPARATOR, MFT_BITMAP or MFT_OWNERDRAW.
  UINT EntryType() const;
  std::string EntryText() const;
  // Whether the entry shows a shortcut (not on the bar's own items nor on items with sub-items).
  bool ShowsShortCut() const;
  // An item that stands on a menu bar itself.
  bool IsTopOfMainMenu() const;

 private:
  friend class ::TMenu;
  void InsertItem(int index, TMenuItem* item);
  void DetachItem(TMenuItem* item);
  void SubItemsChanged(bool countCrossedZero);
  void DestroyHandle();
  void TurnSiblingsOff();
  void DoActionChange(TObject* sender);
  void ChangeState(bool& field, bool value);

  std::string FCaption;
  std::string FHint;
  TShortCut FShortCut = scNone;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  bool FDefault = false;
  bool FRadioItem = false;
  bool FAutoCheck = false;
  int FGroupIndex = 0;
  int FImageIndex = -1;
  std::unique_ptr<TBitmap> FBitmap;
  std::vector<TMenuItem*> FItems;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;  // set on the root item of a menu only
  UINT FCommand = 0;
  HMENU FHandle = nullptr;
  std::unique_ptr<TMenuActionLink> FActionLink;
};

}  // namespace Menus

// What FindItem looks for.
enum TFindItemKind { fkCommand, fkHandle, fkShortCut };

using TMenuChangeEvent = TEvent<void(TObject* sender, Menus::TMenuItem* source, bool rebuild)>;

// ---------------------------------------------------------------------------------------------
// A menu: the root item of its items, their native menu and the dispatch of its commands.
class TMenu : public TComponent {
  KX_COMPONENT(TMenu, TComponent)
 public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;

  Menus::TMenuItem* GetItems() const { return FItems; }
  // The native menu (a menu bar for a main menu, a popup menu otherwise).
  HMENU GetHandle() { return FItems->GetHandle(); }
  // The window that shows the menu (a main menu's form), for redrawing the menu bar.
  HWND GetWindowHandle() const { return FWindowHandle; }
  void SetWindowHandle(HWND value);
  bool GetOwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool value);
  TBiDiMode GetBiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode value) { FBiDiMode = value; }
  bool IsRightToLeft() const { return FBiDiMode != bdLeftToRight; }

  // The item with that command, sub-menu handle or shortcut, or nullptr.
  Menus::TMenuItem* FindItem(UINT_PTR value, TFindItemKind kind) const;
  // Clicks the item of the command; false when the menu has none.
  bool DispatchCommand(WORD command);
  // Clicks the item whose sub-menu opens; false when the menu has none.
  bool DispatchPopup(HMENU subMenu);
  // A key down (WM_KEYDOWN or WM_SYSKEYDOWN record): clicks the enabled, visible item of that
  // shortcut; false when the menu has none.
  virtual bool IsShortCut(TMessage& key);

  // Called after every change in the item tree (and every rebuild of native entries).
  virtual void MenuChanged(TObject* sender, Menus::TMenuItem* source, bool rebuild);
  // Hands the menu messages of a window to the menu: commands, sub-menus opening, selection
  // (the item's hint becomes the application's hint), owner drawing and measuring; false when
  // the message is not the menu's (or the window should go on with it).
  bool DispatchWindowMessage(TMessage& message);

  TMenuChangeEvent OnChange;

  static void DeclareProperties(TPropertyTable& table);

 protected:
  // True for a menu whose native menu is a menu bar.
  virtual bool IsMenuBar() const { return false; }
  // Lets the items run their actions' updates (before the menu is shown).
  void UpdateItems();

 private:
  friend class Menus::TMenuItem;
  Menus::TMenuItem* FItems;
  HWND FWindowHandle = nullptr;
  bool FOwnerDraw = false;
  TBiDiMode FBiDiMode = bdLeftToRight;
};

namespace Menus {

// The menu bar of a form: set it as the form's Menu.
class TMainMenu : public TMenu, public IFormMenu {
  KX_COMPONENT(TMainMenu, TMenu)
 public:
  explicit TMainMenu(TComponent* owner);

  bool DispatchMenuMessage(TMessage& message) override;
  HMENU AttachMenuBar(HWND window) override;
  void DetachMenuBar(HWND window) override;
  bool IsShortCutKey(TMessage& key) override { return IsShortCut(key); }
  void MenuChanged(TObject* sender, TMenuItem* source, bool rebuild) override;

 protected:
  bool IsMenuBar() const override { return true; }
};

}  // namespace Menus

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
  KX_COMPONENT(TPopupMenu, TMenu)
 public:
  explicit TPopupMenu(TComponent* owner);
  ~TPopupMenu() override;

  // Shows the menu at a screen position and runs it until the user chooses or leaves; the
  // chosen item's OnClick runs through the popup list's window.
  virtual void Popup(int x, int y);
  TComponent* GetPopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* value) { FPopupComponent = value; }
  TPopupAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TPopupAlignment value) { FAlignment = value; }
  bool GetAutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool value) { FAutoPopup = value; }

  TNotifyEvent OnPopup;

  static void DeclareProperties(TPropertyTable& table);

 protected:
  virtual void DoPopup(TObject* sender);

 private:
  friend class TPopupList;
  TComponent* FPopupComponent = nullptr;
  TPopupAlignment FAlignment = paLeft;
  bool FAutoPopup = true;
};

// ---------------------------------------------------------------------------------------------
// The popup menus of the program and the hidden window that receives their commands while one
// is shown. One instance (PopupList); a derived list can take over the instance's window.
class TPopupList : public TList {
  KX_CLASS(TPopupList, TList)
 public:
  TPopupList();
  ~TPopupList() override;

  // The hidden window (made on first use; nullptr without a display).
  HWND GetWindow();
  TPopupMenu* GetMenu(int index) const { return static_cast<TPopupMenu*>(Get(index)); }
  // Moves the window and the menus of `previous` to this list; the window's messages then
  // reach this list's WndProc. `previous` is left empty and may be freed.
  void TakeOver(TPopupList* previous);

 protected:
  // Commands, sub-menus opening, selection and owner drawing of the popup menus, then the
  // window's default handling.
  virtual void WndProc(TMessage& message);

 private:
  void MainWndProc(TMessage& message);
  void DestroyWindowAndInstance();

  HWND FWindow = nullptr;
  WNDPROC FInstance = nullptr;
};

// The program's popup list. Replace it with SetPopupList (the new list takes over the window).
extern TPopupList* PopupList;
// The program's popup list, made on first use.
TPopupList* GetPopupList();
void SetPopupList(TPopupList* replacement);

KX_EXCEPTION(EMenuError, Exception)

// Registers the menu classes for form descriptions.
void RegisterMenuClasses();
