#pragma once
// Reading the system's font configuration is the slowest step of the
// window's start (several milliseconds of XML and cache files). It runs on
// a thread of its own while the application sets itself up, and is joined
// before the first text is measured, so that Qt finds it done.
#include <thread>

class FontConfigWarmup {
public:
    FontConfigWarmup();
    ~FontConfigWarmup() { wait(); }
    FontConfigWarmup(const FontConfigWarmup&) = delete;
    FontConfigWarmup& operator=(const FontConfigWarmup&) = delete;

    // Waits until the configuration is read; to be called before any widget
    // is built. Later calls return at once.
    void wait()
    {
        if (reader_.joinable()) reader_.join();
    }

private:
    std::thread reader_;
};
