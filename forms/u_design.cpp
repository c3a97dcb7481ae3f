#include "forms/u_design.h"

#include "forms/u_progspr.h"
#include "forms/u_start.h"

Tdesign* design = nullptr;

namespace {

std::string Quoted(const std::string& text) {
  std::string quoted(1, '"');
  quoted.append(text).push_back('"');
  return quoted;
}

const std::vector<TLanguageText> kTexts = {
    {"gb1", L"Überschriften", L"Headlinge"},
    {"ub", L"Gesamtüberschrift", L"Top Headline"},
    {"kt_alphabet", L"Überschriften im Index: A, B, C,..", L"Headlines in the Index: A, B, C,.."},
    {"dabsatz_abc", L"Leere Zeile vor den ABC - Überschriften", L"Empty Line before ABC - Headings"},
    {"gb2", L"Verwendete Zeichen", L"Used Characters"},
    {"dsep", L"Seperator zwischen den Seiten", L"Seperator between Page Numbers"},
    {"dzw", L"Zwischen Eintrag und Seiten", L"Between Items and Page Numbers"},
};

}  // namespace

Tdesign::Tdesign(TComponent* owner) : TForm(owner) { InitForm(); }

void Tdesign::FormCreate(TObject*) { LocalSpr(); }

void Tdesign::LocalSpr() {
  ApplyLanguageTexts(this, kTexts, LanguageCode());
  dsepChange(this);
}

void Tdesign::dsepChange(TObject*) {
  if (!dsep || !dzw || !Label1 || !Label2 || !vorschau) return;  // still being read
  const std::string separator = dsep->GetText();
  Label1->SetCaption(Quoted(separator));
  Label2->SetCaption(Quoted(dzw->GetText()));
  const std::string sample = LanguageCode() == "de" ? "Vorschau: Eintrag" : "Preview: Item";
  vorschau->SetCaption(sample + dzw->GetText() + "17" + separator + "38" + separator + "69" + separator + "193");
}

void Tdesign::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<Tdesign>();
  p.Field("gb1", &Tdesign::gb1);
  p.Field("ub", &Tdesign::ub);
  p.Field("kt_alphabet", &Tdesign::kt_alphabet);
  p.Field("dabsatz_abc", &Tdesign::dabsatz_abc);
  p.Field("gb2", &Tdesign::gb2);
  p.Field("dsep", &Tdesign::dsep);
  p.Field("dzw", &Tdesign::dzw);
  p.Field("Label1", &Tdesign::Label1);
  p.Field("Label2", &Tdesign::Label2);
  p.Field("vorschau", &Tdesign::vorschau);
  p.Field("OK", &Tdesign::OK);
  p.Handler("FormCreate", &Tdesign::FormCreate);
  p.Handler("dsepChange", &Tdesign::dsepChange);
}
