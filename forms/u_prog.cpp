#include "forms/u_prog.h"

#include "forms/u_progspr.h"
#include "forms/u_textix.h"

Tprog* prog = nullptr;
bool PageNumbersRead = false;

// The routines that FormCreate runs work on the instance `prog`, so it names this window
// before the description is read.
Tprog::Tprog(TComponent* owner) : TForm(owner) {
  prog = this;
  InitForm();
}

void ShowOnlyPanel(TPanel* panel) {
  for (TPanel* each : {prog->pstart, prog->pgtxt, prog->pgdateien, prog->pgstw, prog->pinfo})
    if (each != panel) each->SetVisible(false);
  panel->SetVisible(true);
}

void Tprog::FormCreate(TObject*) {
  DescribeTextIndexSettings(tt1);
  status->SetCaption("");
  zusammenfassung->SetCaption("");
  progress->SetPosition(0);
  output->Clear();
  ShowOnlyPanel(pstart);
  SetProgLanguage();
}

void Tprog::rand_btstartClick(TObject*) { ShowOnlyPanel(pstart); }
void Tprog::rand_bttxtidxClick(TObject*) { ShowOnlyPanel(pgtxt); }
void Tprog::rand_btdidxClick(TObject*) { ShowOnlyPanel(pgdateien); }
void Tprog::rand_btstwClick(TObject*) { ShowOnlyPanel(pgstw); }
void Tprog::rand_btinfoClick(TObject*) { ShowOnlyPanel(pinfo); }

void Tprog::ft_startClick(TObject*) {
  DescribeTextIndexSettings(tt5);
  try {
    if (sz_auslesen->GetChecked() && !PageNumbersRead && sz_libo->GetItems()->GetCount() == 0) FindPageNumbers();
    BuildTextIndex();
  } catch (...) {
    // A source that cannot be read: the error is reported, and the wizard does not stay on
    // the progress page with every button disabled.
    DescribeTextIndexSettings(tt6);
    throw;
  }
  DescribeTextIndexSettings(tt6);
}

void Tprog::qu_dateiClick(TObject*) {
  const bool fromFile = qu_datei->GetChecked();
  for (TControl* control : std::initializer_list<TControl*>{edit_quelle, bttxtquelle, Label18})
    control->SetEnabled(fromFile);
  for (TControl* control : std::initializer_list<TControl*>{original, qu_laden, qu_delete})
    control->SetEnabled(qu_text->GetChecked());
}

void Tprog::sz_zeilezuseiteClick(TObject*) {
  const bool byLine = sz_zeilezuseite->GetChecked();
  sz_beginn->SetEnabled(byLine);
  for (TControl* control : std::initializer_list<TControl*>{sz_libo, sz_entfernen, sz_bearbeiten, sz_kriterien, Auslesen})
    control->SetEnabled(!byLine);
}

void Tprog::originalChange(TObject*) { PageNumbersRead = false; }

void Tprog::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<Tprog>();
#define KX_FIELD(name) p.Field(#name, &Tprog::name)
  KX_FIELD(rand); KX_FIELD(rand_btstart); KX_FIELD(rand_bttxtidx); KX_FIELD(rand_btdidx); KX_FIELD(rand_btstw);
  KX_FIELD(rand_btinfo); KX_FIELD(pstart); KX_FIELD(pgtxt); KX_FIELD(pgdateien); KX_FIELD(pgstw); KX_FIELD(pinfo);
  KX_FIELD(zs); KX_FIELD(pct); KX_FIELD(tt1); KX_FIELD(tt2); KX_FIELD(tt3); KX_FIELD(tt4); KX_FIELD(tt5); KX_FIELD(tt6);
  KX_FIELD(bt1); KX_FIELD(bt2); KX_FIELD(ft_start);
  KX_FIELD(qu_datei); KX_FIELD(edit_quelle); KX_FIELD(bttxtquelle); KX_FIELD(Label18); KX_FIELD(qu_text);
  KX_FIELD(original); KX_FIELD(qu_laden); KX_FIELD(qu_delete);
  KX_FIELD(sz_zeilezuseite); KX_FIELD(sz_beginn); KX_FIELD(sz_auslesen); KX_FIELD(sz_libo); KX_FIELD(sz_entfernen);
  KX_FIELD(sz_bearbeiten); KX_FIELD(sz_kriterien); KX_FIELD(Auslesen);
  KX_FIELD(kt_kleineraus); KX_FIELD(kt_grosseraus); KX_FIELD(kt_maxl); KX_FIELD(kt_max); KX_FIELD(kt_zahlen);
  KX_FIELD(kt_negativliste); KX_FIELD(kt_positivliste); KX_FIELD(negativliste_anzeigen);
  KX_FIELD(positivliste_anzeigen); KX_FIELD(kt_keinedoppeltenseiten); KX_FIELD(kt_zusdoppelt); KX_FIELD(kt_zusammen);
  KX_FIELD(kt_integrieren); KX_FIELD(andindex); KX_FIELD(kt_index); KX_FIELD(kt_design); KX_FIELD(btdesign);
  KX_FIELD(zusammenfassung); KX_FIELD(status); KX_FIELD(progress); KX_FIELD(output); KX_FIELD(zwischenablage);
  KX_FIELD(outputspeichern); KX_FIELD(DatenSpeichern);
  // File and keyword wizards.
  KX_FIELD(dct); KX_FIELD(td1); KX_FIELD(td2); KX_FIELD(td3); KX_FIELD(td4); KX_FIELD(td5); KX_FIELD(dbt1);
  KX_FIELD(dbt2); KX_FIELD(dstart); KX_FIELD(qudatei); KX_FIELD(la); KX_FIELD(DateiAuswahl); KX_FIELD(qulist);
  KX_FIELD(DeleteAll); KX_FIELD(DeleteRow); KX_FIELD(querweitert); KX_FIELD(dkt_gb1); KX_FIELD(dkt_gb2);
  KX_FIELD(dkt_gb3); KX_FIELD(dkt_gb4); KX_FIELD(dkt_kleineraus); KX_FIELD(dkt_grosseraus); KX_FIELD(dkt_zahlenraus);
  KX_FIELD(htmlraus); KX_FIELD(dkt_maxl); KX_FIELD(dkt_max); KX_FIELD(dkt_negativliste);
  KX_FIELD(dnegativliste_anzeigen); KX_FIELD(dkt_positivliste); KX_FIELD(dpositivliste_anzeigen);
  KX_FIELD(dkt_keinedoppeltenseiten); KX_FIELD(dkt_zusammen); KX_FIELD(dkt_zusdoppelt); KX_FIELD(dkt_integrieren);
  KX_FIELD(dandindex); KX_FIELD(dkt_index); KX_FIELD(htmlindex); KX_FIELD(textindex); KX_FIELD(dkt_design);
  KX_FIELD(d_design); KX_FIELD(dzusammenfassung); KX_FIELD(dstatus); KX_FIELD(fortschritt); KX_FIELD(doutput);
  KX_FIELD(browser); KX_FIELD(dzwischenablage); KX_FIELD(doutputspeichern); KX_FIELD(didxspeichern);
  KX_FIELD(ShowCode); KX_FIELD(ShowDesign);
  KX_FIELD(sct); KX_FIELD(ts1); KX_FIELD(ts2); KX_FIELD(ts3); KX_FIELD(ts4); KX_FIELD(ts5); KX_FIELD(sbt1);
  KX_FIELD(sbt2); KX_FIELD(sstart); KX_FIELD(squpfad); KX_FIELD(squdocsearch); KX_FIELD(squsuchen);
  KX_FIELD(squlist); KX_FIELD(sqdeleteall); KX_FIELD(squdeleteraw); KX_FIELD(squerweitert); KX_FIELD(stwgb1);
  KX_FIELD(stwgb2); KX_FIELD(stwgb3); KX_FIELD(stwgb4); KX_FIELD(stw_kleinraus); KX_FIELD(stw_grossraus);
  KX_FIELD(stw_zahlenraus); KX_FIELD(stw_htmlraus); KX_FIELD(stw_maxl); KX_FIELD(stw_max); KX_FIELD(stw_neg);
  KX_FIELD(stw_neganzeigen); KX_FIELD(stw_pos); KX_FIELD(stw_posanzeigen); KX_FIELD(stw_doppelt); KX_FIELD(stw_zus);
  KX_FIELD(stw_untereinander); KX_FIELD(stw_alphabetisch); KX_FIELD(stw_design); KX_FIELD(stw_designanzeigen);
  KX_FIELD(szusammenfassung); KX_FIELD(sstatus); KX_FIELD(sfortschritt); KX_FIELD(sstatusfile);
  KX_FIELD(sfortschrittfile); KX_FIELD(AbbruchS); KX_FIELD(soutput); KX_FIELD(szwischenablage);
  KX_FIELD(soutputspeichern); KX_FIELD(Zeilenumbruch); KX_FIELD(IconList);
#undef KX_FIELD
  p.Handler("FormCreate", &Tprog::FormCreate);
  p.Handler("rand_btstartClick", &Tprog::rand_btstartClick);
  p.Handler("rand_bttxtidxClick", &Tprog::rand_bttxtidxClick);
  p.Handler("rand_btdidxClick", &Tprog::rand_btdidxClick);
  p.Handler("rand_btstwClick", &Tprog::rand_btstwClick);
  p.Handler("rand_btinfoClick", &Tprog::rand_btinfoClick);
  p.Handler("ft_startClick", &Tprog::ft_startClick);
  p.Handler("qu_dateiClick", &Tprog::qu_dateiClick);
  p.Handler("sz_zeilezuseiteClick", &Tprog::sz_zeilezuseiteClick);
  p.Handler("originalChange", &Tprog::originalChange);
}
