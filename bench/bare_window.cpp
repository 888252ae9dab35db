// The yardstick of the window's start time: an empty Qt main window of the
// given size, shown and ended at its first paint as the real one is.
#include "qt/FirstPaintExit.h"

#include <QApplication>
#include <QMainWindow>

#include <cstdlib>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int width = argc > 2 ? std::atoi(argv[1]) : 860;
    const int height = argc > 2 ? std::atoi(argv[2]) : 600;
    QMainWindow window;
    window.resize(width, height);
    FirstPaintExit::WatchIfAsked(window);
    window.show();
    return app.exec();
}
