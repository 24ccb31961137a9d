#pragma once

#include "OpenFile.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

namespace document {

/// Takes pictures' palettes off the caller's thread, one picture at a time: starting another,
/// or cancel(), stops the one being read, whose result is then never given.
class PictureReading : public QObject {
    Q_OBJECT
public:
    explicit PictureReading(QObject* parent = nullptr);
    /// A picture still being read is not wanted any more.
    ~PictureReading() override;
    PictureReading(const PictureReading&) = delete;
    PictureReading& operator=(const PictureReading&) = delete;

    /// Starts reading the palette of the picture at path; read() gives it unless cancelled.
    void start(const QString& path);
    /// Stops the picture being read; returns whether there was one.
    bool cancel();

signals:
    /// The picture at path was read: its palette with the picture, or why not (error).
    void read(const QString& path, const document::OpenedFile& opened);
    /// A reading took longer than a glance (on), and ended, read or cancelled (off); each on
    /// is followed by its off.
    void busy(bool on);

private:
    /// Set to stop the picture being read, when there is one.
    std::shared_ptr<std::atomic<bool>> m_cancel;
};

} // namespace document
