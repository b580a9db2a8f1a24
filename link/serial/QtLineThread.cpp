// SPDX-License-Identifier: Apache-2.0
#include "link/serial/QtLineThread.h"

#include <QCoreApplication>
#include <QThread>

namespace sus {

namespace {

class QtOwnThread final : public LineThread::OwnThread {
public:
    explicit QtOwnThread(std::function<void()> body) : thread_(QThread::create(std::move(body)))
    {
        thread_->start();
    }
    void join() override { thread_->wait(); }

private:
    std::unique_ptr<QThread> thread_;
};

std::unique_ptr<LineThread::OwnThread> spawnQtThread(std::function<void()> body)
{
    return std::make_unique<QtOwnThread>(std::move(body));
}

} // namespace

void QtEventLoopExecutor::post(std::function<void()> task)
{
    QMetaObject::invokeMethod(&context_, std::move(task), Qt::QueuedConnection);
}

void QtEventLoopExecutor::discardPending()
{
    QCoreApplication::removePostedEvents(&context_);
}

QtLineThread::QtLineThread(RaisePriority raise) : thread_(window_, spawnQtThread, std::move(raise)) {}

void QtLineThread::stop()
{
    thread_.stop();
    window_.discardPending();
}

} // namespace sus
