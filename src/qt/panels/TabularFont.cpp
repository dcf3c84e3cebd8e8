#include "qt/panels/TabularFont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>

namespace sumwise::qt {

bool HasTabularDigits(const QFont& font) {
    // Totals are set in bold among plain lines: both weights must keep the one advance.
    QFont bold = font;
    bold.setBold(!font.bold());
    const qreal zero = QFontMetricsF(font).horizontalAdvance(QLatin1Char('0'));
    for (const QFont& face : {font, bold}) {
        const QFontMetricsF metrics(face);
        for (char digit = '0'; digit <= '9'; ++digit) {
            if (metrics.horizontalAdvance(QLatin1Char(digit)) != zero) {
                return false;
            }
        }
    }
    return true;
}

const QStringList& KnownTabularFaces() {
    static const QStringList faces{"Liberation Sans"};
    return faces;
}

QFont TabularFont(const QFont& font) {
    // The face actually found, which may stand in for the one asked for.
    if (KnownTabularFaces().contains(QFontInfo(font).family()) || HasTabularDigits(font)) {
        return font;
    }
    // The build installs Liberation Mono; the desktop's fixed face stands in without it.
    QFont mono("Liberation Mono");
    if (!HasTabularDigits(mono)) {
        mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    }
    if (font.pixelSize() > 0) {
        mono.setPixelSize(font.pixelSize());
    } else {
        mono.setPointSizeF(font.pointSizeF());
    }
    return mono;
}

} // namespace sumwise::qt
