#include "dialogs/frmSaveAs.h"
#include "engine/CNokia.h"
#include "tests/support/CWindowFixture.h"
#include "widgets/CMessageBox.h"
#include "widgets/CProgram.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace {
// Runs fnWhileOpen once the dialog is on screen, then shows it modally.
// Whatever happens in fnWhileOpen, the dialog does not stay open.
int RunModal(frmSaveAs& dlg, const std::function<void()>& fnWhileOpen) {
    QTimer::singleShot(0, &dlg, [&dlg, fnWhileOpen] {
        QVERIFY(QApplication::activeModalWidget() == &dlg);
        fnWhileOpen();
        if (dlg.isVisible())
            dlg.done(QDialog::Rejected);
    });
    return dlg.exec();
}

// Types the text key by key, letters outside ASCII included.
void TypeText(QWidget* pWidget, const QString& sText) {
    for (const QChar ch : sText)
        QTest::sendKeyEvent(QTest::Click, pWidget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

QPushButton* Button(frmSaveAs& dlg, const char* pName) {
    return dlg.findChild<QPushButton*>(QString::fromLatin1(pName));
}
} // namespace

class frmSaveAsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { m_pFixture = std::make_unique<CWindowFixture>(); }
    void cleanup() { m_pFixture.reset(); }

    void preparesForKind_data();
    void preparesForKind();
    void okStoresNameWithExtension_data();
    void okStoresNameWithExtension();
    void emptyNameIsRefusedEveryTime();
    void closingWithoutOkCancels_data();
    void closingWithoutOkCancels();
    void nextPreparationIsNotCancelled();
    void proposedNameIsSelectedWhole();

private:
    std::unique_ptr<CWindowFixture> m_pFixture;
};

void frmSaveAsTest::preparesForKind_data() {
    QTest::addColumn<int>("iType");
    QTest::addColumn<QString>("sCaption");
    QTest::addColumn<QString>("sSaveType");
    QTest::addColumn<QString>("sExtension");

    QTest::newRow("keypresses") << 0 << "Save Keypress File As..."
                                << "You are saving a KEYPRESS file."
                                << ".KEY";
    QTest::newRow("composer") << 1 << "Save Composer File As..."
                              << "You are saving a COMPOSER file."
                              << ".321";
    QTest::newRow("rtttl") << 2 << "Save RTTTL File As..."
                           << "You are saving a RTTTL file."
                           << ".TXT";
    QTest::newRow("three") << 3 << "Save"
                           << ""
                           << ".TXT";
    QTest::newRow("negative") << -1 << "Save"
                              << ""
                              << ".TXT";
    QTest::newRow("largest") << 32767 << "Save"
                             << ""
                             << ".TXT";
}

void frmSaveAsTest::preparesForKind() {
    QFETCH(int, iType);
    QFETCH(QString, sCaption);
    QFETCH(QString, sSaveType);
    QFETCH(QString, sExtension);

    frmSaveAs dlg;
    // A kind with texts of its own first: the next preparation must not
    // keep any of them.
    dlg.SaveAsType(0);
    dlg.Prepare();
    dlg.txtFilename()->setText(QStringLiteral("left over"));

    dlg.SaveAsType(static_cast<int16_t>(iType));
    dlg.Prepare();
    QCOMPARE(dlg.windowTitle(), sCaption);
    QCOMPARE(dlg.findChild<QLabel*>(QStringLiteral("lblSaveType"))->text(), sSaveType);
    auto* pExtension = dlg.findChild<QLineEdit*>(QStringLiteral("txtExtension"));
    QCOMPARE(pExtension->text(), sExtension);
    QVERIFY(!pExtension->isEnabled());
    QVERIFY(dlg.txtFilename()->text().isEmpty());
    QVERIFY(!dlg.Cancelled());
}

void frmSaveAsTest::okStoresNameWithExtension_data() {
    QTest::addColumn<int>("iType");
    QTest::addColumn<QString>("sTyped");
    QTest::addColumn<QString>("sFileName");

    QTest::newRow("rtttl") << 2 << "tune"
                           << "tune.TXT";
    QTest::newRow("composer") << 1 << "tune"
                              << "tune.321";
    QTest::newRow("keypresses") << 0 << "tune"
                                << "tune.KEY";
    QTest::newRow("other kind") << 7 << "tune"
                                << "tune.TXT";
    QTest::newRow("extension typed too") << 2 << "tune.TXT"
                                         << "tune.TXT.TXT";
    QTest::newRow("blanks only") << 1 << "  "
                                 << "  .321";
    QTest::newRow("blanks kept") << 0 << " my tune "
                                 << " my tune .KEY";
    QTest::newRow("not ascii") << 2 << "Für Elise"
                               << "Für Elise.TXT";
}

void frmSaveAsTest::okStoresNameWithExtension() {
    QFETCH(int, iType);
    QFETCH(QString, sTyped);
    QFETCH(QString, sFileName);

    CProgram::Nokia().FileName = "old.TXT";
    frmSaveAs dlg;
    dlg.SaveAsType(static_cast<int16_t>(iType));
    dlg.txtFilename()->setText(QStringLiteral("proposed"));
    const int iResult = RunModal(dlg, [&] {
        // Typing replaces the proposed name, which is selected.
        TypeText(dlg.txtFilename(), sTyped);
        QTest::mouseClick(Button(dlg, "cmdOk"), Qt::LeftButton);
    });

    QCOMPARE(iResult, int(QDialog::Accepted));
    QVERIFY(!dlg.Cancelled());
    QCOMPARE(CProgram::FromEngine(CProgram::Nokia().FileName), sFileName);
    QVERIFY(CWindowFixture::TakeShown().isEmpty());
}

void frmSaveAsTest::emptyNameIsRefusedEveryTime() {
    CProgram::Nokia().FileName = "old.TXT";
    frmSaveAs dlg;
    dlg.SaveAsType(2);
    dlg.txtFilename()->clear();
    RunModal(dlg, [&] {
        for (int i = 0; i < 3; ++i) {
            QTest::mouseClick(Button(dlg, "cmdOk"), Qt::LeftButton);
            QVERIFY(dlg.isVisible());
        }
        QTest::keyClick(dlg.txtFilename(), Qt::Key_Return);
        QVERIFY(dlg.isVisible());
        QCOMPARE(CProgram::Nokia().FileName, std::string("old.TXT"));

        const QList<ShownBox> shown = CWindowFixture::TakeShown();
        QCOMPARE(shown.size(), 4);
        for (const ShownBox& record : shown) {
            QCOMPARE(record.Text, QStringLiteral("Please enter a valid filename."));
            QCOMPARE(record.Title, QStringLiteral("No filename"));
            QCOMPARE(record.IconKind, CMessageBox::Information);
            QCOMPARE(record.ButtonSet, CMessageBox::OkOnly);
        }

        // The dialog still takes a name after the refusals.
        QTest::keyClicks(dlg.txtFilename(), QStringLiteral("x"));
        QTest::keyClick(dlg.txtFilename(), Qt::Key_Return);
    });
    QVERIFY(!dlg.Cancelled());
    QCOMPARE(CProgram::Nokia().FileName, std::string("x.TXT"));
}

void frmSaveAsTest::closingWithoutOkCancels_data() {
    QTest::addColumn<int>("iWay");
    QTest::newRow("cancel button") << 0;
    QTest::newRow("escape key") << 1;
    QTest::newRow("title bar") << 2;
}

void frmSaveAsTest::closingWithoutOkCancels() {
    QFETCH(int, iWay);

    CProgram::Nokia().FileName = "old.321";
    frmSaveAs dlg;
    dlg.SaveAsType(1);
    dlg.txtFilename()->setText(QStringLiteral("typed"));
    const int iResult = RunModal(dlg, [&] {
        switch (iWay) {
        case 0:
            QTest::mouseClick(Button(dlg, "cmdCancel"), Qt::LeftButton);
            break;
        case 1:
            QTest::keyClick(dlg.txtFilename(), Qt::Key_Escape);
            break;
        default:
            // What the window manager's close button sends.
            QVERIFY(dlg.close());
            break;
        }
        QVERIFY(!dlg.isVisible());
    });

    QCOMPARE(iResult, int(QDialog::Rejected));
    QVERIFY(dlg.Cancelled());
    QCOMPARE(CProgram::Nokia().FileName, std::string("old.321"));
}

void frmSaveAsTest::nextPreparationIsNotCancelled() {
    frmSaveAs dlg;
    dlg.SaveAsType(2);
    dlg.txtFilename()->setText(QStringLiteral("first"));
    RunModal(dlg, [&] { QTest::mouseClick(Button(dlg, "cmdCancel"), Qt::LeftButton); });
    QVERIFY(dlg.Cancelled());

    // The caller's first use of the name box prepares the next showing.
    dlg.SaveAsType(0);
    QVERIFY(dlg.txtFilename()->text().isEmpty());
    QVERIFY(!dlg.Cancelled());
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Save Keypress File As..."));
    dlg.txtFilename()->setText(QStringLiteral("second"));
    RunModal(dlg, [&] { QTest::mouseClick(Button(dlg, "cmdOk"), Qt::LeftButton); });
    QVERIFY(!dlg.Cancelled());
    QCOMPARE(CProgram::Nokia().FileName, std::string("second.KEY"));
}

void frmSaveAsTest::proposedNameIsSelectedWhole() {
    frmSaveAs dlg;
    dlg.SaveAsType(2);
    dlg.txtFilename()->setText(QStringLiteral("jingle"));
    RunModal(dlg, [&] {
        QVERIFY(dlg.focusWidget() == dlg.txtFilename());
        QCOMPARE(dlg.txtFilename()->selectedText(), QStringLiteral("jingle"));
        QTest::mouseClick(Button(dlg, "cmdOk"), Qt::LeftButton);
    });
    QCOMPARE(CProgram::Nokia().FileName, std::string("jingle.TXT"));
}

QTEST_MAIN(frmSaveAsTest)
#include "frmSaveAsTest.moc"
