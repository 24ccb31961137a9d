#include "html/TableText.h"
#include "html/GeneratedTextBox.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

using namespace html;

namespace {

const char* kStartingTag =
    "<table width = \"75%\" border=\"1\" cellspacing=\"0\" cellpadding=\"0\" >";

TableFields startingFields(const QString& align = "center") {
    return {"75", "Percent", "1", "0", "0", align};
}

std::string cellLine(const char* background, const char* text, const char* alignAttr) {
    return std::string("   <td bgcolor=\"") + background + "\"" + alignAttr + "><font color=\"" +
           text + "\">&nbsp;</font></td>";
}

} // namespace

TEST(TableHtml, IsTheChequerOfTheTwoCodesStartingWithColourTwoWithRowsAndCellsOfTheFields) {
    const char* center = " align=\"center\"";
    const std::string c21 = cellLine("#FFCC00", "#336699", center);
    const std::string c12 = cellLine("#336699", "#FFCC00", center);
    EXPECT_EQ(tableHtml(startingFields(), 2, 2, "#336699", "#FFCC00").toStdString(),
              kStartingTag + ("\r\n  <tr>\r\n" + c21 + "\r\n" + c12 + "\r\n  </tr>\r\n  <tr>\r\n" +
                              c12 + "\r\n" + c21 + "\r\n  </tr>\r\n</table>"));
    // rows, columns, cells: no rows, at least one column, every parity of rows and columns
    const std::tuple<int, int, int> cases[] = {{-1, 5, 0}, {0, 3, 0}, {1, 0, 1}, {2, -4, 2},
                                               {1, 1, 1},  {2, 2, 4}, {3, 3, 9}, {4, 5, 20},
                                               {3, 4, 12}, {5, 1, 5}, {1, 6, 6}};
    for (const auto& [rows, columns, cells] : cases) {
        SCOPED_TRACE(testing::Message() << rows << "x" << columns);
        EXPECT_EQ(tableCellCount(rows, columns), cells);
        // codes of different lengths tell the two kinds of cell apart; "None" leaves the
        // alignment out, any other text goes into every cell as it stands
        for (const QString align : {"None", "none", "", "a much longer alignment text"}) {
            const TableFields fields = startingFields(align);
            const QString t = tableHtml(fields, rows, columns, "#1", "#12345");
            EXPECT_EQ(tableHtmlLength(fields, rows, columns, "#1", "#12345"), t.size())
                << align.toStdString();
            EXPECT_EQ(t.count("<td "), cells);
            EXPECT_EQ(t.count(" align=\"" + align + "\"><font"), align == "None" ? 0 : cells);
        }
    }
}

TEST(TableOpeningTag, AttributesFollowTheFieldsAndTheUnit) {
    // width, unit, border, spacing, padding and the tag; only the exact unit names count
    const std::array<const char*, 6> cases[] = {
        {"600", "Pixels", "", "", "", "<table width = \"600\" >"},
        {"600", "pixels", "2", "", "", "<table border=\"2\" >"},
        {"", "Percent", "", "", "4", "<table cellpadding=\"4\" >"},
        {" 5 ", "Percent", "x", "-1", "a b",
         "<table width = \" 5 %\" border=\"x\" cellspacing=\"-1\" cellpadding=\"a b\" >"},
    };
    for (const auto& [width, unit, border, spacing, padding, tag] : cases) {
        const TableFields f{width, unit, border, spacing, padding, "center"};
        EXPECT_EQ(tableOpeningTag(f).toStdString(), tag) << width << "|" << unit;
    }
}

// "=" stands for "the field keeps its text"
TEST(SpinArrowsText, StepsTheFieldWithinItsLimits) {
    // text, after the down arrow, after the up arrow
    const std::array<const char*, 3> cases[] = {
        {"1", "0", "2"},   {"0", "=", "1"}, {"-5", "=", "-4"},   {"32767", "32766", "="},
        {"2.5", "1", "3"}, {"", "=", "="},  {"32768", "=", "="}, {"٣", "=", "="},
    };
    for (const auto& [text, down, up] : cases) {
        EXPECT_EQ(spinDown(QString::fromUtf8(text)).value_or("=").toStdString(), down) << text;
        EXPECT_EQ(spinUp(QString::fromUtf8(text)).value_or("=").toStdString(), up) << text;
    }
}

TEST(BoxLinesWithCrLf, JoinsBlocksAndSoftBreaksWithCrLf) {
    const QString raw = QStringLiteral("a") + QChar(QChar::ParagraphSeparator) +
                        QStringLiteral("b") + QChar(QChar::LineSeparator) + QStringLiteral("c") +
                        QChar(QChar::Nbsp) + QChar(QChar::ParagraphSeparator);
    EXPECT_EQ(boxLinesWithCrLf(raw),
              QStringLiteral("a\r\nb\r\nc") + QChar(QChar::Nbsp) + QStringLiteral("\r\n"));
}
