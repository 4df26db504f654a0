#pragma once
// The settings block every generated section is written from, and its capture from the options.

#include <QLocale>
#include <QString>

namespace Afl {

// The modes of the settings block. Each holds the item index its option had, None when the
// option had no selection; a value beyond the named ones is kept as it is.

enum class TickerMode
{
    None = -1,
    FromChart = 0,
    Defined = 1,
};

enum class AccountMode
{
    None = -1,
    Automatic = 0,
    Defined = 1,
};

enum class SignalMode
{
    None = -1,
    CurrentCandle = 0,
    PreviousCandle = 1,
};

enum class IntervalMode
{
    None = -1,
    FromChart = 0,
    Standard = 1,
    Seconds = 2,
    Ticks = 3,
};

enum class PositionMode
{
    None = -1,
    TargetSize = 0, // buy up to the target size or value, sell everything
    UserCode = 1,   // the size is written by the user's own code
};

enum class PositionUnit
{
    None = -1,
    Shares = 0,
    Value = 1,
};

enum class OrderMode
{
    None = -1,
    NoLimit = 0, // PKC
    Limit = 1,   // a limit price in zł/pkt
    Percent = 2, // a limit as a percent deviation
};

enum class ReferenceMode
{
    None = -1,
    ReferencePrice = 0, // the previous day's close
    LastTrade = 1,
    OtherPrice = 2,
};

/// Off unless the activation limit is chosen; then the unit's item index plus one.
enum class ActivationMode
{
    Off = 0,
    Percent = 1,
    Amount = 2, // in zł/pkt
};

/// The safety switches of the wrapped script; all off by default.
struct SafetySwitches
{
    /// No plug-in call: orders go to the log and onto the chart, the holding is simulated.
    bool testMode = false;
    /// Orders go out only while a toggle in the chart's parameters is on.
    bool masterSwitch = false;
    /// Every call of an order function is written to the log with the plug-in's answer.
    bool orderLog = false;
    /// At most this many orders a day; 0 for no cap.
    int dailyCap = 0;

    bool any() const { return testMode || masterSwitch || orderLog || dailyCap > 0; }
    bool operator==(const SafetySwitches&) const = default;
};

struct GeneratorSettings
{
    TickerMode tickerMode = TickerMode::FromChart;
    QString tickerName;
    AccountMode accountMode = AccountMode::Automatic;
    QString accountName;
    SignalMode signalMode = SignalMode::CurrentCandle;
    bool showSignals = false;
    bool refresh = true;
    int refreshSeconds = 1;
    bool reverseOnly = false;
    bool oneOrderPerBar = false;
    IntervalMode intervalMode = IntervalMode::FromChart;
    int interval = 0;
    PositionMode positionMode = PositionMode::TargetSize;
    PositionUnit positionUnit = PositionUnit::Shares;
    int positionCount = 0;
    double positionValue = 0;
    OrderMode orderMode = OrderMode::NoLimit;
    double limitValue = 0;
    ReferenceMode referenceMode = ReferenceMode::ReferencePrice;
    double otherPrice = 0;
    ActivationMode activationMode = ActivationMode::Off;
    double activationValue = 0;
    bool comments = false;
    bool peg = false;
    SafetySwitches switches;

    /// The limit of the orders is computed by the generated function getLimit.
    bool limitIsFunction() const { return orderMode == OrderMode::Percent; }
    /// The activation limit is computed by the generated function getLimAkt.
    bool activationIsFunction() const
    {
        return activationMode != ActivationMode::Off &&
               referenceMode >= ReferenceMode::ReferencePrice &&
               referenceMode <= ReferenceMode::OtherPrice;
    }

    bool operator==(const GeneratorSettings&) const = default;
};

/// A plain snapshot of the option controls that capture reads.
struct OptionSnapshot
{
    struct Check
    {
        bool checked = false;
        bool enabled = false;
    };
    int rgTicker = -1;
    QString edName;
    int rgAccount = -1;
    QString edAccount;
    int rgSignals = -1;
    Check cbShow;
    Check cbRefresh;
    int csRefresh = 1;
    Check cbReverse;
    Check cbOneSignal;
    int rgInterval = -1;
    int cbIntSecs = -1;
    int csIntSecs = 0;
    int csIntTicks = 0;
    int rgHowPosition = -1;
    int rgPositions = -1;
    int csCount = 0;
    int csValue = 0;
    int rgOrders = -1;
    QString edValDev;
    QString edCentDev;
    int rgDeviation = -1;
    QString edOtherPrice;
    Check cbLimAkt;
    int rgCentPkt = -1;
    QString edLimAkt;
    bool cbComments = false;
    bool cbPEG = false;
    bool cbTestMode = false;
    bool cbSwitch = false;
    bool cbOrderLog = false;
    bool cbDailyCap = false;
    int csDailyCap = 10;
    QLocale locale = QLocale::system();
};

/// Fills the settings block from the snapshot by the capture rules; the one place where the
/// options' item indexes become modes.
GeneratorSettings CaptureSettings(const OptionSnapshot& options);

} // namespace Afl
