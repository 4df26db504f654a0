// Number texts of the generator: "%lg" with a point, the locale's general form, locale input.

#include "generator/FormatReal.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <random>

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// What printf "%lg" writes, with the C locale's decimal separator turned back into a point.
QString PrintfLg(double x)
{
    char buffer[99];
    std::snprintf(buffer, sizeof buffer, "%lg", x);
    QString text = QString::fromLatin1(buffer);
    const QString point = QString::fromLocal8Bit(std::localeconv()->decimal_point);
    if (point != u"."_s)
        text.replace(point, u"."_s);
    return text;
}

} // namespace

class TestFormatReal : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formatReal_data();
    void formatReal();
    void formatRealMatchesPrintf();
    void formatRealIgnoresCLocale();
    void formatLocaleReal_data();
    void formatLocaleReal();
    void localeTextToReal_data();
    void localeTextToReal();
};

void TestFormatReal::formatReal_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("integer") << 20.0 << u"20"_s;
    QTest::newRow("zero") << 0.0 << u"0"_s;
    QTest::newRow("fraction") << 105.5 << u"105.5"_s;
    QTest::newRow("percent factor") << 0.015 << u"0.015"_s;
    QTest::newRow("small fixed") << 0.0001 << u"0.0001"_s;
    QTest::newRow("below 1e-4") << 0.00001234 << u"1.234e-05"_s;
    QTest::newRow("just below 1e6") << 999999.0 << u"999999"_s;
    QTest::newRow("rounds up to 1e6") << 999999.5 << u"1e+06"_s;
    QTest::newRow("million") << 1000000.0 << u"1e+06"_s;
    QTest::newRow("rounded digits") << 1234567.0 << u"1.23457e+06"_s;
    QTest::newRow("negative") << -12.5 << u"-12.5"_s;
    QTest::newRow("six digits") << 3.14159265 << u"3.14159"_s;
    QTest::newRow("three-digit exponent") << 1.5e300 << u"1.5e+300"_s;
}

void TestFormatReal::formatReal()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(Afl::FormatReal(value), text);
}

void TestFormatReal::formatRealMatchesPrintf()
{
    // Every magnitude from 1e-12 to 1e12, values near rounding boundaries and exact ties.
    std::mt19937_64 random(12345);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    QList<double> values = {0.5,          2.5,      1234565.0,           1234575.0, 0.000123456789,
                            9.9999995e-5, 99999.95, 0.30000000000000004, 1e-300,    4.9e-324};
    for (int exponent = -12; exponent <= 12; ++exponent) {
        for (int i = 0; i < 200; ++i) {
            const double x = mantissa(random) * std::pow(10.0, exponent);
            values << x << -x << std::round(x * 1e6) / 1e6;
        }
    }
    for (double x : std::as_const(values))
        QCOMPARE(Afl::FormatReal(x), PrintfLg(x));
}

void TestFormatReal::formatRealIgnoresCLocale()
{
    const QByteArray previous = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "pl_PL.UTF-8"))
        QSKIP("pl_PL.UTF-8 is not installed");
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%lg", 1.5);
    const QString printed = QString::fromLatin1(buffer);
    const QString formatted = Afl::FormatReal(1.5);
    std::setlocale(LC_NUMERIC, previous.constData());
    QCOMPARE(printed, u"1,5"_s);
    QCOMPARE(formatted, u"1.5"_s);
}

void TestFormatReal::formatLocaleReal_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    const QLocale polish(QLocale::Polish, QLocale::Poland);
    const QLocale c = QLocale::c();
    QTest::newRow("whole, pl") << 5000.0 << polish << u"5000"_s;
    QTest::newRow("billion, pl") << 1e9 << polish << u"1000000000"_s;
    QTest::newRow("billion, C") << 1e9 << c << u"1000000000"_s;
    QTest::newRow("fraction, pl") << 1.5 << polish << u"1,5"_s;
    QTest::newRow("fraction, C") << 1.5 << c << u"1.5"_s;
    QTest::newRow("15 digits") << 123456.789012345 << c << u"123456.789012345"_s;
    QTest::newRow("negative, pl") << -12.25 << polish << u"-12,25"_s;
}

void TestFormatReal::formatLocaleReal()
{
    QFETCH(double, value);
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QCOMPARE(Afl::FormatLocaleReal(value, locale), text);
}

void TestFormatReal::localeTextToReal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("value");
    const QLocale polish(QLocale::Polish, QLocale::Poland);
    const QLocale c = QLocale::c();
    QTest::newRow("comma under pl") << u"12,5"_s << polish << 12.5;
    QTest::newRow("comma under C") << u"12,5"_s << c << 0.0;
    QTest::newRow("point under C") << u"12.5"_s << c << 12.5;
    QTest::newRow("point under pl") << u"12.5"_s << polish << 0.0;
    QTest::newRow("grouped under C") << u"1,000"_s << c << 0.0;
    QTest::newRow("blanks around") << u" 7 "_s << c << 7.0;
    QTest::newRow("empty") << QString() << c << 0.0;
    QTest::newRow("letters") << u"abc"_s << polish << 0.0;
    QTest::newRow("negative") << u"-0,5"_s << polish << -0.5;
    QTest::newRow("exponent") << u"1e3"_s << c << 1000.0;
}

void TestFormatReal::localeTextToReal()
{
    QFETCH(QString, text);
    QFETCH(QLocale, locale);
    QFETCH(double, value);
    QCOMPARE(Afl::LocaleTextToReal(text, locale), value);
}

QTEST_GUILESS_MAIN(TestFormatReal)
#include "tst_formatreal.moc"
