// CHidOutput against the simulated receiver.
#include "hook/HidOutput.h"
#include "support/SimulatedReceiver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

const BYTE kPulse[CHidOutput::kPayloadSize] = {0x79, 0x70, 2, 0, 0, 0, 0, 0};

std::vector<BYTE> ReportOf(const BYTE payload[CHidOutput::kPayloadSize])
{
    BYTE report[1 + CHidOutput::kPayloadSize] = {0};
    std::copy(payload, payload + CHidOutput::kPayloadSize, report + 1);
    return std::vector<BYTE>(report, report + sizeof(report));
}

class HidOutputTest : public testing::Test {
protected:
    CSimulatedReceiver m_receiver;
};

TEST_F(HidOutputTest, DeviceReceivesReportIdZeroAndThePayloadInOrder)
{
    std::wstring path = m_receiver.PlugReceiver();
    CHidOutput output;
    EXPECT_TRUE(output.IsOpen());
    EXPECT_EQ(1, output.Send(kPulse));
    EXPECT_EQ(1, output.Send(HidReports::kCommand80));

    auto reports = m_receiver.Reports();
    ASSERT_EQ(2u, reports.size());
    EXPECT_EQ(path, reports[0].device);
    EXPECT_EQ(ReportOf(kPulse), reports[0].bytes);
    EXPECT_EQ(ReportOf(HidReports::kCommand80), reports[1].bytes);
}

TEST_F(HidOutputTest, WithoutReceiverEverySendFailsAndLooksAgain)
{
    CHidOutput output;
    EXPECT_FALSE(output.IsOpen());
    EXPECT_EQ(0, output.Send(kPulse));
    EXPECT_EQ(0, output.Send(kPulse));

    // Plugged in after construction: the next send enumerates again and succeeds.
    m_receiver.PlugReceiver();
    EXPECT_EQ(1, output.Send(kPulse));
    EXPECT_TRUE(output.IsOpen());
    EXPECT_EQ(1u, m_receiver.Reports().size());
}

TEST_F(HidOutputTest, UnpluggedWhileOpenFailsClosesAndRecoversAfterReplug)
{
    std::wstring path = m_receiver.PlugReceiver();
    CHidOutput output;
    ASSERT_EQ(1, output.Send(kPulse));

    m_receiver.Unplug(path);
    EXPECT_EQ(0, output.Send(kPulse));
    EXPECT_FALSE(output.IsOpen());
    EXPECT_EQ(0, output.Send(kPulse));

    m_receiver.Plug(path);
    EXPECT_EQ(1, output.Send(kPulse));
    EXPECT_EQ(2u, m_receiver.Reports().size());
}

TEST_F(HidOutputTest, RefusedReportClosesTheDeviceAndTheNextSendReopens)
{
    m_receiver.PlugReceiver();
    CHidOutput output;
    m_receiver.SetRefusing(true);
    EXPECT_EQ(0, output.Send(kPulse));
    EXPECT_FALSE(output.IsOpen());

    m_receiver.SetRefusing(false);
    EXPECT_EQ(1, output.Send(kPulse));
    EXPECT_EQ(1u, m_receiver.Reports().size());
}

TEST_F(HidOutputTest, OnlyTheFirstMatchingInterfaceIsUsed)
{
    m_receiver.Plug(L"\\\\?\\hid#vid_046d&pid_c52b#other&0001#{4d1e55b2-f16f-11cf-88cb-001111000030}");
    std::wstring first = m_receiver.PlugReceiver(L"sim&0001");
    m_receiver.PlugReceiver(L"sim&0002");
    CHidOutput output;
    ASSERT_EQ(1, output.Send(kPulse));
    ASSERT_EQ(1, output.Send(kPulse));
    for (const auto& report : m_receiver.Reports())
        EXPECT_EQ(first, report.device);
}

TEST_F(HidOutputTest, PrefixMatchesWithoutRegardToCase)
{
    std::wstring upper =
        m_receiver.Plug(L"\\\\?\\HID#VID_3A5D&PID_5101#SIM&0003#{4D1E55B2-F16F-11CF-88CB-001111000030}");
    CHidOutput output;
    ASSERT_EQ(1, output.Send(kPulse));
    EXPECT_EQ(upper, m_receiver.Reports().at(0).device);
}

TEST_F(HidOutputTest, OtherVendorsAreNeverOpened)
{
    m_receiver.Plug(L"\\\\?\\hid#vid_3a5d&pid_5102#near&0001#{4d1e55b2-f16f-11cf-88cb-001111000030}");
    CHidOutput output;
    EXPECT_FALSE(output.IsOpen());
    EXPECT_EQ(0, output.Send(kPulse));
    EXPECT_TRUE(m_receiver.Reports().empty());
}

}  // namespace
