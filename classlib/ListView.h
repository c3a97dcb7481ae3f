// List views: items with 8-bit captions and sub-items held by the library, columns, sorting,
// in-place editing and owner data, over the system's list view control.
//
// How the window is kept in step (other layers rely on these message sequences):
// - items enter the window with LPSTR_TEXTCALLBACK and their TListItem as parameter; the texts,
//   images, indents and state images are answered from the item objects (LVN_GETDISPINFOA);
// - a caption change sends LVM_SETITEMTEXTA for sub-item 0 with the callback text, a sub-item
//   change LVM_SETITEMTEXTA for its sub-item S (1-based), and the end of an update of the
//   sub-items, or a change that moves them, LVM_UPDATE;
// - AlphaSort and the automatic sort send LVM_SORTITEMS with DefaultListViewSort;
// - the automatic sort of SortType follows a caption (or, for data sorts, a data) change: at
//   once without a window, at the end of an update of the items, and otherwise once the
//   message that changed the item has been handled (posted CM_LISTVIEWSORT), so that an item
//   is sorted with its sub-items in place and many changes sort once;
// - columns enter with LVM_INSERTCOLUMNA and get their text only through LVM_SETCOLUMNA
//   (LVCF_TEXT); they leave with LVM_DELETECOLUMN;
// - extended styles go through LVM_SETEXTENDEDLISTVIEWSTYLE;
// - a new window gets the items again, each caption and then each sub-item through
//   LVM_SETITEMTEXTA (sub-item 0, then 1, 2, ...).
#pragma once

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Classes.h"
#include "classlib/Controls.h"
#include "classlib/ImgList.h"
#include "classlib/StdLists.h"
#include "classlib/WinApi.h"

#include <commctrl.h>

class TCustomListView;
class TListItems;
class TListItem;

// Posted by a list view to itself: run the automatic sort that waits.
constexpr UINT CM_LISTVIEWSORT = CM_BASE + 200;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
enum TSortType { stNone, stData, stText, stBoth };
enum TItemFind { ifData, ifPartialString, ifExactString, ifNearest };
enum TSearchDirection { sdLeft, sdRight, sdAbove, sdBelow, sdAll };
enum TItemChange { ctText, ctImage, ctState };

// What an owner-data fetch is asked for (bits).
using TItemRequest = unsigned;
constexpr TItemRequest irText = 1, irImage = 2, irParam = 4, irState = 8, irIndent = 16;

// The system's compare callback of LVM_SORTITEMS: the two items' parameters (TListItem*) and
// the sort data.
using TLVCompare = int(CALLBACK*)(LPARAM item1, LPARAM item2, LPARAM data);
// The library's own compare routine: OnCompare of the items' list view when assigned, else
// the 8-bit captions by lstrcmpA.  AlphaSort passes it; another layer may recognise it.
int CALLBACK DefaultListViewSort(LPARAM item1, LPARAM item2, LPARAM data);

using TLVCompareEvent = TEvent<void(TObject*, TListItem*, TListItem*, int, int&)>;
using TLVColumnClickEvent = TEvent<void(TObject*, class TListColumn*)>;
using TLVEditingEvent = TEvent<void(TObject*, TListItem*, bool&)>;
using TLVEditedEvent = TEvent<void(TObject*, TListItem*, std::string&)>;
using TLVChangeEvent = TEvent<void(TObject*, TListItem*, TItemChange)>;
using TLVSelectItemEvent = TEvent<void(TObject*, TListItem*, bool)>;
using TLVOwnerDataEvent = TEvent<void(TObject*, TListItem*)>;
using TLVOwnerDataFindEvent = TEvent<void(TObject*, TItemFind, const std::string&, const POINT&, void*, int,
                                          TSearchDirection, bool, int&)>;
using TLVInfoTipEvent = TEvent<void(TObject*, TListItem*, std::string&)>;
using TLVDrawItemEvent = TEvent<void(TCustomListView*, TListItem*, const RECT&, TOwnerDrawState)>;

// ---------------------------------------------------------------------------------------------
// Columns.
class TListColumn : public TCollectionItem {
  KX_CLASS(TListColumn, TCollectionItem)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TListColumn(TCollection* collection);
  ~TListColumn() override;

  const std::string& GetCaption() const { return FCaption; }
  virtual void SetCaption(const std::string& value);
  // With a window: the window's width (the user may have dragged it).
  int GetWidth();
  void SetWidth(int value);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value);
  int GetMinWidth() const { return FMinWidth; }
  void SetMinWidth(int value) { FMinWidth = value; }
  int GetMaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int value) { FMaxWidth = value; }
  void Assign(TPersistent* source) override;
  std::string GetDisplayName() const override;
  TCustomListView* GetListView() const;
  int WithinLimits(int width) const;

 private:
  friend class TCustomListView;
  std::string FCaption;
  int FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = false;
  int FImageIndex = -1;
  int FMinWidth = 0;
  int FMaxWidth = 0;
};

// The column collection of a list view.  Another layer may give the list view a collection of
// its own column class (TCustomListView::ReplaceColumns).
class TListColumns : public TCollection {
  KX_CLASS(TListColumns, TCollection)
 public:
  explicit TListColumns(TCustomListView* owner, TCollectionItemFactory factory = &NewCollectionItem<TListColumn>);
  TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
  TListColumn* GetItem(int index) const { return static_cast<TListColumn*>(TCollection::GetItem(index)); }
  TListColumn* operator[](int index) const { return GetItem(index); }
  TCustomListView* GetOwnerListView() const { return FListView; }

 protected:
  void Update(TCollectionItem* item) override;
  void Notify(TCollectionItem* item, TCollectionNotification action) override;

 private:
  friend class TListColumn;
  friend class TCustomListView;
  TCustomListView* FListView;
  TCollectionItem* FConstructing = nullptr;  // added, its own constructor still running
};

// ---------------------------------------------------------------------------------------------
// The 8-bit sub-items of one item: every change reaches the window.
class TSubItems : public TStringList {
  KX_CLASS(TSubItems, TStringList)
 public:
  explicit TSubItems(TListItem* owner) : FOwner(owner) {}
  void Put(int index, const std::string& text) override;
  void Delete(int index) override;
  void Clear() override;
  void Exchange(int index1, int index2) override;
  TListItem* GetOwnerItem() const { return FOwner; }

 protected:
  void InsertItem(int index, const std::string& text, TObject* object) override;
  void SetUpdateState(bool updating) override;

 private:
  TListItem* FOwner;
};

class TListItem : public TPersistent {
  KX_CLASS(TListItem, TPersistent)
 public:
  explicit TListItem(TListItems* owner);
  ~TListItem() override;
  TListItem(const TListItem&) = delete;
  TListItem& operator=(const TListItem&) = delete;

  TListItems* GetOwner() const { return FOwner; }
  TCustomListView* GetListView() const;
  // The position in the list (for owner data, the index fetched last); -1 when not listed.
  int GetIndex() const;

  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& value);
  TStrings* GetSubItems() const { return FSubItems.get(); }
  void SetSubItems(TStrings* value) { FSubItems->Assign(value); }
  void* GetData() const { return FData; }
  void SetData(void* value);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value);
  int GetIndent() const { return FIndent; }
  void SetIndent(int value);
  int GetOverlayIndex() const { return FOverlayIndex; }
  void SetOverlayIndex(int value);
  int GetStateIndex() const { return FStateIndex; }
  void SetStateIndex(int value);
  bool GetChecked();
  void SetChecked(bool value);
  bool GetSelected();
  void SetSelected(bool value);
  bool GetFocused();
  void SetFocused(bool value);

  // Removes the item from its list and frees it.
  void Delete();
  // Starts in-place editing of the caption (the window is made and focused); false when the
  // list view refuses.
  bool EditCaption();
  void MakeVisible(bool partialOK);
  // Caption, sub-items, data, images, indent and checked state of another item.
  void Assign(TPersistent* source) override;

 protected:
  friend class TListItems;
  friend class TCustomListView;
  friend class TSubItems;
  bool GetState(UINT mask, bool held);
  void SetState(UINT mask, bool value, bool& held);
  // The window learns that sub-item `subItem` (1-based) changed; -1: all of them.
  void SubItemChanged(int subItem);
  void RedrawItem();

  TListItems* FOwner;
  std::string FCaption;
  std::unique_ptr<TSubItems> FSubItems;
  void* FData = nullptr;
  int FImageIndex = -1;
  int FIndent = 0;
  int FOverlayIndex = -1;
  int FStateIndex = -1;
  // The states while the list view has no window.
  bool FChecked = false;
  bool FSelected = false;
  bool FFocused = false;
};

// List items are made by class too (another layer chooses the class of a list's items): each
// item class registers how it is made.
using TListItemFactory = TListItem* (*)(TListItems* owner);
void RegisterListItemClass(TClass itemClass, TListItemFactory factory);
template <class T>
void RegisterListItemClass() {
  RegisterListItemClass(T::StaticClass(), [](TListItems* owner) -> TListItem* { return new T(owner); });
}
// A new item of the class, or of its nearest registered ancestor, for `owner`.
TListItem* CreateListItemOfClass(TClass itemClass, TListItems* owner);

// The items of a list view, in list order (the window's order while there is one).
class TListItems : public TPersistent {
  KX_CLASS(TListItems, TPersistent)
 public:
  explicit TListItems(TCustomListView* owner);
  ~TListItems() override;
  TListItems(const TListItems&) = delete;
  TListItems& operator=(const TListItems&) = delete;

  TCustomListView* GetOwner() const { return FOwner; }
  TListItem* Add();
  TListItem* Insert(int index);
  // Puts a made item (of the list view's item class) at `index` (-1: at the end).
  TListItem* AddItem(TListItem* item, int index = -1);
  void Delete(int index);
  void Clear();
  // For owner data, the item fetched into the list view's temporary item.
  TListItem* GetItem(int index);
  TListItem* operator[](int index) { return GetItem(index); }
  int GetCount() const;
  // For owner data: the number of items the window shows.
  void SetCount(int value);
  int IndexOf(const TListItem* item) const;
  void BeginUpdate();
  void EndUpdate();
  int GetUpdateCount() const { return FUpdateCount; }
  void Assign(TPersistent* source) override;

 protected:
  friend class TCustomListView;
  friend class TListItem;
  // Takes the item out of the list (and the window) without freeing it.
  void Remove(TListItem* item);
  void InsertIntoWindow(TListItem* item, int index);

  TCustomListView* FOwner;
  std::vector<TListItem*> FItems;
  int FUpdateCount = 0;
  int FOwnerDataCount = 0;
  bool FClearing = false;
};

// The link between a list view and its action: a link of its own class, so that other layers
// can tell a list view's link by class.
class TListViewActionLink : public TControlActionLink {
  KX_CLASS(TListViewActionLink, TControlActionLink)
 public:
  explicit TListViewActionLink(TControl* client) : TControlActionLink(client) {}
};

// ---------------------------------------------------------------------------------------------
class TCustomListView : public TCustomMultiSelectListControl {
  KX_COMPONENT(TCustomListView, TCustomMultiSelectListControl)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TCustomListView(TComponent* owner);
  ~TCustomListView() override;

  // Makes a list view's item list; a list view of another layer passes its own to the
  // constructor (a virtual call from the constructor would reach this class's version).
  using TListItemsFactory = TListItems* (*)(TCustomListView* owner);

  TListItems* GetItems() const { return FListItems.get(); }
  void SetItems(TListItems* value) { FListItems->Assign(value); }
  TListColumns* GetColumns() const { return FListColumns.get(); }
  void SetColumns(TListColumns* value) { FListColumns->Assign(value); }
  TListColumn* Column(int index) const { return FListColumns->GetItem(index); }

  TViewStyle GetViewStyle() const { return FViewStyle; }
  void SetViewStyle(TViewStyle value);
  void SetMultiSelect(bool value) override;
  bool GetRowSelect() const { return FRowSelect; }
  void SetRowSelect(bool value);
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool value);
  bool GetCheckboxes() const { return FCheckboxes; }
  void SetCheckboxes(bool value);
  bool GetGridLines() const { return FGridLines; }
  void SetGridLines(bool value);
  bool GetColumnClick() const { return FColumnClick; }
  void SetColumnClick(bool value);
  bool GetShowColumnHeaders() const { return FShowColumnHeaders; }
  void SetShowColumnHeaders(bool value);
  bool GetOwnerData() const { return FOwnerData; }
  void SetOwnerData(bool value);
  bool GetOwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool value);
  TSortType GetSortType() const { return FSortType; }
  void SetSortType(TSortType value);
  TCustomImageList* GetSmallImages() const { return FSmallImages; }
  void SetSmallImages(TCustomImageList* value);
  TCanvas* GetCanvas() const { return FCanvas.get(); }

  // Selection.  Selected: the first selected item (nullptr when none); setting it selects
  // only that item (nullptr clears the selection).
  TListItem* GetSelected();
  void SetSelected(TListItem* item);
  int GetSelCount() override;
  TListItem* GetItemFocused();
  void SetItemFocused(TListItem* item);
  // The next item after `start` (nullptr: from the top) that has the states (LVNI_ flags).
  TListItem* GetNextItem(TListItem* start, UINT flags);
  TListItem* GetItemAt(int x, int y);
  int GetItemIndex() override;
  void SetItemIndex(int value) override;
  int GetCount() override { return FListItems->GetCount(); }
  void SelectAll() override;
  void ClearSelection() override;
  void DeleteSelected() override;
  void Clear() override { FListItems->Clear(); }
  void AddItem(const std::string& item, TObject* object) override;
  void CopySelection(TCustomListControl* destination) override;
  bool IsEditing();

  // Sorting: AlphaSort sends LVM_SORTITEMS with DefaultListViewSort; CustomSort with the given
  // routine (nullptr: the default) and data.  An error raised by OnCompare ends the sort and is
  // raised again here.
  bool AlphaSort();
  bool CustomSort(TLVCompare compare, LPARAM data);

  // The list view's item factory; another layer makes items of its own class.
  virtual TListItem* CreateListItem();
  // Whether the user may edit the caption: not ReadOnly, and OnEditing agrees.
  virtual bool CanEdit(TListItem* item);
  // Owner data: fills `item` (the temporary item) for the request; false when nothing did.
  virtual bool OwnerDataFetch(TListItem* item, TItemRequest request);
  // Owner data: the index of the item found, or -1.
  virtual int OwnerDataFind(TItemFind find, const std::string& findString, const POINT& findPosition,
                            void* findData, int startIndex, TSearchDirection direction, bool wrap);
  // The item the owner-data fetches fill; the first item the list view made.
  TListItem* GetTempItem();

  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  TClass GetActionLinkClass() const override { return TListViewActionLink::StaticClass(); }

  TLVCompareEvent OnCompare;
  TLVColumnClickEvent OnColumnClick;
  TLVEditingEvent OnEditing;
  TLVEditedEvent OnEdited;
  TLVChangeEvent OnChange;
  TLVSelectItemEvent OnSelectItem;
  TLVOwnerDataEvent OnData;
  TLVOwnerDataFindEvent OnDataFind;
  TLVInfoTipEvent OnInfoTip;
  TLVDrawItemEvent OnDrawItem;

 protected:
  friend class TListItems;
  friend class TListItem;
  friend class TListColumns;
  friend class TListColumn;
  friend int CALLBACK DefaultListViewSort(LPARAM, LPARAM, LPARAM);

  TCustomListView(TComponent* owner, TListItemsFactory makeItems);

  // Gives the list view another column collection (of another column class); the old one and
  // its columns are freed, the new one's columns shown.
  void ReplaceColumns(TListColumns* columns);
  virtual void DrawItem(TListItem* item, const RECT& rect, TOwnerDrawState state);
  virtual void ColClick(TListColumn* column);
  virtual void Edit(const LVITEMA& item);
  virtual void Change(TListItem* item, int change);
  void Dispatch(TMessage& message) override;
  void WMNotify(TMessage& message) override;
  virtual void CNNotify(TMessage& message);
  void ItemChanged(const NMLISTVIEW& change);
  int FindOwnerData(const NMHDR* header);
  void GetInfoTip(NMLVGETINFOTIPA& tip);
  void CNDrawItem(TMessage& message);
  void ImageListChange(TObject* sender);
  void Notification(TComponent* component, TOperation operation) override;

  // The window side of items and columns.
  void ApplyExtendedStyle();
  void InsertWindowColumn(TListColumn* column, int index);
  void UpdateWindowColumn(TListColumn* column);
  void RebuildWindowColumns();
  void SendItemText(int index, int subItem);
  void ResyncOrder();
  void SortItems(TLVCompare compare, LPARAM data);
  // The automatic sort of SortType, after caption or data changes.
  void SortIfNeeded(bool textChanged);
  void RunPendingSort();
  TListItem* ItemFromDisplay(const LVITEMA& item);
  void GetDispInfo(NMLVDISPINFOA& info);
  void RestoreItems();

  std::unique_ptr<TListItems> FListItems;
  std::unique_ptr<TListColumns> FListColumns;
  std::unique_ptr<TListItem> FTempItem;
  TViewStyle FViewStyle = vsIcon;
  bool FRowSelect = false;
  bool FReadOnly = false;
  bool FHideSelection = true;
  bool FCheckboxes = false;
  bool FGridLines = false;
  bool FColumnClick = true;
  bool FShowColumnHeaders = true;
  bool FOwnerData = false;
  bool FOwnerDraw = false;
  TSortType FSortType = stNone;
  bool FSortPending = false;   // an automatic sort waits (end of update, posted message)
  bool FSortPosted = false;    // CM_LISTVIEWSORT is on its way
  int FSorting = 0;            // inside a sort: no automatic sort
  std::exception_ptr FSortError;
  TCustomImageList* FSmallImages = nullptr;
  std::unique_ptr<TChangeLink> FImageChangeLink;
  std::unique_ptr<TControlCanvas> FCanvas;
  int FWindowColumns = 0;      // columns the window has
  bool FRestoring = false;     // CreateWnd puts the items back
  int FTempIndex = -1;         // the index last fetched into the temporary item
};

// The library's own 8-bit control of this name. Windows name the wide control that a layer above
// the library declares under the same name in the global namespace.
namespace ComCtrls {
KX_NAMED_COMPONENT(TListView, TCustomListView);
}  // namespace ComCtrls

// Registers the list view for form descriptions, and its action link.
void RegisterListViewClasses();
