#pragma once
// The About window "O programie": the view of TfmInfo.

#include <QDialog>

class TfmInfo;
class QLabel;
class QPushButton;
class QTextEdit;

namespace Shell {

/// Shows the program's name, author, logo and contact beside the information text, which
/// the model rebuilds on every show. "&Zamknij" and the close box close the window.
class InfoDialog : public QDialog
{
    Q_OBJECT
public:
    InfoDialog(TfmInfo& model, QWidget* parent = nullptr);

    TfmInfo& model() const { return m_model; }

    static constexpr QSize ClientSize{523, 324};
    /// The logo in the program's resources.
    static QString logoPath() { return QStringLiteral(":/logo.jpg"); }

    void setVisible(bool visible) override;

private:
    QLabel* staticText(const QString& name, const QString& text, const QRect& geometry);

    TfmInfo& m_model;
    QTextEdit* m_reInfo = nullptr;
};

} // namespace Shell
