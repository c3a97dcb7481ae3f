// Showing GIF pictures: drawing a frame, the painter with its events, loops and disposal
// methods, palettes, the clipboard, the picture-format registration and Optimize.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "GifTestSupport.h"
#include "classlib/Classes.h"
#include "classlib/Clipbrd.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "gif/GifColorReduction.h"
#include "gif/GifPicture.h"
#include "support/TestSupport.h"

namespace {

TColor Rgb(int r, int g, int b) { return static_cast<TColor>(RGB(r, g, b)); }

// A frame at (left, top) of w x h pixels of one index, on a local table of the given colours.
TGifFrame* AddFrame(TGifPicture& picture, int left, int top, int w, int h,
                    const std::vector<TColor>& colours, int index) {
  auto frame = std::make_unique<TGifFrame>(&picture);
  for (TColor c : colours) frame->GetColorMap()->Add(c);
  frame->SetLeft(left);
  frame->SetTop(top);
  frame->SetWidth(w);
  frame->SetHeight(h);
  std::fill(frame->GetData(), frame->GetData() + frame->GetDataSize(), static_cast<std::uint8_t>(index));
  TGifFrame* added = frame.get();
  picture.Add(frame.release());
  return added;
}

TGifGraphicControlExtension* Control(TGifFrame* frame) {
  if (frame->GetGraphicControlExtension()) return frame->GetGraphicControlExtension();
  auto control = std::make_unique<TGifGraphicControlExtension>(frame);
  TGifGraphicControlExtension* made = control.get();
  frame->GetExtensions()->Add(std::move(control));
  return made;
}

std::unique_ptr<TBitmap> Canvas(int w, int h, TColor fill) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(w, h);
  bitmap->GetCanvas()->GetBrush()->SetColor(fill);
  bitmap->GetCanvas()->FillRect(RECT{0, 0, w, h});
  return bitmap;
}

TColor PixelAt(TBitmap* bitmap, int x, int y) {
  const auto* row = static_cast<const std::uint8_t*>(bitmap->ScanLine(y));
  return Rgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
}

// Records what a painter does, and the target's pixels after each frame.
struct PaintLog : TObject {
  TBitmap* target = nullptr;
  std::vector<std::string> events;
  std::vector<std::vector<TColor>> shown;
  std::vector<int> delays;
  std::function<void(TGifAnimator*)> onStart;  // run after "start" is logged
  void Start(TObject* sender) {
    events.push_back("start");
    if (onStart) onStart(static_cast<TGifAnimator*>(sender));
  }
  void Before(TObject* sender) {
    events.push_back("frame " + std::to_string(static_cast<TGifAnimator*>(sender)->GetActiveImage()));
  }
  std::function<void()> onAfter;  // run after the frame's delay is logged
  void After(TObject* sender) {
    delays.push_back(static_cast<TGifAnimator*>(sender)->GetDelay());
    if (onAfter) onAfter();
    if (!target) return;
    std::vector<TColor> row;
    for (int x = 0; x < target->GetWidth(); ++x) row.push_back(PixelAt(target, x, 0));
    shown.push_back(row);
  }
  void Loop(TObject*) { events.push_back("loop"); }
  std::function<void()> onEnd;  // run after "end" is logged
  void End(TObject*) {
    events.push_back("end");
    if (onEnd) onEnd();
  }
  int Count(const std::string& prefix) const {
    return static_cast<int>(std::count_if(events.begin(), events.end(),
                                          [&](const std::string& e) { return e.rfind(prefix, 0) == 0; }));
  }
  void Attach(TGifPicture& picture) {
    TGifPaintEvents& e = picture.PaintEvents();
    e.OnStartPaint = TNotifyEvent(this, &PaintLog::Start);
    e.OnPaint = TNotifyEvent(this, &PaintLog::Before);
    e.OnAfterPaint = TNotifyEvent(this, &PaintLog::After);
    e.OnLoop = TNotifyEvent(this, &PaintLog::Loop);
    e.OnEndPaint = TNotifyEvent(this, &PaintLog::End);
  }
};

// ---------------------------------------------------------------------------------------------

TEST(GifDraw, OneFrameInItsPlaceWithTransparentPixelsLeftAlone) {
  TGifPicture picture;
  picture.GetHeader()->SetWidth(6);
  picture.GetHeader()->SetHeight(2);
  TGifFrame* frame = AddFrame(picture, 2, 0, 3, 2, {clRed, clLime}, 0);
  frame->ScanLine(1)[1] = 1;
  frame->ScanLine(0)[2] = 1;
  Control(frame)->SetTransparentColorIndex(1);
  Control(frame)->SetTransparent(true);
  auto target = Canvas(6, 2, clBlue);
  picture.Draw(target->GetCanvas(), RECT{0, 0, 6, 2});
  EXPECT_EQ(PixelAt(target.get(), 1, 0), clBlue);  // outside the frame
  EXPECT_EQ(PixelAt(target.get(), 2, 0), clRed);
  EXPECT_EQ(PixelAt(target.get(), 4, 0), clBlue);  // transparent
  EXPECT_EQ(PixelAt(target.get(), 3, 1), clBlue);  // transparent
  EXPECT_EQ(PixelAt(target.get(), 4, 1), clRed);

  // Without the transparent option the index shows its colour; stretched to twice the size.
  picture.SetDrawOptions(picture.GetDrawOptions() & ~goTransparent);
  auto large = Canvas(12, 4, clBlue);
  picture.Draw(large->GetCanvas(), RECT{0, 0, 12, 4});
  EXPECT_EQ(PixelAt(large.get(), 8, 0), clLime);
  EXPECT_EQ(PixelAt(large.get(), 3, 0), clBlue);
  EXPECT_EQ(PixelAt(large.get(), 4, 0), clRed);
}

TEST(GifDraw, RenderingAsABitmapShowsFrameZero) {
  TGifPicture picture;
  picture.GetHeader()->SetWidth(4);
  picture.GetHeader()->SetHeight(1);
  AddFrame(picture, 1, 0, 2, 1, {clNavy}, 0);
  AddFrame(picture, 0, 0, 4, 1, {clYellow}, 0);
  TBitmap bitmap;
  bitmap.Assign(&picture);
  ASSERT_EQ(bitmap.GetWidth(), 4);
  bitmap.SetPixelFormat(pf24bit);
  EXPECT_EQ(PixelAt(&bitmap, 0, 0), clWhite);  // the brush colour around frame 0
  EXPECT_EQ(PixelAt(&bitmap, 1, 0), clNavy);
  EXPECT_EQ(PixelAt(&bitmap, 3, 0), clWhite);
}

// A synchronous painter on a row of four pixels: frame 1 is disposed to the background,
// frame 2 to the state before it.
TEST(GifPainter, DisposalMethodsPixelByPixel) {
  TGifPicture picture;
  picture.SetAnimationSpeed(1000000);  // the shortest waits
  picture.SetDrawBackgroundColor(clYellow);
  const TColor a = clRed, b = clLime, c = clBlue, d = clFuchsia;
  AddFrame(picture, 0, 0, 4, 1, {a}, 0);
  Control(AddFrame(picture, 1, 0, 1, 1, {b}, 0))->SetDisposal(dmBackground);
  Control(AddFrame(picture, 2, 0, 1, 1, {c}, 0))->SetDisposal(dmPrevious);
  AddFrame(picture, 3, 0, 1, 1, {d}, 0);
  auto target = Canvas(4, 1, clWhite);
  PaintLog log;
  log.target = target.get();
  log.Attach(picture);
  picture.CreatePainter(nullptr, target->GetCanvas(), goAnimate, RECT{0, 0, 4, 1});
  const std::vector<std::vector<TColor>> expected = {
      {a, a, a, a}, {a, b, a, a}, {a, clYellow, c, a}, {a, clYellow, a, d}};
  EXPECT_EQ(log.shown, expected);
  EXPECT_EQ(log.events, (std::vector<std::string>{"start", "frame 0", "frame 1", "frame 2", "frame 3", "end"}));
}

TEST(GifPainter, LoopExtensionRepeatsTheFramesFromWhereItStands) {
  TGifPicture picture;
  picture.SetAnimationSpeed(1000000);
  AddFrame(picture, 0, 0, 2, 2, {clRed}, 0);
  TGifFrame* second = AddFrame(picture, 0, 0, 2, 2, {clLime}, 0);
  AddFrame(picture, 0, 0, 2, 2, {clBlue}, 0);
  auto loop = std::make_unique<TGifLoopExtension>(second);
  loop->SetLoops(2);
  second->GetExtensions()->Add(std::move(loop));
  auto target = Canvas(2, 2, clWhite);
  PaintLog log;
  log.Attach(picture);
  picture.CreatePainter(nullptr, target->GetCanvas(), goAnimate | goLoop, RECT{0, 0, 2, 2});
  EXPECT_EQ(log.events, (std::vector<std::string>{"start", "frame 0", "frame 1", "frame 2", "loop",
                                                  "frame 1", "frame 2", "loop", "frame 1", "frame 2",
                                                  "end"}));
  // Without the loop option the frames are shown once; without animate only the first.
  log.events.clear();
  picture.CreatePainter(nullptr, target->GetCanvas(), goAnimate, RECT{0, 0, 2, 2});
  EXPECT_EQ(log.events.size(), 5u);
  log.events.clear();
  picture.CreatePainter(nullptr, target->GetCanvas(), 0, RECT{0, 0, 2, 2});
  EXPECT_EQ(log.events, (std::vector<std::string>{"start", "frame 0", "end"}));
  EXPECT_EQ(PixelAt(target.get(), 1, 1), clRed);
}

// Pillow's animation: 4 frames of 100, 250, 70 and 40 ms, to be repeated twice.
TEST(GifPainter, APillowAnimationShowsItsFramesWithTheirDelaysAndLoops) {
  TGifPicture picture;
  picture.LoadFromFile(testsupport::ExeFolder() + "gif-pillow\\animated.gif");
  ASSERT_EQ(picture.GetImages()->GetCount(), 4);
  picture.SetAnimationSpeed(1000000);
  auto target = Canvas(picture.GetWidth(), picture.GetHeight(), clWhite);
  PaintLog log;
  log.Attach(picture);
  picture.CreatePainter(nullptr, target->GetCanvas(), goAnimate | goLoop | goTransparent,
                        RECT{0, 0, picture.GetWidth(), picture.GetHeight()});
  std::vector<std::string> pass = {"frame 0", "frame 1", "frame 2", "frame 3"};
  std::vector<std::string> expected = {"start"};
  for (int n = 0; n < 3; ++n) {
    if (n) expected.push_back("loop");
    expected.insert(expected.end(), pass.begin(), pass.end());
  }
  expected.push_back("end");
  EXPECT_EQ(log.events, expected);
  EXPECT_EQ(log.delays, (std::vector<int>{10, 25, 7, 4, 10, 25, 7, 4, 10, 25, 7, 4}));
  // The last frame is on the target: every pixel shows its colour.
  TGifFrame* last = picture.GetImages()->GetFrame(3);
  int wrong = 0;
  for (int y = 0; y < last->GetHeight(); ++y)
    for (int x = 0; x < last->GetWidth(); ++x)
      if (last->ScanLine(y)[x] != last->GetTransparentColorIndex() &&
          PixelAt(target.get(), x, y) != last->GetActiveColorMap()->GetColor(last->ScanLine(y)[x]))
        ++wrong;
  EXPECT_EQ(wrong, 0);
}

TEST(GifPainter, DelaysTakeTheDefaultTheMinimumAndTheSynchronousMaximum) {
  TGifPicture picture;
  picture.SetAnimationSpeed(1000000);
  for (int delay : {0, 1, 5000, 12}) {
    TGifFrame* frame = AddFrame(picture, 0, 0, 1, 1, {clRed}, 0);
    if (delay) Control(frame)->SetDelay(delay);
  }
  auto target = Canvas(1, 1, clWhite);
  PaintLog log;
  log.Attach(picture);
  picture.CreatePainter(nullptr, target->GetCanvas(), goAnimate, RECT{0, 0, 1, 1});
  EXPECT_EQ(log.delays, (std::vector<int>{10, 3, 1000, 12}));
}

TEST(GifPainter, ThreadedPainterReachesTheCanvasThroughTheMainThread) {
  TGifPicture picture;
  picture.SetAnimationSpeed(-1);  // no waits between frames
  for (TColor c : {clRed, clLime, clBlue}) AddFrame(picture, 0, 0, 3, 1, {c}, 0);
  auto target = Canvas(3, 1, clWhite);
  PaintLog log;
  log.target = target.get();
  log.Attach(picture);
  TGifAnimator* reference = nullptr;
  TGifAnimator* painter = picture.CreatePainter(&reference, target->GetCanvas(),
                                                goAsync | goAnimate | goDirectDraw, RECT{0, 0, 3, 1});
  ASSERT_NE(painter, nullptr);
  EXPECT_EQ(reference, painter);
  painter->WaitFor();  // processes the calls the painter sends to this thread
  EXPECT_EQ(reference, nullptr);
  EXPECT_EQ(log.events, (std::vector<std::string>{"start", "frame 0", "frame 1", "frame 2", "end"}));
  ASSERT_EQ(log.shown.size(), 3u);
  EXPECT_EQ(log.shown[2][0], clBlue);
  picture.StopPainters();
}

TEST(GifPainter, StoppingEndsAnEndlessAnimation) {
  TGifPicture picture;
  picture.SetAnimationSpeed(-1);
  for (TColor c : {clRed, clLime}) AddFrame(picture, 0, 0, 2, 1, {c}, 0);
  auto target = Canvas(2, 1, clWhite);
  PaintLog log;
  log.Attach(picture);
  auto loop = std::make_unique<TGifLoopExtension>(picture.GetImages()->GetFrame(0));
  picture.GetImages()->GetFrame(0)->GetExtensions()->Add(std::move(loop));  // 0: for ever
  TGifAnimator* painter = picture.CreatePainter(nullptr, target->GetCanvas(),
                                                goAsync | goAnimate | goLoop | goDirectDraw, RECT{0, 0, 2, 1});
  ASSERT_NE(painter, nullptr);
  painter->WaitForFirstFrame();
  picture.StopPainters();
  ASSERT_FALSE(log.events.empty());
  EXPECT_EQ(log.events.back(), "end");
}

// Handles this thread's messages until Done() says so or Milliseconds have passed.
void PumpMessages(int Milliseconds, const std::function<bool()>& Done = [] { return false; }) {
  const DWORD start = GetTickCount();
  while (!Done() && static_cast<int>(GetTickCount() - start) < Milliseconds) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
}

// A window of this thread that runs a call when a posted message reaches it.
class CallWindow {
 public:
  CallWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &CallWindow::Proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "GifTestCallWindow";
    RegisterClassA(&windowClass);
    m_window = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               windowClass.hInstance, nullptr);
  }
  ~CallWindow() { DestroyWindow(m_window); }
  void Post(std::function<void()> call) {
    m_call = std::move(call);
    PostMessageA(m_window, WM_APP, 0, reinterpret_cast<LPARAM>(&m_call));
  }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_APP) return DefWindowProcA(window, message, wParam, lParam);
    (*reinterpret_cast<std::function<void()>*>(lParam))();
    return 0;
  }
  HWND m_window;
  std::function<void()> m_call;
};

// Delays of one unit at ten times the speed leave waits of 4 ms. The painter's thread is held
// up now and then in its wait, as a busy machine does to it: a frame that comes late is
// followed at once by the next, and the animation goes on.
TEST(GifPainter, AFastAnimationOnALoadedTimerKeepsAdvancing) {
  TGifPicture picture;
  picture.SetAnimationSpeed(1000);
  for (TColor c : {clRed, clLime, clBlue}) Control(AddFrame(picture, 0, 0, 2, 1, {c}, 0))->SetDelay(1);
  auto loop = std::make_unique<TGifLoopExtension>(picture.GetImages()->GetFrame(0));
  picture.GetImages()->GetFrame(0)->GetExtensions()->Add(std::move(loop));  // for ever
  auto target = Canvas(2, 1, clWhite);
  PaintLog log;
  log.Attach(picture);
  TGifAnimator* painter = picture.CreatePainter(nullptr, target->GetCanvas(),
                                                goAsync | goAnimate | goLoop | goDirectDraw, RECT{0, 0, 2, 1});
  ASSERT_NE(painter, nullptr);
  ASSERT_NE(painter->GetHandle(), nullptr);
  // After every third frame, once the painter is in its wait, its thread is held for 20 ms.
  bool holdUp = false;
  log.onAfter = [&] { holdUp = log.Count("frame") % 3 == 0; };
  auto runLoaded = [&] {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 500) {
      PumpMessages(5, [&] { return holdUp; });
      if (!holdUp) continue;
      holdUp = false;
      Sleep(2);  // the painter is in its wait now
      SuspendThread(painter->GetHandle());
      Sleep(20);  // nothing else here: the painter may hold a lock this thread would need
      ResumeThread(painter->GetHandle());
    }
  };
  runLoaded();
  const int firstHalf = log.Count("frame");
  runLoaded();
  const int secondHalf = log.Count("frame") - firstHalf;
  picture.StopPainters();
  EXPECT_GT(firstHalf, 3);
  EXPECT_GT(secondHalf, 3);
}

// The painter runs on this thread and handles its messages while it waits; one of them frees
// the picture. The painter stops at once and leaves nothing of the picture touched.
TEST(GifPainter, ASynchronousPainterWhosePictureIsFreedWhileItWaitsEndsCleanly) {
  for (bool direct : {false, true}) {
    SCOPED_TRACE(direct ? "direct" : "through the cache");
    auto* picture = new TGifPicture;
    picture->SetAnimationSpeed(1000);
    picture->SetDrawOptions(static_cast<std::uint16_t>(goAnimate | goTransparent | (direct ? goDirectDraw : 0)));
    for (TColor c : {clRed, clLime, clBlue}) AddFrame(*picture, 0, 0, 2, 1, {c}, 0);
    auto target = Canvas(2, 1, clWhite);
    PaintLog log;
    log.Attach(*picture);
    CallWindow window;
    bool freed = false;
    log.onAfter = [&] {
      if (log.Count("frame") == 1) window.Post([&] { delete picture; freed = true; });
    };
    picture->Draw(target->GetCanvas(), RECT{0, 0, 2, 1});
    EXPECT_TRUE(freed);
    EXPECT_EQ(log.events, (std::vector<std::string>{"start", "frame 0", "end"}));
    if (direct) {
      EXPECT_EQ(PixelAt(target.get(), 0, 0), clRed);
    }
    if (!freed) delete picture;
  }
}

// Ends a painter's thread that has not ended in time, so that a painter that waits for itself
// fails the test instead of holding the suite.
class PainterWatchdog {
 public:
  PainterWatchdog(HANDLE painterThread, DWORD milliseconds)
      : m_painter(painterThread), m_milliseconds(milliseconds) {
    m_thread = CreateThread(nullptr, 0, &PainterWatchdog::Watch, this, 0, nullptr);
  }
  ~PainterWatchdog() {
    WaitForSingleObject(m_thread, INFINITE);
    CloseHandle(m_thread);
  }
  PainterWatchdog(const PainterWatchdog&) = delete;
  PainterWatchdog& operator=(const PainterWatchdog&) = delete;
  bool Fired() const { return m_fired; }

 private:
  static DWORD WINAPI Watch(void* parameter) {
    auto* self = static_cast<PainterWatchdog*>(parameter);
    if (WaitForSingleObject(self->m_painter, self->m_milliseconds) == WAIT_TIMEOUT) {
      self->m_fired = true;
      TerminateThread(self->m_painter, 1);
    }
    return 0;
  }
  HANDLE m_painter;
  DWORD m_milliseconds;
  HANDLE m_thread = nullptr;
  std::atomic<bool> m_fired{false};
};

struct FreeComponent {
  void operator()(TComponent* component) const { component->Free(); }
};

// A shown form; freed with the test.
struct ShownWindow {
  TForm* form = new TForm(nullptr);
  ShownWindow() {
    form->SetBounds(40, 40, 240, 160);
    form->Show();
    PumpMessages(50);
  }
  ~ShownWindow() { form->Free(); }
  ShownWindow(const ShownWindow&) = delete;
  ShownWindow& operator=(const ShownWindow&) = delete;
};

// A threaded painter fires its events through the main thread and waits there for them. A
// handler that clears or frees the picture stops the painter that is waiting for it: the painter
// ends without the picture, and the picture goes without waiting for the painter. The picture is
// shown on a window, in an image control (which draws it through the picture's cache) or by a
// painter of its own on the window's canvas.
TEST(GifPainterWindow, ClearingOrFreeingThePictureFromItsOwnEventEndsItsThreadedPainter) {
  enum Action { kClear, kFree };
  struct Case {
    const char* name;
    bool imageControl;
    Action action;
    bool atEnd;  // in the end event, else after the first frame
    std::vector<std::string> events;
  };
  const std::vector<std::string> cut = {"start", "frame 0", "end"};
  const std::vector<std::string> whole = {"start", "frame 0", "frame 1", "frame 2", "end"};
  const Case cases[] = {
      {"image control, cleared after a frame", true, kClear, false, cut},
      {"image control, freed after a frame", true, kFree, false, cut},
      {"image control, cleared at the end", true, kClear, true, whole},
      {"image control, freed at the end", true, kFree, true, whole},
      {"own painter, cleared after a frame", false, kClear, false, cut},
      {"own painter, freed after a frame", false, kFree, false, cut},
      {"own painter, cleared at the end", false, kClear, true, whole},
      {"own painter, freed at the end", false, kFree, true, whole},
  };
  ShownWindow window;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PaintLog log;
    auto owned = std::make_unique<TGifPicture>();
    for (TColor colour : {clRed, clLime, clBlue}) AddFrame(*owned, 0, 0, 30, 20, {colour}, 0);
    log.Attach(*owned);
    ExtCtrls::TImage* image = nullptr;
    TGifPicture* picture = owned.get();
    std::unique_ptr<ExtCtrls::TImage, FreeComponent> control;
    if (c.imageControl) {
      control.reset(new ExtCtrls::TImage(nullptr));
      image = control.get();
      image->SetBounds(10, 10, 30, 20);
      image->SetParent(window.form);
      image->GetPicture()->SetGraphic(owned.get());  // the control holds a copy
      owned.reset();
      picture = static_cast<TGifPicture*>(image->GetPicture()->GetGraphic());
    }
    picture->SetAnimationSpeed(-1);  // no waits between frames
    bool acted = false;
    auto act = [&] {
      if (acted) return;
      acted = true;
      if (c.action == kClear)
        picture->Clear();
      else if (image)
        image->GetPicture()->SetGraphic(nullptr);
      else
        owned.reset();
    };
    if (c.atEnd)
      log.onEnd = act;
    else
      log.onAfter = act;
    HANDLE thread = nullptr;
    std::unique_ptr<PainterWatchdog> watchdog;
    log.onStart = [&](TGifAnimator* painter) {
      DuplicateHandle(GetCurrentProcess(), painter->GetHandle(), GetCurrentProcess(), &thread, 0, FALSE,
                      DUPLICATE_SAME_ACCESS);
      watchdog = std::make_unique<PainterWatchdog>(thread, 20000);
    };
    TGifAnimator* reference = nullptr;
    if (image)
      image->Invalidate();
    else
      picture->CreatePainter(&reference, window.form->GetCanvas(), goAsync | goAnimate | goDirectDraw,
                             RECT{10, 10, 40, 30});
    PumpMessages(10000, [&] { return thread != nullptr; });
    ASSERT_NE(thread, nullptr) << "no painter started";
    PumpMessages(60000, [&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; });
    const bool ended = WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
    const bool hung = watchdog->Fired();
    watchdog.reset();
    CloseHandle(thread);
    ASSERT_TRUE(ended);
    ASSERT_FALSE(hung) << "the painter waited for itself";
    EXPECT_TRUE(acted);
    PumpMessages(50);  // the window repaints what is left
    EXPECT_EQ(log.events, c.events);
    EXPECT_EQ(reference, nullptr);
    if (c.action == kClear) {
      EXPECT_TRUE(picture->GetEmpty());
      EXPECT_EQ(picture->GetPainterCount(), 0);
    } else if (image) {
      EXPECT_EQ(image->GetPicture()->GetGraphic(), nullptr);
    }
  }
}

// A palette of red and blue, for a picture to take.
HPALETTE TwoColourPalette() {
  std::vector<std::uint8_t> buffer(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY));
  auto* logical = reinterpret_cast<LOGPALETTE*>(buffer.data());
  logical->palVersion = 0x300;
  logical->palNumEntries = 2;
  logical->palPalEntry[0] = PALETTEENTRY{255, 0, 0, 0};
  logical->palPalEntry[1] = PALETTEENTRY{0, 0, 255, 0};
  return CreatePalette(logical);
}

// A new palette is flagged and signalled; so, while the flag stands, is every frame bitmap
// built afterwards, which a threaded painter on a window builds as it shows the frames. Whoever
// realises the palette clears the flag, and later frame bitmaps signal nothing.
TEST(GifPainterWindow, ANewPaletteIsFlaggedAndSignalledAgainAfterEachFrameBitmapIsBuilt) {
  ShownWindow window;
  TGifPicture picture;
  picture.SetAnimationSpeed(-1);
  for (TColor colour : {clRed, clLime}) AddFrame(picture, 0, 0, 30, 20, {colour, clWhite}, 0);
  struct ChangeLog : TObject {
    TGifPicture* picture = nullptr;
    std::vector<bool> flags;  // the flag at each change signalled
    void Changed(TObject*) { flags.push_back(picture->GetPaletteModified()); }
  } changes;
  changes.picture = &picture;
  picture.SetOnChange(TNotifyEvent(&changes, &ChangeLog::Changed));
  auto paint = [&] {
    PaintLog log;
    log.Attach(picture);
    TGifAnimator* painter = picture.CreatePainter(nullptr, window.form->GetCanvas(),
                                                  goAsync | goAnimate | goDirectDraw, RECT{10, 10, 40, 30});
    ASSERT_NE(painter, nullptr);
    painter->WaitFor();
    EXPECT_EQ(log.events, (std::vector<std::string>{"start", "frame 0", "frame 1", "end"}));
    picture.PaintEvents() = TGifPaintEvents{};  // the log goes
  };

  EXPECT_FALSE(picture.GetPaletteModified());
  paint();
  EXPECT_TRUE(changes.flags.empty());  // the palette stayed: no signal

  picture.SetPalette(TwoColourPalette());
  EXPECT_TRUE(picture.GetPaletteModified());
  EXPECT_EQ(changes.flags, (std::vector<bool>{true}));

  for (int i = 0; i < 2; ++i) picture.GetImages()->GetFrame(i)->DropBitmap();
  paint();
  EXPECT_EQ(changes.flags, (std::vector<bool>{true, true, true}));  // one per frame bitmap

  picture.SetPaletteModified(false);  // the display has realised it
  for (int i = 0; i < 2; ++i) picture.GetImages()->GetFrame(i)->DropBitmap();
  paint();
  EXPECT_EQ(changes.flags.size(), 3u);

  // An endless animation drawn into the picture's cache stops before a new palette drops the
  // cache it draws into.
  auto loop = std::make_unique<TGifLoopExtension>(picture.GetImages()->GetFrame(0));
  picture.GetImages()->GetFrame(0)->GetExtensions()->Add(std::move(loop));  // for ever
  picture.SetDrawOptions(goAsync | goAnimate | goLoop);
  picture.Draw(window.form->GetCanvas(), RECT{10, 10, 40, 30});
  ASSERT_EQ(picture.GetPainterCount(), 1);
  picture.SetPalette(TwoColourPalette());
  EXPECT_EQ(picture.GetPainterCount(), 0);
}

// A new palette is signalled once the frame drawn through it is on its target: a frame that
// Draw shows at its size or stretched, an animation that a painter shows on this thread or on
// its own, the picture copied into a bitmap. A handler of the change that clears the picture
// or loads another one into it frees nothing that is still drawn from, and finds the frame shown.
TEST(GifDraw, ANewPaletteIsSignalledOnlyOnceTheFrameIsDrawn) {
  enum Way { kDraw, kStretched, kSynchronousPainter, kThreadedPainter, kCopy };
  const struct {
    const char* name;
    Way way;
  } ways[] = {{"drawn", kDraw},
              {"stretched", kStretched},
              {"synchronous painter", kSynchronousPainter},
              {"threaded painter", kThreadedPainter},
              {"copied", kCopy}};
  std::string otherPicture;
  {
    TGifPicture yellow;
    AddFrame(yellow, 0, 0, 2, 1, {clYellow}, 0);
    TStringStream stream;
    yellow.SaveToStream(&stream);
    otherPicture = stream.GetDataString();
  }
  for (const auto& way : ways) {
    for (bool reload : {false, true}) {
      SCOPED_TRACE(std::string(way.name) + (reload ? ", reloaded" : ", cleared"));
      TGifPicture picture;
      picture.SetAnimationSpeed(way.way == kThreadedPainter ? -1 : 1000000);
      AddFrame(picture, 0, 0, 2, 1, {clRed}, 0);
      if (way.way == kSynchronousPainter || way.way == kThreadedPainter) AddFrame(picture, 0, 0, 2, 1, {clLime}, 0);
      picture.SetPalette(TwoColourPalette());
      auto target = Canvas(6, 3, clBlue);
      TBitmap copy;
      TBitmap* shownOn = way.way == kCopy ? &copy : target.get();
      auto colourAt = [&](int x, int y) {
        return static_cast<TColor>(GetPixel(shownOn->GetCanvas()->GetHandle(), x, y));
      };
      struct Handler : TObject {
        std::function<void()> call;
        void Changed(TObject*) { call(); }
      } handler;
      int signals = 0;
      bool shownAtSignal = false;
      handler.call = [&] {
        if (signals++) return;  // loading another picture signals again
        shownAtSignal = colourAt(0, 0) == clRed;
        if (reload) {
          TStringStream stream(otherPicture);
          picture.LoadFromStream(&stream);
        } else {
          picture.Clear();
        }
      };
      picture.SetOnChange(TNotifyEvent(&handler, &Handler::Changed));
      const RECT rect = way.way == kDraw ? RECT{0, 0, 2, 1} : RECT{0, 0, 6, 3};
      PaintLog log;
      log.Attach(picture);
      HANDLE thread = nullptr;
      log.onStart = [&](TGifAnimator* painter) {
        if (painter->GetHandle())
          DuplicateHandle(GetCurrentProcess(), painter->GetHandle(), GetCurrentProcess(), &thread, 0, FALSE,
                          DUPLICATE_SAME_ACCESS);
      };
      switch (way.way) {
        case kDraw:
        case kStretched:
          picture.Draw(target->GetCanvas(), rect);
          break;
        case kSynchronousPainter:
          picture.CreatePainter(nullptr, target->GetCanvas(), goAnimate | goDirectDraw, rect);
          break;
        case kThreadedPainter:
          ASSERT_NE(picture.CreatePainter(nullptr, target->GetCanvas(), goAsync | goAnimate | goDirectDraw, rect),
                    nullptr);
          PumpMessages(10000, [&] { return thread && WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; });
          ASSERT_NE(thread, nullptr);
          EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
          CloseHandle(thread);
          break;
        case kCopy:
          copy.Assign(&picture);
          break;
      }
      EXPECT_GE(signals, 1);
      EXPECT_TRUE(shownAtSignal);
      EXPECT_EQ(colourAt(0, 0), clRed);
      if (way.way != kDraw && way.way != kCopy) {
        EXPECT_EQ(colourAt(5, 2), clRed);
      }
      if (way.way == kSynchronousPainter || way.way == kThreadedPainter) {
        EXPECT_EQ(log.events, (std::vector<std::string>{"start", "frame 0", "end"}));  // the rest went
      }
      if (reload) {
        ASSERT_EQ(picture.GetImages()->GetCount(), 1);
        EXPECT_EQ(picture.GetImages()->GetFrame(0)->GetActiveColorMap()->GetColor(0), clYellow);
      } else {
        EXPECT_TRUE(picture.GetEmpty());
      }
    }
  }
}

// A finite animation that has ended leaves its last frame in the cache, which later draws
// show; the animation does not start over.
TEST(GifDraw, AFinishedAnimationIsNotStartedAgainByLaterDraws) {
  for (bool threaded : {true, false}) {
    SCOPED_TRACE(threaded ? "threaded" : "synchronous");
    TGifPicture picture;
    picture.SetAnimationSpeed(threaded ? -1 : 1000000);
    if (!threaded) picture.SetDrawOptions(picture.GetDrawOptions() & ~goAsync);
    for (TColor c : {clRed, clLime, clBlue}) AddFrame(picture, 0, 0, 3, 1, {c}, 0);
    PaintLog log;
    log.Attach(picture);
    auto target = Canvas(3, 1, clWhite);
    picture.Draw(target->GetCanvas(), RECT{0, 0, 3, 1});
    PumpMessages(10000, [&] { return log.Count("end") > 0 && picture.GetPainterCount() == 0; });
    ASSERT_EQ(log.Count("end"), 1);
    ASSERT_EQ(picture.GetPainterCount(), 0);
    for (int i = 0; i < 10; ++i) {
      auto again = Canvas(3, 1, clWhite);
      picture.Draw(again->GetCanvas(), RECT{0, 0, 3, 1});
      EXPECT_EQ(PixelAt(again.get(), 2, 0), clBlue);
      EXPECT_EQ(picture.GetPainterCount(), 0);
    }
    PumpMessages(50);
    EXPECT_EQ(log.Count("start"), 1);
    EXPECT_EQ(log.Count("frame"), 3);
  }
}

TEST(GifPainter, AnAssignedPictureKeepsTheSourcesPaintingEvents) {
  TGifPicture source;
  for (TColor c : {clRed, clLime}) AddFrame(source, 0, 0, 2, 1, {c}, 0);
  PaintLog log;
  log.Attach(source);
  TGifPicture copy;
  copy.SetAnimationSpeed(1000000);
  copy.Assign(&source);
  auto target = Canvas(2, 1, clWhite);
  copy.CreatePainter(nullptr, target->GetCanvas(), goAnimate | goLoop, RECT{0, 0, 2, 1});
  EXPECT_EQ(log.events, (std::vector<std::string>{"start", "frame 0", "frame 1", "end"}));
}

// A tiled frame's area is every tile: the background preparation before the first frame and
// the disposal to the background reach them all.
TEST(GifPainter, TiledFramesAreClearedAndDisposedInEveryTile) {
  TGifPicture picture;
  picture.SetAnimationSpeed(1000000);
  picture.SetDrawBackgroundColor(clLime);
  picture.GetHeader()->SetWidth(2);
  picture.GetHeader()->SetHeight(1);
  auto seeThrough = [&picture](int left) {
    TGifFrame* frame = AddFrame(picture, left, 0, 1, 1, {clRed, clBlue}, 1);
    Control(frame)->SetTransparentColorIndex(1);
    Control(frame)->SetTransparent(true);
  };
  seeThrough(0);
  Control(AddFrame(picture, 1, 0, 1, 1, {clRed}, 0))->SetDisposal(dmBackground);
  seeThrough(1);
  auto target = Canvas(4, 1, clWhite);
  PaintLog log;
  log.target = target.get();
  log.Attach(picture);
  picture.CreatePainter(nullptr, target->GetCanvas(), goAnimate | goTransparent | goTile | goClearOnLoop,
                        RECT{0, 0, 4, 1});
  const std::vector<std::vector<TColor>> expected = {{clLime, clWhite, clLime, clWhite},
                                                     {clLime, clRed, clLime, clRed},
                                                     {clLime, clWhite, clLime, clWhite}};
  EXPECT_EQ(log.shown, expected);
}

std::vector<TColor> PaletteColours(HPALETTE palette) {
  std::vector<TColor> colours;
  if (!palette) return colours;
  std::vector<PALETTEENTRY> entries(GetPaletteEntries(palette, 0, 0, nullptr));
  GetPaletteEntries(palette, 0, static_cast<UINT>(entries.size()), entries.data());
  for (const PALETTEENTRY& e : entries) colours.push_back(Rgb(e.peRed, e.peGreen, e.peBlue));
  return colours;
}

// A paletted display shows a rendering of the picture through the picture's palette: the still
// one of frame 0 on the screen, and the cache an animation is drawn through.
TEST(GifDraw, RenderingsCarryThePicturesPalette) {
  TGifPicture picture;
  picture.GetHeader()->SetWidth(4);
  picture.GetHeader()->SetHeight(1);
  const std::vector<TColor> colours{clNavy, clTeal, clOlive};
  for (TColor c : colours) picture.GetGlobalColorMap()->Add(c);
  AddFrame(picture, 1, 0, 2, 1, {}, 2);
  TBitmap still;
  still.Assign(&picture);
  EXPECT_EQ(PaletteColours(still.GetPalette()), colours);

  AddFrame(picture, 0, 0, 4, 1, {}, 1);
  picture.SetAnimationSpeed(1000000);
  picture.SetDrawOptions(goAnimate);
  auto target = Canvas(4, 1, clWhite);
  picture.Draw(target->GetCanvas(), RECT{0, 0, 4, 1});
  EXPECT_EQ(PixelAt(target.get(), 0, 0), clTeal);
  TBitmap shown;
  shown.Assign(&picture);
  EXPECT_EQ(PaletteColours(shown.GetPalette()), colours);

  // Without any colour table there is no palette to carry, and the rendering still comes.
  TGifPicture tableless;
  tableless.GetHeader()->SetWidth(2);
  tableless.GetHeader()->SetHeight(1);
  AddFrame(tableless, 1, 0, 1, 1, {}, 0);
  TBitmap plain;
  plain.Assign(&tableless);
  EXPECT_EQ(plain.GetWidth(), 2);
  EXPECT_EQ(plain.GetPalette(), nullptr);
}

// Records the palette selected in a canvas's device context whenever something is drawn on it.
struct PaletteWatch : TObject {
  TCanvas* canvas = nullptr;
  std::vector<HGDIOBJ> selected;
  void Changing(TObject*) { selected.push_back(GetCurrentObject(canvas->GetHandle(), OBJ_PAL)); }
};

// On a display of 256 colours the frame's colours show only through its own palette.
TEST(GifPainter, EachFramesPaletteIsSelectedInThePalettedTargetWhileItIsDrawn) {
  TGifPicture picture;
  picture.SetAnimationSpeed(1000000);
  TGifFrame* first = AddFrame(picture, 0, 0, 2, 2, {clRed, clLime}, 1);
  TGifFrame* second = AddFrame(picture, 0, 0, 2, 2, {clBlue, clYellow, clAqua}, 2);
  std::vector<std::uint8_t> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
  auto* header = reinterpret_cast<BITMAPINFO*>(info.data());
  header->bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 2, 2, 1, 8, BI_RGB, 0, 0, 0, 256, 0};
  for (int i = 0; i < 256; ++i)
    header->bmiColors[i] = RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0};
  void* bits = nullptr;
  ScopedGdiObj<HBITMAP> dib(CreateDIBSection(nullptr, header, DIB_RGB_COLORS, &bits, nullptr, 0));
  ASSERT_TRUE(dib);
  ScopedMemDC dc(nullptr);
  ScopedSelect selectedDib(dc.Get(), dib.Get());
  const HGDIOBJ before = GetCurrentObject(dc.Get(), OBJ_PAL);
  {
    TCanvas canvas;
    canvas.SetHandle(dc.Get());
    PaletteWatch watch;
    watch.canvas = &canvas;
    canvas.SetOnChanging(TNotifyEvent(&watch, &PaletteWatch::Changing));
    picture.CreatePainter(nullptr, &canvas, goAnimate, RECT{0, 0, 2, 2});
    canvas.SetHandle(nullptr);
    ASSERT_EQ(watch.selected.size(), 2u);
    EXPECT_EQ(watch.selected[0], first->GetPalette());
    EXPECT_EQ(watch.selected[1], second->GetPalette());
  }
  EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PAL), before);
}

// Frames of neither a table of their own nor a global one have no palette of their own either:
// they are drawn through the system's, as they are without the painter.
TEST(GifPainter, FramesWithoutAnyColourTableAreDrawnThroughTheSystemsPalette) {
  TGifPicture picture;
  picture.SetAnimationSpeed(1000000);
  AddFrame(picture, 0, 0, 2, 1, {}, 0);
  AddFrame(picture, 0, 0, 2, 1, {}, 0);
  auto target = Canvas(2, 1, clWhite);
  PaintLog log;
  log.Attach(picture);
  PaletteWatch watch;
  watch.canvas = target->GetCanvas();
  target->GetCanvas()->SetOnChanging(TNotifyEvent(&watch, &PaletteWatch::Changing));
  picture.CreatePainter(nullptr, target->GetCanvas(), goAnimate, RECT{0, 0, 2, 1});
  EXPECT_EQ(log.events, (std::vector<std::string>{"start", "frame 0", "frame 1", "end"}));
  ASSERT_EQ(watch.selected.size(), 2u);
  EXPECT_EQ(watch.selected[1], GetStockObject(DEFAULT_PALETTE));
  EXPECT_EQ(PixelAt(target.get(), 1, 0), clBlack);
}

// ---------------------------------------------------------------------------------------------

TEST(GifPalette, FromTheGlobalTableElseTheFirstFrame) {
  TGifPicture picture;
  EXPECT_EQ(picture.GetPalette(), nullptr);
  AddFrame(picture, 0, 0, 1, 1, {clRed, clGreen, clBlue}, 0);
  HPALETTE palette = picture.GetPalette();
  ASSERT_NE(palette, nullptr);
  EXPECT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), 3u);
  for (TColor c : {clAqua, clBlack}) picture.GetGlobalColorMap()->Add(c);
  palette = picture.GetPalette();
  ASSERT_NE(palette, nullptr);
  EXPECT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), 2u);
  picture.SetDrawOptions(goDither);  // the web palette, whatever the screen
  palette = picture.GetPalette();
  EXPECT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), 216u);
}

// ---------------------------------------------------------------------------------------------

TEST(GifRegistration, PicturesLoadGifFilesAndTheClipboardCarriesBothFormats) {
  EXPECT_EQ(TPicture::FileFormatClass("GIF"), &TGifPicture::Class);
  EXPECT_NE(TPicture::GraphicFilter().find("*.gif"), std::string::npos);
  ASSERT_NE(GifClipboardFormat(), 0u);
  char name[64] = {};
  GetClipboardFormatNameA(GifClipboardFormat(), name, sizeof name);
  EXPECT_STREQ(name, "GIF Image");

  TGifPicture picture;
  AddFrame(picture, 0, 0, 5, 3, {clRed, clTeal}, 1);
  testsupport::TempDir dir;
  picture.SaveToFile(dir.File("p.gif"));
  TPicture loaded;
  loaded.LoadFromFile(dir.File("p.gif"));
  auto* gif = dynamic_cast<TGifPicture*>(loaded.GetGraphic());
  ASSERT_NE(gif, nullptr);
  EXPECT_EQ(gif->GetWidth(), 5);

  {
    ScopedOpening<TClipboard> open(*Clipboard());
    UINT format = 0;
    HANDLE data = nullptr;
    HPALETTE palette = nullptr;
    picture.SaveToClipboardFormat(format, data, palette);
    EXPECT_EQ(format, static_cast<UINT>(CF_BITMAP));
    Clipboard()->SetAsHandle(format, data);
    if (palette) Clipboard()->SetAsHandle(CF_PALETTE, palette);
  }
  EXPECT_TRUE(Clipboard()->HasFormat(GifClipboardFormat()));
  EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
  TPicture fromClipboard;
  {
    ScopedOpening<TClipboard> open(*Clipboard());
    fromClipboard.LoadFromClipboardFormat(GifClipboardFormat(), Clipboard()->GetAsHandle(GifClipboardFormat()), nullptr);
  }
  auto* pasted = dynamic_cast<TGifPicture*>(fromClipboard.GetGraphic());
  ASSERT_NE(pasted, nullptr);
  ASSERT_EQ(pasted->GetImages()->GetCount(), 1);
  TGifFrame* frame = pasted->GetImages()->GetFrame(0);
  EXPECT_EQ(frame->GetColorMap()->GetColor(frame->GetData()[14]), clTeal);
  TBitmap bitmap;
  {
    ScopedOpening<TClipboard> open(*Clipboard());
    bitmap.LoadFromClipboardFormat(CF_BITMAP, Clipboard()->GetAsHandle(CF_BITMAP), nullptr);
  }
  bitmap.SetPixelFormat(pf24bit);
  EXPECT_EQ(PixelAt(&bitmap, 4, 2), clTeal);
}

// ---------------------------------------------------------------------------------------------

TEST(GifOptimize, MergeCropAndCleanUp) {
  TGifPicture picture;
  const std::vector<TColor> colours = {clRed, clLime, clBlue};
  TGifFrame* first = AddFrame(picture, 0, 0, 6, 4, colours, 0);
  TGifFrame* second = AddFrame(picture, 0, 0, 6, 4, colours, 0);
  second->ScanLine(2)[3] = 1;  // the only pixel that differs
  second->ScanLine(1)[4] = 2;
  auto comment = std::make_unique<TGifCommentExtension>(first);
  comment->Comment = {"goes"};
  first->GetExtensions()->Add(std::move(comment));
  Control(second)->SetDelay(30);
  picture.Optimize(ooMerge | ooCrop | ooCleanup | ooColorMap, rmNetscape, 0, 8);
  ASSERT_EQ(picture.GetImages()->GetCount(), 2);
  TGifFrame* cropped = picture.GetImages()->GetFrame(1);
  ASSERT_TRUE(cropped->GetTransparent());
  EXPECT_EQ(cropped->GetLeft(), 3);
  EXPECT_EQ(cropped->GetTop(), 1);
  EXPECT_EQ(cropped->GetWidth(), 2);
  EXPECT_EQ(cropped->GetHeight(), 2);
  EXPECT_EQ(picture.GetImages()->GetFrame(0)->GetExtensions()->GetCount(), 0);  // the comment
  // What the two frames show together is unchanged.
  picture.SetAnimationSpeed(1000000);
  auto target = Canvas(6, 4, clWhite);
  picture.CreatePainter(nullptr, target->GetCanvas(), goAnimate | goTransparent, RECT{0, 0, 6, 4});
  EXPECT_EQ(PixelAt(target.get(), 3, 2), clLime);
  EXPECT_EQ(PixelAt(target.get(), 4, 1), clBlue);
  EXPECT_EQ(PixelAt(target.get(), 4, 2), clRed);
  EXPECT_EQ(PixelAt(target.get(), 0, 0), clRed);
}

// The first row of the target after each frame of a synchronous animation.
std::vector<std::vector<TColor>> ShownRows(TGifPicture& picture, TColor background,
                                           std::uint16_t options = goAnimate | goTransparent) {
  picture.SetAnimationSpeed(1000000);
  auto target = Canvas(picture.GetWidth(), 1, background);
  PaintLog log;
  log.target = target.get();
  log.Attach(picture);
  picture.CreatePainter(nullptr, target->GetCanvas(), options, RECT{0, 0, picture.GetWidth(), 1});
  picture.PaintEvents() = TGifPaintEvents{};  // the log goes
  return log.shown;
}

// Merging makes a frame's pixels transparent where the frame before shows the same. A frame on
// the global table may take the transparent index of another frame on that table, but not one
// its own visible pixels use: they would vanish.
TEST(GifOptimize, MergedFramesKeepTheColoursOfTheirVisiblePixels) {
  TGifPicture picture;
  for (TColor c : {clRed, clWhite, clBlue}) picture.GetGlobalColorMap()->Add(c);
  picture.GetHeader()->SetWidth(6);
  picture.GetHeader()->SetHeight(1);
  AddFrame(picture, 0, 0, 3, 1, {}, 0);                   // red red red
  TGifFrame* second = AddFrame(picture, 0, 0, 3, 1, {}, 1);  // red white white
  second->ScanLine(0)[0] = 0;
  TGifFrame* elsewhere = AddFrame(picture, 4, 0, 2, 1, {}, 2);  // transparent on white
  elsewhere->ScanLine(0)[0] = 1;
  Control(elsewhere)->SetTransparentColorIndex(1);
  Control(elsewhere)->SetTransparent(true);
  const auto before = ShownRows(picture, clYellow);
  ASSERT_EQ(before[1], (std::vector<TColor>{clRed, clWhite, clWhite, clYellow, clYellow, clYellow}));

  picture.Optimize(ooMerge, rmNone, 0, 8);
  ASSERT_TRUE(second->GetTransparent());
  EXPECT_EQ(second->ScanLine(0)[0], second->GetTransparentColorIndex());  // red over red: merged
  EXPECT_NE(second->GetTransparentColorIndex(), 1);
  EXPECT_EQ(ShownRows(picture, clYellow), before);

  // Where the other frame's index is free in the frame, it is shared.
  TGifPicture sharing;
  for (TColor c : {clRed, clWhite, clBlue}) sharing.GetGlobalColorMap()->Add(c);
  AddFrame(sharing, 0, 0, 3, 1, {}, 0);
  TGifFrame* blues = AddFrame(sharing, 0, 0, 3, 1, {}, 2);
  blues->ScanLine(0)[2] = 0;
  TGifFrame* other = AddFrame(sharing, 0, 0, 3, 1, {}, 1);
  Control(other)->SetTransparentColorIndex(1);
  Control(other)->SetTransparent(true);
  sharing.Optimize(ooMerge, rmNone, 0, 8);
  EXPECT_EQ(blues->GetTransparentColorIndex(), 1);
  EXPECT_EQ(sharing.GetGlobalColorMap()->GetCount(), 3);

  // Frames of no colour table at all are shown in the system's colours; one that needs a
  // transparent colour keeps them as its own table, with the transparent entry after them.
  TGifPicture tableless;
  AddFrame(tableless, 0, 0, 3, 1, {}, 9);
  TGifFrame* third = AddFrame(tableless, 0, 0, 3, 1, {}, 9);
  third->ScanLine(0)[2] = 12;
  const auto system = ShownRows(tableless, clYellow);
  tableless.Optimize(ooMerge, rmNone, 0, 8);
  ASSERT_TRUE(third->GetTransparent());
  EXPECT_EQ(ShownRows(tableless, clYellow), system);
}

// Ordering the global table by use renumbers its entries; the screen's background colour,
// which the painter shows where a frame is disposed to the background, keeps its colour even
// when no pixel uses it.
TEST(GifOptimize, OrderingTheGlobalTableKeepsTheBackgroundColour) {
  TGifPicture picture;
  giftest::Warnings warnings;
  picture.SetOnWarning(TGifWarning(&warnings, &giftest::Warnings::OnWarning));
  for (TColor c : {clRed, clLime, clBlue, clYellow}) picture.GetGlobalColorMap()->Add(c);
  picture.GetHeader()->SetBackgroundColorIndex(2);  // blue, which no pixel shows
  TGifFrame* first = AddFrame(picture, 0, 0, 4, 1, {}, 1);
  first->ScanLine(0)[3] = 3;
  Control(first)->SetDisposal(dmBackground);
  AddFrame(picture, 0, 0, 1, 1, {}, 0);
  // Without the transparent option a frame is disposed to the background colour itself.
  const auto before = ShownRows(picture, clWhite, goAnimate);
  ASSERT_EQ(before[1], (std::vector<TColor>{clRed, clBlue, clBlue, clBlue}));

  picture.Optimize(ooColorMap, rmNone, 0, 8);
  TGifColorMap* global = picture.GetGlobalColorMap();
  EXPECT_EQ(global->GetColor(0), clLime);  // the most used first
  EXPECT_EQ(global->GetColor(picture.GetHeader()->GetBackgroundColorIndex()), clBlue);
  EXPECT_EQ(ShownRows(picture, clWhite, goAnimate), before);
  EXPECT_TRUE(warnings.messages.empty()) << warnings.messages.front();
}

TEST(GifOptimize, ACustomPaletteReductionIsRefused) {
  TGifPicture picture;
  AddFrame(picture, 0, 0, 2, 2, {clRed}, 0);
  EXPECT_THROW(picture.Optimize(ooReduceColors, rmPalette, 0, 8), EGifError);
  EXPECT_NO_THROW(picture.Optimize(ooReduceColors | ooCleanup, rmPalette, 0, 8));
}

}  // namespace

namespace {

// Writes the picture as a stored property of a form.
struct StoredPicture : TGifPicture {
  using TGifPicture::WriteData;
};

TEST(GifOptimize, StoredPicturesAreOptimisedWhenTheSwitchIsOn) {
  StoredPicture picture;
  TGifFrame* frame = AddFrame(picture, 0, 0, 3, 3, {clRed, clLime, clBlue}, 0);
  auto comment = std::make_unique<TGifCommentExtension>(frame);
  comment->Comment = {"a note"};
  frame->GetExtensions()->Add(std::move(comment));
  TStringStream plain;
  picture.WriteData(&plain);
  EXPECT_NE(plain.GetDataString().find("a note"), std::string::npos);
  GifDefaults().OptimizeOnStream = true;
  TStringStream optimised;
  picture.WriteData(&optimised);
  GifDefaults().OptimizeOnStream = false;
  EXPECT_EQ(optimised.GetDataString().find("a note"), std::string::npos);
  EXPECT_LT(optimised.GetDataString().size(), plain.GetDataString().size());
  EXPECT_EQ(picture.GetImages()->GetFrame(0)->GetColorMap()->GetCount(), 1);  // only red is used
}

}  // namespace
