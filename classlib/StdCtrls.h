// The standard controls over the system's own window classes: edit, memo, label, push button,
// check box, radio button, group box, static text and scroll bar (list and combo boxes:
// StdLists.h, included at the end).
#pragma once

#include <functional>

#include <memory>
#include <string>
#include <vector>

#include "classlib/Classes.h"
#include "classlib/Controls.h"

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TEllipsisPosition { epNone, epPathEllipsis, epEndEllipsis, epWordEllipsis };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TLeftRight { taLeft = 0, taRight = 1 };
enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop,
                   scBottom, scEndScroll };
enum TStaticBorderStyle { sbsNone, sbsSingle, sbsSunken };
enum TEditBorderStyle { ebsNone, ebsSingle };

// ---------------------------------------------------------------------------------------------
class TCustomEdit : public TWinControl {
  KX_COMPONENT(TCustomEdit, TWinControl)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TCustomEdit(TComponent* owner);

  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);
  int GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(int value);
  // The 8-bit password character; with a window the setter sends EM_SETPASSWORDCHAR.
  char GetPasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char value);
  // The field alone, with no message (the Unicode layer keeps its own character beside it).
  void SetPasswordCharField(char value) { FPasswordChar = value; }
  // The password character as a one-character text ("" for none), as descriptions give it.
  std::string GetPasswordCharText() const { return FPasswordChar ? std::string(1, FPasswordChar) : ""; }
  void SetPasswordCharText(const std::string& value) { SetPasswordChar(value.empty() ? '\0' : value[0]); }
  TEditCharCase GetCharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase value);
  TEditBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TEditBorderStyle value);
  bool GetAutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool value) { FAutoSelect = value; }
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool value);
  bool GetModified();
  void SetModified(bool value);

  // Selection, in 8-bit characters, through EM_GETSEL / EM_SETSEL (0 without a window).
  virtual int GetSelStart();
  virtual void SetSelStart(int value);
  virtual int GetSelLength();
  virtual void SetSelLength(int value);
  virtual std::string GetSelText();
  void SetSelText(const std::string& value);
  void SelectAll();
  void ClearSelection();
  void Clear() { SetText(std::string()); }

  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;

  TNotifyEvent OnChange;

 protected:
  virtual void Change();
  void Dispatch(TMessage& message) override;
  virtual void CNCommand(TMessage& message);
  void CMTextChanged(TMessage& message) override;
  void DoEnter() override;

  bool FReadOnly = false;
  int FMaxLength = 0;
  char FPasswordChar = '\0';
  TEditCharCase FCharCase = ecNormal;
  TEditBorderStyle FBorderStyle = ebsSingle;
  bool FAutoSelect = true;
  bool FHideSelection = true;
  bool FModified = false;
  bool FCreating = false;
};

// The library's own 8-bit controls of this header's names are declared in namespace StdCtrls.
// Windows name the wide controls that a layer above the library declares under the same names in
// the global namespace.
namespace StdCtrls {
KX_NAMED_COMPONENT(TEdit, TCustomEdit);
}  // namespace StdCtrls

class TCustomMemo;

// The lines of a memo: the window's lines while it has one, else lines held by the memo with
// no length limit.  A text ending in a line break has no empty last line.
class TMemoStrings : public TStrings {
  KX_CLASS(TMemoStrings, TStrings)
 public:
  explicit TMemoStrings(TCustomMemo* memo) : FMemo(memo) {}
  std::string Get(int index) const override;
  int GetCount() const override;
  void Put(int index, const std::string& text) override;
  void Clear() override;
  void Delete(int index) override;
  void Insert(int index, const std::string& text) override;
  std::string GetTextStr() const override;
  void SetTextStr(const std::string& text) override;

 protected:
  void SetUpdateState(bool updating) override;

 private:
  TCustomMemo* FMemo;
};

class TCustomMemo : public TCustomEdit {
  KX_COMPONENT(TCustomMemo, TCustomEdit)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TCustomMemo(TComponent* owner);
  ~TCustomMemo() override;

  TStrings* GetLines() const { return FLines.get(); }
  virtual void SetLines(TStrings* value);
  TScrollStyle GetScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle value);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);
  bool GetWantReturns() const { return FWantReturns; }
  void SetWantReturns(bool value) { FWantReturns = value; }
  bool GetWantTabs() const { return FWantTabs; }
  void SetWantTabs(bool value) { FWantTabs = value; }
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  // Caret position: line and column.
  POINT GetCaretPos();

  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;

 protected:
  friend class TMemoStrings;
  void Dispatch(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;
  void KeyPress(char& key) override;
  // The held lines (no window): text <-> lines.
  std::string HeldText() const;
  void HoldText(const std::string& text);

  std::unique_ptr<TStrings> FLines;
  std::vector<std::string> FHeldLines;
  bool FHeldTrailingBreak = false;
  TScrollStyle FScrollBars = ssNone;
  bool FWordWrap = true;
  bool FWantReturns = true;
  bool FWantTabs = false;
  TAlignment FAlignment = taLeftJustify;
};

namespace StdCtrls {
KX_NAMED_COMPONENT(TMemo, TCustomMemo);
}  // namespace StdCtrls

// ---------------------------------------------------------------------------------------------
class TCustomLabel : public TGraphicControl {
  KX_COMPONENT(TCustomLabel, TGraphicControl)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TCustomLabel(TComponent* owner);

  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  bool GetAutoSize() const { return FAutoSize; }
  virtual void SetAutoSize(bool value);
  TEllipsisPosition GetEllipsisPosition() const { return FEllipsisPosition; }
  void SetEllipsisPosition(TEllipsisPosition value);
  TWinControl* GetFocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* value);
  TTextLayout GetLayout() const { return FLayout; }
  void SetLayout(TTextLayout value);
  bool GetShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool value);
  bool GetTransparent() const;
  void SetTransparent(bool value);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);
  virtual std::string GetLabelText();
  void Loaded() override;

 protected:
  // Draws (or with DT_CALCRECT measures) the caption into `rect`.
  virtual void DoDrawText(RECT& rect, UINT flags);
  std::string FitWrappedText(const std::string& text, const RECT& rect, UINT flags);
  // The drawing steps that do not depend on the text's width: canvas set up, flags completed
  // (returned); whether wrapped text is cut to fit; the disabled look around `draw`.
  UINT BeginLabelTextDrawing(UINT flags);
  bool CutsWrappedText() const;
  void DrawLabelTextShaded(RECT& rect, UINT flags, const std::function<void(RECT&)>& draw);
  void Paint() override;
  void AdjustBounds();
  void Notification(TComponent* component, TOperation operation) override;
  void CMTextChanged(TMessage& message) override;
  void CMFontChanged(TMessage& message) override;
  void CMDialogChar(TMessage& message) override;

  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = true;
  TEllipsisPosition FEllipsisPosition = epNone;
  TWinControl* FFocusControl = nullptr;
  TTextLayout FLayout = tlTop;
  bool FShowAccelChar = true;
  bool FWordWrap = false;
};

namespace StdCtrls {
KX_NAMED_COMPONENT(TLabel, TCustomLabel);
}  // namespace StdCtrls

// ---------------------------------------------------------------------------------------------
// Push buttons, check boxes and radio buttons.
class TButtonControl : public TWinControl {
  KX_COMPONENT(TButtonControl, TWinControl)
 public:
  explicit TButtonControl(TComponent* owner);

 protected:
  virtual bool GetChecked() const { return false; }
  virtual void SetChecked(bool) {}
  bool FClicksDisabled = false;
};

class TButtonActionLink : public TWinControlActionLink {
  KX_CLASS(TButtonActionLink, TWinControlActionLink)
 public:
  using TWinControlActionLink::TWinControlActionLink;
};

namespace StdCtrls {
class TButton : public TButtonControl {
  KX_COMPONENT(TButton, TButtonControl)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TButton(TComponent* owner);
  TClass GetActionLinkClass() const override;
  bool GetDefault() const { return FDefault; }
  void SetDefault(bool value);
  bool GetCancel() const { return FCancel; }
  void SetCancel(bool value) { FCancel = value; }
  int GetModalResult() const { return FModalResult; }
  void SetModalResult(int value) { FModalResult = value; }
  // Sets the form's modal result, then runs OnClick.
  void Click() override;
  void CreateParams(TCreateParams& params) override;

 protected:
  void Dispatch(TMessage& message) override;
  // Enter presses the button that has the focus; while no button has it, the default button.
  void CMDialogKey(TMessage& message) override;
  void CMDialogChar(TMessage& message) override;
  // Whether Enter presses this button while `focused` has the focus: the focused button, else
  // the default one.
  bool TakesEnter(const TControl* focused) const;
  // The button Enter presses wears the frame of the default button.
  void CMFocusChanged(TMessage& message);
  void ShowAsDefault(bool value);
  bool FDefault = false;
  bool FCancel = false;
  int FModalResult = 0;
};
}  // namespace StdCtrls

class TCustomCheckBox : public TButtonControl {
  KX_COMPONENT(TCustomCheckBox, TButtonControl)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TCustomCheckBox(TComponent* owner);
  TCheckBoxState GetState() const { return FState; }
  // Changing the state from code fires OnClick too.
  void SetState(TCheckBoxState value);
  bool GetChecked() const override { return FState == cbChecked; }
  void SetChecked(bool value) override { SetState(value ? cbChecked : cbUnchecked); }
  bool GetAllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool value) { FAllowGrayed = value; }
  TLeftRight GetAlignment() const { return FAlignment; }
  void SetAlignment(TLeftRight value);
  // The next state, as a click would give it.
  virtual void Toggle();
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;

 protected:
  void Dispatch(TMessage& message) override;
  void CMDialogChar(TMessage& message) override;
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
  TLeftRight FAlignment = taRight;
};

namespace StdCtrls {
KX_NAMED_COMPONENT(TCheckBox, TCustomCheckBox);
}  // namespace StdCtrls

namespace StdCtrls {
class TRadioButton : public TButtonControl {
  KX_COMPONENT(TRadioButton, TButtonControl)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TRadioButton(TComponent* owner);
  bool GetChecked() const override { return FChecked; }
  // Checking unchecks the radio buttons beside it and fires OnClick.
  void SetChecked(bool value) override;
  TLeftRight GetAlignment() const { return FAlignment; }
  void SetAlignment(TLeftRight value);
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  // Only the chosen button of a group is a stop; a group without a choice is entered at its
  // first button.
  bool IsTabStop() const override;

 protected:
  void Dispatch(TMessage& message) override;
  void CMDialogChar(TMessage& message) override;
  // The arrow keys choose the button before (Up, Left) or after (Down, Right) in the group.
  void CNKeyDown(TMessage& message) override;
  // The radio buttons beside this one (the same parent), this one too, in tab order.
  std::vector<TRadioButton*> Group() const;
  bool FChecked = false;
  TLeftRight FAlignment = taRight;
};
}  // namespace StdCtrls

// ---------------------------------------------------------------------------------------------
class TCustomGroupBox : public TCustomControl {
  KX_COMPONENT(TCustomGroupBox, TCustomControl)
 public:
  explicit TCustomGroupBox(TComponent* owner);
  void CreateParams(TCreateParams& params) override;

 protected:
  void AdjustClientRect(RECT& rect) override;
  void Paint() override;
  // False when the theme could not paint the frame.
  bool PaintThemed();
  // The etched (or flat) frame below a caption line of the given height, then the caption on the
  // group box's colour; `drawText` draws or, with DT_CALCRECT, measures the caption.
  void PaintFrameAndCaption(int lineHeight, bool hasCaption,
                            const std::function<void(HDC, RECT&, UINT)>& drawText);
  void CMDialogChar(TMessage& message) override;
  void CMTextChanged(TMessage& message) override;
};

namespace StdCtrls {
KX_NAMED_COMPONENT(TGroupBox, TCustomGroupBox);
}  // namespace StdCtrls

// ---------------------------------------------------------------------------------------------
class TCustomStaticText : public TWinControl {
  KX_COMPONENT(TCustomStaticText, TWinControl)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TCustomStaticText(TComponent* owner);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  bool GetAutoSize() const { return FAutoSize; }
  virtual void SetAutoSize(bool value);
  TStaticBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TStaticBorderStyle value);
  TWinControl* GetFocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* value);
  bool GetShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool value);
  void CreateParams(TCreateParams& params) override;
  void Loaded() override;

 protected:
  virtual void AdjustBounds();
  void Dispatch(TMessage& message) override;
  void Notification(TComponent* component, TOperation operation) override;
  void CMTextChanged(TMessage& message) override;
  void CMFontChanged(TMessage& message) override;
  void CMDialogChar(TMessage& message) override;

  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = true;
  TStaticBorderStyle FBorderStyle = sbsNone;
  TWinControl* FFocusControl = nullptr;
  bool FShowAccelChar = true;
};

namespace StdCtrls {
KX_NAMED_COMPONENT(TStaticText, TCustomStaticText);
}  // namespace StdCtrls

// ---------------------------------------------------------------------------------------------
using TScrollEvent = TEvent<void(TObject*, TScrollCode, int&)>;

namespace StdCtrls {
class TScrollBar : public TWinControl {
  KX_COMPONENT(TScrollBar, TWinControl)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TScrollBar(TComponent* owner);
  TScrollBarKind GetKind() const { return FKind; }
  void SetKind(TScrollBarKind value);
  int GetMin() const { return FMin; }
  void SetMin(int value) { SetParams(FPosition, value, FMax); }
  int GetMax() const { return FMax; }
  void SetMax(int value) { SetParams(FPosition, FMin, value); }
  int GetPosition() const { return FPosition; }
  void SetPosition(int value) { SetParams(value, FMin, FMax); }
  int GetPageSize() const { return FPageSize; }
  void SetPageSize(int value);
  int GetSmallChange() const { return FSmallChange; }
  void SetSmallChange(int value) { FSmallChange = value; }
  int GetLargeChange() const { return FLargeChange; }
  void SetLargeChange(int value) { FLargeChange = value; }
  // Position kept within min..max; a changed position fires OnChange.
  void SetParams(int position, int min, int max);
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;

  TNotifyEvent OnChange;
  TScrollEvent OnScroll;

 protected:
  virtual void Change();
  virtual void Scroll(TScrollCode code, int& position);
  void Dispatch(TMessage& message) override;
  void DoScroll(TMessage& message);
  void UpdateScrollInfo();

  TScrollBarKind FKind = sbHorizontal;
  int FMin = 0, FMax = 100, FPosition = 0, FPageSize = 0;
  int FSmallChange = 1, FLargeChange = 1;
};
}  // namespace StdCtrls

// Registers the classes of this unit and of the lists (StdLists.h) for form descriptions, and
// their action links.
void RegisterStandardControls();

#include "classlib/StdLists.h"
