#pragma once

#include "support/StopTest.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

/// The object named name inside w; a missing one fails and stops the test, naming it.
template <typename C = QWidget> C* in(const QObject* w, const QString& name) {
    C* c = w->findChild<C*>(name);
    if (c == nullptr)
        STOP_TEST(QStringLiteral("no control %1 in %2").arg(name, w->objectName()));
    return c;
}

/// Answers the next modal window of type T with answer as soon as it is up.
template <typename T, typename F> void whenModalAppears(F answer) {
    auto* poll = new QTimer;
    poll->start(20);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
        auto* w = qobject_cast<T*>(QApplication::activeModalWidget());
        if (w == nullptr)
            return;
        answer(w);
        poll->stop();
        poll->deleteLater();
    });
}
