// Quotes files to bars, or to the line and reason of the first fault.

#include "SimTestSupport.h"
#include "simulation/DateTime.h"
#include "simulation/Quotes.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

QString Bar(const Sim::Bars& b, qsizetype i)
{
    return u"%1 %2 %3 %4 %5 %6 %7"_s.arg(Sim::DateTimeText(b.dateTime[i]))
        .arg(b.open[i])
        .arg(b.high[i])
        .arg(b.low[i])
        .arg(b.close[i])
        .arg(b.volume[i])
        .arg(b.openInterest[i]);
}

// "ticker | interval | bars | first bar | last bar", or the message.
QString Summary(const Sim::QuotesRead& read)
{
    if (!read.ok())
        return read.message();
    const Sim::Quotes& q = read.quotes;
    return u"%1 | %2 | %3 | %4 | %5"_s.arg(q.ticker)
        .arg(q.interval)
        .arg(q.bars.size())
        .arg(Bar(q.bars, 0), Bar(q.bars, q.bars.size() - 1));
}

} // namespace

class TestQuotes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void read_data();
    void read();
};

void TestQuotes::read_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, const char* text, const char* expected) {
        QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(expected);
    };

    // Accepted files.
    row("english comma",
        "Date,Time,Open,High,Low,Close,Volume\n"
        "2024-03-15,09:00,10,11,9,10.5,100\n"
        "2024-03-15,09:05,10.5,12,10,11.5,150\n"
        "2024-03-15,09:10,11.5,12.5,11,12,120\n",
        " | 300 | 3 | 2024-03-15 09:00:00 10 11 9 10.5 100 0 | "
        "2024-03-15 09:10:00 11.5 12.5 11 12 120 0");
    row("polish semicolon, decimal comma",
        "Walor;Data;Czas;Otwarcie;Najwyższy;Najniższy;Zamknięcie;Wolumen\r\n"
        "DEMO;14.03.2024;16:55:00;10,5;11;9,5;10;1200\r\n"
        "DEMO;15.03.2024;09:00:00;10;10.75;9,75;10,25;900\r\n",
        "DEMO | 57900 | 2 | 2024-03-14 16:55:00 10.5 11 9.5 10 1200 0 | "
        "2024-03-15 09:00:00 10 10.75 9.75 10.25 900 0");
    row("angle brackets",
        "<TICKER>,<PER>,<DTYYYYMMDD>,<TIME>,<OPEN>,<HIGH>,<LOW>,<CLOSE>,<VOL>,<OPENINT>\n"
        "KGHM,5,20240315,90000,100,101,99,100.5,2000,7\n"
        "KGHM,5,20240315,090500,100.5,102,100,101,1800,8\n"
        "KGHM,5,20240315,091500,101,103,100.5,102.5,2500,9\n"
        "KGHM,5,20240315,092000,102.5,103,101,101.5,1500,9\n",
        "KGHM | 300 | 4 | 2024-03-15 09:00:00 100 101 99 100.5 2000 7 | "
        "2024-03-15 09:20:00 102.5 103 101 101.5 1500 9");
    row("tab, daily, no time",
        "date\topen\thigh\tlow\tclose\n"
        "20240314\t1,5\t2\t1\t1,75\n"
        "20240315\t1,75\t2\t1,5\t2\n"
        "20240318\t2\t2,5\t2\t2,25\n"
        "20240319\t2,25\t3\t2\t3\n",
        " | 86400 | 4 | 2024-03-14 00:00:00 1.5 2 1 1.75 0 0 | "
        "2024-03-19 00:00:00 2.25 3 2 3 0 0");
    row("exported with date and time together",
        "\xEF\xBB\xBFTicker,Date/Time,Open,High,Low,Close,Volume,Open Interest\n"
        "DEMO,2024-03-15 09:00:00,10,11,9,10.5,100,0\n"
        "DEMO,2024-03-15 09:05:00,10.5,12,10,11.5,150,0\n",
        "DEMO | 300 | 2 | 2024-03-15 09:00:00 10 11 9 10.5 100 0 | "
        "2024-03-15 09:05:00 10.5 12 10 11.5 150 0");
    row("polish export with date and time together",
        "Walor;Data/Czas;Otwarcie;Najwyzszy;Najnizszy;Zamkniecie\n"
        "DEMO;15.03.2024 09:00;10;11;9;10,5\n",
        "DEMO | 0 | 1 | 2024-03-15 09:00:00 10 11 9 10.5 0 0 | "
        "2024-03-15 09:00:00 10 11 9 10.5 0 0");
    row("quoted fields, trailing separator, blank lines",
        "\n\"Date\",\"Time\",\"Open\",\"High\",\"Low\",\"Close\",\n"
        "\"2024-03-15\",\"09:00\",\"10\",\"11\",\"9\",\"10.5\",\n\n"
        "\"2024-03-15\",\"10:00\",\"10\",\"11\",\"9\",\"10.5\",\n\n\n",
        " | 3600 | 2 | 2024-03-15 09:00:00 10 11 9 10.5 0 0 | "
        "2024-03-15 10:00:00 10 11 9 10.5 0 0");
    row("most common gap, shorter on a tie",
        "Date,Time,Open,High,Low,Close\n"
        "2024-03-15,09:00,1,1,1,1\n2024-03-15,09:10,1,1,1,1\n2024-03-15,09:15,1,1,1,1\n"
        "2024-03-15,09:25,1,1,1,1\n2024-03-15,09:30,1,1,1,1\n",
        " | 300 | 5 | 2024-03-15 09:00:00 1 1 1 1 0 0 | 2024-03-15 09:30:00 1 1 1 1 0 0");

    // Refused files: the line and the reason.
    row("empty", "", "plik nie zawiera notowań");
    row("header only", "Date,Open,High,Low,Close\n\n", "plik nie zawiera notowań");
    row("no header", "2024-03-15,10,11,9,10.5\n",
        "wiersz 1: brak wiersza nagłówka z nazwami kolumn (np. Data;Czas;Otwarcie;Najwyzszy;"
        "Najnizszy;Zamkniecie;Wolumen)");
    row("missing close", "Date;Open;High;Low;Volume\n",
        "wiersz 1: w nagłówku brak kolumny Close (Zamkniecie)");
    row("missing date", "\nTime,Open,High,Low,Close\n",
        "wiersz 2: w nagłówku brak kolumny Date (Data)");
    row("repeated column", "Date,Open,Otwarcie,High,Low,Close\n",
        "wiersz 1: kolumna Open (Otwarcie) powtarza się w nagłówku");
    row("bad date", "Date,Open,High,Low,Close\n2024-02-29,1,1,1,1\n2023-02-29,1,1,1,1\n",
        "wiersz 3: niepoprawna data „2023-02-29”");
    row("american date", "Date,Open,High,Low,Close\n3/15/2024,1,1,1,1\n",
        "wiersz 2: niepoprawna data „3/15/2024”");
    row("bad time", "Date,Time,Open,High,Low,Close\n2024-03-15,24:00,1,1,1,1\n",
        "wiersz 2: niepoprawny czas „24:00”");
    row("empty time", "Date,Time,Open,High,Low,Close\n2024-03-15,,1,1,1,1\n",
        "wiersz 2: niepoprawny czas „”");
    row("bad number", "Date;Open;High;Low;Close\n2024-03-15;1;1,5x;1;1\n",
        "wiersz 2: niepoprawna liczba „1,5x” w kolumnie High");
    row("decimal comma with comma separator", "Date,Open,High,Low,Close\n2024-03-15,1,1,1,1,5\n",
        "wiersz 2: liczba pól 6 zamiast 5");
    row("missing field", "Date;Open;High;Low;Close\n2024-03-15;1;1;1\n",
        "wiersz 2: liczba pól 4 zamiast 5");
    row("high below low", "Date,Open,High,Low,Close\n2024-03-15,1,1,2,1\n",
        "wiersz 2: cena najwyższa jest niższa od najniższej");
    row("same time twice",
        "Date,Time,Open,High,Low,Close\n2024-03-15,09:00,1,1,1,1\n\n"
        "2024-03-15,09:00:00,1,1,1,1\n",
        "wiersz 4: notowanie nie jest późniejsze od notowania z wiersza 2");
    row("earlier bar",
        "Date,Open,High,Low,Close\n2024-03-15,1,1,1,1\n2024-03-16,1,1,1,1\n"
        "2024-03-14,1,1,1,1\n",
        "wiersz 4: notowanie nie jest późniejsze od notowania z wiersza 3");
    row("other ticker",
        "Ticker,Date,Open,High,Low,Close\nDEMO,2024-03-15,1,1,1,1\nKGHM,2024-03-16,1,1,1,1\n",
        "wiersz 3: inny walor („KGHM”) niż w pierwszym notowaniu („DEMO”)");
    row("time in both columns", "Date,Time,Open,High,Low,Close\n2024-03-15 09:00,09:00,1,1,1,1\n",
        "wiersz 2: niepoprawna data „2024-03-15 09:00”");
}

void TestQuotes::read()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const Sim::QuotesRead read = Sim::ReadQuotes(text);
    QCOMPARE(Summary(read), expected);
    // All or nothing: a refused file leaves no bars behind.
    if (!read.ok())
        QCOMPARE(read.quotes.bars.size(), 0);
}

QTEST_GUILESS_MAIN(TestQuotes)
#include "tst_quotes.moc"
