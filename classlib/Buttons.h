// Buttons with pictures: the speed button (no window of its own, can stay pressed and form
// groups) and the bitmap button (a push button that draws its glyph and caption itself).
#pragma once

#include <memory>
#include <string>

#include "classlib/Classes.h"
#include "classlib/Controls.h"
#include "classlib/Graphics.h"
#include "classlib/StdCtrls.h"
#include "classlib/TypInfo.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry,
                   bkIgnore, bkAll };

// Draws a glyph (the first of its NumGlyphs images) and a caption centred in `rect`.
void DrawButtonFace(TCanvas* canvas, const RECT& rect, TBitmap* glyph, int numGlyphs,
                    const std::string& caption, TButtonLayout layout, int margin, int spacing,
                    bool enabled, UINT biDiFlags);

// The glyph of a button and where it stands beside the caption, shared by both button kinds.
// A change of any of them repaints the button (GlyphLayoutChanged).
class TButtonGlyph {
 public:
  TBitmap* GetGlyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* value);
  int GetNumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int value);
  TButtonLayout GetLayout() const { return FLayout; }
  void SetLayout(TButtonLayout value);
  int GetMargin() const { return FMargin; }
  void SetMargin(int value);
  int GetSpacing() const { return FSpacing; }
  void SetSpacing(int value);

 protected:
  TButtonGlyph();
  virtual ~TButtonGlyph();
  TButtonGlyph(const TButtonGlyph&) = delete;
  TButtonGlyph& operator=(const TButtonGlyph&) = delete;

  virtual void GlyphLayoutChanged() = 0;
  // Draws the glyph and caption centred in rect on the canvas, with the canvas's font.
  void DrawFace(TCanvas* canvas, const RECT& rect, const std::string& caption, bool enabled, UINT biDiFlags) const;
  // Publishes Glyph, NumGlyphs, Layout, Margin and Spacing of the button class C.
  template <class C>
  static void DeclareGlyphProperties(TClassProperties<C>& p) {
    p.Object("Glyph", &C::GetGlyph);
    p.Integer("NumGlyphs", &C::GetNumGlyphs, &C::SetNumGlyphs);
    p.Enum("Layout", &C::GetLayout, &C::SetLayout, ButtonLayoutIdents());
    p.Integer("Margin", &C::GetMargin, &C::SetMargin);
    p.Integer("Spacing", &C::GetSpacing, &C::SetSpacing);
  }
  static const TIdentMap& ButtonLayoutIdents();

  std::unique_ptr<TBitmap> FGlyph;
  int FNumGlyphs = 1;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
};

class TSpeedButton;

class TSpeedButtonActionLink : public TControlActionLink {
  KX_CLASS(TSpeedButtonActionLink, TControlActionLink)
 public:
  using TControlActionLink::TControlActionLink;
  bool IsCheckedLinked() const override;
  virtual bool IsGroupIndexLinked() const;
  void SetChecked(bool value) override;
  virtual void SetGroupIndex(int value);

 private:
  TSpeedButton* Button() const;
};

class TBitBtnActionLink : public TButtonActionLink {
  KX_CLASS(TBitBtnActionLink, TButtonActionLink)
 public:
  using TButtonActionLink::TButtonActionLink;
  virtual bool IsGroupIndexLinked() const;
  virtual void SetGroupIndex(int) {}
};

class TSpeedButton : public TGraphicControl, public TButtonGlyph {
  KX_COMPONENT(TSpeedButton, TGraphicControl)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TSpeedButton(TComponent* owner);
  TClass GetActionLinkClass() const override;
  ~TSpeedButton() override;
  bool GetDown() const { return FDown; }
  // Pressing one button of a group releases the others of the same parent.
  void SetDown(bool value);
  int GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int value) { FGroupIndex = value; }
  bool GetAllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool value) { FAllowAllUp = value; }
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool value);

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void CMTextChanged(TMessage& message) override;
  void GlyphChanged(TObject* sender);
  void GlyphLayoutChanged() override { Invalidate(); }
  bool FDown = false;
  bool FPressing = false;
  int FGroupIndex = 0;
  bool FAllowAllUp = false;
  bool FFlat = false;
};

// Stays the library's 8-bit push button underneath: the wide layer leaves bitmap buttons alone.
class TBitBtn : public StdCtrls::TButton, public TButtonGlyph {
  KX_COMPONENT(TBitBtn, StdCtrls::TButton)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TBitBtn(TComponent* owner);
  TClass GetActionLinkClass() const override;
  ~TBitBtn() override;
  TBitBtnKind GetKind() const { return FKind; }
  // A kind other than bkCustom sets the caption, the modal result and Default or Cancel.
  void SetKind(TBitBtnKind value);
  void CreateParams(TCreateParams& params) override;
  void Click() override;

 protected:
  void Dispatch(TMessage& message) override;
  void CNDrawItem(TMessage& message);
  void GlyphLayoutChanged() override { Invalidate(); }
  TBitBtnKind FKind = bkCustom;
  std::unique_ptr<TControlCanvas> FCanvas;
};

// Registers the speed and bitmap buttons for form descriptions, and their action links.
void RegisterButtonControls();
