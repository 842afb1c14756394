#pragma once
// The main window's action list: every user operation is one named QAction here. Menus, tool
// buttons and pop-up items only point to these actions; enabling lives with the actions.
#include <QAction>
#include <QHash>
#include <QObject>
#include <QString>

namespace lark::shell {

class ActionList : public QObject {
    Q_OBJECT
public:
    explicit ActionList(QObject* parent = nullptr);

    // The action of that name (objectName); aborts on an unknown name, which is a program error.
    QAction* get(const QString& name) const;
    QAction* operator[](const QString& name) const { return get(name); }
    bool has(const QString& name) const { return m_actions.contains(name); }
    QList<QAction*> all() const;

    // Shorthands used by every Part's handlers.
    void enable(const QString& name, bool on = true) const { get(name)->setEnabled(on); }
    void disable(const QString& name) const { get(name)->setEnabled(false); }
    bool enabled(const QString& name) const { return get(name)->isEnabled(); }
    void check(const QString& name, bool on = true) const { get(name)->setChecked(on); }
    bool checked(const QString& name) const { return get(name)->isChecked(); }
    // Executes the action's handler like a click (a checkable action toggles first), whether or
    // not it is enabled.
    void execute(const QString& name) const;

private:
    QAction* add(const char* name, const QString& caption, bool enabled = true, bool checkable = false,
                 const QKeySequence& shortcut = {});
    QHash<QString, QAction*> m_actions;
    QList<QAction*> m_order;
};

} // namespace lark::shell
