#pragma once

#include <QString>

#include <cstdint>
#include <optional>

/// The chequered table of the table generator and the arithmetic of its number fields.
namespace html {

/// The texts of the table generator's attribute fields and lists, used exactly as typed.
struct TableFields {
    QString width;   ///< "Width" field; empty leaves the width out
    QString unit;    ///< width unit, "Percent" or "Pixels"; any other text leaves the width out
    QString border;  ///< "Border" field; empty leaves the border out
    QString spacing; ///< "Cell Spacing" field; empty leaves cellspacing out
    QString padding; ///< "Cell Padding" field; empty leaves cellpadding out
    QString align;   ///< cell alignment; "None" leaves it out, any other text is inserted
};

/// Longest table text generated, in characters: far beyond any real page, and still shown
/// by the text box at once.
constexpr int64_t kMaxTableLength = int64_t{4} * 1024 * 1024;

/// The opening tag: "<table", the attributes of the non-empty fields, then " >".
QString tableOpeningTag(const TableFields& fields);

/// Cells a table of these counts has: none for rows <= 0, at least one per row.
int64_t tableCellCount(int rows, int columns);

/// Length in characters of the text tableHtml gives for the same arguments, computed
/// without building it.
int64_t tableHtmlLength(const TableFields& fields, int rows, int columns, const QString& code1,
                        const QString& code2);

/// The table with CR LF between lines and none after "</table>". Rows <= 0 give no rows,
/// columns <= 0 one cell per row. A cell where row + column is even has background code2
/// and text code1, the others the reverse, so the top-left cell has background code2.
QString tableHtml(const TableFields& fields, int rows, int columns, const QString& code1,
                  const QString& code2);

/// A number field's text as a 16-bit whole number (blanks around it allowed, a fraction
/// rounded half to even); nothing when it is not one.
std::optional<int16_t> readFieldNumber(const QString& text);

/// The field's text after its down arrow; nothing when it keeps its text (below 1, or not a
/// number).
std::optional<QString> spinDown(const QString& text);

/// The field's text after its up arrow; nothing when it keeps its text (32767, or not a
/// number).
std::optional<QString> spinUp(const QString& text);

} // namespace html
