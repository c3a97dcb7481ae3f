// The names the windows give their common controls: TListView, TPageControl, TTabSheet and
// TProgressBar are the wide controls here, so that every window's code and form description makes
// wide ones. (The library's own 8-bit controls of these names are ComCtrls::TListView and the
// rest.)
#pragma once

#include "ucode/UCodeComCtrls.h"

KX_NAMED_COMPONENT(TListView, TUCodeListView);

KX_NAMED_COMPONENT(TTabSheet, TUCodeTabSheet);

// Its pages are the wide sheets: the page accessors give them as such (nullptr for a page that is
// not one).
class TPageControl : public TUCodePageControl {
  KX_COMPONENT(TPageControl, TUCodePageControl)
 public:
  explicit TPageControl(TComponent* owner) : TUCodePageControl(owner) {}
  TTabSheet* GetActivePage() const { return dynamic_cast<TTabSheet*>(TUCodePageControl::GetActivePage()); }
  TTabSheet* GetPage(int index) const { return dynamic_cast<TTabSheet*>(TUCodePageControl::GetPage(index)); }
};

KX_NAMED_COMPONENT(TProgressBar, TUCodeProgressBar);

// Gives form descriptions the wide controls under these names.
void RegisterUCodeRepComCtrls();
