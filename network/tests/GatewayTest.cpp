// The gateway on a serial port, against a simulated gateway on a
// pseudo-terminal: connecting, the register lines, packet lines in and out,
// resets, send failures and the default nodes of the topology file.
#include <cstdlib>
#include <mutex>
#include <vector>

#include "NetworkTestSupport.h"
#include "OrbCtrl/ZLNetViaVtx232.h"
#include "gateway/GatewayDevice.h"
#include "rtl/PlainLoop.h"

using namespace network_test;
using OrbCtrl::TZLNetViaVtx232;
using YVclUtil::EYGeneral;

namespace {

constexpr unsigned Com = 7;
// Generous real-time limits: the tests run in parallel and under sanitizers.
constexpr unsigned LongWaitMs = 20000;

const std::string Burst = " \n ?R3\r\n ?R4\r\n ?R5\r\n ?R6\r\n ?R7\r\n ?R8\r\n ?R9\r\n ?R0\r\n ?R1\r\n";
const std::string NotConnected = "Illegal property access, because TZLNetViaVtx232 not in connected state !!!";
const char* const NothingDeclared = "Travel_000=Device( \"VTX_4i4o\" ) , NetNodeId( 0xFF )\n";
const unsigned char SentinelCommand = 0x55;

// The test loop, able to hold back the calls posted to it for a while, so
// that a timer falls due before them, as a window system's loop may order
// the two.
class THoldingLoop : public TPlainLoop {
public:
    using TPlainLoop::TPlainLoop;

    void Post(TCall Call) override
    {
        {
            std::lock_guard<std::mutex> Guard(FHeldLock);
            if (FHolding) {
                FHeld.push_back(std::move(Call));
                return;
            }
        }
        TPlainLoop::Post(std::move(Call));
    }
    void Hold()
    {
        std::lock_guard<std::mutex> Guard(FHeldLock);
        FHolding = true;
    }
    void Release()
    {
        std::vector<TCall> Held;
        {
            std::lock_guard<std::mutex> Guard(FHeldLock);
            FHolding = false;
            Held.swap(FHeld);
        }
        for (TCall& Call : Held)
            TPlainLoop::Post(std::move(Call));
    }

private:
    std::mutex FHeldLock;
    bool FHolding = false;
    std::vector<TCall> FHeld;
};

struct GatewayTest : ::testing::Test {
    THoldingLoop Loop{TLoopClock::Virtual};
    TMainLoopScope Scope{Loop};
    TBoxRecorder Boxes;
    TTopologyFolder Folder;
    gateway::TGatewayDevice Device{Com};
    TEventLog Log;
    int Sentinels = 0;
    TVtx4i4o Template{nullptr};
    TZLNetViaVtx232 Gateway{nullptr};

    GatewayTest()
    {
        Gateway.SetName("ZLNetViaVtx2321");
        Gateway.pw_UartPortNumber(Com);
        UseTopology(TopologyText(NothingDeclared));
        Gateway.pw_DefHandler_Vtx4i4o(&Template);
        Gateway.OnConnectOK = Log.Notify("OnConnectOK");
        Gateway.OnConnectFail = Log.Notify("OnConnectFail");
        Gateway.OnUartTxdFail = Log.Notify("OnUartTxdFail");
        Gateway.OnReplyYout = Log.Notify("OnReplyYout");
        Gateway.OnReplyXin = Log.Notify("OnReplyXin");
        Gateway.OnReplyZlnFlags = Log.Notify("OnReplyZlnFlags");
        Gateway.OnResetRnsm_OK = Log.Notify("OnResetRnsm_OK");
        Gateway.OnResetRnsm_WDT = Log.Notify("OnResetRnsm_WDT");
        Gateway.OnUnhandledGotZlnProtocolVersion = Log.Address("router OnGotZlnProtocolVersion", &Gateway);
        Gateway.OnUnhandledRxdZlnPacket = [this](TObject*, const TZlnRxdPacket& Packet) {
            if (Packet.Datas[0] == SentinelCommand)
                ++Sentinels;
            else
                Log.Add(Format("router OnRxdZlnPacket %02X %02X cmd %u", Packet.ZlnSegId, Packet.ZlnNodeId,
                               Packet.Datas[0]));
        };
    }
    // The port closes before the members that its deliveries reach go.
    void TearDown() override { Gateway.Disconnect(); }

    void UseTopology(const std::string& Text) { Gateway.pw_FileName(Folder.Write("net.ini", Text)); }
    bool RunUntil(const std::function<bool()>& Done) { return Loop.RunUntil(Done, LongWaitMs); }
    void ConnectNow()
    {
        Gateway.Connect();
        ASSERT_TRUE(RunUntil([&] { return Gateway.Connected(); })) << "replies so far: " << Gateway.ReplyMask();
        Log.Lines.clear();
    }
    // Writes a line, then a packet for an address without a node, and runs
    // the loop until that has been routed: the line before it is handled.
    void Feed(const std::string& Line)
    {
        const int Before = Sentinels;
        Device.Send(Line);
        Device.SendPacket({0x02, 0x03, 1, SentinelCommand});
        ASSERT_TRUE(RunUntil([&] { return Sentinels > Before; })) << Line;
    }
    // Runs the loop until the device has the text since its mark.
    bool DeviceGot(const std::string& Text)
    {
        return RunUntil([&] { return Device.Sent() == Text; });
    }
};

TEST_F(GatewayTest, ConnectSendsTheBurstAndCompletesOnItsReplies)
{
    const unsigned char Values[] = {0x05, 0x0A, 0, 0x33, 0x44, 0x55, 0x66, 0x11, 0x88, 0x99};
    for (unsigned Number = 0; Number < 10; ++Number)
        Device.SetRegister(Number, Values[Number]);
    Device.Mark();
    Gateway.Connect();
    EXPECT_TRUE(Gateway.PcUart()->Opened());
    EXPECT_TRUE(Gateway.ConnectPending());
    EXPECT_FALSE(Gateway.Connected());
    ASSERT_TRUE(RunUntil([&] { return Gateway.Connected(); }));

    EXPECT_EQ(Device.Sent(), Burst);
    EXPECT_EQ(Log.Lines, std::vector<std::string>{"OnConnectOK"}) << "no reply event while connecting";
    EXPECT_FALSE(Gateway.ConnectPending());
    EXPECT_EQ(Gateway.ReplyMask(), 0x3FBu);
    EXPECT_FALSE(Gateway.TimeoutTimer()->Enabled());
    EXPECT_EQ(Gateway.Yout(), 0x05);
    EXPECT_EQ(Gateway.Xin(), 0x0A);
    const unsigned char Read[] = {Gateway.R3(), Gateway.R4(), Gateway.R5(), Gateway.R6(),
                                  Gateway.R7(), Gateway.R8(), Gateway.R9()};
    for (unsigned Number = 3; Number <= 9; ++Number)
        EXPECT_EQ(Read[Number - 3], Values[Number]) << "R" << Number;
    EXPECT_TRUE(!Gateway.X(0) && Gateway.X(1) && !Gateway.X(2) && Gateway.X(3));
    EXPECT_FALSE(Gateway.Old_X(1));

    const simdevice::TPtyLine Line = Device.Line().Line();
    EXPECT_EQ(Line.Baud, 38400u);
    EXPECT_TRUE(Line.RtsCts);
    EXPECT_TRUE(Boxes.Boxes.empty());
}

TEST_F(GatewayTest, ConnectRefusesMissingMandatoryEvents)
{
    struct TCase {
        const char* Event;
        TNotifyEvent TZLNetViaVtx232::*Field;
    };
    const TCase Cases[] = {
        {"OnConnectOK", &TZLNetViaVtx232::OnConnectOK},
        {"OnConnectFail", &TZLNetViaVtx232::OnConnectFail},
        {"OnUartTxdFail", &TZLNetViaVtx232::OnUartTxdFail},
    };
    UseTopology(TopologyText("Travel_000=Device( \"VTX_4i4o\" ) , NetNodeId( 0x05 )"));
    for (const TCase& Case : Cases) {
        const TNotifyEvent Kept = Gateway.*Case.Field;
        Gateway.*Case.Field = nullptr;
        EXPECT_EQ(MessageOf<Exception>([&] { Gateway.Connect(); }),
                  std::string("The event \"") + Case.Event + "\" of TZLNetViaVtx232, which handler is not specified !!!");
        Gateway.*Case.Field = Kept;
        EXPECT_FALSE(Gateway.PcUart()->Opened()) << Case.Event;
        EXPECT_EQ(Gateway.TopologicClsId(0x80, 0x05), zci_ZLNet) << Case.Event << ": the topology is not loaded";
    }
    Gateway.OnConnectFail = nullptr;
    Gateway.OnConnectOK = nullptr;
    EXPECT_EQ(MessageOf<Exception>([&] { Gateway.Connect(); }),
              "The event \"OnConnectOK\" of TZLNetViaVtx232, which handler is not specified !!!");
}

TEST_F(GatewayTest, ConnectRefusesAPortThatDoesNotOpen)
{
    const std::string OpenFail = "Open UART fail, when peform TZLNetViaVtx232::Connect() !!!";
    setenv("VTX_COM9", "/nonexistent/tty", 1);
    Gateway.pw_UartPortNumber(9);
    EXPECT_EQ(MessageOf<Exception>([&] { Gateway.Connect(); }), OpenFail);
    unsetenv("VTX_COM9");
    EXPECT_FALSE(Gateway.PcUart()->Opened());
    EXPECT_FALSE(Gateway.ConnectPending());

    // A number the port refuses (with its error box) opens no other port.
    for (int Number : {0, 17, -1}) {
        Boxes.Boxes.clear();
        Gateway.pw_UartPortNumber(Number);
        EXPECT_EQ(MessageOf<Exception>([&] { Gateway.Connect(); }), OpenFail) << Number;
        EXPECT_EQ(Boxes.Boxes.size(), 1u) << Number;
        EXPECT_FALSE(Gateway.PcUart()->Opened()) << Number;
    }
    EXPECT_TRUE(Device.Sent().empty());
}

TEST_F(GatewayTest, TopologyErrorsLeaveConnect)
{
    Gateway.pw_FileName("");
    EXPECT_EQ(MessageOf<EYGeneral>([&] { Gateway.Connect(); }),
              "\nErr: The FileName property is not defined !!!\nComponentName = ZLNetViaVtx2321\n");
    EXPECT_FALSE(Gateway.PcUart()->Opened());
}

TEST_F(GatewayTest, ASilentGatewayFailsTheConnectAfter2000ms)
{
    Device.SetAnswering(false);
    Gateway.Connect();
    ASSERT_TRUE(Device.WaitSent(Burst.size(), LongWaitMs));
    Loop.Advance(1999);
    EXPECT_TRUE(Log.Lines.empty());
    EXPECT_TRUE(Gateway.PcUart()->Opened());
    Loop.Advance(1);
    EXPECT_EQ(Log.Lines, std::vector<std::string>{"OnConnectFail"});
    EXPECT_FALSE(Gateway.PcUart()->Opened());
    EXPECT_FALSE(Gateway.Connected());
    EXPECT_FALSE(Gateway.ConnectPending());
    EXPECT_FALSE(Gateway.TimeoutTimer()->Enabled());
}

TEST_F(GatewayTest, RepliesInAnyOrderCompleteTheConnectOnTheLast)
{
    Device.SetAnswering(false);
    Gateway.Connect();
    const char Order[] = {'1', '9', '3', '0', '8', '4', '7', '6', '5'};
    std::uint32_t Expected = 0;
    for (char Register : Order) {
        EXPECT_FALSE(Gateway.Connected()) << "before R" << Register;
        Device.SendReply(Register, 0x11);
        Expected |= 1u << (Register - '0');
        ASSERT_TRUE(RunUntil([&] { return Gateway.ReplyMask() == Expected; })) << Register;
    }
    EXPECT_TRUE(Gateway.Connected());
    EXPECT_EQ(Log.Lines, std::vector<std::string>{"OnConnectOK"});
    Loop.Advance(5000);
    EXPECT_EQ(Log.Lines, std::vector<std::string>{"OnConnectOK"}) << "the time-out is off";
}

TEST_F(GatewayTest, AnotherRegistersReplyDuringTheConnectSpoilsIt)
{
    for (char Extra : {'E', 'F'}) {
        Log.Lines.clear();
        Device.SetAnswering(false);
        Gateway.Connect();
        Device.SendReply(Extra, 0);
        for (char Register : {'3', '4', '5', '6', '7', '8', '9', '0', '1'})
            Device.SendReply(Register, 0x11);
        const std::uint32_t All = 0x3FBu | (1u << (Extra == 'E' ? 14 : 15));
        ASSERT_TRUE(RunUntil([&] { return Gateway.ReplyMask() == All; })) << Extra;
        EXPECT_FALSE(Gateway.Connected()) << Extra;
        Loop.Advance(2000);
        EXPECT_EQ(Log.Lines, std::vector<std::string>{"OnConnectFail"}) << Extra << ": no reply event either";
        EXPECT_FALSE(Gateway.PcUart()->Opened()) << Extra;
    }
}

// R0, R1, R3 to R9 and RE as the readers give them.
std::vector<int> Registers(const TZLNetViaVtx232& Gateway)
{
    return {Gateway.Yout(), Gateway.Xin(), Gateway.R3(), Gateway.R4(), Gateway.R5(),
            Gateway.R6(),   Gateway.R7(),  Gateway.R8(), Gateway.R9(), Gateway.RE()};
}

struct TReplyCase {
    const char* Line;
    int Slot;          // index into Registers(), or -1 when nothing is stored
    int Value;
    std::vector<std::string> Events;
};

TEST_F(GatewayTest, RegisterReplyLines)
{
    const TReplyCase Cases[] = {
        {"*R7=10\r\n", 6, 0x10, {}},
        {"*R7=1\n", -1, 0, {}},
        {"*R2=10\r\n", -1, 0, {}},
        {"*R7=1a\r\n", 6, 0x1A, {}},
        {"*R7=100\r\n", -1, 0, {}},
        {"*R7=10xyz\r\n", 6, 0x10, {}},
        {"*R7= 1\r\n", -1, 0, {}},
        {"*R7=-1\r\n", -1, 0, {}},
        {"*R7=+1\r\n", -1, 0, {}},
        {"*R7=0x\r\n", -1, 0, {}},
        {"*r7=10\r\n", -1, 0, {}},
        {"*R7:10\r\n", -1, 0, {}},
        {"*Ra=10\r\n", -1, 0, {}},
        {"*RA=10\r\n", -1, 0, {}},
        {"*R\r\n", -1, 0, {}},
        {"*\n", -1, 0, {}},
        {"R7=10\r\n", -1, 0, {}},
        {" *R7=10\r\n", -1, 0, {}},
        {"*R3=FF\r\n", 2, 0xFF, {}},
        {"*R9=00\r\n", 8, 0x00, {}},
        {"*R0=0C\r\n", 0, 0x0C, {"OnReplyYout"}},
        {"*R1=03\r\n", 1, 0x03, {"OnReplyXin"}},
        {"*RE=80\r\n", 9, 0x80, {"OnReplyZlnFlags"}},
    };
    ConnectNow();
    for (const TReplyCase& Case : Cases) {
        std::vector<int> Expected = Registers(Gateway);
        if (Case.Slot >= 0)
            Expected[static_cast<std::size_t>(Case.Slot)] = Case.Value;
        Log.Lines.clear();
        Feed(Case.Line);
        EXPECT_EQ(Registers(Gateway), Expected) << Case.Line;
        EXPECT_EQ(Log.Lines, Case.Events) << Case.Line;
    }
    EXPECT_TRUE(Gateway.Connected());
}

TEST_F(GatewayTest, AnInputReplyKeepsTheInputsBefore)
{
    Device.SetRegister(1, 0x05);
    ConnectNow();
    Feed("*R1=0C\r\n");
    const bool X[] = {false, false, true, true};
    const bool Old_X[] = {true, false, true, false};
    for (int Index = 0; Index < 4; ++Index) {
        EXPECT_EQ(Gateway.X(Index), X[Index]) << Index;
        EXPECT_EQ(Gateway.Old_X(Index), Old_X[Index]) << Index;
    }
    EXPECT_FALSE(Gateway.X(4) || Gateway.Old_X(-1) || Gateway.Y(4));
}

struct TPacketCase {
    std::string Line;
    std::vector<std::string> Events;
};

TEST_F(GatewayTest, PacketLines)
{
    ConnectNow();
    TVtx4i4o Node(nullptr, zci_Vtx4i4o, 0x01, 0x00, &Gateway);
    Node.OnGotZlnProtocolVersion = Log.Address("node OnGotZlnProtocolVersion", &Node);
    const std::vector<std::string> Taken = {"node OnGotZlnProtocolVersion 01 00"};
    // 20 bytes, BytesOfDatas 17: the largest record; one pair more is too many.
    const std::string Largest = "@010011" + std::string("13") + std::string(32, '0');
    const TPacketCase Cases[] = {
        {"@0100021302\n", Taken},
        {"@0100021302\r\n", Taken},
        {"@0100011302\n", {}},
        {"@0100031302\n", {}},
        {"@0A00021302\n", {"router OnGotZlnProtocolVersion 80 80"}},
        {"@0a00021302\n", {}},
        {"@01000213ab\n", {}},
        {"@010002130\n", {}},
        {"@0100021302 \r\n", {}},
        {"@01 00021302\r\n", {}},
        {"@0100021302\rXY\n", Taken},
        {Largest + "\r\n", Taken},
        {Largest + "00\r\n", {}},
        {"@010000\n", {}},
        {"@\n", {}},
        {"@8100021302\n", {}},
        {"@0180021302\n", {}},
        {"@0205021301\r\n", {"router OnGotZlnProtocolVersion 80 80"}},
        {">0100021302\n", {}},
    };
    for (const TPacketCase& Case : Cases) {
        Log.Lines.clear();
        Feed(Case.Line);
        EXPECT_EQ(Log.Lines, Case.Events) << Case.Line;
    }
}

TEST_F(GatewayTest, PacketLinesAreHandledInEveryState)
{
    Device.SetAnswering(false);
    Gateway.Connect();
    Feed("@0205021301\r\n");
    EXPECT_EQ(Log.Lines, std::vector<std::string>{"router OnGotZlnProtocolVersion 80 80"});
    EXPECT_FALSE(Gateway.Connected());
}

struct TLineCase {
    const char* Name;
    std::function<void(TZLNetViaVtx232&)> Operation;
    std::string Text;
    const char* Reply;   // the event of the gateway's answer, or ""
};

TEST_F(GatewayTest, RegisterCommandLines)
{
    Device.SetRegister(0, 0x01);
    ConnectNow();
    const TLineCase Cases[] = {
        {"Yout", [](TZLNetViaVtx232& G) { G.pw_Yout(0xAB); }, " +R0=AB\r\n", ""},
        {"Yout 0", [](TZLNetViaVtx232& G) { G.pw_Yout(0x00); }, " +R0=00\r\n", ""},
        {"Y(2) on",
         [](TZLNetViaVtx232& G) {
             G.pw_Yout(0x01);
             G.pw_Y(2, true);
         },
         " +R0=01\r\n +R0=05\r\n", ""},
        {"Y(0) off",
         [](TZLNetViaVtx232& G) {
             G.pw_Yout(0x05);
             G.pw_Y(0, false);
         },
         " +R0=05\r\n +R0=04\r\n", ""},
        {"Y(4)", [](TZLNetViaVtx232& G) { G.pw_Y(4, true); }, "", ""},
        {"Y(-1)", [](TZLNetViaVtx232& G) { G.pw_Y(-1, false); }, "", ""},
        {"R8", [](TZLNetViaVtx232& G) { G.pw_R8(0x3C); }, " +R8=3C\r\n ?R8\r\n", ""},
        {"R9", [](TZLNetViaVtx232& G) { G.pw_R9(0x0F); }, " +R9=0F\r\n ?R9\r\n", ""},
        {"QueryYout", [](TZLNetViaVtx232& G) { G.QueryYout(); }, " ?R0\r\n", "OnReplyYout"},
        {"QueryXin", [](TZLNetViaVtx232& G) { G.QueryXin(); }, " ?R1\r\n", "OnReplyXin"},
        {"QueryZlnFlags", [](TZLNetViaVtx232& G) { G.QueryZlnFlags(); }, " ?RE\r\n", "OnReplyZlnFlags"},
    };
    for (const TLineCase& Case : Cases) {
        Device.Mark();
        Log.Lines.clear();
        Case.Operation(Gateway);
        EXPECT_TRUE(DeviceGot(Case.Text)) << Case.Name << ": " << Device.Sent();
        if (*Case.Reply) {
            EXPECT_TRUE(RunUntil([&] { return !Log.Lines.empty(); })) << Case.Name;
        }
        Feed("");
        EXPECT_EQ(Log.Lines, *Case.Reply ? std::vector<std::string>{Case.Reply} : std::vector<std::string>{})
            << Case.Name << ": writes are answered by nothing";
    }
    EXPECT_EQ(Gateway.Yout(), 0x04);
    EXPECT_TRUE(Gateway.Y(2) && !Gateway.Y(0));
    EXPECT_EQ(Gateway.R8(), 0x3C);
    EXPECT_EQ(Gateway.R9(), 0x0F);
    EXPECT_EQ(Device.Register(8), 0x3C);
}

TEST_F(GatewayTest, ResetRnsmThenAWatchdogReset)
{
    ConnectNow();
    Gateway.pw_Yout(0x06);
    ASSERT_TRUE(RunUntil([&] { return Device.Register(0) == 0x06; }));
    Device.Mark();
    Gateway.ResetRnsm();
    EXPECT_TRUE(Gateway.ResetPending());
    ASSERT_TRUE(RunUntil([&] { return !Log.Lines.empty(); }));
    EXPECT_EQ(Device.Sent(), " +R0=00\r\n +RF=00\r\n");
    EXPECT_EQ(Log.Lines, std::vector<std::string>{"OnResetRnsm_OK"});
    EXPECT_FALSE(Gateway.ResetPending());
    EXPECT_EQ(Gateway.Yout(), 0);

    Gateway.pw_Yout(0x06);
    ASSERT_TRUE(RunUntil([&] { return Device.Register(0) == 0x06; }));
    Device.Mark();
    Device.ResetByWatchdog();
    ASSERT_TRUE(RunUntil([&] { return Log.Lines.size() == 2; }));
    EXPECT_EQ(Log.Lines.back(), "OnResetRnsm_WDT");
    EXPECT_TRUE(DeviceGot(" +R0=06\r\n")) << "the outputs are put back";
    ASSERT_TRUE(RunUntil([&] { return Device.Register(0) == 0x06; }));
}

TEST_F(GatewayTest, OutgoingPackets)
{
    ConnectNow();
    _SZLNTXDPACKET Packet{};
    Packet.ZlnSegId = 0x80;
    Packet.ZlnNodeId = 0x05;
    Packet.BytesOfDatas = 2;
    Packet.Datas[0] = 0x84;
    Packet.Datas[1] = 0x01;
    Packet.Datas[2] = 0xEE;   // beyond BytesOfDatas: not sent
    Device.Mark();
    Gateway.SendZlnPacket(Packet);
    EXPECT_TRUE(DeviceGot(">8005028401\r\n")) << Device.Sent();

    Packet.BytesOfDatas = 17;
    for (unsigned i = 0; i < 17; ++i)
        Packet.Datas[i] = static_cast<unsigned char>(0xA0 + i);
    Device.Mark();
    Gateway.SendZlnPacket(Packet);
    EXPECT_TRUE(DeviceGot(">800511A0A1A2A3A4A5A6A7A8A9AAABACADAEAFB0\r\n")) << Device.Sent();
}

TEST_F(GatewayTest, OutgoingPacketSizeIsCheckedAgainstR7AndTheRecord)
{
    const std::string TooSmall =
        "The argument of .BytesOfDatas too small, when perform TZLNetViaVtx232::SendZlnPacket(...) !!!";
    const std::string TooLarge =
        "The argument of .BytesOfDatas too large, when perform TZLNetViaVtx232::SendZlnPacket(...) !!!";
    struct TCase {
        unsigned char R7;
        unsigned char BytesOfDatas;
        std::string Message;
    };
    const TCase Cases[] = {
        {17, 0, TooSmall}, {17, 18, TooLarge}, {17, 17, "(none)"}, {4, 5, TooLarge},
        {4, 4, "(none)"},  {0, 1, TooLarge},   {0x40, 18, TooLarge}, {0xFF, 0xFF, TooLarge},
    };
    for (const TCase& Case : Cases) {
        Device.SetRegister(7, Case.R7);
        ConnectNow();
        _SZLNTXDPACKET Packet{};
        Packet.BytesOfDatas = Case.BytesOfDatas;
        Packet.Datas[0] = 3;
        Device.Mark();
        EXPECT_EQ(MessageOf<EYGeneral>([&] { Gateway.SendZlnPacket(Packet); }), Case.Message)
            << "R7 " << int(Case.R7) << ", BytesOfDatas " << int(Case.BytesOfDatas);
        if (Case.Message != "(none)") {
            EXPECT_TRUE(Device.Sent().empty());
        }
        Gateway.Disconnect();
    }
}

TEST_F(GatewayTest, RegistersAndPacketsNeedTheConnectedState)
{
    _SZLNTXDPACKET Packet{};
    Packet.BytesOfDatas = 1;
    const std::function<void()> Operations[] = {
        [&] { Gateway.pr_Yout(); },        [&] { Gateway.pw_Yout(1); },       [&] { Gateway.pr_Y(0); },
        [&] { Gateway.pw_Y(0, true); },    [&] { Gateway.pr_Xin(); },         [&] { Gateway.pr_X(0); },
        [&] { Gateway.pr_Old_X(0); },      [&] { Gateway.pr_R3(); },          [&] { Gateway.pr_R4(); },
        [&] { Gateway.pr_R5(); },          [&] { Gateway.pr_R6(); },          [&] { Gateway.pr_R7(); },
        [&] { Gateway.pr_R8(); },          [&] { Gateway.pr_R9(); },          [&] { Gateway.pr_RE(); },
        [&] { Gateway.pw_R8(1); },         [&] { Gateway.pw_R9(1); },         [&] { Gateway.QueryYout(); },
        [&] { Gateway.QueryXin(); },       [&] { Gateway.QueryZlnFlags(); },  [&] { Gateway.ResetRnsm(); },
        [&] { Gateway.SendZlnPacket(Packet); }, [&] { Gateway.SendTxtFileToRS232("", 0); },
    };
    int Index = 0;
    for (const auto& Operation : Operations)
        EXPECT_EQ(MessageOf<Exception>(Operation), NotConnected) << "operation " << Index++;
    EXPECT_FALSE(Gateway.ResetPending());
    Gateway.pw_Y(4, true);   // an index outside 0 to 3 does nothing, connected or not

    // Connecting is not connected yet.
    Device.SetAnswering(false);
    Gateway.Connect();
    EXPECT_EQ(MessageOf<Exception>([&] { Gateway.QueryXin(); }), NotConnected);
    ASSERT_TRUE(Device.WaitSent(Burst.size(), LongWaitMs));
    Device.Mark();
    Loop.Advance(2000);
    EXPECT_TRUE(Device.Sent().empty());
}

TEST_F(GatewayTest, ThePortNumberIsFixedWhileConnected)
{
    ConnectNow();
    EXPECT_EQ(MessageOf<Exception>([&] { Gateway.pw_UartPortNumber(3); }),
              "Illegal property access, because TZLNetViaVtx232 now in connected state !!!");
    EXPECT_EQ(Gateway.UartPortNumber(), static_cast<int>(Com));
    Gateway.Disconnect();
    EXPECT_FALSE(Gateway.Connected());
    EXPECT_FALSE(Gateway.PcUart()->Opened());
    Gateway.pw_UartPortNumber(3);
    EXPECT_EQ(Gateway.UartPortNumber(), 3);
}

TEST_F(GatewayTest, ASendToAHungUpLineRaisesOnUartTxdFail)
{
    ConnectNow();
    Device.Line().HangUp();
    Gateway.pw_Yout(0x01);
    EXPECT_EQ(Log.Lines, std::vector<std::string>{"OnUartTxdFail"});
    EXPECT_TRUE(Gateway.Connected()) << "the state stays as it was";
    EXPECT_EQ(Gateway.Yout(), 0x01);
}

// A text file of two lines whose second waits a minute: the port stays busy.
struct GatewayBusyTest : GatewayTest {
    void StartSlowTextFile()
    {
        const std::string Path = Folder.Write("lines.txt", "first line\r\nsecond line\r\n");
        Device.Mark();
        Gateway.SendTxtFileToRS232(Path, 60000);
        ASSERT_TRUE(RunUntil([&] { return Device.Sent() == "first line\r\n"; })) << Device.Sent();
        ASSERT_TRUE(Gateway.PcUart()->SendingTxtFile());
    }
};

TEST_F(GatewayBusyTest, ASendWhileATextFileGoesOutRaisesOnUartTxdFail)
{
    ConnectNow();
    StartSlowTextFile();
    Gateway.QueryXin();
    Gateway.ResetRnsm();
    EXPECT_EQ(Log.Lines, (std::vector<std::string>{"OnUartTxdFail", "OnUartTxdFail", "OnUartTxdFail"}));
    EXPECT_TRUE(Gateway.ResetPending()) << "set whether or not the send succeeded";
}

TEST_F(GatewayBusyTest, ABurstThatCannotBeSentFailsTheConnect)
{
    ConnectNow();
    StartSlowTextFile();
    Gateway.Connect();
    EXPECT_EQ(Log.Lines, (std::vector<std::string>{"OnUartTxdFail", "OnConnectFail"}));
    EXPECT_FALSE(Gateway.Connected());
    EXPECT_FALSE(Gateway.PcUart()->Opened());
    EXPECT_FALSE(Gateway.ConnectPending());
}

TEST_F(GatewayTest, DisconnectInsideAnEventClosesThePortAfterTheDelivery)
{
    Gateway.OnConnectOK = [&](TObject*) {
        Log.Add("OnConnectOK");
        Gateway.Disconnect();
        EXPECT_FALSE(Gateway.Connected());
    };
    Gateway.Connect();
    ASSERT_TRUE(RunUntil([&] { return !Gateway.PcUart()->Opened(); }));
    EXPECT_EQ(Log.Lines, std::vector<std::string>{"OnConnectOK"});
    EXPECT_FALSE(Gateway.Connected());

    // And the next connect is a whole one.
    Gateway.OnConnectOK = Log.Notify("OnConnectOK again");
    ConnectNow();
    Feed("*R0=01\r\n");
    EXPECT_EQ(Log.Lines, std::vector<std::string>{"OnReplyYout"});
}

// A reconnect from inside an event raised by a received line, after a
// Disconnect there: the port closes once the delivery has returned, and the
// connect goes on then, on the port it names.
struct GatewayReconnectTest : GatewayTest {
    gateway::TGatewayDevice Other{OtherCom};
    static constexpr unsigned OtherCom = 8;

    // Reconnects on Port from inside the next OnReplyXin.
    void ReconnectInsideAnEvent(int Port)
    {
        Gateway.OnReplyXin = [this, Port](TObject*) {
            Log.Add("OnReplyXin");
            Gateway.Disconnect();
            Gateway.pw_UartPortNumber(Port);
            Gateway.Connect();
        };
        Device.Mark();
        Other.Mark();
        Device.Send("*R1=01\r\n");
        ASSERT_TRUE(RunUntil([&] { return !Log.Lines.empty(); }));
    }
    bool PortIsFree(unsigned Port)
    {
        OrbCtrl::TPcUart Probe(nullptr);
        Probe.pw_UartPortNumber(Port);
        const bool Opened = Probe.Open();
        Probe.Close();
        return Opened;
    }
};

TEST_F(GatewayReconnectTest, OnAnotherPort)
{
    ConnectNow();
    ASSERT_NO_FATAL_FAILURE(ReconnectInsideAnEvent(OtherCom));
    ASSERT_TRUE(RunUntil([&] { return Gateway.Connected(); }));
    EXPECT_EQ(Log.Lines, (std::vector<std::string>{"OnReplyXin", "OnConnectOK"}));
    EXPECT_EQ(Other.Sent(), Burst);
    EXPECT_EQ(Device.Sent(), "") << "nothing more through the old port";
    EXPECT_TRUE(PortIsFree(Com)) << "the old port is closed";
    EXPECT_EQ(Gateway.PcUart()->UartPortNumber(), OtherCom);

    Other.Mark();
    Gateway.QueryYout();
    EXPECT_TRUE(RunUntil([&] { return Other.Sent() == " ?R0\r\n"; })) << Other.Sent();
}

TEST_F(GatewayReconnectTest, OnTheSamePort)
{
    ConnectNow();
    ASSERT_NO_FATAL_FAILURE(ReconnectInsideAnEvent(static_cast<int>(Com)));
    ASSERT_TRUE(RunUntil([&] { return Gateway.Connected(); }));
    EXPECT_EQ(Log.Lines, (std::vector<std::string>{"OnReplyXin", "OnConnectOK"}));
    EXPECT_EQ(Device.Sent(), Burst);
}

TEST_F(GatewayReconnectTest, ToAPortThatDoesNotOpenIsShownAsTheHandlersException)
{
    ConnectNow();
    ASSERT_NO_FATAL_FAILURE(ReconnectInsideAnEvent(9));
    ASSERT_TRUE(RunUntil([&] { return !Boxes.Boxes.empty(); }));
    EXPECT_EQ(Boxes.Boxes[0].Text, "Open UART fail, when peform TZLNetViaVtx232::Connect() !!!");
    EXPECT_FALSE(Gateway.Connected());
    EXPECT_FALSE(Gateway.PcUart()->Opened());
    EXPECT_TRUE(PortIsFree(Com));
}

TEST_F(GatewayReconnectTest, WhileConnectingOutlivesTheEarlierAttemptsTimeOut)
{
    // A connect under way that the gateway has not answered yet; a packet
    // line's event asks for a new one.
    Device.SetAnswering(false);
    Gateway.Connect();
    ASSERT_TRUE(Device.WaitSent(Burst.size(), LongWaitMs));
    Gateway.OnUnhandledRxdZlnPacket = [this](TObject*, const TZlnRxdPacket&) {
        Log.Add("packet");
        Loop.Hold();
        Gateway.Disconnect();
        Gateway.Connect();
    };
    Device.Mark();
    Device.SendPacket({0x02, 0x03, 1, 0x01});
    ASSERT_TRUE(RunUntil([&] { return !Log.Lines.empty(); }));

    // The earlier attempt's 2000 ms fall due after the delivery has
    // returned, before the close and open that it left for then.
    Loop.Advance(2000);
    ASSERT_EQ(Log.Lines, std::vector<std::string>{"packet"}) << "the earlier attempt failed the new one";
    Device.SetAnswering(true);
    Loop.Release();
    ASSERT_TRUE(RunUntil([&] { return Gateway.Connected(); })) << "replies so far: " << Gateway.ReplyMask();
    EXPECT_EQ(Log.Lines, (std::vector<std::string>{"packet", "OnConnectOK"}));
    EXPECT_EQ(Device.Sent(), Burst);
}

TEST_F(GatewayTest, AnExceptionInAnEventIsShownAndThePortGoesOn)
{
    ConnectNow();
    Gateway.OnReplyXin = [](TObject*) { throw Exception("handler failed"); };
    Feed("*R1=01\r\n");
    ASSERT_EQ(Boxes.Boxes.size(), 1u);
    EXPECT_EQ(Boxes.Boxes[0].Text, "handler failed");
    Feed("*R0=02\r\n");
    EXPECT_EQ(Log.Lines, std::vector<std::string>{"OnReplyYout"});
}

TEST_F(GatewayTest, TheDestructorClosesThePort)
{
    auto Owned = std::make_unique<TZLNetViaVtx232>(nullptr);
    Gateway.pw_UartPortNumber(8);   // the fixture's gateway keeps off the port
    Owned->pw_UartPortNumber(Com);
    Owned->pw_FileName(Gateway.FileName());
    Owned->OnConnectOK = Owned->OnConnectFail = Owned->OnUartTxdFail = [](TObject*) {};
    Owned->Connect();
    ASSERT_TRUE(RunUntil([&] { return Owned->Connected(); }));
    Owned.reset();
    OrbCtrl::TPcUart Probe(nullptr);
    Probe.pw_UartPortNumber(Com);
    EXPECT_TRUE(Probe.Open()) << "the port is free again: " << Probe.LastErrMsg();
    Probe.Close();
}

struct GatewayNodesTest : GatewayTest {
    GatewayNodesTest()
    {
        UseTopology(TopologyText("Travel_000=Device( \"VTX_4i4o\" ) , NetNodeId( 0x05 )\n"
                                 "Travel_001=Device( \"VTX_4i4o\" ) , NetNodeId( 0x06 )\n"));
        Device.AddNode(0x80, 0x05, gateway::TSimNode{128, 2, 0x21, 0, 0});
        Template.OnInputChanged = Log.Address("OnInputChanged");
        Template.OnGotZlnClsId = Log.Address("OnGotZlnClsId");
        Template.OnGotZlnCustomerId = Log.Address("OnGotZlnCustomerId");
        Template.OnSuccessfulReset = Log.Address("OnSuccessfulReset");
        Template.OnPacketUnreachable = Log.Address("OnPacketUnreachable");
    }
};

TEST_F(GatewayNodesTest, TheTopologyFileMakesTheDefaultNodes)
{
    ConnectNow();
    TVtx4i4o* Node = Gateway.Vtx4i4o(0x80, 0x05);
    EXPECT_EQ(Node->Owner(), &Gateway);
    EXPECT_EQ(Gateway.Vtx4i4o(0x80, 0x06)->Owner(), &Gateway);

    Device.ChangeInputs(0x80, 0x05, 0x03);
    ASSERT_TRUE(RunUntil([&] { return !Log.Lines.empty(); }));
    EXPECT_EQ(Log.Lines, std::vector<std::string>{"OnInputChanged 80 05"});
    EXPECT_EQ(Node->Xin(), 0x03);

    Device.Mark();
    Node->pw_Yout(0x09);
    EXPECT_TRUE(DeviceGot(">8005028409\r\n"));
    ASSERT_TRUE(RunUntil([&] { return Device.Node(0x80, 0x05).Yout == 0x09; }));

    Log.Lines.clear();
    Node->QueryZlnClsId();
    Node->QueryZlnCustomerId();
    ASSERT_TRUE(RunUntil([&] { return Log.Lines.size() == 2; }));
    EXPECT_EQ(Log.Lines, (std::vector<std::string>{"OnGotZlnClsId 80 05", "OnGotZlnCustomerId 80 05"}));
    EXPECT_EQ(Node->ReportedZlnClsId(), 128);
    EXPECT_EQ(Node->ZlnCustomerId(), 0x21);

    // Node 0x06 has no module behind the gateway.
    Log.Lines.clear();
    Gateway.Vtx4i4o(0x80, 0x06)->QueryZlnProtocolVersion();
    ASSERT_TRUE(RunUntil([&] { return !Log.Lines.empty(); }));
    EXPECT_EQ(Log.Lines, std::vector<std::string>{"OnPacketUnreachable 80 06"});
    EXPECT_EQ(Gateway.Vtx4i4o(0x80, 0x06)->UnreachableDatas(), (std::array<std::uint8_t, 3>{3, 0, 0}));
}

TEST_F(GatewayNodesTest, ARequestedResetClearsTheOutputsOnBothSides)
{
    ConnectNow();
    TVtx4i4o* Node = Gateway.Vtx4i4o(0x80, 0x05);
    Node->pw_Yout(0x0F);
    ASSERT_TRUE(RunUntil([&] { return Device.Node(0x80, 0x05).Yout == 0x0F; }));
    Device.Mark();
    Node->RequestToReset();
    ASSERT_TRUE(RunUntil([&] { return !Log.Lines.empty(); }));
    EXPECT_EQ(Log.Lines, std::vector<std::string>{"OnSuccessfulReset 80 05"});
    EXPECT_EQ(Device.Sent(), ">8005010F\r\n") << "no output byte after the notice";
    EXPECT_EQ(Device.Node(0x80, 0x05).Yout, 0);
}

TEST_F(GatewayNodesTest, AModuleThatResetsByItselfGetsItsOutputsBack)
{
    ConnectNow();
    TVtx4i4o* Node = Gateway.Vtx4i4o(0x80, 0x05);
    Node->pw_Yout(0x0A);
    ASSERT_TRUE(RunUntil([&] { return Device.Node(0x80, 0x05).Yout == 0x0A; }));
    Device.ResetNodeByItself(0x80, 0x05);
    ASSERT_TRUE(RunUntil([&] { return !Log.Lines.empty(); }));
    EXPECT_EQ(Log.Lines, std::vector<std::string>{"OnSuccessfulReset 80 05"});
    EXPECT_TRUE(RunUntil([&] { return Device.Node(0x80, 0x05).Yout == 0x0A; }));
}

TEST_F(GatewayNodesTest, AResetNoticeWhileConnectingIsShownAndTheConnectGoesOn)
{
    ConnectNow();
    Gateway.Vtx4i4o(0x80, 0x05)->pw_Yout(0x0A);
    Gateway.Disconnect();
    Log.Lines.clear();
    Device.SetAnswering(false);
    Gateway.Connect();
    // The node's outputs cannot be put back before the connection is up.
    Device.SendPacket({0x80, 0x05, 1, 31});
    for (char Register : {'3', '4', '5', '6', '7', '8', '9', '0', '1'})
        Device.SendReply(Register, Register == '7' ? 17 : 0);
    ASSERT_TRUE(RunUntil([&] { return Gateway.Connected(); }));
    ASSERT_EQ(Boxes.Boxes.size(), 1u);
    EXPECT_EQ(Boxes.Boxes[0].Text, NotConnected);
    EXPECT_EQ(Log.Lines, std::vector<std::string>{"OnConnectOK"});
}

TEST_F(GatewayNodesTest, TheTopologyIsCheckedAtEachConnect)
{
    ConnectNow();
    Gateway.Disconnect();
    TVtx4i4o Undeclared(nullptr, zci_Vtx4i4o, 0x80, 0x07, &Gateway);
    EXPECT_NE(MessageOf<EYGeneral>([&] { Gateway.Connect(); }).find("\nZlnSegId = 0x80\nZlnNodeId = 0x07\n"),
              std::string::npos);
    EXPECT_FALSE(Gateway.PcUart()->Opened());
}

} // namespace
