#include "forms/u_sdesign.h"

#include "forms/u_progspr.h"
#include "forms/u_start.h"

Tsdesign* sdesign = nullptr;

namespace {

const std::vector<TLanguageText> kTexts = {
    {"", L"StichwortIndex Design", L"KeywordIndex Design"},
    {"gb1", L"Verwendete Angaben", L"Used Data"},
    {"bez", L"Bezeichnung im Eintrag verwenden", L"Synonym"},
    {"dateiname", L"Dateiname im Eintrag verwenden", L"File Name"},
    {"gb2", L"Layout", L"Layout"},
    {"leerzeile", L"Zeile zwischen den Einträgen freilassen", L"Empty Line between Entries"},
    {"gb3", L"Verwendete Zeichen", L"Used Characters"},
    {"v", L"Zu Beginn jeder Zeile", L"At the Beginning of a Line"},
    {"zwdl", L"Zwischen Bezeichnung/Dateiname", L"Between Synonym and File Name"},
    {"zw", L"Zeichen zwischen Eintrag und Stichwörtern", L"Character between Entry and Keywords"},
    {"zwe", L"Zeichen zwischen den Stichwörtern", L"Character between Keywords"},
    {"ne", L"Zum Ende jeder Zeile", L"At the End of a Line"},
};

}  // namespace

// The builders read this window through `sdesign`, so it names itself before its description is read.
Tsdesign::Tsdesign(TComponent* owner) : TForm(owner) {
  sdesign = this;
  InitForm();
}

void Tsdesign::FormCreate(TObject*) { LocalSpr(); }

void Tsdesign::LocalSpr() {
  ApplyLanguageTexts(this, kTexts, LanguageCode());
  Vorschau(this);
}

void Tsdesign::Vorschau(TObject*) {
  if (!beispiel || !bez || !dateiname || !v || !zwdl || !zw || !zwe || !ne) return;  // still being read
  const bool german = LanguageCode() == "de";
  std::string line = v->GetText();
  if (bez->GetChecked()) line += "Dateiname";
  if (bez->GetChecked() && dateiname->GetChecked()) line += zwdl->GetText();
  if (dateiname->GetChecked()) line += "datei.txt";
  line += zw->GetText() + (german ? "Stichwort1" : "Keyword1") + zwe->GetText() +
          (german ? "Stichwort2" : "Keyword2") + ne->GetText();
  beispiel->SetCaption((german ? "Vorschau: " : "Preview: ") + line);
}

void Tsdesign::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<Tsdesign>();
  p.Field("gb1", &Tsdesign::gb1);
  p.Field("bez", &Tsdesign::bez);
  p.Field("dateiname", &Tsdesign::dateiname);
  p.Field("gb2", &Tsdesign::gb2);
  p.Field("leerzeile", &Tsdesign::leerzeile);
  p.Field("gb3", &Tsdesign::gb3);
  p.Field("v", &Tsdesign::v);
  p.Field("ne", &Tsdesign::ne);
  p.Field("zwdl", &Tsdesign::zwdl);
  p.Field("zw", &Tsdesign::zw);
  p.Field("zwe", &Tsdesign::zwe);
  p.Field("beispiel", &Tsdesign::beispiel);
  p.Field("OK", &Tsdesign::OK);
  p.Handler("FormCreate", &Tsdesign::FormCreate);
  p.Handler("Vorschau", &Tsdesign::Vorschau);
}
