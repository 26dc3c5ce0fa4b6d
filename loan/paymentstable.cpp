#include "paymentstable.h"

#include "dates.h"
#include "numtext.h"

#include <algorithm>

void PaymentsTable::setPaymentsMade(int count)
{
    m_paymentsMade = int16_t(std::clamp(count, 0, kSlots));
}

PaymentRecord PaymentsTable::at(int slot) const
{
    if (slot < 0 || slot > kSlots)
        return {};
    return m_slots[size_t(slot)];
}

bool PaymentsTable::set(int slot, const PaymentRecord &record)
{
    if (slot < 1 || slot > kSlots)
        return false;
    m_slots[size_t(slot)] = record;
    m_slots[size_t(slot)].payDate = PaymentRecord::fitDate(record.payDate);
    return true;
}

double PaymentsTable::extraPrincipal(int slot) const
{
    if (slot < 0 || slot > kSlots)
        return 0;
    return m_slots[size_t(slot)].extraPrincipal;
}

bool PaymentsTable::append(const PaymentRecord &record)
{
    if (m_paymentsMade >= kSlots)
        return false;
    set(m_paymentsMade + 1, record);
    ++m_paymentsMade;
    return true;
}

void PaymentsTable::removeLast()
{
    if (m_paymentsMade > 0)
        --m_paymentsMade;
}

RecordedExtra PaymentsTable::recordedExtra() const
{
    return {[this](int slot) { return extraPrincipal(slot); }, m_paymentsMade};
}

std::array<QString, 4> LedgerTotals::texts() const
{
    return {NumText::amount(loan), NumText::amount(escrow), NumText::amount(extra),
            NumText::amount(loan + escrow + extra)};
}

LedgerTotals ledgerTotals(std::span<const PaymentRecord> payments, double monthlyPayment,
                          const QString &year)
{
    return ledgerTotals(payments, [monthlyPayment](int) { return monthlyPayment; }, year);
}

LedgerTotals ledgerTotals(std::span<const PaymentRecord> payments,
                          const std::function<double(int)> &paymentFor, const QString &year)
{
    LedgerTotals t;
    const bool all = year.isEmpty();
    for (size_t k = 0; k < payments.size(); ++k) {
        const PaymentRecord &p = payments[k];
        if (!all) {
            const std::optional<QDate> date = Dates::parse(p.payDate);
            if (!date || QString::number(date->year()) != year)
                continue;
        }
        t.loan += paymentFor(int(k) + 1);
        t.escrow += p.escrow;
        t.extra += p.extraPrincipal;
        if (t.firstRow == 0)
            t.firstRow = int(k) + 1;
    }
    if (all)
        t.firstRow = 1;
    return t;
}
