// The Qt window of the main window model: one widget per control, named after it. User input goes
// into the model and calls the handler; after every handler and every tick only the controls the
// model reports as changed are applied to their widgets.
#pragma once

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QTabWidget>
#include <QTimer>
#include <functional>
#include <vector>

#include "app/Hlav.h"
#include "qt_services.h"

class TFormView : public QMainWindow, public TScreen {
    Q_OBJECT
  public:
    TFormView(TFormHlav& form, TModalGuard& guard);

    // Runs start-up (FormCreate), shows the result and starts the 55 ms tick.
    void Start();
    // The shut-down sequence, once, whichever way the window closes.
    void Shutdown();
    // Applies the model's changes to the widgets.
    void ApplyChanges();
    // One tick, as the timer runs it (held back while a modal box is open).
    void Tick();
    // The model's changes on the widgets at once, and painted (printing takes their picture).
    void ApplyNow() override;
    // The client area as it is drawn now.
    QPixmap ClientPicture() const;

    // An event of a window of the front end beside this one (the comparison table), handled as
    // the main window's own.
    void Forward(TControl& c, TEvent e) { Fire(c, e); }

    QWidget* WidgetOf(const TControl& c) const;
    class TPlotsView* Plots() const {
        return plots_;
    }
    const QTimer& TickTimer() const { return timer_; }
    QAction* ActionOf(const TControl& c) const;
    int appliedChanges = 0;             // controls applied so far, for tests and measurements
    static volatile int stopRequested;  // set from a signal handler: close at the next tick

  protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Build();
    void BuildMenus();
    QWidget* Create(TControl& c, QWidget* parent);
    void Apply(TControl& c);
    void Run(const std::function<void()>& handler);
    void Fire(TControl& c, TEvent e);
    void ShowHint(const std::string& hint);
    void PlacePlots();

    TFormHlav& form_;
    TModalGuard& guard_;
    QTimer timer_;
    QWidget* client_ = nullptr;
    QLabel* status_ = nullptr;
    const TControl* statusControl_ = nullptr;  // the status bar's own text, under the hints
    QTabWidget* tabs_ = nullptr;
    std::vector<QObject*> objects_;  // by control index
    class TPlotsView* plots_ = nullptr;
    bool shutDown_ = false;
    bool centreOnShow_ = false;  // no stored place: the framed window is centred once shown
    bool inHandler_ = false;
};
