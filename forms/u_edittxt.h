// The page-number text editor: writes page numbers into a text (in place of empty lines, at
// clicked places, or in place of a marker text) and hands the text to the text wizard, whose
// page-number detection then finds them.
#pragma once

#include "classlib/ComCtrls.h"
#include "ucode/UCodeRepComCtrls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "ucode/UCodeRepStdCtrls.h"

class Tedittxt : public TForm {
  KX_COMPONENT(Tedittxt, TForm)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit Tedittxt(TComponent* owner);

  TMemo* text = nullptr;
  TButton* Laden = nullptr;
  TButton* HinzuLaden = nullptr;
  TButton* delete_ = nullptr;
  TCheckBox* Zeilenumbruch = nullptr;
  TGroupBox* gb0 = nullptr;
  TPageControl* pc = nullptr;
  TTabSheet* tab1 = nullptr;
  TLabel* Label2 = nullptr;
  TCheckBox* cb_l2skeinedoppelt = nullptr;
  TLabeledEdit* l2sstart = nullptr;
  TButton* LeerZuSeite = nullptr;
  TButton* l2sback = nullptr;
  TTabSheet* tab2 = nullptr;
  TLabel* Label1 = nullptr;
  TLabeledEdit* cursak = nullptr;
  TCheckBox* curaut = nullptr;
  TButton* curback = nullptr;
  TTabSheet* tab3 = nullptr;
  TLabel* Label3 = nullptr;
  TLabeledEdit* zes = nullptr;
  TLabeledEdit* zez = nullptr;
  TButton* zeanwenden = nullptr;
  TButton* zeback = nullptr;
  TTabSheet* einst = nullptr;
  TLabel* Label4 = nullptr;
  TLabeledEdit* vor = nullptr;
  TLabeledEdit* nach = nullptr;
  TButton* ToTXTIndex = nullptr;
  TButton* schliessen = nullptr;
  TButton* Ruckgangig = nullptr;

  void FormCreate(TObject* sender);
  // The window's texts in the language of start.spr.
  void LocalSpr();
  // A text file chosen in the wizard's dialog replaces the text / is added to it.
  void LadenClick(TObject* sender);
  void HinzuLadenClick(TObject* sender);
  void deleteClick(TObject* sender);
  // Wrapped lines with a vertical scroll bar, or long lines with both.
  void ZeilenumbruchClick(TObject* sender);
  // Empty lines become consecutive page numbers.
  void LeerZuSeiteClick(TObject* sender);
  // On the cursor page, a click into the text inserts the current page number there.
  void textMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  // The marker text becomes consecutive page numbers.
  void zeanwendenClick(TObject* sender);
  // Exchanges the text with the copy kept before the last change (a second click redoes it).
  void l2sbackClick(TObject* sender);
  // The text control's own one-step undo.
  void RuckgangigClick(TObject* sender);
  // The text becomes the text wizard's source, shown on its first page.
  void ToTXTIndexClick(TObject* sender);
  void schliessenClick(TObject* sender);

 private:
  void KeepUndoCopy();
};

extern Tedittxt* edittxt;
