#pragma once
// The small modal dialog in which one actual payment is entered: its date,
// the escrow paid with it and any extra principal. It only collects text;
// the caller prefills it, reads it back and stores the values.
#include <QDialog>
#include <QString>

class DateBox;
class QLineEdit;
class QPushButton;

class PaymentDialog : public QDialog {
    Q_OBJECT
public:
    explicit PaymentDialog(QWidget *parent = nullptr);

    // "Cancel" while the dialog is fresh, "Ok" only after the OK button, and
    // only when the date is a date and the amounts are amounts.
    QString result() const { return m_result; }

    DateBox *dateBox() const { return m_date; }
    QLineEdit *escrowBox() const { return m_text[0]; }
    QLineEdit *extraBox() const { return m_text[1]; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

    // The date with its separators ("mm/dd/yy"; unfilled places read "_").
    QString dateText() const;
    // Takes "mm/dd/yy" or bare digits; any other character is dropped.
    void setDateText(const QString &text);
    QString escrowText() const;
    void setEscrowText(const QString &text);
    QString extraText() const;
    void setExtraText(const QString &text);
    // The amounts as read after OK (an empty box is 0).
    double escrow() const;
    double extraPrincipal() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void okClicked();

    DateBox *m_date;
    QLineEdit *m_text[2];
    QPushButton *m_ok;
    QPushButton *m_cancel;
    QString m_result = QStringLiteral("Cancel");
};
