#pragma once
// The step titles and hint texts of the six wizard pages.

#include <QString>
#include <QStringList>

namespace Dymki {

/// Title of the wizard page (0 to 5) for the title panel; empty for any other index.
QString StepTitle(int page);
/// Hint text of the wizard page (0 to 5), line breaks as CR LF; empty for any other index.
QString StepHint(int page);
/// Fills titles and hints with the six texts each, index = page index.
void FillStepTexts(QStringList& titles, QStringList& hints);

} // namespace Dymki
