// The change protocol shared by TStyObject and the styled components: what
// a sequence of calls reports through OnChange.
#include <gtest/gtest.h>

#include <vector>

#include "styled/base/StyComponent.h"
#include "styled/base/StyObject.h"

namespace {

enum TOp { opChange, opGetChange, opBegin, opEndQuiet, opEndReport };

struct TProtocolCase {
    const char* Name;
    std::vector<TOp> Ops;
    int Reports;
    bool UpdatingAfter;
};

const TProtocolCase kCases[] = {
    {"ChangeReports", {opChange}, 1, false},
    {"GetChangeReports", {opGetChange}, 1, false},
    {"ChangeWhileUpdatingIsQuiet", {opBegin, opChange, opGetChange}, 0, true},
    {"EndUpdateFalseReportsNothing", {opBegin, opChange, opEndQuiet}, 0, false},
    {"EndUpdateTrueReportsOnce", {opBegin, opChange, opChange, opEndReport}, 1, false},
    // Not counted: one EndUpdate ends two BeginUpdates.
    {"UpdatesDoNotNest", {opBegin, opBegin, opEndQuiet, opChange}, 1, false},
    {"ChangesAfterEndReportAgain", {opBegin, opEndReport, opChange, opChange}, 3, false},
};

template <class T>
void RunCase(T& obj, const TProtocolCase& c) {
    int reports = 0;
    TObject* sender = nullptr;
    obj.OnChange = [&](TObject* s) {
        ++reports;
        sender = s;
    };
    for (TOp op : c.Ops) {
        switch (op) {
        case opChange: obj.Change(); break;
        case opGetChange: obj.GetChange(nullptr); break;
        case opBegin: obj.BeginUpdate(); break;
        case opEndQuiet: obj.EndUpdate(false); break;
        case opEndReport: obj.EndUpdate(true); break;
        }
    }
    EXPECT_EQ(reports, c.Reports);
    EXPECT_EQ(obj.Updating(), c.UpdatingAfter);
    if (reports) {
        EXPECT_EQ(sender, static_cast<TObject*>(&obj));
    }
}

class ChangeProtocol : public ::testing::TestWithParam<TProtocolCase> {};

TEST_P(ChangeProtocol, StyObject) {
    TStyObject obj;
    RunCase(obj, GetParam());
}

TEST_P(ChangeProtocol, StyComponent) {
    TStyComponent comp(nullptr);
    RunCase(comp, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Cases, ChangeProtocol, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return String(info.param.Name); });

TEST(ChangeProtocolTest, NoHandlerIsHarmless) {
    TStyObject obj;
    obj.Change();
    obj.BeginUpdate();
    obj.EndUpdate(true);
    EXPECT_FALSE(obj.Updating());
}

// Owners hand their sub-objects' OnChange to their own GetChange; a
// descendant's override is what runs.
TEST(ChangeProtocolTest, OwnerRelaysThroughOverriddenGetChange) {
    struct TOwner : TStyComponent {
        using TStyComponent::TStyComponent;
        int Repaints = 0;
        void GetChange(TObject* Sender) override {
            ++Repaints;
            TStyComponent::GetChange(Sender);
        }
    } owner(nullptr);
    int ownerReports = 0;
    owner.OnChange = [&](TObject*) { ++ownerReports; };
    TStyObject sub;
    sub.OnChange = [&](TObject* s) { owner.GetChange(s); };
    sub.Change();
    EXPECT_EQ(owner.Repaints, 1);
    EXPECT_EQ(ownerReports, 1);
}

TEST(ChangeProtocolTest, AboutKeepsTenCharacters) {
    TStyComponent comp(nullptr);
    comp.SetAbout("Velmor styled");
    EXPECT_EQ(comp.About(), "Velmor sty");
}

}  // namespace
