#include "HtmlTexts.h"

#include <QStringList>

namespace html {

namespace {

QString joinLines(const QStringList& lines) {
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace

QString linksPageHtml(const QString& code1, const QString& code2, const QString& code3) {
    return joinLines({
        QStringLiteral("<html>"),
        QStringLiteral("<head>"),
        QStringLiteral("<title></title>"),
        QStringLiteral("</head>"),
        QStringLiteral("<body text=\"") + code1 + QStringLiteral("\" link=\"") + code2 +
            QStringLiteral("\" vlink=\"") + code3 + QStringLiteral("\">"),
        QStringLiteral("</body>"),
        QStringLiteral("</html>"),
    });
}

QString links2PageHtml(const QString& code1, const QString& code2, const QString& code3) {
    return joinLines({
        QStringLiteral("<html>"),
        QStringLiteral("<head>"),
        QStringLiteral("<title>Untitled Document</title>"),
        QStringLiteral("</head>"),
        QStringLiteral("<body bgcolor=\"") + code2 + QStringLiteral("\" text=\"") + code1 +
            QStringLiteral("\" link=\"") + code3 + QStringLiteral("\">"),
        QStringLiteral("</body>"),
        QStringLiteral("</html>"),
    });
}

QString scrollbarStyleHtml(const QString& code1, const QString& code2, const QString& code3) {
    return joinLines({
        QStringLiteral("<html>"),
        QStringLiteral("<head>"),
        QStringLiteral("<style type=\"text/css\">"),
        QStringLiteral("BODY { scrollbar-track-color:") + code2 + QStringLiteral(";"),
        QStringLiteral("scrollbar-face-color:") + code3 + QStringLiteral(";"),
        QStringLiteral("scrollbar-shadow-color:") + code1 + QStringLiteral(";"),
        QStringLiteral("}"),
        QStringLiteral("</style>"),
        QStringLiteral("</head></html>"),
    });
}

} // namespace html
