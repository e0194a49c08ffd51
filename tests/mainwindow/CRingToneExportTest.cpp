#include "mainwindow/CRingToneExport.h"

#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
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

bool Write(const QString& sPath, const QString& sText, QString& sFailure) {
    const QFileInfo target(sPath);
    return CRingToneExport::WriteText(target.path(), target.fileName(), sText, sFailure);
}
} // namespace

class CRingToneExportTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void writesOneLineWithCrLf_data();
    void writesOneLineWithCrLf();
    void replacesWholeContent();
    void failureLeavesExistingFileIntact_data();
    void failureLeavesExistingFileIntact();
    void fullDiskKeepsExistingFile_data();
    void fullDiskKeepsExistingFile();
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
    QVERIFY(Write(sPath, sText, sFailure));
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
    QVERIFY(Write(sPath, QStringLiteral("T:Tempo=1:"), sFailure));
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
    const bool bWritten = Write(sTarget, QStringLiteral("New:Tempo=1:"), sFailure);
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
        QVERIFY(!Write(sPath, sText, sFailure));
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
                !Write(sPath, sText, sFailure) && sFailure == QStringLiteral("File too large");
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

QTEST_MAIN(CRingToneExportTest)
#include "CRingToneExportTest.moc"
