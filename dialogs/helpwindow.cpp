#include "helpwindow.h"

#include "storage/bundledfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow *HelpWindow::instance()
{
    static HelpWindow *window = new HelpWindow;
    return window;
}

QString HelpWindow::pageFor(int context)
{
    switch (context) {
    case 3: return QStringLiteral("main.html");
    case 4: return QStringLiteral("amortization.html");
    case 5: return QStringLiteral("payments.html");
    case 6: return QStringLiteral("quote.html");
    case 7: return QStringLiteral("chart.html");
    case 8: return QStringLiteral("changes.html");
    default: return QStringLiteral("index.html");
    }
}

HelpWindow::HelpWindow()
    : QWidget(nullptr, Qt::Window)
    , m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    // The program ends when its main window closes, help open or not.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Quillhaven Help"));
    resize(520, 560);
    m_browser->setOpenExternalLinks(true);
    auto *contents = new QPushButton(QStringLiteral("&Contents"), this);
    auto *close = new QPushButton(QStringLiteral("C&lose"), this);
    connect(contents, &QPushButton::clicked, this, [this] { showContext(0); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    layout->addLayout(buttons);
    const QString folder = BundledFiles::find(QStringLiteral("help"));
    if (!folder.isEmpty())
        m_browser->setSearchPaths({folder});
}

void HelpWindow::showContext(int context)
{
    const QString folder = BundledFiles::find(QStringLiteral("help"));
    const QString page = pageFor(context);
    if (folder.isEmpty() || !QFileInfo::exists(QDir(folder).filePath(page)))
        m_browser->setHtml(QStringLiteral("<p>The help pages were not found. They are "
                                          "installed with Quillhaven in its help folder.</p>"));
    else
        m_browser->setSource(QUrl::fromLocalFile(QDir(folder).filePath(page)));
    show();
    raise();
    activateWindow();
}

QString HelpWindow::currentPage() const
{
    return m_browser->source().fileName();
}
