#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rtl/StoredProperties.h"

namespace {

enum TStyle { st_None, st_Hardware };
enum TLine { ln_None, ln_CTS, ln_DSR };

// A component whose writers depend on each other, like a port's flow control.
class TSample : public TComponent {
public:
    using TComponent::TComponent;
    void pw_Style(TStyle V)
    {
        Log.push_back("Style");
        Style = V;
        if (V == st_Hardware)
            pw_Line(ln_CTS);
    }
    void pw_Line(TLine V)
    {
        Log.push_back("Line");
        Line = Style == st_Hardware ? V : ln_None;
    }
    void DefineProperties(TPropertyList& List) override
    {
        TComponent::DefineProperties(List);
        List.Add("Style", [this](const TStoredValue& V) { pw_Style(V.AsEnumOf<TStyle>({"st_None", "st_Hardware"})); });
        List.Add("Line", [this](const TStoredValue& V) { pw_Line(V.AsEnumOf<TLine>({"ln_None", "ln_CTS", "ln_DSR"})); });
        List.Add("Delimiter", [this](const TStoredValue& V) { Delimiter = V.AsChar(); });
        List.Add("Count", [this](const TStoredValue& V) { Count = V.AsUnsigned(); });
        List.AddEvent<TNotifyEvent>("OnChange", [this](TNotifyEvent E) { OnChange = std::move(E); });
    }
    void Loaded() override
    {
        TComponent::Loaded();
        Log.push_back("Loaded");
    }

    TStyle Style = st_None;
    TLine Line = ln_None;
    char Delimiter = '\n';
    unsigned Count = 1;
    TNotifyEvent OnChange;
    std::vector<std::string> Log;
};

} // namespace

TEST(StoredProperties, AppliedInTypeInformationOrderThroughTheWriters)
{
    TSample C(nullptr);
    // Stored out of order: Line before Style. Applied in published order,
    // Style first, so the stored DSR survives the style's own CTS default.
    LoadStoredProperties(C, {{"Line", {"ln_DSR"}}, {"Style", {"st_Hardware"}}, {"Name", {"PcUart1"}}});
    EXPECT_EQ(C.Name(), "PcUart1");
    EXPECT_EQ(C.Line, ln_DSR);
    EXPECT_EQ(C.Log, (std::vector<std::string>{"Style", "Line", "Line", "Loaded"}));
    EXPECT_FALSE(C.ComponentState().Contains(csLoading));
}

TEST(StoredProperties, AnOmittedPropertyKeepsWhatTheWritersGaveIt)
{
    TSample C(nullptr);
    LoadStoredProperties(C, {{"Style", {"st_Hardware"}}});
    EXPECT_EQ(C.Line, ln_CTS);
    EXPECT_EQ(C.Delimiter, '\n');
    EXPECT_EQ(C.Count, 1u);
}

TEST(StoredProperties, ValueKinds)
{
    TSample C(nullptr);
    LoadStoredProperties(C, {{"Delimiter", {"#13"}}, {"Count", {"$20"}}});
    EXPECT_EQ(C.Delimiter, '\r');
    EXPECT_EQ(C.Count, 32u);
    LoadStoredProperties(C, {{"Delimiter", {"Z"}}, {"Count", {"14400"}}});
    EXPECT_EQ(C.Delimiter, 'Z');
    EXPECT_EQ(C.Count, 14400u);
}

TEST(StoredProperties, BadStoredValuesRaiseReadError)
{
    struct Case {
        const char* Name;
        const char* Text;
    } Cases[] = {
        {"Style", "fcs_Hardware"}, {"Count", "-1"}, {"Count", "12a"}, {"Count", ""},
        {"Delimiter", "#256"}, {"Delimiter", "ab"}, {"Missing", "1"}, {"OnChange", "NoSuchMethod"},
    };
    TMethodTable Methods;
    for (const Case& K : Cases) {
        TSample C(nullptr);
        EXPECT_THROW(LoadStoredProperties(C, {{K.Name, {K.Text}}}, &Methods), EReadError) << K.Name << "=" << K.Text;
        EXPECT_FALSE(C.ComponentState().Contains(csLoading)) << K.Name << "=" << K.Text;
    }
}

TEST(StoredProperties, EventsBindToMethodsByName)
{
    TSample C(nullptr);
    int Calls = 0;
    TMethodTable Methods;
    Methods.Add("Sample1Change", TNotifyEvent([&](TObject*) { ++Calls; }));
    Methods.Add("WrongType", std::function<void(int)>([](int) {}));
    LoadStoredProperties(C, {{"OnChange", {"Sample1Change"}}}, &Methods);
    ASSERT_TRUE(C.OnChange);
    C.OnChange(&C);
    EXPECT_EQ(Calls, 1);
    EXPECT_THROW(LoadStoredProperties(C, {{"OnChange", {"WrongType"}}}, &Methods), EReadError);
}
