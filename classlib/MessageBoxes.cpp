// Message boxes.
#include "classlib/MessageBoxes.h"

#include <utility>

#include "classlib/SysUtils.h"

namespace {

TMessageBoxAnswerer& Answerer() {
  static TMessageBoxAnswerer answerer;
  return answerer;
}

}  // namespace

TMessageBoxAnswerer SetMessageBoxAnswerer(TMessageBoxAnswerer answerer) {
  TMessageBoxAnswerer previous = std::move(Answerer());
  Answerer() = std::move(answerer);
  return previous;
}

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
  if (Answerer()) return Answerer()(TMessageBoxRequest{owner, text, caption, flags, AnsiToWide(text), AnsiToWide(caption)});
  return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

int ShowMessageBoxW(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
  if (Answerer())
    return Answerer()(TMessageBoxRequest{owner, WideToAnsi(text), WideToAnsi(caption), flags, text, caption});
  return MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
}
