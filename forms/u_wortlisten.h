// The word-list windows: the positive list (phrases taken over whole) and the negative list
// (words removed). Each memo `liste` is the list in force for every index run; it is loaded
// from "pos.txt" / "neg.txt" in the program folder when the window is made, and holds the
// built-in list when that file does not exist, no list when the file is there but cannot be read.
#pragma once

#include <exception>
#include <string>
#include <vector>

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "ucode/UCodeRepStdCtrls.h"

class TWordListWindow : public TForm {
  KX_CLASS(TWordListWindow, TForm)
 public:
  static void DeclareProperties(TPropertyTable& table);

  TMemo* liste = nullptr;
  TButton* laden = nullptr;
  TButton* hinzuladen = nullptr;
  TButton* speichern = nullptr;
  TButton* delete_ = nullptr;
  TButton* OK = nullptr;

  // The lines of the list, widened from the memo.
  std::vector<std::wstring> Words() const;
  // The window's texts in the language of start.spr.
  void LocalSpr();
  // A text file chosen in the wizard's dialog replaces the list / is added to it.
  void ladenClick(TObject* sender);
  void hinzuladenClick(TObject* sender);
  // Saves the list through the save dialog, proposing the list's file in the program folder.
  void speichernClick(TObject* sender);
  void deleteClick(TObject* sender);
  // Closes the window; the list as it stands is the list in force.
  void OKClick(TObject* sender);
  // The list's file in the program folder ("pos.txt" / "neg.txt").
  std::wstring ListFileName() const;
  // The list's name in the language of the code ("Negativliste", "Black List", ...).
  std::wstring ListName(const std::string& languageCode) const;
  // The list's file was there but could not be read: the list started empty.
  bool ReadFailed() const { return FReadError != nullptr; }
  // Why the file could not be read, in the language of the code; empty when it was read.
  std::wstring ReadFailure(const std::string& languageCode) const;
  // True the first time it is asked about a list that could not be read.
  bool UnreadAndUntold();

 protected:
  explicit TWordListWindow(TComponent* owner) : TForm(owner) {}
  // Reads the window's description, then fills the list from the file of that name in the
  // program folder, or with `builtIn` when there is no such file.
  void InitList(const std::wstring& fileName, const std::vector<std::wstring>& builtIn);
  // The window's own caption, German and English.
  const wchar_t* FGermanCaption = L"";
  const wchar_t* FEnglishCaption = L"";
  std::wstring FFileName;
  std::exception_ptr FReadError;
  bool FUnreadTold = false;
};

class Tposliste : public TWordListWindow {
  KX_COMPONENT(Tposliste, TWordListWindow)
 public:
  explicit Tposliste(TComponent* owner);
};

class Tnegliste : public TWordListWindow {
  KX_COMPONENT(Tnegliste, TWordListWindow)
 public:
  explicit Tnegliste(TComponent* owner);
};

extern Tposliste* posliste;
extern Tnegliste* negliste;

// The folder of the program file, with its trailing path delimiter.
std::wstring ProgramFolder();

// The message about list files that were there but could not be read, naming each list, its file
// and why: the program starts without them and leaves the files alone.
std::wstring UnreadWordListsMessage(const std::vector<const TWordListWindow*>& lists, const std::string& languageCode);
// Tells, in the current language, the lists whose files could not be read and were not told yet.
void TellUnreadWordLists();

// How saving a word list ended.
enum class TWordListSave { Saved, Cancelled, Failed };
// Offers the save dialog preset to `defaultName` and writes the memo's lines there in the
// output encoding. A file that cannot be written is told in the current language, naming where
// the list could not be saved; the file there keeps its old list.
TWordListSave SaveWordList(TCustomMemo* memo, const std::wstring& defaultName);
// The message of a word list that could not be written to `path`, with the reason, for the
// language code.
std::wstring WordListNotSavedMessage(const std::wstring& path, const std::wstring& reason,
                                     const std::string& languageCode);
