#include <gtest/gtest.h>

#include "engine/EntryRegister.h"

namespace sumwise {
namespace {

EntryRegister Keyed(const std::string& display, bool decimalTyped) {
    EntryRegister reg;
    reg.ChooseDecimalPlaces(2);
    reg.RestoreKeyed(display, decimalTyped);
    return reg;
}

TEST(EntryRegister, DigitPlacement) {
    struct Case {
        const char* before;
        bool decimalTyped;
        int digit;
        const char* after;
        double value;
    };
    const Case cases[] = {
        {"12.5", true, 7, "12.57", 12.57}, {"12.", false, 3, "123.", 123},
        {".", false, 5, "5.", 5},          {"-.", false, 5, "-5.", -5},
        {"8.00", false, 3, "83.", 83},     {"8.00", true, 3, "8.003", 8.003},
        {"-5", false, 4, "-5", -5},        {".", true, 0, ".0", 0},
    };
    for (const auto& c : cases) {
        EntryRegister reg = Keyed(c.before, c.decimalTyped);
        reg.TypeDigit(c.digit);
        EXPECT_EQ(reg.Display(), c.after) << c.before << " + " << c.digit;
        EXPECT_EQ(reg.EntryValue(), c.value) << c.before << " + " << c.digit;
        EXPECT_EQ(reg.State(), EntryState::Num);
    }
}

TEST(EntryRegister, Backspace) {
    struct Case {
        const char* before;
        bool decimalTyped;
        const char* after;
        bool decimalTypedAfter;
    };
    const Case cases[] = {
        {"5.", false, ".", false},     {"-.", false, ".", false},     {"12.57", true, "12.5", true},
        {"123.", false, "12.", false}, {"8.00", false, "8.0", false}, {"0", false, "0", false},
        {"12.", true, "1.", false},    {"", false, "", false},
    };
    for (const auto& c : cases) {
        EntryRegister reg = Keyed(c.before, c.decimalTyped);
        reg.Backspace();
        EXPECT_EQ(reg.Display(), c.after) << c.before;
        EXPECT_EQ(reg.DecimalTyped(), c.decimalTypedAfter) << c.before;
        EXPECT_EQ(reg.State(), EntryState::Num) << "Backspace leaves the state";
    }
}

TEST(EntryRegister, KeyingFromStart) {
    EntryRegister reg;
    reg.ChooseDecimalPlaces(2);
    EXPECT_EQ(reg.Display(), "0.");
    reg.TypeDigit(1);
    reg.TypeDigit(2);
    EXPECT_EQ(reg.Display(), "12.");
    reg.TypeDecimal();
    EXPECT_EQ(reg.Display(), "12.");
    reg.TypeDigit(5);
    EXPECT_EQ(reg.Display(), "12.5");
    reg.Backspace();
    EXPECT_EQ(reg.Display(), "12.");
    reg.Backspace();
    EXPECT_EQ(reg.Display(), "1.");
    EXPECT_FALSE(reg.DecimalTyped());

    reg.CancelEntry();
    EXPECT_EQ(reg.Display(), "0");
    EXPECT_EQ(reg.State(), EntryState::CE);
    reg.TypeDigit(4);
    EXPECT_EQ(reg.Display(), "4.");

    EntryRegister fresh;
    fresh.TypeDecimal();
    fresh.TypeDigit(5);
    EXPECT_EQ(fresh.Display(), ".5");
    EXPECT_EQ(fresh.EntryValue(), 0.5);
}

TEST(EntryRegister, LongDigitRunsStayFinite) {
    EntryRegister reg;
    for (int i = 0; i < 1000; ++i) {
        reg.TypeDigit(9);
    }
    // Digits past the double range are refused; the display and value stay in step.
    EXPECT_EQ(reg.Display(), std::string(308, '9') + ".");
    EXPECT_GT(reg.EntryValue(), 9.9e307);
    reg.ChooseDecimalPlaces(2);
    reg.ChangeSign();
    // Shown to 15 significant digits: the 308 nines round up to 1 and 308 zeros.
    EXPECT_EQ(reg.Display(), "-1" + std::string(308, '0') + ".00");
}

TEST(EntryRegister, DecimalPlacesChooserDoesNotReformat) {
    EntryRegister reg = Keyed("8.00", false);
    reg.ChooseDecimalPlaces(3);
    EXPECT_EQ(reg.Display(), "8.00");
    EXPECT_EQ(reg.NumberFormat(), "#0.000");
    reg.Load(8);
    EXPECT_EQ(reg.Display(), "8.000");
}

} // namespace
} // namespace sumwise
