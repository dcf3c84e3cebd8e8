#include "qt/panels/Contrast.h"

#include <algorithm>
#include <cmath>

namespace sumwise::qt {

namespace {

double Linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

constexpr int kShadeSteps = 20;

} // namespace

double RelativeLuminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * Linear(rgb.redF()) + 0.7152 * Linear(rgb.greenF()) +
           0.0722 * Linear(rgb.blueF());
}

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor Blend(const QColor& ink, const QColor& background, double opacity) {
    const QColor top = ink.toRgb();
    const QColor under = background.toRgb();
    auto mix = [opacity](double a, double b) { return a * opacity + b * (1.0 - opacity); };
    return QColor::fromRgbF(static_cast<float>(mix(top.redF(), under.redF())),
                            static_cast<float>(mix(top.greenF(), under.greenF())),
                            static_cast<float>(mix(top.blueF(), under.blueF())));
}

QColor ReadableInk(const QColor& preferred, const QColor& background, double minimum) {
    QColor best = preferred;
    double bestRatio = ContrastRatio(preferred, background);
    // Step by step towards white and towards black: the first shade that reads is the one
    // nearest the colour asked for.
    for (int step = 1; step <= kShadeSteps && bestRatio < minimum; ++step) {
        const double share = 1.0 - static_cast<double>(step) / kShadeSteps;
        for (const QColor& end : {QColor(Qt::white), QColor(Qt::black)}) {
            const QColor shade = Blend(preferred, end, share);
            const double ratio = ContrastRatio(shade, background);
            if (ratio > bestRatio) {
                best = shade;
                bestRatio = ratio;
            }
        }
    }
    return best;
}

QColor DimmedInk(const QColor& text, const QColor& background, double opacity, double minimum) {
    QColor ink = Blend(text, background, opacity);
    for (double more = opacity; more < 1.0 && ContrastRatio(ink, background) < minimum;) {
        more = std::min(1.0, more + 0.05);
        ink = Blend(text, background, more);
    }
    return ink;
}

} // namespace sumwise::qt
