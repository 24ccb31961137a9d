#pragma once

#include <QWidget>

#include <array>
#include <functional>

class GeneratedTextBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace html {

class SpinArrows;

/// The table generator tableins ("Insert Table"): number fields with spin arrows, width unit
/// and alignment lists, and a box that receives a chequered table in the first two scheme
/// colours. Closing it discards it with everything typed into it.
class TableInsertWindow : public QWidget {
    Q_OBJECT
public:
    /// Reads the HTML code of scheme colour k (1 or 2) at the moment "OK" is pressed.
    using HtmlCodeReader = std::function<QString(int k)>;

    TableInsertWindow(QWidget* owner, HtmlCodeReader htmlCode);

    /// Text1 indexes of the number fields.
    static constexpr int kRows = 0;
    static constexpr int kCellSpacing = 4;
    static constexpr int kCellPadding = 5;
    static constexpr int kBorder = 6;
    static constexpr int kWidth = 7;
    static constexpr int kColumns = 8;

private:
    void Text1_Change(int index);
    void Combo1_Click();
    /// The down and up arrows beside the number field Text1[index].
    void spinDownClick(int index);
    void spinUpClick(int index);
    void cmdok_Click();
    void cmdclipboard_Click();
    void cmdcancel_Click();

    std::array<QLineEdit*, 9> Text1{};
    SpinArrows* UpDown1 = nullptr;
    SpinArrows* UpDown2 = nullptr;
    SpinArrows* UpDown3 = nullptr;
    SpinArrows* UpDown4 = nullptr;
    SpinArrows* UpDown5 = nullptr;
    SpinArrows* UpDown6 = nullptr;
    QComboBox* Combo1 = nullptr;
    QComboBox* cmbtalign = nullptr;
    GeneratedTextBox* tablehtml = nullptr;
    QPushButton* cmdok = nullptr;
    QPushButton* cmdcancel = nullptr;
    QPushButton* cmdclipboard = nullptr;

    void Form_Load();
    /// Empty "Rows" and "Columns" fields become "1"; nothing else changes.
    void fillEmptyCounts();
    void markField(int index);

    HtmlCodeReader m_htmlCode;
};

} // namespace html
