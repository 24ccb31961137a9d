#pragma once

#include <QPointer>
#include <QWidget>

class QLineEdit;
class QPushButton;

namespace ui {
class Swatch;
}

namespace tools {

class SafeColorMap;

/// The window convert ("Convert Color Codes"): a code typed as "#RRGGBB", "R-G-B" or a
/// decimal value is shown in every notation and as a swatch. "&Pick Color" takes the code
/// from the web-safe map instead and converts it once the map closes.
class ConvertWindow : public QWidget {
    Q_OBJECT
public:
    explicit ConvertWindow(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    /// Converts the source field's code into every other field.
    void convert();
    /// Opens the web-safe map, or brings the open one forward.
    void pickColor();
    /// Takes the code the map handed over as the source and converts it.
    void convertPicked(const QString& code);

    QLineEdit* m_sourceField = nullptr;
    QLineEdit* m_decimalField = nullptr;
    QLineEdit* m_htmlField = nullptr;
    QLineEdit* m_webSafeField = nullptr;
    QLineEdit* m_redField = nullptr;
    QLineEdit* m_greenField = nullptr;
    QLineEdit* m_blueField = nullptr;
    ui::Swatch* m_swatch = nullptr;
    QPushButton* m_convertButton = nullptr;
    /// The web-safe map while it is open from this window, else null.
    QPointer<SafeColorMap> m_map;
};

} // namespace tools
