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

using Inhibitor = PrivateSystemBus::Inhibitor;

struct WithLogind : ::testing::Test {
    WithLogind()
    {
        ensureCoreApplication();
        started =
            bus.failure().isEmpty() && bus.startMock({QStringLiteral("--template"), QStringLiteral("logind")},
                                                     QStringLiteral("org.freedesktop.login1"));
    }

    PrivateSystemBus bus;
    bool started = false;
};

TEST_F(WithLogind, AnInhibitorIsListedFromHoldToRelease)
{
    ASSERT_TRUE(started) << bus.failure().toStdString();
    LogindKeepAwake keepAwake(bus.connection(), "Software Update System");
    std::optional<KeepAwake::Answer> answer;
    keepAwake.hold([&](const KeepAwake::Answer& given) { answer = given; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, kAnswerWithinMs));
    EXPECT_TRUE(answer->held) << answer->whyNot;
    EXPECT_EQ(bus.inhibitors(), (std::vector<Inhibitor>{{"sleep:idle", "Software Update System",
                                                         "Updating fixture firmware", "block"}}));

    keepAwake.release();
    EXPECT_TRUE(QTest::qWaitFor([&] { return bus.inhibitors().empty(); }, kAnswerWithinMs));
}

TEST_F(WithLogind, ReleasedBeforeLogindAnsweredNothingStaysHeldAndNothingIsTold)
{
    ASSERT_TRUE(started) << bus.failure().toStdString();
    LogindKeepAwake keepAwake(bus.connection(), "mvt");
    bool told = false;
    keepAwake.hold([&](const KeepAwake::Answer&) { told = true; });
    keepAwake.release();
    // logind has answered once its inhibitor is listed; the answer's descriptor is then let go.
    QTest::qWait(500);
    EXPECT_TRUE(QTest::qWaitFor([&] { return bus.inhibitors().empty(); }, kAnswerWithinMs));
    EXPECT_FALSE(told);
}

TEST(LogindKeepAwakeRefused, WithoutLogindOrWithoutABusTheAnswerSaysWhy)
{
    ensureCoreApplication();
    PrivateSystemBus bus;
    ASSERT_TRUE(bus.failure().isEmpty()) << bus.failure().toStdString();
    struct Case {
        const char* where;
        QDBusConnection connection;
        std::string whyStartsWith;
    };
    const Case cases[] = {
        {"a bus without logind", bus.connection(), "logind refused ("},
        {"no bus",
         QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), QStringLiteral("none")),
         "no system bus answered ("},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        LogindKeepAwake keepAwake(c.connection, "mvt");
        std::optional<KeepAwake::Answer> answer;
        keepAwake.hold([&](const KeepAwake::Answer& given) { answer = given; });
        ASSERT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, kAnswerWithinMs));
        EXPECT_FALSE(answer->held);
        EXPECT_EQ(answer->whyNot.rfind(c.whyStartsWith, 0), 0u) << answer->whyNot;
        EXPECT_EQ(answer->whyNot.back(), ')');
    }
}

} // namespace
} // namespace sus::test
