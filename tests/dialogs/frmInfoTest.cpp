// The About window and the browser it opens from its web link.

#include "dialogs/frmInfo.h"
#include "tests/support/CRecordingProgram.h"
#include "tests/support/CWindowFixture.h"
#include "widgets/CLauncher.h"
#include "widgets/CMessageBox.h"
#include "widgets/CProgram.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <map>
#include <memory>

class frmInfoTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void showsNameVersionAndAuthor();
    void fillsItsPictureExactly();
    void nothingIsCutOff();
    void onlyOkTakesTheFocus();
    void okClosesTheModalWindow();
    void webLinkOpensTheBrowserOnItsCaption();
    void emailIsNotALink();

    void launchBrowserStartsTheFirstCandidateFound_data();
    void launchBrowserStartsTheFirstCandidateFound();
    void launchBrowserFindsProgramsOnThePath();
    void launchBrowserWithoutAnyBrowserDoesNothing();

private:
    QLabel* Label(frmInfo& about, const char* sName) {
        auto* p = about.findChild<QLabel*>(QString::fromLatin1(sName));
        if (!p)
            qFatal("no label %s", sName);
        return p;
    }

    std::unique_ptr<CWindowFixture> m_pFixture;
};

void frmInfoTest::init() {
    m_pFixture = std::make_unique<CWindowFixture>();
    QVERIFY(m_pFixture->IsValid());
}

void frmInfoTest::cleanup() {
    m_pFixture.reset();
}

void frmInfoTest::showsNameVersionAndAuthor() {
    frmInfo about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About..."));
    QCOMPARE(Label(about, "lblAppName")->text(), QStringLiteral("Ringwright V2.0"));
    QCOMPARE(Label(about, "lblMsg3")->text(),
             QStringLiteral("This program is provided free of charge and may be distributed "
                            "freely.  I hope it is found to be useful."));
    QCOMPARE(Label(about, "Label2")->text(), QStringLiteral("Visit my web-site for updates:"));

    const QString sMsg4 = Label(about, "lblMsg4")->text().simplified();
    QVERIFY(sMsg4.startsWith(QStringLiteral("Please direct any comments/suggestions to")));
    QVERIFY(sMsg4.endsWith(frmInfo::AuthorName() + QStringLiteral(" at")));
    QCOMPARE(Label(about, "lblEmail")->text(), frmInfo::AuthorEmail());
    QVERIFY(frmInfo::AuthorEmail().contains(QLatin1Char('@')));
    QCOMPARE(Label(about, "lblMyWeb")->text(), frmInfo::WebAddress());
    // A year and the author's name.
    const QString sNotice = Label(about, "Label4")->text();
    QVERIFY(sNotice.contains(frmInfo::AuthorName()));
    QVERIFY(sNotice.contains(QRegularExpression(QStringLiteral("\\b\\d{4}\\b"))));
    // The web address is something a browser takes on its command line.
    QVERIFY(frmInfo::WebAddress().startsWith(QLatin1String("http")));
    QVERIFY(!frmInfo::WebAddress().contains(QLatin1Char(' ')));
}

void frmInfoTest::fillsItsPictureExactly() {
    frmInfo about;
    QCOMPARE(about.minimumSize(), QSize(446, 161));
    QCOMPARE(about.maximumSize(), QSize(446, 161));
    QCOMPARE(QPixmap(QStringLiteral(":/pictures/about-background.png")).size(), QSize(446, 161));
    const QLabel* pImage = Label(about, "Image1");
    QCOMPARE(pImage->pixmap().size(), QSize(55, 86));
    QCOMPARE(pImage->size(), QSize(55, 86));
    QVERIFY(about.findChild<QWidget*>(QStringLiteral("Line1")));
    QVERIFY(about.findChild<QWidget*>(QStringLiteral("Line2")));
    // The picture shows through every label.
    for (const QLabel* pLabel : about.findChildren<QLabel*>())
        QVERIFY2(!pLabel->autoFillBackground(), qPrintable(pLabel->objectName()));
}

void frmInfoTest::nothingIsCutOff() {
    frmInfo about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    const QRect area = about.rect();
    for (const QWidget* pChild : about.findChildren<QWidget*>()) {
        if (pChild->objectName().isEmpty())
            continue;
        const QRect placed(pChild->mapTo(&about, QPoint(0, 0)), pChild->size());
        QVERIFY2(area.contains(placed), qPrintable(pChild->objectName()));
        if (auto* pLabel = qobject_cast<const QLabel*>(pChild)) {
            const int iNeeded = pLabel->wordWrap() ? pLabel->heightForWidth(pLabel->width())
                                                   : pLabel->sizeHint().height();
            QVERIFY2(pLabel->height() >= iNeeded, qPrintable(pLabel->objectName()));
            if (!pLabel->wordWrap())
                QVERIFY2(pLabel->width() >= pLabel->sizeHint().width(),
                         qPrintable(pLabel->objectName()));
        }
    }
    // The e-mail address continues the second line of lblMsg4, after "at".
    const QLabel* pMsg4 = Label(about, "lblMsg4");
    const QLabel* pEmail = Label(about, "lblEmail");
    const int iAfterAt =
        pMsg4->mapTo(&about, QPoint(0, 0)).x() +
        pMsg4->fontMetrics().horizontalAdvance(frmInfo::AuthorName() + QStringLiteral(" at"));
    QVERIFY(pEmail->mapTo(&about, QPoint(0, 0)).x() > iAfterAt);
    QVERIFY(pEmail->mapTo(&about, QPoint(0, 0)).y() >=
            pMsg4->mapTo(&about, QPoint(0, 0)).y() + pMsg4->height() / 3);
}

void frmInfoTest::onlyOkTakesTheFocus() {
    frmInfo about;
    auto* pOk = about.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    QVERIFY(pOk);
    QCOMPARE(pOk->text(), QStringLiteral("&Ok"));
    QVERIFY(pOk->isDefault());
    for (const QWidget* pChild : about.findChildren<QWidget*>())
        if (pChild != pOk)
            QVERIFY2(pChild->focusPolicy() == Qt::NoFocus, qPrintable(pChild->objectName()));
}

void frmInfoTest::okClosesTheModalWindow() {
    frmInfo about;
    QWidget* pSeen = nullptr;
    QTimer::singleShot(0, &about, [&] {
        pSeen = QApplication::activeModalWidget();
        QTest::mouseClick(about.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    });
    about.exec();
    QCOMPARE(pSeen, static_cast<QWidget*>(&about));
    QVERIFY(!about.isVisible());
    // Centred on the screen.
    const QRect screen = about.screen()->availableGeometry();
    const QRect outer = about.frameGeometry();
    const int iFrame = qMax(outer.width() - about.width(), outer.height() - about.height()) + 1;
    QVERIFY(qAbs(outer.center().x() - screen.center().x()) <= iFrame);
    QVERIFY(qAbs(outer.center().y() - screen.center().y()) <= iFrame);
}

void frmInfoTest::webLinkOpensTheBrowserOnItsCaption() {
    CRecordingProgram browser(m_pFixture->Programs(), QStringLiteral("xdg-open"));
    frmInfo about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QLabel* pLink = Label(about, "lblMyWeb");
    QCOMPARE(pLink->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(pLink, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(browser.WasStarted(), 15000);
    QCOMPARE(browser.Arguments(), QStringList{frmInfo::WebAddress()});
}

void frmInfoTest::emailIsNotALink() {
    frmInfo about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    // The address label is plain: no handler, no hand pointer, no link text.
    QLabel* pEmail = Label(about, "lblEmail");
    QCOMPARE(pEmail->textFormat(), Qt::PlainText);
    QVERIFY(pEmail->cursor().shape() != Qt::PointingHandCursor);
    QVERIFY(!pEmail->openExternalLinks());
    QVERIFY(!pEmail->inherits("CClickLabel"));
}

void frmInfoTest::launchBrowserStartsTheFirstCandidateFound_data() {
    QTest::addColumn<QStringList>("candidates"); // "@name" is a recording script
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("started");

    const QString sWeb = QStringLiteral("http://www.ringwright.example/");
    QTest::newRow("only the first of two") << QStringList{"@first", "@second"} << sWeb << "first";
    QTest::newRow("missing ones are passed over")
        << QStringList{"missing", "@second", "@third"} << sWeb << "second";
    QTest::newRow("a file that cannot run is passed over")
        << QStringList{"plain", "@second"} << sWeb << "second";
    QTest::newRow("blanks stay inside the one argument")
        << QStringList{"@first"} << "http://host.example/a b  c"
        << "first";
    QTest::newRow("shell characters reach it untouched")
        << QStringList{"@first"} << "http://host.example/?q=$HOME&x=`id`;"
        << "first";
}

void frmInfoTest::launchBrowserStartsTheFirstCandidateFound() {
    QFETCH(QStringList, candidates);
    QFETCH(QString, address);
    QFETCH(QString, started);

    const QDir dir(m_pFixture->Folder());
    QFile plain(dir.filePath(QStringLiteral("plain")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    std::map<QString, std::unique_ptr<CRecordingProgram>> scripts;
    QStringList paths;
    for (const QString& sCandidate : candidates) {
        if (sCandidate.startsWith(QLatin1Char('@'))) {
            const QString sName = sCandidate.mid(1);
            scripts[sName] = std::make_unique<CRecordingProgram>(m_pFixture->Folder(), sName);
            paths << scripts[sName]->Path();
        } else {
            paths << dir.filePath(sCandidate);
        }
    }
    QVERIFY(CLauncher::StartFirst(paths, address));

    const CRecordingProgram& expected = *scripts.at(started);
    QTRY_VERIFY_WITH_TIMEOUT(expected.WasStarted(), 15000);
    QCOMPARE(expected.Arguments(), QStringList{address});
    for (const auto& [sName, pScript] : scripts)
        if (sName != started)
            QVERIFY2(!pScript->WasStarted(), qPrintable(sName));
}

// Only the third browser of the list is installed.
void frmInfoTest::launchBrowserFindsProgramsOnThePath() {
    CRecordingProgram browser(m_pFixture->Programs(), QStringLiteral("x-www-browser"));

    modNOK::LaunchBrowser(frmInfo::WebAddress());

    QTRY_VERIFY_WITH_TIMEOUT(browser.WasStarted(), 15000);
    QCOMPARE(browser.Arguments(), QStringList{frmInfo::WebAddress()});
}

void frmInfoTest::launchBrowserWithoutAnyBrowserDoesNothing() {
    const QDir dir(m_pFixture->Folder());
    const QStringList none = {dir.filePath(QStringLiteral("missing")),
                              QStringLiteral("ringwright-no-such-browser")};
    QVERIFY(!CLauncher::StartFirst(none, frmInfo::WebAddress()));
    // No message, no failure: the click simply has no effect.
    modNOK::LaunchBrowser(frmInfo::WebAddress());
    QVERIFY(CWindowFixture::TakeShown().isEmpty());
    QCOMPARE(dir.entryList(QDir::Files), QStringList());
}

QTEST_MAIN(frmInfoTest)
#include "frmInfoTest.moc"
