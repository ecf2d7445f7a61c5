// The smallest Qt Widgets program that shows a window: the start-up
// benchmark's peer. It prints the steady clock's reading in nanoseconds
// ("shown_at_ns=N") once its window has first painted, and ends, as the
// program does under VELMOR_QUIT_WHEN_SHOWN. Built with VELMOR_ONE_LABEL,
// the window shows one line of text: the least a window with any text
// costs, the toolkit's first reading of the fonts included.
#include <QApplication>
#include <QEvent>
#include <QMetaObject>
#include <QWidget>
#ifdef VELMOR_ONE_LABEL
#include <QLabel>
#endif
#include <chrono>
#include <cstdio>

namespace {
class TWindow : public QWidget {
protected:
    bool event(QEvent* e) override {
        const bool handled = QWidget::event(e);
        if (e->type() == QEvent::Paint && !FShown) {
            FShown = true;
            QMetaObject::invokeMethod(
                qApp,
                [] {
                    const auto now = std::chrono::steady_clock::now().time_since_epoch();
                    std::printf("shown_at_ns=%lld\n", static_cast<long long>(
                                                          std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
                    std::fflush(stdout);
                    QApplication::quit();
                },
                Qt::QueuedConnection);
        }
        return handled;
    }

private:
    bool FShown = false;
};
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TWindow window;
    window.setWindowTitle(QStringLiteral("Empty"));
    window.resize(640, 520);  // the size the program's main window starts at
#ifdef VELMOR_ONE_LABEL
    QLabel label(QStringLiteral("Keywords && Description"), &window);
    label.move(8, 8);
#endif
    window.show();
    return QApplication::exec();
}
