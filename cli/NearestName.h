// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <QStringList>

namespace sus::cli {

// The name among `known` that `typed` was most likely meant to be: the one the fewest letters
// inserted, dropped, changed or swapped away, when that is few enough for a slip of the keyboard
// (at most a third of its letters, and at least one). Empty when none is that close.
QString nearestName(const QString& typed, const QStringList& known);

} // namespace sus::cli
