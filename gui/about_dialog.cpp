#include "about_dialog.h"

#include <QDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "app_icons.h"

namespace {

// The "OK" label: a click closes the window through the model's handler.
class TExitLabel : public QLabel {
  public:
    TExitLabel(QWidget* parent, TFormAbout& about, QDialog& dialog)
        : QLabel(parent), about_(about), dialog_(dialog) {
        setCursor(Qt::PointingHandCursor);
    }

  protected:
    void mouseReleaseEvent(QMouseEvent* e) override {
        QLabel::mouseReleaseEvent(e);
        if (!rect().contains(e->position().toPoint())) return;
        about_.Button1Click();
        if (about_.closeRequested) dialog_.accept();
    }

  private:
    TFormAbout& about_;
    QDialog& dialog_;
};

// The maker's logo, Image1.
class TAboutLogo : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        DrawAboutLogo(p, rect());
    }
};

}  // namespace

void RunAboutDialog(QWidget* parent, TFormAbout& about) {
    QDialog dialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    dialog.setObjectName("FormAbout");
    dialog.setWindowTitle(QString::fromStdString(about.FormAbout.Text()));
    dialog.setWindowIcon(AppIcon());
    dialog.setFixedSize(kAboutClientWidth, kAboutClientHeight);
    QPalette pal = dialog.palette();
    pal.setColor(QPalette::Window, Qt::white);
    dialog.setPalette(pal);
    dialog.setAutoFillBackground(true);
    for (TControl* c : about.model.All()) {
        if (c->kind == TControlKind::Form) continue;
        QWidget* w = nullptr;
        if (c->kind == TControlKind::Image) {
            w = new TAboutLogo(&dialog);
        } else {
            QLabel* l = c == &about.LabelExit ? new TExitLabel(&dialog, about, dialog)
                                              : new QLabel(&dialog);
            l->setText(QString::fromStdString(c->Text()));
            l->setTextFormat(Qt::PlainText);
            QFont f = l->font();
            f.setPixelSize(c->fontSize >= 12 ? c->fontSize + 4 : 12);
            f.setBold(c->bold);
            l->setFont(f);
            w = l;
        }
        w->setObjectName(QString::fromStdString(c->name));
        w->setGeometry(c->left, c->top, c->width, c->height);
    }
    // Centred on the screen by the About window's own rule, whatever its owner.
    dialog.move(about.FormAbout.left, about.FormAbout.top);
    dialog.exec();
}
