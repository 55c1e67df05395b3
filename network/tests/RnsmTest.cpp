// The router: routing of received packets, its own events, the default
// nodes and the lookup of four-in four-out nodes.
#include "NetworkTestSupport.h"

using namespace network_test;
using YVclUtil::EYGeneral;

namespace {

const std::string NotBelong = "\nThe address of node is not belong to the topologic of ZLNet !!!\n";
const std::string NotVtx4i4o = "\nThe address of node is not a TVtx4i4o component !!!\n";

// A node of class id 128 that is not a four-in four-out node.
class TOtherNode : public TZLNet_Node {
public:
    using TZLNet_Node::TZLNet_Node;

protected:
    void BeforeRunRequestToReset() override {}
};

struct RnsmTest : ::testing::Test {
    TEventLog Log;
    TRecordingRouter Router{nullptr};
    TLoggedVtx4i4o Node{nullptr, 0x01, 0x02, &Router, Log};
    TVtx4i4o Plain{nullptr, zci_ZLNet, 0x01, 0x04, &Router};

    RnsmTest()
    {
        Log.AssignAddressEvents("router ", &Router, Router.OnUnhandledPacketUnreachable,
                                Router.OnUnhandledSuccessfulReset, Router.OnUnhandledGotZlnProtocolVersion,
                                Router.OnUnhandledGotZlnClsId, Router.OnUnhandledGotZlnCustomerId);
        Router.OnUnhandledRxdZlnPacket = Log.Packet("router OnRxdZlnPacket");
        Node.OnInputChanged = Log.Address("node OnInputChanged", &Node);
        Node.OnGotZlnClsId = Log.Address("node OnGotZlnClsId", &Node);
    }
};

TEST_F(RnsmTest, TheRoutersOwnAddressIsFixed)
{
    EXPECT_EQ(Router.ZlnClsId(), zci_Rnsm);
    EXPECT_EQ(Router.ZlnSegId(), 0x80);
    EXPECT_EQ(Router.ZlnNodeId(), 0x80);
    EXPECT_FALSE(Router.Connected());
    EXPECT_EQ(Router.DefHandler_Vtx4i4o(), nullptr);
    Router.pw_ZlnSegId(5);
    Router.pw_ZlnNodeId(5);
    EXPECT_EQ(Router.ZlnSegId(), 0x80);
    EXPECT_EQ(Router.ZlnNodeId(), 0x80);
}

struct TRouteCase {
    const char* Name;
    unsigned char SegId;
    unsigned char NodeId;
    std::initializer_list<unsigned char> Datas;
    std::vector<std::string> Log;
};

TEST_F(RnsmTest, PacketsGoToTheRegisteredNodeOrToTheRoutersEvents)
{
    const TRouteCase Cases[] = {
        {"inputs of a registered node", 0x01, 0x02, {0x81, 0x03}, {"node OnInputChanged 01 02"}},
        {"class id of a registered node", 0x01, 0x02, {20, 0x80}, {"hook GotZlnClsId", "node OnGotZlnClsId 01 02"}},
        {"segment 0x81", 0x81, 0x00, {20, 1}, {}},
        {"node 0x80", 0x01, 0x80, {20, 1}, {}},
        {"the router's own address", 0x80, 0x80, {20, 1}, {}},
        {"segment without a block", 0x02, 0x03, {20, 1}, {"router OnGotZlnClsId 80 80"}},
        {"free entry", 0x01, 0x09, {21, 1}, {"router OnGotZlnCustomerId 80 80"}},
        {"entry of class id 0", 0x01, 0x04, {19, 1}, {"router OnGotZlnProtocolVersion 80 80"}},
        {"reset notice", 0x02, 0x03, {31}, {"router OnSuccessfulReset 80 80"}},
        {"unreachable", 0x02, 0x03, {33, 1, 2, 3}, {"router OnPacketUnreachable 80 80"}},
        {"inputs without a node", 0x02, 0x03, {0x81, 1}, {"router OnRxdZlnPacket 02 03 cmd 129"}},
    };
    for (const TRouteCase& Case : Cases) {
        Log.Lines.clear();
        Router.FilteringReceivedZlnPacket(Rxd(Case.SegId, Case.NodeId, Case.Datas));
        EXPECT_EQ(Log.Lines, Case.Log) << Case.Name;
    }
    EXPECT_FALSE(Router.HasBlock(0x02)) << "routing allocates nothing";
}

TEST_F(RnsmTest, UnhandledRepliesAreStoredInTheRouter)
{
    Router.FilteringReceivedZlnPacket(Rxd(0x02, 0x03, {20, 0x42}));
    Router.FilteringReceivedZlnPacket(Rxd(0x02, 0x03, {33, 7, 8, 9}));
    EXPECT_EQ(Router.ReportedZlnClsId(), 0x42);
    EXPECT_EQ(Router.UnreachableDatas(), (std::array<std::uint8_t, 3>{7, 8, 9}));
    EXPECT_EQ(Node.ReportedZlnClsId(), 0);
}

TEST_F(RnsmTest, LookingUpFourInFourOutNodes)
{
    TOtherNode Other(nullptr, zci_Vtx4i4o, 0x01, 0x05, &Router);
    EXPECT_EQ(Router.Vtx4i4o(0x01, 0x02), &Node);
    EXPECT_EQ(MessageOf<EYGeneral>([&] { Router.Vtx4i4o(0x01, 0x09); }), NotVtx4i4o) << "a free entry";
    EXPECT_EQ(MessageOf<EYGeneral>([&] { Router.Vtx4i4o(0x01, 0x04); }), NotVtx4i4o) << "class id 0";
    EXPECT_EQ(MessageOf<EYGeneral>([&] { Router.Vtx4i4o(0x01, 0x05); }), NotVtx4i4o) << "class id 128, other class";
    EXPECT_EQ(MessageOf<EYGeneral>([&] { Router.Vtx4i4o(0x02, 0x00); }), NotBelong) << "a segment without a block";
    EXPECT_EQ(MessageOf<EYGeneral>([&] { Router.Vtx4i4o(0x81, 0x00); }), NotBelong);
    EXPECT_EQ(MessageOf<EYGeneral>([&] { Router.Vtx4i4o(0x01, 0x80); }), NotBelong);
}

TEST(RnsmDefaults, NothingIsMadeForAnotherClassOrWithoutATemplate)
{
    TRecordingRouter Router(nullptr);
    EXPECT_EQ(Router.CreateDefaultZlnComponentAndAddToZlnTopologic(zci_Vtx4i4o, 0x80, 0x01, &Router), nullptr);
    TVtx4i4o Template(nullptr);
    EXPECT_EQ(Router.pw_DefHandler_Vtx4i4o(&Template), &Template);
    EXPECT_EQ(Router.CreateDefaultZlnComponentAndAddToZlnTopologic(zci_Rnsm, 0x80, 0x01, &Router), nullptr);
    EXPECT_EQ(Router.ComponentCount(), 0);
    EXPECT_FALSE(Router.HasBlock(0x80));
}

TEST(RnsmDefaults, ADefaultNodeIsACopyOfTheTemplateAtItsOwnAddress)
{
    TEventLog Log;
    TRecordingRouter Router(nullptr);
    TVtx4i4o Template(nullptr);
    Template.OnInputChanged = [&](TObject* Sender, unsigned char SegId, unsigned char NodeId) {
        EXPECT_EQ(Sender, Router.Vtx4i4o(0x03, 0x04));
        Log.Add(Format("OnInputChanged %02X %02X", SegId, NodeId));
    };
    Template.pw_Yout(0x02);
    Router.pw_DefHandler_Vtx4i4o(&Template);

    TZLNet* Made = Router.CreateDefaultZlnComponentAndAddToZlnTopologic(zci_Vtx4i4o, 0x03, 0x04, &Router);
    ASSERT_NE(Made, nullptr);
    EXPECT_EQ(Made->Owner(), &Router);
    EXPECT_EQ(Router.TopologicZlnComponent(0x03, 0x04), Made);
    EXPECT_EQ(Router.FlagsAt(0x03, 0x04), static_cast<std::uint32_t>(zrk_Constructed))
        << "the loader, not the creation, makes it the table's own";
    EXPECT_EQ(Router.Vtx4i4o(0x03, 0x04)->Yout(), 0x02);
    Router.FilteringReceivedZlnPacket(Rxd(0x03, 0x04, {0x81, 0x01}));
    EXPECT_EQ(Log.Lines, std::vector<std::string>{"OnInputChanged 03 04"});

    EXPECT_EQ(MessageOf<EYGeneral>(
                  [&] { Router.CreateDefaultZlnComponentAndAddToZlnTopologic(zci_Vtx4i4o, 0x03, 0x04, &Router); }),
              "\nErr: Duplicated ZLNet Address !!!\nZlnSegId  = 0x03\nZlnNodeId = 0x04\n");
    EXPECT_EQ(Router.ComponentCount(), 1) << "the refused copy is gone again";
}

TEST(RnsmDefaults, ADestroyedTemplateIsForgotten)
{
    TRecordingRouter Router(nullptr);
    {
        TVtx4i4o Template(nullptr);
        Router.pw_DefHandler_Vtx4i4o(&Template);
    }
    EXPECT_EQ(Router.DefHandler_Vtx4i4o(), nullptr);
    EXPECT_EQ(Router.CreateDefaultZlnComponentAndAddToZlnTopologic(zci_Vtx4i4o, 0x80, 0x01, &Router), nullptr);
}

TEST(RnsmDefaults, TheRouterOutlivedByItsTemplate)
{
    TVtx4i4o Template(nullptr);
    {
        TRecordingRouter Router(nullptr);
        Router.pw_DefHandler_Vtx4i4o(&Template);
        Template.pw_BindTo(&Router);
    }
    EXPECT_EQ(Template.BindTo(), nullptr);
}

} // namespace
