#include "forms/u_hdesign.h"

Thdesign* hdesign = nullptr;

// The builders read this window through `hdesign`, so it names itself before its description is read.
Thdesign::Thdesign(TComponent* owner) : TForm(owner) {
  // The description names the common dialogs' classes: they must be linked in and known.
  for (TClass dialog : {TColorDialog::StaticClass()})
    if (!GetClass(dialog->ClassName())) RegisterClass(dialog);
  hdesign = this;
  InitForm();
}

void Thdesign::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<Thdesign>();
  p.Field("gb1", &Thdesign::gb1);
  p.Field("kt_alphabet", &Thdesign::kt_alphabet);
  p.Field("linkleiste", &Thdesign::linkleiste);
  p.Field("LinkTrenner", &Thdesign::LinkTrenner);
  p.Field("gb2", &Thdesign::gb2);
  p.Field("Label1", &Thdesign::Label1);
  p.Field("schriftart", &Thdesign::schriftart);
  p.Field("Label2", &Thdesign::Label2);
  p.Field("ft1", &Thdesign::ft1);
  p.Field("Label10", &Thdesign::Label10);
  p.Field("ft2", &Thdesign::ft2);
  p.Field("Label11", &Thdesign::Label11);
  p.Field("ftt", &Thdesign::ftt);
  p.Field("gb3", &Thdesign::gb3);
  p.Field("breite_all", &Thdesign::breite_all);
  p.Field("breite_links", &Thdesign::breite_links);
  p.Field("breite_rechts", &Thdesign::breite_rechts);
  p.Field("breite_top", &Thdesign::breite_top);
  p.Field("gb4", &Thdesign::gb4);
  p.Field("abs_linksrechts", &Thdesign::abs_linksrechts);
  p.Field("abs_zwabschnitt", &Thdesign::abs_zwabschnitt);
  p.Field("abs_obenunten", &Thdesign::abs_obenunten);
  p.Field("abs_zwtext", &Thdesign::abs_zwtext);
  p.Field("gb5", &Thdesign::gb5);
  p.Field("htmltitel", &Thdesign::htmltitel);
  p.Field("Ueberschrift", &Thdesign::Ueberschrift);
  p.Field("gb7", &Thdesign::gb7);
  p.Field("Label5", &Thdesign::Label5);
  p.Field("farbe_text", &Thdesign::farbe_text);
  p.Field("pafa_text", &Thdesign::pafa_text);
  p.Field("FarbwahlText", &Thdesign::FarbwahlText);
  p.Field("Label6", &Thdesign::Label6);
  p.Field("farbe_links", &Thdesign::farbe_links);
  p.Field("pafa_links", &Thdesign::pafa_links);
  p.Field("FarbwahlLinks", &Thdesign::FarbwahlLinks);
  p.Field("Label7", &Thdesign::Label7);
  p.Field("farbe_hg", &Thdesign::farbe_hg);
  p.Field("pafa_hg", &Thdesign::pafa_hg);
  p.Field("FarbwahlHG", &Thdesign::FarbwahlHG);
  p.Field("cd", &Thdesign::cd);
  p.Field("OK", &Thdesign::OK);
}
