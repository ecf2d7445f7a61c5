#include "composer/tools/AboutBox.h"
#include "composer/windows/WindowParts.h"

#include "framework/controls/Button.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/Image.h"
#include "framework/controls/Label.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Pen.h"
#include "framework/graphics/Picture.h"
#include "styled/base/WindowHelpers.h"
#include "styled/forms/StyFormShape.h"

namespace {

// The window's pictures are drawn here rather than shipped: a magnifier
// over a page for the large one, and a labelled badge for each small one.
void DrawMagnifier(TBitmap* b) {
    TCanvas* c = b->Canvas();
    const int w = b->Width(), h = b->Height();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clWhite);
    c->FillRect(Rect(0, 0, w, h));
    // the page
    c->Pen()->SetColor(TColor(0x808080));
    c->Pen()->SetWidth(1);
    c->Brush()->SetColor(TColor(0xF4F0EC));
    c->Rectangle(18, 14, w - 40, h - 30);
    c->Pen()->SetColor(TColor(0xC8B8A8));
    for (int y = 34; y < h - 44; y += 12) {
        c->MoveTo(30, y);
        c->LineTo(w - 52, y);
    }
    c->Pen()->SetColor(TColor(0x800000));
    c->Brush()->SetColor(TColor(0x800000));
    c->Rectangle(30, 22, w - 70, 28);
    // the magnifier
    c->Pen()->SetWidth(7);
    c->Pen()->SetColor(TColor(0x204080));
    c->MoveTo(w - 62, h - 58);
    c->LineTo(w - 22, h - 16);
    c->Pen()->SetWidth(5);
    c->Pen()->SetColor(TColor(0x303030));
    c->Brush()->SetColor(TColor(0xFFF0D8));
    c->Ellipse(w - 120, h - 118, w - 50, h - 48);
    c->Pen()->SetWidth(1);
}

void DrawBadge(TBitmap* b, const String& text, TColor face) {
    TCanvas* c = b->Canvas();
    const int w = b->Width(), h = b->Height();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clWhite);
    c->FillRect(Rect(0, 0, w, h));
    c->Pen()->SetColor(TColor(0x404040));
    c->Brush()->SetColor(face);
    c->RoundRect(0, 0, w, h, 8, 8);
    c->Font()->SetName("Sans Serif");
    c->Font()->SetSize(7);
    c->Font()->SetStyle(fsBold);
    c->Font()->SetColor(clWhite);
    c->Brush()->SetStyle(bsClear);
    const TSize s = c->TextExtent(text);
    c->TextOut((w - s.cx) / 2, (h - s.cy) / 2, text);
}

TImage* Badge(TAboutBox* box, const char* name, int left, const char* text, TColor face, const char* hint) {
    auto* img = new TImage(box);
    img->SetName(name);
    img->SetParent(box);
    img->SetBounds(left, 214, 52, 26);
    img->Picture()->Bitmap()->SetSize(52, 26);
    DrawBadge(img->Picture()->Bitmap(), text, face);
    img->SetHint(hint);
    img->SetShowHint(true);
    return img;
}

TLabel* Line(TAboutBox* box, const char* name, const char* caption, int left, int top, int size, bool bold,
             TColor color) {
    auto* l = new TLabel(box);
    l->SetName(name);
    l->SetParent(box);
    l->SetTransparent(true);
    l->Font()->SetSize(size);
    if (bold) l->Font()->SetStyle(fsBold);
    l->Font()->SetColor(color);
    l->SetCaption(caption);
    l->SetLeft(left);
    l->SetTop(top);
    return l;
}

}  // namespace

TAboutBox::TAboutBox(TComponent* AOwner) : TForm(AOwner) {
    SetName("AboutBox");
    SetCaption("About Velmor");
    SetBorderStyle(bsNone);
    SetColor(clWhite);
    SetPosition(poScreenCenter);
    SetBounds(Left(), Top(), 462, 265);

    StyFormShape1 = new TStyFormShape(this);
    StyFormShape1->SetName("StyFormShape1");

    Image1 = new TImage(this);
    Image1->SetName("Image1");
    Image1->SetParent(this);
    Image1->SetBounds(16, 24, 170, 170);
    Image1->Picture()->Bitmap()->SetSize(170, 170);
    DrawMagnifier(Image1->Picture()->Bitmap());

    Label1 = Line(this, "Label1", "Enhanced Searching Begins Here", 196, 40, 10, true, TColor(0x800000));
    Version = Line(this, "Version", "Velmor Release 4.5", 200, 80, 10, false, clBlack);
    Copyright = Line(this, "Copyright", "Copyright \xC2\xA9 Drelmont. All rights reserved.", 200, 104, 8, false,
                     TColor(0x606060));

    Button1 = MakeButton<TButton>(this, this, "Button1", "Close", nullptr, 364, 160, 75);
    Button1->OnClick = [this](TObject* s) { Button1Click(s); };

    Image2 = Badge(this, "Image2", 24, "WAGILS", TColor(0x7F5F1F), "WAGILS Ready - Click Here");
    Image3 = Badge(this, "Image3", 94, "GILS", TColor(0x3F7F1F), "Gils Information - Click Here");
    Image4 = Badge(this, "Image4", 164, "DC", TColor(0x1F3FAF), "DC Ready - Click Here");
    Image5 = Badge(this, "Image5", 234, "XHTML", TColor(0x1F7FBF), "XHTML - Click Here");
    Image6 = Badge(this, "Image6", 304, "STATUS", TColor(0x5F5F5F), "Click Here for Status");
    Image7 = Badge(this, "Image7", 374, "CONTACT", TColor(0x7F1F5F), "Contacting Drelmont - Click Here");
    Image2->OnClick = [this](TObject* s) { Image2Click(s); };
    Image3->OnClick = [this](TObject* s) { Image3Click(s); };
    Image4->OnClick = [this](TObject* s) { Image4Click(s); };
    Image5->OnClick = [this](TObject* s) { Image5Click(s); };
    Image6->OnClick = [this](TObject* s) { Image6Click(s); };
    Image7->OnClick = [this](TObject* s) { Image7Click(s); };

    // Built in code, the shape settles as a streamed window's would.
    StyFormShape1->FinishLoading();
}

void TAboutBox::DoShow() {
    ExplodeEffect(this);
    TForm::DoShow();
}

void TAboutBox::Button1Click(TObject*) { Close(); }

namespace {
void Inform(const String& text) { MessageDlg(text, mtInformation, mbOK); }
}  // namespace

void TAboutBox::Image2Click(TObject*) {
    Inform("Drelmont Velmor supports WAGILS and Ships with a Complete Schema and WAGILS Controlled Vocabulary");
}
void TAboutBox::Image3Click(TObject*) { Inform("Drelmont Velmor is GILS compatible"); }
void TAboutBox::Image4Click(TObject*) { Inform("Drelmont Velmor supports Dublin Core"); }
void TAboutBox::Image5Click(TObject*) { Inform("Drelmont Velmor Supports XHTML metadata"); }
void TAboutBox::Image6Click(TObject*) {
    Inform("Velmor is developed and supported by Drelmont. This release is current and maintained.");
}
void TAboutBox::Image7Click(TObject*) {
    Inform("To contact Drelmont, write to the address given on the Velmor web site.");
}
