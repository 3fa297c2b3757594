#pragma once

// vantorel-service as a child process on free loopback ports, for tests that need the real
// service. Killed when the object goes away, and by the kernel should the test process die.

#include <QDeadlineTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QString>
#include <QStringList>

#include <signal.h>
#include <sys/prctl.h>

namespace vantorel::test {

class ServiceProcess {
  public:
    static constexpr int kWaitMs = 5000;

    explicit ServiceProcess(const QStringList& args = {}, bool keepStdin = false) {
        if (!keepStdin) process_.setStandardInputFile(QProcess::nullDevice());
        process_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
        process_.start(QStringLiteral(VANTOREL_BIN_DIR "/vantorel-service"),
                       QStringList{"--login-port", "0", "--web-port", "0"} + args);
        const QDeadlineTimer deadline(kWaitMs);
        static const QRegularExpression ready(QStringLiteral("READY login=(\\d+) web=(\\d+)\\n"));
        while (!deadline.hasExpired()) {
            const auto match = ready.match(QString::fromUtf8(stdout_));
            if (match.hasMatch()) {
                loginPort = quint16(match.captured(1).toUInt());
                webPort = quint16(match.captured(2).toUInt());
                stdout_.clear();
                return;
            }
            if (!process_.waitForReadyRead(int(deadline.remainingTime()))) break;
            stdout_ += process_.readAllStandardOutput();
        }
    }
    ~ServiceProcess() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(kWaitMs);
        }
    }
    ServiceProcess(const ServiceProcess&) = delete;
    ServiceProcess& operator=(const ServiceProcess&) = delete;

    bool ready() const { return loginPort != 0 && webPort != 0; }
    QString webBase() const { return QStringLiteral("http://127.0.0.1:%1").arg(webPort); }
    QString log() { return stderr_ += QString::fromUtf8(process_.readAllStandardError()); }

    // Waits until the service's stdout or stderr holds `text`.
    bool waitForOutput(const QString& text, bool onStderr) {
        const QDeadlineTimer deadline(kWaitMs);
        while (true) {
            stdout_ += process_.readAllStandardOutput();
            const QString seen = onStderr ? log() : QString::fromUtf8(stdout_);
            if (seen.contains(text)) return true;
            if (deadline.hasExpired() || process_.state() != QProcess::Running) return false;
            QSignalSpy spy(&process_, onStderr ? &QProcess::readyReadStandardError
                                               : &QProcess::readyReadStandardOutput);
            if (process_.bytesAvailable() == 0) spy.wait(int(deadline.remainingTime()));
        }
    }

    QProcess& process() { return process_; }
    quint16 loginPort = 0, webPort = 0;

  private:
    QProcess process_;
    QByteArray stdout_;
    QString stderr_;
};

}  // namespace vantorel::test
