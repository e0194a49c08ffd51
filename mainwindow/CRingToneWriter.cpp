#include "mainwindow/CRingToneWriter.h"

#include "files/CFileReplacement.h"
#include "widgets/CProgram.h"
#include "mainwindow/CSaveTarget.h"
#include "widgets/CProgram.h"

#include <QFile>

bool CRingToneWriter::Write(const QString& sFolder, const QString& sFileName, const QString& sText,
                            QString& sFailure) {
    sFailure = CSaveTarget::Refusal(sFolder, sFileName);
    if (!sFailure.isEmpty())
        return false;
    CFileReplacement file;
    if (file.Open(QFile::encodeName(CProgram::JoinPath(sFolder, sFileName)).toStdString(), false)) {
        file.Write(CProgram::ToEngine(sText) + "\r\n");
        if (file.Commit())
            return true;
    }
    sFailure = QString::fromLocal8Bit(file.Reason());
    return false;
}
