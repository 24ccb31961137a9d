#include "PreviewStyles.h"

#include "scheme/SchemeModel.h"

#include <type_traits>

namespace preview {

// documents check a style by the count alone
static_assert(std::tuple_size_v<std::decay_t<decltype(previewStyles())>> ==
              scheme::kPreviewStyleCount);

const std::array<PreviewStyle, 6>& previewStyles() {
    // The file order decides which scheme colour paints which part: list 1 takes colour 1,
    // list 3 colour 2 and list 2 colour 3.
    static const std::array<PreviewStyle, 6> kStyles = {{
        {"Logos Style",
         "Logos",
         {"mple_logos.txt", "gri_logos.txt", "galazio_logos.txt"},
         HtmlButton::None},
        {"Webpage Style", "Webpage", {"mple.txt", "gri.txt", "galazio.txt"}, HtmlButton::None},
        {"Table Style",
         "Table2",
         {"gri_table.txt", "mple_table.txt", "galazio_table.txt"},
         HtmlButton::Table},
        {"Links Style",
         "Links",
         {"mple_links.txt", "gri_links.txt", "galazio_links.txt"},
         HtmlButton::Links},
        {"Links2 Style",
         "Links2",
         {"mple_links2.txt", "galazio_links2.txt", "gri_links2.txt"},
         HtmlButton::Links2},
        {"Scrollbar Style",
         "Scrollbar",
         {"mple_scrollbar.txt", "gri_scrollbar.txt", "galazio_scrollbar.txt"},
         HtmlButton::Scrollbar},
    }};
    return kStyles;
}

const PreviewStyle* findPreviewStyle(std::string_view text) {
    for (const PreviewStyle& style : previewStyles()) {
        if (style.entry == text)
            return &style;
    }
    return nullptr;
}

} // namespace preview
