#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

/// Receives what the program asks the desktop to open (install it with
/// QDesktopServices::setUrlHandler(scheme, &recorder, "open")).
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};
