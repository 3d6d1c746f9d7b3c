// The program's help: the pages of its own site (compiled in, resources/site)
// in a light window of its own, made the first time help is asked for. It
// belongs to the window it was asked from (the main frame): it stays in front
// of it, closing it closes nothing else, and it goes when that window goes,
// so it never keeps the program alive nor outlives it. Links between the
// pages work; Alt+Left and Alt+Right go back and forward, Esc and Ctrl+W
// close it. It reads nothing but the program's own resources.
#pragma once

#include <QWidget>

class QTextBrowser;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // Shows `page` of the site ("keys.html", "calendar.html#grid") in the
    // help window of `owner`'s window, made now if it has none, and brings
    // that window to the front.
    static HelpWindow &open(QWidget *owner, const QString &page);
    // The help window of `owner`'s window; nullptr while it has none.
    [[nodiscard]] static HelpWindow *of(const QWidget *owner);

    // The page shown, named as open() names it.
    [[nodiscard]] QString page() const;
    [[nodiscard]] QTextBrowser *pages() const { return m_pages; }

private:
    explicit HelpWindow(QWidget *owner);
    void showPage(const QString &page);
    void nameAfterPage();

    QTextBrowser *m_pages = nullptr;
};
