// The text wizard as a user drives it: buttons clicked, tabs clicked,
// keys typed and list items chosen through real messages, file dialogs answered through the
// dialog seam. Saved index texts and pictures are listed in forms-out/manifest.json, which
// check_saved_files.py reads back with iconv and Pillow.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "TextIndexWindows.h"
#include "classlib/CommonDialogs.h"
#include "classlib/Forms.h"
#include "engine/u_IndexStore.h"
#include "engine/u_funktionen.h"
#include "engine/u_TextPicture.h"
#include "engine/u_WideFuncText.h"
#include "forms/u_design.h"
#include "forms/u_prog.h"
#include "forms/u_progspr.h"
#include "forms/u_start.h"
#include "forms/u_szkriterien.h"
#include "forms/u_textix.h"
#include "forms/u_wortlisten.h"
#include "support/OutputFiles.h"
#include "support/TestSupport.h"
#include "support/WordStandIn.h"
#include "ucode/UCodeSystem.h"

using formstest::DialogAnswers;
using formstest::Items;
using formstest::Lines;
using formstest::MessageBoxes;
using formstest::Narrow;
using formstest::OutputEncodingAs;
using formstest::TextIndexWindows;
using formstest::Utf8;
using formstest::Wide;
using Strings = std::vector<std::string>;

namespace {

// ---- Files for the independent readers

testsupport::OutputFiles g_output("forms-out");

std::string OutputFolder() { return g_output.Folder(); }

using testsupport::JsonString;

// A text file: its iconv encoding name, whether it starts with a byte-order mark, its text.
void ExpectText(const std::string& file, const std::string& iconvName, bool mark, const std::wstring& text) {
  g_output.AddText(file, iconvName, mark, Utf8(text));
}

void ExpectPicture(const std::string& file, const std::string& format, const TPictureSize& size) {
  g_output.Add("{\"kind\": \"picture\", \"file\": " + JsonString(file) + ", \"format\": " + JsonString(format) +
                       ", \"width\": " + std::to_string(size.Width) + ", \"height\": " +
                       std::to_string(size.Height) + "}");
}

// ---- The user's side

// The wizard's windows with their window handles, on the text wizard's first page.
struct WizardWindows {
  WizardWindows() {
    prog->HandleNeeded();
    DescribeTextIndexSettings(prog->tt1);
  }
  TextIndexWindows windows;
};

void Click(TWinControl* button) { SendMessageA(button->GetHandle(), BM_CLICK, 0, 0); }

void ClickTab(TTabSheet* page) {
  RECT rect{};
  HWND tabs = prog->pct->GetHandle();
  ASSERT_TRUE(SendMessageA(tabs, TCM_GETITEMRECT, page->GetTabIndex(), reinterpret_cast<LPARAM>(&rect)));
  const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(tabs, WM_LBUTTONUP, 0, at);
}

void Type(HWND window, const std::string& keys) {
  for (char key : keys) SendMessageA(window, WM_CHAR, static_cast<unsigned char>(key), 1);
}

void SetTextOf(TWinControl* control, const std::string& text) {
  SendMessageA(control->GetHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

Strings OutputLines() { return Lines(prog->output->GetText()); }
TTabSheet* ActivePage() { return prog->pct->GetActivePage(); }

// The text typed as the source, every line a page.
void TypeSourceByLines(const std::string& text) {
  Click(prog->qu_text);
  SetTextOf(prog->original, text);
  Click(prog->sz_zeilezuseite);
}

std::string ClipboardData(UINT format) {
  std::string data;
  if (!OpenClipboard(nullptr)) return data;
  if (HANDLE handle = GetClipboardData(format)) {
    const char* bytes = static_cast<const char*>(GlobalLock(handle));
    data.assign(bytes, GlobalSize(handle));
    GlobalUnlock(handle);
  }
  CloseClipboard();
  return data;
}

std::string Utf16Bytes(const std::wstring& text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

// Watches the class library's screen cursor from the timer messages of a thread of its own,
// which go on while the program's thread is busy. `Hold` keeps the program's thread until one
// of those messages has seen the cursor.
class CursorWatch {
 public:
  CursorWatch() {
    m_thread = std::thread([this] { Watch(); });
    WaitForSingleObject(m_ready, INFINITE);
  }
  ~CursorWatch() {
    PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
    m_thread.join();
    for (HANDLE event : {m_ready, m_holding, m_seen}) CloseHandle(event);
  }
  CursorWatch(const CursorWatch&) = delete;
  CursorWatch& operator=(const CursorWatch&) = delete;

  void Hold(TObject*) {
    SetEvent(m_holding);
    if (WaitForSingleObject(m_seen, 20000) == WAIT_OBJECT_0) seen.push_back(m_cursor);
    ResetEvent(m_holding);
  }
  std::vector<TCursor> seen;  // the cursor seen at each hold

 private:
  void Watch() {
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's message queue
    m_threadId = GetCurrentThreadId();
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, nullptr);
    SetEvent(m_ready);
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      if (message.message != WM_TIMER || WaitForSingleObject(m_holding, 0) != WAIT_OBJECT_0) continue;
      m_cursor = Screen->GetCursor();
      ResetEvent(m_holding);
      SetEvent(m_seen);
    }
    KillTimer(nullptr, timer);
  }

  HANDLE m_ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE m_holding = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE m_seen = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  DWORD m_threadId = 0;
  TCursor m_cursor = crDefault;
  std::thread m_thread;
};

}  // namespace

// ---------------------------------------------------------------------------------------------

TEST(TextWizardPages, NextAndBackWalkThePagesAndReadPageNumbersOnlyForANewText) {
  WizardWindows wizard;
  Click(prog->qu_text);
  EXPECT_TRUE(prog->original->GetEnabled());
  EXPECT_FALSE(prog->edit_quelle->GetEnabled());
  EXPECT_FALSE(prog->bt1->GetVisible());
  SetTextOf(prog->original, "Haus am See\r\n1\r\nHof\r\n2");
  Click(prog->bt2);
  EXPECT_EQ(ActivePage(), prog->tt2);
  EXPECT_TRUE(prog->bt1->GetVisible());
  EXPECT_EQ(Items(prog->sz_libo->GetItems()), Strings({"1 (1)", "2 (3)"}));

  // The user edits the list; back and forth keeps the edit, a changed text is read anew.
  SendMessageA(prog->sz_libo->GetHandle(), LB_SETSEL, TRUE, 0);
  Click(prog->sz_entfernen);
  Click(prog->bt1);
  EXPECT_EQ(ActivePage(), prog->tt1);
  EXPECT_FALSE(prog->bt1->GetVisible());
  Click(prog->bt2);
  EXPECT_EQ(Items(prog->sz_libo->GetItems()), Strings({"2 (3)"}));
  Click(prog->bt1);
  SetTextOf(prog->original, "Hof\r\n5");
  SendMessageA(prog->original->GetHandle(), EM_SETSEL, 0x7FFF, 0x7FFF);
  Type(prog->original->GetHandle(), "0");
  Click(prog->bt2);
  EXPECT_EQ(Items(prog->sz_libo->GetItems()), Strings({"50 (1)"}));

  Click(prog->bt2);
  EXPECT_EQ(ActivePage(), prog->tt3);
  Click(prog->bt2);
  EXPECT_EQ(ActivePage(), prog->tt4);
  EXPECT_FALSE(prog->bt2->GetEnabled());
  EXPECT_NE(prog->zusammenfassung->TControl::GetCaption().find("Text is used as Source"), std::string::npos);
  Click(prog->bt1);
  EXPECT_EQ(ActivePage(), prog->tt3);

  // The progress page's tab shows the page without a run.
  ClickTab(prog->tt5);
  EXPECT_EQ(ActivePage(), prog->tt5);
  EXPECT_FALSE(prog->ft_start->GetEnabled());
  EXPECT_FALSE(prog->bt1->GetEnabled());
  EXPECT_EQ(prog->output->GetText(), L"");
  ClickTab(prog->tt2);
  EXPECT_EQ(ActivePage(), prog->tt2);
  EXPECT_TRUE(prog->bt1->GetEnabled());
  EXPECT_TRUE(prog->bt2->GetEnabled());
  EXPECT_TRUE(prog->ft_start->GetEnabled());
}

TEST(TextWizardPages, ARunLeavesBackDisabledUntilATabIsClickedAndBackSkipsTheProgressPage) {
  WizardWindows wizard;
  TypeSourceByLines("Haus und Hof\r\nHof");
  Click(prog->ft_start);
  EXPECT_EQ(ActivePage(), prog->tt6);
  EXPECT_EQ(OutputLines(), Strings({"Index", "", "H", "Haus 1", "Hof 1, 2"}));
  EXPECT_FALSE(prog->bt1->GetEnabled());
  EXPECT_FALSE(prog->bt2->GetEnabled());
  EXPECT_TRUE(prog->ft_start->GetEnabled());
  ClickTab(prog->tt3);
  ClickTab(prog->tt6);
  EXPECT_TRUE(prog->bt1->GetEnabled());
  Click(prog->bt1);
  EXPECT_EQ(ActivePage(), prog->tt4);
}

TEST(TextWizardPages, StartReadsPageNumbersOnlyForAnUnreadTextWithAnEmptyList) {
  WizardWindows wizard;
  Click(prog->qu_text);
  SetTextOf(prog->original, "Haus\r\n1\r\nHof\r\n2");
  Click(prog->ft_start);
  EXPECT_EQ(Items(prog->sz_libo->GetItems()), Strings({"1 (1)", "2 (3)"}));
  EXPECT_EQ(OutputLines(), Strings({"Index", "", "H", "Haus 1", "Hof 2"}));
  // A new text with the old list still standing: the list is used as it is.
  SetTextOf(prog->original, "Hof\r\n7\r\nHaus\r\n8");
  Click(prog->ft_start);
  EXPECT_EQ(Items(prog->sz_libo->GetItems()), Strings({"1 (1)", "2 (3)"}));
  EXPECT_EQ(OutputLines(), Strings({"Index", "", "H", "Haus 2", "Hof 1"}));
}

TEST(TextWizardPages, PageListItemsBeyondTheTextAreToldOnceInTheCurrentLanguage) {
  WizardWindows wizard;
  MessageBoxes boxes;
  Click(prog->qu_text);
  SetTextOf(prog->original, "Haus\r\nHof\r\nGarten");
  prog->sz_libo->GetItems()->SetText(L"1 (1)\r\n2 (7)\r\n3 (9)\r\n4 (12)");
  for (const char* language : {"de", "en"}) {
    start->spr->SetCaption(language);
    Click(prog->ft_start);
  }
  EXPECT_EQ(boxes.texts, Strings({Narrow(PageItemsBeyondTextMessage(2, "de")),
                                  Narrow(PageItemsBeyondTextMessage(2, "en"))}));
  EXPECT_NE(boxes.texts[0].find("2 Eintr"), std::string::npos);
  EXPECT_EQ(OutputLines(), Strings({"Index", "", "G", "Garten 2", "", "H", "Haus 1", "Hof 2"}));
}

TEST(TextWizardSource, AFileTypedChosenOrLoadedBecomesTheSourceText) {
  WizardWindows wizard;
  DialogAnswers answers;
  testsupport::TempDir dir;
  testsupport::WriteBytes(dir.File("a.txt"), "Garten\r\nHaus");
  testsupport::WriteBytes(dir.File("b.txt"), "\xEF\xBB\xBF\xC3\x84pfel");
  testsupport::WriteBytes(dir.File("c.txt"), "Hof");

  SetTextOf(prog->edit_quelle, dir.File("a.tx"));
  EXPECT_EQ(prog->original->GetText(), L"");
  SetTextOf(prog->edit_quelle, dir.File("a.txt"));
  EXPECT_EQ(prog->original->GetText(), L"Garten\r\nHaus");

  answers.Choose(dir.File("b.txt")).Cancel();
  Click(prog->bttxtquelle);
  EXPECT_EQ(prog->edit_quelle->GetText(), Wide(dir.File("b.txt")));
  EXPECT_EQ(prog->original->GetText(), L"\x00C4pfel");
  EXPECT_FALSE(PageNumbersRead);
  // Cancelled: the named file is read again all the same.
  testsupport::WriteBytes(dir.File("b.txt"), "Birne");
  PageNumbersRead = true;
  Click(prog->bttxtquelle);
  EXPECT_EQ(prog->original->GetText(), L"Birne");
  EXPECT_FALSE(PageNumbersRead);
  // The same file chosen again is read again.
  testsupport::WriteBytes(dir.File("b.txt"), "Kirsche");
  answers.Choose(dir.File("b.txt"));
  Click(prog->bttxtquelle);
  EXPECT_EQ(prog->original->GetText(), L"Kirsche");
  EXPECT_EQ(answers.dialogs, Strings({"OpenDatei", "OpenDatei", "OpenDatei"}));
  EXPECT_EQ(answers.filters[0],
            "All Files (*.*)|*.*|Text (*.txt)|*.txt|Internet (*.htm, *.html, *.php)|*.htm; *html; *.php");

  Click(prog->qu_text);
  EXPECT_TRUE(prog->qu_laden->GetEnabled());
  EXPECT_FALSE(prog->bttxtquelle->GetEnabled());
  answers.Choose(dir.File("c.txt")).Cancel();
  Click(prog->qu_laden);
  EXPECT_EQ(prog->original->GetText(), L"Hof");
  Click(prog->qu_laden);
  EXPECT_EQ(prog->original->GetText(), L"Hof");
  EXPECT_EQ(answers.filters.back(), "Text (*.txt)|*.txt|All Files (*.*)|*.*");
  Click(prog->qu_delete);
  EXPECT_EQ(prog->original->GetText(), L"");

  // Appending, as the word lists load a second file: after a line break, also in an empty memo.
  answers.Choose(dir.File("c.txt")).Choose(dir.File("a.txt")).Cancel();
  EXPECT_TRUE(LoadTextIntoMemo(prog->original, true, prog->memoload, "en"));
  EXPECT_EQ(prog->original->GetText(), L"\r\nHof");
  EXPECT_TRUE(LoadTextIntoMemo(prog->original, true, prog->memoload, "en"));
  EXPECT_EQ(prog->original->GetText(), L"\r\nHof\r\nGarten\r\nHaus");
  EXPECT_FALSE(LoadTextIntoMemo(prog->original, true, prog->memoload, "en"));
  EXPECT_EQ(prog->original->GetText(), L"\r\nHof\r\nGarten\r\nHaus");
}

// A NUL in a source file shows as U+FFFD with all that follows it, typed or loaded, and the index
// is the same from the file as from the memo's text.
TEST(TextWizardSource, ANulShowsAsAReplacementCharacterAndTheIndexHoldsWhatIsShown) {
  WizardWindows wizard;
  DialogAnswers answers;
  testsupport::TempDir dir;
  const char bytes[] = "Haus Baum\nGarten\0Hof\r\n";
  testsupport::WriteBytes(dir.File("garten.txt"), std::string(bytes, sizeof bytes - 1));
  const std::wstring shown = L"Haus Baum\r\nGarten\uFFFDHof\r\n";
  const std::wstring index = L"Index\r\n\r\nB\r\nBaum 1\r\n\r\nG\r\nGarten\uFFFDHof 2\r\n\r\nH\r\nHaus 1\r\n";
  SetTextOf(prog->edit_quelle, dir.File("garten.txt"));
  EXPECT_EQ(prog->original->GetText(), shown);
  Click(prog->sz_zeilezuseite);
  Click(prog->ft_start);
  EXPECT_EQ(prog->output->GetText(), index);

  Click(prog->qu_text);
  Click(prog->qu_delete);
  answers.Choose(dir.File("garten.txt"));
  Click(prog->qu_laden);
  EXPECT_EQ(prog->original->GetText(), shown);
  prog->output->Clear();
  Click(prog->ft_start);
  EXPECT_EQ(prog->output->GetText(), index);
}

// A text with a line longer than a memo takes is refused whole and the user told why, naming the
// file, in the program's language and whole on every system (also where the code page has no
// umlauts: the run "forms_far_east" starts this test so); the memo keeps its text, whichever way
// the file came.
TEST(TextWizardSource, ATextWithALineTooLongForTheMemoIsToldWithItsFileAndTheMemoKeepsItsText) {
  ASSERT_TRUE(formstest::OnTheCodePageAsked());
  WizardWindows wizard;
  DialogAnswers answers;
  MessageBoxes boxes;
  testsupport::TempDir dir;
  const std::string path = dir.File("lang.txt");
  testsupport::WriteBytes(path, "Garten\r\n" + std::string(kLongestMemoLine + 1, 'a'));
  prog->original->SetText(L"bleibt");
  const std::wstring length = std::to_wstring(kLongestMemoLine + 1), most = std::to_wstring(kLongestMemoLine);
  const std::wstring german = L"Die Datei konnte nicht ge\u00F6ffnet werden: " + Wide(path) +
                              L"\r\n\r\nDer Text enth\u00E4lt eine Zeile von " + length +
                              L" Zeichen; ein Textfeld zeigt Zeilen von h\u00F6chstens " + most + L" Zeichen.";
  const std::wstring english = L"The file could not be opened: " + Wide(path) + L"\r\n\r\nThe text holds a line of " +
                               length + L" characters; a text box shows lines of at most " + most + L" characters.";
  struct Case {
    const char* code;
    bool typed;  // the name typed into the source edit, else chosen to load into the memo
    const std::wstring& told;
  };
  for (const Case& c : {Case{"de", true, german}, Case{"en", true, english}, Case{"de", false, german},
                        Case{"en", false, english}}) {
    SCOPED_TRACE(std::string(c.code) + (c.typed ? " typed" : " loaded"));
    start->spr->SetCaption(c.code);
    boxes.wideTexts.clear();
    if (c.typed) {
      SetTextOf(prog->edit_quelle, "");
      SetTextOf(prog->edit_quelle, path);
    } else {
      Click(prog->qu_text);
      answers.Choose(path);
      Click(prog->qu_laden);
    }
    EXPECT_EQ(boxes.wideTexts, std::vector<std::wstring>{c.told});
    EXPECT_EQ(prog->original->GetText(), L"bleibt");
  }
  EXPECT_EQ(Screen->GetCursor(), crDefault);
}

TEST(TextWizardSource, TheWaitCursorShowsWhileASourceLoadsAndIsBackAfterOneThatFails) {
  WizardWindows wizard;
  DialogAnswers answers;
  testsupport::TempDir dir;
  std::string book;
  for (int line = 0; line < 20000; ++line) book += "Haus am See und Hof am Garten " + std::to_string(line) + "\r\n";
  testsupport::WriteBytes(dir.File("buch.txt"), book);
  testsupport::WriteBytes(dir.File("gesperrt.txt"), "Hof");
  auto locked = std::make_unique<testsupport::HeldOpen>(dir.File("gesperrt.txt"));
  ASSERT_TRUE(locked->Held());
  MessageBoxes boxes;
  CursorWatch watch;
  const TNotifyEvent change = prog->original->OnChange;
  prog->original->OnChange = TNotifyEvent(&watch, &CursorWatch::Hold);

  // The path typed: the memo takes the text under the wait cursor, which goes afterwards.
  SetTextOf(prog->edit_quelle, dir.File("buch.txt"));
  EXPECT_EQ(watch.seen, std::vector<TCursor>({crHourGlass}));
  EXPECT_EQ(Screen->GetCursor(), crDefault);
  EXPECT_EQ(prog->original->GetText().size(), book.size());

  // A chosen file that cannot be read: the error is told with the cursor back, and it stays back.
  answers.Choose(dir.File("gesperrt.txt"));
  Click(prog->bttxtquelle);
  locked.reset();
  prog->original->OnChange = change;
  EXPECT_EQ(boxes.cursors, std::vector<int>({crDefault}));
  EXPECT_EQ(Screen->GetCursor(), crDefault);
  EXPECT_EQ(prog->original->GetText().size(), book.size());
}

TEST(TextWizardSource, AChosenWordDocumentIsReadOnce) {
  wordstandin::TWordStandIn word;
  WizardWindows wizard;
  DialogAnswers answers;
  testsupport::TempDir dir;
  testsupport::WriteBytes(dir.File("brief.doc"), "Haus am See\r\fHof\r");
  answers.Choose(dir.File("brief.doc"));
  Click(prog->bttxtquelle);
  const std::string source = Narrow(prog->original->GetText());
  EXPECT_NE(source.find("Haus am See"), std::string::npos) << source;
  EXPECT_NE(source.find("Hof"), std::string::npos) << source;
  EXPECT_EQ(word.State().Quits, 1);
}

TEST(TextWizardPageNumbers, TheFirstPageTakesDigitsAndTheListLosesChosenItems) {
  WizardWindows wizard;
  MessageBoxes boxes;
  Click(prog->sz_zeilezuseite);
  EXPECT_TRUE(prog->sz_beginn->GetEnabled());
  EXPECT_FALSE(prog->sz_libo->GetEnabled());
  EXPECT_FALSE(prog->Auslesen->GetEnabled());
  SetTextOf(prog->sz_beginn, "");
  Type(prog->sz_beginn->GetHandle(), "1x2-\b3");
  EXPECT_EQ(prog->sz_beginn->GetText(), L"13");
  EXPECT_TRUE(boxes.texts.empty());

  Click(prog->sz_auslesen);
  EXPECT_FALSE(prog->sz_beginn->GetEnabled());
  EXPECT_TRUE(prog->sz_libo->GetEnabled());
  Click(prog->qu_text);
  SetTextOf(prog->original, "a\r\n1\r\nb\r\n2\r\nc\r\n3\r\nd\r\n4");
  Click(prog->Auslesen);
  EXPECT_EQ(Items(prog->sz_libo->GetItems()), Strings({"1 (1)", "2 (3)", "3 (5)", "4 (7)"}));
  HWND list = prog->sz_libo->GetHandle();
  SendMessageA(list, LB_SETSEL, TRUE, 1);
  SendMessageA(list, LB_SETSEL, TRUE, 3);
  SendMessageA(list, WM_KEYDOWN, VK_DELETE, 1);
  EXPECT_EQ(Items(prog->sz_libo->GetItems()), Strings({"1 (1)", "3 (5)"}));
  SendMessageA(list, LB_SETSEL, TRUE, -1);
  Click(prog->sz_entfernen);
  EXPECT_TRUE(Items(prog->sz_libo->GetItems()).empty());
}

TEST(TextWizardPageNumbers, CriteriaAndDesignButtonsOpenTheirWindowsModally) {
  WizardWindows wizard;
  szkriterien->HandleNeeded();
  PostMessageA(szkriterien->Abbrechen->GetHandle(), BM_CLICK, 0, 0);
  Click(prog->sz_kriterien);
  EXPECT_EQ(szkriterien->GetModalResult(), mrCancel);
  EXPECT_FALSE(szkriterien->GetVisible());
  design->HandleNeeded();
  PostMessageA(design->OK->GetHandle(), BM_CLICK, 0, 0);
  Click(prog->btdesign);
  EXPECT_EQ(design->GetModalResult(), mrOk);
  EXPECT_FALSE(design->GetVisible());
}

namespace {

// The user picks the custom item from the box's list.
void ChooseCustomItem(TComboBox* box) {
  SendMessageA(box->GetHandle(), CB_SETCURSEL, 6, 0);
  SendMessageA(GetParent(box->GetHandle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box->GetHandle()), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(box->GetHandle()));
}

}  // namespace

TEST(TextWizardCriteria, TheLengthBoxesTakeDigitsAndTheirCustomItemAsksForANumber) {
  WizardWindows wizard;
  // The text wizard's, the file wizard's and the keyword wizard's box.
  for (TComboBox* box : {prog->kt_max, prog->dkt_max, prog->stw_max}) {
    MessageBoxes boxes;
    start->spr->SetCaption("en");
    HWND edit = box->GetEditHandle();
    ASSERT_NE(edit, nullptr);
    SetTextOf(box, "");
    Type(edit, "4a");
    start->spr->SetCaption("de");
    Type(edit, "-");
    EXPECT_EQ(box->GetText(), L"4") << box->GetName();
    EXPECT_EQ(boxes.texts, Strings({"In this box only numerical entries are allowed.",
                                    "In diesem Feld sind nur Zahleneingaben erlaubt."}));
    ASSERT_EQ(boxes.flags.size(), 2u);
    EXPECT_EQ(boxes.flags[0] & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
    ChooseCustomItem(box);
    EXPECT_EQ(box->GetText(), L"") << box->GetName();
    EXPECT_EQ(box->GetItemIndex(), -1);
  }
}

TEST(TextWizardCriteria, TheCustomItemTakesTheFocusAndAnEmptyBoxGetsItsTagBack) {
  WizardWindows wizard;
  // Focus moves only inside a shown, active window.
  wizard.windows.LeaveToProcessEnd();
  prog->Show();
  SetForegroundWindow(prog->GetHandle());
  TComboBox* box = prog->kt_max;
  DescribeTextIndexSettings(prog->tt3);
  HWND edit = box->GetEditHandle();
  ChooseCustomItem(box);
  EXPECT_EQ(box->GetText(), L"");
  EXPECT_TRUE(GetFocus() == edit || GetFocus() == box->GetHandle());
  SetFocus(prog->kt_zahlen->GetHandle());
  EXPECT_EQ(box->GetText(), L"3");
  // A number typed stays when the box is left.
  SetFocus(edit);
  SetTextOf(box, "7");
  SetFocus(prog->kt_zahlen->GetHandle());
  EXPECT_EQ(box->GetText(), L"7");
}

TEST(TextWizardCriteria, AnIndexToExtendIsTickedOnlyWhenAFileWasChosen) {
  WizardWindows wizard;
  DialogAnswers answers;
  answers.Cancel().Choose("C:\\Register\\alt.idx");
  Click(prog->andindex);
  EXPECT_FALSE(prog->kt_integrieren->GetChecked());
  EXPECT_EQ(prog->kt_index->TControl::GetCaption(), "No Index Selected");
  Click(prog->andindex);
  EXPECT_TRUE(prog->kt_integrieren->GetChecked());
  EXPECT_EQ(prog->kt_index->TControl::GetCaption(), "C:\\Register\\alt.idx");
  EXPECT_EQ(answers.dialogs, Strings({"OpenIndex", "OpenIndex"}));
  EXPECT_EQ(answers.filters[0], "Index (*.idx)|*.idx|All Files (*.*)|*.*");
}

TEST(TextWizardResult, CopyPutsTheIndexOnTheClipboardAsAnsiAndUnicodeText) {
  WizardWindows wizard;
  TypeSourceByLines("\xC4pfel und Birnen\r\nBirnen");
  Click(prog->ft_start);
  const std::string index = Narrow(prog->output->GetText());
  EXPECT_EQ(Lines(index), Strings({"Index", "", "A", "\xC4pfel 1", "", "B", "Birnen 1, 2"}));
  Click(prog->zwischenablage);
  EXPECT_EQ(ClipboardData(CF_TEXT), index + std::string(1, '\0'));
  EXPECT_EQ(ClipboardData(CF_UNICODETEXT), Utf16Bytes(Wide(index) + L'\0'));
}

TEST(TextWizardResult, TheIndexTextIsSavedInTheOutputEncoding) {
  WizardWindows wizard;
  DialogAnswers answers;
  TypeSourceByLines("\xC4pfel und Birnen\r\nBirnen");
  Click(prog->ft_start);
  const std::wstring index = prog->output->GetText();
  struct Case {
    int encoding;
    bool mark;
    const char* file;
    const char* iconv;
    std::string head;  // the first bytes: mark and "In"
  };
  const Case cases[] = {
      {kEncodingUtf16LE, true, "utf16.txt", "UTF-16LE", std::string("\xFF\xFEI\0n\0", 6)},
      {kEncodingUtf8BOM, false, "utf8.txt", "UTF-8", "\xEF\xBB\xBFIn"},
      {kEncodingAnsi, true, "ansi.txt", "CP1252", "In"},
  };
  for (const Case& c : cases) {
    OutputEncodingAs encoding(c.encoding, c.mark);
    const std::string path = OutputFolder() + "\\" + c.file;
    answers.Choose(path);
    Click(prog->outputspeichern);
    const std::string bytes = testsupport::ReadBytes(path);
    EXPECT_EQ(bytes.substr(0, c.head.size()), c.head) << c.file;
    ExpectText(c.file, c.iconv, c.encoding != kEncodingAnsi, index);
  }
  EXPECT_EQ(testsupport::ReadBytes(OutputFolder() + "\\ansi.txt"), Narrow(index));
  EXPECT_EQ(answers.dialogs, Strings(3, "memosave"));
  EXPECT_EQ(answers.proposed[0], Narrow(ProgramFolder()) + "Index.txt");
  answers.Cancel();
  Click(prog->outputspeichern);
}

TEST(TextWizardResult, TheIndexIsSavedAsAPictureAndAFailedSaveIsTold) {
  WizardWindows wizard;
  DialogAnswers answers;
  MessageBoxes boxes;
  TypeSourceByLines("\xC4pfel und Birnen\r\nBirnen");
  Click(prog->ft_start);
  const TPictureSize size = MeasureTextPicture(prog->output->GetText(), PictureOutput().GetFont());
  const std::pair<const char*, const char*> pictures[] = {
      {"index.bmp", "BMP"}, {"index.JPEG", "JPEG"}, {"index.jpg", "JPEG"}, {"index.gif", "GIF"}};
  for (const auto& [name, format] : pictures) {
    answers.Choose(OutputFolder() + "\\" + name);
    Click(prog->outputspeichern);
    ExpectPicture(name, format, size);
  }
  EXPECT_TRUE(boxes.texts.empty());

  // Too wide for a JPEG picture: told, and nothing written.
  const std::string tooWide = OutputFolder() + "\\wide.jpg";
  prog->output->SetText(std::wstring(12000, L'W'));
  answers.Choose(tooWide);
  Click(prog->outputspeichern);
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_EQ(GetFileAttributesA(tooWide.c_str()), INVALID_FILE_ATTRIBUTES);
  // A folder that does not exist: told in the current language, the reason included.
  start->spr->SetCaption("de");
  const std::string inMissingFolder = OutputFolder() + "\\fehlt\\index.txt";
  answers.Choose(inMissingFolder);
  Click(prog->outputspeichern);
  ASSERT_EQ(boxes.texts.size(), 2u);
  EXPECT_EQ(boxes.texts[1], "Die Datei konnte nicht gespeichert werden: " + inMissingFolder +
                                "\r\n\r\nDer Ordner der Datei wurde nicht gefunden.");
}

TEST(TextWizardIndexData, SavedWithItsExtensionAndLoadedAgainToExtend) {
  WizardWindows wizard;
  DialogAnswers answers;
  MessageBoxes boxes;
  testsupport::TempDir dir;
  TypeSourceByLines("Haus und Hof\r\nHof");
  Click(prog->ft_start);
  answers.Choose(dir.File("register")).Choose(dir.File("alt.idx.txt")).Cancel();
  Click(prog->DatenSpeichern);
  Click(prog->DatenSpeichern);
  Click(prog->DatenSpeichern);
  EXPECT_EQ(testsupport::ReadBytes(dir.File("register.idx")), "Haus:1>-\r\nHof:1>-|2>-\r\n");
  EXPECT_EQ(testsupport::ReadBytes(dir.File("alt.idx.txt")), "Haus:1>-\r\nHof:1>-|2>-\r\n");
  EXPECT_EQ(answers.dialogs, Strings(3, "SaveIndex"));
  start->spr->SetCaption("de");
  SetProgLanguage();
  answers.Choose(dir.File("register.idx"));
  Click(prog->DatenSpeichern);
  EXPECT_EQ(answers.filters, Strings({"Index (*.idx)|*.idx|All Files (*.*)|*.*", "Index (*.idx)|*.idx|All Files (*.*)|*.*",
                                      "Index (*.idx)|*.idx|All Files (*.*)|*.*",
                                      "Index (*.idx)|*.idx|Alle Dateien (*.*)|*.*"}));

  // A new text index extends the saved one.
  prog->mneutxtClick(nullptr);
  EXPECT_EQ(ActivePage(), prog->tt1);
  EXPECT_EQ(prog->original->GetText(), L"");
  EXPECT_EQ(prog->output->GetText(), L"");
  EXPECT_TRUE(prog->TextIndexStore().Empty());
  TypeSourceByLines("Garten\r\nHaus");
  answers.Choose(dir.File("register.idx"));
  Click(prog->andindex);
  Click(prog->ft_start);
  EXPECT_EQ(OutputLines(), Strings({"Index", "", "G", "Garten 1", "", "H", "Haus 1, 2", "Hof 1, 2"}));
  EXPECT_TRUE(boxes.texts.empty());

  // "Text Index Laden": a cancelled choice runs nothing, a chosen index runs at once.
  prog->output->Clear();
  answers.Cancel().Choose(dir.File("alt.idx.txt"));
  prog->mtidxloadClick(nullptr);
  EXPECT_EQ(prog->output->GetText(), L"");
  prog->mtidxloadClick(nullptr);
  EXPECT_EQ(ActivePage(), prog->tt6);
  EXPECT_EQ(OutputLines(), Strings({"Index", "", "G", "Garten 1", "", "H", "Haus 1, 2", "Hof 1, 2"}));
}

TEST(TextWizardIndexData, AnEmptyStoreGivesAFileWithAtMostItsMark) {
  WizardWindows wizard;
  DialogAnswers answers;
  testsupport::TempDir dir;
  prog->mneutxtClick(nullptr);
  {
    OutputEncodingAs encoding(kEncodingUtf8BOM, false);
    answers.Choose(dir.File("leer8.idx"));
    Click(prog->DatenSpeichern);
  }
  {
    OutputEncodingAs encoding(kEncodingUtf16BE, true);
    answers.Choose(dir.File("leer16.idx"));
    Click(prog->DatenSpeichern);
  }
  answers.Choose(dir.File("leer.idx"));
  Click(prog->DatenSpeichern);
  EXPECT_EQ(testsupport::ReadBytes(dir.File("leer8.idx")), "\xEF\xBB\xBF");
  EXPECT_EQ(testsupport::ReadBytes(dir.File("leer16.idx")), "\xFE\xFF");
  EXPECT_EQ(GetFileAttributesA(dir.File("leer.idx").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
  EXPECT_EQ(testsupport::ReadBytes(dir.File("leer.idx")), "");
}
