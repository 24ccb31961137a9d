#include "CopyAsMenu.h"

#include "core/Oklab.h"
#include "platform/Desktop.h"

#include <QLineEdit>
#include <QMenu>

namespace ui {

QString copyAsText(CopyAsNotation notation, core::ColorRGB color) {
    switch (notation) {
    case CopyAsNotation::Hex:
        return QString::fromStdString(core::hexText(color));
    case CopyAsNotation::Rgb:
        return QString::fromStdString(core::rgbText(color));
    case CopyAsNotation::Hsl:
        return QString::fromStdString(core::hslText(color));
    case CopyAsNotation::Oklch:
        return QString::fromStdString(core::oklchText(color));
    }
    return {};
}

QMenu* addCopyAsMenu(QMenu* menu, const std::function<core::ColorRGB()>& colorOf) {
    QMenu* sub = menu->addMenu(QObject::tr("Copy as"));
    sub->setObjectName(QStringLiteral("mnucopyas"));
    const struct {
        CopyAsNotation notation;
        const char* caption;
        const char* name;
    } entries[] = {{CopyAsNotation::Hex, "#RRGGBB", "mnucopyashex"},
                   {CopyAsNotation::Rgb, "rgb()", "mnucopyasrgb"},
                   {CopyAsNotation::Hsl, "hsl()", "mnucopyashsl"},
                   {CopyAsNotation::Oklch, "oklch()", "mnucopyasoklch"}};
    for (const auto& entry : entries) {
        // "#" and "()" are no access-key marks, so the captions stay as the codes read
        QAction* action = sub->addAction(QString::fromLatin1(entry.caption));
        action->setObjectName(QString::fromLatin1(entry.name));
        const CopyAsNotation notation = entry.notation;
        QObject::connect(action, &QAction::triggered, sub, [notation, colorOf] {
            platform::setClipboardText(copyAsText(notation, colorOf()));
        });
    }
    return sub;
}

void attachCopyAsMenu(QWidget* widget, const std::function<core::ColorRGB()>& colorOf) {
    widget->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(
        widget, &QWidget::customContextMenuRequested, widget, [widget, colorOf](const QPoint& at) {
            auto* edit = qobject_cast<QLineEdit*>(widget);
            QMenu* menu = edit != nullptr ? edit->createStandardContextMenu() : new QMenu;
            menu->setParent(widget, menu->windowFlags());
            menu->setObjectName(QStringLiteral("mnucopyascontext"));
            menu->setAttribute(Qt::WA_DeleteOnClose);
            if (edit != nullptr)
                menu->addSeparator();
            addCopyAsMenu(menu, colorOf);
            menu->popup(widget->mapToGlobal(at));
        });
}

} // namespace ui
