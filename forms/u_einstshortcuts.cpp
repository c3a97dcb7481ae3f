#include "forms/u_einstshortcuts.h"

#include <shlobj.h>

#include "classlib/MessageBoxes.h"
#include "classlib/SysUtils.h"
#include "forms/u_AdminFunc.h"
#include "forms/u_prog.h"
#include "forms/u_progspr.h"
#include "forms/u_start.h"
#include "ucode/UCodeSystem.h"

namespace {

// Characters that no extension holds after its point.
const std::string kInvalidExtensionCharacters = "<>\\/|:?\"* ";

const char kProductName[] = "ZRW Kaptorix";

std::string Ansi(const std::wstring& text) { return WideStringToStringEx(text, 0); }

std::string ProgramFile() { return ParamStr(0); }

std::string ProgramFolder() {
  std::string folder = ExtractFilePath(ProgramFile());
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  return folder;
}

bool SameFile(const std::string& a, const std::string& b) { return !a.empty() && CompareText(a, b) == 0; }

}  // namespace

std::vector<std::string> ValidExtensions(const std::string& list) {
  std::vector<std::string> entries;
  size_t from = 0;
  for (;;) {
    const size_t comma = list.find(',', from);
    entries.push_back(list.substr(from, comma == std::string::npos ? std::string::npos : comma - from));
    if (comma == std::string::npos) break;
    from = comma + 1;
  }
  std::vector<std::string> valid;
  for (std::string entry : entries) {
    entry = Trim(entry);
    if (entry.find('.') == std::string::npos) entry = "." + entry;
    if (entry.size() < 2 || entry[0] != '.') continue;
    if (entry.find_first_of(kInvalidExtensionCharacters, 1) != std::string::npos) continue;
    valid.push_back(entry);
  }
  return valid;
}

std::wstring ShortcutFailureMessage(bool adding, const std::string& languageCode) {
  if (languageCode == "de")
    return std::wstring(adding ? L"Die Verknüpfung konnte nicht eingetragen werden."
                               : L"Die Verknüpfung konnte nicht entfernt werden.") +
           L" Windows hat die Änderung abgelehnt: dafür braucht das Programm Administratorrechte.\r\n\r\n"
           L"Starten Sie das Programm mit \"Programm als Admin neu starten\" als Administrator neu und "
           L"versuchen Sie es noch einmal.";
  return std::wstring(adding ? L"The shortcut could not be registered." : L"The shortcut could not be removed.") +
         L" Windows refused the change: the program needs administrator rights for it.\r\n\r\n"
         L"Restart the program as an administrator with \"Restart Program as Admin\" and try again.";
}

bool TShortcutsWindow::German() const { return LanguageCode() == "de"; }

std::string TShortcutsWindow::TypeName() const { return German() ? FTypeNameDe : FTypeNameEn; }
std::string TShortcutsWindow::ShortcutName() const { return German() ? FShortcutNameDe : FShortcutNameEn; }
std::string TShortcutsWindow::MenuText() const { return German() ? FMenuTextDe : FMenuTextEn; }

std::vector<std::string> TShortcutsWindow::TypeNames() const {
  std::vector<std::string> names;
  for (const std::string& name : {FTypeNameDe, FTypeNameEn})
    if (!name.empty() && (names.empty() || names[0] != name)) names.push_back(name);
  return names;
}

std::vector<std::string> TShortcutsWindow::ShortcutFiles() const {
  const std::string folder = GetSendToFolder();
  std::vector<std::string> files;
  if (folder.empty()) return files;
  for (const std::string& name : {FShortcutNameDe, FShortcutNameEn}) {
    const std::string file = IncludeTrailingPathDelimiter(folder) + name + ".lnk";
    if (!name.empty() && (files.empty() || files[0] != file)) files.push_back(file);
  }
  return files;
}

void TShortcutsWindow::FormCreate(TObject*) { Sprache(); }

void TShortcutsWindow::FormShow(TObject*) { CheckShortCuts(); }

void TShortcutsWindow::Sprache() {
  FVerbKey = FTwin.VerbKey;
  FExtension = FTwin.Extension;
  const std::string code = LanguageCode();
  if (code == "de") {
    FTypeNameDe = FTwin.TypeNameGerman;
    FShortcutNameDe = kProductName;
    FMenuTextDe = Ansi(std::wstring(L"Öffnen mit ") + StringToWideStringEx(kProductName, 0));
  }
  if (code == "en") {
    FTypeNameEn = FTwin.TypeNameEnglish;
    FShortcutNameEn = kProductName;
    FMenuTextEn = std::string("Open with ") + kProductName;
  }
  ApplyLanguageTexts(
      this,
      {{"", L"Verknüpfungen", L"Shortcuts"},
       {"Label6", L"Das Programm muss für diese Änderungen als Administrator ausgeführt werden.",
        L"The Program must be executed as an Administrator to apply this functions."},
       {"Label12", L"Hilfe und weitere Informationen zu Verknüpfungen und Administratorrechten auf:",
        L"Help and more Information regarding Shortcuts and Administrator Rights on:"},
       {"AlsAdminStarten", L"Programm als Admin neu starten", L"Restart Program as Admin"},
       {"gb1", FTwin.GroupGerman, FTwin.GroupEnglish},
       {"Label1", FTwin.LabelGerman, FTwin.LabelEnglish},
       {"gb2", L"Senden an", L"Send to"},
       {"Label7", L"Anzeige dieses Programms im \"Senden an\" - Explorer Kontextmenü",
        L"Show this Application in the Explorer Context Menu \"Send to\""},
       {"gb3", L"Verknüpfung mit Ordnern", L"Shortcut with Folders"},
       {"Label4", L"Anzeige dieses Programms im Explorer Kontextmenü von Ordnern",
        L"Show this Application in the Explorer Context Menu of Folders"},
       {"gb4", L"Verknüpfung mit Dateien", L"Shortcut with Files"},
       {"Label10", L"Anzeige dieses Programms im Explorer Kontextmenü aller Dateien",
        L"Show this Application in the Explorer Context Menu of all Files"},
       {"Label3", L"Anzeige dieses Programms im Explorer Kontextmenü dieser Dateien:",
        L"Show this Application in the Explorer Context Menu of these Files:"},
       {"KonfigAn", L"Verknüpfen", L"Register"},
       {"SendenAnAn", L"Verknüpfen", L"Register"},
       {"OrdnerAn", L"Verknüpfen", L"Register"},
       {"AlleDateienAn", L"Verknüpfen", L"Register"},
       {"BeliebigeDateienAn", L"Verknüpfen", L"Register"},
       {"KonfigAus", L"Entfernen", L"Remove"},
       {"SendenAnAus", L"Entfernen", L"Remove"},
       {"OrdnerAus", L"Entfernen", L"Remove"},
       {"AlleDateienAus", L"Entfernen", L"Remove"},
       {"BeliebigeDateienAus", L"Entfernen", L"Remove"},
       {"Label70", L"kaptorix.de/verknuepfungen", L"kaptorix.com/shortcuts"}},
      code);
  CheckShortCuts();
  ShowAdminState(IsUserAdmin());
}

void TShortcutsWindow::ShowAdminState(bool admin) {
  const std::string code = LanguageCode();
  if (code != "de" && code != "en") return;
  const bool german = code == "de";
  if (admin) {
    Label9->SetCaption(std::wstring(german ? L"Das Programm wird gerade als Administrator ausgeführt."
                                           : L"The Program is running as an Administrator."));
  } else {
    Label9->SetCaption(std::wstring(german ? L"Das Programm wird gerade nicht als Administrator ausgeführt."
                                           : L"The Program is not running as an Administrator."));
  }
  Label9->GetFont()->SetColor(admin ? clGreen : clRed);
  AlsAdminStarten->SetEnabled(!admin);
}

void TShortcutsWindow::ShowState(TLabel* label, bool active) {
  if (German())
    label->SetCaption(active ? "Aktiv" : "Nicht aktiv");
  else
    label->SetCaption(active ? "Activated" : "Not activated");
  label->GetFont()->SetColor(active ? clGreen : clRed);
}

void TShortcutsWindow::CheckShortCuts() {
  const std::string command = OpenCommand(ProgramFile());
  // The extension must still name one of this program's types, whose icon and open command
  // are this program's.
  bool fileType = false;
  const std::string extensionType = ClassesRootValue(FExtension);
  for (const std::string& type : TypeNames())
    if (extensionType == type && ClassesRootKeyExists(type + "\\DefaultIcon") &&
        ClassesRootValue(type + "\\Shell\\Open\\Command") == command)
      fileType = true;
  ShowState(ver_konfig, fileType);
  bool sendTo = false;
  for (const std::string& file : ShortcutFiles())
    if (FileExists(file) && SameFile(ShortcutTarget(file), ProgramFile())) sendTo = true;
  ShowState(ver_sendenan, sendTo);
  ShowState(ver_ordner, ShellVerbCommand("Folder", FVerbKey) == command);
  ShowState(ver_alledateien, ShellVerbCommand("*", FVerbKey, IsWow64()) == command);
}

void TShortcutsWindow::Finish(bool done, bool adding, bool check) {
  SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
  if (check) CheckShortCuts();
  if (!done)
    ShowMessageBox(HandleAllocated() ? GetHandle() : nullptr, Ansi(ShortcutFailureMessage(adding, LanguageCode())),
                   GetCaption(), MB_OK | MB_ICONWARNING);
}

void TShortcutsWindow::KonfigAnClick(TObject*) {
  const std::string type = TypeName();
  Finish(!type.empty() && RegisterFileAssociation(FExtension, type, type, "%1", ProgramFile()), true);
}

void TShortcutsWindow::KonfigAusClick(TObject*) {
  // Nothing of this program's left to remove is no failure.
  const std::vector<std::string> own = TypeNames();
  const std::string extensionType = ClassesRootValue(FExtension);
  bool registered = false;
  for (const std::string& type : own) registered = registered || type == extensionType || ClassesRootKeyExists(type);
  Finish(!registered || UnregisterFileAssociation(FExtension, own), false);
}

void TShortcutsWindow::SendenAnAnClick(TObject*) {
  const std::string folder = GetSendToFolder();
  const std::string name = ShortcutName();
  Finish(!folder.empty() && !name.empty() &&
             CreateShortcut(IncludeTrailingPathDelimiter(folder) + name + ".lnk", ProgramFile(), name, ProgramFolder(),
                            "", "", -1),
         true);
}

void TShortcutsWindow::SendenAnAusClick(TObject*) {
  // A shortcut of the same name that starts another program is not this program's to delete.
  bool done = true;
  for (const std::string& file : ShortcutFiles())
    if (FileExists(file) && SameFile(ShortcutTarget(file), ProgramFile()) && !DeleteFileA(file.c_str())) done = false;
  Finish(done, false);
}

void TShortcutsWindow::OrdnerAnClick(TObject*) {
  Finish(WriteShellVerb("Folder", FVerbKey, MenuText(), OpenCommand(ProgramFile()), false), true);
}

void TShortcutsWindow::OrdnerAusClick(TObject*) { Finish(DeleteShellVerb("Folder", FVerbKey, false), false); }

void TShortcutsWindow::AlleDateienAnClick(TObject*) {
  Finish(WriteShellVerb("*", FVerbKey, MenuText(), OpenCommand(ProgramFile()), IsWow64()), true);
}

void TShortcutsWindow::AlleDateienAusClick(TObject*) { Finish(DeleteShellVerb("*", FVerbKey, IsWow64()), false); }

std::vector<std::string> TShortcutsWindow::ChosenExtensions() const {
  return ValidExtensions(Ansi(beldateien->GetText()));
}

void TShortcutsWindow::BeliebigeDateienAnClick(TObject*) {
  const bool view64 = IsWow64();
  bool done = true;
  for (const std::string& extension : ChosenExtensions()) {
    const std::string type = ClassesRootValue(extension, view64);
    if (!WriteShellVerb(type.empty() ? extension : type, FVerbKey, MenuText(), OpenCommand(ProgramFile()), view64))
      done = false;
  }
  Finish(done, true, false);
}

void TShortcutsWindow::BeliebigeDateienAusClick(TObject*) {
  const bool view64 = IsWow64();
  bool done = true;
  for (const std::string& extension : ChosenExtensions()) {
    const std::string type = ClassesRootValue(extension, view64);
    if (!type.empty() && !DeleteShellVerb(type, FVerbKey, view64)) done = false;
    if (!DeleteShellVerb(extension, FVerbKey, view64)) done = false;
    // An extension that had no key before holds only what adding made: it goes again.
    if (DeleteEmptyClassesKey(extension + "\\shell", view64)) DeleteEmptyClassesKey(extension, view64);
  }
  Finish(done, false, false);
}

void TShortcutsWindow::AlsAdminStartenClick(TObject*) { RestartAsAdmin(); }

void TShortcutsWindow::OKClick(TObject*) { Close(); }

void TShortcutsWindow::Label70Click(TObject*) { OpenWebAddress(ReportLinkAddress(Label70->TControl::GetCaption())); }

void TShortcutsWindow::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TShortcutsWindow>();
  p.Field("Label6", &TShortcutsWindow::Label6);
  p.Field("Label9", &TShortcutsWindow::Label9);
  p.Field("AlsAdminStarten", &TShortcutsWindow::AlsAdminStarten);
  p.Field("gb1", &TShortcutsWindow::gb1);
  p.Field("Label1", &TShortcutsWindow::Label1);
  p.Field("KonfigAn", &TShortcutsWindow::KonfigAn);
  p.Field("KonfigAus", &TShortcutsWindow::KonfigAus);
  p.Field("ver_konfig", &TShortcutsWindow::ver_konfig);
  p.Field("gb2", &TShortcutsWindow::gb2);
  p.Field("Label7", &TShortcutsWindow::Label7);
  p.Field("SendenAnAn", &TShortcutsWindow::SendenAnAn);
  p.Field("SendenAnAus", &TShortcutsWindow::SendenAnAus);
  p.Field("ver_sendenan", &TShortcutsWindow::ver_sendenan);
  p.Field("gb3", &TShortcutsWindow::gb3);
  p.Field("Label4", &TShortcutsWindow::Label4);
  p.Field("OrdnerAn", &TShortcutsWindow::OrdnerAn);
  p.Field("OrdnerAus", &TShortcutsWindow::OrdnerAus);
  p.Field("ver_ordner", &TShortcutsWindow::ver_ordner);
  p.Field("gb4", &TShortcutsWindow::gb4);
  p.Field("Label10", &TShortcutsWindow::Label10);
  p.Field("AlleDateienAn", &TShortcutsWindow::AlleDateienAn);
  p.Field("AlleDateienAus", &TShortcutsWindow::AlleDateienAus);
  p.Field("ver_alledateien", &TShortcutsWindow::ver_alledateien);
  p.Field("Label3", &TShortcutsWindow::Label3);
  p.Field("beldateien", &TShortcutsWindow::beldateien);
  p.Field("BeliebigeDateienAn", &TShortcutsWindow::BeliebigeDateienAn);
  p.Field("BeliebigeDateienAus", &TShortcutsWindow::BeliebigeDateienAus);
  p.Field("Label12", &TShortcutsWindow::Label12);
  p.Field("Label70", &TShortcutsWindow::Label70);
  p.Field("OK", &TShortcutsWindow::OK);
  p.Handler("FormCreate", &TShortcutsWindow::FormCreate);
  p.Handler("FormShow", &TShortcutsWindow::FormShow);
  p.Handler("KonfigAnClick", &TShortcutsWindow::KonfigAnClick);
  p.Handler("KonfigAusClick", &TShortcutsWindow::KonfigAusClick);
  p.Handler("SendenAnAnClick", &TShortcutsWindow::SendenAnAnClick);
  p.Handler("SendenAnAusClick", &TShortcutsWindow::SendenAnAusClick);
  p.Handler("OrdnerAnClick", &TShortcutsWindow::OrdnerAnClick);
  p.Handler("OrdnerAusClick", &TShortcutsWindow::OrdnerAusClick);
  p.Handler("AlleDateienAnClick", &TShortcutsWindow::AlleDateienAnClick);
  p.Handler("AlleDateienAusClick", &TShortcutsWindow::AlleDateienAusClick);
  p.Handler("BeliebigeDateienAnClick", &TShortcutsWindow::BeliebigeDateienAnClick);
  p.Handler("BeliebigeDateienAusClick", &TShortcutsWindow::BeliebigeDateienAusClick);
  p.Handler("AlsAdminStartenClick", &TShortcutsWindow::AlsAdminStartenClick);
  p.Handler("OKClick", &TShortcutsWindow::OKClick);
  p.Handler("Label70Click", &TShortcutsWindow::Label70Click);
}
