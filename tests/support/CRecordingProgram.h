#pragma once
// A stand-in for a browser or editor in tests: a small shell script in a
// temporary folder that writes each argument it was started with on a line
// of its own into "<script>.args". The file appears in one step (written
// aside, then renamed), so a test that sees it sees all of it. It needs
// nothing from the program search path, which tests point at their stand-ins.

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

class CRecordingProgram {
public:
    // Creates the script sName in sFolder.
    CRecordingProgram(const QString& sFolder, const QString& sName)
        : sPath(QDir(sFolder).filePath(sName)) {
        QFile script(sPath);
        if (script.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            script.write("#!/bin/sh\n"
                         "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.args.part\"\n"
                         "/bin/mv \"$0.args.part\" \"$0.args\"\n");
            script.close();
            script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }

    QString Path() const { return sPath; }
    bool WasStarted() const { return QFile::exists(RecordPath()); }

    // The arguments of the run, one per entry.
    QStringList Arguments() const {
        QFile record(RecordPath());
        if (!record.open(QIODevice::ReadOnly))
            return {};
        QStringList lst = QString::fromUtf8(record.readAll()).split(QLatin1Char('\n'));
        if (!lst.isEmpty() && lst.last().isEmpty())
            lst.removeLast();
        return lst;
    }

private:
    QString RecordPath() const { return sPath + QStringLiteral(".args"); }

    QString sPath;
};
