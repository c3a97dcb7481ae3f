#include "forms/u_quhopt.h"

#include <windows.h>

#include "forms/u_prog.h"
#include "forms/u_progspr.h"
#include "forms/u_start.h"

Tquhopt* quhopt = nullptr;

namespace {

const std::vector<TLanguageText> kTexts = {
    {"", L"Erweiterte Einstellungen", L"Settings"},
    {"gb1", L"Einstellungen", L"Settings"},
    {"doppelteweg", L"Keine Dateien doppelt hinzufügen", L"Add No Double Files"},
    {"dadweitere", L"Auch bei Drag and Drop nach weiteren Seiten suchen", L"Search for other Documents also at Drag and Drop"},
    {"endungenweg", L"Links: Dateiendungen entfernen", L"Links: Remove File Extensions"},
    {"namengross", L"Bezeichnung: Groß schreiben", L"Synonym: Write Uppercase"},
    {"gb2", L"Quelle Manuell Ändern", L"Edit Source Manually"},
    {"rb1", L"Bezeichnung", L"Synonym"},
    {"rb2", L"Link", L"Link"},
    {"rb3", L"Datei", L"File"},
};

// The sub-item that holds the link and the one that holds the source path.
constexpr int kLinkColumn = 0;
constexpr int kSourceColumn = 4;


}  // namespace

// The builders read this window through `quhopt`, so it names itself before its description is read.
Tquhopt::Tquhopt(TComponent* owner) : TForm(owner) {
  quhopt = this;
  InitForm();
}

void Tquhopt::FormCreate(TObject*) { LocalSpr(); }

void Tquhopt::LocalSpr() { ApplyLanguageTexts(this, kTexts, LanguageCode()); }

void Tquhopt::FormShow(TObject*) { Anzeigen(); }

TCustomListView* Tquhopt::TargetList() const {
  if (!prog) return nullptr;
  return GetTag() == 1 ? prog->squlist : prog->qulist;
}

void Tquhopt::Anzeigen() {
  TCustomListView* list = TargetList();
  if (!list || !liste) return;
  TListItems* items = list->GetItems();
  std::wstring text;
  for (int i = 0; i < items->GetCount(); ++i) {
    TListItem* item = items->GetItem(i);
    if (i > 0) text += L"\r\n";
    if (rb2->GetChecked()) text += WideListItemSubItem(item, kLinkColumn);
    else if (rb3->GetChecked()) text += WideListItemSubItem(item, kSourceColumn);
    else text += WideListItemCaption(item);
  }
  // One replacement of the whole text: one change of the memo, nothing to undo into.
  liste->SetText(text);
  if (liste->HandleAllocated()) SendMessageA(liste->GetHandle(), EM_EMPTYUNDOBUFFER, 0, 0);
}

void Tquhopt::Speichern() {
  TCustomListView* list = TargetList();
  if (!list || !liste) return;
  TUCodeStrings* lines = liste->GetLines();
  WhileUpdating(*list->GetItems(), [&] {
    TListItems* items = list->GetItems();
    for (int i = 0; i < items->GetCount(); ++i) {
      const std::wstring line = i < lines->GetCount() ? lines->Get(i) : std::wstring();
      TListItem* item = items->GetItem(i);
      if (rb1->GetTag() == 1) WideSetListItemCaption(item, line);
      if (rb2->GetTag() == 1) WideSetListItemSubItem(item, kLinkColumn, line);
      if (rb3->GetTag() == 1) WideSetListItemSubItem(item, kSourceColumn, line);
    }
  });
}

void Tquhopt::SwitchColumn(TRadioButton* chosen) {
  if (!rb1 || !rb2 || !rb3 || !liste || !chosen->GetChecked()) return;  // still being read
  // Only while the window is open does the memo hold the user's edits; a switch by code would
  // write back lines left from the last opening.
  if (GetVisible()) Speichern();
  Anzeigen();
  for (TRadioButton* radio : {rb1, rb2, rb3}) radio->SetTag(radio == chosen ? 1 : 0);
}

void Tquhopt::rb1Click(TObject*) { SwitchColumn(rb1); }
void Tquhopt::rb2Click(TObject*) { SwitchColumn(rb2); }
void Tquhopt::rb3Click(TObject*) { SwitchColumn(rb3); }

void Tquhopt::listeChange(TObject*) {
  TCustomListView* list = TargetList();
  if (!list || !liste || !liste->HandleAllocated()) return;
  const int lineCount = static_cast<int>(SendMessageA(liste->GetHandle(), EM_GETLINECOUNT, 0, 0));
  if (lineCount <= std::max(1, list->GetItems()->GetCount())) return;
  SendMessageA(liste->GetHandle(), EM_UNDO, 0, 0);
  SendMessageA(liste->GetHandle(), EM_EMPTYUNDOBUFFER, 0, 0);
}

// Shown modally, the button's own result closes the window as OK.
void Tquhopt::OKClick(TObject*) {
  Speichern();
  if (!IsModal()) Close();
}

void Tquhopt::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<Tquhopt>();
  p.Field("gb1", &Tquhopt::gb1);
  p.Field("doppelteweg", &Tquhopt::doppelteweg);
  p.Field("dadweitere", &Tquhopt::dadweitere);
  p.Field("endungenweg", &Tquhopt::endungenweg);
  p.Field("namengross", &Tquhopt::namengross);
  p.Field("gb2", &Tquhopt::gb2);
  p.Field("rb1", &Tquhopt::rb1);
  p.Field("rb2", &Tquhopt::rb2);
  p.Field("rb3", &Tquhopt::rb3);
  p.Field("liste", &Tquhopt::liste);
  p.Field("OK", &Tquhopt::OK);
  p.Handler("FormCreate", &Tquhopt::FormCreate);
  p.Handler("FormShow", &Tquhopt::FormShow);
  p.Handler("rb1Click", &Tquhopt::rb1Click);
  p.Handler("rb2Click", &Tquhopt::rb2Click);
  p.Handler("rb3Click", &Tquhopt::rb3Click);
  p.Handler("listeChange", &Tquhopt::listeChange);
  p.Handler("OKClick", &Tquhopt::OKClick);
}
