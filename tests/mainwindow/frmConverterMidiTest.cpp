// Import MIDI in the real window: the file dialog, the line chooser and the
// melody got as an RTTTL ringtone; a refused file changes nothing.

#include "dialogs/frmMidiLines.h"
#include "engine/CNokia.h"
#include "mainwindow/frmConverter.h"
#include "tests/midi/MidiFiles.h"
#include "tests/support/CModalAnswer.h"
#include "tests/support/CWindowFixture.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestWidgets.h"
#include "widgets/CMessageBox.h"
#include "widgets/CProgram.h"

#include <QAction>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <QTreeWidget>
#include <memory>

class frmConverterMidiTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CWindowFixture> m_pFixture;
    std::unique_ptr<frmConverter> m_pWindow;

    template <typename T> T* Child(const QString& sName) const {
        return TestWidgets::Child<T>(m_pWindow.get(), sName);
    }
    QString Caption() const { return Child<QGroupBox>("fraResults")->title(); }

private Q_SLOTS:
    void init() {
        m_pFixture = std::make_unique<CWindowFixture>();
        QSettings settings("Ringwright", "Ringwright");
        settings.setValue("Settings/SourceType", "1");
        settings.sync();
        m_pWindow = std::make_unique<frmConverter>(m_pFixture->Folders());
        m_pWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pWindow.get()));
        CWindowFixture::TakeShown();
    }

    void cleanup() {
        m_pWindow.reset();
        m_pFixture.reset();
    }

    void importChosenLine() {
        const std::string sBytes =
            MidiFiles::File(1, 480,
                            {{"Lead", {{0, 480, 60}, {480, 480, 62}, {960, 480, 64}}},
                             {"Bass", {{0, 960, 60, 2}}}});
        const QString sPath = m_pFixture->Path("song.mid");
        QVERIFY(TestFiles::WriteRaw(sPath, QByteArray::fromStdString(sBytes)));

        const CModalAnswer pick([&sPath](QWidget* pModal) {
            auto* pDialog = qobject_cast<QFileDialog*>(pModal);
            QVERIFY(pDialog);
            QCOMPARE(pDialog->directory().absolutePath(), QFileInfo(sPath).absolutePath());
            pDialog->selectFile(sPath);
            static_cast<QDialog*>(pDialog)->accept(); // QFileDialog hides it
        });
        int iDefault = -1;
        const CModalAnswer choose(
            [&iDefault](QWidget* pModal) {
                iDefault = qobject_cast<frmMidiLines*>(pModal)->ChosenLine().value_or(0);
                auto* pLines = TestWidgets::Child<QTreeWidget>(pModal, "lstLines");
                pLines->setCurrentItem(pLines->topLevelItem(1));
                TestWidgets::Child<QPushButton>(pModal, "cmdOK")->click();
            },
            "frmMidiLines");
        Child<QAction>("mnuFileImportMidi")->trigger();
        QVERIFY(pick.Answered());
        QVERIFY(choose.Answered());

        QCOMPARE(iDefault, 1); // the lead, with the most notes
        QVERIFY(Child<QRadioButton>("optSource_0")->isChecked());
        QCOMPARE(CProgram::Nokia().OriginalText, std::string("Bass:d=4,o=5,b=120:2c4"));
        QCOMPARE(Child<QLineEdit>("txtName")->text(), QString("Bass"));
        QCOMPARE(Child<QLineEdit>("txtTempo")->text(), QString("120"));
        QCOMPARE(Child<QLabel>("lblNoteCount")->text(), QString("1"));
        QCOMPARE(Caption(), QString("Conversion Results - [song.mid]"));
        // Octave 4 is out of the phone's reach: warned about, and Fit is at hand.
        const QList<ShownBox> shown = CWindowFixture::TakeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].Title, QString("Conversion Errors"));
        QVERIFY(Child<QPushButton>("cmdFit")->isEnabled());
    }

    void refusedFileChangesNothing() {
        const QString sPath = m_pFixture->Path("bad.MIDI");
        QVERIFY(TestFiles::WriteRaw(sPath, "RIFF not a tune"));
        m_pWindow->GetFile(sPath, 0);
        const QList<ShownBox> shown = CWindowFixture::TakeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].Text, "The file " + sPath + " cannot be imported: not a MIDI file.");
        QCOMPARE(shown[0].Title, QString("Cannot Import MIDI"));
        QVERIFY(Child<QRadioButton>("optSource_1")->isChecked());
        QCOMPARE(Caption(), QString("Conversion Results"));
    }
};

QTEST_MAIN(frmConverterMidiTest)
#include "frmConverterMidiTest.moc"
