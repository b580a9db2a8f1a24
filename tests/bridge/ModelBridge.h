// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "receive/AdapterFamily.h"
#include "sim/TxLine.h"
#include "tests/bridge/PortSettings.h"
#include "tests/bridge/UartModel.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace sus::bridge {

// How often each kind of call reached a modeled port, by the name the operating system gives it
// ("write", "tcsetattr", "TIOCMGET", ...), with the bridge's own work beside them: "control
// request" (every USB control transfer) and "status poll" (those of drains).
using CallCounts = std::map<std::string, std::size_t>;
inline constexpr const char* kControlRequest = "control request";
inline constexpr const char* kStatusPoll = "status poll";

// The calls made since `before` was taken.
CallCounts countsSince(const CallCounts& before, const CallCounts& now);

// A model of a USB-to-UART bridge under the unmodified serial code of this process: the C library
// calls the serial code makes on one port path (open, close, write, termios, modem lines, drain)
// come here instead of the kernel. The port is a pseudo-terminal, so that polling and writing
// behave as on a tty, but the settings are kept here (a pty drops parity flags), the transmitter is
// modelled with the latencies of BridgeTiming.h, and each call is counted.
//
// One process-wide instance: the C library calls reach it through the interposers.
class ModelBridge {
public:
    static ModelBridge& instance();

    // From now on, opens of `path` open the model's port. The device starts afresh.
    void model(const std::string& path);
    // Opens of `path` are counted and go on to the real device node.
    void watch(const std::string& path);
    // Makes every open of the port fail with `error` (EACCES: a node this user may not open); 0 lets
    // opens through again.
    void refuseOpens(int error);
    // Makes every request on the modem lines fail (EIO), as a bridge that stopped answering would.
    void refuseModemLines(bool refuse);
    // The bridge is unplugged: from now on writes, changes of the settings, drains and the modem lines
    // fail with EIO, as on a line the driver has hung up. The next model() plugs a device in again.
    void pullOut();
    // The bridge is pulled out once `bytes` more bytes have been written to it: the write that
    // reaches the limit is taken up to it, and the next one fails.
    void pullOutAfter(std::size_t bytes) { bytesUntilPullOut_ = bytes; }
    // The port's receiver is on a line that carries `line` (another transmitter's wire): once the
    // program has opened the port and left its settings alone for a moment, what the driver would
    // hand a reader with those settings (at 250000 baud) arrives to be read. Once it has all been
    // read, the process gets SIGINT, as a technician ends listening with Ctrl+C. `status`: the kind of
    // driver the receiver has (ReceiveSettings).
    void hear(std::vector<WireWrite> line, LineStatus status = LineStatus::PerCharacter);
    // Forgets what was recorded (counts, the line, opens of watched paths); the next open of the
    // port is t = 0 of the line again. Settings and modem lines stay, as a device keeps them.
    void clearRecording();

    // What was recorded.
    CallCounts counts() const;
    // The line from t = 0 (the first open since the recording was cleared), every byte
    // written so far included: those still queued go out as if nothing changed any more.
    std::vector<WireWrite> wire() const;
    std::size_t bytesCaught() const;   // sent with settings other than those when written
    std::size_t charactersCut() const; // changes of settings while a character was shifting out
    std::size_t bytesPurged() const;   // still queued when the port was closed
    std::size_t opensOf(const std::string& path) const;
    // The calls on the port that thread `id` made (waits for the bridge included).
    std::size_t callsFrom(std::thread::id id) const;
    bool isOpen() const;
    bool dtr() const;
    bool rts() const;
    // The settings as the program left them.
    LineState lineState() const;

    // Writes the counts and the checks, one "name count" line each; false when it cannot.
    bool saveCounts(const std::string& path) const;

    // The interposers' side: each returns nothing when the call is not for the model.
    std::optional<int> open(const char* path, int flags);
    std::optional<int> close(int fd);
    std::optional<long> write(int fd, const void* data, std::size_t count);
    // Answers a read of the settings.
    std::optional<PortSettings> settings(int fd, const char* callName);
    // Takes a request to change the settings (baud 0: the rate stays); `drainFirst` for the kinds
    // that wait for the line.
    std::optional<int> setSettings(int fd, const PortSettings& requested, bool drainFirst,
                                   const char* callName);
    // TIOCMGET, TIOCMSET, TIOCMBIS, TIOCMBIC.
    std::optional<int> modemLines(int fd, unsigned long request, int& bits, const char* callName);
    std::optional<int> drain(int fd, const char* callName);
    // Any other call on the port: counted; the caller passes it on to the pseudo-terminal.
    bool note(int fd, const std::string& callName);
    // Any request on the port once the bridge is pulled out: counted, and fails with EIO as on a line the
    // driver has hung up. Nothing while the port is not the model's or the bridge is plugged in.
    std::optional<int> refusedWhenGone(int fd, const std::string& callName);

private:
    ModelBridge() = default;
    struct Device;

    static std::int64_t nowNs();
    static void sleepUntil(std::int64_t ns);
    bool ownsLocked(int fd) const;
    void countLocked(const std::string& name, std::size_t times = 1);
    // True, with errno set, when the bridge has been pulled out.
    bool goneLocked() const;
    // When a drain that starts now returns; counts its polls.
    std::int64_t drainEndLocked(std::int64_t nowNs);
    // Hands the heard line to the program's reads, then interrupts it.
    void deliverHeard();

    mutable std::recursive_mutex mutex_;
    std::string path_;
    std::unique_ptr<Device> device_;
    std::set<int> fds_;
    std::map<std::string, std::size_t> watchedOpens_;
    CallCounts counts_;
    std::map<std::thread::id, std::size_t> callsByThread_;
    std::optional<std::int64_t> originNs_;
    std::size_t purged_ = 0;
    bool refuseModemLines_ = false;
    bool pulledOut_ = false;
    std::optional<std::size_t> bytesUntilPullOut_;
    int openRefusal_ = 0;
    std::vector<WireWrite> heard_;
    LineStatus heardStatus_ = LineStatus::PerCharacter;
    bool hearing_ = false;
    std::int64_t settingsChangedNs_ = 0;
};

} // namespace sus::bridge
