#pragma once

#include "app/Form.h"

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

class QTimer;

namespace vantorel::qt {

// Real timers behind a form's Timer models. Each tick runs the model's handler and then
// afterEvent. Follows Enabled through Timer::onStateChanged: a fresh switch-on (new generation)
// starts a new interval, switching off stops. An interval of 0 never fires, as on the original.
class QtTimerDriver : public QObject {
    Q_OBJECT
  public:
    QtTimerDriver(Form& form, std::function<void()> afterEvent, QObject* parent = nullptr);
    ~QtTimerDriver() override;

    // Picks up timers the form added since; cheap when there are none.
    void adopt();
    // Stops everything and unhooks from the form's timers. Call while the form still lives; after
    // the form is gone call stop() instead, which touches nothing of the form.
    void release();
    void stop();

    // For tests: whether the real timer behind `name` is running.
    bool isRunning(const QString& name) const;

  private:
    struct Entry {
        Timer* timer;
        QTimer* qtimer;
        quint64 generation;
    };
    void follow(size_t i);

    Form* form_;
    std::function<void()> afterEvent_;
    std::vector<Entry> entries_;
};

}  // namespace vantorel::qt
