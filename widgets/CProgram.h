#pragma once
// What the whole program shares: its one converter, its name and version,
// and the conversions between engine text and Qt text.

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
