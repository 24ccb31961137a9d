#pragma once

#include "document/Document.h"
#include "scheme/SchemeModel.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <functional>
#include <optional>

// Undo and redo of the scheme: each deliberate change is one step that puts the whole model
// back as it stood before it, and forward again. The model knows nothing of the steps. The
// document the scheme belongs to travels with them: undoing the opening of a file returns to
// the document before it, with its saved state, so a save never writes one scheme into another
// document's file.

namespace history {

/// Steps whose consecutive changes fold into one (a slider drag, a burst of keys).
enum class Merge { None = -1, Lightness = 1 };

class SchemeHistory : public QObject {
    Q_OBJECT
public:
    explicit SchemeHistory(scheme::SchemeModel& model, QObject* parent = nullptr);
    ~SchemeHistory() override;
    SchemeHistory(const SchemeHistory&) = delete;
    SchemeHistory& operator=(const SchemeHistory&) = delete;

    QUndoStack& stack() { return m_stack; }

    /// Runs change on the model as one step named by describe (asked after the change); a
    /// change that leaves the model as it was is no step. Steps of the same merge kind within
    /// a second of each other fold into one, but never into the step a document was saved at.
    void record(const std::function<void()>& change, const std::function<QString()>& describe,
                Merge merge = Merge::None);
    /// Sets role of theme to value, or with none gives it back to the contrast search, as one
    /// step named "Text (dark) \u2192 900", "... \u2192 #1A2B3C" or "... \u2192 automatic".
    void setRole(colorscience::Theme theme, colorscience::Role role,
                 const std::optional<colorscience::RoleOverride>& value);
    /// Runs change, which puts the scheme of the file at path in the model, as one step (also
    /// when the scheme stays as it was): the document is path, as saved, from then on;
    /// undoing the step returns to the document before, redoing it to this one.
    void recordOpen(const std::function<void()>& change, const QString& describe,
                    const QString& path);

    /// The document the scheme as it stands belongs to; saving and setting it are no steps.
    document::Document& document() { return m_document; }
    const document::Document& document() const { return m_document; }

private:
    scheme::SchemeModel& m_model;
    QUndoStack m_stack;
    /// After the stack, which it follows; the stack's steps refer to it but never touch it
    /// as they go.
    document::Document m_document{m_stack};
};

} // namespace history
