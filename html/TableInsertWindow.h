#pragma once

#include <QWidget>

#include <array>

class GeneratedTextBox;
class QComboBox;
class QLineEdit;

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

    /// Indexes of the number fields, as their object names Text1[index] carry them.
    static constexpr int kRows = 0;
    static constexpr int kCellSpacing = 4;
    static constexpr int kCellPadding = 5;
    static constexpr int kBorder = 6;
    static constexpr int kWidth = 7;
    static constexpr int kColumns = 8;

private:
    /// Empty "Rows" and "Columns" fields become "1"; nothing else changes.
    void fillEmptyCounts();
    /// The down and up arrows beside the number field of that index.
    void stepDown(int index);
    void stepUp(int index);
    void generateTable();
    void copyTable();
    void markField(int index);

    /// The number fields by the indexes above; the other places stay empty.
    std::array<QLineEdit*, 9> m_numberFields{};
    QComboBox* m_unitCombo = nullptr;
    QComboBox* m_alignCombo = nullptr;
    GeneratedTextBox* m_tableBox = nullptr;
    const scheme::SchemeModel& m_model;
};

} // namespace html
