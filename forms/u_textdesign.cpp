#include "forms/u_textdesign.h"

#include "forms/u_progspr.h"
#include "forms/u_start.h"

Ttextdesign* textdesign = nullptr;

namespace {

const std::vector<TLanguageText> kTexts = {
    {"gb1", L"Überschriften", L"Headlines"},
    {"titel", L"Überschrift über dem Index", L"Headline over the Index"},
    {"kt_alphabet", L"Überschriften im Index: A, B, C,..", L"Headlines in the Index: A, B, C,.."},
    {"gb2", L"Verwendete Angaben", L"Used Data"},
    {"namen", L"Bezeichnungen im Eintrag verwenden", L"Synonym"},
    {"links", L"Link im Eintrag verwenden", L"Link"},
    {"gb3", L"Verwendete Zeichen", L"Used Characters"},
    {"es", L"Zeichen zwischen Eintrag und Seitenangaben", L"Character between Entry and Number of Pages"},
    {"s", L"Zeichen zwischen den Seitenangaben", L"Character between Number of Pages"},
    {"b", L"Vor Bezeichnung", L"Before Synonym"},
    {"bl", L"Zwischen Bezeichnung/Link", L"Between Synonym/Link"},
    {"l", L"Nach Link", L"After Link"},
};

}  // namespace

// The builders read this window through `textdesign`, so it names itself before its description is read.
Ttextdesign::Ttextdesign(TComponent* owner) : TForm(owner) {
  textdesign = this;
  InitForm();
}

void Ttextdesign::FormCreate(TObject*) { LocalSpr(); }

void Ttextdesign::LocalSpr() {
  ApplyLanguageTexts(this, kTexts, LanguageCode());
  Vorschau(this);
}

void Ttextdesign::Vorschau(TObject*) {
  if (!beispiel || !namen || !links || !es || !s || !b || !bl || !l) return;  // still being read
  const bool german = LanguageCode() == "de";
  const std::string label = german ? "Bezeichung" : "Synonym";
  std::string preview = (german ? "Vorschau: Eintrag" : "Preview: Entry") + es->GetText();
  auto item = [&](const char* number) {
    if (namen->GetChecked()) preview += b->GetText() + label + number;
    if (links->GetChecked()) preview += bl->GetText() + "Link" + number + l->GetText();
  };
  item("1");
  preview += s->GetText();
  item("2");
  beispiel->SetCaption(preview);
}

void Ttextdesign::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<Ttextdesign>();
  p.Field("gb1", &Ttextdesign::gb1);
  p.Field("titel", &Ttextdesign::titel);
  p.Field("kt_alphabet", &Ttextdesign::kt_alphabet);
  p.Field("gb2", &Ttextdesign::gb2);
  p.Field("namen", &Ttextdesign::namen);
  p.Field("links", &Ttextdesign::links);
  p.Field("gb3", &Ttextdesign::gb3);
  p.Field("es", &Ttextdesign::es);
  p.Field("s", &Ttextdesign::s);
  p.Field("b", &Ttextdesign::b);
  p.Field("bl", &Ttextdesign::bl);
  p.Field("l", &Ttextdesign::l);
  p.Field("beispiel", &Ttextdesign::beispiel);
  p.Field("OK", &Ttextdesign::OK);
  p.Handler("FormCreate", &Ttextdesign::FormCreate);
  p.Handler("Vorschau", &Ttextdesign::Vorschau);
}
