#include "forms/u_editwortlisten.h"

#include "engine/u_FileIndex.h"
#include "engine/u_TextIndex.h"
#include "forms/u_prog.h"
#include "forms/u_progspr.h"
#include "forms/u_start.h"
#include "forms/u_wortlisten.h"
#include "ucode/UCodeClasses.h"
#include "ucode/UCodeSystem.h"

Teditpos* editpos = nullptr;
Teditneg* editneg = nullptr;

namespace {

const char kTextIndex[] = "Index: TextIndex";
const char kFileIndexDe[] = "Index: DateiIndex";
const char kFileIndexEn[] = "Index: FileIndex";

std::wstring Wide(const std::string& text) { return StringToWideStringEx(text, 0); }
std::string Narrow(const std::wstring& text) { return WideStringToStringEx(text, 0); }

const TIndexStore* StoreNamed(const std::string& choice) {
  if (choice == kTextIndex) return &prog->TextIndexStore();
  if (choice == kFileIndexDe || choice == kFileIndexEn) return &prog->FileIndexStore();
  return nullptr;
}

// The lines of one memo into the other in one step: line by line, each line laid the memo out
// again, and 229 lines took seconds.
void CopyLines(TMemo* from, TMemo* to) {
  std::wstring lines = from->GetLines()->GetText();
  if (!lines.empty() && !lines.ends_with(L"\r\n")) lines += L"\r\n";
  to->GetLines()->SetText(lines);
}

}  // namespace

// Both lists are filled before the window is shown, so that it comes up whole.
void TWordListEditor::ShowWithLists() {
  wahlChange(wahl);
  CopyLines(Target()->liste, liste);
  Show();
}

void TWordListEditor::FormCreate(TObject*) { LocalSpr(); }

void TWordListEditor::LocalSpr() {
  const std::string code = LanguageCode();
  ApplyLanguageTexts(this,
                     {{"", (std::wstring(L"Editor: Index > ") + FGermanList).c_str(),
                       (std::wstring(L"Editor: Index > ") + FEnglishList).c_str()},
                      {"Label1", L"Index aus dem Programm", L"Index from Program"},
                      {"Label2", FGermanList, FEnglishList},
                      {"sort", L"Sortieren", L"Sort"},
                      {"sitzung", L"Geänderte Liste nur in dieser Sitzung verwenden",
                       L"Use modified List only in this Session"},
                      {"Speichern", L"Speichern", L"Save"},
                      {"Abbrechen", L"Abbrechen", L"Cancel"}},
                     code);
  if (code != "de" && code != "en") return;
  const std::string own = code == "de" ? kFileIndexDe : kFileIndexEn;
  const std::string other = code == "de" ? kFileIndexEn : kFileIndexDe;
  const std::wstring shown = wahl->GetText();
  TUCodeStrings* items = wahl->GetItems();
  if (items->GetCount() > 1) items->Put(1, Wide(own));
  else items->Add(Wide(own));
  wahl->SetText(shown == Wide(other) ? Wide(own) : shown);
}

void TWordListEditor::wahlChange(TObject*) {
  const TIndexStore* store = StoreNamed(Narrow(wahl->GetText()));
  if (store == nullptr) return;
  TUCodeStrings* words = idxliste->GetItems();
  words->BeginUpdate();
  words->Clear();
  for (int bucket = 0; bucket < kIndexBucketCount; ++bucket)
    for (const TIndexEntry& entry : store->Bucket(bucket)) words->Add(entry.Word);
  words->EndUpdate();
}

void TWordListEditor::verschClick(TObject*) {
  TUCodeStrings* words = idxliste->GetItems();
  TUCodeStrings* lines = liste->GetLines();
  lines->BeginUpdate();
  words->BeginUpdate();
  for (int i = words->GetCount() - 1; i >= 0; --i) {
    if (!idxliste->GetSelected(i)) continue;
    lines->Add(words->Get(i));
    words->Delete(i);
  }
  words->EndUpdate();
  lines->EndUpdate();
  sortieren(liste);
}

void TWordListEditor::sortClick(TObject*) { sortieren(liste); }

void TWordListEditor::sortieren(TMemo* memo) {
  TUCodeStringList sorted;
  TUCodeStrings* lines = memo->GetLines();
  for (int i = 0; i < lines->GetCount(); ++i) sorted.Add(lines->Get(i));
  sorted.Sort();
  lines->BeginUpdate();
  lines->Clear();
  for (int i = 0; i < sorted.GetCount(); ++i) lines->Add(sorted.Get(i));
  lines->EndUpdate();
}

void TWordListEditor::SpeichernClick(TObject*) {
  if (!sitzung->GetChecked() && SaveWordList(liste, Target()->ListFileName()) == TWordListSave::Failed) return;
  CopyLines(liste, Target()->liste);
  Close();
}

void TWordListEditor::AbbrechenClick(TObject*) { Close(); }

void TWordListEditor::FormResize(TObject*) {
  if (!versch || !wahl || !idxliste || !liste || !Label2) return;  // still being read
  constexpr int kMargin = 8;
  versch->SetLeft((GetClientWidth() - versch->GetWidth()) / 2);
  const int width = versch->GetLeft() - 16 - kMargin;
  wahl->SetWidth(width);
  idxliste->SetWidth(width);
  const int right = versch->GetLeft() + versch->GetWidth() + 8;
  Label2->SetLeft(right);
  if (sort) sort->SetLeft(right);
  liste->SetLeft(right);
  liste->SetWidth(width);
}

void TWordListEditor::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TWordListEditor>();
  p.Field("Label1", &TWordListEditor::Label1);
  p.Field("wahl", &TWordListEditor::wahl);
  p.Field("idxliste", &TWordListEditor::idxliste);
  p.Field("versch", &TWordListEditor::versch);
  p.Field("Label2", &TWordListEditor::Label2);
  p.Field("liste", &TWordListEditor::liste);
  p.Field("sort", &TWordListEditor::sort);
  p.Field("sitzung", &TWordListEditor::sitzung);
  p.Field("Speichern", &TWordListEditor::Speichern);
  p.Field("Abbrechen", &TWordListEditor::Abbrechen);
  p.Handler("FormCreate", &TWordListEditor::FormCreate);
  p.Handler("wahlChange", &TWordListEditor::wahlChange);
  p.Handler("verschClick", &TWordListEditor::verschClick);
  p.Handler("sortClick", &TWordListEditor::sortClick);
  p.Handler("SpeichernClick", &TWordListEditor::SpeichernClick);
  p.Handler("AbbrechenClick", &TWordListEditor::AbbrechenClick);
  p.Handler("FormResize", &TWordListEditor::FormResize);
}

// The list's names are set before the description is read: FormCreate applies them.
Teditpos::Teditpos(TComponent* owner) : TWordListEditor(owner) {
  FGermanList = L"Positivliste";
  FEnglishList = L"White List";
  InitForm();
}

TWordListWindow* Teditpos::Target() const { return posliste; }

Teditneg::Teditneg(TComponent* owner) : TWordListEditor(owner) {
  FGermanList = L"Negativliste";
  FEnglishList = L"Black List";
  InitForm();
}

TWordListWindow* Teditneg::Target() const { return negliste; }
