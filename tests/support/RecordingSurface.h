#pragma once

#include <string>
#include <vector>

#include "platform/PageSurface.h"

namespace sumwise::testing {

// A page surface that records what was printed where, with fixed text metrics: every
// character 0.05 inch wide, every line 0.2 inch high at 10 points (scaled by the size).
class RecordingSurface : public PageSurface {
public:
    struct Text {
        int page;
        double x, y; // top left, inches
        std::string text;
        Rgb colour;
        double size;
    };
    struct Rule {
        int page;
        double x1, y1, x2, y2;
        Rgb colour;
    };

    explicit RecordingSurface(double width = 7.5, double height = 10)
        : width_(width), height_(height) {}

    void SetFontName(const std::string& name) override { fontName = name; }
    void SetFontSize(double points) override { size_ = points; }
    void SetTextColor(Rgb colour) override { colour_ = colour; }
    double CurrentX() override { return x_; }
    double CurrentY() override { return y_; }
    void SetCurrentX(double inches) override { x_ = inches; }
    void SetCurrentY(double inches) override { y_ = inches; }
    double PrintableWidth() override { return width_; }
    double PrintableHeight() override { return height_; }
    double TextWidth(const std::string& text) override {
        return 0.05 * static_cast<double>(text.size()) * size_ / 10;
    }
    double TextHeight(const std::string&) override { return 0.2 * size_ / 10; }
    void Print(const std::string& text, bool lineBreak) override {
        if (!text.empty()) {
            texts.push_back({page, x_, y_, text, colour_, size_});
        }
        if (lineBreak) {
            y_ += TextHeight(text);
            x_ = 0;
        } else {
            x_ += TextWidth(text);
        }
    }
    void Line(double x1, double y1, double x2, double y2, Rgb colour) override {
        rules.push_back({page, x1, y1, x2, y2, colour});
    }
    void NewPage() override {
        ++page;
        x_ = 0;
        y_ = 0;
    }
    void EndDoc() override { ++ended; }

    std::vector<Text> texts;
    std::vector<Rule> rules;
    std::string fontName;
    int page = 1;
    int ended = 0;

private:
    double width_, height_;
    double x_ = 0, y_ = 0, size_ = 8;
    Rgb colour_{};
};

} // namespace sumwise::testing
