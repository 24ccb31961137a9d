#pragma once

#include "colorscience/PaletteCheck.h"
#include "core/Palette.h"
#include "imagepalette/PictureReader.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTabWidget;
class QTableView;
namespace scheme {
class SchemeModel;
} // namespace scheme

namespace palette {

class PaletteTable;
class PicturePanel;
class ContrastMatrix;
class PairTable;

/// The window frmpalette ("Palette"): the palette last opened, a row a colour (swatch, name,
/// hex, oklch(), the CSS named colour it is or is near, its group); a click on a row copies its
/// hex, its right-click menu offers "Copy as" and "Use as Base". A second tab checks the whole
/// palette: WCAG contrast of every colour as text on every other (a matrix), the pairs with
/// their APCA Lc and colour difference in each vision, those usable as text first, and a
/// verdict per colour-vision deficiency.
class PaletteWindow : public QWidget {
    Q_OBJECT
public:
    explicit PaletteWindow(QWidget* owner = nullptr);
    ~PaletteWindow() override;

    /// Shows palette, read from source (a file's name, shown above it); skipped entries of
    /// the file are counted there, and why the first was skipped is said below.
    void setPalette(const core::Palette& palette, const QString& source, int skipped = 0,
                    const QString& firstSkipped = {});
    const core::Palette& palette() const { return m_palette; }
    /// Shows the picture the palette was taken from beside it, each colour marked where it
    /// occurs; a click on it takes the colour there.
    void setPicture(const imagepalette::Picture& picture);
    /// Says that a file is being read ("Reading photo.jpg...").
    void showNote(const QString& note);

    /// The scheme whose colours "Add Scheme Colours" appends; the model outlives the window.
    void follow(const scheme::SchemeModel& model);

signals:
    /// "Use as Base" on a row: the colour exactly, and as shown.
    void useAsBaseRequested(core::ColorRGB rgb8, core::Oklch exact);

private:
    void showPalette();
    void showCheck();
    void addSchemeColors();
    /// Whether count more colours keep the palette within what a palette file may hold;
    /// says why not when they do not.
    bool hasRoomFor(size_t count);
    /// "Export...": the palette in any format, its names kept where the format holds them.
    void exportPalette();
    void copyHex(int row);
    /// The menu of a colour taken from the picture: Use as Base, Add to Palette, Copy as.
    void offerPickedColor(core::ColorRGB color, const QPoint& globalAt);
    int currentRow() const;

    core::Palette m_palette;
    QString m_source;
    int m_skipped = 0;
    bool m_checkStale = true;
    /// What the check tab shows; its tables read it.
    colorscience::PaletteCheck m_check;
    const scheme::SchemeModel* m_model = nullptr;

    QLabel* m_sourceLabel = nullptr;
    QLabel* m_statusLabel = nullptr;
    QTabWidget* m_tabs = nullptr;
    QTableView* m_colorView = nullptr;
    PicturePanel* m_picture = nullptr;
    PaletteTable* m_colors = nullptr;
    QPushButton* m_useAsBase = nullptr;
    QPushButton* m_copyAs = nullptr;
    QPushButton* m_export = nullptr;
    QLabel* m_verdicts = nullptr;
    QTableView* m_matrixView = nullptr;
    ContrastMatrix* m_matrix = nullptr;
    QTableView* m_pairView = nullptr;
    PairTable* m_pairs = nullptr;
};

} // namespace palette
