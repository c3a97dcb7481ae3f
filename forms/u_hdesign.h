// The file index's XHTML design window: letter headings and bar, fonts, widths, spacings, title
// and colours of the page.
#pragma once

#include "classlib/CommonDialogs.h"
#include "classlib/ExtCtrls.h"
#include "classlib/StdCtrls.h"
#include "ucode/UCodeRepExtCtrls.h"
#include "ucode/UCodeRepStdCtrls.h"
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

  // Colours the panels from their edits, then the texts of the language.
  void FormCreate(TObject* sender);
  void LocalSpr();
  // The separator of the letter bar shown between double quotes in its label.
  void LinkTrennerChange(TObject* sender);
  // A colour edit recolours its panel once its text is a whole colour value; a partial value
  // (while it is typed) leaves the panel as it was.
  void farbe_textChange(TObject* sender);
  void farbe_linksChange(TObject* sender);
  void farbe_hgChange(TObject* sender);
  // The "..." buttons: the colour dialog, its choice written into the button's colour edit.
  void FarbWahlEditChange(TObject* sender);
  // Picking a colour from the screen: press on a colour panel, drag, release.
  void FarbWahlMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void FarbWahlMouseMove(TObject* sender, TShiftState shift, int x, int y);
  void FarbWahlMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  // The colour edit that belongs to a colour panel or a "..." button; null for another control.
  TEdit* ColourEditOf(TObject* control) const;};

extern Thdesign* hdesign;
