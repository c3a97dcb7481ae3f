#include "ucode/UCodeClasses.h"

#include "support/TestSupport.h"
#include "ucode/UCodeSysUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <random>
#include <type_traits>

namespace {

std::wstring Wide(const std::string& ansi) { return StringToWideStringEx(ansi, 0); }

std::vector<std::wstring> Lines(const TWideStrings& list) {
  std::vector<std::wstring> lines;
  for (int i = 0; i < list.GetCount(); ++i) lines.push_back(list.Get(i));
  return lines;
}

template <typename Body>
std::string ErrorText(Body body) {
  try {
    body();
  } catch (const Exception& error) {
    return error.what();
  }
  return "(nothing raised)";
}

// ---- Byte-order marks and files

TEST(DetectStreamBOM, NamesTheKindAndLeavesTheStreamBehindTheMark) {
  const struct {
    std::string bytes;
    int kind;
    int64_t position;
  } cases[] = {
      {"\xFF\xFE" "a\0", ckUnicode, 2},  {"\xFE\xFF\0a", ckUnicodeSwapped, 2}, {"\xEF\xBB\xBF" "abc", ckUtf8, 3},
      {"\xEF\xBB", ckAnsi, 0},           {"abc", ckAnsi, 0},                    {"a", ckAnsi, 0},
      {"", ckAnsi, 0},                   {"\xFF\xFE", ckUnicode, 2},
  };
  for (const auto& c : cases) {
    TStringStream stream(c.bytes);
    EXPECT_EQ(DetectStreamBOM(stream), c.kind) << c.bytes;
    EXPECT_EQ(stream.GetPosition(), c.position) << c.bytes;
  }
}

class UCodeFiles : public ::testing::Test {
 protected:
  std::wstring Load(const std::string& bytes) {
    testsupport::WriteBytes(m_temp.File("in.txt"), bytes);
    m_list.LoadFromFile(Wide(m_temp.File("in.txt")));
    return m_list.GetTextStr();
  }
  std::string Save() {
    m_list.SaveToFile(Wide(m_temp.File("out.txt")));
    return testsupport::ReadBytes(m_temp.File("out.txt"));
  }

  testsupport::TempDir m_temp;
  TUCodeStringList m_list;
};

TEST_F(UCodeFiles, ReadsEachKindOfText) {
  EXPECT_EQ(Load(std::string("\xFF\xFE" "a\0\xE4\0\r\0\n\0b\0", 12)), L"a\u00e4\r\nb\r\n");
  EXPECT_EQ(Load(std::string("\xFE\xFF\0a\0\xE4\0\r\0\n\0b", 12)), L"a\u00e4\r\nb\r\n");
  EXPECT_EQ(Load("\xEF\xBB\xBF" "a\xC3\xA4\r\nb"), L"a\u00e4\r\nb\r\n");
  EXPECT_EQ(Load("Gr\xFC\xDF" "e"), L"Gr\u00fc\u00dfe\r\n");
  EXPECT_EQ(Load("x"), L"x\r\n");                        // one byte: 8-bit text
  EXPECT_EQ(Load("a\xC3\xA4"), L"a\u00c3\u00a4\r\n");     // no mark: 8-bit, even when it is UTF-8
  EXPECT_EQ(Load(std::string("\xFF\xFE" "a\0b", 5)), L"a\r\n");  // odd last byte is no character
  // A marked UTF-8 text keeps its good parts around a broken sequence.
  EXPECT_EQ(Load("\xEF\xBB\xBF" "ab\xC3(cd"), L"ab\xFFFD(cd\r\n");
}

TEST_F(UCodeFiles, SavesUtf16LittleEndianWithMark) {
  Load(std::string("\xFE\xFF\0a\0\xE4", 6));
  EXPECT_EQ(Save(), std::string("\xFF\xFE" "a\0\xE4\0\r\0\n\0", 10));
  m_list.Clear();
  EXPECT_EQ(Save(), "\xFF\xFE");
  m_list.Add(L"\u65e5\xD83D\xDE00");
  EXPECT_EQ(Save(), std::string("\xFF\xFE\xE5\x65\x3D\xD8\x00\xDE\r\0\n\0", 12));
  TStringStream plain;  // without the mark both ways
  m_list.SaveToStreamBOM(plain, false);
  plain.SetPosition(0);
  TUCodeStringList back;
  back.LoadFromStreamBOM(plain, false);
  EXPECT_EQ(Lines(back), Lines(m_list));
}

TEST_F(UCodeFiles, FileStreamErrorsNameTheFile) {
  const std::wstring missing = Wide(m_temp.File("missing.txt"));
  std::string text = ErrorText([&] { TUCodeFileStream stream(missing, fmOpenRead); });
  EXPECT_EQ(text.rfind("Cannot open file \"" + m_temp.File("missing.txt") + "\". ", 0), 0u) << text;
  EXPECT_THROW(TUCodeFileStream(Wide(m_temp.File("no\\such\\folder.txt")), fmCreate), EFCreateError);
  EXPECT_THROW(m_list.LoadFromFile(missing), EFOpenError);
  // A reader denies writers; the wide name reaches the system.
  const std::wstring name = Wide(m_temp.Path()) + L"\\\u65e5.txt";
  {
    TUCodeFileStream created(name, fmCreate);
    created.WriteBuffer("\xFF\xFE" "z\0", 4);
  }
  {
    TUCodeFileStream reader(name, fmOpenRead | fmShareDenyWrite);
    EXPECT_THROW(TUCodeFileStream(name, fmOpenWrite), EFOpenError);
    m_list.LoadFromStream(reader);
  }
  EXPECT_EQ(m_list.GetTextStr(), L"z\r\n");
  EXPECT_TRUE(DeleteFileW(name.c_str()));  // the stream closed its file
}

TEST_F(UCodeFiles, ListsAreSavedAndLoadedBeyondMaxPath) {
  const std::wstring folder = testsupport::MakeLongFolder(Wide(m_temp.Path()), 290);
  const std::wstring name = folder + L"W\u00f6rter \u65e5.txt";
  m_list.Add(L"eins");
  m_list.Add(L"\u65e5\u672c");
  m_list.SaveToFile(name);
  EXPECT_EQ(testsupport::ReadBytes(name), std::string("\xFF\xFE" "e\0i\0n\0s\0\r\0\n\0\xE5\x65\x2C\x67\r\0\n\0", 22));
  m_list.Delete(0);
  m_list.SaveToFile(name);  // over the file saved before
  std::wstring detour = folder + L".\\..\\" + WideExtractFileName(folder.substr(0, folder.size() - 1)) + L"\\" +
                        WideExtractFileName(name);
  std::replace(detour.begin(), detour.end(), L'\\', L'/');
  TUCodeStringList back;
  back.LoadFromFile(detour);
  EXPECT_EQ(Lines(back), (std::vector<std::wstring>{L"\u65e5\u672c"}));
  // A name that is not there is told as the user gave it, in full, not in the form for the system.
  const std::string text = ErrorText([&] { TUCodeFileStream stream(folder + L"missing.txt", fmOpenRead); });
  const std::string expected = "Cannot open file \"" + WideStringToStringEx(folder, 0) + "missing.txt\". ";
  EXPECT_EQ(text.rfind(expected, 0), 0u) << text;
}

// ---- The sorted list

TEST(UCodeStringList, CaseSensitiveAndNames) {
  TUCodeStringList list;
  list.SetCaseSensitive(true);
  list.Add(L"Key=1");
  list.Add(L"key=2");
  EXPECT_EQ(list.IndexOf(L"key=2"), 1);
  EXPECT_EQ(list.IndexOf(L"KEY=2"), -1);
  EXPECT_EQ(list.IndexOfName(L"key"), 1);
  EXPECT_EQ(list.GetValue(L"Key"), L"1");
  list.SetCaseSensitive(false);
  list.SetSorted(true);
  list.Add(L"\u00e4=3");
  list.Add(L"zebra=4");
  EXPECT_EQ(Lines(list).front(), L"\u00e4=3");
  EXPECT_EQ(list.IndexOfName(L"KEY"), list.IndexOf(L"key=1"));
  EXPECT_EQ(list.IndexOfName(L"\u00c4"), 0);
  EXPECT_EQ(list.IndexOfName(L"zebra"), 3);
  EXPECT_EQ(list.IndexOfName(L"ke"), -1);
  EXPECT_EQ(list.IndexOfName(L"zz"), -1);
}

TEST(UCodeStringList, SortKeepsObjectsWithTheirStrings) {
  std::mt19937 random(1);
  for (int round = 0; round < 50; ++round) {
    TUCodeStringList list;
    std::vector<TObject> tags(40);
    for (int i = 0; i < 1 + round % 40; ++i)
      list.AddObject(std::wstring(1, L"abcABC\u00e4\u00c4"[random() % 8]), &tags[i]);
    std::vector<std::pair<std::wstring, TObject*>> before;
    for (int i = 0; i < list.GetCount(); ++i) before.emplace_back(list.Get(i), list.GetObject(i));
    list.Sort();
    for (int i = 1; i < list.GetCount(); ++i) ASSERT_LE(list.CompareStrings(list.Get(i - 1), list.Get(i)), 0);
    for (int i = 0; i < list.GetCount(); ++i) {
      auto pair = std::make_pair(list.Get(i), list.GetObject(i));
      ASSERT_NE(std::find(before.begin(), before.end(), pair), before.end());
    }
  }
}

class ChangeCounter : public TObject {
 public:
  void OnChange(TObject*) { ++changes; }
  void OnChanging(TObject*) { ++changings; }
  int changes = 0;
  int changings = 0;
};

TEST(UCodeStringList, CompareOnAnEightBitPlatform) {
  const bool saved = Win32PlatformIsUnicode;
  Win32PlatformIsUnicode = false;
  TUCodeStringList list;
  const int ignoringCase = list.CompareStrings(L"\u00c4rger", L"\u00e4rger");
  list.SetCaseSensitive(true);
  const int withCase = list.CompareStrings(L"\u00c4rger", L"\u00e4rger");
  Win32PlatformIsUnicode = saved;
  EXPECT_EQ(ignoringCase, 0);
  EXPECT_NE(withCase, 0);
}

// ---- 8-bit views

TEST(AnsiAdapter, ConvertsEveryLineWithItsCodePage) {
  TUCodeStringList list;
  TAnsiStrings* ansi = list.GetAnsiStrings();
  ansi->Add("Gr\xFC\xDF" "e");
  EXPECT_EQ(list.Get(0), L"Gr\u00fc\u00dfe");
  list.Add(L"\u20ac \u65e5");
  EXPECT_EQ(ansi->GetCount(), 2);
  EXPECT_EQ(ansi->Get(1), "\x80 ?");
  ansi->Put(0, "\xE4");
  EXPECT_EQ(list.Get(0), L"\u00e4");
  TStringList source;
  source.Add("one");
  source.Add("\xF6");
  list.SetAnsiStrings(&source);
  EXPECT_EQ(Lines(list), (std::vector<std::wstring>{L"one", L"\u00f6"}));

  TUCodeStringList cyrillic;
  TAnsiStringsForWideStringsAdapter russian(&cyrillic, 1251);
  TStringStream in("\xcf\xf0\xe8\xe2\xe5\xf2\r\n\xec\xe8\xf0");
  russian.LoadFromStreamEx(in, 1251);
  EXPECT_EQ(Lines(cyrillic), (std::vector<std::wstring>{L"\u041f\u0440\u0438\u0432\u0435\u0442", L"\u043c\u0438\u0440"}));
  EXPECT_EQ(russian.Get(1), "\xec\xe8\xf0");
  TStringStream out;
  russian.SaveToStreamEx(out, 65001);
  EXPECT_EQ(out.GetDataString(), "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82\r\n\xD0\xBC\xD0\xB8\xD1\x80\r\n");
}

// ---- Component helpers

TEST(WideComponentHelper, StandInAddressOrderAndLeaveWithTheirComponent) {
  TList list;
  std::vector<TComponent*> components;
  for (int i = 0; i < 12; ++i) components.push_back(new TComponent(nullptr));
  std::shuffle(components.begin(), components.end(), std::mt19937(4));
  for (TComponent* component : components) TWideComponentHelper::CreateHelper(component, &list);
  ASSERT_EQ(list.GetCount(), 12);
  for (int i = 1; i < list.GetCount(); ++i)
    EXPECT_LT(static_cast<TWideComponentHelper*>(list.Get(i - 1))->GetComponent(),
              static_cast<TWideComponentHelper*>(list.Get(i))->GetComponent());
  for (TComponent* component : components) EXPECT_EQ(FindWideComponentHelper(&list, component)->GetComponent(), component);
  TComponent stranger(nullptr);
  EXPECT_EQ(FindWideComponentHelper(&list, &stranger), nullptr);
  for (size_t i = 0; i < components.size(); ++i) {
    components[i]->Free();
    EXPECT_EQ(list.GetCount(), static_cast<int>(components.size() - i - 1));
  }
}

TEST(WideComponentHelper, OwnedComponentTakesItsHelperAlong) {
  TList list;
  auto* owner = new TComponent(nullptr);
  auto* child = new TComponent(owner);
  TWideComponentHelper::CreateHelper(child, &list);
  EXPECT_NE(FindWideComponentHelper(&list, child), nullptr);
  owner->Free();
  EXPECT_EQ(list.GetCount(), 0);
}

TEST(WideComponentHelper, PlainConstructionIsAnInternalError) {
  EXPECT_EQ(ErrorText([] { TWideComponentHelper helper(nullptr); }),
            "UCode Internal Error: TWideComponentHelper.Create should never be encountered.");
}

// ---- Wide text beside 8-bit text

TEST(SyncedWideString, WideValueCountsWhileTheEightBitTextAgrees) {
  std::wstring stored = L"\u65e5";
  EXPECT_EQ(GetSyncedWideString(stored, "?"), L"\u65e5");
  EXPECT_EQ(GetSyncedWideString(stored, "new"), L"new");  // changed through the 8-bit side
  EXPECT_EQ(stored, L"new");
  stored = L"\u00e4";
  EXPECT_EQ(GetSyncedWideString(stored, "\xE4"), L"\u00e4");
}

TEST(SyncedWideString, SetterSeesAChangeEvenWhenTheEightBitTextStaysTheSame) {
  std::string control = "?";
  std::vector<std::string> calls;
  auto setter = [&](const std::string& text) {
    calls.push_back(text);
    control = text;
  };
  std::wstring stored = L"?";
  SetSyncedWideString(L"\u65e5", stored, control, setter);
  EXPECT_EQ(calls, (std::vector<std::string>{"", "?"}));
  EXPECT_EQ(GetSyncedWideString(stored, control), L"\u65e5");
  calls.clear();
  SetSyncedWideString(L"\u65e5", stored, control, setter);
  EXPECT_TRUE(calls.empty());  // no change
  SetSyncedWideString(L"abc", stored, control, setter);
  EXPECT_EQ(calls, (std::vector<std::string>{"abc"}));
  EXPECT_EQ(stored, L"abc");
}

}  // namespace

// ---- The 8-bit and the wide string list: one behaviour
namespace {

template <class List>
struct BothStringLists : ::testing::Test {
  using Text = std::remove_cvref_t<decltype(std::declval<List&>().Get(0))>;
  static Text T(const char* ansi) { return Text(ansi, ansi + std::strlen(ansi)); }
};
using StringListKinds = ::testing::Types<TStringList, TUCodeStringList>;
TYPED_TEST_SUITE(BothStringLists, StringListKinds);

TYPED_TEST(BothStringLists, PositionalChangesOfASortedListRaiseTheSameError) {
  TypeParam list;
  list.Add(TestFixture::T("b"));
  list.Add(TestFixture::T("a"));
  list.SetSorted(true);
  for (auto change : {+[](TypeParam& l) { l.Put(0, TestFixture::T("z")); },
                      +[](TypeParam& l) { l.Insert(0, TestFixture::T("z")); },
                      +[](TypeParam& l) { l.InsertObject(1, TestFixture::T("z"), nullptr); }}) {
    EXPECT_THROW(change(list), EStringListError);
    EXPECT_EQ(ErrorText([&] { change(list); }), "Operation not allowed on sorted list");
  }
  EXPECT_EQ(list.Get(0), TestFixture::T("a"));
  EXPECT_EQ(list.GetCount(), 2);
  list.Exchange(0, 0);  // exchanging stays allowed
  list.Delete(0);
  EXPECT_EQ(list.GetCount(), 1);
}

TYPED_TEST(BothStringLists, NestedUpdatesAnnounceOneChangeAtEachEnd) {
  TypeParam list;
  ChangeCounter counter;
  list.OnChange = TNotifyEvent(&counter, &ChangeCounter::OnChange);
  list.OnChanging = TNotifyEvent(&counter, &ChangeCounter::OnChanging);
  list.BeginUpdate();
  list.BeginUpdate();
  list.Add(TestFixture::T("a"));
  list.EndUpdate();
  list.Add(TestFixture::T("b"));
  EXPECT_EQ(counter.changings, 1);
  EXPECT_EQ(counter.changes, 0);
  list.EndUpdate();
  EXPECT_EQ(counter.changings, 1);
  EXPECT_EQ(counter.changes, 1);
  list.EndUpdate();  // one too many: nothing more
  EXPECT_EQ(counter.changes, 1);
  list.Delete(0);
  EXPECT_EQ(counter.changings, 2);
  EXPECT_EQ(counter.changes, 2);
  list.SetText(TestFixture::T("x\r\ny\r\nz"));  // one update for the whole text
  EXPECT_EQ(counter.changes, 3);
  list.Clear();
  list.Clear();  // an empty list does not change
  EXPECT_EQ(counter.changings, 4);
  EXPECT_EQ(counter.changes, 4);
}

TYPED_TEST(BothStringLists, SortedAddFindsItsPlaceAndHandlesDuplicatesByRule) {
  const auto T = TestFixture::T;
  TypeParam list;
  list.SetSorted(true);
  int index = -1;
  EXPECT_FALSE(list.Find(T("a"), index));
  EXPECT_EQ(index, 0);
  EXPECT_EQ(list.Add(T("b")), 0);
  EXPECT_EQ(list.Add(T("D")), 1);
  EXPECT_EQ(list.Add(T("a")), 0);
  EXPECT_EQ(list.Add(T("B")), 1);  // ignored: "b" is there, case aside
  EXPECT_EQ(list.GetCount(), 3);
  list.SetDuplicates(dupError);
  EXPECT_EQ(ErrorText([&] { list.Add(T("d")); }), "String list does not allow duplicates");
  EXPECT_EQ(list.GetCount(), 3);
  list.SetDuplicates(dupAccept);
  list.Add(T("b"));
  list.Add(T("B"));
  EXPECT_EQ(list.GetCount(), 5);
  EXPECT_TRUE(list.Find(T("b"), index));
  EXPECT_EQ(index, 1);  // the first of the equal items
  EXPECT_TRUE(list.Find(T("d"), index));
  EXPECT_EQ(index, 4);
  const std::pair<const char*, int> missingPlaces[] = {{"c", 4}, {"0", 0}, {"z", 5}};
  for (const auto& [missing, place] : missingPlaces) {
    EXPECT_FALSE(list.Find(T(missing), index));
    EXPECT_EQ(index, place) << missing;
  }
  EXPECT_EQ(list.IndexOf(T("D")), 4);
  EXPECT_EQ(list.IndexOf(T("x")), -1);
}

TYPED_TEST(BothStringLists, IndexErrorsCarryTheIndex) {
  const auto T = TestFixture::T;
  TypeParam list;
  list.Add(T("only"));
  const std::pair<std::function<void()>, const char*> calls[] = {
      {[&] { list.Get(1); }, "(1)"},           {[&] { list.Get(-1); }, "(-1)"},
      {[&] { list.GetObject(1); }, "(1)"},     {[&] { list.Put(1, T("x")); }, "(1)"},
      {[&] { list.PutObject(1, nullptr); }, "(1)"}, {[&] { list.Delete(-1); }, "(-1)"},
      {[&] { list.Exchange(0, 1); }, "(1)"},   {[&] { list.Insert(2, T("x")); }, "(2)"},
  };
  for (const auto& [call, index] : calls) EXPECT_EQ(ErrorText(call), std::string("List index out of bounds ") + index);
  list.Insert(1, T("end"));  // the count itself is a valid insertion place
  EXPECT_EQ(list.GetCount(), 2);
}

TYPED_TEST(BothStringLists, CapacityGrowsInStepsAndClearingGivesItBack) {
  TypeParam list;
  EXPECT_EQ(list.GetCapacity(), 0);
  std::vector<int> capacities;
  for (int i = 0; i < 80; ++i) {
    list.Add(TestFixture::T("x"));
    if (capacities.empty() || capacities.back() != list.GetCapacity())
      capacities.push_back(list.GetCapacity());
  }
  EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95}));
  list.SetCapacity(100);
  EXPECT_EQ(list.GetCapacity(), 100);
  EXPECT_THROW(list.SetCapacity(10), EStringListError);
  list.Clear();
  EXPECT_EQ(list.GetCapacity(), 0);
}

}  // namespace
