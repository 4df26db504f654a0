#pragma once
// Numbers as NumToStr writes them.

#include "simulation/Value.h"

#include <QString>

namespace Sim {

/// The formats formatDateTime and formatDateTimeISO of NumToStr.
inline constexpr Number FormatDateTime = -1;
inline constexpr Number FormatDateTimeIso = -2;

/// NumToStr: `format` w.d gives at least w characters (padded with blanks on the left) and d
/// decimals (0 to 9); thousands separated by ',' when `separator`; seven significant digits
/// when `roundAndPad`; "{EMPTY}" for Null. The date-time formats write "2024-03-15 09:30:00"
/// (formatDateTime leaves out a midnight time).
QString FormatNumber(Number x, Number format = 1.3, bool separator = true,
                     bool roundAndPad = false);

} // namespace Sim
