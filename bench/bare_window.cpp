// The yardstick of the window's start time: an empty Qt main window of the
// given size, shown and ended at its first paint as the real one is. With
// "text" it also shows one label, which is the least any window with words
// in it pays: reading the font configuration and drawing the first glyphs.
#include "qt/FirstPaintExit.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

#include <cstdlib>
#include <cstring>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int width = argc > 2 ? std::atoi(argv[1]) : 860;
    const int height = argc > 2 ? std::atoi(argv[2]) : 600;
    QMainWindow window;
    window.resize(width, height);
    if (argc > 3 && !std::strcmp(argv[3], "text")) window.setCentralWidget(new QLabel("Designer:"));
    FirstPaintExit::WatchIfAsked(window);
    window.show();
    return app.exec();
}
