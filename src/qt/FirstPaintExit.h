#pragma once
// For start-time measurements: with MARDEX_EXIT_AFTER_FIRST_PAINT set in the
// environment, the process ends as soon as the watched window has painted
// once, so that the time of a run is the time to the first paint.
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <cstdlib>
#include <unistd.h>

class FirstPaintExit : public QObject {
public:
    // Watches `window` when the environment asks for it; otherwise does nothing.
    static void WatchIfAsked(QWidget& window)
    {
        if (!std::getenv("MARDEX_EXIT_AFTER_FIRST_PAINT")) return;
        window.installEventFilter(new FirstPaintExit(&window));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The window and its children paint in one pass; the exit waits
        // for the pass to end. Nothing after it belongs to the start.
        if (event->type() == QEvent::Paint) QTimer::singleShot(0, [] { ::_exit(0); });
        return QObject::eventFilter(watched, event);
    }

private:
    explicit FirstPaintExit(QObject* parent) : QObject(parent) {}
};
