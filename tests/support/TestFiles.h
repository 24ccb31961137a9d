#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

/// The whole content of the file at path, or "<unreadable>".
inline QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}
