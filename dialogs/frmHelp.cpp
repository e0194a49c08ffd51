#include "dialogs/frmHelp.h"

#include "widgets/CWindowPlacement.h"

#include <QCloseEvent>
#include <QCursor>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {
// Geometry of the animation is kept in twips; the screen counts pixels.
constexpr int kTwipsPerPixel = 15;
constexpr int kStepLeft = 48;
constexpr int kStepTop = 160;
constexpr int kStepWidth = 610;
constexpr int kStepHeight = 263;
// The animation stops once the top has moved this far: after ten ticks.
constexpr int kTravel = 1500;

constexpr int kTickMs = 20;

// Design layout, in pixels.
constexpr int kMargin = 8;
constexpr int kTextPadding = 6;
constexpr int kWindowWidth = 440;
constexpr int kMinShapeHeight = 150;

const QColor kLightGreen(0xC0, 0xFF, 0xC0);
const QColor kDarkGreen(0x00, 0x80, 0x00);

int ToPixels(int iTwips) {
    return static_cast<int>(std::lround(static_cast<double>(iTwips) / kTwipsPerPixel));
}

QFont BoldFont(QFont font) {
    font.setBold(true);
    return font;
}
} // namespace

QString frmHelp::HelpText(int iHelpNum) {
    switch (iHelpNum) {
    case 1:
        return QStringLiteral(
            "This is where you specify what the original ringtone format is.\r\r"
            "A program called Nokring (available on the web) allows you to generate and play "
            "ringtones in a format called RTTTL.  This format is not compatible with the Nokia "
            "3210 mobile phone.\r\r"
            "The Composer format is the format used in the Nokia 3210 ringtone composer "
            "function.\r\r"
            "This converter will read both types of formats and convert between them both.");
    case 2:
        return QStringLiteral(
            "A ringtone can either be copied directly from a webpage, or it can be read from a "
            "file on your computer.\r\r"
            "Select 'a File' if you have a folder with all your ringtones stored and would like "
            "to pick a Composer file or a RTTTL file.\r\r"
            "Select 'the Clipboard' if you have copied a ringtone to the clipboard from a webpage "
            "or from another document.\r\r"
            "When you are ready, click the 'Get...' button to read in the ringtone.");
    case 3:
        return QStringLiteral(
            "Select 'Keypresses' to display the ringtone in the sequence of keypresses required "
            "to enter the ringtone into your Nokia 3210, ie in the Nokia 3210 Composer, simply "
            "press the keys shown in the order displayed.\r\r"
            "Select '3210 Composer' to display the ringtone in the standard Composer format.\r\r"
            "Select 'RTTTL/Nokring' to display the ringtone in the standard RTTTL format.  You "
            "may then use this format in the Nokring program.");
    case 4:
        return QStringLiteral(
            "The converted ringtone appears in the large display here.\r\r"
            "Don't forget to enter the Tempo (or BPM) into your phone or the tone will play too "
            "slow or too fast.\r\r"
            "'Used Notes' tells you how many notes are in the ringtone and gives you a warning if "
            "you exceed the Nokia 3210 maximum of 50.\r\r"
            "You may save your results as any format or start again.  (RTTTL has .TXT, Composer "
            "has .321, and keypresses have .KEY but cannot be imported again.)\r\r"
            "If the ringtone has more than 50 notes or notes the phone cannot play, click "
            "'Fit to Phone': it moves the tune into the phone's octaves, mends those notes and "
            "keeps at most 50.  'Undo Fit' in the Edit menu gives the ringtone back as it was.");
    default:
        return QString();
    }
}

QString frmHelp::DisplayText(const QString& sStoredText) {
    // A label breaks lines only on line feeds, not on carriage returns.
    QString sDisplay = sStoredText;
    sDisplay.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return sDisplay;
}

QColor frmHelp::HelpColour() {
    return kLightGreen;
}

QCursor frmHelp::HelpCursor() {
    // A round lens with a handle towards the bottom right; the hot spot is
    // the middle of the lens.
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(12.5, 12.5);
    const double dRadius = 8.0;

    painter.setPen(QPen(Qt::white, 7.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(19, 19), QPointF(28, 28));
    painter.setPen(QPen(Qt::black, 4.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(19, 19), QPointF(28, 28));

    painter.setPen(QPen(Qt::white, 5.0));
    painter.setBrush(QColor(200, 230, 255, 200));
    painter.drawEllipse(centre, dRadius, dRadius);
    painter.setPen(QPen(Qt::black, 2.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, dRadius, dRadius);

    QPainterPath glint;
    glint.arcMoveTo(QRectF(centre.x() - 5, centre.y() - 5, 10, 10), 100);
    glint.arcTo(QRectF(centre.x() - 5, centre.y() - 5, 10, 10), 100, 70);
    painter.setPen(QPen(Qt::white, 1.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(glint);
    painter.end();
    return QCursor(pixmap, 12, 12);
}

frmHelp::frmHelp(QWidget* pMainWindow)
    : QWidget(pMainWindow,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_pMainWindow(pMainWindow) {
    setObjectName(QStringLiteral("frmHelp"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The main window is disabled meanwhile: this one must not get lost.
    CWindowPlacement::KeepWithOwner(this);
    setWindowTitle(QStringLiteral("Quick Help"));

    // Created in tab order: the button comes first and so takes the focus.
    cmdOk = new QPushButton(QStringLiteral("&Ok"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    // Not a dialog, so Enter and Escape have to be wired up by hand.
    cmdOk->setAutoDefault(true);
    connect(cmdOk, &QPushButton::clicked, this, &QWidget::close);

    lblHelpNum = new QLabel(QStringLiteral("1."), this);
    lblHelpNum->setObjectName(QStringLiteral("lblHelpNum"));
    lblHelpNum->setFont(BoldFont(lblHelpNum->font()));
    lblHelpNum->setAlignment(Qt::AlignCenter);
    lblHelpNum->setAutoFillBackground(true);
    QPalette numPalette = lblHelpNum->palette();
    numPalette.setColor(QPalette::Window, kLightGreen);
    numPalette.setColor(QPalette::WindowText, Qt::black);
    lblHelpNum->setPalette(numPalette);

    Shape4 = new QFrame(this);
    Shape4->setObjectName(QStringLiteral("Shape4"));
    Shape4->setStyleSheet(QStringLiteral("QFrame#Shape4 { background-color: %1; border: 1px "
                                         "solid %2; }")
                              .arg(kLightGreen.name(), kDarkGreen.name()));

    // A child of the shape so that it is drawn over the fill.
    lblHelpText = new QLabel(Shape4);
    lblHelpText->setObjectName(QStringLiteral("lblHelpText"));
    lblHelpText->setTextFormat(Qt::PlainText);
    lblHelpText->setWordWrap(true);
    lblHelpText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblHelpText->setAttribute(Qt::WA_TranslucentBackground);
    lblHelpText->setStyleSheet(QStringLiteral("background: transparent; color: black;"));

    tmr = new QTimer(this);
    tmr->setObjectName(QStringLiteral("tmr"));
    tmr->setInterval(kTickMs);
    connect(tmr, &QTimer::timeout, this, &frmHelp::tmr_Timer);

    cmdOk->setFocus();
    BuildLayout();
}

void frmHelp::BuildLayout() {
    // Fixed design positions; the window is as tall as the longest of the
    // help texts needs, so that none is cut off whichever is shown.
    const QFontMetrics numMetrics(lblHelpNum->font());
    const int iNumWidth = std::max(33, numMetrics.horizontalAdvance(QStringLiteral("44.")) + 8);
    const int iNumHeight = std::max(25, numMetrics.height() + 8);

    const QSize buttonHint = cmdOk->sizeHint();
    const int iButtonWidth = std::max(81, buttonHint.width());
    const int iButtonHeight = std::max(25, buttonHint.height());

    const int iShapeLeft = kMargin + iNumWidth + kMargin;
    const int iShapeWidth = kWindowWidth - iShapeLeft - kMargin;
    const int iTextWidth = iShapeWidth - 2 * kTextPadding;

    int iTextHeight = 0;
    for (int i = 1; i <= 4; ++i) {
        lblHelpText->setText(DisplayText(HelpText(i)));
        iTextHeight = std::max(iTextHeight, lblHelpText->heightForWidth(iTextWidth));
    }
    lblHelpText->clear();
    const int iShapeHeight = std::max(kMinShapeHeight, iTextHeight + 2 * kTextPadding);

    const int iWindowHeight = kMargin + iShapeHeight + kMargin + iButtonHeight + kMargin;
    m_DesignSize = QSize(kWindowWidth, iWindowHeight);

    lblHelpNum->setGeometry(kMargin, kMargin, iNumWidth, iNumHeight);
    Shape4->setGeometry(iShapeLeft, kMargin, iShapeWidth, iShapeHeight);
    lblHelpText->setGeometry(kTextPadding, kTextPadding, iTextWidth,
                             iShapeHeight - 2 * kTextPadding);
    cmdOk->setGeometry(kWindowWidth - kMargin - iButtonWidth,
                       iWindowHeight - kMargin - iButtonHeight, iButtonWidth, iButtonHeight);
}

void frmHelp::setHelpNum(qint16 iNewValue) {
    m_iHelpNum = iNewValue;
}

bool frmHelp::isGrowing() const {
    return tmr->isActive();
}

void frmHelp::Load() {
    lblHelpNum->setText(QString::number(m_iHelpNum) + QLatin1Char('.'));
    lblHelpText->setText(DisplayText(HelpText(m_iHelpNum)));

    const QPoint mainCorner = m_pMainWindow ? m_pMainWindow->window()->pos() : QPoint();
    m_iLeft = mainCorner.x() * kTwipsPerPixel;
    m_iTop = mainCorner.y() * kTwipsPerPixel;
    StartTop = m_iTop;
    m_iWidth = 0;
    m_iHeight = 0;
    ApplyGeometry();

    if (m_pMainWindow) {
        m_pMainWindow->setEnabled(false);
        // Disabling a widget disables the windows it owns as well; this one
        // must stay usable.
        setEnabled(true);
    }
    show();
    // The main window is disabled now, so the keyboard has to come here:
    // ask the window manager to make this the active window.
    activateWindow();
    cmdOk->setFocus(Qt::ActiveWindowFocusReason);
    tmr->start();
}

void frmHelp::tmr_Timer() {
    m_iLeft += kStepLeft;
    m_iTop += kStepTop;
    m_iWidth += kStepWidth;
    m_iHeight += kStepHeight;
    if (m_iTop - StartTop >= kTravel) {
        tmr->stop();
        // End at the full design size rather than the size ten steps reach,
        // which would cut off the button and the end of the text.
        m_iWidth = m_DesignSize.width() * kTwipsPerPixel;
        m_iHeight = m_DesignSize.height() * kTwipsPerPixel;
    }
    // No nested event processing here: the repaint at the new size happens
    // as soon as this tick returns to the event loop, well before the next.
    ApplyGeometry();
    if (!tmr->isActive())
        setFixedSize(m_DesignSize);
}

void frmHelp::ApplyGeometry() {
    const int iWidth = std::min(ToPixels(m_iWidth), m_DesignSize.width());
    const int iHeight = std::min(ToPixels(m_iHeight), m_DesignSize.height());
    move(ToPixels(m_iLeft), ToPixels(m_iTop));
    resize(iWidth, iHeight);
}

void frmHelp::keyPressEvent(QKeyEvent* pEvent) {
    // Escape, and Enter wherever the focus is, close the window as Ok does.
    const int iKey = pEvent->key();
    const bool bPlain = (pEvent->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (bPlain && (iKey == Qt::Key_Escape || iKey == Qt::Key_Return || iKey == Qt::Key_Enter)) {
        close();
        return;
    }
    QWidget::keyPressEvent(pEvent);
}

void frmHelp::closeEvent(QCloseEvent* pEvent) {
    tmr->stop();
    if (m_pMainWindow)
        m_pMainWindow->setEnabled(true);
    pEvent->accept();
}
