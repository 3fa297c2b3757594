#pragma once

// The answers of the two query pages. Everything but the date and time is derived from the
// code, so a demo or a test sees the same levels every time.

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace vantorel::service {

class Quotes {
  public:
    // Codes in the stock list that answer "ErrGpMoney" (the account's query allowance is used
    // up) and codes that answer with an empty pressure field (the stock is suspended today).
    static const QStringList kNoMoneyCodes;    // sh600036, sz000858
    static const QStringList kSuspendedCodes;  // sh600004, sz000063

    // Reads a GpID,GpName,Pinyin list (UTF-8). Bad rows are skipped with a warning.
    void parseStocks(const QByteArray& utf8, QStringList* warnings);
    bool loadStocks(const QString& path, QStringList* warnings);
    int stockCount() const { return names_.size(); }

    // "ErrGpID", "ErrGpMoney" or name|date|time|pressure|pressure%|current|support|support%|advice.
    QString stockAnswer(const QString& gpId, const QDateTime& now) const;
    // name|date|time|pressure|pressure%|current|support|support% for s_sh000001 (Shanghai) and
    // s_sh000002 (what the Shenzhen button asks for); "ErrGpID" for anything else.
    QString indexAnswer(const QString& daPan, const QDateTime& now) const;

  private:
    QHash<QString, QString> names_;  // lower-case code -> name
};

// Two decimals, no sign of the percent: "5.23".
QString formatCents(qint64 cents);
// (a - b) / base as a percentage with two decimals.
QString formatPercent(qint64 a, qint64 b, qint64 base);

}  // namespace vantorel::service
