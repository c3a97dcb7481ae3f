#include "forms/u_start.h"

Tstart* start = nullptr;

Tstart::Tstart(TComponent* owner) : TForm(owner) { InitForm(); }

void Tstart::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<Tstart>();
  p.Field("Panel1", &Tstart::Panel1);
  p.Field("spr", &Tstart::spr);
}

std::string LanguageCode() { return start != nullptr ? start->spr->GetCaption() : std::string("en"); }
