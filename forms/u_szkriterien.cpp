#include "forms/u_szkriterien.h"

Tszkriterien* szkriterien = nullptr;

Tszkriterien::Tszkriterien(TComponent* owner) : TForm(owner) { InitForm(); }

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
}
