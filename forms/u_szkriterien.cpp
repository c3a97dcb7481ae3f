#include "forms/u_szkriterien.h"

#include "forms/u_progspr.h"
#include "forms/u_start.h"
#include "forms/u_textix.h"

Tszkriterien* szkriterien = nullptr;

namespace {

const std::vector<TLanguageText> kTexts = {
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

}  // namespace

Tszkriterien::Tszkriterien(TComponent* owner) : TForm(owner) { InitForm(); }

void Tszkriterien::FormCreate(TObject*) { LocalSpr(); }

void Tszkriterien::LocalSpr() {
  const std::string code = LanguageCode();
  ApplyLanguageTexts(this, kTexts, code);
  ApplyCustomItem(sz_laenge, code);
  ApplyCustomItem(cb_pluswert, code);
}

void Tszkriterien::OKClick(TObject*) {
  Close();
  FindPageNumbers();
}

void Tszkriterien::AbbrechenClick(TObject*) { Close(); }

void Tszkriterien::sz_laengeChange(TObject* sender) {
  if (auto* box = dynamic_cast<TComboBox*>(sender)) OfferCustomEntry(box);
}

void Tszkriterien::sz_laengeExit(TObject* sender) {
  auto* box = dynamic_cast<TComboBox*>(sender);
  if (box != nullptr && box->GetText().empty()) box->SetText(std::to_wstring(box->GetTag()));
}

void Tszkriterien::sz_laengeKeyPress(TObject*, char& key) {
  if (key != '\b' && (key < '0' || key > '9')) key = 0;
}

void Tszkriterien::cb_pluswertKeyPress(TObject*, char& key) {
  if (key != '\b' && key != '-' && (key < '0' || key > '9')) key = 0;
}

void Tszkriterien::sz_kuerzenClick(TObject*) {
  // Checking a box from the description fires this before the radio buttons exist.
  if (!sz_kuerzen || !sz_bwstandard || !sz_bwdef || !sz_bwdefs) return;
  const bool cut = sz_kuerzen->GetChecked();
  sz_bwstandard->SetEnabled(cut);
  sz_bwdef->SetEnabled(cut);
  if (cut) sz_bwstandardClick(this);
}

void Tszkriterien::sz_bwstandardClick(TObject*) {
  if (!sz_bwdef || !sz_bwdefs) return;
  sz_bwdefs->SetEnabled(sz_bwdef->GetChecked());
}

void Tszkriterien::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<Tszkriterien>();
  p.Field("gb0", &Tszkriterien::gb0);
  p.Field("posueber", &Tszkriterien::posueber);
  p.Field("posunter", &Tszkriterien::posunter);
  p.Field("gb1", &Tszkriterien::gb1);
  p.Field("Label1", &Tszkriterien::Label1);
  p.Field("sz_laenge", &Tszkriterien::sz_laenge);
  p.Field("gb4", &Tszkriterien::gb4);
  p.Field("cb_plus", &Tszkriterien::cb_plus);
  p.Field("cb_pluswert", &Tszkriterien::cb_pluswert);
  p.Field("gb3", &Tszkriterien::gb3);
  p.Field("sz_zeichbeginn", &Tszkriterien::sz_zeichbeginn);
  p.Field("sz_zeichen", &Tszkriterien::sz_zeichen);
  p.Field("sz_zeichenweg", &Tszkriterien::sz_zeichenweg);
  p.Field("Label2", &Tszkriterien::Label2);
  p.Field("gb2", &Tszkriterien::gb2);
  p.Field("sz_nurzahl", &Tszkriterien::sz_nurzahl);
  p.Field("sz_kuerzen", &Tszkriterien::sz_kuerzen);
  p.Field("sz_bwstandard", &Tszkriterien::sz_bwstandard);
  p.Field("sz_bwdef", &Tszkriterien::sz_bwdef);
  p.Field("sz_bwdefs", &Tszkriterien::sz_bwdefs);
  p.Field("OK", &Tszkriterien::OK);
  p.Field("Abbrechen", &Tszkriterien::Abbrechen);
  p.Handler("FormCreate", &Tszkriterien::FormCreate);
  p.Handler("OKClick", &Tszkriterien::OKClick);
  p.Handler("AbbrechenClick", &Tszkriterien::AbbrechenClick);
  p.Handler("sz_laengeChange", &Tszkriterien::sz_laengeChange);
  p.Handler("sz_laengeExit", &Tszkriterien::sz_laengeExit);
  p.Handler("sz_laengeKeyPress", &Tszkriterien::sz_laengeKeyPress);
  p.Handler("cb_pluswertKeyPress", &Tszkriterien::cb_pluswertKeyPress);
  p.Handler("sz_kuerzenClick", &Tszkriterien::sz_kuerzenClick);
  p.Handler("sz_bwstandardClick", &Tszkriterien::sz_bwstandardClick);
}
