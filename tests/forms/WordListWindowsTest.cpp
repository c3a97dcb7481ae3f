// The positive and negative list windows and their editors: the list files in the program
// folder read in any encoding, saved in the output encoding (and told when they cannot be),
// lists built from the last index, and what the next run takes from them.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <utility>

#include "TextIndexWindows.h"
#include "classlib/SysUtils.h"
#include "engine/u_TextIndex.h"
#include "engine/u_WordLists.h"
#include "forms/u_editwortlisten.h"
#include "forms/u_prog.h"
#include "forms/u_start.h"
#include "forms/u_textix.h"
#include "forms/u_wortlisten.h"
#include "support/TestSupport.h"

using formstest::Click;
using formstest::DialogAnswers;
using formstest::Items;
using formstest::Lines;
using formstest::MessageBoxes;
using formstest::Narrow;
using formstest::OutputEncodingAs;
using formstest::PostClick;
using formstest::TextIndexWindows;
using Strings = std::vector<std::string>;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

namespace {

// A list file in the program folder for the test's lifetime; the folder has none before.
class ListFile {
 public:
  ListFile(const std::string& name, const std::string& bytes) : m_path(testsupport::ExeFolder() + name) {
    WriteBytes(m_path, bytes);
  }
  ~ListFile() { DeleteFileA(m_path.c_str()); }
  ListFile(const ListFile&) = delete;
  ListFile& operator=(const ListFile&) = delete;

 private:
  std::string m_path;
};

Strings MemoLines(TCustomMemo* memo) { return Lines(memo->GetText()); }

void RunTextIndex(const std::string& text) {
  prog->qu_text->SetChecked(true);
  prog->original->SetText(formstest::Wide(text));
  prog->sz_zeilezuseite->SetChecked(true);
  BuildTextIndex();
}

void SelectItems(TListBox* list, const Strings& words) {
  for (int i = 0; i < list->GetItems()->GetCount(); ++i)
    for (const std::string& word : words)
      if (list->GetItems()->Get(i) == formstest::Wide(word)) list->SetSelected(i, true);
}

// What the user is told in one language, with "<neg>" and "<pos>" standing for the list files.
struct ToldIn {
  const char* code;
  const char* told;
};

}  // namespace

TEST(WordListWindows, TheListFilesAreReadInAnyEncodingAndTheBuiltInListsStandInForMissingOnes) {
  {
    TextIndexWindows windows;  // no list files beside the program
    EXPECT_EQ(negliste->Words(), FactoryNegativeWords());
    EXPECT_EQ(negliste->Words().size(), 229u);
    EXPECT_EQ(posliste->Words(), std::vector<std::wstring>({L"Berno Kalwe"}));
  }
  const struct {
    const char* name;
    std::string bytes;
  } files[] = {
      {"UTF-16 BE", std::string("\xFE\xFF\x00\xC4\x00r\x00g\x00\x65\x00r\x00\r\x00\n\x00\x44\x00o\x00\x63\x00h", 24)},
      {"UTF-8", "\xC3\x84rger\r\nDoch\r\n"},
      {"ANSI", "\xC4rger\r\nDoch"},
  };
  for (const auto& file : files) {
    SCOPED_TRACE(file.name);
    ListFile neg("neg.txt", file.bytes);
    ListFile pos("pos.txt", file.bytes);
    TextIndexWindows windows;
    EXPECT_EQ(negliste->Words(), std::vector<std::wstring>({L"\u00C4rger", L"Doch"}));
    EXPECT_EQ(posliste->Words(), std::vector<std::wstring>({L"\u00C4rger", L"Doch"}));
    // The next run takes the list as read: the negative list removes its words.
    prog->kt_negativliste->SetChecked(true);
    RunTextIndex("\xC4rger\r\nDoch\r\nHaus");
    EXPECT_EQ(Lines(prog->output->GetText()), Strings({"Index", "", "H", "Haus 3"}));
  }
  ListFile empty("neg.txt", "");
  TextIndexWindows windows;
  EXPECT_EQ(negliste->liste->GetText(), L"");
}

// A list file that another program holds open keeps no window from being made: the list starts
// empty (neither the file's words nor the built-in ones), the other list as ever, and the user
// is told once, in the program's language, which list could not be read.
TEST(WordListWindows, AListFileThatCannotBeReadLeavesItsListEmptyAndIsToldOnce) {
  const ToldIn cases[] = {
      {"de", "Die Negativliste konnte nicht gelesen werden: <neg>\r\n"
             "Die Datei wird von einem anderen Programm verwendet.\r\n\r\n"
             "Das Programm startet ohne diese Liste; die Datei bleibt, wie sie ist."},
      {"en", "The Black List could not be read: <neg>\r\n"
             "The file is in use by another program.\r\n\r\n"
             "The program starts without this list; the file stays as it is."},
  };
  const std::string path = testsupport::ExeFolder() + "neg.txt";
  for (const ToldIn& c : cases) {
    SCOPED_TRACE(c.code);
    ListFile neg("neg.txt", "Eigene\r\n");
    std::unique_ptr<TextIndexWindows> windows;
    {
      testsupport::HeldOpen held(path);
      ASSERT_TRUE(held.Held());
      windows = std::make_unique<TextIndexWindows>();
    }
    EXPECT_TRUE(negliste->ReadFailed());
    EXPECT_FALSE(posliste->ReadFailed());
    EXPECT_EQ(negliste->liste->GetText(), L"");
    EXPECT_EQ(posliste->Words(), std::vector<std::wstring>({L"Berno Kalwe"}));
    start->spr->SetCaption(c.code);
    MessageBoxes boxes;
    TellUnreadWordLists();
    TellUnreadWordLists();
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], StringReplace(c.told, "<neg>", path, rfReplaceAll));
    EXPECT_EQ(ReadBytes(path), "Eigene\r\n");
  }
}

// Both lists in one message, each with its file and why it could not be read, in either
// language.
TEST(WordListWindows, TwoListsThatCannotBeReadAreToldInOneMessageWithTheirReasons) {
  const std::string neg = testsupport::ExeFolder() + "neg.txt";
  const std::string pos = testsupport::ExeFolder() + "pos.txt";
  ListFile negFile("neg.txt", "Eigene\r\n");
  ListFile posFile("pos.txt", "New York\r\n");
  std::unique_ptr<TextIndexWindows> windows;
  {
    testsupport::HeldOpen holdingNeg(neg), holdingPos(pos);
    ASSERT_TRUE(holdingNeg.Held() && holdingPos.Held());
    windows = std::make_unique<TextIndexWindows>();
  }
  ASSERT_TRUE(negliste->ReadFailed());
  ASSERT_TRUE(posliste->ReadFailed());
  EXPECT_EQ(posliste->liste->GetText(), L"");
  const ToldIn cases[] = {
      {"de", "Die Negativliste konnte nicht gelesen werden: <neg>\r\n"
             "Die Datei wird von einem anderen Programm verwendet.\r\n\r\n"
             "Die Positivliste konnte nicht gelesen werden: <pos>\r\n"
             "Die Datei wird von einem anderen Programm verwendet.\r\n\r\n"
             "Das Programm startet ohne diese Listen; die Dateien bleiben, wie sie sind."},
      {"en", "The Black List could not be read: <neg>\r\n"
             "The file is in use by another program.\r\n\r\n"
             "The White List could not be read: <pos>\r\n"
             "The file is in use by another program.\r\n\r\n"
             "The program starts without these lists; the files stay as they are."},
  };
  for (const ToldIn& c : cases) {
    const std::string told =
        StringReplace(StringReplace(c.told, "<neg>", neg, rfReplaceAll), "<pos>", pos, rfReplaceAll);
    EXPECT_EQ(Narrow(UnreadWordListsMessage({negliste, posliste}, c.code)), told) << c.code;
  }
  start->spr->SetCaption("en");
  MessageBoxes boxes;
  TellUnreadWordLists();
  TellUnreadWordLists();
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_EQ(boxes.texts[0], Narrow(UnreadWordListsMessage({negliste, posliste}, "en")));
}

TEST(WordListWindows, LoadAddDeleteAndTheWizardButtonsOpenTheLists) {
  TextIndexWindows windows;
  testsupport::TempDir folder;
  WriteBytes(folder.File("more.txt"), "\xEF\xBB\xBFZeppelin\r\n\xC3\x9C" "ber");
  DialogAnswers dialogs;
  dialogs.Choose(folder.File("more.txt")).Choose(folder.File("more.txt")).Cancel();
  Click(negliste->laden);
  EXPECT_EQ(MemoLines(negliste->liste), Strings({"Zeppelin", "\xDC" "ber"}));
  Click(negliste->hinzuladen);
  EXPECT_EQ(MemoLines(negliste->liste), Strings({"Zeppelin", "\xDC" "ber", "Zeppelin", "\xDC" "ber"}));
  Click(negliste->laden);  // cancelled: the list stays
  EXPECT_EQ(MemoLines(negliste->liste).size(), 4u);
  EXPECT_EQ(dialogs.dialogs, Strings({"memoload", "memoload", "memoload"}));

  // The text wizard's buttons show the lists; the list left there is the list in force.
  PostClick(negliste->delete_);
  PostClick(negliste->OK);
  Click(prog->negativliste_anzeigen);
  EXPECT_EQ(negliste->liste->GetText(), L"");
  EXPECT_FALSE(negliste->GetVisible());
  posliste->liste->SetText(L"Neue Liste\r\n");
  PostClick(posliste->OK);
  Click(prog->positivliste_anzeigen);
  EXPECT_EQ(posliste->Words(), std::vector<std::wstring>({L"Neue Liste"}));
}

TEST(WordListWindows, SavingWritesTheOutputEncodingToTheChosenFile) {
  TextIndexWindows windows;
  testsupport::TempDir folder;
  negliste->liste->SetText(L"\xC4rger\r\nDoch");
  {
    DialogAnswers dialogs;
    dialogs.Choose(folder.File("neg.txt"));
    Click(negliste->speichern);
    EXPECT_EQ(dialogs.proposed, Strings({Narrow(ProgramFolder()) + "neg.txt"}));
  }
  EXPECT_EQ(ReadBytes(folder.File("neg.txt")), "\xC3\x84rger\r\nDoch");  // UTF-8, never a mark
  {
    OutputEncodingAs utf16(1200, true);
    DialogAnswers dialogs;
    dialogs.Choose(folder.File("neg.txt"));
    Click(negliste->speichern);
  }
  EXPECT_EQ(ReadBytes(folder.File("neg.txt")), std::string("\xFF\xFE\xC4\0r\0g\0e\0r\0\r\0\n\0D\0o\0c\0h\0", 24));
}

TEST(WordListWindows, AListThatCannotBeWrittenIsToldWithItsPlaceAndTheOldFileStays) {
  TextIndexWindows windows;
  testsupport::TempDir folder;
  const std::string path = folder.File("pos.txt");
  WriteBytes(path, "Alte Liste\r\n");
  posliste->liste->SetText(L"Neue Liste\r\n");
  for (const char* code : {"de", "en"}) {
    start->spr->SetCaption(code);
    testsupport::HeldOpen held(path);
    ASSERT_TRUE(held.Held());
    MessageBoxes boxes;
    DialogAnswers dialogs;
    dialogs.Choose(path);
    Click(posliste->speichern);
    ASSERT_EQ(boxes.texts.size(), 1u) << code;
    EXPECT_NE(boxes.texts[0].find("\"" + path + "\""), std::string::npos) << boxes.texts[0];
    EXPECT_NE(boxes.texts[0].find(code == std::string("de") ? "konnte nicht" : "could not be saved"),
              std::string::npos)
        << boxes.texts[0];
  }
  EXPECT_EQ(ReadBytes(path), "Alte Liste\r\n");
  EXPECT_EQ(MemoLines(posliste->liste), Strings({"Neue Liste"}));
}

TEST(WordListEditors, WordsOfTheLastIndexBecomeTheListOfTheNextRun) {
  TextIndexWindows windows;
  RunTextIndex("Haus\r\nHof\r\nGarten\r\nHof\r\nDach");
  editneg->ShowWithLists();
  EXPECT_EQ(Items(editneg->idxliste->GetItems()), Strings({"Dach", "Garten", "Haus", "Hof"}));
  EXPECT_EQ(MemoLines(editneg->liste).size(), 229u);  // the list window's lines
  editneg->liste->SetText(L"Zaun\r\nHof\r\n");
  SelectItems(editneg->idxliste, {"Hof", "Garten"});
  Click(editneg->versch);
  // Moved, sorted, and a word that was there already twice.
  EXPECT_EQ(MemoLines(editneg->liste), Strings({"Garten", "Hof", "Hof", "Zaun"}));
  EXPECT_EQ(Items(editneg->idxliste->GetItems()), Strings({"Dach", "Haus"}));

  // For this session only: handed over without a file.
  editneg->sitzung->SetChecked(true);
  Click(editneg->Speichern);
  EXPECT_FALSE(editneg->GetVisible());
  EXPECT_EQ(MemoLines(negliste->liste), Strings({"Garten", "Hof", "Hof", "Zaun"}));
  prog->kt_negativliste->SetChecked(true);
  BuildTextIndex();
  EXPECT_EQ(Lines(prog->output->GetText()), Strings({"Index", "", "D", "Dach 5", "", "H", "Haus 1"}));
}

TEST(WordListEditors, SavingWritesTheFileUnlessCancelledAndAFailureKeepsTheEditorOpen) {
  TextIndexWindows windows;
  testsupport::TempDir folder;
  const std::string path = folder.File("pos.txt");
  editpos->ShowWithLists();
  editpos->liste->SetText(L"New York\r\nBerlin\r\n");
  Click(editpos->sort);
  EXPECT_EQ(MemoLines(editpos->liste), Strings({"Berlin", "New York"}));
  {
    DialogAnswers dialogs;
    dialogs.Choose(path);
    Click(editpos->Speichern);
    EXPECT_EQ(dialogs.proposed, Strings({Narrow(ProgramFolder()) + "pos.txt"}));
  }
  EXPECT_EQ(ReadBytes(path), "Berlin\r\nNew York\r\n");
  EXPECT_EQ(MemoLines(posliste->liste), Strings({"Berlin", "New York"}));

  // A cancelled dialog still hands the list over.
  editpos->ShowWithLists();
  editpos->liste->SetText(L"Paris\r\n");
  {
    DialogAnswers dialogs;
    dialogs.Cancel();
    Click(editpos->Speichern);
  }
  EXPECT_EQ(MemoLines(posliste->liste), Strings({"Paris"}));
  EXPECT_EQ(ReadBytes(path), "Berlin\r\nNew York\r\n");

  // A file that cannot be written: told, nothing handed over, the editor keeps the list.
  editpos->ShowWithLists();
  editpos->liste->SetText(L"Rom\r\n");
  {
    testsupport::HeldOpen held(path);
    MessageBoxes boxes;
    DialogAnswers dialogs;
    dialogs.Choose(path);
    Click(editpos->Speichern);
    EXPECT_EQ(boxes.texts.size(), 1u);
  }
  EXPECT_TRUE(editpos->GetVisible());
  EXPECT_EQ(MemoLines(editpos->liste), Strings({"Rom"}));
  EXPECT_EQ(MemoLines(posliste->liste), Strings({"Paris"}));
  EXPECT_EQ(ReadBytes(path), "Berlin\r\nNew York\r\n");

  // Cancel leaves the list window as it was.
  Click(editpos->Abbrechen);
  EXPECT_FALSE(editpos->GetVisible());
  EXPECT_EQ(MemoLines(posliste->liste), Strings({"Paris"}));
}

TEST(WordListEditors, TheFileIndexChoiceFollowsTheLanguageAndShowsTheFileIndexWords) {
  TextIndexWindows windows;
  RunTextIndex("Haus");
  editneg->ShowWithLists();
  EXPECT_EQ(Items(editneg->idxliste->GetItems()), Strings({"Haus"}));
  EXPECT_EQ(Items(editneg->wahl->GetItems()), Strings({"Index: TextIndex", "Index: FileIndex"}));
  // No file index built yet: an empty list.
  formstest::Pick(editneg->wahl, 1);
  EXPECT_EQ(editneg->wahl->GetText(), L"Index: FileIndex");
  EXPECT_EQ(Items(editneg->idxliste->GetItems()), Strings());
  start->spr->SetCaption("de");
  prog->sprachealles();
  EXPECT_EQ(editneg->wahl->GetText(), L"Index: DateiIndex");
  EXPECT_EQ(Items(editneg->wahl->GetItems()), Strings({"Index: TextIndex", "Index: DateiIndex"}));
  EXPECT_EQ(editneg->GetCaption(), "Editor: Index > Negativliste");
  formstest::Pick(editneg->wahl, 0);
  EXPECT_EQ(Items(editneg->idxliste->GetItems()), Strings({"Haus"}));
  editneg->Hide();
}

// An editor comes up whole: when the tools menu shows it, its list already holds every line of
// the list window and the index list every word of the index, and the list shows from its
// first line with the caret there.
TEST(WordListEditors, TheToolsMenuShowsAnEditorWithBothListsFilledAndItsListFromTheTop) {
  TextIndexWindows windows;
  RunTextIndex("Haus\r\nHof");
  struct ShowWatch {
    TWordListEditor* editor;
    int shown = 0;
    size_t lines = 0;
    int words = 0;
    void Show(TObject*) {
      ++shown;
      lines = MemoLines(editor->liste).size();
      words = editor->idxliste->GetItems()->GetCount();
    }
  };
  const struct {
    TWordListEditor* editor;
    TMenuItem* item;
    size_t lines;
  } cases[] = {{editneg, prog->mt1, 229u}, {editpos, prog->mt2, 1u}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.editor->GetName());
    ShowWatch watch{c.editor};
    c.editor->OnShow = TNotifyEvent(&watch, &ShowWatch::Show);
    c.item->Click();
    c.editor->OnShow = TNotifyEvent();
    EXPECT_EQ(watch.shown, 1);
    EXPECT_EQ(watch.lines, c.lines);
    EXPECT_EQ(watch.words, 2);
    EXPECT_EQ(MemoLines(c.editor->liste), MemoLines(c.editor == editneg ? negliste->liste : posliste->liste));
    HWND memo = c.editor->liste->GetHandle();
    EXPECT_EQ(SendMessageW(memo, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    DWORD from = 1, to = 1;
    SendMessageW(memo, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 0u);
    c.editor->Hide();
  }
}

TEST(WordListEditors, AWiderEditorGivesBothListsTheRoomBesideTheButtonBetweenThem) {
  TextIndexWindows windows;
  windows.LeaveToProcessEnd();
  editpos->Show();
  editpos->SetClientWidth(760);
  formstest::Pump();
  const int middle = editpos->versch->GetLeft() + editpos->versch->GetWidth() / 2;
  EXPECT_NEAR(middle, 380, 1);
  EXPECT_EQ(editpos->idxliste->GetLeft(), 8);
  EXPECT_EQ(editpos->idxliste->GetLeft() + editpos->idxliste->GetWidth(), editpos->versch->GetLeft() - 16);
  EXPECT_EQ(editpos->wahl->GetWidth(), editpos->idxliste->GetWidth());
  EXPECT_EQ(editpos->liste->GetLeft(), editpos->versch->GetLeft() + editpos->versch->GetWidth() + 8);
  EXPECT_EQ(editpos->liste->GetWidth(), editpos->idxliste->GetWidth());
  EXPECT_EQ(editpos->Label2->GetLeft(), editpos->liste->GetLeft());
  editpos->Hide();
}
