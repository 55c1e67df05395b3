// The network components on a real form, read from a form resource: a node
// that names its topology, and a router that names its template, wherever
// the form places the component named. A name of a component placed later
// is resolved when the form has been built (Loaded).
#include <ostream>
#include <string>
#include <vector>

#include "NetworkTestSupport.h"
#include "OrbCtrl/ZLNetViaVtx232.h"
#include "vcl/ComponentRegistry.h"
#include "vcl/Form.h"

using namespace OrbCtrl;

namespace {

// Node Vtx4i4o2 at 80:05 belongs to the second of two gateways, and each
// gateway has a template of its own.
const char* const Node = "TVtx4i4o Vtx4i4o2 { ZlnSegId = $80; ZlnNodeId = 5; BindTo = ZLNetViaVtx2322; "
                         "OnInputChanged = NodeInputChanged }";
const char* const Gateway1 = "TZLNetViaVtx232 ZLNetViaVtx2321 { UartPortNumber = 3; DefHandler_Vtx4i4o = Vtx4i4o1 }";
const char* const Gateway2 = "TZLNetViaVtx232 ZLNetViaVtx2322 { UartPortNumber = 4; DefHandler_Vtx4i4o = Vtx4i4o3 }";
const char* const Template1 = "TVtx4i4o Vtx4i4o1 { }";
const char* const Template3 = "TVtx4i4o Vtx4i4o3 { }";

std::string FormResource(const std::vector<const char*>& Components)
{
    std::string Text = "TNetForm Form1 {\n";
    for (const char* Component : Components)
        Text += std::string("    ") + Component + "\n";
    return Text + "}\n";
}

class TNetForm : public TForm {
public:
    TNetForm(TComponent* AOwner, const std::string& Resource) : TForm(AOwner, Resource)
    {
        BindMethod("NodeInputChanged", &TNetForm::NodeInputChanged);
    }
    void NodeInputChanged(TObject* Sender, const unsigned char SegId, const unsigned char NodeId)
    {
        auto* Component = dynamic_cast<TComponent*>(Sender);
        Calls.push_back(Format("%s %02X %02X", Component ? Component->Name().c_str() : "?", SegId, NodeId));
    }
    std::vector<std::string> Calls;
};

struct TPlacement {
    const char* Name;
    std::vector<const char*> Components;
};

void PrintTo(const TPlacement& Placement, std::ostream* Out)
{
    *Out << Placement.Name;
}

class NetFormTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        RegisterComponentClass<TVtx4i4o>("TVtx4i4o");
        RegisterComponentClass<TZLNetViaVtx232>("TZLNetViaVtx232");
    }
    // Boxes would stop an offscreen run.
    TScopedMessageBoxHook Boxes{[](const TMessageBoxRequest& Box) -> int {
        ADD_FAILURE() << "box: " << Box.Text;
        return IDOK;
    }};
};

class FormPlacement : public NetFormTest, public ::testing::WithParamInterface<TPlacement> {};

TEST_P(FormPlacement, TheNodeAndTheRoutersEndBoundToTheComponentsTheyName)
{
    auto Form = NewForm<TNetForm>(FormResource(GetParam().Components));
    auto* NodeOnForm = Form->FindComponentAs<TVtx4i4o>("Vtx4i4o2");
    auto* First = Form->FindComponentAs<TZLNetViaVtx232>("ZLNetViaVtx2321");
    auto* Second = Form->FindComponentAs<TZLNetViaVtx232>("ZLNetViaVtx2322");
    ASSERT_TRUE(NodeOnForm && First && Second);

    EXPECT_EQ(NodeOnForm->BindTo(), Second);
    EXPECT_EQ(NodeOnForm->AssignedProps(), static_cast<std::uint32_t>(zap_All));
    EXPECT_EQ(Second->TopologicZlnComponent(0x80, 0x05), NodeOnForm) << "registered in Loaded";
    EXPECT_EQ(First->TopologicZlnComponent(0x80, 0x05), nullptr);
    EXPECT_EQ(First->DefHandler_Vtx4i4o(), Form->FindComponentAs<TVtx4i4o>("Vtx4i4o1"));
    EXPECT_EQ(Second->DefHandler_Vtx4i4o(), Form->FindComponentAs<TVtx4i4o>("Vtx4i4o3"));
    EXPECT_EQ(First->UartPortNumber(), 3);
    EXPECT_EQ(Second->UartPortNumber(), 4);

    // A packet for 80:05 reaches the node through the router it is bound to.
    const TZlnRxdPacket Inputs = network_test::Rxd(0x80, 0x05, {0x81, 0x03});
    Second->FilteringReceivedZlnPacket(Inputs);
    First->FilteringReceivedZlnPacket(Inputs);
    EXPECT_EQ(Form->Calls, std::vector<std::string>{"Vtx4i4o2 80 05"});
    EXPECT_EQ(NodeOnForm->Xin(), 0x03);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, FormPlacement,
    ::testing::Values(
        TPlacement{"EachNamedComponentComesLater", {Node, Gateway1, Gateway2, Template1, Template3}},
        TPlacement{"EachNamedComponentComesFirst", {Template1, Template3, Gateway1, Gateway2, Node}},
        TPlacement{"TheNodeBetweenTheGateways", {Gateway1, Node, Gateway2, Template3, Template1}},
        TPlacement{"OneTemplateBeforeItsGatewayOneAfter", {Template3, Gateway2, Node, Gateway1, Template1}}),
    [](const ::testing::TestParamInfo<TPlacement>& Info) { return std::string(Info.param.Name); });

struct TBadReference {
    const char* Name;
    std::vector<const char*> Components;
    const char* Message;
};

void PrintTo(const TBadReference& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

class FormPlacementErrors : public NetFormTest, public ::testing::WithParamInterface<TBadReference> {};

// Once the form is built, a name that names nothing, or a component of
// another class, stops the reading.
TEST_P(FormPlacementErrors, StopTheReading)
{
    const TBadReference& Case = GetParam();
    try {
        auto Form = NewForm<TNetForm>(FormResource(Case.Components));
        FAIL() << "accepted";
    } catch (const EReadError& E) {
        EXPECT_EQ(E.Message, Case.Message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Resources, FormPlacementErrors,
    ::testing::Values(
        TBadReference{"BindToNamingNothing",
                      {"TVtx4i4o Vtx4i4o2 { ZlnSegId = 1; ZlnNodeId = 2; BindTo = ZLNetViaVtx2329 }", Gateway1,
                       Template1},
                      "Invalid property value 'ZLNetViaVtx2329'"},
        TBadReference{"BindToNamingALaterNode",
                      {"TVtx4i4o Vtx4i4o2 { ZlnSegId = 1; ZlnNodeId = 2; BindTo = Vtx4i4o1 }", Gateway1, Template1},
                      "Invalid property value 'Vtx4i4o1'"},
        TBadReference{"ATemplateNamingALaterGateway",
                      {"TZLNetViaVtx232 ZLNetViaVtx2321 { DefHandler_Vtx4i4o = ZLNetViaVtx2322 }", Gateway2,
                       Template3},
                      "Invalid property value 'ZLNetViaVtx2322'"}),
    [](const ::testing::TestParamInfo<TBadReference>& Info) { return std::string(Info.param.Name); });

} // namespace
