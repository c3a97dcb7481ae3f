// Timers, panels, bevels, images, splitters and labelled edits.
#include "classlib/ExtCtrls.h"

#include <algorithm>
#include <map>

#include "classlib/Themes.h"

// ---- TTimer ---------------------------------------------------------------------------------
namespace {

// Timers of forms freed at program end stop after other statics are gone: the map is never
// destroyed.
std::map<UINT_PTR, TTimer*>& RunningTimers() {
  static auto* timers = new std::map<UINT_PTR, TTimer*>;
  return *timers;
}

}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() {
  FEnabled = false;
  UpdateTimer();
}

void TTimer::SetEnabled(bool value) {
  if (FEnabled == value) return;
  FEnabled = value;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned value) {
  if (FInterval == value) return;
  FInterval = value;
  UpdateTimer();
}

void TTimer::SetOnTimer(const TNotifyEvent& value) {
  FOnTimer = value;
  UpdateTimer();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

// Runs only with an interval, a handler and no loading in progress.
void TTimer::UpdateTimer() {
  if (FTimerId) {
    KillTimer(nullptr, FTimerId);
    RunningTimers().erase(FTimerId);
    FTimerId = 0;
  }
  if (!FEnabled || FInterval == 0 || !FOnTimer || GetComponentState().Contains(csLoading)) return;
  FTimerId = SetTimer(nullptr, 0, FInterval, &TTimer::TimerProc);
  if (!FTimerId) throw EOutOfResources("Not enough timers available");
  RunningTimers()[FTimerId] = this;
}

void CALLBACK TTimer::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  GuardedCallback([id] {
    auto it = RunningTimers().find(id);
    if (it != RunningTimers().end()) it->second->Timer();
  });
}

void TTimer::Timer() {
  if (FOnTimer) FOnTimer(this);
}

// ---- TCustomPanel ---------------------------------------------------------------------------
TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
  FControlStyle |= csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csOpaque |
                   csDoubleClicks;
  FWidth = 185;
  FHeight = 41;
  FParentColor = false;
  FColor = clBtnFace;
  FBrush->SetColor(FColor);
}

void TCustomPanel::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  if (FBorderStyle == bsSingleBorder) params.Style |= WS_BORDER;
  params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
  FBevelInner = value;
  AlignControls();
  Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut value) {
  FBevelOuter = value;
  AlignControls();
  Invalidate();
}

void TCustomPanel::SetBevelWidth(int value) {
  FBevelWidth = value;
  AlignControls();
  Invalidate();
}

void TCustomPanel::SetBorderWidth(int value) {
  FBorderWidth = value;
  AlignControls();
  Invalidate();
}

void TCustomPanel::SetBorderStyle(TPanelBorderStyle value) {
  if (FBorderStyle == value) return;
  FBorderStyle = value;
  RecreateWnd();
}

void TCustomPanel::SetAlignment(TAlignment value) {
  FAlignment = value;
  Invalidate();
}

void TCustomPanel::SetParentBackground(bool value) {
  FParentBackground = value;
  Invalidate();
}

void TCustomPanel::AdjustClientRect(RECT& rect) {
  int inset = FBorderWidth;
  if (FBevelOuter != bvNone) inset += FBevelWidth;
  if (FBevelInner != bvNone) inset += FBevelWidth;
  InflateRect(&rect, -inset, -inset);
}

// Bevels and border as 3-D frames, the inside in Color (or the parent's background), the
// caption centred vertically.
void TCustomPanel::Paint() {
  RECT rect = GetClientRect();
  PaintBevelsAndBackground(rect);
  std::string caption = GetText();
  if (caption.empty()) return;
  PrepareCaptionCanvas();
  DrawTextA(FCanvas->GetHandle(), caption.c_str(), static_cast<int>(caption.size()), &rect,
            DrawTextBiDiModeFlags(DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER | CaptionAlignmentFlag()));
}

void TCustomPanel::PaintBevelsAndBackground(RECT& rect) {
  auto frame = [&](TBevelCut cut) {
    if (cut == bvNone) return;
    TColor top = cut == bvLowered ? clBtnShadow : clBtnHighlight;
    TColor bottom = cut == bvLowered ? clBtnHighlight : clBtnShadow;
    if (cut == bvSpace) top = bottom = FColor;
    Frame3D(FCanvas.get(), rect, top, bottom, FBevelWidth);
  };
  // With visual styles the parent's background shows through the border too.
  const bool parentShows = FParentBackground && ThemeServices().ThemesEnabled();
  frame(FBevelOuter);
  if (FBorderWidth > 0 && parentShows)
    InflateRect(&rect, -FBorderWidth, -FBorderWidth);
  else if (FBorderWidth > 0)
    Frame3D(FCanvas.get(), rect, FColor, FColor, FBorderWidth);
  frame(FBevelInner);
  bool themedBackground = parentShows && ThemeServices().DrawParentBackground(FHandle, FCanvas->GetHandle(), &rect);
  if (!themedBackground) {
    FCanvas->GetBrush()->SetColor(FColor);
    FCanvas->GetBrush()->SetStyle(bsSolid);
    FCanvas->FillRect(rect);
  }
}

void TCustomPanel::PrepareCaptionCanvas() {
  FCanvas->GetFont()->Assign(FFont.get());
  FCanvas->GetBrush()->SetStyle(bsClear);
  FCanvas->RequiredState(csHandleValid | csFontValid | csBrushValid);
  SetBkMode(FCanvas->GetHandle(), TRANSPARENT);
  SetTextColor(FCanvas->GetHandle(), ColorToRGB(FFont->GetColor()));
}

UINT TCustomPanel::CaptionAlignmentFlag() const {
  static const UINT kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  return kAlign[FAlignment];
}

void TCustomPanel::CMTextChanged(TMessage& message) {
  TCustomControl::CMTextChanged(message);
  Invalidate();
}

void TCustomPanel::CMColorChanged(TMessage& message) {
  if (!FParentColor) FParentBackground = false;
  TCustomControl::CMColorChanged(message);
}

// ---- TBevel ---------------------------------------------------------------------------------
TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {
  FWidth = 50;
  FHeight = 50;
}

void TBevel::SetShape(TBevelShape value) {
  FShape = value;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle value) {
  FStyle = value;
  Invalidate();
}

void TBevel::Paint() {
  TColor first = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
  TColor second = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
  TPen* pen = FCanvas->GetPen();
  auto line = [&](TColor color, int x1, int y1, int x2, int y2) {
    pen->SetColor(color);
    FCanvas->MoveTo(x1, y1);
    FCanvas->LineTo(x2, y2);
  };
  int w = FWidth, h = FHeight;
  switch (FShape) {
    case bsBox: {
      RECT rect{0, 0, w, h};
      Frame3D(FCanvas.get(), rect, first, second, 1);
      break;
    }
    case bsFrame: {
      RECT outer{0, 0, w - 1, h - 1};
      Frame3D(FCanvas.get(), outer, first, first, 1);
      RECT inner{1, 1, w, h};
      Frame3D(FCanvas.get(), inner, second, second, 1);
      break;
    }
    case bsTopLine: line(first, 0, 0, w, 0); line(second, 0, 1, w, 1); break;
    case bsBottomLine: line(first, 0, h - 2, w, h - 2); line(second, 0, h - 1, w, h - 1); break;
    case bsLeftLine: line(first, 0, 0, 0, h); line(second, 1, 0, 1, h); break;
    case bsRightLine: line(first, w - 2, 0, w - 2, h); line(second, w - 1, 0, w - 1, h); break;
    case bsSpacer: break;
  }
}

// The library's own image and splitter (ExtCtrls.h says why they stand in a namespace).
namespace ExtCtrls {

// ---- TImage ---------------------------------------------------------------------------------
TImage::TImage(TComponent* owner) : TGraphicControl(owner), FPicture(new TPicture) {
  FWidth = 105;
  FHeight = 105;
  FPicture->SetOnChange(TNotifyEvent(this, &TImage::PictureChanged));
  FPicture->SetOnProgress(TProgressEvent(this, &TImage::Progress));
}

TImage::~TImage() = default;

void TImage::ReplacePicture(TPicture* picture) {
  picture->Assign(FPicture.get());
  FPicture.reset(picture);
  FPicture->SetOnChange(TNotifyEvent(this, &TImage::PictureChanged));
  FPicture->SetOnProgress(TProgressEvent(this, &TImage::Progress));
}

void TImage::SetAutoSize(bool value) {
  FAutoSize = value;
  PictureChanged(this);
}

void TImage::SetCenter(bool value) {
  FCenter = value;
  Invalidate();
}

void TImage::SetStretch(bool value) {
  FStretch = value;
  Invalidate();
}

void TImage::SetProportional(bool value) {
  FProportional = value;
  Invalidate();
}

void TImage::SetTransparent(bool value) {
  FTransparent = value;
  if (TGraphic* graphic = FPicture->GetGraphic()) graphic->SetTransparent(value);
  Invalidate();
}

void TImage::PictureChanged(TObject*) {
  TGraphic* graphic = FPicture->GetGraphic();
  if (FAutoSize && graphic && graphic->GetWidth() > 0 && graphic->GetHeight() > 0)
    SetBounds(FLeft, FTop, graphic->GetWidth(), graphic->GetHeight());
  if (graphic && FTransparent) graphic->SetTransparent(true);
  Invalidate();
}

void TImage::Progress(TObject* sender, TProgressStage stage, std::uint8_t percentDone,
                      bool redrawNow, const RECT& rect, const std::string& message) {
  if (OnProgress) OnProgress(sender, stage, percentDone, redrawNow, rect, message);
}

RECT TImage::DestRect() {
  int w = FPicture->GetWidth(), h = FPicture->GetHeight();
  int cw = FWidth, ch = FHeight;
  if (FStretch || (FProportional && (w > cw || h > ch))) {
    if (FProportional && w > 0 && h > 0) {
      double scale = std::min(static_cast<double>(cw) / w, static_cast<double>(ch) / h);
      w = static_cast<int>(w * scale);
      h = static_cast<int>(h * scale);
    } else {
      w = cw;
      h = ch;
    }
  }
  RECT rect{0, 0, w, h};
  if (FCenter) OffsetRect(&rect, (cw - w) / 2, (ch - h) / 2);
  return rect;
}

void TImage::Paint() {
  TGraphic* graphic = FPicture->GetGraphic();
  if (!graphic || graphic->GetEmpty()) return;
  FCanvas->StretchDraw(DestRect(), graphic);
}

// ---- TSplitter ------------------------------------------------------------------------------
TSplitter::TSplitter(TComponent* owner) : TGraphicControl(owner) {
  FAlign = alLeft;
  FWidth = 3;
  FHeight = 100;
  FCursor = -14;  // the horizontal sizing cursor
}

// The visible control with the same alignment that touches the splitter on its far side.
TControl* TSplitter::FindResizeControl() {
  if (!FParent) return nullptr;
  for (int i = 0; i < FParent->GetControlCount(); ++i) {
    TControl* c = FParent->GetControl(i);
    if (c == this || !c->GetVisible() || c->GetAlign() != FAlign) continue;
    RECT r = c->GetBoundsRect();
    bool touches = false;
    switch (FAlign) {
      case alLeft: touches = r.right == FLeft; break;
      case alRight: touches = r.left == FLeft + FWidth; break;
      case alTop: touches = r.bottom == FTop; break;
      case alBottom: touches = r.top == FTop + FHeight; break;
      default: break;
    }
    if (touches) return c;
  }
  return nullptr;
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  FResizing = FindResizeControl();
  if (!FResizing) return;
  FDownPos = ClientToScreen(POINT{x, y});
  bool horizontal = FAlign == alLeft || FAlign == alRight;
  FStartSize = horizontal ? FResizing->GetWidth() : FResizing->GetHeight();
}

void TSplitter::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (!FResizing || FResizeStyle == rsNone) return;
  POINT at = ClientToScreen(POINT{x, y});
  int delta = 0;
  switch (FAlign) {
    case alLeft: delta = at.x - FDownPos.x; break;
    case alRight: delta = FDownPos.x - at.x; break;
    case alTop: delta = at.y - FDownPos.y; break;
    case alBottom: delta = FDownPos.y - at.y; break;
    default: return;
  }
  int size = std::max(FMinSize, FStartSize + delta);
  if (FAlign == alLeft || FAlign == alRight) FResizing->SetWidth(size);
  else FResizing->SetHeight(size);
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (!FResizing) return;
  FResizing = nullptr;
  if (OnMoved) OnMoved(this);
}

void TSplitter::Paint() {
  FCanvas->GetBrush()->SetColor(FParent ? FParent->GetColor() : clBtnFace);
  FCanvas->FillRect(GetClientRect());
}

}  // namespace ExtCtrls

// ---- TLabeledEdit ---------------------------------------------------------------------------
TBoundLabel::TBoundLabel(TComponent* owner) : TCustomLabel(owner) {}

TCustomLabeledEdit::TCustomLabeledEdit(TComponent* owner)
    : TCustomEdit(owner), FEditLabel(new TBoundLabel(this)) {
  FEditLabel->FreeNotification(this);
}

void TCustomLabeledEdit::Notification(TComponent* component, TOperation operation) {
  TCustomEdit::Notification(component, operation);
  if (operation == opRemove && component == FEditLabel) FEditLabel = nullptr;
}

void TCustomLabeledEdit::SetLabelPosition(TLabelPosition value) {
  FLabelPosition = value;
  PlaceLabel();
}

void TCustomLabeledEdit::SetLabelSpacing(int value) {
  FLabelSpacing = value;
  PlaceLabel();
}

void TCustomLabeledEdit::SetParent(TWinControl* parent) {
  TCustomEdit::SetParent(parent);
  if (!FEditLabel) return;
  FEditLabel->SetParent(parent);
  PlaceLabel();
}

void TCustomLabeledEdit::SetBounds(int left, int top, int width, int height) {
  TCustomEdit::SetBounds(left, top, width, height);
  PlaceLabel();
}

void TCustomLabeledEdit::PlaceLabel() {
  if (!FEditLabel) return;
  int lw = FEditLabel->GetWidth(), lh = FEditLabel->GetHeight();
  switch (FLabelPosition) {
    case lpAbove: FEditLabel->SetBounds(FLeft, FTop - lh - FLabelSpacing, lw, lh); break;
    case lpBelow: FEditLabel->SetBounds(FLeft, FTop + FHeight + FLabelSpacing, lw, lh); break;
    case lpLeft: FEditLabel->SetBounds(FLeft - lw - FLabelSpacing, FTop + (FHeight - lh) / 2, lw, lh); break;
    case lpRight: FEditLabel->SetBounds(FLeft + FWidth + FLabelSpacing, FTop + (FHeight - lh) / 2, lw, lh); break;
  }
}

void TCustomLabeledEdit::CMVisibleChanged(TMessage& message) {
  TCustomEdit::CMVisibleChanged(message);
  if (FEditLabel) FEditLabel->SetVisible(FVisible);
}

void TCustomLabeledEdit::CMEnabledChanged(TMessage& message) {
  TCustomEdit::CMEnabledChanged(message);
  if (FEditLabel) FEditLabel->SetEnabled(FEnabled);
}

// ---- published properties -------------------------------------------------------------------
void TTimer::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TTimer>();
  p.Boolean("Enabled", &TTimer::GetEnabled, &TTimer::SetEnabled);
  p.Integer("Interval", &TTimer::GetInterval, &TTimer::SetInterval);
  p.Event("OnTimer", &TTimer::GetOnTimer, &TTimer::SetOnTimer);
}

void TCustomPanel::DeclareProperties(TPropertyTable& table) {
  static const TIdentMap kCuts{{"bvNone", bvNone}, {"bvLowered", bvLowered}, {"bvRaised", bvRaised},
                               {"bvSpace", bvSpace}};
  static const TIdentMap kBorders{{"bsNone", bsNoBorder}, {"bsSingle", bsSingleBorder}};
  static const TIdentMap kAlignments{{"taLeftJustify", taLeftJustify}, {"taRightJustify", taRightJustify},
                                     {"taCenter", taCenter}};
  auto p = table.For<TCustomPanel>();
  p.Enum("BevelInner", &TCustomPanel::GetBevelInner, &TCustomPanel::SetBevelInner, kCuts);
  p.Enum("BevelOuter", &TCustomPanel::GetBevelOuter, &TCustomPanel::SetBevelOuter, kCuts);
  p.Integer("BevelWidth", &TCustomPanel::GetBevelWidth, &TCustomPanel::SetBevelWidth);
  p.Integer("BorderWidth", &TCustomPanel::GetBorderWidth, &TCustomPanel::SetBorderWidth);
  p.Enum("BorderStyle", &TCustomPanel::GetBorderStyle, &TCustomPanel::SetBorderStyle, kBorders);
  p.Enum("Alignment", &TCustomPanel::GetAlignment, &TCustomPanel::SetAlignment, kAlignments);
  p.Boolean("ParentBackground", &TCustomPanel::GetParentBackground, &TCustomPanel::SetParentBackground);
}

void TBevel::DeclareProperties(TPropertyTable& table) {
  static const TIdentMap kShapes{{"bsBox", bsBox}, {"bsFrame", bsFrame}, {"bsTopLine", bsTopLine},
                                 {"bsBottomLine", bsBottomLine}, {"bsLeftLine", bsLeftLine},
                                 {"bsRightLine", bsRightLine}, {"bsSpacer", bsSpacer}};
  static const TIdentMap kStyles{{"bsLowered", bsLowered}, {"bsRaised", bsRaised}};
  auto p = table.For<TBevel>();
  p.Enum("Shape", &TBevel::GetShape, &TBevel::SetShape, kShapes);
  p.Enum("Style", &TBevel::GetStyle, &TBevel::SetStyle, kStyles);
}

namespace ExtCtrls {

void TImage::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TImage>();
  p.Object("Picture", &TImage::GetPicture);
  p.Boolean("AutoSize", &TImage::GetAutoSize, &TImage::SetAutoSize);
  p.Boolean("Center", &TImage::GetCenter, &TImage::SetCenter);
  p.Boolean("Stretch", &TImage::GetStretch, &TImage::SetStretch);
  p.Boolean("Proportional", &TImage::GetProportional, &TImage::SetProportional);
  p.Boolean("Transparent", &TImage::GetTransparent, &TImage::SetTransparent);
}

void TSplitter::DeclareProperties(TPropertyTable& table) {
  static const TIdentMap kStyles{{"rsNone", rsNone}, {"rsLine", rsLine}, {"rsUpdate", rsUpdate},
                                 {"rsPattern", rsPattern}};
  auto p = table.For<TSplitter>();
  p.Integer("MinSize", &TSplitter::GetMinSize, &TSplitter::SetMinSize);
  p.Enum("ResizeStyle", &TSplitter::GetResizeStyle, &TSplitter::SetResizeStyle, kStyles);
  p.Event("OnMoved", &TSplitter::OnMoved);
}

}  // namespace ExtCtrls

void TCustomLabeledEdit::DeclareProperties(TPropertyTable& table) {
  static const TIdentMap kPositions{{"lpAbove", lpAbove}, {"lpBelow", lpBelow}, {"lpLeft", lpLeft},
                                    {"lpRight", lpRight}};
  auto p = table.For<TCustomLabeledEdit>();
  p.Object("EditLabel", &TCustomLabeledEdit::GetEditLabel);
  p.Enum("LabelPosition", &TCustomLabeledEdit::GetLabelPosition, &TCustomLabeledEdit::SetLabelPosition, kPositions);
  p.Integer("LabelSpacing", &TCustomLabeledEdit::GetLabelSpacing, &TCustomLabeledEdit::SetLabelSpacing);
}

void RegisterExtraControls() {
  RegisterClasses({TTimer::StaticClass(),
                   ExtCtrls::TPanel::StaticClass(),
                   TBevel::StaticClass(),
                   ExtCtrls::TImage::StaticClass(),
                   ExtCtrls::TSplitter::StaticClass(),
                   TLabeledEdit::StaticClass()});
}
