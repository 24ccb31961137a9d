#include "PictureReading.h"

#include <QFutureWatcher>
#include <QTimer>
#include <QVariant>
#include <QtConcurrent/QtConcurrentRun>

namespace document {

namespace {

/// How long a reading goes before it counts as busy: longer than a glance.
constexpr int kGlanceMilliseconds = 100;

} // namespace

PictureReading::PictureReading(QObject* parent) : QObject(parent) {}

PictureReading::~PictureReading() {
    cancel();
}

void PictureReading::start(const QString& path) {
    cancel();
    auto cancelled = std::make_shared<std::atomic<bool>>(false);
    m_cancel = cancelled;
    auto* watcher = new QFutureWatcher<OpenedFile>(this);
    auto* slow = new QTimer(watcher);
    slow->setSingleShot(true);
    connect(slow, &QTimer::timeout, watcher, [this, watcher] {
        watcher->setProperty("busy", true);
        emit busy(true);
    });
    slow->start(kGlanceMilliseconds);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, cancelled, path] {
        watcher->deleteLater();
        if (watcher->property("busy").toBool())
            emit busy(false);
        // something else was opened meanwhile
        if (cancelled->load())
            return;
        m_cancel.reset();
        emit read(path, watcher->result());
    });
    watcher->setFuture(
        QtConcurrent::run([path, cancelled] { return openPicture(path, cancelled.get()); }));
}

bool PictureReading::cancel() {
    if (!m_cancel)
        return false;
    m_cancel->store(true);
    m_cancel.reset();
    return true;
}

} // namespace document
