#include "paymentstable.h"

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
