#include "statementdialog.h"

#include "storage/statementreader.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// The choices of each column's box, in this order.
const StatementColumn kChoices[] = {
    StatementColumn::Ignored,  StatementColumn::Date,  StatementColumn::Principal,
    StatementColumn::Interest, StatementColumn::Escrow, StatementColumn::Extra,
    StatementColumn::Total,    StatementColumn::Balance,
};

QString choiceText(StatementColumn column)
{
    switch (column) {
    case StatementColumn::Ignored: return QStringLiteral("(not used)");
    case StatementColumn::Date: return QStringLiteral("Date");
    case StatementColumn::Principal: return QStringLiteral("Principal");
    case StatementColumn::Interest: return QStringLiteral("Interest");
    case StatementColumn::Escrow: return QStringLiteral("Escrow");
    case StatementColumn::Extra: return QStringLiteral("Extra principal");
    case StatementColumn::Total: return QStringLiteral("Total");
    case StatementColumn::Balance: return QStringLiteral("Balance");
    }
    return QString();
}

// The dialog shows this many of the file's lines.
constexpr int kShownRows = 8;

} // namespace

StatementDialog::StatementDialog(const QString &fileName, const QStringList &header,
                                 const std::vector<QStringList> &rows,
                                 const std::vector<StatementColumn> &columns, QWidget *parent)
    : QDialog(parent)
    , m_table(new QTableWidget(this))
    , m_problem(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Import statement"));
    auto *intro = new QLabel(
        QStringLiteral("The first lines of \"%1\". Choose what each column holds; the choice "
                       "is kept with the loan for the next import.")
            .arg(fileName),
        this);
    intro->setWordWrap(true);

    const int shown = std::min(int(rows.size()), kShownRows);
    m_table->setColumnCount(int(header.size()));
    m_table->setRowCount(shown + 1);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setHorizontalHeaderLabels(header);
    m_table->verticalHeader()->hide();
    for (int c = 0; c < header.size(); ++c) {
        auto *box = new QComboBox(m_table);
        box->setAccessibleName(QStringLiteral("Column \"%1\" holds").arg(header[c]));
        for (StatementColumn choice : kChoices)
            box->addItem(choiceText(choice), int(choice));
        m_boxes.push_back(box);
        m_table->setCellWidget(0, c, box);
        setColumn(c, size_t(c) < columns.size() ? columns[size_t(c)] : StatementColumn::Ignored);
        connect(box, &QComboBox::currentIndexChanged, this, [this] { checkChoice(); });
        for (int r = 0; r < shown; ++r)
            m_table->setItem(r + 1, c, new QTableWidgetItem(rows[size_t(r)].value(c)));
    }
    m_table->resizeColumnsToContents();

    m_problem->setStyleSheet(QStringLiteral("color: #b00000"));
    m_problem->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(this);
    m_import = buttons->addButton(QStringLiteral("&Import"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_problem);
    layout->addWidget(buttons);
    resize(760, 380);
    checkChoice();
}

std::vector<StatementColumn> StatementDialog::columns() const
{
    std::vector<StatementColumn> out;
    for (QComboBox *box : m_boxes)
        out.push_back(StatementColumn(box->currentData().toInt()));
    return out;
}

void StatementDialog::setColumn(int col, StatementColumn column)
{
    if (col < 0 || size_t(col) >= m_boxes.size())
        return;
    m_boxes[size_t(col)]->setCurrentIndex(m_boxes[size_t(col)]->findData(int(column)));
}

void StatementDialog::checkChoice()
{
    QString why = StatementReader::whyNotColumns(columns());
    if (!why.isEmpty())
        why[0] = why[0].toUpper();
    m_problem->setText(why.isEmpty() ? QString() : why + u'.');
    m_problem->setVisible(!why.isEmpty());
    if (m_import)
        m_import->setEnabled(why.isEmpty());
}
