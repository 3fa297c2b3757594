#include "platform/qt/Shell.h"

#include "platform/qt/FormView.h"
#include "platform/qt/QtTimerDriver.h"

#include <set>

namespace vantorel::qt {

Shell::Shell(std::function<std::vector<Form*>()> liveForms, QObject* parent)
    : QObject(parent), liveForms_(std::move(liveForms)) {}

Shell::~Shell() {
    std::set<int> live;
    for (Form* f : liveForms_()) live.insert(f->instanceId());
    for (auto& [id, e] : entries_) {
        if (live.count(id))
            e.timers->release();
        else
            e.timers->stop();
        delete e.timers;
        e.view->detach();
        delete e.view;
    }
}

bool Shell::isLive(int instanceId) const {
    for (Form* f : liveForms_())
        if (f->instanceId() == instanceId) return true;
    return false;
}

FormView* Shell::view(const Form& form) const {
    const auto it = entries_.find(form.instanceId());
    return it == entries_.end() ? nullptr : it->second.view;
}

QtTimerDriver* Shell::timers(const Form& form) const {
    const auto it = entries_.find(form.instanceId());
    return it == entries_.end() ? nullptr : it->second.timers;
}

void Shell::syncAll() {
    if (syncing_) {
        // Reached from inside a sync (a widget reacting at once); the running pass repeats.
        again_ = true;
        return;
    }
    syncing_ = true;
    // A model that keeps changing itself from within sync is a bug; a few rounds and stop.
    for (int round = 0; round < 8; ++round) {
        again_ = false;
        const std::vector<Form*> forms = liveForms_();
        std::set<int> live;
        for (Form* f : forms) live.insert(f->instanceId());

        for (auto it = entries_.begin(); it != entries_.end();) {
            if (live.count(it->first)) {
                ++it;
                continue;
            }
            it->second.timers->stop();
            it->second.timers->deleteLater();
            it->second.view->detach();
            it->second.view->hide();
            it->second.view->deleteLater();
            it = entries_.erase(it);
        }
        for (Form* f : forms) {
            auto found = entries_.find(f->instanceId());
            if (found == entries_.end()) {
                FormViewHooks hooks{[this] { afterEvent(); },
                                    [this](int id) { return isLive(id); }};
                auto* view = new FormView(*f, std::move(hooks));
                auto* timers = new QtTimerDriver(*f, [this] { afterEvent(); });
                entries_.emplace(f->instanceId(), Entry{view, timers});
            } else {
                found->second.timers->adopt();
                found->second.view->sync();
            }
        }
        if (!again_) break;
    }
    syncing_ = false;
}

}  // namespace vantorel::qt
