#include "sysinfowindow.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace sysinfo {

SysInfoWindow::SysInfoWindow(QList<Fact> facts, QWidget *parent)
    : QWidget(parent)
    , m_facts(std::move(facts))
    , m_categories(new QTreeWidget)
    , m_items(new QTreeWidget)
{
    setWindowTitle(QStringLiteral("System Information"));
    resize(760, 440);

    m_categories->setHeaderHidden(true);
    m_categories->setColumnCount(1);
    auto *summary = new QTreeWidgetItem(m_categories, {QString::fromLatin1(summaryCategory)});
    for (const char *category : {displayCategory, softwareCategory})
        new QTreeWidgetItem(summary, {QString::fromLatin1(category)});
    m_categories->expandAll();

    m_items->setColumnCount(2);
    m_items->setHeaderLabels({QStringLiteral("Item"), QStringLiteral("Value")});
    m_items->setRootIsDecorated(false);
    m_items->setAlternatingRowColors(true);
    m_items->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_items->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_items->header()->setStretchLastSection(true);

    auto *splitter = new QSplitter;
    splitter->addWidget(m_categories);
    splitter->addWidget(m_items);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({190, 570});

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addWidget(buttons);

    connect(m_categories, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *current) {
        if (current)
            showCategory(current->text(0));
    });
    m_categories->setCurrentItem(summary);
    buttons->button(QDialogButtonBox::Close)->setFocus();
}

void SysInfoWindow::showCategory(const QString &category)
{
    m_items->clear();
    for (const Fact &fact : std::as_const(m_facts)) {
        if (fact.category == category)
            new QTreeWidgetItem(m_items, {fact.item, fact.value});
    }
    m_items->resizeColumnToContents(0);
    m_items->setColumnWidth(0, m_items->columnWidth(0) + 24);
}

} // namespace sysinfo
