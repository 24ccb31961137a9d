#include "html/HtmlTexts.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace html;

namespace {

const QString kCode1 = QStringLiteral("#336699");
const QString kCode2 = QStringLiteral("#FFCC00");
const QString kCode3 = QStringLiteral("#0A0B0C");

} // namespace

TEST(LinksPageHtml, IsTheSevenLinePageWithTextLinkAndVisitedColours) {
    EXPECT_EQ(linksPageHtml(kCode1, kCode2, kCode3).toStdString(),
              "<html>\r\n<head>\r\n<title></title>\r\n</head>\r\n"
              "<body text=\"#336699\" link=\"#FFCC00\" vlink=\"#0A0B0C\">\r\n"
              "</body>\r\n</html>");
}

TEST(LinksPageHtml, TwoIsTheUntitledPageWithBackgroundTextAndLinkColours) {
    EXPECT_EQ(links2PageHtml(kCode1, kCode2, kCode3).toStdString(),
              "<html>\r\n<head>\r\n<title>Untitled Document</title>\r\n</head>\r\n"
              "<body bgcolor=\"#FFCC00\" text=\"#336699\" link=\"#0A0B0C\">\r\n"
              "</body>\r\n</html>");
}

TEST(ScrollbarStyleHtml, ColoursTrackFacesAndShadows) {
    EXPECT_EQ(scrollbarStyleHtml(kCode1, kCode2, kCode3).toStdString(),
              "<html>\r\n<head>\r\n<style type=\"text/css\">\r\n"
              "BODY { scrollbar-track-color:#FFCC00;\r\n"
              "scrollbar-face-color:#0A0B0C;\r\n"
              "scrollbar-shadow-color:#336699;\r\n"
              "}\r\n</style>\r\n</head></html>");
}

TEST(HtmlTexts, EmptyCodesGiveEmptyValues) {
    const QString empty;
    EXPECT_EQ(linksPageHtml(empty, empty, empty).split(QStringLiteral("\r\n")).at(4),
              QStringLiteral("<body text=\"\" link=\"\" vlink=\"\">"));
    EXPECT_EQ(links2PageHtml(empty, empty, empty).split(QStringLiteral("\r\n")).at(4),
              QStringLiteral("<body bgcolor=\"\" text=\"\" link=\"\">"));
    const QStringList sheet = scrollbarStyleHtml(empty, empty, empty).split(QStringLiteral("\r\n"));
    EXPECT_EQ(sheet.at(3), QStringLiteral("BODY { scrollbar-track-color:;"));
    EXPECT_EQ(sheet.at(4), QStringLiteral("scrollbar-face-color:;"));
    EXPECT_EQ(sheet.at(5), QStringLiteral("scrollbar-shadow-color:;"));
}

TEST(HtmlTexts, CodesAreInsertedAsTheyStand) {
    // whatever the user typed into a code field goes in unchanged
    const QString odd = QStringLiteral(" #abc \"x\" é");
    EXPECT_TRUE(linksPageHtml(odd, kCode2, kCode3)
                    .contains(QStringLiteral("<body text=\" #abc \"x\" é\" link=")));
    EXPECT_TRUE(scrollbarStyleHtml(kCode1, kCode2, odd)
                    .contains(QStringLiteral("scrollbar-face-color: #abc \"x\" é;\r\n")));
}

TEST(HtmlTexts, HaveOnlyCrLfBreaksAndNoneAtTheEnd) {
    for (const QString& text :
         {linksPageHtml(kCode1, kCode2, kCode3), links2PageHtml(kCode1, kCode2, kCode3),
          scrollbarStyleHtml(kCode1, kCode2, kCode3)}) {
        EXPECT_EQ(text.count(QLatin1Char('\n')), text.count(QStringLiteral("\r\n")));
        EXPECT_EQ(text.count(QLatin1Char('\r')), text.count(QStringLiteral("\r\n")));
        EXPECT_TRUE(text.endsWith(QStringLiteral("</html>")));
    }
    EXPECT_EQ(linksPageHtml(kCode1, kCode2, kCode3).count(QStringLiteral("\r\n")), 6);
    EXPECT_EQ(scrollbarStyleHtml(kCode1, kCode2, kCode3).count(QStringLiteral("\r\n")), 8);
}
