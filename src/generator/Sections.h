#pragma once
// The generated sections: header, declarations, limit functions, orders and signal plots.

#include "analysis/AnalysisContext.h"
#include "generator/GeneratorSettings.h"

#include <QList>
#include <QString>

namespace Afl {

/// The five text buffers of one generation; every line ends with CR LF.
struct Sections
{
    QString header; // after GenerateSections: the header followed by the declarations
    QString declaration;
    QString buy;
    QString sell;
    QString plot;
};

/// The header's date: today, or the day of SOURCE_DATE_EPOCH (seconds, UTC) when it is set,
/// in the system locale's short date format.
QString HeaderDate();

/// Header comment block, refresh, identity variables and the one-time initialisation block.
QString BuildHeaderSection(const GeneratorSettings& s, const QString& date);
/// Auxiliary variables, position size and the optional new-candle detector.
QString BuildDeclarationSection(const GeneratorSettings& s);
/// The limit argument ("0", a number, "BŁĄD") or the full text of function getLimit.
QString BuildLimitFunction(const GeneratorSettings& s);
/// The activation argument ("0", "BŁĄD") or the full text of function getLimAkt.
QString BuildActivationFunction(const GeneratorSettings& s);
/// Signal lines, the limit function texts and the buy order block.
QString BuildBuySection(const GeneratorSettings& s);
/// The sell order block.
QString BuildSellSection(const GeneratorSettings& s);
/// The PlotShapes lines that draw the generated signals.
QString BuildPlotSection(const GeneratorSettings& s);

/// Builds all sections, joins header and declarations and writes every reserved name as its
/// value; the security and account names inside string literals are left as they are.
Sections GenerateSections(const GeneratorSettings& s, const QList<Lex::ReservedName>& reserved,
                          const QString& date = HeaderDate());

} // namespace Afl
