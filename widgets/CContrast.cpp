#include "widgets/CContrast.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {
// Relative luminance of an sRGB colour.
double Luminance(const QColor& colour) {
    const auto linear = [](double dChannel) {
        return dChannel <= 0.04045 ? dChannel / 12.92 : std::pow((dChannel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}
} // namespace

double CContrast::Ratio(const QColor& foreground, const QColor& background) {
    const double dA = Luminance(foreground);
    const double dB = Luminance(background);
    return (std::max(dA, dB) + 0.05) / (std::min(dA, dB) + 0.05);
}

QColor CContrast::Readable(std::initializer_list<QColor> candidates, const QColor& background) {
    QColor best;
    double dBest = 0;
    for (const QColor& candidate : candidates) {
        const double dRatio = Ratio(candidate, background);
        if (dRatio >= MinimumRatio)
            return candidate;
        if (dRatio > dBest) {
            dBest = dRatio;
            best = candidate;
        }
    }
    return best;
}

void CContrast::SetTextColour(QWidget* pWidget, const QColor& wanted,
                              QPalette::ColorRole iFallback) {
    QPalette pal = pWidget->palette();
    for (const QPalette::ColorGroup iGroup : {QPalette::Active, QPalette::Inactive}) {
        const QColor background = pal.color(iGroup, pWidget->backgroundRole());
        const QPalette::ColorRole iText = pWidget->foregroundRole();
        pal.setColor(
            iGroup, iText,
            Readable({wanted, pal.color(iGroup, iFallback), pal.color(iGroup, iText)}, background));
    }
    pWidget->setPalette(pal);
}
