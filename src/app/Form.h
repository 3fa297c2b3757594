#pragma once

#include "app/Control.h"
#include "app/Timer.h"

#include <QString>

#include <map>
#include <memory>
#include <vector>

namespace vantorel {

// Mouse buttons as the design's event handlers receive them.
enum MouseButton { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

// The clip region of a window: CreateRoundRectRgn(0, 0, right, bottom, ellipseW, ellipseH).
struct RoundRegion {
    int right = 0, bottom = 0, ellipseWidth = 0, ellipseHeight = 0;
    friend bool operator==(const RoundRegion&, const RoundRegion&) = default;
};

// A top-level window as a model: its controls by name, its geometry in twips and its timers.
// The shell mirrors it; every decision lives in subclasses of this.
class Form {
  public:
    explicit Form(QString name);
    virtual ~Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const QString& name() const { return name_; }
    // Unique for the process: a window destroyed and created again gets a new one.
    int instanceId() const { return instanceId_; }

    double left = 0, top = 0;
    bool visible = false;
    bool topmost = false;
    RoundRegion region;
    double width() const { return width_; }
    double height() const { return height_; }
    // A change of size runs the layout pass before the setter returns.
    void setWidth(double w);
    void setHeight(double h);

    Control& ctl(const QString& name, int index = -1);
    Control* find(const QString& name, int index = -1);
    const Control* find(const QString& name, int index = -1) const;
    // Controls in creation order, which is also their stacking order (first is lowest).
    const std::vector<Control*>& controls() const { return order_; }
    const std::vector<std::unique_ptr<Timer>>& timers() const { return timers_; }
    Timer& timer(const QString& name);

    // Events from the shell. X and Y are twips inside the control; the defaults ignore them.
    virtual void click(Control&) {}
    virtual void dblClick(Control&) {}
    virtual void mouseDown(Control&, int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}
    virtual void mouseMove(Control&, int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}
    virtual void mouseUp(Control&, int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}
    // A key that produces a character. Returns true when the character is swallowed.
    virtual bool keyPress(Control&, QChar /*ch*/) { return false; }
    // A key going down; key codes as on Windows (38 up, 40 down).
    virtual void keyDown(Control&, int /*keyCode*/) {}
    // One notch of the mouse wheel anywhere over the window; delta as the platform reports it.
    virtual void mouseWheel(int /*delta*/) {}
    virtual void gotFocus(Control&) {}
    virtual void lostFocus(Control&) {}
    // The user changed a text box or tick box: store the value; the control raises its event.
    virtual void userEdited(Control& c, const QString& text) { c.setText(text); }
    virtual void userToggled(Control& c, int value) { c.setValue(value); }

    // Which control should own the keyboard focus; the shell moves it when this changes.
    Control* focusRequest = nullptr;
    quint64 focusRequestSerial = 0;
    void requestFocus(Control& c) {
        focusRequest = &c;
        ++focusRequestSerial;
    }

    // Bumped when controls are created or destroyed so the shell rebuilds its widget list.
    quint64 structureRevision() const { return structureRevision_; }

  protected:
    Control& add(const QString& name, Kind kind, Control* container = nullptr, int index = -1);
    void remove(const QString& name, int index);
    Timer& addTimer(const QString& name, int intervalMs, bool enabled, std::function<void()> tick);
    virtual void resized() {}

  private:
    QString name_;
    int instanceId_;
    double width_ = 0, height_ = 0;
    std::map<QString, std::unique_ptr<Control>> byKey_;
    std::vector<Control*> order_;
    std::vector<std::unique_ptr<Timer>> timers_;
    quint64 structureRevision_ = 0;
};

// ApplyRoundRegion: the window's clip region for its current size, in whole pixels.
RoundRegion roundRegionFor(double widthTwips, double heightTwips, int ellipseW, int ellipseH);

// Rounds like the design's integer conversions: to nearest, halves to the even neighbour.
int roundHalfEven(double v);

}  // namespace vantorel
