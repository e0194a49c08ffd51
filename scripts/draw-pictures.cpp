// Draws the program's pictures into resources/: the application icon, the
// About window's background and its phone picture. Not part of the build;
// scripts/draw-pictures.sh compiles and runs it whenever a picture changes.
// resources/icons/ringwright.svg is the same icon drawn by hand, with the same
// coordinates, for desktops that prefer a scalable icon.

#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>
#include <cstdio>

namespace {

const QColor Navy(0x1b, 0x3f, 0x8f);
const QColor Blue(0x3a, 0x7b, 0xe0);
const QColor PaleBlue(0xcf, 0xe0, 0xff);

// An eighth note on a 256-unit grid: head, stem and flag.
void DrawNote(QPainter& p, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.save();
    p.translate(92, 176);
    p.rotate(-22);
    p.drawEllipse(QPointF(0, 0), 30, 21);
    p.restore();
    p.drawRect(QRectF(106, 56, 14, 118));
    QPainterPath flag;
    flag.moveTo(106, 56);
    flag.cubicTo(150, 66, 170, 96, 156, 138);
    flag.cubicTo(160, 108, 142, 94, 120, 92);
    flag.closeSubpath();
    p.drawPath(flag);
}

void DrawRings(QPainter& p, const QColor& colour, qreal rWidth) {
    QPen pen(colour, rWidth, Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    // Two arcs spreading from the note, as sound leaves a ringing phone.
    p.drawArc(QRectF(140, 92, 56, 76), -50 * 16, 100 * 16);
    p.drawArc(QRectF(140, 66, 92, 128), -50 * 16, 100 * 16);
}

QImage Icon(int iSize) {
    QImage img(iSize, iSize, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(iSize / 256.0, iSize / 256.0);
    QLinearGradient bg(0, 8, 0, 248);
    bg.setColorAt(0, Blue);
    bg.setColorAt(1, Navy);
    p.setPen(Qt::NoPen);
    p.setBrush(bg);
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);
    DrawNote(p, Qt::white);
    DrawRings(p, PaleBlue, 12);
    return img;
}

// 446 x 161: a light wash with a faint stave of notes, pale enough that
// black text stays easy to read anywhere on it.
QImage Background() {
    QImage img(446, 161, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient wash(0, 0, 446, 161);
    wash.setColorAt(0, QColor(0xff, 0xff, 0xff));
    wash.setColorAt(1, QColor(0xdc, 0xe7, 0xf8));
    p.fillRect(img.rect(), wash);

    // A stave that rises gently from left to right.
    QColor stave = Navy;
    stave.setAlpha(28);
    p.setPen(QPen(stave, 1.2));
    for (int i = 0; i < 5; ++i) {
        QPainterPath line;
        const qreal y = 118 + i * 7;
        line.moveTo(-10, y + 10);
        line.cubicTo(150, y + 22, 300, y - 30, 460, y - 18);
        p.drawPath(line);
    }
    // Notes sit on the stave: each head a line or a space away from the
    // middle line, following its curve.
    QColor note = Navy;
    note.setAlpha(34);
    QPainterPath middle;
    middle.moveTo(-10, 142);
    middle.cubicTo(150, 154, 300, 102, 460, 114);
    const struct {
        qreal rAt;
        int iSteps; // half-spaces above the middle line
    } notes[] = {{0.58, -1}, {0.65, 1}, {0.72, 2}, {0.79, 0}, {0.86, 3}, {0.93, 1}};
    p.setPen(Qt::NoPen);
    p.setBrush(note);
    for (const auto& n : notes) {
        const QPointF head = middle.pointAtPercent(n.rAt) - QPointF(0, n.iSteps * 3.5);
        p.save();
        p.translate(head);
        p.rotate(-22);
        p.drawEllipse(QPointF(0, 0), 4.6, 3.3);
        p.restore();
        p.drawRect(QRectF(head.x() + 3.4, head.y() - 24, 1.4, 24));
    }
    // A blue edge on the left ties the picture to the icon.
    QLinearGradient edge(0, 0, 0, 161);
    edge.setColorAt(0, Blue);
    edge.setColorAt(1, Navy);
    p.fillRect(QRectF(0, 0, 4, 161), edge);
    return img;
}

// 55 x 86: a candy-bar phone with a note on its display.
QImage Phone() {
    QImage img(55, 86, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient body(8, 0, 47, 0);
    body.setColorAt(0, QColor(0x27, 0x35, 0x52));
    body.setColorAt(0.5, QColor(0x3c, 0x50, 0x78));
    body.setColorAt(1, QColor(0x22, 0x2e, 0x48));
    p.setPen(QPen(QColor(0x15, 0x1d, 0x30), 1));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(8.5, 1.5, 38, 83), 11, 11);

    // Earpiece.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x12, 0x18, 0x28));
    p.drawRoundedRect(QRectF(22, 6, 11, 2.5), 1.2, 1.2);

    // Display.
    p.setBrush(QColor(0x9c, 0xb8, 0x84));
    p.setPen(QPen(QColor(0x18, 0x20, 0x34), 1));
    p.drawRoundedRect(QRectF(13.5, 12.5, 28, 22), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2a, 0x36, 0x24));
    // Small note on the display.
    p.save();
    p.translate(24, 29);
    p.rotate(-22);
    p.drawEllipse(QPointF(0, 0), 3.2, 2.3);
    p.restore();
    p.drawRect(QRectF(26.2, 17, 1.3, 12));
    QPainterPath flag;
    flag.moveTo(26.2, 17);
    flag.cubicTo(30, 18, 32, 21, 30.5, 24.5);
    flag.cubicTo(31, 21.5, 29.5, 20.5, 27.5, 20.3);
    flag.closeSubpath();
    p.drawPath(flag);

    // Navigation key.
    p.setBrush(QColor(0xc8, 0xd2, 0xe4));
    p.drawRoundedRect(QRectF(18, 39, 19, 5), 2.5, 2.5);

    // Keypad, three by four.
    QLinearGradient key(0, 0, 0, 5);
    key.setColorAt(0, QColor(0xee, 0xf2, 0xf8));
    key.setColorAt(1, QColor(0xb4, 0xbf, 0xd2));
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 3; ++col) {
            const QRectF r(14.5 + col * 9.5, 48 + row * 8, 7.5, 5.5);
            p.save();
            p.translate(r.topLeft());
            p.setBrush(key);
            p.drawRoundedRect(QRectF(0, 0, r.width(), r.height()), 2, 2);
            p.restore();
        }
    }
    return img;
}

bool Save(const QImage& img, const QString& sPath) {
    if (!img.save(sPath, "PNG")) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(sPath));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QString sDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("resources");
    bool bOk = Save(Icon(256), sDir + QStringLiteral("/icons/ringwright-256.png"));
    bOk = Save(Icon(48), sDir + QStringLiteral("/icons/ringwright-48.png")) && bOk;
    bOk = Save(Icon(32), sDir + QStringLiteral("/icons/ringwright-32.png")) && bOk;
    bOk = Save(Background(), sDir + QStringLiteral("/pictures/about-background.png")) && bOk;
    bOk = Save(Phone(), sDir + QStringLiteral("/pictures/phone.png")) && bOk;
    return bOk ? 0 : 1;
}
