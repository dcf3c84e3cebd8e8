#pragma once

#include <QAbstractItemView>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

#include "qt/window/MainWindow.h"
#include "support/FakePlatform.h"

// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace sumwise::qt {

// The real window, shown offscreen, with a fake platform that fails the test when a message
// box nobody expected would open.
class WindowTest : public ::testing::Test {
protected:
    ~WindowTest() override { std::filesystem::remove_all(services.folder); }

    void SetUp() override {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void TearDown() override {
        for (size_t i = expectedMessages; i < services.Messages().size(); ++i) {
            const auto& message = services.Messages()[i];
            ADD_FAILURE() << "unexpected message box: " << message.text;
        }
    }

    QPushButton* button(const char* name) {
        auto* b = window.findChild<QPushButton*>(name);
        EXPECT_NE(b, nullptr) << name;
        return b;
    }
    void click(const char* name) {
        if (QPushButton* b = button(name)) {
            QTest::mouseClick(b, Qt::LeftButton);
        }
    }
    QString display() { return window.findChild<QLabel*>("lblResult")->text(); }
    QStringList tapeLines() {
        QStringList lines;
        const QAbstractItemModel* model = window.findChild<QAbstractItemView*>("lstTape")->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            lines << model->index(row, 0).data().toString();
        }
        return lines;
    }

public:
    // A platform whose program folder is a new, writable temporary folder.
    static testing::FakePlatform InTemporaryFolder() {
        testing::FakePlatform platform;
        std::string pattern =
            (std::filesystem::temp_directory_path() / "sumwise-window-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            platform.folder = pattern;
        }
        return platform;
    }

protected:
    size_t expectedMessages = 0; // messages a test has checked
    testing::FakePlatform services = InTemporaryFolder();
    MainWindow window{services};
};

} // namespace sumwise::qt
