// The wide image, panel and splitter.
#include "ucode/UCodeExtCtrls.h"

#include "ucode/UCodeClasses.h"
#include "ucode/UCodeSysUtils.h"
#include "ucode/UCodeWindows.h"

namespace {

}  // namespace

// ---- image ----------------------------------------------------------------------------------

TUCodeImage::TUCodeImage(TComponent* owner) : TUCodeWideControl(owner) { ReplacePicture(new TUCodePicture); }

void TUCodeImage::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TUCodeImage>();
  DeclareWideHint(p);
}

void TUCodeImage::Dispatch(TMessage& message) {
  if (message.Msg == CM_HINTSHOW) WideHintShow(this, reinterpret_cast<THintInfo*>(message.LParam));
  ExtCtrls::TImage::Dispatch(message);
}

// ---- panel ----------------------------------------------------------------------------------

void TUCodeCustomPanel::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TUCodeCustomPanel>();
  DeclareWideHint(p);
}

void TUCodeCustomPanel::CreateWindowHandle(const TCreateParams& params) {
  CreateUnicodeHandle(this, params, std::wstring());
}

void TUCodeCustomPanel::Paint() {
  if (!Win32PlatformIsUnicode) {
    TCustomPanel::Paint();
    return;
  }
  RECT rect = GetClientRect();
  PaintBevelsAndBackground(rect);
  const std::wstring caption = WideGetControlText(this);
  PrepareCaptionCanvas();
  // A band one line high, centred in what the bevels leave.
  const int textHeight = WideCanvasTextHeight(FCanvas.get(), L"W");
  rect.top = (rect.top + rect.bottom - textHeight) / 2;
  rect.bottom = rect.top + textHeight;
  WideDrawText(FCanvas->GetHandle(), caption.c_str(), static_cast<int>(caption.size()), &rect,
               DrawTextBiDiModeFlags(DT_EXPANDTABS | DT_VCENTER | CaptionAlignmentFlag()));
}

void TUCodePanel::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TUCodePanel>();
  p.WideString("Caption", &TUCodePanel::GetCaption, &TUCodePanel::SetCaption,
               IsWideCaptionStored);
}

// ---- splitter -------------------------------------------------------------------------------

void TUCodeSplitter::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TUCodeSplitter>();
  DeclareWideHint(p);
}

void TUCodeSplitter::Dispatch(TMessage& message) {
  if (message.Msg == CM_HINTSHOW) WideHintShow(this, reinterpret_cast<THintInfo*>(message.LParam));
  ExtCtrls::TSplitter::Dispatch(message);
}
