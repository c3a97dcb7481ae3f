#include "forms/u_progspr.h"

#include "classlib/ExtCtrls.h"
#include "classlib/StdCtrls.h"
#include "classlib/SysUtils.h"
#include "forms/u_prog.h"
#include "forms/u_start.h"
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
    {"Label18", L"Datei:", L"File:"},
    {"bttxtquelle", L"Durchsuchen..", L"Browse.."},
    {"qu_text", L"Text als Quelle benutzen", L"Use Text as Source"},
    {"qu_laden", L"Laden", L"Load"},
    {"qu_delete", L"Löschen", L"Delete"},
    // 2. Page numbers
    {"sz_zeilezuseite", L"Jede Zeile im Text ist eine eigene Seite", L"Every Line of the Text is a Page"},
    {"Label1", L"Erste Seite:", L"First Page:"},
    {"sz_auslesen", L"Seitenbezeichnung (Zeilennummer)", L"Page Label (Line Number)"},
    {"Auslesen", L"Auslesen", L"Read"},
    {"sz_entfernen", L"Entfernen", L"Remove"},
    {"sz_bearbeiten", L"Bearbeiten..", L"Edit.."},
    {"sz_kriterien", L"Kriterien..", L"Criteria.."},
    // 3. Criteria
    {"kt_gb1", L"Ausschlusskriterien", L"Exclusion Criteria"},
    {"kt_gb2", L"Wortlisten", L"Word Lists"},
    {"kt_gb3", L"Index", L"Index"},
    {"kt_kleineraus", L"Kleingeschriebene Worte werden aussortiert", L"Remove Lower Words"},
    {"kt_grosseraus", L"Großgeschriebene Worte werden aussortiert", L"Remove Upper Words"},
    {"kt_zahlen", L"Zahlen werden aussortiert", L"Remove Numbers"},
    {"kt_maxl", L"Minimale Länge der aufgenommen Worte:", L"Minimum Length of Words:"},
    {"kt_negativliste", L"Negativliste (diese Worte werden aussortiert)", L"Black List (these words will be removed)"},
    {"kt_positivliste", L"Positivliste (diese Worte kommen in den Index)",
     L"White List (these words will be added to the index)"},
    {"negativliste_anzeigen", L"Liste anzeigen..", L"Show List.."},
    {"positivliste_anzeigen", L"Liste anzeigen..", L"Show List.."},
    {"kt_keinedoppeltenseiten", L"Doppelte Verweise entfernen", L"Remove Double Folio"},
    {"kt_zusammen", L"Zusammenhängende Wörter zusammen in den Index aufnehmen", L"Search for Associated Words"},
    {"kt_zusdoppelt", L"Zusammenhänge Wörter mehrfach in den Index aufnehmen", L"Multiple Add Associated Words"},
    {"kt_integrieren", L"Zu einem vorhandenen Index hinzufügen", L"Add New Items to another Index"},
    {"andindex", L"Index wählen..", L"Choose Index.."},
    {"kt_design", L"Angepasstes Design", L"User Defined Design"},
    {"Label13",
     L"Tipp: Um nur die Wortlisten für Ihren Index zu verwenden, aktivieren Sie alle Ausschlusskriterien",
     L"Tipp: To use only the word lists for your index, you can activate all of the exclusion criteria"},
    // Result
    {"outputspeichern", L"Text Speichern", L"Save Text"},
    {"DatenSpeichern", L"Index Speichern", L"Save Index"},
    {"zwischenablage", L"Zwischenablage", L"To Clipboard"},
};

const TProgressTexts kGermanProgress = {"Vorbereiten..", "Seite einlesen: ", "Datei einlesen: ",
                                        "Index aktualisieren..", "Index schreiben..",
                                        "Status der aktuellen Datei:"};
const TProgressTexts kEnglishProgress = {"Preparing Index..", "Reading Page: ", "Reading File: ",
                                         "Refreshing Index..", "Writing Index..", "Status of current File:"};

// The label of the index to extend shows "none chosen" in the language; a chosen file (a
// path) stays, so that switching the language does not drop the user's choice while the
// option to extend stays ticked.
void ResetIndexLabel(TLabel* label, const wchar_t* none) {
  if (label->GetCaption().find('\\') == std::string::npos) label->SetCaption(Ansi(none));
}

void SetCaptionOf(TComponent* component, const std::string& text) {
  if (auto* edit = dynamic_cast<TCustomLabeledEdit*>(component))
    edit->GetEditLabel()->SetCaption(text);
  else if (auto* control = dynamic_cast<TControl*>(component))
    control->SetCaption(text);
  else
    throw Exception("No caption: " + component->GetName());
}

}  // namespace

void ApplyLanguageTexts(TComponent* window, const std::vector<TLanguageText>& texts, const std::string& code) {
  if (code != "de" && code != "en") return;
  for (const TLanguageText& text : texts) {
    const std::string value = Ansi(code == "de" ? text.German : text.English);
    TComponent* component = *text.Name ? window->FindComponent(text.Name) : window;
    if (component == nullptr) throw Exception(window->GetName() + " has no component " + text.Name);
    SetCaptionOf(component, value);
  }
}

void ApplyCustomItem(TComboBox* combo, const std::string& code) {
  std::string from, to;
  if (code == "de") from = "Custom", to = "Benutzerdefiniert";
  if (code == "en") from = "Benutzerdefiniert", to = "Custom";
  if (from.empty()) return;
  const std::string shown = combo->GetText();
  TStrings* items = combo->GetItems();
  std::string text = items->GetText();
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  items->SetText(text);
  combo->SetText(shown);
}

void SetProgLanguage() {
  const std::string code = LanguageCode();
  ApplyLanguageTexts(prog, kProgTexts, code);
  ApplyCustomItem(prog->kt_max, code);
  if (code == "de") {
    ProgressTexts = kGermanProgress;
    ResetIndexLabel(prog->kt_index, L"Kein anderer Index ausgewählt");
  }
  if (code == "en") {
    ProgressTexts = kEnglishProgress;
    ResetIndexLabel(prog->kt_index, L"No Index Selected");
  }
}
