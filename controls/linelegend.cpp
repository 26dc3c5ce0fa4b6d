#include "linelegend.h"

#include <QPainter>
#include <algorithm>

namespace {
constexpr int kSample = 18;     // length of a line sample: two dashes, three dots
constexpr int kGap = 3;         // between a sample and its name
constexpr int kSpacing = 8;     // between entries
constexpr int kMargin = 4;
} // namespace

LineLegend::LineLegend(QWidget *parent)
    : QWidget(parent)
{
    // As high as its rows at the width it is given.
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    // On the charts' own ground.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void LineLegend::setEntries(const QList<Entry> &entries)
{
    m_entries = entries;
    QStringList names;
    for (const Entry &e : entries)
        names << e.name;
    setAccessibleName(names.join(QStringLiteral(", ")));
    updateGeometry();
    update();
}

QList<LineLegend::Place> LineLegend::layout(int width) const
{
    const QFontMetrics fm = fontMetrics();
    const int rowHeight = fm.height() + 2;
    QList<Place> out;
    int x = kMargin, y = 1;
    for (const Entry &e : m_entries) {
        const int w = kSample + kGap + fm.horizontalAdvance(e.name);
        if (x > kMargin && x + w > width - kMargin) {
            x = kMargin;
            y += rowHeight;
        }
        out.append({QRect(x, y, kSample, rowHeight), QRect(x + kSample + kGap, y, w - kSample - kGap, rowHeight)});
        x += w + kSpacing;
    }
    return out;
}

QRect LineLegend::sampleRect(int i) const
{
    const QList<Place> places = layout(width());
    return i >= 0 && i < places.size() ? places[i].sample : QRect();
}

int LineLegend::heightForWidth(int width) const
{
    const QList<Place> places = layout(width);
    return places.isEmpty() ? 0 : places.last().name.bottom() + 2;
}

QSize LineLegend::sizeHint() const
{
    const QList<Place> places = layout(QWIDGETSIZE_MAX);
    const int w = places.isEmpty() ? 0 : places.last().name.right() + kMargin;
    return QSize(w, heightForWidth(QWIDGETSIZE_MAX));
}

QSize LineLegend::minimumSizeHint() const
{
    return QSize(0, heightForWidth(QWIDGETSIZE_MAX));
}

void LineLegend::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QList<Place> places = layout(width());
    for (int i = 0; i < places.size(); ++i) {
        const QRect &s = places[i].sample;
        p.setPen(m_entries[i].pen);
        const qreal y = s.center().y() + 0.5;
        p.drawLine(QPointF(s.left(), y), QPointF(s.right() + 1, y));
        p.setPen(palette().color(QPalette::Text));
        p.drawText(places[i].name, Qt::AlignLeft | Qt::AlignVCenter, m_entries[i].name);
    }
}
