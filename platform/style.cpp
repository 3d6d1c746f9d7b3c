#include "style.h"

#include <QApplication>
#include <QIconEngine>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

#include <algorithm>

namespace rt {
namespace {

// A window inside the frame asks for the title-bar button pictures when it is
// made, for its system menu, which the person may never open. Reading them
// then would also load every image-format plugin of the system, and the
// libraries behind them, to identify four small pictures. This icon reads its
// picture from the style the first time it is drawn or measured.
class DeferredIcon final : public QIconEngine {
public:
    DeferredIcon(QStyle *style, QStyle::StandardPixmap which)
        : m_style(style)
        , m_which(which)
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    // Every style draws these buttons; asking must not read the picture.
    bool isNull() override { return m_loaded && m_icon.isNull(); }
    QString key() const override { return QStringLiteral("deferred"); }
    QIconEngine *clone() const override { return new DeferredIcon(*this); }

private:
    const QIcon &icon()
    {
        if (!m_loaded) {
            m_loaded = true;
            if (m_style)
                m_icon = m_style->standardIcon(m_which);
        }
        return m_icon;
    }

    QPointer<QStyle> m_style;
    QStyle::StandardPixmap m_which;
    QIcon m_icon;
    bool m_loaded = false;
};

class ProgramStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    // A tool window's caption is a few pixels lower than a window's: the
    // caption text's height and a little air. Not every style knows the
    // difference, and a window inside the frame cannot say it is one.
    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        const int value = QProxyStyle::pixelMetric(metric, option, widget);
        if (metric == PM_TitleBarHeight && widget && widget->property(toolWindowProperty).toBool())
            return std::min(value, std::max(widget->fontMetrics().height() + 4, 16));
        return value;
    }

    QIcon standardIcon(StandardPixmap which, const QStyleOption *option, const QWidget *widget) const override
    {
        switch (which) {
        case SP_TitleBarMenuButton:
        case SP_TitleBarMinButton:
        case SP_TitleBarMaxButton:
        case SP_TitleBarCloseButton:
        case SP_TitleBarNormalButton:
        case SP_TitleBarShadeButton:
        case SP_TitleBarUnshadeButton:
        case SP_TitleBarContextHelpButton:
            return QIcon(new DeferredIcon(baseStyle(), which));
        default:
            return QProxyStyle::standardIcon(which, option, widget);
        }
    }
};

} // namespace

QStyle *newPlatformStyle()
{
    const QStyle *style = QApplication::style();
    if (const auto *program = dynamic_cast<const ProgramStyle *>(style))
        style = program->baseStyle();
    return QStyleFactory::create(style->name());
}

void installStyle()
{
    if (dynamic_cast<ProgramStyle *>(QApplication::style()))
        return;
    if (QStyle *base = newPlatformStyle())
        QApplication::setStyle(new ProgramStyle(base));
}

} // namespace rt
