#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace vantorel::service {

struct Account {
    QString name;
    QString digest;  // 32 upper-case hex digits, compared exactly
    bool locked = false;
};

struct AccountsLoad {
    QHash<QString, Account> accounts;
    QStringList warnings;  // one per skipped line
};

// Lines of `account|DIGEST|state` (UTF-8); "#" comments and blank lines are allowed and a
// broken line is skipped with a warning rather than stopping the service.
AccountsLoad parseAccounts(const QByteArray& utf8);

// nullopt when the file cannot be read.
std::optional<AccountsLoad> loadAccounts(const QString& path);

}  // namespace vantorel::service
