#include "Console.h"

#include "Log.h"
#include "LoginServer.h"

#include <QRegularExpression>
#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace vantorel::service {

namespace {

constexpr qsizetype kMaxLine = 4096;

QStringList help() {
    return {QStringLiteral("commands:"),
            QStringLiteral("  msg <account> <title> <number>   push Msg|title|number to a session"),
            QStringLiteral("  kick <account>                   send Err|Users and end the session"),
            QStringLiteral("  list                             show the sessions")};
}

}  // namespace

OperatorConsole::OperatorConsole(LoginServer& login, QObject* parent)
    : QObject(parent), login_(login) {}

void OperatorConsole::reserveStandardStreams() {
#ifdef Q_OS_UNIX
    for (int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(fd, F_GETFD) == -1) {
            // open() takes the lowest free descriptor, which is this one.
            ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        }
    }
#endif
}

bool OperatorConsole::start() {
#ifdef Q_OS_UNIX
    if (::fcntl(STDIN_FILENO, F_GETFD) == -1) return false;  // no stdin at all
    // Started in the background of an interactive shell, a read from the terminal would stop
    // the whole service; with SIGTTIN ignored it fails instead and only the console ends.
    std::signal(SIGTTIN, SIG_IGN);
    notifier_ = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &OperatorConsole::readInput);
    return true;
#else
    return false;
#endif
}

void OperatorConsole::readInput() {
#ifdef Q_OS_UNIX
    char chunk[4096];
    const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
    if (n <= 0) {
        // End of input (or an unreadable stdin): the servers go on without a console.
        notifier_->setEnabled(false);
        if (n < 0) logLine(QStringLiteral("stdin unreadable: operator console off"));
        if (!pending_.isEmpty()) {
            for (const QString& line : execute(QString::fromUtf8(pending_))) printLine(line);
            pending_.clear();
        }
        return;
    }
    pending_.append(chunk, n);
    qsizetype newline;
    while ((newline = pending_.indexOf('\n')) >= 0) {
        const QByteArray line = pending_.left(newline);
        pending_.remove(0, newline + 1);
        for (const QString& out : execute(QString::fromUtf8(line))) printLine(out);
    }
    if (pending_.size() > kMaxLine) {
        printLine(QStringLiteral("line too long, ignored"));
        pending_.clear();
    }
#endif
}

QStringList OperatorConsole::execute(const QString& line) {
    static const QRegularExpression spaces(QStringLiteral("\\s+"));
    const QStringList words = line.trimmed().split(spaces, Qt::SkipEmptyParts);
    if (words.isEmpty()) return {};
    const QString& command = words[0];

    if (command == QLatin1String("list") && words.size() == 1) {
        QStringList out = login_.sessions();
        out.prepend(QStringLiteral("%1 session(s)").arg(out.size()));
        return out;
    }
    if (command == QLatin1String("kick") && words.size() == 2) {
        return {login_.kick(words[1]) ? QStringLiteral("kicked %1").arg(words[1])
                                      : QStringLiteral("%1 is not logged in").arg(words[1])};
    }
    if (command == QLatin1String("msg") && words.size() >= 4) {
        static const QRegularExpression numberPattern(QStringLiteral("^[0-9]{1,9}$"));
        const QString title = words.mid(2, words.size() - 3).join(u' ');
        const QString& number = words.last();
        if (!numberPattern.match(number).hasMatch()) return {QStringLiteral("number expected")};
        if (!LoginServer::isFieldText(title)) {
            return {QStringLiteral("the title must be representable in GBK and have no \"|\"")};
        }
        return {login_.pushMessage(words[1], title, number)
                    ? QStringLiteral("sent to %1").arg(words[1])
                    : QStringLiteral("%1 is not logged in").arg(words[1])};
    }
    return help();
}

}  // namespace vantorel::service
