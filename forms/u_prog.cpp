#include "forms/u_prog.h"

#include <objbase.h>

#include <algorithm>
#include <array>
#include <new>
#include <utility>

#include "classlib/ScopedHandles.h"
#include "classlib/SysUtils.h"
#include "engine/u_FileErrors.h"
#include "engine/u_TempFiles.h"
#include "engine/u_WideFunc.h"
#include "forms/u_fileix.h"
#include "forms/u_hdesign.h"
#include "forms/u_quhopt.h"
#include "forms/u_sdesign.h"
#include "forms/u_textdesign.h"
#include "ucode/UCodeClasses.h"
#include "ucode/UCodeClipBrd.h"
#include "engine/u_WideFuncText.h"
#include "engine/u_FileIndex.h"
#include "engine/u_funktionen.h"
#include "forms/u_design.h"
#include "forms/u_bugreport_de.h"
#include "forms/u_bugreport_en.h"
#include "forms/u_einstausgabe.h"
#include "forms/u_einstshortcuts_idx.h"
#include "forms/u_einstshortcuts_qcfg.h"
#include "forms/u_konfig.h"
#include "forms/u_edittxt.h"
#include "forms/u_edittxt2idx.h"
#include "forms/u_editwortlisten.h"
#include "forms/u_indexhinzu.h"
#include "forms/u_progspr.h"
#include "forms/u_start.h"
#include "forms/u_szbearbeiten.h"
#include "forms/u_szkriterien.h"
#include "forms/u_textix.h"
#include "forms/u_wortlisten.h"
#include "forms/u_zusatzfunktion.h"
#include "ucode/UCodeSysUtils.h"
#include "ucode/UCodeSystem.h"

Tprog* prog = nullptr;
bool PageNumbersRead = false;

namespace {

// COM for the user-interface thread, for as long as the program runs.
struct ComForTheProgram {
  ComForTheProgram() { CoInitialize(nullptr); }
  ~ComForTheProgram() { CoUninitialize(); }
};
ComForTheProgram comForTheProgram;

// A configuration is loaded as such and never opened as a source text.
bool IsConfigurationFile(const std::wstring& fileName) { return WideExtractFileExt(fileName) == L".qcfg"; }

// The system's small icons as the file lists' image list: shared, never freed here.
void UseSystemSmallIcons(TImageList* icons) {
  SHFILEINFOA info{};
  const auto list = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoA("", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  if (list == nullptr) return;
  icons->SetShareImages(true);
  icons->SetHandle(list);
}

void DeleteHandOverFile() { DeleteTempFile(TTempFile::IndexHandOver); }

// Whether the keyboard focus is in the control's window or one of its children.
bool HoldsFocus(TWinControl* control) {
  if (!control->HandleAllocated()) return false;
  const HWND focus = GetFocus();
  return focus && (focus == control->GetHandle() || IsChild(control->GetHandle(), focus));
}

void FocusInto(TPanel* panel) {
  if (TWinControl* first = panel->FindNextControl(nullptr, true, true)) first->SetFocus();
  else if (prog->CanFocus()) prog->SetFocus();
}

// Each side of the start panel's hover effect: a choice and the description beside it.
void Underline(TStaticText* text, bool on) { text->GetFont()->SetStyle(on ? fsUnderline : 0); }

}  // namespace

// The routines that FormCreate runs work on the instance `prog`, so it names this window
// before the description is read.
Tprog::Tprog(TComponent* owner) : TForm(owner) {
  // The description places the program-list frames, which must be known by their class names.
  for (TClass frame : {TFrame1::StaticClass(), TFrame2::StaticClass()})
    if (!GetClass(frame->ClassName())) RegisterClass(frame);
  prog = this;
  InitForm();
  FDesignClientWidth = GetClientWidth();
  FDesignClientHeight = GetClientHeight();
}

void ShowOnlyPanel(TPanel* panel) {
  bool focusLeaves = false;
  for (TPanel* each : {prog->pstart, prog->pgtxt, prog->pgdateien, prog->pgstw, prog->pinfo}) {
    if (each == panel) continue;
    focusLeaves = focusLeaves || HoldsFocus(each);
    each->SetVisible(false);
  }
  panel->SetVisible(true);
  PressSideBarButtonOfPanel();
  // The side bar takes no focus: keys typed next would still reach the control of a panel just
  // hidden. They go to the panel shown, its first control, or the main window when it has none.
  if (focusLeaves || (HoldsFocus(prog) && !HoldsFocus(panel))) FocusInto(panel);
}

void PressSideBarButtonOfPanel() {
  const std::pair<TPanel*, TSpeedButton*> sides[] = {{prog->pstart, prog->rand_btstart},
                                                     {prog->pgtxt, prog->rand_bttxtidx},
                                                     {prog->pgdateien, prog->rand_btdidx},
                                                     {prog->pgstw, prog->rand_btstw},
                                                     {prog->pinfo, prog->rand_btinfo}};
  for (const auto& [panel, button] : sides)
    if (panel->GetVisible()) return button->SetDown(true);
}

void Tprog::FormCreate(TObject*) {
  DescribeTextIndexSettings(tt1);
  DescribeFileIndexSettings(td1);
  DescribeKeywordIndexSettings(ts1);
  for (TControl* text : std::initializer_list<TControl*>{status, dstatus, sstatus, zusammenfassung, dzusammenfassung,
                                                         szusammenfassung})
    text->SetCaption("");
  for (TProgressBar* bar : {progress, fortschritt, sfortschritt}) bar->SetPosition(0);
  for (TMemo* memo : {output, doutput, soutput}) memo->Clear();
  FOldQuListProc = qulist->GetWindowProc();
  qulist->SetWindowProc(TWndMethod(this, &Tprog::QuListWindowProc));
  DragAcceptFiles(qulist->GetHandle(), TRUE);
  FOldSquListProc = squlist->GetWindowProc();
  squlist->SetWindowProc(TWndMethod(this, &Tprog::SquListWindowProc));
  DragAcceptFiles(squlist->GetHandle(), TRUE);
  // Only the two lists take files from the shell: a drop onto any other part of the window
  // would land in a list that is not shown.
  FOldWindowProc = GetWindowProc();
  SetWindowProc(TWndMethod(this, &Tprog::ProgWindowProc));
  UseSystemSmallIcons(IconList);
  Application->OnException = TExceptionEvent(this, &Tprog::ShowApplicationError);
  const std::pair<TImage*, const char*> headings[] = {
      {start_top, "START_TOP"}, {start_topen, "START_TOPEN"}, {top_datei, "TOP_DATEI"},
      {top_datei_en, "TOP_DATEI_EN"}, {top_stw, "TOP_STW"}, {top_stw_en, "TOP_STW_EN"}};
  for (const auto& [image, resource] : headings) LoadPicture(image, resource);
  // The start configuration's own item stands for "Auto.qcfg": it holds the path before the
  // configurations of the program folder are listed, so that the file is not listed twice.
  m_konfig_start->SetHint(StartConfigurationPath());
  TUCodeStringList known;
  FindFilesW(false, {L"*.qcfg"}, known, WideExtractFilePath(StartConfigurationPath()));
  for (int i = 0; i < known.GetCount(); ++i) KonfigurationAddMenu(this, known.Get(i));
  ShowOnlyPanel(pstart);
  SetProgLanguage();
}

void Tprog::FormShow(TObject*) {
  SetWindowLongA(GetHandle(), GWL_EXSTYLE, GetWindowLongA(GetHandle(), GWL_EXSTYLE) | WS_EX_APPWINDOW);
  // The window comes up before the file the command line names is opened in it: however long
  // that takes, and whatever it tells, the user sees the program's window.
  ShowWindow(GetHandle(), SW_SHOW);
  Update();
  TWaitCursor busy;
  std::vector<std::wstring> arguments;
  // From the wide command line: the shell hands over names in any script.
  for (std::wstring argument; !(argument = WideParamStr(static_cast<int>(arguments.size()) + 1)).empty();)
    arguments.push_back(argument);
  TellUnreadWordLists();
  TakeCommandLine(arguments);
}

namespace {

// One step of the start-up. A step that fails is told to the user, in the program's language,
// the reason included, and the start goes on: the window comes up whatever a file on the
// command line holds.
template <class Step>
void StartUpStep(const std::wstring& leadIn, Step step) {
  try {
    step();
  } catch (const EAbort&) {
  } catch (const std::exception& error) {
    TellUser(leadIn + L"\r\n\r\n" + ErrorReason(error, LanguageCode()), MB_ICONERROR);
  }
}

std::wstring FileNotOpenedText(const std::wstring& fileName) {
  return FileErrorLeadIn(TFileAction::Open, fileName, LanguageCode());
}

std::wstring ConfigurationNotLoadedText(const std::wstring& fileName) {
  return (LanguageCode() == "de" ? L"Die Konfiguration konnte nicht geladen werden: "
                                 : L"The configuration could not be loaded: ") +
         fileName;
}

std::wstring ConfigurationsNotFoundText(const std::vector<std::wstring>& fileNames) {
  const bool german = LanguageCode() == "de";
  std::wstring text = fileNames.size() == 1
                          ? (german ? L"Die Konfiguration wurde nicht gefunden:" : L"The configuration was not found:")
                          : (german ? L"Die Konfigurationen wurden nicht gefunden:"
                                    : L"The configurations were not found:");
  for (const std::wstring& fileName : fileNames) text += L"\r\n" + fileName;
  return text;
}

}  // namespace

void Tprog::TakeCommandLine(const std::vector<std::wstring>& arguments) {
  // Configurations named on the command line, else the start configuration when there is one.
  // A name that is no file is no configuration: it neither joins the menu nor keeps the start
  // configuration out. A name without a folder is a file of the current folder: its whole path
  // is loaded and listed, so that the menu finds the same file after the current folder changed.
  bool named = false;
  std::vector<std::wstring> missing;
  for (const std::wstring& argument : arguments) {
    if (!IsConfigurationFile(argument)) continue;
    const std::wstring path = ConfigurationPath(argument);
    const TNameKind kind = KindOfName(path);
    if (kind == TNameKind::Missing) {
      missing.push_back(path);
      continue;
    }
    // A device or a folder is refused before the profile functions read from it.
    if (kind != TNameKind::File) {
      TellUser(ConfigurationNotLoadedText(argument) + L"\r\n\r\n" +
                   FileErrorReason(NotAFileError(kind), LanguageCode()),
               MB_ICONERROR);
      continue;
    }
    named = true;
    StartUpStep(ConfigurationNotLoadedText(path), [&] {
      KonfigurationLaden(start, path);
      KonfigurationAddMenu(this, path);
    });
  }
  if (!missing.empty()) TellUser(ConfigurationsNotFoundText(missing), MB_ICONWARNING);
  const std::wstring startConfiguration = StartConfigurationPath();
  if (!named && WideFileExists(startConfiguration))
    StartUpStep(ConfigurationNotLoadedText(startConfiguration), [&] { KonfigurationLaden(start, startConfiguration); });
  if (!arguments.empty() && WideFileExists(arguments.front()))
    StartUpStep(FileNotOpenedText(arguments.front()), [&] { OpenStartFile(arguments.front()); });
}

namespace {

// Opening a file named on the command line may take long, and no message is handled meanwhile:
// the start screen, which stands in front of every window, goes first, and the main window is
// drawn again where the screen stood, so that the user sees the main window at work, under the
// wait cursor, and what the opening tells comes in front of it.
void StartScreenMakesWay(TForm* main) {
  const bool wasUp = StartScreenUp();
  if (start) start->EndSequence();
  if (!wasUp || !main->HandleAllocated()) return;
  RedrawWindow(main->GetHandle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Screen->ShowCursorAtPointer();
}

}  // namespace

void Tprog::OpenStartFile(const std::wstring& fileName) {
  if (IsConfigurationFile(fileName)) return;
  StartScreenMakesWay(this);
  std::wstring text;
  {
    TWaitCursor busy;
    text = LoadTextFileW(fileName);
  }
  if (fileName.find(L".idx") == std::wstring::npos) {
    // The file is the source: its text in the source memo, where the page numbers are read
    // from, and its name in the source edit, so that a run reads it. A text the memo cannot show
    // is refused before either changes. The edit's own reading of a new name is kept out: it
    // would read the file a second time (a Word document would start Word twice). The text goes
    // into one memo only: a memo lays out every line it takes.
    {
      TWaitCursor busy;
      ShowTextInMemo(original, std::move(text), fileName, LanguageCode());
    }
    {
      const ScopedValue<TNotifyEvent> quiet(edit_quelle->OnChange, TNotifyEvent());
      edit_quelle->SetText(WideExpandFileName(fileName));
    }
    DescribeTextIndexSettings(tt1);
  } else if (text.find(L">-") != std::wstring::npos) {
    kt_index->SetCaption(fileName);
    kt_integrieren->SetChecked(true);
    DescribeTextIndexSettings(tt6);
    ft_startClick(this);
  } else {
    // A file index's data: its entries carry real links, never "-".
    dkt_index->SetCaption(fileName);
    dkt_integrieren->SetChecked(true);
    DescribeFileIndexSettings(td5);
    dstartClick(this);
  }
}

void SaveStartConfigurationOnClose();

void Tprog::FormCloseQuery(TObject*, bool& canClose) {
  canClose = true;
  CloseStep(this, DeleteHandOverFile);
  if (m_konfig_autosave_alles->GetChecked()) CloseStep(this, SaveStartConfigurationOnClose);
}

// A program folder that may not be written (an installed program) must not keep the program
// open: the user hears of it once, in the program's language, with the reason.
void SaveStartConfigurationOnClose() {
  try {
    SaveConfiguration(StartConfigurationPath());
  } catch (const Exception& error) {
    TellUser((LanguageCode() == "de" ? L"Die Startkonfiguration konnte nicht gespeichert werden: "
                                     : L"The start configuration could not be saved: ") +
                 StartConfigurationPath() + L"\r\n\r\n" + ErrorReason(error, LanguageCode()),
             MB_ICONWARNING);
  }
}

void CloseStep(TObject* sender, void (*step)()) {
  try {
    step();
  } catch (...) {
    Application->HandleException(sender);
  }
}

void Tprog::FormClose(TObject*, TCloseAction&) {
  if (start) start->Close();
}

void Tprog::FormDestroy(TObject*) {
  if (Application->OnException.SameMethod(TExceptionEvent(this, &Tprog::ShowApplicationError)))
    Application->OnException = TExceptionEvent();
  qulist->SetWindowProc(FOldQuListProc);
  squlist->SetWindowProc(FOldSquListProc);
  SetWindowProc(FOldWindowProc);
  for (TWinControl* target : std::initializer_list<TWinControl*>{qulist, squlist})
    if (target->HandleAllocated()) DragAcceptFiles(target->GetHandle(), FALSE);
}

void Tprog::ShowApplicationError(TObject*, const std::exception& error) {
  Application->ShowException(ErrorMessage(error, LanguageCode()));
}

void Tprog::ProgWindowProc(TMessage& message) {
  if (message.Msg == WM_DROPFILES)
    WMDropFiles(message);
  else
    FOldWindowProc(message);
}

void Tprog::QuListWindowProc(TMessage& message) {
  if (message.Msg == WM_DROPFILES) WMDropFiles(message);
  FOldQuListProc(message);
}

void Tprog::SquListWindowProc(TMessage& message) {
  if (message.Msg == WM_DROPFILES) WMDropFiles(message);
  FOldSquListProc(message);
}

void Tprog::WMDropFiles(TMessage& message) {
  FOldWindowProc(message);
  auto drop = reinterpret_cast<HDROP>(message.WParam);
  TListView* target = pgdateien->GetVisible() ? qulist : squlist;
  std::vector<std::wstring> names;
  try {
    names = DroppedFileNames(drop);
  } catch (...) {
    DragFinish(drop);
    throw;
  }
  DragFinish(drop);
  AddFilesToFileList(target, names, quhopt && quhopt->dadweitere->GetChecked());
}

std::vector<std::wstring> DroppedFileNames(HDROP drop) {
  std::vector<std::wstring> names;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    std::wstring name(length + 1, L'\0');
    name.resize(DragQueryFileW(drop, i, name.data(), length + 1));
    names.push_back(name);
  }
  return names;
}

void Tprog::start_label1MouseEnter(TObject*) { Underline(start_text1, true); }
void Tprog::start_label1MouseLeave(TObject*) { Underline(start_text1, false); }
void Tprog::start_label2MouseEnter(TObject*) { Underline(start_text2, true); }
void Tprog::start_label2MouseLeave(TObject*) { Underline(start_text2, false); }
void Tprog::start_label3MouseEnter(TObject*) { Underline(start_text3, true); }
void Tprog::start_label3MouseLeave(TObject*) { Underline(start_text3, false); }
void Tprog::start_label4MouseEnter(TObject*) { Underline(start_text4, true); }
void Tprog::start_label4MouseLeave(TObject*) { Underline(start_text4, false); }
void Tprog::StaticTextMouseEnter(TObject* sender) {
  if (auto* text = dynamic_cast<TStaticText*>(sender)) Underline(text, true);
}
void Tprog::StaticTextMouseLeave(TObject* sender) {
  if (auto* text = dynamic_cast<TStaticText*>(sender)) Underline(text, false);
}

void Tprog::sprachealles() {
  SetProgLanguage();
  for (TWordListWindow* list : {static_cast<TWordListWindow*>(negliste), static_cast<TWordListWindow*>(posliste)})
    if (list) list->LocalSpr();
  if (quhopt) quhopt->LocalSpr();
  if (design) design->LocalSpr();
  if (hdesign) hdesign->LocalSpr();
  if (sdesign) sdesign->LocalSpr();
  if (textdesign) textdesign->LocalSpr();
  if (szbearbeiten) szbearbeiten->LocalSpr();
  if (szkriterien) szkriterien->LocalSpr();
  if (editneg) editneg->LocalSpr();
  if (editpos) editpos->LocalSpr();
  if (edittxt2idx) edittxt2idx->LocalSpr();
  if (edittxt) edittxt->LocalSpr();
  if (einstausgabe) einstausgabe->Sprache();
  if (indexhinzu) indexhinzu->sprache();
  if (zusatzfunktion) zusatzfunktion->sprache();
  if (einstshortcuts_qcfg) einstshortcuts_qcfg->Sprache();
  if (einstshortcuts_idx) einstshortcuts_idx->Sprache();
}

void Tprog::rand_btstartClick(TObject*) { ShowOnlyPanel(pstart); }
void Tprog::rand_bttxtidxClick(TObject*) { ShowOnlyPanel(pgtxt); }
void Tprog::rand_btdidxClick(TObject*) { ShowOnlyPanel(pgdateien); }
void Tprog::rand_btstwClick(TObject*) { ShowOnlyPanel(pgstw); }
// The buttons of the information pages follow the page shown, whichever way the panel comes up;
// they are set before the panel takes the focus, which a button disabled afterwards would lose.
void Tprog::rand_btinfoClick(TObject*) {
  pcideChange(pcide);
  pcienChange(pcien);
  ShowOnlyPanel(pinfo);
}

namespace {

// The page the back button goes to from each page; the progress page is skipped going back.
TTabSheet* PreviousPage(TTabSheet* page) {
  if (page == prog->tt2) return prog->tt1;
  if (page == prog->tt3) return prog->tt2;
  if (page == prog->tt4) return prog->tt3;
  if (page == prog->tt5 || page == prog->tt6) return prog->tt4;
  return nullptr;
}

TTabSheet* NextPage(TTabSheet* page) {
  if (page == prog->tt1) return prog->tt2;
  if (page == prog->tt2) return prog->tt3;
  if (page == prog->tt3) return prog->tt4;
  return nullptr;
}

bool IsDigitOrBackspace(char key) { return key == '\b' || (key >= '0' && key <= '9'); }

void RemoveSelectedPageNumbers() {
  TListBox* list = prog->sz_libo;
  TUCodeStrings* items = list->GetItems();
  items->BeginUpdate();
  for (int i = items->GetCount() - 1; i >= 0; --i)
    if (list->GetSelected(i)) items->Delete(i);
  items->EndUpdate();
}

// The criteria box a shared handler serves: its sender.
TComboBox* LengthBox(TObject* sender) {
  auto* box = dynamic_cast<TComboBox*>(sender);
  return box != nullptr ? box : prog->kt_max;
}

}  // namespace

void Tprog::pctChange(TObject*) {
  bt1->SetVisible(true);
  bt2->SetVisible(true);
  for (TControl* button : std::initializer_list<TControl*>{bt1, bt2, ft_start}) button->SetEnabled(true);
  DescribeTextIndexSettings(pct->GetActivePage());
}

void Tprog::bt1Click(TObject*) {
  bt1->SetVisible(true);
  bt2->SetEnabled(true);
  ft_start->SetEnabled(true);
  if (TTabSheet* page = PreviousPage(pct->GetActivePage())) DescribeTextIndexSettings(page);
}

void Tprog::bt2Click(TObject*) {
  bt1->SetVisible(true);
  bt2->SetEnabled(true);
  ft_start->SetEnabled(true);
  TTabSheet* page = NextPage(pct->GetActivePage());
  if (page == nullptr) {
    bt2->SetEnabled(false);
    return;
  }
  if (page == tt2 && !PageNumbersRead) FindPageNumbers();
  DescribeTextIndexSettings(page);
}

void Tprog::ft_startClick(TObject*) {
  DescribeTextIndexSettings(tt5);
  try {
    if (sz_auslesen->GetChecked() && !PageNumbersRead && sz_libo->GetItems()->GetCount() == 0) {
      // The page numbers of a long text take a while: the status line says the run is coming.
      status->SetCaption(ProgressTexts.Preparing);
      status->Repaint();
      FindPageNumbers();
    }
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

void Tprog::edit_quelleChange(TObject*) { LoadSourceFile(); }

void Tprog::bttxtquelleClick(TObject*) {
  const std::wstring named = edit_quelle->GetText();
  if (OpenDatei->Execute()) edit_quelle->SetText(OpenDatei->GetFileNameW());
  // A new name has been read by the edit's change already; a Word document would start Word twice.
  if (edit_quelle->GetText() == named) LoadSourceFile();
  PageNumbersRead = false;
}

void Tprog::qu_ladenClick(TObject*) { LoadTextIntoMemo(original, false, memoload, LanguageCode()); }

void Tprog::qu_deleteClick(TObject*) { original->Clear(); }

void Tprog::originalChange(TObject*) { PageNumbersRead = false; }

void Tprog::sz_zeilezuseiteClick(TObject*) {
  const bool byLine = sz_zeilezuseite->GetChecked();
  sz_beginn->SetEnabled(byLine);
  for (TControl* control : std::initializer_list<TControl*>{sz_libo, sz_entfernen, sz_bearbeiten, sz_kriterien, Auslesen})
    control->SetEnabled(!byLine);
}

void Tprog::sz_beginnKeyPress(TObject*, char& key) {
  if (!IsDigitOrBackspace(key)) key = 0;
}

void Tprog::AuslesenClick(TObject*) { FindPageNumbers(); }

void Tprog::sz_entfernenClick(TObject*) { RemoveSelectedPageNumbers(); }

void Tprog::sz_liboKeyDown(TObject*, WORD& key, TShiftState) {
  if (key == VK_DELETE) RemoveSelectedPageNumbers();
}

void Tprog::sz_kriterienClick(TObject*) { szkriterien->ShowModal(); }

void Tprog::kt_maxChange(TObject* sender) { OfferCustomEntry(LengthBox(sender)); }

void Tprog::kt_maxExit(TObject* sender) {
  TComboBox* box = LengthBox(sender);
  if (box->GetText().empty()) box->SetText(std::to_wstring(box->GetTag()));
}

void Tprog::kt_maxKeyPress(TObject*, char& key) {
  if (IsDigitOrBackspace(key)) return;
  key = 0;
  TellUser(LanguageCode() == "de" ? L"In diesem Feld sind nur Zahleneingaben erlaubt."
                                  : L"In this box only numerical entries are allowed.",
           MB_ICONINFORMATION);
}

void Tprog::andindexClick(TObject*) { ChooseIndexToExtend(); }

void Tprog::btdesignClick(TObject*) { design->ShowModal(); }

void Tprog::zwischenablageClick(TObject*) { CopyTextIndex(); }

void Tprog::outputspeichernClick(TObject*) { SaveTextIndexText(); }

void Tprog::DatenSpeichernClick(TObject*) { SaveIndexData(TextIndexStore()); }

void Tprog::mneutxtClick(TObject*) { NewTextIndex(); }

// Loading an index runs the wizard on it; a cancelled choice leaves everything as it was.
void Tprog::mtidxloadClick(TObject*) {
  if (ChooseIndexToExtend()) ft_startClick(ft_start);
}

// ---- Configuration files

// The system's profile functions, through which configurations are read and written, would read
// from a device or write into it: a name that is no file is refused first.
void Tprog::KonfigurationSpeichern(TObject*, const std::wstring& fileName) {
  RefuseNoFile(TFileAction::Save, fileName);
  SaveConfiguration(fileName);
}

void Tprog::KonfigurationLaden(TObject* sender, const std::wstring& fileName) {
  RefuseNoFile(TFileAction::Open, fileName);
  LoadConfiguration(fileName, start != nullptr && sender == start);
}

void Tprog::KonfigurationSpeichernDialog(TObject*) {
  if (!sd_konfig->Execute() || sd_konfig->GetFileNameW().empty()) return;
  const std::wstring fileName = sd_konfig->GetFileNameW();
  KonfigurationSpeichern(this, fileName);
  KonfigurationAddMenu(this, fileName);
}

void Tprog::KonfigurationLadenDialog(TObject*) {
  if (!od_konfig->Execute() || od_konfig->GetFileNameW().empty()) return;
  const std::wstring fileName = od_konfig->GetFileNameW();
  KonfigurationLaden(this, fileName);
  KonfigurationAddMenu(this, fileName);
}

void Tprog::KonfigurationLadenStandard(TObject*) { LoadFactorySettings(); }

void Tprog::KonfigurationLadenMenu(TObject* sender) {
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (!item) return;
  const std::wstring fileName = item->GetHint();
  if (WideFileExists(fileName)) KonfigurationLaden(sender, fileName);
}

void Tprog::KonfigurationAddMenu(TObject*, const std::wstring& name) {
  const std::wstring fileName = ConfigurationPath(name);
  for (int i = 0; i < m_konfig->GetCount(); ++i)
    if (WideGetMenuItemHint(m_konfig->GetItem(i)) == fileName) return;
  auto* item = new TMenuItem(menu);
  item->SetName("m_konfig_" + std::to_string(m_konfig->GetCount()));
  // Shortened to the room the start panel's donation line gives, measured in its font.
  TCanvas* canvas = laspenden->GetCanvas();
  canvas->GetFont()->Assign(laspenden->GetFont());
  item->SetCaption(MinimizePathW(fileName, canvas, 2 * laspenden->GetWidth() + 30));
  item->SetHint(fileName);
  item->OnClick = TNotifyEvent(this, &Tprog::KonfigurationLadenMenu);
  m_konfig->Add(item);
}

void Tprog::m_konfig_save_startClick(TObject*) {
  KonfigurationSpeichern(this, StartConfigurationPath());
  m_konfig_start->SetHint(StartConfigurationPath());
}

void Tprog::m_konfig_startClick(TObject*) {
  if (WideFileExists(StartConfigurationPath()))
    KonfigurationLaden(this, StartConfigurationPath());
  else
    TellUser(LanguageCode() == "de" ? L"Keine Startkonfiguration definiert."
                                    : L"There is no start configuration defined.",
             MB_ICONINFORMATION);
  m_konfig_start->SetChecked(false);
}

void Tprog::m_konfig_autosave_nieClick(TObject* sender) {
  m_konfig_autosave_nie->SetChecked(sender == m_konfig_autosave_nie);
  m_konfig_autosave_alles->SetChecked(sender == m_konfig_autosave_alles);
}

// ---- Menu commands

void Tprog::msprdeClick(TObject*) {
  start->spr->SetCaption("de");
  sprachealles();
}

void Tprog::msprenClick(TObject*) {
  start->spr->SetCaption("en");
  sprachealles();
}

void Tprog::zspmenuClick(TObject*) { zspmenu->SetChecked(!zspmenu->GetChecked()); }

void Tprog::spoptClick(TObject*) { einstausgabe->Show(); }

void Tprog::negativliste_anzeigenClick(TObject*) { negliste->ShowModal(); }

void Tprog::positivliste_anzeigenClick(TObject*) { posliste->ShowModal(); }

void Tprog::mbeendenClick(TObject*) { start->Close(); }

void Tprog::stw_designanzeigenClick(TObject*) { sdesign->ShowModal(); }

// ---- Web links

namespace {

const char* const kLabelReferral = "kxl";
const char* const kMenuReferral = "kxm";
const char* const kDonationReferral = "kxd";
const char* const kReportReferral = "kxr";

// The menu of further programs: each caption an address, " - " and the program's name.
// The maker's further programs, each on the pages of the language.
const TLanguageText kFurtherPrograms[] = {
    {"", L"kaptorix.de/programme/wordcounter - WordCounter", L"kaptorix.com/programs/wordcounter - WordCounter"},
    {"", L"kaptorix.de/programme/textsplitter - TextSplitter", L"kaptorix.com/programs/textsplitter - TextSplitter"},
    {"", L"kaptorix.de/programme/filelister - FileLister", L"kaptorix.com/programs/filelister - FileLister"},
    {"", L"kaptorix.de/programme/pagenumberer - PageNumberer",
     L"kaptorix.com/programs/pagenumberer - PageNumberer"},
};

TWebAddressOpener WebAddressOpener;

std::string WithoutAmpersands(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
  return text;
}

void ReplaceFirst(std::string& text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
}

// A bare host needs its "/" before the appended referral key.
std::string WithHostSlash(std::string address) {
  ReplaceFirst(address, ".de&", ".de/&");
  ReplaceFirst(address, ".com&", ".com/&");
  return address;
}

// An address followed by " - " and a description keeps the address only, with the key again.
std::string WithoutDescription(std::string address, const std::string& key) {
  const size_t dash = address.find(" - ");
  if (dash != std::string::npos) address = address.substr(0, dash) + key;
  return address;
}

}  // namespace

std::string WebLabelAddress(const std::string& caption, const std::string& referral) {
  return WithHostSlash("http://www." + caption + "&rf=" + referral);
}

std::string LabelCaptionAddress(const std::string& caption) { return WebLabelAddress(caption, kLabelReferral); }

std::string ReportLinkAddress(const std::string& caption) { return WebLabelAddress(caption, kReportReferral); }

std::string MenuReferralAddress(const std::string& caption) { return WebLabelAddress(caption, kMenuReferral); }

std::string MenuCaptionAddress(const std::string& caption) {
  const std::string key = std::string("&rf=") + kMenuReferral;
  return WithHostSlash(WithoutDescription("http://www." + WithoutAmpersands(caption) + key, key));
}

std::string DonationAddress(const std::string& caption) {
  const std::string key = std::string("?r=") + kDonationReferral;
  return WithoutDescription("http://www." + WithoutAmpersands(caption) + key, key);
}

TWebAddressOpener SetWebAddressOpener(TWebAddressOpener opener) {
  std::swap(WebAddressOpener, opener);
  return opener;
}

void OpenWebAddress(const std::string& address) {
  if (WebAddressOpener) return WebAddressOpener(address);
  ShellExecuteA(Application->GetHandle(), "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Tprog::BrowseToCaption(TObject* sender) {
  if (auto* label = dynamic_cast<TControl*>(sender)) OpenWebAddress(LabelCaptionAddress(label->GetCaption()));
}

void Tprog::BrowseToMenuCaption(TObject* sender) {
  if (auto* item = dynamic_cast<TMenuItem*>(sender)) OpenWebAddress(MenuCaptionAddress(item->Menus::TMenuItem::GetCaption()));
}

void Tprog::laspendenClick(TObject* sender) {
  if (auto* label = dynamic_cast<TControl*>(sender)) OpenWebAddress(DonationAddress(label->GetCaption()));
}

void Tprog::FillLinksMenu() {
  const std::string code = LanguageCode();
  if (code != "de" && code != "en") return;
  m_links->Clear();
  for (const TLanguageText& program : kFurtherPrograms) {
    auto* item = new TMenuItem(menu);
    item->SetCaption(code == "de" ? program.German : program.English);
    item->OnClick = TNotifyEvent(this, &Tprog::BrowseToMenuCaption);
    m_links->Add(item);
  }
}

void Tprog::m_bugClick(TObject*) {
  if (LanguageCode() == "de")
    bugreport_de->Show();
  else
    bugreport_en->Show();
}

void Tprog::verk_qcfgClick(TObject*) { einstshortcuts_qcfg->Show(); }

void Tprog::verk_idxClick(TObject*) { einstshortcuts_idx->Show(); }

void Tprog::m_kompClick(TObject*) {
  zusatzfunktion->Show();
  zusatzfunktion->pc->SetActivePage(zusatzfunktion->word);
}

void Tprog::metsClick(TObject*) { DescribeTextIndexSettings(tt2); }
void Tprog::metkClick(TObject*) { DescribeTextIndexSettings(tt3); }
void Tprog::mft1Click(TObject*) { DescribeTextIndexSettings(tt1); }
void Tprog::mft2Click(TObject*) { DescribeTextIndexSettings(tt2); }
void Tprog::mft3Click(TObject*) { DescribeTextIndexSettings(tt3); }
void Tprog::mft4Click(TObject*) { DescribeTextIndexSettings(tt4); }
void Tprog::mft5Click(TObject*) { DescribeTextIndexSettings(tt5); }
void Tprog::mft6Click(TObject*) { DescribeTextIndexSettings(tt6); }
void Tprog::medkClick(TObject*) { DescribeFileIndexSettings(td2); }
void Tprog::meskClick(TObject*) { DescribeKeywordIndexSettings(ts2); }
void Tprog::mfd1Click(TObject*) { DescribeFileIndexSettings(td1); }
void Tprog::mfd2Click(TObject*) { DescribeFileIndexSettings(td2); }
void Tprog::mfd3Click(TObject*) { DescribeFileIndexSettings(td3); }
void Tprog::mfd4Click(TObject*) { DescribeFileIndexSettings(td4); }
void Tprog::mfd5Click(TObject*) { DescribeFileIndexSettings(td5); }
void Tprog::mfs1Click(TObject*) { DescribeKeywordIndexSettings(ts1); }
void Tprog::mfs2Click(TObject*) { DescribeKeywordIndexSettings(ts2); }
void Tprog::mfs3Click(TObject*) { DescribeKeywordIndexSettings(ts3); }
void Tprog::mfs4Click(TObject*) { DescribeKeywordIndexSettings(ts4); }
void Tprog::mfs5Click(TObject*) { DescribeKeywordIndexSettings(ts5); }

void Tprog::mt1Click(TObject*) { editneg->ShowWithLists(); }
void Tprog::mt2Click(TObject*) { editpos->ShowWithLists(); }
void Tprog::mt3Click(TObject*) { edittxt2idx->Show(); }
void Tprog::mt4Click(TObject*) { edittxt->Show(); }

// ---- Information pages

namespace {

// The German pages in the order the buttons step through them; the English page of each topic.
std::array<TTabSheet*, 5> GermanInfoPages() { return {prog->tide1, prog->tide2, prog->tide5, prog->tide3, prog->tide4}; }

TTabSheet* EnglishPageOf(TTabSheet* german) {
  const std::array<std::pair<TTabSheet*, TTabSheet*>, 5> topics = {{{prog->tide1, prog->tien1},
                                                                    {prog->tide2, prog->tien2},
                                                                    {prog->tide3, prog->tien3},
                                                                    {prog->tide4, prog->tien4},
                                                                    {prog->tide5, prog->tien5}}};
  for (const auto& [de, en] : topics)
    if (de == german) return en;
  return nullptr;
}

// Back is enabled but on the first page, next but on the licence.
void EnableInfoButtons(TPageControl* pages, TButton* back, TButton* next, TTabSheet* first, TTabSheet* last) {
  back->SetEnabled(pages->GetActivePage() != first);
  next->SetEnabled(pages->GetActivePage() != last);
}

// The German page `step` places before or after the one shown.
void StepGermanInfoPage(int step) {
  const auto pages = GermanInfoPages();
  const auto at = std::find(pages.begin(), pages.end(), prog->pcide->GetActivePage());
  if (at == pages.end()) return;
  const auto index = (at - pages.begin()) + step;
  if (index >= 0 && index < static_cast<long>(pages.size())) ShowMainPage(pages[static_cast<size_t>(index)]);
}

void StepEnglishInfoPage(bool forward) {
  prog->pcien->SelectNextPage(forward, false);
  EnableInfoButtons(prog->pcien, prog->btien1, prog->btien2, prog->tien1, prog->tien4);
}

}  // namespace

void ShowMainPage(TTabSheet* page) {
  prog->pcide->SetActivePage(page);
  EnableInfoButtons(prog->pcide, prog->btide1, prog->btide2, prog->tide1, prog->tide4);
  if (TTabSheet* english = EnglishPageOf(page)) prog->pcien->SetActivePage(english);
  EnableInfoButtons(prog->pcien, prog->btien1, prog->btien2, prog->tien1, prog->tien4);
  if (!prog->pinfo->GetVisible()) ShowOnlyPanel(prog->pinfo);
}

void Tprog::minfo1Click(TObject*) { ShowMainPage(tide1); }
void Tprog::minfo2Click(TObject*) { ShowMainPage(tide2); }
void Tprog::minfo3Click(TObject*) { ShowMainPage(tide3); }
void Tprog::minfo4Click(TObject*) { ShowMainPage(tide4); }
void Tprog::Software1Click(TObject*) { ShowMainPage(tide5); }
void Tprog::Software2Click(TObject*) { ShowMainPage(tide5); }
void Tprog::KurzbeschreibungallerProgramme1Click(TObject*) { ShowMainPage(tide5); }
void Tprog::BriefDescriptionoftheSoftware1Click(TObject*) { ShowMainPage(tide5); }

void Tprog::pcideChange(TObject*) { EnableInfoButtons(pcide, btide1, btide2, tide1, tide4); }
void Tprog::pcienChange(TObject*) { EnableInfoButtons(pcien, btien1, btien2, tien1, tien4); }
void Tprog::btide1Click(TObject*) { StepGermanInfoPage(-1); }
void Tprog::btide2Click(TObject*) { StepGermanInfoPage(1); }
void Tprog::btien1Click(TObject*) { StepEnglishInfoPage(false); }
void Tprog::btien2Click(TObject*) { StepEnglishInfoPage(true); }

void Tprog::sz_bearbeitenClick(TObject*) {
  TUCodeStrings* lines = szbearbeiten->liste->GetLines();
  lines->BeginUpdate();
  lines->Clear();
  TUCodeStrings* items = sz_libo->GetItems();
  for (int i = 0; i < items->GetCount(); ++i) lines->Add(items->Get(i));
  lines->EndUpdate();
  szbearbeiten->ShowModal();
}

// ---- File wizard and keyword wizard

TFileListSort FileListSort;
TFileListSort KeywordListSort;

namespace {
constexpr int kSizeColumn = 4;  // "Größe"
}  // namespace

void TFileListSort::Click(int column) {
  Column = column;
  Descending = column == PreviousColumn ? !Descending : false;
  PreviousColumn = column;
}

int TFileListSort::Compare(TListItem* a, TListItem* b) const {
  if (Column != kSizeColumn) return CompareTexts(a, b);
  if (Descending) std::swap(a, b);
  auto size = [](TListItem* item) {
    TStrings* sub = item->GetSubItems();
    return kSizeColumn - 1 < sub->GetCount() ? sub->Get(kSizeColumn - 1) : std::string();
  };
  // A link's row has no size: it sorts before every file.
  return CompareSizeTexts(size(a), size(b));
}

int TFileListSort::CompareTexts(TListItem* a, TListItem* b) const {
  if (Descending) std::swap(a, b);
  if (Column == 0) return WideCompareText(WideListItemCaption(a), WideListItemCaption(b));
  return WideCompareText(WideListItemSubItem(a, Column - 1), WideListItemSubItem(b, Column - 1));
}

namespace {

// The page the back button goes to; the progress page is skipped going back.
template <class Pages>
TTabSheet* WizardPageBefore(TTabSheet* page, const Pages& pages) {
  if (page == pages[1]) return pages[0];
  if (page == pages[2]) return pages[1];
  if (page == pages[3] || page == pages[4]) return pages[2];
  return nullptr;
}

template <class Pages>
TTabSheet* WizardPageAfter(TTabSheet* page, const Pages& pages) {
  if (page == pages[0]) return pages[1];
  if (page == pages[1]) return pages[2];
  return nullptr;
}

std::array<TTabSheet*, 5> FilePages() { return {prog->td1, prog->td2, prog->td3, prog->td4, prog->td5}; }
std::array<TTabSheet*, 5> KeywordPages() { return {prog->ts1, prog->ts2, prog->ts3, prog->ts4, prog->ts5}; }

// A file named by the user goes into the list; with `scanLinks` the local files its links
// point to as well. True when the name is an existing file. A name of nothing is passed over; a
// folder, a device or a pipe is refused with a message, and nothing is read from it.
bool AddNamedFile(TListView* list, const std::wstring& path, bool scanLinks) {
  const TNameKind kind = KindOfName(path);
  if (kind == TNameKind::Missing) return false;
  if (kind != TNameKind::File) {
    const std::string language = LanguageCode();
    TellUser(FileErrorMessage(TFileAction::Open, path, FileErrorReason(NotAFileError(kind), language), language),
             MB_ICONWARNING);
    return false;
  }
  AddFileToFileList(list, path);
  if (scanLinks) ImportHtmlLinks(path, list);
  return true;
}

void AddTypedFile(TEdit* edit, TListView* list, TCheckBox* scanLinks, char& key) {
  if (key != '\r') return;
  key = 0;
  AddNamedFile(list, edit->GetText(), scanLinks->GetChecked());
}

void AddChosenFile(TEdit* edit, TListView* list, TCheckBox* scanLinks) {
  TUCodeOpenDialog* dialog = prog->OpenDatei;
  if (!dialog->Execute() || dialog->GetFileNameW().empty()) return;
  edit->SetText(dialog->GetFileNameW());
  AddNamedFile(list, dialog->GetFileNameW(), scanLinks->GetChecked());
}

void DeleteSelectedRows(TListView* list) {
  TListItems* items = list->GetItems();
  items->BeginUpdate();
  try {
    for (int i = items->GetCount() - 1; i >= 0; --i)
      if (items->GetItem(i)->GetSelected()) items->Delete(i);
  } catch (...) {
    items->EndUpdate();
    throw;
  }
  items->EndUpdate();
}

void ShowFileListOptions(int wizard) {
  quhopt->SetTag(wizard);
  quhopt->ShowModal();
}

// Repaints the window at once, so that the progress page is drawn before a run blocks it.
void DrawNow() {
  if (prog->HandleAllocated())
    RedrawWindow(prog->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// Runs an index: progress page, the run, result page; a run that fails leaves the wizard on
// its result page, usable, and the error goes on to the error dialog.
template <class Describe, class Build>
void RunWizard(Describe describe, TTabSheet* progressPage, TTabSheet* resultPage, Build build) {
  describe(progressPage);
  DrawNow();
  try {
    build();
  } catch (...) {
    describe(resultPage);
    throw;
  }
  describe(resultPage);
}

}  // namespace

void Tprog::dctChange(TObject*) {
  for (TControl* button : std::initializer_list<TControl*>{dbt1, dbt2}) {
    button->SetEnabled(true);
    button->SetVisible(true);
  }
  TTabSheet* page = dct->GetActivePage();
  if (page == td4) {
    dbt2->SetEnabled(false);
    return;
  }
  if (page == td5) dbt2->SetEnabled(false);
  DescribeFileIndexSettings(page);
}

void Tprog::dbt1Click(TObject*) {
  if (TTabSheet* page = WizardPageBefore(dct->GetActivePage(), FilePages())) DescribeFileIndexSettings(page);
}

void Tprog::dbt2Click(TObject*) {
  if (TTabSheet* page = WizardPageAfter(dct->GetActivePage(), FilePages()))
    DescribeFileIndexSettings(page);
  else
    dbt2->SetEnabled(false);
}

void Tprog::dstartClick(TObject*) { RunWizard(DescribeFileIndexSettings, td4, td5, BuildFileIndex); }

void Tprog::qudateiKeyPress(TObject*, char& key) { AddTypedFile(qudatei, qulist, la, key); }

void Tprog::DateiAuswahlClick(TObject*) { AddChosenFile(qudatei, qulist, la); }

void Tprog::querweitertClick(TObject*) { ShowFileListOptions(0); }

void Tprog::DeleteAllClick(TObject*) { qulist->GetItems()->Clear(); }

void Tprog::DeleteRowClick(TObject*) { DeleteSelectedRows(qulist); }

void Tprog::qulistKeyDown(TObject*, WORD& key, TShiftState) {
  if (key == VK_DELETE) DeleteRow->Click();
}

void Tprog::qulistColumnClick(TObject*, TListColumn* column) {
  FileListSort.Click(column->GetIndex());
  qulist->AlphaSort();
}

void Tprog::qulistCompare(TObject*, TListItem* item1, TListItem* item2, int, int& compare) {
  compare = FileListSort.Compare(item1, item2);
}

void Tprog::qulistDblClick(TObject* sender) {
  auto* list = dynamic_cast<TListView*>(sender);
  if (list == nullptr) list = qulist;
  if (TListItem* item = list->GetSelected()) item->EditCaption();
}

namespace {

// The file index to extend, named through the open dialog, and the option to extend ticked;
// false, and nothing changed, when no file was chosen: a run would look for an index that was
// never named.
bool ChooseFileIndexToExtend() {
  TUCodeOpenDialog* dialog = prog->OpenIndex;
  if (!dialog->Execute() || dialog->GetFileNameW().empty()) return false;
  prog->dkt_index->SetCaption(dialog->GetFileNameW());
  prog->dkt_integrieren->SetChecked(true);
  return true;
}

}  // namespace

void Tprog::dandindexClick(TObject*) { ChooseFileIndexToExtend(); }

void Tprog::d_designClick(TObject*) {
  if (htmlindex->GetChecked()) hdesign->ShowModal();
  if (textindex->GetChecked()) textdesign->ShowModal();
}

void Tprog::ShowDesignClick(TObject*) {
  browser->SetVisible(true);
  doutput->SetVisible(false);
  TWaitCursor busy;
  const std::wstring page = doutput->GetText();
  if (zspmenu != nullptr && zspmenu->GetChecked()) {
    // The preview file is this process's own, in the user's temporary folder.
    const std::wstring name = TempFileName(TTempFile::Preview);
    SaveTextFileW(page, name, 65001, false);
    browser->Navigate(name);
  } else {
    TUCodeStringList lines;
    lines.SetText(page);
    WriteHtmlToBrowser(browser, lines);
  }
}

void Tprog::ShowCodeClick(TObject*) {
  browser->SetVisible(false);
  doutput->SetVisible(true);
}

void Tprog::dzwischenablageClick(TObject*) {
  TWaitCursor busy;
  WideClipboard()->SetAsWideText(doutput->GetText());
}

void Tprog::doutputspeichernClick(TObject*) { SaveResultText(doutput); }

void Tprog::didxspeichernClick(TObject*) { SaveIndexData(FileIndexStore()); }

void Tprog::mneudateiClick(TObject*) {
  FileIndexStore().Clear();
  qudatei->SetText(L"");
  qulist->GetItems()->Clear();
  doutput->Clear();
  DescribeFileIndexSettings(td1);
}

// Loading an index runs the wizard on it; a cancelled choice leaves everything as it was.
void Tprog::mdidxloadClick(TObject*) {
  if (!ChooseFileIndexToExtend()) return;
  DescribeFileIndexSettings(td5);
  dstartClick(dstart);
}

void Tprog::sctChange(TObject*) { DescribeKeywordIndexSettings(sct->GetActivePage()); }

void Tprog::sbt1Click(TObject*) {
  if (TTabSheet* page = WizardPageBefore(sct->GetActivePage(), KeywordPages())) DescribeKeywordIndexSettings(page);
}

void Tprog::sbt2Click(TObject*) {
  if (TTabSheet* page = WizardPageAfter(sct->GetActivePage(), KeywordPages()))
    DescribeKeywordIndexSettings(page);
  else
    sbt2->SetEnabled(false);
}

void Tprog::sstartClick(TObject*) { RunWizard(DescribeKeywordIndexSettings, ts4, ts5, BuildKeywordIndex); }

void Tprog::squpfadKeyPress(TObject*, char& key) { AddTypedFile(squpfad, squlist, squdocsearch, key); }

void Tprog::squsuchenClick(TObject*) { AddChosenFile(squpfad, squlist, squdocsearch); }

void Tprog::squerweitertClick(TObject*) { ShowFileListOptions(1); }

void Tprog::sqdeleteallClick(TObject*) { squlist->GetItems()->Clear(); }

void Tprog::squdeleterawClick(TObject*) { DeleteSelectedRows(squlist); }

void Tprog::squlistKeyDown(TObject*, WORD& key, TShiftState) {
  if (key == VK_DELETE) squdeleteraw->Click();
}

void Tprog::squlistColumnClick(TObject*, TListColumn* column) {
  KeywordListSort.Click(column->GetIndex());
  squlist->AlphaSort();
}

void Tprog::squlistCompare(TObject*, TListItem* item1, TListItem* item2, int, int& compare) {
  compare = KeywordListSort.Compare(item1, item2);
}

void Tprog::ZeilenumbruchClick(TObject*) { soutput->SetScrollBars(Zeilenumbruch->GetChecked() ? ssVertical : ssBoth); }

void Tprog::szwischenablageClick(TObject*) {
  TWaitCursor busy;
  WideClipboard()->SetAsWideText(soutput->GetText());
}

void Tprog::soutputspeichernClick(TObject*) { SaveResultText(soutput); }

// A run blocks the window and cannot be stopped; the button only marks the wish.
void Tprog::AbbruchSClick(TObject*) { AbbruchS->SetTag(1); }

void Tprog::mneustwClick(TObject*) {
  squpfad->SetText(L"");
  squlist->GetItems()->Clear();
  soutput->Clear();
  DescribeKeywordIndexSettings(ts1);
}

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
  KX_FIELD(zusammenfassung); KX_FIELD(StaticText4); KX_FIELD(status); KX_FIELD(progress); KX_FIELD(output);
  KX_FIELD(zwischenablage);
  KX_FIELD(outputspeichern); KX_FIELD(DatenSpeichern);
  KX_FIELD(memoload); KX_FIELD(memosave); KX_FIELD(OpenDatei); KX_FIELD(OpenIndex); KX_FIELD(SaveIndex);
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
  KX_FIELD(menu); KX_FIELD(mdatei); KX_FIELD(mneu); KX_FIELD(mneutxt); KX_FIELD(mtidxload); KX_FIELD(mtidxsave); KX_FIELD(ext1); KX_FIELD(Indexidx1); KX_FIELD(mbeenden); KX_FIELD(meinst); KX_FIELD(met); KX_FIELD(mets); KX_FIELD(metk); KX_FIELD(metd); KX_FIELD(mes); KX_FIELD(mesd); KX_FIELD(mtools); KX_FIELD(m_komp); KX_FIELD(mewl); KX_FIELD(mewlneg); KX_FIELD(mewlpos); KX_FIELD(zspmenu); KX_FIELD(spopt); KX_FIELD(mspr); KX_FIELD(msprde); KX_FIELD(mspren); KX_FIELD(m_konfig); KX_FIELD(m_konfig_save); KX_FIELD(m_konfig_save_start); KX_FIELD(m_konfig_load); KX_FIELD(m_konfig_autosave); KX_FIELD(m_konfig_autosave_nie); KX_FIELD(m_konfig_autosave_alles); KX_FIELD(m_konfig_standard); KX_FIELD(m_konfig_start); KX_FIELD(mfenster); KX_FIELD(mfstart); KX_FIELD(mft); KX_FIELD(mft1); KX_FIELD(mft2); KX_FIELD(mft3); KX_FIELD(mft4); KX_FIELD(mft5); KX_FIELD(mft6); KX_FIELD(sd_konfig); KX_FIELD(od_konfig);
  KX_FIELD(m_bug); KX_FIELD(verk); KX_FIELD(verk_qcfg); KX_FIELD(verk_idx); KX_FIELD(m_links);
  KX_FIELD(mneudatei); KX_FIELD(mneustw); KX_FIELD(mdidxload); KX_FIELD(mdidxsave); KX_FIELD(extHTML1);
  KX_FIELD(Indexidx2); KX_FIELD(mstwidxsave); KX_FIELD(med); KX_FIELD(medk); KX_FIELD(medd); KX_FIELD(mesk);
  KX_FIELD(mfd); KX_FIELD(mfd1); KX_FIELD(mfd2); KX_FIELD(mfd3); KX_FIELD(mfd4); KX_FIELD(mfd5); KX_FIELD(mfs);
  KX_FIELD(mfs1); KX_FIELD(mfs2); KX_FIELD(mfs3); KX_FIELD(mfs4); KX_FIELD(mfs5); KX_FIELD(mfi); KX_FIELD(mfi1);
  KX_FIELD(mfi2); KX_FIELD(Software2); KX_FIELD(mfi3); KX_FIELD(mfi4); KX_FIELD(mt1); KX_FIELD(mt2); KX_FIELD(mt3);
  KX_FIELD(mt4); KX_FIELD(m_soft_de); KX_FIELD(m_soft_en); KX_FIELD(KurzbeschreibungallerProgramme1);
  KX_FIELD(BriefDescriptionoftheSoftware1); KX_FIELD(minfo); KX_FIELD(minfo1); KX_FIELD(minfo2); KX_FIELD(Software1);
  KX_FIELD(minfo3); KX_FIELD(minfo4);
  KX_FIELD(start_top); KX_FIELD(start_topen); KX_FIELD(top_datei); KX_FIELD(top_datei_en); KX_FIELD(top_stw);
  KX_FIELD(top_stw_en);
  KX_FIELD(pstart_de); KX_FIELD(laspenden); KX_FIELD(pinfo_de); KX_FIELD(pinfo_en); KX_FIELD(pcide); KX_FIELD(tide1);
  KX_FIELD(tide2); KX_FIELD(tide5); KX_FIELD(tide3); KX_FIELD(tide4); KX_FIELD(btide1); KX_FIELD(btide2);
  KX_FIELD(pcien); KX_FIELD(tien1); KX_FIELD(tien2); KX_FIELD(tien5); KX_FIELD(tien3); KX_FIELD(tien4);
  KX_FIELD(btien1); KX_FIELD(btien2); KX_FIELD(Frame11); KX_FIELD(Frame21);
  KX_FIELD(start_text0); KX_FIELD(start_label1); KX_FIELD(start_label2); KX_FIELD(start_label3);
  KX_FIELD(start_label4); KX_FIELD(start_text1); KX_FIELD(start_text2); KX_FIELD(start_text3); KX_FIELD(start_text4);
#undef KX_FIELD
  p.Handler("FormCreate", &Tprog::FormCreate);
  p.Handler("FormShow", &Tprog::FormShow);
  p.Handler("FormCloseQuery", &Tprog::FormCloseQuery);
  p.Handler("FormClose", &Tprog::FormClose);
  p.Handler("FormDestroy", &Tprog::FormDestroy);
  p.Handler("start_label1MouseEnter", &Tprog::start_label1MouseEnter);
  p.Handler("start_label1MouseLeave", &Tprog::start_label1MouseLeave);
  p.Handler("start_label2MouseEnter", &Tprog::start_label2MouseEnter);
  p.Handler("start_label2MouseLeave", &Tprog::start_label2MouseLeave);
  p.Handler("start_label3MouseEnter", &Tprog::start_label3MouseEnter);
  p.Handler("start_label3MouseLeave", &Tprog::start_label3MouseLeave);
  p.Handler("start_label4MouseEnter", &Tprog::start_label4MouseEnter);
  p.Handler("start_label4MouseLeave", &Tprog::start_label4MouseLeave);
  p.Handler("StaticTextMouseEnter", &Tprog::StaticTextMouseEnter);
  p.Handler("StaticTextMouseLeave", &Tprog::StaticTextMouseLeave);
  p.Handler("rand_btstartClick", &Tprog::rand_btstartClick);
  p.Handler("rand_bttxtidxClick", &Tprog::rand_bttxtidxClick);
  p.Handler("rand_btdidxClick", &Tprog::rand_btdidxClick);
  p.Handler("rand_btstwClick", &Tprog::rand_btstwClick);
  p.Handler("rand_btinfoClick", &Tprog::rand_btinfoClick);
  p.Handler("pctChange", &Tprog::pctChange);
  p.Handler("bt1Click", &Tprog::bt1Click);
  p.Handler("bt2Click", &Tprog::bt2Click);
  p.Handler("ft_startClick", &Tprog::ft_startClick);
  p.Handler("qu_dateiClick", &Tprog::qu_dateiClick);
  p.Handler("edit_quelleChange", &Tprog::edit_quelleChange);
  p.Handler("bttxtquelleClick", &Tprog::bttxtquelleClick);
  p.Handler("qu_ladenClick", &Tprog::qu_ladenClick);
  p.Handler("qu_deleteClick", &Tprog::qu_deleteClick);
  p.Handler("originalChange", &Tprog::originalChange);
  p.Handler("sz_zeilezuseiteClick", &Tprog::sz_zeilezuseiteClick);
  p.Handler("sz_beginnKeyPress", &Tprog::sz_beginnKeyPress);
  p.Handler("AuslesenClick", &Tprog::AuslesenClick);
  p.Handler("sz_entfernenClick", &Tprog::sz_entfernenClick);
  p.Handler("sz_liboKeyDown", &Tprog::sz_liboKeyDown);
  p.Handler("sz_kriterienClick", &Tprog::sz_kriterienClick);
  p.Handler("kt_maxChange", &Tprog::kt_maxChange);
  p.Handler("kt_maxExit", &Tprog::kt_maxExit);
  p.Handler("kt_maxKeyPress", &Tprog::kt_maxKeyPress);
  p.Handler("andindexClick", &Tprog::andindexClick);
  p.Handler("btdesignClick", &Tprog::btdesignClick);
  p.Handler("zwischenablageClick", &Tprog::zwischenablageClick);
  p.Handler("outputspeichernClick", &Tprog::outputspeichernClick);
  p.Handler("DatenSpeichernClick", &Tprog::DatenSpeichernClick);
  p.Handler("mneutxtClick", &Tprog::mneutxtClick);
  p.Handler("KonfigurationSpeichernDialog", &Tprog::KonfigurationSpeichernDialog);
  p.Handler("KonfigurationLadenDialog", &Tprog::KonfigurationLadenDialog);
  p.Handler("KonfigurationLadenStandard", &Tprog::KonfigurationLadenStandard);
  p.Handler("KonfigurationLadenMenu", &Tprog::KonfigurationLadenMenu);
  p.Handler("m_konfig_save_startClick", &Tprog::m_konfig_save_startClick);
  p.Handler("m_konfig_startClick", &Tprog::m_konfig_startClick);
  p.Handler("m_konfig_autosave_nieClick", &Tprog::m_konfig_autosave_nieClick);
  p.Handler("msprdeClick", &Tprog::msprdeClick);
  p.Handler("msprenClick", &Tprog::msprenClick);
  p.Handler("zspmenuClick", &Tprog::zspmenuClick);
  p.Handler("spoptClick", &Tprog::spoptClick);
  p.Handler("negativliste_anzeigenClick", &Tprog::negativliste_anzeigenClick);
  p.Handler("positivliste_anzeigenClick", &Tprog::positivliste_anzeigenClick);
  p.Handler("mbeendenClick", &Tprog::mbeendenClick);
  p.Handler("stw_designanzeigenClick", &Tprog::stw_designanzeigenClick);
  p.Handler("m_kompClick", &Tprog::m_kompClick);
  p.Handler("BrowseToCaption", &Tprog::BrowseToCaption);
  p.Handler("BrowseToMenuCaption", &Tprog::BrowseToMenuCaption);
  p.Handler("laspendenClick", &Tprog::laspendenClick);
  p.Handler("m_bugClick", &Tprog::m_bugClick);
  p.Handler("verk_qcfgClick", &Tprog::verk_qcfgClick);
  p.Handler("verk_idxClick", &Tprog::verk_idxClick);
  p.Handler("metsClick", &Tprog::metsClick);
  p.Handler("metkClick", &Tprog::metkClick);
  p.Handler("mft1Click", &Tprog::mft1Click);
  p.Handler("mft2Click", &Tprog::mft2Click);
  p.Handler("mft3Click", &Tprog::mft3Click);
  p.Handler("mft4Click", &Tprog::mft4Click);
  p.Handler("mft5Click", &Tprog::mft5Click);
  p.Handler("mft6Click", &Tprog::mft6Click);
  p.Handler("medkClick", &Tprog::medkClick);
  p.Handler("meskClick", &Tprog::meskClick);
  p.Handler("mfd1Click", &Tprog::mfd1Click);
  p.Handler("mfd2Click", &Tprog::mfd2Click);
  p.Handler("mfd3Click", &Tprog::mfd3Click);
  p.Handler("mfd4Click", &Tprog::mfd4Click);
  p.Handler("mfd5Click", &Tprog::mfd5Click);
  p.Handler("mfs1Click", &Tprog::mfs1Click);
  p.Handler("mfs2Click", &Tprog::mfs2Click);
  p.Handler("mfs3Click", &Tprog::mfs3Click);
  p.Handler("mfs4Click", &Tprog::mfs4Click);
  p.Handler("mfs5Click", &Tprog::mfs5Click);
  p.Handler("mt1Click", &Tprog::mt1Click);
  p.Handler("mt2Click", &Tprog::mt2Click);
  p.Handler("mt3Click", &Tprog::mt3Click);
  p.Handler("mt4Click", &Tprog::mt4Click);
  p.Handler("minfo1Click", &Tprog::minfo1Click);
  p.Handler("minfo2Click", &Tprog::minfo2Click);
  p.Handler("minfo3Click", &Tprog::minfo3Click);
  p.Handler("minfo4Click", &Tprog::minfo4Click);
  p.Handler("Software1Click", &Tprog::Software1Click);
  p.Handler("Software2Click", &Tprog::Software2Click);
  p.Handler("KurzbeschreibungallerProgramme1Click", &Tprog::KurzbeschreibungallerProgramme1Click);
  p.Handler("BriefDescriptionoftheSoftware1Click", &Tprog::BriefDescriptionoftheSoftware1Click);
  p.Handler("pcideChange", &Tprog::pcideChange);
  p.Handler("pcienChange", &Tprog::pcienChange);
  p.Handler("btide1Click", &Tprog::btide1Click);
  p.Handler("btide2Click", &Tprog::btide2Click);
  p.Handler("btien1Click", &Tprog::btien1Click);
  p.Handler("btien2Click", &Tprog::btien2Click);
  p.Handler("mtidxloadClick", &Tprog::mtidxloadClick);
  p.Handler("sz_bearbeitenClick", &Tprog::sz_bearbeitenClick);
  p.Handler("dctChange", &Tprog::dctChange);
  p.Handler("dbt1Click", &Tprog::dbt1Click);
  p.Handler("dbt2Click", &Tprog::dbt2Click);
  p.Handler("dstartClick", &Tprog::dstartClick);
  p.Handler("qudateiKeyPress", &Tprog::qudateiKeyPress);
  p.Handler("DateiAuswahlClick", &Tprog::DateiAuswahlClick);
  p.Handler("querweitertClick", &Tprog::querweitertClick);
  p.Handler("DeleteAllClick", &Tprog::DeleteAllClick);
  p.Handler("DeleteRowClick", &Tprog::DeleteRowClick);
  p.Handler("qulistKeyDown", &Tprog::qulistKeyDown);
  p.Handler("qulistColumnClick", &Tprog::qulistColumnClick);
  p.Handler("qulistCompare", &Tprog::qulistCompare);
  p.Handler("qulistDblClick", &Tprog::qulistDblClick);
  p.Handler("dandindexClick", &Tprog::dandindexClick);
  p.Handler("d_designClick", &Tprog::d_designClick);
  p.Handler("ShowDesignClick", &Tprog::ShowDesignClick);
  p.Handler("ShowCodeClick", &Tprog::ShowCodeClick);
  p.Handler("dzwischenablageClick", &Tprog::dzwischenablageClick);
  p.Handler("doutputspeichernClick", &Tprog::doutputspeichernClick);
  p.Handler("didxspeichernClick", &Tprog::didxspeichernClick);
  p.Handler("mneudateiClick", &Tprog::mneudateiClick);
  p.Handler("mdidxloadClick", &Tprog::mdidxloadClick);
  p.Handler("sctChange", &Tprog::sctChange);
  p.Handler("sbt1Click", &Tprog::sbt1Click);
  p.Handler("sbt2Click", &Tprog::sbt2Click);
  p.Handler("sstartClick", &Tprog::sstartClick);
  p.Handler("squpfadKeyPress", &Tprog::squpfadKeyPress);
  p.Handler("squsuchenClick", &Tprog::squsuchenClick);
  p.Handler("squerweitertClick", &Tprog::squerweitertClick);
  p.Handler("sqdeleteallClick", &Tprog::sqdeleteallClick);
  p.Handler("squdeleterawClick", &Tprog::squdeleterawClick);
  p.Handler("squlistKeyDown", &Tprog::squlistKeyDown);
  p.Handler("squlistColumnClick", &Tprog::squlistColumnClick);
  p.Handler("squlistCompare", &Tprog::squlistCompare);
  p.Handler("ZeilenumbruchClick", &Tprog::ZeilenumbruchClick);
  p.Handler("szwischenablageClick", &Tprog::szwischenablageClick);
  p.Handler("soutputspeichernClick", &Tprog::soutputspeichernClick);
  p.Handler("AbbruchSClick", &Tprog::AbbruchSClick);
  p.Handler("mneustwClick", &Tprog::mneustwClick);
}
