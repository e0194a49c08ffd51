#include "mainwindow/CRingToneWriter.h"

#include "mainwindow/CSaveTarget.h"
#include "widgets/CProgram.h"

#include <QFileInfo>
#include <QSaveFile>

namespace {
QString Described(const QFileDevice& file) {
    const QString sError = file.errorString();
    return sError.isEmpty() || file.error() == QFileDevice::NoError
               ? QStringLiteral("The file could not be written")
               : sError;
}

// A write that stops short reports no error of its own; writing the rest
// again brings out the system's reason (a full disk, a size limit).
bool WriteAll(QFileDevice& file, const QByteArray& bytes) {
    qint64 iDone = 0;
    while (iDone < bytes.size()) {
        const qint64 iWritten = file.write(bytes.constData() + iDone, bytes.size() - iDone);
        if (iWritten <= 0)
            return false;
        iDone += iWritten;
    }
    return true;
}
} // namespace

bool CRingToneWriter::Write(const QString& sFolder, const QString& sFileName, const QString& sText,
                            QString& sFailure) {
    sFailure = CSaveTarget::Refusal(sFolder, sFileName);
    if (!sFailure.isEmpty())
        return false;
    const QString sPath = CProgram::JoinPath(sFolder, sFileName);
    const QFileInfo target(sPath);
    if (target.exists() && !CProgram::IsWritable(target)) {
        sFailure = QStringLiteral("The file is read-only");
        return false;
    }
    const QFileInfo folder(sFolder);
    if (!folder.isDir()) {
        sFailure = QStringLiteral("The folder does not exist");
        return false;
    }
    if (!CProgram::IsWritable(folder)) {
        sFailure = QStringLiteral("The folder is read-only");
        return false;
    }

    // The new content goes into a temporary file beside the target, which
    // replaces the target only once everything has been written. Unbuffered,
    // so that a full disk fails the write itself with the system's reason
    // instead of a flush inside commit() whose failure goes unreported.
    QSaveFile file(sPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        sFailure = Described(file);
        return false;
    }
    const QByteArray bytes = sText.toUtf8() + QByteArrayLiteral("\r\n");
    if (!WriteAll(file, bytes) || !file.flush()) {
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
