// Wide edits, memos, combo boxes and list boxes: the library's controls with wide text, wide
// items and wide hints, their windows made as Unicode windows.
//
// The wide classes hide the library's 8-bit GetText/SetText, GetHint/SetHint and item lists
// with wide ones of the same names; code that holds such a control as a TControl still reaches
// the 8-bit ones, which the layer keeps in step.
#pragma once

#include <memory>
#include <string>

#include "classlib/StdCtrls.h"
#include "ucode/UCodeActnList.h"
#include "ucode/UCodeClasses.h"
#include "ucode/UCodeControls.h"
#include "ucode/UCodeForms.h"

// ---------------------------------------------------------------------------------------------
// Makes an edit's or a memo's window, a Unicode window where the platform has them.
void CreateUnicodeEditHandle(TWinControl* control, const TCreateParams& params);
// Whether an edit's window is made writable and set read-only once it exists: an edit made
// read-only from the start mishandles double-byte text on Far-East systems without Unicode
// windows.
bool SetsReadOnlyAfterCreation(bool unicodePlatform, bool farEastLocale, DWORD style);

class TUCodeCustomEdit : public TUCodeWideControl<TCustomEdit> {
  KX_COMPONENT(TUCodeCustomEdit, TUCodeWideControl<TCustomEdit>)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TUCodeCustomEdit(TComponent* owner) : TUCodeWideControl(owner) {}

  std::wstring GetText() { return WideGetControlText(this); }
  void SetText(const std::wstring& value) { WideSetControlText(this, value); }
  // A character above 255 shows as itself in the window; the library's 8-bit one reads "*".
  wchar_t GetPasswordChar();
  void SetPasswordChar(wchar_t value);

  // In wide characters.
  virtual int GetSelStartW();
  virtual void SetSelStartW(int value);
  virtual int GetSelLengthW();
  virtual void SetSelLengthW(int value);
  virtual std::wstring GetSelTextW();

  void CreateWindowHandle(const TCreateParams& params) override;
  void CreateWnd() override;

 private:
  wchar_t FPasswordCharW = 0;
};

KX_NAMED_COMPONENT(TUCodeEdit, TUCodeCustomEdit);

// ---------------------------------------------------------------------------------------------
class TUCodeCustomMemo;

// The wide view of a memo's lines: read and written through the window while it is a Unicode
// window, else through the memo's 8-bit lines.
class TUCodeMemoStrings : public TUCodeStrings {
  KX_CLASS(TUCodeMemoStrings, TUCodeStrings)
 public:
  explicit TUCodeMemoStrings(TUCodeCustomMemo* memo);
  std::wstring Get(int index) const override;
  int GetCount() const override;
  void Put(int index, const std::wstring& text) override;
  void Insert(int index, const std::wstring& text) override;
  void Delete(int index) override;
  void Clear() override;
  std::wstring GetTextStr() const override;
  void SetTextStr(const std::wstring& text) override;

 protected:
  void SetUpdateState(bool updating) override;

 private:
  bool UnicodeWindow() const;
  TUCodeCustomMemo* FMemo;
};

class TUCodeCustomMemo : public TUCodeWideControl<TCustomMemo> {
  KX_COMPONENT(TUCodeCustomMemo, TUCodeWideControl<TCustomMemo>)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TUCodeCustomMemo(TComponent* owner);
  ~TUCodeCustomMemo() override;

  std::wstring GetText() { return WideGetControlText(this); }
  void SetText(const std::wstring& value) { WideSetControlText(this, value); }
  TUCodeStrings* GetLines() const { return FWideLines.get(); }
  void SetLines(TUCodeStrings* value) { FWideLines->Assign(value); }
  // The library's own 8-bit lines.
  TStrings* GetAnsiLines() const { return TCustomMemo::GetLines(); }

  // In wide characters (a line break counts two).
  virtual int GetSelStartW();
  virtual void SetSelStartW(int value);
  virtual int GetSelLengthW();
  virtual void SetSelLengthW(int value);
  virtual std::wstring GetSelTextW();

  void CreateWindowHandle(const TCreateParams& params) override;

 protected:
  void Dispatch(TMessage& message) override;

 private:
  std::unique_ptr<TUCodeMemoStrings> FWideLines;
};

KX_NAMED_COMPONENT(TUCodeMemo, TUCodeCustomMemo);

// ---------------------------------------------------------------------------------------------
// Wide items of a combo or list box: in the Unicode window while there is one, else in the
// control's 8-bit item list; objects, count and update state are always the 8-bit list's.
class TUCodeListControlStrings : public TUCodeStrings {
  KX_CLASS(TUCodeListControlStrings, TUCodeStrings)
 public:
  TUCodeListControlStrings(TWinControl* control, TStrings* ansiItems, bool isListBox);
  std::wstring Get(int index) const override;
  int GetCount() const override { return FAnsiItems->GetCount(); }
  TObject* GetObject(int index) const override { return FAnsiItems->GetObject(index); }
  void PutObject(int index, TObject* object) override { FAnsiItems->PutObject(index, object); }
  int Add(const std::wstring& text) override;
  void Insert(int index, const std::wstring& text) override;
  int IndexOf(const std::wstring& text) const override;
  void Put(int index, const std::wstring& text) override;
  void Delete(int index) override { FAnsiItems->Delete(index); }
  void Clear() override;
  void Exchange(int index1, int index2) override;
  void Move(int curIndex, int newIndex) override;

 protected:
  void SetUpdateState(bool updating) override;

 private:
  bool UnicodeWindow() const;
  TWinControl* FControl;
  TStrings* FAnsiItems;
  bool FListBox;
};

class TUCodeCustomComboBox : public TUCodeWideControl<TCustomComboBox>, public IWideCustomListControl {
  KX_COMPONENT(TUCodeCustomComboBox, TUCodeWideControl<TCustomComboBox>)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TUCodeCustomComboBox(TComponent* owner);
  ~TUCodeCustomComboBox() override;

  std::wstring GetText() { return WideGetControlText(this); }
  void SetText(const std::wstring& value) { WideSetControlText(this, value); }
  TUCodeStrings* GetItems() const { return FWideItems.get(); }
  void SetItems(TUCodeStrings* value) { FWideItems->Assign(value); }
  TStrings* GetAnsiItems() const { return TCustomComboBox::GetItems(); }

  void AddItemW(const std::wstring& item, TObject* object) override;
  void CopySelection(TCustomListControl* destination) override;
  void CreateWindowHandle(const TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;

 protected:
  void ComboWndProc(TMessage& message, HWND child, WNDPROC childProc) override;
  void DrawItem(int index, const RECT& rect, TOwnerDrawState state) override;
  void KeyPress(char& key) override;
  void CNCommand(TMessage& message) override;
  void WMChar(TMessage& message) override;
  // Wide auto-complete of a typed character (csDropDown, csSimple); true when it took the key.
  virtual bool AutoCompleteKeyPress(TMessage& message);

 private:
  bool SelectByWidePrefix(const std::wstring& prefix);
  std::unique_ptr<TUCodeListControlStrings> FWideItems;
  std::unique_ptr<TUCodeStringList> FSavedItems;
  int FSavedItemIndex = -1;
  std::wstring FWideSearch;
  DWORD FLastWideSearchTime = 0;
};

KX_NAMED_COMPONENT(TUCodeComboBox, TUCodeCustomComboBox);

// The wide text of a virtual list box's item.
using TLBGetDataWEvent = TEvent<void(TWinControl*, int, std::wstring&)>;

class TUCodeCustomListBox : public TUCodeWideControl<TCustomListBox>, public IWideCustomListControl {
  KX_COMPONENT(TUCodeCustomListBox, TUCodeWideControl<TCustomListBox>)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TUCodeCustomListBox(TComponent* owner);
  ~TUCodeCustomListBox() override;

  TUCodeStrings* GetItems() const { return FWideItems.get(); }
  void SetItems(TUCodeStrings* value) { FWideItems->Assign(value); }
  TStrings* GetAnsiItems() const { return TCustomListBox::GetItems(); }

  void AddItemW(const std::wstring& item, TObject* object) override;
  void CopySelection(TCustomListControl* destination) override;
  void CreateWindowHandle(const TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;

  // The items of a virtual list box (lbVirtual, lbVirtualOwnerDraw): with it assigned, OnData
  // is not asked.
  TLBGetDataWEvent OnDataW;

 protected:
  void DrawItem(int index, const RECT& rect, TOwnerDrawState state) override;
  bool VirtualItemData(int index, std::string& text) override;
  // A virtual list box's window answers with the wide texts (8-bit where the platform has no
  // Unicode windows).
  void LBGetText(TMessage& message) override;
  void LBGetTextLen(TMessage& message) override;

 private:
  // The wide text of a virtual list box's item; false out of range or without an event.
  bool VirtualItemDataW(int index, std::wstring& text);
  std::unique_ptr<TUCodeListControlStrings> FWideItems;
  std::unique_ptr<TUCodeStringList> FSavedItems;
  int FSavedTopIndex = 0;
  int FSavedItemIndex = -1;
};

KX_NAMED_COMPONENT(TUCodeListBox, TUCodeCustomListBox);

// ---------------------------------------------------------------------------------------------
// Caption-bearing controls: labels, buttons, check and radio boxes, scroll bars, group boxes and
// static texts with a wide Caption and Hint.

// The character code of a CM_DIALOGCHAR message as the key gave it: wide when it came packed
// from a Unicode window, else the key's 8-bit code, which the hot-key test (IsWideCharAccel)
// reads through the keyboard's code page.
wchar_t DialogCharOf(const TMessage& message);

class TUCodeCustomLabel : public TUCodeWideCaptionControl<TCustomLabel> {
  KX_COMPONENT(TUCodeCustomLabel, TUCodeWideCaptionControl<TCustomLabel>)
 public:
  explicit TUCodeCustomLabel(TComponent* owner) : TUCodeWideCaptionControl(owner) {}
  // The wide text the label draws: its wide caption.
  virtual std::wstring GetWideLabelText() { return GetCaption(); }

 protected:
  void DoDrawText(RECT& rect, UINT flags) override;
  void CMDialogChar(TMessage& message) override;
  void Dispatch(TMessage& message) override;

 private:
  std::wstring FitWrappedWideText(const std::wstring& text, const RECT& rect, UINT flags);
};

class TUCodeLabel : public TUCodeCustomLabel {
  KX_COMPONENT(TUCodeLabel, TUCodeCustomLabel)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TUCodeLabel(TComponent* owner) : TUCodeCustomLabel(owner) {}
};

class TUCodeButton : public TUCodeWideCaptionControl<StdCtrls::TButton> {
  KX_COMPONENT(TUCodeButton, TUCodeWideCaptionControl<StdCtrls::TButton>)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TUCodeButton(TComponent* owner) : TUCodeWideCaptionControl(owner) {}
  void CreateWindowHandle(const TCreateParams& params) override;

 protected:
  void CMDialogChar(TMessage& message) override;
};

class TUCodeCustomCheckBox : public TUCodeWideCaptionControl<TCustomCheckBox> {
  KX_COMPONENT(TUCodeCustomCheckBox, TUCodeWideCaptionControl<TCustomCheckBox>)
 public:
  explicit TUCodeCustomCheckBox(TComponent* owner) : TUCodeWideCaptionControl(owner) {}
  void CreateWindowHandle(const TCreateParams& params) override;

 protected:
  void CMDialogChar(TMessage& message) override;
};

class TUCodeCheckBox : public TUCodeCustomCheckBox {
  KX_COMPONENT(TUCodeCheckBox, TUCodeCustomCheckBox)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TUCodeCheckBox(TComponent* owner) : TUCodeCustomCheckBox(owner) {}
};

class TUCodeRadioButton : public TUCodeWideCaptionControl<StdCtrls::TRadioButton> {
  KX_COMPONENT(TUCodeRadioButton, TUCodeWideCaptionControl<StdCtrls::TRadioButton>)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TUCodeRadioButton(TComponent* owner) : TUCodeWideCaptionControl(owner) {}
  void CreateWindowHandle(const TCreateParams& params) override;

 protected:
  void CMDialogChar(TMessage& message) override;
};

class TUCodeScrollBar : public TUCodeWideControl<StdCtrls::TScrollBar> {
  KX_COMPONENT(TUCodeScrollBar, TUCodeWideControl<StdCtrls::TScrollBar>)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TUCodeScrollBar(TComponent* owner) : TUCodeWideControl(owner) {}
  void CreateWindowHandle(const TCreateParams& params) override;
};

class TUCodeCustomGroupBox : public TUCodeWideCaptionControl<TCustomGroupBox> {
  KX_COMPONENT(TUCodeCustomGroupBox, TUCodeWideCaptionControl<TCustomGroupBox>)
 public:
  explicit TUCodeCustomGroupBox(TComponent* owner) : TUCodeWideCaptionControl(owner) {}
  void CreateWindowHandle(const TCreateParams& params) override;

 protected:
  void Paint() override;
  void CMDialogChar(TMessage& message) override;
};

class TUCodeGroupBox : public TUCodeCustomGroupBox {
  KX_COMPONENT(TUCodeGroupBox, TUCodeCustomGroupBox)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TUCodeGroupBox(TComponent* owner) : TUCodeCustomGroupBox(owner) {}
};

class TUCodeCustomStaticText : public TUCodeWideCaptionControl<TCustomStaticText> {
  KX_COMPONENT(TUCodeCustomStaticText, TUCodeWideCaptionControl<TCustomStaticText>)
 public:
  explicit TUCodeCustomStaticText(TComponent* owner);
  void CreateWindowHandle(const TCreateParams& params) override;

 protected:
  // Sized to the wide caption.
  void AdjustBounds() override;
  void CMDialogChar(TMessage& message) override;
};

class TUCodeStaticText : public TUCodeCustomStaticText {
  KX_COMPONENT(TUCodeStaticText, TUCodeCustomStaticText)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TUCodeStaticText(TComponent* owner) : TUCodeCustomStaticText(owner) {}
};
