#pragma once

#include "app/Form.h"

#include <QObject>

#include <functional>
#include <map>
#include <vector>

namespace vantorel::qt {

class FormView;
class QtTimerDriver;

// Owns one FormView and one QtTimerDriver per live window model. The models decide which windows
// exist; liveForms() reports them and syncAll() follows: new forms get a view and real timers,
// views of forms that are gone are detached at once and deleted later (the event that destroyed
// the form may still be running in them).
class Shell : public QObject {
    Q_OBJECT
  public:
    explicit Shell(std::function<std::vector<Form*>()> liveForms, QObject* parent = nullptr);
    ~Shell() override;

    void syncAll();
    // What every Qt event that reached a model ends with: all windows, since one handler may
    // change several.
    void afterEvent() { syncAll(); }
    // A callable for adapters that report events of their own (UdpLink, QtTray).
    std::function<void()> afterEventHook() {
        return [this] { afterEvent(); };
    }

    bool isLive(int instanceId) const;
    FormView* view(const Form& form) const;
    QtTimerDriver* timers(const Form& form) const;

  private:
    struct Entry {
        FormView* view;
        QtTimerDriver* timers;
    };

    std::function<std::vector<Form*>()> liveForms_;
    std::map<int, Entry> entries_;  // by Form::instanceId()
    bool syncing_ = false;
    bool again_ = false;
};

}  // namespace vantorel::qt
