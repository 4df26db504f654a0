#include "ui/Guard.h"

#include <exception>

#include <QMessageBox>

namespace Shell {

namespace {

ExceptionReporter& installed()
{
    static ExceptionReporter reporter;
    return reporter;
}

} // namespace

void setExceptionReporter(ExceptionReporter reporter)
{
    installed() = std::move(reporter);
}

void reportException(const QString& text)
{
    if (installed()) {
        // A reporter that fails itself must not take the program down.
        try {
            installed()(text);
            return;
        } catch (...) {
        }
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Orvanta"), text, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void guarded(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& e) {
        reportException(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        reportException(QString());
    }
}

} // namespace Shell
