#include "platform/qt/Accessibility.h"

#include "platform/qt/ClickLabel.h"
#include "platform/qt/FormWindow.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMessageBox>

#include <algorithm>
#include <utility>

namespace {

// A form's window in the role the engine gives it now; a closed form's window, hidden on its
// way out, keeps the role it closed in.
AccessibleRole RoleOf(const FormWindow* window) {
    return window->form != nullptr ? window->form->Events().WindowRole() : window->closedRole;
}

bool InDialog(const QWidget* widget) {
    const auto* window = dynamic_cast<const FormWindow*>(widget->window());
    return window != nullptr && RoleOf(window) == AccessibleRole::Dialog;
}

// The texts a dialog shows, its labels' captions from top to bottom, left to right.
QString DialogTexts(const QWidget* window) {
    QList<ClickLabel*> labels = window->findChildren<ClickLabel*>();
    labels.removeIf(
        [](const ClickLabel* label) { return !label->isVisible() || label->text().isEmpty(); });
    std::sort(labels.begin(), labels.end(), [](const ClickLabel* a, const ClickLabel* b) {
        return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
    });
    QStringList texts;
    for (const ClickLabel* label : labels) texts << label->text().trimmed();
    return texts.join(QLatin1Char('\n'));
}

// A form's window: a dialog or a frame, as the engine says. Qt calls a plain top-level
// widget a client area, which screen readers neither announce as a window nor read the
// texts of. A dialog is described by its texts, which screen readers speak as it
// opens: Orca reads a dialog's description, where it would leave out the labels of fewer
// than three words. Orca 48 reads the description twice; its other ways to a dialog's texts
// drop some (a text interface drops the title and role), so the description stays.
class FormWindowAccessible final : public QAccessibleWidget {
public:
    explicit FormWindowAccessible(FormWindow* window) : QAccessibleWidget(window) {}

    QAccessible::Role role() const override {
        return InDialog(widget()) ? QAccessible::Dialog : QAccessible::Window;
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Description && InDialog(widget())) return DialogTexts(widget());
        return QAccessibleWidget::text(t);
    }
};

// A label: static text named by its caption. One whose click the form handles is a link,
// its click offered as the press action (the About dialog's addresses). One whose changes
// matter is a notification: screen readers speak a notification each time it shows, and
// Qt 6.4's bridge has no other event that Orca speaks for an object without the focus.
class ClickLabelAccessible final : public QAccessibleWidget {
public:
    explicit ClickLabelAccessible(ClickLabel* label) : QAccessibleWidget(label) {}

    ClickLabel* Label() const { return static_cast<ClickLabel*>(widget()); }

    bool OffersClick() const { return Label()->role == AccessibleRole::Link; }

    QAccessible::Role role() const override {
        switch (Label()->role) {
            case AccessibleRole::LiveRegion:
                return QAccessible::Notification;
            case AccessibleRole::Link:
                return QAccessible::Link;
            default:
                return QAccessible::StaticText;
        }
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            const QString name = Label()->accessibleName();
            return name.isEmpty() ? Label()->text() : name;
        }
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (OffersClick()) names << pressAction();
        return names;
    }

    void doAction(const QString& action) override {
        if (action == pressAction() && OffersClick() && widget()->isEnabled()) {
            emit Label()->clicked();
            return;
        }
        QAccessibleWidget::doAction(action);
    }

    QStringList keyBindingsForAction(const QString& action) const override {
        return action == pressAction() ? QStringList()
                                       : QAccessibleWidget::keyBindingsForAction(action);
    }

    // A dialog's label is part of what labels the dialog, not a text of its own: Orca 43
    // speaks either a dialog's unrelated labels or its description, not both.
    QList<std::pair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation match) const override {
        auto related = QAccessibleWidget::relations(match);
        if (InDialog(widget()) && (match & QAccessible::Labelled)) {
            related.append(
                {QAccessible::queryAccessibleInterface(widget()->window()), QAccessible::Labelled});
        }
        return related;
    }
};

// A message box: an alert named by its title, with its message as its text, which screen
// readers read as it opens. Not as its description: Orca 43 would read that as well, and
// Orca 48 leaves a description out when the box opens just after another window went (a
// second copy's second message).
class MessageBoxAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit MessageBoxAccessible(QMessageBox* box)
        : QAccessibleWidget(box, QAccessible::AlertMessage) {}

    QString Text() const { return static_cast<QMessageBox*>(widget())->text(); }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return widget()->windowTitle();
        return QAccessibleWidget::text(t);
    }

    QString text(int startOffset, int endOffset) const override {
        if (endOffset < 0) endOffset = characterCount();
        return Text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(Text().size()); }

    // The text can be read, not selected, and has no caret or attributes of its own.
    void selection(int, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    if (object == nullptr || !object->isWidgetType()) return nullptr;
    if (className == QLatin1String("ClickLabel")) {
        return new ClickLabelAccessible(static_cast<ClickLabel*>(object));
    }
    if (className == QLatin1String("QMessageBox")) {
        return new MessageBoxAccessible(static_cast<QMessageBox*>(object));
    }
    // A form's window declares no class of its own to Qt: it is asked for as a QWidget.
    if (auto* window = dynamic_cast<FormWindow*>(object);
        window != nullptr && className == QLatin1String("QWidget")) {
        return new FormWindowAccessible(window);
    }
    return nullptr;
}

}  // namespace

void InstallAccessibleInterfaces() { QAccessible::installFactory(Factory); }

void AnnounceCaption(ClickLabel* label) {
    QAccessibleEvent shown(label, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}
