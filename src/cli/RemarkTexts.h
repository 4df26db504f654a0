#pragma once
// Remark texts of loading and generation that the check prints as the window shows them.

#include <QString>

namespace Cli::RemarkTexts {

inline const QString MissingBuy =
    QStringLiteral("W oryginalnym kodzie AFL brakuje definicji sygnału BUY!");
inline const QString MissingSell =
    QStringLiteral("W oryginalnym kodzie AFL brakuje definicji sygnału SELL!");
inline const QString PluginHeading =
    QStringLiteral("W oryginalnum kodzie AFL znaleziono wywołania następujących funkcji plugina:");
inline const QString PluginRemove =
    QStringLiteral("Należy usunąć wszelkie odwołania do funkcji plugina");
inline const QString NotEditable =
    QStringLiteral("Skrypt AFL nie może być redagowany za pomocą tego edytora!");
inline const QString PluginFound = QStringLiteral("Znaleziono odwołania do funkcji plugina!");
inline const QString NotLoaded = QStringLiteral("Uwaga! Nie został wczytany kod AFL");

inline const QString RemovalHeading =
    QStringLiteral("\r\nZ oryginalnego kodu usunięto wywołania następujących funkcji (liczba z "
                   "prawej pokazuje liczbę wywołań)");
inline const QString RemovalClosing =
    QStringLiteral("Funkcje te zostały usunięte z powodu wystąpienia potencjalnych kolizji z "
                   "kodem dodanym przez edytor.");
inline const QString WarningHeading =
    QStringLiteral("\r\nW kodzie AFL wykryto następujące wywołania:");
inline const QString WarningClosing =
    QStringLiteral("Funkcje te mogą być potencjalnym źródłem błędnego działania kodu wynikowego.");
inline const QString NoBuyDefinition =
    QStringLiteral("\r\nNie można odnaleźć definicji sygnału BUY!");
inline const QString NoSellDefinition =
    QStringLiteral("\r\nNie można odnaleźć definicji sygnału SELL!");
inline const QString CannotGenerate =
    QStringLiteral("\r\nNie można wygenerować poprawnego kodu AFL.");

} // namespace Cli::RemarkTexts
