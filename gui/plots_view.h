// The plots of the advance curve, the servo curve and the three maps (one line per load row over
// the map's RPM axis, the operating point marked), in a dock beside the window. They follow every
// change of the set and of the operating point, redrawn after the handler or tick that made it.
#pragma once

#include <QDockWidget>
#include <QTimer>
#include <array>
#include <vector>

#include "app/Hlav.h"

class QChart;
class QChartView;
class QLineSeries;
class QScatterSeries;
class QTabWidget;
class QValueAxis;

class TPlotsView : public QDockWidget {
    Q_OBJECT
  public:
    TPlotsView(const TFormHlav& form, QWidget* parent);
    // After every change the window applied: a redraw is due when the set or the operating
    // point differ from what is drawn.
    void Follow();
    // Draws now (tests and the first showing).
    void Redraw();
    int redraws = 0;  // for tests and measurements

  private:
    struct TPlot {
        QChartView* view = nullptr;
        QChart* chart = nullptr;
        std::vector<QLineSeries*> lines;
        QScatterSeries* point = nullptr;
        QValueAxis* x = nullptr;
        QValueAxis* y = nullptr;
    };
    TPlot MakePlot(int lines);
    void DrawCurve(TPlot& p, TField rpm, TField value, int scale, int point, bool lit);
    void DrawMap(TPlot& p, TMap map, TField axis, int column, int row, bool lit);
    void SetTitles();

    const TFormHlav& form_;
    QTabWidget* tabs_ = nullptr;
    TPlot advance_, servo_;
    std::array<TPlot, 3> maps_;
    std::array<uint8_t, TParamImage::kSize> drawn_{};
    TOperatingPoint drawnPoint_;
    bool drawnLit_ = false;
    uint8_t drawnLanguage_ = 255;
    bool drawnValid_ = false;
    QTimer redraw_;
};
