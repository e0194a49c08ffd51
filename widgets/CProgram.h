#pragma once
// What the whole program shares: its one converter, its name and version,
// its own folder, and the conversions between engine text and Qt text.

#include <QFileInfo>
#include <QString>
#include <string>

class CNokia;

namespace CProgram {
// The one converter of the process, created on first use.
CNokia& Nokia();

QString Name();    // "Ringwright"
QString Version(); // "2.0", from the project's version
QString Caption(); // "Ringwright V2.0"

// The folder of the running executable, unless set otherwise (tests).
QString OwnFolder();
void setOwnFolder(const QString& sFolder);

// Where the program's own files (the user guide) lie: beside the program
// in a build, <prefix>/share/ringwright once installed.
QString DataFolder();

// The ringtone folder a first run starts in: the program's own folder
// while the user may write there, else the user's home folder (an
// installed program lives in a system folder that saves could not use).
QString RingToneFolder();

// Whether the user may write there. Something without any write
// permission counts as read-only for everybody, the administrator
// included, as a user who marked it so would expect.
bool IsWritable(const QFileInfo& info);

// Folder and file name joined with one separator, as they are: a root
// folder "/" gives "//name", which still names the file.
QString JoinPath(const QString& sFolder, const QString& sName);

// Engine texts are UTF-8 bytes.
QString FromEngine(const std::string& sText);
std::string ToEngine(const QString& sText);
} // namespace CProgram
