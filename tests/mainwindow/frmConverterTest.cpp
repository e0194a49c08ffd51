// The main window itself: start-up from the stored settings (and the
// first-run greeting), layout, the option groups, menus, New and Exit, Fit to
// Phone, the keyboard and screen readers, quick help and colours.

#include "mainwindow/frmConverter.h"
#include "dialogs/frmHelp.h"
#include "engine/CNokia.h"
#include "mainwindow/CConverterSettings.h"
#include "tests/support/CConverterFixture.h"
#include "tests/support/CRecordingProgram.h"
#include "tests/support/Palettes.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestText.h"
#include "widgets/CContrast.h"
#include "widgets/CLauncher.h"
#include "widgets/CMessageBox.h"
#include "widgets/CProgram.h"

#include <QAccessible>
#include <QDir>
#include <QFontInfo>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextLayout>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

using TestText::Repeat;

namespace {

// Stored settings are written with "@name" standing for a folder of the
// test's temporary tree.
using Settings = QMap<QString, QString>;

// Clicks an option button on its round indicator, which its wide layout
// cell keeps at the left edge.
void ClickOption(QAbstractButton* pOption) {
    QTest::mouseClick(pOption, Qt::LeftButton, Qt::NoModifier, QPoint(6, pOption->height() / 2));
}

// Centred up to the window frame, which is not known before the window is
// first shown.
bool CentredOnItsScreen(const QWidget& w) {
    const QRect screen = w.screen()->availableGeometry();
    const QRect outer = w.frameGeometry();
    const int iFrame = qMax(outer.width() - w.width(), outer.height() - w.height()) + 1;
    return qAbs(outer.center().x() - screen.center().x()) <= iFrame &&
           qAbs(outer.center().y() - screen.center().y()) <= iFrame;
}

QSettings Store() {
    return QSettings(QStringLiteral("Ringwright"), QStringLiteral("Ringwright"));
}

// One note more than the phone holds: a Get of it fills every part of the
// results area, the message line included.
QString LongTone() {
    QStringList lstNotes;
    for (int i = 0; i < 51; ++i)
        lstNotes << QStringLiteral("8c");
    return QStringLiteral("Tone:d=4,o=5,b=125:") + lstNotes.join(QLatin1Char(','));
}

bool WriteFile(const QString& sPath, const QByteArray& data = "x") {
    return TestFiles::WriteRaw(sPath, data);
}

} // namespace

class frmConverterTest : public QObject, public CConverterFixture {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startUpRestoresSettings_data();
    void startUpRestoresSettings();
    void settingsPipeCountsAsNoSettings();
    void firstRunGreetsBeforeTheWindowAppears();
    void readOnlyProgramFolderGivesWayToHome_data();
    void readOnlyProgramFolderGivesWayToHome();
    void windowIsCentredAndFixed();
    void everyControlCarriesItsNameAndTexts_data();
    void everyControlCarriesItsNameAndTexts();
    void menusInOrderWithoutShortcuts();
    void tabOrder();
    void resultsBoxUsesABoldFixedPitchFont();

    void sourceOrFileChoiceForgetsTheRingtone_data();
    void sourceOrFileChoiceForgetsTheRingtone();
    void displayChoiceRerendersOnlyTheNotes();
    void displayChoiceBeforeAnyRingtoneIsKept();
    void newKeepsOptionsAndFolder();
    void choicesAreSavedWhenExitIsChosen();
    void menuOpeningEnablesSaveAndExport_data();
    void menuOpeningEnablesSaveAndExport();
    void helpAboutShowsTheAboutWindowModally();
    void webLinkOpensTheBrowserOnItsCaption();

    void menuAccessKeysRunTheirItems_data();
    void menuAccessKeysRunTheirItems();
    void getAccessKeyPressesGet();
    void tabVisitsTheStepsInOrder_data();
    void tabVisitsTheStepsInOrder();
    void arrowKeysChooseWithinAGroup_data();
    void arrowKeysChooseWithinAGroup();
    void everyInputHasAnAccessibleName_data();
    void everyInputHasAnAccessibleName();

    void numberedLabelOpensItsHelp_data() {
        QTest::addColumn<int>("iIndex");
        for (int i = 0; i < 4; ++i)
            QTest::addRow("lblNum_%d", i) << i;
    }

    void numberedLabelOpensItsHelp() {
        QFETCH(int, iIndex);
        Remember();

        frmConverter window(m_pFixture->Folders());
        window.show();
        auto* pLabel = window.findChild<QLabel*>(QStringLiteral("lblNum_%1").arg(iIndex));
        QVERIFY(pLabel);
        QCOMPARE(pLabel->toolTip(), QStringLiteral("Click for help"));
        QCOMPARE(pLabel->cursor().shape(), Qt::BitmapCursor);

        QTest::mouseClick(pLabel, Qt::LeftButton);
        QPointer<frmHelp> pHelp = window.findChild<frmHelp*>();
        QVERIFY(pHelp);
        QCOMPARE(pHelp->findChild<QLabel*>("lblHelpNum")->text(),
                 QStringLiteral("%1.").arg(iIndex + 1));
        QCOMPARE(pHelp->findChild<QLabel*>("lblHelpText")->text(),
                 frmHelp::DisplayText(frmHelp::HelpText(iIndex + 1)));
        QVERIFY(!window.isEnabled());
        QVERIFY(pHelp->isEnabled());

        QTest::mouseClick(pHelp->findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
        QVERIFY(window.isEnabled());
        QTRY_VERIFY(pHelp.isNull());
    }

    void legendSquareOpensNothing() {
        Remember();
        frmConverter window(m_pFixture->Folders());
        window.show();
        auto* pSquare = window.findChild<QLabel*>(QStringLiteral("lblNum1"));
        QVERIFY(pSquare);
        QTest::mouseClick(pSquare, Qt::LeftButton);
        QVERIFY(!window.findChild<frmHelp*>());
        QVERIFY(window.isEnabled());
    }

    void instructionsMenuLooksForReadme() {
        Remember();
        QTemporaryDir empty;
        QVERIFY(empty.isValid());
        frmConverter window(CProgramFolders{empty.path()});
        window.findChild<QAction*>(QStringLiteral("mnuHelpInfo"))->trigger();
        const QList<ShownBox> shown = CWindowFixture::TakeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].Title, QStringLiteral("Readme.txt not found"));
    }

    void fitThenUndo() {
        QVERIFY(OpenForFit());
        auto* pFit = Child<QPushButton>("cmdFit");
        auto* pMenuFit = Child<QAction>("mnuFit");
        auto* pUndo = Child<QAction>("mnuUndoFit");
        QVERIFY(!pFit->isEnabled() && !pMenuFit->isEnabled() && !pUndo->isEnabled());

        // An octave too low and 60 notes long, with a pause after the 45th.
        QApplication::clipboard()->setText("Tone:d=4,o=4,b=100:" + Repeat(45, "8c", ",") + ",p," +
                                           Repeat(14, "8d", ","));
        Child<QPushButton>("cmdGet")->click();
        QCOMPARE(CWindowFixture::TakeShown().size(), 1); // the octave warnings
        QCOMPARE(Label("lblNoteCount"), QString("60"));
        QVERIFY(pFit->isEnabled() && pMenuFit->isEnabled() && !pUndo->isEnabled());
        // After the results box, in the order of the Tab key. The answered
        // warning box gives the activation back to the window.
        m_pWindow->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_pWindow.get()));
        Child<QTextEdit>("rtf")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(Child<QTextEdit>("rtf"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), pFit);

        QTest::keyClick(m_pWindow.get(), Qt::Key_T, Qt::AltModifier);
        QTRY_COMPARE(Label("lblNoteCount"), QString("45"));
        QCOMPARE(Label("lblRemaining"), QString("5"));
        QCOMPARE(Label("lblMsg"), QString("Moved up one octave; kept the first 45 of 60 notes."));
        QCOMPARE(Box("txtName"), QString("Tone"));
        QCOMPARE(Box("txtTempo"), QString("100"));
        QCOMPARE(Caption(), QString("Conversion Results - [Clipboard]"));
        QCOMPARE(Results(), Repeat(45, "8c1", " "));
        QVERIFY(CWindowFixture::TakeShown().isEmpty());
        QVERIFY(!pFit->isEnabled() && !pMenuFit->isEnabled() && pUndo->isEnabled());
        // The converter holds the fitted ringtone, for another form, Play and Save.
        Child<QRadioButton>("optShowAs_2")->click();
        QCOMPARE(CProgram::Nokia().OriginalText,
                 "Tone:d=8,o=5,b=100:" + Repeat(45, "c", ",").toStdString());
        QCOMPARE(Results().left(6), QString("c,c,c,"));
        QCOMPARE(Label("lblMsg"), QString("Moved up one octave; kept the first 45 of 60 notes."));

        EditMenuKey(Qt::Key_U);
        QCOMPARE(Label("lblNoteCount"), QString("60"));
        QCOMPARE(Label("lblRemaining"), QString("-"));
        QCOMPARE(Label("lblMsg"), QString("This ringing tone has more than the maximum of 50 notes "
                                          "allowed for the Nokia 3210."));
        QCOMPARE(Results().left(9), QString("8c,8c,8c,"));
        QCOMPARE(CProgram::Nokia().Notes.Count(), 60);
        QVERIFY(pFit->isEnabled() && pMenuFit->isEnabled() && !pUndo->isEnabled());

        // Fit again from the menu, then New forgets both forms.
        EditMenuKey(Qt::Key_F);
        QCOMPARE(Label("lblNoteCount"), QString("45"));
        Child<QAction>("mnuFileNew")->trigger();
        QVERIFY(!pFit->isEnabled() && !pMenuFit->isEnabled() && !pUndo->isEnabled());
    }

    void nothingToFit() {
        QVERIFY(OpenForFit());
        QApplication::clipboard()->setText("Tone:d=4,o=5,b=100:8c,8d");
        Child<QPushButton>("cmdGet")->click();
        QCOMPARE(Label("lblNoteCount"), QString("2"));
        QVERIFY(!Child<QPushButton>("cmdFit")->isEnabled());
        QVERIFY(!Child<QAction>("mnuFit")->isEnabled());
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
        Remember();
        QVERIFY(Open(true));
        Child<QWidget>(sFocus)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QPointer<frmHelp> pHelp = m_pWindow->findChild<frmHelp*>();
        QVERIFY(pHelp);
        QCOMPARE(pHelp->findChild<QLabel*>("lblHelpNum")->text(), sNumber);
        pHelp->close();
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
        Remember();
        QVERIFY(Open(true));
        Choose(0, false);
        Child<QRadioButton>(QStringLiteral("optShowAs_%1").arg(iForm))->click();
        GetClipboard(
            "T:d=4,o=5,b=100:8e.6,8c#6,16p,4d#7,2a.5,8g,8f#6,32b,8e.6,8c#6,16p,4d#7,2a.5,8g,"
            "8f#6,32b,8e.6,8c#6,16p,4d#7,2a.5,8g,8f#6,32b,8e.6,8c#6,16p,4d#7");
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
        Remember();
        QVERIFY(Open(true));
        auto* pLink = Child<QLabel>("lblMyWeb");
        const QPalette linkPalette = pLink->palette();
        QVERIFY(CContrast::Ratio(linkPalette.color(QPalette::WindowText),
                                 linkPalette.color(QPalette::Window)) >= CContrast::MinimumRatio);
        QCOMPARE(linkPalette.color(QPalette::WindowText) == QColor(0x00, 0x00, 0xff), !bDark);

        Choose(0, false);
        GetClipboard("T:d=4,o=5,b=100:8c8");
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

private:
    QString Folder(const QString& sName) const;
    QString Resolve(const QString& sValue) const;
    void StoreSettings(const Settings& stored) const;
    // Builds the window, answering an About window if one appears. The
    // flags say whether it appeared, and whether the main window was
    // already visible at that moment.
    std::unique_ptr<frmConverter> Start(bool* pAboutShown = nullptr,
                                        bool* pMainVisibleThen = nullptr);
    // The window, shown, of a user who chose the tones folder before.
    frmConverter* StartShown();
    // A real Get of the text, from the clipboard or from a file in the
    // ringtone folder, whichever the window's choice says.
    void Get(const QString& sText);

    QString FocusName() const {
        const QWidget* p = QApplication::focusWidget();
        return p ? p->objectName() : QStringLiteral("<none>");
    }
    // The folder remembered, as by a user who has been here before.
    void Remember() const { StoreSetting("RingToneDirectory", m_pFixture->Folder()); }
    bool OpenForKeys() {
        Remember();
        // Help > Instructions may start an editor: only this stand-in.
        m_pEditor =
            std::make_unique<CRecordingProgram>(m_pFixture->Programs(), QStringLiteral("xdg-open"));
        const bool bOpen = Open(true);
        CWindowFixture::TakeShown();
        return bOpen;
    }
    bool OpenForFit() {
        Remember();
        StoreSetting("FromFile", "False");
        StoreSetting("SourceType", "0");
        StoreSetting("ShowType", "1");
        const bool bOpen = Open(true);
        CWindowFixture::TakeShown();
        return bOpen;
    }

    std::unique_ptr<CRecordingProgram> m_pEditor;
};

void frmConverterTest::init() {
    // No folder remembered: each test stores the settings it starts from.
    Begin(false);
    const QDir root(m_pFixture->Folder());
    // own: the program's folder; tones and old: folders with ringtones;
    // gone: never made; subfolders and hidden: no ordinary file.
    for (const char* sName : {"own", "tones", "old", "subfolders", "subfolders/deeper", "hidden"})
        QVERIFY(root.mkpath(QString::fromLatin1(sName)));
    QVERIFY(WriteFile(Folder(QStringLiteral("own")) + QStringLiteral("/ringwright")));
    QVERIFY(WriteFile(Folder(QStringLiteral("tones")) + QStringLiteral("/tone.TXT")));
    QVERIFY(WriteFile(Folder(QStringLiteral("old")) + QStringLiteral("/old.321")));
    QVERIFY(WriteFile(Folder(QStringLiteral("hidden")) + QStringLiteral("/.tone.TXT")));
    // A pipe left by a failed run would hold up every test that follows.
    QVERIFY(CConverterSettings::PrepareFile());
}

void frmConverterTest::cleanup() {
    m_pWindow.reset();
    m_pEditor.reset();
    End();
    QApplication::setPalette(Palettes::Light());
}

QString frmConverterTest::Folder(const QString& sName) const {
    return m_pFixture->Path(sName);
}

QString frmConverterTest::Resolve(const QString& sValue) const {
    return sValue.startsWith(QLatin1Char('@')) ? Folder(sValue.mid(1)) : sValue;
}

void frmConverterTest::StoreSettings(const Settings& stored) const {
    QSettings settings = Store();
    settings.beginGroup(QStringLiteral("Settings"));
    for (auto it = stored.cbegin(); it != stored.cend(); ++it)
        settings.setValue(it.key(), Resolve(it.value()));
    settings.endGroup();
    settings.sync();
}

std::unique_ptr<frmConverter> frmConverterTest::Start(bool* pAboutShown, bool* pMainVisibleThen) {
    bool bVisible = false;
    const CModalAnswer about(
        [&bVisible](QWidget* pAbout) {
            for (QWidget* pTop : QApplication::topLevelWidgets())
                if (qobject_cast<frmConverter*>(pTop) && pTop->isVisible())
                    bVisible = true;
            Child<QPushButton>(pAbout, QStringLiteral("cmdOK"))->click();
        },
        QStringLiteral("frmInfo"));
    auto w = std::make_unique<frmConverter>(CProgramFolders{Folder(QStringLiteral("own"))});
    if (pAboutShown)
        *pAboutShown = about.Answered();
    if (pMainVisibleThen)
        *pMainVisibleThen = bVisible;
    return w;
}

frmConverter* frmConverterTest::StartShown() {
    QSettings settings = Store();
    settings.setValue(QStringLiteral("Settings/RingToneDirectory"),
                      Folder(QStringLiteral("tones")));
    settings.sync();
    m_pWindow = Start();
    m_pWindow->show();
    if (!QTest::qWaitForWindowExposed(m_pWindow.get()))
        qWarning("main window not exposed");
    return m_pWindow.get();
}

void frmConverterTest::Get(const QString& sText) {
    if (Child<QRadioButton>("optFile_1")->isChecked()) {
        GetClipboard(sText);
    } else {
        const QString sName = CProgram::Nokia().SourceType == 0 ? QStringLiteral("get.TXT")
                                                                : QStringLiteral("get.321");
        QVERIFY(WriteFile(QDir(CProgram::FromEngine(CProgram::Nokia().FilePath)).filePath(sName),
                          sText.toUtf8()));
        GetFile(sName);
    }
    QVERIFY(!Results().isEmpty());
    QVERIFY(!Label("lblMsg").isEmpty());
}

void frmConverterTest::startUpRestoresSettings_data() {
    QTest::addColumn<Settings>("stored");
    QTest::addColumn<bool>("aboutShown");
    QTest::addColumn<int>("source");
    QTest::addColumn<int>("file");
    QTest::addColumn<int>("showAs");
    QTest::addColumn<QString>("folder");

    const QString sDir = QStringLiteral("RingToneDirectory");
    const QString sOld = QStringLiteral("RTTLDirectory");
    const QString sSource = QStringLiteral("SourceType");
    const QString sShow = QStringLiteral("ShowType");
    const QString sFromFile = QStringLiteral("FromFile");
    const QString sTones = QStringLiteral("@tones");

    QTest::newRow("first run") << Settings{} << true << 0 << 1 << 0 << "@own";
    QTest::newRow("older key when the folder key is empty")
        << Settings{{sDir, QString()}, {sOld, QStringLiteral("@old")}} << false << 0 << 1 << 0
        << "@old";
    QTest::newRow("older key when the folder key is absent")
        << Settings{{sOld, QStringLiteral("@old")}} << false << 0 << 1 << 0 << "@old";
    QTest::newRow("folder key wins over the older key")
        << Settings{{sDir, sTones}, {sOld, QStringLiteral("@old")}} << false << 0 << 1 << 0
        << "@tones";
    QTest::newRow("remembered folder is gone")
        << Settings{{sDir, QStringLiteral("@gone")}} << false << 0 << 1 << 0 << "@own";
    QTest::newRow("remembered folder holds only folders")
        << Settings{{sDir, QStringLiteral("@subfolders")}} << false << 0 << 1 << 0 << "@own";
    QTest::newRow("remembered folder holds only hidden files")
        << Settings{{sDir, QStringLiteral("@hidden")}} << false << 0 << 1 << 0 << "@own";
    QTest::newRow("older folder that is gone")
        << Settings{{sOld, QStringLiteral("@gone")}} << false << 0 << 1 << 0 << "@own";
    QTest::newRow("FromFile True") << Settings{{sDir, sTones}, {sFromFile, QStringLiteral("True")}}
                                   << false << 0 << 0 << 0 << "@tones";
    QTest::newRow("FromFile False")
        << Settings{{sDir, sTones}, {sFromFile, QStringLiteral("False")}} << false << 0 << 1 << 0
        << "@tones";
    QTest::newRow("FromFile true (lower case) keeps a File")
        << Settings{{sDir, sTones}, {sFromFile, QStringLiteral("true")}} << false << 0 << 0 << 0
        << "@tones";
    QTest::newRow("FromFile other text keeps a File")
        << Settings{{sDir, sTones}, {sFromFile, QStringLiteral("yes")}} << false << 0 << 0 << 0
        << "@tones";
    QTest::newRow("Composer source, RTTTL display")
        << Settings{{sDir, sTones}, {sSource, QStringLiteral("1")}, {sShow, QStringLiteral("2")}}
        << false << 1 << 1 << 2 << "@tones";
    QTest::newRow("Composer display") << Settings{{sDir, sTones}, {sShow, QStringLiteral("1")}}
                                      << false << 0 << 1 << 1 << "@tones";
    QTest::newRow("numbers with blanks around them")
        << Settings{{sDir, sTones}, {sSource, QStringLiteral(" 1 ")}, {sShow, QStringLiteral(" 2")}}
        << false << 1 << 1 << 2 << "@tones";
    QTest::newRow("numbers are rounded to whole ones") << Settings{{sDir, sTones},
                                                                   {sSource, QStringLiteral("0.6")},
                                                                   {sShow, QStringLiteral("1.5")}}
                                                       << false << 1 << 1 << 2 << "@tones";
    QTest::newRow("texts that are no number fall back")
        << Settings{{sDir, sTones}, {sSource, QStringLiteral("abc")}, {sShow, QStringLiteral("")}}
        << false << 0 << 1 << 0 << "@tones";
    QTest::newRow("numbers without an option fall back")
        << Settings{{sDir, sTones}, {sSource, QStringLiteral("2")}, {sShow, QStringLiteral("-1")}}
        << false << 0 << 1 << 0 << "@tones";
    QTest::newRow("numbers beyond 16 bits fall back")
        << Settings{{sDir, sTones},
                    {sSource, QStringLiteral("4294967297")},
                    {sShow, QStringLiteral("65538")}}
        << false << 0 << 1 << 0 << "@tones";
}

void frmConverterTest::startUpRestoresSettings() {
    QFETCH(Settings, stored);
    QFETCH(bool, aboutShown);
    QFETCH(int, source);
    QFETCH(int, file);
    QFETCH(int, showAs);
    QFETCH(QString, folder);

    StoreSettings(stored);

    bool bAbout = false;
    auto w = Start(&bAbout);
    QCOMPARE(bAbout, aboutShown);

    const CNokia& nokia = CProgram::Nokia();
    QCOMPARE(nokia.SourceType, source);
    QCOMPARE(nokia.ShowType, static_cast<int16_t>(showAs));
    QCOMPARE(CProgram::FromEngine(nokia.FilePath), Resolve(folder));
    QVERIFY(Child<QRadioButton>(w.get(), QStringLiteral("optSource_%1").arg(source))->isChecked());
    QVERIFY(Child<QRadioButton>(w.get(), QStringLiteral("optFile_%1").arg(file))->isChecked());
    QVERIFY(Child<QRadioButton>(w.get(), QStringLiteral("optShowAs_%1").arg(showAs))->isChecked());

    // The results area starts empty, and the caption names the program.
    QCOMPARE(w->windowTitle(), QStringLiteral("Ringwright V2.0"));
    QCOMPARE(Child<QLabel>(w.get(), "lblNoteCount")->text(), QStringLiteral("0"));
    QCOMPARE(Child<QLabel>(w.get(), "lblRemaining")->text(), QString());
    QCOMPARE(Child<QLabel>(w.get(), "lblMsg")->text(), QString());
    QCOMPARE(Child<QTextEdit>(w.get(), "rtf")->toPlainText(), QString());
    QCOMPARE(Child<QGroupBox>(w.get(), "fraResults")->title(),
             QStringLiteral("Conversion Results"));

    // Closing at once writes back what start-up settled on.
    w->show();
    QVERIFY(w->close());
    QSettings settings = Store();
    settings.beginGroup(QStringLiteral("Settings"));
    QCOMPARE(settings.value(QStringLiteral("RingToneDirectory")).toString(), Resolve(folder));
    QCOMPARE(settings.value(QStringLiteral("SourceType")).toString(), QString::number(source));
    QCOMPARE(settings.value(QStringLiteral("ShowType")).toString(), QString::number(showAs));
    QCOMPARE(settings.value(QStringLiteral("FromFile")).toString(),
             file == 0 ? QStringLiteral("True") : QStringLiteral("False"));
}

void frmConverterTest::firstRunGreetsBeforeTheWindowAppears() {
    bool bAbout = false;
    bool bMainVisible = true;
    auto w = Start(&bAbout, &bMainVisible);
    QVERIFY(bAbout);
    QVERIFY(!bMainVisible);
    // Greeted once: the next start finds the folder written at closing.
    w->close();
    w.reset();
    auto again = Start(&bAbout);
    QVERIFY(!bAbout);
}

// An installed program lives in a system folder: where the user may not
// write there, the ringtone folder a first run (or a lost folder) falls back
// to is the home folder, so that Save works; a remembered folder still wins.
void frmConverterTest::readOnlyProgramFolderGivesWayToHome_data() {
    QTest::addColumn<Settings>("stored");
    QTest::addColumn<bool>("aboutShown");
    QTest::addColumn<QString>("folder");

    const QString sDir = QStringLiteral("RingToneDirectory");
    const QString sHome = QDir::homePath();
    QTest::newRow("first run") << Settings{} << true << sHome;
    QTest::newRow("remembered folder is gone")
        << Settings{{sDir, QStringLiteral("@gone")}} << false << sHome;
    QTest::newRow("remembered folder holds only hidden files")
        << Settings{{sDir, QStringLiteral("@hidden")}} << false << sHome;
    QTest::newRow("remembered folder with ringtones")
        << Settings{{sDir, QStringLiteral("@tones")}} << false << "@tones";
}

void frmConverterTest::readOnlyProgramFolderGivesWayToHome() {
    QFETCH(Settings, stored);
    QFETCH(bool, aboutShown);
    QFETCH(QString, folder);

    // Without any write permission: read-only even for the administrator.
    QVERIFY(QFile::setPermissions(Folder(QStringLiteral("own")),
                                  QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                      QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
    StoreSettings(stored);

    bool bAbout = false;
    auto w = Start(&bAbout);
    QCOMPARE(bAbout, aboutShown);
    QCOMPARE(CProgram::FromEngine(CProgram::Nokia().FilePath), Resolve(folder));

    // The keys and their texts stay as they were: only the folder differs.
    w->show();
    QVERIFY(w->close());
    QSettings settings = Store();
    settings.beginGroup(QStringLiteral("Settings"));
    QCOMPARE(settings.childKeys(),
             QStringList({QStringLiteral("FromFile"), QStringLiteral("RingToneDirectory"),
                          QStringLiteral("ShowType"), QStringLiteral("SourceType")}));
    QCOMPARE(settings.value(QStringLiteral("RingToneDirectory")).toString(), Resolve(folder));
}

void frmConverterTest::windowIsCentredAndFixed() {
    auto w = StartShown();
    QCOMPARE(w->minimumSize(), w->maximumSize());
    QVERIFY(CentredOnItsScreen(*w));
}

void frmConverterTest::everyControlCarriesItsNameAndTexts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("tip");

    const QString sHelp = QStringLiteral("Click for help");
    const QString sNone;
    auto row = [](const char* sName, const QString& sText, const QString& sTip) {
        QTest::newRow(sName) << QString::fromLatin1(sName) << sText << sTip;
    };
    row("fraOptions", QStringLiteral("RingTone Conversion Options"), sNone);
    row("fraWiz_0", QStringLiteral("Original RingTone Format is..."), sNone);
    row("fraWiz_1", QStringLiteral("Ringtone is from..."), sNone);
    row("fraWiz_2", QStringLiteral("Display As..."), sNone);
    row("optSource_0", QStringLiteral("RTTTL/Nokring"),
        QStringLiteral("A format used by the Nokring program"));
    row("optSource_1", QStringLiteral("Nokia 3210 Composer"),
        QStringLiteral("A format used in the Nokia 3210"));
    row("optFile_0", QStringLiteral("a File"),
        QStringLiteral("RingTone is in a file on your computeer"));
    row("optFile_1", QStringLiteral("the Clipboard"),
        QStringLiteral("RingTone has been copied to the clipboard"));
    row("cmdGet", QStringLiteral("&Get..."), sNone);
    row("optShowAs_0", QStringLiteral("Keypresses"),
        QStringLiteral("The keypresses you type in your phone"));
    row("optShowAs_1", QStringLiteral("3210 Composer"),
        QStringLiteral("The Nokia 3210 Composer format"));
    row("optShowAs_2", QStringLiteral("RTTTL/Nokring"), QStringLiteral("The Nokring format"));
    row("lblNum_0", QStringLiteral("1."), sHelp);
    row("lblNum_1", QStringLiteral("2."), sHelp);
    row("lblNum_2", QStringLiteral("3."), sHelp);
    row("lblNum_3", QStringLiteral("4."), sHelp);
    row("lblNum1", sNone, sHelp);
    row("fraResults", QStringLiteral("Conversion Results"), sNone);
    row("lbl1", QStringLiteral("Name:"), QStringLiteral("The name of the ringing tone"));
    row("Label6", QStringLiteral("Tempo:"), sNone);
    row("Label8", QStringLiteral("Used Notes:"), sNone);
    row("lblNoteCount", QStringLiteral("0"), QStringLiteral("The number of notes contained."));
    row("Label5", QStringLiteral("Remaining Notes:"), sNone);
    row("lblRemaining", sNone, QStringLiteral("The number of notes remaining."));
    row("cmdFit", QStringLiteral("Fi&t to Phone"),
        QStringLiteral("Move the tune into the phone's octaves, mend the notes it cannot enter "
                       "and keep at most 50 notes"));
    row("Label1_1", QStringLiteral("click"), sNone);
    row("Label1_0", QStringLiteral("for help"), sNone);
    row("lblMsg", sNone, sNone);
    row("lblMyWeb", QStringLiteral("http://www.ringwright.example/"), sNone);
    row("txtName", sNone, sNone);
    row("txtTempo", sNone, sNone);
    row("rtf", sNone, sNone);
    for (const char* sShape : {"shpBack", "Shape1", "Shape2", "Shape3", "Shape5", "Shape6", "pnl"})
        row(sShape, sNone, sNone);
}

void frmConverterTest::everyControlCarriesItsNameAndTexts() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, tip);
    auto w = StartShown();
    const QWidget* pWidget = w->findChild<QWidget*>(name);
    QVERIFY2(pWidget, qPrintable(name));
    QString sShown;
    if (auto* pBox = qobject_cast<const QGroupBox*>(pWidget))
        sShown = pBox->title();
    else if (auto* pEdit = qobject_cast<const QTextEdit*>(pWidget))
        sShown = pEdit->toPlainText();
    else
        sShown = pWidget->property("text").toString();
    QCOMPARE(sShown, text);
    QCOMPARE(pWidget->toolTip(), tip);
}

void frmConverterTest::menusInOrderWithoutShortcuts() {
    auto w = StartShown();
    const QList<QPair<QString, QStringList>> expected = {
        {QStringLiteral("mnuFile"),
         {QStringLiteral("mnuFileNew|&New"), QStringLiteral("mnuFileSave|&Save"),
          QStringLiteral("mnuFileSaveSound|Save as So&und..."),
          QStringLiteral("mnuFileImportMidi|&Import MIDI..."), QStringLiteral("mnuSepFile1|-"),
          QStringLiteral("mnuFileExit|E&xit")}},
        {QStringLiteral("mnuEdit"),
         {QStringLiteral("mnuEditCopy|&Export/Copy RingTone to Clipboard"),
          QStringLiteral("mnuEditSep1|-"), QStringLiteral("mnuFit|&Fit to Phone"),
          QStringLiteral("mnuUndoFit|&Undo Fit")}},
        {QStringLiteral("mnuHelp"),
         {QStringLiteral("mnuHelpInfo|&Instructions..."), QStringLiteral("mnuHelpSep1|-"),
          QStringLiteral("mnuHelpAbout|&About...")}},
    };
    const QStringList titles = {QStringLiteral("&File"), QStringLiteral("&Edit"),
                                QStringLiteral("&Help")};
    const QList<QAction*> bar = w->menuBar()->actions();
    QCOMPARE(bar.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QMenu* pMenu = bar[i]->menu();
        QVERIFY(pMenu);
        QCOMPARE(pMenu->objectName(), expected[i].first);
        QCOMPARE(pMenu->title(), titles[i]);
        QStringList items;
        for (QAction* pItem : pMenu->actions()) {
            items << pItem->objectName() + QLatin1Char('|') +
                         (pItem->isSeparator() ? QStringLiteral("-") : pItem->text());
            QVERIFY(pItem->shortcut().isEmpty());
        }
        QCOMPARE(items, expected[i].second);
    }
}

void frmConverterTest::tabOrder() {
    StartShown();
    const QStringList expected = {
        QStringLiteral("optSource_0"), QStringLiteral("optSource_1"), QStringLiteral("optFile_0"),
        QStringLiteral("optFile_1"),   QStringLiteral("cmdGet"),      QStringLiteral("optShowAs_0"),
        QStringLiteral("optShowAs_1"), QStringLiteral("optShowAs_2"), QStringLiteral("txtName"),
        QStringLiteral("txtTempo"),    QStringLiteral("cmdPlay"),     QStringLiteral("rtf"),
        QStringLiteral("cmdFit")};
    // Follow the focus chain once round, from the first control on.
    QWidget* pStart = Child<QWidget>("optSource_0");
    QStringList order;
    QWidget* p = pStart;
    do {
        // The toolkit lets Tab stop only at the selected option of a group
        // (arrow keys move within it), so look at the chain, not at TabFocus.
        if (p->focusPolicy() != Qt::NoFocus)
            order << p->objectName();
        p = p->nextInFocusChain();
    } while (p != pStart);
    QCOMPARE(order, expected);
}

void frmConverterTest::resultsBoxUsesABoldFixedPitchFont() {
    StartShown();
    const QTextEdit* pRtf = Child<QTextEdit>("rtf");
    const QFontInfo info(pRtf->font());
    QVERIFY(info.fixedPitch());
    QVERIFY(pRtf->font().bold());
    QCOMPARE(pRtf->font().pointSizeF(), 15.75);
    QCOMPARE(pRtf->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QVERIFY(!pRtf->acceptRichText());
}

void frmConverterTest::sourceOrFileChoiceForgetsTheRingtone_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("sourceAfter");
    QTest::newRow("source RTTTL to Composer") << "optSource_1" << 1;
    QTest::newRow("source Composer to RTTTL") << "optSource_0" << 0;
    QTest::newRow("file instead of clipboard") << "optFile_0" << 0;
    QTest::newRow("clipboard instead of file") << "optFile_1" << 0;
}

void frmConverterTest::sourceOrFileChoiceForgetsTheRingtone() {
    QFETCH(QString, option);
    QFETCH(int, sourceAfter);
    StartShown();
    // Start from the other choice of the group, with a ringtone shown.
    const QString sOther =
        option.left(option.size() - 1) +
        (option.endsWith(QLatin1Char('0')) ? QStringLiteral("1") : QStringLiteral("0"));
    Child<QRadioButton>(sOther)->setChecked(true);
    if (option.startsWith(QLatin1String("optFile")))
        Child<QRadioButton>("optSource_0")->setChecked(true);
    Get(LongTone());
    const std::string sFolder = CProgram::Nokia().FilePath;

    ClickOption(Child<QRadioButton>(option));
    QVERIFY(Child<QRadioButton>(option)->isChecked());

    const CNokia& nokia = CProgram::Nokia();
    QVERIFY(nokia.OriginalText.empty());
    QCOMPARE(nokia.Notes.Count(), 0);
    QCOMPARE(nokia.SourceType, sourceAfter);
    QCOMPARE(nokia.FilePath, sFolder);
    QCOMPARE(Box("txtName"), QString());
    QCOMPARE(Box("txtTempo"), QString());
    QCOMPARE(Results(), QString());
    QCOMPARE(Label("lblNoteCount"), QStringLiteral("0"));
    QCOMPARE(Label("lblRemaining"), QString());
    QCOMPARE(Label("lblMsg"), QString());
    QCOMPARE(Caption(), QStringLiteral("Conversion Results"));

    // With the ringtone forgotten, a display choice has nothing to show.
    ClickOption(Child<QRadioButton>("optShowAs_1"));
    QCOMPARE(CProgram::Nokia().ShowType, int16_t(1));
    QCOMPARE(Results(), QString());
}

void frmConverterTest::displayChoiceRerendersOnlyTheNotes() {
    StartShown();
    Child<QRadioButton>("optSource_0")->setChecked(true);
    Get(LongTone());
    const QString sMessage = Label("lblMsg");
    Child<QLineEdit>("txtName")->setText(QStringLiteral("typed name"));
    Child<QLineEdit>("txtTempo")->setText(QStringLiteral("99"));
    const QString sCount = Label("lblNoteCount");
    const QString sRemaining = Label("lblRemaining");
    QCOMPARE(Caption(), QStringLiteral("Conversion Results - [Clipboard]"));

    for (int i : {2, 1, 0}) {
        ClickOption(Child<QRadioButton>(QStringLiteral("optShowAs_%1").arg(i)));
        CNokia& nokia = CProgram::Nokia();
        QCOMPARE(nokia.ShowType, static_cast<int16_t>(i));
        QCOMPARE(Results(), CProgram::FromEngine(nokia.Notes.GetNotes(static_cast<int16_t>(i))));
        QCOMPARE(Box("txtName"), QStringLiteral("typed name"));
        QCOMPARE(Box("txtTempo"), QStringLiteral("99"));
        QCOMPARE(Label("lblNoteCount"), sCount);
        QCOMPARE(Label("lblRemaining"), sRemaining);
        QCOMPARE(Label("lblMsg"), sMessage);
        QCOMPARE(Caption(), QStringLiteral("Conversion Results - [Clipboard]"));
    }
    // The three forms really differ, so the check above saw each of them.
    QVERIFY(CProgram::Nokia().Notes.GetNotes(0) != CProgram::Nokia().Notes.GetNotes(2));
    QVERIFY(CWindowFixture::TakeShown().isEmpty());
}

void frmConverterTest::displayChoiceBeforeAnyRingtoneIsKept() {
    auto w = StartShown();
    ClickOption(Child<QRadioButton>("optShowAs_2"));
    QCOMPARE(CProgram::Nokia().ShowType, int16_t(2));
    QCOMPARE(Results(), QString());
    w->close();
    QCOMPARE(Store().value(QStringLiteral("Settings/ShowType")).toString(), QStringLiteral("2"));
}

void frmConverterTest::newKeepsOptionsAndFolder() {
    auto w = StartShown();
    Child<QRadioButton>("optSource_0")->setChecked(true);
    Child<QRadioButton>("optFile_0")->setChecked(true);
    Child<QRadioButton>("optShowAs_2")->setChecked(true);
    Get(LongTone());
    const std::string sFolder = CProgram::Nokia().FilePath;

    Child<QAction>("mnuFileNew")->trigger();

    const CNokia& nokia = CProgram::Nokia();
    QVERIFY(nokia.OriginalText.empty());
    QCOMPARE(nokia.Notes.Count(), 0);
    QCOMPARE(nokia.FilePath, sFolder);
    QCOMPARE(nokia.SourceType, 0);
    QCOMPARE(nokia.ShowType, int16_t(2));
    QVERIFY(Child<QRadioButton>("optSource_0")->isChecked());
    QVERIFY(Child<QRadioButton>("optFile_0")->isChecked());
    QVERIFY(Child<QRadioButton>("optShowAs_2")->isChecked());
    QCOMPARE(Results(), QString());
    QCOMPARE(Box("txtName"), QString());
    QCOMPARE(Label("lblNoteCount"), QStringLiteral("0"));
    QCOMPARE(Label("lblMsg"), QString());
    QCOMPARE(Caption(), QStringLiteral("Conversion Results"));
    QCOMPARE(w->focusWidget(), Child<QWidget>("optSource_1"));
}

void frmConverterTest::choicesAreSavedWhenExitIsChosen() {
    auto w = StartShown();
    ClickOption(Child<QRadioButton>("optSource_1"));
    ClickOption(Child<QRadioButton>("optFile_0"));
    ClickOption(Child<QRadioButton>("optShowAs_1"));

    Child<QAction>("mnuFileExit")->trigger();
    QVERIFY(!w->isVisible());

    QSettings settings = Store();
    settings.beginGroup(QStringLiteral("Settings"));
    QCOMPARE(settings.value(QStringLiteral("RingToneDirectory")).toString(),
             Folder(QStringLiteral("tones")));
    QCOMPARE(settings.value(QStringLiteral("SourceType")).toString(), QStringLiteral("1"));
    QCOMPARE(settings.value(QStringLiteral("ShowType")).toString(), QStringLiteral("1"));
    QCOMPARE(settings.value(QStringLiteral("FromFile")).toString(), QStringLiteral("True"));
}

void frmConverterTest::menuOpeningEnablesSaveAndExport_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");
    for (const auto& pair : {qMakePair(QStringLiteral("mnuFile"), QStringLiteral("mnuFileSave")),
                             qMakePair(QStringLiteral("mnuEdit"), QStringLiteral("mnuEditCopy"))}) {
        const QByteArray sMenu = pair.first.toLatin1();
        QTest::newRow(sMenu + " empty") << pair.first << pair.second << QString() << false;
        QTest::newRow(sMenu + " notes") << pair.first << pair.second << "8c 8d" << true;
        QTest::newRow(sMenu + " blanks only") << pair.first << pair.second << "   " << true;
        QTest::newRow(sMenu + " line break only") << pair.first << pair.second << "\n" << true;
    }
}

void frmConverterTest::menuOpeningEnablesSaveAndExport() {
    QFETCH(QString, menu);
    QFETCH(QString, item);
    QFETCH(QString, text);
    QFETCH(bool, enabled);
    auto w = StartShown();
    QMenu* pMenu = Child<QMenu>(menu);
    QAction* pItem = Child<QAction>(item);
    QTextEdit* pRtf = Child<QTextEdit>("rtf");

    // Start from the opposite state, so that opening must change it.
    pRtf->setPlainText(enabled ? QString() : QStringLiteral("x"));
    pMenu->popup(w->mapToGlobal(QPoint(10, 10)));
    pMenu->hide();
    QCOMPARE(pItem->isEnabled(), !enabled);

    // Typing alone changes nothing; opening the menu does.
    pRtf->setPlainText(text);
    QCOMPARE(pItem->isEnabled(), !enabled);
    pMenu->popup(w->mapToGlobal(QPoint(10, 10)));
    QCOMPARE(pItem->isEnabled(), enabled);
    pMenu->hide();
}

void frmConverterTest::helpAboutShowsTheAboutWindowModally() {
    StartShown();
    QString sTitle;
    QPointer<QWidget> about;
    bool bModal = false;
    const CModalAnswer answer([&](QWidget* pModal) {
        about = pModal;
        sTitle = pModal->windowTitle();
        bModal = pModal->isModal();
        Child<QPushButton>(pModal, QStringLiteral("cmdOK"))->click();
    });
    Child<QAction>("mnuHelpAbout")->trigger();
    QCOMPARE(sTitle, QStringLiteral("About..."));
    QVERIFY(bModal);
    // Made for each showing and gone when it closes.
    QVERIFY(about.isNull());
}

void frmConverterTest::webLinkOpensTheBrowserOnItsCaption() {
    // Not the first browser of the list.
    CRecordingProgram browser(m_pFixture->Programs(), QStringLiteral("sensible-browser"));
    StartShown();
    QLabel* pLink = Child<QLabel>("lblMyWeb");
    QCOMPARE(pLink->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(pLink, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(browser.WasStarted(), 15000);
    QCOMPARE(browser.Arguments(), QStringList{pLink->text()});
}

// A pipe where the settings file belongs: start-up must not wait on it.
// Should it wait all the same, a watchdog ends the test as failed.
void frmConverterTest::settingsPipeCountsAsNoSettings() {
    const QString sPath = CConverterSettings::FilePath();
    QVERIFY(QFile::remove(sPath) || !QFileInfo::exists(sPath));
    QVERIFY(QDir().mkpath(QFileInfo(sPath).path()));
    QCOMPARE(mkfifo(QFile::encodeName(sPath).constData(), 0600), 0);
    struct Watchdog {
        std::atomic<bool> bDone{false};
        std::thread thread{[this] {
            for (int i = 0; i < 300 && !bDone; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            if (!bDone) {
                std::fputs("FAIL: the window waited on the settings pipe\n", stderr);
                _exit(1);
            }
        }};
        ~Watchdog() {
            bDone = true;
            thread.join();
        }
    };
    bool bAbout = false;
    {
        Watchdog watchdog;
        auto w = Start(&bAbout);
        w->show();
        QVERIFY(w->close());
    }

    // No settings: a first run. Closing wrote them into a plain file.
    QVERIFY(bAbout);
    QVERIFY(QFileInfo(sPath).isFile());
    QSettings settings = Store();
    QCOMPARE(settings.fileName(), sPath);
    QCOMPARE(settings.value(QStringLiteral("Settings/FromFile")).toString(),
             QStringLiteral("False"));
}

void frmConverterTest::menuAccessKeysRunTheirItems_data() {
    QTest::addColumn<int>("iMenuKey");
    QTest::addColumn<QString>("sMenu");
    QTest::addColumn<int>("iItemKey");
    QTest::addColumn<QString>("sItem");

    QTest::newRow("File New") << int(Qt::Key_F) << "mnuFile" << int(Qt::Key_N) << "mnuFileNew";
    QTest::newRow("File Save") << int(Qt::Key_F) << "mnuFile" << int(Qt::Key_S) << "mnuFileSave";
    QTest::newRow("File Exit") << int(Qt::Key_F) << "mnuFile" << int(Qt::Key_X) << "mnuFileExit";
    QTest::newRow("Edit Export/Copy")
        << int(Qt::Key_E) << "mnuEdit" << int(Qt::Key_E) << "mnuEditCopy";
    QTest::newRow("Help Instructions")
        << int(Qt::Key_H) << "mnuHelp" << int(Qt::Key_I) << "mnuHelpInfo";
    QTest::newRow("Help About") << int(Qt::Key_H) << "mnuHelp" << int(Qt::Key_A) << "mnuHelpAbout";
}

void frmConverterTest::menuAccessKeysRunTheirItems() {
    QFETCH(int, iMenuKey);
    QFETCH(QString, sMenu);
    QFETCH(int, iItemKey);
    QFETCH(QString, sItem);
    QVERIFY(OpenForKeys());

    // Something to save or export, so that those items are enabled.
    qobject_cast<QTextEdit*>(Child(QStringLiteral("rtf")))->setPlainText(QStringLiteral("1 2 3"));
    auto* pMenu = TestWidgets::Child<QMenu>(m_pWindow.get(), sMenu);
    auto* pItem = TestWidgets::Child<QAction>(m_pWindow.get(), sItem);
    QVERIFY(pMenu && pItem);
    // Every item of every menu, to see that only the chosen one runs.
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    QStringList names;
    for (QAction* pAction : m_pWindow->findChildren<QAction*>()) {
        if (pAction->objectName().startsWith(QLatin1String("mnu")) && !pAction->isSeparator()) {
            spies.push_back(std::make_unique<QSignalSpy>(pAction, &QAction::triggered));
            names << pAction->objectName();
        }
    }
    QVERIFY(names.contains(sItem));
    // The About window is modal; close it once it is up.
    const CModalAnswer about([](QWidget* pAbout) { pAbout->close(); }, QStringLiteral("frmInfo"));

    QTest::keyClick(m_pWindow.get(), Qt::Key(iMenuKey), Qt::AltModifier);
    QTRY_VERIFY(pMenu->isVisible());
    QCOMPARE(QApplication::activePopupWidget(), pMenu);
    QTest::keyClick(pMenu, Qt::Key(iItemKey));

    QStringList ran;
    for (size_t i = 0; i < spies.size(); ++i)
        if (spies[i]->count() > 0)
            ran << names[static_cast<qsizetype>(i)] + QLatin1Char('x') +
                       QString::number(spies[i]->count());
    QCOMPARE(ran, QStringList{sItem + QStringLiteral("x1")});
    QVERIFY(!pMenu->isVisible());
}

void frmConverterTest::getAccessKeyPressesGet() {
    QVERIFY(OpenForKeys());
    // The clipboard choice with nothing on the clipboard: Get answers with
    // its own message, which shows that Get ran.
    qobject_cast<QRadioButton*>(Child(QStringLiteral("optFile_1")))->setChecked(true);
    QApplication::clipboard()->clear();
    auto* pGet = qobject_cast<QPushButton*>(Child(QStringLiteral("cmdGet")));
    QSignalSpy clicked(pGet, &QPushButton::clicked);

    QTest::keyClick(m_pWindow.get(), Qt::Key_G, Qt::AltModifier);

    // An access key shows the button going down and up before it acts.
    QTRY_COMPARE(clicked.count(), 1);
    const QList<ShownBox> shown = CWindowFixture::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().Title, QStringLiteral("No RingTone in Clipboard"));
}

void frmConverterTest::tabVisitsTheStepsInOrder_data() {
    QTest::addColumn<int>("iSource");
    QTest::addColumn<int>("iFile");
    QTest::addColumn<int>("iShowAs");
    QTest::addColumn<bool>("bChoose");
    // Tab stops at the chosen option of each group, whichever it is.
    QTest::newRow("as start-up chose them") << 0 << 1 << 0 << false;
    QTest::newRow("first options") << 0 << 0 << 0 << true;
    QTest::newRow("second options") << 1 << 1 << 1 << true;
    QTest::newRow("last display option") << 0 << 1 << 2 << true;
}

void frmConverterTest::tabVisitsTheStepsInOrder() {
    QFETCH(int, iSource);
    QFETCH(int, iFile);
    QFETCH(int, iShowAs);
    QFETCH(bool, bChoose);
    QVERIFY(OpenForKeys());
    for (const QString& sOption :
         {QStringLiteral("optSource_%1").arg(iSource), QStringLiteral("optFile_%1").arg(iFile),
          QStringLiteral("optShowAs_%1").arg(iShowAs)}) {
        auto* pOption = qobject_cast<QRadioButton*>(Child(sOption));
        if (bChoose)
            pOption->setChecked(true);
        QVERIFY(pOption->isChecked());
    }
    const QStringList expected = {QStringLiteral("optSource_%1").arg(iSource),
                                  QStringLiteral("optFile_%1").arg(iFile),
                                  QStringLiteral("cmdGet"),
                                  QStringLiteral("optShowAs_%1").arg(iShowAs),
                                  QStringLiteral("txtName"),
                                  QStringLiteral("txtTempo"),
                                  QStringLiteral("rtf")};

    Child(expected.first())->setFocus(Qt::TabFocusReason);
    QCOMPARE(FocusName(), expected.first());
    // Once round with Tab, back at the start...
    QStringList forward;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        forward << FocusName();
    }
    QCOMPARE(forward, expected.mid(1) + expected.mid(0, 1));
    // ...and once round the other way with Shift+Tab.
    QStringList backward;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        backward << FocusName();
    }
    QStringList reversed(expected.crbegin(), expected.crend());
    QCOMPARE(backward, reversed);
}

void frmConverterTest::arrowKeysChooseWithinAGroup_data() {
    QTest::addColumn<QString>("sFrom");
    QTest::addColumn<int>("iKey");
    QTest::addColumn<QString>("sTo");
    QTest::newRow("source down") << "optSource_0" << int(Qt::Key_Down) << "optSource_1";
    QTest::newRow("source up") << "optSource_1" << int(Qt::Key_Up) << "optSource_0";
    QTest::newRow("file down") << "optFile_0" << int(Qt::Key_Down) << "optFile_1";
    QTest::newRow("file up") << "optFile_1" << int(Qt::Key_Up) << "optFile_0";
    QTest::newRow("display down to composer")
        << "optShowAs_0" << int(Qt::Key_Down) << "optShowAs_1";
    QTest::newRow("display down to RTTTL") << "optShowAs_1" << int(Qt::Key_Down) << "optShowAs_2";
    QTest::newRow("display up") << "optShowAs_2" << int(Qt::Key_Up) << "optShowAs_1";
}

void frmConverterTest::arrowKeysChooseWithinAGroup() {
    QFETCH(QString, sFrom);
    QFETCH(int, iKey);
    QFETCH(QString, sTo);
    QVERIFY(OpenForKeys());
    auto* pFrom = qobject_cast<QRadioButton*>(Child(sFrom));
    auto* pTo = qobject_cast<QRadioButton*>(Child(sTo));
    pFrom->setChecked(true);
    pFrom->setFocus(Qt::TabFocusReason);

    QTest::keyClick(pFrom, Qt::Key(iKey));

    QCOMPARE(FocusName(), sTo);
    QVERIFY(pTo->isChecked());
    QVERIFY(!pFrom->isChecked());
}

void frmConverterTest::everyInputHasAnAccessibleName_data() {
    QTest::addColumn<QString>("sName");
    QTest::addColumn<QString>("sAccessible");
    auto row = [](const char* sName, const char* sAccessible) {
        QTest::newRow(sName) << QString::fromLatin1(sName) << QString::fromLatin1(sAccessible);
    };
    row("optSource_0", "RTTTL/Nokring");
    row("optSource_1", "Nokia 3210 Composer");
    row("optFile_0", "a File");
    row("optFile_1", "the Clipboard");
    row("optShowAs_0", "Keypresses");
    row("optShowAs_1", "3210 Composer");
    row("optShowAs_2", "RTTTL/Nokring");
    row("txtName", "Name");
    row("txtTempo", "Tempo");
    row("rtf", "Conversion Results");
    row("cmdFit", "Fit to Phone");
}

void frmConverterTest::everyInputHasAnAccessibleName() {
    QFETCH(QString, sName);
    QFETCH(QString, sAccessible);
    QVERIFY(OpenForKeys());
    // What a screen reader is told, not merely the property.
    QAccessibleInterface* pAccess = QAccessible::queryAccessibleInterface(Child(sName));
    QVERIFY(pAccess);
    QCOMPARE(pAccess->text(QAccessible::Name), sAccessible);
}

QTEST_MAIN(frmConverterTest)
#include "frmConverterTest.moc"
