#include "platform/ui/qt/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <memory>

namespace platform::ui {

std::optional<std::string> QtClipboard::Text() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasText())
        return std::nullopt;
    return data->text().toStdString();
}

void QtClipboard::SetText(const std::optional<std::string>& text) {
    if (text)
        QGuiApplication::clipboard()->setText(QString::fromStdString(*text));
    else
        QGuiApplication::clipboard()->clear();
}

// Text travels as Qt's text (every text target X programs ask for); other types as themselves.
std::optional<std::string> QtClipboard::Data(const std::string& mimeType) {
    if (mimeType == TextMimeType)
        return Text();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const QString type = QString::fromStdString(mimeType);
    if (data == nullptr || !data->hasFormat(type))
        return std::nullopt;
    const QByteArray bytes = data->data(type);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void QtClipboard::SetData(const std::map<std::string, std::string>& formats) {
    auto data = std::make_unique<QMimeData>();
    for (const auto& [type, bytes] : formats) {
        if (type == TextMimeType)
            data->setText(QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())));
        else
            data->setData(QString::fromStdString(type),
                          QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    }
    // The clipboard owns the offer from here on.
    QGuiApplication::clipboard()->setMimeData(data.release());
}

}  // namespace platform::ui
