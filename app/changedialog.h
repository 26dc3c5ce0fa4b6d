#pragma once
// The dialog in which one dated change is entered: from which date, what
// kind (a rate, a recast, an escrow), and its value. It only collects them;
// the caller checks and stores the change.
#include <QDialog>

#include "loan/datedchange.h"

class DateBox;
class QComboBox;
class QLineEdit;

class ChangeDialog : public QDialog {
    Q_OBJECT
public:
    explicit ChangeDialog(QWidget *parent = nullptr);

    DateBox *dateBox() const { return m_date; }
    QComboBox *kindBox() const { return m_kind; }
    QLineEdit *valueBox() const { return m_value; }

    // The change as typed: an invalid date for a date that is none, and a
    // value of NaN for a rate or escrow that is no number.
    DatedChange change() const;
    void setChange(const DatedChange &change);

private:
    DateBox *m_date;
    QComboBox *m_kind;
    QLineEdit *m_value;
};
