#include "form_view.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <algorithm>
#include <cstring>

#include "app_icons.h"
#include "plots_view.h"
#include "widgets.h"

volatile int TFormView::stopRequested = 0;

namespace {

// The part of a hint shown as tooltip (before "|") and in the status bar (after it).
QString ShortHint(const std::string& h) {
    const size_t bar = h.find('|');
    return QString::fromStdString(bar == std::string::npos ? h : h.substr(0, bar));
}
QString LongHint(const std::string& h) {
    const size_t bar = h.find('|');
    return QString::fromStdString(bar == std::string::npos ? h : h.substr(bar + 1));
}

void SetBackground(QWidget* w, TColor c, bool fillForFace) {
    // A label paints its background from the window role, a check box from the button role.
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, ModelColor(c));
    pal.setColor(w->backgroundRole(), ModelColor(c));
    w->setPalette(pal);
    w->setAutoFillBackground(fillForFace || c != TColor::BtnFace);
}

// Glyphs of the six picture buttons of the toolbar.
QIcon ToolbarIcon(const std::string& name) {
    static const struct {
        const char* control;
        const char* glyph;
    } kGlyphs[] = {
        {"SpeedButton6", "new"},       {"SpeedButton5", "open"},    {"SpeedButton7", "save"},
        {"SpeedButtonPrint", "print"}, {"SpeedButtonZpet", "undo"}, {"SpeedButtonZnovu", "redo"},
    };
    for (const auto& g : kGlyphs) {
        if (name == g.control) return ToolbarGlyph(QString::fromLatin1(g.glyph));
    }
    return {};
}

// A number wider than its box (the five-digit speeds of the axis row in a wide font) is shown in
// a smaller font, rather than scrolled so that its first digit is cut off.
void FitFontToText(QLineEdit* e) {
    QFont f = e->parentWidget() != nullptr ? e->parentWidget()->font() : QApplication::font();
    const int room = e->width() - 8;  // the frame, the style's margins and the padding
    const int need = QFontMetrics(f).horizontalAdvance(e->text());
    if (need > room && room > 0 && f.pointSizeF() > 0)
        f.setPointSizeF(std::max(6.0, f.pointSizeF() * room / need));
    if (e->font() != f) e->setFont(f);
}

// The frame of a marked field, drawn in orange by itself: the style sheet and the palette of the
// field (enabled, read-only or disabled) have no say in its colour.
class TMarkFrame : public QFrame {
  public:
    explicit TMarkFrame(QWidget* parent) : QFrame(parent) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(QPen(QColor(230, 120, 0), 2));
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
};

// A field marked by a comparison is framed by a child drawn over its edge; its colours stay free
// for the operating point and tuning.
void ApplyMarkFrame(QWidget* w, const TControl& c) {
    if (w->property("marked").toBool() == c.Marked()) return;
    w->setProperty("marked", c.Marked());
    auto* frame = w->findChild<QFrame*>("markFrame", Qt::FindDirectChildrenOnly);
    if (frame == nullptr && c.Marked()) {
        frame = new TMarkFrame(w);
        frame->setObjectName("markFrame");
        frame->setAttribute(Qt::WA_TransparentForMouseEvents);
        frame->setGeometry(w->rect());
    }
    if (frame != nullptr) frame->setVisible(c.Marked());
}

// The short part of the hint, and the note of a mark under it.
QString ToolTipOf(const TControl& c, const QString& text, bool pictureButton) {
    QString tip = c.Hint().empty() && pictureButton ? text : ShortHint(c.Hint());
    if (!c.MarkNote().empty())
        tip += (tip.isEmpty() ? "" : "\n") + QString::fromStdString(c.MarkNote());
    return tip;
}

}  // namespace

TFormView::TFormView(TFormHlav& form, TModalGuard& guard) : form_(form), guard_(guard) {
    setObjectName("FormHlav");
    objects_.assign(form_.model.All().size(), nullptr);
    Build();
    connect(&timer_, &QTimer::timeout, this, &TFormView::Tick);
}

QWidget* TFormView::WidgetOf(const TControl& c) const {
    return qobject_cast<QWidget*>(objects_[c.index]);
}

QAction* TFormView::ActionOf(const TControl& c) const {
    return qobject_cast<QAction*>(objects_[c.index]);
}

void TFormView::Build() {
    client_ = new QWidget(this);
    client_->setObjectName("ClientArea");
    client_->setFixedSize(kClientWidth, kClientHeight);
    // The window is laid out for an 8-point font; labels that want more say so themselves.
    QFont small = client_->font();
    small.setPointSize(8);
    client_->setFont(small);
    client_->setStyleSheet("QLineEdit { padding: 0px 1px; }");
    setCentralWidget(client_);
    objects_[form_.FormHlav.index] = this;

    // Controls are registered parents first, so one pass builds the whole tree.
    for (TControl* c : form_.model.All()) {
        if (c->kind == TControlKind::Form || c->kind == TControlKind::MenuItem ||
            c->kind == TControlKind::MenuSeparator)
            continue;
        QWidget* parent = client_;
        if (c->parent != nullptr && c->parent->kind != TControlKind::Form)
            parent = WidgetOf(*c->parent);
        QWidget* w = Create(*c, parent);
        if (w == nullptr) continue;
        w->setObjectName(QString::fromStdString(c->name));
        objects_[c->index] = w;
        if (c->kind != TControlKind::TabSheet) w->setGeometry(c->left, c->top, c->width, c->height);
        w->setProperty("controlIndex", static_cast<int>(c->index));
        w->installEventFilter(this);
    }
    BuildMenus();
    // The plots stay hidden until the View menu asks for them.
    // They open as a window of their own, so that the main window keeps its size; they can be
    // docked on its right or bottom edge.
    plots_ = new TPlotsView(form_, this);
    addDockWidget(Qt::RightDockWidgetArea, plots_);
    plots_->setFloating(true);
    plots_->hide();
    connect(plots_, &QDockWidget::visibilityChanged, this, [this](bool shown) {
        // Closed with its own button: the menu's check mark follows.
        if (!shown && !plots_->isHidden()) return;
        form_.MenuPlots.UserSetChecked(shown);
        if (QAction* a = ActionOf(form_.MenuPlots)) a->setChecked(shown);
    });
    setWindowIcon(AppIcon());
}

QWidget* TFormView::Create(TControl& c, QWidget* parent) {
    TControl* cp = &c;
    switch (c.kind) {
        case TControlKind::Label: {
            auto* l = new QLabel(parent);
            QFont f = l->font();
            f.setPointSize(c.fontSize);
            f.setBold(c.bold);
            l->setFont(f);
            l->setTextFormat(Qt::PlainText);
            return l;
        }
        case TControlKind::Edit: {
            auto* e = new TFieldEdit(parent);
            connect(e, &QLineEdit::textEdited, this,
                    [cp](const QString& t) { cp->UserSetText(t.toStdString()); });
            e->onLeave = [this, cp] { Fire(*cp, TEvent::Leave); };
            e->onClick = [this, cp] { Fire(*cp, TEvent::EditClick); };
            // Map cells carry the lock against tuning in their context menu.
            e->contextItem = [this, cp](QString& text, bool& checked) {
                if (form_.routes.Find(*cp, TEvent::ContextMenu) == nullptr) return;
                text = QString::fromUtf8(TuningText(form_.language, TTuneText::LockCell));
                checked = form_.CellLocked(*cp);
            };
            e->onContextItem = [this, cp] { Fire(*cp, TEvent::ContextMenu); };
            e->onEnter = [this, cp, e] {
                // The focus moves on first (running the leave event), then the commit.
                e->FocusNext();
                Fire(*cp, TEvent::Enter);
            };
            return e;
        }
        case TControlKind::UpDown:
        case TControlKind::SpinButton: {
            auto* a = new TArrowPair(parent);
            a->onClick = [this, cp](bool up) { Fire(*cp, up ? TEvent::Up : TEvent::Down); };
            return a;
        }
        case TControlKind::CheckBox: {
            auto* b = new TMouseCheckBox(parent);
            connect(b, &QCheckBox::toggled, this, [cp](bool on) { cp->UserSetChecked(on); });
            b->onMouseUp = [this, cp] { Fire(*cp, TEvent::MouseUp); };
            return b;
        }
        case TControlKind::Gauge:
            return new TGaugeWidget(parent);
        case TControlKind::ComboBox: {
            auto* cb = new TPickList(parent);
            cb->setEditable(false);
            for (const std::string& item : c.items) cb->addItem(QString::fromStdString(item));
            cb->setFocusPolicy(Qt::StrongFocus);
            connect(cb, &QComboBox::activated, this, [this, cp](int i) {
                cp->UserSetItemIndex(i);
                Fire(*cp, TEvent::Change);
            });
            return cb;
        }
        case TControlKind::PageControl: {
            tabs_ = new QTabWidget(parent);
            connect(tabs_, &QTabWidget::currentChanged, this,
                    [cp](int i) { cp->UserSetPosition(i); });
            return tabs_;
        }
        case TControlKind::TabSheet: {
            auto* page = new QWidget();
            tabs_->addTab(page, QString::fromStdString(c.Text()));
            return page;
        }
        case TControlKind::GroupBox:
            return new QGroupBox(parent);
        case TControlKind::Button: {
            auto* b = new QPushButton(parent);
            b->setFocusPolicy(Qt::TabFocus);
            const QIcon icon = ToolbarIcon(c.name);
            if (!icon.isNull()) {
                b->setIcon(icon);
                b->setIconSize(QSize(18, 18));
                b->setProperty("pictureButton", true);
            }
            connect(b, &QPushButton::clicked, this, [this, cp] { Fire(*cp, TEvent::Click); });
            return b;
        }
        case TControlKind::StatusBar: {
            status_ = new QLabel(parent);
            statusControl_ = &c;
            status_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            return status_;
        }
        case TControlKind::Image:
            return new TLogoWidget(parent);
        default:
            return nullptr;
    }
}

void TFormView::BuildMenus() {
    QMenuBar* bar = menuBar();
    std::vector<QMenu*> menus(form_.model.All().size(), nullptr);
    for (TControl* c : form_.model.All()) {
        if (c->kind != TControlKind::MenuItem && c->kind != TControlKind::MenuSeparator) continue;
        TControl* cp = c;
        if (c->parent == nullptr) {
            QMenu* m = bar->addMenu(QString::fromStdString(c->Text()));
            m->setObjectName(QString::fromStdString(c->name));
            menus[c->index] = m;
            objects_[c->index] = m->menuAction();
            m->menuAction()->setObjectName(QString::fromStdString(c->name));
            connect(m->menuAction(), &QAction::hovered, this, [this, cp] { ShowHint(cp->Hint()); });
            continue;
        }
        QMenu* m = menus[c->parent->index];
        if (c->kind == TControlKind::MenuSeparator) {
            m->addSeparator();
            continue;
        }
        QAction* a = m->addAction(QString::fromStdString(c->Text()));
        a->setObjectName(QString::fromStdString(c->name));
        if (!c->shortcut.empty()) a->setShortcut(QKeySequence(QString::fromStdString(c->shortcut)));
        a->setShortcutContext(Qt::WindowShortcut);
        const bool checkable = c->parent == &form_.MenuCom || c->parent == &form_.MenuTPmode ||
                               c->parent == &form_.MenuView || c == &form_.MenuRecordLog ||
                               c->parent == &form_.MenuLanguage;
        a->setCheckable(checkable);
        objects_[c->index] = a;
        connect(a, &QAction::triggered, this, [this, cp, a, checkable] {
            // The check marks are the model's: undo Qt's own toggling first.
            if (checkable) a->setChecked(cp->Checked());
            Fire(*cp, TEvent::Click);
        });
        connect(a, &QAction::hovered, this, [this, cp] { ShowHint(cp->Hint()); });
    }
}

// Every event goes to the core's routing table, which knows its handler (if it has one).
void TFormView::Fire(TControl& c, TEvent e) {
    Run([this, &c, e] { form_.Fire(c, e); });
}

void TFormView::Run(const std::function<void()>& handler) {
    // A handler that opens a box may see the user trigger another control meanwhile; one at a
    // time keeps the session state consistent.
    if (inHandler_) return;
    inHandler_ = true;
    handler();
    inHandler_ = false;
    ApplyChanges();
    if (form_.closeRequested) {
        form_.closeRequested = false;
        close();
    }
}

void TFormView::Start() {
    form_.FormCreate();
    form_.CreateAboutWindow();
    // Start-up centres the client area; once the window has its frame, the frame is centred.
    const TPlatform& p = form_.platform;
    centreOnShow_ = form_.FormHlav.left == (p.screenWidth - form_.FormHlav.width) / 2 &&
                    form_.FormHlav.top == (p.screenHeight - form_.FormHlav.height) / 2;
    QWidget::move(form_.FormHlav.left, form_.FormHlav.top);
    resize(std::max(form_.FormHlav.width, kClientWidth),
           std::max(form_.FormHlav.height, kClientHeight) + menuBar()->sizeHint().height());
    ApplyChanges();
    // A coarse timer may fire up to 5 % early; every time-out of the link is counted in ticks.
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.start(55);
}

void TFormView::Tick() {
    if (stopRequested) {
        // A box still open is closed first, as its Cancel, No or OK would close it; the window
        // closes on a later tick, once the handler that opened the box has returned.
        if (guard_.depth > 0 || inHandler_) {
            CloseModalBoxes();
            return;
        }
        stopRequested = 0;
        close();
        return;
    }
    if (guard_.depth > 0 || inHandler_ || shutDown_) return;
    inHandler_ = true;
    form_.Timer1Timer();
    inHandler_ = false;
    ApplyChanges();
}

void TFormView::ApplyNow() {
    ApplyChanges();
    // Layouts and paints only: no input, and the tick does not run inside a handler.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QPixmap TFormView::ClientPicture() const {
    return client_->grab();
}

void TFormView::ApplyChanges() {
    form_.model.TakeChanges([this](TControl& c) { Apply(c); });
    if (plots_ != nullptr) plots_->Follow();
}

void TFormView::Apply(TControl& c) {
    ++appliedChanges;
    QObject* o = objects_[c.index];
    if (o == nullptr) return;
    if (c.kind == TControlKind::Form) {
        setWindowTitle(QString::fromStdString(c.Text()));
        // White while printing, the button face otherwise.
        QPalette pal = client_->palette();
        pal.setColor(QPalette::Window, ModelColor(c.Color()));
        client_->setPalette(pal);
        client_->setAutoFillBackground(true);
        return;
    }
    if (c.kind == TControlKind::MenuItem) {
        auto* a = static_cast<QAction*>(o);
        a->setText(QString::fromStdString(c.Text()));
        a->setChecked(c.Checked());
        a->setEnabled(c.Enabled());
        a->setVisible(c.Visible());
        if (&c == &form_.MenuPlots && plots_ != nullptr && plots_->isHidden() == c.Checked()) {
            if (c.Checked() && plots_->isFloating()) PlacePlots();
            plots_->setVisible(c.Checked());
            if (c.Checked()) plots_->Redraw();
        }
        a->setStatusTip(LongHint(c.Hint()));
        a->setToolTip(ShortHint(c.Hint()));
        if (QMenu* m = a->menu()) m->setTitle(a->text());
        return;
    }
    QWidget* w = static_cast<QWidget*>(o);
    const QString text = QString::fromStdString(c.Text());
    switch (c.kind) {
        case TControlKind::Label: {
            auto* l = static_cast<QLabel*>(w);
            if (l->text() != text) l->setText(text);
            // A coloured background marks the text only (the empty scale strips keep their design
            // size); measuring the text is left out for plain labels, which change on every frame.
            if (c.Color() != TColor::BtnFace && !text.isEmpty())
                l->resize(l->sizeHint().width(), c.height);
            else if (l->width() != c.width)
                l->resize(c.width, c.height);
            SetBackground(l, c.Color(), false);
            QPalette pal = l->palette();
            pal.setColor(QPalette::WindowText, ModelColor(c.FontColor()));
            l->setPalette(pal);
            break;
        }
        case TControlKind::Edit: {
            auto* e = static_cast<QLineEdit*>(w);
            if (e->text() != text) {
                e->setText(text);
                FitFontToText(e);
            }
            QPalette pal = e->palette();
            pal.setColor(QPalette::Base, ModelColor(c.Color()));
            pal.setColor(QPalette::Text, c.FontColor() == TColor::Black
                                             ? QApplication::palette().color(QPalette::Text)
                                             : ModelColor(c.FontColor()));
            e->setPalette(pal);
            ApplyMarkFrame(e, c);
            break;
        }
        case TControlKind::CheckBox: {
            auto* b = static_cast<QCheckBox*>(w);
            b->setText(text);
            if (b->isChecked() != c.Checked()) {
                const bool blocked = b->blockSignals(true);
                b->setChecked(c.Checked());
                b->blockSignals(blocked);
            }
            SetBackground(b, c.Color(), false);
            break;
        }
        case TControlKind::Gauge:
            static_cast<TGaugeWidget*>(w)->Set(c.Position(), c.Max(), ModelColor(c.Color()));
            break;
        case TControlKind::ComboBox: {
            auto* cb = static_cast<QComboBox*>(w);
            if (cb->count() != static_cast<int>(c.items.size())) {
                const bool blocked = cb->blockSignals(true);
                cb->clear();
                for (const std::string& item : c.items) cb->addItem(QString::fromStdString(item));
                cb->blockSignals(blocked);
            }
            if (cb->currentIndex() != c.ItemIndex()) {
                const bool blocked = cb->blockSignals(true);
                cb->setCurrentIndex(c.ItemIndex());
                cb->blockSignals(blocked);
            }
            break;
        }
        case TControlKind::PageControl:
            if (tabs_->currentIndex() != c.Position()) {
                const bool blocked = tabs_->blockSignals(true);
                tabs_->setCurrentIndex(c.Position());
                tabs_->blockSignals(blocked);
            }
            break;
        case TControlKind::TabSheet: {
            const int i = tabs_->indexOf(w);
            if (i >= 0) {
                tabs_->setTabText(i, text);
                tabs_->setTabVisible(i, c.Visible());
                tabs_->setTabToolTip(i, ShortHint(c.Hint()));
            }
            return;
        }
        case TControlKind::GroupBox:
            static_cast<QGroupBox*>(w)->setTitle(text);
            break;
        case TControlKind::Button:
            // The six picture buttons show their glyph; their caption serves as the tooltip.
            if (!w->property("pictureButton").toBool()) static_cast<QPushButton*>(w)->setText(text);
            break;
        case TControlKind::StatusBar:
            static_cast<QLabel*>(w)->setText(text);
            break;
        default:
            break;
    }
    if (w->isVisibleTo(w->parentWidget()) != c.Visible() || w->isHidden() == c.Visible())
        w->setVisible(c.Visible());
    w->setEnabled(c.Enabled());
    w->setToolTip(ToolTipOf(c, text, w->property("pictureButton").toBool()));
}

// A hint covers the status bar while the pointer rests on its control; without one the status
// bar shows its own text again (a log running, what tuning is doing).
// Beside the main window where the screen has room, else over its right part.
void TFormView::PlacePlots() {
    const QRect screen = this->screen()->availableGeometry();
    const QRect frame = frameGeometry();
    QSize size(640, 480);
    size = size.boundedTo(screen.size());
    int x = frame.right() + 1;
    if (x + size.width() > screen.right() + 1) x = screen.right() + 1 - size.width();
    int y = std::clamp(frame.top(), screen.top(), screen.bottom() + 1 - size.height());
    plots_->setGeometry(QRect(QPoint(std::max(x, screen.left()), y), size));
}

void TFormView::ShowHint(const std::string& hint) {
    if (status_ == nullptr) return;
    if (hint.empty() && statusControl_ != nullptr)
        status_->setText(QString::fromStdString(statusControl_->Text()));
    else
        status_->setText(LongHint(hint));
}

bool TFormView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
        const QVariant index = watched->property("controlIndex");
        if (index.isValid()) {
            const int i = index.toInt();
            const std::string& hint = form_.model.All()[static_cast<size_t>(i)]->Hint();
            if (!hint.empty()) ShowHint(event->type() == QEvent::Enter ? hint : std::string());
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFormView::Shutdown() {
    if (shutDown_) return;
    shutDown_ = true;
    timer_.stop();
    // The window's place and size as the user left them.
    form_.FormHlav.left = x();
    form_.FormHlav.top = y();
    form_.FormHlav.width = width();
    form_.FormHlav.height = height() - menuBar()->height();
    form_.FormClose();
}

// Enter pressed where no edit box takes it (a check box, a button, the window itself): the focus
// moves on and the editor's values are committed, as from an edit box.
void TFormView::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        e->accept();
        focusNextChild();
        Fire(form_.FormHlav, TEvent::Enter);
        return;
    }
    QMainWindow::keyPressEvent(e);
}

void TFormView::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (!centreOnShow_) return;
    centreOnShow_ = false;
    // The frame is known only once the window manager has put it around the window.
    QTimer::singleShot(0, this, [this] {
        const TPlatform& p = form_.platform;
        const QRect frame = frameGeometry();
        move((p.screenWidth - frame.width()) / 2, (p.screenHeight - frame.height()) / 2);
    });
}

void TFormView::closeEvent(QCloseEvent* e) {
    Shutdown();
    e->accept();
}
