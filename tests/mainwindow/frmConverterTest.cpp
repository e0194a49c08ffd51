// The main window: start-up from the stored settings (and the first-run
// greeting), closing, the option groups, New, menu enabling and the web link.

#include "mainwindow/frmConverter.h"
#include "engine/CNokia.h"
#include "mainwindow/CConverterSettings.h"
#include "tests/support/CModalAnswer.h"
#include "tests/support/CRecordingProgram.h"
#include "tests/support/CWindowFixture.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestWidgets.h"
#include "widgets/CLauncher.h"
#include "widgets/CMessageBox.h"
#include "widgets/CProgram.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using TestWidgets::Child;

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

class frmConverterTest : public QObject {
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

private:
    QString Folder(const QString& sName) const;
    QString Resolve(const QString& sValue) const;
    void StoreSettings(const Settings& stored) const;
    // Builds the window, answering an About window if one appears. The
    // flags say whether it appeared, and whether the main window was
    // already visible at that moment.
    std::unique_ptr<frmConverter> Start(bool* pAboutShown = nullptr,
                                        bool* pMainVisibleThen = nullptr);
    std::unique_ptr<frmConverter> StartShown();
    // A real Get of the text, from the clipboard or from a file in the
    // ringtone folder, whichever the window's choice says.
    void Get(frmConverter& w, const QString& sText);

    std::unique_ptr<CWindowFixture> m_pFixture;
};

void frmConverterTest::init() {
    // No folder remembered: each test stores the settings it starts from.
    m_pFixture = std::make_unique<CWindowFixture>(false);
    QVERIFY(m_pFixture->IsValid());
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
    m_pFixture.reset();
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

std::unique_ptr<frmConverter> frmConverterTest::StartShown() {
    QSettings settings = Store();
    settings.setValue(QStringLiteral("Settings/RingToneDirectory"),
                      Folder(QStringLiteral("tones")));
    settings.sync();
    auto w = Start();
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get()))
        qWarning("main window not exposed");
    return w;
}

void frmConverterTest::Get(frmConverter& w, const QString& sText) {
    if (Child<QRadioButton>(&w, "optFile_1")->isChecked()) {
        QGuiApplication::clipboard()->setText(sText);
        Child<QPushButton>(&w, "cmdGet")->click();
        QVERIFY(!Child<QTextEdit>(&w, "rtf")->toPlainText().isEmpty());
        QVERIFY(!Child<QLabel>(&w, "lblMsg")->text().isEmpty());
        return;
    }
    const QString sName =
        CProgram::Nokia().SourceType == 0 ? QStringLiteral("get.TXT") : QStringLiteral("get.321");
    QVERIFY(WriteFile(QDir(CProgram::FromEngine(CProgram::Nokia().FilePath)).filePath(sName),
                      sText.toUtf8()));
    const CModalAnswer open([sName](QWidget* pOpen) {
        auto* pFiles = Child<QListWidget>(pOpen, QStringLiteral("File1"));
        pFiles->setCurrentItem(pFiles->findItems(sName, Qt::MatchExactly).value(0));
        Child<QPushButton>(pOpen, QStringLiteral("cmdOk"))->click();
    });
    Child<QPushButton>(&w, "cmdGet")->click();
    QVERIFY(open.Answered());
    QVERIFY(!Child<QTextEdit>(&w, "rtf")->toPlainText().isEmpty());
    QVERIFY(!Child<QLabel>(&w, "lblMsg")->text().isEmpty());
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
    auto w = StartShown();
    const QStringList expected = {
        QStringLiteral("optSource_0"), QStringLiteral("optSource_1"), QStringLiteral("optFile_0"),
        QStringLiteral("optFile_1"),   QStringLiteral("cmdGet"),      QStringLiteral("optShowAs_0"),
        QStringLiteral("optShowAs_1"), QStringLiteral("optShowAs_2"), QStringLiteral("txtName"),
        QStringLiteral("txtTempo"),    QStringLiteral("cmdPlay"),     QStringLiteral("rtf"),
        QStringLiteral("cmdFit")};
    // Follow the focus chain once round, from the first control on.
    QWidget* pStart = Child<QWidget>(w.get(), "optSource_0");
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
    auto w = StartShown();
    const QTextEdit* pRtf = Child<QTextEdit>(w.get(), "rtf");
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
    auto w = StartShown();
    // Start from the other choice of the group, with a ringtone shown.
    const QString sOther =
        option.left(option.size() - 1) +
        (option.endsWith(QLatin1Char('0')) ? QStringLiteral("1") : QStringLiteral("0"));
    Child<QRadioButton>(w.get(), sOther)->setChecked(true);
    if (option.startsWith(QLatin1String("optFile")))
        Child<QRadioButton>(w.get(), "optSource_0")->setChecked(true);
    Get(*w, LongTone());
    const std::string sFolder = CProgram::Nokia().FilePath;

    ClickOption(Child<QRadioButton>(w.get(), option));
    QVERIFY(Child<QRadioButton>(w.get(), option)->isChecked());

    const CNokia& nokia = CProgram::Nokia();
    QVERIFY(nokia.OriginalText.empty());
    QCOMPARE(nokia.Notes.Count(), 0);
    QCOMPARE(nokia.SourceType, sourceAfter);
    QCOMPARE(nokia.FilePath, sFolder);
    QCOMPARE(Child<QLineEdit>(w.get(), "txtName")->text(), QString());
    QCOMPARE(Child<QLineEdit>(w.get(), "txtTempo")->text(), QString());
    QCOMPARE(Child<QTextEdit>(w.get(), "rtf")->toPlainText(), QString());
    QCOMPARE(Child<QLabel>(w.get(), "lblNoteCount")->text(), QStringLiteral("0"));
    QCOMPARE(Child<QLabel>(w.get(), "lblRemaining")->text(), QString());
    QCOMPARE(Child<QLabel>(w.get(), "lblMsg")->text(), QString());
    QCOMPARE(Child<QGroupBox>(w.get(), "fraResults")->title(),
             QStringLiteral("Conversion Results"));

    // With the ringtone forgotten, a display choice has nothing to show.
    ClickOption(Child<QRadioButton>(w.get(), "optShowAs_1"));
    QCOMPARE(CProgram::Nokia().ShowType, int16_t(1));
    QCOMPARE(Child<QTextEdit>(w.get(), "rtf")->toPlainText(), QString());
}

void frmConverterTest::displayChoiceRerendersOnlyTheNotes() {
    auto w = StartShown();
    Child<QRadioButton>(w.get(), "optSource_0")->setChecked(true);
    Get(*w, LongTone());
    const QString sMessage = Child<QLabel>(w.get(), "lblMsg")->text();
    Child<QLineEdit>(w.get(), "txtName")->setText(QStringLiteral("typed name"));
    Child<QLineEdit>(w.get(), "txtTempo")->setText(QStringLiteral("99"));
    const QString sCount = Child<QLabel>(w.get(), "lblNoteCount")->text();
    const QString sRemaining = Child<QLabel>(w.get(), "lblRemaining")->text();

    for (int i : {2, 1, 0}) {
        ClickOption(Child<QRadioButton>(w.get(), QStringLiteral("optShowAs_%1").arg(i)));
        CNokia& nokia = CProgram::Nokia();
        QCOMPARE(nokia.ShowType, static_cast<int16_t>(i));
        QCOMPARE(Child<QTextEdit>(w.get(), "rtf")->toPlainText(),
                 CProgram::FromEngine(nokia.Notes.GetNotes(static_cast<int16_t>(i))));
        QCOMPARE(Child<QLineEdit>(w.get(), "txtName")->text(), QStringLiteral("typed name"));
        QCOMPARE(Child<QLineEdit>(w.get(), "txtTempo")->text(), QStringLiteral("99"));
        QCOMPARE(Child<QLabel>(w.get(), "lblNoteCount")->text(), sCount);
        QCOMPARE(Child<QLabel>(w.get(), "lblRemaining")->text(), sRemaining);
        QCOMPARE(Child<QLabel>(w.get(), "lblMsg")->text(), sMessage);
    }
    // The three forms really differ, so the check above saw each of them.
    QVERIFY(CProgram::Nokia().Notes.GetNotes(0) != CProgram::Nokia().Notes.GetNotes(2));
}

void frmConverterTest::displayChoiceBeforeAnyRingtoneIsKept() {
    auto w = StartShown();
    ClickOption(Child<QRadioButton>(w.get(), "optShowAs_2"));
    QCOMPARE(CProgram::Nokia().ShowType, int16_t(2));
    QCOMPARE(Child<QTextEdit>(w.get(), "rtf")->toPlainText(), QString());
    w->close();
    QCOMPARE(Store().value(QStringLiteral("Settings/ShowType")).toString(), QStringLiteral("2"));
}

void frmConverterTest::newKeepsOptionsAndFolder() {
    auto w = StartShown();
    Child<QRadioButton>(w.get(), "optSource_0")->setChecked(true);
    Child<QRadioButton>(w.get(), "optFile_0")->setChecked(true);
    Child<QRadioButton>(w.get(), "optShowAs_2")->setChecked(true);
    Get(*w, LongTone());
    const std::string sFolder = CProgram::Nokia().FilePath;

    Child<QAction>(w.get(), "mnuFileNew")->trigger();

    const CNokia& nokia = CProgram::Nokia();
    QVERIFY(nokia.OriginalText.empty());
    QCOMPARE(nokia.Notes.Count(), 0);
    QCOMPARE(nokia.FilePath, sFolder);
    QCOMPARE(nokia.SourceType, 0);
    QCOMPARE(nokia.ShowType, int16_t(2));
    QVERIFY(Child<QRadioButton>(w.get(), "optSource_0")->isChecked());
    QVERIFY(Child<QRadioButton>(w.get(), "optFile_0")->isChecked());
    QVERIFY(Child<QRadioButton>(w.get(), "optShowAs_2")->isChecked());
    QCOMPARE(Child<QTextEdit>(w.get(), "rtf")->toPlainText(), QString());
    QCOMPARE(Child<QLineEdit>(w.get(), "txtName")->text(), QString());
    QCOMPARE(Child<QLabel>(w.get(), "lblNoteCount")->text(), QStringLiteral("0"));
    QCOMPARE(Child<QLabel>(w.get(), "lblMsg")->text(), QString());
    QCOMPARE(Child<QGroupBox>(w.get(), "fraResults")->title(),
             QStringLiteral("Conversion Results"));
    QCOMPARE(w->focusWidget(), Child<QWidget>(w.get(), "optSource_1"));
}

void frmConverterTest::choicesAreSavedWhenExitIsChosen() {
    auto w = StartShown();
    ClickOption(Child<QRadioButton>(w.get(), "optSource_1"));
    ClickOption(Child<QRadioButton>(w.get(), "optFile_0"));
    ClickOption(Child<QRadioButton>(w.get(), "optShowAs_1"));

    Child<QAction>(w.get(), "mnuFileExit")->trigger();
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
    QMenu* pMenu = Child<QMenu>(w.get(), menu);
    QAction* pItem = Child<QAction>(w.get(), item);
    QTextEdit* pRtf = Child<QTextEdit>(w.get(), "rtf");

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
    auto w = StartShown();
    QString sTitle;
    QPointer<QWidget> about;
    bool bModal = false;
    const CModalAnswer answer([&](QWidget* pModal) {
        about = pModal;
        sTitle = pModal->windowTitle();
        bModal = pModal->isModal();
        Child<QPushButton>(pModal, QStringLiteral("cmdOK"))->click();
    });
    Child<QAction>(w.get(), "mnuHelpAbout")->trigger();
    QCOMPARE(sTitle, QStringLiteral("About..."));
    QVERIFY(bModal);
    // Made for each showing and gone when it closes.
    QVERIFY(about.isNull());
}

void frmConverterTest::webLinkOpensTheBrowserOnItsCaption() {
    // Not the first browser of the list.
    CRecordingProgram browser(m_pFixture->Programs(), QStringLiteral("sensible-browser"));
    auto w = StartShown();
    QLabel* pLink = Child<QLabel>(w.get(), "lblMyWeb");
    QCOMPARE(pLink->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(pLink, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(browser.WasStarted(), 15000);
    QCOMPARE(browser.Arguments(), QStringList{pLink->text()});
}

QTEST_MAIN(frmConverterTest)
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

#include "frmConverterTest.moc"
