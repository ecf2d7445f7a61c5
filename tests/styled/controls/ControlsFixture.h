#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"

// A shown form to put controls on, and a way to see what they paint.
class ControlsFixture : public ::testing::Test {
protected:
    void SetUp() override {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(50, 50, 300, 200);
        Form->SetColor(clWhite);
        Form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override {
        Form->Hide();
        Form.reset();
    }
    // The control as it shows, drawn on a fresh bitmap.
    static std::unique_ptr<TBitmap> Shot(TControl* c) {
        auto b = std::make_unique<TBitmap>(c->Width(), c->Height());
        b->Canvas()->Brush()->SetColor(clFuchsia);
        b->Canvas()->FillRect(Rect(0, 0, c->Width(), c->Height()));
        c->PaintTo(b->Canvas(), 0, 0);
        return b;
    }
    static TColor Px(const std::unique_ptr<TBitmap>& b, int x, int y) { return b->Canvas()->Pixels(x, y); }
    static std::unique_ptr<TBitmap> Solid(int w, int h, TColor c) {
        auto b = std::make_unique<TBitmap>(w, h);
        b->Canvas()->Brush()->SetColor(c);
        b->Canvas()->FillRect(Rect(0, 0, w, h));
        return b;
    }
    std::unique_ptr<TForm> Form;
};
