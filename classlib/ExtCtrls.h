// Timers, panels, bevels, images, splitters and labelled edits.
#pragma once

#include <memory>
#include <string>

#include "classlib/Classes.h"
#include "classlib/Controls.h"
#include "classlib/Graphics.h"
#include "classlib/StdCtrls.h"

// Fires OnTimer every Interval milliseconds while Enabled (a thread timer: it needs no window,
// only a running message loop).
class TTimer : public TComponent {
  KX_COMPONENT(TTimer, TComponent)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TTimer(TComponent* owner);
  ~TTimer() override;
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool value);
  unsigned GetInterval() const { return FInterval; }
  void SetInterval(unsigned value);
  TNotifyEvent GetOnTimer() const { return FOnTimer; }
  void SetOnTimer(const TNotifyEvent& value);

 protected:
  virtual void Timer();
  void Loaded() override;

 private:
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);
  void UpdateTimer();
  bool FEnabled = true;
  unsigned FInterval = 1000;
  TNotifyEvent FOnTimer;
  UINT_PTR FTimerId = 0;
};

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TPanelBorderStyle { bsNoBorder = 0, bsSingleBorder = 1 };

class TCustomPanel : public TCustomControl {
  KX_COMPONENT(TCustomPanel, TCustomControl)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TCustomPanel(TComponent* owner);
  TBevelCut GetBevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut value);
  TBevelCut GetBevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut value);
  int GetBevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int value);
  int GetBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int value);
  TPanelBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TPanelBorderStyle value);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  // Shows the parent's (themed) background instead of Color.
  bool GetParentBackground() const { return FParentBackground; }
  void SetParentBackground(bool value);
  void CreateParams(TCreateParams& params) override;

 protected:
  void AdjustClientRect(RECT& rect) override;
  void Paint() override;
  // The parts of Paint: bevels, border and background (`rect` ends as the inside), and the
  // canvas made ready for the caption (font, transparent text).
  void PaintBevelsAndBackground(RECT& rect);
  void PrepareCaptionCanvas();
  // DT_LEFT, DT_RIGHT or DT_CENTER by Alignment.
  UINT CaptionAlignmentFlag() const;
  void CMTextChanged(TMessage& message) override;
  // A colour of its own (not the parent's) is shown instead of the parent's background.
  void CMColorChanged(TMessage& message) override;
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvRaised;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
  TPanelBorderStyle FBorderStyle = bsNoBorder;
  TAlignment FAlignment = taCenter;
  bool FParentBackground = true;
};

// The library's own 8-bit control of this name. Windows name the wide control that a layer above
// the library declares under the same name in the global namespace.
namespace ExtCtrls {
KX_NAMED_COMPONENT(TPanel, TCustomPanel);
}  // namespace ExtCtrls

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
  KX_COMPONENT(TBevel, TGraphicControl)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TBevel(TComponent* owner);
  TBevelShape GetShape() const { return FShape; }
  void SetShape(TBevelShape value);
  TBevelStyle GetStyle() const { return FStyle; }
  void SetStyle(TBevelStyle value);

 protected:
  void Paint() override;
  TBevelShape FShape = bsBox;
  TBevelStyle FStyle = bsLowered;
};

// The library's own 8-bit control of this name. Windows name the wide control that a layer above
// the library declares under the same name in the global namespace.
namespace ExtCtrls {
class TImage : public TGraphicControl {
  KX_COMPONENT(TImage, TGraphicControl)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TImage(TComponent* owner);
  ~TImage() override;
  TPicture* GetPicture() const { return FPicture.get(); }
  void SetPicture(TPicture* value) { FPicture->Assign(value); }
  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  bool GetCenter() const { return FCenter; }
  void SetCenter(bool value);
  bool GetStretch() const { return FStretch; }
  void SetStretch(bool value);
  bool GetProportional() const { return FProportional; }
  void SetProportional(bool value);
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool value);
  TProgressEvent OnProgress;

 protected:
  // The picture's two notifications (change and progress); a replacement picture is wired to
  // them as the first one was.
  void PictureChanged(TObject* sender);
  void Progress(TObject* sender, TProgressStage stage, std::uint8_t percentDone, bool redrawNow,
                const RECT& rect, const std::string& message);
  // Takes `picture` in place of the current one (which is freed), with the notifications.
  void ReplacePicture(TPicture* picture);
  RECT DestRect();
  void Paint() override;

  std::unique_ptr<TPicture> FPicture;
  bool FAutoSize = false;
  bool FCenter = false;
  bool FStretch = false;
  bool FProportional = false;
  bool FTransparent = false;
};

}  // namespace ExtCtrls

enum TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };

// The library's own 8-bit control of this name. Windows name the wide control that a layer above
// the library declares under the same name in the global namespace.
namespace ExtCtrls {
// A bar between two aligned controls; dragging it resizes the control before it.
class TSplitter : public TGraphicControl {
  KX_COMPONENT(TSplitter, TGraphicControl)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TSplitter(TComponent* owner);
  int GetMinSize() const { return FMinSize; }
  void SetMinSize(int value) { FMinSize = value; }
  TResizeStyle GetResizeStyle() const { return FResizeStyle; }
  void SetResizeStyle(TResizeStyle value) { FResizeStyle = value; }
  // The control that the splitter resizes (found when a drag starts).
  TControl* FindResizeControl();
  TNotifyEvent OnMoved;

 protected:
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void Paint() override;
  int FMinSize = 30;
  TResizeStyle FResizeStyle = rsPattern;
  TControl* FResizing = nullptr;
  POINT FDownPos{};
  int FStartSize = 0;
};

}  // namespace ExtCtrls

// The label that belongs to a labelled edit.
class TBoundLabel : public TCustomLabel {
  KX_COMPONENT(TBoundLabel, TCustomLabel)
 public:
  explicit TBoundLabel(TComponent* owner);
};

enum TLabelPosition { lpAbove, lpBelow, lpLeft, lpRight };

class TCustomLabeledEdit : public TCustomEdit {
  KX_COMPONENT(TCustomLabeledEdit, TCustomEdit)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TCustomLabeledEdit(TComponent* owner);
  TBoundLabel* GetEditLabel() const { return FEditLabel; }
  TLabelPosition GetLabelPosition() const { return FLabelPosition; }
  void SetLabelPosition(TLabelPosition value);
  int GetLabelSpacing() const { return FLabelSpacing; }
  void SetLabelSpacing(int value);
  void SetParent(TWinControl* parent) override;
  void SetBounds(int left, int top, int width, int height) override;

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  void CMVisibleChanged(TMessage& message) override;
  void CMEnabledChanged(TMessage& message) override;
  void PlaceLabel();
  TBoundLabel* FEditLabel;
  TLabelPosition FLabelPosition = lpAbove;
  int FLabelSpacing = 3;
};

KX_NAMED_COMPONENT(TLabeledEdit, TCustomLabeledEdit);

// Registers the classes of this unit for form descriptions.
void RegisterExtraControls();
