#pragma once

#include <QString>

/// Texts that take the scheme into a web page. The code arguments are the texts of the
/// swatch panel's HTML fields, inserted as they stand; lines are joined with CR LF and the
/// last line has no line break.
namespace html {

/// Page for the links mock-up: body text in colour 1, links in colour 2, visited links in 3.
QString linksPageHtml(const QString& code1, const QString& code2, const QString& code3);

/// Page for the second links mock-up: background colour 2, text colour 1, links colour 3.
QString links2PageHtml(const QString& code1, const QString& code2, const QString& code3);

/// Head with a style sheet for the scroll bar: track colour 2, faces colour 3, shadows 1.
QString scrollbarStyleHtml(const QString& code1, const QString& code2, const QString& code3);

} // namespace html
