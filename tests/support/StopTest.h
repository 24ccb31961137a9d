#pragma once

#include <QObject>
#include <QString>
#include <QTest>
#include <QWidget>

/// Thrown after a failure is recorded, so a failed lookup inside a helper ends the test
/// instead of only the helper; the test main ends the run on it.
struct TestStopped {};

/// Records the failure at the caller's place and stops the test.
[[noreturn]] inline void stopTest(const QString& message, const char* file, int line) {
    QTest::qFail(qPrintable(message), file, line);
    throw TestStopped{};
}
#define STOP_TEST(message) stopTest(message, __FILE__, __LINE__)

/// The object named name inside w; a missing one fails and stops the test, naming it.
template <typename C = QWidget> C* in(const QObject* w, const QString& name) {
    C* c = w->findChild<C*>(name);
    if (c == nullptr)
        STOP_TEST(QStringLiteral("no control %1 in %2").arg(name, w->objectName()));
    return c;
}
