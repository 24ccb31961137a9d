#include "SchemeHistory.h"

#include <QDateTime>
#include <QUndoCommand>

#include <utility>

namespace history {

namespace {

constexpr qint64 kMergeMilliseconds = 1000;

/// A step: the model before and after it.
class SchemeStep : public QUndoCommand {
public:
    SchemeStep(scheme::SchemeModel& model, scheme::SchemeModel::Snapshot before,
               scheme::SchemeModel::Snapshot after, const QString& text, Merge merge)
        : QUndoCommand(text), m_model(model), m_before(std::move(before)),
          m_after(std::move(after)), m_merge(merge), m_when(QDateTime::currentMSecsSinceEpoch()) {}

    void undo() override { m_model.restore(m_before); }
    void redo() override {
        // the change itself made the model so when the step was pushed
        if (m_done)
            m_model.restore(m_after);
        m_done = true;
    }
    int id() const override { return static_cast<int>(m_merge); }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const SchemeStep*>(other);
        if (next->m_when - m_when > kMergeMilliseconds)
            return false;
        m_after = next->m_after;
        m_when = next->m_when;
        setText(next->text());
        // a drag that ends where it began leaves nothing to undo
        setObsolete(m_after == m_before);
        return true;
    }

private:
    scheme::SchemeModel& m_model;
    scheme::SchemeModel::Snapshot m_before;
    scheme::SchemeModel::Snapshot m_after;
    Merge m_merge;
    qint64 m_when;
    bool m_done = false;
};

/// The opening of a document: besides the model, the document changes with the step. It holds
/// the document that is not current: the opened one while undone, the one before while done.
class OpenStep final : public SchemeStep {
public:
    OpenStep(scheme::SchemeModel& model, scheme::SchemeModel::Snapshot before,
             scheme::SchemeModel::Snapshot after, const QString& text, Document opened,
             Document& current)
        : SchemeStep(model, std::move(before), std::move(after), text, Merge::None),
          m_held(std::move(opened)), m_current(current) {}

    // the one held is swapped in: a save made meanwhile stays with its document
    void undo() override {
        SchemeStep::undo();
        std::swap(m_held, m_current);
    }
    void redo() override {
        SchemeStep::redo();
        std::swap(m_held, m_current);
    }

private:
    Document m_held;
    Document& m_current;
};

} // namespace

SchemeHistory::SchemeHistory(scheme::SchemeModel& model, QObject* parent)
    : QObject(parent), m_model(model) {
    connect(&m_stack, &QUndoStack::indexChanged, this, &SchemeHistory::documentChanged);
}

SchemeHistory::~SchemeHistory() {
    // the stack's clearing as it goes is no change of the document for whoever shows it
    disconnect(&m_stack, nullptr, this, nullptr);
}

void SchemeHistory::forgetUndoneSave() {
    if (m_document.savedIndex > m_stack.index())
        m_document.savedIndex = -1;
}

void SchemeHistory::record(const std::function<void()>& change,
                           const std::function<QString()>& describe, Merge merge) {
    scheme::SchemeModel::Snapshot before = m_model.snapshot();
    change();
    if (m_model.snapshot() == before)
        return;
    forgetUndoneSave();
    // a change after a save is a change of its own, which asks again before closing
    if (m_document.savedIndex == m_stack.index())
        merge = Merge::None;
    m_stack.push(new SchemeStep(m_model, std::move(before), m_model.snapshot(), describe(), merge));
}

void SchemeHistory::setRole(colorscience::Theme theme, colorscience::Role role,
                            const std::optional<colorscience::RoleOverride>& value) {
    record([&] { m_model.setRole(theme, role, value); },
           [&] {
               QString what = QStringLiteral("automatic");
               if (value && value->choice >= 0)
                   what = QString::fromStdString(colorscience::choiceName(value->choice));
               else if (value)
                   what = QString::fromStdString(value->exact ? core::oklchText(*value->exact)
                                                              : core::hexText(value->color));
               return QStringLiteral("%1 (%2) \u2192 %3")
                   .arg(QLatin1String(colorscience::roleInfo(role).caption),
                        QLatin1String(colorscience::themeName(theme)), what);
           });
}

void SchemeHistory::recordOpen(const std::function<void()>& change, const QString& describe,
                               const QString& path) {
    scheme::SchemeModel::Snapshot before = m_model.snapshot();
    change();
    forgetUndoneSave();
    // the step goes on at the next index, where the opened file holds the scheme
    m_stack.push(new OpenStep(m_model, std::move(before), m_model.snapshot(), describe,
                              Document{path, m_stack.index() + 1}, m_document));
}

void SchemeHistory::setDocument(const QString& path) {
    m_document = Document{path, m_stack.index()};
    emit documentChanged();
}

} // namespace history
