// The main window: the side bar, the start, wizard and information panels, and the text
// wizard with its six pages, its buttons and the scratch memo `zs`.
#pragma once

#include "classlib/Buttons.h"
#include "classlib/ComCtrls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/ImgList.h"
#include "classlib/ListView.h"
#include "classlib/Menus.h"
#include "classlib/WebBrowser.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "engine/u_IndexStore.h"
#include "forms/u_frame1.h"
#include "forms/u_frame2.h"
#include "ucode/UCodeDialogs.h"
#include "ucode/UCodeRepComCtrls.h"
#include "ucode/UCodeRepExtCtrls.h"
#include "ucode/UCodeRepMenus.h"
#include "ucode/UCodeRepStdCtrls.h"

#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

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
  // Start panel: the four choices and their descriptions.
  TStaticText* start_text0 = nullptr;
  TLabel* start_label1 = nullptr;
  TLabel* start_label2 = nullptr;
  TLabel* start_label3 = nullptr;
  TLabel* start_label4 = nullptr;
  TStaticText* start_text1 = nullptr;
  TStaticText* start_text2 = nullptr;
  TStaticText* start_text3 = nullptr;
  TStaticText* start_text4 = nullptr;

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
  TStaticText* StaticText4 = nullptr;  // how to change the settings: with the back button
  TLabel* status = nullptr;
  TProgressBar* progress = nullptr;
  TMemo* output = nullptr;
  TButton* zwischenablage = nullptr;
  TButton* outputspeichern = nullptr;
  TButton* DatenSpeichern = nullptr;
  // Dialogs of the text wizard: memo texts, the source file, index data files.
  TUCodeOpenDialog* memoload = nullptr;
  TUCodeSaveDialog* memosave = nullptr;
  TUCodeOpenDialog* OpenDatei = nullptr;
  TUCodeOpenDialog* OpenIndex = nullptr;
  TUCodeSaveDialog* SaveIndex = nullptr;

  // File wizard: the pages, the file list, the options the file index reads, the result.
  TPageControl* dct = nullptr;
  TTabSheet* td1 = nullptr;
  TTabSheet* td2 = nullptr;
  TTabSheet* td3 = nullptr;
  TTabSheet* td4 = nullptr;
  TTabSheet* td5 = nullptr;
  TButton* dbt1 = nullptr;
  TButton* dbt2 = nullptr;
  TButton* dstart = nullptr;
  TEdit* qudatei = nullptr;
  TCheckBox* la = nullptr;
  TButton* DateiAuswahl = nullptr;
  TListView* qulist = nullptr;
  TButton* DeleteAll = nullptr;
  TButton* DeleteRow = nullptr;
  TButton* querweitert = nullptr;
  TGroupBox* dkt_gb1 = nullptr;
  TGroupBox* dkt_gb2 = nullptr;
  TGroupBox* dkt_gb3 = nullptr;
  TGroupBox* dkt_gb4 = nullptr;
  TCheckBox* dkt_kleineraus = nullptr;
  TCheckBox* dkt_grosseraus = nullptr;
  TCheckBox* dkt_zahlenraus = nullptr;
  TCheckBox* htmlraus = nullptr;
  TCheckBox* dkt_maxl = nullptr;
  TComboBox* dkt_max = nullptr;
  TCheckBox* dkt_negativliste = nullptr;
  TButton* dnegativliste_anzeigen = nullptr;
  TCheckBox* dkt_positivliste = nullptr;
  TButton* dpositivliste_anzeigen = nullptr;
  TCheckBox* dkt_keinedoppeltenseiten = nullptr;
  TCheckBox* dkt_zusammen = nullptr;
  TCheckBox* dkt_zusdoppelt = nullptr;
  TCheckBox* dkt_integrieren = nullptr;
  TButton* dandindex = nullptr;
  TLabel* dkt_index = nullptr;
  TRadioButton* htmlindex = nullptr;
  TRadioButton* textindex = nullptr;
  TCheckBox* dkt_design = nullptr;
  TButton* d_design = nullptr;
  TStaticText* dzusammenfassung = nullptr;
  TLabel* dstatus = nullptr;
  TProgressBar* fortschritt = nullptr;
  TMemo* doutput = nullptr;
  TWebBrowser* browser = nullptr;
  TButton* dzwischenablage = nullptr;
  TButton* doutputspeichern = nullptr;
  TButton* didxspeichern = nullptr;
  TButton* ShowCode = nullptr;
  TButton* ShowDesign = nullptr;

  // Keyword wizard: the pages, the file list, the options the keyword index reads, the result.
  TPageControl* sct = nullptr;
  TTabSheet* ts1 = nullptr;
  TTabSheet* ts2 = nullptr;
  TTabSheet* ts3 = nullptr;
  TTabSheet* ts4 = nullptr;
  TTabSheet* ts5 = nullptr;
  TButton* sbt1 = nullptr;
  TButton* sbt2 = nullptr;
  TButton* sstart = nullptr;
  TEdit* squpfad = nullptr;
  TCheckBox* squdocsearch = nullptr;
  TButton* squsuchen = nullptr;
  TListView* squlist = nullptr;
  TButton* sqdeleteall = nullptr;
  TButton* squdeleteraw = nullptr;
  TButton* squerweitert = nullptr;
  TGroupBox* stwgb1 = nullptr;
  TGroupBox* stwgb2 = nullptr;
  TGroupBox* stwgb3 = nullptr;
  TGroupBox* stwgb4 = nullptr;
  TCheckBox* stw_kleinraus = nullptr;
  TCheckBox* stw_grossraus = nullptr;
  TCheckBox* stw_zahlenraus = nullptr;
  TCheckBox* stw_htmlraus = nullptr;
  TCheckBox* stw_maxl = nullptr;
  TComboBox* stw_max = nullptr;
  TCheckBox* stw_neg = nullptr;
  TButton* stw_neganzeigen = nullptr;
  TCheckBox* stw_pos = nullptr;
  TButton* stw_posanzeigen = nullptr;
  TCheckBox* stw_doppelt = nullptr;
  TCheckBox* stw_zus = nullptr;
  TCheckBox* stw_untereinander = nullptr;
  TCheckBox* stw_alphabetisch = nullptr;
  TCheckBox* stw_design = nullptr;
  TButton* stw_designanzeigen = nullptr;
  TStaticText* szusammenfassung = nullptr;
  TLabel* sstatus = nullptr;
  TProgressBar* sfortschritt = nullptr;
  TLabel* sstatusfile = nullptr;
  TProgressBar* sfortschrittfile = nullptr;
  TButton* AbbruchS = nullptr;
  TMemo* soutput = nullptr;
  TButton* szwischenablage = nullptr;
  TButton* soutputspeichern = nullptr;
  TCheckBox* Zeilenumbruch = nullptr;
  TImageList* IconList = nullptr;  // small icons of both file lists

  // Information panel: one page control per language, each with its back and next buttons;
  // the start panel's donation label.
  TPanel* pstart_de = nullptr;
  TLabel* laspenden = nullptr;
  // Headings drawn as pictures: the German ones, and the English ones laid over them.
  TImage* start_top = nullptr;
  TImage* start_topen = nullptr;
  TImage* top_datei = nullptr;
  TImage* top_datei_en = nullptr;
  TImage* top_stw = nullptr;
  TImage* top_stw_en = nullptr;
  TPanel* pinfo_de = nullptr;
  TPanel* pinfo_en = nullptr;
  TPageControl* pcide = nullptr;
  TTabSheet* tide1 = nullptr;
  TTabSheet* tide2 = nullptr;
  TTabSheet* tide5 = nullptr;
  TTabSheet* tide3 = nullptr;
  TTabSheet* tide4 = nullptr;
  TButton* btide1 = nullptr;
  TButton* btide2 = nullptr;
  TPageControl* pcien = nullptr;
  TTabSheet* tien1 = nullptr;
  TTabSheet* tien2 = nullptr;
  TTabSheet* tien5 = nullptr;
  TTabSheet* tien3 = nullptr;
  TTabSheet* tien4 = nullptr;
  TButton* btien1 = nullptr;
  TButton* btien2 = nullptr;
  // The lists of further programs on the "Software" pages.
  TFrame1* Frame11 = nullptr;
  TFrame2* Frame21 = nullptr;

  // The menu bar.
  TMainMenu* menu = nullptr;
  TMenuItem* mdatei = nullptr;
  TMenuItem* mneu = nullptr;
  TMenuItem* mneutxt = nullptr;
  TMenuItem* mtidxload = nullptr;
  TMenuItem* mtidxsave = nullptr;
  TMenuItem* ext1 = nullptr;
  TMenuItem* Indexidx1 = nullptr;
  TMenuItem* mbeenden = nullptr;
  TMenuItem* meinst = nullptr;
  TMenuItem* met = nullptr;
  TMenuItem* mets = nullptr;
  TMenuItem* metk = nullptr;
  TMenuItem* metd = nullptr;
  TMenuItem* mes = nullptr;
  TMenuItem* mesd = nullptr;
  TMenuItem* mewl = nullptr;
  TMenuItem* mewlneg = nullptr;
  TMenuItem* mewlpos = nullptr;
  TMenuItem* zspmenu = nullptr;
  TMenuItem* spopt = nullptr;
  TMenuItem* mspr = nullptr;
  TMenuItem* msprde = nullptr;
  TMenuItem* mspren = nullptr;
  TMenuItem* m_konfig = nullptr;
  TMenuItem* m_konfig_save = nullptr;
  TMenuItem* m_konfig_save_start = nullptr;
  TMenuItem* m_konfig_load = nullptr;
  TMenuItem* m_konfig_autosave = nullptr;
  TMenuItem* m_konfig_autosave_nie = nullptr;
  TMenuItem* m_konfig_autosave_alles = nullptr;
  TMenuItem* m_konfig_standard = nullptr;
  TMenuItem* m_konfig_start = nullptr;
  TMenuItem* mtools = nullptr;
  TMenuItem* m_komp = nullptr;
  // The fault-report and shortcut windows' items and the menu of further programs.
  TMenuItem* m_bug = nullptr;
  TMenuItem* verk = nullptr;
  TMenuItem* verk_qcfg = nullptr;
  TMenuItem* verk_idx = nullptr;
  TMenuItem* m_links = nullptr;
  TMenuItem* mfenster = nullptr;
  TMenuItem* mfstart = nullptr;
  TMenuItem* mft = nullptr;
  TMenuItem* mft1 = nullptr;
  TMenuItem* mft2 = nullptr;
  TMenuItem* mft3 = nullptr;
  TMenuItem* mft4 = nullptr;
  TMenuItem* mft5 = nullptr;
  TMenuItem* mft6 = nullptr;
  TMenuItem* mneudatei = nullptr;
  TMenuItem* mneustw = nullptr;
  TMenuItem* mdidxload = nullptr;
  TMenuItem* mdidxsave = nullptr;
  TMenuItem* extHTML1 = nullptr;
  TMenuItem* Indexidx2 = nullptr;
  TMenuItem* mstwidxsave = nullptr;
  TMenuItem* med = nullptr;
  TMenuItem* medk = nullptr;
  TMenuItem* medd = nullptr;
  TMenuItem* mesk = nullptr;
  TMenuItem* mfd = nullptr;
  TMenuItem* mfd1 = nullptr;
  TMenuItem* mfd2 = nullptr;
  TMenuItem* mfd3 = nullptr;
  TMenuItem* mfd4 = nullptr;
  TMenuItem* mfd5 = nullptr;
  TMenuItem* mfs = nullptr;
  TMenuItem* mfs1 = nullptr;
  TMenuItem* mfs2 = nullptr;
  TMenuItem* mfs3 = nullptr;
  TMenuItem* mfs4 = nullptr;
  TMenuItem* mfs5 = nullptr;
  TMenuItem* mfi = nullptr;
  TMenuItem* mfi1 = nullptr;
  TMenuItem* mfi2 = nullptr;
  TMenuItem* Software2 = nullptr;
  TMenuItem* mfi3 = nullptr;
  TMenuItem* mfi4 = nullptr;
  TMenuItem* mt1 = nullptr;
  TMenuItem* mt2 = nullptr;
  TMenuItem* mt3 = nullptr;
  TMenuItem* mt4 = nullptr;
  TMenuItem* m_soft_de = nullptr;
  TMenuItem* m_soft_en = nullptr;
  TMenuItem* KurzbeschreibungallerProgramme1 = nullptr;
  TMenuItem* BriefDescriptionoftheSoftware1 = nullptr;
  TMenuItem* minfo = nullptr;
  TMenuItem* minfo1 = nullptr;
  TMenuItem* minfo2 = nullptr;
  TMenuItem* Software1 = nullptr;
  TMenuItem* minfo3 = nullptr;
  TMenuItem* minfo4 = nullptr;
  TUCodeSaveDialog* sd_konfig = nullptr;
  TUCodeOpenDialog* od_konfig = nullptr;

  // Start-up, show, close and end of the window.
  void FormCreate(TObject* sender);
  // A taskbar button of its own; the window up and drawn, then the command line taken
  // (TakeCommandLine) under the wait cursor: what it names may take long to open.
  void FormShow(TObject* sender);
  // Deletes this process's index hand-over file; the close is always allowed.
  void FormCloseQuery(TObject* sender, bool& canClose);
  // Closes the start screen, which ends the program.
  void FormClose(TObject* sender, TCloseAction& action);
  void FormDestroy(TObject* sender);
  // Files dropped from the shell onto the window or either file list (WM_DROPFILES): they
  // go to the file wizard's list while the file wizard is shown, else to the keyword wizard's.
  void WMDropFiles(TMessage& message);
  // The file lists' window procedures: a drop is taken, then every message goes on to the
  // list's own procedure.
  void QuListWindowProc(TMessage& message);
  void SquListWindowProc(TMessage& message);
  // The command line, when the window is first shown: every argument with the extension
  // ".qcfg" that names a file is loaded as a configuration and listed in the menu, else the
  // start configuration is loaded; then the file named by the first argument is opened.
  // Configurations that do not exist are told once; a step that fails is told in the program's
  // language and the others go on.
  void TakeCommandLine(const std::vector<std::wstring>& arguments);
  // Opens a file passed on the command line: an index data file of the text index (its text
  // holds ">-") becomes the index to extend and the index is built at once; any other file
  // but a configuration becomes the text wizard's source, shown on its first page. The start
  // screen goes first: the user sees the main window while the file opens.
  void OpenStartFile(const std::wstring& fileName);
  // The hover effect of the start panel: a choice or its description underlines the
  // description while the mouse is over it.
  void start_label1MouseEnter(TObject* sender);
  void start_label1MouseLeave(TObject* sender);
  void start_label2MouseEnter(TObject* sender);
  void start_label2MouseLeave(TObject* sender);
  void start_label3MouseEnter(TObject* sender);
  void start_label3MouseLeave(TObject* sender);
  void start_label4MouseEnter(TObject* sender);
  void start_label4MouseLeave(TObject* sender);
  void StaticTextMouseEnter(TObject* sender);
  void StaticTextMouseLeave(TObject* sender);
  // Applies the language code start.spr to the main window and to the tool windows.
  void sprachealles();
  void rand_btstartClick(TObject* sender);
  void rand_bttxtidxClick(TObject* sender);
  void rand_btdidxClick(TObject* sender);
  void rand_btstwClick(TObject* sender);
  void rand_btinfoClick(TObject* sender);
  // Text wizard: the page flow.
  void pctChange(TObject* sender);
  void bt1Click(TObject* sender);
  void bt2Click(TObject* sender);
  // Runs the text index: progress page, page-number detection when it is due, the run, the
  // result page.
  void ft_startClick(TObject* sender);
  // Source page. The source group chosen by the radio buttons is enabled, the other one
  // disabled.
  void qu_dateiClick(TObject* sender);
  void edit_quelleChange(TObject* sender);
  void bttxtquelleClick(TObject* sender);
  void qu_ladenClick(TObject* sender);
  void qu_deleteClick(TObject* sender);
  // A changed source text has to be searched for page numbers again.
  void originalChange(TObject* sender);
  // Page-number page: the first-page edit with "every line a page", the page list and its
  // buttons otherwise.
  void sz_zeilezuseiteClick(TObject* sender);
  void sz_beginnKeyPress(TObject* sender, char& key);
  void AuslesenClick(TObject* sender);
  void sz_entfernenClick(TObject* sender);
  void sz_liboKeyDown(TObject* sender, WORD& key, TShiftState shift);
  void sz_kriterienClick(TObject* sender);
  // The minimum-word-length boxes of the wizards (the sender is the box).
  void kt_maxChange(TObject* sender);
  void kt_maxExit(TObject* sender);
  void kt_maxKeyPress(TObject* sender, char& key);
  // Criteria page.
  void andindexClick(TObject* sender);
  void btdesignClick(TObject* sender);
  // Result page.
  void zwischenablageClick(TObject* sender);
  void outputspeichernClick(TObject* sender);
  void DatenSpeichernClick(TObject* sender);
  // "Neu" > "Text Index" and "Text Index Laden".
  void mneutxtClick(TObject* sender);
  void mtidxloadClick(TObject* sender);

  // Configuration files: write or read one, through the dialogs, the factory settings, the
  // start configuration "Auto.qcfg" in the program folder, the list of known files in the menu.
  void KonfigurationSpeichern(TObject* sender, const std::wstring& fileName);
  void KonfigurationLaden(TObject* sender, const std::wstring& fileName);
  void KonfigurationSpeichernDialog(TObject* sender);
  void KonfigurationLadenDialog(TObject* sender);
  void KonfigurationLadenStandard(TObject* sender);
  void KonfigurationLadenMenu(TObject* sender);
  void KonfigurationAddMenu(TObject* sender, const std::wstring& fileName);
  void m_konfig_save_startClick(TObject* sender);
  void m_konfig_startClick(TObject* sender);
  // Both autosave items: the clicked one is checked, the other not.
  void m_konfig_autosave_nieClick(TObject* sender);
  // Menu commands.
  void msprdeClick(TObject* sender);
  void msprenClick(TObject* sender);
  void zspmenuClick(TObject* sender);
  void spoptClick(TObject* sender);
  void negativliste_anzeigenClick(TObject* sender);
  void positivliste_anzeigenClick(TObject* sender);
  void mbeendenClick(TObject* sender);
  // The keyword index's design window.
  void stw_designanzeigenClick(TObject* sender);
  // The Word compatibility test.
  void m_kompClick(TObject* sender);
  // Web links: a label whose caption is an address, a menu item whose caption is an address
  // (perhaps followed by " - " and a description), the donation label.
  void BrowseToCaption(TObject* sender);
  void BrowseToMenuCaption(TObject* sender);
  void laspendenClick(TObject* sender);
  // The menu of further programs, one item per program opening its page.
  void FillLinksMenu();
  // The fault-report window of the current language.
  void m_bugClick(TObject* sender);
  // The shortcut windows of configuration files and of index data files.
  void verk_qcfgClick(TObject* sender);
  void verk_idxClick(TObject* sender);
  void metsClick(TObject* sender);
  void metkClick(TObject* sender);
  void mft1Click(TObject* sender);
  void mft2Click(TObject* sender);
  void mft3Click(TObject* sender);
  void mft4Click(TObject* sender);
  void mft5Click(TObject* sender);
  void mft6Click(TObject* sender);
  // "Datei Index" and "Stichwort Index" settings and window entries: the wizard's page.
  void medkClick(TObject* sender);
  void meskClick(TObject* sender);
  void mfd1Click(TObject* sender);
  void mfd2Click(TObject* sender);
  void mfd3Click(TObject* sender);
  void mfd4Click(TObject* sender);
  void mfd5Click(TObject* sender);
  void mfs1Click(TObject* sender);
  void mfs2Click(TObject* sender);
  void mfs3Click(TObject* sender);
  void mfs4Click(TObject* sender);
  void mfs5Click(TObject* sender);
  // Tools: the word-list editors with the lists in force, the text-to-index editor, the
  // page-number editor.
  void mt1Click(TObject* sender);
  void mt2Click(TObject* sender);
  void mt3Click(TObject* sender);
  void mt4Click(TObject* sender);
  // Information pages: help, recommendations, software, donating, licence.
  void minfo1Click(TObject* sender);
  void minfo2Click(TObject* sender);
  void minfo3Click(TObject* sender);
  void minfo4Click(TObject* sender);
  void Software1Click(TObject* sender);
  void Software2Click(TObject* sender);
  void KurzbeschreibungallerProgramme1Click(TObject* sender);
  void BriefDescriptionoftheSoftware1Click(TObject* sender);
  // A tab chosen by the user: back is enabled but on the first page, next but on the licence.
  void pcideChange(TObject* sender);
  void pcienChange(TObject* sender);
  // German back and next, in the order help, recommendations, software, donating, licence.
  void btide1Click(TObject* sender);
  void btide2Click(TObject* sender);
  // English back and next: the pages in tab order.
  void btien1Click(TObject* sender);
  void btien2Click(TObject* sender);
  // The page-number list window, filled with the wizard's page-number lines, shown modally.
  void sz_bearbeitenClick(TObject* sender);

  // File wizard: the page flow and the run.
  void dctChange(TObject* sender);
  void dbt1Click(TObject* sender);
  void dbt2Click(TObject* sender);
  // Progress page, the file index run, result page. Also run by the command line, "Datei
  // Index Laden" and the text-to-index editor.
  void dstartClick(TObject* sender);
  // Source page: adding files by a typed path (Enter), the open dialog and the options window.
  void qudateiKeyPress(TObject* sender, char& key);
  void DateiAuswahlClick(TObject* sender);
  void querweitertClick(TObject* sender);
  // The file list: deleting, sorting by a column, editing a label (also for `squlist`).
  void DeleteAllClick(TObject* sender);
  void DeleteRowClick(TObject* sender);
  void qulistKeyDown(TObject* sender, WORD& key, TShiftState shift);
  void qulistColumnClick(TObject* sender, TListColumn* column);
  void qulistCompare(TObject* sender, TListItem* item1, TListItem* item2, int data, int& compare);
  void qulistDblClick(TObject* sender);
  // Settings page.
  void dandindexClick(TObject* sender);
  void d_designClick(TObject* sender);
  // Result page: page or code, clipboard, text file, index data file.
  void ShowDesignClick(TObject* sender);
  void ShowCodeClick(TObject* sender);
  void dzwischenablageClick(TObject* sender);
  void doutputspeichernClick(TObject* sender);
  void didxspeichernClick(TObject* sender);
  // "Neu" > "Datei Index" and "Datei Index Laden".
  void mneudateiClick(TObject* sender);
  void mdidxloadClick(TObject* sender);

  // Keyword wizard: the page flow and the run.
  void sctChange(TObject* sender);
  void sbt1Click(TObject* sender);
  void sbt2Click(TObject* sender);
  void sstartClick(TObject* sender);
  void squpfadKeyPress(TObject* sender, char& key);
  void squsuchenClick(TObject* sender);
  void squerweitertClick(TObject* sender);
  void sqdeleteallClick(TObject* sender);
  void squdeleterawClick(TObject* sender);
  void squlistKeyDown(TObject* sender, WORD& key, TShiftState shift);
  void squlistColumnClick(TObject* sender, TListColumn* column);
  void squlistCompare(TObject* sender, TListItem* item1, TListItem* item2, int data, int& compare);
  void ZeilenumbruchClick(TObject* sender);
  void szwischenablageClick(TObject* sender);
  void soutputspeichernClick(TObject* sender);
  void AbbruchSClick(TObject* sender);
  // "Neu" > "Stichwort Index".
  void mneustwClick(TObject* sender);

  // The client size the window is designed for: the least at which all of it can be used.
  int DesignClientWidth() const { return FDesignClientWidth; }
  int DesignClientHeight() const { return FDesignClientHeight; }

  // The index stores of the text and the file wizard: each run fills its own, which then stays
  // for the save commands and the word-list editors until the next run. They live and go with
  // this window, whenever the program frees its windows.
  TIndexStore& TextIndexStore() { return FTextIndexStore; }
  TIndexStore& FileIndexStore() { return FFileIndexStore; }

 private:
  void ProgWindowProc(TMessage& message);
  // The application's error dialog while the window exists: what the guards of the window
  // procedures and callbacks hand on, told in the program's language.
  void ShowApplicationError(TObject* sender, const std::exception& error);
  TWndMethod FOldWindowProc;
  TWndMethod FOldQuListProc;
  TWndMethod FOldSquListProc;
  int FDesignClientWidth = 0;
  int FDesignClientHeight = 0;
  TIndexStore FTextIndexStore;
  TIndexStore FFileIndexStore;
};

// The sort state of a list sorted by column clicks: the column sorted by, the column of the
// previous click and the direction. The file wizard's list and the text-to-index editor's two
// lists share one.
struct TFileListSort {
  int Column = 0;
  int PreviousColumn = 0;
  bool Descending = false;
  // A click on a column: the same column again turns the direction, another sorts ascending.
  void Click(int column);
  // File-list rows compared as the state says: labels and texts without regard to case, sizes
  // as numbers.
  int Compare(TListItem* a, TListItem* b) const;
  // Rows compared by the column's wide text without regard to case.
  int CompareTexts(TListItem* a, TListItem* b) const;
};
extern TFileListSort FileListSort;
extern TFileListSort KeywordListSort;

extern Tprog* prog;

// One piece of the work done while the program closes. It never keeps the program open: a
// failure is told to the user through the application's error dialog, and the close goes on.
void CloseStep(TObject* sender, void (*step)());

// The names of a drop from the shell, in drop order, folders included: the list refuses what is
// no file, and names it with its reason.
std::vector<std::wstring> DroppedFileNames(HDROP drop);

// The addresses that the web links open: a label's caption, a menu item's caption, the
// donation label's caption, each with the referral code of its kind of link.
std::string LabelCaptionAddress(const std::string& caption);
// The address a web label opens with the given referral code: "http://www." + caption +
// "&rf=" + referral, a bare host ending in ".de" or ".com" given its "/" before the code.
std::string WebLabelAddress(const std::string& caption, const std::string& referral);
std::string MenuCaptionAddress(const std::string& caption);
std::string DonationAddress(const std::string& caption);
// The address of a label that carries the menu links' referral code (the output settings'
// information links): the caption as it stands, the code appended.
std::string MenuReferralAddress(const std::string& caption);
// The address of the fault-report windows' links and the shortcut windows' help link.
std::string ReportLinkAddress(const std::string& caption);
// Opens an address with the shell's "open" verb, or hands it to the opener a test installed
// (an empty opener restores the shell); gives the previous opener back.
using TWebAddressOpener = std::function<void(const std::string& address)>;
TWebAddressOpener SetWebAddressOpener(TWebAddressOpener opener);
void OpenWebAddress(const std::string& address);

// Shows `panel` and hides the other four of the start, wizard and information panels; the
// side bar's pressed button follows.
void ShowOnlyPanel(TPanel* panel);
// Presses the side-bar button of the panel shown, however it came to be shown.
void PressSideBarButtonOfPanel();

// Shows the information panel on a German page (`tide1` to `tide5`) with the English page of
// the same topic, each page control's back and next buttons enabled as the page allows.
void ShowMainPage(TTabSheet* page);

// Set when page-number detection has filled the page list; cleared when the source changes.
extern bool PageNumbersRead;
