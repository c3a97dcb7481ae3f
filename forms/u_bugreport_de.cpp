#include "forms/u_bugreport_de.h"

#include "forms/u_prog.h"

Tbugreport_de* bugreport_de = nullptr;

Tbugreport_de::Tbugreport_de(TComponent* owner) : TForm(owner) {
  bugreport_de = this;
  InitForm();
}

void Tbugreport_de::BrowseToCaption(TObject* sender) {
  if (auto* label = dynamic_cast<TControl*>(sender)) OpenWebAddress(ReportLinkAddress(label->GetCaption()));
}

void Tbugreport_de::Button1Click(TObject*) { Close(); }

void Tbugreport_de::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<Tbugreport_de>();
  p.Field("Label16", &Tbugreport_de::Label16);
  p.Field("StaticText19", &Tbugreport_de::StaticText19);
  p.Field("Label70", &Tbugreport_de::Label70);
  p.Field("StaticText1", &Tbugreport_de::StaticText1);
  p.Field("StaticText2", &Tbugreport_de::StaticText2);
  p.Field("Label1", &Tbugreport_de::Label1);
  p.Field("Button1", &Tbugreport_de::Button1);
  p.Handler("BrowseToCaption", &Tbugreport_de::BrowseToCaption);
  p.Handler("Button1Click", &Tbugreport_de::Button1Click);
}
