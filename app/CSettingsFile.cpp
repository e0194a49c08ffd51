#include "app/CSettingsFile.h"

#include "app/CProgram.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

bool CSettingsFile::Prepare() {
    const QString sHome = qEnvironmentVariable("HOME");
    if (sHome.isEmpty() || !QDir::isAbsolutePath(sHome) || !QFileInfo(sHome).isDir())
        return false;
    const QFileInfo file(Path());
    if (file.isFile() || (!file.exists() && !file.isSymLink()))
        return true;
    // A folder is left alone: it does not block, the store just cannot
    // write there.
    if (file.isDir())
        return true;
    return QFile::remove(file.filePath());
}

QString CSettingsFile::Path() {
    // As the store itself names it, without opening it to ask.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1Char('/') + CProgram::Name() + QLatin1Char('/') + CProgram::Name() +
           QStringLiteral(".conf");
}
