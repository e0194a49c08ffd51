#include "mainwindow/CRingToneExport.h"

#include "dialogs/frmSaveAs.h"
#include "engine/CNokia.h"
#include "engine/RingToneText.h"
#include "engine/modNOK.h"
#include "mainwindow/CRingToneWriter.h"
#include "mainwindow/CSaveTarget.h"
#include "widgets/CMessageBox.h"
#include "widgets/CProgram.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <exception>

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
        if (const QString sRefusal = CSaveTarget::Refusal(sFolder, sFileName);
            !sRefusal.isEmpty()) {
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
        if (!CRingToneWriter::Write(sFolder, sFileName, sText, sFailure))
            ReportSaveFailure(m_pParent, Target(), sFailure);
    } catch (const std::exception& e) {
        ReportSaveFailure(m_pParent, ProposedTarget(shown.Name, shown.Form),
                          CProgram::FromEngine(e.what()));
    }
}

void CRingToneExport::SaveSound(const CTune& tune, const QString& sFolder, const QString& sName) {
    m_Sound.Save(tune, sFolder, sName);
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
