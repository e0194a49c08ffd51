#include "mainwindow/CRingToneSource.h"

#include "dialogs/frmMidiLines.h"
#include "dialogs/frmOpen.h"
#include "engine/CNokia.h"
#include "files/RingToneFile.h"
#include "midi/CMidiFile.h"
#include "widgets/CMessageBox.h"
#include "widgets/CProgram.h"

#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>
#include <algorithm>
#include <utility>

namespace {
// A file that is no ringtone at all: nothing is converted.
void Refuse(QWidget* pParent, const QString& sPath, const char* sWhy, const char* sTitle) {
    CMessageBox::Show(pParent, QStringLiteral("The file ") + sPath + QString::fromLatin1(sWhy),
                      QString::fromLatin1(sTitle), CMessageBox::Exclamation);
}
} // namespace

CRingToneSource::CRingToneSource(QWidget* pParent, CProgramFolders folders)
    : m_pParent(pParent), m_Folders(std::move(folders)) {}

std::optional<CRingToneSource::Taken> CRingToneSource::FromFile(const CNokia& nokia) const {
    if (!frmOpen::Pick(m_pParent, nokia.SourceType, CProgram::FromEngine(nokia.FilePath),
                       m_Folders))
        return std::nullopt;
    return FromNamedFile(nokia);
}

std::optional<CRingToneSource::Taken> CRingToneSource::FromNamedFile(const CNokia& nokia) const {
    const QString sFileName = CProgram::FromEngine(nokia.FileName);
    const QString sPath = CProgram::JoinPath(CProgram::FromEngine(nokia.FilePath), sFileName);
    const FileText read = ReadFile(sPath);
    switch (read.Outcome) {
    case RingToneFile::Outcome::Read:
        break;
    case RingToneFile::Outcome::CannotOpen:
        CMessageBox::Show(m_pParent, QStringLiteral("Could not open file ") + sPath);
        break;
    case RingToneFile::Outcome::TooLarge:
        Refuse(m_pParent, sPath,
               " is too large to be a ringtone.  Please choose a file that holds only the "
               "ringtone text.",
               "RingTone Too Large");
        return std::nullopt;
    case RingToneFile::Outcome::NotText:
        Refuse(m_pParent, sPath,
               " is not a ringtone text file.  Please choose a file that holds the ringtone "
               "as text.",
               "Not a RingTone File");
        return std::nullopt;
    }
    return Taken{read.Text, sFileName, false};
}

std::optional<CRingToneSource::Taken> CRingToneSource::FromClipboard() const {
    QClipboard* pClipboard = QGuiApplication::clipboard();
    const QString sText = pClipboard->text();
    if (!Acceptable(sText))
        return std::nullopt;
    // The text leaves the clipboard before anything is converted.
    pClipboard->clear();
    return Taken{sText, QStringLiteral("Clipboard"), true};
}

void CRingToneSource::GiveBack(const Taken& taken) {
    if (taken.FromClipboard)
        QGuiApplication::clipboard()->setText(taken.Text);
}

std::optional<CRingToneSource::Taken> CRingToneSource::FromMidiFile(const QString& sPath) const {
    const auto Refuse = [this, &sPath](const std::string& sWhy) {
        CMessageBox::Show(m_pParent,
                          QStringLiteral("The file ") + sPath +
                              QStringLiteral(" cannot be imported: ") + CProgram::FromEngine(sWhy) +
                              QLatin1Char('.'),
                          QStringLiteral("Cannot Import MIDI"), CMessageBox::Exclamation);
    };
    const CMidiFile file = CMidiFile::Load(QFile::encodeName(sPath).toStdString());
    if (!file.Error().empty()) {
        Refuse(file.Error());
        return std::nullopt;
    }
    int iLine = 0; // the default line
    if (file.Lines().size() > 1) {
        const std::optional<int> chosen = frmMidiLines::Choose(m_pParent, file);
        if (!chosen)
            return std::nullopt;
        iLine = *chosen;
    }
    const CMidiFile::Ringtone melody = file.Rtttl(iLine);
    if (!melody.Error.empty()) {
        Refuse(melody.Error);
        return std::nullopt;
    }
    return Taken{CProgram::FromEngine(melody.Text), QFileInfo(sPath).fileName(), false};
}

bool CRingToneSource::IsMidiFile(const QString& sFileName) {
    // The command line's rule, so that both read the same files as MIDI.
    return CMidiFile::IsMidiName(QFile::encodeName(sFileName).toStdString());
}

std::optional<CRingToneSource::Taken> CRingToneSource::FromDrop(const Dropped& dropped,
                                                                CNokia& nokia) const {
    switch (dropped.iKind) {
    case File:
        nokia.FilePath = CProgram::ToEngine(dropped.sFolder);
        nokia.FileName = CProgram::ToEngine(dropped.sFileName);
        return FromNamedFile(nokia);
    case Text:
        if (!Acceptable(dropped.sText))
            return std::nullopt;
        return Taken{dropped.sText, QStringLiteral("Dropped text"), false};
    case Refused:
        break;
    }
    return std::nullopt;
}

CRingToneSource::Dropped CRingToneSource::ReadDrop(const QMimeData* pData) {
    Dropped dropped;
    if (!pData)
        return dropped;
    if (pData->hasUrls()) {
        const QList<QUrl> urls = pData->urls();
        if (urls.size() != 1 || !urls.first().isLocalFile())
            return dropped;
        const QFileInfo info(urls.first().toLocalFile());
        if (!info.isFile())
            return dropped;
        dropped.iKind = File;
        dropped.sFolder = info.absolutePath();
        dropped.sFileName = info.fileName();
        return dropped;
    }
    if (pData->hasText()) {
        dropped.iKind = Text;
        dropped.sText = pData->text();
    }
    return dropped;
}

bool CRingToneSource::Acceptable(const QString& sText) const {
    // Blanks are spaces only: a line break or a tab is text to convert.
    if (std::all_of(sText.cbegin(), sText.cend(),
                    [](QChar cChar) { return cChar == QLatin1Char(' '); })) {
        CMessageBox::Show(m_pParent,
                          QStringLiteral("The clipboard is empty.  Please highlight and copy "
                                         "some ringtone text from a webpage or other "
                                         "document."),
                          QStringLiteral("No RingTone in Clipboard"), CMessageBox::Information);
        return false;
    }
    if (!Fits(sText)) {
        // Refused before the clipboard is touched: the user may still want
        // what it holds.
        CMessageBox::Show(m_pParent,
                          QStringLiteral("The clipboard holds too much text to be a "
                                         "ringtone.  Please highlight and copy only the "
                                         "ringtone text from a webpage or other document."),
                          QStringLiteral("RingTone Too Large"), CMessageBox::Exclamation);
        return false;
    }
    return true;
}

CRingToneSource::FileText CRingToneSource::ReadFile(const QString& sPath) {
    const RingToneFile::Result read = RingToneFile::Read(QFile::encodeName(sPath).toStdString());
    return {read.iOutcome, CProgram::FromEngine(read.sText)};
}

bool CRingToneSource::Fits(const QString& sText) {
    // Every UTF-16 unit takes at least one byte: a longer text never fits,
    // and is not converted to find out.
    return sText.size() <= MaxLength && RingToneFile::Fits(sText.toUtf8().toStdString());
}
