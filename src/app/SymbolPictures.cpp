#include "SymbolPictures.h"

#include "AprsSymbols.h"
#include "SymbolPictureData.h"

#include <QHash>
#include <QPainter>

namespace {

constexpr char kOverlayTable = '#';

const QHash<QString, QPixmap>& pictures() {
    static const QHash<QString, QPixmap> loaded = [] {
        QHash<QString, QPixmap> all;
        for (const SymbolPictureData& data : symbolPictureData()) {
            QPixmap picture;
            picture.loadFromData(data.png.data(), static_cast<uint>(data.png.size()), "PNG");
            all.insert(QString(QLatin1Char(data.table)) + QLatin1Char(data.code), picture);
        }
        return all;
    }();
    return loaded;
}

} // namespace

QPixmap symbolPicture(const QString& code) {
    const ShownSymbol shown = shownSymbol(code);
    if (shown.tableCode.startsWith(QLatin1Char(kOverlayTable)))
        return {};
    QPixmap picture = pictures().value(shown.tableCode);
    const QPixmap overlay = pictures().value(QString(QLatin1Char(kOverlayTable)) + shown.overlay);
    if (!picture.isNull() && !shown.overlay.isNull() && !overlay.isNull()) {
        QPainter painter(&picture);
        painter.drawPixmap(0, 0, overlay);
    }
    return picture;
}
