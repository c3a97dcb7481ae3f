#include "forms/u_sdesign.h"

Tsdesign* sdesign = nullptr;

// The builders read this window through `sdesign`, so it names itself before its description is read.
Tsdesign::Tsdesign(TComponent* owner) : TForm(owner) {
  sdesign = this;
  InitForm();
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
}
