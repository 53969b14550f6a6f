// The yardstick of bench/startup.sh: a bare full-screen Qt Widgets window that paints one flat
// colour and nothing else. With TIVANE_REPORT_FIRST_FRAME set it prints, as Tivane does, the
// wall-clock time at which its first frame was painted and the processor time used until then.
#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <ctime>

namespace {

class BareWindow : public QWidget
{
public:
    BareWindow() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter(this).fillRect(rect(), QColor(192, 192, 192));
        if (m_painted)
            return;
        m_painted = true;
        // Queued: the frame is on screen once the paint and its flush are over.
        if (qEnvironmentVariableIsSet("TIVANE_REPORT_FIRST_FRAME"))
            QTimer::singleShot(0, this, [] {
                const auto now = std::chrono::system_clock::now().time_since_epoch();
                std::printf("first-frame %lld %lld\n",
                            static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()),
                            static_cast<long long>(std::clock() * (1000000.0 / CLOCKS_PER_SEC)));
                std::fflush(stdout);
            });
    }

private:
    bool m_painted = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    BareWindow window;
    window.setGeometry(QGuiApplication::primaryScreen()->geometry());
    window.show();
    return QApplication::exec();
}
