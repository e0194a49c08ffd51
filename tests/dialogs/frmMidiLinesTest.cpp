#include "dialogs/frmMidiLines.h"

#include "engine/modNOK.h"
#include "midi/CMidiFile.h"
#include "tests/midi/MidiFiles.h"
#include "tests/support/CModalAnswer.h"
#include "tests/support/CWindowFixture.h"
#include "tests/support/TestWidgets.h"
#include "widgets/CMessageBox.h"

#include <QApplication>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <memory>
#include <optional>

using TestWidgets::AccessibleName;
using TestWidgets::Child;

namespace {

// Three lines: a named lead with its instrument, an unnamed track with the
// most notes, and a named bass.
CMidiFile ThreeLines() {
    return CMidiFile::Read(
        MidiFiles::File(1, 480,
                        {{"Lead", {{0, 480, 72}, {480, 480, 74}, {960, 480, 76}}, {}, 73},
                         {"",
                          {{0, 240, 60, 2},
                           {240, 240, 62, 2},
                           {480, 240, 64, 2},
                           {720, 240, 65, 2},
                           {960, 240, 67, 2}}},
                         {"Bass", {{0, 960, 36, 3}, {960, 960, 43, 3}}, {}, 33}}),
        "song.mid");
}

QTreeWidget* Lines(QWidget* pDialog) {
    return Child<QTreeWidget>(pDialog, QStringLiteral("lstLines"));
}

// Chooses with the dialog up, answered by fnAnswer once it is active. A
// dialog the answer left open is closed after a long while and clears
// bClosed, failing the test rather than hanging it.
std::optional<int> ChooseAnswering(const CMidiFile& file,
                                   const std::function<void(QWidget*)>& fnAnswer, bool& bClosed) {
    bClosed = true;
    const CModalAnswer answer(
        [&fnAnswer, &bClosed](QWidget* pDialog) {
            QTimer::singleShot(10000, pDialog, [pDialog, &bClosed] {
                bClosed = false;
                static_cast<QDialog*>(pDialog)->done(-1);
            });
            if (QTest::qWaitForWindowActive(pDialog))
                fnAnswer(pDialog);
        },
        QStringLiteral("frmMidiLines"));
    return frmMidiLines::Choose(nullptr, file);
}

} // namespace

class frmMidiLinesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CWindowFixture> m_pFixture;

private Q_SLOTS:
    // Message boxes are answered, settings and folders are the test's own.
    void initTestCase() { m_pFixture = std::make_unique<CWindowFixture>(); }
    void cleanupTestCase() { m_pFixture.reset(); }

    void listsEveryLineWithTheDefaultChosen() {
        const CMidiFile file = ThreeLines();
        QVERIFY(file.Error().empty());
        frmMidiLines dialog(file);
        QTreeWidget* pLines = Lines(&dialog);
        const QList<QStringList> expected = {
            {"Lead", "1", "Flute", "3"},
            {"Track 2", "2", "-", "5"},
            {"Bass", "3", "Electric Bass (finger)", "2"},
        };
        QCOMPARE(pLines->topLevelItemCount(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            QStringList row;
            for (int iColumn = 0; iColumn < 4; ++iColumn)
                row.append(pLines->topLevelItem(i)->text(iColumn));
            QCOMPARE(row, expected[i]);
        }
        QCOMPARE(dialog.ChosenLine(), std::optional<int>(2));
    }

    void instrumentNames_data() {
        QTest::addColumn<int>("iProgram");
        QTest::addColumn<QString>("sName");
        QTest::newRow("first") << 0 << "Acoustic Grand Piano";
        QTest::newRow("last") << 127 << "Gunshot";
        QTest::newRow("none") << -1 << "-";
        QTest::newRow("beyond") << 128 << "-";
    }
    void instrumentNames() {
        QFETCH(int, iProgram);
        QFETCH(QString, sName);
        QCOMPARE(frmMidiLines::InstrumentName(iProgram), sName);
    }

    void doubleClickChoosesThatLine() {
        const CMidiFile file = ThreeLines();
        bool bClosed = false;
        const std::optional<int> iChosen = ChooseAnswering(
            file,
            [](QWidget* pDialog) {
                QTreeWidget* pLines = Lines(pDialog);
                const QRect rect = pLines->visualItemRect(pLines->topLevelItem(2));
                // The pair as the window system sends it: a click, then the double-click.
                QTest::mouseClick(pLines->viewport(), Qt::LeftButton, {}, rect.center());
                QTest::mouseDClick(pLines->viewport(), Qt::LeftButton, {}, rect.center());
            },
            bClosed);
        QVERIFY(bClosed);
        QCOMPARE(iChosen, std::optional<int>(3));
    }

    void keyboardAloneChooses() {
        const CMidiFile file = ThreeLines();
        bool bListHadFocus = false;
        bool bClosed = false;
        const std::optional<int> iChosen = ChooseAnswering(
            file,
            [&](QWidget* pDialog) {
                bListHadFocus = QApplication::focusWidget() == Lines(pDialog);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            },
            bClosed);
        QVERIFY(bClosed);
        QVERIFY(bListHadFocus);
        QCOMPARE(iChosen, std::optional<int>(1));
    }

    void cancelChoosesNothing() {
        const CMidiFile file = ThreeLines();
        bool bClosed = false;
        const std::optional<int> iChosen = ChooseAnswering(
            file, [](QWidget* pDialog) { QTest::keyClick(pDialog, Qt::Key_C, Qt::AltModifier); },
            bClosed);
        QVERIFY(bClosed);
        QCOMPARE(iChosen, std::nullopt);
    }

    // The preview converts through the engine, whose defaults and error
    // list belong to the ringtone in the main window.
    void playLeavesTheMainRingtoneAlone() {
        modNOK::DefaultDuration = "16";
        modNOK::DefaultOctave = "7";
        modNOK::ErrorList = "[Main] kept";
        const CMidiFile file = ThreeLines();
        frmMidiLines dialog(file);
        Child<QPushButton>(&dialog, QStringLiteral("cmdPlay"))->click();
        dialog.reject();
        QCOMPARE(modNOK::DefaultDuration.str(), std::string("16"));
        QCOMPARE(modNOK::DefaultOctave.str(), std::string("7"));
        QCOMPARE(modNOK::ErrorList, std::string("[Main] kept"));
    }

    void screenReadersHearNames() {
        const CMidiFile file = ThreeLines();
        frmMidiLines dialog(file);
        QCOMPARE(AccessibleName(Lines(&dialog)), QStringLiteral("Lines"));
        QVERIFY(!Lines(&dialog)->accessibleDescription().isEmpty());
        QCOMPARE(AccessibleName(Child<QPushButton>(&dialog, QStringLiteral("cmdOK"))),
                 QStringLiteral("Ok"));
        QCOMPARE(AccessibleName(Child<QPushButton>(&dialog, QStringLiteral("cmdCancel"))),
                 QStringLiteral("Cancel"));
        QCOMPARE(AccessibleName(Child<QPushButton>(&dialog, QStringLiteral("cmdPlay"))),
                 QStringLiteral("Play"));
    }
};

QTEST_MAIN(frmMidiLinesTest)
#include "frmMidiLinesTest.moc"
