// SPDX-License-Identifier: Apache-2.0
#include "app/Pictures.h"

#include <stdexcept>
#include <string>

// The resources live in a static library: nothing would pull them into the program unless
// something refers to them. Q_INIT_RESOURCE cannot stand inside a namespace.
static void initPictureResources()
{
    Q_INIT_RESOURCE(assets);
}

namespace sus {

QPixmap loadPicture(const char* path)
{
    static const bool initialised = (initPictureResources(), true);
    (void)initialised;
    QPixmap picture(QString::fromLatin1(path));
    if (picture.isNull())
        throw std::runtime_error(std::string("Cannot load the picture ") + path);
    return picture;
}

} // namespace sus
