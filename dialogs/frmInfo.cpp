#include "dialogs/frmInfo.h"

#include "resources/CResources.h"
#include "widgets/CClickLabel.h"
#include "widgets/CContrast.h"
#include "widgets/CLabelMaker.h"
#include "widgets/CLauncher.h"
#include "widgets/CProgram.h"
#include "widgets/CWindowPlacement.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The client area is exactly the background picture.
constexpr int iWidth = 446;
constexpr int iHeight = 161;

QFont TimesFont(qreal rPoints, bool bBold = false) {
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(rPoints);
    font.setBold(bBold);
    return font;
}

QFrame* MakeLine(const QString& sName, const QColor& colour, QWidget* pParent) {
    auto* pLine = new QFrame(pParent);
    pLine->setObjectName(sName);
    pLine->setFixedHeight(1);
    pLine->setAutoFillBackground(true);
    QPalette pal = pLine->palette();
    pal.setColor(QPalette::Window, colour);
    pLine->setPalette(pal);
    return pLine;
}

} // namespace

frmInfo::frmInfo(QWidget* pParent)
    : QDialog(pParent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmInfo"));
    setModal(true);
    CWindowPlacement::KeepWithOwner(this);
    CResources::Init();
    m_Background = QPixmap(QStringLiteral(":/pictures/about-background.png"));
    BuildLayout();
    setFixedSize(iWidth, iHeight);
    CWindowPlacement::CentreOnScreen(this);
    setWindowTitle(QStringLiteral("About..."));
    lblAppName->setText(CProgram::Caption());
}

QString frmInfo::AuthorName() {
    return QStringLiteral("Morgan Ashdown");
}

QString frmInfo::AuthorEmail() {
    return QStringLiteral("morgan.ashdown@ringwright.example");
}

QString frmInfo::WebAddress() {
    return QStringLiteral("http://www.ringwright.example/");
}

CClickLabel* frmInfo::MakeWebLink(QWidget* pParent) {
    auto* pLink = new CClickLabel(WebAddress(), pParent);
    pLink->setObjectName(QStringLiteral("lblMyWeb"));
    pLink->setTextFormat(Qt::PlainText);
    QFont linkFont = TimesFont(9);
    linkFont.setUnderline(true);
    pLink->setFont(linkFont);
    CContrast::SetTextColour(pLink, QColor(0x00, 0x00, 0xff), QPalette::Link);
    pLink->setCursor(Qt::PointingHandCursor);
    pLink->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    QObject::connect(pLink, &CClickLabel::clicked, pLink,
                     [pLink] { modNOK::LaunchBrowser(pLink->text()); });
    return pLink;
}

void frmInfo::BuildLayout() {
    // The picture is light whatever the desktop's colour scheme, so the text
    // on it stays dark, and its colours are checked against the picture.
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    pal.setColor(QPalette::Window,
                 m_Background.toImage()
                     .scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                     .pixelColor(0, 0));
    setPalette(pal);
    QFont body = font();
    body.setPointSizeF(8);
    setFont(body);

    lblAppName = CLabelMaker::Make(QStringLiteral("lblAppName"), CProgram::Name(), this);
    lblAppName->setFont(TimesFont(11.25, true));
    lblAppName->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    CContrast::SetTextColour(lblAppName, QColor(0x00, 0x00, 0x80));

    Image1 = CLabelMaker::Make(QStringLiteral("Image1"), QString(), this);
    Image1->setPixmap(QPixmap(QStringLiteral(":/pictures/phone.png")));
    Image1->setFixedSize(55, 86);

    lblMsg3 =
        CLabelMaker::Make(QStringLiteral("lblMsg3"),
                          QStringLiteral("This program is provided free of charge and may be "
                                         "distributed freely.  I hope it is found to be useful."),
                          this);
    lblMsg3->setWordWrap(true);

    // lblMsg4 ends in "at" on its second line, and the e-mail address
    // continues that line in a font of its own, so the two are placed by hand
    // on a holder that the layout treats as one piece.
    auto* pAddress = new QWidget(this);
    const QString sSecondLine = AuthorName() + QStringLiteral(" at");
    lblMsg4 = CLabelMaker::Make(
        QStringLiteral("lblMsg4"),
        QStringLiteral("Please direct any comments/suggestions to\n") + sSecondLine, pAddress);
    lblEmail = CLabelMaker::Make(QStringLiteral("lblEmail"), AuthorEmail(), pAddress);
    lblEmail->setFont(TimesFont(9));
    CContrast::SetTextColour(lblEmail, QColor(0x00, 0x00, 0xff), QPalette::Link);
    {
        const QSize msgSize = lblMsg4->sizeHint();
        lblMsg4->setGeometry(QRect(QPoint(0, 0), msgSize));
        const QFontMetrics msgMetrics = lblMsg4->fontMetrics();
        const QFontMetrics emailMetrics = lblEmail->fontMetrics();
        const QSize emailSize = lblEmail->sizeHint();
        // Both texts share the baseline of lblMsg4's second line.
        const int iBaseline = msgSize.height() -
                              (msgSize.height() - 2 * msgMetrics.lineSpacing()) / 2 -
                              msgMetrics.lineSpacing() + msgMetrics.ascent();
        const int iLeft = msgMetrics.horizontalAdvance(sSecondLine + QLatin1Char(' '));
        const int iTop = iBaseline - emailMetrics.ascent();
        lblEmail->setGeometry(iLeft, iTop, emailSize.width(), emailSize.height());
        pAddress->setFixedSize(qMax(msgSize.width(), iLeft + emailSize.width()),
                               qMax(msgSize.height(), iTop + emailSize.height()));
    }

    Label2 = CLabelMaker::Make(QStringLiteral("Label2"),
                               QStringLiteral("Visit my web-site for updates:"), this);

    lblMyWeb = MakeWebLink(this);

    Line1 = MakeLine(QStringLiteral("Line1"), QColor(0x00, 0x60, 0x00), this);
    Line2 = MakeLine(QStringLiteral("Line2"), Qt::white, this);

    cmdOK = new QPushButton(QStringLiteral("&Ok"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    Label4 = CLabelMaker::Make(QStringLiteral("Label4"),
                               QStringLiteral("\u00a9 2026 ") + AuthorName() +
                                   QStringLiteral(". All rights reserved."),
                               this);

    auto* pText = new QGridLayout;
    pText->setContentsMargins(0, 0, 0, 0);
    pText->setVerticalSpacing(3);
    pText->addWidget(lblMsg3, 0, 0);
    pText->addWidget(pAddress, 1, 0);
    pText->addWidget(Label2, 2, 0);
    pText->addWidget(lblMyWeb, 3, 0, Qt::AlignLeft);
    pText->setRowStretch(4, 1);

    auto* pMiddle = new QHBoxLayout;
    pMiddle->setSpacing(10);
    pMiddle->addWidget(Image1, 0, Qt::AlignTop);
    pMiddle->addLayout(pText, 1);

    auto* pSeparator = new QVBoxLayout;
    pSeparator->setSpacing(0);
    pSeparator->setContentsMargins(4, 0, 4, 0);
    pSeparator->addWidget(Line1);
    pSeparator->addWidget(Line2);

    auto* pBottom = new QHBoxLayout;
    pBottom->addWidget(Label4, 1, Qt::AlignBottom);
    pBottom->addWidget(cmdOK);

    auto* pRoot = new QVBoxLayout(this);
    pRoot->setContentsMargins(12, 4, 10, 6);
    pRoot->setSpacing(3);
    pRoot->addWidget(lblAppName);
    pRoot->addLayout(pMiddle, 1);
    pRoot->addLayout(pSeparator);
    pRoot->addLayout(pBottom);
}

void frmInfo::paintEvent(QPaintEvent* pEvent) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_Background);
    QDialog::paintEvent(pEvent);
}
