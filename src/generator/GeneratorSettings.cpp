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
    switch (options.rgInterval) {
    case 1:
        return StandardIntervalSeconds(options.cbIntSecs);
    case 2:
        return options.csIntSecs;
    case 3:
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
    s.tickerMode = options.rgTicker;
    s.tickerName = s.tickerMode != 0 ? options.edName : QString();
    s.accountMode = options.rgAccount;
    s.accountName = s.accountMode != 0 ? options.edAccount : QString();
    s.signalMode = options.rgSignals;
    s.showSignals = CheckedAndEnabled(options.cbShow);
    s.refresh = CheckedAndEnabled(options.cbRefresh);
    s.refreshSeconds = options.csRefresh;
    s.reverseOnly = CheckedAndEnabled(options.cbReverse);
    s.oneOrderPerBar = CheckedAndEnabled(options.cbOneSignal);
    s.intervalMode = options.rgInterval;
    s.interval = CaptureInterval(options);
    s.positionMode = options.rgHowPosition;
    s.positionUnit = options.rgPositions;
    s.positionCount = options.csCount;
    s.positionValue = options.csValue;
    s.orderMode = options.rgOrders;
    s.limitValue =
        LocaleTextToReal(s.orderMode == 1 ? options.edValDev : options.edCentDev, locale);
    s.referenceMode = options.rgDeviation;
    s.otherPrice = s.referenceMode == 2 ? LocaleTextToReal(options.edOtherPrice, locale) : 0;
    s.comments = options.cbComments;
    s.peg = options.cbPEG;
    // A PEG order never carries an activation limit.
    s.activationMode = CheckedAndEnabled(options.cbLimAkt) && !s.peg ? options.rgCentPkt + 1 : 0;
    s.activationValue = s.activationMode > 0 ? LocaleTextToReal(options.edLimAkt, locale) : 0;
    return s;
}

} // namespace Afl
