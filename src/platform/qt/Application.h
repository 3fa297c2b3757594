#pragma once

#include "app/FormLogin.h"
#include "platform/Ports.h"

#include <QString>

#include <memory>

namespace vantorel::qt {

class Shell;
class UdpLink;
class QtTray;
class QtScreen;
class QtCursor;
class DesktopOpener;
class ClockRandom;
class ImmediateExit;
class SqliteDatabase;
class QtWebViewFactory;

// The program put together: the real adapters, the main window model and the shell that shows
// it. main() and the end-to-end tests build it the same way.
class Application {
  public:
    struct Options {
        QString appDir;
        ServiceAddress service;
        QString startPage;               // development: a page to show after start-up
        ProcessPort* process = nullptr;  // nullptr: end the process for real
    };

    explicit Application(const Options& options);
    ~Application();

    // Runs the start-up sequence and shows the window.
    void start();
    FormLogin& form() { return *form_; }
    Shell& shell() { return *shell_; }
    UdpLink& link() { return *link_; }

  private:
    std::unique_ptr<QtScreen> screen_;
    std::unique_ptr<QtCursor> cursor_;
    std::unique_ptr<UdpLink> link_;
    std::unique_ptr<QtWebViewFactory> webViews_;
    std::unique_ptr<SqliteDatabase> database_;
    std::unique_ptr<DesktopOpener> opener_;
    std::unique_ptr<QtTray> tray_;
    std::unique_ptr<ClockRandom> random_;
    std::unique_ptr<ImmediateExit> exit_;
    Platform platform_;
    std::unique_ptr<FormLogin> form_;
    std::unique_ptr<Shell> shell_;
    QString startPage_;
};

}  // namespace vantorel::qt
