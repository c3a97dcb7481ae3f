// List boxes and combo boxes: their items live in the window while it exists and in the
// control while it has none (and across re-creation of the window).
#pragma once

#include <memory>
#include <string>

#include "classlib/Classes.h"
#include "classlib/Controls.h"

class TCustomListControl : public TWinControl {
  KX_COMPONENT(TCustomListControl, TWinControl)
 public:
  explicit TCustomListControl(TComponent* owner) : TWinControl(owner) {}
  virtual int GetItemIndex() { return -1; }
  virtual void SetItemIndex(int) {}
  virtual int GetCount() { return 0; }
  // The 8-bit item operation that other lists copy their selection through.
  virtual void AddItem(const std::string&, TObject*) {}
  virtual void CopySelection(TCustomListControl*) {}
  virtual void Clear() {}
  virtual void ClearSelection() {}
  virtual void DeleteSelected() {}
  virtual void SelectAll() {}

 protected:
  // A list window of `width` x `height`: a tab stop in the window colour whose clicks come from
  // its notifications, owner-drawn items painted on `canvas`.
  void SetUpListWindow(TControlCanvas* canvas, int width, int height);
};

// Swaps two items of a list control's 8-bit or wide strings, texts and objects; the selection
// stays on the item it was on.
template <class S>
void ExchangeListItems(TStringsBase<S>& items, TCustomListControl* control, int index1, int index2) {
  const int selected = control->GetItemIndex();
  const S text1 = items.Get(index1), text2 = items.Get(index2);
  TObject* object1 = items.GetObject(index1);
  TObject* object2 = items.GetObject(index2);
  items.Put(index1, text2);
  items.PutObject(index1, object2);
  items.Put(index2, text1);
  items.PutObject(index2, object1);
  if (selected == index1) control->SetItemIndex(index2);
  else if (selected == index2) control->SetItemIndex(index1);
  else control->SetItemIndex(selected);
}

class TCustomMultiSelectListControl : public TCustomListControl {
  KX_COMPONENT(TCustomMultiSelectListControl, TCustomListControl)
 public:
  explicit TCustomMultiSelectListControl(TComponent* owner) : TCustomListControl(owner) {}
  bool GetMultiSelect() const { return FMultiSelect; }
  virtual void SetMultiSelect(bool value) { FMultiSelect = value; }
  virtual int GetSelCount() { return 0; }

 protected:
  bool FMultiSelect = false;
};

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw };
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
using TOwnerDrawState = unsigned;
constexpr TOwnerDrawState odSelected = 1, odGrayed = 2, odDisabled = 4, odChecked = 8, odFocused = 16,
                          odDefault = 32, odComboBoxEdit = 64;

using TDrawItemEvent = TEvent<void(TWinControl*, int, const RECT&, TOwnerDrawState)>;
using TMeasureItemEvent = TEvent<void(TWinControl*, int, int&)>;
using TLBGetDataEvent = TEvent<void(TWinControl*, int, std::string&)>;

class TCustomListBox;
class TCustomComboBox;

// The messages by which a list window keeps its items (the list box's LB_ or the combo box's CB_).
struct TListWindowMessages {
  UINT GetCount, GetTextLen, GetText, AddString, InsertString, DeleteString, FindStringExact,
      GetItemData, SetItemData;
};

// Items of a list or combo box: in the window while it exists, else in a list the control holds
// (which also carries them across re-creation).  Objects are the items' data values.
class TListControlStrings : public TStrings {
  KX_CLASS(TListControlStrings, TStrings)
 public:
  std::string Get(int index) const override;
  int GetCount() const override;
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* object) override;
  int Add(const std::string& text) override;
  void Insert(int index, const std::string& text) override;
  void Delete(int index) override;
  int IndexOf(const std::string& text) const override;

 protected:
  TListControlStrings(TWinControl* control, const TListWindowMessages& messages)
      : FControl(control), FMessages(messages) {}
  void SetUpdateState(bool updating) override;
  HWND Window() const { return FControl->GetWindowHandle(); }
  // The list held while there is no window.
  virtual TStringList* Held() const = 0;
  // False for a window that keeps no items of its own (a virtual list box).
  virtual bool StoresItems() const { return true; }
  // Reading an item that is not there raises the list-index error (else: empty text).
  virtual bool MissingItemIsError() const { return false; }
  virtual LRESULT ItemData(int index) const;
  virtual void SetItemData(int index, LRESULT data);
  virtual void DeleteItem(int index);

  TWinControl* FControl;
  const TListWindowMessages& FMessages;
};

class TListBoxStrings : public TListControlStrings {
  KX_CLASS(TListBoxStrings, TListControlStrings)
 public:
  explicit TListBoxStrings(TCustomListBox* listBox);
  // A virtual list box's item comes from its data, not from its window.
  std::string Get(int index) const override;
  int GetCount() const override;
  void Put(int index, const std::string& text) override;
  void Clear() override;
  void Exchange(int index1, int index2) override;
  void Move(int curIndex, int newIndex) override;

 protected:
  TStringList* Held() const override;
  bool StoresItems() const override;
  bool MissingItemIsError() const override { return true; }
  LRESULT ItemData(int index) const override;
  void SetItemData(int index, LRESULT data) override;
  void DeleteItem(int index) override;

 private:
  TCustomListBox* FListBox;
};

class TCustomListBox : public TCustomMultiSelectListControl {
  KX_COMPONENT(TCustomListBox, TCustomMultiSelectListControl)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TCustomListBox(TComponent* owner);
  ~TCustomListBox() override;

  TStrings* GetItems() const { return FItems.get(); }
  void SetItems(TStrings* value) { FItems->Assign(value); }
  int GetItemIndex() override;
  void SetItemIndex(int value) override;
  int GetCount() override;
  // The number of items of a virtual list box.
  void SetCount(int value);
  int GetTopIndex();
  void SetTopIndex(int value);
  bool GetSelected(int index);
  void SetSelected(int index, bool value);
  int GetSelCount() override;
  void SetMultiSelect(bool value) override;
  bool GetExtendedSelect() const { return FExtendedSelect; }
  void SetExtendedSelect(bool value);
  bool GetSorted() const { return FSorted; }
  void SetSorted(bool value);
  TListBoxStyle GetStyle() const { return FStyle; }
  void SetStyle(TListBoxStyle value);
  int GetItemHeight();
  void SetItemHeight(int value);
  bool GetIntegralHeight() const { return FIntegralHeight; }
  void SetIntegralHeight(bool value);
  int GetColumns() const { return FColumns; }
  void SetColumns(int value);
  TCanvas* GetCanvas() const { return FCanvas.get(); }
  int ItemAtPos(POINT pos, bool existing);
  RECT ItemRect(int index);

  void AddItem(const std::string& item, TObject* object) override;
  void CopySelection(TCustomListControl* destination) override;
  void Clear() override;
  void ClearSelection() override;
  void DeleteSelected() override;
  void SelectAll() override;

  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;

  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;
  TLBGetDataEvent OnData;

 protected:
  friend class TListBoxStrings;
  virtual void DrawItem(int index, const RECT& rect, TOwnerDrawState state);
  virtual void MeasureItem(int index, int& height);
  virtual void DeleteString(int index);
  virtual void ResetContent();
  // The per-item data value: the item's object.
  virtual LRESULT InternalGetItemData(int index);
  virtual void InternalSetItemData(int index, LRESULT data);
  bool IsVirtual() const { return FStyle == lbVirtual || FStyle == lbVirtualOwnerDraw; }
  // The text of a virtual list box's item from OnData; false when the index is out of range or
  // there is no event.
  virtual bool VirtualItemData(int index, std::string& text);
  // The items while there is no window (made on demand).
  TStringList* HeldItems();
  void Dispatch(TMessage& message) override;
  virtual void LBGetText(TMessage& message);
  virtual void LBGetTextLen(TMessage& message);
  void CNCommand(TMessage& message);
  void CNDrawItem(TMessage& message);
  void CNMeasureItem(TMessage& message);

  std::unique_ptr<TStrings> FItems;
  std::unique_ptr<TStringList> FSaveItems;
  int FSaveItemIndex = -1;
  int FSaveTopIndex = 0;
  int FCount = 0;
  bool FMoving = false;
  bool FExtendedSelect = true;
  bool FSorted = false;
  bool FIntegralHeight = false;
  int FItemHeight = 16;
  int FColumns = 0;
  TListBoxStyle FStyle = lbStandard;
  std::unique_ptr<TControlCanvas> FCanvas;

 private:
  // The text of a virtual list box's item from OnData (true), else the query answered (false).
  bool VirtualItemText(TMessage& message, std::string& text);
};

// The library's own 8-bit control of this name. Windows name the wide control that a layer above
// the library declares under the same name in the global namespace.
namespace StdCtrls {
KX_NAMED_COMPONENT(TListBox, TCustomListBox);
}  // namespace StdCtrls

// ---------------------------------------------------------------------------------------------
class TComboBoxStrings : public TListControlStrings {
  KX_CLASS(TComboBoxStrings, TListControlStrings)
 public:
  explicit TComboBoxStrings(TCustomComboBox* comboBox);
  // Keeps the combo box's text across the emptying.
  void Clear() override;

 protected:
  TStringList* Held() const override;

 private:
  TCustomComboBox* FComboBox;
};

class TCustomComboBox : public TCustomListControl {
  KX_COMPONENT(TCustomComboBox, TCustomListControl)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TCustomComboBox(TComponent* owner);
  ~TCustomComboBox() override;

  TStrings* GetItems() const { return FItems.get(); }
  virtual void SetItems(TStrings* value) { FItems->Assign(value); }
  int GetItemIndex() override;
  void SetItemIndex(int value) override;
  int GetCount() override { return FItems->GetCount(); }
  TComboBoxStyle GetStyle() const { return FStyle; }
  void SetStyle(TComboBoxStyle value);
  bool GetSorted() const { return FSorted; }
  void SetSorted(bool value);
  int GetDropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int value) { FDropDownCount = value; }
  int GetItemHeight() const { return FItemHeight; }
  void SetItemHeight(int value);
  int GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(int value);
  bool GetAutoComplete() const { return FAutoComplete; }
  void SetAutoComplete(bool value) { FAutoComplete = value; }
  bool GetAutoDropDown() const { return FAutoDropDown; }
  void SetAutoDropDown(bool value) { FAutoDropDown = value; }
  bool GetAutoCloseUp() const { return FAutoCloseUp; }
  void SetAutoCloseUp(bool value) { FAutoCloseUp = value; }
  // Kept for form descriptions; the search delay is fixed.
  int GetAutoCompleteDelay() const { return FAutoCompleteDelay; }
  void SetAutoCompleteDelay(int value) { FAutoCompleteDelay = value; }
  bool GetDroppedDown();
  void SetDroppedDown(bool value);
  int GetSelStart();
  void SetSelStart(int value);
  int GetSelLength();
  void SetSelLength(int value);
  TCanvas* GetCanvas() const { return FCanvas.get(); }

  // The child windows (edit of csDropDown and csSimple, list of csSimple) and their
  // procedures: the one each had before the combo box subclassed it, and the stub installed.
  HWND GetEditHandle() const { return FEditHandle; }
  HWND GetListHandle() const { return FListHandle; }
  WNDPROC GetDefEditProc() const { return FDefEditProc; }
  void SetDefEditProc(WNDPROC value) { FDefEditProc = value; }
  WNDPROC GetDefListProc() const { return FDefListProc; }
  void SetDefListProc(WNDPROC value) { FDefListProc = value; }
  WNDPROC GetEditInstance() const { return FEditInstance; }
  WNDPROC GetListInstance() const { return FListInstance; }

  void AddItem(const std::string& item, TObject* object) override;
  void CopySelection(TCustomListControl* destination) override;
  void Clear() override;
  void ClearSelection() override { SetItemIndex(-1); }
  void DeleteSelected() override;
  void SelectAll() override;

  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

 protected:
  friend class TComboBoxStrings;
  // Messages of the child windows, before their own procedures see them.
  virtual void ComboWndProc(TMessage& message, HWND child, WNDPROC childProc);
  virtual void DrawItem(int index, const RECT& rect, TOwnerDrawState state);
  virtual void MeasureItem(int index, int& height);
  // Auto-complete options: complete only when one item matches; keep the typed letters' case.
  virtual bool GetAutoCompleteUniqueMatchOnly() const { return false; }
  virtual bool GetAutoCompletePreserveDataEntryCase() const { return true; }
  virtual void Change();
  virtual void Select();
  virtual void DropDown();
  virtual void CloseUp();
  void KeyPress(char& key) override;
  TStringList* HeldItems();
  void Dispatch(TMessage& message) override;
  virtual void CNCommand(TMessage& message);
  void WMChar(TMessage& message) override;
  void CNDrawItem(TMessage& message);
  void CNMeasureItem(TMessage& message);

  std::unique_ptr<TStrings> FItems;
  std::unique_ptr<TStringList> FSaveItems;
  int FSaveIndex = -1;
  TComboBoxStyle FStyle = csDropDown;
  bool FSorted = false;
  int FDropDownCount = 8;
  int FItemHeight = 16;
  int FMaxLength = 0;
  bool FAutoComplete = true;
  bool FAutoDropDown = false;
  bool FAutoCloseUp = false;
  int FAutoCompleteDelay = 500;
  std::string FSearchText;
  DWORD FLastSearchTime = 0;
  HWND FEditHandle = nullptr;
  HWND FListHandle = nullptr;
  WNDPROC FDefEditProc = nullptr;
  WNDPROC FDefListProc = nullptr;
  WNDPROC FEditInstance = nullptr;
  WNDPROC FListInstance = nullptr;
  std::unique_ptr<TControlCanvas> FCanvas;

 private:
  void EditWndProc(TMessage& message);
  void ListWndProc(TMessage& message);
  void SubclassChildren();
  bool SelectByPrefix(const std::string& prefix, bool editText);
};

// The library's own 8-bit control of this name. Windows name the wide control that a layer above
// the library declares under the same name in the global namespace.
namespace StdCtrls {
KX_NAMED_COMPONENT(TComboBox, TCustomComboBox);
}  // namespace StdCtrls
