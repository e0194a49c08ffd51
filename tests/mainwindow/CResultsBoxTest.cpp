// What Get puts into the results area, worked out from the converter alone.

#include "mainwindow/CResultsBox.h"
#include "engine/CNokia.h"
#include "engine/modNOK.h"
#include "widgets/CProgram.h"

#include <QStringList>
#include <QTest>

namespace {

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

class CResultsBoxTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
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
};

QTEST_GUILESS_MAIN(CResultsBoxTest)
#include "CResultsBoxTest.moc"
