// The settings kept between runs, read and written against a real settings
// file in a temporary folder, without any window.

#include "mainwindow/CConverterSettings.h"
#include "tests/support/TestFiles.h"
#include "widgets/CProgram.h"
#include "widgets/CProgramFolders.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

namespace {
using Stored = QMap<QString, QString>;
}

class CConverterSettingsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    static QSettings Store() { return QSettings(CProgram::Name(), CProgram::Name()); }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           m_dir.filePath(QStringLiteral("config")));
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("own")));
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("tones")));
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("hidden")));
        QVERIFY(TestFiles::WriteRaw(m_dir.filePath(QStringLiteral("tones/a.TXT")), "x"));
        QVERIFY(TestFiles::WriteRaw(m_dir.filePath(QStringLiteral("hidden/.a.TXT")), "x"));
    }

    void init() {
        QSettings settings = Store();
        settings.clear();
        settings.sync();
    }

    void reads_data() {
        QTest::addColumn<Stored>("stored");
        QTest::addColumn<int>("iSource");
        QTest::addColumn<int>("iShow");
        QTest::addColumn<QString>("sFolder");
        QTest::addColumn<int>("iFromFile"); // -1: neither "True" nor "False"
        // The current choices (1 and 2 here) stand in for absent numbers.
        QTest::newRow("nothing stored") << Stored{} << 1 << 2 << "" << 0;
        QTest::newRow("everything stored") << Stored{{"SourceType", "0"},
                                                     {"ShowType", "1"},
                                                     {"RingToneDirectory", "/r"},
                                                     {"FromFile", "True"}}
                                           << 0 << 1 << "/r" << 1;
        QTest::newRow("older folder key when the new one is empty")
            << Stored{{"RingToneDirectory", ""}, {"RTTLDirectory", "/old"}} << 1 << 2 << "/old"
            << 0;
        QTest::newRow("new folder key wins")
            << Stored{{"RingToneDirectory", "/new"}, {"RTTLDirectory", "/old"}} << 1 << 2 << "/new"
            << 0;
        QTest::newRow("FromFile in lower case")
            << Stored{{"FromFile", "true"}} << 1 << 2 << "" << -1;
        QTest::newRow("numbers rounded, blanks around")
            << Stored{{"SourceType", " 0.6 "}, {"ShowType", "1.5"}} << 1 << 2 << "" << 0;
        QTest::newRow("no number or no option gives the first")
            << Stored{{"SourceType", "abc"}, {"ShowType", "3"}} << 0 << 0 << "" << 0;
        QTest::newRow("beyond 16 bits gives the first")
            << Stored{{"SourceType", "4294967297"}, {"ShowType", "65538"}} << 0 << 0 << "" << 0;
    }
    void reads() {
        QFETCH(Stored, stored);
        QFETCH(int, iFromFile);
        {
            QSettings settings = Store();
            settings.beginGroup(QStringLiteral("Settings"));
            for (auto it = stored.cbegin(); it != stored.cend(); ++it)
                settings.setValue(it.key(), it.value());
        }
        const CConverterSettings::Values values = CConverterSettings::Read(1, 2);
        QTEST(int(values.SourceType), "iSource");
        QTEST(int(values.ShowType), "iShow");
        QTEST(values.RingToneFolder, "sFolder");
        QCOMPARE(values.FromFile.has_value() ? int(*values.FromFile) : -1, iFromFile);
    }

    void writesEveryKeyAsText_data() {
        QTest::addColumn<int>("iFromFile");
        QTest::addColumn<QString>("sFromFile");
        QTest::newRow("a File") << 1 << "True";
        QTest::newRow("the Clipboard") << 0 << "False";
        QTest::newRow("unknown") << -1 << "False";
    }
    void writesEveryKeyAsText() {
        QFETCH(int, iFromFile);
        CConverterSettings::Values values;
        values.SourceType = 1;
        values.ShowType = 2;
        values.RingToneFolder = QStringLiteral("/some/folder");
        if (iFromFile >= 0)
            values.FromFile = iFromFile == 1;
        CConverterSettings::Write(values);

        // Read back from the file itself, as the next run finds it.
        QSettings file(Store().fileName(), QSettings::IniFormat);
        file.beginGroup(QStringLiteral("Settings"));
        QCOMPARE(file.childKeys(),
                 QStringList({"FromFile", "RingToneDirectory", "ShowType", "SourceType"}));
        QCOMPARE(file.value("SourceType").toString(), QStringLiteral("1"));
        QCOMPARE(file.value("ShowType").toString(), QStringLiteral("2"));
        QCOMPARE(file.value("RingToneDirectory").toString(), QStringLiteral("/some/folder"));
        QTEST(file.value("FromFile").toString(), "sFromFile");
        QVERIFY(file.fileName().startsWith(m_dir.path()));
    }

    // Without a home the store is neither read nor written, and nothing is
    // said: the program starts with the defaults.
    void noHomeNoSettings_data() {
        QTest::addColumn<QString>("sHome"); // empty: HOME unset
        QTest::newRow("HOME unset") << "";
        QTest::newRow("HOME names no folder") << "gone";
        QTest::newRow("HOME names a file") << "tones/a.TXT";
    }
    void noHomeNoSettings() {
        QFETCH(QString, sHome);
        {
            QSettings settings = Store();
            settings.setValue(QStringLiteral("Settings/SourceType"), QStringLiteral("0"));
            settings.setValue(QStringLiteral("Settings/RingToneDirectory"), QStringLiteral("/r"));
        }
        const QByteArray realHome = qgetenv("HOME");
        if (sHome.isEmpty())
            qunsetenv("HOME");
        else
            qputenv("HOME", m_dir.filePath(sHome).toLocal8Bit());
        const CConverterSettings::Values values = CConverterSettings::Read(1, 2);
        CConverterSettings::Values changed;
        changed.RingToneFolder = QStringLiteral("/changed");
        CConverterSettings::Write(changed);
        qputenv("HOME", realHome);

        QCOMPARE(values.SourceType, 1);
        QCOMPARE(values.RingToneFolder, QString());
        QCOMPARE(Store().value(QStringLiteral("Settings/RingToneDirectory")).toString(),
                 QStringLiteral("/r"));
        QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("gone"))));
    }

    void startFolder_data() {
        QTest::addColumn<QString>("sRemembered");
        QTest::addColumn<QString>("sStart");
        QTest::newRow("holds a file") << "tones"
                                      << "tones";
        QTest::newRow("nothing remembered") << ""
                                            << "own";
        QTest::newRow("gone") << "gone"
                              << "own";
        QTest::newRow("only hidden files") << "hidden"
                                           << "own";
    }
    void startFolder() {
        QFETCH(QString, sRemembered);
        QFETCH(QString, sStart);
        const QString sFolder = sRemembered.isEmpty() ? QString() : m_dir.filePath(sRemembered);
        QCOMPARE(CConverterSettings::StartFolder(
                     sFolder, CProgramFolders{m_dir.filePath(QStringLiteral("own"))}),
                 m_dir.filePath(sStart));
    }
};

QTEST_GUILESS_MAIN(CConverterSettingsTest)
#include "CConverterSettingsTest.moc"
