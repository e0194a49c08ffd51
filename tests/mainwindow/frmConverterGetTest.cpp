#include "engine/CNokia.h"
#include "engine/modNOK.h"
#include "mainwindow/frmConverter.h"
#include "tests/support/CModalAnswer.h"
#include "tests/support/CWindowFixture.h"
#include "tests/support/TestText.h"
#include "tests/support/TestWidgets.h"
#include "widgets/CMessageBox.h"
#include "widgets/CProgram.h"

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

using TestText::Repeat;

namespace {

const QString sTooMany =
    "This ringing tone has more than the maximum of 50 notes allowed for the Nokia 3210.";

} // namespace

class frmConverterGetTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CWindowFixture> m_pFixture;
    std::unique_ptr<frmConverter> m_pWindow;

    template <typename T> T* Child(const QString& sName) const {
        return TestWidgets::Child<T>(m_pWindow.get(), sName);
    }
    QString Caption() const { return Child<QGroupBox>("fraResults")->title(); }
    QString Label(const QString& sName) const { return Child<QLabel>(sName)->text(); }
    QString Box(const QString& sName) const { return Child<QLineEdit>(sName)->text(); }
    QString Results() const { return Child<QTextEdit>("rtf")->toPlainText(); }

    QString Write(const QString& sName, const QByteArray& bytes) {
        const QString sPath = m_pFixture->Path(sName);
        QFile file(sPath);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(sPath));
        return sPath;
    }

    void Choose(int iSourceType, bool bFromFile) {
        Child<QRadioButton>(QString("optSource_%1").arg(iSourceType))->click();
        Child<QRadioButton>(bFromFile ? "optFile_0" : "optFile_1")->click();
    }

    // Presses Get; when the open dialog appears, fnAnswer works it.
    void GetWithDialog(std::function<void(QDialog*)> fnAnswer) {
        const CModalAnswer answer(
            [&fnAnswer](QWidget* pModal) { fnAnswer(qobject_cast<QDialog*>(pModal)); });
        Child<QPushButton>("cmdGet")->click();
        QVERIFY(answer.Answered());
    }

    // Presses Save; in the Save-As dialog, sName (if any) replaces the
    // proposed name before OK.
    void Save(const QString& sName = QString()) {
        const CModalAnswer answer([sName](QWidget* pDialog) {
            if (!sName.isEmpty())
                TestWidgets::Child<QLineEdit>(pDialog, "txtFilename")->setText(sName);
            TestWidgets::Child<QPushButton>(pDialog, "cmdOk")->click();
        });
        Child<QAction>("mnuFileSave")->trigger();
        QVERIFY(answer.Answered());
    }

    // Presses Get and picks the file in the open dialog.
    void GetFile(const QString& sName) {
        GetWithDialog([sName](QDialog* pDialog) {
            auto* pList = TestWidgets::Child<QListWidget>(pDialog, "File1");
            const QList<QListWidgetItem*> found = pList->findItems(sName, Qt::MatchExactly);
            QCOMPARE(found.size(), 1);
            pList->setCurrentItem(found.first());
            TestWidgets::Child<QPushButton>(pDialog, "cmdOk")->click();
        });
    }

    void GetClipboard(const QString& sText) {
        QGuiApplication::clipboard()->setText(sText);
        Child<QPushButton>("cmdGet")->click();
    }

private Q_SLOTS:
    void init() {
        m_pFixture = std::make_unique<CWindowFixture>();
        QSettings settings("Ringwright", "Ringwright");
        settings.setValue("Settings/FromFile", "True");
        settings.sync();
        Write("keep.TXT", "Keep:8c");
        m_pWindow = std::make_unique<frmConverter>(m_pFixture->Folders());
        m_pWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pWindow.get()));
        CProgram::Nokia().FilePath = CProgram::ToEngine(m_pFixture->Folder());
    }

    void cleanup() {
        m_pWindow.reset();
        m_pFixture.reset();
    }

    void fileLinesJoinIntoOneText() {
        Write("two.TXT", "Tone:d=4,o=5,b=100:8c,8d,\r\n8e,8f\r\n");
        Choose(0, true);
        GetFile("two.TXT");
        QCOMPARE(CProgram::Nokia().OriginalText, std::string("Tone:d=4,o=5,b=100:8c,8d,8e,8f"));
        QCOMPARE(Box("txtName"), QString("Tone"));
        QCOMPARE(Box("txtTempo"), QString("100"));
        QCOMPARE(Label("lblNoteCount"), QString("4"));
        QCOMPARE(Label("lblRemaining"), QString("46"));
        QCOMPARE(Label("lblMsg"), QString());
        QCOMPARE(Caption(), QString("Conversion Results - [two.TXT]"));
        QCOMPARE(Results(), CProgram::FromEngine(CProgram::Nokia().ShowScreen()));
        QVERIFY(CWindowFixture::TakeShown().isEmpty());
        QCOMPARE(CProgram::FromEngine(CProgram::Nokia().FileName), QString("two.TXT"));
    }

    void composerLinesBecomeOneToken() {
        Write("lines.321", "4c2\n8d2\n");
        Choose(1, true);
        GetFile("lines.321");
        QCOMPARE(CProgram::Nokia().OriginalText, std::string("4c28d2"));
        QCOMPARE(Label("lblNoteCount"), QString("1"));
        QCOMPARE(CProgram::Nokia().Notes.Count(), 1);
    }

    void counts_data() {
        QTest::addColumn<int>("iSourceType");
        QTest::addColumn<QString>("sText");
        QTest::addColumn<QString>("sCount");
        QTest::addColumn<QString>("sRemaining");
        QTest::addColumn<QString>("sMessage");
        QTest::newRow("no notes") << 0 << "Tone:d=4,o=5,b=100:"
                                  << "0"
                                  << "50"
                                  << "";
        QTest::newRow("one note") << 0 << "Tone:d=4,o=5,b=100:8c"
                                  << "1"
                                  << "49"
                                  << "";
        QTest::newRow("50 RTTTL") << 0 << "Tone:d=4,o=5,b=100:" + Repeat(50, "8c", ",") << "50"
                                  << "0"
                                  << "";
        QTest::newRow("51 RTTTL") << 0 << "Tone:d=4,o=5,b=100:" + Repeat(51, "8c", ",") << "51"
                                  << "-" << sTooMany;
        QTest::newRow("50 Composer") << 1 << "Tone:Tempo=100:" + Repeat(50, "8c2", " ") << "50"
                                     << "0"
                                     << "";
        QTest::newRow("51 Composer") << 1 << "Tone:Tempo=100:" + Repeat(51, "8c2", " ") << "51"
                                     << "-" << sTooMany;
    }
    void counts() {
        QFETCH(int, iSourceType);
        QFETCH(QString, sText);
        QFETCH(QString, sCount);
        QFETCH(QString, sRemaining);
        QFETCH(QString, sMessage);
        Choose(iSourceType, false);
        GetClipboard(sText);
        QCOMPARE(Label("lblNoteCount"), sCount);
        QCOMPARE(Label("lblRemaining"), sRemaining);
        QCOMPARE(Label("lblMsg"), sMessage);
        QCOMPARE(Caption(), QString("Conversion Results - [Clipboard]"));
        // Every note is shown, however many there are.
        QCOMPARE(Results(), CProgram::FromEngine(CProgram::Nokia().ShowScreen()));
        QCOMPARE(CProgram::Nokia().Notes.Count(), sCount.toInt());
        QVERIFY(CWindowFixture::TakeShown().isEmpty());
    }

    void names_data() {
        QTest::addColumn<QString>("sText");
        QTest::addColumn<QString>("sName");
        QTest::addColumn<bool>("bErrors");
        QTest::newRow("blank name") << "   :d=4,o=5,b=100:8c"
                                    << "" << true;
        QTest::newRow("blanks inside and after") << "A  Tone  :d=4,o=5,b=100:8c"
                                                 << "A  Tone  " << false;
        QTest::newRow("non-ASCII") << "Grüße für Ŝ:d=4,o=5,b=100:8c"
                                   << "Grüße für Ŝ" << false;
    }
    void names() {
        QFETCH(QString, sText);
        QFETCH(QString, sName);
        QFETCH(bool, bErrors);
        Choose(0, false);
        GetClipboard(sText);
        QCOMPARE(Box("txtName"), sName);
        QCOMPARE(CWindowFixture::TakeShown().size(), bErrors ? 1 : 0);
    }

    void blankNameTakesTheFileName() {
        Write("Sommer.TXT", "  :d=4,o=5,b=100:8c");
        Choose(0, true);
        GetFile("Sommer.TXT");
        QCOMPARE(Box("txtName"), QString("Sommer"));
        QVERIFY(CWindowFixture::TakeShown().isEmpty());
    }

    void fileEncodings_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("UTF-8") << QByteArray("Gr\xc3\xbc\xc3\x9f"
                                             "e:d=4,o=5,b=100:8c");
        QTest::newRow("Latin-1") << QByteArray("Gr\xfc\xdf"
                                               "e:d=4,o=5,b=100:8c");
    }
    void fileEncodings() {
        QFETCH(QByteArray, bytes);
        Write("enc.TXT", bytes);
        Choose(0, true);
        GetFile("enc.TXT");
        QCOMPARE(Box("txtName"), QString("Grüße"));
        QCOMPARE(CProgram::FromEngine(CProgram::Nokia().RingToneName), QString("Grüße"));
    }

    void nonAsciiNameSurvivesSaveAndGet() {
        const QString sPath = Write("latin.TXT", "Gr\xfc\xdf"
                                                 "e:d=4,o=5,b=100:8c,8d");
        Choose(0, true);
        GetFile("latin.TXT");
        // Saved over the file it came from, as RTTTL.
        Child<QRadioButton>("optShowAs_2")->click();
        CWindowFixture::Answer(CMessageBox::Yes);
        Save();
        QFile saved(sPath);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().startsWith("Gr\xc3\xbc\xc3\x9f"
                                           "e:"));
        CWindowFixture::TakeShown();

        GetFile("latin.TXT");
        QCOMPARE(Box("txtName"), QString("Grüße"));
        QCOMPARE(Label("lblNoteCount"), QString("2"));
    }

    void clipboardOnlySpacesIsEmpty() {
        Choose(0, false);
        GetClipboard("   ");
        const QList<ShownBox> shown = CWindowFixture::TakeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].Text, QString("The clipboard is empty.  Please highlight and copy some "
                                        "ringtone text from a webpage or other document."));
        QCOMPARE(shown[0].Title, QString("No RingTone in Clipboard"));
        QCOMPARE(shown[0].IconKind, CMessageBox::Information);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("   "));
        QCOMPARE(Caption(), QString("Conversion Results"));
        QCOMPARE(Label("lblNoteCount"), QString("0"));
        QCOMPARE(Label("lblRemaining"), QString());
    }

    void clipboardLineBreakIsConverted_data() {
        QTest::addColumn<QString>("sText");
        QTest::addColumn<int>("iNotes");
        QTest::addColumn<QString>("sClipboard");
        // No note: the text goes back onto the clipboard.
        QTest::newRow("line break") << "\n" << 0 << "\n";
        QTest::newRow("line breaks and spaces") << " \r\n " << 0 << " \r\n ";
        // A tab is no blank: it stays as a note of its own.
        QTest::newRow("tab") << "\t" << 1 << "";
    }
    void clipboardLineBreakIsConverted() {
        QFETCH(QString, sText);
        QFETCH(int, iNotes);
        QFETCH(QString, sClipboard);
        Choose(0, false);
        GetClipboard(sText);
        QVERIFY(CWindowFixture::TakeShown().isEmpty());
        QCOMPARE(QGuiApplication::clipboard()->text(), sClipboard);
        QCOMPARE(Caption(), QString("Conversion Results - [Clipboard]"));
        QCOMPARE(Label("lblNoteCount"), QString::number(iNotes));
        QCOMPARE(Label("lblRemaining"), QString::number(50 - iNotes));
    }

    // What gave nothing to convert was likely read in the wrong notation: it
    // goes back onto the clipboard for another Get.
    void clipboardKeptWhenNothingConverted_data() {
        QTest::addColumn<int>("iSourceType");
        QTest::addColumn<QString>("sText");
        QTest::addColumn<bool>("bKept");
        QTest::addColumn<int>("iBoxes");
        QTest::newRow("Composer read as RTTTL") << 0 << "Tone:Tempo=100:8c2 8d2" << true << 1;
        QTest::newRow("RTTTL header only") << 0 << "Tone:d=4,o=5,b=100:" << true << 0;
        QTest::newRow("notes with errors") << 0 << "Tone:d=4,o=8,b=100:8c" << false << 1;
        QTest::newRow("RTTTL read as Composer") << 1 << "Tone:d=4,o=5,b=100:8c,8d" << false << 1;
        QTest::newRow("converted") << 1 << "Tone:Tempo=100:8c2" << false << 0;
    }
    void clipboardKeptWhenNothingConverted() {
        QFETCH(int, iSourceType);
        QFETCH(QString, sText);
        QFETCH(bool, bKept);
        QFETCH(int, iBoxes);
        Choose(iSourceType, false);
        GetClipboard(sText);
        QCOMPARE(QGuiApplication::clipboard()->text(), bKept ? sText : QString());
        QCOMPARE(CWindowFixture::TakeShown().size(), iBoxes);
        QCOMPARE(Caption(), QString("Conversion Results - [Clipboard]"));
    }

    void errorsShownAfterTheClipboardWasEmptied() {
        Choose(0, false);
        QString sClipboardAtBox = "not shown";
        CWindowFixture::WhileShown(
            [&](const ShownBox&) { sClipboardAtBox = QGuiApplication::clipboard()->text(); });
        GetClipboard("Tone:d=4,o=8,b=100:8c,8d,8e");
        QCOMPARE(sClipboardAtBox, QString());
        const QList<ShownBox> shown = CWindowFixture::TakeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].Title, QString("Conversion Errors"));
        QCOMPARE(shown[0].IconKind, CMessageBox::Exclamation);
        // The whole list, one line per problem, in the one warning.
        const QString sErrors = CProgram::FromEngine(modNOK::GetErrors());
        QCOMPARE(sErrors.count('\r'), 3);
        QCOMPARE(shown[0].Text, "There have been some conversion errors:\n" +
                                    QString(sErrors).replace('\r', '\n'));
        // The results are shown all the same.
        QCOMPARE(Label("lblNoteCount"), QString("3"));
        QCOMPARE(Box("txtName"), QString("Tone"));
    }

    void cancelAfterAnEarlierGet() {
        Choose(0, true);
        GetFile("keep.TXT");
        QCOMPARE(Label("lblNoteCount"), QString("1"));
        GetWithDialog([](QDialog* pDialog) {
            TestWidgets::Child<QPushButton>(pDialog, "cmdCancel")->click();
        });
        QCOMPARE(Caption(), QString("Conversion Results"));
        QCOMPARE(Label("lblNoteCount"), QString("0"));
        QCOMPARE(Label("lblRemaining"), QString());
        QCOMPARE(Box("txtName"), QString());
        QCOMPARE(Results(), QString());
        QVERIFY(CProgram::Nokia().OriginalText.empty());
        QVERIFY(CWindowFixture::TakeShown().isEmpty());
    }

    void vanishedFile() {
        const QString sPath = Write("gone.TXT", "Gone:8c");
        Choose(0, true);
        GetWithDialog([sPath](QDialog* pDialog) {
            auto* pList = TestWidgets::Child<QListWidget>(pDialog, "File1");
            pList->setCurrentItem(pList->findItems("gone.TXT", Qt::MatchExactly).value(0));
            QVERIFY(QFile::remove(sPath));
            TestWidgets::Child<QPushButton>(pDialog, "cmdOk")->click();
        });
        const QList<ShownBox> shown = CWindowFixture::TakeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].Text,
                 "Could not open file " + CProgram::JoinPath(m_pFixture->Folder(), "gone.TXT"));
        QCOMPARE(shown[0].Title, QString("Ringwright"));
        QCOMPARE(shown[0].IconKind, CMessageBox::NoIcon);
        // The empty text is converted as usual.
        QCOMPARE(Caption(), QString("Conversion Results - [gone.TXT]"));
        QCOMPARE(Label("lblNoteCount"), QString("0"));
        QCOMPARE(Label("lblRemaining"), QString("50"));
        QVERIFY(m_pWindow->isVisible());
    }

    void refusedFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("sMessage");
        QTest::addColumn<QString>("sTitle");
        QTest::newRow("too large")
            << QByteArray(CRingToneSource::MaxLength + 1, 'c') << " is too large to be a ringtone."
            << "RingTone Too Large";
        QTest::newRow("binary") << QByteArray("\x7f"
                                              "ELF\x02\x01\x01\0\0\0\0",
                                              12)
                                << " is not a ringtone text file."
                                << "Not a RingTone File";
    }
    void refusedFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, sMessage);
        QFETCH(QString, sTitle);
        Write("bad.TXT", bytes);
        Choose(0, true);
        GetFile("bad.TXT");
        const QList<ShownBox> shown = CWindowFixture::TakeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].Text.startsWith(
                     "The file " + CProgram::JoinPath(m_pFixture->Folder(), "bad.TXT") + sMessage),
                 qPrintable(shown[0].Text));
        QCOMPARE(shown[0].Title, sTitle);
        QCOMPARE(shown[0].IconKind, CMessageBox::Exclamation);
        // Nothing was converted.
        QCOMPARE(Caption(), QString("Conversion Results"));
        QVERIFY(CProgram::Nokia().OriginalText.empty());
        QCOMPARE(Label("lblRemaining"), QString());
    }

    void clipboardTooLargeIsKept_data() {
        QTest::addColumn<QString>("sHuge");
        QTest::newRow("one byte too many") << QString(CRingToneSource::MaxLength + 1, 'c');
        // Counted in the bytes the converter reads, as a file is.
        QTest::newRow("three bytes a character")
            << QString(CRingToneSource::MaxLength / 3 + 1, QChar(0x20ac));
    }
    void clipboardTooLargeIsKept() {
        QFETCH(QString, sHuge);
        Choose(0, false);
        GetClipboard(sHuge);
        const QList<ShownBox> shown = CWindowFixture::TakeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].Title, QString("RingTone Too Large"));
        QCOMPARE(QGuiApplication::clipboard()->text().size(), sHuge.size());
        QCOMPARE(Caption(), QString("Conversion Results"));
        QVERIFY(CProgram::Nokia().OriginalText.empty());
    }

    // A default of 32,800 characters that each of 32,720 notes takes: shared,
    // not copied, and its Composer form (a gigabyte) never built.
    void longHeaderDefaultIsNotShownWhole() {
        QString sText = "x:d=" + QString(32799, '0') + "4,o=5,b=100:c";
        sText += QString(CRingToneSource::MaxLength - sText.size(), ',');
        const QString sTooLong =
            "The notes are too long to show in this form.  Please choose another display form.";
        Choose(0, false);
        Child<QRadioButton>("optShowAs_1")->click();
        GetClipboard(sText);
        QCOMPARE(Label("lblNoteCount"), QString("32720"));
        QCOMPARE(Results(), QString());
        QCOMPARE(Label("lblMsg"), sTooLong);
        auto* pFileMenu = Child<QMenu>("mnuFile");
        Q_EMIT pFileMenu->aboutToShow();
        QVERIFY(!Child<QAction>("mnuFileSave")->isEnabled());

        // The other forms are short, and take the message line back.
        Child<QRadioButton>("optShowAs_2")->click();
        QCOMPARE(Results(), "c" + QString(32719, ','));
        QCOMPARE(Label("lblMsg"), sTooMany);
        Q_EMIT pFileMenu->aboutToShow();
        QVERIFY(Child<QAction>("mnuFileSave")->isEnabled());
        Child<QRadioButton>("optShowAs_1")->click();
        QCOMPARE(Results(), QString());
        QCOMPARE(Label("lblMsg"), sTooLong);
        CWindowFixture::TakeShown();
    }

    void displayFailureGoesToTheMessageLine() {
        // More notes than a 16-bit count holds: the counts cannot be shown.
        Choose(0, false);
        GetClipboard(Repeat(32768, "c", ","));
        QCOMPARE(Label("lblNoteCount"), QString("0"));
        QCOMPARE(Label("lblRemaining"), QString());
        QCOMPARE(Results(), QString());
        QVERIFY2(Label("lblMsg").contains("Overflow"), qPrintable(Label("lblMsg")));
        QCOMPARE(Caption(), QString("Conversion Results - [Clipboard]"));
        const QList<ShownBox> shown = CWindowFixture::TakeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].Text.contains("Overflow"));
    }

    void rootFolderPathStillReads() {
        // A folder handed back with its separator, as a root is, doubles it.
        Write("root.TXT", "Root:8c");
        CProgram::Nokia().FilePath = CProgram::ToEngine(m_pFixture->Folder() + "/");
        QCOMPARE(CProgram::JoinPath(m_pFixture->Folder() + "/", "root.TXT"),
                 m_pFixture->Folder() + "//root.TXT");
        Choose(0, true);
        GetWithDialog([](QDialog* pDialog) {
            auto* pList = TestWidgets::Child<QListWidget>(pDialog, "File1");
            pList->setCurrentItem(pList->findItems("root.TXT", Qt::MatchExactly).value(0));
            pDialog->accept();
        });
        QCOMPARE(Box("txtName"), QString("Root"));
    }

    void displayFormSwitchRerendersOnlyTheNotes() {
        Choose(0, false);
        GetClipboard("Tone:d=4,o=5,b=100:8c,8d,8e");
        Child<QLineEdit>("txtName")->setText("Edited");
        Child<QLineEdit>("txtTempo")->setText("77");
        const QString sCount = Label("lblNoteCount");
        for (int iType : {1, 2, 0}) {
            Child<QRadioButton>(QString("optShowAs_%1").arg(iType))->click();
            CNokia& nokia = CProgram::Nokia();
            QCOMPARE(Results(), CProgram::FromEngine(nokia.Notes.GetNotes(int16_t(iType))));
            QCOMPARE(Box("txtName"), QString("Edited"));
            QCOMPARE(Box("txtTempo"), QString("77"));
            QCOMPARE(Label("lblNoteCount"), sCount);
            QCOMPARE(Caption(), QString("Conversion Results - [Clipboard]"));
        }
        QVERIFY(CWindowFixture::TakeShown().isEmpty());
    }

    // Read from a file or the clipboard, saved in the same notation and read
    // back through the real Get and Save: name, tempo, defaults and every
    // rendering survive.
    void savedRingtoneReadsBack_data() {
        QTest::addColumn<int>("iSource");
        QTest::addColumn<QString>("sFile"); // empty: from the clipboard
        QTest::addColumn<QByteArray>("ringtone");
        QTest::newRow("RTTTL file")
            << 0 << "Trip.TXT" << QByteArray("Trip:d=8,o=6,b=140:\r\nc,d#,4e.,p,16f7,\n2g5,a,32b.");
        QTest::newRow("Composer file")
            << 1 << "Trip.321" << QByteArray("Trip:Tempo=125:8c2 4.#d1\r\n 16- 2g3 32a2 1.b1");
        QTest::newRow("RTTTL clipboard")
            << 0 << "" << QByteArray("Jingle:d=8,o=6,b=140:c,d#,4e.,p,16f7,2g5,a,32b.");
        QTest::newRow("Composer clipboard")
            << 1 << "" << QByteArray("Jingle:Tempo=125:8c2 4.#d1 16- 2g3 32a2 1.b1");
    }

    void savedRingtoneReadsBack() {
        QFETCH(int, iSource);
        QFETCH(QString, sFile);
        QFETCH(QByteArray, ringtone);
        const int iForm = iSource == 0 ? 2 : 1;
        const QString sBackFile = QString("Back") + (iSource == 0 ? ".TXT" : ".321");
        QFile::remove(m_pFixture->Path(sBackFile));

        Child<QRadioButton>(QString("optShowAs_%1").arg(iForm))->click();
        Choose(iSource, !sFile.isEmpty());
        if (sFile.isEmpty()) {
            GetClipboard(QString::fromUtf8(ringtone));
        } else {
            Write(sFile, ringtone);
            GetFile(sFile);
        }
        QVERIFY(CWindowFixture::TakeShown().isEmpty());
        auto renderings = [this] {
            QStringList lst;
            for (int iType : {0, 1, 2}) {
                Child<QRadioButton>(QString("optShowAs_%1").arg(iType))->click();
                lst << Results();
            }
            return lst;
        };
        const QString sName = Box("txtName");
        const QString sTempo = Box("txtTempo");
        const std::string sDefaults = modNOK::DefaultDuration + "/" + modNOK::DefaultOctave;
        const QStringList lstNotes = renderings();

        Child<QRadioButton>(QString("optShowAs_%1").arg(iForm))->click();
        Save("Back");
        QFile saved(m_pFixture->Path(sBackFile));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().endsWith("\r\n"));

        Choose(iSource, true);
        GetFile(sBackFile);
        QVERIFY(CWindowFixture::TakeShown().isEmpty());
        QCOMPARE(Box("txtName"), sName);
        QCOMPARE(Box("txtTempo"), sTempo);
        QCOMPARE(modNOK::DefaultDuration + "/" + modNOK::DefaultOctave, sDefaults);
        QCOMPARE(renderings(), lstNotes);
    }
};

QTEST_MAIN(frmConverterGetTest)
#include "frmConverterGetTest.moc"
