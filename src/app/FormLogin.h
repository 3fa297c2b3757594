#pragma once

#include "app/Form.h"
#include "platform/Ports.h"

#include <functional>
#include <memory>
#include <vector>

namespace vantorel {

class FormMessage;

// The main window and with it the whole application: every page, the shared state and every
// handler. Its methods are spread over the subsystem folders (pages, link, chrome, ...).
class FormLogin : public Form {
  public:
    explicit FormLogin(Platform& platform);
    ~FormLogin() override;

    // ---- shared state ----------------------------------------------------------------------
    QString TempWindowPosition;  // "左", "右", "上" or "中"
    QString TempWindowCtrl;      // "是" slid out, "否" on the screen
    qint16 TempWindowNum = 0;
    qint16 MaxMeWidth = 0;
    qint16 TempClickMun = 0;
    qint16 TempMoveMun = 0;
    qint16 SearchNum = 0;
    qint16 SearchNumAll = 0;
    qint16 TempPlayNum = 0;
    QString TempPlayFx;
    QString TempAutoLogin;
    bool TempLoginOk = false;

    // ---- start-up and shutdown ---------------------------------------------------------------
    void Form_Load();
    void ExitSoft();
    qint16 GetTaskbarHeight() const;
    QString configPath() const;

    // ---- tray icon and its menu ---------------------------------------------------------------
    void IconLogo_MouseMove(int button);
    struct MenuEntry {
        QString caption;
        std::function<void()> action;
    };
    std::vector<MenuEntry> trayMenu();

    // ---- pages -------------------------------------------------------------------------------
    void ShowPage(const QString& page);
    void PlayFlash_Timer();
    void WindowOpenUrl(const QString& key);

    // ---- layout and skin ---------------------------------------------------------------------
    void Form_Resize();
    void ApplyRoundRegion(Form& window, int ellipseWidth, int ellipseHeight);

    // ---- dragging, docking and hover
    // -------------------------------------------------------------
    void Timer3_Timer();
    void Timer1_Timer() { slideTick(true); }
    void Timer2_Timer() { slideTick(false); }
    void mouseDown(Control& c, int button, int shift, double x, double y) override;
    void mouseMove(Control& c, int button, int shift, double x, double y) override;
    void mouseUp(Control& c, int button, int shift, double x, double y) override;
    bool TempDragFlag = false;
    qint16 TempDragX = 0;
    qint16 TempDragY = 0;

    // ---- stock table, search box and wheel ------------------------------------------------------
    void ReGpTj();
    void ClearGpRows();
    void AddGpRow(int i, const QString& code, const QString& name);
    void SelectGpRow(int i);
    void HoverGpRow(int i);
    void ScrollGpTable();
    int gpRowCount() const;
    void SearchForm_Text_Change();
    void dblClick(Control& c) override;
    void keyDown(Control& c, int keyCode) override;
    void gotFocus(Control& c) override;
    void lostFocus(Control& c) override;
    void mouseWheel(int delta) override;

    // ---- queries ---------------------------------------------------------------------------
    void SearchGpInfo(const QString& code);
    void SearchDapan_Click(bool shanghai);
    void SearchGpInfoMonitor_Timer();

    // ---- service link ------------------------------------------------------------------------
    void Login_Bot_Click();
    void Link_DataArrival(const QByteArray& datagram, const QString& fromHost, quint16 fromPort);
    void Timer_Monitor_Timer();

    // ---- message window ----------------------------------------------------------------------
    void ShowMessageWindow(const QString& title, const QString& msgId);
    FormMessage* messageWindow() const { return message_.get(); }

    // The windows that exist now, for the shell.
    std::vector<Form*> forms();

    // ---- events from the shell ---------------------------------------------------------------
    void click(Control& c) override;
    bool keyPress(Control& c, QChar ch) override;
    void userEdited(Control& c, const QString& text) override;

    Platform& platform() { return platform_; }

  protected:
    void resized() override { Form_Resize(); }

  private:
    void createControls();
    void createTimers();
    void slideTick(bool out);
    void hoverStep(double cx, double cy);
    void dragStep(double x, double y);
    void searchKeyPress(QChar ch);
    void startQuery(const QString& requestUrl);
    void stockAnswer(const QString& answer);
    void indexAnswer(const QString& answer);
    void endQuery();
    QString accountName() const;
    QString requestNumber();
    void restoreSavedLogin();
    void saveLogin();
    // What the login request carries and [System] keeps: the restored digest, or the typed
    // password's digest.
    QString passwordDigest();
    void closeMessageWindow();
    void navigate(const QString& control, const QString& url);
    QString webAddress(const QString& path) const { return platform_.service.webBase + path; }
    ScreenInfo screen() const;
    void hide(std::initializer_list<const char*> names);
    void show(std::initializer_list<const char*> names);

    Platform& platform_;
    std::vector<std::unique_ptr<WebView>> webViews_;
    std::unique_ptr<FormMessage> message_;
    std::unique_ptr<FormMessage> closedMessage_;
    qint16 wheelPosition_ = 0;  // the wheel's own count; it never reads the bar back  // kept until
                                // the event that closed it is over
};

// The decimal text of a position as the settings file stores it (single precision).
QString twipsText(double v);

}  // namespace vantorel
