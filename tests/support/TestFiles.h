#pragma once
// Reading and writing whole files in tests, without the program's own code.

#include <QByteArray>
#include <QFile>
#include <QSettings>
#include <QString>

namespace TestFiles {

// The file's bytes, or a marker that no real content equals.
inline QByteArray ReadAll(const QString& sPath) {
    QFile file(sPath);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

inline bool WriteRaw(const QString& sPath, const QByteArray& bytes) {
    QFile file(sPath);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Settings that remember sFolder as the ringtone folder, so that a window
// starts without the first-run greeting.
inline void RememberRingToneFolder(const QString& sFolder) {
    QSettings settings(QStringLiteral("Ringwright"), QStringLiteral("Ringwright"));
    settings.setValue(QStringLiteral("Settings/RingToneDirectory"), sFolder);
    settings.sync();
}

} // namespace TestFiles
