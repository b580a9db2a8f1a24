// SPDX-License-Identifier: Apache-2.0
#include "cli/SessionUpdate.h"

#include "core/Presenter.h"
#include "sim/VirtualFixture.h"

namespace sus::cli {

namespace {

// Keeps the last message instead of showing it.
class LastMessage : public Presenter {
public:
    void showMessage(const std::string& text) override { text_ = text; }
    void showFileError(const std::string& text) override { text_ = text; }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

} // namespace

SessionUpdate::SessionUpdate(LineSession& session, std::vector<std::string> files,
                             std::vector<std::string> passwords, Presenter& presenter)
    : page_(std::move(files), passwords.empty() ? std::string() : passwords.front()), turns_(session.link()),
      timer1_(session.pacer().line().createTimer()),
      sequencer_(files_, session.link(), turns_, *timer1_, presenter, page_, session.pacer().line().threads(),
                 session.pacer().line().clock())
{
    page_.setSelectedIndex(0);
    sequencer_.setFilePasswords(std::move(passwords));
}

std::optional<FixtureLog> plannedUpdateRun(const std::vector<std::string>& files,
                                           const std::vector<std::string>& passwords, std::string& error)
{
    LineOptions options;
    options.simulate = true;
    LastMessage presenter;
    LineSession session(options, presenter);
    SessionUpdate update(session, files, passwords, presenter);
    update.sequencer().SpeedButton2Click();
    session.pacer().runUntil([&] { return update.ended(); });
    session.pacer().line().stop();
    if (update.sequencer().lastOutcome() != RunOutcome::Finished) {
        error = presenter.text();
        return std::nullopt;
    }
    return VirtualFixture::listen(session.txLine());
}

} // namespace sus::cli
