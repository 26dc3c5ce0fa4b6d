#include "numtext.h"

#include <QStringList>
#include <charconv>
#include <cmath>
#include <string>

namespace {

// A finite double as 15 significant decimal digits: value = 0.digits × 10^exp10.
struct Decimal15 {
    bool negative = false;
    std::string digits; // exactly 15 digits, first non-zero unless the value is 0
    int exp10 = 0;
};

Decimal15 toDecimal15(double v)
{
    Decimal15 d;
    d.negative = std::signbit(v);
    v = std::fabs(v);
    char buf[40];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
    std::string s(buf, res.ptr);
    // s = "d.ddddddddddddddde[+-]xx"
    auto e = s.find('e');
    d.digits = s.substr(0, 1) + s.substr(2, e - 2);
    d.exp10 = std::stoi(s.substr(e + 1)) + 1;
    return d;
}

// Rounds the 15-digit decimal to `decimals` places, halves away from zero, and
// returns the integer digits (at least "0") and exactly `decimals` fraction digits.
void roundDecimal(const Decimal15 &d, int decimals, std::string &intPart, std::string &fracPart)
{
    // Digits with the decimal point after position exp10 (may be outside).
    std::string all;
    int pointPos; // number of digits before the point in `all`
    if (d.exp10 <= 0) {
        all = std::string(size_t(-d.exp10), '0') + d.digits;
        pointPos = 0;
    } else {
        all = d.digits;
        if (int(all.size()) < d.exp10)
            all += std::string(size_t(d.exp10 - int(all.size())), '0');
        pointPos = d.exp10;
    }
    int keep = pointPos + decimals; // digits kept
    if (int(all.size()) < keep)
        all += std::string(size_t(keep - int(all.size())), '0');
    bool roundUp = int(all.size()) > keep && all[size_t(keep)] >= '5';
    std::string kept = all.substr(0, size_t(keep));
    if (roundUp) {
        int i = keep - 1;
        while (i >= 0) {
            if (kept[size_t(i)] == '9') {
                kept[size_t(i)] = '0';
                --i;
            } else {
                ++kept[size_t(i)];
                break;
            }
        }
        if (i < 0) {
            kept.insert(kept.begin(), '1');
            ++pointPos;
        }
    }
    intPart = kept.substr(0, size_t(pointPos));
    fracPart = kept.substr(size_t(pointPos));
    size_t nz = intPart.find_first_not_of('0');
    intPart = nz == std::string::npos ? "0" : intPart.substr(nz);
}

QString format(double v, int decimals, bool grouped)
{
    if (!std::isfinite(v))
        return QString();
    std::string ip, fp;
    Decimal15 d = toDecimal15(v);
    roundDecimal(d, decimals, ip, fp);
    if (grouped && ip.size() > 3) {
        std::string g;
        int n = int(ip.size());
        for (int i = 0; i < n; ++i) {
            g += ip[size_t(i)];
            int left = n - 1 - i;
            if (left > 0 && left % 3 == 0)
                g += ',';
        }
        ip = g;
    }
    bool zero = ip == "0" && fp.find_first_not_of('0') == std::string::npos;
    std::string out = (d.negative && !zero) ? "-" : "";
    out += ip;
    if (decimals > 0)
        out += "." + fp;
    return QString::fromStdString(out);
}

// Whole cents of a ≥ 0 when it lies clearly away from a half cent. Below 1e9
// the 15 significant digits the text rounds from sit within 1e-6 of a, so the
// nearest whole cent of the scaled value is the cent of the text; near a half
// cent, or for larger values, nullopt sends the caller through the text.
std::optional<long long> fastCents(double a)
{
    if (!(a < 1e9))
        return std::nullopt;
    const double s = a * 100.0;
    const double f = std::floor(s);
    const double frac = s - f;
    if (std::fabs(frac - 0.5) <= 1e-3)
        return std::nullopt;
    return (long long)f + (frac > 0.5 ? 1 : 0);
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

namespace NumText {

QString amount(double v)
{
    if (!std::isfinite(v))
        return QString();
    auto cents = fastCents(std::fabs(v));
    if (!cents)
        return format(v, 2, true);
    // Written right to left: two decimals, the point, grouped whole digits.
    long long c = *cents;
    char16_t buf[32];
    int pos = 32;
    buf[--pos] = char16_t(u'0' + c % 10);
    c /= 10;
    buf[--pos] = char16_t(u'0' + c % 10);
    c /= 10;
    buf[--pos] = u'.';
    int digits = 0;
    do {
        if (digits > 0 && digits % 3 == 0)
            buf[--pos] = u',';
        buf[--pos] = char16_t(u'0' + c % 10);
        c /= 10;
        ++digits;
    } while (c > 0);
    if (std::signbit(v) && *cents != 0)
        buf[--pos] = u'-';
    return QString(reinterpret_cast<const QChar *>(buf + pos), 32 - pos);
}

QString fixed(double v, int decimals)
{
    return format(v, decimals, false);
}

double roundCents(double v)
{
    if (!std::isfinite(v))
        return v;
    if (auto cents = fastCents(std::fabs(v))) {
        // Dividing the whole number of cents by 100 is correctly rounded, so
        // it equals reading the "0.00" text back.
        const double r = double(*cents) / 100.0;
        return std::signbit(v) && *cents != 0 ? -r : r;
    }
    return value(fixed(v, 2));
}

std::optional<double> parse(const QString &text)
{
    QString t = text.trimmed();
    int i = 0, n = int(t.size());
    bool negative = false;
    auto takeSign = [&] {
        if (i < n && (t[i] == u'+' || t[i] == u'-')) {
            negative = t[i] == u'-';
            ++i;
            return true;
        }
        return false;
    };
    // "$" and the sign may come in either order: "$-5", "-$5".
    bool signed_ = takeSign();
    if (i < n && t[i] == u'$')
        ++i;
    if (!signed_)
        takeSign();
    std::string plain;
    int intDigits = 0;
    while (i < n && (isDigit(t[i]) || (t[i] == u',' && intDigits > 0))) {
        if (t[i] != u',') {
            plain += char(t[i].unicode());
            ++intDigits;
        }
        ++i;
    }
    int fracDigits = 0;
    if (i < n && t[i] == u'.') {
        plain += '.';
        ++i;
        while (i < n && isDigit(t[i])) {
            plain += char(t[i].unicode());
            ++fracDigits;
            ++i;
        }
    }
    if (i != n || intDigits + fracDigits == 0)
        return std::nullopt;
    if (intDigits == 0)
        plain.insert(plain.begin(), '0');
    double v = 0;
    auto res = std::from_chars(plain.data(), plain.data() + plain.size(), v);
    if (res.ec != std::errc() || !std::isfinite(v))
        return std::nullopt;
    return negative ? -v : v;
}

std::optional<double> parseAmount(const QString &text)
{
    const std::optional<double> v = parse(text);
    if (!v)
        return v;
    // parse() took the text, so its whole part is the run of digits and
    // commas after any "$" and sign: every comma must start a group of three.
    const QString t = text.trimmed();
    qsizetype start = 0;
    while (start < t.size() && !isDigit(t[start]))
        ++start;
    qsizetype end = start;
    while (end < t.size() && (isDigit(t[end]) || t[end] == u','))
        ++end;
    const QStringList groups = t.mid(start, end - start).split(u',');
    for (qsizetype g = 1; g < groups.size(); ++g)
        if (groups[g].size() != 3 || groups[0].size() > 3)
            return std::nullopt;
    return v;
}

bool isNumeric(const QString &text)
{
    return parse(text).has_value();
}

double value(const QString &text)
{
    return parse(text).value_or(0.0);
}

double leadingNumber(const QString &text)
{
    int i = 0, n = int(text.size());
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    std::string s;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            s += '-';
        ++i;
    }
    bool any = false;
    while (i < n && isDigit(text[i])) {
        s += char(text[i++].unicode());
        any = true;
    }
    if (i < n && text[i] == u'.') {
        std::string frac;
        ++i;
        while (i < n && isDigit(text[i]))
            frac += char(text[i++].unicode());
        if (!frac.empty()) {
            s += "." + frac;
            any = true;
        }
    }
    if (!any)
        return 0.0;
    if (s[0] == '-' && s.size() > 1 && s[1] == '.')
        s.insert(1, "0");
    if (s[0] == '.')
        s.insert(0, "0");
    double v = 0;
    auto res = std::from_chars(s.data(), s.data() + s.size(), v);
    if (res.ec != std::errc() || !std::isfinite(v))
        return 0.0;
    return v;
}

std::optional<int16_t> toInt16(double v)
{
    if (!std::isfinite(v))
        return std::nullopt;
    double r = std::nearbyint(v); // default rounding mode: half to even
    if (r < -32768.0 || r > 32767.0)
        return std::nullopt;
    return int16_t(r);
}

std::optional<int16_t> toInt16(const QString &text)
{
    auto v = parse(text);
    if (!v)
        return std::nullopt;
    return toInt16(*v);
}

QString plainDecimal(double v)
{
    if (!std::isfinite(v))
        return QString();
    Decimal15 d = toDecimal15(v);
    std::string digits = d.digits;
    size_t last = digits.find_last_not_of('0');
    if (last == std::string::npos)
        return QStringLiteral("0");
    digits.resize(last + 1);
    std::string out = d.negative ? "-" : "";
    int e = d.exp10;
    if (e <= 0) {
        out += "0." + std::string(size_t(-e), '0') + digits;
    } else if (e >= int(digits.size())) {
        out += digits + std::string(size_t(e - int(digits.size())), '0');
    } else {
        out += digits.substr(0, size_t(e)) + "." + digits.substr(size_t(e));
    }
    return QString::fromStdString(out);
}

QString percentText(double percent)
{
    const QString number = plainDecimal(percent);
    return number.isEmpty() ? number : number + QStringLiteral(" %");
}

} // namespace NumText
