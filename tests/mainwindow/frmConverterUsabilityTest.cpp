#include "dialogs/frmHelp.h"
#include "engine/CNokia.h"
#include "mainwindow/frmConverter.h"
#include "tests/support/CWindowFixture.h"
#include "tests/support/Palettes.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestWidgets.h"
#include "widgets/CContrast.h"
#include "widgets/CMessageBox.h"
#include "widgets/CProgram.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QToolTip>
#include <QUrl>

#include <memory>

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
} // namespace

// The main window as a new user meets it: F1, marked notes, dropped tunes,
// colours in a light and a dark palette.
class frmConverterUsabilityTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CWindowFixture> m_pFixture;
    std::unique_ptr<frmConverter> m_pWindow;

    template <class T> T* Child(const QString& sName) const {
        return TestWidgets::Child<T>(m_pWindow.get(), sName);
    }

    void Open() {
        m_pWindow = std::make_unique<frmConverter>(m_pFixture->Folders());
        m_pWindow->show();
        QVERIFY(QTest::qWaitForWindowActive(m_pWindow.get()));
    }

    void Drop(QMimeData* pData) {
        // Dropped over the results box, which does not take it itself.
        QWidget* pTarget = Child<QTextEdit>("rtf")->viewport();
        const QPoint at = pTarget->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, pData, Qt::LeftButton, {});
        QApplication::sendEvent(pTarget, &enter);
        if (!enter.isAccepted())
            return;
        QDropEvent drop(at, Qt::CopyAction, pData, Qt::LeftButton, {});
        QApplication::sendEvent(pTarget, &drop);
    }

private Q_SLOTS:
    void init() {
        m_pFixture = std::make_unique<CWindowFixture>();
        QVERIFY(TestFiles::WriteRaw(m_pFixture->Path("keep.TXT"), "Keep:8c"));
    }

    void cleanup() {
        m_pWindow.reset();
        m_pFixture.reset();
        QApplication::setPalette(Palettes::Light());
    }

    void f1OpensTheFocusedStepsHelp_data() {
        QTest::addColumn<QString>("sFocus");
        QTest::addColumn<QString>("sNumber");
        QTest::newRow("source") << "optSource_1"
                                << "1.";
        QTest::newRow("file") << "optFile_0"
                              << "2.";
        QTest::newRow("Get") << "cmdGet"
                             << "2.";
        QTest::newRow("display") << "optShowAs_2"
                                 << "3.";
        QTest::newRow("name") << "txtName"
                              << "4.";
        QTest::newRow("results") << "rtf"
                                 << "4.";
    }

    void f1OpensTheFocusedStepsHelp() {
        QFETCH(QString, sFocus);
        QFETCH(QString, sNumber);
        Open();
        Child<QWidget>(sFocus)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QPointer<frmHelp> pHelp = m_pWindow->findChild<frmHelp*>();
        QVERIFY(pHelp);
        QCOMPARE(pHelp->findChild<QLabel*>("lblHelpNum")->text(), sNumber);
        pHelp->close();
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
        Open();
        Child<QRadioButton>("optSource_0")->click();
        Child<QRadioButton>("optFile_1")->click();
        QGuiApplication::clipboard()->setText("Two:d=4,o=5,b=100:8c8,d,2e8");
        Child<QPushButton>("cmdGet")->click();
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

    void droppedTunesAreGot_data() {
        QTest::addColumn<bool>("bFile");
        QTest::addColumn<QString>("sCaption");
        QTest::newRow("file") << true << "Conversion Results - [drop.321]";
        QTest::newRow("text") << false << "Conversion Results - [Dropped text]";
    }

    // In the notation of step 1, whatever step 2 says; the clipboard is left
    // alone.
    void droppedTunesAreGot() {
        QFETCH(bool, bFile);
        QFETCH(QString, sCaption);
        QTemporaryDir elsewhere;
        QVERIFY(elsewhere.isValid());
        const QString sPath = elsewhere.filePath("drop.321");
        QVERIFY(TestFiles::WriteRaw(sPath, "Dropped:Tempo=90:4c1 8d2"));
        Open();
        Child<QRadioButton>("optSource_1")->click();
        Child<QRadioButton>("optFile_1")->click();
        QGuiApplication::clipboard()->setText("Keep me");

        auto* pData = new QMimeData;
        if (bFile)
            pData->setUrls({QUrl::fromLocalFile(sPath)});
        else
            pData->setText("Dropped:Tempo=90:4c1 8d2");
        const std::unique_ptr<QMimeData> data(pData);
        Drop(pData);

        QCOMPARE(Child<QLineEdit>("txtName")->text(), QStringLiteral("Dropped"));
        QCOMPARE(Child<QTextEdit>("rtf")->toPlainText(), QStringLiteral("1, 28*"));
        QCOMPARE(Child<QGroupBox>("fraResults")->title(), sCaption);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Keep me"));
        if (bFile)
            QCOMPARE(CProgram::FromEngine(CProgram::Nokia().FilePath),
                     QFileInfo(sPath).absolutePath());
        QVERIFY(CWindowFixture::TakeShown().isEmpty());
    }

    void otherDropsAreRefused() {
        QTemporaryDir elsewhere;
        QVERIFY(elsewhere.isValid());
        Open();
        const QList<QList<QUrl>> refused{
            {QUrl::fromLocalFile(elsewhere.path())},
            {QUrl::fromLocalFile(m_pFixture->Path("keep.TXT")),
             QUrl::fromLocalFile(m_pFixture->Path("keep.TXT"))},
            {QUrl(QStringLiteral("http://www.ringwright.example/tone.TXT"))}};
        for (const QList<QUrl>& urls : refused) {
            QMimeData data;
            data.setUrls(urls);
            data.setText(urls.first().toString());
            Drop(&data);
            QVERIFY(Child<QTextEdit>("rtf")->toPlainText().isEmpty());
            QCOMPARE(Child<QGroupBox>("fraResults")->title(), QStringLiteral("Conversion Results"));
        }
    }

    void linesBreakOnlyAfterSeparators_data() {
        QTest::addColumn<int>("iForm");
        QTest::addColumn<QString>("sSeparator");
        QTest::addColumn<int>("iWidth"); // of the text, in pixels; 0 as the window has it
        QTest::newRow("keypresses") << 0 << ", " << 0;
        QTest::newRow("keypresses, narrow") << 0 << ", " << 170;
        QTest::newRow("composer") << 1 << " " << 0;
        QTest::newRow("composer, narrow") << 1 << " " << 110;
        QTest::newRow("rtttl") << 2 << "," << 0;
        QTest::newRow("rtttl, narrow") << 2 << "," << 90;
    }

    // Every line of the box but the last ends with the separator, so no
    // line starts or ends inside a note or a key group; the text stays as
    // the converter made it.
    void linesBreakOnlyAfterSeparators() {
        QFETCH(int, iForm);
        QFETCH(QString, sSeparator);
        QFETCH(int, iWidth);
        Open();
        Child<QRadioButton>("optSource_0")->click();
        Child<QRadioButton>("optFile_1")->click();
        Child<QRadioButton>(QStringLiteral("optShowAs_%1").arg(iForm))->click();
        QGuiApplication::clipboard()->setText(
            "T:d=4,o=5,b=100:8e.6,8c#6,16p,4d#7,2a.5,8g,8f#6,32b,8e.6,8c#6,16p,4d#7,2a.5,8g,"
            "8f#6,32b,8e.6,8c#6,16p,4d#7,2a.5,8g,8f#6,32b,8e.6,8c#6,16p,4d#7");
        Child<QPushButton>("cmdGet")->click();
        CWindowFixture::TakeShown();
        auto* pBox = Child<QTextEdit>("rtf");
        if (iWidth > 0)
            pBox->document()->setPageSize(
                QSizeF(iWidth + 2 * pBox->document()->documentMargin(), -1));
        const QString sText = pBox->toPlainText();
        QCOMPARE(sText, CProgram::FromEngine(CProgram::Nokia().ShowScreen()));
        const QTextLayout* pLayout = pBox->document()->begin().layout();
        QVERIFY(pLayout->lineCount() > 2);
        for (int i = 0; i + 1 < pLayout->lineCount(); ++i) {
            const QTextLine line = pLayout->lineAt(i);
            const QString sLine = sText.mid(line.textStart(), line.textLength());
            QVERIFY2(sLine.endsWith(sSeparator), qPrintable(sLine));
            QVERIFY2(line.naturalTextWidth() <= pBox->document()->pageSize().width(),
                     qPrintable(sLine));
        }
    }

    void colouredTextsRead_data() { Palettes::AddRows(); }

    // The link keeps its blue where it reads; the note marks read on the
    // results box; while quick help is open the credit and link look
    // disabled like the rest.
    void colouredTextsRead() {
        QFETCH(bool, bDark);
        QApplication::setPalette(bDark ? Palettes::Dark() : Palettes::Light());
        Open();
        auto* pLink = Child<QLabel>("lblMyWeb");
        const QPalette linkPalette = pLink->palette();
        QVERIFY(CContrast::Ratio(linkPalette.color(QPalette::WindowText),
                                 linkPalette.color(QPalette::Window)) >= CContrast::MinimumRatio);
        QCOMPARE(linkPalette.color(QPalette::WindowText) == QColor(0x00, 0x00, 0xff), !bDark);

        Child<QRadioButton>("optSource_0")->click();
        Child<QRadioButton>("optFile_1")->click();
        QGuiApplication::clipboard()->setText("T:d=4,o=5,b=100:8c8");
        Child<QPushButton>("cmdGet")->click();
        auto* pBox = Child<QTextEdit>("rtf");
        QTextCursor cursor(pBox->document());
        cursor.setPosition(1);
        // Marked as a spelling checker marks a word, not as a link: the text
        // keeps its colour, the wavy line has a warning colour of its own.
        const QTextCharFormat mark = cursor.charFormat();
        QCOMPARE(mark.underlineStyle(), QTextCharFormat::WaveUnderline);
        QVERIFY(!mark.hasProperty(QTextFormat::ForegroundBrush));
        QCOMPARE(mark.underlineColor(),
                 bDark ? QColor(0xff, 0x8a, 0x80) : QColor(0xc6, 0x28, 0x28));
        QVERIFY(CContrast::Ratio(mark.underlineColor(), pBox->palette().color(QPalette::Base)) >=
                CContrast::MinimumRatio);

        m_pWindow->LoadHelp(1);
        for (const char* sName : {"Label4", "lblMyWeb"}) {
            const QLabel* pLabel = Child<QLabel>(sName);
            QVERIFY(!pLabel->isEnabled());
            QCOMPARE(pLabel->palette().color(QPalette::Disabled, QPalette::WindowText),
                     QApplication::palette().color(QPalette::Disabled, QPalette::WindowText));
        }
        m_pWindow->findChild<frmHelp*>()->close();
    }
};

QTEST_MAIN(frmConverterUsabilityTest)
#include "frmConverterUsabilityTest.moc"
