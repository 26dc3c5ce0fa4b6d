#include "frmabout.h"

#include "fade.h"
#include "netsupport.h"

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

// One-pixel line covering its first point and stopping short of its last.
// The places were laid out for Arial; a wider stand-in font is made a
// little smaller until the text fits its label instead of being cut off.
void fitText(QLabel *label)
{
    QFont f = label->font();
    while (f.pointSizeF() > 6
           && QFontMetrics(f).horizontalAdvance(label->text()) > label->width())
        f.setPointSizeF(f.pointSizeF() - 0.25);
    label->setFont(f);
}

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

frmAbout::frmAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(5700 / 15, 4380 / 15);

    m_picture1 = new QWidget(this);
    m_picture1->setObjectName(QStringLiteral("Picture1"));
    m_picture1->setGeometry(twips(180, 240, 975, 2895));
    m_picture1->installEventFilter(this);

    m_picIcon = new QLabel(m_picture1);
    m_picIcon->setObjectName(QStringLiteral("picIcon"));
    m_picIcon->setGeometry(twips(240, 240, 480, 480));

    m_lblTitle = makeLabel("lblTitle", 1320, 180, 4155, 360);
    QFont title(QStringLiteral("Times New Roman"));
    title.setStyleHint(QFont::Serif);
    title.setPointSizeF(14.25);
    title.setBold(true);
    m_lblTitle->setFont(title);
    setTextColor(m_lblTitle, Qt::black);

    m_lblVersion = makeLabel("lblVersion", 1320, 570, 4155, 225);
    m_lblDescription = makeLabel("lblDescription", 1320, 840, 4155, 270);
    setTextColor(m_lblDescription, Qt::black);
    m_lblCopyright = makeLabel("lblCopyright", 1320, 1110, 4215, 255);

    m_label1[0] = makeLabel("Label1_0", 1320, 1395, 555, 255);
    m_label1[0]->setText(QStringLiteral("Email:"));
    m_lblEmail = makeLabel("lblEmail", 1980, 1380, 2895, 255);
    m_label1[1] = makeLabel("Label1_1", 1320, 1680, 615, 255);
    m_label1[1]->setText(QStringLiteral("Internet:"));
    m_web = makeLabel("Web", 1980, 1620, 3075, 255);
    for (QLabel *link : {m_lblEmail, m_web}) {
        link->setFont(arial9(true));
        setTextColor(link, LinkBlue);
        link->setCursor(Qt::PointingHandCursor);
        link->installEventFilter(this);
    }
    m_lblEmail->setText(mailAddress());
    m_web->setText(webAddress());

    m_lblDisclaimer = new QLabel(this);
    m_lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    m_lblDisclaimer->setGeometry(twips(180, 3420, 3885, 1005));
    m_lblDisclaimer->setWordWrap(true);
    m_lblDisclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextColor(m_lblDisclaimer, Qt::black);

    m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setGeometry(twips(4245, 3870, 1260, 345));
    m_cmdOK->setDefault(true);
    m_cmdOK->setAutoDefault(true);
    connect(m_cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    // Centred on the screen, not on the owner.
    if (QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());

    Form_Load();
}

QLabel *frmAbout::makeLabel(const char *name, int left, int top, int width, int height)
{
    auto *label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(twips(left, top, width, height));
    label->setFont(arial9());
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

void frmAbout::Form_Load()
{
    setWindowTitle(QStringLiteral("About ") + AppTitle);

    QIcon icon = parentWidget() ? parentWidget()->window()->windowIcon()
                                : QApplication::windowIcon();
    if (icon.isNull())
        icon = QIcon(QStringLiteral(":/resources/icons/quillhaven.png"));
    m_picIcon->setPixmap(icon.pixmap(m_picIcon->size()));

    m_lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                              .arg(QH_VERSION_MAJOR)
                              .arg(QH_VERSION_MINOR)
                              .arg(QH_VERSION_PATCH));
    m_lblTitle->setText(AppTitle);
    m_lblDescription->setText(QStringLiteral(QH_FILE_DESCRIPTION));
    m_lblCopyright->setText(CopyrightNote());

    for (QLabel *l : {m_lblTitle, m_lblVersion, m_lblDescription, m_lblCopyright, m_label1[0],
                      m_label1[1], m_lblEmail, m_web})
        fitText(l);
}

QString frmAbout::CopyrightNote()
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

QString frmAbout::mailAddress()
{
    return QStringLiteral("support@quillhaven.example.org");
}

QString frmAbout::webAddress()
{
    return QStringLiteral("https://quillhaven.example.org/");
}

void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::reject()
{
    cmdOK_Click();
}

void frmAbout::Web_Click()
{
    NetSupport::OpenWebPage(m_web->text(), this);
}

void frmAbout::lblEmail_Click()
{
    NetSupport::SendEmail(m_lblEmail->text(), this);
}

void frmAbout::lblEmail_MouseDown()
{
    setTextColor(m_lblEmail, White);
}

void frmAbout::lblEmail_MouseUp()
{
    setTextColor(m_lblEmail, LinkBlue);
}

bool frmAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_picture1 && event->type() == QEvent::Paint) {
        QPainter p(m_picture1);
        Picture1_Paint(p);
        return true;
    }
    if (watched != m_lblEmail && watched != m_web)
        return QDialog::eventFilter(watched, event);

    auto *link = static_cast<QWidget *>(watched);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_pressedLink = link;
        if (link == m_lblEmail)
            lblEmail_MouseDown();
        return true;
    case QEvent::MouseButtonRelease: {
        auto *me = static_cast<QMouseEvent *>(event);
        if (link == m_lblEmail)
            lblEmail_MouseUp();
        // A click needs the release over the link that was pressed.
        const bool click = m_pressedLink == link && me->button() == Qt::LeftButton
                           && link->rect().contains(me->position().toPoint());
        m_pressedLink = nullptr;
        if (click) {
            if (link == m_web)
                Web_Click();
            else
                lblEmail_Click();
        }
        return true;
    }
    default:
        return QDialog::eventFilter(watched, event);
    }
}

void frmAbout::Picture1_Paint(QPainter &p)
{
    const QSize size = m_picture1->size();
    Fade::FadePicture(p, size, Fade::Rgb(192, 192, 192), Fade::Rgb(192, 192, 255));
    const int x = size.width() - 1;
    const int y = size.height() - 1;
    drawLine(p, 0, 0, x, 0, Grey);
    drawLine(p, 0, 0, 0, y, Grey);
    drawLine(p, x, y, 0, y, White);
    drawLine(p, x, 0, x, y, White);
}

void frmAbout::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    // The etched rule: a grey line with a white one just below it, at 3300
    // twips (the white) so the pair reads as a groove.
    QPainter p(this);
    drawLine(p, 195 / 15, 3300 / 15 - 1, 5482 / 15 + 1, 3300 / 15 - 1, Grey);
    drawLine(p, 180 / 15, 3300 / 15, 5520 / 15 + 1, 3300 / 15, White);
}
