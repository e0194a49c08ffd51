// What Get puts into the results area, worked out from the converter alone,
// and the notes with errors marked in the real window.

#include "mainwindow/CResultsBox.h"
#include "engine/CNokia.h"
#include "engine/modNOK.h"
#include "tests/support/CConverterFixture.h"
#include "widgets/CProgram.h"

#include <QHelpEvent>
#include <QStringList>
#include <QTest>
#include <QTextBlock>
#include <QToolTip>

namespace {

const QString kOctave8 = QStringLiteral("[modNok.GetOctave] RTTTL Octave 8 is not a valid octave "
                                        "and is not supported by the Nokia 3210.");

// Each marked stretch of the results box: its text and its tooltip.
QList<QPair<QString, QString>> Marked(const QTextEdit* pBox) {
    QList<QPair<QString, QString>> marks;
    for (QTextBlock block = pBox->document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().underlineStyle() == QTextCharFormat::WaveUnderline)
                marks.append({fragment.text(), fragment.charFormat().toolTip()});
        }
    return marks;
}

const QString sTooMany =
    QStringLiteral("This ringing tone has more than the maximum of 50 notes allowed for the "
                   "Nokia 3210.");

QString Tone(const QString& sName, int iNotes) {
    QStringList lstNotes;
    for (int i = 0; i < iNotes; ++i)
        lstNotes << QStringLiteral("8c");
    return sName + QStringLiteral(":d=4,o=5,b=120:") + lstNotes.join(QLatin1Char(','));
}

CResultsBox::Results Converted(const QString& sText, const QString& sOrigin) {
    CNokia& nokia = CProgram::Nokia();
    nokia = CNokia();
    nokia.OriginalText = CProgram::ToEngine(sText);
    nokia.Convert();
    return CResultsBox::Of(nokia, sOrigin);
}

} // namespace

class CResultsBoxTest : public QObject, public CConverterFixture {
    Q_OBJECT

private Q_SLOTS:
    void init() { Begin(); }
    void cleanup() { End(); }

    void shown_data() {
        QTest::addColumn<QString>("sText");
        QTest::addColumn<QString>("sOrigin");
        QTest::addColumn<QStringList>("lstShown"); // name, tempo, used, remaining, message
        QTest::addColumn<QString>("sCaption");
        QTest::newRow("no notes") << Tone("Tone", 0) << "Clipboard"
                                  << QStringList{"Tone", "120", "0", "50", ""}
                                  << "Conversion Results - [Clipboard]";
        QTest::newRow("50 notes") << Tone("Tone", 50) << "a.TXT"
                                  << QStringList{"Tone", "120", "50", "0", ""}
                                  << "Conversion Results - [a.TXT]";
        QTest::newRow("51 notes") << Tone("Tone", 51) << "a.TXT"
                                  << QStringList{"Tone", "120", "51", "-", sTooMany}
                                  << "Conversion Results - [a.TXT]";
        QTest::newRow("blank name")
            << Tone("   ", 1) << "Clipboard" << QStringList{"", "0", "0", "50", ""}
            << "Conversion Results - [Clipboard]";
        QTest::newRow("blanks inside and after the name")
            << Tone("A  B  ", 1) << "Clipboard" << QStringList{"A  B  ", "120", "1", "49", ""}
            << "Conversion Results - [Clipboard]";
    }
    void shown() {
        QFETCH(QString, sText);
        QFETCH(QString, sOrigin);
        const CResultsBox::Results results = Converted(sText, sOrigin);
        QTEST((QStringList{results.Name, results.Tempo, results.NoteCount, results.Remaining,
                           results.Message}),
              "lstShown");
        QTEST(results.Caption, "sCaption");
        // Every note is shown in the chosen form, however many there are.
        QCOMPARE(results.Notes, CProgram::FromEngine(CProgram::Nokia().ShowScreen()));
    }

    void failureKeepsWhatWasWorkedOut() {
        // More notes than a 16-bit count holds: the counts cannot be shown.
        const CResultsBox::Results results = Converted(Tone("Big", 32768), "Clipboard");
        QCOMPARE(results.Name, QStringLiteral("Big"));
        QCOMPARE(results.Tempo, QStringLiteral("120"));
        QCOMPARE(results.NoteCount, QStringLiteral("0"));
        QCOMPARE(results.Remaining, QString());
        QCOMPARE(results.Notes, QString());
        QCOMPARE(results.Caption, QStringLiteral("Conversion Results - [Clipboard]"));
        // The failure's own line, which also joins the list the warning shows.
        QVERIFY2(results.Message.startsWith("[frmConverter.ConvertAndShow] "),
                 qPrintable(results.Message));
        QVERIFY(results.Message.contains("Overflow"));
        QVERIFY(CResultsBox::ErrorReport().endsWith(results.Message));
    }

    void errorReport_data() {
        QTest::addColumn<QString>("sText");
        QTest::addColumn<bool>("bReport");
        QTest::newRow("clean") << Tone("Tone", 2) << false;
        QTest::newRow("octave 8") << "Tone:d=4,o=8,b=100:8c" << true;
    }
    void errorReport() {
        QFETCH(QString, sText);
        QFETCH(bool, bReport);
        Converted(sText, "Clipboard");
        const QString sErrors = CProgram::FromEngine(modNOK::GetErrors());
        QCOMPARE(CResultsBox::ErrorReport(),
                 bReport ? "There have been some conversion errors:\r" + sErrors : QString());
    }

    // A default that takes more bytes than characters: the marks go where
    // the box counts each note, not where the engine's bytes would.
    void placesCountCharacters() {
        CNokia& nokia = CProgram::Nokia();
        nokia = CNokia();
        nokia.OriginalText = CProgram::ToEngine(QStringLiteral("T:d=\u00e9,o=5,b=100:c,8c8,d"));
        nokia.Convert();
        nokia.ShowType = 1;
        const CResultsBox::Results results = CResultsBox::Of(nokia, "Clipboard");
        QCOMPARE(results.Notes, QStringLiteral("\u00e9c1 8c4 \u00e9d1"));
        QList<QPair<int, int>> places;
        for (const CResultsBox::Place& place : results.Places)
            places.append({place.iStart, place.iLength});
        QCOMPARE(places, (QList<QPair<int, int>>{{0, 3}, {4, 3}, {8, 3}}));
    }

    void emptyCaption() {
        QCOMPARE(CResultsBox::ResultsCaption(), QStringLiteral("Conversion Results"));
        QCOMPARE(CResultsBox::Results().NoteCount, QStringLiteral("0"));
    }

    // Two bad notes out of three: marked in every form, each with its own
    // line, while the error box keeps the whole list.
    void notesWithErrorsAreMarked_data() {
        QTest::addColumn<int>("iForm");
        QTest::addColumn<QString>("sText");
        QTest::addColumn<QStringList>("lstMarked");
        QTest::newRow("Keypresses") << 0 << "18, 29, 39" << QStringList{"18", "39"};
        QTest::newRow("Composer") << 1 << "8c4 4d1 2e4" << QStringList{"8c4", "2e4"};
        QTest::newRow("RTTTL") << 2 << "8c8,d,2e8" << QStringList{"8c8", "2e8"};
    }

    void notesWithErrorsAreMarked() {
        QFETCH(int, iForm);
        QFETCH(QString, sText);
        QFETCH(QStringList, lstMarked);
        QVERIFY(Open(true));
        Choose(0, false);
        GetClipboard("Two:d=4,o=5,b=100:8c8,d,2e8");
        const QList<ShownBox> shown = CWindowFixture::TakeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].Text, QStringLiteral("There have been some conversion errors:\n") +
                                    kOctave8 + QLatin1Char('\n') + kOctave8);

        // Shown again in the chosen form, marks and all.
        Child<QRadioButton>(QStringLiteral("optShowAs_%1").arg((iForm + 1) % 3))->click();
        Child<QRadioButton>(QStringLiteral("optShowAs_%1").arg(iForm))->click();
        auto* pBox = Child<QTextEdit>("rtf");
        QCOMPARE(pBox->toPlainText(), sText);
        const QList<QPair<QString, QString>> marks = Marked(pBox);
        QCOMPARE(marks.size(), lstMarked.size());
        for (int i = 0; i < marks.size(); ++i) {
            QCOMPARE(marks[i].first, lstMarked[i]);
            QCOMPARE(marks[i].second, kOctave8);
        }

        // The tooltip appears over the last note.
        QTextCursor cursor(pBox->document());
        cursor.setPosition(static_cast<int>(sText.size()) - 1);
        const QPoint at = pBox->cursorRect(cursor).center();
        QHelpEvent help(QEvent::ToolTip, at, pBox->viewport()->mapToGlobal(at));
        QApplication::sendEvent(pBox->viewport(), &help);
        QTRY_COMPARE(QToolTip::text(), kOctave8);
        QToolTip::hideText();
    }
};

QTEST_MAIN(CResultsBoxTest)
#include "CResultsBoxTest.moc"
