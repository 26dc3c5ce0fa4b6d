#include "changedialog.h"

#include "controls/datebox.h"
#include "loan/dates.h"
#include "loan/numtext.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <cmath>

ChangeDialog::ChangeDialog(QWidget *parent)
    : QDialog(parent)
    , m_date(new DateBox(this))
    , m_kind(new QComboBox(this))
    , m_value(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Change"));
    m_date->setIncludeLiterals(true);
    m_date->setYearOfTwoDigits(&Dates::expandYear);
    for (auto kind : {DatedChange::Kind::Rate, DatedChange::Kind::Recast, DatedChange::Kind::Escrow})
        m_kind->addItem(Changes::kindName(kind), int(kind));
    m_value->setAlignment(Qt::AlignRight);
    connect(m_kind, &QComboBox::currentIndexChanged, this, [this] {
        m_value->setEnabled(change().kind != DatedChange::Kind::Recast);
    });
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("&From:"), m_date);
    form->addRow(QStringLiteral("&Kind:"), m_kind);
    form->addRow(QStringLiteral("&Value (% or $):"), m_value);
    form->addRow(buttons);
}

DatedChange ChangeDialog::change() const
{
    DatedChange c;
    c.from = Dates::parse(m_date->withSeparators()).value_or(QDate());
    c.kind = DatedChange::Kind(m_kind->currentData().toInt());
    if (c.kind != DatedChange::Kind::Recast) {
        QString text = m_value->text().trimmed();
        if (c.kind == DatedChange::Kind::Rate && text.endsWith(u'%'))
            text.chop(1);
        c.value = NumText::parseAmount(text).value_or(std::nan(""));
    }
    return c;
}

void ChangeDialog::setChange(const DatedChange &change)
{
    m_date->setValue(Dates::format(change.from));
    m_kind->setCurrentIndex(m_kind->findData(int(change.kind)));
    m_value->setText(change.kind == DatedChange::Kind::Recast ? QString()
                                                             : NumText::plainDecimal(change.value));
}
