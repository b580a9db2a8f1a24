// SPDX-License-Identifier: Apache-2.0
#include "tests/bridge/ModelBridge.h"

#include "link/LineTiming.h"
#include "tests/bridge/BridgeTiming.h"
#include "tests/bridge/LibcTermios.h"
#include "tests/bridge/RealCalls.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <limits>
#include <poll.h>
#include <stdlib.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace sus::bridge {

CallCounts countsSince(const CallCounts& before, const CallCounts& now)
{
    CallCounts since;
    for (const auto& [name, count] : now) {
        const auto earlier = before.find(name);
        const std::size_t made = count - (earlier == before.end() ? 0 : earlier->second);
        if (made > 0)
            since[name] = made;
    }
    return since;
}

// The bridge's device: a pseudo-terminal whose master side is read by a thread of its own (what
// went through is not looked at: the model's line is the record), the settings and modem lines,
// and the transmitter.
struct ModelBridge::Device {
    Device()
    {
        master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
            return;
        slaveName = ::ptsname(master);
        // Held open so that the master never sees a hang-up between the program's opens.
        holder = real::open(slaveName.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        termios initial{};
        if (holder >= 0 && real::tcgetattr(holder, &initial) == 0)
            settings = fromLibc(initial);
        uart = std::make_unique<UartModel>(lineStateOf(settings));
        stop = ::eventfd(0, EFD_CLOEXEC);
        reader = std::thread([this] { readMaster(); });
    }
    ~Device()
    {
        if (reader.joinable()) {
            const std::uint64_t one = 1;
            [[maybe_unused]] const ssize_t told = real::write(stop, &one, sizeof one);
            reader.join();
        }
        for (int fd : {stop, holder, master})
            if (fd >= 0)
                real::close(fd);
    }
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    void readMaster() const
    {
        std::array<char, 4096> chunk{};
        for (;;) {
            std::array<pollfd, 2> ready{{{master, POLLIN, 0}, {stop, POLLIN, 0}}};
            if (::poll(ready.data(), ready.size(), -1) < 0 && errno != EINTR)
                return;
            if (ready[1].revents != 0)
                return;
            if ((ready[0].revents & POLLIN) != 0 && ::read(master, chunk.data(), chunk.size()) < 0 &&
                errno != EAGAIN && errno != EINTR)
                return;
        }
    }

    bool ready() const { return holder >= 0 && uart != nullptr; }
    LineState line() const
    {
        LineState line = lineStateOf(settings);
        line.dtr = (modemBits & TIOCM_DTR) != 0;
        line.rts = (modemBits & TIOCM_RTS) != 0;
        return line;
    }

    int master = -1;
    int holder = -1;
    int stop = -1;
    std::string slaveName;
    PortSettings settings;
    int modemBits = 0;
    std::unique_ptr<UartModel> uart;
    std::int64_t lastWriteNs = std::numeric_limits<std::int64_t>::min() / 2;
    std::thread reader;
};

ModelBridge& ModelBridge::instance()
{
    // Never destroyed: the C library calls of other static objects' destructors still come here.
    static ModelBridge* bridge = new ModelBridge;
    return *bridge;
}

std::int64_t ModelBridge::nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void ModelBridge::sleepUntil(std::int64_t ns)
{
    std::this_thread::sleep_until(std::chrono::steady_clock::time_point(std::chrono::nanoseconds(ns)));
}

void ModelBridge::model(const std::string& path)
{
    std::lock_guard lock(mutex_);
    path_ = path;
    device_ = std::make_unique<Device>();
    fds_.clear();
    counts_.clear();
    watchedOpens_.clear();
    originNs_.reset();
    purged_ = 0;
    refuseModemLines_ = false;
    pulledOut_ = false;
    openRefusal_ = 0;
    callsByThread_.clear();
}

void ModelBridge::hear(std::vector<WireWrite> line, LineStatus status)
{
    std::lock_guard lock(mutex_);
    heard_ = std::move(line);
    heardStatus_ = status;
    hearing_ = false;
}

void ModelBridge::deliverHeard()
{
    using namespace std::chrono_literals;
    // The program is done setting the port up when its settings have stood this long.
    constexpr std::int64_t kSettledNs = 150'000'000;
    std::vector<std::uint8_t> stream;
    int master = -1;
    int slave = -1;
    for (;;) {
        std::this_thread::sleep_for(10ms);
        std::lock_guard lock(mutex_);
        if (!device_)
            return;
        if (nowNs() - settingsChangedNs_ < kSettledNs)
            continue;
        if (device_->settings.baud == kLineBaud) {
            ReceiveSettings receive = receiveSettingsOf(device_->settings);
            receive.status = heardStatus_;
            stream = receivedStream(heard_, receive);
        }
        master = device_->master;
        slave = device_->holder;
        // What the model's driver delivers is final: the pseudo-terminal, which took the program's
        // settings too, must pass it as it is (with PARMRK it would double each 0xFF once more).
        termios raw{};
        real::tcgetattr(slave, &raw);
        ::cfmakeraw(&raw);
        real::tcsetattr(slave, TCSANOW, &raw);
        break;
    }
    for (std::size_t sent = 0; sent < stream.size();) {
        const ssize_t written = real::write(master, stream.data() + sent, stream.size() - sent);
        if (written > 0)
            sent += static_cast<std::size_t>(written);
        else if (errno != EAGAIN && errno != EINTR)
            break;
        else
            std::this_thread::sleep_for(1ms);
    }
    // Read to the end, then a moment of quiet on the line before the technician's Ctrl+C.
    for (int waited = 0; waited < 1000; ++waited) {
        int pending = 0;
        if (real::ioctl(slave, FIONREAD, &pending) != 0 || pending == 0)
            break;
        std::this_thread::sleep_for(10ms);
    }
    std::this_thread::sleep_for(200ms);
    ::kill(::getpid(), SIGINT);
}

void ModelBridge::watch(const std::string& path)
{
    std::lock_guard lock(mutex_);
    watchedOpens_.try_emplace(path, 0);
}

void ModelBridge::refuseOpens(int error)
{
    std::lock_guard lock(mutex_);
    openRefusal_ = error;
}

void ModelBridge::refuseModemLines(bool refuse)
{
    std::lock_guard lock(mutex_);
    refuseModemLines_ = refuse;
}

void ModelBridge::pullOut()
{
    std::lock_guard lock(mutex_);
    pulledOut_ = true;
}

void ModelBridge::clearRecording()
{
    std::lock_guard lock(mutex_);
    counts_.clear();
    callsByThread_.clear();
    for (auto& [path, opens] : watchedOpens_)
        opens = 0;
    originNs_.reset();
    purged_ = 0;
    if (device_ && device_->uart)
        device_->uart = std::make_unique<UartModel>(device_->uart->line());
}

CallCounts ModelBridge::counts() const
{
    std::lock_guard lock(mutex_);
    return counts_;
}

std::vector<WireWrite> ModelBridge::wire() const
{
    std::lock_guard lock(mutex_);
    if (!device_ || !device_->uart || !originNs_)
        return {};
    UartModel drained = *device_->uart;
    drained.advanceTo(std::numeric_limits<std::int64_t>::max());
    std::vector<WireWrite> writes = drained.wire();
    for (WireWrite& write : writes)
        write.startNs -= *originNs_;
    return writes;
}

std::size_t ModelBridge::bytesCaught() const
{
    std::lock_guard lock(mutex_);
    if (!device_ || !device_->uart)
        return 0;
    UartModel drained = *device_->uart;
    drained.advanceTo(std::numeric_limits<std::int64_t>::max());
    return drained.caughtBytes();
}

std::size_t ModelBridge::charactersCut() const
{
    std::lock_guard lock(mutex_);
    return device_ && device_->uart ? device_->uart->charactersCut() : 0;
}

std::size_t ModelBridge::bytesPurged() const
{
    std::lock_guard lock(mutex_);
    return purged_;
}

std::size_t ModelBridge::opensOf(const std::string& path) const
{
    std::lock_guard lock(mutex_);
    const auto found = watchedOpens_.find(path);
    return found == watchedOpens_.end() ? 0 : found->second;
}

bool ModelBridge::isOpen() const
{
    std::lock_guard lock(mutex_);
    return !fds_.empty();
}

bool ModelBridge::dtr() const
{
    return lineState().dtr;
}

bool ModelBridge::rts() const
{
    return lineState().rts;
}

LineState ModelBridge::lineState() const
{
    std::lock_guard lock(mutex_);
    return device_ ? device_->line() : LineState{};
}

bool ModelBridge::saveCounts(const std::string& path) const
{
    std::ofstream out(path);
    for (const auto& [name, count] : counts())
        out << name << ' ' << count << '\n';
    out << "bytes caught " << bytesCaught() << '\n';
    out << "characters cut " << charactersCut() << '\n';
    out << "bytes purged " << bytesPurged() << '\n';
    return static_cast<bool>(out.flush());
}

bool ModelBridge::ownsLocked(int fd) const
{
    return fds_.contains(fd);
}

void ModelBridge::countLocked(const std::string& name, std::size_t times)
{
    counts_[name] += times;
    callsByThread_[std::this_thread::get_id()] += times;
}

std::size_t ModelBridge::callsFrom(std::thread::id id) const
{
    std::lock_guard lock(mutex_);
    const auto found = callsByThread_.find(id);
    return found == callsByThread_.end() ? 0 : found->second;
}

bool ModelBridge::goneLocked() const
{
    if (pulledOut_)
        errno = EIO;
    return pulledOut_;
}

std::optional<int> ModelBridge::open(const char* path, int flags)
{
    std::unique_lock lock(mutex_);
    if (path == nullptr)
        return std::nullopt;
    if (auto watched = watchedOpens_.find(path); watched != watchedOpens_.end()) {
        ++watched->second;
        return std::nullopt;
    }
    if (path != path_ || !device_ || !device_->ready())
        return std::nullopt;
    countLocked("open");
    if (openRefusal_ != 0) {
        errno = openRefusal_;
        return -1;
    }
    const int fd = real::open(device_->slaveName.c_str(), flags | O_NOCTTY);
    if (fd < 0)
        return fd;
    fds_.insert(fd);
    const std::int64_t now = nowNs();
    if (!originNs_)
        originNs_ = now;
    // A tty raises DTR and RTS when it opens; the bridge's interface is enabled by a request.
    device_->modemBits |= TIOCM_DTR | TIOCM_RTS;
    settingsChangedNs_ = now;
    if (!heard_.empty() && !std::exchange(hearing_, true))
        std::thread([this] { deliverHeard(); }).detach();
    countLocked(kControlRequest);
    lock.unlock();
    sleepUntil(now + kControlRequestNs);
    return fd;
}

std::optional<int> ModelBridge::close(int fd)
{
    std::unique_lock lock(mutex_);
    if (!ownsLocked(fd))
        return std::nullopt;
    countLocked("close");
    fds_.erase(fd);
    const std::int64_t now = nowNs();
    // The bridge drops what it has not sent yet, and the tty lowers DTR and RTS on its last close.
    purged_ += device_->uart->purge(now);
    if (fds_.empty() && (device_->settings.cflag & HUPCL) != 0)
        device_->modemBits &= ~(TIOCM_DTR | TIOCM_RTS);
    countLocked(kControlRequest);
    const int result = real::close(fd);
    lock.unlock();
    sleepUntil(now + kControlRequestNs);
    return result;
}

std::optional<long> ModelBridge::write(int fd, const void* data, std::size_t count)
{
    std::lock_guard lock(mutex_);
    if (!ownsLocked(fd))
        return std::nullopt;
    countLocked("write");
    if (goneLocked())
        return -1;
    const std::int64_t now = nowNs();
    if (bytesUntilPullOut_) {
        pulledOut_ = *bytesUntilPullOut_ == 0;
        if (goneLocked())
            return -1;
        count = std::min(count, *bytesUntilPullOut_);
    }
    const long accepted = real::write(fd, data, count);
    if (accepted > 0) {
        if (bytesUntilPullOut_)
            *bytesUntilPullOut_ -= static_cast<std::size_t>(accepted);
        device_->uart->enqueue(now + kDataTransferNs, device_->line(), static_cast<const std::uint8_t*>(data),
                               static_cast<std::size_t>(accepted));
        device_->lastWriteNs = now;
    }
    return accepted;
}

std::optional<PortSettings> ModelBridge::settings(int fd, const char* callName)
{
    std::lock_guard lock(mutex_);
    if (!ownsLocked(fd))
        return std::nullopt;
    countLocked(callName);
    return device_->settings;
}

std::int64_t ModelBridge::drainEndLocked(std::int64_t now)
{
    // The driver's own buffer empties once its bulk transfers are done; then the bridge's
    // transmit status is polled until its queue is empty.
    std::int64_t t = std::max(now, device_->lastWriteNs + kDataTransferNs);
    for (;;) {
        t += kControlRequestNs;
        countLocked(kStatusPoll);
        countLocked(kControlRequest);
        if (device_->uart->queueEmptyAtNs(t) <= t)
            return t;
        t += kDrainPollIntervalNs;
    }
}

std::optional<int> ModelBridge::setSettings(int fd, const PortSettings& requested, bool drainFirst,
                                            const char* callName)
{
    std::unique_lock lock(mutex_);
    if (!ownsLocked(fd))
        return std::nullopt;
    countLocked(callName);
    if (goneLocked())
        return -1;
    std::int64_t now = nowNs();
    if (drainFirst)
        now = drainEndLocked(now);
    settingsChangedNs_ = now;
    const LineState before = device_->line();
    const std::uint32_t rateBefore = device_->settings.baud;
    device_->settings = requested;
    if (requested.baud == 0)
        device_->settings.baud = rateBefore;
    const LineState after = device_->line();
    // The kernel sends the bridge only what changed; a request that changes nothing costs nothing.
    if (sameFraming(before, after) && before.ctsFlow == after.ctsFlow) {
        lock.unlock();
        sleepUntil(now);
        return 0;
    }
    device_->uart->change(now, after);
    countLocked(kControlRequest);
    lock.unlock();
    sleepUntil(now + kControlRequestNs);
    return 0;
}

std::optional<int> ModelBridge::modemLines(int fd, unsigned long request, int& bits, const char* callName)
{
    std::unique_lock lock(mutex_);
    if (!ownsLocked(fd))
        return std::nullopt;
    countLocked(callName);
    if (goneLocked())
        return -1;
    if (refuseModemLines_) {
        errno = EIO;
        return -1;
    }
    constexpr int kOutputs = TIOCM_DTR | TIOCM_RTS;
    switch (request) {
    case TIOCMGET:
        bits = device_->modemBits;
        break;
    case TIOCMSET:
        device_->modemBits = bits & kOutputs;
        break;
    case TIOCMBIS:
        device_->modemBits |= bits & kOutputs;
        break;
    case TIOCMBIC:
        device_->modemBits &= ~(bits & kOutputs);
        break;
    default:
        errno = EINVAL;
        return -1;
    }
    countLocked(kControlRequest);
    const std::int64_t now = nowNs();
    lock.unlock();
    sleepUntil(now + kControlRequestNs);
    return 0;
}

std::optional<int> ModelBridge::drain(int fd, const char* callName)
{
    std::unique_lock lock(mutex_);
    if (!ownsLocked(fd))
        return std::nullopt;
    countLocked(callName);
    if (goneLocked())
        return -1;
    const std::int64_t end = drainEndLocked(nowNs());
    lock.unlock();
    sleepUntil(end);
    return 0;
}

std::optional<int> ModelBridge::refusedWhenGone(int fd, const std::string& callName)
{
    std::lock_guard lock(mutex_);
    if (!ownsLocked(fd) || !pulledOut_)
        return std::nullopt;
    countLocked(callName);
    goneLocked();
    return -1;
}

bool ModelBridge::note(int fd, const std::string& callName)
{
    std::lock_guard lock(mutex_);
    if (!ownsLocked(fd))
        return false;
    countLocked(callName);
    return true;
}

} // namespace sus::bridge
