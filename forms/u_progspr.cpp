#include "forms/u_progspr.h"

#include "classlib/CommonDialogs.h"
#include "classlib/ExtCtrls.h"
#include "classlib/ListView.h"
#include "classlib/StdCtrls.h"
#include "classlib/SysUtils.h"
#include "forms/u_prog.h"
#include "forms/u_start.h"
#include "ucode/UCodeRepComCtrls.h"
#include "ucode/UCodeRepMenus.h"
#include "ucode/UCodeRepStdCtrls.h"
#include "ucode/UCodeSystem.h"

TProgressTexts ProgressTexts;

namespace {

std::string Ansi(const wchar_t* text) { return WideStringToStringEx(text, 0); }

// The caption of the window itself and the texts of its controls, German and English.
const std::vector<TLanguageText> kProgTexts = {
    {"", L"Kaptorix - Berno Kalwe", L"Kaptorix - Berno Kalwe"},
    // Side bar and start panel.
    {"rand_btstart", L"Start", L"Start"},
    {"rand_bttxtidx", L"Text Index", L"Text Index"},
    {"rand_btdidx", L"Datei Index", L"File Index"},
    {"rand_btstw", L"Stichwort Index", L"Keyword Index"},
    {"rand_btinfo", L"Info", L"Information"},
    {"start_label1", L"Text Index", L"Text Index"},
    {"start_label2", L"Datei Index", L"File Index"},
    {"start_label3", L"Stichwort Index", L"Keyword Index"},
    {"start_label4", L"Informationen", L"Information"},
    {"start_text0", L"Willkommen bei Kaptorix: Stichwortverzeichnisse für Bücher, Texte und Dokumente.",
     L"Welcome to Kaptorix: keyword indexes for books, texts and documents."},
    {"start_text1",
     L"Ein Index zu einem Text: jedes Stichwort mit den Seiten, auf denen es steht. Seitenzahlen schreiben Sie "
     L"mit dem Editor unter \"Tools\" in den Text.",
     L"An index of one text: every keyword with the pages on which it stands. Page numbers can be written into a "
     L"text with the editor under \"Tools\"."},
    {"start_text2", L"Ein Index zu einer Liste von Dokumenten: jedes Stichwort mit den Dokumenten, die es enthalten.",
     L"An index of a list of documents: every keyword with the documents that contain it."},
    {"start_text3", L"Zu jeder Datei einer Liste die Stichwörter, die in ihr vorkommen.",
     L"For every file of a list, the keywords that occur in it."},
    {"start_text4", L"Hilfe, Lizenz und die Seiten des Herstellers.", L"Help, licence and the maker's web pages."},
    // Text wizard: heading, buttons and pages.
    {"Label3", L"Text Index", L"Text Index"},
    {"bt1", L"<< zurück", L"<< back"},
    {"bt2", L"weiter >>", L"next >>"},
    {"ft_start", L"Index Erstellen", L"Create Index"},
    {"tt1", L"1. Quelle", L"1. Source"},
    {"tt2", L"2. Seitenzahlen", L"2. Page Numbers"},
    {"tt3", L"3. Kriterien", L"3. Criteria"},
    {"tt4", L"4. Fertigstellen", L"4. Complete"},
    {"tt5", L"Index erstellen", L"Create Index"},
    {"tt6", L"Ergebnis", L"Output"},
    // 1. Source
    {"qu_datei", L"Datei als Quelle auswählen", L"Choose a File as Source"},
    {"StaticText12", L"(Text-, HTML- oder Word-Datei)", L"(text, HTML or Word file)"},
    {"Label18", L"Datei:", L"File:"},
    {"bttxtquelle", L"Durchsuchen..", L"Browse.."},
    {"qu_text", L"Text als Quelle benutzen", L"Use Text as Source"},
    {"Label61", L"(eingeben oder laden)", L"(type or load)"},
    {"qu_laden", L"Laden", L"Load"},
    {"qu_delete", L"Löschen", L"Delete"},
    {"StaticText2", L"Textdateien werden in ihrer eigenen Kodierung gelesen.",
     L"Text files are read in their own encoding."},
    // 2. Page numbers
    {"sz_zeilezuseite", L"Jede Zeile im Text ist eine eigene Seite", L"Every Line of the Text is a Page"},
    {"Label1", L"Erste Seite:", L"First Page:"},
    {"Label2", L"(Nummer der ersten Seite)", L"(number of the first page)"},
    {"sz_auslesen", L"Seitenbezeichnung (Zeilennummer)", L"Page Label (Line Number)"},
    {"Label60", L"(aus dem Text gelesen)", L"(read from the text)"},
    {"Auslesen", L"Auslesen", L"Read"},
    {"sz_entfernen", L"Entfernen", L"Remove"},
    {"sz_bearbeiten", L"Bearbeiten..", L"Edit.."},
    {"sz_kriterien", L"Kriterien..", L"Criteria.."},
    {"StaticText3", L"Die gefundenen Seitenbezeichnungen können entfernt, bearbeitet oder neu ausgelesen werden.",
     L"The page labels found can be removed, edited or read again."},
    // 3. Criteria
    {"kt_gb1", L"Ausschlusskriterien", L"Exclusion Criteria"},
    {"kt_gb2", L"Wortlisten", L"Word Lists"},
    {"kt_gb3", L"Index", L"Index"},
    {"kt_kleineraus", L"Kleingeschriebene Worte werden aussortiert", L"Remove Lower Words"},
    {"kt_grosseraus", L"Großgeschriebene Worte werden aussortiert", L"Remove Upper Words"},
    {"kt_zahlen", L"Zahlen werden aussortiert", L"Remove Numbers"},
    {"kt_maxl", L"Minimale Länge der aufgenommen Worte:", L"Minimum Length of Words:"},
    {"Label6", L"Zeichen", L"Characters"},
    {"kt_negativliste", L"Negativliste (diese Worte werden aussortiert)", L"Black List (these words will be removed)"},
    {"kt_positivliste", L"Positivliste (diese Worte kommen in den Index)",
     L"White List (these words will be added to the index)"},
    {"negativliste_anzeigen", L"Negativliste..", L"Black List.."},
    {"positivliste_anzeigen", L"Positivliste..", L"White List.."},
    {"kt_keinedoppeltenseiten", L"Doppelte Verweise entfernen", L"Remove Double Folio"},
    {"kt_zusammen", L"Zusammenhängende Wörter zusammen in den Index aufnehmen", L"Search for Associated Words"},
    {"kt_zusdoppelt", L"Zusammenhänge Wörter mehrfach in den Index aufnehmen", L"Multiple Add Associated Words"},
    {"kt_integrieren", L"Zu einem vorhandenen Index hinzufügen", L"Add New Items to another Index"},
    {"andindex", L"Index wählen..", L"Choose Index.."},
    {"kt_design", L"Angepasstes Design", L"User Defined Design"},
    {"Label13",
     L"Tipp: Um nur die Wortlisten für Ihren Index zu verwenden, aktivieren Sie alle Ausschlusskriterien",
     L"Tipp: To use only the word lists for your index, you can activate all of the exclusion criteria"},
    {"kt_text", L"Die Kriterien gelten für jede Seite des Textes; die Wortlisten bearbeiten Sie unter \"Tools\".",
     L"The criteria apply to every page of the text; the word lists are edited under \"Tools\"."},
    // Summary, progress and result
    {"StaticText4", L"Mit \"<< zurück\" ändern Sie die Einstellungen.", L"Use \"<< back\" to change the settings."},
    {"Label9", L"Bitte warten, bis der Index erstellt ist.", L"Please wait until the index is built."},
    {"StaticText5", L"Danach wird das Ergebnis angezeigt.", L"The result is shown afterwards."},
    {"Label7", L"Der Index kann hier bearbeitet werden.", L"The index can be edited here."},
    {"StaticText6", L"\"Index Speichern\" speichert eine Indexdatei (*.idx), die ein späterer Lauf erweitern kann.",
     L"\"Save Index\" saves an index file (*.idx) that a later run can extend."},
    {"outputspeichern", L"Text Speichern", L"Save Text"},
    {"DatenSpeichern", L"Index Speichern", L"Save Index"},
    {"zwischenablage", L"Zwischenablage", L"To Clipboard"},
    // File wizard.
    {"dbt1", L"<< zurück", L"<< back"},
    {"dbt2", L"weiter >>", L"next >>"},
    {"dstart", L"Index Erstellen", L"Create Index"},
    {"td1", L"1. Quelle", L"1. Source"},
    {"td2", L"2. Einstellungen", L"2. Criteria"},
    {"td3", L"3. Fertigstellen", L"3. Complete"},
    {"td4", L"Index erstellen", L"Create Index"},
    {"td5", L"Ergebnis", L"Output"},
    {"td1_la1", L"Datei:", L"File:"},
    {"DateiAuswahl", L"Durchsuchen..", L"Browse.."},
    {"la", L"Dokument nach weiteren Dateien durchsuchen", L"Search File for more Documents"},
    {"DeleteAll", L"Alles Löschen", L"Delete All"},
    {"DeleteRow", L"Reihe Löschen", L"Delete Row"},
    {"querweitert", L"Erweitert..", L"Advanced.."},
    {"StaticText7", L"Dateien können auch auf die Liste gezogen werden.", L"Files can also be dropped onto the list."},
    {"dkt_gb1", L"Ausschlusskriterien", L"Exclusion Criteria"},
    {"dkt_gb2", L"Wortlisten", L"Word Lists"},
    {"dkt_gb3", L"Index", L"Index"},
    {"dkt_gb4", L"Design", L"Design"},
    {"dkt_kleineraus", L"Kleingeschriebene Worte werden aussortiert", L"Remove Lower Words"},
    {"dkt_grosseraus", L"Großgeschriebene Worte werden aussortiert", L"Remove Upper Words"},
    {"dkt_zahlenraus", L"Zahlen werden aussortiert", L"Remove Numbers"},
    {"htmlraus", L"HTML-Tags werden entfernt", L"Remove HTML-Tags"},
    {"dkt_maxl", L"Minimale Länge der aufgenommen Worte:", L"Minimum Length of Words:"},
    {"StaticText11", L"Zeichen", L"Characters"},
    {"dkt_negativliste", L"Negativliste (diese Worte werden aussortiert)", L"Black List (these words will be removed)"},
    {"dkt_positivliste", L"Positivliste (diese Worte kommen in den Index)",
     L"White List (these words will come to the index)"},
    {"dnegativliste_anzeigen", L"Negativliste..", L"Black List.."},
    {"dpositivliste_anzeigen", L"Positivliste..", L"White List.."},
    {"dkt_keinedoppeltenseiten", L"Doppelte Verweise entfernen", L"Remove Double Folio"},
    {"dkt_zusammen", L"Zusammenhängende Wörter zusammen in den Index aufnehmen", L"Search for Associated Words"},
    {"dkt_zusdoppelt", L"Zusammenhänge Wörter mehrfach in den Index aufnehmen", L"Multiple Add Associated Words"},
    {"dkt_integrieren", L"Zu einem vorhandenen Index hinzufügen", L"Add New Items to another Index"},
    {"dandindex", L"Index wählen..", L"Choose Index.."},
    {"dkt_design", L"Angepasstes Design (weitere Designeinstellungen)",
     L"User Defined Design (adjust the design of your index)"},
    {"d_design", L"Design..", L"Design.."},
    {"Label14",
     L"Tipp: Um nur die Wortlisten für Ihren Index zu verwenden, aktivieren Sie alle Ausschlusskriterien",
     L"Tipp: To use only the word lists for your index, you can activate all of the exclusion criteria"},
    {"StaticText8", L"Die Kriterien gelten für jede Datei der Liste.",
     L"The criteria apply to every file of the list."},
    {"StaticText9", L"Mit \"<< zurück\" ändern Sie die Einstellungen.", L"Use \"<< back\" to change the settings."},
    {"StaticText10", L"Bitte warten, bis der Index erstellt ist.", L"Please wait until the index is built."},
    {"StaticText13", L"Danach wird das Ergebnis angezeigt.", L"The result is shown afterwards."},
    {"doutputspeichern", L"Text Speichern", L"Save Text"},
    {"didxspeichern", L"Index Speichern", L"Save Index"},
    {"dzwischenablage", L"Zwischenablage", L"To Clipboard"},
    {"ShowCode", L"Code", L"Code"},
    {"ShowDesign", L"Design", L"Design"},
    // Keyword wizard.
    {"sbt1", L"<< zurück", L"<< back"},
    {"sbt2", L"weiter >>", L"next >>"},
    {"sstart", L"Index Erstellen", L"Create Index"},
    {"ts1", L"1. Quelle", L"1. Source"},
    {"ts2", L"2. Einstellungen", L"2. Criteria"},
    {"ts3", L"3. Fertigstellen", L"3. Complete"},
    {"ts4", L"Index erstellen", L"Create Index"},
    {"ts5", L"Ergebnis", L"Output"},
    {"ts1_la1", L"Datei:", L"File:"},
    {"squsuchen", L"Durchsuchen..", L"Browse.."},
    {"squdocsearch", L"Dokument nach weiteren Dateien durchsuchen", L"Search File for more Documents"},
    {"sqdeleteall", L"Alles Löschen", L"Delete All"},
    {"squdeleteraw", L"Reihe Löschen", L"Delete Row"},
    {"squerweitert", L"Erweitert..", L"Advanced.."},
    {"stwla2", L"Dateien können auch auf die Liste gezogen werden.", L"Files can also be dropped onto the list."},
    {"stwgb1", L"Ausschlusskriterien", L"Exclusion Criteria"},
    {"stwgb2", L"Wortlisten", L"Word Lists"},
    {"stwgb3", L"Index", L"Index"},
    {"stwgb4", L"Design", L"Design"},
    {"stw_kleinraus", L"Kleingeschriebene Worte werden aussortiert", L"Remove Lower Words"},
    {"stw_grossraus", L"Großgeschriebene Worte werden aussortiert", L"Remove Upper Words"},
    {"stw_zahlenraus", L"Zahlen werden aussortiert", L"Remove Numbers"},
    {"stw_htmlraus", L"HTML-Tags werden entfernt", L"Remove HTML-Tags"},
    {"stw_maxl", L"Minimale Länge der aufgenommen Worte:", L"Minimum Length of Words:"},
    {"stwla1", L"Zeichen", L"Characters"},
    {"stw_neg", L"Negativliste (diese Worte werden aussortiert)", L"Black List (these words will be removed)"},
    {"stw_pos", L"Positivliste (diese Worte kommen in den Index)", L"White List (these words will come to the index)"},
    {"stw_neganzeigen", L"Negativliste..", L"Black List.."},
    {"stw_posanzeigen", L"Positivliste..", L"White List.."},
    {"stw_doppelt", L"Doppelte Einträge entfernen", L"Remove Double Items"},
    {"stw_zus", L"Zusammenhängende Worte beachten", L"Keep Associated Words Together"},
    {"stw_untereinander", L"Wörter untereinander anordnern", L"Write Words under each other"},
    {"stw_alphabetisch", L"Wörter alphabetisch sortieren", L"Order Words alphabetical"},
    {"stw_design", L"Angepasstes Design", L"User Defined Design"},
    {"stw_designanzeigen", L"Design..", L"Design.."},
    {"Label17",
     L"Tipp: Um nur die Wortlisten für Ihren Index zu verwenden, aktivieren Sie alle Ausschlusskriterien",
     L"Tipp: To use only the word lists for your index, you can activate all of the exclusion criteria"},
    {"stwla6", L"Die Kriterien gelten für jede Datei der Liste.", L"The criteria apply to every file of the list."},
    {"stwla7", L"\"Index Erstellen\" sucht die Stichwörter jeder Datei der Liste.",
     L"\"Create Index\" finds the keywords of every file of the list."},
    {"stwla3", L"Bitte warten, bis der Index erstellt ist.", L"Please wait until the index is built."},
    {"stwla8", L"Danach wird das Ergebnis angezeigt.", L"The result is shown afterwards."},
    {"AbbruchS", L"Abbrechen", L"Break"},
    {"soutputspeichern", L"Text Speichern", L"Save Text"},
    {"szwischenablage", L"Zwischenablage", L"To Clipboard"},
    {"stwla5", L"Eine Zeile je Datei.", L"One line per file."},
    {"stwla9", L"Das Ergebnis kann gespeichert oder in die Zwischenablage kopiert werden.",
     L"The result can be saved or copied to the clipboard."},
    {"Zeilenumbruch", L"Zeilenumbruch", L"Line Break"},
};

// The filters of the main window's file dialogs.
const std::vector<TLanguageText> kDialogFilters = {
    {"memoload", L"Text (*.txt)|*.txt|Alle Dateien (*.*)|*.*", L"Text (*.txt)|*.txt|All Files (*.*)|*.*"},
    {"memosave", L"Text (*.txt)|*.txt|Alle Dateien (*.*)|*.*", L"Text (*.txt)|*.txt|All Files (*.*)|*.*"},
    {"OpenDatei", L"Alle Dateien (*.*)|*.*|Text (*.txt)|*.txt|Internet (*.htm, *.html, *.php)|*.htm; *html; *.php",
     L"All Files (*.*)|*.*|Text (*.txt)|*.txt|Internet (*.htm, *.html, *.php)|*.htm; *html; *.php"},
    {"OpenIndex", L"Index (*.idx)|*.idx|Alle Dateien (*.*)|*.*", L"Index (*.idx)|*.idx|All Files (*.*)|*.*"},
    {"SaveIndex", L"Index (*.idx)|*.idx|Alle Dateien (*.*)|*.*", L"Index (*.idx)|*.idx|All Files (*.*)|*.*"},
    {"sd_konfig", L"Kaptorix Konfiguration (*.qcfg)|*.qcfg", L"Kaptorix Configuration (*.qcfg)|*.qcfg"},
    {"od_konfig", L"Kaptorix Konfiguration (*.qcfg)|*.qcfg", L"Kaptorix Configuration (*.qcfg)|*.qcfg"},
};

// The menu bar's captions.
const std::vector<TLanguageText> kMenuTexts = {
    {"mdatei", L"Datei", L"File"},
    {"mneu", L"Neu", L"New"},
    {"mneutxt", L"Text Index", L"Text Index"},
    {"mneudatei", L"Datei Index", L"File Index"},
    {"mneustw", L"Stichwort Index", L"Keyword Index"},
    {"mtidxload", L"Text Index Laden", L"Load Text Index"},
    {"mdidxload", L"Datei Index Laden", L"Load File Index"},
    {"mtidxsave", L"Text Index Speichern", L"Save Text Index"},
    {"mdidxsave", L"Datei Index Speichern", L"Save File Index"},
    {"mstwidxsave", L"Stichwort Index Speichern", L"Save Keyword Index"},
    {"mbeenden", L"Beenden", L"Close"},
    {"meinst", L"Einstellungen", L"Settings"},
    {"met", L"Text Index", L"Text Index"},
    {"mets", L"Seitenzahlen", L"Folio"},
    {"metk", L"Kriterien", L"Criteria"},
    {"metd", L"Design", L"Design"},
    {"med", L"Datei Index", L"File Index"},
    {"medk", L"Kriterien", L"Criteria"},
    {"medd", L"Design", L"Design"},
    {"mes", L"Stichwort Index", L"Keyword Index"},
    {"mesk", L"Kriterien", L"Criteria"},
    {"mesd", L"Design", L"Design"},
    {"mewl", L"Wortlisten", L"Word Lists"},
    {"mewlneg", L"Negativliste", L"Black List"},
    {"mewlpos", L"Positivliste", L"White List"},
    {"zspmenu", L"Zwischenspeichern", L"Latching"},
    {"spopt", L"Speicheroptionen..", L"Saving Options.."},
    {"mspr", L"Sprache", L"Language"},
    {"msprde", L"Deutsch", L"German"},
    {"mspren", L"English", L"English"},
    {"m_konfig", L"Konfiguration", L"Configuration"},
    {"m_konfig_save", L"Aktuelle Konfiguration speichern", L"Save current Configuration"},
    {"m_konfig_save_start", L"Aktuelle Konfiguration als Startkonfiguration speichern (auto.qcfg)",
     L"Save current Configuration as Start Configuration (auto.qfcg)"},
    {"m_konfig_load", L"Konfiguration laden", L"Load Configuration"},
    {"m_konfig_autosave", L"Konfiguration beim Beenden speichern", L"Auto Save Settings on Exit"},
    {"m_konfig_autosave_nie", L"Nicht speichern", L"Never"},
    {"m_konfig_autosave_alles", L"Alles speichern", L"Save all"},
    {"m_konfig_standard", L"Alle Einstellungen zurücksetzen", L"Reset all Settings"},
    {"m_konfig_start", L"Startkonfiguration (auto.qcfg) laden wenn vorhanden",
     L"Load Start Configuration (auto.qfcg) if possible"},
    {"mfenster", L"Fenster", L"Windows"},
    {"mfstart", L"Start", L"Start"},
    {"mft", L"Text Index", L"Text Index"},
    {"mft1", L"1. Quelle", L"1. Source"},
    {"mft2", L"2. Seitenzahlen", L"2. Folio"},
    {"mft3", L"3. Kriterien", L"3. Criteria"},
    {"mft4", L"4. Fertigstellen", L"4. Complete"},
    {"mft5", L"Index Erstellen", L"Create Index"},
    {"mft6", L"Ergebnis", L"Output"},
    {"mfd", L"Datei Index", L"File Index"},
    {"mfd1", L"1. Quelle", L"1. Source"},
    {"mfd2", L"2. Einstellungen", L"2. Criteria"},
    {"mfd3", L"3. Fertigstellen", L"3. Complete"},
    {"mfd4", L"Index Erstellen", L"Create Index"},
    {"mfd5", L"Ergebnis", L"Output"},
    {"mfs", L"Stichwort Index", L"Keyword Index"},
    {"mfs1", L"1. Quelle", L"1. Source"},
    {"mfs2", L"2. Einstellungen", L"2. Criteria"},
    {"mfs3", L"3. Fertigstellen", L"3. Complete"},
    {"mfs4", L"Index Erstellen", L"Create Index"},
    {"mfs5", L"Ergebnis", L"Output"},
    {"mfi", L"Info", L"Information"},
    {"mfi1", L"Hilfe", L"Help"},
    {"mfi2", L"Empfehlungen", L"Regards"},
    {"Software2", L"Software", L"Software"},
    {"mfi3", L"Wieso spenden?", L"Why donate?"},
    {"mfi4", L"Lizenz", L"Licence"},
    {"mtools", L"Tools", L"Tools"},
    {"mt1", L"Index > Negativliste", L"Index > Black List"},
    {"mt2", L"Index > Positivliste", L"Index > White List"},
    {"mt3", L"Text > Index (*.idx)", L"Text > Index (*.idx)"},
    {"mt4", L"Seitenzahlen in Text schreiben", L"Write Folio to Text"},
    {"m_komp", L"Kompatibilitätstest", L"Compatibility Test"},
    {"m_bug", L"Fehler oder Verbesserung melden..", L"Report Bug or Improvement.."},
    {"verk", L"Verknüpfungen", L"Register File Extension"},
    {"verk_qcfg", L"Konfigurationsdateien (*.qcfg)", L"Configurations (*.qcfg)"},
    {"verk_idx", L"Index-Dateien (*.idx)", L"Index-Files (*.idx)"},
    {"m_links", L"Weitere Programme", L"More Programs"},
    {"minfo", L"Info", L"Information"},
    {"minfo1", L"Hilfe", L"Help"},
    {"minfo2", L"Empfehlungen", L"Regards"},
    {"Software1", L"Software", L"Software"},
    {"minfo3", L"Wieso spenden?", L"Why donate?"},
    {"minfo4", L"Lizenz", L"Licence"},
    // The maker's pages: product, donation, two home pages, help, design.
    {"minfo5", L"kaptorix.de - Kaptorix", L"kaptorix.com - Kaptorix"},
    {"minfo6", L"kaptorix.de/spenden - Spenden", L"kaptorix.com/donate - Donate"},
    {"minfo7", L"kalwe.de - Homepage", L"kalwe.com - Homepage"},
    {"minfo8", L"bernokalwe.de - Homepage", L"bernokalwe.com - Homepage"},
    {"minfo9", L"kaptorix.de/hilfe - Hilfe", L"kaptorix.com/help - Help"},
    {"minfo10", L"kaptorix.de/design - Design", L"kaptorix.com/design - Design"},
};

// The start panel's donation label.
const std::vector<TLanguageText> kDonationText = {
    {"laspenden", L"kaptorix.de/spenden - Vielen Dank!", L"kaptorix.com/donate - Thank You!"},
};

// What the language shows and hides: the English headings over the German ones, the
// information page of its own, the menu of the
// maker's other programs in its own language, the language items' check marks.
void ShowLanguageParts(bool german) {
  for (TImage* english : {prog->start_topen, prog->top_datei_en, prog->top_stw_en}) english->SetVisible(!german);
  prog->pinfo_de->SetVisible(german);
  prog->pinfo_en->SetVisible(!german);
  prog->m_soft_de->SetVisible(german);
  prog->m_soft_en->SetVisible(!german);
  prog->msprde->SetChecked(german);
  prog->mspren->SetChecked(!german);
}

// The configuration dialogs' titles and proposed file name.
void SetConfigurationDialogTexts(bool german) {
  prog->sd_konfig->SetFileName(german ? "Konfiguration.qcfg" : "Configuration.qcfg");
  prog->od_konfig->SetTitle(german ? Ansi(L"Konfiguration öffnen..") : "Open Configuration..");
  prog->sd_konfig->SetTitle(german ? "Konfiguration speichern.." : "Save Configuration..");
}

void SetDialogFilters(bool german) {
  for (const TLanguageText& text : kDialogFilters) {
    auto* dialog = dynamic_cast<TOpenDialog*>(prog->FindComponent(text.Name));
    if (dialog == nullptr) throw Exception(std::string("The main window has no file dialog ") + text.Name);
    dialog->SetFilter(Ansi(german ? text.German : text.English));
  }
}

const TProgressTexts kGermanProgress = {"Vorbereiten..", "Seite einlesen: ", "Datei einlesen: ",
                                        "Index aktualisieren..", "Index schreiben..",
                                        "Status der aktuellen Datei:"};
const TProgressTexts kEnglishProgress = {"Preparing Index..", "Reading Page: ", "Reading File: ",
                                         "Refreshing Index..", "Writing Index..", "Status of current File:"};

// The labels of the index to extend show "none chosen" in the language. The text wizard's label
// always does; the file wizard's keeps a chosen file (a path), so that the file index's choice
// outlives the switch.
void ResetIndexLabels(const wchar_t* none) {
  prog->kt_index->SetCaption(std::wstring(none));
  if (prog->dkt_index->GetCaption().find(L'\\') == std::wstring::npos) prog->dkt_index->SetCaption(std::wstring(none));
}

// The column headings of a file list.
void SetFileListColumns(TListView* list, const std::string& code) {
  static const wchar_t* const kGerman[] = {L"Bezeichnung", L"Link", L"Format", L"Kodierung", L"Größe", L"Quelle"};
  static const wchar_t* const kEnglish[] = {L"Name", L"Link", L"Type", L"Coding", L"Size", L"Source"};
  if (code != "de" && code != "en") return;
  TUCodeListColumns* columns = list->GetColumns();
  for (int i = 0; i < columns->GetCount() && i < 6; ++i)
    columns->GetItem(i)->SetCaption(code == "de" ? kGerman[i] : kEnglish[i]);
}

// The texts go in wide, so that a text outside the code page shows intact.
void SetCaptionOf(TComponent* component, const std::wstring& text) {
  if (auto* edit = dynamic_cast<TCustomLabeledEdit*>(component))
    WideSetControlText(edit->GetEditLabel(), text);
  else if (auto* control = dynamic_cast<TControl*>(component))
    WideSetControlText(control, text);
  else if (auto* item = dynamic_cast<TMenuItem*>(component))
    item->SetCaption(text);
  else
    throw Exception("No caption: " + component->GetName());
}

}  // namespace

void ApplyLanguageTexts(TComponent* window, const std::vector<TLanguageText>& texts, const std::string& code) {
  if (code != "de" && code != "en") return;
  for (const TLanguageText& text : texts) {
    const std::wstring value = code == "de" ? text.German : text.English;
    TComponent* component = *text.Name ? window->FindComponent(text.Name) : window;
    if (component == nullptr) throw Exception(window->GetName() + " has no component " + text.Name);
    SetCaptionOf(component, value);
  }
}

void ApplyCustomItem(TComboBox* combo, const std::string& code) {
  std::wstring from, to;
  if (code == "de") from = L"Custom", to = L"Benutzerdefiniert";
  if (code == "en") from = L"Benutzerdefiniert", to = L"Custom";
  if (from.empty()) return;
  const std::wstring shown = combo->GetText();
  TUCodeStrings* items = combo->GetItems();
  std::wstring text = items->GetText();
  for (size_t at = text.find(from); at != std::wstring::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  items->SetText(text);
  combo->SetText(shown);
}

void OfferCustomEntry(TComboBox* combo) {
  const std::wstring text = combo->GetText();
  if (text != L"Benutzerdefiniert.." && text != L"Custom..") return;
  combo->SetItemIndex(-1);
  combo->SetText(L"");
  if (combo->CanFocus()) combo->SetFocus();
}

void SetProgLanguage() {
  const std::string code = LanguageCode();
  ApplyLanguageTexts(prog, kProgTexts, code);
  for (TComboBox* box : {prog->kt_max, prog->dkt_max, prog->stw_max}) ApplyCustomItem(box, code);
  SetFileListColumns(prog->qulist, code);
  SetFileListColumns(prog->squlist, code);
  if (code == "de") {
    ProgressTexts = kGermanProgress;
    ResetIndexLabels(L"Kein anderer Index ausgewählt");
  }
  if (code == "en") {
    ProgressTexts = kEnglishProgress;
    ResetIndexLabels(L"No Index Selected");
  }
  if (code == "de" || code == "en") {
    SetDialogFilters(code == "de");
    ApplyLanguageTexts(prog, kMenuTexts, code);
    ApplyLanguageTexts(prog, kDonationText, code);
    prog->FillLinksMenu();
    SetConfigurationDialogTexts(code == "de");
    ShowLanguageParts(code == "de");
  }
}
