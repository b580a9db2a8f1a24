// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <string>

namespace sus {

// Modal messages of the system. The production presenter shows a modal box and returns once the
// user has dismissed it; tests inject a recorder, so no test ever waits for a person.
// Texts are UTF-8.
class Presenter {
public:
    virtual ~Presenter() = default;

    // A plain message box captioned with the application title, with an OK button.
    virtual void showMessage(const std::string& text) = 0;

    // The file queue's "File Error" box with the buttons OK and Cancel; the answer is not used.
    virtual void showFileError(const std::string& text) = 0;
};

} // namespace sus
