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

    // A four-digit year typed or pasted is taken as its two-digit form when
    // that form reads back as the same year (`yearOfTwoDigits`, which the
    // date rules supply); a year outside their window is refused and the
    // year left empty, never turned into another date. Why the last one was
    // refused, until the text changes again; empty otherwise.
    QString refusal() const { return m_refusal; }
    void setYearOfTwoDigits(int (*rule)(int)) { m_yearOfTwoDigits = rule; }
    // Pastes `text` as Ctrl+V would: "mm/dd/yyyy" and "mmddyyyy" take the
    // four-digit year rule above.
    void pasteText(const QString &text);

signals:
    void refusalChanged();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    // Month, day and a four-digit year: the date, or the refusal.
    void takeFourDigitYear(const QString &monthDay, const QString &year);
    void setRefusal(const QString &why);

    bool m_includeLiterals = false;
    int (*m_yearOfTwoDigits)(int) = nullptr;
    QString m_yearTyped;   // year digits typed past the mask's two
    QString m_refusal;
    bool m_refusing = false;
};
