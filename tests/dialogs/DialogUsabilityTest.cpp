#include "dialogs/CInstructions.h"
#include "dialogs/frmHelp.h"
#include "dialogs/frmInfo.h"
#include "dialogs/frmOpen.h"
#include "dialogs/frmSaveAs.h"
#include "engine/CNokia.h"
#include "tests/support/CWindowFixture.h"
#include "tests/support/Palettes.h"
#include "widgets/CContrast.h"
#include "widgets/CLauncher.h"
#include "widgets/CMessageBox.h"
#include "widgets/CProgram.h"
#include "widgets/CWindowPlacement.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <memory>

// What a person meets first in the dialogs: the keyboard, window buttons,
// colours, where files go, and a failed editor.
class DialogUsabilityTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { m_pFixture = std::make_unique<CWindowFixture>(); }

    void cleanup() {
        m_pFixture.reset();
        QApplication::setPalette(Palettes::Light());
    }

    void helpWindowTakesTheKeyboard_data() {
        QTest::addColumn<int>("iKey");
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter") << int(Qt::Key_Enter);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }

    void helpWindowTakesTheKeyboard() {
        QFETCH(int, iKey);
        QWidget owner;
        owner.show();
        QVERIFY(QTest::qWaitForWindowActive(&owner));
        QPointer<frmHelp> pHelp = new frmHelp(&owner);
        pHelp->setHelpNum(2);
        pHelp->Load();
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(pHelp.data()));
        QCOMPARE(QApplication::focusWidget(), pHelp->findChild<QPushButton*>("cmdOk"));

        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(iKey));
        QTRY_VERIFY(pHelp.isNull());
        QVERIFY(owner.isEnabled());
    }

    // No minimise or maximise button, and a window minimised all the same by
    // the window manager comes back at once.
    void modalWindowsCannotBeMinimisedAway_data() {
        QTest::addColumn<std::function<QWidget*(QWidget*)>>("fnMake");
        QTest::newRow("frmOpen") << std::function<QWidget*(QWidget*)>([this](QWidget* pOwner) {
            return new frmOpen(0, QDir::homePath(), m_pFixture->Folders(), pOwner);
        });
        QTest::newRow("frmSaveAs") << std::function<QWidget*(QWidget*)>(
            [](QWidget* pOwner) { return new frmSaveAs(pOwner); });
        QTest::newRow("frmInfo") << std::function<QWidget*(QWidget*)>(
            [](QWidget* pOwner) { return new frmInfo(pOwner); });
        QTest::newRow("frmHelp") << std::function<QWidget*(QWidget*)>(
            [](QWidget* pOwner) { return new frmHelp(pOwner); });
    }

    void modalWindowsCannotBeMinimisedAway() {
        QFETCH(std::function<QWidget*(QWidget*)>, fnMake);
        QWidget owner;
        owner.show();
        std::unique_ptr<QWidget> pWindow(fnMake(&owner));
        CheckButtons(pWindow->windowFlags());
        pWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(pWindow.get()));
        pWindow->setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(!pWindow->isMinimized());
        QVERIFY(pWindow->isVisible());
    }

    // The one Yes/No question asks whether to overwrite: Enter says No. Like
    // every box, it cannot be minimised away.
    void questionBoxDefaultsToNo() {
        Qt::WindowFlags flags;
        QString sDefault;
        CWindowFixture::Answer([&](QMessageBox* pBox) {
            flags = pBox->windowFlags();
            sDefault = pBox->defaultButton() ? pBox->defaultButton()->text() : QString();
            pBox->setWindowState(Qt::WindowMinimized);
            QTRY_VERIFY(!pBox->isMinimized());
            QTest::keyClick(pBox, Qt::Key_Return);
        });
        QWidget owner;
        owner.show();
        const CMessageBox::Result iAnswer = CMessageBox::Show(
            &owner,
            QStringLiteral("The file already exists.  Do you want to "
                           "overwrite it?"),
            QStringLiteral("Overwrite File?"), CMessageBox::NoIcon, CMessageBox::YesNo);
        QCOMPARE(iAnswer, CMessageBox::No);
        QCOMPARE(sDefault.remove(QLatin1Char('&')), QStringLiteral("No"));
        CheckButtons(flags);
    }

    // The document's colours where they read, the palette's otherwise; every
    // coloured text reads on its background.
    void colouredTextsRead_data() { Palettes::AddRows(); }

    void colouredTextsRead() {
        QFETCH(bool, bDark);
        QApplication::setPalette(bDark ? Palettes::Dark() : Palettes::Light());
        frmSaveAs saveAs;
        frmInfo about;
        const QList<QLabel*> labels{
            saveAs.findChild<QLabel*>("Label1"), about.findChild<QLabel*>("lblAppName"),
            about.findChild<QLabel*>("lblEmail"), about.findChild<QLabel*>("lblMyWeb")};
        for (const QLabel* pLabel : labels) {
            QVERIFY(pLabel);
            const QPalette pal = pLabel->palette();
            QVERIFY2(CContrast::Ratio(pal.color(QPalette::WindowText),
                                      pal.color(QPalette::Window)) >= CContrast::MinimumRatio,
                     qPrintable(pLabel->objectName()));
        }
        // The About window's picture is light in either palette: its link
        // keeps the document's blue.
        QCOMPARE(labels[3]->palette().color(QPalette::WindowText), QColor(0x00, 0x00, 0xff));
        QCOMPARE(labels[0]->palette().color(QPalette::WindowText) == QColor(Qt::darkBlue), !bDark);
    }

    void contrastRatio() {
        QCOMPARE(qRound(CContrast::Ratio(Qt::black, Qt::white) * 10), 210);
        QCOMPARE(CContrast::Ratio(Qt::white, Qt::white), 1.0);
        // Pure blue on dark grey, as the link was: does not read.
        QVERIFY(CContrast::Ratio(QColor(0, 0, 255), QColor(49, 54, 59)) < CContrast::MinimumRatio);
        QCOMPARE(CContrast::Readable({QColor(0, 0, 255), Qt::white}, QColor(49, 54, 59)),
                 QColor(Qt::white));
    }

    // A folder line in both file dialogs; the open dialog's list is walked
    // with the keyboard from its first file, and long names scroll.
    void openDialogKeyboardWalk() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString sLong = QStringLiteral("a ringtone with a name far too long for the list "
                                             "to show in its width at all.TXT");
        for (const QString& sName : {QStringLiteral("b.TXT"), QStringLiteral("c.TXT"), sLong}) {
            QFile file(dir.filePath(sName));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QString sFolder = QFileInfo(dir.path()).canonicalFilePath();
        CProgram::Nokia().FilePath = CProgram::ToEngine(sFolder);
        frmOpen dialog(0, sFolder, m_pFixture->Folders());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(dialog.findChild<QLineEdit*>("txtFolder")->text(),
                 QDir::toNativeSeparators(sFolder));

        auto* pList = dialog.findChild<QListWidget*>("File1");
        dialog.findChild<QTreeWidget*>("Dir1")->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(&dialog, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), pList);
        QCOMPARE(pList->currentRow(), 0);
        QCOMPARE(pList->selectedItems().size(), 1);
        QVERIFY(dialog.findChild<QPushButton*>("cmdOk")->isEnabled());
        QTest::keyClick(pList, Qt::Key_Down);
        QCOMPARE(pList->currentItem()->text(), QStringLiteral("b.TXT"));
        QVERIFY(pList->horizontalScrollBar()->maximum() > 0);

        frmSaveAs saveAs;
        saveAs.Prepare();
        QCOMPARE(saveAs.findChild<QLineEdit*>("txtFolder")->text(),
                 QDir::toNativeSeparators(sFolder));
    }

    // xdg-open starts, finds no program for the file and fails.
    void failedEditorIsReported() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile readme(dir.filePath(QStringLiteral("readme.txt")));
        QVERIFY(readme.open(QIODevice::WriteOnly));
        readme.close();
        QFile opener(QDir(m_pFixture->Programs()).filePath(QStringLiteral("xdg-open")));
        QVERIFY(opener.open(QIODevice::WriteOnly));
        opener.write("#!/bin/sh\nexit 3\n");
        opener.close();
        opener.setPermissions(QFile::ReadOwner | QFile::ExeOwner);

        CInstructions::Open(nullptr, CProgramFolders{dir.path()});
        QList<ShownBox> shown;
        QTRY_VERIFY((shown += CWindowFixture::TakeShown(), !shown.isEmpty()));
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].Title, QStringLiteral("Cannot open Readme.txt"));
    }

    // Centred where it fits; where it does not, the title bar stays on screen.
    void centredWithinTheScreen_data() {
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QSize>("outer");
        QTest::addColumn<QPoint>("corner");
        QTest::newRow("fits") << QRect(0, 0, 1024, 600) << QSize(700, 580) << QPoint(162, 10);
        QTest::newRow("below a panel")
            << QRect(0, 30, 1024, 570) << QSize(700, 600) << QPoint(162, 30);
        QTest::newRow("taller and wider")
            << QRect(0, 0, 910, 512) << QSize(1026, 819) << QPoint(0, 0);
    }

    void centredWithinTheScreen() {
        QFETCH(QRect, area);
        QFETCH(QSize, outer);
        QFETCH(QPoint, corner);
        QCOMPARE(CWindowPlacement::CentredIn(area, outer), corner);
    }

private:
    std::unique_ptr<CWindowFixture> m_pFixture;
    static void CheckButtons(Qt::WindowFlags flags) {
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(flags.testFlag(Qt::WindowTitleHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    }
};

QTEST_MAIN(DialogUsabilityTest)
#include "DialogUsabilityTest.moc"
