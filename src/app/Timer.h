#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace vantorel {

// A timer of a window model. The shell drives enabled timers with real timers; tests drive them
// with VirtualClock. Enabling a disabled timer starts a fresh interval; enabling an enabled one
// changes nothing.
class Timer {
  public:
    Timer(QString name, int intervalMs, bool enabled, std::function<void()> onTick)
        : name_(std::move(name)),
          interval_(intervalMs),
          enabled_(enabled),
          onTick_(std::move(onTick)) {}

    const QString& name() const { return name_; }
    int interval() const { return interval_; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    // Counts every switch-on, so a driver can tell a restart from an interval that kept running.
    quint64 generation() const { return generation_; }
    void tick() {
        if (onTick_) onTick_();
    }

    // Set by the driver (QTimer bridge or VirtualClock) to follow Enabled changes.
    std::function<void(Timer&)> onStateChanged;

  private:
    QString name_;
    int interval_;
    bool enabled_;
    quint64 generation_ = 0;
    std::function<void()> onTick_;
};

// Drives timers in virtual milliseconds: fires every due tick in time order (ties in the order
// the timers were added). Tests advance it instead of sleeping.
class VirtualClock {
  public:
    void add(Timer& t);
    void advance(qint64 ms);
    qint64 now() const { return now_; }

  private:
    struct Entry {
        Timer* timer;
        qint64 due;
        quint64 generation;
    };
    void follow(Entry& e);
    std::vector<Entry> entries_;
    qint64 now_ = 0;
};

}  // namespace vantorel
