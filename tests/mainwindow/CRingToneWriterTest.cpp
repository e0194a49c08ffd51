#include "mainwindow/CRingToneWriter.h"

#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {
using TestFiles::ReadAll;
using TestFiles::WriteRaw;

const QFileDevice::Permissions ReadOnly =
    QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
const QFileDevice::Permissions ReadOnlyFolder =
    ReadOnly | QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
const QFileDevice::Permissions Writable = ReadOnlyFolder | QFileDevice::WriteOwner;
} // namespace

class CRingToneWriterTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void writesOneLineWithCrLf_data();
    void writesOneLineWithCrLf();
    void replacesWholeContent();
    void failureLeavesExistingFileIntact_data();
    void failureLeavesExistingFileIntact();
};

void CRingToneWriterTest::writesOneLineWithCrLf_data() {
    QTest::addColumn<QString>("sText");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("rtttl") << "Tone:d=4,o=6,b=140:8c,d"
                           << QByteArray("Tone:d=4,o=6,b=140:8c,d\r\n");
    QTest::newRow("empty") << "" << QByteArray("\r\n");
    QTest::newRow("utf-8") << "Für:Tempo=90:4c2" << QByteArray("F\xc3\xbcr:Tempo=90:4c2\r\n");
}

void CRingToneWriterTest::writesOneLineWithCrLf() {
    QFETCH(QString, sText);
    QFETCH(QByteArray, expected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString sPath = dir.filePath(QStringLiteral("tune.TXT"));
    QString sFailure;
    QVERIFY(CRingToneWriter::Write(sPath, sText, sFailure));
    QVERIFY(sFailure.isEmpty());
    QCOMPARE(ReadAll(sPath), expected);
    // Nothing but the file itself is left behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("tune.TXT")});
}

void CRingToneWriterTest::replacesWholeContent() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString sPath = dir.filePath(QStringLiteral("tune.321"));
    QVERIFY(WriteRaw(sPath, QByteArray("A much longer ringtone text that was there before\r\n")));

    QString sFailure;
    QVERIFY(CRingToneWriter::Write(sPath, QStringLiteral("T:Tempo=1:"), sFailure));
    QCOMPARE(ReadAll(sPath), QByteArray("T:Tempo=1:\r\n"));
}

void CRingToneWriterTest::failureLeavesExistingFileIntact_data() {
    QTest::addColumn<QString>("sCase");
    QTest::newRow("read-only folder") << "folder";
    QTest::newRow("read-only file") << "file";
    QTest::newRow("folder missing") << "missing";
    QTest::newRow("folder is a file") << "notfolder";
    QTest::newRow("target is a folder") << "isfolder";
}

void CRingToneWriterTest::failureLeavesExistingFileIntact() {
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
    const bool bWritten = CRingToneWriter::Write(sTarget, QStringLiteral("New:Tempo=1:"), sFailure);
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

QTEST_MAIN(CRingToneWriterTest)
#include "CRingToneWriterTest.moc"
