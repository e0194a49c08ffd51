#include "mainwindow/CRingToneSource.h"

#include "dialogs/frmOpen.h"
#include "engine/CNokia.h"
#include "mainwindow/CRingToneFile.h"
#include "widgets/CMessageBox.h"
#include "widgets/CProgram.h"

#include <QClipboard>
#include <QGuiApplication>
#include <algorithm>

namespace {
// A file that is no ringtone at all: nothing is converted.
void Refuse(QWidget* pParent, const QString& sPath, const char* sWhy, const char* sTitle) {
    CMessageBox::Show(pParent, QStringLiteral("The file ") + sPath + QString::fromLatin1(sWhy),
                      QString::fromLatin1(sTitle), CMessageBox::Exclamation);
}
} // namespace

std::optional<CRingToneSource::Taken> CRingToneSource::FromFile(QWidget* pParent,
                                                                const CNokia& nokia) {
    if (!frmOpen::Pick(pParent, nokia.SourceType, CProgram::FromEngine(nokia.FilePath)))
        return std::nullopt;
    return FromNamedFile(pParent, nokia);
}

std::optional<CRingToneSource::Taken> CRingToneSource::FromNamedFile(QWidget* pParent,
                                                                     const CNokia& nokia) {
    const QString sFileName = CProgram::FromEngine(nokia.FileName);
    const QString sPath = CProgram::JoinPath(CProgram::FromEngine(nokia.FilePath), sFileName);
    const CRingToneFile::Result read = CRingToneFile::Read(sPath);
    switch (read.Outcome) {
    case CRingToneFile::Loaded:
        break;
    case CRingToneFile::CannotOpen:
        CMessageBox::Show(pParent, QStringLiteral("Could not open file ") + sPath);
        break;
    case CRingToneFile::TooLarge:
        Refuse(pParent, sPath,
               " is too large to be a ringtone.  Please choose a file that holds only the "
               "ringtone text.",
               "RingTone Too Large");
        return std::nullopt;
    case CRingToneFile::NotText:
        Refuse(pParent, sPath,
               " is not a ringtone text file.  Please choose a file that holds the ringtone "
               "as text.",
               "Not a RingTone File");
        return std::nullopt;
    }
    return Taken{read.Text, sFileName};
}

std::optional<CRingToneSource::Taken> CRingToneSource::FromClipboard(QWidget* pParent) {
    QClipboard* pClipboard = QGuiApplication::clipboard();
    const QString sText = pClipboard->text();
    if (!Acceptable(pParent, sText))
        return std::nullopt;
    // The text leaves the clipboard before anything is converted.
    pClipboard->clear();
    return Taken{sText, QStringLiteral("Clipboard")};
}

std::optional<CRingToneSource::Taken> CRingToneSource::FromDroppedText(QWidget* pParent,
                                                                       const QString& sText) {
    if (!Acceptable(pParent, sText))
        return std::nullopt;
    return Taken{sText, QStringLiteral("Dropped text")};
}

bool CRingToneSource::Acceptable(QWidget* pParent, const QString& sText) {
    // Blanks are spaces only: a line break or a tab is text to convert.
    if (std::all_of(sText.cbegin(), sText.cend(),
                    [](QChar cChar) { return cChar == QLatin1Char(' '); })) {
        CMessageBox::Show(pParent,
                          QStringLiteral("The clipboard is empty.  Please highlight and copy "
                                         "some ringtone text from a webpage or other "
                                         "document."),
                          QStringLiteral("No RingTone in Clipboard"), CMessageBox::Information);
        return false;
    }
    if (!CRingToneFile::Fits(sText)) {
        // Refused before the clipboard is touched: the user may still want
        // what it holds.
        CMessageBox::Show(pParent,
                          QStringLiteral("The clipboard holds too much text to be a "
                                         "ringtone.  Please highlight and copy only the "
                                         "ringtone text from a webpage or other document."),
                          QStringLiteral("RingTone Too Large"), CMessageBox::Exclamation);
        return false;
    }
    return true;
}
