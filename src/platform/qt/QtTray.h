#pragma once

#include "platform/Ports.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <utility>
#include <vector>

class QSystemTrayIcon;

namespace vantorel::qt {

// The notification-area icon. Without a tray (a bare X server) add() says so and the program
// runs without one.
class QtTray : public QObject, public TrayPort {
    Q_OBJECT
  public:
    explicit QtTray(QObject* parent = nullptr);
    ~QtTray() override;

    bool add(const QString& tip) override;
    void remove() override;
    // Shows the menu at the cursor and waits for it like the original's PopupMenu: a chosen
    // entry's action has run when this returns.
    void popupMenu() override;

    // Captions and actions of the popup menu; a caption of "-" is a separator.
    void setMenu(std::vector<std::pair<QString, std::function<void()>>> entries);

    // Runs after each onActivated call, so the shell can bring the windows up to date.
    std::function<void()> afterEvent;

  private:
    QPointer<QSystemTrayIcon> icon_;
    std::vector<std::pair<QString, std::function<void()>>> menu_;
};

}  // namespace vantorel::qt
