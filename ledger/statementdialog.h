#pragma once
// The import of a servicer's statement: the first lines of the file as
// read, with the column guessed for each above it, which the user can
// change. It only collects the choice; the caller reads the lines with it.
#include <QDialog>
#include <vector>

#include "loan/statement.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

class StatementDialog : public QDialog {
    Q_OBJECT
public:
    // `rows` are the file's first lines under `header`; `columns` the
    // choice offered, one per header cell.
    StatementDialog(const QString &fileName, const QStringList &header,
                    const std::vector<QStringList> &rows,
                    const std::vector<StatementColumn> &columns, QWidget *parent = nullptr);

    std::vector<StatementColumn> columns() const;
    void setColumn(int col, StatementColumn column);
    QComboBox *columnBox(int col) const { return m_boxes.at(size_t(col)); }
    QPushButton *importButton() const { return m_import; }
    QLabel *problemLabel() const { return m_problem; }

private:
    // The import is offered only while the choice can read a statement.
    void checkChoice();

    QTableWidget *m_table;
    std::vector<QComboBox *> m_boxes;
    QLabel *m_problem;
    QPushButton *m_import = nullptr;
};
