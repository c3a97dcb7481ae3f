// Helpers for the window tests: message pumping, message boxes answered by the test, and a
// recorder that sits in a control's WindowProc chain.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "classlib/Controls.h"
#include "classlib/Dialogs.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"

namespace wintest {

// Handles every queued message (several rounds, so that posted follow-ups run too).
void Pump();

// Keys pressed and released, and characters typed, as the keyboard sends them to the window
// with the focus; the queue is then handled.
void PressKeys(std::initializer_list<WORD> keys);
void TypeChars(const std::wstring& text);
// A turn of the mouse wheel over the control, `delta` in the system's units (WHEEL_DELTA a step,
// negative towards the user), handled at once.
void Wheel(TWinControl* control, int delta);

// A PNG of RGB pixels (top row first), enough for the screenshots the tests leave.
std::string EncodePng(int width, int height, const std::vector<uint8_t>& rgb);
// `text` drawn by the system in `font`, black on white at (4, 4) of a picture of the size given:
// what a control's drawing of it must look like. Top row first, RGB.
std::vector<uint8_t> DrawnText(HFONT font, const std::wstring& text, int width, int height);
// The window's pixels as it shows on the screen, top row first, RGB.
std::vector<uint8_t> CaptureWindow(HWND wnd, int& width, int& height);

// How many pixels of the window on the screen a repaint of everything changes, once the window
// has painted what it asked for: none while every control shows its place as it stands.
int PixelsARepaintChanges(TWinControl* window);

// A new control of class C, owned by the form that holds `parent`, placed on `parent`.
template <class C>
C* PlaceOn(TWinControl* parent, int left, int top, int width, int height) {
  TWinControl* form = parent;
  while (form->GetParent()) form = form->GetParent();
  auto* control = new C(form);
  control->SetBounds(left, top, width, height);
  control->SetParent(parent);
  return control;
}

// The window's text read as wide text from the window itself.
std::wstring WideWindowText(HWND wnd);
// The text of tab `index` of a tab control, asked of its window in wide form.
std::wstring WideTabText(HWND tabs, int index);

// Answers every message box with `answer` and records what was asked, for its lifetime.
class MessageBoxCatcher {
 public:
  explicit MessageBoxCatcher(int answer = IDOK);
  ~MessageBoxCatcher();
  const std::vector<TMessageBoxRequest>& Requests() const { return m_requests; }

 private:
  std::vector<TMessageBoxRequest> m_requests;
  TMessageBoxAnswerer m_previous;
};

// Chains itself in front of a control's WindowProc and records the message numbers it sees.
class MessageRecorder : public TObject {
 public:
  explicit MessageRecorder(TControl* control);
  ~MessageRecorder() override;
  void Hook(TMessage& message);
  int Count(UINT msg) const;
  std::vector<TMessage> messages;

 private:
  TControl* m_control;
  TWndMethod m_previous;
};

// The label editor of a list view while one of its items is being renamed, else nullptr.
HWND LabelEditor(TWinControl* listView);

// Repaints the form that holds a windowless control and tells whether every pixel of the
// control on the screen shows `colour`.
bool ControlShowsOnly(TControl* control, COLORREF colour);

// Records the messages of the exceptions that reach the application's error handler (through
// the guard of a window procedure or another callback), for its lifetime.
class ErrorCatcher : public TObject {
 public:
  ErrorCatcher();
  ~ErrorCatcher() override;
  std::vector<std::string> errors;

 private:
  void Caught(TObject* sender, const std::exception& error);
};

// A wrapped label with an ellipsis (8-bit or wide) whose empty caption does not fit its height
// draws nothing, in every ellipsis mode, and raises no error; the same label draws `fitting`.
template <class Label, class Text>
void ExpectEmptyWrappedCaptionsDrawNothing(Label* label, const Text& fitting) {
  constexpr COLORREF kYellow = RGB(255, 255, 0);
  ErrorCatcher errors;
  label->SetAutoSize(false);
  label->SetWordWrap(true);
  label->SetTransparent(false);
  label->SetColor(kYellow);
  for (TEllipsisPosition mode : {epNone, epPathEllipsis, epEndEllipsis, epWordEllipsis}) {
    label->SetEllipsisPosition(mode);
    label->SetCaption(fitting);
    label->SetHeight(40);
    EXPECT_FALSE(ControlShowsOnly(label, kYellow)) << mode;
    label->SetCaption(Text());
    for (int height : {40, 1}) {
      label->SetHeight(height);
      EXPECT_TRUE(ControlShowsOnly(label, kYellow)) << mode << " " << height;
    }
  }
  EXPECT_TRUE(errors.errors.empty());
}

// The shown form that the tests share (destroying a shown top-level window costs Wine two
// seconds without a window manager); the components a test made on it are freed with this.
class ShownForm {
 public:
  ShownForm(int width = 400, int height = 300);
  ShownForm(const ShownForm&) = delete;
  ShownForm& operator=(const ShownForm&) = delete;
  ~ShownForm();
  TForm* operator->() const { return m_form; }
  TForm* Get() const { return m_form; }

 private:
  TForm* m_form;
};

}  // namespace wintest
