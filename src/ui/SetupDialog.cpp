#include "ui/SetupDialog.h"

#include "project/TfmSetup.h"
#include "ui/ButtonWidget.h"
#include "ui/DialogStyle.h"
#include "ui/EditWidget.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace Shell {

SetupDialog::SetupDialog(TfmSetup& model, QWidget* parent)
    : QDialog(parent)
    , m_model(model)
{
    setObjectName(QStringLiteral("fmSetup"));
    setWindowTitle(model.page.caption());
    setFont(DialogStyle::tahomaPoints(10));
    DialogStyle::makeFixed(this, ClientSize);

    auto* projectDir = new EditWidget(&model.leProjectDir, this);
    projectDir->setGeometry(24, 48, 369, 24);
    labelFor(projectDir, model.leProjectDir.label());
    auto* bitBtn1 = new ButtonWidget(&model.BitBtn1, this);
    bitBtn1->setGeometry(408, 48, 25, 25);

    auto* aflDir = new EditWidget(&model.leAFLDir, this);
    aflDir->setGeometry(24, 104, 369, 24);
    labelFor(aflDir, model.leAFLDir.label());
    auto* bitBtn2 = new ButtonWidget(&model.BitBtn2, this);
    bitBtn2->setGeometry(408, 104, 25, 25);

    auto* button3 = new ButtonWidget(&model.Button3, this);
    button3->setGeometry(24, 134, 369, 25);
    auto* button4 = new ButtonWidget(&model.Button4, this);
    button4->setGeometry(24, 192, 369, 25);

    auto* button1 = new ButtonWidget(&model.Button1, this);
    button1->setGeometry(120, 256, 75, 25);
    button1->setDefault(true);
    auto* button2 = new ButtonWidget(&model.Button2, this);
    button2->setGeometry(256, 256, 75, 25);

    // The buttons' own connections run the model's command first; then the dialog closes.
    connect(button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(button2, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(projectDir, bitBtn1);
    setTabOrder(bitBtn1, aflDir);
    setTabOrder(aflDir, bitBtn2);
    setTabOrder(bitBtn2, button3);
    setTabOrder(button3, button4);
    setTabOrder(button4, button1);
    setTabOrder(button1, button2);
}

QLabel* SetupDialog::labelFor(EditWidget* edit, const QString& text)
{
    // A labelled edit's label sits right above it, as wide as the edit.
    auto* label = new QLabel(text, this);
    label->setObjectName(edit->objectName() + QStringLiteral("Label"));
    label->setTextFormat(Qt::PlainText);
    label->setBuddy(edit);
    const int height = label->sizeHint().height();
    label->setGeometry(edit->x(), edit->y() - height - 3, edit->width(), height);
    return label;
}

void SetupDialog::setVisible(bool visible)
{
    if (visible && !isVisible()) {
        QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
        QRect area;
        if (owner && owner->isVisible())
            area = owner->frameGeometry();
        else if (QScreen* screen = QGuiApplication::primaryScreen())
            area = screen->availableGeometry();
        if (area.isValid())
            DialogStyle::centreOn(this, area);
    }
    QDialog::setVisible(visible);
}

void SetupDialog::closeEvent(QCloseEvent* event)
{
    // The close box is "&Cancel": nothing is written and nothing is undone.
    m_model.Button2Click();
    QDialog::closeEvent(event);
}

} // namespace Shell
