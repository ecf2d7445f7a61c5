// The META field table: each field goes into a page, comes back out of it
// and leaves it again in Remove mode, and every row of the table takes part
// in every list it says it does, so a field added as one row is written,
// read, analysed and removed with nothing else to change.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "EngineTestUtil.h"
#include "composer/engine/MetaFieldTable.h"
#include "composer/engine/TagAnalysis.h"
#include "composer/engine/TagComposer.h"
#include "composer/engine/TagReader.h"
#include "composer/engine/TagWriter.h"

namespace {

TTagSettings Names() {
    TTagSettings s;
    s.aname = "author";
    s.clasname = "classification";
    s.lname = "language";
    s.catstr = "subject";
    return s;
}

// Declared UTF-8, so the value's letters are written as they are.
const char* kPage =
    "<html><head><title>T</title><meta charset=\"utf-8\"><meta name=\"other\" content=\"kept\"></head>"
    "<body>B</body></html>";

// The value every field is given, and how it stands in the page.
const char* kValue = "a \"b\" <c> & \xC3\xA9";
const char* kEscaped = "a &quot;b&quot; &lt;c&gt; &amp; \xC3\xA9";

struct FieldCase {
    String TMetaFields::*Field;
    const char* Value;  // nullptr: kValue
    std::string Line;   // the Tag line written
    bool ReadBack;      // false: the field keeps what it held when the page is read
};

std::string Name(const char* tag) { return std::string("<meta name=\"") + tag + "\" content=\"" + kEscaped + "\">"; }
std::string Equiv(const char* tag) {
    return std::string("<meta http-equiv=\"") + tag + "\" content=\"" + kEscaped + "\">";
}

const std::vector<FieldCase>& FieldCases() {
    static const std::vector<FieldCase> cases = {
        {&TMetaFields::Keywords, nullptr, Name("keywords"), true},
        {&TMetaFields::Description, nullptr, Name("description"), true},
        {&TMetaFields::Generator, nullptr, Name("generator"), true},
        {&TMetaFields::Pragma, "TRUE", "<meta http-equiv=\"pragma\" content=\"no-cache\">", false},
        {&TMetaFields::BulletinDate, nullptr, Equiv("bulletin-date"), false},
        {&TMetaFields::BulletinText, nullptr, Name("bulletin-text"), true},
        {&TMetaFields::Distribution, nullptr, Name("distribution"), true},
        {&TMetaFields::Revisit, nullptr, Name("revisit-after"), true},
        {&TMetaFields::Robots, nullptr, Name("robots"), true},
        {&TMetaFields::Rating, nullptr, Name("rating"), true},
        {&TMetaFields::Copyright, nullptr, Name("copyright"), true},
        {&TMetaFields::Author, nullptr, Name("author"), true},
        {&TMetaFields::Classification, nullptr, Name("classification"), true},
        {&TMetaFields::Language, nullptr, Name("language"), true},
        {&TMetaFields::Subject, nullptr, Name("subject"), true},
        {&TMetaFields::ReplyTo, nullptr, Equiv("reply-to"), true},
        {&TMetaFields::Expires, nullptr, Equiv("expires"), true},
    };
    return cases;
}

struct Page {
    TTempDir dir;
    std::string path = dir.File("page.html");
    Page() { WriteAll(path, kPage); }
    std::string Write(const std::vector<String>& lines, const std::vector<String>& removals = {}) {
        TTagWriter writer;
        writer.TagLineList = lines;
        writer.RemoveList = removals;
        writer.RemoveMode = !removals.empty();
        EXPECT_TRUE(writer.WriteTags(path)) << writer.LastFailure;
        return ReadAll(path);
    }
    TMetaFields Read(const TMetaFields& before) {
        TTagReader reader;
        reader.Settings = Names();
        TMetaFields f = before;
        EXPECT_TRUE(reader.xread(path, f));
        return f;
    }
};

}  // namespace

TEST(MetaFieldTable, EachFieldIsWrittenReadBackAndRemoved) {
    for (const TMetaFieldRow& row : MetaFieldTable()) {
        SCOPED_TRACE(row.Name);
        const auto c = std::find_if(FieldCases().begin(), FieldCases().end(),
                                    [&](const FieldCase& fc) { return fc.Field == row.Value; });
        ASSERT_NE(c, FieldCases().end()) << "no round-trip case for this field";
        Page page;
        const std::string untouched = page.Write({});

        TMetaFields f;
        f.*c->Field = c->Value ? c->Value : kValue;
        const std::vector<String> lines = TTagComposer::ComposeTagLines(f, Names(), {}).TagLineList;
        EXPECT_EQ(lines, std::vector<String>{c->Line});
        const std::string written = page.Write(lines);
        EXPECT_NE(written.find(c->Line), std::string::npos) << written;

        TMetaFields before;
        before.*c->Field = "held";
        const TMetaFields back = page.Read(before);
        EXPECT_EQ(back.*c->Field, c->ReadBack ? String(kValue) : String("held"));
        // Written once more from what was read, the page stays as it is.
        if (c->ReadBack) {
            EXPECT_EQ(page.Write(TTagComposer::ComposeTagLines(back, Names(), {}).TagLineList), written);
        }

        TMetaFields removal;
        removal.*c->Field = "Remove";
        TTagWriter builder;
        EXPECT_EQ(builder.BuildRemoveList(removal, Names()), 1);
        EXPECT_EQ(page.Write({}, builder.RemoveList), untouched);
    }
}

// Every row, whatever it holds, is handled by every list its columns name;
// a new row needs nothing else in the engine or the analysis.
TEST(MetaFieldTable, EveryRowTakesPartInEveryListItNames) {
    const auto& rows = MetaFieldTable();
    for (int TMetaFieldRow::*position : {&TMetaFieldRow::ComposePosition, &TMetaFieldRow::RemovePosition,
                                         &TMetaFieldRow::ListingPosition, &TMetaFieldRow::ReportPosition}) {
        std::vector<int> taken;
        for (const TMetaFieldRow& row : rows)
            if (row.*position > 0) taken.push_back(row.*position);
        std::sort(taken.begin(), taken.end());
        for (size_t i = 0; i < taken.size(); ++i) EXPECT_EQ(taken[i], static_cast<int>(i) + 1) << "positions 1 .. n";
    }
    std::set<std::string> keys, controls, tags;
    for (const TMetaFieldRow& row : rows) {
        SCOPED_TRACE(row.Name);
        EXPECT_NE(*row.TagName == '\0', row.NamedBy == nullptr) << "a fixed tag name or a setting, not both";
        EXPECT_TRUE(keys.insert(row.ProfileKey).second);
        EXPECT_TRUE(controls.insert(row.Control).second);
        EXPECT_TRUE(tags.insert(row.TagNameWith(Names())).second);
        EXPECT_EQ(row.ReportPosition > 0, *row.ReportHeading != '\0');

        TMetaFields f;
        f.*row.Value = row.SwitchedContent ? "TRUE" : "v";
        const String tag = row.TagNameWith(Names());
        const String content = row.SwitchedContent ? row.SwitchedContent : "v";
        auto mentions = [&](const std::vector<String>& lines) {
            return std::count_if(lines.begin(), lines.end(), [&](const String& l) {
                return l.find("=\"" + tag + "\" content=\"" + content + "\"") != String::npos;
            });
        };
        EXPECT_EQ(mentions(TTagComposer::ComposeTagLines(f, Names(), {}).TagLineList), row.ComposePosition > 0);
        EXPECT_EQ(mentions(TTagAnalysis::TagListing(f, Names())), row.ListingPosition > 0);
        std::vector<String> report;
        TTagAnalysis::Report(f, TRuleBase(), report);
        EXPECT_EQ(std::count(report.begin(), report.end(),
                             std::to_string(row.ReportPosition) + ") " + row.ReportHeading),
                  row.ReportPosition > 0);

        TMetaFields removal;
        removal.*row.Value = "remove";
        TTagWriter writer;
        EXPECT_EQ(writer.BuildRemoveList(removal, Names()), row.RemovePosition > 0 ? 1 : 0);

        if (row.Read == TReadRule::NotRead) continue;
        TTempDir dir;
        WriteAll(dir.File("p.html"), "<html><head><title>T</title><meta name=\"" + tag +
                                         "\" content=\"read\"></head><body>");
        TTagReader reader;
        reader.Settings = Names();
        TMetaFields back;
        ASSERT_TRUE(reader.xread(dir.File("p.html"), back));
        EXPECT_EQ(back.*row.Value, "read");
    }
}

// Whether a page without the tag empties the field or leaves it.
TEST(MetaFieldTable, AFieldTheReaderDoesNotFindIsEmptiedOrKeptByItsRule) {
    for (const TMetaFieldRow& row : MetaFieldTable()) {
        SCOPED_TRACE(row.Name);
        TTempDir dir;
        WriteAll(dir.File("p.html"), kPage);
        TTagReader reader;
        reader.Settings = Names();
        TMetaFields f;
        f.*row.Value = "held";
        ASSERT_TRUE(reader.xread(dir.File("p.html"), f));
        EXPECT_EQ(f.*row.Value, row.Read == TReadRule::EmptyWhenMissing ? "" : "held");
    }
}
