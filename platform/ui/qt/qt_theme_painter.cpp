#include "platform/ui/qt/qt_theme_painter.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

namespace platform::ui {
namespace {

// Normal, hot, pressed or disabled as the style's state flags; check boxes add on, off or mixed.
QStyle::State StyleState(const TThemedElementDetails& details) {
    const bool checkBox = details.Element == teButton && details.Part == BP_CHECKBOX;
    const int look = checkBox ? (details.State - 1) % 4 + 1 : details.State;
    QStyle::State state = QStyle::State_None;
    if (look != TS_DISABLED)
        state |= QStyle::State_Enabled;
    if (look == TS_HOT)
        state |= QStyle::State_MouseOver;
    state |= look == TS_PRESSED ? QStyle::State_Sunken : QStyle::State_Raised;
    if (checkBox) {
        const int check = (details.State - 1) / 4;
        state |= check == 1 ? QStyle::State_On : check == 2 ? QStyle::State_NoChange : QStyle::State_Off;
    }
    return state;
}

// A button panel with an arrow on it.
void PaintArrowButton(QPainter& painter, QStyle& style, QStyleOption& option,
                      QStyle::PrimitiveElement arrow) {
    style.drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter);
    QStyleOption inner = option;
    inner.rect = option.rect.adjusted(2, 2, -2, -2);
    style.drawPrimitive(arrow, &inner, &painter);
}

void Paint(QPainter& painter, const TThemedElementDetails& details, const QRect& rect) {
    QStyle& style = *QApplication::style();
    QStyleOptionButton option;
    option.rect = rect;
    option.state = StyleState(details);
    option.palette = QApplication::palette();
    switch (details.Element) {
        case teComboBox:
            PaintArrowButton(painter, style, option, QStyle::PE_IndicatorArrowDown);
            break;
        case teSpin:
            PaintArrowButton(
                painter, style, option,
                details.Part == SPNP_UP ? QStyle::PE_IndicatorSpinUp : QStyle::PE_IndicatorSpinDown);
            break;
        case teToolBar:
            style.drawPrimitive(QStyle::PE_PanelButtonTool, &option, &painter);
            break;
        case teButton:
            if (details.Part == BP_CHECKBOX)
                style.drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter);
            else
                style.drawControl(QStyle::CE_PushButtonBevel, &option, &painter);
            break;
    }
}

}  // namespace

RasterImage QtThemePainter::Render(const TThemedElementDetails& details, int width, int height) {
    RasterImage out(width, height, 0x00000000);
    if (width <= 0 || height <= 0)
        return out;
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        Paint(painter, details, QRect(0, 0, width, height));
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        std::copy(row, row + width, out.Row(y));
    }
    out.SetHasAlpha(true);
    return out;
}

}  // namespace platform::ui
