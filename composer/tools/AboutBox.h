#pragma once
#include "framework/controls/Form.h"

class TButton;
class TImage;
class TLabel;
class TStyFormShape;

// The About window: borderless, rounded by its form shape and dragged by
// its surface. Made for each showing and freed after it.
class TAboutBox : public TForm {
public:
    explicit TAboutBox(TComponent* AOwner);
    String ClassName() const override { return "TAboutBox"; }

    TStyFormShape* StyFormShape1;
    TImage* Image1;       // the picture on the left
    TLabel* Label1;       // "Enhanced Searching Begins Here"
    TLabel* Version;      // "Velmor Release 4.5"
    TLabel* Copyright;    // the maker's ownership line
    TButton* Button1;     // "Close"
    TImage* Image2;       // WAGILS
    TImage* Image3;       // GILS
    TImage* Image4;       // Dublin Core
    TImage* Image5;       // XHTML
    TImage* Image6;       // status
    TImage* Image7;       // contact

    void Button1Click(TObject* Sender);
    void Image2Click(TObject* Sender);
    void Image3Click(TObject* Sender);
    void Image4Click(TObject* Sender);
    void Image5Click(TObject* Sender);
    void Image6Click(TObject* Sender);
    void Image7Click(TObject* Sender);

protected:
    // The window opens out of the mouse pointer in growing frames.
    void DoShow() override;
};
