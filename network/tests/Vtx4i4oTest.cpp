// The four-in four-out node: inputs, outputs and resets.
#include "NetworkTestSupport.h"

using namespace network_test;

namespace {

struct Vtx4i4oTest : ::testing::Test {
    TEventLog Log;
    TRecordingRouter Router{nullptr};
    TLoggedVtx4i4o Node{nullptr, 0x01, 0x07, &Router, Log};

    // The output bytes sent, in order.
    std::vector<TBytes> SentOutputs(std::initializer_list<unsigned char> Values) const
    {
        std::vector<TBytes> Packets;
        for (unsigned char Value : Values)
            Packets.push_back({0x01, 0x07, 2, 0x84, Value});
        return Packets;
    }
};

TEST_F(Vtx4i4oTest, InputsKeepTheLastByteAndTheOneBefore)
{
    Node.OnInputChanged = Log.Address("OnInputChanged", &Node);
    Node.FilteringReceivedZlnPacket(Rxd(0x01, 0x07, {0x81, 0x05}));
    Node.FilteringReceivedZlnPacket(Rxd(0x01, 0x07, {0x81, 0x0C}));
    EXPECT_EQ(Node.Xin(), 0x0C);
    EXPECT_EQ(Node.Old_Xin(), 0x05);
    const bool BitOfX[] = {false, false, true, true};
    const bool Old_BitOfX[] = {true, false, true, false};
    for (int Index = 0; Index < 4; ++Index) {
        EXPECT_EQ(Node.BitOfX(Index), BitOfX[Index]) << Index;
        EXPECT_EQ(Node.Old_BitOfX(Index), Old_BitOfX[Index]) << Index;
    }
    for (int Index : {-1, 4, 8, 31})
        EXPECT_FALSE(Node.BitOfX(Index) || Node.Old_BitOfX(Index) || Node.BitOfY(Index)) << Index;
    EXPECT_EQ(Log.Lines, (std::vector<std::string>{"OnInputChanged 01 07", "OnInputChanged 01 07"}));
}

TEST_F(Vtx4i4oTest, InputsWithoutAHandlerRaiseNothingElse)
{
    Node.OnUnfilteredRxdZlnPacket = Log.Packet("OnUnfilteredRxdZlnPacket");
    Node.FilteringReceivedZlnPacket(Rxd(0x01, 0x07, {0x81, 0x03}));
    EXPECT_EQ(Node.Xin(), 0x03);
    EXPECT_TRUE(Log.Lines.empty()) << "not even a hook runs";
}

struct TBitCase {
    unsigned char Yout;
    int Index;
    bool On;
    bool Sends;
    unsigned char After;
};

TEST_F(Vtx4i4oTest, OutputBitsAreWrittenThroughTheOutputByte)
{
    const TBitCase Cases[] = {
        {0x01, 1, true, true, 0x03},  {0x03, 1, false, true, 0x01}, {0x01, 0, true, true, 0x01},
        {0x0F, 3, false, true, 0x07}, {0x00, 2, true, true, 0x04},  {0x01, 4, true, false, 0x01},
        {0x01, -1, true, false, 0x01},
    };
    for (const TBitCase& Case : Cases) {
        Node.pw_Yout(Case.Yout);
        Router.Sent.clear();
        Node.pw_BitOfY(Case.Index, Case.On);
        const std::string Where = Format("Yout 0x%02X, bit %d %s", Case.Yout, Case.Index, Case.On ? "on" : "off");
        EXPECT_EQ(Node.Yout(), Case.After) << Where;
        EXPECT_EQ(Router.Sent, Case.Sends ? SentOutputs({Case.After}) : std::vector<TBytes>{}) << Where;
    }
}

TEST_F(Vtx4i4oTest, WritingTheSameOutputByteSendsItAgain)
{
    Node.pw_Yout(0x05);
    Node.pw_Yout(0x05);
    EXPECT_EQ(Router.Sent, SentOutputs({0x05, 0x05}));
    EXPECT_TRUE(Node.BitOfY(0) && !Node.BitOfY(1) && Node.BitOfY(2) && !Node.BitOfY(3));
}

TEST_F(Vtx4i4oTest, AResetByItselfGetsTheOutputsBackBeforeTheEvent)
{
    Node.OnSuccessfulReset = [this](TObject*, unsigned char, unsigned char) {
        Log.Add(Format("OnSuccessfulReset after %zu sends", Router.Sent.size()));
    };
    Node.pw_Yout(0x06);
    Router.Sent.clear();
    Node.FilteringReceivedZlnPacket(Rxd(0x01, 0x07, {31}));
    EXPECT_EQ(Router.Sent, SentOutputs({0x06}));
    EXPECT_EQ(Log.Lines, (std::vector<std::string>{"hook SuccessfulReset", "OnSuccessfulReset after 1 sends"}));
}

TEST_F(Vtx4i4oTest, AResetByItselfWithoutAHandlerTakesTheUnfilteredPath)
{
    Node.OnUnfilteredRxdZlnPacket = Log.Packet("OnUnfilteredRxdZlnPacket");
    Node.pw_Yout(0x06);
    Router.Sent.clear();
    Node.FilteringReceivedZlnPacket(Rxd(0x01, 0x07, {31}));
    EXPECT_EQ(Router.Sent, SentOutputs({0x06}));
    EXPECT_EQ(Log.Lines, (std::vector<std::string>{"hook SuccessfulReset", "hook UnfilteredRxdZlnPacket",
                                                   "OnUnfilteredRxdZlnPacket 01 07 cmd 31"}));
}

TEST_F(Vtx4i4oTest, ARequestedResetClearsTheOutputsAndItsNoticeSendsNone)
{
    Node.pw_Yout(0x06);
    Router.Sent.clear();
    Node.RequestToReset();
    EXPECT_EQ(Node.Yout(), 0);
    EXPECT_EQ(Router.Sent, (std::vector<TBytes>{{0x01, 0x07, 1, 15}})) << "no output byte is sent for the reset";
    Router.Sent.clear();
    Node.FilteringReceivedZlnPacket(Rxd(0x01, 0x07, {31}));
    EXPECT_TRUE(Router.Sent.empty());
}

TEST_F(Vtx4i4oTest, OtherCommandsTakeTheNodeBaseFiltering)
{
    Node.OnGotZlnClsId = Log.Address("OnGotZlnClsId", &Node);
    Node.FilteringReceivedZlnPacket(Rxd(0x01, 0x07, {20, 0x80}));
    EXPECT_EQ(Node.ReportedZlnClsId(), 0x80);
    EXPECT_EQ(Log.Lines, (std::vector<std::string>{"hook GotZlnClsId", "OnGotZlnClsId 01 07"}));
}

TEST(Vtx4i4oUnbound, OutputsAreKeptButGoNowhere)
{
    TVtx4i4o Node(nullptr);
    Node.pw_Yout(0x09);
    Node.pw_BitOfY(1, true);
    EXPECT_EQ(Node.Yout(), 0x0B);
}

} // namespace
