#pragma once

#include <QObject>
#include <QStringList>

class QSocketNotifier;

namespace vantorel::service {

class LoginServer;

// Operator commands, one per line on stdin. A closed or missing stdin just ends the console.
class OperatorConsole : public QObject {
    Q_OBJECT
  public:
    explicit OperatorConsole(LoginServer& login, QObject* parent = nullptr);

    // Puts /dev/null on any of stdin, stdout and stderr that is closed. Call it before anything
    // opens a file: otherwise a socket could get descriptor 0 and the console would read it.
    static void reserveStandardStreams();

    // Starts reading stdin; false when there is nothing to read from.
    bool start();
    // Runs one command and returns what to print.
    QStringList execute(const QString& line);

  private:
    void readInput();

    LoginServer& login_;
    QSocketNotifier* notifier_ = nullptr;
    QByteArray pending_;
};

}  // namespace vantorel::service
