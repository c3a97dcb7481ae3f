// The program as it comes up and goes: the start screen (language from the marker files, the
// timer sequence, the click, the close), the main window's show with a file from the command
// line, its close, the side bar and the start panel, and files dropped from the shell.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "TextIndexWindows.h"
#include "engine/u_FileIndex.h"
#include "engine/u_TempFiles.h"
#include "engine/u_TextIndex.h"
#include "engine/u_WideFuncText.h"
#include "forms/u_design.h"
#include "forms/u_konfig.h"
#include "forms/u_prog.h"
#include "forms/u_quhopt.h"
#include "forms/u_start.h"
#include "forms/u_textix.h"
#include "support/TestSupport.h"
#include "ucode/UCodeIniFiles.h"
#include "ucode/UCodeMenus.h"
#include "ucode/UCodeSystem.h"

using formstest::Lines;
using formstest::TextIndexWindows;

namespace {

// The current folder is `path` for the lifetime of the object.
class InFolder {
 public:
  explicit InFolder(const std::string& path) {
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    m_previous = previous;
    m_entered = SetCurrentDirectoryA(path.c_str()) != FALSE;
  }
  ~InFolder() { SetCurrentDirectoryA(m_previous.c_str()); }
  InFolder(const InFolder&) = delete;
  InFolder& operator=(const InFolder&) = delete;
  bool Entered() const { return m_entered; }

 private:
  std::string m_previous;
  bool m_entered = false;
};

bool Exists(const std::wstring& name) { return GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES; }

void Click(HWND window, int x, int y) {
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

}  // namespace

TEST(StartScreenLanguage, MarkerFilesOfTheCurrentFolderChooseTheLanguage) {
  struct Case {
    std::vector<std::string> markers;
    const char* code;
    bool overlays;
  };
  for (const Case& c : {Case{{}, "en", true}, Case{{"en"}, "en", true}, Case{{"de"}, "de", false},
                        Case{{"de", "en"}, "de", false}}) {
    SCOPED_TRACE(c.code + std::to_string(c.markers.size()));
    testsupport::TempDir dir;
    for (const std::string& marker : c.markers) testsupport::WriteBytes(dir.File(marker), "");
    InFolder here(dir.Path());
    TextIndexWindows windows;
    EXPECT_EQ(LanguageCode(), c.code);
    EXPECT_EQ(Application->GetTitle(), "Kaptorix - Berno Kalwe");
    EXPECT_EQ(start->intro_en1->GetVisible(), c.overlays);
    EXPECT_EQ(start->intro_en2->GetVisible(), c.overlays);
    // The picture and its overlays hold the program's pictures.
    EXPECT_EQ(start->intro->GetPicture()->GetWidth(), 325);
    EXPECT_EQ(start->intro_en1->GetPicture()->GetHeight(), 50);
    EXPECT_EQ(start->intro_en2->GetPicture()->GetWidth(), 157);
    // The main window follows the start screen's language.
    EXPECT_EQ(prog->rand_btdidx->GetCaption(), c.code == std::string("de") ? "Datei Index" : "File Index");
  }
}

TEST(MainWindowUnit, ComIsReadyOnTheUserInterfaceThread) {
  // Made ready once by the main window's unit: asking again only counts up.
  EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
  CoUninitialize();
}

TEST(StartScreenSequence, TheMainWindowComesAtTheEighthTickAndTheScreenGoesAtTheEleventh) {
  TextIndexWindows windows;
  windows.LeaveToProcessEnd();
  start->Show();
  // The start screen takes the program's taskbar entry away; the timer starts enabled.
  EXPECT_FALSE(IsWindowVisible(Application->GetHandle()));
  for (int tick = 1; tick <= 7; ++tick) start->Timer1Timer(start->Timer1);
  EXPECT_FALSE(prog->GetVisible());
  start->Timer1Timer(start->Timer1);
  EXPECT_TRUE(prog->GetVisible());
  // The main window gives itself a taskbar button.
  EXPECT_NE(GetWindowLongA(prog->GetHandle(), GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
  start->Timer1Timer(start->Timer1);
  start->Timer1Timer(start->Timer1);
  EXPECT_TRUE(start->GetVisible());
  start->Timer1Timer(start->Timer1);
  EXPECT_EQ(start->Ticks(), 11);
  EXPECT_FALSE(start->GetVisible());
  EXPECT_FALSE(start->Timer1->GetEnabled());
  EXPECT_TRUE(prog->GetVisible());
}

namespace {

// A start-up of the main window that fails in a way its own steps do not foresee.
class FailingShow : public TObject {
 public:
  void Show(TObject*) { throw Exception("Kaputt"); }
};

}  // namespace

TEST(StartScreenSequence, AMainWindowWhoseStartUpFailsComesAndTheScreenWaitsForTheMessage) {
  TextIndexWindows windows;
  windows.LeaveToProcessEnd();
  start->Show();
  FailingShow failing;
  prog->OnShow = TNotifyEvent(&failing, &FailingShow::Show);
  std::vector<std::string> told;
  bool screenStayed = true;
  const TMessageBoxAnswerer previous = SetMessageBoxAnswerer([&](const TMessageBoxRequest& request) {
    told.push_back(request.Text);
    // The message's own loop goes on ticking, well past the start screen's last tick.
    const int counted = start->Ticks();
    for (int tick = 0; tick < 12; ++tick) start->Timer1Timer(start->Timer1);
    screenStayed = screenStayed && start->GetVisible() && start->Ticks() == counted;
    return IDOK;
  });
  for (int tick = 1; tick <= 8; ++tick) start->Timer1Timer(start->Timer1);
  SetMessageBoxAnswerer(previous);
  EXPECT_EQ(told, std::vector<std::string>({"Kaputt."}));
  EXPECT_TRUE(screenStayed) << "the start screen went while the message was open";
  EXPECT_TRUE(prog->GetVisible());
  EXPECT_TRUE(IsWindowVisible(prog->GetHandle()));
  EXPECT_EQ(start->Ticks(), 8);
  // Later ticks neither show the main window again nor tell the error again; the start screen
  // goes at its eleventh tick as ever.
  for (int tick = 9; tick <= 11; ++tick) start->Timer1Timer(start->Timer1);
  EXPECT_EQ(told.size(), 1u);
  EXPECT_FALSE(start->GetVisible());
  EXPECT_TRUE(IsWindowVisible(prog->GetHandle()));
}

// A message told while the start screen is up belongs to it, so that it stands in front of the
// screen, and the main window, up behind both, takes no input until it is closed; the screen waits
// for it. Once the screen has gone, messages belong to the main window.
TEST(StartScreenSequence, AMessageToldWhileTheScreenIsUpBelongsToItAndTheMainWindowWaits) {
  TextIndexWindows windows;
  windows.LeaveToProcessEnd();
  start->Show();
  for (int tick = 1; tick <= 8; ++tick) start->Timer1Timer(start->Timer1);
  ASSERT_TRUE(IsWindowVisible(prog->GetHandle()));
  std::vector<HWND> owners;
  std::vector<bool> mainTookInput;
  bool screenStayed = false;
  const TMessageBoxAnswerer previous = SetMessageBoxAnswerer([&](const TMessageBoxRequest& request) {
    owners.push_back(request.Owner);
    mainTookInput.push_back(IsWindowEnabled(prog->GetHandle()) != FALSE);
    if (request.Owner == start->GetHandle()) {
      // The system's box disables its owner while it is open, and its loop goes on ticking.
      EnableWindow(start->GetHandle(), FALSE);
      for (int tick = 0; tick < 5; ++tick) start->Timer1Timer(start->Timer1);
      screenStayed = start->GetVisible() && start->Ticks() == 8;
      EnableWindow(start->GetHandle(), TRUE);
    }
    return IDOK;
  });
  TellUser(L"Die Datei konnte nicht ge\u00F6ffnet werden", MB_ICONERROR);
  EXPECT_TRUE(IsWindowEnabled(prog->GetHandle()));
  for (int tick = 9; tick <= 11; ++tick) start->Timer1Timer(start->Timer1);
  EXPECT_FALSE(start->GetVisible());
  TellUser(L"Die Datei konnte nicht ge\u00F6ffnet werden", MB_ICONERROR);
  SetMessageBoxAnswerer(previous);
  EXPECT_EQ(owners, std::vector<HWND>({start->GetHandle(), prog->GetHandle()}));
  EXPECT_EQ(mainTookInput, std::vector<bool>({false, true}));
  EXPECT_TRUE(screenStayed) << "the start screen went while its message was open";
}

namespace {

bool InFrontOf(HWND front, HWND behind) {
  for (HWND window = GetWindow(front, GW_HWNDNEXT); window; window = GetWindow(window, GW_HWNDNEXT))
    if (window == behind) return true;
  return false;
}

}  // namespace

// A modal window that the user opened from the main window disables the start screen with every
// other window of the program, but holds nothing: the screen goes at its eleventh tick, and the
// ticks leave the main window behind the modal window.
TEST(StartScreenSequence, AModalWindowOpenedWhileTheScreenIsUpHoldsNothing) {
  TextIndexWindows windows;
  windows.LeaveToProcessEnd();
  start->Show();
  for (int tick = 1; tick <= 8; ++tick) start->Timer1Timer(start->Timer1);
  ASSERT_TRUE(IsWindowVisible(prog->GetHandle()));
  HWND modal = CreateWindowExA(0, "STATIC", "modal", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, Application->GetHandle(),
                               nullptr, nullptr, nullptr);
  ASSERT_NE(modal, nullptr);
  for (HWND other : {start->GetHandle(), prog->GetHandle()}) EnableWindow(other, FALSE);
  for (int tick = 9; tick <= 11; ++tick) start->Timer1Timer(start->Timer1);
  const bool screenGone = !start->GetVisible(), modalInFront = InFrontOf(modal, prog->GetHandle());
  for (HWND other : {start->GetHandle(), prog->GetHandle()}) EnableWindow(other, TRUE);
  DestroyWindow(modal);
  EXPECT_EQ(start->Ticks(), 11);
  EXPECT_TRUE(screenGone) << "the start screen stayed behind the modal window";
  EXPECT_TRUE(modalInFront) << "a tick brought the main window in front of the modal window";
  EXPECT_FALSE(start->Timer1->GetEnabled());
}

TEST(StartScreenSequence, AClickOnThePictureShowsTheMainWindowAtOnce) {
  TextIndexWindows windows;
  windows.LeaveToProcessEnd();
  start->Timer1->SetEnabled(true);
  start->Show();
  start->Timer1Timer(start->Timer1);
  Click(start->Panel1->GetHandle(), 100, 60);  // on the picture `intro`
  EXPECT_TRUE(prog->GetVisible());
  EXPECT_FALSE(start->GetVisible());
  EXPECT_FALSE(start->Timer1->GetEnabled());
  EXPECT_EQ(start->Ticks(), 1);
}

TEST(StartScreenClose, DeletesTheTemporaryFilesOfThisProcessAndAllowsTheClose) {
  TextIndexWindows windows;
  const std::wstring preview = TempFileName(TTempFile::Preview);
  const std::wstring index = TempFileName(TTempFile::IndexHandOver);
  ASSERT_TRUE(Exists(preview));
  EXPECT_TRUE(start->CloseQuery());
  EXPECT_FALSE(Exists(preview));
  EXPECT_FALSE(Exists(index));
}

TEST(MainWindowClose, DeletesTheIndexHandOverFileOnlyAndAllowsTheClose) {
  TextIndexWindows windows;
  const std::wstring preview = TempFileName(TTempFile::Preview);
  const std::wstring index = TempFileName(TTempFile::IndexHandOver);
  EXPECT_TRUE(prog->CloseQuery());
  EXPECT_FALSE(Exists(index));
  EXPECT_TRUE(Exists(preview));
  DeleteTempFiles();
}

TEST(MainWindowClose, AFileThatCannotBeDeletedIsToldAndTheCloseGoesOn) {
  TextIndexWindows windows;
  formstest::MessageBoxes boxes;
  const std::wstring index = TempFileName(TTempFile::IndexHandOver);
  // Another program holds the file open without letting it be deleted.
  HANDLE held = CreateFileW(index.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(prog->CloseQuery());
  EXPECT_TRUE(start->CloseQuery());
  ASSERT_EQ(boxes.texts.size(), 2u);
  EXPECT_NE(boxes.texts[0].find(WideStringToStringEx(index, 0)), std::string::npos) << boxes.texts[0];
  CloseHandle(held);
  EXPECT_TRUE(start->CloseQuery());
  EXPECT_FALSE(Exists(index));
  EXPECT_EQ(boxes.texts.size(), 2u);
}

// The index stores go with the main window: windows made anew start with empty ones.
TEST(MainWindowEnd, DestroyingTheWindowReleasesBothIndexStores) {
  {
    TextIndexWindows windows;
    prog->qu_text->SetChecked(true);
    prog->original->SetText(L"Haus und Hof");
    prog->sz_zeilezuseite->SetChecked(true);
    prog->ft_startClick(prog->ft_start);
    ASSERT_FALSE(prog->TextIndexStore().Empty());
    prog->FileIndexStore().AddOccurrence(L"Garten", L"Garten>garten.htm", true);
  }
  TextIndexWindows windows;
  EXPECT_TRUE(prog->TextIndexStore().Empty());
  EXPECT_TRUE(prog->FileIndexStore().Empty());
}

TEST(MainWindowStartFile, AFileBecomesTheSourceOfTheTextWizard) {
  TextIndexWindows windows;
  testsupport::TempDir dir;
  const std::string path = dir.File("Notizen.txt");
  // UTF-8 with a mark: the text arrives through the engine's reader.
  testsupport::WriteBytes(path, "\xEF\xBB\xBF" "Gr\xC3\xBC" "ne Wiese\r\n7\r\n");
  prog->OpenStartFile(formstest::Wide(path));
  EXPECT_EQ(Lines(prog->original->GetText()), std::vector<std::string>({"Gr\xFCne Wiese", "7"}));
  EXPECT_EQ(prog->edit_quelle->GetText(), formstest::Wide(path));
  EXPECT_TRUE(prog->pgtxt->GetVisible());
  EXPECT_EQ(prog->pct->GetActivePage(), prog->tt1);
  EXPECT_EQ(prog->zs->GetText(), L"");
  // A run now indexes the file.
  prog->ft_startClick(prog->ft_start);
  EXPECT_NE(prog->output->GetText().find(L"Wiese 7"), std::wstring::npos) << formstest::Narrow(prog->output->GetText());

  // A name whose extension is in capitals holds no ".idx": it is a source text too.
  const std::string upper = dir.File("ALT.IDX");
  testsupport::WriteBytes(upper, "Haus:1>-\r\n");
  prog->OpenStartFile(formstest::Wide(upper));
  EXPECT_EQ(Lines(prog->original->GetText()), std::vector<std::string>({"Haus:1>-"}));
  EXPECT_FALSE(prog->kt_integrieren->GetChecked());
}

TEST(MainWindowStartFile, AConfigurationIsNeverOpenedAsSourceText) {
  TextIndexWindows windows;
  testsupport::TempDir dir;
  const std::string path = dir.File("Meine.qcfg");
  testsupport::WriteBytes(path, "[TI]\r\nkt_zahlen=0\r\n");
  prog->original->SetText(L"bleibt");
  prog->OpenStartFile(formstest::Wide(path));
  EXPECT_EQ(prog->original->GetText(), L"bleibt");
  EXPECT_EQ(prog->edit_quelle->GetText(), L"");
  EXPECT_TRUE(prog->pstart->GetVisible());
}

TEST(MainWindowStartFile, ATextIndexDataFileIsExtendedAndBuiltAtOnce) {
  TextIndexWindows windows;
  testsupport::TempDir dir;
  const std::string path = dir.File("buch.idx");
  testsupport::WriteBytes(path, "Apfel:3>-|9>-\r\nBirne:4>-\r\n");
  prog->OpenStartFile(formstest::Wide(path));
  EXPECT_EQ(prog->kt_index->TControl::GetCaption(), path);
  EXPECT_TRUE(prog->kt_integrieren->GetChecked());
  EXPECT_EQ(prog->pct->GetActivePage(), prog->tt6);
  const std::vector<std::string> lines = Lines(prog->output->GetText());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Apfel 3, 9"), lines.end()) << prog->output->GetText();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Birne 4"), lines.end());

}

TEST(MainWindowStartFile, AFileIndexDataFileIsExtendedByTheFileWizardAtOnce) {
  formstest::FileIndexWindows windows;
  testsupport::TempDir dir;
  const std::string files = dir.File("dateien.idx");
  testsupport::WriteBytes(files, "Apfel:Obst>obst.html\r\n");
  prog->textindex->SetChecked(true);
  prog->OpenStartFile(formstest::Wide(files));
  EXPECT_FALSE(prog->kt_integrieren->GetChecked());
  EXPECT_EQ(prog->output->GetText(), L"");
  EXPECT_TRUE(prog->dkt_integrieren->GetChecked());
  EXPECT_EQ(prog->dkt_index->GetCaption(), formstest::Wide(files));
  EXPECT_EQ(prog->dct->GetActivePage(), prog->td5);
  EXPECT_NE(prog->doutput->GetText().find(L"Apfel"), std::wstring::npos) << formstest::Narrow(prog->doutput->GetText());
  EXPECT_NE(prog->doutput->GetText().find(L"obst.html"), std::wstring::npos);
}

TEST(MainWindowPanels, TheSideBarAndTheStartPanelShowOnePanelAtATime) {
  TextIndexWindows windows;
  const std::vector<TPanel*> panels{prog->pstart, prog->pgtxt, prog->pgdateien, prog->pgstw, prog->pinfo};
  auto onlyVisible = [&](TPanel* shown) {
    for (TPanel* panel : panels)
      if (panel->GetVisible() != (panel == shown)) return false;
    return true;
  };
  EXPECT_TRUE(onlyVisible(prog->pstart));
  struct Case {
    TControl* trigger;
    TPanel* shown;
  };
  for (const Case& c : {Case{prog->rand_bttxtidx, prog->pgtxt}, Case{prog->rand_btdidx, prog->pgdateien},
                        Case{prog->rand_btstw, prog->pgstw}, Case{prog->rand_btinfo, prog->pinfo},
                        Case{prog->rand_btstart, prog->pstart}, Case{prog->start_label1, prog->pgtxt},
                        Case{prog->start_text2, prog->pgdateien}, Case{prog->start_label3, prog->pgstw},
                        Case{prog->start_text4, prog->pinfo}}) {
    SCOPED_TRACE(c.trigger->GetName());
    c.trigger->Click();
    EXPECT_TRUE(onlyVisible(c.shown));
  }
  // The wizard keeps its page while another panel is shown.
  prog->pct->SetActivePage(prog->tt3);
  prog->rand_btstart->Click();
  prog->rand_bttxtidx->Click();
  EXPECT_EQ(prog->pct->GetActivePage(), prog->tt3);
}

TEST(MainWindowPanels, TheSideBarPressesTheButtonOfThePanelShownWhicheverWayItWasReached) {
  formstest::FileIndexWindows windows;
  const std::vector<TSpeedButton*> buttons{prog->rand_btstart, prog->rand_bttxtidx, prog->rand_btdidx,
                                           prog->rand_btstw, prog->rand_btinfo};
  auto pressed = [&] {
    std::vector<std::string> names;
    for (TSpeedButton* button : buttons)
      if (button->GetDown()) names.push_back(button->GetName());
    return names;
  };
  EXPECT_EQ(pressed(), std::vector<std::string>({"rand_btstart"}));
  struct Case {
    const char* how;
    std::function<void()> reach;
    const char* button;
  };
  const Case cases[] = {
      {"start label", [] { prog->start_label1->Click(); }, "rand_bttxtidx"},
      {"start text", [] { prog->start_text3->Click(); }, "rand_btstw"},
      {"window menu", [] { prog->mfd->Click(); }, "rand_btdidx"},
      {"window menu page", [] { prog->mft3->Click(); }, "rand_bttxtidx"},
      {"settings menu", [] { prog->meskClick(prog->mesk); }, "rand_btstw"},
      {"information menu", [] { prog->minfo2->Click(); }, "rand_btinfo"},
      {"window menu start", [] { prog->mfstart->Click(); }, "rand_btstart"},
      {"file wizard page", [] { prog->mfd2->Click(); }, "rand_btdidx"},
      {"new text index", [] { prog->mneutxtClick(prog->mneutxt); }, "rand_bttxtidx"},
      {"side bar", [] { prog->rand_btinfo->Click(); }, "rand_btinfo"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    c.reach();
    EXPECT_EQ(pressed(), std::vector<std::string>({c.button}));
  }
  // A configuration that shows another panel.
  testsupport::TempDir dir;
  testsupport::WriteBytes(dir.File("panel.qcfg"), "[PBPA]\r\npstart=0\r\npgstw=1\r\npinfo=0\r\n");
  LoadConfiguration(StringToWideStringEx(dir.File("panel.qcfg"), 0), false);
  ASSERT_TRUE(prog->pgstw->GetVisible());
  EXPECT_EQ(pressed(), std::vector<std::string>({"rand_btstw"}));
}

TEST(MainWindowPanels, TheMouseOverAChoiceUnderlinesItsDescription) {
  TextIndexWindows windows;
  struct Case {
    TControl* hovered;
    TStaticText* described;
  };
  for (const Case& c : {Case{prog->start_label1, prog->start_text1}, Case{prog->start_label2, prog->start_text2},
                        Case{prog->start_label3, prog->start_text3}, Case{prog->start_label4, prog->start_text4},
                        Case{prog->start_text1, prog->start_text1}, Case{prog->start_text4, prog->start_text4}}) {
    SCOPED_TRACE(c.hovered->GetName());
    c.hovered->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_EQ(c.described->GetFont()->GetStyle(), fsUnderline);
    for (TStaticText* other : {prog->start_text1, prog->start_text2, prog->start_text3, prog->start_text4}) {
      if (other != c.described) {
        EXPECT_EQ(other->GetFont()->GetStyle(), 0);
      }
    }
    c.hovered->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(c.described->GetFont()->GetStyle(), 0);
  }
}

TEST(MainWindowDrop, DroppedFilesGoToTheListOfTheWizardShownAndAFolderIsToldWithItsReason) {
  testsupport::TempDir dir;
  const std::wstring first = StringToWideStringEx(dir.File("bericht.txt"), 0);
  const std::wstring second = StringToWideStringEx(dir.File("seite.htm"), 0);
  const std::wstring linked = StringToWideStringEx(dir.File("anhang.txt"), 0);
  const std::wstring folder = StringToWideStringEx(dir.File("Ordner"), 0);
  testsupport::WriteBytes(dir.File("bericht.txt"), "b");
  testsupport::WriteBytes(dir.File("seite.htm"), "<a href=\"anhang.txt\">x</a>");
  testsupport::WriteBytes(dir.File("anhang.txt"), "a");
  CreateDirectoryW(folder.c_str(), nullptr);
  HGLOBAL drop = formstest::MakeDrop({first, folder, second});
  EXPECT_EQ(DroppedFileNames(static_cast<HDROP>(drop)), std::vector<std::wstring>({first, folder, second}));
  GlobalFree(drop);

  TextIndexWindows windows;
  formstest::MessageBoxes boxes;
  quhopt = new Tquhopt(nullptr);
  auto sources = [](TListView* list) {
    std::vector<std::string> paths;
    for (int i = 0; i < list->GetItems()->GetCount(); ++i)
      paths.push_back(formstest::Narrow(list->GetItems()->GetItem(i)->GetSubItems()->Get(4)));
    std::sort(paths.begin(), paths.end());
    return paths;
  };
  const std::string a = dir.File("bericht.txt"), b = dir.File("seite.htm"), c = dir.File("anhang.txt");
  // The start panel is shown: the keyword wizard's list takes the drop, whichever list got it.
  formstest::DropOnto(prog->qulist, {first, folder, second});
  EXPECT_EQ(sources(prog->squlist), std::vector<std::string>({a, b}));
  EXPECT_EQ(prog->qulist->GetItems()->GetCount(), 0);
  EXPECT_EQ(boxes.texts, std::vector<std::string>({"The file could not be opened: " + dir.File("Ordner") +
                                                   "\r\n\r\nThe name is that of a folder, not of a file."}));
  // The file wizard is shown: its list takes the drop, here dropped onto the other list; with
  // "search dropped documents for further pages" the linked file comes too.
  prog->rand_btdidx->Click();
  quhopt->dadweitere->SetChecked(true);
  formstest::DropOnto(prog->squlist, {second});
  EXPECT_EQ(sources(prog->qulist), std::vector<std::string>({c, b}));
  EXPECT_EQ(prog->squlist->GetItems()->GetCount(), 2);
  formstest::DropOnto(prog->qulist, {first});
  EXPECT_EQ(sources(prog->qulist), std::vector<std::string>({c, a, b}));
  // The two lists take drops from the shell; the window itself does not, so that a drop onto
  // any other part of it (the text wizard, the start panel) is refused rather than put into a
  // list that is not shown.
  for (TWinControl* target : std::initializer_list<TWinControl*>{prog->qulist, prog->squlist})
    EXPECT_NE(GetWindowLongA(target->GetHandle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0) << target->GetName();
  EXPECT_EQ(GetWindowLongA(prog->GetHandle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
  quhopt->Free();
  quhopt = nullptr;
  RemoveDirectoryW(folder.c_str());
}

namespace {

// Reads Word documents for the program as Word would, counting the reads.
class CountingWordReader : public TWordDocumentReader {
 public:
  CountingWordReader() : m_previous(SetWordDocumentReader(this)) {}
  ~CountingWordReader() override { SetWordDocumentReader(m_previous); }
  CountingWordReader(const CountingWordReader&) = delete;
  CountingWordReader& operator=(const CountingWordReader&) = delete;
  std::wstring ReadWordDocument(const std::wstring&, int) override {
    ++reads;
    return L"Erste Seite\r\n1\r\n";
  }
  int reads = 0;

 private:
  TWordDocumentReader* m_previous;
};

// The command line as the main window takes it, with the start configuration in a folder of
// the test's.
class CommandLine {
 public:
  CommandLine() {
    StartConfigurationFolder = StringToWideStringEx(dir.Path() + "\\", 0);
    quhopt = new Tquhopt(nullptr);
  }
  ~CommandLine() {
    quhopt->Free();
    quhopt = nullptr;
    StartConfigurationFolder.clear();
  }
  CommandLine(const CommandLine&) = delete;
  CommandLine& operator=(const CommandLine&) = delete;
  std::string Write(const std::string& name, const std::string& bytes) {
    testsupport::WriteBytes(dir.File(name), bytes);
    return dir.File(name);
  }
  void Take(const std::vector<std::string>& arguments) {
    std::vector<std::wstring> wide;
    for (const std::string& argument : arguments) wide.push_back(StringToWideStringEx(argument, 0));
    prog->TakeCommandLine(wide);
  }
  testsupport::TempDir dir;
  TextIndexWindows windows;
  formstest::MessageBoxes boxes;
};

}  // namespace

TEST(MainWindowCommandLine, AWordDocumentIsReadOnce) {
  CommandLine line;
  CountingWordReader word;
  const std::string document = line.Write("Brief.doc", "kein Word");
  line.Take({document});
  EXPECT_EQ(word.reads, 1);
  EXPECT_EQ(Lines(prog->original->GetText()), std::vector<std::string>({"Erste Seite", "1"}));
  EXPECT_EQ(prog->edit_quelle->GetText(), formstest::Wide(document));
  EXPECT_EQ(prog->pct->GetActivePage(), prog->tt1);
  // Naming another file in the source edit reads it as ever.
  prog->edit_quelle->SetText(formstest::Wide(line.Write("Zweiter.doc", "")));
  EXPECT_EQ(word.reads, 2);
}

TEST(MainWindowCommandLine, OnlyConfigurationsThatExistCountAndTheMissingAreToldOnce) {
  CommandLine line;
  const int fixed = prog->m_konfig->GetCount();
  line.Write("Auto.qcfg", "[DSLE]\r\nub=Aus Auto\r\n");
  const std::string missing = line.dir.File("Fehlt.qcfg");
  design->ub->SetText("Vorher");
  line.Take({missing});
  EXPECT_EQ(design->ub->GetText(), "Aus Auto") << "a missing configuration keeps the start configuration out";
  EXPECT_EQ(prog->m_konfig->GetCount(), fixed);
  ASSERT_EQ(line.boxes.texts.size(), 1u);
  EXPECT_EQ(line.boxes.texts[0], "The configuration was not found:\r\n" + missing);

  const std::string named = line.Write("Eigene.qcfg", "[DSLE]\r\nub=Eigene\r\n");
  line.Take({named, missing});
  EXPECT_EQ(design->ub->GetText(), "Eigene");
  ASSERT_EQ(prog->m_konfig->GetCount(), fixed + 1);
  EXPECT_EQ(prog->m_konfig->GetItem(fixed)->GetHint(), named);
  EXPECT_EQ(line.boxes.texts.size(), 2u);
}

// A configuration named without a folder is the file of the current folder, wherever the
// system's profile functions would look for a bare name: it is loaded, listed with its whole
// path, and loads from the menu after the current folder has changed. Saving and loading under
// a relative name work on the current folder too.
TEST(MainWindowCommandLine, AConfigurationNamedWithoutAFolderIsTheFileOfTheCurrentFolder) {
  CommandLine line;
  testsupport::TempDir elsewhere;
  const InFolder here(line.dir.Path());
  ASSERT_TRUE(here.Entered());
  const int fixed = prog->m_konfig->GetCount();
  line.Write("Eigene.qcfg", "[DSLE]\r\nub=Eigene\r\ndsep=\" / \"\r\n");
  design->ub->SetText("Vorher");
  line.Take({"Eigene.qcfg"});
  EXPECT_EQ(design->ub->GetText(), "Eigene");
  EXPECT_EQ(design->dsep->GetText(), " / ");
  EXPECT_TRUE(line.boxes.texts.empty());
  ASSERT_EQ(prog->m_konfig->GetCount(), fixed + 1);
  Menus::TMenuItem* item = prog->m_konfig->GetItem(fixed);
  EXPECT_EQ(item->GetHint(), line.dir.File("Eigene.qcfg"));

  ASSERT_TRUE(SetCurrentDirectoryA(elsewhere.Path().c_str()));
  design->ub->SetText("Anders");
  item->Click();
  EXPECT_EQ(design->ub->GetText(), "Eigene");

  // Saved and loaded under a name with a relative folder: the file of the current folder.
  ASSERT_TRUE(CreateDirectoryA(elsewhere.File("sub").c_str(), nullptr));
  design->ub->SetText("Relativ");
  prog->KonfigurationSpeichern(prog, L"sub\\Rel.qcfg");
  design->ub->SetText("Anders");
  prog->KonfigurationLaden(prog, L"sub\\Rel.qcfg");
  EXPECT_EQ(design->ub->GetText(), "Relativ");
  prog->KonfigurationAddMenu(prog, L"sub\\Rel.qcfg");
  EXPECT_EQ(prog->m_konfig->GetItem(prog->m_konfig->GetCount() - 1)->GetHint(),
            elsewhere.File("sub\\Rel.qcfg"));
  TUCodeIniFile written(formstest::Wide(elsewhere.File("sub\\Rel.qcfg")));
  EXPECT_EQ(written.ReadString(L"DSLE", L"ub", L""), L"Relativ");
  DeleteFileA(elsewhere.File("sub\\Rel.qcfg").c_str());
  RemoveDirectoryA(elsewhere.File("sub").c_str());
}

TEST(MainWindowCommandLine, WhatTheStartUpTellsIsInTheProgramsLanguage) {
  struct Case {
    const char* code;
    const char* fileNotOpened;
    const char* notFound;
    const char* severalNotFound;
    const char* heldOpen;
  };
  const Case cases[] = {
      {"de", "Die Datei konnte nicht ge\xF6" "ffnet werden: ", "Die Konfiguration wurde nicht gefunden:",
       "Die Konfigurationen wurden nicht gefunden:", "Die Datei wird von einem anderen Programm verwendet."},
      {"en", "The file could not be opened: ", "The configuration was not found:", "The configurations were not found:",
       "The file is in use by another program."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    CommandLine line;
    start->spr->SetCaption(c.code);
    const std::string source = line.Write("Gesperrt.txt", "Apfel\r\n1\r\n");
    // The start configuration names the source file; another program holds it.
    line.Write("Auto.qcfg", "[PBED]\r\nedit_quelle=" + source + "\r\n");
    const std::string first = line.dir.File("Erste.qcfg"), second = line.dir.File("Zweite.qcfg");
    testsupport::HeldOpen held(source);
    ASSERT_TRUE(held.Held());
    line.Take({source, first});
    const std::vector<std::string>& told = line.boxes.texts;
    ASSERT_EQ(told.size(), 3u);
    EXPECT_EQ(told[0], c.notFound + ("\r\n" + first));
    // The configuration is loaded; what it names and could not be read is told, with the
    // reason in the program's language.
    EXPECT_EQ(told[1], c.fileNotOpened + source + "\r\n\r\n" + c.heldOpen);
    EXPECT_EQ(told[2], c.fileNotOpened + source + "\r\n\r\n" + c.heldOpen);
    EXPECT_EQ(prog->original->GetText(), L"") << "nothing of a file that could not be read";
    line.Take({source, first, second});
    ASSERT_EQ(told.size(), 5u);
    EXPECT_EQ(told[3], c.severalNotFound + ("\r\n" + first + "\r\n" + second));
  }
}

namespace {

// A message of the start-up: whether it belonged to the start screen, and whether that was up.
struct Told {
  bool toScreen;
  bool screenUp;
  bool operator==(const Told&) const = default;
  friend void PrintTo(const Told& told, std::ostream* out) {
    *out << (told.toScreen ? "to the screen" : "to the main window") << (told.screenUp ? ", screen up" : ", screen gone");
  }
};

}  // namespace

// Opening the file of the first argument may take long, with no message handled meanwhile: the
// start screen, which stands in front of every window, goes before it begins, and its sequence ends
// as at its eleventh tick. What comes before (the configurations) is told while the screen is up and
// belongs to it; what the opening tells belongs to the main window. Without a file to open the
// screen keeps its timing.
TEST(StartScreenSequence, TheScreenGoesBeforeTheFileOfTheFirstArgumentIsOpened) {
  struct Case {
    const char* name;
    std::string first;
    std::vector<Told> told;
    bool screenStays;
  };
  CommandLine line;
  line.windows.LeaveToProcessEnd();
  const std::string missing = line.dir.File("Fehlt.qcfg");
  const std::string emptyIndex = line.Write("leer.idx", "kein Eintrag>-\r\n");
  const std::string source = line.Write("Quelle.txt", "Haus\r\n1\r\n");
  const Case cases[] = {
      {"an index that the run tells of", emptyIndex, {{true, true}, {false, false}}, false},
      {"a source text", source, {{true, true}}, false},
      {"no file", line.dir.File("Fehlt.txt"), {{true, true}}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    start->Timer1->SetEnabled(true);
    start->Show();
    std::vector<Told> told;
    const TMessageBoxAnswerer previous = SetMessageBoxAnswerer([&](const TMessageBoxRequest& request) {
      told.push_back({request.Owner == start->GetHandle(), start->GetVisible() && IsWindowVisible(start->GetHandle())});
      return IDOK;
    });
    line.Take({c.first, missing});
    SetMessageBoxAnswerer(previous);
    EXPECT_EQ(told, c.told);
    EXPECT_EQ(start->GetVisible(), c.screenStays);
    EXPECT_EQ(start->Timer1->GetEnabled(), c.screenStays);
    start->Timer1->SetEnabled(false);
    start->Hide();
  }
  // Both files were opened after the screen had gone.
  EXPECT_EQ(prog->kt_index->TControl::GetCaption(), emptyIndex);
  EXPECT_EQ(Lines(prog->original->GetText()), std::vector<std::string>({"Haus", "1"}));
}

namespace {

// The work area of the screen for a scope: the part the desktop's bars leave to windows.
class WorkAreaAs {
 public:
  explicit WorkAreaAs(RECT area) {
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &m_previous, 0);
    SystemParametersInfoA(SPI_SETWORKAREA, 0, &area, 0);
  }
  ~WorkAreaAs() { SystemParametersInfoA(SPI_SETWORKAREA, 0, &m_previous, 0); }
  WorkAreaAs(const WorkAreaAs&) = delete;
  WorkAreaAs& operator=(const WorkAreaAs&) = delete;

 private:
  RECT m_previous{};
};

}  // namespace

// The window comes up with the client area its design gives below the menu bar, in the middle
// of the desktop, wherever bars of the desktop take room from windows.
TEST(MainWindowPlace, TheClientAreaBelowTheMenuBarInTheMiddleOfTheDesktop) {
  const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN), height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  const WorkAreaAs bars(RECT{GetSystemMetrics(SM_XVIRTUALSCREEN) + 40, GetSystemMetrics(SM_YVIRTUALSCREEN),
                             GetSystemMetrics(SM_XVIRTUALSCREEN) + width, height - 200});
  TextIndexWindows windows;
  windows.LeaveToProcessEnd();
  prog->Show();
  HWND window = prog->GetHandle();
  ASSERT_NE(GetMenu(window), nullptr);
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 862);
  EXPECT_EQ(client.bottom, 669);
  RECT bounds{};
  GetWindowRect(window, &bounds);
  const int middleX = GetSystemMetrics(SM_XVIRTUALSCREEN) + width / 2;
  const int middleY = GetSystemMetrics(SM_YVIRTUALSCREEN) + height / 2;
  EXPECT_LE(std::abs((bounds.left + bounds.right) / 2 - middleX), 1) << bounds.left << "," << bounds.right;
  EXPECT_LE(std::abs((bounds.top + bounds.bottom) / 2 - middleY), 1) << bounds.top << "," << bounds.bottom;
  prog->Hide();
}

// "Auto.qcfg" of the program folder is reached through the start configuration's own item;
// every other configuration there gets an item of its own.
TEST(MainWindowPlace, TheStartConfigurationIsListedOnlyThroughItsOwnItem) {
  testsupport::TempDir dir;
  StartConfigurationFolder = StringToWideStringEx(dir.Path() + "\\", 0);
  testsupport::WriteBytes(dir.File("Auto.qcfg"), "[DSLE]\r\nub=Aus Auto\r\n");
  testsupport::WriteBytes(dir.File("Eigene.qcfg"), "[DSLE]\r\nub=Eigene\r\n");
  {
    TextIndexWindows windows;
    std::vector<std::wstring> hints;
    for (int i = 0; i < prog->m_konfig->GetCount(); ++i) hints.push_back(WideGetMenuItemHint(prog->m_konfig->GetItem(i)));
    const std::wstring automatic = formstest::Wide(dir.File("Auto.qcfg"));
    EXPECT_EQ(std::count(hints.begin(), hints.end(), automatic), 1);
    EXPECT_EQ(prog->m_konfig_start->GetHint(), automatic);
    EXPECT_EQ(std::count(hints.begin(), hints.end(), formstest::Wide(dir.File("Eigene.qcfg"))), 1);
  }
  StartConfigurationFolder.clear();
}
