// TPcUart: the published properties and events, in type-information order.
#include "YVclCtrl/PcUart.h"

namespace OrbCtrl {

using namespace YVclCtrl;

namespace {

const std::vector<const char*> ParityBitNames = {"upb_None", "upb_Odd", "upb_Even"};
const std::vector<const char*> StopBitsNames = {"usb_1bit", "usb_2bits"};
const std::vector<const char*> FlowCtrlStyleNames = {"fcs_None", "fcs_Hardware"};
const std::vector<const char*> FlowCtrlHwRxdNames = {"fchr_None", "fchr_RTS", "fchr_DTR"};
const std::vector<const char*> FlowCtrlHwTxdNames = {"fcht_None", "fcht_CTS", "fcht_DSR", "fcht_DSR_CTS"};
const std::vector<const char*> WriteStyleNames = {"suws_WriteViaQueue", "suws_WriteThrough"};
const std::vector<const char*> RxdFilterNames = {"rfs_None", "rfs_ByDelimiterChar", "rfs_ByBytesOfPacket"};

} // namespace

void TPcUart::DefineProperties(TPropertyList& List)
{
    using V = const TStoredValue&;
    TCustomUart::DefineProperties(List);
    List.Add("UartPortNumber", [this](V Value) { pw_UartPortNumber(Value.AsUnsigned()); });
    List.Add("UartBaud", [this](V Value) { pw_UartBaud(Value.AsUnsigned()); });
    List.Add("UartBitsPerByte", [this](V Value) { pw_UartBitsPerByte(Value.AsUnsigned()); });
    List.Add("UartParityBit", [this](V Value) { UartParityBit = Value.AsEnumOf<TUartParityBit>(ParityBitNames); });
    List.Add("UartStopBits", [this](V Value) { UartStopBits = Value.AsEnumOf<TUartStopBits>(StopBitsNames); });
    List.Add("FlowCtrlStyle",
             [this](V Value) { pw_FlowCtrlStyle(Value.AsEnumOf<TFlowCtrlStyle>(FlowCtrlStyleNames)); });
    List.Add("FlowCtrlHwRxd",
             [this](V Value) { pw_FlowCtrlHwRxd(Value.AsEnumOf<TFlowCtrlHwRxd>(FlowCtrlHwRxdNames)); });
    List.Add("FlowCtrlHwTxd",
             [this](V Value) { pw_FlowCtrlHwTxd(Value.AsEnumOf<TFlowCtrlHwTxd>(FlowCtrlHwTxdNames)); });
    List.Add("SysUartWriteStyle",
             [this](V Value) { SysUartWriteStyle = Value.AsEnumOf<TSysUartWriteStyle>(WriteStyleNames); });
    List.Add("SysUartTxdQueueSize", [this](V Value) { pw_SysUartTxdQueueSize(Value.AsUnsigned()); });
    List.Add("SysUartRxdQueueSize", [this](V Value) { pw_SysUartRxdQueueSize(Value.AsUnsigned()); });
    List.Add("SysUartRxdIntervalTimeout", [this](V Value) { SysUartRxdIntervalTimeout = Value.AsUnsigned(); });
    List.Add("RxdFilter_Style", [this](V Value) { RxdFilter_Style = Value.AsEnumOf<TRxdFilter>(RxdFilterNames); });
    List.Add("RxdFilter_DelimiterChar", [this](V Value) { RxdFilter_DelimiterChar = Value.AsChar(); });
    List.Add("RxdFilter_BytesOfPacket", [this](V Value) { pw_BytesOfRxdPacket(Value.AsUnsigned()); });

    List.AddEvent<TNotifyEvent>("OnRiChanged", [this](TNotifyEvent E) { OnRiChanged = std::move(E); });
    List.AddEvent<TNotifyEvent>("OnCdChanged", [this](TNotifyEvent E) { OnCdChanged = std::move(E); });
    List.AddEvent<TNotifyEvent>("OnDsrChanged", [this](TNotifyEvent E) { OnDsrChanged = std::move(E); });
    List.AddEvent<TNotifyEvent>("OnCtsChanged", [this](TNotifyEvent E) { OnCtsChanged = std::move(E); });
    List.AddEvent<TNotifyEvent>("OnTxdEmpty", [this](TNotifyEvent E) { OnTxdEmpty = std::move(E); });
    List.AddEvent<TRxdDatasEvent>("OnRxdDatas", [this](TRxdDatasEvent E) { OnRxdDatas = std::move(E); });
    List.AddEvent<TNotifyEvent>("OnFrameErr", [this](TNotifyEvent E) { OnFrameErr = std::move(E); });
    List.AddEvent<TNotifyEvent>("OnParityErr", [this](TNotifyEvent E) { OnParityErr = std::move(E); });
    List.AddEvent<TNotifyEvent>("OnBreakLevelErr", [this](TNotifyEvent E) { OnBreakLevelErr = std::move(E); });
    List.AddEvent<TNotifyEvent>("OnRxOverrunErr", [this](TNotifyEvent E) { OnRxOverrunErr = std::move(E); });
    List.AddEvent<TNotifyEvent>("OnTxOverrunErr", [this](TNotifyEvent E) { OnTxOverrunErr = std::move(E); });
}

} // namespace OrbCtrl
