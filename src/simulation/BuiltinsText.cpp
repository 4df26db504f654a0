// Texts: NumToStr, WriteVal, StrFormat, WriteIf, StrLen, StrLeft, StrRight, StrMid, StrFind,
// StrToNum, StrToUpper, StrToLower.

#include "simulation/BuiltinHelpers.h"
#include "simulation/DateTime.h"
#include "simulation/SimTexts.h"
#include "simulation/TextFormat.h"

#include <cmath>

#include <QLocale>

using namespace Qt::Literals::StringLiterals;

namespace Sim {

namespace {

using K = ArgKind;

QString Digits(Number x, int decimals)
{
    return QLocale::c().toString(x, 'f', decimals);
}

// Thousands separated by ',' in the whole part of a number text.
QString Grouped(const QString& text)
{
    const qsizetype point = text.indexOf(u'.');
    const qsizetype end = point < 0 ? text.size() : point;
    const qsizetype start = text.startsWith(u'-') ? 1 : 0;
    QString out = text.left(start);
    for (qsizetype i = start; i < end; ++i) {
        if (i > start && (end - i) % 3 == 0)
            out += u',';
        out += text.at(i);
    }
    return out + text.mid(end);
}

// Seven significant digits, the rest zero.
Number RoundToSeven(Number x)
{
    if (x == 0)
        return 0;
    const Number scale = std::pow(10.0, 6 - std::floor(std::log10(std::fabs(x))));
    return std::round(x * scale) / scale;
}

// One conversion of StrFormat applied to one argument.
QString Converted(const Call& c, const QString& spec, QChar conversion, int argument)
{
    const Value& v = c.arg(argument);
    if (conversion == u's') {
        if (!v.isString())
            throw RunError(
                Texts::WrongArgumentKind(c.name(), argument + 1, Texts::KindString, v.kindName()));
        // Width, precision and '-' of a text, by hand: asprintf's %s takes bytes.
        qsizetype k = 1;
        bool left = false;
        for (; QStringLiteral("-+ #0").contains(spec.at(k)); ++k)
            left = left || spec.at(k) == u'-';
        int width = 0;
        for (; spec.at(k).isDigit(); ++k)
            width = width * 10 + spec.at(k).digitValue();
        QString text = v.string();
        if (spec.at(k) == u'.')
            text.truncate(spec.mid(k + 1, spec.size() - k - 2).toInt());
        return left ? text.leftJustified(width) : text.rightJustified(width);
    }
    if (!v.isNumeric())
        throw RunError(Texts::WrongArgumentKind(c.name(), argument + 1, Texts::KindNumberOrArray,
                                                v.kindName()));
    const Number x = v.last();
    if (IsNull(x))
        return NumberText(x);
    const QByteArray format = spec.toLatin1();
    if (QStringLiteral("eEfFgG").contains(conversion))
        return QString::asprintf(format.constData(), x);
    if (conversion == u'c')
        return QString(QChar(char16_t(qBound<Number>(0, x, 0xFFFF))));
    // Integers: the fraction dropped, a 64-bit argument.
    QByteArray wide = format;
    wide.insert(wide.size() - 1, "ll");
    return QString::asprintf(wide.constData(), qlonglong(std::clamp<Number>(x, -9e18, 9e18)));
}

Value StrFormat(Call& c)
{
    const QString& format = c.string(0);
    QString out;
    int argument = 1;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar ch = format.at(i);
        if (ch != u'%') {
            out += ch;
            continue;
        }
        qsizetype j = i + 1;
        if (j < format.size() && format.at(j) == u'%') {
            out += u'%';
            i = j;
            continue;
        }
        while (j < format.size() && QStringLiteral("-+ #0").contains(format.at(j)))
            ++j;
        // Widths up to 999 and precisions up to 99.
        auto digits = [&] {
            const qsizetype start = j;
            while (j < format.size() && format.at(j) >= u'0' && format.at(j) <= u'9')
                ++j;
            return j - start;
        };
        const qsizetype widthDigits = digits();
        qsizetype precisionDigits = 0;
        if (j < format.size() && format.at(j) == u'.') {
            ++j;
            precisionDigits = digits();
        }
        const QString spec = format.mid(i, j - i + 1);
        if (j >= format.size() || !QStringLiteral("diuxXoeEfFgGsc").contains(format.at(j)) ||
            widthDigits > 3 || precisionDigits > 2)
            c.fail(Texts::UnsupportedFormat(spec));
        if (argument >= c.count())
            c.fail(Texts::TooFewFormatArguments);
        out += Converted(c, spec, format.at(j), argument++);
        i = j;
    }
    return Value(out);
}

Value NumToStr(Call& c)
{
    return Value(
        FormatNumber(c.arg(0).last(), c.number(1, 1.3), c.flag(2, true), c.flag(3, false)));
}

// The part of s from `start`, `count` characters long, both clamped to the text.
QString Part(const QString& s, Number start, Number count)
{
    const qsizetype from = qsizetype(std::clamp<Number>(start, 0, Number(s.size())));
    const qsizetype length =
        count < 0 ? s.size() - from : qsizetype(std::clamp<Number>(count, 0, Number(s.size())));
    return s.mid(from, length);
}

} // namespace

QString FormatNumber(Number x, Number format, bool separator, bool roundAndPad)
{
    if (IsNull(x))
        return NumberText(x);
    if (format == FormatDateTime || format == FormatDateTimeIso) {
        const QString text = DateTimeText(x);
        const bool midnight = std::fmod(x, 86400) == 0;
        return format == FormatDateTime && midnight ? text.left(10) : text;
    }
    const Number whole = std::floor(std::fabs(format));
    const int width = int(std::min<Number>(whole, 100));
    const int decimals =
        int(std::clamp<Number>(std::round((std::fabs(format) - whole) * 10), 0, 9));
    QString text = Digits(roundAndPad ? RoundToSeven(x) : x, decimals);
    if (separator)
        text = Grouped(text);
    return text.rightJustified(width);
}

void AddTextFunctions(Library& library)
{
    for (const QString& name : {u"NumToStr"_s, u"WriteVal"_s})
        library.add(name, 1, 4, {K::Numeric, K::Number}, NumToStr);
    library.add(u"StrFormat"_s, 1, -1, {K::String, K::Any}, StrFormat);
    library.add(u"WriteIf"_s, 3, 3, {K::Numeric, K::String},
                [](Call& c) { return Value(IsTrue(c.arg(0).last()) ? c.string(1) : c.string(2)); });
    library.add(u"StrLen"_s, 1, 1, {K::String},
                [](Call& c) { return Value(Number(c.string(0).size())); });
    library.add(u"StrLeft"_s, 2, 2, {K::String, K::Number}, [](Call& c) {
        return Value(Part(c.string(0), 0, std::max<Number>(c.number(1), 0)));
    });
    library.add(u"StrRight"_s, 2, 2, {K::String, K::Number}, [](Call& c) {
        const QString& s = c.string(0);
        const Number count = std::clamp<Number>(c.number(1), 0, Number(s.size()));
        return Value(s.right(qsizetype(count)));
    });
    library.add(u"StrMid"_s, 2, 3, {K::String, K::Number},
                [](Call& c) { return Value(Part(c.string(0), c.number(1), c.number(2, -1))); });
    library.add(u"StrFind"_s, 2, 2, {K::String}, [](Call& c) {
        return Value(Number(c.string(0).indexOf(c.string(1), 0, Qt::CaseInsensitive) + 1));
    });
    library.add(u"StrToNum"_s, 1, 1, {K::String}, [](Call& c) {
        bool ok = false;
        const Number x = QLocale::c().toDouble(c.string(0).trimmed(), &ok);
        return Value(ok && std::isfinite(x) ? x : 0.0);
    });
    library.add(u"StrToUpper"_s, 1, 1, {K::String},
                [](Call& c) { return Value(c.string(0).toUpper()); });
    library.add(u"StrToLower"_s, 1, 1, {K::String},
                [](Call& c) { return Value(c.string(0).toLower()); });
}

} // namespace Sim
