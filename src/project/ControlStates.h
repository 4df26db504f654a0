#pragma once
// Saving and restoring the states of a page's direct controls in a profile file section.

#include "project/ProfileFile.h"

namespace Controls {
class Page;
}

namespace Definicje {

/// What a load does with a control whose key the file lacks.
enum class MissingKey
{
    ReadDefault, // the default of its kind: empty text, unchecked, 0
    Keep,        // the control keeps its state
};

/// Restores each direct control of page that persistence knows (edits, check boxes, spin
/// edits, radio groups, combo boxes, page controls) from the key named like it, through the
/// control's normal setter, so that its handler runs when the value changes.
void LoadControlStates(const ProfileFile& file, const Controls::Page& page,
                       const QString& section = QStringLiteral("DATA"),
                       MissingKey missing = MissingKey::ReadDefault);
/// Writes the state of each such control: texts whole, 1/0 for check boxes (grayed is 0),
/// integers in signed decimal (-1 for no selection).
void SaveControlStates(ProfileFile& file, const Controls::Page& page,
                       const QString& section = QStringLiteral("DATA"));

} // namespace Definicje
