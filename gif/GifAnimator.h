// TGifAnimator: the painter that shows the frames of a GIF picture in turn on a canvas, with
// their delays, disposal methods and loop count, either in a thread of its own (reaching the
// canvas and the events through the main thread) or synchronously inside the call that draws.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "classlib/Graphics.h"

class TGifPicture;
class TGifFrame;

// Where a frame lands when the logical screen is stretched over Area.
RECT GifFramePlacement(TGifPicture* Image, TGifFrame* Frame, const RECT& Area);
// Draws a frame over Area as the picture's display options say (transparent, tiled).
void PaintGifFrame(TGifPicture* Image, TGifFrame* Frame, TCanvas* Canvas, const RECT& Area,
                   bool Transparent, bool Tile);

// Timing of frame delays: one unit of a frame's delay counts 12 ms.
constexpr int kGifDelayMultiplier = 12;
constexpr int kGifDefaultDelay = 10;   // a frame without a delay of its own
constexpr int kGifMinimumDelay = 3;
constexpr int kGifMaximumDelay = 1000;  // synchronous painting only
constexpr int kGifLongestSleep = 100;   // ms between message checks of a synchronous painter

// The five painting events of a picture, copied into every painter.
struct TGifPaintEvents {
  TNotifyEvent OnStartPaint;
  TNotifyEvent OnPaint;       // before each frame
  TNotifyEvent OnAfterPaint;  // after each frame
  TNotifyEvent OnLoop;        // at each new pass of the animation
  TNotifyEvent OnEndPaint;
};

class TGifAnimator : public TObject, public std::enable_shared_from_this<TGifAnimator> {
  KX_CLASS(TGifAnimator, TObject)
 public:
  // Reference, when given, holds the painter until it ends.
  TGifAnimator(TGifPicture* Image, TCanvas* Canvas, const RECT& Rect, std::uint16_t Options,
               TGifAnimator** Reference);
  ~TGifAnimator() override;
  TGifAnimator(const TGifAnimator&) = delete;
  TGifAnimator& operator=(const TGifAnimator&) = delete;

  bool IsThreaded() const;
  // The painter's thread; none for a synchronous painter.
  HANDLE GetHandle() const { return FThread; }
  // Threaded: starts the thread, which holds the painter until it ends. Otherwise runs the whole
  // painting now. The painter must be held by a shared pointer.
  void Start(int Priority);
  // Asks the painter to stop at its next step and interrupts its wait.
  void Stop();
  bool Terminated() const { return FTerminated; }
  bool Finished() const { return FFinished; }
  // The first frame is on the target (or the painter has ended).
  bool FirstFrameDrawn() const { return FFirstFrameDrawn; }
  void WaitForFirstFrame();
  // Waits, processing the main thread's messages, until the thread has ended. Called from inside
  // the painter's own call on the main thread (an event handler of it), it returns at once: the
  // thread cannot end before that call has returned.
  void WaitFor();

  TCanvas* GetCanvas() const { return FCanvas; }
  const RECT& GetRect() const { return FRect; }
  std::uint16_t GetOptions() const { return FOptions; }
  TGifPicture* GetImage() const { return FImage; }
  // The picture lets go of the painter, which then neither draws it nor touches the reference
  // cell it was given (which may lie in the picture).
  void DetachImage() {
    FImage = nullptr;
    if (FReference && *FReference == this) *FReference = nullptr;
    FReference = nullptr;
  }
  // The frame being shown (-1 while idle); a handler of the after-frame event may change it.
  int GetActiveImage() const { return FActiveImage; }
  void SetActiveImage(int Value) { FActiveImage = Value; }
  // The wait before the frame to come, in ms, as last computed.
  int GetLastWait() const { return FLastWait; }
  // The delay before the frame to come, in hundredths of a second: the shown frame's own, with
  // the default for none, the minimum and, painting synchronously, the maximum applied.
  int GetDelay() const { return FDelay; }
  TGifPaintEvents Events;

 private:
  static unsigned long __stdcall ThreadProc(void* Parameter);
  void Execute();
  void Paint();
  bool RunFrames();
  void DrawFrame(TGifFrame* Frame);
  void DrawFrameWithBuffers(TGifFrame* Frame);
  void PrepareBuffers();
  void WaitDelay(int Delay);
  bool Sleep(int Milliseconds);
  void Fire(const TNotifyEvent& Event);
  // Runs the call on the main thread (at once when not threaded).
  void Synchronize(const std::function<void()>& Call);
  TColor BackgroundColor() const;
  void FillBackground(TCanvas* Canvas, const RECT& Area);
  void PaintFrame(TCanvas* Canvas, TGifFrame* Frame, const RECT& Area);

  TGifPicture* FImage;
  TCanvas* FCanvas;
  RECT FRect;
  std::uint16_t FOptions;
  TGifAnimator** FReference;
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FFinished{false};
  std::atomic<bool> FFirstFrameDrawn{false};
  std::atomic<bool> FRestart{false};
  // The main thread is running a call of this painter's thread now (an event, a frame's drawing).
  std::atomic<bool> FInOwnCall{false};
  int FActiveImage = -1;
  int FDisposal = 0;
  int FPreviousDisposal = 0;
  int FLastWait = 0;
  int FDelay = 0;
  std::unique_ptr<TBitmap> FBackground;  // the target before any frame
  std::unique_ptr<TBitmap> FBuffer;      // the target as frames build it up
  std::unique_ptr<TBitmap> FPrevious;    // saved state for "restore previous"
  HANDLE FEvent = nullptr;
  HANDLE FThread = nullptr;
  // The wait of the frame shown last: when it began (timeGetTime) and how long it was to be.
  bool FScheduled = false;
  DWORD FScheduleStart = 0;
  int FScheduledWait = 0;
};
