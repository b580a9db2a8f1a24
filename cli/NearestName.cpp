// SPDX-License-Identifier: Apache-2.0
#include "cli/NearestName.h"

#include <algorithm>
#include <vector>

namespace sus::cli {
namespace {

// The optimal string alignment distance: a swap of two neighbours counts once, the slip that
// "pasword" and "simulte" are made of as often as a letter left out.
qsizetype distance(const QString& a, const QString& b)
{
    const qsizetype columns = b.size() + 1;
    std::vector<qsizetype> d(static_cast<std::size_t>((a.size() + 1) * columns));
    const auto at = [&](qsizetype i, qsizetype j) -> qsizetype& {
        return d[static_cast<std::size_t>(i * columns + j)];
    };
    for (qsizetype i = 0; i <= a.size(); ++i)
        at(i, 0) = i;
    for (qsizetype j = 0; j <= b.size(); ++j)
        at(0, j) = j;
    for (qsizetype i = 1; i <= a.size(); ++i) {
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const qsizetype change = a[i - 1] == b[j - 1] ? 0 : 1;
            at(i, j) = std::min({at(i - 1, j) + 1, at(i, j - 1) + 1, at(i - 1, j - 1) + change});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                at(i, j) = std::min(at(i, j), at(i - 2, j - 2) + 1);
        }
    }
    return at(a.size(), b.size());
}

} // namespace

QString nearestName(const QString& typed, const QStringList& known)
{
    const qsizetype allowed = std::max<qsizetype>(1, typed.size() / 3);
    QString nearest;
    qsizetype best = allowed + 1;
    for (const QString& name : known) {
        const qsizetype d = distance(typed.toLower(), name.toLower());
        if (d < best) {
            best = d;
            nearest = name;
        }
    }
    return nearest;
}

} // namespace sus::cli
