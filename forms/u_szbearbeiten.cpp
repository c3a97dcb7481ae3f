#include "forms/u_szbearbeiten.h"

#include "engine/u_IndexStore.h"
#include "engine/u_PageNumbers.h"
#include "forms/u_prog.h"
#include "forms/u_progspr.h"
#include "forms/u_start.h"
#include "ucode/UCodeSystem.h"

Tszbearbeiten* szbearbeiten = nullptr;

namespace {

const std::vector<TLanguageText> kTexts = {
    {"", L"Seitenzahlen", L"Page Numbers"},
    {"gb1", L"Bearbeiten", L"Edit"},
    {"ed1", L"Bezeichnung", L"Synonym"},
    {"ed2", L"Zeilennummer", L"Line Number"},
    {"add", L"Hinzufügen", L"Add"},
    {"Sortieren", L"Sortieren", L"Sort"},
    {"OK", L"OK", L"OK"},
    {"Abbrechen", L"Abbrechen", L"Cancel"},
};

}  // namespace

Tszbearbeiten::Tszbearbeiten(TComponent* owner) : TForm(owner) { InitForm(); }

void Tszbearbeiten::FormCreate(TObject*) { LocalSpr(); }

void Tszbearbeiten::LocalSpr() { ApplyLanguageTexts(this, kTexts, LanguageCode()); }

void Tszbearbeiten::SortZeilennummern(TCustomMemo* memo) {
  std::wstring sorted;
  for (const std::wstring& line : SortPageNumberLines(SplitTextLines(WideGetControlText(memo)))) sorted += line + L"\r\n";
  WideSetControlText(memo, sorted);
}

void Tszbearbeiten::addClick(TObject*) {
  liste->GetLines()->Add(StringToWideStringEx(ed1->GetText() + " (" + ed2->GetText() + ")", 0));
  SortZeilennummern(liste);
}

void Tszbearbeiten::SortierenClick(TObject*) { SortZeilennummern(liste); }

void Tszbearbeiten::OKClick(TObject*) {
  SortZeilennummern(liste);
  TUCodeStrings* items = prog->sz_libo->GetItems();
  items->BeginUpdate();
  items->Clear();
  TUCodeStrings* lines = liste->GetLines();
  for (int i = 0; i < lines->GetCount(); ++i) items->Add(lines->Get(i));
  items->EndUpdate();
  Close();
}

void Tszbearbeiten::AbbrechenClick(TObject*) { Close(); }

void Tszbearbeiten::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<Tszbearbeiten>();
  p.Field("liste", &Tszbearbeiten::liste);
  p.Field("gb1", &Tszbearbeiten::gb1);
  p.Field("ed1", &Tszbearbeiten::ed1);
  p.Field("ed2", &Tszbearbeiten::ed2);
  p.Field("add", &Tszbearbeiten::add);
  p.Field("Sortieren", &Tszbearbeiten::Sortieren);
  p.Field("OK", &Tszbearbeiten::OK);
  p.Field("Abbrechen", &Tszbearbeiten::Abbrechen);
  p.Handler("FormCreate", &Tszbearbeiten::FormCreate);
  p.Handler("addClick", &Tszbearbeiten::addClick);
  p.Handler("SortierenClick", &Tszbearbeiten::SortierenClick);
  p.Handler("OKClick", &Tszbearbeiten::OKClick);
  p.Handler("AbbrechenClick", &Tszbearbeiten::AbbrechenClick);
}
