// SPDX-License-Identifier: Apache-2.0
// What the run's script yields for given files, read as a timeline: no timer, thread or device.
#include "update/UpdateRunScript.h"
#include "tests/update/UpdateRunBench.h"
#include "update/RunPlan.h"
#include "update/UpdateFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace sus::test {
namespace {

std::string unitName(const RunPlan::Unit& unit)
{
    if (unit.wakeUp)
        return "Wake";
    const int type = unit.bytes[2] | (unit.bytes[3] << 8);
    static const char* const kNames[] = {"Start", "Id1", "Id2", "Id3", "Header", "End", "Finish", "Abort"};
    return type < 8 ? kNames[type] : "D" + std::to_string(type);
}

// The plan as "name+ms since the unit before" tokens, a run of one token as "token×n" and a run of
// a three-token group (a handshake round) as "(group)×n".
std::string timeline(const RunPlan& plan)
{
    std::vector<std::string> tokens;
    std::int64_t lastMs = 0;
    for (const RunPlan::Unit& unit : plan.units) {
        tokens.push_back(unitName(unit) + "+" + std::to_string(unit.atMs - lastMs));
        lastMs = unit.atMs;
    }
    std::string text;
    for (std::size_t i = 0; i < tokens.size();) {
        std::size_t period = 1;
        std::size_t times = 1;
        for (const std::size_t p : {std::size_t{1}, std::size_t{3}}) {
            std::size_t n = 1;
            while (i + (n + 1) * p <= tokens.size() &&
                   std::equal(tokens.begin() + i, tokens.begin() + i + p, tokens.begin() + i + n * p))
                ++n;
            if (n > 1) {
                period = p;
                times = n;
                break;
            }
        }
        std::string group;
        for (std::size_t k = 0; k < period; ++k)
            group += (k ? " " : "") + tokens[i + k];
        if (!text.empty())
            text += " ";
        text += times == 1 ? group : (period == 1 ? group : "(" + group + ")") + "×" + std::to_string(times);
        i += period * times;
    }
    return text;
}

// The wake-up; the first file's StartOfFile and 21 handshake rounds (each round's silent fourth tick
// shows as the next Identify1's 40 ms), its header after the 1000 ms pause.
const std::string kWake = "Wake+20 Wake+100×40";
const std::string kHandshake = "Start+100 Id1+20 (Id2+20 Id3+20 Id1+40)×20 Id2+20 Id3+20 Header+1040";
// A later file of one block.
const std::string kLaterFile = "Start+100 Header+40 Header+20 D16+20×2 End+40";

struct QueuedFile {
    UpdateFileBuilder builder;
    std::string password = kPassword;
    bool missing = false;
};

TEST(UpdateRunScript, EachRunReadsAsItsTimeline)
{
    struct Case {
        const char* name;
        std::vector<QueuedFile> files;
        int selected;
        std::string timeline;
        std::optional<RunEnding> refusal = std::nullopt;
        bool onePasswordForAll = true;
    };
    const auto withPause = [](std::uint8_t flag, std::uint8_t length) {
        return std::vector<QueuedFile>{{FileWithData(10).pause(flag, length)}};
    };
    const Case cases[] = {
        {"two files, the first of two blocks",
         {{FileWithData(300)}, {FileWithData(100, 7)}},
         -1,
         kWake + " " + kHandshake + " Header+20 D16+20×2 D17+20×2 End+40 " + kLaterFile + " Finish+100"},
        {"a long header pause asked for", withPause(1, 11), -1,
         kWake + " " + kHandshake + " Header+1000 D16+20×2 End+40 Finish+100"},
        {"a pause too short", withPause(1, 10), -1,
         kWake + " " + kHandshake + " Header+20 D16+20×2 End+40 Finish+100"},
        {"no pause flag", withPause(0, 50), -1,
         kWake + " " + kHandshake + " Header+20 D16+20×2 End+40 Finish+100"},
        {"a pause length read as negative", withPause(1, 200), -1,
         kWake + " " + kHandshake + " Header+20 D16+20×2 End+40 Finish+100"},
        {"no data: one block of zeros",
         {{FileWithData(0)}},
         -1,
         kWake + " " + kHandshake + " Header+20 D16+20×2 End+40 Finish+100"},
        {"data of 256 bytes: a block of zeros more",
         {{FileWithData(256)}},
         -1,
         kWake + " " + kHandshake + " Header+20 D16+20×2 D17+20×2 End+40 Finish+100"},
        {"from the selected third of five files",
         {{FileWithData(10)}, {FileWithData(10)}, {FileWithData(10)}, {FileWithData(10)}, {FileWithData(10)}},
         2,
         kWake + " " + kHandshake + " Header+20 D16+20×2 End+40 " + kLaterFile + " " + kLaterFile +
             " Finish+100"},
        {"an empty queue", {}, -1, kWake + " Finish+100"},
        {"a wrong password for the second file",
         {{FileWithData(10)}, {FileWithData(10), "452DB9"}},
         -1,
         kWake + " " + kHandshake + " Header+20 D16+20×2 End+40",
         RunEnding::PasswordWrong,
         false},
        {"a second file that cannot be opened",
         {{FileWithData(10)}, {FileWithData(10), kPassword, true}},
         -1,
         kWake + " " + kHandshake + " Header+20 D16+20×2 End+40",
         RunEnding::FileRefused},
        {"one password per file",
         {{FileWithData(10)}, {FileWithData(10).keyBytes({1, 2, 3, 4, 5, 6}), ""}},
         -1,
         kWake + " " + kHandshake + " Header+20 D16+20×2 End+40 " + kLaterFile + " Finish+100",
         std::nullopt,
         false},
    };
    for (const Case& c : cases) {
        TempDir dir;
        RunRequest request;
        request.selectedIndex = c.selected;
        for (const QueuedFile& file : c.files) {
            const auto path = dir / ("f" + std::to_string(request.files.size()) + ".MVT");
            if (!file.missing)
                file.builder.writeTo(path);
            request.files.push_back(utf8Of(path));
            request.passwords.push_back(file.password.empty() ? file.builder.password() : file.password);
        }
        if (c.onePasswordForAll)
            request.passwords = {kPassword};
        const RunPlan plan = planRun(request);
        EXPECT_EQ(timeline(plan), c.timeline) << c.name;
        EXPECT_EQ(plan.refusal, c.refusal) << c.name;
    }
}

TEST(UpdateRunScript, SaysWhereTheRunStandsAndWhatWentOut)
{
    TempDir dir;
    const std::string path = utf8Of(FileWithData(1000 - 144).writeTo(dir / "f.MVT"));
    UpdateFiles files;
    UpdateRunScript script(files, {.files = {path}, .passwords = {kPassword}, .selectedIndex = 0});
    std::vector<RunProgress::Phase> phases;
    bool sawForty = false;
    std::int64_t firstHeaderMsLeft = -1;
    for (bool ended = false; !ended;) {
        ended = script.tick().ending.has_value();
        const RunProgress& p = script.progress();
        if (phases.empty() || phases.back() != p.phase)
            phases.push_back(p.phase);
        sawForty |= script.imagePos() == 400 && p.percent == 40;
        if (firstHeaderMsLeft < 0 && script.state() == SequencerState::HeaderSecond)
            firstHeaderMsLeft = p.fileMsLeft;
        EXPECT_LE(p.percent, 100);
    }
    using P = RunProgress::Phase;
    EXPECT_EQ(phases,
              (std::vector<P>{P::Waking, P::Handshake, P::Pause, P::File, P::EndOfFile, P::Finishing}));
    EXPECT_TRUE(sawForty);
    EXPECT_EQ(firstHeaderMsLeft, 4 * pacing::kDataBlockMs); // blocks 16 to 19
    const RunProgress& end = script.progress();
    EXPECT_EQ(end.fileSent, 1000u);
    EXPECT_EQ(end.fileMsLeft, 0);
    EXPECT_EQ(end.sent.wakeUpFrames, 41u);
    EXPECT_EQ(end.sent.filesWhole, 1u);
    EXPECT_EQ(end.sent.packets, 1u + 63 + 2 + 8 + 1);

    // A final packet the line refuses does not count as sent.
    script.finalPacket(RunEndingRule::FinalPacket::FinishUpdate);
    EXPECT_TRUE(script.progress().sent.finishUpdate);
    script.lineRefused();
    EXPECT_FALSE(script.progress().sent.finishUpdate);
    EXPECT_EQ(script.progress().sent.packets, 1u + 63 + 2 + 8 + 1);
}

} // namespace
} // namespace sus::test
