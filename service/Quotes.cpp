#include "Quotes.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

#include <cmath>
#include <cstdint>

namespace vantorel::service {

const QStringList Quotes::kNoMoneyCodes{QStringLiteral("sh600036"), QStringLiteral("sz000858")};
const QStringList Quotes::kSuspendedCodes{QStringLiteral("sh600004"), QStringLiteral("sz000063")};

namespace {

// FNV-1a then a splitmix step: stable across runs and platforms, unlike qHash.
std::uint64_t codeHash(const QString& code) {
    std::uint64_t h = 14695981039346656037ull;
    for (char c : code.toUtf8()) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ull;
    }
    h += 0x9E3779B97F4A7C15ull;
    h = (h ^ (h >> 30)) * 0xBF58476D1CE4E5B9ull;
    h = (h ^ (h >> 27)) * 0x94D049BB133111EBull;
    return h ^ (h >> 31);
}

// Pressure and support this far apart (relative to support) leave room for swing trading.
constexpr double kWideSpread = 0.12;

struct Levels {
    qint64 pressure, current, support;  // in cents
};

QString joinFields(const QString& name, const QDateTime& now, const Levels& l, bool suspended) {
    return QStringList{name,
                       now.toString(QStringLiteral("yyyy-MM-dd")),
                       now.toString(QStringLiteral("HH:mm:ss")),
                       suspended ? QString() : formatCents(l.pressure),
                       formatPercent(l.pressure, l.current, l.current),
                       formatCents(l.current),
                       formatCents(l.support),
                       formatPercent(l.current, l.support, l.current)}
        .join(u'|');
}

QString stockAdvice(const QString& name, const QString& code, const Levels& l, bool suspended,
                    std::uint64_t hash) {
    if (suspended) {
        return QStringLiteral(
                   "%1（%2）今日停牌，暂无压力位数据。<br><br>"
                   "停牌期间请关注公司公告，复牌后再结合量价变化重新判断。")
            .arg(name, code.toUpper());
    }
    QStringList paragraphs;
    paragraphs << QStringLiteral(
                      "%1（%2）现价 %3 元，上方压力位 %4 元，距现价 %5%；"
                      "下方支撑位 %6 元，距现价 %7%。")
                      .arg(name, code.toUpper(), formatCents(l.current), formatCents(l.pressure),
                           formatPercent(l.pressure, l.current, l.current), formatCents(l.support),
                           formatPercent(l.current, l.support, l.current));
    if (double(l.pressure - l.support) / double(l.support) > kWideSpread) {
        paragraphs << QStringLiteral(
            "压力位与支撑位之间空间较大，可在支撑位附近分批低吸，"
            "接近压力位时逢高减仓，做好波段操作。");
    } else {
        paragraphs << QStringLiteral(
            "压力位与支撑位之间空间较小，短线操作余地有限，建议以观望为主，"
            "待股价放量突破压力位后再考虑跟进。");
    }
    const QString closing[] = {
        QStringLiteral("若股价有效跌破支撑位，应及时止损，控制仓位在五成以下。"),
        QStringLiteral("近期成交量变化值得留意，放量上攻压力位的可信度更高。"),
        QStringLiteral("大盘环境对个股走势影响较大，操作前请先查看大盘压力位。"),
    };
    paragraphs << closing[(hash >> 40) % 3];
    paragraphs << QStringLiteral("以上内容由演示服务自动生成，仅供参考，不构成投资建议。");
    return paragraphs.join(QStringLiteral("<br><br>"));
}

}  // namespace

QString formatCents(qint64 cents) {
    const QString sign = cents < 0 ? QStringLiteral("-") : QString();
    const qint64 a = std::llabs(cents);
    return sign + QString::number(a / 100) + u'.' +
           QStringLiteral("%1").arg(a % 100, 2, 10, QChar(u'0'));
}

QString formatPercent(qint64 a, qint64 b, qint64 base) {
    if (base == 0) return QStringLiteral("0.00");
    return formatCents(std::llround(double(a - b) * 10000.0 / double(base)));
}

void Quotes::parseStocks(const QByteArray& utf8, QStringList* warnings) {
    QStringDecoder decode(QStringDecoder::Utf8);
    const QString text = decode(utf8);
    if (decode.hasError() && warnings) *warnings << QStringLiteral("stock list is not valid UTF-8");
    static const QRegularExpression codePattern(QStringLiteral("^(sh|sz)[0-9]{6}$"),
                                                QRegularExpression::CaseInsensitiveOption);
    const QStringList lines = text.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i].trimmed();
        if (i == 0 && line.startsWith(QChar(0xFEFF))) line = line.mid(1);
        if (line.isEmpty() || (i == 0 && line.startsWith(QLatin1String("GpID")))) continue;
        const QStringList fields = line.split(u',');
        if (fields.size() < 2 || !codePattern.match(fields[0].trimmed()).hasMatch() ||
            fields[1].trimmed().isEmpty() || fields[1].contains(u'|')) {
            if (warnings)
                *warnings << QStringLiteral("stock line %1 skipped: %2").arg(i + 1).arg(line);
            continue;
        }
        names_.insert(fields[0].trimmed().toLower(), fields[1].trimmed());
    }
}

bool Quotes::loadStocks(const QString& path, QStringList* warnings) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    parseStocks(file.readAll(), warnings);
    return true;
}

QString Quotes::stockAnswer(const QString& gpId, const QDateTime& now) const {
    const QString code = gpId.trimmed().toLower();
    const auto name = names_.constFind(code);
    if (code.isEmpty() || name == names_.cend()) return QStringLiteral("ErrGpID");
    if (kNoMoneyCodes.contains(code)) return QStringLiteral("ErrGpMoney");

    const std::uint64_t h = codeHash(code);
    Levels l;
    l.current = 300 + qint64(h % 29700);                 // 3.00 .. 299.99
    const qint64 up = 150 + qint64((h >> 16) % 2351);    // 1.50% .. 25.00%
    const qint64 down = 150 + qint64((h >> 32) % 1351);  // 1.50% .. 15.00%
    l.pressure = l.current + std::max<qint64>(1, std::llround(l.current * up / 10000.0));
    l.support = l.current - std::max<qint64>(1, std::llround(l.current * down / 10000.0));
    const bool suspended = kSuspendedCodes.contains(code);
    return joinFields(*name, now, l, suspended) + u'|' + stockAdvice(*name, code, l, suspended, h);
}

QString Quotes::indexAnswer(const QString& daPan, const QDateTime& now) const {
    const QString code = daPan.trimmed().toLower();
    // Shanghai's range is wide and Shenzhen's narrow, so both kinds of advice can be seen.
    if (code == QLatin1String("s_sh000001")) {
        return joinFields(QStringLiteral("上证指数"), now, Levels{328860, 301245, 289010}, false);
    }
    if (code == QLatin1String("s_sh000002")) {
        return joinFields(QStringLiteral("深证成指"), now, Levels{1021330, 987654, 954820}, false);
    }
    return QStringLiteral("ErrGpID");
}

}  // namespace vantorel::service
