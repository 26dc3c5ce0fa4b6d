#pragma once
// A date box with the mask ##/##/## and the prompt "_". It gives and takes
// its text either as the bare digits mmddyy or with its "/" separators, by a
// switch, as its callers expect.
#include <QLineEdit>

class DateBox : public QLineEdit {
    Q_OBJECT
public:
    explicit DateBox(QWidget *parent = nullptr);

    bool includeLiterals() const { return m_includeLiterals; }
    void setIncludeLiterals(bool on) { m_includeLiterals = on; }
    // The text in the current form; unfilled places read as "_".
    QString value() const;
    // Takes digits, with or without separators; other characters are dropped.
    void setValue(const QString &text);
    // The text with separators, whatever the switch says.
    QString withSeparators() const;

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    bool m_includeLiterals = false;
};
