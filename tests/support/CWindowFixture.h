#pragma once
// What every window test starts from: a fresh converter, message boxes
// recorded and answered instead of shown, a temporary ringtone folder that
// is also the program's own folder, and empty settings in the test's own
// store, never the user's. Made in init(), dropped in cleanup().

#include "engine/CNokia.h"
#include "widgets/CLauncher.h"
#include "widgets/CMessageBox.h"
#include "widgets/CProgram.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

class CWindowFixture {
public:
    // bRemember: the settings remember the ringtone folder, so that a window
    // starts without the first-run greeting.
    explicit CWindowFixture(bool bRemember = true) {
        QStandardPaths::setTestModeEnabled(true);
        CProgram::Nokia() = CNokia();
        CMessageBox::setTestMode(true);
        CLauncher::setBrowserCandidates({});
        CLauncher::setEditorCandidates({});
        CProgram::setOwnFolder(Folder());
        QSettings settings(CProgram::Name(), CProgram::Name());
        settings.clear();
        if (bRemember)
            settings.setValue(QStringLiteral("Settings/RingToneDirectory"), Folder());
        settings.sync();
    }
    CWindowFixture(const CWindowFixture&) = delete;
    CWindowFixture& operator=(const CWindowFixture&) = delete;

    ~CWindowFixture() {
        CMessageBox::setTestMode(false);
        CLauncher::setBrowserCandidates({});
        CLauncher::setEditorCandidates({});
        CProgram::setOwnFolder(QString());
        // Writable again, whatever a test took away, so that the folder goes.
        const QFile::Permissions writable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
        QFile::setPermissions(Folder(), writable);
        QDirIterator it(Folder(),
                        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::NoSymLinks,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            QFile::setPermissions(it.next(), writable);
    }

    bool IsValid() const { return m_Dir.isValid(); }
    // The temporary ringtone folder, and a name in it.
    QString Folder() const { return m_Dir.path(); }
    QString Path(const QString& sName) const { return m_Dir.filePath(sName); }

    // The next message box is answered so; unanswered ones get Ok or No.
    static void Answer(CMessageBox::Result iAnswer) { CMessageBox::queueAnswer(iAnswer); }
    // The boxes shown since the last call, oldest first.
    static QList<CMessageBox::Record> TakeShown() { return CMessageBox::takeShown(); }

private:
    QTemporaryDir m_Dir;
};
