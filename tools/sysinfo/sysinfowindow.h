#pragma once

#include "facts.h"

#include <QWidget>

class QTreeWidget;

namespace sysinfo {

// Categories on the left, the chosen category's items and values on the
// right, a Close button below. Nothing can be edited.
class SysInfoWindow : public QWidget {
    Q_OBJECT
public:
    explicit SysInfoWindow(QList<Fact> facts, QWidget *parent = nullptr);

    [[nodiscard]] QTreeWidget *categories() const { return m_categories; }
    [[nodiscard]] QTreeWidget *items() const { return m_items; }

private:
    void showCategory(const QString &category);

    QList<Fact> m_facts;
    QTreeWidget *m_categories;
    QTreeWidget *m_items;
};

} // namespace sysinfo
