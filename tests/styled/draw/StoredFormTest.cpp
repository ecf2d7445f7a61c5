#include <gtest/gtest.h>

#include "DrawHelpers.h"
#include "framework/classes/StringList.h"
#include "framework/graphics/Brush.h"
#include "framework/rtl/Exception.h"
#include "styled/graphics/StyBevel.h"
#include "styled/graphics/StyButtonLayout.h"
#include "styled/graphics/StyFillObject.h"
#include "styled/graphics/StyFxCaption.h"
#include "styled/graphics/StyGradient.h"
#include "styled/graphics/StyShadow.h"
#include "styled/graphics/StyStoredProperties.h"

namespace {

template <class T>
std::vector<String> Stored(const T& o) {
    TStringList lines;
    TStyStoredProperties p(&lines);
    o.WriteStored(p);
    return lines.ToVector();
}

template <class T>
void Load(T& o, const std::vector<String>& text) {
    TStringList lines;
    for (const String& s : text) lines.Add(s);
    o.ReadStored(TStyStoredProperties(&lines));
}

TEST(StoredForm, DefaultsAreOmittedExceptTheAlwaysStored) {
    EXPECT_EQ(Stored(TStyBevel()), (std::vector<String>{"Mode=bmCustom", "StandardStyle=lsSingleLowered"}));
    EXPECT_EQ(Stored(TStyGradient()), std::vector<String>{});
    EXPECT_EQ(Stored(TStyShadow()), std::vector<String>{});
    EXPECT_EQ(Stored(TStyFxCaption()), std::vector<String>{});
    EXPECT_EQ(Stored(TStyButtonLayout()), std::vector<String>{});
    EXPECT_EQ(Stored(TStyFillObject()), std::vector<String>{"Style=sfNone"});
    EXPECT_EQ(Stored(TStyShapeFill()), std::vector<String>{"Style=sfBrush"});
    TStyGlyphTextLayout centred;
    centred.SetAlignment(agCenter);
    EXPECT_EQ(Stored(centred), std::vector<String>{"Alignment=agCenter"});
}

// Written, read into a new object and written again: the same lines, one
// change report for the read.
template <class T>
void ExpectRoundTrip(const std::function<void(T&)>& change, size_t expectedLines) {
    T a;
    change(a);
    const auto lines = Stored(a);
    EXPECT_EQ(lines.size(), expectedLines);
    T b;
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    Load(b, lines);
    EXPECT_EQ(Stored(b), lines);
    EXPECT_EQ(changes, 1);
}

TEST(StoredForm, RoundTrips) {
    ExpectRoundTrip<TStyBevel>(
        [](TStyBevel& b) {
            b.SetStyleOuter(bvShadow); b.SetWidthOuter(7); b.SetBorderSides(FrameSide(fsTop) | FrameSide(fsLeft));
            b.SetBorderColor(clRed); b.SetBorderInnerWidth(2); b.SetEdgeStyle(etSunken); b.SetMode(bmEdge);
            b.SetLightColor(RGB(1, 2, 3)); b.SetShadowColor(clBtnText); b.SetStandardStyle(lsFrameInset);
        },
        11);
    ExpectRoundTrip<TStyButtonLayout>(
        [](TStyButtonLayout& l) {
            l.SetAlignment(agTopLeft); l.SetAlignText2Glyph(taBottomLeft); l.SetOffsetX(-4); l.SetSpacing(0);
            l.SetArrow(true); l.SetArrowPosition(apLeftGlyph); l.SetArrowSize(9);
        },
        7);
    ExpectRoundTrip<TStyFxCaption>(
        [](TStyFxCaption& c) {
            c.SetStyle(tdPColorSunken); c.SetDisabledStyle(dsNone); c.SetShadowDepth(4); c.SetTracing(-1);
            c.SetAngle(270); c.SetPosY(12);
        },
        6);
    ExpectRoundTrip<TStyShadow>([](TStyShadow& s) { s.SetStyle(hssNone); s.SetDepth(0); }, 2);
    ExpectRoundTrip<TStyFillObject>(
        [](TStyFillObject& f) {
            f.SetStyle(sfBitmap); f.SetTileMode(tmCenter); f.Gradient()->SetStyle(gstSquare);
            f.Gradient()->SetPaletteRealize(true); f.Brush()->SetStyle(bsCross); f.Brush()->SetColor(clNavy);
            f.SetOptions(0); f.Bitmap()->SetSize(3, 2); f.Bitmap()->Canvas()->SetPixels(1, 1, clRed);
        },
        8);
}

TEST(StoredForm, NestedObjectsAndBitmapData) {
    TStyFillObject a;
    a.SetStyle(sfGradient);
    a.Gradient()->SetColor(clLime);
    a.Bitmap()->SetSize(3, 2);
    a.Bitmap()->Canvas()->SetPixels(2, 1, clRed);
    const auto lines = Stored(a);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Gradient.Color=clLime"), lines.end());
    EXPECT_EQ(lines.front().rfind("Bitmap.Data=424D", 0), 0u);
    TStyFillObject b;
    Load(b, lines);
    EXPECT_EQ(b.Gradient()->Color(), clLime);
    EXPECT_EQ(b.Gradient()->Colors().front(), clLime);
    ASSERT_EQ(b.Bitmap()->Width(), 3);
    EXPECT_EQ(Px(*b.Bitmap(), 2, 1), clRed);
    EXPECT_EQ(Px(*b.Bitmap(), 0, 0), clWhite);
}

TEST(StoredForm, BadValuesAreRefusedAndChangeNothing) {
    const std::vector<std::vector<String>> bad = {
        {"StyleInner=bvLowered", "WidthInner=51"},
        {"Mode=bmSideways"},
        {"BorderSides=[fsTop,fsMiddle]"},
        {"BorderSides=fsTop"},
        {"LightColor=clNoSuchColour"},
        {"BorderWidth=two"},
    };
    for (const auto& text : bad) {
        SCOPED_TRACE(text.back());
        TStyBevel b;
        b.SetWidthOuter(3);
        int changes = 0;
        b.OnChange = [&](TObject*) { ++changes; };
        const auto before = Stored(b);
        EXPECT_THROW(Load(b, text), EConvertError);
        EXPECT_EQ(Stored(b), before);
        EXPECT_EQ(changes, 0);
    }
    TStyFillObject f;
    EXPECT_THROW(Load(f, {"Bitmap.Data=424D00"}), EConvertError);
    EXPECT_THROW(Load(f, {"Options=[foFillInner"}), EConvertError);
    TStyShadow s;
    EXPECT_THROW(Load(s, {"Depth=41"}), EConvertError);
    try {
        Load(s, {"Style=hssBlurred"});
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Invalid property value: Style=hssBlurred");
    }
}

}  // namespace
