#include "ucode/KeyCueFixUnit.h"

#include <algorithm>

#include "classlib/Buttons.h"
#include "classlib/ComCtrls.h"
#include "classlib/StdCtrls.h"
#include "classlib/Themes.h"
#include "classlib/WinControls.h"

namespace {

bool SystemNeedsKeyCueFix() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!GetVersionExA(&info)) return false;
  return KeyCueFixNeeded(info.dwMajorVersion, info.dwMinorVersion, ThemeServices().ThemesEnabled());
}

bool OnScreen(TCustomForm* form) {
  if (!Screen) return false;
  for (int i = 0; i < Screen->GetFormCount(); ++i)
    if (Screen->GetForm(i) == form) return true;
  return false;
}

}  // namespace

bool KeyCueFixNeeded(unsigned major, unsigned minor, bool themesEnabled) {
  if (!themesEnabled) return false;
  return major >= 6 || (major == 5 && minor == 1);
}

// ---- watched window ----------------------------------------------------------------------
TFormObj::TFormObj(TCustomForm* form, bool repaintAll) : Form(form), RepaintAll(repaintAll) {
  PrevWindowProc = form->GetWindowProc();
  form->SetWindowProc(TWndMethod(this, &TFormObj::WndProc));
}

TFormObj::~TFormObj() {
  if (OnScreen(Form) && Form->GetWindowProc().SameMethod(TWndMethod(this, &TFormObj::WndProc)))
    Form->SetWindowProc(PrevWindowProc);
}

void TFormObj::WndProc(TMessage& message) {
  PrevWindowProc(message);
  if (message.Msg == WM_UPDATEUISTATE) NeedRepaint = true;
}

// ---- repainting -----------------------------------------------------------------------------
void RepaintAllControls(TControl* control) {
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (!windowed || !windowed->HandleAllocated()) return;
  windowed->Repaint();
  for (int i = 0; i < windowed->GetControlCount(); ++i) RepaintAllControls(windowed->GetControl(i));
}

void RepaintAccelControls(TControl* control) {
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (!windowed || !windowed->HandleAllocated()) return;
  if (dynamic_cast<TBitBtn*>(windowed)) return;
  if (dynamic_cast<TButtonControl*>(windowed) || dynamic_cast<TCustomStaticText*>(windowed)) {
    windowed->Repaint();
    return;
  }
  if (auto* sheet = dynamic_cast<ComCtrls::TTabSheet*>(windowed)) {
    if (sheet->GetPageControl() && sheet->GetPageControl()->GetActivePage() != sheet) return;
  }
  for (int i = 0; i < windowed->GetControlCount(); ++i) RepaintAccelControls(windowed->GetControl(i));
}

// ---- the component --------------------------------------------------------------------------
TKeyCueFix::TKeyCueFix(TComponent* owner) : TComponent(owner) {
  bool designing = GetComponentState().Contains(csDesigning) ||
                   (owner && owner->GetComponentState().Contains(csDesigning));
  Start(!designing && SystemNeedsKeyCueFix());
}

TKeyCueFix::TKeyCueFix(TComponent* owner, bool needed) : TComponent(owner) { Start(needed); }

void TKeyCueFix::Start(bool needed) {
  FRepaintAll = true;
  if (!needed) return;
  FList = std::make_unique<TObjectList>(true);
  FAppEvents = new TApplicationEvents(nullptr);
  FAppEvents->OnIdle = TIdleEvent(this, &TKeyCueFix::AppIdle);
}

TKeyCueFix::~TKeyCueFix() {
  delete FAppEvents;
  FAppEvents = nullptr;
  FList.reset();
}

TFormObj* TKeyCueFix::Find(TCustomForm* form) const {
  for (int i = 0; i < FList->GetCount(); ++i) {
    auto* entry = static_cast<TFormObj*>(FList->Get(i));
    if (entry->Form == form) return entry;
  }
  return nullptr;
}

void TKeyCueFix::AppIdle(TObject*, bool&) {
  if (!FList || !Screen) return;
  for (int i = 0; i < FList->GetCount(); ++i) static_cast<TFormObj*>(FList->Get(i))->Seen = false;
  for (int i = 0; i < Screen->GetFormCount(); ++i) {
    TCustomForm* form = Screen->GetForm(i);
    if (TFormObj* entry = Find(form)) entry->Seen = true;
    else FList->Add(new TFormObj(form, FRepaintAll));
  }
  for (int i = FList->GetCount() - 1; i >= 0; --i) {
    auto* entry = static_cast<TFormObj*>(FList->Get(i));
    if (!entry->Seen) {
      FList->Delete(i);
      continue;
    }
    if (!entry->NeedRepaint) continue;
    entry->NeedRepaint = false;
    if (entry->RepaintAll) RepaintAllControls(entry->Form);
    else RepaintAccelControls(entry->Form);
  }
}

void TKeyCueFix::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TKeyCueFix>();
  p.Boolean("RepaintAll", &TKeyCueFix::GetRepaintAll, &TKeyCueFix::SetRepaintAll);
}
