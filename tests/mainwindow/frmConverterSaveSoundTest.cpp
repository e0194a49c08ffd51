// File > Save as Sound through the real main window, its real file dialog
// and real files, read back with libsndfile.

#include "engine/CNokia.h"
#include "mainwindow/frmConverter.h"
#include "midi/CMidiFile.h"
#include "tune/CTune.h"
#include "widgets/CMessageBox.h"
#include "widgets/CProgram.h"

#include "tests/support/CFileSizeLimit.h"
#include "tests/support/CModalAnswer.h"
#include "tests/support/CWindowFixture.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestWidgets.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <memory>
#include <sndfile.h>

namespace {
using TestWidgets::Child;

const QString Tune = QStringLiteral("Tone:d=8,o=5,b=125:c,e,g,4c6,p,16a#");
// The saved tune read back from MIDI: the same notes, each with its own
// length and octave.
const QString MidiTune = QStringLiteral("Tone:d=4,o=5,b=125:8c5,8e5,8g5,4c6,8p,16a#5");
const QString Overwrite = QStringLiteral("The file already exists.  Do you want to overwrite it?");

// What the dialog proposed, and the answer it was given.
struct DialogSeen {
    bool bShown = false;
    QString sFolder;
    QString sProposed;
};
} // namespace

class frmConverterSaveSoundTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void enabledLikeSave();
    void writesTheKindNamedOrChosen_data();
    void writesTheKindNamedOrChosen();
    void replacesOnlyWhenTheUserAgrees_data();
    void replacesOnlyWhenTheUserAgrees();
    void failedSaveLeavesTheOldFile_data();
    void failedSaveLeavesTheOldFile();
    void savesMidiWithTheRingtonesName();
    void windowAnswersWhileALongSoundIsWritten();
    void cancelKeepsTheOldFile();
    void aFolderInTheWayIsRefused();
    void readOnlyFilesAndLinksAreTreatedAsSaveTreatsThem();

private:
    QString Folder() const { return m_pFixture->Folder(); }
    // Saves with the dialog given sTyped and the filter sFilter (when not empty).
    DialogSeen SaveAs(const QString& sTyped, const QString& sFilter = QString());
    static int64_t Frames(const QString& sPath, int& iMajor);
    // Gets a ringtone of dotted whole notes at 25 beats a minute, 14.4 s
    // each, lasting about iMinutes.
    void GetLongTune(int iMinutes);

    std::unique_ptr<CWindowFixture> m_pFixture;
    std::unique_ptr<frmConverter> m_pWindow;
};

void frmConverterSaveSoundTest::init() {
    m_pFixture = std::make_unique<CWindowFixture>();
    QVERIFY(m_pFixture->IsValid());
    m_pWindow = std::make_unique<frmConverter>(m_pFixture->Folders());
    m_pWindow->show();
    Child<QRadioButton>(m_pWindow.get(), QStringLiteral("optSource_0"))->click();
    Child<QRadioButton>(m_pWindow.get(), QStringLiteral("optFile_1"))->click();
    QGuiApplication::clipboard()->setText(Tune);
    Child<QPushButton>(m_pWindow.get(), QStringLiteral("cmdGet"))->click();
    QCOMPARE(CProgram::Nokia().Notes.Count(), 6);
    CWindowFixture::TakeShown();
}

void frmConverterSaveSoundTest::cleanup() {
    m_pWindow.reset();
    m_pFixture.reset();
}

DialogSeen frmConverterSaveSoundTest::SaveAs(const QString& sTyped, const QString& sFilter) {
    DialogSeen seen;
    const CModalAnswer answer(
        [&](QWidget* pModal) {
            auto* pDialog = qobject_cast<QFileDialog*>(pModal);
            auto* pName = Child<QLineEdit>(pDialog, QStringLiteral("fileNameEdit"));
            seen = {true, pDialog->directory().absolutePath(), pName->text()};
            if (!sFilter.isEmpty())
                pDialog->selectNameFilter(sFilter);
            pName->setText(sTyped);
            QMetaObject::invokeMethod(pDialog, "accept");
        },
        QStringLiteral("dlgSaveSound"));
    QAction* pItem = Child<QAction>(m_pWindow.get(), QStringLiteral("mnuFileSaveSound"));
    pItem->trigger();
    return seen;
}

int64_t frmConverterSaveSoundTest::Frames(const QString& sPath, int& iMajor) {
    SF_INFO info{};
    SNDFILE* pFile = sf_open(QFile::encodeName(sPath).constData(), SFM_READ, &info);
    if (!pFile)
        return -1;
    sf_close(pFile);
    iMajor = info.format & SF_FORMAT_TYPEMASK;
    return info.samplerate == CTune::SampleRate && info.channels == 1 ? info.frames : -2;
}

void frmConverterSaveSoundTest::enabledLikeSave() {
    auto* pMenu = Child<QMenu>(m_pWindow.get(), QStringLiteral("mnuFile"));
    auto* pSave = Child<QAction>(m_pWindow.get(), QStringLiteral("mnuFileSave"));
    auto* pSound = Child<QAction>(m_pWindow.get(), QStringLiteral("mnuFileSaveSound"));
    for (const bool bEmptied : {false, true}) {
        if (bEmptied)
            Child<QAction>(m_pWindow.get(), QStringLiteral("mnuFileNew"))->trigger();
        Q_EMIT pMenu->aboutToShow();
        QCOMPARE(pSound->isEnabled(), !bEmptied);
        QCOMPARE(pSave->isEnabled(), !bEmptied);
    }
}

void frmConverterSaveSoundTest::writesTheKindNamedOrChosen_data() {
    QTest::addColumn<QString>("sTyped");
    QTest::addColumn<QString>("sFilter");
    QTest::addColumn<QString>("sWritten");
    QTest::addColumn<int>("iMajor");
    QTest::newRow("proposed kind") << "Tone" << QString() << "Tone.wav" << int{SF_FORMAT_WAV};
    QTest::newRow("kind chosen") << "Tone"
                                 << "FLAC sound (*.flac)"
                                 << "Tone.flac" << int{SF_FORMAT_FLAC};
    QTest::newRow("ending typed wins") << "My Tone.WAV"
                                       << "MP3 sound (*.mp3)"
                                       << "My Tone.WAV" << int{SF_FORMAT_WAV};
}

void frmConverterSaveSoundTest::writesTheKindNamedOrChosen() {
    QFETCH(QString, sTyped);
    QFETCH(QString, sFilter);
    QFETCH(QString, sWritten);
    QFETCH(int, iMajor);
    const DialogSeen seen = SaveAs(sTyped, sFilter);
    QVERIFY(seen.bShown);
    // In the ringtone folder, proposing the ringtone's name.
    QCOMPARE(seen.sFolder, QDir(Folder()).absolutePath());
    QCOMPARE(seen.sProposed, QStringLiteral("Tone"));
    QCOMPARE(CWindowFixture::TakeShown().size(), 0);
    QCOMPARE(QDir(Folder()).entryList(QDir::Files), QStringList{sWritten});

    int iReadMajor = 0;
    const CNokia& nokia = CProgram::Nokia();
    QCOMPARE(Frames(QDir(Folder()).filePath(sWritten), iReadMajor),
             CTune(nokia.Notes, 125).TotalSamples());
    QCOMPARE(iReadMajor, iMajor);
}

void frmConverterSaveSoundTest::replacesOnlyWhenTheUserAgrees_data() {
    QTest::addColumn<bool>("bAgree");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void frmConverterSaveSoundTest::replacesOnlyWhenTheUserAgrees() {
    QFETCH(bool, bAgree);
    const QString sPath = QDir(Folder()).filePath(QStringLiteral("Tone.wav"));
    QVERIFY(TestFiles::WriteRaw(sPath, "old"));
    CWindowFixture::Answer(bAgree ? CMessageBox::Yes : CMessageBox::No);
    SaveAs(QStringLiteral("Tone"));
    const QList<ShownBox> shown = CWindowFixture::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].Text, Overwrite);
    int iMajor = 0;
    QCOMPARE(Frames(sPath, iMajor) > 0, bAgree);
    QCOMPARE(TestFiles::ReadAll(sPath) == "old", !bAgree);
}

void frmConverterSaveSoundTest::failedSaveLeavesTheOldFile_data() {
    QTest::addColumn<QString>("sName");
    QTest::newRow("WAV") << "Tone.wav";
    QTest::newRow("MP3") << "Tone.mp3";
}

void frmConverterSaveSoundTest::failedSaveLeavesTheOldFile() {
    QFETCH(QString, sName);
    const QString sPath = QDir(Folder()).filePath(sName);
    QVERIFY(TestFiles::WriteRaw(sPath, "old"));
    CWindowFixture::Answer(CMessageBox::Yes);
    {
        // The writing fails part way, as on a full disk.
        const CFileSizeLimit limit(4096);
        SaveAs(sName);
    }

    const QList<ShownBox> shown = CWindowFixture::TakeShown();
    QCOMPARE(shown.size(), 2);
    // The system's reason, in the words of the library that wrote.
    const QString sPrefix =
        QStringLiteral("An error occurred trying to save ") + sPath + QStringLiteral(". [");
    QVERIFY2(shown[1].Text.startsWith(sPrefix) && shown[1].Text.endsWith(QLatin1Char(']')) &&
                 shown[1].Text.contains(QStringLiteral("File too large")),
             qPrintable(shown[1].Text));
    QCOMPARE(TestFiles::ReadAll(sPath), QByteArray("old"));
    QCOMPARE(QDir(Folder()).entryList(QDir::Files | QDir::Hidden), QStringList{sName});
}

void frmConverterSaveSoundTest::savesMidiWithTheRingtonesName() {
    SaveAs(QStringLiteral("Tone"), QStringLiteral("MIDI (*.mid)"));
    QCOMPARE(CWindowFixture::TakeShown().size(), 0);
    const QString sPath = QDir(Folder()).filePath(QStringLiteral("Tone.mid"));
    const QByteArray bytes = TestFiles::ReadAll(sPath);
    const CMidiFile file =
        CMidiFile::Read(std::string(bytes.constData(), static_cast<size_t>(bytes.size())), "x.mid");
    QCOMPARE(QString::fromStdString(file.Error()), QString());
    QCOMPARE(file.Lines().size(), size_t{1});
    QCOMPARE(QString::fromStdString(file.Lines()[0].TrackName), QStringLiteral("Tone"));
    QCOMPARE(QString::fromStdString(file.Rtttl().Text), MidiTune);
}

void frmConverterSaveSoundTest::GetLongTune(int iMinutes) {
    QString sTune = QStringLiteral("Long:d=1,o=5,b=25:");
    for (int i = 0; i < iMinutes * 60 * 10 / 144; ++i)
        sTune += QStringLiteral("1.c,");
    QGuiApplication::clipboard()->setText(sTune);
    Child<QPushButton>(m_pWindow.get(), QStringLiteral("cmdGet"))->click();
    CWindowFixture::TakeShown();
}

// The window's events go on while the sound is written. The longest stall
// is printed, not judged: it depends on the machine's load.
// RINGWRIGHT_SOUND_MINUTES sets the length of the MP3 (3 minutes unless set).
void frmConverterSaveSoundTest::windowAnswersWhileALongSoundIsWritten() {
    const QByteArray minutes = qgetenv("RINGWRIGHT_SOUND_MINUTES");
    const int iMinutes = minutes.isEmpty() ? 3 : minutes.toInt();
    GetLongTune(iMinutes);
    bool bProgressShown = false;
    // Counted while the sound is written, when Save as Sound is held back;
    // the file dialog before it is no part of the writing.
    const QAction* pSaveSound = Child<QAction>(m_pWindow.get(), QStringLiteral("mnuFileSaveSound"));
    bool bWriting = false;
    QElapsedTimer clock;
    qint64 iLast = 0;
    qint64 iLongest = 0;
    QTimer ticks;
    ticks.setInterval(10);
    connect(&ticks, &QTimer::timeout, [&] {
        const qint64 iNow = clock.elapsed();
        if (bWriting)
            iLongest = std::max(iLongest, iNow - iLast);
        iLast = iNow;
        bWriting = !pSaveSound->isEnabled();
        if (auto* pProgress =
                m_pWindow->findChild<QProgressDialog*>(QStringLiteral("dlgSaveSoundProgress"));
            pProgress && pProgress->isVisible())
            bProgressShown = true;
    });
    clock.start();
    ticks.start();
    SaveAs(QStringLiteral("Long.mp3"));
    const qint64 iTotal = clock.elapsed();
    ticks.stop();

    QCOMPARE(CWindowFixture::TakeShown().size(), 0);
    int iMajor = 0;
    QVERIFY(Frames(QDir(Folder()).filePath(QStringLiteral("Long.mp3")), iMajor) > 0);
    qInfo("Saving %d minutes as MP3 took %lld ms; the window's longest stall was %lld ms; "
          "progress shown: %s",
          iMinutes, iTotal, iLongest, bProgressShown ? "yes" : "no");
}

void frmConverterSaveSoundTest::cancelKeepsTheOldFile() {
    GetLongTune(10);
    const QString sPath = QDir(Folder()).filePath(QStringLiteral("Long.mp3"));
    QVERIFY(TestFiles::WriteRaw(sPath, "old"));
    CWindowFixture::Answer(CMessageBox::Yes);
    const CModalAnswer cancel([](QWidget* pModal) { pModal->findChild<QPushButton*>()->click(); },
                              QStringLiteral("dlgSaveSoundProgress"));
    SaveAs(QStringLiteral("Long.mp3"));

    QVERIFY(cancel.Answered());
    QCOMPARE(CWindowFixture::TakeShown().size(), 1); // the overwrite question only
    QCOMPARE(TestFiles::ReadAll(sPath), QByteArray("old"));
    QCOMPARE(QDir(Folder()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Long.mp3")});
    // Saving may begin again.
    auto* pMenu = Child<QMenu>(m_pWindow.get(), QStringLiteral("mnuFile"));
    Q_EMIT pMenu->aboutToShow();
    QVERIFY(Child<QAction>(m_pWindow.get(), QStringLiteral("mnuFileSaveSound"))->isEnabled());
}

void frmConverterSaveSoundTest::aFolderInTheWayIsRefused() {
    QVERIFY(QDir(Folder()).mkdir(QStringLiteral("Tone.wav")));
    SaveAs(QStringLiteral("Tone"));
    const QList<ShownBox> shown = CWindowFixture::TakeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].Text.startsWith(QStringLiteral("An error occurred trying to save ") +
                                      QDir(Folder()).filePath(QStringLiteral("Tone.wav"))),
             qPrintable(shown[0].Text));
    QVERIFY(QFileInfo(QDir(Folder()).filePath(QStringLiteral("Tone.wav"))).isDir());
}

void frmConverterSaveSoundTest::readOnlyFilesAndLinksAreTreatedAsSaveTreatsThem() {
    const QString sPath = QDir(Folder()).filePath(QStringLiteral("Tone.wav"));
    QVERIFY(TestFiles::WriteRaw(sPath, "old"));
    QFile::setPermissions(sPath, QFileDevice::ReadOwner);
    CWindowFixture::Answer(CMessageBox::Yes);
    SaveAs(QStringLiteral("Tone"));
    QList<ShownBox> shown = CWindowFixture::TakeShown();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown[1].Text, QStringLiteral("An error occurred trying to save ") + sPath +
                                QStringLiteral(". [The file is read-only]"));
    QCOMPARE(TestFiles::ReadAll(sPath), QByteArray("old"));
    QVERIFY(QFile::remove(sPath));

    // Through a link, the file it names is replaced and the link stays.
    const QString sTarget = QDir(Folder()).filePath(QStringLiteral("target.wav"));
    QVERIFY(TestFiles::WriteRaw(sTarget, "old"));
    QVERIFY(QFile::link(sTarget, sPath));
    CWindowFixture::Answer(CMessageBox::Yes);
    SaveAs(QStringLiteral("Tone"));
    QCOMPARE(CWindowFixture::TakeShown().size(), 1);
    QVERIFY(QFileInfo(sPath).isSymLink());
    int iMajor = 0;
    QVERIFY(Frames(sTarget, iMajor) > 0);
}

QTEST_MAIN(frmConverterSaveSoundTest)
#include "frmConverterSaveSoundTest.moc"
