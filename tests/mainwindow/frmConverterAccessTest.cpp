// The main window without a mouse: access keys for the menus and the Get
// button, the Tab order through the three steps and the results, the arrow
// keys within an option group, and the names screen readers announce.

#include "engine/CNokia.h"
#include "mainwindow/frmConverter.h"
#include "tests/support/CModalAnswer.h"
#include "tests/support/CRecordingProgram.h"
#include "tests/support/CWindowFixture.h"
#include "tests/support/TestWidgets.h"
#include "widgets/CLauncher.h"
#include "widgets/CMessageBox.h"
#include "widgets/CProgram.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <memory>
#include <vector>

class frmConverterAccessTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void menuAccessKeysRunTheirItems_data();
    void menuAccessKeysRunTheirItems();
    void getAccessKeyPressesGet();
    void tabVisitsTheStepsInOrder_data();
    void tabVisitsTheStepsInOrder();
    void arrowKeysChooseWithinAGroup_data();
    void arrowKeysChooseWithinAGroup();
    void everyInputHasAnAccessibleName_data();
    void everyInputHasAnAccessibleName();

private:
    QWidget* Child(const QString& sName) {
        return TestWidgets::Child<QWidget>(m_pWindow.get(), sName);
    }
    QString FocusName() const {
        const QWidget* p = QApplication::focusWidget();
        return p ? p->objectName() : QStringLiteral("<none>");
    }

    std::unique_ptr<CWindowFixture> m_pFixture;
    std::unique_ptr<CRecordingProgram> m_pEditor;
    std::unique_ptr<frmConverter> m_pWindow;
};

void frmConverterAccessTest::init() {
    m_pFixture = std::make_unique<CWindowFixture>();
    QVERIFY(m_pFixture->IsValid());
    // Help > Instructions may start an editor: only this stand-in.
    m_pEditor =
        std::make_unique<CRecordingProgram>(m_pFixture->Programs(), QStringLiteral("xdg-open"));

    m_pWindow = std::make_unique<frmConverter>(m_pFixture->Folders());
    m_pWindow->show();
    m_pWindow->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_pWindow.get()));
    CWindowFixture::TakeShown();
}

void frmConverterAccessTest::cleanup() {
    m_pWindow.reset();
    m_pEditor.reset();
    m_pFixture.reset();
}

void frmConverterAccessTest::menuAccessKeysRunTheirItems_data() {
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

void frmConverterAccessTest::menuAccessKeysRunTheirItems() {
    QFETCH(int, iMenuKey);
    QFETCH(QString, sMenu);
    QFETCH(int, iItemKey);
    QFETCH(QString, sItem);

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

void frmConverterAccessTest::getAccessKeyPressesGet() {
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

void frmConverterAccessTest::tabVisitsTheStepsInOrder_data() {
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

void frmConverterAccessTest::tabVisitsTheStepsInOrder() {
    QFETCH(int, iSource);
    QFETCH(int, iFile);
    QFETCH(int, iShowAs);
    QFETCH(bool, bChoose);
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

void frmConverterAccessTest::arrowKeysChooseWithinAGroup_data() {
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

void frmConverterAccessTest::arrowKeysChooseWithinAGroup() {
    QFETCH(QString, sFrom);
    QFETCH(int, iKey);
    QFETCH(QString, sTo);
    auto* pFrom = qobject_cast<QRadioButton*>(Child(sFrom));
    auto* pTo = qobject_cast<QRadioButton*>(Child(sTo));
    pFrom->setChecked(true);
    pFrom->setFocus(Qt::TabFocusReason);

    QTest::keyClick(pFrom, Qt::Key(iKey));

    QCOMPARE(FocusName(), sTo);
    QVERIFY(pTo->isChecked());
    QVERIFY(!pFrom->isChecked());
}

void frmConverterAccessTest::everyInputHasAnAccessibleName_data() {
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

void frmConverterAccessTest::everyInputHasAnAccessibleName() {
    QFETCH(QString, sName);
    QFETCH(QString, sAccessible);
    // What a screen reader is told, not merely the property.
    QAccessibleInterface* pAccess = QAccessible::queryAccessibleInterface(Child(sName));
    QVERIFY(pAccess);
    QCOMPARE(pAccess->text(QAccessible::Name), sAccessible);
}

QTEST_MAIN(frmConverterAccessTest)
#include "frmConverterAccessTest.moc"
