// The text-to-index editor through its window: lines typed, pasted or loaded become entries by
// the options, index data files with drive-letter links load and save whole, and the entries go
// to the text and the file wizard as the index they extend.
#include <gtest/gtest.h>
#include <windows.h>

#include "TextIndexWindows.h"
#include "WindowsTestSupport.h"
#include "classlib/ScopedHandles.h"
#include "engine/u_FileIndex.h"
#include "engine/u_TempFiles.h"
#include "engine/u_TextIndex.h"
#include "engine/u_WideFuncText.h"
#include "forms/u_fileix.h"
#include "forms/u_edittxt2idx.h"
#include "forms/u_einstausgabe.h"
#include "forms/u_hdesign.h"
#include "forms/u_quhopt.h"
#include "forms/u_textdesign.h"
#include "forms/u_textix.h"
#include "forms/u_prog.h"
#include "support/TestSupport.h"

using formstest::Click;
using formstest::DialogAnswers;
using formstest::Lines;
using formstest::MessageBoxes;
using formstest::Narrow;
using formstest::OutputEncodingAs;
using formstest::TextIndexWindows;
using formstest::Wide;
using Strings = std::vector<std::string>;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

namespace {

void SetTextRows(const Strings& lines) {
  TListItems* rows = edittxt2idx->text->GetItems();
  rows->Clear();
  for (const std::string& line : lines) rows->Add()->SetCaption(line);
}

Strings TextRows() {
  Strings rows;
  TListItems* items = edittxt2idx->text->GetItems();
  for (int i = 0; i < items->GetCount(); ++i) rows.push_back(items->GetItem(i)->GetCaption());
  return rows;
}

// Each entry as caption | pages | source.
Strings IndexRows() {
  Strings rows;
  TListItems* items = edittxt2idx->index->GetItems();
  for (int i = 0; i < items->GetCount(); ++i) {
    std::string row = items->GetItem(i)->GetCaption();
    TStrings* sub = items->GetItem(i)->GetSubItems();
    for (int s = 0; s < sub->GetCount(); ++s) row += " | " + sub->Get(s);
    rows.push_back(row);
  }
  return rows;
}

void SelectRows(TListView* list, std::initializer_list<int> rows) {
  for (int row : rows) list->GetItems()->GetItem(row)->SetSelected(true);
}

// Clicks the header of a list's column, as the list view tells its parent.
void ClickColumn(TListView* list, int column) {
  NMLISTVIEW click{};
  click.hdr.hwndFrom = list->GetHandle();
  click.hdr.idFrom = GetDlgCtrlID(list->GetHandle());
  click.hdr.code = LVN_COLUMNCLICK;
  click.iItem = -1;
  click.iSubItem = column;
  SendMessageA(GetParent(list->GetHandle()), WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
}

}  // namespace

TEST(TextToIndexEditor, TypedLinesBecomeEntriesAndTheRestStays) {
  TextIndexWindows windows;
  SetTextRows({"Haus 12, 15", "Dach 3", "Einleitung", " Vorwort 1", "Haus T\xFCr 7"});
  Click(edittxt2idx->bt_t2i);  // nothing chosen: every row
  EXPECT_EQ(TextRows(), Strings({"Einleitung", " Vorwort 1"}));
  EXPECT_EQ(IndexRows(), Strings({"Dach | 3(-) | Dach 3", "Haus | 12(-), 15(-) | Haus 12, 15",
                                  "Haus T\xFCr | 7(-) | Haus T\xFCr 7"}));

  // Chosen rows only, with compound words counted to the pages.
  SetTextRows({"Garten Zaun 4", "Hof 9"});
  Click(edittxt2idx->zus_seite);
  SelectRows(edittxt2idx->text, {0});
  Click(edittxt2idx->bt_t2i);
  EXPECT_EQ(TextRows(), Strings({"Hof 9"}));
  EXPECT_EQ(IndexRows()[1], "Garten | Zaun 4(-) | Garten Zaun 4");
  Click(edittxt2idx->zus_auslassen);
  SetTextRows({"Garten Zaun 4"});
  Click(edittxt2idx->bt_t2i);
  EXPECT_EQ(TextRows(), Strings({"Garten Zaun 4"}));

  // Back to the text side: the source line of the row.
  edittxt2idx->index->ClearSelection();
  SelectRows(edittxt2idx->index, {0});
  Click(edittxt2idx->i2t);
  EXPECT_EQ(TextRows(), Strings({"Garten Zaun 4", "Dach 3"}));
  EXPECT_EQ(IndexRows().size(), 3u);
}

TEST(TextToIndexEditor, APrintedIndexPastedAsTextWithLinksAndOtherSeparators) {
  TextIndexWindows windows;
  testsupport::TempDir folder;
  WriteBytes(folder.File("register.txt"),
             "\xEF\xBB\xBFRegister\r\nAlpen ... 12>alpen.htm; 40>b.htm\r\nBerge ... a.htm>7\r\n; Kommentar\r\n");
  edittxt2idx->zwes->SetText(" ... ");
  edittxt2idx->zws->SetText("; ");
  Click(edittxt2idx->cb_linksvorhanden);
  DialogAnswers dialogs;
  dialogs.Choose(folder.File("register.txt")).Cancel();
  Click(edittxt2idx->TextOffnen);
  EXPECT_EQ(TextRows(), Strings({"Register", "Alpen ... 12>alpen.htm; 40>b.htm", "Berge ... a.htm>7", "; Kommentar"}));
  // Rows holding the given characters and rows shorter than 9 characters go.
  edittxt2idx->bentf->SetText(L"Komm");
  Click(edittxt2idx->BstEntf);
  edittxt2idx->lentf->SetText(L"9");
  Click(edittxt2idx->LangEntf);
  EXPECT_EQ(TextRows(), Strings({"Alpen ... 12>alpen.htm; 40>b.htm", "Berge ... a.htm>7"}));
  Click(edittxt2idx->bt_t2i);
  EXPECT_EQ(IndexRows(), Strings({"Alpen | 12(alpen.htm), 40(b.htm) | Alpen ... 12>alpen.htm; 40>b.htm",
                                  "Berge | a.htm(7) | Berge ... a.htm>7"}));
  // A cancelled load adds nothing; with "delete old text" the list is emptied all the same.
  SetTextRows({"x"});
  Click(edittxt2idx->cb_deletetxt);
  Click(edittxt2idx->TextOffnen);
  EXPECT_EQ(TextRows(), Strings());
}

TEST(TextToIndexEditor, IndexDataFilesWithDriveLetterLinksLoadAndSaveWhole) {
  TextIndexWindows windows;
  testsupport::TempDir folder;
  WriteBytes(folder.File("files.idx"), "Haus:Doc>C:\\docs\\a.htm|B>D:\\b.htm\r\nohne Doppelpunkt\r\nEnde:\r\n");
  {
    DialogAnswers dialogs;
    dialogs.Choose(folder.File("files.idx")).Choose(folder.File("copy"));
    Click(edittxt2idx->IdxLaden);
    EXPECT_EQ(IndexRows(), Strings({"Haus | Doc(C:\\docs\\a.htm), B(D:\\b.htm)"}));
    Click(edittxt2idx->IdxSpeichern);
  }
  // ".idx" is added to a name without it; the links come back whole.
  EXPECT_EQ(ReadBytes(folder.File("copy.idx")), "Haus:Doc>C:\\docs\\a.htm|B>D:\\b.htm\r\n");
  {
    OutputEncodingAs utf16(1200, true);
    DialogAnswers dialogs;
    dialogs.Choose(folder.File("copy.idx.txt"));
    Click(edittxt2idx->IdxSpeichern);
  }
  EXPECT_EQ(Narrow(LoadTextFileW(Wide(folder.File("copy.idx.txt")))), "Haus:Doc>C:\\docs\\a.htm|B>D:\\b.htm\r\n");
  EXPECT_EQ(ReadBytes(folder.File("copy.idx.txt")).substr(0, 2), "\xFF\xFE");

  // Loading again adds; with "delete old items" it replaces.
  {
    DialogAnswers dialogs;
    dialogs.Choose(folder.File("copy.idx")).Choose(folder.File("copy.idx"));
    Click(edittxt2idx->IdxLaden);
    EXPECT_EQ(IndexRows().size(), 2u);
    Click(edittxt2idx->cb_deleteidx);
    Click(edittxt2idx->IdxLaden);
    EXPECT_EQ(IndexRows().size(), 1u);
  }
}

TEST(TextToIndexEditor, ColumnClicksSortBothWaysAndDeleteRemovesEntries) {
  TextIndexWindows windows;
  SetTextRows({"beta 2", "Alpha 10", "gamma 1"});
  Click(edittxt2idx->bt_t2i);
  EXPECT_EQ(IndexRows().front().substr(0, 5), "Alpha");
  ClickColumn(edittxt2idx->index, 1);  // pages ascending, as text
  EXPECT_EQ(IndexRows(), Strings({"gamma | 1(-) | gamma 1", "Alpha | 10(-) | Alpha 10", "beta | 2(-) | beta 2"}));
  ClickColumn(edittxt2idx->index, 1);  // the same column again: descending
  EXPECT_EQ(IndexRows().front().substr(0, 4), "beta");
  ClickColumn(edittxt2idx->index, 0);  // another column: ascending, case ignored
  EXPECT_EQ(IndexRows(), Strings({"Alpha | 10(-) | Alpha 10", "beta | 2(-) | beta 2", "gamma | 1(-) | gamma 1"}));
  SelectRows(edittxt2idx->index, {1});
  PostMessageA(edittxt2idx->index->GetHandle(), WM_KEYDOWN, VK_DELETE, 0x00530001);
  formstest::Pump();
  EXPECT_EQ(IndexRows().size(), 2u);
  EXPECT_EQ(IndexRows()[1].substr(0, 5), "gamma");
}

// The list's Delete deletes entries and the window's Escape closes it; while an entry is renamed
// in place both keys belong to the renaming.
TEST(TextToIndexEditor, AnEntryRenamedInPlaceKeepsItsRowAndTheWindowThroughDeleteAndEscape) {
  TextIndexWindows windows;
  windows.LeaveToProcessEnd();
  SetTextRows({"beta 2", "Alpha 10"});
  Click(edittxt2idx->bt_t2i);
  edittxt2idx->Show();
  SetForegroundWindow(edittxt2idx->GetHandle());
  const Strings rows = IndexRows();
  SelectRows(edittxt2idx->index, {0});
  edittxt2idx->textDblClick(edittxt2idx->index);
  auto editor = [] { return wintest::LabelEditor(edittxt2idx->index); };
  ASSERT_NE(editor(), nullptr);
  wintest::PressKeys({VK_HOME, VK_DELETE});
  EXPECT_EQ(IndexRows().size(), 2u);
  wintest::PressKeys({VK_ESCAPE});
  EXPECT_EQ(editor(), nullptr) << "Escape ends the renaming";
  EXPECT_TRUE(IsWindowVisible(edittxt2idx->GetHandle())) << "and leaves the window open";
  EXPECT_EQ(IndexRows(), rows);
  edittxt2idx->Hide();
}

// Entries outside the code page stay whole from the file through the list back to the file, sort
// by the locale without regard to case, and the sort state is the file wizard list's.
TEST(TextToIndexEditor, EntriesOutsideTheCodePageStayWholeAndSortByTheLocale) {
  TextIndexWindows windows;
  testsupport::TempDir folder;
  const std::wstring lines = L"\x0432\x043E\x0434\x0430:1>-\r\n"      // вода
                             L"\x0410\x0440\x0431\x0443\x0437:2>-\r\n"  // Арбуз
                             L"\x0431\x043E\x0447\x043A\x0430:3>\x0436.htm\r\n";  // бочка, ж.htm
  OutputEncodingAs utf8(65001, false);
  ASSERT_TRUE(SaveTextFileW(lines, Wide(folder.File("ru.idx")), 65001, false));
  DialogAnswers dialogs;
  dialogs.Choose(folder.File("ru.idx")).Choose(folder.File("sorted.idx"));
  Click(edittxt2idx->IdxLaden);
  TListItems* rows = edittxt2idx->index->GetItems();
  ASSERT_EQ(rows->GetCount(), 3);

  FileListSort = TFileListSort{};
  FileListSort.Click(1);  // the file wizard's list was last sorted by its second column
  ClickColumn(edittxt2idx->index, 1);  // so the same column here turns the direction
  EXPECT_TRUE(FileListSort.Descending);
  ClickColumn(edittxt2idx->index, 0);
  EXPECT_FALSE(FileListSort.Descending);
  EXPECT_EQ(WideListItemCaption(rows->GetItem(0)), L"\x0410\x0440\x0431\x0443\x0437");
  EXPECT_EQ(WideListItemCaption(rows->GetItem(1)), L"\x0431\x043E\x0447\x043A\x0430");
  EXPECT_EQ(WideListItemCaption(rows->GetItem(2)), L"\x0432\x043E\x0434\x0430");

  Click(edittxt2idx->IdxSpeichern);
  EXPECT_EQ(LoadTextFileW(Wide(folder.File("sorted.idx"))),
            L"\x0410\x0440\x0431\x0443\x0437:2>-\r\n\x0431\x043E\x0447\x043A\x0430:3>\x0436.htm\r\n"
            L"\x0432\x043E\x0434\x0430:1>-\r\n");
  FileListSort = TFileListSort{};
}

TEST(TextToIndexEditor, EntriesHandedToTheTextWizardExtendItsIndex) {
  TextIndexWindows windows;
  prog->qu_text->SetChecked(true);
  prog->original->SetText(L"Haus am See");
  prog->sz_zeilezuseite->SetChecked(true);
  prog->sz_beginn->SetText(L"20");
  SetTextRows({"Dach 3, 9", "Haus 5"});
  Click(edittxt2idx->bt_t2i);
  edittxt2idx->Show();
  Click(edittxt2idx->ToTxtIdx);
  EXPECT_FALSE(edittxt2idx->GetVisible());
  const std::wstring handOver = TempFileName(TTempFile::IndexHandOver);
  EXPECT_EQ(prog->kt_index->GetCaption(), handOver);
  EXPECT_TRUE(prog->kt_integrieren->GetChecked());
  EXPECT_EQ(prog->pct->GetActivePage(), prog->tt6);
  EXPECT_EQ(Lines(prog->output->GetText()),
            Strings({"Index", "", "D", "Dach 3, 9", "", "H", "Haus 5, 20", "", "S", "See 20"}));
  // The hand-over file is this process's own, not a fixed path.
  EXPECT_EQ(handOver.find(L"C:\\temp.idx"), std::wstring::npos);
  EXPECT_EQ(Narrow(LoadTextFileW(handOver)), "Dach:3>-|9>-\r\nHaus:5>-\r\n");
}

TEST(TextToIndexEditor, EntriesHandedToTheFileWizardExtendItsIndex) {
  TextIndexWindows windows;
  quhopt = new Tquhopt(nullptr);
  textdesign = new Ttextdesign(nullptr);
  hdesign = new Thdesign(nullptr);
  einstausgabe = new Teinstausgabe(nullptr);
  ScopeExit freeWindows([] {
    for (TForm* form : std::initializer_list<TForm*>{einstausgabe, hdesign, textdesign, quhopt}) form->Free();
    quhopt = nullptr;
    textdesign = nullptr;
    hdesign = nullptr;
    einstausgabe = nullptr;
  });
  testsupport::TempDir folder;
  WriteBytes(folder.File("a.txt"), "Haus und Garten");
  prog->textindex->SetChecked(true);
  AddFileToFileList(prog->qulist, Wide(folder.File("a.txt")));
  edittxt2idx->cb_linksvorhanden->SetChecked(true);
  SetTextRows({"Dach Kapitel>c:\\b\\k.htm"});
  Click(edittxt2idx->bt_t2i);
  Click(edittxt2idx->ToHTMLIdx);
  EXPECT_EQ(prog->dkt_index->GetCaption(), TempFileName(TTempFile::IndexHandOver));
  EXPECT_TRUE(prog->dkt_integrieren->GetChecked());
  EXPECT_EQ(prog->dct->GetActivePage(), prog->td5);
  const std::string output = formstest::Narrow(prog->doutput->GetText());
  EXPECT_NE(output.find("Dach"), std::string::npos) << output;
  EXPECT_NE(output.find("Haus"), std::string::npos) << output;
  EXPECT_NE(output.find("c:\\b\\k.htm"), std::string::npos) << output;
}

TEST(TextToIndexEditor, AHandOverThroughATemporaryFolderInGreekLettersKeepsItsPath) {
  formstest::FileIndexWindows windows;
  MessageBoxes boxes;
  testsupport::TempDir dir;
  const std::wstring folder = Wide(dir.Path()) + L"\\\x03A7\x03C1\x03AE\x03C3\x03C4\x03B7\x03C2";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  formstest::TemporaryFolderAs temporary(folder);
  prog->qu_text->SetChecked(true);
  prog->original->SetText(L"Haus am See");
  SetTextRows({"Dach 3"});
  Click(edittxt2idx->bt_t2i);
  Click(edittxt2idx->ToTxtIdx);
  const std::wstring handOver = TempFileName(TTempFile::IndexHandOver);
  ASSERT_EQ(handOver.rfind(folder + L"\\", 0), 0u);
  EXPECT_EQ(prog->kt_index->GetCaption(), handOver);
  EXPECT_NE(prog->output->GetText().find(L"Dach 3"), std::wstring::npos) << "the run did not read the index";
  DescribeTextIndexSettings(prog->tt4);
  EXPECT_NE(prog->zusammenfassung->GetCaption().find(handOver), std::wstring::npos);

  // The file wizard alike.
  SetTextRows({"Dach 3"});
  Click(edittxt2idx->bt_t2i);
  Click(edittxt2idx->ToHTMLIdx);
  EXPECT_EQ(prog->dkt_index->GetCaption(), handOver);
  EXPECT_NE(prog->doutput->GetText().find(L"Dach"), std::wstring::npos) << "the run did not read the index";
  DescribeFileIndexSettings(prog->td3);
  EXPECT_NE(prog->dzusammenfassung->GetCaption().find(handOver), std::wstring::npos);
  EXPECT_EQ(boxes.texts, std::vector<std::string>());
}

TEST(TextToIndexEditor, AnIndexFileThatCannotBeWrittenIsToldAndNothingIsHandedOver) {
  TextIndexWindows windows;
  testsupport::TempDir folder;
  SetTextRows({"Haus 1"});
  Click(edittxt2idx->bt_t2i);
  MessageBoxes boxes;
  DialogAnswers dialogs;
  dialogs.Choose(folder.File("missing\\folder\\x.idx"));
  Click(edittxt2idx->IdxSpeichern);
  EXPECT_EQ(boxes.texts.size(), 1u);
}
