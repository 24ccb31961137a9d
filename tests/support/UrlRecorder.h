#pragma once

#include <QObject>
#include <QUrl>

/// Receives what the program asks the desktop to open (install it with
/// QDesktopServices::setUrlHandler(scheme, &recorder, "open")).
/// Installed under kRefusingMethod instead, it is a desktop that finds no program for the
/// address: QDesktopServices cannot call a method that is not there and reports a failure.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kRefusingMethod = "refuse";
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};
