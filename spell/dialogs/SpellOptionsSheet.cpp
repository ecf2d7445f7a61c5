#include "spell/dialogs/SpellOptionsSheet.h"

#include <algorithm>

#include "framework/classes/Strings.h"
#include "framework/controls/Button.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/Panel.h"
#include "spell/dialogs/Languages.h"
#include "spell/store/Configuration.h"

namespace {
const int HelpContexts[15] = {0, 808, 809, 821, 822, 823, 810, 811, 812, 812, 813, 831, 832, 833, 834};
const char* const Captions[15] = {"",
                                  "Words in &UPPERCASE",
                                  "Words Containing &Numbers",
                                  "&HTML Tags",
                                  "UR&Ls and E-mail Addresses",
                                  "Quoted Lines",
                                  "&Generate Automatically",
                                  "From &Primary Dictionary Only",
                                  "Re-check Replaced Words",
                                  "Prompt on Repeated Word",
                                  "Prompt on &DUal CAps",
                                  "User Option 1",
                                  "User Option 2",
                                  "User Option 3",
                                  "User Option 4"};
}  // namespace

TSpellOption OptionOfTag(int tag) { return static_cast<TSpellOption>(1 << (tag - 1)); }

TSpellOptionsSheet::TSpellOptionsSheet(TComponent* owner, TPageControl* pageControl) : TConfigSheet(owner, pageControl) {
    SetCaption("Options");
}

TSpellOptionsSheet::~TSpellOptionsSheet() { FAlive = false; }

void TSpellOptionsSheet::BuildOptions(TSpellOptions visibleOptions, TSpellOptions options, TStrings* ignoreList,
                                      TStrings* changeList, int extra) {
    VisibleOptions = visibleOptions;
    Options = options;
    IgnoreList = ignoreList;
    ChangeList = changeList;
    Extra = extra;
    SetCaption("Options");
    const auto group = [this](const char* caption) {
        auto* g = new TGroupBox(this);
        g->SetParent(Panel);
        g->SetCaption(caption);
        return g;
    };
    IgnoreGroup = group(" Ignore: ");
    ResetIgnoreAll = new TButton(this);
    ResetIgnoreAll->SetParent(IgnoreGroup);
    ResetIgnoreAll->SetCaption("Reset Ignore &All");
    ResetIgnoreAll->SetEnabled(IgnoreList && IgnoreList->Count() > 0);
    ResetChangeAll = new TButton(this);
    ResetChangeAll->SetParent(IgnoreGroup);
    ResetChangeAll->SetCaption("R&eset Change All");
    ResetChangeAll->SetEnabled(ChangeList && ChangeList->Count() > 0);
    const auto visible = [&](int tag) { return (VisibleOptions & OptionOfTag(tag)) != 0; };
    if (visible(6) || visible(7)) SuggestionsGroup = group(" Suggestions: ");
    bool general = false;
    for (int t = 8; t <= 14; ++t) general = general || visible(t);
    if (general) GeneralGroup = group(" General: ");
    for (int tag = 1; tag <= 14; ++tag) {
        if (!visible(tag)) continue;
        TGroupBox* g = tag <= 5 ? IgnoreGroup : tag <= 7 ? SuggestionsGroup : GeneralGroup;
        auto& boxes = tag <= 5 ? IgnoreBoxes : tag <= 7 ? SuggestionBoxes : GeneralBoxes;
        auto* box = new TCheckBox(this);
        box->SetParent(g);
        box->SetName("Option" + std::to_string(tag));
        box->SetCaption(Captions[tag]);
        box->HelpContext = HelpContexts[tag];
        boxes.push_back(box);
        box->SetBounds(8, 16 * static_cast<int>(boxes.size()), 150, 17);
        box->SetChecked((Options & OptionOfTag(tag)) != 0);
        box->OnClick = [this, box, tag](TObject*) {
            if (!Configuration) return;
            const TSpellOptions bit = OptionOfTag(tag);
            const TSpellOptions before = Configuration->Options;
            if (box->Checked())
                Configuration->Options |= bit;
            else
                Configuration->Options &= static_cast<TSpellOptions>(~bit);
            if (Configuration->Options != before) Configuration->Dirty = true;
        };
    }
    int top = 8;
    const auto stack = [&top](TGroupBox* g, std::size_t n, int minimum) {
        if (!g) return;
        const int h = std::max(minimum, 16 * static_cast<int>(n) + 24);
        g->SetBounds(8, top, g->Width() > 0 ? g->Width() : 300, h);
        top += h + 8;
    };
    stack(IgnoreGroup, IgnoreBoxes.size(), 80);
    stack(SuggestionsGroup, SuggestionBoxes.size(), 0);
    stack(GeneralGroup, GeneralBoxes.size(), 0);
}

TCheckBox* TSpellOptionsSheet::OptionBox(int tag) const {
    for (const auto* list : {&IgnoreBoxes, &SuggestionBoxes, &GeneralBoxes})
        for (TCheckBox* b : *list)
            if (b->Name() == "Option" + std::to_string(tag)) return b;
    return nullptr;
}

void TSpellOptionsSheet::SetLanguage(TLanguageModule* module) {
    const auto text = [module](int i) {
        return module && i < module->Strings->Count() ? module->Strings->Get(i) : String();
    };
    SetCaption(text(24));
    if (IgnoreGroup) IgnoreGroup->SetCaption(text(35));
    if (SuggestionsGroup) SuggestionsGroup->SetCaption(text(36));
    if (GeneralGroup) GeneralGroup->SetCaption(text(37));
    int w = 109;
    String caption;
    if (ResetIgnoreAll) {
        MeasureCaption(text(38), w, caption);
        ResetIgnoreAll->SetCaption(caption);
        MeasureCaption(text(39), w, caption);
        ResetChangeAll->SetCaption(caption);
    }
    ButtonWidth = w + 4;
    IgnoreCaptionWidth = 0;
    OtherCaptionWidth = 0;
    for (int tag = 1; tag <= 14; ++tag)
        if (TCheckBox* b = OptionBox(tag)) {
            MeasureCaption(text(39 + tag), tag <= 5 ? IgnoreCaptionWidth : OtherCaptionWidth, caption);
            b->SetCaption(caption);
        }
    ArrangeControls();
}

void TSpellOptionsSheet::ArrangeControls() {
    const int gw = Panel->ClientWidth() - 16;
    for (TGroupBox* g : {IgnoreGroup, SuggestionsGroup, GeneralGroup})
        if (g) g->SetWidth(gw);
    if (ResetIgnoreAll) {
        ResetIgnoreAll->SetBounds(gw - ButtonWidth - 11, 16, ButtonWidth, 25);
        ResetChangeAll->SetBounds(gw - ButtonWidth - 11, 44, ButtonWidth, 25);
    }
    for (TCheckBox* b : IgnoreBoxes) b->SetWidth(gw - ButtonWidth - 22);
    for (const auto* list : {&SuggestionBoxes, &GeneralBoxes})
        for (TCheckBox* b : *list) b->SetWidth(gw - 10);
}

int TSpellOptionsSheet::ContentHeight() const {
    int bottom = 0;
    for (TGroupBox* g : {IgnoreGroup, SuggestionsGroup, GeneralGroup})
        if (g) bottom = std::max(bottom, g->Top() + g->Height());
    return bottom + 8;
}

int TSpellOptionsSheet::NeededWidth() const {
    return std::max(ButtonWidth + IgnoreCaptionWidth + 64, OtherCaptionWidth + 56);
}
