// SPDX-License-Identifier: Apache-2.0
// The request to RealtimeKit over a real D-Bus daemon, to a mock of it on a private bus: what it is
// asked, and what the line's thread is told it got.
#include "link/machine/RealtimeKit.h"
#include "tests/link/machine/PrivateSystemBus.h"
#include "tests/link/serial/CoreApplication.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusVariant>

#include <sys/resource.h>

#include <gtest/gtest.h>

namespace sus::test {
namespace {

constexpr char kService[] = "org.freedesktop.RealtimeKit1";
constexpr char kPath[] = "/org/freedesktop/RealtimeKit1";
constexpr char kMock[] = "org.freedesktop.DBus.Mock";

QDBusMessage onMock(const char* method, const QVariantList& arguments)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                                       QString::fromLatin1(kMock), QString::fromLatin1(method));
    call.setArguments(arguments);
    return call;
}

// The arguments of each MakeThreadRealtime the mock was asked.
std::vector<std::pair<qulonglong, uint>> madeRealtime(const QDBusConnection& bus)
{
    const QDBusMessage reply = bus.call(onMock("GetMethodCalls", {QStringLiteral("MakeThreadRealtime")}));
    std::vector<std::pair<qulonglong, uint>> calls;
    if (reply.arguments().isEmpty())
        return calls;
    const QDBusArgument list = reply.arguments().front().value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        qulonglong at = 0;
        QVariantList arguments;
        list.beginStructure();
        list >> at >> arguments;
        list.endStructure();
        calls.emplace_back(arguments.value(0).toULongLong(), arguments.value(1).toUInt());
    }
    list.endArray();
    return calls;
}

// RLIMIT_RTTIME as it was, put back once the request has lowered it.
struct RunTimeLimitKept {
    RunTimeLimitKept() { getrlimit(RLIMIT_RTTIME, &before); }
    ~RunTimeLimitKept() { setrlimit(RLIMIT_RTTIME, &before); }
    rlimit before{};
};

TEST(RealtimeKit, IsAskedForTheThreadAtAModestPriorityWithinItsRunTimeLimit)
{
    ensureCoreApplication();
    PrivateSystemBus bus;
    ASSERT_TRUE(bus.failure().isEmpty()) << bus.failure().toStdString();
    ASSERT_TRUE(bus.startMock({QStringLiteral("--system"), QString::fromLatin1(kService),
                               QString::fromLatin1(kPath), QString::fromLatin1(kService)},
                              QString::fromLatin1(kService)))
        << bus.failure().toStdString();
    const QDBusConnection connection = bus.connection();
    connection.call(
        onMock("AddProperty", {QString::fromLatin1(kService), QStringLiteral("MaxRealtimePriority"),
                               QVariant::fromValue(QDBusVariant(20))}));
    connection.call(onMock("AddProperty", {QString::fromLatin1(kService), QStringLiteral("RTTimeUSecMax"),
                                           QVariant::fromValue(QDBusVariant(qlonglong{200'000}))}));
    connection.call(onMock("AddMethod", {QString::fromLatin1(kService), QStringLiteral("MakeThreadRealtime"),
                                         QStringLiteral("tu"), QString(), QString()}));

    const RunTimeLimitKept kept;
    const LinePriority priority = askRealtimeKit(connection, 4242);
    EXPECT_EQ(priority.kind, LinePriority::Kind::RealTime);
    EXPECT_EQ(priority.how,
              "The line's thread has real-time scheduling from RealtimeKit (SCHED_RR, priority 10)");
    EXPECT_EQ(madeRealtime(connection), (std::vector<std::pair<qulonglong, uint>>{{4242, 10}}));
    rlimit runTime{};
    getrlimit(RLIMIT_RTTIME, &runTime);
    EXPECT_EQ(runTime.rlim_cur, 200'000u);
}

} // namespace
} // namespace sus::test
