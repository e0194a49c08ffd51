// Fit to Phone and Undo Fit in the real window, from the keyboard: the
// fitted ringtone takes the place of the one got, and Undo gives that back.

#include "engine/CNokia.h"
#include "mainwindow/frmConverter.h"
#include "tests/support/CWindowFixture.h"
#include "tests/support/TestText.h"
#include "tests/support/TestWidgets.h"
#include "widgets/CMessageBox.h"
#include "widgets/CProgram.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <QTextEdit>
#include <memory>

using TestText::Repeat;

class frmConverterFitTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CWindowFixture> m_pFixture;
    std::unique_ptr<frmConverter> m_pWindow;

    template <typename T> T* Child(const QString& sName) const {
        return TestWidgets::Child<T>(m_pWindow.get(), sName);
    }
    QString Label(const QString& sName) const { return Child<QLabel>(sName)->text(); }
    QString Results() const { return Child<QTextEdit>("rtf")->toPlainText(); }

    // Alt+E, then the item's access key in the open Edit menu.
    void EditMenuKey(Qt::Key iKey) {
        auto* pMenu = Child<QMenu>("mnuEdit");
        QTest::keyClick(m_pWindow.get(), Qt::Key_E, Qt::AltModifier);
        QTRY_VERIFY(pMenu->isVisible());
        QTest::keyClick(pMenu, iKey);
        QTRY_VERIFY(!pMenu->isVisible());
    }

private Q_SLOTS:
    void init() {
        m_pFixture = std::make_unique<CWindowFixture>();
        QSettings settings("Ringwright", "Ringwright");
        settings.setValue("Settings/FromFile", "False");
        settings.setValue("Settings/SourceType", "0");
        settings.setValue("Settings/ShowType", "1");
        settings.sync();
        m_pWindow = std::make_unique<frmConverter>(m_pFixture->Folders());
        m_pWindow->show();
        m_pWindow->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_pWindow.get()));
        CWindowFixture::TakeShown();
    }

    void cleanup() {
        m_pWindow.reset();
        m_pFixture.reset();
    }

    void fitThenUndo() {
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
        QCOMPARE(Child<QLineEdit>("txtName")->text(), QString("Tone"));
        QCOMPARE(Child<QLineEdit>("txtTempo")->text(), QString("100"));
        QCOMPARE(Child<QGroupBox>("fraResults")->title(),
                 QString("Conversion Results - [Clipboard]"));
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
        QApplication::clipboard()->setText("Tone:d=4,o=5,b=100:8c,8d");
        Child<QPushButton>("cmdGet")->click();
        QCOMPARE(Label("lblNoteCount"), QString("2"));
        QVERIFY(!Child<QPushButton>("cmdFit")->isEnabled());
        QVERIFY(!Child<QAction>("mnuFit")->isEnabled());
    }
};

QTEST_MAIN(frmConverterFitTest)
#include "frmConverterFitTest.moc"
