#pragma once

#include "scheme/SchemeModel.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <functional>

// Undo and redo of the scheme: each deliberate change is one step that puts the whole model
// back as it stood before it, and forward again. The model knows nothing of the steps.

namespace history {

/// Steps whose consecutive changes fold into one (a slider drag, a burst of keys).
enum class Merge { None = -1, Lightness = 1 };

class SchemeHistory : public QObject {
    Q_OBJECT
public:
    explicit SchemeHistory(scheme::SchemeModel& model, QObject* parent = nullptr);

    QUndoStack& stack() { return m_stack; }

    /// Runs change on the model as one step named by describe (asked after the change); a
    /// change that leaves the model as it was is no step. Steps of the same merge kind within
    /// a second of each other fold into one.
    void record(const std::function<void()>& change, const std::function<QString()>& describe,
                Merge merge = Merge::None);

private:
    scheme::SchemeModel& m_model;
    QUndoStack m_stack;
};

} // namespace history
