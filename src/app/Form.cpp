#include "app/Form.h"

#include "app/Bitmaps.h"

#include <cmath>
#include <stdexcept>

namespace vantorel {

namespace {
int nextSerial = 0;
int nextInstance = 0;
}  // namespace

Form::Form(QString name) : name_(std::move(name)), instanceId_(++nextInstance) {}

int roundHalfEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

RoundRegion roundRegionFor(double widthTwips, double heightTwips, int ellipseW, int ellipseH) {
    const int w = roundHalfEven(widthTwips / kTwipsPerPixel);
    const int h = roundHalfEven(heightTwips / kTwipsPerPixel);
    return {w + 1, h + 1, ellipseW, ellipseH};
}

void Form::setWidth(double w) {
    if (w == width_) return;
    width_ = w;
    resized();
}

void Form::setHeight(double h) {
    if (h == height_) return;
    height_ = h;
    resized();
}

Control* Form::find(const QString& name, int index) {
    const QString k = index < 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(index);
    auto it = byKey_.find(k);
    return it == byKey_.end() ? nullptr : it->second.get();
}

const Control* Form::find(const QString& name, int index) const {
    return const_cast<Form*>(this)->find(name, index);
}

Control& Form::ctl(const QString& name, int index) {
    if (Control* c = find(name, index)) return *c;
    // A name that is not a control of the window is a programming error, never input.
    throw std::logic_error(
        ("no control " + name + "(" + QString::number(index) + ")").toStdString());
}

Control& Form::add(const QString& name, Kind kind, Control* container, int index) {
    auto c = std::make_unique<Control>();
    c->name = name;
    c->index = index;
    c->kind = kind;
    c->container = container;
    c->serial = ++nextSerial;
    Control* raw = c.get();
    byKey_[raw->key()] = std::move(c);
    order_.push_back(raw);
    ++structureRevision_;
    return *raw;
}

void Form::remove(const QString& name, int index) {
    Control* c = find(name, index);
    if (!c) return;
    std::erase(order_, c);
    byKey_.erase(c->key());
    ++structureRevision_;
}

Timer& Form::addTimer(const QString& name, int intervalMs, bool enabled,
                      std::function<void()> tick) {
    timers_.push_back(std::make_unique<Timer>(name, intervalMs, enabled, std::move(tick)));
    return *timers_.back();
}

Timer& Form::timer(const QString& name) {
    for (auto& t : timers_)
        if (t->name() == name) return *t;
    throw std::logic_error(("no timer " + name).toStdString());
}

}  // namespace vantorel
