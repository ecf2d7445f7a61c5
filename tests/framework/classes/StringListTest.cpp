// TStrings/TStringList: case rules, sorting and duplicates, names and values,
// the whole-list texts with their quoting rules, files and change events.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "framework/classes/Component.h"
#include "framework/classes/MemoryStream.h"
#include "framework/classes/StringList.h"
#include "support/TempDir.h"
#include "support/ProtectedFile.h"
#include "framework/classes/StringStream.h"
#include "framework/rtl/Exception.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"

namespace {

using Lines = std::vector<String>;

void Fill(TStrings& s, const Lines& lines) {
    s.Clear();
    for (const String& l : lines) s.Add(l);
}

TEST(StringList, AddInsertDeleteMoveExchange) {
    TStringList l;
    EXPECT_EQ(l.Add("a"), 0);
    EXPECT_EQ(l.Add("b"), 1);
    l.Insert(0, "z");
    l.Insert(3, "end");
    EXPECT_EQ(l.ToVector(), (Lines{"z", "a", "b", "end"}));
    l.Delete(1);
    EXPECT_EQ(l.ToVector(), (Lines{"z", "b", "end"}));
    l.Move(0, 2);
    EXPECT_EQ(l.ToVector(), (Lines{"b", "end", "z"}));
    l.Exchange(0, 2);
    EXPECT_EQ(l.ToVector(), (Lines{"z", "end", "b"}));
    l.SetStrings(1, "mid");
    EXPECT_EQ(l[1], "mid");
    EXPECT_EQ(l.Strings(2), "b");
    l.Append("tail");
    EXPECT_EQ(l.Count(), 4);
    l.Clear();
    EXPECT_EQ(l.Count(), 0);
}

TEST(StringList, IndexErrors) {
    TStringList l;
    Fill(l, {"a", "b"});
    struct {
        std::function<void()> op;
        int index;
    } cases[] = {
        {[&] { l.Get(2); }, 2},          {[&] { l.Get(-1); }, -1},       {[&] { l.Delete(5); }, 5},
        {[&] { l.Insert(3, "x"); }, 3},  {[&] { l.Put(2, "x"); }, 2},    {[&] { l.Exchange(0, 9); }, 9},
        {[&] { l.GetObject(4); }, 4},    {[&] { l.PutObject(-2, nullptr); }, -2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        try {
            c.op();
            ADD_FAILURE() << "no exception";
        } catch (const EStringListError& e) {
            EXPECT_EQ(e.Message, "List index out of bounds (" + std::to_string(c.index) + ")");
        }
    }
    EXPECT_EQ(l.ToVector(), (Lines{"a", "b"}));
}

TEST(StringList, IndexOfFollowsCaseSensitive) {
    TStringList l;
    Fill(l, {"Hello", "world", "HELLO"});
    EXPECT_FALSE(l.CaseSensitive());
    EXPECT_EQ(l.IndexOf("hello"), 0);
    EXPECT_EQ(l.IndexOf("WORLD"), 1);
    EXPECT_EQ(l.IndexOf("nope"), -1);
    l.SetCaseSensitive(true);
    EXPECT_EQ(l.IndexOf("hello"), -1);
    EXPECT_EQ(l.IndexOf("HELLO"), 2);
    // Case rules are ASCII only: other letters are compared as bytes.
    TStringList u;
    Fill(u, {"\xc3\xa9t\xc3\xa9"});
    EXPECT_EQ(u.IndexOf("\xc3\x89T\xc3\x89"), -1);
    EXPECT_EQ(u.IndexOf("\xc3\xa9T\xc3\xa9"), 0);
}

TEST(StringList, SortedInsertsWithEachDuplicatesMode) {
    struct {
        TDuplicates mode;
        Lines want;
        int dupIndex;  // what adding "B" returns; -2 for an exception
    } cases[] = {
        {dupIgnore, {"a", "b", "c"}, 1},
        {dupAccept, {"a", "B", "b", "c"}, 1},
        {dupError, {"a", "b", "c"}, -2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        TStringList l;
        l.Duplicates = c.mode;
        l.SetSorted(true);
        EXPECT_EQ(l.Add("c"), 0);
        EXPECT_EQ(l.Add("a"), 0);
        EXPECT_EQ(l.Add("b"), 1);
        if (c.dupIndex == -2) {
            try {
                l.Add("B");
                ADD_FAILURE();
            } catch (const EStringListError& e) {
                EXPECT_EQ(e.Message, "String list does not allow duplicates");
            }
        } else {
            EXPECT_EQ(l.Add("B"), c.dupIndex);
        }
        EXPECT_EQ(l.ToVector(), c.want);
        EXPECT_EQ(l.IndexOf("C"), static_cast<int>(c.want.size()) - 1);
        EXPECT_THROW(l.Insert(0, "x"), EStringListError);
        EXPECT_THROW(l.Put(0, "x"), EStringListError);
    }
}

TEST(StringList, FindReturnsTheInsertionPoint) {
    TStringList l;
    l.SetSorted(true);
    for (const char* s : {"e", "a", "c"}) l.Add(s);
    struct {
        const char* s;
        bool found;
        int index;
    } cases[] = {{"a", true, 0}, {"C", true, 1}, {"e", true, 2}, {"0", false, 0},
                 {"b", false, 1}, {"d", false, 2}, {"z", false, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.s);
        int index = -1;
        EXPECT_EQ(l.Find(c.s, index), c.found);
        EXPECT_EQ(index, c.index);
    }
}

TEST(StringList, SortAndSortedSwitch) {
    TStringList l;
    Fill(l, {"pear", "Apple", "banana", "apple", "_x", "Cherry"});
    l.Sort();
    // Case-insensitive by default; '_' sorts after letters (upper-case fold).
    EXPECT_EQ(l[0].size(), 5u);
    EXPECT_TRUE(SameText(l[0], "apple"));
    EXPECT_TRUE(SameText(l[1], "apple"));
    EXPECT_EQ((Lines{l[2], l[3], l[4], l[5]}), (Lines{"banana", "Cherry", "pear", "_x"}));
    l.SetCaseSensitive(true);
    l.Sort();
    EXPECT_EQ(l.ToVector(), (Lines{"Apple", "Cherry", "_x", "apple", "banana", "pear"}));
    TStringList s;
    Fill(s, {"c", "a", "b"});
    s.SetSorted(true);
    EXPECT_EQ(s.ToVector(), (Lines{"a", "b", "c"}));
    s.Add("aa");
    EXPECT_EQ(s.ToVector(), (Lines{"a", "aa", "b", "c"}));
}

TEST(StringList, CustomSort) {
    TStringList l;
    Fill(l, {"ccc", "a", "bb", "dddd", ""});
    l.CustomSort([](TStringList* list, int a, int b) {
        return static_cast<int>(list->Get(a).size()) - static_cast<int>(list->Get(b).size());
    });
    EXPECT_EQ(l.ToVector(), (Lines{"", "a", "bb", "ccc", "dddd"}));
    TStringList big;
    for (int i = 0; i < 500; ++i) big.Add(std::to_string((i * 7919) % 500));
    big.CustomSort([](TStringList* list, int a, int b) { return std::stoi(list->Get(a)) - std::stoi(list->Get(b)); });
    for (int i = 0; i < 500; ++i) ASSERT_EQ(big[i], std::to_string(i));
}

TEST(StringList, NamesAndValues) {
    TStringList l;
    Fill(l, {"a=1", "B=2", "plain", "eq=x=y", "=nameless", "empty="});
    struct {
        int index;
        const char* name;
        const char* value;
    } rows[] = {{0, "a", "1"}, {1, "B", "2"}, {2, "", ""}, {3, "eq", "x=y"}, {4, "", "nameless"}, {5, "empty", ""}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.index);
        EXPECT_EQ(l.Names(r.index), r.name);
        EXPECT_EQ(l.ValueFromIndex(r.index), r.value);
    }
    EXPECT_EQ(l.Values("b"), "2");
    EXPECT_EQ(l.Values("EQ"), "x=y");
    EXPECT_EQ(l.Values("plain"), "");
    EXPECT_EQ(l.Values("missing"), "");
    EXPECT_EQ(l.IndexOfName("A"), 0);
    EXPECT_EQ(l.IndexOfName("plain"), -1);
    EXPECT_EQ(l.IndexOfName("empty"), 5);
    l.SetValues("a", "10");
    EXPECT_EQ(l[0], "a=10");
    l.SetValues("new", "v");
    EXPECT_EQ(l[l.Count() - 1], "new=v");
    l.SetValues("B", "");  // an empty value deletes the line
    EXPECT_EQ(l.IndexOfName("b"), -1);
    l.SetValueFromIndex(0, "11");
    EXPECT_EQ(l[0], "a=11");
    l.NameValueSeparator = ':';
    l.Add("k:v");
    EXPECT_EQ(l.Values("K"), "v");
}

TEST(StringList, ObjectsAndOwnership) {
    static int alive = 0;
    struct Counted : TObject {
        Counted() { ++alive; }
        ~Counted() override { --alive; }
    };
    {
        TStringList l;
        l.OwnsObjects = true;
        l.AddObject("one", new Counted);
        l.AddObject("two", new Counted);
        l.InsertObject(0, "zero", new Counted);
        EXPECT_EQ(alive, 3);
        EXPECT_NE(l.Objects(1), nullptr);
        EXPECT_EQ(l.IndexOfObject(l.Objects(2)), 2);
        l.Delete(0);
        EXPECT_EQ(alive, 2);
        l.Move(0, 1);  // moving keeps the object with its string
        EXPECT_EQ(alive, 2);
        EXPECT_EQ(l[1], "one");
        EXPECT_NE(l.Objects(1), nullptr);
    }
    EXPECT_EQ(alive, 0);
    TStringList plain;
    Counted c;
    plain.AddObject("x", &c);
    plain.Clear();
    EXPECT_EQ(alive, 1);
}

// Lists whose CommaText must read back as the same list.
const Lines kTrickyLists[] = {
    {},
    {""},
    {"", ""},
    {"a"},
    {"a b"},
    {"a,b"},
    {"\"q\""},
    {"a\"b"},
    {" lead", "trail "},
    {"tab\there", "new\nline", "cr\rx"},
    {"", "a"},
    {"a", ""},
    {"x", "", "y"},
    {"\xc3\xa9t\xc3\xa9", "na\xc3\xafve"},
    {"a=b", "c=d e"},
    {"'single'", "semi;colon"},
    {"\"", "\"\"", ","},
    {"  ", "\x01"},
};

TEST(StringList, CommaTextRoundTrips) {
    for (const Lines& lines : kTrickyLists) {
        TStringList l;
        Fill(l, lines);
        const String text = l.CommaText();
        SCOPED_TRACE(text);
        TStringList back;
        back.SetCommaText(text);
        EXPECT_EQ(back.ToVector(), lines);
    }
}

TEST(StringList, DelimitedTextRoundTrips) {
    for (bool strict : {false, true}) {
        for (const Lines& lines : kTrickyLists) {
            TStringList l;
            l.Delimiter = ';';
            l.QuoteChar = '\'';
            l.StrictDelimiter = strict;
            Fill(l, lines);
            const String text = l.DelimitedText();
            SCOPED_TRACE(testing::Message() << strict << " " << text);
            TStringList back;
            back.Delimiter = ';';
            back.QuoteChar = '\'';
            back.StrictDelimiter = strict;
            back.SetDelimitedText(text);
            EXPECT_EQ(back.ToVector(), lines);
        }
    }
}

TEST(StringList, CommaTextGetting) {
    struct {
        Lines lines;
        const char* want;
    } cases[] = {
        {{}, ""},
        {{""}, "\"\""},
        {{"", ""}, ","},
        {{"a", "b"}, "a,b"},
        {{"a b", "c"}, "\"a b\",c"},
        {{"a,b"}, "\"a,b\""},
        {{"a\"b"}, "\"a\"\"b\""},
        {{"it's"}, "it's"},
        {{"x", ""}, "x,"},
        {{"\xc3\xa9"}, "\xc3\xa9"},  // bytes above 0x7F are not blanks
        {{"\t"}, "\"\t\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.want);
        TStringList l;
        Fill(l, c.lines);
        EXPECT_EQ(l.CommaText(), c.want);
    }
    // CommaText ignores the list's own delimiter and quote.
    TStringList l;
    l.Delimiter = ';';
    l.QuoteChar = '\'';
    Fill(l, {"a;b", "c d"});
    EXPECT_EQ(l.CommaText(), "a;b,\"c d\"");
    EXPECT_EQ(l.DelimitedText(), "'a;b';'c d'");
}

TEST(StringList, CommaTextSetting) {
    struct {
        const char* text;
        Lines want;
    } cases[] = {
        {"", {}},
        {"a,b,c", {"a", "b", "c"}},
        {"a, b ,c", {"a", "b", "c"}},
        {"a b", {"a", "b"}},
        {"  a", {"a"}},
        {"a,", {"a", ""}},
        {",a", {"", "a"}},
        {"a,,b", {"a", "", "b"}},
        {"a, ,b", {"a", "", "b"}},
        {"\"a,b\",c", {"a,b", "c"}},
        {"\"a\"\"b\"", {"a\"b"}},
        {"\"ab\"cd", {"ab", "cd"}},
        {"\"\"", {""}},
        {"\"open", {"open"}},
        {"x\ty", {"x", "y"}},
        {"'a b'", {"'a", "b'"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        TStringList l;
        l.SetCommaText(c.text);
        EXPECT_EQ(l.ToVector(), c.want);
    }
    TStringList nul;
    nul.SetCommaText(String("a,b\0c", 5));  // the text ends at a NUL, as the runtime reads it
    EXPECT_EQ(nul.ToVector(), (Lines{"a", "b"}));
}

TEST(StringList, DelimitedTextStrictAndNot) {
    TStringList l;
    l.Delimiter = ';';
    l.SetDelimitedText(" a b; c ;d");
    EXPECT_EQ(l.ToVector(), (Lines{"a", "b", "c", "d"}));
    l.StrictDelimiter = true;
    l.SetDelimitedText(" a b; c ;d");
    EXPECT_EQ(l.ToVector(), (Lines{" a b", " c ", "d"}));
    l.SetDelimitedText("\"x;y\";z;");
    EXPECT_EQ(l.ToVector(), (Lines{"x;y", "z", ""}));
}

TEST(StringList, TextSplitsAtCrLfAndCrLf) {
    struct {
        String text;
        Lines want;
    } cases[] = {
        {"", {}},
        {"one", {"one"}},
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"a\r\n", {"a"}},
        {"a\n", {"a"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\r\n", {""}},
        {"\n\r", {"", ""}},
        {"a\r\r\nb", {"a", "", "b"}},
        {String("nul\0inside", 10), {String("nul\0inside", 10)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        TStringList l;
        l.SetText(c.text);
        EXPECT_EQ(l.ToVector(), c.want);
    }
    TStringList l;
    Fill(l, {"a", "", "b"});
    EXPECT_EQ(l.Text(), "a\r\n\r\nb\r\n");
    l.Clear();
    EXPECT_EQ(l.Text(), "");
}

TEST(StringList, AssignAddStringsEquals) {
    TStringList a, b;
    Fill(a, {"x", "y"});
    a.Delimiter = ';';
    b.Assign(&a);
    EXPECT_EQ(b.ToVector(), a.ToVector());
    EXPECT_EQ(b.Delimiter, ';');
    EXPECT_TRUE(a == b);
    b.AddStrings(&a);
    EXPECT_EQ(b.ToVector(), (Lines{"x", "y", "x", "y"}));
    EXPECT_FALSE(a.Equals(&b));
    b.AddStrings(&b);  // adding a list to itself stops
    EXPECT_EQ(b.Count(), 8);
    try {
        b.Assign(nullptr);
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "Cannot assign a nil to a TStringList");
    }
    TComponent comp(nullptr);
    try {
        b.Assign(&comp);
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "Cannot assign a TComponent to a TStringList");
    }
}

TEST(StringList, ChangeEvents) {
    TStringList l;
    String log;
    l.OnChanging = [&](TObject* s) {
        EXPECT_EQ(s, &l);
        log += "<";
    };
    l.OnChange = [&](TObject*) { log += ">"; };
    l.Add("a");
    EXPECT_EQ(log, "<>");
    log.clear();
    l.BeginUpdate();
    l.Add("b");
    l.Insert(0, "c");
    l.BeginUpdate();
    l.Delete(0);
    l.EndUpdate();
    EXPECT_EQ(l.UpdateCount(), 1);
    EXPECT_EQ(log, "");  // nothing while the update is open
    l.EndUpdate();
    EXPECT_EQ(log, "<>");  // one pair for the whole update
    log.clear();
    l.Move(0, 1);
    EXPECT_EQ(log, "<>");
    log.clear();
    l.SetText("x\ny\nz");
    EXPECT_EQ(log, "<>");
    log.clear();
    l.SetCommaText("p,q");
    EXPECT_EQ(log, "<>");
    log.clear();
    l.Clear();
    EXPECT_EQ(log, "<>");
    log.clear();
    l.Clear();  // nothing to clear, nothing said
    EXPECT_EQ(log, "");
    l.Add("k");
    log.clear();
    l.Exchange(0, 0);
    l.SetStrings(0, "j");
    EXPECT_EQ(log, "<><>");
}

TEST(StringList, ThrowingOnChangeReachesTheCaller) {
    TStringList l;
    l.OnChange = [](TObject*) { throw EAbort("stop"); };
    EXPECT_THROW(l.SetText("a\nb"), EAbort);
    EXPECT_EQ(l.UpdateCount(), 0);
    EXPECT_EQ(l.Count(), 2);
    // An error inside an update wins over the handler's, and the update ends.
    TStringList m;
    m.SetSorted(true);
    m.Duplicates = dupError;
    m.OnChange = [](TObject*) { throw EAbort("stop"); };
    EXPECT_THROW(m.SetCommaText("x,y,x"), EStringListError);
    EXPECT_EQ(m.UpdateCount(), 0);
    EXPECT_EQ(m.ToVector(), (Lines{"x", "y"}));
}

class StringListFiles : public testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(dir_.empty()); }
    void TearDown() override { SetSafeWriteHook(nullptr); }
    TTempDir scratch_;
    String dir_ = scratch_.Path();
};

TEST_F(StringListFiles, LoadAndSaveAreByteExact) {
    const String f = dir_ + "/list.txt";
    const String data = "one\r\ntwo \xc3\xa9\r\n\tthree\r\n";
    {
        std::ofstream o(f, std::ios::binary);
        o << data;
    }
    TStringList l;
    l.LoadFromFile(f);
    EXPECT_EQ(l.ToVector(), (Lines{"one", "two \xc3\xa9", "\tthree"}));
    const String f2 = dir_ + "/copy.txt";
    l.SaveToFile(f2);
    EXPECT_EQ(ReadFileToString(f2), data);
    // Mixed line ends load as lines and save with CR LF.
    {
        std::ofstream o(f, std::ios::binary);
        o << "a\nb\rc";
    }
    l.LoadFromFile(f);
    l.SaveToFile(f);
    EXPECT_EQ(ReadFileToString(f), "a\r\nb\r\nc\r\n");
    EXPECT_THROW(l.LoadFromFile(dir_ + "/missing.txt"), EFOpenError);
}

TEST_F(StringListFiles, SaveFailureLeavesTheOldFile) {
    const String f = dir_ + "/keep.txt";
    TStringList l;
    Fill(l, {"old"});
    l.SaveToFile(f);
    Fill(l, {"new"});
    SetSafeWriteHook([](const char* stage) {
        if (String(stage) == "rename") throw std::runtime_error("disk full");
    });
    EXPECT_THROW(l.SaveToFile(f), EWriteError);
    SetSafeWriteHook(nullptr);
    EXPECT_EQ(ReadFileToString(f), "old\r\n");
}

// Lists, subject trees and field values are saved this way: another user's
// read-only file is refused, not replaced.
TEST(StringListProtectedFile, SaveIsRefusedAsInAReadOnlyFolder) {
    const std::string skip = ExpectRefusedAsInAReadOnlyFolder("list.txt", "old\r\n", [](const std::string& path) {
        TStringList l;
        l.Add("new");
        return ErrorTextOf<EFCreateError>([&] { l.SaveToFile(path); });
    });
    if (!skip.empty()) GTEST_SKIP() << skip;
}

TEST(StringListStreams, LoadAndSaveStream) {
    TStringList l;
    Fill(l, {"a", "b"});
    TMemoryStream m;
    l.SaveToStream(&m);
    EXPECT_EQ(m.Size(), 6);
    m.SetPosition(3);  // loading reads from the position on
    TStringList back;
    back.LoadFromStream(&m);
    EXPECT_EQ(back.ToVector(), (Lines{"b"}));
    TStringStream s("x\r\ny");
    back.LoadFromStream(&s);
    EXPECT_EQ(back.ToVector(), (Lines{"x", "y"}));
}

}  // namespace
