#pragma once
// A spell checker over a small dictionary made for the test, in a scratch
// folder that stands in for the program's folder, and a script that
// presses the dialog's buttons at each stop.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

#include "framework/controls/BitBtn.h"
#include "framework/controls/Button.h"
#include "framework/controls/DialogScript.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Form.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Memo.h"
#include "framework/messages/MessageQueue.h"
#include "framework/system/ProgramFolder.h"
#include "spell/dialogs/SpellCheckerDialog.h"
#include "spell/engine/SpellChecker.h"
#include "spell/store/Configuration.h"
#include "spell/store/DictionaryWriter.h"
#include "support/TempDir.h"

// One stop of a scripted check: the word the check must stop at, and what
// the user does there.
struct TStep {
    String Stop;
    std::function<void(TSpellCheckerDialog* D)> Act;
};

template <class TB>
inline void Press(TB* b) {
    ASSERT_TRUE(b->Enabled()) << b->Name() << " is disabled";
    b->Click();
}

inline TStep Do(const String& stop, std::function<void(TSpellCheckerDialog*)> act) { return {stop, std::move(act)}; }
inline TStep Replace(const String& stop, const String& with, bool all = false) {
    return {stop, [with, all](TSpellCheckerDialog* d) {
                d->WordEdit->SetText(with);
                Press(all ? d->ChangeAll : d->Change);
            }};
}

class SpellEngine : public ::testing::Test {
protected:
    static std::vector<String> SmallWords() {
        // Words are made of the letters the dictionary holds, so these
        // cover every letter, some capitals and the digits.
        return {"the",  "quick", "fox", "jumped", "dog", "end", "cat", "sat", "on",  "a",   "mat", "and",
                "it's", "brown", "over", "lazy",  "vex", "Tom", "Bob", "Hal", "Ann", "Moe", "Lee", "1st", "2nd", "3rd",
                "4th",  "5th",   "6th", "7th",    "8th", "9th", "10th"};
    }
    void SetUp() override { Start(SmallWords(), DefaultSpellOptions); }
    void TearDown() override {
        Form.reset();
        Engine.reset();
        if (FWnd) DeallocateHWnd(FWnd);
        SetProgramFolderOverride(String());
        EXPECT_TRUE(Script.Unanswered().empty()) << Script.Unanswered()[0].Text;
    }

    void Start(const std::vector<String>& words, TSpellOptions options) {
        SetProgramFolderOverride(Dir.Path());
        if (!words.empty()) TDictionaryWriter::WriteFile(Dir.File("small.dct"), words, "Small test words");
        Engine = std::make_unique<TSpellChecker>(nullptr);
        Engine->SetDefaultMain("small.dct");
        Engine->SetDefaultUser("user.udt");
        Engine->SetDefaultOptions(options);
        Engine->SetConfigFileName("spell.cfg");
        Engine->HelpEnabled = false;
        Engine->OnMisspelledWord = [this](TObject*) {
            Stops.push_back(Engine->CurrentWord);
            PostMessage(Window(), WM_USER + 1);
        };
        Form = std::make_unique<TForm>(nullptr);
        Memo = new TMemo(Form.get());
        Memo->SetParent(Form.get());
        Memo->SetBounds(8, 8, 300, 100);
    }

    HWND Window() {
        if (!FWnd)
            FWnd = AllocateHWnd([this](TMessage& m) {
                if (m.Msg == WM_USER + 1) RunStep();
            });
        return FWnd;
    }

    void RunStep() {
        auto* d = dynamic_cast<TSpellCheckerDialog*>(Engine->DialogForm());
        if (!d) return;
        if (Steps.empty()) {
            ADD_FAILURE() << "an unexpected stop at " << Engine->CurrentWord;
            d->Cancel->Click();
            return;
        }
        TStep step = std::move(Steps.front());
        Steps.pop_front();
        EXPECT_EQ(Engine->CurrentWord, step.Stop);
        EXPECT_EQ(d->NotFound->Text(), Engine->CurrentWord);
        step.Act(d);
    }

    // Checks the memo with the steps given; the end message is answered.
    void Check(const String& text, std::vector<TStep> steps) {
        Memo->SetText(text);
        Steps.assign(steps.begin(), steps.end());
        Engine->CheckWinControl(Memo);
        EXPECT_TRUE(Steps.empty()) << Steps.size() << " steps were not reached";
        EXPECT_FALSE(Engine->Checking);
    }

    TTempDir Dir;
    TDialogScript Script;
    std::unique_ptr<TSpellChecker> Engine;
    std::unique_ptr<TForm> Form;
    TMemo* Memo = nullptr;
    std::deque<TStep> Steps;
    std::vector<String> Stops;

private:
    HWND FWnd = 0;
};
