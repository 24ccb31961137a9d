#pragma once

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

/// The document a scheme belongs to: its file and when the scheme was last written to it.
struct Document {
    /// Empty before a document was opened or saved.
    QString path;
    /// The history's index at which the file was last written; -1 when that state is gone.
    int savedIndex = -1;
};

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

    const Document& document() const { return m_document; }
    /// The scheme as it stands now is the document at path, as saved (no step).
    void setDocument(const QString& path);
    /// The document's file was written with the scheme as it stands now.
    void markSaved() { setDocument(m_document.path); }
    /// Whether there is a document whose file holds another scheme than the one shown.
    bool isModified() const {
        return !m_document.path.isEmpty() && m_document.savedIndex != m_stack.index();
    }

signals:
    /// The document, or whether it is modified, may have changed.
    void documentChanged();

private:
    /// A new step drops the steps undone, and with them a save made at one of them.
    void forgetUndoneSave();
    void push(QUndoCommand* step);

    scheme::SchemeModel& m_model;
    /// Before the stack: its steps refer to it.
    Document m_document;
    QUndoStack m_stack;
};

} // namespace history
