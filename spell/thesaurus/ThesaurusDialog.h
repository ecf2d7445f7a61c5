#pragma once
// The thesaurus lookup window: the word, its meanings, the synonyms of the
// chosen meaning on four pages, and the topics looked up before. The form
// keeps only its layout; the thesaurus fills it and reacts to it.
#include "framework/controls/Form.h"

class TLabel;
class TComboBox;
class TEdit;
class TListBox;
class TPageControl;
class TTabSheet;
class TButton;
class TBitBtn;

class TThesaurusDialog : public TForm {
public:
    explicit TThesaurusDialog(TComponent* owner);
    String ClassName() const override { return "TThesaurusDialog"; }

    void FormResize(TObject* Sender);
    // The width the form keeps: it may only grow taller.
    int FixedWidth() const;

    TLabel* Label1;
    TComboBox* ContextEdit;
    TLabel* WordLabel;
    TEdit* WordEdit;
    TListBox* Lookup;
    TPageControl* PageControl;
    TTabSheet* Sheet1;
    TTabSheet* Sheet2;
    TTabSheet* Sheet3;
    TTabSheet* Sheet4;
    TListBox* LB1;
    TListBox* LB2;
    TListBox* LB3;
    TListBox* LB4;
    TButton* LookupButton;
    TButton* ReplaceButton;
    TBitBtn* CancelButton;

    TTabSheet* Sheet(int index) const;   // 0 nouns .. 3 adverbs
    TListBox* List(int index) const;
};
