#include "platform/qt/QtTray.h"

#include "platform/qt/BitmapStore.h"

#include <QCursor>
#include <QIcon>
#include <QMenu>
#include <QSystemTrayIcon>

namespace vantorel::qt {

QtTray::QtTray(QObject* parent) : QObject(parent) {}

QtTray::~QtTray() {
    remove();
}

bool QtTray::add(const QString& tip) {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return false;
    if (!icon_) {
        icon_ = new QSystemTrayIcon(QIcon(loadDesignPicture(QStringLiteral("tray_icon"))), this);
        connect(icon_, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    int button = 0;
                    if (reason == QSystemTrayIcon::Trigger) button = 1;
                    if (reason == QSystemTrayIcon::Context) button = 2;
                    if (!button || !onActivated) return;
                    QPointer<QtTray> self(this);
                    onActivated(button);
                    if (self && afterEvent) afterEvent();
                });
    }
    icon_->setToolTip(tip);
    icon_->show();
    return true;
}

void QtTray::remove() {
    if (!icon_) return;
    icon_->hide();
    icon_->deleteLater();
    icon_ = nullptr;
}

void QtTray::setMenu(std::vector<std::pair<QString, std::function<void()>>> entries) {
    menu_ = std::move(entries);
}

void QtTray::popupMenu() {
    if (menu_.empty()) return;
    QMenu menu;
    std::vector<std::pair<QAction*, std::function<void()>>> actions;
    for (const auto& [caption, action] : menu_) {
        if (caption == QLatin1String("-"))
            menu.addSeparator();
        else
            actions.emplace_back(menu.addAction(caption), action);
    }
    QAction* chosen = menu.exec(QCursor::pos());
    if (!chosen) return;
    for (auto& [a, action] : actions)
        if (a == chosen && action) {
            action();  // a copy: the action may replace this tray's menu
            break;
        }
}

}  // namespace vantorel::qt
