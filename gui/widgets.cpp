#include "widgets.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPalette>
#include <QWheelEvent>
#include <memory>

#include "app_icons.h"

QColor ModelColor(TColor c) {
    switch (c) {
        case TColor::BtnFace:
            return QApplication::palette().color(QPalette::Button);
        case TColor::Window:
            return QApplication::palette().color(QPalette::Base);
        case TColor::Red:
            return QColor(255, 0, 0);
        case TColor::Yellow:
            return QColor(255, 255, 0);
        case TColor::Aqua:
            return QColor(0, 255, 255);
        case TColor::Lime:
            return QColor(0, 255, 0);
        case TColor::Fuchsia:
            return QColor(255, 0, 255);
        case TColor::White:
            return QColor(255, 255, 255);
        case TColor::Blue:
            return QColor(0, 0, 255);
        case TColor::Black:
            return QColor(0, 0, 0);
    }
    return QColor();
}

TArrowPair::TArrowPair(QWidget* parent) : QWidget(parent) {
    up_ = new QToolButton(this);
    down_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setAutoRepeatDelay(400);
        b->setAutoRepeatInterval(80);
        b->setFocusPolicy(Qt::NoFocus);
        b->setIconSize(QSize(6, 6));
    }
    connect(up_, &QToolButton::clicked, this, [this] {
        if (onClick) onClick(true);
    });
    connect(down_, &QToolButton::clicked, this, [this] {
        if (onClick) onClick(false);
    });
}

void TArrowPair::resizeEvent(QResizeEvent*) {
    const int h = height() / 2;
    up_->setGeometry(0, 0, width(), h);
    down_->setGeometry(0, h, width(), height() - h);
}

// The wheel never changes a value here: only a focused field may react to it, and fields do not.
void TArrowPair::wheelEvent(QWheelEvent* e) {
    e->ignore();
}

void TGaugeWidget::Set(int value, int max, QColor colour) {
    if (value == value_ && max == max_ && colour == colour_) return;
    value_ = value;
    max_ = max;
    colour_ = colour;
    update();
}

void TGaugeWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (max_ > 0) {
        const int w = static_cast<int>(static_cast<long long>(width() - 2) * value_ / max_);
        p.fillRect(QRect(1, 1, w, height() - 2), colour_);
    }
    p.setPen(QColor(128, 128, 128));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

namespace {

// The window's Undo (Ctrl+Z) and Redo (Ctrl+Alt+Z), and the text undo keys of an edit box.
bool IsUndoRedoKey(const QKeyEvent* k) {
    const bool ctrlAltZ =
        k->key() == Qt::Key_Z && k->modifiers() == (Qt::ControlModifier | Qt::AltModifier);
    return ctrlAltZ || k->matches(QKeySequence::Undo) || k->matches(QKeySequence::Redo);
}

}  // namespace

// Undo and redo are the window's, wherever the focus is: the box does not keep the keys for its
// own text undo, so the menu's shortcuts get them.
bool TFieldEdit::event(QEvent* e) {
    if (e->type() == QEvent::ShortcutOverride && IsUndoRedoKey(static_cast<QKeyEvent*>(e))) {
        e->ignore();
        return true;
    }
    return QLineEdit::event(e);
}

void TFieldEdit::contextMenuEvent(QContextMenuEvent* e) {
    QString text;
    bool checked = false;
    if (contextItem) contextItem(text, checked);
    std::unique_ptr<QMenu> menu(createStandardContextMenu());
    QAction* own = nullptr;
    if (!text.isEmpty()) {
        menu->addSeparator();
        own = menu->addAction(text);
        own->setCheckable(true);
        own->setChecked(checked);
    }
    if (menu->exec(e->globalPos()) == own && own != nullptr && onContextItem) onContextItem();
}

void TFieldEdit::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    // Leaving the box for another control counts; the window losing the focus does not.
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason) return;
    if (onLeave) onLeave();
}

void TFieldEdit::mouseReleaseEvent(QMouseEvent* e) {
    QLineEdit::mouseReleaseEvent(e);
    if (onClick && rect().contains(e->position().toPoint())) onClick();
}

void TFieldEdit::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        e->accept();
        if (onEnter) onEnter();
        return;
    }
    if (IsUndoRedoKey(e)) {
        e->ignore();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void TFieldEdit::wheelEvent(QWheelEvent* e) {
    e->ignore();
}

void TMouseCheckBox::mouseReleaseEvent(QMouseEvent* e) {
    QCheckBox::mouseReleaseEvent(e);
    if (onMouseUp && rect().contains(e->position().toPoint())) onMouseUp();
}

void TPickList::wheelEvent(QWheelEvent* e) {
    if (hasFocus())
        QComboBox::wheelEvent(e);
    else
        e->ignore();
}

void TLogoWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    DrawMainLogo(p, rect());
}
