#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/Strings.h"
#include "support/TempFolder.h"

namespace {

using TLines = std::vector<String>;

TLines LinesOf(const TStrings* strings) {
  TLines lines;
  for (int i = 0; i < strings->Count(); ++i) lines.push_back(strings->Strings(i));
  return lines;
}

// A list that owns itself for the length of a test.
struct TList : FreeOnExit<TStringList> {
  explicit TList(bool ownsObjects = false) : FreeOnExit(TStringList::Create(ownsObjects)) {}
  TList(std::initializer_list<const char*> lines) : TList() {
    for (const char* line : lines) Get()->Add(line);
  }
};

int freed = 0;

class TTracked : public TObject {
  RTL_CLASS(TTracked, TObject)
 protected:
  void Destroy() override {
    ++freed;
    inherited::Destroy();
  }
};
RTL_CLASS_IMPL(TTracked, TObject)

// Counts the comparisons, to see the search a lookup makes.
class TCountingList : public TStringList {
  RTL_CLASS(TCountingList, TStringList)
 public:
  mutable int Comparisons = 0;

 protected:
  int CompareStrings(const String& a, const String& b) const override {
    ++Comparisons;
    return inherited::CompareStrings(a, b);
  }
};
RTL_CLASS_IMPL(TCountingList, TStringList)

TEST(StringList, IndexErrorsNameTheIndex) {
  TList list{"a", "b"};
  const auto message = [&](const std::function<void()>& action) {
    try {
      action();
    } catch (const EStringListError& e) {
      return e.Message();
    }
    return String("no error");
  };
  EXPECT_EQ(message([&] { list->Strings(2); }), "List index out of bounds (2)");
  EXPECT_EQ(message([&] { list->Delete(-1); }), "List index out of bounds (-1)");
  EXPECT_EQ(message([&] { list->Insert(3, "x"); }), "List index out of bounds (3)");
  EXPECT_EQ(message([&] { list->Objects(5); }), "List index out of bounds (5)");
  list->Insert(2, "c");  // inserting at Count appends
  EXPECT_EQ(LinesOf(list.Get()), (TLines{"a", "b", "c"}));
}

TEST(StringList, SortedListKeepsUnicodeCaseInsensitiveOrder) {
  TList list;
  list->SetSorted(true);
  for (const char* s : {"яблоко", "Банан", "apple", "Zebra", "Груша", "ель", "банан2"})
    list->Add(s);
  EXPECT_EQ(LinesOf(list.Get()),
            (TLines{"apple", "Zebra", "Банан", "банан2", "Груша", "ель", "яблоко"}));
  EXPECT_EQ(list->IndexOf("БАНАН"), 2);
  EXPECT_EQ(list->IndexOf("груша"), 4);
  EXPECT_EQ(list->IndexOf("ЯБЛОКО"), 6);
  EXPECT_EQ(list->IndexOf("вишня"), -1);
  int index = -1;
  EXPECT_FALSE(list->Find("Вишня", index));
  EXPECT_EQ(index, 4);  // where it would go
  EXPECT_THROW(list->Insert(0, "x"), EStringListError);
  EXPECT_THROW(list->SetStrings(0, "x"), EStringListError);
  EXPECT_THROW(list->Exchange(0, 1), EStringListError);
  EXPECT_THROW(list->Move(0, 1), EStringListError);
  EXPECT_EQ(list->Count(), 7);
}

TEST(StringList, SortedIndexOfUsesTheBinarySearch) {
  FreeOnExit<TCountingList> list(TCountingList::Create());
  list->SetSorted(true);
  for (int i = 0; i < 4096; ++i) list->Add("item" + std::to_string(i));
  list->Comparisons = 0;
  EXPECT_GE(list->IndexOf("item2049"), 0);
  EXPECT_EQ(list->IndexOf("nothing"), -1);
  EXPECT_LE(list->Comparisons, 2 * 14);
}

TEST(StringList, DuplicatesDecideWhatAddingAnExistingLineDoes) {
  struct TCase {
    TDuplicates Duplicates;
    int Count;
    int ReturnedIndex;
  };
  for (const TCase& c :
       {TCase{TDuplicates::dupIgnore, 2, 0}, TCase{TDuplicates::dupAccept, 3, 0}}) {
    TList list;
    list->SetSorted(true);
    list->SetDuplicates(c.Duplicates);
    list->Add("b");
    list->Add("c");
    EXPECT_EQ(list->Add("B"), c.ReturnedIndex);
    EXPECT_EQ(list->Count(), c.Count);
  }
  TList list;
  list->SetSorted(true);
  list->SetDuplicates(TDuplicates::dupError);
  list->Add("b");
  try {
    list->Add("B");
    FAIL() << "no error";
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "String list does not allow duplicates");
  }
  EXPECT_EQ(list->Count(), 1);
}

TEST(StringList, CaseSensitivityGovernsLookupAndResortsASortedList) {
  TList list{"B", "b", "a"};
  EXPECT_EQ(list->IndexOf("A"), 2);
  EXPECT_EQ(list->IndexOf("b"), 0);
  list->SetCaseSensitive(true);
  EXPECT_EQ(list->IndexOf("A"), -1);
  EXPECT_EQ(list->IndexOf("b"), 1);
  list->SetCaseSensitive(false);
  list->SetDuplicates(TDuplicates::dupAccept);
  list->SetSorted(true);
  EXPECT_EQ(LinesOf(list.Get()), (TLines{"a", "B", "b"}));  // equal lines keep their order
  list->SetCaseSensitive(true);
  EXPECT_EQ(LinesOf(list.Get()), (TLines{"a", "b", "B"}));  // lower case first, as ICU orders them
  EXPECT_EQ(list->IndexOf("B"), 2);
}

TEST(StringList, TextSplitsOnEveryKindOfLineBreak) {
  struct TCase {
    String Text;
    TLines Lines;
  };
  const TCase cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb\rc", {"a", "b", "c"}},
      {"\r\n", {""}},
      {"a\r\r\nb", {"a", "", "b"}},
      {String("x\0y", 3), {String("x\0y", 3)}},
  };
  TList list;
  for (const TCase& c : cases) {
    list->SetText(c.Text);
    EXPECT_EQ(LinesOf(list.Get()), c.Lines) << c.Text;
  }
  list->SetText("a\nb");
  EXPECT_EQ(list->Text(), "a\r\nb\r\n");
}

TEST(StringList, DelimitedTextFollowsThePlatformRules) {
  struct TCase {
    String Text;
    bool Strict;
    TLines Items;
  };
  const TCase cases[] = {
      {"1,,2", false, {"1", "", "2"}},
      {"a,b,", false, {"a", "b", ""}},
      {"  a b ,c", false, {"a", "b", "c"}},
      {"\"a b\",\"say \"\"hi\"\"\"", false, {"a b", "say \"hi\""}},
      {"\"\"", false, {""}},
      {"\"open", false, {"open"}},
      {"", false, {}},
      {" a b ,c", true, {" a b ", "c"}},
      {"a,,", true, {"a", "", ""}},
  };
  TList list;
  for (const TCase& c : cases) {
    list->SetStrictDelimiter(c.Strict);
    list->SetDelimitedText(c.Text);
    EXPECT_EQ(LinesOf(list.Get()), c.Items) << c.Text;
  }
  list->SetStrictDelimiter(false);
  list->SetDelimiter(';');
  list->SetDelimitedText("x;y z");
  EXPECT_EQ(LinesOf(list.Get()), (TLines{"x", "y", "z"}));
}

TEST(StringList, DelimitedTextQuotesWhatWouldNotSurviveAndRoundTrips) {
  TList list{"plain", "two words", "a,b", "say \"hi\"", "", "tab\there"};
  const String comma = list->CommaText();
  EXPECT_EQ(comma, "plain,\"two words\",\"a,b\",\"say \"\"hi\"\"\",\"\",\"tab\there\"");
  TList copy;
  copy->SetCommaText(comma);
  EXPECT_EQ(LinesOf(copy.Get()), LinesOf(list.Get()));
  TList single{""};
  EXPECT_EQ(single->CommaText(), "\"\"");
  list->SetDelimiter('|');
  list->SetStrictDelimiter(true);
  EXPECT_EQ(list->DelimitedText(), "plain|two words|a,b|\"say \"\"hi\"\"\"|\"\"|tab\there");
  EXPECT_EQ(list->Delimiter(), '|');  // CommaText left the list's own settings alone
}

TEST(StringList, NameValueLines) {
  TList list{"Server=db1", "port = 15", "flag", "Empty="};
  EXPECT_EQ(list->Names(0), "Server");
  EXPECT_EQ(list->Names(2), "");
  EXPECT_EQ(list->ValueFromIndex(1), " 15");
  EXPECT_EQ(list->ValueFromIndex(2), "");
  EXPECT_EQ(list->Values("SERVER"), "db1");
  EXPECT_EQ(list->Values("flag"), "");
  EXPECT_EQ(list->IndexOfName("empty"), 3);
  list->SetValues("Server", "db2");
  list->SetValues("New", "1");
  list->SetValues("Empty", "");
  EXPECT_EQ(LinesOf(list.Get()), (TLines{"Server=db2", "port = 15", "flag", "New=1"}));
  list->SetValueFromIndex(3, "2");
  EXPECT_EQ(list->Strings(3), "New=2");
  list->SetNameValueSeparator(':');
  list->SetValues("k", "v");
  EXPECT_EQ(list->Strings(4), "k:v");
}

TEST(StringList, OwnedObjectsAreFreedWithTheirLinesButNotWhenMoved) {
  freed = 0;
  {
    TList list(true);
    for (const char* s : {"a", "b", "c", "d"}) list->AddObject(s, TTracked::Create());
    TObject* moved = list->Objects(0);
    list->Move(0, 3);
    EXPECT_EQ(list->Objects(3), moved);
    list->Exchange(0, 1);
    EXPECT_EQ(freed, 0);
    list->Delete(0);
    EXPECT_EQ(freed, 1);
    EXPECT_EQ(list->IndexOfObject(moved), 2);
  }
  EXPECT_EQ(freed, 4);
  TList notOwning;
  FreeOnExit<TTracked> object(TTracked::Create());
  notOwning->AddObject("x", object.Get());
  notOwning->Clear();
  EXPECT_EQ(freed, 4);
}

TEST(StringList, ChangeEventsAreHeldBackDuringAnUpdate) {
  TList list;
  std::vector<String> events;
  list->OnChanging = [&](TObject*) { events.push_back("changing"); };
  list->OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, list.Get());
    events.push_back("change");
  };
  list->Add("a");
  EXPECT_EQ(events, (std::vector<String>{"changing", "change"}));
  events.clear();
  list->BeginUpdate();
  list->BeginUpdate();
  list->Add("b");
  list->SetCommaText("x,y,z");
  list->EndUpdate();
  EXPECT_EQ(events, (std::vector<String>{"changing"}));
  list->EndUpdate();
  list->EndUpdate();  // unmatched: ignored
  EXPECT_EQ(events, (std::vector<String>{"changing", "change"}));
}

TEST(StringList, AssignAndAddStringsCopyLinesObjectsAndSettings) {
  TList source{"b", "a"};
  source->SetObjects(0, source.Get());
  source->SetDelimiter(';');
  TList target{"old"};
  target->Assign(source.Get());
  EXPECT_EQ(LinesOf(target.Get()), (TLines{"b", "a"}));
  EXPECT_EQ(target->Objects(0), source.Get());
  EXPECT_EQ(target->Delimiter(), ';');
  target->AddStrings(target.Get());
  EXPECT_EQ(LinesOf(target.Get()), (TLines{"b", "a", "b", "a"}));
  TList sorted;
  sorted->SetSorted(true);
  sorted->Assign(target.Get());
  EXPECT_EQ(LinesOf(sorted.Get()), (TLines{"a", "b"}));
  EXPECT_THROW(target->Assign(nullptr), EConvertError);
}

TEST(StringList, CustomSortIsStableAndSurvivesAnInconsistentComparison) {
  TList list{"b1", "a1", "b2", "a2", "c1"};
  list->CustomSort(
      [](TStringList* l, int i, int j) { return l->Strings(i)[0] - l->Strings(j)[0]; });
  EXPECT_EQ(LinesOf(list.Get()), (TLines{"a1", "a2", "b1", "b2", "c1"}));
  TList many;
  for (int i = 0; i < 1000; ++i) many->Add(std::to_string(i));
  std::mt19937 random(7);
  many->CustomSort([&](TStringList*, int, int) { return static_cast<int>(random() % 3) - 1; });
  EXPECT_EQ(many->Count(), 1000);
  many->SetSorted(true);
  for (int i = 0; i < 1000; ++i) EXPECT_GE(many->IndexOf(std::to_string(i)), 0);
}

TEST(StringList, FilesAreUtf8WithTheByteOrderMarkSkipped) {
  TTempFolder temp;
  TTempFolder::WriteFile(temp / "in.txt", "\xEF\xBB\xBFпервая\r\nвторая\n");
  TList list;
  list->LoadFromFile(temp / "in.txt");
  EXPECT_EQ(LinesOf(list.Get()), (TLines{"первая", "вторая"}));
  list->SaveToFile(temp / "out.txt");
  EXPECT_EQ(TTempFolder::ReadFile(temp / "out.txt"), "первая\r\nвторая\r\n");
  EXPECT_THROW(list->LoadFromFile(temp / "none.txt"), EInOutError);
  EXPECT_EQ(list->Count(), 2);
}

}  // namespace
