#include "html/TableText.h"
#include "html/GeneratedTextBox.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>

using namespace html;

namespace {

const QString kCode1 = "#336699";
const QString kCode2 = "#FFCC00";
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

TEST(TableHtml, IsTheChequerOfTheTwoCodesStartingWithColourTwo) {
    const char* center = " align=\"center\"";
    const std::string c21 = cellLine("#FFCC00", "#336699", center);
    const std::string c12 = cellLine("#336699", "#FFCC00", center);
    EXPECT_EQ(tableHtml(startingFields(), 2, 2, kCode1, kCode2).toStdString(),
              kStartingTag + ("\r\n  <tr>\r\n" + c21 + "\r\n" + c12 + "\r\n  </tr>\r\n  <tr>\r\n" +
                              c12 + "\r\n" + c21 + "\r\n  </tr>\r\n</table>"));
    EXPECT_EQ(tableHtml(startingFields(), 1, 3, kCode1, kCode2).toStdString(),
              kStartingTag + ("\r\n  <tr>\r\n" + c21 + "\r\n" + c12 + "\r\n" + c21 +
                              "\r\n  </tr>\r\n</table>"));
    EXPECT_EQ(tableHtml(startingFields(), 0, 5, kCode1, kCode2).toStdString(),
              kStartingTag + std::string("\r\n</table>"));
}

TEST(TableHtml, RowAndCellCountsFollowTheFields) {
    const struct {
        int rows, columns, cells;
    } cases[] = {{-1, 5, 0}, {-32768, 5, 0}, {3, 0, 3},        {3, -7, 3},
                 {4, 5, 20}, {3, 4, 12},     {32767, 1, 32767}};
    for (const auto& c : cases) {
        const QString text = tableHtml(startingFields(), c.rows, c.columns, kCode1, kCode2);
        EXPECT_EQ(text.count("<td "), c.cells) << c.rows << "x" << c.columns;
        EXPECT_EQ(text.count("  </tr>"), std::max(c.rows, 0)) << c.rows;
        EXPECT_EQ(tableCellCount(c.rows, c.columns), c.cells) << c.rows << "x" << c.columns;
        // codes of different lengths tell the two kinds of cell apart; "None" leaves the
        // alignment out, any other text goes into every cell as it stands
        for (const QString align : {"None", "none", "", "a much longer alignment text"}) {
            const TableFields fields = startingFields(align);
            const QString t = tableHtml(fields, c.rows, c.columns, "#1", "#12345");
            EXPECT_EQ(tableHtmlLength(fields, c.rows, c.columns, "#1", "#12345"), t.size())
                << c.rows << "x" << c.columns << " " << align.toStdString();
            EXPECT_EQ(t.count(" align=\"" + align + "\"><font"), align == "None" ? 0 : c.cells);
            EXPECT_EQ(t.count(" align="), align == "None" ? 0 : c.cells);
        }
    }
    EXPECT_EQ(tableCellCount(32767, 32767), int64_t{32767} * 32767);
}

TEST(TableOpeningTag, AttributesFollowTheFieldsAndTheUnit) {
    const struct {
        const char *width, *unit, *border, *spacing, *padding, *tag;
    } cases[] = {
        {"75", "Percent", "1", "0", "0", kStartingTag},
        {"600", "Pixels", "", "", "", "<table width = \"600\" >"},
        {"600", "pixels", "", "", "", "<table >"},
        {"600", "Pixels ", "", "", "", "<table >"},
        {"600", "", "2", "", "", "<table border=\"2\" >"},
        {"", "Percent", "", "", "", "<table >"},
        {"", "Pixels", "", "3", "", "<table cellspacing=\"3\" >"},
        {"", "Percent", "", "", "4", "<table cellpadding=\"4\" >"},
        {" 5 ", "Percent", "x", "-1", "a b",
         "<table width = \" 5 %\" border=\"x\" cellspacing=\"-1\" cellpadding=\"a b\" >"},
    };
    for (const auto& c : cases) {
        const TableFields f{c.width, c.unit, c.border, c.spacing, c.padding, "center"};
        EXPECT_EQ(tableOpeningTag(f).toStdString(), c.tag) << c.width << "|" << c.unit;
    }
}

// "=" stands for "the field keeps its text"
TEST(SpinArrowsText, StepsTheFieldWithinItsLimits) {
    const struct {
        const char *text, *down, *up;
    } cases[] = {
        {"1", "0", "2"},         {"0", "=", "1"},   {"-5", "=", "-4"}, {"-32768", "=", "-32767"},
        {"32767", "32766", "="}, {" 7 ", "6", "8"}, {"2.5", "1", "3"}, {"3.5", "3", "5"},
        {"", "=", "="},          {"abc", "=", "="}, {"12a", "=", "="}, {"32768", "=", "="},
        {"-32769", "=", "="},    {"٣", "=", "="},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(spinDown(text).value_or("=").toStdString(), c.down) << c.text;
        EXPECT_EQ(spinUp(text).value_or("=").toStdString(), c.up) << c.text;
    }
}

TEST(BoxLinesWithCrLf, JoinsBlocksAndSoftBreaksWithCrLf) {
    const QString raw = QStringLiteral("a") + QChar(QChar::ParagraphSeparator) +
                        QStringLiteral("b") + QChar(QChar::LineSeparator) + QStringLiteral("c") +
                        QChar(QChar::Nbsp) + QChar(QChar::ParagraphSeparator);
    EXPECT_EQ(boxLinesWithCrLf(raw),
              QStringLiteral("a\r\nb\r\nc") + QChar(QChar::Nbsp) + QStringLiteral("\r\n"));
    EXPECT_EQ(boxLinesWithCrLf(QString()), QString());
}
