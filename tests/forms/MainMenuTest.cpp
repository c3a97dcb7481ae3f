// The main window's menu bar, its information pages and its web links, through the real
// windows: every entry reaches its window, page or command; the pages step in their order in
// both languages; the captions follow the language; the links go to the opener.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "TextIndexWindows.h"
#include "classlib/CommonDialogs.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "forms/u_design.h"
#include "forms/u_edittxt.h"
#include "forms/u_edittxt2idx.h"
#include "forms/u_editwortlisten.h"
#include "forms/u_einstshortcuts_idx.h"
#include "forms/u_einstshortcuts_qcfg.h"
#include "forms/u_einstausgabe.h"
#include "forms/u_hdesign.h"
#include "forms/u_indexhinzu.h"
#include "forms/u_konfig.h"
#include "forms/u_prog.h"
#include "forms/u_sdesign.h"
#include "forms/u_start.h"
#include "forms/u_wortlisten.h"
#include "forms/u_zusatzfunktion.h"
#include "support/TestSupport.h"

using formstest::Click;
using formstest::DialogAnswers;
using formstest::FileIndexWindows;
using formstest::MessageBoxes;
using formstest::Narrow;
using formstest::Wide;
using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

namespace {

// Every window the menus reach, made as the program makes them; web addresses recorded.
class MenuWindows {
 public:
  MenuWindows() {
    m_windows.LeaveToProcessEnd();
    indexhinzu = new Tindexhinzu(Application);
    zusatzfunktion = new Tzusatzfunktion(Application);
    m_opener = SetWebAddressOpener([this](const std::string& address) { opened.push_back(address); });
  }
  ~MenuWindows() {
    SetWebAddressOpener(m_opener);
    StartConfigurationFolder.clear();
    indexhinzu = nullptr;
    zusatzfunktion = nullptr;
  }
  std::vector<std::string> opened;

 private:
  FileIndexWindows m_windows;
  TWebAddressOpener m_opener;
};

bool OnlyPanelShown(TPanel* shown) {
  for (TPanel* panel : {prog->pstart, prog->pgtxt, prog->pgdateien, prog->pgstw, prog->pinfo})
    if (panel->GetVisible() != (panel == shown)) return false;
  return true;
}

// What one menu entry is checked for: a state prepared before its click and checked after it.
struct Entry {
  std::function<void()> before;
  std::function<void()> after;
};

Entry Page(TPanel* panel, TPageControl* pages = nullptr, TTabSheet* page = nullptr) {
  return {[] { ShowOnlyPanel(prog->pstart); },
          [=] {
            EXPECT_TRUE(OnlyPanelShown(panel));
            if (pages) EXPECT_EQ(pages->GetActivePage(), page) << page->GetName();
          }};
}

Entry InfoPage(TTabSheet* german, TTabSheet* english) {
  return {[] { ShowOnlyPanel(prog->pstart); },
          [=] {
            EXPECT_TRUE(OnlyPanelShown(prog->pinfo));
            EXPECT_EQ(prog->pcide->GetActivePage(), german);
            EXPECT_EQ(prog->pcien->GetActivePage(), english);
          }};
}

// A window shown modally: its OK button is clicked once its loop runs, and ends it.
Entry Modal(TForm* window, TButton* ok) {
  return {[=] {
            window->HandleNeeded();
            window->SetModalResult(mrNone);
            PostMessageA(ok->GetHandle(), BM_CLICK, 0, 0);
          },
          [=] {
            EXPECT_NE(window->GetModalResult(), mrNone) << window->GetName();
            EXPECT_FALSE(window->GetVisible());
          }};
}

Entry Shown(TForm* window) {
  return {[=] { window->Hide(); },
          [=] {
            EXPECT_TRUE(window->GetVisible()) << window->GetName();
            window->Hide();
          }};
}

// A result saved through the save dialog: the memo's text reaches the chosen file.
Entry SavedText(TMemo* memo, const std::string& file, std::unique_ptr<DialogAnswers>& answers) {
  return {[=, &answers] {
            memo->SetText(L"Gespeichertes Wort");
            answers = std::make_unique<DialogAnswers>();
            answers->Choose(file);
          },
          [=, &answers] {
            answers.reset();
            EXPECT_NE(ReadBytes(file).find("Gespeichertes Wort"), std::string::npos) << file;
          }};
}

// A dialog that the entry opens, cancelled.
Entry Dialog(const std::string& name, std::unique_ptr<DialogAnswers>& answers) {
  return {[&answers] {
            answers = std::make_unique<DialogAnswers>();
            answers->Cancel();
          },
          [name, &answers] {
            EXPECT_EQ(answers->dialogs, std::vector<std::string>{name});
            answers.reset();
          }};
}

Entry MenuLink(MenuWindows& windows, Menus::TMenuItem*& item) {
  return {[&windows] { windows.opened.clear(); },
          [&windows, &item] {
            EXPECT_EQ(windows.opened, std::vector<std::string>{MenuCaptionAddress(item->GetCaption())});
          }};
}

// Items tested with the windows they open: the fault report, the shell integration and the
// menu of further programs, which is filled at run time.
const std::set<std::string> kBuiltElsewhere = {"m_bug", "verk_qcfg", "verk_idx", "m_links"};

void CollectItems(Menus::TMenuItem* parent, std::vector<Menus::TMenuItem*>& items) {
  for (int i = 0; i < parent->GetCount(); ++i) {
    Menus::TMenuItem* item = parent->GetItem(i);
    if (item->GetCaption() == "-") continue;
    items.push_back(item);
    CollectItems(item, items);
  }
}

TEST(MainMenu, EveryEntryReachesItsWindowPageOrCommand) {
  MenuWindows windows;
  TempDir dir;
  StartConfigurationFolder = Wide(dir.Path() + "\\");
  std::unique_ptr<DialogAnswers> answers;
  MessageBoxes boxes;
  WriteBytes(dir.File("text.idx"), "Haus:3>-|7>-\r\n");
  WriteBytes(dir.File("files.idx"), "Obstwiese:obst>C:\\obst.html\r\n");
  Menus::TMenuItem* link = nullptr;  // the web-link item being clicked

  std::map<std::string, Entry> entries = {
      {"mneutxt", {[] { prog->original->SetText(L"alt"); },
                   [] {
                     EXPECT_TRUE(OnlyPanelShown(prog->pgtxt));
                     EXPECT_EQ(prog->pct->GetActivePage(), prog->tt1);
                     EXPECT_TRUE(prog->original->GetText().empty());
                   }}},
      {"mneudatei", {[] { prog->qulist->GetItems()->Add()->SetCaption(L"alt"); },
                     [] {
                       EXPECT_EQ(prog->dct->GetActivePage(), prog->td1);
                       EXPECT_EQ(prog->qulist->GetItems()->GetCount(), 0);
                     }}},
      {"mneustw", {[] { prog->squlist->GetItems()->Add()->SetCaption(L"alt"); },
                   [] {
                     EXPECT_EQ(prog->sct->GetActivePage(), prog->ts1);
                     EXPECT_EQ(prog->squlist->GetItems()->GetCount(), 0);
                   }}},
      {"mtidxload", {[&] {
                       prog->qu_text->SetChecked(true);
                       prog->qu_dateiClick(prog);
                       prog->original->SetText(L"Garten");
                       answers = std::make_unique<DialogAnswers>();
                       answers->Choose(dir.File("text.idx"));
                     },
                     [&] {
                       answers.reset();
                       EXPECT_EQ(prog->pct->GetActivePage(), prog->tt6);
                       EXPECT_NE(prog->output->GetText().find(L"Haus"), std::wstring::npos);
                     }}},
      {"mdidxload", {[&] {
                       answers = std::make_unique<DialogAnswers>();
                       answers->Choose(dir.File("files.idx"));
                     },
                     [&] {
                       answers.reset();
                       EXPECT_EQ(prog->dct->GetActivePage(), prog->td5);
                       EXPECT_NE(prog->doutput->GetText().find(L"Obstwiese"), std::wstring::npos);
                     }}},
      {"ext1", SavedText(prog->output, dir.File("text.txt"), answers)},
      {"Indexidx1", Dialog("SaveIndex", answers)},
      {"extHTML1", SavedText(prog->doutput, dir.File("files.txt"), answers)},
      {"Indexidx2", Dialog("SaveIndex", answers)},
      {"mstwidxsave", SavedText(prog->soutput, dir.File("keywords.txt"), answers)},
      {"mbeenden", {[] { start->Show(); }, [] { EXPECT_FALSE(start->GetVisible()); }}},
      {"mets", Page(prog->pgtxt, prog->pct, prog->tt2)},
      {"metk", Page(prog->pgtxt, prog->pct, prog->tt3)},
      {"metd", Modal(design, design->OK)},
      {"medk", Page(prog->pgdateien, prog->dct, prog->td2)},
      {"medd", Modal(hdesign, hdesign->OK)},
      {"mesk", Page(prog->pgstw, prog->sct, prog->ts2)},
      {"mesd", Modal(sdesign, sdesign->OK)},
      {"mewlneg", Modal(negliste, negliste->OK)},
      {"mewlpos", Modal(posliste, posliste->OK)},
      {"zspmenu", {[] { prog->zspmenu->SetChecked(true); }, [] { EXPECT_FALSE(prog->zspmenu->GetChecked()); }}},
      {"spopt", Shown(einstausgabe)},
      {"msprde", {[] { start->spr->SetCaption("en"); }, [] { EXPECT_EQ(start->spr->GetCaption(), L"de"); }}},
      {"mspren", {[] { start->spr->SetCaption("de"); }, [] { EXPECT_EQ(start->spr->GetCaption(), L"en"); }}},
      {"m_konfig_save", Dialog("sd_konfig", answers)},
      {"m_konfig_save_start", {[&] { DeleteFileA(dir.File("Auto.qcfg").c_str()); },
                               [&] { EXPECT_EQ(ReadBytes(dir.File("Auto.qcfg")).substr(0, 2), "\xFF\xFE"); }}},
      {"m_konfig_load", Dialog("od_konfig", answers)},
      {"m_konfig_autosave_nie", {[] { prog->m_konfig_autosave_nie->SetChecked(false); },
                                 [] {
                                   EXPECT_TRUE(prog->m_konfig_autosave_nie->GetChecked());
                                   EXPECT_FALSE(prog->m_konfig_autosave_alles->GetChecked());
                                 }}},
      {"m_konfig_autosave_alles", {[] { prog->m_konfig_autosave_alles->SetChecked(false); },
                                   [] {
                                     EXPECT_TRUE(prog->m_konfig_autosave_alles->GetChecked());
                                     EXPECT_FALSE(prog->m_konfig_autosave_nie->GetChecked());
                                   }}},
      {"m_konfig_standard", {[] { sdesign->zw->SetText("x"); }, [] { EXPECT_EQ(sdesign->zw->GetText(), ":  "); }}},
      {"m_konfig_start", {[&] { sdesign->zw->SetText("vor dem Laden"); },
                          [&] { EXPECT_EQ(sdesign->zw->GetText(), ":  "); }}},
      {"mfstart", Page(prog->pstart)},
      {"mft", Page(prog->pgtxt)},
      {"mft1", Page(prog->pgtxt, prog->pct, prog->tt1)},
      {"mft2", Page(prog->pgtxt, prog->pct, prog->tt2)},
      {"mft3", Page(prog->pgtxt, prog->pct, prog->tt3)},
      {"mft4", Page(prog->pgtxt, prog->pct, prog->tt4)},
      {"mft5", Page(prog->pgtxt, prog->pct, prog->tt5)},
      {"mft6", Page(prog->pgtxt, prog->pct, prog->tt6)},
      {"mfd", Page(prog->pgdateien)},
      {"mfd1", Page(prog->pgdateien, prog->dct, prog->td1)},
      {"mfd2", Page(prog->pgdateien, prog->dct, prog->td2)},
      {"mfd3", Page(prog->pgdateien, prog->dct, prog->td3)},
      {"mfd4", Page(prog->pgdateien, prog->dct, prog->td4)},
      {"mfd5", Page(prog->pgdateien, prog->dct, prog->td5)},
      {"mfs", Page(prog->pgstw)},
      {"mfs1", Page(prog->pgstw, prog->sct, prog->ts1)},
      {"mfs2", Page(prog->pgstw, prog->sct, prog->ts2)},
      {"mfs3", Page(prog->pgstw, prog->sct, prog->ts3)},
      {"mfs4", Page(prog->pgstw, prog->sct, prog->ts4)},
      {"mfs5", Page(prog->pgstw, prog->sct, prog->ts5)},
      {"mfi", Page(prog->pinfo)},
      {"mfi1", InfoPage(prog->tide1, prog->tien1)},
      {"mfi2", InfoPage(prog->tide2, prog->tien2)},
      {"Software2", InfoPage(prog->tide5, prog->tien5)},
      {"mfi3", InfoPage(prog->tide3, prog->tien3)},
      {"mfi4", InfoPage(prog->tide4, prog->tien4)},
      {"mt1", {[] {
                 editneg->Hide();
                 negliste->liste->SetText(L"und\r\noder");
               },
               [] {
                 EXPECT_TRUE(editneg->GetVisible());
                 EXPECT_EQ(formstest::Lines(editneg->liste->GetText()), (std::vector<std::string>{"und", "oder"}));
                 editneg->Hide();
               }}},
      {"mt2", {[] {
                 editpos->Hide();
                 posliste->liste->SetText(L"Kaptorix");
               },
               [] {
                 EXPECT_TRUE(editpos->GetVisible());
                 EXPECT_EQ(formstest::Lines(editpos->liste->GetText()), std::vector<std::string>{"Kaptorix"});
                 editpos->Hide();
               }}},
      {"mt3", Shown(edittxt2idx)},
      {"mt4", Shown(edittxt)},
      {"m_komp", {[] { zusatzfunktion->Hide(); },
                  [] {
                    EXPECT_TRUE(zusatzfunktion->GetVisible());
                    EXPECT_EQ(zusatzfunktion->pc->GetActivePage(), zusatzfunktion->word);
                    zusatzfunktion->Hide();
                  }}},
      {"KurzbeschreibungallerProgramme1", InfoPage(prog->tide5, prog->tien5)},
      {"BriefDescriptionoftheSoftware1", InfoPage(prog->tide5, prog->tien5)},
      {"minfo1", InfoPage(prog->tide1, prog->tien1)},
      {"minfo2", InfoPage(prog->tide2, prog->tien2)},
      {"Software1", InfoPage(prog->tide5, prog->tien5)},
      {"minfo3", InfoPage(prog->tide3, prog->tien3)},
      {"minfo4", InfoPage(prog->tide4, prog->tien4)},
  };
  for (const char* name : {"msoftde1", "msoftde2", "msoften1", "msoften2", "minfo5", "minfo6", "minfo7", "minfo8",
                           "minfo9", "minfo10"})
    entries[name] = MenuLink(windows, link);

  std::vector<Menus::TMenuItem*> items;
  CollectItems(prog->menu->GetItems(), items);
  // The links menu's items are made anew at every language switch (and a loaded configuration
  // switches it too): the ones collected here are gone after the first such click.
  std::erase_if(items, [](Menus::TMenuItem* item) { return item->GetParent() == prog->m_links; });
  std::set<std::string> seen;
  for (Menus::TMenuItem* item : items) {
    const std::string name = item->GetName();
    seen.insert(name);
    const auto entry = entries.find(name);
    if (entry == entries.end()) {
      // Submenus without a command of their own, and the items built elsewhere, are all that
      // may be left out.
      EXPECT_TRUE((item->GetCount() > 0 && !item->OnClick) || kBuiltElsewhere.count(name)) << name;
      continue;
    }
    SCOPED_TRACE(name);
    link = item;
    entry->second.before();
    item->Click();
    entry->second.after();
  }
  for (const auto& [name, entry] : entries) EXPECT_TRUE(seen.count(name)) << "no menu item " << name;
  for (const std::string& name : kBuiltElsewhere) EXPECT_TRUE(seen.count(name)) << "no menu item " << name;
}

struct MenuText {
  const char* name;
  const char* de;
  const char* en;
};

// The menu bar's captions as they are quoted for the program.
const std::vector<MenuText> kMenuCaptions = {
    {"mdatei", "Datei", "File"},
    {"mneu", "Neu", "New"},
    {"mneutxt", "Text Index", "Text Index"},
    {"mneudatei", "Datei Index", "File Index"},
    {"mneustw", "Stichwort Index", "Keyword Index"},
    {"mtidxload", "Text Index Laden", "Load Text Index"},
    {"mdidxload", "Datei Index Laden", "Load File Index"},
    {"mtidxsave", "Text Index Speichern", "Save Text Index"},
    {"mdidxsave", "Datei Index Speichern", "Save File Index"},
    {"mstwidxsave", "Stichwort Index Speichern", "Save Keyword Index"},
    {"m_bug", "Fehler oder Verbesserung melden..", "Report Bug or Improvement.."},
    {"mbeenden", "Beenden", "Close"},
    {"meinst", "Einstellungen", "Settings"},
    {"met", "Text Index", "Text Index"},
    {"med", "Datei Index", "File Index"},
    {"mes", "Stichwort Index", "Keyword Index"},
    {"mets", "Seitenzahlen", "Folio"},
    {"metk", "Kriterien", "Criteria"},
    {"medk", "Kriterien", "Criteria"},
    {"mesk", "Kriterien", "Criteria"},
    {"metd", "Design", "Design"},
    {"medd", "Design", "Design"},
    {"mesd", "Design", "Design"},
    {"mewl", "Wortlisten", "Word Lists"},
    {"mewlneg", "Negativliste", "Black List"},
    {"mewlpos", "Positivliste", "White List"},
    {"zspmenu", "Zwischenspeichern", "Latching"},
    {"spopt", "Speicheroptionen..", "Saving Options.."},
    {"verk", "Verkn\xFCpfungen", "Register File Extension"},
    {"verk_qcfg", "Konfigurationsdateien (*.qcfg)", "Configurations (*.qcfg)"},
    {"verk_idx", "Index-Dateien (*.idx)", "Index-Files (*.idx)"},
    {"mspr", "Sprache", "Language"},
    {"msprde", "Deutsch", "German"},
    {"mspren", "English", "English"},
    {"m_konfig", "Konfiguration", "Configuration"},
    {"m_konfig_save", "Aktuelle Konfiguration speichern", "Save current Configuration"},
    {"m_konfig_save_start", "Aktuelle Konfiguration als Startkonfiguration speichern (auto.qcfg)",
     "Save current Configuration as Start Configuration (auto.qfcg)"},
    {"m_konfig_load", "Konfiguration laden", "Load Configuration"},
    {"m_konfig_autosave", "Konfiguration beim Beenden speichern", "Auto Save Settings on Exit"},
    {"m_konfig_autosave_nie", "Nicht speichern", "Never"},
    {"m_konfig_autosave_alles", "Alles speichern", "Save all"},
    {"m_konfig_standard", "Alle Einstellungen zur\xFC" "cksetzen", "Reset all Settings"},
    {"m_konfig_start", "Startkonfiguration (auto.qcfg) laden wenn vorhanden",
     "Load Start Configuration (auto.qfcg) if possible"},
    {"mfenster", "Fenster", "Windows"},
    {"mfstart", "Start", "Start"},
    {"mft", "Text Index", "Text Index"},
    {"mfd", "Datei Index", "File Index"},
    {"mfs", "Stichwort Index", "Keyword Index"},
    {"mft1", "1. Quelle", "1. Source"},
    {"mfd1", "1. Quelle", "1. Source"},
    {"mfs1", "1. Quelle", "1. Source"},
    {"mft2", "2. Seitenzahlen", "2. Folio"},
    {"mft3", "3. Kriterien", "3. Criteria"},
    {"mft4", "4. Fertigstellen", "4. Complete"},
    {"mfd2", "2. Einstellungen", "2. Criteria"},
    {"mfs2", "2. Einstellungen", "2. Criteria"},
    {"mfd3", "3. Fertigstellen", "3. Complete"},
    {"mfs3", "3. Fertigstellen", "3. Complete"},
    {"mft5", "Index Erstellen", "Create Index"},
    {"mfd4", "Index Erstellen", "Create Index"},
    {"mfs4", "Index Erstellen", "Create Index"},
    {"mft6", "Ergebnis", "Output"},
    {"mfd5", "Ergebnis", "Output"},
    {"mfs5", "Ergebnis", "Output"},
    {"mfi", "Info", "Information"},
    {"minfo", "Info", "Information"},
    {"mfi1", "Hilfe", "Help"},
    {"minfo1", "Hilfe", "Help"},
    {"mfi2", "Empfehlungen", "Regards"},
    {"minfo2", "Empfehlungen", "Regards"},
    {"mfi3", "Wieso spenden?", "Why donate?"},
    {"minfo3", "Wieso spenden?", "Why donate?"},
    {"mfi4", "Lizenz", "Licence"},
    {"minfo4", "Lizenz", "Licence"},
    {"mtools", "Tools", "Tools"},
    {"mt1", "Index > Negativliste", "Index > Black List"},
    {"mt2", "Index > Positivliste", "Index > White List"},
    {"mt3", "Text > Index (*.idx)", "Text > Index (*.idx)"},
    {"mt4", "Seitenzahlen in Text schreiben", "Write Folio to Text"},
    {"m_komp", "Kompatibilit\xE4tstest", "Compatibility Test"},
};

void ExpectLanguage(bool german) {
  for (const MenuText& text : kMenuCaptions) {
    auto* item = dynamic_cast<Menus::TMenuItem*>(prog->FindComponent(text.name));
    ASSERT_NE(item, nullptr) << text.name;
    EXPECT_EQ(item->GetCaption(), german ? text.de : text.en) << text.name;
  }
  EXPECT_EQ(prog->msprde->GetChecked(), german);
  EXPECT_EQ(prog->mspren->GetChecked(), !german);
  // The information page and the menu of other programs of the language.
  EXPECT_EQ(prog->pinfo_de->GetVisible(), german);
  EXPECT_EQ(prog->pinfo_en->GetVisible(), !german);
  EXPECT_EQ(prog->m_soft_de->GetVisible(), german);
  EXPECT_EQ(prog->m_soft_en->GetVisible(), !german);
  // The donation label: an address and the thanks of the language.
  const std::string donation = Narrow(prog->laspenden->GetCaption());
  EXPECT_EQ(donation.substr(donation.find(" - ")), german ? " - Vielen Dank!" : " - Thank You!");
  EXPECT_EQ(prog->sd_konfig->GetTitle(), german ? "Konfiguration speichern.." : "Save Configuration..");
  EXPECT_EQ(prog->od_konfig->GetTitle(), german ? "Konfiguration \xF6" "ffnen.." : "Open Configuration..");
  EXPECT_EQ(prog->sd_konfig->GetFileName(), german ? "Konfiguration.qcfg" : "Configuration.qcfg");
  EXPECT_EQ(prog->od_konfig->GetFilter(),
            german ? "Kaptorix Konfiguration (*.qcfg)|*.qcfg" : "Kaptorix Configuration (*.qcfg)|*.qcfg");
}

TEST(MainMenu, CaptionsPagesAndDialogTextsFollowTheLanguageSwitch) {
  MenuWindows windows;
  prog->mspren->Click();
  ExpectLanguage(false);
  prog->msprde->Click();
  ExpectLanguage(true);
  // A code that is neither language changes nothing.
  start->spr->SetCaption("fr");
  prog->sprachealles();
  ExpectLanguage(true);
}

// Loading an index whose choice is cancelled leaves each wizard as it was: the option to
// extend stays off, the chosen index stays, and no run starts.
TEST(MainMenu, ACancelledIndexLoadLeavesTheWizardAsItWas) {
  MenuWindows windows;
  DialogAnswers answers;
  struct Wizard {
    Menus::TMenuItem* item;
    TCheckBox* extend;
    TLabel* chosen;
    TPageControl* pages;
    TTabSheet* first;
    TMemo* output;
  };
  for (const Wizard& wizard : {Wizard{prog->mdidxload, prog->dkt_integrieren, prog->dkt_index, prog->dct, prog->td1,
                                      prog->doutput},
                               Wizard{prog->mtidxload, prog->kt_integrieren, prog->kt_index, prog->pct, prog->tt1,
                                      prog->output}}) {
    SCOPED_TRACE(wizard.item->GetName());
    ShowOnlyPanel(prog->pstart);
    wizard.pages->SetActivePage(wizard.first);
    wizard.extend->SetChecked(false);
    wizard.chosen->SetCaption("C:\\Register\\alt.idx");
    wizard.output->SetText(L"voriger Index");
    answers.Cancel();
    wizard.item->Click();
    EXPECT_EQ(answers.dialogs.back(), "OpenIndex");
    EXPECT_FALSE(wizard.extend->GetChecked());
    EXPECT_EQ(wizard.chosen->TControl::GetCaption(), "C:\\Register\\alt.idx");
    EXPECT_EQ(wizard.pages->GetActivePage(), wizard.first);
    EXPECT_EQ(wizard.output->GetText(), L"voriger Index");
    EXPECT_TRUE(OnlyPanelShown(prog->pstart));
  }
  EXPECT_EQ(answers.dialogs.size(), 2u);
}

TEST(InformationPages, GermanButtonsStepInTheirOrderAndTheEnglishPageFollows) {
  MenuWindows windows;
  prog->msprde->Click();
  prog->minfo1->Click();
  const std::vector<std::pair<TTabSheet*, TTabSheet*>> order = {{prog->tide1, prog->tien1},
                                                                {prog->tide2, prog->tien2},
                                                                {prog->tide5, prog->tien5},
                                                                {prog->tide3, prog->tien3},
                                                                {prog->tide4, prog->tien4}};
  auto expectAt = [&](size_t i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(prog->pcide->GetActivePage(), order[i].first);
    EXPECT_EQ(prog->pcien->GetActivePage(), order[i].second);
    EXPECT_EQ(prog->btide1->GetEnabled(), i != 0);
    EXPECT_EQ(prog->btide2->GetEnabled(), i != order.size() - 1);
  };
  ASSERT_TRUE(prog->pinfo->GetVisible());
  ASSERT_TRUE(prog->pinfo_de->GetVisible());
  expectAt(0);
  for (size_t i = 1; i < order.size(); ++i) {
    Click(prog->btide2);
    expectAt(i);
  }
  for (size_t i = order.size() - 1; i-- > 0;) {
    Click(prog->btide1);
    expectAt(i);
  }
}

TEST(InformationPages, EnglishButtonsStepThroughTheTabsAndTheTabsSetTheButtons) {
  MenuWindows windows;
  prog->mspren->Click();
  prog->minfo1->Click();
  ASSERT_TRUE(prog->pinfo_en->GetVisible());
  ASSERT_FALSE(prog->pinfo_de->GetVisible());
  const std::vector<TTabSheet*> order = {prog->tien1, prog->tien2, prog->tien5, prog->tien3, prog->tien4};
  auto expectAt = [&](size_t i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(prog->pcien->GetActivePage(), order[i]);
    EXPECT_EQ(prog->btien1->GetEnabled(), i != 0);
    EXPECT_EQ(prog->btien2->GetEnabled(), i != order.size() - 1);
  };
  expectAt(0);
  for (size_t i = 1; i < order.size(); ++i) {
    Click(prog->btien2);
    expectAt(i);
  }
  for (size_t i = order.size() - 1; i-- > 0;) {
    Click(prog->btien1);
    expectAt(i);
  }

  // The user picks a tab: the buttons follow it.
  auto pickTab = [](TPageControl* pages, int index) {
    SendMessageA(pages->GetHandle(), TCM_SETCURSEL, index, 0);
    NMHDR header{pages->GetHandle(), 0, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(GetParent(pages->GetHandle()), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
  };
  pickTab(prog->pcien, 4);
  EXPECT_EQ(prog->pcien->GetActivePage(), prog->tien4);
  EXPECT_TRUE(prog->btien1->GetEnabled());
  EXPECT_FALSE(prog->btien2->GetEnabled());
  prog->msprde->Click();
  prog->minfo4->Click();
  pickTab(prog->pcide, 0);
  EXPECT_EQ(prog->pcide->GetActivePage(), prog->tide1);
  EXPECT_FALSE(prog->btide1->GetEnabled());
  EXPECT_TRUE(prog->btide2->GetEnabled());
}

TEST(WebLinks, TheLabelsOfThePagesAndTheDonationLabelOpenTheirAddresses) {
  MenuWindows windows;
  for (const char* code : {"de", "en"}) {
    start->spr->SetCaption(code);
    prog->sprachealles();
    // Every address label of the information pages of the language.
    TPageControl* pages = std::string(code) == "de" ? prog->pcide : prog->pcien;
    int labels = 0;
    for (int p = 0; p < pages->GetPageCount(); ++p) {
      TTabSheet* page = pages->GetPage(p);
      for (int i = 0; i < page->GetControlCount(); ++i) {
        TControl* label = page->GetControl(i);
        if (label->GetName().find("_link") == std::string::npos) continue;
        ++labels;
        windows.opened.clear();
        label->Click();
        ASSERT_EQ(windows.opened.size(), 1u) << label->GetName();
        EXPECT_EQ(windows.opened[0].find("http://www." + label->GetCaption()), 0u) << windows.opened[0];
        EXPECT_EQ(windows.opened[0], LabelCaptionAddress(label->GetCaption()));
      }
    }
    EXPECT_GE(labels, 2) << code;
    windows.opened.clear();
    prog->laspenden->Click();
    ASSERT_EQ(windows.opened.size(), 1u);
    EXPECT_EQ(windows.opened[0], DonationAddress(Narrow(prog->laspenden->GetCaption())));
    EXPECT_EQ(windows.opened[0].find(" - "), std::string::npos);
  }
  // A host with a path, as the German pages hold it (the programs' lists hold bare hosts).
  windows.opened.clear();
  dynamic_cast<TControl*>(prog->FindComponent("tide1_link1"))->Click();
  EXPECT_EQ(windows.opened, (std::vector<std::string>{"http://www.kaptorix.de/hilfe&rf=kxl"}));
}

// The back button of the information pages is off on the first page and the next button on
// it, in both languages, whether the side bar or the menu brought the panel.
TEST(InformationPages, TheButtonsFollowTheFirstPageWhicheverWayThePanelCame) {
  MenuWindows windows;
  const std::vector<std::pair<const char*, std::function<void()>>> ways = {
      {"side bar", [] { prog->rand_btinfo->Click(); }},
      {"menu", [] { prog->minfo1->Click(); }},
      {"side bar again", [] { prog->rand_btinfo->Click(); }},
  };
  for (const char* code : {"de", "en"}) {
    start->spr->SetCaption(code);
    prog->sprachealles();
    for (const auto& [way, show] : ways) {
      SCOPED_TRACE(std::string(code) + ", " + way);
      ShowOnlyPanel(prog->pstart);
      show();
      ASSERT_TRUE(prog->pinfo->GetVisible());
      EXPECT_EQ(prog->pcide->GetActivePage(), prog->tide1);
      EXPECT_FALSE(prog->btide1->GetEnabled());
      EXPECT_TRUE(prog->btide2->GetEnabled());
      EXPECT_EQ(prog->pcien->GetActivePage(), prog->tien1);
      EXPECT_FALSE(prog->btien1->GetEnabled());
      EXPECT_TRUE(prog->btien2->GetEnabled());
    }
  }
  // Off the first page the side bar keeps the page and its buttons.
  prog->minfo4->Click();
  prog->rand_btinfo->Click();
  EXPECT_EQ(prog->pcien->GetActivePage(), prog->tien4);
  EXPECT_TRUE(prog->btien1->GetEnabled());
  EXPECT_FALSE(prog->btien2->GetEnabled());
}

// The text wizard's summary tells how to change the settings with the back button only while
// the button is shown: not when the menu brings the summary from the first page.
TEST(TextWizardSummary, ItPointsToTheBackButtonOnlyWhileTheButtonIsShown) {
  MenuWindows windows;
  for (const char* code : {"de", "en"}) {
    SCOPED_TRACE(code);
    start->spr->SetCaption(code);
    prog->sprachealles();
    prog->mft1->Click();
    ASSERT_FALSE(prog->bt1->GetVisible());
    prog->mft4->Click();
    EXPECT_EQ(prog->pct->GetActivePage(), prog->tt4);
    EXPECT_FALSE(prog->bt1->GetVisible());
    EXPECT_FALSE(prog->StaticText4->GetVisible());
    // Through the pages the button is there, and so is the sentence.
    prog->mft1->Click();
    for (int step = 0; step < 3; ++step) Click(prog->bt2);
    EXPECT_EQ(prog->pct->GetActivePage(), prog->tt4);
    EXPECT_TRUE(prog->bt1->GetVisible());
    EXPECT_TRUE(prog->StaticText4->GetVisible());
    EXPECT_EQ(prog->StaticText4->GetCaption(), std::string(code) == "de"
                                                   ? L"Mit \"<< zur\x00FC" L"ck\" \x00E4ndern Sie die Einstellungen."
                                                   : L"Use \"<< back\" to change the settings.");
  }
}

// Every web link follows the language: the menu of further programs and the help link of both
// shortcut windows open the pages of the language shown, German ones at ".de/", English ones
// at ".com/".
TEST(WebLinks, EachLanguageLinksItsOwnPages) {
  MenuWindows windows;
  einstshortcuts_idx = new Teinstshortcuts_idx(Application);
  einstshortcuts_qcfg = new Teinstshortcuts_qcfg(Application);
  for (const auto& [code, host] : {std::pair<const char*, const char*>{"de", "http://www.kaptorix.de/"},
                                   std::pair<const char*, const char*>{"en", "http://www.kaptorix.com/"}}) {
    SCOPED_TRACE(code);
    start->spr->SetCaption(code);
    prog->sprachealles();
    ASSERT_GE(prog->m_links->GetCount(), 1);
    for (int i = 0; i < prog->m_links->GetCount(); ++i) {
      windows.opened.clear();
      prog->m_links->GetItem(i)->Click();
      ASSERT_EQ(windows.opened.size(), 1u);
      EXPECT_EQ(windows.opened[0].rfind(host, 0), 0u) << windows.opened[0];
    }
    for (TShortcutsWindow* window : {static_cast<TShortcutsWindow*>(einstshortcuts_idx),
                                     static_cast<TShortcutsWindow*>(einstshortcuts_qcfg)}) {
      windows.opened.clear();
      window->Label70Click(window->Label70);
      ASSERT_EQ(windows.opened.size(), 1u);
      EXPECT_EQ(windows.opened[0].rfind(host, 0), 0u) << window->GetName() << ": " << windows.opened[0];
    }
  }
  einstshortcuts_idx = nullptr;
  einstshortcuts_qcfg = nullptr;
}

}  // namespace
