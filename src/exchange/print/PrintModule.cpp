// The print module: the platform's print dialog and Qt's preview. It is a library of its own
// so that Qt Print Support is loaded only when the user prints.
#include "exchange/PrintJob.h"

#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

// The paper and margins chosen in the last preview: the next one starts there, as the user
// who prints on A5 does not want to pick it again for every folder.
QPageLayout &lastLayout()
{
    static QPageLayout layout;
    return layout;
}

bool paintAll(const RubricaPrintJob &job, QPrinter *printer)
{
    QPainter painter;
    if (!painter.begin(printer))
        return false;
    const QRectF area = printer->pageLayout().paintRectPixels(printer->resolution());
    for (int page = 0; page < job.pageCount; ++page) {
        if (page > 0 && !printer->newPage())
            return false;
        job.paint(job.context, &painter, &area, page);
    }
    return painter.end();
}

} // namespace

extern "C" Q_DECL_EXPORT int rubricaPrint(const RubricaPrintJob *job)
{
    if (!job || job->version != RubricaPrintJobVersion || !job->paint)
        return -1;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromUtf8(job->title));
    printer.setFullPage(false);
    if (job->outputFile) {
        printer.setPageSize(QPageSize(job->a5 ? QPageSize::A5 : QPageSize::A4));
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromUtf8(job->outputFile));
        return paintAll(*job, &printer) ? 1 : -1;
    }
    // The printer's own paper the first time; the preview's page setup offers A4, A5 and the rest.
    if (lastLayout().isValid())
        printer.setPageLayout(lastLayout());
    // The preview's own print button opens the platform's print dialog.
    QPrintPreviewDialog preview(&printer, job->parent);
    bool painted = true;
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [job, &painted](QPrinter *target) { painted = paintAll(*job, target) && painted; });
    const int accepted = preview.exec() == QDialog::Accepted;
    lastLayout() = printer.pageLayout();
    return painted ? accepted : -1;
}
