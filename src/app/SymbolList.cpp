#include "SymbolList.h"

#include "AprsSymbols.h"
#include "ControlNames.h"
#include "FixedLists.h"
#include "SymbolPictures.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {

constexpr int kGap = 4;
constexpr QSize kPictureSize(20, 20);

// Draws each item as its picture, code and name while the item's text, which the
// box takes when the item is chosen, stays the code alone.
class SymbolItemDelegate : public QStyledItemDelegate {
public:
    SymbolItemDelegate(UiLanguage language, QObject* parent)
        : QStyledItemDelegate(parent), language_(language) {}

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QString code = option->text;
        QPixmap picture = symbolPicture(code);
        if (picture.isNull()) {
            // Blank, so that the codes stand in one column.
            picture = QPixmap(kPictureSize);
            picture.fill(Qt::transparent);
        }
        option->icon = QIcon(picture);
        option->decorationSize = picture.size();
        option->features |= QStyleOptionViewItem::HasDecoration;
        option->text = code + QStringLiteral("  ") + symbolName(code, language_);
    }

private:
    UiLanguage language_;
};

// The width of the widest item measured by its text alone: the pictures are
// decoded as the list first shows them.
int widestItem(const QAbstractItemView* view, UiLanguage language) {
    int widest = 0;
    for (const AprsSymbol& symbol : aprsSymbols())
        widest =
            qMax(widest, view->fontMetrics().horizontalAdvance(symbol.code + QStringLiteral("  ") +
                                                               symbolName(symbol.code, language)));
    const QStyle* style = view->style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    // One more for the text's rounding.
    return widest + kPictureSize.width() + 4 * margin + 1;
}

QLabel* pictureBeside(QComboBox* box) {
    auto* label = new QLabel(box->parentWidget());
    label->setObjectName(QLatin1String(kSymbolPictureName));
    const int side = box->height();
    label->setGeometry(box->geometry().right() + kGap, box->y(), side, side);
    label->setAlignment(Qt::AlignCenter);
    label->show();
    return label;
}

} // namespace

void installSymbolList(QWidget* form, UiLanguage language) {
    auto* box = findControl<QComboBox>(form, QLatin1String(ctl::box(TextField::Symbol)));
    QStringList codes;
    for (const AprsSymbol& symbol : aprsSymbols())
        codes.append(symbol.code);
    setItemsKeepingText(box, codes);
    for (int row = 0; row < box->count(); ++row)
        box->setItemData(row, symbolToolTip(box->itemText(row), language), Qt::ToolTipRole);
    box->setItemDelegate(new SymbolItemDelegate(language, box));
    QAbstractItemView* view = box->view();
    view->setMinimumWidth(widestItem(view, language) +
                          view->verticalScrollBar()->sizeHint().width());

    QLabel* picture = pictureBeside(box);
    const auto symbolShown = [box, picture, language] {
        box->setToolTip(symbolToolTip(box->currentText(), language));
        picture->setPixmap(symbolPicture(box->currentText()));
    };
    QObject::connect(box, &QComboBox::editTextChanged, box, symbolShown);
    symbolShown();
}
