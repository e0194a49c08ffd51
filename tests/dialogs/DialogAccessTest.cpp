// The dialogs without a mouse: their buttons' access keys, and the names
// screen readers announce for their inputs.

#include "dialogs/frmHelp.h"
#include "dialogs/frmInfo.h"
#include "dialogs/frmOpen.h"
#include "dialogs/frmSaveAs.h"
#include "engine/CNokia.h"
#include "tests/support/CModalAnswer.h"
#include "tests/support/CWindowFixture.h"
#include "tests/support/TestWidgets.h"
#include "widgets/CAccessibleName.h"
#include "widgets/CMessageBox.h"
#include "widgets/CProgram.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace {

// Shows the dialog modally; once it is up, runs fnFirst and presses Alt with
// the key. A key that presses no button leaves the dialog open, and it is
// then closed with the result -1; so is a dialog that a button should have
// closed but did not after a long while, failing the test instead of
// hanging it.
void ExecPressing(QDialog& dlg, Qt::Key iKey, const std::function<void()>& fnFirst = {}) {
    const CModalAnswer press([&dlg, iKey, fnFirst](QWidget*) {
        // Access keys reach the active window only.
        if (!QTest::qWaitForWindowActive(&dlg))
            return;
        if (fnFirst)
            fnFirst();
        QTest::keyClick(&dlg, iKey, Qt::AltModifier);
        // A button taken by its access key is down at once, and clicks a
        // moment later.
        bool bDown = false;
        for (const QPushButton* pButton : dlg.findChildren<QPushButton*>())
            bDown = bDown || pButton->isDown();
        if (!bDown)
            dlg.done(-1);
    });
    QTimer::singleShot(10000, &dlg, [&dlg] {
        if (dlg.isVisible())
            dlg.done(-1);
    });
    dlg.exec();
}

} // namespace

class DialogAccessTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void nameFromCaption_data();
    void nameFromCaption();
    void saveAsAccessKeys_data();
    void saveAsAccessKeys();
    void openAccessKeys_data();
    void openAccessKeys();
    void aboutOkAccessKey();
    void quickHelpOkAccessKey();
    void inputsHaveAccessibleNames_data();
    void inputsHaveAccessibleNames();

private:
    std::unique_ptr<CWindowFixture> m_pFixture;
};

void DialogAccessTest::init() {
    m_pFixture = std::make_unique<CWindowFixture>();
    QFile tone(m_pFixture->Path(QStringLiteral("tone.TXT")));
    QVERIFY(tone.open(QIODevice::WriteOnly));
    CProgram::Nokia().FilePath = CProgram::ToEngine(m_pFixture->Folder());
}

void DialogAccessTest::cleanup() {
    m_pFixture.reset();
}

void DialogAccessTest::nameFromCaption_data() {
    QTest::addColumn<QString>("sCaption");
    QTest::addColumn<QString>("sName");
    QTest::newRow("access key") << "&Get..."
                                << "Get...";
    QTest::newRow("label with colon") << "Name:"
                                      << "Name";
    QTest::newRow("colon and blanks") << " Tempo: "
                                      << "Tempo";
    QTest::newRow("doubled ampersand") << "Salt && &Pepper"
                                       << "Salt & Pepper";
    QTest::newRow("ampersand at the end") << "Tone &"
                                          << "Tone &";
    QTest::newRow("colon inside stays") << "Tempo: fast"
                                        << "Tempo: fast";
    QTest::newRow("empty") << ""
                           << "";
}

void DialogAccessTest::nameFromCaption() {
    QFETCH(QString, sCaption);
    QTEST(CAccessibleName::FromCaption(sCaption), "sName");
}

void DialogAccessTest::saveAsAccessKeys_data() {
    QTest::addColumn<int>("iKey");
    QTest::addColumn<bool>("bCancelled");
    QTest::addColumn<QString>("sFileName");
    QTest::newRow("Alt+O saves under the name") << int(Qt::Key_O) << false << "Tune.KEY";
    QTest::newRow("Alt+C cancels") << int(Qt::Key_C) << true << "before.TXT";
}

void DialogAccessTest::saveAsAccessKeys() {
    QFETCH(int, iKey);
    CProgram::Nokia().FileName = "before.TXT";
    frmSaveAs dlg;
    dlg.SaveAsType(0);
    dlg.Prepare();
    dlg.txtFilename()->setText(QStringLiteral("Tune"));

    ExecPressing(dlg, Qt::Key(iKey));

    QCOMPARE(dlg.result(), iKey == Qt::Key_O ? int(QDialog::Accepted) : int(QDialog::Rejected));
    QTEST(dlg.Cancelled(), "bCancelled");
    QTEST(CProgram::FromEngine(CProgram::Nokia().FileName), "sFileName");
}

void DialogAccessTest::openAccessKeys_data() {
    QTest::addColumn<bool>("bSelect");
    QTest::addColumn<int>("iKey");
    QTest::addColumn<int>("iResult");
    QTest::addColumn<QString>("sFileName");
    QTest::newRow("Alt+O takes the chosen file")
        << true << int(Qt::Key_O) << int(QDialog::Accepted) << "tone.TXT";
    // Ok is disabled until a file is chosen: its key does nothing either.
    QTest::newRow("Alt+O without a file") << false << int(Qt::Key_O) << -1 << "";
    QTest::newRow("Alt+C gives up") << true << int(Qt::Key_C) << int(QDialog::Rejected) << "";
}

void DialogAccessTest::openAccessKeys() {
    QFETCH(bool, bSelect);
    QFETCH(int, iKey);
    frmOpen dlg(0, CProgram::FromEngine(CProgram::Nokia().FilePath), m_pFixture->Folders());
    auto* pFiles = dlg.findChild<QListWidget*>(QStringLiteral("File1"));
    QVERIFY(pFiles);

    ExecPressing(dlg, Qt::Key(iKey), [pFiles, bSelect] {
        if (bSelect)
            pFiles->setCurrentRow(0);
    });

    QTEST(dlg.result(), "iResult");
    QTEST(CProgram::FromEngine(CProgram::Nokia().FileName), "sFileName");
}

void DialogAccessTest::aboutOkAccessKey() {
    frmInfo dlg;
    ExecPressing(dlg, Qt::Key_O);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
}

void DialogAccessTest::quickHelpOkAccessKey() {
    QWidget main;
    main.resize(400, 300);
    main.show();
    QPointer<frmHelp> pHelp = new frmHelp(&main);
    pHelp->setHelpNum(1);
    pHelp->Load();
    QTRY_VERIFY(!pHelp->isGrowing());
    QVERIFY(QTest::qWaitForWindowActive(pHelp));
    QCOMPARE(QApplication::focusWidget(), pHelp->findChild<QWidget*>(QStringLiteral("cmdOk")));

    QTest::keyClick(pHelp, Qt::Key_O, Qt::AltModifier);

    // Closed, and the main window usable again.
    QTRY_VERIFY(pHelp.isNull());
    QVERIFY(main.isEnabled());
}

void DialogAccessTest::inputsHaveAccessibleNames_data() {
    QTest::addColumn<QString>("sDialog");
    QTest::addColumn<QString>("sControl");
    QTest::addColumn<QString>("sName");
    QTest::newRow("open: drive list") << "frmOpen"
                                      << "Drive1"
                                      << "Drive";
    QTest::newRow("open: folder list") << "frmOpen"
                                       << "Dir1"
                                       << "Folder";
    QTest::newRow("open: file list") << "frmOpen"
                                     << "File1"
                                     << "File";
    QTest::newRow("save: name box") << "frmSaveAs"
                                    << "txtFilename"
                                    << "Filename";
    QTest::newRow("save: extension box") << "frmSaveAs"
                                         << "txtExtension"
                                         << "Extension";
}

void DialogAccessTest::inputsHaveAccessibleNames() {
    QFETCH(QString, sDialog);
    QFETCH(QString, sControl);
    std::unique_ptr<QDialog> pDialog;
    if (sDialog == QLatin1String("frmOpen"))
        pDialog = std::make_unique<frmOpen>(0, CProgram::FromEngine(CProgram::Nokia().FilePath),
                                            m_pFixture->Folders());
    else
        pDialog = std::make_unique<frmSaveAs>();
    auto* pControl = pDialog->findChild<QWidget*>(sControl);
    QVERIFY(pControl);
    // What a screen reader is told. On Linux the toolkit reports a drop-down
    // list's current entry as its name, and its label through relations, so
    // there the name given is for the other platforms.
    const QString sTold = qobject_cast<QComboBox*>(pControl)
                              ? pControl->accessibleName()
                              : TestWidgets::AccessibleName(pControl);
    QTEST(sTold, "sName");
}

QTEST_MAIN(DialogAccessTest)
#include "DialogAccessTest.moc"
