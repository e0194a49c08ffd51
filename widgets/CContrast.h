#pragma once
// Text colours that stay readable: the contrast ratio of two colours, and the
// choice between a wanted colour and the palette's own one for the same role.

#include <QColor>
#include <QPalette>

#include <initializer_list>

class QWidget;

namespace CContrast {
// The smallest ratio at which text reads on its background.
constexpr double MinimumRatio = 4.5;

// From 1 (the same luminance) to 21 (black on white).
double Ratio(const QColor& foreground, const QColor& background);

// The first candidate that reads on the background; when none does, the
// one that comes closest.
QColor Readable(std::initializer_list<QColor> candidates, const QColor& background);

// Gives the widget's text the wanted colour where it reads on the
// widget's background, otherwise the palette's colour of role iFallback,
// otherwise the palette's plain text colour. Only the active and
// inactive text changes: a disabled widget keeps the palette's disabled
// look.
void SetTextColour(QWidget* pWidget, const QColor& wanted,
                          QPalette::ColorRole iFallback = QPalette::WindowText);
} // namespace CContrast
