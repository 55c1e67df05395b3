// The network components placed on a form: their published properties in
// type-information order, references by name, events by method name, and
// the registration that Loaded makes.
#include "NetworkTestSupport.h"
#include "OrbCtrl/ZLNetViaVtx232.h"
#include "rtl/StoredProperties.h"

using namespace network_test;
using YVclUtil::EYGeneral;

namespace {

std::vector<std::string> PublishedNames(TComponent& Component)
{
    TPropertyList List;
    Component.DefineProperties(List);
    std::vector<std::string> Names;
    for (const auto& Entry : List.Entries())
        Names.push_back(Entry.first);
    return Names;
}

const std::vector<std::string> NodeProperties = {
    "Name", "ZlnSegId", "ZlnNodeId", "BindTo", "OnPacketUnreachable", "OnSuccessfulReset",
    "OnGotZlnProtocolVersion", "OnGotZlnClsId", "OnGotZlnCustomerId", "OnUnfilteredRxdZlnPacket",
};

TEST(NetworkPublished, PropertiesInTypeInformationOrder)
{
    TVtx4i4o Node(nullptr);
    std::vector<std::string> Vtx4i4o = NodeProperties;
    Vtx4i4o.push_back("OnInputChanged");
    EXPECT_EQ(PublishedNames(Node), Vtx4i4o);

    TBoxRecorder Boxes;
    OrbCtrl::TZLNetViaVtx232 Gateway(nullptr);
    EXPECT_EQ(PublishedNames(Gateway),
              (std::vector<std::string>{"Name", "FileName", "ZlnSegId", "ZlnNodeId", "DefHandler_Vtx4i4o",
                                        "OnUnhandledPacketUnreachable", "OnUnhandledSuccessfulReset",
                                        "OnUnhandledGotZlnProtocolVersion", "OnUnhandledGotZlnClsId",
                                        "OnUnhandledGotZlnCustomerId", "OnUnhandledRxdZlnPacket", "UartPortNumber",
                                        "OnConnectOK", "OnConnectFail", "OnUartTxdFail", "OnReplyYout",
                                        "OnReplyXin", "OnReplyZlnFlags", "OnResetRnsm_OK", "OnResetRnsm_WDT"}));
    EXPECT_TRUE(Boxes.Boxes.empty()) << "the gateway's own port takes its settings without a complaint";
}

// A form of components built as the form loader builds it: each created and
// its stored values applied in the order given, then Loaded for each.
struct TStoredComponent {
    TComponent* Component;
    std::vector<TStoredProperty> Stored;
};

void BuildForm(const std::vector<TStoredComponent>& Components, const TMethodTable& Methods)
{
    for (const TStoredComponent& Each : Components)
        ReadStoredProperties(*Each.Component, Each.Stored, &Methods);
    for (const TStoredComponent& Each : Components)
        Each.Component->Loaded();
}

struct StoredNetworkTest : ::testing::Test {
    TBoxRecorder Boxes;
    TEventLog Log;
    TMethodTable Methods;
    TComponent Form{nullptr};

    StoredNetworkTest()
    {
        Methods.Add<TZlnAddressEvent>("Form1NodeInputChanged", Log.Address("Form1NodeInputChanged"));
        Methods.Add<TZlnAddressEvent>("Form1UnhandledClsId", Log.Address("Form1UnhandledClsId"));
        Methods.Add<TNotifyEvent>("Form1ConnectOK", Log.Notify("Form1ConnectOK"));
    }
    template <class T>
    T* Place(const char* Name)
    {
        auto* Component = new T(&Form);
        Component->SetName(Name);
        return Component;
    }
};

TEST_F(StoredNetworkTest, AGatewayWithItsTemplateAndANode)
{
    // The node and the gateway name components whose properties are read
    // after theirs (all of them exist already; a form that creates them
    // later is in the form placement tests).
    auto* Node = Place<TVtx4i4o>("Vtx4i4o2");
    auto* Gateway = Place<OrbCtrl::TZLNetViaVtx232>("ZLNetViaVtx2321");
    auto* Template = Place<TVtx4i4o>("Vtx4i4o1");
    BuildForm({{Node,
                {{"OnInputChanged", {"Form1NodeInputChanged"}},
                 {"BindTo", {"ZLNetViaVtx2321"}},
                 {"ZlnNodeId", {"5"}},
                 {"ZlnSegId", {"$80"}}}},
               {Gateway,
                {{"FileName", {"/tmp/net.ini"}},
                 {"UartPortNumber", {"3"}},
                 {"DefHandler_Vtx4i4o", {"Vtx4i4o1"}},
                 {"OnUnhandledGotZlnClsId", {"Form1UnhandledClsId"}},
                 {"OnConnectOK", {"Form1ConnectOK"}}}},
               {Template, {{"OnInputChanged", {"Form1NodeInputChanged"}}}}},
              Methods);

    EXPECT_EQ(Node->BindTo(), Gateway);
    EXPECT_EQ(Node->AssignedProps(), static_cast<std::uint32_t>(zap_All));
    EXPECT_EQ(Gateway->Vtx4i4o(0x80, 0x05), Node);
    EXPECT_EQ(Gateway->TopologicClsId(0x80, 0x05), zci_Vtx4i4o);
    EXPECT_EQ(Gateway->FileName(), "/tmp/net.ini");
    EXPECT_EQ(Gateway->UartPortNumber(), 3);
    EXPECT_EQ(Gateway->DefHandler_Vtx4i4o(), Template);
    EXPECT_EQ(Template->BindTo(), nullptr);
    EXPECT_EQ(Template->AssignedProps(), 0u) << "the template is read without an address and stays unregistered";

    Gateway->FilteringReceivedZlnPacket(Rxd(0x80, 0x05, {0x81, 1}));
    Gateway->FilteringReceivedZlnPacket(Rxd(0x80, 0x06, {20, 1}));
    Gateway->OnConnectOK(Gateway);
    EXPECT_EQ(Log.Lines, (std::vector<std::string>{"Form1NodeInputChanged 80 05", "Form1UnhandledClsId 80 80",
                                                   "Form1ConnectOK"}));
}

TEST_F(StoredNetworkTest, ANodeRegistersOnceInLoadedAndOnlyWithAllThreeProperties)
{
    auto* Router = Place<TRecordingRouter>("Rnsm1");
    auto* Bound = Place<TVtx4i4o>("Vtx4i4o1");
    auto* Unbound = Place<TVtx4i4o>("Vtx4i4o2");
    ReadStoredProperties(*Bound, {{"ZlnSegId", {"1"}}, {"ZlnNodeId", {"2"}}, {"BindTo", {"Rnsm1"}}});
    ReadStoredProperties(*Unbound, {{"ZlnSegId", {"1"}}, {"ZlnNodeId", {"3"}}});
    EXPECT_EQ(Router->TopologicZlnComponent(0x01, 0x02), nullptr) << "not before Loaded";
    Bound->Loaded();
    Unbound->Loaded();
    EXPECT_EQ(Router->TopologicZlnComponent(0x01, 0x02), Bound);
    EXPECT_EQ(Router->FlagsAt(0x01, 0x02), static_cast<std::uint32_t>(zrk_Loaded));
    EXPECT_EQ(Router->TopologicZlnComponent(0x01, 0x03), nullptr);
    EXPECT_FALSE(Bound->ComponentState().Contains(csLoading));
}

struct TBadStoredCase {
    const char* Name;
    std::vector<TStoredProperty> Stored;
    const char* Message;
};

TEST_F(StoredNetworkTest, BadStoredValuesEndTheReading)
{
    Place<OrbCtrl::TZLNetViaVtx232>("ZLNetViaVtx2321");
    Place<TVtx4i4o>("Vtx4i4o9");
    const TBadStoredCase Cases[] = {
        {"segment id 0x81", {{"ZlnSegId", {"129"}}}, "Invalid value, the range must be 0x00~0x80 !!!"},
        {"node id 0x80", {{"ZlnNodeId", {"$80"}}}, "Invalid value, the range must be 0x00~0x7F !!!"},
        {"a node id beyond a byte", {{"ZlnNodeId", {"261"}}}, "Invalid property value '261'"},
        {"a negative segment id", {{"ZlnSegId", {"-1"}}}, "Invalid property value '-1'"},
        {"BindTo naming nothing", {{"BindTo", {"ZLNetViaVtx2322"}}}, "Invalid property value 'ZLNetViaVtx2322'"},
        {"BindTo naming a node", {{"BindTo", {"Vtx4i4o9"}}}, "Invalid property value 'Vtx4i4o9'"},
    };
    for (const TBadStoredCase& Case : Cases) {
        TVtx4i4o Node(&Form);
        const std::string Message = MessageOf<Exception>([&] { LoadStoredProperties(Node, Case.Stored, &Methods); });
        EXPECT_EQ(Message, Case.Message) << Case.Name;
        EXPECT_EQ(Node.ZlnSegId(), 0x80) << Case.Name;
        EXPECT_EQ(Node.ZlnNodeId(), 0x00) << Case.Name;
    }
}

TEST_F(StoredNetworkTest, AnEmptyBindToLeavesTheNodeUnregistered)
{
    auto* Gateway = Place<OrbCtrl::TZLNetViaVtx232>("ZLNetViaVtx2321");
    auto* Node = Place<TVtx4i4o>("Vtx4i4o1");
    LoadStoredProperties(*Node, {{"ZlnSegId", {"1"}}, {"ZlnNodeId", {"2"}}, {"BindTo", {""}}});
    EXPECT_EQ(Node->AssignedProps(), static_cast<std::uint32_t>(zap_All));
    EXPECT_EQ(Node->BindTo(), nullptr);
    EXPECT_EQ(Gateway->TopologicZlnComponent(0x01, 0x02), nullptr);
}

TEST_F(StoredNetworkTest, TheRoutersAddressIsNotTakenFromAForm)
{
    auto* Gateway = Place<OrbCtrl::TZLNetViaVtx232>("ZLNetViaVtx2321");
    LoadStoredProperties(*Gateway, {{"ZlnSegId", {"5"}}, {"ZlnNodeId", {"5"}}});
    EXPECT_EQ(Gateway->ZlnSegId(), 0x80);
    EXPECT_EQ(Gateway->ZlnNodeId(), 0x80);
}

} // namespace
