#include "geometry.h"

#include "twips.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>

namespace rt {
namespace {

class AlignTop final : public QObject {
public:
    explicit AlignTop(QWidget *control)
        : QObject(control)
        , m_control(control)
    {
        control->parentWidget()->installEventFilter(this);
        fit();
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize && watched == m_control->parentWidget())
            fit();
        return false;
    }

private:
    void fit() { m_control->resize(m_control->parentWidget()->width(), m_control->height()); }

    QWidget *m_control;
};

} // namespace

int Left(const QWidget *control)
{
    return twips(control->x());
}

int Top(const QWidget *control)
{
    return twips(control->y());
}

int Width(const QWidget *control)
{
    return twips(control->width());
}

int Height(const QWidget *control)
{
    return twips(control->height());
}

void setWidth(QWidget *control, double twips)
{
    control->resize(std::max(0, px(twips)), control->height());
}

void setHeight(QWidget *control, double twips)
{
    control->resize(control->width(), std::max(0, px(twips)));
}

void Move(QWidget *control, double left, double top)
{
    control->move(px(left), px(top));
}

void alignTop(QWidget *control)
{
    new AlignTop(control);
}

} // namespace rt
