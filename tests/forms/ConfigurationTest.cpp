// Configuration files through the real windows: every stored option of every window, files of
// older copies, values with blanks, the main window's place, the configuration menu, the start
// configuration and the autosave on close.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "TextIndexWindows.h"
#include "classlib/CommonDialogs.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "engine/u_FileErrors.h"
#include "engine/u_WideFuncText.h"
#include "engine/u_funktionen.h"
#include "forms/u_design.h"
#include "forms/u_einstausgabe.h"
#include "forms/u_hdesign.h"
#include "forms/u_indexhinzu.h"
#include "forms/u_konfig.h"
#include "forms/u_prog.h"
#include "forms/u_quhopt.h"
#include "forms/u_sdesign.h"
#include "forms/u_start.h"
#include "forms/u_szkriterien.h"
#include "forms/u_textdesign.h"
#include "support/TestSupport.h"
#include "ucode/UCodeClasses.h"
#include "ucode/UCodeControls.h"
#include "ucode/UCodeIniFiles.h"
#include "ucode/UCodeSystem.h"

using formstest::MessageBoxes;
using formstest::Narrow;
using formstest::TextIndexWindows;
using formstest::Wide;
using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

namespace {

// Every window whose options a configuration holds, made as the program makes them.
class AllWindows {
 public:
  AllWindows() {
    quhopt = new Tquhopt(nullptr);
    hdesign = new Thdesign(nullptr);
    textdesign = new Ttextdesign(nullptr);
    sdesign = new Tsdesign(nullptr);
    einstausgabe = new Teinstausgabe(nullptr);
    indexhinzu = new Tindexhinzu(nullptr);
    start->spr->SetCaption("de");
    prog->sprachealles();
  }
  ~AllWindows() {
    for (TForm** window : std::initializer_list<TForm**>{reinterpret_cast<TForm**>(&quhopt),
                                                         reinterpret_cast<TForm**>(&hdesign),
                                                         reinterpret_cast<TForm**>(&textdesign),
                                                         reinterpret_cast<TForm**>(&sdesign),
                                                         reinterpret_cast<TForm**>(&einstausgabe),
                                                         reinterpret_cast<TForm**>(&indexhinzu)}) {
      (*window)->Free();
      *window = nullptr;
    }
    StartConfigurationFolder.clear();
  }

 private:
  TextIndexWindows m_windows;
};

// The stored options of every window: section + ident -> value as a configuration writes it.
using Options = std::map<std::wstring, std::wstring>;

std::wstring ValueOf(TComponent* component, const std::wstring& code) {
  if (code == L"ED" || code == L"CB") return WideGetControlText(static_cast<TControl*>(component));
  if (code == L"RB") return static_cast<TRadioButton*>(component)->GetChecked() ? L"1" : L"0";
  if (code == L"CH") return static_cast<TCheckBox*>(component)->GetChecked() ? L"1" : L"0";
  if (code == L"SB") return std::to_wstring(static_cast<TScrollBar*>(component)->GetPosition());
  if (code == L"PA") return static_cast<TControl*>(component)->GetVisible() ? L"1" : L"0";
  return Wide(static_cast<TLabeledEdit*>(component)->GetText());
}

// The information page of each language is stored like every panel, but the language
// applied at the end of every load decides which of the two is shown.
bool FollowsTheLanguage(TComponent* component) {
  return component == prog->pinfo_de || component == prog->pinfo_en;
}

Options CurrentOptions() {
  Options options;
  for (const TConfigWindow& row : ConfigWindows())
    for (int i = 0; i < row.Window()->GetComponentCount(); ++i) {
      TComponent* component = row.Window()->GetComponent(i);
      const std::wstring code = ConfigControlCode(component);
      if (!code.empty() && !FollowsTheLanguage(component))
        options[row.Code + code + L"/" + Wide(component->GetName())] = ValueOf(component, code);
    }
  return options;
}

// Changes every stored option: texts get a new value with blanks at both ends, boxes and panels
// flip, radio buttons are set member by member (the last of a group wins).
void ChangeEveryOption(int round) {
  for (const TConfigWindow& row : ConfigWindows())
    for (int i = 0; i < row.Window()->GetComponentCount(); ++i) {
      TComponent* component = row.Window()->GetComponent(i);
      const std::wstring code = ConfigControlCode(component);
      const std::wstring text = L" " + std::to_wstring(round) + Wide(component->GetName()) + L"\x00E4 ";
      if (code == L"ED" || code == L"CB") {
        WideSetControlText(static_cast<TControl*>(component), text);
      } else if (code == L"LE") {
        static_cast<TLabeledEdit*>(component)->SetText(Narrow(text));
      } else if (code == L"RB") {
        auto* radio = static_cast<TRadioButton*>(component);
        if (!radio->GetChecked() && (i + round) % 2 == 0) radio->SetChecked(true);
      } else if (code == L"CH") {
        auto* box = static_cast<TCheckBox*>(component);
        box->SetChecked(!box->GetChecked());
      } else if (code == L"PA") {
        auto* panel = static_cast<TControl*>(component);
        panel->SetVisible(!panel->GetVisible());
      } else if (code == L"SB") {
        static_cast<TScrollBar*>(component)->SetPosition(round);
      }
    }
}

// The idents that a file of this program holds, by section, in the order of the file.
const std::map<std::wstring, std::vector<std::string>> kIdents = {
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
    {L"EPCB", {"wahl"}},
    {L"ENCH", {"sitzung"}},
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

const std::vector<std::wstring> kWindowOrder = {L"PB", L"DS", L"EN", L"EP", L"ET", L"EI", L"EA", L"HD",
                                                L"IH", L"NL", L"PL", L"QO", L"SD", L"SB", L"SK", L"TD"};

std::vector<std::wstring> SectionsOf(const std::wstring& file) {
  TUCodeIniFile ini(file);
  TUCodeStringList sections;
  ini.ReadSections(sections);
  std::vector<std::wstring> names;
  for (int i = 0; i < sections.GetCount(); ++i) names.push_back(sections.Get(i));
  return names;
}

TEST(Configuration, EveryWindowWritesTheIdentsOfItsOptionsInTheWindowOrder) {
  AllWindows windows;
  TempDir dir;
  const std::wstring file = Wide(dir.File("all.qcfg"));
  SaveConfiguration(file);
  // A new file is UTF-16 LE with its mark.
  EXPECT_EQ(ReadBytes(dir.File("all.qcfg")).substr(0, 2), "\xFF\xFE");

  size_t orderPosition = 0;
  std::set<std::wstring> written;
  for (const TConfigWindow& row : ConfigWindows()) {
    // The windows come in the order of the file format.
    while (orderPosition < kWindowOrder.size() && kWindowOrder[orderPosition] != row.Code) ++orderPosition;
    ASSERT_LT(orderPosition, kWindowOrder.size()) << Narrow(row.Code);
    for (const auto& [section, idents] : kIdents) {
      if (section.substr(0, 2) != row.Code) continue;
      TUCodeIniFile ini(file);
      TUCodeStringList keys;
      ini.ReadSection(section, keys);
      std::vector<std::string> found;
      for (int i = 0; i < keys.GetCount(); ++i) found.push_back(Narrow(keys.Get(i)));
      EXPECT_EQ(found, idents) << Narrow(section);
      written.insert(section);
    }
  }
  std::vector<std::wstring> sections = SectionsOf(file);
  ASSERT_GE(sections.size(), 2u);
  EXPECT_EQ(sections[sections.size() - 2], L"SP");
  EXPECT_EQ(sections.back(), L"AS");
  for (size_t i = 0; i + 2 < sections.size(); ++i) EXPECT_TRUE(written.count(sections[i])) << Narrow(sections[i]);
}

// A file edited by hand may set two radio buttons of one group: the one read later, in the
// order of the file, stays checked.
TEST(Configuration, OfTwoRadioButtonsOfAGroupSetInAFileTheLaterInTheFileWins) {
  struct Case {
    const wchar_t* section;
    const char* earlier;
    const char* later;
  };
  const Case cases[] = {
      {L"PBRB", "qu_datei", "qu_text"},        {L"PBRB", "sz_zeilezuseite", "sz_auslesen"},
      {L"PBRB", "htmlindex", "textindex"},     {L"EIRB", "zus_eintrag", "zus_auslassen"},
      {L"EIRB", "zus_seite", "zus_auslassen"}, {L"EIRB", "sl", "ls"},
      {L"EARB", "rb_ansi", "rb_utf8bom"},      {L"EARB", "rb_utf8", "rb_beibehalten"},
      {L"EARB", "rb_utf16le", "rb_utf32be"},   {L"QORB", "rb1", "rb3"},
      {L"SKRB", "sz_bwstandard", "sz_bwdef"},  {L"SKRB", "posueber", "posunter"},
  };
  AllWindows windows;
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.section) + " " + c.earlier + " " + c.later);
    LoadFactorySettings();
    const std::string file = dir.File("hand.qcfg");
    // Written by hand, the later one first in the text.
    WriteBytes(file, "[" + Narrow(c.section) + "]\r\n" + c.later + "=1\r\n" + c.earlier + "=1\r\n");
    LoadConfiguration(Wide(file), false);
    TForm* window = nullptr;
    for (const TConfigWindow& row : ConfigWindows())
      if (std::wstring(c.section).substr(0, 2) == row.Code) window = row.Window();
    ASSERT_NE(window, nullptr);
    auto* earlier = dynamic_cast<TRadioButton*>(window->FindComponent(c.earlier));
    auto* later = dynamic_cast<TRadioButton*>(window->FindComponent(c.later));
    ASSERT_TRUE(earlier != nullptr && later != nullptr);
    EXPECT_TRUE(later->GetChecked());
    EXPECT_FALSE(earlier->GetChecked());
  }
}

TEST(Configuration, ALoadGivesBackEveryOptionThatWasSaved) {
  AllWindows windows;
  TempDir dir;
  const std::wstring file = Wide(dir.File("round.qcfg"));
  ChangeEveryOption(1);
  const Options saved = CurrentOptions();
  SaveConfiguration(file);

  LoadFactorySettings();
  ChangeEveryOption(2);
  ASSERT_NE(CurrentOptions(), saved);
  LoadConfiguration(file, false);
  const Options loaded = CurrentOptions();
  for (const auto& [key, value] : saved) EXPECT_EQ(loaded.at(key), value) << Narrow(key);
  EXPECT_TRUE(prog->pinfo_de->GetVisible());
  EXPECT_FALSE(prog->pinfo_en->GetVisible());
}

TEST(Configuration, TextsOutsideTheCodePageSurviveASaveAndALoad) {
  AllWindows windows;
  TempDir dir;
  const std::wstring file = Wide(dir.File("cyrillic.qcfg"));
  const std::wstring path = L"\x0421\x043B\x043E\x0432\x0430\x0440\x044C.txt";   // a file name in Cyrillic
  const std::wstring font = L"\x0428\x0440\x0438\x0444\x0442, Arial";
  prog->squpfad->SetText(path);
  hdesign->schriftart->SetText(font);
  SaveConfiguration(file);
  // Stored as UTF-16 in the file itself, not as the code page's substitutes.
  const std::string bytes = ReadBytes(dir.File("cyrillic.qcfg"));
  EXPECT_NE(bytes.find(std::string("\x21\x04\x3B\x04\x3E\x04", 6)), std::string::npos);
  prog->squpfad->SetText(L"");
  hdesign->schriftart->SetText(L"Arial");
  LoadConfiguration(file, false);
  EXPECT_EQ(prog->squpfad->GetText(), path);
  EXPECT_EQ(hdesign->schriftart->GetText(), font);
}

TEST(Configuration, FactoryLayoutsWithBlanksSurviveASaveAndALoad) {
  AllWindows windows;
  TempDir dir;
  const std::wstring file = Wide(dir.File("factory.qcfg"));
  ChangeEveryOption(3);
  prog->m_konfig_autosave_alles->Click();
  LoadFactorySettings();
  EXPECT_EQ(design->dsep->GetText(), ", ");
  EXPECT_EQ(sdesign->zw->GetText(), ":  ");
  EXPECT_EQ(textdesign->s->GetText(), " | ");
  EXPECT_EQ(hdesign->LinkTrenner->GetText(), " | ");
  EXPECT_EQ(szkriterien->sz_bwdefs->GetText(), L"- ( ) [ ]");
  EXPECT_TRUE(prog->qu_datei->GetChecked());
  EXPECT_FALSE(prog->qu_text->GetChecked());
  EXPECT_TRUE(prog->m_konfig_autosave_nie->GetChecked());
  EXPECT_FALSE(prog->m_konfig_autosave_alles->GetChecked());
  const Options factory = CurrentOptions();
  SaveConfiguration(file);
  ChangeEveryOption(4);
  LoadConfiguration(file, false);
  EXPECT_EQ(CurrentOptions(), factory);
  EXPECT_EQ(textdesign->bl->GetText(), " [");
}

TEST(Configuration, OlderFilesLoadAndKeysOfOthersStay) {
  AllWindows windows;
  TempDir dir;
  WriteBytes(dir.File("old.qcfg"),
             "[DSLE]\r\ndsep=;\r\nrenamed=7\r\n[PBCH]\r\nkt_maxl=0\r\nkt_zahlen=0x0\r\nkt_design=0x1\r\n"
             "[PBCB]\r\nkt_max=abc\r\n[XX]\r\nfoo=bar\r\n");
  design->dzw->SetText("--");
  prog->kt_maxl->SetChecked(true);
  prog->kt_zahlen->SetChecked(true);
  prog->kt_design->SetChecked(false);
  LoadConfiguration(Wide(dir.File("old.qcfg")), false);
  EXPECT_EQ(design->dsep->GetText(), ";");
  EXPECT_EQ(design->dzw->GetText(), "--");  // no key: unchanged
  EXPECT_FALSE(prog->kt_maxl->GetChecked());
  EXPECT_FALSE(prog->kt_zahlen->GetChecked());
  EXPECT_TRUE(prog->kt_design->GetChecked());
  EXPECT_EQ(prog->kt_max->GetText(), L"abc");  // texts are taken as stored

  SaveConfiguration(Wide(dir.File("old.qcfg")));
  TUCodeIniFile ini(Wide(dir.File("old.qcfg")));
  EXPECT_EQ(ini.ReadString(L"DSLE", L"renamed", L""), L"7");
  EXPECT_EQ(ini.ReadString(L"XX", L"foo", L""), L"bar");
  EXPECT_EQ(ini.ReadString(L"DSLE", L"dzw", L""), L"--");
}

// A file that holds only the autosave choice changes nothing else, not even the blanks at the
// ends of the design texts; a start configuration saved afterwards still holds them.
TEST(Configuration, AFileWithoutTheDesignKeysLeavesTheLayoutsWithBlanksAsTheyAre) {
  AllWindows windows;
  TempDir dir;
  LoadFactorySettings();
  const Options before = CurrentOptions();
  WriteBytes(dir.File("autosave.qcfg"), "[AS]\r\nN=0\r\nA=1\r\n");
  LoadConfiguration(Wide(dir.File("autosave.qcfg")), false);
  EXPECT_EQ(CurrentOptions(), before);
  EXPECT_TRUE(prog->m_konfig_autosave_alles->GetChecked());
  const std::wstring saved = Wide(dir.File("Auto.qcfg"));
  SaveConfiguration(saved);
  TUCodeIniFile ini(saved);
  for (const auto& [section, ident, value] : {std::tuple<const wchar_t*, const wchar_t*, const wchar_t*>{
                                                  L"DSLE", L"dsep", L", "},
                                              {L"SDLE", L"zw", L":  "},
                                              {L"TDLE", L"s", L" | "},
                                              {L"HDLE", L"LinkTrenner", L" | "},
                                              {L"TDLE", L"bl", L" ["},
                                              {L"EILE", L"zws", L", "}})
    EXPECT_EQ(ini.ReadString(section, ident, L"missing"), value) << Narrow(section) << "/" << Narrow(ident);
}

TEST(Configuration, AStoredPlaceIsTakenOnlyWhereTheCaptionCanBeReached) {
  AllWindows windows;
  TempDir dir;
  const std::wstring file = Wide(dir.File("place.qcfg"));
  auto write = [&](const std::string& sp) { WriteBytes(dir.File("place.qcfg"), "[SP]\r\n" + sp); };
  const int designHeight = prog->GetClientHeight();
  prog->SetBounds(40, 30, 700, 500);

  write("PL=-32000\r\nPT=-32000\r\n");  // saved while minimised
  LoadConfiguration(file, false);
  EXPECT_EQ(prog->GetLeft(), 40);
  EXPECT_EQ(prog->GetTop(), 30);
  // On screen by the figures, but the caption is out of reach.
  write("PL=" + std::to_string(Screen->GetWidth() - 5) + "\r\nPT=100\r\n");
  LoadConfiguration(file, false);
  EXPECT_EQ(prog->GetLeft(), 40);
  EXPECT_EQ(prog->GetTop(), 30);
  write("PL=100\r\nPT=" + std::to_string(Screen->GetHeight() - 2) + "\r\n");
  LoadConfiguration(file, false);
  EXPECT_EQ(prog->GetLeft(), 40);
  EXPECT_EQ(prog->GetTop(), 30);
  write("PL=120\r\nPT=60\r\n");
  LoadConfiguration(file, false);
  EXPECT_EQ(prog->GetLeft(), 120);
  EXPECT_EQ(prog->GetTop(), 60);

  // A height within the screen and above the design's is taken, whatever the width.
  const int height = designHeight + 50;
  write("PB=" + std::to_string(Screen->GetWidth() + 1) + "\r\nPH=" + std::to_string(height) + "\r\n");
  const int width = prog->GetClientWidth();
  LoadConfiguration(file, false);
  EXPECT_EQ(prog->GetClientWidth(), width);
  EXPECT_EQ(prog->GetClientHeight(), height);
  write("PB=" + std::to_string(Screen->GetWidth()) + "\r\n");
  LoadConfiguration(file, false);
  EXPECT_EQ(prog->GetClientWidth(), Screen->GetWidth());

  prog->SetBounds(40, 30, 700, 500);
  write("PF=1\r\nPL=300\r\n");
  LoadConfiguration(file, true);  // at start-up the left edge stays
  EXPECT_EQ(prog->GetLeft(), 40);
  EXPECT_EQ(prog->GetTop(), 0);
  LoadConfiguration(file, false);
  EXPECT_EQ(prog->GetLeft(), 0);
}

TEST(Configuration, AStoredSizeSmallerThanTheWindowsDesignIsPassedOverWithoutAMessage) {
  AllWindows windows;
  MessageBoxes boxes;
  TempDir dir;
  // The window as its description makes it: the least room in which all of it can be used.
  const int designWidth = prog->GetClientWidth(), designHeight = prog->GetClientHeight();
  ASSERT_LT(designWidth + 20, Screen->GetWidth());
  ASSERT_LT(designHeight + 20, Screen->GetHeight());
  struct Case {
    std::string width, height;
    bool taken;
  };
  const Case cases[] = {
      {"-2147483648", "-2147483648", false},
      {"0xFFFFFFFF", "0xFFFFFFFF", false},
      {"0", "0", false},
      {"116", "27", false},
      {std::to_string(designWidth - 1), std::to_string(designHeight - 1), false},
      {std::to_string(designWidth), std::to_string(designHeight), true},
      {std::to_string(designWidth + 10), std::to_string(designHeight + 10), true},
      {std::to_string(Screen->GetWidth() + 1), std::to_string(Screen->GetHeight() + 1), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width + " x " + c.height);
    prog->SetClientWidth(designWidth + 20);
    prog->SetClientHeight(designHeight + 20);
    WriteBytes(dir.File("size.qcfg"), "[SP]\r\nPB=" + c.width + "\r\nPH=" + c.height + "\r\n");
    LoadConfiguration(Wide(dir.File("size.qcfg")), true);
    EXPECT_EQ(prog->GetClientWidth(), c.taken ? std::stoi(c.width) : designWidth + 20);
    EXPECT_EQ(prog->GetClientHeight(), c.taken ? std::stoi(c.height) : designHeight + 20);
  }
  EXPECT_EQ(boxes.texts, std::vector<std::string>());
}

TEST(Configuration, LoadingRunsHandlersOnlyOnTheFinalValuesAndWritesNoStaleLinesIntoAFileList) {
  AllWindows windows;
  TempDir dir;
  const std::wstring file = Wide(dir.File("handlers.qcfg"));
  WriteBytes(dir.File("handlers.qcfg"), "[PBRB]\r\nqu_datei=0\r\nqu_text=1\r\n[QORB]\r\nrb1=0\r\nrb2=1\r\n");
  prog->qu_datei->SetChecked(true);
  prog->qu_dateiClick(prog);
  for (const char* name : {"A", "B"}) {
    TListItem* row = prog->qulist->GetItems()->Add();
    row->SetCaption(name);
    row->GetSubItems()->Add(std::string("link-") + name);
  }
  // Lines left in the file-list options from an earlier opening.
  quhopt->liste->SetText(L"stale 1\r\nstale 2");
  LoadConfiguration(file, false);
  EXPECT_TRUE(prog->qu_text->GetChecked());
  // The source group follows the final choice.
  EXPECT_TRUE(prog->original->GetEnabled());
  EXPECT_FALSE(prog->edit_quelle->GetEnabled());
  EXPECT_TRUE(quhopt->rb2->GetChecked());
  EXPECT_EQ(prog->qulist->GetItems()->GetItem(0)->GetCaption(), L"A");
  EXPECT_EQ(prog->qulist->GetItems()->GetItem(1)->GetCaption(), L"B");
  EXPECT_EQ(prog->qulist->GetItems()->GetItem(0)->GetSubItems()->Get(0), L"link-A");
  // The window shows and edits the column the load chose: its OK writes there and nowhere else.
  quhopt->liste->SetText(L"edited A\r\nedited B");
  formstest::Click(quhopt->OK);
  EXPECT_EQ(prog->qulist->GetItems()->GetItem(0)->GetCaption(), L"A");
  EXPECT_EQ(prog->qulist->GetItems()->GetItem(0)->GetSubItems()->Get(0), L"edited A");
  EXPECT_EQ(prog->qulist->GetItems()->GetItem(1)->GetSubItems()->Get(0), L"edited B");
}

TEST(ConfigurationMenu, SavedAndLoadedFilesAreListedOnceAndLoadFromTheMenu) {
  AllWindows windows;
  TempDir dir;
  std::string answer = dir.File("menu.qcfg");
  std::vector<std::string> titles;
  TCommonDialogAnswerer previous = SetCommonDialogAnswerer([&](TCommonDialog& dialog) {
    auto& fileDialog = static_cast<TOpenDialog&>(dialog);
    titles.push_back(fileDialog.GetTitle());
    fileDialog.SetFileName(answer);
    return true;
  });
  const int fixed = prog->m_konfig->GetCount();
  design->ub->SetText("Saved");
  prog->m_konfig_save->Click();
  prog->m_konfig_save->Click();
  ASSERT_EQ(prog->m_konfig->GetCount(), fixed + 1);
  Menus::TMenuItem* item = prog->m_konfig->GetItem(fixed);
  EXPECT_EQ(item->GetName(), "m_konfig_" + std::to_string(fixed));
  EXPECT_EQ(item->GetHint(), answer);
  answer = dir.Path() + "\\MENU.qcfg";  // another name for the same file
  prog->m_konfig_load->Click();
  EXPECT_EQ(prog->m_konfig->GetCount(), fixed + 2);
  SetCommonDialogAnswerer(previous);
  EXPECT_EQ(titles, (std::vector<std::string>{"Konfiguration speichern..", "Konfiguration speichern..",
                                              "Konfiguration \xF6" "ffnen.."}));

  design->ub->SetText("Changed");
  item->Click();
  EXPECT_EQ(design->ub->GetText(), "Saved");
  DeleteFileA(dir.File("menu.qcfg").c_str());
  design->ub->SetText("Changed");
  item->Click();  // a file that is gone is passed over
  EXPECT_EQ(design->ub->GetText(), "Changed");
}

TEST(ConfigurationMenu, AConfigurationNamedInAnyScriptIsSavedAndLoadedUnderItsName) {
  AllWindows windows;
  TempDir dir;
  // Greek, typed without the extension: the dialog adds it as the system does.
  const std::wstring typed = Wide(dir.Path()) + L"\\\u03A1\u03C5\u03B8\u03BC\u03AF\u03C3\u03B5\u03B9\u03C2";
  const std::wstring file = typed + L".qcfg";
  TCommonDialogAnswerer previous = SetCommonDialogAnswerer([&](TCommonDialog& dialog) {
    if (auto* save = dynamic_cast<TUCodeSaveDialog*>(&dialog)) save->SetFileNameW(typed);
    if (auto* open = dynamic_cast<TUCodeOpenDialog*>(&dialog)) open->SetFileNameW(file);
    return true;
  });
  const int fixed = prog->m_konfig->GetCount();
  design->ub->SetText("Gespeichert");
  prog->m_konfig_save->Click();
  design->ub->SetText("Anders");
  prog->m_konfig_load->Click();
  SetCommonDialogAnswerer(previous);
  EXPECT_EQ(design->ub->GetText(), "Gespeichert");
  EXPECT_NE(ReadBytes(file), "") << "no file under the Greek name";
  ASSERT_EQ(prog->m_konfig->GetCount(), fixed + 1);
  auto* item = dynamic_cast<TUCodeMenuItem*>(prog->m_konfig->GetItem(fixed));
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->GetHint(), file);
}

TEST(ConfigurationMenu, StartConfigurationAndAutosaveOnClose) {
  AllWindows windows;
  TempDir dir;
  StartConfigurationFolder = Wide(dir.Path() + "\\");
  MessageBoxes boxes;
  start->spr->SetCaption("en");
  design->ub->SetText("Before");
  prog->m_konfig_start->Click();
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_EQ(boxes.texts[0], "There is no start configuration defined.");
  EXPECT_EQ(design->ub->GetText(), "Before");

  prog->m_konfig_save_start->Click();
  EXPECT_EQ(prog->m_konfig_start->GetHint(), Wide(dir.File("Auto.qcfg")));
  design->ub->SetText("After");
  prog->m_konfig_start->Click();
  EXPECT_EQ(design->ub->GetText(), "Before");

  // Autosave: only "save all" writes on close.
  DeleteFileA(dir.File("Auto.qcfg").c_str());
  EXPECT_TRUE(prog->CloseQuery());
  EXPECT_TRUE(ReadBytes(dir.File("Auto.qcfg")).empty());
  prog->m_konfig_autosave_alles->Click();
  EXPECT_TRUE(prog->m_konfig_autosave_alles->GetChecked());
  EXPECT_FALSE(prog->m_konfig_autosave_nie->GetChecked());
  design->ub->SetText("On close");
  EXPECT_TRUE(prog->CloseQuery());
  TUCodeIniFile ini(Wide(dir.File("Auto.qcfg")));
  EXPECT_EQ(ini.ReadString(L"DSLE", L"ub", L""), L"On close");
  EXPECT_TRUE(ini.ReadBool(L"AS", L"A", false));
  EXPECT_EQ(boxes.texts.size(), 1u);
}

TEST(ConfigurationMenu, AutosaveIntoAFolderThatCannotBeWrittenIsToldOnceAndTheWindowCloses) {
  AllWindows windows;
  TempDir dir;
  StartConfigurationFolder = Wide(dir.Path() + "\\no such folder\\");
  MessageBoxes boxes;
  prog->m_konfig_autosave_alles->Click();
  start->spr->SetCaption("de");
  EXPECT_TRUE(prog->CloseQuery());
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_EQ(boxes.texts[0], "Die Startkonfiguration konnte nicht gespeichert werden: " + dir.Path() +
                                "\\no such folder\\Auto.qcfg\r\n\r\nDer Ordner der Datei wurde nicht gefunden.");
}

TEST(ConfigurationMenu, FactorySettingsAndLanguageFromTheMenu) {
  AllWindows windows;
  sdesign->zw->SetText("x");
  prog->m_konfig_standard->Click();
  EXPECT_EQ(sdesign->zw->GetText(), ":  ");
  prog->mspren->Click();
  EXPECT_EQ(start->spr->GetCaption(), L"en");
  EXPECT_EQ(prog->rand_btdidx->GetCaption(), "File Index");
  prog->msprde->Click();
  EXPECT_EQ(start->spr->GetCaption(), L"de");
  EXPECT_EQ(prog->rand_btdidx->GetCaption(), "Datei Index");
}

// Names outside the system code page: two files whose 8-bit names are alike are two entries,
// and each entry loads its own file.
TEST(ConfigurationMenu, ConfigurationsNamedInAnyScriptAreListedApartAndLoadFromTheMenu) {
  AllWindows windows;
  TempDir dir;
  const std::wstring first = Wide(dir.Path()) + L"\\\x0416\x0430\x0440.qcfg";   // Жар
  const std::wstring second = Wide(dir.Path()) + L"\\\x0428\x0430\x0440.qcfg";  // Шар
  design->ub->SetText("First");
  prog->KonfigurationSpeichern(prog, first);
  design->ub->SetText("Second");
  prog->KonfigurationSpeichern(prog, second);
  const int fixed = prog->m_konfig->GetCount();
  prog->KonfigurationAddMenu(prog, first);
  prog->KonfigurationAddMenu(prog, second);
  prog->KonfigurationAddMenu(prog, first);
  ASSERT_EQ(prog->m_konfig->GetCount(), fixed + 2);
  auto* item = dynamic_cast<TMenuItem*>(prog->m_konfig->GetItem(fixed));
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->GetHint(), first);
  item->Click();
  EXPECT_EQ(design->ub->GetText(), "First");
}

// A configuration that names the index source reads that index and ticks the option to extend
// it; the language applied at the end of the load says again that no index is chosen.
// The index source names the text wizard's index to extend: the label shows it after the load, in
// either language, although the language applied after the load resets the label otherwise.
TEST(Configuration, AnIndexSourceOfAConfigurationBecomesTheTextWizardsIndexInEitherLanguage) {
  AllWindows windows;
  TempDir dir;
  WriteBytes(dir.File("buch.idx"), "Anker:12>-\r\n");
  for (const auto& [code, none] : {std::pair<const char*, const char*>{"de", "Kein anderer Index ausgew\xE4hlt"},
                                   std::pair<const char*, const char*>{"en", "No Index Selected"}}) {
    start->spr->SetCaption(code);
    LoadFactorySettings();
    indexhinzu->Memo1->Clear();
    ASSERT_FALSE(prog->kt_integrieren->GetChecked());
    const std::string file = dir.File(std::string("index-") + code + ".qcfg");
    WriteBytes(file, "[IHED]\r\nedit_quelle=" + dir.File("buch.idx") + "\r\n");
    prog->KonfigurationLaden(prog, Wide(file));
    EXPECT_TRUE(prog->kt_integrieren->GetChecked()) << code;
    EXPECT_EQ(indexhinzu->Memo1->GetText(), L"Anker:12>-\r\n") << code;
    EXPECT_EQ(prog->kt_index->GetCaption(), Wide(dir.File("buch.idx"))) << code;
    // A language chosen afterwards resets it, as every switch does.
    prog->sprachealles();
    EXPECT_EQ(prog->kt_index->TControl::GetCaption(), none) << code;
  }
}

struct LanguageWords {
  const char* code;
  const char* other;
  const char* notOpened;
  const char* configurationNotLoaded;
  const char* heldOpen;
  const char* outOfMemory;
  const char* lineTooLong;  // with <found> and <most> for the two lengths
  const char* fileIndex;    // the side bar's file index button
  const char* preview;      // the text index design's sample line with "/" between the pages
};

const LanguageWords kLanguages[] = {
    {"de", "en", "Die Datei konnte nicht ge\xF6" "ffnet werden: ", "Die Konfiguration konnte nicht geladen werden: ",
     "Die Datei wird von einem anderen Programm verwendet.", "Es ist nicht genug Arbeitsspeicher frei.",
     "Der Text enth\xE4lt eine Zeile von <found> Zeichen; ein Textfeld zeigt Zeilen von h\xF6" "chstens <most> Zeichen.",
     "Datei Index", "Vorschau: Eintrag 17/38/69/193"},
    {"en", "de", "The file could not be opened: ", "The configuration could not be loaded: ",
     "The file is in use by another program.", "There is not enough memory.",
     "The text holds a line of <found> characters; a text box shows lines of at most <most> characters.",
     "File Index", "Preview: Item 17/38/69/193"},
};

std::string Replaced(std::string text, const std::string& placeholder, const std::string& value) {
  return text.replace(text.find(placeholder), placeholder.size(), value);
}

// The configuration's source edit names a text that cannot be read: every other value of the
// file takes effect all the same (the handlers of the options after the source edit run, and the
// language is applied again), and the user is told once what could not be read, and why.
TEST(Configuration, ASourceThatCannotBeReadIsToldOnceAndEveryOtherValueTakesEffect) {
  AllWindows windows;
  TempDir dir;
  WriteBytes(dir.File("buch.idx"), "Anker:12>-\r\n");
  const std::string held = dir.File("gesperrt.txt"), wide = dir.File("breit.txt"), huge = dir.File("riesig.txt");
  WriteBytes(held, "Haus\r\n");
  WriteBytes(wide, "Garten\r\n" + std::string(kLongestMemoLine + 1, 'a'));
  ASSERT_TRUE(testsupport::WriteLargeFile(Wide(huge), 2200LL * 1024 * 1024, "Ende"));
  testsupport::HeldOpen holder(held);
  ASSERT_TRUE(holder.Held());
  const std::string found = std::to_string(kLongestMemoLine + 1), most = std::to_string(kLongestMemoLine);
  struct Case {
    std::string source;
    std::function<std::string(const LanguageWords&)> reason;
  };
  const std::vector<Case> cases = {
      {held, [](const LanguageWords& words) { return std::string(words.heldOpen); }},
      {wide, [&](const LanguageWords& words) {
         return Replaced(Replaced(words.lineTooLong, "<found>", found), "<most>", most);
       }},
      {huge, [](const LanguageWords& words) { return std::string(words.outOfMemory); }},
  };
  for (const LanguageWords& words : kLanguages) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(words.code) + ": " + c.source);
      // The windows speak the other language, the program this one: only the load's own
      // application of the language brings the windows' texts in line.
      start->spr->SetCaption(words.other);
      prog->sprachealles();
      LoadFactorySettings();
      prog->edit_quelle->SetText(L"");
      prog->original->SetText(L"Bisher");
      indexhinzu->edit_quelle->SetText(L"");
      indexhinzu->Memo1->Clear();
      ASSERT_NE(OutputEncoding().GetEncoding(), kEncodingUtf16LE);
      ASSERT_FALSE(szkriterien->sz_bwdefs->GetEnabled());
      start->spr->SetCaption(words.code);
      const std::string file = dir.File("quelle.qcfg");
      WriteBytes(file, "[PBED]\r\nedit_quelle=" + c.source + "\r\n[PBCH]\r\nkt_integrieren=0\r\n" +
                           "[DSLE]\r\ndsep=/\r\n[EARB]\r\nrb_beibehalten=0\r\nrb_utf16le=1\r\n" +
                           "[IHED]\r\nedit_quelle=" + dir.File("buch.idx") + "\r\n" +
                           "[SKRB]\r\nsz_bwstandard=0\r\nsz_bwdef=1\r\n");
      MessageBoxes boxes;
      prog->KonfigurationLaden(prog, Wide(file));
      EXPECT_EQ(boxes.texts, std::vector<std::string>{words.notOpened + c.source + "\r\n\r\n" + c.reason(words)});
      EXPECT_EQ(prog->edit_quelle->GetText(), Wide(c.source));
      EXPECT_EQ(prog->original->GetText(), L"Bisher");
      EXPECT_EQ(OutputEncoding().GetEncoding(), kEncodingUtf16LE);
      EXPECT_TRUE(prog->kt_integrieren->GetChecked());
      EXPECT_EQ(indexhinzu->Memo1->GetText(), L"Anker:12>-\r\n");
      EXPECT_TRUE(szkriterien->sz_bwdefs->GetEnabled());
      EXPECT_EQ(design->vorschau->TControl::GetCaption(), words.preview);
      EXPECT_EQ(prog->rand_btdidx->GetCaption(), words.fileIndex);
    }
  }
}

// A configuration that another program holds is told with its reason, changes nothing and does
// not join the configuration menu.
TEST(ConfigurationMenu, AConfigurationThatCannotBeReadIsToldWithItsReasonAndJoinsNoMenu) {
  AllWindows windows;
  TempDir dir;
  const std::string file = dir.File("gesperrt.qcfg");
  WriteBytes(file, "[DSLE]\r\nub=Gesperrt\r\n");
  testsupport::HeldOpen holder(file);
  ASSERT_TRUE(holder.Held());
  for (const LanguageWords& words : kLanguages) {
    start->spr->SetCaption(words.code);
    design->ub->SetText("Bisher");
    const int items = prog->m_konfig->GetCount();
    MessageBoxes boxes;
    prog->TakeCommandLine({Wide(file)});
    EXPECT_EQ(boxes.texts, std::vector<std::string>{words.configurationNotLoaded + file + "\r\n\r\n" +
                                                    words.heldOpen});
    EXPECT_EQ(design->ub->GetText(), "Bisher");
    EXPECT_EQ(prog->m_konfig->GetCount(), items);
  }
}

std::wstring Utf16(const std::string& bytes) {
  std::wstring text(bytes.size() / 2, L'\0');
  memcpy(text.data(), bytes.data(), text.size() * 2);
  return text;
}

// A configuration under a path of 260 characters or more is saved, loaded and listed as any
// other: the file keeps its encoding and the keys no window writes, it loads from the command
// line and from its menu entry, and the start configuration can be saved into such a folder.
TEST(ConfigurationMenu, AConfigurationUnderALongPathIsSavedLoadedAndListedLikeAnyOther) {
  AllWindows windows;
  TempDir dir;
  const std::wstring folder = testsupport::MakeLongFolder(Wide(dir.Path()), 290);
  const std::wstring file = folder + L"Einstellungen.qcfg";
  ASSERT_GE(file.size(), 300u);
  const std::wstring others = L"\xFEFF[Fremd]\r\nbleibt=1\r\n";
  WriteBytes(file, std::string(reinterpret_cast<const char*>(others.data()), others.size() * 2));
  MessageBoxes boxes;
  design->ub->SetText("Lang");
  prog->KonfigurationSpeichern(prog, file);
  const std::wstring saved = Utf16(ReadBytes(file));
  EXPECT_EQ(saved.substr(0, 1), L"\xFEFF");
  for (const wchar_t* line : {L"[Fremd]\r\nbleibt=1\r\n", L"[DSLE]\r\n", L"ub=Lang\r\n", L"[AS]\r\n"})
    EXPECT_NE(saved.find(line), std::wstring::npos) << Narrow(line);

  design->ub->SetText("Anders");
  const int items = prog->m_konfig->GetCount();
  prog->TakeCommandLine({file});
  EXPECT_EQ(design->ub->GetText(), "Lang");
  ASSERT_EQ(prog->m_konfig->GetCount(), items + 1);
  auto* item = dynamic_cast<TMenuItem*>(prog->m_konfig->GetItem(items));
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->GetHint(), file);
  design->ub->SetText("Anders");
  item->Click();
  EXPECT_EQ(design->ub->GetText(), "Lang");

  StartConfigurationFolder = folder;
  design->ub->SetText("Start");
  prog->m_konfig_save_start->Click();
  design->ub->SetText("Anders");
  prog->m_konfig_start->Click();
  EXPECT_EQ(design->ub->GetText(), "Start");
  EXPECT_NE(Utf16(ReadBytes(folder + L"Auto.qcfg")).find(L"[PBCH]"), std::wstring::npos);
  EXPECT_EQ(boxes.texts, std::vector<std::string>());
}

// A save that fails is told with the file's name and reason, and leaves no file behind where
// there was none, and a file that was there as it was.
TEST(ConfigurationMenu, AFailedSaveLeavesNoFileBehindAndAnExistingOneAsItWas) {
  AllWindows windows;
  TempDir dir;
  const std::string readOnly = dir.File("schreibgeschuetzt.qcfg"), missing = dir.File("fehlt\\neu.qcfg");
  WriteBytes(readOnly, "[DSLE]\r\nub=Alt\r\n");
  ASSERT_TRUE(SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
  for (const auto& [file, reason] : {std::pair<std::string, const char*>{readOnly, "Access was denied."},
                                     std::pair<std::string, const char*>{missing, "The file's folder was not found."}}) {
    SCOPED_TRACE(file);
    const std::string before = ReadBytes(file);
    try {
      prog->KonfigurationSpeichern(prog, Wide(file));
      ADD_FAILURE() << "saved";
    } catch (const std::exception& error) {
      EXPECT_EQ(Narrow(ErrorMessage(error, "en")), "The file could not be saved: " + file + "\r\n\r\n" + reason);
    }
    EXPECT_EQ(ReadBytes(file), before);
    EXPECT_EQ(GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES, before.empty());
  }
  SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The width of a menu caption in the donation line's font, measured on the screen.
int TextWidthIn(TControl* control, const std::wstring& text) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, control->GetFont()->GetHandle());
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size.cx;
}

// A long name is shortened in the middle to the room of twice the start panel's donation line
// and 30 pixels; the file's own name stays whole, and a name that fits is kept as it is.
TEST(ConfigurationMenu, LongNamesAreShortenedToTheRoomOfTheDonationLine) {
  AllWindows windows;
  std::wstring path = L"C:\\Konfigurationen";
  for (int i = 0; i < 40; ++i) path += L"\\Ordner" + std::to_wstring(i);
  const std::wstring shortPath = L"C:\\k";
  for (const wchar_t* donation :
       {L"kaptorix.de/spenden", L"kaptorix.de/spenden - Vielen Dank! Vielen Dank! Vielen Dank!"}) {
    prog->laspenden->SetCaption(Narrow(donation));
    const int room = 2 * prog->laspenden->GetWidth() + 30;
    const std::wstring file = L"\\Meine Einstellungen " + std::to_wstring(room) + L".qcfg";
    ASSERT_GT(room, TextWidthIn(prog->laspenden, L"C:\\...\\Ordner39" + file));
    ASSERT_LT(room, TextWidthIn(prog->laspenden, path + file));
    const int fixed = prog->m_konfig->GetCount();
    prog->KonfigurationAddMenu(prog, path + file);
    prog->KonfigurationAddMenu(prog, shortPath + file);
    ASSERT_EQ(prog->m_konfig->GetCount(), fixed + 2);
    auto* item = dynamic_cast<TMenuItem*>(prog->m_konfig->GetItem(fixed));
    auto* shortItem = dynamic_cast<TMenuItem*>(prog->m_konfig->GetItem(fixed + 1));
    ASSERT_TRUE(item != nullptr && shortItem != nullptr);
    const std::wstring caption = item->GetCaption();
    EXPECT_EQ(item->GetHint(), path + file);
    EXPECT_EQ(caption.substr(0, 6), L"C:\\...") << Narrow(caption);
    EXPECT_EQ(caption.substr(caption.size() - file.size()), file) << Narrow(caption);
    EXPECT_LE(TextWidthIn(prog->laspenden, caption), room) << Narrow(caption);
    // Shortened no further than needed: one more folder would not have fitted.
    EXPECT_GT(TextWidthIn(prog->laspenden, caption), room - TextWidthIn(prog->laspenden, L"\\Ordner00"))
        << Narrow(caption);
    EXPECT_EQ(shortItem->GetCaption(), shortPath + file);
  }
}

}  // namespace
