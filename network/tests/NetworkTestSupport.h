#pragma once
// What the network tests share: a router that records what it sends instead
// of using a line, a log of the events and hooks raised, four-in four-out
// nodes that log their hooks, received packets built from bytes, a
// temporary topology file, and recorded message boxes.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

#include "OrbCtrl/Vtx4i4o.h"
#include "OrbCtrl/ZLNet_Rnsm.h"
#include "rtl/MessageBox.h"
#include "rtl/SysUtils.h"

namespace network_test {

using namespace OrbCtrl;
using TBytes = std::vector<unsigned char>;

inline TBytes TxdBytes(const _SZLNTXDPACKET& Packet)
{
    TBytes Bytes{Packet.ZlnSegId, Packet.ZlnNodeId, Packet.BytesOfDatas};
    for (unsigned i = 0; i < Packet.BytesOfDatas && i < ZlnMaxBytesOfDatas; ++i)
        Bytes.push_back(Packet.Datas[i]);
    return Bytes;
}

// A received packet: address, BytesOfDatas and Datas as given.
inline TZlnRxdPacket Rxd(unsigned char SegId, unsigned char NodeId, std::initializer_list<unsigned char> Datas)
{
    TZlnRxdPacket Packet{};
    Packet.ZlnSegId = SegId;
    Packet.ZlnNodeId = NodeId;
    Packet.BytesOfDatas = static_cast<unsigned char>(Datas.size());
    unsigned i = 0;
    for (unsigned char Byte : Datas)
        Packet.Datas[i++] = Byte;
    return Packet;
}

// Lines such as "OnGotZlnClsId 80 05" or "hook SuccessfulReset", in order.
struct TEventLog {
    std::vector<std::string> Lines;

    void Add(const std::string& Line) { Lines.push_back(Line); }
    // An address-form handler that logs its name, the sender's address as
    // the event gives it, and checks the sender.
    TZlnAddressEvent Address(const std::string& Name, TObject* ExpectedSender = nullptr)
    {
        return [this, Name, ExpectedSender](TObject* Sender, unsigned char SegId, unsigned char NodeId) {
            if (ExpectedSender) {
                EXPECT_EQ(Sender, ExpectedSender) << Name;
            }
            Add(Format("%s %02X %02X", Name.c_str(), SegId, NodeId));
        };
    }
    TZlnRxdPacketEvent Packet(const std::string& Name)
    {
        return [this, Name](TObject*, const TZlnRxdPacket& P) {
            Add(Format("%s %02X %02X cmd %u", Name.c_str(), P.ZlnSegId, P.ZlnNodeId, P.Datas[0]));
        };
    }
    TNotifyEvent Notify(const std::string& Name)
    {
        return [this, Name](TObject*) { Add(Name); };
    }
    // The five address-form events of a member, each logged under its name
    // after Prefix.
    void AssignAddressEvents(const std::string& Prefix, TObject* Sender, TZlnAddressEvent& OnPacketUnreachable,
                             TZlnAddressEvent& OnSuccessfulReset, TZlnAddressEvent& OnGotZlnProtocolVersion,
                             TZlnAddressEvent& OnGotZlnClsId, TZlnAddressEvent& OnGotZlnCustomerId)
    {
        OnPacketUnreachable = Address(Prefix + "OnPacketUnreachable", Sender);
        OnSuccessfulReset = Address(Prefix + "OnSuccessfulReset", Sender);
        OnGotZlnProtocolVersion = Address(Prefix + "OnGotZlnProtocolVersion", Sender);
        OnGotZlnClsId = Address(Prefix + "OnGotZlnClsId", Sender);
        OnGotZlnCustomerId = Address(Prefix + "OnGotZlnCustomerId", Sender);
    }
    void AssignAddressEvents(TZLNet_Node& Node)
    {
        AssignAddressEvents("", &Node, Node.OnPacketUnreachable, Node.OnSuccessfulReset, Node.OnGotZlnProtocolVersion,
                            Node.OnGotZlnClsId, Node.OnGotZlnCustomerId);
    }
};

// A router whose sending is recorded; Connect and Disconnect only flip the
// flag.
class TRecordingRouter : public TZLNet_Rnsm {
public:
    using TZLNet_Rnsm::TZLNet_Rnsm;
    ~TRecordingRouter() override { Disconnect(); }

    void Connect() override { FConnected = true; }
    void Disconnect() override { FConnected = false; }
    void SendZlnPacket(const _SZLNTXDPACKET& Packet) override { Sent.push_back(TxdBytes(Packet)); }

    // The flags of an entry (0 in a segment without a block).
    std::uint32_t FlagsAt(unsigned char SegId, unsigned char NodeId) const
    {
        const TopologicEntry* Entries = Block(SegId);
        return Entries ? Entries[NodeId].Flags : 0;
    }
    bool HasBlock(unsigned char SegId) const { return Block(SegId) != nullptr; }

    std::vector<TBytes> Sent;
};

// A four-in four-out node that logs each hook it runs (and runs the
// node's own).
class TLoggedVtx4i4o : public TVtx4i4o {
public:
    TLoggedVtx4i4o(TComponent* Owner, TEventLog& ALog) : TVtx4i4o(Owner), Log(ALog) {}
    TLoggedVtx4i4o(TComponent* Owner, unsigned char SegId, unsigned char NodeId, TZLNet_Topologic* Topologic,
                   TEventLog& ALog)
        : TVtx4i4o(Owner, zci_Vtx4i4o, SegId, NodeId, Topologic), Log(ALog)
    {
    }

    TEventLog& Log;

protected:
    void BeforeFireOnPacketUnreachableEvent(const _SZLNRXDPACKET& P) override { Hook("PacketUnreachable", P); }
    void BeforeFireOnSuccessfulResetEvent(const _SZLNRXDPACKET& P) override
    {
        Log.Add("hook SuccessfulReset");
        TVtx4i4o::BeforeFireOnSuccessfulResetEvent(P);
    }
    void BeforeFireOnGotZlnProtocolVersionEvent(const _SZLNRXDPACKET& P) override { Hook("GotZlnProtocolVersion", P); }
    void BeforeFireOnGotZlnClsIdEvent(const _SZLNRXDPACKET& P) override { Hook("GotZlnClsId", P); }
    void BeforeFireOnGotZlnCustomerIdEvent(const _SZLNRXDPACKET& P) override { Hook("GotZlnCustomerId", P); }
    void BeforeFireOnUnfilteredRxdZlnPacketEvent(const _SZLNRXDPACKET& P) override { Hook("UnfilteredRxdZlnPacket", P); }
    void BeforeRunRequestToReset() override
    {
        Log.Add("hook BeforeRunRequestToReset");
        TVtx4i4o::BeforeRunRequestToReset();
    }

private:
    void Hook(const char* Name, const _SZLNRXDPACKET&) { Log.Add(std::string("hook ") + Name); }
};

// A temporary folder that holds topology files; removed with the object.
class TTopologyFolder {
public:
    TTopologyFolder()
    {
        char Template[] = "/tmp/zlntopologic-XXXXXX";
        if (mkdtemp(Template))
            Dir = Template;
    }
    ~TTopologyFolder()
    {
        if (!Dir.empty())
            std::system(("rm -rf '" + Dir + "'").c_str());
    }
    TTopologyFolder(const TTopologyFolder&) = delete;
    TTopologyFolder& operator=(const TTopologyFolder&) = delete;

    // Writes the file and returns its path.
    std::string Write(const std::string& Name, const std::string& Text) const
    {
        const std::string Path = Dir + "/" + Name;
        std::ofstream(Path, std::ios::binary) << Text;
        return Path;
    }

    std::string Dir;
};

// The header and the section of segment 0x80 with the given lines after it.
inline std::string TopologyText(const std::string& Segment80Lines, const std::string& MoreSections = "")
{
    return "[ZlnTopologic.Head]\nSignature=ORB\n\n[NetSegmentId_0x80]\n" + Segment80Lines + "\n" + MoreSections;
}

struct TBox {
    std::string Caption;
    std::string Text;
};

// Records the message boxes shown while it lives; each answers OK.
struct TBoxRecorder {
    std::vector<TBox> Boxes;
    TScopedMessageBoxHook Hook{[this](const TMessageBoxRequest& Request) {
        Boxes.push_back(TBox{Request.Caption, Request.Text});
        return IDOK;
    }};
};

// The message of the exception that Call raises, or "(none)".
template <class E, class F>
std::string MessageOf(F&& Call)
{
    try {
        Call();
    } catch (const E& Error) {
        return Error.Message;
    }
    return "(none)";
}

} // namespace network_test
