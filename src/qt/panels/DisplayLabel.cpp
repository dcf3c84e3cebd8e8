#include "qt/panels/DisplayLabel.h"

#include <QEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "qt/panels/DisplayAccessible.h"
#include "qt/panels/PanelAccessibility.h"

namespace sumwise::qt {

namespace {

// The room right of the number, and left of the small texts.
constexpr int kLeftMargin = 2;
constexpr int kRightMargin = 4;

// The widest of the measures: a text given its rounded-down width, or less than its ink,
// would be elided by a pixel.
int Advance(const QFont& font, const QString& text) {
    if (text.isEmpty()) {
        return 0;
    }
    const double exact = QFontMetricsF(font).horizontalAdvance(text);
    return std::max(static_cast<int>(std::ceil(exact)),
                    QFontMetrics(font).size(Qt::TextSingleLine, text).width());
}

QFont Scaled(QFont font, double scale) {
    if (scale >= 1) {
        return font;
    }
    if (font.pixelSize() > 0) {
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * scale))));
    } else {
        font.setPointSizeF(font.pointSizeF() * scale);
    }
    return font;
}

} // namespace

DisplaySideLabel::DisplaySideLabel(const QString& caption, bool number, QWidget* parent)
    : QLabel(parent), caption_(caption), number_(number) {
    InstallPanelAccessibility();
}

void DisplaySideLabel::showText(const QString& text) {
    if (this->text() != text) {
        setText(text);
        AnnounceDisplayText(this, number_);
    }
}

QString DisplaySideLabel::shownText() const {
    return text().isEmpty() ? QString() : caption_ + text();
}

QFont DisplaySideLabel::shownFont() const {
    return Scaled(font(), scale_);
}

void DisplaySideLabel::setShrink(double scale) {
    if (scale_ != scale) {
        scale_ = scale;
        update();
    }
}

void DisplaySideLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Text)); // the display's background is Base
    const QFont face = shownFont();
    painter.setFont(face);
    const QRect area = contentsRect();
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                     QFontMetrics(face).elidedText(shownText(), Qt::ElideRight, area.width()));
}

DisplayLabel::DisplayLabel(QWidget* parent) : QLabel(parent) {
    InstallPanelAccessibility();
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setForegroundRole(QPalette::Text);
    addMode_ = new DisplaySideLabel(QString(), false, this);
    operator_ = new DisplaySideLabel(QString(), false, this);
    items_ = new DisplaySideLabel(QString(), false, this);
    grandTotal_ = new DisplaySideLabel(QStringLiteral("GT "), true, this);
}

void DisplayLabel::setSideFont(const QFont& font) {
    // Every property set, so none is taken over from the display's large bold face.
    QFont face = font;
    face.setResolveMask(QFont::AllPropertiesResolved);
    for (DisplaySideLabel* side : Sides()) {
        side->setFont(face);
    }
    layoutSides();
}

void DisplayLabel::setTexts(const QString& number, const QString& pendingOperator,
                            const QString& grandTotal) {
    if (text() != number) {
        setText(number);
        AnnounceDisplayText(this, true);
    }
    operator_->showText(pendingOperator);
    grandTotal_->showText(grandTotal);
    layoutSides();
}

void DisplayLabel::setOptionTexts(const QString& addMode, const QString& items) {
    if (addMode_->text() != addMode || items_->text() != items) {
        addMode_->showText(addMode);
        items_->showText(items);
        layoutSides();
    }
}

QRect DisplayLabel::numberRect() const {
    return contentsRect().adjusted(reservedLeft_ + kLeftMargin, 0, -kRightMargin, 0);
}

QFont DisplayLabel::numberFont() const {
    return Scaled(font(), scale_);
}

void DisplayLabel::layoutSides() {
    const QRect area = contentsRect().adjusted(kLeftMargin, 0, -kRightMargin, 0);
    const QFont sideBody = operator_->font();
    // The faces as set while the number and the small texts fit side by side; otherwise both
    // shrink, a pixel of the number's size at a time, until they do or reach the least size.
    const int pixels = std::max(1, QFontInfo(font()).pixelSize());
    int number = 0;
    int sides = 0;
    int gap = 0;
    for (int size = pixels;; --size) {
        scale_ = static_cast<double>(size) / pixels;
        const QFont sideFace = Scaled(sideBody, scale_);
        gap = QFontMetrics(sideFace).horizontalAdvance(QLatin1Char(' '));
        sides = 0;
        for (const DisplaySideLabel* side : Sides()) {
            const int width = Advance(sideFace, side->shownText());
            sides += width > 0 ? width + (sides > 0 ? gap : 0) : 0;
        }
        number = Advance(numberFont(), text());
        const int needed = sides == 0 ? number : number + gap + sides;
        if (needed <= area.width() || scale_ - 1.0 / pixels < kLeastScale) {
            break;
        }
    }
    // The small texts stay whole unless, with a number too long for the rest, they would take
    // more than half the display.
    const int room =
        sides == 0 ? 0 : std::min(sides, std::max(area.width() - gap - number, area.width() / 2));
    reservedLeft_ = sides == 0 ? 0 : room + gap;

    const QFontMetrics numberMetrics(numberFont());
    const int baseline =
        area.top() + (area.height() - numberMetrics.height()) / 2 + numberMetrics.ascent();
    const QFont sideFace = Scaled(sideBody, scale_);
    const QFontMetrics sideMetrics(sideFace);
    const int top = std::max(area.top(), baseline - sideMetrics.ascent());
    const int height = std::min(sideMetrics.height(), area.bottom() + 1 - top);
    int left = area.left();
    for (DisplaySideLabel* side : Sides()) {
        side->setShrink(scale_);
        const int width = Advance(sideFace, side->shownText());
        side->setGeometry(left, top, std::max(0, std::min(width, area.left() + room - left)),
                          height);
        left += width > 0 ? width + gap : 0;
    }
    update();
}

void DisplayLabel::setKeysHere(bool here) {
    if (keysHere_ != here) {
        keysHere_ = here;
        update();
    }
}

void DisplayLabel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event); // frame and background only; the text is drawn below
    QPainter painter(this);
    if (keysHere_) {
        // Inside the sunken frame, in the colour a focused text field is outlined with.
        painter.setPen(palette().color(QPalette::Highlight));
        painter.drawRect(contentsRect().adjusted(0, 0, -1, -1));
    }
    const QRect area = numberRect();
    const QFont face = numberFont();
    const QString shown = QFontMetrics(face).elidedText(text(), Qt::ElideLeft, area.width());
    painter.setFont(face);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(area, Qt::AlignRight | Qt::AlignVCenter, shown);
}

void DisplayLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    layoutSides();
}

void DisplayLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        layoutSides();
    }
}

} // namespace sumwise::qt
