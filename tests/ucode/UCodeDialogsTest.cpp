// The wide file dialogs answered through their seam: names in any script, the 8-bit names beside
// them, and the classes that form descriptions make.
#include "ucode/UCodeDialogs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/Objects.h"
#include "ucode/UCodeSystem.h"

namespace {

// Installs an answerer for its lifetime.
class Answering {
 public:
  explicit Answering(TCommonDialogAnswerer answer) : m_previous(SetCommonDialogAnswerer(std::move(answer))) {}
  ~Answering() { SetCommonDialogAnswerer(m_previous); }
  Answering(const Answering&) = delete;
  Answering& operator=(const Answering&) = delete;

 private:
  TCommonDialogAnswerer m_previous;
};

const std::wstring kCyrillicFolder = L"C:\\\u041A\u043D\u0438\u0433\u0438";  // "Knigi"
const std::wstring kJapaneseName = L"\u7D22\u5F15";                          // "sakuin"

std::string Narrow(const std::wstring& text) { return WideStringToStringEx(text, 0); }

TEST(WideFileDialogs, ANameInAnyScriptComesBackWholeWithTheDefaultExtension) {
  TComponent owner(nullptr);
  auto* save = new TUCodeSaveDialog(&owner);
  save->SetDefaultExt("qcfg");
  save->SetFileNameW(kCyrillicFolder + L"\\Alt.qcfg");
  std::wstring offered;
  Answering answer([&](TCommonDialog& dialog) {
    auto& files = dynamic_cast<TUCodeSaveDialog&>(dialog);
    offered = files.GetFileNameW();
    files.SetFileNameW(kCyrillicFolder + L"\\" + kJapaneseName);
    return true;
  });
  ASSERT_TRUE(save->Execute());
  EXPECT_EQ(offered, kCyrillicFolder + L"\\Alt.qcfg");
  const std::wstring chosen = kCyrillicFolder + L"\\" + kJapaneseName + L".qcfg";
  EXPECT_EQ(save->GetFileNameW(), chosen);
  EXPECT_EQ(save->GetFilesW(), std::vector<std::wstring>{chosen});
  // Callers that want 8-bit names get the name as the system code page spells it.
  EXPECT_EQ(save->GetFileName(), Narrow(chosen));
  ASSERT_EQ(save->GetFiles()->GetCount(), 1);
  EXPECT_EQ(save->GetFiles()->Get(0), Narrow(chosen));
  EXPECT_TRUE(save->IsSaveDialog());
}

TEST(WideFileDialogs, ANameSetLastOnEitherSideIsTheOneOffered) {
  TComponent owner(nullptr);
  auto* open = new TUCodeOpenDialog(&owner);
  open->SetFileNameW(kCyrillicFolder + L"\\a.txt");
  EXPECT_EQ(open->GetFileNameW(), kCyrillicFolder + L"\\a.txt");
  // An 8-bit caller's name replaces it, widened.
  open->SetFileName("C:\\Daten\\B\xFC" "cher.txt");
  EXPECT_EQ(open->GetFileNameW(), L"C:\\Daten\\B\u00FCcher.txt");
  // An answer given in 8 bits (as the program's unit tests give it) comes back wide too.
  Answering answer([](TCommonDialog& dialog) {
    dynamic_cast<TOpenDialog&>(dialog).SetFileName("C:\\Daten\\neu.txt");
    return true;
  });
  ASSERT_TRUE(open->Execute());
  EXPECT_EQ(open->GetFileNameW(), L"C:\\Daten\\neu.txt");
  EXPECT_EQ(open->GetFilesW(), std::vector<std::wstring>{L"C:\\Daten\\neu.txt"});
  EXPECT_FALSE(open->IsSaveDialog());
}

TEST(WideFileDialogs, AMultipleSelectionKeepsItsFiles) {
  TComponent owner(nullptr);
  auto* open = new TUCodeOpenDialog(&owner);
  open->SetOptions({ofAllowMultiSelect});
  Answering several([](TCommonDialog& dialog) {
    auto& files = dynamic_cast<TUCodeOpenDialog&>(dialog);
    files.SetFileName("C:\\Daten\\eins.txt");
    files.GetFiles()->Add("C:\\Daten\\eins.txt");
    files.GetFiles()->Add("C:\\Daten\\zwei.txt");
    return true;
  });
  ASSERT_TRUE(open->Execute());
  EXPECT_EQ(open->GetFilesW(), (std::vector<std::wstring>{L"C:\\Daten\\eins.txt", L"C:\\Daten\\zwei.txt"}));
}

TEST(WideFileDialogs, FormDescriptionsMakeTheWideDialogs) {
  RegisterUCodeDialogs();
  TComponent owner(nullptr);
  TComponent* open = FindClass("TOpenDialog")->Create(&owner);
  TComponent* save = FindClass("TSaveDialog")->Create(&owner);
  ASSERT_NE(dynamic_cast<TUCodeOpenDialog*>(open), nullptr);
  ASSERT_NE(dynamic_cast<TUCodeSaveDialog*>(save), nullptr);
  // Still the library's dialogs for code that knows only those.
  EXPECT_NE(dynamic_cast<TSaveDialog*>(save), nullptr);
  EXPECT_TRUE(dynamic_cast<TOpenDialog*>(save)->IsSaveDialog());
  EXPECT_FALSE(dynamic_cast<TOpenDialog*>(open)->IsSaveDialog());
}

}  // namespace
