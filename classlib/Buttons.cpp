// Speed buttons and bitmap buttons.
#include "classlib/Buttons.h"

#include <algorithm>

#include "classlib/ActnList.h"

// ---- drawing --------------------------------------------------------------------------------
void DrawButtonFace(TCanvas* canvas, const RECT& rect, TBitmap* glyph, int numGlyphs,
                    const std::string& caption, TButtonLayout layout, int margin, int spacing,
                    bool enabled, UINT biDiFlags) {
  HDC dc = canvas->GetHandle();
  canvas->RequiredState(csHandleValid | csFontValid);
  SIZE text{0, 0};
  RECT measured{0, 0, rect.right - rect.left, 0};
  if (!caption.empty()) {
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &measured,
              DT_CALCRECT | DT_SINGLELINE | biDiFlags);
    text = SIZE{measured.right - measured.left, measured.bottom - measured.top};
  }
  SIZE image{0, 0};
  if (glyph && !glyph->GetEmpty())
    image = SIZE{glyph->GetWidth() / std::max(1, numGlyphs), glyph->GetHeight()};
  if (image.cx == 0 || text.cx == 0) spacing = 0;
  bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
  int total = horizontal ? image.cx + spacing + text.cx : image.cy + spacing + text.cy;
  int room = horizontal ? rect.right - rect.left : rect.bottom - rect.top;
  int start = margin < 0 ? (room - total) / 2 : margin;
  POINT imageAt{}, textAt{};
  int cx = rect.left + (rect.right - rect.left) / 2, cy = rect.top + (rect.bottom - rect.top) / 2;
  switch (layout) {
    case blGlyphLeft:
      imageAt = {rect.left + start, cy - image.cy / 2};
      textAt = {imageAt.x + image.cx + spacing, cy - text.cy / 2};
      break;
    case blGlyphRight:
      textAt = {rect.left + start, cy - text.cy / 2};
      imageAt = {textAt.x + text.cx + spacing, cy - image.cy / 2};
      break;
    case blGlyphTop:
      imageAt = {cx - image.cx / 2, rect.top + start};
      textAt = {cx - text.cx / 2, imageAt.y + image.cy + spacing};
      break;
    case blGlyphBottom:
      textAt = {cx - text.cx / 2, rect.top + start};
      imageAt = {cx - image.cx / 2, textAt.y + text.cy + spacing};
      break;
  }
  if (image.cx > 0) {
    RECT source{0, 0, image.cx, image.cy};
    RECT dest{imageAt.x, imageAt.y, imageAt.x + image.cx, imageAt.y + image.cy};
    canvas->CopyRect(dest, glyph->GetCanvas(), source);
  }
  if (text.cx > 0) {
    // The measured width is the advance of the characters: a letter may reach beyond it (the
    // overhang of its last stroke), so the text is drawn unclipped.
    RECT textRect{textAt.x, textAt.y, textAt.x + text.cx, textAt.y + text.cy};
    SetBkMode(dc, TRANSPARENT);
    if (!enabled) {
      RECT shifted = textRect;
      OffsetRect(&shifted, 1, 1);
      SetTextColor(dc, ColorToRGB(clBtnHighlight));
      DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &shifted, DT_SINGLELINE | DT_NOCLIP | biDiFlags);
      SetTextColor(dc, ColorToRGB(clBtnShadow));
    } else {
      SetTextColor(dc, ColorToRGB(canvas->GetFont()->GetColor()));
    }
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect, DT_SINGLELINE | DT_NOCLIP | biDiFlags);
  }
}

// ---- TButtonGlyph ---------------------------------------------------------------------------
TButtonGlyph::TButtonGlyph() : FGlyph(new TBitmap) {}
TButtonGlyph::~TButtonGlyph() = default;

void TButtonGlyph::SetGlyph(TBitmap* value) {
  FGlyph->Assign(value);
  GlyphLayoutChanged();
}

void TButtonGlyph::SetNumGlyphs(int value) {
  FNumGlyphs = std::clamp(value, 1, 4);
  GlyphLayoutChanged();
}

void TButtonGlyph::SetLayout(TButtonLayout value) {
  FLayout = value;
  GlyphLayoutChanged();
}

void TButtonGlyph::SetMargin(int value) {
  FMargin = value;
  GlyphLayoutChanged();
}

void TButtonGlyph::SetSpacing(int value) {
  FSpacing = value;
  GlyphLayoutChanged();
}

void TButtonGlyph::DrawFace(TCanvas* canvas, const RECT& rect, const std::string& caption, bool enabled,
                            UINT biDiFlags) const {
  DrawButtonFace(canvas, rect, FGlyph.get(), FNumGlyphs, caption, FLayout, FMargin, FSpacing, enabled, biDiFlags);
}

const TIdentMap& TButtonGlyph::ButtonLayoutIdents() {
  static const TIdentMap kLayouts{{"blGlyphLeft", blGlyphLeft}, {"blGlyphRight", blGlyphRight},
                                  {"blGlyphTop", blGlyphTop}, {"blGlyphBottom", blGlyphBottom}};
  return kLayouts;
}

// ---- TSpeedButton ---------------------------------------------------------------------------
TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
  FControlStyle &= ~csClickEvents;  // the button decides itself when it was clicked
  FWidth = 23;
  FHeight = 22;
  FGlyph->SetOnChange(TNotifyEvent(this, &TSpeedButton::GlyphChanged));
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetDown(bool value) {
  if (FGroupIndex == 0) value = false;
  if (FDown == value) return;
  if (FDown && !FAllowAllUp) {
    bool othersDown = false;
    if (FParent)
      for (int i = 0; i < FParent->GetControlCount(); ++i)
        if (auto* b = dynamic_cast<TSpeedButton*>(FParent->GetControl(i)); b && b != this && b->FGroupIndex == FGroupIndex && b->FDown)
          othersDown = true;
    if (!othersDown && !value) return;
  }
  FDown = value;
  if (value && FParent)
    for (int i = 0; i < FParent->GetControlCount(); ++i)
      if (auto* b = dynamic_cast<TSpeedButton*>(FParent->GetControl(i));
          b && b != this && b->FGroupIndex == FGroupIndex && b->FDown) {
        b->FDown = false;
        b->Invalidate();
      }
  Invalidate();
}

void TSpeedButton::GlyphChanged(TObject*) { Invalidate(); }

void TSpeedButton::SetFlat(bool value) {
  FFlat = value;
  Invalidate();
}

void TSpeedButton::Paint() {
  RECT rect = GetClientRect();
  bool pressed = FDown || FPressing;
  FCanvas->GetBrush()->SetColor(clBtnFace);
  FCanvas->GetBrush()->SetStyle(bsSolid);
  FCanvas->FillRect(rect);
  if (!FFlat || pressed) {
    UINT state = DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0) | (FEnabled ? 0 : DFCS_INACTIVE);
    DrawFrameControl(FCanvas->GetHandle(), &rect, DFC_BUTTON, state);
  }
  if (pressed) OffsetRect(&rect, 1, 1);
  FCanvas->GetFont()->Assign(FFont.get());
  DrawFace(FCanvas.get(), rect, GetText(), FEnabled, DrawTextBiDiModeFlagsReadingOnly());
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || !FEnabled) return;
  FPressing = true;
  Invalidate();
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (button != mbLeft || !FPressing) return;
  FPressing = false;
  RECT client = GetClientRect();
  bool inside = PtInRect(&client, POINT{x, y});
  if (inside && FGroupIndex != 0) SetDown(FAllowAllUp ? !FDown : true);
  Invalidate();
  if (inside) Click();
}

void TSpeedButton::CMTextChanged(TMessage& message) {
  TGraphicControl::CMTextChanged(message);
  Invalidate();
}

// ---- TBitBtn --------------------------------------------------------------------------------
namespace {

struct KindInfo {
  const char* caption;
  int modalResult;
};
constexpr KindInfo kKinds[] = {
    {"", mrNone},        {"OK", mrOk},         {"Cancel", mrCancel}, {"&Help", mrNone},
    {"&Yes", mrYes},     {"&No", mrNo},        {"&Close", mrNone},   {"Abort", mrAbort},
    {"&Retry", mrRetry}, {"&Ignore", mrIgnore}, {"&All", mrAll}};

}  // namespace

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner), FCanvas(new TControlCanvas) {
  FCanvas->SetControl(this);
}

TBitBtn::~TBitBtn() {
  if (FHandle) DestroyHandle();
  FGlyph.reset();
  FCanvas.reset();
}

void TBitBtn::SetKind(TBitBtnKind value) {
  FKind = value;
  if (value == bkCustom) return;
  SetCaption(kKinds[value].caption);
  FModalResult = kKinds[value].modalResult;
  if (value == bkOK || value == bkYes) SetDefault(true);
  if (value == bkCancel || value == bkNo) SetCancel(true);
}

void TBitBtn::CreateParams(TCreateParams& params) {
  TButton::CreateParams(params);
  params.Style = (params.Style & ~(BS_DEFPUSHBUTTON | BS_PUSHBUTTON)) | BS_OWNERDRAW;
}

// The close kind closes its form; the others act as a push button.
void TBitBtn::Click() {
  if (FKind == bkClose) {
    if (IParentForm* form = ParentFormOf(this)) {
      form->Close();
      return;
    }
  }
  TButton::Click();
}

void TBitBtn::CNDrawItem(TMessage& message) {
  const DRAWITEMSTRUCT& draw = *MessageAs<TWMDrawItem>(message).DrawItemStruct;
  bool pressed = draw.itemState & ODS_SELECTED;
  bool focused = draw.itemState & ODS_FOCUS;
  RECT rect = draw.rcItem;
  TCanvasPainting painting(FCanvas.get(), draw.hDC);
  UINT state = DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0) | (FEnabled ? 0 : DFCS_INACTIVE);
  DrawFrameControl(draw.hDC, &rect, DFC_BUTTON, state);
  if (pressed) OffsetRect(&rect, 1, 1);
  FCanvas->GetFont()->Assign(FFont.get());
  DrawFace(FCanvas.get(), rect, GetText(), FEnabled, DrawTextBiDiModeFlagsReadingOnly());
  if (focused) {
    RECT focus = draw.rcItem;
    InflateRect(&focus, -4, -4);
    DrawFocusRect(draw.hDC, &focus);
  }
  message.Result = 1;
}

void TBitBtn::Dispatch(TMessage& message) {
  if (message.Msg == CN_DRAWITEM) {
    CNDrawItem(message);
    return;
  }
  TButton::Dispatch(message);
}

// ---- published properties -------------------------------------------------------------------

void TSpeedButton::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TSpeedButton>();
  p.Boolean("AllowAllUp", &TSpeedButton::GetAllowAllUp, &TSpeedButton::SetAllowAllUp);
  p.Integer("GroupIndex", &TSpeedButton::GetGroupIndex, &TSpeedButton::SetGroupIndex);
  p.Boolean("Down", &TSpeedButton::GetDown, &TSpeedButton::SetDown);
  p.Boolean("Flat", &TSpeedButton::GetFlat, &TSpeedButton::SetFlat);
  DeclareGlyphProperties(p);
}

void TBitBtn::DeclareProperties(TPropertyTable& table) {
  static const TIdentMap kKindIdents{{"bkCustom", bkCustom}, {"bkOK", bkOK}, {"bkCancel", bkCancel},
                                     {"bkHelp", bkHelp}, {"bkYes", bkYes}, {"bkNo", bkNo},
                                     {"bkClose", bkClose}, {"bkAbort", bkAbort}, {"bkRetry", bkRetry},
                                     {"bkIgnore", bkIgnore}, {"bkAll", bkAll}};
  auto p = table.For<TBitBtn>();
  p.Enum("Kind", &TBitBtn::GetKind, &TBitBtn::SetKind, kKindIdents);
  DeclareGlyphProperties(p);
}


TClass TSpeedButton::GetActionLinkClass() const { return TSpeedButtonActionLink::StaticClass(); }

TClass TBitBtn::GetActionLinkClass() const { return TBitBtnActionLink::StaticClass(); }

// ---- action links ---------------------------------------------------------------------------
namespace {

TCustomAction* CustomAction(TBasicAction* action) { return dynamic_cast<TCustomAction*>(action); }

}  // namespace

TSpeedButton* TSpeedButtonActionLink::Button() const { return dynamic_cast<TSpeedButton*>(FClient); }

bool TSpeedButtonActionLink::IsCheckedLinked() const {
  TCustomAction* action = CustomAction(FAction);
  return action && Button() && Button()->GetDown() == action->GetChecked();
}

bool TSpeedButtonActionLink::IsGroupIndexLinked() const {
  TCustomAction* action = CustomAction(FAction);
  return action && Button() && Button()->GetGroupIndex() == action->GetGroupIndex();
}

void TSpeedButtonActionLink::SetChecked(bool value) {
  if (IsCheckedLinked()) Button()->SetDown(value);
}

void TSpeedButtonActionLink::SetGroupIndex(int value) {
  if (IsGroupIndexLinked()) Button()->SetGroupIndex(value);
}

bool TBitBtnActionLink::IsGroupIndexLinked() const { return CustomAction(FAction) != nullptr; }

void RegisterButtonControls() {
  RegisterClasses({TSpeedButton::StaticClass(), TBitBtn::StaticClass()});
  RegisterActionLinkClass<TSpeedButtonActionLink>();
  RegisterActionLinkClass<TBitBtnActionLink>();
}
