// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <memory>
#include <string>
#include <vector>

namespace sus::test {

// A D-Bus daemon of the test's own standing in for the system bus, and mocks of the system's services
// on it (python3-dbusmock), so that a test never touches the machine's own bus and its services.
// Everything it started ends with it.
class PrivateSystemBus {
public:
    PrivateSystemBus();
    ~PrivateSystemBus();
    PrivateSystemBus(const PrivateSystemBus&) = delete;
    PrivateSystemBus& operator=(const PrivateSystemBus&) = delete;

    // Empty once the daemon is up; otherwise what went wrong.
    const QString& failure() const { return failure_; }
    // The environment in which a program the test starts finds this bus as its system bus.
    QProcessEnvironment environment() const;
    // A connection of the test's own to the bus.
    QDBusConnection connection() const;

    // Starts python3-dbusmock with `arguments` (a template, or a service's name, path and interface
    // after --system) and waits until `service` is on the bus; false, with failure() set, when it
    // did not come.
    bool startMock(const QStringList& arguments, const QString& service);

    // One inhibitor as logind lists it: what, who, why and mode.
    using Inhibitor = std::vector<std::string>;
    // python3-dbusmock's logind, on the bus.
    bool startLogind();
    // The inhibitors logind holds, as it lists them.
    std::vector<Inhibitor> inhibitors() const;

private:
    QString address_;
    QString failure_;
    QString connectionName_;
    QProcess daemon_;
    std::vector<std::unique_ptr<QProcess>> mocks_;
};

} // namespace sus::test
