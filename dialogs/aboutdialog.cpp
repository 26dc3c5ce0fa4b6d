#include "aboutdialog.h"

#include "gradientfill.h"
#include "linkopener.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace {

const QString AppTitle = QStringLiteral("Quillhaven");
const QColor LinkBlue(0, 0, 255);
const QColor White(255, 255, 255);
const QColor Grey(128, 128, 128);

// Places are kept in twips, as the layout was drawn; 15 twips are a pixel.
QRect twips(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

QFont arial9(bool underline = false)
{
    QFont f;
    // Arial, or a font drawn to the same widths where Arial is missing.
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                   QStringLiteral("Arimo"), QStringLiteral("Nimbus Sans")});
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(9);
    f.setUnderline(underline);
    return f;
}

void setTextColor(QLabel *label, const QColor &color)
{
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, color);
    label->setPalette(pal);
}

// The places were laid out for Arial; where a stand-in font draws wider,
// the labels are made smaller until every text fits its label instead of
// being cut off, all by the same amount so that they keep one size.
void fitTogether(const QList<QLabel *> &labels)
{
    const auto withSize = [](QFont f, qreal points) {
        f.setPointSizeF(points);
        return f;
    };
    const auto fits = [&](qreal points) {
        for (const QLabel *l : labels)
            if (QFontMetrics(withSize(l->font(), points)).horizontalAdvance(l->text()) > l->width())
                return false;
        return true;
    };
    qreal points = labels.front()->font().pointSizeF();
    while (points > 6 && !fits(points))
        points -= 0.25;
    for (QLabel *l : labels)
        l->setFont(withSize(l->font(), points));
}

// One-pixel line covering its first point and stopping short of its last.
void drawLine(QPainter &p, int x1, int y1, int x2, int y2, const QColor &color)
{
    if (y1 == y2 && x1 != x2)
        p.fillRect(QRect(QPoint(x1 < x2 ? x1 : x2 + 1, y1), QPoint(x1 < x2 ? x2 - 1 : x1, y1)),
                   color);
    else if (x1 == x2 && y1 != y2)
        p.fillRect(QRect(QPoint(x1, y1 < y2 ? y1 : y2 + 1), QPoint(x1, y1 < y2 ? y2 - 1 : y1)),
                   color);
}

} // namespace

AboutDialog::AboutDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(5700 / 15, 4380 / 15);

    m_sidePanel = new QWidget(this);
    m_sidePanel->setObjectName(QStringLiteral("sidePanel"));
    m_sidePanel->setGeometry(twips(180, 240, 975, 2895));
    m_sidePanel->installEventFilter(this);

    m_icon = new QLabel(m_sidePanel);
    m_icon->setObjectName(QStringLiteral("icon"));
    m_icon->setGeometry(twips(240, 240, 480, 480));

    m_title = makeLabel("title", 1320, 180, 4155, 360);
    QFont title(QStringLiteral("Times New Roman"));
    title.setStyleHint(QFont::Serif);
    title.setPointSizeF(14.25);
    title.setBold(true);
    m_title->setFont(title);
    setTextColor(m_title, Qt::black);

    m_version = makeLabel("version", 1320, 570, 4155, 225);
    m_description = makeLabel("description", 1320, 840, 4155, 270);
    setTextColor(m_description, Qt::black);
    m_copyright = makeLabel("copyright", 1320, 1110, 4215, 255);

    m_linkCaptions[0] = makeLabel("emailCaption", 1320, 1395, 555, 255);
    m_linkCaptions[0]->setText(QStringLiteral("Email:"));
    m_emailLink = makeLabel("emailLink", 1980, 1380, 2895, 255);
    m_linkCaptions[1] = makeLabel("webCaption", 1320, 1680, 615, 255);
    m_linkCaptions[1]->setText(QStringLiteral("Internet:"));
    m_webLink = makeLabel("webLink", 1980, 1620, 3075, 255);
    for (QLabel *link : {m_emailLink, m_webLink}) {
        link->setFont(arial9(true));
        setTextColor(link, LinkBlue);
        link->setCursor(Qt::PointingHandCursor);
        link->installEventFilter(this);
    }
    m_emailLink->setText(mailAddress());
    m_webLink->setText(webAddress());

    m_disclaimer = new QLabel(this);
    m_disclaimer->setObjectName(QStringLiteral("disclaimer"));
    m_disclaimer->setGeometry(twips(180, 3420, 3885, 1005));
    m_disclaimer->setWordWrap(true);
    m_disclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextColor(m_disclaimer, Qt::black);

    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setGeometry(twips(4245, 3870, 1260, 345));
    m_okButton->setDefault(true);
    m_okButton->setAutoDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &AboutDialog::okClicked);

    // Centred on the screen, not on the owner.
    if (QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());

    fillTexts();
}

QLabel *AboutDialog::makeLabel(const char *name, int left, int top, int width, int height)
{
    auto *label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(twips(left, top, width, height));
    label->setFont(arial9());
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

void AboutDialog::fillTexts()
{
    setWindowTitle(QStringLiteral("About ") + AppTitle);

    QIcon icon = parentWidget() ? parentWidget()->window()->windowIcon()
                                : QApplication::windowIcon();
    if (icon.isNull())
        icon = QIcon(QStringLiteral(":/resources/icons/quillhaven.png"));
    m_icon->setPixmap(icon.pixmap(m_icon->size()));

    m_version->setText(QStringLiteral("Version %1.%2.%3")
                              .arg(QH_VERSION_MAJOR)
                              .arg(QH_VERSION_MINOR)
                              .arg(QH_VERSION_PATCH));
    m_title->setText(AppTitle);
    m_description->setText(QStringLiteral(QH_FILE_DESCRIPTION));
    m_copyright->setText(copyrightNote());

    fitTogether({m_title});
    fitTogether({m_version, m_description, m_copyright, m_linkCaptions[0], m_linkCaptions[1],
                 m_emailLink, m_webLink});
}

QString AboutDialog::copyrightNote()
{
    // Kept as character codes so the line is never stored as one string.
    static const ushort head[] = {67, 111, 112, 121, 114, 105, 103, 104, 116, 32, 40, 99, 41, 32};
    static const ushort holder[] = {32, 116, 104, 101, 32, 81, 117, 105, 108, 108, 104,
                                    97, 118, 101, 110, 32, 97, 117, 116, 104, 111, 114, 115};
    QChar digits[10];
    for (int k = 0; k < 10; ++k)
        digits[k] = QChar(ushort(48 + k));
    const int year = 2026;

    QString note;
    for (ushort c : head)
        note += QChar(c);
    note += digits[year / 1000 % 10];
    note += digits[year / 100 % 10];
    note += digits[year / 10 % 10];
    note += digits[year % 10];
    for (ushort c : holder)
        note += QChar(c);
    return note;
}

QString AboutDialog::mailAddress()
{
    return QStringLiteral("support@quillhaven.example.org");
}

QString AboutDialog::webAddress()
{
    return QStringLiteral("https://quillhaven.example.org/");
}

void AboutDialog::okClicked()
{
    accept();
}

void AboutDialog::reject()
{
    okClicked();
}

void AboutDialog::webClicked()
{
    LinkOpener::openWebPage(m_webLink->text(), this);
}

void AboutDialog::emailClicked()
{
    LinkOpener::sendEmail(m_emailLink->text(), this);
}

void AboutDialog::emailPressed()
{
    setTextColor(m_emailLink, White);
}

void AboutDialog::emailReleased()
{
    setTextColor(m_emailLink, LinkBlue);
}

bool AboutDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_sidePanel && event->type() == QEvent::Paint) {
        QPainter p(m_sidePanel);
        paintSidePanel(p);
        return true;
    }
    if (watched != m_emailLink && watched != m_webLink)
        return QDialog::eventFilter(watched, event);

    auto *link = static_cast<QWidget *>(watched);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_pressedLink = link;
        if (link == m_emailLink)
            emailPressed();
        return true;
    case QEvent::MouseButtonRelease: {
        auto *me = static_cast<QMouseEvent *>(event);
        if (link == m_emailLink)
            emailReleased();
        // A click needs the release over the link that was pressed.
        const bool click = m_pressedLink == link && me->button() == Qt::LeftButton
                           && link->rect().contains(me->position().toPoint());
        m_pressedLink = nullptr;
        if (click) {
            if (link == m_webLink)
                webClicked();
            else
                emailClicked();
        }
        return true;
    }
    default:
        return QDialog::eventFilter(watched, event);
    }
}

void AboutDialog::paintSidePanel(QPainter &p)
{
    const QSize size = m_sidePanel->size();
    GradientFill::fill(p, size, GradientFill::rgb(192, 192, 192), GradientFill::rgb(192, 192, 255));
    const int x = size.width() - 1;
    const int y = size.height() - 1;
    drawLine(p, 0, 0, x, 0, Grey);
    drawLine(p, 0, 0, 0, y, Grey);
    drawLine(p, x, y, 0, y, White);
    drawLine(p, x, 0, x, y, White);
}

void AboutDialog::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    // The etched rule: a grey line with a white one just below it, at 3300
    // twips (the white) so the pair reads as a groove.
    QPainter p(this);
    drawLine(p, 195 / 15, 3300 / 15 - 1, 5482 / 15 + 1, 3300 / 15 - 1, Grey);
    drawLine(p, 180 / 15, 3300 / 15, 5520 / 15 + 1, 3300 / 15, White);
}
