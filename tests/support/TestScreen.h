#pragma once
// An offscreen screen of a chosen size for window tests, set up before the
// application starts; every window on it gets a frame.

#include <QByteArray>
#include <QFile>
#include <QSize>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

namespace TestScreen {

// Writes the screen's description into config and points the offscreen
// platform at it. False when it could not be written.
inline bool Use(const QTemporaryDir& config, QSize size) {
    QFile screens(config.filePath(QStringLiteral("screens.json")));
    if (!config.isValid() || !screens.open(QIODevice::WriteOnly))
        return false;
    screens.write(QStringLiteral(R"({"windowFrameMargins": true, "screens": [{"name": "small",
        "x": 0, "y": 0, "width": %1, "height": %2, "logicalDpi": 96, "logicalBaseDpi": 96,
        "dpr": 1}]})")
                      .arg(size.width())
                      .arg(size.height())
                      .toUtf8());
    screens.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    return true;
}

} // namespace TestScreen
