// SPDX-License-Identifier: Apache-2.0
#include "tests/link/machine/PrivateSystemBus.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QThread>

namespace sus::test {

namespace {

constexpr int kStartWithinMs = 15'000;
// Debian's interpreter, which the mock's package is installed for, whatever python3 comes first.
constexpr char kPython[] = "/usr/bin/python3";

} // namespace

PrivateSystemBus::PrivateSystemBus()
{
    daemon_.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                  QStringLiteral("--print-address=1")});
    if (!daemon_.waitForStarted(kStartWithinMs)) {
        failure_ =
            QStringLiteral("dbus-daemon did not start (package dbus-daemon): ") + daemon_.errorString();
        return;
    }
    const QDeadlineTimer deadline(kStartWithinMs);
    while (!daemon_.canReadLine() && daemon_.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
    }
    address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    if (address_.isEmpty()) {
        failure_ = QStringLiteral("dbus-daemon gave no address");
        return;
    }
    connectionName_ =
        QStringLiteral("private-system-bus-") + QString::number(reinterpret_cast<quintptr>(this));
    if (!QDBusConnection::connectToBus(address_, connectionName_).isConnected())
        failure_ = QStringLiteral("no connection to the private bus at ") + address_;
}

PrivateSystemBus::~PrivateSystemBus()
{
    for (auto& mock : mocks_) {
        mock->kill();
        mock->waitForFinished();
    }
    if (!connectionName_.isEmpty())
        QDBusConnection::disconnectFromBus(connectionName_);
    daemon_.kill();
    daemon_.waitForFinished();
}

QProcessEnvironment PrivateSystemBus::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), address_);
    return environment;
}

QDBusConnection PrivateSystemBus::connection() const
{
    return QDBusConnection(connectionName_);
}

bool PrivateSystemBus::startMock(const QStringList& arguments, const QString& service)
{
    auto& mock = mocks_.emplace_back(std::make_unique<QProcess>());
    mock->setProcessEnvironment(environment());
    mock->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    mock->start(QString::fromLatin1(kPython),
                QStringList{QStringLiteral("-m"), QStringLiteral("dbusmock")} + arguments);
    const QDeadlineTimer deadline(kStartWithinMs);
    while (!deadline.hasExpired()) {
        if (connection().interface()->isServiceRegistered(service))
            return true;
        if (mock->state() == QProcess::NotRunning)
            break;
        QThread::msleep(20);
    }
    failure_ = service + QStringLiteral(" did not come on the bus (package python3-dbusmock)");
    return false;
}

bool PrivateSystemBus::startLogind()
{
    return startMock({QStringLiteral("--template"), QStringLiteral("logind")},
                     QStringLiteral("org.freedesktop.login1"));
}

std::vector<PrivateSystemBus::Inhibitor> PrivateSystemBus::inhibitors() const
{
    const QDBusMessage reply = connection().call(QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("ListInhibitors")));
    std::vector<Inhibitor> listed;
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return listed;
    const QDBusArgument list = reply.arguments().front().value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        QString what, who, why, mode;
        uint user = 0, process = 0;
        list.beginStructure();
        list >> what >> who >> why >> mode >> user >> process;
        list.endStructure();
        listed.push_back({what.toStdString(), who.toStdString(), why.toStdString(), mode.toStdString()});
    }
    list.endArray();
    return listed;
}

} // namespace sus::test
