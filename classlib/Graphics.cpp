// Colours, font, brush, pen, canvas and the picture container.
#include "classlib/Graphics.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>

#include "classlib/DibPixels.h"

namespace {

int ScreenPixelsPerInch() {
  ScopedGetDC screen;
  int ppi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
  return ppi > 0 ? ppi : 96;
}

}  // namespace

COLORREF ColorToRGB(TColor color) {
  if (color < 0) return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color) & 0x00FFFFFF;
}

// ---------------------------------------------------------------------------------------------

void TGraphicsObject::Changed() {
  if (FOnChange) FOnChange(this);
}

TFont::TFont() : FName("MS Sans Serif"), FColor(clWindowText) {
  FPixelsPerInch = ScreenPixelsPerInch();
  FHeight = -MulDiv(8, FPixelsPerInch, 72);
}

TFont::~TFont() { FreeFontHandle(); }

void TFont::FreeFontHandle() { FHandle.Reset(); }

void TFont::Changed() { ChangedReleasing(FHandle); }

void TFont::Assign(TPersistent* source) {
  auto* font = dynamic_cast<TFont*>(source);
  if (!font) {
    TGraphicsObject::Assign(source);
    return;
  }
  if (font == this) return;
  FName = font->FName;
  FHeight = MulDiv(font->FHeight, FPixelsPerInch, font->FPixelsPerInch);
  FColor = font->FColor;
  FStyle = font->FStyle;
  FCharset = font->FCharset;
  FPitch = font->FPitch;
  Changed();
}

HFONT TFont::GetHandle() {
  if (FHandle) return FHandle.Get();
  LOGFONTA log{};
  log.lfHeight = FHeight;
  log.lfWeight = (FStyle & fsBold) ? FW_BOLD : FW_NORMAL;
  log.lfItalic = (FStyle & fsItalic) ? 1 : 0;
  log.lfUnderline = (FStyle & fsUnderline) ? 1 : 0;
  log.lfStrikeOut = (FStyle & fsStrikeOut) ? 1 : 0;
  log.lfCharSet = FCharset;
  log.lfOutPrecision = OUT_DEFAULT_PRECIS;
  log.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  log.lfQuality = DEFAULT_QUALITY;
  log.lfPitchAndFamily = FPitch == fpFixed ? FIXED_PITCH : FPitch == fpVariable ? VARIABLE_PITCH
                                                                                 : DEFAULT_PITCH;
  lstrcpynA(log.lfFaceName, FName.c_str(), LF_FACESIZE);
  FHandle.Reset(CreateFontIndirectA(&log));
  if (!FHandle) throw EOutOfResources("Out of system resources");
  return FHandle.Get();
}

void TFont::SetHandle(HFONT value) {
  LOGFONTA log{};
  if (!value || !GetObjectA(value, sizeof(log), &log)) return;
  FName = log.lfFaceName;
  FHeight = log.lfHeight;
  FStyle = static_cast<TFontStyles>((log.lfWeight >= FW_BOLD ? fsBold : 0) |
                                    (log.lfItalic ? fsItalic : 0) |
                                    (log.lfUnderline ? fsUnderline : 0) |
                                    (log.lfStrikeOut ? fsStrikeOut : 0));
  FCharset = log.lfCharSet;
  int pitch = log.lfPitchAndFamily & 3;
  FPitch = pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
  Changed();
}

void TFont::SetName(const std::string& value) {
  if (!value.empty()) ChangeField(FName, value);
}

void TFont::SetHeight(int value) { ChangeField(FHeight, value); }

int TFont::GetSize() const { return -MulDiv(FHeight, 72, FPixelsPerInch); }

void TFont::SetSize(int value) { SetHeight(-MulDiv(value, FPixelsPerInch, 72)); }

void TFont::SetColor(TColor value) { ChangeField(FColor, value); }

void TFont::SetStyle(TFontStyles value) { ChangeField(FStyle, value); }

void TFont::SetCharset(TFontCharset value) { ChangeField(FCharset, value); }

void TFont::SetPitch(TFontPitch value) { ChangeField(FPitch, value); }

// ---------------------------------------------------------------------------------------------

TBrush::~TBrush() = default;

void TBrush::Changed() { ChangedReleasing(FHandle); }

void TBrush::Assign(TPersistent* source) {
  auto* brush = dynamic_cast<TBrush*>(source);
  if (!brush) {
    TGraphicsObject::Assign(source);
    return;
  }
  if (brush == this) return;
  FColor = brush->FColor;
  FStyle = brush->FStyle;
  Changed();
}

HBRUSH TBrush::GetHandle() {
  if (FHandle) return FHandle.Get();
  LOGBRUSH log{};
  log.lbColor = ColorToRGB(FColor);
  switch (FStyle) {
    case bsSolid: log.lbStyle = BS_SOLID; break;
    case bsClear: log.lbStyle = BS_HOLLOW; break;
    default:
      log.lbStyle = BS_HATCHED;
      log.lbHatch = static_cast<ULONG_PTR>(FStyle - bsHorizontal);  // HS_ order matches
      break;
  }
  FHandle.Reset(CreateBrushIndirect(&log));
  if (!FHandle) throw EOutOfResources("Out of system resources");
  return FHandle.Get();
}

void TBrush::SetColor(TColor value) {
  if (value == FColor && FStyle != bsClear) return;
  FColor = value;
  if (FStyle == bsClear) FStyle = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle value) { ChangeField(FStyle, value); }

// ---------------------------------------------------------------------------------------------

TPen::~TPen() = default;

void TPen::Changed() { ChangedReleasing(FHandle); }

void TPen::Assign(TPersistent* source) {
  auto* pen = dynamic_cast<TPen*>(source);
  if (!pen) {
    TGraphicsObject::Assign(source);
    return;
  }
  if (pen == this) return;
  FColor = pen->FColor;
  FWidth = pen->FWidth;
  FStyle = pen->FStyle;
  FMode = pen->FMode;
  Changed();
}

HPEN TPen::GetHandle() {
  if (FHandle) return FHandle.Get();
  static constexpr int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT,
                                    PS_NULL, PS_INSIDEFRAME};
  FHandle.Reset(CreatePen(kStyles[FStyle], FWidth, ColorToRGB(FColor)));
  if (!FHandle) throw EOutOfResources("Out of system resources");
  return FHandle.Get();
}

void TPen::SetColor(TColor value) { ChangeField(FColor, value); }

void TPen::SetWidth(int value) {
  if (value >= 0) ChangeField(FWidth, value);
}

void TPen::SetStyle(TPenStyle value) { ChangeField(FStyle, value); }

void TPen::SetMode(TPenMode value) { ChangeField(FMode, value); }

// ---------------------------------------------------------------------------------------------

TCanvas::TCanvas()
    : FFont(std::make_unique<TFont>()),
      FBrush(std::make_unique<TBrush>()),
      FPen(std::make_unique<TPen>()) {
  FFont->SetOnChange(TNotifyEvent(this, &TCanvas::FontChanged));
  FBrush->SetOnChange(TNotifyEvent(this, &TCanvas::BrushChanged));
  FPen->SetOnChange(TNotifyEvent(this, &TCanvas::PenChanged));
}

TCanvas::~TCanvas() { DeselectHandles(); }

HDC TCanvas::GetHandle() {
  RequiredState(csHandleValid);
  return FHandle;
}

void TCanvas::SetHandle(HDC value) {
  if (value == FHandle) return;
  DeselectHandles();
  FHandle = value;
  FState = value ? csHandleValid : 0;
}

void TCanvas::CreateHandle() {}

void TCanvas::DeselectHandles() {
  if (!FHandle) return;
  if ((FState & csFontValid) && FStockFont) SelectObject(FHandle, FStockFont);
  if ((FState & csBrushValid) && FStockBrush) SelectObject(FHandle, FStockBrush);
  if ((FState & csPenValid) && FStockPen) SelectObject(FHandle, FStockPen);
  FState &= static_cast<TCanvasState>(~(csFontValid | csBrushValid | csPenValid));
}

void TCanvas::SelectFont() {
  HGDIOBJ old = SelectObject(FHandle, FFont->GetHandle());
  if (!FStockFont) FStockFont = old;
  SetTextColor(FHandle, ColorToRGB(FFont->GetColor()));
}

void TCanvas::RequiredState(TCanvasState required) {
  TCanvasState needed = required & static_cast<TCanvasState>(~FState);
  if (!needed) return;
  if (needed & csHandleValid) {
    CreateHandle();
    if (!FHandle) throw EInvalidOperation("Canvas does not allow drawing");
    FState |= csHandleValid;
  }
  if (needed & csFontValid) SelectFont();
  if (needed & csPenValid) {
    HGDIOBJ old = SelectObject(FHandle, FPen->GetHandle());
    if (!FStockPen) FStockPen = old;
    static constexpr int kRop2[] = {R2_BLACK,       R2_WHITE,       R2_NOP,         R2_NOT,
                                    R2_COPYPEN,     R2_NOTCOPYPEN,  R2_MERGEPENNOT, R2_MASKPENNOT,
                                    R2_MERGENOTPEN, R2_MASKNOTPEN,  R2_MERGEPEN,    R2_NOTMERGEPEN,
                                    R2_MASKPEN,     R2_NOTMASKPEN,  R2_XORPEN,      R2_NOTXORPEN};
    SetROP2(FHandle, kRop2[FPen->GetMode()]);
  }
  if (needed & csBrushValid) {
    UnrealizeObject(FBrush->GetHandle());
    HGDIOBJ old = SelectObject(FHandle, FBrush->GetHandle());
    if (!FStockBrush) FStockBrush = old;
    SetBkColor(FHandle, ColorToRGB(FBrush->GetColor()));
    SetBkMode(FHandle, FBrush->GetStyle() == bsSolid ? OPAQUE : TRANSPARENT);
  }
  FState |= needed;
}

void TCanvas::FontChanged(TObject*) {
  if ((FState & csFontValid) && FHandle) {
    FState &= static_cast<TCanvasState>(~csFontValid);
    SelectObject(FHandle, FStockFont);
  }
}

void TCanvas::BrushChanged(TObject*) {
  if ((FState & csBrushValid) && FHandle) {
    FState &= static_cast<TCanvasState>(~csBrushValid);
    SelectObject(FHandle, FStockBrush);
  }
}

void TCanvas::PenChanged(TObject*) {
  if ((FState & csPenValid) && FHandle) {
    FState &= static_cast<TCanvasState>(~csPenValid);
    SelectObject(FHandle, FStockPen);
  }
}

void TCanvas::Changing() {
  if (FOnChanging) FOnChanging(this);
}

void TCanvas::Changed() {
  if (FOnChange) FOnChange(this);
}

TCanvasOrientation TCanvas::GetCanvasOrientation() {
  RequiredState(csHandleValid);
  return (GetLayout(FHandle) & LAYOUT_RTL) ? coRightToLeft : coLeftToRight;
}

POINT TCanvas::GetPenPos() {
  RequiredState(csHandleValid);
  POINT pos{0, 0};
  GetCurrentPositionEx(FHandle, &pos);
  return pos;
}

TColor TCanvas::GetPixel(int x, int y) {
  RequiredState(csHandleValid);
  return static_cast<TColor>(::GetPixel(FHandle, x, y));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  Changing();
  RequiredState(csHandleValid | csPenValid);
  ::SetPixel(FHandle, x, y, ColorToRGB(color));
  Changed();
}

RECT TCanvas::GetClipRect() {
  RequiredState(csHandleValid);
  RECT rect{};
  GetClipBox(FHandle, &rect);
  return rect;
}

void TCanvas::MoveTo(int x, int y) {
  RequiredState(csHandleValid);
  MoveToEx(FHandle, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  Changing();
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::LineTo(FHandle, x, y);
  Changed();
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  Changing();
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::Rectangle(FHandle, left, top, right, bottom);
  Changed();
}

void TCanvas::FillRect(const RECT& rect) {
  Changing();
  RequiredState(csHandleValid | csBrushValid);
  ::FillRect(FHandle, &rect, FBrush->GetHandle());
  Changed();
}

void TCanvas::FrameRect(const RECT& rect) {
  Changing();
  RequiredState(csHandleValid | csBrushValid);
  ::FrameRect(FHandle, &rect, FBrush->GetHandle());
  Changed();
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
  if (!graphic || graphic->GetEmpty()) return;
  RECT rect{x, y, x + graphic->GetWidth(), y + graphic->GetHeight()};
  StretchDraw(rect, graphic);
}

void TCanvas::StretchDraw(const RECT& rect, TGraphic* graphic) {
  if (!graphic || graphic->GetEmpty()) return;
  Changing();
  RequiredState(csHandleValid);
  graphic->Draw(this, rect);
  Changed();
}

void TCanvas::CopyRect(const RECT& dest, TCanvas* canvas, const RECT& source) {
  Changing();
  RequiredState(csHandleValid | csFontValid | csBrushValid);
  canvas->RequiredState(csHandleValid | csFontValid | csBrushValid);
  StretchBlt(FHandle, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top,
             canvas->FHandle, source.left, source.top, source.right - source.left,
             source.bottom - source.top, FCopyMode);
  Changed();
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  Changing();
  RequiredState(csHandleValid | csFontValid | csBrushValid);
  int width = TextWidth(text);
  if (GetCanvasOrientation() == coRightToLeft) x += width + 1;
  ExtTextOutA(FHandle, x, y, static_cast<UINT>(FTextFlags), nullptr, text.data(),
              static_cast<UINT>(text.size()), nullptr);
  MoveTo(x + width, y);
  Changed();
}

void TCanvas::TextRect(const RECT& rect, int x, int y, const std::string& text) {
  Changing();
  RequiredState(csHandleValid | csFontValid | csBrushValid);
  UINT options = ETO_CLIPPED | static_cast<UINT>(FTextFlags);
  if (FBrush->GetStyle() != bsClear) options |= ETO_OPAQUE;
  ExtTextOutA(FHandle, x, y, options, &rect, text.data(), static_cast<UINT>(text.size()),
              nullptr);
  Changed();
}

SIZE TCanvas::TextExtent(const std::string& text) {
  RequiredState(csHandleValid | csFontValid);
  SIZE size{0, 0};
  GetTextExtentPoint32A(FHandle, text.data(), static_cast<int>(text.size()), &size);
  return size;
}

void Frame3D(TCanvas* canvas, RECT& rect, TColor topColor, TColor bottomColor, int width) {
  --rect.bottom;
  --rect.right;
  TPen* pen = canvas->GetPen();
  pen->SetWidth(1);
  while (width-- > 0) {
    HDC dc = canvas->GetHandle();
    pen->SetColor(topColor);
    canvas->RequiredState(csHandleValid | csPenValid);
    POINT top[3] = {{rect.left, rect.bottom}, {rect.left, rect.top}, {rect.right, rect.top}};
    Polyline(dc, top, 3);
    pen->SetColor(bottomColor);
    canvas->RequiredState(csHandleValid | csPenValid);
    POINT bottom[3] = {{rect.right, rect.top}, {rect.right, rect.bottom},
                       {rect.left - 1, rect.bottom}};
    Polyline(dc, bottom, 3);
    InflateRect(&rect, -1, -1);
  }
  ++rect.bottom;
  ++rect.right;
}

// ---------------------------------------------------------------------------------------------

bool TGraphic::Equals(TGraphic* other) {
  if (other == this) return true;
  if (!other || other->ClassInfo() != ClassInfo()) return false;
  if (GetEmpty() || other->GetEmpty()) return GetEmpty() == other->GetEmpty();
  TMemoryStream mine, theirs;
  SaveToStream(&mine);
  other->SaveToStream(&theirs);
  return mine.GetSize() == theirs.GetSize() &&
         std::equal(mine.GetMemory(), mine.GetMemory() + mine.GetSize(), theirs.GetMemory());
}

void TGraphic::SetTransparent(bool value) {
  if (value == FTransparent) return;
  FTransparent = value;
  Changed(this);
}

void TGraphic::SetModified(bool value) {
  if (value) {
    Changed(this);
  } else {
    FModified = false;
  }
}

void TGraphic::Changed(TObject*) {
  FModified = true;
  if (FOnChange) FOnChange(this);
}

void TGraphic::Progress(TObject* sender, TProgressStage stage, std::uint8_t percentDone,
                        bool redrawNow, const RECT& rect, const std::string& message) {
  if (FOnProgress) FOnProgress(sender, stage, percentDone, redrawNow, rect, message);
}

void TGraphic::LoadFromFile(const std::string& fileName) {
  TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

// The picture is made whole in memory first: a failed encoding leaves an existing file as it was.
void TGraphic::SaveToFile(const std::string& fileName) {
  TMemoryStream memory;
  SaveToStream(&memory);
  TFileStream stream(fileName, fmCreate);
  stream.WriteBuffer(memory.GetMemory(), static_cast<int>(memory.GetSize()));
}

void TGraphic::LoadFromResourceName(HINSTANCE instance, const std::string& name,
                                    LPCSTR type) {
  TResourceStream stream(instance, name, type);
  LoadFromStream(&stream);
}

void TGraphic::LoadFromClipboardFormat(UINT, HANDLE, HPALETTE) {
  throw EInvalidGraphic("Unsupported clipboard format");
}

void TGraphic::SaveToClipboardFormat(UINT&, HANDLE&, HPALETTE&) {
  throw EInvalidGraphic("Unsupported clipboard format");
}

// ---------------------------------------------------------------------------------------------
// Picture container and its registry.

namespace {

struct FileFormat {
  std::string extension;  // lower case, no dot
  std::string description;
  TGraphicClass graphicClass;
};

struct Registry {
  std::vector<FileFormat> fileFormats;
  std::vector<std::pair<UINT, TGraphicClass>> clipboardFormats;
};

std::string LowerExtension(std::string extension) {
  if (!extension.empty() && extension[0] == '.') extension.erase(0, 1);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

// The built-in kinds are registered on first use, so no start-up order matters.
Registry& Formats() {
  static Registry registry = [] {
    Registry r;
    r.fileFormats.push_back({"bmp", "Bitmaps", &TBitmap::Class});
    r.fileFormats.push_back({"ico", "Icons", &TIcon::Class});
    r.clipboardFormats.push_back({CF_BITMAP, &TBitmap::Class});
    return r;
  }();
  return registry;
}

std::string ExtensionOf(const std::string& fileName) {
  size_t dot = fileName.find_last_of('.');
  size_t slash = fileName.find_last_of("\\/:");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  return LowerExtension(fileName.substr(dot + 1));
}

}  // namespace

TPicture::~TPicture() = default;

void TPicture::RegisterFileFormat(const std::string& extension, const std::string& description,
                                  TGraphicClass graphicClass) {
  auto& formats = Formats().fileFormats;
  std::string ext = LowerExtension(extension);
  std::erase_if(formats, [&](const FileFormat& f) { return f.extension == ext; });
  formats.push_back({ext, description, graphicClass});
}

void TPicture::RegisterClipboardFormat(UINT format, TGraphicClass graphicClass) {
  auto& formats = Formats().clipboardFormats;
  std::erase_if(formats, [&](const auto& f) { return f.first == format; });
  formats.emplace_back(format, graphicClass);
}

void TPicture::UnregisterGraphicClass(TGraphicClass graphicClass) {
  Registry& r = Formats();
  std::erase_if(r.fileFormats, [&](const FileFormat& f) { return f.graphicClass == graphicClass; });
  std::erase_if(r.clipboardFormats, [&](const auto& f) { return f.second == graphicClass; });
}

TGraphicClass TPicture::FileFormatClass(const std::string& extension) {
  std::string ext = LowerExtension(extension);
  for (const FileFormat& f : Formats().fileFormats)
    if (f.extension == ext) return f.graphicClass;
  return nullptr;
}

bool TPicture::SupportsClipboardFormat(UINT format) {
  for (const auto& f : Formats().clipboardFormats)
    if (f.first == format) return true;
  return false;
}

std::string TPicture::GraphicFilter() {
  std::string all, each;
  for (const FileFormat& f : Formats().fileFormats) {
    std::string mask = "*." + f.extension;
    all += (all.empty() ? "" : ";") + mask;
    each += "|" + f.description + " (" + mask + ")|" + mask;
  }
  return "All (" + all + ")|" + all + each;
}

void TPicture::Changed(TObject*) {
  if (FOnChange) FOnChange(this);
}

void TPicture::GraphicProgress(TObject* sender, TProgressStage stage, std::uint8_t percentDone,
                               bool redrawNow, const RECT& rect, const std::string& message) {
  if (FOnProgress) FOnProgress(sender, stage, percentDone, redrawNow, rect, message);
}

void TPicture::TakeGraphic(std::unique_ptr<TGraphic> graphic) {
  FGraphic = std::move(graphic);
  if (FGraphic) {
    FGraphic->SetOnChange(TNotifyEvent(this, &TPicture::Changed));
    FGraphic->SetOnProgress(TProgressEvent(this, &TPicture::GraphicProgress));
  }
  Changed(this);
}

void TPicture::SetGraphic(TGraphic* value) {
  if (value == FGraphic.get()) return;
  std::unique_ptr<TGraphic> copy;
  if (value) {
    copy.reset(value->ClassInfo()->create());
    copy->Assign(value);
  }
  TakeGraphic(std::move(copy));
}

TBitmap* TPicture::GetBitmap() {
  if (!dynamic_cast<TBitmap*>(FGraphic.get())) TakeGraphic(std::make_unique<TBitmap>());
  return static_cast<TBitmap*>(FGraphic.get());
}

TIcon* TPicture::GetIcon() {
  if (!dynamic_cast<TIcon*>(FGraphic.get())) TakeGraphic(std::make_unique<TIcon>());
  return static_cast<TIcon*>(FGraphic.get());
}

void TPicture::Assign(TPersistent* source) {
  if (!source) {
    SetGraphic(nullptr);
  } else if (auto* picture = dynamic_cast<TPicture*>(source)) {
    SetGraphic(picture->GetGraphic());
  } else if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
    SetGraphic(graphic);
  } else {
    TPersistent::Assign(source);
  }
}

void TPicture::AssignTo(TPersistent* dest) {
  if (auto* graphic = dynamic_cast<TGraphic*>(dest); graphic && FGraphic) {
    graphic->Assign(FGraphic.get());
    return;
  }
  TPersistent::AssignTo(dest);
}

void TPicture::LoadFromFile(const std::string& fileName) {
  std::string ext = ExtensionOf(fileName);
  TGraphicClass graphicClass = FileFormatClass(ext);
  if (!graphicClass)
    throw EInvalidGraphic("Unknown picture file extension (." + ext + ")");
  std::unique_ptr<TGraphic> graphic(graphicClass->create());
  graphic->SetOnProgress(TProgressEvent(this, &TPicture::GraphicProgress));
  graphic->LoadFromFile(fileName);
  TakeGraphic(std::move(graphic));
}

void TPicture::SaveToFile(const std::string& fileName) {
  if (FGraphic) FGraphic->SaveToFile(fileName);
}

void TPicture::LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) {
  for (const auto& f : Formats().clipboardFormats) {
    if (f.first != format) continue;
    std::unique_ptr<TGraphic> graphic(f.second->create());
    graphic->LoadFromClipboardFormat(format, data, palette);
    TakeGraphic(std::move(graphic));
    return;
  }
  throw EInvalidGraphic("Unsupported clipboard format");
}

void TPicture::SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) {
  if (FGraphic) FGraphic->SaveToClipboardFormat(format, data, palette);
}

// ---------------------------------------------------------------------------------------------
// Bitmap.

namespace {

// A memory device context with one object selected for its lifetime.
class MemoryDC {
 public:
  explicit MemoryDC(HGDIOBJ selected) : m_select(Made(m_dc), selected) {}
  HDC Get() const { return m_dc.Get(); }

 private:
  static HDC Made(const ScopedMemDC& dc) {
    if (!dc.Get()) throw EOutOfResources("Out of system resources");
    return dc.Get();
  }
  ScopedMemDC m_dc;
  ScopedSelect m_select;
};

// The DIB layout that matches the screen.
dib::Format DeviceFormat() {
  ScopedGetDC screen;
  int bits = GetDeviceCaps(screen.Get(), BITSPIXEL) * GetDeviceCaps(screen.Get(), PLANES);
  dib::Format format;
  if (bits <= 8) {
    format.bitCount = 8;
    format.table = dib::DefaultTable(8);
  } else if (bits <= 16) {
    format.bitCount = 16;
    format.is15 = bits == 15;
  } else {
    format.bitCount = bits == 24 ? 24 : 32;
  }
  return format;
}

std::vector<RGBQUAD> PaletteColors(HPALETTE palette, size_t limit) {
  std::vector<RGBQUAD> table;
  if (!palette) return table;
  UINT count = GetPaletteEntries(palette, 0, 0, nullptr);
  std::vector<PALETTEENTRY> entries(count);
  if (count) GetPaletteEntries(palette, 0, count, entries.data());
  for (size_t i = 0; i < entries.size() && i < limit; ++i)
    table.push_back({entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0});
  return table;
}

HPALETTE PaletteOf(const std::vector<RGBQUAD>& table) {
  if (table.empty()) return nullptr;
  std::vector<std::uint8_t> memory(sizeof(LOGPALETTE) + table.size() * sizeof(PALETTEENTRY));
  auto* log = reinterpret_cast<LOGPALETTE*>(memory.data());
  log->palVersion = 0x300;
  log->palNumEntries = static_cast<WORD>(table.size());
  for (size_t i = 0; i < table.size(); ++i)
    log->palPalEntry[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
  return CreatePalette(log);
}

dib::Format FormatOf(TPixelFormat format) {
  dib::Format f;
  switch (format) {
    case pf1bit: f.bitCount = 1; break;
    case pf4bit: f.bitCount = 4; break;
    case pf8bit: f.bitCount = 8; break;
    case pf15bit: f.bitCount = 16; f.is15 = true; break;
    case pf16bit: f.bitCount = 16; break;
    case pf24bit: f.bitCount = 24; break;
    case pf32bit: f.bitCount = 32; break;
    default: throw EInvalidGraphic("Invalid pixel format");
  }
  return f;
}

[[noreturn]] void InvalidBitmap() { throw EInvalidGraphic("Bitmap image is not valid"); }

}  // namespace

HPALETTE CopyPalette(HPALETTE palette) { return PaletteOf(PaletteColors(palette, 256)); }

const TGraphicClassInfo TBitmap::Class{"TBitmap", [] { return static_cast<TGraphic*>(new TBitmap); }};

TBitmapCanvas::~TBitmapCanvas() {
  HDC dc = HandleAllocated() ? GetHandle() : nullptr;
  DeselectBitmap();
  SetHandle(nullptr);
  if (dc) DeleteDC(dc);
}

void TBitmapCanvas::CreateHandle() {
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) throw EOutOfResources("Out of system resources");
  SetHandle(dc);
  SelectBitmap();
}

void TBitmapCanvas::SelectBitmap() {
  if (!HandleAllocated()) return;
  HDC dc = GetHandle();
  if (FBitmap->FHandle.Get()) {
    HGDIOBJ old = SelectObject(dc, FBitmap->FHandle.Get());
    if (!FOldBitmap) FOldBitmap = old;
  }
  if (HPALETTE palette = FBitmap->GetPalette()) {
    HPALETTE old = SelectPalette(dc, palette, TRUE);
    if (!FOldPalette) FOldPalette = old;
    RealizePalette(dc);
  }
}

void TBitmapCanvas::DeselectBitmap() {
  if (!HandleAllocated()) return;
  HDC dc = GetHandle();
  if (FOldBitmap) SelectObject(dc, FOldBitmap);
  if (FOldPalette) SelectPalette(dc, FOldPalette, TRUE);
  FOldBitmap = nullptr;
  FOldPalette = nullptr;
}

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  FCanvas.reset();
  FreeMask();
}

TCanvas* TBitmap::GetCanvas() {
  if (!FCanvas) {
    FCanvas = std::make_unique<TBitmapCanvas>(this);
    FCanvas->SetOnChange(TNotifyEvent(this, &TBitmap::CanvasChanged));
  }
  return FCanvas.get();
}

void TBitmap::CanvasChanged(TObject*) {
  FreeMask();
  Changed(this);
}

void TBitmap::Changed(TObject* sender) { TGraphic::Changed(sender); }

void TBitmap::FreeMask() {
  FMaskHandle.Reset();
}

dib::Format TBitmap::CurrentFormat() const { return dib::Format{FBitCount, F15Bit, FColorTable}; }

TPixelFormat TBitmap::GetPixelFormat() const {
  if (FHandleType == bmDDB) return pfDevice;
  switch (FBitCount) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 16: return F15Bit ? pf15bit : pf16bit;
    case 24: return pf24bit;
    case 32: return pf32bit;
    default: return pfCustom;
  }
}

void TBitmap::ReplaceImage(HBITMAP handle, void* bits, int width, int height,
                           TBitmapHandleType type, const dib::Format& format) {
  if (FCanvas) FCanvas->DeselectBitmap();
  FreeMask();
  DropDerivedPalette();
  FHandle.Reset(handle);
  FBits = bits;
  FWidth = width;  // a bitmap of width w and height 0 has no handle but keeps its width
  FHeight = height;
  FHandleType = type;
  FBitCount = format.bitCount;
  F15Bit = format.is15;
  FColorTable = format.table;
  if (FCanvas) FCanvas->SelectBitmap();
}

HBITMAP TBitmap::NewImage(int width, int height, TBitmapHandleType type,
                          const dib::Format& format, void** bits) {
  *bits = nullptr;
  if (width <= 0 || height <= 0) return nullptr;
  HBITMAP handle;
  if (type == bmDDB) {
    ScopedGetDC screen;
    handle = CreateCompatibleBitmap(screen.Get(), width, height);
  } else {
    handle = dib::CreateSection(width, height, format, bits);
  }
  if (!handle) throw EOutOfResources("Out of system resources");
  return handle;
}

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == FWidth && height == FHeight) return;
  dib::Format format = CurrentFormat();
  void* bits = nullptr;
  HBITMAP handle = NewImage(width, height, FHandleType, format, &bits);
  if (handle) {
    if (FCanvas) FCanvas->DeselectBitmap();
    MemoryDC target(handle);
    RECT all{0, 0, width, height};
    ::FillRect(target.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (FHandle) {
      MemoryDC source(FHandle.Get());
      BitBlt(target.Get(), 0, 0, std::min(width, FWidth), std::min(height, FHeight),
             source.Get(), 0, 0, SRCCOPY);
    }
  }
  ReplaceImage(handle, bits, width, height, FHandleType, format);
  Changed(this);
}

HBITMAP TBitmap::GetHandle() { return FHandle.Get(); }

// Reads the handle's layout; a DIB section that is bottom-up in a standard layout is kept as
// it is, anything else is copied into one.
void TBitmap::SetHandle(HBITMAP value) {
  if (value == FHandle.Get()) return;
  if (!value) {
    ReplaceImage(nullptr, nullptr, 0, 0, FHandleType, CurrentFormat());
    Changed(this);
    return;
  }
  DIBSECTION section{};
  int got = GetObjectA(value, sizeof(section), &section);
  if (got == sizeof(DIBSECTION) && section.dsBmih.biHeight > 0 &&
      section.dsBmih.biCompression == BI_RGB && section.dsBm.bmBitsPixel != 16) {
    dib::Format format{section.dsBm.bmBitsPixel, false, {}};
    if (format.bitCount <= 8) {
      format.table.resize(size_t{1} << format.bitCount);
      MemoryDC dc(value);
      UINT n = GetDIBColorTable(dc.Get(), 0, static_cast<UINT>(format.table.size()),
                                format.table.data());
      format.table.resize(n);
    }
    ReplaceImage(value, section.dsBm.bmBits, section.dsBm.bmWidth, section.dsBm.bmHeight, bmDIB,
                 format);
  } else if (got >= static_cast<int>(sizeof(BITMAP))) {
    ReplaceImage(value, nullptr, section.dsBm.bmWidth, section.dsBm.bmHeight, bmDDB,
                 CurrentFormat());
    if (got == sizeof(DIBSECTION)) MakeDIB();
  } else {
    throw EInvalidGraphic("Bitmap image is not valid");
  }
  Changed(this);
}

HBITMAP TBitmap::ReleaseHandle() {
  if (FCanvas) FCanvas->DeselectBitmap();
  HBITMAP handle = FHandle.Release();
  FBits = nullptr;
  FWidth = FHeight = 0;
  FreeMask();
  return handle;
}

// A device bitmap becomes a DIB of the screen's layout.
void TBitmap::MakeDIB() {
  if (FHandleType == bmDIB) return;
  dib::Format format = DeviceFormat();
  void* bits = nullptr;
  HBITMAP handle = NewImage(FWidth, FHeight, bmDIB, format, &bits);
  if (handle) {
    if (FCanvas) FCanvas->DeselectBitmap();
    MemoryDC target(handle), source(FHandle.Get());
    BitBlt(target.Get(), 0, 0, FWidth, FHeight, source.Get(), 0, 0, SRCCOPY);
  }
  ReplaceImage(handle, bits, FWidth, FHeight, bmDIB, format);
}

void TBitmap::SetHandleType(TBitmapHandleType value) {
  if (value == FHandleType) return;
  if (value == bmDIB) {
    MakeDIB();
  } else {
    void* bits = nullptr;
    HBITMAP handle = NewImage(FWidth, FHeight, bmDDB, CurrentFormat(), &bits);
    if (handle) {
      if (FCanvas) FCanvas->DeselectBitmap();
      MemoryDC target(handle), source(FHandle.Get());
      BitBlt(target.Get(), 0, 0, FWidth, FHeight, source.Get(), 0, 0, SRCCOPY);
    }
    ReplaceImage(handle, nullptr, FWidth, FHeight, bmDDB, CurrentFormat());
  }
  Changed(this);
}

// Every pixel is read in the old layout and written in the new one; for formats with a colour
// table the nearest entry is taken.
void TBitmap::ConvertPixels(dib::Format target) {
  MakeDIB();
  void* bits = nullptr;
  HBITMAP handle = NewImage(FWidth, FHeight, bmDIB, target, &bits);
  if (handle) {
    GdiFlush();
    dib::Format source = CurrentFormat();
    int sourceStride = dib::Stride(FWidth, source.bitCount);
    int targetStride = dib::Stride(FWidth, target.bitCount);
    dib::NearestColor nearest(target.table);
    for (int y = 0; y < FHeight; ++y) {
      const auto* in = static_cast<const std::uint8_t*>(FBits) + y * sourceStride;
      auto* out = static_cast<std::uint8_t*>(bits) + y * targetStride;
      for (int x = 0; x < FWidth; ++x)
        dib::WritePixel(out, x, dib::ReadPixel(in, x, source), target, &nearest);
    }
  }
  ReplaceImage(handle, bits, FWidth, FHeight, bmDIB, target);
}

void TBitmap::SetPixelFormat(TPixelFormat value) {
  if (value == GetPixelFormat()) return;
  if (value == pfDevice) {
    SetHandleType(bmDDB);
    return;
  }
  dib::Format target = FormatOf(value);
  if (target.bitCount <= 8) {
    size_t limit = size_t{1} << target.bitCount;
    if (!FPaletteDerived) target.table = PaletteColors(FPalette.Get(), limit);
    if (target.table.empty()) target.table = dib::DefaultTable(target.bitCount);
  }
  ConvertPixels(target);
  Changed(this);
}

void TBitmap::SetMonochrome(bool value) {
  if (value != GetMonochrome()) SetPixelFormat(value ? pf1bit : pfDevice);
}

void* TBitmap::ScanLine(int row) {
  if (row < 0 || row >= FHeight || !FHandle)
    throw EInvalidGraphicOperation("Scan line index out of range");
  MakeDIB();
  GdiFlush();
  return static_cast<std::uint8_t*>(FBits) +
         static_cast<std::ptrdiff_t>(FHeight - 1 - row) * dib::Stride(FWidth, FBitCount);
}

void TBitmap::SetColorTable(const std::vector<RGBQUAD>& table) {
  if (FHandleType != bmDIB || FBitCount > 8) return;
  FColorTable.assign(table.begin(),
                     table.begin() + std::min(table.size(), size_t{1} << FBitCount));
  if (FCanvas) FCanvas->DeselectBitmap();
  DropDerivedPalette();
  if (FHandle) {
    {
      MemoryDC dc(FHandle.Get());
      SetDIBColorTable(dc.Get(), 0, static_cast<UINT>(FColorTable.size()), FColorTable.data());
    }
  }
  if (FCanvas) FCanvas->SelectBitmap();
  FreeMask();
  Changed(this);
}

HPALETTE TBitmap::GetPalette() {
  if (!FPalette && FHandleType == bmDIB && FBitCount <= 8) {
    FPalette.Reset(PaletteOf(FColorTable));
    FPaletteDerived = FPalette.Get() != nullptr;
  }
  return FPalette.Get();
}

// A palette made from the colour table goes when the table does; one set by the user stays.
void TBitmap::DropDerivedPalette() {
  if (!FPaletteDerived) return;
  FPalette.Reset();
  FPaletteDerived = false;
}

void TBitmap::SetPalette(HPALETTE value) {
  if (value == FPalette.Get()) return;
  if (FCanvas) FCanvas->DeselectBitmap();
  FPalette.Reset(value);
  FPaletteDerived = false;
  if (FCanvas) FCanvas->SelectBitmap();
  if (value && FHandleType == bmDIB && FBitCount <= 8)
    SetColorTable(PaletteColors(value, size_t{1} << FBitCount));
  else
    Changed(this);
}

void TBitmap::SetTransparent(bool value) {
  FreeMask();
  TGraphic::SetTransparent(value);
}

void TBitmap::SetTransparentMode(TTransparentMode value) {
  if (value == FTransparentMode) return;
  FTransparentMode = value;
  if (value == tmAuto) FTransparentColor = clDefault;
  FreeMask();
  Changed(this);
}

TColor TBitmap::GetTransparentColor() {
  if (FTransparentMode == tmFixed && FTransparentColor != clDefault) return FTransparentColor;
  if (GetEmpty()) return clDefault;
  return GetCanvas()->GetPixel(0, FHeight - 1);
}

void TBitmap::SetTransparentColor(TColor value) {
  FTransparentColor = value;
  FTransparentMode = value == clDefault ? tmAuto : tmFixed;
  FreeMask();
  Changed(this);
}

void TBitmap::Mask(TColor transparentColor) {
  FreeMask();
  if (GetEmpty()) return;
  HBITMAP mask = CreateBitmap(FWidth, FHeight, 1, 1, nullptr);
  if (!mask) throw EOutOfResources("Out of system resources");
  HDC source = GetCanvas()->GetHandle();
  {
    MemoryDC target(mask);
    // Copying colour to monochrome sets exactly the pixels of the source's background colour.
    COLORREF oldBack = SetBkColor(source, ColorToRGB(transparentColor));
    BitBlt(target.Get(), 0, 0, FWidth, FHeight, source, 0, 0, SRCCOPY);
    SetBkColor(source, oldBack);
  }
  FMaskHandle.Reset(mask);
}

HBITMAP TBitmap::GetMaskHandle() {
  if (!FMaskHandle) Mask(GetTransparentColor());
  return FMaskHandle.Get();
}

HBITMAP TBitmap::ReleaseMaskHandle() {
  GetMaskHandle();
  return FMaskHandle.Release();
}

void TBitmap::Draw(TCanvas* canvas, const RECT& rect) {
  if (GetEmpty()) return;
  if (GetTransparent()) {
    DrawTransparent(canvas, rect);
    return;
  }
  HDC target = canvas->GetHandle();
  HDC source = GetCanvas()->GetHandle();
  HPALETTE palette = GetPalette();
  HPALETTE oldPalette = nullptr;
  if (palette) {
    oldPalette = SelectPalette(target, palette, TRUE);
    RealizePalette(target);
  }
  int oldMode = SetStretchBltMode(target, COLORONCOLOR);
  StretchBlt(target, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, source,
             0, 0, FWidth, FHeight, canvas->GetCopyMode());
  SetStretchBltMode(target, oldMode);
  if (palette) SelectPalette(target, oldPalette, TRUE);
}

// Mask to black where the picture shows, then OR in the picture with its transparent pixels
// made black.
void TBitmap::DrawTransparent(TCanvas* canvas, const RECT& rect) {
  HBITMAP mask = GetMaskHandle();
  HDC target = canvas->GetHandle();
  HDC source = GetCanvas()->GetHandle();
  ScopedGetDC screen;
  ScopedGdiObj<HBITMAP> cutHandle(CreateCompatibleBitmap(screen.Get(), FWidth, FHeight));
  if (!cutHandle) throw EOutOfResources("Out of system resources");
  {
    MemoryDC maskDC(mask), cut(cutHandle.Get());
    BitBlt(cut.Get(), 0, 0, FWidth, FHeight, source, 0, 0, SRCCOPY);
    BitBlt(cut.Get(), 0, 0, FWidth, FHeight, maskDC.Get(), 0, 0, 0x00220326);  // DSna
    COLORREF oldText = SetTextColor(target, RGB(0, 0, 0));
    COLORREF oldBack = SetBkColor(target, RGB(255, 255, 255));
    int oldMode = SetStretchBltMode(target, COLORONCOLOR);
    int w = rect.right - rect.left, h = rect.bottom - rect.top;
    StretchBlt(target, rect.left, rect.top, w, h, maskDC.Get(), 0, 0, FWidth, FHeight, SRCAND);
    StretchBlt(target, rect.left, rect.top, w, h, cut.Get(), 0, 0, FWidth, FHeight, SRCPAINT);
    SetStretchBltMode(target, oldMode);
    SetBkColor(target, oldBack);
    SetTextColor(target, oldText);
  }
}

void TBitmap::Assign(TPersistent* source) {
  auto* bitmap = dynamic_cast<TBitmap*>(source);
  if (!source || bitmap) {
    CopyFrom(bitmap);
    return;
  }
  auto* graphic = dynamic_cast<TGraphic*>(source);
  if (!graphic) {
    TGraphic::Assign(source);
    return;
  }
  // A graphic that knows how to become a bitmap (a JPEG image decodes itself) does so; any
  // other is drawn onto a white bitmap of its size.
  try {
    TGraphic::Assign(source);
  } catch (const EConvertError&) {
    CopyFrom(nullptr);
    SetSize(graphic->GetWidth(), graphic->GetHeight());
    GetCanvas()->Draw(0, 0, graphic);
  }
}

void TBitmap::CopyFrom(TBitmap* source) {
  if (source == this) return;
  dib::Format format = source ? source->CurrentFormat() : CurrentFormat();
  TBitmapHandleType type = source ? source->FHandleType : FHandleType;
  int width = source ? source->FWidth : 0, height = source ? source->FHeight : 0;
  void* bits = nullptr;
  HBITMAP handle = NewImage(width, height, type, format, &bits);
  if (handle && type == bmDIB) {
    GdiFlush();
    std::memcpy(bits, source->FBits,
                static_cast<size_t>(dib::ImageSize(width, height, format.bitCount)));
  } else if (handle) {
    if (source->FCanvas) source->FCanvas->DeselectBitmap();
    {
      MemoryDC target(handle), from(source->FHandle.Get());
      BitBlt(target.Get(), 0, 0, width, height, from.Get(), 0, 0, SRCCOPY);
    }
    if (source->FCanvas) source->FCanvas->SelectBitmap();
  }
  ReplaceImage(handle, bits, width, height, type, format);
  if (FCanvas) FCanvas->DeselectBitmap();
  FPalette.Reset(source && !source->FPaletteDerived ? CopyPalette(source->FPalette.Get()) : nullptr);
  FPaletteDerived = false;
  if (FCanvas) FCanvas->SelectBitmap();
  if (source) {
    FTransparentColor = source->FTransparentColor;
    FTransparentMode = source->FTransparentMode;
    TGraphic::SetTransparent(source->GetTransparent());
  }
  Changed(this);
}

void TBitmap::LoadFromStream(TStream* stream) {
  BITMAPFILEHEADER file{};
  std::int64_t start = stream->GetPosition();
  std::int64_t available = stream->GetSize() - start;
  if (available < static_cast<std::int64_t>(sizeof(file))) InvalidBitmap();
  stream->ReadBuffer(&file, sizeof(file));
  // The file header's size tells where this picture ends; a wrong one means "to the end".
  std::int64_t length = file.bfSize >= sizeof(file) && file.bfSize <= available ? file.bfSize
                                                                                : available;
  std::vector<std::uint8_t> bytes(static_cast<size_t>(length));
  std::memcpy(bytes.data(), &file, sizeof(file));
  stream->ReadBuffer(bytes.data() + sizeof(file), static_cast<int>(length - sizeof(file)));
  dib::Image image;
  switch (dib::DecodeBmp(bytes.data(), bytes.size(), image)) {
    case dib::DecodeResult::Invalid: InvalidBitmap();
    case dib::DecodeResult::NoMemory: throw EOutOfResources("Out of system resources");
    case dib::DecodeResult::Ok: break;
  }
  if (FCanvas) FCanvas->DeselectBitmap();
  FPalette.Reset();
  FPaletteDerived = false;
  ReplaceImage(image.handle, image.bits, image.width, image.height, bmDIB, image.format);
  Changed(this);
}

void TBitmap::SaveToStream(TStream* stream) {
  if (FHandleType == bmDDB && FHandle) {
    // A device bitmap is written in the screen's layout without changing this bitmap.
    TBitmap copy;
    copy.Assign(this);
    copy.MakeDIB();
    copy.SaveToStream(stream);
    return;
  }
  GdiFlush();
  dib::Format format = FHandleType == bmDIB ? CurrentFormat() : DeviceFormat();
  std::vector<std::uint8_t> bytes = dib::EncodeBmp(FWidth, FHeight, format, FBits);
  stream->WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
}

void TBitmap::SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) {
  format = CF_BITMAP;
  data = nullptr;
  palette = CopyPalette(FPalette.Get());
  if (GetEmpty()) return;
  ScopedGetDC screen;
  HBITMAP copy = CreateCompatibleBitmap(screen.Get(), FWidth, FHeight);
  if (!copy) throw EOutOfResources("Out of system resources");
  {
    MemoryDC target(copy);
    BitBlt(target.Get(), 0, 0, FWidth, FHeight, GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
  }
  data = copy;
}

void TBitmap::LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) {
  BITMAP info{};
  if (format != CF_BITMAP || !data || !GetObjectA(data, sizeof(info), &info))
    throw EInvalidGraphic("Unsupported clipboard format");
  CopyFrom(nullptr);
  SetHandleType(bmDDB);
  SetSize(info.bmWidth, info.bmHeight);
  if (FHandle) {
    if (FCanvas) FCanvas->DeselectBitmap();
    {
      MemoryDC target(FHandle.Get()), source(static_cast<HGDIOBJ>(data));
      BitBlt(target.Get(), 0, 0, FWidth, FHeight, source.Get(), 0, 0, SRCCOPY);
    }
    if (FCanvas) FCanvas->SelectBitmap();
  }
  SetPalette(CopyPalette(palette));
  Changed(this);
}

// ---------------------------------------------------------------------------------------------
// Icon.

namespace {

#pragma pack(push, 1)
struct IconDirEntry {
  BYTE width;
  BYTE height;
  BYTE colorCount;
  BYTE reserved;
  WORD planes;
  WORD bitCount;
  DWORD bytesInRes;
  DWORD imageOffset;
};
#pragma pack(pop)

[[noreturn]] void InvalidIcon() { throw EInvalidGraphic("Icon image is not valid"); }

SIZE IconSize(HICON icon) {
  ICONINFO info{};
  SIZE size{0, 0};
  if (!GetIconInfo(icon, &info)) return size;
  ScopedGdiObj<HBITMAP> mask(info.hbmMask), color(info.hbmColor);
  BITMAP bm{};
  if (GetObjectA(info.hbmMask, sizeof(bm), &bm)) {
    size.cx = bm.bmWidth;
    size.cy = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
  }
  return size;
}

}  // namespace

const TGraphicClassInfo TIcon::Class{"TIcon", [] { return static_cast<TGraphic*>(new TIcon); }};

TIcon::~TIcon() { FreeIcon(); }

void TIcon::FreeIcon() {
  if (FHandle) DestroyIcon(FHandle);
  FHandle = nullptr;
  FWidth = FHeight = 0;
  FData.clear();
}

void TIcon::SetHandle(HICON value) {
  if (value == FHandle) return;
  FreeIcon();
  FHandle = value;
  SIZE size = value ? IconSize(value) : SIZE{0, 0};
  FWidth = size.cx;
  FHeight = size.cy;
  Changed(this);
}

HICON TIcon::ReleaseHandle() {
  HICON handle = FHandle;
  FHandle = nullptr;
  FreeIcon();
  return handle;
}

void TIcon::Assign(TPersistent* source) {
  auto* icon = dynamic_cast<TIcon*>(source);
  if (source && !icon) {
    TGraphic::Assign(source);
    return;
  }
  if (icon == this) return;
  std::string data = icon ? icon->FData : std::string();
  SetHandle(icon && icon->FHandle ? CopyIcon(icon->FHandle) : nullptr);
  FData = data;
}

void TIcon::Draw(TCanvas* canvas, const RECT& rect) {
  if (!FHandle) return;
  DrawIconEx(canvas->GetHandle(), rect.left, rect.top, FHandle, rect.right - rect.left,
             rect.bottom - rect.top, 0, nullptr, DI_NORMAL);
}

void TIcon::SetWidth(int) { throw EInvalidGraphicOperation("Cannot change the size of an icon"); }
void TIcon::SetHeight(int) { throw EInvalidGraphicOperation("Cannot change the size of an icon"); }

void TIcon::LoadFromStream(TStream* stream) {
  std::int64_t length = stream->GetSize() - stream->GetPosition();
  if (length < 6 + static_cast<std::int64_t>(sizeof(IconDirEntry))) InvalidIcon();
  std::string data(static_cast<size_t>(length), '\0');
  stream->ReadBuffer(data.data(), static_cast<int>(length));
  WORD reserved, type, count;
  std::memcpy(&reserved, data.data(), 2);
  std::memcpy(&type, data.data() + 2, 2);
  std::memcpy(&count, data.data() + 4, 2);
  if (reserved != 0 || type != 1 || count == 0) InvalidIcon();
  IconDirEntry entry;
  std::memcpy(&entry, data.data() + 6, sizeof(entry));
  if (entry.imageOffset >= data.size() || entry.bytesInRes > data.size() - entry.imageOffset)
    InvalidIcon();
  int width = entry.width ? entry.width : 256, height = entry.height ? entry.height : 256;
  HICON icon = CreateIconFromResourceEx(
      reinterpret_cast<PBYTE>(data.data() + entry.imageOffset), entry.bytesInRes, TRUE,
      0x00030000, width, height, LR_DEFAULTCOLOR);
  if (!icon) InvalidIcon();
  SetHandle(icon);
  FData = std::move(data);
}

void TIcon::SaveToStream(TStream* stream) {
  if (FData.empty()) InvalidIcon();
  stream->WriteBuffer(FData.data(), static_cast<int>(FData.size()));
}
