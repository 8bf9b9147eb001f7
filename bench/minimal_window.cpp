// Baseline for scripts/bench.sh: the least a Qt Widgets program has to do to put the
// program's main window on screen. Like for like: the program's environment, its five
// widgets where its design puts them (at 15 twips a pixel), its captions and its fonts,
// in the classic style. Nothing else, so that the comparison stays honest.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>
#include <QWidget>

#include <cstdlib>

namespace {

QFont Font(const QString& face, qreal points) {
    QFont font(face);
    font.setPointSizeF(points);
    font.setStyleStrategy(QFont::PreferMatch);
    return font;
}

}  // namespace

int main(int argc, char* argv[]) {
    // As the program: no D-Bus daemon launched for the accessibility bridge when there is
    // no session bus, and the designs' Japanese faces mapped to IPA fonts.
    if (std::getenv("DBUS_SESSION_BUS_ADDRESS") == nullptr) {
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
    }
    QFont::insertSubstitution(QStringLiteral(u"ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral(u"ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));

    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));

    QWidget window;
    window.setWindowTitle(QStringLiteral(u"きもろ"));
    window.setFont(Font(QStringLiteral(u"ＭＳ Ｐゴシック"), 8.25));
    window.setFixedSize(367, 63);

    auto* label = new QLabel(&window);  // the greeting: empty until a press
    label->setFont(Font(QStringLiteral(u"ＭＳ ゴシック"), 9.75));
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(10, 4, 349, 21);

    const struct {
        const char16_t* caption;
        int left, width;
    } buttons[] = {
        {u"おしてね☆ﾐ(&P)", 8, 101},
        {u"&WindowsDirectory", 108, 101},
        {u"&About", 208, 77},
        {u"e&Xit", 284, 77},
    };
    for (const auto& b : buttons) {
        auto* button = new QPushButton(QString::fromUtf16(b.caption), &window);
        button->setGeometry(b.left, 32, b.width, 25);
    }

    window.move(window.screen()->availableGeometry().center() - window.rect().center());
    window.show();
    return app.exec();
}
