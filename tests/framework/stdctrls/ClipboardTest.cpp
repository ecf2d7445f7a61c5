#include <gtest/gtest.h>

#include "framework/controls/Clipboard.h"

TEST(Clipboard, TextAndRichTextRoundTrip) {
    TClipboard* c = Clipboard();
    c->SetAsText("keywords, meta\r\ntags");
    EXPECT_TRUE(c->HasFormat(CF_TEXT));
    EXPECT_EQ(c->AsText(), "keywords, meta\r\ntags");
    char buf[9];
    EXPECT_EQ(c->GetTextBuf(buf, sizeof buf), 8);
    EXPECT_STREQ(buf, "keywords");

    const TClipboardFormat rtf = RegisterClipboardFormat("Rich Text Format");
    EXPECT_EQ(RegisterClipboardFormat("rich text format"), rtf);
    c->Open();
    c->SetAsText("plain");
    c->SetAsFormat(rtf, "{\\rtf1 plain}");
    c->Close();
    EXPECT_EQ(c->AsText(), "plain");
    EXPECT_TRUE(c->HasFormat(rtf));
    EXPECT_EQ(c->GetAsFormat(rtf), "{\\rtf1 plain}");

    c->SetTextBuf("only text");
    EXPECT_FALSE(c->HasFormat(rtf));
    c->Clear();
    EXPECT_FALSE(c->HasFormat(CF_TEXT));
    EXPECT_EQ(c->AsText(), "");
}

// Between Open and Close the formats gather into one copy: the clipboard
// keeps what it held until the outermost Close, a format set twice goes
// out with its later bytes, and a Clear in the copy empties it on Close.
TEST(Clipboard, OneCopyGoesOutWholeOnTheLastClose) {
    TClipboard* c = Clipboard();
    const TClipboardFormat html = RegisterClipboardFormat("HTML Format");
    c->SetAsText("before");
    c->Open();
    c->SetAsText("first");
    c->SetAsFormat(html, "<b>tags</b>");
    c->SetAsText("second");
    c->Open();
    c->Close();
    EXPECT_EQ(c->AsText(), "before");
    EXPECT_FALSE(c->HasFormat(html));
    c->Close();
    EXPECT_EQ(c->AsText(), "second");
    EXPECT_EQ(c->GetAsFormat(html), "<b>tags</b>");

    c->Open();
    c->Clear();
    EXPECT_EQ(c->AsText(), "second");
    c->Close();
    EXPECT_FALSE(c->HasFormat(CF_TEXT));
    EXPECT_FALSE(c->HasFormat(html));
}
