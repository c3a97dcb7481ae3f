#include "forms/u_konfig.h"

#include "classlib/ExtCtrls.h"
#include "ucode/UCodeRepMenus.h"
#include "classlib/ScopedHandles.h"
#include "classlib/StdCtrls.h"
#include "engine/u_FileErrors.h"
#include "engine/u_TempFiles.h"
#include "forms/u_design.h"
#include "forms/u_edittxt.h"
#include "forms/u_edittxt2idx.h"
#include "forms/u_editwortlisten.h"
#include "forms/u_einstausgabe.h"
#include "forms/u_hdesign.h"
#include "forms/u_indexhinzu.h"
#include "forms/u_prog.h"
#include "forms/u_quhopt.h"
#include "forms/u_sdesign.h"
#include "forms/u_start.h"
#include "forms/u_szbearbeiten.h"
#include "forms/u_szkriterien.h"
#include "forms/u_textdesign.h"
#include "forms/u_textix.h"
#include "forms/u_wortlisten.h"
#include "ucode/UCodeClasses.h"
#include "ucode/UCodeControls.h"
#include "ucode/UCodeIniFiles.h"
#include "ucode/UCodeRepExtCtrls.h"
#include "ucode/UCodeStdCtrls.h"
#include "ucode/UCodeSysUtils.h"
#include "ucode/UCodeSystem.h"
#include "ucode/UCodeWindows.h"

#include <algorithm>
#include <map>
#include <memory>
#include <tuple>

std::wstring StartConfigurationFolder;

std::wstring StartConfigurationPath() {
  return (StartConfigurationFolder.empty() ? ProgramFolder() : StartConfigurationFolder) + L"Auto.qcfg";
}

const std::vector<TConfigWindow>& ConfigWindows() {
  static const std::vector<TConfigWindow> windows = {
      {L"PB", [] { return static_cast<TForm*>(prog); }},
      {L"DS", [] { return static_cast<TForm*>(design); }},
      {L"EN", [] { return static_cast<TForm*>(editneg); }},
      {L"EP", [] { return static_cast<TForm*>(editpos); }},
      {L"ET", [] { return static_cast<TForm*>(edittxt); }},
      {L"EI", [] { return static_cast<TForm*>(edittxt2idx); }},
      {L"EA", [] { return static_cast<TForm*>(einstausgabe); }},
      {L"HD", [] { return static_cast<TForm*>(hdesign); }},
      {L"IH", [] { return static_cast<TForm*>(indexhinzu); }},
      {L"NL", [] { return static_cast<TForm*>(negliste); }},
      {L"PL", [] { return static_cast<TForm*>(posliste); }},
      {L"QO", [] { return static_cast<TForm*>(quhopt); }},
      {L"SD", [] { return static_cast<TForm*>(sdesign); }},
      {L"SB", [] { return static_cast<TForm*>(szbearbeiten); }},
      {L"SK", [] { return static_cast<TForm*>(szkriterien); }},
      {L"TD", [] { return static_cast<TForm*>(textdesign); }},
  };
  return windows;
}

std::wstring ConfigControlCode(TComponent* component) {
  if (dynamic_cast<TEdit*>(component) || dynamic_cast<TUCodeEdit*>(component)) return L"ED";
  if (dynamic_cast<TComboBox*>(component) || dynamic_cast<TUCodeComboBox*>(component)) return L"CB";
  if (dynamic_cast<TRadioButton*>(component)) return L"RB";
  if (dynamic_cast<TCheckBox*>(component)) return L"CH";
  if (dynamic_cast<TScrollBar*>(component)) return L"SB";
  if (dynamic_cast<TPanel*>(component)) return L"PA";
  if (dynamic_cast<TLabeledEdit*>(component)) return L"LE";
  return std::wstring();
}

namespace {

std::wstring Widen(const std::string& text) { return StringToWideStringEx(text, CP_ACP); }
std::string Narrow(const std::wstring& text) { return WideStringToStringEx(text, CP_ACP); }

std::wstring WName(TComponent* component) { return Widen(component->GetName()); }

bool IsChecked(TComponent* component) {
  if (auto* radio = dynamic_cast<TRadioButton*>(component)) return radio->GetChecked();
  return static_cast<TCheckBox*>(component)->GetChecked();
}

void SetChecked(TComponent* component, bool value) {
  if (auto* radio = dynamic_cast<TRadioButton*>(component)) return radio->SetChecked(value);
  static_cast<TCheckBox*>(component)->SetChecked(value);
}

// The stored value of a component of the given kind, as text.
std::wstring ValueOf(TComponent* component, const std::wstring& code) {
  if (code == L"ED" || code == L"CB") return WideGetControlText(static_cast<TControl*>(component));
  if (code == L"RB" || code == L"CH") return IsChecked(component) ? L"1" : L"0";
  if (code == L"SB") return std::to_wstring(static_cast<TScrollBar*>(component)->GetPosition());
  if (code == L"PA") return static_cast<TControl*>(component)->GetVisible() ? L"1" : L"0";
  return Widen(static_cast<TLabeledEdit*>(component)->GetText());  // LE
}

// The handler that putting a value into the component would run.
TNotifyEvent* HandlerOf(TComponent* component, const std::wstring& code) {
  if (code == L"RB" || code == L"CH") return &static_cast<TControl*>(component)->OnClick;
  if (code == L"ED" || code == L"LE") {
    if (auto* edit = dynamic_cast<TCustomEdit*>(component)) return &edit->OnChange;
  }
  if (code == L"CB") {
    if (auto* box = dynamic_cast<TCustomComboBox*>(component)) return &box->OnChange;
  }
  if (code == L"SB") return &static_cast<TScrollBar*>(component)->OnChange;
  return nullptr;
}

// Puts a value into a component; the ini reader's defaults make a missing key the current value.
void Assign(TComponent* component, const std::wstring& code, TUCodeCustomIniFile& ini, const std::wstring& section) {
  const std::wstring ident = WName(component);
  if (code == L"ED" || code == L"CB") {
    auto* control = static_cast<TControl*>(component);
    const std::wstring value = ini.ReadString(section, ident, WideGetControlText(control));
    if (value != WideGetControlText(control)) WideSetControlText(control, value);
  } else if (code == L"RB" || code == L"CH") {
    SetChecked(component, ini.ReadBool(section, ident, IsChecked(component)));
  } else if (code == L"SB") {
    auto* bar = static_cast<TScrollBar*>(component);
    bar->SetPosition(ini.ReadInteger(section, ident, bar->GetPosition()));
  } else if (code == L"PA") {
    auto* panel = static_cast<TControl*>(component);
    panel->SetVisible(ini.ReadBool(section, ident, panel->GetVisible()));
  } else {
    auto* edit = static_cast<TLabeledEdit*>(component);
    const std::string value = Narrow(ini.ReadString(section, ident, Widen(edit->GetText())));
    if (value != edit->GetText()) edit->SetText(value);
  }
}

// The main window's caption at this place can be reached on a monitor: it lies within the
// monitor's work area from top to bottom, and enough of its width to take hold of it does too.
bool CaptionOnScreen(int left, int top, int width) {
  const int captionHeight = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
  RECT caption = {left, top, left + width, top + captionHeight};
  HMONITOR monitor = MonitorFromRect(&caption, MONITOR_DEFAULTTONULL);
  if (!monitor) return false;
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return false;
  RECT common;
  if (!IntersectRect(&common, &caption, &info.rcWork)) return false;
  const int grip = std::min(width, 4 * GetSystemMetrics(SM_CXSIZE));
  return common.top == caption.top && common.bottom == caption.bottom && common.right - common.left >= grip;
}

// The order of the keys in the sections, as files of this program have always held them. It
// decides which of two radio buttons of one group, both set by hand in a file, stays checked:
// the later one.
const std::map<std::wstring, std::vector<std::string>>& KeyOrder() {
  static const std::map<std::wstring, std::vector<std::string>> order = {
      {L"PBED", {"squpfad", "edit_quelle", "sz_beginn", "qudatei"}},
      {L"PBCB", {"stw_max", "kt_max", "dkt_max"}},
      {L"PBRB", {"qu_datei", "qu_text", "sz_zeilezuseite", "sz_auslesen", "htmlindex", "textindex"}},
      {L"PBCH", {"squdocsearch", "stw_kleinraus", "stw_grossraus", "stw_htmlraus", "stw_maxl", "stw_zahlenraus",
                 "stw_neg", "stw_pos", "stw_design", "stw_doppelt", "stw_zus", "stw_untereinander",
                 "stw_alphabetisch", "Zeilenumbruch", "kt_kleineraus", "kt_grosseraus", "kt_maxl", "kt_zahlen",
                 "kt_negativliste", "kt_positivliste", "kt_keinedoppeltenseiten", "kt_zusdoppelt", "kt_integrieren",
                 "kt_design", "kt_zusammen", "la", "dkt_kleineraus", "dkt_grosseraus", "htmlraus", "dkt_maxl",
                 "dkt_zahlenraus", "dkt_negativliste", "dkt_positivliste", "dkt_design", "dkt_keinedoppeltenseiten",
                 "dkt_zusdoppelt", "dkt_integrieren", "dkt_zusammen"}},
      {L"PBPA", {"rand", "pgstw", "pstw", "Panel7", "Panel8", "pgtxt", "ptxt", "Panel1", "Panel2", "pgdateien",
                 "pdateien", "Panel5", "Panel6", "pstart", "pstart_de", "pinfo", "pinfo_de", "Panel3", "Panel4",
                 "pinfo_en", "Panel10", "Panel9"}},
      {L"DSCH", {"dabsatz_abc", "kt_alphabet"}},
      {L"DSLE", {"dsep", "dzw", "ub"}},
      {L"ENCB", {"wahl"}},
      {L"ENCH", {"sitzung"}},
      {L"EPCB", {"wahl"}},
      {L"EPCH", {"sitzung"}},
      {L"ETCH", {"cb_l2skeinedoppelt", "curaut", "Zeilenumbruch"}},
      {L"ETLE", {"l2sstart", "cursak", "zes", "zez", "vor", "nach"}},
      {L"EIED", {"bentf", "zwsl"}},
      {L"EICB", {"lentf"}},
      {L"EIRB", {"zus_eintrag", "zus_seite", "zus_auslassen", "sl", "ls"}},
      {L"EICH", {"cb_linksvorhanden", "cb_deletetxt", "cb_deleteidx"}},
      {L"EIPA", {"Panel1", "Panel2", "Panel3", "Panel4"}},
      {L"EILE", {"zws", "zwes"}},
      {L"EAED", {"Edit1"}},
      {L"EARB", {"rb_ansi", "rb_utf7", "rb_utf8", "rb_beibehalten", "rb_utf7ansi", "rb_utf16le", "rb_utf_be",
                 "rb_utf32le", "rb_utf32be", "rb_utf8bom"}},
      {L"EACH", {"jazubom"}},
      {L"HDED", {"farbe_text", "farbe_links", "farbe_hg"}},
      {L"HDCB", {"schriftart", "ft1", "ft2", "ftt"}},
      {L"HDCH", {"kt_alphabet", "linkleiste"}},
      {L"HDPA", {"pafa_text", "pafa_links", "pafa_hg"}},
      {L"HDLE", {"LinkTrenner", "breite_all", "breite_links", "breite_rechts", "breite_top", "abs_linksrechts",
                 "abs_zwabschnitt", "abs_obenunten", "abs_zwtext", "htmltitel", "Ueberschrift"}},
      {L"IHED", {"edit_quelle"}},
      {L"QORB", {"rb1", "rb2", "rb3"}},
      {L"QOCH", {"doppelteweg", "dadweitere", "endungenweg", "namengross"}},
      {L"SDCH", {"bez", "dateiname", "leerzeile"}},
      {L"SDLE", {"zwe", "zw", "v", "zwdl", "ne"}},
      {L"SBLE", {"ed1", "ed2"}},
      {L"SKED", {"sz_bwdefs", "sz_zeichen"}},
      {L"SKCB", {"sz_laenge", "cb_pluswert"}},
      {L"SKRB", {"sz_bwstandard", "sz_bwdef", "posueber", "posunter"}},
      {L"SKCH", {"sz_nurzahl", "sz_kuerzen", "sz_zeichbeginn", "sz_zeichenweg", "cb_plus"}},
      {L"TDCH", {"kt_alphabet", "namen", "links"}},
      {L"TDLE", {"s", "es", "b", "bl", "l", "titel"}},
  };
  return order;
}

struct TStoredOption {
  TComponent* Component;
  std::wstring Code;
  std::wstring Section;
  // Place in the file: the kind's section, the key's place in it, the component's own order.
  std::tuple<size_t, size_t, int> Place;
};

// A window's stored components in the order of the file: the sections in the order of the
// kinds, within a section the known keys in their order, then any other component of that kind
// in the window's component order.
std::vector<TStoredOption> StoredOptions(TForm* window, const std::wstring& windowCode) {
  static const std::vector<std::wstring> kKinds = {L"ED", L"CB", L"RB", L"CH", L"SB", L"PA", L"LE"};
  std::vector<TStoredOption> options;
  for (int i = 0; i < window->GetComponentCount(); ++i) {
    TComponent* component = window->GetComponent(i);
    const std::wstring code = ConfigControlCode(component);
    if (code.empty()) continue;
    const std::wstring section = windowCode + code;
    size_t rank = 0;
    const auto known = KeyOrder().find(section);
    if (known != KeyOrder().end()) {
      const auto& keys = known->second;
      rank = static_cast<size_t>(std::find(keys.begin(), keys.end(), component->GetName()) - keys.begin());
    }
    const size_t kind = static_cast<size_t>(std::find(kKinds.begin(), kKinds.end(), code) - kKinds.begin());
    options.push_back({component, code, section, {kind, rank, i}});
  }
  std::sort(options.begin(), options.end(),
            [](const TStoredOption& a, const TStoredOption& b) { return a.Place < b.Place; });
  return options;
}

// Calls visit(component, code, section) for every stored component of every window, in the
// order of the file.
template <class Visit>
void ForEachOption(Visit visit) {
  for (const TConfigWindow& row : ConfigWindows()) {
    TForm* window = row.Window();
    if (!window) continue;
    for (const TStoredOption& option : StoredOptions(window, row.Code))
      visit(option.Component, option.Code, option.Section);
  }
}

// Keeps a component's handler from running while its value is put in, and gives it back.
class THandlerPause {
 public:
  explicit THandlerPause(TNotifyEvent* handler) : FHandler(handler) {
    if (!handler) return;
    FKept = *handler;
    *handler = nullptr;
  }
  ~THandlerPause() {
    if (FHandler) *FHandler = FKept;
  }
  THandlerPause(const THandlerPause&) = delete;
  THandlerPause& operator=(const THandlerPause&) = delete;
  const TNotifyEvent& Kept() const { return FKept; }

 private:
  TNotifyEvent* FHandler;
  TNotifyEvent FKept;
};

// The main window's stored state or place and size, each applied only where it can be seen.
void ApplyPlace(TUCodeCustomIniFile& ini, bool atStartUp) {
  if (ini.ReadBool(L"SP", L"PF", prog->GetWindowState() == wsMaximized)) {
    if (!atStartUp) prog->SetLeft(0);
    prog->SetTop(0);
    return;
  }
  const int width = ini.ReadInteger(L"SP", L"PB", prog->GetClientWidth());
  const int height = ini.ReadInteger(L"SP", L"PH", prog->GetClientHeight());
  const int top = ini.ReadInteger(L"SP", L"PT", prog->GetTop());
  const int left = ini.ReadInteger(L"SP", L"PL", prog->GetLeft());
  // A size smaller than the window's design leaves part of it out of reach, down to a sliver
  // (a file may hold any number, a negative one too): such a size is passed over, as one
  // beyond the screen is.
  if (width >= prog->DesignClientWidth() && width <= Screen->GetWidth()) prog->SetClientWidth(width);
  if (height >= prog->DesignClientHeight() && height <= Screen->GetHeight()) prog->SetClientHeight(height);
  // A place saved while the window was minimised, or on a monitor that is gone, would put
  // the window where nobody can reach it.
  if (top <= Screen->GetHeight() && left <= Screen->GetWidth() && CaptionOnScreen(left, top, prog->GetWidth()))
    prog->SetBounds(left, top, prog->GetWidth(), prog->GetHeight());
}

// The file's bytes; false when there is no such file. Any other failure raises the file's open
// error with the system's reason.
bool ReadWholeFile(const std::wstring& fileName, std::string& bytes) {
  try {
    TUCodeFileStream stream(fileName, fmOpenRead | fmShareDenyNone);
    bytes.assign(static_cast<size_t>(stream.GetSize()), '\0');
    if (!bytes.empty()) stream.ReadBuffer(bytes.data(), static_cast<int>(bytes.size()));
    return true;
  } catch (const EFOpenError& error) {
    if (error.GetErrorCode() == ERROR_FILE_NOT_FOUND || error.GetErrorCode() == ERROR_PATH_NOT_FOUND) return false;
    throw;
  }
}

// Puts the bytes into the file in place of its own: a missing file is made, an existing one
// keeps its attributes and rights, and a read-only one is refused (the system would let an
// administrator write it under Wine). Raises the file's save error with the system's reason.
void WriteWholeFile(const std::wstring& fileName, const std::string& bytes) {
  const DWORD attributes = WideFileGetAttr(fileName);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
    RaiseFileError(TFileAction::Save, fileName, ERROR_ACCESS_DENIED);
  const HANDLE file = WideCreateFile(fileName.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) RaiseFileError(TFileAction::Save, fileName, GetLastError());
  const ScopeExit closing([file] { CloseHandle(file); });
  DWORD written = 0;
  if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
    RaiseFileError(TFileAction::Save, fileName, GetLastError());
  if (written != bytes.size()) RaiseFileError(TFileAction::Save, fileName, ERROR_DISK_FULL);
  if (!SetEndOfFile(file)) RaiseFileError(TFileAction::Save, fileName, GetLastError());
}

// The configuration file as the system's profile functions work on it: a copy under a short
// name in the temporary folder. The profile functions take no name of 260 characters or more
// (not even in its extended form), and they write key by key, so that a save that fails on the
// way would leave a file half written; the copy takes any path and reaches the file whole, in
// one write, or not at all. The copy holds the file's own bytes, so the file keeps its encoding
// and every key that a save does not touch.
class TWorkingCopy {
 public:
  // Copies the file; a file that is not there yet is an empty text, UTF-16 LE with its mark
  // where the system takes wide text. A file that is there but cannot be read raises its open
  // error.
  explicit TWorkingCopy(const std::wstring& fileName) : FFileName(fileName) {
    FExisted = ReadWholeFile(fileName, FBefore);
    const std::string bytes = FExisted || !Win32PlatformIsUnicode ? FBefore : std::string("\xFF\xFE");
    WriteWholeFile(TempFileName(TTempFile::Configuration), bytes);
  }
  ~TWorkingCopy() {
    try {
      DeleteTempFile(TTempFile::Configuration);
    } catch (const std::exception&) {
      // Left for the deletion of the temporary files when the program ends.
    }
  }
  TWorkingCopy(const TWorkingCopy&) = delete;
  TWorkingCopy& operator=(const TWorkingCopy&) = delete;

  std::wstring Name() const { return TempFileName(TTempFile::Configuration); }

  // Puts what the copy holds now into the file. When that fails, a file that was not there is
  // removed again and one that was gets its former bytes back; the failure passes on.
  void Store() {
    std::string bytes;
    ReadWholeFile(Name(), bytes);
    try {
      WriteWholeFile(FFileName, bytes);
    } catch (const std::exception&) {
      if (!FExisted)
        WideDeleteFile(FFileName.c_str());
      else
        RestoreFormerBytes();
      throw;
    }
  }

 private:
  void RestoreFormerBytes() noexcept {
    try {
      WriteWholeFile(FFileName, FBefore);
    } catch (const std::exception&) {
      // The reason the save failed is the one to tell.
    }
  }

  std::wstring FFileName;
  bool FExisted = false;
  std::string FBefore;
};

// A write refused in the working copy is told as a failure to save the file itself.
template <class Write>
void WriteInto(const std::wstring& fileName, TWorkingCopy& copy, Write write) {
  try {
    TUCodeIniFile ini(copy.Name());
    write(ini);
  } catch (const EStreamError& error) {
    RaiseFileError(TFileAction::Save, fileName, error.GetErrorCode());
  }
  copy.Store();
}

struct TChangedOption {
  TComponent* Component;
  TNotifyEvent Handler;
};

// The message about what a handler could not do: a file that could not be read names that file
// (for the source edit the file it names), anything else tells its reason.
std::wstring HandlerFailureMessage(const std::exception& error, TComponent* component) {
  const std::string language = LanguageCode();
  const auto* fileError = dynamic_cast<const EStreamError*>(&error);
  auto* edit = dynamic_cast<TCustomEdit*>(component);
  if (edit && (!fileError || fileError->GetFileName().empty()))
    return FileErrorMessage(TFileAction::Open, WideGetControlText(edit), ErrorReason(error, language), language);
  return ErrorMessage(error, language);
}

// Runs the handlers of the options that the load changed, each on its own: one that fails (the
// source edit's, say, when another program holds the text it names) keeps none of the others
// from running. What failed, as one text; empty when nothing did.
std::wstring RunHandlers(const std::vector<TChangedOption>& changed) {
  std::wstring failures;
  for (const TChangedOption& entry : changed) {
    try {
      entry.Handler(entry.Component);
    } catch (const EAbort&) {
    } catch (const std::exception& error) {
      failures += (failures.empty() ? L"" : L"\r\n\r\n") + HandlerFailureMessage(error, entry.Component);
    }
  }
  return failures;
}

// The index to extend that the load's index source made the text wizard's; empty when the
// source did not change or names no index that could be read.
std::wstring IndexChosenBy(const std::vector<TChangedOption>& changed) {
  if (!indexhinzu || !indexhinzu->edit_quelle) return {};
  const bool sourceChanged = std::any_of(changed.begin(), changed.end(), [](const TChangedOption& entry) {
    return entry.Component == indexhinzu->edit_quelle;
  });
  const std::wstring source = indexhinzu->edit_quelle->GetText();
  return sourceChanged && !source.empty() && prog->kt_index->GetCaption() == source ? source : std::wstring();
}

}  // namespace

std::wstring ConfigurationPath(const std::wstring& fileName) {
  const std::wstring path = WideExpandFileName(fileName);
  return path.empty() ? fileName : path;
}

void SaveConfiguration(const std::wstring& name) {
  const std::wstring fileName = ConfigurationPath(name);
  TWorkingCopy copy(fileName);
  WriteInto(fileName, copy, [](TUCodeIniFile& ini) {
    ForEachOption([&](TComponent* component, const std::wstring& code, const std::wstring& section) {
      ini.WriteString(section, WName(component), ValueOf(component, code));
    });
    ini.WriteBool(L"SP", L"PF", prog->GetWindowState() == wsMaximized);
    ini.WriteInteger(L"SP", L"PB", prog->GetClientWidth());
    ini.WriteInteger(L"SP", L"PH", prog->GetClientHeight());
    ini.WriteInteger(L"SP", L"PT", prog->GetTop());
    ini.WriteInteger(L"SP", L"PL", prog->GetLeft());
    ini.WriteBool(L"AS", L"N", prog->m_konfig_autosave_nie->GetChecked());
    ini.WriteBool(L"AS", L"A", prog->m_konfig_autosave_alles->GetChecked());
  });
}

void LoadConfiguration(const std::wstring& name, bool atStartUp) {
  const std::wstring fileName = ConfigurationPath(name);
  std::vector<TChangedOption> changed;
  {
    const TWorkingCopy copy(fileName);
    TUCodeIniFile ini(copy.Name());
    ForEachOption([&](TComponent* component, const std::wstring& code, const std::wstring& section) {
      const THandlerPause pause(HandlerOf(component, code));
      const std::wstring before = ValueOf(component, code);
      Assign(component, code, ini, section);
      if (pause.Kept() && ValueOf(component, code) != before) changed.push_back({component, pause.Kept()});
    });
    ApplyPlace(ini, atStartUp);
    prog->m_konfig_autosave_nie->SetChecked(ini.ReadBool(L"AS", L"N", prog->m_konfig_autosave_nie->GetChecked()));
    prog->m_konfig_autosave_alles->SetChecked(
        ini.ReadBool(L"AS", L"A", prog->m_konfig_autosave_alles->GetChecked()));
  }
  const std::wstring failures = RunHandlers(changed);
  const std::wstring chosenIndex = IndexChosenBy(changed);
  // The panels shown may have changed with the options.
  PressSideBarButtonOfPanel();
  prog->sprachealles();
  // The language resets the text wizard's index label; an index that this very file chose
  // stays chosen, or the option to extend would stand ticked without an index.
  if (!chosenIndex.empty()) prog->kt_index->SetCaption(chosenIndex);
  // Every value of the file has taken effect; what an option names and could not be read is
  // told once, after the language is right again.
  if (!failures.empty()) TellUser(failures, MB_ICONERROR);
}

namespace {

struct TFactoryValue {
  const wchar_t* Window;
  const char* Name;
  const wchar_t* Value;  // "1"/"0" for check boxes and radio buttons
};

const std::vector<TFactoryValue>& FactoryValues() {
  static const std::vector<TFactoryValue> values = {
      {L"PB", "squpfad", L""}, {L"PB", "edit_quelle", L""}, {L"PB", "sz_beginn", L"1"}, {L"PB", "qudatei", L""},
      {L"PB", "squdocsearch", L"1"}, {L"PB", "stw_kleinraus", L"1"}, {L"PB", "stw_grossraus", L"0"},
      {L"PB", "stw_htmlraus", L"1"}, {L"PB", "stw_maxl", L"1"}, {L"PB", "stw_zahlenraus", L"1"},
      {L"PB", "stw_neg", L"1"}, {L"PB", "stw_pos", L"0"}, {L"PB", "stw_design", L"0"},
      {L"PB", "stw_doppelt", L"1"}, {L"PB", "stw_zus", L"1"}, {L"PB", "stw_untereinander", L"0"},
      {L"PB", "stw_alphabetisch", L"1"}, {L"PB", "Zeilenumbruch", L"1"}, {L"PB", "kt_kleineraus", L"1"},
      {L"PB", "kt_grosseraus", L"0"}, {L"PB", "kt_maxl", L"1"}, {L"PB", "kt_zahlen", L"1"},
      {L"PB", "kt_negativliste", L"1"}, {L"PB", "kt_positivliste", L"0"},
      {L"PB", "kt_keinedoppeltenseiten", L"1"}, {L"PB", "kt_zusdoppelt", L"1"}, {L"PB", "kt_integrieren", L"0"},
      {L"PB", "kt_design", L"0"}, {L"PB", "kt_zusammen", L"1"}, {L"PB", "la", L"1"},
      {L"PB", "dkt_kleineraus", L"1"}, {L"PB", "dkt_grosseraus", L"0"}, {L"PB", "htmlraus", L"1"},
      {L"PB", "dkt_maxl", L"1"}, {L"PB", "dkt_zahlenraus", L"1"}, {L"PB", "dkt_negativliste", L"1"},
      {L"PB", "dkt_positivliste", L"0"}, {L"PB", "dkt_design", L"0"}, {L"PB", "dkt_keinedoppeltenseiten", L"1"},
      {L"PB", "dkt_zusdoppelt", L"1"}, {L"PB", "dkt_integrieren", L"0"}, {L"PB", "dkt_zusammen", L"1"},
      {L"PB", "stw_max", L"3"}, {L"PB", "kt_max", L"3"}, {L"PB", "dkt_max", L"3"}, {L"PB", "qu_datei", L"1"},
      {L"PB", "qu_text", L"0"}, {L"PB", "sz_zeilezuseite", L"0"}, {L"PB", "sz_auslesen", L"1"},
      {L"PB", "htmlindex", L"1"}, {L"PB", "textindex", L"0"},
      {L"DS", "dabsatz_abc", L"1"}, {L"DS", "kt_alphabet", L"1"}, {L"DS", "dsep", L", "}, {L"DS", "dzw", L" "},
      {L"DS", "ub", L"Index"},
      {L"EN", "wahl", L"Index: TextIndex"}, {L"EN", "sitzung", L"0"},
      {L"EP", "wahl", L"Index: TextIndex"}, {L"EP", "sitzung", L"0"},
      {L"ET", "cb_l2skeinedoppelt", L"1"}, {L"ET", "curaut", L"1"}, {L"ET", "Zeilenumbruch", L"1"},
      {L"ET", "l2sstart", L"1"}, {L"ET", "cursak", L"1"}, {L"ET", "zes", L"1"}, {L"ET", "zez", L"#"},
      {L"ET", "vor", L"#NL"}, {L"ET", "nach", L"#NL"},
      {L"EI", "bentf", L";"}, {L"EI", "zwsl", L">"}, {L"EI", "lentf", L"3"}, {L"EI", "zus_eintrag", L"1"},
      {L"EI", "zus_seite", L"0"}, {L"EI", "zus_auslassen", L"0"}, {L"EI", "sl", L"1"}, {L"EI", "ls", L"0"},
      {L"EI", "cb_linksvorhanden", L"0"}, {L"EI", "cb_deletetxt", L"0"}, {L"EI", "cb_deleteidx", L"0"},
      {L"EI", "zws", L", "}, {L"EI", "zwes", L" "},
      {L"EA", "Edit1", L"#FFFFFF"}, {L"EA", "rb_ansi", L"0"}, {L"EA", "rb_utf7", L"0"}, {L"EA", "rb_utf8", L"0"},
      {L"EA", "rb_beibehalten", L"1"}, {L"EA", "rb_utf7ansi", L"0"}, {L"EA", "rb_utf16le", L"0"},
      {L"EA", "rb_utf_be", L"0"}, {L"EA", "rb_utf32le", L"0"}, {L"EA", "rb_utf32be", L"0"},
      {L"EA", "rb_utf8bom", L"0"}, {L"EA", "jazubom", L"1"},
      {L"HD", "kt_alphabet", L"1"}, {L"HD", "linkleiste", L"1"},
      {L"HD", "schriftart", L"Verdana, Arial, Helvetica, Sans-Serif"}, {L"HD", "ft1", L"24"}, {L"HD", "ft2", L"16"},
      {L"HD", "ftt", L"12"}, {L"HD", "farbe_text", L"#333333"}, {L"HD", "farbe_links", L"#0000FF"},
      {L"HD", "farbe_hg", L"#FFFFFF"}, {L"HD", "LinkTrenner", L" | "}, {L"HD", "breite_all", L"600px"},
      {L"HD", "breite_links", L"180px"}, {L"HD", "breite_rechts", L"350px"}, {L"HD", "breite_top", L"100%"},
      {L"HD", "abs_linksrechts", L"10px"}, {L"HD", "abs_zwabschnitt", L"25px"}, {L"HD", "abs_obenunten", L"5px"},
      {L"HD", "abs_zwtext", L"0px"}, {L"HD", "htmltitel", L"Index"}, {L"HD", "Ueberschrift", L"Index"},
      {L"IH", "edit_quelle", L""},
      {L"QO", "doppelteweg", L"1"}, {L"QO", "dadweitere", L"0"}, {L"QO", "endungenweg", L"0"},
      {L"QO", "namengross", L"1"}, {L"QO", "rb1", L"1"}, {L"QO", "rb2", L"0"}, {L"QO", "rb3", L"0"},
      {L"SD", "bez", L"0"}, {L"SD", "dateiname", L"1"}, {L"SD", "leerzeile", L"1"}, {L"SD", "zwe", L", "},
      {L"SD", "zw", L":  "}, {L"SD", "v", L""}, {L"SD", "zwdl", L" "}, {L"SD", "ne", L""},
      {L"SB", "ed1", L""}, {L"SB", "ed2", L""},
      {L"SK", "sz_laenge", L"5"}, {L"SK", "cb_pluswert", L"1"}, {L"SK", "sz_bwdefs", L"- ( ) [ ]"},
      {L"SK", "sz_zeichen", L""}, {L"SK", "sz_nurzahl", L"1"}, {L"SK", "sz_kuerzen", L"1"},
      {L"SK", "sz_zeichbeginn", L"0"}, {L"SK", "sz_zeichenweg", L"1"}, {L"SK", "cb_plus", L"0"},
      {L"SK", "sz_bwstandard", L"1"}, {L"SK", "sz_bwdef", L"0"}, {L"SK", "posueber", L"0"},
      {L"SK", "posunter", L"1"},
      {L"TD", "kt_alphabet", L"1"}, {L"TD", "namen", L"1"}, {L"TD", "links", L"1"}, {L"TD", "s", L" | "},
      {L"TD", "es", L":  "}, {L"TD", "b", L""}, {L"TD", "bl", L" ["}, {L"TD", "l", L"]"}, {L"TD", "titel", L"Index"},
  };
  return values;
}

TForm* WindowOfCode(const std::wstring& code) {
  for (const TConfigWindow& row : ConfigWindows())
    if (code == row.Code) return row.Window();
  return nullptr;
}

}  // namespace

void LoadFactorySettings() {
  for (const TFactoryValue& value : FactoryValues()) {
    TForm* window = WindowOfCode(value.Window);
    if (!window) continue;  // a window this program does not hold
    TComponent* component = window->FindComponent(value.Name);
    const std::wstring code = component ? ConfigControlCode(component) : std::wstring();
    if (code.empty()) throw Exception(std::string("No option ") + value.Name);
    if (code == L"RB" || code == L"CH") {
      SetChecked(component, value.Value[0] == L'1');
    } else if (code == L"LE") {
      static_cast<TLabeledEdit*>(component)->SetText(Narrow(value.Value));
    } else {
      WideSetControlText(static_cast<TControl*>(component), value.Value);
    }
  }
  prog->m_konfig_autosave_nie->SetChecked(true);
  prog->m_konfig_autosave_alles->SetChecked(false);
}
