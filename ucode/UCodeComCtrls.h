// The wide list view: wide column captions, item captions and sub-items kept beside the
// library's 8-bit ones, a Unicode list-view window that asks for the wide texts, and sorting by
// the wide captions.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "classlib/ComCtrls.h"
#include "classlib/ListView.h"
#include "ucode/UCodeActnList.h"
#include "ucode/UCodeClasses.h"
#include "ucode/UCodeControls.h"

class TUCodeCustomListView;
class TUCodeListItem;

class TUCodeListColumn : public TListColumn {
  KX_CLASS(TUCodeListColumn, TListColumn)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TUCodeListColumn(TCollection* collection) : TListColumn(collection) {}
  // The wide caption while its 8-bit form is the library's caption, else the widened caption.
  std::wstring GetCaption();
  void SetCaption(const std::wstring& value);
  void Assign(TPersistent* source) override;
  void DefineProperties(TFiler* filer) override;

 private:
  friend class TUCodeCustomListView;
  std::wstring FWideCaption;
};

class TUCodeListColumns : public TListColumns {
  KX_CLASS(TUCodeListColumns, TListColumns)
 public:
  explicit TUCodeListColumns(TCustomListView* owner) : TListColumns(owner, &NewCollectionItem<TUCodeListColumn>) {}
  TUCodeListColumn* Add() { return static_cast<TUCodeListColumn*>(TListColumns::Add()); }
  TUCodeListColumn* GetItem(int index) const { return static_cast<TUCodeListColumn*>(TListColumns::GetItem(index)); }
  TUCodeListColumn* operator[](int index) const { return GetItem(index); }
};

// The wide sub-items of one item: each change is made to the item's 8-bit sub-items too (in
// their 8-bit form), unless mirroring is off; objects live in the 8-bit sub-items.
class TWideSubItems : public TUCodeStringList {
  KX_CLASS(TWideSubItems, TUCodeStringList)
 public:
  explicit TWideSubItems(TUCodeListItem* owner) : FOwner(owner) {}
  TObject* GetObject(int index) const override;
  void Put(int index, const std::wstring& text) override;
  void PutObject(int index, TObject* object) override;
  void Clear() override;
  void Delete(int index) override;
  // Runs `work` with mirroring off (the 8-bit sub-items changed already).
  template <class F>
  void WithoutMirror(F&& work) {
    bool previous = FMirrorOff;
    FMirrorOff = true;
    try {
      work();
    } catch (...) {
      FMirrorOff = previous;
      throw;
    }
    FMirrorOff = previous;
  }

 protected:
  void InsertItem(int index, const std::wstring& text, TObject* object) override;
  void SetUpdateState(bool updating) override;

 private:
  template <class F>
  void Change(F&& work);
  TUCodeListItem* FOwner;
  bool FMirrorOff = false;
};

class TUCodeListItem : public TListItem {
  KX_CLASS(TUCodeListItem, TListItem)
 public:
  explicit TUCodeListItem(TListItems* owner);
  ~TUCodeListItem() override;

  std::wstring GetCaption();
  void SetCaption(const std::wstring& value);
  TUCodeStrings* GetSubItems() const { return FWideSubItems.get(); }
  void SetSubItems(TUCodeStrings* value) { FWideSubItems->Assign(value); }
  TStrings* GetAnsiSubItems() const { return TListItem::GetSubItems(); }
  // Wide caption and sub-items from another wide item, besides what the library copies.
  void Assign(TPersistent* source) override;
  TUCodeCustomListView* GetWideListView() const;

 private:
  friend class TUCodeCustomListView;
  friend class TWideSubItems;
  friend void WideSetListItemSubItem(TListItem* item, int index, const std::wstring& text);
  // Brings the wide sub-items in step with the 8-bit ones (those whose 8-bit form still
  // matches are kept).
  void SyncSubItems();
  void SyncSubItem(int index);
  std::wstring FWideCaption;
  std::unique_ptr<TWideSubItems> FWideSubItems;
};

class TUCodeListItems : public TListItems {
  KX_CLASS(TUCodeListItems, TListItems)
 public:
  explicit TUCodeListItems(TCustomListView* owner) : TListItems(owner) {}
  TUCodeListItem* Add() { return static_cast<TUCodeListItem*>(TListItems::Add()); }
  TUCodeListItem* Insert(int index) { return static_cast<TUCodeListItem*>(TListItems::Insert(index)); }
  TUCodeListItem* GetItem(int index) { return static_cast<TUCodeListItem*>(TListItems::GetItem(index)); }
  TUCodeListItem* operator[](int index) { return GetItem(index); }
};

// The list view names the class of its items through this event; the class must descend from
// TUCodeListItem.
using TLVCreateItemClassEvent = TEvent<void(TCustomListView*, TClass&)>;
// The end of an in-place edit with the wide text, which the handler may change.
using TLVEditedWEvent = TEvent<void(TObject*, TListItem*, std::wstring&)>;
// An owner-data find with its wide search text; the handler sets the index found (-1: none).
using TLVOwnerDataFindWEvent = TEvent<void(TObject*, TItemFind, const std::wstring&, const POINT&, void*, int,
                                           TSearchDirection, bool, int&)>;

// The library's owner-data fetch and find, handed on to their wide forms.
class _UCodeInternalCustomListView : public TUCodeWideControl<TCustomListView> {
  KX_CLASS(_UCodeInternalCustomListView, TUCodeWideControl<TCustomListView>)
 public:
  bool OwnerDataFetch(TListItem* item, TItemRequest request) override;
  // The wide search text of the find being answered, else the library's 8-bit one widened.
  int OwnerDataFind(TItemFind find, const std::string& findString, const POINT& findPosition, void* findData,
                    int startIndex, TSearchDirection direction, bool wrap) override;

 protected:
  _UCodeInternalCustomListView(TComponent* owner, TListItemsFactory makeItems)
      : TUCodeWideControl(owner, makeItems) {}
  virtual bool OwnerDataFetchW(TListItem* item, TItemRequest request) = 0;
  virtual int OwnerDataFindW(TItemFind find, const std::wstring& findString, const POINT& findPosition,
                             void* findData, int startIndex, TSearchDirection direction, bool wrap) = 0;

  // While an owner-data find of the window is answered: its wide search text (nullptr when it
  // searches by something else).
  const wchar_t* FWideFindText = nullptr;
};

class TUCodeCustomListView : public _UCodeInternalCustomListView, public IWideCustomListControl {
  KX_COMPONENT(TUCodeCustomListView, _UCodeInternalCustomListView)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TUCodeCustomListView(TComponent* owner);
  ~TUCodeCustomListView() override;

  TUCodeListItems* GetItems() const { return static_cast<TUCodeListItems*>(TCustomListView::GetItems()); }
  TUCodeListColumns* GetColumns() const { return static_cast<TUCodeListColumns*>(TCustomListView::GetColumns()); }
  TUCodeListColumn* Column(int index) const { return GetColumns()->GetItem(index); }
  TUCodeListItem* GetSelected() { return static_cast<TUCodeListItem*>(TCustomListView::GetSelected()); }
  void SetSelected(TListItem* item) { TCustomListView::SetSelected(item); }

  void AddItemW(const std::wstring& item, TObject* object) override;
  void CopySelection(TCustomListControl* destination) override;
  // An item of the class OnCreateItemClass names (TUCodeListItem without the event).
  TListItem* CreateListItem() override;
  void CreateWindowHandle(const TCreateParams& params) override;
  void WndProc(TMessage& message) override;

  // A wide caption change in progress: the window's text messages are not read back into the
  // wide texts meanwhile.
  void BeginWideChange() { ++FWideChanges; }
  void EndWideChange() {
    if (FWideChanges > 0) --FWideChanges;
  }

  TLVCreateItemClassEvent OnCreateItemClass;
  // Before OnEdited: with it assigned, OnEdited is not called.
  TLVEditedWEvent OnEditedW;
  // Before OnDataFind: with it assigned, OnDataFind is not called.
  TLVOwnerDataFindWEvent OnDataFindW;

 protected:
  void CNNotify(TMessage& message) override;
  void WMNotify(TMessage& message) override;
  void DrawItem(TListItem* item, const RECT& rect, TOwnerDrawState state) override;
  // The fetch starts from an empty wide caption (or the text the window's buffer holds) and no
  // wide sub-items, then OnData fills the item.
  bool OwnerDataFetchW(TListItem* item, TItemRequest request) override;
  int OwnerDataFindW(TItemFind find, const std::wstring& findString, const POINT& findPosition, void* findData,
                     int startIndex, TSearchDirection direction, bool wrap) override;

 private:
  static int CALLBACK WideListViewSort(LPARAM item1, LPARAM item2, LPARAM data);
  TUCodeListItem* ItemAt(int index);
  void GetDispInfoW(TMessage& message, NMLVDISPINFOW& info);
  void FindItemW(TMessage& message, NMLVFINDITEMW& find);
  void EndLabelEditW(TMessage& message, const LVITEMW& record);
  // The in-place editor's keys reach the list view's key events.
  void HookEditor();
  void UnhookEditor();
  void EditorWndProc(TMessage& message);
  void EditorMessage(TMessage& message);

  int FWideChanges = 0;
  // The text request being answered, and what it asked for.
  NMLVDISPINFOW* FDispInfo = nullptr;
  UINT FDispInfoMask = 0;
  WNDPROC FEditorStub = nullptr;
  HWND FEditor = nullptr;
  WNDPROC FEditorPrevProc = nullptr;
};

KX_NAMED_COMPONENT(TUCodeListView, TUCodeCustomListView);

// ---------------------------------------------------------------------------------------------
// Page controls, tab sheets and progress bars with wide captions and hints.

class TUCodeTabSheet : public TUCodeWideCaptionControl<ComCtrls::TTabSheet> {
  KX_COMPONENT(TUCodeTabSheet, TUCodeWideCaptionControl<ComCtrls::TTabSheet>)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TUCodeTabSheet(TComponent* owner) : TUCodeWideCaptionControl(owner) {}
  void CreateWindowHandle(const TCreateParams& params) override;

 protected:
  // An 8-bit caption given before the sheet has a window becomes its wide caption.
  void Dispatch(TMessage& message) override;

 private:
  bool FSettingText = false;
};

class TUCodePageControl : public TUCodeWideControl<ComCtrls::TPageControl> {
  KX_COMPONENT(TUCodePageControl, TUCodeWideControl<ComCtrls::TPageControl>)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TUCodePageControl(TComponent* owner) : TUCodeWideControl(owner) {}
  void CreateWindowHandle(const TCreateParams& params) override;
  // The tabs show the sheets' wide captions.
  void WndProc(TMessage& message) override;

 protected:
  // The sheets' wide captions hold the accelerators.
  bool IsSheetAccel(ComCtrls::TTabSheet* page, TMessage& dialogChar) override;
  // A docked control gets a wide sheet; a docked form's wide caption names its tab, and a
  // client's later text changes do, up to the first line break.
  ComCtrls::TTabSheet* NewDockSheet(TControl* client) override;
  void CMDockNotification(TMessage& message) override;
};

class TUCodeProgressBar : public TUCodeWideControl<ComCtrls::TProgressBar> {
  KX_COMPONENT(TUCodeProgressBar, TUCodeWideControl<ComCtrls::TProgressBar>)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TUCodeProgressBar(TComponent* owner) : TUCodeWideControl(owner) {}
  void CreateWindowHandle(const TCreateParams& params) override;
};

// For code that holds any list view: the wide caption and sub-item (empty when the item has none
// at that index) of a wide list view's item, else the 8-bit ones widened.
std::wstring WideListItemCaption(TListItem* item);
std::wstring WideListItemSubItem(TListItem* item, int index);
// Sets the caption, or the sub-item at the index (empty sub-items added up to it), wide when
// the item is a wide list view's.
void WideSetListItemCaption(TListItem* item, const std::wstring& caption);
void WideSetListItemSubItem(TListItem* item, int index, const std::wstring& text);
// Adds an item with the caption and sub-items, wide when the list view is wide.
TListItem* WideAddListRow(TCustomListView* listView, const std::wstring& caption,
                          const std::vector<std::wstring>& subItems);
