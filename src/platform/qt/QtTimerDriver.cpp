#include "platform/qt/QtTimerDriver.h"

#include <QPointer>
#include <QTimer>

namespace vantorel::qt {

QtTimerDriver::QtTimerDriver(Form& form, std::function<void()> afterEvent, QObject* parent)
    : QObject(parent), form_(&form), afterEvent_(std::move(afterEvent)) {
    adopt();
}

QtTimerDriver::~QtTimerDriver() {
    stop();
}

void QtTimerDriver::adopt() {
    if (!form_) return;
    const auto& timers = form_->timers();
    while (entries_.size() < timers.size()) {
        Timer* t = timers[entries_.size()].get();
        auto* q = new QTimer(this);
        // A coarse timer may fire 5% early: the 5000 ms login time-out would come at 4750.
        q->setTimerType(Qt::PreciseTimer);
        q->setInterval(t->interval());
        const size_t i = entries_.size();
        entries_.push_back({t, q, t->generation()});
        connect(q, &QTimer::timeout, this, [this, i] {
            QPointer<QtTimerDriver> self(this);
            Timer* timer = entries_[i].timer;
            if (!timer || !form_) return;
            timer->tick();
            // The handler may have destroyed the form and with it this driver's timers.
            if (self && afterEvent_) afterEvent_();
        });
        t->onStateChanged = [this, i](Timer&) { follow(i); };
        if (t->enabled() && t->interval() > 0) q->start();
    }
}

void QtTimerDriver::follow(size_t i) {
    Entry& e = entries_[i];
    if (!e.timer) return;
    if (!e.timer->enabled() || e.timer->interval() <= 0) {
        e.qtimer->stop();
        return;
    }
    if (e.generation != e.timer->generation() || !e.qtimer->isActive()) {
        e.generation = e.timer->generation();
        e.qtimer->start();  // restarts a running timer: a fresh interval
    }
}

void QtTimerDriver::release() {
    for (Entry& e : entries_)
        if (e.timer) e.timer->onStateChanged = nullptr;
    stop();
}

void QtTimerDriver::stop() {
    for (Entry& e : entries_) {
        e.qtimer->stop();
        e.timer = nullptr;
    }
    form_ = nullptr;
}

bool QtTimerDriver::isRunning(const QString& name) const {
    for (const Entry& e : entries_)
        if (e.timer && e.timer->name() == name) return e.qtimer->isActive();
    return false;
}

}  // namespace vantorel::qt
