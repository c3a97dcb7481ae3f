// Wide (UTF-16) text on a canvas of the class library: drawing and measuring.
#pragma once

#include <string>

#include "classlib/Graphics.h"

// Draws the text at (X, Y) with the canvas's font, brush and text flags; on a right-to-left
// canvas X is the text's right end. Leaves the pen at the text's end and announces the change
// to the canvas before and after.
void WideCanvasTextOut(TCanvas* Canvas, int X, int Y, const std::wstring& Text);
// The extent of the text in the font selected into the device context; (0, 0) when it fails.
void WideGetTextExtent(HDC DC, const std::wstring& Text, SIZE& Size);
// The extent of the text in the canvas's font.
SIZE WideCanvasTextExtent(TCanvas* Canvas, const std::wstring& Text);
int WideCanvasTextWidth(TCanvas* Canvas, const std::wstring& Text);
int WideCanvasTextHeight(TCanvas* Canvas, const std::wstring& Text);

// The picture of the wide image: the library's picture under the Unicode layer's class.
class TUCodePicture : public TPicture {
  KX_CLASS(TUCodePicture, TPicture)
 public:
  TUCodePicture() = default;
};
