#pragma once

#include <QLabel>
#include <QPointer>

namespace rt {

// A note under a control saying why what the person did there was not taken:
// it shows where they are looking and needs no closing. It goes at the next
// key or click, when the focus leaves the control, when the control or its
// window is hidden, and when the program loses the screen. One shows at a
// time.
//
// While it shows, the note is also the control's accessible description (and
// its edit field's, for a combo box), so that a screen reader reads it with
// the control that has the focus.
class Balloon final : public QLabel {
    Q_OBJECT
public:
    static void show(QWidget *control, const QString &text);
    // The note showing now; nullptr when none does.
    [[nodiscard]] static Balloon *current();

    [[nodiscard]] QWidget *control() const { return m_control; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Balloon(QWidget *control, const QString &text);
    void dismiss();
    [[nodiscard]] QList<QWidget *> described() const;

    QPointer<QWidget> m_control;
    QList<QString> m_descriptions; // the described widgets' own, given back on dismissal
};

} // namespace rt
