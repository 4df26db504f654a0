#include "ui/InfoDialog.h"

#include "project/TfmInfo.h"
#include "ui/DialogStyle.h"
#include "ui/RichTextRenderer.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextEdit>

namespace Shell {

InfoDialog::InfoDialog(TfmInfo& model, QWidget* parent)
    : QDialog(parent)
    , m_model(model)
{
    setObjectName(QStringLiteral("fmInfo"));
    setWindowTitle(TfmInfo::Caption);
    setFont(DialogStyle::tahomaPixels(10));
    DialogStyle::makeFixed(this, ClientSize);

    staticText(QStringLiteral("StaticText1"), TfmInfo::StaticText1, QRect(8, 24, 136, 25));
    staticText(QStringLiteral("StaticText2"), TfmInfo::StaticText2, QRect(8, 72, 136, 19));
    QLabel* contact =
        staticText(QStringLiteral("StaticText3"), TfmInfo::StaticText3, QRect(8, 206, 136, 43));
    contact->setWordWrap(true);
    contact->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    contact->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(40, 120, 63, 65);
    image->setScaledContents(true);
    image->setAlignment(Qt::AlignCenter);
    QImageReader reader(logoPath());
    const QImage logo = reader.read();
    if (!logo.isNull())
        image->setPixmap(QPixmap::fromImage(logo));
    else
        qWarning("Logo %s: %s", qPrintable(logoPath()), qPrintable(reader.errorString()));

    auto* close = new QPushButton(TfmInfo::Button1, this);
    close->setObjectName(QStringLiteral("Button1"));
    close->setFont(DialogStyle::tahomaPixels(12));
    close->setGeometry(40, 276, 72, 19);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    m_reInfo = new QTextEdit(this);
    m_reInfo->setObjectName(QStringLiteral("reInfo"));
    m_reInfo->setGeometry(150, 0, 373, 324);
    m_reInfo->setReadOnly(true);
    m_reInfo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_reInfo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_reInfo->setLineWrapMode(QTextEdit::WidgetWidth);
    QPalette palette = m_reInfo->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, palette.color(group, QPalette::ToolTipBase));
        palette.setColor(group, QPalette::Text, palette.color(group, QPalette::ToolTipText));
    }
    m_reInfo->setPalette(palette);
    m_reInfo->document()->setDefaultFont(font());
    // Bullets one indent step (10 points) from the left edge, as the rich-text view sets them;
    // Qt's default step of 40 pixels would waste a ninth of the narrow view.
    m_reInfo->document()->setIndentWidth(RichTextRenderer::pointsToPixels(10));

    setTabOrder(close, m_reInfo);
}

QLabel* InfoDialog::staticText(const QString& name, const QString& text, const QRect& geometry)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setFont(DialogStyle::tahomaPixels(12));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

void InfoDialog::setVisible(bool visible)
{
    if (visible && !isVisible()) {
        // The text is rebuilt on every show, so it never accumulates.
        m_model.FormShow();
        RichTextRenderer::render(m_model.reInfo, m_reInfo->document());
        m_reInfo->moveCursor(QTextCursor::Start);
        m_reInfo->verticalScrollBar()->setValue(0);
        QScreen* screen = parentWidget() ? parentWidget()->window()->screen() : nullptr;
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        if (screen)
            DialogStyle::centreOn(this, screen->availableGeometry());
    }
    QDialog::setVisible(visible);
}

} // namespace Shell
