#include "html/TableText.h"
#include "html/GeneratedTextBox.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace html;

namespace {

const QString kCode1 = QStringLiteral("#336699");
const QString kCode2 = QStringLiteral("#FFCC00");

TableFields startingFields() {
    return {QStringLiteral("75"), QStringLiteral("Percent"), QStringLiteral("1"),
            QStringLiteral("0"),  QStringLiteral("0"),       QStringLiteral("center")};
}

std::string cellLine(const char* background, const char* text, const char* alignAttr) {
    return std::string("   <td bgcolor=\"") + background + "\"" + alignAttr + "><font color=\"" +
           text + "\">&nbsp;</font></td>";
}

std::string joinCrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (size_t i = 0; i < lines.size(); ++i)
        out += (i ? "\r\n" : "") + lines[i];
    return out;
}

} // namespace

TEST(TableHtml, StartingValuesGiveTheTwoByTwoChequer) {
    const std::string expected = joinCrLf({
        "<table width = \"75%\" border=\"1\" cellspacing=\"0\" cellpadding=\"0\" >",
        "  <tr>",
        "   <td bgcolor=\"#FFCC00\" align=\"center\"><font color=\"#336699\">&nbsp;</font></td>",
        "   <td bgcolor=\"#336699\" align=\"center\"><font color=\"#FFCC00\">&nbsp;</font></td>",
        "  </tr>",
        "  <tr>",
        "   <td bgcolor=\"#336699\" align=\"center\"><font color=\"#FFCC00\">&nbsp;</font></td>",
        "   <td bgcolor=\"#FFCC00\" align=\"center\"><font color=\"#336699\">&nbsp;</font></td>",
        "  </tr>",
        "</table>",
    });
    EXPECT_EQ(tableHtml(startingFields(), 2, 2, kCode1, kCode2).toStdString(), expected);
}

TEST(TableHtml, OneRowOfThreeStartsWithColourTwo) {
    const char* center = " align=\"center\"";
    EXPECT_EQ(tableHtml(startingFields(), 1, 3, kCode1, kCode2).toStdString(),
              joinCrLf({"<table width = \"75%\" border=\"1\" cellspacing=\"0\" cellpadding=\"0\" >",
                        "  <tr>", cellLine("#FFCC00", "#336699", center),
                        cellLine("#336699", "#FFCC00", center),
                        cellLine("#FFCC00", "#336699", center), "  </tr>", "</table>"}));
}

TEST(TableHtml, NoRowsForZeroOrNegativeRows) {
    for (const int rows : {0, -1, -32768}) {
        EXPECT_EQ(tableHtml(startingFields(), rows, 5, kCode1, kCode2).toStdString(),
                  "<table width = \"75%\" border=\"1\" cellspacing=\"0\" cellpadding=\"0\" >\r\n"
                  "</table>")
            << rows;
    }
}

TEST(TableHtml, ZeroOrNegativeColumnsStillGiveOneCellPerRow) {
    for (const int columns : {0, -7}) {
        const QString text = tableHtml(startingFields(), 3, columns, kCode1, kCode2);
        EXPECT_EQ(text.count(QStringLiteral("<td ")), 3) << columns;
        EXPECT_EQ(text.count(QStringLiteral("  <tr>")), 3) << columns;
    }
}

TEST(TableHtml, CellsAlternateAlongRowsAndDownColumns) {
    const QString text = tableHtml(startingFields(), 3, 4, kCode1, kCode2);
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    // line 0 is the tag; each row is "<tr>", four cells, "</tr>"
    for (int i = 1; i <= 3; ++i) {
        for (int j = 1; j <= 4; ++j) {
            const QString& line = lines.at(1 + (i - 1) * 6 + j);
            const bool even = (i + j) % 2 == 0;
            EXPECT_TRUE(
                line.startsWith(QStringLiteral("   <td bgcolor=\"") + (even ? kCode2 : kCode1)))
                << i << "," << j;
            EXPECT_TRUE(line.contains(QStringLiteral("<font color=\"") + (even ? kCode1 : kCode2)))
                << i << "," << j;
        }
    }
    EXPECT_EQ(lines.size(), 1 + 3 * 6 + 1);
}

TEST(TableHtml, AlignNoneLeavesTheAttributeOutAnyOtherTextIsInserted) {
    struct Case {
        const char* align;
        const char* attribute;
    };
    for (const Case& c : std::vector<Case>{{"None", ""},
                                           {"none", " align=\"none\""},
                                           {"", " align=\"\""},
                                           {"justify", " align=\"justify\""},
                                           {"my own", " align=\"my own\""}}) {
        TableFields f = startingFields();
        f.align = QString::fromUtf8(c.align);
        const QStringList lines = tableHtml(f, 1, 1, kCode1, kCode2).split(QStringLiteral("\r\n"));
        EXPECT_EQ(lines.at(2).toStdString(), cellLine("#FFCC00", "#336699", c.attribute))
            << c.align;
    }
}

TEST(TableOpeningTag, AttributesFollowTheFieldsAndTheUnit) {
    struct Case {
        const char *width, *unit, *border, *spacing, *padding, *tag;
    };
    for (const Case& c : std::vector<Case>{
             {"75", "Percent", "1", "0", "0",
              "<table width = \"75%\" border=\"1\" cellspacing=\"0\" cellpadding=\"0\" >"},
             {"600", "Pixels", "", "", "", "<table width = \"600\" >"},
             {"600", "pixels", "", "", "", "<table >"},
             {"600", "percent", "", "", "", "<table >"},
             {"600", "Pixels ", "", "", "", "<table >"},
             {"600", "", "2", "", "", "<table border=\"2\" >"},
             {"", "Percent", "", "", "", "<table >"},
             {"", "Pixels", "", "3", "", "<table cellspacing=\"3\" >"},
             {"", "Percent", "", "", "4", "<table cellpadding=\"4\" >"},
             {" 5 ", "Percent", "x", "-1", "a b",
              "<table width = \" 5 %\" border=\"x\" cellspacing=\"-1\" cellpadding=\"a b\" >"},
         }) {
        const TableFields f{QString::fromUtf8(c.width),   QString::fromUtf8(c.unit),
                            QString::fromUtf8(c.border),  QString::fromUtf8(c.spacing),
                            QString::fromUtf8(c.padding), QStringLiteral("center")};
        EXPECT_EQ(tableOpeningTag(f).toStdString(), c.tag) << c.width << "|" << c.unit;
    }
}

TEST(TableHtml, EmptyColourCodesGiveEmptyValues) {
    const QStringList lines =
        tableHtml(startingFields(), 1, 1, QString(), QString()).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.at(2).toStdString(), cellLine("", "", " align=\"center\""));
}

TEST(TableHtml, LargestRowCountIsWrittenInFull) {
    const QString text = tableHtml(startingFields(), 32767, 1, kCode1, kCode2);
    EXPECT_EQ(text.count(QStringLiteral("  </tr>")), 32767);
    EXPECT_TRUE(text.endsWith(QStringLiteral("  </tr>\r\n</table>")));
}

TEST(TableCellCount, CountsAtLeastOneCellPerRow) {
    EXPECT_EQ(tableCellCount(0, 10), 0);
    EXPECT_EQ(tableCellCount(-3, 10), 0);
    EXPECT_EQ(tableCellCount(4, 0), 4);
    EXPECT_EQ(tableCellCount(4, -2), 4);
    EXPECT_EQ(tableCellCount(4, 5), 20);
    EXPECT_EQ(tableCellCount(32767, 32767), int64_t{32767} * 32767);
}

TEST(SpinArrowsText, StepsTheFieldWithinItsLimits) {
    struct Case {
        const char* text;
        const char* down; // nullptr: unchanged
        const char* up;
    };
    for (const Case& c : std::vector<Case>{
             {"2", "1", "3"},
             {"1", "0", "2"},
             {"0", nullptr, "1"},
             {"-5", nullptr, "-4"},
             {"-32768", nullptr, "-32767"},
             {"32767", "32766", nullptr},
             {"32766", "32765", "32767"},
             {" 7 ", "6", "8"},
             {"2.5", "1", "3"}, // read as 2, halves going to the even neighbour
             {"3.5", "3", "5"}, // read as 4
             {"", nullptr, nullptr},
             {"abc", nullptr, nullptr},
             {"12a", nullptr, nullptr},
             {"32768", nullptr, nullptr},
             {"-32769", nullptr, nullptr},
         }) {
        const QString text = QString::fromUtf8(c.text);
        const auto down = spinDown(text);
        const auto up = spinUp(text);
        EXPECT_EQ(down.has_value(), c.down != nullptr) << c.text;
        EXPECT_EQ(up.has_value(), c.up != nullptr) << c.text;
        if (down && c.down) {
            EXPECT_EQ(down->toStdString(), c.down) << c.text;
        }
        if (up && c.up) {
            EXPECT_EQ(up->toStdString(), c.up) << c.text;
        }
    }
}

TEST(ReadFieldNumber, AcceptsSixteenBitWholeNumbersOnly) {
    EXPECT_EQ(readFieldNumber(QStringLiteral("12")), 12);
    EXPECT_EQ(readFieldNumber(QStringLiteral(" -3 ")), -3);
    EXPECT_EQ(readFieldNumber(QStringLiteral("32767")), 32767);
    for (const char* bad : {"", "x", "1 2", "40000", "٣"})
        EXPECT_FALSE(readFieldNumber(QString::fromUtf8(bad)).has_value()) << bad;
}

TEST(BoxLinesWithCrLf, JoinsBlocksAndSoftBreaksWithCrLf) {
    const QString raw = QStringLiteral("a") + QChar(QChar::ParagraphSeparator) +
                        QStringLiteral("b") + QChar(QChar::LineSeparator) + QStringLiteral("c") +
                        QChar(QChar::Nbsp) + QChar(QChar::ParagraphSeparator);
    EXPECT_EQ(boxLinesWithCrLf(raw),
              QStringLiteral("a\r\nb\r\nc") + QChar(QChar::Nbsp) + QStringLiteral("\r\n"));
    EXPECT_EQ(boxLinesWithCrLf(QString()), QString());
}
