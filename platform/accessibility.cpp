#include "accessibility.h"

#include "toolbar.h"

#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QWindow>

namespace rt {
namespace {

class ProgramAccessible final : public QAccessibleApplication {
public:
    int childCount() const override { return static_cast<int>(windows().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QList<QObject *> list = windows();
        return index >= 0 && index < list.size() ? QAccessible::queryAccessibleInterface(list.at(index)) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? static_cast<int>(windows().indexOf(child->object())) : -1;
    }

private:
    // As Qt lists them, popups (open lists and menus) and the desktop left
    // out, and of the rest those with a window of the window system's.
    static QList<QObject *> windows()
    {
        QList<QObject *> list;
        const QWindowList windows = QGuiApplication::topLevelWindows();
        for (QWindow *w : windows) {
            if (w->type() == Qt::Popup || w->type() == Qt::Desktop || !w->handle())
                continue;
            if (QAccessibleInterface *root = w->accessibleRoot(); root && root->object())
                list << root->object();
        }
        return list;
    }
};

class ToolbarAccessible final : public QAccessibleWidget {
public:
    explicit ToolbarAccessible(QWidget *toolbar)
        : QAccessibleWidget(toolbar, QAccessible::ToolBar, toolbar->windowTitle())
    {
    }
    int childCount() const override { return static_cast<int>(shown().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> list = shown();
        return index >= 0 && index < list.size() ? QAccessible::queryAccessibleInterface(list.at(index)) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? static_cast<int>(shown().indexOf(qobject_cast<QWidget *>(child->object()))) : -1;
    }

private:
    QList<QWidget *> shown() const
    {
        QList<QWidget *> list;
        for (QObject *o : widget()->children()) {
            if (auto *w = qobject_cast<QWidget *>(o); w && !w->isWindow() && !w->isHidden())
                list << w;
        }
        return list;
    }
};

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (object == qApp && object)
        return new ProgramAccessible;
    if (className == QLatin1String(Toolbar::staticMetaObject.className()))
        return new ToolbarAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

void installAccessibility()
{
    QAccessible::installFactory(factory);
}

} // namespace rt
