#include "generator/GeneratorSettings.h"

#include "generator/FormatReal.h"

#include <iterator>

namespace Afl {

namespace {

bool CheckedAndEnabled(const OptionSnapshot::Check& check)
{
    return check.checked && check.enabled;
}

// Seconds of the standard intervals, by cbIntSecs item index.
int StandardIntervalSeconds(int index)
{
    static constexpr int seconds[] = {86400, 3600, 900, 300, 60, 15, 5, 1};
    if (index < 0 || index >= int(std::size(seconds)))
        return 0;
    return seconds[index];
}

int CaptureInterval(const OptionSnapshot& options)
{
    switch (IntervalMode(options.rgInterval)) {
    case IntervalMode::Standard:
        return StandardIntervalSeconds(options.cbIntSecs);
    case IntervalMode::Seconds:
        return options.csIntSecs;
    case IntervalMode::Ticks:
        return -options.csIntTicks;
    default:
        return 0;
    }
}

} // namespace

GeneratorSettings CaptureSettings(const OptionSnapshot& options)
{
    const QLocale& locale = options.locale;
    GeneratorSettings s;
    s.tickerMode = TickerMode(options.rgTicker);
    s.tickerName = s.tickerMode != TickerMode::FromChart ? options.edName : QString();
    s.accountMode = AccountMode(options.rgAccount);
    s.accountName = s.accountMode != AccountMode::Automatic ? options.edAccount : QString();
    s.signalMode = SignalMode(options.rgSignals);
    s.showSignals = CheckedAndEnabled(options.cbShow);
    s.refresh = CheckedAndEnabled(options.cbRefresh);
    s.refreshSeconds = options.csRefresh;
    s.reverseOnly = CheckedAndEnabled(options.cbReverse);
    s.oneOrderPerBar = CheckedAndEnabled(options.cbOneSignal);
    s.intervalMode = IntervalMode(options.rgInterval);
    s.interval = CaptureInterval(options);
    s.positionMode = PositionMode(options.rgHowPosition);
    s.positionUnit = PositionUnit(options.rgPositions);
    s.positionCount = options.csCount;
    s.positionValue = options.csValue;
    s.orderMode = OrderMode(options.rgOrders);
    s.limitValue = LocaleTextToReal(
        s.orderMode == OrderMode::Limit ? options.edValDev : options.edCentDev, locale);
    s.referenceMode = ReferenceMode(options.rgDeviation);
    s.otherPrice = s.referenceMode == ReferenceMode::OtherPrice
                       ? LocaleTextToReal(options.edOtherPrice, locale)
                       : 0;
    s.comments = options.cbComments;
    s.peg = options.cbPEG;
    // A PEG order never carries an activation limit.
    s.activationMode = CheckedAndEnabled(options.cbLimAkt) && !s.peg
                           ? ActivationMode(options.rgCentPkt + 1)
                           : ActivationMode::Off;
    s.activationValue =
        s.activationMode > ActivationMode::Off ? LocaleTextToReal(options.edLimAkt, locale) : 0;
    s.switches.testMode = options.cbTestMode;
    s.switches.masterSwitch = options.cbSwitch;
    s.switches.orderLog = options.cbOrderLog;
    s.switches.dailyCap = options.cbDailyCap ? options.csDailyCap : 0;
    return s;
}

} // namespace Afl
