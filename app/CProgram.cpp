#include "app/CProgram.h"

#include "engine/CNokia.h"

#include <QCoreApplication>

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

QString CProgram::Name() { return QStringLiteral("Ringwright"); }

QString CProgram::Caption() {
    return Name() + QStringLiteral(" V%1.%2")
                        .arg(RINGWRIGHT_VERSION_MAJOR)
                        .arg(RINGWRIGHT_VERSION_MINOR);
}

QString CProgram::OwnFolder() {
    if (!OwnFolderOverride().isEmpty())
        return OwnFolderOverride();
    return QCoreApplication::applicationDirPath();
}

void CProgram::setOwnFolder(const QString& sFolder) { OwnFolderOverride() = sFolder; }

QString CProgram::JoinPath(const QString& sFolder, const QString& sName) {
    return sFolder + QLatin1Char('/') + sName;
}

QString CProgram::FromEngine(const std::string& sText) {
    return QString::fromUtf8(sText.data(), static_cast<qsizetype>(sText.size()));
}

std::string CProgram::ToEngine(const QString& sText) { return sText.toUtf8().toStdString(); }
