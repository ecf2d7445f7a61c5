// The parser's behaviour on the constructs a page may hold, and the promise
// that makes feeding in pieces safe: any split gives the events of a whole
// feed.
#include <gtest/gtest.h>

#include <string>

#include "Trace.h"

namespace {

struct Options {
    bool FlushOnEOL = true;
    bool PreserveWhiteSpace = false;
    const char* EntityAnswer = nullptr;
};

std::string Parse(const std::string& input, const Options& o = {},
                  std::size_t split = std::string::npos) {
    TickXMLp p(nullptr);
    p.SetFlushOnEOL(o.FlushOnEOL);
    p.SetPreserveWhiteSpace(o.PreserveWhiteSpace);
    TraceRecorder r;
    r.EntityAnswer = o.EntityAnswer;
    r.Attach(p);
    if (split == std::string::npos) {
        p.SetInputText(input);
    } else {
        p.SetInputText(std::string_view(input).substr(0, split));
        p.SetInputText(std::string_view(input).substr(split));
    }
    p.SetEndOfInput(true);
    return r.Joined();
}

std::string ManyAttributes(int n) {
    std::string s = "<a";
    for (int i = 1; i <= n; ++i) s += " a" + std::to_string(i) + "=" + std::to_string(i);
    return s + ">";
}

std::string Attributes(int n) {
    std::string s = "B(a";
    for (int i = 1; i <= n; ++i) s += " a" + std::to_string(i) + "=" + std::to_string(i);
    return s + ")";
}

struct Case {
    const char* Name;
    std::string Input;
    std::string Expected;
    Options Opts = {};
};

const Case EdgeCases[] = {
    {"lone lt in text", "a < b", "T(a < b)"},
    {"empty angle pair", "x<>y", "T(x<>y)"},
    {"lone lt at end", "a<", "T(a<)"},
    {"only lt", "<", "T(<)"},
    {"lt after line feed at end", "a\n<", "T(a\n)|T(<)"},
    {"digit names a tag", "<1>", "B(1)"},
    {"blank after lt", "< p>", "T(< p>)"},
    {"empty element", "<br/>", "E(br)"},
    {"empty element with blank", "<br />", "E(br)"},
    {"unquoted value before slash", "<img src=a/>", "E(img src=a)"},
    {"unquoted value", "<p align=center>", "B(p align=center)"},
    {"bare attribute", "<input disabled>", "B(input disabled=)"},
    {"two bare attributes", "<a b c>", "B(a b= c=)"},
    {"bare attribute, blank, slash", "<input disabled />", "E(input disabled=)"},
    {"bare attribute, slash", "<input disabled/>", "E(input disabled=)"},
    {"quoted values", "<a href=\"x\" id=y>", "B(a href=x id=y)"},
    {"quote of the other kind inside", "<a t='say \"hi\"' u=\"it's\">", "B(a t=say \"hi\" u=it's)"},
    {"equals then end", "<a b=>", "B(a b=)"},
    {"line feed inside a tag", "<a\nhref=x\n>", "B(a href=x)"},
    {"entity in quoted value", "<a title='x &amp; y'>", "X(amp,&amp;)|B(a title=x &amp; y)"},
    {"entity in unquoted value", "<a t=1&lt;2>", "X(lt,&lt;)|B(a t=1&lt;2)"},
    {"entity answered in value", "<a t=\"&quot;q&quot;\">", "X(quot,&quot;)|X(quot,&quot;)|B(a t= q )",
     {true, false, " "}},
    {"entity without semicolon", "AT&T rocks", "T(AT)|X(T,&T)|T(&T rocks)"},
    {"entity answered", "AT&T rocks", "T(AT)|X(T,&T)|T(  rocks)", {true, false, " "}},
    {"entity answered empty", "a&b;c", "T(a)|X(b,&b;)|T(c)", {true, false, ""}},
    {"character reference", "&#160;x", "X(#160,&#160;)|T(&#160;x)"},
    {"entity cut by end of input", "AT&T", "T(AT)"},
    {"entity ended by lt", "a&b<i>", "T(a)|X(b,&b)|T(&b)|B(i)"},
    {"comment", "<!-- c -->", "C( c )"},
    {"empty comment", "<!---->", "C()"},
    {"comment holding dashes", "<!-- a -- b --->", "C( a -- b -)"},
    {"comment cut by end of input", "x<!-- c", "T(x)"},
    {"processing instruction", "<?xml version='1.0'?>", "P(xml version='1.0')"},
    {"declaration", "<!DOCTYPE html>", "M(DOCTYPE html)"},
    {"declaration with subset", "<!DOCTYPE html [ <!ENTITY a 'b>'> ]>",
     "M(DOCTYPE html [ <!ENTITY a 'b>'> ])"},
    {"declaration with quoted gt", "<!X \"a>b\">", "M(X \"a>b\")"},
    {"single dash declaration", "<!-x>", "M(-x)"},
    {"special section", "<![CDATA[a<b]]>", "S(CDATA,a<b)"},
    {"special section with blanks", "<![ CDATA [x]]>", "S(CDATA,x)"},
    {"special section cut by end", "<![CDATA[abc", "T(abc)"},
    {"end tag with junk", "</p  junk>", "/(p)"},
    {"empty end tag", "a</>b", "T(a)|/()|T(b)"},
    {"line feeds end texts", "one\ntwo", "T(one\n)|T(two)"},
    {"line feeds after a tag dropped", "<p>\n\n\nx", "B(p)|T(x)"},
    {"line feed before end tag dropped", "x\n</p>", "T(x)|/(p)"},
    {"CR LF keeps CR", "a\r\nb", "T(a\r\n)|T(b)"},
    {"trailing line feed dropped", "a\n", "T(a)"},
    {"text held without FlushOnEOL", "one\ntwo<b>", "T(one\ntwo)|B(b)", {false, false}},
    {"preserved line feeds", "<p>\nx\n</p>", "B(p)|T(\nx\n)|/(p)", {false, true}},
    {"preserved, flushing", "<p>\nx\n</p>", "B(p)|T(\n)|T(x\n)|/(p)", {true, true}},
    {"64 attributes", ManyAttributes(64), Attributes(64)},
    {"65 attributes keep 64", ManyAttributes(65), Attributes(64)},
    {"raw high bytes are text", "caf\xc3\xa9 <b>", "T(caf\xc3\xa9 )|B(b)"},
};

class EdgeInputs : public ::testing::TestWithParam<Case> {};

TEST_P(EdgeInputs, GiveTheseEvents) {
    const Case& c = GetParam();
    EXPECT_EQ(Parse(c.Input, c.Opts), c.Expected) << c.Name;
}

TEST_P(EdgeInputs, AnySplitGivesTheSameEvents) {
    const Case& c = GetParam();
    const std::string whole = Parse(c.Input, c.Opts);
    for (std::size_t i = 0; i <= c.Input.size(); ++i)
        ASSERT_EQ(Parse(c.Input, c.Opts, i), whole) << c.Name << ", split at " << i;
}

INSTANTIATE_TEST_SUITE_P(Parser, EdgeInputs, ::testing::ValuesIn(EdgeCases),
                         [](const auto& info) {
                             std::string n;
                             for (char ch : std::string(info.param.Name))
                                 n += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             return n;
                         });

TEST(ParserOptions, ExtraCharactersWidenTheClasses) {
    TickXMLp p(nullptr);
    TraceRecorder r;
    r.Attach(p);
    p.SetExtraNameChars(":-");
    p.SetExtraSpaceChars("|");
    EXPECT_EQ(p.ExtraNameChars(), ":-");
    p.SetInputText("<dc:title a|b=c>x</dc:title>&x-y;");
    p.SetEndOfInput(true);
    EXPECT_EQ(r.Joined(), "B(dc:title a= b=c)|T(x)|/(dc:title)|X(x-y,&x-y;)|T(&x-y;)");

    // Emptying the sets brings the plain classes back.
    p.SetExtraNameChars("");
    p.SetExtraSpaceChars("");
    r.Events.clear();
    p.SetInputText("<dc:title>");
    EXPECT_EQ(r.Joined(), "B(dc title=)");  // the byte that ends a name is consumed
}

TEST(ParserOptions, DefaultsAndRoundTrip) {
    TickXMLp p(nullptr);
    EXPECT_TRUE(p.FlushOnEOL());
    EXPECT_FALSE(p.PreserveWhiteSpace());
    EXPECT_EQ(p.ExtraNameChars(), "");
    p.SetFlushOnEOL(false);
    p.SetPreserveWhiteSpace(true);
    EXPECT_FALSE(p.FlushOnEOL());
    EXPECT_TRUE(p.PreserveWhiteSpace());
}

TEST(ParserFeeding, ContinuesAcrossCallsAndRestartsAfterEndOfInput) {
    TickXMLp p(nullptr);
    TraceRecorder r;
    r.Attach(p);
    p.SetInputText("<a hr");
    p.SetInputText("ef='x");
    p.SetInputText("'>t");
    EXPECT_EQ(r.Joined(), "B(a href=x)");
    p.SetEndOfInput(true);
    // An unfinished construct does not leak into the next document.
    p.SetInputText("<p x=\"unfinished");
    p.SetEndOfInput(true);
    p.SetInputText("next");
    p.SetEndOfInput(true);
    EXPECT_EQ(r.Joined(), "B(a href=x)|T(t)|T(next)");
}

TEST(ParserFeeding, EndOfInputFalseChangesNothing) {
    TickXMLp p(nullptr);
    TraceRecorder r;
    r.Attach(p);
    p.SetEndOfInput(false);
    p.SetInputText("<a");
    p.SetEndOfInput(false);
    p.SetInputText(">x");
    p.SetEndOfInput(true);
    EXPECT_EQ(r.Joined(), "B(a)|T(x)");
}

TEST(ParserFeeding, ZeroByteEndsTheFeedOnly) {
    TickXMLp p(nullptr);
    TraceRecorder r;
    r.Attach(p);
    p.SetInputText(std::string("a\0<b>", 5));
    p.SetInputText("<i>");
    EXPECT_EQ(r.Joined(), "T(a)|B(i)");
}

TEST(ParserFeeding, NoHandlersNoEvents) {
    TickXMLp p(nullptr);
    EXPECT_NO_THROW(p.SetInputText("<a b=c>&amp;<!-- x --><?p?><!D><![S[y]]>t</a>"));
    EXPECT_NO_THROW(p.SetEndOfInput(true));
}

}  // namespace
