// The node base: received packets turned into events, the id writers, the
// requests, registration, copy construction and lifetimes.
#include <array>

#include "NetworkTestSupport.h"

using namespace network_test;
using YVclUtil::EYGeneral;

namespace {

struct NodeTest : ::testing::Test {
    TEventLog Log;
    TRecordingRouter Router{nullptr};
    TLoggedVtx4i4o Node{nullptr, 0x80, 0x05, &Router, Log};

};

struct TFilterCase {
    const char* Name;
    std::initializer_list<unsigned char> Datas;
    bool SpecificHandlers;
    std::vector<std::string> Log;
    // ZlnProtocolVersion, ReportedZlnClsId, ZlnCustomerId, UnreachableDatas.
    std::array<int, 6> Stored;
};

// The packets come from address 01 02, the node is at 80 05: the address
// form of the events carries the node's own address, the packet form the
// packet's.
const TFilterCase FilterCases[] = {
    {"version, handled", {19, 7}, true,
     {"hook GotZlnProtocolVersion", "OnGotZlnProtocolVersion 80 05"}, {7, 0, 0, 0, 0, 0}},
    {"version, no handler", {19, 7}, false,
     {"hook GotZlnProtocolVersion", "hook UnfilteredRxdZlnPacket", "OnUnfilteredRxdZlnPacket 01 02 cmd 19"},
     {7, 0, 0, 0, 0, 0}},
    {"class id, handled", {20, 0x80}, true, {"hook GotZlnClsId", "OnGotZlnClsId 80 05"}, {0, 0x80, 0, 0, 0, 0}},
    {"class id, no handler", {20, 0x80}, false,
     {"hook GotZlnClsId", "hook UnfilteredRxdZlnPacket", "OnUnfilteredRxdZlnPacket 01 02 cmd 20"},
     {0, 0x80, 0, 0, 0, 0}},
    {"customer id, handled", {21, 9}, true, {"hook GotZlnCustomerId", "OnGotZlnCustomerId 80 05"},
     {0, 0, 9, 0, 0, 0}},
    {"reset, handled", {31}, true, {"hook SuccessfulReset", "OnSuccessfulReset 80 05"}, {0, 0, 0, 0, 0, 0}},
    {"reset, no handler", {31}, false,
     {"hook SuccessfulReset", "hook UnfilteredRxdZlnPacket", "OnUnfilteredRxdZlnPacket 01 02 cmd 31"},
     {0, 0, 0, 0, 0, 0}},
    {"unreachable, handled", {33, 1, 2, 3}, true, {"hook PacketUnreachable", "OnPacketUnreachable 80 05"},
     {0, 0, 0, 1, 2, 3}},
    {"unreachable, no handler", {33, 4, 5, 6}, false,
     {"hook PacketUnreachable", "hook UnfilteredRxdZlnPacket", "OnUnfilteredRxdZlnPacket 01 02 cmd 33"},
     {0, 0, 0, 4, 5, 6}},
    {"command 0", {0, 7, 7, 7}, true, {"hook UnfilteredRxdZlnPacket", "OnUnfilteredRxdZlnPacket 01 02 cmd 0"},
     {0, 0, 0, 0, 0, 0}},
    {"command 22", {22, 7, 7, 7}, true, {"hook UnfilteredRxdZlnPacket", "OnUnfilteredRxdZlnPacket 01 02 cmd 22"},
     {0, 0, 0, 0, 0, 0}},
};

TEST(NodeFiltering, EachCommandRaisesItsEventOrTheUnfilteredOne)
{
    for (const TFilterCase& Case : FilterCases) {
        TEventLog CaseLog;
        TRecordingRouter CaseRouter(nullptr);
        TLoggedVtx4i4o CaseNode(nullptr, 0x80, 0x05, &CaseRouter, CaseLog);
        if (Case.SpecificHandlers)
            CaseLog.AssignAddressEvents(CaseNode);
        CaseNode.OnUnfilteredRxdZlnPacket = CaseLog.Packet("OnUnfilteredRxdZlnPacket");

        CaseNode.FilteringReceivedZlnPacket(Rxd(0x01, 0x02, Case.Datas));

        EXPECT_EQ(CaseLog.Lines, Case.Log) << Case.Name;
        const auto& U = CaseNode.UnreachableDatas();
        const std::array<int, 6> Stored = {CaseNode.ZlnProtocolVersion(), CaseNode.ReportedZlnClsId(),
                                           CaseNode.ZlnCustomerId(), U[0], U[1], U[2]};
        EXPECT_EQ(Stored, Case.Stored) << Case.Name;
        EXPECT_TRUE(CaseRouter.Sent.empty()) << Case.Name;
    }
}

TEST_F(NodeTest, OnlyTheCommandAndItsArgumentsAreRead)
{
    Log.AssignAddressEvents(Node);
    // BytesOfDatas 1 says nothing about Datas[1]: it is read all the same.
    TZlnRxdPacket Packet = Rxd(0x33, 0x44, {20});
    Packet.Datas[1] = 0x55;
    Node.FilteringReceivedZlnPacket(Packet);
    EXPECT_EQ(Node.ReportedZlnClsId(), 0x55);
    EXPECT_EQ(Log.Lines.back(), "OnGotZlnClsId 80 05");
}

struct TIdCase {
    bool Segment;
    unsigned char Value;
    bool Accepted;
};

TEST(NodeIdWriters, RangeAndAssignedProps)
{
    const TIdCase Cases[] = {
        {true, 0x00, true}, {true, 0x80, true}, {true, 0x81, false}, {true, 0xFF, false},
        {false, 0x00, true}, {false, 0x7F, true}, {false, 0x80, false}, {false, 0xFF, false},
    };
    for (const TIdCase& Case : Cases) {
        TEventLog Log;
        TLoggedVtx4i4o Node(nullptr, Log);
        const unsigned char SegBefore = Node.ZlnSegId();
        const unsigned char NodeBefore = Node.ZlnNodeId();
        auto Write = [&] { Case.Segment ? Node.pw_ZlnSegId(Case.Value) : Node.pw_ZlnNodeId(Case.Value); };
        const std::string Where = Format("%s 0x%02X", Case.Segment ? "segment" : "node", Case.Value);
        if (Case.Accepted) {
            Write();
            EXPECT_EQ(Case.Segment ? Node.ZlnSegId() : Node.ZlnNodeId(), Case.Value) << Where;
            EXPECT_EQ(Node.AssignedProps(), Case.Segment ? zap_ZlnSegId : zap_ZlnNodeId) << Where;
        } else {
            EXPECT_EQ(MessageOf<EYGeneral>(Write), Case.Segment ? "Invalid value, the range must be 0x00~0x80 !!!"
                                                                : "Invalid value, the range must be 0x00~0x7F !!!")
                << Where;
            EXPECT_EQ(Node.ZlnSegId(), SegBefore) << Where;
            EXPECT_EQ(Node.ZlnNodeId(), NodeBefore) << Where;
            EXPECT_EQ(Node.AssignedProps(), 0u) << Where;
        }
    }
}

TEST(NodeConstruction, DefaultsOfEachConstructor)
{
    TEventLog Log;
    TRecordingRouter Router(nullptr);
    TLoggedVtx4i4o Plain(nullptr, Log);
    EXPECT_EQ(Plain.ZlnClsId(), zci_Vtx4i4o);
    EXPECT_EQ(Plain.ZlnSegId(), 0x80);
    EXPECT_EQ(Plain.ZlnNodeId(), 0);
    EXPECT_EQ(Plain.BindTo(), nullptr);
    EXPECT_EQ(Plain.AssignedProps(), 0u);
    EXPECT_EQ(Router.TopologicZlnComponent(0x80, 0), nullptr) << "the one-argument form registers nowhere";

    TLoggedVtx4i4o Bound(nullptr, 0x03, 0x04, &Router, Log);
    EXPECT_EQ(Bound.BindTo(), &Router);
    EXPECT_EQ(Bound.AssignedProps(), 0u);
    EXPECT_EQ(Router.TopologicZlnComponent(0x03, 0x04), &Bound);
    EXPECT_EQ(Router.FlagsAt(0x03, 0x04), static_cast<std::uint32_t>(zrk_Constructed));
}

TEST(NodeConstruction, TakenAddressLeavesTheConstructorAndTheFirstNodeStays)
{
    TEventLog Log;
    TRecordingRouter Router(nullptr);
    TLoggedVtx4i4o First(nullptr, 0x80, 0x05, &Router, Log);
    EXPECT_EQ(MessageOf<EYGeneral>([&] { TLoggedVtx4i4o Second(nullptr, 0x80, 0x05, &Router, Log); }),
              "\nErr: Duplicated ZLNet Address !!!\nZlnSegId  = 0x80\nZlnNodeId = 0x05\n");
    EXPECT_EQ(Router.TopologicZlnComponent(0x80, 0x05), &First);
}

TEST(NodeConstruction, DesignStateSwallowsAFailedRegistration)
{
    TEventLog Log;
    TRecordingRouter Router(nullptr);
    TLoggedVtx4i4o First(nullptr, 0x80, 0x05, &Router, Log);
    TComponent Designer(nullptr);
    Designer.IncludeState(csDesigning);
    auto* Second = new TLoggedVtx4i4o(&Designer, 0x80, 0x05, &Router, Log);
    EXPECT_EQ(Second->BindTo(), &Router);
    EXPECT_EQ(Router.TopologicZlnComponent(0x80, 0x05), &First);
}

TEST(NodeConstruction, AnAddressOutsideTheTableIsRefused)
{
    TEventLog Log;
    TRecordingRouter Router(nullptr);
    // The constructor takes its ids unchecked; registration refuses them.
    EXPECT_EQ(MessageOf<EYGeneral>([&] { TLoggedVtx4i4o Node(nullptr, 0x81, 0x00, &Router, Log); }),
              "\nThe address of node is not belong to the topologic of ZLNet !!!\n");
    EXPECT_EQ(MessageOf<EYGeneral>([&] { TLoggedVtx4i4o Node(nullptr, 0x00, 0x80, &Router, Log); }),
              "\nThe address of node is not belong to the topologic of ZLNet !!!\n");
}

struct TRequestCase {
    const char* Name;
    void (TZLNet_Node::*Request)();
    unsigned char Command;
};

TEST_F(NodeTest, RequestsSendTheirCommandFromTheNodesAddress)
{
    const TRequestCase Cases[] = {
        {"RequestToReset", &TZLNet_Node::RequestToReset, 15},
        {"QueryZlnProtocolVersion", &TZLNet_Node::QueryZlnProtocolVersion, 3},
        {"QueryZlnClsId", &TZLNet_Node::QueryZlnClsId, 4},
        {"QueryZlnCustomerId", &TZLNet_Node::QueryZlnCustomerId, 5},
    };
    for (const TRequestCase& Case : Cases) {
        Router.Sent.clear();
        (Node.*Case.Request)();
        EXPECT_EQ(Router.Sent, (std::vector<TBytes>{{0x80, 0x05, 1, Case.Command}})) << Case.Name;
    }
}

TEST_F(NodeTest, ChangedIdsSendWithTheNewAddressButTheEntryStays)
{
    Node.pw_ZlnNodeId(0x06);
    Node.QueryZlnClsId();
    EXPECT_EQ(Router.Sent, (std::vector<TBytes>{{0x80, 0x06, 1, 4}}));
    EXPECT_EQ(Router.TopologicZlnComponent(0x80, 0x05), &Node);
    EXPECT_EQ(Router.TopologicZlnComponent(0x80, 0x06), nullptr);
}

TEST(NodeRequests, AnUnboundNodeRunsTheHookAndSendsNothing)
{
    TEventLog Log;
    TLoggedVtx4i4o Node(nullptr, Log);
    Node.RequestToReset();
    Node.QueryZlnProtocolVersion();
    EXPECT_EQ(Log.Lines, std::vector<std::string>{"hook BeforeRunRequestToReset"});
}

TEST(NodeRequests, BindToStoresWithoutRegistering)
{
    TEventLog Log;
    TRecordingRouter Router(nullptr);
    TLoggedVtx4i4o Node(nullptr, Log);
    Node.pw_ZlnNodeId(0x09);
    Node.pw_BindTo(&Router);
    EXPECT_EQ(Node.AssignedProps(), static_cast<std::uint32_t>(zap_BindTo | zap_ZlnNodeId));
    EXPECT_EQ(Router.TopologicZlnComponent(0x80, 0x09), nullptr);
    Node.QueryZlnCustomerId();
    EXPECT_EQ(Router.Sent, (std::vector<TBytes>{{0x80, 0x09, 1, 5}})) << "it sends through BindTo all the same";
}

TEST(NodeCopy, TheCopyCarriesTheModelButTakesClassIdAddressAndTopologyGiven)
{
    TEventLog Log;
    TRecordingRouter ModelRouter(nullptr);
    TRecordingRouter Router(nullptr);
    TVtx4i4o Model(nullptr, zci_Vtx4i4o, 0x80, 0x01, &ModelRouter);
    Model.OnGotZlnClsId = Log.Address("OnGotZlnClsId");
    Model.OnInputChanged = Log.Address("OnInputChanged");
    Model.FilteringReceivedZlnPacket(Rxd(0, 0, {19, 3}));
    Model.FilteringReceivedZlnPacket(Rxd(0, 0, {21, 4}));
    Model.FilteringReceivedZlnPacket(Rxd(0, 0, {0x81, 0x05}));
    Model.FilteringReceivedZlnPacket(Rxd(0, 0, {0x81, 0x0C}));
    Model.pw_Yout(0x06);
    Log.Lines.clear();

    TVtx4i4o Copy(nullptr, zci_Vtx4i4o, 0x02, 0x03, &Router, &Model);
    EXPECT_EQ(Copy.ZlnClsId(), zci_Vtx4i4o);
    EXPECT_EQ(Copy.ZlnSegId(), 0x02);
    EXPECT_EQ(Copy.ZlnNodeId(), 0x03);
    EXPECT_EQ(Copy.BindTo(), &Router);
    EXPECT_EQ(Router.TopologicZlnComponent(0x02, 0x03), &Copy);
    EXPECT_EQ(Router.FlagsAt(0x02, 0x03), static_cast<std::uint32_t>(zrk_Constructed));
    EXPECT_EQ(Copy.ZlnProtocolVersion(), 3);
    EXPECT_EQ(Copy.ZlnCustomerId(), 4);
    EXPECT_EQ(Copy.Xin(), 0x0C);
    EXPECT_EQ(Copy.Old_Xin(), 0x05);
    EXPECT_EQ(Copy.Yout(), 0x06);
    EXPECT_TRUE(Router.Sent.empty()) << "copying sends nothing";

    Copy.FilteringReceivedZlnPacket(Rxd(0, 0, {20, 1}));
    Copy.FilteringReceivedZlnPacket(Rxd(0, 0, {0x81, 0x01}));
    EXPECT_EQ(Log.Lines, (std::vector<std::string>{"OnGotZlnClsId 02 03", "OnInputChanged 02 03"}))
        << "the model's handlers, with the copy's own address";
}

TEST(NodeCopy, AModelOfAnotherClassIsRefusedBeforeAnythingHappens)
{
    const std::string Message = "\nErr: ZLNet 元件的類別不同,故無法進行拷貝式的建構 !!!\n";
    TRecordingRouter Router(nullptr);
    TVtx4i4o OtherClassId(nullptr, static_cast<_EZlnClsId>(5), 0x80, 0x01, nullptr);
    TRecordingRouter NotANode(nullptr);
    EXPECT_EQ(MessageOf<EYGeneral>([&] { TVtx4i4o Copy(nullptr, zci_Vtx4i4o, 0x80, 0x02, &Router, &OtherClassId); }),
              Message);
    EXPECT_EQ(MessageOf<EYGeneral>([&] { TVtx4i4o Copy(nullptr, zci_Rnsm, 0x80, 0x02, &Router, &NotANode); }),
              Message);
    EXPECT_EQ(MessageOf<EYGeneral>([&] { TVtx4i4o Copy(nullptr, zci_Vtx4i4o, 0x80, 0x02, &Router, nullptr); }),
              Message);
    EXPECT_FALSE(Router.HasBlock(0x80)) << "no registration was attempted";
}

TEST(NodeLifetime, ADestroyedNodeLeavesItsTopology)
{
    TEventLog Log;
    TRecordingRouter Router(nullptr);
    Router.OnUnhandledGotZlnClsId = Log.Address("router OnGotZlnClsId");
    {
        TLoggedVtx4i4o Node(nullptr, 0x01, 0x02, &Router, Log);
        EXPECT_EQ(Router.TopologicClsId(0x01, 0x02), zci_Vtx4i4o);
    }
    EXPECT_EQ(Router.TopologicClsId(0x01, 0x02), zci_ZLNet);
    EXPECT_EQ(Router.TopologicZlnComponent(0x01, 0x02), nullptr);
    Router.FilteringReceivedZlnPacket(Rxd(0x01, 0x02, {20, 1}));
    EXPECT_EQ(Log.Lines, std::vector<std::string>{"router OnGotZlnClsId 80 80"});
}

TEST(NodeLifetime, ADestroyedTopologyLeavesItsNodesUnbound)
{
    TEventLog Log;
    TLoggedVtx4i4o Registered(nullptr, Log);
    TLoggedVtx4i4o OnlyBound(nullptr, Log);
    {
        TRecordingRouter Router(nullptr);
        Registered.pw_ZlnNodeId(1);
        Registered.pw_ZlnSegId(1);
        Registered.pw_BindTo(&Router);
        Registered.Loaded();
        OnlyBound.pw_BindTo(&Router);
        ASSERT_EQ(Router.TopologicZlnComponent(1, 1), &Registered);
    }
    EXPECT_EQ(Registered.BindTo(), nullptr);
    EXPECT_EQ(OnlyBound.BindTo(), nullptr);
    Registered.QueryZlnClsId();   // goes nowhere
    OnlyBound.pw_Yout(1);
}

} // namespace
