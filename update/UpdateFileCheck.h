// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace sus {

// How an update run would take a file, found out before anything is sent: read as the run reads
// it, and its password checked when there is one to check.
struct UpdateFileCheck {
    // UnlikeAnUpdateFile comes before any password verdict: the password of a wrong file is not
    // what is wrong with it.
    enum class Verdict { NoPasswordGiven, PasswordRight, PasswordWrong, CannotOpen, UnlikeAnUpdateFile };
    Verdict verdict = Verdict::CannotOpen;
    std::string reason;  // CannotOpen, UnlikeAnUpdateFile: why, as one sentence
    std::string version; // "Vm.n.rr", when the file could be read
    std::uint64_t size = 0;

    bool sendable() const { return verdict == Verdict::NoPasswordGiven || verdict == Verdict::PasswordRight; }
};

UpdateFileCheck checkUpdateFile(const std::string& utf8Path, const std::optional<std::string>& password);

} // namespace sus
