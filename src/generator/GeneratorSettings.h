#pragma once
// The settings block every generated section is written from, and its capture from the options.

#include <QLocale>
#include <QString>

namespace Afl {

struct GeneratorSettings
{
    int tickerMode = 0;
    QString tickerName;
    int accountMode = 0;
    QString accountName;
    int signalMode = 0;
    bool showSignals = false;
    bool refresh = true;
    int refreshSeconds = 1;
    bool reverseOnly = false;
    bool oneOrderPerBar = false;
    int intervalMode = 0;
    int interval = 0;
    int positionMode = 0;
    int positionUnit = 0;
    int positionCount = 0;
    double positionValue = 0;
    int orderMode = 0;
    double limitValue = 0;
    int referenceMode = 0;
    double otherPrice = 0;
    int activationMode = 0;
    double activationValue = 0;
    bool comments = false;
    bool peg = false;

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
    QLocale locale = QLocale::system();
};

/// Fills the settings block from the snapshot by the capture rules.
GeneratorSettings CaptureSettings(const OptionSnapshot& options);

} // namespace Afl
