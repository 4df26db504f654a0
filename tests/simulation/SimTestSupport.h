#pragma once
// Values written as test tables write them: 5, N (Null), 'text', [1 2 N], none.

#include "simulation/Value.h"

#include <cmath>

#include <QFile>
#include <QLocale>
#include <QStringList>

namespace SimTest {

inline Sim::Number ParseNumber(QStringView text, bool* ok)
{
    if (text == u"N") {
        *ok = true;
        return Sim::Null;
    }
    return QLocale::c().toDouble(text, ok);
}

/// A literal of the tables; an unreadable one is none.
inline Sim::Value ParseLiteral(QStringView text)
{
    text = text.trimmed();
    if (text.size() >= 2 && text.front() == u'\'' && text.back() == u'\'')
        return Sim::Value(text.sliced(1, text.size() - 2).toString());
    if (text.startsWith(u'[') && text.endsWith(u']')) {
        Sim::Array values;
        for (QStringView item : text.sliced(1, text.size() - 2).split(u' ', Qt::SkipEmptyParts)) {
            bool ok = false;
            values.append(ParseNumber(item, &ok));
        }
        return Sim::Value(values);
    }
    bool ok = false;
    const Sim::Number x = ParseNumber(text, &ok);
    return ok ? Sim::Value(x) : Sim::Value();
}

inline QString Show(const Sim::Value& v)
{
    switch (v.kind()) {
    case Sim::Value::Kind::Number:
        return Sim::NumberText(v.number());
    case Sim::Value::Kind::String:
        return u'\'' + v.string() + u'\'';
    case Sim::Value::Kind::Array: {
        QStringList items;
        for (Sim::Number x : v.array())
            items.append(Sim::IsNull(x) ? QStringLiteral("N") : QString::number(x, 'g', 10));
        return u'[' + items.join(u' ') + u']';
    }
    case Sim::Value::Kind::None:
        break;
    }
    return QStringLiteral("none");
}

/// Same kind and, for numbers, equal within `tolerance` (Null only to Null).
inline bool Matches(const Sim::Value& actual, const Sim::Value& expected, double tolerance)
{
    auto near = [tolerance](Sim::Number a, Sim::Number b) {
        if (Sim::IsNull(a) || Sim::IsNull(b))
            return Sim::IsNull(a) && Sim::IsNull(b);
        return std::fabs(a - b) <= tolerance * std::max(1.0, std::fabs(b) * 1e-9);
    };
    if (actual.kind() != expected.kind())
        return false;
    switch (actual.kind()) {
    case Sim::Value::Kind::Number:
        return near(actual.number(), expected.number());
    case Sim::Value::Kind::String:
        return actual.string() == expected.string();
    case Sim::Value::Kind::Array:
        if (actual.array().size() != expected.array().size())
            return false;
        for (qsizetype i = 0; i < actual.array().size(); ++i)
            if (!near(actual.array()[i], expected.array()[i]))
                return false;
        return true;
    case Sim::Value::Kind::None:
        break;
    }
    return true;
}

/// Empty when `run` gives what `expected` says: "error: " and the message it throws, or a
/// value matching `want`; otherwise what it gave instead.
template <typename Run>
QString Mismatch(Run run, const QString& expected, const Sim::Value& want, double tolerance)
{
    QString error;
    Sim::Value actual;
    try {
        actual = run();
    } catch (const Sim::RunError& e) {
        error = e.message();
    }
    if (expected.startsWith(u"error: "))
        return error == expected.mid(7) ? QString() : QStringLiteral("error: ") + error;
    if (!error.isEmpty())
        return error;
    if (!Matches(actual, want, tolerance))
        return Show(actual) + QStringLiteral(" != ") + Show(want);
    return QString();
}

inline QString ReadTestFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

} // namespace SimTest
