#include "platform/qt/Application.h"

#include "platform/qt/Desktop.h"
#include "platform/qt/QtTray.h"
#include "platform/qt/Shell.h"
#include "platform/qt/SqliteDatabase.h"
#include "platform/qt/UdpLink.h"
#include "platform/qt/WebViews.h"

namespace vantorel::qt {

Application::Application(const Options& options)
    : screen_(std::make_unique<QtScreen>()),
      cursor_(std::make_unique<QtCursor>()),
      link_(std::make_unique<UdpLink>()),
      webViews_(std::make_unique<QtWebViewFactory>()),
      database_(std::make_unique<SqliteDatabase>()),
      opener_(std::make_unique<DesktopOpener>()),
      tray_(std::make_unique<QtTray>()),
      random_(std::make_unique<ClockRandom>()),
      exit_(std::make_unique<ImmediateExit>()),
      startPage_(options.startPage) {
    platform_.screen = screen_.get();
    platform_.cursor = cursor_.get();
    platform_.link = link_.get();
    platform_.webViews = webViews_.get();
    platform_.database = database_.get();
    platform_.opener = opener_.get();
    platform_.tray = tray_.get();
    platform_.random = random_.get();
    platform_.process = options.process ? options.process : exit_.get();
    platform_.appDir = options.appDir;
    platform_.service = options.service;

    form_ = std::make_unique<FormLogin>(platform_);
    shell_ = std::make_unique<Shell>([this] { return form_->forms(); });

    link_->onDatagram = [this](const QByteArray& data, const QString& host, quint16 port) {
        form_->Link_DataArrival(data, host, port);
    };
    link_->afterEvent = shell_->afterEventHook();
    tray_->onActivated = [this](int button) { form_->IconLogo_MouseMove(button); };
    tray_->afterEvent = shell_->afterEventHook();
    std::vector<std::pair<QString, std::function<void()>>> menu;
    for (auto& entry : form_->trayMenu()) menu.emplace_back(entry.caption, entry.action);
    tray_->setMenu(std::move(menu));
}

Application::~Application() {
    // Views refer to the models: they go first.
    shell_.reset();
}

void Application::start() {
    form_->Form_Load();
    if (!startPage_.isEmpty()) form_->ShowPage(startPage_);
    form_->visible = true;
    shell_->syncAll();
}

}  // namespace vantorel::qt
