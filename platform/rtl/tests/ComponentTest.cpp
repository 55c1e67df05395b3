#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rtl/Classes.h"

namespace {

// Records the order in which components are destroyed.
class TRecorded : public TComponent {
public:
    TRecorded(TComponent* Owner, std::vector<std::string>& Log, const char* N) : TComponent(Owner), FLog(Log)
    {
        SetName(N);
    }
    ~TRecorded() override { FLog.push_back(Name()); }

private:
    std::vector<std::string>& FLog;
};

} // namespace

TEST(Component, OwnerDestroysOwnedComponentsLastFirst)
{
    std::vector<std::string> Log;
    {
        TRecorded Form(nullptr, Log, "Form1");
        auto* Panel = new TRecorded(&Form, Log, "Panel1");
        new TRecorded(Panel, Log, "Button1");
        new TRecorded(&Form, Log, "Timer1");
        EXPECT_EQ(Form.ComponentCount(), 2);
        EXPECT_EQ(Form.FindComponent("Timer1"), Form.Components(1));
        EXPECT_EQ(Form.FindComponent("Button1"), nullptr) << "only directly owned components are found";
        EXPECT_EQ(Form.FindComponent(""), nullptr);
    }
    // Each destructor body runs before the base destroys what it owns.
    EXPECT_EQ(Log, (std::vector<std::string>{"Form1", "Timer1", "Panel1", "Button1"}));
}

TEST(Component, DeletingAnOwnedComponentRemovesItFromItsOwner)
{
    std::vector<std::string> Log;
    TRecorded Form(nullptr, Log, "Form1");
    auto* Timer = new TRecorded(&Form, Log, "Timer1");
    delete Timer;
    EXPECT_EQ(Form.ComponentCount(), 0);
    EXPECT_EQ(Form.Components(0), nullptr);
}

TEST(Component, StateFlagsAndLoaded)
{
    TComponent C(nullptr);
    EXPECT_FALSE(C.ComponentState().Contains(csLoading));
    C.IncludeState(csLoading);
    C.IncludeState(csDesigning);
    EXPECT_TRUE(C.ComponentState().Contains(csLoading));
    C.Loaded();
    EXPECT_FALSE(C.ComponentState().Contains(csLoading));
    EXPECT_TRUE(C.ComponentState().Contains(csDesigning));
}
