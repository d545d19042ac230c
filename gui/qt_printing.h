// The printout through Qt's print support: the client area's picture on the default printer as
// one page scaled to fit, or, where no printer is installed, as a one-page PDF in the user's
// documents folder.
#pragma once

#include <QPixmap>
#include <QRect>
#include <QString>
#include <functional>

#include "app/platform.h"

class TQtPrinter : public TPrinter {
  public:
    // picture gives the client area as currently drawn.
    explicit TQtPrinter(std::function<QPixmap()> picture) : picture_(std::move(picture)) {}
    TPrintResult PrintWindow() override;

    // Where the PDF goes when there is no printer: the documents folder unless set.
    QString pdfFolder;
    // Print into a PDF even when a printer is installed.
    bool forcePdf = false;
    // The last picture taken and the rectangle it was drawn in, in device pixels.
    QPixmap lastPicture;
    QRect lastTarget;
    QRect lastPage;  // the printable area

  private:
    TPrintResult PrintTo(class QPrinter& printer, const QString& pdf);
    std::function<QPixmap()> picture_;
};
