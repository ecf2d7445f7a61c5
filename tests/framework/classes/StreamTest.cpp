// Streams: reading, writing, seeking, copying, sizes and file errors.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>

#include "framework/classes/FileStream.h"
#include "framework/classes/MemoryStream.h"
#include "framework/classes/StringStream.h"
#include "framework/rtl/Exception.h"
#include "framework/rtl/FileUtils.h"
#include "support/TempDir.h"

namespace {

class StreamFiles : public testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(dir_.empty()); }
    void TearDown() override { SetSafeWriteHook(nullptr); }
    String P(const String& rel) const { return dir_ + "/" + rel; }
    TTempDir scratch_;
    String dir_ = scratch_.Path();
};

String ReadAll(TStream& s) {
    String r(static_cast<size_t>(s.Size() - s.Position()), '\0');
    s.ReadBuffer(r.data(), static_cast<Int64>(r.size()));
    return r;
}

// The same script on each kind of stream.
void Exercise(TStream& s) {
    s.WriteBuffer("hello world", 11);
    EXPECT_EQ(s.Position(), 11);
    EXPECT_EQ(s.Size(), 11);
    EXPECT_EQ(s.Position(), 11);  // Size leaves the position alone
    EXPECT_EQ(s.Seek(0, soBeginning), 0);
    char buf[16] = {};
    EXPECT_EQ(s.Read(buf, 5), 5);
    EXPECT_EQ(String(buf, 5), "hello");
    EXPECT_EQ(s.Seek(1, soCurrent), 6);
    EXPECT_EQ(s.Read(buf, 100), 5);  // short read at the end
    EXPECT_EQ(String(buf, 5), "world");
    EXPECT_EQ(s.Read(buf, 1), 0);
    EXPECT_EQ(s.Seek(-5, soEnd), 6);
    s.WriteBuffer("WORLD!", 6);  // overwrites and extends
    EXPECT_EQ(s.Size(), 12);
    s.SetPosition(0);
    EXPECT_EQ(ReadAll(s), "hello WORLD!");
    s.SetPosition(0);
    int32_t v = 0x01020304;
    s.WriteValue(v);
    s.SetPosition(0);
    int32_t back = 0;
    s.ReadValue(back);
    EXPECT_EQ(back, v);
    s.SetSize(4);
    EXPECT_EQ(s.Size(), 4);
    s.SetPosition(4);
    try {
        s.ReadBuffer(buf, 1);
        ADD_FAILURE() << "no exception";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message, "Stream read error");
    }
    s.SetPosition(2);
    EXPECT_THROW(s.ReadBuffer(buf, 3), EReadError);
    s.ReadBuffer(buf, 0);  // nothing asked, nothing wrong
}

TEST(MemoryStream, Basics) {
    TMemoryStream m;
    Exercise(m);
    m.Clear();
    EXPECT_EQ(m.Size(), 0);
    EXPECT_EQ(m.Position(), 0);
    // Writing past the end fills the gap with zeros.
    m.SetPosition(3);
    m.WriteBuffer("x", 1);
    EXPECT_EQ(m.Bytes(), (std::vector<Byte>{0, 0, 0, 'x'}));
    EXPECT_EQ(static_cast<char*>(m.Memory())[3], 'x');
    EXPECT_EQ(m.Seek(-100, soCurrent), 0);  // the position never goes below zero
    m.SetPosition(4);
    m.SetSize(2);
    EXPECT_EQ(m.Position(), 2);
}

TEST(StringStream, Basics) {
    TStringStream s;
    Exercise(s);
    TStringStream t("abcdef");
    EXPECT_EQ(t.DataString(), "abcdef");
    EXPECT_EQ(t.ReadString(2), "ab");
    EXPECT_EQ(t.ReadString(100), "cdef");
    EXPECT_EQ(t.ReadString(1), "");
    t.SetPosition(1);
    t.WriteString("XY");
    EXPECT_EQ(t.DataString(), "aXYdef");
    t.Seek(0, soEnd);
    t.WriteString(String("\0z", 2));
    EXPECT_EQ(t.DataString(), String("aXYdef\0z", 8));
}

TEST(Stream, CopyFrom) {
    TStringStream src("0123456789");
    TMemoryStream dst;
    src.SetPosition(7);
    EXPECT_EQ(dst.CopyFrom(&src, 0), 10);  // 0: all of it, from its start
    EXPECT_EQ(String(reinterpret_cast<const char*>(dst.Bytes().data()), dst.Bytes().size()), "0123456789");
    src.SetPosition(2);
    TStringStream part;
    EXPECT_EQ(part.CopyFrom(&src, 3), 3);
    EXPECT_EQ(part.DataString(), "234");
    EXPECT_EQ(src.Position(), 5);
    EXPECT_THROW(part.CopyFrom(&src, 50), EReadError);
    // A big copy goes through in pieces.
    TMemoryStream big;
    String data(300000, '\0');
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 31);
    big.WriteBuffer(data.data(), static_cast<Int64>(data.size()));
    TStringStream out;
    out.CopyFrom(&big, 0);
    EXPECT_EQ(out.DataString(), data);
}

// A stream that takes only a few bytes: WriteBuffer must say so.
class TTinyStream : public TStream {
public:
    Int64 Read(void*, Int64) override { return 0; }
    Int64 Write(const void*, Int64 count) override {
        Int64 n = count < room ? count : room;
        room -= n;
        return n;
    }
    Int64 Seek(Int64, TSeekOrigin) override { return 0; }
    Int64 room = 3;
};

TEST(Stream, WriteBufferShort) {
    TTinyStream t;
    t.WriteBuffer("ab", 2);
    try {
        t.WriteBuffer("cd", 2);
        ADD_FAILURE();
    } catch (const EWriteError& e) {
        EXPECT_EQ(e.Message, "Stream write error");
    }
}

TEST_F(StreamFiles, FileStreamReadWriteSeek) {
    {
        TFileStream f(P("a.bin"), fmCreate);
        EXPECT_EQ(f.FileName(), P("a.bin"));
        Exercise(f);
    }
    EXPECT_EQ(FileSize(P("a.bin")), 4);
    {
        TFileStream f(P("a.bin"), fmOpenReadWrite | fmShareDenyNone);
        EXPECT_EQ(f.Size(), 4);
        f.Seek(0, soEnd);
        f.WriteBuffer("++", 2);
    }
    EXPECT_EQ(FileSize(P("a.bin")), 6);
    {
        TFileStream f(P("a.bin"), fmCreate | fmShareExclusive);  // truncates
        EXPECT_EQ(f.Size(), 0);
        f.WriteBuffer("data", 4);
    }
    {
        TFileStream f(P("a.bin"), fmOpenRead);
        EXPECT_EQ(ReadAll(f), "data");
        EXPECT_THROW(f.WriteBuffer("x", 1), EWriteError);  // opened for reading
    }
    {
        TFileStream f(P("a.bin"), fmOpenWrite);
        char c;
        EXPECT_THROW(f.ReadBuffer(&c, 1), EReadError);  // opened for writing
        f.SetSize(2);
        EXPECT_EQ(f.Position(), 2);
    }
    EXPECT_EQ(ReadFileToString(P("a.bin")), "da");
}

TEST_F(StreamFiles, FileStreamErrors) {
    struct {
        String name;
        Word mode;
        bool create;
        const char* reason;
    } cases[] = {
        {P("missing.txt"), fmOpenRead, false, "No such file or directory"},
        {P("missing.txt"), fmOpenReadWrite, false, "No such file or directory"},
        {P("nodir/x.txt"), fmCreate, true, "No such file or directory"},
        {dir_, fmCreate, true, "Is a directory"},
        {dir_, fmOpenRead, false, "Is a directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            TFileStream f(c.name, c.mode);
            ADD_FAILURE() << "no exception";
        } catch (const EFCreateError& e) {
            EXPECT_TRUE(c.create);
            EXPECT_EQ(e.Message, "Cannot create file \"" + c.name + "\". " + c.reason);
        } catch (const EFOpenError& e) {
            EXPECT_FALSE(c.create);
            EXPECT_EQ(e.Message, "Cannot open file \"" + c.name + "\". " + c.reason);
        }
    }
    // Both are file-stream errors.
    EXPECT_THROW(TFileStream(P("missing"), fmOpenRead), EFileStreamError);
}

TEST_F(StreamFiles, MemoryStreamFiles) {
    TMemoryStream m;
    const String data("bin\0\xff\r\n", 7);
    m.WriteBuffer(data.data(), 7);
    m.SaveToFile(P("m.bin"));
    EXPECT_EQ(ReadFileToString(P("m.bin")), data);
    TMemoryStream back;
    back.LoadFromFile(P("m.bin"));
    EXPECT_EQ(back.Bytes(), m.Bytes());
    EXPECT_EQ(back.Position(), 0);
    EXPECT_THROW(back.LoadFromFile(P("none")), EFOpenError);
    // A failed save keeps the old file.
    SetSafeWriteHook([](const char* stage) {
        if (String(stage) == "write") throw std::runtime_error("no space");
    });
    TMemoryStream other;
    other.WriteBuffer("zz", 2);
    EXPECT_THROW(other.SaveToFile(P("m.bin")), EWriteError);
    SetSafeWriteHook(nullptr);
    EXPECT_EQ(ReadFileToString(P("m.bin")), data);
    TStringStream dst;
    m.SaveToStream(&dst);
    EXPECT_EQ(dst.DataString(), data);
    TMemoryStream fromStream;
    fromStream.LoadFromStream(&dst);
    EXPECT_EQ(fromStream.Bytes(), m.Bytes());
}

}  // namespace
