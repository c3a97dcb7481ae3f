#include "forms/u_textix.h"

#include <windows.h>

#include "classlib/Dialogs.h"
#include "engine/u_FileErrors.h"
#include "engine/u_funktionen.h"
#include "engine/u_IndexStore.h"
#include "forms/u_design.h"
#include "forms/u_prog.h"
#include "forms/u_progspr.h"
#include "forms/u_runstatus.h"
#include "forms/u_start.h"
#include "forms/u_szkriterien.h"
#include "forms/u_wortlisten.h"
#include "ucode/UCodeClipBrd.h"
#include "ucode/UCodeSysUtils.h"
#include "ucode/UCodeForms.h"
#include "ucode/UCodeSystem.h"

namespace {

// Labels, captions and labelled edits hold 8-bit text in the system code page.
std::wstring Wide(const std::string& text) { return StringToWideStringEx(text, 0); }

std::vector<std::wstring> WideItems(TUCodeStrings* items) {
  std::vector<std::wstring> lines;
  lines.reserve(static_cast<size_t>(items->GetCount()));
  for (int i = 0; i < items->GetCount(); ++i) lines.push_back(items->Get(i));
  return lines;
}

TPipelineOptions ReadPipelineOptions() {
  TPipelineOptions pipeline;
  pipeline.PositiveList = prog->kt_positivliste->GetChecked();
  pipeline.NegativeList = prog->kt_negativliste->GetChecked();
  if (pipeline.PositiveList) pipeline.PositiveWords = posliste->Words();
  if (pipeline.NegativeList) pipeline.NegativeWords = negliste->Words();
  pipeline.JoinCapitalized = prog->kt_zusammen->GetChecked();
  pipeline.PositiveBlanksJoined = prog->kt_zusammen->GetChecked();
  pipeline.RemoveDigits = prog->kt_zahlen->GetChecked();
  pipeline.DropLowercase = prog->kt_kleineraus->GetChecked();
  pipeline.DropUppercase = prog->kt_grosseraus->GetChecked();
  pipeline.MinimumLengthOn = prog->kt_maxl->GetChecked();
  pipeline.MinimumLength = prog->kt_max->GetText();
  return pipeline;
}

TTextIndexLayout ReadLayout() {
  TTextIndexLayout layout;
  layout.UseDesign = prog->kt_design->GetChecked();
  layout.Heading = Wide(design->ub->GetText());
  layout.Between = Wide(design->dzw->GetText());
  layout.Separator = Wide(design->dsep->GetText());
  layout.LetterHeadings = design->kt_alphabet->GetChecked();
  layout.BlankBeforeHeading = design->dabsatz_abc->GetChecked();
  return layout;
}

// The steps of a run on the wizard's status line, the page label after "Seite einlesen: ".
class TRunProgress {
 public:
  void operator()(TTextIndexStep step, const std::wstring& label, int position) {
    switch (step) {
      case TTextIndexStep::Preparing: m_status.Show(ProgressTexts.Preparing, L"", position, false); break;
      case TTextIndexStep::ReadingPage: m_status.Show(ProgressTexts.ReadingPage, label, position, true); break;
      case TTextIndexStep::Refreshing: m_status.Show(ProgressTexts.Refreshing, L"", position, false); break;
      case TTextIndexStep::Writing: m_status.Show(ProgressTexts.Writing, L"", position, false); break;
    }
  }

 private:
  TRunStatus m_status{prog->status, prog->progress};
};

void Tell(const std::wstring& message) { TellUser(message, MB_ICONWARNING); }

// Runs a save and tells the user why it wrote nothing or what it had to change.
template <typename Save>
bool SaveAndTell(Save save) {
  TTextSaveReport report;
  bool written = false;
  try {
    written = save(report);
  } catch (const std::exception& error) {
    Tell(TextSaveErrorMessage(error, LanguageCode()));
    return false;
  }
  const std::wstring message = TextSaveMessage(report, OutputEncoding().GetEncoding(), LanguageCode());
  if (!message.empty()) Tell(message);
  return written;
}

void EnableButtons(bool next, bool start) {
  prog->bt2->SetEnabled(next);
  prog->ft_start->SetEnabled(start);
}

// Every option but the source memo's text, which the summary does not need and which may run to
// millions of characters.
TTextIndexOptions ReadTextIndexSettings() {
  TTextIndexOptions options;
  options.SourceFromFile = prog->qu_datei->GetChecked();
  options.SourcePath = prog->edit_quelle->GetText();
  options.PagesByLine = prog->sz_zeilezuseite->GetChecked();
  options.FirstPage = prog->sz_beginn->GetText();
  options.PageList = WideItems(prog->sz_libo->GetItems());
  options.NumbersBelowText = szkriterien->posunter->GetChecked();
  options.ExtendIndex = prog->kt_integrieren->GetChecked();
  options.IndexPath = prog->kt_index->GetCaption();
  options.SplitJoined = prog->kt_zusdoppelt->GetChecked();
  options.RemoveDuplicatePages = prog->kt_keinedoppeltenseiten->GetChecked();
  options.Pipeline = ReadPipelineOptions();
  options.Layout = ReadLayout();
  return options;
}

}  // namespace

TTextIndexOptions ReadTextIndexOptions() {
  TTextIndexOptions options = ReadTextIndexSettings();
  if (!options.SourceFromFile) options.SourceText = prog->original->GetText();
  return options;
}

TPageNumberCriteria ReadPageNumberCriteria() {
  TPageNumberCriteria criteria;
  criteria.MaxLength = szkriterien->sz_laenge->GetText();
  criteria.StartsWithMarker = szkriterien->sz_zeichbeginn->GetChecked();
  criteria.Marker = szkriterien->sz_zeichen->GetText();
  criteria.RemoveMarker = szkriterien->sz_zeichenweg->GetChecked();
  criteria.RemoveStandardChars = szkriterien->sz_bwstandard->GetChecked();
  criteria.RemoveUserChars = szkriterien->sz_bwdef->GetChecked();
  criteria.UserChars = szkriterien->sz_bwdefs->GetText();
  criteria.OnlyNumbers = szkriterien->sz_nurzahl->GetChecked();
  criteria.AddOffset = szkriterien->cb_plus->GetChecked();
  criteria.Offset = szkriterien->cb_pluswert->GetText();
  return criteria;
}

void FindPageNumbers() {
  if (prog->sz_auslesen->GetChecked()) {
    TWaitCursor busy;
    const std::vector<std::wstring> found =
        FindPageNumbers(SplitTextLines(prog->original->GetText()), ReadPageNumberCriteria());
    TUCodeStrings* items = prog->sz_libo->GetItems();
    items->BeginUpdate();
    items->Clear();
    for (const std::wstring& line : found) items->Add(line);
    items->EndUpdate();
  }
  PageNumbersRead = true;
}

void BuildTextIndex() {
  TWaitCursor busy;
  const TTextIndexOptions options = ReadTextIndexOptions();
  const TTextIndexRunResult result = RunTextIndex(options, prog->TextIndexStore(), TRunProgress());
  prog->output->SetText(result.Output);
  const std::string code = LanguageCode();
  if (result.IndexFileUnusable) Tell(IndexFileUnusableMessage(options.IndexPath, code));
  if (result.SkippedPageItems > 0) Tell(SkippedPageItemsMessage(result.SkippedPageItems, code));
  if (result.PageItemsBeyondText > 0) Tell(PageItemsBeyondTextMessage(result.PageItemsBeyondText, code));
}

void DescribeTextIndexSettings(TTabSheet* page) {
  if (!prog->pgtxt->GetVisible()) ShowOnlyPanel(prog->pgtxt);
  prog->pct->SetActivePage(page);
  if (page == prog->tt1) {
    prog->bt1->SetVisible(false);
    EnableButtons(true, true);
  } else if (page == prog->tt2 || page == prog->tt3) {
    EnableButtons(true, true);
    if (page == prog->tt2 && !PageNumbersRead) FindPageNumbers();
  } else if (page == prog->tt4) {
    EnableButtons(false, true);
    prog->zusammenfassung->SetCaption(TextIndexSummary(ReadTextIndexSettings(), LanguageCode()));
    // The page points to the back button only while there is one (the first page hides it,
    // and the menu reaches this page from there).
    prog->StaticText4->SetVisible(prog->bt1->GetVisible());
  } else if (page == prog->tt5) {
    prog->bt1->SetEnabled(false);
    EnableButtons(false, false);
  } else if (page == prog->tt6) {
    EnableButtons(false, true);
    prog->progress->SetPosition(0);
    prog->status->SetCaption("");
  }
}

namespace {

// Messages belong to the main window. While the start screen is up, which stays in front of every
// other window, they belong to it, so that they stand in front of it.
HWND MessageOwner() {
  if (StartScreenUp()) return start->GetHandle();
  return prog->HandleAllocated() ? prog->GetHandle() : nullptr;
}

// The main window takes no input while a message that belongs to the start screen is open, as it
// would take none if the message were its own.
class TMainWindowWaits {
 public:
  explicit TMainWindowWaits(HWND owner) {
    if (!prog->HandleAllocated() || owner == prog->GetHandle() || !IsWindowEnabled(prog->GetHandle())) return;
    m_main = prog->GetHandle();
    EnableWindow(m_main, FALSE);
  }
  ~TMainWindowWaits() {
    if (m_main) EnableWindow(m_main, TRUE);
  }
  TMainWindowWaits(const TMainWindowWaits&) = delete;
  TMainWindowWaits& operator=(const TMainWindowWaits&) = delete;

 private:
  HWND m_main = nullptr;
};

}  // namespace

void TellUser(const std::wstring& message, unsigned iconFlags) {
  HWND owner = MessageOwner();
  std::wstring title = UCodeApplication->GetTitle();
  if (title.empty()) title = AnsiToWide(prog->GetCaption());
  // A message waits for the user, also in the middle of a busy step: the cursor is the usual one.
  const TScreenCursorScope asking(crDefault);
  const TMainWindowWaits waiting(owner);
  ShowMessageBoxW(owner, message, title, MB_OK | iconFlags);
}

void LoadSourceFile() {
  const std::wstring path = prog->edit_quelle->GetText();
  // A name being typed passes through folders and device names ("Con" on the way to
  // "Contract.txt"): only a file is read, and a device never, which may deliver no data.
  if (KindOfName(path) != TNameKind::File) return;
  TWaitCursor busy;
  ShowTextInMemo(prog->original, LoadTextFileW(path), path, LanguageCode());
}

bool SaveTextIndexText() { return SaveResultText(prog->output); }

bool SaveResultText(TCustomMemo* memo) {
  return SaveAndTell([memo](TTextSaveReport& report) {
    return SaveMemoAs(memo, ProgramFolder() + L"Index.txt", prog->memosave, &report);
  });
}

bool SaveIndexData(const TIndexStore& store) {
  TUCodeSaveDialog* dialog = prog->SaveIndex;
  if (!dialog->Execute() || dialog->GetFileNameW().empty()) return false;
  const std::wstring name = WithIndexExtension(dialog->GetFileNameW());
  return SaveAndTell([&](TTextSaveReport& report) {
    TWaitCursor busy;
    const TOutputEncoding& output = OutputEncoding();
    return SaveTextFileW(IndexDataText(store), name, output.GetEncoding(), output.GetWithBOM(), &report);
  });
}

bool ChooseIndexToExtend() {
  TUCodeOpenDialog* dialog = prog->OpenIndex;
  if (!dialog->Execute() || dialog->GetFileNameW().empty()) return false;
  prog->kt_index->SetCaption(dialog->GetFileNameW());
  prog->kt_integrieren->SetChecked(true);
  return true;
}

void CopyTextIndex() {
  TWaitCursor busy;
  WideClipboard()->SetAsWideText(prog->output->GetText());
}

void NewTextIndex() {
  prog->TextIndexStore().Clear();
  prog->edit_quelle->SetText(L"");
  prog->original->Clear();
  prog->sz_libo->GetItems()->Clear();
  prog->output->Clear();
  DescribeTextIndexSettings(prog->tt1);
}
