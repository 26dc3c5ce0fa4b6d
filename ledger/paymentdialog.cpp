#include "paymentdialog.h"

#include "controls/datebox.h"
#include "dialogs/prompts.h"
#include "loan/dates.h"
#include "loan/numtext.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

PaymentDialog::PaymentDialog(QWidget *parent)
    : QDialog(parent)
    , m_date(new DateBox(this))
    , m_text{new QLineEdit(this), new QLineEdit(this)}
    , m_ok(new QPushButton(tr("&Ok"), this))
    , m_cancel(new QPushButton(tr("&Cancel"), this))
{
    setWindowTitle(QStringLiteral("Payment"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_date->setObjectName(QStringLiteral("firstPaymentDate"));
    m_date->setIncludeLiterals(true);
    m_date->setYearOfTwoDigits(&Dates::expandYear);
    connect(m_date, &DateBox::refusalChanged, this, [this] {
        if (!m_date->refusal().isEmpty())
            Prompts::current().message(this, QMessageBox::Warning, m_date->refusal(),
                                       QMessageBox::Ok);
    });
    m_text[0]->setObjectName(QStringLiteral("escrowBox"));
    m_text[1]->setObjectName(QStringLiteral("extraBox"));
    m_ok->setObjectName(QStringLiteral("okButton"));
    m_cancel->setObjectName(QStringLiteral("cancelButton"));

    auto *dateLabel = new QLabel(tr("Date:"), this);
    auto *escrowLabel = new QLabel(tr("Escrow:"), this);
    auto *extraLabel = new QLabel(tr("Extra Principal:"), this);
    dateLabel->setBuddy(m_date);
    escrowLabel->setBuddy(m_text[0]);
    extraLabel->setBuddy(m_text[1]);

    // The date box is as wide as its eight characters; the amounts get room
    // for "###,###,##0.00".
    const QFontMetrics fm(m_date->font());
    m_date->setFixedWidth(fm.horizontalAdvance(QStringLiteral("00/00/00")) + 14);
    for (QLineEdit *box : m_text) {
        box->setFixedWidth(fm.horizontalAdvance(QStringLiteral("000,000,000.00")) + 14);
        box->setAlignment(Qt::AlignRight);
    }

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->addWidget(dateLabel, 0, 0, Qt::AlignRight);
    grid->addWidget(m_date, 0, 2, Qt::AlignLeft);
    grid->addWidget(escrowLabel, 1, 0, Qt::AlignRight);
    grid->addWidget(new QLabel(QStringLiteral("$"), this), 1, 1);
    grid->addWidget(m_text[0], 1, 2, Qt::AlignLeft);
    grid->addWidget(extraLabel, 2, 0, Qt::AlignRight);
    grid->addWidget(new QLabel(QStringLiteral("$"), this), 2, 1);
    grid->addWidget(m_text[1], 2, 2, Qt::AlignLeft);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(12, 12, 12, 10);
    outer->addLayout(grid);
    outer->addSpacing(6);
    outer->addLayout(buttons);

    setTabOrder(m_date, m_text[0]);
    setTabOrder(m_text[0], m_text[1]);
    setTabOrder(m_text[1], m_ok);
    setTabOrder(m_ok, m_cancel);

    m_date->installEventFilter(this);
    for (QLineEdit *box : m_text)
        box->installEventFilter(this);

    // Enter in a box moves on instead; only a focused button reacts to it.
    m_ok->setDefault(false);
    connect(m_ok, &QPushButton::clicked, this, [this] { okClicked(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(sizeHint());
    m_date->setFocus();
}

void PaymentDialog::okClicked()
{
    // Nothing is stored that would read as another amount or fit no year:
    // the box is named, and the dialog stays open on it.
    struct Check {
        QLineEdit *box;
        bool ok;
        QString why;
    };
    const Check checks[] = {
        {m_date, Dates::isDate(dateText()),
         QStringLiteral("Date: \"%1\" is not a date.").arg(dateText())},
        {m_text[0], escrowText().trimmed().isEmpty() || NumText::parseAmount(escrowText()),
         QStringLiteral("Escrow: \"%1\" is not an amount.").arg(escrowText().trimmed())},
        {m_text[1], extraText().trimmed().isEmpty() || NumText::parseAmount(extraText()),
         QStringLiteral("Extra principal: \"%1\" is not an amount.").arg(extraText().trimmed())},
    };
    for (const Check &c : checks) {
        if (!c.ok) {
            Prompts::current().message(this, QMessageBox::Warning, c.why, QMessageBox::Ok);
            c.box->setFocus();
            return;
        }
    }
    m_result = QStringLiteral("Ok");
    accept();
}

double PaymentDialog::escrow() const
{
    return NumText::parseAmount(escrowText()).value_or(0.0);
}

double PaymentDialog::extraPrincipal() const
{
    return NumText::parseAmount(extraText()).value_or(0.0);
}

QString PaymentDialog::dateText() const
{
    return m_date->value();
}

void PaymentDialog::setDateText(const QString &text)
{
    m_date->setValue(text);
}

QString PaymentDialog::escrowText() const
{
    return m_text[0]->text();
}

void PaymentDialog::setEscrowText(const QString &text)
{
    m_text[0]->setText(text);
}

QString PaymentDialog::extraText() const
{
    return m_text[1]->text();
}

void PaymentDialog::setExtraText(const QString &text)
{
    m_text[1]->setText(text);
}

bool PaymentDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            focusNextChild();
            return true;
        }
    } else if (event->type() == QEvent::FocusIn && watched != m_date) {
        // Deferred, so that a click placing the caret does not undo it. The
        // date box selects its own text.
        auto *box = static_cast<QLineEdit *>(watched);
        QTimer::singleShot(0, box, [box] {
            if (box->hasFocus())
                box->selectAll();
        });
    }
    return QDialog::eventFilter(watched, event);
}
