#include "mainwindow/frmConverter.h"

#include "dialogs/CInstructions.h"
#include "dialogs/frmHelp.h"
#include "dialogs/frmInfo.h"
#include "engine/CNokia.h"
#include "engine/Forms.h"
#include "engine/PhoneFit.h"
#include "mainwindow/CConverterSettings.h"
#include "resources/CResources.h"
#include "widgets/CClickLabel.h"
#include "widgets/CMessageBox.h"
#include "widgets/CProgram.h"
#include "widgets/CWindowPlacement.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTextEdit>
#include <QTimer>

namespace {

// Tab stops at the chosen option of a group, as on other desktops, and the
// arrow keys move between the options. Left to itself the toolkit stops at
// the option that last had the focus, which need not be the chosen one.
template <size_t N> void TabToChosen(const std::array<QRadioButton*, N>& group) {
    for (QRadioButton* pOption : group) {
        const int iPolicy = pOption->focusPolicy();
        pOption->setFocusPolicy(static_cast<Qt::FocusPolicy>(
            pOption->isChecked() ? iPolicy | Qt::TabFocus : iPolicy & ~Qt::TabFocus));
    }
}

} // namespace

frmConverter::frmConverter(const CProgramFolders& folders, QWidget* pParent)
    : QMainWindow(pParent), m_Folders(folders) {
    setObjectName(QStringLiteral("frmConverter"));
    CResources::Init();
    BuildWidgets(this);
    m_pResults = std::make_unique<CResultsBox>(CResultsBox::Controls{
        fraResults, txtName, txtTempo, lblNoteCount, lblRemaining, lblMsg, rtf});
    m_pPlayback = new CTunePlayback({cmdPlay, txtName, txtTempo, rtf, lblMsg}, CProgram::Nokia(),
                                    *m_pResults, this);
    Clear();
    // A tune is dropped on the window as a whole, not into one of its boxes.
    setAcceptDrops(true);
    for (QWidget* pBox : {static_cast<QWidget*>(txtName), static_cast<QWidget*>(txtTempo),
                          static_cast<QWidget*>(rtf)})
        pBox->setAcceptDrops(false);
    // The layout is fixed: the window neither grows nor shrinks.
    adjustSize();
    setFixedSize(sizeHint());
    BuildMenus(menuBar());
    SetTabOrder();
    ConnectControls();
    EnableFit();
    CWindowPlacement::FitOnScreen(this);
    StartUp();
}

// Silent before the marks it sets go.
frmConverter::~frmConverter() {
    m_pPlayback->Stop();
    // Gone before the results box and the widgets it reports to, so that
    // nothing the player still says on its way out reaches them.
    delete m_pPlayback;
}

// A selection that changes, by a click or by start-up, runs the option's
// handling; clicking the option already selected changes nothing.
template <size_t N>
void frmConverter::ConnectGroup(const std::array<QRadioButton*, N>& group,
                                void (frmConverter::*pfnChosen)(int)) {
    for (size_t i = 0; i < N; ++i)
        connect(group[i], &QRadioButton::toggled, this, [this, &group, pfnChosen, i](bool bOn) {
            if (!bOn)
                return;
            TabToChosen(group);
            (this->*pfnChosen)(static_cast<int>(i));
        });
    TabToChosen(group);
}

void frmConverter::ConnectControls() {
    ConnectGroup(optSource, &frmConverter::SourceOptionChosen);
    ConnectGroup(optFile, &frmConverter::FileOptionChosen);
    ConnectGroup(optShowAs, &frmConverter::ShowAsOptionChosen);

    connect(cmdGet, &QPushButton::clicked, this, &frmConverter::Get);
    connect(mnuFile, &QMenu::aboutToShow, this, [this] {
        // Not while a sound is being saved.
        for (QAction* pItem : {mnuFileSave, mnuFileSaveSound}) {
            EnableWhileResults(pItem);
            pItem->setEnabled(pItem->isEnabled() && !m_Export.SavingSound());
        }
    });
    connect(mnuEdit, &QMenu::aboutToShow, this, [this] { EnableWhileResults(mnuEditCopy); });
    connect(mnuFileNew, &QAction::triggered, this, &frmConverter::FileNew);
    connect(mnuFileSave, &QAction::triggered, this, [this] { m_Export.Save(ShownRingTone()); });
    connect(mnuFileSaveSound, &QAction::triggered, this, &frmConverter::SaveSound);
    connect(mnuFileImportMidi, &QAction::triggered, this, &frmConverter::ImportMidi);
    connect(mnuEditCopy, &QAction::triggered, this, [this] { m_Export.Copy(ShownRingTone()); });
    connect(mnuFit, &QAction::triggered, this, &frmConverter::Fit);
    connect(cmdFit, &QPushButton::clicked, this, &frmConverter::Fit);
    connect(mnuUndoFit, &QAction::triggered, this, &frmConverter::UndoFit);
    connect(mnuFileExit, &QAction::triggered, this, &QWidget::close);
    connect(mnuHelpInfo, &QAction::triggered, this,
            [this] { CInstructions::Open(this, m_Folders); });
    connect(mnuHelpAbout, &QAction::triggered, this, [this] { ShowAbout(this); });
    // The numbered labels open their step's quick help; the legend's square
    // only shows what to look for.
    const QCursor helpCursor = frmHelp::HelpCursor();
    for (size_t i = 0; i < lblNum.size(); ++i) {
        lblNum[i]->setCursor(helpCursor);
        connect(lblNum[i], &CClickLabel::clicked, this,
                [this, i] { LoadHelp(static_cast<qint16>(i + 1)); });
    }
    // The numbers take no focus; F1 reaches them from the keyboard.
    auto* pHelpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
    pHelpKey->setObjectName(QStringLiteral("HelpKey"));
    connect(pHelpKey, &QShortcut::activated, this, &frmConverter::HelpForFocus);
}

void frmConverter::StartUp() {
    CWindowPlacement::CentreOnScreen(this);
    CNokia& nokia = CProgram::Nokia();
    bLoading = true;

    const CConverterSettings::Values stored =
        CConverterSettings::Read(nokia.SourceType, nokia.ShowType);
    nokia.SourceType = stored.SourceType;
    nokia.ShowType = stored.ShowType;
    // Still loading: the display handling ignores this selection.
    optShowAs[static_cast<size_t>(nokia.ShowType)]->setChecked(true);

    // Nothing remembered: a first run, greeted before the window appears.
    if (stored.RingToneFolder.isEmpty())
        ShowAbout(nullptr);
    nokia.FilePath =
        CProgram::ToEngine(CConverterSettings::StartFolder(stored.RingToneFolder, m_Folders));

    // The source handling runs once, whether or not the selection changes.
    QRadioButton* pSource = optSource[static_cast<size_t>(nokia.SourceType)];
    if (pSource->isChecked())
        SourceOptionChosen(nokia.SourceType);
    else
        pSource->setChecked(true);

    if (stored.FromFile)
        optFile[*stored.FromFile ? 0 : 1]->setChecked(true);

    setWindowTitle(CProgram::Caption());
    bLoading = false;
}

void frmConverter::closeEvent(QCloseEvent* pEvent) {
    // A sound being saved is cancelled first, keeping the old file; the
    // window closes once the writing has stopped.
    if (m_Export.SavingSound()) {
        m_Export.CancelSound();
        m_bCloseAfterSave = true;
        pEvent->ignore();
        return;
    }
    m_pPlayback->Stop();
    const CNokia& nokia = CProgram::Nokia();
    CConverterSettings::Values values;
    values.RingToneFolder = CProgram::FromEngine(nokia.FilePath);
    values.SourceType = nokia.SourceType;
    values.ShowType = nokia.ShowType;
    values.FromFile = optFile[0]->isChecked();
    CConverterSettings::Write(values);
    pEvent->accept();
}

void frmConverter::Clear() {
    // Whatever empties the results area ends what was playing.
    m_pPlayback->Stop();
    m_pResults->Clear();
    m_sOrigin.clear();
    m_sGotText.reset();
    EnableFit();
}

void frmConverter::SourceOptionChosen(int iIndex) {
    CNokia& nokia = CProgram::Nokia();
    nokia.Clear();
    nokia.SourceType = iIndex;
    Clear();
}

void frmConverter::FileOptionChosen(int /*iIndex*/) {
    // Get and closing read the choice from the options themselves.
    CProgram::Nokia().Clear();
    Clear();
}

void frmConverter::ShowAsOptionChosen(int iIndex) {
    if (bLoading)
        return;
    CNokia& nokia = CProgram::Nokia();
    nokia.ShowType = static_cast<int16_t>(iIndex);
    // The notes already parsed are only shown again in the new form; the
    // name, tempo and counts stay as they are, and so does the message unless
    // the form is too long to show.
    if (nokia.OriginalText.empty())
        return;
    m_pResults->ShowForm(nokia);
}

void frmConverter::HelpForFocus() {
    const QWidget* pFocus = focusWidget();
    qint16 iHelpNum = 1;
    for (size_t i = 0; i < fraWiz.size(); ++i)
        if (fraWiz[i]->isAncestorOf(pFocus))
            iHelpNum = static_cast<qint16>(i + 1);
    if (fraResults->isAncestorOf(pFocus))
        iHelpNum = 4;
    LoadHelp(iHelpNum);
}

void frmConverter::FileNew() {
    CProgram::Nokia().Clear();
    Clear();
    optSource[Notation::Composer]->setFocus(Qt::OtherFocusReason);
}

void frmConverter::LoadHelp(qint16 iHelpNum) {
    // The help window deletes itself when closed.
    auto* pHelp = new frmHelp(this);
    pHelp->setHelpNum(iHelpNum);
    pHelp->Load();
}

void frmConverter::ShowAbout(QWidget* pParent) {
    frmInfo about(pParent);
    about.exec();
}

void frmConverter::EnableWhileResults(QAction* pItem) {
    pItem->setEnabled(!rtf->toPlainText().isEmpty());
}

void frmConverter::Get() {
    CNokia& nokia = CProgram::Nokia();
    nokia.Clear();
    Clear();

    GetFrom(optFile[0]->isChecked() ? m_Source.FromFile(nokia) : m_Source.FromClipboard());
}

void frmConverter::GetFrom(const std::optional<CRingToneSource::Taken>& taken) {
    if (!taken)
        return;
    CNokia& nokia = CProgram::Nokia();
    nokia.OriginalText = CProgram::ToEngine(taken->Text);
    ConvertAndShow(taken->Origin);
    // A bad header leaves no note either: the text was read in the wrong
    // notation, so it stays at hand for another Get.
    if (nokia.Notes.Count() == 0)
        CRingToneSource::GiveBack(*taken);
    ReportErrors();
}

void frmConverter::ReportErrors() {
    const QString sReport = CResultsBox::ErrorReport();
    if (!sReport.isEmpty())
        CMessageBox::Show(this, sReport, QStringLiteral("Conversion Errors"),
                          CMessageBox::Exclamation);
}

void frmConverter::dragEnterEvent(QDragEnterEvent* pEvent) {
    dragMoveEvent(pEvent);
}

void frmConverter::dragMoveEvent(QDragMoveEvent* pEvent) {
    if (CRingToneSource::ReadDrop(pEvent->mimeData()).iKind != CRingToneSource::Refused)
        pEvent->acceptProposedAction();
}

// In the notation of step 1, whichever source step 2 names.
void frmConverter::dropEvent(QDropEvent* pEvent) {
    const CRingToneSource::Dropped dropped = CRingToneSource::ReadDrop(pEvent->mimeData());
    if (dropped.iKind == CRingToneSource::Refused)
        return;
    pEvent->acceptProposedAction();
    if (dropped.iKind == CRingToneSource::File && CRingToneSource::IsMidiFile(dropped.sFileName)) {
        GetMidi(CProgram::JoinPath(dropped.sFolder, dropped.sFileName));
        return;
    }
    CNokia& nokia = CProgram::Nokia();
    nokia.Clear();
    Clear();
    // A file as if chosen in the open dialog: its folder is the ringtone folder.
    GetFrom(m_Source.FromDrop(dropped, nokia));
}

void frmConverter::GetFile(const QString& sPath, int32_t iSourceType) {
    if (CRingToneSource::IsMidiFile(sPath)) {
        GetMidi(sPath);
        return;
    }
    if (iSourceType >= 0 && static_cast<size_t>(iSourceType) < optSource.size())
        optSource[static_cast<size_t>(iSourceType)]->setChecked(true);
    CNokia& nokia = CProgram::Nokia();
    nokia.Clear();
    Clear();
    const QFileInfo file(sPath);
    CRingToneSource::Dropped named;
    named.iKind = CRingToneSource::File;
    named.sFolder = file.absolutePath();
    named.sFileName = file.fileName();
    GetFrom(m_Source.FromDrop(named, nokia));
}

void frmConverter::ImportMidi() {
    const QString sPath = QFileDialog::getOpenFileName(
        this, QStringLiteral("Import MIDI"), CProgram::FromEngine(CProgram::Nokia().FilePath),
        QStringLiteral("MIDI files (*.mid *.midi)"));
    if (!sPath.isEmpty())
        GetMidi(sPath);
}

void frmConverter::GetMidi(const QString& sPath) {
    const std::optional<CRingToneSource::Taken> taken = m_Source.FromMidiFile(sPath);
    if (!taken)
        return;
    // The melody is RTTTL; choosing it clears what was shown.
    optSource[Notation::Rtttl]->setChecked(true);
    CNokia& nokia = CProgram::Nokia();
    nokia.Clear();
    Clear();
    // As if the RTTTL text had been read from a file beside the MIDI file:
    // its folder is the ringtone folder, and Save proposes the MIDI name.
    const QFileInfo file(sPath);
    nokia.FilePath = CProgram::ToEngine(file.absolutePath());
    nokia.FileName = CProgram::ToEngine(file.completeBaseName() + QStringLiteral(".TXT"));
    GetFrom(taken);
}

void frmConverter::ConvertAndShow(const QString& sOrigin) {
    CNokia& nokia = CProgram::Nokia();
    nokia.Convert();
    m_sOrigin = sOrigin;
    m_pResults->Show(nokia, sOrigin);
    m_pPlayback->Stop();
    EnableFit();
}

void frmConverter::Fit() {
    CNokia& nokia = CProgram::Nokia();
    if (m_sGotText || nokia.OriginalText.empty() || !PhoneFit::NeedsFitting(nokia))
        return;
    const PhoneFit::Result fitted = PhoneFit::Fit(nokia, PhoneFit::FallbackName(nokia.FileName));
    // Kept before the fitted text is shown, so that showing it enables Undo.
    m_sGotText = nokia.OriginalText;
    Reconvert(fitted.Text);
    lblMsg->setText(CProgram::FromEngine(PhoneFit::Summary(fitted)));
    ReportErrors();
}

void frmConverter::UndoFit() {
    if (!m_sGotText)
        return;
    const std::string sGot = std::move(*m_sGotText);
    m_sGotText.reset();
    Reconvert(sGot);
}

void frmConverter::Reconvert(const std::string& sText) {
    CNokia& nokia = CProgram::Nokia();
    // The file name stands in for a blank name, as when the text was got.
    const std::string sFileName = nokia.FileName;
    nokia.Clear();
    nokia.FileName = sFileName;
    nokia.OriginalText = sText;
    ConvertAndShow(m_sOrigin);
}

void frmConverter::EnableFit() {
    // The menus are built after the first Clear.
    if (!mnuFit)
        return;
    const CNokia& nokia = CProgram::Nokia();
    const bool bFit = !m_sGotText && !nokia.OriginalText.empty() && PhoneFit::NeedsFitting(nokia);
    cmdFit->setEnabled(bFit);
    mnuFit->setEnabled(bFit);
    mnuUndoFit->setEnabled(m_sGotText.has_value());
}

void frmConverter::SaveSound() {
    const CNokia& nokia = CProgram::Nokia();
    bool bCouldPlay = false;
    m_Export.SaveSound(CTunePlayback::TuneOf(nokia, txtTempo->text(), lblMsg),
                       CProgram::FromEngine(nokia.FilePath), txtName->text(), [&](bool bBusy) {
                           // What would clash with the writing waits for it.
                           if (bBusy) {
                               m_pPlayback->Stop();
                               bCouldPlay = cmdPlay->isEnabled();
                           }
                           for (QAction* pItem : {mnuFileSave, mnuFileSaveSound})
                               pItem->setEnabled(!bBusy);
                           cmdPlay->setEnabled(!bBusy && bCouldPlay);
                       });
    if (m_bCloseAfterSave)
        QTimer::singleShot(0, this, &QWidget::close);
}

CRingToneExport::Shown frmConverter::ShownRingTone() const {
    // Looked at in the order 0, 1; with neither chosen the form is RTTTL.
    const int16_t iForm = optShowAs[ShowForm::Keypresses]->isChecked() ? ShowForm::Keypresses
                          : optShowAs[ShowForm::Composer]->isChecked() ? ShowForm::Composer
                                                                       : ShowForm::Rtttl;
    return {txtName->text(), txtTempo->text(), iForm, rtf->toPlainText()};
}
