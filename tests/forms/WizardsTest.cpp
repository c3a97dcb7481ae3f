// The file wizard and the keyword wizard driven through their buttons, lists and messages:
// page flow, adding files by a typed path, the open dialog and drops from the shell, deleting,
// sorting by a column, runs on real files and the results saved through the dialogs. The
// page saved here is left in bin/fileindex-out for the independent checkers.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "TextIndexWindows.h"
#include "WindowsTestSupport.h"
#include "classlib/CommonDialogs.h"
#include "classlib/SysUtils.h"
#include "engine/u_IndexStore.h"
#include "engine/u_TempFiles.h"
#include "engine/u_WideFuncText.h"
#include "forms/u_fileix.h"
#include "forms/u_prog.h"
#include "forms/u_quhopt.h"
#include "forms/u_start.h"
#include "forms/u_textix.h"
#include "support/TestSupport.h"

namespace {

std::wstring Wide(const std::string& narrow) { return std::wstring(narrow.begin(), narrow.end()); }

void Drop(TListView* list, const std::vector<std::string>& names) {
  std::vector<std::wstring> wide;
  for (const auto& name : names) wide.push_back(Wide(name));
  formstest::DropOnto(list, wide);
}

std::vector<std::string> Captions(TListView* list) {
  std::vector<std::string> captions;
  for (int i = 0; i < list->GetItems()->GetCount(); ++i) captions.push_back(formstest::Narrow(list->GetItems()->GetItem(i)->GetCaption()));
  return captions;
}

// Counts what a list view is told while messages pass on to its window procedure.
class ListMessages {
 public:
  explicit ListMessages(TListView* list) : m_list(list), m_previous(list->GetWindowProc()) {
    list->SetWindowProc(TWndMethod(this, &ListMessages::Seen));
  }
  ~ListMessages() { m_list->SetWindowProc(m_previous); }
  ListMessages(const ListMessages&) = delete;
  ListMessages& operator=(const ListMessages&) = delete;
  int redrawsOff = 0;  // WM_SETREDRAW with false: an update of the items begins
  int sorts = 0;

 private:
  void Seen(TMessage& message) {
    if (message.Msg == WM_SETREDRAW && message.WParam == FALSE) ++redrawsOff;
    if (message.Msg == LVM_SORTITEMS) ++sorts;
    m_previous(message);
  }
  TListView* m_list;
  TWndMethod m_previous;
};

// Answers the common dialogs with a file name (empty: cancel) and counts them.
class Dialogs {
 public:
  Dialogs() {
    m_previous = SetCommonDialogAnswerer([this](TCommonDialog& dialog) {
      ++shown;
      if (answer.empty()) return false;
      if (auto* file = dynamic_cast<TOpenDialog*>(&dialog)) file->SetFileName(answer);
      return true;
    });
  }
  ~Dialogs() { SetCommonDialogAnswerer(m_previous); }
  std::string answer;
  int shown = 0;

 private:
  TCommonDialogAnswerer m_previous;
};

class WizardsTest : public ::testing::Test {
 protected:
  WizardsTest() { FileListSort = KeywordListSort = TFileListSort{}; }
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = dir.File(name);
    testsupport::WriteBytes(path, bytes);
    return path;
  }
  testsupport::TempDir dir;
  formstest::FileIndexWindows windows;
  formstest::MessageBoxes boxes;
  Dialogs dialogs;
};

TEST_F(WizardsTest, FileWizardPagesFollowTheButtonsAndTabs) {
  prog->rand_btdidx->Click();
  EXPECT_TRUE(prog->pgdateien->GetVisible());
  EXPECT_EQ(prog->dct->GetActivePage(), prog->td1);
  EXPECT_FALSE(prog->dbt1->GetVisible());
  prog->dbt2->Click();
  EXPECT_EQ(prog->dct->GetActivePage(), prog->td2);
  EXPECT_TRUE(prog->dbt1->GetVisible());
  prog->dbt2->Click();
  EXPECT_EQ(prog->dct->GetActivePage(), prog->td3);
  EXPECT_FALSE(prog->dbt2->GetEnabled());
  EXPECT_NE(prog->dzusammenfassung->GetCaption(), L"");
  prog->dbt1->Click();
  EXPECT_EQ(prog->dct->GetActivePage(), prog->td2);
  // From the result page back goes past the progress page.
  prog->dct->SetActivePage(prog->td5);
  prog->dctChange(prog->dct);
  EXPECT_FALSE(prog->dbt2->GetEnabled());
  prog->dbt1->Click();
  EXPECT_EQ(prog->dct->GetActivePage(), prog->td3);
  // The progress tab starts no run.
  prog->dct->SetActivePage(prog->td4);
  prog->dctChange(prog->dct);
  EXPECT_FALSE(prog->dbt2->GetEnabled());
  EXPECT_TRUE(prog->dstart->GetEnabled());
  EXPECT_EQ(prog->doutput->GetText(), L"");
}

TEST_F(WizardsTest, KeywordWizardPagesFollowTheButtonsAndTabs) {
  prog->start_label3->Click();
  EXPECT_TRUE(prog->pgstw->GetVisible());
  EXPECT_EQ(prog->sct->GetActivePage(), prog->ts1);
  EXPECT_FALSE(prog->sbt1->GetVisible());
  prog->sbt2->Click();
  prog->sbt2->Click();
  EXPECT_EQ(prog->sct->GetActivePage(), prog->ts3);
  EXPECT_FALSE(prog->sbt2->GetEnabled());
  EXPECT_NE(prog->szusammenfassung->GetCaption(), L"");
  prog->sct->SetActivePage(prog->ts4);
  prog->sctChange(prog->sct);
  EXPECT_FALSE(prog->sstart->GetEnabled());
  prog->sct->SetActivePage(prog->ts5);
  prog->sctChange(prog->sct);
  prog->sbt1->Click();
  EXPECT_EQ(prog->sct->GetActivePage(), prog->ts3);
  prog->sbt1->Click();
  prog->sbt1->Click();
  EXPECT_EQ(prog->sct->GetActivePage(), prog->ts1);
}

TEST_F(WizardsTest, FilesAreAddedByTypedPathAndByTheOpenDialog) {
  const std::string a = Write("apfel.txt", "Apfel Birne");
  // A name that does not exist is ignored; Enter is swallowed either way.
  prog->qudatei->SetText(formstest::Wide(dir.File("fehlt.txt")));
  char key = '\r';
  prog->qudateiKeyPress(prog->qudatei, key);
  EXPECT_EQ(key, 0);
  EXPECT_EQ(prog->qulist->GetItems()->GetCount(), 0);
  // Cancelled dialog: nothing changes.
  prog->DateiAuswahl->Click();
  EXPECT_EQ(dialogs.shown, 1);
  EXPECT_EQ(prog->qulist->GetItems()->GetCount(), 0);
  dialogs.answer = a;
  prog->DateiAuswahl->Click();
  EXPECT_EQ(prog->qudatei->GetText(), formstest::Wide(a));
  ASSERT_EQ(prog->qulist->GetItems()->GetCount(), 1);
  EXPECT_EQ(prog->qulist->GetItems()->GetItem(0)->GetSubItems()->Get(kFileListSourceColumn), formstest::Wide(a));
  // Enter in the path field adds the same file again when doubles are allowed.
  quhopt->doppelteweg->SetChecked(false);
  key = '\r';
  prog->qudateiKeyPress(prog->qudatei, key);
  EXPECT_EQ(prog->qulist->GetItems()->GetCount(), 2);
  // The keyword wizard's twins fill its own list.
  prog->squpfad->SetText(formstest::Wide(a));
  key = '\r';
  prog->squpfadKeyPress(prog->squpfad, key);
  EXPECT_EQ(prog->squlist->GetItems()->GetCount(), 1);
  EXPECT_EQ(prog->qulist->GetItems()->GetCount(), 2);
}

TEST_F(WizardsTest, DeletingRemovesExactlyTheSelectedRows) {
  for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"}) AddFileToFileList(prog->qulist, Wide(Write(name, "x")));
  TListItems* items = prog->qulist->GetItems();
  ASSERT_EQ(Captions(prog->qulist), (std::vector<std::string>{"A", "B", "C", "D", "E"}));
  items->GetItem(1)->SetSelected(true);
  items->GetItem(3)->SetSelected(true);
  items->GetItem(4)->SetSelected(true);
  prog->DeleteRow->Click();
  EXPECT_EQ(Captions(prog->qulist), (std::vector<std::string>{"A", "C"}));
  // The Delete key does the same.
  items->GetItem(0)->SetSelected(true);
  WORD key = VK_DELETE;
  prog->qulistKeyDown(prog->qulist, key, 0);
  EXPECT_EQ(Captions(prog->qulist), (std::vector<std::string>{"C"}));
  prog->DeleteAll->Click();
  EXPECT_EQ(items->GetCount(), 0);
}

TEST_F(WizardsTest, ADoubleClickedLabelIsEditedInPlaceAndTheRunUsesIt) {
  // The user double-clicks in the shown window, which takes the focus.
  windows.LeaveToProcessEnd();
  prog->Show();
  prog->rand_btdidx->Click();
  AddFileToFileList(prog->qulist, Wide(Write("hafen.txt", "Anker")));
  prog->qulist->GetItems()->GetItem(0)->SetSelected(true);
  prog->qulistDblClick(prog->qulist);
  HWND edit = wintest::LabelEditor(prog->qulist);
  ASSERT_NE(edit, nullptr) << "no label editing";
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Alter Hafen"));
  SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(wintest::LabelEditor(prog->qulist), nullptr) << "Enter ends the editing";
  EXPECT_EQ(Captions(prog->qulist), std::vector<std::string>{"Alter Hafen"});
  // The index names the document by its new label.
  prog->textindex->SetChecked(true);
  prog->dstart->Click();
  EXPECT_NE(prog->doutput->GetText().find(L"Alter Hafen"), std::wstring::npos) << formstest::Narrow(prog->doutput->GetText());
  // Without a selected row nothing is edited.
  prog->qulist->GetItems()->GetItem(0)->SetSelected(false);
  prog->qulistDblClick(prog->qulist);
  EXPECT_EQ(wintest::LabelEditor(prog->qulist), nullptr);
}

TEST_F(WizardsTest, ALabelEditedInPlaceKeepsItsRowThroughDeleteAndEnterKeepsItEscapeDropsIt) {
  windows.LeaveToProcessEnd();
  prog->Show();
  prog->rand_btdidx->Click();
  AddFileToFileList(prog->qulist, Wide(Write("hafen.txt", "Anker")));
  AddFileToFileList(prog->qulist, Wide(Write("mole.txt", "Kai")));
  TListItems* rows = prog->qulist->GetItems();
  rows->GetItem(0)->SetSelected(true);
  SetForegroundWindow(prog->GetHandle());
  auto editor = [] { return wintest::LabelEditor(prog->qulist); };
  prog->qulistDblClick(prog->qulist);
  ASSERT_NE(editor(), nullptr) << "no label editing";
  ASSERT_EQ(GetFocus(), editor());
  // Delete and Backspace edit the label; the row (selected, as Delete in the list deletes it)
  // stays.
  wintest::PressKeys({VK_HOME, VK_DELETE, VK_END, VK_BACK});
  wintest::TypeChars(L"\x0416");
  EXPECT_EQ(rows->GetCount(), 2);
  wintest::PressKeys({VK_RETURN});
  EXPECT_EQ(editor(), nullptr) << "Enter ends the editing";
  EXPECT_EQ(Captions(prog->qulist), (std::vector<std::string>{"afe?", "Mole"}));
  EXPECT_EQ(prog->qulist->GetItems()->GetItem(0)->GetCaption(), L"afe\x0416");
  // Escape drops what was typed.
  prog->qulistDblClick(prog->qulist);
  ASSERT_NE(editor(), nullptr);
  wintest::PressKeys({VK_DELETE, VK_DELETE});
  wintest::TypeChars(L"neu");
  wintest::PressKeys({VK_ESCAPE});
  EXPECT_EQ(editor(), nullptr) << "Escape ends the editing";
  EXPECT_EQ(prog->qulist->GetItems()->GetItem(0)->GetCaption(), L"afe\x0416");
  EXPECT_EQ(rows->GetCount(), 2);
}

TEST_F(WizardsTest, ColumnClicksSortByLabelTextAndSizeAndTurnTheDirection) {
  // 9.5 KB, 10 KB, 1500 KB (a size written with a thousands separator) and a link's empty size.
  AddFileToFileList(prog->qulist, Wide(Write("mittel.txt", std::string(9728, 'x'))));
  AddFileToFileList(prog->qulist, Wide(Write("gross.txt", std::string(10240, 'x'))));
  AddFileToFileList(prog->qulist, Wide(Write("riesig.txt", std::string(1536000, 'x'))));
  TListItem* link = prog->qulist->GetItems()->Add();
  link->SetCaption("Zeiger");
  for (const char* cell : {"zeiger.html", "", "", "", ""}) link->GetSubItems()->Add(cell);
  TListColumns* columns = prog->qulist->GetColumns();
  auto click = [&](int column) { prog->qulistColumnClick(prog->qulist, columns->GetItem(column)); };
  ASSERT_EQ(FileListSort.PreviousColumn, 0);
  // Size ascending, then descending.
  click(4);
  EXPECT_EQ(Captions(prog->qulist), (std::vector<std::string>{"Zeiger", "Mittel", "Gross", "Riesig"}));
  click(4);
  EXPECT_EQ(Captions(prog->qulist), (std::vector<std::string>{"Riesig", "Gross", "Mittel", "Zeiger"}));
  // Another column ascending, then size ascending again.
  click(1);
  EXPECT_FALSE(FileListSort.Descending);
  EXPECT_EQ(Captions(prog->qulist), (std::vector<std::string>{"Gross", "Mittel", "Riesig", "Zeiger"}));
  click(4);
  EXPECT_EQ(Captions(prog->qulist).front(), "Zeiger");
  // Labels without regard to case.
  prog->qulist->GetItems()->GetItem(0)->SetCaption(L"anton");
  click(0);
  EXPECT_EQ(Captions(prog->qulist), (std::vector<std::string>{"anton", "Gross", "Mittel", "Riesig"}));
  // The keyword list has a sort state of its own.
  AddFileToFileList(prog->squlist, Wide(dir.File("gross.txt")));
  prog->squlistColumnClick(prog->squlist, prog->squlist->GetColumns()->GetItem(4));
  EXPECT_EQ(KeywordListSort.Column, 4);
  EXPECT_EQ(FileListSort.Column, 0);
  prog->squlistColumnClick(prog->squlist, prog->squlist->GetColumns()->GetItem(4));
  EXPECT_TRUE(KeywordListSort.Descending);
  EXPECT_FALSE(FileListSort.Descending);
}

TEST_F(WizardsTest, TheFirstClickOnTheLabelColumnSortsDescending) {
  FileListSort = TFileListSort{};
  for (const char* name : {"b.txt", "a.txt", "c.txt"}) AddFileToFileList(prog->qulist, Wide(Write(name, "x")));
  prog->qulistColumnClick(prog->qulist, prog->qulist->GetColumns()->GetItem(0));
  EXPECT_EQ(Captions(prog->qulist), (std::vector<std::string>{"C", "B", "A"}));
}

TEST_F(WizardsTest, DroppedFilesGoToTheListOfTheShownWizardAndFoldersAreSkipped) {
  const std::string a = Write("a.txt", "Anker"), b = Write("b.txt", "Boje");
  const std::string folder = dir.File("ordner");
  CreateDirectoryA(folder.c_str(), nullptr);
  // The start panel is shown: the keyword wizard's list takes the files, whichever list got them.
  ASSERT_TRUE(prog->pstart->GetVisible());
  Drop(prog->qulist, {a, folder, b});
  EXPECT_EQ(Captions(prog->squlist), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(prog->qulist->GetItems()->GetCount(), 0);
  prog->rand_btdidx->Click();
  Drop(prog->squlist, {b});
  EXPECT_EQ(Captions(prog->qulist), (std::vector<std::string>{"B"}));
  prog->rand_btstw->Click();
  Drop(prog->squlist, {folder});
  EXPECT_EQ(prog->squlist->GetItems()->GetCount(), 2);
}

TEST_F(WizardsTest, EveryPanelSendsDropsOntoEitherListToTheListOfItsWizard) {
  const std::string file = Write("a.txt", "Anker"), folder = dir.File("ordner");
  CreateDirectoryA(folder.c_str(), nullptr);
  struct Case {
    TSpeedButton* panel;
    TListView* target;
  };
  const Case cases[] = {{prog->rand_btstart, prog->squlist}, {prog->rand_bttxtidx, prog->squlist},
                        {prog->rand_btdidx, prog->qulist},   {prog->rand_btstw, prog->squlist},
                        {prog->rand_btinfo, prog->squlist}};
  for (const Case& shown : cases) {
    for (TListView* receiver : {prog->qulist, prog->squlist}) {
      SCOPED_TRACE(shown.panel->GetName() + " onto " + receiver->GetName());
      prog->DeleteAll->Click();
      prog->sqdeleteall->Click();
      shown.panel->Click();
      Drop(receiver, {folder, file});
      TListView* other = shown.target == prog->qulist ? prog->squlist : prog->qulist;
      EXPECT_EQ(Captions(shown.target), std::vector<std::string>{"A"});
      EXPECT_EQ(other->GetItems()->GetCount(), 0);
    }
  }
}

TEST_F(WizardsTest, ThousandsOfDroppedFilesArriveOnceEachInOneUpdateOfEitherList) {
  // Dropped in an order of their own, one of them twice.
  std::vector<std::string> names, labels;
  for (int i = 0; i < 2000; ++i) {
    char name[16];
    snprintf(name, sizeof(name), "d%04d.txt", (i * 7) % 2000);
    names.push_back(Write(name, "Anker"));
  }
  for (int i = 0; i < 2000; ++i) {
    char label[16];
    snprintf(label, sizeof(label), "D%04d", i);
    labels.push_back(label);
  }
  std::vector<std::string> dropped = names;
  dropped.push_back(names[5]);
  struct Case {
    TSpeedButton* wizard;
    TListView* list;
    bool scanLinks;
  };
  for (const Case& drop : {Case{prog->rand_btdidx, prog->qulist, false}, Case{prog->rand_btstw, prog->squlist, true}}) {
    SCOPED_TRACE(drop.list->GetName());
    quhopt->dadweitere->SetChecked(drop.scanLinks);
    drop.wizard->Click();
    {
      ListMessages told(drop.list);
      Drop(drop.list, dropped);
      EXPECT_EQ(told.redrawsOff, 1) << "the rows are added in one update";
      EXPECT_LE(told.sorts, 1);
    }
    // Each file once, in the list's order of labels.
    EXPECT_EQ(Captions(drop.list), labels);
    // The same files again: all of them are there already.
    Drop(drop.list, names);
    EXPECT_EQ(drop.list->GetItems()->GetCount(), 2000);
  }
}

TEST_F(WizardsTest, ABatchOfFilesKeepsItsOrderInAListThatDoesNotSort) {
  const std::string c = Write("c.txt", "x"), a = Write("a.txt", "x"), b = Write("b.txt", "x");
  prog->qulist->SetSortType(stNone);
  for (bool scanLinks : {false, true}) {
    prog->DeleteAll->Click();
    EXPECT_EQ(AddFilesToFileList(prog->qulist, {Wide(c), Wide(a), Wide(b), Wide(a)}, scanLinks), 3);
    EXPECT_EQ(Captions(prog->qulist), (std::vector<std::string>{"C", "A", "B"}));
  }
  // Where doubles are wanted, every file named is a row.
  quhopt->doppelteweg->SetChecked(false);
  EXPECT_EQ(AddFilesToFileList(prog->qulist, {Wide(a), Wide(a)}, false), 2);
  EXPECT_EQ(Captions(prog->qulist), (std::vector<std::string>{"C", "A", "B", "A", "A"}));
  prog->qulist->SetSortType(stText);
}

TEST_F(WizardsTest, ADroppedHtmlDocumentBringsItsLinkedFilesWhenTheOptionSaysSo) {
  Write("seite.html", "Seite");
  const std::string doc = Write("start.html", "<html><body><a href=\"seite.html\">Seite</a></body></html>");
  prog->rand_btdidx->Click();
  quhopt->dadweitere->SetChecked(false);
  Drop(prog->qulist, {doc});
  EXPECT_EQ(prog->qulist->GetItems()->GetCount(), 1);
  prog->DeleteAll->Click();
  quhopt->dadweitere->SetChecked(true);
  Drop(prog->qulist, {doc});
  EXPECT_GE(prog->qulist->GetItems()->GetCount(), 2);
}

TEST_F(WizardsTest, FileIndexRunPreviewAndEveryOutput) {
  prog->rand_btdidx->Click();
  Drop(prog->qulist, {Write("hafen.html", "<html><body><p>Anker und Boje</p></body></html>"),
                      Write("see.txt", "Anker Segel")});
  prog->dstart->Click();
  EXPECT_EQ(prog->dct->GetActivePage(), prog->td5);
  EXPECT_TRUE(prog->dbt1->GetEnabled());
  const std::string page = formstest::Narrow(prog->doutput->GetText());
  ASSERT_NE(page.find("Anker"), std::string::npos) << page;
  EXPECT_NE(page.find("<html"), std::string::npos);
  // Code and design views.
  prog->ShowCode->Click();
  EXPECT_TRUE(prog->doutput->GetVisible());
  EXPECT_FALSE(prog->browser->GetVisible());
  prog->zspmenu->SetChecked(false);
  const size_t written = windows.log->documentCalls.size();
  prog->ShowDesign->Click();
  EXPECT_TRUE(prog->browser->GetVisible());
  EXPECT_FALSE(prog->doutput->GetVisible());
  EXPECT_GT(windows.log->documentCalls.size(), written);
  // Clipboard, as Unicode text.
  prog->dzwischenablage->Click();
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(data, nullptr);
  const std::wstring clip(static_cast<const wchar_t*>(GlobalLock(data)));
  GlobalUnlock(data);
  CloseClipboard();
  EXPECT_EQ(clip, Wide(page));
  // The page saved through the save dialog, for the independent checkers.
  const std::string out = testsupport::ExeFolder() + "fileindex-out";
  CreateDirectoryA(out.c_str(), nullptr);
  dialogs.answer = out + "\\wizard-saved.html";
  DeleteFileA(dialogs.answer.c_str());
  prog->doutputspeichern->Click();
  EXPECT_NE(LoadTextFileW(Wide(dialogs.answer)).find(L"Anker"), std::wstring::npos);
  // The index data file: every entry with its documents, read back by the index reader.
  dialogs.answer = dir.File("hafen");
  prog->didxspeichern->Click();
  const TIndexFileResult saved = LoadIndexFile(Wide(dialogs.answer + ".idx"), {});
  ASSERT_TRUE(saved.FileFound);
  const std::vector<std::wstring> lines = FormatIndexData(saved.Store);
  const auto anker = std::find_if(lines.begin(), lines.end(), [](const std::wstring& l) { return l.rfind(L"Anker:", 0) == 0; });
  ASSERT_NE(anker, lines.end());
  EXPECT_NE(anker->find(L"hafen.html"), std::wstring::npos);
  EXPECT_NE(anker->find(L"see.txt"), std::wstring::npos);
  // "Neu" > "Datei Index" empties the wizard.
  prog->mneudateiClick(nullptr);
  EXPECT_EQ(prog->qulist->GetItems()->GetCount(), 0);
  EXPECT_EQ(prog->doutput->GetText(), L"");
  EXPECT_EQ(prog->dct->GetActivePage(), prog->td1);
}

TEST_F(WizardsTest, ThePreviewFileIsThisProcesssOwnAndOnlyWrittenWhenAsked) {
  prog->doutput->SetText(L"<html><body>Vorschau</body></html>");
  prog->zspmenu->SetChecked(false);
  const std::wstring preview = TempFileName(TTempFile::Preview);
  SaveTextFileW(L"", preview, 65001, false);
  prog->ShowDesign->Click();
  EXPECT_EQ(LoadTextFileW(preview), L"");
  const std::wstring previewName = preview.substr(preview.rfind(L'\\') + 1);
  auto navigatedToPreview = [&] {
    return std::any_of(windows.log->navigations.begin(), windows.log->navigations.end(),
                       [&](const std::wstring& url) { return url.find(previewName) != std::wstring::npos; });
  };
  EXPECT_FALSE(navigatedToPreview());
  prog->zspmenu->SetChecked(true);
  prog->ShowDesign->Click();
  prog->zspmenu->SetChecked(false);
  EXPECT_NE(preview.find(L"temphtmlindex"), 0u);
  EXPECT_NE(LoadTextFileW(preview).find(L"Vorschau"), std::wstring::npos);
  EXPECT_TRUE(navigatedToPreview());
  DeleteTempFile(TTempFile::Preview);
}

TEST_F(WizardsTest, KeywordIndexRunAndItsOutputs) {
  prog->rand_btstw->Click();
  Drop(prog->squlist, {Write("eins.txt", "Anker Boje Anker"), Write("zwei.txt", "Segel")});
  prog->sstart->Click();
  EXPECT_EQ(prog->sct->GetActivePage(), prog->ts5);
  const std::string text = formstest::Narrow(prog->soutput->GetText());
  EXPECT_NE(text.find("Anker"), std::string::npos) << text;
  EXPECT_NE(text.find("Segel"), std::string::npos);
  dialogs.answer = dir.File("stichworte.txt");
  prog->soutputspeichern->Click();
  EXPECT_EQ(LoadTextFileW(Wide(dialogs.answer)), Wide(text));
  prog->Zeilenumbruch->SetChecked(false);
  prog->ZeilenumbruchClick(prog->Zeilenumbruch);
  EXPECT_EQ(prog->soutput->GetScrollBars(), ssBoth);
  prog->Zeilenumbruch->SetChecked(true);
  prog->ZeilenumbruchClick(prog->Zeilenumbruch);
  EXPECT_EQ(prog->soutput->GetScrollBars(), ssVertical);
  prog->mneustwClick(nullptr);
  EXPECT_EQ(prog->squlist->GetItems()->GetCount(), 0);
  EXPECT_EQ(prog->soutput->GetText(), L"");
}

TEST_F(WizardsTest, AnIndexToExtendIsTickedOnlyWhenAFileWasChosen) {
  prog->dkt_integrieren->SetChecked(false);
  const std::wstring none = prog->dkt_index->GetCaption();
  prog->dandindex->Click();
  EXPECT_EQ(dialogs.shown, 1);
  EXPECT_FALSE(prog->dkt_integrieren->GetChecked()) << "a cancelled choice names no index to extend";
  EXPECT_EQ(prog->dkt_index->GetCaption(), none);
  // So a run after the cancelled choice builds the index of the list alone, without a message.
  Drop(prog->qulist, {Write("see.txt", "Anker")});
  prog->dstart->Click();
  EXPECT_EQ(boxes.texts, std::vector<std::string>());
  const std::string chosen = Write("alt.idx", "Kai:Hafen>hafen.html\r\n");
  dialogs.answer = chosen;
  prog->dandindex->Click();
  EXPECT_TRUE(prog->dkt_integrieren->GetChecked());
  EXPECT_EQ(prog->dkt_index->GetCaption(), Wide(chosen));
  // A later cancel keeps the index chosen before.
  dialogs.answer.clear();
  prog->dandindex->Click();
  EXPECT_TRUE(prog->dkt_integrieren->GetChecked());
  EXPECT_EQ(prog->dkt_index->GetCaption(), Wide(chosen));
}

TEST_F(WizardsTest, TheWizardsSpeakBothLanguages) {
  start->spr->SetCaption("en");
  prog->sprachealles();
  EXPECT_EQ(prog->td2->GetCaption(), L"2. Criteria");
  EXPECT_EQ(prog->ts5->GetCaption(), L"Output");
  EXPECT_EQ(prog->qulist->GetColumns()->GetItem(0)->GetCaption(), L"Name");
  EXPECT_EQ(prog->squlist->GetColumns()->GetItem(3)->GetCaption(), L"Coding");
  EXPECT_EQ(prog->AbbruchS->GetCaption(), L"Break");
  start->spr->SetCaption("de");
  prog->sprachealles();
  EXPECT_EQ(prog->td2->GetCaption(), L"2. Einstellungen");
  EXPECT_EQ(prog->qulist->GetColumns()->GetItem(4)->GetCaption(), L"Gr\x00F6\x00DF" L"e");
  EXPECT_EQ(prog->Zeilenumbruch->GetCaption(), L"Zeilenumbruch");
}

// A click on a speed button of the side bar as the mouse gives it: pressed and released over the
// button on the bar's window (the button has none of its own and takes no focus).
void ClickSideBar(TSpeedButton* button) {
  const LPARAM at = MAKELPARAM(button->GetLeft() + button->GetWidth() / 2, button->GetTop() + button->GetHeight() / 2);
  SendMessageA(prog->rand->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(prog->rand->GetHandle(), WM_LBUTTONUP, 0, at);
  wintest::Pump();
}

bool FocusIn(TWinControl* control) {
  const HWND focus = GetFocus();
  return focus && (focus == control->GetHandle() || IsChild(control->GetHandle(), focus));
}

// A minimum-length box of one wizard has the focus; the side bar shows another panel; a digit is
// typed. The hidden box keeps its "3": the digit goes to the panel shown, whose first control has
// the focus, or to the main window where the panel has no control to take it (the start panel).
TEST(SideBar, KeysTypedAfterASwitchNeverReachAHiddenPanel) {
  formstest::FileIndexWindows windows;
  windows.LeaveToProcessEnd();
  prog->Show();
  SetForegroundWindow(prog->GetHandle());
  struct Case {
    TTabSheet* page;
    TComboBox* box;
    TSpeedButton* side;
    TPanel* shown;
  };
  const Case cases[] = {{prog->tt3, prog->kt_max, prog->rand_btdidx, prog->pgdateien},
                        {prog->td2, prog->dkt_max, prog->rand_btstw, prog->pgstw},
                        {prog->ts2, prog->stw_max, prog->rand_bttxtidx, prog->pgtxt},
                        {prog->tt3, prog->kt_max, prog->rand_btinfo, prog->pinfo},
                        {prog->td2, prog->dkt_max, prog->rand_btstart, prog->pstart}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.side->GetName());
    if (c.page->GetPageControl() == prog->pct) DescribeTextIndexSettings(c.page);
    else if (c.page->GetPageControl() == prog->dct) DescribeFileIndexSettings(c.page);
    else DescribeKeywordIndexSettings(c.page);
    c.box->SetFocus();
    wintest::Pump();
    ASSERT_TRUE(FocusIn(c.box));
    ClickSideBar(c.side);
    ASSERT_TRUE(c.shown->GetVisible());
    wintest::TypeChars(L"7");
    wintest::Pump();
    EXPECT_EQ(c.box->GetText(), L"3");
    EXPECT_TRUE(FocusIn(c.shown) || GetFocus() == prog->GetHandle());
  }
}

}  // namespace
