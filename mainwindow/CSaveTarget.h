#pragma once
// Decides whether a save may write a file name into the ringtone folder:
// only a plain name, onto nothing or onto a plain file (a symbolic link to
// one writes its target). Pipes, devices, sockets, folders and broken links
// are never replaced.

#include <QString>

class CSaveTarget {
public:
    // Empty when the save may go ahead; otherwise the reason, for the user.
    static QString Refusal(const QString& sFolder, const QString& sFileName);

private:
    static QString NameRefusal(const QString& sFileName);
    static QString KindRefusal(const QString& sPath);
};
