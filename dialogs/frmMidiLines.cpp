#include "dialogs/frmMidiLines.h"

#include "engine/CNokia.h"
#include "engine/Forms.h"
#include "engine/modNOK.h"
#include "midi/CMidiFile.h"
#include "tune/CTune.h"
#include "widgets/CAccessibleName.h"
#include "widgets/CMessageBox.h"
#include "widgets/CProgram.h"
#include "widgets/CWindowPlacement.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

namespace {

const QString PlayCaption = QStringLiteral("&Play");
const QString StopCaption = QStringLiteral("&Stop");
constexpr int LineRole = Qt::UserRole;
constexpr int VisibleRows = 8;

// clang-format off
constexpr std::array<const char*, 128> Instruments = {
    "Acoustic Grand Piano", "Bright Acoustic Piano", "Electric Grand Piano", "Honky-tonk Piano",
    "Electric Piano 1", "Electric Piano 2", "Harpsichord", "Clavinet",
    "Celesta", "Glockenspiel", "Music Box", "Vibraphone", "Marimba", "Xylophone",
    "Tubular Bells", "Dulcimer",
    "Drawbar Organ", "Percussive Organ", "Rock Organ", "Church Organ", "Reed Organ",
    "Accordion", "Harmonica", "Tango Accordion",
    "Acoustic Guitar (nylon)", "Acoustic Guitar (steel)", "Electric Guitar (jazz)",
    "Electric Guitar (clean)", "Electric Guitar (muted)", "Overdriven Guitar",
    "Distortion Guitar", "Guitar Harmonics",
    "Acoustic Bass", "Electric Bass (finger)", "Electric Bass (pick)", "Fretless Bass",
    "Slap Bass 1", "Slap Bass 2", "Synth Bass 1", "Synth Bass 2",
    "Violin", "Viola", "Cello", "Contrabass", "Tremolo Strings", "Pizzicato Strings",
    "Orchestral Harp", "Timpani",
    "String Ensemble 1", "String Ensemble 2", "Synth Strings 1", "Synth Strings 2",
    "Choir Aahs", "Voice Oohs", "Synth Voice", "Orchestra Hit",
    "Trumpet", "Trombone", "Tuba", "Muted Trumpet", "French Horn", "Brass Section",
    "Synth Brass 1", "Synth Brass 2",
    "Soprano Sax", "Alto Sax", "Tenor Sax", "Baritone Sax", "Oboe", "English Horn",
    "Bassoon", "Clarinet",
    "Piccolo", "Flute", "Recorder", "Pan Flute", "Blown Bottle", "Shakuhachi", "Whistle",
    "Ocarina",
    "Lead 1 (square)", "Lead 2 (sawtooth)", "Lead 3 (calliope)", "Lead 4 (chiff)",
    "Lead 5 (charang)", "Lead 6 (voice)", "Lead 7 (fifths)", "Lead 8 (bass + lead)",
    "Pad 1 (new age)", "Pad 2 (warm)", "Pad 3 (polysynth)", "Pad 4 (choir)",
    "Pad 5 (bowed)", "Pad 6 (metallic)", "Pad 7 (halo)", "Pad 8 (sweep)",
    "FX 1 (rain)", "FX 2 (soundtrack)", "FX 3 (crystal)", "FX 4 (atmosphere)",
    "FX 5 (brightness)", "FX 6 (goblins)", "FX 7 (echoes)", "FX 8 (sci-fi)",
    "Sitar", "Banjo", "Shamisen", "Koto", "Kalimba", "Bagpipe", "Fiddle", "Shanai",
    "Tinkle Bell", "Agogo", "Steel Drums", "Woodblock", "Taiko Drum", "Melodic Tom",
    "Synth Drum", "Reverse Cymbal",
    "Guitar Fret Noise", "Breath Noise", "Seashore", "Bird Tweet", "Telephone Ring",
    "Helicopter", "Applause", "Gunshot",
};
// clang-format on

// Converting for the preview goes through the engine's shared state, which
// belongs to the ringtone in the main window: it is put back afterwards.
class EngineStateKeeper {
public:
    EngineStateKeeper()
        : m_DefaultDuration(modNOK::DefaultDuration), m_DefaultOctave(modNOK::DefaultOctave),
          m_PhoneDuration(modNOK::PhoneDuration), m_PhoneOctave(modNOK::PhoneOctave),
          m_sErrors(modNOK::ErrorList) {}
    ~EngineStateKeeper() {
        modNOK::DefaultDuration = m_DefaultDuration;
        modNOK::DefaultOctave = m_DefaultOctave;
        modNOK::PhoneDuration = m_PhoneDuration;
        modNOK::PhoneOctave = m_PhoneOctave;
        modNOK::ErrorList.swap(m_sErrors);
    }
    EngineStateKeeper(const EngineStateKeeper&) = delete;
    EngineStateKeeper& operator=(const EngineStateKeeper&) = delete;

private:
    CSharedText m_DefaultDuration;
    CSharedText m_DefaultOctave;
    CSharedText m_PhoneDuration;
    CSharedText m_PhoneOctave;
    std::string m_sErrors;
};

// The ringtone text as the Play button of the main window would play it.
CTune TuneOf(const std::string& sRtttl) {
    const EngineStateKeeper keeper;
    CNokia nokia;
    nokia.SourceType = Notation::Rtttl;
    nokia.OriginalText = sRtttl;
    nokia.Convert();
    return CTune(nokia.Notes, nokia.Tempo);
}

} // namespace

frmMidiLines::frmMidiLines(const CMidiFile& file, QWidget* pParent)
    : QDialog(pParent), m_File(file) {
    setObjectName(QStringLiteral("frmMidiLines"));
    setWindowTitle(QStringLiteral("Import MIDI"));
    setWindowFlags(Qt::Tool | Qt::WindowCloseButtonHint);
    CWindowPlacement::KeepWithOwner(this);
    setModal(true);

    auto* pPrompt = new QLabel(
        QStringLiteral("The file has more than one melody. Choose the &line to import:"), this);
    pPrompt->setObjectName(QStringLiteral("lblLines"));

    lstLines = new QTreeWidget(this);
    lstLines->setObjectName(QStringLiteral("lstLines"));
    pPrompt->setBuddy(lstLines);
    CAccessibleName::Set(lstLines, QStringLiteral("Lines"));
    lstLines->setAccessibleDescription(
        QStringLiteral("Each line of the file with its track, channel, instrument and number of "
                       "notes; the one with the most notes is chosen at first"));
    lstLines->setToolTip(QStringLiteral("Select the line whose melody becomes the ringtone"));
    lstLines->setHeaderLabels({QStringLiteral("Track"), QStringLiteral("Channel"),
                               QStringLiteral("Instrument"), QStringLiteral("Notes")});
    lstLines->setRootIsDecorated(false);
    lstLines->setItemsExpandable(false);
    lstLines->setUniformRowHeights(true);
    lstLines->setAllColumnsShowFocus(true);
    lstLines->setSelectionMode(QAbstractItemView::SingleSelection);
    lstLines->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstLines->setEditTriggers(QAbstractItemView::NoEditTriggers);

    cmdPlay = new QPushButton(this);
    cmdPlay->setObjectName(QStringLiteral("cmdPlay"));
    cmdPlay->setAutoDefault(false);
    // As wide as its wider caption, so that it does not move when it turns.
    cmdPlay->setText(StopCaption);
    const int iStopWidth = cmdPlay->sizeHint().width();
    cmdPlay->setText(PlayCaption);
    cmdPlay->setMinimumWidth(std::max(iStopWidth, cmdPlay->sizeHint().width()));

    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);
    cmdOK = new QPushButton(QStringLiteral("&Ok"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);

    auto* pButtons = new QHBoxLayout;
    pButtons->addWidget(cmdPlay);
    pButtons->addStretch(1);
    pButtons->addWidget(cmdCancel);
    pButtons->addWidget(cmdOK);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(pPrompt);
    pLayout->addWidget(lstLines, 1);
    pLayout->addLayout(pButtons);

    setTabOrder(lstLines, cmdPlay);
    setTabOrder(cmdPlay, cmdOK);
    setTabOrder(cmdOK, cmdCancel);

    // Enter in the list reaches the default button, as anywhere else.
    connect(lstLines, &QTreeWidget::itemDoubleClicked, this, &frmMidiLines::accept);
    connect(lstLines, &QTreeWidget::itemSelectionChanged, this, &frmMidiLines::SelectionChanged);
    connect(cmdPlay, &QPushButton::clicked, this, &frmMidiLines::TogglePlay);
    connect(cmdOK, &QPushButton::clicked, this, &frmMidiLines::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &frmMidiLines::reject);
    connect(&m_Player, &CTunePlayer::finished, this, &frmMidiLines::ShowStopped);
    connect(&m_Player, &CTunePlayer::failed, this, &frmMidiLines::OnFailed);

    Fill();
    ShowStopped();
    adjustSize();
    CWindowPlacement::CentreOnScreen(this);
}

std::optional<int> frmMidiLines::Choose(QWidget* pParent, const CMidiFile& file) {
    frmMidiLines dialog(file, pParent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.ChosenLine();
}

std::optional<int> frmMidiLines::ChosenLine() const {
    const QList<QTreeWidgetItem*> selected = lstLines->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return selected.first()->data(0, LineRole).toInt();
}

QString frmMidiLines::InstrumentName(int iProgram) {
    if (iProgram < 0 || iProgram >= static_cast<int>(Instruments.size()))
        return QStringLiteral("-");
    return QString::fromLatin1(Instruments[static_cast<size_t>(iProgram)]);
}

void frmMidiLines::Fill() {
    const std::vector<CMidiLine>& lines = m_File.Lines();
    for (size_t i = 0; i < lines.size(); ++i) {
        const CMidiLine& line = lines[i];
        const QString sTrack = line.TrackName.empty() ? QStringLiteral("Track %1").arg(line.Track)
                                                      : CProgram::FromEngine(line.TrackName);
        auto* pItem = new QTreeWidgetItem(lstLines, {sTrack, QString::number(line.Channel),
                                                     InstrumentName(line.Program),
                                                     QString::number(line.Melody.size())});
        pItem->setData(0, LineRole, static_cast<int>(i + 1));
        pItem->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        pItem->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
        if (i == m_File.DefaultLine())
            lstLines->setCurrentItem(pItem);
    }

    // Every column whole, and a handful of lines in sight without scrolling.
    for (int iColumn = 0; iColumn < lstLines->columnCount(); ++iColumn)
        lstLines->resizeColumnToContents(iColumn);
    const int iFrame = 2 * lstLines->frameWidth();
    const int iRows = std::clamp(lstLines->topLevelItemCount(), 3, VisibleRows);
    const int iRowHeight =
        lstLines->topLevelItemCount() > 0 ? lstLines->sizeHintForRow(0) : fontMetrics().height();
    lstLines->setMinimumSize(lstLines->header()->length() + iFrame +
                                 lstLines->verticalScrollBar()->sizeHint().width(),
                             lstLines->header()->sizeHint().height() + iRows * iRowHeight + iFrame);
}

void frmMidiLines::SelectionChanged() {
    // A preview is of the line that was chosen when it started.
    m_Player.stop();
    ShowStopped();
    cmdOK->setEnabled(ChosenLine().has_value());
}

void frmMidiLines::TogglePlay() {
    if (m_Player.isPlaying()) {
        m_Player.stop();
        ShowStopped();
        return;
    }
    const std::optional<int> iLine = ChosenLine();
    if (!iLine)
        return;
    const CMidiFile::Ringtone ringtone = m_File.Rtttl(*iLine);
    if (ringtone.Text.empty()) {
        CMessageBox::Show(this, CProgram::FromEngine(ringtone.Error), QString(),
                          CMessageBox::Exclamation);
        return;
    }
    const CTunePlayer::Problem iProblem = m_Player.play(TuneOf(ringtone.Text));
    if (iProblem != CTunePlayer::Problem::None) {
        OnFailed(iProblem);
        return;
    }
    cmdPlay->setText(StopCaption);
    cmdPlay->setToolTip(QStringLiteral("Stop playing the line"));
    CAccessibleName::Set(cmdPlay, StopCaption);
}

void frmMidiLines::ShowStopped() {
    cmdPlay->setText(PlayCaption);
    cmdPlay->setToolTip(QStringLiteral("Play the melody of the selected line"));
    CAccessibleName::Set(cmdPlay, PlayCaption);
    cmdPlay->setEnabled(ChosenLine().has_value());
}

void frmMidiLines::OnFailed(CTunePlayer::Problem iProblem) {
    ShowStopped();
    CMessageBox::Show(this, CTunePlayer::message(iProblem), QString(), CMessageBox::Exclamation);
}

void frmMidiLines::done(int iResult) {
    m_Player.stop();
    QDialog::done(iResult);
}

void frmMidiLines::showEvent(QShowEvent* pEvent) {
    QDialog::showEvent(pEvent);
    lstLines->setFocus(Qt::OtherFocusReason);
    if (QTreeWidgetItem* pItem = lstLines->currentItem())
        lstLines->scrollToItem(pItem);
}
