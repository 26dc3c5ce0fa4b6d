#pragma once
// A page of a tabbed window that brings its own commands (at most three,
// shown left to right in the window's command bar, with their texts and
// access keys) and the help context of the page that explains it. The
// window shows the current page's commands and tells a page when it arrives.
#include <QAction>
#include <QList>
#include <QWidget>
#include <functional>

class CommandPage : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    const QList<QAction *> &commands() const { return m_commands; }
    int helpContext() const { return m_helpContext; }
    // The page has just been shown (after the event that showed it).
    virtual void arrive() {}

protected:
    QAction *addCommand(const QString &text, std::function<void()> run)
    {
        auto *action = new QAction(text, this);
        connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
        m_commands.append(action);
        return action;
    }
    void setHelpContext(int context) { m_helpContext = context; }
    // Every command available or not at once (terms that can or cannot be computed).
    void setCommandsEnabled(bool enabled)
    {
        for (QAction *a : m_commands)
            a->setEnabled(enabled);
    }

private:
    QList<QAction *> m_commands;
    int m_helpContext = 0;
};
