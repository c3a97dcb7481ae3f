#include "TextIndexWindows.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdlib>

#include "engine/u_TempFiles.h"
#include "engine/u_WideFuncText.h"
#include "support/TestSupport.h"

#include "forms/u_design.h"
#include "forms/u_edittxt.h"
#include "forms/u_edittxt2idx.h"
#include "forms/u_editwortlisten.h"
#include "forms/u_einstausgabe.h"
#include "forms/u_hdesign.h"
#include "forms/u_quhopt.h"
#include "forms/u_sdesign.h"
#include "forms/u_textdesign.h"
#include "forms/u_prog.h"
#include "classlib/Forms.h"
#include "forms/u_start.h"
#include "forms/u_szbearbeiten.h"
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
  szbearbeiten = new Tszbearbeiten(nullptr);
  design = new Tdesign(nullptr);
  editneg = new Teditneg(nullptr);
  editpos = new Teditpos(nullptr);
  edittxt2idx = new Tedittxt2idx(nullptr);
  edittxt = new Tedittxt(nullptr);
  PageNumbersRead = false;
}

TextIndexWindows::~TextIndexWindows() {
  if (m_free) {
    edittxt->Free();
    edittxt2idx->Free();
    editpos->Free();
    editneg->Free();
    design->Free();
    szbearbeiten->Free();
    szkriterien->Free();
    posliste->Free();
    negliste->Free();
    prog->Free();
    start->Free();
  }
  edittxt = nullptr;
  edittxt2idx = nullptr;
  editpos = nullptr;
  editneg = nullptr;
  design = nullptr;
  szbearbeiten = nullptr;
  szkriterien = nullptr;
  posliste = nullptr;
  negliste = nullptr;
  prog = nullptr;
  start = nullptr;
}

FileIndexWindows::FileIndexWindows() {
  m_previous = SetWebBrowserEngineFactory([log = log] { return std::make_unique<TRecordingWebBrowserEngine>(log, true); });
  m_windows = std::make_unique<TextIndexWindows>();
  quhopt = new Tquhopt(nullptr);
  hdesign = new Thdesign(nullptr);
  textdesign = new Ttextdesign(nullptr);
  sdesign = new Tsdesign(nullptr);
  einstausgabe = new Teinstausgabe(nullptr);
  start->spr->SetCaption("de");
}

void FileIndexWindows::LeaveToProcessEnd() {
  m_free = false;
  m_windows->LeaveToProcessEnd();
}

FileIndexWindows::~FileIndexWindows() {
  if (m_free)
    for (TForm* form : std::initializer_list<TForm*>{einstausgabe, sdesign, textdesign, hdesign, quhopt}) form->Free();
  quhopt = nullptr;
  hdesign = nullptr;
  textdesign = nullptr;
  sdesign = nullptr;
  einstausgabe = nullptr;
  m_windows.reset();
  SetWebBrowserEngineFactory(m_previous);
}

MessageBoxes::MessageBoxes() {
  m_previous = SetMessageBoxAnswerer([this](const TMessageBoxRequest& request) {
    texts.push_back(request.Text);
    wideTexts.push_back(request.WideText);
    captions.push_back(request.Caption);
    flags.push_back(request.Flags);
    cursors.push_back(Screen->GetCursor());
    return IDOK;
  });
}

MessageBoxes::~MessageBoxes() { SetMessageBoxAnswerer(m_previous); }

namespace {

void Notify(TWinControl* control, WORD code, bool post) {
  HWND window = control->GetHandle();
  const WPARAM wParam = MAKEWPARAM(GetDlgCtrlID(window), code);
  if (post) PostMessageA(GetParent(window), WM_COMMAND, wParam, reinterpret_cast<LPARAM>(window));
  else SendMessageA(GetParent(window), WM_COMMAND, wParam, reinterpret_cast<LPARAM>(window));
}

}  // namespace

void Click(TWinControl* button) { Notify(button, BN_CLICKED, false); }

HDROP MakeDrop(const std::vector<std::wstring>& names) {
  std::wstring block;
  for (const std::wstring& name : names) block += name + L'\0';
  block += L'\0';
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + block.size() * sizeof(wchar_t));
  auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
  files->pFiles = sizeof(DROPFILES);
  files->fWide = TRUE;
  std::copy(block.begin(), block.end(), reinterpret_cast<wchar_t*>(files + 1));
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

void DropOnto(TWinControl* target, const std::vector<std::wstring>& names) {
  SendMessageW(target->GetHandle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(names)), 0);
}
void PostClick(TWinControl* button) { Notify(button, BN_CLICKED, true); }

void Pick(TComboBox* combo, int index) {
  SendMessageA(combo->GetHandle(), CB_SETCURSEL, index, 0);
  Notify(combo, CBN_SELCHANGE, false);
}

void Type(HWND window, const std::string& text) {
  for (char c : text) PostMessageA(window, WM_CHAR, static_cast<unsigned char>(c), 1);
  Pump();
}

void Pump() {
  for (int round = 0; round < 3; ++round) Application->ProcessMessages();
}

std::vector<std::string> Lines(const std::string& text) { return testsupport::Lines(text); }

std::vector<std::string> Lines(const std::wstring& text) { return Lines(Narrow(text)); }

std::vector<std::string> Items(TUCodeStrings* items) {
  std::vector<std::string> lines;
  for (int i = 0; i < items->GetCount(); ++i) lines.push_back(Narrow(items->Get(i)));
  return lines;
}

std::wstring Wide(const std::string& text) { return StringToWideStringEx(text, 0); }
std::string Narrow(const std::wstring& text) { return WideStringToStringEx(text, 0); }

std::string Utf8(const std::wstring& text) {
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr, nullptr);
  return bytes;
}

::testing::AssertionResult OnTheCodePageAsked() {
  const char* asked = std::getenv("KAPTORIX_CODE_PAGE");
  if (!asked || GetACP() == std::strtoul(asked, nullptr, 10)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the system's code page is " << GetACP() << ", not " << asked;
}

namespace {

std::wstring EnvironmentVariable(const wchar_t* name) {
  std::wstring value(GetEnvironmentVariableW(name, nullptr, 0), L'\0');
  value.resize(GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size())));
  return value;
}

}  // namespace

TemporaryFolderAs::TemporaryFolderAs(const std::wstring& folder)
    : m_tmp(EnvironmentVariable(L"TMP")), m_temp(EnvironmentVariable(L"TEMP")) {
  DeleteTempFiles();
  SetEnvironmentVariableW(L"TMP", folder.c_str());
  SetEnvironmentVariableW(L"TEMP", folder.c_str());
}

TemporaryFolderAs::~TemporaryFolderAs() {
  DeleteTempFiles();
  SetEnvironmentVariableW(L"TMP", m_tmp.c_str());
  SetEnvironmentVariableW(L"TEMP", m_temp.c_str());
}

OutputEncodingAs::OutputEncodingAs(int encoding, bool mark) {
  OutputEncoding().SetEncoding(encoding);
  OutputEncoding().SetWithBOM(mark);
}

OutputEncodingAs::~OutputEncodingAs() { OutputEncoding().Reset(); }

}  // namespace formstest
