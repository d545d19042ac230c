#include "plots_view.h"

#include <QChart>
#include <QChartView>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTabWidget>
#include <QValueAxis>
#include <cstring>

namespace {

constexpr TMap kMaps[3] = {TMap::JetTp, TMap::JetTpi, TMap::JetIap};
constexpr TField kMapAxes[3] = {TField::RPM_JET_TP, TField::RPM_JET_TPi, TField::RPM_JET_IAP};

bool SamePoint(const TOperatingPoint& a, const TOperatingPoint& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The axis from 0 to a round value above top (ticks on round speeds and values). It stays while
// top keeps well inside it, so that a cell's step does not lay the whole chart out anew.
void FitAxis(QValueAxis* a, double top) {
    if (top * 1.05 <= a->max() && top >= a->max() * 0.6) return;
    a->setRange(0, top * 1.1);
    a->applyNiceNumbers();
}

}  // namespace

TPlotsView::TPlotsView(const TFormHlav& form, QWidget* parent) : QDockWidget(parent), form_(form) {
    setObjectName("DockPlots");
    setAllowedAreas(Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("PlotsTabs");
    tabs_->setMinimumSize(480, 360);
    setWidget(tabs_);
    advance_ = MakePlot(1);
    servo_ = MakePlot(1);
    for (TPlot& m : maps_) m = MakePlot(10);
    for (TPlot* p : {&advance_, &servo_, &maps_[0], &maps_[1], &maps_[2]})
        tabs_->addTab(p->view, "");
    redraw_.setSingleShot(true);
    connect(&redraw_, &QTimer::timeout, this, &TPlotsView::Redraw);
}

TPlotsView::TPlot TPlotsView::MakePlot(int lines) {
    TPlot p;
    p.chart = new QChart();
    // The ten load rows are listed beside the plot, where their names have room, each in a
    // colour of its own from blue (no load) to red (full load).
    p.chart->legend()->setVisible(lines > 1);
    p.chart->legend()->setAlignment(Qt::AlignRight);
    p.x = new QValueAxis();
    p.y = new QValueAxis();
    p.x->setLabelFormat("%d");
    p.y->setLabelFormat("%d");
    p.chart->addAxis(p.x, Qt::AlignBottom);
    p.chart->addAxis(p.y, Qt::AlignLeft);
    for (int i = 0; i < lines; ++i) {
        auto* s = new QLineSeries();
        p.chart->addSeries(s);
        if (lines > 1) s->setColor(QColor::fromHsv(240 - 240 * i / (lines - 1), 230, 210));
        s->attachAxis(p.x);
        s->attachAxis(p.y);
        p.lines.push_back(s);
    }
    p.point = new QScatterSeries();
    p.point->setColor(QColor(0, 200, 0));
    p.point->setMarkerSize(12);
    p.chart->addSeries(p.point);
    p.point->attachAxis(p.x);
    p.point->attachAxis(p.y);
    p.chart->legend()->markers(p.point).value(0)->setVisible(false);
    p.view = new QChartView(p.chart);
    p.view->setRenderHint(QPainter::Antialiasing);
    return p;
}

void TPlotsView::Follow() {
    if (!isVisible() || redraw_.isActive()) return;
    const bool lit = form_.monitor.rpm != 0;
    const bool same = drawnValid_ &&
                      std::memcmp(drawn_.data(), form_.image.Data(), drawn_.size()) == 0 &&
                      SamePoint(drawnPoint_, form_.operatingPoint) && drawnLit_ == lit &&
                      drawnLanguage_ == form_.language;
    // Drawn after the handler or tick that made the change, never inside it.
    if (!same) redraw_.start(0);
}

void TPlotsView::Redraw() {
    ++redraws;
    std::memcpy(drawn_.data(), form_.image.Data(), drawn_.size());
    drawnPoint_ = form_.operatingPoint;
    drawnLit_ = form_.monitor.rpm != 0;
    drawnValid_ = true;
    const TOperatingPoint& op = form_.operatingPoint;
    DrawCurve(advance_, TField::RPM_ADV, TField::ADVANCE, 1, op.advanceIndex,
              !op.belowAdvanceCurve);
    DrawCurve(servo_, TField::RPM_PRIV, TField::NAP_PRIV, 20, op.servoIndex, true);
    const bool tpMap = form_.monitor.tpMapActive != 0 && form_.monitor.mapSuspended == 0;
    const bool iapMap = form_.monitor.tpMapActive == 0 && form_.monitor.mapSuspended == 0;
    DrawMap(maps_[0], kMaps[0], kMapAxes[0], op.tp14Column, op.tpRow, drawnLit_ && tpMap);
    DrawMap(maps_[1], kMaps[1], kMapAxes[1], op.tp23Column, op.tpRow, drawnLit_ && tpMap);
    DrawMap(maps_[2], kMaps[2], kMapAxes[2], op.iapColumn, op.iapRow, drawnLit_ && iapMap);
    if (drawnLanguage_ != form_.language) SetTitles();
    drawnLanguage_ = form_.language;
}

// A curve over its RPM axis; scale turns the stored value into the unit shown (mV for the servo).
void TPlotsView::DrawCurve(TPlot& p, TField rpm, TField value, int scale, int point, bool lit) {
    QList<QPointF> pts;
    int top = 1;
    for (int k = 0; k < 10; ++k) {
        const int v = form_.image.Get(value, k) * scale;
        pts.append(QPointF(form_.image.Get(rpm, k) * 100, v));
        top = std::max(top, v);
    }
    p.lines[0]->replace(pts);
    FitAxis(p.x, std::max(1000.0, pts.last().x() + 500));
    FitAxis(p.y, top);
    p.point->clear();
    if (lit) p.point->append(pts[point]);
}

// One line per load row over the map's RPM axis.
void TPlotsView::DrawMap(TPlot& p, TMap map, TField axis, int column, int row, bool lit) {
    int top = 1;
    for (int r = 0; r < 10; ++r) {
        QList<QPointF> pts;
        for (int c = 0; c < 10; ++c) {
            const int v = form_.image.Cell(map, r, c);
            pts.append(QPointF(form_.image.Get(axis, c) * 100, v));
            top = std::max(top, v);
        }
        p.lines[static_cast<size_t>(r)]->replace(pts);
    }
    FitAxis(p.x, std::max(1000, form_.image.Get(axis, 9) * 100 + 500));
    FitAxis(p.y, top);
    p.point->clear();
    if (lit)
        p.point->append(
            QPointF(form_.image.Get(axis, column) * 100, form_.image.Cell(map, row, column)));
}

// Tab titles, row names and axis titles from the window's own captions in the language shown.
void TPlotsView::SetTitles() {
    const TFormHlav& f = form_;
    const QString rpm = QString::fromStdString(f.Label1.Text());
    tabs_->setTabText(0, QString::fromStdString(f.GroupBox1.Text()));
    tabs_->setTabText(1, QString::fromStdString(f.TabSheet_Servo.Text()));
    const TControl* pages[3] = {&f.TabSheet_Tp14, &f.TabSheet_Tp23, &f.TabSheet_Iap};
    const TMainWindow::TMapGrid* grids[3] = {&f.Tp14, &f.Tp23, &f.Iap};
    for (int i = 0; i < 3; ++i) {
        tabs_->setTabText(2 + i, QString::fromStdString(pages[i]->Text()).trimmed());
        for (int r = 0; r < 10; ++r)
            maps_[static_cast<size_t>(i)].lines[static_cast<size_t>(r)]->setName(
                QString::fromStdString(grids[i]->rowLabel[r].Text()));
        maps_[static_cast<size_t>(i)].y->setTitleText("%");
    }
    for (TPlot* p : {&advance_, &servo_, &maps_[0], &maps_[1], &maps_[2]}) p->x->setTitleText(rpm);
    advance_.y->setTitleText(QString::fromUtf8("\xC2\xB0"));
    servo_.y->setTitleText("mV");
    setWindowTitle(QString::fromStdString(f.MenuPlots.Text()));
}
