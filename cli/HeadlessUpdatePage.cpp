// SPDX-License-Identifier: Apache-2.0
#include "cli/HeadlessUpdatePage.h"

#include <utility>

namespace sus::cli {

HeadlessUpdatePage::HeadlessUpdatePage(std::vector<std::string> files, std::string password)
    : files_(std::move(files)), password_(std::move(password))
{
}

void HeadlessUpdatePage::removeFile(int index)
{
    files_.erase(files_.begin() + index);
    if (selected_ == index)
        selected_ = -1;
    else if (selected_ > index)
        --selected_;
}

void HeadlessUpdatePage::setProgress(int percent)
{
    progress_ = percent;
    if (onProgress_)
        onProgress_();
}

void HeadlessUpdatePage::showWakeUpFrames(unsigned sent, unsigned total)
{
    waking_ = true;
    wakeUpSent_ = sent;
    wakeUpTotal_ = total;
    if (onProgress_)
        onProgress_();
}

} // namespace sus::cli
