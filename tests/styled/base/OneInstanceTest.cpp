// TStyOneInstance: what each mode does in a copy that found another one
// running, and the one-per-program rule.
#include <gtest/gtest.h>

#include <memory>

#include "TestSupport.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/ModalSeam.h"
#include "framework/messages/MessageQueue.h"
#include "styled/base/StyApplication.h"
#include "styled/base/StyCustomComponent.h"
#include "styled/base/StyEOneInstError.h"
#include "styled/base/StyOneInstance.h"

namespace {

struct ModeCase {
    const char* Name;
    bool PrevInstance;
    bool Enabled;
    TStyOneInstanceMode Mode;
    bool WithHandler;
    int CustomCalls;
    bool MessageShown;
    bool Activates;
    bool Terminates;
};

const ModeCase kModes[] = {
    {"ActivateOnly", true, true, oiActivateOnly, false, 0, false, true, true},
    {"DefaultMessage", true, true, oiDefaultMessage, false, 0, true, true, true},
    {"CustomWithHandler", true, true, oiCustom, true, 1, false, false, true},
    {"CustomWithoutHandler", true, true, oiCustom, false, 0, false, true, true},
    {"Disabled", true, false, oiCustom, true, 0, false, false, false},
    {"NoOtherCopy", false, true, oiActivateOnly, true, 0, false, false, false},
};

class OneInstanceModes : public ::testing::TestWithParam<ModeCase> {};

// The first copy is a styled application object of the same name in this
// process; the one under test is a second object, which finds it.
TEST_P(OneInstanceModes, ActsByMode) {
    const ModeCase& c = GetParam();
    TScratchApplication scratch;
    const String name = UniqueInstanceName("mode");
    TStyApplication first(nullptr, name);
    ASSERT_TRUE(first.ListeningForCopies());
    std::unique_ptr<TStyApplication> second;
    if (c.PrevInstance) second = std::make_unique<TStyApplication>(nullptr, name);
    TStyApplication* tested = c.PrevInstance ? second.get() : &first;
    ASSERT_EQ(tested->PrevInstance(), c.PrevInstance);
    TStyApplicationSwap swap(tested);

    // The first copy's main window, minimised so that a request shows.
    TForm* main = Application->CreateForm<TForm>();
    main->SetWindowState(wsMinimized);

    ClearShownDialogs();
    TModalAnswer answer([](TForm* f) { f->SetModalResult(mrOk); });
    auto* form = new TForm(nullptr);
    auto* comp = new TStyOneInstance(form);
    comp->SetMode(c.Mode);
    comp->SetEnabled(c.Enabled);
    int custom = 0;
    if (c.WithHandler)
        comp->OnCustom = [&](TObject* sender) {
            EXPECT_EQ(sender, comp);
            ++custom;
        };
    form->FinishLoading();  // the end of loading: where the component acts

    EXPECT_EQ(custom, c.CustomCalls);
    EXPECT_EQ(Application->Terminated(), c.Terminates);
    if (c.MessageShown) {
        ASSERT_EQ(ShownDialogs().size(), 1u);
        EXPECT_EQ(ShownDialogs()[0].Text, "\"Velmor tests\" was already started...");
    } else {
        EXPECT_TRUE(ShownDialogs().empty());
    }
    // Whether a request went out: one sent now arrives after any earlier
    // one, so when it is in, the count tells.
    if (c.PrevInstance) {
        ASSERT_TRUE(second->ActivatePrevInstance());
        ASSERT_TRUE(PumpMessagesUntil([&] { return first.ActivationRequests() >= (c.Activates ? 2 : 1); }, 20000));
        ProcessMessages();
        EXPECT_EQ(first.ActivationRequests(), c.Activates ? 2 : 1);
        EXPECT_EQ(main->WindowState(), wsNormal);
    } else {
        EXPECT_FALSE(ActivatePrevInstance());  // nothing to bring forward
    }
    delete form;
}

INSTANTIATE_TEST_SUITE_P(Cases, OneInstanceModes, ::testing::ValuesIn(kModes),
                         [](const auto& info) { return String(info.param.Name); });

TEST(OneInstance, OnlyOneInTheProgramAndTheRefusedOneLeavesNoTrace) {
    TForm form(nullptr);
    const int before = TStyOneInstance::InstanceCount();
    auto* first = new TStyOneInstance(&form);
    EXPECT_EQ(TStyOneInstance::InstanceCount(), before + 1);
    const int owned = form.ComponentCount();
    try {
        new TStyOneInstance(&form);
        FAIL() << "a second one was accepted";
    } catch (const StyEOneInstError& e) {
        EXPECT_EQ(e.Message, "TStyOneInstance:\rAlready one TStyOneInstance control in this project!");
    }
    EXPECT_EQ(TStyOneInstance::InstanceCount(), before + 1);
    EXPECT_EQ(form.ComponentCount(), owned);
    delete first;
    EXPECT_EQ(TStyOneInstance::InstanceCount(), before);
    // With the first gone, another may come.
    auto* again = new TStyOneInstance(&form);
    EXPECT_EQ(again->Mode(), oiActivateOnly);
    EXPECT_TRUE(again->Enabled());
}

TEST(OneInstance, OwnerCheckAndItsMessage) {
    EXPECT_EQ(StyEOneInstError("TStyFormShape", 0).Message,
              "TStyFormShape:\rInvalid owner (<>TForm) or second instance on a form");
    TForm form(nullptr);
    new TStyCustomComponent(&form);
    EXPECT_FALSE(CheckOwnerInstance<TStyCustomComponent>(&form, false));
    new TStyCustomComponent(&form);
    EXPECT_TRUE(CheckOwnerInstance<TStyCustomComponent>(&form, false));
    EXPECT_FALSE(CheckOwnerInstance(&form, nullptr, false));

    TComponent container(nullptr);
    new TStyCustomComponent(&container);
    EXPECT_TRUE(CheckOwnerInstance<TStyCustomComponent>(&container, false));
    EXPECT_FALSE(CheckOwnerInstance<TStyCustomComponent>(&container, true));
    EXPECT_TRUE(CheckOwnerInstance<TStyCustomComponent>(nullptr, true));
}

// A one-per-form component checks in its base's initialiser, so a refused
// one is never inserted into the form.
class TOnePerForm : public TStyCustomComponent {
public:
    explicit TOnePerForm(TComponent* owner)
        : TStyCustomComponent(RequireOnePerForm<TOnePerForm>(owner, "TOnePerForm")) {}
};

TEST(OneInstance, OnePerFormRefusesBeforeInsertion) {
    TForm form(nullptr);
    new TOnePerForm(&form);
    new TStyCustomComponent(&form);
    const int owned = form.ComponentCount();
    EXPECT_THROW(new TOnePerForm(&form), StyEOneInstError);
    EXPECT_EQ(form.ComponentCount(), owned);
    TComponent container(nullptr);
    try {
        new TOnePerForm(&container);
        FAIL() << "a container was taken for a form";
    } catch (const StyEOneInstError& e) {
        EXPECT_EQ(e.Message, "TOnePerForm:\rInvalid owner (<>TForm) or second instance on a form");
    }
    EXPECT_EQ(container.ComponentCount(), 0);
    TForm other(nullptr);
    EXPECT_NO_THROW(new TOnePerForm(&other));
}

}  // namespace
