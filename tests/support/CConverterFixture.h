#pragma once
// The main window under test: a CWindowFixture with a converter on it, and the
// ways tests find its controls, read what it shows and get a ringtone into it.
// A test class derives from it, calls Begin() in init() and End() in cleanup().

#include "mainwindow/frmConverter.h"
#include "tests/support/CModalAnswer.h"
#include "tests/support/CWindowFixture.h"
#include "tests/support/TestWidgets.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <QTextEdit>

#include <functional>
#include <memory>

class CConverterFixture {
protected:
    // bRemember: see CWindowFixture. No window yet: Open() makes it.
    void Begin(bool bRemember = true) {
        m_pFixture = std::make_unique<CWindowFixture>(bRemember);
        QVERIFY(m_pFixture->IsValid());
    }
    void End() {
        m_pWindow.reset();
        m_pFixture.reset();
    }

    // A stored setting ("Settings/sKey") the next window starts from.
    static void StoreSetting(const QString& sKey, const QString& sValue) {
        QSettings settings(CProgram::Name(), CProgram::Name());
        settings.setValue("Settings/" + sKey, sValue);
        settings.sync();
    }

    // Builds and shows the window; bActive: it has the keyboard before the
    // test goes on.
    bool Open(bool bActive = false) {
        m_pWindow = std::make_unique<frmConverter>(m_pFixture->Folders());
        m_pWindow->show();
        if (!bActive)
            return QTest::qWaitForWindowExposed(m_pWindow.get());
        m_pWindow->activateWindow();
        return QTest::qWaitForWindowActive(m_pWindow.get());
    }

    template <typename T = QWidget> T* Child(const QString& sName) const {
        return TestWidgets::Child<T>(m_pWindow.get(), sName);
    }
    // A control of another window, a dialog say.
    template <typename T = QWidget> static T* Child(const QObject* pParent, const QString& sName) {
        return TestWidgets::Child<T>(pParent, sName);
    }
    QString Caption() const { return Child<QGroupBox>("fraResults")->title(); }
    QString Label(const QString& sName) const { return Child<QLabel>(sName)->text(); }
    QString Box(const QString& sName) const { return Child<QLineEdit>(sName)->text(); }
    QString Results() const { return Child<QTextEdit>("rtf")->toPlainText(); }

    // A file of the ringtone folder with exactly these bytes.
    QString Write(const QString& sName, const QByteArray& bytes) const {
        const QString sPath = m_pFixture->Path(sName);
        QFile file(sPath);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(sPath));
        return sPath;
    }

    // Name, tempo, display form and notes as if typed.
    void Fill(const QString& sName, const QString& sTempo, int iForm, const QString& sBody) const {
        Child<QRadioButton>(QStringLiteral("optShowAs_%1").arg(iForm))->setChecked(true);
        Child<QLineEdit>("txtName")->setText(sName);
        Child<QLineEdit>("txtTempo")->setText(sTempo);
        Child<QTextEdit>("rtf")->setPlainText(sBody);
    }

    // Step 1 and step 2: the notation and whether Get reads a file.
    void Choose(int iSourceType, bool bFromFile) const {
        Child<QRadioButton>(QString("optSource_%1").arg(iSourceType))->click();
        Child<QRadioButton>(bFromFile ? "optFile_0" : "optFile_1")->click();
    }

    // Presses Get; when the open dialog appears, fnAnswer works it.
    void GetWithDialog(const std::function<void(QDialog*)>& fnAnswer) const {
        const CModalAnswer answer(
            [&fnAnswer](QWidget* pModal) { fnAnswer(qobject_cast<QDialog*>(pModal)); });
        Child<QPushButton>("cmdGet")->click();
        QVERIFY(answer.Answered());
    }

    // Presses Get and picks the file in the open dialog.
    void GetFile(const QString& sName) const {
        GetWithDialog([sName](QDialog* pDialog) {
            auto* pList = TestWidgets::Child<QListWidget>(pDialog, "File1");
            const QList<QListWidgetItem*> found = pList->findItems(sName, Qt::MatchExactly);
            QCOMPARE(found.size(), 1);
            pList->setCurrentItem(found.first());
            TestWidgets::Child<QPushButton>(pDialog, "cmdOk")->click();
        });
    }

    void GetClipboard(const QString& sText) const {
        QGuiApplication::clipboard()->setText(sText);
        Child<QPushButton>("cmdGet")->click();
    }

    // Presses Save; in the Save-As dialog, sName (if any) replaces the
    // proposed name before OK.
    void SaveTone(const QString& sName = QString()) const {
        const CModalAnswer answer([sName](QWidget* pDialog) {
            if (!sName.isEmpty())
                TestWidgets::Child<QLineEdit>(pDialog, "txtFilename")->setText(sName);
            TestWidgets::Child<QPushButton>(pDialog, "cmdOk")->click();
        });
        Child<QAction>("mnuFileSave")->trigger();
        QVERIFY(answer.Answered());
    }

    // Alt+E, then the item's access key in the open Edit menu.
    void EditMenuKey(Qt::Key iKey) const {
        auto* pMenu = Child<QMenu>("mnuEdit");
        QTest::keyClick(m_pWindow.get(), Qt::Key_E, Qt::AltModifier);
        QTRY_VERIFY(pMenu->isVisible());
        QTest::keyClick(pMenu, iKey);
        QTRY_VERIFY(!pMenu->isVisible());
    }

    std::unique_ptr<CWindowFixture> m_pFixture;
    std::unique_ptr<frmConverter> m_pWindow;
};
