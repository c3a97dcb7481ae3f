// Keyboard cues (accelerator underlines, focus rectangles) that the system switches on or off
// with WM_UPDATEUISTATE are not redrawn by every control on themed systems: the fix watches each
// window of the application and repaints its controls at the next idle moment after that
// message. One instance serves the whole program.
#pragma once

#include <memory>

#include "classlib/Classes.h"
#include "classlib/Contnrs.h"
#include "classlib/Controls.h"
#include "classlib/Forms.h"

class TKeyCueFix;

// One watched window: its WindowProc is chained through the entry.
class TFormObj : public TObject {
  KX_CLASS(TFormObj, TObject)
 public:
  TFormObj(TCustomForm* form, bool repaintAll);
  // Gives the window its previous WindowProc back while the window still exists and the chain
  // still starts here (a freed entry must never be called).
  ~TFormObj() override;

  TCustomForm* Form;
  TWndMethod PrevWindowProc;
  bool Seen = true;
  bool NeedRepaint = false;
  bool RepaintAll;

  void WndProc(TMessage& message);
};

class TKeyCueFix : public TComponent {
  KX_COMPONENT(TKeyCueFix, TComponent)
 public:
  static void DeclareProperties(TPropertyTable& table);
  // Watches the application's windows when this system needs the fix (else does nothing).
  explicit TKeyCueFix(TComponent* owner);
  // As above, with the need given instead of asked of the system (also where it would not
  // need it, for instance to check the fix on an unthemed display).
  TKeyCueFix(TComponent* owner, bool needed);
  ~TKeyCueFix() override;

  // Repaint every windowed control of a window (true, the default), or only those that draw
  // accelerators themselves (buttons, check and radio boxes, static texts).
  bool GetRepaintAll() const { return FRepaintAll; }
  void SetRepaintAll(bool value) { FRepaintAll = value; }
  // True while windows are being watched.
  bool Active() const { return FList != nullptr; }

 private:
  void Start(bool needed);
  void AppIdle(TObject* sender, bool& done);
  TFormObj* Find(TCustomForm* form) const;

  std::unique_ptr<TObjectList> FList;
  TApplicationEvents* FAppEvents = nullptr;
  bool FRepaintAll = true;
};

// Needed on version 5.1 and on 6 or later, each only with visual styles on (not on 5.2).
bool KeyCueFixNeeded(unsigned major, unsigned minor, bool themesEnabled);

// Repaints `control` and, recursively, its windowed children; windowless controls are skipped.
void RepaintAllControls(TControl* control);
// Repaints only the controls that draw accelerators: push buttons, check and radio boxes and
// static texts (not bitmap buttons), searching into other windowed controls and into the
// active page of a page control only.
void RepaintAccelControls(TControl* control);
