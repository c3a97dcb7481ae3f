// The GIF picture: assignment, saving, sizes and versions, warnings and progress.
#include "gif/GifPicture.h"

#include <algorithm>

TGifDefaults& GifDefaults() {
  static TGifDefaults defaults;
  return defaults;
}

const TGraphicClassInfo TGifPicture::Class{"TGifPicture",
                                           [] { return static_cast<TGraphic*>(new TGifPicture); }};

TGifPicture::TGifPicture()
    : FImages(std::make_unique<TGifFrameList>(this)),
      FHeader(std::make_unique<TGifHeader>(this)) {
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
  FImages->Clear();
  DropPalette();
}

void TGifPicture::Clear() {
  FImages->Clear();
  FHeader->Clear();
  DropPalette();
}

void TGifPicture::DropPalette() {
  if (FGlobalPalette) {
    DeleteObject(FGlobalPalette);
    FGlobalPalette = nullptr;
  }
}

void TGifPicture::PaletteChanged() { DropPalette(); }

void TGifPicture::FramesChanged() { Changed(this); }

void TGifPicture::Warning(TObject* Sender, int Severity, const std::string& Message) {
  if (FOnWarning) FOnWarning(Sender, Severity, Message);
}

void TGifPicture::ReportProgress(TProgressStage Stage, int PercentDone, const std::string& Message) {
  RECT none{0, 0, 0, 0};
  Progress(this, Stage, static_cast<std::uint8_t>(std::clamp(PercentDone, 0, 100)), false, none,
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

// ---------------------------------------------------------------------------------------------
// Display: the forced frame (else frame 0) in its place on the logical screen.

void TGifPicture::Draw(TCanvas* Canvas, const RECT& Rect) {
  if (FDrawing || GetEmpty()) return;
  const int screenWidth = GetWidth(), screenHeight = GetHeight();
  if (screenWidth <= 0 || screenHeight <= 0) return;
  int index = FForceFrame >= 0 && FForceFrame < FImages->GetCount() ? FForceFrame : 0;
  TGifFrame* frame = FImages->GetFrame(index);
  if (frame->GetEmpty()) return;
  FDrawing = true;
  try {
    TBitmap bitmap;
    AssignTo(&bitmap);
    Canvas->StretchDraw(Rect, &bitmap);
  } catch (...) {
    FDrawing = false;
    throw;
  }
  FDrawing = false;
}

// A bitmap receives the logical screen with the shown frame on it.
void TGifPicture::AssignTo(TPersistent* Dest) {
  auto* bitmap = dynamic_cast<TBitmap*>(Dest);
  if (!bitmap) return inherited::AssignTo(Dest);
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(GetWidth(), GetHeight());
  if (GetEmpty() || bitmap->GetEmpty()) return;
  int index = FForceFrame >= 0 && FForceFrame < FImages->GetCount() ? FForceFrame : 0;
  TGifFrame* frame = FImages->GetFrame(index);
  TGifColorMap* map = frame->GetActiveColorMap();
  TColor background = FDrawBackgroundColor != clNone ? FDrawBackgroundColor : clWhite;
  TCanvas* canvas = bitmap->GetCanvas();
  canvas->GetBrush()->SetColor(background);
  canvas->FillRect(RECT{0, 0, GetWidth(), GetHeight()});
  if (frame->GetEmpty() || map->GetCount() == 0) return;
  const int transparent = frame->GetTransparentColorIndex();
  const auto& entries = map->Entries();
  for (int y = 0; y < frame->GetHeight(); ++y) {
    auto* row = static_cast<std::uint8_t*>(bitmap->ScanLine(frame->GetTop() + y));
    const std::uint8_t* source = frame->ScanLine(y);
    for (int x = 0; x < frame->GetWidth(); ++x) {
      int index = source[x];
      if (index == transparent) continue;
      const TGifColor& c = entries[static_cast<size_t>(index < map->GetCount() ? index : 0)];
      std::uint8_t* pixel = row + 3 * (frame->GetLeft() + x);
      pixel[0] = c.Blue;
      pixel[1] = c.Green;
      pixel[2] = c.Red;
    }
  }
}
