// Wide text on a canvas.
#include "ucode/UCodeGraphics.h"

void WideGetTextExtent(HDC DC, const std::wstring& Text, SIZE& Size) {
  Size = SIZE{0, 0};
  GetTextExtentPoint32W(DC, Text.c_str(), static_cast<int>(Text.size()), &Size);
}

SIZE WideCanvasTextExtent(TCanvas* Canvas, const std::wstring& Text) {
  Canvas->RequiredState(csHandleValid | csFontValid);
  SIZE size;
  WideGetTextExtent(Canvas->GetHandle(), Text, size);
  return size;
}

int WideCanvasTextWidth(TCanvas* Canvas, const std::wstring& Text) {
  return WideCanvasTextExtent(Canvas, Text).cx;
}

int WideCanvasTextHeight(TCanvas* Canvas, const std::wstring& Text) {
  return WideCanvasTextExtent(Canvas, Text).cy;
}

void WideCanvasTextOut(TCanvas* Canvas, int X, int Y, const std::wstring& Text) {
  Canvas->Changing();
  Canvas->RequiredState(csHandleValid | csFontValid | csBrushValid);
  int width = WideCanvasTextWidth(Canvas, Text);
  if (Canvas->GetCanvasOrientation() == coRightToLeft) X += width + 1;
  ExtTextOutW(Canvas->GetHandle(), X, Y, static_cast<UINT>(Canvas->GetTextFlags()), nullptr,
              Text.c_str(), static_cast<UINT>(Text.size()), nullptr);
  Canvas->MoveTo(X + width, Y);
  Canvas->Changed();
}
