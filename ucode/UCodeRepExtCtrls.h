// The names the windows give their images, panels and splitters: TImage, TPanel and TSplitter
// are the wide controls here, so that every window's code and form description makes wide
// controls. (The library's own 8-bit controls of these names are ExtCtrls::TImage and the rest.)
#pragma once

#include "ucode/UCodeExtCtrls.h"

class TImage : public TUCodeImage {
  KX_COMPONENT(TImage, TUCodeImage)
 public:
  explicit TImage(TComponent* owner) : TUCodeImage(owner) {}
};

class TPanel : public TUCodePanel {
  KX_COMPONENT(TPanel, TUCodePanel)
 public:
  explicit TPanel(TComponent* owner) : TUCodePanel(owner) {}
};

class TSplitter : public TUCodeSplitter {
  KX_COMPONENT(TSplitter, TUCodeSplitter)
 public:
  explicit TSplitter(TComponent* owner) : TUCodeSplitter(owner) {}
};

// Gives form descriptions the wide classes under these names.
void RegisterUCodeRepExtCtrls();
