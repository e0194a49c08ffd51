#pragma once
// What the whole program shares: its one converter, its name and version,
// its own folder, and the conversions between engine text and Qt text.

#include <QString>
#include <string>

class CNokia;

class CProgram {
public:
    // The one converter of the process, created on first use.
    static CNokia& Nokia();

    static QString Name();    // "Ringwright"
    static QString Caption(); // "Ringwright V2.0", from the project's version

    // The folder of the running executable, unless set otherwise (tests).
    static QString OwnFolder();
    static void setOwnFolder(const QString& sFolder);

    // Folder and file name joined with one separator, as they are: a root
    // folder "/" gives "//name", which still names the file.
    static QString JoinPath(const QString& sFolder, const QString& sName);

    // Engine texts are UTF-8 bytes.
    static QString FromEngine(const std::string& sText);
    static std::string ToEngine(const QString& sText);
};
