#include <gtest/gtest.h>

#include <atomic>
#include <pty.h>
#include <unistd.h>

#include "ModemWatch.h"

using win32_detail::TModemWatch;

// A pseudo-terminal has no modem lines: the watch ends by itself at once,
// reports nothing, and stopping it does not wait for a change that never comes.
TEST(ModemWatch, EndsOnADeviceWithoutModemLines)
{
    int Master = -1;
    int Slave = -1;
    ASSERT_EQ(openpty(&Master, &Slave, nullptr, nullptr, nullptr), 0);
    std::atomic<int> Changes{0};
    {
        TModemWatch Watch(Slave, [&](int) { ++Changes; });
    }
    EXPECT_EQ(Changes, 0);
    close(Slave);
    close(Master);
}
