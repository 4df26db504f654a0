#pragma once
// The fixed catalogue of AFL identifiers (resources/catalogue.txt) and the names of its lines.

#include <QString>
#include <QStringList>

namespace Lex {

/// The 505 catalogue lines in order, read once from the embedded resource.
const QStringList& FunctionCatalogueLines();

/// The part of a catalogue line before its first blank (the whole line when it has none).
QString CatalogueName(const QString& line);

} // namespace Lex
