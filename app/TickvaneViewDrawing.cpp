// The view's part in drawing on the chart: the Draw menu's commands, the context menu of a
// drawing, and the repaints the drawing tool asks for.

#include "app/AppServices.h"
#include "app/CommonDialogs.h"
#include "app/TickvaneDoc.h"
#include "app/TickvaneView.h"
#include "chart/Bars.h"
#include "platform/Commands.h"
#include "platform/MessageService.h"

#include <QMenu>
#include <QtMath>

#include <utility>

namespace {

constexpr std::pair<int, DrawingType> kTools[] = {
    {ID_DRAW_TRENDLINE, DrawingType::TrendLine}, {ID_DRAW_HLINE, DrawingType::HLine},
    {ID_DRAW_VLINE, DrawingType::VLine},         {ID_DRAW_RECTANGLE, DrawingType::Rectangle},
    {ID_DRAW_FIBONACCI, DrawingType::Fibonacci}, {ID_DRAW_NOTE, DrawingType::Note},
};

struct NamedColor {
    const char* name;
    COLORREF color;
};
constexpr NamedColor kColors[] = {
    {"&Red", Rgb(255, 0, 0)},      {"&Green", Rgb(0, 170, 0)},     {"&Blue", Rgb(0, 90, 255)},
    {"&Yellow", Rgb(255, 255, 0)}, {"&Cyan", Rgb(0, 255, 255)},    {"&Magenta", Rgb(255, 0, 255)},
    {"&Orange", Rgb(255, 140, 0)}, {"&White", Rgb(255, 255, 255)}, {"Blac&k", Rgb(0, 0, 0)},
    {"Gr&ey", Rgb(128, 128, 128)},
};
constexpr std::pair<const char*, LineStyle> kStyles[] = {
    {"&Solid", LineStyle::Solid}, {"&Dashed", LineStyle::Dashed}, {"D&otted", LineStyle::Dotted}};
constexpr int kWidths[] = {1, 2, 3, 4};

} // namespace

void CTickvaneView::AddDrawingCommands() {
    m_drawingTool.SetTextAsker([this](std::string& text) {
        QString answer = QString::fromStdString(text);
        if (!m_services.commonDialogs.AskText(this, QStringLiteral("Note"),
                                              QStringLiteral("Text of the note:"), answer))
            return false;
        text = answer.toStdString();
        return true;
    });
    for (const auto& [id, type] : kTools) {
        const DrawingType tool = type;
        m_commands.On(
            id,
            [this, tool] {
                // Choosing the tool in use again puts it down.
                const bool same = m_drawingTool.Tool() == tool;
                m_drawingTool.Choose(same ? std::nullopt : std::optional<DrawingType>(tool));
                AfterDrawing(CDrawingTool::Repaint::Overlay);
            },
            [this, tool](CCmdUI& ui) {
                ui.Enable(Bars().IsDataLoaded() && !m_bSlideShow);
                ui.SetCheck(m_drawingTool.Tool() == tool);
            });
    }
    m_commands.On(
        ID_DRAW_DELETE, [this] { AfterDrawing(m_drawingTool.DeleteSelected()); },
        [this](CCmdUI& ui) { ui.Enable(m_drawingTool.SelectedDrawing() != nullptr); });
    m_commands.On(
        ID_DRAW_DELETE_ALL, [this] { OnDrawDeleteAll(); },
        [this](CCmdUI& ui) { ui.Enable(Bars().IsDataLoaded() && m_drawingTool.HasDrawings()); });
    m_commands.On(
        ID_EDIT_UNDO, [this] { AfterDrawing(m_drawingTool.Undo()); },
        [this](CCmdUI& ui) { ui.Enable(Bars().IsDataLoaded() && m_drawingTool.CanUndo()); });
    m_commands.On(
        ID_EDIT_REDO, [this] { AfterDrawing(m_drawingTool.Redo()); },
        [this](CCmdUI& ui) { ui.Enable(Bars().IsDataLoaded() && m_drawingTool.CanRedo()); });
}

// The question defaults to No: the drawings are the user's work.
void CTickvaneView::OnDrawDeleteAll() {
    if (!m_drawingTool.HasDrawings())
        return;
    const std::string symbol = Bars().DrawingSymbol();
    if (!m_services.messages.AskYesNo("Delete all the drawings on the chart of " + symbol + "?",
                                      DefaultAnswer::No))
        return;
    AfterDrawing(m_drawingTool.DeleteAll());
}

void CTickvaneView::AfterDrawing(CDrawingTool::Repaint repaint) {
    const QRect changed = m_drawingTool.TakeOverlayChange();
    if (repaint == CDrawingTool::Repaint::Chart) {
        update();
        return;
    }
    if (repaint != CDrawingTool::Repaint::Overlay || changed.isEmpty())
        return;
    // Device pixels to the view's, rounded outward.
    const qreal ratio = devicePixelRatioF();
    const QRect rect(QPoint(qFloor(changed.left() / ratio) - 1, qFloor(changed.top() / ratio) - 1),
                     QPoint(qCeil((changed.right() + 1) / ratio) + 1,
                            qCeil((changed.bottom() + 1) / ratio) + 1));
    m_rgnCrosshair += rect;
    update(rect);
}

QMenu* CTickvaneView::CreateDrawingMenu() {
    auto* menu = new QMenu(this);
    const Drawing* drawing = m_drawingTool.SelectedDrawing();
    if (!drawing)
        return menu;
    const auto change = [this](std::function<void(Drawing&)> edit) {
        AfterDrawing(m_drawingTool.ChangeSelected(edit));
    };
    QMenu* colors = menu->addMenu(QStringLiteral("&Colour"));
    for (const NamedColor& named : kColors) {
        QAction* item = colors->addAction(QString::fromLatin1(named.name));
        item->setCheckable(true);
        item->setChecked(drawing->color == named.color);
        const COLORREF color = named.color;
        connect(item, &QAction::triggered, this,
                [change, color] { change([color](Drawing& d) { d.color = color; }); });
    }
    QMenu* widths = menu->addMenu(QStringLiteral("&Width"));
    for (const int width : kWidths) {
        QAction* item = widths->addAction(QStringLiteral("&%1").arg(width));
        item->setCheckable(true);
        item->setChecked(drawing->nWidth == width);
        connect(item, &QAction::triggered, this,
                [change, width] { change([width](Drawing& d) { d.nWidth = width; }); });
    }
    QMenu* styles = menu->addMenu(QStringLiteral("&Style"));
    for (const auto& [name, style] : kStyles) {
        QAction* item = styles->addAction(QString::fromLatin1(name));
        item->setCheckable(true);
        item->setChecked(drawing->style == style);
        const LineStyle chosen = style;
        connect(item, &QAction::triggered, this,
                [change, chosen] { change([chosen](Drawing& d) { d.style = chosen; }); });
    }
    if (drawing->type == DrawingType::TrendLine) {
        QAction* extend = menu->addAction(QStringLiteral("E&xtend to the Right"));
        extend->setCheckable(true);
        extend->setChecked(drawing->bExtend);
        connect(extend, &QAction::triggered, this,
                [change] { change([](Drawing& d) { d.bExtend = !d.bExtend; }); });
    }
    if (drawing->type == DrawingType::Note) {
        QAction* text = menu->addAction(QStringLiteral("Edit &Text..."));
        connect(text, &QAction::triggered, this, [this, change] {
            const Drawing* note = m_drawingTool.SelectedDrawing();
            QString answer = note ? QString::fromStdString(note->text) : QString();
            if (note &&
                m_services.commonDialogs.AskText(this, QStringLiteral("Note"),
                                                 QStringLiteral("Text of the note:"), answer) &&
                !answer.isEmpty())
                change([answer](Drawing& d) { d.text = answer.toStdString(); });
        });
    }
    menu->addSeparator();
    QAction* remove = menu->addAction(QStringLiteral("&Delete Drawing"));
    connect(remove, &QAction::triggered, this,
            [this] { AfterDrawing(m_drawingTool.DeleteSelected()); });
    return menu;
}
