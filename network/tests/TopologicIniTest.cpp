// The topology file: header, node declarations, default components and the
// check of the table against the file.
#include <cstdio>

#include "NetworkTestSupport.h"

using namespace network_test;
using YVclUtil::EYGeneral;

namespace {

const char* const Vtx05 = "Travel_000=Device( \"VTX_4i4o\" ) , NetNodeId( 0x05 )\n";
const char* const NothingDeclared = "Travel_000=Device( \"VTX_4i4o\" ) , NetNodeId( 0xFF )\n";

struct TopologicIniTest : ::testing::Test {
    TTopologyFolder Folder;
    TRecordingRouter Router{nullptr};
    TVtx4i4o Template{nullptr};

    TopologicIniTest()
    {
        Router.SetName("Rnsm1");
        Router.pw_DefHandler_Vtx4i4o(&Template);
        Router.pw_FileName(Folder.Dir + "/net.ini");
    }

    // Writes the file and loads it: "(none)" on success, else the message.
    std::string Load(const std::string& Text)
    {
        Folder.Write("net.ini", Text);
        return MessageOf<EYGeneral>([&] { Router.LoadAndChkTopologicIniAndAssignDefaultZlnComponentToZlnTopologic(); });
    }
    std::string FileName() const { return Router.FileName(); }

    // Loads a file whose one declaration is Value into a router of its own:
    // the default nodes made, as "80:05", or the headline of the error.
    std::string OutcomeOf(const std::string& Value)
    {
        TRecordingRouter CaseRouter(nullptr);
        CaseRouter.pw_DefHandler_Vtx4i4o(&Template);
        CaseRouter.pw_FileName(Folder.Write("case.ini", TopologyText("Travel_000=" + Value)));
        const std::string Message = MessageOf<EYGeneral>(
            [&] { CaseRouter.LoadAndChkTopologicIniAndAssignDefaultZlnComponentToZlnTopologic(); });
        std::string Made;
        for (int i = 0; i < CaseRouter.ComponentCount(); ++i) {
            auto* Node = dynamic_cast<TVtx4i4o*>(CaseRouter.Components(i));
            Made += Format("%02X:%02X", Node->ZlnSegId(), Node->ZlnNodeId());
        }
        return Message == "(none)" ? Made : Headline(Message);
    }

    // The addresses of the router's default nodes, as "80:05 0A:01".
    std::string Defaults() const
    {
        std::string Out;
        for (int i = 0; i < Router.ComponentCount(); ++i) {
            auto* Node = dynamic_cast<TVtx4i4o*>(Router.Components(i));
            Out += (Out.empty() ? "" : " ") + Format("%02X:%02X", Node->ZlnSegId(), Node->ZlnNodeId());
        }
        return Out;
    }
    // The first line of a message, without its leading line feed.
    static std::string Headline(const std::string& Message)
    {
        const std::string Text = Message.substr(Message.find_first_not_of('\n'));
        return Text.substr(0, Text.find('\n'));
    }
};

struct TDeclarationCase {
    const char* Value;
    const char* Outcome;   // the default nodes made, or the headline of the error
};

const char* const Syntax = "Err: Invalid syntax in the topologic ini file !!!";
const char* const Outside = "The address of node is not belong to the topologic of ZLNet !!!";

const TDeclarationCase DeclarationCases[] = {
    {"Device( \"VTX_4i4o\" ) , NetNodeId( 0x05 )", "80:05"},
    {"Device(\"VTX_4i4o\"),NetNodeId(0x05)", "80:05"},
    {"Device(\"VTX_4i4o\"),NetNodeId(0x5)", "80:05"},
    {" \tDevice(\t\"VTX_4i4o\"\t)\t,\tNetNodeId(\t0x7F\t)", "80:7F"},
    {"Device( \"VTX_4i4o\" ) , NetNodeId( 0x05", "80:05"},
    {"Device( \"VTX_4i4o\" ) , NetNodeId( 0x05 ) and more", "80:05"},
    {"Device( \"VTX_4i4o\" ) , NetNodeId( 0x 05 )", "80:05"},
    {"Device( \"VTX_4i4o\" ) , NetNodeId( 0x0a )", "80:0A"},
    {"Device( \"vtx_4I4O\" ) , NetNodeId( 0x05 )", "80:05"},
    {"Device( \"VTX_4i4o\" ) , NetNodeId( 0xFF )", ""},
    {"Device( \"Other\" ) , NetNodeId( 0xff )", ""},
    {"Device ( \"VTX_4i4o\" ) , NetNodeId( 0x05 )", Syntax},
    {"Device( \"VTX_4i4o\" ) , NetNodeId( 05 )", Syntax},
    {"Device( \"VTX_4i4o\" ) , NetNodeId( 0X05 )", Syntax},
    {"device( \"VTX_4i4o\" ) , NetNodeId( 0x05 )", Syntax},
    {"Device( \"VTX_4i4o\" ) , netnodeid( 0x05 )", Syntax},
    {"Device( \"Other\" ) NetNodeId( 0xFF )", Syntax},
    {"Device( \"\" ) , NetNodeId( 0x05 )", Syntax},
    {"Device( \"VTX_4i4o ) , NetNodeId( 0x05 )", Syntax},
    {"Device( \"VTX_4i4o\" ) , NetNodeId( 0x )", Syntax},
    {"Device( \"VTX_4i4o\" ) , NetNodeId( 0x-1 )", Outside},
    {"Device( \"VTX_4i4o\" ) , NetNodeId( 0x0x05 )", "80:05"},
    {"Device( \"VTX_4i4o\" ) , NetNodeId( 0x+05 )", "80:05"},
    {"Device( VTX_4i4o ) , NetNodeId( 0x05 )", Syntax},
    {"VTX_4i4o, 5", Syntax},
    {"Device( \"VTX_4i4o\" ) , NetNodeId( 0x80 )", Outside},
    {"Device( \"VTX_4i4o\" ) , NetNodeId( 0xFE )", Outside},
    {"Device( \"VTX_4i4o\" ) , NetNodeId( 0x100 )", Outside},
    {"Device( \"VTX_4i4o\" ) , NetNodeId( 0xFFFFFFFFFFFFFFFFFF )", Outside},
    {"Device( \"VTX_4i4oX\" ) , NetNodeId( 0x05 )", "Err: Unknown Device() in the topologic ini file !!!"},
};

TEST_F(TopologicIniTest, NodeDeclarations)
{
    for (const TDeclarationCase& Case : DeclarationCases)
        EXPECT_EQ(OutcomeOf(Case.Value), Case.Outcome) << Case.Value;
}

// What follows "NetNodeId( 0x)": the node id as the run-time library's %X
// reads it, white space, a sign and its own 0x prefix included; a number of
// up to 64 bits is cut to the 32 bits of the field, a longer one is
// 0xFFFFFFFF.
const char* const NodeIdSpellings[] = {
    "05 )", "5", "7f )", "0x05 )", "0X05 )", "0x0x05 )", " 0x05 )", "\t+0x7F )", "\v05 )",
    "+05 )", "-1 )", "-0 )", "-80 )", "0x-5 )", "+ )", "- )", "+-5 )", "- 5 )", "+ 5 )",
    "0x )", "0x", "0xG )", "+0x )", "-0x )", "0xx5 )", "00x5 )", "0 5 )", "5 0 )", "x05 )", ")", "",
    "0000000000000000000000000000005 )", "FE )", "100 )", "FFFFFFFF )", "100000005 )", "1000000FF )",
    "FFFFFFFFFFFFFFFF )", "10000000000000005 )", "-FFFFFFFB )", "-FFFFFF01 )", "-FFFFFFFFFFFFFFFB )",
    "-10000000000000005 )",
};

TEST_F(TopologicIniTest, NodeIdsReadAsTheRunTimeLibraryReadsThem)
{
    for (const char* Spelling : NodeIdSpellings) {
        const std::string Value = std::string("Device( \"VTX_4i4o\" ) , NetNodeId( 0x") + Spelling;
        char Device[256] = {};
        unsigned NodeId = 0;
        const int Fields =
            std::sscanf(Value.c_str(), " Device( \"%[^\"]\" ) , NetNodeId( 0x%X )", Device, &NodeId);
        const std::string Expected = Fields < 2            ? Syntax
                                     : NodeId == 0xFF      ? ""
                                     : NodeId > ZlnMaxNodeId ? Outside
                                                           : Format("80:%02X", NodeId);
        EXPECT_EQ(OutcomeOf(Value), Expected) << "NetNodeId( 0x" << Spelling;
    }
}

TEST_F(TopologicIniTest, ADeviceNameLongerThan255CharactersIsASyntaxError)
{
    const std::string Name(256, 'V');
    EXPECT_EQ(Headline(Load(TopologyText("Travel_000=Device( \"" + Name + "\" ) , NetNodeId( 0x05 )"))), Syntax);
    const std::string Longest(255, 'V');
    EXPECT_EQ(Headline(Load(TopologyText("Travel_000=Device( \"" + Longest + "\" ) , NetNodeId( 0x05 )"))),
              "Err: Unknown Device() in the topologic ini file !!!")
        << "255 characters are read as a name";
}

TEST_F(TopologicIniTest, ErrorsNameTheComponentTheFileAndThePlace)
{
    EXPECT_EQ(Load(TopologyText("Travel_007=Device( \"VTX_4i4o\" ) NetNodeId( 0x05 )")),
              "\nErr: Invalid syntax in the topologic ini file !!!\nComponentName = Rnsm1\nFileName = " +
                  FileName() + "\nIniSection = NetSegmentId_0x80\nIniKey = Travel_007\n");
    EXPECT_EQ(Load(TopologyText("Travel_001=Device( \"VTX_8i8o\" ) , NetNodeId( 0x05 )")),
              "\nErr: Unknown Device() in the topologic ini file !!!\nComponentName = Rnsm1\nFileName = " + FileName() +
                  "\nIniSection = NetSegmentId_0x80\nIniKey = Travel_001\nDevice = VTX_8i8o\n");
    EXPECT_EQ(Load(TopologyText("Travel_002=Device( \"VTX_4i4o\" ) , NetNodeId( 0x90 )")),
              "\nThe address of node is not belong to the topologic of ZLNet !!!\nComponentName = Rnsm1\nFileName = " +
                  FileName() + "\nIniSection = NetSegmentId_0x80\nIniKey = Travel_002\n");
}

struct THeaderCase {
    const char* Name;
    std::string Text;
    bool Valid;
};

TEST_F(TopologicIniTest, Header)
{
    // A section exists from its first key on: NothingDeclared is that key.
    const std::string Segment80 = std::string("[NetSegmentId_0x80]\n") + NothingDeclared;
    const THeaderCase Cases[] = {
        {"ORB", "[ZlnTopologic.Head]\nSignature=ORB\n" + Segment80, true},
        {"orb in lower case", "[ZlnTopologic.Head]\nSignature=orb\n" + Segment80, true},
        {"comments", "# topology\n[ZlnTopologic.Head]\n# the signature\nSignature=Orb\n" + Segment80, true},
        {"no Signature", "[ZlnTopologic.Head]\nSign=ORB\n" + Segment80, false},
        {"other signature", "[ZlnTopologic.Head]\nSignature=ORBX\n" + Segment80, false},
        {"section name in lower case", "[zlntopologic.head]\nSignature=ORB\n" + Segment80, false},
        {"no segment 0x80", std::string("[ZlnTopologic.Head]\nSignature=ORB\n[NetSegmentId_0x01]\n") + NothingDeclared,
         false},
        {"segment 0x80 without a key", "[ZlnTopologic.Head]\nSignature=ORB\n[NetSegmentId_0x80]\nTravel_000=\n", false},
        {"empty file", "", false},
    };
    for (const THeaderCase& Case : Cases) {
        const std::string Message = Load(Case.Text);
        const std::string Refused =
            "\nErr: Invalid header in the topologic ini file !!!\nComponentName = Rnsm1\nFileName = " + FileName() + "\n";
        EXPECT_EQ(Message, Case.Valid ? "(none)" : Refused) << Case.Name;
    }
}

TEST_F(TopologicIniTest, TheFileMustBeNamedAndExist)
{
    Router.pw_FileName("");
    EXPECT_EQ(MessageOf<EYGeneral>([&] { Router.LoadAndChkTopologicIniAndAssignDefaultZlnComponentToZlnTopologic(); }),
              "\nErr: The FileName property is not defined !!!\nComponentName = Rnsm1\n");
    const std::string Missing = Folder.Dir + "/missing.ini";
    Router.pw_FileName(Missing);
    EXPECT_EQ(MessageOf<EYGeneral>([&] { Router.LoadAndChkTopologicIniAndAssignDefaultZlnComponentToZlnTopologic(); }),
              "\nErr: The topologic ini file is not exist !!!\nComponentName = Rnsm1\nFileName = " + Missing + "\n");
    EXPECT_FALSE(FileExists(Missing)) << "the loader creates no file";
    Router.pw_FileName(Folder.Dir);
    EXPECT_EQ(Headline(MessageOf<EYGeneral>(
                  [&] { Router.LoadAndChkTopologicIniAndAssignDefaultZlnComponentToZlnTopologic(); })),
              "Err: The topologic ini file is not exist !!!")
        << "a folder is no file";
}

TEST_F(TopologicIniTest, SectionsAndKeysThatAreRead)
{
    const std::string Text = TopologyText(std::string(NothingDeclared) +
                                              "Travel_256=Device( \"VTX_4i4o\" ) , NetNodeId( 0x02 )\n"
                                              "Travel_257=Device( \"VTX_4i4o\" ) , NetNodeId( 0x03 )\n"
                                              "Travel_1=Device( \"VTX_4i4o\" ) , NetNodeId( 0x04 )\n"
                                              "Travel_0001=Device( \"VTX_4i4o\" ) , NetNodeId( 0x06 )\n"
                                              "travel_002=Device( \"VTX_4i4o\" ) , NetNodeId( 0x07 )\n"
                                              "Travel_100=Device( \"VTX_4i4o\" ) , NetNodeId( 0x01 )\n",
                                          "[NetSegmentId_0x0A]\nTravel_000=Device( \"VTX_4i4o\" ) , NetNodeId( 0x01 )\n"
                                          "[NetSegmentId_0x0a]\nTravel_000=Device( \"VTX_4i4o\" ) , NetNodeId( 0x02 )\n"
                                          "[NetSegmentId_0xB]\nTravel_000=Device( \"VTX_4i4o\" ) , NetNodeId( 0x02 )\n"
                                          "[NetSegmentId_0x81]\nTravel_000=Device( \"VTX_4i4o\" ) , NetNodeId( 0x02 )\n"
                                          "[NetSegmentId_0x00]\nTravel_005=Device( \"VTX_4i4o\" ) , NetNodeId( 0x00 )\n");
    ASSERT_EQ(Load(Text), "(none)");
    EXPECT_EQ(Defaults(), "00:00 0A:01 80:01 80:02");
}

TEST_F(TopologicIniTest, DefaultNodesAreCopiesOfTheTemplateOwnedByTheTable)
{
    TEventLog Log;
    Template.OnInputChanged = Log.Address("OnInputChanged");
    ASSERT_EQ(Load(TopologyText(Vtx05)), "(none)");
    TVtx4i4o* Node = Router.Vtx4i4o(0x80, 0x05);
    EXPECT_EQ(Node->Owner(), &Router);
    EXPECT_EQ(Node->BindTo(), &Router);
    EXPECT_EQ(Router.FlagsAt(0x80, 0x05), ZlnEntryDeclared | zrk_Default);
    Router.FilteringReceivedZlnPacket(Rxd(0x80, 0x05, {0x81, 0x01}));
    EXPECT_EQ(Log.Lines, std::vector<std::string>{"OnInputChanged 80 05"});

    Router.FreeZlnTopologic();
    EXPECT_EQ(Router.ComponentCount(), 0) << "the table destroys the nodes it made";
}

TEST_F(TopologicIniTest, TwoKeysForOneAddressMakeOneNode)
{
    ASSERT_EQ(Load(TopologyText(std::string(Vtx05) + "Travel_001=Device( \"VTX_4i4o\" ) , NetNodeId( 0x05 )")),
              "(none)");
    EXPECT_EQ(Defaults(), "80:05");
}

TEST_F(TopologicIniTest, LoadingTwiceMakesTheNodesOnce)
{
    ASSERT_EQ(Load(TopologyText(Vtx05)), "(none)");
    TVtx4i4o* First = Router.Vtx4i4o(0x80, 0x05);
    ASSERT_EQ(Load(TopologyText(Vtx05)), "(none)");
    EXPECT_EQ(Router.Vtx4i4o(0x80, 0x05), First);
    EXPECT_EQ(Defaults(), "80:05");
}

TEST_F(TopologicIniTest, ARegisteredNodeIsDeclaredAndKeepsItsKind)
{
    TVtx4i4o Node(nullptr, zci_Vtx4i4o, 0x80, 0x05, &Router);
    ASSERT_EQ(Load(TopologyText(Vtx05)), "(none)");
    EXPECT_EQ(Defaults(), "");
    EXPECT_EQ(Router.FlagsAt(0x80, 0x05), ZlnEntryDeclared | zrk_Constructed);
}

TEST_F(TopologicIniTest, AnUndeclaredNodeFailsTheCheckAfterTheDefaultsAreMade)
{
    TVtx4i4o Node(nullptr, zci_Vtx4i4o, 0x80, 0x06, &Router);
    EXPECT_EQ(Load(TopologyText(Vtx05)),
              "\nErr: 發現一個於拓墣 INI 檔內並沒有宣告使用的元件\n但該元件不但已經存在,而且也已掛入了拓墣結構內 !!!\n"
              "ComponentName = Rnsm1\nFileName = " +
                  FileName() + "\nZlnSegId = 0x80\nZlnNodeId = 0x06\n");
    EXPECT_EQ(Defaults(), "80:05");
}

TEST_F(TopologicIniTest, TheCheckReflectsOnlyTheLastLoad)
{
    ASSERT_EQ(Load(TopologyText(Vtx05)), "(none)");
    EXPECT_EQ(Headline(Load(TopologyText(NothingDeclared))),
              "Err: 發現一個於拓墣 INI 檔內並沒有宣告使用的元件");
}

TEST_F(TopologicIniTest, AComponentOfClassIdZeroIsNotSeen)
{
    TVtx4i4o Plain(nullptr, zci_ZLNet, 0x80, 0x05, &Router);
    TVtx4i4o Other(nullptr, zci_ZLNet, 0x80, 0x06, &Router);
    ASSERT_EQ(Load(TopologyText(Vtx05)), "(none)");
    EXPECT_EQ(Defaults(), "80:05");
    EXPECT_NE(Router.Vtx4i4o(0x80, 0x05), &Plain);
}

TEST_F(TopologicIniTest, AnotherClassAtADeclaredAddressDoesNotConform)
{
    TVtx4i4o Foreign(nullptr, static_cast<_EZlnClsId>(7), 0x80, 0x05, &Router);
    EXPECT_EQ(Load(TopologyText(Vtx05)),
              "\nErr: Current Topologic is not conform to topologic ini file !!!\nComponentName = Rnsm1\nFileName = " +
                  FileName() + "\nIniSection = NetSegmentId_0x80\nIniKey = Travel_000\nDevice = VTX_4i4o\n");
}

TEST_F(TopologicIniTest, WithoutATemplateNoNodeCanBeMade)
{
    Router.pw_DefHandler_Vtx4i4o(nullptr);
    EXPECT_EQ(Load(TopologyText(Vtx05)),
              "\nErr: 發現一個於拓墣 INI 檔內有宣告使用的元件,但卻又找不到\n該元件存在的情形,同時也找不到該類型元件的 "
              "DefHandler !!!\nComponentName = Rnsm1\nFileName = " +
                  FileName() + "\nZlnSegId = 0x80\nZlnNodeId = 0x05\n");
}

TEST_F(TopologicIniTest, AFailedLoadKeepsWhatItHadDone)
{
    EXPECT_EQ(Headline(Load(TopologyText(std::string(Vtx05) + "Travel_001=bad"))), Syntax);
    EXPECT_EQ(Defaults(), "80:05");
    EXPECT_EQ(Router.FlagsAt(0x80, 0x05), ZlnEntryDeclared | zrk_Default);
}

TEST_F(TopologicIniTest, AnUnknownDeviceStillAllocatesItsSegment)
{
    EXPECT_EQ(Headline(Load(TopologyText(NothingDeclared,
                                         "[NetSegmentId_0x03]\nTravel_000=Device( \"X\" ) , NetNodeId( 0x01 )\n"))),
              "Err: Unknown Device() in the topologic ini file !!!");
    EXPECT_TRUE(Router.HasBlock(0x03));
}

// A router whose default creation registers its node one address too far.
class TMisplacingRouter : public TRecordingRouter {
public:
    using TRecordingRouter::TRecordingRouter;
    TZLNet* CreateDefaultZlnComponentAndAddToZlnTopologic(_EZlnClsId ClsId, unsigned char SegId, unsigned char NodeId,
                                                           TZLNet_Topologic* Topologic) override
    {
        return new TVtx4i4o(this, ClsId, SegId, static_cast<unsigned char>(NodeId + 1), Topologic);
    }
};

TEST_F(TopologicIniTest, ADefaultNodeThatIsNotAtItsAddressIsRefused)
{
    TMisplacingRouter Misplacing(nullptr);
    Misplacing.pw_FileName(Folder.Write("net.ini", TopologyText(Vtx05)));
    EXPECT_EQ(MessageOf<EYGeneral>(
                  [&] { Misplacing.LoadAndChkTopologicIniAndAssignDefaultZlnComponentToZlnTopologic(); }),
              "\nErr: CreateDefaultZlnComponentAndAddToZlnTopologic() !!!\n");
    EXPECT_EQ(Misplacing.TopologicClsId(0x80, 0x05), zci_ZLNet);
    EXPECT_EQ(Misplacing.FlagsAt(0x80, 0x05), 0u) << "the entry is not marked as the table's own";
}

} // namespace
