// TGifPicture: a GIF picture of the class library's picture framework. It holds the logical
// screen with its global colour table and a list of frames, and the settings that govern
// converting a bitmap (colour reduction, dithering), coding (LZW or run-length) and display.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Graphics.h"
#include "classlib/ScopedHandles.h"
#include "gif/GifAnimator.h"
#include "gif/GifError.h"
#include "gif/GifFrame.h"

// Display options (bit numbers of TGifPicture's DrawOptions).
enum TGifDrawOption : std::uint16_t {
  goAsync = 0x0001, goTransparent = 0x0002, goAnimate = 0x0004, goLoop = 0x0008,
  goLoopContinously = 0x0010, goValidateCanvas = 0x0020, goDirectDraw = 0x0040,
  goClearOnLoop = 0x0080, goTile = 0x0100, goDither = 0x0200, goAutoDither = 0x0400
};

// Options of TGifPicture::Optimize.
enum TGifOptimizeOption : std::uint8_t {
  ooCrop = 0x01, ooMerge = 0x02, ooCleanup = 0x04, ooColorMap = 0x08, ooReduceColors = 0x10
};

// The clipboard format "GIF Image", registered with the system when the unit starts.
UINT GifClipboardFormat();
// The 216 colours of the web cube (r x 36 + g x 6 + b = 51r, 51g, 51b); the caller owns it.
HPALETTE WebPalette();

// Codes of the picture's Compression.
constexpr std::uint8_t kGifCompressionLZW = 0;
constexpr std::uint8_t kGifCompressionRLE = 1;

// Unit-wide defaults that every new picture copies.
struct TGifDefaults {
  std::uint16_t DrawOptions = 0x068F;
  std::uint8_t ColorReduction = 6;  // the 216-colour web palette
  int ReductionBits = 8;
  std::uint8_t DitherMode = 0;      // nearest colour
  std::uint8_t Compression = kGifCompressionLZW;
  int ThreadPriority = 3;           // normal
  int AnimationSpeed = 100;
  // Stored as a property of a form, a picture is first optimised in every way.
  bool OptimizeOnStream = false;
  // Frames are rendered as bitmaps as soon as they are read.
  bool RenderWhileLoading = false;
};
TGifDefaults& GifDefaults();

class TGifPicture : public TGraphic {
  KX_CLASS(TGifPicture, TGraphic)
 public:
  TGifPicture();
  ~TGifPicture() override;

  static const TGraphicClassInfo Class;
  TGraphicClass ClassInfo() const override { return &Class; }

  // Another GIF picture (a copy of its screen, tables and frames), nothing (empties the
  // picture), or a frame or any other graphic, which becomes the one frame.
  void Assign(TPersistent* Source) override;
  // Adds a frame: a graphic becomes a new frame, a frame is taken over. Returns its index.
  int Add(TPersistent* Source);
  void Clear();

  // One frame (the forced frame, else frame 0), or, with several frames and the animate option,
  // the animation through a painter (see DrawOptions).
  void Draw(TCanvas* Canvas, const RECT& Rect) override;
  // A painter of the picture on Canvas; none for an empty picture or rectangle. Without the
  // threaded option it paints the whole animation before it returns (and then nothing is
  // returned). Reference, when given, holds the painter while it runs.
  TGifAnimator* CreatePainter(TGifAnimator** Reference, TCanvas* Canvas, std::uint16_t Options,
                              const RECT& Rect);
  // Stops every painter of the picture and waits for their threads, all but a painter whose own
  // call (an event handler) is running now: that one lets go of the picture and ends by itself.
  void StopPainters();
  // The painters of the picture that are still running.
  int GetPainterCount();
  TGifPaintEvents& PaintEvents() { return FPaintEvents; }

  // The palette of the bitmap cache, of the picture, the web palette when displaying through it,
  // the global table's, or the first frame's.
  HPALETTE GetPalette() override;
  // Takes the palette; unless the bitmap cache shows through it already, the cache goes, the
  // palette-changed flag is set and the picture signals a change.
  void SetPalette(HPALETTE Value) override;
  // Set when the palette was replaced; whoever shows the picture realises the new palette and
  // clears the flag.
  bool GetPaletteModified() const { return FPaletteModified; }
  void SetPaletteModified(bool Value) { FPaletteModified = Value; }
  // A frame's bitmap has been built: while the palette-changed flag is set, the picture signals
  // a change once the frame is drawn, so that the display realises the palette the frame is
  // shown through.
  void FrameRendered();
  // A frame has been drawn, or the picture's rendering copied: the change noted while its bitmap
  // was built is signalled now, when nothing of the picture is drawn from any more, since a
  // handler of the change may clear the picture or load another. CacheChanged: the frame was
  // drawn into the picture's cache, a change of its own.
  void FrameDrawn(bool CacheChanged = false);
  // The display goes through the web palette (option goDither, with goAutoDither only on a
  // screen of 8 bits per pixel or fewer).
  bool UsesWebPalette() const;
  // Frame 0 on the logical screen, as one bitmap (made on demand, dropped on changes).
  TBitmap* GetBitmap();

  // A bitmap of the picture is returned for the caller to put on the clipboard; the GIF stream
  // itself goes there at once as "GIF Image".
  void SaveToClipboardFormat(UINT& Format, HANDLE& Data, HPALETTE& Palette) override;
  // "GIF Image" data or a bitmap.
  void LoadFromClipboardFormat(UINT Format, HANDLE Data, HPALETTE Palette) override;

  // Slims the picture (TGifOptimizeOption bits): colour tables ordered by use, transparency and
  // extensions cleaned up, frames merged with the ones they cover and cropped.
  void Optimize(std::uint8_t Options, std::uint8_t ColorReduction, std::uint8_t DitherMode,
                int ReductionBits);
  // The very same object only.
  bool Equals(TGraphic* Other) override { return Other == this; }
  bool GetEmpty() const override { return FImages->GetCount() == 0; }
  int GetWidth() const override { return FHeader->GetWidth(); }
  int GetHeight() const override { return FHeader->GetHeight(); }
  // Below a frame's right (bottom) edge raises "Image width (height) too small for contained frames".
  void SetWidth(int Value) override;
  void SetHeight(int Value) override;

  void LoadFromStream(TStream* Stream) override;
  // Header, every frame, trailer. A picture without frames raises "Unsupported GIF version".
  void SaveToStream(TStream* Stream) override;

  // The highest version any frame needs; 0 without frames.
  int GetVersion() const;
  int GetColorResolution() const;
  int GetBitsPerPixel() const;

  TGifHeader* GetHeader() const { return FHeader.get(); }
  TGifFrameList* GetImages() const { return FImages.get(); }
  TGifGlobalColorMap* GetGlobalColorMap() const { return FHeader->GetColorMap(); }

  std::uint16_t GetDrawOptions() const { return FDrawOptions; }
  void SetDrawOptions(std::uint16_t Value) {
    if (Value == FDrawOptions) return;
    FDrawOptions = Value;
    DropPalette();  // the web palette may come or go
  }
  std::uint8_t GetColorReduction() const { return FColorReduction; }
  void SetColorReduction(std::uint8_t Value) { FColorReduction = Value; }
  int GetReductionBits() const { return FReductionBits; }
  void SetReductionBits(int Value) { FReductionBits = Value; }
  std::uint8_t GetDitherMode() const { return FDitherMode; }
  void SetDitherMode(std::uint8_t Value) { FDitherMode = Value; }
  std::uint8_t GetCompression() const { return FCompression; }
  void SetCompression(std::uint8_t Value) { FCompression = Value; }
  int GetThreadPriority() const { return FThreadPriority; }
  void SetThreadPriority(int Value) { FThreadPriority = Value; }
  int GetAnimationSpeed() const { return FAnimationSpeed; }
  void SetAnimationSpeed(int Value) { FAnimationSpeed = Value; }
  int GetForceFrame() const { return FForceFrame; }
  void SetForceFrame(int Value) { FForceFrame = Value; }
  TColor GetDrawBackgroundColor() const { return FDrawBackgroundColor; }
  void SetDrawBackgroundColor(TColor Value) { FDrawBackgroundColor = Value; }

  TGifWarning GetOnWarning() const { return FOnWarning; }
  void SetOnWarning(TGifWarning Value) { FOnWarning = Value; }
  // Calls OnWarning when set; warnings never stop an operation.
  virtual void Warning(TObject* Sender, int Severity, const std::string& Message);

  // Progress of a long operation ("Saving...", "Converting...", ...) through OnProgress.
  // RedrawNow: the frames read so far can be shown.
  void ReportProgress(TProgressStage Stage, int PercentDone, const std::string& Message,
                      bool RedrawNow = false);
  // The frames and the size changed: the rendering made for display is dropped.
  void FramesChanged();
  // The palette made from the global table is no longer valid.
  void PaletteChanged();

 protected:
  void AssignTo(TPersistent* Dest) override;
  void WriteData(TStream* Stream) override;

 private:
  void AssignPicture(TGifPicture* Source);
  void AssignFrame(TGifFrame* Source);
  void GrowScreenToFrames();
  void DropPalette();
  void DropBitmapCache();
  // A copy of the picture's palette for a bitmap that shows it; nullptr while no colour table
  // (and no palette set) gives one.
  HPALETTE PaletteCopy();
  void PaintCache(TCanvas* Canvas, const RECT& Rect);
  void DrawAnimation(TCanvas* Canvas, const RECT& Rect);
  std::shared_ptr<TGifAnimator> StartPainter(TGifAnimator** Reference, TCanvas* Canvas,
                                             std::uint16_t Options, const RECT& Rect);
  void RemovePainter(TGifAnimator* Painter);
  void ReapPainters();
  void MergeFrames(TGifFrame* Frame, TGifFrame* Earlier);
  int SharedTransparentIndex(TGifFrame* Frame);
  void CropFrames();
  void CleanUpExtensions();
  void OptimizeTransparency();
  friend class TGifAnimator;

  std::unique_ptr<TGifFrameList> FImages;
  std::unique_ptr<TGifHeader> FHeader;
  ScopedGdiObj<HPALETTE> FGlobalPalette;
  std::unique_ptr<TBitmap> FBitmapCache;
  // Shared with a synchronous painter's own call, which outlives the list's hold on it.
  std::vector<std::shared_ptr<TGifAnimator>> FPainters;
  CRITICAL_SECTION FPainterLock;
  TGifAnimator* FDefaultPainter = nullptr;
  TGifPaintEvents FPaintEvents;
  bool FBuildingPalette = false;
  bool FPaletteModified = false;
  bool FChangeAfterDrawing = false;  // a frame bitmap was built through a new palette
  std::uint16_t FDrawOptions;
  std::uint8_t FColorReduction;
  int FReductionBits;
  std::uint8_t FDitherMode;
  std::uint8_t FCompression;
  TGifWarning FOnWarning;
  int FThreadPriority;
  int FAnimationSpeed;
  int FForceFrame = -1;
  TColor FDrawBackgroundColor = clNone;
  bool FDrawing = false;
  // Expires with the picture: a call that ran a synchronous painter learns whether it still lives.
  std::shared_ptr<const int> FLifetime = std::make_shared<const int>(0);
};

// Reports the start of an operation at once and its end when it leaves scope: 100 when Done
// was called, 0 when it ends by an exception.
class TGifProgressScope {
 public:
  TGifProgressScope(TGifPicture* Image, const char* Message);
  ~TGifProgressScope();
  TGifProgressScope(const TGifProgressScope&) = delete;
  TGifProgressScope& operator=(const TGifProgressScope&) = delete;
  void Report(long long Done, long long Total);
  void Done() { FDone = true; }

 private:
  TGifPicture* FImage;
  const char* FMessage;
  bool FDone = false;
};
