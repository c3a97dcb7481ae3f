#include "forms/u_wortlisten.h"

#include <windows.h>

#include <exception>

#include "engine/u_FileErrors.h"
#include "engine/u_IndexStore.h"
#include "engine/u_WideFuncText.h"
#include "engine/u_WordLists.h"
#include "engine/u_funktionen.h"
#include "forms/u_prog.h"
#include "forms/u_progspr.h"
#include "forms/u_start.h"
#include "forms/u_textix.h"
#include "ucode/UCodeSysUtils.h"
#include "ucode/UCodeSystem.h"

Tposliste* posliste = nullptr;
Tnegliste* negliste = nullptr;

std::wstring ProgramFolder() { return WideExtractFilePath(WideGetModuleFileName(nullptr)); }

// Called by the twins' constructors: the description is found by the class's name, which the
// base constructor does not know yet.
void TWordListWindow::InitList(const std::wstring& fileName, const std::vector<std::wstring>& builtIn) {
  FFileName = fileName;
  InitForm();
  const std::wstring path = ListFileName();
  std::wstring text;
  if (WideFileExists(path)) {
    // A list that another program holds open, or that cannot be read for any other reason,
    // must not keep the program from starting: it starts without the list and says so once
    // it is shown (TellUnreadWordLists).
    try {
      text = LoadTextFileW(path);
    } catch (const std::exception&) {
      FReadError = std::current_exception();
    }
  } else {
    for (const std::wstring& word : builtIn) text += word + L"\r\n";
  }
  liste->GetLines()->SetText(text);
  LocalSpr();
}

std::wstring TWordListWindow::ListFileName() const { return ProgramFolder() + FFileName; }

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
  return SplitTextLines(liste->GetLines()->GetText());
}

void TWordListWindow::ladenClick(TObject*) { LoadTextIntoMemo(liste, false, prog->memoload, LanguageCode()); }

void TWordListWindow::hinzuladenClick(TObject*) { LoadTextIntoMemo(liste, true, prog->memoload, LanguageCode()); }

void TWordListWindow::speichernClick(TObject*) { SaveWordList(liste, ListFileName()); }

void TWordListWindow::deleteClick(TObject*) { liste->Clear(); }

void TWordListWindow::OKClick(TObject*) { Close(); }

std::wstring TWordListWindow::ListName(const std::string& languageCode) const {
  return languageCode == "de" ? FGermanCaption : FEnglishCaption;
}

std::wstring TWordListWindow::ReadFailure(const std::string& languageCode) const {
  if (!FReadError) return std::wstring();
  try {
    std::rethrow_exception(FReadError);
  } catch (const std::exception& error) {
    return ErrorReason(error, languageCode);
  }
}

bool TWordListWindow::UnreadAndUntold() {
  const bool untold = ReadFailed() && !FUnreadTold;
  FUnreadTold = ReadFailed();
  return untold;
}

std::wstring UnreadWordListsMessage(const std::vector<const TWordListWindow*>& lists, const std::string& languageCode) {
  const bool german = languageCode == "de";
  std::wstring text;
  for (const TWordListWindow* list : lists) {
    text += (german ? L"Die " : L"The ") + list->ListName(languageCode) +
            (german ? L" konnte nicht gelesen werden: " : L" could not be read: ") + list->ListFileName() + L"\r\n";
    const std::wstring reason = list->ReadFailure(languageCode);
    if (!reason.empty()) text += reason + L"\r\n";
    text += L"\r\n";
  }
  if (lists.size() == 1)
    return text + (german ? L"Das Programm startet ohne diese Liste; die Datei bleibt, wie sie ist."
                          : L"The program starts without this list; the file stays as it is.");
  return text + (german ? L"Das Programm startet ohne diese Listen; die Dateien bleiben, wie sie sind."
                        : L"The program starts without these lists; the files stay as they are.");
}

void TellUnreadWordLists() {
  std::vector<const TWordListWindow*> unread;
  for (TWordListWindow* list : std::initializer_list<TWordListWindow*>{negliste, posliste})
    if (list && list->UnreadAndUntold()) unread.push_back(list);
  if (!unread.empty()) TellUser(UnreadWordListsMessage(unread, LanguageCode()), MB_ICONWARNING);
}

std::wstring WordListNotSavedMessage(const std::wstring& path, const std::wstring& reason,
                                     const std::string& languageCode) {
  const std::wstring detail = reason.empty() ? std::wstring() : L"\r\n\r\n" + reason;
  if (languageCode == "de")
    return L"Die Wortliste konnte nicht unter \"" + path +
           L"\" gespeichert werden; die Datei dort behält ihre bisherige Liste. Wählen Sie einen Ordner, in den Sie "
           L"schreiben dürfen." + detail;
  return L"The word list could not be saved as \"" + path +
         L"\"; the file there keeps its previous list. Choose a folder you may write to." + detail;
}

TWordListSave SaveWordList(TCustomMemo* memo, const std::wstring& defaultName) {
  TTextSaveReport report;
  bool written = false;
  try {
    written = SaveMemoAs(memo, defaultName, prog->memosave, &report);
  } catch (const std::exception& error) {
    const std::wstring path = prog->memosave->GetFileNameW();
    TellUser(WordListNotSavedMessage(path, ErrorReason(error, LanguageCode()), LanguageCode()), MB_ICONWARNING);
    return TWordListSave::Failed;
  }
  const std::wstring message = TextSaveMessage(report, OutputEncoding().GetEncoding(), LanguageCode());
  if (!message.empty()) TellUser(message, MB_ICONWARNING);
  if (written) return TWordListSave::Saved;
  return report.Failure == TTextSaveFailure::None ? TWordListSave::Cancelled : TWordListSave::Failed;
}

void TWordListWindow::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TWordListWindow>();
  p.Field("liste", &TWordListWindow::liste);
  p.Field("laden", &TWordListWindow::laden);
  p.Field("hinzuladen", &TWordListWindow::hinzuladen);
  p.Field("speichern", &TWordListWindow::speichern);
  p.Field("delete", &TWordListWindow::delete_);
  p.Field("OK", &TWordListWindow::OK);
  p.Handler("ladenClick", &TWordListWindow::ladenClick);
  p.Handler("hinzuladenClick", &TWordListWindow::hinzuladenClick);
  p.Handler("speichernClick", &TWordListWindow::speichernClick);
  p.Handler("deleteClick", &TWordListWindow::deleteClick);
  p.Handler("OKClick", &TWordListWindow::OKClick);
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
