// The page-number criteria window: the criteria by which the text wizard recognises the
// lines of a source text that carry a page number, and where those lines stand.
#pragma once

#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "ucode/UCodeRepStdCtrls.h"

class Tszkriterien : public TForm {
  KX_COMPONENT(Tszkriterien, TForm)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit Tszkriterien(TComponent* owner);

  TGroupBox* gb0 = nullptr;
  TRadioButton* posueber = nullptr;
  TRadioButton* posunter = nullptr;
  TGroupBox* gb1 = nullptr;
  TLabel* Label1 = nullptr;
  TComboBox* sz_laenge = nullptr;
  TGroupBox* gb4 = nullptr;
  TCheckBox* cb_plus = nullptr;
  TComboBox* cb_pluswert = nullptr;
  TGroupBox* gb3 = nullptr;
  TCheckBox* sz_zeichbeginn = nullptr;
  TEdit* sz_zeichen = nullptr;
  TCheckBox* sz_zeichenweg = nullptr;
  TLabel* Label2 = nullptr;
  TGroupBox* gb2 = nullptr;
  TCheckBox* sz_nurzahl = nullptr;
  TCheckBox* sz_kuerzen = nullptr;
  TRadioButton* sz_bwstandard = nullptr;
  TRadioButton* sz_bwdef = nullptr;
  TEdit* sz_bwdefs = nullptr;
  TButton* OK = nullptr;
  TButton* Abbrechen = nullptr;

  void FormCreate(TObject* sender);
  // The window's texts in the language of start.spr.
  void LocalSpr();
  // Closes the window and finds the page numbers again by the criteria.
  void OKClick(TObject* sender);
  // Closes the window; the changed criteria stay, no new detection.
  void AbbrechenClick(TObject* sender);
  // The line-length and offset boxes (the sender is the box): the choice "Custom.." empties
  // the box for a typed value; left empty, the box takes its Tag back.
  void sz_laengeChange(TObject* sender);
  void sz_laengeExit(TObject* sender);
  // Digits and backspace only; the offset also takes "-".
  void sz_laengeKeyPress(TObject* sender, char& key);
  void cb_pluswertKeyPress(TObject* sender, char& key);
  // The characters to cut: the radio buttons with "remove characters", the edit with
  // "user-defined characters".
  void sz_kuerzenClick(TObject* sender);
  void sz_bwstandardClick(TObject* sender);
};

extern Tszkriterien* szkriterien;
