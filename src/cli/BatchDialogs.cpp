#include "cli/BatchDialogs.h"

namespace Cli {

App::Answer BatchDialogs::message(const QString& caption, const QString& text, App::Buttons buttons,
                                  App::Icon)
{
    m_messages.append({caption, text});
    return App::Declined(buttons);
}

bool BatchDialogs::run(App::FileDialog& dialog)
{
    m_fileDialogs.append(dialog.title);
    return false;
}

} // namespace Cli
