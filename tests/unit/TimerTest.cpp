#include "app/Timer.h"

#include <gtest/gtest.h>

using vantorel::Timer;
using vantorel::VirtualClock;

TEST(VirtualClock, FiresDueTicksInTimeOrderAndRestartsOnReenable) {
    std::vector<std::pair<qint64, QString>> log;
    VirtualClock clock;
    Timer fast("fast", 10, true, [&] { log.push_back({clock.now(), "fast"}); });
    Timer slow("slow", 25, false, [&] { log.push_back({clock.now(), "slow"}); });
    clock.add(fast);
    clock.add(slow);
    clock.advance(5);
    slow.setEnabled(true);  // due at 30
    clock.advance(25);
    std::vector<std::pair<qint64, QString>> want{
        {10, "fast"}, {20, "fast"}, {30, "fast"}, {30, "slow"}};
    EXPECT_EQ(log, want);

    log.clear();
    slow.setEnabled(true);  // already on: no restart
    clock.advance(25);
    EXPECT_EQ(log.back(), (std::pair<qint64, QString>{55, "slow"}));
}

TEST(VirtualClock, TickThatStopsAndRestartsItsTimerBeginsAFreshInterval) {
    VirtualClock clock;
    int ticks = 0;
    Timer* self = nullptr;
    Timer t("t", 100, true, [&] {
        ++ticks;
        self->setEnabled(false);
        self->setEnabled(true);
    });
    self = &t;
    clock.add(t);
    clock.advance(100);
    EXPECT_EQ(ticks, 1);
    clock.advance(99);
    EXPECT_EQ(ticks, 1);
    clock.advance(1);
    EXPECT_EQ(ticks, 2);
}
