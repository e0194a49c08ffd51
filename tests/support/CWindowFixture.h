#pragma once
// What every window test starts from: a fresh converter, message boxes
// recorded and answered, a temporary ringtone folder that is also the
// program's own folder (Folders(), for the window), a program search path holding only the
// stand-ins a test writes there, and empty settings in the test's own store, never the user's. Made
// in init(), dropped in cleanup().

#include "engine/CNokia.h"
#include "tests/support/CMessageBoxAnswers.h"
#include "widgets/CMessageBox.h"
#include "widgets/CProgram.h"
#include "widgets/CProgramFolders.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

class CWindowFixture {
public:
    // bRemember: the settings remember the ringtone folder, so that a window
    // starts without the first-run greeting.
    explicit CWindowFixture(bool bRemember = true) {
        QStandardPaths::setTestModeEnabled(true);
        CProgram::Nokia() = CNokia();
        s_pCurrent = this;
        m_sPath = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(Programs()));
        QSettings settings(CProgram::Name(), CProgram::Name());
        settings.clear();
        if (bRemember)
            settings.setValue(QStringLiteral("Settings/RingToneDirectory"), Folder());
        settings.sync();
    }
    CWindowFixture(const CWindowFixture&) = delete;
    CWindowFixture& operator=(const CWindowFixture&) = delete;

    ~CWindowFixture() {
        s_pCurrent = nullptr;
        qputenv("PATH", m_sPath);
        // Writable again, whatever a test took away, so that the folder goes.
        const QFile::Permissions writable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
        QFile::setPermissions(Folder(), writable);
        QDirIterator it(Folder(),
                        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::NoSymLinks,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            QFile::setPermissions(it.next(), writable);
    }

    bool IsValid() const { return m_Dir.isValid() && m_Programs.isValid(); }
    // The temporary ringtone folder, and a name in it.
    QString Folder() const { return m_Dir.path(); }
    QString Path(const QString& sName) const { return m_Dir.filePath(sName); }
    // The program's folders, as if it ran from Folder().
    CProgramFolders Folders() const { return CProgramFolders{Folder()}; }

    // The only folder on the program search path: where a test puts the
    // browser or editor it wants found.
    QString Programs() const { return m_Programs.path(); }

    // The next message box is answered so, or by fnHandler (which closes
    // it); unanswered ones get Ok or No.
    static void Answer(CMessageBox::Result iAnswer) { s_pCurrent->m_Boxes.Queue(iAnswer); }
    static void Answer(CMessageBoxAnswers::Handler fnHandler) {
        s_pCurrent->m_Boxes.Queue(std::move(fnHandler));
    }
    // fn runs while each box is on screen.
    static void WhileShown(std::function<void(const ShownBox&)> fn) {
        s_pCurrent->m_Boxes.WhileShown(std::move(fn));
    }
    // The boxes shown since the last call, oldest first.
    static QList<ShownBox> TakeShown() { return s_pCurrent->m_Boxes.TakeShown(); }

private:
    static inline CWindowFixture* s_pCurrent = nullptr;
    QTemporaryDir m_Dir;
    QTemporaryDir m_Programs;
    QByteArray m_sPath;
    CMessageBoxAnswers m_Boxes;
};
