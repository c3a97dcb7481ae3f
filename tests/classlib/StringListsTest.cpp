// String lists: text, comma text and name=value lines, case-sensitive sorting, objects, files,
// and the wide base class through a small wide list. Finding and duplicates in a sorted list,
// index errors and change events are one template's behaviour, checked for the 8-bit and the
// wide list together in the Unicode layer's tests.
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
