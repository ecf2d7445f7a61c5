// Hooking a form's window procedure: the order hooks see messages in,
// unhooking out of order, foreign subclassing in between, the end of the
// window, and forms that go while hooked.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/messages/MessageQueue.h"
#include "styled/base/StyWndProcComponent.h"

namespace {

constexpr UINT kProbe = WM_USER + 77;

std::vector<std::string> gTrace;

// A form that notes the messages its own procedure gets.
class TTracedForm : public TForm {
public:
    using TForm::TForm;

protected:
    void WndProc(TMessage& m) override {
        if (m.Msg == kProbe || m.Msg == WM_DESTROY) gTrace.push_back("form");
        TForm::WndProc(m);
    }
};

class TTracingHook : public TStyWndProcComponent {
public:
    TTracingHook(TComponent* owner, std::string tag) : TStyWndProcComponent(owner), Tag(std::move(tag)) {}
    void WndProc(TMessage& m) override {
        if (m.Msg == kProbe || m.Msg == WM_DESTROY) gTrace.push_back(Tag);
        if (Swallow && m.Msg == kProbe) {
            m.Result = 5;
            return;
        }
        TStyWndProcComponent::WndProc(m);
    }
    void Done() override { ++DoneCalls; }
    std::string Tag;
    bool Swallow = false;
    int DoneCalls = 0;
};

std::vector<std::string> Probe(TForm* form) {
    gTrace.clear();
    form->Perform(kProbe);
    return gTrace;
}

using Trace = std::vector<std::string>;

class HookChain : public ::testing::Test {
protected:
    void SetUp() override { Form = new TTracedForm(nullptr); }
    void TearDown() override { delete Form; }
    TTracingHook* AddHook(const std::string& tag) {
        auto* hook = new TTracingHook(Form, tag);
        hook->FinishLoading();  // as when the form is loaded: Loaded hooks
        return hook;
    }
    TTracedForm* Form = nullptr;
};

TEST_F(HookChain, LaterHooksSeeMessagesFirst) {
    auto* a = AddHook("a");
    auto* b = AddHook("b");
    EXPECT_TRUE(a->Hooked());
    EXPECT_TRUE(b->Hooked());
    EXPECT_EQ(Probe(Form), (Trace{"b", "a", "form"}));
    // The message reaches the window through its handle as well.
    gTrace.clear();
    SendMessage(Form->Handle(), kProbe);
    EXPECT_EQ(gTrace, (Trace{"b", "a", "form"}));
}

TEST_F(HookChain, UnhookingInAnyOrderKeepsTheOthers) {
    struct Case {
        std::vector<int> Order;  // indexes of a, b, c in unhook order
        std::vector<Trace> After;
    } cases[] = {
        {{0, 1, 2}, {{"c", "b", "form"}, {"c", "form"}, {"form"}}},
        {{1, 0, 2}, {{"c", "a", "form"}, {"c", "form"}, {"form"}}},
        {{2, 1, 0}, {{"b", "a", "form"}, {"a", "form"}, {"form"}}},
        {{1, 2, 0}, {{"c", "a", "form"}, {"a", "form"}, {"form"}}},
    };
    for (const auto& c : cases) {
        TTracingHook* hooks[] = {AddHook("a"), AddHook("b"), AddHook("c")};
        ASSERT_EQ(Probe(Form), (Trace{"c", "b", "a", "form"}));
        for (size_t i = 0; i < c.Order.size(); ++i) {
            EXPECT_TRUE(hooks[c.Order[i]]->Unhook());
            EXPECT_FALSE(hooks[c.Order[i]]->Hooked());
            EXPECT_EQ(Probe(Form), c.After[i]) << "step " << i;
        }
        for (auto* h : hooks) delete h;
        EXPECT_EQ(Probe(Form), Trace{"form"});
    }
}

TEST_F(HookChain, ForeignSubclassInBetweenIsKept) {
    auto* a = AddHook("a");
    // Someone else subclasses the form after a...
    const TWndMethod old = Form->WindowProc;
    Form->WindowProc = [old](TMessage& m) {
        if (m.Msg == kProbe) gTrace.push_back("foreign");
        old(m);
    };
    auto* b = AddHook("b");
    ASSERT_EQ(Probe(Form), (Trace{"b", "foreign", "a", "form"}));
    // ...so a cannot be spliced out: it stays as a silent pass-through.
    a->Unhook();
    EXPECT_EQ(Probe(Form), (Trace{"b", "foreign", "form"}));
    b->Unhook();
    EXPECT_EQ(Probe(Form), (Trace{"foreign", "form"}));
    // Hooking again goes on top of what is there.
    a->Hook();
    EXPECT_EQ(Probe(Form), (Trace{"a", "foreign", "form"}));
}

TEST_F(HookChain, DeletingAHookUnhooksIt) {
    auto* a = AddHook("a");
    auto* b = AddHook("b");
    delete a;
    EXPECT_EQ(Probe(Form), (Trace{"b", "form"}));
    delete b;
    EXPECT_EQ(Probe(Form), Trace{"form"});
}

TEST_F(HookChain, SwallowedMessagesStopAtTheHook) {
    auto* a = AddHook("a");
    a->Swallow = true;
    gTrace.clear();
    EXPECT_EQ(Form->Perform(kProbe), 5);
    EXPECT_EQ(gTrace, Trace{"a"});
}

TEST_F(HookChain, MessagesAfterDestroyStillPassOn) {
    auto* a = AddHook("a");
    gTrace.clear();
    Form->Perform(WM_DESTROY);
    EXPECT_EQ(gTrace, (Trace{"a", "form"}));
    EXPECT_TRUE(a->Destroyed());
    EXPECT_TRUE(a->Hooked());  // an ordinary form stays hooked
    EXPECT_EQ(Probe(Form), (Trace{"a", "form"}));
}

TEST(HookChainMdi, MdiChildLetsGoAtDestroyAndTheFormStillSeesIt) {
    auto* form = new TTracedForm(nullptr);
    form->SetFormStyle(fsMDIChild);
    auto* a = new TTracingHook(form, "a");
    EXPECT_EQ(a->FormKind(), 1);
    a->FinishLoading();
    ASSERT_TRUE(a->Hooked());
    gTrace.clear();
    form->Perform(WM_DESTROY);
    EXPECT_EQ(gTrace, (Trace{"a", "form"}));
    EXPECT_FALSE(a->Hooked());
    EXPECT_EQ(Probe(form), Trace{"form"});
    delete form;
}

TEST(HookChainLifetime, FormGoingWhileHookedIsSafe) {
    auto* form = new TTracedForm(nullptr);
    auto* a = new TTracingHook(form, "a");
    a->FinishLoading();
    auto* b = new TTracingHook(form, "b");
    b->FinishLoading();
    ASSERT_TRUE(a->Hooked() && b->Hooked());
    delete form;  // frees a and b while their hooks are in place
    SUCCEED();
}

TEST(HookChainLifetime, EnabledDecidesHookingAndDoneKeepsTheHook) {
    TTracedForm form(nullptr);
    auto* a = new TTracingHook(&form, "a");
    a->SetEnabled(false);
    a->FinishLoading();
    EXPECT_FALSE(a->Hooked());
    a->SetEnabled(true);  // Init hooks now
    EXPECT_TRUE(a->Hooked());
    const int done = a->DoneCalls;
    a->SetEnabled(false);
    EXPECT_EQ(a->DoneCalls, done + 1);
    EXPECT_TRUE(a->Hooked());
    EXPECT_TRUE(a->CanPaint());
    delete a;
}

TEST(HookChainLifetime, NoWindowedOwnerNoHook) {
    TComponent owner(nullptr);
    auto* a = new TTracingHook(&owner, "a");
    a->FinishLoading();
    EXPECT_EQ(a->TargetHandle(), 0u);
    EXPECT_FALSE(a->Hook());
    EXPECT_FALSE(a->CanPaint());
    TTracingHook orphan(nullptr, "o");
    EXPECT_FALSE(orphan.Hook());
}

TEST(HookChainLifetime, MainWindowHookFollowsHookAndUnhook) {
    class TMainHooker : public TStyWndProcComponent {
    public:
        explicit TMainHooker(TComponent* owner) : TStyWndProcComponent(owner) { FHookMainWindow = true; }
        bool MainWindowHook(TMessage& m) override {
            if (m.Msg == kProbe) ++Seen;
            return false;
        }
        int Seen = 0;
    };
    TForm form(nullptr);
    auto* h = new TMainHooker(&form);
    h->FinishLoading();
    EXPECT_TRUE(h->MainHooked());
    SendMessage(Application->Handle(), kProbe);
    EXPECT_EQ(h->Seen, 1);
    h->Unhook();
    EXPECT_FALSE(h->MainHooked());
    SendMessage(Application->Handle(), kProbe);
    EXPECT_EQ(h->Seen, 1);
    delete h;
}

}  // namespace
