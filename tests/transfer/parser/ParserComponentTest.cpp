// What the component adds over the engine: attribute reads, ending the
// input from inside a handler, exceptions, and the flat call interface.
#include <gtest/gtest.h>

#include <stdexcept>

#include "Trace.h"
#include "transfer/components/EickXMLp.h"
#include "transfer/core/ErrorTexts.h"
#include "transfer/core/ParserCore.h"

namespace {

TEST(ParserAttributes, ReadableOnlyInsideElementEvents) {
    TickXMLp p(nullptr);
    std::vector<std::string> seen;
    p.OnBeginElement = [&](TObject* sender, const String& name) {
        EXPECT_EQ(sender, &p);
        EXPECT_EQ(name, "a");
        ASSERT_EQ(p.AttrCount(), 2);
        seen.push_back(p.AttrName(1) + "=" + p.AttrValue(1));
        seen.push_back(p.AttrName(2) + "=" + p.AttrValue(2));
        EXPECT_EQ(p.CheckAttr(2), 0);
        EXPECT_EQ(p.CheckAttr(3), crCheckVarIndex);
        EXPECT_EQ(p.ErrorText(), "Invalid attribute index.");
        EXPECT_EQ(p.AttrValue(0), "");
        EXPECT_EQ(p.ErrorText(), "Invalid attribute index.");
    };
    p.OnText = [&](TObject*, const String&) {
        EXPECT_EQ(p.AttrCount(), 0);
        EXPECT_EQ(p.AttrName(1), "");
        EXPECT_EQ(p.ErrorText(), "No attributes available.");
        EXPECT_EQ(p.CheckAttr(1), crCheckVarIndex);
        seen.push_back("text");
    };
    p.SetInputText("<a href=\"x\" id=y>t</a>");
    EXPECT_EQ(p.AttrCount(), 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"href=x", "id=y", "text"}));
}

struct EndCase {
    const char* Name;
    const char* Input;
    std::string EndOn;  // kind of the event whose handler ends the input
    const char* Expected;
};

// A handler may end the input at any event; the feed then goes on from
// the initial state, and nothing read before the end leaks into later
// events.
const EndCase EndCases[] = {
    {"end tag, as the keyword generator does", "<body>a &amp; b</body> tail<i>",
     "/", "B(body)|T(a )|X(amp,&amp;)|T(  b)|/(body)|T( tail)|B(i)"},
    {"end tag followed by junk", "<p>x</p junk>y", "/", "B(p)|T(x)|/(p)|T(y)"},
    {"text flushed by a start tag", "ab<i x=1>c", "T", "T(ab)|T(c)"},
    {"text flushed at a tag's end", "ab<i>c", "T", "T(ab)|T(c)"},
    {"text flushed by an end tag", "ab</i>c", "T", "T(ab)|T(c)"},
    {"text flushed by a comment", "ab<!--c-->d", "T", "T(ab)|C(c)|T(d)"},
    {"text flushed by a line feed", "a\nb\nc", "T", "T(a\n)|T(b\n)|T(c)"},
    {"text delivered by the end itself", "abc", "T", "T(abc)"},
    {"entity in text", "a&x;b", "X", "T(a)|X(x,&x;)|T(b)"},
    {"entity in a value", "<a t='x&amp;y'>z", "X", "X(amp,&amp;)|T(z)"},
    {"start element", "<a x=1>t", "B", "B(a x=1)|T(t)"},
    {"empty element", "<a x=1/>t", "E", "E(a x=1)|T(t)"},
    {"comment", "<!--c-->\nz", "C", "C(c)|T(z)"},
    {"instruction", "<?p?>z", "P", "P(p)|T(z)"},
    {"declaration", "<!D>z", "M", "M(D)|T(z)"},
    {"special section", "<![C[x]]>y", "S", "S(C,x)|T(y)"},
};

class EndFromHandler : public ::testing::TestWithParam<EndCase> {};

TEST_P(EndFromHandler, ResetsAndGoesOn) {
    const EndCase& c = GetParam();
    TickXMLp p(nullptr);
    TraceRecorder r;
    r.EntityAnswer = " ";
    r.EndOn = c.EndOn;
    r.Attach(p);
    p.SetInputText(c.Input);
    // The final end runs the text handlers too; ending again from there
    // must deliver nothing twice.
    p.SetEndOfInput(true);
    EXPECT_EQ(r.Joined(), c.Expected) << c.Name;
}

INSTANTIATE_TEST_SUITE_P(Parser, EndFromHandler, ::testing::ValuesIn(EndCases),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(ParserEndOfInput, AttributesGoWithTheReset) {
    TickXMLp p(nullptr);
    int after = -1;
    p.OnBeginElement = [&](TObject*, const String&) {
        p.SetEndOfInput(true);
        after = p.AttrCount();
    };
    p.SetInputText("<a x=1 y=2>");
    EXPECT_EQ(after, 0);
}

TEST(ParserExceptions, HandlerExceptionEndsTheFeedAndLeavesTheParserUsable) {
    TickXMLp p(nullptr);
    TraceRecorder r;
    r.Attach(p);
    auto record = p.OnBeginElement;
    p.OnBeginElement = [&](TObject* s, const String& n) {
        record(s, n);
        if (n == "stop") throw std::runtime_error("handler");
    };
    EXPECT_THROW(p.SetInputText("<a><stop x=1>never<b>"), std::runtime_error);
    EXPECT_EQ(p.AttrCount(), 0);
    p.SetEndOfInput(true);
    p.SetInputText("<c>t");
    p.SetEndOfInput(true);
    EXPECT_EQ(r.Joined(), "B(a)|B(stop x=1)|B(c)|T(t)");
}

class RaisingParser : public TickXMLp {
public:
    using TickXMLp::TickXMLp;
    using TickXMLp::RaiseCoreError;
};

TEST(ParserExceptions, CoreErrorsBecomeTheUnitsException) {
    RaisingParser p(nullptr);
    p.AttrName(1);  // leaves "No attributes available." in the core
    try {
        p.RaiseCoreError(crInterrupted);
        FAIL();
    } catch (const EickXMLp& e) {
        EXPECT_EQ(e.Code, crInterrupted);
        EXPECT_STREQ(e.what(), "301: No attributes available.");
    }
    try {
        p.RaiseCoreError(-1, "ICK ickXMLp: Error creating component");
        FAIL();
    } catch (const RezaDudoDera& e) {
        EXPECT_EQ(e.Code, -1);
        EXPECT_EQ(e.Message, "-1: ICK ickXMLp: Error creating component");
    }
    TickCore plain(nullptr);
    try {
        std::rethrow_exception(plain.MakeError(200, "Out of memory."));
    } catch (const EickXMLp&) {
        FAIL() << "the base component raises the root class";
    } catch (const RezaDudoDera& e) {
        EXPECT_EQ(e.Message, "200: Out of memory.");
    }
}

TEST(ParserCoreInterface, AnswersForIdsItDoesNotHave) {
    ParserCore* core = XMLpCore::CoreCreate(nullptr, [](void*, int, int, TCoreEventBlock&) { return 0; });
    ASSERT_NE(core, nullptr);
    for (int id : {0, int(ppAttrCount), int(ppAttrName), int(ppAttrValue), 10, 255})
        EXPECT_EQ(XMLpCore::CoreSetProperty(core, id, 0, 1, 0), crNoSuchProperty) << id;
    EXPECT_EQ(XMLpCore::CoreGetProperty(core, ppInputText, 0), 0);
    EXPECT_EQ(XMLpCore::CoreGetProperty(core, ppEndOfInput, 0), 0);
    EXPECT_EQ(XMLpCore::CoreProcessMessage(core), 0);
    EXPECT_NE(XMLpCore::CoreInstance(), nullptr);  // handed over at start-up
    EXPECT_EQ(XMLpCore::CoreDestroy(core), 0);
    EXPECT_EQ(XMLpCore::CoreDestroy(nullptr), 0);
}

}  // namespace
