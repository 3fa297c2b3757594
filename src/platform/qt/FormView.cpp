#include "platform/qt/FormView.h"

#include "app/Bitmaps.h"
#include "platform/qt/BitmapStore.h"
#include "platform/qt/WebViews.h"
#include "ui/chrome/RoundRegion.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineView>

#include <algorithm>
#include <cmath>

namespace vantorel::qt {

namespace {

int px(double twips) {
    return roundHalfEven(twips / kTwipsPerPixel);
}

QColor qcolor(const Rgb& c) {
    return QColor(c.r, c.g, c.b);
}

QString cssColor(const Rgb& c) {
    return QStringLiteral("rgb(%1,%2,%3)").arg(c.r).arg(c.g).arg(c.b);
}

// The design's fonts are Windows fonts; these are the closest ones a Linux desktop carries. Size
// goes to pixels at 96 dpi so the windows look the same whatever the display reports.
QFont controlFont(const QString& name, double points, bool bold) {
    const QString cjkSans = QStringLiteral("Noto Sans CJK SC");
    QStringList families;
    if (name.isEmpty())
        families = {cjkSans};
    else if (name == QStringLiteral("宋体") ||
             name.compare(QLatin1String("SimSun"), Qt::CaseInsensitive) == 0)
        families = {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Serif CJK TC"),
                    QStringLiteral("Noto Serif CJK JP"), cjkSans};
    else if (name.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0)
        families = {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans"), cjkSans};
    else
        families = {name, cjkSans};
    QFont f;
    f.setFamilies(families);
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0))));
    f.setBold(bold);
    return f;
}

Qt::Alignment horizontal(int alignment) {
    switch (alignment) {
        case 1:
            return Qt::AlignRight;
        case 2:
            return Qt::AlignHCenter;
        default:
            return Qt::AlignLeft;
    }
}

int buttonCode(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton:
            return kLeftButton;
        case Qt::RightButton:
            return kRightButton;
        case Qt::MiddleButton:
            return kMiddleButton;
        default:
            return 0;
    }
}

int buttonsCode(Qt::MouseButtons bs) {
    return (bs & Qt::LeftButton ? kLeftButton : 0) | (bs & Qt::RightButton ? kRightButton : 0) |
           (bs & Qt::MiddleButton ? kMiddleButton : 0);
}

int shiftCode(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
           (m & Qt::AltModifier ? 4 : 0);
}

// Windows virtual-key codes; 0 for keys the program never looks at.
int windowsKeyCode(const QKeyEvent* e) {
    const int k = e->key();
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return k;  // same codes as 'A'..'Z'
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return k;
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return 112 + (k - Qt::Key_F1);
    switch (k) {
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return 9;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Shift:
            return 16;
        case Qt::Key_Control:
            return 17;
        case Qt::Key_Alt:
            return 18;
        case Qt::Key_Pause:
            return 19;
        case Qt::Key_CapsLock:
            return 20;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Space:
            return 32;
        case Qt::Key_PageUp:
            return 33;
        case Qt::Key_PageDown:
            return 34;
        case Qt::Key_End:
            return 35;
        case Qt::Key_Home:
            return 36;
        case Qt::Key_Left:
            return 37;
        case Qt::Key_Up:
            return 38;
        case Qt::Key_Right:
            return 39;
        case Qt::Key_Down:
            return 40;
        case Qt::Key_Insert:
            return 45;
        case Qt::Key_Delete:
            return 46;
        default:
            return 0;
    }
}

// The characters a key types, as a Windows edit control's WM_CHAR sees them: Enter is "\r",
// Backspace "\b", Ctrl+letter its control code (Ctrl+V = 0x16). Tab and Delete type nothing.
QString typedText(const QKeyEvent* e) {
    const int k = e->key();
    const auto m = e->modifiers();
    if (k == Qt::Key_Return || k == Qt::Key_Enter) return QStringLiteral("\r");
    if (k == Qt::Key_Backspace) return QStringLiteral("\b");
    if (k == Qt::Key_Escape) return QString(QChar(0x1b));
    if (k == Qt::Key_Tab || k == Qt::Key_Backtab || k == Qt::Key_Delete) return {};
    if ((m & Qt::ControlModifier) && !(m & Qt::AltModifier) && k >= Qt::Key_A && k <= Qt::Key_Z)
        return QString(QChar(k - Qt::Key_A + 1));
    QString t = e->text();
    t.removeIf([](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
    return t;
}

bool isNative(Kind k) {
    return k == Kind::TextBox || k == Kind::CheckBox || k == Kind::ScrollBar ||
           k == Kind::RichText || k == Kind::WebBrowser;
}

// Windowless controls and containers: drawn from a copy of the record so painting never needs
// the model.
class PaintedControl : public QWidget {
  public:
    PaintedControl(Kind kind, QWidget* parent) : QWidget(parent), kind_(kind) {}

    QPixmap pixmap;
    QColor back{255, 255, 255};
    QColor fore{0, 0, 0};
    bool transparent = false;
    QString text;
    Qt::Alignment align = Qt::AlignLeft;
    QPoint from, to;  // Line, in this widget's coordinates

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        switch (kind_) {
            case Kind::Image:
                if (!pixmap.isNull()) p.drawPixmap(rect(), pixmap);
                break;
            case Kind::PictureBox:
                p.fillRect(rect(), back);
                if (!pixmap.isNull()) p.drawPixmap(0, 0, pixmap);
                break;
            case Kind::Frame:
                if (!transparent) p.fillRect(rect(), back);
                break;
            case Kind::Label:
                paintLabel(p);
                break;
            case Kind::Shape:
                p.setPen(fore);
                p.setBrush(Qt::NoBrush);
                p.drawRect(QRect(0, 0, width() - 1, height() - 1));
                break;
            case Kind::Line:
                p.setPen(fore);
                p.drawLine(from, to);
                break;
            default:
                break;
        }
    }

  private:
    // Lines placed the way the design's fonts place them. The CJK stand-ins carry a much taller
    // ascent than SimSun (1.16 em against 0.875), which would push the glyphs down and out of
    // labels sized for SimSun: their baseline goes where SimSun's is, one em per line.
    void paintLabel(QPainter& p) {
        if (!transparent) p.fillRect(rect(), back);
        p.setFont(font());
        p.setPen(isEnabled() ? fore : QColor(128, 128, 128));
        const QFontMetrics fm(font());
        const int em = font().pixelSize();
        const bool cjk = QFontInfo(font()).family().contains(QLatin1String("CJK"));
        const int ascent = cjk ? static_cast<int>(std::lround(em * 0.88)) : fm.ascent();
        const int lineHeight = cjk ? em : fm.height();
        int y = ascent;
        for (const QString& line : text.split(QLatin1Char('\n'))) {
            const int w = fm.horizontalAdvance(line);
            int x = 0;
            if (align & Qt::AlignRight) x = width() - w;
            if (align & Qt::AlignHCenter) x = (width() - w) / 2;
            p.drawText(x, y, line);
            y += lineHeight;
            if (y - ascent >= height()) break;
        }
    }

    Kind kind_;
};

QString labelText(const QString& s) {
    QString t = s;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

}  // namespace

// What was last pushed into a widget, so sync() touches only what changed.
struct FormView::Applied {
    bool fresh = true;
    QRect geometry;
    bool visible = false, enabled = true;
    int picture = 0;
    QString designPicture;
    Rgb back, fore;
    bool transparent = false;
    QString text;
    QString fontName;
    double fontSize = 0;
    bool bold = false;
    QChar password;
    int alignment = 0;
    int min = 0, max = 0, value = 0;
    QPoint from, to;
    bool captured = false;
};

struct FormView::WindowState {
    bool fresh = true;
    QRect geometry;
    bool visible = false;
    bool topmost = false;
    RoundRegion region;
};

FormView::FormView(Form& form, FormViewHooks hooks)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      form_(&form),
      instanceId_(form.instanceId()),
      hooks_(std::move(hooks)),
      focusSerial_(form.focusRequestSerial),
      window_(std::make_unique<WindowState>()) {
    setObjectName(form.name());
    setMouseTracking(true);
    sync();
}

FormView::~FormView() {
    // Children get focus-out events while they go; nothing may reach the model then.
    detach();
    serialOf_.clear();
}

void FormView::detach() {
    form_ = nullptr;
    if (QWidget* grabber = QWidget::mouseGrabber(); grabber && isAncestorOf(grabber))
        grabber->releaseMouse();
}

QWidget* FormView::widgetFor(int serial) const {
    for (const Item& it : items_)
        if (it.serial == serial) return it.widget;
    return nullptr;
}

FormView::Item* FormView::itemBySerial(int serial) {
    for (Item& it : items_)
        if (it.serial == serial) return &it;
    return nullptr;
}

Control* FormView::liveControl(int serial) {
    if (!form_ || (hooks_.isLive && !hooks_.isLive(instanceId_))) return nullptr;
    if (form_->structureRevision() == structureRevision_) {
        Item* it = itemBySerial(serial);
        return it ? it->control : nullptr;
    }
    for (Control* c : form_->controls())
        if (c->serial == serial) return c;
    return nullptr;
}

bool FormView::call(int serial, const std::function<void(Form&, Control&)>& fn) {
    Control* c = liveControl(serial);
    if (!c) return false;
    QPointer<FormView> self(this);
    fn(*form_, *c);
    if (self && hooks_.afterEvent) {
        auto after = hooks_.afterEvent;  // the hook may end this view's life
        after();
    }
    return self && liveControl(serial) != nullptr;
}

// ---- sync ------------------------------------------------------------------------------------

void FormView::sync() {
    if (!form_) return;
    ++syncDepth_;
    if (form_->structureRevision() != structureRevision_) rebuild();

    bool restackNeeded = false;
    for (Item& it : items_) {
        Control& c = *it.control;
        if (it.kind == Kind::WebBrowser && c.web != it.webSeen) {
            it.webSeen = c.web;
            auto* d = dynamic_cast<DeferredWebView*>(c.web);
            if (d != it.deferred || !it.widget) {
                dropWidget(it);
                it.deferred = d;
                if (d) createWidget(it);
                restackNeeded = true;
            }
        }
        if (!it.widget) continue;
        QWidget* want = this;
        if (c.container)
            for (const Item& o : items_)
                if (o.control == c.container && o.widget) {
                    want = o.widget;
                    break;
                }
        if (it.widget->parentWidget() != want) {
            it.widget->setParent(want);
            it.applied = std::make_unique<Applied>();
            restackNeeded = true;
        }
    }
    if (restackNeeded) restack();
    for (Item& it : items_) applyControl(it);
    applyWindow();
    applyFocusAndCapture();
    if (shownOnce_) scheduleWebViews();
    --syncDepth_;
}

void FormView::rebuild() {
    std::vector<Item> old = std::move(items_);
    items_.clear();
    items_.reserve(form_->controls().size());
    for (Control* c : form_->controls()) {
        auto found = std::find_if(old.begin(), old.end(),
                                  [&](const Item& o) { return o.serial == c->serial; });
        if (found != old.end() && found->kind == c->kind) {
            items_.push_back(std::move(*found));
            old.erase(found);
            items_.back().control = c;
            continue;
        }
        Item it;
        it.serial = c->serial;
        it.control = c;
        it.kind = c->kind;
        it.applied = std::make_unique<Applied>();
        items_.push_back(std::move(it));
        if (c->kind != Kind::WebBrowser) createWidget(items_.back());
    }
    for (Item& gone : old) dropWidget(gone);
    structureRevision_ = form_->structureRevision();
    restack();
}

void FormView::restack() {
    for (Item& it : items_)
        if (it.widget) it.widget->raise();
}

void FormView::watch(QWidget* w, int serial) {
    serialOf_[w] = serial;
    w->installEventFilter(this);
    w->setMouseTracking(true);
}

void FormView::createWidget(Item& it) {
    QWidget* w = nullptr;
    switch (it.kind) {
        case Kind::TextBox: {
            auto* e = new QLineEdit(this);
            e->setFrame(false);
            const int serial = it.serial;
            connect(e, &QLineEdit::textEdited, this, [this, serial](const QString& text) {
                call(serial, [&](Form& f, Control& c) { f.userEdited(c, text); });
            });
            w = e;
            break;
        }
        case Kind::CheckBox: {
            auto* b = new QCheckBox(this);
            const int serial = it.serial;
            connect(b, &QCheckBox::clicked, this, [this, serial](bool checked) {
                call(serial, [&](Form& f, Control& c) { f.userToggled(c, checked ? 1 : 0); });
            });
            w = b;
            break;
        }
        case Kind::ScrollBar: {
            auto* s = new QScrollBar(Qt::Vertical, this);
            s->setSingleStep(1);
            s->setPageStep(1);
            const int serial = it.serial;
            connect(s, &QScrollBar::valueChanged, this, [this, serial](int v) {
                if (syncDepth_ > 0) return;
                call(serial, [&](Form& f, Control& c) { f.userToggled(c, v); });
            });
            w = s;
            break;
        }
        case Kind::RichText: {
            auto* t = new QPlainTextEdit(this);
            t->setReadOnly(true);
            t->setFrameShape(QFrame::NoFrame);
            t->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            watch(t->viewport(), it.serial);
            w = t;
            break;
        }
        case Kind::WebBrowser: {
            // A stand-in until the window has been painted once; see createWebViews().
            w = new QWidget(this);
            auto* layout = new QVBoxLayout(w);
            layout->setContentsMargins(0, 0, 0, 0);
            break;
        }
        default: {
            auto* p = new PaintedControl(it.kind, this);
            if (it.kind == Kind::Shape || it.kind == Kind::Line)
                p->setAttribute(Qt::WA_TransparentForMouseEvents);
            w = p;
            break;
        }
    }
    w->setObjectName(it.control->key());
    // A control the model does not handle must not pass the mouse on to its container.
    w->setAttribute(Qt::WA_NoMousePropagation);
    watch(w, it.serial);
    it.widget = w;
    it.applied = std::make_unique<Applied>();
}

void FormView::dropWidget(Item& it) {
    if (!it.widget) return;
    QWidget* w = it.widget;
    for (auto i = serialOf_.begin(); i != serialOf_.end();)
        if (i->second == it.serial)
            i = serialOf_.erase(i);
        else
            ++i;
    if (QWidget::mouseGrabber() == w) w->releaseMouse();
    w->hide();
    // Later: the widget may be delivering the very event whose handler removed it.
    w->deleteLater();
    it.widget = nullptr;
}

void FormView::applyControl(Item& it) {
    QWidget* w = it.widget;
    if (!w) return;
    const Control& c = *it.control;
    Applied& a = *it.applied;
    const bool all = a.fresh;

    QRect g;
    if (it.kind == Kind::Line) {
        const QPoint p1(px(c.x1), px(c.y1)), p2(px(c.x2), px(c.y2));
        g = QRect(QPoint(std::min(p1.x(), p2.x()), std::min(p1.y(), p2.y())),
                  QPoint(std::max(p1.x(), p2.x()), std::max(p1.y(), p2.y())));
        auto* p = static_cast<PaintedControl*>(w);
        if (all || p1 - g.topLeft() != a.from || p2 - g.topLeft() != a.to) {
            a.from = p->from = p1 - g.topLeft();
            a.to = p->to = p2 - g.topLeft();
            p->update();
        }
    } else {
        g = QRect(px(c.left), px(c.top), std::max(0, px(c.width)), std::max(0, px(c.height)));
    }
    if (all || g != a.geometry) {
        w->setGeometry(g);
        a.geometry = g;
    }
    if (all || c.enabled != a.enabled) {
        w->setEnabled(c.enabled);
        a.enabled = c.enabled;
    }
    const bool fontChanged =
        all || c.fontName != a.fontName || c.fontSize != a.fontSize || c.fontBold != a.bold;
    if (fontChanged) {
        a.fontName = c.fontName;
        a.fontSize = c.fontSize;
        a.bold = c.fontBold;
        if (it.kind == Kind::Label || it.kind == Kind::TextBox || it.kind == Kind::CheckBox ||
            it.kind == Kind::RichText)
            w->setFont(controlFont(c.fontName, c.fontSize, c.fontBold));
    }
    const bool colorsChanged =
        all || c.backColor != a.back || c.foreColor != a.fore || c.transparent != a.transparent;
    a.back = c.backColor;
    a.fore = c.foreColor;
    a.transparent = c.transparent;

    switch (it.kind) {
        case Kind::TextBox: {
            auto* e = static_cast<QLineEdit*>(w);
            if (colorsChanged || c.passwordChar != a.password) {
                a.password = c.passwordChar;
                QString css = QStringLiteral(
                                  "QLineEdit{border:none;padding:0;margin:0;"
                                  "background:%1;color:%2;")
                                  .arg(cssColor(c.backColor), cssColor(c.foreColor));
                if (!c.passwordChar.isNull())
                    css += QStringLiteral("lineedit-password-character:%1;")
                               .arg(c.passwordChar.unicode());
                e->setStyleSheet(css + QLatin1Char('}'));
                e->setEchoMode(c.passwordChar.isNull() ? QLineEdit::Normal : QLineEdit::Password);
            }
            if (all || c.alignment != a.alignment) {
                a.alignment = c.alignment;
                e->setAlignment(horizontal(c.alignment) | Qt::AlignVCenter);
            }
            // Against the widget itself, not the last value: the model may have refused an edit.
            if (e->text() != c.text()) e->setText(c.text());
            break;
        }
        case Kind::CheckBox: {
            auto* b = static_cast<QCheckBox*>(w);
            if (colorsChanged)
                b->setStyleSheet(QStringLiteral("QCheckBox{background:%1;color:%2;}")
                                     .arg(cssColor(c.backColor), cssColor(c.foreColor)));
            if (all || c.text() != a.text) b->setText(a.text = c.text());
            if (all || c.value() != a.value) {
                a.value = c.value();
                const QSignalBlocker block(b);
                b->setTristate(c.value() == 2);
                b->setCheckState(c.value() == 0   ? Qt::Unchecked
                                 : c.value() == 2 ? Qt::PartiallyChecked
                                                  : Qt::Checked);
            }
            break;
        }
        case Kind::ScrollBar: {
            auto* s = static_cast<QScrollBar*>(w);
            if (all || c.min != a.min || c.max != a.max || c.value() != a.value) {
                a.min = c.min;
                a.max = c.max;
                a.value = c.value();
                const QSignalBlocker block(s);
                // A reversed range (Min > Max) counts downwards from the top.
                s->setInvertedAppearance(c.min > c.max);
                s->setRange(std::min(c.min, c.max), std::max(c.min, c.max));
                s->setValue(c.value());
            }
            break;
        }
        case Kind::RichText: {
            auto* t = static_cast<QPlainTextEdit*>(w);
            if (colorsChanged)
                t->setStyleSheet(QStringLiteral("QPlainTextEdit{background:%1;color:%2;}")
                                     .arg(cssColor(c.backColor), cssColor(c.foreColor)));
            if (all || c.text() != a.text) t->setPlainText(a.text = c.text());
            break;
        }
        case Kind::WebBrowser:
            break;
        default: {
            auto* p = static_cast<PaintedControl*>(w);
            bool dirty = colorsChanged || fontChanged;
            if (colorsChanged) {
                p->back = qcolor(c.backColor);
                p->fore = qcolor(c.foreColor);
                p->transparent = c.transparent;
            }
            if ((it.kind == Kind::Image || it.kind == Kind::PictureBox) &&
                (all || c.picture() != a.picture || c.designPicture != a.designPicture)) {
                a.picture = c.picture();
                a.designPicture = c.designPicture;
                p->pixmap = !c.designPicture.isEmpty() ? loadDesignPicture(c.designPicture)
                            : c.picture() != 0         ? loadBitmap(c.picture())
                                                       : QPixmap();
                dirty = true;
            }
            if (it.kind == Kind::Label &&
                (all || c.text() != a.text || c.alignment != a.alignment)) {
                a.text = c.text();
                a.alignment = c.alignment;
                p->text = labelText(c.text());
                p->align = horizontal(c.alignment);
                dirty = true;
            }
            if (dirty) p->update();
            break;
        }
    }

    // An auto-sized label grows to its text, as the design's labels do: their widths were
    // measured for its fonts, and a longer answer must not be cut off.
    if (it.kind == Kind::Label && c.autoSize) {
        const QFontMetrics fm(w->font());
        int textWidth = 0;
        for (const QString& line : labelText(c.text()).split(QLatin1Char('\n')))
            textWidth = std::max(textWidth, fm.horizontalAdvance(line) + 1);
        const QRect grown(g.topLeft(), QSize(std::max(g.width(), textWidth), g.height()));
        if (w->geometry() != grown) w->setGeometry(grown);
    }

    if (all || c.visible != a.visible) {
        w->setVisible(c.visible);
        a.visible = c.visible;
    }
    a.fresh = false;
}

void FormView::applyWindow() {
    Form& f = *form_;
    WindowState& s = *window_;
    const bool flagsChanged = s.fresh || f.topmost != s.topmost;
    if (flagsChanged) {
        s.topmost = f.topmost;
        Qt::WindowFlags flags = Qt::Window | Qt::FramelessWindowHint;
        if (f.topmost) flags |= Qt::WindowStaysOnTopHint;
        if (windowFlags() != flags) setWindowFlags(flags);  // hides a shown window
    }
    const QRect g(px(f.left), px(f.top), std::max(1, px(f.width())), std::max(1, px(f.height())));
    if (s.fresh || g != s.geometry) {
        setGeometry(g);
        s.geometry = g;
    }
    if (s.fresh || f.region != s.region) {
        s.region = f.region;
        if (f.region == RoundRegion{}) {
            clearMask();
        } else {
            // Rows with equal spans merge into one rectangle: a handful instead of hundreds.
            QRegion mask;
            QRect band;
            for (const QRect& row : roundRectSpans(f.region)) {
                if (band.isValid() && row.left() == band.left() && row.width() == band.width() &&
                    row.top() == band.bottom() + 1) {
                    band.setBottom(row.bottom());
                    continue;
                }
                if (band.isValid()) mask += band;
                band = row;
            }
            if (band.isValid()) mask += band;
            setMask(mask);
        }
    }
    if (flagsChanged || s.fresh || f.visible != s.visible || isVisible() != f.visible) {
        s.visible = f.visible;
        setVisible(f.visible);
    }
    s.fresh = false;
}

void FormView::applyFocusAndCapture() {
    Form& f = *form_;
    for (Item& it : items_) {
        if (!it.widget) continue;
        Applied& a = *it.applied;
        const bool want = it.control->mouseCaptured;
        if (want == a.captured) continue;
        a.captured = want;
        if (want && it.widget->isVisible())
            it.widget->grabMouse();
        else if (!want && QWidget::mouseGrabber() == it.widget)
            it.widget->releaseMouse();
    }
    if (f.focusRequestSerial != focusSerial_) {
        focusSerial_ = f.focusRequestSerial;
        for (Item& it : items_)
            if (it.control == f.focusRequest && it.widget) {
                it.widget->setFocus(Qt::OtherFocusReason);
                break;
            }
    }
}

// ---- web views -------------------------------------------------------------------------------

void FormView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        scheduleWebViews();
    }
}

void FormView::scheduleWebViews() {
    if (webViewsScheduled_) return;
    const bool needed = std::any_of(items_.begin(), items_.end(), [](const Item& it) {
        return it.deferred && it.widget && it.widget->findChild<QWebEngineView*>() == nullptr;
    });
    if (!needed) return;
    webViewsScheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        webViewsScheduled_ = false;
        createWebViews();
    });
}

void FormView::createWebViews() {
    if (!form_ || (hooks_.isLive && !hooks_.isLive(instanceId_))) return;
    if (form_->structureRevision() != structureRevision_) return;  // the next sync comes back
    for (Item& it : items_) {
        if (!it.deferred || !it.widget || it.control->web != it.deferred) continue;
        if (it.widget->findChild<QWebEngineView*>()) continue;
        auto* view = new QWebEngineView(it.widget);
        it.widget->layout()->addWidget(view);
        view->show();
        it.deferred->attach(view);
    }
}

// ---- events ----------------------------------------------------------------------------------

void FormView::closeEvent(QCloseEvent* event) {
    // Windows come and go by the model's decision only.
    event->ignore();
}

bool FormView::eventFilter(QObject* watched, QEvent* event) {
    const auto found = serialOf_.find(watched);
    if (found == serialOf_.end() || !form_) return QWidget::eventFilter(watched, event);
    const int serial = found->second;
    auto* w = static_cast<QWidget*>(watched);
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            return handleMouse(serial, w, event);
        case QEvent::KeyPress:
            return handleKey(serial, w, event);
        case QEvent::Wheel: {
            // The window takes every wheel turn over its controls for the stock table, as a
            // hook on the window would; the embedded pages keep theirs.
            const QPoint angle = static_cast<QWheelEvent*>(event)->angleDelta();
            if (angle.y() == 0 && angle.x() != 0) return true;  // sideways: no step
            call(serial, [&](Form& f, Control&) { f.mouseWheel(angle.y()); });
            return true;
        }
        case QEvent::FocusIn:
        case QEvent::FocusOut: {
            const Item* it = itemBySerial(serial);
            if (it && it->widget == w)
                handleFocus(serial, event->type() == QEvent::FocusIn,
                            static_cast<QFocusEvent*>(event)->reason());
            return false;
        }
        default:
            return false;
    }
}

bool FormView::handleMouse(int serial, QWidget* w, QEvent* event) {
    const Item* it = itemBySerial(serial);
    if (!it || !it->widget) return false;
    const Kind kind = it->kind;
    QWidget* main = it->widget;
    // A text box's mouse events arrive on its viewport; the box itself only sees them again
    // when the viewport passed them on.
    if (kind == Kind::RichText && w == main) return false;

    auto* me = static_cast<QMouseEvent*>(event);
    QPoint pos(static_cast<int>(std::floor(me->position().x())),
               static_cast<int>(std::floor(me->position().y())));
    if (w != main) pos = w->mapTo(main, pos);
    const bool inside = main->rect().contains(pos);
    const double x = pos.x() * static_cast<double>(kTwipsPerPixel);
    const double y = pos.y() * static_cast<double>(kTwipsPerPixel);
    const int shift = shiftCode(me->modifiers());

    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const int b = buttonCode(me->button());
            if (b) call(serial, [&](Form& f, Control& c) { f.mouseDown(c, b, shift, x, y); });
            break;
        }
        case QEvent::MouseButtonDblClick: {
            const int b = buttonCode(me->button());
            if (b == kLeftButton) {
                // Down, up, click, double click, up: the second press is the double click.
                suppressClickSerial_ = serial;
                call(serial, [&](Form& f, Control& c) { f.dblClick(c); });
            } else if (b) {
                call(serial, [&](Form& f, Control& c) { f.mouseDown(c, b, shift, x, y); });
            }
            break;
        }
        case QEvent::MouseMove: {
            const int bs = buttonsCode(me->buttons());
            call(serial, [&](Form& f, Control& c) { f.mouseMove(c, bs, shift, x, y); });
            break;
        }
        case QEvent::MouseButtonRelease: {
            const int b = buttonCode(me->button());
            if (!b) break;
            const bool afterDouble = suppressClickSerial_ == serial;
            if (b == kLeftButton) suppressClickSerial_ = 0;
            const bool alive =
                call(serial, [&](Form& f, Control& c) { f.mouseUp(c, b, shift, x, y); });
            const bool clickable = kind != Kind::CheckBox && kind != Kind::ScrollBar;
            if (alive && b == kLeftButton && inside && clickable && !afterDouble)
                call(serial, [&](Form& f, Control& c) { f.click(c); });
            break;
        }
        default:
            break;
    }
    if (isNative(kind)) return false;  // the widget still does its own part (caret, tick, drag)
    event->accept();
    return true;
}

bool FormView::handleKey(int serial, QWidget* w, QEvent* event) {
    const Item* it = itemBySerial(serial);
    if (!it || it->kind != Kind::TextBox || it->widget != w) return false;
    QPointer<QLineEdit> edit = static_cast<QLineEdit*>(w);
    auto* ke = static_cast<QKeyEvent*>(event);

    if (const int code = windowsKeyCode(ke)) {
        if (!call(serial, [&](Form& f, Control& c) { f.keyDown(c, code); })) {
            event->accept();
            return true;  // the control or its window went away: the key has nowhere to go
        }
    }
    const QString typed = typedText(ke);
    if (typed.isEmpty()) return false;

    QString kept;
    bool gone = false;
    for (QChar ch : typed) {
        bool swallowed = false;
        if (!call(serial, [&](Form& f, Control& c) { swallowed = f.keyPress(c, ch); })) {
            gone = true;
            break;
        }
        if (!swallowed) kept += ch;
    }
    if (gone || !edit) {
        event->accept();
        return true;
    }
    if (kept == typed) return false;  // QLineEdit inserts it and reports the edit
    event->accept();
    if (kept.isEmpty()) return true;
    // Part of a multi-character input was refused: insert the rest ourselves.
    edit->insert(kept);
    const QString text = edit->text();
    call(serial, [&](Form& f, Control& c) { f.userEdited(c, text); });
    return true;
}

void FormView::handleFocus(int serial, bool in, Qt::FocusReason reason) {
    if (reason == Qt::PopupFocusReason) return;  // a menu opening is no change of control
    if (syncDepth_ > 0) {
        // Focus moved because sync() showed, hid or focused a widget; the model hears about it
        // once sync() is over and its pointers are no longer in use.
        QTimer::singleShot(0, this,
                           [this, serial, in, reason] { handleFocus(serial, in, reason); });
        return;
    }
    if (in)
        call(serial, [](Form& f, Control& c) { f.gotFocus(c); });
    else
        call(serial, [](Form& f, Control& c) { f.lostFocus(c); });
}

}  // namespace vantorel::qt
