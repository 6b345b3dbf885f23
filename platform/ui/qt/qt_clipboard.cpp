#include "platform/ui/qt/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

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

}  // namespace platform::ui
