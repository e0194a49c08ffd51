#include "dialogs/CInstructions.h"
#include "tests/support/CRecordingProgram.h"
#include "tests/support/CWindowFixture.h"
#include "widgets/CLauncher.h"
#include "widgets/CMessageBox.h"
#include "widgets/CProgram.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {
const QString kCannotOpenText = QStringLiteral(
    "Cannot load readme.txt  Please find the file yourself and open it in Notepad to get the "
    "latest information or go to my website.");

bool WriteFile(const QString& sPath, const QByteArray& data,
               QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner) {
    QFile file(sPath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(data);
    file.close();
    return file.setPermissions(permissions);
}

} // namespace

class CInstructionsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { m_pFixture = std::make_unique<CWindowFixture>(); }
    void cleanup() { m_pFixture.reset(); }

    void opensReadmeWithPathAsOneArgument_data() {
        QTest::addColumn<QString>("sSubFolder");
        QTest::addColumn<QString>("sFolderEnd");
        QTest::addColumn<bool>("bUnknownEditorFirst");

        QTest::newRow("plain folder") << "prog"
                                      << "" << false;
        // A root folder already ends in its separator: "//readme.txt".
        QTest::newRow("folder ending in a separator") << "prog"
                                                      << "/" << false;
        QTest::newRow("blanks in the folder name") << "my programs/ring wright"
                                                   << "" << false;
        QTest::newRow("first editor not installed") << "prog"
                                                    << "" << true;
    }

    void opensReadmeWithPathAsOneArgument() {
        QFETCH(QString, sSubFolder);
        QFETCH(QString, sFolderEnd);
        QFETCH(bool, bUnknownEditorFirst);

        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QString sFolder = tmp.path() + QLatin1Char('/') + sSubFolder;
        QVERIFY(QDir().mkpath(sFolder));
        // Empty: the program opens it without reading it.
        QVERIFY(WriteFile(sFolder + QStringLiteral("/readme.txt"), QByteArray()));
        // Editors are tried in order: the first, or the third when only that is installed.
        const CRecordingProgram editor(m_pFixture->Programs(), bUnknownEditorFirst
                                                                   ? QStringLiteral("gedit")
                                                                   : QStringLiteral("notepad"));

        CInstructions::Open(nullptr, CProgramFolders{sFolder + sFolderEnd});

        QTRY_VERIFY(editor.WasStarted());
        const QString sExpectedPath = sFolder + sFolderEnd + QStringLiteral("/readme.txt");
        QCOMPARE(editor.Arguments(), QStringList{sExpectedPath});
        QVERIFY(CWindowFixture::TakeShown().isEmpty());
    }

    // Installed, the program lies in <prefix>/bin and its guide in
    // <prefix>/share/ringwright.
    void installedProgramOpensGuideFromDataFolder() {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        QVERIFY(QDir().mkpath(tmp.filePath(QStringLiteral("bin"))));
        QVERIFY(QDir().mkpath(tmp.filePath(QStringLiteral("share/ringwright"))));
        QVERIFY(WriteFile(tmp.filePath(QStringLiteral("share/ringwright/readme.txt")), "Guide\n"));
        const CRecordingProgram editor(m_pFixture->Programs(), QStringLiteral("xdg-open"));

        CInstructions::Open(nullptr, CProgramFolders{tmp.filePath(QStringLiteral("bin"))});

        QTRY_VERIFY(editor.WasStarted());
        QCOMPARE(editor.Arguments(),
                 QStringList{tmp.filePath(QStringLiteral("share/ringwright/readme.txt"))});
        QVERIFY(CWindowFixture::TakeShown().isEmpty());
    }

    void missingReadmeIsReported_data() {
        QTest::addColumn<bool>("bFolderInstead");
        QTest::newRow("no such file") << false;
        QTest::newRow("a folder named readme.txt") << true;
    }

    void missingReadmeIsReported() {
        QFETCH(bool, bFolderInstead);

        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        if (bFolderInstead)
            QVERIFY(QDir(tmp.path()).mkdir(QStringLiteral("readme.txt")));
        const CRecordingProgram editor(m_pFixture->Programs(), QStringLiteral("xdg-open"));

        CInstructions::Open(nullptr, CProgramFolders{tmp.path()});

        const QList<ShownBox> shown = CWindowFixture::TakeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].Text, QStringLiteral("Text file does not exist."));
        QCOMPARE(shown[0].Title, QStringLiteral("Readme.txt not found"));
        QCOMPARE(shown[0].IconKind, CMessageBox::Exclamation);
        QCOMPARE(shown[0].ButtonSet, CMessageBox::OkOnly);
        QTest::qWait(100);
        QVERIFY(!editor.WasStarted());
    }

    void editorThatCannotStartIsReported_data() {
        QTest::addColumn<QString>("sCandidate");
        // What lies on the search path under the first editor's name.
        QTest::newRow("no editor on the search path") << "";
        QTest::newRow("a folder") << "folder";
        QTest::newRow("file that is not executable") << "plain";
    }

    void editorThatCannotStartIsReported() {
        QFETCH(QString, sCandidate);

        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        QVERIFY(WriteFile(tmp.path() + QStringLiteral("/readme.txt"), "Guide\n"));
        const QString sEditor = m_pFixture->Programs() + QStringLiteral("/notepad");
        if (sCandidate == QStringLiteral("folder"))
            QVERIFY(QDir().mkdir(sEditor));
        else if (sCandidate == QStringLiteral("plain"))
            QVERIFY(WriteFile(sEditor, "#!/bin/sh\nexit 0\n"));

        CInstructions::Open(nullptr, CProgramFolders{tmp.path()});

        const QList<ShownBox> shown = CWindowFixture::TakeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].Text, kCannotOpenText);
        QCOMPARE(shown[0].Title, QStringLiteral("Cannot open Readme.txt"));
        QCOMPARE(shown[0].IconKind, CMessageBox::Exclamation);
        QCOMPARE(shown[0].ButtonSet, CMessageBox::OkOnly);
    }

private:
    std::unique_ptr<CWindowFixture> m_pFixture;
};

QTEST_MAIN(CInstructionsTest)
#include "CInstructionsTest.moc"
