#pragma once
// The "Changes" tab: the loan's dated changes (a new rate, a recast, a new
// escrow), each with the payment it applies from, or marked as outside the
// loan; with the commands that add, edit and delete them.
#include "controls/commandpage.h"
#include "loan/datedchange.h"

class Grid;
class LoanDocument;

class ChangesPage : public CommandPage {
    Q_OBJECT
public:
    explicit ChangesPage(LoanDocument &document, QWidget *parent = nullptr);

    Grid *grid() const { return m_grid; }
    // The commands: a new change through the dialog, the selected one
    // changed or deleted.
    void addChange();
    void editChange(int row);
    void deleteChange(int row);
    void arrive() override { show(); }

private:
    void show();
    // The changes in the order shown: by date.
    DatedChanges sorted() const;
    // Checks `change` beside the others and stores the list; false, with a
    // message, when it is refused.
    bool store(DatedChanges others, const DatedChange &change);
    int lastRow() const;

    LoanDocument &m_document;
    Grid *m_grid;
};
