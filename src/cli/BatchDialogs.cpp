#include "cli/BatchDialogs.h"

namespace Cli {

App::Answer BatchDialogs::message(const QString& caption, const QString& text, App::Buttons buttons,
                                  App::Icon)
{
    m_messages.append({caption, text});
    switch (buttons) {
    case App::Buttons::Ok:
        return App::Answer::Ok;
    case App::Buttons::YesNo:
        return App::Answer::No;
    case App::Buttons::YesNoCancel:
        return App::Answer::Cancel;
    }
    return App::Answer::Cancel;
}

bool BatchDialogs::run(App::FileDialog& dialog)
{
    m_fileDialogs.append(dialog.title);
    return false;
}

} // namespace Cli
