#include "StarterPageExport.h"

#include "core/PrintableText.h"
#include "core/Text.h"
#include "document/PaletteFile.h"
#include "formats/StarterPage.h"
#include "sheet/Sheet.h"

#include <QByteArray>
#include <QFile>

#include <ostream>

namespace app {

bool isStarterPageName(std::string_view fileName) {
    return core::endsWithNoCase(fileName, ".html") || core::endsWithNoCase(fileName, ".htm");
}

int exportStarterPage(const ExportRequest& request, std::ostream& err) {
    const SchemeResult scheme = schemeColors(request);
    if (scheme.palette) {
        err << "chromalune: a palette read --from has no color roles for a page (--from); give "
               "a scheme saved by File, Save Scheme As\n";
        return 2;
    }
    if (!scheme.roles) {
        err << scheme.error << '\n';
        return 2;
    }
    const QString title =
        request.from.empty()
            ? sheet::kUntitled
            : sheet::titleOf(QFile::decodeName(QByteArray::fromStdString(request.from)));
    const std::string page =
        formats::starterPageText(formats::starterPageOf(*scheme.roles, title.toStdString()));
    std::string reason;
    if (!document::writeBytesFile(QFile::decodeName(QByteArray::fromStdString(request.file)),
                                  {page.begin(), page.end()}, &reason)) {
        err << "chromalune: cannot write " << core::quotedText(request.file) << ": "
            << core::printableText(reason) << '\n';
        return 1;
    }
    return 0;
}

} // namespace app
