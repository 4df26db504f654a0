// Constants: True, False, Null, colours, shapes, styles, intervals, stops, formats and chart
// options (numbering in docs/decisions/simulation.md).

#include "simulation/Environment.h"
#include "simulation/Library.h"
#include "simulation/TextFormat.h"

using namespace Qt::Literals::StringLiterals;

namespace Sim {

namespace {

// Names numbered from `first` in the order given.
void AddNumbered(Library& library, std::initializer_list<const char*> names, int first)
{
    int value = first;
    for (const char* name : names)
        library.addConstant(QString::fromLatin1(name), Value(Number(value++)));
}

// Names given one bit each, from 1 upwards.
void AddFlags(Library& library, std::initializer_list<const char*> names)
{
    qint64 bit = 1;
    for (const char* name : names) {
        library.addConstant(QString::fromLatin1(name), Value(Number(bit)));
        bit <<= 1;
    }
}

} // namespace

void AddConstants(Library& library)
{
    library.addConstant(u"True"_s, Value(1.0));
    library.addConstant(u"False"_s, Value(0.0));
    library.addConstant(u"Null"_s, Value(Null));

    library.addConstant(u"colorDefault"_s, Value(-1.0));
    AddNumbered(library,
                {"colorCustom1", "colorCustom2", "colorCustom3", "colorCustom4", "colorCustom5",
                 "colorCustom6", "colorCustom7", "colorCustom8", "colorCustom9", "colorCustom10",
                 "colorCustom11", "colorCustom12", "colorCustom13", "colorCustom14",
                 "colorCustom15", "colorCustom16"},
                0);
    AddNumbered(
        library,
        {"colorBlack",         "colorBrown",       "colorDarkOliveGreen", "colorDarkGreen",
         "colorDarkTeal",      "colorDarkBlue",    "colorIndigo",         "colorDarkGrey",
         "colorDarkRed",       "colorOrange",      "colorDarkYellow",     "colorGreen",
         "colorTeal",          "colorBlue",        "colorBlueGrey",       "colorGrey40",
         "colorRed",           "colorLightOrange", "colorLime",           "colorSeaGreen",
         "colorAqua",          "colorLightBlue",   "colorViolet",         "colorGrey50",
         "colorPink",          "colorGold",        "colorYellow",         "colorBrightGreen",
         "colorTurquoise",     "colorSkyblue",     "colorPlum",           "colorLightGrey",
         "colorRose",          "colorTan",         "colorLightYellow",    "colorPaleGreen",
         "colorPaleTurquoise", "colorPaleBlue",    "colorLavender",       "colorWhite"},
        16);

    AddNumbered(library,
                {"shapeNone",
                 "shapeUpArrow",
                 "shapeDownArrow",
                 "shapeHollowUpArrow",
                 "shapeHollowDownArrow",
                 "shapeSmallUpTriangle",
                 "shapeSmallDownTriangle",
                 "shapeHollowSmallUpTriangle",
                 "shapeHollowSmallDownTriangle",
                 "shapeUpTriangle",
                 "shapeDownTriangle",
                 "shapeHollowUpTriangle",
                 "shapeHollowDownTriangle",
                 "shapeSmallSquare",
                 "shapeHollowSmallSquare",
                 "shapeSquare",
                 "shapeHollowSquare",
                 "shapeSmallCircle",
                 "shapeHollowSmallCircle",
                 "shapeCircle",
                 "shapeHollowCircle",
                 "shapeStar",
                 "shapeHollowStar",
                 "shapeDigit0",
                 "shapeDigit1",
                 "shapeDigit2",
                 "shapeDigit3",
                 "shapeDigit4",
                 "shapeDigit5",
                 "shapeDigit6",
                 "shapeDigit7",
                 "shapeDigit8",
                 "shapeDigit9"},
                0);

    AddFlags(library,
             {"styleLine",          "styleHistogram",      "styleThick",     "styleDots",
              "styleNoLine",        "styleDashed",         "styleCandle",    "styleBar",
              "styleNoTitle",       "styleStaircase",      "styleSwingDots", "styleNoRescale",
              "styleNoLabel",       "stylePointAndFigure", "styleArea",      "styleOwnScale",
              "styleLeftAxisScale", "styleNoDraw",         "styleLog",       "styleCloud",
              "styleClipMinMax",    "styleGradient"});
    AddFlags(library, {"chartShowArrows", "chartShowDates", "chartLogarithmic", "chartGridMiddle",
                       "chartGrid30", "chartGrid70", "chartWrapTitle", "chartHideQuoteMarker"});

    for (const auto& [name, seconds] : {std::pair{"in1Minute", 60}, std::pair{"in5Minute", 300},
                                        std::pair{"in15Minute", 900}, std::pair{"inHourly", 3600}})
        library.addConstant(QString::fromLatin1(name), Value(Number(seconds)));
    library.addConstant(u"inDaily"_s, Value(InDaily));
    library.addConstant(u"inWeekly"_s, Value(InWeekly));
    library.addConstant(u"inMonthly"_s, Value(InMonthly));

    AddNumbered(library, {"stopTypeLoss", "stopTypeProfit", "stopTypeTrailing", "stopTypeNBar"}, 0);
    AddNumbered(library, {"stopModeDisable", "stopModePercent", "stopModePoint", "stopModeBars"},
                0);

    library.addConstant(u"formatDateTime"_s, Value(FormatDateTime));
    library.addConstant(u"formatDateTimeISO"_s, Value(FormatDateTimeIso));
}

} // namespace Sim
