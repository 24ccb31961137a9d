#pragma once

#include <QString>
#include <QTest>

/// Thrown after a failure is recorded, so a failed lookup inside a helper ends the test
/// instead of only the helper; the test main ends the run on it.
struct TestStopped {};

/// Records the failure at the caller's place and stops the test.
[[noreturn]] inline void stopTest(const QString& message, const char* file, int line) {
    QTest::qFail(qPrintable(message), file, line);
    throw TestStopped{};
}
#define STOP_TEST(message) stopTest(message, __FILE__, __LINE__)
