// The main window: the side bar, the start, wizard and information panels, and the text
// wizard with its six pages, its buttons and the scratch memo `zs`.
#pragma once

#include "classlib/Buttons.h"
#include "classlib/ComCtrls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"

class Tprog : public TForm {
  KX_COMPONENT(Tprog, TForm)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit Tprog(TComponent* owner);

  // Side bar and panels.
  TPanel* rand = nullptr;
  TSpeedButton* rand_btstart = nullptr;
  TSpeedButton* rand_bttxtidx = nullptr;
  TSpeedButton* rand_btdidx = nullptr;
  TSpeedButton* rand_btstw = nullptr;
  TSpeedButton* rand_btinfo = nullptr;
  TPanel* pstart = nullptr;
  TPanel* pgtxt = nullptr;
  TPanel* pgdateien = nullptr;
  TPanel* pgstw = nullptr;
  TPanel* pinfo = nullptr;
  TMemo* zs = nullptr;

  // Text wizard.
  TPageControl* pct = nullptr;
  TTabSheet* tt1 = nullptr;
  TTabSheet* tt2 = nullptr;
  TTabSheet* tt3 = nullptr;
  TTabSheet* tt4 = nullptr;
  TTabSheet* tt5 = nullptr;
  TTabSheet* tt6 = nullptr;
  TButton* bt1 = nullptr;
  TButton* bt2 = nullptr;
  TButton* ft_start = nullptr;
  // 1. Source
  TRadioButton* qu_datei = nullptr;
  TEdit* edit_quelle = nullptr;
  TButton* bttxtquelle = nullptr;
  TLabel* Label18 = nullptr;
  TRadioButton* qu_text = nullptr;
  TMemo* original = nullptr;
  TButton* qu_laden = nullptr;
  TButton* qu_delete = nullptr;
  // 2. Page numbers
  TRadioButton* sz_zeilezuseite = nullptr;
  TEdit* sz_beginn = nullptr;
  TRadioButton* sz_auslesen = nullptr;
  TListBox* sz_libo = nullptr;
  TButton* sz_entfernen = nullptr;
  TButton* sz_bearbeiten = nullptr;
  TButton* sz_kriterien = nullptr;
  TButton* Auslesen = nullptr;
  // 3. Criteria
  TCheckBox* kt_kleineraus = nullptr;
  TCheckBox* kt_grosseraus = nullptr;
  TCheckBox* kt_maxl = nullptr;
  TComboBox* kt_max = nullptr;
  TCheckBox* kt_zahlen = nullptr;
  TCheckBox* kt_negativliste = nullptr;
  TCheckBox* kt_positivliste = nullptr;
  TButton* negativliste_anzeigen = nullptr;
  TButton* positivliste_anzeigen = nullptr;
  TCheckBox* kt_keinedoppeltenseiten = nullptr;
  TCheckBox* kt_zusdoppelt = nullptr;
  TCheckBox* kt_zusammen = nullptr;
  TCheckBox* kt_integrieren = nullptr;
  TButton* andindex = nullptr;
  TLabel* kt_index = nullptr;
  TCheckBox* kt_design = nullptr;
  TButton* btdesign = nullptr;
  // 4. Summary, progress and result
  TStaticText* zusammenfassung = nullptr;
  TLabel* status = nullptr;
  TProgressBar* progress = nullptr;
  TMemo* output = nullptr;
  TButton* zwischenablage = nullptr;
  TButton* outputspeichern = nullptr;
  TButton* DatenSpeichern = nullptr;

  void FormCreate(TObject* sender);
  void rand_btstartClick(TObject* sender);
  void rand_bttxtidxClick(TObject* sender);
  void rand_btdidxClick(TObject* sender);
  void rand_btstwClick(TObject* sender);
  void rand_btinfoClick(TObject* sender);
  // Runs the text index: progress page, page-number detection when it is due, the run, the
  // result page.
  void ft_startClick(TObject* sender);
  // The source group chosen by the radio buttons is enabled, the other one disabled.
  void qu_dateiClick(TObject* sender);
  // The first-page edit with "every line a page", the page list and its buttons otherwise.
  void sz_zeilezuseiteClick(TObject* sender);
  // A changed source text has to be searched for page numbers again.
  void originalChange(TObject* sender);
};

extern Tprog* prog;

// Shows `panel` and hides the other four of the start, wizard and information panels.
void ShowOnlyPanel(TPanel* panel);

// Set when page-number detection has filled the page list; cleared when the source changes.
extern bool PageNumbersRead;
