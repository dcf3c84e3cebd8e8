// What the window looks like under light and dark palettes: every text we colour ourselves
// reads on what it stands on, the display shows the grand total whole and labelled, and the
// tape's amounts stand right-aligned in digits of one width.
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include "WindowFixture.h"
#include "qt/panels/Contrast.h"
#include "qt/panels/DisplayLabel.h"
#include "qt/panels/TabularFont.h"
#include "qt/panels/TapeLineDelegate.h"
#include "qt/panels/TapeListModel.h"
#include "qt/panels/TapeView.h"

namespace sumwise::qt {
namespace {

TEST(ContrastTest, RatiosAsTheGuidelinesMeasureThem) {
    const struct {
        QColor a, b;
        double ratio;
    } cases[] = {
        {Qt::black, Qt::white, 21.0},
        {Qt::white, Qt::white, 1.0},
        {QColor(0x77, 0x77, 0x77), Qt::white, 4.48}, // the well-known grey just below 4.5
        {QColor(0xFF, 0x00, 0x00), Qt::white, 4.0},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(ContrastRatio(c.a, c.b), c.ratio, 0.01) << c.a.name().toStdString();
        EXPECT_NEAR(ContrastRatio(c.b, c.a), c.ratio, 0.01) << "either order";
    }
    // Where the colour already reads it is kept; a mid-grey background still gets the best.
    const QColor red(TapeListModel::kNegativeInk);
    EXPECT_EQ(ReadableInk(red, Qt::white), red);
    EXPECT_GE(ContrastRatio(ReadableInk(red, QColor(0x76, 0x76, 0x76)), QColor(0x76, 0x76, 0x76)),
              4.5);
}

QPalette DarkPalette(QColor window, QColor base, QColor text) {
    QPalette p(QApplication::style()->standardPalette());
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Window, window);
        p.setColor(group, QPalette::WindowText, text);
        p.setColor(group, QPalette::Base, base);
        p.setColor(group, QPalette::Text, text);
        p.setColor(group, QPalette::Button, window.lighter(120));
        p.setColor(group, QPalette::ButtonText, text);
        p.setColor(group, QPalette::Highlight, QColor(0x35, 0x84, 0xe4));
        p.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    return p;
}

class LookTest : public WindowTest {
protected:
    void TearDown() override {
        QApplication::setPalette(QApplication::style()->standardPalette());
        WindowTest::TearDown();
    }
    DisplayLabel* displayLabel() { return window.findChild<DisplayLabel*>("lblResult"); }
    TapeView* tape() { return window.findChild<TapeView*>("lstTape"); }
    double warningContrast() {
        auto* warning = window.findChild<QWidget*>("lblChangeTape_2");
        auto* panel = window.findChild<QWidget*>("fraChangeTape");
        if (warning == nullptr || panel == nullptr) {
            ADD_FAILURE() << "the change panel is not there";
            return 0;
        }
        return ContrastRatio(warning->palette().color(QPalette::WindowText),
                             panel->palette().color(QPalette::Window));
    }
};

TEST_F(LookTest, OurOwnColoursReadUnderLightAndDarkPalettes) {
    QTest::keyClicks(window.findChild<QWidget*>("picSetFocus"), "5-8=");
    window.form().lstTape().SetNote(0, "rent");
    const struct {
        const char* name;
        QPalette palette;
    } palettes[] = {
        {"light", QApplication::style()->standardPalette()},
        {"dark", DarkPalette(QColor(0x2d, 0x2d, 0x2d), QColor(0x1e, 0x1e, 0x1e), Qt::white)},
        {"dark grey",
         DarkPalette(QColor(0x35, 0x35, 0x35), QColor(0x4a, 0x4a, 0x4a), QColor(0xe0, 0xe0, 0xe0))},
    };
    for (const auto& p : palettes) {
        QApplication::setPalette(p.palette);
        QCoreApplication::processEvents();
        for (int bank = 0; bank < 5; ++bank) { // bank 0 is the selected, light blue one
            const QPalette& field =
                window.findChild<QLineEdit*>(QString("txtMem_%1").arg(bank))->palette();
            EXPECT_GE(ContrastRatio(field.color(QPalette::Text), field.color(QPalette::Base)), 4.5)
                << p.name << " bank " << bank;
        }
        const QColor ink = tape()->model()->index(1, 0).data(Qt::ForegroundRole).value<QColor>();
        const QColor under = tape()->viewport()->palette().color(QPalette::Base);
        EXPECT_GE(ContrastRatio(ink, under), 4.5) << p.name << " red line";
        // A dimmed note reads as normal text does, or on a selected line as well as the
        // theme's own selected text, where that reads less.
        for (bool selected : {false, true}) {
            const QColor back = p.palette.color(selected ? QPalette::Highlight : QPalette::Base);
            const QColor text =
                p.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
            const double wanted = std::min(4.5, ContrastRatio(text, back));
            EXPECT_GE(ContrastRatio(TapeLineDelegate::noteInk(p.palette, selected), back), wanted)
                << p.name << " note, selected " << selected;
        }
        if (&p == &palettes[1]) {
            // The change panel is built on its first opening, here under a dark palette.
            QTest::keyClick(window.findChild<QWidget*>("picSetFocus"), Qt::Key_Up);
            QTest::keyClick(window.findChild<QWidget*>("picSetFocus"), Qt::Key_F2);
            ASSERT_TRUE(window.form().Document().ChangeTape().Visible);
        }
        if (&p != &palettes[0]) {
            EXPECT_GE(warningContrast(), 4.5) << p.name;
        }
    }
    // On the light palette the tape keeps its deep red, and the change panel follows.
    QApplication::setPalette(palettes[0].palette);
    QCoreApplication::processEvents();
    EXPECT_GE(warningContrast(), 4.5) << "light, after dark";
    EXPECT_EQ(tape()->model()->index(1, 0).data(Qt::ForegroundRole).value<QColor>(),
              QColor(TapeListModel::kNegativeInk));
}

TEST_F(LookTest, GrandTotalIsLabelledWholeAndReadableBesideANormalNumber) {
    QWidget* sink = window.findChild<QWidget*>("picSetFocus");
    QTest::keyClicks(sink, "456.65+==");
    ASSERT_EQ(window.form().Keys().lblGrandTotal(), "456.65 ")
        << "the core's own text is unchanged";
    QTest::keyClicks(sink, "1234567890.12+");
    auto* grand = qobject_cast<DisplaySideLabel*>(window.findChild<QLabel*>("lblGrandTotal"));
    auto* op = qobject_cast<DisplaySideLabel*>(window.findChild<QLabel*>("lblOperator"));
    ASSERT_NE(grand, nullptr);
    ASSERT_NE(op, nullptr);
    EXPECT_EQ(grand->text(), "456.65 ");
    EXPECT_EQ(grand->shownText(), "GT 456.65 ");
    EXPECT_EQ(op->text(), "+");

    const int body = QFontInfo(window.font()).pixelSize();
    DisplayLabel* display = displayLabel();
    const QRect number = display->numberRect();
    for (DisplaySideLabel* side : {op, grand}) {
        EXPECT_GE(QFontInfo(side->font()).pixelSize(), body) << side->objectName().toStdString();
        EXPECT_FALSE(side->font().bold()) << side->objectName().toStdString();
        EXPECT_GE(side->width(), side->fontMetrics().horizontalAdvance(side->shownText()))
            << side->objectName().toStdString() << " is drawn whole";
        EXPECT_TRUE(display->contentsRect().contains(side->geometry()))
            << side->objectName().toStdString();
        EXPECT_LT(side->geometry().right(), number.left()) << side->objectName().toStdString();
    }
    EXPECT_GE(number.width(), display->fontMetrics().horizontalAdvance(display->text()))
        << "the number is not elided";

    // An empty grand total shows nothing, not a bare "GT ".
    QTest::keyClicks(sink, "g");
    EXPECT_EQ(grand->text(), "");
    EXPECT_EQ(grand->shownText(), "");
}

// The display's number in bold, its labels and the bank texts in the window's faces; the
// application's own font is left to the desktop.
TEST_F(LookTest, TheDisplayIsBoldAndTheOtherTextsInTheirPanelsFaces) {
    EXPECT_EQ(QGuiApplication::font(), QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    DisplayLabel* display = displayLabel();
    EXPECT_EQ(display->font().pixelSize(), 16);
    EXPECT_TRUE(display->font().bold());
    EXPECT_EQ(QFontInfo(display->font()).family(), QFontInfo(window.font()).family());
    for (const char* name : {"lblOperator", "lblGrandTotal", "lblAddMode", "lblItems"}) {
        auto* side = window.findChild<QLabel*>(name);
        ASSERT_NE(side, nullptr) << name;
        EXPECT_EQ(side->font(), window.font()) << name << " is in the body face";
        // Laid out in that face: as tall as its text, not as the display's.
        EXPECT_EQ(side->height(), QFontMetrics(window.font()).height()) << name;
    }
    auto* panel = window.findChild<QWidget*>("fraMemBanks");
    ASSERT_NE(panel, nullptr);
    for (int bank = 0; bank < 5; ++bank) {
        auto* text = window.findChild<QLineEdit*>(QString("txtMem_%1").arg(bank));
        ASSERT_NE(text, nullptr) << bank;
        EXPECT_EQ(text->font(), panel->font()) << bank;
    }
}

// The most a drawn pixel of the area stands out from the colour it is drawn on.
double StrongestContrast(const QImage& image, const QRect& area, const QColor& under) {
    double strongest = 1;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            strongest = std::max(strongest, ContrastRatio(QColor(image.pixel(x, y)), under));
        }
    }
    return strongest;
}

// The radio buttons' rings and the menus' check marks are seen (3:1 against what they stand
// on), and the bank texts read (4.5:1) on the theme's field colour and on the selected bank's.
TEST_F(LookTest, ControlsAndBankTextsStandOutUnderLightAndDarkPalettes) {
    window.form().Settings().mnuConverter_Click();
    window.refresh();
    const struct {
        const char* name;
        QPalette palette;
        QColor selectedBank; // invalid: any colour but the fields'
    } palettes[] = {
        {"light", QApplication::style()->standardPalette(), QColor(196, 228, 255)},
        {"dark", DarkPalette(QColor(0x2d, 0x2d, 0x2d), QColor(0x1e, 0x1e, 0x1e), Qt::white), {}},
        // As Qt takes it from GTK's Adwaita dark theme (QT_QPA_PLATFORMTHEME=gtk3).
        {"Adwaita dark",
         DarkPalette(QColor(0x32, 0x32, 0x32), QColor(0x24, 0x24, 0x24), QColor(0xee, 0xee, 0xec)),
         {}},
    };
    for (const auto& p : palettes) {
        QApplication::setPalette(p.palette);
        QCoreApplication::processEvents();
        const QColor panel = p.palette.color(QPalette::Window);
        for (const char* name : {"optMem_1", "optConvertToF"}) { // neither is on
            auto* radio = window.findChild<QRadioButton*>(name);
            ASSERT_NE(radio, nullptr) << name;
            ASSERT_FALSE(radio->isChecked()) << name;
            QStyleOptionButton option;
            option.initFrom(radio);
            const QRect ring =
                radio->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, radio);
            EXPECT_GE(StrongestContrast(radio->grab().toImage(), ring, panel), 3.0)
                << p.name << " " << name << "'s ring";
        }
        // The View menu's boxes, checked or not, left of their captions.
        auto* view = window.findChild<QMenu*>("mnuView");
        view->ensurePolished();
        view->adjustSize();
        const QImage menu = view->grab().toImage();
        for (const char* name : {"mnuConverter", "mnuTop"}) {
            const QRect item = view->actionGeometry(window.findChild<QAction*>(name));
            const QColor menuBack(menu.pixel(item.right() - 2, item.center().y()));
            const QRect box(item.left(), item.top(), 24, item.height());
            EXPECT_GE(StrongestContrast(menu, box, menuBack), 3.0) << p.name << " " << name;
        }
        for (int bank : {0, 1}) { // bank 0 is the selected one
            const QPalette& field =
                window.findChild<QLineEdit*>(QString("txtMem_%1").arg(bank))->palette();
            const QColor base = field.color(QPalette::Base);
            EXPECT_GE(ContrastRatio(field.color(QPalette::Text), base), 4.5)
                << p.name << " bank " << bank;
            if (bank == 1) {
                EXPECT_EQ(base, p.palette.color(QPalette::Base)) << p.name << " follows";
            } else if (p.selectedBank.isValid()) {
                EXPECT_EQ(base, p.selectedBank) << p.name << " selected bank";
            } else {
                EXPECT_NE(base, p.palette.color(QPalette::Base)) << p.name << " selected bank";
            }
        }
    }
}

// Each drawn line ends at one right edge; a note stands left of its line.
TEST_F(LookTest, TapeLinesStandRightAlignedInDigitsOfOneWidth) {
    EXPECT_TRUE(HasTabularDigits(tape()->font()));
    // The faces taken on trust are measured here instead.
    for (const QString& face : KnownTabularFaces()) {
        if (QFontDatabase::hasFamily(face)) {
            for (int points : {8, 10, 13}) {
                QFont font(face);
                font.setPointSize(points);
                EXPECT_TRUE(HasTabularDigits(font)) << face.toStdString() << " " << points;
            }
        }
    }
    QTest::keyClicks(window.findChild<QWidget*>("picSetFocus"), "1+1000.25+7=");
    window.form().lstTape().SetNote(0, "coffee");
    tape()->clearSelection();
    tape()->setCurrentIndex({});
    const QImage image = tape()->viewport()->grab().toImage();
    const QRgb background = image.pixel(image.width() - 2, image.height() - 2);
    const qreal ratio = image.devicePixelRatio(); // the picture counts device pixels
    auto inked = [&](int row) {
        const QRect line = tape()->visualRect(tape()->model()->index(row, 0));
        int left = image.width(), right = -1;
        for (int y = qRound(line.top() * ratio); y < qRound((line.bottom() + 1) * ratio); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) != background) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        return std::pair{left / ratio, right / ratio};
    };
    const qreal edge = inked(1).second;
    for (int row : {0, 2, 3}) {
        EXPECT_NEAR(inked(row).second, edge, 1) << "row " << row;
    }
    EXPECT_EQ(tape()->model()->index(0, 0).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignRight | Qt::AlignVCenter);
    const int lineWidth = tape()->fontMetrics().horizontalAdvance("+ 1.00");
    EXPECT_LT(inked(0).first, edge - lineWidth - 10) << "the note is drawn left of the line";
}

} // namespace
} // namespace sumwise::qt
