#include "widgets/CProgram.h"

#include "engine/CNokia.h"

#include <QFileInfo>

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
