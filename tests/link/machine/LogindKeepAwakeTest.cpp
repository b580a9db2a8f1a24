// SPDX-License-Identifier: Apache-2.0
// The logind inhibitor over a real D-Bus daemon, with python3-dbusmock's logind on a private bus.
#include "link/machine/LogindKeepAwake.h"
#include "tests/link/machine/PrivateSystemBus.h"
#include "tests/link/serial/CoreApplication.h"

#include <QTest>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace sus::test {
namespace {

constexpr int kAnswerWithinMs = 10'000;

// Holds `keepAwake` and waits for its answer.
KeepAwake::Answer heldAnswer(KeepAwake& keepAwake)
{
    std::optional<KeepAwake::Answer> answer;
    keepAwake.hold([&](const KeepAwake::Answer& given) { answer = given; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, kAnswerWithinMs));
    return answer.value_or(KeepAwake::Answer{});
}

TEST(LogindKeepAwake, AnInhibitorIsListedFromHoldToReleaseAndNoneStaysAfterAnEarlyRelease)
{
    ensureCoreApplication();
    PrivateSystemBus bus;
    ASSERT_TRUE(bus.failure().isEmpty() && bus.startLogind()) << bus.failure().toStdString();
    LogindKeepAwake keepAwake([&] { return bus.connection(); }, "Software Update System");
    const KeepAwake::Answer answer = heldAnswer(keepAwake);
    EXPECT_TRUE(answer.held) << answer.whyNot;
    EXPECT_EQ(bus.inhibitors(),
              (std::vector<PrivateSystemBus::Inhibitor>{
                  {"sleep:idle", "Software Update System", "Updating fixture firmware", "block"}}));
    keepAwake.release();
    EXPECT_TRUE(QTest::qWaitFor([&] { return bus.inhibitors().empty(); }, kAnswerWithinMs));

    // Released before logind answered: the answer's descriptor is let go, and nobody is told.
    bool told = false;
    keepAwake.hold([&](const KeepAwake::Answer&) { told = true; });
    keepAwake.release();
    QTest::qWait(500);
    EXPECT_TRUE(QTest::qWaitFor([&] { return bus.inhibitors().empty(); }, kAnswerWithinMs));
    EXPECT_FALSE(told);
}

// Without logind the answer says so too, as mvt's own test shows.
TEST(LogindKeepAwake, WithoutABusTheAnswerSaysWhy)
{
    ensureCoreApplication();
    LogindKeepAwake keepAwake(
        [] {
            return QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"),
                                                 QStringLiteral("none"));
        },
        "mvt");
    const KeepAwake::Answer answer = heldAnswer(keepAwake);
    EXPECT_FALSE(answer.held);
    EXPECT_EQ(answer.whyNot.rfind("no system bus answered (", 0), 0u) << answer.whyNot;
}

} // namespace
} // namespace sus::test
