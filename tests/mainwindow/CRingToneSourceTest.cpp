// Getting a ringtone: a file read and its lines joined, refused files, the
// clipboard, a drop, MIDI import; through the real window and Open dialog.

#include "mainwindow/CRingToneSource.h"
#include "dialogs/frmMidiLines.h"
#include "engine/CNokia.h"
#include "engine/modNOK.h"
#include "tests/midi/MidiFiles.h"
#include "tests/support/CConverterFixture.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestText.h"
#include "widgets/CMessageBox.h"
#include "widgets/CProgram.h"

#include <QDir>
#include <QFileDialog>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QUrl>

#include <sys/stat.h>

using TestText::Repeat;

namespace {

const QString sTooMany =
    "This ringing tone has more than the maximum of 50 notes allowed for the Nokia 3210.";

} // namespace

class CRingToneSourceTest : public QObject, public CConverterFixture {
    Q_OBJECT

private:
    // The window as Get finds it: reading files of the ringtone folder.
    bool OpenForGet() {
        StoreSetting("FromFile", "True");
        const bool bOpen = Open();
        CProgram::Nokia().FilePath = CProgram::ToEngine(m_pFixture->Folder());
        return bOpen;
    }
    bool OpenForMidi() {
        StoreSetting("SourceType", "1");
        const bool bOpen = Open();
        CWindowFixture::TakeShown();
        return bOpen;
    }

    void Drop(QMimeData* pData) {
        // Dropped over the results box, which does not take it itself.
        QWidget* pTarget = Child<QTextEdit>("rtf")->viewport();
        const QPoint at = pTarget->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, pData, Qt::LeftButton, {});
        QApplication::sendEvent(pTarget, &enter);
        if (!enter.isAccepted())
            return;
        QDropEvent drop(at, Qt::CopyAction, pData, Qt::LeftButton, {});
        QApplication::sendEvent(pTarget, &drop);
    }

private Q_SLOTS:
    void init() {
        Begin();
        QVERIFY(TestFiles::WriteRaw(m_pFixture->Path("keep.TXT"), "Keep:8c"));
    }
    void cleanup() { End(); }

    void readsAndJoinsLines_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("sText");
        QTest::newRow("LF") << QByteArray("Tone:d=4,o=5,b=100:8c,8d,\n8e,8f\n")
                            << "Tone:d=4,o=5,b=100:8c,8d,8e,8f";
        QTest::newRow("CR LF") << QByteArray("Tone:d=4,o=5,b=100:8c,8d,\r\n8e,8f\r\n")
                               << "Tone:d=4,o=5,b=100:8c,8d,8e,8f";
        QTest::newRow("CR") << QByteArray("Tone:d=4,o=5,b=100:8c,8d,\r8e,8f\r")
                            << "Tone:d=4,o=5,b=100:8c,8d,8e,8f";
        QTest::newRow("last line without end")
            << QByteArray("Tone:d=4,o=5,b=100:8c,8d,\r\n8e,8f") << "Tone:d=4,o=5,b=100:8c,8d,8e,8f";
        QTest::newRow("mixed and empty lines")
            << QByteArray("\r\n\nA:\r\r\n4c2\n\r8d2\r\n\r\n") << "A:4c28d2";
        QTest::newRow("one line, no end") << QByteArray("4c2") << "4c2";
        QTest::newRow("only line ends") << QByteArray("\r\n\r\n") << "";
        QTest::newRow("empty file") << QByteArray() << "";
        QTest::newRow("blanks and tabs kept") << QByteArray(" a\t\r\n b ") << " a\t b ";
        QTest::newRow("UTF-8") << QByteArray("Gr\xc3\xbc\xc3\x9f"
                                             "e:\n8c")
                               << "Grüße:8c";
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xef\xbb\xbfT\xc3\xa9:8c") << "Té:8c";
        QTest::newRow("Latin-1") << QByteArray("Gr\xfc\xdf"
                                               "e:\r\n8c")
                                 << "Grüße:8c";
        QTest::newRow("Latin-1 that begins like UTF-8")
            << QByteArray("\xc3\xa9t\xe9:8c") << QString::fromLatin1("\xc3\xa9t\xe9:8c");
        QTest::newRow("UTF-16LE with BOM") << QByteArray("\xff\xfeT\0\xe9\0:\0\r\0\n\0"
                                                         "8\0c\0",
                                                         16)
                                           << "Té:8c";
        QTest::newRow("UTF-16BE with BOM") << QByteArray("\xfe\xff\0T\0\xe9\0:\0\n\0"
                                                         "8\0c",
                                                         14)
                                           << "Té:8c";
        QTest::newRow("largest accepted") << QByteArray(CRingToneSource::MaxLength, 'a')
                                          << QString(CRingToneSource::MaxLength, 'a');
        // The limit counts the bytes the converter reads, not those on disk.
        const QString sLargest(CRingToneSource::MaxLength, 'a');
        QTest::newRow("largest accepted in UTF-16")
            << QByteArray("\xff\xfe", 2) +
                   QByteArray(reinterpret_cast<const char*>(sLargest.utf16()), 2 * sLargest.size())
            << sLargest;
    }
    void readsAndJoinsLines() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, sText);
        const QString sPath = Write(QString::fromLatin1(QTest::currentDataTag()) + ".TXT", bytes);
        QVERIFY(!sPath.isEmpty());
        const CRingToneSource::FileText read = CRingToneSource::ReadFile(sPath);
        QCOMPARE(read.Outcome, RingToneFile::Outcome::Read);
        QCOMPARE(read.Text, sText);
    }

    void refuses_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("iStatus");
        QTest::newRow("one byte too many") << QByteArray(CRingToneSource::MaxLength + 1, 'a')
                                           << int(RingToneFile::Outcome::TooLarge);
        QTest::newRow("line ends count too") << QByteArray(CRingToneSource::MaxLength + 1, '\n')
                                             << int(RingToneFile::Outcome::TooLarge);
        QTest::newRow("Latin-1 that doubles past the limit")
            << QByteArray(CRingToneSource::MaxLength / 2 + 1, '\xe9')
            << int(RingToneFile::Outcome::TooLarge);
        QTest::newRow("binary") << QByteArray("\x7f"
                                              "ELF\x02\x01\x01\0\0\0\0",
                                              12)
                                << int(RingToneFile::Outcome::NotText);
        QTest::newRow("NUL in text") << QByteArray("Tone:\0"
                                                   "8c",
                                                   8)
                                     << int(RingToneFile::Outcome::NotText);
    }
    void refuses() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, iStatus);
        const QString sPath = Write(QString::fromLatin1(QTest::currentDataTag()) + ".TXT", bytes);
        QVERIFY(!sPath.isEmpty());
        const CRingToneSource::FileText read = CRingToneSource::ReadFile(sPath);
        QCOMPARE(int(read.Outcome), iStatus);
        QVERIFY(read.Text.isEmpty());
    }

    void hugeFileIsRefusedWithoutReadingItAll() {
        // A sparse 100 MB file: refused after reading just past the limit.
        const QString sPath = m_pFixture->Path("huge.TXT");
        QFile file(sPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(100 * 1024 * 1024));
        file.close();
        QCOMPARE(CRingToneSource::ReadFile(sPath).Outcome, RingToneFile::Outcome::TooLarge);
        QVERIFY(QFile::remove(sPath));
    }

    void cannotOpen_data() {
        QTest::addColumn<QString>("sName");
        QTest::newRow("missing") << "missing.TXT";
        QTest::newRow("folder") << "folder.TXT";
        QTest::newRow("pipe") << "pipe.TXT";
    }
    void cannotOpen() {
        QFETCH(QString, sName);
        QVERIFY(QDir(m_pFixture->Folder()).mkpath("folder.TXT"));
        const QByteArray pipe = QFile::encodeName(m_pFixture->Path("pipe.TXT"));
        QVERIFY(QFileInfo::exists(m_pFixture->Path("pipe.TXT")) ||
                mkfifo(pipe.constData(), 0600) == 0);
        const CRingToneSource::FileText read = CRingToneSource::ReadFile(m_pFixture->Path(sName));
        QCOMPARE(read.Outcome, RingToneFile::Outcome::CannotOpen);
        QVERIFY(read.Text.isEmpty());
    }

    void unreadableFile() {
        const QString sPath = Write("locked.TXT", "Tone:8c");
        QVERIFY(QFile::setPermissions(sPath, QFileDevice::WriteOwner));
        if (QFile(sPath).open(QIODevice::ReadOnly))
            QSKIP("running with rights that read any file");
        QCOMPARE(CRingToneSource::ReadFile(sPath).Outcome, RingToneFile::Outcome::CannotOpen);
    }

    void doubledSeparatorStillNamesTheFile() {
        Write("root.TXT", "Tone:8c");
        const CRingToneSource::FileText read =
            CRingToneSource::ReadFile(m_pFixture->Folder() + "//root.TXT");
        QCOMPARE(read.Outcome, RingToneFile::Outcome::Read);
        QCOMPARE(read.Text, QString("Tone:8c"));
    }

    void fileLinesJoinIntoOneText() {
        QVERIFY(OpenForGet());
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
        QVERIFY(OpenForGet());
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
        QVERIFY(OpenForGet());
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
        QVERIFY(OpenForGet());
        Choose(0, false);
        GetClipboard(sText);
        QCOMPARE(Box("txtName"), sName);
        QCOMPARE(CWindowFixture::TakeShown().size(), bErrors ? 1 : 0);
    }

    void blankNameTakesTheFileName() {
        QVERIFY(OpenForGet());
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
        QVERIFY(OpenForGet());
        Write("enc.TXT", bytes);
        Choose(0, true);
        GetFile("enc.TXT");
        QCOMPARE(Box("txtName"), QString("Grüße"));
        QCOMPARE(CProgram::FromEngine(CProgram::Nokia().RingToneName), QString("Grüße"));
    }

    void nonAsciiNameSurvivesSaveAndGet() {
        QVERIFY(OpenForGet());
        const QString sPath = Write("latin.TXT", "Gr\xfc\xdf"
                                                 "e:d=4,o=5,b=100:8c,8d");
        Choose(0, true);
        GetFile("latin.TXT");
        // Saved over the file it came from, as RTTTL.
        Child<QRadioButton>("optShowAs_2")->click();
        CWindowFixture::Answer(CMessageBox::Yes);
        SaveTone();
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
        QVERIFY(OpenForGet());
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
        QVERIFY(OpenForGet());
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
        QVERIFY(OpenForGet());
        Choose(iSourceType, false);
        GetClipboard(sText);
        QCOMPARE(QGuiApplication::clipboard()->text(), bKept ? sText : QString());
        QCOMPARE(CWindowFixture::TakeShown().size(), iBoxes);
        QCOMPARE(Caption(), QString("Conversion Results - [Clipboard]"));
    }

    void errorsShownAfterTheClipboardWasEmptied() {
        QVERIFY(OpenForGet());
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
        QVERIFY(OpenForGet());
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
        QVERIFY(OpenForGet());
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
        QVERIFY(OpenForGet());
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
        QVERIFY(OpenForGet());
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
        QVERIFY(OpenForGet());
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
        QVERIFY(OpenForGet());
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
        QVERIFY(OpenForGet());
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
        QVERIFY(OpenForGet());
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
        SaveTone("Back");
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

    void importChosenLine() {
        QVERIFY(OpenForMidi());
        const std::string sBytes =
            MidiFiles::File(1, 480,
                            {{"Lead", {{0, 480, 60}, {480, 480, 62}, {960, 480, 64}}},
                             {"Bass", {{0, 960, 60, 2}}}});
        const QString sPath = m_pFixture->Path("song.mid");
        QVERIFY(TestFiles::WriteRaw(sPath, QByteArray::fromStdString(sBytes)));

        const CModalAnswer pick([&sPath](QWidget* pModal) {
            auto* pDialog = qobject_cast<QFileDialog*>(pModal);
            QVERIFY(pDialog);
            QCOMPARE(pDialog->directory().absolutePath(), QFileInfo(sPath).absolutePath());
            pDialog->selectFile(sPath);
            static_cast<QDialog*>(pDialog)->accept(); // QFileDialog hides it
        });
        int iDefault = -1;
        const CModalAnswer choose(
            [&iDefault](QWidget* pModal) {
                iDefault = qobject_cast<frmMidiLines*>(pModal)->ChosenLine().value_or(0);
                auto* pLines = TestWidgets::Child<QTreeWidget>(pModal, "lstLines");
                pLines->setCurrentItem(pLines->topLevelItem(1));
                TestWidgets::Child<QPushButton>(pModal, "cmdOK")->click();
            },
            "frmMidiLines");
        Child<QAction>("mnuFileImportMidi")->trigger();
        QVERIFY(pick.Answered());
        QVERIFY(choose.Answered());

        QCOMPARE(iDefault, 1); // the lead, with the most notes
        QVERIFY(Child<QRadioButton>("optSource_0")->isChecked());
        QCOMPARE(CProgram::Nokia().OriginalText, std::string("Bass:d=4,o=5,b=120:2c4"));
        QCOMPARE(Box("txtName"), QString("Bass"));
        QCOMPARE(Box("txtTempo"), QString("120"));
        QCOMPARE(Label("lblNoteCount"), QString("1"));
        QCOMPARE(Caption(), QString("Conversion Results - [song.mid]"));
        // Octave 4 is out of the phone's reach: warned about, and Fit is at hand.
        const QList<ShownBox> shown = CWindowFixture::TakeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].Title, QString("Conversion Errors"));
        QVERIFY(Child<QPushButton>("cmdFit")->isEnabled());
    }

    void refusedFileChangesNothing() {
        QVERIFY(OpenForMidi());
        const QString sPath = m_pFixture->Path("bad.MIDI");
        QVERIFY(TestFiles::WriteRaw(sPath, "RIFF not a tune"));
        m_pWindow->GetFile(sPath, 0);
        const QList<ShownBox> shown = CWindowFixture::TakeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].Text, "The file " + sPath + " cannot be imported: not a MIDI file.");
        QCOMPARE(shown[0].Title, QString("Cannot Import MIDI"));
        QVERIFY(Child<QRadioButton>("optSource_1")->isChecked());
        QCOMPARE(Caption(), QString("Conversion Results"));
    }

    void droppedTunesAreGot_data() {
        QTest::addColumn<bool>("bFile");
        QTest::addColumn<QString>("sCaption");
        QTest::newRow("file") << true << "Conversion Results - [drop.321]";
        QTest::newRow("text") << false << "Conversion Results - [Dropped text]";
    }

    // In the notation of step 1, whatever step 2 says; the clipboard is left
    // alone.
    void droppedTunesAreGot() {
        QFETCH(bool, bFile);
        QFETCH(QString, sCaption);
        QTemporaryDir elsewhere;
        QVERIFY(elsewhere.isValid());
        const QString sPath = elsewhere.filePath("drop.321");
        QVERIFY(TestFiles::WriteRaw(sPath, "Dropped:Tempo=90:4c1 8d2"));
        QVERIFY(Open(true));
        Choose(1, false);
        QGuiApplication::clipboard()->setText("Keep me");

        auto* pData = new QMimeData;
        if (bFile)
            pData->setUrls({QUrl::fromLocalFile(sPath)});
        else
            pData->setText("Dropped:Tempo=90:4c1 8d2");
        const std::unique_ptr<QMimeData> data(pData);
        Drop(pData);

        QCOMPARE(Box("txtName"), QStringLiteral("Dropped"));
        QCOMPARE(Results(), QStringLiteral("1, 28*"));
        QCOMPARE(Caption(), sCaption);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Keep me"));
        if (bFile)
            QCOMPARE(CProgram::FromEngine(CProgram::Nokia().FilePath),
                     QFileInfo(sPath).absolutePath());
        QVERIFY(CWindowFixture::TakeShown().isEmpty());
    }

    void otherDropsAreRefused() {
        QTemporaryDir elsewhere;
        QVERIFY(elsewhere.isValid());
        QVERIFY(Open(true));
        const QList<QList<QUrl>> refused{
            {QUrl::fromLocalFile(elsewhere.path())},
            {QUrl::fromLocalFile(m_pFixture->Path("keep.TXT")),
             QUrl::fromLocalFile(m_pFixture->Path("keep.TXT"))},
            {QUrl(QStringLiteral("http://www.ringwright.example/tone.TXT"))}};
        for (const QList<QUrl>& urls : refused) {
            QMimeData data;
            data.setUrls(urls);
            data.setText(urls.first().toString());
            Drop(&data);
            QVERIFY(Results().isEmpty());
            QCOMPARE(Caption(), QStringLiteral("Conversion Results"));
        }
    }
};

QTEST_MAIN(CRingToneSourceTest)
#include "CRingToneSourceTest.moc"
