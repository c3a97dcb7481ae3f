#include "forms/u_wortlisten.h"

#include "engine/u_IndexStore.h"
#include "engine/u_WideFuncText.h"
#include "engine/u_WordLists.h"
#include "forms/u_progspr.h"
#include "forms/u_start.h"
#include "ucode/UCodeSysUtils.h"
#include "ucode/UCodeSystem.h"

Tposliste* posliste = nullptr;
Tnegliste* negliste = nullptr;

std::wstring ProgramFolder() { return WideExtractFilePath(WideGetModuleFileName(nullptr)); }

// Called by the twins' constructors: the description is found by the class's name, which the
// base constructor does not know yet.
void TWordListWindow::InitList(const std::wstring& fileName, const std::vector<std::wstring>& builtIn) {
  InitForm();
  const std::wstring path = ProgramFolder() + fileName;
  std::wstring text;
  if (WideFileExists(path)) {
    text = LoadTextFileW(path);
  } else {
    for (const std::wstring& word : builtIn) text += word + L"\r\n";
  }
  liste->GetLines()->SetText(WideStringToStringEx(text, 0));
  LocalSpr();
}

void TWordListWindow::LocalSpr() {
  ApplyLanguageTexts(this,
                     {{"", FGermanCaption, FEnglishCaption},
                      {"laden", L"Laden", L"Load"},
                      {"hinzuladen", L"Hinzuladen", L"Add List"},
                      {"speichern", L"Speichern", L"Save"},
                      {"delete", L"Löschen", L"Delete"},
                      {"OK", L"OK", L"OK"}},
                     LanguageCode());
}

std::vector<std::wstring> TWordListWindow::Words() const {
  return SplitTextLines(StringToWideStringEx(liste->GetLines()->GetText(), 0));
}

void TWordListWindow::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TWordListWindow>();
  p.Field("liste", &TWordListWindow::liste);
  p.Field("laden", &TWordListWindow::laden);
  p.Field("hinzuladen", &TWordListWindow::hinzuladen);
  p.Field("speichern", &TWordListWindow::speichern);
  p.Field("delete", &TWordListWindow::delete_);
  p.Field("OK", &TWordListWindow::OK);
}

Tposliste::Tposliste(TComponent* owner) : TWordListWindow(owner) {
  FGermanCaption = L"Positivliste";
  FEnglishCaption = L"White List";
  InitList(L"pos.txt", FactoryPositiveWords());
}

Tnegliste::Tnegliste(TComponent* owner) : TWordListWindow(owner) {
  FGermanCaption = L"Negativliste";
  FEnglishCaption = L"Black List";
  InitList(L"neg.txt", FactoryNegativeWords());
}
