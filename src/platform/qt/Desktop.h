#pragma once

#include "platform/Ports.h"

#include <random>

namespace vantorel::qt {

// The primary screen: its size in twips at 15 per pixel and its work area in pixels.
class QtScreen : public ScreenPort {
  public:
    ScreenInfo info() const override;
};

class QtCursor : public CursorPort {
  public:
    void position(int& x, int& y) const override;
};

// Hands addresses to the desktop's browser; a desktop without one just ignores them.
class DesktopOpener : public ExternalOpener {
  public:
    void open(const QString& url) override;
};

class ClockRandom : public RandomPort {
  public:
    ClockRandom();
    void reseedFromClock() override;
    double next() override;

  private:
    std::mt19937_64 engine_;
};

// Ends the process on the spot, as the program's End does: no destructors, no event loop.
class ImmediateExit : public ProcessPort {
  public:
    void exitNow() override;
};

}  // namespace vantorel::qt
