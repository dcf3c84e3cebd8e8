#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

#include "qt/services/QtPlatform.h"

namespace sumwise::qt {
namespace {

// Runs act on the modal dialog of type T as soon as it is open and has the keyboard (or after
// a few seconds without it, so a test fails rather than hangs); polls, because the dialog
// opens inside a call that returns only once it is closed.
template <typename T> void WhenOpen(std::function<void(T*)> act) {
    auto* timer = new QTimer;
    auto polls = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, act, polls] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible() ||
            (QApplication::focusWidget() == nullptr && ++*polls < 300)) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        act(dialog);
    });
    timer->start(10);
}

// Types into whatever has the keyboard, as a user would, and checks it is the name field.
void TypeName(QFileDialog* dialog, const QString& name, bool enter = true) {
    auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    EXPECT_NE(field, nullptr) << "the file-name field has the keyboard";
    EXPECT_TRUE(dialog->isAncestorOf(QApplication::focusWidget()));
    if (field == nullptr) {
        dialog->reject();
        return;
    }
    QTest::keyClicks(field, name);
    if (enter) {
        QTest::keyClick(field, Qt::Key_Return);
    }
}

// The user's home in a temporary folder, so the documents folder is known and empty.
class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        oldHome = qgetenv("HOME");
        oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", home.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
        QDir(home.path()).mkpath("Documents");
    }
    void TearDown() override {
        qputenv("HOME", oldHome);
        qputenv("XDG_CONFIG_HOME", oldConfig);
    }
    QString Documents() const { return home.filePath("Documents"); }

    QTemporaryDir home;
    QByteArray oldHome, oldConfig;
    QtPlatform platform;
};

TEST_F(FileDialogTest, SaveAddsTheSuffixAndStartsInDocuments) {
    QString startedIn;
    WhenOpen<QFileDialog>([&](QFileDialog* dialog) {
        startedIn = dialog->directory().absolutePath();
        EXPECT_EQ(dialog->windowTitle(), "Save Tape");
        TypeName(dialog, "march");
    });
    const std::string path = platform.SaveFileName("Save Tape", "Tape files (*.tape)", "tape");
    EXPECT_EQ(startedIn, Documents());
    EXPECT_EQ(QString::fromStdString(path), Documents() + "/march.tape");

    // A full path typed saves there, keeps a suffix of its own, and the next dialog starts in
    // that folder.
    QDir(home.path()).mkpath("Other Place");
    const QString other = home.filePath("Other Place");
    WhenOpen<QFileDialog>([&](QFileDialog* dialog) { TypeName(dialog, other + "/sums.csv"); });
    EXPECT_EQ(QString::fromStdString(platform.SaveFileName("Export", "CSV files (*.csv)", "csv")),
              other + "/sums.csv");
    WhenOpen<QFileDialog>([&](QFileDialog* dialog) {
        startedIn = dialog->directory().absolutePath();
        TypeName(dialog, "unsaved", false);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); // Cancel
    });
    EXPECT_EQ(platform.SaveFileName("Save Tape", "Tape files (*.tape)", "tape"), "");
    EXPECT_EQ(startedIn, other);
}

TEST_F(FileDialogTest, SaveAsksBeforeReplacingTheFileWithTheSuffixAdded) {
    QFile existing(Documents() + "/march.tape");
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    bool asked = false;
    WhenOpen<QFileDialog>([&](QFileDialog* dialog) {
        // The question opens inside the Enter key; it is answered No, then the dialog closed.
        WhenOpen<QMessageBox>([&, dialog](QMessageBox* box) {
            asked = box->text().contains("march.tape");
            if (QAbstractButton* no = box->button(QMessageBox::No)) {
                no->click();
            } else {
                box->reject();
            }
            QTimer::singleShot(0, dialog, [dialog] { dialog->reject(); });
        });
        TypeName(dialog, "march");
    });
    EXPECT_EQ(platform.SaveFileName("Save Tape", "Tape files (*.tape)", "tape"), "");
    EXPECT_TRUE(asked);
}

TEST_F(FileDialogTest, OpenTakesAnExistingFile) {
    QFile existing(Documents() + "/april.tape");
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    WhenOpen<QFileDialog>([](QFileDialog* dialog) { TypeName(dialog, "april.tape"); });
    EXPECT_EQ(QString::fromStdString(platform.OpenFileName("Open Tape", "Tape files (*.tape)")),
              Documents() + "/april.tape");
}

} // namespace
} // namespace sumwise::qt
