// The windows' texts in both languages, against the texts the program is to show: the main
// window, the page-number criteria, the text index design and the two word-list windows.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "TextIndexWindows.h"
#include "WindowsTestSupport.h"
#include "classlib/ExtCtrls.h"
#include "classlib/ListView.h"
#include "forms/u_design.h"
#include "forms/u_edittxt.h"
#include "forms/u_edittxt2idx.h"
#include "forms/u_editwortlisten.h"
#include "forms/u_prog.h"
#include "forms/u_progspr.h"
#include "forms/u_start.h"
#include "forms/u_szbearbeiten.h"
#include "forms/u_szkriterien.h"
#include "forms/u_wortlisten.h"
#include "ucode/UCodeSystem.h"

using formstest::TextIndexWindows;

namespace {

struct Expected {
  const char* name;  // empty: the window's own caption
  const wchar_t* de;
  const wchar_t* en;
};

std::wstring CaptionOf(TComponent* window, const char* name) {
  TComponent* component = *name ? window->FindComponent(name) : window;
  if (component == nullptr) return L"<missing>";
  std::string caption;
  if (auto* edit = dynamic_cast<TCustomLabeledEdit*>(component))
    caption = edit->GetEditLabel()->GetCaption();
  else
    caption = static_cast<TControl*>(component)->GetCaption();
  return StringToWideStringEx(caption, 0);
}

void ExpectTexts(TComponent* window, const std::vector<Expected>& table, bool german) {
  for (const Expected& e : table)
    EXPECT_EQ(CaptionOf(window, e.name), german ? e.de : e.en) << window->GetName() << "." << e.name;
}

// The main window's texts as they are quoted for it.
const std::vector<Expected> kProg = {
    {"", L"Kaptorix - Berno Kalwe", L"Kaptorix - Berno Kalwe"},
    {"rand_btstart", L"Start", L"Start"},
    {"rand_bttxtidx", L"Text Index", L"Text Index"},
    {"rand_btdidx", L"Datei Index", L"File Index"},
    {"rand_btstw", L"Stichwort Index", L"Keyword Index"},
    {"rand_btinfo", L"Info", L"Information"},
    {"start_label1", L"Text Index", L"Text Index"},
    {"start_label2", L"Datei Index", L"File Index"},
    {"start_label3", L"Stichwort Index", L"Keyword Index"},
    {"start_label4", L"Informationen", L"Information"},
    {"bt1", L"<< zurück", L"<< back"},
    {"bt2", L"weiter >>", L"next >>"},
    {"ft_start", L"Index Erstellen", L"Create Index"},
    {"tt1", L"1. Quelle", L"1. Source"},
    {"tt2", L"2. Seitenzahlen", L"2. Page Numbers"},
    {"tt3", L"3. Kriterien", L"3. Criteria"},
    {"tt4", L"4. Fertigstellen", L"4. Complete"},
    {"tt5", L"Index erstellen", L"Create Index"},
    {"tt6", L"Ergebnis", L"Output"},
    {"outputspeichern", L"Text Speichern", L"Save Text"},
    {"DatenSpeichern", L"Index Speichern", L"Save Index"},
    {"zwischenablage", L"Zwischenablage", L"To Clipboard"},
    {"kt_maxl", L"Minimale Länge der aufgenommen Worte:", L"Minimum Length of Words:"},
    {"Label13", L"Tipp: Um nur die Wortlisten für Ihren Index zu verwenden, aktivieren Sie alle Ausschlusskriterien",
     L"Tipp: To use only the word lists for your index, you can activate all of the exclusion criteria"},
    {"kt_kleineraus", L"Kleingeschriebene Worte werden aussortiert", L"Remove Lower Words"},
    {"kt_grosseraus", L"Großgeschriebene Worte werden aussortiert", L"Remove Upper Words"},
    {"kt_zahlen", L"Zahlen werden aussortiert", L"Remove Numbers"},
    {"kt_positivliste", L"Positivliste (diese Worte kommen in den Index)",
     L"White List (these words will be added to the index)"},
    {"kt_negativliste", L"Negativliste (diese Worte werden aussortiert)", L"Black List (these words will be removed)"},
    {"kt_keinedoppeltenseiten", L"Doppelte Verweise entfernen", L"Remove Double Folio"},
    {"kt_zusammen", L"Zusammenhängende Wörter zusammen in den Index aufnehmen", L"Search for Associated Words"},
    {"kt_zusdoppelt", L"Zusammenhänge Wörter mehrfach in den Index aufnehmen", L"Multiple Add Associated Words"},
    {"kt_integrieren", L"Zu einem vorhandenen Index hinzufügen", L"Add New Items to another Index"},
    {"kt_design", L"Angepasstes Design", L"User Defined Design"},
    {"kt_gb1", L"Ausschlusskriterien", L"Exclusion Criteria"},
    {"kt_gb2", L"Wortlisten", L"Word Lists"},
    {"kt_gb3", L"Index", L"Index"},
    {"dbt1", L"<< zurück", L"<< back"},
    {"sbt2", L"weiter >>", L"next >>"},
    {"dstart", L"Index Erstellen", L"Create Index"},
    {"sstart", L"Index Erstellen", L"Create Index"},
    {"td1", L"1. Quelle", L"1. Source"},
    {"td2", L"2. Einstellungen", L"2. Criteria"},
    {"td3", L"3. Fertigstellen", L"3. Complete"},
    {"td4", L"Index erstellen", L"Create Index"},
    {"td5", L"Ergebnis", L"Output"},
    {"ts2", L"2. Einstellungen", L"2. Criteria"},
    {"ts5", L"Ergebnis", L"Output"},
    {"dkt_maxl", L"Minimale Länge der aufgenommen Worte:", L"Minimum Length of Words:"},
    {"dkt_zahlenraus", L"Zahlen werden aussortiert", L"Remove Numbers"},
    {"stw_kleinraus", L"Kleingeschriebene Worte werden aussortiert", L"Remove Lower Words"},
    {"stw_grossraus", L"Großgeschriebene Worte werden aussortiert", L"Remove Upper Words"},
    {"htmlraus", L"HTML-Tags werden entfernt", L"Remove HTML-Tags"},
    {"stw_htmlraus", L"HTML-Tags werden entfernt", L"Remove HTML-Tags"},
    {"dkt_positivliste", L"Positivliste (diese Worte kommen in den Index)",
     L"White List (these words will come to the index)"},
    {"stw_pos", L"Positivliste (diese Worte kommen in den Index)", L"White List (these words will come to the index)"},
    {"stw_neg", L"Negativliste (diese Worte werden aussortiert)", L"Black List (these words will be removed)"},
    {"dkt_design", L"Angepasstes Design (weitere Designeinstellungen)",
     L"User Defined Design (adjust the design of your index)"},
    {"stw_design", L"Angepasstes Design", L"User Defined Design"},
    {"la", L"Dokument nach weiteren Dateien durchsuchen", L"Search File for more Documents"},
    {"squdocsearch", L"Dokument nach weiteren Dateien durchsuchen", L"Search File for more Documents"},
    {"stw_doppelt", L"Doppelte Einträge entfernen", L"Remove Double Items"},
    {"stw_zus", L"Zusammenhängende Worte beachten", L"Keep Associated Words Together"},
    {"stw_untereinander", L"Wörter untereinander anordnern", L"Write Words under each other"},
    {"stw_alphabetisch", L"Wörter alphabetisch sortieren", L"Order Words alphabetical"},
    {"Zeilenumbruch", L"Zeilenumbruch", L"Line Break"},
    {"AbbruchS", L"Abbrechen", L"Break"},
    {"dkt_gb1", L"Ausschlusskriterien", L"Exclusion Criteria"},
    {"stwgb2", L"Wortlisten", L"Word Lists"},
    {"stwgb4", L"Design", L"Design"},
    {"Label3", L"Text Index", L"Text Index"},
    {"dbt2", L"weiter >>", L"next >>"},
    {"sbt1", L"<< zurück", L"<< back"},
    {"ts1", L"1. Quelle", L"1. Source"},
    {"ts3", L"3. Fertigstellen", L"3. Complete"},
    {"ts4", L"Index erstellen", L"Create Index"},
    {"dkt_kleineraus", L"Kleingeschriebene Worte werden aussortiert", L"Remove Lower Words"},
    {"dkt_grosseraus", L"Großgeschriebene Worte werden aussortiert", L"Remove Upper Words"},
    {"stw_zahlenraus", L"Zahlen werden aussortiert", L"Remove Numbers"},
    {"dkt_negativliste", L"Negativliste (diese Worte werden aussortiert)", L"Black List (these words will be removed)"},
    {"dkt_keinedoppeltenseiten", L"Doppelte Verweise entfernen", L"Remove Double Folio"},
    {"dkt_zusammen", L"Zusammenhängende Wörter zusammen in den Index aufnehmen", L"Search for Associated Words"},
    {"dkt_zusdoppelt", L"Zusammenhänge Wörter mehrfach in den Index aufnehmen", L"Multiple Add Associated Words"},
    {"dkt_integrieren", L"Zu einem vorhandenen Index hinzufügen", L"Add New Items to another Index"},
    {"Label14", L"Tipp: Um nur die Wortlisten für Ihren Index zu verwenden, aktivieren Sie alle Ausschlusskriterien",
     L"Tipp: To use only the word lists for your index, you can activate all of the exclusion criteria"},
    {"Label17", L"Tipp: Um nur die Wortlisten für Ihren Index zu verwenden, aktivieren Sie alle Ausschlusskriterien",
     L"Tipp: To use only the word lists for your index, you can activate all of the exclusion criteria"},
    {"dkt_gb2", L"Wortlisten", L"Word Lists"},
    {"dkt_gb3", L"Index", L"Index"},
    {"dkt_gb4", L"Design", L"Design"},
    {"stwgb1", L"Ausschlusskriterien", L"Exclusion Criteria"},
    {"stwgb3", L"Index", L"Index"},
    // The word-list buttons of the three wizards carry the lists' names.
    {"negativliste_anzeigen", L"Negativliste..", L"Black List.."},
    {"positivliste_anzeigen", L"Positivliste..", L"White List.."},
    {"dnegativliste_anzeigen", L"Negativliste..", L"Black List.."},
    {"dpositivliste_anzeigen", L"Positivliste..", L"White List.."},
    {"stw_neganzeigen", L"Negativliste..", L"Black List.."},
    {"stw_posanzeigen", L"Positivliste..", L"White List.."},
};

// The main window's components whose texts in both languages are the window's own wording:
// each is there, has a text in either language, and the two differ.
const std::vector<const char*> kProgOwnWording = {
    "start_text0", "start_text1", "start_text2", "start_text3", "start_text4",
    "Label1", "Label2", "Label6", "Label7", "Label9", "Label18", "Label60", "Label61", "stwla1", "stwla3", "stwla5",
    "StaticText2", "StaticText3", "StaticText4", "StaticText5", "StaticText6", "StaticText7", "StaticText8",
    "StaticText9", "StaticText10", "StaticText11", "StaticText12", "kt_text", "stwla2", "stwla6", "stwla7",
    "stwla8", "stwla9",
    "qu_datei", "qu_text", "sz_zeilezuseite", "sz_auslesen",
    "qu_delete", "qu_laden", "Auslesen", "sz_entfernen", "sz_bearbeiten", "sz_kriterien", "positivliste_anzeigen",
    "negativliste_anzeigen", "andindex", "DeleteAll", "DeleteRow", "querweitert", "dpositivliste_anzeigen",
    "dnegativliste_anzeigen", "dandindex", "doutputspeichern", "dzwischenablage", "sqdeleteall", "squdeleteraw",
    "squerweitert", "stw_posanzeigen", "stw_neganzeigen", "soutputspeichern", "szwischenablage",
    "bttxtquelle", "DateiAuswahl", "squsuchen",
};

std::vector<std::wstring> Columns(TListView* list) {
  std::vector<std::wstring> captions;
  for (int i = 0; i < list->GetColumns()->GetCount(); ++i)
    captions.push_back(list->GetColumns()->GetItem(i)->GetCaption());
  return captions;
}

const std::vector<Expected> kCriteria = {
    {"", L"Seitenzahlen", L"Page Numbers"},
    {"gb0", L"Position der Seitenzahlen", L"Position of Page Numbers"},
    {"posueber", L"Seitenzahlen stehen über dem Text", L"Page Numbers over the Text"},
    {"posunter", L"Seitenzahlen stehen unter dem Text", L"Page Numbers under the Text"},
    {"gb1", L"Zeilenlänge", L"Length of Lines"},
    {"Label1", L"Maximale Zeilenlänge der untersuchten Zeilen:", L"Maximum Line Length of Lines to be checked:"},
    {"gb4", L"Seitenzahlen modifizieren", L"Modify Page Numbers"},
    {"cb_plus", L"Ausgelesene numerische Seitenzahlen um diesen Wert erhöhen:", L"Add this to read Page Numbers:"},
    {"gb3", L"Vorausgehendes Zeichen", L"Preceding Character"},
    {"sz_zeichbeginn", L"Nur Zeilen untersuchen, die mit folgendem Zeichen beginnen:",
     L"Only check Lines starting with this Character:"},
    {"sz_zeichenweg", L"Dieses Zeichen aus Zeile entfernen", L"Remove this Character from Line"},
    {"gb2", L"Andere Zeichen in der Zeile", L"Other Characters in the Line"},
    {"sz_nurzahl", L"Nur Zahlen als Seitenbezeichnungen verwenden", L"Use only Numbers as Page Numbers"},
    {"sz_kuerzen", L"Betreffende Zeilen um bestimmte Zeichen kürzen", L"Remove these Characters from Line:"},
    {"sz_bwstandard", L"Standard", L"Standard"},
    {"sz_bwdef", L"Benutzerdefinierte Zeichen:", L"User Defined Characters:"},
    {"OK", L"OK", L"OK"},
    {"Abbrechen", L"Abbrechen", L"Cancel"},
};

const std::vector<Expected> kPageList = {
    {"", L"Seitenzahlen", L"Page Numbers"},
    {"gb1", L"Bearbeiten", L"Edit"},
    {"ed1", L"Bezeichnung", L"Synonym"},
    {"ed2", L"Zeilennummer", L"Line Number"},
    {"add", L"Hinzufügen", L"Add"},
    {"Sortieren", L"Sortieren", L"Sort"},
    {"OK", L"OK", L"OK"},
    {"Abbrechen", L"Abbrechen", L"Cancel"},
};

const std::vector<Expected> kDesign = {
    {"gb1", L"Überschriften", L"Headlinge"},
    {"ub", L"Gesamtüberschrift", L"Top Headline"},
    {"kt_alphabet", L"Überschriften im Index: A, B, C,..", L"Headlines in the Index: A, B, C,.."},
    {"dabsatz_abc", L"Leere Zeile vor den ABC - Überschriften", L"Empty Line before ABC - Headings"},
    {"gb2", L"Verwendete Zeichen", L"Used Characters"},
    {"dsep", L"Seperator zwischen den Seiten", L"Seperator between Page Numbers"},
    {"dzw", L"Zwischen Eintrag und Seiten", L"Between Items and Page Numbers"},
};

std::vector<Expected> WordList(const wchar_t* de, const wchar_t* en) {
  return {{"", de, en},
          {"laden", L"Laden", L"Load"},
          {"hinzuladen", L"Hinzuladen", L"Add List"},
          {"speichern", L"Speichern", L"Save"},
          {"delete", L"Löschen", L"Delete"},
          {"OK", L"OK", L"OK"}};
}

std::vector<Expected> Editor(const wchar_t* de, const wchar_t* en) {
  static std::vector<std::wstring> captions;
  captions.push_back(std::wstring(L"Editor: Index > ") + de);
  captions.push_back(std::wstring(L"Editor: Index > ") + en);
  return {{"", captions[captions.size() - 2].c_str(), captions.back().c_str()},
          {"Label1", L"Index aus dem Programm", L"Index from Program"},
          {"Label2", de, en},
          {"versch", L">", L">"},
          {"sort", L"Sortieren", L"Sort"},
          {"sitzung", L"Geänderte Liste nur in dieser Sitzung verwenden", L"Use modified List only in this Session"},
          {"Speichern", L"Speichern", L"Save"},
          {"Abbrechen", L"Abbrechen", L"Cancel"}};
}

// The two text editors, as far as a user meets them first.
const std::vector<Expected> kTextToIndex = {
    {"", L"Editor: Text > Index (*.idx)", L"Editor: Text > Index (*.idx)"},
    {"gb31", L"Zeilen aus dem Text Entfernen", L"Remove Lines from Text"},
    {"zwes", L"Zeichen zwischen Eintrag und Seiten", L"Charcters between Entry and Page Numbers"},
    {"cb_linksvorhanden", L"Zeichen zwischen Seiten und Links:", L"Characters between Page Number and Link:"},
    {"zus_seite", L"Zu Seiten Zählen", L"Add to Page Numbers"},
    {"ToHTMLIdx", L"Datei Index..", L"File Index.."},
    {"Schliessen", L"Schließen", L"Close"},
};

const std::vector<Expected> kPageNumberText = {
    {"", L"Editor: Seitenzahlen in Text schreiben", L"Editor: Write Folio to Text"},
    {"tab1", L"Leerzeichen Ersetzen", L"Replace Spaces"},
    {"tab2", L"Cursor", L"Cursor"},
    {"cursak", L"Aktuelle Seite", L"Actual Page Number"},
    {"Label4", L"Zeichen und Zeilenumbrüche (#NL) vor und nach der Seitenzahl.",
     L"Characters and Line Breaks (#NL) before and after Page Numbers."},
    {"ToTXTIndex", L"Textindex..", L"Textindex.."},
    {"Zeilenumbruch", L"Zeilenumbruch", L"Line Break"},
};

std::string LastItem(TComboBox* combo) {
  TUCodeStrings* items = combo->GetItems();
  return formstest::Narrow(items->Get(items->GetCount() - 1));
}

// The texts of kProgOwnWording in one language, by name.
std::map<std::string, std::wstring> OwnWording() {
  std::map<std::string, std::wstring> texts;
  for (const char* name : kProgOwnWording) texts[name] = CaptionOf(prog, name);
  return texts;
}

void Switch(const char* code) {
  start->spr->SetCaption(code);
  prog->sprachealles();
}

}  // namespace

TEST(WindowTexts, EveryWindowShowsTheTextsOfTheLanguageBothWays) {
  TextIndexWindows windows;
  // Without marker files the program is English from the start.
  for (const char* code : {"en", "de", "en", "de"}) {
    SCOPED_TRACE(code);
    if (code != LanguageCode()) Switch(code);
    const bool german = code == std::string("de");
    ExpectTexts(prog, kProg, german);
    ExpectTexts(szkriterien, kCriteria, german);
    ExpectTexts(szbearbeiten, kPageList, german);
    ExpectTexts(design, kDesign, german);
    ExpectTexts(posliste, WordList(L"Positivliste", L"White List"), german);
    ExpectTexts(negliste, WordList(L"Negativliste", L"Black List"), german);
    ExpectTexts(editpos, Editor(L"Positivliste", L"White List"), german);
    ExpectTexts(editneg, Editor(L"Negativliste", L"Black List"), german);
    ExpectTexts(edittxt2idx, kTextToIndex, german);
    ExpectTexts(edittxt, kPageNumberText, german);
    EXPECT_EQ(edittxt2idx->index->Column(1)->GetCaption(), german ? L"Seite(Link)" : L"Page(Link)");
    const std::string custom = german ? "Benutzerdefiniert.." : "Custom..";
    for (TComboBox* combo : {prog->kt_max, prog->dkt_max, prog->stw_max}) EXPECT_EQ(LastItem(combo), custom);
    const std::vector<std::wstring> columns =
        german ? std::vector<std::wstring>{L"Bezeichnung", L"Link", L"Format", L"Kodierung", L"Größe", L"Quelle"}
               : std::vector<std::wstring>{L"Name", L"Link", L"Type", L"Coding", L"Size", L"Source"};
    EXPECT_EQ(Columns(prog->qulist), columns);
    const std::string all = german ? "Alle Dateien (*.*)|*.*" : "All Files (*.*)|*.*";
    EXPECT_EQ(prog->memoload->GetFilter(), "Text (*.txt)|*.txt|" + all);
    EXPECT_EQ(prog->memosave->GetFilter(), "Text (*.txt)|*.txt|" + all);
    EXPECT_EQ(prog->OpenDatei->GetFilter(), all + "|Text (*.txt)|*.txt|Internet (*.htm, *.html, *.php)|*.htm; *html; *.php");
    EXPECT_EQ(prog->OpenIndex->GetFilter(), "Index (*.idx)|*.idx|" + all);
    EXPECT_EQ(prog->SaveIndex->GetFilter(), "Index (*.idx)|*.idx|" + all);
    EXPECT_EQ(Columns(prog->squlist), columns);
    EXPECT_EQ(prog->dkt_index->TControl::GetCaption(), german ? "Kein anderer Index ausgew\xE4hlt" : "No Index Selected");
    EXPECT_EQ(LastItem(szkriterien->sz_laenge), custom);
    EXPECT_EQ(LastItem(szkriterien->cb_pluswert), custom);
    // The other items and the shown values stay.
    EXPECT_EQ(prog->kt_max->GetItems()->Get(0), L"0");
    EXPECT_EQ(prog->kt_max->GetText(), L"3");
    EXPECT_EQ(szkriterien->sz_laenge->GetText(), L"5");
    EXPECT_EQ(prog->kt_index->TControl::GetCaption(), german ? "Kein anderer Index ausgew\xE4hlt" : "No Index Selected");
    EXPECT_EQ(ProgressTexts.Preparing, german ? "Vorbereiten.." : "Preparing Index..");
    EXPECT_EQ(ProgressTexts.ReadingPage, german ? "Seite einlesen: " : "Reading Page: ");
    EXPECT_EQ(ProgressTexts.ReadingFile, german ? "Datei einlesen: " : "Reading File: ");
    EXPECT_EQ(ProgressTexts.Refreshing, german ? "Index aktualisieren.." : "Refreshing Index..");
    EXPECT_EQ(ProgressTexts.Writing, german ? "Index schreiben.." : "Writing Index..");
    EXPECT_EQ(ProgressTexts.CurrentFile, german ? "Status der aktuellen Datei:" : "Status of current File:");
    // The design preview follows the language.
    EXPECT_EQ(design->vorschau->TControl::GetCaption(), german ? "Vorschau: Eintrag 17, 38, 69, 193" : "Preview: Item 17, 38, 69, 193");
  }
}

// Every component the main window's texts name is there, in both languages, with the German
// heading pictures under the English ones only while the program speaks English.
TEST(WindowTexts, EveryNamedComponentOfTheMainWindowIsThereAndFollowsTheLanguage) {
  TextIndexWindows windows;
  Switch("de");
  const std::map<std::string, std::wstring> german = OwnWording();
  for (TImage* english : {prog->start_topen, prog->top_datei_en, prog->top_stw_en})
    EXPECT_FALSE(english->GetVisible()) << english->GetName();
  Switch("en");
  const std::map<std::string, std::wstring> english = OwnWording();
  for (TImage* picture : {prog->start_topen, prog->top_datei_en, prog->top_stw_en}) {
    EXPECT_TRUE(picture->GetVisible()) << picture->GetName();
    EXPECT_GT(picture->GetPicture()->GetWidth(), 0) << picture->GetName();
  }
  for (TImage* picture : {prog->start_top, prog->top_datei, prog->top_stw}) {
    EXPECT_TRUE(picture->GetVisible()) << picture->GetName();
    EXPECT_GT(picture->GetPicture()->GetWidth(), 0) << picture->GetName();
  }
  for (const char* name : kProgOwnWording) {
    EXPECT_NE(german.at(name), L"<missing>") << name;
    EXPECT_FALSE(german.at(name).empty()) << name;
    EXPECT_FALSE(english.at(name).empty()) << name;
    EXPECT_NE(german.at(name), english.at(name)) << name;
  }
  // The donation line: the address, then the thanks of the language.
  EXPECT_TRUE(prog->laspenden->TControl::GetCaption().ends_with(" - Thank You!"));
  Switch("de");
  EXPECT_TRUE(prog->laspenden->TControl::GetCaption().ends_with(" - Vielen Dank!"));
}

// A switch with a panel shown that has a picture as its heading leaves only the heading of the
// language chosen on the screen: the place of the English heading hidden on the way to German
// is painted anew, with the German one under it.
TEST(WindowTexts, APanelShowsOnlyTheHeadingOfTheLanguageChosen) {
  TextIndexWindows windows;
  windows.LeaveToProcessEnd();
  prog->Show();
  for (TPanel* panel : {prog->pstart, prog->pgdateien, prog->pgstw}) {
    SCOPED_TRACE(panel->GetName());
    ShowOnlyPanel(panel);
    for (const char* code : {"de", "en"}) {
      SCOPED_TRACE(code);
      Switch(code);
      EXPECT_EQ(wintest::PixelsARepaintChanges(prog), 0);
    }
  }
  prog->Hide();
}

// At every switch the text wizard's index label says again that none is chosen; the file
// wizard's keeps a chosen path (one with a backslash) and otherwise follows the language.
TEST(WindowTexts, TheSwitchResetsTheTextWizardsIndexAndKeepsTheFileWizardsPath) {
  struct Case {
    const char* from;
    const char* to;
    const char* textIndex;  // kt_index before the switch
    const char* fileIndex;  // dkt_index before the switch
    const char* fileIndexAfter;
  };
  const char* const none[] = {"Kein anderer Index ausgew\xE4hlt", "No Index Selected"};
  const Case cases[] = {
      {"en", "de", "C:\\B\xFC" "cher\\alt.idx", "C:\\Seiten\\web.idx", "C:\\Seiten\\web.idx"},
      {"de", "en", "C:\\B\xFC" "cher\\alt.idx", "\\\\server\\web.idx", "\\\\server\\web.idx"},
      {"de", "de", "D:\\alt.idx", "Kein anderer Index ausgew\xE4hlt", none[0]},
      {"de", "en", "alt.idx", "Kein anderer Index ausgew\xE4hlt", none[1]},
      {"en", "de", "", "web.idx", none[0]},
  };
  TextIndexWindows windows;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.from) + " -> " + c.to + ": " + c.textIndex + ", " + c.fileIndex);
    Switch(c.from);
    prog->kt_index->SetCaption(c.textIndex);
    prog->dkt_index->SetCaption(c.fileIndex);
    Switch(c.to);
    const std::string reset = none[std::string(c.to) == "de" ? 0 : 1];
    EXPECT_EQ(prog->kt_index->TControl::GetCaption(), reset);
    EXPECT_EQ(prog->dkt_index->TControl::GetCaption(), c.fileIndexAfter);
  }
}

TEST(WindowTexts, AnUnknownCodeChangesNothing) {
  TextIndexWindows windows;
  prog->kt_index->SetCaption("C:\\B\xFC" "cher\\alt.idx");
  Switch("fr");
  EXPECT_EQ(prog->kt_index->TControl::GetCaption(), "C:\\B\xFC" "cher\\alt.idx");
  ExpectTexts(prog, kProg, false);
  ExpectTexts(szkriterien, kCriteria, false);
  EXPECT_EQ(ProgressTexts.Writing, "Writing Index..");
}

// Each wizard's progress page tells, below the request to wait, that the result follows.
TEST(WindowTexts, EveryProgressPageSaysThatTheResultFollows) {
  TextIndexWindows windows;
  for (const auto& [code, line] : {std::pair<const char*, const wchar_t*>{"de", L"Danach wird das Ergebnis angezeigt."},
                                   std::pair<const char*, const wchar_t*>{"en", L"The result is shown afterwards."}}) {
    Switch(code);
    for (TTabSheet* page : {prog->tt5, prog->td4, prog->ts4}) {
      int found = 0;
      for (int i = 0; i < page->GetControlCount(); ++i) {
        TControl* control = page->GetControl(i);
        if (control->GetVisible() && StringToWideStringEx(control->GetCaption(), 0) == line) ++found;
      }
      EXPECT_EQ(found, 1) << code << ": " << page->GetName();
    }
  }
}
