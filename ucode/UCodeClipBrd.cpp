#include "ucode/UCodeClipBrd.h"

#include <memory>

#include "classlib/ScopedHandles.h"
#include "ucode/UCodeSystem.h"

void TUCodeClipboard::SetAsWideText(const std::wstring& text) {
  ScopedOpening<TClipboard> opening(*this);
  SetAsText(WideStringToStringEx(text, DefaultSystemCodePage()));
  SetBuffer(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

TUCodeClipboard* WideClipboard() {
  static std::unique_ptr<TUCodeClipboard> instance;
  if (!instance) instance = std::make_unique<TUCodeClipboard>();
  return instance.get();
}
