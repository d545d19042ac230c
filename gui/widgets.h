// The few widgets the window needs beyond Qt's own: the up-down spinner, the bar gauge, the
// edit box with the editor's events, the check box that reports a mouse release, the logo.
#pragma once

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>
#include <QWidget>
#include <functional>

#include "ui/controls.h"

QColor ModelColor(TColor c);

// Two arrow buttons, one over the other. Clicks repeat while held.
class TArrowPair : public QWidget {
    Q_OBJECT
  public:
    explicit TArrowPair(QWidget* parent);
    std::function<void(bool up)> onClick;
    QToolButton* up() const { return up_; }
    QToolButton* down() const { return down_; }

  protected:
    void resizeEvent(QResizeEvent*) override;
    void wheelEvent(QWheelEvent* e) override;

  private:
    QToolButton* up_;
    QToolButton* down_;
};

// A horizontal bar: value from 0 to a maximum in the foreground colour, no text.
class TGaugeWidget : public QWidget {
    Q_OBJECT
  public:
    explicit TGaugeWidget(QWidget* parent) : QWidget(parent) {}
    void Set(int value, int max, QColor colour);

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    int value_ = 0, max_ = 100;
    QColor colour_ = Qt::cyan;
};

class TFieldEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit TFieldEdit(QWidget* parent) : QLineEdit(parent) {}
    std::function<void()> onLeave;  // the focus moved to another control of the window
    std::function<void()> onClick;  // a mouse click into the box
    std::function<void()> onEnter;  // Enter: the focus has already moved on
    // The box's own command at the end of its context menu (a map cell: lock against tuning);
    // the text is empty for boxes without one, checked gives its check mark.
    std::function<void(QString& text, bool& checked)> contextItem;
    std::function<void()> onContextItem;
    void FocusNext() { focusNextChild(); }

  protected:
    bool event(QEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
};

class TMouseCheckBox : public QCheckBox {
    Q_OBJECT
  public:
    explicit TMouseCheckBox(QWidget* parent) : QCheckBox(parent) {}
    std::function<void()> onMouseUp;

  protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
};

// A pick-only list that the mouse wheel changes only while it has the keyboard focus.
class TPickList : public QComboBox {
    Q_OBJECT
  public:
    explicit TPickList(QWidget* parent) : QComboBox(parent) {}

  protected:
    void wheelEvent(QWheelEvent* e) override;
};

class TLogoWidget : public QWidget {
    Q_OBJECT
  public:
    explicit TLogoWidget(QWidget* parent) : QWidget(parent) {}

  protected:
    void paintEvent(QPaintEvent*) override;
};
