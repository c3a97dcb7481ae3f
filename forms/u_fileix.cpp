#include "forms/u_fileix.h"

#include <windows.h>

#include "classlib/Dialogs.h"
#include "classlib/ScopedHandles.h"
#include "engine/u_FileErrors.h"
#include "engine/u_HtmlHelpers.h"
#include "engine/u_TempFiles.h"
#include "engine/u_TextIndex.h"
#include "engine/u_WideFunc.h"
#include "forms/u_hdesign.h"
#include "forms/u_prog.h"
#include "forms/u_progspr.h"
#include "forms/u_quhopt.h"
#include "forms/u_runstatus.h"
#include "forms/u_sdesign.h"
#include "forms/u_start.h"
#include "forms/u_textdesign.h"
#include "forms/u_textix.h"
#include "forms/u_wortlisten.h"
#include "ucode/UCodeForms.h"
#include "ucode/UCodeSystem.h"

namespace {

// The controls hold 8-bit text in the system code page.
std::wstring Wide(const std::string& text) { return StringToWideStringEx(text, 0); }

std::wstring TextOf(TCustomEdit* edit) { return Wide(edit->GetText()); }
std::wstring TextOf(TUCodeCustomEdit* edit) { return edit->GetText(); }
std::wstring TextOf(TComboBox* combo) { return combo->GetText(); }

// Label, link and source of every row: the caption, the first and the fifth sub-item.
template <class Row>
std::vector<Row> RowsOf(TCustomListView* list) {
  std::vector<Row> rows;
  TListItems* items = list->GetItems();
  rows.reserve(static_cast<size_t>(items->GetCount()));
  for (int i = 0; i < items->GetCount(); ++i) {
    TListItem* item = items->GetItem(i);
    rows.push_back(Row{WideListItemCaption(item), WideListItemSubItem(item, 0),
                       WideListItemSubItem(item, kFileListSourceColumn)});
  }
  return rows;
}

TPipelineOptions ReadPipeline(bool positive, bool negative, bool join, bool digits, bool lower, bool upper,
                              bool minimumOn, TComboBox* minimum) {
  TPipelineOptions pipeline;
  pipeline.PositiveList = positive;
  pipeline.NegativeList = negative;
  if (positive) pipeline.PositiveWords = posliste->Words();
  if (negative) pipeline.NegativeWords = negliste->Words();
  pipeline.JoinCapitalized = join;
  pipeline.RemoveDigits = digits;
  pipeline.DropLowercase = lower;
  pipeline.DropUppercase = upper;
  pipeline.MinimumLengthOn = minimumOn;
  pipeline.MinimumLength = TextOf(minimum);
  return pipeline;
}

TFileTextLayout ReadTextLayout(bool useDesign) {
  TFileTextLayout layout;
  if (useDesign) {
    layout.Title = TextOf(textdesign->titel);
    layout.EntrySeparator = TextOf(textdesign->es);
    layout.ItemSeparator = TextOf(textdesign->s);
    layout.BeforeLabel = TextOf(textdesign->b);
    layout.BetweenLabelAndLink = TextOf(textdesign->bl);
    layout.AfterLink = TextOf(textdesign->l);
  }
  layout.LetterHeadings = textdesign->kt_alphabet->GetChecked();
  layout.Labels = textdesign->namen->GetChecked();
  layout.Links = textdesign->links->GetChecked();
  return layout;
}

TFileHtmlDesign ReadHtmlDesign(bool useDesign) {
  TFileHtmlDesign d;
  if (useDesign) {
    d.Title = TextOf(hdesign->htmltitel);
    d.Heading = TextOf(hdesign->Ueberschrift);
    d.LinkSeparator = TextOf(hdesign->LinkTrenner);
    d.FontFamily = TextOf(hdesign->schriftart);
    d.HeadingSize = AppendPx(TextOf(hdesign->ft1));
    d.SectionSize = AppendPx(TextOf(hdesign->ft2));
    d.TextSize = AppendPx(TextOf(hdesign->ftt));
    d.TotalWidth = AppendPx(TextOf(hdesign->breite_all));
    d.LeftWidth = AppendPx(TextOf(hdesign->breite_links));
    d.RightWidth = AppendPx(TextOf(hdesign->breite_rechts));
    d.TopWidth = AppendPx(TextOf(hdesign->breite_top));
    d.TextColor = TextOf(hdesign->farbe_text);
    d.LinkColor = TextOf(hdesign->farbe_links);
    d.BackgroundColor = TextOf(hdesign->farbe_hg);
    d.SideSpacing = AppendPx(TextOf(hdesign->abs_linksrechts));
    d.SectionSpacing = AppendPx(TextOf(hdesign->abs_zwabschnitt));
    d.TopBottomSpacing = AppendPx(TextOf(hdesign->abs_obenunten));
    d.TextSpacing = AppendPx(TextOf(hdesign->abs_zwtext));
  }
  d.LetterBar = hdesign->linkleiste->GetChecked();
  d.LetterHeadings = hdesign->kt_alphabet->GetChecked();
  return d;
}

void Tell(const std::wstring& message) { TellUser(message, MB_ICONWARNING); }

// Without Word, a run tells once of all the Word documents it left out.
void TellWordDocumentsSkipped(const TWordDocumentsSkipped& documents) {
  if (!documents.Names().empty()) TellUser(documents.Message(LanguageCode()), MB_ICONERROR);
}

// While "Zwischenspeichern" is checked the browser reads the page from this process's preview
// file. A preview file that cannot be written costs the run nothing: the browser is given the
// page itself and the user is told why.
void PutPageIntoBrowser(const std::wstring& page) {
  if (prog->zspmenu->GetChecked()) {
    try {
      const std::wstring preview = TempFileName(TTempFile::Preview);
      SaveTextFileW(page, preview, kEncodingUtf8BOM, true);
      prog->browser->Navigate(preview);
      return;
    } catch (const Exception& failure) {
      const auto* fileError = dynamic_cast<const EStreamError*>(&failure);
      Tell((LanguageCode() == "de" ? L"Die Vorschaudatei konnte nicht geschrieben werden: "
                                   : L"The preview file could not be written: ") +
           (fileError ? fileError->GetFileName() : std::wstring()) + L"\r\n\r\n" +
           ErrorReason(failure, LanguageCode()));
    }
  }
  prog->browser->WriteDocument(page);
}

// The page in the browser, shown in place of the source whatever the last run or the user's
// "Code" left visible, with the buttons that switch between page and source.
void ShowFileIndexPage(const std::wstring& page) {
  PutPageIntoBrowser(page);
  prog->doutput->SetVisible(false);
  prog->browser->SetVisible(true);
  prog->ShowDesign->SetVisible(true);
  prog->ShowCode->SetVisible(true);
}

void ShowFileIndexText() {
  prog->browser->SetVisible(false);
  prog->ShowDesign->SetVisible(false);
  prog->ShowCode->SetVisible(false);
  prog->doutput->SetVisible(true);
}

}  // namespace

TFileListOptions ReadFileListOptions() {
  TFileListOptions options;
  options.NoDoubles = quhopt->doppelteweg->GetChecked();
  options.RemoveExtensions = quhopt->endungenweg->GetChecked();
  options.CapitalizeLabels = quhopt->namengross->GetChecked();
  return options;
}

TFileIndexOptions ReadFileIndexOptions() {
  TFileIndexOptions options;
  options.Rows = RowsOf<TFileIndexRow>(prog->qulist);
  options.StripTags = prog->htmlraus->GetChecked();
  options.Pipeline = ReadPipeline(prog->dkt_positivliste->GetChecked(), prog->dkt_negativliste->GetChecked(),
                                  prog->dkt_zusammen->GetChecked(), prog->dkt_zahlenraus->GetChecked(),
                                  prog->dkt_kleineraus->GetChecked(), prog->dkt_grosseraus->GetChecked(),
                                  prog->dkt_maxl->GetChecked(), prog->dkt_max);
  options.Pipeline.PositiveBlanksJoined = prog->dkt_zusdoppelt->GetChecked();
  options.RemoveDuplicatePages = prog->dkt_keinedoppeltenseiten->GetChecked();
  options.SplitJoined = prog->dkt_zusdoppelt->GetChecked();
  options.ExtendIndex = prog->dkt_integrieren->GetChecked();
  options.IndexPath = prog->dkt_index->GetCaption();
  options.HtmlOutput = prog->htmlindex->GetChecked();
  options.UseDesign = prog->dkt_design->GetChecked();
  options.TextLayout = ReadTextLayout(options.UseDesign);
  options.Html = ReadHtmlDesign(options.UseDesign);
  return options;
}

TKeywordIndexOptions ReadKeywordIndexOptions() {
  TKeywordIndexOptions options;
  options.Rows = RowsOf<TKeywordRow>(prog->squlist);
  options.StripTags = prog->stw_htmlraus->GetChecked();
  options.Pipeline = ReadPipeline(prog->stw_pos->GetChecked(), prog->stw_neg->GetChecked(),
                                  prog->stw_zus->GetChecked(), prog->stw_zahlenraus->GetChecked(),
                                  prog->stw_kleinraus->GetChecked(), prog->stw_grossraus->GetChecked(),
                                  prog->stw_maxl->GetChecked(), prog->stw_max);
  options.OncePerFile = prog->stw_doppelt->GetChecked();
  options.OneUnderOther = prog->stw_untereinander->GetChecked();
  options.Alphabetical = prog->stw_alphabetisch->GetChecked();
  options.UseDesign = prog->stw_design->GetChecked();
  TKeywordLayout& d = options.Design;
  d.LineStart = TextOf(sdesign->v);
  d.WriteLabel = sdesign->bez->GetChecked();
  d.BetweenLabelAndLink = TextOf(sdesign->zwdl);
  d.WriteLink = sdesign->dateiname->GetChecked();
  d.BeforeKeywords = TextOf(sdesign->zw);
  d.BetweenKeywords = TextOf(sdesign->zwe);
  d.LineEnd = TextOf(sdesign->ne);
  d.EmptyLine = sdesign->leerzeile->GetChecked();
  return options;
}

void BuildFileIndex() {
  TWaitCursor busy;
  const TFileIndexOptions options = ReadFileIndexOptions();
  // The result of the last run goes now: its text and the memo's layout of it would otherwise
  // stay beside the new run's store and page until the memo takes the new one.
  prog->doutput->Clear();
  TRunStatus status(prog->dstatus, prog->fortschritt);
  TWordDocumentsSkipped wordDocuments;
  const TFileIndexRunResult result =
      RunFileIndex(options, prog->FileIndexStore(), [&status](TFileIndexStep step, const std::wstring& path, int position) {
        switch (step) {
          case TFileIndexStep::Preparing: status.Show(ProgressTexts.Preparing, L"", position, false); break;
          case TFileIndexStep::ReadingFile: status.Show(ProgressTexts.ReadingFile, path, position, true); break;
          case TFileIndexStep::Refreshing: status.Show(ProgressTexts.Refreshing, L"", position, false); break;
          case TFileIndexStep::Writing: status.Show(ProgressTexts.Writing, L"", position, false); break;
        }
      });
  // The page can be large: the browser takes it first, then the memo.
  if (options.HtmlOutput) ShowFileIndexPage(result.Output);
  else ShowFileIndexText();
  prog->doutput->SetText(result.Output);
  if (result.IndexFileUnusable) Tell(IndexFileUnusableMessage(options.IndexPath, LanguageCode()));
  TellWordDocumentsSkipped(wordDocuments);
}

void BuildKeywordIndex() {
  TWaitCursor busy;
  const TKeywordIndexOptions options = ReadKeywordIndexOptions();
  prog->soutput->Clear();
  TRunStatus status(prog->sstatus, prog->sfortschritt);
  prog->AbbruchS->SetTag(0);
  TWordDocumentsSkipped wordDocuments;
  const std::wstring output =
      RunKeywordIndex(options, [&status](TKeywordIndexStep step, const std::wstring& path, int position) {
        switch (step) {
          case TKeywordIndexStep::Preparing: status.Show(ProgressTexts.Preparing, L"", position, false); break;
          case TKeywordIndexStep::ReadingFile: status.Show(ProgressTexts.ReadingFile, path, position, true); break;
          case TKeywordIndexStep::Writing: status.Show(ProgressTexts.Writing, L"", position, false); break;
        }
      });
  TUCodeStrings* lines = prog->soutput->GetLines();
  lines->BeginUpdate();
  prog->soutput->SetText(output);
  lines->EndUpdate();
  TellWordDocumentsSkipped(wordDocuments);
}

void DescribeFileIndexSettings(TTabSheet* page) {
  if (!prog->pgdateien->GetVisible()) ShowOnlyPanel(prog->pgdateien);
  prog->dct->SetActivePage(page);
  prog->dbt1->SetVisible(true);
  prog->dbt2->SetEnabled(true);
  prog->dstart->SetEnabled(true);
  if (page == prog->td1) {
    prog->dbt1->SetVisible(false);
  } else if (page == prog->td3) {
    prog->dzusammenfassung->SetWidth(page->GetWidth() - 35);
    prog->dzusammenfassung->SetHeight(page->GetHeight() - 100);
    prog->dzusammenfassung->SetCaption(FileIndexSummary(ReadFileIndexOptions(), LanguageCode()));
    prog->dbt2->SetEnabled(false);
  } else if (page == prog->td4) {
    for (TControl* button : std::initializer_list<TControl*>{prog->dbt1, prog->dbt2, prog->dstart})
      button->SetEnabled(false);
  } else if (page == prog->td5) {
    prog->dbt1->SetEnabled(true);
    prog->dbt2->SetEnabled(false);
    prog->fortschritt->SetPosition(0);
    prog->dstatus->SetCaption("");
    prog->browser->SetBounds(prog->browser->GetLeft(), prog->browser->GetTop(), prog->doutput->GetWidth(),
                             prog->doutput->GetHeight());
  }
}

void DescribeKeywordIndexSettings(TTabSheet* page) {
  if (!prog->pgstw->GetVisible()) ShowOnlyPanel(prog->pgstw);
  prog->sct->SetActivePage(page);
  for (TControl* button : std::initializer_list<TControl*>{prog->sbt1, prog->sbt2, prog->sstart}) {
    button->SetEnabled(true);
    button->SetVisible(true);
  }
  if (page == prog->ts1) {
    prog->sbt1->SetVisible(false);
  } else if (page == prog->ts3) {
    prog->szusammenfassung->SetCaption(KeywordIndexSummary(ReadKeywordIndexOptions(), LanguageCode()));
    prog->sbt2->SetEnabled(false);
  } else if (page == prog->ts4) {
    for (TControl* button : std::initializer_list<TControl*>{prog->sbt1, prog->sbt2, prog->sstart})
      button->SetEnabled(false);
  } else if (page == prog->ts5) {
    prog->sbt1->SetEnabled(true);
    prog->sbt2->SetEnabled(false);
    prog->sfortschritt->SetPosition(0);
    prog->sstatus->SetCaption("");
  }
}

bool AddFileToFileList(TCustomListView* list, const std::wstring& path) {
  return AddFileToFileList(list, path, ReadFileListOptions(), prog->IconList);
}

namespace {

void FollowTagStripSwitch(TTagStripSwitch change) {
  switch (change) {
    case TTagStripSwitch::On: prog->htmlraus->SetChecked(true); break;
    case TTagStripSwitch::Off: prog->htmlraus->SetChecked(false); break;
    case TTagStripSwitch::Leave: break;
  }
}

}  // namespace

void ImportHtmlLinks(const std::wstring& documentPath, TCustomListView* list) {
  FollowTagStripSwitch(ImportHtmlLinks(documentPath, list, ReadFileListOptions()));
}

namespace {

// Why a name given as a file's is none (a device, a pipe, a folder, nothing at all); 0 for a file.
DWORD NoFileError(const std::wstring& path) {
  const TNameKind kind = KindOfName(path);
  return kind == TNameKind::Missing ? ERROR_FILE_NOT_FOUND : NotAFileError(kind);
}

}  // namespace

int AddFilesToFileList(TCustomListView* list, const std::vector<std::wstring>& paths, bool scanLinks) {
  const TFileListOptions options = ReadFileListOptions();
  TWaitCursor busy;
  TListedPaths listed(list);
  std::vector<TFileFailure> failures;
  int added = 0;
  {
    const ScopedUpdate<TListItems> update(*list->GetItems());
    // Each file on its own: one that cannot be had costs the others nothing.
    for (const std::wstring& path : paths) {
      // Nothing is read from a name that is no file.
      if (const DWORD refusal = NoFileError(path)) {
        failures.push_back({path, FileErrorReason(refusal, LanguageCode())});
        continue;
      }
      try {
        if (AddFileToFileList(list, path, options, prog->IconList, listed)) ++added;
        if (scanLinks) FollowTagStripSwitch(ImportHtmlLinks(path, list, options, listed));
      } catch (const std::exception& error) {
        failures.push_back({path, ErrorReason(error, LanguageCode())});
      }
    }
  }
  if (!failures.empty()) TellUser(FilesNotOpenedMessage(failures, LanguageCode()), MB_ICONWARNING);
  return added;
}
