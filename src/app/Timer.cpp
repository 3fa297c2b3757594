#include "app/Timer.h"

namespace vantorel {

void Timer::setEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    if (on) ++generation_;
    if (onStateChanged) onStateChanged(*this);
}

void VirtualClock::add(Timer& t) {
    entries_.push_back({&t, now_ + t.interval(), t.generation()});
    const size_t i = entries_.size() - 1;
    t.onStateChanged = [this, i](Timer&) { follow(entries_[i]); };
}

void VirtualClock::follow(Entry& e) {
    if (e.timer->enabled() && e.generation != e.timer->generation()) {
        e.generation = e.timer->generation();
        e.due = now_ + e.timer->interval();
    }
}

void VirtualClock::advance(qint64 ms) {
    const qint64 target = now_ + ms;
    for (;;) {
        Entry* next = nullptr;
        for (auto& e : entries_)
            if (e.timer->enabled() && e.due <= target && (!next || e.due < next->due)) next = &e;
        if (!next) break;
        now_ = next->due;
        const quint64 gen = next->timer->generation();
        next->timer->tick();
        // A tick that switched its own timer off and on again has already set a new due time.
        if (next->timer->generation() == gen) next->due += next->timer->interval();
    }
    now_ = target;
}

}  // namespace vantorel
