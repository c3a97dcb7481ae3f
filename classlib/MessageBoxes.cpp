// Message boxes.
#include "classlib/MessageBoxes.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "classlib/SysUtils.h"

namespace {

TMessageBoxAnswerer& Answerer() {
  static TMessageBoxAnswerer answerer;
  return answerer;
}

// The owners of the message boxes open now, the innermost last.
std::vector<HWND>& OpenOwners() {
  static std::vector<HWND> owners;
  return owners;
}

// Counts a box as open for as long as it is shown, however its showing ends. Boxes are modal:
// the innermost closes first.
class TOpenBox {
 public:
  explicit TOpenBox(HWND owner) { OpenOwners().push_back(owner); }
  ~TOpenBox() { OpenOwners().pop_back(); }
  TOpenBox(const TOpenBox&) = delete;
  TOpenBox& operator=(const TOpenBox&) = delete;
};

}  // namespace

bool MessageBoxOpenFor(HWND owner) {
  const std::vector<HWND>& owners = OpenOwners();
  return std::find(owners.begin(), owners.end(), owner) != owners.end();
}

TMessageBoxAnswerer SetMessageBoxAnswerer(TMessageBoxAnswerer answerer) {
  TMessageBoxAnswerer previous = std::move(Answerer());
  Answerer() = std::move(answerer);
  return previous;
}

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
  const TOpenBox open(owner);
  if (Answerer()) return Answerer()(TMessageBoxRequest{owner, text, caption, flags, AnsiToWide(text), AnsiToWide(caption)});
  return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

int ShowMessageBoxW(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
  const TOpenBox open(owner);
  if (Answerer())
    return Answerer()(TMessageBoxRequest{owner, WideToAnsi(text), WideToAnsi(caption), flags, text, caption});
  return MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
}
