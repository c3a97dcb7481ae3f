// The names the windows give their images, panels and splitters: TImage, TPanel and TSplitter
// are the wide controls here, so that every window's code and form description makes wide
// controls. (The library's own 8-bit controls of these names are ExtCtrls::TImage and the rest.)
#pragma once

#include "ucode/UCodeExtCtrls.h"

KX_NAMED_COMPONENT(TImage, TUCodeImage);

KX_NAMED_COMPONENT(TPanel, TUCodePanel);

KX_NAMED_COMPONENT(TSplitter, TUCodeSplitter);

// Gives form descriptions the wide classes under these names.
void RegisterUCodeRepExtCtrls();
