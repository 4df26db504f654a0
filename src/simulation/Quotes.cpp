#include "simulation/Quotes.h"

#include "simulation/DateTime.h"
#include "simulation/SimTexts.h"

#include <cmath>
#include <optional>

#include <QHash>
#include <QList>
#include <QLocale>

using namespace Qt::Literals::StringLiterals;

namespace Sim {

namespace {

enum Column
{
    Ticker,
    Date,
    Time,
    Open,
    High,
    Low,
    Close,
    Volume,
    OpenInterest,
    ColumnCount
};

// The names a column is known by, after Folded(); the first two name it in messages.
struct ColumnNames
{
    Column column;
    QList<QString> names;
    QString shown;
};

const QList<ColumnNames>& KnownColumns()
{
    static const QList<ColumnNames> columns = {
        {Ticker, {u"ticker"_s, u"walor"_s, u"symbol"_s}, u"Ticker (Walor)"_s},
        {Date,
         {u"date"_s, u"data"_s, u"dtyyyymmdd"_s, u"dateymd"_s, u"date/time"_s, u"datetime"_s,
          u"data/czas"_s},
         u"Date (Data)"_s},
        {Time, {u"time"_s, u"czas"_s}, u"Time (Czas)"_s},
        {Open, {u"open"_s, u"otwarcie"_s}, u"Open (Otwarcie)"_s},
        {High, {u"high"_s, u"najwyzszy"_s}, u"High (Najwyzszy)"_s},
        {Low, {u"low"_s, u"najnizszy"_s}, u"Low (Najnizszy)"_s},
        {Close, {u"close"_s, u"zamkniecie"_s}, u"Close (Zamkniecie)"_s},
        {Volume, {u"volume"_s, u"vol"_s, u"wolumen"_s}, u"Volume (Wolumen)"_s},
        {OpenInterest, {u"openint"_s, u"openinterest"_s, u"oi"_s, u"lop"_s}, u"OpenInt (LOP)"_s},
    };
    return columns;
}

// A header name in lower case without Polish letters, keeping only letters, digits and '/'.
QString Folded(QStringView name)
{
    static const QString polish = u"ąćęłńóśźż"_s;
    static const QString plain = u"acelnoszz"_s;
    QString out;
    for (QChar ch : name) {
        ch = ch.toLower();
        const qsizetype at = polish.indexOf(ch);
        if (at >= 0)
            ch = plain.at(at);
        if ((ch >= u'a' && ch <= u'z') || (ch >= u'0' && ch <= u'9') || ch == u'/')
            out += ch;
    }
    return out;
}

// A field without the blanks and double quotes around it.
QStringView Unquoted(QStringView field)
{
    field = field.trimmed();
    if (field.size() >= 2 && field.front() == u'"' && field.back() == u'"')
        field = field.sliced(1, field.size() - 2).trimmed();
    return field;
}

bool AllDigits(QStringView text)
{
    for (QChar ch : text)
        if (ch < u'0' || ch > u'9')
            return false;
    return !text.isEmpty();
}

int Digits(QStringView text)
{
    return text.toInt();
}

struct CalendarDate
{
    int year = 0;
    int month = 0;
    int day = 0;
};

std::optional<CalendarDate> ParseDate(QStringView text)
{
    CalendarDate d;
    if (text.size() == 10 && text[4] == u'-' && text[7] == u'-' && AllDigits(text.sliced(0, 4)) &&
        AllDigits(text.sliced(5, 2)) && AllDigits(text.sliced(8, 2))) {
        d = {Digits(text.sliced(0, 4)), Digits(text.sliced(5, 2)), Digits(text.sliced(8, 2))};
    } else if (text.size() == 8 && AllDigits(text)) {
        d = {Digits(text.sliced(0, 4)), Digits(text.sliced(4, 2)), Digits(text.sliced(6, 2))};
    } else if (text.size() == 10 && text[2] == u'.' && text[5] == u'.' &&
               AllDigits(text.sliced(0, 2)) && AllDigits(text.sliced(3, 2)) &&
               AllDigits(text.sliced(6, 4))) {
        d = {Digits(text.sliced(6, 4)), Digits(text.sliced(3, 2)), Digits(text.sliced(0, 2))};
    } else {
        return std::nullopt;
    }
    if (!IsValidDate(d.year, d.month, d.day))
        return std::nullopt;
    return d;
}

// Seconds since midnight.
std::optional<int> ParseTime(QStringView text)
{
    int h = 0;
    int m = 0;
    int s = 0;
    if (AllDigits(text) && text.size() <= 6) {
        const int value = Digits(text);
        h = value / 10000;
        m = value / 100 % 100;
        s = value % 100;
    } else {
        const QList<QStringView> parts = text.split(u':');
        if (parts.size() < 2 || parts.size() > 3)
            return std::nullopt;
        for (QStringView part : parts)
            if (part.size() < 1 || part.size() > 2 || !AllDigits(part))
                return std::nullopt;
        if (parts[1].size() != 2 || (parts.size() == 3 && parts[2].size() != 2))
            return std::nullopt;
        h = Digits(parts[0]);
        m = Digits(parts[1]);
        s = parts.size() == 3 ? Digits(parts[2]) : 0;
    }
    if (h > 23 || m > 59 || s > 59)
        return std::nullopt;
    return h * 3600 + m * 60 + s;
}

std::optional<Number> ParseNumber(QStringView text, bool decimalComma)
{
    QString plain = text.toString();
    if (decimalComma)
        plain.replace(u',', u'.');
    bool ok = false;
    const double value = QLocale::c().toDouble(plain, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The most common gap between consecutive bars; the shorter gap on a tie.
qint64 MostCommonGap(const Array& times)
{
    QHash<qint64, int> counts;
    for (qsizetype i = 1; i < times.size(); ++i)
        ++counts[qint64(times[i] - times[i - 1])];
    qint64 best = 0;
    int bestCount = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > bestCount || (it.value() == bestCount && it.key() < best)) {
            best = it.key();
            bestCount = it.value();
        }
    }
    return best;
}

class Reader
{
public:
    QuotesRead read(QStringView text);

private:
    bool header(QStringView line);
    bool row(QStringView line);
    bool fail(const QString& reason)
    {
        m_result.reason = reason;
        return false;
    }

    QuotesRead m_result;
    int m_line = 0;
    QChar m_separator;
    bool m_decimalComma = false;
    qsizetype m_fieldCount = 0;
    int m_index[ColumnCount];
    int m_previousLine = 0;
};

QuotesRead Reader::read(QStringView text)
{
    if (text.startsWith(QChar(0xFEFF)))
        text = text.sliced(1);
    bool haveHeader = false;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\n' && text[end] != u'\r')
            ++end;
        const QStringView line = text.sliced(start, end - start);
        ++m_line;
        if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() &&
            text[end + 1] == u'\n')
            ++end;
        start = end + 1;
        if (line.trimmed().isEmpty())
            continue;
        m_result.line = m_line;
        if (!(haveHeader ? row(line) : header(line)))
            return m_result;
        haveHeader = true;
    }
    m_result.line = 0;
    if (m_result.quotes.bars.size() == 0) {
        m_result.reason = Texts::QuotesEmpty;
        return m_result;
    }
    m_result.quotes.interval = MostCommonGap(m_result.quotes.bars.dateTime);
    return m_result;
}

bool Reader::header(QStringView line)
{
    m_separator = line.contains(u'\t') ? u'\t' : line.contains(u';') ? u';' : u',';
    m_decimalComma = m_separator != u',';
    const QList<QStringView> names = line.split(m_separator);
    m_fieldCount = names.size();
    std::fill(std::begin(m_index), std::end(m_index), -1);
    bool known = false;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString name = Folded(Unquoted(names[i]));
        for (const ColumnNames& column : KnownColumns()) {
            if (!column.names.contains(name))
                continue;
            if (m_index[column.column] >= 0)
                return fail(Texts::QuotesRepeatedColumn(column.shown));
            m_index[column.column] = int(i);
            known = true;
        }
    }
    if (!known)
        return fail(Texts::QuotesNoHeader);
    for (const ColumnNames& column : KnownColumns()) {
        const bool optional =
            column.column == Ticker || column.column == Time || column.column >= Volume;
        if (!optional && m_index[column.column] < 0)
            return fail(Texts::QuotesMissingColumn(column.shown));
    }
    return true;
}

bool Reader::row(QStringView line)
{
    QList<QStringView> fields = line.split(m_separator);
    // A separator closing every line, as some exports write it.
    if (fields.size() == m_fieldCount + 1 && fields.last().trimmed().isEmpty())
        fields.removeLast();
    if (fields.size() != m_fieldCount)
        return fail(Texts::QuotesFieldCount(int(fields.size()), int(m_fieldCount)));
    auto field = [&](Column c) { return Unquoted(fields[m_index[c]]); };

    // The date, and the time when the date column holds it too.
    QStringView dateText = field(Date);
    QStringView timeText;
    const qsizetype gap =
        dateText.indexOf(u' ') >= 0 ? dateText.indexOf(u' ') : dateText.indexOf(u'T');
    if (gap >= 0) {
        timeText = dateText.sliced(gap + 1).trimmed();
        dateText = dateText.first(gap);
    }
    const std::optional<CalendarDate> date = ParseDate(dateText);
    if (!date)
        return fail(Texts::QuotesBadDate(field(Date).toString()));
    if (m_index[Time] >= 0) {
        if (!timeText.isEmpty())
            return fail(Texts::QuotesBadDate(field(Date).toString()));
        timeText = field(Time);
        if (timeText.isEmpty())
            return fail(Texts::QuotesBadTime(timeText.toString()));
    }
    int seconds = 0;
    if (!timeText.isEmpty()) {
        const std::optional<int> time = ParseTime(timeText);
        if (!time)
            return fail(Texts::QuotesBadTime(timeText.toString()));
        seconds = *time;
    }

    Number values[ColumnCount] = {};
    for (Column c : {Open, High, Low, Close, Volume, OpenInterest}) {
        if (m_index[c] < 0)
            continue;
        const std::optional<Number> value = ParseNumber(field(c), m_decimalComma);
        if (!value) {
            const QString shown = KnownColumns()[c].shown;
            return fail(
                Texts::QuotesBadNumber(field(c).toString(), shown.left(shown.indexOf(u' '))));
        }
        values[c] = *value;
    }
    if (values[High] < values[Low])
        return fail(Texts::QuotesHighBelowLow);

    Quotes& quotes = m_result.quotes;
    if (m_index[Ticker] >= 0) {
        const QString ticker = field(Ticker).toString();
        if (quotes.bars.size() == 0)
            quotes.ticker = ticker;
        else if (ticker != quotes.ticker)
            return fail(Texts::QuotesOtherTicker(ticker, quotes.ticker));
    }
    const Number dateTime = EncodeDateTime(date->year, date->month, date->day) + seconds;
    if (quotes.bars.size() > 0 && dateTime <= quotes.bars.dateTime.constLast())
        return fail(Texts::QuotesNotInOrder(m_previousLine));
    m_previousLine = m_line;

    Bars& bars = quotes.bars;
    bars.open.append(values[Open]);
    bars.high.append(values[High]);
    bars.low.append(values[Low]);
    bars.close.append(values[Close]);
    bars.volume.append(values[Volume]);
    bars.openInterest.append(values[OpenInterest]);
    bars.dateTime.append(dateTime);
    return true;
}

} // namespace

Bars Bars::first(qsizetype count) const
{
    if (count >= size())
        return *this;
    return {open.first(count),    high.first(count),   low.first(count),
            close.first(count),   volume.first(count), openInterest.first(count),
            dateTime.first(count)};
}

QString QuotesRead::message() const
{
    return line > 0 ? Texts::QuotesLine(line, reason) : reason;
}

QuotesRead ReadQuotes(QStringView text)
{
    QuotesRead result = Reader().read(text);
    if (!result.ok())
        result.quotes = Quotes();
    return result;
}

} // namespace Sim
