#pragma once

#include <QWidget>

#include <array>

class GeneratedTextBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace scheme {
class SchemeModel;
} // namespace scheme

namespace html {

class SpinArrows;

/// The table generator tableins ("Insert Table"): number fields with spin arrows, width unit
/// and alignment lists, and a box that receives a chequered table in the first two scheme
/// colours. Closing it discards it with everything typed into it.
class TableInsertWindow : public QWidget {
    Q_OBJECT
public:
    /// The table takes the HTML codes of scheme colours 1 and 2 from the model as they are
    /// when "OK" is pressed; the model outlives the window.
    TableInsertWindow(const scheme::SchemeModel& model, QWidget* owner);

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

    const scheme::SchemeModel& m_model;
};

} // namespace html
