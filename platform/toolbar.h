#pragma once

#include <QColor>
#include <QIcon>
#include <QSize>
#include <QToolBar>

#include <deque>
#include <vector>

namespace rt {

// A list of equal-sized pictures drawn on a mask colour, which shows as
// transparent. Pictures are numbered from 1, in the order they were added.
class ImageList {
public:
    ImageList(QSize imageSize, const QColor &maskColor);

    // Adds a picture from the program's resources; its size must be imageSize.
    void Add(const QString &resource);
    [[nodiscard]] int Count() const { return static_cast<int>(m_images.size()); }
    // An empty icon for a number outside 1 to Count().
    [[nodiscard]] QIcon ListImages(int index) const;
    [[nodiscard]] QSize ImageSize() const { return m_size; }
    [[nodiscard]] QColor MaskColor() const { return m_mask; }

private:
    QSize m_size;
    QColor m_mask;
    std::vector<QIcon> m_images;
};

// One toolbar button: its key names it to the click handler.
struct Button {
    QString Key;
    int Image = 0;
};

// A toolbar of picture buttons taken from an image list. Each button shows
// only its picture and has its key as its tooltip; a click raises
// ButtonClick with the button. When the toolbar is too narrow for them all,
// the rest are under its "More buttons" button.
class Toolbar : public QToolBar {
    Q_OBJECT
public:
    Toolbar(QWidget *parent, const ImageList *images);

    const Button &AddButton(const QString &key, int image);
    [[nodiscard]] const std::deque<Button> &Buttons() const { return m_buttons; }
    // The widget the user clicks for the button with this key; nullptr if none.
    [[nodiscard]] QWidget *buttonWidget(const QString &key) const;
    void Refresh() { update(); }

signals:
    void ButtonClick(const rt::Button &Button);

private:
    const ImageList *m_images;
    std::deque<Button> m_buttons; // stable addresses for the click signal
    std::vector<QAction *> m_actions;
};

} // namespace rt
