#include "mainwindow/CSoundExport.h"

#include "mainwindow/CRingToneExport.h"
#include "mainwindow/CSaveTarget.h"
#include "tune/CSoundFile.h"
#include "tune/CTune.h"
#include "widgets/CMessageBox.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <array>

namespace {

struct KindFilter {
    CSoundFile::Kind iKind;
    const char* sFilter;
};

// In the order the dialog offers them; the first is proposed.
constexpr std::array<KindFilter, 4> Kinds = {{
    {CSoundFile::Kind::Wav, "WAV sound (*.wav)"},
    {CSoundFile::Kind::Flac, "FLAC sound (*.flac)"},
    {CSoundFile::Kind::OggVorbis, "Ogg Vorbis sound (*.ogg)"},
    {CSoundFile::Kind::Mp3, "MP3 sound (*.mp3)"},
}};

} // namespace

CSoundExport::CSoundExport(QWidget* pParent) : m_pParent(pParent) {}

void CSoundExport::Save(const CTune& tune, const QString& sFolder, const QString& sName) {
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
    std::optional<CSoundFile::Kind> iKind =
        CSoundFile::KindOf(QFile::encodeName(sPath).toStdString());
    if (!iKind) {
        const auto iChosen = filters.indexOf(dialog.selectedNameFilter());
        iKind = Kinds[static_cast<size_t>(std::max<qsizetype>(iChosen, 0))].iKind;
        sPath += QLatin1Char('.') + QLatin1String(CSoundFile::Extension(*iKind));
    }

    // Pipes, devices, folders and broken links are refused, as Save does.
    const QFileInfo target(sPath);
    if (const QString sRefusal = CSaveTarget::Refusal(target.absolutePath(), target.fileName());
        !sRefusal.isEmpty()) {
        CRingToneExport::ReportSaveFailure(m_pParent, sPath, sRefusal);
        return;
    }
    if (target.exists() &&
        CMessageBox::Show(m_pParent,
                          QStringLiteral("The file already exists.  Do you want to overwrite it?"),
                          QStringLiteral("Overwrite File?"), CMessageBox::NoIcon,
                          CMessageBox::YesNo) != CMessageBox::Yes)
        return;

    // The file as a whole, or the old one kept: the same checks as Save.
    const std::string sReason = CSoundFile::Write(tune, QFile::encodeName(sPath).toStdString(),
                                                  *iKind, {sName.toStdString(), {}});
    if (!sReason.empty() && sReason != CSoundFile::Cancelled)
        CRingToneExport::ReportSaveFailure(m_pParent, sPath, QString::fromLocal8Bit(sReason));
}
