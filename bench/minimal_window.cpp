// Baseline for scripts/bench.sh: the least a Qt Widgets program of the same
// shape has to do to put its window on screen. Keep it free of extras so the
// comparison stays honest.
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);

    QWidget window;
    window.setWindowTitle(QStringLiteral("minimal_window"));

    auto* column = new QVBoxLayout(&window);
    column->addWidget(new QLabel(QStringLiteral("Baseline label"), &window));
    auto* row = new QHBoxLayout;
    for (const char* text : {"One", "Two", "Three", "Four"})
        row->addWidget(new QPushButton(QString::fromLatin1(text), &window));
    column->addLayout(row);

    window.resize(373, 88);
    window.show();
    return app.exec();
}
