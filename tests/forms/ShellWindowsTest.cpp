// The shortcut windows and the fault-report windows through their buttons and labels: the
// registry keys each registration writes and each removal takes away, read back with the
// registry API from a scratch key that stands in for HKEY_CLASSES_ROOT; the "Send to" link
// read back through the shell-link object; other programs' entries left alone; refused writes
// told with the way out; texts in both languages; web addresses recorded through the opener.
#include <gtest/gtest.h>
#include <windows.h>

#include <aclapi.h>

#include <map>
#include <string>
#include <vector>

#include "TextIndexWindows.h"
#include "classlib/Registry.h"
#include "classlib/SysUtils.h"
#include "forms/u_AdminFunc.h"
#include "forms/u_bugreport_de.h"
#include "forms/u_bugreport_en.h"
#include "forms/u_einstausgabe.h"
#include "forms/u_einstshortcuts_idx.h"
#include "forms/u_einstshortcuts_qcfg.h"
#include "forms/u_prog.h"
#include "forms/u_start.h"

using formstest::MessageBoxes;
using formstest::Narrow;
using formstest::TextIndexWindows;
using formstest::Wide;

namespace {

const char kScratch[] = "Software\\KaptorixShellWindowsTest";

// Deletes a key with its subkeys, in the given view of the registry.
void DeleteTree(HKEY root, const std::string& key, REGSAM view) {
  TRegistry registry(KEY_ALL_ACCESS | view);
  registry.SetRootKey(root);
  registry.DeleteKey("\\" + key);
}

// HKEY_CLASSES_ROOT of this process is a scratch key below HKEY_CURRENT_USER for the test's
// lifetime; the scratch key goes afterwards.
class ScratchClassesRoot {
 public:
  ScratchClassesRoot() {
    DeleteTree(HKEY_CURRENT_USER, kScratch, 0);
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegOverridePredefKey(HKEY_CLASSES_ROOT, m_key), ERROR_SUCCESS);
  }
  ~ScratchClassesRoot() {
    for (const std::string& key : m_machineKeys) DeleteTree(HKEY_CLASSES_ROOT, key, KEY_WOW64_64KEY);
    RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    RegCloseKey(m_key);
    DeleteTree(HKEY_CURRENT_USER, kScratch, 0);
  }
  ScratchClassesRoot(const ScratchClassesRoot&) = delete;
  ScratchClassesRoot& operator=(const ScratchClassesRoot&) = delete;

  // Default value of a key below the scratch root, read with the registry API; "<none>" for a
  // missing key, "<unset>" for a key without default value. With view64 the key is read from
  // the 64-bit view of the classes, which the scratch root cannot stand in for.
  std::string Value(const std::string& key, bool view64 = false) const {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(Root(view64), key.c_str(), 0, KEY_READ | View(view64), &opened) != ERROR_SUCCESS) return "<none>";
    char buffer[1024] = {};
    DWORD size = sizeof(buffer), type = 0;
    const LONG result = RegQueryValueExA(opened, "", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(opened);
    return result == ERROR_SUCCESS ? std::string(buffer) : "<unset>";
  }
  bool Exists(const std::string& key, bool view64 = false) const { return Value(key, view64) != "<none>"; }
  // Keys set in the 64-bit view are deleted with their subkeys when the test ends.
  void Set(const std::string& key, const std::string& value, bool view64 = false) {
    HKEY created = nullptr;
    ASSERT_EQ(RegCreateKeyExA(Root(view64), key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | View(view64), nullptr,
                              &created, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(created, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(created);
    if (view64) DeleteAtEnd(key.substr(0, key.find('\\')));
  }
  void DeleteAtEnd(const std::string& key) { m_machineKeys.push_back(key); }

  // A key whose security lets everyone read it and nobody write to it or delete it, as a key
  // of the machine's classes is for a user without administrator rights.
  void Protect(const std::string& key, bool readOnly) const {
    HKEY opened = nullptr;
    ASSERT_EQ(RegOpenKeyExA(m_key, key.c_str(), 0, WRITE_DAC, &opened), ERROR_SUCCESS);  // the owner may always
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    EXPLICIT_ACCESSA access{};
    access.grfAccessPermissions = readOnly ? KEY_READ : KEY_ALL_ACCESS | DELETE | WRITE_DAC;
    access.grfAccessMode = SET_ACCESS;
    access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    access.Trustee.ptstrName = static_cast<LPSTR>(everyone);
    PACL acl = nullptr;
    SetEntriesInAclA(1, &access, nullptr, &acl);
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
    EXPECT_EQ(RegSetKeySecurity(opened, DACL_SECURITY_INFORMATION, &descriptor), ERROR_SUCCESS);
    LocalFree(acl);
    FreeSid(everyone);
    RegCloseKey(opened);
  }

 private:
  HKEY Root(bool view64) const { return view64 ? HKEY_CLASSES_ROOT : m_key; }
  static REGSAM View(bool view64) { return view64 ? KEY_WOW64_64KEY : 0; }

  HKEY m_key = nullptr;
  std::vector<std::string> m_machineKeys;
};

// The main window and both shortcut windows, made as the program makes them.
class ShortcutWindows {
 public:
  // Windows that have been shown are left to the end of the process (freeing a shown window
  // costs Wine seconds without a window manager).
  void LeaveToProcessEnd() {
    m_free = false;
    m_windows.LeaveToProcessEnd();
  }
  explicit ShortcutWindows(const char* language) {
    start->spr->SetCaption(language);
    einstshortcuts_idx = new Teinstshortcuts_idx(nullptr);
    einstshortcuts_qcfg = new Teinstshortcuts_qcfg(nullptr);
  }
  ~ShortcutWindows() {
    if (m_free) {
      einstshortcuts_qcfg->Free();
      einstshortcuts_idx->Free();
    }
    einstshortcuts_qcfg = nullptr;
    einstshortcuts_idx = nullptr;
  }

 private:
  TextIndexWindows m_windows;
  bool m_free = true;
};

std::string ProgramFile() { return ParamStr(0); }
std::string Command() { return "\"" + ProgramFile() + "\" \"%1\""; }

// The link files of the "Send to" folder that the windows use, gone before and after a test.
class SendToLinks {
 public:
  SendToLinks() { Clear(); }
  ~SendToLinks() { Clear(); }
  std::string File() const { return IncludeTrailingPathDelimiter(GetSendToFolder()) + "ZRW Kaptorix.lnk"; }

 private:
  void Clear() const { DeleteFileA(File().c_str()); }
};

// ---- The file type

TEST(ShortcutWindows, FileTypeWrittenShownAndTakenAwayWithoutTouchingAnotherProgram) {
  ScratchClassesRoot classes;
  ShortcutWindows windows("de");
  MessageBoxes boxes;
  TShortcutsWindow* window = einstshortcuts_qcfg;
  EXPECT_EQ(window->ver_konfig->TControl::GetCaption(), "Nicht aktiv");
  // Another program's type, which removing ours must leave.
  classes.Set("OtherApp.Document\\shell\\open\\command", "other.exe \"%1\"");

  formstest::Click(window->KonfigAn);
  EXPECT_EQ(classes.Value(".qcfg"), "ZRW Kaptorix Konfiguration");
  EXPECT_EQ(classes.Value("ZRW Kaptorix Konfiguration"), "ZRW Kaptorix Konfiguration");
  EXPECT_EQ(classes.Value("ZRW Kaptorix Konfiguration\\DefaultIcon"), ProgramFile() + ",0");
  EXPECT_EQ(classes.Value("ZRW Kaptorix Konfiguration\\Shell\\Open\\Command"), Command());
  EXPECT_EQ(window->ver_konfig->TControl::GetCaption(), "Aktiv");
  EXPECT_EQ(window->ver_konfig->GetFont()->GetColor(), clGreen);
  // The index window registers its own extension only.
  EXPECT_EQ(einstshortcuts_idx->ver_konfig->TControl::GetCaption(), "Nicht aktiv");
  EXPECT_FALSE(classes.Exists(".idx"));

  // Registered in German, shown as active in English as well.
  start->spr->SetCaption("en");
  window->Sprache();
  EXPECT_EQ(window->ver_konfig->TControl::GetCaption(), "Activated");

  formstest::Click(window->KonfigAus);
  EXPECT_FALSE(classes.Exists(".qcfg"));
  EXPECT_FALSE(classes.Exists("ZRW Kaptorix Konfiguration"));
  EXPECT_EQ(window->ver_konfig->TControl::GetCaption(), "Not activated");
  EXPECT_EQ(window->ver_konfig->GetFont()->GetColor(), clRed);
  EXPECT_EQ(classes.Value("OtherApp.Document\\shell\\open\\command"), "other.exe \"%1\"");
  EXPECT_TRUE(boxes.texts.empty());
}

TEST(ShortcutWindows, AnExtensionTakenOverByAnotherProgramStaysItsOwn) {
  ScratchClassesRoot classes;
  ShortcutWindows windows("en");
  MessageBoxes boxes;
  TShortcutsWindow* window = einstshortcuts_idx;
  formstest::Click(window->KonfigAn);
  EXPECT_EQ(window->ver_konfig->TControl::GetCaption(), "Activated");
  // Another program takes ".idx" over: the type is no longer in force, and removing ours
  // leaves the extension to that program.
  classes.Set(".idx", "OtherApp.Index");
  window->CheckShortCuts();
  EXPECT_EQ(window->ver_konfig->TControl::GetCaption(), "Not activated");
  formstest::Click(window->KonfigAus);
  EXPECT_EQ(classes.Value(".idx"), "OtherApp.Index");
  EXPECT_FALSE(classes.Exists("ZRW Kaptorix Index"));
  // Nothing of ours left: removing again is no failure.
  formstest::Click(window->KonfigAus);
  EXPECT_TRUE(boxes.texts.empty());
}

TEST(ShortcutWindows, AnotherCopyOfTheProgramShowsTheRegistrationAsNotItsOwn) {
  ScratchClassesRoot classes;
  ShortcutWindows windows("de");
  classes.Set(".qcfg", "ZRW Kaptorix Konfiguration");
  classes.Set("ZRW Kaptorix Konfiguration\\DefaultIcon", "C:\\Old\\kaptorix.exe,0");
  classes.Set("ZRW Kaptorix Konfiguration\\Shell\\Open\\Command", "\"C:\\Old\\kaptorix.exe\" \"%1\"");
  classes.Set("Folder\\shell\\ZRWkaptorixQCFG\\command", "\"C:\\Old\\kaptorix.exe\" \"%1\"");
  einstshortcuts_qcfg->CheckShortCuts();
  EXPECT_EQ(einstshortcuts_qcfg->ver_konfig->TControl::GetCaption(), "Nicht aktiv");
  EXPECT_EQ(einstshortcuts_qcfg->ver_ordner->TControl::GetCaption(), "Nicht aktiv");
  // Registering again takes the entries over for this copy.
  formstest::Click(einstshortcuts_qcfg->KonfigAn);
  formstest::Click(einstshortcuts_qcfg->OrdnerAn);
  EXPECT_EQ(einstshortcuts_qcfg->ver_konfig->TControl::GetCaption(), "Aktiv");
  EXPECT_EQ(einstshortcuts_qcfg->ver_ordner->TControl::GetCaption(), "Aktiv");
}

// ---- Context-menu commands

TEST(ShortcutWindows, FolderAndAllFilesCommandsWrittenAndTakenAway) {
  ScratchClassesRoot classes;
  ShortcutWindows windows("de");
  MessageBoxes boxes;
  TShortcutsWindow* window = einstshortcuts_idx;
  // A 32-bit program on 64-bit Windows writes the all-files command into the 64-bit view.
  const bool view64 = IsWow64();
  classes.DeleteAtEnd("*\\shell\\ZRWkaptorixIDX");
  classes.Set("Folder\\shell\\explore\\command", "explorer.exe \"%1\"");
  classes.Set("*\\shell\\KxOtherProgram\\command", "other.exe \"%1\"", view64);
  formstest::Click(window->OrdnerAn);
  formstest::Click(window->AlleDateienAn);
  EXPECT_EQ(Wide(classes.Value("Folder\\shell\\ZRWkaptorixIDX")), L"\u00D6ffnen mit ZRW Kaptorix");
  EXPECT_EQ(classes.Value("Folder\\shell\\ZRWkaptorixIDX\\command"), Command());
  EXPECT_EQ(Wide(classes.Value("*\\shell\\ZRWkaptorixIDX", view64)), L"\u00D6ffnen mit ZRW Kaptorix");
  EXPECT_EQ(classes.Value("*\\shell\\ZRWkaptorixIDX\\command", view64), Command());
  EXPECT_EQ(window->ver_ordner->TControl::GetCaption(), "Aktiv");
  EXPECT_EQ(window->ver_alledateien->TControl::GetCaption(), "Aktiv");
  // The configuration window's verbs are its own.
  EXPECT_EQ(einstshortcuts_qcfg->ver_ordner->TControl::GetCaption(), "Nicht aktiv");
  EXPECT_EQ(einstshortcuts_qcfg->ver_alledateien->TControl::GetCaption(), "Nicht aktiv");

  formstest::Click(window->OrdnerAus);
  formstest::Click(window->AlleDateienAus);
  EXPECT_FALSE(classes.Exists("Folder\\shell\\ZRWkaptorixIDX"));
  EXPECT_FALSE(classes.Exists("*\\shell\\ZRWkaptorixIDX", view64));
  EXPECT_EQ(classes.Value("Folder\\shell\\explore\\command"), "explorer.exe \"%1\"");
  EXPECT_EQ(classes.Value("*\\shell\\KxOtherProgram\\command", view64), "other.exe \"%1\"");
  EXPECT_EQ(window->ver_ordner->TControl::GetCaption(), "Nicht aktiv");
  EXPECT_EQ(window->ver_alledateien->TControl::GetCaption(), "Nicht aktiv");
  EXPECT_TRUE(boxes.texts.empty());
}

TEST(ShortcutWindows, ChosenExtensionsGetTheCommandUnderTheirTypeOrThemselves) {
  ScratchClassesRoot classes;
  ShortcutWindows windows("en");
  MessageBoxes boxes;
  TShortcutsWindow* window = einstshortcuts_qcfg;
  const bool view64 = IsWow64();
  for (const char* key : {".kxtypedtest", ".kxbaretest", "KxTypedTest.File"}) classes.DeleteAtEnd(key);
  classes.Set(".kxtypedtest", "KxTypedTest.File", view64);
  classes.Set("KxTypedTest.File\\shell\\open\\command", "other.exe \"%1\"", view64);
  window->beldateien->SetText(L"kxtypedtest, .kxbaretest,,a.b,x|y");
  formstest::Click(window->BeliebigeDateienAn);
  EXPECT_EQ(classes.Value("KxTypedTest.File\\shell\\ZRWkaptorixQCFG", view64), "Open with ZRW Kaptorix");
  EXPECT_EQ(classes.Value("KxTypedTest.File\\shell\\ZRWkaptorixQCFG\\command", view64), Command());
  EXPECT_EQ(classes.Value(".kxbaretest\\shell\\ZRWkaptorixQCFG\\command", view64), Command());
  EXPECT_FALSE(classes.Exists(".kxtypedtest\\shell", view64));
  for (const char* left : {".a.b", "a.b", ".x|y", "x|y"}) EXPECT_FALSE(classes.Exists(left, view64)) << left;

  formstest::Click(window->BeliebigeDateienAus);
  EXPECT_FALSE(classes.Exists("KxTypedTest.File\\shell\\ZRWkaptorixQCFG", view64));
  EXPECT_FALSE(classes.Exists(".kxbaretest", view64)) << "made by adding, gone by removing";
  EXPECT_EQ(classes.Value("KxTypedTest.File\\shell\\open\\command", view64), "other.exe \"%1\"");
  EXPECT_EQ(classes.Value(".kxtypedtest", view64), "KxTypedTest.File");
  // An extension key with a verb of another program keeps its key and that verb.
  classes.Set(".kxbaretest\\shell\\KxOtherVerb\\command", "other.exe \"%1\"", view64);
  formstest::Click(window->BeliebigeDateienAn);
  formstest::Click(window->BeliebigeDateienAus);
  EXPECT_FALSE(classes.Exists(".kxbaretest\\shell\\ZRWkaptorixQCFG", view64));
  EXPECT_EQ(classes.Value(".kxbaretest\\shell\\KxOtherVerb\\command", view64), "other.exe \"%1\"");
  EXPECT_TRUE(boxes.texts.empty());
}

TEST(ShortcutWindows, ExtensionListsKeepOnlyValidExtensions) {
  const struct {
    const char* list;
    std::vector<std::string> extensions;
  } cases[] = {
      {"txt,log,php,htm,html", {".txt", ".log", ".php", ".htm", ".html"}},
      {"txt, .log,,a.b,x|y", {".txt", ".log"}},
      {" .doc ,.", {".doc"}},
      {"a b,c:d,e*f,g?h,i\"j,k<l,m>n,o/p,q\\r", {}},
      {"..tar", {"..tar"}},
      {"", {}},
  };
  for (const auto& item : cases) EXPECT_EQ(ValidExtensions(item.list), item.extensions) << item.list;
}

// ---- "Send to"

TEST(ShortcutWindows, SendToLinkPointsToTheProgramAndOnlyOursIsDeleted) {
  ShortcutWindows windows("de");
  SendToLinks links;
  MessageBoxes boxes;
  TShortcutsWindow* window = einstshortcuts_qcfg;
  ASSERT_FALSE(GetSendToFolder().empty());
  formstest::Click(window->SendenAnAn);
  ASSERT_TRUE(FileExists(links.File()));
  EXPECT_EQ(CompareText(ShortcutTarget(links.File()), ProgramFile()), 0) << ShortcutTarget(links.File());
  EXPECT_EQ(window->ver_sendenan->TControl::GetCaption(), "Aktiv");
  formstest::Click(window->SendenAnAus);
  EXPECT_FALSE(FileExists(links.File()));
  EXPECT_EQ(window->ver_sendenan->TControl::GetCaption(), "Nicht aktiv");

  // A link of that name to another program is neither shown as ours nor deleted.
  char windows_[MAX_PATH] = {};
  GetWindowsDirectoryA(windows_, MAX_PATH);
  const std::string other = std::string(windows_) + "\\notepad.exe";
  ASSERT_TRUE(CreateShortcut(links.File(), other, "Notepad", windows_, "", "", -1));
  window->CheckShortCuts();
  EXPECT_EQ(window->ver_sendenan->TControl::GetCaption(), "Nicht aktiv");
  formstest::Click(window->SendenAnAus);
  EXPECT_TRUE(FileExists(links.File()));
  EXPECT_EQ(CompareText(ShortcutTarget(links.File()), other), 0);
  EXPECT_TRUE(boxes.texts.empty());
}

// ---- Refused writes

TEST(ShortcutWindows, ARefusedRegistrationIsToldWithTheWayOutAndNotShownAsDone) {
  ScratchClassesRoot classes;
  ShortcutWindows windows("de");
  TShortcutsWindow* window = einstshortcuts_qcfg;
  // Entries an earlier copy made, which this user may not change.
  classes.Set(".qcfg", "");
  classes.Set("Folder\\shell\\ZRWkaptorixQCFG\\command", "\"C:\\Old\\kaptorix.exe\" \"%1\"");
  classes.Protect(".qcfg", true);
  classes.Protect("Folder\\shell\\ZRWkaptorixQCFG", true);
  {
    MessageBoxes boxes;
    formstest::Click(window->KonfigAn);
    formstest::Click(window->OrdnerAn);
    ASSERT_EQ(boxes.texts.size(), 2u);
    for (const std::string& text : boxes.texts) {
      EXPECT_NE(text.find("konnte nicht eingetragen werden"), std::string::npos) << text;
      EXPECT_NE(text.find("\"Programm als Admin neu starten\""), std::string::npos) << text;
    }
    EXPECT_EQ(window->ver_konfig->TControl::GetCaption(), "Nicht aktiv");
    EXPECT_EQ(window->ver_ordner->TControl::GetCaption(), "Nicht aktiv");
  }
  classes.Protect(".qcfg", false);
  classes.Protect("Folder\\shell\\ZRWkaptorixQCFG", false);

  // Registered, then the type key refuses to go: the removal is told, the state stays active.
  start->spr->SetCaption("en");
  window->Sprache();
  formstest::Click(window->KonfigAn);
  ASSERT_EQ(window->ver_konfig->TControl::GetCaption(), "Activated");
  classes.Protect("ZRW Kaptorix Konfiguration", true);
  {
    MessageBoxes boxes;
    formstest::Click(window->KonfigAus);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_NE(boxes.texts[0].find("could not be removed"), std::string::npos) << boxes.texts[0];
    EXPECT_NE(boxes.texts[0].find("\"Restart Program as Admin\""), std::string::npos) << boxes.texts[0];
  }
  EXPECT_TRUE(classes.Exists("ZRW Kaptorix Konfiguration"));
  classes.Protect("ZRW Kaptorix Konfiguration", false);
}

// ---- Administrator rights

TEST(ShortcutWindows, AdministratorTestsAgree) {
  // Wine runs every program as administrator; the access check of older systems must say what
  // the token-membership test says.
  EXPECT_TRUE(IsUserAdmin());
  EXPECT_EQ(IsAdministratorsMember(true), IsAdministratorsMember(false));
  EXPECT_EQ(IsAdministratorsMember(false), IsUserAdmin());
}

// ---- Texts

TEST(ShortcutWindows, TextsInBothLanguages) {
  ShortcutWindows windows("de");
  struct Row {
    const char* name;
    const wchar_t* german;
    const wchar_t* english;
  };
  const std::vector<Row> common = {
      {"Label6", L"Das Programm muss für diese Änderungen als Administrator ausgeführt werden.",
       L"The Program must be executed as an Administrator to apply this functions."},
      {"Label12", L"Hilfe und weitere Informationen zu Verknüpfungen und Administratorrechten auf:",
       L"Help and more Information regarding Shortcuts and Administrator Rights on:"},
      {"AlsAdminStarten", L"Programm als Admin neu starten", L"Restart Program as Admin"},
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
  };
  const std::map<TShortcutsWindow*, std::vector<Row>> own = {
      {einstshortcuts_qcfg,
       {{"gb1", L"Verknüpfung mit Konfigurationsdateien (*.qcfg)", L"Shortcut to Configuration Files (*.qcfg)"},
        {"Label1", L"Verknüpfung dieses Programms mit Konfigurationsdateien (Dateiendung: .qcfg)",
         L"Shortcut of this Application with Configuration Files (File Extension: .qcfg)"}}},
      {einstshortcuts_idx,
       {{"gb1", L"Verknüpfung mit Konfigurationsdateien (*.idx)", L"Shortcut to Configuration Files (*.idx)"},
        {"Label1", L"Verknüpfung dieses Programms mit Konfigurationsdateien (Dateiendung: .idx)",
         L"Shortcut of this Application with Configuration Files (File Extension: .idx)"}}},
  };
  for (const char* code : {"en", "de"}) {
    start->spr->SetCaption(code);
    prog->sprachealles();
    const bool german = std::string(code) == "de";
    for (const auto& [window, rows] : own) {
      EXPECT_EQ(Wide(window->GetCaption()), german ? L"Verknüpfungen" : L"Shortcuts");
      std::vector<Row> all = common;
      all.insert(all.end(), rows.begin(), rows.end());
      for (const Row& row : all) {
        auto* control = dynamic_cast<TControl*>(window->FindComponent(row.name));
        ASSERT_NE(control, nullptr) << row.name;
        EXPECT_EQ(Wide(control->GetCaption()), german ? row.german : row.english)
            << window->GetName() << "." << row.name << " " << code;
      }
      // Wine runs every program as administrator.
      EXPECT_EQ(window->Label9->GetCaption(), german ? L"Das Programm wird gerade als Administrator ausgeführt."
                                                           : L"The Program is running as an Administrator.");
      EXPECT_EQ(window->Label9->GetFont()->GetColor(), clGreen);
      EXPECT_FALSE(window->AlsAdminStarten->GetEnabled());
      window->ShowAdminState(false);
      EXPECT_EQ(window->Label9->GetCaption(), german
                                                         ? L"Das Programm wird gerade nicht als Administrator ausgeführt."
                                                         : L"The Program is not running as an Administrator.");
      EXPECT_EQ(window->Label9->GetFont()->GetColor(), clRed);
      EXPECT_TRUE(window->AlsAdminStarten->GetEnabled());
      EXPECT_EQ(Wide(window->MenuText()), german ? L"Öffnen mit ZRW Kaptorix" : L"Open with ZRW Kaptorix");
    }
  }
  // A code that is neither leaves the texts.
  start->spr->SetCaption("fr");
  einstshortcuts_qcfg->Sprache();
  EXPECT_EQ(einstshortcuts_qcfg->gb2->TControl::GetCaption(), "Senden an");
}

// ---- Fault-report windows, web links and the menus

// A click of the mouse in the middle of a label, as its window receives it.
void ClickLabel(TLabel* label) {
  const LPARAM at = MAKELPARAM(label->GetLeft() + label->GetWidth() / 2, label->GetTop() + label->GetHeight() / 2);
  HWND parent = label->GetParent()->GetHandle();
  SendMessageA(parent, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(parent, WM_LBUTTONUP, 0, at);
}

TEST(ShellWebLinks, EveryWebLabelOpensItsAddressThroughTheOneOpener) {
  ShortcutWindows windows("de");
  bugreport_de = new Tbugreport_de(nullptr);
  bugreport_en = new Tbugreport_en(nullptr);
  einstausgabe = new Teinstausgabe(nullptr);
  std::vector<std::string> opened;
  TWebAddressOpener previous = SetWebAddressOpener([&](const std::string& address) { opened.push_back(address); });
  for (TLabel* label : {bugreport_de->Label70, bugreport_de->Label1, bugreport_en->Label70, bugreport_en->Label1,
                        einstshortcuts_qcfg->Label70, einstshortcuts_idx->Label70, einstausgabe->Label7,
                        einstausgabe->Label2})
    ClickLabel(label);
  SetWebAddressOpener(previous);
  ASSERT_EQ(opened.size(), 8u);
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(opened[i].rfind("http://www.kaptorix.", 0), 0u) << opened[i];
    EXPECT_NE(opened[i].find("&rf="), std::string::npos) << opened[i];
  }
  EXPECT_EQ(opened[0], ReportLinkAddress(bugreport_de->Label70->TControl::GetCaption()));
  EXPECT_EQ(opened[3], ReportLinkAddress(bugreport_en->Label1->TControl::GetCaption()));
  EXPECT_EQ(opened[4], ReportLinkAddress(einstshortcuts_qcfg->Label70->TControl::GetCaption()));
  // The output settings' two links carry the menu links' key.
  EXPECT_EQ(opened[6], MenuCaptionAddress(einstausgabe->Label7->TControl::GetCaption()));
  EXPECT_EQ(opened[7], MenuCaptionAddress(einstausgabe->Label2->TControl::GetCaption()));
  einstausgabe->Free();
  einstausgabe = nullptr;
  bugreport_en->Free();
  bugreport_de->Free();
  bugreport_de = nullptr;
  bugreport_en = nullptr;
}

TEST(ShellWebLinks, ReportAddressesFollowTheLabelRule) {
  const struct {
    const char* caption;
    const char* address;
  } cases[] = {
      {"example.de", "http://www.example.de/&rf="},
      {"example.com", "http://www.example.com/&rf="},
      {"example.de/support", "http://www.example.de/support&rf="},
      {"example.org", "http://www.example.org&rf="},
      // Only the first ".de&" gets its slash.
      {"a.de&b.de&c", "http://www.a.de/&b.de&c&rf="},
  };
  for (const auto& item : cases) {
    const std::string address = ReportLinkAddress(item.caption);
    EXPECT_EQ(address.rfind(item.address, 0), 0u) << address;
    EXPECT_EQ(address.find('?'), std::string::npos) << address;
  }
}

TEST(ShellWebLinks, LabelMenuAndDonationAddressesCarryTheirReferralKeys) {
  // A menu caption with a path and a description: the key right behind the path, once.
  const std::string menu = MenuCaptionAddress("ex&ample.com/tools/index.php?p=2 - Our tools");
  EXPECT_EQ(menu.find("http://www.example.com/tools/index.php?p=2&rf="), 0u) << menu;
  EXPECT_EQ(menu.find(" - "), std::string::npos);
  EXPECT_EQ(menu.find("&rf="), menu.rfind("&rf="));
  // Bare hosts get a "/" before the key.
  EXPECT_EQ(LabelCaptionAddress("example.de").find("http://www.example.de/&rf="), 0u);
  EXPECT_EQ(MenuCaptionAddress("example.com").find("http://www.example.com/&rf="), 0u);
  EXPECT_EQ(LabelCaptionAddress("example.org/page").find("http://www.example.org/page&rf="), 0u);
  // The donation label: "?r=" and no slash rule.
  const std::string donation = DonationAddress("example.de/spenden - Vielen Dank!");
  EXPECT_EQ(donation.find("http://www.example.de/spenden?r="), 0u) << donation;
  EXPECT_EQ(donation.find(" - "), std::string::npos);
  EXPECT_EQ(DonationAddress("example.com").find("http://www.example.com?r="), 0u);
  // Each kind of link has a key of its own.
  const auto key = [](const std::string& address) { return address.substr(address.find("&rf=")); };
  EXPECT_NE(key(LabelCaptionAddress("example.org")), key(ReportLinkAddress("example.org")));
  EXPECT_NE(key(MenuCaptionAddress("example.org")), key(ReportLinkAddress("example.org")));
}

TEST(ShellWebLinks, MenusOpenTheWindowsAndTheLinksMenuOpensItsPrograms) {
  ShortcutWindows windows("de");
  windows.LeaveToProcessEnd();
  bugreport_de = new Tbugreport_de(nullptr);
  bugreport_en = new Tbugreport_en(nullptr);
  EXPECT_EQ(bugreport_de->GetCaption(), "Fehler oder Verbesserung melden");
  EXPECT_EQ(bugreport_en->GetCaption(), "Report Bug or Improvement");
  EXPECT_EQ(bugreport_de->Label16->TControl::GetCaption(), "Sehr geehrter Anwender,");
  EXPECT_EQ(bugreport_en->Label16->TControl::GetCaption(), "Dear User,");
  prog->m_bug->Click();
  EXPECT_TRUE(bugreport_de->GetVisible());
  EXPECT_FALSE(bugreport_en->GetVisible());
  formstest::Click(bugreport_de->Button1);
  EXPECT_FALSE(bugreport_de->GetVisible());
  start->spr->SetCaption("en");
  prog->m_bug->Click();
  EXPECT_TRUE(bugreport_en->GetVisible());
  EXPECT_FALSE(bugreport_de->GetVisible());
  formstest::Click(bugreport_en->Button1);

  prog->verk_qcfg->Click();
  EXPECT_TRUE(einstshortcuts_qcfg->GetVisible());
  EXPECT_FALSE(einstshortcuts_idx->GetVisible());
  formstest::Click(einstshortcuts_qcfg->OK);
  EXPECT_FALSE(einstshortcuts_qcfg->GetVisible());
  prog->verk_idx->Click();
  EXPECT_TRUE(einstshortcuts_idx->GetVisible());
  formstest::Click(einstshortcuts_idx->OK);

  ASSERT_GT(prog->m_links->GetCount(), 0);
  std::vector<std::string> opened;
  TWebAddressOpener previous = SetWebAddressOpener([&](const std::string& address) { opened.push_back(address); });
  for (int i = 0; i < prog->m_links->GetCount(); ++i) prog->m_links->GetItem(i)->Click();
  SetWebAddressOpener(previous);
  ASSERT_EQ(static_cast<int>(opened.size()), prog->m_links->GetCount());
  for (int i = 0; i < prog->m_links->GetCount(); ++i) {
    EXPECT_EQ(opened[i], MenuCaptionAddress(prog->m_links->GetItem(i)->GetCaption()));
    EXPECT_EQ(opened[i].find(" - "), std::string::npos) << opened[i];
  }
  bugreport_de = nullptr;
  bugreport_en = nullptr;
}

}  // namespace
