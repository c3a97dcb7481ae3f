#include "forms/u_edittxt2idx.h"

#include <windows.h>

#include <exception>
#include <vector>

#include "engine/u_IndexStore.h"
#include "engine/u_TempFiles.h"
#include "engine/u_WideFuncText.h"
#include "engine/u_funktionen.h"
#include "forms/u_fileix.h"
#include "forms/u_prog.h"
#include "forms/u_progspr.h"
#include "forms/u_start.h"
#include "forms/u_textix.h"
#include "ucode/UCodeSystem.h"

Tedittxt2idx* edittxt2idx = nullptr;

namespace {

std::wstring Wide(const std::string& text) { return StringToWideStringEx(text, 0); }

const std::vector<TLanguageText> kTexts = {
    {"", L"Editor: Text > Index (*.idx)", L"Editor: Text > Index (*.idx)"},
    {"gb1", L"Text", L"Text"},
    {"gb2", L"Index", L"Index"},
    {"gb3", L"Optionen", L"Options"},
    {"gb31", L"Zeilen aus dem Text Entfernen", L"Remove Lines from Text"},
    {"label1", L"Minimale Zeilenlänge:", L"Minimum Length of Lines:"},
    {"LangEntf", L"Entfernen", L"Remove"},
    {"Label2", L"Zeilen entfernen, die dieses Zeichen enthalten:", L"Remove Lines Containing these Characters:"},
    {"BstEntf", L"Entfernen", L"Remove"},
    {"gb32", L"Zusammengesetzte Worte", L"Compound Words"},
    {"zus_eintrag", L"Zum Eintrag Zählen", L"Add to Entry"},
    {"zus_seite", L"Zu Seiten Zählen", L"Add to Page Numbers"},
    {"zus_auslassen", L"Auslassen", L"Ignore"},
    {"gb33", L"Verwendete Zeichen", L"Used Characters"},
    {"zws", L"Zeichen zwischen den Seiten", L"Characters between Page Numbers"},
    {"zwes", L"Zeichen zwischen Eintrag und Seiten", L"Charcters between Entry and Page Numbers"},
    {"cb_linksvorhanden", L"Zeichen zwischen Seiten und Links:", L"Characters between Page Number and Link:"},
    {"gb34", L"Reihenfolge", L"Order"},
    {"sl", L"Seite - Link", L"Page Number - Link"},
    {"ls", L"Link - Seite", L"Link - Page Number"},
    {"cb_deletetxt", L"Alten Text vor dem Laden löschen", L"Delete old Text before Loading"},
    {"cb_deleteidx", L"Alte Einträge vor dem Laden löschen", L"Delete old Items before Loading"},
    {"TextOffnen", L"Text Laden", L"Load Text"},
    {"TextLoschen", L"Text Löschen", L"Delete Text"},
    {"ZeileLoschen", L"Zeile Löschen", L"Delete Row"},
    {"AllesMarkieren", L"Alles Markieren", L"Select All"},
    {"IdxSpeichern", L"Index Speichern", L"Save Index"},
    {"IdxLaden", L"Index Laden", L"Load Index"},
    {"IdxAlles", L"Index Löschen", L"Delete Index"},
    {"IdxZeile", L"Zeile Löschen", L"Delete Row"},
    {"IdxSelectAll", L"Alles Markieren", L"Select All"},
    {"bt_t2i", L">", L">"},
    {"i2t", L"<", L"<"},
    {"ToTxtIdx", L"Text Index..", L"Text Index.."},
    {"ToHTMLIdx", L"Datei Index..", L"File Index.."},
    {"Schliessen", L"Schließen", L"Close"},
};

void DeleteSelected(TListView* list) {
  TListItems* items = list->GetItems();
  items->BeginUpdate();
  for (int i = items->GetCount() - 1; i >= 0; --i)
    if (items->GetItem(i)->GetSelected()) items->Delete(i);
  items->EndUpdate();
}

// Deletes the rows whose caption `drop` names.
template <typename Drop>
void DeleteRowsWhere(TListView* list, Drop drop) {
  TListItems* items = list->GetItems();
  items->BeginUpdate();
  for (int i = items->GetCount() - 1; i >= 0; --i)
    if (drop(WideListItemCaption(items->GetItem(i)))) items->Delete(i);
  items->EndUpdate();
}

void SelectAllRows(TListView* list) {
  list->SelectAll();
  if (list->CanFocus()) list->SetFocus();
}

void AddIndexRow(TListView* list, const TIndexRow& row, const std::wstring* source) {
  std::vector<std::wstring> cells{row.Pages};
  if (source != nullptr) cells.push_back(*source);
  WideAddListRow(list, row.Entry, cells);
}

void Tell(const std::wstring& message) { TellUser(message, MB_ICONWARNING); }

// The file wizard's run as its start button makes it: the progress page drawn at once, the
// run, the result page.
void RunFileWizard() {
  DescribeFileIndexSettings(prog->td4);
  RedrawWindow(prog->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  try {
    BuildFileIndex();
  } catch (...) {
    DescribeFileIndexSettings(prog->td5);
    throw;
  }
  DescribeFileIndexSettings(prog->td5);
}

}  // namespace

Tedittxt2idx::Tedittxt2idx(TComponent* owner) : TForm(owner) { InitForm(); }

void Tedittxt2idx::FormCreate(TObject*) { LocalSpr(); }

void Tedittxt2idx::LocalSpr() {
  const std::string code = LanguageCode();
  ApplyLanguageTexts(this, kTexts, code);
  if (code != "de" && code != "en") return;
  const bool german = code == "de";
  text->Column(0)->SetCaption(german ? L"Zeilen" : L"Lines");
  const wchar_t* columns[][2] = {{L"Eintrag", L"Entry"}, {L"Seite(Link)", L"Page(Link)"}, {L"Ursprung", L"Source"}};
  for (int i = 0; i < 3; ++i) index->Column(i)->SetCaption(columns[i][german ? 0 : 1]);
}

TTextToIndexOptions Tedittxt2idx::Options() const {
  TTextToIndexOptions options;
  options.EntrySeparator = Wide(zwes->GetText());
  options.PageSeparator = Wide(zws->GetText());
  options.LinksPresent = cb_linksvorhanden->GetChecked();
  options.LinkSeparator = zwsl->GetText();
  options.PageBeforeLink = sl->GetChecked();
  options.Compound = zus_seite->GetChecked()       ? TCompoundWords::ToPages
                     : zus_auslassen->GetChecked() ? TCompoundWords::Skip
                                                   : TCompoundWords::ToEntry;
  return options;
}

void Tedittxt2idx::TextOffnenClick(TObject*) {
  TMemo* scratch = prog->zs;
  LoadTextIntoMemo(scratch, false, prog->memoload, LanguageCode());
  TListItems* rows = text->GetItems();
  rows->BeginUpdate();
  if (cb_deletetxt->GetChecked()) rows->Clear();
  TUCodeStrings* lines = scratch->GetLines();
  for (int i = 0; i < lines->GetCount(); ++i) WideSetListItemCaption(rows->Add(), lines->Get(i));
  rows->EndUpdate();
  scratch->Clear();
}

void Tedittxt2idx::TextLoschenClick(TObject*) { text->GetItems()->Clear(); }
void Tedittxt2idx::ZeileLoschenClick(TObject*) { DeleteSelected(text); }
void Tedittxt2idx::AllesMarkierenClick(TObject*) { SelectAllRows(text); }

void Tedittxt2idx::LangEntfClick(TObject*) {
  const std::wstring minimum = lentf->GetText();
  if (!IsIntegerStr(minimum)) return;
  const long long length = IntegerValueOr(minimum, 0);
  DeleteRowsWhere(text, [length](const std::wstring& row) { return static_cast<long long>(row.size()) < length; });
}

void Tedittxt2idx::BstEntfClick(TObject*) {
  const std::wstring characters = bentf->GetText();
  if (characters.empty()) return;
  DeleteRowsWhere(text, [&](const std::wstring& row) { return row.find(characters) != std::wstring::npos; });
}

void Tedittxt2idx::bt_t2iClick(TObject*) {
  const TTextToIndexOptions options = Options();
  TListItems* rows = text->GetItems();
  const bool onlyChosen = text->GetSelCount() > 0;
  rows->BeginUpdate();
  index->GetItems()->BeginUpdate();
  for (int i = rows->GetCount() - 1; i >= 0; --i) {
    TListItem* row = rows->GetItem(i);
    if (onlyChosen && !row->GetSelected()) continue;
    const std::wstring line = WideListItemCaption(row);
    TIndexRow entry;
    if (!ConvertIndexLine(line, options, entry)) continue;
    AddIndexRow(index, entry, &line);
    rows->Delete(i);
  }
  index->GetItems()->EndUpdate();
  rows->EndUpdate();
}

void Tedittxt2idx::i2tClick(TObject*) {
  TListItems* entries = index->GetItems();
  text->GetItems()->BeginUpdate();
  entries->BeginUpdate();
  for (int i = entries->GetCount() - 1; i >= 0; --i) {
    TListItem* entry = entries->GetItem(i);
    if (!entry->GetSelected()) continue;
    const int count = entry->GetSubItems()->GetCount();
    const std::wstring line = count > 1 ? WideListItemSubItem(entry, 1)
                                        : WideListItemCaption(entry) + L" " + WideListItemSubItem(entry, 0);
    text->GetItems()->Add()->SetCaption(line);
    entries->Delete(i);
  }
  entries->EndUpdate();
  text->GetItems()->EndUpdate();
}

void Tedittxt2idx::IdxLadenClick(TObject*) {
  TUCodeOpenDialog* dialog = prog->OpenIndex;
  if (!dialog->Execute() || dialog->GetFileNameW().empty()) return;
  TWaitCursor busy;
  if (cb_deleteidx->GetChecked()) index->GetItems()->Clear();
  const std::wstring data = LoadTextFileW(dialog->GetFileNameW());
  index->GetItems()->BeginUpdate();
  for (const std::wstring& line : SplitTextLines(data)) {
    TIndexRow row;
    if (ParseIndexDataLine(line, row)) AddIndexRow(index, row, nullptr);
  }
  index->GetItems()->EndUpdate();
}

namespace {

// The rows of the index list as lines of an index data file.
std::wstring IndexDataOf(TListItems* entries) {
  std::wstring data;
  for (int i = 0; i < entries->GetCount(); ++i) {
    TListItem* entry = entries->GetItem(i);
    data += IndexDataLineOf({WideListItemCaption(entry), WideListItemSubItem(entry, 0)}) + L"\r\n";
  }
  return data;
}

}  // namespace

bool Tedittxt2idx::SaveIDX(const std::wstring& fileName) {
  const TOutputEncoding& output = OutputEncoding();
  TTextSaveReport report;
  bool written = false;
  try {
    TWaitCursor busy;
    written = SaveTextFileW(IndexDataOf(index->GetItems()), WithIndexExtension(fileName), output.GetEncoding(),
                            output.GetWithBOM(), &report);
  } catch (const std::exception& error) {
    Tell(TextSaveErrorMessage(error, LanguageCode()));
    return false;
  }
  const std::wstring message = TextSaveMessage(report, output.GetEncoding(), LanguageCode());
  if (!message.empty()) Tell(message);
  return written;
}

void Tedittxt2idx::IdxSpeichernClick(TObject*) {
  TUCodeSaveDialog* dialog = prog->SaveIndex;
  if (dialog->Execute() && !dialog->GetFileNameW().empty()) SaveIDX(dialog->GetFileNameW());
}

void Tedittxt2idx::IdxAllesClick(TObject*) { index->GetItems()->Clear(); }
void Tedittxt2idx::IdxZeileClick(TObject*) { DeleteSelected(index); }
void Tedittxt2idx::IdxSelectAllClick(TObject*) { SelectAllRows(index); }

void Tedittxt2idx::textColumnClick(TObject* sender, TListColumn* column) {
  auto* list = dynamic_cast<TListView*>(sender);
  if (list == nullptr || column == nullptr) return;
  FileListSort.Click(column->GetIndex());
  list->AlphaSort();
}

void Tedittxt2idx::indexCompare(TObject*, TListItem* item1, TListItem* item2, int, int& compare) {
  compare = FileListSort.CompareTexts(item1, item2);
}

void Tedittxt2idx::textDblClick(TObject* sender) {
  auto* list = dynamic_cast<TListView*>(sender);
  if (list != nullptr && list->GetSelected() != nullptr) list->GetSelected()->EditCaption();
}

void Tedittxt2idx::indexKeyDown(TObject*, WORD& key, TShiftState) {
  if (key == VK_DELETE) DeleteSelected(index);
}

void Tedittxt2idx::HandOver(bool toFileWizard) {
  const std::wstring path = TempFileName(TTempFile::IndexHandOver);
  if (!SaveIDX(path)) return;
  if (toFileWizard) {
    prog->dkt_index->SetCaption(path);
    prog->dkt_integrieren->SetChecked(true);
    DescribeFileIndexSettings(prog->td5);
    RunFileWizard();
  } else {
    prog->kt_index->SetCaption(path);
    prog->kt_integrieren->SetChecked(true);
    DescribeTextIndexSettings(prog->tt6);
    prog->ft_startClick(prog->ft_start);
  }
  Close();
}

void Tedittxt2idx::ToTxtIdxClick(TObject*) { HandOver(false); }
void Tedittxt2idx::ToHTMLIdxClick(TObject*) { HandOver(true); }
void Tedittxt2idx::SchliessenClick(TObject*) { Close(); }

void Tedittxt2idx::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<Tedittxt2idx>();
#define KX_FIELD(name) p.Field(#name, &Tedittxt2idx::name)
  KX_FIELD(gb1); KX_FIELD(text); KX_FIELD(TextOffnen); KX_FIELD(TextLoschen); KX_FIELD(ZeileLoschen);
  KX_FIELD(AllesMarkieren); KX_FIELD(cb_deletetxt); KX_FIELD(bt_t2i); KX_FIELD(i2t); KX_FIELD(gb2); KX_FIELD(index);
  KX_FIELD(IdxLaden); KX_FIELD(IdxSpeichern); KX_FIELD(IdxAlles); KX_FIELD(IdxZeile); KX_FIELD(IdxSelectAll);
  KX_FIELD(cb_deleteidx); KX_FIELD(gb3); KX_FIELD(gb31); KX_FIELD(label1); KX_FIELD(lentf); KX_FIELD(LangEntf);
  KX_FIELD(Label2); KX_FIELD(bentf); KX_FIELD(BstEntf); KX_FIELD(gb32); KX_FIELD(zus_eintrag); KX_FIELD(zus_seite);
  KX_FIELD(zus_auslassen); KX_FIELD(gb33); KX_FIELD(zws); KX_FIELD(zwes); KX_FIELD(cb_linksvorhanden); KX_FIELD(zwsl);
  KX_FIELD(gb34); KX_FIELD(sl); KX_FIELD(ls); KX_FIELD(ToTxtIdx); KX_FIELD(ToHTMLIdx); KX_FIELD(Schliessen);
#undef KX_FIELD
#define KX_HANDLER(name) p.Handler(#name, &Tedittxt2idx::name)
  KX_HANDLER(FormCreate); KX_HANDLER(TextOffnenClick); KX_HANDLER(TextLoschenClick); KX_HANDLER(ZeileLoschenClick);
  KX_HANDLER(AllesMarkierenClick); KX_HANDLER(LangEntfClick); KX_HANDLER(BstEntfClick); KX_HANDLER(bt_t2iClick);
  KX_HANDLER(i2tClick); KX_HANDLER(IdxLadenClick); KX_HANDLER(IdxSpeichernClick); KX_HANDLER(IdxAllesClick);
  KX_HANDLER(IdxZeileClick); KX_HANDLER(IdxSelectAllClick); KX_HANDLER(textColumnClick); KX_HANDLER(indexCompare);
  KX_HANDLER(textDblClick); KX_HANDLER(indexKeyDown); KX_HANDLER(ToTxtIdxClick); KX_HANDLER(ToHTMLIdxClick);
  KX_HANDLER(SchliessenClick);
#undef KX_HANDLER
}
