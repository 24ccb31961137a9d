#pragma once

#include "formats/FormatTable.h"

#include <QFileDialog>
#include <QIcon>

namespace palette {

/// The save dialog of Export Palette: one filter a format, a suggested name ("scheme.css")
/// that follows the filter, a leading "~" read as the home folder, and the filter's extension
/// added to a name typed without one or ending in a dot (the dialog's default suffix) before
/// it asks whether to replace an existing file, so the question is about the file that is
/// then written.
class ExportDialog : public QFileDialog {
public:
    explicit ExportDialog(QWidget* parent = nullptr);

    /// The file to write once the dialog is accepted: the name typed, with the chosen
    /// filter's extension when it has none or ends in a dot; a file that exists was agreed
    /// to be replaced.
    /// Relative in a working folder whose name does not read as text, which only the system
    /// can name.
    QString target() const { return m_target; }
    /// The format of the chosen filter.
    formats::Format chosenFormat() const;
    /// The format a file is written in: its extension's, else the chosen filter's.
    formats::Format formatFor(const QString& path) const;

protected:
    void accept() override;

private:
    void followFilter();

    QString m_target;
};

/// The Export Palette icon: a painter's palette with three colour wells and an arrow
/// leaving it, drawn here so it looks the same under every icon theme.
QIcon exportIcon();

} // namespace palette
