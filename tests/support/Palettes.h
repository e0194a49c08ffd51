#pragma once
// The two desktop palettes the windows are tried in: Fusion's light one and
// a dark one of the kind dark desktop themes give (here Breeze Dark's).

#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <memory>

namespace Palettes {

inline QPalette Light() {
    const std::unique_ptr<QStyle> pFusion(QStyleFactory::create(QStringLiteral("Fusion")));
    return pFusion->standardPalette();
}

inline QPalette Dark() {
    QPalette pal = Light();
    const QColor window(49, 54, 59), base(35, 38, 41), text(239, 240, 241);
    for (const QPalette::ColorGroup iGroup : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(iGroup, QPalette::Window, window);
        pal.setColor(iGroup, QPalette::WindowText, text);
        pal.setColor(iGroup, QPalette::Base, base);
        pal.setColor(iGroup, QPalette::AlternateBase, window);
        pal.setColor(iGroup, QPalette::Text, text);
        pal.setColor(iGroup, QPalette::Button, window);
        pal.setColor(iGroup, QPalette::ButtonText, text);
        pal.setColor(iGroup, QPalette::Link, QColor(29, 153, 243));
        pal.setColor(iGroup, QPalette::Highlight, QColor(61, 174, 233));
    }
    pal.setColor(QPalette::Disabled, QPalette::Window, window);
    pal.setColor(QPalette::Disabled, QPalette::Base, base);
    pal.setColor(QPalette::Disabled, QPalette::WindowText, QColor(98, 108, 118));
    pal.setColor(QPalette::Disabled, QPalette::Text, QColor(98, 108, 118));
    return pal;
}

// Data rows of a test run once in each palette: column "bDark".
inline void AddRows() {
    QTest::addColumn<bool>("bDark");
    QTest::newRow("light") << false;
    QTest::newRow("dark") << true;
}

} // namespace Palettes
