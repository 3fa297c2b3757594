#pragma once

#include "app/Form.h"

#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace vantorel::qt {

class DeferredWebView;

// What a view needs from its owner.
struct FormViewHooks {
    // Runs after every call into the model: one event may change several windows.
    std::function<void()> afterEvent;
    // Whether the model with this instance id still exists. A handler may destroy its own window;
    // the view checks before touching the model again.
    std::function<bool(int instanceId)> isLive;
};

// The window that mirrors one Form: frameless, one child widget per control, every decision left
// to the model. sync() applies what changed in the model; Qt events become calls of the model's
// handlers, followed by hooks.afterEvent.
//
// Mouse events reach Image, PictureBox, Frame, Label, TextBox, CheckBox, ScrollBar and RichText
// controls; Shape and Line are windowless decorations the mouse passes through. click() follows a
// left release inside the control, except on CheckBox and ScrollBar whose clicks arrive as
// userToggled (the model's value event).
class FormView : public QWidget {
    Q_OBJECT
  public:
    FormView(Form& form, FormViewHooks hooks);
    ~FormView() override;

    int formInstanceId() const { return instanceId_; }
    // The model is gone: the view never touches it again and waits to be deleted.
    void detach();
    bool attached() const { return form_ != nullptr; }

    // Brings the window and every control widget in line with the model.
    void sync();

    // The widget showing a control; nullptr for controls without one (the hidden browser) or
    // unknown serials.
    QWidget* widgetFor(int serial) const;
    QWidget* widgetFor(const Control& c) const { return widgetFor(c.serial); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    struct Applied;
    struct Item {
        int serial = 0;
        Control* control = nullptr;  // valid while the form's structure revision is unchanged
        Kind kind = Kind::Label;
        QPointer<QWidget> widget;
        DeferredWebView* deferred = nullptr;  // WebBrowser controls shown in this window
        WebView* webSeen = nullptr;
        std::unique_ptr<Applied> applied;
    };

    void rebuild();
    void createWidget(Item& it);
    void dropWidget(Item& it);
    void restack();
    void applyWindow();
    void applyControl(Item& it);
    void applyFocusAndCapture();
    void scheduleWebViews();
    void createWebViews();
    void watch(QWidget* w, int serial);

    Item* itemBySerial(int serial);
    Control* liveControl(int serial);
    // Calls fn(form, control) when both still exist, then runs afterEvent. False when the control
    // (or the whole form) is gone afterwards.
    bool call(int serial, const std::function<void(Form&, Control&)>& fn);
    bool handleMouse(int serial, QWidget* w, QEvent* event);
    bool handleKey(int serial, QWidget* w, QEvent* event);
    void handleFocus(int serial, bool in, Qt::FocusReason reason);

    Form* form_;
    int instanceId_;
    FormViewHooks hooks_;
    std::vector<Item> items_;  // the form's controls() order
    std::unordered_map<QObject*, int> serialOf_;
    quint64 structureRevision_ = ~0ull;
    quint64 focusSerial_ = 0;
    int syncDepth_ = 0;
    int suppressClickSerial_ = 0;  // the release ending a double click is no click

    struct WindowState;
    std::unique_ptr<WindowState> window_;
    bool shownOnce_ = false;
    bool webViewsScheduled_ = false;
};

}  // namespace vantorel::qt
