#include "forms/u_zusatzfunktion.h"

#include "classlib/CommonDialogs.h"
#include "engine/u_WideFunc.h"
#include "forms/u_prog.h"
#include "forms/u_progspr.h"
#include "forms/u_start.h"
#include "ucode/UCodeSysUtils.h"
#include "ucode/UCodeSystem.h"

Tzusatzfunktion* zusatzfunktion = nullptr;

namespace {

const std::vector<TLanguageText> kTexts = {
    {"", L"Zusatzfunktionen", L"Additional Features"},
    {"word", L"Kompatibilitätstest", L"Compatibility Test"},
    {"Label4", L"Kompatibilitätstest", L"Compatibility Test"},
    {"bttxtquelle", L"Öffnen", L"Open"},
    {"StaticText3",
     L"Klicken Sie auf \"Öffnen\" und öffnen Sie eine Microsoft Word® Datei. Wenn die ersten zwei Seiten "
     L"der Datei in dem Kästchen erscheinen, funktioniert Ihre Word® Version mit unserem Programm und Sie "
     L"können einen Index aus einer Word®-Datei erstellen.",
     L"Click on \"Open\" and open a Microsoft Word® file. If you can see the first two\r\npages of the file "
     L"in the box, your Word® version is compatible with our program and \r\nyou can create an index from a "
     L"Word® file with our program."},
};

// Wide, so that "®" shows on systems whose code page has no such character.
std::wstring SuccessText() {
  return LanguageCode() == "de" ? L"Ihre Word\u00AE Version ist kompatibel!" : L"Your Word\u00AE version is compatible!";
}

// The pages a test shows.
constexpr int kTestPages = 2;

}  // namespace

Tzusatzfunktion::Tzusatzfunktion(TComponent* owner) : TForm(owner) {
  zusatzfunktion = this;
  InitForm();
}

void Tzusatzfunktion::FormCreate(TObject*) { sprache(); }

void Tzusatzfunktion::sprache() { ApplyLanguageTexts(this, kTexts, LanguageCode()); }

void Tzusatzfunktion::bttxtquelleClick(TObject*) {
  if (prog && prog->OpenDatei->Execute()) edit_quelle->SetText(prog->OpenDatei->GetFileNameW());
  const std::wstring path = edit_quelle->GetText();
  if (path.empty() || !WideFileExists(path)) return;
  original->Clear();
  // A document Word cannot read leaves the box empty; Word's error goes on to the error dialog.
  const std::wstring text = ReadWordDocument(path, kTestPages, LanguageCode());
  original->SetText(text);
  if (!text.empty()) Label5->SetCaption(SuccessText());
}

void Tzusatzfunktion::Button1Click(TObject*) { Close(); }

void Tzusatzfunktion::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<Tzusatzfunktion>();
  p.Field("pc", &Tzusatzfunktion::pc);
  p.Field("word", &Tzusatzfunktion::word);
  p.Field("Label4", &Tzusatzfunktion::Label4);
  p.Field("StaticText3", &Tzusatzfunktion::StaticText3);
  p.Field("edit_quelle", &Tzusatzfunktion::edit_quelle);
  p.Field("bttxtquelle", &Tzusatzfunktion::bttxtquelle);
  p.Field("original", &Tzusatzfunktion::original);
  p.Field("Label5", &Tzusatzfunktion::Label5);
  p.Field("Button2", &Tzusatzfunktion::Button2);
  p.Handler("FormCreate", &Tzusatzfunktion::FormCreate);
  p.Handler("bttxtquelleClick", &Tzusatzfunktion::bttxtquelleClick);
  p.Handler("Button1Click", &Tzusatzfunktion::Button1Click);
}
