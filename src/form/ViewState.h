#pragma once

namespace sumwise {

// The View menu's check marks: the only record of the panel choice, the tape option and
// stay-on-top.
struct ViewState {
    static constexpr int kWidthWithTape = 8820; // outer width in twips
    static constexpr int kWidthWithoutTape = 6555;

    double Left = 1000; // the window's left and top edges, twips
    double Top = 1000;
    bool mnuBanks = false;
    bool mnuConverter = false;
    bool mnuTape = false;
    bool mnuTop = false;

    // Which panel shows; with neither mark set (an edited settings file) the banks do.
    bool BanksVisible() const { return mnuBanks || !mnuConverter; }
    bool ConverterVisible() const { return !BanksVisible(); }
    int OuterWidthTwips() const { return mnuTape ? kWidthWithTape : kWidthWithoutTape; }

    void mnuBanks_Click() {
        mnuBanks = true;
        mnuConverter = false;
    }
    void mnuConverter_Click() {
        mnuBanks = false;
        mnuConverter = true;
    }
    void mnuTape_Click() { mnuTape = !mnuTape; }
    void mnuTop_Click() { mnuTop = !mnuTop; }
};

} // namespace sumwise
