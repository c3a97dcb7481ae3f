// The GIF picture: assignment, saving, sizes and versions, warnings and progress.
#include "gif/GifPicture.h"

#include <algorithm>
#include <cstring>

#include "classlib/Clipbrd.h"
#include "gif/GifColorReduction.h"

TGifDefaults& GifDefaults() {
  static TGifDefaults defaults;
  return defaults;
}

const TGraphicClassInfo TGifPicture::Class{"TGifPicture",
                                           [] { return static_cast<TGraphic*>(new TGifPicture); }};

namespace {

bool g_screenOf8BitsOrFewer = false;

// The unit's registrations: the file extension and the clipboard format of GIF pictures.
struct TGifRegistration {
  UINT clipboardFormat;
  TGifRegistration() : clipboardFormat(RegisterClipboardFormatA("GIF Image")) {
    TPicture::RegisterFileFormat("gif", "GIF Image", &TGifPicture::Class);
    if (clipboardFormat) TPicture::RegisterClipboardFormat(clipboardFormat, &TGifPicture::Class);
    ScopedGetDC screen;
    g_screenOf8BitsOrFewer =
        screen.Get() && GetDeviceCaps(screen.Get(), BITSPIXEL) * GetDeviceCaps(screen.Get(), PLANES) < 9;
  }
  ~TGifRegistration() { TPicture::UnregisterGraphicClass(&TGifPicture::Class); }
};
const TGifRegistration g_registration;

}  // namespace

UINT GifClipboardFormat() { return g_registration.clipboardFormat; }

HPALETTE WebPalette() {
  std::vector<std::uint8_t> buffer(sizeof(LOGPALETTE) + 216 * sizeof(PALETTEENTRY));
  auto* palette = reinterpret_cast<LOGPALETTE*>(buffer.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = 216;
  for (int i = 0; i < 216; ++i)
    palette->palPalEntry[i] = {static_cast<BYTE>(51 * (i / 36)), static_cast<BYTE>(51 * (i / 6 % 6)),
                               static_cast<BYTE>(51 * (i % 6)), PC_NOCOLLAPSE};
  return CreatePalette(palette);
}

TGifPicture::TGifPicture()
    : FImages(std::make_unique<TGifFrameList>(this)),
      FHeader(std::make_unique<TGifHeader>(this)) {
  InitializeCriticalSection(&FPainterLock);
  const TGifDefaults& defaults = GifDefaults();
  FDrawOptions = defaults.DrawOptions;
  FColorReduction = defaults.ColorReduction;
  FReductionBits = defaults.ReductionBits;
  FDitherMode = defaults.DitherMode;
  FCompression = defaults.Compression;
  FThreadPriority = defaults.ThreadPriority;
  FAnimationSpeed = defaults.AnimationSpeed;
  Clear();
}

TGifPicture::~TGifPicture() {
  StopPainters();
  FImages->Clear();
  DropPalette();
  DeleteCriticalSection(&FPainterLock);
}

void TGifPicture::Clear() {
  StopPainters();
  FImages->Clear();
  FHeader->Clear();
  DropPalette();
}

void TGifPicture::DropPalette() { FGlobalPalette.Reset(); }

void TGifPicture::DropBitmapCache() { FBitmapCache.reset(); }

void TGifPicture::PaletteChanged() { DropPalette(); }

// Painters stop first: they may be drawing into the cache.
void TGifPicture::FramesChanged() {
  StopPainters();
  FChangeAfterDrawing = false;  // signalled now
  Changed(this);
}

void TGifPicture::Warning(TObject* Sender, int Severity, const std::string& Message) {
  if (FOnWarning) FOnWarning(Sender, Severity, Message);
}

void TGifPicture::ReportProgress(TProgressStage Stage, int PercentDone, const std::string& Message,
                                 bool RedrawNow) {
  RECT none{0, 0, 0, 0};
  Progress(this, Stage, static_cast<std::uint8_t>(std::clamp(PercentDone, 0, 100)), RedrawNow, none,
           Message);
}

TGifProgressScope::TGifProgressScope(TGifPicture* Image, const char* Message)
    : FImage(Image), FMessage(Message) {
  if (FImage) FImage->ReportProgress(psStarting, 0, FMessage);
}

TGifProgressScope::~TGifProgressScope() {
  if (!FImage) return;
  try {
    FImage->ReportProgress(psEnding, FDone ? 100 : 0, FMessage);
  } catch (...) {
    // A progress handler that fails while an error unwinds must not end the program.
  }
}

void TGifProgressScope::Report(long long Done, long long Total) {
  if (FImage && Total > 0)
    FImage->ReportProgress(psRunning, static_cast<int>(Done * 100 / Total), FMessage);
}

// ---------------------------------------------------------------------------------------------
// Assignment

void TGifPicture::Assign(TPersistent* Source) {
  if (Source == this) return;
  if (Source == nullptr) {
    Clear();
    FramesChanged();
    return;
  }
  if (auto* picture = dynamic_cast<TGifPicture*>(Source)) {
    AssignPicture(picture);
    return;
  }
  if (auto* frame = dynamic_cast<TGifFrame*>(Source)) {
    AssignFrame(frame);
    return;
  }
  if (dynamic_cast<TGraphic*>(Source) || dynamic_cast<TPicture*>(Source)) {
    Clear();
    auto frame = std::make_unique<TGifFrame>(this);
    frame->Assign(Source);
    FImages->Add(std::move(frame));
    FramesChanged();
    return;
  }
  inherited::Assign(Source);
}

void TGifPicture::AssignPicture(TGifPicture* Source) {
  Clear();
  // The copy reports through the source's handlers; this picture's own come back afterwards.
  const TProgressEvent ownProgress = GetOnProgress();
  const TGifWarning ownWarning = FOnWarning;
  SetOnProgress(Source->GetOnProgress());
  FOnWarning = Source->FOnWarning;
  try {
    TGifProgressScope progress(this, "Copying...");
    FHeader->Assign(Source->FHeader.get());
    FThreadPriority = Source->FThreadPriority;
    FDrawBackgroundColor = Source->FDrawBackgroundColor;
    FDrawOptions = Source->FDrawOptions;
    FColorReduction = Source->FColorReduction;
    FDitherMode = Source->FDitherMode;
    FForceFrame = Source->FForceFrame;
    FPaintEvents = Source->FPaintEvents;
    const int count = Source->FImages->GetCount();
    for (int i = 0; i < count; ++i) {
      auto frame = std::make_unique<TGifFrame>(this);
      frame->Assign(Source->FImages->GetFrame(i));
      FImages->Add(std::move(frame));
      progress.Report(i + 1, count);
    }
    GrowScreenToFrames();
    progress.Done();
  } catch (...) {
    SetOnProgress(ownProgress);
    FOnWarning = ownWarning;
    throw;
  }
  SetOnProgress(ownProgress);
  FOnWarning = ownWarning;
  FramesChanged();
}

// The picture becomes the one frame. The copy is made before the picture is cleared, since the
// frame may be one of its own; a frame shown through its picture's global table takes that
// table along as its own.
void TGifPicture::AssignFrame(TGifFrame* Source) {
  auto frame = std::make_unique<TGifFrame>(this);
  frame->Assign(Source);
  if (frame->GetColorMap()->GetCount() == 0 && Source->GetActiveColorMap()->GetCount() > 0)
    frame->GetColorMap()->Assign(Source->GetActiveColorMap());
  Clear();
  FImages->Add(std::move(frame));
  GrowScreenToFrames();
  FramesChanged();
}

void TGifPicture::GrowScreenToFrames() {
  int width = FHeader->GetWidth(), height = FHeader->GetHeight();
  for (int i = 0; i < FImages->GetCount(); ++i) {
    TGifFrame* frame = FImages->GetFrame(i);
    width = std::max(width, frame->GetLeft() + frame->GetWidth());
    height = std::max(height, frame->GetTop() + frame->GetHeight());
  }
  // A stream's frames may reach past the 16-bit screen; the screen stops at its limit.
  FHeader->SetWidth(std::min(width, kGifMaxSide));
  FHeader->SetHeight(std::min(height, kGifMaxSide));
}

int TGifPicture::Add(TPersistent* Source) {
  int index;
  if (auto* frame = dynamic_cast<TGifFrame*>(Source)) {
    index = FImages->Add(std::unique_ptr<TGifItem>(frame));
  } else if (dynamic_cast<TGraphic*>(Source)) {
    auto made = std::make_unique<TGifFrame>(this);
    made->Assign(Source);
    index = FImages->Add(std::move(made));
  } else {
    throw EGifError(gifmsg::kUnsupportedObject);
  }
  FramesChanged();
  return index;
}

// ---------------------------------------------------------------------------------------------
// Sizes and versions

void TGifPicture::SetWidth(int Value) {
  for (int i = 0; i < FImages->GetCount(); ++i) {
    TGifFrame* frame = FImages->GetFrame(i);
    if (frame->GetLeft() + frame->GetWidth() > Value) throw EGifError(gifmsg::kWidthTooSmall);
  }
  if (Value == FHeader->GetWidth()) return;
  FHeader->SetWidth(Value);
  FramesChanged();
}

void TGifPicture::SetHeight(int Value) {
  for (int i = 0; i < FImages->GetCount(); ++i) {
    TGifFrame* frame = FImages->GetFrame(i);
    if (frame->GetTop() + frame->GetHeight() > Value) throw EGifError(gifmsg::kHeightTooSmall);
  }
  if (Value == FHeader->GetHeight()) return;
  FHeader->SetHeight(Value);
  FramesChanged();
}

int TGifPicture::GetVersion() const {
  int version = kGifVersionNone;
  for (int i = 0; i < FImages->GetCount() && version < kGifVersion89a; ++i)
    version = std::max(version, FImages->GetFrame(i)->GetVersion());
  return version;
}

int TGifPicture::GetColorResolution() const {
  int resolution = GetGlobalColorMap()->GetBitsPerPixel() - 1;
  for (int i = 0; i < FImages->GetCount(); ++i)
    resolution = std::max(resolution, FImages->GetFrame(i)->GetColorMap()->GetBitsPerPixel() - 1);
  return resolution;
}

int TGifPicture::GetBitsPerPixel() const {
  int bits = GetGlobalColorMap()->GetBitsPerPixel();
  for (int i = 0; i < FImages->GetCount(); ++i)
    bits = std::max(bits, FImages->GetFrame(i)->GetColorMap()->GetBitsPerPixel());
  return bits;
}

// ---------------------------------------------------------------------------------------------
// Streams

void TGifPicture::SaveToStream(TStream* Stream) {
  TGifProgressScope progress(this, "Saving...");
  FHeader->SaveToStream(Stream);
  const int count = FImages->GetCount();
  for (int i = 0; i < count; ++i) {
    FImages->GetFrame(i)->SaveToStream(Stream);
    progress.Report(i + 1, count);
  }
  TGifTrailer(this).SaveToStream(Stream);
  progress.Done();
}

// What was read before an error stays in the picture; the stream goes back to where it was.
void TGifPicture::LoadFromStream(TStream* Stream) {
  TGifProgressScope progress(this, "Loading...");
  Clear();
  const std::int64_t start = Stream->GetPosition();
  try {
    FHeader->LoadFromStream(Stream);
    FImages->LoadFromStream(Stream, this);
    GrowScreenToFrames();
    TGifTrailer(this).LoadFromStream(Stream);
  } catch (...) {
    Stream->SetPosition(start);
    FramesChanged();
    throw;
  }
  progress.Done();
  FramesChanged();
}

void TGifPicture::WriteData(TStream* Stream) {
  if (GifDefaults().OptimizeOnStream)
    Optimize(ooCrop | ooMerge | ooCleanup | ooColorMap, rmNone, dmNearest, 8);
  SaveToStream(Stream);
}

// ---------------------------------------------------------------------------------------------
// Rendering and palettes

bool TGifPicture::UsesWebPalette() const {
  if (!(FDrawOptions & goDither)) return false;
  return !(FDrawOptions & goAutoDither) || g_screenOf8BitsOrFewer;
}

HPALETTE TGifPicture::PaletteCopy() {
  if (GetEmpty()) return nullptr;
  const bool tableless = !FGlobalPalette && !UsesWebPalette() && GetGlobalColorMap()->GetCount() == 0 &&
                         FImages->GetFrame(0)->GetActiveColorMap()->GetCount() == 0;
  return tableless ? nullptr : CopyPalette(GetPalette());
}

// Frame 0 on the logical screen: its own bitmap when it covers the screen, else drawn on a
// screen-sized bitmap, with the picture's palette, filled with the brush colour.
TBitmap* TGifPicture::GetBitmap() {
  if (FBitmapCache || GetEmpty()) return FBitmapCache.get();
  TGifFrame* frame = FImages->GetFrame(0);
  auto bitmap = std::make_unique<TBitmap>();
  if (frame->GetLeft() == 0 && frame->GetTop() == 0 && frame->GetWidth() == GetWidth() &&
      frame->GetHeight() == GetHeight()) {
    bitmap->Assign(frame->GetBitmap());
  } else {
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(GetWidth(), GetHeight());
    bitmap->SetPalette(PaletteCopy());
    TCanvas* canvas = bitmap->GetCanvas();
    canvas->FillRect(RECT{0, 0, GetWidth(), GetHeight()});
    frame->Draw(canvas,
                RECT{frame->GetLeft(), frame->GetTop(), frame->GetLeft() + frame->GetWidth(),
                     frame->GetTop() + frame->GetHeight()},
                true);
  }
  FBitmapCache = std::move(bitmap);
  return FBitmapCache.get();
}

void TGifPicture::AssignTo(TPersistent* Dest) {
  auto* bitmap = dynamic_cast<TBitmap*>(Dest);
  if (!bitmap) return inherited::AssignTo(Dest);
  if (GetEmpty()) {
    bitmap->SetSize(0, 0);
    return;
  }
  bitmap->Assign(GetBitmap());
  FrameDrawn();
}

HPALETTE TGifPicture::GetPalette() {
  if (FBuildingPalette) throw EGifError(gifmsg::kNoColorTable);
  if (FBitmapCache && FBitmapCache->GetPalette()) return FBitmapCache->GetPalette();
  if (FGlobalPalette) return FGlobalPalette.Get();
  if (UsesWebPalette()) {
    FGlobalPalette.Reset(WebPalette());
    return FGlobalPalette.Get();
  }
  if (GetGlobalColorMap()->GetCount() > 0) {
    FGlobalPalette.Reset(GetGlobalColorMap()->ExportPalette());
    return FGlobalPalette.Get();
  }
  if (GetEmpty()) return nullptr;
  FBuildingPalette = true;
  try {
    HPALETTE palette = FImages->GetFrame(0)->GetPalette();
    FBuildingPalette = false;
    return palette;
  } catch (...) {
    FBuildingPalette = false;
    throw;
  }
}

// The cache goes with its palette; the painters drawing into it stop first. A display that
// shows the picture learns of the new palette through the flag and the change.
void TGifPicture::SetPalette(HPALETTE Value) {
  if (Value == FGlobalPalette.Get()) return;
  const bool cacheHasIt = FBitmapCache && FBitmapCache->GetPalette() == Value;
  // The cache owns its palette: the picture keeps a copy of it.
  FGlobalPalette.Reset(cacheHasIt && Value ? CopyPalette(Value) : Value);
  if (cacheHasIt) return;
  StopPainters();
  FPaletteModified = true;
  Changed(this);
}

void TGifPicture::FrameRendered() {
  if (FPaletteModified) FChangeAfterDrawing = true;
}

void TGifPicture::FrameDrawn(bool CacheChanged) {
  if (!CacheChanged && !FChangeAfterDrawing) return;
  FChangeAfterDrawing = false;
  Changed(this);
}

// ---------------------------------------------------------------------------------------------
// Drawing and painters

void TGifPicture::PaintCache(TCanvas* Canvas, const RECT& Rect) {
  if (!FBitmapCache) return;
  if (!(FDrawOptions & goTile)) {
    Canvas->StretchDraw(Rect, FBitmapCache.get());
    return;
  }
  const int width = std::max(1, GetWidth()), height = std::max(1, GetHeight());
  for (int y = Rect.top; y < Rect.bottom; y += height)
    for (int x = Rect.left; x < Rect.right; x += width) Canvas->Draw(x, y, FBitmapCache.get());
}

namespace {

// Holds the picture's re-entry flag for one Draw. A synchronous painter handles messages while
// it waits, and one of them may free the picture: then nothing of it is touched again.
class TDrawingScope {
 public:
  TDrawingScope(bool& Flag, std::weak_ptr<const int> Alive) : FFlag(Flag), FAlive(std::move(Alive)) { FFlag = true; }
  ~TDrawingScope() {
    if (!FAlive.expired()) FFlag = false;
  }
  TDrawingScope(const TDrawingScope&) = delete;
  TDrawingScope& operator=(const TDrawingScope&) = delete;

 private:
  bool& FFlag;
  std::weak_ptr<const int> FAlive;
};

}  // namespace

// The frame is drawn whole before the picture signals a change: a handler may clear it.
void TGifPicture::Draw(TCanvas* Canvas, const RECT& Rect) {
  if (FDrawing || GetEmpty()) return;
  const std::weak_ptr<const int> alive = FLifetime;
  {
    TDrawingScope drawing(FDrawing, alive);
    if (FImages->GetCount() > 1 && (FDrawOptions & goAnimate)) {
      DrawAnimation(Canvas, Rect);
    } else {
      const int index = FForceFrame >= 0 && FForceFrame < FImages->GetCount() ? FForceFrame : 0;
      PaintGifFrame(this, FImages->GetFrame(index), Canvas, Rect, (FDrawOptions & goTransparent) != 0,
                    (FDrawOptions & goTile) != 0);
    }
  }
  if (!alive.expired()) FrameDrawn();
}

void TGifPicture::DrawAnimation(TCanvas* Canvas, const RECT& Rect) {
  const std::weak_ptr<const int> alive = FLifetime;
  const bool direct = (FDrawOptions & goDirectDraw) != 0;
  if (FBitmapCache && !direct) {
    // A running animation goes on in the cache; a finished one left its last frame there.
    PaintCache(Canvas, Rect);
    return;
  }
  EnterCriticalSection(&FPainterLock);
  TGifAnimator* current = FDefaultPainter;
  const bool same = current && current->GetCanvas() == Canvas && EqualRect(&current->GetRect(), &Rect);
  LeaveCriticalSection(&FPainterLock);
  if (same) return;
  if (current) {
    current->Stop();
    current->WaitFor();
  }
  TCanvas* target = Canvas;
  RECT targetRect = Rect;
  if (!direct) {
    // The painter draws into the cache, which starts as a copy of what lies under the picture;
    // it carries the picture's palette, through which a paletted display shows it.
    ScopedGdiObj<HPALETTE> palette(PaletteCopy());
    FBitmapCache = std::make_unique<TBitmap>();
    FBitmapCache->SetPixelFormat(pf24bit);
    FBitmapCache->SetSize(GetWidth(), GetHeight());
    FBitmapCache->SetPalette(palette.Release());
    FBitmapCache->GetCanvas()->CopyRect(RECT{0, 0, GetWidth(), GetHeight()}, Canvas, Rect);
    target = FBitmapCache->GetCanvas();
    targetRect = RECT{0, 0, GetWidth(), GetHeight()};
  }
  const std::shared_ptr<TGifAnimator> painter = StartPainter(&FDefaultPainter, target, FDrawOptions, targetRect);
  if (alive.expired() || direct) return;
  if (painter && painter->IsThreaded()) painter->WaitForFirstFrame();
  if (!alive.expired()) PaintCache(Canvas, Rect);
}

TGifAnimator* TGifPicture::CreatePainter(TGifAnimator** Reference, TCanvas* Canvas,
                                         std::uint16_t Options, const RECT& Rect) {
  const std::shared_ptr<TGifAnimator> painter = StartPainter(Reference, Canvas, Options, Rect);
  return painter && painter->IsThreaded() ? painter.get() : nullptr;
}

// Every painter stands in the painter list while it runs, so that clearing or freeing the
// picture stops it. A synchronous one runs here to its end; when it was detached meanwhile, the
// picture may be gone and is not touched again.
std::shared_ptr<TGifAnimator> TGifPicture::StartPainter(TGifAnimator** Reference, TCanvas* Canvas,
                                                        std::uint16_t Options, const RECT& Rect) {
  if (Reference) *Reference = nullptr;
  if (GetEmpty() || Rect.right <= Rect.left || Rect.bottom <= Rect.top) return nullptr;
  if (FImages->GetCount() == 1) Options &= static_cast<std::uint16_t>(~(goAsync | goAnimate));
  ReapPainters();
  auto painter = std::make_shared<TGifAnimator>(this, Canvas, Rect, Options, Reference);
  painter->Events = FPaintEvents;
  EnterCriticalSection(&FPainterLock);
  FPainters.push_back(painter);
  LeaveCriticalSection(&FPainterLock);
  if (Reference) *Reference = painter.get();
  try {
    painter->Start(FThreadPriority);  // a synchronous painter paints the whole animation here
  } catch (...) {
    // A painter detached meanwhile belongs to a picture that may be gone: nothing of it is touched.
    if (painter->GetImage()) {
      RemovePainter(painter.get());
      if (Reference && *Reference == painter.get()) *Reference = nullptr;
    }
    throw;
  }
  if (!painter->IsThreaded() && painter->GetImage()) RemovePainter(painter.get());
  return painter;
}

void TGifPicture::RemovePainter(TGifAnimator* Painter) {
  EnterCriticalSection(&FPainterLock);
  std::erase_if(FPainters, [&](const auto& listed) { return listed.get() == Painter; });
  LeaveCriticalSection(&FPainterLock);
  if (FDefaultPainter == Painter) FDefaultPainter = nullptr;
}

int TGifPicture::GetPainterCount() {
  EnterCriticalSection(&FPainterLock);
  const auto running = std::count_if(FPainters.begin(), FPainters.end(),
                                     [](const auto& painter) { return !painter->Finished(); });
  LeaveCriticalSection(&FPainterLock);
  return static_cast<int>(running);
}

// Painters whose thread has ended are freed.
void TGifPicture::ReapPainters() {
  EnterCriticalSection(&FPainterLock);
  std::vector<std::shared_ptr<TGifAnimator>> done;
  for (auto it = FPainters.begin(); it != FPainters.end();) {
    if ((*it)->IsThreaded() && (*it)->Finished()) {
      done.push_back(std::move(*it));
      it = FPainters.erase(it);
    } else {
      ++it;
    }
  }
  LeaveCriticalSection(&FPainterLock);
  for (auto& painter : done) {
    painter->WaitFor();
    if (FDefaultPainter == painter.get()) FDefaultPainter = nullptr;
  }
}

// A synchronous painter further up this thread's stack cannot be waited for: it is detached
// and ends at its next step.
void TGifPicture::StopPainters() {
  EnterCriticalSection(&FPainterLock);
  std::vector<std::shared_ptr<TGifAnimator>> painters = std::move(FPainters);
  FPainters.clear();
  for (auto& painter : painters) painter->Stop();
  LeaveCriticalSection(&FPainterLock);
  // Waiting lets the main thread run what a painter asked of it before it could stop.
  for (auto& painter : painters) painter->WaitFor();
  EnterCriticalSection(&FPainterLock);
  for (auto& painter : painters) painter->DetachImage();
  LeaveCriticalSection(&FPainterLock);
  FDefaultPainter = nullptr;
  DropBitmapCache();
}

// ---------------------------------------------------------------------------------------------
// Clipboard

void TGifPicture::SaveToClipboardFormat(UINT& Format, HANDLE& Data, HPALETTE& Palette) {
  Format = 0;
  Data = nullptr;
  Palette = nullptr;
  TMemoryStream stream;
  SaveToStream(&stream);
  if (!GetEmpty()) {
    TBitmap bitmap;
    AssignTo(&bitmap);
    bitmap.SaveToClipboardFormat(Format, Data, Palette);
  }
  HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(stream.GetSize()));
  if (!global) throw EGifError(gifmsg::kClipboardFailed);
  if (void* bytes = GlobalLock(global)) {
    std::memcpy(bytes, stream.GetMemory(), static_cast<size_t>(stream.GetSize()));
    GlobalUnlock(global);
  }
  try {
    if (!GifClipboardFormat()) throw EGifError(gifmsg::kClipboardFailed);
    Clipboard()->SetAsHandle(GifClipboardFormat(), global);  // the first data of this opening
  } catch (const Exception&) {
    GlobalFree(global);
    throw EGifError(gifmsg::kClipboardFailed);
  }
}

void TGifPicture::LoadFromClipboardFormat(UINT Format, HANDLE Data, HPALETTE Palette) {
  if (!Data) Data = GetClipboardData(Format);
  if (Format == GifClipboardFormat() && Format != 0 && Data) {
    const SIZE_T size = GlobalSize(Data);
    const void* bytes = GlobalLock(Data);
    if (!bytes) throw EInvalidGraphic("Unsupported clipboard format");
    TStringStream stream(std::string(static_cast<const char*>(bytes), size));
    GlobalUnlock(Data);
    LoadFromStream(&stream);
    return;
  }
  if (Format == CF_BITMAP) {
    TBitmap bitmap;
    bitmap.LoadFromClipboardFormat(Format, Data, Palette);
    Assign(&bitmap);
    return;
  }
  throw EInvalidGraphic("Unsupported clipboard format");
}

// ---------------------------------------------------------------------------------------------
// Optimisation

namespace {

// The same entry of one table, or the same colour as the two frames are shown.
bool SameColor(TGifFrame* a, const std::vector<TGifColor>& shownA, int indexA, TGifFrame* b,
               const std::vector<TGifColor>& shownB, int indexB) {
  if (a->GetActiveColorMap() == b->GetActiveColorMap() && indexA == indexB) return true;
  if (indexA >= static_cast<int>(shownA.size()) || indexB >= static_cast<int>(shownB.size())) return false;
  return shownA[static_cast<size_t>(indexA)] == shownB[static_cast<size_t>(indexB)];
}

int DisposalOf(TGifFrame* frame) {
  TGifGraphicControlExtension* control = frame->GetGraphicControlExtension();
  return control ? control->GetDisposal() : dmNone;
}

RECT RectOf(TGifFrame* frame) {
  return RECT{frame->GetLeft(), frame->GetTop(), frame->GetLeft() + frame->GetWidth(),
              frame->GetTop() + frame->GetHeight()};
}

TGifGraphicControlExtension* EnsureControl(TGifFrame* frame) {
  if (TGifGraphicControlExtension* control = frame->GetGraphicControlExtension()) return control;
  auto control = std::make_unique<TGifGraphicControlExtension>(frame);
  TGifGraphicControlExtension* made = control.get();
  frame->GetExtensions()->Add(std::move(control));
  return made;
}

}  // namespace

void TGifPicture::Optimize(std::uint8_t Options, std::uint8_t ColorReduction, std::uint8_t,
                           int) {
  if (GetEmpty()) return;
  StopPainters();
  EnterCriticalSection(&FPainterLock);
  try {
    TGifProgressScope progress(this, "Optimizing...");
    const long long total = static_cast<long long>(FImages->GetCount()) * 6;
    long long done = 0;
    if (Options & ooColorMap) {
      if (GetGlobalColorMap()->GetCount() > 0) GetGlobalColorMap()->Optimize();
      for (int i = 0; i < FImages->GetCount(); ++i) {
        if (FImages->GetFrame(i)->GetColorMap()->GetCount() > 0) FImages->GetFrame(i)->GetColorMap()->Optimize();
        progress.Report(++done, total);
      }
    }
    if (Options & ooCleanup) OptimizeTransparency();
    if (Options & ooMerge) {
      for (int i = FImages->GetCount() - 1; i >= 1; --i) {
        int earlier = i - 1;
        while (earlier > 0 && DisposalOf(FImages->GetFrame(earlier)) == dmPrevious) --earlier;
        MergeFrames(FImages->GetFrame(i), FImages->GetFrame(earlier));
        progress.Report(++done, total);
      }
    }
    if (Options & ooCrop) CropFrames();
    if (Options & ooCleanup) {
      CleanUpExtensions();
      progress.Report(total, total);
    } else if ((Options & ooReduceColors) && ColorReduction == rmPalette) {
      throw EGifError(gifmsg::kInvalidReduction);
    }
    progress.Done();
  } catch (...) {
    LeaveCriticalSection(&FPainterLock);
    FramesChanged();
    throw;
  }
  LeaveCriticalSection(&FPainterLock);
  FramesChanged();
}

// A transparent index no pixel shows is dropped; a frame disposed to the background or the
// previous state that the next, opaque, frame covers wholly needs no disposal.
void TGifPicture::OptimizeTransparency() {
  for (int i = 0; i < FImages->GetCount(); ++i) {
    TGifFrame* frame = FImages->GetFrame(i);
    const int transparent = frame->GetTransparentColorIndex();
    if (transparent < 0) continue;
    const std::uint8_t* data = frame->GetData();
    if (!data || std::find(data, data + frame->GetDataSize(), transparent) == data + frame->GetDataSize())
      frame->GetGraphicControlExtension()->SetTransparent(false), frame->SetTransparentFlag(false);
  }
  for (int i = 0; i + 1 < FImages->GetCount(); ++i) {
    TGifFrame* frame = FImages->GetFrame(i);
    TGifFrame* next = FImages->GetFrame(i + 1);
    const int disposal = DisposalOf(frame);
    if ((disposal != dmBackground && disposal != dmPrevious) || next->GetTransparent()) continue;
    RECT a = RectOf(frame), b = RectOf(next), both;
    if (IntersectRect(&both, &a, &b) && EqualRect(&both, &b))
      frame->GetGraphicControlExtension()->SetDisposal(dmNone);
  }
}

// A transparent index for a frame that has none: the one of another transparent frame on the
// global table, when the frame is on that table too and shows no pixel of that index (or its
// visible pixels would vanish), else a new black entry of the frame's table in force. A frame of
// no table at all first takes the colours it is shown in as its own.
int TGifPicture::SharedTransparentIndex(TGifFrame* Frame) {
  if (Frame->GetColorMap()->GetCount() == 0) {
    const std::uint8_t* data = Frame->GetData();
    const std::uint8_t* end = data + Frame->GetDataSize();
    for (int i = 0; i < FImages->GetCount(); ++i) {
      TGifFrame* other = FImages->GetFrame(i);
      if (other == Frame || other->GetColorMap()->GetCount() != 0 || !other->GetTransparent()) continue;
      const int index = other->GetTransparentColorIndex();
      if (std::find(data, end, index) == end) return index;
    }
  }
  if (Frame->GetActiveColorMap()->GetCount() == 0) Frame->GetColorMap()->SetEntries(Frame->GetShownColors());
  return Frame->GetActiveColorMap()->Add(clBlack);
}

// Pixels that show what the earlier frame already shows at the same place become transparent.
void TGifPicture::MergeFrames(TGifFrame* Frame, TGifFrame* Earlier) {
  if (Frame->GetEmpty() || Earlier->GetEmpty()) return;
  const int earlierDisposal = DisposalOf(Earlier);
  if (earlierDisposal == dmBackground || earlierDisposal == dmPrevious) return;
  RECT a = RectOf(Frame), b = RectOf(Earlier), both;
  if (!IntersectRect(&both, &a, &b)) return;
  const bool wasTransparent = Frame->GetTransparent();
  const std::vector<TGifColor> shown = Frame->GetShownColors();
  if (!wasTransparent && static_cast<int>(shown.size()) >= TGifColorMap::kMaxColors) return;
  int transparent = wasTransparent ? Frame->GetTransparentColorIndex() : -1;
  const int earlierTransparent = Earlier->GetTransparentColorIndex();
  const std::vector<TGifColor> earlierShown = Earlier->GetShownColors();
  for (int y = both.top; y < both.bottom; ++y) {
    std::uint8_t* row = Frame->ScanLine(y - Frame->GetTop());
    const std::uint8_t* earlierRow = Earlier->ScanLine(y - Earlier->GetTop());
    for (int x = both.left; x < both.right; ++x) {
      std::uint8_t& pixel = row[x - Frame->GetLeft()];
      const int under = earlierRow[x - Earlier->GetLeft()];
      if (pixel == transparent || under == earlierTransparent) continue;
      if (!SameColor(Frame, shown, pixel, Earlier, earlierShown, under)) continue;
      if (transparent < 0) transparent = SharedTransparentIndex(Frame);
      pixel = static_cast<std::uint8_t>(transparent);
    }
  }
  if (!wasTransparent && transparent >= 0) {
    TGifGraphicControlExtension* control = EnsureControl(Frame);
    control->SetTransparentColorIndex(transparent);
    control->SetTransparent(true);
    Frame->SetTransparentFlag(true);
  }
  Frame->DropBitmap();
}

// Transparent frames shrink to the pixels they show; one that shows none goes, its delay added
// to the frame before it when that one is transparent.
void TGifPicture::CropFrames() {
  for (int i = FImages->GetCount() - 1; i >= 0; --i) {
    TGifFrame* frame = FImages->GetFrame(i);
    const int transparent = frame->GetTransparentColorIndex();
    if (frame->GetEmpty() || transparent < 0) continue;
    int left = frame->GetWidth(), right = -1, top = frame->GetHeight(), bottom = -1;
    for (int y = 0; y < frame->GetHeight(); ++y) {
      const std::uint8_t* row = frame->ScanLine(y);
      for (int x = 0; x < frame->GetWidth(); ++x)
        if (row[x] != transparent) {
          left = std::min(left, x);
          right = std::max(right, x);
          top = std::min(top, y);
          bottom = std::max(bottom, y);
        }
    }
    if (right < 0) {
      const int delay = frame->GetGraphicControlExtension()->GetDelay();
      if (i > 0 && FImages->GetFrame(i - 1)->GetTransparent()) {
        TGifGraphicControlExtension* before = FImages->GetFrame(i - 1)->GetGraphicControlExtension();
        before->SetDelay(before->GetDelay() + delay);
      }
      FImages->Delete(i);
      continue;
    }
    frame->Crop(left, top, right - left + 1, bottom - top + 1);
  }
}

// Comments, plain text, unknown application blocks, misplaced loop extensions and graphic
// control extensions that say nothing go; so do frames left without pixels or extensions.
void TGifPicture::CleanUpExtensions() {
  const bool single = FImages->GetCount() == 1;
  for (int i = FImages->GetCount() - 1; i >= 0; --i) {
    TGifFrame* frame = FImages->GetFrame(i);
    TGifExtensionList* list = frame->GetExtensions();
    for (int e = list->GetCount() - 1; e >= 0; --e) {
      TGifExtension* extension = list->GetExtension(e);
      const bool loop = dynamic_cast<TGifLoopExtension*>(extension) != nullptr;
      bool drop = dynamic_cast<TGifCommentExtension*>(extension) || dynamic_cast<TGifTextExtension*>(extension) ||
                  (dynamic_cast<TGifApplicationExtension*>(extension) && !loop) || (loop && (i != 0 || single));
      if (auto* control = dynamic_cast<TGifGraphicControlExtension*>(extension))
        drop = (control->GetDelay() == 0 || single) && !control->GetTransparent() && !control->GetUserInput() &&
               (control->GetDisposal() < dmBackground || single);
      if (drop) list->Delete(e);
    }
    if (frame->GetEmpty() && list->GetCount() == 0) FImages->Delete(i);
  }
}
