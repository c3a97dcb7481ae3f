#include "forms/u_bugreport_en.h"

#include "forms/u_prog.h"

Tbugreport_en* bugreport_en = nullptr;

Tbugreport_en::Tbugreport_en(TComponent* owner) : TForm(owner) {
  bugreport_en = this;
  InitForm();
}

void Tbugreport_en::BrowseToCaption(TObject* sender) {
  if (auto* label = dynamic_cast<TControl*>(sender)) OpenWebAddress(ReportLinkAddress(label->GetCaption()));
}

void Tbugreport_en::Button1Click(TObject*) { Close(); }

void Tbugreport_en::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<Tbugreport_en>();
  p.Field("Label16", &Tbugreport_en::Label16);
  p.Field("StaticText19", &Tbugreport_en::StaticText19);
  p.Field("Label70", &Tbugreport_en::Label70);
  p.Field("StaticText1", &Tbugreport_en::StaticText1);
  p.Field("StaticText2", &Tbugreport_en::StaticText2);
  p.Field("Label1", &Tbugreport_en::Label1);
  p.Field("Button1", &Tbugreport_en::Button1);
  p.Handler("BrowseToCaption", &Tbugreport_en::BrowseToCaption);
  p.Handler("Button1Click", &Tbugreport_en::Button1Click);
}
