#include "mainwindow/CSaveTarget.h"

#include "files/SaveTarget.h"
#include "widgets/CProgram.h"

#include <QFile>

QString CSaveTarget::Refusal(const QString& sFolder, const QString& sFileName) {
    QString sReason = NameRefusal(sFileName);
    if (sReason.isEmpty())
        sReason = KindRefusal(CProgram::JoinPath(sFolder, sFileName));
    return sReason;
}

// The file always goes into the ringtone folder: a folder part would lead
// out of it, and "." or ".." name folders themselves. The Save-As dialog adds
// a four-character extension, so the name typed is checked without it too.
QString CSaveTarget::NameRefusal(const QString& sFileName) {
    if (sFileName.contains(QLatin1Char('/')))
        return QStringLiteral("A file name cannot contain \"/\"; the file is always saved in "
                              "the ringtone folder");
    const QString sTyped = sFileName.left(sFileName.size() - 4);
    for (const QString& sName : {sFileName, sTyped}) {
        if (sName == QLatin1String(".") || sName == QLatin1String(".."))
            return QStringLiteral("\".\" and \"..\" are not file names");
    }
    return {};
}

QString CSaveTarget::KindRefusal(const QString& sPath) {
    const SaveTarget::Place place = SaveTarget::Examine(QFile::encodeName(sPath).toStdString());
    return QString::fromStdString(SaveTarget::KindRefusal(place, false));
}
