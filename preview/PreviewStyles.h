#pragma once

#include <array>
#include <string_view>

namespace preview {

/// Which of the main window's generate buttons a style shows.
enum class HtmlButton { None, Links, Links2, Table, Scrollbar };

/// A preview style: its entry in the style list, the key of its mock-up and the three
/// pixel-list files given to the loader as first, second and third file.
struct PreviewStyle {
    std::string_view entry;
    std::string_view mockupKey;
    std::array<std::string_view, 3> files;
    HtmlButton button;
};

/// The six styles in the order of the style list.
const std::array<PreviewStyle, 6>& previewStyles();

/// The style whose entry equals text exactly (case counts), or nullptr.
const PreviewStyle* findPreviewStyle(std::string_view text);

} // namespace preview
