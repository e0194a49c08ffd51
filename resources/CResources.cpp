#include "resources/CResources.h"

#include <QString>

// Q_INIT_RESOURCE declares a function, so it must not sit inside a class or
// namespace.
static void InitRingwrightResources() {
    Q_INIT_RESOURCE(ringwright);
}

void CResources::Init() {
    static const bool bDone = (InitRingwrightResources(), true);
    (void)bDone;
}

QIcon CResources::AppIcon() {
    Init();
    QIcon icon;
    for (const char* sSize : {"32", "48", "256"})
        icon.addFile(QStringLiteral(":/icons/ringwright-%1.png").arg(QLatin1String(sSize)));
    return icon;
}
