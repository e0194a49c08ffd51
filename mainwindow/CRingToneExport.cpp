#include "mainwindow/CRingToneExport.h"

#include "dialogs/frmSaveAs.h"
#include "engine/CNokia.h"
#include "engine/RingToneText.h"
#include "engine/modNOK.h"
#include "files/CFileReplacement.h"
#include "files/SaveTarget.h"
#include "midi/MidiExport.h"
#include "tune/CSoundFile.h"
#include "tune/CTune.h"
#include "widgets/CMessageBox.h"
#include "widgets/CProgram.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <array>
#include <exception>
#include <limits>
#include <optional>

namespace {
// The file the converter names at this moment.
QString Target() {
    const CNokia& nokia = CProgram::Nokia();
    return CProgram::JoinPath(CProgram::FromEngine(nokia.FilePath),
                              CProgram::FromEngine(nokia.FileName));
}

// Before the dialog has run: the file last read or saved, or, when there is
// none, the file the dialog would propose for the name typed.
QString ProposedTarget(const QString& sName, int16_t iForm) {
    const CNokia& nokia = CProgram::Nokia();
    if (!nokia.FileName.empty())
        return Target();
    return CProgram::JoinPath(CProgram::FromEngine(nokia.FilePath),
                              sName + CProgram::FromEngine(RingToneText::Extension(iForm)));
}

// The tempo box read by the whole-number rule, or a failure that says what
// the box holds instead.
int16_t TempoOf(const QString& sTempo) {
    try {
        return modNOK::WholeNumber(CProgram::ToEngine(sTempo));
    } catch (const modNOK::Failure& e) {
        const QString sRule = e.what() == std::string(modNOK::Overflow)
                                  ? QStringLiteral("a whole number from -32768 to 32767")
                                  : QStringLiteral("a whole number");
        throw modNOK::Failure(CProgram::ToEngine(
            QStringLiteral("The tempo box holds \"%1\", not %2").arg(sTempo, sRule)));
    }
}

// The file always goes into the ringtone folder: a folder part would lead
// out of it, and "." or ".." name folders themselves. The Save-As dialog adds
// a four-character extension, so the name typed is checked without it too.
QString NameRefusal(const QString& sFileName) {
    if (sFileName.contains(QLatin1Char('/')))
        return QStringLiteral("A file name cannot contain \"/\"; the file is always saved in "
                              "the ringtone folder");
    const QString sTyped = sFileName.left(sFileName.size() - 4);
    for (const QString& sName : {sFileName, sTyped}) {
        if (sName == QLatin1String(".") || sName == QLatin1String(".."))
            return QStringLiteral("\".\" and \"..\" are not file names");
    }
    return {};
}

// Empty when a save may write the name into the folder: only a plain name,
// onto nothing or onto a plain file (a symbolic link to one writes its
// target). Pipes, devices, sockets, folders and broken links are refused.
QString Refusal(const QString& sFolder, const QString& sFileName) {
    QString sReason = NameRefusal(sFileName);
    if (sReason.isEmpty()) {
        const SaveTarget::Place place = SaveTarget::Examine(
            QFile::encodeName(CProgram::JoinPath(sFolder, sFileName)).toStdString());
        sReason = QString::fromStdString(SaveTarget::KindRefusal(place, false));
    }
    return sReason;
}

// What Save as Sound writes: a sound kind, or MIDI.
struct KindFilter {
    std::optional<CSoundFile::Kind> iKind; // none: MIDI
    const char* sFilter;
};

// In the order the dialog offers them; the first is proposed.
const std::array<KindFilter, 5> Kinds = {{
    {CSoundFile::Kind::Wav, "WAV sound (*.wav)"},
    {CSoundFile::Kind::Flac, "FLAC sound (*.flac)"},
    {CSoundFile::Kind::OggVorbis, "Ogg Vorbis sound (*.ogg)"},
    {CSoundFile::Kind::Mp3, "MP3 sound (*.mp3)"},
    {std::nullopt, "MIDI (*.mid)"},
}};

QString ExtensionOf(const KindFilter& kind) {
    return QLatin1String(kind.iKind ? CSoundFile::Extension(*kind.iKind) : "mid");
}

// The kind a name's ending names, in any case; none for any other name.
std::optional<size_t> KindNamed(const QString& sPath) {
    const std::optional<CSoundFile::Kind> iSound =
        CSoundFile::KindOf(QFile::encodeName(sPath).toStdString());
    if (!iSound && QFileInfo(sPath).suffix().compare(QLatin1String("mid"), Qt::CaseInsensitive))
        return std::nullopt;
    // No sound kind here is MIDI's row.
    for (size_t i = 0; i < Kinds.size(); ++i)
        if (Kinds[i].iKind == iSound)
            return i;
    return std::nullopt;
}

// After this long a save shows its progress.
constexpr int ProgressDelayMs = 300;
} // namespace

CRingToneExport::CRingToneExport(QWidget* pParent) : m_pParent(pParent) {}

QString CRingToneExport::Text(const Shown& shown) {
    return CProgram::FromEngine(RingToneText::Format(CProgram::ToEngine(shown.Name),
                                                     CProgram::ToEngine(shown.Tempo), shown.Form,
                                                     CProgram::ToEngine(shown.Notes)));
}

void CRingToneExport::Save(const Shown& shown) {
    if (shown.Name.isEmpty() || shown.Tempo.isEmpty()) {
        CMessageBox::Show(m_pParent, QStringLiteral("Please type in a Ringtone name and Tempo."));
        return;
    }

    CNokia& nokia = CProgram::Nokia();
    try {
        nokia.RingToneName = CProgram::ToEngine(shown.Name);
        nokia.Tempo = TempoOf(shown.Tempo);
        const QString sText = Text(shown);

        // The name last read or saved, without its extension; otherwise the
        // ringtone's own name.
        QString sProposed = CProgram::FromEngine(nokia.FileName);
        if (sProposed.isEmpty()) {
            sProposed = CProgram::FromEngine(nokia.RingToneName);
        } else {
            if (sProposed.size() < 4)
                throw modNOK::Failure("The file name is too short");
            sProposed.chop(4);
        }

        if (!m_pSaveAsDialog)
            m_pSaveAsDialog = new frmSaveAs(m_pParent);
        m_pSaveAsDialog->SaveAsType(shown.Form);
        m_pSaveAsDialog->Prepare();
        m_pSaveAsDialog->txtFilename()->setText(sProposed);
        m_pSaveAsDialog->exec();
        if (m_pSaveAsDialog->Cancelled())
            return;

        // The dialog names the file only; it always goes into the ringtone
        // folder.
        const QString sFolder = CProgram::FromEngine(nokia.FilePath);
        const QString sFileName = CProgram::FromEngine(nokia.FileName);
        // A name that could never be written is refused before the question.
        if (const QString sRefusal = Refusal(sFolder, sFileName); !sRefusal.isEmpty()) {
            ReportSaveFailure(m_pParent, Target(), sRefusal);
            return;
        }
        if (QFileInfo(CProgram::JoinPath(sFolder, sFileName)).isFile() &&
            CMessageBox::Show(m_pParent,
                              QStringLiteral("The file already exists.  Do you want to "
                                             "overwrite it?"),
                              QStringLiteral("Overwrite File?"), CMessageBox::NoIcon,
                              CMessageBox::YesNo) != CMessageBox::Yes)
            return;

        QString sFailure;
        if (!WriteText(sFolder, sFileName, sText, sFailure))
            ReportSaveFailure(m_pParent, Target(), sFailure);
    } catch (const std::exception& e) {
        ReportSaveFailure(m_pParent, ProposedTarget(shown.Name, shown.Form),
                          CProgram::FromEngine(e.what()));
    }
}

bool CRingToneExport::WriteText(const QString& sFolder, const QString& sFileName,
                                const QString& sText, QString& sFailure) {
    sFailure = Refusal(sFolder, sFileName);
    if (!sFailure.isEmpty())
        return false;
    CFileReplacement file;
    if (file.Open(QFile::encodeName(CProgram::JoinPath(sFolder, sFileName)).toStdString(), false)) {
        file.Write(CProgram::ToEngine(sText) + "\r\n");
        if (file.Commit())
            return true;
    }
    sFailure = QString::fromLocal8Bit(file.Reason());
    return false;
}

void CRingToneExport::SaveSound(const CTune& tune, const QString& sFolder, const QString& sName,
                                const std::function<void(bool)>& fnBusy) {
    if (m_bSavingSound)
        return;
    if (tune.Notes().empty()) {
        CMessageBox::Show(m_pParent,
                          QStringLiteral("There are no notes to save.  Please get a ringtone "
                                         "first."));
        return;
    }

    // The toolkit's own dialog, the same on every desktop; the overwrite
    // question comes afterwards, once the kind's ending is known.
    QFileDialog dialog(m_pParent, QStringLiteral("Save as Sound"), sFolder);
    dialog.setObjectName(QStringLiteral("dlgSaveSound"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    QStringList filters;
    for (const KindFilter& kind : Kinds)
        filters << QString::fromLatin1(kind.sFilter);
    dialog.setNameFilters(filters);
    dialog.selectFile(sName.isEmpty() ? QStringLiteral("ringtone") : sName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;

    // A name that ends in a kind's ending is saved as that kind; any other
    // name gets the ending of the kind chosen in the dialog.
    QString sPath = dialog.selectedFiles().constFirst();
    std::optional<size_t> iKind = KindNamed(sPath);
    if (!iKind) {
        iKind = static_cast<size_t>(
            std::max<qsizetype>(filters.indexOf(dialog.selectedNameFilter()), 0));
        sPath += QLatin1Char('.') + ExtensionOf(Kinds[*iKind]);
    }
    const std::optional<CSoundFile::Kind> iSound = Kinds[*iKind].iKind;

    // Pipes, devices, folders and broken links are refused, as Save does.
    const QFileInfo target(sPath);
    if (const QString sRefusal = Refusal(target.absolutePath(), target.fileName());
        !sRefusal.isEmpty()) {
        ReportSaveFailure(m_pParent, sPath, sRefusal);
        return;
    }
    if (target.exists() &&
        CMessageBox::Show(m_pParent,
                          QStringLiteral("The file already exists.  Do you want to overwrite it?"),
                          QStringLiteral("Overwrite File?"), CMessageBox::NoIcon,
                          CMessageBox::YesNo) != CMessageBox::Yes)
        return;

    // Too long a sound is refused before anything is written; then the
    // file is opened here, refusing what Save refuses (a read-only file).
    const std::string sTitle = sName.toStdString();
    std::string sReason;
    if (iSound)
        sReason = CSoundFile::Refusal(tune.TotalSamples(), *iSound);
    CFileReplacement output;
    if (sReason.empty() && !output.Open(QFile::encodeName(sPath).toStdString(), false))
        sReason = output.Reason();
    if (sReason.empty()) {
        m_bSavingSound = true;
        if (fnBusy)
            fnBusy(true);
        sReason = WriteAway(target.fileName(), [&]() -> std::string {
            if (iSound)
                return CSoundFile::Write(tune, *iSound, output,
                                         {sTitle, [this](int64_t iWritten, int64_t iTotal) {
                                              m_iWritten = iWritten;
                                              m_iTotal = iTotal;
                                              return !m_bCancel;
                                          }});
            output.Write(MidiExport::Bytes(tune, sTitle));
            return output.Commit() ? std::string() : output.Reason();
        });
        m_bSavingSound = false;
        if (fnBusy)
            fnBusy(false);
    }
    // The file as a whole, or the old one kept.
    if (!sReason.empty() && sReason != CSoundFile::Cancelled)
        ReportSaveFailure(m_pParent, sPath, QString::fromLocal8Bit(sReason));
}

std::string CRingToneExport::WriteAway(const QString& sFileName,
                                       const std::function<std::string()>& fnWrite) {
    m_bCancel = false;
    m_iWritten = 0;
    m_iTotal = 0;
    std::string sResult;
    QThread* pThread = QThread::create([&] {
        try {
            sResult = fnWrite();
        } catch (const std::exception& e) {
            sResult = e.what();
        }
    });
    QEventLoop loop;
    QObject::connect(pThread, &QThread::finished, &loop, &QEventLoop::quit);

    QProgressDialog progress(QStringLiteral("Saving ") + sFileName + QStringLiteral("..."),
                             QStringLiteral("Cancel"), 0, 100, m_pParent);
    progress.setMinimumWidth(progress.fontMetrics().averageCharWidth() * 48);
    progress.setObjectName(QStringLiteral("dlgSaveSoundProgress"));
    progress.setWindowTitle(CProgram::Caption());
    progress.setWindowModality(Qt::WindowModal);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    // Shown by the timer below, not by the dialog's own guess.
    progress.setMinimumDuration(std::numeric_limits<int>::max());
    progress.reset();
    QObject::connect(&progress, &QProgressDialog::canceled, [this] { m_bCancel = true; });

    QElapsedTimer elapsed;
    elapsed.start();
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (progress.wasCanceled())
            m_bCancel = true;
        const int64_t iTotal = m_iTotal;
        if (iTotal > 0)
            progress.setValue(static_cast<int>(100 * m_iWritten / iTotal));
        if (!progress.isVisible() && !m_bCancel && elapsed.elapsed() >= ProgressDelayMs)
            progress.show();
    });
    poll.start();
    pThread->start();
    loop.exec();
    // The program is ending while the thread still writes.
    if (!pThread->isFinished())
        m_bCancel = true;
    pThread->wait();
    delete pThread;
    return sResult;
}

void CRingToneExport::ReportSaveFailure(QWidget* pParent, const QString& sPath,
                                        const QString& sReason) {
    CMessageBox::Show(pParent, QStringLiteral("An error occurred trying to save ") + sPath +
                                   QStringLiteral(". [") + sReason + QStringLiteral("]"));
}

void CRingToneExport::Copy(const Shown& shown) {
    const QString sText = Text(shown);
    static const char* const Confirmations[] = {
        "Keypresses have been copied to clipboard.",
        "Composer notes have been copied to clipboard.",
        "Nokring RTTTL notes have been copied to clipboard.",
    };
    CMessageBox::Show(m_pParent, QString::fromLatin1(Confirmations[shown.Form]));

    // Only now, once the box is closed, does the clipboard change.
    QClipboard* pClipboard = QGuiApplication::clipboard();
    pClipboard->clear();
    pClipboard->setText(sText);
    // The clipboard reports no failure of its own; reading the text back
    // shows whether it really holds it.
    if (pClipboard->text() != sText)
        CMessageBox::Show(m_pParent,
                          QStringLiteral("An error occurred trying to copy the ringtone to "
                                         "the clipboard. [The clipboard could not be "
                                         "written]"));
}
