#include "mainwindow/CSaveTarget.h"

#include "widgets/CProgram.h"

#include <QFile>
#include <cerrno>
#include <sys/stat.h>

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
    const QByteArray path = QFile::encodeName(sPath);
    struct stat link {};
    if (lstat(path.constData(), &link) != 0)
        return {}; // nothing there yet: the save creates it
    struct stat target = link;
    if (S_ISLNK(link.st_mode) && stat(path.constData(), &target) != 0) {
        if (errno == ELOOP)
            return QStringLiteral("The name is a symbolic link that leads round in a loop");
        return QStringLiteral("The name is a symbolic link to something that does not exist");
    }
    if (S_ISREG(target.st_mode))
        return {};
    if (S_ISDIR(target.st_mode))
        return QStringLiteral("A folder of that name exists");
    if (S_ISFIFO(target.st_mode))
        return QStringLiteral("The name is a pipe, not a plain file");
    if (S_ISCHR(target.st_mode) || S_ISBLK(target.st_mode))
        return QStringLiteral("The name is a device, not a plain file");
    return QStringLiteral("The name is not a plain file");
}
