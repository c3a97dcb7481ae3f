#include "forms/u_start.h"

#include "classlib/Jpeg.h"
#include "classlib/MessageBoxes.h"
#include "classlib/ScopedHandles.h"
#include "classlib/SysUtils.h"
#include "engine/u_TempFiles.h"
#include "engine/u_WideFunc.h"
#include "forms/u_prog.h"
#include "ucode/UCodeForms.h"
#include "ucode/UCodeSysUtils.h"
#include "ucode/UCodeSystem.h"

Tstart* start = nullptr;

namespace {

constexpr int kShowMainTick = 8;
constexpr int kLastTick = 10;

// Set once a tick found a file named by the first argument; the main window is then already
// up, and the eighth tick leaves it alone.
bool argumentShown = false;

bool FirstArgumentIsFile() {
  const std::wstring first = WideParamStr(1);
  return !first.empty() && WideFileExists(first);
}

// The main window up, whatever its start-up raises: the error is told here, once, while the
// start screen's sequence waits for the message to be closed. A main window that a modal window
// of its own disables stays where it is, behind that window.
void ShowMainWindow() {
  if (!prog) return;
  if (prog->GetVisible() && prog->HandleAllocated() && !IsWindowEnabled(prog->GetHandle())) return;
  try {
    prog->Show();
  } catch (...) {
    Application->HandleException(start);
  }
}

}  // namespace

void LoadPicture(TImage* image, const char* resource) {
  TJPEGImage jpeg;
  jpeg.LoadFromResourceName(GetModuleHandleA(nullptr), resource);
  image->GetPicture()->Assign(&jpeg);
}

Tstart::Tstart(TComponent* owner) : TForm(owner) {
  start = this;
  InitForm();
}

void Tstart::FormCreate(TObject*) {
  // Keyboard cues of every window of the program are redrawn when the system switches them.
  new TKeyCueFix(this);
  LoadPicture(intro, "INTRO");
  LoadPicture(intro_en1, "INTRO_EN1");
  LoadPicture(intro_en2, "INTRO_EN2");
  if (FileExists("en")) spr->SetCaption("en");
  if (FileExists("de")) spr->SetCaption("de");
  sprache();
  FTicks = 0;
}

void Tstart::sprache() {
  const std::string code = spr->TControl::GetCaption();
  if (code == "de") UCodeApplication->SetTitle(L"Kaptorix - Berno Kalwe");
  if (code == "en") {
    UCodeApplication->SetTitle(L"Kaptorix - Berno Kalwe");
    intro_en1->SetVisible(true);
    intro_en2->SetVisible(true);
  }
}

void Tstart::FormShow(TObject*) {
  if (Application->GetHandle()) ShowWindow(Application->GetHandle(), SW_HIDE);
}

void Tstart::Timer1Timer(TObject*) {
  // A message shown while the main window comes up runs a message loop of its own, in which
  // this timer goes on ticking. Those ticks are let pass: the start screen neither goes nor
  // brings the main window forward while the message is open. The ticks are let pass too while a
  // message that belongs to the start screen is open (one told while the screen is up). Any other
  // modal window (a dialog the user opened from the main window) holds nothing: the screen goes in
  // its time, and does not come back in front when the dialog closes.
  if (FTicking || MessageBoxOpenFor(GetHandle())) return;
  const ScopedValue<bool> ticking(FTicking, true);
  if (FirstArgumentIsFile()) {
    ShowMainWindow();
    argumentShown = true;
  }
  ++FTicks;
  if (FTicks >= kShowMainTick && !argumentShown) ShowMainWindow();
  if (FTicks > kLastTick) EndSequence();
}

void Tstart::FormClick(TObject*) {
  ShowMainWindow();
  EndSequence();
}

void Tstart::EndSequence() {
  Hide();
  Timer1->SetEnabled(false);
}

void Tstart::FormCloseQuery(TObject*, bool& canClose) {
  canClose = true;
  CloseStep(this, DeleteTempFiles);
}

void Tstart::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<Tstart>();
  p.Field("Panel1", &Tstart::Panel1);
  p.Field("intro", &Tstart::intro);
  p.Field("intro_en1", &Tstart::intro_en1);
  p.Field("intro_en2", &Tstart::intro_en2);
  p.Field("spr", &Tstart::spr);
  p.Field("Timer1", &Tstart::Timer1);
  p.Handler("FormCreate", &Tstart::FormCreate);
  p.Handler("FormShow", &Tstart::FormShow);
  p.Handler("FormClick", &Tstart::FormClick);
  p.Handler("Timer1Timer", &Tstart::Timer1Timer);
  p.Handler("FormCloseQuery", &Tstart::FormCloseQuery);
}

bool StartScreenUp() { return start != nullptr && start->HandleAllocated() && IsWindowVisible(start->GetHandle()); }

std::string LanguageCode() { return start != nullptr ? start->spr->TControl::GetCaption() : std::string("en"); }

namespace {

// Word documents that any window or builder opens are read through Word, with its messages in
// the program's language.
TWordAutomationReader g_wordReader([] { return LanguageCode(); });
[[maybe_unused]] const bool g_wordReaderInstalled = (SetWordDocumentReader(&g_wordReader), true);

}  // namespace
