// SPDX-License-Identifier: Apache-2.0
#include "link/machine/LogindKeepAwake.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <utility>

namespace sus {

namespace {

constexpr char kLogindService[] = "org.freedesktop.login1";
constexpr char kLogindPath[] = "/org/freedesktop/login1";
constexpr char kLogindManager[] = "org.freedesktop.login1.Manager";
// Suspend and hibernation, and the idle action (a laptop that suspends when left alone).
constexpr char kWhat[] = "sleep:idle";
constexpr char kBlock[] = "block";
// logind answers at once; one that does not within this never holds the run up.
constexpr int kLogindAnswerWithinMs = 5000;

std::string inWords(const QDBusError& error)
{
    return error.message().isEmpty() ? error.name().toStdString() : error.message().toStdString();
}

} // namespace

LogindKeepAwake::LogindKeepAwake(std::function<QDBusConnection()> bus, std::string who)
    : reachBus_(std::move(bus)), who_(std::move(who))
{
}

void LogindKeepAwake::hold(Answered answered)
{
    release();
    const unsigned hold = holds_;
    if (!bus_)
        bus_ = reachBus_();
    if (!bus_->isConnected()) {
        answered({false, "no system bus answered (" + inWords(bus_->lastError()) + ")"});
        return;
    }
    if (!(bus_->connectionCapabilities() & QDBusConnection::UnixFileDescriptorPassing)) {
        answered({false, "the system bus does not pass file descriptors"});
        return;
    }
    QDBusMessage inhibit =
        QDBusMessage::createMethodCall(QString::fromLatin1(kLogindService), QString::fromLatin1(kLogindPath),
                                       QString::fromLatin1(kLogindManager), QStringLiteral("Inhibit"));
    inhibit << QString::fromLatin1(kWhat) << QString::fromStdString(who_)
            << QString::fromLatin1(kKeepAwakeReason) << QString::fromLatin1(kBlock);
    auto* watcher = new QDBusPendingCallWatcher(bus_->asyncCall(inhibit, kLogindAnswerWithinMs), &context_);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &context_,
                     [this, hold, answered = std::move(answered)](QDBusPendingCallWatcher* call) {
                         call->deleteLater();
                         const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *call;
                         // Released, or held again, since: the descriptor closes with the reply.
                         if (hold != holds_)
                             return;
                         if (reply.isError()) {
                             answered({false, "logind refused (" + inWords(reply.error()) + ")"});
                             return;
                         }
                         lock_ = reply.value();
                         answered({true, {}});
                     });
}

void LogindKeepAwake::release()
{
    ++holds_;
    lock_ = QDBusUnixFileDescriptor();
}

} // namespace sus
