#include "changespage.h"

#include "app/changedialog.h"
#include "controls/grid.h"
#include "dialogs/prompts.h"
#include "document/loandocument.h"
#include "loan/dates.h"
#include "loan/numtext.h"

#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {
constexpr int kCols = 5;
// The page's width at the window's designed size: beyond it the columns widen.
constexpr int kDesignedWidth = 464;
} // namespace

ChangesPage::ChangesPage(LoanDocument &document, QWidget *parent)
    : CommandPage(parent)
    , m_document(document)
    , m_grid(new Grid(kCols, this))
{
    addCommand(QStringLiteral("&Add"), [this] { addChange(); });
    addCommand(QStringLiteral("&Edit"), [this] { editChange(m_grid->row()); });
    addCommand(QStringLiteral("&Delete"), [this] { deleteChange(m_grid->row()); });
    setHelpContext(8);
    m_grid->setObjectName(QStringLiteral("changesGrid"));
    const int widths[kCols] = {500, 1100, 1000, 1300, 2000};
    const char *const headers[kCols] = {"", "From", "Change", "Value", "Applies from"};
    for (int c = 0; c < kCols; ++c) {
        m_grid->setColWidth(c, widths[c]);
        m_grid->setCell(0, c, QString::fromLatin1(headers[c]));
    }
    m_grid->setColAlignment(3, Qt::AlignRight);
    auto *layout = new QVBoxLayout(this);
    // The margins the style gives a page inside the tabs, fixed here where the
    // page is not yet inside them.
    const int margin = 9;
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addWidget(m_grid);
    m_grid->setWidenFrom(kDesignedWidth - 2 * margin);
    connect(m_grid, &Grid::doubleClicked, this, [this] { editChange(m_grid->row()); });
    auto follow = [this] {
        setCommandsEnabled(m_document.terms().valid());
        show();
    };
    connect(&m_document, &LoanDocument::termsChanged, this, follow);
    connect(&m_document, &LoanDocument::changesChanged, this, &ChangesPage::show);
    follow();
}

int ChangesPage::lastRow() const
{
    const double n = std::floor(m_document.terms().payments());
    return n >= 1 ? int(std::min(n, double(Amortization::kMaxPayments))) : 0;
}

DatedChanges ChangesPage::sorted() const
{
    DatedChanges list = m_document.changes();
    std::stable_sort(list.begin(), list.end(),
                     [](const DatedChange &a, const DatedChange &b) { return a.from < b.from; });
    return list;
}

void ChangesPage::show()
{
    const DatedChanges list = sorted();
    const QDate first = m_document.terms().firstPaymentDate();
    m_grid->setRows(int(list.size()) + 2);
    for (int i = 0; i < int(list.size()); ++i) {
        const DatedChange &c = list[size_t(i)];
        const int row = Changes::rowOf(c, first, lastRow());
        QString value;
        if (c.kind == DatedChange::Kind::Rate)
            value = NumText::percentText(c.value); // a change's rate is always in percent
        else if (c.kind == DatedChange::Kind::Escrow)
            value = NumText::amount(c.value);
        // A change the terms no longer reach is kept, and ignored.
        const QString applies = row == 0 ? QStringLiteral("outside the loan")
                                         : QStringLiteral("payment %1").arg(row);
        m_grid->textModel()->setRowTexts(i + 1, {QString::number(i + 1), Dates::format(c.from),
                                                 Changes::kindName(c.kind), value, applies});
    }
    m_grid->textModel()->setRowTexts(int(list.size()) + 1, QStringList(kCols, QString()));
}

bool ChangesPage::store(DatedChanges others, const DatedChange &change)
{
    const QString why = Changes::whyRefused(change, others, m_document.terms().firstPaymentDate(),
                                            lastRow());
    if (!why.isEmpty()) {
        Prompts::current().message(this, QMessageBox::Warning, why, QMessageBox::Ok);
        return false;
    }
    others.push_back(change);
    m_document.setChanges(others);
    return true;
}

void ChangesPage::addChange()
{
    ChangeDialog dlg(this);
    const QDate first = m_document.terms().firstPaymentDate();
    // The rate proposed is the loan's, in percent as a change takes it, however
    // the first tab has it (6.5 or 0.065).
    dlg.setChange({first.isValid() ? Dates::addMonths(first, 12) : Dates::today(),
                   DatedChange::Kind::Rate, Amortization::annualPercent(m_document.terms().annualRate())});
    Prompts::current().runDialog(dlg);
    if (dlg.result() == QDialog::Accepted)
        store(sorted(), dlg.change());
}

void ChangesPage::editChange(int row)
{
    DatedChanges list = sorted();
    if (row < 1 || row > int(list.size()))
        return;
    ChangeDialog dlg(this);
    dlg.setChange(list[size_t(row - 1)]);
    Prompts::current().runDialog(dlg);
    if (dlg.result() != QDialog::Accepted)
        return;
    list.erase(list.begin() + (row - 1));
    store(list, dlg.change());
}

void ChangesPage::deleteChange(int row)
{
    DatedChanges list = sorted();
    if (row < 1 || row > int(list.size()))
        return;
    list.erase(list.begin() + (row - 1));
    m_document.setChanges(list);
}
