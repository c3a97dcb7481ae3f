#include "forms/u_textdesign.h"

Ttextdesign* textdesign = nullptr;

// The builders read this window through `textdesign`, so it names itself before its description is read.
Ttextdesign::Ttextdesign(TComponent* owner) : TForm(owner) {
  textdesign = this;
  InitForm();
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
}
