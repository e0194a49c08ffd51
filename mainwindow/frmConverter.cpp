#include "mainwindow/frmConverter.h"

#include "app/CProgram.h"
#include "dialogs/CAccessibleName.h"
#include "dialogs/CClickLabel.h"
#include "dialogs/CContrast.h"
#include "dialogs/CInstructions.h"
#include "dialogs/CMessageBox.h"
#include "dialogs/CWindowPlacement.h"
#include "dialogs/frmHelp.h"
#include "dialogs/frmInfo.h"
#include "dialogs/frmOpen.h"
#include "dialogs/frmSaveAs.h"
#include "engine/CNokia.h"
#include "engine/RingToneText.h"
#include "engine/modNOK.h"
#include "mainwindow/CNoteMarks.h"
#include "mainwindow/CRingToneDrop.h"
#include "mainwindow/CRingToneFile.h"
#include "mainwindow/CRingToneWriter.h"
#include "resources/CResources.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QDirIterator>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QShortcut>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <iterator>

namespace {

const QString sResultsCaption = QStringLiteral("Conversion Results");
const QString sHelpTip = QStringLiteral("Click for help");

QString Key(const char* sName) {
    return QString::fromLatin1(sName);
}

QLabel* MakeLabel(const QString& sName, const QString& sText, QWidget* pParent) {
    auto* pLabel = new QLabel(sText, pParent);
    pLabel->setObjectName(sName);
    pLabel->setTextFormat(Qt::PlainText);
    return pLabel;
}

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
    pLabel->setToolTip(sHelpTip);
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

// Option numbers are read by the same whole-number rule as every other
// number the program keeps as text. A stored text that is no whole number,
// or names no option, falls back to the first option.
int OptionIndex(const QString& sStored, int iOptions) {
    try {
        const int iValue = modNOK::WholeNumber(CProgram::ToEngine(sStored));
        return iValue >= 0 && iValue < iOptions ? iValue : 0;
    } catch (const std::exception&) {
        return 0;
    }
}

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

// A ringtone folder is worth remembering only while it holds at least one
// ordinary file: folders, hidden and system entries do not count.
bool HoldsOrdinaryFile(const QString& sFolder) {
    // Stops at the first file: a remembered home folder may hold thousands.
    return QDir(sFolder).exists() &&
           QDirIterator(sFolder, QDir::Files | QDir::NoDotAndDotDot).hasNext();
}

} // namespace

frmConverter::frmConverter(QWidget* pParent) : QMainWindow(pParent) {
    setObjectName(QStringLiteral("frmConverter"));
    CResources::Init();
    BuildLayout();
    BuildMenus();
    SetTabOrder();
    ConnectControls();
    StartUp();
}

void frmConverter::BuildLayout() {
    auto* pCentral = new QWidget(this);
    pCentral->setObjectName(QStringLiteral("centralWidget"));
    setCentralWidget(pCentral);

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
    optSource[1]->setChecked(true);
    optFile[0]->setChecked(true);
    optShowAs[0]->setChecked(true);

    Clear();

    // A tune is dropped on the window as a whole, not into one of its boxes.
    setAcceptDrops(true);
    for (QWidget* pBox : {static_cast<QWidget*>(txtName), static_cast<QWidget*>(txtTempo),
                          static_cast<QWidget*>(rtf)})
        pBox->setAcceptDrops(false);

    // The layout is fixed: the window neither grows nor shrinks.
    adjustSize();
    setFixedSize(sizeHint());
}

QGroupBox* frmConverter::BuildSourceStep() {
    fraWiz[0] = new QGroupBox(QStringLiteral("Original RingTone Format is..."));
    fraWiz[0]->setObjectName(QStringLiteral("fraWiz_0"));
    optSource[0] = MakeOption(QStringLiteral("optSource_0"), QStringLiteral("RTTTL/Nokring"),
                              QStringLiteral("A format used by the Nokring program"), fraWiz[0]);
    optSource[1] = MakeOption(QStringLiteral("optSource_1"), QStringLiteral("Nokia 3210 Composer"),
                              QStringLiteral("A format used in the Nokia 3210"), fraWiz[0]);
    lblNum[0] = MakeHelpLabel(QStringLiteral("lblNum_0"), QStringLiteral("1."), fraWiz[0]);

    auto* pGrid = new QGridLayout(fraWiz[0]);
    pGrid->addWidget(optSource[0], 0, 0);
    pGrid->addWidget(optSource[1], 1, 0);
    pGrid->addWidget(lblNum[0], 0, 1, Qt::AlignRight | Qt::AlignTop);
    pGrid->setRowStretch(2, 1);
    pGrid->setColumnStretch(0, 1);
    return fraWiz[0];
}

QGroupBox* frmConverter::BuildFileStep() {
    fraWiz[1] = new QGroupBox(QStringLiteral("Ringtone is from..."));
    fraWiz[1]->setObjectName(QStringLiteral("fraWiz_1"));
    optFile[0] = MakeOption(QStringLiteral("optFile_0"), QStringLiteral("a File"),
                            QStringLiteral("RingTone is in a file on your computeer"), fraWiz[1]);
    optFile[1] = MakeOption(QStringLiteral("optFile_1"), QStringLiteral("the Clipboard"),
                            QStringLiteral("RingTone has been copied to the clipboard"), fraWiz[1]);
    cmdGet = new QPushButton(QStringLiteral("&Get..."), fraWiz[1]);
    cmdGet->setObjectName(QStringLiteral("cmdGet"));
    lblNum[1] = MakeHelpLabel(QStringLiteral("lblNum_1"), QStringLiteral("2."), fraWiz[1]);

    auto* pGrid = new QGridLayout(fraWiz[1]);
    pGrid->addWidget(optFile[0], 0, 0);
    pGrid->addWidget(optFile[1], 1, 0);
    pGrid->addWidget(cmdGet, 0, 1, 2, 1, Qt::AlignVCenter);
    pGrid->addWidget(lblNum[1], 0, 2, Qt::AlignRight | Qt::AlignTop);
    pGrid->setRowStretch(2, 1);
    pGrid->setColumnStretch(0, 1);
    return fraWiz[1];
}

QGroupBox* frmConverter::BuildShowAsStep() {
    fraWiz[2] = new QGroupBox(QStringLiteral("Display As..."));
    fraWiz[2]->setObjectName(QStringLiteral("fraWiz_2"));
    optShowAs[0] = MakeOption(QStringLiteral("optShowAs_0"), QStringLiteral("Keypresses"),
                              QStringLiteral("The keypresses you type in your phone"), fraWiz[2]);
    optShowAs[1] = MakeOption(QStringLiteral("optShowAs_1"), QStringLiteral("3210 Composer"),
                              QStringLiteral("The Nokia 3210 Composer format"), fraWiz[2]);
    optShowAs[2] = MakeOption(QStringLiteral("optShowAs_2"), QStringLiteral("RTTTL/Nokring"),
                              QStringLiteral("The Nokring format"), fraWiz[2]);
    lblNum[2] = MakeHelpLabel(QStringLiteral("lblNum_2"), QStringLiteral("3."), fraWiz[2]);

    auto* pGrid = new QGridLayout(fraWiz[2]);
    for (int i = 0; i < 3; ++i)
        pGrid->addWidget(optShowAs[static_cast<size_t>(i)], i, 0);
    pGrid->addWidget(lblNum[2], 0, 1, Qt::AlignRight | Qt::AlignTop);
    pGrid->setRowStretch(3, 1);
    pGrid->setColumnStretch(0, 1);
    return fraWiz[2];
}

QGroupBox* frmConverter::BuildResults() {
    fraResults = new QGroupBox(sResultsCaption);
    fraResults->setObjectName(QStringLiteral("fraResults"));

    // Name and tempo, on a raised panel.
    pnl = MakeShape(QStringLiteral("pnl"), QFrame::StyledPanel, QFrame::Raised, fraResults);
    lbl1 = MakeLabel(QStringLiteral("lbl1"), QStringLiteral("Name:"), pnl);
    lbl1->setToolTip(QStringLiteral("The name of the ringing tone"));
    txtName = new QLineEdit(pnl);
    txtName->setObjectName(QStringLiteral("txtName"));
    Label6 = MakeLabel(QStringLiteral("Label6"), QStringLiteral("Tempo:"), pnl);
    txtTempo = new QLineEdit(pnl);
    txtTempo->setObjectName(QStringLiteral("txtTempo"));
    txtTempo->setFixedWidth(txtTempo->fontMetrics().horizontalAdvance(QStringLiteral("000000")) +
                            12);
    // Each box is named after the label in front of it, for screen readers.
    lbl1->setBuddy(txtName);
    Label6->setBuddy(txtTempo);
    CAccessibleName::Set(txtName, lbl1->text());
    CAccessibleName::Set(txtTempo, Label6->text());
    auto* pNameRow = new QHBoxLayout(pnl);
    pNameRow->setContentsMargins(6, 4, 6, 4);
    pNameRow->addWidget(lbl1);
    pNameRow->addWidget(txtName, 1);
    pNameRow->addSpacing(16);
    pNameRow->addWidget(Label6);
    pNameRow->addWidget(txtTempo);

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
    CAccessibleName::Set(rtf, sResultsCaption);
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
    Label8 = MakeLabel(QStringLiteral("Label8"), QStringLiteral("Used Notes:"), fraResults);
    Shape1 = MakeShape(QStringLiteral("Shape1"), QFrame::Panel, QFrame::Sunken, fraResults);
    Shape1->setBackgroundRole(QPalette::Base);
    Shape1->setAutoFillBackground(true);
    lblNoteCount = MakeLabel(QStringLiteral("lblNoteCount"), QString(), Shape1);
    lblNoteCount->setToolTip(QStringLiteral("The number of notes contained."));
    Label5 = MakeLabel(QStringLiteral("Label5"), QStringLiteral("Remaining Notes:"), fraResults);
    Shape2 = MakeShape(QStringLiteral("Shape2"), QFrame::Panel, QFrame::Sunken, fraResults);
    Shape2->setBackgroundRole(QPalette::Base);
    Shape2->setAutoFillBackground(true);
    lblRemaining = MakeLabel(QStringLiteral("lblRemaining"), QString(), Shape2);
    lblRemaining->setToolTip(QStringLiteral("The number of notes remaining."));
    const int iCountWidth = lblNoteCount->fontMetrics().horizontalAdvance(QStringLiteral("00000"));
    for (QLabel* pCount : {lblNoteCount, lblRemaining}) {
        pCount->setAlignment(Qt::AlignCenter);
        pCount->setMinimumWidth(iCountWidth);
        auto* pBox = new QHBoxLayout(pCount->parentWidget());
        pBox->setContentsMargins(3, 1, 3, 1);
        pBox->addWidget(pCount);
    }

    Shape3 = MakeShape(QStringLiteral("Shape3"), QFrame::StyledPanel, QFrame::Plain, fraResults);
    Label1[1] = MakeLabel(QStringLiteral("Label1_1"), QStringLiteral("click"), Shape3);
    lblNum1 = MakeHelpLabel(QStringLiteral("lblNum1"), QString(), Shape3);
    Label1[0] = MakeLabel(QStringLiteral("Label1_0"), QStringLiteral("for help"), Shape3);
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
    pCounts->addStretch(1);
    pCounts->addWidget(Shape3);

    // The one-line message, in a sunken strip.
    Shape5 = MakeShape(QStringLiteral("Shape5"), QFrame::StyledPanel, QFrame::Sunken, fraResults);
    lblMsg = MakeLabel(QStringLiteral("lblMsg"), QString(), Shape5);
    // However long a message is, it must not stretch the fixed window.
    lblMsg->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    lblMsg->setFixedHeight(lblMsg->fontMetrics().height() + 2);
    auto* pMsgBox = new QHBoxLayout(Shape5);
    pMsgBox->setContentsMargins(6, 2, 6, 2);
    pMsgBox->addWidget(lblMsg);

    // Credit and web link, below a rule.
    Shape6 = MakeShape(QStringLiteral("Shape6"), QFrame::HLine, QFrame::Sunken, fraResults);
    Label4 =
        MakeLabel(QStringLiteral("Label4"),
                  CProgram::Name() + QStringLiteral(" by ") + frmInfo::AuthorName(), fraResults);
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

void frmConverter::BuildMenus() {
    // Access keys only: no item has a shortcut.
    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFileNew = mnuFile->addAction(QStringLiteral("&New"));
    mnuFileNew->setObjectName(QStringLiteral("mnuFileNew"));
    mnuFileSave = mnuFile->addAction(QStringLiteral("&Save"));
    mnuFileSave->setObjectName(QStringLiteral("mnuFileSave"));
    mnuSepFile1 = mnuFile->addSeparator();
    mnuSepFile1->setObjectName(QStringLiteral("mnuSepFile1"));
    mnuFileExit = mnuFile->addAction(QStringLiteral("E&xit"));
    mnuFileExit->setObjectName(QStringLiteral("mnuFileExit"));

    mnuEdit = menuBar()->addMenu(QStringLiteral("&Edit"));
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    mnuEditCopy = mnuEdit->addAction(QStringLiteral("&Export/Copy RingTone to Clipboard"));
    mnuEditCopy->setObjectName(QStringLiteral("mnuEditCopy"));

    mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelpInfo = mnuHelp->addAction(QStringLiteral("&Instructions..."));
    mnuHelpInfo->setObjectName(QStringLiteral("mnuHelpInfo"));
    mnuHelpSep1 = mnuHelp->addSeparator();
    mnuHelpSep1->setObjectName(QStringLiteral("mnuHelpSep1"));
    mnuHelpAbout = mnuHelp->addAction(QStringLiteral("&About..."));
    mnuHelpAbout->setObjectName(QStringLiteral("mnuHelpAbout"));
}

void frmConverter::SetTabOrder() {
    QWidget* const order[] = {optSource[0], optSource[1], optFile[0],   optFile[1],
                              cmdGet,       optShowAs[0], optShowAs[1], optShowAs[2],
                              txtName,      txtTempo,     rtf};
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void frmConverter::ConnectControls() {
    // A selection that changes, by a click or by start-up, runs the option's
    // handling; clicking the option already selected changes nothing.
    for (size_t i = 0; i < optSource.size(); ++i)
        connect(optSource[i], &QRadioButton::toggled, this, [this, i](bool bOn) {
            if (!bOn)
                return;
            TabToChosen(optSource);
            SourceOptionChosen(static_cast<int>(i));
        });
    for (size_t i = 0; i < optFile.size(); ++i)
        connect(optFile[i], &QRadioButton::toggled, this, [this, i](bool bOn) {
            if (!bOn)
                return;
            TabToChosen(optFile);
            FileOptionChosen(static_cast<int>(i));
        });
    for (size_t i = 0; i < optShowAs.size(); ++i)
        connect(optShowAs[i], &QRadioButton::toggled, this, [this, i](bool bOn) {
            if (!bOn)
                return;
            TabToChosen(optShowAs);
            ShowAsOptionChosen(static_cast<int>(i));
        });
    TabToChosen(optSource);
    TabToChosen(optFile);
    TabToChosen(optShowAs);

    connect(cmdGet, &QPushButton::clicked, this, &frmConverter::Get);
    connect(mnuFile, &QMenu::aboutToShow, this, &frmConverter::EnableFileMenu);
    connect(mnuEdit, &QMenu::aboutToShow, this, &frmConverter::EnableEditMenu);
    connect(mnuFileNew, &QAction::triggered, this, &frmConverter::FileNew);
    connect(mnuFileSave, &QAction::triggered, this, &frmConverter::FileSave);
    connect(mnuEditCopy, &QAction::triggered, this, &frmConverter::EditCopy);
    connect(mnuFileExit, &QAction::triggered, this, &QWidget::close);
    connect(mnuHelpInfo, &QAction::triggered, this, [this] { CInstructions::Open(this); });
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
    CWindowPlacement::FitOnScreen(this);
    CWindowPlacement::CentreOnScreen(this);
    CNokia& nokia = CProgram::Nokia();
    bLoading = true;

    QSettings settings(CProgram::Name(), CProgram::Name());
    settings.beginGroup(Key("Settings"));

    nokia.SourceType =
        OptionIndex(settings.value(Key("SourceType"), QString::number(nokia.SourceType)).toString(),
                    static_cast<int>(optSource.size()));
    nokia.ShowType = static_cast<int16_t>(
        OptionIndex(settings.value(Key("ShowType"), QString::number(nokia.ShowType)).toString(),
                    static_cast<int>(optShowAs.size())));
    // Still loading: the display handling ignores this selection.
    optShowAs[static_cast<size_t>(nokia.ShowType)]->setChecked(true);

    QString sFolder = settings.value(Key("RingToneDirectory"), QString()).toString();
    if (sFolder.isEmpty())
        sFolder = settings.value(Key("RTTLDirectory"), QString()).toString();
    if (sFolder.isEmpty()) {
        // Nothing remembered: a first run, greeted before the window appears.
        ShowAbout(nullptr);
        sFolder = CProgram::RingToneFolder();
    }
    // The program's own folder, or the home folder where the program lives
    // in a system folder that saves could not write to.
    if (!HoldsOrdinaryFile(sFolder))
        sFolder = CProgram::RingToneFolder();
    nokia.FilePath = CProgram::ToEngine(sFolder);

    // The source handling runs once, whether or not the selection changes.
    QRadioButton* pSource = optSource[static_cast<size_t>(nokia.SourceType)];
    if (pSource->isChecked())
        SourceOptionChosen(nokia.SourceType);
    else
        pSource->setChecked(true);

    const QString sFromFile = settings.value(Key("FromFile"), QStringLiteral("False")).toString();
    if (sFromFile == QLatin1String("False"))
        optFile[1]->setChecked(true);
    else if (sFromFile == QLatin1String("True"))
        optFile[0]->setChecked(true);

    setWindowTitle(CProgram::Caption());
    bLoading = false;
}

void frmConverter::closeEvent(QCloseEvent* pEvent) {
    SaveSettings();
    pEvent->accept();
}

void frmConverter::SaveSettings() {
    // Each value is written on its own, so one that cannot be stored does
    // not keep the others from being written.
    const CNokia& nokia = CProgram::Nokia();
    QSettings settings(CProgram::Name(), CProgram::Name());
    settings.beginGroup(Key("Settings"));
    settings.setValue(Key("RingToneDirectory"), CProgram::FromEngine(nokia.FilePath));
    settings.setValue(Key("SourceType"), QString::number(nokia.SourceType));
    settings.setValue(Key("ShowType"), QString::number(nokia.ShowType));
    settings.setValue(Key("FromFile"),
                      optFile[0]->isChecked() ? QStringLiteral("True") : QStringLiteral("False"));
    settings.endGroup();
    settings.sync();
}

void frmConverter::Clear() {
    lblMsg->clear();
    lblNoteCount->setText(QStringLiteral("0"));
    lblRemaining->clear();
    txtName->clear();
    txtTempo->clear();
    rtf->clear();
    fraResults->setTitle(sResultsCaption);
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
    // name, tempo, counts and message stay as they are.
    if (!nokia.OriginalText.empty()) {
        rtf->setPlainText(CProgram::FromEngine(nokia.ShowScreen()));
        MarkNotes();
    }
}

void frmConverter::MarkNotes() {
    const CNokia& nokia = CProgram::Nokia();
    const QPalette pal = rtf->palette();
    // Not by colour alone: the underline shows on any screen.
    QTextCharFormat format;
    const QColor colour = CContrast::Readable(
        {pal.color(QPalette::Link), pal.color(QPalette::Text)}, pal.color(QPalette::Base));
    format.setForeground(colour);
    format.setUnderlineStyle(QTextCharFormat::SingleUnderline);
    format.setUnderlineColor(colour);
    const int iEnd = static_cast<int>(rtf->toPlainText().size());
    for (const CNoteMarks::Mark& mark : CNoteMarks::Find(nokia.Notes, nokia.ShowType)) {
        if (mark.iStart >= iEnd)
            break;
        QTextCursor cursor(rtf->document());
        cursor.setPosition(mark.iStart);
        cursor.setPosition(std::min(mark.iStart + mark.iLength, iEnd), QTextCursor::KeepAnchor);
        format.setToolTip(mark.sLines);
        cursor.mergeCharFormat(format);
    }
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
    optSource[1]->setFocus(Qt::OtherFocusReason);
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

void frmConverter::EnableFileMenu() {
    mnuFileSave->setEnabled(!rtf->toPlainText().isEmpty());
}

void frmConverter::EnableEditMenu() {
    mnuEditCopy->setEnabled(!rtf->toPlainText().isEmpty());
}

void frmConverter::Get() {
    CNokia& nokia = CProgram::Nokia();
    nokia.Clear();
    Clear();

    if (optFile[0]->isChecked()) {
        frmOpen::Pick(this);
        GetFile();
    } else {
        GetText(QGuiApplication::clipboard()->text(), true);
    }
}

void frmConverter::GetFile() {
    CNokia& nokia = CProgram::Nokia();
    if (nokia.FileName.empty())
        return;
    const QString sFileName = CProgram::FromEngine(nokia.FileName);
    const std::optional<QString> sText =
        ReadRingToneFile(CProgram::JoinPath(CProgram::FromEngine(nokia.FilePath), sFileName));
    if (!sText)
        return;
    nokia.OriginalText = CProgram::ToEngine(*sText);
    ConvertAndShow();
    fraResults->setTitle(sResultsCaption + QStringLiteral(" - [") + sFileName +
                         QStringLiteral("]"));
    ReportErrors();
}

void frmConverter::GetText(const QString& sText, bool bFromClipboard) {
    // Blanks are spaces only: a line break or a tab is text to convert.
    if (std::all_of(sText.cbegin(), sText.cend(),
                    [](QChar cChar) { return cChar == QLatin1Char(' '); })) {
        CMessageBox::Show(this,
                          QStringLiteral("The clipboard is empty.  Please highlight and copy "
                                         "some ringtone text from a webpage or other "
                                         "document."),
                          QStringLiteral("No RingTone in Clipboard"), CMessageBox::Information);
        return;
    }
    if (sText.size() > CRingToneFile::MaxLength) {
        // Refused before the clipboard is touched: the user may still
        // want what it holds.
        CMessageBox::Show(this,
                          QStringLiteral("The clipboard holds too much text to be a "
                                         "ringtone.  Please highlight and copy only the "
                                         "ringtone text from a webpage or other document."),
                          QStringLiteral("RingTone Too Large"), CMessageBox::Exclamation);
        return;
    }
    CNokia& nokia = CProgram::Nokia();
    // The text leaves the clipboard before anything is converted.
    if (bFromClipboard)
        QGuiApplication::clipboard()->clear();
    nokia.OriginalText = CProgram::ToEngine(sText);
    ConvertAndShow();
    fraResults->setTitle(sResultsCaption + (bFromClipboard ? QStringLiteral(" - [Clipboard]")
                                                           : QStringLiteral(" - [Dropped text]")));
    ReportErrors();
}

void frmConverter::dragEnterEvent(QDragEnterEvent* pEvent) {
    dragMoveEvent(pEvent);
}

void frmConverter::dragMoveEvent(QDragMoveEvent* pEvent) {
    if (CRingToneDrop::Read(pEvent->mimeData()).iKind != CRingToneDrop::Refused)
        pEvent->acceptProposedAction();
}

// In the notation of step 1, whichever source step 2 names.
void frmConverter::dropEvent(QDropEvent* pEvent) {
    const CRingToneDrop::Content content = CRingToneDrop::Read(pEvent->mimeData());
    if (content.iKind == CRingToneDrop::Refused)
        return;
    pEvent->acceptProposedAction();
    CNokia& nokia = CProgram::Nokia();
    nokia.Clear();
    Clear();
    if (content.iKind == CRingToneDrop::File) {
        // As if chosen in the open dialog: its folder is the ringtone folder.
        nokia.FilePath = CProgram::ToEngine(content.sFolder);
        nokia.FileName = CProgram::ToEngine(content.sFileName);
        GetFile();
    } else {
        GetText(content.sText, false);
    }
}

std::optional<QString> frmConverter::ReadRingToneFile(const QString& sPath) {
    QString sText;
    switch (CRingToneFile::Read(sPath, sText)) {
    case CRingToneFile::Loaded:
        return sText;
    case CRingToneFile::CannotOpen:
        CMessageBox::Show(this, QStringLiteral("Could not open file ") + sPath);
        return QString();
    case CRingToneFile::TooLarge:
        CMessageBox::Show(this,
                          QStringLiteral("The file ") + sPath +
                              QStringLiteral(" is too large to be a ringtone.  Please choose a "
                                             "file that holds only the ringtone text."),
                          QStringLiteral("RingTone Too Large"), CMessageBox::Exclamation);
        return std::nullopt;
    case CRingToneFile::NotText:
        CMessageBox::Show(this,
                          QStringLiteral("The file ") + sPath +
                              QStringLiteral(" is not a ringtone text file.  Please choose a "
                                             "file that holds the ringtone as text."),
                          QStringLiteral("Not a RingTone File"), CMessageBox::Exclamation);
        return std::nullopt;
    }
    return std::nullopt;
}

void frmConverter::ConvertAndShow() {
    CNokia& nokia = CProgram::Nokia();
    try {
        nokia.Convert();
        txtName->setText(modNOK::TrimBlanks(nokia.RingToneName).empty()
                             ? QString()
                             : CProgram::FromEngine(nokia.RingToneName));
        txtTempo->setText(QString::number(nokia.Tempo));
        const int16_t iNoteCount = nokia.NoteCount();
        lblNoteCount->setText(QString::number(iNoteCount));
        if (iNoteCount > 50)
            lblMsg->setText(QStringLiteral("This ringing tone has more than the maximum of 50 "
                                           "notes allowed for the Nokia 3210."));
        rtf->setPlainText(CProgram::FromEngine(nokia.Notes.GetNotes(nokia.ShowType)));
        MarkNotes();
        lblRemaining->setText(iNoteCount <= 50 ? QString::number(50 - nokia.Notes.Count())
                                               : QStringLiteral("-"));
    } catch (const std::exception& e) {
        ShowFailure(e.what());
    } catch (...) {
        ShowFailure("Unknown failure");
    }
}

// What is left of the results stays as far as it got. The failure joins the
// error list, so that the warning that follows says what went wrong; the
// one-line message shows the failure's own line, which is the last.
void frmConverter::ShowFailure(const char* sDescription) {
    modNOK::AddError("frmConverter.ConvertAndShow", sDescription);
    lblMsg->setText(CProgram::FromEngine(modNOK::GetErrors()).section(QLatin1Char('\r'), -1));
}

void frmConverter::ReportErrors() {
    const std::string sErrors = modNOK::GetErrors();
    if (modNOK::TrimBlanks(sErrors).empty())
        return;
    CMessageBox::Show(this,
                      QStringLiteral("There have been some conversion errors:\r") +
                          CProgram::FromEngine(sErrors),
                      QStringLiteral("Conversion Errors"), CMessageBox::Exclamation);
}

int16_t frmConverter::ChosenForm() const {
    if (optShowAs[0]->isChecked())
        return 0;
    if (optShowAs[1]->isChecked())
        return 1;
    return 2;
}

// The name and tempo boxes and the results box as they stand, typing
// included, behind the header of the form.
QString frmConverter::RingToneForm(int16_t iForm) const {
    return CProgram::FromEngine(RingToneText::Format(CProgram::ToEngine(txtName->text()),
                                                     CProgram::ToEngine(txtTempo->text()), iForm,
                                                     CProgram::ToEngine(rtf->toPlainText())));
}

void frmConverter::FileSave() {
    if (txtName->text().isEmpty() || txtTempo->text().isEmpty()) {
        CMessageBox::Show(this, QStringLiteral("Please type in a Ringtone name and Tempo."));
        return;
    }

    CNokia& nokia = CProgram::Nokia();
    try {
        nokia.RingToneName = CProgram::ToEngine(txtName->text());
        nokia.Tempo = modNOK::WholeNumber(CProgram::ToEngine(txtTempo->text()));

        const int16_t iForm = ChosenForm();
        const QString sText = RingToneForm(iForm);

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

        if (!SaveAsDialog)
            SaveAsDialog = new frmSaveAs(this);
        SaveAsDialog->SaveAsType(iForm);
        SaveAsDialog->Prepare();
        SaveAsDialog->txtFilename()->setText(sProposed);
        SaveAsDialog->exec();
        if (SaveAsDialog->Cancelled())
            return;

        // The dialog names the file only; it always goes into the ringtone
        // folder.
        const QString sTarget = CProgram::JoinPath(CProgram::FromEngine(nokia.FilePath),
                                                   CProgram::FromEngine(nokia.FileName));
        if (QFileInfo(sTarget).isFile() &&
            CMessageBox::Show(this,
                              QStringLiteral("The file already exists.  Do you want to "
                                             "overwrite it?"),
                              QStringLiteral("Overwrite File?"), CMessageBox::NoIcon,
                              CMessageBox::YesNo) != CMessageBox::Yes)
            return;

        QString sFailure;
        if (!CRingToneWriter::Write(sTarget, sText, sFailure))
            ReportSaveFailure(sFailure);
    } catch (const std::exception& e) {
        ReportSaveFailure(QString::fromUtf8(e.what()));
    }
}

// Names the file the converter holds at this moment: before the dialog has
// run, that is the file last read or saved.
void frmConverter::ReportSaveFailure(const QString& sDescription) {
    const CNokia& nokia = CProgram::Nokia();
    const QString sTarget = CProgram::JoinPath(CProgram::FromEngine(nokia.FilePath),
                                               CProgram::FromEngine(nokia.FileName));
    CMessageBox::Show(this, QStringLiteral("An error occurred trying to save ") + sTarget +
                                QStringLiteral(". [") + sDescription + QStringLiteral("]"));
}

void frmConverter::EditCopy() {
    const int16_t iForm = ChosenForm();
    const QString sText = RingToneForm(iForm);
    static const char* const Confirmations[] = {
        "Keypresses have been copied to clipboard.",
        "Composer notes have been copied to clipboard.",
        "Nokring RTTTL notes have been copied to clipboard.",
    };
    CMessageBox::Show(this, QString::fromLatin1(Confirmations[iForm]));

    // Only now, once the box is closed, does the clipboard change.
    QClipboard* pClipboard = QGuiApplication::clipboard();
    pClipboard->clear();
    pClipboard->setText(sText);
    // The clipboard reports no failure of its own; reading the text back
    // shows whether it really holds it.
    if (pClipboard->text() != sText)
        CMessageBox::Show(this, QStringLiteral("An error occurred trying to copy the ringtone to "
                                               "the clipboard. [The clipboard could not be "
                                               "written]"));
}
