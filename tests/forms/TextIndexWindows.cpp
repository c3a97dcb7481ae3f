#include "TextIndexWindows.h"

#include "forms/u_design.h"
#include "forms/u_prog.h"
#include "forms/u_start.h"
#include "forms/u_szkriterien.h"
#include "forms/u_wortlisten.h"
#include "ucode/UCodeSystem.h"

namespace formstest {

TextIndexWindows::TextIndexWindows() {
  start = new Tstart(nullptr);
  // The start sequence would show the main window in the middle of a test.
  start->Timer1->SetEnabled(false);
  prog = new Tprog(nullptr);
  negliste = new Tnegliste(nullptr);
  posliste = new Tposliste(nullptr);
  szkriterien = new Tszkriterien(nullptr);
  design = new Tdesign(nullptr);
  PageNumbersRead = false;
}

TextIndexWindows::~TextIndexWindows() {
  if (m_free) {
    design->Free();
    szkriterien->Free();
    posliste->Free();
    negliste->Free();
    prog->Free();
    start->Free();
  }
  design = nullptr;
  szkriterien = nullptr;
  posliste = nullptr;
  negliste = nullptr;
  prog = nullptr;
  start = nullptr;
}

MessageBoxes::MessageBoxes() {
  m_previous = SetMessageBoxAnswerer([this](const TMessageBoxRequest& request) {
    texts.push_back(request.Text);
    captions.push_back(request.Caption);
    flags.push_back(request.Flags);
    return IDOK;
  });
}

MessageBoxes::~MessageBoxes() { SetMessageBoxAnswerer(m_previous); }

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t begin = 0;
  while (begin < text.size()) {
    size_t end = text.find("\r\n", begin);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(begin, end - begin));
    begin = end + 2;
  }
  return lines;
}

std::vector<std::string> Items(TStrings* items) {
  std::vector<std::string> lines;
  for (int i = 0; i < items->GetCount(); ++i) lines.push_back(items->Get(i));
  return lines;
}

std::wstring Wide(const std::string& text) { return StringToWideStringEx(text, 0); }
std::string Narrow(const std::wstring& text) { return WideStringToStringEx(text, 0); }

}  // namespace formstest
