#pragma once
// Lines the start-up of the window writes to standard error.

#include <QString>

namespace Shell::StartupTexts {

inline const QString TooManyArguments =
    QStringLiteral("orvanta: za dużo argumentów: okno otwiera najwyżej jeden plik projektu");
inline const QString NoDisplay =
    QStringLiteral("orvanta: nie można otworzyć okna: brak połączenia z ekranem");

} // namespace Shell::StartupTexts
