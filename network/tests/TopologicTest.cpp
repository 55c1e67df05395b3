// The topology table: registration, its readers and its emptying.
#include "NetworkTestSupport.h"

using namespace network_test;
using YVclUtil::EYGeneral;

namespace {

const std::string NotBelong = "\nThe address of node is not belong to the topologic of ZLNet !!!\n";

TEST(TopologicTable, StartsEmptyWithoutFileName)
{
    TRecordingRouter Router(nullptr);
    EXPECT_EQ(Router.FileName(), "");
    for (unsigned SegId = 0; SegId <= 0x80; ++SegId)
        EXPECT_FALSE(Router.HasBlock(static_cast<unsigned char>(SegId))) << SegId;
}

struct TAddressCase {
    unsigned char SegId;
    unsigned char NodeId;
    bool Inside;
};

TEST(TopologicTable, ReadersRefuseAddressesOutsideTheTable)
{
    TRecordingRouter Router(nullptr);
    TVtx4i4o Node(nullptr, zci_Vtx4i4o, 0x10, 0x20, &Router);
    const TAddressCase Cases[] = {
        {0x00, 0x00, true}, {0x80, 0x7F, true}, {0x10, 0x20, true}, {0x81, 0x00, false},
        {0x00, 0x80, false}, {0xFF, 0xFF, false}, {0x80, 0x80, false},
    };
    for (const TAddressCase& Case : Cases) {
        const std::string Where = Format("0x%02X 0x%02X", Case.SegId, Case.NodeId);
        if (Case.Inside) {
            const bool Registered = Case.SegId == 0x10 && Case.NodeId == 0x20;
            EXPECT_EQ(Router.TopologicClsId(Case.SegId, Case.NodeId), Registered ? zci_Vtx4i4o : zci_ZLNet) << Where;
            EXPECT_EQ(Router.TopologicZlnComponent(Case.SegId, Case.NodeId), Registered ? &Node : nullptr) << Where;
        } else {
            EXPECT_EQ(MessageOf<EYGeneral>([&] { Router.TopologicClsId(Case.SegId, Case.NodeId); }), NotBelong)
                << Where;
            EXPECT_EQ(MessageOf<EYGeneral>([&] { Router.TopologicZlnComponent(Case.SegId, Case.NodeId); }),
                      NotBelong)
                << Where;
        }
    }
    EXPECT_TRUE(Router.HasBlock(0x10));
    EXPECT_FALSE(Router.HasBlock(0x00)) << "reading allocates nothing";
}

TEST(TopologicTable, ADuplicatedAddressNamesBothIdsInUpperCaseHex)
{
    TRecordingRouter Router(nullptr);
    TVtx4i4o First(nullptr, zci_Vtx4i4o, 0x0A, 0x7F, &Router);
    TVtx4i4o Second(nullptr, zci_Vtx4i4o, 0x0A, 0x7F, nullptr);
    EXPECT_EQ(MessageOf<EYGeneral>([&] { Router.AddZlnComponentToZlnTopologic(&Second, zrk_Loaded); }),
              "\nErr: Duplicated ZLNet Address !!!\nZlnSegId  = 0x0A\nZlnNodeId = 0x7F\n");
    EXPECT_EQ(Router.TopologicZlnComponent(0x0A, 0x7F), &First);
}

TEST(TopologicTable, TheSameComponentMayRegisterAgain)
{
    TRecordingRouter Router(nullptr);
    TVtx4i4o Node(nullptr, zci_Vtx4i4o, 0x01, 0x01, &Router);
    ASSERT_EQ(Router.FlagsAt(0x01, 0x01), static_cast<std::uint32_t>(zrk_Constructed));
    Router.AddZlnComponentToZlnTopologic(&Node, zrk_Loaded);
    EXPECT_EQ(Router.FlagsAt(0x01, 0x01), static_cast<std::uint32_t>(zrk_Loaded));
    EXPECT_EQ(Router.TopologicZlnComponent(0x01, 0x01), &Node);
}

TEST(TopologicTable, AComponentOfClassIdZeroLeavesItsEntryFree)
{
    TRecordingRouter Router(nullptr);
    TVtx4i4o Plain(nullptr, zci_ZLNet, 0x01, 0x02, &Router);
    EXPECT_EQ(Router.TopologicClsId(0x01, 0x02), zci_ZLNet);
    TVtx4i4o Next(nullptr, zci_Vtx4i4o, 0x01, 0x02, &Router);
    EXPECT_EQ(Router.TopologicZlnComponent(0x01, 0x02), &Next) << "a free entry is taken by the next one";
}

TEST(TopologicTable, RegistrationOutsideTheTableIsRefused)
{
    TRecordingRouter Router(nullptr);
    EXPECT_EQ(MessageOf<EYGeneral>([&] { Router.AddZlnComponentToZlnTopologic(&Router, zrk_Loaded); }), NotBelong)
        << "the router's own address 0x80 0x80 is outside the node range";
    EXPECT_EQ(MessageOf<EYGeneral>([&] { Router.AddZlnComponentToZlnTopologic(nullptr, zrk_Loaded); }), NotBelong);
}

TEST(TopologicTable, FreeingDestroysOnlyWhatTheTableOwns)
{
    TRecordingRouter Router(nullptr);
    TVtx4i4o Constructed(nullptr, zci_Vtx4i4o, 0x01, 0x01, &Router);
    TVtx4i4o Loaded(nullptr, zci_Vtx4i4o, 0x01, 0x02, nullptr);
    Router.AddZlnComponentToZlnTopologic(&Loaded, zrk_Loaded);
    auto* Owned = new TVtx4i4o(&Router, zci_Vtx4i4o, 0x02, 0x01, &Router);
    Router.AddZlnComponentToZlnTopologic(Owned, zrk_Default);
    ASSERT_EQ(Router.ComponentCount(), 1);

    Router.FreeZlnTopologic();
    EXPECT_EQ(Router.ComponentCount(), 0) << "the component of kind 4 is destroyed";
    EXPECT_FALSE(Router.HasBlock(0x01));
    EXPECT_FALSE(Router.HasBlock(0x02));
    EXPECT_EQ(Constructed.BindTo(), &Router) << "the others simply drop out";
    EXPECT_EQ(Router.TopologicZlnComponent(0x01, 0x01), nullptr);
}

TEST(TopologicTable, TheDestructorDestroysWhatTheTableOwns)
{
    TComponent Form(nullptr);
    auto* Router = new TRecordingRouter(&Form);
    auto* Owned = new TVtx4i4o(Router, zci_Vtx4i4o, 0x02, 0x01, Router);
    Router->AddZlnComponentToZlnTopologic(Owned, zrk_Default);
    delete Router;
    EXPECT_EQ(Form.ComponentCount(), 0);
}

} // namespace
