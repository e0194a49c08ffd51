#include "mainwindow/CRingToneWriter.h"

#include "app/CProgram.h"

#include <QFileInfo>
#include <QSaveFile>

namespace {
QString Described(const QFileDevice& file) {
    const QString sError = file.errorString();
    return sError.isEmpty() ? QStringLiteral("The file could not be written") : sError;
}
} // namespace

bool CRingToneWriter::Write(const QString& sPath, const QString& sText, QString& sFailure) {
    const QFileInfo target(sPath);
    if (target.isDir()) {
        sFailure = QStringLiteral("A folder of that name exists");
        return false;
    }
    if (target.exists() && !CProgram::IsWritable(target)) {
        sFailure = QStringLiteral("The file is read-only");
        return false;
    }
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir()) {
        sFailure = QStringLiteral("The folder does not exist");
        return false;
    }
    if (!CProgram::IsWritable(folder)) {
        sFailure = QStringLiteral("The folder is read-only");
        return false;
    }

    // The new content goes into a temporary file beside the target, which
    // replaces the target only once everything has been written.
    QSaveFile file(sPath);
    if (!file.open(QIODevice::WriteOnly)) {
        sFailure = Described(file);
        return false;
    }
    const QByteArray bytes = sText.toUtf8() + QByteArrayLiteral("\r\n");
    if (file.write(bytes) != bytes.size()) {
        sFailure = Described(file);
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        sFailure = Described(file);
        return false;
    }
    return true;
}
