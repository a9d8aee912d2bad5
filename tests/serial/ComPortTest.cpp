#include "ThrownMessage.h"
#include "serial/ComTypes.h"
#include "serial/EComHandle.h"
#include "serial/EComState.h"
#include "serial/TComPort.h"
#include "serial/TComThread.h"
#include "testing/FakeSerialDevice.h"
#include "tests/serial/CommsTestUtil.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

// The values the main window's form gives its port.
void applyFormValues(TComPort& port, uint8_t number = 3) {
    port.setPort(number);
    port.setDataBits(5);
    port.setEvents({TEvent::evDSR});
    port.setWriteBufSize(64);
    port.setReadBufSize(64);
}

} // namespace

TEST(ComPort, ConstructionValues) {
    TComPort port;
    EXPECT_EQ(port.BaudRate(), TBaudRate::br9600);
    EXPECT_EQ(port.BaudRateUser(), 28800);
    EXPECT_EQ(port.Port(), 1);
    EXPECT_EQ(port.Parity(), TParity::prNone);
    EXPECT_EQ(port.StopBits(), TStopBits::sbOneStopBit);
    EXPECT_EQ(port.FlowControl(), TFlowControl::fcNone);
    EXPECT_EQ(port.DataBits(), 8);
    EXPECT_EQ(port.Events(), TEvents::All());
    EXPECT_TRUE(port.EnableDTR());
    EXPECT_EQ(port.WriteBufSize(), 2048);
    EXPECT_EQ(port.ReadBufSize(), 2048);
    EXPECT_FALSE(port.Connected());
    EXPECT_EQ(port.ModemStatus(), 0u);
}

TEST(ComPort, DataBitsAreKeptWithinFiveToEight) {
    TComPort port;
    port.setDataBits(4);
    EXPECT_EQ(port.DataBits(), 5);
    port.setDataBits(9);
    EXPECT_EQ(port.DataBits(), 8);
    port.setDataBits(0);
    EXPECT_EQ(port.DataBits(), 5);
    port.setDataBits(7);
    EXPECT_EQ(port.DataBits(), 7);
}

TEST(ComPort, EnumOrdinalsAndBaudTable) {
    EXPECT_EQ(static_cast<int>(TBaudRate::br76500), 11);
    EXPECT_EQ(static_cast<int>(TBaudRate::brUser), 15);
    EXPECT_EQ(static_cast<int>(TParity::prSpace), 4);
    EXPECT_EQ(static_cast<int>(TStopBits::sbTwoStopBits), 2);
    EXPECT_EQ(static_cast<int>(TEvent::evRLSD), 8);
    EXPECT_EQ(BaudRateValue(TBaudRate::br110, 0), 110u);
    EXPECT_EQ(BaudRateValue(TBaudRate::br56000, 0), 56000u);
    EXPECT_EQ(BaudRateValue(TBaudRate::br76500, 0), 57600u);
    EXPECT_EQ(BaudRateValue(TBaudRate::br256000, 0), 256000u);
    EXPECT_EQ(BaudRateValue(TBaudRate::brUser, 28800), 28800u);
}

TEST(ComPort, EventMaskFollowsTheTableMemberByMember) {
    EXPECT_EQ(EventsToMask({TEvent::evDSR}), 0x0010u);
    EXPECT_EQ(EventsToMask(TEvents::All()), 0x01FFu);
    EXPECT_EQ(EventsToMask({}), 0u);
    EXPECT_EQ(EventsToMask({TEvent::evRxFlag}), 0x0002u);
    EXPECT_EQ(EventsToMask({TEvent::evTxEmpty}), 0x0004u);
    EXPECT_EQ(EventsToMask({TEvent::evRing, TEvent::evError}), 0x0180u);
}

TEST(ComPort, DeviceNameUsesTheWholeNumber) {
    TComPort port;
    port.setPort(3);
    EXPECT_EQ(port.DeviceName(), "COM3");
    port.setPort(12);
    EXPECT_EQ(port.DeviceName(), "COM12");
    port.setPort(0);
    EXPECT_EQ(port.DeviceName(), "COM0");
}

TEST(ComPort, OpenAppliesTheFormValuesInOrder) {
    FakeSerial fake;
    TComPort port;
    applyFormValues(port, 12);
    port.Open();
    ASSERT_TRUE(port.Connected());
    EXPECT_EQ(fake.line().openedName(), "COM12");

    SerialDcb expected;
    expected.DCBlength = 28;
    expected.BaudRate = 9600;
    expected.fBinary = 1;
    expected.fDtrControl = 1;
    expected.XonLim = 16;
    expected.XoffLim = 1;
    expected.ByteSize = 5;
    expected.XonChar = 17;
    expected.XoffChar = 19;
    EXPECT_EQ(fake.line().dcb(), expected);
    EXPECT_EQ(fake.line().timeouts(), (SerialTimeouts{0xFFFFFFFF, 0, 0, 1000, 1500}));
    EXPECT_EQ(fake.line().queues(), std::make_pair(64u, 64u));
    EXPECT_EQ(fake.line().eventMask(), 0x0010u);

    const auto log = fake.line().log();
    const std::vector<std::string> start(log.begin(), log.begin() + 6);
    EXPECT_EQ(start, (std::vector<std::string>{"open COM12", "setState", "getTimeouts", "setTimeouts",
                                               "setupQueues", "setEventMask"}));
    port.Close();
    EXPECT_EQ(fake.line().openDevices(), 0);
    EXPECT_EQ(fake.line().log().back(), "close");
}

TEST(ComPort, LineSettingsFollowTheProperties) {
    FakeSerial fake;
    TComPort port;
    port.setBaudRate(TBaudRate::br76500);
    port.setParity(TParity::prMark);
    port.setStopBits(TStopBits::sbOne5StopBits);
    port.setFlowControl(TFlowControl::fcRtsCts);
    port.setEnableDTR(false);
    port.setWriteBufSize(1000);
    port.Open();
    SerialDcb dcb = fake.line().dcb();
    EXPECT_EQ(dcb.BaudRate, 57600u);
    EXPECT_EQ(dcb.Parity, 3);
    EXPECT_EQ(dcb.fParity, 0u) << "parity checking stays off";
    EXPECT_EQ(dcb.StopBits, 1);
    EXPECT_EQ(dcb.fOutxCtsFlow, 1u);
    EXPECT_EQ(dcb.fRtsControl, 2u);
    EXPECT_EQ(dcb.fOutX, 0u);
    EXPECT_EQ(dcb.fDtrControl, 0u);
    EXPECT_EQ(dcb.XonLim, 250);

    port.setBaudRate(TBaudRate::brUser);
    port.setFlowControl(TFlowControl::fcXonXoff);
    port.Open();
    dcb = fake.line().dcb();
    EXPECT_EQ(dcb.BaudRate, 28800u);
    EXPECT_EQ(dcb.fOutX, 1u);
    EXPECT_EQ(dcb.fInX, 1u);
    EXPECT_EQ(dcb.fRtsControl, 0u);
}

TEST(ComPort, OpenFailureRaisesEComHandleAndChangesNothing) {
    FakeSerial fake;
    TComPort port;
    int opened = 0;
    port.OnOpen = [&](QObject*) { ++opened; };
    fake.line().setFailure(SerialCall::Open, 2);
    EXPECT_EQ(ThrownMessage<EComHandle>([&] { port.Open(); }), "Unable to open com port: 2");
    EXPECT_FALSE(port.Connected());
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(fake.line().waitCalls(), 0) << "no watcher";
}

TEST(ComPort, PortZeroHasNoDevice) {
    TComPort port;
    port.setPort(0);
    EXPECT_EQ(ThrownMessage<EComHandle>([&] { port.Open(); }), "Unable to open com port: 2");
    EXPECT_FALSE(port.Connected());
}

TEST(ComPort, EachSettingsStepFailureRaisesEComStateAndReleasesTheDevice) {
    for (SerialCall call :
         {SerialCall::SetState, SerialCall::GetTimeouts, SerialCall::SetTimeouts, SerialCall::SetupQueues}) {
        FakeSerial fake;
        TComPort port;
        fake.line().setFailure(call, 87);
        EXPECT_EQ(ThrownMessage<EComState>([&] { port.Open(); }), "Unable to set com state: 87");
        EXPECT_FALSE(port.Connected());
        EXPECT_EQ(fake.line().openDevices(), 0) << "the half-opened device is closed";
        EXPECT_EQ(fake.line().waitCalls(), 0);
        // With the fault gone the port opens at once; nothing holds it.
        fake.line().setFailure(call, 0);
        EXPECT_NO_THROW(port.Open());
        EXPECT_TRUE(port.Connected());
    }
}

TEST(ComPort, EventMaskFailureIsIgnored) {
    FakeSerial fake;
    TComPort port;
    fake.line().setFailure(SerialCall::SetEventMask, 5);
    EXPECT_NO_THROW(port.Open());
    EXPECT_TRUE(port.Connected());
}

TEST(ComPort, OpenOnAnOpenPortClosesFirstAndCloseOnAClosedPortDoesNothing) {
    FakeSerial fake;
    TComPort port;
    std::vector<std::string> seen;
    port.OnOpen = [&](QObject* sender) {
        EXPECT_EQ(sender, &port);
        seen.push_back("open");
    };
    port.OnClose = [&](QObject*) { seen.push_back("close"); };
    port.Close();
    EXPECT_TRUE(seen.empty());
    port.Open();
    port.Open();
    EXPECT_EQ(seen, (std::vector<std::string>{"open", "close", "open"}));
    EXPECT_EQ(fake.line().openDevices(), 1);
    port.Close();
    port.Close();
    EXPECT_EQ(seen.back(), "close");
    EXPECT_EQ(seen.size(), 4u);
}

TEST(ComPort, ModemStatusReadsTheOpenDeviceOnly) {
    FakeSerial fake;
    TComPort port;
    fake.line().setModemStatus(MS_DSR_ON | MS_CTS_ON);
    port.Open();
    EXPECT_EQ(port.ModemStatus(), MS_DSR_ON | MS_CTS_ON);
    fake.line().setFailure(SerialCall::ModemStatus, 5);
    EXPECT_EQ(port.ModemStatus(), 0u) << "an unreadable status reads as 0";
    port.Close();
    EXPECT_EQ(port.ModemStatus(), 0u);
    EXPECT_EQ(fake.line().callsAfterClose(), 0) << "a closed device is never used again";
}

TEST(ComPort, DestroyingAnOpenPortClosesIt) {
    FakeSerial fake;
    int closed = 0;
    {
        TComPort port;
        port.OnClose = [&](QObject*) { ++closed; };
        port.Open();
        ASSERT_TRUE(fake.line().waitUntilWaiting());
    }
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(fake.line().openDevices(), 0);
}
