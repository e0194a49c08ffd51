#include "mainwindow/CConverterLayout.h"

#include "dialogs/frmHelp.h"
#include "dialogs/frmInfo.h"
#include "engine/Forms.h"
#include "mainwindow/CResultsBox.h"
#include "widgets/CAccessibleName.h"
#include "widgets/CClickLabel.h"
#include "widgets/CLabelMaker.h"
#include "widgets/CProgram.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QVBoxLayout>
#include <iterator>

namespace {

QRadioButton* MakeOption(const QString& sName, const QString& sText, const QString& sTip,
                         QWidget* pParent) {
    auto* pOption = new QRadioButton(sText, pParent);
    pOption->setObjectName(sName);
    pOption->setToolTip(sTip);
    CAccessibleName::Set(pOption, sText);
    return pOption;
}

QFrame* MakeShape(const QString& sName, QFrame::Shape iShape, QFrame::Shadow iShadow,
                  QWidget* pParent) {
    auto* pShape = new QFrame(pParent);
    pShape->setObjectName(sName);
    pShape->setFrameShape(iShape);
    pShape->setFrameShadow(iShadow);
    return pShape;
}

// A light-green label that opens quick help; "1." to "4." on the steps, and
// a blank square in the legend.
CClickLabel* MakeHelpLabel(const QString& sName, const QString& sText, QWidget* pParent) {
    auto* pLabel = new CClickLabel(sText, pParent);
    pLabel->setObjectName(sName);
    pLabel->setTextFormat(Qt::PlainText);
    pLabel->setToolTip(QStringLiteral("Click for help"));
    pLabel->setAlignment(Qt::AlignCenter);
    // Its own background role: it must not take on the backdrop it sits on.
    pLabel->setBackgroundRole(QPalette::Window);
    pLabel->setAutoFillBackground(true);
    QPalette pal = pLabel->palette();
    pal.setColor(QPalette::Window, frmHelp::HelpColour());
    pal.setColor(QPalette::WindowText, Qt::black);
    pLabel->setPalette(pal);
    QFont bold = pLabel->font();
    bold.setBold(true);
    pLabel->setFont(bold);
    const QFontMetrics metrics(bold);
    if (sText.isEmpty()) {
        const int iSide = metrics.height() * 2 / 3;
        pLabel->setFixedSize(iSide, iSide);
    } else {
        pLabel->setFixedSize(metrics.horizontalAdvance(QStringLiteral("4.")) + 10,
                             metrics.height() + 2);
    }
    return pLabel;
}

// Bold Courier New where it exists as a fixed-pitch font; otherwise the
// desktop's own fixed-width font, so that the columns of notes still line up.
QFont ResultsFont() {
    constexpr qreal rPoints = 15.75;
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(rPoints);
    font.setBold(true);
    if (QFontInfo(font).fixedPitch())
        return font;
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSizeF(rPoints);
    fixed.setBold(true);
    return fixed;
}

} // namespace

void CConverterLayout::BuildWidgets(QMainWindow* pWindow) {
    auto* pCentral = new QWidget(pWindow);
    pCentral->setObjectName(QStringLiteral("centralWidget"));
    pWindow->setCentralWidget(pCentral);

    fraOptions = new QGroupBox(QStringLiteral("RingTone Conversion Options"), pCentral);
    fraOptions->setObjectName(QStringLiteral("fraOptions"));
    auto* pSteps = new QHBoxLayout(fraOptions);
    pSteps->addWidget(BuildSourceStep(), 1);
    pSteps->addWidget(BuildFileStep(), 1);
    pSteps->addWidget(BuildShowAsStep(), 1);

    auto* pRoot = new QVBoxLayout(pCentral);
    pRoot->addWidget(fraOptions);
    pRoot->addWidget(BuildResults(), 1);

    // Until the settings say otherwise.
    optSource[Notation::Composer]->setChecked(true);
    optFile[0]->setChecked(true);
    optShowAs[ShowForm::Keypresses]->setChecked(true);
}

QGroupBox* CConverterLayout::BuildSourceStep() {
    QGroupBox* pStep = MakeStep(0, QStringLiteral("Original RingTone Format is..."));
    optSource[Notation::Rtttl] =
        MakeOption(QStringLiteral("optSource_0"), QStringLiteral("RTTTL/Nokring"),
                   QStringLiteral("A format used by the Nokring program"), pStep);
    optSource[Notation::Composer] =
        MakeOption(QStringLiteral("optSource_1"), QStringLiteral("Nokia 3210 Composer"),
                   QStringLiteral("A format used in the Nokia 3210"), pStep);
    LayOutStep(0, {optSource[Notation::Rtttl], optSource[Notation::Composer]}, nullptr);
    return pStep;
}

QGroupBox* CConverterLayout::BuildFileStep() {
    QGroupBox* pStep = MakeStep(1, QStringLiteral("Ringtone is from..."));
    optFile[0] = MakeOption(QStringLiteral("optFile_0"), QStringLiteral("a File"),
                            QStringLiteral("RingTone is in a file on your computeer"), pStep);
    optFile[1] = MakeOption(QStringLiteral("optFile_1"), QStringLiteral("the Clipboard"),
                            QStringLiteral("RingTone has been copied to the clipboard"), pStep);
    cmdGet = new QPushButton(QStringLiteral("&Get..."), pStep);
    cmdGet->setObjectName(QStringLiteral("cmdGet"));
    LayOutStep(1, {optFile[0], optFile[1]}, cmdGet);
    return pStep;
}

QGroupBox* CConverterLayout::BuildShowAsStep() {
    QGroupBox* pStep = MakeStep(2, QStringLiteral("Display As..."));
    optShowAs[ShowForm::Keypresses] =
        MakeOption(QStringLiteral("optShowAs_0"), QStringLiteral("Keypresses"),
                   QStringLiteral("The keypresses you type in your phone"), pStep);
    optShowAs[ShowForm::Composer] =
        MakeOption(QStringLiteral("optShowAs_1"), QStringLiteral("3210 Composer"),
                   QStringLiteral("The Nokia 3210 Composer format"), pStep);
    optShowAs[ShowForm::Rtttl] =
        MakeOption(QStringLiteral("optShowAs_2"), QStringLiteral("RTTTL/Nokring"),
                   QStringLiteral("The Nokring format"), pStep);
    LayOutStep(2,
               {optShowAs[ShowForm::Keypresses], optShowAs[ShowForm::Composer],
                optShowAs[ShowForm::Rtttl]},
               nullptr);
    return pStep;
}

QGroupBox* CConverterLayout::MakeStep(size_t iStep, const QString& sCaption) {
    fraWiz[iStep] = new QGroupBox(sCaption);
    fraWiz[iStep]->setObjectName(QStringLiteral("fraWiz_%1").arg(iStep));
    lblNum[iStep] = MakeHelpLabel(QStringLiteral("lblNum_%1").arg(iStep),
                                  QStringLiteral("%1.").arg(iStep + 1), fraWiz[iStep]);
    return fraWiz[iStep];
}

// The options one below the other, the button (if any) beside them, and the
// step's help label in the top right corner.
void CConverterLayout::LayOutStep(size_t iStep, std::initializer_list<QRadioButton*> options,
                                  QWidget* pBeside) {
    auto* pGrid = new QGridLayout(fraWiz[iStep]);
    int iRow = 0;
    for (QRadioButton* pOption : options)
        pGrid->addWidget(pOption, iRow++, 0);
    int iColumn = 1;
    if (pBeside)
        pGrid->addWidget(pBeside, 0, iColumn++, iRow, 1, Qt::AlignVCenter);
    pGrid->addWidget(lblNum[iStep], 0, iColumn, Qt::AlignRight | Qt::AlignTop);
    pGrid->setRowStretch(iRow, 1);
    pGrid->setColumnStretch(0, 1);
}

QGroupBox* CConverterLayout::BuildResults() {
    fraResults = new QGroupBox(CResultsBox::ResultsCaption());
    fraResults->setObjectName(QStringLiteral("fraResults"));

    // Name and tempo, on a raised panel.
    pnl = MakeShape(QStringLiteral("pnl"), QFrame::StyledPanel, QFrame::Raised, fraResults);
    lbl1 = CLabelMaker::Make(QStringLiteral("lbl1"), QStringLiteral("Name:"), pnl);
    lbl1->setToolTip(QStringLiteral("The name of the ringing tone"));
    txtName = new QLineEdit(pnl);
    txtName->setObjectName(QStringLiteral("txtName"));
    Label6 = CLabelMaker::Make(QStringLiteral("Label6"), QStringLiteral("Tempo:"), pnl);
    txtTempo = new QLineEdit(pnl);
    txtTempo->setObjectName(QStringLiteral("txtTempo"));
    txtTempo->setFixedWidth(txtTempo->fontMetrics().horizontalAdvance(QStringLiteral("000000")) +
                            12);
    // Each box is named after the label in front of it, for screen readers.
    lbl1->setBuddy(txtName);
    Label6->setBuddy(txtTempo);
    CAccessibleName::Set(txtName, lbl1->text());
    CAccessibleName::Set(txtTempo, Label6->text());
    // Beside the tempo it plays at; its caption and tip come with its state.
    cmdPlay = new QPushButton(pnl);
    cmdPlay->setObjectName(QStringLiteral("cmdPlay"));
    auto* pNameRow = new QHBoxLayout(pnl);
    pNameRow->setContentsMargins(6, 4, 6, 4);
    pNameRow->addWidget(lbl1);
    pNameRow->addWidget(txtName, 1);
    pNameRow->addSpacing(16);
    pNameRow->addWidget(Label6);
    pNameRow->addWidget(txtTempo);
    pNameRow->addWidget(cmdPlay);

    // The results box on its backdrop, with help label 4 at its left.
    shpBack = MakeShape(QStringLiteral("shpBack"), QFrame::Box, QFrame::Plain, fraResults);
    shpBack->setBackgroundRole(QPalette::Midlight);
    shpBack->setForegroundRole(QPalette::Mid);
    shpBack->setAutoFillBackground(true);
    lblNum[3] = MakeHelpLabel(QStringLiteral("lblNum_3"), QStringLiteral("4."), shpBack);
    rtf = new QTextEdit(shpBack);
    rtf->setObjectName(QStringLiteral("rtf"));
    rtf->setAcceptRichText(false);
    rtf->setTabChangesFocus(true);
    rtf->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    rtf->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rtf->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    rtf->setFont(ResultsFont());
    // Named after the frame's own caption, not after the file it names
    // once a ringtone is shown.
    CAccessibleName::Set(rtf, CResultsBox::ResultsCaption());
    {
        const QFontMetrics metrics(rtf->font());
        rtf->setMinimumSize(metrics.horizontalAdvance(QLatin1Char('0')) * 40 + 40,
                            metrics.lineSpacing() * 6 + 12);
    }
    auto* pResultsRow = new QHBoxLayout(shpBack);
    pResultsRow->setContentsMargins(6, 6, 6, 6);
    pResultsRow->addWidget(lblNum[3], 0, Qt::AlignTop);
    pResultsRow->addWidget(rtf, 1);

    // Counts and the help legend.
    Label8 = CLabelMaker::Make(QStringLiteral("Label8"), QStringLiteral("Used Notes:"), fraResults);
    Shape1 = MakeShape(QStringLiteral("Shape1"), QFrame::Panel, QFrame::Sunken, fraResults);
    Shape1->setBackgroundRole(QPalette::Base);
    Shape1->setAutoFillBackground(true);
    lblNoteCount = CLabelMaker::Make(QStringLiteral("lblNoteCount"), QString(), Shape1);
    lblNoteCount->setToolTip(QStringLiteral("The number of notes contained."));
    Label5 =
        CLabelMaker::Make(QStringLiteral("Label5"), QStringLiteral("Remaining Notes:"), fraResults);
    Shape2 = MakeShape(QStringLiteral("Shape2"), QFrame::Panel, QFrame::Sunken, fraResults);
    Shape2->setBackgroundRole(QPalette::Base);
    Shape2->setAutoFillBackground(true);
    lblRemaining = CLabelMaker::Make(QStringLiteral("lblRemaining"), QString(), Shape2);
    lblRemaining->setToolTip(QStringLiteral("The number of notes remaining."));
    // Beside the counts it brings within the phone's 50.
    cmdFit = new QPushButton(QStringLiteral("Fi&t to Phone"), fraResults);
    cmdFit->setObjectName(QStringLiteral("cmdFit"));
    cmdFit->setToolTip(QStringLiteral(
        "Move the tune into the phone's octaves, mend the notes it cannot enter and keep at "
        "most 50 notes"));
    CAccessibleName::Set(cmdFit, QStringLiteral("Fit to Phone"));
    const int iCountWidth = lblNoteCount->fontMetrics().horizontalAdvance(QStringLiteral("00000"));
    for (QLabel* pCount : {lblNoteCount, lblRemaining}) {
        pCount->setAlignment(Qt::AlignCenter);
        pCount->setMinimumWidth(iCountWidth);
        auto* pBox = new QHBoxLayout(pCount->parentWidget());
        pBox->setContentsMargins(3, 1, 3, 1);
        pBox->addWidget(pCount);
    }

    Shape3 = MakeShape(QStringLiteral("Shape3"), QFrame::StyledPanel, QFrame::Plain, fraResults);
    Label1[1] = CLabelMaker::Make(QStringLiteral("Label1_1"), QStringLiteral("click"), Shape3);
    lblNum1 = MakeHelpLabel(QStringLiteral("lblNum1"), QString(), Shape3);
    Label1[0] = CLabelMaker::Make(QStringLiteral("Label1_0"), QStringLiteral("for help"), Shape3);
    auto* pLegend = new QHBoxLayout(Shape3);
    pLegend->setContentsMargins(6, 2, 6, 2);
    pLegend->addWidget(Label1[1]);
    pLegend->addWidget(lblNum1);
    pLegend->addWidget(Label1[0]);

    auto* pCounts = new QHBoxLayout;
    pCounts->addWidget(Label8);
    pCounts->addWidget(Shape1);
    pCounts->addSpacing(16);
    pCounts->addWidget(Label5);
    pCounts->addWidget(Shape2);
    pCounts->addSpacing(16);
    pCounts->addWidget(cmdFit);
    pCounts->addStretch(1);
    pCounts->addWidget(Shape3);

    // The one-line message, in a sunken strip.
    Shape5 = MakeShape(QStringLiteral("Shape5"), QFrame::StyledPanel, QFrame::Sunken, fraResults);
    lblMsg = CLabelMaker::Make(QStringLiteral("lblMsg"), QString(), Shape5);
    // However long a message is, it must not stretch the fixed window.
    lblMsg->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    lblMsg->setFixedHeight(lblMsg->fontMetrics().height() + 2);
    auto* pMsgBox = new QHBoxLayout(Shape5);
    pMsgBox->setContentsMargins(6, 2, 6, 2);
    pMsgBox->addWidget(lblMsg);

    // Credit and web link, below a rule.
    Shape6 = MakeShape(QStringLiteral("Shape6"), QFrame::HLine, QFrame::Sunken, fraResults);
    Label4 = CLabelMaker::Make(QStringLiteral("Label4"),
                               CProgram::Name() + QStringLiteral(" by ") + frmInfo::AuthorName(),
                               fraResults);
    lblMyWeb = frmInfo::MakeWebLink(fraResults);
    auto* pBottom = new QHBoxLayout;
    pBottom->addWidget(Label4);
    pBottom->addStretch(1);
    pBottom->addWidget(lblMyWeb);

    auto* pResults = new QVBoxLayout(fraResults);
    pResults->addWidget(pnl);
    pResults->addWidget(shpBack, 1);
    pResults->addLayout(pCounts);
    pResults->addWidget(Shape5);
    pResults->addWidget(Shape6);
    pResults->addLayout(pBottom);
    return fraResults;
}

void CConverterLayout::BuildMenus(QMenuBar* pMenuBar) {
    // Access keys only: no item has a shortcut.
    mnuFile = pMenuBar->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFileNew = mnuFile->addAction(QStringLiteral("&New"));
    mnuFileNew->setObjectName(QStringLiteral("mnuFileNew"));
    mnuFileSave = mnuFile->addAction(QStringLiteral("&Save"));
    mnuFileSave->setObjectName(QStringLiteral("mnuFileSave"));
    mnuFileSaveSound = mnuFile->addAction(QStringLiteral("Save as So&und..."));
    mnuFileSaveSound->setObjectName(QStringLiteral("mnuFileSaveSound"));
    mnuFileImportMidi = mnuFile->addAction(QStringLiteral("&Import MIDI..."));
    mnuFileImportMidi->setObjectName(QStringLiteral("mnuFileImportMidi"));
    mnuFileImportMidi->setToolTip(QStringLiteral("Take the melody of a MIDI file as a ringtone"));
    mnuSepFile1 = mnuFile->addSeparator();
    mnuSepFile1->setObjectName(QStringLiteral("mnuSepFile1"));
    mnuFileExit = mnuFile->addAction(QStringLiteral("E&xit"));
    mnuFileExit->setObjectName(QStringLiteral("mnuFileExit"));

    mnuEdit = pMenuBar->addMenu(QStringLiteral("&Edit"));
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    mnuEditCopy = mnuEdit->addAction(QStringLiteral("&Export/Copy RingTone to Clipboard"));
    mnuEditCopy->setObjectName(QStringLiteral("mnuEditCopy"));
    mnuEditSep1 = mnuEdit->addSeparator();
    mnuEditSep1->setObjectName(QStringLiteral("mnuEditSep1"));
    mnuFit = mnuEdit->addAction(QStringLiteral("&Fit to Phone"));
    mnuFit->setObjectName(QStringLiteral("mnuFit"));
    mnuFit->setToolTip(cmdFit->toolTip());
    mnuUndoFit = mnuEdit->addAction(QStringLiteral("&Undo Fit"));
    mnuUndoFit->setObjectName(QStringLiteral("mnuUndoFit"));
    mnuUndoFit->setToolTip(QStringLiteral("Give back the ringtone as it was got"));

    mnuHelp = pMenuBar->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelpInfo = mnuHelp->addAction(QStringLiteral("&Instructions..."));
    mnuHelpInfo->setObjectName(QStringLiteral("mnuHelpInfo"));
    mnuHelpSep1 = mnuHelp->addSeparator();
    mnuHelpSep1->setObjectName(QStringLiteral("mnuHelpSep1"));
    mnuHelpAbout = mnuHelp->addAction(QStringLiteral("&About..."));
    mnuHelpAbout->setObjectName(QStringLiteral("mnuHelpAbout"));
}

void CConverterLayout::SetTabOrder() {
    QWidget* const order[] = {optSource[Notation::Rtttl],
                              optSource[Notation::Composer],
                              optFile[0],
                              optFile[1],
                              cmdGet,
                              optShowAs[ShowForm::Keypresses],
                              optShowAs[ShowForm::Composer],
                              optShowAs[ShowForm::Rtttl],
                              txtName,
                              txtTempo,
                              cmdPlay,
                              rtf,
                              cmdFit};
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}
