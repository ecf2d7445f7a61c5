#include "styled/storage/StreamRoutines.h"

#include <gtest/gtest.h>

#include "framework/classes/MemoryStream.h"
#include "framework/classes/StringList.h"
#include "framework/classes/StringStream.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"
#include "styled/storage/Lzrw.h"

namespace {

String Written(const std::function<void(TStream*)>& write) {
    TStringStream s;
    write(&s);
    return s.DataString();
}

TEST(StreamRoutines, IntegersAndBytesAreLittleEndianAndRaiseWhenCutShort) {
    EXPECT_EQ(Written([](TStream* s) { WriteInteger(s, 0x12345678); }), String("\x78\x56\x34\x12", 4));
    EXPECT_EQ(Written([](TStream* s) { WriteInteger(s, -2); }), String("\xFE\xFF\xFF\xFF", 4));
    EXPECT_EQ(Written([](TStream* s) { WriteByte(s, 0xAB); }), String("\xAB", 1));

    TStringStream s(String("\xFE\xFF\xFF\xFF\x07", 5));
    EXPECT_EQ(ReadInteger(&s), -2);
    EXPECT_EQ(ReadByte(&s), 7);
    EXPECT_THROW(ReadByte(&s), EReadError);
    TStringStream shortInt(String("\x01\x02\x03", 3));
    EXPECT_THROW(ReadInteger(&shortInt), EReadError);
}

TEST(StreamRoutines, ShortStringsCarryTheirLengthInOneByte) {
    const String e = "\xC3\xA9", euro = "\xE2\x82\xAC", face = "\xF0\x9F\x98\x80";
    const struct {
        String text;
        String stored;
    } cases[] = {
        {"", String(1, '\0')},
        {"Keywords", "\x08Keywords"},
        {String(255, 'k'), "\xFF" + String(255, 'k')},
        {String(300, 'k'), "\xFF" + String(255, 'k')},  // what does not fit is dropped
        // A character that does not fit whole is dropped whole.
        {String(254, 'x') + e, "\xFE" + String(254, 'x')},
        {String(253, 'x') + e + "y", "\xFF" + String(253, 'x') + e},
        {String(253, 'x') + euro, "\xFD" + String(253, 'x')},
        {String(252, 'x') + face, "\xFC" + String(252, 'x')},
        {String(251, 'x') + face + "y", "\xFF" + String(251, 'x') + face},
        // Bytes that are not UTF-8 are cut where they fall.
        {String(300, '\x80'), "\xFF" + String(255, '\x80')},
        {String(254, 'x') + "\xFF\x80", "\xFF" + String(254, 'x') + "\xFF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.size());
        const String stored = Written([&](TStream* s) { WriteShortString(s, c.text); });
        EXPECT_EQ(stored, c.stored);
        TStringStream in(stored);
        String back = "old";
        ReadShortString(&in, back);
        EXPECT_EQ(back, c.stored.substr(1));
    }
    TStringStream cut("\x05" "abc");
    String back;
    EXPECT_THROW(ReadShortString(&cut, back), EReadError);
}

TEST(StreamRoutines, StringListsRoundTripRawAndCompressed) {
    TStringList list;
    for (const String& line : SplitLines(ReadFileToString("/usr/share/common-licenses/Apache-2.0")))
        list.Add(line);
    ASSERT_GT(list.Count(), 100);
    for (bool compressed : {false, true}) {
        SCOPED_TRACE(compressed);
        TMemoryStream m;
        WriteStringsToStream(&m, &list, compressed);
        WriteByte(&m, 0x5A);
        const Int64 size = m.Size();
        if (compressed) {
            EXPECT_LT(size, static_cast<Int64>(list.Text().size()) * 3 / 4);
        } else {
            EXPECT_EQ(size, static_cast<Int64>(4 + list.Text().size() + 1));
        }
        m.SetPosition(0);
        TStringList back;
        back.Add("replaced");
        ReadStringsFromStream(&m, &back, compressed);
        EXPECT_EQ(back.Text(), list.Text());
        EXPECT_EQ(ReadByte(&m), 0x5A);
    }
}

TEST(StreamRoutines, RawDataLongerThanTheStreamIsRefusedUpFront) {
    String record;
    record += String("\xF0\xFF\xFF\x7F", 4);  // about 2 GB promised
    record += "only a few bytes";
    TStringStream s(record);
    TStringList list;
    EXPECT_THROW(ReadStringsFromStream(&s, &list, false), EReadError);
}

}  // namespace
