#include "CopyAsMenu.h"

#include "core/Oklab.h"
#include "platform/Desktop.h"

#include <QLineEdit>
#include <QMenu>

namespace ui {

QString copyAsText(CopyAsNotation notation, core::ColorRGB color,
                   const std::optional<core::Oklch>& exact) {
    switch (notation) {
    case CopyAsNotation::Hex:
        return QString::fromStdString(core::hexText(color));
    case CopyAsNotation::Rgb:
        return QString::fromStdString(core::rgbText(color));
    case CopyAsNotation::Hsl:
        return QString::fromStdString(core::hslText(color));
    case CopyAsNotation::Oklch:
        return QString::fromStdString(core::oklchText(color));
    case CopyAsNotation::DisplayP3:
        return QString::fromStdString(
            core::displayP3Text(exact ? core::mapToDisplayP3(*exact) : core::displayP3Of(color)));
    }
    return {};
}

QMenu* addCopyAsMenu(QMenu* menu, const std::function<core::ColorRGB()>& colorOf,
                     const ExactColorOf& exactOf) {
    QMenu* sub = menu->addMenu(QObject::tr("Copy as"));
    sub->setObjectName(QStringLiteral("mnucopyas"));
    const struct {
        CopyAsNotation notation;
        const char* caption;
        const char* name;
    } entries[] = {{CopyAsNotation::Hex, "#RRGGBB", "mnucopyashex"},
                   {CopyAsNotation::Rgb, "rgb()", "mnucopyasrgb"},
                   {CopyAsNotation::Hsl, "hsl()", "mnucopyashsl"},
                   {CopyAsNotation::Oklch, "oklch()", "mnucopyasoklch"},
                   {CopyAsNotation::DisplayP3, "color(display-p3)", "mnucopyasp3"}};
    for (const auto& entry : entries) {
        // "#" and "()" are no access-key marks, so the captions stay as the codes read
        QAction* action = sub->addAction(QString::fromLatin1(entry.caption));
        action->setObjectName(QString::fromLatin1(entry.name));
        const CopyAsNotation notation = entry.notation;
        QObject::connect(action, &QAction::triggered, sub, [notation, colorOf, exactOf] {
            const std::optional<core::Oklch> exact = exactOf ? exactOf() : std::nullopt;
            platform::setClipboardText(copyAsText(notation, colorOf(), exact));
        });
    }
    return sub;
}

void attachCopyAsMenu(QWidget* widget, const std::function<core::ColorRGB()>& colorOf,
                      const ExactColorOf& exactOf) {
    widget->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(widget, &QWidget::customContextMenuRequested, widget,
                     [widget, colorOf, exactOf](const QPoint& at) {
                         auto* edit = qobject_cast<QLineEdit*>(widget);
                         QMenu* menu =
                             edit != nullptr ? edit->createStandardContextMenu() : new QMenu;
                         menu->setParent(widget, menu->windowFlags());
                         menu->setObjectName(QStringLiteral("mnucopyascontext"));
                         menu->setAttribute(Qt::WA_DeleteOnClose);
                         if (edit != nullptr)
                             menu->addSeparator();
                         addCopyAsMenu(menu, colorOf, exactOf);
                         menu->popup(widget->mapToGlobal(at));
                     });
}

} // namespace ui
