#include "toolbar.h"

#include "pictureloader.h"

#include <QAction>
#include <QBitmap>
#include <QPixmap>
#include <QToolButton>

namespace rt {

ImageList::ImageList(QSize imageSize, const QColor &maskColor)
    : m_size(imageSize)
    , m_mask(maskColor)
{
}

void ImageList::Add(const QString &resource)
{
    auto masked = [this](const QString &file) {
        QPixmap picture = loadPixmap(file);
        if (!picture.isNull())
            picture.setMask(picture.createMaskFromColor(m_mask, Qt::MaskInColor));
        return picture;
    };
    QIcon icon(masked(resource));
    // A picture twice the size beside it ("name@2x.bmp") serves screens with
    // a device pixel ratio of 2.
    const qsizetype dot = resource.lastIndexOf(QLatin1Char('.'));
    QPixmap twice = masked(resource.left(dot) + QStringLiteral("@2x") + resource.mid(dot));
    if (!twice.isNull()) {
        twice.setDevicePixelRatio(2);
        icon.addPixmap(twice);
    }
    m_images.push_back(icon);
}

QIcon ImageList::ListImages(int index) const
{
    if (index < 1 || index > Count())
        return {};
    return m_images[static_cast<std::size_t>(index - 1)];
}

Toolbar::Toolbar(QWidget *parent, const ImageList *images)
    : QToolBar(parent)
    , m_images(images)
{
    setMovable(false);
    setFloatable(false);
    setIconSize(images->ImageSize());
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    // Qt's button for the buttons that do not fit goes without a name.
    if (auto *more = findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button"))) {
        more->setAccessibleName(QStringLiteral("More buttons"));
        more->setToolTip(more->accessibleName());
    }
}

const Button &Toolbar::AddButton(const QString &key, int image)
{
    const Button &button = m_buttons.emplace_back(Button{key, image});
    QAction *action = addAction(m_images->ListImages(image), key);
    action->setToolTip(key);
    connect(action, &QAction::triggered, this, [this, &button] { emit ButtonClick(button); });
    m_actions.push_back(action);
    return button;
}

QWidget *Toolbar::buttonWidget(const QString &key) const
{
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        if (m_buttons[i].Key == key)
            return widgetForAction(m_actions[i]);
    }
    return nullptr;
}

} // namespace rt
