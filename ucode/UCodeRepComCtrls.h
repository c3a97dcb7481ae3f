// The name the windows give their list views: TListView is the wide list view here, so that
// every window's code and form description makes wide list views. (The library's own 8-bit list
// view is ComCtrls::TListView.)
#pragma once

#include "ucode/UCodeComCtrls.h"

class TListView : public TUCodeListView {
  KX_COMPONENT(TListView, TUCodeListView)
 public:
  explicit TListView(TComponent* owner) : TUCodeListView(owner) {}
};

// Gives form descriptions the wide list view under this name.
void RegisterUCodeRepComCtrls();
