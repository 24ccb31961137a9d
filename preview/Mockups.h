#pragma once

#include <QImage>

#include <string_view>

namespace preview {

/// The mock-up picture stored under key ("Logos", "Webpage", "Table2", "Links", "Links2",
/// "Scrollbar"); a null image for any other key.
QImage mockupPicture(std::string_view key);

} // namespace preview
