#pragma once
// A chart's legend drawn as short samples of the lines it names, each in its
// line's own pen (colour, width and dash pattern), so that it reads without
// colour. The entries flow left to right and wrap onto more rows when the
// width does not hold them.
#include <QList>
#include <QPen>
#include <QString>
#include <QWidget>

class LineLegend : public QWidget {
    Q_OBJECT
public:
    struct Entry {
        QString name;
        QPen pen;
    };

    explicit LineLegend(QWidget *parent = nullptr);

    void setEntries(const QList<Entry> &entries);
    const QList<Entry> &entries() const { return m_entries; }
    // Where entry i's line sample is drawn at the present width.
    QRect sampleRect(int i) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The sample's and the name's places of each entry at `width`.
    struct Place {
        QRect sample;
        QRect name;
    };
    QList<Place> layout(int width) const;

    QList<Entry> m_entries;
};
