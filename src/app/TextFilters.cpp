#include "TextFilters.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <utility>

namespace {

// The box's own menu, whose Paste runs `paste` instead.
void showMenuPastingWith(QLineEdit* box, QObject* context, QContextMenuEvent* event,
                         const std::function<void()>& paste) {
    QMenu* menu = box->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (QAction* action : menu->actions()) {
        // Only the Paste item is connected to the box's paste().
        if (QObject::disconnect(action, SIGNAL(triggered()), box, SLOT(paste())) ||
            QObject::disconnect(action, &QAction::triggered, box, &QLineEdit::paste))
            QObject::connect(action, &QAction::triggered, context, paste);
    }
    menu->popup(event->globalPos());
}

class InsertFilter : public QObject {
public:
    InsertFilter(QLineEdit* box, QString (*filter)(const QString&))
        : QObject(box), box_(box), filter_(filter) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != box_ || box_->isReadOnly())
            return false;
        switch (event->type()) {
        case QEvent::KeyPress:
            return keyPressed(static_cast<QKeyEvent*>(event));
        case QEvent::InputMethod:
            return inputMethodCommitted(static_cast<QInputMethodEvent*>(event));
        case QEvent::ContextMenu:
            showContextMenu(static_cast<QContextMenuEvent*>(event));
            return true;
        case QEvent::MouseButtonRelease:
            return middleButtonPasted(static_cast<QMouseEvent*>(event));
        default:
            return false;
        }
    }

private:
    void insert(const QString& text) {
        const QString kept = filter_(text);
        if (!kept.isEmpty())
            box_->insert(kept);
    }

    void paste(QClipboard::Mode mode) { insert(QGuiApplication::clipboard()->text(mode)); }

    bool keyPressed(QKeyEvent* key) {
        if (key->matches(QKeySequence::Paste)) {
            paste(QClipboard::Clipboard);
            return true;
        }
        // Shortcuts and control characters (Backspace, Delete, Enter) insert nothing.
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        const QString typed = key->text();
        if (typed.isEmpty() || typed.at(0).category() == QChar::Other_Control ||
            modifiers == Qt::ControlModifier ||
            modifiers == (Qt::ControlModifier | Qt::ShiftModifier) || filter_(typed) == typed)
            return false;
        insert(typed);
        return true;
    }

    bool inputMethodCommitted(QInputMethodEvent* event) {
        const QString kept = filter_(event->commitString());
        if (kept == event->commitString())
            return false;
        QInputMethodEvent filtered(event->preeditString(), event->attributes());
        filtered.setCommitString(kept, event->replacementStart(), event->replacementLength());
        QCoreApplication::sendEvent(box_, &filtered);
        return true;
    }

    void showContextMenu(QContextMenuEvent* event) {
        showMenuPastingWith(box_, this, event, [this] { paste(QClipboard::Clipboard); });
    }

    bool middleButtonPasted(QMouseEvent* event) {
        if (event->button() != Qt::MiddleButton ||
            !QGuiApplication::clipboard()->supportsSelection())
            return false;
        box_->deselect();
        paste(QClipboard::Selection);
        return true;
    }

    QLineEdit* box_;
    QString (*filter_)(const QString&);
};

class PasteTaker : public QObject {
public:
    PasteTaker(QLineEdit* box, std::function<bool(const QString&)> take)
        : QObject(box), box_(box), take_(std::move(take)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        // A disabled box takes nothing, whatever reaches it.
        if (watched != box_ || box_->isReadOnly() || !box_->isEnabled())
            return false;
        switch (event->type()) {
        case QEvent::KeyPress:
            return static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste) &&
                   take_(QGuiApplication::clipboard()->text());
        case QEvent::MouseButtonRelease:
            return static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton &&
                   QGuiApplication::clipboard()->supportsSelection() &&
                   take_(QGuiApplication::clipboard()->text(QClipboard::Selection));
        case QEvent::Drop:
            return dropped(static_cast<QDropEvent*>(event));
        case QEvent::ContextMenu:
            showMenuPastingWith(box_, this, static_cast<QContextMenuEvent*>(event), [this] {
                if (!take_(QGuiApplication::clipboard()->text()))
                    box_->paste();
            });
            return true;
        default:
            return false;
        }
    }

private:
    bool dropped(QDropEvent* event) {
        if (!event->mimeData()->hasText() || !take_(event->mimeData()->text()))
            return false;
        event->acceptProposedAction();
        // The box drew a drop caret while the text moved over it.
        QDragLeaveEvent leave;
        QCoreApplication::sendEvent(box_, &leave);
        return true;
    }

    QLineEdit* box_;
    std::function<bool(const QString&)> take_;
};

} // namespace

QString digitsOnly(const QString& text) {
    QString result;
    for (const QChar c : text)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            result.append(c);
    return result;
}

QString trimSpaces(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

void filterInsertedText(QLineEdit* box, QString (*filter)(const QString&)) {
    // Dropped text would pass unfiltered.
    box->setAcceptDrops(false);
    box->installEventFilter(new InsertFilter(box, filter));
}

void takePastedText(QLineEdit* box, std::function<bool(const QString&)> take) {
    box->installEventFilter(new PasteTaker(box, std::move(take)));
}
