// SPDX-License-Identifier: Apache-2.0
#include "update/RunPlan.h"

#include "update/UpdateFileReader.h"
#include "update/UpdateFiles.h"
#include "update/UpdateKey.h"
#include "update/UpdateRunScript.h"

namespace sus {

namespace {

void keep(RunPlan& plan, const RunTick& tick, std::int64_t atMs, bool keepUnits)
{
    if (keepUnits && tick.unit != RunTick::Unit::None)
        plan.units.push_back(
            {tick.unit == RunTick::Unit::WakeUpFrame, {tick.unitBytes.begin(), tick.unitBytes.end()}, atMs});
}

// What a run does, tick by tick; the units only when `keepUnits` (a long run's are many megabytes).
RunPlan runThrough(const RunRequest& request, bool keepUnits)
{
    RunPlan plan;
    UpdateFiles files;
    UpdateRunScript script(files, request);
    // Each tick comes one interval after the one before; the first, one interval after Start.
    int intervalMs = pacing::kBaseMs;
    std::int64_t nowMs = 0;
    for (;;) {
        nowMs += intervalMs;
        plan.length.add(script.progress().phase, intervalMs);
        const RunTick& tick = script.tick();
        if (tick.intervalMs)
            intervalMs = *tick.intervalMs;
        keep(plan, tick, nowMs, keepUnits);
        if (tick.closesLink)
            break;
        if (!tick.ending)
            continue;
        const RunEndingRule rule = ruleFor(*tick.ending);
        if (rule.outcome != RunOutcome::Finished) {
            plan.refusal = tick.ending;
            plan.message = tick.message;
            break;
        }
        keep(plan, script.finalPacket(rule.packet), nowMs, keepUnits);
        script.closeAtNextTick();
    }
    return plan;
}

} // namespace

RunPlan planRun(const RunRequest& request)
{
    return runThrough(request, true);
}

std::optional<RunLength> lengthWhenPasswordsAreRight(const std::vector<std::string>& files, int selectedIndex)
{
    RunRequest request{.files = files, .passwords = {}, .selectedIndex = selectedIndex};
    for (const std::string& path : files) {
        const UpdateImageLoad header = loadUpdateHeader(path);
        request.passwords.push_back(header ? DeriveExpectedPassword(header.image->keyBytes())
                                           : std::string());
    }
    const RunPlan run = runThrough(request, false);
    if (run.refusal)
        return std::nullopt;
    return run.length;
}

} // namespace sus
