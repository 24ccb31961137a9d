#include "ColorsFile.h"

#include <QByteArray>
#include <QSaveFile>
#include <QString>

namespace io {

std::string colorsFileLine(int k, const ColorFields& fields) {
    // the uneven spacing around the labels is part of the format
    std::string line = "Color" + std::to_string(k) + " ";
    line += "R:" + fields.red;
    line += " G: " + fields.green;
    line += " B:" + fields.blue;
    line += " RGB: " + fields.decimal;
    line += " HTML: " + fields.html;
    line += " Websafe: " + fields.webSafe;
    line += "\r\n";
    return line;
}

std::string colorsFileText(const std::array<ColorFields, 3>& colors) {
    std::string text;
    for (int k = 1; k <= 3; ++k)
        text += colorsFileLine(k, colors[static_cast<size_t>(k - 1)]);
    return text;
}

bool replaceFileContents(const QString& path, const QByteArray& bytes) {
    if (path.isEmpty())
        return false;
    // written beside the target and renamed over it only when complete, so a failure
    // part-way never empties or truncates the file the user already has
    QSaveFile file(path);
    // unbuffered, so a short write (full disk, size limit) is seen here: the buffered
    // path lets such a write pass and would commit a truncated file
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            file.cancelWriting();
            break;
        }
        done += n;
    }
    return file.commit() && done == bytes.size();
}

} // namespace io
