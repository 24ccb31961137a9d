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
    void cmdconvert_Click();
    void cmdpickcolor_Click();
    void cmdclose_Click();

    QLineEdit* makeField(const QString& name, int x, int y, int w);
    QPushButton* makeButton(const QString& name, const QString& text, const QRect& place);
    void makeLabel(const QString& name, const QString& text, int x, int y);
    void pickerClosed(SafeColorMap* map, bool picked);

    QLineEdit* txtsource = nullptr;
    QLineEdit* txtrgb = nullptr;
    QLineEdit* txthtml = nullptr;
    QLineEdit* txtwebsafe = nullptr;
    QLineEdit* txtr = nullptr;
    QLineEdit* txtg = nullptr;
    QLineEdit* txtb = nullptr;
    ui::Swatch* piccolor = nullptr;
    QPushButton* cmdconvert = nullptr;
    QPushButton* cmdpickcolor = nullptr;
    QPushButton* cmdclose = nullptr;
    /// The web-safe map while it is open from this window, else null.
    QPointer<SafeColorMap> m_map;
};

} // namespace tools
