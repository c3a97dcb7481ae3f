// The windows of a text index run, made as the program makes them (not shown) and freed
// again, and message boxes answered by the test.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "classlib/Classes.h"
#include "classlib/CommonDialogs.h"
#include "classlib/Dialogs.h"
#include "classlib/StdCtrls.h"
#include "classlib/WebBrowser.h"
#include "ucode/UCodeRepStdCtrls.h"

namespace formstest {

class TextIndexWindows {
 public:
  TextIndexWindows();
  ~TextIndexWindows();
  TextIndexWindows(const TextIndexWindows&) = delete;
  TextIndexWindows& operator=(const TextIndexWindows&) = delete;
  // Windows that have been shown are left to the end of the process instead of being freed
  // (freeing a shown window costs Wine seconds without a window manager).
  void LeaveToProcessEnd() { m_free = false; }

 private:
  bool m_free = true;
};

// The windows of the file and keyword wizards besides those of the text index, with a
// recording stand-in for the browser.
class FileIndexWindows {
 public:
  FileIndexWindows();
  ~FileIndexWindows();
  FileIndexWindows(const FileIndexWindows&) = delete;
  FileIndexWindows& operator=(const FileIndexWindows&) = delete;
  void LeaveToProcessEnd();
  std::shared_ptr<TRecordingWebBrowserEngine::Log> log = std::make_shared<TRecordingWebBrowserEngine::Log>();

 private:
  TWebBrowserEngineFactory m_previous;
  std::unique_ptr<TextIndexWindows> m_windows;
  bool m_free = true;
};

// Answers every message box with OK and keeps its text and caption, and the screen's cursor
// while it asked, for its lifetime.
class MessageBoxes {
 public:
  MessageBoxes();
  ~MessageBoxes();
  std::vector<std::string> texts;
  std::vector<std::wstring> wideTexts;  // as the box shows them
  std::vector<std::string> captions;
  std::vector<unsigned> flags;
  std::vector<int> cursors;

 private:
  TMessageBoxAnswerer m_previous;
};

// The lines of a memo's or list's text (a wide text in its 8-bit form).
std::vector<std::string> Lines(const std::string& text);
std::vector<std::string> Lines(const std::wstring& text);
// The items of a list or combo box, in their 8-bit form.
std::vector<std::string> Items(TUCodeStrings* items);
// The 8-bit form of a wide control's text, and the wide form of an 8-bit text.
std::wstring Wide(const std::string& text);
std::string Narrow(const std::wstring& text);
// The UTF-8 bytes of a wide text, as the system encodes them (not the program's own encoder).
std::string Utf8(const std::wstring& text);
// The system's code page is the one the run asked for in KAPTORIX_CODE_PAGE (a Far-East one:
// the run "forms_far_east"), or any when it asked for none.
::testing::AssertionResult OnTheCodePageAsked();

// A click on the button as the system tells it: the notification to its parent window,
// handled at once.
void Click(TWinControl* button);
// The same, posted: handled by the next message loop that runs (a modal window's own).
void PostClick(TWinControl* button);
// The user picks item `index` of the combo box from its list.
void Pick(TComboBox* combo, int index);
// Characters typed into the window, each handled as the message loop handles it.
void Type(HWND window, const std::string& text);
// Lets the message loop handle what is waiting.
void Pump();

// A drop from the shell as Explorer makes it: wide names after a DROPFILES header, in movable
// global memory that the receiver frees.
HDROP MakeDrop(const std::vector<std::wstring>& names);
// The names dropped onto the window as the shell drops them, handled at once.
void DropOnto(TWinControl* target, const std::vector<std::wstring>& names);

// Answers the file dialogs in turn: a name confirmed or the dialog cancelled; records what
// each dialog showed.
class DialogAnswers {
 public:
  DialogAnswers() {
    m_previous = SetCommonDialogAnswerer([this](TCommonDialog& dialog) { return Answer(dialog); });
  }
  ~DialogAnswers() {
    SetCommonDialogAnswerer(m_previous);
    EXPECT_TRUE(m_answers.empty()) << m_answers.size() << " answers not asked for";
  }
  DialogAnswers& Choose(const std::string& name) {
    m_answers.push_back({true, name});
    return *this;
  }
  DialogAnswers& Cancel() {
    m_answers.push_back({false, std::string()});
    return *this;
  }
  std::vector<std::string> dialogs;   // the component names of the dialogs shown
  std::vector<std::string> filters;
  std::vector<std::string> proposed;  // the file names they were preset to

 private:
  struct Answer_ {
    bool confirm;
    std::string name;
  };
  bool Answer(TCommonDialog& dialog) {
    auto& files = dynamic_cast<TOpenDialog&>(dialog);
    dialogs.push_back(files.GetName());
    filters.push_back(files.GetFilter());
    proposed.push_back(files.GetFileName());
    if (m_answers.empty()) {
      ADD_FAILURE() << "unexpected dialog " << files.GetName();
      return false;
    }
    Answer_ answer = m_answers.front();
    m_answers.erase(m_answers.begin());
    if (answer.confirm) files.SetFileName(answer.name);
    return answer.confirm;
  }
  std::vector<Answer_> m_answers;
  TCommonDialogAnswerer m_previous;
};

// The user's temporary folder, as TMP and TEMP name it, for a scope; the program's temporary
// files are claimed there anew, and removed again at the end.
class TemporaryFolderAs {
 public:
  explicit TemporaryFolderAs(const std::wstring& folder);
  ~TemporaryFolderAs();
  TemporaryFolderAs(const TemporaryFolderAs&) = delete;
  TemporaryFolderAs& operator=(const TemporaryFolderAs&) = delete;

 private:
  std::wstring m_tmp, m_temp;
};

// The output encoding for a scope.
class OutputEncodingAs {
 public:
  OutputEncodingAs(int encoding, bool mark);
  ~OutputEncodingAs();
  OutputEncodingAs(const OutputEncodingAs&) = delete;
  OutputEncodingAs& operator=(const OutputEncodingAs&) = delete;
};

}  // namespace formstest
