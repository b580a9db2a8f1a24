// SPDX-License-Identifier: Apache-2.0
#include "link/machine/RealtimeKit.h"

#include <QDBusMessage>
#include <QDBusVariant>

#include <sys/resource.h>

#include <algorithm>
#include <optional>
#include <string>

namespace sus {

namespace {

constexpr char kService[] = "org.freedesktop.RealtimeKit1";
constexpr char kPath[] = "/org/freedesktop/RealtimeKit1";
constexpr char kInterface[] = "org.freedesktop.RealtimeKit1";
constexpr int kRealtimeKitAnswerWithinMs = 2000;

QDBusMessage call(const QString& interface, const QString& method)
{
    return QDBusMessage::createMethodCall(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                                          interface, method);
}

std::string whyNot(const QDBusMessage& reply)
{
    return reply.errorName().toStdString() + ": " + reply.errorMessage().toStdString();
}

// One of RealtimeKit's properties, or nothing with `why` set.
std::optional<qlonglong> property(const QDBusConnection& bus, const char* name, std::string& why)
{
    QDBusMessage get = call(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QString::fromLatin1(kInterface) << QString::fromLatin1(name);
    const QDBusMessage reply = bus.call(get, QDBus::Block, kRealtimeKitAnswerWithinMs);
    bool number = false;
    const qlonglong value =
        reply.arguments().isEmpty()
            ? 0
            : reply.arguments().front().value<QDBusVariant>().variant().toLongLong(&number);
    if (reply.type() == QDBusMessage::ReplyMessage && number)
        return value;
    why = reply.type() == QDBusMessage::ErrorMessage ? whyNot(reply) : std::string("no ") + name;
    return std::nullopt;
}

LinePriority refused(const std::string& why)
{
    return {LinePriority::Kind::Ordinary, "RealtimeKit did not grant it (" + why + ")"};
}

} // namespace

LinePriority askRealtimeKit(const QDBusConnection& bus, std::int64_t threadId)
{
    if (!bus.isConnected())
        return refused("no system bus: " + bus.lastError().message().toStdString());
    std::string why;
    const auto maxPriority = property(bus, "MaxRealtimePriority", why);
    const auto maxRunTimeUs = maxPriority ? property(bus, "RTTimeUSecMax", why) : std::nullopt;
    if (!maxPriority || !maxRunTimeUs)
        return refused(why);
    const rlimit runTime{static_cast<rlim_t>(*maxRunTimeUs), static_cast<rlim_t>(*maxRunTimeUs)};
    if (setrlimit(RLIMIT_RTTIME, &runTime) != 0)
        return refused("RLIMIT_RTTIME could not be set");

    const auto priority = static_cast<quint32>(std::clamp<qlonglong>(*maxPriority, 1, kLineRealTimePriority));
    QDBusMessage make = call(QString::fromLatin1(kInterface), QStringLiteral("MakeThreadRealtime"));
    make << static_cast<qulonglong>(threadId) << priority;
    const QDBusMessage reply = bus.call(make, QDBus::Block, kRealtimeKitAnswerWithinMs);
    if (reply.type() != QDBusMessage::ReplyMessage)
        return refused(whyNot(reply));
    return {LinePriority::Kind::RealTime,
            "The line's thread has real-time scheduling from RealtimeKit (SCHED_RR, priority " +
                std::to_string(priority) + ")"};
}

} // namespace sus
