#include "widgets/CProgram.h"

#include "engine/CNokia.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
QString& OwnFolderOverride() {
    static QString sFolder;
    return sFolder;
}
} // namespace

CNokia& CProgram::Nokia() {
    static CNokia nokia;
    return nokia;
}

QString CProgram::Name() {
    return QStringLiteral("Ringwright");
}

QString CProgram::Version() {
    return QStringLiteral("%1.%2").arg(RINGWRIGHT_VERSION_MAJOR).arg(RINGWRIGHT_VERSION_MINOR);
}

QString CProgram::Caption() {
    return Name() + QStringLiteral(" V") + Version();
}

QString CProgram::OwnFolder() {
    if (!OwnFolderOverride().isEmpty())
        return OwnFolderOverride();
    return QCoreApplication::applicationDirPath();
}

void CProgram::setOwnFolder(const QString& sFolder) {
    OwnFolderOverride() = sFolder;
}

QString CProgram::DataFolder() {
    const QString sInstalled =
        QDir::cleanPath(OwnFolder() + QStringLiteral("/../share/ringwright"));
    if (QFileInfo::exists(sInstalled + QStringLiteral("/readme.txt")) &&
        !QFileInfo::exists(JoinPath(OwnFolder(), QStringLiteral("readme.txt"))))
        return sInstalled;
    return OwnFolder();
}

QString CProgram::RingToneFolder() {
    const QFileInfo own(OwnFolder());
    if (own.isDir() && IsWritable(own))
        return OwnFolder();
    return QDir::homePath();
}

bool CProgram::IsWritable(const QFileInfo& info) {
    const QFileDevice::Permissions writeBits =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return info.isWritable() && (info.permissions() & writeBits);
}

QString CProgram::JoinPath(const QString& sFolder, const QString& sName) {
    return sFolder + QLatin1Char('/') + sName;
}

QString CProgram::FromEngine(const std::string& sText) {
    return QString::fromUtf8(sText.data(), static_cast<qsizetype>(sText.size()));
}

std::string CProgram::ToEngine(const QString& sText) {
    return sText.toUtf8().toStdString();
}
