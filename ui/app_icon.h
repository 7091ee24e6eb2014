#pragma once

#include <QIcon>

namespace netlark {

/// Netlark's own icon, a small camera: the window icon and the About box picture.
QIcon applicationIcon();

} // namespace netlark
