// The file index's XHTML design window: letter headings and bar, fonts, widths, spacings, title
// and colours of the page.
#pragma once

#include "classlib/CommonDialogs.h"
#include "classlib/ExtCtrls.h"
#include "classlib/StdCtrls.h"
#include "classlib/Forms.h"

class Thdesign : public TForm {
  KX_COMPONENT(Thdesign, TForm)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit Thdesign(TComponent* owner);

  TGroupBox* gb1 = nullptr;
  TCheckBox* kt_alphabet = nullptr;
  TCheckBox* linkleiste = nullptr;
  TLabeledEdit* LinkTrenner = nullptr;
  TGroupBox* gb2 = nullptr;
  TLabel* Label1 = nullptr;
  TComboBox* schriftart = nullptr;
  TLabel* Label2 = nullptr;
  TComboBox* ft1 = nullptr;
  TLabel* Label10 = nullptr;
  TComboBox* ft2 = nullptr;
  TLabel* Label11 = nullptr;
  TComboBox* ftt = nullptr;
  TGroupBox* gb3 = nullptr;
  TLabeledEdit* breite_all = nullptr;
  TLabeledEdit* breite_links = nullptr;
  TLabeledEdit* breite_rechts = nullptr;
  TLabeledEdit* breite_top = nullptr;
  TGroupBox* gb4 = nullptr;
  TLabeledEdit* abs_linksrechts = nullptr;
  TLabeledEdit* abs_zwabschnitt = nullptr;
  TLabeledEdit* abs_obenunten = nullptr;
  TLabeledEdit* abs_zwtext = nullptr;
  TGroupBox* gb5 = nullptr;
  TLabeledEdit* htmltitel = nullptr;
  TLabeledEdit* Ueberschrift = nullptr;
  TGroupBox* gb7 = nullptr;
  TLabel* Label5 = nullptr;
  TEdit* farbe_text = nullptr;
  TPanel* pafa_text = nullptr;
  TButton* FarbwahlText = nullptr;
  TLabel* Label6 = nullptr;
  TEdit* farbe_links = nullptr;
  TPanel* pafa_links = nullptr;
  TButton* FarbwahlLinks = nullptr;
  TLabel* Label7 = nullptr;
  TEdit* farbe_hg = nullptr;
  TPanel* pafa_hg = nullptr;
  TButton* FarbwahlHG = nullptr;
  TColorDialog* cd = nullptr;
  TButton* OK = nullptr;
};

extern Thdesign* hdesign;
