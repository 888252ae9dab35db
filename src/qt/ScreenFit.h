#pragma once
// Windows no larger than the screen they open on: at twice the scale a
// 1600 x 1200 screen is 800 x 600 units, and a window sized for 1x would
// lose its lower and right edges (buttons included).
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

inline void BoundToScreen(QWidget& window)
{
    const QWidget* parent = window.parentWidget();
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        window.resize(window.size().boundedTo(screen->availableSize()));
}
