// The baseline for start-up time and memory: a bare Qt Widgets window with one label and one
// button, started and ended exactly as the calculator is when it is measured.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QVBoxLayout>

#include "QuitAfterFirstFrame.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    auto* client = new QWidget(&window);
    auto* layout = new QVBoxLayout(client);
    layout->addWidget(new QLabel("0.00", client));
    layout->addWidget(new QPushButton("=", client));
    window.setCentralWidget(client);
    window.installEventFilter(new sumwise::bench::QuitAfterFirstFrame(&window));
    window.show();
    return app.exec();
}
