// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QStringList>

namespace sus::cli {

// The commands of mvt; each takes the arguments after its name and returns the exit status.
int runInfo(const QStringList& arguments);
int runCheck(const QStringList& arguments);
int runSend(const QStringList& arguments);
int runDmx(const QStringList& arguments);
int runPorts(const QStringList& arguments);
int runListen(const QStringList& arguments);

} // namespace sus::cli
