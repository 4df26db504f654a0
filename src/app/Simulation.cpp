#include "app/Simulation.h"

#include "app/SimulationTexts.h"
#include "generator/GeneratorTexts.h"
#include "generator/Switches.h"
#include "simulation/DateTime.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace App {

namespace Texts = SimulationTexts;

namespace {

const QString CrLf = u"\r\n"_s;

std::optional<QString> ReadInclude(const QString& path)
{
    const Platform::ReadResult read = Platform::ReadTextFile(path);
    return read.ok ? std::optional<QString>(read.text) : std::nullopt;
}

// A number as the log shows it: up to 15 significant digits, a decimal comma.
QString Number(Sim::Number x)
{
    if (Sim::IsNull(x))
        return QString();
    return QString::number(x, 'g', 15).replace(u'.', u',');
}

// The fields of a row, in the order of SimulationTexts::LogColumns.
QStringList Fields(const Sim::OrderRow& row)
{
    return {QString::number(row.bar + 1),
            Sim::DateTimeText(row.time),
            QString::number(row.run + 1),
            row.function,
            Sim::SideText(row.side),
            row.ticker,
            row.account,
            Number(row.quantity),
            Number(row.limit),
            Number(row.activation),
            row.answer,
            Number(row.holdingAfter),
            Sim::StatusText(row.status),
            row.reason};
}

QString CsvField(const QString& text)
{
    if (!text.contains(u';') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    return u'"' + QString(text).replace(u"\""_s, u"\"\""_s) + u'"';
}

QString CsvLine(const QStringList& fields)
{
    QStringList quoted;
    for (const QString& field : fields)
        quoted.append(CsvField(field));
    return quoted.join(u';') + CrLf;
}

// Remarks on a run that went through.
QStringList Warnings(const SimulationRequest& request, const Sim::ReplayResult& result)
{
    QStringList warnings;
    const auto asked = [&result](const QString& name) {
        return std::any_of(result.params.cbegin(), result.params.cend(), [&name](const auto& p) {
            return p.name.compare(name, Qt::CaseInsensitive) == 0;
        });
    };
    QStringList names = request.options.params.keys();
    names.sort(Qt::CaseInsensitive);
    for (const QString& name : names)
        if (!asked(name))
            warnings.append(Texts::UnusedParam(name));
    for (const Sim::ParamDefault& p : result.params)
        if (p.name == Afl::Texts::ToggleName && p.value == u"0"_s && result.counts.sent == 0)
            warnings.append(Texts::SwitchOff(p.name));
    return warnings;
}

} // namespace

std::optional<Sim::TracedOrder> ReadTracedOrder(const QString& text)
{
    namespace T = Afl::OrderTrace;
    const std::optional<T::Line> line = T::Read(text);
    if (!line)
        return std::nullopt;
    Sim::TracedOrder order;
    order.kind = line->kind == T::TestKind    ? Sim::TracedOrder::Kind::Test
                 : line->kind == T::OrderKind ? Sim::TracedOrder::Kind::Order
                                              : Sim::TracedOrder::Kind::Cap;
    order.side = line->buy ? Sim::OrderSide::Buy : Sim::OrderSide::Sell;
    order.ticker = line->security;
    order.quantity = line->quantity;
    order.limit = line->limit;
    order.activation = line->activation;
    order.last = line->last;
    return order;
}

SimulationOutcome RunSimulation(const SimulationRequest& request,
                                const Sim::ReplayProgress& progress)
{
    SimulationOutcome outcome;
    if (request.quotesPath.isEmpty()) {
        outcome.message = Texts::NoQuotesFile;
        return outcome;
    }
    const Platform::ReadResult file = Platform::ReadTextFile(request.quotesPath);
    if (!file.ok) {
        outcome.message = Texts::QuotesNotRead(request.quotesPath, file.error);
        return outcome;
    }
    Sim::QuotesRead quotes = Sim::ReadQuotes(file.text);
    if (!quotes.ok()) {
        outcome.message = Texts::QuotesNotRead(request.quotesPath, quotes.message());
        return outcome;
    }
    outcome.quotes = std::move(quotes.quotes);

    Sim::ReplayOptions options = request.options;
    options.readTrace = ReadTracedOrder;
    if (request.armed)
        options.params.insert(Afl::Texts::ToggleName, u"1"_s);
    const Sim::ScriptSource source{request.script, request.scriptFolder, ReadInclude};
    outcome.result = Sim::Replay(source, outcome.quotes, options, progress);

    const Sim::ReplayResult& result = outcome.result;
    switch (result.status) {
    case Sim::ReplayStatus::NotRun:
        outcome.status = SimulationStatus::Failed;
        outcome.message =
            Texts::NotRun(result.diagnostics.isEmpty() ? QString() : result.diagnostics[0].text());
        return outcome;
    case Sim::ReplayStatus::Failed:
        outcome.status = SimulationStatus::Failed;
        outcome.message = Texts::Stopped(result.failure ? result.failure->text() : QString());
        return outcome;
    case Sim::ReplayStatus::Cancelled:
        outcome.status = SimulationStatus::Cancelled;
        outcome.message = Texts::Cancelled(result.barsRun, int(outcome.quotes.bars.size()));
        return outcome;
    case Sim::ReplayStatus::Ran:
        break;
    }
    outcome.status = SimulationStatus::Ran;
    outcome.warnings = Warnings(request, result);
    return outcome;
}

QStringList OrderLogFields(const Sim::OrderRow& row)
{
    return Fields(row);
}

QString OrderLogCsv(const Sim::ReplayResult& result)
{
    QString csv = CsvLine(Texts::LogColumns);
    for (const Sim::OrderRow& row : result.orders)
        csv += CsvLine(Fields(row));
    return csv;
}

QString OrderLogTable(const Sim::ReplayResult& result)
{
    if (result.orders.isEmpty())
        return Texts::NoOrders + u'\n';
    QList<QStringList> rows{Texts::LogColumns};
    for (const Sim::OrderRow& row : result.orders)
        rows.append(Fields(row));
    // Columns that are empty in every row (account, answer, reason) are left out.
    const qsizetype columns = Texts::LogColumns.size();
    QList<qsizetype> widths(columns, 0);
    QList<bool> used(columns, false);
    for (qsizetype r = 0; r < rows.size(); ++r)
        for (qsizetype c = 0; c < columns; ++c) {
            widths[c] = std::max(widths[c], rows[r][c].size());
            used[c] = used[c] || (r > 0 && !rows[r][c].isEmpty());
        }
    QString table;
    for (const QStringList& row : rows) {
        QStringList cells;
        for (qsizetype c = 0; c < columns; ++c)
            if (used[c])
                cells.append(row[c].leftJustified(widths[c]));
        table += cells.join(u"  "_s).trimmed() + u'\n';
    }
    return table;
}

QString CountsText(const Sim::ReplayResult& result)
{
    QStringList lines{
        Texts::CountLine(Sim::StatusText(Sim::OrderStatus::Sent), result.counts.sent),
        Texts::CountLine(Sim::StatusText(Sim::OrderStatus::Refused), result.counts.refused),
        Texts::CountLine(Sim::StatusText(Sim::OrderStatus::TestMode), result.counts.testMode),
    };
    const int most = result.counts.mostPerBarAt;
    if (most >= 0) {
        QString at;
        for (const Sim::OrderRow& row : result.orders)
            if (row.bar == most) {
                at = Sim::DateTimeText(row.time);
                break;
            }
        lines.append(Texts::MostPerBar(result.counts.mostPerBar, most + 1, at));
    } else {
        lines.append(Texts::NoneWentOut);
    }
    lines.append(Texts::BarsRun(result.barsRun));
    if (!result.holdingByBar.isEmpty())
        lines.append(Texts::FinalHolding(Number(result.holdingByBar.last())));
    return lines.join(u'\n') + u'\n';
}

Platform::WriteResult WriteOrderLog(const QString& path, const Sim::ReplayResult& result)
{
    return Platform::WriteTextFile(path, OrderLogCsv(result));
}

} // namespace App
