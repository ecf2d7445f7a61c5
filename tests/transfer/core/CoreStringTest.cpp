// The cores' text buffer: where it keeps its bytes decides how often the
// parser allocates, so the growth rules are part of its contract.
#include <gtest/gtest.h>

#include <string>

#include "transfer/core/CoreString.h"

namespace {

TEST(CoreString, StaysInlineUntilFullThenDoubles) {
    CoreString s;
    EXPECT_TRUE(s.IsInline());
    EXPECT_EQ(s.Capacity(), 100);
    EXPECT_STREQ(s.Text(), "");
    const std::string n99(99, 'x');
    ASSERT_EQ(s.Append(n99.c_str()), 0);
    EXPECT_TRUE(s.IsInline());
    ASSERT_EQ(s.AppendChar('y'), 0);
    EXPECT_FALSE(s.IsInline());
    EXPECT_EQ(s.Capacity(), 200);
    EXPECT_EQ(s.Length(), 100);
    EXPECT_EQ(std::string(s.Text()), n99 + "y");

    CoreString t;
    ASSERT_EQ(t.SetLength(100), 0);
    EXPECT_EQ(t.Capacity(), 101);
    EXPECT_EQ(t.Text()[100], 0);
    t.Clear();
    EXPECT_TRUE(t.IsInline());
    EXPECT_EQ(t.Capacity(), 100);
    EXPECT_EQ(t.Length(), 0);
}

TEST(CoreString, AssignAppendInsertAndPiecesOfItself) {
    CoreString s;
    s.Assign("hello world", 5);
    EXPECT_STREQ(s.Text(), "hello");
    s.Insert(0, "[");
    s.Insert(99, "]");  // past the end appends
    s.Insert(3, "--", 2);
    EXPECT_STREQ(s.Text(), "[he--llo]");
    s.SetLength(-5);
    EXPECT_STREQ(s.Text(), "");
    // Growing from a piece of its own text must not read freed memory.
    const std::string big(150, 'a');
    s.Assign(big.c_str());
    s.Append(s.Text(), s.Length());
    EXPECT_EQ(std::string(s.Text()), big + big);
    s.Assign(s.Text() + 10, 5);
    EXPECT_STREQ(s.Text(), "aaaaa");
    s.Insert(1, s.Text(), -1);
    EXPECT_STREQ(s.Text(), "aaaaaaaaaa");
    s.Assign(nullptr);
    EXPECT_TRUE(s.IsInline());
    s.DropLast();
    EXPECT_EQ(s.Length(), 0);
}

TEST(CoreString, SwapMovesTextsWhereverTheyLive) {
    const std::string longText(300, 'L');
    CoreString a, b, c, d;
    a.Assign("short a");
    b.Assign(longText.c_str());
    c.Assign("short c");
    d.Assign((longText + "2").c_str());
    a.Swap(b);  // inline with outside
    EXPECT_EQ(std::string(a.Text()), longText);
    EXPECT_STREQ(b.Text(), "short a");
    EXPECT_TRUE(b.IsInline());
    b.Swap(c);  // inline with inline
    EXPECT_STREQ(b.Text(), "short c");
    EXPECT_STREQ(c.Text(), "short a");
    a.Swap(d);  // outside with outside
    EXPECT_EQ(std::string(a.Text()), longText + "2");
    EXPECT_EQ(std::string(d.Text()), longText);
    a.Swap(a);
    EXPECT_EQ(a.Length(), 301);
}

TEST(CoreString, FailedGrowthLeavesTheTextAlone) {
    CoreString s;
    s.Assign("keep");
    EXPECT_EQ(s.SetLength(PTRDIFF_MAX / 2), -1);
    EXPECT_STREQ(s.Text(), "keep");
    EXPECT_EQ(s.Length(), 4);
}

}  // namespace
