#include "TableText.h"

#include "core/Numeric.h"

#include <algorithm>
#include <limits>

namespace html {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString cell(const QString& background, const QString& text, const QString& align) {
    QString s = QStringLiteral("   <td bgcolor=\"") + background + QStringLiteral("\"");
    if (align != QLatin1String("None"))
        s += QStringLiteral(" align=\"") + align + QStringLiteral("\"");
    s += QStringLiteral("><font color=\"") + text + QStringLiteral("\">&nbsp;</font></td>") + kCrLf;
    return s;
}

} // namespace

QString tableOpeningTag(const TableFields& fields) {
    QString s = QStringLiteral("<table");
    if (!fields.width.isEmpty() && fields.unit == QLatin1String("Percent"))
        s += QStringLiteral(" width = \"") + fields.width + QStringLiteral("%\"");
    if (!fields.width.isEmpty() && fields.unit == QLatin1String("Pixels"))
        s += QStringLiteral(" width = \"") + fields.width + QStringLiteral("\"");
    if (!fields.border.isEmpty())
        s += QStringLiteral(" border=\"") + fields.border + QStringLiteral("\"");
    if (!fields.spacing.isEmpty())
        s += QStringLiteral(" cellspacing=\"") + fields.spacing + QStringLiteral("\"");
    if (!fields.padding.isEmpty())
        s += QStringLiteral(" cellpadding=\"") + fields.padding + QStringLiteral("\"");
    s += QStringLiteral(" >");
    return s;
}

int64_t tableCellCount(int rows, int columns) {
    if (rows <= 0)
        return 0;
    return int64_t{rows} * std::max(columns, 1);
}

int64_t tableHtmlLength(const TableFields& fields, int rows, int columns, const QString& code1,
                        const QString& code2) {
    const int64_t tagAndEnd = tableOpeningTag(fields).size() + kCrLf.size() + 8; // "</table>"
    if (rows <= 0)
        return tagAndEnd;
    const int64_t perRow = kCrLf.size() + 6 + kCrLf.size() + 7; // "  <tr>", "  </tr>"
    const int64_t cellsPerRow = std::max(columns, 1);
    // a cell where row + column is even: half the cells of even rows, half rounded up of
    // odd ones
    const int64_t evenCells =
        int64_t{rows} / 2 * (cellsPerRow / 2) + (int64_t{rows} + 1) / 2 * ((cellsPerRow + 1) / 2);
    const int64_t oddCells = int64_t{rows} * cellsPerRow - evenCells;
    return tagAndEnd + int64_t{rows} * perRow +
           evenCells * cell(code2, code1, fields.align).size() +
           oddCells * cell(code1, code2, fields.align).size();
}

QString tableHtml(const TableFields& fields, int rows, int columns, const QString& code1,
                  const QString& code2) {
    const QString rowStart = kCrLf + QStringLiteral("  <tr>") + kCrLf;
    const QString rowEnd = QStringLiteral("  </tr>");
    const QString evenCell = cell(code2, code1, fields.align);
    const QString oddCell = cell(code1, code2, fields.align);
    const int cellsPerRow = std::max(columns, 1);

    QString s = tableOpeningTag(fields);
    const int64_t length = tableHtmlLength(fields, rows, columns, code1, code2);
    if (length < std::numeric_limits<int>::max())
        s.reserve(static_cast<qsizetype>(length));
    for (int i = 1; i <= rows; ++i) {
        s += rowStart;
        for (int j = 1; j <= cellsPerRow; ++j)
            s += (i + j) % 2 == 0 ? evenCell : oddCell;
        s += rowEnd;
    }
    s += kCrLf + QStringLiteral("</table>");
    return s;
}

std::optional<int16_t> readFieldNumber(const QString& text) {
    return core::readInt16(text.toStdString());
}

std::optional<QString> spinDown(const QString& text) {
    const auto v = readFieldNumber(text);
    if (!v || *v - 1 < 0)
        return std::nullopt;
    return QString::number(*v - 1);
}

std::optional<QString> spinUp(const QString& text) {
    const auto v = readFieldNumber(text);
    if (!v || *v == std::numeric_limits<int16_t>::max())
        return std::nullopt;
    return QString::number(*v + 1);
}

} // namespace html
