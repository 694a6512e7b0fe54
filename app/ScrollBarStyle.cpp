#include "app/ScrollBarStyle.h"

#include <QPainter>
#include <QStyleOptionSlider>

CScrollBarStyle::CScrollBarStyle(QStyle* base)
    : QProxyStyle(base),
      m_bRepaintThumb(baseStyle()->name().compare("fusion", Qt::CaseInsensitive) == 0) {}

void CScrollBarStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                         QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control != CC_ScrollBar || !m_bRepaintThumb || !(option->state & State_Enabled))
        return;
    const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (!slider || slider->maximum <= slider->minimum)
        return;
    const QRect thumb =
        subControlRect(control, option, SC_ScrollBarSlider, widget).adjusted(1, 2, -1, -2);
    if (thumb.isEmpty())
        return;
    const bool active = slider->activeSubControls & SC_ScrollBarSlider;
    const QColor fill = option->palette.color(active ? QPalette::Dark : QPalette::Mid);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(fill.darker(115));
    painter->setBrush(fill);
    painter->drawRoundedRect(QRectF(thumb).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    painter->restore();
}
