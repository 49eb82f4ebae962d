// Produces the README's example documents: opens the main window on a port (the simulated
// controllers), runs a report and then a protocol over every controller as a user would (the
// controller choice, the template, the progress dialog), pictures the progress dialog when the run is
// over, and renders the pages of one protocol with Qt's rich-text layout, broken into pages as a
// browser prints it.
#include "auinfowidget.h"
#include "aupropertieswidget.h"
#include "mainwindow.h"
#include "readingrynsprogressdialog.h"
#include "rynselectdialog.h"
#include "settings.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

// Answers the modal dialogs of one run as they come up; calls `done` when the run is over.
class RunDriver : public QObject
{
public:
    // The documents go into `folder` under the template the dialog offers (the default names).
    RunDriver(const QString &folder, const QString &progressPicture, std::function<void()> done)
        : m_folder(folder)
        , m_progressPicture(progressPicture)
        , m_done(std::move(done))
    {
        connect(&m_timer, &QTimer::timeout, this, &RunDriver::step);
        m_timer.start(50);
    }

private:
    void step()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *choice = qobject_cast<RynSelectDialog *>(modal)) {
            choice->findChild<QRadioButton *>(QString::number(RynSelectDialog::AllRyns))->click();
            choice->findChild<QPushButton *>(QStringLiteral("applyButton"))->click();
        } else if (auto *files = qobject_cast<QFileDialog *>(modal)) {
            files->setDirectory(m_folder);
            static_cast<QDialog *>(files)->accept();
        } else if (auto *progress = qobject_cast<ReadingRynsProgressDialog *>(modal)) {
            m_seenProgress = true;
            if (!progress->closeButton()->isVisible())
                return;
            if (!m_progressPicture.isEmpty() && !progress->grab().save(m_progressPicture))
                std::fprintf(stderr, "cannot write %s\n", qPrintable(m_progressPicture));
            progress->closeButton()->click();
        } else if (m_seenProgress && !modal) {
            m_timer.stop();
            m_done();
        }
    }

    QTimer m_timer;
    QString m_folder;
    QString m_progressPicture;
    std::function<void()> m_done;
    bool m_seenProgress = false;
};

// The pages of the HTML file side by side.
bool renderPages(const QString &htmlFile, const QString &picture)
{
    QFile file(htmlFile);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QTextDocument document;
    document.setHtml(QString::fromUtf8(file.readAll()));
    // Qt makes each line of a <pre> a block of its own, each carrying the element's page break; a
    // browser breaks once, before the element.
    bool previousBreaks = false;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        const bool breaks = format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore;
        if (breaks && previousBreaks) {
            format.setPageBreakPolicy(format.pageBreakPolicy() & ~QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(block).setBlockFormat(format);
        }
        previousBreaks = breaks;
    }
    // A4 proportions, wide enough for the lines the header draws to their full length.
    const qreal width = qMax<qreal>(794, document.idealWidth());
    const QSizeF page(width, width * 297 / 210);
    document.setPageSize(page);
    // A long type summary carries the table over to a second page, before the footnotes' page.
    const int pages = document.pageCount();
    const int gap = 16;
    QImage image(int(page.width()) * pages + gap * (pages + 1), int(page.height()) + 2 * gap,
                 QImage::Format_RGB32);
    image.fill(QColor(QStringLiteral("lightgray")));
    QPainter painter(&image);
    for (int index = 0; index < pages; ++index) {
        painter.save();
        const QPointF origin(gap + index * (page.width() + gap), gap);
        painter.fillRect(QRectF(origin, page), Qt::white);
        painter.translate(origin.x(), origin.y() - index * page.height());
        document.drawContents(&painter, QRectF(QPointF(0, index * page.height()), page));
        painter.restore();
    }
    painter.end();
    return image.save(picture);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(images);
    if (argc < 4) {
        std::fprintf(stderr, "usage: ryn-examples DOCUMENTS_DIR IMAGES_DIR PORT\n");
        return 2;
    }
    const QDir documents(QString::fromLocal8Bit(argv[1]));
    const QDir images(QString::fromLocal8Bit(argv[2]));
    const QString port = QString::fromLocal8Bit(argv[3]);

    // The program's data files sit next to this executable; its settings go to a scratch file.
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    QTemporaryDir scratch;
    Settings::fileName = scratch.filePath(QStringLiteral("TestRYN.ini"));
    Settings::PrgParams params;
    params.portName = port;
    params.rynAddr = 2;
    Settings::writePrgParams(params);

    MainWindow window;
    window.setLanguage(QStringLiteral("RU"));
    // Russian documents whatever the machine's locale: the month names and the decimal comma.
    window.setDocumentLocale(QLocale(QLocale::Russian, QLocale::Russia));
    window.resize(1600, 1000);
    window.show();
    AuPropertiesWidget *page = window.auInfoWidget()->propertiesWidget();

    std::unique_ptr<RunDriver> driver;
    const auto protocolRun = [&] {
        driver = std::make_unique<RunDriver>(documents.path(), QString(), [&] {
            const QString protocol =
                documents.filePath(documents.entryList({QStringLiteral("* 2.htm")}, QDir::Files).value(0));
            const QString picture = images.filePath(QStringLiteral("protocol.png"));
            const bool ok = renderPages(protocol, picture);
            std::printf("%s\n", qPrintable(ok ? picture : QStringLiteral("cannot render ") + protocol));
            app.exit(ok ? 0 : 1);
        });
        page->protocolAction()->trigger();
    };
    // The start-up search selects controller 2; the run starts once its blocks are on show.
    QTimer::singleShot(8000, &window, [&] {
        driver = std::make_unique<RunDriver>(documents.path(),
                                             images.filePath(QStringLiteral("report-progress.png")),
                                             [&] { QTimer::singleShot(0, &window, protocolRun); });
        page->reportAction()->trigger();
    });
    return app.exec();
}
