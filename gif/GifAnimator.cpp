// The painter of GIF animations.
#include "gif/GifAnimator.h"

#include <algorithm>

#include <mmsystem.h>

#include "classlib/Messages.h"
#include "classlib/ScopedHandles.h"
#include "gif/GifPicture.h"

namespace {

// A hidden window of the main thread: a painter thread sends it the calls that must run there.
// WPARAM unused; LPARAM: the std::function<void()> to run.
constexpr UINT kSynchronizeMessage = WM_APP + 0x47;

LRESULT CALLBACK SyncWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kSynchronizeMessage) {
    auto* call = reinterpret_cast<std::function<void()>*>(lParam);
    GuardedCallback([&] { (*call)(); });
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND SyncWindow() {
  static HWND window = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = SyncWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "KaptorixGifSynchronize";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           windowClass.hInstance, nullptr);
  }();
  return window;
}

void ProcessMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Selects and realises a palette (the system's default one for none) in a device context
// for as long as it lives; the one selected before comes back.
class ScopedRealizedPalette {
 public:
  ScopedRealizedPalette(HDC dc, HPALETTE palette)
      : m_dc(dc),
        m_old(SelectPalette(dc, palette ? palette : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)),
                            FALSE)) {
    RealizePalette(m_dc);
  }
  ~ScopedRealizedPalette() {
    if (m_old) SelectPalette(m_dc, m_old, FALSE);
  }
  ScopedRealizedPalette(const ScopedRealizedPalette&) = delete;
  ScopedRealizedPalette& operator=(const ScopedRealizedPalette&) = delete;

 private:
  HDC m_dc;
  HPALETTE m_old;
};

}  // namespace

TGifAnimator::TGifAnimator(TGifPicture* Image, TCanvas* Canvas, const RECT& Rect,
                           std::uint16_t Options, TGifAnimator** Reference)
    : FImage(Image), FCanvas(Canvas), FRect(Rect), FOptions(Options), FReference(Reference) {
  if (IsThreaded()) FEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
}

TGifAnimator::~TGifAnimator() {
  if (FThread) CloseHandle(FThread);
  if (FEvent) CloseHandle(FEvent);
}

bool TGifAnimator::IsThreaded() const { return (FOptions & goAsync) != 0; }

void TGifAnimator::Start(int Priority) {
  if (!IsThreaded()) {
    Execute();
    return;
  }
  SyncWindow();  // made by the main thread, which runs the synchronised calls
  // The thread holds the painter: a picture freed from the painter's own event lets go of it
  // before its thread has ended.
  auto holder = std::make_unique<std::shared_ptr<TGifAnimator>>(shared_from_this());
  FThread = CreateThread(nullptr, 0, &TGifAnimator::ThreadProc, holder.get(), CREATE_SUSPENDED, nullptr);
  if (!FThread) throw EOutOfResources("Out of system resources");
  holder.release();
  SetThreadPriority(FThread, std::clamp(Priority - 3, -2, 2));
  ResumeThread(FThread);
}

unsigned long __stdcall TGifAnimator::ThreadProc(void* Parameter) {
  std::unique_ptr<std::shared_ptr<TGifAnimator>> holder(static_cast<std::shared_ptr<TGifAnimator>*>(Parameter));
  (*holder)->Execute();
  return 0;
}

void TGifAnimator::Stop() {
  FTerminated = true;
  if (FEvent) SetEvent(FEvent);
}

void TGifAnimator::WaitFor() {
  if (!FThread || FInOwnCall) return;
  while (MsgWaitForMultipleObjects(1, &FThread, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0)
    ProcessMessages();
}

void TGifAnimator::WaitForFirstFrame() {
  while (!FFirstFrameDrawn && !FFinished) {
    if (FThread) {
      if (MsgWaitForMultipleObjects(1, &FThread, FALSE, 10, QS_ALLINPUT) == WAIT_OBJECT_0) break;
      ProcessMessages();
    } else {
      break;
    }
  }
}

void TGifAnimator::Synchronize(const std::function<void()>& Call) {
  if (!IsThreaded()) {
    Call();
    return;
  }
  std::function<void()> call = [&] {
    FInOwnCall = true;
    ScopeExit ownCallEnds([this] { FInOwnCall = false; });
    Call();
  };
  SendMessageA(SyncWindow(), kSynchronizeMessage, 0, reinterpret_cast<LPARAM>(&call));
}

void TGifAnimator::Fire(const TNotifyEvent& Event) {
  if (Event) Synchronize([&] { Event(this); });
}

// ---------------------------------------------------------------------------------------------
// The body

void TGifAnimator::Execute() {
  try {
    Paint();
  } catch (const std::exception& e) {
    if (!IsThreaded()) {
      FFinished = true;
      throw;
    }
    std::string message = e.what();
    Synchronize([&] { throw Exception(message); });
  }
  FActiveImage = -1;
  try {
    Fire(Events.OnEndPaint);
    Synchronize([&] {
      if (FReference && *FReference == this) *FReference = nullptr;
    });
  } catch (...) {
    FFinished = true;
    throw;
  }
  FFinished = true;
}

void TGifAnimator::Paint() {
  if (FOptions & goValidateCanvas) Synchronize([&] { FCanvas->GetHandle(); });
  PrepareBuffers();
  do {
    FRestart = false;
    FActiveImage = 0;
    Fire(Events.OnStartPaint);
  } while (RunFrames() && !FTerminated);
}

// One run of the animation; true when a restart was asked for.
bool TGifAnimator::RunFrames() {
  const bool threaded = IsThreaded();
  const bool animate = (FOptions & goAnimate) != 0;
  int remaining = 0;
  bool forever = false, loopSeen = false;
  int loopStart = 0;
  int delay = threaded ? 0 : 1;  // a synchronous painter waits one unit before its first frame
  FScheduled = false;
  for (;;) {
    while (!FTerminated && !FRestart && FImage && FActiveImage >= 0 &&
           FActiveImage < FImage->GetImages()->GetCount()) {
      TGifFrame* frame = FImage->GetImages()->GetFrame(FActiveImage);
      if (!frame->GetEmpty()) {
        WaitDelay(delay);
        if (FTerminated || FRestart || !FImage) break;
        Fire(Events.OnPaint);
        if (FTerminated || !FImage) break;
        FDisposal = dmNoDisposal;
        for (int i = 0; i < frame->GetExtensions()->GetCount(); ++i) {
          TGifExtension* extension = frame->GetExtensions()->GetExtension(i);
          if (auto* loop = dynamic_cast<TGifLoopExtension*>(extension); loop && !loopSeen) {
            loopSeen = true;
            loopStart = FActiveImage;
            remaining = loop->GetLoops();
            forever = threaded && (loop->GetLoops() == 0 || (FOptions & goLoopContinously));
          } else if (auto* control = dynamic_cast<TGifGraphicControlExtension*>(extension)) {
            FDisposal = control->GetDisposal();
          }
        }
        Synchronize([&] { DrawFrame(frame); });
        FPreviousDisposal = FDisposal;
        FFirstFrameDrawn = true;
        if (FTerminated || !FImage) break;
        delay = frame->GetGraphicControlExtension() ? frame->GetGraphicControlExtension()->GetDelay() : 0;
        if (delay == 0) delay = kGifDefaultDelay;
        delay = std::max(delay, kGifMinimumDelay);
        if (!threaded) delay = std::min(delay, kGifMaximumDelay);
        FDelay = delay;
      }
      const int shown = FActiveImage;
      Fire(Events.OnAfterPaint);
      if (FActiveImage == shown) ++FActiveImage;
      if (!animate) break;
    }
    if (FTerminated || FRestart || !FImage) break;
    const bool again = animate && (FOptions & goLoop) && (forever || remaining > 0);
    if (remaining > 0) --remaining;
    if (!again) break;
    FActiveImage = loopStart;
    Fire(Events.OnLoop);
  }
  FFirstFrameDrawn = true;
  return FRestart;
}

// A frame is due its wait after the one before it; the time by which the frame before overran
// its own wait (drawing and events included, on the millisecond clock) is half made up. A wait
// that comes out negative means the frame is due now.
void TGifAnimator::WaitDelay(int Delay) {
  const DWORD now = timeGetTime();
  const int overrun = FScheduled ? std::max(0, static_cast<int>(now - FScheduleStart) - FScheduledWait) : 0;
  FScheduled = true;
  FScheduleStart = now;
  FScheduledWait = 0;
  if (Delay <= 0) return;
  const int speed = FImage ? FImage->GetAnimationSpeed() : 100;
  const bool threaded = IsThreaded();
  if (speed <= 0 && threaded) {
    // Speed 0 waits until the painter is stopped; a negative speed does not wait.
    FLastWait = speed == 0 ? -1 : 0;
    if (speed == 0) WaitForSingleObject(FEvent, INFINITE);
    return;
  }
  const int wait = speed <= 0 ? kGifMaximumDelay * kGifDelayMultiplier
                              : MulDiv(Delay * kGifDelayMultiplier, 100, speed) - overrun / 2;
  FLastWait = wait;
  if (!threaded) {
    FScheduledWait = std::max(wait, 1);
    Sleep(FScheduledWait);
    return;
  }
  if (wait <= 0) return;
  FScheduledWait = wait;
  if (WaitForSingleObject(FEvent, static_cast<DWORD>(wait)) == WAIT_OBJECT_0)
    FScheduled = false;  // interrupted: the schedule starts anew
}

// A synchronous wait in short sleeps, dispatching the thread's messages between them; a quit
// message ends the painting.
bool TGifAnimator::Sleep(int Milliseconds) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(Milliseconds);
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));
        Stop();
        return false;
      }
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    const int left = static_cast<int>(end - GetTickCount());
    if (left <= 0 || FTerminated) return !FTerminated;
    ::Sleep(static_cast<DWORD>(std::min(left, kGifLongestSleep)));
  }
}

// ---------------------------------------------------------------------------------------------
// Drawing

TColor TGifAnimator::BackgroundColor() const {
  if (!FImage) return ColorToRGB(clWindow);
  if (FImage->GetDrawBackgroundColor() != clNone) return FImage->GetDrawBackgroundColor();
  TGifColorMap* global = FImage->GetGlobalColorMap();
  if (global->GetCount() > 0) return global->GetColor(FImage->GetHeader()->GetBackgroundColorIndex());
  return static_cast<TColor>(ColorToRGB(clWindow));
}

void TGifAnimator::FillBackground(TCanvas* Canvas, const RECT& Area) {
  Canvas->GetBrush()->SetColor(BackgroundColor());
  Canvas->GetBrush()->SetStyle(bsSolid);
  Canvas->FillRect(Area);
}

void TGifAnimator::PrepareBuffers() {
  if (!FImage) return;
  bool needed = (FOptions & goClearOnLoop) != 0, background = needed;
  for (int i = 0; i < FImage->GetImages()->GetCount(); ++i) {
    TGifGraphicControlExtension* control = FImage->GetImages()->GetFrame(i)->GetGraphicControlExtension();
    if (!control) continue;
    if (control->GetDisposal() == dmBackground || control->GetDisposal() == dmPrevious) needed = true;
    if (control->GetDisposal() == dmBackground) background = true;
  }
  if (!needed) return;
  Synchronize([&] {
    const int width = FRect.right - FRect.left, height = FRect.bottom - FRect.top;
    FBuffer = std::make_unique<TBitmap>();
    FBuffer->SetPixelFormat(pf24bit);
    FBuffer->SetSize(width, height);
    FBuffer->GetCanvas()->CopyRect(RECT{0, 0, width, height}, FCanvas, FRect);
    FPrevious = std::make_unique<TBitmap>();
    FPrevious->SetPixelFormat(pf24bit);
    FPrevious->SetSize(width, height);
    if (background && (FOptions & goTransparent)) {
      FBackground = std::make_unique<TBitmap>();
      FBackground->Assign(FBuffer.get());
    }
  });
}

void TGifAnimator::DrawFrame(TGifFrame* Frame) {
  if (!FImage) return;
  // A canvas whose device context has gone (its window destroyed) ends the painting.
  if ((FOptions & goValidateCanvas) && !GetObjectType(FCanvas->GetHandle())) {
    Stop();
    return;
  }
  {
    // On a display of 256 colours or fewer the frame's colours show only through its palette. A
    // frame without a colour table, its own or the picture's, has none: the system's serves.
    ScopedRealizedPalette palette(FCanvas->GetHandle(),
                                  Frame->GetActiveColorMap()->GetCount() > 0 ? Frame->GetPalette() : nullptr);
    if (FBuffer)
      DrawFrameWithBuffers(Frame);
    else
      PaintFrame(FCanvas, Frame, FRect);
  }
  // Drawn into the picture's cache: its owner repaints from there. The picture signals only
  // now, with the frame drawn and its palette out of the target: a handler may clear it, which
  // frees the frame and the cache.
  FImage->FrameDrawn(!(FOptions & goDirectDraw) && FImage->FBitmapCache &&
                     FCanvas == FImage->FBitmapCache->GetCanvas());
}

void TGifAnimator::PaintFrame(TCanvas* Canvas, TGifFrame* Frame, const RECT& Area) {
  PaintGifFrame(FImage, Frame, Canvas, Area, (FOptions & goTransparent) != 0, (FOptions & goTile) != 0);
}

namespace {

// The places of a frame on Area: its place on the logical screen stretched over the area, or,
// tiled, its own size repeated over the area at the screen's pitch.
template <class F>
void ForEachFramePlace(TGifPicture* Image, TGifFrame* Frame, const RECT& Area, bool Tile, F&& Place) {
  if (!Tile) {
    Place(GifFramePlacement(Image, Frame, Area));
    return;
  }
  const int pitchX = std::max(1, Image->GetWidth()), pitchY = std::max(1, Image->GetHeight());
  for (int y = Area.top + Frame->GetTop(); y < Area.bottom; y += pitchY)
    for (int x = Area.left + Frame->GetLeft(); x < Area.right; x += pitchX)
      Place(RECT{x, y, x + Frame->GetWidth(), y + Frame->GetHeight()});
}

}  // namespace

void PaintGifFrame(TGifPicture* Image, TGifFrame* Frame, TCanvas* Canvas, const RECT& Area,
                   bool Transparent, bool Tile) {
  ForEachFramePlace(Image, Frame, Area, Tile, [&](const RECT& place) { Frame->Draw(Canvas, place, Transparent); });
}

// The frame is drawn into the buffer that holds the target's state; the disposal method says
// what the buffer holds for the next frame. A tiled frame's area is every one of its tiles.
void TGifAnimator::DrawFrameWithBuffers(TGifFrame* Frame) {
  const int width = FRect.right - FRect.left, height = FRect.bottom - FRect.top;
  const RECT whole{0, 0, width, height};
  TCanvas* buffer = FBuffer->GetCanvas();
  auto forEachPlace = [&](auto&& work) { ForEachFramePlace(FImage, Frame, whole, (FOptions & goTile) != 0, work); };
  if ((FOptions & goClearOnLoop) && FActiveImage == 0)
    forEachPlace([&](const RECT& place) { FillBackground(buffer, place); });
  if (FDisposal == dmPrevious) FPrevious->GetCanvas()->CopyRect(whole, buffer, whole);
  PaintFrame(buffer, Frame, whole);
  FCanvas->CopyRect(FRect, buffer, whole);
  if (FDisposal == dmBackground) {
    forEachPlace([&](const RECT& place) {
      if (FBackground)
        buffer->CopyRect(place, FBackground->GetCanvas(), place);
      else
        FillBackground(buffer, place);
    });
  } else if (FDisposal == dmPrevious) {
    buffer->CopyRect(whole, FPrevious->GetCanvas(), whole);
  }
}

RECT GifFramePlacement(TGifPicture* Image, TGifFrame* Frame, const RECT& Area) {
  const long long screenWidth = std::max(1, Image->GetWidth());
  const long long screenHeight = std::max(1, Image->GetHeight());
  const long long width = Area.right - Area.left, height = Area.bottom - Area.top;
  return RECT{static_cast<LONG>(Area.left + Frame->GetLeft() * width / screenWidth),
              static_cast<LONG>(Area.top + Frame->GetTop() * height / screenHeight),
              static_cast<LONG>(Area.left + (Frame->GetLeft() + Frame->GetWidth()) * width / screenWidth),
              static_cast<LONG>(Area.top + (Frame->GetTop() + Frame->GetHeight()) * height / screenHeight)};
}
