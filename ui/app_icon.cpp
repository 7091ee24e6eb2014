#include "ui/app_icon.h"

// The resources live in a static library, so they are registered explicitly
// before first use; Q_INIT_RESOURCE must be called outside any namespace.
static void registerUiResources() {
    Q_INIT_RESOURCE(ui);
}

namespace netlark {

QIcon applicationIcon() {
    registerUiResources();
    QIcon icon;
    for (const int size : {16, 32, 48, 64}) {
        icon.addFile(QStringLiteral(":/netlark/icons/camera-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

} // namespace netlark
