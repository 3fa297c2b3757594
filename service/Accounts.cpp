#include "Accounts.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>

namespace vantorel::service {

AccountsLoad parseAccounts(const QByteArray& utf8) {
    AccountsLoad result;
    QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decode(utf8);
    if (decode.hasError()) result.warnings << QStringLiteral("file is not valid UTF-8");

    static const QRegularExpression digestPattern(QStringLiteral("^[0-9A-F]{32}$"));
    const QStringList lines = text.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i].trimmed();
        if (i == 0 && line.startsWith(QChar(0xFEFF))) line = line.mid(1).trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) continue;

        const auto skip = [&](const QString& why) {
            result.warnings << QStringLiteral("line %1: %2: %3").arg(i + 1).arg(why, line);
        };
        const QStringList fields = line.split(u'|');
        if (fields.size() != 3) {
            skip(QStringLiteral("expected account|DIGEST|state"));
            continue;
        }
        const QString name = fields[0].trimmed();
        const QString digest = fields[1].trimmed();
        const QString state = fields[2].trimmed();
        if (name.isEmpty()) {
            skip(QStringLiteral("empty account"));
            continue;
        }
        // The name travels in GBK; one that cannot be encoded could never log in.
        QStringEncoder gbk("GBK");
        const QByteArray encoded = gbk(name);
        Q_UNUSED(encoded);
        if (gbk.hasError() || name.contains(QChar(0xFFFD))) {
            skip(QStringLiteral("account not representable in GBK"));
            continue;
        }
        if (!digestPattern.match(digest).hasMatch()) {
            skip(QStringLiteral("digest must be 32 upper-case hex digits"));
            continue;
        }
        if (state != QLatin1String("active") && state != QLatin1String("locked")) {
            skip(QStringLiteral("state must be active or locked"));
            continue;
        }
        if (result.accounts.contains(name)) {
            skip(QStringLiteral("duplicate account, the first one stays"));
            continue;
        }
        result.accounts.insert(name, Account{name, digest, state == QLatin1String("locked")});
    }
    return result;
}

std::optional<AccountsLoad> loadAccounts(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return parseAccounts(file.readAll());
}

}  // namespace vantorel::service
