#include "Mockups.h"

#include <QString>

// The pictures are compiled into this static library; registering them here makes sure
// every program that asks for a mock-up has them, whatever the linker kept. The resource
// macro needs the global namespace.
static void registerMockups() {
    static const bool kDone = [] {
        Q_INIT_RESOURCE(preview_mockups);
        return true;
    }();
    (void)kDone;
}

namespace preview {

QImage mockupPicture(std::string_view key) {
    registerMockups();
    for (const char* known : {"Logos", "Webpage", "Table2", "Links", "Links2", "Scrollbar"}) {
        if (key == known)
            return QImage(QStringLiteral(":/preview/mockups/%1.png").arg(QLatin1String(known)));
    }
    return {};
}

} // namespace preview
