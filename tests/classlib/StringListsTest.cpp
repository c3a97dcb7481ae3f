// String lists: text, comma text and name=value lines, sorting, duplicates, errors, updates,
// files, and the wide base class through a small wide list.
#include <gtest/gtest.h>

#include "classlib/Classes.h"
#include "support/TestSupport.h"

namespace {

std::vector<std::string> Lines(const TStrings& list) {
  std::vector<std::string> lines;
  for (int i = 0; i < list.GetCount(); ++i) lines.push_back(list.Get(i));
  return lines;
}

using V = std::vector<std::string>;

TEST(StringListText, SplitsAtEveryLineBreakStyle) {
  struct Case {
    std::string text;
    V lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},  // a final break adds no empty line
      {"a\r\n\r\n", {"a", ""}},
      {"\r\n", {""}},
      {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
      {"a\n\rb", {"a", "", "b"}},  // LF CR is two breaks
      {"a\r\r\nb", {"a", "", "b"}},
      {std::string("x\0y\nz", 5), {std::string("x\0y", 3), "z"}},  // NUL is kept, not an end
  };
  TStringList list;
  for (const Case& c : cases) {
    list.SetText(c.text);
    EXPECT_EQ(Lines(list), c.lines) << c.text;
  }
}

TEST(StringListText, JoinsWithCrLfAfterEveryLine) {
  TStringList list;
  EXPECT_EQ(list.GetText(), "");
  list.Add("a");
  list.Add("");
  EXPECT_EQ(list.GetText(), "a\r\n\r\n");
  list.SetText(list.GetText());
  EXPECT_EQ(Lines(list), (V{"a", ""}));
}

TEST(StringListText, CommaTextQuotesWhatNeedsIt) {
  TStringList list;
  list.SetCommaText("a, \"b c\" ,\"d\"\"e\",,f g,");
  EXPECT_EQ(Lines(list), (V{"a", "b c", "d\"e", "", "f", "g", ""}));
  EXPECT_EQ(list.GetCommaText(), "a,\"b c\",\"d\"\"e\",,f,g,");
  list.Clear();
  list.Add("");
  EXPECT_EQ(list.GetCommaText(), "\"\"");
  list.SetCommaText("");
  EXPECT_EQ(list.GetCount(), 0);
  list.SetDelimiter(';');
  list.SetQuoteChar('\'');
  list.SetDelimitedText("x;'y;z'");
  EXPECT_EQ(Lines(list), (V{"x", "y;z"}));
  EXPECT_EQ(list.GetDelimitedText(), "x;'y;z'");
  EXPECT_EQ(list.GetCommaText(), "x,y;z");  // comma text keeps its own delimiter
}

TEST(StringListText, NamesAndValues) {
  TStringList list;
  list.SetText("Width=10\nColor=red\nnovalue\nKey=a=b");
  EXPECT_EQ(list.GetName(0), "Width");
  EXPECT_EQ(list.GetName(2), "");
  EXPECT_EQ(list.GetValueFromIndex(2), "");
  EXPECT_EQ(list.GetValue("color"), "red");
  EXPECT_EQ(list.GetValue("key"), "a=b");
  EXPECT_EQ(list.GetValue("missing"), "");
  EXPECT_EQ(list.IndexOfName("novalue"), -1);
  list.SetValue("Color", "blue");
  list.SetValue("New", "1");
  list.SetValue("Width", "");  // an empty value removes the line
  EXPECT_EQ(Lines(list), (V{"Color=blue", "novalue", "Key=a=b", "New=1"}));
  list.SetSorted(true);
  EXPECT_EQ(list.IndexOfName("new"), 2);
  EXPECT_EQ(list.IndexOfName("Ne"), -1);
  EXPECT_EQ(list.IndexOfName("zzz"), -1);
}

TEST(SortedStringList, FindAtTheBoundaries) {
  TStringList list;
  list.SetSorted(true);
  int index = -1;
  EXPECT_FALSE(list.Find("a", index));
  EXPECT_EQ(index, 0);
  for (const char* s : {"delta", "Bravo", "charlie", "alpha"}) list.Add(s);
  EXPECT_EQ(Lines(list), (V{"alpha", "Bravo", "charlie", "delta"}));
  EXPECT_TRUE(list.Find("ALPHA", index));
  EXPECT_EQ(index, 0);
  EXPECT_TRUE(list.Find("delta", index));
  EXPECT_EQ(index, 3);
  EXPECT_FALSE(list.Find("aaa", index));
  EXPECT_EQ(index, 0);
  EXPECT_FALSE(list.Find("zulu", index));
  EXPECT_EQ(index, 4);
  EXPECT_FALSE(list.Find("bz", index));
  EXPECT_EQ(index, 2);
  EXPECT_EQ(list.IndexOf("CHARLIE"), 2);
  EXPECT_EQ(list.IndexOf("echo"), -1);
}

TEST(SortedStringList, DuplicatesIgnoredAcceptedOrRefused) {
  TStringList list;
  list.SetSorted(true);
  list.Add("b");
  list.Add("d");
  EXPECT_EQ(list.Add("B"), 0);  // ignored: the existing index, nothing added
  EXPECT_EQ(list.GetCount(), 2);

  list.SetDuplicates(dupAccept);
  list.Add("d");
  list.Add("D");
  EXPECT_EQ(list.GetCount(), 4);
  int index = -1;
  EXPECT_TRUE(list.Find("d", index));
  EXPECT_EQ(index, 1);  // the first of the equal items

  list.SetDuplicates(dupError);
  try {
    list.Add("b");
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.GetMessage(), "String list does not allow duplicates");
  }
  EXPECT_EQ(list.GetCount(), 4);
}

TEST(SortedStringList, PositionalChangesAreRefused) {
  TStringList list;
  list.Add("x");
  list.SetSorted(true);
  for (auto change : {+[](TStringList& l) { l.Insert(0, "a"); }, +[](TStringList& l) { l.Put(0, "a"); },
                      +[](TStringList& l) { l.InsertObject(0, "a", nullptr); }}) {
    try {
      change(list);
      FAIL();
    } catch (const EListError& e) {
      EXPECT_EQ(e.GetMessage(), "Operation not allowed on sorted list");
    }
  }
  list.Exchange(0, 0);  // exchanging stays allowed
  list.Delete(0);
  EXPECT_EQ(list.GetCount(), 0);
}

TEST(SortedStringList, CaseSensitivityKeepsTheOrderSearchable) {
  TStringList list;
  list.SetText("b\nB\na\nA");
  list.SetDuplicates(dupAccept);
  list.SetSorted(true);
  list.SetCaseSensitive(true);
  for (int i = 0; i < list.GetCount(); ++i) {
    int index = -1;
    EXPECT_TRUE(list.Find(list.Get(i), index)) << list.Get(i);
    EXPECT_EQ(list.Get(index), list.Get(i));
  }
  EXPECT_NE(list.IndexOf("a"), list.IndexOf("A"));
}

TEST(StringList, IndexErrorsCarryTheIndex) {
  TStringList list;
  list.Add("only");
  const std::function<void()> calls[] = {
      [&] { list.Get(1); },        [&] { list.Get(-1); },          [&] { list.GetObject(1); },
      [&] { list.Put(1, "x"); },   [&] { list.PutObject(1, nullptr); }, [&] { list.Delete(1); },
      [&] { list.Exchange(0, 1); }, [&] { list.Insert(2, "x"); },
  };
  for (const auto& call : calls) {
    try {
      call();
      FAIL();
    } catch (const EStringListError& e) {
      EXPECT_TRUE(e.GetMessage() == "List index out of bounds (1)" || e.GetMessage() == "List index out of bounds (-1)" ||
                  e.GetMessage() == "List index out of bounds (2)")
          << e.GetMessage();
    }
  }
  list.Insert(1, "end");  // the count itself is a valid insertion place
  EXPECT_EQ(list.GetCount(), 2);
}

TEST(StringList, ObjectsTravelWithTheirStrings) {
  TStringList list, owner;
  list.AddObject("c", &owner);
  list.AddObject("a", nullptr);
  list.AddObject("b", &list);
  list.Move(0, 2);
  EXPECT_EQ(Lines(list), (V{"a", "b", "c"}));
  EXPECT_EQ(list.GetObject(2), &owner);
  list.Exchange(0, 1);
  EXPECT_EQ(list.GetObject(0), &list);
  EXPECT_EQ(list.IndexOfObject(&owner), 2);
  list.CustomSort([](TStringList* l, int a, int b) { return CompareStr(l->Get(b), l->Get(a)); });
  EXPECT_EQ(Lines(list), (V{"c", "b", "a"}));
  EXPECT_EQ(list.GetObject(0), &owner);

  TStringList copy;
  copy.Assign(&list);
  EXPECT_TRUE(copy.Equals(list));
  EXPECT_EQ(copy.GetObject(0), &owner);  // objects are shared, not copied

  list.SetSorted(true);
  list.CustomSort([](TStringList* l, int a, int b) { return CompareStr(l->Get(b), l->Get(a)); });
  EXPECT_EQ(Lines(list), (V{"a", "b", "c"}));  // a sorted list ignores custom sorts
}

TEST(StringList, SortSurvivesAComparisonThatContradictsItself) {
  TStringList list;
  for (int i = 0; i < 50; ++i) list.Add(IntToStr(i));
  list.CustomSort([](TStringList*, int, int) { return -1; });
  EXPECT_EQ(list.GetCount(), 50);
}

class TEventLog {
 public:
  std::string Log;
  void Changing(TObject*) { Log += "<"; }
  void Changed(TObject*) { Log += ">"; }
};

TEST(StringList, ChangeEventsFireOncePerUpdate) {
  TStringList list;
  TEventLog events;
  list.OnChanging = TNotifyEvent(&events, &TEventLog::Changing);
  list.OnChange = TNotifyEvent(&events, &TEventLog::Changed);
  list.Add("a");
  EXPECT_EQ(events.Log, "<>");
  events.Log.clear();
  list.BeginUpdate();
  list.BeginUpdate();
  list.Add("b");
  list.Delete(0);
  list.EndUpdate();
  EXPECT_EQ(events.Log, "<");
  list.EndUpdate();
  EXPECT_EQ(events.Log, "<>");
  events.Log.clear();
  list.SetText("x\ny\nz");  // one update for the whole text
  EXPECT_EQ(events.Log, "<>");
  events.Log.clear();
  list.EndUpdate();  // unbalanced: ignored
  list.Clear();
  list.Clear();  // an empty list does not change
  EXPECT_EQ(events.Log, "<>");
}

TEST(StringList, FilesAndStreams) {
  testsupport::TempDir dir;
  TStringList list;
  list.SetText("eins\r\nzwei\xfc");
  list.SaveToFile(dir.File("l.txt"));
  EXPECT_EQ(testsupport::ReadBytes(dir.File("l.txt")), "eins\r\nzwei\xfc\r\n");
  testsupport::WriteBytes(dir.File("unix.txt"), "a\nb\n");
  list.LoadFromFile(dir.File("unix.txt"));
  EXPECT_EQ(Lines(list), (V{"a", "b"}));
  TStringStream stream("head|x\ry");
  stream.SetPosition(5);
  list.LoadFromStream(stream);  // from the position on
  EXPECT_EQ(Lines(list), (V{"x", "y"}));
  EXPECT_THROW(list.LoadFromFile(dir.File("missing.txt")), EFOpenError);
}

// The smallest wide list: the base class does the rest.
class TVectorWideStrings : public TWideStrings {
 public:
  std::wstring Get(int index) const override { return FItems.at(static_cast<size_t>(index)); }
  int GetCount() const override { return static_cast<int>(FItems.size()); }
  void Clear() override { FItems.clear(); }
  void Delete(int index) override { FItems.erase(FItems.begin() + index); }
  void Insert(int index, const std::wstring& text) override { FItems.insert(FItems.begin() + index, text); }
  int Updates = 0;

 protected:
  void SetUpdateState(bool updating) override { Updates += updating ? 1 : 0; }

 private:
  std::vector<std::wstring> FItems;
};

TEST(WideStrings, SameContractOverWideText) {
  TVectorWideStrings list;
  list.SetText(L"\u20ac=1\r\nb\u0416=zwei\n");
  EXPECT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.GetValue(L"B\u0436"), L"zwei");  // names ignore case beyond ASCII
  EXPECT_EQ(list.IndexOf(L"\u20ac=1"), 0);
  EXPECT_EQ(list.GetText(), L"\u20ac=1\r\nb\u0416=zwei\r\n");
  list.SetCommaText(L"\"a b\",c");
  EXPECT_EQ(list.GetCommaText(), L"\"a b\",c");
  list.Move(1, 0);
  EXPECT_EQ(list.Get(0), L"c");
  list.Put(1, L"z");
  EXPECT_EQ(list.Get(1), L"z");
  EXPECT_GE(list.Updates, 3);

  testsupport::TempDir dir;
  const std::wstring file = std::wstring(dir.Path().begin(), dir.Path().end()) + L"\\\u0416.txt";
  list.SaveToFile(file);  // UTF-16 units, no mark
  TVectorWideStrings loaded;
  loaded.LoadFromFile(file);
  EXPECT_TRUE(loaded.Equals(list));
  EXPECT_THROW(loaded.LoadFromFile(file + L"x"), EFOpenError);
}

}  // namespace
