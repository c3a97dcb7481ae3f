// Graphics of the class library: colours, the font, brush and pen a canvas draws with, the
// canvas over a device context, and the picture classes (graphic, bitmap, icon, picture
// container with its file-format and clipboard-format registry).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Classes.h"
#include "classlib/ScopedHandles.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"

// ---------------------------------------------------------------------------------------------
// Colours: 0x00BBGGRR, or a system colour (clSystemColor plus the COLOR_ index).

using TColor = std::int32_t;

constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);
constexpr TColor clScrollBar = clSystemColor | COLOR_SCROLLBAR;
constexpr TColor clBackground = clSystemColor | COLOR_BACKGROUND;
constexpr TColor clActiveCaption = clSystemColor | COLOR_ACTIVECAPTION;
constexpr TColor clInactiveCaption = clSystemColor | COLOR_INACTIVECAPTION;
constexpr TColor clMenu = clSystemColor | COLOR_MENU;
constexpr TColor clWindow = clSystemColor | COLOR_WINDOW;
constexpr TColor clWindowFrame = clSystemColor | COLOR_WINDOWFRAME;
constexpr TColor clMenuText = clSystemColor | COLOR_MENUTEXT;
constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
constexpr TColor clCaptionText = clSystemColor | COLOR_CAPTIONTEXT;
constexpr TColor clActiveBorder = clSystemColor | COLOR_ACTIVEBORDER;
constexpr TColor clInactiveBorder = clSystemColor | COLOR_INACTIVEBORDER;
constexpr TColor clAppWorkSpace = clSystemColor | COLOR_APPWORKSPACE;
constexpr TColor clHighlight = clSystemColor | COLOR_HIGHLIGHT;
constexpr TColor clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT;
constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
constexpr TColor clBtnShadow = clSystemColor | COLOR_BTNSHADOW;
constexpr TColor clGrayText = clSystemColor | COLOR_GRAYTEXT;
constexpr TColor clBtnText = clSystemColor | COLOR_BTNTEXT;
constexpr TColor clInactiveCaptionText = clSystemColor | COLOR_INACTIVECAPTIONTEXT;
constexpr TColor clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT;
constexpr TColor cl3DDkShadow = clSystemColor | COLOR_3DDKSHADOW;
constexpr TColor cl3DLight = clSystemColor | COLOR_3DLIGHT;
constexpr TColor clInfoText = clSystemColor | COLOR_INFOTEXT;
constexpr TColor clInfoBk = clSystemColor | COLOR_INFOBK;
constexpr TColor clHotLight = clSystemColor | COLOR_HOTLIGHT;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// The RGB value of a colour; system colours are looked up in the current scheme.
COLORREF ColorToRGB(TColor color);

// A new palette of the first 256 entries of `palette`, which the caller owns; nullptr for none.
HPALETTE CopyPalette(HPALETTE palette);

// ---------------------------------------------------------------------------------------------
// Errors of the picture classes.

KX_EXCEPTION(EInvalidGraphic, Exception)
KX_EXCEPTION(EInvalidGraphicOperation, Exception)

// ---------------------------------------------------------------------------------------------
// Font, brush and pen: each makes its system object on demand and announces every change
// through OnChange (a canvas reselects, a control performs CM_FONTCHANGED).

class TGraphicsObject : public TPersistent {
  KX_CLASS(TGraphicsObject, TPersistent)
 public:
  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent value) { FOnChange = value; }

 protected:
  virtual void Changed();
  // Announces a change of an object whose system `handle` is made on demand: listeners switch
  // to a new handle while the old one still exists, then it goes.
  template <typename Handle>
  void ChangedReleasing(ScopedGdiObj<Handle>& handle) {
    ScopedGdiObj<Handle> old(std::move(handle));
    TGraphicsObject::Changed();
  }
  // Sets a property's field and announces the change; setting the value it has changes nothing.
  template <typename T>
  void ChangeField(T& field, const T& value) {
    if (value == field) return;
    field = value;
    Changed();
  }

 private:
  TNotifyEvent FOnChange;
};

enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = std::uint8_t;  // a combination of TFontStyle bits
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = std::uint8_t;

class TFont : public TGraphicsObject {
  KX_CLASS(TFont, TGraphicsObject)
 public:
  // Name, Height, Size, Color, Style, Charset and Pitch, as form descriptions give them
  // (defined beside the controls' properties, which share the colour identifiers).
  static void DeclareProperties(TPropertyTable& table);
  TFont();
  ~TFont() override;
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;

  void Assign(TPersistent* source) override;

  // The font object for the current attributes, made on first use after a change.
  HFONT GetHandle();
  // Takes the attributes of a font object; the object itself stays the caller's.
  void SetHandle(HFONT value);

  std::string GetName() const { return FName; }
  void SetName(const std::string& value);
  // Negative: character height in pixels; positive: cell height.
  int GetHeight() const { return FHeight; }
  void SetHeight(int value);
  // Size in points, at the screen's pixels per inch.
  int GetSize() const;
  void SetSize(int value);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor value);
  TFontStyles GetStyle() const { return FStyle; }
  void SetStyle(TFontStyles value);
  TFontCharset GetCharset() const { return FCharset; }
  void SetCharset(TFontCharset value);
  TFontPitch GetPitch() const { return FPitch; }
  void SetPitch(TFontPitch value);
  int GetPixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int value) { FPixelsPerInch = value; }

 protected:
  void Changed() override;

 private:
  void FreeFontHandle();

  std::string FName;
  int FHeight;
  TColor FColor;
  TFontStyles FStyle = 0;
  TFontCharset FCharset = DEFAULT_CHARSET;
  TFontPitch FPitch = fpDefault;
  int FPixelsPerInch;
  ScopedGdiObj<HFONT> FHandle;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross,
                   bsDiagCross };

class TBrush : public TGraphicsObject {
  KX_CLASS(TBrush, TGraphicsObject)
 public:
  TBrush() = default;
  ~TBrush() override;
  TBrush(const TBrush&) = delete;
  TBrush& operator=(const TBrush&) = delete;

  void Assign(TPersistent* source) override;
  HBRUSH GetHandle();
  TColor GetColor() const { return FColor; }
  void SetColor(TColor value);
  TBrushStyle GetStyle() const { return FStyle; }
  void SetStyle(TBrushStyle value);

 protected:
  void Changed() override;

 private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
  ScopedGdiObj<HBRUSH> FHandle;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode { pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
                pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor,
                pmNotXor };

class TPen : public TGraphicsObject {
  KX_CLASS(TPen, TGraphicsObject)
 public:
  TPen() = default;
  ~TPen() override;
  TPen(const TPen&) = delete;
  TPen& operator=(const TPen&) = delete;

  void Assign(TPersistent* source) override;
  HPEN GetHandle();
  TColor GetColor() const { return FColor; }
  void SetColor(TColor value);
  int GetWidth() const { return FWidth; }
  void SetWidth(int value);
  TPenStyle GetStyle() const { return FStyle; }
  void SetStyle(TPenStyle value);
  TPenMode GetMode() const { return FMode; }
  void SetMode(TPenMode value);

 protected:
  void Changed() override;

 private:
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
  ScopedGdiObj<HPEN> FHandle;
};

// ---------------------------------------------------------------------------------------------
// Canvas: a device context with a font, brush and pen that are selected on demand.

class TGraphic;

enum TCanvasStateBit : std::uint8_t {
  csHandleValid = 1, csFontValid = 2, csPenValid = 4, csBrushValid = 8
};
using TCanvasState = std::uint8_t;
enum TCanvasOrientation { coLeftToRight, coRightToLeft };

class TCanvas : public TPersistent {
  KX_CLASS(TCanvas, TPersistent)
 public:
  TCanvas();
  ~TCanvas() override;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // The device context, made by CreateHandle when the canvas has none yet.
  HDC GetHandle();
  // Hands the canvas a device context (or none); the context stays the caller's.
  void SetHandle(HDC value);
  bool HandleAllocated() const { return FHandle != nullptr; }
  // Makes the handle and the selected objects valid as asked (TCanvasStateBit values).
  void RequiredState(TCanvasState required);

  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* value) { FFont->Assign(value); }
  TBrush* GetBrush() const { return FBrush.get(); }
  void SetBrush(TBrush* value) { FBrush->Assign(value); }
  TPen* GetPen() const { return FPen.get(); }
  void SetPen(TPen* value) { FPen->Assign(value); }

  DWORD GetCopyMode() const { return FCopyMode; }
  void SetCopyMode(DWORD value) { FCopyMode = value; }
  // ETO_ flags for TextOut (ETO_RTLREADING, ETO_CLIPPED, ETO_OPAQUE).
  int GetTextFlags() const { return FTextFlags; }
  void SetTextFlags(int value) { FTextFlags = value; }
  TCanvasOrientation GetCanvasOrientation();
  POINT GetPenPos();
  void SetPenPos(POINT value) { MoveTo(value.x, value.y); }
  TColor GetPixel(int x, int y);
  void SetPixel(int x, int y, TColor color);
  RECT GetClipRect();

  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Rectangle(int left, int top, int right, int bottom);
  void FillRect(const RECT& rect);
  void FrameRect(const RECT& rect);
  void Draw(int x, int y, TGraphic* graphic);
  void StretchDraw(const RECT& rect, TGraphic* graphic);
  void CopyRect(const RECT& dest, TCanvas* canvas, const RECT& source);
  void TextOut(int x, int y, const std::string& text);
  void TextRect(const RECT& rect, int x, int y, const std::string& text);
  SIZE TextExtent(const std::string& text);
  int TextWidth(const std::string& text) { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) { return TextExtent(text).cy; }

  // Announce a drawing operation before and after it (OnChanging, OnChange).
  virtual void Changing();
  virtual void Changed();
  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent value) { FOnChange = value; }
  TNotifyEvent GetOnChanging() const { return FOnChanging; }
  void SetOnChanging(TNotifyEvent value) { FOnChanging = value; }

 protected:
  // Called when a handle is needed and none is set; the base canvas has no way to make one.
  virtual void CreateHandle();
  // Puts the system's stock objects back, so that ours can be changed or deleted.
  void DeselectHandles();

 private:
  void FontChanged(TObject* sender);
  void PenChanged(TObject* sender);
  void BrushChanged(TObject* sender);
  void SelectFont();

  HDC FHandle = nullptr;
  TCanvasState FState = 0;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TBrush> FBrush;
  std::unique_ptr<TPen> FPen;
  DWORD FCopyMode = SRCCOPY;
  int FTextFlags = 0;
  POINT FPenPos{0, 0};
  HGDIOBJ FStockFont = nullptr;
  HGDIOBJ FStockBrush = nullptr;
  HGDIOBJ FStockPen = nullptr;
  TNotifyEvent FOnChange;
  TNotifyEvent FOnChanging;
};

// The raised or lowered frame of panels and bevels: draws `width` rings inside `rect`, top and
// left in topColor, bottom and right in bottomColor, and leaves `rect` as the inner area.
void Frame3D(TCanvas* canvas, RECT& rect, TColor topColor, TColor bottomColor, int width);

// ---------------------------------------------------------------------------------------------
// Graphic: the base of every picture kind.

enum TProgressStage { psStarting, psRunning, psEnding };
// Sender, stage, percent done, redraw now, rectangle to redraw, message.
using TProgressEvent =
    TEvent<void(TObject*, TProgressStage, std::uint8_t, bool, const RECT&, const std::string&)>;

class TGraphic;
// A graphic class as the picture registry knows it: its name and how to make one.
struct TGraphicClassInfo {
  const char* name;
  TGraphic* (*create)();
};
using TGraphicClass = const TGraphicClassInfo*;

class TGraphic : public TPersistent {
  KX_CLASS(TGraphic, TPersistent)
 public:
  TGraphic() = default;
  TGraphic(const TGraphic&) = delete;
  TGraphic& operator=(const TGraphic&) = delete;

  virtual TGraphicClass ClassInfo() const = 0;
  virtual void Draw(TCanvas* canvas, const RECT& rect) = 0;
  // Same kind and the same saved bytes.
  virtual bool Equals(TGraphic* other);
  virtual bool GetEmpty() const = 0;
  virtual int GetWidth() const = 0;
  virtual int GetHeight() const = 0;
  virtual void SetWidth(int value) = 0;
  virtual void SetHeight(int value) = 0;
  virtual HPALETTE GetPalette() { return nullptr; }
  virtual void SetPalette(HPALETTE) {}
  virtual bool GetTransparent() const { return FTransparent; }
  virtual void SetTransparent(bool value);
  bool GetModified() const { return FModified; }
  void SetModified(bool value);

  virtual void LoadFromStream(TStream* stream) = 0;
  virtual void SaveToStream(TStream* stream) = 0;
  void LoadFromFile(const std::string& fileName);
  // Replaces the file only when the whole picture has been written in memory.
  void SaveToFile(const std::string& fileName);
  // Loads the bytes of a resource (of type RT_RCDATA unless given) through LoadFromStream.
  void LoadFromResourceName(HINSTANCE instance, const std::string& name,
                            LPCSTR type = RT_RCDATA);
  virtual void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette);
  virtual void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette);

  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent value) { FOnChange = value; }
  TProgressEvent GetOnProgress() const { return FOnProgress; }
  void SetOnProgress(TProgressEvent value) { FOnProgress = value; }

 protected:
  friend class TPicture;
  virtual void Changed(TObject* sender);
  // The graphic as a stored property of a form description; by default its stream.
  virtual void ReadData(TStream* stream) { LoadFromStream(stream); }
  virtual void WriteData(TStream* stream) { SaveToStream(stream); }
  virtual void Progress(TObject* sender, TProgressStage stage, std::uint8_t percentDone,
                        bool redrawNow, const RECT& rect, const std::string& message);

 private:
  bool FTransparent = false;
  bool FModified = false;
  TNotifyEvent FOnChange;
  TProgressEvent FOnProgress;
};

// ---------------------------------------------------------------------------------------------
// Bitmap: a device-independent bitmap (or a device bitmap in pfDevice) with a canvas.

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit,
                    pfCustom };
enum TBitmapHandleType { bmDIB, bmDDB };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap;
namespace dib {
struct Format;
}

// The canvas of a bitmap: a memory device context that always exists on demand, even while
// the bitmap is 0 x 0, so that text can be measured before the bitmap is sized.
class TBitmapCanvas : public TCanvas {
  KX_CLASS(TBitmapCanvas, TCanvas)
 public:
  explicit TBitmapCanvas(TBitmap* bitmap) : FBitmap(bitmap) {}
  ~TBitmapCanvas() override;

  // Takes the bitmap's current handle and palette into the device context.
  void SelectBitmap();
  // Releases the bitmap's handle from the device context (before it is replaced or freed).
  void DeselectBitmap();

 protected:
  void CreateHandle() override;

 private:
  TBitmap* FBitmap;
  HGDIOBJ FOldBitmap = nullptr;
  HPALETTE FOldPalette = nullptr;
};

class TBitmap : public TGraphic {
  KX_CLASS(TBitmap, TGraphic)
 public:
  TBitmap();
  ~TBitmap() override;

  static const TGraphicClassInfo Class;
  TGraphicClass ClassInfo() const override { return &Class; }

  void Assign(TPersistent* source) override;
  void Draw(TCanvas* canvas, const RECT& rect) override;
  bool GetEmpty() const override { return FWidth == 0 || FHeight == 0; }
  int GetWidth() const override { return FWidth; }
  int GetHeight() const override { return FHeight; }
  // Resizing keeps the overlapping part of the picture; new area is white.
  void SetWidth(int value) override { SetSize(value, FHeight); }
  void SetHeight(int value) override { SetSize(FWidth, value); }
  void SetSize(int width, int height);
  // For a DIB of 8 bits or fewer without a palette of its own: one made from the colour table.
  HPALETTE GetPalette() override;
  // Takes ownership of the palette; in a format of 8 bits or fewer its colours become the
  // colour table.
  void SetPalette(HPALETTE value) override;
  void SetTransparent(bool value) override;

  TCanvas* GetCanvas();
  // The bitmap handle (0 while the bitmap is empty).
  HBITMAP GetHandle();
  // Takes ownership of a bitmap handle (a DIB section or a device bitmap).
  void SetHandle(HBITMAP value);
  // Gives up the handle; the caller owns it and the bitmap becomes empty.
  HBITMAP ReleaseHandle();
  TBitmapHandleType GetHandleType() const { return FHandleType; }
  void SetHandleType(TBitmapHandleType value);
  // Changes the storage format in place, keeping the colours as far as the format can.
  TPixelFormat GetPixelFormat() const;
  void SetPixelFormat(TPixelFormat value);
  bool GetMonochrome() const { return GetPixelFormat() == pf1bit; }
  void SetMonochrome(bool value);
  // Row `row` of the pixel data, row 0 at the top; raises EInvalidGraphicOperation
  // "Scan line index out of range" outside 0..Height-1.
  void* ScanLine(int row);
  // The colour table of a DIB of 1, 4 or 8 bits (empty for other formats).
  std::vector<RGBQUAD> GetColorTable() const { return FColorTable; }
  void SetColorTable(const std::vector<RGBQUAD>& table);

  TTransparentMode GetTransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode value);
  // In tmAuto the colour of the bottom-left pixel.
  TColor GetTransparentColor();
  void SetTransparentColor(TColor value);
  // A monochrome bitmap with a set (white) pixel where the picture shows the transparent colour.
  HBITMAP GetMaskHandle();
  void Mask(TColor transparentColor);
  HBITMAP ReleaseMaskHandle();

  void LoadFromStream(TStream* stream) override;
  void SaveToStream(TStream* stream) override;
  void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) override;
  void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) override;

 protected:
  void Changed(TObject* sender) override;

 private:
  friend class TBitmapCanvas;
  void CanvasChanged(TObject* sender);
  dib::Format CurrentFormat() const;
  static HBITMAP NewImage(int width, int height, TBitmapHandleType type,
                          const dib::Format& format, void** bits);
  void ReplaceImage(HBITMAP handle, void* bits, int width, int height, TBitmapHandleType type,
                    const dib::Format& format);
  void ConvertPixels(dib::Format target);
  void CopyFrom(TBitmap* source);
  void MakeDIB();
  void FreeMask();
  void DropDerivedPalette();
  void DrawTransparent(TCanvas* canvas, const RECT& rect);

  ScopedGdiObj<HBITMAP> FHandle;
  void* FBits = nullptr;  // pixel data of a DIB, bottom row first
  int FWidth = 0;
  int FHeight = 0;
  int FBitCount = 24;  // bits per pixel of a DIB; 16 is 5-6-5 unless F15Bit
  bool F15Bit = false;
  TBitmapHandleType FHandleType = bmDDB;
  std::vector<RGBQUAD> FColorTable;
  ScopedGdiObj<HPALETTE> FPalette;
  bool FPaletteDerived = false;  // FPalette was made from the colour table
  ScopedGdiObj<HBITMAP> FMaskHandle;
  TColor FTransparentColor = clDefault;
  TTransparentMode FTransparentMode = tmAuto;
  std::unique_ptr<TBitmapCanvas> FCanvas;
};

// ---------------------------------------------------------------------------------------------
// Icon: as far as windows and pictures show icons.

class TIcon : public TGraphic {
  KX_CLASS(TIcon, TGraphic)
 public:
  TIcon() = default;
  ~TIcon() override;

  static const TGraphicClassInfo Class;
  TGraphicClass ClassInfo() const override { return &Class; }

  void Assign(TPersistent* source) override;
  void Draw(TCanvas* canvas, const RECT& rect) override;
  bool GetEmpty() const override { return FHandle == nullptr; }
  int GetWidth() const override { return FWidth; }
  int GetHeight() const override { return FHeight; }
  void SetWidth(int value) override;
  void SetHeight(int value) override;

  HICON GetHandle() const { return FHandle; }
  // Takes ownership of an icon handle.
  void SetHandle(HICON value);
  HICON ReleaseHandle();

  // Reads an icon file (.ico) and shows its first image.
  void LoadFromStream(TStream* stream) override;
  // Writes the icon file it was loaded from; an icon made from a handle cannot be saved.
  void SaveToStream(TStream* stream) override;

 private:
  void FreeIcon();
  HICON FHandle = nullptr;
  int FWidth = 0;
  int FHeight = 0;
  std::string FData;
};

// ---------------------------------------------------------------------------------------------
// Picture: holds one graphic of any registered kind.

class TPicture : public TPersistent {
  KX_CLASS(TPicture, TPersistent)
 public:
  TPicture() = default;
  ~TPicture() override;
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  void Assign(TPersistent* source) override;

  TGraphic* GetGraphic() const { return FGraphic.get(); }
  // Holds a copy of the graphic (none for nullptr).
  void SetGraphic(TGraphic* value);
  // The graphic as a bitmap (replacing any other kind by an empty bitmap).
  TBitmap* GetBitmap();
  void SetBitmap(TBitmap* value) { SetGraphic(value); }
  // The graphic as an icon (replacing any other kind by an empty icon).
  TIcon* GetIcon();
  void SetIcon(TIcon* value) { SetGraphic(value); }
  int GetWidth() const { return FGraphic ? FGraphic->GetWidth() : 0; }
  int GetHeight() const { return FGraphic ? FGraphic->GetHeight() : 0; }

  // Chooses the graphic class by the file's extension; raises EInvalidGraphic
  // "Unknown picture file extension (.ext)" for an extension nobody registered.
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName);
  void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette);
  void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette);
  static bool SupportsClipboardFormat(UINT format);

  // Extension without the dot, any case; a later registration of an extension wins.
  static void RegisterFileFormat(const std::string& extension, const std::string& description,
                                 TGraphicClass graphicClass);
  static void RegisterClipboardFormat(UINT format, TGraphicClass graphicClass);
  static void UnregisterGraphicClass(TGraphicClass graphicClass);
  // The registered class for an extension (without the dot), or nullptr.
  static TGraphicClass FileFormatClass(const std::string& extension);
  // Filter text for file dialogs: "All (*.bmp;...)|*.bmp;...|Bitmaps (*.bmp)|*.bmp|...".
  static std::string GraphicFilter();

  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent value) { FOnChange = value; }
  TProgressEvent GetOnProgress() const { return FOnProgress; }
  void SetOnProgress(TProgressEvent value) { FOnProgress = value; }

 protected:
  void AssignTo(TPersistent* dest) override;
  virtual void Changed(TObject* sender);

 private:
  void TakeGraphic(std::unique_ptr<TGraphic> graphic);
  void GraphicProgress(TObject* sender, TProgressStage stage, std::uint8_t percentDone,
                       bool redrawNow, const RECT& rect, const std::string& message);

  std::unique_ptr<TGraphic> FGraphic;
  TNotifyEvent FOnChange;
  TProgressEvent FOnProgress;
};
