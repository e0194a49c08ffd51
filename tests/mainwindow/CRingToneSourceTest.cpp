#include "mainwindow/CRingToneSource.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class CRingToneSourceTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString Write(const QString& sName, const QByteArray& bytes) {
        const QString sPath = m_dir.filePath(sName);
        QFile file(sPath);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return QString();
        return sPath;
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void readsAndJoinsLines_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("sText");
        QTest::newRow("LF") << QByteArray("Tone:d=4,o=5,b=100:8c,8d,\n8e,8f\n")
                            << "Tone:d=4,o=5,b=100:8c,8d,8e,8f";
        QTest::newRow("CR LF") << QByteArray("Tone:d=4,o=5,b=100:8c,8d,\r\n8e,8f\r\n")
                               << "Tone:d=4,o=5,b=100:8c,8d,8e,8f";
        QTest::newRow("CR") << QByteArray("Tone:d=4,o=5,b=100:8c,8d,\r8e,8f\r")
                            << "Tone:d=4,o=5,b=100:8c,8d,8e,8f";
        QTest::newRow("last line without end")
            << QByteArray("Tone:d=4,o=5,b=100:8c,8d,\r\n8e,8f") << "Tone:d=4,o=5,b=100:8c,8d,8e,8f";
        QTest::newRow("mixed and empty lines")
            << QByteArray("\r\n\nA:\r\r\n4c2\n\r8d2\r\n\r\n") << "A:4c28d2";
        QTest::newRow("one line, no end") << QByteArray("4c2") << "4c2";
        QTest::newRow("only line ends") << QByteArray("\r\n\r\n") << "";
        QTest::newRow("empty file") << QByteArray() << "";
        QTest::newRow("blanks and tabs kept") << QByteArray(" a\t\r\n b ") << " a\t b ";
        QTest::newRow("UTF-8") << QByteArray("Gr\xc3\xbc\xc3\x9f"
                                             "e:\n8c")
                               << "Grüße:8c";
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xef\xbb\xbfT\xc3\xa9:8c") << "Té:8c";
        QTest::newRow("Latin-1") << QByteArray("Gr\xfc\xdf"
                                               "e:\r\n8c")
                                 << "Grüße:8c";
        QTest::newRow("Latin-1 that begins like UTF-8")
            << QByteArray("\xc3\xa9t\xe9:8c") << QString::fromLatin1("\xc3\xa9t\xe9:8c");
        QTest::newRow("UTF-16LE with BOM") << QByteArray("\xff\xfeT\0\xe9\0:\0\r\0\n\0"
                                                         "8\0c\0",
                                                         16)
                                           << "Té:8c";
        QTest::newRow("UTF-16BE with BOM") << QByteArray("\xfe\xff\0T\0\xe9\0:\0\n\0"
                                                         "8\0c",
                                                         14)
                                           << "Té:8c";
        QTest::newRow("largest accepted") << QByteArray(CRingToneSource::MaxLength, 'a')
                                          << QString(CRingToneSource::MaxLength, 'a');
        // The limit counts the bytes the converter reads, not those on disk.
        const QString sLargest(CRingToneSource::MaxLength, 'a');
        QTest::newRow("largest accepted in UTF-16")
            << QByteArray("\xff\xfe", 2) +
                   QByteArray(reinterpret_cast<const char*>(sLargest.utf16()), 2 * sLargest.size())
            << sLargest;
    }
    void readsAndJoinsLines() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, sText);
        const QString sPath = Write(QString::fromLatin1(QTest::currentDataTag()) + ".TXT", bytes);
        QVERIFY(!sPath.isEmpty());
        const CRingToneSource::FileText read = CRingToneSource::ReadFile(sPath);
        QCOMPARE(read.Outcome, CRingToneSource::Loaded);
        QCOMPARE(read.Text, sText);
    }

    void refuses_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("iStatus");
        QTest::newRow("one byte too many")
            << QByteArray(CRingToneSource::MaxLength + 1, 'a') << int(CRingToneSource::TooLarge);
        QTest::newRow("line ends count too")
            << QByteArray(CRingToneSource::MaxLength + 1, '\n') << int(CRingToneSource::TooLarge);
        QTest::newRow("Latin-1 that doubles past the limit")
            << QByteArray(CRingToneSource::MaxLength / 2 + 1, '\xe9')
            << int(CRingToneSource::TooLarge);
        QTest::newRow("binary") << QByteArray("\x7f"
                                              "ELF\x02\x01\x01\0\0\0\0",
                                              12)
                                << int(CRingToneSource::NotText);
        QTest::newRow("NUL in text") << QByteArray("Tone:\0"
                                                   "8c",
                                                   8)
                                     << int(CRingToneSource::NotText);
    }
    void refuses() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, iStatus);
        const QString sPath = Write(QString::fromLatin1(QTest::currentDataTag()) + ".TXT", bytes);
        QVERIFY(!sPath.isEmpty());
        const CRingToneSource::FileText read = CRingToneSource::ReadFile(sPath);
        QCOMPARE(int(read.Outcome), iStatus);
        QVERIFY(read.Text.isEmpty());
    }

    void hugeFileIsRefusedWithoutReadingItAll() {
        // A sparse 100 MB file: refused after reading just past the limit.
        const QString sPath = m_dir.filePath("huge.TXT");
        QFile file(sPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(100 * 1024 * 1024));
        file.close();
        QCOMPARE(CRingToneSource::ReadFile(sPath).Outcome, CRingToneSource::TooLarge);
        QVERIFY(QFile::remove(sPath));
    }

    void cannotOpen_data() {
        QTest::addColumn<QString>("sName");
        QTest::newRow("missing") << "missing.TXT";
        QTest::newRow("folder") << "folder.TXT";
        QTest::newRow("pipe") << "pipe.TXT";
    }
    void cannotOpen() {
        QFETCH(QString, sName);
        QVERIFY(QDir(m_dir.path()).mkpath("folder.TXT"));
        const QByteArray pipe = QFile::encodeName(m_dir.filePath("pipe.TXT"));
        QVERIFY(QFileInfo::exists(m_dir.filePath("pipe.TXT")) ||
                mkfifo(pipe.constData(), 0600) == 0);
        const CRingToneSource::FileText read = CRingToneSource::ReadFile(m_dir.filePath(sName));
        QCOMPARE(read.Outcome, CRingToneSource::CannotOpen);
        QVERIFY(read.Text.isEmpty());
    }

    void unreadableFile() {
        const QString sPath = Write("locked.TXT", "Tone:8c");
        QVERIFY(QFile::setPermissions(sPath, QFileDevice::WriteOwner));
        if (QFile(sPath).open(QIODevice::ReadOnly))
            QSKIP("running with rights that read any file");
        QCOMPARE(CRingToneSource::ReadFile(sPath).Outcome, CRingToneSource::CannotOpen);
    }

    void doubledSeparatorStillNamesTheFile() {
        Write("root.TXT", "Tone:8c");
        const CRingToneSource::FileText read =
            CRingToneSource::ReadFile(m_dir.path() + "//root.TXT");
        QCOMPARE(read.Outcome, CRingToneSource::Loaded);
        QCOMPARE(read.Text, QString("Tone:8c"));
    }
};

QTEST_GUILESS_MAIN(CRingToneSourceTest)
#include "CRingToneSourceTest.moc"
