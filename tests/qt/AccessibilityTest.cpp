// What assistive technology sees of the windows, through Qt's accessibility interfaces (the
// ones the AT-SPI bridge serves on Linux): every control of every opening, with its role and
// name; the windows' roles and the dialogs' descriptions; the link labels' role and click
// action; the picture's name; the greeting label's role.
#include "core/modKimoro.h"
#include "forms/frmAbout.h"
#include "forms/frmWinDIR.h"
#include "support/Driver.h"
#include "support/Forms.h"

#include <gtest/gtest.h>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <set>
#include <string>

namespace {

// The dialog's window: the one shown, as an unloaded one is hidden at once.
QWidget* WindowNamed(const char* name) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String(name) && window->isVisible()) return window;
    }
    return nullptr;
}

// Walks the window's accessible children as a screen reader does and checks each: present,
// standing for a live control of this window, with a role and a name. Returns the names of
// the controls seen.
std::set<std::string> CheckAccessibleChildren(QWidget* window, int opening) {
    std::set<std::string> seen;
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(window);
    EXPECT_NE(root, nullptr);
    if (root == nullptr) return seen;
    EXPECT_EQ(root->object(), window);
    EXPECT_EQ(root->role(), QAccessible::Dialog) << "opening " << opening;
    const int count = root->childCount();
    for (int i = 0; i < count; ++i) {
        QAccessibleInterface* child = root->child(i);
        EXPECT_NE(child, nullptr) << "child " << i << " of opening " << opening;
        if (child == nullptr) continue;
        EXPECT_TRUE(child->isValid()) << "child " << i << " of opening " << opening;
        auto* widget = qobject_cast<QWidget*>(child->object());
        EXPECT_NE(widget, nullptr)
            << "child " << i << " of opening " << opening << " stands for no live widget";
        if (widget == nullptr) continue;
        EXPECT_EQ(widget->parentWidget(), window) << "opening " << opening;
        EXPECT_EQ(child->parent() ? child->parent()->object() : nullptr, window);
        EXPECT_EQ(root->indexOfChild(child), i);
        const std::string name = widget->objectName().toStdString();
        seen.insert(name);
        const QAccessible::Role role = child->role();
        EXPECT_TRUE(role == QAccessible::Button || role == QAccessible::StaticText ||
                    role == QAccessible::Link || role == QAccessible::Graphic)
            << name << " has role " << role << " in opening " << opening;
        EXPECT_FALSE(child->text(QAccessible::Name).isEmpty())
            << name << " has no name in opening " << opening;
    }
    return seen;
}

std::set<std::string> DesignedControls(const FormDesign& design) {
    std::set<std::string> names;
    for (const ControlDesign& control : design.controls) {
        if (control.type == ControlType::Timer) continue;
        names.insert(control.index < 0
                         ? std::string(control.name)
                         : std::string(control.name) + "(" + std::to_string(control.index) + ")");
    }
    return names;
}

class Accessibility : public ::testing::Test {
protected:
    void SetUp() override {
        StartApplication();
        ASSERT_TRUE(FormInstance<KimoroForm>().Loaded());
    }
    void TearDown() override { UnloadAllForms(); }
};

// A screen reader asks for the dialog's children again at each opening; a control whose
// interface outlived an earlier window's widget at the same address came out null or dead.
TEST_F(Accessibility, EveryControlOfEveryOpeningHasARoleAndAName) {
    const std::set<std::string> aboutControls = DesignedControls(frmAboutDesign);
    const std::set<std::string> dirControls = DesignedControls(frmWinDIRDesign);
    for (int opening = 0; opening < 40; ++opening) {
        WhileDialogOpen<AboutForm>(u"A", "cmdOK", [&](AboutForm&) {
            QWidget* window = WindowNamed("frmAbout");
            ASSERT_NE(window, nullptr);
            EXPECT_EQ(CheckAccessibleChildren(window, opening), aboutControls);
        });
        WhileDialogOpen<WinDIRForm>(u"W", "cbtOK", [&](WinDIRForm&) {
            QWidget* window = WindowNamed("frmWinDIR");
            ASSERT_NE(window, nullptr);
            EXPECT_EQ(CheckAccessibleChildren(window, opening), dirControls);
        });
        if (HasFailure()) break;
    }
}

TEST_F(Accessibility, OnlyTheLinkLabelsOfferAClickAndThePictureHasAName) {
    WhileDialogOpen<AboutForm>(u"A", "cmdOK", [&](AboutForm&) {
        QWidget* window = WindowNamed("frmAbout");
        ASSERT_NE(window, nullptr);
        for (const char* name : {"lblURL(0)", "lblURL(1)"}) {
            auto* label = window->findChild<QLabel*>(QLatin1String(name));
            ASSERT_NE(label, nullptr) << name;
            QAccessibleInterface* link = QAccessible::queryAccessibleInterface(label);
            ASSERT_NE(link, nullptr) << name;
            EXPECT_EQ(link->text(QAccessible::Name), label->text()) << name;
            EXPECT_EQ(link->role(), QAccessible::Link) << name;
            QAccessibleActionInterface* actions = link->actionInterface();
            ASSERT_NE(actions, nullptr) << name << " offers no action";
            EXPECT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()))
                << name;
            EXPECT_FALSE(
                actions->localizedActionName(QAccessibleActionInterface::pressAction()).isEmpty());
        }
        // A label whose click does nothing offers none.
        auto* title = window->findChild<QLabel*>(QStringLiteral("lblTitle"));
        ASSERT_NE(title, nullptr);
        QAccessibleInterface* plain = QAccessible::queryAccessibleInterface(title);
        ASSERT_NE(plain, nullptr);
        EXPECT_EQ(plain->role(), QAccessible::StaticText);
        const QAccessibleActionInterface* plainActions = plain->actionInterface();
        EXPECT_TRUE(plainActions == nullptr || !plainActions->actionNames().contains(
                                                   QAccessibleActionInterface::pressAction()));
        auto* picture = window->findChild<QLabel*>(QStringLiteral("picIcon"));
        ASSERT_NE(picture, nullptr);
        QAccessibleInterface* graphic = QAccessible::queryAccessibleInterface(picture);
        ASSERT_NE(graphic, nullptr);
        EXPECT_EQ(graphic->role(), QAccessible::Graphic);
        EXPECT_FALSE(graphic->text(QAccessible::Name).isEmpty()) << "the picture has no name";
    });
}

// A screen reader reads a dialog's description as it opens: every text it shows, trimmed.
TEST_F(Accessibility, ADialogIsDescribedByEveryTextItShows) {
    for (const char* name : {"frmAbout", "frmWinDIR"}) {
        auto check = [&] {
            QWidget* window = WindowNamed(name);
            ASSERT_NE(window, nullptr);
            const QString description =
                QAccessible::queryAccessibleInterface(window)->text(QAccessible::Description);
            for (const QLabel* label : window->findChildren<QLabel*>()) {
                if (label->text().isEmpty()) continue;  // the picture
                EXPECT_TRUE(description.contains(label->text().trimmed()))
                    << name << ": " << label->objectName().toStdString() << " is not in "
                    << description.toStdString();
            }
        };
        if (name == std::string("frmAbout")) {
            WhileDialogOpen<AboutForm>(u"A", "cmdOK", [&](AboutForm&) { check(); });
        } else {
            WhileDialogOpen<WinDIRForm>(u"W", "cbtOK", [&](WinDIRForm&) { check(); });
        }
    }
}

// The main window is a frame; its greeting label a notification, which screen readers
// speak each time it shows (the Orca session test hears it).
TEST_F(Accessibility, TheMainWindowIsAFrameAndItsGreetingANotification) {
    QWidget* window = WindowNamed("frmKimoro");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window)->role(), QAccessible::Window);
    auto* label = window->findChild<QLabel*>(QStringLiteral("lblKimoro"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(label)->role(), QAccessible::Notification);
}

}  // namespace
