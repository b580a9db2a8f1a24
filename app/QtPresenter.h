// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Presenter.h"

namespace sus {

// Modal message boxes of the system, over QMessageBox.
class QtPresenter final : public Presenter {
public:
    void showMessage(const std::string& text) override;
    void showFileError(const std::string& text) override;
};

} // namespace sus
