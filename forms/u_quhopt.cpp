#include "forms/u_quhopt.h"

Tquhopt* quhopt = nullptr;

// The builders read this window through `quhopt`, so it names itself before its description is read.
Tquhopt::Tquhopt(TComponent* owner) : TForm(owner) {
  quhopt = this;
  InitForm();
}

void Tquhopt::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<Tquhopt>();
  p.Field("gb1", &Tquhopt::gb1);
  p.Field("doppelteweg", &Tquhopt::doppelteweg);
  p.Field("dadweitere", &Tquhopt::dadweitere);
  p.Field("endungenweg", &Tquhopt::endungenweg);
  p.Field("namengross", &Tquhopt::namengross);
  p.Field("gb2", &Tquhopt::gb2);
  p.Field("rb1", &Tquhopt::rb1);
  p.Field("rb2", &Tquhopt::rb2);
  p.Field("rb3", &Tquhopt::rb3);
  p.Field("liste", &Tquhopt::liste);
  p.Field("OK", &Tquhopt::OK);
}
