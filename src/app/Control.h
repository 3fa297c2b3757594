#pragma once

#include <QString>

#include <functional>

namespace vantorel {

class WebView;

struct Rgb {
    int r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Colours the window uses in more than one place.
inline constexpr Rgb kSkin{38, 38, 38};  // the skin's background
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kYellow{255, 255, 0};

// What a control is decides how the shell draws it; behaviour never depends on the widget.
enum class Kind {
    Image,       // windowless image, stretches its bitmap over its rectangle
    PictureBox,  // draws its bitmap unscaled; takes the bitmap's size when auto-sized
    Frame,       // container (a picture box without a bitmap, or a frame)
    Label,
    TextBox,
    CheckBox,
    ScrollBar,
    Shape,
    Line,
    WebBrowser,
    RichText,
};

// One control of a window model. Geometry is in twips relative to the container.
// Fields are plain; the three properties that raise events in the design (Picture, Text, Value)
// go through setters so the owning form can react synchronously.
class Control {
  public:
    QString name;
    int index = -1;  // -1: not an element of a control array
    Kind kind = Kind::Label;
    Control* container = nullptr;  // nullptr: child of the window
    int serial = 0;                // unique within the process; the shell keys its widgets on it

    double left = 0, top = 0, width = 0, height = 0;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Line only
    bool visible = true;
    bool enabled = true;
    bool autoSize = false;  // picture boxes take their bitmap's size; labels grow to their text
    Rgb backColor{255, 255, 255};
    Rgb foreColor{0, 0, 0};
    bool transparent = false;  // labels drawn over another control
    QString fontName;          // empty: the window's default font
    double fontSize = 9;
    bool fontBold = false;
    QChar passwordChar;     // TextBox: shown instead of each character when set
    int alignment = 0;      // Label and TextBox text: 0 left, 1 right, 2 centre
    QString designPicture;  // a picture stored with the window design, not a numbered bitmap
    int min = 0, max = 0;
    bool mouseCaptured = false;  // SetCapture on this control
    WebView* web = nullptr;      // WebBrowser controls: the view behind them

    int picture() const { return picture_; }
    const QString& text() const { return text_; }
    int value() const { return value_; }

    // Assigning a bitmap reloads it and, for auto-sized picture boxes, resizes the control.
    void setPicture(int bitmap);
    // A text box raises its change event on every change, also when the program sets it.
    void setText(const QString& text);
    void setValue(int value);

    QString key() const { return index < 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(index); }

    std::function<void(Control&)> onTextChanged;
    std::function<void(Control&)> onValueChanged;

  private:
    int picture_ = 0;
    QString text_;
    int value_ = 0;
};

}  // namespace vantorel
