#include "qt_printing.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include "ui/print.h"

namespace {

TPrintResult Failure(const QString& reason) {
    TPrintResult r;
    r.kind = TPrintResult::TKind::Failed;
    r.reason = reason.toStdString();
    return r;
}

}  // namespace

TPrintResult TQtPrinter::PrintWindow() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!forcePdf && !info.isNull()) {
        QPrinter printer(info, QPrinter::HighResolution);
        return PrintTo(printer, {});
    }
    QString folder = pdfFolder;
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return Failure(QStringLiteral("no documents folder to write the PDF into"));
    const QString name =
        "Quorvel05 " + QDateTime::currentDateTime().toString("yyyy-MM-dd hh-mm-ss") + ".pdf";
    const QString path = QDir(folder).filePath(name);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return PrintTo(printer, path);
}

TPrintResult TQtPrinter::PrintTo(QPrinter& printer, const QString& pdf) {
    printer.setDocName(QStringLiteral("Quorvel 05"));
    printer.setFullPage(false);
    lastPicture = picture_();
    if (lastPicture.isNull()) return Failure(QStringLiteral("the window could not be drawn"));
    QPainter painter;
    if (!painter.begin(&printer))
        return Failure(pdf.isEmpty() ? QStringLiteral("the printer cannot be opened")
                                     : QStringLiteral("%1 cannot be written").arg(pdf));
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    lastPage = page;
    const TPrintRect fit =
        FitToPage(lastPicture.width(), lastPicture.height(), page.width(), page.height());
    lastTarget = QRect(0, 0, fit.width, fit.height);
    painter.drawPixmap(lastTarget, lastPicture);
    const bool ended = painter.end();
    if (!ended || printer.printerState() == QPrinter::Error)
        return Failure(QStringLiteral("the print job failed"));
    TPrintResult r;
    if (pdf.isEmpty()) {
        r.kind = TPrintResult::TKind::Printed;
        return r;
    }
    if (QFileInfo(pdf).size() <= 0) return Failure(QStringLiteral("%1 cannot be written").arg(pdf));
    r.kind = TPrintResult::TKind::SavedAsPdf;
    r.where = pdf.toStdString();
    return r;
}
