#include "widgets/CProgramFolders.h"

#include "widgets/CProgram.h"

#include <QDir>
#include <QFileInfo>

QString CProgramFolders::DataFolder() const {
    const QString sInstalled = QDir::cleanPath(OwnFolder + QStringLiteral("/../share/ringwright"));
    if (QFileInfo::exists(sInstalled + QStringLiteral("/readme.txt")) &&
        !QFileInfo::exists(CProgram::JoinPath(OwnFolder, QStringLiteral("readme.txt"))))
        return sInstalled;
    return OwnFolder;
}

QString CProgramFolders::RingToneFolder() const {
    const QFileInfo own(OwnFolder);
    if (own.isDir() && CProgram::IsWritable(own))
        return OwnFolder;
    return QDir::homePath();
}
