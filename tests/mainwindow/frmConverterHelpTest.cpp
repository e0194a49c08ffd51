#include "dialogs/frmHelp.h"
#include "engine/CNokia.h"
#include "mainwindow/frmConverter.h"
#include "tests/support/CWindowFixture.h"
#include "widgets/CMessageBox.h"
#include "widgets/CProgram.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// The main window's way into quick help and the instructions.
class frmConverterHelpTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CWindowFixture> m_pFixture;

private Q_SLOTS:
    void init() { m_pFixture = std::make_unique<CWindowFixture>(); }
    void cleanup() { m_pFixture.reset(); }

    void numberedLabelOpensItsHelp_data() {
        QTest::addColumn<int>("iIndex");
        for (int i = 0; i < 4; ++i)
            QTest::addRow("lblNum_%d", i) << i;
    }

    void numberedLabelOpensItsHelp() {
        QFETCH(int, iIndex);

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
        frmConverter window(m_pFixture->Folders());
        window.show();
        auto* pSquare = window.findChild<QLabel*>(QStringLiteral("lblNum1"));
        QVERIFY(pSquare);
        QTest::mouseClick(pSquare, Qt::LeftButton);
        QVERIFY(!window.findChild<frmHelp*>());
        QVERIFY(window.isEnabled());
    }

    void instructionsMenuLooksForReadme() {
        QTemporaryDir empty;
        QVERIFY(empty.isValid());
        frmConverter window(CProgramFolders{empty.path()});
        window.findChild<QAction*>(QStringLiteral("mnuHelpInfo"))->trigger();
        const QList<ShownBox> shown = CWindowFixture::TakeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].Title, QStringLiteral("Readme.txt not found"));
    }
};

QTEST_MAIN(frmConverterHelpTest)
#include "frmConverterHelpTest.moc"
