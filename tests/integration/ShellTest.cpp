#include "platform/qt/FormView.h"
#include "platform/qt/QtTimerDriver.h"
#include "platform/qt/Shell.h"
#include "platform/qt/BitmapStore.h"
#include "platform/qt/WebViews.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <QWebEngineView>

#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>

using namespace vantorel;
using vantorel::qt::FormView;
using vantorel::qt::Shell;

namespace {

// A window with one or two controls of each kind, logging every event it gets.
class TestForm : public Form {
  public:
    TestForm() : Form(QStringLiteral("TestForm")) {
        setWidth(3600);
        setHeight(8550);
        visible = true;

        frame = &add("Frame1", Kind::Frame);
        place(*frame, 150, 150, 3000, 1500);
        frame->backColor = {200, 0, 0};
        // Half pixels: 7.5 -> 8 and 8.5 -> 8 (to the even neighbour), 80.5 -> 80.
        label = &add("Label1", Kind::Label, frame);
        place(*label, 112.5, 127.5, 1207.5, 300);
        label->setText(QStringLiteral("标签"));
        label->transparent = true;

        pic = &add("Picture1", Kind::PictureBox);
        place(*pic, 0, 1800, 1500, 1500);
        pic->backColor = {0, 0, 255};
        pic->setPicture(120);  // 79 x 82
        image = &add("Image1", Kind::Image);
        place(*image, 1500, 1800, 300, 300);
        image->setPicture(123);  // 10 x 10, drawn at twice its size

        text = &add("Text1", Kind::TextBox);
        place(*text, 150, 3450, 2400, 300);
        password = &add("Text2", Kind::TextBox);
        place(*password, 150, 3900, 2400, 300);
        password->passwordChar = QLatin1Char('*');
        check = &add("Check1", Kind::CheckBox);
        place(*check, 150, 4350, 2400, 300);
        scroll = &add("VScroll1", Kind::ScrollBar);
        place(*scroll, 3300, 150, 255, 3000);
        scroll->max = 10;
        line = &add("Line1", Kind::Line);
        line->x1 = 300;
        line->y1 = 6000;
        line->x2 = 1500;
        line->y2 = 5700;
        shape = &add("Shape1", Kind::Shape);
        place(*shape, 150, 6300, 600, 600);

        ticker = &addTimer("Timer1", 10, false, [this] {
            if (++ticks == 3) ticker->setEnabled(false);
        });
    }

    static void place(Control& c, double l, double t, double w, double h) {
        c.left = l;
        c.top = t;
        c.width = w;
        c.height = h;
    }

    Control& addControl(const QString& name, Kind kind) { return add(name, kind); }
    void removeControl(const QString& name) { remove(name, -1); }

    void click(Control& c) override { log.push_back("click " + c.name); }
    void dblClick(Control& c) override { log.push_back("dbl " + c.name); }
    void mouseDown(Control& c, int b, int s, double x, double y) override {
        log.push_back(
            QStringLiteral("down %1 %2 %3 %4 %5").arg(c.name).arg(b).arg(s).arg(x).arg(y));
        if (onDown) onDown(c);
    }
    void mouseUp(Control& c, int b, int, double, double) override {
        log.push_back(QStringLiteral("up %1 %2").arg(c.name).arg(b));
        if (onUp) onUp(c);
    }
    void mouseMove(Control& c, int b, int, double x, double y) override {
        moves.push_back(QStringLiteral("move %1 %2 %3 %4").arg(c.name).arg(b).arg(x).arg(y));
    }
    void keyDown(Control& c, int code) override {
        log.push_back(QStringLiteral("keydown %1 %2").arg(c.name).arg(code));
    }
    bool keyPress(Control& c, QChar ch) override {
        log.push_back(QStringLiteral("keypress %1 %2").arg(c.name).arg(ch.unicode()));
        return ch == QLatin1Char('x');
    }
    void userEdited(Control& c, const QString& t) override {
        log.push_back(QStringLiteral("edited %1 %2").arg(c.name, t));
        Form::userEdited(c, t);
    }
    void gotFocus(Control& c) override { log.push_back("got " + c.name); }
    void mouseWheel(int delta) override { log.push_back(QStringLiteral("wheel %1").arg(delta)); }

    Control *frame, *label, *pic, *image, *text, *password, *check, *scroll, *line, *shape;
    Timer* ticker;
    int ticks = 0;
    QStringList log, moves;
    std::function<void(Control&)> onDown, onUp;
};

// Event logs as one string each, so a mismatch prints readably.
std::string lines(const QStringList& l) {
    return l.join(QLatin1Char('\n')).toStdString();
}

class ShellTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<TestForm>();
        shell = std::make_unique<Shell>([this] {
            std::vector<Form*> live;
            if (form) live.push_back(form.get());
            if (second) live.push_back(second.get());
            return live;
        });
        shell->syncAll();
        view = shell->view(*form);
        ASSERT_NE(view, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
        // Showing the window focused its first text box; that is not what the tests look at.
        QCoreApplication::processEvents();
        form->log.clear();
    }
    void TearDown() override {
        shell.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QWidget* w(const Control* c) const { return view->widgetFor(*c); }
    // Through the window, as the window system delivers it: Qt picks the child under the point.
    QPoint at(const Control* c, QPoint local) const { return w(c)->mapTo(view, local); }
    void click(const Control* c, QPoint local, Qt::MouseButton b = Qt::LeftButton,
               Qt::KeyboardModifiers m = {}) {
        QTest::mouseClick(view->windowHandle(), b, m, at(c, local));
    }
    template <class T>
    T* as(const Control* c) const {
        return qobject_cast<T*>(view->widgetFor(*c));
    }

    std::unique_ptr<TestForm> form, second;
    std::unique_ptr<Shell> shell;
    QPointer<FormView> view;
};

TEST_F(ShellTest, WindowAndControlsTakeTheModelsGeometryInPixels) {
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->size(), QSize(240, 570));
    EXPECT_TRUE(view->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(view->windowFlags() & Qt::WindowStaysOnTopHint);

    EXPECT_EQ(w(form->frame)->geometry(), QRect(10, 10, 200, 100));
    EXPECT_EQ(w(form->label)->parentWidget(), w(form->frame));
    EXPECT_EQ(w(form->label)->geometry(), QRect(8, 8, 80, 20));
    EXPECT_EQ(w(form->line)->geometry(), QRect(QPoint(20, 380), QPoint(100, 400)));
    EXPECT_EQ(w(form->scroll)->geometry(), QRect(220, 10, 17, 200));

    // Stacking follows creation order: the image (later) is above the picture box (earlier).
    const QObjectList& kids = view->children();
    EXPECT_LT(kids.indexOf(w(form->pic)), kids.indexOf(w(form->image)));

    form->topmost = true;
    form->left = 1500;
    form->label->left = 300;
    form->label->visible = false;
    shell->syncAll();
    EXPECT_TRUE(view->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(view->isVisible()) << "changing the flags must not leave the window hidden";
    EXPECT_EQ(view->pos().x(), 100);
    EXPECT_EQ(w(form->label)->x(), 20);
    EXPECT_FALSE(w(form->label)->isVisible());

    form->region = roundRegionFor(form->width(), form->height(), 9, 9);
    form->visible = false;
    shell->syncAll();
    EXPECT_FALSE(view->isVisible());
    const QRegion mask = view->mask();
    EXPECT_FALSE(mask.contains(QPoint(0, 0)));
    EXPECT_FALSE(mask.contains(QPoint(2, 0)));
    EXPECT_TRUE(mask.contains(QPoint(3, 0)));
    EXPECT_TRUE(mask.contains(QPoint(239, 300)));
    EXPECT_TRUE(mask.contains(QPoint(236, 569)));
    EXPECT_FALSE(mask.contains(QPoint(237, 569)));
    EXPECT_FALSE(mask.contains(QPoint(240, 300))) << "the right edge is not part of the region";
}

TEST_F(ShellTest, PicturesAreDrawnFromTheBitmaps) {
    const QImage bitmap = qt::loadBitmap(120).toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(bitmap.isNull());
    const QImage shown = w(form->pic)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(100, 100));
    for (QPoint p : {QPoint(0, 0), QPoint(40, 41), QPoint(78, 81)})
        EXPECT_EQ(shown.pixel(p), bitmap.pixel(p)) << p.x() << "," << p.y();
    EXPECT_EQ(QColor(shown.pixel(90, 90)), QColor(0, 0, 255)) << "back colour beyond the bitmap";

    const QImage small = qt::loadBitmap(123).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage stretched = w(form->image)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(stretched.size(), QSize(20, 20));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(stretched.pixel(2 * x + 1, 2 * y + 1), small.pixel(x, y)) << x << "," << y;

    // A new picture number is drawn on the next sync.
    form->pic->setPicture(127);
    shell->syncAll();
    const QImage next = w(form->pic)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage want = qt::loadBitmap(127).toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(next.pixel(20, 20), want.pixel(20, 20));
    EXPECT_EQ(QColor(next.pixel(60, 60)), QColor(0, 0, 255));
}

TEST_F(ShellTest, AutoSizedLabelsGrowToTheirTextAndOthersClip) {
    Control& grows = form->addControl("Grows", Kind::Label);
    TestForm::place(grows, 0, 0, 60, 225);
    grows.autoSize = true;
    Control& clips = form->addControl("Clips", Kind::Label);
    TestForm::place(clips, 0, 300, 60, 225);
    for (Control* c : {&grows, &clips}) c->setText(QStringLiteral("RMB: 1234.56"));
    shell->syncAll();
    EXPECT_GT(view->widgetFor(grows)->width(), 40);
    EXPECT_EQ(view->widgetFor(grows)->height(), 15);
    EXPECT_EQ(view->widgetFor(clips)->width(), 4);
    grows.setText(QString());
    shell->syncAll();
    EXPECT_EQ(view->widgetFor(grows)->width(), 4) << "never smaller than its design width";
}

TEST_F(ShellTest, ChineseCaptionsFillLabelsSizedForTheDesignFont) {
    // 12 px high at 9 pt, as the design sizes its captions; the stand-in CJK font's tall ascent
    // must not push the glyphs down and out of the box.
    Control& caption = form->addControl("Caption", Kind::Label);
    TestForm::place(caption, 0, 0, 720, 180);
    caption.backColor = {0, 0, 0};
    caption.foreColor = {255, 255, 255};
    caption.setText(QStringLiteral("保存密码"));
    shell->syncAll();
    const QImage shown = view->widgetFor(caption)->grab().toImage();
    ASSERT_EQ(shown.height(), 12);
    int first = -1, last = -1;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (qGray(shown.pixel(x, y)) > 128) {
                if (first < 0) first = y;
                last = y;
            }
    EXPECT_LE(first, 1);
    EXPECT_GE(last, 10);
}

TEST_F(ShellTest, MouseReachesTheControlUnderItOnceWithTwipsAndButtons) {
    click(form->label, QPoint(5, 6), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(lines(form->log),
              lines(QStringList({"down Label1 1 1 75 90", "up Label1 1", "click Label1"})));

    // Right button: no click; released outside: no click either.
    form->log.clear();
    click(form->label, QPoint(1, 1), Qt::RightButton, Qt::ControlModifier);
    QTest::mousePress(view->windowHandle(), Qt::LeftButton, {}, at(form->label, QPoint(1, 1)));
    QTest::mouseRelease(view->windowHandle(), Qt::LeftButton, {}, at(form->label, QPoint(100, 1)));
    EXPECT_EQ(lines(form->log), lines(QStringList({"down Label1 2 2 15 15", "up Label1 2",
                                                   "down Label1 1 0 15 15", "up Label1 1"})));

    // Moves without a button reach the model too, and a captured control gets them from outside.
    QTest::mouseMove(view->windowHandle(), at(form->label, QPoint(4, 2)));
    EXPECT_EQ(form->moves.value(form->moves.size() - 1), "move Label1 0 60 30");
    form->label->mouseCaptured = true;
    shell->syncAll();
    EXPECT_EQ(QWidget::mouseGrabber(), w(form->label));
    QTest::mouseMove(view->windowHandle(), at(form->pic, QPoint(5, 10)));
    EXPECT_EQ(form->moves.value(form->moves.size() - 1), "move Label1 0 -195 1680");
    form->label->mouseCaptured = false;
    shell->syncAll();
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    // A double click: down, up, click, double click, up.
    form->log.clear();
    QTest::mouseDClick(view->windowHandle(), Qt::LeftButton, {}, at(form->label, QPoint(2, 2)));
    EXPECT_EQ(lines(form->log),
              "down Label1 1 0 30 30\nup Label1 1\nclick Label1\ndbl Label1\nup Label1 1");

    // Lines and shapes let the mouse through to what lies beneath (here: the window).
    form->log.clear();
    click(form->shape, QPoint(3, 3));
    EXPECT_TRUE(form->log.isEmpty()) << form->log.join('\n').toStdString();

    // A tick box reports the user's change as its value, not as a click.
    form->log.clear();
    auto* check = as<QCheckBox>(form->check);
    click(form->check, QPoint(6, check->height() / 2));
    EXPECT_EQ(form->check->value(), 1);
    EXPECT_FALSE(form->log.contains("click Check1"));
    form->check->setValue(0);
    shell->syncAll();
    EXPECT_FALSE(check->isChecked());

    auto* scroll = as<QScrollBar>(form->scroll);
    scroll->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(form->scroll->value(), 1);
    form->scroll->setValue(7);
    shell->syncAll();
    EXPECT_EQ(scroll->value(), 7);
}

TEST_F(ShellTest, TypingGoesThroughKeyDownKeyPressAndUserEdited) {
    auto* edit = as<QLineEdit>(form->text);
    ASSERT_NE(edit, nullptr);
    form->requestFocus(*form->text);
    shell->syncAll();
    EXPECT_EQ(view->focusWidget(), edit);

    form->log.clear();
    QTest::keyClick(edit, Qt::Key_A);
    QTest::keyClick(edit, Qt::Key_X);  // the model swallows x
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Up);
    QGuiApplication::clipboard()->setText(QStringLiteral("粘贴"));
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);  // pasting is an edit too
    EXPECT_EQ(lines(form->log),
              lines(QStringList({"keydown Text1 65", "keypress Text1 97", "edited Text1 a",
                                 "keydown Text1 88", "keypress Text1 120", "keydown Text1 13",
                                 "keypress Text1 13", "keydown Text1 38", "keydown Text1 17",
                                 "keydown Text1 86", "keypress Text1 22", "edited Text1 a粘贴"})));
    EXPECT_EQ(edit->text(), QStringLiteral("a粘贴"));
    EXPECT_EQ(form->text->text(), QStringLiteral("a粘贴"));

    // The model's own text reaches the box; an unchanged text leaves the caret alone.
    edit->setCursorPosition(0);
    shell->syncAll();
    EXPECT_EQ(edit->cursorPosition(), 0);
    form->text->setText(QStringLiteral("账号"));
    shell->syncAll();
    EXPECT_EQ(edit->text(), QStringLiteral("账号"));

    auto* secret = as<QLineEdit>(form->password);
    form->password->setText(QStringLiteral("abc"));
    shell->syncAll();
    EXPECT_EQ(secret->echoMode(), QLineEdit::Password);
    EXPECT_EQ(secret->displayText(), QStringLiteral("***"));
}

TEST_F(ShellTest, WheelTurnsOverAnyControlReachTheWindowOncePerEvent) {
    for (const auto& [c, delta] :
         {std::pair{form->label, 120}, std::pair{form->scroll, -240}, std::pair{form->text, 0}}) {
        QWidget* target = w(c);
        QWheelEvent e(QPointF(2, 2), target->mapToGlobal(QPointF(2, 2)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &e);
    }
    EXPECT_EQ(lines(form->log), lines(QStringList({"wheel 120", "wheel -240", "wheel 0"})));
    EXPECT_EQ(as<QScrollBar>(form->scroll)->value(), form->scroll->value())
        << "the bar does not scroll by itself";
}

TEST_F(ShellTest, ControlsAddedAndRemovedFollowTheModel) {
    Control& extra = form->addControl("Label9", Kind::Label);
    TestForm::place(extra, 0, 0, 600, 300);
    extra.setText(QStringLiteral("new"));
    const int serial = extra.serial;
    shell->syncAll();
    QPointer<QWidget> made = view->widgetFor(serial);
    ASSERT_TRUE(made);
    EXPECT_EQ(made->geometry(), QRect(0, 0, 40, 20));
    EXPECT_EQ(view->children().indexOf(made), view->children().size() - 1) << "newest on top";

    form->removeControl("Label9");
    shell->syncAll();
    EXPECT_EQ(view->widgetFor(serial), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(made);
}

TEST_F(ShellTest, AHandlerMayRemoveItsOwnControlOrDestroyTheWindow) {
    // The control goes away during mouse-up: no click may follow.
    form->onUp = [this](Control& c) {
        if (c.name == "Label1") form->removeControl("Label1");
    };
    click(form->label, QPoint(2, 2));
    EXPECT_EQ(lines(form->log), lines(QStringList({"down Label1 1 0 30 30", "up Label1 1"})));

    // The whole window goes away during mouse-down (kept in memory here, so a view that still
    // called into it would show in its log): the view lets go of it.
    std::unique_ptr<TestForm> gone;
    form->onDown = [this, &gone](Control&) { gone = std::move(form); };
    form->log.clear();
    click(form->frame, QPoint(150, 50));
    ASSERT_TRUE(gone);
    EXPECT_EQ(lines(gone->log), lines(QStringList({"down Frame1 1 0 2250 750"})));
    EXPECT_EQ(shell->view(*gone), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(view) << "deleted once the event was over";
}

TEST_F(ShellTest, TimersTickOnlyWhileEnabledAndEachFormGetsItsView) {
    auto* timers = shell->timers(*form);
    ASSERT_NE(timers, nullptr);
    EXPECT_FALSE(timers->isRunning("Timer1"));
    form->ticker->setEnabled(true);
    EXPECT_TRUE(timers->isRunning("Timer1"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->ticks >= 3; }, 5000));
    EXPECT_FALSE(timers->isRunning("Timer1")) << "the third tick switched it off";
    EXPECT_EQ(form->ticks, 3);

    second = std::make_unique<TestForm>();
    shell->syncAll();
    QPointer<FormView> other = shell->view(*second);
    ASSERT_TRUE(other);
    EXPECT_NE(other.data(), view.data());
    second.reset();
    shell->syncAll();
    EXPECT_FALSE(other->attached());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(other);
    EXPECT_TRUE(view);
}

// Web pages: the visible ones get their browser only after the window was first shown, the
// hidden one never gets a widget.
class WebForm : public Form {
  public:
    explicit WebForm(WebViewFactory& factory) : Form(QStringLiteral("WebForm")) {
        setWidth(3000);
        setHeight(3000);
        for (const char* name : {"WebAD", "WebBrowser1"}) {
            Control& c = add(QString::fromLatin1(name), Kind::WebBrowser);
            TestForm::place(c, 0, 0, 1500, 1500);
            views.push_back(factory.create(c.name));
            c.web = views.back().get();
        }
    }
    std::vector<std::unique_ptr<WebView>> views;
};

TEST(ShellWeb, BrowsersAppearAfterTheFirstShowAndReplayTheirAddress) {
    qt::QtWebViewFactory factory;
    WebForm form(factory);
    Shell shell([&] { return std::vector<Form*>{&form}; });
    shell.syncAll();
    FormView* view = shell.view(form);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->widgetFor(form.ctl("WebBrowser1")), nullptr);
    QWidget* slot = view->widgetFor(form.ctl("WebAD"));
    ASSERT_NE(slot, nullptr);

    form.ctl("WebAD").web->navigate(QStringLiteral("about:blank"));
    QCoreApplication::processEvents();
    EXPECT_EQ(slot->findChild<QWebEngineView*>(), nullptr) << "no browser before the first show";

    form.visible = true;
    shell.syncAll();
    ASSERT_TRUE(QTest::qWaitFor([&] { return slot->findChild<QWebEngineView*>() != nullptr; }));
    auto* browser = slot->findChild<QWebEngineView*>();
    auto* deferred = dynamic_cast<qt::DeferredWebView*>(form.ctl("WebAD").web);
    ASSERT_NE(deferred, nullptr);
    EXPECT_EQ(deferred->view(), browser);
    EXPECT_EQ(browser->size(), QSize(100, 100));
    EXPECT_TRUE(QTest::qWaitFor([&] { return browser->url() == QUrl("about:blank"); }, 10000));
}

}  // namespace
