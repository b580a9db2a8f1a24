// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace sus {

// The "DMX Output" check box (CheckBox1) as the output loop sees it.
class DmxOutputView {
public:
    virtual ~DmxOutputView() = default;

    // Sets the box unchecked. When it was checked this runs the loop's CheckBox1Click(false) before
    // returning, as the check box's toggle signal does; when it was not, nothing runs.
    virtual void uncheckOutputBox() = 0;

    // Whether the box can be checked.
    virtual void setOutputOffered(bool offered) = 0;
};

} // namespace sus
