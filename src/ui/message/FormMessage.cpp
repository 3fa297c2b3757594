#include "ui/message/FormMessage.h"

#include "app/FormLogin.h"

namespace vantorel {

FormMessage::FormMessage(WebViewFactory* webViews, std::function<void()> onClose)
    : Form(QStringLiteral("FormMessage")), onClose_(std::move(onClose)) {
    for (const char* n : {"FormTop", "FormCenent", "FormBottom"}) add(n, Kind::Image);
    Control& title = add("NewsBt", Kind::Label);
    title.transparent = true;
    title.foreColor = Rgb{255, 255, 255};
    title.top = 120;
    title.width = 3000;
    title.height = 180;
    title.setText(QStringLiteral("信息标题"));
    Control& close = add("Bot_Close", Kind::PictureBox);
    close.autoSize = true;
    close.setPicture(110);
    Control& box = add("WebSetBox", Kind::Frame);
    box.backColor = Rgb{255, 255, 255};
    Control& web = add("WebSet", Kind::WebBrowser, &box);
    if (webViews) {
        web_ = webViews->create(QStringLiteral("WebSet"));
        web.web = web_.get();
    }
}

FormMessage::~FormMessage() = default;

void FormMessage::Form_Load() {
    topmost = true;
}

void FormMessage::Form_Resize() {
    const double W = width(), H = height();
    region = roundRegionFor(W, H, 9, 9);
    auto rect = [&](const char* name, double l, double t, double w, double h) -> Control& {
        Control& c = ctl(QString::fromLatin1(name));
        c.top = t;
        c.height = h;
        c.left = l;
        c.width = w;
        return c;
    };
    rect("FormTop", 0, 0, W, 390).setPicture(1011);
    rect("FormCenent", 0, 390, W, H - 450).setPicture(102);
    rect("FormBottom", 0, H - 60, W, 60).setPicture(103);
    ctl("NewsBt").left = 225;
    Control& close = ctl("Bot_Close");
    close.top = 30;
    close.left = W - close.height - 150;  // the design measures from the button's height
    close.setPicture(110);
    rect("WebSetBox", 150, 480, 3600, 2025);
    rect("WebSet", -30, -30, 3660, 2085);
}

void FormMessage::click(Control& c) {
    if (c.name == u"Bot_Close" && onClose_) onClose_();
}

void FormMessage::mouseMove(Control& c, int, int, double x, double y) {
    if (c.name != u"Bot_Close") return;
    const bool over = x >= 0 && x <= c.width && y >= 0 && y <= c.height;
    c.setPicture(over ? 111 : 110);
    c.mouseCaptured = over;
}

void FormLogin::ShowMessageWindow(const QString& title, const QString& msgId) {
    if (!message_) {
        closedMessage_.reset();
        message_ =
            std::make_unique<FormMessage>(platform_.webViews, [this] { closeMessageWindow(); });
        message_->Form_Load();
    }
    FormMessage& m = *message_;
    m.setWidth(3900);
    m.setHeight(2700);
    const ScreenInfo s = screen();
    m.left = s.widthTwips - m.width() - 75;
    m.top = s.heightTwips - GetTaskbarHeight() - m.height();
    m.ctl("NewsBt").setText(title);
    if (WebView* w = m.ctl("WebSet").web) w->navigate(webAddress("/WebSet.asp?MsgID=") + msgId);
    m.visible = true;
}

void FormLogin::closeMessageWindow() {
    // The close button's own event is still running: keep the model alive until the next message.
    closedMessage_ = std::move(message_);
}

}  // namespace vantorel
