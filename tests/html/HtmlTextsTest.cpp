#include "html/HtmlTexts.h"

#include <gtest/gtest.h>

using namespace html;

// %1, %2, %3 in a listing stand for the codes of colours 1, 2 and 3
TEST(HtmlTexts, AreTheListingsWithTheCodesInsertedAsTheyStand) {
    using Builder = QString (*)(const QString&, const QString&, const QString&);
    const struct {
        Builder build;
        const char* listing;
    } pages[] = {
        {linksPageHtml, "<html>\r\n<head>\r\n<title></title>\r\n</head>\r\n"
                        "<body text=\"%1\" link=\"%2\" vlink=\"%3\">\r\n</body>\r\n</html>"},
        {links2PageHtml, "<html>\r\n<head>\r\n<title>Untitled Document</title>\r\n</head>\r\n"
                         "<body bgcolor=\"%2\" text=\"%1\" link=\"%3\">\r\n</body>\r\n</html>"},
        {scrollbarStyleHtml, "<html>\r\n<head>\r\n<style type=\"text/css\">\r\n"
                             "BODY { scrollbar-track-color:%2;\r\nscrollbar-face-color:%3;\r\n"
                             "scrollbar-shadow-color:%1;\r\n}\r\n</style>\r\n</head></html>"},
    };
    const QString c[] = {" #abc \"x\" é", "#ffcc00", "1%"};
    for (const auto& page : pages)
        EXPECT_EQ(page.build(c[0], c[1], c[2]).toStdString(),
                  QString::fromUtf8(page.listing).arg(c[0], c[1], c[2]).toStdString());
}
