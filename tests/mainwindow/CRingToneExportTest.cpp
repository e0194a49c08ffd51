// Saving and exporting: the text written whole or not at all, and File > Save
// and Edit > Export/Copy through the real window, Save-As dialog, files and
// clipboard.

#include "mainwindow/CRingToneExport.h"
#include "dialogs/frmSaveAs.h"
#include "engine/CNokia.h"
#include "engine/modNOK.h"
#include "tests/support/CConverterFixture.h"
#include "tests/support/TestFiles.h"
#include "widgets/CMessageBox.h"
#include "widgets/CProgram.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMimeData>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <csignal>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
using TestFiles::ReadAll;
using TestFiles::WriteRaw;

const QFileDevice::Permissions ReadOnly =
    QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
const QFileDevice::Permissions ReadOnlyFolder =
    ReadOnly | QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
const QFileDevice::Permissions Writable = ReadOnlyFolder | QFileDevice::WriteOwner;

bool WriteText(const QString& sPath, const QString& sText, QString& sFailure) {
    const QFileInfo target(sPath);
    return CRingToneExport::WriteText(target.path(), target.fileName(), sText, sFailure);
}

using Records = QList<ShownBox>;
using TestWidgets::Child;

// What the Save-As dialog showed while it was open.
struct SaveAsSeen {
    bool bShown = false;
    QString sCaption;
    QString sProposed;
    QString sSelected;
    QString sExtension;
};

enum class Answer { Proposed, Cancel, TitleBarClose };

// Answers the Save-As dialog once it is on screen, for as long as the
// answer is kept; if no dialog comes, nothing happens.
[[nodiscard]] std::unique_ptr<CModalAnswer> AnswerSaveAs(SaveAsSeen& seen, Answer iAnswer,
                                                         const QString& sTyped = QString()) {
    return std::make_unique<CModalAnswer>(
        [&seen, iAnswer, sTyped](QWidget* pModal) {
            auto* pDlg = qobject_cast<frmSaveAs*>(pModal);
            auto* pName = Child<QLineEdit>(pDlg, QStringLiteral("txtFilename"));
            seen.bShown = true;
            seen.sCaption = pDlg->windowTitle();
            seen.sProposed = pName->text();
            seen.sSelected = pName->selectedText();
            seen.sExtension = Child<QLineEdit>(pDlg, QStringLiteral("txtExtension"))->text();
            switch (iAnswer) {
            case Answer::Proposed:
                // The proposed name is selected whole, so typing replaces it.
                if (!sTyped.isEmpty())
                    QTest::keyClicks(pName, sTyped);
                QTest::mouseClick(Child<QPushButton>(pDlg, QStringLiteral("cmdOk")),
                                  Qt::LeftButton);
                break;
            case Answer::Cancel:
                QTest::mouseClick(Child<QPushButton>(pDlg, QStringLiteral("cmdCancel")),
                                  Qt::LeftButton);
                break;
            case Answer::TitleBarClose:
                pDlg->close();
                break;
            }
            if (pDlg->isVisible())
                pDlg->done(QDialog::Rejected);
        },
        QStringLiteral("frmSaveAs"));
}

ShownBox Shown(const QString& sText, const QString& sTitle = CProgram::Name(),
               CMessageBox::Buttons iButtons = CMessageBox::OkOnly) {
    return {sText, sTitle, CMessageBox::NoIcon, iButtons};
}

// Boxes as comparable lines: title, buttons, icon and text.
QStringList Lines(const Records& records) {
    QStringList lines;
    for (const auto& record : records)
        lines << QStringLiteral("%1 [%2/%3] %4")
                     .arg(record.Title)
                     .arg(record.ButtonSet)
                     .arg(record.IconKind)
                     .arg(record.Text);
    return lines;
}

QStringList TakeShown() {
    return Lines(CWindowFixture::TakeShown());
}

const QString Overwrite = QStringLiteral("The file already exists.  Do you want to overwrite it?");
} // namespace

class CRingToneExportTest : public QObject, public CConverterFixture {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { Begin(); }
    void cleanup() { End(); }

    void writesOneLineWithCrLf_data();
    void writesOneLineWithCrLf();
    void replacesWholeContent();
    void failureLeavesExistingFileIntact_data();
    void failureLeavesExistingFileIntact();
    void fullDiskKeepsExistingFile_data();
    void fullDiskKeepsExistingFile();

    void missingNameOrTempoOnlyAsks_data();
    void missingNameOrTempoOnlyAsks();
    void failureBeforeDialogNamesCurrentTarget_data();
    void failureBeforeDialogNamesCurrentTarget();
    void proposesNameAndKind_data();
    void proposesNameAndKind();
    void writesEachForm_data();
    void writesEachForm();
    void overwriteQuestion_data();
    void overwriteQuestion();
    void savesWhatWasTyped();
    void failedSaveKeepsExistingFile_data();
    void failedSaveKeepsExistingFile();
    void refusesWhatIsNoPlainFile_data();
    void refusesWhatIsNoPlainFile();
    void linkToPlainFileWritesTarget();
    void typedExtensionIsKept();
    void closingWithoutOkWritesNothing_data();
    void closingWithoutOkWritesNothing();
    void exportConfirmsThenCopies_data();
    void exportConfirmsThenCopies();
    void firstRunOfAnInstalledProgramSavesIntoHome();

private:
    bool OpenForSave() {
        const bool bOpen = Open();
        CProgram::Nokia().FilePath = CProgram::ToEngine(Folder());
        CWindowFixture::TakeShown();
        return bOpen;
    }
    void Save() { Child<QAction>(QStringLiteral("mnuFileSave"))->trigger(); }
    void Export() { Child<QAction>(QStringLiteral("mnuEditCopy"))->trigger(); }
    QString Folder() const { return m_pFixture->Folder(); }
    QStringList SavedFiles() const {
        return QDir(Folder()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    }
};

void CRingToneExportTest::writesOneLineWithCrLf_data() {
    QTest::addColumn<QString>("sText");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("rtttl") << "Tone:d=4,o=6,b=140:8c,d"
                           << QByteArray("Tone:d=4,o=6,b=140:8c,d\r\n");
    QTest::newRow("empty") << "" << QByteArray("\r\n");
    QTest::newRow("utf-8") << "Für:Tempo=90:4c2" << QByteArray("F\xc3\xbcr:Tempo=90:4c2\r\n");
}

void CRingToneExportTest::writesOneLineWithCrLf() {
    QFETCH(QString, sText);
    QFETCH(QByteArray, expected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString sPath = dir.filePath(QStringLiteral("tune.TXT"));
    QString sFailure;
    QVERIFY(WriteText(sPath, sText, sFailure));
    QVERIFY(sFailure.isEmpty());
    QCOMPARE(ReadAll(sPath), expected);
    // Nothing but the file itself is left behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("tune.TXT")});
}

void CRingToneExportTest::replacesWholeContent() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString sPath = dir.filePath(QStringLiteral("tune.321"));
    QVERIFY(WriteRaw(sPath, QByteArray("A much longer ringtone text that was there before\r\n")));

    QString sFailure;
    QVERIFY(WriteText(sPath, QStringLiteral("T:Tempo=1:"), sFailure));
    QCOMPARE(ReadAll(sPath), QByteArray("T:Tempo=1:\r\n"));
}

void CRingToneExportTest::failureLeavesExistingFileIntact_data() {
    QTest::addColumn<QString>("sCase");
    QTest::newRow("read-only folder") << "folder";
    QTest::newRow("read-only file") << "file";
    QTest::newRow("folder missing") << "missing";
    QTest::newRow("folder is a file") << "notfolder";
    QTest::newRow("target is a folder") << "isfolder";
}

void CRingToneExportTest::failureLeavesExistingFileIntact() {
    QFETCH(QString, sCase);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray before("Old:d=4,o=5,b=100:c\r\n");
    const QString sFolder = dir.filePath(QStringLiteral("tones"));
    QVERIFY(QDir().mkpath(sFolder));
    const QString sExisting = sFolder + QStringLiteral("/tune.TXT");
    QVERIFY(WriteRaw(sExisting, before));

    QString sTarget = sExisting;
    if (sCase == QLatin1String("folder")) {
        QVERIFY(QFile::setPermissions(sFolder, ReadOnlyFolder));
    } else if (sCase == QLatin1String("file")) {
        QVERIFY(QFile::setPermissions(sExisting, ReadOnly));
    } else if (sCase == QLatin1String("missing")) {
        sTarget = dir.filePath(QStringLiteral("gone/tune.TXT"));
    } else if (sCase == QLatin1String("notfolder")) {
        sTarget = sExisting + QStringLiteral("/tune.TXT");
    } else {
        sTarget = sFolder;
    }

    QString sFailure;
    const bool bWritten = WriteText(sTarget, QStringLiteral("New:Tempo=1:"), sFailure);
    const QStringList lstAfter =
        QDir(sFolder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    QFile::setPermissions(sFolder, Writable);
    QFile::setPermissions(sExisting, Writable);

    QVERIFY(!bWritten);
    QVERIFY(!sFailure.isEmpty());
    QCOMPARE(ReadAll(sExisting), before);
    QCOMPARE(lstAfter, QStringList{QStringLiteral("tune.TXT")});
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("gone"))));
}

// A real 64 KiB file system, filled until only iLeft bytes are free.
// Unmounted when the test ends, whatever its outcome.
class CSmallDisk {
public:
    explicit CSmallDisk(const QString& sFolder) : m_sFolder(QFile::encodeName(sFolder)) {
        m_bMounted = mount("tmpfs", m_sFolder.constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~CSmallDisk() {
        if (m_bMounted)
            umount2(m_sFolder.constData(), MNT_DETACH);
    }
    bool Mounted() const { return m_bMounted; }
    // Takes all but about iLeft bytes (whole pages, as the file system counts).
    bool Fill(qint64 iLeft) {
        const int fd = open((m_sFolder + "/fill").constData(), O_WRONLY | O_CREAT, 0600);
        if (fd < 0)
            return false;
        const QByteArray page(4096, 'x');
        while (write(fd, page.constData(), static_cast<size_t>(page.size())) == page.size()) {
        }
        bool bFull = errno == ENOSPC;
        if (iLeft > 0)
            bFull = bFull && ftruncate(fd, lseek(fd, 0, SEEK_CUR) - iLeft) == 0;
        close(fd);
        return bFull;
    }

private:
    QByteArray m_sFolder;
    bool m_bMounted = false;
};

void CRingToneExportTest::fullDiskKeepsExistingFile_data() {
    QTest::addColumn<qint64>("iLeft");
    QTest::addColumn<int>("iTextSize");
    QTest::newRow("no space at all") << qint64(0) << 24;
    QTest::newRow("text larger than the space left") << qint64(8192) << 40000;
}

// Where mounting is refused (not root), a file-size limit in a child process
// stands in for the full disk; the system's reason is then "File too large".
void CRingToneExportTest::fullDiskKeepsExistingFile() {
    QFETCH(qint64, iLeft);
    QFETCH(int, iTextSize);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString sFolder = dir.filePath(QStringLiteral("disk"));
    QVERIFY(QDir().mkpath(sFolder));
    CSmallDisk disk(sFolder);
    const QString sPath = sFolder + QStringLiteral("/tone.KEY");
    const QByteArray before("Old:Tempo=100:1, 2\r\n");
    QVERIFY(WriteRaw(sPath, before));
    const QString sText(iTextSize, QLatin1Char('c'));
    QString sFailure;

    if (disk.Mounted()) {
        qInfo("Ran on a real 64 KiB tmpfs");
        QVERIFY(disk.Fill(iLeft));
        QVERIFY(!WriteText(sPath, sText, sFailure));
        QCOMPARE(sFailure, QStringLiteral("No space left on device"));
    } else {
        qInfo("Mounting refused: ran under RLIMIT_FSIZE in a child process");
        const pid_t pid = fork();
        QVERIFY(pid >= 0);
        if (pid == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlim_t iLimit = static_cast<rlim_t>(iLeft);
            const rlimit limit{iLimit, iLimit};
            setrlimit(RLIMIT_FSIZE, &limit);
            const bool bRefused =
                !WriteText(sPath, sText, sFailure) && sFailure == QStringLiteral("File too large");
            _exit(bRefused ? 0 : 1);
        }
        int iStatus = 0;
        QCOMPARE(waitpid(pid, &iStatus, 0), pid);
        QVERIFY(WIFEXITED(iStatus) && WEXITSTATUS(iStatus) == 0);
    }
    QCOMPARE(ReadAll(sPath), before);
    QCOMPARE(QDir(sFolder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
             (QStringList{QStringLiteral("fill"), QStringLiteral("tone.KEY")})
                 .mid(disk.Mounted() ? 0 : 1));
}

void CRingToneExportTest::missingNameOrTempoOnlyAsks_data() {
    QTest::addColumn<QString>("sName");
    QTest::addColumn<QString>("sTempo");
    QTest::newRow("no name") << ""
                             << "120";
    QTest::newRow("no tempo") << "Tone"
                              << "";
    QTest::newRow("neither") << ""
                             << "";
}

void CRingToneExportTest::missingNameOrTempoOnlyAsks() {
    QFETCH(QString, sName);
    QFETCH(QString, sTempo);
    QVERIFY(OpenForSave());
    CNokia& nokia = CProgram::Nokia();
    nokia.RingToneName = "Old";
    nokia.Tempo = 99;
    nokia.FileName = "old.TXT";
    Fill(sName, sTempo, 2, QStringLiteral("8c,d"));

    SaveAsSeen seen;
    const auto saveAs = AnswerSaveAs(seen, Answer::Proposed);
    Save();
    QCoreApplication::processEvents();

    QCOMPARE(TakeShown(),
             Lines(Records{Shown(QStringLiteral("Please type in a Ringtone name and Tempo."))}));
    QVERIFY(!seen.bShown);
    QCOMPARE(nokia.RingToneName, std::string("Old"));
    QCOMPARE(nokia.Tempo, int16_t(99));
    QCOMPARE(nokia.FileName, std::string("old.TXT"));
    QVERIFY(SavedFiles().isEmpty());
}

void CRingToneExportTest::failureBeforeDialogNamesCurrentTarget_data() {
    QTest::addColumn<QString>("sTempo");
    QTest::addColumn<QString>("sFileName");
    QTest::addColumn<QString>("sTarget");
    QTest::addColumn<QString>("sDescription");
    QTest::newRow("tempo not a number") << "fast"
                                        << "jingle.TXT"
                                        << "jingle.TXT"
                                        << "The tempo box holds \"fast\", not a whole number";
    QTest::newRow("tempo beyond 16 bits")
        << "40000"
        << "jingle.TXT"
        << "jingle.TXT"
        << "The tempo box holds \"40000\", not a whole number from -32768 to 32767";
    // Nothing read or saved yet: the file the dialog would propose.
    QTest::newRow("never saved") << "100p"
                                 << ""
                                 << "Tone.TXT"
                                 << "The tempo box holds \"100p\", not a whole number";
    QTest::newRow("stored name too short") << "120"
                                           << "abc"
                                           << "abc"
                                           << "The file name is too short";
}

void CRingToneExportTest::failureBeforeDialogNamesCurrentTarget() {
    QFETCH(QString, sTempo);
    QFETCH(QString, sFileName);
    QFETCH(QString, sTarget);
    QFETCH(QString, sDescription);
    QVERIFY(OpenForSave());
    CNokia& nokia = CProgram::Nokia();
    nokia.FileName = CProgram::ToEngine(sFileName);
    Fill(QStringLiteral("Tone"), sTempo, 2, QStringLiteral("8c,d"));

    SaveAsSeen seen;
    const auto saveAs = AnswerSaveAs(seen, Answer::Proposed);
    Save();
    QCoreApplication::processEvents();

    QVERIFY(!seen.bShown);
    QCOMPARE(TakeShown(),
             Lines(Records{Shown(QStringLiteral("An error occurred trying to save ") + Folder() +
                                 QLatin1Char('/') + sTarget + QStringLiteral(". [") + sDescription +
                                 QLatin1Char(']'))}));
    // The name had been taken before the failure.
    QCOMPARE(nokia.RingToneName, std::string("Tone"));
    QCOMPARE(nokia.FileName, CProgram::ToEngine(sFileName));
    QVERIFY(SavedFiles().isEmpty());
}

void CRingToneExportTest::proposesNameAndKind_data() {
    QTest::addColumn<int>("iForm");
    QTest::addColumn<QString>("sFileName");
    QTest::addColumn<QString>("sName");
    QTest::addColumn<QString>("sCaption");
    QTest::addColumn<QString>("sExtension");
    QTest::addColumn<QString>("sProposed");

    QTest::newRow("keypresses from clipboard") << 0 << ""
                                               << "Tone"
                                               << "Save Keypress File As..."
                                               << ".KEY"
                                               << "Tone";
    QTest::newRow("read from jingle.TXT") << 2 << "jingle.TXT"
                                          << "Tone"
                                          << "Save RTTTL File As..."
                                          << ".TXT"
                                          << "jingle";
    QTest::newRow("composer after jingle.TXT") << 1 << "jingle.TXT"
                                               << "Tone"
                                               << "Save Composer File As..."
                                               << ".321"
                                               << "jingle";
    QTest::newRow("name with blanks") << 1 << ""
                                      << " My Tone "
                                      << "Save Composer File As..."
                                      << ".321"
                                      << " My Tone ";
}

void CRingToneExportTest::proposesNameAndKind() {
    QFETCH(int, iForm);
    QFETCH(QString, sFileName);
    QFETCH(QString, sName);
    QVERIFY(OpenForSave());
    CProgram::Nokia().FileName = CProgram::ToEngine(sFileName);
    Fill(sName, QStringLiteral("140"), iForm, QStringLiteral("8c"));

    SaveAsSeen seen;
    const auto saveAs = AnswerSaveAs(seen, Answer::Cancel);
    Save();

    QVERIFY(seen.bShown);
    QTEST(seen.sCaption, "sCaption");
    QTEST(seen.sExtension, "sExtension");
    QTEST(seen.sProposed, "sProposed");
    QTEST(seen.sSelected, "sProposed");
    QCOMPARE(CProgram::Nokia().Tempo, int16_t(140));
    QCOMPARE(TakeShown(), QStringList());
    QVERIFY(SavedFiles().isEmpty());
}

void CRingToneExportTest::writesEachForm_data() {
    QTest::addColumn<int>("iForm");
    QTest::addColumn<QString>("sBody");
    QTest::addColumn<QString>("sFile");
    QTest::addColumn<QString>("sText");

    QTest::newRow("keypresses") << 0 << "8c, d"
                                << "Tone.KEY"
                                << "Tone:Tempo=140:8c, d";
    QTest::newRow("composer") << 1 << "8c2 4d2"
                              << "Tone.321"
                              << "Tone:Tempo=140:8c2 4d2";
    QTest::newRow("rtttl") << 2 << "8c,d"
                           << "Tone.TXT"
                           << "Tone:d=4,o=6,b=140:8c,d";
}

// The file gets the text and CR LF; the clipboard the same text alone.
void CRingToneExportTest::writesEachForm() {
    QFETCH(int, iForm);
    QFETCH(QString, sBody);
    QFETCH(QString, sFile);
    QFETCH(QString, sText);
    QVERIFY(OpenForSave());
    modNOK::DefaultDuration = "4";
    modNOK::DefaultOctave = "6";
    Fill(QStringLiteral("Tone"), QStringLiteral("140"), iForm, sBody);

    SaveAsSeen seen;
    const auto saveAs = AnswerSaveAs(seen, Answer::Proposed);
    Save();
    QVERIFY(seen.bShown);
    QCOMPARE(CProgram::Nokia().FileName, CProgram::ToEngine(sFile));
    QCOMPARE(ReadAll(QDir(Folder()).filePath(sFile)), sText.toUtf8() + "\r\n");
    QCOMPARE(TakeShown(), QStringList());

    Export();
    QCOMPARE(QGuiApplication::clipboard()->text(), sText);
}

void CRingToneExportTest::overwriteQuestion_data() {
    QTest::addColumn<bool>("bYes");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("no") << false << QByteArray("old content\r\nsecond line\r\n");
    QTest::newRow("yes") << true << QByteArray("Tone:d=4,o=5,b=100:c\r\n");
}

void CRingToneExportTest::overwriteQuestion() {
    QFETCH(bool, bYes);
    QVERIFY(OpenForSave());
    const QString sPath = QDir(Folder()).filePath(QStringLiteral("Tone.TXT"));
    QVERIFY(WriteRaw(sPath, "old content\r\nsecond line\r\n"));
    modNOK::DefaultDuration = "4";
    modNOK::DefaultOctave = "5";
    Fill(QStringLiteral("Tone"), QStringLiteral("100"), 2, QStringLiteral("c"));

    CWindowFixture::Answer(bYes ? CMessageBox::Yes : CMessageBox::No);
    SaveAsSeen seen;
    const auto saveAs = AnswerSaveAs(seen, Answer::Proposed);
    Save();

    QCOMPARE(TakeShown(), Lines(Records{Shown(Overwrite, QStringLiteral("Overwrite File?"),
                                              CMessageBox::YesNo)}));
    QTEST(ReadAll(sPath), "expected");
}

void CRingToneExportTest::savesWhatWasTyped() {
    QVERIFY(OpenForSave());
    CNokia& nokia = CProgram::Nokia();
    nokia.SourceType = 1;
    nokia.OriginalText = "Tone:Tempo=90:4c2 8d2";
    nokia.Convert();
    nokia.ShowType = 1;
    Fill(CProgram::FromEngine(nokia.RingToneName), QString::number(nokia.Tempo), 1,
         CProgram::FromEngine(nokia.ShowScreen()));

    auto* pName = Child<QLineEdit>(QStringLiteral("txtName"));
    pName->selectAll();
    QTest::keyClicks(pName, QStringLiteral("Mine"));
    auto* pResults = Child<QTextEdit>(QStringLiteral("rtf"));
    pResults->moveCursor(QTextCursor::End);
    QTest::keyClicks(pResults, QStringLiteral(" 2e3"));

    SaveAsSeen seen;
    const auto saveAs = AnswerSaveAs(seen, Answer::Proposed);
    Save();

    QCOMPARE(seen.sProposed, QStringLiteral("Mine"));
    QCOMPARE(ReadAll(QDir(Folder()).filePath(QStringLiteral("Mine.321"))),
             QByteArray("Mine:Tempo=90:4c2 8d2 2e3\r\n"));
}

void CRingToneExportTest::failedSaveKeepsExistingFile_data() {
    QTest::addColumn<QString>("sCase");
    QTest::addColumn<QString>("sDescription");
    QTest::newRow("read-only file") << "file"
                                    << "The file is read-only";
    QTest::newRow("read-only folder") << "folder"
                                      << "The folder is read-only";
    QTest::newRow("folder gone") << "gone"
                                 << "The folder does not exist";
}

void CRingToneExportTest::failedSaveKeepsExistingFile() {
    QFETCH(QString, sCase);
    QFETCH(QString, sDescription);
    QVERIFY(OpenForSave());
    const QByteArray old("Old:d=4,o=5,b=63:c\r\n");
    const QString sPath = QDir(Folder()).filePath(QStringLiteral("Tone.TXT"));
    QVERIFY(WriteRaw(sPath, old));
    QString sTarget = sPath;
    Records expected;
    if (sCase == QLatin1String("gone")) {
        const QString sGone = QDir(Folder()).filePath(QStringLiteral("gone"));
        CProgram::Nokia().FilePath = CProgram::ToEngine(sGone);
        sTarget = sGone + QStringLiteral("/Tone.TXT");
    } else {
        QVERIFY(QFile::setPermissions(sCase == QLatin1String("file") ? sPath : Folder(),
                                      ReadOnlyFolder));
        expected << Shown(Overwrite, QStringLiteral("Overwrite File?"), CMessageBox::YesNo);
        CWindowFixture::Answer(CMessageBox::Yes);
    }
    expected << Shown(QStringLiteral("An error occurred trying to save ") + sTarget +
                      QStringLiteral(". [") + sDescription + QLatin1Char(']'));
    Fill(QStringLiteral("Tone"), QStringLiteral("100"), 2, QStringLiteral("c"));

    SaveAsSeen seen;
    const auto saveAs = AnswerSaveAs(seen, Answer::Proposed);
    Save();

    QCOMPARE(TakeShown(), Lines(expected));
    QCOMPARE(ReadAll(sPath), old);
    QCOMPARE(SavedFiles(), QStringList{QStringLiteral("Tone.TXT")});
}

void CRingToneExportTest::refusesWhatIsNoPlainFile_data() {
    QTest::addColumn<QString>("sTyped");
    QTest::addColumn<QString>("sMake");
    QTest::addColumn<QString>("sReason");
    const QString sNoFolder = QStringLiteral("A file name cannot contain \"/\"; the file is always "
                                             "saved in the ringtone folder");
    const QString sNoDots = QStringLiteral("\".\" and \"..\" are not file names");
    QTest::newRow("pipe") << "Tone"
                          << "fifo"
                          << "The name is a pipe, not a plain file";
    QTest::newRow("link to a device") << "Tone"
                                      << "device"
                                      << "The name is a device, not a plain file";
    QTest::newRow("dangling link") << "Tone"
                                   << "dangling"
                                   << "The name is a symbolic link to something that does not "
                                      "exist";
    QTest::newRow("link loop") << "Tone"
                               << "loop"
                               << "The name is a symbolic link that leads round in a loop";
    QTest::newRow("one folder up") << "../escaped"
                                   << "" << sNoFolder;
    QTest::newRow("into a subfolder") << "sub/x"
                                      << "sub" << sNoFolder;
    QTest::newRow("dot") << "."
                         << "" << sNoDots;
    QTest::newRow("dot dot") << ".."
                             << "" << sNoDots;
}

// Nothing in the folder (or above it) is replaced or created, and no
// overwrite question comes first.
void CRingToneExportTest::refusesWhatIsNoPlainFile() {
    QFETCH(QString, sTyped);
    QFETCH(QString, sMake);
    QFETCH(QString, sReason);
    QVERIFY(OpenForSave());
    const QDir folder(Folder());
    QVERIFY(folder.mkpath(QStringLiteral("inner")));
    CProgram::Nokia().FilePath = CProgram::ToEngine(folder.filePath(QStringLiteral("inner")));
    const QString sEntry = folder.filePath(QStringLiteral("inner/Tone.TXT"));
    const QByteArray entry = QFile::encodeName(sEntry);
    if (sMake == QLatin1String("fifo")) {
        QCOMPARE(mkfifo(entry.constData(), 0600), 0);
    } else if (sMake == QLatin1String("device")) {
        // A device node of its own (the numbers of /dev/full), so that a
        // faulty save could only ever replace this one.
        const QByteArray node = QFile::encodeName(folder.filePath(QStringLiteral("full")));
        if (mknod(node.constData(), S_IFCHR | 0600, makedev(1, 7)) != 0)
            QSKIP("Making a device node needs root");
        QVERIFY(QFile::link(QStringLiteral("../full"), sEntry));
    } else if (sMake == QLatin1String("dangling")) {
        QVERIFY(QFile::link(QStringLiteral("nowhere.TXT"), sEntry));
    } else if (sMake == QLatin1String("loop")) {
        QVERIFY(QFile::link(QStringLiteral("Tone.TXT"), sEntry));
    } else if (sMake == QLatin1String("sub")) {
        QVERIFY(folder.mkpath(QStringLiteral("inner/sub")));
    }
    const auto Entries = [&folder] {
        QStringList lst;
        QDirIterator it(folder.path(),
                        QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            lst << folder.relativeFilePath(info.filePath()) + QLatin1Char(' ') +
                       QString::number(info.isSymLink()) + QString::number(info.size());
        }
        lst.sort();
        return lst;
    };
    const QStringList lstBefore = Entries();
    Fill(QStringLiteral("Tone"), QStringLiteral("100"), 2, QStringLiteral("c"));

    SaveAsSeen seen;
    const auto saveAs = AnswerSaveAs(seen, Answer::Proposed, sTyped);
    Save();

    QCOMPARE(TakeShown(),
             Lines(Records{Shown(QStringLiteral("An error occurred trying to save ") +
                                 folder.filePath(QStringLiteral("inner/")) + sTyped +
                                 QStringLiteral(".TXT. [") + sReason + QLatin1Char(']'))}));
    QCOMPARE(Entries(), lstBefore);
}

void CRingToneExportTest::linkToPlainFileWritesTarget() {
    QVERIFY(OpenForSave());
    const QDir folder(Folder());
    const QString sTarget = folder.filePath(QStringLiteral("real.TXT"));
    QVERIFY(WriteRaw(sTarget, "old\r\n"));
    QVERIFY(QFile::link(QStringLiteral("real.TXT"), folder.filePath(QStringLiteral("Tone.TXT"))));
    modNOK::DefaultDuration = "4";
    modNOK::DefaultOctave = "5";
    Fill(QStringLiteral("Tone"), QStringLiteral("100"), 2, QStringLiteral("c"));

    CWindowFixture::Answer(CMessageBox::Yes);
    SaveAsSeen seen;
    const auto saveAs = AnswerSaveAs(seen, Answer::Proposed);
    Save();

    QCOMPARE(TakeShown(), Lines(Records{Shown(Overwrite, QStringLiteral("Overwrite File?"),
                                              CMessageBox::YesNo)}));
    QCOMPARE(ReadAll(sTarget), QByteArray("Tone:d=4,o=5,b=100:c\r\n"));
    QVERIFY(QFileInfo(folder.filePath(QStringLiteral("Tone.TXT"))).isSymLink());
}

void CRingToneExportTest::typedExtensionIsKept() {
    QVERIFY(OpenForSave());
    modNOK::DefaultDuration = "4";
    modNOK::DefaultOctave = "5";
    Fill(QStringLiteral("Tone"), QStringLiteral("100"), 2, QStringLiteral("c"));

    SaveAsSeen seen;
    const auto saveAs = AnswerSaveAs(seen, Answer::Proposed, QStringLiteral("tune.TXT"));
    Save();

    QCOMPARE(CProgram::Nokia().FileName, std::string("tune.TXT.TXT"));
    QCOMPARE(SavedFiles(), QStringList{QStringLiteral("tune.TXT.TXT")});

    // The next save proposes the name just saved, without its last extension.
    const auto saveAsAgain = AnswerSaveAs(seen, Answer::Cancel);
    Save();
    QCOMPARE(seen.sProposed, QStringLiteral("tune.TXT"));
}

void CRingToneExportTest::closingWithoutOkWritesNothing_data() {
    QTest::addColumn<bool>("bTitleBar");
    QTest::newRow("cancel button") << false;
    QTest::newRow("title bar") << true;
}

void CRingToneExportTest::closingWithoutOkWritesNothing() {
    QFETCH(bool, bTitleBar);
    QVERIFY(OpenForSave());
    // An existing file of the stored name must not be touched either.
    CProgram::Nokia().FileName = "Tone.TXT";
    const QString sPath = QDir(Folder()).filePath(QStringLiteral("Tone.TXT"));
    QVERIFY(WriteRaw(sPath, "old\r\n"));
    Fill(QStringLiteral("Tone"), QStringLiteral("100"), 2, QStringLiteral("c"));

    SaveAsSeen seen;
    const auto saveAs = AnswerSaveAs(seen, bTitleBar ? Answer::TitleBarClose : Answer::Cancel);
    Save();
    QVERIFY(seen.bShown);
    QCOMPARE(TakeShown(), QStringList());
    QCOMPARE(ReadAll(sPath), QByteArray("old\r\n"));
    QCOMPARE(CProgram::Nokia().FileName, std::string("Tone.TXT"));

    // The next showing starts afresh: OK now saves.
    const auto saveAsAgain = AnswerSaveAs(seen, Answer::Proposed, QStringLiteral("Other"));
    Save();
    QCOMPARE(SavedFiles(), (QStringList{QStringLiteral("Other.TXT"), QStringLiteral("Tone.TXT")}));
}

void CRingToneExportTest::exportConfirmsThenCopies_data() {
    QTest::addColumn<int>("iForm");
    QTest::addColumn<QString>("sName");
    QTest::addColumn<QString>("sConfirmation");
    QTest::addColumn<QString>("sText");

    QTest::newRow("keypresses") << 0 << "Tone"
                                << "Keypresses have been copied to clipboard."
                                << "Tone:Tempo=fast:8c";
    QTest::newRow("composer") << 1 << "Tone"
                              << "Composer notes have been copied to clipboard."
                              << "Tone:Tempo=fast:8c";
    QTest::newRow("rtttl") << 2 << "Tone"
                           << "Nokring RTTTL notes have been copied to clipboard."
                           << "Tone:d=8,o=7,b=fast:8c";
    QTest::newRow("no name") << 2 << ""
                             << "Nokring RTTTL notes have been copied to clipboard."
                             << ":d=8,o=7,b=fast:8c";
}

// Neither name nor tempo is checked, and the converter is left alone.
void CRingToneExportTest::exportConfirmsThenCopies() {
    QFETCH(int, iForm);
    QFETCH(QString, sName);
    QFETCH(QString, sConfirmation);
    QFETCH(QString, sText);
    QVERIFY(OpenForSave());
    modNOK::DefaultDuration = "8";
    modNOK::DefaultOctave = "7";
    CProgram::Nokia().RingToneName = "Kept";
    Fill(sName, QStringLiteral("fast"), iForm, QStringLiteral("8c"));
    QClipboard* pClipboard = QGuiApplication::clipboard();
    pClipboard->setText(QStringLiteral("before"));

    QString sWhileShown;
    CWindowFixture::WhileShown([&](const ShownBox&) { sWhileShown = pClipboard->text(); });
    Export();

    QCOMPARE(TakeShown(), Lines(Records{Shown(sConfirmation)}));
    QCOMPARE(sWhileShown, QStringLiteral("before"));
    QCOMPARE(pClipboard->text(), sText);
    QCOMPARE(pClipboard->mimeData()->formats(), QStringList{QStringLiteral("text/plain")});
    QCOMPARE(CProgram::Nokia().RingToneName, std::string("Kept"));
}

// An installed program's folder is read-only for its users: a first run
// starts in the home folder instead, and the first save lands there.
void CRingToneExportTest::firstRunOfAnInstalledProgramSavesIntoHome() {
    QVERIFY(OpenForSave());
    m_pWindow.reset();
    {
        QSettings settings(CProgram::Name(), CProgram::Name());
        settings.clear();
        settings.sync();
    }
    CProgram::Nokia() = CNokia();
    QVERIFY(QFile::setPermissions(Folder(), ReadOnlyFolder));

    // The first-run greeting comes before the window; answer it.
    const CModalAnswer greeting(
        [](QWidget* pAbout) {
            TestWidgets::Child<QPushButton>(pAbout, QStringLiteral("cmdOK"))->click();
        },
        QStringLiteral("frmInfo"));
    m_pWindow = std::make_unique<frmConverter>(m_pFixture->Folders());
    m_pWindow->show();
    QVERIFY(greeting.Answered());
    QCOMPARE(CProgram::FromEngine(CProgram::Nokia().FilePath), QDir::homePath());

    const QString sSaved = QDir(QDir::homePath()).filePath(QStringLiteral("FirstTone.KEY"));
    QFile::remove(sSaved);
    Fill(QStringLiteral("FirstTone"), QStringLiteral("125"), 0, QStringLiteral("1 2 3"));
    SaveAsSeen seen;
    const auto saveAs = AnswerSaveAs(seen, Answer::Proposed);
    Save();

    QVERIFY(seen.bShown);
    QCOMPARE(TakeShown(), QStringList());
    QCOMPARE(ReadAll(sSaved), QByteArray("FirstTone:Tempo=125:1 2 3\r\n"));
    QVERIFY(SavedFiles().isEmpty());
    QFile::remove(sSaved);
}

QTEST_MAIN(CRingToneExportTest)
#include "CRingToneExportTest.moc"
